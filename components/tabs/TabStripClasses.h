// The tab strip's model and settings: the tabs (TStripTab in TTabStripList), the strip contract
// ITabStrip through which the model, the settings and the drawable controls reach their strip, the
// drag record, the option tree TOptions and the look-and-feel tree TTabStripLookAndFeel, the strip's
// defaults, and the table of published properties that copies and the textual component format use.
// Nothing here needs a window: tests drive it with a plain object that implements ITabStrip.
#pragma once

#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "platform/gui/Component.h"
#include "platform/gui/Controls.h"
#include "platform/gui/GdiPlus.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

class TStripTab;
class TTabStripList;
class TOptions;
class TTabStripLookAndFeel;
class TCustomForm;
class TImageList;
// The drawable controls, their polygon sets and the dock side of a strip live with the control
// (TabStripControls.h, TabStrip.h); the model only passes them through.
class TBaseTabStripControl;
class IStripTabPolygons;
class IStripTabDockControl;

// --- Enumerations ---------------------------------------------------------------------------------

// Bidirectional modes of a control. bdRightToLeft and bdRightToLeftNoAlign mirror the layout.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// What a change report of the model tells the strip.
enum TTabChangeType {
  tcAdded,
  tcMoved,
  tcDeleting,
  tcDeleted,
  tcPropertyUpdated,
  tcActivated,
  tcDeactivated,
  tcPinned,
  tcControlState,
  tcVisibility
};

// The busy indicator of a tab: drawn arcs (rendered) or frames of an image list.
enum TStripTabSpinnerState {
  tssNone,
  tssRenderedUpload,
  tssRenderedDownload,
  tssImageUpload,
  tssImageDownload
};

// Where a running tab drag is.
enum TDragOverType { dotNone, dotHomeContainer, dotRemoteContainer };

// The parts of the strip that its draw hooks name.
enum TStripTabItemType {
  itTabContainer,
  itBackground,
  itTab,
  itTabOutline,
  itTabText,
  itTabCloseButton,
  itTabImage,
  itTabImageOverlay,
  itTabImageSpinner,
  itTabMouseGlow,
  itTabModifiedGlow,
  itAddButton,
  itAddButtonPlus,
  itScrollLeftButton,
  itScrollRightButton
};

// Easing curves of the animations (formulas in TabStripUtils: CalculateEase). Held in an int, so
// that any number that reaches CalculateEase is a value of the type, which refuses unknown ones.
enum TTabStripEaseType : int {
  ttNone,
  ttLinearTween,
  ttEaseInQuad,
  ttEaseOutQuad,
  ttEaseInOutQuad,
  ttEaseInCubic,
  ttEaseOutCubic,
  ttEaseInOutCubic,
  ttEaseInQuart,
  ttEaseOutQuart,
  ttEaseInOutQuart,
  ttEaseInQuint,
  ttEaseOutQuint,
  ttEaseInOutQuint,
  ttEaseInSine,
  ttEaseOutSine,
  ttEaseInOutSine,
  ttEaseInExpo,
  ttEaseOutExpo,
  ttEaseInOutExpo,
  ttEaseInCirc,
  ttEaseOutCirc,
  ttEaseInOutCirc
};

enum TStripTabDragType { dtNone, dtWithinContainer, dtBetweenContainers };
enum TStripTabDragDisplay { ddCursor, ddTab, ddControl, ddTabAndControl };
enum TStripTabScrollButtons { csbNone, csbLeft, csbRight, csbLeftAndRight };
enum TAddButtonVisibility { avNone, avLeft, avRightFloating, avRightFixed };
enum TCloseButtonVisiblity { bvNever, bvAll, bvActive };
enum TStripTabModifiedStyle { msNone, msLeftToRight, msRightToLeft, msKnightRider };
enum TTextTrimType {
  tttNone,
  tttCharacter,
  tttWord,
  tttEllipsisCharacter,
  tttEllipsisWord,
  tttEllipsisPath,
  tttFade
};
enum TTabOrientation { toTop, toBottom };

// --- The strip contract ---------------------------------------------------------------------------

using TStripTabPolygonsPtr = std::shared_ptr<IStripTabPolygons>;

// What the model, the settings and the drawable controls ask of their strip. The strip implements
// it; nothing else reaches the strip.
class ITabStrip {
 public:
  virtual ~ITabStrip() = default;
  // Index of the last tab of the pinned run at the front of the list, -1 when there is none.
  virtual Integer GetLastPinnedIndex() = 0;
  // The active tab or nullptr.
  virtual TStripTab* GetActiveTabItem() = 0;
  // The polygons of the nearest visible tab before Index, or none.
  virtual TStripTabPolygonsPtr GetPreviousTabPolygons(Integer Index) = 0;
  // Handled comes back false unless a handler set it; true means the caller skips its own drawing.
  virtual void DoOnBeforeDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect,
                                  TStripTabItemType ItemType, Integer TabIndex, bool& Handled) = 0;
  virtual void DoOnAfterDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect,
                                 TStripTabItemType ItemType, Integer TabIndex) = 0;
  // Polygons stays as it is (none) unless a handler supplies a set.
  virtual void DoOnGetControlPolygons(TBaseTabStripControl* Control, const TRect& ItemRect,
                                      TStripTabItemType ItemType, TTabOrientation Orientation,
                                      TStripTabPolygonsPtr& Polygons) = 0;
  virtual void DoOnDebugLog(const String& Pattern, const std::vector<TVarRec>& Args) = 0;
  // Allow comes back true unless a handler vetoes.
  virtual void DoOnActiveTabChanging(TStripTab* OldTab, TStripTab* NewTab, bool& Allow) = 0;
  // Every change report of the model and the settings (Tab is nullptr for settings).
  virtual void TabChanged(TStripTab* Tab, TTabChangeType ChangeType) = 0;
  // Left and right minus the scroll offset.
  virtual TRect ScrollRect(const TRect& R) = 0;
  // Left and right minus the scroll offset in the left-to-right layouts, plus it in the mirrored.
  virtual TRect BidiScrollRect(const TRect& R) = 0;
  // Mirrored within the client area in the mirrored layouts, unchanged otherwise.
  virtual TRect BidiRect(const TRect& R) = 0;
  virtual TBiDiMode GetBiDiMode() = 0;
  // Schedules a repaint of the strip.
  virtual void Invalidate() = 0;
  // The strip's component state (the model tests csDesigning only).
  virtual TComponentState GetComponentState() = 0;
  // A dragged tab is over the strip.
  virtual bool IsDragging() = 0;
  virtual TTabStripLookAndFeel* GetLookAndFeel() = 0;
  virtual TOptions* GetOptions() = 0;
  virtual TImageList* GetImages() = 0;
  virtual TImageList* GetImagesOverlay() = 0;
  virtual TImageList* GetImagesSpinnerDownload() = 0;
  virtual TImageList* GetImagesSpinnerUpload() = 0;
};

// --- Tabs -----------------------------------------------------------------------------------------

// A tab as its drawable control sees it.
class IStripTab {
 public:
  virtual String GetCaption() = 0;
  virtual Integer GetImageIndex() = 0;
  virtual Integer GetImageIndexOverlay() = 0;
  virtual bool GetActive() = 0;
  virtual bool GetPinned() = 0;
  // The position in the list.
  virtual Integer GetIndex() = 0;
  virtual bool GetModified() = 0;
  virtual TStripTab* GetTab() = 0;
  virtual bool GetMarkedForDeletion() = 0;
  virtual TStripTabSpinnerState GetSpinnerState() = 0;
  virtual bool GetHideCloseButton() = 0;
  virtual void* GetData() = 0;
  virtual void SetData(void* Value) = 0;

 protected:
  ~IStripTab() = default;
};

