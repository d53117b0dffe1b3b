// The string grid's row filter and its filter drop-down:
// - TFilterData / TFilter: the conditions, each on one column, that the grid's filter evaluation
//   applies when FilterActive is switched on;
// - TFilterDropDown: the look of the list that opens under a header's filter button, and the
//   button's pictures;
// - TDropList (single choice) and TDropCheckList (multiple choice): the two lists the grid opens.
//   Both close when the user clicks elsewhere (cancel mode) while the mouse is outside them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TFilterCondition;

// Which text of a cell a condition tests.
enum TFilterCells : Byte { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition's result joins the results of the conditions before it.
enum TFilterOperation : Byte { foSHORT, foNONE, foAND, foXOR, foOR };
// How Condition is matched: as an expression (wildcards, relations, operators) or as exact text.
enum TFilterMethod : Byte { fmExpression, fmLiteral };

// One condition of the filter.
class TFilterData : public TCollectionItem {
 public:
  explicit TFilterData(TCollection* Collection);
  ~TFilterData() override;
  String ClassName() const override { return u"TFilterData"; }
  // Copies every setting of another TFilterData; any other source raises the assign error.
  void Assign(TPersistent* Source) override;

  int16_t Column() const { return FColumn; }
  void SetColumn(int16_t Value) { FColumn = Value; }
  const String& Condition() const { return FCondition; }
  void SetCondition(const String& Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // Condition with CaseSensitive read for matching: made when first asked for and kept until
  // either changes, so a filter run reads the condition once, not once per row.
  const TFilterCondition& CompiledCondition() const;
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  // Removed from the front and the end of the cell text before the test.
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value) { FSuffix = Value; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod Value) { FMethod = Value; }

 private:
  int16_t FColumn = 0;
  String FCondition;
  bool FCaseSensitive = true;
  TFilterCells FData = fcVirtual;
  String FPrefix;
  String FSuffix;
  TFilterOperation FOperation = foSHORT;
  TFilterMethod FMethod = fmExpression;
  mutable std::unique_ptr<TFilterCondition> FCompiled;
};

// The grid's filter: its conditions in order.
class TFilter : public TCollection {
 public:
  // The grid is kept, not owned (nullptr for a free-standing filter).
  explicit TFilter(TExStringGrid* AGrid);
  String ClassName() const override { return u"TFilter"; }

  TExStringGrid* Grid() const { return FGrid; }

  // A new condition at the end: Operation foNONE when it is the only one, else foAND.
  TFilterData* Add();
  // A new condition at Index with the initial values.
  TFilterData* Insert(Integer Index);
  TFilterData* GetItem(Integer Index) const;
  TFilterData* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, TFilterData* Value);

  // The first condition of column Col; when there is none, a new one added for Col.
  TFilterData* GetColFilter(Integer Col);
  TFilterData* ColumnFilter(Integer Col) { return GetColFilter(Col); }
  // Column Col has a condition.
  bool HasFilter(Integer Col) const;
  // Deletes every condition of column Col (last to first) and repaints the header cell (Col, 0).
  void RemoveColumnFilter(Integer Col);

 protected:
  TPersistent* GetOwner() override;

 private:
  TExStringGrid* FGrid;
};

// The look of the filter list and the pictures of the header's filter button.
class TFilterDropDown : public TPersistent {
 public:
  TFilterDropDown();
  ~TFilterDropDown() override;
  String ClassName() const override { return u"TFilterDropDown"; }
  // Copies every setting (not OnChange) of another TFilterDropDown: the font and the pictures into
  // the own objects. Any other source raises the assign error.
  void Assign(TPersistent* Source) override;

