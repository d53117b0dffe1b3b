// The drawable controls of the tab strip: the tabs, the add button and the two scroll buttons are
// objects (not windows) that the strip owns and asks to move, change their look, animate and draw
// into its smoothed canvas. A control eases its rectangle towards a target (movement animation),
// fades its colours towards the look of a new draw state (style animation), builds its outline as
// polygons, tests points against them and draws them. A control reaches its strip only through
// ITabStrip.
#pragma once

#include <memory>
#include <vector>

#include "components/tabs/TabStripClasses.h"
#include "components/tabs/TabStripUtils.h"
#include "platform/gui/GdiPlus.h"
#include "platform/gui/Graphics.h"

// The look a control shows.
enum TDrawState { dsUnknown, dsActive, dsNotActive, dsDown, dsHot, dsDisabled };
// What TStripTabPolygons::DrawTo does with each polygon.
enum TDrawToFunctions { dfBrush, dfPen, dfBrushAndPen };
// What lies under a point of the strip.
enum THitTestArea {
  htNowhere,
  htBackground,
  htTab,
  htAddButton,
  htCloseButton,
  htScrollButtonLeft,
  htScrollButtonRight
};

// --- Polygons ---------------------------------------------------------------------------------------

// One polygon with the brush that fills it and the pen that outlines it. Brush and pen belong to
// whoever made them (usually the control that caches them); either may be nullptr.
struct TStripTabPolygon {
  TPolygon FPolygon;
  TGPBrush* FBrush = nullptr;
  TGPPen* FPen = nullptr;
};

// A set of polygons, shared by reference (TStripTabPolygonsPtr).
class IStripTabPolygons {
 public:
  virtual ~IStripTabPolygons() = default;
  virtual Integer PolygonCount() = 0;
  // EListError outside 0..PolygonCount-1.
  virtual TStripTabPolygon& GetPolygons(Integer Index) = 0;
  // Adds a polygon; returns the set itself so that calls can be chained.
  virtual IStripTabPolygons* AddPolygon(const TPolygon& Polygon, TGPBrush* Brush, TGPPen* Pen) = 0;
  // For each polygon in order: filled with its brush (dfBrush, dfBrushAndPen), then outlined with
  // its pen (dfPen, dfBrushAndPen), each only when present.
  virtual void DrawTo(TGPGraphics* TargetCanvas, TDrawToFunctions DrawToFunctions) = 0;
};

class TStripTabPolygons : public TObject, public IStripTabPolygons {
 public:
  String ClassName() const override { return u"TStripTabPolygons"; }
  Integer PolygonCount() override { return static_cast<Integer>(FPolygons.size()); }
  TStripTabPolygon& GetPolygons(Integer Index) override;
  IStripTabPolygons* AddPolygon(const TPolygon& Polygon, TGPBrush* Brush, TGPPen* Pen) override;
  void DrawTo(TGPGraphics* TargetCanvas, TDrawToFunctions DrawToFunctions) override;

 private:
  std::vector<TStripTabPolygon> FPolygons;
};

// A new empty set.
TStripTabPolygonsPtr NewStripTabPolygons();

// --- The base of every drawable control ------------------------------------------------------------

class TBaseTabStripControl : public TObject {
 public:
  // Keeps the strip; no position yet, not scrollable.
  explicit TBaseTabStripControl(ITabStrip* TabStrip);
  ~TBaseTabStripControl() override;
  String ClassName() const override { return u"TBaseTabStripControl"; }

