// TCustomGrid: dimensions, geometry, the current cell and the selection, scrolling and the window
// scroll bars, message dispatch.
#include "platform/grids/Grids.h"

#include <algorithm>

#include "platform/grids/GridsInternal.h"
#include "platform/gui/ControlsBackend.h"

namespace {

const String kIndexOutOfRange = u"Grid index out of range";
constexpr Integer kBarSize = 17;

[[noreturn]] void IndexError() { throw EInvalidGridOperation(kIndexOutOfRange); }

}  // namespace

// --- Construction ----------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // The grid paints every pixel itself and raises its own click and double-click events.
  FControlStyle = (FControlStyle | csOpaque | csCaptureMouse | csDoubleClicks) & ~static_cast<uint32_t>(csClickEvents);
  FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  FFixedColor = clBtnFace;
  FColor = clWindow;
  FTabStop = true;
  FBorderStyle = bsSingle;
  FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
  FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
  if (FImpl) FImpl->SetColor(FColor);
  for (TScrollBar** bar : {&FVertBar, &FHorzBar}) {
    *bar = new TScrollBar(this);
    (*bar)->SetVisible(false);
    (*bar)->SetTabStop(false);
  }
  FVertBar->SetKind(sbVertical);
  FVertBar->SetParent(this);
  FHorzBar->SetParent(this);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  if (HandleAllocated()) KillTimer(Handle(), 1);
}

void TCustomGrid::Loaded() {
  TCustomControl::Loaded();
  UpdateScrollRange();
}

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FInplaceEdit) {
    FInplaceEdit = nullptr;
    FInplaceCell = {-1, -1};
    FEditorMode = false;
  }
  if (AComponent == FVertBar) FVertBar = nullptr;
  if (AComponent == FHorzBar) FHorzBar = nullptr;
}

// --- Layout ----------------------------------------------------------------------------------------

TCustomGrid::TAxis TCustomGrid::ColAxis(Integer Extent) const {
  TAxis a;
  a.Sizes = &FColWidths;
  a.Default = FDefaultColWidth;
  a.Count = FColCount;
  a.Fixed = FFixedCols;
  a.First = FTopLeft.X;
  a.Extent = Extent >= 0 ? Extent : ClientWidth();
  a.LineFixed = FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
  a.LineNormal = FOptions.Contains(goVertLine) ? FGridLineWidth : 0;
  return a;
}

TCustomGrid::TAxis TCustomGrid::RowAxis(Integer Extent) const {
  TAxis a;
  a.Sizes = &FRowHeights;
  a.Default = FDefaultRowHeight;
  a.Count = FRowCount;
  a.Fixed = FFixedRows;
  a.First = FTopLeft.Y;
  a.Extent = Extent >= 0 ? Extent : ClientHeight();
  a.LineFixed = FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
  a.LineNormal = FOptions.Contains(goHorzLine) ? FGridLineWidth : 0;
  return a;
}

