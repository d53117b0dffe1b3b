// The Smart-ACK variable dialog: the modal dialog in which the user adds, for the network editor's
// selected device, a Smart-ACK group: an EEP of the catalogue (RORG and FUNC fixed at their
// Smart-ACK positions, TYPE chosen) with an IN case and an OUT case, each shown with its data fields
// in a table where the user ticks the fields to use and gives each its position and start bit.
//
// Its lists hold catalogue positions: item i of a list is entry i of the catalogue level it shows;
// row i + 1 of a case's table is data field i of that case. On OK it checks the choice against the
// device's Smart-ACK EEPs (enocean/VariableChoice.h). The editor then stores the group:
//
//   FEnOcean_Variable_SAck->DevList = &DevList;
//   FEnOcean_Variable_SAck->Ind_Dev = <selected device>;
//   if (FEnOcean_Variable_SAck->ShowModal() == mrOk)
//     Add_SAck_Group(*Catalog_EnOcean, *DevList[Ind_Dev], FEnOcean_Variable_SAck->SAck_Choice(),
//                    FEnOcean_Variable_SAck->EEP_Index);
//
// The dialog takes no texts from the text table: its captions stay as designed.
#pragma once

#include <vector>

#include "enocean/UEnOcean_VariableBase.h"

class TComboBox;
class TExColumnGrid;
class TLabel;

// The editor's network and device (DevList, Ind_Dev), EEP_Index (the position in the device's
// Smart-ACK list), the EEP block, OK and Cancel and the OK check (Check_Data, Btn_OKClick) are
// those of TFEnOcean_Variable_Base.
class TFEnOcean_Variable_SAck : public TFEnOcean_Variable_Base {
 public:
  explicit TFEnOcean_Variable_SAck(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Variable_SAck"; }

  // The window's height at creation: the user may change the width only.
  Integer Form_Height = 0;

  // L_Variable is "Variables Smart Ack - Case IN", L_Var_CASE its "Case".
  TComboBox* CB_Var_Case_IN = nullptr;
  TExColumnGrid* ACG_Vars_Case_IN = nullptr;
  TLabel* Label1 = nullptr;  // "Variables Smart Ack - Case OUT"
  TLabel* Label2 = nullptr;  // "Case"
  TComboBox* CB_Var_Case_OUT = nullptr;
  TExColumnGrid* ACG_Vars_Case_OUT = nullptr;

  void FormCreate(TObject* Sender);
  // Fixes RORG and FUNC at their Smart-ACK positions (which empties the levels below them).
  void FormShow(TObject* Sender);
  // Keeps the height of the creation; the width may change.
  void FormCanResize(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize);
  // The change event of the five lists: fills the level below the list that changed, or the case's
  // table.
  void CB_EEP_Var_Change(TObject* Sender);
  // The captions stay as designed: nothing to set.
  void Set_Lang();

  // The OK check is Check_SAck_Data (enocean/VariableChoice.h).

  // The two parts of the check on the selected device's Smart-ACK list: ISNewEEP is True when the
  // chosen RORG, FUNC and TYPE are not yet one of its EEPs (Index := -1), else False with Index :=
  // that EEP's position; Check_Var is True when a ticked row's case and data field is already in EEP
  // Index or is chosen twice. No device: True / False.
  bool ISNewEEP(Integer& Index) const;
  bool Check_Var(Integer Index) const;

  // A table back to the header and one empty row.
  void Clear_Table_IN();
  void Clear_Table_OUT();
  // Shows the data fields of a case: row i + 1 holds display line i of VList, "Y", an empty
  // position and start bit "0". An empty VList leaves the table with one empty row.
  void Table_Show_Vars(TExColumnGrid* ACG, const std::vector<String>& VList);

  // The dialog's choice as it stands: what the editor hands to Add_SAck_Group after OK.
  TSAck_Choice SAck_Choice() const;

 protected:
  TVariable_Check Check_Choice(const TDevice_EnOcean& Device) const override;

 private:
  // Creates the controls (UEnOcean_Variable_SAckLayout.cpp).
  void Create_Controls();
  TExColumnGrid* Create_Vars_Grid(const String& Name, Integer Top);
  // Selects Index in a list and runs the change handler for it, as a user's choice would.
  void Choose(TComboBox* List, Integer Index);
  static void Clear_Table(TExColumnGrid* ACG);
  static std::vector<TSAck_Var_Row> Table_Rows(TExColumnGrid* ACG);
};

extern TFEnOcean_Variable_SAck* FEnOcean_Variable_SAck;
