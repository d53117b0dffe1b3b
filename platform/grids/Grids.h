// The class library's grid: TCustomGrid (cells laid out in fixed and scrolling rows and columns,
// the current cell and the selection, scrolling, sizing and moving by mouse, the paint loop and the
// in-place editor's show/hide cycle), TCustomDrawGrid and TDrawGrid (the events), TStringGrid
// (a text and an object per cell) and TInplaceEdit. README.md states the rules they follow.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/grids/GridCells.h"
#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

KP_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

// The widest column, the highest row and the widest grid line a grid holds, in pixels. A size
// asked for outside 0 … GridMaxExtent is held at the nearer end, so that the sums of the layout stay
// inside the integer range.
constexpr Integer GridMaxExtent = 32767;
// Value held inside 0 … GridMaxExtent.
constexpr Integer GridExtent(Integer Value) { return Value < 0 ? 0 : Value > GridMaxExtent ? GridMaxExtent : Value; }

// --- Options, states, coordinates ------------------------------------------------------------------

enum TGridOption : Byte {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking,
};

// A set of TGridOption.
class TGridOptions {
 public:
  constexpr TGridOptions() = default;
  constexpr TGridOptions(std::initializer_list<TGridOption> Items) {
    for (TGridOption o : Items) FBits |= static_cast<Word>(1u << o);
  }
  constexpr bool Contains(TGridOption O) const { return (FBits >> O) & 1u; }
  constexpr TGridOptions operator<<(TGridOption O) const { return FromBits(FBits | (1u << O)); }
  constexpr TGridOptions operator>>(TGridOption O) const { return FromBits(FBits & ~(1u << O)); }
  constexpr TGridOptions operator+(TGridOptions O) const { return FromBits(FBits | O.FBits); }
  constexpr TGridOptions operator-(TGridOptions O) const { return FromBits(FBits & ~O.FBits); }
  constexpr Word Bits() const { return FBits; }
  static constexpr TGridOptions FromBits(unsigned Bits) {
    TGridOptions s;
    s.FBits = static_cast<Word>(Bits);
    return s;
  }
  friend constexpr bool operator==(TGridOptions, TGridOptions) = default;

 private:
  Word FBits = 0;
};

enum TGridDrawStateFlag : Byte { gdSelected, gdFocused, gdFixed };

// A set of TGridDrawStateFlag: how a cell is to be drawn.
class TGridDrawState {
 public:
  constexpr TGridDrawState() = default;
  constexpr TGridDrawState(std::initializer_list<TGridDrawStateFlag> Items) {
    for (TGridDrawStateFlag f : Items) FBits |= static_cast<Byte>(1u << f);
  }
  constexpr bool Contains(TGridDrawStateFlag F) const { return (FBits >> F) & 1u; }
  constexpr TGridDrawState operator<<(TGridDrawStateFlag F) const {
    TGridDrawState s = *this;
    s.FBits = static_cast<Byte>(s.FBits | (1u << F));
    return s;
  }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TGridDrawState, TGridDrawState) = default;

 private:
  Byte FBits = 0;
};

// What the mouse is doing with the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  Integer X = 0;
  Integer Y = 0;
  friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A rectangle of cells, both corners included.
struct TGridRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  constexpr TGridCoord TopLeft() const { return {Left, Top}; }
  constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
  friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

constexpr TGridRect GridRect(TGridCoord A, TGridCoord B) { return {A.X, A.Y, B.X, B.Y}; }

// --- The grid's window scroll bars -------------------------------------------------------------------

// WM_SETCURSOR's hit-test code for the client area (low word of LParam).
constexpr Integer HTCLIENT = 1;

constexpr UINT SIF_RANGE = 0x1;
constexpr UINT SIF_PAGE = 0x2;
constexpr UINT SIF_POS = 0x4;
constexpr UINT SIF_DISABLENOSCROLL = 0x8;
constexpr UINT SIF_TRACKPOS = 0x10;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr UINT ESB_ENABLE_BOTH = 0;
constexpr UINT ESB_DISABLE_LTUP = 1;
constexpr UINT ESB_DISABLE_RTDN = 2;
constexpr UINT ESB_DISABLE_BOTH = 3;

struct TScrollInfo {
  UINT cbSize = sizeof(TScrollInfo);
  UINT fMask = 0;
  Integer nMin = 0;
  Integer nMax = 0;
  UINT nPage = 0;
  Integer nPos = 0;
  Integer nTrackPos = 0;
};