TRect TCustomGrid::ClientRect() const {
  Integer w = FWidth, h = FHeight;
  if (FVertBar && FVertBar->Visible()) w -= kBarSize;
  if (FHorzBar && FHorzBar->Visible()) h -= kBarSize;
  return Rect(0, 0, std::max<Integer>(0, w), std::max<Integer>(0, h));
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const {
  const TAxis ca = ColAxis(), ra = RowAxis();
  const Integer x = ca.StartOf(ACol), y = ra.StartOf(ARow);
  if (x == TAxis::NotLaidOut || y == TAxis::NotLaidOut || x >= ca.Extent || y >= ra.Extent) return TRect();
  return Rect(x, y, x + ca.Size(ACol), y + ra.Size(ARow));
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const {
  ACol = ColAxis().IndexAt(X);
  ARow = RowAxis().IndexAt(Y);
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const {
  TGridCoord c;
  MouseToCell(X, Y, c.X, c.Y);
  return c;
}

Integer TCustomGrid::VisibleColCount() const { return ColAxis().VisibleCount(); }
Integer TCustomGrid::VisibleRowCount() const { return RowAxis().VisibleCount(); }
Integer TCustomGrid::MaxLeftCol() const { return ColAxis().MaxFirst(); }
Integer TCustomGrid::MaxTopRow() const { return RowAxis().MaxFirst(); }

// --- Dimensions ------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(Integer Value) {
  if (Value < 0) IndexError();
  if (Value == 0) Value = 1;
  if (Value == FColCount) return;
  const Integer oldCols = FColCount, oldRows = FRowCount;
  // The widths are made first: when that fails (no memory for them), the grid keeps its old count
  // over its old widths.
  FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
  if (Value <= FFixedCols) FFixedCols = Value - 1;
  FColCount = Value;
  SetCountsAfterChange(oldCols, oldRows);
}

void TCustomGrid::SetRowCount(Integer Value) {
  if (Value < 0) IndexError();
  if (Value == 0) Value = 1;
  if (Value == FRowCount) return;
  const Integer oldCols = FColCount, oldRows = FRowCount;
  Integer Gone = 0;
  for (size_t r = static_cast<size_t>(Value); r < FRowHeights.size(); ++r)
    if (FRowHeights[r] != FDefaultRowHeight) ++Gone;
  // The heights are made first: when that fails (no memory for them), the grid keeps its old count
  // over its old heights.
  FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
  FOwnRowHeights -= Gone;
  if (Value <= FFixedRows) FFixedRows = Value - 1;
  FRowCount = Value;
  SetCountsAfterChange(oldCols, oldRows);
}

void TCustomGrid::SetCountsAfterChange(Integer OldColCount, Integer OldRowCount) {
  // An editor whose cell left the grid closes; its text stays in that cell.
  if (FInplaceCell.X >= FColCount || FInplaceCell.Y >= FRowCount) HideEditor();
  ClampCurrentIntoGrid();
  FTopLeft.X = std::max(FTopLeft.X, FFixedCols);
  FTopLeft.Y = std::max(FTopLeft.Y, FFixedRows);
  UpdateScrollRange();
  ClampTopLeft();
  PlaceEditor();
  Invalidate();
  SizeChanged(OldColCount, OldRowCount);
}

void TCustomGrid::ClampCurrentIntoGrid() {
  for (TGridCoord* c : {&FCurrent, &FAnchor}) {
    c->X = std::clamp(c->X, 0, FColCount - 1);
    c->Y = std::clamp(c->Y, 0, FRowCount - 1);
  }
}

void TCustomGrid::ClampTopLeft() {
  const Integer left = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
  const Integer top = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopRow()));
  MoveTopLeft(left, top);
}

