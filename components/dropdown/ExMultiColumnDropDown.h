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
// The string grid's other drop-down has classes of the same names (columns, items, the list grid),
// separate types made from the same templates (ExListDropDown.h, which also holds what the two
// drop-downs do alike); these live in the namespace ExMultiColumnDropDown, and so do the event
// types, whose names the platform grid already uses with another signature.
//
// Text written by the program (the caller, ItemIndex, the search) is taken as it is; only typing
// is completed.
#pragma once

#include "components/dropdown/ExListDropDown.h"
#include "platform/grids/Grids.h"

namespace ExMultiColumnDropDown {

class TExMultiColumnDropDown;

using ExListDropDown::ctImage;
using ExListDropDown::ctText;
using ExListDropDown::TColumnType;
using ExListDropDown::TDrawCellEvent;
using ExListDropDown::TGetCellPropEvent;
using ExListDropDown::TGetCellTextEvent;

// ---------------------------------------------------------------------------------------------
// Columns and items
// ---------------------------------------------------------------------------------------------

// The module's own columns and items (ExListDropDown.h has their properties).
struct TModule;
using TDropDownColumn = ExListDropDown::TDropDownColumnT<TModule>;
using TDropDownColumns = ExListDropDown::TDropDownColumnsT<TModule>;
using TDropDownItem = ExListDropDown::TDropDownItemT<TModule>;

class TDropDownItems : public ExListDropDown::TDropDownItemsT<TModule> {
 public:
  using TDropDownItemsT::TDropDownItemsT;
  // The first item that has a text for Column equal to Value (case-sensitive); -1 when none.
  Integer IndexInColumn(Integer Column, const String& Value) const;
};

// The routines that need no window (ExListDropDown.h).
using ExListDropDown::CompleteFromLookup;
using ExListDropDown::FirstItem;
using ExListDropDown::FitColumnWidths;
using ExListDropDown::IsUnsearchedCode;
using ExListDropDown::ItemText;
using ExListDropDown::LastItem;
using ExListDropDown::NextItem;
using ExListDropDown::PageDownItem;
using ExListDropDown::PageUpItem;
using ExListDropDown::PreviousItem;
using ExListDropDown::SnapDropDownHeight;
using ExListDropDown::TLookupCompletion;

// ---------------------------------------------------------------------------------------------
// The list
// ---------------------------------------------------------------------------------------------

// The list in the popup: a plain string grid that paints every cell from its drop-down's columns
// and items, with a header row in a gradient and its own grid lines. Enter chooses the row after
// the grid's own handling of it.
class TExColGrid : public ExListDropDown::TListGrid<TStringGrid, TExMultiColumnDropDown, TDropDownColumns> {
 public:
  explicit TExColGrid(TComponent* AOwner);
  void Dispatch(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
};

// ---------------------------------------------------------------------------------------------
// The drop-down
// ---------------------------------------------------------------------------------------------

class TExMultiColumnDropDown
    : public ExListDropDown::TListDropDown<TDropDownColumns, TDropDownItems, TExColGrid> {
 public:
  explicit TExMultiColumnDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TExMultiColumnDropDown"; }
  void BeforeDestruction() override;

  // The base's settings; then, from another multi-column drop-down, its own settings, the columns,
  // the items and the ItemIndex value (the edit text stays).
  void Assign(TPersistent* Source) override;
  void SetComponentStyle(TNorvStyle AStyle) override;

  // The list (made with the first opening).
  TExColGrid* ExColGrid() const { return FExColGrid; }

  // --- Events ---
  TGetCellTextEvent OnDropDownGetItemText;
  TDrawCellEvent OnDropDownDrawItem;
  TGetCellPropEvent OnDropDownGetItemProp;

  // --- Hooks ---
  void BeforeDropDown() override;
  void DoShowDropDown() override;
  void DoHideDropDown(bool CancelChanges) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

  // The list's painting of one cell (the list calls it for every cell).
  void PaintListCell(TExColGrid* Grid, Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState);
  // The list's DoSelect: takes the marked row, closes the popup keeping it, fires OnSelect.
  void ListSelect(TObject* Sender);

 protected:
  void Loaded() override;
  void WMKeyDown(TMessage& M) override;

  // Loads the list from the columns, items and settings.
  void LoadList();
  // The list's cell-selection event.
  void ListSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
  // The search step of the open list for one typed character: the found item, or -1.
  Integer SearchStep(Char C);
  Integer SearchLookup(const String& Entry) const;
  void PutListRow(Integer Row);

  bool FShowing = false;
};

}  // namespace ExMultiColumnDropDown

using ExMultiColumnDropDown::TExMultiColumnDropDown;
