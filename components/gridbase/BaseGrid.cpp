// TBaseGrid: construction, the cell model (texts, property objects, caller and graphic objects),
// merged cells with their span queries and rectangles, and the keyboard and wheel steps over
// merged areas. The cell painter is in BaseGridPaint.cpp.
#include "components/gridbase/BaseGrid.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "components/gridbase/ExGridUndoRedo.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Messages.h"

// ---------------------------------------------------------------------------------------------
// TCellProperties
// ---------------------------------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow) {
  if (FOwnerGrid) {
    FWordWrap = FOwnerGrid->WordWrap();
    FOwnerGrid->SetHasCellProps(true);
  }
}

void TCellProperties::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TCellProperties*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FIsBaseCell = S->FIsBaseCell;
  FCellSpanX = S->FCellSpanX;
  FCellSpanY = S->FCellSpanY;
  FOwnerRow = S->FOwnerRow;
  FOwnerCol = S->FOwnerCol;
  FObject = S->FObject;
  FAlignment = S->FAlignment;
  FBorderColor = S->FBorderColor;
  FBorderWidth = S->FBorderWidth;
  FBrushColor = S->FBrushColor;
  FBrushStyle = S->FBrushStyle;
  FFontColor = S->FFontColor;
  FFontStyle = S->FFontStyle;
  FFontName = S->FFontName;
  FFontSize = S->FFontSize;
  FReadOnly = S->FReadOnly;
  FEditor = S->FEditor;
  FVAlignment = S->FVAlignment;
  FWordWrap = S->FWordWrap;
  FNodeLevel = S->FNodeLevel;
  FControl = S->FControl;
}

TPoint TCellProperties::GetBaseCell(Integer ACol, Integer ARow) const {
  if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1) {
    const Integer BaseCol = ACol - FCellSpanX;
    const Integer BaseRow = ARow - FCellSpanY;
    // Offsets that lead before the first row or column (a property object carried to another
    // cell) cannot name a base cell; the cell then stands for itself.
    if (BaseCol >= 0 && BaseRow >= 0) return TPoint(BaseCol, BaseRow);
  }
  return TPoint(ACol, ARow);
}

void TCellProperties::RepaintOwnerCell() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RepaintOwnerCell();
}

