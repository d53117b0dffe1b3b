// TCustomTabStrip / TTabStrip: a windowed control that shows a row of tabs with an add button and
// two scroll buttons. Tabs can be activated, pinned, hidden, closed, added, and dragged within the
// strip or onto another strip; their movement and their hover, pressed and active looks are
// animated by a timer thread. The strip paints with smoothing into a 32-bit back buffer and copies
// it to the window in one go.
//
// The strip owns its tabs (TTabStripList), options (TOptions), look and feel
// (TTabStripLookAndFeel), one drawable control per tab, the add and scroll button controls and the
// animation timer. The model and the controls reach the strip through ITabStrip; other strips reach
// it through IStripTabDockControl.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "components/tabs/TabStripClasses.h"
#include "components/tabs/TabStripControls.h"
#include "components/tabs/TabStripThreadTimer.h"
#include "platform/gui/Controls.h"

class TCustomTabStrip;
class TCustomForm;
class TMenuItem;
class TPopupMenu;
class TTimer;

// --- States, results and sets ------------------------------------------------------------------------

enum TStripTabState {
  stsAnimatingMovement,            // a control is moving
  stsAnimatingStyle,               // a control changes its look, glow or spinner
  stsDragging,                     // a drag started in this strip is running
  stsDragStarted,                  // from the start of a drag to its first move
  stsDragFinished,                 // not used
  stsCancellingDrag,               // the end of a cancelled drag is being laid out
  stsCompletingDrag,               // the end of a completed drag is being laid out
  stsDeletingUnPinnedTabs,         // a tab was closed with its close button: widths stay frozen
  stsTabDeleted,                   // a tab is being deleted under smart resizing
  stsEndTabDeleted,                // the last tab is being deleted under smart resizing
  stsResizing,                     // the control was resized
  stsMouseDown,                    // a mouse button is held over the strip
  stsPendingUpdates,               // a redraw waits for EndUpdate
  stsAddingDroppedTab,             // a dropped tab is being inserted
  stsAnimatingNewTab,              // a newly activated tab is still moving into place
  stsFirstPaint,                   // the window was just created
  stsControlPositionsInvalidated,  // positions are recalculated at the next paint
  stsDebug,                        // not used
  stsAnimatingCloseTab             // a closing tab is shrinking
};

// A set of TStripTabState.
class TStripTabStates {
 public:
  constexpr TStripTabStates() = default;
  constexpr TStripTabStates(std::initializer_list<TStripTabState> L) {
    for (TStripTabState S : L) FBits |= Bit(S);
  }
  constexpr bool Contains(TStripTabState S) const { return (FBits & Bit(S)) != 0; }
  constexpr void Include(TStripTabState S) { FBits |= Bit(S); }
  constexpr void Exclude(TStripTabState S) { FBits &= ~Bit(S); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint32_t Bits() const { return FBits; }
  friend constexpr bool operator==(TStripTabStates, TStripTabStates) = default;

 private:
  static constexpr uint32_t Bit(TStripTabState S) { return 1u << static_cast<unsigned>(S); }
  uint32_t FBits = 0;
};

enum TTabDisplayState { tdNormal, tdCompressed, tdScrolling };

// What lies at a point: a tab (with its index) or one of the strip's areas.
struct THitTestResult {
  Integer TabIndex = -1;
  THitTestArea HitTestArea = htNowhere;
  friend bool operator==(const THitTestResult&, const THitTestResult&) = default;
};

enum TTabDropOption { tdDeleteDraggedTab, tdCreateDroppedTab, tdMoveTab };
// A set of TTabDropOption.
class TTabDropOptions {
 public:
  constexpr TTabDropOptions() = default;
  constexpr TTabDropOptions(std::initializer_list<TTabDropOption> L) {
    for (TTabDropOption O : L) FBits |= Bit(O);
  }
  constexpr bool Contains(TTabDropOption O) const { return (FBits & Bit(O)) != 0; }
  constexpr void Include(TTabDropOption O) { FBits |= Bit(O); }
  constexpr void Exclude(TTabDropOption O) { FBits &= ~Bit(O); }
  friend constexpr bool operator==(TTabDropOptions, TTabDropOptions) = default;

