// The update dialog's controls. The client area is 449 wide; the title panel at the top and the
// button panel at the bottom frame the four middle panels, of which FormShow shows and stacks the
// ones of the layout. In the design the middle panels lie one below the other in the order
// address, serial, search, options, so stacking them by position puts the address or the serial
// port above the options.
#include <vector>

#include "comm/UBoot.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

// The places of the middle panels in the design.
constexpr Integer IP_Address_Top = Title_Panel_Height;
constexpr Integer Serial_Top = IP_Address_Top + Boot_IP_Address_Height;
constexpr Integer Eth_Search_Top = Serial_Top + Boot_Serial_Height;
constexpr Integer Options_Top = Eth_Search_Top + Boot_Eth_Search_Height;

constexpr Integer Margin = 16;
constexpr Integer Octet_Width = 41;
constexpr Integer Octet_Step = 50;  // an octet box and the "." after it
constexpr Integer Edit_Height = 21;
constexpr Integer List_Height = 22;
constexpr Integer Check_Height = 17;
// The device list of the search panel: between the Search button and the "find all" box.
constexpr Integer Devices_Top = 30;
constexpr Integer Devices_Width = Boot_Client_Width - 2 * Margin;
constexpr Integer Devices_Height = 125;
constexpr Integer Devices_IP_Width = 150;
constexpr Integer Devices_MAC_Width = 200;

TPanel* Create_Panel(TFDialog* Form, const String& Name, Integer Top, Integer Height) {
  auto* panel = new TPanel(Form);
  panel->SetName(Name);
  panel->SetParent(Form);
  panel->SetBounds(0, Top, Boot_Client_Width, Height);
  panel->SetBevelOuter(bvNone);
  panel->SetShowCaption(false);
  panel->SetParentColor(true);
  return panel;
}

TEdit* Create_Octet(TFDialog* Form, TPanel* Parent, const String& Name, Integer Index) {
  auto* edit = new TEdit(Form);
  edit->SetName(Name);
  edit->SetParent(Parent);
  edit->SetBounds(Margin + Index * Octet_Step, 22, Octet_Width, Edit_Height);
  edit->SetText(u"0");
  edit->SetTabStop(true);
  edit->SetTabOrder(Index);
  return edit;
}

TComboBox* Create_List(TFDialog* Form, TPanel* Parent, const String& Name, Integer Left, Integer Top,
                       Integer Width) {
  auto* list = new TComboBox(Form);
  list->SetName(Name);
  list->SetParent(Parent);
  list->SetStyle(csDropDownList);
  list->SetBounds(Left, Top, Width, List_Height);
  list->SetTabStop(true);
  return list;
}

TCheckBox* Create_Check(TFDialog* Form, TPanel* Parent, const String& Name, Integer Top) {
  auto* check = new TCheckBox(Form);
  check->SetName(Name);
  check->SetParent(Parent);
  check->SetBounds(Margin, Top, 300, Check_Height);
  check->SetChecked(true);
  check->SetTabStop(true);
  return check;
}

}  // namespace

