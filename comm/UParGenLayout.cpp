// The controls of the communication parameters dialog: the title panel, the category panel group
// with its 17 protocol panels, and the button panel with OK and Cancel.
//
// Every panel follows one pattern: rows 28 pixels apart, the first at 12; a label at left 14 sits 3
// pixels below the top of its row's field; fields at left 191, 238 wide; an address row has four
// octet edits 55 wide at left 191, 252, 313 and 374 with "." labels between them; a check box
// starts at left 14, and a gateway check box carries its four octets on its own row. The text ids of
// the captions and hints are kept with each control, so Set_Lang applies them from one table.
#include <algorithm>
#include <vector>

#include "comm/UParGen.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Label_Left = 14;
constexpr Integer Field_Left = 191;
constexpr Integer Field_Width = 238;
constexpr Integer First_Row_Top = 12;
constexpr Integer Row_Step = 28;
constexpr Integer Label_Offset = 3;
constexpr Integer Check_Offset = 2;
constexpr Integer Edit_Height = 21;
constexpr Integer Check_Height = 17;
constexpr Integer Octet_Width = 55;
constexpr Integer Octet_Lefts[4] = {191, 252, 313, 374};
// A check box alone on its row spans the row; one with octets beside it ends before them.
constexpr Integer Check_Width_Row = Field_Left + Field_Width - Label_Left;
constexpr Integer Check_Width_Octets = 170;
// The panel header: 15-pixel bold grey Verdana; the gradient colour red 231, green 216, blue 216.
constexpr Integer Header_Font_Height = -15;
constexpr TColor Header_Gradient_Color = RGB(231, 216, 216);
constexpr Integer Header_Image_Size = 16;
// The design width of a panel (the group stacks them across its width anyway).
constexpr Integer Panel_Design_Width = 440;

Integer Row_Top(Integer Row) { return First_Row_Top + Row * Row_Step; }

const std::vector<String> Serial_Items = {u"RS232", u"RS485"};
const std::vector<String> Serial_Baudrate_Items = {u"1200",  u"2400",  u"4800",  u"9600",
                                                   u"19200", u"38400", u"57600", u"115200"};
const std::vector<String> Parity_Items = {u"NONE", u"ODD", u"EVEN"};
const std::vector<String> Stop_Bits_Items = {u"1 Stop Bits", u"2 Stop Bits"};
const std::vector<String> BACnet_Type_Items = {u"BACnet/IP", u"BACnet MS/TP"};
const std::vector<String> MSTP_Baudrate_Items = {u"9600", u"19200", u"38400", u"57600", u"76800", u"115200"};
const std::vector<String> DeviceNet_Baudrate_Items = {u"125K", u"250K", u"500K"};

// The header images of the panels: 0 expanded (a triangle pointing down), 1 collapsed (pointing
// right), grey on a transparent ground.
void Add_Header_Image(TImageList* List, bool Expanded) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(Header_Image_Size, Header_Image_Size);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, Header_Image_Size, Header_Image_Size));
  c->Brush()->SetColor(clGray);
  c->Pen()->SetColor(clGray);
  if (Expanded)
    c->Polygon({TPoint(4, 6), TPoint(11, 6), TPoint(7, 10)});
  else
    c->Polygon({TPoint(6, 4), TPoint(10, 8), TPoint(6, 11)});
  List->AddMasked(&bmp, clFuchsia);
}

}  // namespace

// Creates the controls of one panel, row by row, and records their text ids with the form.
class TParGen_Panel_Builder {
 public:
  TParGen_Panel_Builder(TFParGen* Form, TCategoryPanel* Panel) : F(Form), P(Panel) {}

  TLabel* Label(const String& Name, Integer Row, Integer Caption_Id) {
    auto* label = new TLabel(F);
    label->SetName(Name);
    label->SetParent(P);
    label->SetLeft(Label_Left);
    label->SetTop(Row_Top(Row) + Label_Offset);
    label->SetTransparent(true);
    F->FTexts.push_back({label, Caption_Id, -1});
    return label;
  }

  TEdit* Edit(const String& Name, Integer Row, Integer Hint_Id, const String& Text = String(),
              Integer Left = Field_Left, Integer Width = Field_Width) {
    auto* edit = new TEdit(F);
    Place_Field(edit, Name, Left, Row_Top(Row), Width, Hint_Id);
    edit->SetText(Text);
    return edit;
  }

  // An edit of at most 15 characters that keeps its text in lower case (names of stations and
  // devices).
  TEdit* Name_Edit(const String& Name, Integer Row, Integer Hint_Id, const String& Text) {
    TEdit* edit = Edit(Name, Row, Hint_Id, Text);
    edit->SetMaxLength(15);
    edit->SetCharCase(ecLowerCase);
    return edit;
  }

  // A one-line rich edit, used as plain text.
  TRichEdit* Rich_Edit(const String& Name, Integer Row, Integer Hint_Id) {
    auto* edit = new TRichEdit(F);
    edit->SetWordWrap(false);
    edit->SetWantReturns(false);
    edit->SetScrollBars(ssNone);
    Place_Field(edit, Name, Field_Left, Row_Top(Row), Field_Width, Hint_Id);
    edit->SetText(String());
    return edit;
  }

  // A drop-down list with fixed items that cannot be typed into.
  TComboBox* List(const String& Name, Integer Row, Integer Hint_Id, const std::vector<String>& Items,
                  Integer Index) {
    auto* list = new TComboBox(F);
    list->SetStyle(csDropDownList);
    Place_Field(list, Name, Field_Left, Row_Top(Row), Field_Width, Hint_Id);
    for (const String& item : Items) list->Items()->Add(item);
    list->SetItemIndex(Index);
    return list;
  }