// One tab: plain data. Every change the strip must react to is reported to the strip that owns the
// tab's list (ITabStrip::TabChanged); a tab in a list without a strip reports to nobody.
class TStripTab : public TCollectionItem, public IStripTab {
 public:
  // Sets the defaults (no images, visible) before joining Collection, so the strip's tcAdded report
  // sees them.
  explicit TStripTab(TCollection* Collection);
  // Leaves the list, then frees the drawable control.
  ~TStripTab() override;
  String ClassName() const override { return u"TStripTab"; }
  // Copies the published properties of another tab, each through its write.
  void Assign(TPersistent* Source) override;
  // The caption, or the item's default name when the caption is empty.
  String DisplayName() const override;
  // Moves the tab to another list; while the strip is being designed that is reported.
  void SetCollection(TCollection* Value);

  // Published, in streaming order.
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer ImageIndexOverlay() const { return FImageIndexOverlay; }
  void SetImageIndexOverlay(Integer Value);
  bool Pinned() const { return FPinned; }
  void SetPinned(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);
  TStripTabSpinnerState SpinnerState() const { return FSpinnerState; }
  void SetSpinnerState(TStripTabSpinnerState Value);
  bool HideCloseButton() const { return FHideCloseButton; }
  void SetHideCloseButton(bool Value) { FHideCloseButton = Value; }

  // Public, not published.
  void* Data() const { return FData; }
  void SetData(void* Value) override { FData = Value; }
  // The drawable control the strip hangs on the tab; the tab frees it when it is destroyed.
  TObject* TabControl() const { return FTabControl; }
  void SetTabControl(TObject* Value) { FTabControl = Value; }
  bool MarkedForDeletion() const { return FMarkedForDeletion; }
  // Empty for a pinned tab, else the caption.
  String DisplayCaption() const;
  // Either image index is set.
  bool ImageIsVisible() const;

  // The strip of the tab's list, nullptr when the tab has no list or the list's owner is no strip.
  ITabStrip* GetStripTabInterface() const;
  // Reports (this tab, ChangeType) to the strip.
  void DoChanged(TTabChangeType ChangeType);

  // IStripTab
  String GetCaption() override { return FCaption; }
  Integer GetImageIndex() override { return FImageIndex; }
  Integer GetImageIndexOverlay() override { return FImageIndexOverlay; }
  bool GetActive() override { return FActive; }
  bool GetPinned() override { return FPinned; }
  Integer GetIndex() override { return Index(); }
  bool GetModified() override { return FModified; }
  TStripTab* GetTab() override { return this; }
  bool GetMarkedForDeletion() override { return FMarkedForDeletion; }
  TStripTabSpinnerState GetSpinnerState() override { return FSpinnerState; }
  bool GetHideCloseButton() override { return FHideCloseButton; }
  void* GetData() override { return FData; }

 private:
  friend class TTabStripList;
  String FCaption;
  void* FData = nullptr;
  Integer FImageIndex = -1;
  Integer FImageIndexOverlay = -1;
  Integer FTag = 0;
  bool FPinned = false;
  TObject* FTabControl = nullptr;
  bool FActive = false;
  bool FVisible = true;
  bool FModified = false;
  bool FMarkedForDeletion = false;
  TStripTabSpinnerState FSpinnerState = tssNone;
  bool FHideCloseButton = false;
};

// The strip's tabs. Its owner must implement ITabStrip: every operation that reports to the strip
// fails with the assertion "Collection owner must support IStripTabInterface" otherwise.
class TTabStripList : public TOwnedCollection {
 public:
  explicit TTabStripList(TPersistent* AOwner);
  String ClassName() const override { return u"TTabStripList"; }

  // A new tab at the end.
  TStripTab* Add();
  // EListError "List index out of bounds (%d)" outside the list.
  TStripTab* Items(Integer Index) const;
  // Copies Value's properties into the tab at Index and reports that tab as added.
  void SetItems(Integer Index, TStripTab* Value);
  // The first active tab in list order, or nullptr.
  TStripTab* ActiveTab() const;
  // Activates a tab of this list; nullptr or a tab of another list is ignored.
  void SetActiveTab(TStripTab* Value);
  Integer IndexOf(const TStripTab* Tab) const;
  // Moves a tab and reports (the tab at NewIndex, tcMoved).
  void Move(Integer OldIndex, Integer NewIndex);
  // Deletes the tab at Index: at once when DeleteNow is set or the delete animation is off,
  // otherwise it is marked and stays until the strip deletes it again. Activates a neighbour when
  // the tab was active.
  void DeleteTab(Integer Index, bool DeleteNow);
  // The collection copy, then reports (nullptr, tcPropertyUpdated).
  void Assign(TPersistent* Source) override;
  ITabStrip* GetStripTabInterface() const;

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

// --- The drag record ------------------------------------------------------------------------------

class IDragTabObject {
 public:
  virtual ~IDragTabObject() = default;
  virtual TPoint GetDragCursorOffset() = 0;
  virtual TCustomForm* GetDragForm() = 0;
  virtual TPoint GetDragFormOffset() = 0;
  virtual TPoint GetDragPoint() = 0;
  virtual TStripTab* GetDragTab() = 0;
  virtual Integer GetDropTabIndex() = 0;
  virtual bool GetHideAddButton() = 0;
  virtual TRect GetOriginalControlRect() = 0;
  virtual IStripTabDockControl* GetSourceControl() = 0;
  virtual IStripTabDockControl* GetDockControl() = 0;
  virtual TCursor GetOriginalCursor() = 0;
  virtual TDragOverType GetDragOverType() = 0;
  virtual void SetDragCursorOffset(const TPoint& Value) = 0;
  virtual void SetDragForm(TCustomForm* Value) = 0;
  virtual void SetDragFormOffset(const TPoint& Value) = 0;
  virtual void SetDragPoint(const TPoint& Value) = 0;
  virtual void SetDragTab(TStripTab* Value) = 0;
  virtual void SetDropTabIndex(Integer Value) = 0;
  virtual void SetHideAddButton(bool Value) = 0;
  virtual void SetOriginalControlRect(const TRect& Value) = 0;
  virtual void SetSourceControl(IStripTabDockControl* Value) = 0;
  virtual void SetDockControl(IStripTabDockControl* Value) = 0;
  virtual void SetOriginalCursor(TCursor Value) = 0;
  virtual void SetDragOverType(TDragOverType Value) = 0;
};
using TDragTabObjectPtr = std::shared_ptr<IDragTabObject>;

// The running drag, shared by the strips it passes (held through TDragTabObjectPtr). Destroying it
// releases its drag form (closed and freed once the events being handled are done).
class TDragTabObject : public TObject, public IDragTabObject {
 public:
  TDragTabObject() = default;
  ~TDragTabObject() override;
  String ClassName() const override { return u"TDragTabObject"; }

  TPoint GetDragCursorOffset() override { return FDragCursorOffset; }
  TCustomForm* GetDragForm() override { return FDragForm; }
  TPoint GetDragFormOffset() override { return FDragFormOffset; }
  TPoint GetDragPoint() override { return FDragPoint; }
  TStripTab* GetDragTab() override { return FDragTab; }
  Integer GetDropTabIndex() override { return FDropTabIndex; }
  bool GetHideAddButton() override { return FHideAddButton; }
  TRect GetOriginalControlRect() override { return FOriginalControlRect; }
  IStripTabDockControl* GetSourceControl() override { return FSourceControl; }
  IStripTabDockControl* GetDockControl() override { return FDockControl; }
  TCursor GetOriginalCursor() override { return FOriginalCursor; }
  TDragOverType GetDragOverType() override { return FDragOverType; }
  void SetDragCursorOffset(const TPoint& Value) override { FDragCursorOffset = Value; }
  void SetDragForm(TCustomForm* Value) override { FDragForm = Value; }
  void SetDragFormOffset(const TPoint& Value) override { FDragFormOffset = Value; }
  void SetDragPoint(const TPoint& Value) override { FDragPoint = Value; }
  void SetDragTab(TStripTab* Value) override { FDragTab = Value; }
  void SetDropTabIndex(Integer Value) override { FDropTabIndex = Value; }
  void SetHideAddButton(bool Value) override { FHideAddButton = Value; }
  void SetOriginalControlRect(const TRect& Value) override { FOriginalControlRect = Value; }
  void SetSourceControl(IStripTabDockControl* Value) override { FSourceControl = Value; }
  void SetDockControl(IStripTabDockControl* Value) override { FDockControl = Value; }
  void SetOriginalCursor(TCursor Value) override { FOriginalCursor = Value; }
  void SetDragOverType(TDragOverType Value) override { FDragOverType = Value; }

