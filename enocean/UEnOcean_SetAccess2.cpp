#include "enocean/UEnOcean_SetAccess2.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGrid.h"
#include "components/tabs/TabStrip.h"
#include "enocean/DeviceCheck.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Catalog.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_Fields.h"
#include "enocean/UEnOcean_NetworkFile.h"
#include "enocean/UEnOcean_Variable.h"
#include "enocean/UEnOcean_Variable_SAck.h"
#include "enocean/VariableChoice.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

TFEnOcean_SetAccess2* FEnOcean_SetAccess2 = nullptr;

namespace {

constexpr Integer Client_Width = 1150;
constexpr Integer Client_Height = 410;

// Texts of the questions and the message.
constexpr Integer Text_Remove_Device = 1222;   // "Are you sure to cancel the Device EnOcean?"
constexpr Integer Text_Select_Device = 1231;   // "Error!! Insert or select one EnOcean Device"

// The detail grid: the left column's texts, the colours of its heading and field rows.
constexpr TColor Heading_Color = 0xF0CAA6;
constexpr TColor Field_Color = 0xC0DCC0;
constexpr Integer Row_EEP = 0;
constexpr Integer Row_Rorg = 1;
constexpr Integer Row_Func = 2;
constexpr Integer Row_Type = 3;
constexpr Integer Row_Variable_Heading = 4;
constexpr Integer Row_Case = 5;
constexpr Integer Row_Variable = 6;
constexpr Integer Row_Position = 7;
constexpr Integer Row_BitStart = 8;

bool Ask_Yes(Integer TextId) {
  return MessageDlg(Get_Text(TextId), mtConfirmation, mbYesNoCancel) == mrYes;
}

}  // namespace

TFEnOcean_SetAccess2::TFEnOcean_SetAccess2(TComponent* AOwner) : TFDialog(AOwner) { Create_Controls(); }

TFEnOcean_SetAccess2::~TFEnOcean_SetAccess2() = default;

// ---- Creation and texts

void TFEnOcean_SetAccess2::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(Client_Width, Client_Height);
  Set_Lang();
  CT_Uni_Smart_Remote->Tabs()->Items(pgSmartACK)->SetVisible(false);
  Init_Table();
  Cancel_Devices_List();
}

void TFEnOcean_SetAccess2::Set_Lang() {
  SetCaption(Get_Text(1200));
  L_SW_Desc->SetCaption(Get_Text(1201));
  Btn_OK->SetCaption(Get_Text(1202));
  Btn_Cancel->SetCaption(Get_Text(1203));
  Btn_OK->SetHint(Get_Text(1204));
  Btn_Cancel->SetHint(Get_Text(1205));
  L_ID_Devices_List->SetCaption(Get_Text(1206));
  Btn_Add_Device->SetHint(Get_Text(1207));
  Btn_Remove_Device->SetHint(Get_Text(1208));
  Btn_Modify_Device->SetHint(Get_Text(1209));
  Btn_Add_Variable->SetHint(Get_Text(1210));
  Btn_Remove_Variable->SetHint(Get_Text(1211));
  Btn_Modify_Variable->SetHint(Get_Text(1212));
}

void TFEnOcean_SetAccess2::Init_Table() {
  struct TRowText {
    Integer Row;
    Integer TextId;
    TColor Color;
  };
  static const TRowText rows[] = {
      {Row_EEP, 1213, Heading_Color},      {Row_Rorg, 1214, Field_Color},     {Row_Func, 1215, Field_Color},
      {Row_Type, 1216, Field_Color},       {Row_Variable_Heading, 1217, Heading_Color},
      {Row_Case, 1218, Field_Color},       {Row_Variable, 1219, Field_Color}, {Row_Position, 1220, Field_Color},
      {Row_BitStart, 1221, Field_Color},
  };
  for (const TRowText& row : rows) {
    ESG_EEP_Var->SetCells(0, row.Row, Get_Text(row.TextId));
    ESG_EEP_Var->CellProperties(0, row.Row)->SetBrushColor(row.Color);
  }
  // The two headings span both columns.
  ESG_EEP_Var->MergeCells(0, Row_EEP, 2, 1);
  ESG_EEP_Var->MergeCells(0, Row_Variable_Heading, 2, 1);
}

