// The flat date-time picker: the date-time picker with a frame and drop-down button of its own in
// a flat "metro" look, border and focus-border colours and custom button colours. The string grid
// derives its date and time in-place editor from it.
#pragma once

#include "components/gridbase/DateTimePicker.h"

class TEsgDateTimePicker : public TDateTimePicker {
 public:
  explicit TEsgDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TEsgDateTimePicker"; }

  // The component's version, 1.0.0.0; writing it changes nothing.
  String Version() const;
  void SetVersion(const String& Value);
  Integer GetVersionNr() const { return 0x01000000; }

  // The own border style (bsNone after construction).
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) override;
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }

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

  // State the painting reads.
  Integer ButtonWidth() const { return FButtonWidth; }
  bool HasFocus() const { return FHasFocus; }
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& M) override;

  // The own frame: the control border and, unless themed, the button border (metro look only).
  void PaintFrame();

 protected:
  void WMPaint(TMessage& M) override;
  void WMNCPaint(TMessage& M);
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void PaintFlatBorder();
  void PaintButtonBorder(TCanvas* C);
  void PaintDropButton(TCanvas* C);
  // The frame conditions tested again after every frame painting of the library.
  void PaintFrameAfterNC();
  bool ThemesInUse() const;
  bool MetroActive() const;
  bool IsHotOrActive() const;
  bool ShowsFocusBorder() const;

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = clNone;
  bool FIsThemed = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
  Integer FButtonWidth = 0;
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP = false;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FHasFocus = false;
  bool FFocusBorder = false;
};