 private:
  TPoint FDragCursorOffset;
  TCustomForm* FDragForm = nullptr;
  TPoint FDragFormOffset;
  TPoint FDragPoint;
  TStripTab* FDragTab = nullptr;
  Integer FDropTabIndex = 0;
  bool FHideAddButton = false;
  TRect FOriginalControlRect;
  IStripTabDockControl* FSourceControl = nullptr;
  IStripTabDockControl* FDockControl = nullptr;
  TCursor FOriginalCursor = crDefault;
  TDragOverType FDragOverType = dotNone;
};

// --- The base of the settings trees ---------------------------------------------------------------

// A node of the option or look-and-feel tree: it knows its owner, reports writes to the strip at
// the top of its owner chain, and copies the published values of a node of its own class.
class TTabStripPersistent : public TPersistent {
 public:
  explicit TTabStripPersistent(TPersistent* AOwner);
  String ClassName() const override { return u"TTabStripPersistent"; }
  // Reports (nullptr, tcPropertyUpdated) to the first strip up the owner chain; an object whose
  // chain ends without a strip reports nothing.
  virtual void DoChanged();
  // Marks cached drawing objects for rebuilding.
  virtual void Invalidate();
  bool Invalidated() const { return FInvalidated; }
  // Copies every published value of a node of the same class, each through its write; any other
  // source raises the assign error.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

 protected:
  TPersistent* FOwner;
  bool FInvalidated = false;
};

// --- Options --------------------------------------------------------------------------------------
// "Report" below: store, then DoChanged. "Store": the value takes effect when the strip reads it.

class TTabStripOffsets : public TTabStripPersistent {
 public:
  explicit TTabStripOffsets(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripOffsets"; }
  Integer Vertical() const { return FVertical; }
  void SetVertical(Integer Value);  // report
  Integer Horizontal() const { return FHorizontal; }
  void SetHorizontal(Integer Value);  // report

 private:
  Integer FVertical = 0;
  Integer FHorizontal = 0;
};

class TTabStripControlPosition : public TTabStripPersistent {
 public:
  explicit TTabStripControlPosition(TPersistent* AOwner);
  ~TTabStripControlPosition() override;
  String ClassName() const override { return u"TTabStripControlPosition"; }
  TTabStripOffsets* Offsets() const { return FOffsets.get(); }
  void SetOffsets(TTabStripOffsets* Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);  // report
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);  // report

 private:
  std::unique_ptr<TTabStripOffsets> FOffsets;
  Integer FHeight = 0;
  Integer FWidth = 0;
};

class TTabStripControlPropertiesEx : public TTabStripControlPosition {
 public:
  explicit TTabStripControlPropertiesEx(TPersistent* AOwner) : TTabStripControlPosition(AOwner) {}
  String ClassName() const override { return u"TTabStripControlPropertiesEx"; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);  // report

 private:
  bool FVisible = true;
};

// The tab close button.
class TTabStripCloseButtonProperties : public TTabStripControlPosition {
 public:
  explicit TTabStripCloseButtonProperties(TPersistent* AOwner);
  String ClassName() const override { return u"TTabStripCloseButtonProperties"; }
  // Nothing in the strip reads it: the button hides by AutoHideWidth alone.
  bool AutoHide() const { return FAutoHide; }
  void SetAutoHide(bool Value);
  TCloseButtonVisiblity Visibility() const { return FVisibility; }
  void SetVisibility(TCloseButtonVisiblity Value);
  Integer AutoHideWidth() const { return FAutoHideWidth; }
  void SetAutoHideWidth(Integer Value);
  Integer CrossRadialOffset() const { return FCrossRadialOffset; }
  void SetCrossRadialOffset(Integer Value);

 private:
  bool FAutoHide = false;
  TCloseButtonVisiblity FVisibility = bvNever;
  Integer FAutoHideWidth = 0;
  Integer FCrossRadialOffset = 0;
};

class TTabStripAddButtonProperties : public TTabStripControlPosition {
 public:
  explicit TTabStripAddButtonProperties(TPersistent* AOwner);
  String ClassName() const override { return u"TTabStripAddButtonProperties"; }
  bool ShowPlusSign() const { return FShowPlusSign; }
  void SetShowPlusSign(bool Value);
  TAddButtonVisibility Visibility() const { return FVisibility; }
  void SetVisibility(TAddButtonVisibility Value);
  Integer HorizontalOffsetFloating() const { return FHorizontalOffsetFloating; }
  void SetHorizontalOffsetFloating(Integer Value);

 private:
  bool FShowPlusSign = false;
  TAddButtonVisibility FVisibility = avNone;
  Integer FHorizontalOffsetFloating = 0;
};

// The glow that moves across a modified tab. Every write reports.
class TStripTabModifiedDisplayOptions : public TTabStripPersistent {
 public:
  explicit TStripTabModifiedDisplayOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TStripTabModifiedDisplayOptions"; }
  TStripTabModifiedStyle Style() const { return FStyle; }
  void SetStyle(TStripTabModifiedStyle Value);
  Integer VerticalOffset() const { return FVerticalOffset; }
  void SetVerticalOffset(Integer Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer AnimationPeriodMS() const { return FAnimationPeriodMS; }
  void SetAnimationPeriodMS(Integer Value);
  TTabStripEaseType EaseType() const { return FEaseType; }
  void SetEaseType(TTabStripEaseType Value);
  Integer AnimationUpdateMS() const { return FAnimationUpdateMS; }
  void SetAnimationUpdateMS(Integer Value);

 private:
  TStripTabModifiedStyle FStyle = msRightToLeft;
  Integer FVerticalOffset = -6;
  Integer FHeight = 30;
  Integer FWidth = 100;
  Integer FAnimationPeriodMS = 4000;
  TTabStripEaseType FEaseType = ttEaseInOutQuad;
  Integer FAnimationUpdateMS = 50;
};

// Tab geometry and text (Options.Display.Tabs). Every write reports; MaxWidth stores at least the
// current MinWidth.
class TTabStripOptions : public TTabStripPersistent {
 public:
  explicit TTabStripOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripOptions"; }
  bool SeeThroughTabs() const { return FSeeThroughTabs; }
  void SetSeeThroughTabs(bool Value);
  // Pixels by which neighbouring tabs overlap.
  Integer TabOverlap() const { return FTabOverlap; }
  void SetTabOverlap(Integer Value);
  // Pixels from the tab's left (right) edge to its content.
  Integer ContentOffsetLeft() const { return FContentOffsetLeft; }
  void SetContentOffsetLeft(Integer Value);
  Integer ContentOffsetRight() const { return FContentOffsetRight; }
  void SetContentOffsetRight(Integer Value);
  Integer OffsetLeft() const { return FOffsetLeft; }
  void SetOffsetLeft(Integer Value);
  Integer OffsetTop() const { return FOffsetTop; }
  void SetOffsetTop(Integer Value);
  Integer OffsetRight() const { return FOffsetRight; }
  void SetOffsetRight(Integer Value);
  Integer OffsetBottom() const { return FOffsetBottom; }
  void SetOffsetBottom(Integer Value);
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value);
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  bool TabWidthFromContent() const { return FTabWidthFromContent; }
  void SetTabWidthFromContent(bool Value);
  Integer PinnedWidth() const { return FPinnedWidth; }
  void SetPinnedWidth(Integer Value);
  Integer ImageOffsetLeft() const { return FImageOffsetLeft; }
  void SetImageOffsetLeft(Integer Value);
  TTextTrimType TextTrimType() const { return FTextTrimType; }
  void SetTextTrimType(TTextTrimType Value);
  TTabOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTabOrientation Value);
  bool BaseLineTabRegionOnly() const { return FBaseLineTabRegionOnly; }
  void SetBaseLineTabRegionOnly(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment TextAlignmentHorizontal() const { return FTextAlignmentHorizontal; }
  void SetTextAlignmentHorizontal(TAlignment Value);
  TVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
  void SetTextAlignmentVertical(TVerticalAlignment Value);
  bool ShowImages() const { return FShowImages; }
  void SetShowImages(bool Value);
  bool ShowPinnedTabText() const { return FShowPinnedTabText; }
  void SetShowPinnedTabText(bool Value);
  // The smoothing mode the strip paints with (not published).
  TSmoothingMode CanvasSmoothingMode() const { return FCanvasSmoothingMode; }

  TSmoothingMode FCanvasSmoothingMode = SmoothingModeHighQuality;

 private:
  bool FSeeThroughTabs = false;
  Integer FTabOverlap = 15;
  Integer FContentOffsetLeft = 18;
  Integer FContentOffsetRight = 16;
  Integer FOffsetLeft = 0;
  Integer FOffsetTop = 0;
  Integer FOffsetRight = 0;
  Integer FOffsetBottom = 0;
  Integer FMinWidth = 20;
  Integer FMaxWidth = 200;
  bool FTabWidthFromContent = false;
  Integer FPinnedWidth = 39;
  Integer FImageOffsetLeft = 13;
  TTextTrimType FTextTrimType = tttFade;
  TTabOrientation FOrientation = toTop;
  bool FBaseLineTabRegionOnly = false;
  bool FWordWrap = false;
  TAlignment FTextAlignmentHorizontal = taLeftJustify;
  TVerticalAlignment FTextAlignmentVertical = taVerticalCenter;
  bool FShowImages = true;
  bool FShowPinnedTabText = false;
};

// Options.Display.TabContainer. Every write reports.
class TTabStripContainerOptions : public TTabStripPersistent {
 public:
  explicit TTabStripContainerOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripContainerOptions"; }
  bool TransparentBackground() const { return FTransparentBackground; }
  void SetTransparentBackground(bool Value);
  bool OverlayButtons() const { return FOverlayButtons; }
  void SetOverlayButtons(bool Value);
  Integer PaddingLeft() const { return FPaddingLeft; }
  void SetPaddingLeft(Integer Value);
  Integer PaddingRight() const { return FPaddingRight; }
  void SetPaddingRight(Integer Value);