void TCustomGrid::SetFixedCols(Integer Value) {
  if (Value < 0) IndexError();
  if (Value >= FColCount) throw EInvalidGridOperation(u"Fixed column count must be less than column count");
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  if (FInplaceCell.X >= 0 && FInplaceCell.X < Value) HideEditor();
  FCurrent.X = std::max(FCurrent.X, Value);
  FAnchor.X = std::max(FAnchor.X, Value);
  FTopLeft.X = Value;
  UpdateScrollRange();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetFixedRows(Integer Value) {
  if (Value < 0) IndexError();
  if (Value >= FRowCount) throw EInvalidGridOperation(u"Fixed row count must be less than row count");
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  if (FInplaceCell.Y >= 0 && FInplaceCell.Y < Value) HideEditor();
  FCurrent.Y = std::max(FCurrent.Y, Value);
  FAnchor.Y = std::max(FAnchor.Y, Value);
  FTopLeft.Y = Value;
  UpdateScrollRange();
  PlaceEditor();
  Invalidate();
}

Integer TCustomGrid::ColWidths(Integer Index) const {
  if (Index < 0 || Index >= FColCount) return FDefaultColWidth;
  return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
  if (Index < 0 || Index >= FColCount) return;
  Value = GridExtent(Value);
  if (FColWidths[static_cast<size_t>(Index)] == Value) return;
  FColWidths[static_cast<size_t>(Index)] = Value;
  ColWidthsChanged();
}

Integer TCustomGrid::RowHeights(Integer Index) const {
  if (Index < 0 || Index >= FRowCount) return FDefaultRowHeight;
  return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
  if (Index < 0 || Index >= FRowCount) return;
  Value = GridExtent(Value);
  Integer& H = FRowHeights[static_cast<size_t>(Index)];
  if (H == Value) return;
  FOwnRowHeights += (Value != FDefaultRowHeight) - (H != FDefaultRowHeight);
  H = Value;
  RowHeightsChanged();
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
  FDefaultColWidth = GridExtent(Value);
  FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
  FDefaultRowHeight = GridExtent(Value);
  FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
  FOwnRowHeights = 0;
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
  Value = GridExtent(Value);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  UpdateScrollRange();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  const TGridOptions old = FOptions;
  FOptions = Value;
  if (!Value.Contains(goEditing) || Value.Contains(goRowSelect)) HideEditor();
  UpdateScrollRange();
  PlaceEditor();
  // An editor that is always shown is in editor mode from the start.
  if (Value.Contains(goEditing) && Value.Contains(goAlwaysShowEditor) && !old.Contains(goAlwaysShowEditor))
    ShowEditor();
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollRange();
  ClampTopLeft();
}

// --- Current cell and selection --------------------------------------------------------------------

TGridRect TCustomGrid::Selection() const {
  TGridRect r;
  r.Left = std::min(FAnchor.X, FCurrent.X);
  r.Right = std::max(FAnchor.X, FCurrent.X);
  r.Top = std::min(FAnchor.Y, FCurrent.Y);
  r.Bottom = std::max(FAnchor.Y, FCurrent.Y);
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  FAnchor = Value.TopLeft();
  FCurrent = Value.BottomRight();
  Invalidate();
}

void TCustomGrid::SetCol(Integer Value) {
  if (Value < 0 || Value >= FColCount) IndexError();
  if (Value == FCurrent.X) return;
  FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(Integer Value) {
  if (Value < 0 || Value >= FRowCount) IndexError();
  if (Value == FCurrent.Y) return;
  FocusCell(FCurrent.X, Value, true);
}

bool TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) IndexError();
  if (!SelectCell(ACol, ARow)) return false;
  const bool changed = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (changed && !FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  if (Show) ScrollInView(ACol, ARow);
  Invalidate();
  return true;
}

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
  MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) {
  if (!MoveCurrent(ACol, ARow, MoveAnchor, true)) return;
  UpdateEdit();
  Click();
}

bool TCustomGrid::SelectCell(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return true;
}

// --- Scrolling -------------------------------------------------------------------------------------

