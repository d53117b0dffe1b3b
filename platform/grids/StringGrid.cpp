// TCustomDrawGrid (the events) and TStringGrid (cells, objects, the Rows and Cols lists).
#include "platform/grids/Grids.h"

namespace {

[[noreturn]] void IndexError() { throw EInvalidGridOperation(u"Grid index out of range"); }

}  // namespace

// --- TCustomDrawGrid -------------------------------------------------------------------------------

bool TCustomDrawGrid::SelectCell(Integer ACol, Integer ARow) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

String TCustomDrawGrid::GetEditText(Integer ACol, Integer ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TCustomDrawGrid::GetEditMask(Integer ACol, Integer ARow) {
  String value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// --- The Rows and Cols lists -----------------------------------------------------------------------

// One row (over the columns) or one column (over the rows) of a string grid as a string list.
class TStringGrid::TStringGridStrings : public TStrings {
 public:
  TStringGridStrings(TStringGrid* Grid, bool IsRow, Integer Index) : FGrid(Grid), FIsRow(IsRow), FIndex(Index) {}
  String ClassName() const override { return u"TStringGridStrings"; }

  Integer Count() const override { return FIsRow ? FGrid->ColCount() : FGrid->RowCount(); }
  String Get(Integer Index) const override {
    Check(Index);
    return FIsRow ? FGrid->Cells(Index, FIndex) : FGrid->Cells(FIndex, Index);
  }
  void Put(Integer Index, const String& S) override {
    Check(Index);
    if (FIsRow)
      FGrid->SetCells(Index, FIndex, S);
    else
      FGrid->SetCells(FIndex, Index, S);
  }
  TObject* GetObject(Integer Index) const override {
    Check(Index);
    return FIsRow ? FGrid->Objects(Index, FIndex) : FGrid->Objects(FIndex, Index);
  }
  void PutObject(Integer Index, TObject* AObject) override {
    Check(Index);
    if (FIsRow)
      FGrid->SetObjects(Index, FIndex, AObject);
    else
      FGrid->SetObjects(FIndex, Index, AObject);
  }
  void Clear() override {
    for (Integer i = 0, n = Count(); i < n; ++i) {
      Put(i, String());
      PutObject(i, nullptr);
    }
  }
  // The positions are the grid's: nothing can be inserted or deleted.
  void Delete(Integer Index) override {
    (void)Index;
    IndexError();
  }
  void Insert(Integer Index, const String& S) override {
    (void)Index;
    (void)S;
    IndexError();
  }
  // Fills the first empty position; -1 when there is none.
  Integer Add(const String& S) override { return AddObject(S, nullptr); }
  Integer AddObject(const String& S, TObject* AObject) override {
    for (Integer i = 0, n = Count(); i < n; ++i) {
      if (Get(i).empty() && !GetObject(i)) {
        Put(i, S);
        PutObject(i, AObject);
        return i;
      }
    }
    return -1;
  }
  // Position by position; positions the source does not have are emptied.
  void Assign(TPersistent* Source) override {
    auto* src = dynamic_cast<TStrings*>(Source);
    if (!src) {
      TStrings::Assign(Source);
      return;
    }
    if (src == this) return;
    const Integer n = Count(), m = src->Count();
    // Read the source first: it may be another list over the same grid.
    std::vector<std::pair<String, TObject*>> items;
    items.reserve(static_cast<size_t>(n));
    for (Integer i = 0; i < n; ++i)
      items.emplace_back(i < m ? src->Get(i) : String(), i < m ? src->GetObject(i) : nullptr);
    for (Integer i = 0; i < n; ++i) {
      Put(i, items[static_cast<size_t>(i)].first);
      PutObject(i, items[static_cast<size_t>(i)].second);
    }
  }

 private:
  void Check(Integer Index) const {
    if (Index < 0 || Index >= Count()) IndexError();
  }
  TStringGrid* FGrid;
  bool FIsRow;
  Integer FIndex;
};

// --- TStringGrid -----------------------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

String TStringGrid::Cells(Integer ACol, Integer ARow) const { return StoredCellText(ACol, ARow); }

const String& TStringGrid::StoredCellText(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0) IndexError();
  return FCells.TextRef(ACol, ARow);
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const String& Value) {
  if (ACol < 0 || ARow < 0) IndexError();
  FCells.SetText(ACol, ARow, Value);
  InvalidateCell(ACol, ARow);
  EditorCellChanged(ACol, ARow, Value);
}

void TStringGrid::StoreCellText(Integer ACol, Integer ARow, const String& Value) {
  if (ACol < 0 || ARow < 0) IndexError();
  FCells.SetText(ACol, ARow, Value);
  EditorCellChanged(ACol, ARow, Value);
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0) IndexError();
  return FCells.Object(ACol, ARow);
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) IndexError();
  FCells.SetObject(ACol, ARow, Value);
}

TStrings* TStringGrid::Rows(Integer ARow) {
  if (ARow < 0) IndexError();
  auto& slot = FRowLists[ARow];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, true, ARow);
  return slot.get();
}

void TStringGrid::SetRows(Integer ARow, TStrings* Value) { Rows(ARow)->Assign(Value); }

TStrings* TStringGrid::Cols(Integer ACol) {
  if (ACol < 0) IndexError();
  auto& slot = FColLists[ACol];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, false, ACol);
  return slot.get();
}

void TStringGrid::SetCols(Integer ACol, TStrings* Value) { Cols(ACol)->Assign(Value); }

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, FCells.Text(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(Integer ACol, Integer ARow) {
  String value = FCells.Text(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (FCells.Text(ACol, ARow) != Value) SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  FCells.MoveColumn(FromIndex, ToIndex);
  Invalidate();
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  FCells.MoveRow(FromIndex, ToIndex);
  Invalidate();
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::RowDeleted(Integer ARow) { FCells.ClearRow(ARow); }

void TStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  FCells.SetRowRoom(ColCount());
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

std::vector<std::unique_ptr<TGridCellRow>> TStringGrid::RowsTaken(const std::vector<Integer>& Rows, Integer End) {
  return FCells.TakeRows(Rows, End);
}

void TStringGrid::ColumnDeleted(Integer ACol) { FCells.ClearColumn(ACol); }