 private:
  bool FTransparentBackground = false;
  bool FOverlayButtons = false;
  Integer FPaddingLeft = 0;
  Integer FPaddingRight = 0;
};

// One kind of spinner.
class TTabStripSpinnerOptions : public TTabStripPersistent {
 public:
  explicit TTabStripSpinnerOptions(TPersistent* AOwner);
  ~TTabStripSpinnerOptions() override;
  String ClassName() const override { return u"TTabStripSpinnerOptions"; }
  bool ReverseDirection() const { return FReverseDirection; }
  void SetReverseDirection(bool Value);  // report
  // Degrees per step.
  Integer RenderedAnimationStep() const { return FRenderedAnimationStep; }
  void SetRenderedAnimationStep(Integer Value);  // report
  // Size and offsets of the spinner in the image area.
  TTabStripControlPosition* Position() const { return FPosition.get(); }
  void SetPosition(TTabStripControlPosition* Value);
  // Degrees of the drawn arc.
  Word SweepAngle() const { return FSweepAngle; }
  void SetSweepAngle(Word Value);  // report

 private:
  bool FReverseDirection = false;
  Integer FRenderedAnimationStep = 0;
  std::unique_ptr<TTabStripControlPosition> FPosition;
  Word FSweepAngle = 0;
};

class TTabStripSpinnersOptions : public TTabStripPersistent {
 public:
  explicit TTabStripSpinnersOptions(TPersistent* AOwner);
  ~TTabStripSpinnersOptions() override;
  String ClassName() const override { return u"TTabStripSpinnersOptions"; }
  TTabStripSpinnerOptions* Upload() const { return FUpload.get(); }
  void SetUpload(TTabStripSpinnerOptions* Value);
  TTabStripSpinnerOptions* Download() const { return FDownload.get(); }
  void SetDownload(TTabStripSpinnerOptions* Value);
  Cardinal AnimationUpdateMS() const { return FAnimationUpdateMS; }
  void SetAnimationUpdateMS(Cardinal Value) { FAnimationUpdateMS = Value; }  // store
  bool HideImagesWhenSpinnerVisible() const { return FHideImagesWhenSpinnerVisible; }
  void SetHideImagesWhenSpinnerVisible(bool Value);  // report

 private:
  std::unique_ptr<TTabStripSpinnerOptions> FUpload;
  std::unique_ptr<TTabStripSpinnerOptions> FDownload;
  Cardinal FAnimationUpdateMS = 50;
  bool FHideImagesWhenSpinnerVisible = true;
};

// Options.Display.
class TTabStripDisplayOptions : public TTabStripPersistent {
 public:
  explicit TTabStripDisplayOptions(TPersistent* AOwner);
  ~TTabStripDisplayOptions() override;
  String ClassName() const override { return u"TTabStripDisplayOptions"; }
  TTabStripCloseButtonProperties* CloseButton() const { return FCloseButton.get(); }
  void SetCloseButton(TTabStripCloseButtonProperties* Value);
  TTabStripAddButtonProperties* AddButton() const { return FAddButton.get(); }
  void SetAddButton(TTabStripAddButtonProperties* Value);
  TTabStripControlPosition* ScrollButtonLeft() const { return FScrollButtonLeft.get(); }
  void SetScrollButtonLeft(TTabStripControlPosition* Value);
  TTabStripControlPosition* ScrollButtonRight() const { return FScrollButtonRight.get(); }
  void SetScrollButtonRight(TTabStripControlPosition* Value);
  TStripTabModifiedDisplayOptions* TabModifiedGlow() const { return FTabModifiedGlow.get(); }
  void SetTabModifiedGlow(TStripTabModifiedDisplayOptions* Value);
  TTabStripOptions* Tabs() const { return FTabs.get(); }
  void SetTabs(TTabStripOptions* Value);
  TTabStripContainerOptions* TabContainer() const { return FTabContainer.get(); }
  void SetTabContainer(TTabStripContainerOptions* Value);
  TTabStripControlPropertiesEx* TabMouseGlow() const { return FTabMouseGlow.get(); }
  void SetTabMouseGlow(TTabStripControlPropertiesEx* Value);
  TTabStripSpinnersOptions* TabSpinners() const { return FTabSpinners.get(); }
  void SetTabSpinners(TTabStripSpinnersOptions* Value);