  // Reports (nullptr, tcControlState) to the strip.
  virtual void DoChanged();
  // Ends a running style animation where it stands (nothing in the base).
  virtual void EndAnimation() {}
  // Marks the control's cached drawing objects for rebuilding.
  virtual void Invalidate();
  // Draws the control. MouseX/MouseY: the last mouse position in the strip; ClipPolygons: areas the
  // drawing must leave out (neighbouring outlines).
  virtual void DrawTo(TGPGraphics* TargetCanvas, Integer MouseX, Integer MouseY,
                      const std::vector<TPolygon>& ClipPolygons) = 0;
  // The strip's OnGetControlPolygons set when a handler supplies one (its polygons without a brush
  // or pen get the defaults), else nullptr.
  virtual TStripTabPolygonsPtr InternalGetPolygons(TStripTabItemType ItemType, TGPBrush* DefaultBrush,
                                                   TGPPen* DefaultPen);
  virtual TStripTabPolygonsPtr GetPolygons() = 0;
  // One step of the movement towards the end rectangle; true for every step that ran.
  virtual bool AnimateMovement();
  // One step of the colour fade; true when something changed (false in the base).
  virtual bool AnimateStyle() { return false; }
  // The control rectangle as drawn: scrolled and mirrored by the strip.
  virtual TRect ControlRectScrolled();
  // True when a polygon of GetPolygons contains P (even-odd rule).
  virtual bool ContainsPoint(const TPoint& P);
  // Points (offsets from R's top left, or bottom left for toBottom) placed in the scrolled R.
  virtual TPolygon NewPolygon(const TRect& R, const TPolygon& Points, TTabOrientation Orientation);
  // Stores State and reports when forced or changed.
  virtual void SetDrawState(TDrawState State, Cardinal AnimationTimeMS, TTabStripEaseType EaseType,
                            bool Force);
  // Moves towards R over AnimationTimeMS with EaseType; the first position and ttNone jump.
  virtual void SetPosition(const TRect& R, Cardinal AnimationTimeMS, TTabStripEaseType EaseType);
  virtual void SetHeight(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType);
  virtual void SetWidth(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType);
  virtual void SetLeft(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType);
  virtual void SetTop(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType);

  // The control rectangle mirrored by the strip (unless FOverrideBidi).
  TRect GetBiDiControlRect();
  // P mirrored within GetBiDiControlRect in the mirrored layouts.
  TPolygon BidiPolygon(const TPolygon& P);
  // The strip's BidiScrollRect of R for a scrollable control, R otherwise.
  TRect ScrolledRect(const TRect& R);
  // The strip's BidiRect of R in the mirrored layouts, R otherwise.
  TRect BidiControlRect(const TRect& R);

  // State, for the strip and for tests.
  ITabStrip* TabStrip() const { return FTabStrip; }
  const TRect& ControlRect() const { return FControlRect; }
  const TRect& StartRect() const { return FStartRect; }
  const TRect& EndRect() const { return FEndRect; }
  TDrawState DrawState() const { return FDrawState; }
  TStripTabItemType ControlType() const { return FControlType; }
  bool PositionInitialised() const { return FPositionInitialised; }
  bool ScrollableControl() const { return FScrollableControl; }
  // Draws unscrolled (the dragged tab in its strip) or scrolled again.
  void SetScrollableControl(bool Value) { FScrollableControl = Value; }
  TTabStripEaseType EaseType() const { return FEaseType; }
  Cardinal AnimationTime() const { return FAnimationTime; }
  // A movement is running.
  bool Moving() const { return FStartTicks != 0 && FCurrentTickCount < FAnimationTime; }

 protected:
  // True in the mirrored layouts (bdRightToLeft, bdRightToLeftNoAlign).
  bool Mirrored();
  bool Designing();

  TRect FControlRect;
  ITabStrip* FTabStrip;
  TDrawState FDrawState = dsUnknown;
  TRect FStartRect;
  TRect FEndRect;
  Cardinal FStartTicks = 0;
  Cardinal FCurrentTickCount = 0;
  bool FPositionInitialised = false;
  bool FScrollableControl = false;
  bool FOverrideBidi = false;
  TTabStripEaseType FEaseType = ttNone;
  Cardinal FAnimationTime = 0;
  bool FInvalidated = false;
  TStripTabItemType FControlType = itTab;
};

// --- Style animation ---------------------------------------------------------------------------------

// The colours, alphas and font of a control at one moment.
struct TStripTabControlProperties {
  TColor FontColor = 0;
  Integer FontAlpha = 0;
  String FontName;
  Integer FontSize = 0;
  TTextRenderingHint TextRendoringMode = TextRenderingHintSystemDefault;
  TColor StartColor = 0;
  TColor StopColor = 0;
  TColor OutlineColor = 0;
  float OutlineSize = 0;
  Integer OutlineAlpha = 0;
  Integer StartAlpha = 0;
  Integer StopAlpha = 0;
};

// A fade from the values shown now to those of a style. Everything starts at zero, so a control
// that never had a draw state is fully transparent.
class TStripTabControlPropertyItems : public TObject {
 public:
  String ClassName() const override { return u"TStripTabControlPropertyItems"; }
  // Starts a fade towards Style with the font (DefaultFont when given, else StyleFont, else a font
  // with the initial values) over Duration. ttNone, or a duration of 0, shows the stop values at once.
  void SetProperties(TTabStripLookAndFeelStyle* Style, TTabStripLookAndFeelBaseFont* StyleFont,
                     TTabStripLookAndFeelBaseFont* DefaultFont, Cardinal Duration,
                     TTabStripEaseType EaseType);
  // One step of the fade (Force: straight to the stop values); false when none runs.
  bool TransformColors(bool Force);
  // Stops the fade where it stands.
  void EndAnimation() { FCurrentTickCount = FEndTickCount; }

