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

// The message of the row delete question; the row number follows it.
constexpr Integer Text_Delete_Question = 1423;
// "Error row "; the row number and the failed check's text follow it.
constexpr Integer Text_Error_Row = 1451;

void Show_Columns(TExColumnGrid* Grid, const std::set<Integer>& Hidden) {
  const Integer count = Grid->AllColCount();
  for (Integer c = 1; c < count; ++c) {
    const bool hide = Hidden.count(c) != 0;
    if (hide && !Grid->IsHiddenColumn(c)) Grid->HideColumn(c);
    if (!hide && Grid->IsHiddenColumn(c)) Grid->UnHideColumn(c);
  }
}

// Every data row: its number in column 0, every other column empty, hidden ones included.
void Clear_Table(TExColumnGrid* Grid) {
  Grid->BeginUpdate();
  const Integer columns = Grid->AllColCount();
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    Grid->SetCells(0, r, IntToStr(r));
    for (Integer c = 1; c < columns; ++c) Grid->SetCells(c, r, String());
  }
  Grid->EndUpdate();
}

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
  ACG_Pub->SetRowCount(Table_Rows + 1);
  ACG_Sub->SetRowCount(Table_Rows + 1);
  PageControl1->SetActivePage(TS_MQTT_Publish);
  Clear_Table(ACG_Pub);
  Clear_Table(ACG_Sub);
  Do_Copy_Pub = false;
  Do_Copy_Sub = false;
  Rows_Left_Out.clear();
  if (FileExists(File_MQTT_Set_Topic)) Fill_Tables(Read_MQTT_Topic_File(File_MQTT_Set_Topic));
  Show_Rows_Left_Out(Rows_Left_Out);
}

void TFMQTT_Set_Topic::Fill_Tables(const TMQTT_Topic_Tables& Tables) {
  ACG_Pub->BeginUpdate();
  const Integer pub_rows = std::min<Integer>(static_cast<Integer>(Tables.Publish.size()), Table_Rows);
  for (Integer i = 0; i < pub_rows; ++i) {
    const TMQTT_Publish_Row& p = Tables.Publish[static_cast<size_t>(i)];
    const Integer r = i + 1;
    ACG_Pub->SetCells(mqpTopic, r, p.Topic);
    ACG_Pub->SetCells(mqpRetained, r, p.Retained);
    ACG_Pub->SetCells(mqpQoS, r, p.QoS);
    ACG_Pub->SetCells(mqpDataType, r, p.DataType);
    ACG_Pub->SetCells(mqpDimension, r, p.Dimension);
    ACG_Pub->SetCells(mqpPosition, r, p.Position);
    ACG_Pub->SetCells(mqpIPAddress, r, p.IPAddress);
    ACG_Pub->SetCells(mqpInputTemplate, r, p.InputTemplate);
    ACG_Pub->SetCells(mqpTemplate, r, p.Template);
    ACG_Pub->SetCells(mqpOnChange, r, p.OnChange);
    ACG_Pub->SetCells(mqpOnCMD, r, p.OnCMD);
    ACG_Pub->SetCells(mqpOnTimer, r, p.OnTimer);
    ACG_Pub->SetCells(mqpTime, r, p.Time);
    // Channel and the swaps are not kept in the file.
    ACG_Pub->SetCells(mqpChannel, r, String());
    ACG_Pub->SetCells(mqpSwap, r, u"N");
    ACG_Pub->SetCells(mqpSwapWord, r, u"N");
    ACG_Pub->SetCells(mqpMnemonic, r, p.Mnemonic);
  }
  ACG_Pub->EndUpdate();

  ACG_Sub->BeginUpdate();
  const Integer sub_rows = std::min<Integer>(static_cast<Integer>(Tables.Subscribe.size()), Table_Rows);
  for (Integer i = 0; i < sub_rows; ++i) {
    const TMQTT_Subscribe_Row& s = Tables.Subscribe[static_cast<size_t>(i)];
    const Integer r = i + 1;
    ACG_Sub->SetCells(mqsTopic, r, s.Topic);
    ACG_Sub->SetCells(mqsRetained, r, s.Retained);
    ACG_Sub->SetCells(mqsQoS, r, s.QoS);
    ACG_Sub->SetCells(mqsDataType, r, s.DataType);
    ACG_Sub->SetCells(mqsDimension, r, s.Dimension);
    ACG_Sub->SetCells(mqsPosition, r, s.Position);
    ACG_Sub->SetCells(mqsIPAddress, r, s.IPAddress);
    ACG_Sub->SetCells(mqsPort, r, s.Port);
    ACG_Sub->SetCells(mqsEthType, r, s.EthType);
    ACG_Sub->SetCells(mqsInputTemplate, r, s.InputTemplate);
    ACG_Sub->SetCells(mqsTemplate, r, s.Template);
    ACG_Sub->SetCells(mqsSwap, r, u"N");
    ACG_Sub->SetCells(mqsSwapWord, r, u"N");
    ACG_Sub->SetCells(mqsMnemonic, r, s.Mnemonic);
  }
  ACG_Sub->EndUpdate();
  Note_Rows_Left_Out(Rows_Left_Out, TS_MQTT_Publish->Caption(), static_cast<Integer>(Tables.Publish.size()), Table_Rows);
  Note_Rows_Left_Out(Rows_Left_Out, TS_MQTT_Subscribe->Caption(), static_cast<Integer>(Tables.Subscribe.size()),
                     Table_Rows);
}

