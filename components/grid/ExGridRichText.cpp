// TExStringGrid: rich-text cells and header texts. The rich edit the grid uses as converter and as
// in-place rich-text editor (TExRichEdit), the conversions between a cell and a rich edit, the text
// the in-place editor is given and gives back, the header texts kept in string lists, the fixed
// font, the lookup list, the merged columns and the print column widths.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridRichEdit.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/Classes.h"

// ---------------------------------------------------------------------------------------------
// TExRichEdit
// ---------------------------------------------------------------------------------------------

TExRichEdit::TExRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner)) {
  if (!FGrid) throw EInvalidCast(u"Invalid class typecast");
}

void TExRichEdit::ReCreate() {
  // The window keeps its text and place; a new one is made when it is shown again.
  const String Saved = Text();
  SetText(Saved);
}

void TExRichEdit::RequestResize(Integer Width, Integer Height) {
  if (HasState(csDesigning)) return;
  FReqWidth = Width;
  FReqHeight = Height;
  if (FLocked || !FGrid || !FGrid->SizeWhileTyping() || !FGrid->SizeWhileTyping()->Height()) return;
  if (FGrid->InplaceRichEditControl() != this) return;
  const Integer R = FGrid->Row();
  const TRect Cell = FGrid->CellRect(FGrid->Col(), R);
  if (FGrid->RowHeights(R) < Height + 5 && Cell.Top + Height + 5 < FGrid->Height()) {
    SetHeight(Height + 9);
    FGrid->SetRowHeights(R, Height + 10);
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, R);
  }
}

void TExRichEdit::Change() {
  TRichEdit::Change();
  if (!FGrid || FLocked) return;
  // The height the text needs at the editor's width.
  TCanvas* C = FGrid->Canvas();
  C->Font()->Assign(Font());
  TRect M(0, 0, std::max(1, Width() - 4), 0);
  String T = Text();
  if (T.empty() || T.back() == u'\n') T += u"w";
  DrawText(C, T, M, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  RequestResize(M.Width(), M.Height());
}

void TExRichEdit::KeyDown(Word& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  if (!FGrid) return;
  if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
    FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
    FGrid->ShowInplaceEdit();
  }
  if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells()) {
    FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
  }
}

void TExRichEdit::WMGetDlgCode(TMessage& M) {
  TRichEdit::WMGetDlgCode(M);
  M.Result |= DLGC_WANTTAB;
}

void TExRichEdit::WMKillFocus(TMessage& M) {
  if (FGrid && FGrid->FocusChangeInvoked()) return;
  if (FGrid && M.WParam == static_cast<WPARAM>(FGrid->Handle())) FGrid->HideInplaceEdit();
  TRichEdit::WMKillFocus(M);
}

// ---------------------------------------------------------------------------------------------
// Cells and rich edits
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CellToRich(Integer Col, Integer Row, TRichEdit* Richeditor) {
  if (!Richeditor) return;
  const String Text = GetCellEx(Col, Row);
  if (Text.empty()) {
    Richeditor->Clear();
    return;
  }
  // A rich-text cell holds its source one character per byte: the edit shows its text.
  if (GetCellTextKind(Text, false) == ctkRichText)
    Richeditor->SetText(GridRichTextToPlain(Text));
  else
    Richeditor->SetText(Text);
}

