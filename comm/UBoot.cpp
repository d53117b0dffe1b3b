#include "comm/UBoot.h"

#include <memory>

#include "app/ShellRoutines.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "comm/LanUploaderFile.h"
#include "comm/ParGenFile.h"
#include "comm/UpdateTool.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

TFBoot* FBoot = nullptr;

TFBoot::TFBoot(TComponent* AOwner) : TFDialog(AOwner) {
  Create_Controls();
  // The check lets the dialog repaint and take input between its requests.
  Ping.OnProcessMessages = [] {
    if (Application) Application->ProcessMessages();
  };
  Set_Lang();
}

String TFBoot::IP_Address_Text() const {
  return E_IP1->Text() + u"." + E_IP2->Text() + u"." + E_IP3->Text() + u"." + E_IP4->Text();
}

bool TFBoot::Send_Ping() { return Ping.Send_Ping(IP_Address_Text()); }

void TFBoot::Compile_XML_Parameter_New_Boot() {
  TLan_Uploader_Params P;
  P.IP_Address = IP_Address_Text();
  P.Update_Option = CB_Update_Options->ItemIndex();
  P.Read_Back = CB_Update_Option_Read_Back->Checked();
  P.Path_Master = Path_Master;
  P.Path_Conf = Path_Conf;
  Write_Lan_Uploader_File(Path_Program, P);
}

void TFBoot::Compile_XML_Parameter() {
  TLan_Uploader_Params P;
  P.Layout = luOlder;
  P.IP_Address = IP_Address_Text();
  P.Update_Option = CB_Update_Options->ItemIndex();
  P.Read_Back = CB_Update_Option_Read_Back->Checked();
  P.Path_Master = Path_Master;
  P.Path_Conf = Path_Conf;
  Write_Lan_Uploader_File(Path_Program, P);
}

Integer TFBoot::Get_Type_Dev() {
  TParGen_Reader Reader;
  Reader.Load(File_ParGen);
  return 0;
}

void TFBoot::Set_Lang() {
  if (Form_Type == Boot_Form_Serial) {
    SetCaption(Get_Text(900));
    L_SW_Desc->SetCaption(Get_Text(901));
  } else if (Form_Type == Boot_Form_Ethernet) {
    SetCaption(Get_Text(902));
    L_SW_Desc->SetCaption(Get_Text(903));
  }
  L_IP_Address->SetCaption(Get_Text(906));
  E_IP1->SetHint(Get_Text(921));
  E_IP2->SetHint(Get_Text(922));
  E_IP3->SetHint(Get_Text(923));
  E_IP4->SetHint(Get_Text(924));

  L_List_Device->SetCaption(Get_Text(909));
  Btn_Search->SetCaption(Get_Text(910));
  Btn_Search->SetHint(Get_Text(929));
  ACG_List_Devices->Columns()->GetItem(0)->SetHeader(Get_Text(911));
  ACG_List_Devices->Columns()->GetItem(1)->SetHeader(Get_Text(912));
  ACG_List_Devices->SetHint(Get_Text(930));
  CB_Find_All_TVL->SetCaption(Get_Text(913));
  CB_Find_All_TVL->SetHint(Get_Text(931));

  L_Update_Option->SetCaption(Get_Text(914));
  CB_Update_Options->Items()->Clear();
  CB_Update_Options->Items()->Add(Get_Text(915));
  CB_Update_Options->Items()->Add(Get_Text(916));
  CB_Update_Options->Items()->Add(Get_Text(917));
  CB_Update_Options->SetItemIndex(0);
  CB_Update_Options->SetHint(Get_Text(932));
  CB_Update_Option_Read_Back->SetCaption(Get_Text(918));
  CB_Update_Option_Read_Back->SetHint(Get_Text(933));

  Btn_Cancel->SetCaption(Get_Text(919));
  Btn_Cancel->SetHint(Get_Text(934));
  Btn_Update->SetCaption(Get_Text(920));
  Btn_Update->SetHint(Get_Text(935));
}

void TFBoot::Show_Update_Choices() {
  CB_Update_Options->SetItemIndex(Update_Option);
  CB_Update_Option_Read_Back->SetChecked(Update_Read_Back);
}

