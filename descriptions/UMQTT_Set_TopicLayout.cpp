// The controls of the MQTT topic tables: the title, the page control with the publish and the
// subscribe table, and the button panel with the row buttons on the left and OK and Cancel on the
// right.
#include <tuple>

#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/MQTTTopicChecks.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::vector<String> Channel_Items() {
  std::vector<String> items;
  for (Integer i = 0; i <= 63; ++i) items.push_back(IntToStr(i));
  items.push_back(u"All");
  return items;
}

const std::vector<String> QoS_Items{u"0", u"1", u"2"};
const std::vector<String> Data_Type_Items{u"Int", u"Float", u"String", u"Base64"};
const std::vector<String> Template_Items{u"$VALUE$"};

std::vector<TTable_Column_Design> Publish_Design() {
  return {{mqpNumber, edNormal, 40, {}},
          {mqpTopic, edNormal, 220, {}},
          {mqpRetained, edDataCheckBox, 60, {}},
          {mqpQoS, edComboList, 45, QoS_Items},
          {mqpDataType, edComboList, 75, Data_Type_Items},
          {mqpDimension, edNormal, 70, {}},
          {mqpPosition, edNormal, 60, {}},
          {mqpIPAddress, edNormal, 100, {}},
          {mqpInputTemplate, edNormal, 120, {}},
          {mqpTemplate, edComboEdit, 160, Template_Items},
          {mqpOnChange, edDataCheckBox, 65, {}},
          {mqpOnCMD, edDataCheckBox, 55, {}},
          {mqpOnTimer, edDataCheckBox, 60, {}},
          {mqpTime, edNormal, 70, {}},
          {mqpChannel, edComboList, 60, Channel_Items()},
          {mqpSwap, edDataCheckBox, 50, {}},
          {mqpSwapWord, edDataCheckBox, 70, {}},
          {mqpMnemonic, edNormal, 200, {}}};
}

std::vector<TTable_Column_Design> Subscribe_Design() {
  return {{mqsNumber, edNormal, 40, {}},
          {mqsTopic, edNormal, 220, {}},
          {mqsRetained, edDataCheckBox, 60, {}},
          {mqsQoS, edComboList, 45, QoS_Items},
          {mqsDataType, edComboList, 75, Data_Type_Items},
          {mqsDimension, edNormal, 70, {}},
          {mqsPosition, edNormal, 60, {}},
          {mqsIPAddress, edNormal, 100, {}},
          {mqsPort, edNormal, 60, {}},
          {mqsEthType, edComboList, 50, {u"TCP", u"UDP"}},
          {mqsInputTemplate, edNormal, 120, {}},
          {mqsTemplate, edComboEdit, 160, Template_Items},
          {mqsSwap, edDataCheckBox, 50, {}},
          {mqsSwapWord, edDataCheckBox, 70, {}},
          {mqsMnemonic, edNormal, 200, {}}};
}

}  // namespace

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TFTable_Dialog(AOwner),
      Hint_MQTT_Set_Topic_Pub(std::make_unique<TStringList>()),
      Hint_MQTT_Set_Topic_Sub(std::make_unique<TStringList>()) {
  SetName(u"FMQTT_Set_Topic");
  Set_Client_Size(1100, 337);
  // The row delete question and "Error row " of a failed check.
  Text_Delete_Question = 1423;
  Text_Error_Row = 1451;

  std::tie(TS_MQTT_Publish, TS_MQTT_Subscribe) = Create_Table_Frame(856, u"TS_MQTT_Publish", u"TS_MQTT_Subscribe");
  ACG_Pub = New_Table(this, TS_MQTT_Publish, u"ACG_Pub", Publish_Design(), Table_Rows + 1);
  ACG_Sub = New_Table(this, TS_MQTT_Subscribe, u"ACG_Sub", Subscribe_Design(), Table_Rows + 1);
  Set_Tables(ACG_Pub, &Do_Copy_Pub, ACG_Sub, &Do_Copy_Sub);
  for (TExColumnGrid* grid : {ACG_Pub, ACG_Sub}) {
    grid->SetShowHint(true);
    grid->OnDblClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
      ACG_MQTT_DblClickCell(Sender, ARow, ACol);
    };
    grid->OnGridHint = [this](TObject* Sender, Integer ARow, Integer ACol, String& hintstr) {
      ACG_MQTT_GridHint(Sender, ARow, ACol, hintstr);
    };
    // An in-place editor reports its keys with itself as the sender; the handler is given the grid.
    grid->OnKeyPress = [this, grid](TObject*, Char& Key) { ACG_MQTT_KeyPress(grid, Key); };
  }
  PageControl1->SetActivePage(TS_MQTT_Publish);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFMQTT_Set_Topic::~TFMQTT_Set_Topic() = default;
