#include "app/GridRowRoutines.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

// One past the last real column: hidden columns keep their index past the shown ones.
Integer All_Columns_End(TExColumnGrid* Grid) { return Grid->ColCount() + Grid->NumHiddenColumns(); }

// Row 0 is the header; the routines act on data rows only, so a stray row index can never shift
// the header into the table or write past its end.
bool Is_Data_Row(TExColumnGrid* Grid, Integer ARow) { return ARow >= 1 && ARow < Grid->RowCount(); }

void Copy_Row_Cells(TExColumnGrid* Grid, Integer From, Integer To) {
  const Integer end = All_Columns_End(Grid);
  for (Integer c = 1; c < end; ++c) Grid->SetCells(c, To, Grid->Cells(c, From));
}

void Empty_Row(TExColumnGrid* Grid, Integer ARow) {
  const Integer end = All_Columns_End(Grid);
  for (Integer c = 1; c < end; ++c) Grid->SetCells(c, ARow, String());
}

}  // namespace

void Grid_DblClick_AutoSize(TExColumnGrid* Grid, Integer ARow, Integer ACol) {
  if (Opt_Double_Click_Auto_Size && ARow == 0) Grid->AutoSizeCol(ACol, 0);
}

void Grid_Enter_Next_Cell(TExColumnGrid* Grid, Char& Key) {
  if (!Opt_Jump_Field_Tables || Key != Char(13)) return;
  if (Grid->Col() > 0 && Grid->Row() > 0) {
    if (Grid->Col() < Grid->ColCount() - 1) {
      Grid->SetCol(Grid->Col() + 1);
    } else {
      Grid->SetCol(1);
      Grid->SetRow(Grid->Row() < Grid->RowCount() - 1 ? Grid->Row() + 1 : 1);
    }
  }
  Key = 0;
}

void Grid_Delete_Row(Integer ARow, TExColumnGrid* Grid) {
  if (!Is_Data_Row(Grid, ARow)) return;
  const Integer last = Grid->RowCount() - 1;
  for (Integer r = ARow; r < last; ++r) Copy_Row_Cells(Grid, r + 1, r);
  Empty_Row(Grid, last);
}

void Grid_Insert_Row(Integer ARow, TExColumnGrid* Grid, bool MarkFirst) {
  if (!Is_Data_Row(Grid, ARow)) return;
  for (Integer r = Grid->RowCount() - 2; r >= ARow; --r) Copy_Row_Cells(Grid, r, r + 1);
  Empty_Row(Grid, ARow);
  if (MarkFirst && All_Columns_End(Grid) > 1) Grid->SetCells(1, ARow, u"Y");
}

void Grid_Copy_Row(TExColumnGrid* Grid, Integer ARow) {
  if (!Is_Data_Row(Grid, ARow)) return;
  if (!Row_Clipboard_SL) Create_Row_Clipboard();
  Row_Clipboard_SL->Clear();
  const Integer end = All_Columns_End(Grid);
  for (Integer c = 1; c < end; ++c) Row_Clipboard_SL->Add(Grid->Cells(c, ARow));
}

void Grid_Paste_Row(TExColumnGrid* Grid, Integer ARow, bool Copied) {
  if (!Is_Data_Row(Grid, ARow)) return;
  if (!Copied) {
    MessageDlg(Get_Text(Grid_Paste_Text_Nothing_Copied), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const Integer end = All_Columns_End(Grid);
  const Integer entries = Row_Clipboard_SL ? Row_Clipboard_SL->Count() : 0;
  // A clipboard from a table of another shape would put values into the wrong columns.
  if (entries != end - 1) {
    MessageDlg(Get_Text(Grid_Paste_Text_Bad_Copy), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  // Check-box columns always hold "Y" or "N", so they say nothing about whether the row is used.
  bool used = false;
  for (Integer c = 1; c < end && !used; ++c) {
    if (Grid->Columns()->GetItem(c)->EditorType() == edDataCheckBox) continue;
    used = !Trim(Grid->Cells(c, ARow)).empty();
  }
  if (used && MessageDlg(Get_Text(Grid_Paste_Text_Row_Used), mtConfirmation, mbYesNo) != mrYes) return;
  for (Integer c = 1; c < end; ++c) Grid->SetCells(c, ARow, Row_Clipboard_SL->Strings(c - 1));
}

void Note_Rows_Left_Out(std::vector<TTable_Rows_Left_Out>& List, const String& Table, Integer Rows_Read,
                        Integer Rows_Shown) {
  if (Rows_Read > Rows_Shown) List.push_back(TTable_Rows_Left_Out{Table, Rows_Read, Rows_Shown});
}

String Rows_Left_Out_Text(const std::vector<TTable_Rows_Left_Out>& List) {
  String text;
  for (const TTable_Rows_Left_Out& t : List) {
    text += sLineBreak + u"\"" + t.Table + u"\": " + IntToStr(t.Rows_Read) + u" rows in the file, " +
            IntToStr(t.Rows_Shown) + u" shown";
  }
  return text;
}

void Show_Rows_Left_Out(const std::vector<TTable_Rows_Left_Out>& List) {
  if (List.empty()) return;
  MessageDlg(Get_Text(Table_Text_Rows_Left_Out) + Rows_Left_Out_Text(List), mtWarning, TMsgDlgButtons{mbOK});
}

bool Confirm_Rows_Left_Out(std::vector<TTable_Rows_Left_Out>& List) {
  if (List.empty()) return true;
  if (MessageDlg(Get_Text(Table_Text_Save_Without) + Rows_Left_Out_Text(List), mtConfirmation, mbYesNo) != mrYes) {
    return false;
  }
  List.clear();
  return true;
}
