// The two walks that move the current cell from one editable cell to the next: the advance after
// Enter (AdvanceCell) and the Tab walk (TabNavigate), with the column and row queries they share.
#include <set>
#include <utility>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFooter.h"
#include "platform/gui/Forms.h"

namespace {

bool IsTextEditorKind(TEditorType T) {
  switch (T) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edPositiveFloat: return true;
    default: return false;
  }
}

}  // namespace

// --- Column and row queries -----------------------------------------------------------------------------

Integer TExStringGrid::FirstNavigableCol() {
  if (FixedCols() == 0 && HasNodes()) return 1;
  return FixedCols();
}

Integer TExStringGrid::VisibleFixedRightCols() {
  if (FNumHidden == 0) return FFixedRightCols;
  Integer visible = 0;
  const Integer last = ColCount() + FNumHidden - 1;
  for (Integer c = last; c > last - FFixedRightCols && c >= 0; --c)
    if (!IsHiddenColumn(c)) ++visible;
  return visible;
}

bool TExStringGrid::IsSelectableCell(Integer ACol, Integer ARow) {
  bool canSelect = Options().Contains(goEditing) ? IsEditable(DisplayToRealCol(ACol), ARow) : !IsFixed(ACol, ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

Integer TExStringGrid::FirstSelectableCol(Integer ARow) {
  for (Integer c = 0; c < ColCount(); ++c)
    if (IsSelectableCell(c, ARow)) return c;
  return -1;
}

Integer TExStringGrid::LastSelectableCol(Integer ARow) {
  for (Integer c = ColCount() - 1; c >= 0; --c)
    if (IsSelectableCell(c, ARow)) return c;
  return -1;
}

void TExStringGrid::MoveToFirstRow() { SetRow(FixedRows()); }

// --- The advance after Enter ------------------------------------------------------------------------------

void TExStringGrid::AdvanceCell(Integer ACol, Integer ARow, bool Force, bool AutoEdit, bool Forward, bool Recursing,
                                bool ShowEdit) {
  if (!FNavigation->AdvanceOnEnter() && !Force) return;
  if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing)) SetOptions(Options() << goEditing);
  if (!Recursing) {
    FAECol = ACol;
    FAERow = ARow;
  }
  const TAdvanceDirection dir = FNavigation->AdvanceDirection();
  TPoint origin(ACol, ARow);
  // Read-only cells are skipped one after the other; the walk ends when it cannot move or comes
  // back to a cell it has seen.
  std::set<std::pair<Integer, Integer>> visited;
  for (;;) {
    origin = TPoint(ACol, ARow);
    visited.insert({ACol, ARow});
    FStartEditChar = 0;
    const TPoint span = CellSpan(DisplayToRealCol(ACol), ARow);
    const Integer lastNormalRow = RowCount() - FFixedFooters - 1;
    if (Forward) {
      if (dir == adLeftRight || dir == adLeftRightInRow) {
        if (ACol + span.X < ColCount() - VisibleFixedRightCols() - 1) {
          ACol += span.X + 1;
        } else if (dir == adLeftRightInRow) {
          if (FNavigation->AdvanceOnEnterLoop()) ACol = FirstNavigableCol();
        } else if (ARow < lastNormalRow) {
          ++ARow;
          ACol = FirstNavigableCol();
        } else if (FNavigation->AdvanceInsert()) {
          bool canAdd = true;
          CanAddRow(canAdd);
          ACol = FirstNavigableCol();
          if (canAdd) {
            AddRowInternal();
            ++ARow;
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
            bool anyEditable = false;
            for (Integer c = FixedCols(); c < ColCount() && !anyEditable; ++c)
              anyEditable = IsEditable(DisplayToRealCol(c), ARow);
            if (!anyEditable) return;
          }
        } else if (FNavigation->AdvanceOnEnterLoop()) {
          ARow = FixedRows();
          ACol = FirstNavigableCol();
        }
      } else {
        bool wrapped = true;
        if (ARow + 1 != RowCount() - FFixedFooters) {
          ++ARow;
          wrapped = false;
        } else if (dir == adTopBottomInCol) {
          ARow = FixedRows();
        } else if (ACol + 1 != ColCount() - FFixedRightCols) {
          ARow = FixedRows();
          ++ACol;
          if (ACol >= ColCount()) ACol = FirstNavigableCol();
        } else if (FNavigation->AdvanceInsert()) {
          SetColCount(ColCount() + 1);
          ACol += span.X + 1;
          ARow = FixedRows();
          if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FFixedRightCols - 1);
        } else {
          ARow = FixedRows();
          ACol = FirstNavigableCol();
        }
        if (wrapped) Invalidate();
      }
    } else {
      if (dir == adLeftRight) {
        if (ACol > FirstNavigableCol()) {
          --ACol;
        } else {
          ARow = ARow == FixedRows() ? lastNormalRow : ARow - 1;
          ACol = ColCount() - FFixedRightCols - 1;
        }
      } else if (dir == adTopBottom) {
        if (ARow > FixedRows()) {
          --ARow;
        } else {
          ACol = ACol <= FirstNavigableCol() ? ColCount() - FFixedRightCols - 1 : ACol - 1;
          ARow = lastNormalRow;
        }
      }
    }

    const Integer rc = DisplayToRealCol(ACol);
    bool canEdit = true;
    CanEditCell(rc, ARow, canEdit);
    if (canEdit) {
      bool allow = true;
      if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
      if (allow && OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
      FDisableChange = true;
      struct Enable {
        bool& f;
        ~Enable() { f = false; }
      } enable{FDisableChange};
      if (allow)
        TBaseGrid::FocusCell(ACol, ARow, true);
      else
        SelectCell(origin.X, origin.Y);
      break;
    }
    if (FNavigation->AdvanceSkipReadOnlyCells()) {
      if (visited.count({ACol, ARow}) != 0) return;
      Recursing = true;
      continue;
    }
    TBaseGrid::FocusCell(ACol, ARow, true);
    break;
  }

  if (!ShowEdit) return;
  const Integer rc = DisplayToRealCol(Col());
  const bool controlCell = IsControlCell(rc, Row());
  if ((AutoEdit && FNavigation->AdvanceAutoEdit()) || controlCell) {
    if (!IsEditable(rc, Row())) return;
    ShowEditor();
    if (controlCell) {
      // A cell operated by click and Space only becomes current: nothing in it is clicked.
      if (FNavigation->AdvanceDirection() != adLeftRight) HideEditor();
      bool allow = true;
      if (OnCellChanging) OnCellChanging(this, origin.Y, origin.X, Row(), Col(), allow);
      TEditorType originType = FDefaultEditor;
      GetCellEditor(DisplayToRealCol(origin.X), origin.Y, originType);
      if (!IsTextEditorKind(originType)) HideEditor();
    }
  }
  if (FMouseActions->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(Row(), true);
  }
}

