// TExStringGrid: the row filter. The conditions of Filter are tested on every normal row; failing
// rows are hidden as one hiding level, so filters stack and come off one level at a time. The
// incremental filter of typed text (NarrowDown), the lists of the header's filter drop-down and the
// handlers of a choice in them are here too.
#include <algorithm>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFilter.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Ends the grid's update lock when it goes out of scope, also when a step raised.
class TUpdateLock {
 public:
  explicit TUpdateLock(TExStringGrid* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
  ~TUpdateLock() { FGrid->EndUpdate(); }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

 private:
  TExStringGrid* FGrid;
};

// A filter list entry: the friendly name before the first "=", the condition after it (the whole
// entry for both when it has none).
void SplitEntry(const String& Entry, String& Name, String& Condition) {
  const size_t p = Entry.find(u'=');
  if (p == String::npos) {
    Name = Entry;
    Condition = Entry;
  } else {
    Name = Entry.substr(0, p);
    Condition = Entry.substr(p + 1);
  }
}

// The entry of a value in a filter list: a text with a blank gets its condition quoted.
String FilterEntry(const String& Text) {
  if (Text.find(u' ') == String::npos) return Text;
  return Text + u"=\"" + Text + u"\"";
}

}  // namespace

// --- Testing rows -------------------------------------------------------------------------------

bool TExStringGrid::MatchFilterRow(Integer ARow) {
  bool Result = true;
  for (Integer i = 0; i < FFilter->Count(); ++i) {
    TFilterData* F = FFilter->Items(i);
    const Integer C = F->Column();
    String Text;
    switch (F->Data()) {
      case fcVirtual: Text = Cells(C, ARow); break;
      case fcNormal: Text = GetGridCell(C, ARow); break;
      case fcStripHTML: Text = StrippedCells(C, ARow); break;
      case fcCalculated: Text = GetCellText(C, ARow); break;
      case fcRow:
        for (Integer c = 0; c < ColCount(); ++c) Text += GetGridCell(c, ARow) + u"\r\n";
        break;
    }
    Text = Trim(Text);
    if (Text.find(UnicodeTextMarker) != String::npos) Text = DecodeUnicodeText(Text);

    bool Match = false;
    if (F->Data() == fcRow) {
      Match = Pos(UpperCase(F->Condition()), UpperCase(Text)) > 0;
    } else {
      try {
        if (!F->Prefix().empty() && Text.rfind(F->Prefix(), 0) == 0) Text.erase(0, F->Prefix().size());
        if (!F->Suffix().empty()) {
          const size_t p = Text.find(F->Suffix());
          if (p != String::npos && p + F->Suffix().size() == Text.size()) Text.erase(p);
        }
        if (F->Condition().empty())
          Match = true;
        else if (F->Method() == fmExpression)
          Match = F->CompiledCondition().Match(Text);
        else
          Match = F->Condition() == Text;
      } catch (...) {
        Match = false;
      }
    }

    bool Stop = false;
    switch (F->Operation()) {
      case foSHORT:
        Result = Match;
        Stop = !Match;
        break;
      case foNONE: Result = Match; break;
      case foAND: Result = Result && Match; break;
      case foXOR: Result = Result != Match; break;
      case foOR: Result = Result || Match; break;
    }
    if (Stop) break;
  }
  if (OnCustomFilter) OnCustomFilter(this, ARow, Result);
  return Result;
}

void TExStringGrid::FilterRow(Integer ARow) {
  if (!MatchFilterRow(ARow)) HideRow(RealRowIndex(ARow));
}

void TExStringGrid::ApplyFilter() {
  FFilterFixedRows = FixedRows();
  const Integer Last = RowCount() - FFixedFooters - 1;
  const Integer Total = RowCount() - FFixedFooters - FixedRows();
  std::vector<Integer> List;
  Integer Tested = 0;
  int16_t Progress = 0;
  for (Integer r = FixedRows(); r <= Last; ++r) {
    if (FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r))) continue;
    if (!MatchFilterRow(r)) List.push_back(r);
    ++Tested;
    if (Total > 0) {
      Progress = static_cast<int16_t>(Round(static_cast<double>(Tested) / Total * 100));
      if (OnFilterProgress) OnFilterProgress(this, Progress);
    }
  }
  // Every application makes one level, also when no row failed, so that taking the newest level
  // away never shows the rows of an older one.
  if (!List.empty())
    HideDisplayRows(std::move(List));
  else
    ++FFilterLevel;
  if (Total > 0 && OnFilterProgress) OnFilterProgress(this, Progress);
}

// --- Switching and removing -----------------------------------------------------------------------

void TExStringGrid::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
      {
        TUpdateLock Lock(this);
        ApplyFilter();
      }
      FSelHidden = false;
    } else {
      UnHideRowList();
      if (FFilterFixedRows != FixedRows() && FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
      if (FSelHidden) UnHideSelection();
    }
    SetTopRow(FixedRows());
  }
  CalcFooter(-1);
}

