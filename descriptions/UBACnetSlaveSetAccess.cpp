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

// "Error row "; the row number and the failed check's text follow it.
constexpr Integer Text_Error_Row = 1932;
// The row delete question; the row number follows it.
constexpr Integer Text_Delete_Question = 1960;

void Set_Combo_Items(TExColumnGrid* Grid, Integer Column, const std::vector<String>& Items) {
  TStringList* list = Grid->Columns()->GetItem(Column)->ComboItems();
  list->Clear();
  for (const String& s : Items) list->Add(s);
}

// Every data row: its number in column 0, every other column empty, the hidden one included.
void Clear_Table(TExColumnGrid* Grid) {
  Grid->BeginUpdate();
  const Integer columns = Grid->AllColCount();
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    Grid->SetCells(0, r, IntToStr(r));
    for (Integer c = 1; c < columns; ++c) Grid->SetCells(c, r, String());
  }
  Grid->EndUpdate();
}

void Fill_Table(TExColumnGrid* Grid, const std::vector<TBACnet_Slave_Row>& Rows) {
  Grid->BeginUpdate();
  const Integer count = std::min<Integer>(static_cast<Integer>(Rows.size()), Grid->RowCount() - 1);
  for (Integer i = 0; i < count; ++i) {
    const TBACnet_Slave_Row& row = Rows[static_cast<size_t>(i)];
    const Integer r = i + 1;
    Grid->SetCells(bsoData_Type, r, row.Data_Type);
    Grid->SetCells(bsoEng_Unit, r, row.Eng_Unit);
    Grid->SetCells(bsoPosition, r, row.Position);
    Grid->SetCells(bsoBit, r, row.Bit);
    Grid->SetCells(bsoLength, r, row.Length);
    Grid->SetCells(bsoSwap, r, row.Swap);
    Grid->SetCells(bsoMnemonic, r, row.Mnemonic);
  }
  Grid->EndUpdate();
}

std::vector<TBACnet_Slave_Row> Gather_Table(TExColumnGrid* Grid) {
  std::vector<TBACnet_Slave_Row> rows;
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    TBACnet_Slave_Row row;
    row.Data_Type = Grid->Cells(bsoData_Type, r);
    if (Trim(row.Data_Type).empty()) break;
    row.Eng_Unit = Grid->Cells(bsoEng_Unit, r);
    row.Position = Grid->Cells(bsoPosition, r);
    row.Bit = Grid->Cells(bsoBit, r);
    row.Length = Grid->Cells(bsoLength, r);
    row.Swap = Grid->Cells(bsoSwap, r);
    row.Mnemonic = Grid->Cells(bsoMnemonic, r);
    rows.push_back(std::move(row));
  }
  return rows;
}

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

  Desc_Lenght = FileExists(File_ParGen) && Read_BACnet_Device_Param(File_ParGen).EDE_Long_Names;
  // The row count comes before the emptying, so that no row of an earlier, longer table keeps
  // its cells past the end and shows them again when the table grows.
  const Integer rows = BACnet_Slave_Object_Limit(Desc_Lenght) + 1;
  ACG_BACnet_in_Read->SetRowCount(rows);
  ACG_BACnet_in_Write->SetRowCount(rows);
  Clear_Table(ACG_BACnet_in_Read);
  Clear_Table(ACG_BACnet_in_Write);
  Do_Copy_Read = false;
  Do_Copy_Write = false;
  Rows_Left_Out.clear();
  if (FileExists(File_BACnet_Slave)) Fill_Tables(Read_BACnet_Slave_File(File_BACnet_Slave));
  Show_Rows_Left_Out(Rows_Left_Out);
}

void TFBACnetSlaveSetAccess::Fill_Tables(const TBACnet_Slave_Tables& Tables) {
  Fill_Table(ACG_BACnet_in_Read, Tables.In_Read);
  Fill_Table(ACG_BACnet_in_Write, Tables.In_Write);
  const Integer rows = ACG_BACnet_in_Read->RowCount() - 1;
  Note_Rows_Left_Out(Rows_Left_Out, TS_BACnet_in_Read->Caption(), static_cast<Integer>(Tables.In_Read.size()), rows);
  Note_Rows_Left_Out(Rows_Left_Out, TS_BACnet_in_Write->Caption(), static_cast<Integer>(Tables.In_Write.size()), rows);
}