void TCustomGrid::SetLeftCol(Integer Value) {
  if (Value < FFixedCols || Value >= FColCount) return;
  MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value) {
  if (Value < FFixedRows || Value >= FRowCount) return;
  MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  UpdateScrollPos();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::ScrollInView(Integer ACol, Integer ARow) {
  Integer left = FTopLeft.X, top = FTopLeft.Y;
  if (ACol >= FFixedCols && ACol < FColCount) left = ColAxis().FirstShowing(ACol);
  if (ARow >= FFixedRows && ARow < FRowCount) top = RowAxis().FirstShowing(ARow);
  MoveTopLeft(left, top);
}

// --- Scroll bars -----------------------------------------------------------------------------------

TScrollBar* TCustomGrid::BarOf(Integer Bar) const {
  if (Bar == SB_VERT) return FVertBar;
  if (Bar == SB_HORZ) return FHorzBar;
  return nullptr;
}

void TCustomGrid::LayoutScrollBars() {
  if (!FVertBar || !FHorzBar) return;
  const bool v = FVertBar->Visible(), h = FHorzBar->Visible();
  if (v) FVertBar->SetBounds(FWidth - kBarSize, 0, kBarSize, std::max<Integer>(0, FHeight - (h ? kBarSize : 0)));
  if (h) FHorzBar->SetBounds(0, FHeight - kBarSize, std::max<Integer>(0, FWidth - (v ? kBarSize : 0)), kBarSize);
}

void TCustomGrid::UpdateScrollRange() {
  if (!FVertBar || !FHorzBar || HasState(csLoading)) return;
  const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
  const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  // One bar takes room from the other axis, which may then need its bar too.
  bool v = false, h = false;
  for (int pass = 0; pass < 3; ++pass) {
    const Integer w = std::max<Integer>(0, FWidth - (v ? kBarSize : 0));
    const Integer hh = std::max<Integer>(0, FHeight - (h ? kBarSize : 0));
    const bool needH = wantH && ColAxis(w).MaxFirst() > FFixedCols;
    const bool needV = wantV && RowAxis(hh).MaxFirst() > FFixedRows;
    if (needH == h && needV == v) break;
    h = needH;
    v = needV;
  }
  const bool changed = v != FVertBar->Visible() || h != FHorzBar->Visible();
  FVertBar->SetVisible(v);
  FHorzBar->SetVisible(h);
  FVertBar->SetEnabled(true);
  FHorzBar->SetEnabled(true);
  FVertBar->SetPageSize(0);
  FHorzBar->SetPageSize(0);
  FVertBar->SetParams(FVertBar->Position(), 0, 127);
  FHorzBar->SetParams(FHorzBar->Position(), 0, 127);
  LayoutScrollBars();
  UpdateScrollPos();
  if (changed) {
    Realign();
    Invalidate();
  }
}

void TCustomGrid::UpdateScrollPos() {
  if (!FVertBar || !FHorzBar) return;
  auto pos = [](Integer first, Integer fixed, Integer max) {
    if (max <= fixed) return 0;
    if (first >= max) return 127;
    return MulDiv(first - fixed, 127, max - fixed);
  };
  FVertBar->SetPosition(pos(FTopLeft.Y, FFixedRows, MaxTopRow()));
  FHorzBar->SetPosition(pos(FTopLeft.X, FFixedCols, MaxLeftCol()));
}

void TCustomGrid::ScrollBarMessage(TMessage& M, bool Vertical) {
  TWMScroll s{M};
  const Integer fixed = Vertical ? FFixedRows : FFixedCols;
  const Integer first = Vertical ? FTopLeft.Y : FTopLeft.X;
  const Integer max = std::max(fixed, Vertical ? MaxTopRow() : MaxLeftCol());
  const Integer page = std::max<Integer>(1, Vertical ? VisibleRowCount() : VisibleColCount());
  auto fromThumb = [&](Integer p) { return MulDiv(std::clamp<Integer>(p, 0, 127), max - fixed, 127) + fixed; };
  Integer target = first;
  switch (s.ScrollCode()) {
    case SB_LINEUP: target = first - 1; break;
    case SB_LINEDOWN: target = first + 1; break;
    case SB_PAGEUP: target = first - page; break;
    case SB_PAGEDOWN: target = first + page; break;
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = max; break;
    case SB_THUMBPOSITION: target = fromThumb(s.Pos()); break;
    case SB_THUMBTRACK:
      FTrackPos[Vertical ? 1 : 0] = s.Pos();
      if (TScrollBar* bar = Vertical ? FVertBar : FHorzBar) bar->SetPosition(s.Pos());
      if (!FOptions.Contains(goThumbTracking)) return;
      target = fromThumb(s.Pos());
      break;
    default: return;
  }
  // A grid scrolled past its maximum in code keeps that position until scrolled back.
  target = std::clamp(target, fixed, std::max(max, first));
  if (Vertical)
    MoveTopLeft(FTopLeft.X, target);
  else
    MoveTopLeft(target, FTopLeft.Y);
  UpdateScrollPos();
}

void TCustomGrid::WMVScroll(TMessage& M) {
  if (M.LParam != 0) {
    TCustomControl::WMVScroll(M);
    return;
  }
  ScrollBarMessage(M, true);
}

void TCustomGrid::WMHScroll(TMessage& M) {
  if (M.LParam != 0) {
    TCustomControl::WMHScroll(M);
    return;
  }
  ScrollBarMessage(M, false);
}

bool TCustomGrid::GetScrollBarInfo(Integer Bar, TScrollInfo& Info) const {
  TScrollBar* b = BarOf(Bar);
  if (!b) return false;
  Info.nMin = b->Min();
  Info.nMax = b->Max();
  Info.nPage = static_cast<UINT>(b->PageSize());
  Info.nPos = b->Position();
  Info.nTrackPos = FTrackPos[Bar == SB_VERT ? 1 : 0];
  return true;
}

Integer TCustomGrid::SetScrollBarInfo(Integer Bar, const TScrollInfo& Info, bool Redraw) {
  (void)Redraw;  // the bar repaints itself
  TScrollBar* b = BarOf(Bar);
  if (!b) return 0;
  if (Info.fMask & SIF_RANGE) b->SetParams(b->Position(), Info.nMin, Info.nMax);
  if (Info.fMask & SIF_PAGE) b->SetPageSize(static_cast<Integer>(Info.nPage));
  if (Info.fMask & SIF_POS) b->SetPosition(Info.nPos);
  return b->Position();
}

bool TCustomGrid::ShowScrollBarOf(Integer Bar, bool Show) {
  if ((Bar != SB_VERT && Bar != SB_HORZ && Bar != SB_BOTH) || !FVertBar || !FHorzBar) return false;
  if (Bar == SB_VERT || Bar == SB_BOTH) FVertBar->SetVisible(Show);
  if (Bar == SB_HORZ || Bar == SB_BOTH) FHorzBar->SetVisible(Show);
  LayoutScrollBars();
  Realign();
  PlaceEditor();
  Invalidate();
  return true;
}

bool TCustomGrid::EnableScrollBarOf(Integer Bar, UINT Arrows) {
  if ((Bar != SB_VERT && Bar != SB_HORZ && Bar != SB_BOTH) || !FVertBar || !FHorzBar) return false;
  const bool enable = Arrows != ESB_DISABLE_BOTH;
  if (Bar == SB_VERT || Bar == SB_BOTH) FVertBar->SetEnabled(enable);
  if (Bar == SB_HORZ || Bar == SB_BOTH) FHorzBar->SetEnabled(enable);
  return true;
}

namespace {

TCustomGrid* GridOf(HWND Wnd) { return dynamic_cast<TCustomGrid*>(FindControl(Wnd)); }

}  // namespace

bool GetScrollInfo(HWND Wnd, Integer Bar, TScrollInfo& Info) {
  TCustomGrid* g = GridOf(Wnd);
  return g && g->GetScrollBarInfo(Bar, Info);
}

Integer SetScrollInfo(HWND Wnd, Integer Bar, const TScrollInfo& Info, bool Redraw) {
  TCustomGrid* g = GridOf(Wnd);
  return g ? g->SetScrollBarInfo(Bar, Info, Redraw) : 0;
}

bool ShowScrollBar(HWND Wnd, Integer Bar, bool Show) {
  TCustomGrid* g = GridOf(Wnd);
  return g && g->ShowScrollBarOf(Bar, Show);
}

bool EnableScrollBar(HWND Wnd, Integer Bar, UINT Arrows) {
  TCustomGrid* g = GridOf(Wnd);
  return g && g->EnableScrollBarOf(Bar, Arrows);
}

// --- Structure -------------------------------------------------------------------------------------

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount) IndexError();
  if (FromIndex == ToIndex) return;
  // The open editor stores its text before the cells move under it.
  if (FInplaceCell.X >= 0) HideEditor();
  ColumnMoved(FromIndex, ToIndex);
  Invalidate();
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount) IndexError();
  if (FromIndex == ToIndex) return;
  if (FInplaceCell.X >= 0) HideEditor();
  RowMoved(FromIndex, ToIndex);
  Invalidate();
}

