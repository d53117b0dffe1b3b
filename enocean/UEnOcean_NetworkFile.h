// What both network editors do alike: the network they edit in memory, read from and written to
// the configuration's network file "EnOcean.xml" with what they tell the user about it, the device
// selected in their device list, and the EEP and variable selected in their tree.
#pragma once

#include "enocean/EnOceanNetwork.h"

class TListBox;
class TTreeView;

// The network editors' messages about the network file: a file that could not be read whole (what
// could not be read follows), the question before such a file is replaced by the network shown, and
// a network that could not be written (the editor stays open; the error the file gave follows).
constexpr Integer Text_Network_Damaged = 1232;
constexpr Integer Text_Network_Not_Saved = 1233;
constexpr Integer Text_Network_Replace = 1234;

// What both editors do with the network file. Load_Network_File appends the file's network to
// DevList and shows what could not be read of it; true when the file was read whole.
// Save_Network_File writes DevList; when the file was not read whole (Read_Whole false) it asks
// first, and No writes nothing. False when nothing was written; a failed write is shown.
bool Load_Network_File(TDevice_EnOcean_List& DevList, const String& FileName);
bool Save_Network_File(const TDevice_EnOcean_List& DevList, const String& FileName, bool Read_Whole);

// The network an editor works on while it is shown. An editor derives from it beside its form class.
class TEnOcean_Network_Editing {
 public:
  // The whole network while the dialog is shown; released and reloaded on every showing.
  TDevice_EnOcean_List DevList;
  // The EEP and the variable selected in the tree, -1 when none (Find_Selected_EEP_Var).
  Integer Ind_EEP = -1;
  Integer Ind_Var = -1;
  // False while DevList came from a file that was not read whole (Load_Network_File).
  bool Network_Read_Whole = true;

  // Writes DevList to the configuration's "EnOcean.xml"; false when that failed or was not wanted.
  bool Save_Configuration();
  // Appends the content of the configuration's "EnOcean.xml" to DevList.
  void Load_Configuration();
  // Releases the whole network.
  void Cancel_Devices_List();

 protected:
  // The position in DevList of the line selected in List, -1 when none is selected.
  Integer Selected_Device_In(const TListBox* List) const;
  // Ind_EEP and Ind_Var from the selected node of Tree: a root, its EEPs, their variables.
  void Find_Selected_EEP_Var_In(TTreeView* Tree);
};