  TCheckBox* Check(const String& Name, Integer Row, Integer Caption_Id, Integer Hint_Id,
                   Integer Width = Check_Width_Row) {
    auto* box = new TCheckBox(F);
    box->SetName(Name);
    box->SetParent(P);
    box->SetBounds(Label_Left, Row_Top(Row) + Check_Offset, Width, Check_Height);
    box->SetTabStop(true);
    F->FTexts.push_back({box, Caption_Id, Hint_Id});
    return box;
  }

  // The four octet edits of an address row, named Prefix + 1..4, with the "." labels between them
  // named Prefix without its "E_" + "_Dot1".."_Dot3" behind "L_".
  void Octets(const String& Prefix, Integer Row, Integer First_Hint_Id, const std::array<String, 4>& Texts,
              std::array<TEdit**, 4> Edits, TFParGen::TDots& Dots) {
    const String stem = Prefix.substr(2);
    for (int i = 0; i < 4; ++i) {
      auto* edit = new TEdit(F);
      Place_Field(edit, Prefix + static_cast<Char>(u'1' + i), Octet_Lefts[i], Row_Top(Row), Octet_Width,
                  First_Hint_Id + i);
      edit->SetText(Texts[i]);
      *Edits[i] = edit;
      F->FOctet_Edits.push_back(edit);
      if (i < 3) {
        auto* dot = new TLabel(F);
        dot->SetName(u"L_" + stem + u"_Dot" + static_cast<Char>(u'1' + i));
        dot->SetParent(P);
        dot->SetLeft(Octet_Lefts[i] + Octet_Width + 1);
        dot->SetTop(Row_Top(Row) + Label_Offset);
        dot->SetTransparent(true);
        dot->SetCaption(u".");
        Dots[i] = dot;
      }
    }
  }

 private:
  void Place_Field(TWinControl* Field, const String& Name, Integer Left, Integer Top, Integer Width,
                   Integer Hint_Id) {
    Field->SetName(Name);
    Field->SetParent(P);
    Field->SetBounds(Left, Top, Width, Edit_Height);
    Field->SetTabStop(true);
    F->FTexts.push_back({Field, -1, Hint_Id});
  }

  TFParGen* F;
  TCategoryPanel* P;
};

namespace {

// The design height of a panel whose rows end with row Last_Row: its bottom, the header and the
// margin of 12.
Integer Design_Panel_Height(Integer Last_Row, Integer Header_Height) {
  return Row_Top(Last_Row) + Edit_Height + Header_Height + 12;
}

}  // namespace

void TFParGen::Create_Controls() {
  // The user may make the dialog lower or higher (the panel group scrolls what does not fit);
  // FormResize keeps its width. The title bar keeps the system menu only.
  SetBorderStyle(bsSizeable);
  // The design's size first, so the controls anchored to the right edge keep their place.
  Set_Client_Size(ParGen_Client_Width, ParGen_Client_Height);
  Create_Title_Panel();

  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", ParGen_Client_Width - 16 - 110 - 8 - 110, 6, 110, 28, dgOK);
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", ParGen_Client_Width - 16 - 110, 6, 110, 28, dgCancel);
  Btn_OK->SetAnchors(akTop | akRight);
  Btn_Cancel->SetAnchors(akTop | akRight);

  ImageList1 = new TImageList(this, Header_Image_Size, Header_Image_Size);
  ImageList1->SetName(u"ImageList1");
  Add_Header_Image(ImageList1, true);
  Add_Header_Image(ImageList1, false);

  CPG = new TCategoryPanelGroup(this);
  CPG->SetName(u"CPG");
  CPG->SetParent(this);
  CPG->SetAlign(alClient);
  CPG->SetParentColor(false);
  CPG->SetColor(Dialog_Color);
  CPG->SetVertScrollTracking(true);
  CPG->HeaderFont()->SetName(Dialog_Font_Name);
  CPG->HeaderFont()->SetHeight(Header_Font_Height);
  CPG->HeaderFont()->SetStyle(TFontStyles{fsBold});
  CPG->HeaderFont()->SetColor(clGray);
  CPG->SetChevronHotColor(clRed);
  CPG->SetGradientColor(Header_Gradient_Color);
  CPG->SetImages(ImageList1);
  CPG->SetTabStop(true);
  CPG->SetTabOrder(0);
  P_Button->SetTabOrder(1);

  Create_Panels_Part2(Create_Panels_Part1());
  Wire_Events();
}

namespace {

// Creates an empty panel of the group below the panels created before it, so the group keeps the
// design order; Caption is its design caption (the panel's title in the built-in texts).
TCategoryPanel* Create_Panel(TFParGen* Form, TCategoryPanelGroup* Group, const String& Name,
                             const String& Caption, Integer Last_Row, Integer& Design_Top) {
  auto* panel = new TCategoryPanel(Form);
  panel->SetName(Name);
  const Integer height = Design_Panel_Height(Last_Row, Group->HeaderHeight());
  panel->SetBounds(0, Design_Top, Panel_Design_Width, height);
  Design_Top += height;
  panel->SetCaption(Caption);
  panel->SetExpandedImageIndex(0);
  panel->SetCollapsedImageIndex(1);
  panel->SetPanelGroup(Group);
  return panel;
}

}  // namespace

