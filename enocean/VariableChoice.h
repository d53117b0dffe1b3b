// The variable dialog's choice of EEP and variable, without a window: the prefill of its lists from
// the network, its OK check, and the network editor's changes to the model once the dialog closed
// with OK.
//
// The dialog's lists hold catalogue positions (item i of a list is entry i of the catalogue level
// it shows); -1 means no selection.
#pragma once

#include "enocean/EnOceanNetwork.h"

class TCatalog_EnOcean;

// Text ids of the variable dialog's messages.
const Integer Text_Select_Rorg = 865;      // "Error!! Select a RORG before add an EEP"
const Integer Text_Select_Func = 866;      // "Error!! Select a FUNC before add an EEP"
const Integer Text_Select_Type = 867;      // "Error!! Select a TYPE before add an EEP"
const Integer Text_Select_Variable = 872;  // "Error!! Select a Variable before add"
const Integer Text_Position_Range = 873;   // "Error!! Position must be between 0 and " + the bound
const Integer Text_No_Space_EEP = 1126;    // "Error!! No more space for EEP"
const Integer Text_Variable_Twice = 1127;  // "Error!! Variable already inserted in EEP"

// A device holds at most this many EEPs, unidirectional and Smart-ACK together.
const Integer Max_EEP_Per_Device = 4;
// Positions in the converter's data area: 0 .. Max_Var_Position.
const Integer Max_Var_Position = 1999;

// The catalogue positions the Smart-ACK flows fix for RORG and FUNC.
const Integer SAck_Rorg_Position = 3;
const Integer SAck_Func_Position = 9;

// What the dialog holds when OK is pressed, with what the editor set before showing it.
struct TVariable_Choice {
  Integer Uni_SAck = 0;        // 0 = the device's unidirectional list, 1 = its Smart-ACK list
  Integer Mode = 0;            // 0 = add, 1 = modify
  Integer Modify_EEP_Var = 0;  // with Mode 1: 0 = the EEP is modified, 1 = a variable is modified
  Integer Ind_EEP = -1;        // the editor's selected EEP (the one modified)
  Integer Ind_Var = -1;        // the editor's selected variable (the one modified)
  Integer RorgInd = -1;
  Integer FuncInd = -1;
  Integer TypeInd = -1;
  Integer CaseInd = -1;
  Integer VarInd = -1;
  String Position;             // the position text as typed
  Integer BitStart = 0;        // the start bit's item index, 0 to 7
};

// True when the dialog only modifies an EEP: case, variable, position and bit start are then
// empty and take no part.
bool Modifies_EEP_Only(const TVariable_Choice& Choice);

// The first failing check (TextId 0 when the choice is accepted; Value is appended to the text) and
// EEP_Index: the position, in the chosen list, of the device's EEP with the chosen RORG, FUNC and
// TYPE numbers, or -1 when the device has no such EEP yet.
struct TVariable_Check {
  Integer TextId = 0;
  String Value;
  Integer EEP_Index = -1;
  bool OK() const { return TextId == 0; }
};

// The dialog's OK check, in this order: a RORG, FUNC and TYPE chosen (865, 866, 867); unless only
// the EEP is modified, a case and a variable chosen (872) and a position from 0 to 1999 (873 with
// "1999" appended); a new EEP only while the device has fewer than four (1126; modifying an EEP
// into a triple the device does not have yet counts as a new one); no second variable with the
// same case and data field in the EEP (1127; a modified variable is not compared with itself).
TVariable_Check Check_Variable_Data(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                    const TVariable_Choice& Choice);

// True when the chosen RORG, FUNC and TYPE are not yet an EEP of the device's list (by Uni_SAck), or
// not all three are chosen; Index := -1. Otherwise Index := the position of the first EEP with the
// numbers of the catalogue entries at the chosen positions, and False.
bool ISNewEEP(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TVariable_Choice& Choice,
              Integer& Index);
// True when EEP Index of the device's list (by Uni_SAck) already holds a variable with the chosen
// case position and the name of the chosen catalogue data field. A variable being modified (Mode 1,
// Modify_EEP_Var 1) is not compared with itself. False when no data field is chosen.
bool Check_Var(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TVariable_Choice& Choice,
               Integer Index);

// The dialog's position text as an integer: -1 when it does not convert.
Integer Variable_Position_Value(const String& Position);

// What the dialog's lists select when it is prepared for an EEP or variable of the network.
// Prefilled false: nothing is prefilled and the lists keep what they showed at the last use.
// Otherwise each level holds its catalogue position, and the levels below the first one the
// catalogue does not hold stay at -1 (a network made with another catalogue); Position and BitStart
// are set when the variable's case was found.
struct TVariable_Prefill {
  bool Prefilled = false;
  Integer RorgInd = -1;
  Integer FuncInd = -1;
  Integer TypeInd = -1;
  Integer CaseInd = -1;
  Integer VarInd = -1;
  String Position;
  Integer BitStart = 0;
};

