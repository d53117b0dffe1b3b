// The string grid TExStringGrid: the table control of the component library, built on the base
// grid (cell texts, per-cell properties, merged cells, undo). It adds hidden and moved columns and
// rows, the cell API by display and by real index, selection, cell graphics, painting with looks,
// in-place editing with a family of editor controls, keyboard and mouse input, and the hooks its
// data operations and the column grid plug into.
//
// Indexes: a column's real index is the one its cells are stored under; hiding a column changes only
// the view. A hidden row is taken out of the platform grid and kept in a TGridItem. Cells and the
// per-cell look take (real column, display row); AllCells and its family take (real column, real
// row); Col, Row, Selection and painting use display indexes.
//
// The class is written in several sources by concern: ExGrid.cpp (lifecycle, dimensions, dispatch
// operations, properties), ExGridCells.cpp (cell access), ExGridColumns.cpp (hidden and moved columns
// and rows), ExGridSelection.cpp, ExGridMessages.cpp (window messages, update lock, timers), and the
// painting, editing and input sources named at their sections below.
#pragma once

#include <memory>
#include <vector>

#include "components/grid/ExGridDefs.h"
#include "components/gridbase/BaseGrid.h"
#include "components/gridbase/ExGridOptions.h"
#include "components/gridbase/ExObj.h"
#include "components/gridbase/ExStyleIF.h"
#include "platform/grids/GridCells.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/rtl/Classes.h"

// Owned objects and references of classes declared elsewhere.
class TExStringGridCheck;
class TPictureContainer;
class THTMLPictureCache;
class TArrowWindow;
class TGridFocusWindow;
class TCustomListBox;
class TForm;
class TScrollBar;
// Painting and cell graphics.
class TCellGraphic;
class TControlLook;
class TBackGround;
class TGridProgressAppearance;
enum TCellType : Byte;
enum TExGridStyle : Byte;
// Editing.
class TEditLink;
class TExInplaceEdit;
class TExCustomDropDown;
class TCustomForm;
class TSizeWhileTyping;
class TShowModified;
class TExRichEdit;
class TGridCombo;
class TGridSpin;
class TGridTransEdit;
class TGridTransCombo;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TGridDatePicker;
class TGridDateTimePicker;
class TControlEdit;
class TControlCombo;
class TGridTrackbarDropDown;
class TGridMemoDropDown;
class TGridCalculatorDropDown;
class TGridTimepickerDropDown;
class TGridDetailPickerDropDown;
class TGridGridDropDown;
class TGridColorDropDown;
class TGridImageDropDown;
class TGridExGridDropDown;
// Input.
class THeaderDragButton;
class TScrollControl;
// Settings groups and panels of the data operations.
class TSortSettings;
class TFilter;
class TFilterDropDown;
class TDropList;
class TDropCheckList;
class TFloatingFooter;
class TFooterPanel;
class TSearchPanel;
class TBalloonSettings;
class TDragDropSettings;
class TDragScrollOptions;
class TGrouping;
class THTMLHintWindow;
class TGridDropTarget;
class TCellNode;
class TPrintSettings;
class THTMLSettings;

// ---------------------------------------------------------------------------------------------
// Helper classes
// ---------------------------------------------------------------------------------------------

enum TColumnSizeLocation : Byte { clRegistry, clIniFile };
enum TAutoSizeRows : Byte { arAll, arNormal, arFixed };

// The settings of column-width persistence and stretching (the grid's ColumnSize).
class TColumnSize : public TPersistent {
 public:
  explicit TColumnSize(TExStringGrid* AOwner);
  String ClassName() const override { return u"TColumnSize"; }
  // Copies the settings of another TColumnSize; any other source is ignored.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Owner() const { return FOwner; }
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  const String& Section() const { return FSection; }
  void SetSection(const String& Value) { FSection = Value; }
  bool Stretch() const { return FStretch; }
  // Stores the value and, when the grid has a parent, stretches the column whatever the value.
  void SetStretch(bool Value);
  // The column that stretches, -1 for the last one.
  Integer StretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(Integer Value) { FStretchColumn = Value; }
  bool SynchWithGrid() const { return FSynchWithGrid; }
  void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
  bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
  void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
  TColumnSizeLocation Location() const { return FLocation; }
  void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
  TAutoSizeRows Rows() const { return FRows; }
  void SetRows(TAutoSizeRows Value) { FRows = Value; }

 private:
  TExStringGrid* FOwner;
  bool FSave = false;
  String FKey;
  String FSection;
  bool FStretch = false;
  Integer FStretchColumn = -1;
  bool FSynchWithGrid = false;
  bool FSynchNormalCellsOnly = false;
  TColumnSizeLocation FLocation = clRegistry;
  TAutoSizeRows FRows = arAll;
};

// An object that wants to hear of cell changes; register it with the grid's RegisterNotifier.
class TGridChangeNotifier : public TComponent {
 public:
  explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TGridChangeNotifier"; }
  // The cells of R (columns Left … Right, rows Top … Bottom) changed.
  virtual void NotifyCellsChanged(TRect R) { (void)R; }
};

// A listener told of every change of the current cell. The grid holds at most one and does not
// own it.
class ITExStringGridSelect {
 public:
  virtual ~ITExStringGridSelect() = default;
  virtual void CellSelected(Integer ACol, Integer ARow) = 0;
};

// A hidden row: its real index, its height, its cells and the filter level that hid it. The cells
// are kept as the row the cell store held (taken over, not copied), over the columns the grid had
// when the row was hidden; their list form (entry i the text of column i, object i that cell's
// property object) is made only when asked for (Items) and from then on holds the cells. The cell
// accessors below read and write whichever form the item holds, so the grid's own readers never
// make the list.
class TGridItem : public TCollectionItem {
 public:
  explicit TGridItem(TCollection* Collection);
  ~TGridItem() override;
  String ClassName() const override { return u"TGridItem"; }

  Integer Idx() const { return FIdx; }
  void SetIdx(Integer Value) { FIdx = Value; }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  // The cells as a list the item owns (made from the kept row on the first call).
  TStrings* Items() const;
  // Takes over the given list (freed with the item); the old list is not freed.
  void SetItems(TStrings* Value);
  Integer Level() const { return FLevel; }
  void SetLevel(Integer Value) { FLevel = Value; }

  // Takes over a row of the cell store as the cells of Cols columns (cells past them are dropped;
  // nullptr is a row of empty cells).
  void SetCellRow(std::unique_ptr<TGridCellRow> Row, Integer Cols);
  // Hands the cells back as a row of the cell store (nullptr when every cell is empty and none
  // was ever stored); the item keeps no cells then.
  std::unique_ptr<TGridCellRow> TakeCellRow();
  // The number of cells, and a cell's text and object (EStringListError "List index out of bounds
  // (%d)" outside 0 … CellCount() - 1, as the list form answers).
  Integer CellCount() const;
  String CellText(Integer ACol) const;
  TObject* CellObject(Integer ACol) const;
  void SetCellText(Integer ACol, const String& Value);
  void SetCellObject(Integer ACol, TObject* Value);
  // At least Count cells, the new ones empty.
  void WidenCells(Integer Count);
  // The cell at From moves to To and the ones between close up.
  void MoveCell(Integer From, Integer To);

 private:
  TGridCell& RowCell(Integer ACol);

  // A filter hides many rows at once: the fields are ordered to keep the item small.
  Integer FIdx = 0;
  Integer FHeight = 0;
  Integer FCols = 0;
  Integer FLevel = 0;
  // Set while the grid frees the items whose rows it showed again.
  friend class TExStringGrid;
  bool FShown = false;
  // Exactly one form holds the cells: the list when made, else the row (over FCols columns).
  mutable TStrings* FItems = nullptr;
  mutable std::unique_ptr<TGridCellRow> FRow;
};

// The number of real columns that take part in hiding (0 … 511), plus one spare entry.
constexpr Integer MaxGridColumns = 513;

// ---------------------------------------------------------------------------------------------
// Module values
// ---------------------------------------------------------------------------------------------

// The grid's clipboard format "TExStringGrid Cells" and its registered message "GridEditDone",
// registered when the module starts (InitExGridModule, run by the first grid). The message
// "DTPShiftFocus" of the date editors is the date pickers' own (DTPShiftFocusMessage in
// components/dropdown/ExDateTimePicker.h); the module registers it at the same time.
extern Word GridCellsClipboardFormat;
extern UINT GridEditDoneMessage;
// The font name of the grid whose cell hint is being shown.
extern String GridHintFontName;
// The grid whose focus-frame window follows window moves, nullptr when none.
extern TExStringGrid* ActiveFocusGrid;
// The date and time editors are available.
extern bool DateTimePickerSupported;
// The cursor shown over links.
extern TCursor GridURLCursor;

// Registers the clipboard format and the messages once per process; later calls do nothing but
// count. DoneExGridModule undoes the count and clears the module values on the last call.
void InitExGridModule();
void DoneExGridModule();

// The soft focus frame window around the edited cell (ExGridFocusFrame.cpp): shown around a cell
// given in screen coordinates, or hidden; nothing without a window.
void ShowGridFocusFrame(TGridFocusWindow* Window, const TRect& ScreenCell);
void HideGridFocusFrame(TGridFocusWindow* Window);
// The plain text of a rich-text cell value (ExGridPaint.cpp).
String GridRichTextToPlain(const String& Rtf);

// The locale's separators and formats.
Char GridTimeSeparator();
Char GridDateSeparator();
Char GridThousandSeparator();
Char GridDecimalSeparator();
String GridShortDateFormat();
String GridShortTimeFormat();
String GridLongTimeFormat();

// ---------------------------------------------------------------------------------------------
// TExStringGrid
// ---------------------------------------------------------------------------------------------

class TExStringGrid : public TBaseGrid {
 public:
  explicit TExStringGrid(TComponent* AOwner);
  ~TExStringGrid() override;
  String ClassName() const override { return u"TExStringGrid"; }
  void BeforeDestruction() override;

  // ===== core: ExGrid.cpp, ExGridCells.cpp, ExGridColumns.cpp, ExGridSelection.cpp,
  //       ExGridMessages.cpp =====

  // --- Lifecycle ------------------------------------------------------------------------------
  // Copies the settings and then the cells of another TExStringGrid; any other source is ignored.
  void Assign(TPersistent* Source) override;
  void Loaded() override;
  // Completes the window-dependent set-up; run when the grid is first given a parent.
  virtual void CreateWnd();
  void SetParent(TWinControl* AParent) override;
  void Invalidate() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void ChangeScale(Integer M, Integer D);
  void WndProc(TMessage& Message) override;

  void RegisterNotifier(TGridChangeNotifier* ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  void RegisterSelListener(ITExStringGridSelect* AListener);
  void UnRegisterSelListener(ITExStringGridSelect* AListener);
  ITExStringGridSelect* SelListener() const { return FISelect; }
  // Applies ScrollBarAlways: shows, hides, enables and disables the scroll bars by what fits.
  void UpdateScrollBarsAlways(bool Force);

  String Version() const;
  void SetVersion(const String& Value) { (void)Value; }
  Integer VersionNr() { return GetVersionNr(); }
  String VersionString() { return GetVersionString(); }

  // --- Dimensions -----------------------------------------------------------------------------
  Integer RowCount() const { return TBaseGrid::RowCount(); }
  void SetRowCount(Integer Value);
  Integer ColCount() const { return TBaseGrid::ColCount(); }
  void SetColCount(Integer Value);
  Integer FixedRows() const;
  void SetFixedRows(Integer Value);
  Integer FixedCols() const;
  void SetFixedCols(Integer Value);
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  Integer FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(Integer Value);
  Integer FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(Integer Value);
  Integer DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
  void SetDefaultRowHeight(Integer Value);
  Integer FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(Integer Value);
  Integer FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(Integer Value);
  bool WordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  Integer Col() const { return TBaseGrid::Col(); }
  void SetCol(Integer Value);
  Integer Row() const { return TBaseGrid::Row(); }
  void SetRow(Integer Value);
  Integer TopRow() const { return TBaseGrid::TopRow(); }
  void SetTopRow(Integer Value);
  TGridRect Selection() const { return TBaseGrid::Selection(); }
  void SetSelection(const TGridRect& Value);
  Integer AllColCount() { return ColCount() + NumHiddenColumns(); }
  Integer AllRowCount() const { return RowCount() + NumHiddenRows(); }
  Integer TotalRowCount() const { return AllRowCount(); }

  // --- Cell access (real column, display row unless said) --------------------------------------
  String WideCells(Integer ACol, Integer ARow) { return GetCellEx(ACol, ARow); }
  void SetWideCells(Integer ACol, Integer ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
  // By real row: also the rows held aside by row hiding.
  String AllCells(Integer ACol, Integer ARow);
  // AllCells' text read as CellExRef reads GetCellEx's.
  const String& AllCellsRef(Integer ACol, Integer ARow, String& Scratch);
  void SetAllCells(Integer ACol, Integer ARow, const String& Value);
  String AllGridCells(Integer ACol, Integer ARow);
  void SetAllGridCells(Integer ACol, Integer ARow, const String& Value);
  String AllWideCells(Integer ACol, Integer ARow) { return AllCells(ACol, ARow); }
  void SetAllWideCells(Integer ACol, Integer ARow, const String& Value) { SetAllCells(ACol, ARow, Value); }
  TObject* AllObjects(Integer ACol, Integer ARow);
  void SetAllObjects(Integer ACol, Integer ARow, TObject* AObject);
  TObject* GetAllGridObject(Integer ACol, Integer ARow);
  // The cells of a hidden row as a list the row's item owns (made on the first call), nullptr for
  // a row that is not hidden.
  TStrings* HiddenRowStrings(Integer ARow) const;
  String StrippedCells(Integer ACol, Integer ARow);
  Integer LinesInCell(Integer ACol, Integer ARow);
  String UnSortedCells(Integer ACol, Integer ARow);
  void SetUnSortedCells(Integer ACol, Integer ARow, const String& Value);
  String OriginalCells(Integer ACol, Integer ARow);
  void SetOriginalCells(Integer ACol, Integer ARow, const String& Value);
  String CurrentCell() { return GetCurrentCell(); }
  void SetCurrentCellText(const String& Value) { SetCurrentCell(Value); }
  Integer Ints(Integer ACol, Integer ARow);
  void SetInts(Integer ACol, Integer ARow, Integer Value);
  Integer AllInts(Integer ACol, Integer ARow);
  void SetAllInts(Integer ACol, Integer ARow, Integer Value);
  double Floats(Integer ACol, Integer ARow);
  void SetFloats(Integer ACol, Integer ARow, double Value);
  double AllFloats(Integer ACol, Integer ARow);
  void SetAllFloats(Integer ACol, Integer ARow, double Value);
  String ControlValues(Integer ACol, Integer ARow, const String& ID);
  void SetControlValues(Integer ACol, Integer ARow, const String& ID, const String& Value);
  // Per-cell look: reads answer the default without creating a property object.
  TColor Colors(Integer ACol, Integer ARow) const;
  void SetColors(Integer ACol, Integer ARow, TColor Value);
  TColor ColorsTo(Integer ACol, Integer ARow) const;
  void SetColorsTo(Integer ACol, Integer ARow, TColor Value);
  TCellGradientDirection Gradients(Integer ACol, Integer ARow) const;
  void SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value);
  TColor FontColors(Integer ACol, Integer ARow) const;
  void SetFontColors(Integer ACol, Integer ARow, TColor Value);
  TFontStyles FontStyles(Integer ACol, Integer ARow) const;
  void SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value);
  Integer FontSizes(Integer ACol, Integer ARow) const;
  void SetFontSizes(Integer ACol, Integer ARow, Integer Value);
  String FontNames(Integer ACol, Integer ARow) const;
  void SetFontNames(Integer ACol, Integer ARow, const String& Value);
  // The grid's one scratch font loaded with the cell's font (the grid's Font without properties).
  TFont* Fonts(Integer ACol, Integer ARow);
  void SetFonts(Integer ACol, Integer ARow, TFont* Value);
  TAlignment Alignments(Integer ACol, Integer ARow) const;
  void SetAlignments(Integer ACol, Integer ARow, TAlignment Value);
  bool ReadOnly(Integer ACol, Integer ARow) const;
  void SetReadOnly(Integer ACol, Integer ARow, bool Value);
  // Creates the property object when the cell has none.
  bool WordWraps(Integer ACol, Integer ARow);
  void SetWordWraps(Integer ACol, Integer ARow, bool Value);
  TControl* CellControls(Integer ACol, Integer ARow) const;
  void SetCellControls(Integer ACol, Integer ARow, TControl* AControl);
  // Row looks over the normal columns, hidden ones included.
  void SetRowColor(Integer ARow, TColor Value);
  void SetRowColorTo(Integer ARow, TColor Value);
  void SetRowFontColor(Integer ARow, TColor Value);
  Integer SortedRowIndex(Integer ARow);
  Integer UnSortedRowIndex(Integer ARow);
  Integer NumCellControls() const { return FNumCellControls; }
  TControlList* ControlList() const { return FControlList; }

