#include "enocean/UEnOcean_SetAccess.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/tabs/TabStrip.h"
#include "enocean/DeviceCheck.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Catalog.h"
#include "enocean/UEnOcean_Fields.h"
#include "enocean/UEnOcean_NetworkFile.h"
#include "enocean/VariableChoice.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

TFEnOcean_SetAccess* FEnOcean_SetAccess = nullptr;

namespace {

constexpr Integer Client_Width = 1150;
constexpr Integer Client_Height = 650;

// Text ids of the EEP and variable checks.
constexpr Integer Text_EEP_Present = 869;           // "Error!! EEP already present"
constexpr Integer Text_Select_EEP_For_Variable = 871;  // "Error!! Select or Insert a EEP before add a Variable"

// The device buttons stand this far below the top of the last label shown, the delete button
// this far below them.
constexpr Integer Device_Buttons_Below_Label = 33;
constexpr Integer Delete_Button_Below = 34;

// The pages of the selectors; each page's tab carries its page + 1 as tag (see the layout), so a
// tab that the strip's own menu adds or removes moves no page.
constexpr Integer Page_ID_Security = 0;
constexpr Integer Page_Data_Exchange = 1;
constexpr Integer Page_Unidirectional = 0;
constexpr Integer Page_Smart_ACK = 1;
constexpr Integer Page_EEP = 0;
constexpr Integer Page_Variable = 1;

Integer Active_Page(TTabStrip* Strip) {
  const TStripTab* tab = Strip->ActiveTab();
  return tab ? tab->Tag() - 1 : -1;
}

bool In_Range(Integer Index, size_t Count) { return Index >= 0 && static_cast<size_t>(Index) < Count; }

void Show_Error(Integer TextId, const String& Value = String()) {
  MessageDlg(Get_Text(TextId) + Value, mtError, {mbOK});
}

}  // namespace

TFEnOcean_SetAccess::TFEnOcean_SetAccess(TComponent* AOwner) : TFEnOcean_Device_Fields(AOwner) { Create_Controls(); }

TFEnOcean_SetAccess::~TFEnOcean_SetAccess() = default;

// ---- Creation, texts, showing and closing

void TFEnOcean_SetAccess::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(Client_Width, Client_Height);
  Set_Lang();
  for (TTabStrip* strip : {CT_ID_Data, CT_Uni_Smart_Remote, CT_EEP_Var, CT_EEP_Var_Smart}) {
    strip->SetActiveTabIndex(0);
  }
  // A strip whose first tab was active already reports no change: the pages are shown here.
  CT_ID_DataActiveTabChanged(CT_ID_Data, CT_ID_Data->ActiveTab());
  CT_Uni_Smart_RemoteActiveTabChanged(CT_Uni_Smart_Remote, CT_Uni_Smart_Remote->ActiveTab());
  CT_EEP_VarActiveTabChanged(CT_EEP_Var, CT_EEP_Var->ActiveTab());
  CT_EEP_Var_SmartActiveTabChanged(CT_EEP_Var_Smart, CT_EEP_Var_Smart->ActiveTab());
}

void TFEnOcean_SetAccess::Set_Lang() {
  SetCaption(Get_Text(800));
  L_SW_Desc->SetCaption(Get_Text(801));
  Btn_OK->SetCaption(Get_Text(802));
  Btn_Cancel->SetCaption(Get_Text(803));
  Btn_OK->SetHint(Get_Text(804));
  Btn_Cancel->SetHint(Get_Text(805));
  L_ID_Devices_List->SetCaption(Get_Text(806));
  CT_ID_Data->Tabs()->Items(0)->SetCaption(Get_Text(807));
  CT_ID_Data->Tabs()->Items(1)->SetCaption(Get_Text(808));
  Set_Device_Field_Texts(809);
  // Caption and hint of each button, from id on.
  auto button_texts = [](std::initializer_list<TFadeButton*> Buttons, Integer From) {
    for (TFadeButton* button : Buttons) {
      button->SetCaption(Get_Text(From++));
      button->SetHint(Get_Text(From++));
    }
  };
  button_texts({Btn_Add_Device, Btn_Modify_Device, Btn_Delete_Device}, 827);
  CT_Uni_Smart_Remote->Tabs()->Items(0)->SetCaption(Get_Text(833));
  CT_Uni_Smart_Remote->Tabs()->Items(1)->SetCaption(Get_Text(834));
  CT_Uni_Smart_Remote->Tabs()->Items(2)->SetCaption(Get_Text(835));
  CT_EEP_Var->Tabs()->Items(0)->SetCaption(Get_Text(836));
  CT_EEP_Var->Tabs()->Items(1)->SetCaption(Get_Text(837));
  const std::pair<TLabel*, TControl*> fields[] = {
      {L_EEP_Rorg, CB_EEP_Rorg}, {L_EEP_Func, CB_EEP_Func}, {L_EEP_Type, CB_EEP_Type}, {L_Var_Case, CB_Var_Case},
  };
  Integer id = 838;
  for (const auto& [label, input] : fields) {
    label->SetCaption(Get_Text(id++));
    input->SetHint(Get_Text(id++));
  }
  button_texts({Btn_EEP_Add, Btn_EEP_Modify, Btn_EEP_Delete}, 846);
  const std::pair<TLabel*, TControl*> var_fields[] = {
      {L_Var_DataField, CB_Var_DataField}, {L_Var_Position, E_Var_Position}, {L_Var_BitStart, CB_Var_BitStart}};
  id = 852;
  for (const auto& [label, input] : var_fields) {
    label->SetCaption(Get_Text(id++));
    input->SetHint(Get_Text(id++));
  }
  button_texts({Btn_Var_Add, Btn_Var_Modify, Btn_Var_Delete}, 858);
}