TBACnet_Slave_Tables TFBACnetSlaveSetAccess::Gather_Tables() const {
  TBACnet_Slave_Tables tables;
  tables.In_Read = Gather_Table(ACG_BACnet_in_Read);
  tables.In_Write = Gather_Table(ACG_BACnet_in_Write);
  return tables;
}

void TFBACnetSlaveSetAccess::End_Editing() {
  // A cell still being edited holds its new text in the editor; close it so the tables hold what
  // the user sees before they are checked, saved or moved.
  for (TExColumnGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
    if (grid->InEditMode()) grid->HideInplaceEdit();
  }
}

void TFBACnetSlaveSetAccess::bitbtn1Click(TObject*) {
  End_Editing();
  if (!Controllo_dati() || !Confirm_Rows_Left_Out(Rows_Left_Out)) return;
  Write_BACnet_Slave_File(File_BACnet_Slave, Gather_Tables());
  SetModalResult(mrOk);
}

bool TFBACnetSlaveSetAccess::Controllo_dati() {
  const TTable_Check_Result result = Check_BACnet_Slave_Tables(Gather_Tables(), NByte_IN, NByte_OUT, Desc_Lenght);
  if (result.Ok()) return true;
  const String text = Get_Text(result.Text_Id) + result.Suffix;
  MessageDlg(result.Row > 0 ? Get_Text(Text_Error_Row) + IntToStr(result.Row) + text : text, mtError,
             TMsgDlgButtons{mbOK});
  return false;
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

TExColumnGrid* TFBACnetSlaveSetAccess::Active_Grid() const {
  return PageControl1->ActivePage() == TS_BACnet_in_Read ? ACG_BACnet_in_Read : ACG_BACnet_in_Write;
}

void TFBACnetSlaveSetAccess::Btn_DelRow_Click(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  const Integer row = grid->Row();
  if (MessageDlg(Get_Text(Text_Delete_Question) + IntToStr(row), mtConfirmation, mbYesNo) == mrYes) {
    Grid_Delete_Row(row, grid);
  }
}

void TFBACnetSlaveSetAccess::Btn_InsRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Insert_Row(grid->Row(), grid, false);
}

void TFBACnetSlaveSetAccess::Btn_CopyRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Copy_Row(grid, grid->Row());
  Do_Copy_Read = grid == ACG_BACnet_in_Read;
  Do_Copy_Write = grid == ACG_BACnet_in_Write;
}

void TFBACnetSlaveSetAccess::Btn_PasteRowClick(TObject*) {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Paste_Row(grid, grid->Row(), grid == ACG_BACnet_in_Read ? Do_Copy_Read : Do_Copy_Write);
}

void TFBACnetSlaveSetAccess::Set_Lang() {
  SetCaption(Get_Text(1900));
  L_SW_Desc->SetCaption(Get_Text(1901));
  Btn_OK->SetCaption(Get_Text(1902));
  Btn_Cancel->SetCaption(Get_Text(1903));
  Btn_DelRow->SetCaption(Get_Text(1904));
  Btn_InsRow->SetCaption(Get_Text(1905));
  Btn_CopyRow->SetCaption(Get_Text(1906));
  Btn_PasteRow->SetCaption(Get_Text(1907));
  TS_BACnet_in_Read->SetCaption(Get_Text(1908));
  TS_BACnet_in_Write->SetCaption(Get_Text(1909));
  Btn_OK->SetHint(Get_Text(1910));
  Btn_Cancel->SetHint(Get_Text(1911));
  Btn_DelRow->SetHint(Get_Text(1912));
  Btn_InsRow->SetHint(Get_Text(1913));
  Btn_CopyRow->SetHint(Get_Text(1914));
  Btn_PasteRow->SetHint(Get_Text(1915));
  for (Integer c = 0; c < bsoColumnCount; ++c) {
    ACG_BACnet_in_Read->SetCells(c, 0, Get_Text(In_Read_Headers[c]));
    ACG_BACnet_in_Write->SetCells(c, 0, Get_Text(In_Write_Headers[c]));
  }
}