// The prefill for EEP Ind_EEP (and variable Ind_Var, -1 for none) of the device's unidirectional
// list: every level found by its number.
TVariable_Prefill ShowData_Uni_Prefill(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                       Integer Ind_EEP, Integer Ind_Var);
// The same on the Smart-ACK list, where RORG and FUNC stay at the fixed positions 3 and 9: the TYPE
// and the variable are prefilled only when the EEP's RORG and FUNC are found at those positions.
TVariable_Prefill ShowData_SAck_Prefill(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                        Integer Ind_EEP, Integer Ind_Var);

// ---- The editor's changes after OK (the choice passed Check_Variable_Data).

// A variable made from the choice: the case position, the catalogue data field's name, offset and
// size, the position (0 when the text is not a number) and the start bit.
std::unique_ptr<TVarEnOcean> Make_Variable(const TCatalog_EnOcean& Catalog, const TVariable_Choice& Choice);

// Adds the chosen variable to EEP EEP_Index of the chosen list; with EEP_Index -1 a new EEP with the
// chosen catalogue numbers is appended first. Returns the position of the EEP that got it.
Integer Add_Variable(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice,
                     Integer EEP_Index);
// Writes the choice into variable Ind_Var of EEP Ind_EEP. False when there is no such variable.
bool Modify_Variable(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice);
// Gives EEP Ind_EEP the chosen catalogue numbers, first releasing its variables when asked.
// False when there is no such EEP.
bool Modify_EEP(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TVariable_Choice& Choice,
                bool Release_Variables);
// Releases an EEP with its variables, or one variable. False when there is no such item.
bool Remove_EEP(TDevice_EnOcean& Device, Integer Uni_SAck, Integer Ind_EEP);
bool Remove_Variable(TDevice_EnOcean& Device, Integer Uni_SAck, Integer Ind_EEP, Integer Ind_Var);

// ---- The Smart-ACK dialog's choice: an EEP of the device's Smart-ACK list with a group of an IN
// case and an OUT case, each with the data fields the user marked in its table.
//
// The network stores a group as the EEP's variables: one variable per marked data field, with the
// IN or OUT case as its case index, so Smart-ACK EEPs are written, read, shown, modified and
// removed like unidirectional ones.

// One row of a case's table: data field DataInd of the case (the table's row DataInd + 1).
struct TSAck_Var_Row {
  Integer DataInd = -1;
  bool Enabled = false;  // the Enable cell is ticked ("Y")
  String Position;       // as typed
  Integer BitStart = 0;  // 0 to 7
};

// What the Smart-ACK dialog holds when OK is pressed.
struct TSAck_Choice {
  Integer RorgInd = -1;
  Integer FuncInd = -1;
  Integer TypeInd = -1;
  Integer CaseInInd = -1;   // -1: no IN case chosen
  Integer CaseOutInd = -1;  // -1: no OUT case chosen
  std::vector<TSAck_Var_Row> RowsIn;
  std::vector<TSAck_Var_Row> RowsOut;
};

// The Smart-ACK dialog's OK check on the device's Smart-ACK list, in this order: a RORG, FUNC and
// TYPE chosen (865, 866, 867); at least one ticked row that names a data field of its chosen case
// (872); a position from 0 to 1999 in every ticked row (873 with "1999" appended); a new EEP only
// while the device has fewer than four, both lists together (1126); no case-and-field pair that
// the EEP already holds or that the choice holds twice (1127, the IN and OUT case being the same).
// Rows that name no data field of their case (an empty table's row) take no part.
// The two parts of that check: ISNewEEP is True when the chosen RORG, FUNC and TYPE are not yet an
// EEP of the device's Smart-ACK list (Index := -1), else False with Index := that EEP's position;
// Check_Var is True when a ticked row's case-and-field pair is already in EEP Index (-1: none) or
// is chosen twice.
bool ISNewEEP(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TSAck_Choice& Choice,
              Integer& Index);
bool Check_Var(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device, const TSAck_Choice& Choice,
               Integer Index);
TVariable_Check Check_SAck_Data(const TCatalog_EnOcean& Catalog, const TDevice_EnOcean& Device,
                                const TSAck_Choice& Choice);

// The group the choice describes: the two cases and one variable per ticked row naming a data
// field of its case (the field's name, offset and size, the position (0 when the text is not a
// number) and the start bit).
std::unique_ptr<TGroup_SAck> Make_Group_SAck(const TCatalog_EnOcean& Catalog, const TSAck_Choice& Choice);

// Stores the chosen group in EEP EEP_Index of the device's Smart-ACK list; with EEP_Index -1 a new
// EEP with the chosen catalogue numbers is appended first. The group's IN variables, then its OUT
// variables, are appended to the EEP's variables with their case as case index. Returns the
// position of the EEP that got them.
Integer Add_SAck_Group(const TCatalog_EnOcean& Catalog, TDevice_EnOcean& Device, const TSAck_Choice& Choice,
                       Integer EEP_Index);