void TFEnOcean_SetAccess::FormShow(TObject* /*Sender*/) {
  Cancel_Devices_List();
  Load_Configuration();
  Show_Id_List();
  CB_DevEnOcean_SecTypeChange(CB_DevEnOcean_SecType);
  // The catalogue lists start from the RORG; nothing of an earlier showing stays chosen.
  Refill(CB_EEP_Rorg, &EnOcean_Catalog().Rorg_SL);
  CB_EEP_Rorg_Func_Type_Change(CB_EEP_Rorg);
  Update_Data_Exchange(-1);
  Ind_EEP = -1;
  Ind_Var = -1;
}

void TFEnOcean_SetAccess::FormClose(TObject* /*Sender*/, TCloseAction& /*Action*/) { Cancel_Devices_List(); }

void TFEnOcean_SetAccess::Btn_OKClick(TObject* /*Sender*/) {
  if (Save_Configuration()) SetModalResult(mrOk);
}

// ---- Devices

Integer TFEnOcean_SetAccess::Selected_Device_Index() const { return Selected_Device_In(LB_ID_Devices_List); }

void TFEnOcean_SetAccess::Show_Id_List() {
  LB_ID_Devices_List->Items()->BeginUpdate();
  LB_ID_Devices_List->Items()->Clear();
  for (const auto& device : DevList) LB_ID_Devices_List->Items()->Add(u"ID " + device->FId);
  LB_ID_Devices_List->Items()->EndUpdate();
  LB_ID_Devices_List->SetItemIndex(-1);
}

bool TFEnOcean_SetAccess::Check_Data_Device() {
  // Silent: a device that does not pass is simply not taken.
  return Check_Device_Data(Device_Data()).OK();
}

void TFEnOcean_SetAccess::LB_ID_Devices_ListClick(TObject* /*Sender*/) { Update_IdSec_DataEx(); }

void TFEnOcean_SetAccess::Update_IdSec_DataEx() {
  const Integer index = Selected_Device_Index();
  Update_ID_Security(index);
  Update_Data_Exchange(index);
}

void TFEnOcean_SetAccess::Update_ID_Security(Integer Index) {
  if (In_Range(Index, DevList.size())) {
    Show_Device_Data(Get_Device_Data(*DevList[Index]));
  } else {
    TDevice_Data empty;  // empty texts, every list at item 0
    Show_Device_Data(empty);
  }
  CB_DevEnOcean_SecTypeChange(CB_DevEnOcean_SecType);
}

void TFEnOcean_SetAccess::CB_DevEnOcean_SecTypeChange(TObject* /*Sender*/) {
  const TLabel* last = Show_Secure_Pairs().Label;
  if (!last) return;  // no type selected: the fields stay as they are
  // The device buttons follow the last label shown; the window keeps its height.
  const Integer top = last->Top() + Device_Buttons_Below_Label;
  Btn_Add_Device->SetTop(top);
  Btn_Modify_Device->SetTop(top);
  Btn_Delete_Device->SetTop(top + Delete_Button_Below);
}