bool TExStringGrid::RemoveLastFilter() {
  if (FFilterLevel <= 0) return false;
  UnHideRowList();
  if (FFilterFixedRows != FixedRows() && FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
  if (FSelHidden) UnHideSelection();
  CalcFooter(-1);
  --FFilterLevel;
  return FFilterLevel > 1;
}

void TExStringGrid::RemoveAllFilters() {
  if (FFilterLevel == 0) {
    FFilter->Clear();
    return;
  }
  while (FFilterLevel >= 1) RemoveLastFilter();
}

void TExStringGrid::NarrowDown(const String& ACondition, Integer AColumn) {
  SetFixedRowAlways(true);
  auto NewCondition = [&] {
    FFilter->Clear();
    TFilterData* F = FFilter->Add();
    if (AColumn == -1) {
      F->SetData(fcRow);
      F->SetCondition(ACondition);
    } else {
      F->SetData(fcNormal);
      String C = u"*" + ACondition + u"*";
      if (C.find(u' ') != String::npos) C = u"\"" + C + u"\"";
      F->SetCondition(C);
    }
    F->SetCaseSensitive(false);
    F->SetColumn(static_cast<int16_t>(AColumn));
    ApplyFilter();
  };
  const size_t N = ACondition.size();
  const size_t L = FLastFilter.size();
  if (N == L + 1 && ACondition.compare(0, L, FLastFilter) == 0) {
    NewCondition();
  } else if (N + 1 == L && N > 0 && FLastFilter.compare(0, N, ACondition) == 0) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (N > 0) NewCondition();
  }
  FLastFilter = ACondition;
  // With the typed text gone no filter level remains; rows hidden by other means (hidden rows,
  // contracted nodes) stay in the hidden-row store.
  if (N == 0) FFilterLevel = 0;
}

// --- The filter drop-down -----------------------------------------------------------------------

bool TExStringGrid::BuildFilterList(Integer ACol) {
  FFilterList->Clear();
  if (FFilterDropDownAuto && (ACol >= FixedCols() || FFilterDropDownColumns == fdAll)) {
    std::vector<String> Entries;
    for (Integer r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
      Entries.push_back(FilterEntry(Trim(Cells(ACol, r))));
    if (!FFilterIncremental)
      for (Integer i = 0; i < NumHiddenRows(); ++i) {
        const auto* It = static_cast<TGridItem*>(FGridItems->GetItem(i));
        if (ACol >= 0 && ACol < It->CellCount()) Entries.push_back(FilterEntry(Trim(It->CellText(ACol))));
      }
    // Sorted and without duplicates, both by the locale's comparison that ignores case; of equal
    // entries the first one stays.
    std::stable_sort(Entries.begin(), Entries.end(),
                     [](const String& A, const String& B) { return AnsiCompareText(A, B) < 0; });
    Entries.erase(std::unique(Entries.begin(), Entries.end(),
                              [](const String& A, const String& B) { return AnsiCompareText(A, B) == 0; }),
                  Entries.end());
    FFilterList->SetSorted(false);
    if (!FFilterDropDownClear.empty()) FFilterList->Add(FFilterDropDownClear);
    for (const String& E : Entries) FFilterList->Add(E);
  }
  if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, FFilterList);
  return FFilterList->Count() > 0;
}

void TExStringGrid::FilterListSelect() {
  if (CanFocus()) SetFocus();
  const Integer ItemIndex = FDropList ? FDropList->ItemIndex() : -1;
  const Integer ItemCount = FDropList ? FDropList->Items()->Count() : 0;
  if (FFilterCol >= 0 && FFilterCol < AllColCount() && ItemIndex >= 0 && ItemIndex < ItemCount) {
    BuildFilterList(FFilterCol);
    if (ItemIndex < FFilterList->Count()) {
      String Name;
      String Condition;
      SplitEntry(FFilterList->Strings(ItemIndex), Name, Condition);
      if (FAutoFilterUpdate) SetFilterActive(false);
      if (Condition == FFilterDropDownClear) Condition.clear();
      if (OnFilterSelect) OnFilterSelect(this, FFilterCol, ItemIndex, Name, Condition);
      if (!Condition.empty())
        FFilter->ColumnFilter(FFilterCol)->SetCondition(Condition);
      else
        FFilter->RemoveColumnFilter(FFilterCol);
      if (FAutoFilterUpdate) {
        SetFixedRowAlways(true);
        SetFilterActive(true);
        if (RowCount() != FixedRows() && RowCount() != 1) SetRow(FixedRows());
        FilterDone();
      }
    }
  }
  FFilterCol = -1;
}

void TExStringGrid::FilterCheckListSelect() {
  if (FFilterCol < 0 || FFilterCol >= AllColCount() || !FDropCheckList) return;
  BuildFilterList(FFilterCol);
  if (FAutoFilterUpdate) SetFilterActive(false);
  FFilter->Clear();
  bool First = true;
  for (Integer i = 0; i < FDropCheckList->Count() && i < FFilterList->Count(); ++i) {
    if (!FDropCheckList->Checked(i)) continue;
    String Name;
    String Condition;
    SplitEntry(FFilterList->Strings(i), Name, Condition);
    if (Condition == FFilterDropDownClear) Condition.clear();
    if (OnFilterCheck) OnFilterCheck(this, FFilterCol, i, Name, Condition, FDropCheckList);
    TFilterData* F = FFilter->Add();
    F->SetColumn(static_cast<int16_t>(FFilterCol));
    F->SetCondition(Condition);
    F->SetOperation(First ? foNONE : foOR);
    First = false;
  }
  SetFilterActive(true);
  FDropCheckList->Invalidate();
}

void TExStringGrid::SetFilterDropDownRow(Integer Value) {
  if (Value >= FixedRows()) return;
  FFilterRow = Value;
  Invalidate();
}

void TExStringGrid::SetFilterDropDownAuto(bool Value) {
  FFilterDropDownAuto = Value;
  Invalidate();
}

void TExStringGrid::FilterDropDownChanged(TObject*) { Invalidate(); }