  const TStripTabControlProperties& Current() const { return FCurrentTabProperties; }
  const TStripTabControlProperties& Start() const { return FStartTabProperties; }
  const TStripTabControlProperties& Stop() const { return FStopTabProperties; }
  bool Running() const { return FStartTickCount != 0 && FCurrentTickCount < FEndTickCount; }

 private:
  Cardinal FStartTickCount = 0;
  Cardinal FEndTickCount = 0;  // the duration
  Cardinal FCurrentTickCount = 0;
  TStripTabControlProperties FStartTabProperties;
  TStripTabControlProperties FStopTabProperties;
  TStripTabControlProperties FCurrentTabProperties;
  TTabStripEaseType FEaseType = ttNone;
};

// --- Buttons -----------------------------------------------------------------------------------------

// The base of the add button and the scroll buttons: a body and a symbol, each with its own fade.
class TBaseStripButtonControl : public TBaseTabStripControl {
 public:
  explicit TBaseStripButtonControl(ITabStrip* TabStrip);
  ~TBaseStripButtonControl() override;
  String ClassName() const override { return u"TBaseStripButtonControl"; }

  // Frees the four cached brushes and pens.
  void Invalidate() override;
  void DrawTo(TGPGraphics* TargetCanvas, Integer MouseX, Integer MouseY,
              const std::vector<TPolygon>& ClipPolygons) override;
  bool AnimateStyle() override;
  void SetDrawState(TDrawState State, Cardinal AnimationTimeMS, TTabStripEaseType EaseType,
                    bool Force) override;

  virtual TGPBrush* GetButtonBrush();
  virtual TGPPen* GetButtonPen();
  virtual TGPBrush* GetSymbolBrush();
  virtual TGPPen* GetSymbolPen();
  // Chooses the body and symbol styles of the current draw state.
  virtual void SetStylePropertyClasses() = 0;

  TStripTabControlPropertyItems* ButtonControlPropertyItems() const { return FButtonControlPropertyItems.get(); }
  TStripTabControlPropertyItems* SymbolControlPropertyItems() const { return FSymbolControlPropertyItems.get(); }
  TTabStripLookAndFeelStyle* ButtonStyle() const { return FButtonStyle; }
  TTabStripLookAndFeelStyle* SymbolStyle() const { return FSymbolStyle; }

 protected:
  std::unique_ptr<TGPBrush> FButtonBrush;
  std::unique_ptr<TGPPen> FButtonPen;
  std::unique_ptr<TGPBrush> FSymbolBrush;
  std::unique_ptr<TGPPen> FSymbolPen;
  std::unique_ptr<TStripTabControlPropertyItems> FButtonControlPropertyItems;
  std::unique_ptr<TStripTabControlPropertyItems> FSymbolControlPropertyItems;
  TTabStripLookAndFeelStyle* FButtonStyle = nullptr;
  TTabStripLookAndFeelStyle* FSymbolStyle = nullptr;
};

class TAddButtonControl : public TBaseStripButtonControl {
 public:
  // Starts with the normal styles of LookAndFeel.AddButton.
  explicit TAddButtonControl(ITabStrip* TabStrip);
  String ClassName() const override { return u"TAddButtonControl"; }
  TStripTabPolygonsPtr GetPolygons() override;
  void SetStylePropertyClasses() override;
};

class TScrollButtonControl : public TBaseStripButtonControl {
 public:
  explicit TScrollButtonControl(ITabStrip* TabStrip);
  String ClassName() const override { return u"TScrollButtonControl"; }
  TStripTabPolygonsPtr GetPolygons() override;
  void SetStylePropertyClasses() override;

 protected:
  // The arrow points left (the left button) or right.
  virtual bool PointsLeft() const = 0;
};

class TScrollButtonLeftControl : public TScrollButtonControl {
 public:
  explicit TScrollButtonLeftControl(ITabStrip* TabStrip);
  String ClassName() const override { return u"TScrollButtonLeftControl"; }

 protected:
  bool PointsLeft() const override { return true; }
};