TMQTT_Topic_Tables TFMQTT_Set_Topic::Gather_Tables() const {
  TMQTT_Topic_Tables t;
  for (Integer r = 1; r < ACG_Pub->RowCount(); ++r) {
    TMQTT_Publish_Row p;
    p.Topic = ACG_Pub->Cells(mqpTopic, r);
    if (Trim(p.Topic).empty()) break;
    p.Retained = ACG_Pub->Cells(mqpRetained, r);
    p.QoS = ACG_Pub->Cells(mqpQoS, r);
    p.DataType = ACG_Pub->Cells(mqpDataType, r);
    p.Dimension = ACG_Pub->Cells(mqpDimension, r);
    p.Position = ACG_Pub->Cells(mqpPosition, r);
    p.IPAddress = ACG_Pub->Cells(mqpIPAddress, r);
    p.InputTemplate = ACG_Pub->Cells(mqpInputTemplate, r);
    p.Template = ACG_Pub->Cells(mqpTemplate, r);
    p.OnChange = ACG_Pub->Cells(mqpOnChange, r);
    p.OnCMD = ACG_Pub->Cells(mqpOnCMD, r);
    p.OnTimer = ACG_Pub->Cells(mqpOnTimer, r);
    p.Time = ACG_Pub->Cells(mqpTime, r);
    p.Mnemonic = ACG_Pub->Cells(mqpMnemonic, r);
    t.Publish.push_back(std::move(p));
  }
  for (Integer r = 1; r < ACG_Sub->RowCount(); ++r) {
    TMQTT_Subscribe_Row s;
    s.Topic = ACG_Sub->Cells(mqsTopic, r);
    if (Trim(s.Topic).empty()) break;
    s.Retained = ACG_Sub->Cells(mqsRetained, r);
    s.QoS = ACG_Sub->Cells(mqsQoS, r);
    s.DataType = ACG_Sub->Cells(mqsDataType, r);
    s.Dimension = ACG_Sub->Cells(mqsDimension, r);
    s.Position = ACG_Sub->Cells(mqsPosition, r);
    s.IPAddress = ACG_Sub->Cells(mqsIPAddress, r);
    s.Port = ACG_Sub->Cells(mqsPort, r);
    s.EthType = ACG_Sub->Cells(mqsEthType, r);
    s.InputTemplate = ACG_Sub->Cells(mqsInputTemplate, r);
    s.Template = ACG_Sub->Cells(mqsTemplate, r);
    s.Mnemonic = ACG_Sub->Cells(mqsMnemonic, r);
    t.Subscribe.push_back(std::move(s));
  }
  return t;
}

