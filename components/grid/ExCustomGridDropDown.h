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

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExMultiColumnDropDown.h"
#include "components/grid/ExGrid.h"
#include "components/gridbase/ExGridOptions.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// How typing finds a row: the first row whose lookup text starts with the typed text, the list
// filtered to the matching rows, or no search at all.
enum TLookupMethod : Byte { lmLookup, lmNarrowDown, lmNone };
// dsDropDown: the edit takes typing; dsDropDownList: it does not, typing only searches.
enum TDropDownStyle : Byte { dsDropDown, dsDropDownList };
// Sorting of the list by a click on a column header.
enum TGridSorting : Byte { gsNone, gsSingleColumn, gsMultiColumn };

// Typing and completion against the lookup list, shared by the list drop-downs.
struct TLookupTyping;

namespace ExCustomGridDropDown {

using ExMultiColumnDropDown::ctImage;
using ExMultiColumnDropDown::ctText;
using ExMultiColumnDropDown::TColumnType;
using ExMultiColumnDropDown::TDrawCellEvent;
using ExMultiColumnDropDown::TGetCellPropEvent;
using ExMultiColumnDropDown::TGetCellTextEvent;

class TCustomExGridDropDown;

// ---------------------------------------------------------------------------------------------
// Columns and items
// ---------------------------------------------------------------------------------------------

// One column description of the list. Width, Header, Color, Alignment, AutoSize and Wordwrap take
// effect; Font and ColumnType serve the auto-size and word-wrap measurements; Ellipsis is kept.
class TDropDownColumn : public TCollectionItem {
 public:
  explicit TDropDownColumn(TCollection* Collection);
  ~TDropDownColumn() override;
  String ClassName() const override { return u"TDropDownColumn"; }
  // From another column: all nine properties, the font by value; anything else by the base.
  void Assign(TPersistent* Source) override;

  bool Wordwrap() const { return FWordwrap; }
  void SetWordwrap(bool Value) { FWordwrap = Value; }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  const String& Header() const { return FHeader; }
  void SetHeader(const String& Value) { FHeader = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColumnType ColumnType() const { return FColumnType; }
  void SetColumnType(TColumnType Value) { FColumnType = Value; }
  TFont* Font() const { return FFont.get(); }
  // Copies the font.
  void SetFont(const TFont* Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value) { FEllipsis = Value; }

 private:
  bool FWordwrap = false;
  Integer FWidth = 80;
  bool FAutoSize = false;
  String FHeader;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = 0xFFFFFF;
  TColumnType FColumnType = ctText;
  std::unique_ptr<TFont> FFont;
  bool FEllipsis = false;
};

class TDropDownColumns : public TCollection {
 public:
  // AOwner: the component that created the collection, reported as its owner.
  explicit TDropDownColumns(TPersistent* AOwner);
  String ClassName() const override { return u"TDropDownColumns"; }
  TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
  TDropDownColumn* Insert(Integer Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
  TDropDownColumn* GetItem(Integer Index) const { return static_cast<TDropDownColumn*>(TCollection::GetItem(Index)); }
  TDropDownColumn* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TDropDownColumn* Value) { TCollection::SetItem(Index, Value); }

  // Kept for the owner; nothing fires it.
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FMyOwner; }

 private:
  TPersistent* FMyOwner;
};

// One row of the list: one text per column and an image index.
class TDropDownItem : public TCollectionItem {
 public:
  explicit TDropDownItem(TCollection* Collection);
  ~TDropDownItem() override;
  String ClassName() const override { return u"TDropDownItem"; }
  // From another item: the image index and the texts.
  void Assign(TPersistent* Source) override;

  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  // One string per column.
  TStringList* Text() const { return FText.get(); }
  // Copies the strings.
  void SetText(TStrings* Value);

 private:
  Integer FImageIndex = -1;
  std::unique_ptr<TStringList> FText;
};

// Makes an item of a collection: the class of the items a TDropDownItems holds.
using TDropDownItemClass = TDropDownItem* (*)(TCollection* Collection);

class TDropDownItems : public TCollection {
 public:
  explicit TDropDownItems(TPersistent* AOwner);
  String ClassName() const override { return u"TDropDownItems"; }
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(Integer Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* GetItem(Integer Index) const { return static_cast<TDropDownItem*>(TCollection::GetItem(Index)); }
  TDropDownItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TDropDownItem* Value) { TCollection::SetItem(Index, Value); }
  // The class of the items Add, Insert and Assign make: TDropDownItem here; a descendant
  // collection answers its own item class.
  virtual TDropDownItemClass GetItemClass() const;

