// The variable dialog: the modal dialog in which the user picks, for the network editor's selected
// device, an EEP (RORG, FUNC, TYPE) and a variable (case and data field) from the EEP catalogue,
// with the variable's position and start bit. It serves every unidirectional flow (add a variable,
// modify an EEP, modify a variable) and the Smart-ACK modify flows.
//
// Its lists hold catalogue positions: item i of a list is entry i of the catalogue level it shows.
// Choosing an entry fills the list below it and empties the ones further down. On OK it checks the
// choice against the device's EEPs (enocean/VariableChoice.h); the editor then reads the choice back
// (Variable_Choice, EEP_Index) and changes its model.
#pragma once

#include "enocean/UEnOcean_VariableBase.h"

class TComboBox;
class TEdit;
class TLabel;

// The editor's network and device (DevList, Ind_Dev), EEP_Index, the EEP block, OK and Cancel and
// the OK check (Check_Data, Btn_OKClick) are those of TFEnOcean_Variable_Base.
class TFEnOcean_Variable : public TFEnOcean_Variable_Base {
 public:
  explicit TFEnOcean_Variable(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Variable"; }

  // Set by the editor before showing.
  Integer Uni_SAck = 0;        // 0 = the device's unidirectional list, 1 = its Smart-ACK list
  Integer Mode = 0;            // 0 = add, 1 = modify
  Integer Modify_EEP_Var = 0;  // with Mode 1: 0 = the EEP is modified, 1 = a variable is modified
  // EEP_Index is the position in the list chosen by Uni_SAck. ShowData_Uni_Add_Var /
  // ShowData_SAck_Add_Var set Ind_Dev (the editor may set it too).

  // The editor's selected EEP and variable, remembered by the prefill: a modified variable is not
  // compared with itself.
  Integer Ind_EEP = -1;
  Integer Ind_Var = -1;

  TComboBox* CB_Var_Case = nullptr;
  TLabel* L_Var_Variable = nullptr;
  TComboBox* CB_Var_Variable = nullptr;
  TLabel* L_Var_Position = nullptr;
  TEdit* E_Var_Position = nullptr;
  TLabel* L_Var_BitStart = nullptr;
  TComboBox* CB_Var_BitStart = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // The change event of the five catalogue lists: fills the level below the list that changed.
  void CB_EEP_Var_Change(TObject* Sender);
  void Set_Lang();

  // Prepare the lists from EEP Ind_EEP (and variable Ind_Var) of device Ind_Dev before showing;
  // with Ind_EEP -1 the lists keep what they showed at the dialog's last use. The Smart-ACK form
  // keeps RORG and FUNC at their fixed catalogue positions.
  void ShowData_Uni_Add_Var(Integer Ind_Dev, Integer Ind_EEP, Integer Ind_Var);
  void ShowData_SAck_Add_Var(Integer Ind_Dev, Integer Ind_EEP, Integer Ind_Var);

  // The OK check is Check_Variable_Data (the levels chosen, the position, room for a new EEP, no
  // variable twice in an EEP).

  // The two parts of the check on the selected device: ISNewEEP is True when the chosen RORG,
  // FUNC and TYPE are not yet an EEP of the list chosen by Uni_SAck (Index := -1), else False with
  // Index := that EEP's position; Check_Var is True when EEP Index already holds the chosen case
  // and data field (a modified variable is not compared with itself). No device: True / False.
  bool ISNewEEP(Integer& Index) const;
  bool Check_Var(Integer Index) const;

  // The dialog's choice as it stands, with the editor's settings: what the editor hands to
  // enocean/VariableChoice.h after OK.
  TVariable_Choice Variable_Choice() const;

 protected:
  TVariable_Check Check_Choice(const TDevice_EnOcean& Device) const override;

 private:
  // Creates the controls (UEnOcean_VariableLayout.cpp).
  void Create_Controls();
  // Selects Index in a list and runs the change handler for it, as a user's choice would.
  void Choose(TComboBox* List, Integer Index);
  // Applies a prefill computed from the network (enocean/VariableChoice.h).
  void Apply_Prefill(const TVariable_Prefill& Prefill);
  // Position emptied, start bit 0: what every refill of a list does below it.
  void Reset_Position();
};

extern TFEnOcean_Variable* FEnOcean_Variable;