 private:
  static constexpr uint32_t Bit(TTabDropOption O) { return 1u << static_cast<unsigned>(O); }
  uint32_t FBits = 0;
};

// --- What other strips call during a tab drag ----------------------------------------------------------

class IStripTabDockControl {
 public:
  virtual ~IStripTabDockControl() = default;
  // The strip itself.
  virtual TCustomTabStrip* GetControl() = 0;
  // A dragged tab enters, moves over or leaves the strip (X, Y in its client coordinates).
  virtual void DragOver(IStripTabDockControl* Sender, Integer X, Integer Y, TDragState State,
                        const TDragTabObjectPtr& DragObject, bool& Accept) = 0;
  // A dragged tab is dropped on the strip; handlers may change the drop options.
  virtual void DragDrop(IStripTabDockControl* Sender, Integer X, Integer Y, const TDragTabObjectPtr& DragObject,
                        bool Cancelled, TTabDropOptions& DropOptions) = 0;
  // Makes the dropped tab in this strip; nullptr when no drag is over it.
  virtual TStripTab* InsertDroppedTab() = 0;
  // One step of the strip's drag scrolling.
  virtual void FireScrollTimer() = 0;
  virtual void DragEnd(Integer X, Integer Y, bool Cancelled) = 0;
  virtual TBiDiMode GetBiDiMode() = 0;
};

// The strip under a screen point, probed at the point and at the corners of squares around it
// (Range, Range - Step, ... pixels away, nearest last); nullptr when none is found.
IStripTabDockControl* TabStripFromPoint(const TPoint& ScreenPoint, Integer Range, Integer Step);

// --- Events ------------------------------------------------------------------------------------------------

using TActiveTabChangingEvent =
    std::function<void(TObject* Sender, TStripTab* OldTab, TStripTab* NewTab, bool& Allow)>;
using TStripTabEvent = std::function<void(TObject* Sender, TStripTab* Tab)>;
using TTabChangeEvent = std::function<void(TObject* Sender, TStripTab* Tab, TTabChangeType ChangeType)>;
using TButtonAddClickEvent = std::function<void(TObject* Sender, bool& Handled)>;
using TButtonCloseTabClickEvent = std::function<void(TObject* Sender, TStripTab* Tab, bool& Close)>;
using TTabDebugLogEvent = std::function<void(TObject* Sender, const String& Text)>;
using TNeedDragImageControlEvent =
    std::function<void(TObject* Sender, TStripTab* Tab, TWinControl*& DragControl)>;
using TCreateDragFormEvent = std::function<void(TObject* Sender, TStripTab* Tab, TCustomForm*& DragForm)>;
using TTabStateChangeEvent =
    std::function<void(TObject* Sender, TStripTabStates PreviousStates, TStripTabStates CurrentStates)>;
using TBeforeDrawItemEvent =
    std::function<void(TObject* Sender, TGPGraphics* TargetCanvas, const TRect& ItemRect,
                       TStripTabItemType ItemType, Integer TabIndex, bool& Handled)>;
using TAfterDrawItemEvent = std::function<void(TObject* Sender, TGPGraphics* TargetCanvas, const TRect& ItemRect,
                                               TStripTabItemType ItemType, Integer TabIndex)>;
using TGetControlPolygonsEvent =
    std::function<void(TObject* Sender, TBaseTabStripControl* Control, const TRect& ItemRect,
                       TStripTabItemType ItemType, TTabOrientation Orientation, TStripTabPolygonsPtr& Polygons)>;
using TTabShowHintEvent = std::function<void(TObject* Sender, const THitTestResult& HitTestResult,
                                             String& HintText, Integer& HintTimeout)>;
using TTabDragStartEvent = std::function<void(TObject* Sender, TStripTab* Tab, bool& Allow)>;
using TTabDragOverEvent = std::function<void(TObject* Sender, Integer X, Integer Y, TDragState State,
                                             const TDragTabObjectPtr& DragObject, bool& Accept)>;
using TTabDragDropEvent = std::function<void(TObject* Sender, Integer X, Integer Y,
                                             const TDragTabObjectPtr& DragObject, bool Cancelled,
                                             TTabDropOptions& DropOptions)>;
using TTabDragDroppedEvent =
    std::function<void(TObject* Sender, const TDragTabObjectPtr& DragObject, TStripTab* NewTab)>;
using TTabDragEndEvent = std::function<void(TObject* Sender, Integer MouseX, Integer MouseY, bool Cancelled)>;
using TAnimateStyleEvent = std::function<void(TObject* Sender, TBaseTabStripControl* Control, TDrawState NewDrawState,
                                              Cardinal& AnimationTimeMS, TTabStripEaseType& EaseType)>;
using TAnimateMovementEvent = std::function<void(TObject* Sender, TBaseTabStripControl* Control,
                                                 Cardinal& AnimationTimeMS, TTabStripEaseType& EaseType)>;
using TSetTabWidthEvent = std::function<void(TObject* Sender, TStripTabControl* TabControl, Integer& TabWidth)>;

// The texts of the strip's own menu and hints.
extern const String STabStripNewTab;       // "New tab"
extern const String STabStripDeleteTab;    // "Delete Tab"
extern const String STabStripPinTab;       // "Pin this tab"
extern const String STabStripUnpinTab;     // "Unpin this tab"
extern const String STabStripNoCaption;    // "<No Caption>"

// --- The strip ------------------------------------------------------------------------------------------

class TCustomTabStrip : public TCustomControl, public ITabStrip, public IStripTabDockControl {
 public:
  // The way the tabs scroll. It belongs to the strip: the string grid's scroll bars have a
  // direction type of the same name.
  enum TScrollDirection { mdsNone, mdsLeft, mdsRight };

