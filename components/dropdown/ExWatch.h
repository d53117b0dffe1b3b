// The analog clock: a face with tick marks, hour numbers, an AM/PM box, hands and a centre point.
// The user sets a time by clicking: the hour inside the face, the minute in the ring between the
// face and the control's edge, and the half of the day in the AM/PM box. In automatic mode it shows
// the current time (plus an offset) with a second hand instead. Hand moves can be animated; twelve
// built-in looks (Style) and the component colour styles (SetComponentStyle) preset its appearance.
//
// The time picker drop-down hosts one clock in its popup and hands it the popup's keys (HandleKey).
//
// The geometry needs no window: WatchFaceRect, WatchMinuteFromPoint and WatchHourFromPoint are free
// functions the control forwards to, and so are the two style tables, which work on a
// TWatchAppearance alone.
#pragma once

#include <memory>

#include "components/gridbase/ExStyleIF.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

class TTimer;

enum TAMPMFrame : Byte { apRect, apRoundRect };
// The direction of the face's two-colour fill. Only wgRadial differs from the rest: it is drawn as
// a horizontal gradient, every other value as a vertical one.
enum TWatchGradient : Byte { wgVertical, wgDiagonalForward, wgDiagonalBackward, wgRadial };
enum THourMarkStyle : Byte { hmsLine, hmsQuartDblLine };
// psShortLine and psLineArrow are kept but draw no hour or minute hand.
enum TPointerStyle : Byte { psLine, psPointer, psShortLine, psLineArrow };
enum TWatchShape : Byte { wsCircle, wsRect, wsRoundRect };
enum TTickMarks : Byte { tmAll, tmHours, tmQuartHours, tmNone };
enum TWatchStyle : Byte {
  wsClassic,
  wsTower,
  wsFluorescent,
  wsEmerald,
  wsBlueStar,
  wsFuchsia,
  wsBlack,
  wsBlackWhite,
  wsGray,
  wsSuperNova,
  wsSports,
  wsSmooth
};

// --- Settings --------------------------------------------------------------------------------------

// Automatic mode: show the current time, running. Every write stores on a change and fires OnChange.
class TWatchSettings : public TPersistent {
 public:
  TWatchSettings() = default;
  String ClassName() const override { return u"TWatchSettings"; }
  // From another TWatchSettings: Second and TimeOffset directly, then Auto through its write.
  void Assign(TPersistent* Source) override;

  bool Auto() const { return FAuto; }
  void SetAuto(bool Value);
  // The second hand (automatic mode only).
  bool Second() const { return FSeconds; }
  void SetSecond(bool Value);
  // Minutes added to the current time in automatic mode.
  Integer TimeOffset() const { return FTimeOffset; }
  void SetTimeOffset(Integer Value);

  TNotifyEvent OnChange;

 private:
  void Changed();
  bool FAuto = false;
  bool FSeconds = true;
  Integer FTimeOffset = 0;
};

// --- Appearance ------------------------------------------------------------------------------------

// The look of the clock. Every write stores on a change and fires OnChange, except the two AM/PM
// colours, which are plain stores; the font and picture writes copy.
class TWatchAppearance : public TPersistent {
 public:
  TWatchAppearance();
  ~TWatchAppearance() override;
  String ClassName() const override { return u"TWatchAppearance"; }
  // From another TWatchAppearance: every value, the fonts and the picture. Only the last three
  // values (CenterPointOuterBorderColor, TickMarks, HourMarkStyle) go through their writes, so a
  // copy fires OnChange only for those.
  void Assign(TPersistent* Source) override;
  // Puts every value back to its initial one, firing no OnChange (the built-in looks start here).
  void RestoreDefaults();