Integer TFParGen::Create_Panels_Part1() {
  Integer design_top = 0;

  CP_Modbus_TCP_Slave = Create_Panel(this, CPG, u"CP_Modbus_TCP_Slave", u"Modbus TCP Slave", 3, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Modbus_TCP_Slave);
    L_ModbusTCPSlave_IP = b.Label(u"L_ModbusTCPSlave_IP", 0, 407);
    b.Octets(u"E_ModbusTCPSlave_IP", 0, 408, {u"192", u"168", u"0", u"5"},
             {&E_ModbusTCPSlave_IP1, &E_ModbusTCPSlave_IP2, &E_ModbusTCPSlave_IP3, &E_ModbusTCPSlave_IP4},
             L_ModbusTCPSlave_IP_Dots);
    L_ModbusTCPSlave_SM = b.Label(u"L_ModbusTCPSlave_SM", 1, 412);
    b.Octets(u"E_ModbusTCPSlave_SM", 1, 413, {u"192", u"168", u"0", u"5"},
             {&E_ModbusTCPSlave_SM1, &E_ModbusTCPSlave_SM2, &E_ModbusTCPSlave_SM3, &E_ModbusTCPSlave_SM4},
             L_ModbusTCPSlave_SM_Dots);
    CB_ModbusTCPSlave_En_GAT = b.Check(u"CB_ModbusTCPSlave_En_GAT", 2, 417, 418, Check_Width_Octets);
    b.Octets(u"E_ModbusTCPSlave_GAT", 2, 419, {},
             {&E_ModbusTCPSlave_GAT1, &E_ModbusTCPSlave_GAT2, &E_ModbusTCPSlave_GAT3, &E_ModbusTCPSlave_GAT4},
             L_ModbusTCPSlave_GAT_Dots);
    L_ModbusTCPSlave_Port = b.Label(u"L_ModbusTCPSlave_Port", 3, 423);
    E_ModbusTCPSlave_Port = b.Edit(u"E_ModbusTCPSlave_Port", 3, 424, u"502");
  }

  CP_Modbus_Slave = Create_Panel(this, CPG, u"CP_Modbus_Slave", u"Modbus Slave", 5, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Modbus_Slave);
    L_ModbusSlave_Serial = b.Label(u"L_ModbusSlave_Serial", 0, 426);
    CB_ModbusSlave_Serial = b.List(u"CB_ModbusSlave_Serial", 0, 427, Serial_Items, 0);
    L_ModbusSlave_Baudrate = b.Label(u"L_ModbusSlave_Baudrate", 1, 428);
    CB_ModbusSlave_Baudrate = b.List(u"CB_ModbusSlave_Baudrate", 1, 429, Serial_Baudrate_Items, 7);
    L_ModbusSlave_Parity = b.Label(u"L_ModbusSlave_Parity", 2, 430);
    CB_ModbusSlave_Parity = b.List(u"CB_ModbusSlave_Parity", 2, 431, Parity_Items, 0);
    L_ModbusSlave_StopBits = b.Label(u"L_ModbusSlave_StopBits", 3, 432);
    CB_ModbusSlave_StopBits = b.List(u"CB_ModbusSlave_StopBits", 3, 433, Stop_Bits_Items, 0);
    L_ModbusSlave_IDDevice = b.Label(u"L_ModbusSlave_IDDevice", 4, 434);
    E_ModbusSlave_IDDevice = b.Edit(u"E_ModbusSlave_IDDevice", 4, 435, u"1");
    CB_ModbusSlave_ReadInput = b.Check(u"CB_ModbusSlave_ReadInput", 5, 436, 437);
  }

  CP_MQTT = Create_Panel(this, CPG, u"CP_MQTT", u"MQTT ", 12, design_top);
  {
    TParGen_Panel_Builder b(this, CP_MQTT);
    L_MQTT_Server = b.Label(u"L_MQTT_Server", 0, 439);
    E_MQTT_Server = b.Edit(u"E_MQTT_Server", 0, 440);
    L_MQTT_Server_Port = b.Label(u"L_MQTT_Server_Port", 1, 441);
    E_MQTT_Server_Port = b.Edit(u"E_MQTT_Server_Port", 1, 442, u"1883");
    L_MQTT_Client_ID = b.Label(u"L_MQTT_Client_ID", 2, 443);
    E_MQTT_Client_ID = b.Edit(u"E_MQTT_Client_ID", 2, 444);
    L_MQTT_Keep_Alive = b.Label(u"L_MQTT_Keep_Alive", 3, 445);
    E_MQTT_Keep_Alive = b.Edit(u"E_MQTT_Keep_Alive", 3, 446);
    CB_MQTT_Clean_Session = b.Check(u"CB_MQTT_Clean_Session", 4, 447, 448);
    CB_MQTT_WillFlag = b.Check(u"CB_MQTT_WillFlag", 5, 449, 450);
    L_MQTT_Will_TopicName = b.Label(u"L_MQTT_Will_TopicName", 6, 451);
    E_MQTT_Will_TopicName = b.Edit(u"E_MQTT_Will_TopicName", 6, 452);
    L_MQTT_Will_Message = b.Label(u"L_MQTT_Will_Message", 7, 453);
    E_MQTT_Will_Message = b.Edit(u"E_MQTT_Will_Message", 7, 454);
    CB_MQTT_Will_Retained = b.Check(u"CB_MQTT_Will_Retained", 8, 455, 456);
    L_MQTT_Will_QoS = b.Label(u"L_MQTT_Will_QoS", 9, 457);
    CB_MQTT_Will_QoS = b.List(u"CB_MQTT_Will_QoS", 9, 458, {u"0", u"1", u"2"}, 0);
    L_MQTT_Username = b.Label(u"L_MQTT_Username", 10, 459);
    E_MQTT_Username = b.Edit(u"E_MQTT_Username", 10, 460);
    L_MQTT_Password = b.Label(u"L_MQTT_Password", 11, 461);
    E_MQTT_Password = b.Rich_Edit(u"E_MQTT_Password", 11, 462);
    L_MQTT_ASync_Send_Time = b.Label(u"L_MQTT_ASync_Send_Time", 12, 463);
    E_MQTT_ASync_Send_Time = b.Edit(u"E_MQTT_ASync_Send_Time", 12, 464);
  }

  CP_Ethernet = Create_Panel(this, CPG, u"CP_Ethernet", u"Ethernet", 5, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Ethernet);
    L_Ethernet_IP = b.Label(u"L_Ethernet_IP", 0, 466);
    b.Octets(u"E_Ethernet_IP", 0, 467, {}, {&E_Ethernet_IP1, &E_Ethernet_IP2, &E_Ethernet_IP3, &E_Ethernet_IP4},
             L_Ethernet_IP_Dots);
    L_Ethernet_SM = b.Label(u"L_Ethernet_SM", 1, 471);
    b.Octets(u"E_Ethernet_SM", 1, 472, {}, {&E_Ethernet_SM1, &E_Ethernet_SM2, &E_Ethernet_SM3, &E_Ethernet_SM4},
             L_Ethernet_SM_Dots);
    CB_Ethernet_En_GAT = b.Check(u"CB_Ethernet_En_GAT", 2, 476, 477, Check_Width_Octets);
    b.Octets(u"E_Ethernet_GAT", 2, 478, {},
             {&E_Ethernet_GAT1, &E_Ethernet_GAT2, &E_Ethernet_GAT3, &E_Ethernet_GAT4}, L_Ethernet_GAT_Dots);
    CB_Ethernet_DNS = b.Check(u"CB_Ethernet_DNS", 3, 482, 483, Check_Width_Octets);
    b.Octets(u"E_Ethernet_DNS", 3, 484, {},
             {&E_Ethernet_DNS1, &E_Ethernet_DNS2, &E_Ethernet_DNS3, &E_Ethernet_DNS4}, L_Ethernet_DNS_Dots);
    L_Ethernet_TCP_Port = b.Label(u"L_Ethernet_TCP_Port", 4, 488);
    E_Ethernet_TCP_Port = b.Edit(u"E_Ethernet_TCP_Port", 4, 489);
    L_Ethernet_UDP_Port = b.Label(u"L_Ethernet_UDP_Port", 5, 490);
    E_Ethernet_UDP_Port = b.Edit(u"E_Ethernet_UDP_Port", 5, 491);
  }

  CP_TLS = Create_Panel(this, CPG, u"CP_TLS", u"TLS (Transport Layer Security)", 6, design_top);
  {
    TParGen_Panel_Builder b(this, CP_TLS);
    CB_TLS_Enable = b.Check(u"CB_TLS_Enable", 0, 493, 494);
    CB_TLS_En_Server_Auth = b.Check(u"CB_TLS_En_Server_Auth", 1, 495, 496);
    L_TLS_Server_Cert = b.Label(u"L_TLS_Server_Cert", 2, 497);
    E_TLS_Server_Cert = b.Rich_Edit(u"E_TLS_Server_Cert", 2, 498);
    CB_TLS_En_Client_Auth = b.Check(u"CB_TLS_En_Client_Auth", 3, 499, 500);
    L_TLS_Client_Cert = b.Label(u"L_TLS_Client_Cert", 4, 501);
    E_TLS_Client_Cert = b.Rich_Edit(u"E_TLS_Client_Cert", 4, 502);
    L_TLS_Client_Cert_Key = b.Label(u"L_TLS_Client_Cert_Key", 5, 503);
    E_TLS_Client_Cert_Key = b.Rich_Edit(u"E_TLS_Client_Cert_Key", 5, 504);
    L_TLS_Client_Cert_Key_Pass = b.Label(u"L_TLS_Client_Cert_Key_Pass", 6, 505);
    E_TLS_Client_Cert_Key_Pass = b.Edit(u"E_TLS_Client_Cert_Key_Pass", 6, 506);
  }

  CP_NTP = Create_Panel(this, CPG, u"CP_NTP", u"NTP (Network Time Protocol)", 1, design_top);
  {
    TParGen_Panel_Builder b(this, CP_NTP);
    L_NTP_Server_URL = b.Label(u"L_NTP_Server_URL", 0, 508);
    E_NTP_Server_URL = b.Edit(u"E_NTP_Server_URL", 0, 509);
    L_NTP_Poll_Time = b.Label(u"L_NTP_Poll_Time", 1, 510);
    E_NTP_Poll_Time = b.Edit(u"E_NTP_Poll_Time", 1, 511);
  }

  CP_PROFINET = Create_Panel(this, CPG, u"CP_PROFINET", u"PROFINET", 7, design_top);
  {
    TParGen_Panel_Builder b(this, CP_PROFINET);
    L_PROFINET_IP = b.Label(u"L_PROFINET_IP", 0, 547);
    b.Octets(u"E_PROFINET_IP", 0, 548, {u"192", u"168", u"0", u"5"},
             {&E_PROFINET_IP1, &E_PROFINET_IP2, &E_PROFINET_IP3, &E_PROFINET_IP4}, L_PROFINET_IP_Dots);
    L_PROFINET_SM = b.Label(u"L_PROFINET_SM", 1, 552);
    b.Octets(u"E_PROFINET_SM", 1, 553, {}, {&E_PROFINET_SM1, &E_PROFINET_SM2, &E_PROFINET_SM3, &E_PROFINET_SM4},
             L_PROFINET_SM_Dots);
    CB_PROFINET_GAT = b.Check(u"CB_PROFINET_GAT", 2, 557, 558, Check_Width_Octets);
    b.Octets(u"E_PROFINET_GAT", 2, 559, {},
             {&E_PROFINET_GAT1, &E_PROFINET_GAT2, &E_PROFINET_GAT3, &E_PROFINET_GAT4}, L_PROFINET_GAT_Dots);
    L_PROFINET_TunnelPort = b.Label(u"L_PROFINET_TunnelPort", 3, 563);
    E_PROFINET_TunnelPort = b.Edit(u"E_PROFINET_TunnelPort", 3, 564, u"502");
    L_PROFINET_NameStation = b.Label(u"L_PROFINET_NameStation", 4, 565);
    E_PROFINET_NameStation = b.Name_Edit(u"E_PROFINET_NameStation", 4, 566, u"devicename1");
    L_PROFINET_NByte_In = b.Label(u"L_PROFINET_NByte_In", 5, 567);
    E_PROFINET_NByte_In = b.Edit(u"E_PROFINET_NByte_In", 5, 568, u"1438");
    L_PROFINET_NByte_Out = b.Label(u"L_PROFINET_NByte_Out", 6, 569);
    E_PROFINET_NByte_Out = b.Edit(u"E_PROFINET_NByte_Out", 6, 570, u"1438");
    CB_PROFINET_Diagnostic = b.Check(u"CB_PROFINET_Diagnostic", 7, 571, 572, Check_Width_Octets);
    E_PROFINET_Diagnostic = b.Edit(u"E_PROFINET_Diagnostic", 7, 573, u"0");
  }

  CP_Serial = Create_Panel(this, CPG, u"CP_Serial", u"Serial", 3, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Serial);
    L_Serial_Serial = b.Label(u"L_Serial_Serial", 0, 575);
    CB_Serial_Serial = b.List(u"CB_Serial_Serial", 0, 576, Serial_Items, 0);
    L_Serial_Baudrate = b.Label(u"L_Serial_Baudrate", 1, 577);
    CB_Serial_Baudrate = b.List(u"CB_Serial_Baudrate", 1, 578, Serial_Baudrate_Items, 7);
    L_Serial_Parity = b.Label(u"L_Serial_Parity", 2, 579);
    Cb_Serial_Parity = b.List(u"Cb_Serial_Parity", 2, 580, Parity_Items, 0);
    L_Serial_StopBits = b.Label(u"L_Serial_StopBits", 3, 581);
    CB_Serial_StopBits = b.List(u"CB_Serial_StopBits", 3, 582, Stop_Bits_Items, 0);
  }

  CP_Modbus_Master = Create_Panel(this, CPG, u"CP_Modbus_Master", u"Modbus Master", 5, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Modbus_Master);
    L_ModbusMaster_Serial = b.Label(u"L_ModbusMaster_Serial", 0, 584);
    CB_ModbusMaster_Serial = b.List(u"CB_ModbusMaster_Serial", 0, 585, Serial_Items, 0);
    L_ModbusMaster_Baudrate = b.Label(u"L_ModbusMaster_Baudrate", 1, 586);
    CB_ModbusMaster_Baudrate = b.List(u"CB_ModbusMaster_Baudrate", 1, 587, Serial_Baudrate_Items, 7);
    L_ModbusMaster_Parity = b.Label(u"L_ModbusMaster_Parity", 2, 588);
    CB_ModbusMaster_Parity = b.List(u"CB_ModbusMaster_Parity", 2, 589, Parity_Items, 0);
    L_ModbusMaster_StopBits = b.Label(u"L_ModbusMaster_StopBits", 3, 590);
    CB_ModbusMaster_StopBits = b.List(u"CB_ModbusMaster_StopBits", 3, 591, Stop_Bits_Items, 0);
    L_ModbusMaster_TimeOut = b.Label(u"L_ModbusMaster_TimeOut", 4, 592);
    E_ModbusMaster_TimeOut = b.Edit(u"E_ModbusMaster_TimeOut", 4, 593, u"1000");
    L_ModbusMaster_CyclicDelay = b.Label(u"L_ModbusMaster_CyclicDelay", 5, 594);
    E_ModbusMaster_CyclicDelay = b.Edit(u"E_ModbusMaster_CyclicDelay", 5, 595, u"100");
  }
  return design_top;
}

