// The multi-column drop-down: a drop-down editor whose popup shows a list of items in columns,
// under a header row with the column captions. One column, the lookup column, gives the value the
// edit shows; ItemIndex is the current item.
//
// Three lookups tie the edit and the list together: typing in the edit completes the text from the
// lookup column (autocompletion, from the lookup list rebuilt by EndUpdate and Loaded), typing
// while the list has the focus searches the list incrementally, and Enter, the arrow and paging
// keys, the wheel and the mouse move ItemIndex.
//
// The list (TExColGrid) is a plain string grid that paints every cell itself from the drop-down's
// columns and items. Its rows: row 0 is the header row and item i is row i + 1; list column c is
// column c of Columns and text c of an item.
//
// The string grid's other drop-down has classes of the same names (columns, items, the list grid)
// with another meaning; these live in the namespace ExMultiColumnDropDown, and so do the event
// types, whose names the platform grid already uses with another signature.
//
// Text written by the program (the caller, ItemIndex, the search) is taken as it is; only typing
// is completed.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "platform/grids/Grids.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// Typing and completion against the lookup list, shared by the list drop-downs.
struct TLookupTyping;

namespace ExMultiColumnDropDown {

class TExMultiColumnDropDown;

enum TColumnType : Byte { ctText, ctImage };

// May change the text of a list cell (Column, Row of the list) before it is drawn.
using TGetCellTextEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, String& Text)>;
// Draws a list cell in place of the built-in painting.
using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer Column, Integer Row, TCanvas* ACanvas, TRect ARect)>;
// Kept for the cell properties of a list cell; the list never asks for them.
using TGetCellPropEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, TFont* Font,
                                             TColor& AColor, TColor& AColorTo)>;

// ---------------------------------------------------------------------------------------------
// Columns and items
// ---------------------------------------------------------------------------------------------

// One column of the list: its width, header caption, alignment, colour, font and kind.
class TDropDownColumn : public TCollectionItem {
 public:
  explicit TDropDownColumn(TCollection* Collection);
  ~TDropDownColumn() override;
  String ClassName() const override { return u"TDropDownColumn"; }
  // From another column: all nine properties, the font by value; anything else by the base.
  void Assign(TPersistent* Source) override;

  // Texts wrap inside the cell; the rows grow to fit.
  bool Wordwrap() const { return FWordwrap; }
  void SetWordwrap(bool Value) { FWordwrap = Value; }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  // The width is measured from the items at each opening.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  const String& Header() const { return FHeader; }
  void SetHeader(const String& Value) { FHeader = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  // The background of the column's item cells.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // An image column shows the item's image before its text.
  TColumnType ColumnType() const { return FColumnType; }
  void SetColumnType(TColumnType Value) { FColumnType = Value; }
  TFont* Font() const { return FFont.get(); }
  // Copies the font.
  void SetFont(const TFont* Value);
  // The text is cut with an ellipsis at its end.
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

class TDropDownItems : public TCollection {
 public:
  explicit TDropDownItems(TPersistent* AOwner);
  String ClassName() const override { return u"TDropDownItems"; }
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(Integer Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* GetItem(Integer Index) const { return static_cast<TDropDownItem*>(TCollection::GetItem(Index)); }
  TDropDownItem* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TDropDownItem* Value) { TCollection::SetItem(Index, Value); }
  // The first item that has a text for Column equal to Value (case-sensitive); -1 when none.
  Integer IndexInColumn(Integer Column, const String& Value) const;

  // Kept for the owner; nothing fires it.
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FMyOwner; }

 private:
  TPersistent* FMyOwner;
};

// ---------------------------------------------------------------------------------------------
// Pure routines of the drop-down (no window needed)
// ---------------------------------------------------------------------------------------------

// The text of Item for Column; empty when the item has no text there.
String ItemText(const TDropDownItem* Item, Integer Column);

// The outcome of completing the typed part of the edit text from the lookup list.
struct TLookupCompletion {
  bool Matched = false;  // an entry starts with the typed part
  Integer Index = -1;    // that entry's index
  bool Changed = false;  // the edit text is to be rewritten
  String Text;           // the new edit text
  Integer KeyLength = 0; // the length of the typed part (the caret goes there)
};
// Completes Text, of which the first Caret characters were typed. The typed part is compared with
// the entries upper-cased (unless MatchCase); the first entry that starts with it gives the typed
// part followed by the rest of the entry, at most 255 characters of it. Without a match the text
// is cut after the typed part; an empty typed part changes nothing.
TLookupCompletion CompleteFromLookup(const String& Text, Integer Caret, const TStrings* Lookup, bool MatchCase);

// The characters the open list does not search unless Alt is held: the codes that the Enter, Esc,
// paging, Home and arrow keys have as virtual keys (13, 27, 33 to 36, 38, 40). The grid drop-down
// searches alike.
bool IsUnsearchedCode(Char C);

// The moves of ItemIndex by keys and wheel, for Count items (no move without items: Current).
Integer NextItem(Integer Current, Integer Count);
Integer PreviousItem(Integer Current, Integer Count);
Integer PageDownItem(Integer Current, Integer Count);
Integer PageUpItem(Integer Current, Integer Count);
Integer FirstItem(Integer Current, Integer Count);
Integer LastItem(Integer Current, Integer Count);

// The popup height snapped to whole list rows: Height less the visible bands, the header row and
// 2, in whole rows of RowHeight, plus those again.
Integer SnapDropDownHeight(Integer Height, Integer BandsHeight, Integer HeaderHeight, Integer RowHeight);

// The list's column widths fitted to Avail: each width scaled by Avail / (1 + their sum), rounded
// half to even, the rounding error carried so that a column gets one more pixel whenever the
// carried error passes 1.
std::vector<Integer> FitColumnWidths(const std::vector<Integer>& Widths, Integer Avail);

// ---------------------------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------------------------

// The list in the popup: a string grid that paints every cell from its drop-down's columns and
// items, with a header row in a gradient and its own grid lines (the grid's own line width stays
// 0). A mouse press or a key marks the current row to be taken when the popup closes; a wheel turn
// moves the row without that mark.
class TExColGrid : public TStringGrid {
 public:
  explicit TExColGrid(TComponent* AOwner);
  ~TExColGrid() override;
  String ClassName() const override { return u"TExColGrid"; }

