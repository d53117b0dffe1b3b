// The column grid TExColumnGrid: the string grid with one settings object per column. A table is
// designed by setting the items of its Columns collection (header, width, editor, combo items,
// colours, alignment, read-only, check-box texts ...) instead of answering the string grid's
// events; the grid answers the string grid's hooks from the item of the column concerned, and the
// string grid's own hook runs after that answer (per-cell properties and the On… events still win).
//
// Item i describes real column i (hidden columns counted, display order ignored): Columns.Count
// equals ColCount plus the hidden columns. A column move moves its item along.
//
// The grid keeps two things outside itself: the order of its columns as keys "CP0", "CP1", ... in
// an INI file, and the whole collection as a binary component stream (ExCGridStream.h).
//
// Sources: ExCGrid.cpp (items and collection), ExCGridHooks.cpp (the grid, keeping items and
// columns in step, the hooks), ExCGridPersist.cpp (column positions and the collection stream).
#pragma once

#include <memory>

#include "components/grid/ExGrid.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExColumnGrid;
class TGridColumnCollection;
class TPopupMenu;

// Which click opens a column's popup menu: on fixed cells, normal cells or all cells, with the
// right or the left button.
enum TColumnPopupType : Byte {
  cpFixedCellsRClick,
  cpFixedCellsLClick,
  cpNormalCellsRClick,
  cpNormalCellsLClick,
  cpAllCellsRClick,
  cpAllCellsLClick,
};

// A click on a cell whose column has a popup menu; ACol is the display column.
using TColumnPopupEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu* PopupMenu)>;
// After a column move rearranged the items: the real indexes before the move.
using TAfterColumnMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;

// ---------------------------------------------------------------------------------------------
// TGridColumnItem: the settings of one column
// ---------------------------------------------------------------------------------------------

class TGridColumnItem : public TCollectionItem {
 public:
  // A new item with the initial values; inside a collection of a grid it takes the grid's Color
  // and Font, and its fonts, border pen and filter list report their changes.
  explicit TGridColumnItem(TCollection* Collection);
  ~TGridColumnItem() override;
  String ClassName() const override { return u"TGridColumnItem"; }
  // "Col <index>: <Name>", or "Column <index>" without a name.
  String DisplayName() const override;

  // Copies every setting of another TGridColumnItem (the width into the cached width only,
  // fonts, pens and lists by value, EditLink and ColumnPopup as references, DefIdx too); any
  // other source is ignored.
  void Assign(TPersistent* Source) override;
  // Copies the look of another item; Color and Font come from the grid instead. Header, Name,
  // Tag, ComboItems, DropDownCount, HeaderFont, ColumnPopupType and the two print-custom flags
  // stay.
  void AssignVisuals(TGridColumnItem* Source);

  // The grid of the item's collection, nullptr outside a collection of a grid.
  TExColumnGrid* Grid() const;

