// The grid drop-down: a drop-down editor whose popup hosts a complete string grid as its list.
//
// It offers what the multi-column drop-down offers (columns, items, a lookup column, autocompletion
// in the edit, a typed search, ItemIndex) and adds:
// - two data modes: items mode (UseItems, the default), where the list is filled from Items at
//   every opening, and grid mode, where the application fills the hosted grid (GetGrid) itself;
// - three lookup methods: lmLookup (the first row whose lookup text starts with the typed text),
//   lmNarrowDown (the list is filtered to the matching rows) and lmNone;
// - two styles: dsDropDown (the edit takes typing) and dsDropDownList (typing only searches);
// - the string grid's own sorting by header click, hover rows, bands, search footer, navigation and
//   mouse settings, in-place editing and user sizing and moving, all copied into the list at every
//   opening;
// - the hosted grid's events passed on as the drop-down's own OnGrid... events.
//
// This module lives in the grid's library, not beside the other drop-downs: the grid library
// already depends on the drop-down library (it creates the drop-down cell editors), and this
// drop-down hosts a descendant of the string grid, so the dependency has to point this way.
//
// Items mode keeps each item's index as the cell object of column 0 of its row (the header row
// holds -1), so the mapping between rows and items survives sorting and filtering. In grid mode
// item = row - fixed rows.
//
// The columns, items and list here are types of their own, separate from the multi-column
// drop-down's classes of the same names; they live in the namespace ExCustomGridDropDown.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExListDropDown.h"
#include "components/grid/ExGrid.h"
#include "components/gridbase/ExGridOptions.h"

// How typing finds a row: the first row whose lookup text starts with the typed text, the list
// filtered to the matching rows, or no search at all.
enum TLookupMethod : Byte { lmLookup, lmNarrowDown, lmNone };
// dsDropDown: the edit takes typing; dsDropDownList: it does not, typing only searches.
enum TDropDownStyle : Byte { dsDropDown, dsDropDownList };
// Sorting of the list by a click on a column header.
enum TGridSorting : Byte { gsNone, gsSingleColumn, gsMultiColumn };