 private:
  std::unique_ptr<TTabStripCloseButtonProperties> FCloseButton;
  std::unique_ptr<TTabStripAddButtonProperties> FAddButton;
  std::unique_ptr<TTabStripControlPosition> FScrollButtonLeft;
  std::unique_ptr<TTabStripControlPosition> FScrollButtonRight;
  std::unique_ptr<TStripTabModifiedDisplayOptions> FTabModifiedGlow;
  std::unique_ptr<TTabStripOptions> FTabs;
  std::unique_ptr<TTabStripContainerOptions> FTabContainer;
  std::unique_ptr<TTabStripControlPropertiesEx> FTabMouseGlow;
  std::unique_ptr<TTabStripSpinnersOptions> FTabSpinners;
};

// Options.DragDrop. Every write stores.
class TTabStripDragOptions : public TTabStripPersistent {
 public:
  explicit TTabStripDragOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripDragOptions"; }
  TStripTabDragType DragType() const { return FDragType; }
  void SetDragType(TStripTabDragType Value) { FDragType = Value; }
  Byte DragOutsideImageAlpha() const { return FDragOutsideImageAlpha; }
  void SetDragOutsideImageAlpha(Byte Value) { FDragOutsideImageAlpha = Value; }
  Integer DragOutsideDistancePixels() const { return FDragOutsideDistancePixels; }
  void SetDragOutsideDistancePixels(Integer Value) { FDragOutsideDistancePixels = Value; }
  Integer DragStartPixels() const { return FDragStartPixels; }
  void SetDragStartPixels(Integer Value) { FDragStartPixels = Value; }
  double DragControlImageResizeFactor() const { return FDragControlImageResizeFactor; }
  void SetDragControlImageResizeFactor(double Value) { FDragControlImageResizeFactor = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TStripTabDragDisplay DragDisplay() const { return FDragDisplay; }
  void SetDragDisplay(TStripTabDragDisplay Value) { FDragDisplay = Value; }
  Integer DragFormBorderWidth() const { return FDragFormBorderWidth; }
  void SetDragFormBorderWidth(Integer Value) { FDragFormBorderWidth = Value; }
  Integer DragFormBorderColor() const { return FDragFormBorderColor; }
  void SetDragFormBorderColor(Integer Value) { FDragFormBorderColor = Value; }
  bool ContrainDraggedTabWithinContainer() const { return FContrainDraggedTabWithinContainer; }
  void SetContrainDraggedTabWithinContainer(bool Value) { FContrainDraggedTabWithinContainer = Value; }

 private:
  TStripTabDragType FDragType = dtBetweenContainers;
  Byte FDragOutsideImageAlpha = 120;
  Integer FDragOutsideDistancePixels = 30;
  Integer FDragStartPixels = 2;
  double FDragControlImageResizeFactor = 0.5;
  TCursor FDragCursor = crDefault;
  TStripTabDragDisplay FDragDisplay = ddTabAndControl;
  Integer FDragFormBorderWidth = 2;
  Integer FDragFormBorderColor = 0x808080;
  bool FContrainDraggedTabWithinContainer = true;
};

// One kind of movement (adding, deleting, moving a tab). Every write stores.
class TTabStripMovementAnimationTypes : public TTabStripPersistent {
 public:
  explicit TTabStripMovementAnimationTypes(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripMovementAnimationTypes"; }
  bool UseDefaultEaseType() const { return FUseDefaultEaseType; }
  void SetUseDefaultEaseType(bool Value) { FUseDefaultEaseType = Value; }
  bool UseDefaultAnimationTime() const { return FUseDefaultAnimationTime; }
  void SetUseDefaultAnimationTime(bool Value) { FUseDefaultAnimationTime = Value; }
  TTabStripEaseType EaseType() const { return FEaseType; }
  void SetEaseType(TTabStripEaseType Value) { FEaseType = Value; }
  Integer AnimationTimeMS() const { return FAnimationTimeMS; }
  void SetAnimationTimeMS(Integer Value) { FAnimationTimeMS = Value; }

 private:
  bool FUseDefaultEaseType = true;
  bool FUseDefaultAnimationTime = true;
  TTabStripEaseType FEaseType = ttLinearTween;
  Integer FAnimationTimeMS = 200;
};

class TTabStripMovementAnimations : public TTabStripPersistent {
 public:
  explicit TTabStripMovementAnimations(TPersistent* AOwner);
  ~TTabStripMovementAnimations() override;
  String ClassName() const override { return u"TTabStripMovementAnimations"; }
  TTabStripMovementAnimationTypes* TabAdd() const { return FTabAdd.get(); }
  void SetTabAdd(TTabStripMovementAnimationTypes* Value);
  TTabStripMovementAnimationTypes* TabDelete() const { return FTabDelete.get(); }
  void SetTabDelete(TTabStripMovementAnimationTypes* Value);
  TTabStripMovementAnimationTypes* TabMove() const { return FTabMove.get(); }
  void SetTabMove(TTabStripMovementAnimationTypes* Value);

 private:
  std::unique_ptr<TTabStripMovementAnimationTypes> FTabAdd;
  std::unique_ptr<TTabStripMovementAnimationTypes> FTabDelete;
  std::unique_ptr<TTabStripMovementAnimationTypes> FTabMove;
};

// Options.Animation. Every write stores.
class TTabStripAnimationOptions : public TTabStripPersistent {
 public:
  explicit TTabStripAnimationOptions(TPersistent* AOwner);
  ~TTabStripAnimationOptions() override;
  String ClassName() const override { return u"TTabStripAnimationOptions"; }
  Cardinal DefaultMovementAnimationTimeMS() const { return FDefaultMovementAnimationTimeMS; }
  void SetDefaultMovementAnimationTimeMS(Cardinal Value) { FDefaultMovementAnimationTimeMS = Value; }
  Cardinal DefaultStyleAnimationTimeMS() const { return FDefaultStyleAnimationTimeMS; }
  void SetDefaultStyleAnimationTimeMS(Cardinal Value) { FDefaultStyleAnimationTimeMS = Value; }
  Integer AnimationTimerInterval() const { return FAnimationTimerInterval; }
  void SetAnimationTimerInterval(Integer Value) { FAnimationTimerInterval = Value; }
  Integer MinimumTabAnimationWidth() const { return FMinimumTabAnimationWidth; }
  void SetMinimumTabAnimationWidth(Integer Value) { FMinimumTabAnimationWidth = Value; }
  TTabStripEaseType DefaultMovementEaseType() const { return FDefaultMovementEaseType; }
  void SetDefaultMovementEaseType(TTabStripEaseType Value) { FDefaultMovementEaseType = Value; }
  TTabStripEaseType DefaultStyleEaseType() const { return FDefaultStyleEaseType; }
  void SetDefaultStyleEaseType(TTabStripEaseType Value) { FDefaultStyleEaseType = Value; }
  TTabStripMovementAnimations* MovementAnimations() const { return FMovementAnimations.get(); }
  void SetMovementAnimations(TTabStripMovementAnimations* Value);

  // The kind's own ease type, or the default one when the kind says UseDefaultEaseType.
  TTabStripEaseType GetMovementAnimationEaseType(const TTabStripMovementAnimationTypes* Kind) const;
  // The kind's own time, or the default one when the kind says UseDefaultAnimationTime.
  Cardinal GetMovementAnimationTime(const TTabStripMovementAnimationTypes* Kind) const;

 private:
  Cardinal FDefaultMovementAnimationTimeMS = 100;
  Cardinal FDefaultStyleAnimationTimeMS = 300;
  Integer FAnimationTimerInterval = 25;
  Integer FMinimumTabAnimationWidth = 40;
  TTabStripEaseType FDefaultMovementEaseType = ttLinearTween;
  TTabStripEaseType FDefaultStyleEaseType = ttLinearTween;
  std::unique_ptr<TTabStripMovementAnimations> FMovementAnimations;
};

// Options.Behaviour. Every write stores.
class TTabStripBehaviourOptions : public TTabStripPersistent {
 public:
  explicit TTabStripBehaviourOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripBehaviourOptions"; }
  bool BackgroundDblClickMaximiseRestoreForm() const { return FBackgroundDblClickMaximiseRestoreForm; }
  void SetBackgroundDblClickMaximiseRestoreForm(bool Value) { FBackgroundDblClickMaximiseRestoreForm = Value; }
  bool BackgroundDragMovesForm() const { return FBackgroundDragMovesForm; }
  void SetBackgroundDragMovesForm(bool Value) { FBackgroundDragMovesForm = Value; }
  bool TabSmartDeleteResizing() const { return FTabSmartDeleteResizing; }
  void SetTabSmartDeleteResizing(bool Value) { FTabSmartDeleteResizing = Value; }
  Integer TabSmartDeleteResizeCancelDelay() const { return FTabSmartDeleteResizeCancelDelay; }
  void SetTabSmartDeleteResizeCancelDelay(Integer Value) { FTabSmartDeleteResizeCancelDelay = Value; }
  bool UseBuiltInPopupMenu() const { return FUseBuiltInPopupMenu; }
  void SetUseBuiltInPopupMenu(bool Value) { FUseBuiltInPopupMenu = Value; }
  bool TabRightClickSelect() const { return FTabRightClickSelect; }
  void SetTabRightClickSelect(bool Value) { FTabRightClickSelect = Value; }
  bool ActivateNewTab() const { return FActivateNewTab; }
  void SetActivateNewTab(bool Value) { FActivateNewTab = Value; }
  bool DebugMode() const { return FDebugMode; }
  void SetDebugMode(bool Value) { FDebugMode = Value; }
  bool IgnoreDoubleClicksWhileAnimatingMovement() const { return FIgnoreDoubleClicksWhileAnimatingMovement; }
  void SetIgnoreDoubleClicksWhileAnimatingMovement(bool Value) {
    FIgnoreDoubleClicksWhileAnimatingMovement = Value;
  }