// The scroll bars of a grid's window, by handle and SB_HORZ / SB_VERT; false (0) for a window
// that is not a grid.
bool GetScrollInfo(HWND Wnd, Integer Bar, TScrollInfo& Info);
Integer SetScrollInfo(HWND Wnd, Integer Bar, const TScrollInfo& Info, bool Redraw);
bool ShowScrollBar(HWND Wnd, Integer Bar, bool Show);
bool EnableScrollBar(HWND Wnd, Integer Bar, UINT Arrows);

// --- Events ----------------------------------------------------------------------------------------

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TCustomGrid;

// --- TInplaceEdit ----------------------------------------------------------------------------------

// The grid's in-place editor: a borderless multi-line edit without word wrap over the current
// cell, owned and parented by its grid. Navigation keys go to the grid's KeyDown, every character
// to the grid's KeyPress first, key releases to the grid's KeyUp.
class TInplaceEdit : public TCustomMemo {
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  String ClassName() const override { return u"TInplaceEdit"; }

  TCustomGrid* Grid() const { return FGrid; }
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value) { FEditMask = Value; }
  // Loads the grid's current cell: text, mask, length limit, the grid's font and colour.
  virtual void UpdateContents();

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

 protected:
  void Change() override;
  void WMGetDlgCode(TMessage& M) override;
  void SetGrid(TCustomGrid* AGrid) { FGrid = AGrid; }
  // True while UpdateContents puts the cell's text into the editor.
  bool Loading() const { return FLoading; }

 private:
  friend class TCustomGrid;
  TCustomGrid* FGrid = nullptr;
  String FEditMask;
  String FLoadedText;  // the text the editor was loaded with (Esc restores it)
  bool FLoading = false;
};