// ---------------------------------------------------------------------------------------------
// Construction and published properties
// ---------------------------------------------------------------------------------------------

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner) {
  // The painter draws the grid lines and the whole cell; the library draws neither.
  TStringGrid::SetGridLineWidth(0);
  TStringGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid() {
  // Every property object the cell store holds, also in cells past the current counts (kept there
  // when a count shrank or a column is hidden).
  const TGridCellStore& Store = CellStore();
  for (Integer r = 0; r < Store.StoredRows(); ++r) {
    const TGridCellRow* Row = Store.RowHandle(r);
    if (!Row) continue;
    for (Integer c = 0; c < static_cast<Integer>(Row->Cells.size()); ++c) {
      if (auto* P = dynamic_cast<TCellProperties*>(Row->Cells[static_cast<size_t>(c)].Object)) {
        TStringGrid::SetObjects(c, r, nullptr);
        FreeProps(P);
      }
    }
  }
}

void TBaseGrid::SetActiveRowShow(bool Value) {
  if (FActiveRowShow == Value) return;
  FActiveRowShow = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
  if (FActiveRowColor == Value) return;
  FActiveRowColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowColorTo(TColor Value) {
  if (FActiveRowColorTo == Value) return;
  FActiveRowColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value) {
  if (FActiveRowMirrorColor == Value) return;
  FActiveRowMirrorColor = Value;
  Invalidate();
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) {
  if (FActiveRowMirrorColorTo == Value) return;
  FActiveRowMirrorColorTo = Value;
  Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = GridExtent(Value);
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value) {
  FGridFixedLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) {
  if (FSelectionStyle == Value) return;
  FSelectionStyle = Value;
  Invalidate();
}

void TBaseGrid::SetUndoRedo(TExGridUndoRedo* Value) {
  FUndoRedo = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetGrid(this);
  }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
  TObjStringGrid::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------
// Marked rows
// ---------------------------------------------------------------------------------------------

std::shared_ptr<TGridRowMark> TBaseGrid::MarkRow(Integer ARow) {
  if (ARow < 0 || ARow >= RowCount()) return nullptr;
  return TGridRowMark::Of(CellStoreForUpdate().EnsureRow(ARow));
}

void TBaseGrid::FindMarkedRows(const std::vector<const TGridRowMark*>& Marks, std::vector<Integer>& Rows) const {
  const TGridCellStore& Store = CellStore();
  std::unordered_map<const TGridCellRow*, Integer> Where;
  bool Walked = false;
  for (size_t i = 0; i < Marks.size() && i < Rows.size(); ++i) {
    if (!Marks[i]) continue;
    const TGridCellRow* Row = Marks[i]->Row();
    Integer& R = Rows[i];
    if (!Row) {
      R = -1;
      continue;
    }
    if (R >= 0 && R < RowCount() && Store.RowHandle(R) == Row) continue;
    if (!Walked) {
      for (Integer r = 0; r < RowCount(); ++r)
        if (const TGridCellRow* H = Store.RowHandle(r)) Where.emplace(H, r);
      Walked = true;
    }
    const auto It = Where.find(Row);
    R = It == Where.end() ? -1 : It->second;
  }
}

// ---------------------------------------------------------------------------------------------
// Property objects
// ---------------------------------------------------------------------------------------------

TCellProperties* TBaseGrid::SlotProps(Integer ACol, Integer ARow) const {
  return dynamic_cast<TCellProperties*>(TStringGrid::Objects(ACol, ARow));
}

TCellProperties* TBaseGrid::PropsAt(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0 || ARow >= RowCount()) return nullptr;
  if (ACol >= const_cast<TBaseGrid*>(this)->TotalColCount()) return nullptr;
  return SlotProps(ACol, ARow);
}

bool TBaseGrid::HasCellProperties(Integer ACol, Integer ARow) const { return PropsAt(ACol, ARow) != nullptr; }

TCellProperties* TBaseGrid::CreateCellProps(Integer ACol, Integer ARow) {
  auto* P = new TCellProperties(this, ACol, ARow);
  // Stored before anything else, so the repaints of the setters below find it.
  TStringGrid::SetObjects(ACol, ARow, P);

  TFont CellFont;
  TBrush CellBrush;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = FWordWrap;
  TCellGradientDirection GD = GradientVertical;
  GetCellDefaults(ACol, ARow, &CellFont, &CellBrush, ColorTo, MirrorColor, MirrorColorTo, HA, VA, WW, GD);

  P->SetCalcType(acNONE);
  P->SetAlignment(HA);
  P->SetVAlignment(VA);
  P->SetWordWrap(WW);
  P->SetFontName(CellFont.Name());
  P->SetFontSize(CellFont.Size());
  P->SetFontStyle(CellFont.Style());
  P->SetFontColor(CellFont.Color());
  P->SetBrushColor(CellBrush.Color());
  P->SetBrushColorTo(ColorTo);
  P->SetGradientDirection(GD);
  return P;
}

TCellProperties* TBaseGrid::GetCellProperties(Integer ACol, Integer ARow) {
  if (TCellProperties* P = SlotProps(ACol, ARow)) return P;
  return CreateCellProps(ACol, ARow);
}

void TBaseGrid::FreeProps(TCellProperties* Props, const TObject* KeepGraphic) {
  if (!Props) return;
  TObject* G = Props->GraphicObject();
  if (G && G != KeepGraphic && G->ClassName() == u"TCellGraphic") delete G;
  delete Props;
}

void TBaseGrid::SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value) {
  TCellProperties* Old = SlotProps(ACol, ARow);
  if (Old == Value) return;
  TStringGrid::SetObjects(ACol, ARow, Value);
  FreeProps(Old, Value ? Value->GraphicObject() : nullptr);
}

TObject* TBaseGrid::CellGraphicOf(const TCellProperties* Props) const {
  return Props ? Props->GraphicObject() : nullptr;
}

void TBaseGrid::FreeCellPropsRange(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
  if (!FHasCellProps) return;
  for (Integer c = std::max(FromCol, 0); c <= ToCol; ++c)
    for (Integer r = std::max(FromRow, 0); r <= ToRow; ++r)
      if (TCellProperties* P = SlotProps(c, r)) {
        TStringGrid::SetObjects(c, r, nullptr);
        FreeProps(P);
      }
}

void TBaseGrid::FreeCellProps(Integer ACol, Integer ARow) {
  if (TCellProperties* P = SlotProps(ACol, ARow)) {
    TStringGrid::SetObjects(ACol, ARow, nullptr);
    FreeProps(P);
  }
}

void TBaseGrid::FreeAllCellProps() { FreeCellPropsRange(0, 0, ColCount() - 1, RowCount() - 1); }