  TFont* AMPMFont() const { return FAMPMFont.get(); }
  void SetAMPMFont(const TFont* Value);
  TColor AMPMBorderColor() const { return FAMPMBorderColor; }
  void SetAMPMBorderColor(TColor Value) { FAMPMBorderColor = Value; }
  TColor AMPMColor() const { return FAMPMColor; }
  void SetAMPMColor(TColor Value) { FAMPMColor = Value; }
  TAMPMFrame AMPMFrame() const { return FAMPMFrame; }
  void SetAMPMFrame(TAMPMFrame Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value);
  TColor BackgroundColorTo() const { return FBackgroundColorTo; }
  void SetBackgroundColorTo(TColor Value);
  TWatchGradient BackgroundGradient() const { return FBackgroundGradient; }
  void SetBackgroundGradient(TWatchGradient Value);
  TColor CenterPointBorderColor() const { return FCenterPointBorderColor; }
  void SetCenterPointBorderColor(TColor Value);
  TColor CenterPointOuterBorderColor() const { return FCenterPointOuterBorderColor; }
  void SetCenterPointOuterBorderColor(TColor Value);
  TColor CenterPointColor() const { return FCenterPointColor; }
  void SetCenterPointColor(TColor Value);
  Byte CenterPointSize() const { return FCenterPointSize; }
  void SetCenterPointSize(Byte Value);
  TFont* HourFont() const { return FHourFont.get(); }
  void SetHourFont(const TFont* Value);
  TColor HourColor() const { return FHourColor; }
  void SetHourColor(TColor Value);
  Byte HourMarkLength() const { return FHourMarkLength; }
  void SetHourMarkLength(Byte Value);
  Byte HourMarkWidth() const { return FHourMarkWidth; }
  void SetHourMarkWidth(Byte Value);
  THourMarkStyle HourMarkStyle() const { return FHourMarkStyle; }
  void SetHourMarkStyle(THourMarkStyle Value);
  TColor HourPointer() const { return FHourPointer; }
  void SetHourPointer(TColor Value);
  TColor HourPointerShadow() const { return FHourPointerShadow; }
  void SetHourPointerShadow(TColor Value);
  Byte HourPointerSize() const { return FHourPointerSize; }
  void SetHourPointerSize(Byte Value);
  TColor MinuteColor() const { return FMinuteColor; }
  void SetMinuteColor(TColor Value);
  TColor MinutePointer() const { return FMinutePointer; }
  void SetMinutePointer(TColor Value);
  TColor MinutePointerShadow() const { return FMinutePointerShadow; }
  void SetMinutePointerShadow(TColor Value);
  Byte MinutePointerSize() const { return FMinutePointerSize; }
  void SetMinutePointerSize(Byte Value);
  Byte MinuteMarkLength() const { return FMinuteMarkLength; }
  void SetMinuteMarkLength(Byte Value);
  Byte MinuteMarkWidth() const { return FMinuteMarkWidth; }
  void SetMinuteMarkWidth(Byte Value);
  // Drawn stretched over the whole control; its own changes fire OnChange.
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  TPointerStyle PointerStyle() const { return FPointerStyle; }
  void SetPointerStyle(TPointerStyle Value);
  TColor SecondPointer() const { return FSecondPointer; }
  void SetSecondPointer(TColor Value);
  Byte SecondPointerSize() const { return FSecondPointerSize; }
  void SetSecondPointerSize(Byte Value);
  TWatchShape Shape() const { return FShape; }
  void SetShape(TWatchShape Value);
  // The face's side; 0 or less: the smaller side of the control less 20.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  TTickMarks TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMarks Value);

  TNotifyEvent OnChange;

 private:
  void Changed();
  template <typename T>
  void Store(T& Field, T Value);
  void CopyFrom(const TWatchAppearance& S);

  std::unique_ptr<TFont> FAMPMFont;
  std::unique_ptr<TFont> FHourFont;
  std::unique_ptr<TPicture> FPicture;
  TColor FAMPMBorderColor = clBlack;
  TColor FAMPMColor = clWhite;
  TAMPMFrame FAMPMFrame = apRect;
  TColor FBorderColor = clBlack;
  Integer FBorderWidth = 4;
  TColor FBackgroundColor = clWhite;
  TColor FBackgroundColorTo = clNone;
  TWatchGradient FBackgroundGradient = wgVertical;
  TColor FCenterPointBorderColor = clNone;
  TColor FCenterPointOuterBorderColor = clNone;
  TColor FCenterPointColor = clBlack;
  Byte FCenterPointSize = 4;
  TColor FHourColor = clBlack;
  Byte FHourMarkLength = 0;
  Byte FHourMarkWidth = 1;
  THourMarkStyle FHourMarkStyle = hmsLine;
  TColor FHourPointer = clBlack;
  TColor FHourPointerShadow = clBtnShadow;
  Byte FHourPointerSize = 4;
  TColor FMinuteColor = 0x808080;
  TColor FMinutePointer = clBlack;
  TColor FMinutePointerShadow = clBtnShadow;
  Byte FMinutePointerSize = 3;
  Byte FMinuteMarkLength = 0;
  Byte FMinuteMarkWidth = 1;
  TPointerStyle FPointerStyle = psLine;
  TColor FSecondPointer = 0x0000FF;
  Byte FSecondPointerSize = 1;
  TWatchShape FShape = wsCircle;
  Integer FSize = 0;
  TTickMarks FTickMarks = tmAll;
};

// --- Geometry and style tables (no window needed) ---------------------------------------------------

// The face: a centred square in a client area of W x H. Its side is min(Size, W, H) when Size > 0,
// else min(W, H) - 20.
TRect WatchFaceRect(Integer W, Integer H, Integer Size);
// The centre of a face rectangle.
TPoint WatchCenter(const TRect& Face);
// The minute (0..59) a point points at, seen from the centre C: 0 at 12 o'clock, clockwise.
Integer WatchMinuteFromPoint(TPoint C, Integer X, Integer Y);
// The hour a point in the face points at, in the half of the day AM tells (0..23).
Integer WatchHourFromPoint(TPoint C, Integer X, Integer Y, bool AM);
// True when (X, Y) lies inside the ellipse inscribed in R.
bool PointInEllipse(const TRect& R, Integer X, Integer Y);

