// The flat date-time pickers: the date-time picker with a frame and drop-down button of its own in
// a flat "metro" look, border colours and custom button colours.
//
// TFlatDateTimePicker holds what the two flat pickers have alike: this library's TEsgDateTimePicker
// (the string grid derives its date and time in-place editor from it) and the drop-down library's
// TCustomDateTimePicker (components/dropdown/ExDateTimePicker.h): the border style, border colour
// and flat look with their repaints, the button colours, the focus and mouse tracking that
// repaints the own frame, the border lines, the button's border and the flat drop button. Each
// picker paints its own frame (PaintFrame) and decides when the flat button and lines are drawn.
#pragma once

#include "components/gridbase/EsgPaint.h"
#include "platform/gui/ComCtrls.h"

class TFlatDateTimePicker : public TDateTimePicker, public TEsgButtonColors {
 public:
  // The own border style; a change repaints.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) override;
  // The frame colour; a change repaints.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  // The flat look with the own frame and drop button; a change repaints.
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);

  // State the painting reads.
  Integer ButtonWidth() const { return FButtonWidth; }
  bool HasFocus() const { return FHasFocus; }
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }

  // The own frame, drawn on focus and mouse changes and after painting.
  virtual void PaintFrame() = 0;

 protected:
  // The drop-button width (a vertical scroll bar's and 2), the theme and system flags, double
  // buffering, the 3-D look not taken from the parent.
  explicit TFlatDateTimePicker(TComponent* AOwner);
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  // The mouse over the drop-button area (Width - button width < X < Width); a change repaints.
  void TrackButtonHover(Integer X);
  // The mouse is over the picker or it is the active control (at design time: it is enabled).
  bool HotOrActive() const;
  // The border lines: the parent's colour for bsNone with a parent, the blue-grey of a themed
  // picker, else BorderColor; with Inner and a parent the inner lines too (bsSingle: in the
  // parent's colour).
  void PaintBorderLines(bool Inner);
  // The button's border: a raised edge while hot or active (flat while dropped down), else the
  // button face; the area is then kept from further drawing.
  void PaintButtonBorder(TCanvas* C);
  // Wipes the platform's button area with the picker's colour: from ThemedInset pixels left of the
  // button area with a theme, else the area inside a 2- and 4-pixel margin.
  void WipePlatformButton(TCanvas* C, bool Themed, Integer ThemedInset);
  // The own drop button in the flat look (Themed: the theme's combo button when no button colour
  // is set); the button strip is then kept from further drawing.
  void PaintDropButton(TCanvas* C, bool Themed);

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = clNone;
  bool FIsThemed = false;
  Integer FButtonWidth = 0;
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP = false;
  bool FMetroStyle = false;
  bool FHasFocus = false;
};

class TEsgDateTimePicker : public TFlatDateTimePicker {
 public:
  explicit TEsgDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TEsgDateTimePicker"; }

  // The component's version, 1.0.0.0; writing it changes nothing.
  String Version() const;
  void SetVersion(const String& Value);
  Integer GetVersionNr() const { return 0x01000000; }

  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& M) override;

  // The own frame: the control border and, unless themed, the button border (metro look only).
  void PaintFrame() override;

 protected:
  void WMPaint(TMessage& M) override;
  void WMNCPaint(TMessage& M);
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void PaintFlatBorder();
  // The frame conditions tested again after every frame painting of the library.
  void PaintFrameAfterNC();
  bool ThemesInUse() const;
  bool MetroActive() const;
  bool ShowsFocusBorder() const;

  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FFocusBorder = false;
};