void TBaseGrid::ClearColCells(Integer ACol) {
  for (Integer r = 0; r < RowCount(); ++r) {
    TStringGrid::SetObjects(ACol, r, nullptr);
    SetCellEx(ACol, r, String());
  }
}

void TBaseGrid::ClearRowCells(Integer ARow) {
  for (Integer c = 0; c < ColCount(); ++c) {
    TStringGrid::SetObjects(c, ARow, nullptr);
    SetCellEx(c, ARow, String());
  }
}

void TBaseGrid::ClearCellAndObject(Integer ACol, Integer ARow) {
  SetCellEx(ACol, ARow, String());
  TStringGrid::SetObjects(ACol, ARow, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Cell text and objects
// ---------------------------------------------------------------------------------------------

String TBaseGrid::GetCellEx(Integer ACol, Integer ARow) {
  String Scratch;
  return RefText(CellExRef(ACol, ARow, Scratch), Scratch);
}

const String& TBaseGrid::CellExRef(Integer ACol, Integer ARow, String& Scratch) {
  TPoint B(ACol, ARow);
  if (const TCellProperties* P = PropsAt(ACol, ARow)) B = P->GetBaseCell(ACol, ARow);
  const String& Stored = TStringGrid::StoredCellText(B.X, B.Y);
  if (B.Y >= FNormalRowCount || !ChangesDisplText(B.X, B.Y)) return Stored;
  Scratch = Stored;
  DoGetDisplText(B.X, B.Y, Scratch);
  if (OnGetDisplWideText) {
    String Wide = DecodeUnicodeText(Scratch);
    DoGetDisplWideText(B.X, B.Y, Wide);
    Scratch = EncodeUnicodeText(Wide);
  }
  return Scratch;
}

void TBaseGrid::SetCellEx(Integer ACol, Integer ARow, const String& Value) {
  if (const TCellProperties* P = PropsAt(ACol, ARow)) {
    const TPoint B = P->GetBaseCell(ACol, ARow);
    TStringGrid::SetCells(B.X, B.Y, Value);
    CellTextChanged(B.X, B.Y);
    if (Parent()) RepaintCell(ACol, ARow);
  } else {
    TStringGrid::SetCells(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

String TBaseGrid::GetGridCell(Integer ACol, Integer ARow) const { return TStringGrid::Cells(ACol, ARow); }

void TBaseGrid::SetGridCell(Integer ACol, Integer ARow, const String& Value) {
  StoreCellText(ACol, ARow, Value);
}

TObject* TBaseGrid::GetGridObject(Integer ACol, Integer ARow) const { return TStringGrid::Objects(ACol, ARow); }

void TBaseGrid::SetGridObject(Integer ACol, Integer ARow, TObject* Value) {
  TStringGrid::SetObjects(ACol, ARow, Value);
}

TObject* TBaseGrid::GetObjectEx(Integer ACol, Integer ARow) const {
  const TCellProperties* P = SlotProps(ACol, ARow);
  return P ? P->CellObject() : nullptr;
}

void TBaseGrid::SetObjectEx(Integer ACol, Integer ARow, TObject* Value) {
  // An empty cell takes a blank for the moment the property object is made and filled.
  const bool WasEmpty = GetCellEx(ACol, ARow).empty();
  if (WasEmpty) SetCellEx(ACol, ARow, u" ");
  GetCellProperties(ACol, ARow)->SetCellObject(Value);
  if (WasEmpty) SetCellEx(ACol, ARow, String());
}

TObject* TBaseGrid::GetGraphicObjectEx(Integer ACol, Integer ARow) const {
  const TCellProperties* P = SlotProps(ACol, ARow);
  return P ? P->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value) {
  if (HasState(csDestroying)) return;
  const bool WasEmpty = GetCellEx(ACol, ARow).empty();
  if (WasEmpty) SetCellEx(ACol, ARow, u" ");
  GetCellProperties(ACol, ARow)->SetGraphicObject(Value);
  if (WasEmpty) SetCellEx(ACol, ARow, String());
}

void TBaseGrid::RepaintCell(Integer ACol, Integer ARow) {
  if (!HandleAllocated()) return;
  const TRect R = CellRect(ACol, ARow);
  if (!IsRectEmpty(R)) InvalidateClientRect(R);
}

void TBaseGrid::InvalidateCell(Integer ACol, Integer ARow) {
  // Rows that cannot show are passed over at once (a bulk fill writes mostly such rows).
  if (!RedrawOn() || !RowMayShow(ARow) || !HandleAllocated()) return;
  const TRect R = CellRect(DisplColIndex(ACol), ARow);
  if (!IsRectEmpty(R)) InvalidateCellPixels(R);
}

void TBaseGrid::InvalidateClientRect(const TRect& R) {
  // Inside the update lock the last EndUpdate repaints once.
  if (!RedrawOn()) return;
  InvalidateCellPixels(R);
}

void TBaseGrid::InvalidateCellPixels(const TRect& R) {
  // A cell's borders, edges and lines reach one pixel into its neighbours, which the paint of
  // the rectangle then draws again over it as a whole paint does.
  TRect Wide = R;
  InflateRect(Wide, 1, 1);
  TObjStringGrid::InvalidateClientRect(Wide);
}

// ---------------------------------------------------------------------------------------------
// Virtual operations: the stand-alone base grid's answers
// ---------------------------------------------------------------------------------------------

bool TBaseGrid::IsFixed(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return false;
}

Integer TBaseGrid::GetRowIndent(Integer ARow) {
  (void)ARow;
  return 0;
}

bool TBaseGrid::HasNodes() { return false; }

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::DoGetDisplText(Integer ACol, Integer ARow, String& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

bool TBaseGrid::ChangesDisplText(Integer, Integer) { return OnGetDisplText || OnGetDisplWideText; }

void TBaseGrid::DoGetDisplWideText(Integer ACol, Integer ARow, String& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                bool& WW, TCellGradientDirection& GD) {
  (void)ACol;
  (void)ARow;
  AFont->Assign(Font());
  ABrush->SetColor(Color());
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  HA = taLeftJustify;
  VA = vtaTop;
  WW = FWordWrap;
  GD = GradientVertical;
}

void TBaseGrid::CellTextChanged(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
}

bool TBaseGrid::HasCellBorderEvent() { return false; }

bool TBaseGrid::UsesVCLStyles() { return false; }

void TBaseGrid::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                    bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                    TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD) {
  (void)ACol, (void)ARow, (void)AState, (void)Print, (void)Select, (void)Remap, (void)ABrush;
  (void)AColorTo, (void)AMirrorColor, (void)AMirrorColorTo, (void)AFont, (void)HA, (void)VA, (void)WW, (void)GD;
}

Integer TBaseGrid::DisplColIndex(Integer ACol) { return ACol; }

Integer TBaseGrid::TotalColCount() { return ColCount(); }

// ---------------------------------------------------------------------------------------------
// Merged cells
// ---------------------------------------------------------------------------------------------

void TBaseGrid::MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY) {
  // Cells outside the grid are refused before any cell changes: stored there, the area would come
  // back when the grid grows.
  if (SpanX >= 1 && SpanY >= 1 &&
      (ACol < 0 || ARow < 0 || static_cast<Int64>(ACol) + SpanX > TotalColCount() ||
       static_cast<Int64>(ARow) + SpanY > RowCount()))
    throw EInvalidGridOperation(u"Grid index out of range");
  ++FMergeCount;
  for (Integer i = ACol; i < ACol + SpanX; ++i)
    for (Integer j = ARow; j < ARow + SpanY; ++j) {
      TCellProperties* P = GetCellProperties(i, j);
      if (i == ACol && j == ARow) {
        P->SetIsBaseCell(true);
        P->SetCellSpanX(SpanX - 1);
        P->SetCellSpanY(SpanY - 1);
      } else {
        P->SetIsBaseCell(false);
        P->SetCellSpanX(i - ACol);
        P->SetCellSpanY(j - ARow);
      }
    }
  for (Integer i = ACol; i < ACol + SpanX; ++i)
    for (Integer j = ARow; j < ARow + SpanY; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(Integer ACol, Integer ARow) {
  const TPoint B = GetCellProperties(ACol, ARow)->GetBaseCell(ACol, ARow);
  const TCellProperties* BP = GetCellProperties(B.X, B.Y);
  const Integer SX = BP->CellSpanX(), SY = BP->CellSpanY();
  for (Integer c = B.X; c <= B.X + SX; ++c)
    for (Integer r = B.Y; r <= B.Y + SY; ++r) {
      TCellProperties* P = GetCellProperties(c, r);
      P->SetIsBaseCell(true);
      P->SetCellSpanX(-1);
      P->SetCellSpanY(-1);
    }
  for (Integer c = B.X; c <= B.X + SX; ++c)
    for (Integer r = B.Y; r <= B.Y + SY; ++r) RepaintCell(c, r);
  --FMergeCount;
}

namespace {

// A merged area in one axis's terms: Along is the axis rows or columns are removed from or
// inserted into (rows when they are), Across the other one. First and Last are both inside.
struct TMergedArea {
  Integer AlongFirst, AlongLast, AcrossFirst, AcrossLast;
};

}  // namespace

// The cell at (along, across) of an axis as (column, row).
static TPoint AxisCell(bool Rows, Integer Along, Integer Across) {
  return Rows ? TPoint(Across, Along) : TPoint(Along, Across);
}

// The merged areas with a cell in rows (columns) From … To - 1, each once, whole and inside the
// grid; cells whose offsets lead to no such area are passed over. Props(column, row) gives a cell's
// properties, nullptr where it has none.
template <class TProps>
static std::vector<TMergedArea> AreasMeeting(TBaseGrid* G, bool Rows, Integer From, Integer To, TProps Props) {
  const Integer Cols = G->TotalColCount(), RowsN = G->RowCount();
  const Integer Across = Rows ? Cols : RowsN;
  std::vector<TMergedArea> Areas;
  std::set<std::pair<Integer, Integer>> Bases;
  for (Integer a = From; a < To; ++a)
    for (Integer b = 0; b < Across; ++b) {
      const TPoint C = AxisCell(Rows, a, b);
      const TCellProperties* P = Props(C.X, C.Y);
      if (!P || P->CellSpanX() < 0 || P->CellSpanY() < 0) continue;
      const TPoint B = P->IsBaseCell() ? C : P->GetBaseCell(C.X, C.Y);
      const TCellProperties* BP = Props(B.X, B.Y);
      if (!BP || !BP->IsBaseCell() || BP->CellSpanX() < 0 || BP->CellSpanY() < 0) continue;
      if (BP->CellSpanX() == 0 && BP->CellSpanY() == 0) continue;
      const Int64 LastCol = Int64(B.X) + BP->CellSpanX(), LastRow = Int64(B.Y) + BP->CellSpanY();
      if (LastCol >= Cols || LastRow >= RowsN || C.X > LastCol || C.Y > LastRow) continue;
      if (!Bases.insert({B.X, B.Y}).second) continue;
      if (Rows)
        Areas.push_back({B.Y, static_cast<Integer>(LastRow), B.X, static_cast<Integer>(LastCol)});
      else
        Areas.push_back({B.X, static_cast<Integer>(LastCol), B.Y, static_cast<Integer>(LastRow)});
    }
  return Areas;
}

// Sets a cell's place in its area: the base cell with its spans, any other with its offsets.
static void PlaceInArea(TBaseGrid* G, bool Rows, Integer a, Integer b, bool Base, Integer AlongValue,
                        Integer AcrossValue) {
  const TPoint C = AxisCell(Rows, a, b);
  TCellProperties* P = G->GetCellProperties(C.X, C.Y);
  P->SetIsBaseCell(Base);
  P->SetCellSpanX(Rows ? AcrossValue : AlongValue);
  P->SetCellSpanY(Rows ? AlongValue : AcrossValue);
}

void TBaseGrid::KeepMergesBeforeRemove(bool Rows, Integer First, Integer Count) {
  const Integer Along = Rows ? RowCount() : TotalColCount();
  if (!FHasCellProps || Count <= 0 || First < 0 || First >= Along) return;
  const Integer End = First + std::min(Count, Along - First);
  auto Props = [this](Integer C, Integer R) { return PropsAt(C, R); };
  auto Place = [&](Integer a, Integer b, bool Base, Integer AlongValue, Integer AcrossValue) {
    PlaceInArea(this, Rows, a, b, Base, AlongValue, AcrossValue);
  };
  for (const TMergedArea& A : AreasMeeting(this, Rows, First, End, Props)) {
    if (A.AlongFirst >= First && A.AlongLast < End) continue;  // goes with its cells
    const Integer Gone = std::min(A.AlongLast, End - 1) - std::max(A.AlongFirst, First) + 1;
    // The part of the area that stays after the removed rows (columns) and its first index: the
    // base keeps its place when it stays, else the first index left takes it.
    const Integer NewBase = A.AlongFirst < First ? A.AlongFirst : End;
    if (NewBase != A.AlongFirst) {
      // The base cell's text and property object move to the new base; the cell they leave goes
      // with the removed ones.
      const TPoint Old = AxisCell(Rows, A.AlongFirst, A.AcrossFirst);
      const TPoint New = AxisCell(Rows, NewBase, A.AcrossFirst);
      const String Text = GetGridCell(Old.X, Old.Y);
      TObject* Obj = TStringGrid::Objects(Old.X, Old.Y);
      SetGridCell(Old.X, Old.Y, GetGridCell(New.X, New.Y));
      TStringGrid::SetObjects(Old.X, Old.Y, TStringGrid::Objects(New.X, New.Y));
      SetGridCell(New.X, New.Y, Text);
      TStringGrid::SetObjects(New.X, New.Y, Obj);
    }
    const Integer AlongSpan = A.AlongLast - A.AlongFirst - Gone;
    const Integer AcrossSpan = A.AcrossLast - A.AcrossFirst;
    const bool Single = AlongSpan == 0 && AcrossSpan == 0;
    // Offsets along the axis, counted in the indexes that stay (the removed ones closed up).
    auto Stays = [&](Integer a) { return a < First || a >= End; };
    auto AlongOffset = [&](Integer a) { return a - NewBase - (a >= End && NewBase < First ? Gone : 0); };
    for (Integer a = NewBase; a <= A.AlongLast; ++a) {
      if (!Stays(a)) continue;
      for (Integer b = A.AcrossFirst; b <= A.AcrossLast; ++b) {
        if (Single)
          Place(a, b, true, -1, -1);
        else if (a == NewBase && b == A.AcrossFirst)
          Place(a, b, true, AlongSpan, AcrossSpan);
        else
          Place(a, b, false, AlongOffset(a), b - A.AcrossFirst);
      }
    }
  }
}

void TBaseGrid::KeepMergesAfterInsert(bool Rows, Integer First, Integer Count) {
  const Integer Along = Rows ? RowCount() : TotalColCount();
  if (!FHasCellProps || Count <= 0 || First <= 0 || First + Count >= Along) return;
  auto Props = [this](Integer C, Integer R) { return PropsAt(C, R); };
  // The areas cut in two meet the row (column) before the inserted ones, their base at or before it;
  // their part after the cut now lies Count further on, where its cells still hold their old offsets.
  for (const TMergedArea& A : AreasMeeting(this, Rows, First - 1, First, Props)) {
    if (A.AlongLast < First) continue;  // ends before the inserted ones
    const Integer AlongSpan = A.AlongLast - A.AlongFirst + Count;
    if (A.AlongFirst + AlongSpan >= Along) continue;
    for (Integer a = A.AlongFirst; a <= A.AlongFirst + AlongSpan; ++a)
      for (Integer b = A.AcrossFirst; b <= A.AcrossLast; ++b) {
        const bool Base = a == A.AlongFirst && b == A.AcrossFirst;
        PlaceInArea(this, Rows, a, b, Base, Base ? AlongSpan : a - A.AlongFirst,
                    Base ? A.AcrossLast - A.AcrossFirst : b - A.AcrossFirst);
      }
  }
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) const {
  if (const TCellProperties* P = PropsAt(ACol, ARow)) return P->GetBaseCell(ACol, ARow);
  return TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  return !P || P->IsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const {
  BaseCol = ACol;
  BaseRow = ARow;
  const TCellProperties* P = PropsAt(ACol, ARow);
  if (!P || P->IsBaseCell()) return true;
  const TPoint B = P->GetBaseCell(ACol, ARow);
  BaseCol = B.X;
  BaseRow = B.Y;
  return false;
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  return P && (P->CellSpanX() > 0 || P->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  return P && (P->CellSpanX() > 0 || P->CellSpanY() > 0) && !P->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  const TPoint B = BaseCell(ACol, ARow);
  const TCellProperties* BP = PropsAt(B.X, B.Y);
  return BP && BP->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  const TPoint B = BaseCell(ACol, ARow);
  const TCellProperties* BP = PropsAt(B.X, B.Y);
  return BP && BP->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  if (!P || P->CellSpanX() == -1 || P->CellSpanY() == -1) return TPoint(0, 0);
  const TPoint B = P->GetBaseCell(ACol, ARow);
  const TCellProperties* BP = PropsAt(B.X, B.Y);
  if (!BP) return TPoint(0, 0);
  return TPoint(BP->CellSpanX(), BP->CellSpanY());
}

TPoint TBaseGrid::CellExt(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  if (!P || P->CellSpanX() == -1 || P->CellSpanY() == -1) return TPoint(0, 0);
  const TPoint B = P->GetBaseCell(ACol, ARow);
  const TCellProperties* BP = PropsAt(B.X, B.Y);
  if (!BP) return TPoint(0, 0);
  return TPoint(B.X + BP->CellSpanX() - ACol, B.Y + BP->CellSpanY() - ARow);
}

TRect TBaseGrid::FullCell(Integer ACol, Integer ARow) const {
  const TPoint B = BaseCell(ACol, ARow);
  const TPoint S = CellSpan(ACol, ARow);
  return TRect(B.X, B.Y, B.X + S.X, B.Y + S.Y);
}

Integer TBaseGrid::MinRowSpan(Integer ARow) const {
  Integer Result = RowCount();
  for (Integer c = 0; c < ColCount(); ++c) {
    const Integer Y = CellSpan(c, ARow).Y;
    if (Y > 0 && Y < Result) Result = Y;
  }
  return Result;
}

Integer TBaseGrid::MaxRowSpan(Integer ARow) const {
  Integer Result = 0;
  for (Integer c = 0; c < ColCount(); ++c) Result = std::max(Result, CellSpan(c, ARow).Y);
  return Result;
}

bool TBaseGrid::RowSpanIdentical(Integer ARow1, Integer ARow2) const {
  bool Found = false;
  for (Integer c = 0; c < ColCount(); ++c) {
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      Found = true;
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
    }
  }
  return Found;
}

bool TBaseGrid::ColSpanIdentical(Integer ACol1, Integer ACol2) const {
  bool Found = false;
  for (Integer r = 0; r < RowCount(); ++r) {
    const Integer X1 = CellSpan(ACol1, r).X, X2 = CellSpan(ACol2, r).X;
    if (X1 > 0 && X2 > 0) {
      Found = true;
      if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
    } else if (X1 != X2) {
      return false;
    }
  }
  return Found;
}

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

Integer TBaseGrid::FixedColsWidth() const {
  Integer W = 0;
  for (Integer c = 0; c < FixedCols(); ++c) W += ColWidths(c);
  return W;
}

Integer TBaseGrid::FixedRowsHeight() const {
  Integer H = 0;
  for (Integer r = 0; r < FixedRows(); ++r) H += RowHeights(r);
  return H;
}

namespace {

// A cell this far from the view, or farther, is laid out at this distance: no drawing reaches it,
// and the sums made with its rectangle stay inside the integer range.
constexpr Int64 FarFromView = Int64(1) << 29;

Integer NearView(Int64 V) { return static_cast<Integer>(std::clamp(V, -FarFromView, FarFromView)); }

// The distance of index I from where the fixed indexes start (I below Fixed) or from the first
// scrolled index in view, First (any other I, before or after First), summing the sizes between.
template <class TSize>
Int64 AxisOffset(Integer I, Integer Fixed, Integer First, TSize Size) {
  Int64 P = 0;
  if (I < Fixed)
    for (Integer k = 0; k < I; ++k) P += Size(k);
  else if (I >= First)
    for (Integer k = First; k < I; ++k) P += Size(k);
  else
    for (Integer k = I; k < First; ++k) P -= Size(k);
  return P;
}

}  // namespace

TRect TBaseGrid::RawCellRect(Integer ACol, Integer ARow) const {
  // Scrolled columns and rows lie before LeftCol / TopRow; the first of those in view starts where
  // the library's cell rectangle of (LeftCol, TopRow) starts.
  const Int64 X = AxisOffset(ACol, FixedCols(), LeftCol(), [this](Integer c) { return ColWidths(c); });
  const Int64 Y = AxisOffset(ARow, FixedRows(), TopRow(), [this](Integer r) { return RowHeights(r); });
  const TRect TopLeft = TCustomGrid::CellRect(LeftCol(), TopRow());
  const Int64 L = X + (ACol < FixedCols() ? 0 : TopLeft.Left);
  const Int64 T = Y + (ARow < FixedRows() ? 0 : TopLeft.Top);
  return TRect(NearView(L), NearView(T), NearView(L + ColWidths(ACol)), NearView(T + RowHeights(ARow)));
}

TRect TBaseGrid::CellRect(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  if (P && (P->CellSpanX() != -1 || P->CellSpanY() != -1)) {
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TCellProperties* BP = PropsAt(B.X, B.Y);
    const Integer SX = BP ? std::max(BP->CellSpanX(), 0) : 0;
    const Integer SY = BP ? std::max(BP->CellSpanY(), 0) : 0;
    TRect R1 = RawCellRect(B.X, B.Y);
    if (R1.Right == R1.Left) ++R1.Right;
    TRect R2 = RawCellRect(B.X + SX, B.Y + SY);
    if (R2.Right == R2.Left) --R2.Left;
    // Zero-width (hidden) columns at the edges count in the union, so no rectangle is dropped.
    return TRect(std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
                 std::max(R1.Bottom, R2.Bottom));
  }
  if (P && P->Control()) return RawCellRect(ACol, ARow);
  const TRect L = TCustomGrid::CellRect(ACol, ARow);
  // A cell out of view has no rectangle on the screen.
  if (L.Left == 0 && L.Top == 0 && L.Right == 0 && L.Bottom == 0) return L;
  return TRect(L.Left, L.Top, L.Left + ColWidths(ACol), L.Top + RowHeights(ARow));
}

TPoint TBaseGrid::CellSize(Integer ACol, Integer ARow) const {
  const TCellProperties* P = PropsAt(ACol, ARow);
  TRect R;
  if (P && (P->CellSpanX() != -1 || P->CellSpanY() != -1)) {
    const TPoint B = P->GetBaseCell(ACol, ARow);
    const TCellProperties* BP = PropsAt(B.X, B.Y);
    const Integer SX = BP ? std::max(BP->CellSpanX(), 0) : 0;
    const Integer SY = BP ? std::max(BP->CellSpanY(), 0) : 0;
    const TRect R1 = RawCellRect(B.X, B.Y);
    const TRect R2 = RawCellRect(B.X + SX, B.Y + SY);
    R = TRect(std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
              std::max(R1.Bottom, R2.Bottom));
  } else {
    R = RawCellRect(ACol, ARow);
  }
  return TPoint(R.Right - R.Left, R.Bottom - R.Top);
}

// ---------------------------------------------------------------------------------------------
// Navigation over merged areas
// ---------------------------------------------------------------------------------------------

void TBaseGrid::MoveToBaseCell() {
  if (!HasCellProperties(Col(), Row())) return;
  const TPoint B = BaseCell(Col(), Row());
  if (B.X != Col()) SetCol(B.X);
  if (B.Y != Row()) SetRow(B.Y);
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
  const Word PressedKey = Key;
  if (Key == VK_NEXT && VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow &&
      RowCount() > 1)
    SetRow(RowCount() - 2);

  if (HasCellProperties(Col(), Row())) {
    const TPoint B = BaseCell(Col(), Row());
    const TCellProperties* BP = PropsAt(B.X, B.Y);
    const Integer SX = BP ? BP->CellSpanX() : -1, SY = BP ? BP->CellSpanY() : -1;
    // A move from inside a merged area first puts the current cell on the area's edge in that
    // direction, so the library's step leaves the area.
    switch (Key) {
      case VK_LEFT:
        if (B.X < Col() && Col() > FixedCols() && B.X > 0) SetCol(B.X);
        break;
      case VK_UP:
        if (B.Y < Row() && Row() > FixedRows() && B.Y > 0) SetRow(B.Y);
        break;
      case VK_RIGHT: {
        const Integer E = B.X + SX;
        if (E >= Col() && Col() < ColCount() - 1 && B.X < ColCount() - 1 && E < ColCount()) SetCol(E);
        break;
      }
      case VK_DOWN: {
        const Integer E = B.Y + SY;
        if (E >= Row() && Row() < RowCount() - 1 && B.Y < RowCount() - 1 && E < RowCount()) SetRow(E);
        break;
      }
      default:
        break;
    }
  }

  TObjStringGrid::KeyDown(Key, Shift);

  // The hidden last row stays out of reach of Page Down.
  if (PressedKey == VK_NEXT && FHideLastRow && Row() == RowCount() - 1 && RowCount() - 2 >= FixedRows())
    SetRow(RowCount() - 2);
  MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool Result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
  // The hidden last row stays out of reach of the wheel.
  if (FHideLastRow && Row() == RowCount() - 1 && RowCount() - 2 >= FixedRows()) SetRow(RowCount() - 2);
  MoveToBaseCell();
  return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool Result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  MoveToBaseCell();
  return Result;
}

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow) {
  RepaintCell(Col(), Row());
  const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return Result;
}

void TBaseGrid::TopLeftChanged() {
  TObjStringGrid::TopLeftChanged();
  RepaintMergedFixedCols();
  RepaintMergedFixedRows();
}

void TBaseGrid::RepaintMergedFixedCols() {
  if (FixedCols() == 0) return;
  const Integer Last = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
  for (Integer c = 0; c < FixedCols(); ++c)
    for (Integer r = TopRow(); r <= Last; ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows() {
  if (FixedRows() == 0) return;
  const Integer Last = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
  for (Integer r = 0; r < FixedRows(); ++r)
    for (Integer c = LeftCol(); c <= Last; ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}