  // Kept for the owner; nothing fires it.
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FMyOwner; }

 private:
  TPersistent* FMyOwner;
};

// The text of Item for Column; empty when the item has no text there.
String ItemText(const TDropDownItem* Item, Integer Column);

// ---------------------------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------------------------

// The list in the popup: a string grid that keeps the string grid's own painting. Its header and
// line colours, header font and own line width are kept for the drop-down but change nothing that
// is drawn. A mouse press or a key marks the current row to be taken when the popup closes; a
// wheel turn moves the row without that mark.
class TExColGrid : public TExStringGrid {
 public:
  explicit TExColGrid(TComponent* AOwner);
  ~TExColGrid() override;
  String ClassName() const override { return u"TExColGrid"; }

  TCustomExGridDropDown* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(TCustomExGridDropDown* Value) { FExDropDown = Value; }
  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  Integer HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont* Value);
  // The list's own line width; the write sets the string grid's line width to 0.
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // The current row is to be taken when the popup closes.
  bool ConfirmSelection() const { return FConfirmSelection; }
  void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
  // True while a wheel turn moves the current row.
  bool MouseWheelSelection() const { return FMouseWheelSelection; }
  Integer OldRow() const { return FOldRow; }

  // Fires OnSelect.
  virtual void DoSelect();

  // Kept for the owner; the list never fires them.
  TGetCellTextEvent OnGetCellText;
  TDrawCellEvent OnDrawCell;
  TGetCellPropEvent OnGetCellProp;
  TNotifyEvent OnSelect;

  void WndProc(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMGetDlgCode(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TCustomExGridDropDown* FExDropDown = nullptr;
  std::unique_ptr<TDropDownColumns> FColumns;
  TColor FHeaderColor = 0xFFFFFF;
  TColor FHeaderColorTo = 0x808080;
  TColor FLineColor = 0x808080;
  TImageList* FImages = nullptr;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TColor FFixedLineColor = 0;
  Integer FGridLineWidth = 1;
  Integer FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
};

// ---------------------------------------------------------------------------------------------
// The drop-down
// ---------------------------------------------------------------------------------------------

class TCustomExGridDropDown : public TExCustomDropDown {
 public:
  explicit TCustomExGridDropDown(TComponent* AOwner);
  ~TCustomExGridDropDown() override;
  String ClassName() const override { return u"TCustomExGridDropDown"; }
  void BeforeDestruction() override;

  // Nothing; EndUpdate rebuilds the lookup list.
  void BeginUpdate() {}
  void EndUpdate();
  // The hosted grid (the list).
  TExColGrid* GetGrid() const { return FExColGrid; }
  // The first item whose lookup-column text equals Value (case-sensitive); -1 when none. An item
  // without a text there counts as one with an empty text.
  Integer GetItemIndex(const String& Value) const;
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

  // --- Properties ---
  bool AutoShowDropDown() const { return FAutoShowDropDown; }
  void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
  bool AutoSizeColumns() const { return FAutoSizeColumns; }
  void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
  void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
  Integer DropDownRowHeight() const { return FDropDownRowHeight; }
  void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  bool ColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  bool ColumnMoving() const { return FColumnMoving; }
  void SetColumnMoving(bool Value) { FColumnMoving = Value; }
  bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  // Cells of the list can be edited in place; a choice in the list then keeps the popup open.
  bool GridEditable() const { return FGridEditable; }
  void SetGridEditable(bool Value) { FGridEditable = Value; }
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  Integer HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const { return FItemIndex; }
  // Items mode: at or past the item count nothing, otherwise stored and the edit shows the item's
  // lookup-column text (or nothing). Grid mode without a list: stored. Grid mode with a list: a
  // new value that names a data row (or is negative) is stored and the edit shows the row's
  // lookup-column cell (nothing for a negative value).
  void SetItemIndex(Integer Value);
  Integer LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(Integer Value) { FLookupColumn = Value; }
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
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
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

  // The number of items.
  Integer RowCount() const { return FItems->Count(); }
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  // The Text write; text written by the program is not completed.
  void SetText(const String& Value) override;

  // State the tests and the grid read.
  bool DesignTime() const { return FDesignTime; }
  bool BalloonInitDone() const { return FBalloonInit; }
  Integer SelRow() const { return FSelRow; }
  const TStringList* LookupItems() const { return FLookupItems.get(); }
  const String& LookupEntry() const { return FLookupEntry; }
  bool CompletionPending() const { return FItemChange; }
  bool AutoCompletion() const { return FWorkMode; }

  // --- Events of the drop-down ---
  TNotifyEvent OnSelect;

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
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;
  void DropDownSizing() override;
  void SelectNextValue() override;
  void SelectPreviousValue() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;

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
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void WMKeyDown(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;

  // Rebuilds the lookup list from the items (not without items or with LookupColumn < 0).
  void RebuildLookup();
  // The autocompletion of the edit text (the text-change steps).
  void CompleteTyping();
  friend struct ::TLookupTyping;
  // Copies the drop-down's settings into the list (columns, sizes, colours, hover, user sizing
  // and moving, auto-size, word-wrap row heights).
  void LoadListSettings();
  // Fills the list from the columns and items: headers in row 0, one row per item.
  void FillList();
  // Column auto-size from the items and word-wrap row heights, while the list stands in the popup.
  void AutoSizeItemColumns();
  void WrapRowHeights();
  // The list's content width: its columns, plus a vertical scroll bar when not all rows show.
  Integer ListContentWidth() const;
  // Scales the list's columns to the popup's width.
  void FitColumns();
  // Sets the list's events to the forwarders and to the drop-down's own handlers.
  void AttachListEvents();
  // The list's cell selection, sort events and focus blocking.
  void ListSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
  void ListCanSort(TObject* Sender, Integer ACol, bool& DoSort);
  void ListClickSort(TObject* Sender, Integer ACol);
  void ListStartBlockFocus(TObject* Sender);
  void ListEndBlockFocus(TObject* Sender);
  // The number of values the moves walk: items, or the list's data rows in grid mode.
  Integer MoveCount() const;
  void MoveItem(Integer Target);
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
  bool FCaseSensitive = false;
  bool FDropDownAutoWidth = true;
  Integer FDropDownRowHeight = 22;
  TColor FLineColor = 0xC0C0C0;
  TColor FFixedLineColor = 0xD1BBA4;
  std::unique_ptr<TBands> FBands;
  bool FColumnSizing = false;
  bool FColumnMoving = false;
  bool FColumnSizeWithDropDown = true;
  std::unique_ptr<TDropDownColumns> FColumns;
  bool FGridEditable = false;
  TImageList* FGridImages = nullptr;
  TColor FHeaderColor = 0xFFFFFF;
  TColor FHeaderColorTo = 0x808080;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  bool FHoverRow = false;
  TColor FHoverRowColor = static_cast<TColor>(0xFF000018);
  TColor FHoverRowColorTo = clNone;
  std::unique_ptr<TDropDownItems> FItems;
  Integer FItemIndex = -1;
  Integer FLookupColumn = 0;
  TLookupMethod FLookupMethod = lmLookup;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TNavigation> FNavigation;
  bool FRowSizing = false;
  bool FRowMoving = false;
  TColor FSelectionTextColor = 0;
  bool FRowSelect = true;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  TGridSorting FSorting = gsNone;
  TDropDownStyle FStyle = dsDropDown;
  bool FUseItems = true;
  bool FMatchCase = false;

  bool FDesignTime = false;
  bool FBalloonInit = false;
  TExColGrid* FExColGrid = nullptr;
  Integer FSelRow = -1;
  bool FWorkMode = true;
  std::unique_ptr<TStringList> FLookupItems;
  bool FItemChange = false;
  Integer FItemIdx = -1;
  Integer FItemSel = 0;
  Integer FOldItemIndex = -1;
  String FLookupEntry;
  Integer FTempItemIndex = -1;
  // Set while text is written by the program (SetText): that text is not completed.
  bool FOwnText = false;
  // Set while the opening loads and positions the list: its cell selection then only records the
  // row, so opening alone changes neither ItemIndex nor the edit.
  bool FLoadingList = false;
};

}  // namespace ExCustomGridDropDown

using ExCustomGridDropDown::TCustomExGridDropDown;
