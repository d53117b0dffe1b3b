// TExStringGrid: finding cells by text (Find, FindWide, FindFirst, FindNext), replacing in every
// match, the incremental search by typing (Search), and the handlers of the search footer's
// controls, which drive Find.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The search text that finds empty cells.
const String EmptyCellSearch = u"\"\"";

bool IsEmptyCellSearch(const String& S) { return S.size() == EmptyCellSearch.size() && S == EmptyCellSearch; }

// The upper case AnsiUpperChar gives, ASCII answered here.
inline Char FoldUpper(Char C) {
  if (C < 0x80) return C >= u'a' && C <= u'z' ? static_cast<Char>(C - (u'a' - u'A')) : C;
  return AnsiUpperChar(C);
}

// Text from position From holds What (upper case when Fold), each character of Text upper-cased
// as AnsiUpperCase does when Fold: the test on the upper-cased text without making it.
inline bool SameAt(const String& Text, size_t From, const String& What, bool Fold) {
  for (size_t i = 0; i < What.size(); ++i) {
    const Char C = Text[From + i];
    if ((Fold ? FoldUpper(C) : C) != What[i]) return false;
  }
  return true;
}

}  // namespace

// --- The scan -----------------------------------------------------------------------------------

bool TExStringGrid::MatchFindCell(Integer ACol, Integer ARow, bool Wide) {
  const TFindParams P = TFindParams::FromBits(FFindParams);
  const bool MatchCase = P.Contains(fnMatchCase);
  if (!P.Contains(fnIncludeHiddenColumns)) ACol = DisplayToRealCol(ACol);
  // The cell's text (the same for the wide search) read without a copy where it is stored as it is.
  String Scratch;
  const String& Cell =
      P.Contains(fnIncludeHiddenRows) ? AllCellsRef(ACol, ARow, Scratch) : CellExRef(ACol, ARow, Scratch);
  const String* TextAt = &Cell;
  if (!Wide && P.Contains(fnIgnoreHTMLTags)) {
    Scratch = StripHtml(Cell);
    TextAt = &Scratch;
  }
  const String& Text = *TextAt;

  if (IsEmptyCellSearch(SearchCache) || IsEmptyCellSearch(SearchCacheWide)) return Text.empty();

  if (!Wide && P.Contains(fnMatchRegular)) return MatchFilter(SearchCache, MatchCase ? Text : AnsiUpperCase(Text), MatchCase);
  // The position of the search text in the (upper-cased) cell text: at the start with
  // fnMatchStart, anywhere otherwise; the whole text with fnMatchFull. An empty search text is
  // found nowhere.
  const String& What = Wide ? SearchCacheWide : SearchCache;
  if (What.empty() || Text.size() < What.size()) return false;
  const bool Fold = !MatchCase;
  if (P.Contains(fnMatchFull)) return Text.size() == What.size() && SameAt(Text, 0, What, Fold);
  if (P.Contains(fnMatchStart)) return SameAt(Text, 0, What, Fold);
  for (size_t i = 0; i + What.size() <= Text.size(); ++i)
    if (SameAt(Text, i, What, Fold)) return true;
  return false;
}

Integer TExStringGrid::FindHiddenNodeRow(Integer ARow) {
  Integer Total = FixedRows();
  for (Integer r = FixedRows(); r < RowCount() - 1; ++r) {
    if (IsNode(r)) Total += GetNodeSpan(r);
    if (ARow <= Total) return r;
  }
  return RowCount() - 1;
}

