#include "descriptions/UMQTT_Set_Topic.h"

#include <algorithm>
#include <set>

#include "app/GridRowRoutines.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/MQTTTopicChecks.h"
#include "descriptions/UTopicTemplate.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

// The columns this converter keeps out of view; their data is loaded and saved all the same.
const std::set<Integer> Publish_Hidden{mqpIPAddress, mqpInputTemplate, mqpChannel, mqpSwap, mqpSwapWord};
const std::set<Integer> Subscribe_Hidden{mqsRetained, mqsIPAddress, mqsPort,    mqsEthType,
                                         mqsInputTemplate, mqsSwap, mqsSwapWord};

// The text ids of the column headers (from column 0) and of the column hints (from column 1).
const Integer Publish_Headers[mqpColumnCount] = {1414, 1415, 1416, 1417, 1437, 1438, 1439, 1462, 1463,
                                               1435, 1481, 1483, 1484, 1485, 1490, 1493, 1494, 1418};
const Integer Publish_Hints[mqpColumnCount - 1] = {1419, 1420, 1421, 1440, 1441, 1442, 1464, 1465, 1436,
                                                 1482, 1486, 1487, 1488, 1491, 1495, 1496, 1422};
const Integer Subscribe_Headers[mqsColumnCount] = {1424, 1425, 1426, 1427, 1443, 1444, 1445, 1466,
                                                 1467, 1468, 1469, 1446, 1493, 1494, 1428};
const Integer Subscribe_Hints[mqsColumnCount - 1] = {1429, 1430, 1431, 1447, 1448, 1449, 1470,
                                                   1471, 1472, 1473, 1450, 1497, 1498, 1432};

void Show_Columns(TExColumnGrid* Grid, const std::set<Integer>& Hidden) {
  const Integer count = Grid->AllColCount();
  for (Integer c = 1; c < count; ++c) {
    const bool hide = Hidden.count(c) != 0;
    if (hide && !Grid->IsHiddenColumn(c)) Grid->HideColumn(c);
    if (!hide && Grid->IsHiddenColumn(c)) Grid->UnHideColumn(c);
  }
}

// The columns of the tables and the fields of their rows in the file. Channel and the swaps are
// not kept in the file: a loaded row shows no channel and no swaps.
const std::vector<TTable_Field<TMQTT_Publish_Row>> Publish_Fields = {
    {mqpTopic, &TMQTT_Publish_Row::Topic},
    {mqpRetained, &TMQTT_Publish_Row::Retained},
    {mqpQoS, &TMQTT_Publish_Row::QoS},
    {mqpDataType, &TMQTT_Publish_Row::DataType},
    {mqpDimension, &TMQTT_Publish_Row::Dimension},
    {mqpPosition, &TMQTT_Publish_Row::Position},
    {mqpIPAddress, &TMQTT_Publish_Row::IPAddress},
    {mqpInputTemplate, &TMQTT_Publish_Row::InputTemplate},
    {mqpTemplate, &TMQTT_Publish_Row::Template},
    {mqpOnChange, &TMQTT_Publish_Row::OnChange},
    {mqpOnCMD, &TMQTT_Publish_Row::OnCMD},
    {mqpOnTimer, &TMQTT_Publish_Row::OnTimer},
    {mqpTime, &TMQTT_Publish_Row::Time},
    {mqpMnemonic, &TMQTT_Publish_Row::Mnemonic}};
const std::vector<std::pair<Integer, String>> Publish_Fixed = {
    {mqpChannel, String()}, {mqpSwap, u"N"}, {mqpSwapWord, u"N"}};
const std::vector<TTable_Field<TMQTT_Subscribe_Row>> Subscribe_Fields = {
    {mqsTopic, &TMQTT_Subscribe_Row::Topic},
    {mqsRetained, &TMQTT_Subscribe_Row::Retained},
    {mqsQoS, &TMQTT_Subscribe_Row::QoS},
    {mqsDataType, &TMQTT_Subscribe_Row::DataType},
    {mqsDimension, &TMQTT_Subscribe_Row::Dimension},
    {mqsPosition, &TMQTT_Subscribe_Row::Position},
    {mqsIPAddress, &TMQTT_Subscribe_Row::IPAddress},
    {mqsPort, &TMQTT_Subscribe_Row::Port},
    {mqsEthType, &TMQTT_Subscribe_Row::EthType},
    {mqsInputTemplate, &TMQTT_Subscribe_Row::InputTemplate},
    {mqsTemplate, &TMQTT_Subscribe_Row::Template},
    {mqsMnemonic, &TMQTT_Subscribe_Row::Mnemonic}};
const std::vector<std::pair<Integer, String>> Subscribe_Fixed = {{mqsSwap, u"N"}, {mqsSwapWord, u"N"}};

void Apply_Texts(TExColumnGrid* Grid, const Integer* Headers, Integer Count, const Integer* Hints,
                 TStringList* HintList) {
  for (Integer c = 0; c < Count; ++c) Grid->Columns()->GetItem(c)->SetHeader(Get_Text(Headers[c]));
  HintList->Clear();
  for (Integer c = 1; c < Count; ++c) HintList->Add(Get_Text(Hints[c - 1]));
}

}  // namespace

void TFMQTT_Set_Topic::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(1100, 337);
  Set_Lang();
}

void TFMQTT_Set_Topic::FormShow(TObject*) {
  Byte_IN = 1440;
  Byte_OUT = 1440;
  Show_Columns(ACG_Pub, Publish_Hidden);
  Show_Columns(ACG_Sub, Subscribe_Hidden);
  TS_MQTT_Subscribe->SetTabVisible(true);
  PageControl1->SetActivePage(TS_MQTT_Publish);
  Reset_Tables(Table_Rows + 1);
  if (!FileMissing(File_MQTT_Set_Topic)) Fill_Tables(Read_MQTT_Topic_File(File_MQTT_Set_Topic));
  Show_Rows_Left_Out(Rows_Left_Out);
}