void TFParGen::Create_Panels_Part2(Integer design_top) {
  CP_Modbus_TCP_Master = Create_Panel(this, CPG, u"CP_Modbus_TCP_Master", u"Modbus TCP Master", 4, design_top);
  {
    TParGen_Panel_Builder b(this, CP_Modbus_TCP_Master);
    L_ModbusTCPMaster_IP = b.Label(u"L_ModbusTCPMaster_IP", 0, 597);
    b.Octets(u"E_ModbusTCPMaster_IP", 0, 598, {},
             {&E_ModbusTCPMaster_IP1, &E_ModbusTCPMaster_IP2, &E_ModbusTCPMaster_IP3, &E_ModbusTCPMaster_IP4},
             L_ModbusTCPMaster_IP_Dots);
    L_ModbusTCPMaster_SM = b.Label(u"L_ModbusTCPMaster_SM", 1, 602);
    b.Octets(u"E_ModbusTCPMaster_SM", 1, 603, {},
             {&E_ModbusTCPMaster_SM1, &E_ModbusTCPMaster_SM2, &E_ModbusTCPMaster_SM3, &E_ModbusTCPMaster_SM4},
             L_ModbusTCPMaster_SM_Dots);
    CB_ModbusTCPMaster_En_GAT = b.Check(u"CB_ModbusTCPMaster_En_GAT", 2, 607, 608, Check_Width_Octets);
    b.Octets(u"E_ModbusTCPMaster_GAT", 2, 609, {},
             {&E_ModbusTCPMaster_GAT1, &E_ModbusTCPMaster_GAT2, &E_ModbusTCPMaster_GAT3, &E_ModbusTCPMaster_GAT4},
             L_ModbusTCPMaster_GAT_Dots);
    L_ModbusTCPMaster_TimeOut = b.Label(u"L_ModbusTCPMaster_TimeOut", 3, 613);
    E_ModbusTCPMaster_TimeOut = b.Edit(u"E_ModbusTCPMaster_TimeOut", 3, 614, u"1000");
    L_ModbusTCPMaster_CyclicDelay = b.Label(u"L_ModbusTCPMaster_CyclicDelay", 4, 615);
    E_ModbusTCPMaster_CyclicDelay = b.Edit(u"E_ModbusTCPMaster_CyclicDelay", 4, 616, u"100");
  }

  // The BACnet/IP rows come first, the MS/TP rows below them.
  CP_BACnet_Master = Create_Panel(this, CPG, u"CP_BACnet_Master", u"BACnet Master", 14, design_top);
  {
    TParGen_Panel_Builder b(this, CP_BACnet_Master);
    L_BACnet_Master_Type = b.Label(u"L_BACnet_Master_Type", 0, 618);
    CB_BACnet_Master_Type = b.List(u"CB_BACnet_Master_Type", 0, 619, BACnet_Type_Items, 0);
    L_BACnet_IP_Master_IP = b.Label(u"L_BACnet_IP_Master_IP", 1, 620);
    b.Octets(u"E_BACnet_IP_Master_IP", 1, 621, {},
             {&E_BACnet_IP_Master_IP1, &E_BACnet_IP_Master_IP2, &E_BACnet_IP_Master_IP3, &E_BACnet_IP_Master_IP4},
             L_BACnet_IP_Master_IP_Dots);
    L_BACnet_IP_Master_SM = b.Label(u"L_BACnet_IP_Master_SM", 2, 625);
    b.Octets(u"E_BACnet_IP_Master_SM", 2, 626, {},
             {&E_BACnet_IP_Master_SM1, &E_BACnet_IP_Master_SM2, &E_BACnet_IP_Master_SM3, &E_BACnet_IP_Master_SM4},
             L_BACnet_IP_Master_SM_Dots);
    CB_BACnet_IP_Master_GAT = b.Check(u"CB_BACnet_IP_Master_GAT", 3, 630, 631, Check_Width_Octets);
    b.Octets(u"E_BACnet_IP_Master_GAT", 3, 632, {},
             {&E_BACnet_IP_Master_GAT1, &E_BACnet_IP_Master_GAT2, &E_BACnet_IP_Master_GAT3,
              &E_BACnet_IP_Master_GAT4},
             L_BACnet_IP_Master_GAT_Dots);
    L_BACnet_IP_Master_Port = b.Label(u"L_BACnet_IP_Master_Port", 4, 636);
    E_BACnet_IP_Master_Port = b.Edit(u"E_BACnet_IP_Master_Port", 4, 637, u"502");
    L_BACnet_IP_Master_Device_Name = b.Label(u"L_BACnet_IP_Master_Device_Name", 5, 638);
    E_BACnet_IP_Master_Device_Name = b.Name_Edit(u"E_BACnet_IP_Master_Device_Name", 5, 639, u"devicename1");
    L_BACnet_IP_Master_Device_Identifier = b.Label(u"L_BACnet_IP_Master_Device_Identifier", 6, 640);
    E_BACnet_IP_Master_Device_Identifier = b.Edit(u"E_BACnet_IP_Master_Device_Identifier", 6, 641, u"502");
    L_BACnet_IP_Master_TimeOut_Polling = b.Label(u"L_BACnet_IP_Master_TimeOut_Polling", 7, 642);
    E_BACnet_IP_Master_TimeOut_Polling = b.Edit(u"E_BACnet_IP_Master_TimeOut_Polling", 7, 643, u"2000");
    L_BACnet_MSTP_Master_Baudrate = b.Label(u"L_BACnet_MSTP_Master_Baudrate", 8, 644);
    CB_BACnet_MSTP_Master_Baudrate = b.List(u"CB_BACnet_MSTP_Master_Baudrate", 8, 645, MSTP_Baudrate_Items, 5);
    L_BACnet_MSTP_Master_Parity = b.Label(u"L_BACnet_MSTP_Master_Parity", 9, 646);
    CB_BACnet_MSTP_Master_Parity = b.List(u"CB_BACnet_MSTP_Master_Parity", 9, 647, Parity_Items, 0);
    L_BACnet_MSTP_Master_Device_Name = b.Label(u"L_BACnet_MSTP_Master_Device_Name", 10, 648);
    E_BACnet_MSTP_Master_Device_Name = b.Name_Edit(u"E_BACnet_MSTP_Master_Device_Name", 10, 649, u"devicename1");
    L_BACnet_MSTP_Master_MAC_Address = b.Label(u"L_BACnet_MSTP_Master_MAC_Address", 11, 650);
    E_BACnet_MSTP_Master_MAC_Address = b.Edit(u"E_BACnet_MSTP_Master_MAC_Address", 11, 651, u"502");
    L_BACnet_MSTP_Master_Max_Master = b.Label(u"L_BACnet_MSTP_Master_Max_Master", 12, 652);
    E_BACnet_MSTP_Master_Max_Master = b.Name_Edit(u"E_BACnet_MSTP_Master_Max_Master", 12, 653, u"devicename1");
    L_BACnet_MSTP_Master_Max_Info_Frame = b.Label(u"L_BACnet_MSTP_Master_Max_Info_Frame", 13, 654);
    E_BACnet_MSTP_Master_Max_Info_Frame = b.Edit(u"E_BACnet_MSTP_Master_Max_Info_Frame", 13, 655, u"502");
    L_BACnet_MSTP_Master_Device_Instance = b.Label(u"L_BACnet_MSTP_Master_Device_Instance", 14, 656);
    E_BACnet_MSTP_Master_Device_Instance =
        b.Name_Edit(u"E_BACnet_MSTP_Master_Device_Instance", 14, 657, u"devicename1");
  }

  // The BACnet/IP rows and the description box first; the MS/TP rows below them until the type
  // moves them up into the place of the BACnet/IP rows.
  CP_BACnet_Slave = Create_Panel(this, CPG, u"CP_BACnet_Slave", u"BACnet Slave", 15, design_top);
  {
    TParGen_Panel_Builder b(this, CP_BACnet_Slave);
    L_BACnet_Slave_Type = b.Label(u"L_BACnet_Slave_Type", 0, 659);
    CB_BACnet_Slave_Type = b.List(u"CB_BACnet_Slave_Type", 0, 660, BACnet_Type_Items, 0);
    L_BACnet_IP_Slave_IP = b.Label(u"L_BACnet_IP_Slave_IP", 1, 661);
    b.Octets(u"E_BACnet_IP_Slave_IP", 1, 662, {},
             {&E_BACnet_IP_Slave_IP1, &E_BACnet_IP_Slave_IP2, &E_BACnet_IP_Slave_IP3, &E_BACnet_IP_Slave_IP4},
             L_BACnet_IP_Slave_IP_Dots);
    L_BACnet_IP_Slave_SM = b.Label(u"L_BACnet_IP_Slave_SM", 2, 666);
    b.Octets(u"E_BACnet_IP_Slave_SM", 2, 667, {},
             {&E_BACnet_IP_Slave_SM1, &E_BACnet_IP_Slave_SM2, &E_BACnet_IP_Slave_SM3, &E_BACnet_IP_Slave_SM4},
             L_BACnet_IP_Slave_SM_Dots);
    CB_BACnet_IP_Slave_GAT = b.Check(u"CB_BACnet_IP_Slave_GAT", 3, 671, 672, Check_Width_Octets);
    b.Octets(u"E_BACnet_IP_Slave_GAT", 3, 673, {},
             {&E_BACnet_IP_Slave_GAT1, &E_BACnet_IP_Slave_GAT2, &E_BACnet_IP_Slave_GAT3, &E_BACnet_IP_Slave_GAT4},
             L_BACnet_IP_Slave_GAT_Dots);
    L_BACnet_IP_Slave_Port = b.Label(u"L_BACnet_IP_Slave_Port", 4, 677);
    E_BACnet_IP_Slave_Port = b.Edit(u"E_BACnet_IP_Slave_Port", 4, 678, u"502");
    L_BACnet_IP_Slave_Device_Name = b.Label(u"L_BACnet_IP_Slave_Device_Name", 5, 679);
    E_BACnet_IP_Slave_Device_Name = b.Name_Edit(u"E_BACnet_IP_Slave_Device_Name", 5, 680, u"devicename1");
    L_BACnet_IP_Slave_Device_Identifier = b.Label(u"L_BACnet_IP_Slave_Device_Identifier", 6, 681);
    E_BACnet_IP_Slave_Device_Identifier = b.Edit(u"E_BACnet_IP_Slave_Device_Identifier", 6, 682, u"502");
    CB_BACnet_Slave_Desc_32_Chars = b.Check(u"CB_BACnet_Slave_Desc_32_Chars", 7, 699, 700);
    L_BACnet_MSTP_Slave_Baudrate = b.Label(u"L_BACnet_MSTP_Slave_Baudrate", 8, 683);
    CB_BACnet_MSTP_Slave_Baudrate = b.List(u"CB_BACnet_MSTP_Slave_Baudrate", 8, 684, MSTP_Baudrate_Items, 5);
    L_BACnet_MSTP_Slave_Parity = b.Label(u"L_BACnet_MSTP_Slave_Parity", 9, 685);
    CB_BACnet_MSTP_Slave_Parity = b.List(u"CB_BACnet_MSTP_Slave_Parity", 9, 686, Parity_Items, 0);
    L_BACnet_MSTP_Slave_Device_Name = b.Label(u"L_BACnet_MSTP_Slave_Device_Name", 10, 687);
    E_BACnet_MSTP_Slave_Device_Name = b.Name_Edit(u"E_BACnet_MSTP_Slave_Device_Name", 10, 688, u"devicename1");
    L_BACnet_MSTP_Slave_MAC_Address = b.Label(u"L_BACnet_MSTP_Slave_MAC_Address", 11, 689);
    E_BACnet_MSTP_Slave_MAC_Address = b.Edit(u"E_BACnet_MSTP_Slave_MAC_Address", 11, 690, u"502");
    L_BACnet_MSTP_Slave_Max_Master = b.Label(u"L_BACnet_MSTP_Slave_Max_Master", 12, 691);
    E_BACnet_MSTP_Slave_Max_Master = b.Edit(u"E_BACnet_MSTP_Slave_Max_Master", 12, 692);
    L_BACnet_MSTP_Slave_Max_Info_Frame = b.Label(u"L_BACnet_MSTP_Slave_Max_Info_Frame", 13, 693);
    E_BACnet_MSTP_Slave_Max_Info_Frame = b.Edit(u"E_BACnet_MSTP_Slave_Max_Info_Frame", 13, 694, u"502");
    L_BACnet_MSTP_Slave_Device_Instance = b.Label(u"L_BACnet_MSTP_Slave_Device_Instance", 14, 695);
    E_BACnet_MSTP_Slave_Device_Instance = b.Edit(u"E_BACnet_MSTP_Slave_Device_Instance", 14, 696);
    L_BACnet_MSTP_Slave_Network = b.Label(u"L_BACnet_MSTP_Slave_Network", 15, 697);
    E_BACnet_MSTP_Slave_Network = b.Edit(u"E_BACnet_MSTP_Slave_Network", 15, 698, u"502");
  }

  CP_CAN = Create_Panel(this, CPG, u"CP_CAN", u"CAN", 0, design_top);
  {
    TParGen_Panel_Builder b(this, CP_CAN);
    L_CAN_Baudrate = b.Label(u"L_CAN_Baudrate", 0, 702);
    CB_CAN_Baudrate = b.List(u"CB_CAN_Baudrate", 0, 703,
                             {u"10K", u"20K", u"50K", u"62.5K", u"100K", u"125K", u"250K", u"500K", u"800K", u"1000K"},
                             9);
  }

  CP_CANopen = Create_Panel(this, CPG, u"CP_CANopen", u"CANopen", 4, design_top);
  {
    TParGen_Panel_Builder b(this, CP_CANopen);
    L_CANopen_IDDevice = b.Label(u"L_CANopen_IDDevice", 0, 705);
    E_CANopen_IDDevice = b.Edit(u"E_CANopen_IDDevice", 0, 706);
    L_CANopen_Baudrate = b.Label(u"L_CANopen_Baudrate", 1, 707);
    CB_CANopen_Baudrate = b.List(u"CB_CANopen_Baudrate", 1, 708,
                                 {u"10K", u"20K", u"50K", u"100K", u"125K", u"250K", u"500K", u"800K", u"1000K", u""},
                                 8);
    CB_CANopen_SetOpe = b.Check(u"CB_CANopen_SetOpe", 2, 709, 710);
    // The delay edit sits on the row of its check box, from left 313 to the fields' right edge.
    CB_CANopen_NetOpe = b.Check(u"CB_CANopen_NetOpe", 3, 711, 712, 313 - 8 - Label_Left);
    E_CANopen_NetOpe_Delay = b.Edit(u"E_CANopen_NetOpe_Delay", 3, 713, String(), 313, Field_Left + Field_Width - 313);
    L_CANopen_SDO_Timeout = b.Label(u"L_CANopen_SDO_Timeout", 4, 714);
    E_CANopen_SDO_Timeout = b.Edit(u"E_CANopen_SDO_Timeout", 4, 715, u"1", 252, Field_Left + Field_Width - 252);
  }

  CP_DeviceNet_Master = Create_Panel(this, CPG, u"CP_DeviceNet_Master", u"DeviceNet Master", 1, design_top);
  {
    TParGen_Panel_Builder b(this, CP_DeviceNet_Master);
    L_DeviceNet_Master_IDDevice = b.Label(u"L_DeviceNet_Master_IDDevice", 0, 717);
    E_DeviceNet_Master_IDDevice = b.Edit(u"E_DeviceNet_Master_IDDevice", 0, 718);
    L_DeviceNet_Master_Baudrate = b.Label(u"L_DeviceNet_Master_Baudrate", 1, 719);
    CB_DeviceNet_Master_Baudrate = b.List(u"CB_DeviceNet_Master_Baudrate", 1, 720, DeviceNet_Baudrate_Items, 2);
  }

  CP_DeviceNet_Slave = Create_Panel(this, CPG, u"CP_DeviceNet_Slave", u"DeviceNet Slave", 3, design_top);
  {
    TParGen_Panel_Builder b(this, CP_DeviceNet_Slave);
    L_DeviceNet_Slave_IDDevice = b.Label(u"L_DeviceNet_Slave_IDDevice", 0, 722);
    E_DeviceNet_Slave_IDDevice = b.Edit(u"E_DeviceNet_Slave_IDDevice", 0, 723, u"0");
    L_DeviceNet_Slave_Baudrate = b.Label(u"L_DeviceNet_Slave_Baudrate", 1, 724);
    CB_DeviceNet_Slave_Baudrate = b.List(u"CB_DeviceNet_Slave_Baudrate", 1, 725, DeviceNet_Baudrate_Items, 2);
    L_DeviceNet_Slave_NumByteIn = b.Label(u"L_DeviceNet_Slave_NumByteIn", 2, 726);
    E_DeviceNet_Slave_NumByteIn = b.Edit(u"E_DeviceNet_Slave_NumByteIn", 2, 727, u"455");
    L_DeviceNet_Slave_NumByteOut = b.Label(u"L_DeviceNet_Slave_NumByteOut", 3, 728);
    E_DeviceNet_Slave_NumByteOut = b.Edit(u"E_DeviceNet_Slave_NumByteOut", 3, 729, u"455");
  }

  CP_PROFIBUS = Create_Panel(this, CPG, u"CP_PROFIBUS", u"PROFIBUS", 3, design_top);
  {
    TParGen_Panel_Builder b(this, CP_PROFIBUS);
    L_PROFIBUS_IDDevice = b.Label(u"L_PROFIBUS_IDDevice", 0, 752);
    E_PROFIBUS_IDDevice = b.Edit(u"E_PROFIBUS_IDDevice", 0, 753);
    L_PROFIBUS_Baudrate = b.Label(u"L_PROFIBUS_Baudrate", 1, 754);
    // The converter finds the PROFIBUS baud rate by itself: one fixed item, not to be changed.
    CB_PROFIBUS_Baudrate = b.List(u"CB_PROFIBUS_Baudrate", 1, 755, {u"Auto Baudrate"}, 0);
    CB_PROFIBUS_Baudrate->SetEnabled(false);
    L_PROFIBUS_NByte_In = b.Label(u"L_PROFIBUS_NByte_In", 2, 756);
    E_PROFIBUS_NByte_In = b.Edit(u"E_PROFIBUS_NByte_In", 2, 757);
    L_PROFIBUS_NByte_Out = b.Label(u"L_PROFIBUS_NByte_Out", 3, 758);
    E_PROFIBUS_NByte_Out = b.Edit(u"E_PROFIBUS_NByte_Out", 3, 759);
  }
}

void TFParGen::Wire_Events() {
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnResize = [this](TObject* Sender) { FormResize(Sender); };
  OnMouseWheel = [this](TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled) {
    FormMouseWheel(Sender, Shift, WheelDelta, MousePos, Handled);
  };
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel->OnClick = [this](TObject* Sender) { Btn_CancelClick(Sender); };

  // Every edit, rich edit and list reports its changes, every check box but the BACnet master's
  // gateway box its clicks; every octet edit goes through the "." handler.
  const auto change = [this](TObject* Sender) { On_Change(Sender); };
  const auto click = [this](TObject* Sender) { On_Click(Sender); };
  for (const TText_Entry& entry : FTexts) {
    if (auto* edit = dynamic_cast<TCustomEdit*>(entry.Control)) {
      edit->OnChange = change;
    } else if (auto* list = dynamic_cast<TComboBox*>(entry.Control)) {
      list->OnChange = change;
    } else if (auto* box = dynamic_cast<TCheckBox*>(entry.Control)) {
      if (box != CB_BACnet_IP_Master_GAT) box->OnClick = click;
    }
  }
  for (TEdit* edit : FOctet_Edits) edit->OnKeyPress = [this](TObject* Sender, Char& Key) { KeyPress(Sender, Key); };
}