bool TExStringGrid::DoFind(TPoint StartCell, const String& s, TPoint& Result, TFindParams FindParams, bool Wide,
                           const String& ws) {
  Result = TPoint{-1, -1};
  FFindParams = static_cast<Word>(FindParams.Bits());
  FFindBusy = true;
  const bool MatchCase = FindParams.Contains(fnMatchCase);
  SearchCache = MatchCase ? s : AnsiUpperCase(s);
  SearchCacheWide = MatchCase ? ws : AnsiUpperCase(ws);

  if (ColCount() == FixedCols() || ColCount() == 0 || RowCount() + NumHiddenRows() == FixedRows() ||
      RowCount() == 0) {
    FFindBusy = false;
    return false;
  }

  Integer Left;
  Integer Top;
  Integer Right;
  Integer Bottom;
  if (FindParams.Contains(fnIncludeFixed)) {
    Left = 0;
    Top = 0;
    Right = ColCount() - 1;
    Bottom = RowCount() - 1;
  } else {
    Left = FixedCols();
    Top = FixedRows();
    Right = ColCount() - FFixedRightCols - 1;
    Bottom = RowCount() - FFixedFooters - 1;
  }
  if (FindParams.Contains(fnSelectedCells)) {
    const TGridRect S = Selection();
    Left = S.Left;
    Top = S.Top;
    Right = S.Right;
    Bottom = S.Bottom;
  }
  if (FindParams.Contains(fnIncludeHiddenColumns)) Right += NumHiddenColumns();
  if (FindParams.Contains(fnIncludeHiddenRows)) Bottom += NumHiddenRows();

  const bool Backward = FindParams.Contains(fnBackward);
  const bool RowByRow = FindParams.Contains(fnDirectionLeftRight);
  Integer X = StartCell.X;
  Integer Y = StartCell.Y;
  if (X == -1 && Y == -1) {
    X = Backward ? Right : Left;
    Y = Backward ? Bottom : Top;
  } else if (RowByRow) {
    if (Backward) {
      if (X >= Left)
        --X;
      else if (Y >= Top)
        --Y;
      else {
        X = Right;
        Y = Bottom;
      }
    } else {
      if (X <= Right)
        ++X;
      else if (Y <= Bottom)
        ++Y;
      else {
        X = Left;
        Y = Top;
      }
    }
  } else {
    if (Backward) {
      if (Y >= Top)
        --Y;
      else if (X >= Left)
        --X;
      else {
        X = Right;
        Y = Bottom;
      }
    } else {
      if (Y <= Bottom)
        ++Y;
      else if (X <= Right)
        ++X;
      else {
        X = Left;
        Y = Top;
      }
    }
  }

  if (FindParams.Contains(fnFindInCurrentRow)) Y = Top = Bottom = Row();
  if (FindParams.Contains(fnFindInPresetRow)) Y = Top = Bottom = FFindRow;
  if (FindParams.Contains(fnFindInCurrentCol)) X = Left = Right = Col();
  if (FindParams.Contains(fnFindInPresetCol)) X = Left = Right = FFindCol;

  const Integer Step = Backward ? -1 : 1;
  bool Found = false;
  if (RowByRow) {
    while (!Found && Y >= Top && Y <= Bottom) {
      while (X >= Left && X <= Right) {
        ExportNotification(esExportNewRow, Y);
        if (!IsIgnoredColumn(X) && MatchFindCell(X, Y, Wide)) {
          Found = true;
          break;
        }
        X += Step;
      }
      if (Found) break;
      X = FindParams.Contains(fnFindInCurrentCol) ? Col() : (Backward ? Right : Left);
      Y += Step;
    }
  } else {
    while (!Found && X >= Left && X <= Right) {
      const Integer StoreCol = FindParams.Contains(fnIncludeHiddenColumns) ? X : DisplayToRealCol(X);
      while (Y >= Top && Y <= Bottom) {
        CellStore().PrefetchColumnWalk(StoreCol, Y, Step);
        ExportNotification(esExportNewRow, Y);
        if (MatchFindCell(X, Y, Wide)) {
          Found = true;
          break;
        }
        Y += Step;
      }
      if (Found) break;
      Y = FindParams.Contains(fnFindInCurrentRow) ? Row() : (Backward ? Bottom : Top);
      X += Step;
    }
  }
  if (!Found) {
    FFindBusy = false;
    return false;
  }

  SearchCell = TPoint{X, Y};
  Result = SearchCell;
  if (FindParams.Contains(fnAutoGoto)) {
    Integer GotoRow = Y;
    bool Reachable = true;
    if (FindParams.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
      if (IsHiddenRow(Y) && FNumNodes > 0) ExpandNode(RealRowIndex(FindHiddenNodeRow(Y)));
      // A row still held aside cannot become current.
      Reachable = !IsHiddenRow(Y);
      GotoRow = DisplRowIndex(Y);
    }
    if (Reachable && GotoRow >= 0 && GotoRow < RowCount()) {
      if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(GotoRow, true);
        SetRow(GotoRow);
      } else {
        SetRow(GotoRow);
        if (X >= 0 && X < ColCount()) SetCol(X);
      }
    }
  }
  return true;
}

// --- Find and replace -----------------------------------------------------------------------------

TPoint TExStringGrid::Find(TPoint StartCell, const String& s, TFindParams FindParams) {
  TPoint Result{-1, -1};
  ExportNotification(esExportStart, -1);
  const bool Found = DoFind(StartCell, s, Result, FindParams, false, String());
  ExportNotification(Found ? esExportFail : esExportDone, -1);
  if (FindParams.Contains(fnAutoGoto)) {
    const Integer a = FFloatingFooter && FFloatingFooter->Visible() ? 2 : 0;
    const Integer Vis = VisibleRowCount();
    if (Row() > TopRow() + Vis - a - 2 && RowCount() > Vis + FixedRows() + a) SetTopRow(TopRow() + a + 1);
  }
  return Result;
}