void TFBoot::FormShow(TObject* Sender) {
  (void)Sender;
  Set_Lang();
  L_SW_Code->SetCaption(SW_Code);
  Reset_Panels();

  if (Form_Type == Boot_Form_Ethernet) {
    P_IP_Address->SetVisible(true);
    P_Options->SetVisible(true);
    SetClientWidth(Boot_Client_Width);
    P_IP_Address->SetAlign(alTop);
    P_Eth_Search->SetAlign(alTop);
    P_Options->SetAlign(alTop);
    SetClientHeight(Title_Panel_Height + Boot_IP_Address_Height + Boot_Options_Height +
                    Button_Panel_Height);
    P_Title->SetTabOrder(0);
    P_IP_Address->SetTabOrder(1);
    P_Eth_Search->SetTabOrder(2);
    P_Options->SetTabOrder(3);
    P_Button->SetTabOrder(4);
    P_Serial->SetTabOrder(5);

    String P1, P2, P3, P4;
    if (!Last_IP_Address.empty() && Check_IP_Address(Last_IP_Address, P1, P2, P3, P4)) {
      E_IP1->SetText(P1);
      E_IP2->SetText(P2);
      E_IP3->SetText(P3);
      E_IP4->SetText(P4);
    }
    Show_Update_Choices();
    if (E_IP1->CanFocus()) E_IP1->SetFocus();
    else SetActiveControl(E_IP1);
  } else if (Form_Type == Boot_Form_Serial) {
    P_Serial->SetVisible(true);
    P_Options->SetVisible(true);
    SetClientWidth(Boot_Client_Width);
    P_Serial->SetAlign(alTop);
    P_Options->SetAlign(alTop);
    SetClientHeight(Title_Panel_Height + Boot_Serial_Height + Boot_Options_Height +
                    Button_Panel_Height);
    P_Title->SetTabOrder(0);
    P_Serial->SetTabOrder(1);
    P_Options->SetTabOrder(2);
    P_Button->SetTabOrder(3);
    P_IP_Address->SetTabOrder(4);
    P_Eth_Search->SetTabOrder(5);

    Show_Update_Choices();
    update_ComPort();
    if (CB_COM_Port->CanFocus()) CB_COM_Port->SetFocus();
    else SetActiveControl(CB_COM_Port);
  }
}

void TFBoot::KeyPress(TObject* Sender, Char& Key) {
  if (Key != u'.') return;
  Key = 0;
  TEdit* Next = nullptr;
  if (Sender == E_IP1) Next = E_IP2;
  else if (Sender == E_IP2) Next = E_IP3;
  else if (Sender == E_IP3) Next = E_IP4;
  if (Next != nullptr && Next->CanFocus()) Next->SetFocus();
}

void TFBoot::Btn_COM_ListClick(TObject* Sender) {
  (void)Sender;
  update_ComPort();
}

void TFBoot::update_ComPort() {
  CB_COM_Port->Items()->Clear();
  const std::unique_ptr<TStringList> Ports = Get_Com_Port_List(Com_Device_Folder);
  for (Integer i = 0; i < Ports->Count(); ++i) CB_COM_Port->Items()->Add(u"COM" + Ports->Strings(i));
  CB_COM_Port->SetItemIndex(0);
}

void TFBoot::Btn_UpdateClick(TObject* Sender) {
  (void)Sender;
  if (FUpdating) return;
  FUpdating = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FUpdating};
  if (Form_Type == Boot_Form_Ethernet) Update_Ethernet();
  else if (Form_Type == Boot_Form_Serial) Update_Serial();
}

void TFBoot::Update_Ethernet() {
  TUpdate_Request Request;
  Request.IP_Address = IP_Address_Text();
  Request.Update_Option = CB_Update_Options->ItemIndex();
  Request.Read_Back = CB_Update_Option_Read_Back->Checked();
  Request.Path_Program = Path_Program;
  Request.Path_Master = Path_Master;
  Request.Path_Conf = Path_Conf;
  // The choices are kept only once the device has answered, before the parameter file is written,
  // as the controls show them then: the user may have changed them while the check ran. A user who
  // left the dialog meanwhile (Cancel, the close box) wants no update.
  const TUpdate_Outcome Outcome = Execute_Update(Request, Ping, [this](TUpdate_Request& Answered) {
    if (ModalResult() != mrNone) return false;
    Answered.Update_Option = CB_Update_Options->ItemIndex();
    Answered.Read_Back = CB_Update_Option_Read_Back->Checked();
    Last_IP_Address = Answered.IP_Address;
    Update_Option = Answered.Update_Option;
    Update_Read_Back = Answered.Read_Back;
    return true;
  });
  // The outcome of a check that the user left is not shown: the dialog is closing.
  if (ModalResult() != mrNone) return;
  switch (Outcome) {
    case uoDevice_Not_Found:
      MessageDlg(Get_Text(Ping_Text_Device_Not_Found), mtWarning, {mbOK});
      break;
    case uoAddress_Error:
      MessageDlg(Get_Text(Ping_Text_Check_Address), mtError, {mbOK});
      break;
    case uoTool_Missing:
      MessageDlg(Get_Text(Tool_Text_Missing) + Update_Tool_Path(Path_Program), mtError, {mbOK});
      break;
    case uoTool_Start_Failed:
      MessageDlg(Get_Text(Tool_Text_Start_Failed) + Update_Tool_Path(Path_Program), mtError, {mbOK});
      break;
    case uoTool_Ended:
    case uoTool_Timed_Out:
    case uoCancelled:
      // The tool's end is the end of the update; the dialog stays open for another one.
      break;
  }
}

String TFBoot::Update_Options(const String& s_opt) const {
  return ::Update_Options(s_opt, CB_Update_Options->ItemIndex(), CB_Update_Option_Read_Back->Checked());
}

void TFBoot::Update_Serial() {
  Update_Option = CB_Update_Options->ItemIndex();
  Update_Read_Back = CB_Update_Option_Read_Back->Checked();
  Serial_Command = Update_Options(u"\\\\.\\" + CB_COM_Port->Text() + u" ");
}