// Applies a built-in look to an appearance: the defaults first, then the look's values. W and H are
// the clock's size (two looks scale their marks with it). The clock's own ShowAMPM, ShowNumbers and
// animation settings are applied by TExWatch::SetStyle.
void ApplyWatchStyleAppearance(TWatchAppearance* A, TWatchStyle Style, Integer W, Integer H);
// Applies the colours of a component colour style to an appearance.
void ApplyWatchComponentStyle(TWatchAppearance* A, TNorvStyle Style);

// --- The clock -------------------------------------------------------------------------------------

class TExWatch : public TCustomControl {
 public:
  explicit TExWatch(TComponent* AOwner);
  ~TExWatch() override;
  String ClassName() const override { return u"TExWatch"; }

  bool Animation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  // Each animation step covers 1/AnimationFactor of the remaining distance; kept at 1 or more.
  Integer AnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(Integer Value);
  TWatchAppearance* Appearance() const { return FAppearance.get(); }
  void SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
  TWatchSettings* Settings() const { return FSettings.get(); }
  void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }
  // The set time (only the time of day counts). The write fires no OnChange.
  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool ShowAMPM() const { return FShowAMPM; }
  void SetShowAMPM(bool Value);
  bool ShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value);
  TWatchStyle Style() const { return FStyle; }
  void SetStyle(TWatchStyle Value);
  // True while the time is before noon.
  bool AM() const { return FAM; }

  // Set the hour (0..23; others are ignored) or the minute (0..59; 60 or more raises "Invalid
  // time"), animated when Animation is on. Both fire OnChange once the value is reached.
  void SetHour(Byte Value);
  void SetMinute(Byte Value);
  // Gives the appearance the colours of a component colour style.
  virtual void SetComponentStyle(TNorvStyle AStyle);
  // The keys of the time picker's popup (virtual-key codes): A, P, PageUp, PageDown, Home, End,
  // Left, Right. Nothing in automatic mode.
  void HandleKey(Word Key);

  // Geometry of the control as it is now.
  TRect GetFaceRect() const;
  TPoint GetCenter() const;
  Integer GetFaceRadius() const;
  // The AM/PM box; (-1, -1, -1, -1) when ShowAMPM is off.
  TRect GetAMPMRect();
  // The time shown: the set time, or in automatic mode the current time plus TimeOffset.
  TDateTime GetDisplayTime() const;
  Integer MinuteFromPoint(Integer X, Integer Y) const;
  Integer HourFromPoint(Integer X, Integer Y) const;

  // True while a hand animation runs.
  bool Animating() const;
  // The timers, for tests and for a host that pumps them.
  TTimer* WatchTimer() const { return FWatchTimer; }
  TTimer* AnimationTimer() const { return FAnimationTimer; }

  // Repaints only the hands over a copy of the cached face.
  void PaintHands();
  // Repaints the whole clock.
  void PaintWatch();

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMGetDlgCode(TMessage& M) override;

  void DrawBackground(TCanvas* C);
  void DrawTickMarks(TCanvas* C);
  void DrawNumbers(TCanvas* C);
  void DrawAMPM(TCanvas* C);
  void DrawHands(TCanvas* C);
  // Changes the AM flag; with the rolling animation unless FInternalSet is set.
  void SetAM(bool Value);
  // Stores the time and sets the AM flag from it, without the rolling animation.
  void SetTimeValue(TDateTime Value);
  void AnimationTick(TObject* Sender);
  void WatchTick(TObject* Sender);
  void SettingsChanged(TObject* Sender);
  void AppearanceChanged(TObject* Sender);
  bool Immediate() const;
  void DoChange();

  std::unique_ptr<TWatchAppearance> FAppearance;
  std::unique_ptr<TWatchSettings> FSettings;
  TDateTime FTime = 0;
  TBitmap FBKGCache;
  TTimer* FWatchTimer = nullptr;
  bool FAnimation = true;
  Integer FAnimationFactor = 10;
  TTimer* FAnimationTimer = nullptr;
  Byte FCurrentHourTo = 0;
  Byte FCurrentMinuteTo = 0;
  Byte FMinuteFrom = 0;
  bool FHourAnimating = false;
  bool FInternalCall = false;
  // Set while an animation tick makes its step, so that only the step reaching the target reports.
  bool FAnimationStep = false;
  bool FAM = true;
  bool FShowAMPM = true;
  bool FShowNumbers = true;
  bool FInternalSet = false;
  TWatchStyle FStyle = wsClassic;
};
