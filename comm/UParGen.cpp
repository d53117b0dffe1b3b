#include "comm/UParGen.h"

#include <algorithm>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "comm/ParGenChecks.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

TFParGen* FParGen = nullptr;

namespace {

// A panel ends this far below its lowest control (besides the header).
constexpr Integer Panel_Bottom_Margin = 12;
constexpr Integer Row_Step = 28;
// A field sits this far above its label.
constexpr Integer Field_Above_Label = 3;

Integer Bottom_Of(const TControl* C) { return C->Top() + C->Height(); }

void Show_All(std::initializer_list<TControl*> Controls, bool Visible) {
  for (TControl* c : Controls) c->SetVisible(Visible);
}

void Show_Dots(const TFParGen::TDots& Dots, bool Visible) {
  for (TLabel* d : Dots) d->SetVisible(Visible);
}

}  // namespace

TFParGen::TFParGen(TComponent* AOwner) : TFParGen(AOwner, ParGen_Build_Variant) {}

TFParGen::TFParGen(TComponent* AOwner, TParGen_Variant Variant) : TFDialog(AOwner), FVariant(Variant) {
  Create_Controls();
}

std::vector<TCategoryPanel*> TFParGen::All_Panels() const {
  return {CP_Modbus_TCP_Slave, CP_Modbus_Slave,  CP_MQTT,    CP_Ethernet,         CP_TLS,
          CP_NTP,              CP_PROFINET,      CP_Serial,  CP_Modbus_Master,    CP_Modbus_TCP_Master,
          CP_BACnet_Master,    CP_BACnet_Slave,  CP_CAN,     CP_CANopen,          CP_DeviceNet_Master,
          CP_DeviceNet_Slave,  CP_PROFIBUS};
}

std::array<TEdit*, 16> TFParGen::Ethernet_Octet_Chain() const {
  return {E_Ethernet_IP1,  E_Ethernet_IP2,  E_Ethernet_IP3,  E_Ethernet_IP4,  E_Ethernet_SM1,  E_Ethernet_SM2,
          E_Ethernet_SM3,  E_Ethernet_SM4,  E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4,
          E_Ethernet_DNS1, E_Ethernet_DNS2, E_Ethernet_DNS3, E_Ethernet_DNS4};
}

// --- Creation, texts, showing ------------------------------------------------------------------------

void TFParGen::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(ParGen_Client_Width, ParGen_Client_Height);
  for (TCategoryPanel* panel : All_Panels()) panel->SetVisible(false);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen::Set_Lang() {
  SetCaption(Get_Text(400));
  L_SW_Desc->SetCaption(Get_Text(401));
  Btn_OK->SetCaption(Get_Text(402));
  Btn_Cancel->SetCaption(Get_Text(403));
  Btn_OK->SetHint(Get_Text(404));
  Btn_Cancel->SetHint(Get_Text(405));
  for (const TText_Entry& entry : FTexts) {
    if (entry.Caption_Id >= 0) entry.Control->SetCaption(Get_Text(entry.Caption_Id));
    if (entry.Hint_Id >= 0) entry.Control->SetHint(Get_Text(entry.Hint_Id));
  }
}

void TFParGen::FormShow(TObject* /*Sender*/) {
  // A file that is not well-formed raises here, before any field is touched.
  Show_ParGen_Values(Read_ParGen_File(File_ParGen));
  // Filling the fields ran the change handlers: what the dialog loaded is no change of the user's.
  Is_Change = false;
  Move_GroupBoxs();
  // Each show starts at the first field of the top panel, so typing goes straight into it.
  if (TWinControl* first = CPG->FindNextControl(nullptr, true, true, false)) {
    if (first->CanFocus()) first->SetFocus();
    else SetActiveControl(first);
  }
}

void TFParGen::FormResize(TObject* /*Sender*/) {
  if (ClientWidth() != ParGen_Client_Width) SetClientWidth(ParGen_Client_Width);
}

// --- The fields of the file ----------------------------------------------------------------------------