TPoint TExStringGrid::FindWide(TPoint StartCell, const String& s, TFindParams FindParams) {
  TPoint Result{-1, -1};
  ExportNotification(esExportStart, -1);
  const bool Found = DoFind(StartCell, String(), Result, FindParams, true, s);
  ExportNotification(Found ? esExportFail : esExportDone, -1);
  return Result;
}

TPoint TExStringGrid::FindFirst(const String& s, TFindParams FindParams) {
  SearchCell = Find(TPoint{-1, -1}, s, FindParams);
  return SearchCell;
}

TPoint TExStringGrid::FindNext() {
  SearchCell = Find(SearchCell, SearchCache, TFindParams::FromBits(FFindParams));
  return SearchCell;
}

Integer TExStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams) {
  Integer Count = 0;
  TPoint P{-1, -1};
  for (;;) {
    const TPoint Next = Find(P, OrigStr, FindParams);
    if (Next.X == -1 || (Next.X == P.X && Next.Y == P.Y)) break;
    P = Next;
    const Integer C = FindParams.Contains(fnIncludeHiddenColumns) ? P.X : DisplayToRealCol(P.X);
    if (FindParams.Contains(fnIncludeHiddenRows))
      SetAllCells(C, P.Y, StringReplace(AllCells(C, P.Y), OrigStr, NewStr, rfReplaceAll | rfIgnoreCase));
    else
      SetCells(C, P.Y, StringReplace(Cells(C, P.Y), OrigStr, NewStr, rfReplaceAll | rfIgnoreCase));
    if (ShowModified() && ShowModified()->Enabled()) SetRowModified(P.Y, true);
    ++Count;
  }
  return Count;
}

Integer TExStringGrid::Search(const String& s) {
  if (RowCount() < 2) return -1;
  Integer c = FixedCols();
  if (FSortSettings->Show()) {
    if (FSortSettings->IndexShow())
      c = FSortIndexes->Count() > 0 ? (FSortIndexes->Items(0) & 0x7FFFFFFF) : FixedCols();
    else
      c = FSortSettings->Column();
  }
  if (c == -1) return -1;
  for (Integer r = FixedRows(); r < RowCount(); ++r)
    if (AnsiUpperCase(StrippedCells(c, r).substr(0, s.size())) == s) return r;
  return -1;
}

// --- The search footer ----------------------------------------------------------------------------

TExStringGrid::TFindParams TExStringGrid::SearchFooterParams(bool Backward, bool FirstSearch) {
  TFindParams P{fnAutoGoto};
  if (FSearchPanel->HighlightDown()) P.Include(fnIgnoreHTMLTags);
  if (FSearchPanel->MatchCaseChecked()) P.Include(fnMatchCase);
  if (FSearchFooter->SearchActiveColumnOnly()) P.Include(fnFindInCurrentCol);
  if (FSearchFooter->SearchMatchStart()) P.Include(fnMatchStart);
  if (FirstSearch && FSearchFooter->SearchFixedCells()) P.Include(fnIncludeFixed);
  if (FirstSearch && FSearchFooter->SearchHiddenRows()) P.Include(fnIncludeHiddenRows);
  if (!Backward && FSearchFooter->SearchDirection() == sdLeftRight) P.Include(fnDirectionLeftRight);
  const Integer SC = FSearchFooter->SearchColumn();
  if (SC >= 0 && SC < AllColCount()) {
    P.Include(fnFindInPresetCol);
    FFindCol = SC;
  }
  if (Backward) P.Include(fnBackward);
  return P;
}

namespace {

// The edit's new colour, then a width step out and back so that it repaints.
void ColourSearchEdit(TRetEdit* Edit, TColor Color) {
  Edit->SetColor(Color);
  Edit->SetWidth(Edit->Width() + 1);
  Edit->SetWidth(Edit->Width() - 1);
}

}  // namespace

