// The item selector: the scrolling list or grid of items that the colour, image and detail pickers
// show in their popup. The host TExCustomItemSelector is a scrolling window that owns the items, the
// layout settings, the item appearance and the events; inside it the panel TCustomItemSelector lays
// the items out in rows of Columns equal cells, sizes itself to its content and paints each item in
// its state (normal, hot, selected). The selector has no key handling of its own: the pickers drive
// it through the navigation, lookup and scrolling operations.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemPanel.h"
#include "components/gridbase/ExStyleIF.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

class TExCustomItemSelector;
class TCustomItemSelector;

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

// Draws one item in place of the selector's own painting: Sender is the panel, R the item's cell.
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, Integer Index)>;
// Supplies the common size of every item: Sender is the panel.
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

// --- Items -----------------------------------------------------------------------------------------

class TSelectorItem : public TCollectionItem {
 public:
  explicit TSelectorItem(TCollection* Collection);
  ~TSelectorItem() override;
  String ClassName() const override { return u"TSelectorItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  // The item's own picture; it wins over ImageIndex.
  TPicture* Image() const { return FImage.get(); }
  // Copies the picture; raises no change notification.
  void SetImage(TPicture* Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  // A disabled item can be neither selected nor hot; set only by copying.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  // The item's cell in panel coordinates, set by the layout.
  const TRect& ItemRect() const { return FRect; }
  void SetItemRect(const TRect& R) { FRect = R; }

 private:
  void NotifyChange();

  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  TColor FColor = clNone;
  std::unique_ptr<TPicture> FImage;
  TRect FRect;
  String FHint;
};

// The items of a selector. Only the writes of Caption, Color and ImageIndex that change a value
// raise OnChange; adding, inserting, deleting and clearing raise nothing.
class TSelectorItems : public TPickerItemsT<TSelectorItem> {
 public:
  using TPickerItemsT::TPickerItemsT;
  String ClassName() const override { return u"TSelectorItems"; }
};

// --- Item appearance -------------------------------------------------------------------------------

// The look of hot and selected items. It raises no notification: every paint reads it afresh.
class TItemAppearance : public TPersistent {
 public:
  explicit TItemAppearance(TPersistent* AOwner);
  ~TItemAppearance() override;
  String ClassName() const override { return u"TItemAppearance"; }
  void Assign(TPersistent* Source) override;

  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor v) { FColorHot = v; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor v) { FColorHotTo = v; }
  TColor ColorMirrorHot() const { return FColorMirrorHot; }
  void SetColorMirrorHot(TColor v) { FColorMirrorHot = v; }
  TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
  void SetColorMirrorHotTo(TColor v) { FColorMirrorHotTo = v; }
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor v) { FColorSelected = v; }
  TColor ColorSelectedTo() const { return FColorSelectedTo; }
  void SetColorSelectedTo(TColor v) { FColorSelectedTo = v; }
  TColor ColorMirrorSelected() const { return FColorMirrorSelected; }
  void SetColorMirrorSelected(TColor v) { FColorMirrorSelected = v; }
  TColor ColorMirrorSelectedTo() const { return FColorMirrorSelectedTo; }
  void SetColorMirrorSelectedTo(TColor v) { FColorMirrorSelectedTo = v; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor v) { FBorderColor = v; }
  TColor BorderColorTop() const { return FBorderColorTop; }
  void SetBorderColorTop(TColor v) { FBorderColorTop = v; }
  TColor BorderColorBottom() const { return FBorderColorBottom; }
  void SetBorderColorBottom(TColor v) { FBorderColorBottom = v; }
  TColor EdgeColor() const { return FEdgeColor; }
  void SetEdgeColor(TColor v) { FEdgeColor = v; }
  // When set, a plain frame colour for the hot or the selected state.
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor v) { FBorderColorHot = v; }
  TColor BorderColorSelected() const { return FBorderColorSelected; }
  void SetBorderColorSelected(TColor v) { FBorderColorSelected = v; }
  TColor ColorHotText() const { return FColorHotText; }
  void SetColorHotText(TColor v) { FColorHotText = v; }
  TColor ColorSelectedText() const { return FColorSelectedText; }
  void SetColorSelectedText(TColor v) { FColorSelectedText = v; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }

  TSelectionColorStyle ColorStyle() const { return FColorStyle; }
  // Loads the twelve preset colours of a named style; scCustom loads nothing; an unchanged style
  // does nothing.
  void SetColorStyle(TSelectionColorStyle Style);

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
  TColor FColorHot = clNone, FColorHotTo = clNone;
  TColor FColorMirrorHot = clNone, FColorMirrorHotTo = clNone;
  TColor FColorSelected = clNone, FColorSelectedTo = clNone;
  TColor FColorMirrorSelected = clNone, FColorMirrorSelectedTo = clNone;
  TColor FBorderColor = clNone, FBorderColorTop = clNone, FBorderColorBottom = clNone;
  TColor FEdgeColor = clNone;
  TColor FColorSelectedText = clBlack;
  TColor FColorHotText = clBlack;
  TSelectionColorStyle FColorStyle;
  std::unique_ptr<TFont> FFont;
  TColor FBorderColorHot = clNone;
  TColor FBorderColorSelected = clNone;
};

// Applies one of the sixteen component colour styles to an appearance (nothing for nullptr).
void ItemAppearanceStyle(TItemAppearance* Appearance, TNorvStyle AStyle);

// --- The panel -------------------------------------------------------------------------------------