  // 300 x 30, no active tab, the default options and look and feel; the animation timer runs from
  // here until destruction.
  explicit TCustomTabStrip(TComponent* AOwner);
  ~TCustomTabStrip() override;
  String ClassName() const override { return u"TCustomTabStrip"; }
  void BeforeDestruction() override;
  // Marks the construction finished: from now on the strip is ready (unless it is loading).
  virtual void AfterConstruction();

  // --- Properties
  // -1 when no tab is active. Writing -1 clears the active tab, 0..count-1 activates that tab, any
  // other value is ignored.
  Integer ActiveTabIndex();
  void SetActiveTabIndex(Integer Value);
  TStripTab* ActiveTab() { return GetActiveTabItem(); }
  // Activates a tab of this strip; nullptr and foreign tabs are ignored.
  void SetActiveTab(TStripTab* Value);
  TTabStripList* Tabs() const { return FTabs.get(); }
  void SetTabs(TTabStripList* Value);
  TOptions* Options() const { return FOptions.get(); }
  void SetOptions(TOptions* Value);
  TTabStripLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TTabStripLookAndFeel* Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* ImagesOverlay() const { return FImagesOverlay; }
  void SetImagesOverlay(TImageList* Value);
  TImageList* ImagesSpinnerUpload() const { return FImagesSpinnerUpload; }
  void SetImagesSpinnerUpload(TImageList* Value);
  TImageList* ImagesSpinnerDownload() const { return FImagesSpinnerDownload; }
  void SetImagesSpinnerDownload(TImageList* Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);

  // --- Updates and drawing
  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }
  // Repaints now, or once the outermost EndUpdate comes.
  void Redraw();
  void Invalidate() override;
  // Applies every control's look again, recalculates positions at the next paint and redraws.
  void InvalidateAllControls();
  // Draws the strip onto Target (the control's canvas when painting).
  void PaintWindow(TCanvas* Target);
  void Resize() override;
  // Placing the strip on a parent makes its window: scrolling starts and the first paint lays out.
  void SetParent(TWinControl* AParent) override;