  TExMultiColumnDropDown* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(TExMultiColumnDropDown* Value) { FExDropDown = Value; }
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
  // The list's own line width; the grid's line width stays 0.
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

  void Dispatch(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

 protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMGetDlgCode(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TExMultiColumnDropDown* FExDropDown = nullptr;
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

class TExMultiColumnDropDown : public TExCustomDropDown {
 public:
  explicit TExMultiColumnDropDown(TComponent* AOwner);
  ~TExMultiColumnDropDown() override;
  String ClassName() const override { return u"TExMultiColumnDropDown"; }
  void BeforeDestruction() override;

  // The base's settings; then, from another multi-column drop-down, its own settings, the columns,
  // the items and the ItemIndex value (the edit text stays).
  void Assign(TPersistent* Source) override;
  // Nothing; EndUpdate rebuilds the lookup list.
  void BeginUpdate() {}
  void EndUpdate();
  // The first item whose lookup-column text equals Value (case-sensitive); -1 when none.
  Integer GetItemIndex(const String& Value) const;
  void SetComponentStyle(TNorvStyle AStyle) override;

  // --- Properties ---
  // The search in the open list compares with case.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  // The popup is as wide as the list's columns.
  bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
  void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
  Integer DropDownRowHeight() const { return FDropDownRowHeight; }
  void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor FixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  // The user may drag the column widths in the list.
  bool ColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  // The columns are scaled to the popup's width.
  bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  TDropDownColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  Integer HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
  Integer LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(Integer Value) { FLookupColumn = Value; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
  TDropDownItems* Items() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const { return FItemIndex; }
  // At or past the item count: nothing. Otherwise stored (a negative value as given), and the edit
  // shows the item's lookup-column text, or nothing.
  void SetItemIndex(Integer Value);
  // The number of items.
  Integer RowCount() const { return FItems->Count(); }
  // The autocompletion compares with case.
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  // The Text write; text written by the program is not completed.
  void SetText(const String& Value) override;

  // State the tests and the grid read.
  TExColGrid* ExColGrid() const { return FExColGrid; }
  const TStringList* LookupItems() const { return FLookupItems.get(); }
  const String& LookupEntry() const { return FLookupEntry; }
  bool CompletionPending() const { return FItemChange; }
  bool AutoCompletion() const { return FWorkMode; }

  // --- Events ---
  TNotifyEvent OnSelect;
  TGetCellTextEvent OnDropDownGetItemText;
  TDrawCellEvent OnDropDownDrawItem;
  TGetCellPropEvent OnDropDownGetItemProp;

  // --- Hooks ---
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

  // The list's painting of one cell (the list calls it for every cell).
  void PaintListCell(TExColGrid* Grid, Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState);
  // The list's DoSelect: takes the marked row, closes the popup keeping it, fires OnSelect.
  void ListSelect(TObject* Sender);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void WMKeyDown(TMessage& M) override;

  // Rebuilds the lookup list from the items (not without items or with LookupColumn < 0).
  void RebuildLookup();
  // The autocompletion of the edit text (the text-change steps).
  void CompleteTyping();
  friend struct ::TLookupTyping;
  // Loads the list from the columns, items and settings.
  void LoadList();
  // Column auto-size and word-wrap row heights, while the list stands in the popup.
  void AutoSizeColumns();
  void WrapRowHeights();
  // The list's content width: its columns, plus a vertical scroll bar when not all rows show.
  Integer ListContentWidth() const;
  // Scales the list's columns to the popup's width.
  void FitColumns();
  // The list's cell-selection event.
  void ListSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
  // A move of ItemIndex by keys or wheel.
  void MoveItem(Integer Target);
  // The search step of the open list for one typed character: the found item, or -1.
  Integer SearchStep(Char C);
  Integer SearchLookup(const String& Entry) const;
  void PutListRow(Integer Row);

  bool FCaseSensitive = false;
  bool FDropDownAutoWidth = true;
  Integer FDropDownRowHeight = 22;
  TColor FLineColor = 0xC0C0C0;
  TColor FFixedLineColor = 0xD1BBA4;
  bool FColumnSizing = false;
  bool FColumnSizeWithDropDown = true;
  std::unique_ptr<TDropDownColumns> FColumns;
  TColor FHeaderColor = 0xFFFFFF;
  TColor FHeaderColorTo = 0x808080;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  Integer FLookupColumn = 0;
  TColor FSelectionTextColor = 0;
  std::unique_ptr<TDropDownItems> FItems;
  Integer FItemIndex = -1;
  bool FMatchCase = false;

  bool FShowing = false;
  TExColGrid* FExColGrid = nullptr;
  bool FWorkMode = true;
  std::unique_ptr<TStringList> FLookupItems;
  bool FItemChange = false;
  Integer FItemIdx = -1;
  Integer FItemSel = 0;
  Integer FOldItemIndex = -1;
  String FLookupEntry;
  // Set while text is written by the program (SetText): that text is not completed.
  bool FOwnText = false;
};

}  // namespace ExMultiColumnDropDown

using ExMultiColumnDropDown::TExMultiColumnDropDown;