 private:
  bool FBackgroundDblClickMaximiseRestoreForm = false;
  bool FBackgroundDragMovesForm = false;
  bool FTabSmartDeleteResizing = true;
  Integer FTabSmartDeleteResizeCancelDelay = 700;
  bool FUseBuiltInPopupMenu = true;
  bool FTabRightClickSelect = true;
  bool FActivateNewTab = true;
  bool FDebugMode = false;
  bool FIgnoreDoubleClicksWhileAnimatingMovement = true;
};

// Options.Scrolling. Every write reports.
class TTabStripScrollOptions : public TTabStripPersistent {
 public:
  explicit TTabStripScrollOptions(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripScrollOptions"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TStripTabScrollButtons ScrollButtons() const { return FScrollButtons; }
  void SetScrollButtons(TStripTabScrollButtons Value);
  Integer ScrollStep() const { return FScrollStep; }
  void SetScrollStep(Integer Value);
  Integer ScrollRepeatDelay() const { return FScrollRepeatDelay; }
  void SetScrollRepeatDelay(Integer Value);
  bool AutoHideButtons() const { return FAutoHideButtons; }
  void SetAutoHideButtons(bool Value);
  bool DragScroll() const { return FDragScroll; }
  void SetDragScroll(bool Value);
  Integer DragScrollOffset() const { return FDragScrollOffset; }
  void SetDragScrollOffset(Integer Value);
  bool MouseWheelScroll() const { return FMouseWheelScroll; }
  void SetMouseWheelScroll(bool Value);

 private:
  bool FEnabled = false;
  TStripTabScrollButtons FScrollButtons = csbRight;
  Integer FScrollStep = 20;
  Integer FScrollRepeatDelay = 20;
  bool FAutoHideButtons = true;
  bool FDragScroll = true;
  Integer FDragScrollOffset = 50;
  bool FMouseWheelScroll = true;
};

// The root of the option tree; the strip owns one and publishes it as Options.
class TOptions : public TTabStripPersistent {
 public:
  explicit TOptions(TPersistent* AOwner);
  ~TOptions() override;
  String ClassName() const override { return u"TOptions"; }
  TTabStripDisplayOptions* Display() const { return FDisplay.get(); }
  void SetDisplay(TTabStripDisplayOptions* Value);
  TTabStripDragOptions* DragDrop() const { return FDragDrop.get(); }
  void SetDragDrop(TTabStripDragOptions* Value);
  TTabStripAnimationOptions* Animation() const { return FAnimation.get(); }
  void SetAnimation(TTabStripAnimationOptions* Value);
  TTabStripBehaviourOptions* Behaviour() const { return FBehaviour.get(); }
  void SetBehaviour(TTabStripBehaviourOptions* Value);
  TTabStripScrollOptions* Scrolling() const { return FScrolling.get(); }
  void SetScrolling(TTabStripScrollOptions* Value);

 private:
  std::unique_ptr<TTabStripDisplayOptions> FDisplay;
  std::unique_ptr<TTabStripDragOptions> FDragDrop;
  std::unique_ptr<TTabStripAnimationOptions> FAnimation;
  std::unique_ptr<TTabStripBehaviourOptions> FBehaviour;
  std::unique_ptr<TTabStripScrollOptions> FScrolling;
};

// A component whose one published property refers to an option tree, so that the tree can be
// written and read in the textual component format. It never owns the tree.
class TTabsOptions : public TComponent {
 public:
  explicit TTabsOptions(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TTabsOptions"; }
  TPersistent* Options() const { return FOptions; }
  void SetOptions(TPersistent* Value) { FOptions = Value; }

 private:
  TPersistent* FOptions = nullptr;
};

// --- Look and feel --------------------------------------------------------------------------------
// Colours are TColor values; an alpha runs from 0 (transparent) to 255 (opaque).

// A fill with a vertical gradient and an outline. Every write stores, invalidates the cached brush
// and pen, and reports.
class TTabStripLookAndFeelStyle : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelStyle(TPersistent* AOwner);
  ~TTabStripLookAndFeelStyle() override;
  String ClassName() const override { return u"TTabStripLookAndFeelStyle"; }
  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor StopColor() const { return FStopColor; }
  void SetStopColor(TColor Value);
  Byte StartAlpha() const { return FStartAlpha; }
  void SetStartAlpha(Byte Value);
  Byte StopAlpha() const { return FStopAlpha; }
  void SetStopAlpha(Byte Value);
  TColor OutlineColor() const { return FOutlineColor; }
  void SetOutlineColor(TColor Value);
  float OutlineSize() const { return FOutlineSize; }
  void SetOutlineSize(float Value);
  Byte OutlineAlpha() const { return FOutlineAlpha; }
  void SetOutlineAlpha(Byte Value);

  // The cached gradient from StartColor at ClientRect's top to StopColor at its bottom. The
  // rectangle counts only when the brush is built: until the next invalidation (or an error status
  // of the brush) every call returns the same brush.
  TGPLinearGradientBrush* GetBrush(const TRect& ClientRect);
  // The cached outline pen, rebuilt after an invalidation.
  TGPPen* GetPen();
  // Marks brush and pen for rebuilding.
  void Invalidate() override;

 private:
  TColor FStartColor = clWhite;
  TColor FStopColor = clWhite;
  Byte FStartAlpha = 255;
  Byte FStopAlpha = 255;
  TColor FOutlineColor = clGray;
  float FOutlineSize = 1.0f;
  Byte FOutlineAlpha = 255;
  std::unique_ptr<TGPLinearGradientBrush> FBrush;
  std::unique_ptr<TGPPen> FPen;
  bool FPenInvalidated = false;
};

// A pen. Every write stores, drops the cached pen and reports.
class TTabStripLookAndFeelPen : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelPen(TPersistent* AOwner);
  ~TTabStripLookAndFeelPen() override;
  String ClassName() const override { return u"TTabStripLookAndFeelPen"; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  float Thickness() const { return FThickness; }
  void SetThickness(float Value);
  // Its low byte is the alpha drawn with.
  Integer Alpha() const { return FAlpha; }
  void SetAlpha(Integer Value);
  // The cached pen, rebuilt when missing or invalidated.
  TGPPen* GetPen();
  // Sets the flag and frees the cached pen.
  void Invalidate() override;

 private:
  TColor FColor = clBlack;
  float FThickness = 1.0f;
  Integer FAlpha = 255;
  std::unique_ptr<TGPPen> FPen;
};

// Every write stores and reports.
class TTabStripLookAndFeelBaseFont : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelBaseFont(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripLookAndFeelBaseFont"; }
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Points.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  Byte Alpha() const { return FAlpha; }
  void SetAlpha(Byte Value);
  TTextRenderingHint TextRendoringMode() const { return FTextRendoringMode; }
  void SetTextRendoringMode(TTextRenderingHint Value);

 private:
  String FName = u"Segoe UI";
  TColor FColor = clBlack;
  Integer FSize = 9;
  Byte FAlpha = 255;
  TTextRenderingHint FTextRendoringMode = TextRenderingHintClearTypeGridFit;
};

// A tab state's font; with UseDefaultFont the tab draws with Tabs.DefaultFont instead.
class TTabStripLookAndFeelFont : public TTabStripLookAndFeelBaseFont {
 public:
  explicit TTabStripLookAndFeelFont(TPersistent* AOwner) : TTabStripLookAndFeelBaseFont(AOwner) {}
  String ClassName() const override { return u"TTabStripLookAndFeelFont"; }
  bool UseDefaultFont() const { return FUseDefaultFont; }
  void SetUseDefaultFont(bool Value);

