// The older network editor: the whole network in one large form instead of an editor with separate
// device and variable dialogs. A page selector switches between the device fields ("ID & Security")
// and the EEPs and variables of the selected device ("Data Exchange"), where a second selector
// chooses the unidirectional or the Smart-ACK panel and a third the EEP or the variable fields.
//
// It edits the same network with the same model classes and reads and writes the same
// "EnOcean.xml" as the newer editor (enocean/UEnOcean_SetAccess2.h). The program creates it at
// start-up and re-labels it after a change of language, but no button opens it.
//
// Its device buttons check the device silently: an invalid ID adds or changes nothing. EEPs and
// variables are added from its own catalogue lists; their checks show the error texts.
#pragma once

#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_DeviceFields.h"
#include "enocean/UEnOcean_NetworkFile.h"

class TComboBox;
class TEdit;
class TFadeButton;
class TLabel;
class TListBox;
class TPanel;
class TStripTab;
class TTabStrip;
class TTreeView;

// The device fields on "ID & Security" and their record are those of TFEnOcean_Device_Fields; the
// network, its file and the selections (DevList, Ind_EEP, Ind_Var, Network_Read_Whole,
// Save_Configuration, Load_Configuration, Cancel_Devices_List) those of TEnOcean_Network_Editing,
// the same as the newer editor's, so the Smart-ACK EEPs of a file, which this editor does not
// edit, are written back as they were read.
class TFEnOcean_SetAccess : public TFEnOcean_Device_Fields, public TEnOcean_Network_Editing {
 public:
  explicit TFEnOcean_SetAccess(TComponent* AOwner);
  ~TFEnOcean_SetAccess() override;
  String ClassName() const override { return u"TFEnOcean_SetAccess"; }

  TLabel* L_ID_Devices_List = nullptr;
  TListBox* LB_ID_Devices_List = nullptr;
  TTabStrip* CT_ID_Data = nullptr;

  // "ID & Security": the device dialog's fields, with the device buttons below them.
  TPanel* PEnOcean_DefID_IDSec = nullptr;
  TFadeButton* Btn_Add_Device = nullptr;
  TFadeButton* Btn_Modify_Device = nullptr;
  TFadeButton* Btn_Delete_Device = nullptr;

  // "Data Exchange".
  TPanel* PEnOcean_DefID_DataEx = nullptr;
  TTabStrip* CT_Uni_Smart_Remote = nullptr;

  // The unidirectional panel: the tree, and the EEP and variable fields beside it.
  TPanel* PEnOcean_DefID_Data_Uni = nullptr;
  TTreeView* TW_UniSmart_EEP = nullptr;
  TTabStrip* CT_EEP_Var = nullptr;
  TPanel* PEnOcean_EEP = nullptr;
  TLabel* L_EEP_Rorg = nullptr;
  TComboBox* CB_EEP_Rorg = nullptr;
  TLabel* L_EEP_Func = nullptr;
  TComboBox* CB_EEP_Func = nullptr;
  TLabel* L_EEP_Type = nullptr;
  TComboBox* CB_EEP_Type = nullptr;
  TFadeButton* Btn_EEP_Add = nullptr;
  TFadeButton* Btn_EEP_Modify = nullptr;
  TFadeButton* Btn_EEP_Delete = nullptr;
  TPanel* PEnOcean_Var = nullptr;
  TLabel* L_Var_Case = nullptr;
  TComboBox* CB_Var_Case = nullptr;
  TLabel* L_Var_DataField = nullptr;
  TComboBox* CB_Var_DataField = nullptr;
  TLabel* L_Var_Position = nullptr;
  TEdit* E_Var_Position = nullptr;
  TLabel* L_Var_BitStart = nullptr;
  TComboBox* CB_Var_BitStart = nullptr;
  TFadeButton* Btn_Var_Add = nullptr;
  TFadeButton* Btn_Var_Modify = nullptr;
  TFadeButton* Btn_Var_Delete = nullptr;