// ---- Showing, OK and the network file

void TFEnOcean_SetAccess2::Restore_Pages() {
  TTabStripList* tabs = CT_Uni_Smart_Remote->Tabs();
  const TPage active = Active_Page();
  // Tabs the strip's menu added go; the editor's own three stand in their order, unpinned, with
  // their captions, "Unidirectional" shown and "Remote" hidden ("Smart ACK" keeps its state).
  for (Integer i = tabs->Count() - 1; i >= 0; --i)
    if (tabs->Items(i)->Tag() < 1 || tabs->Items(i)->Tag() > 3) tabs->DeleteTab(i, true);
  const String captions[] = {u"Unidirectional", u"Smart ACK", u"Remote"};
  for (Integer page = 0; page < 3; ++page) {
    TStripTab* tab = nullptr;
    for (Integer i = 0; i < tabs->Count() && !tab; ++i)
      if (tabs->Items(i)->Tag() == page + 1) tab = tabs->Items(i);
    if (!tab) {
      tab = tabs->Add();
      tab->SetTag(page + 1);
      if (page == pgSmartACK) tab->SetVisible(false);
    }
    if (tab->Pinned()) tab->SetPinned(false);
    tab->SetCaption(captions[page]);
    if (tab->Index() != page) tabs->Move(tab->Index(), page);
  }
  tabs->Items(pgUnidirectional)->SetVisible(true);
  tabs->Items(2)->SetVisible(false);
  // The page shown last stays the active one; without one the unidirectional list is shown.
  CT_Uni_Smart_Remote->SetActiveTabIndex(active == pgNone ? pgUnidirectional : active);
}

void TFEnOcean_SetAccess2::FormShow(TObject* /*Sender*/) {
  Restore_Pages();
  // Whatever an earlier showing left unsaved is dropped: the file is the network.
  Cancel_Devices_List();
  Load_Configuration();
  Show_EnOcean_Device_List();
}

void TFEnOcean_SetAccess2::Btn_OKClick(TObject* /*Sender*/) {
  // A network that cannot be written keeps the dialog open, so nothing is lost.
  if (Save_Configuration()) SetModalResult(mrOk);
}

// ---- Selection

Integer TFEnOcean_SetAccess2::Selected_Device_Index() const { return Selected_Device_In(LB_ID_Devices_List); }

TDevice_EnOcean* TFEnOcean_SetAccess2::Selected_Device() const {
  const Integer index = Selected_Device_Index();
  return index < 0 ? nullptr : DevList[index].get();
}

TFEnOcean_SetAccess2::TPage TFEnOcean_SetAccess2::Active_Page() const {
  // Pages are told by the tab itself rather than by its position: the strip's own menu can add and
  // delete tabs, and a tab it added must not take over an EEP list.
  const TStripTab* tab = CT_Uni_Smart_Remote->ActiveTab();
  if (!tab) return pgNone;
  switch (tab->Tag()) {
    case 1 + pgUnidirectional:
      return pgUnidirectional;
    case 1 + pgSmartACK:
      return pgSmartACK;
    default:
      return pgNone;
  }
}

// ---- What the dialog shows

void TFEnOcean_SetAccess2::Show_EnOcean_Device_List() {
  LB_ID_Devices_List->Items()->BeginUpdate();
  LB_ID_Devices_List->Items()->Clear();
  for (const auto& device : DevList) LB_ID_Devices_List->Items()->Add(Device_Line_Str(*device));
  LB_ID_Devices_List->Items()->EndUpdate();
  LB_ID_Devices_List->SetItemIndex(-1);
}