 private:
  bool FUseDefaultFont = true;
};

// A radial glow. Every write stores and reports.
class TTabStripLookAndFeelGlow : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelGlow(TPersistent* AOwner) : TTabStripPersistent(AOwner) {}
  String ClassName() const override { return u"TTabStripLookAndFeelGlow"; }
  TColor CentreColor() const { return FCentreColor; }
  void SetCentreColor(TColor Value);
  TColor OutsideColor() const { return FOutsideColor; }
  void SetOutsideColor(TColor Value);
  Byte CentreAlpha() const { return FCentreAlpha; }
  void SetCentreAlpha(Byte Value);
  Byte OutsideAlpha() const { return FOutsideAlpha; }
  void SetOutsideAlpha(Byte Value);

 private:
  TColor FCentreColor = clWhite;
  TColor FOutsideColor = clWhite;
  Byte FCentreAlpha = 180;
  Byte FOutsideAlpha = 0;
};

// The pens of the rendered spinners.
class TTabStripLookAndFeelSpinners : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelSpinners(TPersistent* AOwner);
  ~TTabStripLookAndFeelSpinners() override;
  String ClassName() const override { return u"TTabStripLookAndFeelSpinners"; }
  TTabStripLookAndFeelPen* Upload() const { return FUpload.get(); }
  void SetUpload(TTabStripLookAndFeelPen* Value);
  TTabStripLookAndFeelPen* Download() const { return FDownload.get(); }
  void SetDownload(TTabStripLookAndFeelPen* Value);

 private:
  std::unique_ptr<TTabStripLookAndFeelPen> FUpload;
  std::unique_ptr<TTabStripLookAndFeelPen> FDownload;
};

// The look of one tab state: its font and its fill. The style reports through this object's owner.
class TTabStripLookAndFeelStyleProperties : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelStyleProperties(TPersistent* AOwner);
  ~TTabStripLookAndFeelStyleProperties() override;
  String ClassName() const override { return u"TTabStripLookAndFeelStyleProperties"; }
  TTabStripLookAndFeelFont* Font() const { return FFont.get(); }
  void SetFont(TTabStripLookAndFeelFont* Value);
  TTabStripLookAndFeelStyle* Style() const { return FStyle.get(); }
  void SetStyle(TTabStripLookAndFeelStyle* Value);
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelFont> FFont;
  std::unique_ptr<TTabStripLookAndFeelStyle> FStyle;
};

// Three styles: normal, pressed and hot.
class TTabStripLookAndFeelCustomStyleItems : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelCustomStyleItems(TPersistent* AOwner);
  ~TTabStripLookAndFeelCustomStyleItems() override;
  String ClassName() const override { return u"TTabStripLookAndFeelCustomStyleItems"; }
  TTabStripLookAndFeelStyle* Normal() const { return FNormal.get(); }
  void SetNormal(TTabStripLookAndFeelStyle* Value);
  TTabStripLookAndFeelStyle* Down() const { return FDown.get(); }
  void SetDown(TTabStripLookAndFeelStyle* Value);
  TTabStripLookAndFeelStyle* Hot() const { return FHot.get(); }
  void SetHot(TTabStripLookAndFeelStyle* Value);
  // Invalidates the three styles (not its own flag).
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelStyle> FNormal;
  std::unique_ptr<TTabStripLookAndFeelStyle> FDown;
  std::unique_ptr<TTabStripLookAndFeelStyle> FHot;
};

class TTabStripLookAndFeelButtonItems : public TTabStripLookAndFeelCustomStyleItems {
 public:
  explicit TTabStripLookAndFeelButtonItems(TPersistent* AOwner)
      : TTabStripLookAndFeelCustomStyleItems(AOwner) {}
  String ClassName() const override { return u"TTabStripLookAndFeelButtonItems"; }
};

// Button styles with a fourth one for the disabled state.
class TTabStripLookAndFeelDisabledButton : public TTabStripLookAndFeelButtonItems {
 public:
  explicit TTabStripLookAndFeelDisabledButton(TPersistent* AOwner);
  ~TTabStripLookAndFeelDisabledButton() override;
  String ClassName() const override { return u"TTabStripLookAndFeelDisabledButton"; }
  TTabStripLookAndFeelStyle* Disabled() const { return FDisabled.get(); }
  void SetDisabled(TTabStripLookAndFeelStyle* Value);
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelStyle> FDisabled;
};

// Three pens: normal, pressed and hot.
class TTabStripCustomLookAndFeelPenItem : public TTabStripPersistent {
 public:
  explicit TTabStripCustomLookAndFeelPenItem(TPersistent* AOwner);
  ~TTabStripCustomLookAndFeelPenItem() override;
  String ClassName() const override { return u"TTabStripCustomLookAndFeelPenItem"; }
  TTabStripLookAndFeelPen* Normal() const { return FNormal.get(); }
  void SetNormal(TTabStripLookAndFeelPen* Value);
  TTabStripLookAndFeelPen* Down() const { return FDown.get(); }
  void SetDown(TTabStripLookAndFeelPen* Value);
  TTabStripLookAndFeelPen* Hot() const { return FHot.get(); }
  void SetHot(TTabStripLookAndFeelPen* Value);
  // Invalidates the three pens.
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelPen> FNormal;
  std::unique_ptr<TTabStripLookAndFeelPen> FDown;
  std::unique_ptr<TTabStripLookAndFeelPen> FHot;
};

class TTabStripLookAndFeelPenItem : public TTabStripCustomLookAndFeelPenItem {
 public:
  explicit TTabStripLookAndFeelPenItem(TPersistent* AOwner) : TTabStripCustomLookAndFeelPenItem(AOwner) {}
  String ClassName() const override { return u"TTabStripLookAndFeelPenItem"; }
};

// Three tab-state looks: active, not active and hot.
class TTabStripCustomLookAndFeelStylePropertyItems : public TTabStripPersistent {
 public:
  explicit TTabStripCustomLookAndFeelStylePropertyItems(TPersistent* AOwner);
  ~TTabStripCustomLookAndFeelStylePropertyItems() override;
  String ClassName() const override { return u"TTabStripCustomLookAndFeelStylePropertyItems"; }
  TTabStripLookAndFeelStyleProperties* Active() const { return FActive.get(); }
  void SetActive(TTabStripLookAndFeelStyleProperties* Value);
  TTabStripLookAndFeelStyleProperties* NotActive() const { return FNotActive.get(); }
  void SetNotActive(TTabStripLookAndFeelStyleProperties* Value);
  TTabStripLookAndFeelStyleProperties* Hot() const { return FHot.get(); }
  void SetHot(TTabStripLookAndFeelStyleProperties* Value);

 private:
  std::unique_ptr<TTabStripLookAndFeelStyleProperties> FActive;
  std::unique_ptr<TTabStripLookAndFeelStyleProperties> FNotActive;
  std::unique_ptr<TTabStripLookAndFeelStyleProperties> FHot;
};

// LookAndFeel.Tabs.
class TTabStripLookAndFeelTab : public TTabStripCustomLookAndFeelStylePropertyItems {
 public:
  explicit TTabStripLookAndFeelTab(TPersistent* AOwner);
  ~TTabStripLookAndFeelTab() override;
  String ClassName() const override { return u"TTabStripLookAndFeelTab"; }
  // The line under the tabs.
  TTabStripLookAndFeelPen* BaseLine() const { return FBaseLine.get(); }
  void SetBaseLine(TTabStripLookAndFeelPen* Value);
  TTabStripLookAndFeelGlow* Modified() const { return FModified.get(); }
  void SetModified(TTabStripLookAndFeelGlow* Value);
  TTabStripLookAndFeelGlow* MouseGlow() const { return FMouseGlow.get(); }
  void SetMouseGlow(TTabStripLookAndFeelGlow* Value);
  TTabStripLookAndFeelBaseFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(TTabStripLookAndFeelBaseFont* Value);
  TTabStripLookAndFeelSpinners* Spinners() const { return FSpinners.get(); }
  void SetSpinners(TTabStripLookAndFeelSpinners* Value);
  // Invalidates the base line pen only.
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelPen> FBaseLine;
  std::unique_ptr<TTabStripLookAndFeelGlow> FModified;
  std::unique_ptr<TTabStripLookAndFeelGlow> FMouseGlow;
  std::unique_ptr<TTabStripLookAndFeelBaseFont> FDefaultFont;
  std::unique_ptr<TTabStripLookAndFeelSpinners> FSpinners;
};

