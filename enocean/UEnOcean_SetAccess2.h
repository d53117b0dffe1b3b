// The network editor: the modal dialog in which the user builds the EnOcean network of the open
// configuration. On the left the list of devices; on the right a page selector between the
// unidirectional and the Smart-ACK EEP lists, the tree of the selected device's EEPs with their
// variables, and a detail grid of the selected EEP or variable.
//
// The dialog loads "EnOcean.xml" when it is shown and rewrites it on OK; in between every change
// works on its in-memory network `DevList`. Devices are entered through the device dialog, EEPs and
// variables through the variable dialogs; the model changes themselves are those of
// enocean/VariableChoice.h.
#pragma once

#include "app/UDialogFrame.h"
#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_NetworkFile.h"

class TExStringGrid;
class TFadeButton;
class TImageList;
class TLabel;
class TListBox;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSplitter;
class TStripTab;
class TTabStrip;
class TTreeView;

// The network, its file and the selections (DevList, Ind_EEP, Ind_Var, Network_Read_Whole,
// Save_Configuration, Load_Configuration, Cancel_Devices_List) are those of TEnOcean_Network_Editing.
class TFEnOcean_SetAccess2 : public TFDialog, public TEnOcean_Network_Editing {
 public:
  explicit TFEnOcean_SetAccess2(TComponent* AOwner);
  ~TFEnOcean_SetAccess2() override;
  String ClassName() const override { return u"TFEnOcean_SetAccess2"; }

  // The pages of the selector: what the tree and the EEP and variable actions work on.
  enum TPage { pgNone = -1, pgUnidirectional = 0, pgSmartACK = 1 };

  TPanel* PEnOcean_ID = nullptr;
  TLabel* L_ID_Devices_List = nullptr;
  TListBox* LB_ID_Devices_List = nullptr;
  TFadeButton* Btn_Add_Device = nullptr;
  TFadeButton* Btn_Remove_Device = nullptr;
  TFadeButton* Btn_Modify_Device = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* PEnOcean_Uni_SAck = nullptr;
  TTabStrip* CT_Uni_Smart_Remote = nullptr;
  TPanel* P_Uni_SAck_Bottons = nullptr;
  TFadeButton* Btn_Add_Variable = nullptr;
  TFadeButton* Btn_Remove_Variable = nullptr;
  TFadeButton* Btn_Modify_Variable = nullptr;
  TPanel* P_TW_UniSmart_EEP = nullptr;
  TTreeView* TW_UniSmart_EEP = nullptr;
  TSplitter* Splitter2 = nullptr;
  TExStringGrid* ESG_EEP_Var = nullptr;

  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;
  TFadeButton* Btn_Scan = nullptr;  // hidden, no action

  // The add / remove / modify glyphs of the device menu.
  TImageList* IL_BtnImage = nullptr;
  TPopupMenu* PM_Device_EnOcean = nullptr;
  TMenuItem* PopUpAddEnOceanDevice1 = nullptr;
  TMenuItem* PopUpRemoveEnOceanDevice1 = nullptr;
  TMenuItem* PopUpModifyEnOceanDevice1 = nullptr;
  // Attached to no control; its items do nothing.
  TPopupMenu* PM_Uni_SAck_EEP_Var = nullptr;

  // --- Events
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Btn_OKClick(TObject* Sender);
  // The three device buttons and the three device menu items: add, remove or modify by Sender.
  void Btn_DeviceClick(TObject* Sender);
  void PopUpEnOceanDevice1Click(TObject* Sender);
  void LB_ID_Devices_ListClick(TObject* Sender);
  void LB_ID_Devices_ListDblClick(TObject* Sender);
  void TW_UniSmart_EEPClick(TObject* Sender);
  // The three variable buttons: the flow of the active page.
  void Btn_VariableClick(TObject* Sender);
  void CT_Uni_Smart_RemoteActiveTabChanged(TObject* Sender, TStripTab* ATab);
  void PopUpEEPVariableEnOcean1Click(TObject* Sender);

  // --- Device flows (through the device dialog)
  void Add_EnOcean_Device();
  void Remove_EnOcean_Device();
  void Modify_EnOcean_Device();

  // --- EEP and variable flows (through the variable dialogs)
  void Add_Uni_EnOcean_Variable();
  void Remove_Uni_EnOcean_Variable();
  void Modify_Uni_EnOcean_Variable();
  void Add_SAck_EnOcean_Variable();
  void Remove_SAck_EnOcean_Variable();
  void Modify_SAck_EnOcean_Variable();

  // --- What the dialog shows
  // Fills the device list anew, one line per device; nothing is selected afterwards.
  void Show_EnOcean_Device_List();
  // Builds the tree of device Ind_Device's EEPs on the active page (an empty tree for a position
  // that is no device, or for a page that is no EEP list).
  void Show_EnOcean_TreeView_Uni_SAck(Integer Ind_Device);
  // Ind_EEP and Ind_Var from the tree's selected node.
  void Find_Selected_EEP_Var();
  // Column 1 of the detail grid for the selected device, EEP and variable.
  void Show_EnOcean_ESG_EEP_Var();
  // The left column of the detail grid, its colours and merged heading rows.
  void Init_Table();
  void Set_Lang();

  // The position of the selected device in DevList, -1 when none is selected.
  Integer Selected_Device_Index() const;
  // The page of the active tab.
  TPage Active_Page() const;
  // The page selector's tabs as the editor defines them, each time it is shown.
  void Restore_Pages();

 private:
  // Creates the controls (UEnOcean_SetAccess2Layout.cpp).
  void Create_Controls();
  TDevice_EnOcean* Selected_Device() const;
  // The remove and modify flows of both pages: Page's list, the texts of its questions, and the
  // variable dialog prepared for that list.
  struct TFlowTexts {
    Integer Remove_EEP;            // an EEP without variables
    Integer Remove_EEP_Variables;  // an EEP with variables
    Integer Remove_Variable;
    Integer Release_Variables;     // before an EEP with variables is modified
  };
  void Remove_EEP_Variable(TPage Page, const TFlowTexts& Texts);
  void Modify_EEP_Variable(TPage Page, const TFlowTexts& Texts);
};

extern TFEnOcean_SetAccess2* FEnOcean_SetAccess2;