void TFEnOcean_SetAccess::Btn_Add_Modify_DeviceClick(TObject* Sender) {
  if (Sender == Btn_Add_Device) {
    if (!Check_Data_Device()) return;
    auto device = std::make_unique<TDevice_EnOcean>();
    Set_Device_Data(*device, Device_Data());
    // IDs may repeat.
    DevList.push_back(std::move(device));
    Show_Id_List();
  } else if (Sender == Btn_Modify_Device) {
    const Integer index = Selected_Device_Index();
    if (index < 0 || !Check_Data_Device()) return;
    Set_Device_Data(*DevList[index], Device_Data());
    Show_Id_List();
    // The device stays selected, so the fields and the tree still show it.
    LB_ID_Devices_List->SetItemIndex(index);
  }
  // Btn_Delete_Device: devices are not removed in this editor.
}

// ---- The tree

TRorFunTyp_List* TFEnOcean_SetAccess::Active_EEP_List() const {
  const Integer index = Selected_Device_Index();
  if (index < 0) return nullptr;
  const Integer page = Active_Page(CT_Uni_Smart_Remote);
  if (page != Page_Unidirectional && page != Page_Smart_ACK) return nullptr;
  return &Device_EEP_List(*DevList[index], page);
}

void TFEnOcean_SetAccess::Update_Data_Exchange(Integer Index) {
  switch (Active_Page(CT_Uni_Smart_Remote)) {
    case Page_Unidirectional:
      Update_DE_Unidirectional(Index);
      break;
    case Page_Smart_ACK:
      Update_DE_Smart_Ack(Index);
      break;
    default:
      Update_DE_Remote(Index);
      break;
  }
}

namespace {

// Fills Tree with the EEPs of List under a root captioned Root.
void Fill_Tree(TTreeView* Tree, const String& Root, const TRorFunTyp_List* List) {
  TTreeNodes* nodes = Tree->Items();
  nodes->BeginUpdate();
  nodes->Clear();
  if (List) {
    TTreeNode* root = nodes->Add(nullptr, Root);
    for (const auto& eep : *List) {
      TTreeNode* eep_node = nodes->AddChild(root, EEP_Node_Str(*eep));
      for (const auto& var : eep->VariableList) nodes->AddChild(eep_node, Variable_Node_Str(*var));
    }
    Tree->FullExpand();
  }
  nodes->EndUpdate();
}

}  // namespace

void TFEnOcean_SetAccess::Update_DE_Unidirectional(Integer Index) {
  Fill_Tree(TW_UniSmart_EEP, u"Unidirectional - EEP List",
            In_Range(Index, DevList.size()) ? &DevList[Index]->UnidirectionalList : nullptr);
}

void TFEnOcean_SetAccess::Update_DE_Smart_Ack(Integer Index) {
  Fill_Tree(TW_UniSmart_EEP, u"Smart Ack - EEP List",
            In_Range(Index, DevList.size()) ? &DevList[Index]->SmartACKList : nullptr);
}

void TFEnOcean_SetAccess::Update_DE_Remote(Integer Index) {
  // No EEP list: the tree shows nothing, so no selection is left for another list.
  Fill_Tree(TW_UniSmart_EEP, String(), nullptr);
  (void)Index;
}

void TFEnOcean_SetAccess::Find_Selected_EEP_Var() { Find_Selected_EEP_Var_In(TW_UniSmart_EEP); }

void TFEnOcean_SetAccess::Show_Tree_Selecting(Integer EEP, Integer Var) {
  Update_Data_Exchange(Selected_Device_Index());
  TTreeNode* node = TW_UniSmart_EEP->Items()->GetFirstNode();
  if (node && In_Range(EEP, node->Count())) {
    node = node->Item(EEP);
    if (Var >= 0) node = In_Range(Var, node->Count()) ? node->Item(Var) : nullptr;
    TW_UniSmart_EEP->SetSelected(node);
  }
  Find_Selected_EEP_Var();
}

void TFEnOcean_SetAccess::TW_UniSmart_EEPClick(TObject* /*Sender*/) {
  // The Smart-ACK panel's tree is never filled: both trees read the unidirectional panel's.
  Find_Selected_EEP_Var();
  Update_EEP_VAR();
}

