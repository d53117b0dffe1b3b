#include "descriptions/UBACnetSlaveSetAccess.h"

#include <algorithm>

#include "app/GridRowRoutines.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/BACnetEngUnits.h"
#include "descriptions/BACnetSlaveChecks.h"
#include "descriptions/EDEFile.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace {

// The text ids of the column headers of each table, from column 0.
const Integer In_Read_Headers[bsoColumnCount] = {1916, 1917, 1918, 1919, 1920, 1921, 1922, 1923};
const Integer In_Write_Headers[bsoColumnCount] = {1924, 1925, 1926, 1927, 1928, 1929, 1930, 1931};

void Set_Combo_Items(TExColumnGrid* Grid, Integer Column, const std::vector<String>& Items) {
  TStringList* list = Grid->Columns()->GetItem(Column)->ComboItems();
  list->Clear();
  for (const String& s : Items) list->Add(s);
}

// The columns of a table and the fields of a row of the file.
const std::vector<TTable_Field<TBACnet_Slave_Row>> Row_Fields = {
    {bsoData_Type, &TBACnet_Slave_Row::Data_Type}, {bsoEng_Unit, &TBACnet_Slave_Row::Eng_Unit},
    {bsoPosition, &TBACnet_Slave_Row::Position},   {bsoBit, &TBACnet_Slave_Row::Bit},
    {bsoLength, &TBACnet_Slave_Row::Length},       {bsoSwap, &TBACnet_Slave_Row::Swap},
    {bsoMnemonic, &TBACnet_Slave_Row::Mnemonic}};

}  // namespace

void TFBACnetSlaveSetAccess::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(764, 337);
  ACG_BACnet_in_Read->HideColumn(bsoSwap);
  ACG_BACnet_in_Write->HideColumn(bsoSwap);
  Set_Combo_Items(ACG_BACnet_in_Read, bsoData_Type, BACnet_In_Read_Types());
  Set_Combo_Items(ACG_BACnet_in_Write, bsoData_Type, BACnet_In_Write_Types());
  Set_Lang();
}

void TFBACnetSlaveSetAccess::FormShow(TObject*) {
  TS_BACnet_in_Read->SetTabVisible(true);
  TS_BACnet_in_Write->SetTabVisible(true);
  NByte_IN = 1500;
  NByte_OUT = 1500;
  std::vector<String> positions;
  for (Integer p = 0; p < NByte_IN; ++p) positions.push_back(IntToStr(p));
  Set_Combo_Items(ACG_BACnet_in_Read, bsoPosition, positions);
  positions.clear();
  for (Integer p = 0; p < NByte_OUT; ++p) positions.push_back(IntToStr(p));
  Set_Combo_Items(ACG_BACnet_in_Write, bsoPosition, positions);

  Desc_Lenght = Read_BACnet_Device_Param(File_ParGen).EDE_Long_Names;
  Reset_Tables(BACnet_Slave_Object_Limit(Desc_Lenght) + 1);
  if (!FileMissing(File_BACnet_Slave)) Fill_Tables(Read_BACnet_Slave_File(File_BACnet_Slave));
  Show_Rows_Left_Out(Rows_Left_Out);
}

void TFBACnetSlaveSetAccess::Fill_Tables(const TBACnet_Slave_Tables& Tables) {
  Fill_Table_Rows(ACG_BACnet_in_Read, Tables.In_Read, Row_Fields);
  Fill_Table_Rows(ACG_BACnet_in_Write, Tables.In_Write, Row_Fields);
  const Integer rows = ACG_BACnet_in_Read->RowCount() - 1;
  Note_Rows_Left_Out(Rows_Left_Out, TS_BACnet_in_Read->Caption(), static_cast<Integer>(Tables.In_Read.size()), rows);
  Note_Rows_Left_Out(Rows_Left_Out, TS_BACnet_in_Write->Caption(), static_cast<Integer>(Tables.In_Write.size()), rows);
}