TParGen_Values TFParGen::ParGen_Values() const {
  TParGen_Values v;
  v.Ethernet_IP = {E_Ethernet_IP1->Text(), E_Ethernet_IP2->Text(), E_Ethernet_IP3->Text(), E_Ethernet_IP4->Text()};
  v.Ethernet_SM = {E_Ethernet_SM1->Text(), E_Ethernet_SM2->Text(), E_Ethernet_SM3->Text(), E_Ethernet_SM4->Text()};
  v.Ethernet_GAT = {E_Ethernet_GAT1->Text(), E_Ethernet_GAT2->Text(), E_Ethernet_GAT3->Text(),
                    E_Ethernet_GAT4->Text()};
  v.Ethernet_EN_GAT = CB_Ethernet_En_GAT->Checked();
  v.Ethernet_DNS = {E_Ethernet_DNS1->Text(), E_Ethernet_DNS2->Text(), E_Ethernet_DNS3->Text(),
                    E_Ethernet_DNS4->Text()};
  v.Ethernet_EN_DNS = CB_Ethernet_DNS->Checked();
  v.PROFIBUS_ID_Device = E_PROFIBUS_IDDevice->Text();
  v.PROFINET_NB_IN = E_PROFIBUS_NByte_In->Text();
  v.PROFINET_NB_OUT = E_PROFIBUS_NByte_Out->Text();
  return v;
}

void TFParGen::Show_ParGen_Values(const TParGen_Values& V) {
  const auto fill = [](std::initializer_list<TEdit*> Edits, const std::array<String, 4>& Texts) {
    size_t i = 0;
    for (TEdit* e : Edits) e->SetText(Texts[i++]);
  };
  fill({E_Ethernet_IP1, E_Ethernet_IP2, E_Ethernet_IP3, E_Ethernet_IP4}, V.Ethernet_IP);
  fill({E_Ethernet_SM1, E_Ethernet_SM2, E_Ethernet_SM3, E_Ethernet_SM4}, V.Ethernet_SM);
  fill({E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4}, V.Ethernet_GAT);
  CB_Ethernet_En_GAT->SetChecked(V.Ethernet_EN_GAT);
  fill({E_Ethernet_DNS1, E_Ethernet_DNS2, E_Ethernet_DNS3, E_Ethernet_DNS4}, V.Ethernet_DNS);
  CB_Ethernet_DNS->SetChecked(V.Ethernet_EN_DNS);
  E_PROFIBUS_IDDevice->SetText(V.PROFIBUS_ID_Device);
  E_PROFIBUS_NByte_In->SetText(V.PROFINET_NB_IN);
  E_PROFIBUS_NByte_Out->SetText(V.PROFINET_NB_OUT);
}

// --- Checking, saving, leaving -----------------------------------------------------------------------

bool TFParGen::Controllo_Dati() {
  const TCheck_Result result = Check_ParGen_Values(ParGen_Values());
  if (result.Ok()) return true;
  MessageDlg(Get_Text(result.Text_Id), mtError, {mbOK});
  return false;
}

void TFParGen::Btn_OKClick(TObject* /*Sender*/) {
  if (!Controllo_Dati()) return;
  // A failed write raises before the result is set, so the dialog stays open with its fields.
  Write_ParGen_File(File_ParGen, ParGen_Values());
  SetModalResult(mrOk);
}

void TFParGen::Btn_CancelClick(TObject* /*Sender*/) {
  if (Is_Change && MessageDlg(Get_Text(ParGen_Text_Leave_Question), mtConfirmation, mbYesNo) != mrYes) return;
  SetModalResult(mrCancel);
}

// --- Input -----------------------------------------------------------------------------------------------

void TFParGen::KeyPress(TObject* Sender, Char& Key) {
  if (Key != u'.') return;
  // An octet never takes a dot; in the Ethernet panel the dot moves on to the next octet box.
  Key = 0;
  const std::array<TEdit*, 16> chain = Ethernet_Octet_Chain();
  const auto it = std::find(chain.begin(), chain.end(), Sender);
  if (it == chain.end() || it + 1 == chain.end()) return;
  TEdit* next = *(it + 1);
  if (next->CanFocus()) next->SetFocus();
}

void TFParGen::On_Change(TObject* Sender) {
  Is_Change = true;
  if (Sender == CB_BACnet_Slave_Type) Move_GroupBoxs();
}