// --- The Tab walk ----------------------------------------------------------------------------------------

bool TExStringGrid::TabNavigate(bool Backward) {
  bool result = true;
  if (OnKeyDown) {
    Word key = VK_TAB;
    OnKeyDown(this, key, Backward ? TShiftState(ssShift) : TShiftState());
    if (key != VK_TAB) return result;
  }
  if (Col() == FLastTabCol && Row() == FLastTabRow) return result;
  FLastTabCol = Col();
  FLastTabRow = Row();
  struct Forget {
    TExStringGrid* g;
    ~Forget() {
      g->FLastTabCol = -1;
      g->FLastTabRow = -1;
    }
  } forget{this};

  const Integer lastNormalRow = RowCount() - FFixedFooters - 1;
  const Integer firstNav = FirstNavigableCol();
  auto endOfGrid = [&] {
    if (FNavigation->TabToNextAtEnd() && Parent()) {
      PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
      result = false;
    }
  };
  // Moves to a cell as the walk does: through the selection, or through Col and Row for a
  // database grid.
  auto moveTo = [&](Integer C, Integer R) {
    if (FIsDBVersion) {
      SetRow(R);
      SetCol(C);
    } else {
      SetSelection(TGridRect{C, R, C, R});
    }
  };
  auto toBaseCell = [&] {
    if (IsMergedNonBaseCell(DisplayToRealCol(Col()), Row())) MoveToBaseCell();
  };

  if (Backward && FNavigation->TabAdvanceDirection() != adLeftRight) {
    if (Row() > FixedRows()) {
      SetRow(Row() - 1);
    } else {
      SetRow(lastNormalRow);
      SetCol(Col() <= firstNav ? ColCount() - VisibleFixedRightCols() - 1 : Col() - 1);
    }
  } else if (Backward && Col() > firstNav) {
    Integer b = 1;
    while (Col() - b >= firstNav &&
           !(IsSelectableCell(Col() - b, Row()) && IsBaseCell(DisplayToRealCol(Col() - b), Row())))
      ++b;
    if (Col() - b >= firstNav) {
      SetCol(Col() - b);
    } else if (Row() > FixedRows()) {
      const Integer c = LastSelectableCol(Row() - 1);
      if (c >= 0) moveTo(c, Row() - 1);
      ScrollInView(Col(), Row());
      toBaseCell();
    } else {
      const Integer c = LastSelectableCol(lastNormalRow);
      if (c >= 0) {
        moveTo(c, lastNormalRow);
        ScrollInView(Col(), Row());
      }
      toBaseCell();
    }
  } else if (Backward) {
    const Integer right = ColCount() - VisibleFixedRightCols();
    Integer b = 1;
    while (right - b > FixedCols() && !IsSelectableCell(right - b, Row())) ++b;
    if (right - b >= FixedCols()) SetCol(right - b);
    SetRow(Row() > FixedRows() ? Row() - 1 : lastNormalRow);
  } else if (FNavigation->TabAdvanceDirection() != adLeftRight) {
    const TPoint span = CellSpan(DisplayToRealCol(Col()), Row());
    if (Row() + span.Y + 1 < RowCount() - FFixedFooters) {
      SetRow(Row() + span.Y + 1);
    } else {
      // Past the last row the walk goes on at the top of the next column.
      MoveToFirstRow();
      if (Col() < ColCount() - VisibleFixedRightCols() - 1) {
        SetCol(Col() + 1);
      } else {
        SetCol(firstNav);
        endOfGrid();
      }
    }
  } else {
    const TPoint span = CellSpan(DisplayToRealCol(Col()), Row());
    const Integer limit = ColCount() - VisibleFixedRightCols();
    if (Col() + span.X + 1 < limit) {
      Integer c = 1;
      while (Col() + span.X + c < limit && !IsSelectableCell(Col() + span.X + c, Row())) ++c;
      if (Col() + span.X + c >= limit) {
        FForceSel = true;
        if (Row() < lastNormalRow) {
          const Integer first = FirstSelectableCol(Row() + 1);
          bool allow = true;
          if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
          if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, first, allow);
          if (OnColChanging) OnColChanging(this, Col(), first, allow);
          if (allow) {
            SetCol(first < 0 ? FixedCols() : first);
            SetRow(Row() + 1);
          }
        } else {
          const Integer first = FirstSelectableCol(FixedRows());
          if (first >= 0) moveTo(first, FixedRows());
          endOfGrid();
        }
        FForceSel = false;
      } else {
        SetCol(Col() + span.X + c);
        if (IsMergedNonBaseCell(DisplayToRealCol(Col()), Row())) {
          FLastTabCol = -1;
          TabNavigate(false);
        }
      }
    } else if (Row() < lastNormalRow) {
      Integer e = -1;
      for (Integer c = firstNav; c < ColCount() && e < 0; ++c)
        if (IsBaseCell(DisplayToRealCol(c), Row() + 1) && IsSelectableCell(c, Row() + 1)) e = c;
      if (e >= 0) {
        FForceSel = true;
        SetCol(e);
        FForceSel = false;
        SetRow(Row() + 1);
      } else {
        Integer g = -1;
        for (Integer r = Row() + 2; r <= lastNormalRow && g < 0; ++r)
          if (FirstSelectableCol(r) >= 0) g = r;
        if (g >= 0) {
          SetRow(g);
          SetCol(FirstSelectableCol(g));
        } else {
          // Nothing selectable below: from the end of the grid the walk starts over.
          if (FNavigation->TabToNextAtEnd() || !FNavigation->AdvanceInsert()) MoveToFirstRow();
          const Integer first = FirstSelectableCol(Row());
          SetCol(first >= 0 ? first : firstNav);
          endOfGrid();
        }
      }
    } else {
      bool moved = false;
      if (!FNavigation->TabToNextAtEnd() && FNavigation->AdvanceInsert()) {
        bool canAdd = true;
        CanAddRow(canAdd);
        if (canAdd) {
          if (FFloatingFooter && FFloatingFooter->Visible()) {
            InsertRows(RowCount() - 1, 1);
            SetRow(RowCount() - 2);
          } else {
            SetRowCount(RowCount() + 1);
            SetRow(RowCount() - 1);
          }
          if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
          moved = true;
        }
      }
      if (!moved) MoveToFirstRow();
      const Integer first = FirstSelectableCol(Row());
      SetCol(first >= 0 ? first : firstNav);
      endOfGrid();
    }
  }

  // A cell that cannot be edited in an editable grid is passed over.
  if (result && Options().Contains(goEditing) && !IsEditable(DisplayToRealCol(Col()), Row()) &&
      FTabSkipDepth < RowCount() * ColCount()) {
    ++FTabSkipDepth;
    struct Depth {
      Integer& d;
      ~Depth() { --d; }
    } depth{FTabSkipDepth};
    FLastTabCol = -1;
    result = TabNavigate(Backward);
  }
  if (FNavigation->AdvanceAutoEdit() && !IsControlCell(DisplayToRealCol(Col()), Row())) {
    // A click on the new cell opens its editor, without the application's mouse events.
    const TRect r = CellRect(Col(), Row());
    const TMouseEvent down = OnMouseDown, up = OnMouseUp;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    FForceSel = true;
    MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
    FForceSel = false;
    OnMouseDown = down;
    OnMouseUp = up;
  }
  if (FNavigation->AlwaysEdit() && CanFocus()) SetFocus();
  return result;
}