// LookAndFeel.CloseButton.
class TTabStripLookAndFeelCloseButton : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelCloseButton(TPersistent* AOwner);
  ~TTabStripLookAndFeelCloseButton() override;
  String ClassName() const override { return u"TTabStripLookAndFeelCloseButton"; }
  TTabStripLookAndFeelPenItem* Cross() const { return FCross.get(); }
  void SetCross(TTabStripLookAndFeelPenItem* Value);
  TTabStripLookAndFeelButtonItems* Circle() const { return FCircle.get(); }
  void SetCircle(TTabStripLookAndFeelButtonItems* Value);
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelPenItem> FCross;
  std::unique_ptr<TTabStripLookAndFeelButtonItems> FCircle;
};

// LookAndFeel.AddButton.
class TTabStripLookAndFeelAddButton : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelAddButton(TPersistent* AOwner);
  ~TTabStripLookAndFeelAddButton() override;
  String ClassName() const override { return u"TTabStripLookAndFeelAddButton"; }
  TTabStripLookAndFeelButtonItems* Button() const { return FButton.get(); }
  void SetButton(TTabStripLookAndFeelButtonItems* Value);
  TTabStripLookAndFeelButtonItems* PlusSign() const { return FPlusSign.get(); }
  void SetPlusSign(TTabStripLookAndFeelButtonItems* Value);
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelButtonItems> FButton;
  std::unique_ptr<TTabStripLookAndFeelButtonItems> FPlusSign;
};

// LookAndFeel.ScrollButtons (both scroll buttons).
class TTabStripLookAndFeelScrollButton : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeelScrollButton(TPersistent* AOwner);
  ~TTabStripLookAndFeelScrollButton() override;
  String ClassName() const override { return u"TTabStripLookAndFeelScrollButton"; }
  TTabStripLookAndFeelDisabledButton* Button() const { return FButton.get(); }
  void SetButton(TTabStripLookAndFeelDisabledButton* Value);
  TTabStripLookAndFeelDisabledButton* Arrow() const { return FArrow.get(); }
  void SetArrow(TTabStripLookAndFeelDisabledButton* Value);
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelDisabledButton> FButton;
  std::unique_ptr<TTabStripLookAndFeelDisabledButton> FArrow;
};

// The root of the look-and-feel tree; the strip owns one and publishes it as LookAndFeel.
class TTabStripLookAndFeel : public TTabStripPersistent {
 public:
  explicit TTabStripLookAndFeel(TPersistent* AOwner);
  ~TTabStripLookAndFeel() override;
  String ClassName() const override { return u"TTabStripLookAndFeel"; }
  // The strip's background.
  TTabStripLookAndFeelStyle* TabsContainer() const { return FTabsContainer.get(); }
  void SetTabsContainer(TTabStripLookAndFeelStyle* Value);
  TTabStripLookAndFeelTab* Tabs() const { return FTabs.get(); }
  void SetTabs(TTabStripLookAndFeelTab* Value);
  TTabStripLookAndFeelCloseButton* CloseButton() const { return FCloseButton.get(); }
  void SetCloseButton(TTabStripLookAndFeelCloseButton* Value);
  TTabStripLookAndFeelAddButton* AddButton() const { return FAddButton.get(); }
  void SetAddButton(TTabStripLookAndFeelAddButton* Value);
  TTabStripLookAndFeelScrollButton* ScrollButtons() const { return FScrollButtons.get(); }
  void SetScrollButtons(TTabStripLookAndFeelScrollButton* Value);
  // Its own flag, then scroll buttons, tabs, tabs container, close button, add button.
  void Invalidate() override;

 private:
  std::unique_ptr<TTabStripLookAndFeelStyle> FTabsContainer;
  std::unique_ptr<TTabStripLookAndFeelTab> FTabs;
  std::unique_ptr<TTabStripLookAndFeelCloseButton> FCloseButton;
  std::unique_ptr<TTabStripLookAndFeelAddButton> FAddButton;
  std::unique_ptr<TTabStripLookAndFeelScrollButton> FScrollButtons;
};

// A component whose one published property refers to a look-and-feel tree, so that the tree can be
// written and read in the textual component format. It never owns the tree.
class TTabsLookAndFeel : public TComponent {
 public:
  explicit TTabsLookAndFeel(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TTabsLookAndFeel"; }
  TPersistent* LookAndFeel() const { return FLookAndFeel; }
  void SetLookAndFeel(TPersistent* Value) { FLookAndFeel = Value; }

 private:
  TPersistent* FLookAndFeel = nullptr;
};

// --- The strip's defaults -------------------------------------------------------------------------

// The values a new strip takes, written through the published properties (so each write reports
// as its property does). The strip's SetDefaultOptions and SetDefaultLookAndFeel call these; the
// look and feel is written inside the strip's BeginUpdate / EndUpdate.
void SetDefaultTabStripOptions(TOptions* Options);
void SetDefaultTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel);

// --- Saving and loading -----------------------------------------------------------------------------

// The option tree (look-and-feel tree) in the textual component format, through a TTabsOptions
// (TTabsLookAndFeel) wrapper: written to Stream, read back from Stream through the published
// properties, and rendered as assignment statements "TabStrip1.<path> := <value>;", one per line.
// Errors of the stream, the text and the reading reach the caller.
void SaveTabStripOptions(TOptions* Options, TStream* Stream);
void LoadTabStripOptions(TOptions* Options, TStream* Stream);
String TabStripOptionsToCode(TOptions* Options);
void SaveTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel, TStream* Stream);
void LoadTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel, TStream* Stream);
String TabStripLookAndFeelToCode(TTabStripLookAndFeel* LookAndFeel);
// The file forms: saving deletes an existing file of that name first.
void SaveTabStripOptionsToFile(TOptions* Options, const String& FileName);
void LoadTabStripOptionsFromFile(TOptions* Options, const String& FileName);
void SaveTabStripLookAndFeelToFile(TTabStripLookAndFeel* LookAndFeel, const String& FileName);
void LoadTabStripLookAndFeelFromFile(TTabStripLookAndFeel* LookAndFeel, const String& FileName);

// --- Published properties ---------------------------------------------------------------------------

// The kinds of published values the trees and their wrappers have.
enum TPublishedKind {
  pkInteger,   // Integer
  pkCardinal,  // Cardinal (milliseconds)
  pkByte,      // Byte (alphas)
  pkWord,      // Word (angles)
  pkBoolean,
  pkEnum,      // an enumeration, written by the identifiers in EnumNames
  pkColor,     // TColor, written by its colour identifier when it has one
  pkCursor,    // TCursor, written by its cursor identifier when it has one
  pkSingle,
  pkDouble,
  pkString,
  pkObject  // a nested persistent object, written property by property under its name
};

// One published property: its name, kind and access. Ordinal kinds (integers, Booleans,
// enumerations, colours, cursors) go through GetOrdinal / SetOrdinal, reals through GetFloat /
// SetFloat, strings through GetString / SetString, objects through GetObject (and SetObject for the
// wrappers' references).
struct TPublishedProperty {
  String Name;
  TPublishedKind Kind = pkInteger;
  // The range a loaded number must lie in; a saved text with a value outside it is refused, so a
  // file cannot give, say, tabs of negative width.
  double Low = -std::numeric_limits<double>::infinity();
  double High = std::numeric_limits<double>::infinity();
  const std::vector<String>* EnumNames = nullptr;
  std::function<Int64(TObject*)> GetOrdinal;
  std::function<void(TObject*, Int64)> SetOrdinal;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<String(TObject*)> GetString;
  std::function<void(TObject*, const String&)> SetString;
  std::function<TObject*(TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
};

// The published properties of Instance's class in streaming order, inherited ones first; nullptr for
// a class that publishes nothing the strip streams (tabs, option and look-and-feel nodes and the two
// wrappers publish).
const std::vector<TPublishedProperty>* GetPublishedProperties(const TObject* Instance);
