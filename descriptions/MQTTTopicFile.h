// The MQTT topic file "MQTT_Set_Topic.xml": the publish and subscribe topic tables of the MQTT
// variant, read and written as plain rows.
//
// Layout: root "MQTT_Set_Topic", followed at document level by the comment "SW_VERSION = 1.000";
// the root holds "MQTT_Publish" and then "MQTT_Subscribe"; each holds one "row" element per table
// row. A publish row carries the attributes Topic, Retained, QoS, DataType, Dimension, Position,
// IPAddress, InputTemplate, Template, OnChange, OnCMD, OnTimer, Time and Mnemonic; a subscribe row
// Topic, Retained, QoS, DataType, Dimension, Position, IPAddress, Port, EthType, InputTemplate,
// Template and Mnemonic; in this order, each the text of its cell, unchanged.
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/System.h"

// A topic the converter publishes, every cell as text. Flags are "Y" or "N".
struct TMQTT_Publish_Row {
  String Topic;
  String Retained;
  String QoS;            // "0", "1" or "2"
  String DataType;       // "Int", "Float", "String" or "Base64"
  String Dimension;      // bytes
  String Position;       // index into the converter's data array
  String IPAddress;
  String InputTemplate;
  String Template;
  String OnChange = u"N";
  String OnCMD = u"N";
  String OnTimer = u"N";
  String Time;           // milliseconds between two publishes
  String Mnemonic;
};

// A topic the converter subscribes to.
struct TMQTT_Subscribe_Row {
  String Topic;
  String Retained;
  String QoS;
  String DataType;
  String Dimension;
  String Position;
  String IPAddress;
  String Port;
  String EthType;        // "TCP" or "UDP"
  String InputTemplate;
  String Template;
  String Mnemonic;
};

// The largest topic file read: both tables full, with long templates, take a small part of it.
constexpr Int64 Max_MQTT_Topic_File_Size = 16 * 1024 * 1024;

struct TMQTT_Topic_Tables {
  std::vector<TMQTT_Publish_Row> Publish;
  std::vector<TMQTT_Subscribe_Row> Subscribe;
};

// Reads the file. The root is the document's first element. Topic, Retained, QoS and Mnemonic are
// required: a row without one of them, or a missing table element, raises EXMLDocError; any other
// missing attribute reads as the row's default (empty, "N" for the publish flags). A missing file
// or one that is not XML raises EXMLDocError, and so does a name that stands for no regular file
// (a folder, a pipe, a device) or a file larger than Max_MQTT_Topic_File_Size; a file that does not
// fit in memory raises EOutOfMemory. Each message names the file.
TMQTT_Topic_Tables Read_MQTT_Topic_File(const String& FileName);
// The same from the bytes of a file.
TMQTT_Topic_Tables Read_MQTT_Topic_Bytes(const std::string& Bytes);

// The number of rows of a table that the file keeps: the rows before the first one whose Topic is
// blank as written (characters XML cannot carry are left out of the file).
Integer MQTT_Topic_Row_Count(const std::vector<TMQTT_Publish_Row>& Rows);
Integer MQTT_Topic_Row_Count(const std::vector<TMQTT_Subscribe_Row>& Rows);

// The file's bytes, and the file written over an old one. Each table is written up to its first
// row with a blank Topic. A file that cannot be written raises EXMLDocError.
std::string MQTT_Topic_Bytes(const TMQTT_Topic_Tables& Tables);
void Write_MQTT_Topic_File(const String& FileName, const TMQTT_Topic_Tables& Tables);