  // --- Tabs, hit tests and scrolling
  // The tab's caption, "<No Caption>" for an empty one, empty text for an invalid index.
  String GetTabDescription(Integer Index);
  virtual THitTestResult HitTest(const TPoint& P, bool IgnoreDisabledControls);
  using TComponent::HasState;
  virtual bool HasState(TStripTabState State) const;
  TStripTabStates States() const { return FState; }
  virtual void ScrollIntoView(TStripTab* Tab);
  // The tab under the last mouse position, or nullptr.
  TStripTab* GetTabUnderMouse();
  TTabDisplayState GetTabDisplayState();
  // The control of the tab at Index; nullptr for -1.
  virtual TStripTabControl* GetTabControl(Integer Index);
  Integer ScrollOffset() const { return FScrollOffset; }
  void SetScrollOffset(Integer Value);
  Integer MaxScrollOffset();
  // One scroll step; with StartTimer the scroll timer repeats it.
  void ScrollTabs(TScrollDirection Direction, bool StartTimer);
  void KeepRightEdgeInView(bool Force);

  // --- Dragging
  void BeginDrag(Integer MouseX, Integer MouseY);
  void EndDrag(Integer MouseX, Integer MouseY, bool Cancelled);

  // --- Animation and persistence
  // The animation timer's event: one step of every control's animation.
  void AnimationTick(TObject* Sender);
  virtual void SaveLookAndFeel(TStream* Stream);
  virtual void SaveLookAndFeel(const String& FileName);
  virtual void LoadLookAndFeel(TStream* Stream);
  virtual void LoadLookAndFeel(const String& FileName);
  virtual void SaveOptions(TStream* Stream);
  virtual void SaveOptions(const String& FileName);
  virtual void LoadOptions(TStream* Stream);
  virtual void LoadOptions(const String& FileName);
  String OptionsToCode();
  String LookAndFeelToCode();
  void SetDefaultOptions();
  void SetDefaultLookAndFeel();

