// The older network editor's controls: the title panel; the device list on the left; on the right
// the page selector between the device fields and the data exchange, which holds the selector of
// the unidirectional and Smart-ACK panels, each with its tree and the selector of its EEP and
// variable fields; the button panel with OK and Cancel.
#include <vector>

#include "components/buttons/FadeButton.h"
#include "components/tabs/TabStrip.h"
#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_Fields.h"
#include "enocean/UEnOcean_SetAccess.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Label_Left = 16;
constexpr Integer Button_Width = 110;
constexpr Integer Button_Height = 28;

// The device fields keep the device dialog's places relative to each other: inputs at left 160
// and 201 wide, rows at these tops.
constexpr Integer Device_Input_Left = 160;
constexpr Integer Device_Input_Width = 201;
constexpr Integer Device_Row_Tops[] = {16, 56, 88, 120, 152, 184, 216, 248, 280};

// The EEP and variable fields: inputs at left 120 and 300 wide, rows 32 apart.
constexpr Integer Field_Input_Left = 120;
constexpr Integer Field_Input_Width = 300;

TPanel* New_Panel(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top, Integer Width,
                  Integer Height) {
  auto* panel = new TPanel(Owner);
  panel->SetName(Name);
  panel->SetParent(Parent);
  panel->SetBounds(Left, Top, Width, Height);
  panel->SetBevelOuter(bvNone);
  panel->SetShowCaption(false);
  panel->SetParentColor(true);
  return panel;
}

// A page selector: no add button, no close buttons, no dragging, no deleting of its pages; each
// page's tab carries its page + 1 as tag.
TTabStrip* New_Selector(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                        Integer Width, std::initializer_list<const char16_t*> Captions) {
  auto* strip = new TTabStrip(Owner);
  strip->SetName(Name);
  strip->SetParent(Parent);
  strip->SetBounds(Left, Top, Width, 30);
  strip->Options()->Display()->AddButton()->SetVisibility(avNone);
  strip->Options()->Display()->CloseButton()->SetVisibility(bvNever);
  strip->Options()->DragDrop()->SetDragType(dtNone);
  // The strip's menu deletes no page of the editor.
  strip->OnButtonCloseTabClick = [](TObject*, TStripTab* Tab, bool& Close) {
    if (Tab->Tag() >= 1) Close = false;
  };
  Integer tag = 1;
  for (const char16_t* caption : Captions) {
    TStripTab* tab = strip->Tabs()->Add();
    tab->SetCaption(caption);
    tab->SetTag(tag++);
  }
  return strip;
}

// The controls of one data panel (unidirectional or Smart-ACK), named with Suffix.
struct TData_Panel_Controls {
  TTreeView** Tree;
  TTabStrip** Selector;
  TPanel** EEP_Page;
  TLabel **L_Rorg, **L_Func, **L_Type;
  TComboBox **Rorg, **Func, **Type;
  TFadeButton **EEP_Add, **EEP_Modify, **EEP_Delete;
  TPanel** Var_Page;
  TLabel **L_Case, **L_DataField, **L_Position, **L_BitStart;
  TComboBox **Case, **DataField;
  TEdit** Position;
  TComboBox** BitStart;
  TFadeButton **Var_Add, **Var_Modify, **Var_Delete;
};

}  // namespace

