#include "enocean/UEnOcean_NetworkFile.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "enocean/EnOceanFile.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

bool Load_Network_File(TDevice_EnOcean_List& DevList, const String& FileName) {
  String problems;
  try {
    TNetwork_File network = Read_Network_File(FileName);
    for (auto& device : network.Devices) DevList.push_back(std::move(device));
    if (network.Read_Whole()) return true;
    problems = Network_Problems_Text(network.Problems);
  } catch (const Exception& E) {
    problems = sLineBreak + E.Message();
  }
  MessageDlg(Get_Text(Text_Network_Damaged) + problems, mtWarning, {mbOK});
  return false;
}

bool Save_Network_File(const TDevice_EnOcean_List& DevList, const String& FileName, bool Read_Whole) {
  if (!Read_Whole && MessageDlg(Get_Text(Text_Network_Replace), mtConfirmation, mbYesNo) != mrYes) return false;
  String error;
  if (Save_Configuration(DevList, FileName, &error)) return true;
  MessageDlg(Get_Text(Text_Network_Not_Saved) + error, mtError, {mbOK});
  return false;
}

bool TEnOcean_Network_Editing::Save_Configuration() {
  if (!Save_Network_File(DevList, File_EnOcean, Network_Read_Whole)) return false;
  Network_Read_Whole = true;
  return true;
}

void TEnOcean_Network_Editing::Load_Configuration() {
  Network_Read_Whole = Load_Network_File(DevList, File_EnOcean);
}

void TEnOcean_Network_Editing::Cancel_Devices_List() { ::Cancel_Devices_List(DevList); }

Integer TEnOcean_Network_Editing::Selected_Device_In(const TListBox* List) const {
  const Integer index = List->ItemIndex();
  return index >= 0 && index < static_cast<Integer>(DevList.size()) ? index : -1;
}

void TEnOcean_Network_Editing::Find_Selected_EEP_Var_In(TTreeView* Tree) {
  Ind_EEP = -1;
  Ind_Var = -1;
  // An empty tree has nothing selected.
  const TTreeNode* root = Tree->Items()->GetFirstNode();
  const TTreeNode* selected = Tree->Selected();
  if (!root || !selected) return;
  for (Integer e = 0; e < root->Count(); ++e) {
    const TTreeNode* eep_node = root->Item(e);
    if (eep_node == selected) {
      Ind_EEP = e;
      return;
    }
    for (Integer v = 0; v < eep_node->Count(); ++v) {
      if (eep_node->Item(v) == selected) {
        Ind_EEP = e;
        Ind_Var = v;
        return;
      }
    }
  }
}