// The panel: the item panel's rows of touching cells; from no selection, the previous item is
// the first one.
class TCustomItemSelector : public TItemPanelT<TCustomControl, TCustomItemSelector> {
 public:
  // Raises Exception "Invalid parent" when AOwner is not a TExCustomItemSelector.
  explicit TCustomItemSelector(TComponent* AOwner);
  ~TCustomItemSelector() override;
  String ClassName() const override { return u"TCustomItemSelector"; }

  TExCustomItemSelector* ExItemSelector() const { return FExItemSelector; }

  // Views of the host's settings.
  Integer Columns() const;
  TSelectorItems* Items() const;
  TSelectorType SelectorType() const;
  TItemLayout ItemLayout() const;
  TImageList* Images() const;
  Integer ColorBoxWidth() const;
  Integer ColorBoxHeight() const;
  TSelectionColorStyle ItemColorStyle() const;
  TColor ItemColorHot() const;
  TColor ItemColorHotTo() const;
  TColor ItemColorSelected() const;
  TColor ItemColorSelectedTo() const;

  // Selects the first item whose plain, trimmed, upper-cased caption begins with s.
  bool LookupItem(const String& s);

  void DrawItem(Integer Index, TCanvas* ACanvas) override;
  void GetItemSize(TSize& Size) override;
  void InvalidateItem(Integer Index) override;
  void UpdateLayout() override;
  void DrawItems();

  // Layout constants.
  Integer OffSetX() const { return FOffSetX; }
  Integer OffSetY() const { return FOffSetY; }
  Integer ItemOffSetX() const { return FItemOffSetX; }
  Integer ItemOffSetY() const { return FItemOffSetY; }
  Integer CaptionGap() const { return FCaptionGap; }

 protected:
  void Paint() override;
  // The panel's hint becomes the item's, and a showing hint makes way for it.
  void HotItemEntered(Integer Index) override;

  Integer FItemOffSetX = 4;
  Integer FItemOffSetY = 4;
  Integer FCaptionGap = 4;
  TExCustomItemSelector* FExItemSelector = nullptr;
};

// --- The host --------------------------------------------------------------------------------------

// The host's scroll bar in one direction: visible only while the panel does not fit.
class TSelectorScrollBar {
 public:
  TSelectorScrollBar(TExCustomItemSelector* AHost, TScrollBar* ABar) : FHost(AHost), FBar(ABar) {}
  bool IsScrollBarVisible() const;
  Integer Position() const;
  // Moves the content; the position is kept within the range.
  void SetPosition(Integer Value);
  // Extra space kept around an item scrolled into view.
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value) { FMargin = Value; }
  // The scrollable extent (the panel's size along the bar).
  Integer Range() const;
  TScrollBar* Bar() const { return FBar; }

 private:
  TExCustomItemSelector* FHost;
  TScrollBar* FBar;
  Integer FMargin = 0;
};

class TExCustomItemSelector : public TCustomControl {
 public:
  explicit TExCustomItemSelector(TComponent* AOwner);
  ~TExCustomItemSelector() override;
  String ClassName() const override { return u"TExCustomItemSelector"; }

  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value);
  TSelectorItems* Items() const { return FItems.get(); }
  void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
  Integer ItemIndex() const;
  void SetItemIndex(Integer Value);
  Integer ItemHot() const;
  TSelectorType SelectorType() const { return FSelectorType; }
  void SetSelectorType(TSelectorType Value);
  TItemLayout ItemLayout() const { return FItemLayout; }
  // Stored only: takes effect at the next layout and paint.
  void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  Integer ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value);
  Integer ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value);
  bool AutoScroll() const { return FAutoScroll; }
  bool AutoSize() const { return FAutoSize; }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  bool LookupItem(const String& s);
  void ScrollItemInView(Integer Index);
  Integer GetVisibleItemCount();
  void UpdateSelectorPanel();
  // The panel's size; 100 x 50 without panel.
  void GetPanelSize(TSize& Size) const;

  TCustomItemSelector* SelectorPanel() const { return FItemSelectorPanel; }
  TSelectorScrollBar* VertScrollBar() { return &FVertScroll; }
  TSelectorScrollBar* HorzScrollBar() { return &FHorzScroll; }
  // The part of the host the content shows in: the client area less the visible scroll bars.
  Integer ViewWidth() const;
  Integer ViewHeight() const;
  // Places the panel and shows or hides the scroll bars after a change of size.
  void AdjustScrollBars();

  TNotifyEvent OnItemSelect;
  TDrawItemEvent OnDrawItem;
  TItemSizeEvent OnItemSize;

  void Dispatch(TMessage& M) override;

 protected:
  void CreateSelectorPanel();
  void ItemsChanged(TObject* Sender);
  void DoItemSelect(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Resize() override;
  void ScrollChanged(TObject* Sender);

  std::unique_ptr<TSelectorItems> FItems;
  TSelectorType FSelectorType = stImage;
  TItemLayout FItemLayout = ilCaptionRight;
  Integer FColumns = 1;
  Integer FColorBoxWidth = 14;
  Integer FColorBoxHeight = 14;
  TImageList* FImages = nullptr;
  TCustomItemSelector* FItemSelectorPanel = nullptr;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FAutoScroll = true;
  bool FAutoSize = false;

 private:
  TScrollBar* FVBar = nullptr;
  TScrollBar* FHBar = nullptr;
  TSelectorScrollBar FVertScroll;
  TSelectorScrollBar FHorzScroll;
  bool FAdjusting = false;
};