  // --- Hidden and moved columns and rows ------------------------------------------------------
  Integer RealToDisplayCol(Integer ACol) const;
  Integer DisplayToRealCol(Integer ACol) const;
  Integer RealColIndex(Integer ACol) const { return DisplayToRealCol(ACol); }
  Integer RealCol() const { return DisplayToRealCol(Col()); }
  bool IsHiddenColumn(Integer Colindex) const;
  Integer NumHiddenColumns() const { return FNumHidden; }
  Integer AllColWidths(Integer ACol) const;
  void SetAllColWidths(Integer ACol, Integer Value);
  Integer RealRowToDisplayRow(Integer ARow) const;
  Integer DisplRowIndex(Integer ARow) const { return RealRowToDisplayRow(ARow); }
  Integer DisplayRowToRealRow(Integer ARow) const;
  Integer RealRowIndex(Integer ARow) const { return DisplayRowToRealRow(ARow); }
  Integer RealRow() const { return DisplayRowToRealRow(Row()); }
  bool IsHiddenRow(Integer Rowindex) const;
  // The same answer; the first call with a nil list builds the list of hidden rows into it (the
  // caller frees it).
  bool IsHiddenRow(Integer Rowindex, TIntList*& ListHidden) const;
  Integer NumHiddenRows() const;
  bool IsIgnoredColumn(Integer ACol) const;
  Integer ColumnPosition(Integer ACol);
  Integer ColumnAtPosition(Integer APos);
  Integer ColumnByHeader(const String& AValue);
  void HideColumn(Integer ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(Integer FromCol, Integer ToCol);
  void UnHideColumn(Integer ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(Integer FromCol, Integer ToCol);
  void UnHideColumnsAll();
  void HideRow(Integer Rowindex) { HideRows(Rowindex, Rowindex); }
  void HideRows(Integer FromRow, Integer ToRow);
  void HideRowsEx(Integer FromRow, Integer ToRow);
  void HideRowList(TIntList* RowList);
  void UnHideRow(Integer Rowindex);
  void UnHideRows(Integer FromRow, Integer ToRow);
  void UnHideRowsAll();
  void UnHideRowList();
  // Brings the hidden rows of Items (in the order of their rows) back in one pass and frees the items.
  void ShowHiddenItems(const std::vector<TGridItem*>& Items);
  void HideSelection();
  void UnHideSelection();
  void UpdateEditMode();
  void MoveColumn(Integer FromIndex, Integer ToIndex);
  void MoveRow(Integer FromIndex, Integer ToIndex);
  void MoveRows(Integer FromIndex, Integer ToIndex, Integer Count);
  void ScrollInView(Integer ColIndex, Integer RowIndex);
  void SetColumnOrder();
  void ResetColumnOrder();
  TIntList* ColumnOrder() const { return FColumnOrder; }
  TCollection* GridItems() const { return FGridItems; }
  Integer FilterLevel() const { return FFilterLevel; }
  void SetFilterLevel(Integer Value) { FFilterLevel = Value; }

  // Row structure steps the hiding uses (display rows): insert empty rows, delete rows whose cell
  // objects were taken over elsewhere, clear rows.
  void InsertRowsInternal(Integer RowIndex, Integer RCount, bool UpdateCellControls);
  void DeleteRowsInternal(Integer RowIndex, Integer RCount, bool UpdateHidden);
  // The work of DeleteRowsInternal for a set of display rows (ascending, distinct): Contiguous
  // tells a range from a list. Answers the cells of the deleted rows when they went in one pass
  // (empty when row moves are watched and the rows went one at a time).
  std::vector<std::unique_ptr<TGridCellRow>> DeleteRowSet(const std::vector<Integer>& Rows, bool DropControls,
                                                          bool Contiguous);
  // Puts rows in at their final display places (ascending, distinct, no floating footer shown) in
  // one pass, with their cells and heights, as InsertRowsInternal one row at a time would.
  void InsertRowSet(const std::vector<Integer>& Places, std::vector<std::unique_ptr<TGridCellRow>> Cells,
                    const std::vector<Integer>& Heights);
  // Someone is told of every row move (OnRowMoved, or a grid moving its rows in step): the row
  // operations then move rows one at a time, as the platform grid does.
  bool RowMovesObserved() const;
  void ClearRows(Integer RowIndex, Integer RCount);
  void ClearCols(Integer ColIndex, Integer CCount);

  // Automatic column widths (display columns): widest content plus Padding, within the limits.
  void AutoSizeCol(Integer ACol, Integer Padding = 0);
  void AutoSizeColumns(bool DoFixedCols, Integer Padding);
  // Zoom steps of the whole grid (ZoomFactor within -10 … 10) and sizing every cell to fit.
  void Zoom(Integer Delta);
  void AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY);
  void ZoomGrid(Integer Delta) {
    Zoom(Delta);
    AutoSizeCells(true, 4, 4);
  }
  // The search panel's buttons: true when Key is the accelerator of a shown, enabled button, whose
  // action then ran.
  bool SearchPanelDialogChar(Char Key);

  // --- Selection ------------------------------------------------------------------------------
  bool RowSelect(Integer ARow);
  void SetRowSelect(Integer ARow, bool Value);
  bool ColSelect(Integer ACol);
  void SetColSelect(Integer ACol, bool Value);
  bool RowModified(Integer ARow) const;
  void SetRowModified(Integer ARow, bool Value);
  bool RowEnabled(Integer ARow) const;
  void SetRowEnabled(Integer ARow, bool Value);
  bool SelectedCells(Integer ACol, Integer ARow) const;
  void SetSelectedCells(Integer ACol, Integer ARow, bool Value);
  TGridCoord SelectedCell(Integer I) const;
  Integer SelectedRow(Integer I) const;
  Integer RowSelectCount() const;
  Integer ColSelectCount() const;
  Integer SelectedRowCount() const;
  Integer SelectedColCount() const;
  Integer SelectedCellsCount();
  Integer ModifiedRowCount() const;
  void SelectRows(Integer RowIndex, Integer RCount);
  void UnSelectRows(Integer RowIndex, Integer RCount);
  void SelectCols(Integer ColIndex, Integer CCount);
  void UnSelectCols(Integer ColIndex, Integer CCount);
  void SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
  void SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
  void ClearRowSelect();
  void ClearColSelect();
  void ClearSelectedCells();
  void ClearModifiedRows();
  bool IsSelected(Integer ACol, Integer ARow);
  String SelectedText();
  void GotoCell(Integer ACol, Integer ARow);
  void EditCell(Integer ACol, Integer ARow);
  void FocusCell(Integer ACol, Integer ARow);
  void MoveToColRow(Integer ACol, Integer ARow);
  void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
  void RepaintRow(Integer ARow);
  void RepaintCol(Integer ACol);
  void RepaintRect(TRect R);
  void InvalidateGridRect(TGridRect R);
  // The height the search panel takes at the bottom of the grid, 0 when it is not shown.
  Integer SearchPanelHeight() const;
  bool LastRowAboveSearchPanel();
  void ScrollLastRowAboveSearchPanel();
  void SelectionToRowSelect(bool Force);
  void SelectionToColSelect(bool Force);
  TIntList* SelectedRowsList() const { return FSelectedRows; }

  // --- Update locking, timer and messages -----------------------------------------------------
  void BeginUpdate();
  void StartUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void ResetUpdate() { FUpdateCount = 0; }
  bool LockUpdate() const { return FUpdateCount != 0; }
  void SetLockUpdate(bool Value);
  Integer UpdateCount() const { return FUpdateCount; }
  void ResetFixedCellHighlight();
  bool IsHoverFixedCell(Integer ACol, Integer ARow) const;
  TCanvas* FooterCanvas();
  Integer TimerTicks() const { return FTimerTicks; }
  Integer GridTimerID() const { return FGridTimerID; }
  bool GridBlink() const { return FGridBlink; }

  // --- Published properties -------------------------------------------------------------------
  TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value);
  TColor HighlightTextColor() const { return FHighLightTextColor; }
  void SetHighlightTextColor(TColor Value);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  TColor ActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor Value);
  TColor ActiveCellColorTo() const { return FActiveCellColorTo; }
  void SetActiveCellColorTo(TColor Value);
  TFont* ActiveCellFont() const { return FActiveCellFont; }
  void SetActiveCellFont(TFont* Value);
  bool ActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor DisabledFontColor() const { return FDisabledFontColor; }
  void SetDisabledFontColor(TColor Value) { FDisabledFontColor = Value; }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value);
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value);
  TColor SelectionMirrorColor() const { return FSelectionMirrorColor; }
  void SetSelectionMirrorColor(TColor Value);
  TColor SelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
  void SetSelectionMirrorColorTo(TColor Value);
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value);
  bool SelectionColorMixer() const { return FSelectionColorMixer; }
  void SetSelectionColorMixer(bool Value);
  Integer SelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
  void SetSelectionColorMixerFactor(Integer Value);
  bool SelectionRectangle() const { return FSelectionRectangle; }
  void SetSelectionRectangle(bool Value);
  bool SelectionResizer() const { return FSelectionResizer; }
  void SetSelectionResizer(bool Value);
  bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
  void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  bool URLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool Value);
  bool URLUnderlineOnHover() const { return FURLUnderlineOnHover; }
  void SetURLUnderlineOnHover(bool Value) { FURLUnderlineOnHover = Value; }
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  bool URLEdit() const { return FURLEdit; }
  void SetURLEdit(bool Value) { FURLEdit = Value; }
  bool AutoFilterUpdate() const { return FAutoFilterUpdate; }
  void SetAutoFilterUpdate(bool Value) { FAutoFilterUpdate = Value; }
  bool EnableHTML() const { return FEnableHTML; }
  void SetEnableHTML(bool Value) { FEnableHTML = Value; }
  bool EnableWheel() const { return FEnableWheel; }
  void SetEnableWheel(bool Value) { FEnableWheel = Value; }
  bool EnhRowColMove() const { return FEnhRowColMove; }
  void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
  bool FilterNormalCellsOnly() const { return FFilterNormalCellsOnly; }
  void SetFilterNormalCellsOnly(bool Value) { FFilterNormalCellsOnly = Value; }
  bool IntelliZoom() const { return FIntelliZoom; }
  void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
  bool ShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool Value);
  bool ShowDesignHelper() const { return FShowDesignHelper; }
  void SetShowDesignHelper(bool Value);
  bool UseInternalHintClass() const { return FUseInternalHintClass; }
  void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
  bool HintShowCells() const { return FHintShowCells; }
  void SetHintShowCells(bool Value) { FHintShowCells = Value; }
  bool HintShowLargeText() const { return FHintShowLargeText; }
  void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
  THintShowLargeTextPos HintShowLargeTextPos() const { return FHintShowLargeTextPos; }
  void SetHintShowLargeTextPos(THintShowLargeTextPos Value) { FHintShowLargeTextPos = Value; }
  bool HintShowSizing() const { return FHintShowSizing; }
  void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
  bool HTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool Value) { FHTMLHint = Value; }
  bool OemConvert() const { return FOemConvert; }
  void SetOemConvert(bool Value) { FOemConvert = Value; }
  bool AnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  bool AutoNumAlign() const { return FAutoNumAlign; }
  void SetAutoNumAlign(bool Value) { FAutoNumAlign = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool EditWithTags() const { return FEditWithTags; }
  void SetEditWithTags(bool Value) { FEditWithTags = Value; }
  bool EnableBlink() const { return FEnableBlink; }
  void SetEnableBlink(bool Value) { FEnableBlink = Value; }
  bool EnhTextSize() const { return FEnhTextSize; }
  void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  bool FixedAsButtons() const { return FFixedAsButtons; }
  void SetFixedAsButtons(bool Value) { FFixedAsButtons = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool HideFocusRect() const { return FHideFocusRect; }
  void SetHideFocusRect(bool Value) { FHideFocusRect = Value; }
  bool Hovering() const { return FHovering; }
  void SetHovering(bool Value) { FHovering = Value; }
  bool IntegralHeight() const { return FIntegralHeight; }
  bool Lookup() const { return FLookup; }
  void SetLookup(bool Value) { FLookup = Value; }
  bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
  void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
  bool LookupHistory() const { return FLookupHistory; }
  void SetLookupHistory(bool Value) { FLookupHistory = Value; }
  bool Multilinecells() const { return FMultilineCells; }
  void SetMultilinecells(bool Value) { FMultilineCells = Value; }
  bool ScrollProportional() const { return FScrollProportional; }
  bool ScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool Value) { FScrollSynch = Value; }
  bool SizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }
  Integer MaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(Integer Value);
  Integer MaxComboLength() const { return FMaxComboLength; }
  void SetMaxComboLength(Integer Value) { FMaxComboLength = Value; }
  Integer ScrollWidth() const { return FScrollWidth; }
  TColor ScrollColor() const { return FScrollColor; }
  TScrollType ScrollType() const { return FScrollType; }
  TScrollHintType ScrollHints() const { return FScrollHints; }
  void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
  TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
  void SetScrollBarAlways(TScrollBarAlways Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  TEditorType DefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
  TFilterDropDownColumns FilterDropDownColumns() const { return FFilterDropDownColumns; }
  void SetFilterDropDownColumns(TFilterDropDownColumns Value) { FFilterDropDownColumns = Value; }
  THoverFixedCells HoverFixedCells() const { return FHoverFixedCells; }
  void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
  TIntelliPan IntelliPan() const { return FIntelliPan; }
  void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
  TInvalidEntryIcon InvalidEntryIcon() const { return FInvalidEntryIcon; }
  void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
  const String& InvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const String& Value) { FInvalidEntryTitle = Value; }
  const String& InvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const String& Value) { FInvalidEntryText = Value; }
  TGridLook Look() const { return FLook; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  Cardinal VAlign() const { return FVAlign; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  const String& FilterDropDownClear() const { return FFilterDropDownClear; }
  void SetFilterDropDownClear(const String& Value) { FFilterDropDownClear = Value; }
  const String& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const String& Value) { FFloatFormat = Value; }
  const String& ValidChars() const { return FValidChars; }
  void SetValidChars(const String& Value) { FValidChars = Value; }
  Integer FilterDropDownRow() const { return FFilterRow; }
  bool FilterActive() const { return FFilterActive; }
  bool FilterDropDownAuto() const { return FFilterDropDownAuto; }
  bool FilterDropDownCheck() const { return FFilterDropDownCheck; }
  TCursor Cursor() const { return TBaseGrid::Cursor(); }
  void SetCursor(TCursor Value);

  // Owned settings objects (written by assigning into them).
  TNavigation* Navigation() const { return FNavigation; }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  TMouseActions* MouseActions() const { return FMouseActions; }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TBands* Bands() const { return FBands; }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  TSyncGrid* SyncGrid() const { return FSyncGrid; }
  TSearchFooter* SearchFooter() const { return FSearchFooter; }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TFocusHelper* FocusHelper() const { return FFocusHelper; }
  void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
  TColumnSize* ColumnSize() const { return FColumnSize; }
  void SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
  TStringList* ColumnHeaders() const { return FColumnHeaders; }
  TStringList* RowHeaders() const { return FRowHeaders; }
  TStringList* LookupItems() const { return FLookupItems; }
  TFont* FixedFont() const { return FFixedFont; }
  TBitmap* RowIndicator() const { return FRowIndicator; }
  void SetRowIndicator(TBitmap* Value);
  TSortSettings* SortSettings() const { return FSortSettings; }
  TFilter* Filter() const { return FFilter; }
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown; }
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter; }
  TBalloonSettings* Balloon() const { return FBalloonSettings; }
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings; }
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions; }
  // Announces that the next column dropped on the grid is entry AIndex of the list box AList and
  // stands for the grid's hidden column ACol: the drop removes the entry, shows the column again
  // and moves it to where it was dropped. A list box freed before the drop is forgotten.
  void OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList);
  TGrouping* Grouping() const { return FGrouping; }
  TCellNode* CellNode() const { return FCellNode; }
  TPrintSettings* PrintSettings() const { return FPrintSettings; }
  THTMLSettings* HTMLSettings() const { return FHTMLSettings; }
  TControlLook* ControlLook() const { return FControlLook; }
  TBackGround* BackGround() const { return FBackGround; }
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance; }
  TShowModified* ShowModified() const { return FShowModified; }
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping; }
  // References, not owned.
  TExStringGridCheck* CellChecker() const { return FCellChecker; }
  void SetCellChecker(TExStringGridCheck* Value);
  TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
  void SetFixedDropDownMenu(TPopupMenu* Value);
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  TPictureContainer* PictureContainer() const { return FContainer; }
  void SetPictureContainer(TPictureContainer* Value);

  // --- Public properties ----------------------------------------------------------------------
  bool IsThemed() const { return FIsComCtl6; }
  bool IsPrintPreview() const { return FIsPrintPreview; }
  void SetIsPrintPreview(bool Value) { FIsPrintPreview = Value; }
  bool FitCellsInGrid() const { return FFitCellsInGrid; }
  void SetFitCellsInGrid(bool Value) { FFitCellsInGrid = Value; }
  Integer ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(Integer Value) { FZoomFactor = Value; }
  bool EditActive() const { return FEditActive; }
  bool FindBusy() const { return FFindBusy; }
  bool Modified() const { return FGridModified; }
  void SetModified(bool Value) { FGridModified = Value; }
  TEditorType CurrentEditor() const { return EditControl; }
  bool ShowNullDates() const { return FShowNullDates; }
  void SetShowNullDates(bool Value) { FShowNullDates = Value; }
  bool SpreadSheet() const { return FSpreadSheet; }
  void SetSpreadSheet(bool Value);
  TPoint XYOffset() const { return FXYOffset; }
  void SetXYOffset(TPoint Value);
  void UpdateXYOffset(Integer X, Integer Y) { FXYOffset = TPoint{X, Y}; }
  bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
  void SetXYOffsetTopLeftOnly(bool Value) { FXYOffsetTopLeftOnly = Value; }
  bool UseHTMLHints() const { return FUseHTMLHints; }
  // The hint window of the whole program renders mini-HTML while this is set.
  void SetUseHTMLHints(bool Value);
  bool UseDisabledFont() const { return FUseDisabledFont; }
  void SetUseDisabledFont(bool Value) { FUseDisabledFont = Value; }
  const TCharSet& ValidCharSet() const { return FValidCharSet; }
  void SetValidCharSet(const TCharSet& Value) { FValidCharSet = Value; }
  bool FilterIncremental() const { return FFilterIncremental; }
  void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
  Integer GroupColumn() const { return FGroupColumn; }
  const String& OriginalCellValue() const { return FCellCache; }
  void SetOriginalCellValue(const String& Value) { FCellCache = Value; }
  const String& IncrSearchText() const { return SearchInc; }
  void SetIncrSearchText(const String& Value) { SearchInc = Value; }
  TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
  void SetSelectionRectangleColor(TColor Value) { FSelectionRectangleColor = Value; }
  Char Delimiter() const { return FDelimiter; }
  void SetDelimiter(Char Value) { FDelimiter = Value; }
  Char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value) { FPasswordChar = Value; }
  bool JavaCSV() const { return FJavaCSV; }
  void SetJavaCSV(bool Value) { FJavaCSV = Value; }
  const String& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
  const String& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value) { FEditMask = Value; }
  const String& XMLEncoding() const { return FXMLEncoding; }
  void SetXMLEncoding(const String& Value) { FXMLEncoding = Value; }
  bool QuoteEmptyCells() const { return FQuoteEmptyCells; }
  void SetQuoteEmptyCells(bool Value) { FQuoteEmptyCells = Value; }
  bool AlwaysQuotes() const { return FAlwaysQuotes; }
  void SetAlwaysQuotes(bool Value) { FAlwaysQuotes = Value; }
  bool NoDefaultDraw() const { return FNoDefaultDraw; }
  void SetNoDefaultDraw(bool Value) { FNoDefaultDraw = Value; }
  bool NoImageAndText() const { return FNoImageAndText; }
  void SetNoImageAndText(bool Value) { FNoImageAndText = Value; }
  bool ClearTextOnly() const { return FClearTextOnly; }
  void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
  bool ExcelClipboardFormat() const { return FExcelClipboardFormat; }
  void SetExcelClipboardFormat(bool Value) { FExcelClipboardFormat = Value; }
  TSortDirection AutoNumberDirection() const { return FAutoNumberDirection; }
  void SetAutoNumberDirection(TSortDirection Value) { FAutoNumberDirection = Value; }
  Integer AutoNumberOffset() const { return FAutoNumberOffset; }
  void SetAutoNumberOffset(Integer Value) { FAutoNumberOffset = Value; }
  Integer AutoNumberStart() const { return FAutoNumberStart; }
  void SetAutoNumberStart(Integer Value) { FAutoNumberStart = Value; }
  bool LoadFirstRow() const { return FLoadFirstRow; }
  void SetLoadFirstRow(bool Value) { FLoadFirstRow = Value; }
  bool SaveFixedCells() const { return FSaveFixedCells; }
  void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
  bool SaveFixedCols() const { return FSaveFixedCols; }
  void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
  bool SaveFixedRows() const { return FSaveFixedRows; }
  void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
  bool SaveHiddenCells() const { return FSaveHiddenCells; }
  void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
  bool SaveVirtCells() const { return FSaveVirtCells; }
  void SetSaveVirtCells(bool Value) { FSaveVirtCells = Value; }
  bool SaveWithHTML() const { return FSaveWithHTML; }
  void SetSaveWithHTML(bool Value) { FSaveWithHTML = Value; }
  bool SaveWithRTF() const { return FSaveWithRTF; }
  void SetSaveWithRTF(bool Value) { FSaveWithRTF = Value; }
  bool FastPrint() const { return FFastPrint; }
  void SetFastPrint(bool Value) { FFastPrint = Value; }
  bool PrinterDriverFix() const { return FPrinterdriverfix; }
  void SetPrinterDriverFix(bool Value) { FPrinterdriverfix = Value; }
  Integer FindCol() const { return FFindCol; }
  void SetFindCol(Integer Value) { FFindCol = Value; }
  Integer FindRow() const { return FFindRow; }
  void SetFindRow(Integer Value) { FFindRow = Value; }
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
  bool SizeGrowOnly() const { return FSizeGrowOnly; }
  void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
  Integer MaxRowHeight() const { return FMaxRowHeight; }
  void SetMaxRowHeight(Integer Value) { FMaxRowHeight = Value; }
  Integer MinRowHeight() const { return FMinRowHeight; }
  void SetMinRowHeight(Integer Value) { FMinRowHeight = Value; }
  Integer MaxColWidth() const { return FMaxColWidth; }
  void SetMaxColWidth(Integer Value) { FMaxColWidth = Value; }
  Integer MinColWidth() const { return FMinColWidth; }
  void SetMinColWidth(Integer Value) { FMinColWidth = Value; }
  TColor NorvGradientFrom() const { return FNorvGradFrom; }
  void SetNorvGradientFrom(TColor Value);
  TColor NorvGradientTo() const { return FNorvGradTo; }
  void SetNorvGradientTo(TColor Value);
  TColor NorvGradientMirrorFrom() const { return FNorvGradMirrorFrom; }
  void SetNorvGradientMirrorFrom(TColor Value);
  TColor NorvGradientMirrorTo() const { return FNorvGradMirrorTo; }
  void SetNorvGradientMirrorTo(TColor Value);
  TColor NorvGradientHoverFrom() const { return FNorvGradHoverFrom; }
  void SetNorvGradientHoverFrom(TColor Value) { FNorvGradHoverFrom = Value; }
  TColor NorvGradientHoverTo() const { return FNorvGradHoverTo; }
  void SetNorvGradientHoverTo(TColor Value) { FNorvGradHoverTo = Value; }
  TColor NorvGradientHoverMirrorFrom() const { return FNorvGradHoverMirrorFrom; }
  void SetNorvGradientHoverMirrorFrom(TColor Value) { FNorvGradHoverMirrorFrom = Value; }
  TColor NorvGradientHoverMirrorTo() const { return FNorvGradHoverMirrorTo; }
  void SetNorvGradientHoverMirrorTo(TColor Value) { FNorvGradHoverMirrorTo = Value; }
  TColor NorvGradientHoverBorder() const { return FNorvGradHoverBorder; }
  void SetNorvGradientHoverBorder(TColor Value) { FNorvGradHoverBorder = Value; }
  TColor NorvGradientDownFrom() const { return FNorvGradDownFrom; }
  void SetNorvGradientDownFrom(TColor Value) { FNorvGradDownFrom = Value; }
  TColor NorvGradientDownTo() const { return FNorvGradDownTo; }
  void SetNorvGradientDownTo(TColor Value) { FNorvGradDownTo = Value; }
  TColor NorvGradientDownMirrorFrom() const { return FNorvGradDownMirrorFrom; }
  void SetNorvGradientDownMirrorFrom(TColor Value) { FNorvGradDownMirrorFrom = Value; }
  TColor NorvGradientDownMirrorTo() const { return FNorvGradDownMirrorTo; }
  void SetNorvGradientDownMirrorTo(TColor Value) { FNorvGradDownMirrorTo = Value; }
  TColor NorvGradientDownBorder() const { return FNorvGradDownBorder; }
  void SetNorvGradientDownBorder(TColor Value) { FNorvGradDownBorder = Value; }
  TStringList* FilterList() const { return FFilterList; }
  TSortIndexList* SortIndexes() const { return FSortIndexes; }
  TIntList* IgnoreColumns() const { return FIgnoreColumns; }
  THTMLPictureCache* ImageCache() const { return FImageCache; }
  TIntList* MergedColumns() const { return FMergedColumns; }
  TSearchPanel* SearchPanel() const { return FSearchPanel; }
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* Value) { FEditLink = Value; }
  TGridCombo* Combobox() const { return EditCombo; }
  TGridCombo* UniCombo() const { return EditCombo; }
  TGridEditBtn* BtnEdit() const { return EditBtn; }
  TGridButton* Btn() const { return GridButton; }
  TGridUnitEditBtn* BtnUnitEdit() const { return UnitEditBtn; }
  TGridCheckBox* CheckBoxEditor() const { return EditCheck; }
  bool InEditMode() const { return EditMode; }
  TCellGraphic* SharedCellGraphic() const { return FCellGraphic; }
  Integer PaintCount() const { return FPaintCount; }

  // --- Events ---------------------------------------------------------------------------------
  TGridColorEvent OnGetCellColor;
  TCellCursorEvent OnGetCellCursor;
  TGridGradientEvent OnGetCellGradient;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridAlignEvent OnGetAlignment;
  TGridFormatEvent OnGetFormat;
  TFloatFormatEvent OnGetFloatFormat;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TRowDisjunctSelectEvent OnRowDisjunctSelect;
  TAutoInsertRowEvent OnRowDisjunctSelected;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TRowChangingEvent OnRowChanging;
  TRowUpdateEvent OnRowUpdate;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TAutoAdvanceEvent OnAutoAdvance;
  TShowHintEvent OnShowHint;
  TCanAddRowEvent OnCanAddRow;
  TAutoAddRowEvent OnAutoAddRow;
  TCanInsertRowEvent OnCanInsertRow;
  TAutoInsertRowEvent OnAutoInsertRow;
  TAutoInsertColEvent OnAutoInsertCol;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TOleDragDropEvent OnOleDrop;
  TOleDragDropEvent OnOleDrag;
  TOleDragOverEvent OnOleDragOver;
  TOleDragStartEvent OnOleDragStart;
  TOleDragStopEvent OnOleDragStop;
  TOleDropColEvent OnOleDropCol;
  TOleDroppedEvent OnOleDropped;
  TOleDragDropEvent OnOleDropFile;
  TOleDragDropEvent OnOleDropURL;
  TClickSortEvent OnClickSort;
  TCanSortEvent OnCanSort;
  TNodeClickEvent OnExpandNode;
  TNodeClickEvent OnContractNode;
  TNodeAllowEvent OnBeforeExpandNode;
  TNodeAllowEvent OnBeforeContractNode;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;
  TSearchEditChangeEvent OnSearchEditChange;
  TSearchFooterActionEvent OnSearchFooterAction;
  TNotifyEvent OnSearchFooterClose;
  TClipboardEvent OnClipboardPaste;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardCopy;
  TClipboardBeforePasteEvent OnClipboardBeforePasteCell;
  TClipboardAfterPasteEvent OnClipboardAfterPasteCell;
  TClipboardBeforePasteEvent OnClipboardBeforePasteWideCell;
  TClipboardAfterPasteEvent OnClipboardAfterPasteWideCell;
  TPrintStartEvent OnPrintStart;
  TPrintCancelEvent OnPrintCancel;
  TPrintPageEvent OnPrintPage;
  TPrintGetPageNumEvent OnPrintGetPageNum;
  TPrintNewPageEvent OnPrintNewPage;
  TPrintPageDoneEvent OnPrintPageDone;
  TPrintColumnWidthEvent OnPrintSetColumnWidth;
  TPrintRowHeightEvent OnPrintSetRowHeight;
  TFitToPageEvent OnFitToPage;
  TClickCellEvent OnClickCell;
  TClickCellEvent OnRightClickCell;
  TDblClickCellEvent OnDblClickCell;
  TCanEditCellEvent OnCanEditCell;
  TCanClickCellEvent OnCanClickCell;
  TIsFixedCellEvent OnIsFixedCell;
  TFixedEditEvent OnFixedEdit;
  TIsPasswordCellEvent OnIsPasswordCell;
  TAnchorClickEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TControlClickEvent OnControlClick;
  TControlEditDoneEvent OnControlEditDone;
  TControlComboListEvent OnControlComboList;
  TControlComboSelectEvent OnControlComboSelect;
  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;
  TCellsChangedEvent OnCellsChanged;
  TGridProgressEvent OnFileProgress;
  TGridProgressEvent OnFilterProgress;
  TFixedDropDownClickEvent OnFixedDropDownClick;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TNotifyEvent OnRichEditSelectionChange;
  TGetColumnFilterEvent OnGetColumnFilter;
  TFilterSelectEvent OnFilterSelect;
  TFilterCheckEvent OnFilterCheck;
  TColorSelectedEvent OnColorSelected;
  TColorSelectEvent OnColorSelect;
  TImageSelectedEvent OnImageSelected;
  TImageSelectEvent OnImageSelect;
  TNotifyEvent OnFilterDone;
  TColumnSizeEvent OnColumnSize;
  TRowSizingEvent OnRowSizing;
  TColumnSizingEvent OnColumnSizing;
  TRowSizeEvent OnRowSize;
  TRowColMoveEvent OnColumnMove;
  TRowColMoveEvent OnColumnMoving;
  TRowColMoveEvent OnRowMove;
  TRowColMoveEvent OnRowMoving;
  TEndColumnSizeEvent OnEndColumnSize;
  TEndRowSizeEvent OnEndRowSize;
  TGetEditorTypeEvent OnGetEditorType;
  THasComboEvent OnHasComboBox;
  THasSpinEditEvent OnHasSpinEdit;
  TGetEditorPropEvent OnGetEditorProp;
  TGetEditorPropIntEvent OnGetEditorPropInt;
  TEllipsClickEvent OnEllipsClick;
  TGridUnitChangedEvent OnUnitChanged;
  TButtonClickEvent OnButtonClick;
  TExpandClickEvent OnExpandClick;
  TCheckBoxClickEvent OnCheckBoxClick;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TCheckBoxClickEvent OnCheckBoxChange;
  TRatingChangeEvent OnRatingChange;
  TRadioClickEvent OnRadioClick;
  TRadioClickEvent OnRadioMouseUp;
  TButtonClickEvent OnRadioButtonClick;
  TComboChangeEvent OnComboChange;
  TClickCellEvent OnComboCloseUp;
  TClickCellEvent OnComboDropDown;
  TClickCellEvent OnDatePickerCloseUp;
  TClickCellEvent OnDatePickerDropDown;
  TComboObjectChangeEvent OnComboObjectChange;
  TSpinClickEvent OnSpinClick;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TDateTimeChangeEvent OnDateTimeChange;
  TScrollHintEvent OnScrollHint;
  TNotifyEvent OnEditingDone;
  TEditChangeEvent OnEditChange;
  TEditCellDoneEvent OnEditCellDone;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  // OnResize is the control's own (fired by Resize); the owner form's handler is kept apart in
  // FOnResize while the grid follows the form.
  TCustomFilterEvent OnCustomFilter;
  TCustomCellDrawEvent OnCustomCellDraw;
  TCustomCellDrawEvent OnCustomCellBkgDraw;
  TCustomCellSizeEvent OnCustomCellSize;
  TSelectionResizeEvent OnSelectionResize;
  TSelectionResizedEvent OnSelectionResized;
  TWordWrapEvent OnGetWordWrap;
  TGroupCalcEvent OnGroupCalc;
  TGroupCalcEvent OnColumnCalc;
  TSelectionChanged OnSelectionChanged;
  TScrollCellEvent OnScrollCell;
  TNotifyEvent OnPainted;
  TGridBalloonEvent OnCellBalloon;
  TFooterPaintEvent OnFooterPaint;
  TFloatingFooterCalcEvent OnFooterCalc;
  TCellSaveLoadEvent OnSaveCell;
  TCellSaveLoadEvent OnLoadCell;
  TCustomStrToDateEvent OnCustomStrToDate;
  TNotifyEvent OnCreatedFloatingFooter;
  TNotifyEvent OnCreatedSearchFooter;
  TDropDownButtonClickEvent OnDropDownHeaderButtonClick;
  TDropDownButtonClickEvent OnDropDownFooterButtonClick;
  TNotifyEvent OnStartBlockFocus;
  TNotifyEvent OnEndBlockFocus;
  TGridBorderPropEvent OnGetCellBorderProp;

  // --- The grid's own virtual operations, in slot order ---------------------------------------
  virtual void DoCalcFooter(Integer ACol);
  virtual void DoClickSort(Integer ACol);
  virtual void AfterF2Key();
  virtual void SetEditCellText(Integer ACol, Integer ARow, const String& Value);
  virtual void AdjustKeySelectAll(TGridRect& R);
  virtual void PasteCellValue(Integer ACol, Integer ARow, const String& Value);
  virtual String GetCurrentCell();
  virtual void SetCurrentCell(const String& Value);
  virtual String GetCurrentCellText();
  virtual void SetCurrentEditText(const String& Value);
  virtual void RestoreCellValue();
  virtual bool ToggleCheckBox(Integer ACol, Integer ARow, bool CheckEditable);
  virtual bool ToggleRadioButton(Integer ACol, Integer ARow, bool CheckEditable);
  virtual String GetFormattedCell(Integer ACol, Integer ARow);
  virtual String GetCellFloatFormat(Integer ACol, Integer ARow);
  virtual TCellType GetCellType(Integer ACol, Integer ARow);
  virtual TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow);
  virtual TPoint GetCellGraphicSize(Integer ACol, Integer ARow);
  virtual TPoint CalcCellGraphicSize(Integer ACol, Integer ARow, Integer HeightReserve);
  virtual TPoint GetPrintGraphicSize(Integer ACol, Integer ARow, Integer cw, Integer ch, double Scale);
  virtual void PrintGetPageNum(Integer PageNum, Integer PageColNum, String& PageNumString);
  virtual void GetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink);
  virtual void CheckBoxClick(Integer ACol, Integer ARow, bool State);
  virtual void FixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
  virtual void DoSelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
  virtual void EditorCaretChange(const String& Text, Integer CaretPos, Integer SelStart);
  virtual void DoInsertRow(Integer ARow);
  virtual void DoDeleteRow(Integer ARow);
  virtual void FilterDone();
  virtual void UpdateColumnSize(Integer ACol, Integer& AWidth);
  virtual void UpdateAutoColumnSize(Integer ACol, Integer& AWidth);
  virtual void SyncColumnHeaders();
  virtual void EllipsClick(const String& Value, String& Result);
  virtual bool MatchFilterRow(Integer ARow);
  virtual void PasteStarted();
  virtual void PasteFinished();
  virtual void CellsPasted(TPoint& TopLeft, TGridRect& R, TClipOperation Op);
  virtual String GetCellText(Integer ACol, Integer ARow);
  virtual String SaveCell(Integer ACol, Integer ARow);
  virtual void LoadCell(Integer ACol, Integer ARow, const String& Value);
  virtual void RecalcFooterCol(Integer ACol);
  virtual void RememberCellValue(Integer ACol, Integer ARow);
  virtual void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
  virtual void SearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction SearchAction);
  virtual void ButtonClick(Integer ACol, Integer ARow);
  virtual void ExpandClick(Integer ACol, Integer ARow, bool Expanded);
  virtual void ComboCloseUp(Integer ARow, Integer ACol);
  virtual void ComboDropDown(Integer ARow, Integer ACol);
  virtual void GetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y);
  virtual void CellsChanged(TRect R);
  virtual void AllCellsChanged();
  virtual void GetCellHint(Integer ACol, Integer ARow, String& Hint, String& WideHint);
  virtual void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix);
  virtual void GetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor);
  virtual void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor);
  virtual bool IsNoEditCell(Integer ACol, Integer ARow);
  virtual void IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed);
  virtual void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
  virtual void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword);
  virtual void GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap);
  virtual bool HasComboBox(Integer ACol, Integer ARow);
  virtual bool HasSpinEdit(Integer ACol, Integer ARow);
  virtual void GetCheckTrue(Integer ACol, Integer ARow, String& Value);
  virtual void GetCheckFalse(Integer ACol, Integer ARow, String& Value);
  virtual bool BuildFilterList(Integer ACol);
  virtual TGridRect GetUsedCells();
  virtual void DoRemoveRows(Integer RowIndex, Integer RCount);
  virtual void CanAddRow(bool& CanAdd);
  virtual void CanInsertRow(Integer ARow, bool& CanInsert);
  virtual void MouseWheelHook(Integer Delta, bool& Handled);
  virtual void AddRowInternal();
  virtual void CellSelectorClick(Integer ACol, Integer ARow);
  virtual void FormulaEditChange(bool Active);
  virtual void AdjustClickSelectAll(TGridRect& R);
  virtual void MouseActionsChanged();
  virtual void IsDesigning(TObject* Sender, bool& Designing);
  virtual void MouseActionsInvalidate();
  virtual void ClearEditingOption();
  virtual void EditorKeyDown(Word& Key, TShiftState Shift);
  virtual void EditorWMKeyDown(TMessage& Msg);
  virtual void NavigationChanged();
  virtual void MoveToFirstRow();
  virtual bool AllowFormattedClipboard();
  virtual void FilterListSelect();
  virtual void FilterCheckListSelect();
  virtual void PaintDesignHelper();
  virtual void DesignHelperClick(Integer X, Integer Y);
  virtual void CheckBoxChange(Integer ACol, Integer ARow, bool State);
  virtual bool RatingChange(Integer ACol, Integer ARow, double& NewRate);
  virtual void ColorSelect(Integer ACol, Integer ARow, TColor Color, const String& Value);
  virtual void ImageSelect(Integer ACol, Integer ARow, Integer Index);
  virtual bool CellChanging(Integer NewCol, Integer NewRow, bool& Allow);
  virtual void ScrollCell(Integer ACol, Integer ARow, Integer ScrollPosition, Integer ScrollMin, Integer ScrollMax);
  virtual bool CanShowFixedDropDown(Integer ACol);
  virtual void StartBlockFocus();
  virtual void EndBlockFocus();
  virtual TImageList* GetCellImageList(Integer ACol, Integer ARow);
  virtual void ExportNotification(TGridExportState AState, Integer ARow);
  virtual void ImportNotification(TGridImportState AState, Integer ARow);
  virtual void AssignCells(TPersistent* Source);
  virtual Integer GetVersionNr();
  virtual String GetVersionString();
  virtual bool ValidateCell(const String& NewValue);
  virtual bool ValidateCellWide(const String& NewValue);
  virtual void RemoveRowsEx(Integer RowIndex, Integer RCount);
  virtual void RemoveRows(Integer RowIndex, Integer RCount);
  virtual void InsertRows(Integer RowIndex, Integer RCount, bool UpdateCellControls = true);
  virtual void RemoveCols(Integer ColIndex, Integer CCount);
  virtual void InsertCols(Integer ColIndex, Integer CCount);
  virtual void SubGroup(Integer Colindex);
  virtual void SubUnGroup(Integer Colindex);
  virtual void Group(Integer Colindex);
  virtual void UnGroup();
  virtual void SortSwapRows(Integer ARow1, Integer ARow2);
  virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
  virtual void TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  virtual void SetStyle(TExGridStyle AStyle);
  virtual void QSort();
  virtual void QSortIndexed();
  virtual void QSortGroup();
  virtual void QSortGroupIndexed();
  virtual void QUnSort();
  virtual void CalcFooter(Integer ACol);

  // --- Reading many cells without copying their texts -----------------------------------------
  // Whether GetFormattedCell may give other than the cell text (GetCellEx) in column ACol; an
  // override of GetFormattedCell answers for itself and gives the cell text where this is false.
  virtual bool FormatsCellText(Integer ACol);
  // GetFormattedCell's and SaveCell's texts read as CellExRef reads GetCellEx's: a reference to the
  // stored text where that is the answer, else to Scratch holding it. SaveCell gives a copy of
  // SaveCellRef's text.
  const String& FormattedCellRef(Integer ACol, Integer ARow, String& Scratch);
  const String& SaveCellRef(Integer ACol, Integer ARow, String& Scratch);

  // --- Overrides of the base grid's virtual operations ----------------------------------------
  bool IsFixed(Integer ACol, Integer ARow) override;
  Integer GetRowIndent(Integer ARow) override;
  bool HasNodes() override;
  void DrawGridCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
  void LastRowChanged() override;
  void DoGetDisplText(Integer ACol, Integer ARow, String& Value) override;
  bool ChangesDisplText(Integer ACol, Integer ARow) override;
  void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                       TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                       TCellGradientDirection& GD) override;
  void CellTextChanged(Integer ACol, Integer ARow) override;
  bool HasCellBorderEvent() override { return static_cast<bool>(OnGetCellBorder); }
  bool UsesVCLStyles() override { return FUseVCLStyles; }
  void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                           TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                           TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                           TCellGradientDirection& GD) override;
  Integer DisplColIndex(Integer ACol) override { return RealToDisplayCol(ACol); }
  Integer TotalColCount() override { return ColCount() + FNumHidden; }

  // The platform dynamic Click: OnClick, then the cell value is remembered for Esc.
  void Click() override;

  // The combo editor as a window and its state, and the texts of the other editors (read by the
  // window procedure's command handling; bodies in the editing sources).
  TWinControl* ComboEditorControl() const;
  Integer ComboEditorItemIndex() const;
  String ComboEditorText() const;
  void SetComboEditorText(const String& Value);
  String ComboEditorItem(Integer Index) const;
  TObject* ComboEditorObject(Integer Index) const;
  // The text of the editor shown now (text, spin or edit-button editor).
  String ActiveEditorText() const;
  // The window of the edit link's control and the text of its combo item, when it has one.
  TWinControl* EditLinkControl() const;
  String EditLinkItemText(Integer Index) const;

  // ===== end core =====

  // ===== painting and cell graphics: ExGridPaint*.cpp =====
  // Frame of the non-client border in BorderColor.
  void PaintNCBorder();
  // Moves the focus-frame window back over the current cell (nothing when it is there already).
  // Every window move runs it for ActiveFocusGrid, so the frame follows a form that moves while
  // an editor is open.
  void MoveFocusFrame();
  // Writes ColumnHeaders / RowHeaders into the header cells.
  void ShowColumnHeaders();
  void ShowRowHeaders();
  // Re-places the controls of the cell control list over their cells (Rebuild: from the cells).
  void CellControlsUpdate(bool Rebuild = false);
  // Applies the desktop's current Office theme.
  void ApplyOfficeTheme();
  // Adapts the look to a change of the platform's theme.
  void ThemeAdapt();
  void SetLook(TGridLook Value);
  // Makes and frees the owned painting objects (control look, background, progress look, the
  // shared cell graphic).
  void CreatePaintObjects();
  void FreePaintObjects();

  // --- Looks and colours (ExGridLook.cpp) --------------------------------------------------------
  void SetControlLook(TControlLook* Value);
  void SetBackGround(TBackGround* Value);
  void SetProgressAppearance(TGridProgressAppearance* Value);
  // Copies the given settings into the grid's own.
  void SetSyncGrid(TSyncGrid* Value);
  // The scheme of the same ordinal, passed on to the drop-down editors.
  void SetComponentStyle(TNorvStyle AStyle);
  TNorvStyle ComponentStyle() const { return FStyle; }
  // The flat look of colour tones: glClassic, Flat, the metro glyphs and the tones' colours.
  void SetColorTones(TColorTones ATones);
  const TColorTones& Tones() const { return FTones; }
  // Scheme: a TXPColorScheme.
  void SetTheme(Byte Scheme);
  void UpdateVCLStyle();
  // Restyles the drop-down editors the grid has made.
  void SetEditorsComponentStyle(TNorvStyle AStyle);
  void SetEditorsColorTones(const TColorTones& ATones);
  // The font and colour of a cell for measuring: fixed font or Font, the cell's own font settings
  // (real column RCol), then the colour hook.
  void GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState AState, TFont* AFont,
                         TBrush* ABrush, bool Remap);

  // --- Painting (ExGridPaint.cpp) ----------------------------------------------------------------
  // The empty area right of the last column and below the last row: gradient or picture.
  void PaintBackground();
  void DrawBackgroundBitmap(const TRect& R);
  void TileBackgroundBitmap(const TRect& R);
  // A rich-text cell as its text in the rectangle.
  void DrawRTFCell(Integer ACol, Integer ARow, TCanvas* ACanvas, TRect ARect);

  // --- Text layout and measuring (ExGridText.cpp) ------------------------------------------------
  // Alignment of a cell (real column): default, numbers to the right, the cell's own, the hook.
  void CalcCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
  // The size of a cell's text (real column); VS: the height at the cell's width; SB: 17 pixels
  // kept free at the right.
  TSize GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB);
  void CalcCellTextSize(Integer ACol, Integer DCol, Integer ARow, bool VS, bool SB, TSize& Size);
  // Measures Text with the canvas font and places the rotated text's origin in R shrunk by 2.
  void PlaceRotatedCellText(TCanvas* ACanvas, TRect& R, Integer Angle, const String& Text, TAlignment HAlign,
                            TVAlignment VAlign);
  // The sort glyph of a header cell centred at (X, Y).
  void DrawSortIndicator(TCanvas* ACanvas, Integer ACol, Integer X, Integer Y);
  // The row that carries the sort indicator.
  bool IsSortIndicatorRow(Integer ACol, Integer ARow);
  // The balloon of the cell (display column ACol): its text, title and icon as the tooltip shows
  // them; false when the balloons are off or the cell is outside the grid.
  bool GetCellBalloon(Integer ACol, Integer ARow, String& ATitle, String& AText, Integer& AIcon);

  // --- Cell graphics drawing (ExGridCellDraw.cpp) ------------------------------------------------
  struct TCellGraphicLayout {
    TCellGraphic* Graphic = nullptr;
    Integer Width = 0;
    Integer Height = 0;
    bool DrawText = true;
    Byte HAlign = 0;  // TCellHAlign
    Byte VAlign = 0;  // TCellVAlign
  };
  TCellGraphicLayout GetCellGraphicLayout(Integer ACol, Integer ARow);
  // One check-box glyph in R on ACanvas (the grid's own canvas when nullptr).
  void DrawCheckBox(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed, Byte Style, bool TriState,
                    TCheckBoxState State);
  // A column or row of captioned radio buttons.
  void DrawRadioGroup(TCanvas* ACanvas, TRect R, Integer Count, Integer Index, bool Horizontal, bool Disabled,
                      TStrings* Items, bool Selected, Integer ACol, Integer ARow, Byte Style, double Scale,
                      bool Print);

  // --- Paint overlays (ExGridPaintOverlays.cpp) ---------------------------------------------------
  void DrawColumnMoveIndicator(Integer X);
  void DrawRowMoveIndicator(Integer Y);
  void ShowFocusFrame(TRect R);
  void HideFocusFrame();
  // The item of the quick configuration box at (X, Y): 1 "Allow edit", 2 "Column numbers", 3 the
  // look line, 4 the close box, -1 none.
  Integer DesignHelperHitTest(Integer X, Integer Y);
  bool ShowColNrs() const { return FShowColNrs; }

  // Arguments named hal, val, StretchMode, Shape, Icon and Style take the values of TCellHAlign,
  // TCellVAlign, TStretchMode, TCellShape, TBalloonIcon and TGridControlStyle (ExGridGraphics.h,
  // ExGridLook.h, ExUtil.h).
  // --- Cell graphic model and API (ExGridCellGraphics.cpp, ExGridCellControls.cpp,
  //     ExGridPictures.cpp) -----------------------------------------------------------------------
  TCellGraphic* CellGraphics(Integer ACol, Integer ARow) { return GetCellGraphic(ACol, ARow); }
  TCellType CellTypes(Integer ACol, Integer ARow) { return GetCellType(ACol, ARow); }
  TPoint CellGraphicSize(Integer ACol, Integer ARow) { return GetCellGraphicSize(ACol, ARow); }
  TCellGraphic* CreateCellGraphic(Integer ACol, Integer ARow);
  bool RemoveCellGraphic(Integer ACol, Integer ARow);
  bool RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType ACellType);
  bool HasCellGraphicType(Integer ACol, Integer ARow, TGridSet<TCellType> ATypes);
  // The cell reacts to clicks and keys instead of opening an editor.
  bool HasCellControl(Integer ACol, Integer ARow);
  TIntList* GetCellImages(Integer ACol, Integer ARow);
  TIntList* CellImages(Integer ACol, Integer ARow) { return GetCellImages(ACol, ARow); }
  Integer GetImageSortKey(Integer ACol, Integer ARow);
  void CellImagesChanged(TObject* Sender, Integer ACol, Integer ARow);

  // Check boxes.
  void AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data);
  void AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State);
  void AddCheckBoxColumn(Integer ACol, bool DefaultState = false, bool DataCheckBox = false);
  void AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State);
  void RemoveCheckBox(Integer ACol, Integer ARow);
  void RemoveCheckBoxColumn(Integer ACol);
  bool HasCheckBox(Integer ACol, Integer ARow);
  bool HasDataCheckBox(Integer ACol, Integer ARow);
  static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
  bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State);
  bool GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State);
  bool IsChecked(Integer ACol, Integer ARow);
  bool SetCheckBoxState(Integer ACol, Integer ARow, bool State);
  bool SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State);
  bool SetCheckBoxValue(Integer ACol, Integer ARow, bool Value);
  void CheckAll(Integer ACol);
  void UnCheckAll(Integer ACol);
  bool ToggleCheckBox(Integer ACol, Integer ARow) { return ToggleCheckBox(ACol, ARow, false); }
  bool IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos);
  // Radio buttons, one per cell.
  void AddRadioButton(Integer ACol, Integer ARow, bool State = false);
  void RemoveRadioButton(Integer ACol, Integer ARow);
  bool HasRadioButton(Integer ACol, Integer ARow);
  void AddRadioButtonColumn(Integer ACol);
  void RemoveRadioButtonColumn(Integer ACol);
  bool IsRadioButtonChecked(Integer ACol, Integer ARow);
  bool SetRadioButtonState(Integer ACol, Integer ARow, bool State);
  void SetRadioButtonColumnIndex(Integer ACol, Integer Index);
  Integer GetRadioButtonColumnIndex(Integer ACol);
  // Radio groups: captioned options in one cell.
  void AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl);
  TStrings* CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio);
  bool GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio);
  bool SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio);
  TStrings* GetRadioStrings(Integer ACol, Integer ARow);
  bool IsRadio(Integer ACol, Integer ARow);
  void RemoveRadio(Integer ACol, Integer ARow);
  void StepRadioGroup(Integer ACol, Integer ARow, bool CheckEditable);
  // Push buttons (SetButtonText, GetButtonText, PushButton, GetCellControlRect: display column).
  void AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, Byte hal, Byte val);
  void AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, TBitmap* Glyph,
                    Byte hal, Byte val);
  TBitmap* CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, Byte hal,
                           Byte val);
  void SetButtonText(Integer ACol, Integer ARow, const String& Caption);
  String GetButtonText(Integer ACol, Integer ARow);
  void PushButton(Integer ACol, Integer ARow, bool Push);
  bool HasButton(Integer ACol, Integer ARow);
  void RemoveButton(Integer ACol, Integer ARow);
  void RemoveBitButton(Integer ACol, Integer ARow);
  void RemoveAllButtons();
  TRect GetCellControlRect(Integer ACol, Integer ARow);
  // Expand cells.
  void AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight);
  bool HasExpand(Integer ACol, Integer ARow);
  void RemoveExpand(Integer ACol, Integer ARow);
  bool ToggleExpand(Integer ACol, Integer ARow);
  bool GetExpandState(Integer ACol, Integer ARow);
  Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded);
  TRect GetExpandRect(Integer ACol, Integer ARow);
  // Cell scroll bars.
  void AddScrollBar(Integer ACol, Integer ARow, bool AutoRange);
  bool HasScrollBar(Integer ACol, Integer ARow);
  void RemoveScrollBar(Integer ACol, Integer ARow);
  bool HasAutoRangeScrollBar(Integer ACol, Integer ARow);
  void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos);
  Integer GetScrollPosition(Integer ACol, Integer ARow);
  void SetScrollProp(Integer ACol, Integer ARow, struct TScrollProp Prop);
  struct TScrollProp GetScrollProp(Integer ACol, Integer ARow);
  // Error markers.
  void AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen);
  void RemoveMarker(Integer ACol, Integer ARow);
  void RemoveAllMarkers();
  void GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen);
  // Balloons.
  void AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text, Byte Icon);
  void RemoveBalloon(Integer ACol, Integer ARow);
  bool HasBalloon(Integer ACol, Integer ARow);
  bool IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, Integer& Icon);

  // Bitmaps, pictures, icons.
  void AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, Byte hal, Byte val);
  TBitmap* CreateBitmap(Integer ACol, Integer ARow, bool Transparent, Byte hal, Byte val);
  TBitmap* GetBitmap(Integer ACol, Integer ARow);
  bool HasBitmap(Integer ACol, Integer ARow) { return GetBitmap(ACol, ARow) != nullptr; }
  void RemoveBitmap(Integer ACol, Integer ARow);
  void AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool Transparent, Byte StretchMode,
                  Integer Padding, Byte hal, Byte val);
  TPicture* CreatePicture(Integer ACol, Integer ARow, bool Transparent, Byte StretchMode, Integer Padding, Byte hal,
                          Byte val);
  TPicture* GetPicture(Integer ACol, Integer ARow);
  bool HasPicture(Integer ACol, Integer ARow) { return GetPicture(ACol, ARow) != nullptr; }
  void RemovePicture(Integer ACol, Integer ARow);
  void AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent, Byte StretchMode,
                      Integer Padding, Byte hal, Byte val);
  TFilePicture* CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, Byte StretchMode, Integer Padding,
                                  Byte hal, Byte val);
  TFilePicture* GetFilePicture(Integer ACol, Integer ARow);
  void RemoveFilePicture(Integer ACol, Integer ARow);
  void AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, Byte hal, Byte val);
  TIcon* CreateIcon(Integer ACol, Integer ARow, Byte hal, Byte val);
  void RemoveIcon(Integer ACol, Integer ARow);
  // Images of GridImages.
  void AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, Byte hal, Byte val);
  bool GetImageIdx(Integer ACol, Integer ARow, Integer& idx);
  void SetImageIdx(Integer ACol, Integer ARow, Integer Idx);
  void RemoveImageIdx(Integer ACol, Integer ARow);
  void AddDataImage(Integer ACol, Integer ARow, Integer Aidx, Byte hal, Byte val);
  bool HasDataImage(Integer ACol, Integer ARow);
  void RemoveDataImage(Integer ACol, Integer ARow);
  void AddMultiImage(Integer ACol, Integer ARow, Integer Dir, Byte hal, Byte val);
  void RemoveMultiImage(Integer ACol, Integer ARow);
  // Objects that draw themselves.
  void AddInterfacedCell(Integer ACol, Integer ARow, class TCellDrawer* AObject);
  class TCellDrawer* GetInterfacedCell(Integer ACol, Integer ARow);
  void RemoveInterfacedCell(Integer ACol, Integer ARow);
  // Rotated text.
  void AddRotated(Integer ACol, Integer ARow, int16_t AAngle, const String& s);
  void SetRotated(Integer ACol, Integer ARow, int16_t AAngle);
  bool IsRotated(Integer ACol, Integer ARow, Integer& aAngle);
  void RemoveRotated(Integer ACol, Integer ARow);
  // Progress bars, pies and range indicators.
  void AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                     TColor BKTextColor);
  void AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const String& Fmt, Integer Min, Integer Max);
  bool HasProgress(Integer ACol, Integer ARow);
  void RemoveProgress(Integer ACol, Integer ARow);
  void AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max);
  void RemoveExProgress(Integer ACol, Integer ARow);
  void AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value);
  void SetProgressPie(Integer ACol, Integer ARow, Integer Value);
  void RemoveProgressPie(Integer ACol, Integer ARow);
  void AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                         bool ShowValue);
  void RemoveRangeIndicator(Integer ACol, Integer ARow);
  // Comments.
  void AddComment(Integer ACol, Integer ARow, const String& Comment);
  void AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color);
  bool IsComment(Integer ACol, Integer ARow, String& Comment);
  String GetComment(Integer ACol, Integer ARow);
  void SetComment(Integer ACol, Integer ARow, const String& Value);
  String CellComment(Integer ACol, Integer ARow) { return GetComment(ACol, ARow); }
  void SetCellComment(Integer ACol, Integer ARow, const String& Value) { SetComment(ACol, ARow, Value); }
  void RemoveComment(Integer ACol, Integer ARow);
  void RemoveAllComments();
  // Shapes and ratings.
  void AddShape(Integer ACol, Integer ARow, Byte Shape, TColor FillColor, TColor LineColor, Byte hal, Byte val);
  void SetShapeColor(Integer ACol, Integer ARow, TColor FillColor);
  TColor GetShapeColor(Integer ACol, Integer ARow);
  void RemoveShape(Integer ACol, Integer ARow);
  void AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(Integer ACol, Integer ARow);
  void RemoveRating(Integer ACol, Integer ARow);

  // --- Text marking, checking and fills (ExGridMarking.cpp) --------------------------------------
  String HilightText(bool DoCase, const String& S, const String& Text);
  String UnHilightText(const String& S);
  String MarkText(bool DoCase, const String& S, const String& Text);
  String UnMarkText(const String& S);
  void HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText);
  void HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText);
  void HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText);
  void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void UnHilightInCell(Integer Col, Integer Row);
  void UnHilightInCol(bool DoFixed, Integer Col);
  void UnHilightInRow(bool DoFixed, Integer Row);
  void UnHilightInGrid(bool DoFixed);
  void UnMarkInCell(Integer Col, Integer Row);
  void UnMarkInCol(bool DoFixed, Integer Col);
  void UnMarkInRow(bool DoFixed, Integer Row);
  void UnMarkInGrid(bool DoFixed);
  void AddTextTagInRange(const String& HiText, const String& Tag, bool DoCase, Integer FromCol, Integer FromRow,
                         Integer ToCol, Integer ToRow);
  void RemoveTextTagInRange(const String& Tag, Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
  // True when the checker changed none of the cells.
  bool CheckCell(Integer Col, Integer Row);
  bool CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
  bool CheckCol(bool DoFixed, Integer Col);
  bool CheckRow(bool DoFixed, Integer Row);
  bool CheckGrid(bool DoFixed);
  void TextFill(bool DoFixed, const String& Txt);
  void FormatFill(bool DoFixed, const String& Fmt);
  void RandomFill(bool DoFixed, Integer Rnd);
  void LinearFill(bool DoFixed);
  TDateTime Dates(Integer ACol, Integer ARow) { return GetDates(ACol, ARow); }
  void SetDates(Integer ACol, Integer ARow, TDateTime Value);
  TDateTime GetDates(Integer ACol, Integer ARow);
  TDateTime Times(Integer ACol, Integer ARow) { return GetTimes(ACol, ARow); }
  void SetTimes(Integer ACol, Integer ARow, TDateTime Value);
  TDateTime GetTimes(Integer ACol, Integer ARow);
  void AutoNumberCol(Integer ACol);
  void AutoNumberRow(Integer ARow);
  // The cell's number; raises EStringGridError with the position of the first wrong character.
  double CellToReal(Integer ACol, Integer ARow);

  // --- Rich text and header texts (ExGridRichText.cpp) --------------------------------------------
  void CellToRich(Integer Col, Integer Row, class TRichEdit* Richeditor);
  String RichToString(class TRichEdit* Richeditor);
  void RichToCell(Integer Col, Integer Row, class TRichEdit* Richeditor);
  void ClearColumnHeaders();
  void ClearRowHeaders();
  void SetColumnHeaders(TStrings* Value);
  void SetRowHeaders(TStrings* Value);
  void SetFixedFont(TFont* Value);
  void SetLookupItems(TStrings* Value);
  void MergedColumnsChanged();
  void SplitAllColumnCells();
  void MergeAllColumnCells();
  Integer GetPrintColWidth(Integer ACol);
  Integer GetPrintColOffset(Integer ACol);
  Integer PrintColWidth(Integer ACol) { return GetPrintColWidth(ACol); }
  Integer PrintColOffset(Integer ACol) { return GetPrintColOffset(ACol); }
  // The in-place rich-text editor's selection changed: fires OnRichEditSelectionChange.
  void RichEditSelectionChange(TObject* Sender);
  // The in-place rich-text editor when it was made, and whether the grid is moving the focus itself.
  TExRichEdit* InplaceRichEditControl() const { return FInplaceRichEdit; }
  bool FocusChangeInvoked() const { return InvokedFocusChange; }
  // ===== end painting =====

  // ===== editing: ExGridEdit*.cpp =====
  // Closes any in-place editor (committing a special editor) and leaves edit mode.
  void HideInplaceEdit();
  void ShowInplaceEdit();
  // Makes and frees the owned editing objects and editor controls.
  void CreateEditObjects();
  void FreeEditObjects();

  // --- Editing flow (ExGridEdit.cpp) ----------------------------------------------------------
  // Called by the editor controls when a key ends the edit: closes the editor and lets the grid
  // act on the key (Tab, arrows, Enter's advance).
  void DoneInplaceEdit(Word Key, TShiftState Shift);
  // The cell (real column, display row) may be edited now / in principle (merged cells by their
  // base cell).
  bool IsEditable(Integer ACol, Integer ARow);
  bool IsCellEditable(Integer ACol, Integer ARow);
  // Fires OnEditingDone, leaves edit mode and posts "GridEditDone" (real column, row) to the grid.
  void NotifyEditingDone(Integer ACol, Integer ARow);
  // Tab validates the edited cell: goTabs is set or a validation event is assigned.
  bool ValidateOnTab();
  // The cell (real column, display row) is operated by click and Space: its base cell shows a
  // check box, radio or button.
  bool IsControlCell(Integer ACol, Integer ARow);
  // The text editor, nullptr before the first text edit.
  TExInplaceEdit* NormalEdit() const;
  // The items of the combo editor.
  void ClearComboString();
  void AddComboString(const String& S);
  void AddComboStringObject(const String& S, TObject* AObject);
  bool RemoveComboString(const String& S);
  bool SetComboSelectionString(const String& S);
  void SetComboSelection(Integer Idx);
  Integer GetComboCount();
  Integer ComboIndex(Integer ACol, Integer ARow);
  void SetComboIndex(Integer ACol, Integer ARow, Integer Value);
  // The form a control sits on (the control itself when it is a form), nullptr when none.
  static TCustomForm* GetParentFormOf(TControl* Control);

  // --- Special editors (ExGridEditSpecial.cpp) ------------------------------------------------
  // Shows the editor of EditControl over the cell (display column) / reads its value back.
  void ShowSpecialEditor(Integer ACol, Integer ARow);
  void CommitSpecialEditor(Integer ACol, Integer ARow);
  void HideCellEdit();
  void ShowCellEdit();
  // The editors made on first use.
  TGridSpin* SpinEdit();
  TGridDatePicker* DateTimePicker();
  TGridDateTimePicker* DateAndTimePicker();
  TGridTrackbarDropDown* TrackbarDropDown();
  TGridMemoDropDown* MemoDropDown();
  TGridCalculatorDropDown* CalculatorDropDown();
  TGridTimepickerDropDown* TimePickerDropDown();
  TGridDetailPickerDropDown* DetailPickerDropDown();
  TGridGridDropDown* GridDropDown();
  TGridColorDropDown* ColorPickerDropDown();
  TGridImageDropDown* ImagePickerDropDown();
  TGridExGridDropDown* ExGridDropDown();
  // The hidden rich edit that converts rich-text cells, and the in-place rich-text editor.
  TExRichEdit* RichEdit();
  TExRichEdit* InplaceRichEdit();
  // Handlers the grid gives its editor controls.
  void DoDateTimeChange(TObject* Sender);
  void DoDatePickerEditChange(TObject* Sender);
  void DoDatePickerCloseUp(TObject* Sender);
  void DoDatePickerDropDown(TObject* Sender);
  void DropDownHeaderButtonClick(TObject* Sender, Integer ButtonIndex);
  void DropDownFooterButtonClick(TObject* Sender, Integer ButtonIndex);
  void MemoDropDownChange(TObject* Sender);
  void UnitChanged(TObject* Sender, const String& NewUnit);
  // The window procedure an edit link puts on its control.
  void EditControlWndProc(TMessage& Message);

  // --- Form controls in HTML cells (ExGridHtmlControls.cpp) -----------------------------------
  void EditHtmlControl(Integer ACol, Integer ARow, const String& ID);
  void ShowHtmlControlEditor(const String& CellText, const String& CtrlType, Integer ARow, Integer ACol,
                             TRect CtrlRect, const String& CtrlValue, const String& CtrlID);
  void HtmlControlExit(TObject* Sender);
  void HtmlControlComboSelect(TObject* Sender);

  // --- Cell advance and Tab navigation (ExGridAdvance.cpp) ------------------------------------
  void AdvanceCell(Integer ACol, Integer ARow, bool Force, bool AutoEdit, bool Forward, bool Recursing,
                   bool ShowEdit);
  // One Tab step; false when the Tab was passed on to the parent window.
  bool TabNavigate(bool Backward);
  Integer FirstNavigableCol();
  Integer VisibleFixedRightCols();
  bool IsSelectableCell(Integer ACol, Integer ARow);
  Integer FirstSelectableCol(Integer ARow);
  Integer LastSelectableCol(Integer ARow);
  // ===== end editing =====

  // ===== input: ExGridKeys.cpp, ExGridMouse.cpp =====
  // Stretches the stretch column (ColumnSize.StretchColumn, the last when -1) to fill the width.
  void StretchColumn(Integer ACol);
  // Takes the current widths as the base widths of stretching and form-following sizing.
  void InitOrigColSizes();
  // Proportional scroll thumbs and the flat scroll bars.
  void UpdateVScrollBar();
  void UpdateHScrollBar();
  void FlatSetScrollBars();
  void FlatShowScrollBar(Integer Bar, bool Show);
  void SetScrollBars(TScrollStyle Value);
  void SetScrollColor(TColor Value);
  void SetScrollProportional(bool Value);
  void SetScrollType(TScrollType Value);
  void SetScrollWidth(Integer Value);
  void SetIntegralHeight(bool Value);
  // The owner form's resize handler while the grid follows the form (SizeWithForm).
  void OwnerFormResize(TObject* Sender);
  // Makes and frees the owned input objects (header drag button, scroll controls).
  void CreateInputObjects();
  void FreeInputObjects();

  // --- Keyboard (ExGridKeys.cpp) -----------------------------------------------------------------
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  // The current row is the last one above the fixed footers (or above a floating footer row).
  bool IsLastNormalRow();
  // Appends an empty row (the Down key on the last row with Navigation.AppendOnArrowDown).
  void AppendRowOnArrowDown();

  // --- Mouse (ExGridMouse.cpp) -------------------------------------------------------------------
  // Opens the editor of a fixed cell (display coordinates) as MouseActions says.
  void EditFixedCell(Integer ACol, Integer ARow);
  // A press at the offsets from the cell's top-left on a radio group (display column).
  void ClickRadioGroup(Integer ACol, Integer ARow, Integer YOfs, Integer XOfs);
  // The display cell under a screen point; -1 outside the cells.
  void ScreenToCell(TPoint P, Integer& ACol, Integer& ARow);
  // Asks SelectCell for the current cell.
  void Select();
  // A left press and release at the cell's top-left + (2, 2), without OnMouseDown and OnMouseUp.
  void SimulateCellClick(Integer ACol, Integer ARow);
  // The four move arrows' colour.
  TColor ArrowColor() const;
  void SetArrowColor(TColor Value);
  // A snapshot of the cells of ARect in a window of its own (owned by the grid, not shown); the
  // caller frees it.
  class TNoActiveForm* SelectionToForm(TGridRect ARect);
  // The hint of the cell under Info.CursorPos: fills the hint information (CM_HINTSHOW).
  void ShowCellHint(struct THintInfo& Info);
  // The window procedure's top-left part: what follows a scroll (called by TopLeftChanged).
  void ScrollTopLeftChanged();

  // --- Sizing (ExGridSizing.cpp) -----------------------------------------------------------------
  // The point lies on a border that sizes a column (header rows) or a row (fixed columns).
  bool IsOnSizingBorder(Integer X, Integer Y);
  void StretchRightColumn();

  // --- Scrolling (ExGridScroll.cpp) --------------------------------------------------------------
  bool DragOver(TObject* Source, Integer X, Integer Y, TDragState State) override;
  TScrollControl* VScrollControl() const { return vscrlctrl; }
  TScrollControl* HScrollControl() const { return hscrlctrl; }
  enum TDragScrollDirection : Byte { dsdUp, dsdDown, dsdLeft, dsdRight };
  using TDragScrollDirections = TGridSet<TDragScrollDirection>;
  using TDragScrollEvent = std::function<void(TObject* Sender, Integer TopRow, Integer LeftCol,
                                              TDragScrollDirections& DragScrollDir, bool& CanScroll)>;
  // Every tick of the drag-over scroll timer; the handler may change the direction or cancel.
  TDragScrollEvent OnDragScroll;
  class TTimer* DragScrollTimer() const { return FDragTmr; }

  // --- Data operations the input calls ----------------------------------------------------------
  // Node rows (display rows, except ExpandNode and ContractNode: real rows), incremental search,
  // filtering and row removal; their bodies are in the data operations' sources.
  bool IsNode(Integer ARow);
  bool GetNodeState(Integer ARow);
  Integer GetNodeSpan(Integer ARow);
  void ExpandNode(Integer ARow);
  void ContractNode(Integer ARow);
  void ExpandAll();
  void ContractAll();
  bool IsNodeGlyphHit(Integer ARow, Integer X);
  Integer Search(const String& s);
  void SetFilterActive(bool Value);
  void RemoveSelectedRows();
  void ClearSelection();
  // The clipboard's copy, cut and paste of the selection.
  void CopySelectionToClipboard();
  void CutSelectionToClipboard();
  void PasteSelectionFromClipboard();
  // ===== end input =====

  // ===== data operations: ExGridNodes.cpp, ExGridSort.cpp, ExGridFilterOps.cpp, ExGridFind.cpp,
  //       ExGridRows.cpp =====
  // --- Row nodes (ExGridNodes.cpp) -----------------------------------------------------------------
  // A node row carries a ctNode graphic in column 0 (contracted flag, span, sub-node count, group
  // column); the rows of a contracted node are hidden rows. These take real rows:
  void AddNode(Integer ARow, Integer Span);
  void RemoveNode(Integer ARow);
  void RemoveAllNodes();
  // ExpandNode without the ExpandOne rule.
  void ExpandNodeRows(Integer ARow);
  void InsertNormalRow(Integer ARow);
  void RemoveNormalRow(Integer ARow);
  void InsertChildRow(Integer ARow, Integer InsertAt);
  void RemoveChildRow(Integer ARow);
  // Gives the display row of real row ARow a new ctSummary graphic in column 0.
  void MarkSummaryRow(Integer ARow);
  // These take display rows; a row that is no node answers false, -1 (level, span) or 0.
  void SetNodeState(Integer ARow, bool Value);
  bool NodeState(Integer ARow) { return GetNodeState(ARow); }
  Integer GetNodeLevel(Integer ARow);
  Integer GetSubNodeCount(Integer ARow);
  void UpdateNodeSpan(Integer ARow, Integer Delta);
  void UpdateSubNodeCount(Integer ARow, Integer Delta);
  void SetNodeSpan(Integer ARow, Integer Span);
  // The nearest enclosing node row; a node outside every other node is its own parent; -1 for a
  // plain row outside all nodes.
  Integer GetParentRow(Integer ARow);
  bool IsSummary(Integer ARow);
  // The tree line of a row: 0 node glyph, 1 last row of a span, 2 a row with a continuation below.
  Integer GetNodeSpanType(Integer ARow);
  Integer NumNodes() const { return FNumNodes; }

  // --- Grouping, group and footer calculations (ExGridNodes.cpp) ----------------------------------
  // -1 ungroups, a value above 0 groups by that column; 0 and values below -1 do nothing.
  void SetGroupColumn(Integer Value);
  // The per-group results of a column, written into each group's summary row (Summary) or header.
  void GroupSum(Integer Colindex);
  void GroupAvg(Integer Colindex);
  void GroupMin(Integer Colindex);
  void GroupMax(Integer Colindex);
  void GroupCount(Integer Colindex);
  void GroupCustomCalc(Integer Colindex);
  void GroupDistinct(Integer Colindex);
  void GroupStdDev(Integer Colindex);
  // Method 1 … 8: sum, average, minimum, maximum, count, custom, distinct, standard deviation.
  void GroupCalc(Integer Colindex, Integer Method);
  // Repaints the floating footer's panel.
  void UpdateFooter();
  // Statistics of the float values of column ACol over rows FromRow … ToRow (both -1: the normal
  // rows); texts that do not convert are skipped, and so are node and summary rows of a grouped
  // grid. A range past the visible rows is read through real rows, hidden rows included.
  double ColumnSum(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
  double ColumnAvg(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
  double ColumnMin(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
  double ColumnMax(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
  double ColumnDistinct(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);
  double ColumnStdDev(Integer ACol, Integer FromRow = -1, Integer ToRow = -1);

  // --- Sorting (ExGridSort.cpp) ---------------------------------------------------------------------
  // Sets SortSettings' column and direction, then QSort.
  void Sort(Integer Column, TSortDirection Direction);
  // With at least two rows: sets SortSettings' column, then QSort.
  void SortByColumn(Integer Col);
  // Sorts rows Left … Right by one column / by SortIndexes; the caller handles the update lock,
  // the cross reference, the footer and the current row.
  void QuickSort(Integer Col, Integer Left, Integer Right);
  void QuickSortIndexed(Integer Left, Integer Right);
  // Swaps the two rows when they are out of order in column Col (ties: the next columns).
  bool SortLine(Integer Col, Integer ARow1, Integer ARow2);
  // The sort cross reference starts again at 0 … RowCount - 1.
  void InitSortXRef();
  // The work of the sorts: cell comparisons and row swaps since the grid was made.
  Integer SortCompares() const { return Compares; }
  Integer SortSwaps() const { return Swaps; }

  // --- Filtering (ExGridFilterOps.cpp) --------------------------------------------------------------
  // Hides display row ARow when it fails the filter.
  void FilterRow(Integer ARow);
  // Tests the normal rows and hides the failing ones as one new hiding level.
  void ApplyFilter();
  // Shows the rows of the newest hiding level; true while more than one level remains.
  bool RemoveLastFilter();
  // Shows every hiding level, or clears Filter when nothing is filtered.
  void RemoveAllFilters();
  // The incremental filter of typed text on column AColumn (-1: the whole row).
  void NarrowDown(const String& ACondition, Integer AColumn = -1);
  void SetFilterDropDownRow(Integer Value);
  void SetFilterDropDownAuto(bool Value);
  void SetFilterDropDownCheck(bool Value) { FFilterDropDownCheck = Value; }
  // The change handler of the FilterDropDown settings: repaints the grid.
  void FilterDropDownChanged(TObject* Sender);

  // --- Find, replace and incremental search (ExGridFind.cpp) ---------------------------------------
  enum TFindParameters : Byte {
    fnMatchCase,
    fnMatchFull,
    fnMatchRegular,
    fnDirectionLeftRight,
    fnMatchStart,
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,
    fnAutoGoto,
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,
    fnFindInPresetCol,
    fnFindInPresetRow,
    fnSelectedCells,
    fnIncludeHiddenRows,
  };
  using TFindParams = TGridSet<TFindParameters>;
  // The next matching cell after StartCell, (-1, -1) when none; StartCell (-1, -1) starts the scan
  // at its first cell (the last when backward). A search text of two double quotes finds empty
  // cells.
  TPoint Find(TPoint StartCell, const String& s, TFindParams FindParams);
  TPoint FindWide(TPoint StartCell, const String& s, TFindParams FindParams);
  TPoint FindFirst(const String& s, TFindParams FindParams);
  TPoint FindNext();
  // Replaces OrigStr by NewStr (ignoring case) in every matching cell; answers the cells changed.
  Integer Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
  TPoint LastSearchCell() const { return SearchCell; }
  // The handlers of the search footer's controls.
  void SearchPanelEditChange(TObject* Sender);
  void SearchPanelForwardClick(TObject* Sender);
  void SearchPanelBackwardClick(TObject* Sender);
  void SearchPanelExitClick(TObject* Sender);
  void SearchPanelHighlightClick(TObject* Sender);
  // The change handler of the fixed-cell editor: OnEditChange with the edited fixed cell.
  void FixedEditChange(TObject* Sender);

  // --- Row and column structure (ExGridRows.cpp) ---------------------------------------------------
  void AddRow();
  void AddColumn();
  // Removes the rows whose check box in CheckBoxColumn is in the state RemoveChecked (no check box
  // counts as unchecked), footer rows included.
  void RemoveCheckedRows(Integer CheckBoxColumn, bool RemoveChecked);
  // Removes every normal row whose text in ACol an earlier kept row already has, in any case.
  void RemoveDuplicates(Integer ACol, bool DoCase);
  void RemoveUnSelectedRows();
  void HideSelectedRows();
  void HideUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  void ClearNormalRows(Integer RowIndex, Integer RCount);
  void ClearNormalCols(Integer ColIndex, Integer CCount);
  void ClearNormalCells();
  void Clear();
  void ClearAll();
  void TrimColumn(Integer ACol);
  void TrimRow(Integer ARow);
  void TrimAll();
  void ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor);
  // Runs of equal texts merged (MainMerge: whatever the merged structure of the neighbours) / split.
  void MergeColumnCells(Integer ColIndex, bool MainMerge);
  void SplitColumnCells(Integer ColIndex);
  void MergeRowCells(Integer RowIndex, bool MainMerge);
  void SplitRowCells(Integer RowIndex);
  void SplitAllCells();
  // Column ColIndex1 takes its trimmed text, Separator and the text of ColIndex2; ColIndex2 goes.
  void MergeCols(Integer ColIndex1, Integer ColIndex2, const String& Separator);
  // The cell text begins with the wide-text marker.
  bool IsWideCell(Integer ACol, Integer ARow);
  // The first cell (rows, then columns) whose stored text is exactly SubStr.
  bool IsCell(const String& SubStr, Integer& ACol, Integer& ARow);
  // ===== end data operations =====

  // ===== text files, printing, statistics and sizing: ExGridDelimited.cpp, ExGridFixedText.cpp,
  //       ExGridPrint*.cpp, ExGridStats.cpp, ExGridAutoSize.cpp =====
  // --- Delimited text (ExGridDelimited.cpp) --------------------------------------------------------
  // The save range's cells as delimited lines (Delimiter, "," when it is #0); Unicode writes UTF-8
  // with a byte-order mark, else the ANSI code page. Append adds the lines after the file's own.
  void SaveToCSV(const String& FileName, bool Unicode = false);
  void AppendToCSV(const String& FileName, bool Unicode = false);
  // Reads delimited lines from the first cell of the save range (Load) or below the last row
  // (Insert); MaxRows > 0 limits the data lines read. A zero-byte file changes nothing.
  void LoadFromCSV(const String& FileName, Integer MaxRows = -1);
  void InsertFromCSV(const String& FileName, Integer MaxRows = -1);
  // The same from the stream's position to its end; a stream without lines raises "File is empty".
  void LoadFromCSVStream(TStream* AStream, Integer MaxRows = -1);

  // --- Spreadsheet, word-processor and database exchange (ExGridOffice.cpp) -----------------------
  // Through the automation layer (platform/office). The workbook's sheet names, in order.
  std::unique_ptr<TStringList> GetXLSSheets(const String& FileName);
  // The used range of the workbook's active sheet, or of its last sheet named SheetName, from the
  // first cell of the save range on; the grid takes the range's size.
  void LoadFromXLS(const String& Filename);
  void LoadFromXLSSheet(const String& Filename, const String& SheetName);
  // The save range's rows from its first column, as texts: into a new workbook (CreateNewSheet or
  // no workbook open in the running spreadsheet application) or from the active cell's row of the
  // running application's active sheet; or into the sheet SheetName of the file (added when
  // missing), keeping the workbook's other sheets.
  void SaveToXLS(const String& Filename, bool CreateNewSheet = true);
  void SaveToXLSSheet(const String& Filename, const String& SheetName);
  // Every cell as a table at the start of a new (or the running application's active) document,
  // or appended to the document of the file at its bookmark (at its end when it has none).
  void SaveToDOC(const String& Filename, bool CreateNewDocument = true);
  void AppendToDoc(const String& Filename, const String& Bookmark);
  // A query's records from the first normal row and column on, the field names into the last fixed
  // row; LoadFromMDBTable queries "SELECT * FROM " + Table.
  void LoadFromMDBTable(const String& Filename, const String& Table);
  void LoadFromMDBSQL(const String& Filename, const String& SQL);

  // --- Fixed-width text and the grid text stream (ExGridFixedText.cpp) ------------------------------
  // One line per row of the save range, each column cut or padded to its width in Positions; a
  // missing width is filled in as the column's widest text + 1 (the list keeps it).
  void SaveToFixed(const String& FileName, TIntList* Positions);
  // Fields between the 1-based character boundaries of Positions (sorted in place); MaxRows -1
  // reads every line, n >= 1 reads n lines, any other value one.
  void LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim = true, Integer MaxRows = -1);
  // The grid's own line format in UTF-16LE: "cols,rows", a "cw i,width" line per column, then
  // "col,row,text" per non-empty cell of the save range. The reader stops before the first line
  // that is none of these and leaves the stream there.
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  // The widest export text of a column (real index) in characters, by lines with MultilineCells.
  Integer GetMaxCharsInCol(Integer ACol);

  // --- Printing (ExGridPrint.cpp, ExGridPrintLayout.cpp, ExGridPrintCell.cpp) ---------------------
  // Print the whole grid, the selection, a rectangle, or only the selected rows or columns on the
  // application's printer.
  void Print();
  void PrintSelection();
  void PrintRect(TGridRect Gridrect);
  void PrintSelectedRows();
  void PrintSelectedCols();
  // Draw the pages PreviewPage sets (FPrintPageFrom .. FPrintPageTo) into Displayrect of Canvas.
  void PrintPreview(TCanvas* Canvas, TRect Displayrect);
  void PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect);
  void PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect);
  void PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect);
  void PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect);
  // Draws the first page into DrawRect of a canvas of the caller.
  void PrintDraw(TCanvas* Canvas, TRect DrawRect);
  void PrintDrawRect(TCanvas* Canvas, TRect DrawRect, TGridRect Gridrect);
  Integer PreviewPage() const { return FPrintPageFrom; }
  void SetPreviewPage(Integer Value);
  Integer PrintNrOfPages() const { return FPrintPageNum; }
  TRect PrintPageRect() const { return FPrintPageRect; }
  Integer PrintPageWidth() const { return FPrintPageWidth; }
  Integer PrintColStart() const { return FPrintColStart; }
  Integer PrintColEnd() const { return FPrintColEnd; }
  // Font height in 0.1 mm (negative: character height) for a point size, scaled by the fit factor
  // of the print in progress; and the point size of a height in 0.1 mm.
  Integer MapFontHeight(Integer PointSize);
  Integer MapFontSize(Integer Height);

  // --- Statistics (ExGridStats.cpp) -----------------------------------------------------------------
  // OnColumnCalc / OnGroupCalc with a result of 0; 0 without a handler.
  double ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow);
  double GroupCustomCalc(Integer ACol, Integer FromRow, Integer ToRow);
  // Over columns fromCol .. toCol of a row's base cells; non-numbers are skipped (the seed of
  // RowMin and RowMax excepted, which raises).
  double RowSum(Integer ARow, Integer fromCol, Integer toCol);
  double RowAvg(Integer ARow, Integer fromCol, Integer toCol);
  double RowMin(Integer ARow, Integer fromCol, Integer toCol);
  double RowMax(Integer ARow, Integer fromCol, Integer toCol);

  // --- Automatic sizing, fitting, swapping (ExGridAutoSize.cpp) ------------------------------------
  void AutoSizeRow(Integer ARow, Integer Padding = 0);
  void AutoSizeRows(bool DoFixedRows, Integer Padding);
  // Scales the columns to fill the control's width.
  void AutoFitColumns(bool DoFixedCells = true);
  // The control sized to its columns / rows / both.
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  // Exchange two columns (texts, objects, widths, cell controls, the sort column) / two rows.
  void SwapColumns(Integer ACol1, Integer ACol2);
  void SwapRows(Integer ARow1, Integer ARow2);
  // The largest line count of the row's displayed cells (1 without MultilineCells).
  Integer GetMaxLinesInRow(Integer ARow);
  void SetRowHeightForLines(Integer ARow, Integer Lines, Integer Padding);
  // The cell padding XYOffset, doubled unless XYOffsetTopLeftOnly.
  Integer GetTotalXOffset() const;
  Integer GetTotalYOffset() const;
  // ===== end text files, printing, statistics and sizing =====

  // ===== files and clipboard: ExGridPersist.cpp, ExGridStream.cpp, ExGridExport.cpp,
  //       ExGridClipboard.cpp =====
  // --- Column states and settings (ExGridPersist.cpp) -------------------------------------------
  // The column count, widths, order and visibility as "N#widths#order#visibility" (lists joined by
  // ","); applying one sets the count, arranges, hides and sizes the columns. A string without "#"
  // is ignored; an entry that is not a number raises the conversion error.
  String ColumnStatesToString();
  void StringToColumnStates(const String& Value);
  // Column widths ("Col" + i) to or from the store ColumnSize names (INI file or registry, key Key,
  // section Section); nothing when Key or Section is empty or while designing.
  void SaveColSizes();
  void LoadColSizes();
  // The visual properties as "key=value" lines in the ANSI code page. Saving raises "Cannot Create "
  // + FileName, loading "Cannot open file " + FileName; a missing or non-numeric integer key stops
  // the load with the conversion error, the keys applied before it kept.
  void SaveVisualProps(const String& FileName);
  void LoadVisualProps(const String& FileName);
  // PrintSettings in section Section of the INI file Key; both rewrite the file.
  void SavePrintSettings(const String& Key, const String& Section);
  void LoadPrintSettings(const String& Key, const String& Section);

  // --- Save range, binary cell stream and grid text file (ExGridStream.cpp) -----------------------
  // The block of cells the whole-grid exports cover: fixed rows and columns are part of it with
  // SaveFixedCells (or SaveFixedRows / SaveFixedCols), otherwise the normal cells only.
  Integer SaveStartCol();
  Integer SaveStartRow();
  Integer SaveEndCol();
  Integer SaveEndRow();
  Integer SaveColCount();
  Integer SaveRowCount();
  // The smallest rectangle holding every cell with a Cells text; (0, 0, 0, 0) when none has one.
  TGridRect UsedCells() { return GetUsedCells(); }
  // The binary cell stream: a header record, then per cell its text, its properties and its graphic
  // with the graphic's picture, as component records. Rect holds inclusive cell indexes (Left, Top,
  // Right, Bottom). Cell coordinates travel as 16-bit values.
  void SaveRectToBinStream(TRect Rect, TStream* Stream);
  void SaveToBinStream(TStream* Stream);
  void SaveToBinFile(const String& FileName);
  // Reads a binary cell stream from the stream's position: a whole-grid stream replaces the grid and
  // places every cell at its saved coordinates plus Point, a rectangle's first cell lands at Point.
  // A record that is not a component record or names an unknown property raises EReadError; the
  // cells stored before it stay.
  void LoadAtPointFromBinStream(TPoint Point, TStream* Stream);
  void LoadFromBinStream(TStream* Stream);
  void LoadFromBinFile(const String& FileName);
  // The grid text file: "cols,rows", a "cw index,width" line per column, then "col,row,text" per
  // non-empty cell with its line breaks masked. Unicode writes UTF-16LE with a byte-order mark, else
  // the ANSI code page; the reader takes both and UTF-8 or UTF-16BE with a byte-order mark.
  void SaveToFile(const String& FileName, bool Unicode = false);
  void LoadFromFile(const String& FileName);

  // --- Column-aligned text, HTML and XML (ExGridExport.cpp) ---------------------------------------
  // One line per row, each column padded to its widest text + 1 and aligned as the cell; Unicode
  // writes UTF-16LE with a byte-order mark, else the ANSI code page. Append keeps the file's lines.
  void SaveToASCII(const String& FileName, bool Unicode = false);
  void AppendToASCII(const String& FileName, bool Unicode = false);
  // An HTML table with a style class per distinct cell look (HTMLSettings); cell pictures go to the
  // folder "images" beside the file as JPEG files. Show (or AutoPreview) opens the written file.
  void SaveToHTML(const String& FileName, bool Show = false, bool Unicode = false);
  void AppendToHTML(const String& FileName, bool Show = false, bool Unicode = false);
  // The HTML of the table; pictures are written to the folder "images" under Dir (none for "").
  String SaveToHTMLString(const String& Dir);
  // One record element per exported row, one field element per exported cell (names from
  // FieldDescr, else "FIELD" + offset); raises EStringGridError "Cannot Create file " + FileName.
  // The file is in the encoding XMLEncoding names (UTF-8, ISO-8859-1, windows-1252 or US-ASCII;
  // another name gives windows-1252, declared so), characters it lacks as character references.
  void SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr, TStrings* FieldDescr,
                 bool ExportEmptyCells = false);
  // Turns the records under the document element into rows: attributes and text elements become
  // cells (LevelToRow: every nesting level starts a row). Raises "XML file not found" or the parse
  // error "XMLDOM Parsing error <code> on line <line>".
  void LoadFromXML(const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);

  // --- Clipboard (ExGridClipboard.cpp) -------------------------------------------------------------
  // Copy the save range (and clear it: Cut) as TAB / CR LF text, with rich text and the private cell
  // format when the Navigation options ask for them.
  void CopyToClipBoard();
  void CutToClipboard();
  // The whole grid as "HTML Format" and as text.
  void CopyToClipBoardAsHTML();
  // Pastes the clipboard at the save range's first cell.
  void PasteFromClipboard();
  // The selection as clipboard text; a TAB / CR LF text written raw from the selection's top-left
  // cell, growing the grid as needed.
  String GetSelectionAsText();
  void SetSelectionAsText(const String& Value);
  // Pastes TAB-separated values from (ACol, ARow) on, line by line; Cols and Rows receive the width
  // and the number of lines, the result counts the values. Nothing for a negative cell or while the
  // grid allows no editing (goEditing, AllowClipboardAlways or RangeSelectAndEdit).
  Integer PasteTextAt(Integer ACol, Integer ARow, const String& Text, Integer& Cols, Integer& Rows);
  // The largest number of TAB-separated values of a line, and the number of lines (cut at CR) that
  // are not empty.
  void GetTextDimensions(const String& Text, Integer& Cols, Integer& Rows);
  // ===== end files and clipboard =====

 protected:
  // ===== core (protected) =====
  // The in-place editor reads and writes the display cell through these.
  void Resize() override;
  void TopLeftChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoEnter() override;
  void DoExit() override;
  void WMTimer(TMessage& M) override;
  void WMSize(TMessage& M) override;
  void WMEraseBkgnd(TMessage& M) override;
  void WMSetCursor(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void CMDialogChar(TMessage& M) override;
  void CMHintShow(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void CMColorChanged(TMessage& M) override;
  void CMFontChanged(TMessage& M) override;
  void CMCursorChanged(TMessage& M) override;

  // The WM_COMMAND part of the window procedure: editor and combo notifications.
  bool HandleCommand(TMessage& Message);
  // The wheel part of the window procedure; true when the message was handled.
  bool HandleWheel(TMessage& Message);
  // IntelliPan: the 10 ms step, its start and its end.
  void PanStep();
  void StartPan(Integer X, Integer Y);
  void EndPan();
  void InvalidatePanMark();
  void DrawPanMark();
  // The 500 ms tick: incremental-search reset, hover selection, blinking text.
  void GridTimerTick();
  // Runs on window destruction: stops the timer, revokes the drop target, leaves the notifier.
  void DestroyWnd();
  // Moves a row's texts, objects and height (hidden columns' cells included).
  void CopyRowCells(Integer FromRow, Integer ToRow);
  // The item of a hidden real row, nullptr for a row that is not hidden.
  TGridItem* HiddenRowItem(Integer ARow) const;
  // HideRowList's work on a list of display rows (in any order; repeats and rows outside the grid
  // are left out).
  void HideDisplayRows(std::vector<Integer> Rows);
  // A copy of a display row's cells over Cols columns; the cells of a hidden row written into a
  // display row (over at least Cols columns).
  std::unique_ptr<TGridCellRow> RowCellsCopy(Integer ARow, Integer Cols);
  void PutRowCells(Integer ARow, const TGridItem* Item, Integer Cols);
  Integer CellControlRow(Integer ARow) const { return ARow; }
  // Creates the settings objects and panels the data operations use.
  void CreateSettingsObjects();
  void FreeSettingsObjects();
  bool FloatingFooterVisible() const;
  void InvalidateFooter();
  // Carries the search footer's settings into the search panel.
  void UpdateSearchPanelSettings();
  TSearchPanel* NewSearchPanel();
  void RegisterThemeWindow(bool Register);
  void FocusAlwaysEdit(TMessage& M);

  // --- Fields (runs of related state) ---------------------------------------------------------
  TScrollControl* vscrlctrl = nullptr;
  TScrollControl* hscrlctrl = nullptr;
  TNorvStyle FStyle = tsWindowsXP;
  TPoint FLastKeyCell{-1, -1};
  Integer FFilterLevel = 0;
  String FLastFilter;
  bool FForceSel = false;
  Integer FMoveColInd = -1;
  Integer FMoveRowInd = -1;
  Integer FGroupColumn = -1;
  String FGroupCaption;
  String FGroupFooter;
  Integer FGroupWidth = 0;
  bool FAutoSize = false;
  bool FAutoNumAlign = false;
  bool FEnhTextSize = false;
  bool FEditWithTags = false;
  bool FOemConvert = false;
  bool FLookup = false;
  bool FLoaded = false;
  bool FLookupCaseSensitive = false;
  bool FDeselectState = false;
  bool FSelectionClick = false;
  bool FMouseDown = false;
  bool FSelChange = false;
  bool FDoOnClick = false;
  bool FMouseKeepDown = false;
  bool FCtrlDown = false;
  bool FMouseResize = false;
  bool FMouseDownMove = false;
  bool FLookupHistory = false;
  bool FEnhRowColMove = true;
  bool FSizeWithForm = false;
  bool FMultilineCells = false;
  TIntList* FSortRowXRef = nullptr;
  TIntList* FUnSortRowXRef = nullptr;
  TIntList* FMergedColumns = nullptr;
  TIntList* FSelectedCells = nullptr;
  TIntList* FSelectedRows = nullptr;
  TIntList* FModifiedRows = nullptr;
  TIntList* FEnabledRows = nullptr;
  TOnResizeEvent FOnResize;  // the owner form's own OnResize while the grid follows the form
  TGridDropTarget* FGridDropTarget = nullptr;
  TColor FHintColor = clInfoBk;
  TColor FHighlightColor = clHighlight;
  TColor FHighLightTextColor = clHighlightText;
  bool FHintShowCells = false;
  bool FHintShowLargeText = false;
  THintShowLargeTextPos FHintShowLargeTextPos = hpCell;
  bool FHintShowSizing = false;
  TPoint FLastHintPos{-1, -1};
  TPoint FLastBalloonPos{-1, -1};
  TBitmap* FRowIndicator = nullptr;
  TSortIndexList* FSortIndexes = nullptr;
  TBackGround* FBackGround = nullptr;
  TGridRect FDropSelection;
  bool FOleDropTargetAssigned = false;
  TArrowWindow* ArwU = nullptr;
  TArrowWindow* ArwD = nullptr;
  TArrowWindow* ArwL = nullptr;
  TArrowWindow* ArwR = nullptr;
  TPrintSettings* FPrintSettings = nullptr;
  bool FFastPrint = false;
  TOfficeTheme FOldOfficeTheme = otUnknown;
  TGridFocusWindow* FFocusWindow = nullptr;
  THTMLSettings* FHTMLSettings = nullptr;
  TBands* FBands = nullptr;
  TColor FBorderColor = 0xB99D7F;
  TNavigation* FNavigation = nullptr;
  TColumnSize* FColumnSize = nullptr;
  bool FScrollProportional = false;
  TCellNode* FCellNode = nullptr;
  TSizeWhileTyping* FSizeWhileTyping = nullptr;
  TMouseActions* FMouseActions = nullptr;
  TGrouping* FGrouping = nullptr;
  bool FVisibleCol[MaxGridColumns];
  int16_t FAllColWidths[MaxGridColumns];
  Integer FUpdateCount = 0;
  bool FLastValidation = true;
  Integer FNumNodes = 0;
  Integer FNumHidden = 0;
  TColor FSelectionColor = 0xEACAB6;
  TColor FSelectionColorTo = clNone;
  bool FSelectionColorMixer = false;
  Integer FSelectionColorMixerFactor = 50;
  TColor FSelectionMirrorColor = clNone;
  TColor FSelectionMirrorColorTo = clNone;
  TColor FSelectionTextColor = clBlack;
  bool FSelectionRectangle = false;
  bool FSelectionRTFKeep = false;
  TVAlignment FVAlignment = vtaTop;
  Cardinal FVAlign = 0;
  bool FURLShow = false;
  bool FURLShowInText = false;
  bool FURLUnderlineOnHover = false;
  bool FURLFull = false;
  TColor FURLColor = clBlue;
  bool FURLEdit = false;
  TImageList* FGridImages = nullptr;
  TIntelliPan FIntelliPan = ipVertical;
  bool FIntelliZoom = true;
  TScrollType FScrollType = ssNormal;
  TColor FScrollColor = clNone;
  Integer FScrollWidth = 17;
  bool FScrollSynch = false;
  TScrollHintType FScrollHints = shNone;
  bool FIsFlat = false;
  TExRichEdit* FRichEdit = nullptr;
  TExRichEdit* FInplaceRichEdit = nullptr;
  bool FFixedAsButtons = false;
  TPopupMenu* FFixedDropDownMenu = nullptr;
  bool FFixedCellPushed = false;
  TRect FPushedFixedCell;
  TPoint FPushedCellButton{-1, -1};
  bool FHideFocusRect = false;
  TFont* FFixedFont = nullptr;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  Integer FFixedRowsMin = 1;
  Integer FFixedColsMin = 1;
  Integer FFixedColEdit = -1;
  Integer FFixedRowEdit = -1;
  TStringList* FColumnHeaders = nullptr;
  TStringList* FRowHeaders = nullptr;
  TStringList* FLookupItems = nullptr;
  TList* FRowSelect = nullptr;
  TList* FColSelect = nullptr;
  Integer FFixedFooters = 0;
  Integer FFixedRightCols = 0;
  Char FDelimiter = 0;
  bool FNoDefaultDraw = false;
  Char FPasswordChar = u'*';
  bool FJavaCSV = false;
  String FCheckTrue = u"Y";
  String FCheckFalse = u"N";
  String FEditMask;
  bool FEnableHTML = true;
  bool FEnableWheel = true;
  bool FFlat = false;
  String FLastAnchorHint;
  bool FAnchorHint = false;
  bool FSaveFixedCells = true;
  bool FSaveFixedCols = false;
  bool FSaveFixedRows = false;
  bool FLoadFirstRow = true;
  bool FSaveHiddenCells = false;
  bool FSaveVirtCells = true;
  bool FSaveWithHTML = true;
  bool FSaveWithRTF = false;
  bool FWordWrapEx = true;
  bool FModified = false;
  bool FEditDisable = false;
  bool FEditChange = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FHovering = false;
  THoverFixedCells FHoverFixedCells = hfNone;
  bool FNoMouseLeave = false;
  bool FDropDownDown = false;
  Integer FHoverFixedX = -1;
  Integer FHoverFixedY = -1;
  String FFloatFormat = u"%.2f";
  String FOldCellText;
  String FNewCellText;
  String FOldCellTextWide;
  Char FStartEditChar = 0;
  Integer FOldCol = -1;
  Integer FOldRow = -1;
  Integer FOldRowSel = -1;
  bool FOldModifiedValue = false;
  TCursor FOldCursor = crDefault;
  bool FBlockFocus = false;
  bool FBlockKill = false;
  // Set while Esc hides a drop-down editor: the commit then leaves the cell as it was.
  bool FCancelSpecialEdit = false;
  bool FDblClk = false;
  TGridRect FOldSelection;
  TGridRect FSizeSelection;
  TGridRect FMoveSelection;
  bool FEntered = false;
  bool FEditing = false;
  bool FSpecialEditor = false;
  bool FEditActive = false;
  bool FValidating = false;
  bool FFindBusy = false;
  Integer FComboIdx = -1;
  Integer SortDir = 0;
  Integer SortRow = 0;
  TPoint SearchCell;
  bool ResizeAssigned = false;
  TGridRect FPrintRect;
  Word FFindParams = 0;
  String SearchCache;
  String SearchCacheWide;
  String SearchInc;
  Integer SearchTics = 0;
  String FAnchor;
  Integer FZoomFactor = 0;
  bool FIsColChanging = false;
  bool ColchgFlg = false;
  bool ColMoveFlg = false;
  bool ColSizeFlg = false;
  bool ColSized = false;
  bool Rowsized = false;
  Integer Colclicked = -1;
  Integer Rowclicked = -1;
  Integer Colclickedsize = 0;
  Integer Rowclickedsize = 0;
  Integer Movecell = 0;
  Integer MoveOfsX = 0;
  Integer MoveOfsY = 0;
  Integer Clickposx = 0;
  Integer Clickposy = 0;
  Integer Clickposdx = 0;
  Integer Clickposdy = 0;
  bool Invokedchange = false;
  bool InvokedFocusChange = false;
  Cardinal wheelmsg = 0;
  Integer wheelscrl = 0;
  bool wheelpan = false;
  TPoint wheelpanpos;
  uintptr_t wheeltimer = 0;
  TFont* cf = nullptr;
  TCursor prevcurs = crDefault;
  TMouseSelectMode FMouseSelectMode = msNormal;
  Integer FMouseSelectStart = -1;
  bool FPrinterdriverfix = false;
  TRect PrevRect;
  double Fontscalefactor = 1.0;
  Integer FPrintPageWidth = 0;
  TRect FPrintPageRect;
  Integer FPrintColStart = 0;
  Integer FPrintColEnd = 0;
  Integer FPrintPageFrom = 1;
  Integer FPrintPageTo = 1;
  Integer FPrintPageNum = 0;
  bool FExcelClipboardFormat = false;
  Integer FGridTimerID = 0;
  bool FGridBlink = false;
  Integer FMaxEditLength = 0;
  Integer FMaxComboLength = 0;
  TGridLook FLook = glXP;
  TPictureContainer* FContainer = nullptr;
  TExStringGridCheck* FCellChecker = nullptr;
  THTMLPictureCache* FImageCache = nullptr;
  TPoint FCtrlXY;
  String FCtrlID;
  String FCtrlType;
  bool FCtrlEditing = false;
  bool FPasteAll = false;
  bool FSpinUpClick = false;
  bool FSpinDnClick = false;
  Integer MaxWidths[MaxGridColumns];
  Integer Indents[MaxGridColumns];
  TEditLink* FEditLink = nullptr;
  TControlEdit* FEditControl = nullptr;
  TControlCombo* FComboControl = nullptr;
  TWinControl* EditCtrl = nullptr;
  TGridCombo* EditCombo = nullptr;
  TGridSpin* FEditSpin = nullptr;
  TGridTransEdit* EditTrans = nullptr;
  TGridTransCombo* ComboTrans = nullptr;
  TGridTrackbarDropDown* FEditTrackBar = nullptr;
  TGridMemoDropDown* FEditMemo = nullptr;
  TGridCalculatorDropDown* FEditCalculator = nullptr;
  TGridTimepickerDropDown* FEditTimePicker = nullptr;
  TGridDetailPickerDropDown* FEditDetailPicker = nullptr;
  TGridGridDropDown* FEditGridPicker = nullptr;
  TGridColorDropDown* FEditColorPicker = nullptr;
  TGridImageDropDown* FEditImagePicker = nullptr;
  TGridExGridDropDown* FEditExGridPicker = nullptr;
  TGridCheckBox* EditCheck = nullptr;
  TGridEditBtn* EditBtn = nullptr;
  TGridUnitEditBtn* UnitEditBtn = nullptr;
  TGridDatePicker* FEditDate = nullptr;
  TGridDateTimePicker* FEditDateTime = nullptr;
  TGridButton* GridButton = nullptr;
  THeaderDragButton* MoveButton = nullptr;
  TForm* MoveForm = nullptr;
  TEditorType EditControl = edNormal;
  TCollection* FGridItems = nullptr;
  TFilter* FFilter = nullptr;
  bool FFilterActive = false;
  bool FFilterNormalCellsOnly = true;
  Integer FFilterCol = -1;
  Integer FFilterFixedRows = 0;
  TFilterDropDown* FFilterDropDown = nullptr;
  TDropList* FDropList = nullptr;
  TDropCheckList* FDropCheckList = nullptr;
  TStringList* FFilterList = nullptr;
  bool FAutoFilterUpdate = true;
  TList* FNotifierList = nullptr;
  bool FActiveCellShow = false;
  TFont* FActiveCellFont = nullptr;
  TPoint FXYOffset{2, 2};
  bool FXYOffsetTopLeftOnly = false;
  Integer FOldSize = -1;
  TIntList* FOrigColSizes = nullptr;
  bool FSizeFixed = false;
  Integer FSizingFixedCol = 0;
  bool FSizingFixed = false;
  Integer FSizingFixedRow = 0;
  bool FSizeFixedR = false;
  bool FSizingFixedR = false;
  Integer FSizeFixedX = 0;
  Integer FSizeFixedY = 0;
  bool FDisableChange = false;
  bool FNilObjects = false;
  bool FQuoteEmptyCells = true;
  bool FAutoThemeAdapt = false;
  bool FAlwaysQuotes = false;
  TSortSettings* FSortSettings = nullptr;
  TColor FSelectionRectangleColor = clBlack;
  TDragDropSettings* FDragDropSettings = nullptr;
  TControlLook* FControlLook = nullptr;
  TFooterPanel* FFooterPanel = nullptr;
  TSearchPanel* FSearchPanel = nullptr;
  TSearchFooter* FSearchFooter = nullptr;
  TFloatingFooter* FFloatingFooter = nullptr;
  bool FIntegralHeight = false;
  bool FIsWinXP = true;
  bool FIsWin7 = true;
  bool FIsWinVista = true;
  bool FIsComCtl6 = true;
  bool FClearTextOnly = false;
  bool FHTMLHint = false;
  bool FAlwaysValidate = false;
  bool FEnableBlink = false;
  bool FSizeGrowOnly = false;
  TColor FActiveCellColor = clGray;
  TColor FActiveCellColorTo = clNone;
  bool FSelectionResizer = false;
  Integer FMaxColWidth = 0;
  Integer FMinRowHeight = 0;
  Integer FMinColWidth = 0;
  Integer FMaxRowHeight = 0;
  TColor FNorvGradFrom = clWhite;
  TColor FNorvGradTo = 0;
  TColor FNorvGradMirrorFrom = clNone;
  TColor FNorvGradMirrorTo = clNone;
  TColor FNorvGradHoverFrom = 0;
  TColor FNorvGradHoverTo = 0;
  TColor FNorvGradHoverMirrorFrom = 0;
  TColor FNorvGradHoverMirrorTo = 0;
  TColor FNorvGradHoverBorder = 0;
  TColor FNorvGradDownFrom = 0;
  TColor FNorvGradDownTo = 0;
  TColor FNorvGradDownMirrorFrom = 0;
  TColor FNorvGradDownMirrorTo = 0;
  TColor FNorvGradDownBorder = 0;
  bool FUseHTMLHints = false;
  bool FShowNullDates = true;
  TCursor FICursor = crDefault;
  Integer FFixedRowHeight = 22;
  bool FSelHidden = false;
  TIntList* FColumnOrder = nullptr;
  TSortDirection FAutoNumberDirection = sdAscending;
  Integer FAutoNumberOffset = 0;
  Integer FAutoNumberStart = 0;
  Integer FOldLeftCol = 0;
  Integer FOldKeepLeftCol = 0;
  Integer FOldTopRow = 0;
  TScrollStyle FScrollBars = ssBoth;
  Integer FNumCellControls = 0;
  TControlList* FControlList = nullptr;
  bool FDisableSize = false;
  TEditorType FDefaultEditor = edNormal;
  TAlignment FDefaultAlignment = taLeftJustify;
  TColor FDisabledFontColor = clSilver;
  TPoint FHotFixedCell{-1, -1};
  bool FCellSelectorMode = false;
  Integer FAECol = -1;
  Integer FAERow = -1;
  bool FShowEditProcess = false;
  bool FEditStart = false;
  TBalloonSettings* FBalloonSettings = nullptr;
  HWND FHToolTip = 0;
  TScrollBarAlways FScrollBarAlways = saNone;
  TShowModified* FShowModified = nullptr;
  TCellGraphic* FCellGraphic = nullptr;
  TDragScrollOptions* FDragScrollOptions = nullptr;
  Integer FTimerTicks = 0;
  Integer FFindCol = 0;
  Integer FFindRow = 0;
  bool FNoImageAndText = false;
  Integer FMaxRowCount = 0;
  Integer FMaxColCount = 0;
  bool FUseEnabledRows = false;
  bool FUseDisabledFont = true;
  Integer FLastTabCol = -1;
  Integer FLastTabRow = -1;
  TGridProgressAppearance* FProgressAppearance = nullptr;
  bool FScrollLock = false;
  Integer FPaintCount = 0;
  String FEditText;
  String FEditWideText;
  bool FNoEditChange = false;
  bool FNoAutoAdvance = false;
  bool FGridModified = false;
  TIntList* FIgnoreColumns = nullptr;
  String FXMLEncoding = u"ISO-8859-1";
  Integer FFilterRow = 0;
  bool FFilterDropDownAuto = false;
  bool FFilterDropDownCheck = false;
  TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
  bool FFilterIncremental = false;
  String FFilterDropDownClear = u"(All)";
  TDateTime FOriginalDateTime = 0;
  TScrollBar* FScrollBar = nullptr;
  TScrollBar* FPaintScrollBar = nullptr;
  Integer FScrollCol = -1;
  Integer FScrollRow = -1;
  String FInvalidEntryTitle;
  String FInvalidEntryText;
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  bool FBlockCellChange = false;
  Integer FLastDesignChoice = -1;
  bool FShowDesignHelper = true;
  bool FIsPrintPreview = false;
  String FValidChars;
  TCharSet FValidCharSet;
  bool FUseInternalHintClass = true;
  TSyncGrid* FSyncGrid = nullptr;
  bool FFitCellsInGrid = true;
  bool FShowSelection = true;
  bool FSpreadSheet = false;
  TPoint FHoverCell{-1, -1};
  TPoint FHoverButton{-1, -1};
  Integer FHoverlink = -1;
  Integer FOleDragCol = -1;
  Integer FOleDragIndex = 0;
  TCustomListBox* FOleDragList = nullptr;
  TColorTones FTones;
  bool FShowColNrs = true;
  TFocusHelper* FFocusHelper = nullptr;
  ITExStringGridSelect* FISelect = nullptr;
  bool FUseVCLStyles = false;
  TPoint FClipTopLeft{-1, -1};
  TClipOperation FClipLastOp = coCopy;
  THTMLHintWindow* FScrollHintWnd = nullptr;
  bool FScrollHintShow = false;
  bool FVirtualCells = false;
  String FCellCache;
  bool FNoRTLOrientation = false;
  bool FIsGrouping = false;
  bool FIsDBVersion = false;
  bool FSyncedMove = false;
  bool LButFlg = false;
  Integer Compares = 0;
  Integer Swaps = 0;
  Cardinal SortTime = 0;
  TStringList* Sortlist = nullptr;
  Integer PrevSizeX = 0;
  Integer PrevSizeY = 0;
  bool EditMode = false;
  // Window state of this platform: the window counts as created once the grid has a parent.
  bool FWindowCreated = false;
  bool FDestroyingGrid = false;
  bool FGridDestroyStarted = false;
  bool FThemeRegistered = false;
  bool FRedrawOff = false;
  // ===== end core (protected) =====

  // ===== painting (protected): ExGridPaint*.cpp =====
  void Paint() override;
  void WMPaint(TMessage& M) override;
  void WMNCPaint(TMessage& M) override;
  // The balloon window asks for a cell's text (TTN_GETDISPINFOW).
  void WMNotify(TMessage& M) override;
  void CMDesignHitTest(TMessage& M) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  void SetHoverColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border);
  void SetDownColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border);
  // The cell painter's steps.
  // A cell with a scroll bar: draws the bar at R's right edge, narrows R, answers the text's
  // scroll position (0 for other cells).
  Integer DrawCellScrollBar(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect& R);
  // The current row's indicator in column 0: R's left edge moves past it; answers the shift.
  Integer DrawRowIndicator(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect& R);
  // The drop-down and spin buttons shown in every editable cell; R narrows by each button.
  void DrawAlwaysVisibleEditorButtons(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect& R);
  // The 3D edges of a fixed cell in the grid's look.
  void DrawFixedCellEdges(TCanvas* ACanvas, const TRect& R);
  // The frame lines of the fixed columns at the right.
  void DrawFixedRightColumnLines(TCanvas* ACanvas, const TRect& R);
  // The focus rectangle when the cell (or its merged area) is the current cell.
  void DrawCellFocusRect(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& R);
  // The real column number at the bottom right of a header cell (design helper).
  void DrawDesignColumnNumber(TCanvas* ACanvas, Integer RCol, const TRect& R);
  void DrawCellBorders(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect R);
  // The steps of DrawCellText: the background picture and gradient of one cell, the selection
  // rectangle's part in it, and the text of an HTML cell and of a plain cell (both answer the
  // width the text takes, for a graphic or sort glyph beside it).
  // The filter button at the right of a filter-row cell.
  void DrawFilterButton(TCanvas* ACanvas, Integer RCol, const TRect& TR);
  // The text rectangle moved by the offsets, the graphic beside or above the text and the node indent.
  void PlaceCellTextRect(TRect& TR, const TCellGraphicLayout& Layout, Integer ACol, Integer ARow, TCellType CT);
  void DrawCellBackgroundPicture(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& R);
  void DrawCellBackgroundGradient(TCanvas* ACanvas, const TRect& R);
  void DrawSelectionRectangle(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, const TRect& R,
                              const TGridRect& Sel);
  Integer DrawCellHtmlText(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, const String& Text,
                           const TRect& HR, TColor URLCol, bool WW);
  Integer DrawCellPlainText(TCanvas* ACanvas, Integer RCol, String Text, TRect& TR, TCellType CT,
                            const TCellGraphicLayout& Layout, TAlignment HA, TVAlignment VA, bool WW, bool SortGlyph,
                            TColor URLCol, Integer ErrPos, Integer ErrLen);
  void DrawFixedCellLook(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, TRect& R,
                         TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo);
  void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, TRect R, TGridDrawState AState,
                    bool Fixed, const TCellGraphicLayout& Layout, TAlignment HA, TVAlignment VA, bool WW,
                    Integer ScrollPos, Integer& TextWidth);
  // The tree lines of a row in column 0; R's left edge moves to the row's indent.
  void DrawNodeTreeLines(TCanvas* ACanvas, Integer ARow, TRect& R);
  void DrawNodeButton(TCanvas* ACanvas, TRect R, TCellGraphic* G, Integer RCol, Integer ARow, TGridDrawState AState);
  void DrawCellGraphic(TCanvas* ACanvas, TRect R, const TCellGraphicLayout& Layout, Integer RCol, Integer ARow,
                       TGridDrawState AState, Integer TextWidth, TAlignment HA, TVAlignment VA);
  // The cell's graphic for the check-box state operations (real row when rows are hidden).
  TCellGraphic* CheckBoxGraphic(Integer ACol, Integer ARow, bool& ByProps);
  // Whether the design-time box shows: designing and ShowDesignHelper.
  bool DesignHelperShown();
  // The quick configuration box's rectangle and the last item under the mouse.
  TRect DesignHelperRect();
  bool FFocusFrameShown = false;
  // The cell the focus frame was last built around, in screen coordinates.
  TRect FFocusFrameCell;
  // ===== end painting (protected) =====

  // ===== editing (protected): ExGridEdit*.cpp =====
  friend class TExInplaceEdit;
  friend class TGridCheckBox;
  friend class TGridSpin;
  friend class TGridCombo;
  friend class TGridDatePicker;
  friend class TGridDateTimePicker;
  friend class TGridEditBtn;
  friend class TGridUnitEditBtn;
  friend class TGridButton;
  friend class TEditLink;
  friend class TGridTransEdit;
  friend class TGridTransCombo;
  friend class TControlEdit;
  friend class TControlCombo;
  friend class TGridDropDownKeys;

  // The platform grid's editing hooks.
  bool CanEditShow() override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  TInplaceEdit* CreateEditor() override;
  String GetEditMask(Integer ACol, Integer ARow) override;
  Integer GetEditLimit() override;
  // Typing into a cell opens its editor.
  void WMChar(TMessage& M) override;
  // The drop-down editor of an editor type, made on first use (nullptr for other types).
  TExCustomDropDown* DropDownOf(TEditorType AType);
  // Shows and commits the edit link of edCustom.
  void ShowEditLink(Integer ACol, Integer ARow, TRect R, TColor AColor, TFont* AFont);
  // The drop-down editors' common set-up before their value is loaded.
  void PrepareDropDown(TExCustomDropDown* DD, TRect R);
  // The steps of ShowSpecialEditor (ExGridEditSpecial.cpp): the control loaded for the cell and
  // how it is shown.
  struct TSpecialEditorShow {
    TWinControl* Ctrl = nullptr;       // the control shown, placed and focused
    bool PlaceDefault = true;          // placed over the cell (else it placed itself)
    bool StartChar = true;             // the character that started the edit is posted to it
    bool EditCtrlSet = true;           // EditCtrl names it
    std::function<void()> AfterFocus;  // what it does once focused
  };
  TColor SpecialEditorLook(Integer RCol, TFont& AFont);
  TSpecialEditorShow LoadSpecialEditor(Integer ACol, Integer ARow, const TRect& R, TColor BC, const String& Text);
  void PlaceSpecialEditor(const TSpecialEditorShow& S, const TRect& R, TColor BC);
  void LoadSpinEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const String& Text);
  void LoadComboEditor(TSpecialEditorShow& S, Integer ACol, Integer ARow, const String& Text);
  void LoadEditBtnEditor(TSpecialEditorShow& S, Integer ACol, Integer ARow, Integer H, const String& Text);
  void LoadDateEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const String& Text);
  void LoadRichEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const TRect& R);
  void LoadDateTimeEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, Integer H, const String& Text);
  void LoadDropDownValue(Integer RCol, Integer ARow, TColor BC, const String& Text);
  void LoadImagePickerValue(Integer RCol, Integer ARow);
  // The steps of CommitSpecialEditor (ExGridEditSpecial.cpp), by editor kind.
  void EndSpecialEditor(TWinControl* C);
  void CommitSpinEditor(Integer RCol, Integer ARow);
  void CommitEditLink(Integer RCol, Integer ARow);
  void CommitControlEditor(Integer RCol, Integer ARow);
  void CommitDropDownEditor(Integer RCol, Integer ARow);
  void CommitColorPickerValue(Integer RCol, Integer ARow);
  void CommitImagePickerValue(Integer RCol, Integer ARow);
  // The saved window procedure of the edit link's control.
  TWndMethod FEditLinkSavedWndProc;
  // How deep the Tab walk is in passing over cells that cannot be edited.
  Integer FTabSkipDepth = 0;
  // The balloon of a refused value (InvalidEntryTitle, InvalidEntryText) below the editor that
  // holds it; made on first use, gone with the next edit's end.
  class THintWindow* FInvalidEntryHint = nullptr;
  void ShowInvalidEntryBalloon();
  void HideInvalidEntryBalloon();
  // ===== end editing (protected) =====

  // ===== input (protected): ExGridKeys.cpp, ExGridMouse.cpp =====
  // Keyboard.
  void WMKeyDown(TMessage& M) override;
  void WMKeyUp(TMessage& M) override;
  void ReportKeyDown(Word Key);
  void KeyMoveToBaseCell();
  void KeyRowSelection(Integer OldRow, bool ShiftDown);
  // The steps of the WM_KEYDOWN key map (ExGridKeys.cpp). A step answering bool has ended the key
  // when it answers true (KeyDeletesRow: when it answers false).
  struct TKeyPress {
    Word Key = 0;
    bool Ctrl = false, Shift = false, Alt = false;
    Integer OldCol = 0, OldRow = 0, RealCol = 0;  // the cell before the key; RealCol is OldCol's
    Integer OldLeftCol = 0, OldTopRow = 0;
    bool KeepScroll = false;        // a row-selecting grid keeps its columns scrolled
    bool EnterNotEditable = false;  // Enter on a cell that cannot be edited
    bool RowSelect = false;         // goRowSelect as the key map reached Home and End
    bool NodeRow = false;           // the current row is a node row
  };
  static void SwallowKey(TMessage& M);
  bool KeyCancelsOleDrag(const TKeyPress& K, TMessage& M);
  void KeyNoteStart(TKeyPress& K);
  bool KeyScrollsOnly(const TKeyPress& K, TMessage& M);
  bool KeyStartsRangeEdit(const TKeyPress& K, TMessage& M);
  void KeyFocusesSearchPanel(const TKeyPress& K);
  bool KeyRefusedByCell(const TKeyPress& K, TMessage& M);
  void KeyOnControlCell(const TKeyPress& K);
  bool KeyHomeEnd(const TKeyPress& K, TMessage& M);
  void KeyHomeEndCell(const TKeyPress& K);
  void KeyHomeEndRow(const TKeyPress& K);
  void KeyCtrlHomeFirstColumn(const TKeyPress& K);
  void KeyHomeEndColumn(const TKeyPress& K);
  void KeyEnterOnUneditableCell(const TKeyPress& K, TMessage& M);
  void KeyOnNodeRow(const TKeyPress& K);
  bool KeyScrollsRowSelectColumns(const TKeyPress& K, TMessage& M);
  bool KeyWalksTab(const TKeyPress& K);
  bool KeySkipsFixedCells(const TKeyPress& K, TMessage& M);
  bool KeyMovesCell(const TKeyPress& K, TMessage& M);
  bool KeyOnClipboard(const TKeyPress& K);
  bool KeyInsertsRow(const TKeyPress& K);
  bool KeySelectsAll(const TKeyPress& K);
  void KeyDisjunctSelection(const TKeyPress& K);
  bool KeyDeletesRow(const TKeyPress& K);
  void KeyTabPastFixedRightCols(const TKeyPress& K);
  void KeyAfterEnterOrF2(const TKeyPress& K);
  void KeyReportSelectionChange();
  // Mouse press, release, double click, right button, wheel.
  void WMLButtonDown(TMessage& M) override;
  void WMLButtonUp(TMessage& M) override;
  void WMLButtonDblClk(TMessage& M) override;
  void WMRButtonDown(TMessage& M) override;
  void WMRButtonUp(TMessage& M) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseLeave(TMessage& M) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  bool WheelStep(bool Down, TShiftState Shift, TPoint MousePos);
  // The packed form of a disjunct cell: row in the high 16 bits, column in the low 16 bits.
  static Integer PackCell(Integer ACol, Integer ARow);
  bool ShowModifiedEnabled() const;
  bool IsInResizeGrip(Integer X, Integer Y);
  void StartGripDrag(TMessage& M, bool CheckEditing);
  // The steps of the left press (ExGridMouse.cpp). A step answering bool has ended the press when
  // it answers true.
  struct TLeftPress {
    Integer X = 0, Y = 0;          // the point
    Word Keys = 0;                 // the message's key flags
    Integer ACol = -1, ARow = -1;  // the cell (display column), its base cell once in the cells
    Integer RC = -1;               // the real column of ACol
    bool AltMod = false, ShiftMod = false, CtrlMod = false;  // the one modifier that counts
    bool ValidCell = false;        // the point's own cell lies in the grid
    bool FixedPos = false;         // a fixed column or row
    bool FixedCell = false;        // fixed by position or by the fixed-cell question
    bool HotmailCol0 = false;      // column 0 of a grid that selects rows with its check boxes
    bool CanEdit = false;
    bool NormalCell = false;       // neither fixed by position nor by the question
    bool AlwaysDrop = false;       // a combo cell showing its drop-down button always
  };
  void PressResetFlags();
  void PressClearsDisjunctCells(TLeftPress& P);
  void PressNoteStart(const TLeftPress& P);
  void PressOutsideCells(TMessage& M);
  void PressMovesToBaseCell(TLeftPress& P);
  bool PressSizesFixedArea(const TLeftPress& P);
  void PressFixedCellButton(const TLeftPress& P);
  bool PressOnCellGraphic(const TLeftPress& P, TMessage& M);
  void PressHeaderNodeGlyph(const TLeftPress& P);
  bool PressNodeGlyph(const TLeftPress& P);
  bool PressPreparesOleDrag(const TLeftPress& P, const TRect& CR);
  bool PressCellButton(const TLeftPress& P);
  void PressNoteClickOffset(const TLeftPress& P);
  bool PressDisjunctRowsCols(TLeftPress& P, TMessage& M);
  void PressHeaderSelection(const TLeftPress& P);
  void PressNoteMoveCandidate(const TLeftPress& P);
  bool PressTogglesCheck(const TLeftPress& P);
  void PressFocusesDirectCombo(TLeftPress& P);
  bool PressDefersSelecting(const TLeftPress& P);
  void PressOnFixedCell(const TLeftPress& P);
  void PressOnCell(const TLeftPress& P, TMessage& M);
  void PressStartsDirectEdit(const TLeftPress& P, const TRect& CR);
  // The steps of WMLButtonUp (ExGridMouse.cpp), on the release's point and cell.
  struct TLeftRelease {
    Integer X = 0, Y = 0;          // the point
    Word Keys = 0;                 // the message's key flags
    Integer ACol = -1, ARow = -1;  // the cell (display column)
  };
  bool ReleaseEndsOleDrag(const TLeftRelease& R, TMessage& M);
  void EndPressState();
  void ReleaseResetState(const TLeftRelease& R);
  bool ReleaseCellButton(const TLeftRelease& R);
  void ReleaseClicksFixedCell(const TLeftRelease& R);
  bool ReleaseSelectionClick(const TLeftRelease& R, TMessage& M);
  void ReleaseDisjunctRows(const TLeftRelease& R);
  void ReleaseSelectsGroup(const TLeftRelease& R);
  void ReleaseDisjunctCols(const TLeftRelease& R);
  void ReleasePlatform(const TLeftRelease& R, TMessage& M);
  // The steps of WMLButtonDblClk (ExGridMouse.cpp).
  bool DblClickPastLastColumn(TMessage& M, Integer X, Integer& ACol, Integer& ARow);
  bool DblClickSizesColumn(TMessage& M, Integer X, Integer ACol, Integer ARow);
  bool DblClickOnCellControl(TMessage& M, Integer X, Integer Y, Integer ACol, Integer ARow, bool CellControl);
  void DblClickStartsEdit(Integer ACol, Integer ARow);
  void DblClickEditsFixedCell(Integer ACol, Integer ARow);
  // The link or HTML form control under a point of a cell (display column).
  struct THtmlHit {
    bool Html = false;
    String Anchor;
    String Title;
    Integer Index = -1;
    bool IsControl = false;
    String CtrlID;
    String CtrlType;
    String CtrlValue;
  };
  bool CellLinkAt(Integer ACol, Integer ARow, Integer X, Integer Y, THtmlHit& Hit);
  bool HandleLinkPress(Integer ACol, Integer ARow, Integer X, Integer Y);
  void HeaderClickSort(Integer ACol, Integer ARow, Integer X, Integer Y);
  bool DisjunctCellPick(Integer ACol, Integer ARow, TShiftState Shift);
  void SyncGridFollow();
  bool InFixedDropDownZone(Integer ACol, Integer ARow, Integer X);
  void SimulateCellClickAt(Integer X, Integer Y);
  // The fixed-cell editor: ends an open one (false when it refuses), shows one over R.
  bool StopFixedCellEdit();
  void ShowFixedCellEditor(Integer ACol, Integer ARow, TGridFixedCellEditor Kind, TStrings* Values, TRect R);
  // The filter drop-down lists.
  void ShowFilterList(Integer ACol, Integer ARow, Integer RealCol);
  void HideFilterLists();
  // Hover.
  void PlaceCellScrollBar(Integer ACol, Integer ARow);
  bool HoverLinks(Integer ACol, Integer ARow, Integer X, Integer Y);
  bool BalloonEnabled() const;
  void CloseBalloon();
  // Moving and dragging out.
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void RowColMoveStep(Integer X, Integer Y);
  void CancelRowColMove();
  bool EndRowColMove(Integer X, Integer Y);
  void HideMoveArrows();
  void ShowArrow(TArrowWindow* Arrow, Integer X, Integer Y, bool Show);
  void FreeMoveImage();
  struct TOleDragState;
  void OleDragStartStep(Integer X, Integer Y, TShiftState Shift);
  void OleDragTrack(Integer X, Integer Y);
  bool OleDragFinish(Integer X, Integer Y, bool Cancel);
  void DeleteOleDrag();
  // Sizing.
  void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                       Integer& SizingOfs) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
  void SizingMoveEvents(Integer X, Integer Y);
  THTMLHintWindow* SizingHintWindow();
  void ShowSizingHint(const String& Text, Integer ACol, Integer ARow);
  void CloseSizingHint();
  Integer FixedBorderAt(bool Cols, Integer P);
  void DrawFixedSizingLine(bool Cols, Integer Pos);
  void FixedSizingMove(Integer X, Integer Y, bool OnCell);
  void StartFixedSizing(bool Cols, Integer X, Integer Y);
  void EndFixedSizing(Integer X, Integer Y);
  void PlaceEditControl();
  // Scrolling.
  void WMHScroll(TMessage& M) override;
  void WMVScroll(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  bool InitFlatScrollBars();
  void DoneFlatScrollBars();
  void ApplyMetroScrollControls();
  void ShowScrollHint(const String& Prefix, Integer Index);
  void CellScrollBarMessage(Integer Code, Integer Pos);
  void StopDragTimer();
  void DragScrollTick();

  TPoint FKeyPushedButton{-1, -1};     // a cell button held down by Enter or Space
  class TNoActiveForm* FMoveImage = nullptr;  // the snapshot shown while cells are moved or dragged
  bool FMoveBlockFocus = false;         // StartBlockFocus ran for the move under way
  TOleDragState* FOleDrag = nullptr;    // the drag of cells out of the grid, nullptr when none
  bool FInSizeChange = false;           // ColWidthsChanged / RowHeightsChanged are at work
  class TTimer* FDragTmr = nullptr;     // the drag-over scroll timer, nullptr when none
  TDragScrollDirections FDragScrollDirection;
  // ===== end input (protected) =====

  // ===== data operations (protected): ExGridNodes.cpp, ExGridSort.cpp, ExGridFilterOps.cpp,
  //       ExGridFind.cpp, ExGridRows.cpp =====
  // Sorting: -1, 0 or +1 for two cells in one direction; two rows by a column and the columns to
  // its right (Full), or by the sort index list from entry Index; the partition workers.
  Integer CompareCells(Integer ACol, Integer ARow1, Integer ARow2, TSortDirection Direction);
  Integer CompareRows(Integer ACol, Integer ARow1, Integer ARow2);
  Integer CompareRowsIndexed(Integer Index, Integer ARow1, Integer ARow2);
  void QuickSortRows(Integer Col, Integer Left, Integer Right);
  void QuickSortRowsIndexed(Integer Index, Integer Left, Integer Right);
  // The partition sort cell by cell (SortSwapRows, the pivot in the scratch row), for the sorts
  // the keys cannot carry; ColOrIndex is the column, or the first sort index when Indexed.
  void QuickSortRowsByCells(Integer ColOrIndex, Integer Left, Integer Right, bool Indexed);
  // Sorts rows Left … Right by the keys of their cells (see ExGridSort.cpp) and moves them once;
  // false, with nothing changed, when the column's comparison needs the cells themselves.
  bool SortRowsByKeys(Integer Col, Integer Left, Integer Right, bool Indexed);
  void QuickUnSortRows(Integer Left, Integer Right);
  void QSortGroupInternal(bool Indexed);
  // Copies row ARow into the pivot scratch row (RowCount - 2), cell objects shared.
  void CopyPivotRow(Integer ARow);
  // Clears Count rows from FromRow, dropping the cell objects without freeing them.
  void ClearScratchRows(Integer FromRow, Integer Count, bool NilObjects);
  // After an error in a sort's comparisons: the Count scratch rows are cleared without freeing
  // (they only hold copies) and the grid goes back to OldCount rows, so no row is added or lost.
  void AbandonSort(Integer OldCount, Integer Count);
  // Column 0 (texts and cell objects) set aside and put back around a sort with NormalCellsOnly.
  TStrings* SaveFixedColumn();
  void RestoreFixedColumn(TStrings* Saved);
  // Find: the scan, the cell test and the node that holds a hidden row.
  bool DoFind(TPoint StartCell, const String& s, TPoint& Result, TFindParams FindParams, bool Wide,
              const String& ws);
  bool MatchFindCell(Integer ACol, Integer ARow, bool Wide);
  Integer FindHiddenNodeRow(Integer ARow);
  // The search footer's parameters (Backward: find previous; Panel: edit-change extras).
  TFindParams SearchFooterParams(bool Backward, bool FirstSearch);
  // Rows: the column and row bookkeeping of row removal.
  void ShiftControlRows(Integer FromRealRow, Integer Delta);
  void ShiftHiddenRowItems(Integer AboveRealRow, Integer Delta);
  // ===== end data operations (protected) =====

  // ===== text files, printing, statistics and sizing (protected): ExGridDelimited.cpp,
  //       ExGridFixedText.cpp, ExGridPrint*.cpp, ExGridStats.cpp, ExGridAutoSize.cpp =====
  void OutputToCSV(const String& FileName, bool Append, bool Unicode);
  void InputFromCSV(TStream* Stream, bool Insert, Integer MaxRows);
  void InputFromCSVFile(const String& FileName, bool Insert, Integer MaxRows);
  void PrintJob(TGridRect R, bool SelectedOnly);
  void PreviewJob(TCanvas* Canvas, TRect Displayrect, bool SelectedOnly, TGridRect R);
  // Lays the print range out on pages: Mode 0 draws a preview, 1 draws, 2 and 3 count the pages
  // of a print and of a preview. Answers the number of pages.
  Integer PrintLayout(TCanvas* Canvas, Integer Mode, bool SelectedOnly, Integer TotalPages);
  void AutoSizeColInternal(Integer ACol, bool GrowOnly);
  void AutoSizeRowInternal(Integer ARow, bool GrowOnly, Integer Padding);
  // The layout's page and cell steps work on the grid's print fields.
  friend class TGridPrintLayout;
  // The canvas being printed on: its pixels per inch, the pixel of the page's top-left corner, and
  // whether it is the printer's (which starts new pages).
  Integer FPrintDPI = 96;
  TPoint FPrintOrigin;
  bool FPrintOnPrinter = false;
  // ===== end text files, printing, statistics and sizing (protected) =====

  // ===== files and clipboard (protected): ExGridPersist.cpp, ExGridStream.cpp, ExGridExport.cpp,
  //       ExGridClipboard.cpp =====
  // Make the print and HTML settings when the grid has none yet (owned by the grid).
  void EnsureFileSettings();
  // The TAB / CR LF text of a rectangle (Disjunct: only the selected rows or columns).
  String GetRectAsText(TGridRect R, bool Disjunct);
  void CopyRectToClipboard(TGridRect R, bool Disjunct);
  void CopyCellRTFToClipboard(Integer ACol, Integer ARow);
  void CopyCellsFormatToClipboard(TGridRect R);
  void ExpandSelectionToMergedCells();
  Integer PasteFromClipboardAt(Integer ACol, Integer ARow, Integer& Cols, Integer& Rows);
  // The smart paste of a single value or a series over the selection.
  void SmartPaste(Integer Count);
  // The pasted text ended with a line break (its last line is the empty remainder); a date or
  // number series ended the smart paste; a text series asks for the block repetition.
  bool FPasteTrailingBreak = false;
  bool FSmartPasteDone = false;
  bool FSmartPasteRepeat = false;
  // ===== end files and clipboard (protected) =====
};