class TScrollButtonRightControl : public TScrollButtonControl {
 public:
  explicit TScrollButtonRightControl(ITabStrip* TabStrip);
  String ClassName() const override { return u"TScrollButtonRightControl"; }

 protected:
  bool PointsLeft() const override { return false; }
};

// --- The tab control ---------------------------------------------------------------------------------

// Draws one tab: body, glows, text, outline, close button, images and spinner. The strip makes one
// per tab and hangs it on the tab, which frees it.
class TStripTabControl : public TBaseTabStripControl {
 public:
  TStripTabControl(ITabStrip* TabStrip, IStripTab* StripTab);
  ~TStripTabControl() override;
  String ClassName() const override { return u"TStripTabControl"; }

  void EndAnimation() override;
  void Invalidate() override;
  void DrawTo(TGPGraphics* TargetCanvas, Integer MouseX, Integer MouseY,
              const std::vector<TPolygon>& ClipPolygons) override;
  TStripTabPolygonsPtr GetPolygons() override;
  bool AnimateStyle() override;
  void SetDrawState(TDrawState State, Cardinal AnimationTimeMS, TTabStripEaseType EaseType,
                    bool Force) override;

  virtual void SetCloseButtonState(TDrawState Value);
  // One step of the modified glow; false (and the period forgotten) while the tab is not modified.
  virtual bool AnimateModified();
  // One step of the spinner; false when the tab shows none.
  virtual bool AnimateSpinner();

  IStripTab* StripTab() const { return FStripTab; }
  TDrawState CloseButtonState() const { return FCloseButtonState; }
  // htCloseButton, htTab or htBackground at a strip point.
  THitTestArea GetHitTestArea(Integer X, Integer Y);
  // The close button in unscrolled, unmirrored strip coordinates, and its cross.
  TRect GetCloseButonRect();
  TRect GetCloseButtonCrossRect();
  bool CloseButtonVisible();
  // The width the caption, image and close button need (cached per caption).
  Integer GetTabWidthByContent();
  // The content rectangles, scrolled and mirrored, and what of the content shows.
  void CalculateRects(TRect& ImageRect, TRect& TextRect, TRect& CloseButtonRect,
                      TRect& CloseButtonCrossRect, bool& NormalImageVisible, bool& OverlayImageVisible,
                      bool& SpinnerVisible, bool& TextVisible);

  TStripTabControlPropertyItems* PropertyItems() const { return FStripTabControlPropertyItems.get(); }
  TTabStripLookAndFeelStyleProperties* TabProperties() const { return FTabProperties; }
  Integer ModifiedPosition() const { return FModifiedPosition; }
  bool ModifiedMovingLeft() const { return FModifiedMovingLeft; }
  Cardinal ModifiedStartTicks() const { return FModifiedStartTicks; }
  Integer SpinnerImageIndex() const { return FSpinnerImageIndex; }
  Integer SpinnerRenderedDegrees() const { return FSpinnerRenderedDegrees; }

 protected:
  TGPBrush* GetTabBrush();
  TGPPen* GetTabPen();
  bool ImageVisible(TImageList* List, Integer Index);
  TImageList* GetSpinnerImageList();
  Integer TabIndex() { return FStripTab ? FStripTab->GetIndex() : -1; }
  void DrawGlow(TGPGraphics* Canvas, const TRect& R, TColor CentreColor, TColor OutsideColor,
                Byte CentreAlpha, Byte OutsideAlpha);
  void DrawTabImage(TGPGraphics* Canvas, TImageList* List, Integer Index, const TRect& R,
                    TStripTabItemType ItemType);
  void DrawSpinner(TGPGraphics* Canvas, const TRect& R);
  void DrawTabText(TGPGraphics* Canvas, const TRect& R);

 private:
  IStripTab* FStripTab;
  TDrawState FCloseButtonState = dsUnknown;
  std::unique_ptr<TStripTabControlPropertyItems> FStripTabControlPropertyItems;
  TTabStripLookAndFeelStyleProperties* FTabProperties = nullptr;
  std::unique_ptr<TGPBrush> FTabBrush;
  std::unique_ptr<TGPPen> FTabPen;
  Integer FModifiedPosition = 0;
  bool FModifiedMovingLeft = false;
  bool FPenInvalidated = false;
  bool FBrushInvalidated = false;
  bool FCloseButtonInvalidate = false;
  Cardinal FModifiedStartTicks = 0;
  String FLastCaption;
  Integer FLastCaptionLength = 0;
  Integer FSpinnerImageIndex = 0;
  Integer FSpinnerRenderedDegrees = 0;
};