  // The Smart-ACK panel: the same arrangement; its tree stays empty and its buttons and lists have
  // no effect.
  TPanel* PEnOcean_DefID_Data_Smart = nullptr;
  TTreeView* TW_Smart_EEP = nullptr;
  TTabStrip* CT_EEP_Var_Smart = nullptr;
  TPanel* PEnOcean_EEP_Smart = nullptr;
  TLabel* L_EEP_Rorg_Smart = nullptr;
  TComboBox* CB_EEP_Rorg_Smart = nullptr;
  TLabel* L_EEP_Func_Smart = nullptr;
  TComboBox* CB_EEP_Func_Smart = nullptr;
  TLabel* L_EEP_Type_Smart = nullptr;
  TComboBox* CB_EEP_Type_Smart = nullptr;
  TFadeButton* Btn_EEP_Add_Smart = nullptr;
  TFadeButton* Btn_EEP_Modify_Smart = nullptr;
  TFadeButton* Btn_EEP_Delete_Smart = nullptr;
  TPanel* PEnOcean_Var_Smart = nullptr;
  TLabel* L_Var_Case_Smart = nullptr;
  TComboBox* CB_Var_Case_Smart = nullptr;
  TLabel* L_Var_DataField_Smart = nullptr;
  TComboBox* CB_Var_DataField_Smart = nullptr;
  TLabel* L_Var_Position_Smart = nullptr;
  TEdit* E_Var_Position_Smart = nullptr;
  TLabel* L_Var_BitStart_Smart = nullptr;
  TComboBox* CB_Var_BitStart_Smart = nullptr;
  TFadeButton* Btn_Var_Add_Smart = nullptr;
  TFadeButton* Btn_Var_Modify_Smart = nullptr;
  TFadeButton* Btn_Var_Delete_Smart = nullptr;

  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  // --- Events
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Btn_OKClick(TObject* Sender);
  void LB_ID_Devices_ListClick(TObject* Sender);
  // The three device buttons: add, modify (delete does nothing).
  void Btn_Add_Modify_DeviceClick(TObject* Sender);
  void CB_DevEnOcean_SecTypeChange(TObject* Sender);
  // The change event of the RORG, FUNC, TYPE and case lists: fills the level below.
  void CB_EEP_Rorg_Func_Type_Change(TObject* Sender);
  // The EEP buttons: add, delete (modify does nothing).
  void Btn_EEP_Add_Modify_Click(TObject* Sender);
  // The variable buttons: add, delete (modify does nothing).
  void Btn_Var_Add_Modify_Click(TObject* Sender);
  // Both trees: the selection of TW_UniSmart_EEP into the fields.
  void TW_UniSmart_EEPClick(TObject* Sender);
  void CT_ID_DataActiveTabChanged(TObject* Sender, TStripTab* ATab);
  void CT_Uni_Smart_RemoteActiveTabChanged(TObject* Sender, TStripTab* ATab);
  void CT_EEP_VarActiveTabChanged(TObject* Sender, TStripTab* ATab);
  void CT_EEP_Var_SmartActiveTabChanged(TObject* Sender, TStripTab* ATab);

  // --- What the dialog shows
  // The device fields and the tree for the selected device.
  void Update_IdSec_DataEx();
  // The device fields from device Index (no device: empty texts, every list at item 0).
  void Update_ID_Security(Integer Index);
  // The tree of device Index on the active page.
  void Update_Data_Exchange(Integer Index);
  void Update_DE_Unidirectional(Integer Index);
  void Update_DE_Smart_Ack(Integer Index);
  void Update_DE_Remote(Integer Index);
  // The device list, one line "ID " + the ID per device.
  void Show_Id_List();
  // The EEP and variable fields from the EEP and variable selected in the tree.
  void Update_EEP_VAR();

  // --- Checks; each failure of an EEP or variable check shows its error text.
  bool Check_Data_Device();
  bool Check_EEP(Integer Index);
  bool Check_Var(Integer Index);

  void Set_Lang();

  // The position of the selected device in DevList, -1 when none is selected.
  Integer Selected_Device_Index() const;

 private:
  // Creates the controls (UEnOcean_SetAccessLayout.cpp).
  void Create_Controls();
  // The EEP list of the active data page: the unidirectional list on tab 0, the Smart-ACK list on
  // tab 1, none (nullptr) on any other.
  TRorFunTyp_List* Active_EEP_List() const;
  // Ind_EEP and Ind_Var from the tree's selected node.
  void Find_Selected_EEP_Var();
  // Rebuilds the tree for the selected device and selects node EEP (and variable Var, -1 for none).
  void Show_Tree_Selecting(Integer EEP, Integer Var);
};

extern TFEnOcean_SetAccess* FEnOcean_SetAccess;
