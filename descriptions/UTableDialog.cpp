#include "descriptions/UTableDialog.h"

#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/Classes.h"

TFTable_Dialog::TFTable_Dialog(TComponent* AOwner) : TFDialog(AOwner) {}

std::pair<TTabSheet*, TTabSheet*> TFTable_Dialog::Create_Table_Frame(Integer OK_Left, const String& First_Page,
                                                                      const String& Second_Page) {
  Create_Title_Panel();
  Create_Button_Panel();
  Btn_DelRow = Create_Dialog_Button(P_Button, u"Btn_DelRow", 16, 6, 110, 28, dgDelete);
  Btn_DelRow->OnClick = [this](TObject*) { Delete_Row_Click(); };
  Btn_InsRow = Create_Dialog_Button(P_Button, u"Btn_InsRow", 134, 6, 110, 28, dgAdd);
  Btn_InsRow->OnClick = [this](TObject*) { Insert_Row_Click(); };
  Btn_CopyRow = Create_Dialog_Button(P_Button, u"Btn_CopyRow", 252, 6, 110, 28, dgCopy);
  Btn_CopyRow->OnClick = [this](TObject*) { Copy_Row_Click(); };
  Btn_PasteRow = Create_Dialog_Button(P_Button, u"Btn_PasteRow", 370, 6, 110, 28, dgPaste);
  Btn_PasteRow->OnClick = [this](TObject*) { Paste_Row_Click(); };
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", OK_Left, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject*) { OK_Click(); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", OK_Left + 118, 6, 110, 28, dgCancel, mrCancel);

  PageControl1 = new TPageControl(this);
  PageControl1->SetName(u"PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetAlign(alClient);
  TTabSheet* first = Create_Page(PageControl1, First_Page);
  TTabSheet* second = Create_Page(PageControl1, Second_Page);
  return {first, second};
}

void TFTable_Dialog::Set_Tables(TExColumnGrid* First, bool* First_Copied, TExColumnGrid* Second,
                                bool* Second_Copied) {
  FGrid[0] = First;
  FGrid[1] = Second;
  FCopied[0] = First_Copied;
  FCopied[1] = Second_Copied;
}

void TFTable_Dialog::Set_Button_Texts(Integer Captions_From, Integer Hints_From) {
  for (TFadeButton* button : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) {
    button->SetCaption(Get_Text(Captions_From++));
    button->SetHint(Get_Text(Hints_From++));
  }
}

void TFTable_Dialog::Reset_Tables(Integer Rows) {
  // The row count comes before the emptying, so that no row of an earlier, longer table keeps
  // its cells past the end and shows them again when the table grows.
  for (TExColumnGrid* grid : FGrid) grid->SetRowCount(Rows);
  for (TExColumnGrid* grid : FGrid) Clear_Table(grid);
  for (bool* copied : FCopied) *copied = false;
  Rows_Left_Out.clear();
}

TExColumnGrid* TFTable_Dialog::Active_Grid() const {
  return PageControl1->ActivePage() == FGrid[0]->Parent() ? FGrid[0] : FGrid[1];
}

void TFTable_Dialog::End_Editing() {
  // A cell still being edited holds its new text in the editor; close it so the tables hold what
  // the user sees before they are checked, saved or moved.
  for (TExColumnGrid* grid : FGrid) {
    if (grid->InEditMode()) grid->HideInplaceEdit();
  }
}

void TFTable_Dialog::Delete_Row_Click() {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  const Integer row = grid->Row();
  if (MessageDlg(Get_Text(Text_Delete_Question) + IntToStr(row), mtConfirmation, mbYesNo) == mrYes) {
    Grid_Delete_Row(row, grid);
  }
}

void TFTable_Dialog::Insert_Row_Click() {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Insert_Row(grid->Row(), grid, false);
}

void TFTable_Dialog::Copy_Row_Click() {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Copy_Row(grid, grid->Row());
  *FCopied[0] = grid == FGrid[0];
  *FCopied[1] = grid == FGrid[1];
}

void TFTable_Dialog::Paste_Row_Click() {
  End_Editing();
  TExColumnGrid* grid = Active_Grid();
  Grid_Paste_Row(grid, grid->Row(), *FCopied[grid == FGrid[0] ? 0 : 1]);
}

void TFTable_Dialog::OK_Click() {
  End_Editing();
  if (!Check_Tables() || !Confirm_Rows_Left_Out(Rows_Left_Out)) return;
  Write_Tables();
  SetModalResult(mrOk);
}

bool TFTable_Dialog::Show_Check_Result(const TTable_Check_Result& Result) const {
  if (Result.Ok()) return true;
  const String text = Get_Text(Result.Text_Id) + Result.Suffix;
  MessageDlg(Result.Row > 0 ? Get_Text(Text_Error_Row) + IntToStr(Result.Row) + text : text, mtError,
             TMsgDlgButtons{mbOK});
  return false;
}

void Clear_Table(TExColumnGrid* Grid) {
  Grid->BeginUpdate();
  const Integer columns = Grid->AllColCount();
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    Grid->SetCells(0, r, IntToStr(r));
    for (Integer c = 1; c < columns; ++c) Grid->SetCells(c, r, String());
  }
  Grid->EndUpdate();
}

TExColumnGrid* New_Table(TComponent* Owner, TTabSheet* Page, const String& Name,
                         const std::vector<TTable_Column_Design>& Design, Integer Rows) {
  auto* grid = new TExColumnGrid(Owner);
  grid->SetName(Name);
  grid->SetParent(Page);
  grid->SetAlign(alClient);
  grid->SetColCount(static_cast<Integer>(Design.size()));
  grid->SetRowCount(Rows);
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  grid->SetDefaultRowHeight(20);
  grid->SetOptions(grid->Options() << goEditing << goColSizing);
  for (const TTable_Column_Design& d : Design) {
    TGridColumnItem* item = grid->Columns()->GetItem(d.Column);
    item->SetEditorType(d.Editor);
    item->SetCheckTrue(u"Y");
    item->SetCheckFalse(u"N");
    item->ComboItems()->Clear();
    for (const String& s : d.Items) item->ComboItems()->Add(s);
    item->SetWidth(d.Width);
  }
  return grid;
}

String Table_Cell(TExColumnGrid* Grid, Integer ACol, Integer ARow) { return Grid->Cells(ACol, ARow); }

void Set_Table_Cell(TExColumnGrid* Grid, Integer ACol, Integer ARow, const String& Text) {
  Grid->SetCells(ACol, ARow, Text);
}

Integer Table_Row_Count(TExColumnGrid* Grid) { return Grid->RowCount(); }

void Begin_Table_Update(TExColumnGrid* Grid) { Grid->BeginUpdate(); }

void End_Table_Update(TExColumnGrid* Grid) { Grid->EndUpdate(); }