void TFEnOcean_SetAccess2::Show_EnOcean_TreeView_Uni_SAck(Integer Ind_Device) {
  TTreeNodes* nodes = TW_UniSmart_EEP->Items();
  nodes->BeginUpdate();
  nodes->Clear();
  const TPage page = Active_Page();
  // A page that is no EEP list shows an empty tree, so no selection is left that the actions
  // could take for a position in another list.
  if (page != pgNone && Ind_Device >= 0 && Ind_Device < static_cast<Integer>(DevList.size())) {
    TTreeNode* root = nodes->Add(nullptr, EEP_Tree_Root_Str(page));
    for (const auto& eep : Device_EEP_List(*DevList[Ind_Device], page)) {
      TTreeNode* eep_node = nodes->AddChild(root, EEP_Node_Str(*eep));
      for (const auto& var : eep->VariableList) nodes->AddChild(eep_node, Variable_Node_Str(*var));
    }
    TW_UniSmart_EEP->FullExpand();
  }
  nodes->EndUpdate();
}

void TFEnOcean_SetAccess2::Find_Selected_EEP_Var() { Find_Selected_EEP_Var_In(TW_UniSmart_EEP); }

void TFEnOcean_SetAccess2::Show_EnOcean_ESG_EEP_Var() {
  const TPage page = Active_Page();
  const TEEP_Var_Detail detail =
      Get_EEP_Var_Detail(EnOcean_Catalog(), page == pgNone ? nullptr : Selected_Device(), page, Ind_EEP, Ind_Var);
  ESG_EEP_Var->SetCells(1, Row_Rorg, detail.Rorg);
  ESG_EEP_Var->SetCells(1, Row_Func, detail.Func);
  ESG_EEP_Var->SetCells(1, Row_Type, detail.Type);
  ESG_EEP_Var->SetCells(1, Row_Case, detail.Case);
  ESG_EEP_Var->SetCells(1, Row_Variable, detail.Variable);
  ESG_EEP_Var->SetCells(1, Row_Position, detail.Position);
  ESG_EEP_Var->SetCells(1, Row_BitStart, detail.BitStart);
}

// ---- Events of the device list, the tree and the page selector

void TFEnOcean_SetAccess2::LB_ID_Devices_ListClick(TObject* /*Sender*/) {
  const Integer index = Selected_Device_Index();
  if (index < 0) return;
  Show_EnOcean_TreeView_Uni_SAck(index);
  Find_Selected_EEP_Var();
  Show_EnOcean_ESG_EEP_Var();
}

void TFEnOcean_SetAccess2::LB_ID_Devices_ListDblClick(TObject* /*Sender*/) {
  if (Selected_Device_Index() >= 0) {
    Modify_EnOcean_Device();
  } else {
    Add_EnOcean_Device();
  }
}

void TFEnOcean_SetAccess2::TW_UniSmart_EEPClick(TObject* /*Sender*/) {
  Find_Selected_EEP_Var();
  Show_EnOcean_ESG_EEP_Var();
}

void TFEnOcean_SetAccess2::CT_Uni_Smart_RemoteActiveTabChanged(TObject* /*Sender*/, TStripTab* /*ATab*/) {
  Ind_EEP = -1;
  Ind_Var = -1;
  Show_EnOcean_TreeView_Uni_SAck(Selected_Device_Index());
}

// ---- Devices

void TFEnOcean_SetAccess2::Btn_DeviceClick(TObject* Sender) {
  if (Sender == Btn_Add_Device) {
    Add_EnOcean_Device();
  } else if (Sender == Btn_Remove_Device) {
    Remove_EnOcean_Device();
  } else if (Sender == Btn_Modify_Device) {
    Modify_EnOcean_Device();
  }
}

void TFEnOcean_SetAccess2::PopUpEnOceanDevice1Click(TObject* Sender) {
  if (Sender == PopUpAddEnOceanDevice1) {
    Add_EnOcean_Device();
  } else if (Sender == PopUpRemoveEnOceanDevice1) {
    Remove_EnOcean_Device();
  } else if (Sender == PopUpModifyEnOceanDevice1) {
    Modify_EnOcean_Device();
  }
}

