// The network editor's controls: the title panel; the device panel on the left (label, list box
// with its menu, three icon buttons); a splitter; on the right the page selector, the EEP tree, a
// second splitter and the detail grid above a bar with three icon buttons; the button panel with OK,
// Cancel and the hidden Scan button.
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGrid.h"
#include "components/tabs/TabStrip.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Icon_Button_Size = 36;
constexpr Integer Icon_Glyph_Size = 24;
constexpr Integer Device_Panel_Width = 273;
constexpr Integer Tree_Panel_Width = 369;
constexpr Integer Selector_Height = 30;
constexpr Integer Variable_Bar_Height = 50;

TPanel* Create_Panel(TComponent* Owner, TWinControl* Parent, const String& Name, TAlign Align, Integer Left,
                     Integer Top, Integer Width, Integer Height) {
  auto* panel = new TPanel(Owner);
  panel->SetName(Name);
  panel->SetParent(Parent);
  panel->SetBounds(Left, Top, Width, Height);
  panel->SetAlign(Align);
  panel->SetBevelOuter(bvNone);
  panel->SetShowCaption(false);
  panel->SetParentColor(true);
  return panel;
}

TSplitter* Create_Splitter(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left) {
  auto* splitter = new TSplitter(Owner);
  splitter->SetName(Name);
  splitter->SetParent(Parent);
  splitter->SetLeft(Left);
  splitter->SetAlign(alLeft);
  return splitter;
}

TMenuItem* Create_Menu_Item(TPopupMenu* Menu, const String& Name, const String& Caption, Integer ImageIndex) {
  auto* item = new TMenuItem(Menu->Owner());
  item->SetName(Name);
  item->SetCaption(Caption);
  item->SetImageIndex(ImageIndex);
  Menu->Items()->Add(item);
  return item;
}

}  // namespace

