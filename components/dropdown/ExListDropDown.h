// What the two list drop-downs have alike: the multi-column drop-down (ExMultiColumnDropDown.h)
// and the grid drop-down (components/grid/ExCustomGridDropDown.h).
//
// Each of the two modules has its own columns, items and list grid under the same names, separate
// types with the same fields and behaviour. They are made here from one template each, given a tag
// of the module, so each module's classes stay types of their own (a column takes its settings
// only from a column of its own module) while the code is written once. The list grids differ in
// their grid class (the platform's plain string grid, or the library's string grid) and in how
// they paint, take Enter and end a click; they share their settings, the mark that takes the row
// when the popup closes, the wheel that only looks, and Alt+Up/Down passed to the edit.
//
// TListDropDown is the drop-down both modules stand on: the shared properties, the lookup list
// and the typing against it (text written by the program is taken as it is, typed text is
// completed with the completed tail selected, Enter takes the entry the text names, Esc puts back
// the entry of the text, a completion found while typing becomes the current item at the key's
// release), the moves of the current item, the list's creation, the settings copied into it, its
// column auto-size, word-wrap row heights and fitting, the popup's width and height, and the
// colour styles. Its bodies are in ExListDropDownImpl.h, instantiated by each module's source.
//
// Also the routines of both that need no window: completion from the lookup list, the moves, the
// popup height snapped to whole rows and the column widths fitted to the popup.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "components/dropdown/ExDropDown.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

namespace ExListDropDown {

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
// Routines without a window
// ---------------------------------------------------------------------------------------------

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
// paging, Home and arrow keys have as virtual keys (13, 27, 33 to 36, 38, 40).
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

// Text begins with Start (compared as they are).
bool StartsWith(const String& Text, const String& Start);

// ---------------------------------------------------------------------------------------------
// Columns and items
// ---------------------------------------------------------------------------------------------

// One column of the list: its width, header caption, alignment, colour, font and kind. Module:
// the tag of the module the column belongs to.
template <class Module>
class TDropDownColumnT : public TCollectionItem {
 public:
  explicit TDropDownColumnT(TCollection* Collection)
      : TCollectionItem(Collection), FFont(std::make_unique<TFont>()) {}
  String ClassName() const override { return u"TDropDownColumn"; }
  // From another column of the module: all nine properties, the font by value; anything else by
  // the base.
  void Assign(TPersistent* Source) override {
    auto* src = dynamic_cast<TDropDownColumnT*>(Source);
    if (!src) {
      TCollectionItem::Assign(Source);
      return;
    }
    FWordwrap = src->FWordwrap;
    FWidth = src->FWidth;
    FAutoSize = src->FAutoSize;
    FHeader = src->FHeader;
    FAlignment = src->FAlignment;
    FColor = src->FColor;
    FColumnType = src->FColumnType;
    FFont->Assign(src->FFont.get());
    FEllipsis = src->FEllipsis;
  }

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
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
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

// One row of the list: one text per column and an image index.
template <class Module>
class TDropDownItemT : public TCollectionItem {
 public:
  explicit TDropDownItemT(TCollection* Collection)
      : TCollectionItem(Collection), FText(std::make_unique<TStringList>()) {}
  String ClassName() const override { return u"TDropDownItem"; }
  // From another item of the module: the image index and the texts.
  void Assign(TPersistent* Source) override {
    if (auto* src = dynamic_cast<TDropDownItemT*>(Source)) {
      FImageIndex = src->FImageIndex;
      FText->Assign(src->FText.get());
      return;
    }
    TCollectionItem::Assign(Source);
  }

  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  // One string per column.
  TStringList* Text() const { return FText.get(); }
  // Copies the strings.
  void SetText(TStrings* Value) { FText->Assign(Value); }

 private:
  Integer FImageIndex = -1;
  std::unique_ptr<TStringList> FText;
};

// The text of Item for Column; empty when the item has no text there.
template <class Module>
String ItemText(const TDropDownItemT<Module>* Item, Integer Column) {
  if (!Item || Column < 0 || Item->Text()->Count() <= Column) return String();
  return Item->Text()->Strings(Column);
}

// A collection of Item with typed access, the owner it was made for, and a change event that
// nothing fires.
template <class Item>
class TDropDownCollectionT : public TCollection {
 public:
  // AOwner: the component that created the collection, reported as its owner. Factory: how an
  // item is made (an Item by default).
  explicit TDropDownCollectionT(TPersistent* AOwner, TItemFactory Factory = [](TCollection* c) -> TCollectionItem* {
    return new Item(c);
  })
      : TCollection(std::move(Factory)), FMyOwner(AOwner) {}
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(Integer Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
  Item* GetItem(Integer Index) const { return static_cast<Item*>(TCollection::GetItem(Index)); }
  Item* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, Item* Value) { TCollection::SetItem(Index, Value); }

  // Kept for the owner; nothing fires it.
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FMyOwner; }