void TFEnOcean_SetAccess2::Add_EnOcean_Device() {
  if (!FEnOcean_Device) return;
  // A new device starts with an empty ID and no security; the other security fields keep what the
  // dialog showed last.
  TDevice_Data data = FEnOcean_Device->Device_Data();
  data.Id.clear();
  data.Secure_Type = 0;
  FEnOcean_Device->Mode = 0;
  FEnOcean_Device->Show_Device_Data(data);
  if (FEnOcean_Device->ShowModal() != mrOk) return;
  auto device = std::make_unique<TDevice_EnOcean>();
  Set_Device_Data(*device, FEnOcean_Device->Device_Data());
  // An ID already in the network is accepted: the network may list a device twice.
  DevList.push_back(std::move(device));
  Show_EnOcean_Device_List();
}

void TFEnOcean_SetAccess2::Remove_EnOcean_Device() {
  const Integer index = Selected_Device_Index();
  if (index < 0 || !Ask_Yes(Text_Remove_Device)) return;
  DevList.erase(DevList.begin() + index);
  Show_EnOcean_Device_List();
}

void TFEnOcean_SetAccess2::Modify_EnOcean_Device() {
  TDevice_EnOcean* device = Selected_Device();
  if (!device || !FEnOcean_Device) return;
  FEnOcean_Device->Mode = 1;
  FEnOcean_Device->Show_Device_Data(Get_Device_Data(*device));
  if (FEnOcean_Device->ShowModal() != mrOk) return;
  Set_Device_Data(*device, FEnOcean_Device->Device_Data());
  Show_EnOcean_Device_List();
}

// ---- EEPs and variables

void TFEnOcean_SetAccess2::Btn_VariableClick(TObject* Sender) {
  if (Selected_Device_Index() < 0) {
    MessageDlg(Get_Text(Text_Select_Device), mtError, {mbOK});
    return;
  }
  const TPage page = Active_Page();
  if (page == pgUnidirectional) {
    if (Sender == Btn_Add_Variable) {
      Add_Uni_EnOcean_Variable();
    } else if (Sender == Btn_Remove_Variable) {
      Remove_Uni_EnOcean_Variable();
    } else if (Sender == Btn_Modify_Variable) {
      Modify_Uni_EnOcean_Variable();
    }
  } else if (page == pgSmartACK) {
    if (Sender == Btn_Add_Variable) {
      Add_SAck_EnOcean_Variable();
    } else if (Sender == Btn_Remove_Variable) {
      Remove_SAck_EnOcean_Variable();
    } else if (Sender == Btn_Modify_Variable) {
      Modify_SAck_EnOcean_Variable();
    }
  }
  // A page that is no EEP list has nothing to act on.
}

void TFEnOcean_SetAccess2::Add_Uni_EnOcean_Variable() {
  TDevice_EnOcean* device = Selected_Device();
  if (!device || !FEnOcean_Variable) return;
  Find_Selected_EEP_Var();
  // With an EEP or a variable selected the dialog starts from it.
  FEnOcean_Variable->DevList = &DevList;
  FEnOcean_Variable->ShowData_Uni_Add_Var(Selected_Device_Index(), Ind_EEP, Ind_Var);
  FEnOcean_Variable->Uni_SAck = 0;
  FEnOcean_Variable->Mode = 0;
  if (FEnOcean_Variable->ShowModal() != mrOk) return;
  // A triple that is not yet an EEP of the device becomes a new EEP with the variable in it.
  Add_Variable(EnOcean_Catalog(), *device, FEnOcean_Variable->Variable_Choice(), FEnOcean_Variable->EEP_Index);
  Show_EnOcean_TreeView_Uni_SAck(Selected_Device_Index());
}

void TFEnOcean_SetAccess2::Remove_Uni_EnOcean_Variable() {
  Remove_EEP_Variable(pgUnidirectional, {1224, 1223, 1225, 1226});
}

void TFEnOcean_SetAccess2::Modify_Uni_EnOcean_Variable() {
  Modify_EEP_Variable(pgUnidirectional, {1224, 1223, 1225, 1226});
}

void TFEnOcean_SetAccess2::Remove_SAck_EnOcean_Variable() {
  Remove_EEP_Variable(pgSmartACK, {1228, 1227, 1229, 1230});
}

