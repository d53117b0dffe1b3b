// The grid's windowless push button: glyph states, a flat look with hot tracking, gradients,
// rounded corners, a checked style, a drop-down part and colour sets that follow the desktop's
// colour scheme. The string grid's search panel uses four of them.
#pragma once

#include <memory>

#include "components/gridbase/ExGridTypes.h"  // TExGridButtonStyle
#include "platform/gui/Buttons.h"  // TButtonState
#include "platform/gui/Controls.h"
#include "platform/gui/Menus.h"

// The push button of the component library names its glyph places alike (blGlyphLeft, ...), so
// the grid button's stand in a namespace of their own and a source may include both buttons.
namespace ExGridButton {
// Where the glyph sits beside the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
}  // namespace ExGridButton

// The library's notification of a theme change.
constexpr UINT WM_THEMECHANGED = 0x031A;
// The component library's own "look changed" message.
constexpr UINT CM_GRIDLOOKCHANGED = 0xB035;

// Fills R with a gradient from FromColor to ToColor in Steps bands (0 counts as 1), left to right
// when Horizontal, else top to bottom; then frames R in FrameColor unless it is clNone.
void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                        const TRect& R, Integer Steps, TColor FrameColor);

class TExGridButton : public TGraphicControl {
 public:
  explicit TExGridButton(TComponent* AOwner);
  ~TExGridButton() override;
  String ClassName() const override { return u"TExGridButton"; }

  void Loaded() override;
  void Click() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool AutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor BorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor BorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value);
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // The glyphs; the setters copy the bitmap (nullptr empties it).
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphHot() const { return FGlyphHot.get(); }
  void SetGlyphHot(TBitmap* Value);
  TBitmap* GlyphDown() const { return FGlyphDown.get(); }
  void SetGlyphDown(TBitmap* Value);
  TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
  void SetGlyphDisabled(TBitmap* Value);
  // The grey shadow made from the glyph, drawn under a hot glyph.
  TBitmap* GlyphShade() const { return FGlyphShade.get(); }
  ExGridButton::TButtonLayout Layout() const { return FLayout; }
  void SetLayout(ExGridButton::TButtonLayout Value);
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer Value);
  bool Rounded() const { return FRounded; }
  void SetRounded(bool Value);
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  Integer Spacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TExGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TExGridButtonStyle Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  // The last colour set chosen (0..6); other values change nothing.
  Integer Look() const { return FLook; }
  void SetLook(Integer Value);

  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  TNotifyEvent OnDropDown;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void WMLButtonDblClk(TMessage& M) override;

  // Follows the desktop's colour scheme with one of the colour sets.
  void ThemeAdapt();
  // Tells the other buttons of the parent that this one's group state changed.
  void UpdateExclusive();
  // Re-checks whether the mouse is over the button (flat, enabled buttons only).
  void UpdateTracking();
  void CreateShadeGlyph();

 protected:
  std::unique_ptr<TControlActionLink> CreateActionLink() override;

 private:
  bool Hot() const;
  void ButtonPressed(Integer Group, TExGridButton* Sender);
  // Lays out glyph and caption in R; returns the caption's rectangle.
  TRect CalcButtonLayout(TCanvas* Canvas, const TRect& R, const TPoint& Offset, TPoint& GlyphPos);
  void DrawGlyph(TCanvas* Canvas, const TPoint& GlyphPos, bool HasCaption);
  void DrawCaption(TCanvas* Canvas, const TRect& TextBounds, TButtonState State);
  void DrawButtonContent(TCanvas* Canvas, const TRect& R, const TPoint& Offset, TButtonState State);
  // The face of a checked button: a gradient to ColorCheckedTo framed with FramePen, else a plain
  // fill (PlainFill) or a rectangle outlined in FramePen (the face colour when it is clNone).
  void DrawCheckedFace(TCanvas* Canvas, const TRect& R, TColor FramePen, bool PlainFill);

  bool FIsComCtl6 = false;
  Integer FGroupIndex = 0;
  std::unique_ptr<TBitmap> FGlyph;
  bool FDown = false;
  bool FDragging = false;
  bool FAllowAllUp = false;
  ExGridButton::TButtonLayout FLayout = ExGridButton::blGlyphLeft;
  Integer FSpacing = 4;
  bool FTransparent = false;
  Integer FMargin = -1;
  bool FFlat = true;
  bool FMouseInControl = false;
  TColor FColorTo = clNone;
  TColor FColorHot = 0xCAC7C7;
  TColor FColorHotTo = clNone;
  TColor FColorDown = 0xD8D3D2;
  TColor FColorDownTo = clNone;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  std::unique_ptr<TBitmap> FGlyphDisabled;
  std::unique_ptr<TBitmap> FGlyphHot;
  std::unique_ptr<TBitmap> FGlyphDown;
  std::unique_ptr<TBitmap> FGlyphShade;
  bool FShaded = true;
  TColor FColorChecked = clGray;
  TColor FColorCheckedTo = clNone;
  TExGridButtonStyle FStyle = tasButton;
  Integer FLook = 0;
  bool FRounded = false;
  bool FDropDownButton = false;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FShowCaption = true;
  TButtonState FState = bsUp;
};

// The grid button's link to its action: besides the caption, the action's checked state writes
// Down while the button belongs to a group, allows all up and shows that state, and the action's
// group index writes GroupIndex while the two are equal.
class TExGridButtonActionLink : public TControlActionLink {
 public:
  explicit TExGridButtonActionLink(TExGridButton* AClient) : TControlActionLink(AClient), FButton(AClient) {}

  bool IsCheckedLinked() const override;
  bool IsGroupIndexLinked() const override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(Integer Value) override;

 private:
  TExGridButton* FButton;
};

// The accelerator character of a caption (the character after a single "&"), lower case; 0 when
// it has none.
Char CaptionAccelerator(const String& Caption);