 private:
  TPersistent* FMyOwner;
};

template <class Module>
class TDropDownColumnsT : public TDropDownCollectionT<TDropDownColumnT<Module>> {
 public:
  using TDropDownCollectionT<TDropDownColumnT<Module>>::TDropDownCollectionT;
  String ClassName() const override { return u"TDropDownColumns"; }
};

template <class Module>
class TDropDownItemsT : public TDropDownCollectionT<TDropDownItemT<Module>> {
 public:
  using TDropDownCollectionT<TDropDownItemT<Module>>::TDropDownCollectionT;
  String ClassName() const override { return u"TDropDownItems"; }
};

// ---------------------------------------------------------------------------------------------
// The look of the list's header row and lines
// ---------------------------------------------------------------------------------------------

// The colours of the list's lines and header row, the header row's height and font: kept by a
// list drop-down and copied into its list at every opening.
class TListLook {
 public:
  TListLook(TColor LineColor, TColor FixedLineColor);
  virtual ~TListLook();

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
  // Copies the font.
  void SetHeaderFont(const TFont* Value);
  // Takes the line colours, the header colours, height and font of Source.
  void AssignLook(const TListLook& Source);

 protected:
  TColor FLineColor;
  TColor FFixedLineColor;
  TColor FHeaderColor = 0xFFFFFF;
  TColor FHeaderColorTo = 0x808080;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
};

// ---------------------------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------------------------

// The list grid of a list drop-down, on the grid class G, for the drop-down class D with its
// columns C: the settings the drop-down copies into it (columns, header and line colours, header
// font, its own line width while the grid's stays 0, images), the mark that the current row is to
// be taken when the popup closes (set by a mouse press or a key), and the wheel that moves the row
// without that mark.
template <class G, class D, class C>
class TListGrid : public G, public TListLook {
 public:
  using TDropDown = D;
  explicit TListGrid(TComponent* AOwner) : G(AOwner), TListLook(0x808080, 0), FColumns(std::make_unique<C>(this)) {}
  String ClassName() const override { return u"TExColGrid"; }

  D* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(D* Value) { FExDropDown = Value; }
  C* Columns() const { return FColumns.get(); }
  void SetColumns(C* Value) { FColumns->Assign(Value); }
  // The list's own line width; the write sets the grid's line width to 0.
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value) {
    FGridLineWidth = Value;
    G::SetGridLineWidth(0);
    this->Invalidate();
  }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) {
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
  }
  // The current row is to be taken when the popup closes.
  bool ConfirmSelection() const { return FConfirmSelection; }
  void SetConfirmSelection(bool Value) { FConfirmSelection = Value; }
  // True while a wheel turn moves the current row.
  bool MouseWheelSelection() const { return FMouseWheelSelection; }
  Integer OldRow() const { return FOldRow; }

  // Fires OnSelect.
  virtual void DoSelect() {
    if (OnSelect) OnSelect(this);
  }

  // Kept for the owner; the list never fires them.
  TGetCellTextEvent OnGetCellText;
  TDrawCellEvent OnDrawCell;
  TGetCellPropEvent OnGetCellProp;
  TNotifyEvent OnSelect;

  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override {
    return TurnWheel([&] { return G::DoMouseWheel(Shift, WheelDelta, MousePos); });
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    FConfirmSelection = true;
    FOldRow = this->Row();
    G::MouseDown(Button, Shift, X, Y);
  }
  void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS | DLGC_WANTTAB; }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    G::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
  }

  // The start of a key in the list: the row is to be taken on close, and Alt with Up or Down goes
  // to the edit, which opens and closes (the key is then consumed: true).
  bool KeyToEdit(Word& Key, TShiftState Shift) {
    FConfirmSelection = true;
    if ((Key != VK_UP && Key != VK_DOWN) || !Shift.Contains(ssAlt)) return false;
    if (FExDropDown) FExDropDown->Perform(WM_KEYDOWN, Key, KF_ALTDOWN);
    Key = 0;
    return true;
  }

  // Runs Scroll as a wheel turn: it moves the row to look at, not the choice.
  template <class F>
  auto TurnWheel(F Scroll) {
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    struct TWheelDone {
      bool& Flag;
      ~TWheelDone() { Flag = false; }
    } wheelDone{FMouseWheelSelection};
    return Scroll();
  }

  D* FExDropDown = nullptr;
  std::unique_ptr<C> FColumns;
  TImageList* FImages = nullptr;
  Integer FGridLineWidth = 1;
  Integer FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
};

// ---------------------------------------------------------------------------------------------
// The drop-down
// ---------------------------------------------------------------------------------------------

// The drop-down of a list with the columns C, the items I and the list grid L (see the top of the
// file). The items collection is made by the module's constructor.
template <class C, class I, class L>
class TListDropDown : public TExCustomDropDown, public TListLook {
 public:
  explicit TListDropDown(TComponent* AOwner);
  ~TListDropDown() override;