void TCustomGrid::DeleteColumn(Integer ACol) {
  if (ACol < 0 || ACol >= FColCount) IndexError();
  if (FInplaceCell.X >= 0) HideEditor();
  const Integer last = FColCount - 1;
  if (ACol != last) ColumnMoved(ACol, last);
  ColumnDeleted(last);
  FColWidths.erase(FColWidths.begin() + ACol);
  FColWidths.push_back(FDefaultColWidth);
  if (FColCount > 1)
    SetColCount(FColCount - 1);
  else
    Invalidate();
}

void TCustomGrid::DeleteRow(Integer ARow) {
  if (ARow < 0 || ARow >= FRowCount) IndexError();
  if (FInplaceCell.X >= 0) HideEditor();
  const Integer last = FRowCount - 1;
  if (ARow != last) RowMoved(ARow, last);
  RowDeleted(last);
  if (FRowHeights[static_cast<size_t>(ARow)] != FDefaultRowHeight) --FOwnRowHeights;
  FRowHeights.erase(FRowHeights.begin() + ARow);
  FRowHeights.push_back(FDefaultRowHeight);
  if (FRowCount > 1)
    SetRowCount(FRowCount - 1);
  else
    Invalidate();
}

std::vector<std::unique_ptr<TGridCellRow>> TCustomGrid::DeleteRowList(const std::vector<Integer>& Rows) {
  if (Rows.empty()) return {};
  for (Integer r : Rows)
    if (r < 0 || r >= FRowCount) IndexError();
  if (FInplaceCell.X >= 0) HideEditor();
  std::vector<std::unique_ptr<TGridCellRow>> Taken = RowsTaken(Rows, FRowCount);
  size_t k = 0;
  size_t Write = static_cast<size_t>(Rows[0]);
  for (size_t Read = Write; Read < FRowHeights.size(); ++Read) {
    if (k < Rows.size() && static_cast<size_t>(Rows[k]) == Read) {
      if (FRowHeights[Read] != FDefaultRowHeight) --FOwnRowHeights;
      ++k;
      continue;
    }
    FRowHeights[Write++] = FRowHeights[Read];
  }
  std::fill(FRowHeights.begin() + static_cast<std::ptrdiff_t>(Write), FRowHeights.end(), FDefaultRowHeight);
  const Integer Left = FRowCount - static_cast<Integer>(Rows.size());
  if (Left >= 1)
    SetRowCount(Left);
  else
    Invalidate();
  return Taken;
}