void TFParGen::On_Click(TObject* Sender) {
  Is_Change = true;
  if (Sender == CB_MQTT_WillFlag || Sender == CB_TLS_Enable || Sender == CB_TLS_En_Server_Auth ||
      Sender == CB_TLS_En_Client_Auth)
    Move_GroupBoxs();
}

void TFParGen::FormMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, Integer WheelDelta, TPoint MousePos,
                              bool& Handled) {
  if (!PtInRect(CPG->ClientRect(), CPG->ScreenToClient(MousePos))) return;
  Handled = true;
  const Integer lines = WheelScrollLines();
  const Integer code = WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (Integer i = 0; i < lines; ++i) {
    CPG->Perform(WM_VSCROLL, static_cast<WPARAM>(code), 0);
    CPG->Perform(WM_VSCROLL, static_cast<WPARAM>(SB_ENDSCROLL), 0);
  }
}

// --- The variants' panels ------------------------------------------------------------------------------

void TFParGen::Order_TAB_Panels() {
  switch (FVariant) {
    case pv31A05: Order_TAB_Panels_31A05(); break;
    case pv31A06: Order_TAB_Panels_31A06(); break;
    case pv31A07: Order_TAB_Panels_31A07(); break;
    case pv31A08: Order_TAB_Panels_31A08(); break;
    case pv31A09: Order_TAB_Panels_31A09(); break;
  }
}

void TFParGen::Move_GroupBoxs() {
  switch (FVariant) {
    case pv31A05: RePosition_Objects_31A05(); break;
    case pv31A06: RePosition_Objects_31A06(); break;
    case pv31A07: RePosition_Objects_31A07(); break;
    case pv31A08: RePosition_Objects_31A08(); break;
    case pv31A09: RePosition_Objects_31A09(); break;
  }
  // A panel shown or hidden leaves the others where they were until the group stacks them again.
  CPG->ArrangePanels();
}

void TFParGen::Stack_Panels(const std::vector<std::pair<TCategoryPanel*, Integer>>& PanelsWithTitles) {
  for (const auto& [panel, title] : PanelsWithTitles) panel->SetVisible(true);
  Integer top = 0;
  for (const auto& [panel, title] : PanelsWithTitles) {
    panel->SetTop(top);
    top = panel->Top() + panel->Height();
  }
  Integer number = 1;
  for (const auto& [panel, title] : PanelsWithTitles) panel->SetCaption(IntToStr(number++) + u". " + Get_Text(title));
  Integer order = 0;
  for (const auto& [panel, title] : PanelsWithTitles) panel->SetTabOrder(order++);
  CPG->ArrangePanels();
}

void TFParGen::Order_TAB_Panels_31A05() { Stack_Panels({{CP_Modbus_TCP_Slave, 406}}); }
void TFParGen::Order_TAB_Panels_31A06() { Stack_Panels({{CP_BACnet_Slave, 658}, {CP_Ethernet, 465}}); }
void TFParGen::Order_TAB_Panels_31A07() {
  Stack_Panels({{CP_MQTT, 438}, {CP_Ethernet, 465}, {CP_TLS, 492}, {CP_NTP, 507}});
}
void TFParGen::Order_TAB_Panels_31A08() { Stack_Panels({{CP_PROFIBUS, 751}, {CP_Ethernet, 465}}); }
void TFParGen::Order_TAB_Panels_31A09() { Stack_Panels({{CP_PROFINET, 546}}); }

void TFParGen::RePosition_Objects_31A05() { RePosition_Object_Modbus_TCP_Slave(); }

void TFParGen::RePosition_Objects_31A06() {
  RePosition_Object_BACnet_Slave();
  RePosition_Object_Ethernet();
  // BACnet/IP has its own address rows; the Ethernet panel serves only BACnet MS/TP.
  CP_Ethernet->SetVisible(CB_BACnet_Slave_Type->ItemIndex() != 0);
}

void TFParGen::RePosition_Objects_31A07() {
  RePosition_Object_MQTT();
  RePosition_Object_Ethernet();
  RePosition_Object_TLS();
  RePosition_Object_NTP();
}