// --- TCustomGrid -----------------------------------------------------------------------------------

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;
  String ClassName() const override { return u"TCustomGrid"; }

  // Dimensions.
  Integer ColCount() const { return FColCount; }
  void SetColCount(Integer Value);
  Integer RowCount() const { return FRowCount; }
  void SetRowCount(Integer Value);
  Integer FixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer Value);
  Integer FixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer Value);
  Integer DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(Integer Value);
  Integer DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(Integer Value);
  Integer ColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer Value);
  Integer RowHeights(Integer Index) const;
  void SetRowHeights(Integer Index, Integer Value);
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

  // The current cell, the selection and the scroll position.
  Integer Col() const { return FCurrent.X; }
  void SetCol(Integer Value);
  Integer Row() const { return FCurrent.Y; }
  void SetRow(Integer Value);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);
  Integer LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(Integer Value);
  Integer TopRow() const { return FTopLeft.Y; }
  void SetTopRow(Integer Value);
  Integer VisibleColCount() const;
  Integer VisibleRowCount() const;
  TGridState GridState() const { return FGridState; }

  // Geometry in client coordinates.
  TRect CellRect(Integer ACol, Integer ARow) const;
  void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const;
  TGridCoord MouseCoord(Integer X, Integer Y) const;
  TRect ClientRect() const override;

  // Moving the current cell.
  void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
  void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);

  // Structure.
  void MoveColumn(Integer FromIndex, Integer ToIndex);
  void MoveRow(Integer FromIndex, Integer ToIndex);
  void DeleteColumn(Integer ACol);
  void DeleteRow(Integer ARow);

  // The in-place editor.
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  virtual void ShowEditor();
  virtual void HideEditor();
  void ShowEditorChar(Char Ch);
  void InvalidateEditor();

  // Repainting.
  // Repaints the cell's rectangle (with the lines drawn after it) when the cell shows and painting
  // is not switched off (WM_SETREDRAW); a grid that merges cells repaints what the cell covers.
  virtual void InvalidateCell(Integer ACol, Integer ARow);
  void InvalidateRow(Integer ARow);
  void InvalidateCol(Integer ACol);
  void InvalidateGrid();
  void InvalidateRect(const TGridRect& ARect);

  // The window scroll bars (the free functions above call these).
  bool GetScrollBarInfo(Integer Bar, TScrollInfo& Info) const;
  Integer SetScrollBarInfo(Integer Bar, const TScrollInfo& Info, bool Redraw);
  bool ShowScrollBarOf(Integer Bar, bool Show);
  bool EnableScrollBarOf(Integer Bar, UINT Arrows);

  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

  void Dispatch(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void DblClick() override;

 protected:
  // The gate every move of the current cell passes.
  virtual bool SelectCell(Integer ACol, Integer ARow);
  // Whether the editor may show now.
  virtual bool CanEditShow();
  virtual String GetEditText(Integer ACol, Integer ARow);
  virtual void SetEditText(Integer ACol, Integer ARow, const String& Value);
  virtual String GetEditMask(Integer ACol, Integer ARow);
  virtual Integer GetEditLimit();
  virtual TInplaceEdit* CreateEditor();
  virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState);
  // Notifications.
  virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
  virtual void RowMoved(Integer FromIndex, Integer ToIndex);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void TopLeftChanged();
  virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
  // Whether a press at (X, Y) starts sizing: State gsColSizing / gsRowSizing with the column
  // (row) in Index, the border position in SizingPos and the press's offset from it in SizingOfs.
  virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                               Integer& SizingOfs);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // DeleteRow / DeleteColumn moved the deleted row (column) to this index: drop its cells.
  virtual void RowDeleted(Integer ARow) { (void)ARow; }
  // DeleteRowList took these rows out (ascending) of the first End rows: take their cells out,
  // close up the ones after them. Answers the cells taken.
  virtual std::vector<std::unique_ptr<TGridCellRow>> RowsTaken(const std::vector<Integer>& Rows, Integer End) {
    (void)End;
    return std::vector<std::unique_ptr<TGridCellRow>>(Rows.size());
  }
  virtual void ColumnDeleted(Integer ACol) { (void)ACol; }

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void BoundsChanged() override;
  void Loaded() override;
  // Forgets the editor or a scroll bar that is being freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Message handlers.
  void WMSize(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void WMVScroll(TMessage& M) override;
  void WMHScroll(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  virtual void WMTimer(TMessage& M);
  virtual void WMSetCursor(TMessage& M);
  virtual void WMEraseBkgnd(TMessage& M);
  virtual void WMNCPaint(TMessage& M);
  virtual void WMCancelMode(TMessage& M);
  virtual void CMCursorChanged(TMessage& M);
  virtual void CMHintShow(TMessage& M);
  virtual void CMDesignHitTest(TMessage& M);

  // Shows the editor on the current cell when CanEditShow allows; true when it is shown.
  bool UpdateEdit();
  // Closes the editor window: stores its text, detaches it from its cell, hides it; the grid takes
  // the focus back when the editor held it and RestoreFocus is set.
  void HideEdit(bool RestoreFocus = true);
  // The heights of rows 0 … RowCount - 1.
  const std::vector<Integer>& RowHeightList() const { return FRowHeights; }
  // Sets the heights of rows 0 … RowCount - 1 at once (missing ones take the default, negative
  // ones 0); RowHeightsChanged runs once when any height changed.
  void SetRowHeightList(std::vector<Integer> Heights);
  // The heights following rows that moved as handles, in place: rows First … End - 1 turn round as
  // std::rotate turns them, so that row NewFirst comes to First (nothing turns unless First <
  // NewFirst < End), then rows First … First + Fresh - 1 take the default height. Indexes are
  // limited to the rows there are; RowHeightsChanged runs once when any height changed.
  void MoveRowHeights(Integer First, Integer NewFirst, Integer End, Integer Fresh);
  // Removes the listed rows (ascending, distinct) as DeleteRow does, in one pass and without its
  // notifications: the cells of the rows after them and their heights close up, the count drops
  // once. The cells of the removed rows come back as handles, in list order.
  std::vector<std::unique_ptr<TGridCellRow>> DeleteRowList(const std::vector<Integer>& Rows);
  // Painting is on (no WM_SETREDRAW 0 in force).
  bool RedrawOn() const { return FRedraw; }
  // Whether any part of row ARow can show: a fixed row, a row scrolled away above (a merged area
  // may reach down from it) or a row that starts inside the client area.
  bool RowMayShow(Integer ARow) const;
  // True while the editor's own text is being stored in its cell.
  bool EditorWriting() const { return FEditUpdateLock > 0; }
  // Sets range, position and visibility of the scroll bars from the grid's state.
  void UpdateScrollRange();
  // The largest TopRow / LeftCol keys and scroll bars go to.
  Integer MaxTopRow() const;
  Integer MaxLeftCol() const;
  // Scrolls so the cell is wholly visible (as far as it fits).
  void ScrollInView(Integer ACol, Integer ARow);
  // The cursor the control shows now, without changing its Cursor property.
  void ShowCursor(TCursor Value);
  // The client point of the last mouse move; WM_SETCURSOR, which comes just before the move is
  // handled, asks for the cursor there.
  TPoint LastMousePos() const { return FLastMouse; }
  // A cell's text became NewText by other means than the editor: the open editor on that cell
  // loads it again when its text differs.
  void EditorCellChanged(Integer ACol, Integer ARow, const String& NewText);

  // The drag in progress (sizing and moving); see README.
  TGridState FGridState = gsNormal;
  Integer FSizingIndex = -1;
  Integer FSizingPos = 0;
  Integer FSizingOfs = 0;
  Integer FMoveIndex = -1;
  Integer FMovePos = -1;

 private:
  // One axis of the layout: the sizes, counts and the first scrolled index.
  struct TAxis;
  // Extent: the client size to lay out in, -1 for the current one.
  TAxis ColAxis(Integer Extent = -1) const;
  TAxis RowAxis(Integer Extent = -1) const;
  void SetCountsAfterChange(Integer OldColCount, Integer OldRowCount);
  void MoveTopLeft(Integer ALeft, Integer ATop);
  void ScrollBarMessage(TMessage& M, bool Vertical);
  void StartTimer();
  void StopTimer();
  void DrawSizingLine();
  void DrawMoveMark();
  void EndDrag(bool Apply, Integer X, Integer Y);
  void PlaceEditor();
  void LayoutScrollBars();
  TScrollBar* BarOf(Integer Bar) const;
  bool GridOrEditorFocused() const;
  void ClampCurrentIntoGrid();
  void ClampTopLeft();
  bool MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
  void UpdateScrollPos();
  void PaintDragMarks();
  void AutoScrollTick();
  void DragTo(Integer X, Integer Y);

  Integer FColCount = 5;
  Integer FRowCount = 5;
  Integer FFixedCols = 1;
  Integer FFixedRows = 1;
  Integer FDefaultColWidth = 64;
  Integer FDefaultRowHeight = 24;
  Integer FGridLineWidth = 1;
  std::vector<Integer> FColWidths;
  std::vector<Integer> FRowHeights;
  // How many rows have a height other than the default: none lets rows move without their heights.
  Integer FOwnRowHeights = 0;
  TGridOptions FOptions;
  TColor FFixedColor;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = ssBoth;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;
  TGridCoord FInplaceCell{-1, -1};  // the cell the editor is on, (-1, -1) when none
  Integer FEditUpdateLock = 0;      // the editor's own text going into its cell
  TScrollBar* FVertBar = nullptr;
  TScrollBar* FHorzBar = nullptr;
  bool FTimerRunning = false;
  bool FSizingLineDrawn = false;
  bool FMoveMarkDrawn = false;
  bool FRedraw = true;
  TPoint FLastMouse;               // the point of the last mouse move (WM_SETCURSOR reads it)
  Integer FWheelRest = 0;          // wheel delta below a whole notch
  Integer FTrackPos[2] = {0, 0};   // the thumb position while it is dragged, per bar
  bool FUpdatingEdit = false;

  friend class TInplaceEdit;
};

// --- TCustomDrawGrid, TDrawGrid ----------------------------------------------------------------------

class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
  String ClassName() const override { return u"TCustomDrawGrid"; }

  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;

 protected:
  bool SelectCell(Integer ACol, Integer ARow) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  String GetEditMask(Integer ACol, Integer ARow) override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void TopLeftChanged() override;
};