  // --- ITabStrip
  Integer GetLastPinnedIndex() override;
  TStripTab* GetActiveTabItem() override;
  TStripTabPolygonsPtr GetPreviousTabPolygons(Integer Index) override;
  void DoOnBeforeDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect, TStripTabItemType ItemType,
                          Integer TabIndex, bool& Handled) override;
  void DoOnAfterDrawItem(TGPGraphics* TargetCanvas, const TRect& ItemRect, TStripTabItemType ItemType,
                         Integer TabIndex) override;
  void DoOnGetControlPolygons(TBaseTabStripControl* Control, const TRect& ItemRect, TStripTabItemType ItemType,
                              TTabOrientation Orientation, TStripTabPolygonsPtr& Polygons) override;
  void DoOnDebugLog(const String& Pattern, const std::vector<TVarRec>& Args) override;
  void DoOnActiveTabChanging(TStripTab* OldTab, TStripTab* NewTab, bool& Allow) override;
  void TabChanged(TStripTab* Tab, TTabChangeType ChangeType) override;
  TRect ScrollRect(const TRect& R) override;
  TRect BidiScrollRect(const TRect& R) override;
  TRect BidiRect(const TRect& R) override;
  TBiDiMode GetBiDiMode() override { return FBiDiMode; }
  TComponentState GetComponentState() override { return ComponentState(); }
  bool IsDragging() override { return FActiveDragTabObject != nullptr; }
  TTabStripLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  TOptions* GetOptions() override { return FOptions.get(); }
  TImageList* GetImages() override { return FImages; }
  TImageList* GetImagesOverlay() override { return FImagesOverlay; }
  TImageList* GetImagesSpinnerDownload() override { return FImagesSpinnerDownload; }
  TImageList* GetImagesSpinnerUpload() override { return FImagesSpinnerUpload; }

  // --- IStripTabDockControl
  TCustomTabStrip* GetControl() override { return this; }
  void DragOver(IStripTabDockControl* Sender, Integer X, Integer Y, TDragState State,
                const TDragTabObjectPtr& DragObject, bool& Accept) override;
  void DragDrop(IStripTabDockControl* Sender, Integer X, Integer Y, const TDragTabObjectPtr& DragObject,
                bool Cancelled, TTabDropOptions& DropOptions) override;
  TStripTab* InsertDroppedTab() override;
  void FireScrollTimer() override;
  void DragEnd(Integer X, Integer Y, bool Cancelled) override;

  // --- Parts, for the strip's users and for tests
  TAddButtonControl* AddButtonControl() const { return FAddButtonControl.get(); }
  TScrollButtonLeftControl* ScrollButtonLeftControl() const { return FScrollButtonLeftControl.get(); }
  TScrollButtonRightControl* ScrollButtonRightControl() const { return FScrollButtonRightControl.get(); }
  TThreadTimer* AnimateTimer() const { return FAnimateTimer.get(); }
  TTimer* ScrollTimer() const { return FScrollTimer.get(); }
  TTimer* CancelTabSmartResizeTimer() const { return FCancelTabSmartResizeTimer.get(); }
  TPopupMenu* TabPopupMenu() const { return FTabPopupMenu.get(); }
  const TDragTabObjectPtr& DragTabObject() const { return FDragTabObject; }
  const TDragTabObjectPtr& ActiveDragTabObject() const { return FActiveDragTabObject; }
  TStripTabControl* DragTabControl() const { return FDragTabControl; }
  const TRect& TabContainerRect() const { return FTabContainerRect; }
  Integer AdjustedTabWidth() const { return FAdjustedTabWidth; }
  Integer TabEndSpace() const { return FTabEndSpace; }
  Integer ScrollWidth() const { return FScrollWidth; }
  Integer MaxAddButtonRight() const { return FMaxAddButtonRight; }
  const THitTestResult& LastHitTestResult() const { return FLastHitTestResult; }
  const THitTestResult& MouseDownHitTest() const { return FMouseDownHitTest; }
  TPoint LastMousePos() const { return TPoint(FLastMouseX, FLastMouseY); }
  TBitmap* CanvasBitmap() const { return FCanvasBmp.get(); }
  // Ready: constructed, not loading, not being destroyed.
  bool Ready() const;

  // --- Events
  TActiveTabChangingEvent OnActiveTabChanging;
  TStripTabEvent OnActiveTabChanged;
  TTabChangeEvent OnChange;
  TButtonAddClickEvent OnButtonAddClick;
  TButtonCloseTabClickEvent OnButtonCloseTabClick;
  TTabDebugLogEvent OnDebugLog;
  TNeedDragImageControlEvent OnNeedDragImageControl;
  TCreateDragFormEvent OnCreateDragForm;
  TTabStateChangeEvent OnStateChange;
  TBeforeDrawItemEvent OnBeforeDrawItem;
  TAfterDrawItemEvent OnAfterDrawItem;
  TGetControlPolygonsEvent OnGetControlPolygons;
  TTabShowHintEvent OnShowHint;
  TStripTabEvent OnTabDblClick;
  TTabDragStartEvent OnTabDragStart;
  TTabDragOverEvent OnTabDragOver;
  TTabDragDropEvent OnTabDragDrop;
  TTabDragDroppedEvent OnTabDragDropped;
  TTabDragEndEvent OnTabDragEnd;
  TNotifyEvent OnScroll;
  TNotifyEvent OnScrollWidthChanged;
  TAnimateStyleEvent OnAnimateStyle;
  TAnimateMovementEvent OnAnimateMovement;
  TSetTabWidthEvent OnSetTabWidth;
  TNotifyEvent OnAfterDragImageCreated;
  // Asked when the mouse starts a drag, before OnTabDragStart (not published).
  TTabDragStartEvent OnBeginTabDrag;

 protected:
  // --- Introduced virtual operations
  virtual void CalculateButtonRects();
  virtual void CalculateTabRects();
  virtual void DrawCanvas(TCanvas* Target);
  virtual void SetControlDrawStates(bool Force);
  virtual void DoOnActiveTabChanged(TStripTab* Tab);
  virtual void DoOnButtonCloseTabClick(TStripTab* Tab, bool& Close);
  // OnButtonAddClick; unless a handler answers handled, a tab is added.
  virtual void DoOnButtonAddClick();
  virtual void DoOnNeedDragImageControl(TStripTab* Tab, TWinControl*& DragControl);
  virtual void DoOnCreateDragForm(TStripTab* Tab, TCustomForm*& DragForm);
  virtual void DoOnBeginTabDrag(TStripTab* Tab, bool& Allow);
  virtual void DoOnStateChange(TStripTabStates PreviousStates, TStripTabStates CurrentStates);
  virtual void DoOnMouseLeave();
  virtual void DoOnShowHint(const THitTestResult& HitTestResult, String& HintText, Integer& HintTimeout);
  virtual void DoOnTabDblClick(TStripTab* Tab);
  virtual void DoOnTabDragStart(TStripTab* Tab, bool& Allow);
  virtual void DoOnTabDragOver(Integer X, Integer Y, TDragState State, const TDragTabObjectPtr& DragObject,
                               bool& Accept);
  virtual void DoOnTabDragDrop(Integer X, Integer Y, const TDragTabObjectPtr& DragObject, bool Cancelled,
                               TTabDropOptions& DropOptions);
  virtual void DoOnTabDragDropped(const TDragTabObjectPtr& DragObject, TStripTab* NewTab);
  virtual void DoOnTabDragEnd(Integer MouseX, Integer MouseY, bool Cancelled);
  virtual void DoOnScroll();
  virtual void DoOnScrollWidthChanged();
  virtual void ShowTabPopupMenu(const TPoint& ScreenPoint);
  virtual void TabPopupMenuClick(TMenuItem* Item);
  virtual void DoOnAnimateStyle(TBaseTabStripControl* Control, TDrawState NewDrawState, Cardinal& AnimationTimeMS,
                                TTabStripEaseType& EaseType);
  virtual void DoOnAnimateMovement(TBaseTabStripControl* Control, Cardinal& AnimationTimeMS,
                                   TTabStripEaseType& EaseType);
  virtual void DoOnSetTabWidth(TStripTabControl* TabControl, Integer& TabWidth);
  virtual void DoOnAfterDragImageCreated();
  virtual bool CanDropAt(Integer X, Integer Y);
  virtual TCustomForm* CreateDragForm(TStripTab* Tab);
  // Add or remove a state; OnStateChange fires when the set changed. True when it did.
  virtual bool AddState(TStripTabState State);
  virtual bool RemoveState(TStripTabState State);

  // --- The class library's hooks
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void BoundsChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMLButtonDblClk(TMessage& M) override;
  void WMContextMenu(TMessage& M) override;
  void WMMouseWheel(TMessage& M) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CNKeyDown(TMessage& M) override;
  // The form lost the activation while the mouse was held over the strip: the press ends here.
  void WMCancelMode(TMessage& M);
  // The window exists: scrolling starts at 0 and the first paint lays everything out.
  virtual void CreateWnd();

 private:
  // Layout (TabStripLayout.cpp).
  void SetControlPosition(TBaseTabStripControl* Control, const TRect& R, bool Animate);
  void SetMovementAnimation(TTabStripMovementAnimationTypes* Animation);
  void CalculateTabWidth();
  void PlaceGroup(Integer& X, Integer FirstIndex, Integer LastIndex, bool Pinned, Integer TabWidth,
                  Integer Remainder);
  void SmartResizeTabRects(Integer& X);
  Integer ContentWidth(TStripTabControl* Control);
  bool ScrollButtonShown(TBaseTabStripControl* Button);
  bool ScrollButtonsEnabled();
  TStripTab* LastVisibleTab(bool SkipMarked);
  TRect TabArea();
  void ScrollTimerTick(TObject* Sender);
  void CancelTabSmartResizeTimerTick(TObject* Sender);
  void RemoveDeleteStates();
  // The change handler's steps (TabStrip.cpp).
  void ApplyPropertyUpdate();
  TStripTabControl* CreateTabControl(TStripTab* Tab, TTabChangeType ChangeType);
  void PlaceGrowingTabControl(TStripTab* Tab, TStripTabControl* Control);
  // Returns whether the tab was deleted on the way.
  bool ReactToTabChange(TStripTab* Tab, TStripTabControl* Control, TTabChangeType ChangeType);
  void TabDeleting(TStripTab* Tab, TStripTabControl* Control);
  bool TabMarkedDeleted(TStripTab* Tab, TStripTabControl* Control);
  void ActivateNeighbourOf(TStripTab* Tab);
  void ActivateLastVisibleTabWhenNoneActive();
  // Draw states (TabStrip.cpp).
  void SetControlDrawState(TBaseTabStripControl* Control, TDrawState NewState, bool Force);
  void ApplyTimerIntervals();
  bool Mirrored() const { return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign; }
  TStripTabControl* ControlOf(TStripTab* Tab) const;
  void RepaintNow();
  // Redraws a strip on the screen (or inside an update); one that is not only places its controls
  // and is drawn when shown.
  void RedrawWhenShown();
  // Above zero while a change of the tabs of a strip that is not on the screen is handled, or
  // while a draw sets the first states of the controls: a redraw then only places the controls.
  Integer FQuietRedraws = 0;
  // Works the control positions out again when they are out of date or a movement runs (the first
  // step of every draw).
  void UpdateControlPositions();
  // Dragging (TabStripDrag.cpp).
  void DragMove(Integer X, Integer Y);
  void MoveDragForm(Integer X, Integer Y, bool Visible);
  TStripTab* DraggedTab() const;
  void FreeForeignDragControl();
  // Mouse (TabStripMouse.cpp).
  void CMHintShow(TMessage& M);
  TCustomForm* TopLevelForm();

  std::unique_ptr<TOptions> FOptions;
  std::unique_ptr<TTabStripLookAndFeel> FLookAndFeel;
  std::unique_ptr<TAddButtonControl> FAddButtonControl;
  std::unique_ptr<TScrollButtonLeftControl> FScrollButtonLeftControl;
  std::unique_ptr<TScrollButtonRightControl> FScrollButtonRightControl;
  TDragTabObjectPtr FDragTabObject;
  TDragTabObjectPtr FActiveDragTabObject;
  std::unique_ptr<TBitmap> FCanvasBmp;
  std::unique_ptr<TBitmap> FBackgroundBmp;
  std::unique_ptr<TPopupMenu> FTabPopupMenu;
  TImageList* FImages = nullptr;
  TImageList* FImagesOverlay = nullptr;
  TImageList* FImagesSpinnerUpload = nullptr;
  TImageList* FImagesSpinnerDownload = nullptr;
  std::unique_ptr<TTabStripList> FTabs;
  Integer FUpdateCount = 0;
  std::unique_ptr<TThreadTimer> FAnimateTimer;
  std::unique_ptr<TTimer> FScrollTimer;
  std::unique_ptr<TTimer> FCancelTabSmartResizeTimer;
  Integer FPausedUpdateCount = 0;
  TStripTabStates FState;
  Integer FAdjustedTabWidth = 0;
  Integer FScrollWidth = 0;
  Integer FPreviousScrollWidth = 0;
  Integer FLastMouseX = -1;
  Integer FLastMouseY = -1;
  TRect FClosedTabRect;
  Integer FClosedTabIndex = -1;
  bool FInvalidatingControls = false;
  Integer FTabEndSpace = 0;
  Integer FScrollOffset = -1;
  TRect FTabContainerRect;
  TScrollDirection FScrollDirection = mdsNone;
  Integer FLastClientWidth = 0;
  // The number of tabs the last layout placed: a tab removed at once is reported without itself
  // and redraws nothing, so the next paint finds the count changed and lays the row out again.
  Integer FLaidOutTabCount = -1;
  THitTestResult FLastHitTestResult;
  TTabStripEaseType FMovementEaseType = ttNone;
  Cardinal FMovementAnimationTime = 0;
  Integer FMaxAddButtonRight = 0;
  Cardinal FNextModifiedGlowAnimateTickCount = 0;
  Cardinal FNextSpinnerAnimateTickCount = 0;
  bool FControlConstructed = false;
  TMouseButton FMouseButton = mbLeft;
  THitTestResult FMouseDownHitTest;
  TPoint FMouseDownPoint;
  TStripTabControl* FDragTabControl = nullptr;
  bool FDragCancelled = false;
  // The control made here for a tab dragged in from another strip.
  std::unique_ptr<TStripTabControl> FForeignDragTabControl;
  // The last point a drag reported over this strip (client coordinates).
  TPoint FDragOverPoint;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FWindowCreated = false;
  bool FDestroying = false;
};

// The strip as forms use it; it adds nothing to TCustomTabStrip.
class TTabStrip : public TCustomTabStrip {
 public:
  explicit TTabStrip(TComponent* AOwner) : TCustomTabStrip(AOwner) {}
  String ClassName() const override { return u"TTabStrip"; }
};
