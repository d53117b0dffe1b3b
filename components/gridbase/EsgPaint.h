// Painting shared by the editor controls that draw over a stock widget (the combo box, the unit
// edit) or frame themselves (the combo box and the date-time picker).
#pragma once

#include <memory>

#include "platform/gui/Controls.h"

// The surface a control's window device context draws on. A stock widget of this platform
// (edit, combo box) paints itself; what the control draws over it (its own frame, its drop-down
// button, a unit text) goes to the widget's overlay (TWinControl::OverlayCanvas), which the
// screen shows over the widget. A control without an overlay draws into an image of its own that
// is not shown.
class TEsgWindowImage {
 public:
  // The canvas over an image of the control's width and height (pixels kept where the size did
  // not change), with no clipping and the origin at the window's top-left corner.
  TCanvas* Canvas(TControl* Control);
  // The image as last painted (empty before the first paint).
  TBitmap* Image();

 private:
  TWinControl* FOverlayOf = nullptr;  // the control whose overlay the canvas draws on
  TBitmap FImage;
};

// The colour of the frame a disabled themed control gets without its disabled border
// (red 127, green 157, blue 185).
constexpr TColor EsgDisabledFrameColor = 12164479;

// What the control border of the flat combo box and the flat date-time picker depends on.
struct TEsgBorderState {
  bool Enabled = true;
  bool IsThemed = false;
  bool DisabledBorder = true;
  bool HasFocus = false;
  bool ShowsFocusBorder = false;
  TColor BorderColor = clNone;
  TColor FocusBorderColor = clNone;
  TColor Color = clWindow;        // the control's own colour (the inner frame)
  TColor ParentColor = clBtnFace;  // the parent's brush colour (the outer frame)
  Integer ButtonWidth = 0;
};

// Draws the control border in F (the window rectangle at 0, 0): the blue-grey frame of a disabled
// themed control, the border colour, the focus border colour while focused, or else the double
// frame (with a sunken edge while the focus border shows). Returns the rectangle inside the
// double frame (F itself for the one-colour frames), which the flat underline starts from.
TRect PaintEsgControlBorder(TCanvas* C, TRect F, const TEsgBorderState& S);

// The combo-box states of the visual theme's drop-down button: 4 disabled, 3 pressed while the
// list is down, 1 pressed or not hovered or dropped down, else 2 (hot).
Integer EsgComboButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool ButtonHover);

// Whether the left or the right mouse button is down at this moment.
bool EsgMouseButtonDown();

// The custom colours of an editor's button (the combo box's and the date pickers' drop-down
// button, the spin buttons): plain stores, clNone at first, read by the button painting. The
// controls that have them inherit them.
class TEsgButtonColors {
 public:
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { FButtonColor = Value; }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

 protected:
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};

// The look of a date picker's drop-down button.
struct TEsgDropButtonLook {
  TColor Color = clNone;  // clNone: the theme's combo button, or else the classic one
  TColor ColorHot = clNone;
  TColor ColorDown = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
  TColor TextColorDown = clNone;
  bool Hover = false;
  bool Themed = false;
  bool Enabled = true;
  bool DroppedDown = false;
};

// Paints the drop-down button in B of the window Wnd: the look's own colours with a line on its left
// and a small arrow when it has a colour, else the theme's combo button when themed, else the classic
// scroll-combo frame control.
void PaintEsgDropButton(TCanvas* C, HWND Wnd, const TRect& B, const TEsgDropButtonLook& L);