void TFEnOcean_SetAccess::Update_EEP_VAR() {
  const TRorFunTyp_List* list = Active_EEP_List();
  if (!list || !In_Range(Ind_EEP, list->size())) return;
  const TRorFunTyp& eep = *(*list)[Ind_EEP];
  const TCatalog_EnOcean& cat = EnOcean_Catalog();
  // Each level is chosen as a user would, so the list below it fills; a level the catalogue does
  // not hold (a network made with another catalogue) leaves the lists below it empty.
  auto choose = [this](TComboBox* List, Integer Index) {
    List->SetItemIndex(Index);
    CB_EEP_Rorg_Func_Type_Change(List);
    return Index >= 0;
  };
  if (!choose(CB_EEP_Rorg, cat.Get_RorgNum_Index(eep.FRorgNum))) return;
  if (!choose(CB_EEP_Func, cat.Get_FuncNum_Index(eep.FRorgNum, eep.FFuncNum))) return;
  const Integer type = cat.Get_TypeNum_Index(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum);
  if (!choose(CB_EEP_Type, type)) return;
  if (!In_Range(Ind_Var, eep.VariableList.size())) return;
  const TVarEnOcean& var = *eep.VariableList[Ind_Var];
  if (!cat.Get_Case(CB_EEP_Rorg->ItemIndex(), CB_EEP_Func->ItemIndex(), type, var.FCaseIndex)) return;
  choose(CB_Var_Case, var.FCaseIndex);
  CB_Var_DataField->SetItemIndex(
      cat.Get_DataField_Index(eep.FRorgNum, eep.FFuncNum, eep.FTypeNum, var.FCaseIndex, var.FData));
  E_Var_Position->SetText(IntToStr(var.FPosition));
  CB_Var_BitStart->SetItemIndex(var.FBitStart);
}

// ---- The catalogue lists

void TFEnOcean_SetAccess::CB_EEP_Rorg_Func_Type_Change(TObject* Sender) {
  // Only the unidirectional panel's lists cascade.
  Cascade_Catalog_Lists({CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, {CB_Var_Case}, CB_Var_DataField}, Sender);
}

// ---- EEPs

bool TFEnOcean_SetAccess::Check_EEP(Integer Index) {
  const TCatalog_EnOcean& cat = EnOcean_Catalog();
  const Integer r = CB_EEP_Rorg->ItemIndex();
  const Integer f = CB_EEP_Func->ItemIndex();
  const Integer t = CB_EEP_Type->ItemIndex();
  if (!cat.Get_Rorg(r)) {
    Show_Error(Text_Select_Rorg);
    return false;
  }
  if (!cat.Get_Func(r, f)) {
    Show_Error(Text_Select_Func);
    return false;
  }
  const TType* type = cat.Get_Type(r, f, t);
  if (!type) {
    Show_Error(Text_Select_Type);
    return false;
  }
  const TDevice_EnOcean& device = *DevList[Selected_Device_Index()];
  if (static_cast<Integer>(device.UnidirectionalList.size() + device.SmartACKList.size()) >= Max_EEP_Per_Device) {
    Show_Error(Text_No_Space_EEP);
    return false;
  }
  if (const TRorFunTyp_List* list = Active_EEP_List()) {
    const Integer rorg = cat.Get_Rorg(r)->FNumber;
    const Integer func = cat.Get_Func(r, f)->FNumber;
    for (size_t i = 0; i < list->size(); ++i) {
      if (static_cast<Integer>(i) == Index) continue;
      const TRorFunTyp& eep = *(*list)[i];
      if (eep.FRorgNum == rorg && eep.FFuncNum == func && eep.FTypeNum == type->FNumber) {
        Show_Error(Text_EEP_Present);
        return false;
      }
    }
  }
  return true;
}

void TFEnOcean_SetAccess::Btn_EEP_Add_Modify_Click(TObject* Sender) {
  // The buttons of the Smart-ACK panel, and Modify, have no effect.
  if (Selected_Device_Index() < 0) return;
  if (Sender == Btn_EEP_Add) {
    if (!Check_EEP(-1)) return;
    const TCatalog_EnOcean& cat = EnOcean_Catalog();
    const Integer r = CB_EEP_Rorg->ItemIndex();
    const Integer f = CB_EEP_Func->ItemIndex();
    auto eep = std::make_unique<TRorFunTyp>();
    eep->FRorgNum = cat.Get_Rorg(r)->FNumber;
    eep->FFuncNum = cat.Get_Func(r, f)->FNumber;
    eep->FTypeNum = cat.Get_Type(r, f, CB_EEP_Type->ItemIndex())->FNumber;
    TRorFunTyp_List* list = Active_EEP_List();
    if (!list) return;  // a page with no EEP list takes none
    list->push_back(std::move(eep));
    Show_Tree_Selecting(static_cast<Integer>(list->size()) - 1, -1);
  } else if (Sender == Btn_EEP_Delete) {
    Find_Selected_EEP_Var();
    TRorFunTyp_List* list = Active_EEP_List();
    if (!list || !In_Range(Ind_EEP, list->size()) || Ind_Var >= 0) return;
    list->erase(list->begin() + Ind_EEP);
    Show_Tree_Selecting(-1, -1);
  }
}

// ---- Variables