void TFMQTT_Set_Topic::End_Editing() {
  // A cell still being edited holds its new text in the editor; close it so the tables hold what
  // the user sees before they are checked, saved or moved.
  for (TExColumnGrid* grid : {ACG_Pub, ACG_Sub}) {
    if (grid->InEditMode()) grid->HideInplaceEdit();
  }
}

void TFMQTT_Set_Topic::Btn_OKClick(TObject*) {
  End_Editing();
  if (!Controllo_dati() || !Confirm_Rows_Left_Out(Rows_Left_Out)) return;
  Write_MQTT_Topic_File(File_MQTT_Set_Topic, Gather_Tables());
  SetModalResult(mrOk);
}

bool TFMQTT_Set_Topic::Controllo_dati() {
  const TTable_Check_Result result = Check_MQTT_Topic_Tables(
      Gather_Tables(), [this](Integer c) { return !ACG_Pub->IsHiddenColumn(c); },
      [this](Integer c) { return !ACG_Sub->IsHiddenColumn(c); }, Byte_IN, Byte_OUT);
  if (result.Ok()) return true;
  MessageDlg(Get_Text(Text_Error_Row) + IntToStr(result.Row) + Get_Text(result.Text_Id) + result.Suffix,
             mtError, TMsgDlgButtons{mbOK});
  return false;
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

TExColumnGrid* TFMQTT_Set_Topic::Active_Grid() const {
  return PageControl1->ActivePage() == TS_MQTT_Publish ? ACG_Pub : ACG_Sub;
}

void TFMQTT_Set_Topic::Btn_DelRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  const Integer row = grid->Row();
  if (MessageDlg(Get_Text(Text_Delete_Question) + IntToStr(row), mtConfirmation, mbYesNo) == mrYes) {
    Grid_Delete_Row(row, grid);
  }
}

void TFMQTT_Set_Topic::Btn_InsRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Insert_Row(grid->Row(), grid, false);
}

void TFMQTT_Set_Topic::Btn_CopyRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Copy_Row(grid, grid->Row());
  Do_Copy_Pub = grid == ACG_Pub;
  Do_Copy_Sub = grid == ACG_Sub;
}

void TFMQTT_Set_Topic::Btn_PasteRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Paste_Row(grid, grid->Row(), grid == ACG_Pub ? Do_Copy_Pub : Do_Copy_Sub);
}

void TFMQTT_Set_Topic::Set_Lang() {
  SetCaption(Get_Text(1400));
  L_SW_Desc->SetCaption(Get_Text(1401));
  Btn_OK->SetCaption(Get_Text(1402));
  Btn_Cancel->SetCaption(Get_Text(1403));
  Btn_DelRow->SetCaption(Get_Text(1404));
  Btn_InsRow->SetCaption(Get_Text(1405));
  Btn_CopyRow->SetCaption(Get_Text(1406));
  Btn_PasteRow->SetCaption(Get_Text(1407));
  Btn_OK->SetHint(Get_Text(1408));
  Btn_Cancel->SetHint(Get_Text(1409));
  Btn_DelRow->SetHint(Get_Text(1410));
  Btn_InsRow->SetHint(Get_Text(1411));
  Btn_CopyRow->SetHint(Get_Text(1412));
  Btn_PasteRow->SetHint(Get_Text(1413));
  Apply_Texts(ACG_Pub, Publish_Headers, mqpColumnCount, Publish_Hints, Hint_MQTT_Set_Topic_Pub.get());
  Apply_Texts(ACG_Sub, Subscribe_Headers, mqsColumnCount, Subscribe_Hints, Hint_MQTT_Set_Topic_Sub.get());
  TS_MQTT_Publish->SetCaption(Get_Text(1433));
  TS_MQTT_Subscribe->SetCaption(Get_Text(1434));
}
