// The controls of the MQTT topic tables: the title, the page control with the publish and the
// subscribe table, and the button panel with the row buttons on the left and OK and Cancel on the
// right.
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/MQTTTopicChecks.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/Classes.h"

namespace {

// How a column is edited, its width and its list.
struct TColumn_Design {
  Integer Column;
  TEditorType Editor;
  Integer Width;
  std::vector<String> Items;
};

std::vector<String> Channel_Items() {
  std::vector<String> items;
  for (Integer i = 0; i <= 63; ++i) items.push_back(IntToStr(i));
  items.push_back(u"All");
  return items;
}

const std::vector<String> QoS_Items{u"0", u"1", u"2"};
const std::vector<String> Data_Type_Items{u"Int", u"Float", u"String", u"Base64"};
const std::vector<String> Template_Items{u"$VALUE$"};

std::vector<TColumn_Design> Publish_Design() {
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

std::vector<TColumn_Design> Subscribe_Design() {
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

TTabSheet* New_Page(TComponent* Owner, TPageControl* Control, const String& Name) {
  auto* page = new TTabSheet(Owner);
  page->SetName(Name);
  page->SetPageControl(Control);
  return page;
}

// A table filling its page: the fixed row-number column and header row, 1024 data rows, editable
// cells, check-box columns holding "Y" or "N".
TExColumnGrid* New_Table(TComponent* Owner, TTabSheet* Page, const String& Name,
                         const std::vector<TColumn_Design>& Design) {
  auto* grid = new TExColumnGrid(Owner);
  grid->SetName(Name);
  grid->SetParent(Page);
  grid->SetAlign(alClient);
  grid->SetColCount(static_cast<Integer>(Design.size()));
  grid->SetRowCount(TFMQTT_Set_Topic::Table_Rows + 1);
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  grid->SetDefaultRowHeight(20);
  grid->SetOptions(grid->Options() << goEditing << goColSizing);
  grid->SetShowHint(true);
  for (const TColumn_Design& d : Design) {
    TGridColumnItem* item = grid->Columns()->GetItem(d.Column);
    item->SetEditorType(d.Editor);
    item->SetCheckTrue(u"Y");
    item->SetCheckFalse(u"N");
    item->ComboItems()->Clear();
    for (const String& s : d.Items) item->ComboItems()->Add(s);
    item->SetWidth(d.Width);
  }
  return grid;
}

}  // namespace

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TFDialog(AOwner),
      Hint_MQTT_Set_Topic_Pub(std::make_unique<TStringList>()),
      Hint_MQTT_Set_Topic_Sub(std::make_unique<TStringList>()) {
  SetName(u"FMQTT_Set_Topic");
  Set_Client_Size(1100, 337);
  Create_Title_Panel();
  Create_Button_Panel();
  Btn_DelRow = Create_Dialog_Button(P_Button, u"Btn_DelRow", 16, 6, 110, 28, dgDelete);
  Btn_DelRow->OnClick = [this](TObject* Sender) { Btn_DelRowClick(Sender); };
  Btn_InsRow = Create_Dialog_Button(P_Button, u"Btn_InsRow", 134, 6, 110, 28, dgAdd);
  Btn_InsRow->OnClick = [this](TObject* Sender) { Btn_InsRowClick(Sender); };
  Btn_CopyRow = Create_Dialog_Button(P_Button, u"Btn_CopyRow", 252, 6, 110, 28, dgCopy);
  Btn_CopyRow->OnClick = [this](TObject* Sender) { Btn_CopyRowClick(Sender); };
  Btn_PasteRow = Create_Dialog_Button(P_Button, u"Btn_PasteRow", 370, 6, 110, 28, dgPaste);
  Btn_PasteRow->OnClick = [this](TObject* Sender) { Btn_PasteRowClick(Sender); };
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 856, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 974, 6, 110, 28, dgCancel, mrCancel);

  PageControl1 = new TPageControl(this);
  PageControl1->SetName(u"PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetAlign(alClient);
  TS_MQTT_Publish = New_Page(this, PageControl1, u"TS_MQTT_Publish");
  TS_MQTT_Subscribe = New_Page(this, PageControl1, u"TS_MQTT_Subscribe");

  ACG_Pub = New_Table(this, TS_MQTT_Publish, u"ACG_Pub", Publish_Design());
  ACG_Sub = New_Table(this, TS_MQTT_Subscribe, u"ACG_Sub", Subscribe_Design());
  for (TExColumnGrid* grid : {ACG_Pub, ACG_Sub}) {
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