TBACnet_Slave_Tables TFBACnetSlaveSetAccess::Gather_Tables() const {
  TBACnet_Slave_Tables tables;
  tables.In_Read = Gather_Table_Rows(ACG_BACnet_in_Read, bsoData_Type, Row_Fields);
  tables.In_Write = Gather_Table_Rows(ACG_BACnet_in_Write, bsoData_Type, Row_Fields);
  return tables;
}

void TFBACnetSlaveSetAccess::bitbtn1Click(TObject*) { OK_Click(); }

void TFBACnetSlaveSetAccess::Write_Tables() { Write_BACnet_Slave_File(File_BACnet_Slave, Gather_Tables()); }

bool TFBACnetSlaveSetAccess::Controllo_dati() {
  return Show_Check_Result(Check_BACnet_Slave_Tables(Gather_Tables(), NByte_IN, NByte_OUT, Desc_Lenght));
}

void TFBACnetSlaveSetAccess::Grid_DblClickCell(TExColumnGrid* Grid, Integer ARow, Integer ACol) {
  if (Grid->RealColIndex(ACol) == bsoEng_Unit && ARow > 0 && FBACnet_Eng_Unit) {
    // The grid may have opened its own editor on the cell; its text must not overwrite the result.
    if (Grid->InEditMode()) Grid->HideInplaceEdit();
    const String cell = Grid->Cells(bsoEng_Unit, ARow);
    FBACnet_Eng_Unit->E_Selected_EU->SetText(cell);
    FBACnet_Eng_Unit->Label5->SetCaption(Eng_Unit_Label(cell));
    if (FBACnet_Eng_Unit->ShowModal() == mrOk) {
      Grid->SetCells(bsoEng_Unit, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
    }
  }
  Grid_DblClick_AutoSize(Grid, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_ReadDblClickCell(TObject*, Integer ARow, Integer ACol) {
  Grid_DblClickCell(ACG_BACnet_in_Read, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteDblClickCell(TObject*, Integer ARow, Integer ACol) {
  Grid_DblClickCell(ACG_BACnet_in_Write, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, Integer ACol, Integer ARow, Integer,
                                                            const String& ASelection) {
  if (ACol != bsoData_Type || ARow < 1) return;
  const String length = BACnet_Write_Length_Preset(ASelection);
  if (!length.empty()) ACG_BACnet_in_Write->SetCells(bsoLength, ARow, length);
}

void TFBACnetSlaveSetAccess::ClickCell(TObject* Sender, Integer ARow, Integer ACol) {
  auto* grid = dynamic_cast<TExColumnGrid*>(Sender);
  if (grid && ACol == 0 && ARow > 0) grid->SelectRows(ARow, 1);
}

void TFBACnetSlaveSetAccess::KeyPress(TObject* Sender, Char& Key) {
  if (auto* grid = dynamic_cast<TExColumnGrid*>(Sender)) Grid_Enter_Next_Cell(grid, Key);
}

void TFBACnetSlaveSetAccess::GridHint(TObject*, Integer, Integer, String&) {}

void TFBACnetSlaveSetAccess::Btn_DelRow_Click(TObject*) { Delete_Row_Click(); }

void TFBACnetSlaveSetAccess::Btn_InsRowClick(TObject*) { Insert_Row_Click(); }

void TFBACnetSlaveSetAccess::Btn_CopyRowClick(TObject*) { Copy_Row_Click(); }

void TFBACnetSlaveSetAccess::Btn_PasteRowClick(TObject*) { Paste_Row_Click(); }

void TFBACnetSlaveSetAccess::Set_Lang() {
  SetCaption(Get_Text(1900));
  L_SW_Desc->SetCaption(Get_Text(1901));
  Set_Button_Texts(1902, 1910);
  TS_BACnet_in_Read->SetCaption(Get_Text(1908));
  TS_BACnet_in_Write->SetCaption(Get_Text(1909));
  for (Integer c = 0; c < bsoColumnCount; ++c) {
    ACG_BACnet_in_Read->SetCells(c, 0, Get_Text(In_Read_Headers[c]));
    ACG_BACnet_in_Write->SetCells(c, 0, Get_Text(In_Write_Headers[c]));
  }
}