bool TFEnOcean_SetAccess::Check_Var(Integer /*Index*/) {
  const TCatalog_EnOcean& cat = EnOcean_Catalog();
  const Integer r = CB_EEP_Rorg->ItemIndex();
  const Integer f = CB_EEP_Func->ItemIndex();
  const Integer t = CB_EEP_Type->ItemIndex();
  if (!cat.Get_DataField(r, f, t, CB_Var_Case->ItemIndex(), CB_Var_DataField->ItemIndex())) {
    Show_Error(Text_Select_Variable);
    return false;
  }
  const Integer position = Variable_Position_Value(E_Var_Position->Text());
  if (position < 0 || position > Max_Var_Position) {
    Show_Error(Text_Position_Range, IntToStr(Max_Var_Position));
    return false;
  }
  // The data field must belong to the EEP it is added to: the lists may have been changed since
  // the EEP was selected.
  const TRorFunTyp& eep = *(*Active_EEP_List())[Ind_EEP];
  if (cat.Get_Rorg(r)->FNumber != eep.FRorgNum || cat.Get_Func(r, f)->FNumber != eep.FFuncNum ||
      cat.Get_Type(r, f, t)->FNumber != eep.FTypeNum) {
    Show_Error(Text_Select_EEP_For_Variable);
    return false;
  }
  return true;
}

void TFEnOcean_SetAccess::Btn_Var_Add_Modify_Click(TObject* Sender) {
  // The buttons of the Smart-ACK panel, and Modify, have no effect.
  Find_Selected_EEP_Var();
  TRorFunTyp_List* list = Active_EEP_List();
  if (!list || !In_Range(Ind_EEP, list->size())) return;
  if (Sender == Btn_Var_Add) {
    if (!Check_Var(-1)) return;
    TVariable_Choice choice;
    choice.RorgInd = CB_EEP_Rorg->ItemIndex();
    choice.FuncInd = CB_EEP_Func->ItemIndex();
    choice.TypeInd = CB_EEP_Type->ItemIndex();
    choice.CaseInd = CB_Var_Case->ItemIndex();
    choice.VarInd = CB_Var_DataField->ItemIndex();
    choice.Position = E_Var_Position->Text();
    choice.BitStart = CB_Var_BitStart->ItemIndex();
    auto& vars = (*list)[Ind_EEP]->VariableList;
    vars.push_back(Make_Variable(EnOcean_Catalog(), choice));
    Show_Tree_Selecting(Ind_EEP, static_cast<Integer>(vars.size()) - 1);
  } else if (Sender == Btn_Var_Delete) {
    auto& vars = (*list)[Ind_EEP]->VariableList;
    if (!In_Range(Ind_Var, vars.size())) return;
    vars.erase(vars.begin() + Ind_Var);
    Show_Tree_Selecting(-1, -1);
  }
}

// ---- The page selectors

void TFEnOcean_SetAccess::CT_ID_DataActiveTabChanged(TObject* /*Sender*/, TStripTab* /*ATab*/) {
  const Integer page = Active_Page(CT_ID_Data);
  PEnOcean_DefID_IDSec->SetVisible(page == Page_ID_Security);
  PEnOcean_DefID_DataEx->SetVisible(page == Page_Data_Exchange);
}

void TFEnOcean_SetAccess::CT_Uni_Smart_RemoteActiveTabChanged(TObject* /*Sender*/, TStripTab* /*ATab*/) {
  const Integer page = Active_Page(CT_Uni_Smart_Remote);
  PEnOcean_DefID_Data_Uni->SetVisible(page == Page_Unidirectional);
  PEnOcean_DefID_Data_Smart->SetVisible(page == Page_Smart_ACK);
  // The tree follows the page, so its selection always names an entry of the page's list.
  Ind_EEP = -1;
  Ind_Var = -1;
  Update_Data_Exchange(Selected_Device_Index());
}

void TFEnOcean_SetAccess::CT_EEP_VarActiveTabChanged(TObject* /*Sender*/, TStripTab* /*ATab*/) {
  const Integer page = Active_Page(CT_EEP_Var);
  PEnOcean_EEP->SetVisible(page == Page_EEP);
  PEnOcean_Var->SetVisible(page == Page_Variable);
}

void TFEnOcean_SetAccess::CT_EEP_Var_SmartActiveTabChanged(TObject* /*Sender*/, TStripTab* /*ATab*/) {
  const Integer page = Active_Page(CT_EEP_Var_Smart);
  PEnOcean_EEP_Smart->SetVisible(page == Page_EEP);
  PEnOcean_Var_Smart->SetVisible(page == Page_Variable);
}