void TFMQTT_Set_Topic::Fill_Tables(const TMQTT_Topic_Tables& Tables) {
  Fill_Table_Rows(ACG_Pub, Tables.Publish, Publish_Fields, Publish_Fixed);
  Fill_Table_Rows(ACG_Sub, Tables.Subscribe, Subscribe_Fields, Subscribe_Fixed);
  Note_Rows_Left_Out(Rows_Left_Out, TS_MQTT_Publish->Caption(), static_cast<Integer>(Tables.Publish.size()), Table_Rows);
  Note_Rows_Left_Out(Rows_Left_Out, TS_MQTT_Subscribe->Caption(), static_cast<Integer>(Tables.Subscribe.size()),
                     Table_Rows);
}

TMQTT_Topic_Tables TFMQTT_Set_Topic::Gather_Tables() const {
  TMQTT_Topic_Tables t;
  t.Publish = Gather_Table_Rows(ACG_Pub, mqpTopic, Publish_Fields);
  t.Subscribe = Gather_Table_Rows(ACG_Sub, mqsTopic, Subscribe_Fields);
  return t;
}

void TFMQTT_Set_Topic::Btn_OKClick(TObject*) { OK_Click(); }

void TFMQTT_Set_Topic::Write_Tables() { Write_MQTT_Topic_File(File_MQTT_Set_Topic, Gather_Tables()); }

bool TFMQTT_Set_Topic::Controllo_dati() {
  return Show_Check_Result(Check_MQTT_Topic_Tables(
      Gather_Tables(), [this](Integer c) { return !ACG_Pub->IsHiddenColumn(c); },
      [this](Integer c) { return !ACG_Sub->IsHiddenColumn(c); }, Byte_IN, Byte_OUT));
}

bool TFMQTT_Set_Topic::Error_In_Topic_Template(const String& Str) const {
  return ::Error_In_Topic_Template(Str);
}

void TFMQTT_Set_Topic::Show_Form_Topic(TObject* Sender, Integer ARow, Integer ACol) {
  auto* grid = dynamic_cast<TExColumnGrid*>(Sender);
  if (!grid || !FTopicTemplate) return;
  const bool is_template = (grid == ACG_Pub && ACol == mqpTemplate) || (grid == ACG_Sub && ACol == mqsTemplate);
  FTopicTemplate->TopicTemplate = is_template ? 1 : 0;
  FTopicTemplate->RE_TopicTemplate->Clear();
  FTopicTemplate->RE_TopicTemplate->SetText(grid->Cells(ACol, ARow));
  if (FTopicTemplate->ShowModal() == mrOk) grid->SetCells(ACol, ARow, FTopicTemplate->RE_TopicTemplate->Text());
}

void TFMQTT_Set_Topic::ACG_MQTT_DblClickCell(TObject* Sender, Integer ARow, Integer ACol) {
  auto* grid = dynamic_cast<TExColumnGrid*>(Sender);
  if (!grid) return;
  Grid_DblClick_AutoSize(grid, ARow, ACol);
  // Only a double click on a data cell edits the template: one on the header sizes its column.
  const Integer template_col = grid == ACG_Pub ? Integer(mqpTemplate) : Integer(mqsTemplate);
  if (ARow > 0 && grid->Row() > 0 && grid->RealCol() == template_col) {
    // The grid may have opened its own editor on the cell; its text must not overwrite the result.
    if (grid->InEditMode()) grid->HideInplaceEdit();
    Show_Form_Topic(grid, grid->Row(), grid->RealCol());
  }
}

void TFMQTT_Set_Topic::ACG_MQTT_GridHint(TObject* Sender, Integer ARow, Integer ACol, String& hintstr) {
  auto* grid = dynamic_cast<TExColumnGrid*>(Sender);
  if (!grid || ARow != 0) return;
  const Integer n = grid->RealColIndex(ACol);
  TStringList* hints = grid == ACG_Pub ? Hint_MQTT_Set_Topic_Pub.get() : Hint_MQTT_Set_Topic_Sub.get();
  if (n > 0 && n - 1 < hints->Count()) hintstr = hints->Strings(n - 1);
}

void TFMQTT_Set_Topic::ACG_MQTT_KeyPress(TObject* Sender, Char& Key) {
  if (auto* grid = dynamic_cast<TExColumnGrid*>(Sender)) Grid_Enter_Next_Cell(grid, Key);
}

void TFMQTT_Set_Topic::Btn_DelRowClick(TObject*) { Delete_Row_Click(); }

void TFMQTT_Set_Topic::Btn_InsRowClick(TObject*) { Insert_Row_Click(); }

void TFMQTT_Set_Topic::Btn_CopyRowClick(TObject*) { Copy_Row_Click(); }

void TFMQTT_Set_Topic::Btn_PasteRowClick(TObject*) { Paste_Row_Click(); }

void TFMQTT_Set_Topic::Set_Lang() {
  SetCaption(Get_Text(1400));
  L_SW_Desc->SetCaption(Get_Text(1401));
  Set_Button_Texts(1402, 1408);
  Apply_Texts(ACG_Pub, Publish_Headers, mqpColumnCount, Publish_Hints, Hint_MQTT_Set_Topic_Pub.get());
  Apply_Texts(ACG_Sub, Subscribe_Headers, mqsColumnCount, Subscribe_Hints, Hint_MQTT_Set_Topic_Sub.get());
  TS_MQTT_Publish->SetCaption(Get_Text(1433));
  TS_MQTT_Subscribe->SetCaption(Get_Text(1434));
}