  // Nothing; EndUpdate rebuilds the lookup list.
  void BeginUpdate() {}
  void EndUpdate() { RebuildLookup(); }
  // The first item whose lookup-column text equals Value (case-sensitive); -1 when none. An item
  // without a text there counts as one with an empty text.
  Integer GetItemIndex(const String& Value) const;

  // --- Properties ---
  // The search in the open list compares with case.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  // The popup is as wide as the list's columns.
  bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
  void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
  Integer DropDownRowHeight() const { return FDropDownRowHeight; }
  void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
  // The user may drag the column widths in the list.
  bool ColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  // The columns are scaled to the popup's width.
  bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  C* Columns() const { return FColumns.get(); }
  void SetColumns(C* Value) { FColumns->Assign(Value); }
  Integer LookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(Integer Value) { FLookupColumn = Value; }
  TColor SelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
  I* Items() const { return FItems.get(); }
  void SetItems(I* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const { return FItemIndex; }
  // At or past the item count: nothing. Otherwise stored (a negative value as given), and the edit
  // shows the item's lookup-column text, or nothing.
  virtual void SetItemIndex(Integer Value);
  // The number of items.
  Integer RowCount() const { return FItems->Count(); }
  // The autocompletion compares with case.
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  // The Text write; text written by the program is not completed.
  void SetText(const String& Value) override;

  // State the tests and the grid read.
  const TStringList* LookupItems() const { return FLookupItems.get(); }
  const String& LookupEntry() const { return FLookupEntry; }
  bool CompletionPending() const { return FItemChange; }
  bool AutoCompletion() const { return FWorkMode; }

  // --- Events ---
  TNotifyEvent OnSelect;

  // --- Hooks ---
  // Creates the list once (owned by the drop-down, in the popup) and sets it up at every call.
  void CreateDropDownForm() override;
  // Snaps the height to whole list rows.
  void AdjustDropDownHeight(Integer& Height) override;
  void PlaceDropDownControl() override;
  // The popup is as wide as the list's content with DropDownAutoWidth.
  void UpdateDropDownSize() override;
  void DropDownSizing() override;
  // The next and previous item, not while a wheel turn moves the list's row.
  void SelectNextValue() override;
  void SelectPreviousValue() override;
  // The line colours of the preset, then the base's.
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The text-change steps: a pending completion is dropped, and typed text is completed.
  void Change() override;
  // Enter and Esc against the lookup list, then the base's handling.
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Enter is no character where it moves on as Tab.
  void KeyPress(Char& Key) override;
  // The base's release (not for Enter that moves on as Tab), then the pending completion.
  void KeyUp(Word& Key, TShiftState Shift) override;

  // Rebuilds the lookup list from the items (not without items or with LookupColumn < 0).
  void RebuildLookup();
  // The autocompletion of the edit text (the text-change steps).
  void CompleteTyping();
  // The base's key release, not for Enter that moves on as Tab.
  void ReleaseKey(Word& Key, TShiftState Shift);
  // The completion found while typing becomes the current item, its tail still selected.
  void TakePendingCompletion();
  // The number of values the moves walk: the items.
  virtual Integer MoveCount() const { return FItems->Count(); }
  // A move of ItemIndex by keys or wheel (none without values to move over).
  void MoveItem(Integer Target);
  // The move of an edit key: PageUp, PageDown, Up, Down, and Home and End when HomeEnd.
  void MoveByKey(Word Key, bool HomeEnd);
  // The first item whose lookup-column text starts with Key (case-folded unless CaseSensitive),
  // with that text in Found; -1 when none.
  Integer FindItemStartingWith(const String& Key, String* Found) const;
  // Backspace in the search: the selected characters leave the edit text, or the last character
  // leaves the search entry and the edit shows the entry; the caret goes to the end.
  void SearchBackspace();
  // Selects what follows the search entry in the edit text.
  void SelectAfterEntry();
  // Copies the look into the list: the column widths, the line and header colours, the header
  // height and font, the images, the default row height and the header row's height.
  void CopyLookToList();
  // Column auto-size from the items and word-wrap row heights, while the list stands in the popup.
  void AutoSizeItemColumns();
  void WrapRowHeights();
  // The list's content width: its columns, plus a vertical scroll bar when not all rows show.
  Integer ListContentWidth() const;
  // Scales the list's columns to the popup's width.
  void FitColumns();
  // The colours of a component style, from the list drop-downs' table (the Office 2010 styles
  // only WithOffice2010).
  void ApplyListStyle(TNorvStyle AStyle, bool WithOffice2010);

  bool FCaseSensitive = false;
  bool FDropDownAutoWidth = true;
  Integer FDropDownRowHeight = 22;
  bool FColumnSizing = false;
  bool FColumnSizeWithDropDown = true;
  std::unique_ptr<C> FColumns;
  Integer FLookupColumn = 0;
  TColor FSelectionTextColor = 0;
  std::unique_ptr<I> FItems;
  Integer FItemIndex = -1;
  bool FMatchCase = false;

  L* FExColGrid = nullptr;
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

}  // namespace ExListDropDown