void TFBoot::Create_Controls() {
  SetCaption(u"Update Device");
  Create_Title_Panel();

  // The address: "192 . 168 . 2 . 205" in four boxes.
  P_IP_Address = Create_Panel(this, u"P_IP_Address", IP_Address_Top, Boot_IP_Address_Height);
  L_IP_Address = Create_Label(P_IP_Address, u"L_IP_Address", Margin, 6);
  E_IP1 = Create_Octet(this, P_IP_Address, u"E_IP1", 0);
  L_Dot1 = Create_Label(P_IP_Address, u"L_Dot1", Margin + Octet_Width + 3, 26);
  E_IP2 = Create_Octet(this, P_IP_Address, u"E_IP2", 1);
  L_Dot2 = Create_Label(P_IP_Address, u"L_Dot2", Margin + Octet_Step + Octet_Width + 3, 26);
  E_IP3 = Create_Octet(this, P_IP_Address, u"E_IP3", 2);
  L_Dot3 = Create_Label(P_IP_Address, u"L_Dot3", Margin + 2 * Octet_Step + Octet_Width + 3, 26);
  E_IP4 = Create_Octet(this, P_IP_Address, u"E_IP4", 3);
  for (TLabel* dot : {L_Dot1, L_Dot2, L_Dot3}) dot->SetCaption(u".");
  for (TEdit* octet : {E_IP1, E_IP2, E_IP3, E_IP4})
    octet->OnKeyPress = [this](TObject* Sender, Char& Key) { KeyPress(Sender, Key); };

  // The serial port, with its design-time texts.
  P_Serial = Create_Panel(this, u"P_Serial", Serial_Top, Boot_Serial_Height);
  L_COM_Port = Create_Label(P_Serial, u"L_COM_Port", Margin, 6);
  L_COM_Port->SetCaption(u"Select the COM port for the Update");
  CB_COM_Port = Create_List(this, P_Serial, u"CB_COM_Port", Margin, 22, 145);
  CB_COM_Port->SetTabOrder(0);
  Btn_COM_List = Create_Dialog_Button(P_Serial, u"Btn_COM_List", Margin + 151, 20, 26, 26, dgNext);
  Btn_COM_List->SetHint(u"Update COM Ports List");
  Btn_COM_List->SetTabOrder(1);
  Btn_COM_List->OnClick = [this](TObject* Sender) { Btn_COM_ListClick(Sender); };
  P_Serial->SetVisible(false);

  // The device search: always hidden, its Search button does nothing.
  P_Eth_Search = Create_Panel(this, u"P_Eth_Search", Eth_Search_Top, Boot_Eth_Search_Height);
  L_List_Device = Create_Label(P_Eth_Search, u"L_List_Device", Margin, 6);
  Btn_Search = Create_Dialog_Button(P_Eth_Search, u"Btn_Search", 337, 2, 96, 24, dgNone);
  Btn_Search->SetTabOrder(0);
  ACG_List_Devices = new TExColumnGrid(this);
  ACG_List_Devices->SetName(u"ACG_List_Devices");
  ACG_List_Devices->SetParent(P_Eth_Search);
  ACG_List_Devices->SetBounds(Margin, Devices_Top, Devices_Width, Devices_Height);
  ACG_List_Devices->SetColCount(2);
  ACG_List_Devices->SetRowCount(2);
  ACG_List_Devices->SetFixedCols(0);
  ACG_List_Devices->SetFixedRows(1);
  ACG_List_Devices->Columns()->GetItem(0)->SetWidth(Devices_IP_Width);
  ACG_List_Devices->Columns()->GetItem(1)->SetWidth(Devices_MAC_Width);
  ACG_List_Devices->SetShowHint(true);
  ACG_List_Devices->SetTabStop(true);
  ACG_List_Devices->SetTabOrder(1);
  CB_Find_All_TVL = Create_Check(this, P_Eth_Search, u"CB_Find_All_TVL", 161);
  CB_Find_All_TVL->SetTabOrder(2);
  P_Eth_Search->SetVisible(false);

  // The update options.
  P_Options = Create_Panel(this, u"P_Options", Options_Top, Boot_Options_Height);
  L_Update_Option = Create_Label(P_Options, u"L_Update_Option", Margin, 6);
  CB_Update_Options = Create_List(this, P_Options, u"CB_Update_Options", Margin, 22, 228);
  CB_Update_Options->SetTabOrder(0);
  CB_Update_Option_Read_Back = Create_Check(this, P_Options, u"CB_Update_Option_Read_Back", 50);
  CB_Update_Option_Read_Back->SetTabOrder(1);

  Create_Button_Panel();
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", Margin, 6, 110, 28, dgCancel, mrCancel);
  Btn_Cancel->SetTabOrder(0);
  Btn_Update = Create_Dialog_Button(P_Button, u"Btn_Update", Boot_Client_Width - Margin - 228, 6, 228, 28,
                                    dgUpdateDevice);
  Btn_Update->SetTabOrder(1);
  Btn_Update->OnClick = [this](TObject* Sender) { Btn_UpdateClick(Sender); };

  Set_Client_Size(Boot_Client_Width, Title_Panel_Height + Boot_IP_Address_Height +
                                         Boot_Options_Height + Button_Panel_Height);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFBoot::Reset_Panels() {
  // Every layout starts from the design: the middle panels hidden, out of the alignment and back
  // at their places, so the shown ones stack in the design's order whatever the last layout was.
  const struct {
    TPanel* Panel;
    Integer Top;
  } panels[] = {{P_IP_Address, IP_Address_Top},
                {P_Serial, Serial_Top},
                {P_Eth_Search, Eth_Search_Top},
                {P_Options, Options_Top}};
  for (const auto& p : panels) {
    p.Panel->SetVisible(false);
    p.Panel->SetAlign(alNone);
    p.Panel->SetTop(p.Top);
  }
}