String TExStringGrid::RichToString(TRichEdit* Richeditor) {
  if (FDestroyingGrid || HasState(csDestroying) || !Richeditor) return String();
  // The rich text of the edit's lines: a minimal document with one paragraph per line.
  String Out = u"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 " + Richeditor->Font()->Name() + u";}}\\f0 ";
  const String Text = Richeditor->Text();
  for (size_t I = 0; I < Text.size(); ++I) {
    const Char C = Text[I];
    if (C == u'\r') {
      if (I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
      Out += u"\\par ";
    } else if (C == u'\n') {
      Out += u"\\par ";
    } else if (C == u'\\' || C == u'{' || C == u'}') {
      Out += u'\\';
      Out += C;
    } else if (C > 0x7F) {
      Out += u"\\u" + IntToStr(static_cast<Integer>(static_cast<int16_t>(C))) + u"?";
    } else {
      Out += C;
    }
  }
  Out += u"}";
  return Out;
}

void TExStringGrid::RichToCell(Integer Col, Integer Row, TRichEdit* Richeditor) {
  SetCellEx(Col, Row, RichToString(Richeditor));
}

// ---------------------------------------------------------------------------------------------
// The in-place editor's text
// ---------------------------------------------------------------------------------------------

String TExStringGrid::GetEditText(Integer ACol, Integer ARow) {
  FNoEditChange = true;
  Integer C = DisplayToRealCol(ACol);
  Integer R = ARow;
  if (auto* Edit = dynamic_cast<TExInplaceEdit*>(InplaceEditor())) {
    TAlignment HA;
    TVAlignment VA;
    CalcCellAlignment(C, R, HA, VA);
    const bool Right = HA == taRightJustify;
    if (Edit->VAlign() != Right) Edit->SetVAlign(Right);
  }
  if (!IsBaseCell(C, R)) {
    const TPoint B = BaseCell(C, R);
    C = B.X;
    R = B.Y;
  }
  String Text = TBaseGrid::GetEditText(C, R);
  if (!FEditWithTags) Text = StripHtml(Text);
  return Text;
}

void TExStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  TPoint P(ACol, ARow);
  if (!IsBaseCell(P.X, P.Y)) P = BaseCell(P.X, P.Y);
  TBaseGrid::SetEditText(DisplayToRealCol(P.X), P.Y, Value);
}

// ---------------------------------------------------------------------------------------------
// Header texts, fonts, lookup list
// ---------------------------------------------------------------------------------------------

void TExStringGrid::ShowColumnHeaders() {
  if (TBaseGrid::FixedRows() <= 0) return;
  for (Integer I = 0; I < FColumnHeaders->Count() && I < TotalColCount(); ++I)
    SetCellEx(I, 0, DecodeNewlineEscapes(FColumnHeaders->Strings(I)));
}

void TExStringGrid::ShowRowHeaders() {
  if (TBaseGrid::FixedCols() <= 0) return;
  for (Integer I = 0; I < FRowHeaders->Count() && I < RowCount(); ++I)
    SetCellEx(0, I, DecodeNewlineEscapes(FRowHeaders->Strings(I)));
}

void TExStringGrid::ClearColumnHeaders() {
  // Every real column, hidden ones included, as the headers are shown into them: counting only the
  // shown columns would leave the last real columns with their old header.
  for (Integer I = 0; I < TotalColCount(); ++I) SetCellEx(I, 0, String());
}

void TExStringGrid::ClearRowHeaders() {
  for (Integer I = 0; I < RowCount(); ++I) SetCellEx(0, I, String());
}

void TExStringGrid::SetColumnHeaders(TStrings* Value) {
  FColumnHeaders->Assign(Value);
  if (TBaseGrid::FixedRows() > 0) ClearColumnHeaders();
  ShowColumnHeaders();
}

void TExStringGrid::SetRowHeaders(TStrings* Value) {
  FRowHeaders->Assign(Value);
  if (HasState(csDesigning) && TBaseGrid::FixedCols() > 0) ClearRowHeaders();
  ShowRowHeaders();
}

void TExStringGrid::SetFixedFont(TFont* Value) {
  FFixedFont->Assign(Value);
  Invalidate();
}

void TExStringGrid::SetLookupItems(TStrings* Value) {
  if (Value) FLookupItems->Assign(Value);
}

void TExStringGrid::RichEditSelectionChange(TObject* Sender) {
  (void)Sender;
  if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
}

// ---------------------------------------------------------------------------------------------
// Merged columns, print widths
// ---------------------------------------------------------------------------------------------

void TExStringGrid::MergedColumnsChanged() {
  SplitAllColumnCells();
  MergeAllColumnCells();
}

// Every real column, hidden ones included: a merged column beyond the shown count must be split too.
void TExStringGrid::SplitAllColumnCells() {
  for (Integer C = 0; C < TotalColCount(); ++C) SplitColumnCells(C);
}

void TExStringGrid::MergeAllColumnCells() {
  for (Integer K = 0; K < FMergedColumns->Count(); ++K) MergeColumnCells(FMergedColumns->Items(K), K == 0);
}

Integer TExStringGrid::GetPrintColWidth(Integer ACol) {
  if (ACol < 0 || ACol >= 512) throw EStringGridError(u"Columns is not in valid range");
  return MaxWidths[ACol];
}

Integer TExStringGrid::GetPrintColOffset(Integer ACol) {
  if (ACol < 0 || ACol >= 512) throw EStringGridError(u"Columns is not in valid range");
  return Indents[ACol];
}