  // The list is as wide as its widest entry instead of Width.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The list starts at the column's left edge and is as wide as the column.
  bool ColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(bool Value) { FColumnWidth = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  // The button's picture, and the picture of a column that has a condition; an empty one means the
  // built-in picture. The setters copy the bitmap and fire OnChange.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  TBitmap* GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(const TBitmap* Value);

  // Fired whenever Glyph or GlyphActive changes.
  TNotifyEvent OnChange;

 private:
  bool FAutoSize = false;
  TColor FColor = clWindow;
  bool FColumnWidth = false;
  std::unique_ptr<TFont> FFont;
  Integer FHeight = 150;
  Integer FWidth = 150;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphActive;
};

// The filter lists' choice: ItemIndex of the entry chosen, -1 for a check-mark change.
using TDropListSelectEvent = std::function<void(TObject* Sender, Integer ItemIndex)>;

// The single-choice filter list. Enter or a mouse release inside the list hides it and fires
// OnSelect with the selected entry (-1 when none).
class TDropList : public TCustomListBox {
 public:
  // The owner is the grid whose filter the list serves.
  explicit TDropList(TComponent* AOwner);
  String ClassName() const override { return u"TDropList"; }

  // The width of Text in the list's font, for sizing the list to its entries.
  Integer TextWidth(const String& Text);
  // The width the list adds to its widest entry for its frame and scroll bar.
  Integer ExtraWidth() const;

  TDropListSelectEvent OnSelect;

  void Dispatch(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  void WMLButtonUp(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  // Cancel mode, or the focus going elsewhere: closes the list when the mouse is outside it.
  void CMCancelMode(TMessage& M);
};

// A list box whose entries carry check marks, drawn by the list itself: Space and clicks toggle
// the mark of an entry, each change of a mark runs ClickCheck (OnClickCheck).
class TCheckListBox : public TCustomControl {
 public:
  explicit TCheckListBox(TComponent* AOwner);
  ~TCheckListBox() override;
  String ClassName() const override { return u"TCheckListBox"; }

  TStrings* Items() { return FItems.get(); }
  Integer Count() const;
  void Clear();
  bool Checked(Integer Index) const;
  // Sets a mark without running ClickCheck.
  void SetChecked(Integer Index, bool Value);
  // The entry with the focus frame, -1 when none.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  // The first entry shown.
  Integer TopIndex() const { return FTopIndex; }
  void SetTopIndex(Integer Value);
  // The height of one entry in pixels (from the font).
  Integer ItemHeight();
  // The entry at a client point, -1 when none.
  Integer ItemAtPos(TPoint Pos);
  // Toggles the mark of an entry as a click does, then runs ClickCheck.
  void ToggleItem(Integer Index);

  // The width of Text in the list's font, for sizing the list to its entries.
  Integer TextWidth(const String& Text);
  // The width the list adds to its widest entry: frame, check box and scroll bar.
  Integer ExtraWidth() const;

  TNotifyEvent OnClickCheck;

  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

 protected:
  // A mark changed by the user.
  virtual void ClickCheck();
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Resize() override;
  // The list takes the arrow keys and characters (Space).
  void WMGetDlgCode(TMessage& M) override;

 private:
  Integer VisibleItems();
  void MakeVisible(Integer Index);
  void UpdateScrollBar();
  void ItemsChanged();

  std::unique_ptr<TStringList> FItems;
  std::vector<bool> FChecked;
  Integer FItemIndex = -1;
  Integer FTopIndex = 0;
  TScrollBar* FScrollBar = nullptr;  // a child, freed with the list
};

// The multiple-choice filter list: each change of a check mark fires OnSelect(Self, -1). The list
// stays open until cancel mode closes it.
class TDropCheckList : public TCheckListBox {
 public:
  // The owner is the grid whose filter the list serves.
  explicit TDropCheckList(TComponent* AOwner);
  String ClassName() const override { return u"TDropCheckList"; }

  TDropListSelectEvent OnSelect;

  void Dispatch(TMessage& M) override;

 protected:
  void ClickCheck() override;
  // Cancel mode, or the focus going elsewhere: closes the list when the mouse is outside it.
  void CMCancelMode(TMessage& M);
};