  // --- Published properties, in their declaration order -----------------------------------------
  Integer AutoMinSize() const { return FAutoMinSize; }
  void SetAutoMinSize(Integer Value) { FAutoMinSize = Value; }
  Integer AutoMaxSize() const { return FAutoMaxSize; }
  void SetAutoMaxSize(Integer Value) { FAutoMaxSize = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TCellBorders Borders() const { return FBorders; }
  void SetBorders(TCellBorders Value);
  TPen* BorderPen() const { return FBorderPen.get(); }
  void SetBorderPen(TPen* Value);
  const String& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
  const String& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // A reference, not owned; dropped when the menu is freed.
  TPopupMenu* ColumnPopup() const { return FColumnPopup; }
  void SetColumnPopup(TPopupMenu* Value);
  TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
  void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
  TStringList* ComboItems() const { return FComboItems.get(); }
  void SetComboItems(TStrings* Value);
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  Integer EditLength() const { return FEditLength; }
  void SetEditLength(Integer Value) { FEditLength = Value; }
  // A reference, not owned; dropped when the link is freed.
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* Value);
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value) { FEditMask = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value);
  TEditorType EditorType() const { return Editor(); }
  void SetEditorType(TEditorType Value) { SetEditor(Value); }
  // Entries "name=condition" (or a plain text for both) of the column's filter drop-down.
  TStringList* Filter() const { return FFilter.get(); }
  void SetFilter(TStrings* Value);
  bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
  void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
  bool Fixed() const { return FFixed; }
  void SetFixed(bool Value);
  const String& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const String& Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  const String& Header() const { return FHeader; }
  // Stores the text; with fixed rows and no column move under way it also goes into row 0 of the
  // column. Then the grid's ColumnHeaders list is rebuilt from the headers of all items.
  void SetHeader(const String& Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  Integer MinSize() const { return FMinSize; }
  void SetMinSize(Integer Value) { FMinSize = Value; }
  Integer MaxSize() const { return FMaxSize; }
  void SetMaxSize(Integer Value) { FMaxSize = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  bool Password() const { return FPassword; }
  void SetPassword(bool Value);
  bool PrintBorderCustom() const { return FPrintBorderCustom; }
  void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
  TCellBorders PrintBorders() const { return FPrintBorders; }
  void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
  TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
  void SetPrintBorderPen(TPen* Value) { FPrintBorderPen->Assign(Value); }
  TColor PrintColor() const { return FPrintColor; }
  void SetPrintColor(TColor Value) { FPrintColor = Value; }
  bool PrintFontCustom() const { return FPrintFontCustom; }
  void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
  TFont* PrintFont() const { return FPrintFont.get(); }
  void SetPrintFont(TFont* Value) { FPrintFont->Assign(Value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool Value);
  TSortStyle SortStyle() const { return FSortStyle; }
  void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
  const String& SortPrefix() const { return FSortPrefix; }
  void SetSortPrefix(const String& Value) { FSortPrefix = Value; }
  const String& SortSuffix() const { return FSortSuffix; }
  void SetSortSuffix(const String& Value) { FSortSuffix = Value; }
  Integer SpinMax() const { return FSpinMax; }
  void SetSpinMax(Integer Value) { FSpinMax = Value; }
  Integer SpinMin() const { return FSpinMin; }
  void SetSpinMin(Integer Value) { FSpinMin = Value; }
  Integer SpinStep() const { return FSpinStep; }
  void SetSpinStep(Integer Value) { FSpinStep = Value; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // Not kept in the item: the grid's width of the item's column (0 outside a collection of a
  // grid); writing sizes the column.
  Integer Width() const;
  void SetWidth(Integer Value);

  // --- Public properties ----------------------------------------------------------------------
  // The column's default position (numbered by SetOrganization, kept by the column positions).
  Integer DefIdx() const { return FDefIdx; }
  void SetDefIdx(Integer Value) { FDefIdx = Value; }
  // The width last seen for the column (copied by Assign and AssignVisuals).
  Integer CachedWidth() const { return FWidth; }
  void SetCachedWidth(Integer Value) { FWidth = Value; }

  // Typed cell access of the item's column by display row.
  String GetRows(Integer ARow) const;
  void SetRows(Integer ARow, const String& Value);
  Integer GetInts(Integer ARow) const;
  void SetInts(Integer ARow, Integer Value);
  double GetFloats(Integer ARow) const;
  void SetFloats(Integer ARow, double Value);
  TDateTime GetDates(Integer ARow) const;
  void SetDates(Integer ARow, TDateTime Value);
  TDateTime GetTimes(Integer ARow) const;
  void SetTimes(Integer ARow, TDateTime Value);

 private:
  friend class TExColumnGrid;
  void FontChanged();
  void HeaderFontChanged();
  void PenChanged();
  void FilterChanged();
  // Repaints the grid of the item, when there is one.
  void Repaint() const;

  Integer FAutoMinSize = 0;
  Integer FAutoMaxSize = 0;
  TAlignment FAlignment = taLeftJustify;
  TCellBorders FBorders;
  std::unique_ptr<TPen> FBorderPen;
  String FCheckFalse = u"N";
  String FCheckTrue = u"Y";
  TColor FColor = clWindow;
  TPopupMenu* FColumnPopup = nullptr;
  TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
  std::unique_ptr<TStringList> FComboItems;
  Integer FDropDownCount = 8;
  Integer FEditLength = 0;
  TEditLink* FEditLink = nullptr;
  String FEditMask;
  TEditorType FEditor = edNormal;
  std::unique_ptr<TStringList> FFilter;
  bool FFilterCaseSensitive = false;
  bool FFixed = false;
  String FFloatFormat;
  std::unique_ptr<TFont> FFont;
  String FHeader;
  TAlignment FHeaderAlignment = taLeftJustify;
  std::unique_ptr<TFont> FHeaderFont;
  Integer FMinSize = 0;
  Integer FMaxSize = 0;
  String FName;
  bool FPassword = false;
  bool FPrintBorderCustom = true;
  TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
  std::unique_ptr<TPen> FPrintBorderPen;
  TColor FPrintColor = clWhite;
  bool FPrintFontCustom = true;
  std::unique_ptr<TFont> FPrintFont;
  bool FReadOnly = false;
  bool FShowBands = false;
  TSortStyle FSortStyle = ssAutomatic;
  String FSortPrefix;
  String FSortSuffix;
  Integer FSpinMax = 0;
  Integer FSpinMin = 0;
  Integer FSpinStep = 1;
  Integer FTag = 0;
  Integer FWidth = 0;
  Integer FDefIdx = 0;
};

// ---------------------------------------------------------------------------------------------
// TGridColumnCollection: the items of a column grid
// ---------------------------------------------------------------------------------------------

class TGridColumnCollection : public TCollection {
 public:
  explicit TGridColumnCollection(TExColumnGrid* AOwner);
  String ClassName() const override { return u"TGridColumnCollection"; }

  TExColumnGrid* Grid() const { return FOwner; }
  // A new item at the end that takes the look of the item before it (AssignVisuals).
  TGridColumnItem* Add();
  // A new item at Index with the initial values.
  TGridColumnItem* Insert(Integer Index);
  // The item at Index; EListError outside the collection.
  TGridColumnItem* GetItem(Integer Index) const;
  TGridColumnItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TGridColumnItem* Value) { GetItem(Index)->Assign(Value); }

  // Brings the items to the column count, then numbers DefIdx by the items' positions.
  void SetOrganization();
  // Moves every column to the position in its item's DefIdx. DefIdx values that are no
  // permutation of 0 .. Count - 1 raise EListError and move nothing.
  void ResetOrganization();

  // The change report of an item (or of all, Item nullptr): unless inside an update, while
  // FNoRecursiveUpdate is set or while the grid loads, the column count follows the items, the
  // header list is rebuilt and the grid repainted.
  void Update(TCollectionItem* Item) override;

  // While set, item changes leave the grid alone.
  bool FNoRecursiveUpdate = false;

 protected:
  TPersistent* GetOwner() override;

 private:
  TExColumnGrid* FOwner;
};

// ---------------------------------------------------------------------------------------------
// TExColumnGrid
// ---------------------------------------------------------------------------------------------

class TExColumnGrid : public TExStringGrid {
 public:
  explicit TExColumnGrid(TComponent* AOwner);
  ~TExColumnGrid() override;
  String ClassName() const override { return u"TExColumnGrid"; }

  // Read as the string grid's; a write also brings the items to the new count.
  Integer ColCount() const { return TExStringGrid::ColCount(); }
  void SetColCount(Integer Value);
  TGridColumnCollection* Columns() const { return FColumns; }
  // Copies the given collection.
  void SetColumns(TGridColumnCollection* Value);
  bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
  void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }

  // The first item whose Name equals AValue exactly (case counts); nullptr when none.
  TGridColumnItem* GetColumnByName(const String& AValue) const;

  // While set, the items are being rearranged by a column move.
  bool ColMoving() const { return FColMoving; }

  // Brings Columns.Count to ColCount plus the hidden columns: adds items at the end, frees the
  // last ones. Each item added or freed reports to the grid unless FNoRecursiveUpdate is set
  // (the grid's own calls set it).
  void SynchColumns();
  // With fixed rows: an item without a header takes the text of its header cell, then the grid's
  // ColumnHeaders list is rebuilt from the items' headers.
  void UpdateColumnHeaders();

  // Column positions "CP0", "CP1", ... (the DefIdx of the column at each position) in section
  // Section of the INI file Key.
  void SaveColumnPositions(const String& Key, const String& Section);
  // Restores the order saved by SaveColumnPositions; a section that lacks a key changes nothing.
  void LoadColumnPositions(const String& Key, const String& Section);
  // The collection as a binary component stream of one TExColumnGridIO.
  void SaveColumnsToStream(TStream* st);
  // Reads such a stream into Columns; the column count is not adjusted.
  void LoadColumnsFromStream(TStream* st);

  // The items' font sizes follow the form's scaling (besides the string grid's fonts).
  void ChangeScale(Integer M, Integer D);

  void Loaded() override;
  void SaveColPositions() override;
  void LoadColPositions() override;
  void InsertCols(Integer ColIndex, Integer CCount) override;
  void RemoveCols(Integer ColIndex, Integer CCount) override;
  void Group(Integer Colindex) override;
  void UnGroup() override;
  Integer GetVersionNr() override;
  String GetVersionString() override;

  // --- The string grid's hooks, answered from the column items ------------------------------------
  void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                       TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                       TCellGradientDirection& GD) override;
  void GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
  void GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
  void GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
  void GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) override;
  void GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
  void GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) override;
  String GetCellFloatFormat(Integer ACol, Integer ARow) override;
  void GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) override;
  // ACol is a display column.
  void IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) override;
  void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit) override;
  void IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) override;
  bool HasComboBox(Integer ACol, Integer ARow) override;
  void GetCheckTrue(Integer ACol, Integer ARow, String& Value) override;
  void GetCheckFalse(Integer ACol, Integer ARow, String& Value) override;
  TCellType GetCellType(Integer ACol, Integer ARow) override;
  TCellGraphic* GetCellGraphic(Integer ACol, Integer ARow) override;
  void UpdateColumnSize(Integer ACol, Integer& AWidth) override;
  void UpdateAutoColumnSize(Integer ACol, Integer& AWidth) override;
  String GetFormattedCell(Integer ACol, Integer ARow) override;
  bool FormatsCellText(Integer ACol) override;
  void SyncColumnHeaders() override;
  void AllCellsChanged() override;
  // The filter drop-down of a column with Filter entries lists their names; a choice sets the
  // entry's condition as the column's filter.
  bool BuildFilterList(Integer ACol) override;
  void FilterListSelect() override;

  // --- Events -----------------------------------------------------------------------------------
  TColumnPopupEvent OnColumnPopup;
  TAfterColumnMovedEvent OnAfterColumnMoved;

 protected:
  // Makes the collection of the grid's items.
  virtual TGridColumnCollection* CreateColumns();

  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void ColWidthsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  String GetEditMask(Integer ACol, Integer ARow) override;
  Integer GetEditLimit() override;

 private:
  friend class TGridColumnItem;
  friend class TGridColumnCollection;

  // The item of real column ACol, nullptr beyond the collection.
  TGridColumnItem* ItemOf(Integer ACol) const;
  // A normal cell: not in the fixed rows, columns, right columns or footers.
  bool IsNormalCell(Integer ACol, Integer ARow);
  // Clears ColumnHeaders and adds the header of every item of Items in order (one change report);
  // with fixed rows an item without a header first takes the text of its header cell.
  void RebuildColumnHeaders(TGridColumnCollection* Items);
  // SynchColumns with FNoRecursiveUpdate set.
  void SynchColumnsQuiet();
  // The grid is going away: the hooks leave the items alone.
  bool IsGridDestroying() const;

  TGridColumnCollection* FColumns = nullptr;
  // The shared check box handed out for every normal cell of an edDataCheckBox column.
  TCellGraphic* FCheckGraphic = nullptr;
  // The item of the column that Group took out of view.
  TGridColumnItem* FSavedItem = nullptr;
  bool FColMoving = false;
  bool FAutoFilterDisplay = false;
};

// ---------------------------------------------------------------------------------------------
// TExColumnGridIO: the carrier of the collection stream
// ---------------------------------------------------------------------------------------------

// Its Items belong to the owner grid: a Width read or written through them is the grid's width of
// that column, and a Header written through them goes to the header cell at once.
class TExColumnGridIO : public TComponent {
 public:
  explicit TExColumnGridIO(TExColumnGrid* AOwner);
  ~TExColumnGridIO() override;
  String ClassName() const override { return u"TExColumnGridIO"; }
  TGridColumnCollection* Items() const { return FItems; }
  void SetItems(TGridColumnCollection* Value) { FItems->Assign(Value); }

 private:
  TGridColumnCollection* FItems;
};

// Registers TExColumnGrid and TExColumnGridIO with the class registry; later calls do nothing. The
// grid's constructor runs it too.
void InitExCGridModule();