class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
  String ClassName() const override { return u"TDrawGrid"; }
};

// --- TStringGrid -----------------------------------------------------------------------------------

class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;
  String ClassName() const override { return u"TStringGrid"; }

  // Any index from 0, beyond the counts too; a negative one raises.
  String Cells(Integer ACol, Integer ARow) const;
  // The same text without a copy, valid until the cell or its row changes.
  const String& StoredCellText(Integer ACol, Integer ARow) const;
  void SetCells(Integer ACol, Integer ARow, const String& Value);
  TObject* Objects(Integer ACol, Integer ARow) const;
  void SetObjects(Integer ACol, Integer ARow, TObject* Value);
  // Row ARow over columns 0 … ColCount − 1, column ACol over rows 0 … RowCount − 1.
  TStrings* Rows(Integer ARow);
  void SetRows(Integer ARow, TStrings* Value);
  TStrings* Cols(Integer ACol);
  void SetCols(Integer ACol, TStrings* Value);

  const TGridCellStore& CellStore() const { return FCells; }

 protected:
  // SetCells without the repaint: the text is stored (an open editor on the cell loads it).
  void StoreCellText(Integer ACol, Integer ARow, const String& Value);
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void RowDeleted(Integer ARow) override;
  // Rows of the cell store grow their room up to the new column count.
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
  std::vector<std::unique_ptr<TGridCellRow>> RowsTaken(const std::vector<Integer>& Rows, Integer End) override;
  // The cell store itself, for the row operations that move handles.
  TGridCellStore& CellStoreForUpdate() { return FCells; }
  void ColumnDeleted(Integer ACol) override;

 private:
  class TStringGridStrings;
  friend class TStringGridStrings;

  TGridCellStore FCells;
  std::map<Integer, std::unique_ptr<TStringGridStrings>> FRowLists;
  std::map<Integer, std::unique_ptr<TStringGridStrings>> FColLists;
};