void TCustomGrid::SetRowHeightList(std::vector<Integer> Heights) {
  Heights.resize(static_cast<size_t>(FRowCount), FDefaultRowHeight);
  for (Integer& h : Heights) h = GridExtent(h);
  if (Heights == FRowHeights) return;
  FRowHeights = std::move(Heights);
  FOwnRowHeights = static_cast<Integer>(
      std::count_if(FRowHeights.begin(), FRowHeights.end(), [this](Integer h) { return h != FDefaultRowHeight; }));
  RowHeightsChanged();
}

void TCustomGrid::MoveRowHeights(Integer First, Integer NewFirst, Integer End, Integer Fresh) {
  First = std::max<Integer>(First, 0);
  End = std::min<Integer>(End, static_cast<Integer>(FRowHeights.size()));
  bool Changed = false;
  // With every height the default, neither the turn nor the fresh rows change one.
  if (FOwnRowHeights == 0) return;
  if (First < NewFirst && NewFirst < End) {
    // A turn changes nothing where every height equals the one Shift rows further round.
    const auto B = FRowHeights.begin();
    const std::ptrdiff_t Shift = NewFirst - First;
    Changed = !std::equal(B + First, B + End - Shift, B + NewFirst) || !std::equal(B + End - Shift, B + End, B + First);
    if (Changed) std::rotate(B + First, B + NewFirst, B + End);
  }
  const Integer FreshEnd = std::min<Integer>(First + std::max<Integer>(Fresh, 0), static_cast<Integer>(FRowHeights.size()));
  for (Integer r = First; r < FreshEnd; ++r) {
    Integer& H = FRowHeights[static_cast<size_t>(r)];
    if (H != FDefaultRowHeight) {
      H = FDefaultRowHeight;
      --FOwnRowHeights;
      Changed = true;
    }
  }
  if (Changed) RowHeightsChanged();
}

// --- Notifications ---------------------------------------------------------------------------------

void TCustomGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  (void)FromIndex;
  (void)ToIndex;
}

void TCustomGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  (void)FromIndex;
  (void)ToIndex;
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::TopLeftChanged() { PlaceEditor(); }

void TCustomGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  (void)OldColCount;
  (void)OldRowCount;
}

// --- Repainting --------------------------------------------------------------------------------------

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) {
  if (!FRedraw || !RowMayShow(ARow)) return;
  const TRect R = CellRect(ACol, ARow);
  if (IsRectEmpty(R)) return;
  InvalidateClientRect(TRect(R.Left, R.Top, R.Right + ColAxis().Line(ACol), R.Bottom + RowAxis().Line(ARow)));
}

bool TCustomGrid::RowMayShow(Integer ARow) const {
  if (ARow < 0 || ARow >= FRowCount) return false;
  // A row scrolled away above may be the top of a merged area that reaches into view.
  if (ARow < FFixedRows || ARow < FTopLeft.Y) return true;
  const TAxis ra = RowAxis();
  const Integer Start = ra.StartOf(ARow);
  return Start != TAxis::NotLaidOut && Start < ra.Extent;
}

void TCustomGrid::InvalidateRow(Integer ARow) {
  (void)ARow;
  Invalidate();
}

