// The checks of the MQTT topic tables before they are saved, as pure functions over the rows, and
// the columns of the two tables.
//
// Rows are checked in order up to the first one with a blank Topic; the first failure ends the
// check. Number cells are read as decimal integers; a text that is not one ("0x10" included)
// counts as -1. A check tied to a column runs only while that column is shown; the timer check
// always runs.
#pragma once

#include "descriptions/MQTTTopicFile.h"
#include "descriptions/TableChecks.h"

// The real columns of the publish table.
enum TMQTT_Publish_Column : Integer {
  mqpNumber = 0,
  mqpTopic,
  mqpRetained,
  mqpQoS,
  mqpDataType,
  mqpDimension,
  mqpPosition,
  mqpIPAddress,
  mqpInputTemplate,
  mqpTemplate,
  mqpOnChange,
  mqpOnCMD,
  mqpOnTimer,
  mqpTime,
  mqpChannel,
  mqpSwap,
  mqpSwapWord,
  mqpMnemonic,
  mqpColumnCount
};

// The real columns of the subscribe table.
enum TMQTT_Subscribe_Column : Integer {
  mqsNumber = 0,
  mqsTopic,
  mqsRetained,
  mqsQoS,
  mqsDataType,
  mqsDimension,
  mqsPosition,
  mqsIPAddress,
  mqsPort,
  mqsEthType,
  mqsInputTemplate,
  mqsTemplate,
  mqsSwap,
  mqsSwapWord,
  mqsMnemonic,
  mqsColumnCount
};

// The longest time between two publishes, in milliseconds.
constexpr Integer MQTT_Max_Publish_Time = 1000000000;

// True when Str holds an odd number of "$": the keywords of a template stand between pairs of "$"
// ("$VALUE$"), and that pairing is all a template is checked for.
bool Error_In_Topic_Template(const String& Str);

// Checks the publish table, then the subscribe table. Positions must lie below Byte_IN (publish)
// and Byte_OUT (subscribe). The failure's text ids are those of the dialog's messages (1452 to
// 1489); a position failure carries the highest position as its suffix.
TTable_Check_Result Check_MQTT_Topic_Tables(const TMQTT_Topic_Tables& Tables,
                                            const TColumn_Shown& Publish_Shown,
                                            const TColumn_Shown& Subscribe_Shown, Integer Byte_IN,
                                            Integer Byte_OUT);