void TFEnOcean_SetAccess2::Create_Controls() {
  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
  Btn_Scan = Create_Dialog_Button(P_Button, u"Btn_Scan", 252, 6, 110, 28, dgNone);
  Btn_Scan->SetCaption(u"Scan");
  Btn_Scan->SetVisible(false);
  Set_Client_Size(1150, 410);

  // The glyphs of the icon buttons and of the device menu: add, remove, modify.
  IL_BtnImage = new TImageList(this, Icon_Glyph_Size, Icon_Glyph_Size);
  IL_BtnImage->SetName(u"IL_BtnImage");
  for (TDialogGlyph glyph : {dgAdd, dgDelete, dgModify}) {
    TBitmap image;
    Draw_Dialog_Glyph(&image, glyph, Icon_Glyph_Size);
    IL_BtnImage->AddMasked(&image, Glyph_Transparent_Color);
  }
  auto icon_button = [this](TWinControl* Parent, const String& Name, Integer Left, Integer Top, TDialogGlyph Glyph) {
    TFadeButton* button = Create_Dialog_Button(Parent, Name, Left, Top, Icon_Button_Size, Icon_Button_Size, dgNone);
    Setup_Dialog_Button(button, Glyph, Icon_Glyph_Size);
    button->SetCaption(u"");
    return button;
  };

  // The devices, on the left.
  const Integer body_height = 410 - Title_Panel_Height - Button_Panel_Height;
  PEnOcean_ID = Create_Panel(this, this, u"PEnOcean_ID", alLeft, 0, Title_Panel_Height, Device_Panel_Width,
                             body_height);
  L_ID_Devices_List = Create_Label(PEnOcean_ID, u"L_ID_Devices_List", 16, 4);
  L_ID_Devices_List->Font()->SetStyle(TFontStyles{fsBold});
  LB_ID_Devices_List = new TListBox(this);
  LB_ID_Devices_List->SetName(u"LB_ID_Devices_List");
  LB_ID_Devices_List->SetParent(PEnOcean_ID);
  LB_ID_Devices_List->SetBounds(16, 24, Device_Panel_Width - 24, 225);
  const Integer device_buttons_top = 24 + 225 + 8;
  Btn_Add_Device = icon_button(PEnOcean_ID, u"Btn_Add_Device", 16, device_buttons_top, dgAdd);
  Btn_Remove_Device = icon_button(PEnOcean_ID, u"Btn_Remove_Device", 60, device_buttons_top, dgDelete);
  Btn_Modify_Device = icon_button(PEnOcean_ID, u"Btn_Modify_Device", 104, device_buttons_top, dgModify);

  PM_Device_EnOcean = new TPopupMenu(this);
  PM_Device_EnOcean->SetName(u"PM_Device_EnOcean");
  PM_Device_EnOcean->SetImages(IL_BtnImage);
  PopUpAddEnOceanDevice1 = Create_Menu_Item(PM_Device_EnOcean, u"PopUpAddEnOceanDevice1", u"Add EnOcean Device", 0);
  PopUpRemoveEnOceanDevice1 =
      Create_Menu_Item(PM_Device_EnOcean, u"PopUpRemoveEnOceanDevice1", u"Remove EnOcean Device", 1);
  PopUpModifyEnOceanDevice1 =
      Create_Menu_Item(PM_Device_EnOcean, u"PopUpModifyEnOceanDevice1", u"Modify EnOcean Device", 2);
  LB_ID_Devices_List->SetPopupMenu(PM_Device_EnOcean);

  PM_Uni_SAck_EEP_Var = new TPopupMenu(this);
  PM_Uni_SAck_EEP_Var->SetName(u"PM_Uni_SAck_EEP_Var");
  PM_Uni_SAck_EEP_Var->SetImages(IL_BtnImage);
  std::vector<TMenuItem*> eep_var_items = {
      Create_Menu_Item(PM_Uni_SAck_EEP_Var, u"PopUpAddEEPVariableEnOcean1", u"Add EEP/Variable EnOcean", 0),
      Create_Menu_Item(PM_Uni_SAck_EEP_Var, u"PopUpRemoveEEPVariableEnOcean1", u"Remove EEP/Variable EnOcean", 1),
      Create_Menu_Item(PM_Uni_SAck_EEP_Var, u"PopUpModifyEEPVariableEnOcean1", u"Modify EEP/Variable EnOcean", 2)};

  Splitter1 = Create_Splitter(this, this, u"Splitter1", Device_Panel_Width);

  // The EEP lists, on the right.
  PEnOcean_Uni_SAck =
      Create_Panel(this, this, u"PEnOcean_Uni_SAck", alClient, Device_Panel_Width + 3, Title_Panel_Height,
                   1150 - Device_Panel_Width - 3, body_height);
  CT_Uni_Smart_Remote = new TTabStrip(this);
  CT_Uni_Smart_Remote->SetName(u"CT_Uni_Smart_Remote");
  CT_Uni_Smart_Remote->SetParent(PEnOcean_Uni_SAck);
  CT_Uni_Smart_Remote->SetBounds(0, 0, PEnOcean_Uni_SAck->Width(), Selector_Height);
  CT_Uni_Smart_Remote->SetAlign(alTop);
  // A page selector: no add button, no close buttons, no dragging; its own menu stays.
  CT_Uni_Smart_Remote->Options()->Display()->AddButton()->SetVisibility(avNone);
  CT_Uni_Smart_Remote->Options()->Display()->CloseButton()->SetVisibility(bvNever);
  CT_Uni_Smart_Remote->Options()->DragDrop()->SetDragType(dtNone);
  CT_Uni_Smart_Remote->Options()->Behaviour()->SetUseBuiltInPopupMenu(true);
  // Each page's tab carries its page + 1 as tag; tabs added later carry 0 and show no EEP list.
  const String captions[] = {u"Unidirectional", u"Smart ACK", u"Remote"};
  for (Integer i = 0; i < 3; ++i) {
    TStripTab* tab = CT_Uni_Smart_Remote->Tabs()->Add();
    tab->SetCaption(captions[i]);
    tab->SetTag(i + 1);
  }
  CT_Uni_Smart_Remote->Tabs()->Items(2)->SetVisible(false);
  CT_Uni_Smart_Remote->SetActiveTabIndex(0);

  const Integer lists_height = body_height - Selector_Height - Variable_Bar_Height;
  P_Uni_SAck_Bottons = Create_Panel(this, PEnOcean_Uni_SAck, u"P_Uni_SAck_Bottons", alBottom, 0,
                                    Selector_Height + lists_height, PEnOcean_Uni_SAck->Width(), Variable_Bar_Height);
  Btn_Add_Variable = icon_button(P_Uni_SAck_Bottons, u"Btn_Add_Variable", 8, 7, dgAdd);
  Btn_Remove_Variable = icon_button(P_Uni_SAck_Bottons, u"Btn_Remove_Variable", 52, 7, dgDelete);
  Btn_Modify_Variable = icon_button(P_Uni_SAck_Bottons, u"Btn_Modify_Variable", 96, 7, dgModify);

  P_TW_UniSmart_EEP = Create_Panel(this, PEnOcean_Uni_SAck, u"P_TW_UniSmart_EEP", alLeft, 0, Selector_Height,
                                   Tree_Panel_Width, lists_height);
  TW_UniSmart_EEP = new TTreeView(this);
  TW_UniSmart_EEP->SetName(u"TW_UniSmart_EEP");
  TW_UniSmart_EEP->SetParent(P_TW_UniSmart_EEP);
  TW_UniSmart_EEP->SetAlign(alClient);
  TW_UniSmart_EEP->SetReadOnly(true);
  TW_UniSmart_EEP->SetRowSelect(true);
  TW_UniSmart_EEP->SetHideSelection(false);
  TW_UniSmart_EEP->SetShowRoot(false);

  Splitter2 = Create_Splitter(this, PEnOcean_Uni_SAck, u"Splitter2", Tree_Panel_Width);

  ESG_EEP_Var = new TExStringGrid(this);
  ESG_EEP_Var->SetName(u"ESG_EEP_Var");
  ESG_EEP_Var->SetParent(PEnOcean_Uni_SAck);
  ESG_EEP_Var->SetAlign(alClient);
  ESG_EEP_Var->SetColCount(2);
  ESG_EEP_Var->SetRowCount(9);
  ESG_EEP_Var->SetFixedCols(0);
  ESG_EEP_Var->SetFixedRows(0);
  ESG_EEP_Var->SetColWidths(0, 80);
  ESG_EEP_Var->SetColWidths(1, 300);
  // The grid only shows: no cell is edited. A catalogue name that its cell cuts shows whole as the
  // cell's hint.
  ESG_EEP_Var->SetOptions(ESG_EEP_Var->Options() >> goEditing);
  ESG_EEP_Var->SetShowHint(true);
  ESG_EEP_Var->SetHintShowLargeText(true);

  // Tab order: the device list, its buttons, the tree, the grid, the variable buttons.
  const std::vector<TWinControl*> order = {LB_ID_Devices_List, TW_UniSmart_EEP, ESG_EEP_Var};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  for (TFadeButton* button : {Btn_Add_Device, Btn_Remove_Device, Btn_Modify_Device}) {
    button->OnClick = [this](TObject* Sender) { Btn_DeviceClick(Sender); };
  }
  for (TMenuItem* item : {PopUpAddEnOceanDevice1, PopUpRemoveEnOceanDevice1, PopUpModifyEnOceanDevice1}) {
    item->OnClick = [this](TObject* Sender) { PopUpEnOceanDevice1Click(Sender); };
  }
  for (TMenuItem* item : eep_var_items) {
    item->OnClick = [this](TObject* Sender) { PopUpEEPVariableEnOcean1Click(Sender); };
  }
  for (TFadeButton* button : {Btn_Add_Variable, Btn_Remove_Variable, Btn_Modify_Variable}) {
    button->OnClick = [this](TObject* Sender) { Btn_VariableClick(Sender); };
  }
  LB_ID_Devices_List->OnClick = [this](TObject* Sender) { LB_ID_Devices_ListClick(Sender); };
  LB_ID_Devices_List->OnDblClick = [this](TObject* Sender) { LB_ID_Devices_ListDblClick(Sender); };
  TW_UniSmart_EEP->OnClick = [this](TObject* Sender) { TW_UniSmart_EEPClick(Sender); };
  // The strip's menu deletes no page of the editor (tabs it added itself it may).
  CT_Uni_Smart_Remote->OnButtonCloseTabClick = [](TObject*, TStripTab* Tab, bool& Close) {
    if (Tab->Tag() >= 1 && Tab->Tag() <= 3) Close = false;
  };
  CT_Uni_Smart_Remote->OnActiveTabChanged = [this](TObject* Sender, TStripTab* ATab) {
    CT_Uni_Smart_RemoteActiveTabChanged(Sender, ATab);
  };
}