void TCustomGrid::InvalidateCol(Integer ACol) {
  (void)ACol;
  Invalidate();
}

void TCustomGrid::InvalidateGrid() { Invalidate(); }

void TCustomGrid::InvalidateRect(const TGridRect& ARect) {
  (void)ARect;
  Invalidate();
}

// --- Messages --------------------------------------------------------------------------------------

void TCustomGrid::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_MOUSEMOVE:
      FLastMouse = TPoint(SmallIntLo(static_cast<uintptr_t>(M.LParam)), SmallIntHi(static_cast<uintptr_t>(M.LParam)));
      // As the window system does, the cursor is asked for before the move unless a control
      // holds the mouse.
      if (!GetCaptureControl()) Perform(WM_SETCURSOR, static_cast<WPARAM>(Handle()), MakeLParam(HTCLIENT, WM_MOUSEMOVE));
      TCustomControl::Dispatch(M);
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      // The grid's own bars are its window scroll bars.
      if ((FVertBar && M.LParam == static_cast<LPARAM>(FVertBar->Handle())) ||
          (FHorzBar && M.LParam == static_cast<LPARAM>(FHorzBar->Handle())))
        M.LParam = 0;
      TCustomControl::Dispatch(M);
      break;
    case WM_TIMER: WMTimer(M); break;
    case WM_SETCURSOR: WMSetCursor(M); break;
    case WM_ERASEBKGND: WMEraseBkgnd(M); break;
    case WM_NCPAINT: WMNCPaint(M); break;
    case WM_CANCELMODE: WMCancelMode(M); break;
    case WM_SETREDRAW:
      FRedraw = M.WParam != 0;
      break;
    case CM_CURSORCHANGED: CMCursorChanged(M); break;
    case CM_HINTSHOW: CMHintShow(M); break;
    case CM_DESIGNHITTEST: CMDesignHitTest(M); break;
    default: TCustomControl::Dispatch(M); break;
  }
}

void TCustomGrid::BoundsChanged() {
  TCustomControl::BoundsChanged();
  LayoutScrollBars();
}

void TCustomGrid::WMSize(TMessage& M) {
  // The bars first, so a derived grid's OnResize sees them as they will stay.
  UpdateScrollRange();
  ClampTopLeft();
  PlaceEditor();
  TCustomControl::WMSize(M);
}

void TCustomGrid::WMPaint(TMessage& M) {
  if (!FRedraw) return;
  TCustomControl::WMPaint(M);
}

void TCustomGrid::WMSetFocus(TMessage& M) {
  TCustomControl::WMSetFocus(M);
  // Focus coming back from the editor leaves it closed; from elsewhere the editor may show again.
  if (!FInplaceEdit || M.WParam != static_cast<WPARAM>(FInplaceEdit->Handle())) {
    if (!FUpdatingEdit) UpdateEdit();
  }
  Invalidate();
}

void TCustomGrid::WMKillFocus(TMessage& M) {
  TCustomControl::WMKillFocus(M);
  Invalidate();
}

void TCustomGrid::WMGetDlgCode(TMessage& M) {
  M.Result = DLGC_WANTARROWS;
  if (!FOptions.Contains(goRowSelect)) {
    if (FOptions.Contains(goTabs)) M.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) M.Result |= DLGC_WANTCHARS;
  }
}

void TCustomGrid::CMWantSpecialKey(TMessage& M) {
  if (static_cast<Word>(M.WParam) == VK_RETURN && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
    M.Result = 1;
    return;
  }
  TCustomControl::CMWantSpecialKey(M);
}

void TCustomGrid::WMEraseBkgnd(TMessage& M) { M.Result = 1; }

void TCustomGrid::WMNCPaint(TMessage& M) { M.Result = 0; }

void TCustomGrid::CMCursorChanged(TMessage& M) { DefaultHandler(M); }

void TCustomGrid::CMHintShow(TMessage& M) { DefaultHandler(M); }

void TCustomGrid::CMDesignHitTest(TMessage& M) { M.Result = 0; }

void TCustomGrid::ShowCursor(TCursor Value) {
  if (FImpl) FImpl->SetCursor(Value);
}

bool TCustomGrid::GridOrEditorFocused() const {
  return Focused() || (FInplaceEdit && FInplaceEdit->Focused());
}