namespace ExCustomGridDropDown {

using ExListDropDown::ctImage;
using ExListDropDown::ctText;
using ExListDropDown::ItemText;
using ExListDropDown::TColumnType;
using ExListDropDown::TDrawCellEvent;
using ExListDropDown::TGetCellPropEvent;
using ExListDropDown::TGetCellTextEvent;

class TCustomExGridDropDown;

// ---------------------------------------------------------------------------------------------
// Columns and items
// ---------------------------------------------------------------------------------------------

// The module's own columns and items (ExListDropDown.h has their properties). Of a column,
// Width, Header, Color, Alignment, AutoSize and Wordwrap take effect; Font and ColumnType serve
// the auto-size and word-wrap measurements; Ellipsis is kept.
struct TModule;
using TDropDownColumn = ExListDropDown::TDropDownColumnT<TModule>;
using TDropDownColumns = ExListDropDown::TDropDownColumnsT<TModule>;
using TDropDownItem = ExListDropDown::TDropDownItemT<TModule>;

// Makes an item of a collection: the class of the items a TDropDownItems holds.
using TDropDownItemClass = TDropDownItem* (*)(TCollection* Collection);

class TDropDownItems : public ExListDropDown::TDropDownItemsT<TModule> {
 public:
  explicit TDropDownItems(TPersistent* AOwner);
  // The class of the items Add, Insert and Assign make: TDropDownItem here; a descendant
  // collection answers its own item class.
  virtual TDropDownItemClass GetItemClass() const;
};

// ---------------------------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------------------------

// The list in the popup: a string grid that keeps the string grid's own painting. Its header and
// line colours, header font and own line width are kept for the drop-down but change nothing that
// is drawn. Enter chooses the row before the string grid sees it; a click on a check box chooses
// nothing.
class TExColGrid : public ExListDropDown::TListGrid<TExStringGrid, TCustomExGridDropDown, TDropDownColumns> {
 public:
  explicit TExColGrid(TComponent* AOwner);
  void WndProc(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
};

// ---------------------------------------------------------------------------------------------
// The drop-down
// ---------------------------------------------------------------------------------------------

class TCustomExGridDropDown
    : public ExListDropDown::TListDropDown<TDropDownColumns, TDropDownItems, TExColGrid> {
 public:
  explicit TCustomExGridDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TCustomExGridDropDown"; }
  void BeforeDestruction() override;

  // The hosted grid (the list).
  TExColGrid* GetGrid() const { return FExColGrid; }
  // The first row whose lookup text starts with Text (case-folded unless CaseSensitive): in items
  // mode the item's index and its text as stored, in grid mode the list row and the cell text.
  // False, an empty Found and Row -1 when none (also in grid mode without a list).
  bool FindLookupRow(const String& Text, String& Found, Integer& Row) const;
  // The item a list row shows (items mode: the object of its column 0; the row itself when there
  // is no list or the row lies past it), and the first data row that shows an item (the current
  // ItemIndex when none does, the item is negative or there is no list).
  Integer ItemOfRow(Integer Row) const;
  Integer RowOfItem(Integer Item) const;
  void SetComponentStyle(TNorvStyle AStyle) override;

  // --- Properties (the list drop-downs' own are in ExListDropDown.h) ---
  bool AutoShowDropDown() const { return FAutoShowDropDown; }
  void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
  bool AutoSizeColumns() const { return FAutoSizeColumns; }
  void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  bool ColumnMoving() const { return FColumnMoving; }
  void SetColumnMoving(bool Value) { FColumnMoving = Value; }
  // Cells of the list can be edited in place; a choice in the list then keeps the popup open.
  bool GridEditable() const { return FGridEditable; }
  void SetGridEditable(bool Value) { FGridEditable = Value; }
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  // Items mode: at or past the item count nothing, otherwise stored and the edit shows the item's
  // lookup-column text (or nothing). Grid mode without a list: stored. Grid mode with a list: a
  // new value that names a data row (or is negative) is stored and the edit shows the row's
  // lookup-column cell (nothing for a negative value).
  void SetItemIndex(Integer Value) override;
  TLookupMethod LookupMethod() const { return FLookupMethod; }
  void SetLookupMethod(TLookupMethod Value) { FLookupMethod = Value; }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  bool RowSizing() const { return FRowSizing; }
  void SetRowSizing(bool Value) { FRowSizing = Value; }
  bool RowMoving() const { return FRowMoving; }
  void SetRowMoving(bool Value) { FRowMoving = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TGridSorting Sorting() const { return FSorting; }
  void SetSorting(TGridSorting Value) { FSorting = Value; }
  TDropDownStyle Style() const { return FStyle; }
  // Also switches typing in the edit on (dsDropDown) or off.
  void SetStyle(TDropDownStyle Value);
  bool UseItems() const { return FUseItems; }
  void SetUseItems(bool Value) { FUseItems = Value; }

  // State the tests and the grid read.
  bool DesignTime() const { return FDesignTime; }
  bool BalloonInitDone() const { return FBalloonInit; }
  Integer SelRow() const { return FSelRow; }

  // --- Events of the hosted grid passed on (Sender the hosted grid unless said otherwise) ---
  TAnchorClickEvent OnGridAnchorClick;
  TAnchorEvent OnGridAnchorEnter;
  TAnchorEvent OnGridAnchorExit;
  TAnchorHintEvent OnGridAnchorHint;
  TButtonClickEvent OnGridButtonClick;
  // Never fired: the list's sort events keep the current item instead.
  TCanSortEvent OnGridCanSort;
  TClickSortEvent OnGridClickSort;
  // Never fired: their forwarders are not attached.
  TCustomCompareEvent OnGridCustomCompare;
  TRawCompareEvent OnGridRawCompare;
  TColumnSizeEvent OnGridColumnSize;
  TColumnSizingEvent OnGridColumnSizing;
  TEndColumnSizeEvent OnGridEndColumnSize;
  TRowSizeEvent OnGridRowSize;
  TRowSizingEvent OnGridRowSizing;
  TEndRowSizeEvent OnGridEndRowSize;
  TRowColMoveEvent OnGridRowMove;
  TRowColMoveEvent OnGridRowMoving;
  TMovedEvent OnGridRowMoved;
  TRowColMoveEvent OnGridColumnMove;
  TRowColMoveEvent OnGridColumnMoving;
  TMovedEvent OnGridColumnMoved;
  // Attached only when assigned at the opening.
  TCustomCellDrawEvent OnGridCustomCellDraw;
  TCustomCellDrawEvent OnGridCustomCellBkgDraw;
  TGridBalloonEvent OnGridCellBalloon;
  TGridAlignEvent OnGridGetAlignment;
  TGridColorEvent OnGridGetCellColor;
  TGridGradientEvent OnGridGetCellGradient;
  TFloatFormatEvent OnGridGetFloatFormat;
  TGetEditorTypeEvent OnGridGetEditorType;
  TGetEditorPropEvent OnGridGetEditorProp;
  TCanEditCellEvent OnGridCanEditCell;
  TEllipsClickEvent OnGridEllipsClick;
  TGetDisplTextEvent OnGridGetDiplText;
  TGridFormatEvent OnGridGetFormat;
  TGridHintEvent OnGridHint;
  TMouseMoveEvent OnGridMouseMove;
  TMouseEvent OnGridMouseDown;
  TMouseEvent OnGridMouseUp;
  // Sender the drop-down: fired by the key hooks of the open list.
  TKeyEvent OnGridKeyDown;
  TKeyEvent OnGridKeyUp;
  TKeyPressEvent OnGridKeyPress;
  TClickCellEvent OnGridRightClickCell;
  TScrollHintEvent OnGridScrollHint;
  // Sender the drop-down.
  TNotifyEvent OnGridTopLeftChanged;
  TSearchEditChangeEvent OnGridSearchEditChange;
  // Never fired: its forwarder is not attached.
  TSpinClickEvent OnGridSpinClick;
  TAutoAddRowEvent OnGridAutoAddRow;
  TAutoInsertRowEvent OnGridInsertRow;
  TAutoInsertColEvent OnGridInsertCol;
  TAutoDeleteRowEvent OnGridDeleteRow;
  TCanAddRowEvent OnGridCanAddRow;
  TCanInsertRowEvent OnGridCanInsertRow;
  TCanDeleteRowEvent OnGridCanDeleteRow;
  TCheckBoxClickEvent OnGridCheckBoxClick;

  // --- Hooks of the drop-down framework ---
  Integer GetVersionNr() override;
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void AdjustDropDownHeight(Integer& Height) override;
  void DoShowDropDown() override;
  void DoHideDropDown(bool CancelChanges) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

  // --- Virtuals introduced here, in their order ---
  // Makes the items collection.
  virtual std::unique_ptr<TDropDownItems> CreateItems(TComponent* AOwner);
  // The forwarders of the hosted grid's events: each calls the drop-down's event of the same name
  // with the same arguments when it is assigned (some add a step of their own first).
  virtual void DoGridAnchorClick(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor, bool& AutoHandle);
  virtual void DoGridAnchorEnter(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor);
  virtual void DoGridAnchorExit(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor);
  virtual void DoGridAnchorHint(TObject* Sender, Integer ARow, Integer ACol, String& Anchor);
  virtual void DoGridButtonClick(TObject* Sender, Integer ACol, Integer ARow);
  virtual void DoGridCanSort(TObject* Sender, Integer ACol, bool& DoSort);
  virtual void DoGridClickSort(TObject* Sender, Integer ACol);
  virtual void DoGridCustomCompare(TObject* Sender, const String& Str1, const String& Str2, Integer& Res);
  virtual void DoGridRawCompare(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res);
  virtual void DoGridColumnSize(TObject* Sender, Integer ACol, bool& Allow);
  virtual void DoGridColumnSizing(TObject* Sender, Integer ACol, Integer ColumnSize);
  virtual void DoGridEndColumnSize(TObject* Sender, Integer ACol);
  virtual void DoGridRowSize(TObject* Sender, Integer ARow, bool& Allow);
  virtual void DoGridRowSizing(TObject* Sender, Integer ARow, Integer RowSize);
  virtual void DoGridEndRowSize(TObject* Sender, Integer ARow);
  virtual void DoGridRowMove(TObject* Sender, Integer Index, bool& Allow);
  virtual void DoGridRowMoving(TObject* Sender, Integer Index, bool& Allow);
  virtual void DoGridRowMoved(TObject* Sender, Integer FromIndex, Integer ToIndex);
  virtual void DoGridColumnMove(TObject* Sender, Integer Index, bool& Allow);
  virtual void DoGridColumnMoving(TObject* Sender, Integer Index, bool& Allow);
  virtual void DoGridColumnMoved(TObject* Sender, Integer FromIndex, Integer ToIndex);
  virtual void DoGridCustomCellDraw(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                    TGridDrawState AState, TRect ARect, bool Printing);
  virtual void DoGridCustomCellBkgDraw(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                       TGridDrawState AState, TRect ARect, bool Printing);
  virtual void DoGridCellBalloon(TObject* Sender, Integer ACol, Integer ARow, String& ATitle, String& AText,
                                 Integer& AIcon);
  virtual void DoGridGetAlignment(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                  TVAlignment& VAlign);
  virtual void DoGridGetCellColor(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                  TBrush* ABrush, TFont* AFont);
  virtual void DoGridGetCellGradient(TObject* Sender, Integer ARow, Integer ACol, TColor& Color, TColor& ColorTo,
                                     TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD);
  virtual void DoGridGetFloatFormat(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat,
                                    String& FloatFormat);
  virtual void DoGridGetEditorType(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor);
  virtual void DoGridGetEditorProp(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink);
  virtual void DoGridCanEditCell(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit);
  virtual void DoGridEllipsClick(TObject* Sender, Integer ACol, Integer ARow, String& S);
  virtual void DoGridGetDiplText(TObject* Sender, Integer ACol, Integer ARow, String& Value);
  virtual void DoGridGetFormat(TObject* Sender, Integer ACol, TSortStyle& AStyle, String& APrefix,
                               String& ASuffix);
  virtual void DoGridHint(TObject* Sender, Integer ARow, Integer ACol, String& HintStr);
  virtual void DoGridMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  virtual void DoGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void DoGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void DoGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  virtual void DoGridKeyUp(TObject* Sender, Word& Key, TShiftState Shift);
  virtual void DoGridKeyPress(TObject* Sender, Char& Key);
  virtual void DoGridRightClickCell(TObject* Sender, Integer ARow, Integer ACol);
  virtual void DoGridScrollHint(TObject* Sender, Integer ARow, String& HintStr);
  virtual void DoGridTopLeftChanged(TObject* Sender);
  virtual void DoGridSearchEditChange(TObject* Sender, const String& Value, bool& DefaultSearch);
  virtual void DoGridSpinClick(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown);
  virtual void DoGridAutoAddRow(TObject* Sender, Integer ARow);
  virtual void DoGridInsertRow(TObject* Sender, Integer ARow);
  virtual void DoGridInsertCol(TObject* Sender, Integer ACol);
  virtual void DoGridDeleteRow(TObject* Sender, Integer ARow);
  virtual void DoGridCanAddRow(TObject* Sender, bool& CanAdd);
  virtual void DoGridCanInsertRow(TObject* Sender, Integer ARow, bool& CanInsert);
  virtual void DoGridCanDeleteRow(TObject* Sender, Integer ARow, bool& CanDelete);
  // The check-box click, passed on by a plain operation.
  void DoGridCheckBoxClick(TObject* Sender, Integer ACol, Integer ARow, bool State);

  // The list's DoSelect: takes the marked row, closes the popup keeping it (unless the list is
  // editable), fires OnSelect.
  void ListSelect(TObject* Sender);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WMKeyDown(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;

  // Copies the drop-down's settings into the list (columns, sizes, colours, hover, user sizing
  // and moving, auto-size, word-wrap row heights).
  void LoadListSettings();
  // Fills the list from the columns and items: headers in row 0, one row per item.
  void FillList();
  // Sets the list's events to the forwarders and to the drop-down's own handlers.
  void AttachListEvents();
  // The list's cell selection, sort events and focus blocking.
  void ListSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
  void ListCanSort(TObject* Sender, Integer ACol, bool& DoSort);
  void ListClickSort(TObject* Sender, Integer ACol);
  void ListStartBlockFocus(TObject* Sender);
  void ListEndBlockFocus(TObject* Sender);
  // The number of values the moves walk: items, or the list's data rows in grid mode.
  Integer MoveCount() const override;
  // The typed-search step for one character: the found value (an item in items mode, a list row
  // in grid mode, the first data row with lmNarrowDown), or -1.
  Integer TypedSearchStep(Char C);
  // Makes a list row current, at the top when the list has more rows than it shows.
  void PutListRow(Integer Row);
  // The lookup-column cell of a list row, empty outside the list.
  String ListLookupCell(Integer Row) const;
  // Runs Action with the popup's activation block set.
  void WithBlockedActivation(const std::function<void()>& Action);

  bool FAutoShowDropDown = false;
  bool FAutoSizeColumns = true;
  std::unique_ptr<TBands> FBands;
  bool FColumnMoving = false;
  bool FGridEditable = false;
  TImageList* FGridImages = nullptr;
  bool FHoverRow = false;
  TColor FHoverRowColor = static_cast<TColor>(0xFF000018);
  TColor FHoverRowColorTo = clNone;
  TLookupMethod FLookupMethod = lmLookup;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TNavigation> FNavigation;
  bool FRowSizing = false;
  bool FRowMoving = false;
  bool FRowSelect = true;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  TGridSorting FSorting = gsNone;
  TDropDownStyle FStyle = dsDropDown;
  bool FUseItems = true;

  bool FDesignTime = false;
  bool FBalloonInit = false;
  Integer FSelRow = -1;
  Integer FTempItemIndex = -1;
  // Set while the opening loads and positions the list: its cell selection then only records the
  // row, so opening alone changes neither ItemIndex nor the edit.
  bool FLoadingList = false;
};

}  // namespace ExCustomGridDropDown

using ExCustomGridDropDown::TCustomExGridDropDown;