void TFParGen::RePosition_Objects_31A08() {
  RePosition_Object_PROFIBUS();
  RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Objects_31A09() { RePosition_Object_PROFINET(); }

void TFParGen::Set_Panel_Height(TCategoryPanel* Panel, const TControl* Lowest) {
  Panel->SetHeight(Bottom_Of(Lowest) + CPG->HeaderHeight() + Panel_Bottom_Margin);
}

void TFParGen::RePosition_Object_Modbus_TCP_Slave() { Set_Panel_Height(CP_Modbus_TCP_Slave, E_ModbusTCPSlave_Port); }

void TFParGen::RePosition_Object_NTP() { Set_Panel_Height(CP_NTP, E_NTP_Poll_Time); }

void TFParGen::RePosition_Object_PROFINET() { Set_Panel_Height(CP_PROFINET, E_PROFINET_Diagnostic); }

void TFParGen::RePosition_Object_PROFIBUS() { Set_Panel_Height(CP_PROFIBUS, E_PROFIBUS_NByte_Out); }

void TFParGen::RePosition_Object_Ethernet() {
  Show_All({L_Ethernet_TCP_Port, E_Ethernet_TCP_Port, L_Ethernet_UDP_Port, E_Ethernet_UDP_Port}, false);
  Set_Panel_Height(CP_Ethernet, E_Ethernet_DNS4);
}

void TFParGen::RePosition_Object_MQTT() {
  Integer y;
  if (CB_MQTT_WillFlag->Checked()) {
    Show_All({L_MQTT_Will_TopicName, E_MQTT_Will_TopicName, L_MQTT_Will_Message, E_MQTT_Will_Message,
              CB_MQTT_Will_Retained, L_MQTT_Will_QoS, CB_MQTT_Will_QoS},
             true);
    y = L_MQTT_Will_QoS->Top() + Row_Step;
  } else {
    Show_All({L_MQTT_Will_TopicName, E_MQTT_Will_TopicName, L_MQTT_Will_Message, E_MQTT_Will_Message,
              CB_MQTT_Will_Retained, L_MQTT_Will_QoS, CB_MQTT_Will_QoS},
             false);
    y = L_MQTT_Will_TopicName->Top();
  }
  L_MQTT_Username->SetTop(y);
  E_MQTT_Username->SetTop(y - Field_Above_Label);
  L_MQTT_Password->SetTop(y + Row_Step);
  E_MQTT_Password->SetTop(y + Row_Step - Field_Above_Label);
  Show_All({L_MQTT_ASync_Send_Time, E_MQTT_ASync_Send_Time}, false);
  Set_Panel_Height(CP_MQTT, E_MQTT_Password);
}

void TFParGen::RePosition_Object_TLS() {
  const std::initializer_list<TControl*> server_rows = {L_TLS_Server_Cert, E_TLS_Server_Cert};
  const std::initializer_list<TControl*> client_rows = {L_TLS_Client_Cert,     E_TLS_Client_Cert,
                                                        L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key,
                                                        L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass};
  const TControl* lowest;
  if (!CB_TLS_Enable->Checked()) {
    Show_All({CB_TLS_En_Server_Auth, CB_TLS_En_Client_Auth}, false);
    Show_All(server_rows, false);
    Show_All(client_rows, false);
    lowest = CB_TLS_Enable;
  } else {
    CB_TLS_En_Server_Auth->SetVisible(true);
    Integer y = CB_TLS_En_Server_Auth->Top();
    if (CB_TLS_En_Server_Auth->Checked()) {
      Show_All(server_rows, true);
      y = E_TLS_Server_Cert->Top() + Row_Step;
    } else {
      Show_All(server_rows, false);
      y += Row_Step;
    }
    CB_TLS_En_Client_Auth->SetTop(y);
    CB_TLS_En_Client_Auth->SetVisible(true);
    if (CB_TLS_En_Client_Auth->Checked()) {
      const std::pair<TLabel*, TWinControl*> rows[] = {{L_TLS_Client_Cert, E_TLS_Client_Cert},
                                                       {L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key},
                                                       {L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass}};
      Integer label_top = y;
      for (const auto& [label, field] : rows) {
        label_top += Row_Step;
        label->SetTop(label_top);
        field->SetTop(label_top - Field_Above_Label);
      }
      Show_All(client_rows, true);
      lowest = E_TLS_Client_Cert_Key_Pass;
    } else {
      Show_All(client_rows, false);
      lowest = CB_TLS_En_Client_Auth;
    }
  }
  Set_Panel_Height(CP_TLS, lowest);
}

void TFParGen::RePosition_Object_BACnet_Slave() {
  const std::initializer_list<TControl*> ip_rows = {
      L_BACnet_IP_Slave_IP,          E_BACnet_IP_Slave_IP1,         E_BACnet_IP_Slave_IP2,
      E_BACnet_IP_Slave_IP3,         E_BACnet_IP_Slave_IP4,         L_BACnet_IP_Slave_SM,
      E_BACnet_IP_Slave_SM1,         E_BACnet_IP_Slave_SM2,         E_BACnet_IP_Slave_SM3,
      E_BACnet_IP_Slave_SM4,         CB_BACnet_IP_Slave_GAT,        E_BACnet_IP_Slave_GAT1,
      E_BACnet_IP_Slave_GAT2,        E_BACnet_IP_Slave_GAT3,        E_BACnet_IP_Slave_GAT4,
      L_BACnet_IP_Slave_Port,        E_BACnet_IP_Slave_Port,        L_BACnet_IP_Slave_Device_Name,
      E_BACnet_IP_Slave_Device_Name, L_BACnet_IP_Slave_Device_Identifier, E_BACnet_IP_Slave_Device_Identifier};
  // The MS/TP rows from the baud rate down to the network, label and field of each.
  const std::pair<TLabel*, TWinControl*> mstp_rows[] = {
      {L_BACnet_MSTP_Slave_Baudrate, CB_BACnet_MSTP_Slave_Baudrate},
      {L_BACnet_MSTP_Slave_Parity, CB_BACnet_MSTP_Slave_Parity},
      {L_BACnet_MSTP_Slave_Device_Name, E_BACnet_MSTP_Slave_Device_Name},
      {L_BACnet_MSTP_Slave_MAC_Address, E_BACnet_MSTP_Slave_MAC_Address},
      {L_BACnet_MSTP_Slave_Max_Master, E_BACnet_MSTP_Slave_Max_Master},
      {L_BACnet_MSTP_Slave_Max_Info_Frame, E_BACnet_MSTP_Slave_Max_Info_Frame},
      {L_BACnet_MSTP_Slave_Device_Instance, E_BACnet_MSTP_Slave_Device_Instance},
      {L_BACnet_MSTP_Slave_Network, E_BACnet_MSTP_Slave_Network}};
  const bool ip = CB_BACnet_Slave_Type->ItemIndex() == 0;
  Show_All(ip_rows, ip);
  for (const TDots* dots : {&L_BACnet_IP_Slave_IP_Dots, &L_BACnet_IP_Slave_SM_Dots, &L_BACnet_IP_Slave_GAT_Dots})
    Show_Dots(*dots, ip);
  if (ip) {
    for (const auto& [label, field] : mstp_rows) Show_All({label, field}, false);
    CB_BACnet_Slave_Desc_32_Chars->SetTop(L_BACnet_IP_Slave_Device_Identifier->Top() + Row_Step);
  } else {
    // The MS/TP rows take the place of the BACnet/IP rows, from the row of the IP address down.
    Integer label_top = L_BACnet_IP_Slave_IP->Top();
    Integer field_top = E_BACnet_IP_Slave_IP1->Top();
    for (const auto& [label, field] : mstp_rows) {
      label->SetTop(label_top);
      field->SetTop(field_top);
      Show_All({label, field}, true);
      label_top += Row_Step;
      field_top += Row_Step;
    }
    CB_BACnet_Slave_Desc_32_Chars->SetTop(L_BACnet_MSTP_Slave_Network->Top() + Row_Step);
  }
  CB_BACnet_Slave_Desc_32_Chars->SetVisible(true);
  Set_Panel_Height(CP_BACnet_Slave, CB_BACnet_Slave_Desc_32_Chars);
}