void TFEnOcean_SetAccess::Create_Controls() {
  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
  Set_Client_Size(1150, 650);

  auto label = [this](TWinControl* Parent, const String& Name, Integer Top, const String& Caption) {
    TLabel* l = Create_Label(Parent, Name, Label_Left, Top);
    l->SetCaption(Caption);
    return l;
  };
  auto button = [this](TWinControl* Parent, const String& Name, Integer Left, Integer Top, TDialogGlyph Glyph,
                       const String& Caption) {
    TFadeButton* b = Create_Dialog_Button(Parent, Name, Left, Top, Button_Width, Button_Height, Glyph);
    b->SetCaption(Caption);
    return b;
  };

  // The devices, on the left.
  L_ID_Devices_List = Create_Label(this, u"L_ID_Devices_List", Label_Left, 77);
  L_ID_Devices_List->Font()->SetStyle(TFontStyles{fsBold});
  LB_ID_Devices_List = new TListBox(this);
  LB_ID_Devices_List->SetName(u"LB_ID_Devices_List");
  LB_ID_Devices_List->SetParent(this);
  LB_ID_Devices_List->SetBounds(Label_Left, 97, 241, 505);

  // The pages of the selected device, on the right.
  CT_ID_Data = New_Selector(this, this, u"CT_ID_Data", 273, 72, 870, {u"ID & Security", u"Data Exchange"});
  PEnOcean_DefID_IDSec = New_Panel(this, this, u"PEnOcean_DefID_IDSec", 273, 102, 870, 500);
  PEnOcean_DefID_DataEx = New_Panel(this, this, u"PEnOcean_DefID_DataEx", 273, 102, 870, 500);

  // "ID & Security".
  TPanel* id_sec = PEnOcean_DefID_IDSec;
  const Integer* row = Device_Row_Tops;
  Create_Device_Fields(id_sec, row[0], Label_Left, Device_Input_Left, Device_Input_Width);
  // Below the last field shown (the security type moves them); as designed, below the PTM.
  Btn_Add_Device = button(id_sec, u"Btn_Add_Device", Label_Left, row[8] + 33, dgAdd, u"Add Device");
  Btn_Modify_Device = button(id_sec, u"Btn_Modify_Device", Label_Left + Button_Width + 8, row[8] + 33, dgModify,
                             u"Modify Device");
  Btn_Delete_Device = button(id_sec, u"Btn_Delete_Device", Label_Left, row[8] + 67, dgDelete, u"Delete Device");

  // "Data Exchange": the unidirectional and the Smart-ACK panel.
  CT_Uni_Smart_Remote = New_Selector(this, PEnOcean_DefID_DataEx, u"CT_Uni_Smart_Remote", 0, 0, 870,
                                     {u"Unidirectional", u"Smart ACK", u"Remote"});
  CT_Uni_Smart_Remote->Tabs()->Items(2)->SetVisible(false);
  PEnOcean_DefID_Data_Uni = New_Panel(this, PEnOcean_DefID_DataEx, u"PEnOcean_DefID_Data_Uni", 0, 30, 870, 470);
  PEnOcean_DefID_Data_Smart = New_Panel(this, PEnOcean_DefID_DataEx, u"PEnOcean_DefID_Data_Smart", 0, 30, 870, 470);

  auto data_panel = [&](TPanel* Panel, const String& Suffix, const TData_Panel_Controls& c) {
    auto* tree = new TTreeView(this);
    tree->SetName(u"TW_" + String(Suffix.empty() ? u"UniSmart" : u"Smart") + u"_EEP");
    tree->SetParent(Panel);
    tree->SetBounds(8, 8, 369, 450);
    tree->SetReadOnly(true);
    tree->SetRowSelect(true);
    tree->SetHideSelection(false);
    tree->SetShowRoot(false);
    *c.Tree = tree;
    *c.Selector = New_Selector(this, Panel, u"CT_EEP_Var" + Suffix, 385, 8, 470, {u"EEP", u"Variable"});

    TPanel* eep = New_Panel(this, Panel, u"PEnOcean_EEP" + Suffix, 385, 38, 470, 420);
    *c.EEP_Page = eep;
    *c.L_Rorg = label(eep, u"L_EEP_Rorg" + Suffix, 16, u"RORG");
    *c.Rorg = New_Field_List(this, eep, u"CB_EEP_Rorg" + Suffix, Field_Input_Left, 16, Field_Input_Width, nullptr);
    *c.L_Func = label(eep, u"L_EEP_Func" + Suffix, 48, u"FUNC");
    *c.Func = New_Field_List(this, eep, u"CB_EEP_Func" + Suffix, Field_Input_Left, 48, Field_Input_Width, nullptr);
    *c.L_Type = label(eep, u"L_EEP_Type" + Suffix, 80, u"TYPE");
    *c.Type = New_Field_List(this, eep, u"CB_EEP_Type" + Suffix, Field_Input_Left, 80, Field_Input_Width, nullptr);
    *c.EEP_Add = button(eep, u"Btn_EEP_Add" + Suffix, 16, 124, dgAdd, u"Add");
    *c.EEP_Modify = button(eep, u"Btn_EEP_Modify" + Suffix, 134, 124, dgModify, u"Modify");
    *c.EEP_Delete = button(eep, u"Btn_EEP_Delete" + Suffix, 252, 124, dgDelete, u"Delete");

    TPanel* var = New_Panel(this, Panel, u"PEnOcean_Var" + Suffix, 385, 38, 470, 420);
    *c.Var_Page = var;
    *c.L_Case = label(var, u"L_Var_Case" + Suffix, 16, u"CASE");
    *c.Case = New_Field_List(this, var, u"CB_Var_Case" + Suffix, Field_Input_Left, 16, Field_Input_Width, nullptr);
    *c.L_DataField = label(var, u"L_Var_DataField" + Suffix, 48, u"Variable");
    *c.DataField = New_Field_List(this, var, u"CB_Var_DataField" + Suffix, Field_Input_Left, 48, Field_Input_Width, nullptr);
    *c.L_Position = label(var, u"L_Var_Position" + Suffix, 80, u"Position");
    *c.Position = New_Field_Edit(this, var, u"E_Var_Position" + Suffix, Field_Input_Left, 80, Field_Input_Width, 0);
    *c.L_BitStart = label(var, u"L_Var_BitStart" + Suffix, 112, u"Bit Start");
    *c.BitStart = New_Field_List(this, var, u"CB_Var_BitStart" + Suffix, Field_Input_Left, 112, Field_Input_Width,
                           &BitStart_Items());
    *c.Var_Add = button(var, u"Btn_Var_Add" + Suffix, 16, 156, dgAdd, u"Add");
    *c.Var_Modify = button(var, u"Btn_Var_Modify" + Suffix, 134, 156, dgModify, u"Modify");
    *c.Var_Delete = button(var, u"Btn_Var_Delete" + Suffix, 252, 156, dgDelete, u"Delete");
  };
  data_panel(PEnOcean_DefID_Data_Uni, u"",
             {&TW_UniSmart_EEP, &CT_EEP_Var, &PEnOcean_EEP, &L_EEP_Rorg, &L_EEP_Func, &L_EEP_Type, &CB_EEP_Rorg,
              &CB_EEP_Func, &CB_EEP_Type, &Btn_EEP_Add, &Btn_EEP_Modify, &Btn_EEP_Delete, &PEnOcean_Var, &L_Var_Case,
              &L_Var_DataField, &L_Var_Position, &L_Var_BitStart, &CB_Var_Case, &CB_Var_DataField, &E_Var_Position,
              &CB_Var_BitStart, &Btn_Var_Add, &Btn_Var_Modify, &Btn_Var_Delete});
  data_panel(PEnOcean_DefID_Data_Smart, u"_Smart",
             {&TW_Smart_EEP, &CT_EEP_Var_Smart, &PEnOcean_EEP_Smart, &L_EEP_Rorg_Smart, &L_EEP_Func_Smart,
              &L_EEP_Type_Smart, &CB_EEP_Rorg_Smart, &CB_EEP_Func_Smart, &CB_EEP_Type_Smart, &Btn_EEP_Add_Smart,
              &Btn_EEP_Modify_Smart, &Btn_EEP_Delete_Smart, &PEnOcean_Var_Smart, &L_Var_Case_Smart,
              &L_Var_DataField_Smart, &L_Var_Position_Smart, &L_Var_BitStart_Smart, &CB_Var_Case_Smart,
              &CB_Var_DataField_Smart, &E_Var_Position_Smart, &CB_Var_BitStart_Smart, &Btn_Var_Add_Smart,
              &Btn_Var_Modify_Smart, &Btn_Var_Delete_Smart});

  // Tab order: the device list, then the fields of each page from top to bottom.
  LB_ID_Devices_List->SetTabOrder(0);
  const std::vector<TWinControl*> device_order = Device_Field_Order();
  for (size_t i = 0; i < device_order.size(); ++i) device_order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  LB_ID_Devices_List->OnClick = [this](TObject* Sender) { LB_ID_Devices_ListClick(Sender); };
  for (TFadeButton* b : {Btn_Add_Device, Btn_Modify_Device, Btn_Delete_Device}) {
    b->OnClick = [this](TObject* Sender) { Btn_Add_Modify_DeviceClick(Sender); };
  }
  CB_DevEnOcean_SecType->OnChange = [this](TObject* Sender) { CB_DevEnOcean_SecTypeChange(Sender); };
  for (TComboBox* list : {CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, CB_Var_Case, CB_EEP_Rorg_Smart, CB_EEP_Func_Smart,
                          CB_EEP_Type_Smart, CB_Var_Case_Smart}) {
    list->OnChange = [this](TObject* Sender) { CB_EEP_Rorg_Func_Type_Change(Sender); };
  }
  for (TFadeButton* b : {Btn_EEP_Add, Btn_EEP_Modify, Btn_EEP_Delete, Btn_EEP_Add_Smart, Btn_EEP_Modify_Smart,
                         Btn_EEP_Delete_Smart}) {
    b->OnClick = [this](TObject* Sender) { Btn_EEP_Add_Modify_Click(Sender); };
  }
  for (TFadeButton* b : {Btn_Var_Add, Btn_Var_Modify, Btn_Var_Delete, Btn_Var_Add_Smart, Btn_Var_Modify_Smart,
                         Btn_Var_Delete_Smart}) {
    b->OnClick = [this](TObject* Sender) { Btn_Var_Add_Modify_Click(Sender); };
  }
  for (TTreeView* tree : {TW_UniSmart_EEP, TW_Smart_EEP}) {
    tree->OnClick = [this](TObject* Sender) { TW_UniSmart_EEPClick(Sender); };
  }
  CT_ID_Data->OnActiveTabChanged = [this](TObject* Sender, TStripTab* Tab) { CT_ID_DataActiveTabChanged(Sender, Tab); };
  CT_Uni_Smart_Remote->OnActiveTabChanged = [this](TObject* Sender, TStripTab* Tab) {
    CT_Uni_Smart_RemoteActiveTabChanged(Sender, Tab);
  };
  CT_EEP_Var->OnActiveTabChanged = [this](TObject* Sender, TStripTab* Tab) { CT_EEP_VarActiveTabChanged(Sender, Tab); };
  CT_EEP_Var_Smart->OnActiveTabChanged = [this](TObject* Sender, TStripTab* Tab) {
    CT_EEP_Var_SmartActiveTabChanged(Sender, Tab);
  };
}