void TFEnOcean_SetAccess2::Modify_SAck_EnOcean_Variable() {
  Modify_EEP_Variable(pgSmartACK, {1228, 1227, 1229, 1230});
}

void TFEnOcean_SetAccess2::Remove_EEP_Variable(TPage Page, const TFlowTexts& Texts) {
  TDevice_EnOcean* device = Selected_Device();
  if (!device) return;
  Find_Selected_EEP_Var();
  const TRorFunTyp_List& list = Device_EEP_List(*device, Page);
  if (Ind_EEP >= 0 && Ind_EEP < static_cast<Integer>(list.size())) {
    if (Ind_Var < 0) {
      const bool has_variables = !list[Ind_EEP]->VariableList.empty();
      if (Ask_Yes(has_variables ? Texts.Remove_EEP_Variables : Texts.Remove_EEP)) Remove_EEP(*device, Page, Ind_EEP);
    } else if (Ask_Yes(Texts.Remove_Variable)) {
      Remove_Variable(*device, Page, Ind_EEP, Ind_Var);
    }
  }
  Show_EnOcean_TreeView_Uni_SAck(Selected_Device_Index());
}

void TFEnOcean_SetAccess2::Modify_EEP_Variable(TPage Page, const TFlowTexts& Texts) {
  TDevice_EnOcean* device = Selected_Device();
  if (!device || !FEnOcean_Variable) return;
  Find_Selected_EEP_Var();
  const TRorFunTyp_List& list = Device_EEP_List(*device, Page);
  if (Ind_EEP < 0 || Ind_EEP >= static_cast<Integer>(list.size())) return;  // nothing, or the root

  const Integer ind_device = Selected_Device_Index();
  const Integer ind_var = Ind_Var;
  FEnOcean_Variable->DevList = &DevList;
  bool release_variables = false;
  if (ind_var < 0) {
    // A new triple does not suit the variables chosen under the old one: the user agrees first
    // that they go.
    if (!list[Ind_EEP]->VariableList.empty()) {
      if (!Ask_Yes(Texts.Release_Variables)) return;
      release_variables = true;
    }
  }
  if (Page == pgUnidirectional) {
    FEnOcean_Variable->ShowData_Uni_Add_Var(ind_device, Ind_EEP, ind_var);
  } else {
    FEnOcean_Variable->ShowData_SAck_Add_Var(ind_device, Ind_EEP, ind_var);
  }
  FEnOcean_Variable->Uni_SAck = Page;
  FEnOcean_Variable->Mode = 1;
  FEnOcean_Variable->Modify_EEP_Var = ind_var < 0 ? 0 : 1;
  // Cancelled, the EEP keeps its numbers and its variables.
  if (FEnOcean_Variable->ShowModal() != mrOk) return;
  const TVariable_Choice choice = FEnOcean_Variable->Variable_Choice();
  if (ind_var < 0) {
    Modify_EEP(EnOcean_Catalog(), *device, choice, release_variables);
  } else {
    Modify_Variable(EnOcean_Catalog(), *device, choice);
  }
  Show_EnOcean_TreeView_Uni_SAck(ind_device);
}

void TFEnOcean_SetAccess2::Add_SAck_EnOcean_Variable() {
  TDevice_EnOcean* device = Selected_Device();
  if (!device || !FEnOcean_Variable_SAck) return;
  FEnOcean_Variable_SAck->DevList = &DevList;
  FEnOcean_Variable_SAck->Ind_Dev = Selected_Device_Index();
  if (FEnOcean_Variable_SAck->ShowModal() != mrOk) return;
  // The group's marked data fields become variables of the Smart-ACK EEP (a new one when the
  // device has no EEP of the chosen triple yet).
  Add_SAck_Group(EnOcean_Catalog(), *device, FEnOcean_Variable_SAck->SAck_Choice(), FEnOcean_Variable_SAck->EEP_Index);
  Show_EnOcean_TreeView_Uni_SAck(Selected_Device_Index());
}

void TFEnOcean_SetAccess2::PopUpEEPVariableEnOcean1Click(TObject* /*Sender*/) {}