void TExStringGrid::SearchPanelEditChange(TObject*) {
  if (!FSearchPanel) return;
  TRetEdit* Edit = FSearchPanel->EditControl();
  const String Text = Edit->Text();
  bool DefaultSearch = true;
  if (OnSearchEditChange) OnSearchEditChange(this, Text, DefaultSearch);
  if (!DefaultSearch || !FSearchFooter->AutoSearch()) return;

  const TFindParams P = SearchFooterParams(false, true);
  const bool HighlightDown = FSearchPanel->HighlightDown();
  const bool Highlight = HighlightDown || FSearchFooter->AlwaysHighLight();
  const Integer SC = FSearchFooter->SearchColumn();
  auto RemoveHighlight = [&] {
    if (SC == -1)
      UnHilightInGrid(false);
    else
      UnHilightInCol(false, SC);
  };
  if (Highlight) RemoveHighlight();

  if (Text.empty()) {
    ColourSearchEdit(Edit, clWindow);
    if (HighlightDown) RemoveHighlight();
    return;
  }
  SearchCell = Find(TPoint{-1, -1}, Text, P);
  SearchFooterAction(Text, SearchCell.X, SearchCell.Y, saFindFirst);
  if (SearchCell.X == -1) {
    ColourSearchEdit(Edit, TColor(0x000000FF));
    return;
  }
  ColourSearchEdit(Edit, clWindow);
  if (SearchCell.Y < RowCount() && SearchCell.X < ColCount()) ScrollInView(SearchCell.X, SearchCell.Y);
  if (Highlight) {
    const bool DoCase = FSearchPanel->MatchCaseChecked();
    if (SC == -1)
      HilightInGrid(false, DoCase, Text);
    else
      HilightInCol(false, DoCase, SC, Text);
  }
}

void TExStringGrid::SearchPanelForwardClick(TObject*) {
  if (!FSearchPanel) return;
  const String Text = FSearchPanel->EditControl()->Text();
  if (!FSearchFooter->AutoSearch() && Text != FSearchFooter->LastSearch()) {
    SearchCell = TPoint{-1, -1};
    FSearchFooter->SetLastSearch(Text);
  }
  SearchCell = Find(SearchCell, Text, SearchFooterParams(false, false));
  if (SearchCell.X != -1 && SearchCell.Y < RowCount() && SearchCell.X < ColCount())
    ScrollInView(SearchCell.X, SearchCell.Y);
  const bool Footer = FFloatingFooter && FFloatingFooter->Visible();
  const Integer Vis = VisibleRowCount();
  if (Row() > TopRow() + Vis - (Footer ? 3 : 2) && RowCount() > Vis + FixedRows() + (Footer ? 1 : 0))
    SetTopRow(TopRow() + 2);
  SearchFooterAction(Text, SearchCell.X, SearchCell.Y, saFindNext);
  FSearchPanel->Invalidate();
}

void TExStringGrid::SearchPanelBackwardClick(TObject*) {
  if (!FSearchPanel) return;
  const String Text = FSearchPanel->EditControl()->Text();
  if (!FSearchFooter->AutoSearch() && Text != FSearchFooter->LastSearch()) {
    SearchCell = TPoint{-1, -1};
    FSearchFooter->SetLastSearch(Text);
  }
  SearchCell = Find(SearchCell, Text, SearchFooterParams(true, false));
  const bool Footer = FFloatingFooter && FFloatingFooter->Visible();
  const Integer Vis = VisibleRowCount();
  if (Row() > TopRow() + Vis - (Footer ? 3 : 2) && RowCount() > Vis + FixedRows() + (Footer ? 1 : 0))
    SetTopRow(TopRow() + 2);
  if (SearchCell.X != -1 && SearchCell.Y < RowCount() && SearchCell.X < ColCount())
    ScrollInView(SearchCell.X, SearchCell.Y);
  SearchFooterAction(Text, SearchCell.X, SearchCell.Y, saFindPrevious);
  FSearchPanel->Invalidate();
}

void TExStringGrid::SearchPanelExitClick(TObject*) {
  if (OnSearchFooterClose) OnSearchFooterClose(this);
  FSearchFooter->SetVisible(false);
}

void TExStringGrid::SearchPanelHighlightClick(TObject*) {
  if (!FSearchPanel) return;
  const Integer SC = FSearchFooter->SearchColumn();
  if (FSearchPanel->HighlightDown()) {
    const String Text = FSearchPanel->EditControl()->Text();
    const bool DoCase = FSearchPanel->MatchCaseChecked();
    if (SC == -1)
      HilightInGrid(false, DoCase, Text);
    else
      HilightInCol(false, DoCase, SC, Text);
  } else if (SC == -1) {
    UnHilightInGrid(false);
  } else {
    UnHilightInCol(false, SC);
  }
}

void TExStringGrid::FixedEditChange(TObject* Sender) {
  if (!OnEditChange) return;
  auto* C = dynamic_cast<TControl*>(Sender);
  OnEditChange(this, FFixedColEdit, FFixedRowEdit, C ? C->Text() : String());
}
