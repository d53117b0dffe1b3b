#include "components/dropdown/ExWatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ExUtil.h"  // RoundInt
#include "platform/gui/ExtCtrls.h"
#include "platform/os/Clock.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// Rows of an ellipse inscribed in R, as a clip region.
TRegion EllipseRegion(const TRect& R) {
  TRegion Rgn;
  const double cx = (R.Left + R.Right) / 2.0, cy = (R.Top + R.Bottom) / 2.0;
  const double rx = R.Width() / 2.0, ry = R.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return Rgn;
  for (Integer y = R.Top; y < R.Bottom; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    if (std::fabs(dy) >= 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    const Integer x1 = RoundInt(cx - half), x2 = RoundInt(cx + half);
    if (x2 > x1) Rgn.Union(Rect(x1, y, x2, y + 1));
  }
  return Rgn;
}

// Rows of a rectangle with rounded corners (quarter ellipses of Corner x Corner), as a clip region.
TRegion RoundRectRegion(const TRect& R, Integer Corner) {
  TRegion Rgn;
  const double r = Corner / 2.0;
  for (Integer y = R.Top; y < R.Bottom; ++y) {
    double inset = 0;
    const double yc = y + 0.5;
    double dy = 0;
    if (yc < R.Top + r) dy = R.Top + r - yc;
    else if (yc > R.Bottom - r) dy = yc - (R.Bottom - r);
    if (dy > 0) inset = r - std::sqrt(std::max(0.0, r * r - dy * dy));
    const Integer x1 = RoundInt(R.Left + inset), x2 = RoundInt(R.Right - inset);
    if (x2 > x1) Rgn.Union(Rect(x1, y, x2, y + 1));
  }
  return Rgn;
}

// A canvas without a surface: it only measures text.
TCanvas& MeasureCanvas() {
  static TCanvas C;
  return C;
}

void SetFontFace(TFont* F, const String& Name, Integer Size, TFontStyles Style) {
  F->SetName(Name);
  if (Size > 0) F->SetSize(Size);
  F->SetStyle(Style);
}

}  // namespace

// --- TWatchSettings --------------------------------------------------------------------------------

void TWatchSettings::Changed() {
  if (OnChange) OnChange(this);
}

void TWatchSettings::SetAuto(bool Value) {
  if (FAuto == Value) return;
  FAuto = Value;
  Changed();
}

void TWatchSettings::SetSecond(bool Value) {
  if (FSeconds == Value) return;
  FSeconds = Value;
  Changed();
}

void TWatchSettings::SetTimeOffset(Integer Value) {
  if (FTimeOffset == Value) return;
  FTimeOffset = Value;
  Changed();
}

void TWatchSettings::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TWatchSettings*>(Source)) {
    FSeconds = S->FSeconds;
    FTimeOffset = S->FTimeOffset;
    SetAuto(S->FAuto);
    return;
  }
  TPersistent::Assign(Source);
}

// --- TWatchAppearance ------------------------------------------------------------------------------

TWatchAppearance::TWatchAppearance()
    : FAMPMFont(std::make_unique<TFont>()),
      FHourFont(std::make_unique<TFont>()),
      FPicture(std::make_unique<TPicture>()) {
  FAMPMFont->SetSize(10);
  FHourFont->SetSize(8);
  FPicture->OnChange = [this](TObject*) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() { FPicture->OnChange = nullptr; }

void TWatchAppearance::Changed() {
  if (OnChange) OnChange(this);
}

template <typename T>
void TWatchAppearance::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TWatchAppearance::RestoreDefaults() {
  const TWatchAppearance Defaults;
  auto Saved = std::move(OnChange);
  OnChange = nullptr;
  CopyFrom(Defaults);
  FCenterPointOuterBorderColor = Defaults.FCenterPointOuterBorderColor;
  FTickMarks = Defaults.FTickMarks;
  FHourMarkStyle = Defaults.FHourMarkStyle;
  FPicture->Assign(nullptr);
  OnChange = std::move(Saved);
  Changed();
}

void TWatchAppearance::CopyFrom(const TWatchAppearance& S) {
  FAMPMFont->Assign(S.FAMPMFont.get());
  FHourFont->Assign(S.FHourFont.get());
  FAMPMBorderColor = S.FAMPMBorderColor;
  FAMPMColor = S.FAMPMColor;
  FAMPMFrame = S.FAMPMFrame;
  FBorderColor = S.FBorderColor;
  FBorderWidth = S.FBorderWidth;
  FBackgroundColor = S.FBackgroundColor;
  FBackgroundColorTo = S.FBackgroundColorTo;
  FBackgroundGradient = S.FBackgroundGradient;
  FCenterPointBorderColor = S.FCenterPointBorderColor;
  FCenterPointColor = S.FCenterPointColor;
  FCenterPointSize = S.FCenterPointSize;
  FHourColor = S.FHourColor;
  FHourMarkLength = S.FHourMarkLength;
  FHourMarkWidth = S.FHourMarkWidth;
  FHourPointer = S.FHourPointer;
  FHourPointerShadow = S.FHourPointerShadow;
  FHourPointerSize = S.FHourPointerSize;
  FMinuteColor = S.FMinuteColor;
  FMinutePointer = S.FMinutePointer;
  FMinutePointerShadow = S.FMinutePointerShadow;
  FMinutePointerSize = S.FMinutePointerSize;
  FMinuteMarkLength = S.FMinuteMarkLength;
  FMinuteMarkWidth = S.FMinuteMarkWidth;
  FPointerStyle = S.FPointerStyle;
  FSecondPointer = S.FSecondPointer;
  FSecondPointerSize = S.FSecondPointerSize;
  FShape = S.FShape;
  FSize = S.FSize;
}

void TWatchAppearance::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TWatchAppearance*>(Source)) {
    if (S == this) return;
    CopyFrom(*S);
    if (S->FPicture->Graphic()) FPicture->Assign(S->FPicture.get());
    else if (FPicture->Graphic()) FPicture->Assign(nullptr);
    SetCenterPointOuterBorderColor(S->FCenterPointOuterBorderColor);
    SetTickMarks(S->FTickMarks);
    SetHourMarkStyle(S->FHourMarkStyle);
    return;
  }
  TPersistent::Assign(Source);
}

void TWatchAppearance::SetAMPMFont(const TFont* Value) {
  FAMPMFont->Assign(Value);
  Changed();
}
void TWatchAppearance::SetHourFont(const TFont* Value) {
  FHourFont->Assign(Value);
  Changed();
}
void TWatchAppearance::SetPicture(TPicture* Value) { FPicture->Assign(Value); }
void TWatchAppearance::SetAMPMFrame(TAMPMFrame Value) { Store(FAMPMFrame, Value); }
void TWatchAppearance::SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
void TWatchAppearance::SetBorderWidth(Integer Value) { Store(FBorderWidth, Value); }
void TWatchAppearance::SetBackgroundColor(TColor Value) { Store(FBackgroundColor, Value); }
void TWatchAppearance::SetBackgroundColorTo(TColor Value) { Store(FBackgroundColorTo, Value); }
void TWatchAppearance::SetBackgroundGradient(TWatchGradient Value) {
  Store(FBackgroundGradient, Value);
}
void TWatchAppearance::SetCenterPointBorderColor(TColor Value) {
  Store(FCenterPointBorderColor, Value);
}
void TWatchAppearance::SetCenterPointOuterBorderColor(TColor Value) {
  Store(FCenterPointOuterBorderColor, Value);
}
void TWatchAppearance::SetCenterPointColor(TColor Value) { Store(FCenterPointColor, Value); }
void TWatchAppearance::SetCenterPointSize(Byte Value) { Store(FCenterPointSize, Value); }
void TWatchAppearance::SetHourColor(TColor Value) { Store(FHourColor, Value); }
void TWatchAppearance::SetHourMarkLength(Byte Value) { Store(FHourMarkLength, Value); }
void TWatchAppearance::SetHourMarkWidth(Byte Value) { Store(FHourMarkWidth, Value); }
void TWatchAppearance::SetHourMarkStyle(THourMarkStyle Value) { Store(FHourMarkStyle, Value); }
void TWatchAppearance::SetHourPointer(TColor Value) { Store(FHourPointer, Value); }
void TWatchAppearance::SetHourPointerShadow(TColor Value) { Store(FHourPointerShadow, Value); }
void TWatchAppearance::SetHourPointerSize(Byte Value) { Store(FHourPointerSize, Value); }
void TWatchAppearance::SetMinuteColor(TColor Value) { Store(FMinuteColor, Value); }
void TWatchAppearance::SetMinutePointer(TColor Value) { Store(FMinutePointer, Value); }
void TWatchAppearance::SetMinutePointerShadow(TColor Value) { Store(FMinutePointerShadow, Value); }
void TWatchAppearance::SetMinutePointerSize(Byte Value) { Store(FMinutePointerSize, Value); }
void TWatchAppearance::SetMinuteMarkLength(Byte Value) { Store(FMinuteMarkLength, Value); }
void TWatchAppearance::SetMinuteMarkWidth(Byte Value) { Store(FMinuteMarkWidth, Value); }
void TWatchAppearance::SetPointerStyle(TPointerStyle Value) { Store(FPointerStyle, Value); }
void TWatchAppearance::SetSecondPointer(TColor Value) { Store(FSecondPointer, Value); }
void TWatchAppearance::SetSecondPointerSize(Byte Value) { Store(FSecondPointerSize, Value); }
void TWatchAppearance::SetShape(TWatchShape Value) { Store(FShape, Value); }
void TWatchAppearance::SetSize(Integer Value) { Store(FSize, Value); }
void TWatchAppearance::SetTickMarks(TTickMarks Value) { Store(FTickMarks, Value); }

// --- Geometry --------------------------------------------------------------------------------------

TRect WatchFaceRect(Integer W, Integer H, Integer Size) {
  const Integer Side = Size > 0 ? std::min({Size, W, H}) : std::min(W, H) - 20;
  const Integer L = (W - Side) / 2, T = (H - Side) / 2;
  return Rect(L, T, L + Side, T + Side);
}

TPoint WatchCenter(const TRect& Face) {
  return TPoint(Face.Left + (Face.Right - Face.Left) / 2, Face.Top + (Face.Bottom - Face.Top) / 2);
}

Integer WatchMinuteFromPoint(TPoint C, Integer X, Integer Y) {
  Integer dx = std::abs(C.X - X), dy = std::abs(C.Y - Y);
  if (dx == 0) dx = 1;
  if (dy == 0) dy = 1;
  const Integer f = RoundInt(std::atan(static_cast<double>(dy) / dx) / kDegToRad / 6.0);
  Integer Result;
  if (X >= C.X && Y >= C.Y) Result = f + 15;
  else if (X <= C.X && Y >= C.Y) Result = 45 - f;
  else if (X <= C.X && Y <= C.Y) Result = f + 45;
  else Result = 15 - f;
  if (Result < 0 || Result > 59) Result = 0;
  return Result;
}

Integer WatchHourFromPoint(TPoint C, Integer X, Integer Y, bool AM) {
  const Integer c = RoundInt(WatchMinuteFromPoint(C, X, Y) / 5.0);
  if (c == 0 || c == 12) return AM ? 0 : 12;
  return AM ? c : c + 12;
}

bool PointInEllipse(const TRect& R, Integer X, Integer Y) {
  const double rx = R.Width() / 2.0, ry = R.Height() / 2.0;
  if (rx <= 0 || ry <= 0) return false;
  const double nx = (X + 0.5 - (R.Left + rx)) / rx, ny = (Y + 0.5 - (R.Top + ry)) / ry;
  return nx * nx + ny * ny <= 1.0;
}

// --- Style tables ----------------------------------------------------------------------------------

namespace {

// "Hand": the hour hand's colour with the standard shadow and the thick pen.
void SetHand(TWatchAppearance* A, TColor Color) {
  A->SetHourPointer(Color);
  A->SetHourPointerShadow(clBtnShadow);
  A->SetHourPointerSize(5);
}

// What wsSports and wsSmooth share.
void SetSportsSmoothPart(TWatchAppearance* A) {
  A->SetHourColor(0xABB0B1);
  A->HourFont()->SetColor(0x797979);
  SetFontFace(A->HourFont(), u"Times New Roman", 9, A->HourFont()->Style());
  A->SetHourPointerSize(2);
  A->SetMinutePointerSize(2);
  A->SetMinuteColor(0x808080);
  A->SetMinuteMarkLength(1);
  A->SetTickMarks(tmQuartHours);
}

}  // namespace

void ApplyWatchStyleAppearance(TWatchAppearance* A, TWatchStyle Style, Integer W, Integer H) {
  A->RestoreDefaults();
  const TFontStyles Regular;
  const TFontStyles Bold{fsBold};
  TFont* AF = A->AMPMFont();
  TFont* HF = A->HourFont();
  const Integer Side = std::min(W, H);
  switch (Style) {
    case wsClassic:
      SetFontFace(AF, u"MS Sans Serif", 0, Regular);
      SetFontFace(HF, u"Comic Sans MS", 10, Bold);
      A->SetHourMarkLength(8);
      SetHand(A, 0);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetMinuteMarkLength(4);
      break;
    case wsTower:
      SetFontFace(AF, u"MS Sans Serif", 0, Regular);
      A->SetAMPMFrame(apRect);
      A->SetBorderWidth(1);
      A->SetBackgroundColor(0xB1F0FE);
      A->SetBackgroundColorTo(0x5BCCE8);
      A->SetBackgroundGradient(wgDiagonalForward);
      A->SetCenterPointColor(0x002BD5);
      A->SetCenterPointSize(6);
      HF->SetColor(clWindowText);
      SetFontFace(HF, u"Century", 0, Bold);
      SetHand(A, 0);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetSecondPointer(0x002BD5);
      A->SetShape(wsRect);
      A->SetPointerStyle(psPointer);
      A->SetAMPMColor(A->BackgroundColor());
      A->SetTickMarks(tmHours);
      break;
    case wsFluorescent:
    case wsFuchsia: {
      const bool Fluo = Style == wsFluorescent;
      const TColor Main = Fluo ? 0xFF3E3E : 0xFFD0FF;
      AF->SetColor(clWindowText);
      SetFontFace(AF, u"MS Sans Serif", 10, Regular);
      A->SetAMPMFrame(apRoundRect);
      A->SetBorderColor(Main);
      A->SetBackgroundColor(0);
      A->SetBackgroundColorTo(0);
      if (Fluo) {
        A->SetCenterPointColor(0xFF3E3E);
        A->SetCenterPointBorderColor(0);
      } else {
        A->SetCenterPointBorderColor(0xDD68DD);
      }
      A->SetCenterPointSize(20);
      HF->SetColor(clWindowText);
      SetFontFace(HF, u"MS Sans Serif", 8, Regular);
      A->SetHourColor(Main);
      A->SetHourPointer(Main);
      A->SetMinuteColor(Main);
      A->SetMinutePointer(Main);
      A->SetHourPointerShadow(clBtnShadow);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetHourPointerSize(2);
      A->SetMinutePointerSize(2);
      A->SetHourMarkLength(10);
      A->SetHourMarkWidth(2);
      A->SetHourMarkStyle(hmsQuartDblLine);
      A->SetShape(Fluo ? wsRoundRect : wsRect);
      A->SetCenterPointOuterBorderColor(0);
      if (!Fluo) A->SetSecondPointer(0xDD68DD);
      A->SetTickMarks(Fluo ? tmHours : tmQuartHours);
      break;
    }
    case wsEmerald:
      AF->SetColor(0xA00000);
      SetFontFace(AF, u"MS Sans Serif", 0, Regular);
      A->SetAMPMFrame(apRoundRect);
      A->SetBorderColor(0x3AE800);
      A->SetBackgroundColor(0x3AE800);
      A->SetBackgroundColorTo(0);
      A->SetBackgroundGradient(wgDiagonalForward);
      A->SetCenterPointBorderColor(0x40FF00);
      A->SetCenterPointColor(0x38E100);
      A->SetCenterPointSize(16);
      SetFontFace(HF, u"MS Sans Serif", 0, Regular);
      HF->SetColor(A->BackgroundColor());
      SetHand(A, 0x40FF00);
      A->SetMinutePointer(0x40FF00);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetShape(wsRect);
      A->SetPointerStyle(psPointer);
      A->SetAMPMColor(clNone);
      A->SetCenterPointOuterBorderColor(0);
      A->SetHourMarkStyle(hmsQuartDblLine);
      A->SetHourColor(A->BackgroundColor());
      A->SetSecondPointer(0x00FFFF);
      A->SetTickMarks(tmHours);
      break;
    case wsBlueStar:
      AF->SetColor(0xA00000);
      SetFontFace(AF, u"MS Sans Serif", 10, Regular);
      A->SetAMPMBorderColor(clNone);
      A->SetAMPMFrame(apRoundRect);
      A->SetBorderColor(0xFFD5D5);
      A->SetBackgroundColor(0xFFD5D5);
      A->SetBackgroundColorTo(0xA00000);
      A->SetBackgroundGradient(wgRadial);
      SetFontFace(HF, u"MS Sans Serif", 8, Regular);
      HF->SetColor(A->BackgroundColor());
      SetHand(A, 0xA00000);
      A->SetMinutePointer(0xA00000);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetShape(wsRoundRect);
      A->SetPointerStyle(psPointer);
      A->SetAMPMColor(clNone);
      break;
    case wsBlack:
      SetFontFace(AF, u"MS Sans Serif", 0, Regular);
      A->SetBackgroundColor(0x202020);
      A->SetBackgroundColorTo(clNone);
      A->SetBorderColor(0);
      A->SetCenterPointBorderColor(0xFFFFFF);
      A->SetCenterPointOuterBorderColor(0xFFFFFF);
      A->SetCenterPointColor(0xFFFFFF);
      A->SetHourColor(0x585858);
      HF->SetColor(0xFFFFFF);
      SetFontFace(HF, u"Century Gothic", 11, HF->Style());
      SetHand(A, 0xFFFFFF);
      A->SetMinuteColor(0x585858);
      A->SetMinutePointer(0xFFFFFF);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetMinuteMarkLength(4);
      break;
    case wsBlackWhite:
      A->SetBackgroundColor(0xFFFFFF);
      A->SetBackgroundColorTo(clNone);
      A->SetBorderColor(0);
      A->SetBorderWidth(8);
      A->SetCenterPointBorderColor(0);
      A->SetCenterPointOuterBorderColor(0);
      A->SetCenterPointColor(0);
      A->SetCenterPointSize(8);
      A->SetHourColor(0x585858);
      HF->SetColor(0);
      SetFontFace(HF, u"Century Gothic", 14, Bold);
      SetHand(A, 0);
      A->SetMinutePointer(0);
      A->SetMinutePointerShadow(clBtnShadow);
      A->SetMinuteMarkLength(4);
      A->SetSecondPointer(0x000080);
      A->SetPointerStyle(psPointer);
      A->SetTickMarks(tmQuartHours);
      break;
    case wsGray:
      SetFontFace(AF, u"MS Sans Serif", 10, Regular);
      A->SetBackgroundColor(0xD1D1D1);
      A->SetBackgroundColorTo(0x6C6C6C);
      A->SetBackgroundGradient(wgRadial);
      A->SetBorderColor(0x454545);
      A->SetCenterPointBorderColor(0x454545);
      A->SetCenterPointColor(0);
      A->SetCenterPointOuterBorderColor(clNone);
      A->SetHourColor(0);
      SetFontFace(HF, u"Comic Sans MS", 8, Regular);
      A->SetHourPointer(0x4E4E4E);
      A->SetMinutePointer(0x4E4E4E);
      A->SetHourPointerShadow(clNone);
      A->SetMinutePointerShadow(clNone);
      A->SetHourPointerSize(1);
      A->SetMinutePointerSize(1);
      A->SetMinuteColor(0x808080);
      A->SetSecondPointer(0x0000FF);
      break;
    case wsSuperNova:
      A->SetBackgroundColorTo(0xD1D3D3);
      A->SetBorderColor(clNone);
      A->SetCenterPointOuterBorderColor(0);
      A->SetCenterPointSize(10);
      A->SetHourMarkLength(static_cast<Byte>(RoundInt(Side / 4.5)));
      A->SetHourPointer(0);
      A->SetHourPointerShadow(clBtnShadow);
      A->SetMinuteColor(0x808080);
      A->SetMinuteMarkLength(static_cast<Byte>(Side / 3));
      A->SetMinutePointer(0);
      break;
    case wsSports:
      A->SetBackgroundColor(0);
      A->SetBackgroundColorTo(clNone);
      A->SetBorderColor(0);
      A->SetBorderWidth(1);
      A->SetCenterPointBorderColor(0xFF0000);
      A->SetCenterPointOuterBorderColor(0);
      A->SetCenterPointColor(0x191919);
      A->SetCenterPointSize(static_cast<Byte>(RoundInt(Side / 3.6)));
      SetSportsSmoothPart(A);
      A->SetHourPointer(0x0000FF);
      A->SetHourPointerShadow(clNone);
      A->SetMinutePointerShadow(clNone);
      A->SetMinutePointer(0x00FFFF);
      A->SetSecondPointer(0x188BFE);
      break;
    case wsSmooth:
      A->SetBackgroundColor(0xFFFFFF);
      A->SetBackgroundColorTo(0xABB0B1);
      A->SetBorderColor(0x585858);
      A->SetBorderWidth(1);
      A->SetCenterPointBorderColor(0);
      A->SetCenterPointOuterBorderColor(0x4A4A4A);
      A->SetCenterPointColor(0xFFFFFF);
      A->SetCenterPointSize(6);
      SetSportsSmoothPart(A);
      A->SetHourPointer(0x4A4A4A);
      A->SetHourPointerShadow(0xB2B2B2);
      A->SetMinutePointerShadow(0xB2B2B2);
      A->SetMinutePointer(0x4A4A4A);
      A->SetSecondPointer(0x4A4A4A);
      break;
  }
}

namespace {

struct TWatchStyleColors {
  TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterBorder, Center, Marks, Shadows,
      Second;
};

// The colour table by TNorvStyle ordinal; the tsCustom row is never used.
const TWatchStyleColors kWatchColors[16] = {
    // tsOffice2003Blue
    {0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
    // tsOffice2003Silver
    {0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    // tsOffice2003Olive
    {0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    // tsOffice2003Classic
    {0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    // tsOffice2007Luna
    {0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
    // tsOffice2007Obsidian
    {0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
    // tsWindowsXP
    {0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
    // tsWhidbey
    {0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    // tsCustom
    {},
    // tsOffice2007Silver
    {0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
    // tsWindowsVista
    {0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
    // tsWindows7
    {0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    // tsTerminal
    {0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    // tsOffice2010Blue
    {0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
    // tsOffice2010Silver
    {0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    // tsOffice2010Black
    {0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
};

}  // namespace

void ApplyWatchComponentStyle(TWatchAppearance* A, TNorvStyle Style) {
  A->SetCenterPointOuterBorderColor(0);
  A->HourFont()->SetColor(0);
  A->AMPMFont()->SetColor(0);
  if (Style == tsCustom || static_cast<Integer>(Style) > 15) return;
  const TWatchStyleColors& C = kWatchColors[Style];
  A->SetAMPMBorderColor(C.AMPMBorder);
  A->SetAMPMColor(C.AMPM);
  A->SetBackgroundColor(C.Background);
  A->SetBackgroundColorTo(C.BackgroundTo);
  A->SetBorderColor(C.Border);
  A->SetCenterPointBorderColor(C.CenterBorder);
  A->SetCenterPointColor(C.Center);
  A->SetHourColor(C.Marks);
  A->SetMinuteColor(C.Marks);
  A->SetHourPointer(C.Marks);
  A->SetMinutePointer(C.Marks);
  A->SetHourPointerShadow(C.Shadows);
  A->SetMinutePointerShadow(C.Shadows);
  A->SetSecondPointer(C.Second);
  if (Style == tsOffice2007Obsidian) {
    A->AMPMFont()->SetColor(0xF2F1F0);
    A->HourFont()->SetColor(0xF2F1F0);
  }
}

// --- TExWatch --------------------------------------------------------------------------------------

TExWatch::TExWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()) {
  FAppearance->OnChange = [this](TObject* S) { AppearanceChanged(S); };
  FSettings->OnChange = [this](TObject* S) { SettingsChanged(S); };
  FWatchTimer = new TTimer(nullptr);
  FWatchTimer->SetInterval(100);
  FWatchTimer->SetEnabled(FSettings->Auto());
  FWatchTimer->OnTimer = [this](TObject* S) { WatchTick(S); };
  FAnimationTimer = new TTimer(nullptr);
  FAnimationTimer->SetInterval(1);
  FAnimationTimer->SetEnabled(false);
  FAnimationTimer->OnTimer = [this](TObject* S) { AnimationTick(S); };
  SetBounds(Left(), Top(), 180, 180);
  FBKGCache.SetSize(180, 180);
}

TExWatch::~TExWatch() {
  TComponent::Free(FAnimationTimer);
  FAnimationTimer = nullptr;
  FAppearance->OnChange = nullptr;
  FSettings->OnChange = nullptr;
  TComponent::Free(FWatchTimer);
  FWatchTimer = nullptr;
}

void TExWatch::SetAnimationFactor(Integer Value) { FAnimationFactor = std::max(1, Value); }

void TExWatch::SetShowAMPM(bool Value) {
  if (FShowAMPM == Value) return;
  FShowAMPM = Value;
  Invalidate();
}

void TExWatch::SetShowNumbers(bool Value) {
  if (FShowNumbers == Value) return;
  FShowNumbers = Value;
  Invalidate();
}

void TExWatch::SetStyle(TWatchStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  ApplyWatchStyleAppearance(FAppearance.get(), Value, Width(), Height());
  switch (Value) {
    case wsClassic:
      FAnimation = true;
      FAnimationFactor = 10;
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsTower:
      SetShowNumbers(false);
      break;
    case wsBlueStar:
    case wsGray:
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsBlack:
    case wsBlackWhite:
    case wsSports:
    case wsSmooth:
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    default:  // wsFluorescent, wsEmerald, wsFuchsia, wsSuperNova
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
  }
}

void TExWatch::SetComponentStyle(TNorvStyle AStyle) {
  ApplyWatchComponentStyle(FAppearance.get(), AStyle);
  Invalidate();
}

TRect TExWatch::GetFaceRect() const {
  return WatchFaceRect(ClientWidth(), ClientHeight(), FAppearance->Size());
}

TPoint TExWatch::GetCenter() const { return WatchCenter(GetFaceRect()); }

Integer TExWatch::GetFaceRadius() const { return GetFaceRect().Width() / 2; }

TRect TExWatch::GetAMPMRect() {
  if (!FShowAMPM) return Rect(-1, -1, -1, -1);
  TCanvas& M = MeasureCanvas();
  M.Font()->Assign(FAppearance->AMPMFont());
  const TSize S = M.TextExtent(u"AM");
  const TPoint C = GetCenter();
  const Integer R = GetFaceRadius();
  const Integer L = C.X - (S.cx + 8) / 2;
  const Integer T = C.Y + RoundInt((R - S.cy) / 3.0);
  return Rect(L, T, L + S.cx + 8, T + S.cy);
}

TDateTime TExWatch::GetDisplayTime() const {
  if (FSettings->Auto()) return Now() + FSettings->TimeOffset() / 1440.0;
  return FTime;
}

Integer TExWatch::MinuteFromPoint(Integer X, Integer Y) const {
  return WatchMinuteFromPoint(GetCenter(), X, Y);
}

Integer TExWatch::HourFromPoint(Integer X, Integer Y) const {
  return WatchHourFromPoint(GetCenter(), X, Y, FAM);
}

bool TExWatch::Animating() const { return FAnimationTimer && FAnimationTimer->Enabled(); }

bool TExWatch::Immediate() const {
  return !FAnimation || FInternalCall || HasState(csLoading) || HasState(csDesigning);
}

void TExWatch::DoChange() {
  if (OnChange) OnChange(this);
}

void TExWatch::SetTime(TDateTime Value) {
  if (Value == FTime) return;
  SetTimeValue(Value);
  PaintHands();
}

void TExWatch::SetTimeValue(TDateTime Value) {
  if (Value == FTime) return;
  FTime = Value;
  Word H, M, S, MS;
  DecodeTime(Value, H, M, S, MS);
  const bool Saved = FInternalSet;
  FInternalSet = true;
  SetAM(H < 12);
  FInternalSet = Saved;
}

void TExWatch::SetHour(Byte Value) {
  if (Value > 23) return;
  Word H, M, S, MS;
  DecodeTime(GetDisplayTime(), H, M, S, MS);
  if (Value == H) return;
  if (Immediate()) {
    // A request of its own (not a step of a running animation) is its own target, so that it is
    // reported like an animated one that arrives.
    if (!FAnimationStep) FCurrentHourTo = Value;
    SetTimeValue(EncodeTime(Value, M, S, MS));
    PaintHands();
    if (Value == FCurrentHourTo) DoChange();
    return;
  }
  FCurrentHourTo = Value;
  FHourAnimating = true;
  FAnimationTimer->SetEnabled(true);
}

void TExWatch::SetMinute(Byte Value) {
  if (Value >= 60) throw Exception(u"Invalid time");
  Word H, M, S, MS;
  DecodeTime(GetDisplayTime(), H, M, S, MS);
  if (Value == M) return;
  if (FAnimation && !FInternalCall && !HasState(csLoading) && !HasState(csDesigning)) {
    FCurrentMinuteTo = Value;
    FHourAnimating = false;
    FMinuteFrom = static_cast<Byte>(M);
    FAnimationTimer->SetEnabled(true);
    return;
  }
  if (!FAnimation) FMinuteFrom = static_cast<Byte>(M);
  if (!FAnimationStep) FCurrentMinuteTo = Value;
  // A hand passing 12 clockwise carries into the next hour.
  if (Value == 0 && FMinuteFrom > 30) {
    H = static_cast<Word>((H + 1) % 24);
    FMinuteFrom = 0;
  }
  SetTimeValue(EncodeTime(H, Value, S, MS));
  PaintHands();
  if (Value == FCurrentMinuteTo) DoChange();
}

void TExWatch::AnimationTick(TObject*) {
  if (!FAnimation || HasState(csLoading) || HasState(csDesigning)) return;
  Word H, M, S, MS;
  DecodeTime(GetDisplayTime(), H, M, S, MS);
  const double Factor = std::max(1, FAnimationFactor);
  const bool SavedCall = FInternalCall, SavedStep = FAnimationStep;
  FInternalCall = true;
  FAnimationStep = true;
  try {
    if (FHourAnimating) {
      const Integer Target = FCurrentHourTo;
      if (H == Target) {
        FAnimationTimer->SetEnabled(false);
      } else {
        const Integer Step = std::max<Integer>(1, RoundInt(std::abs(Target - H) / Factor));
        const Integer Next = H < Target ? std::min<Integer>(H + Step, Target)
                                        : std::max<Integer>(H - Step, Target);
        if (Next == Target) FAnimationTimer->SetEnabled(false);
        SetHour(static_cast<Byte>(Next));
      }
    } else {
      const Integer Target = FCurrentMinuteTo;
      if (M == Target) {
        FAnimationTimer->SetEnabled(false);
      } else {
        const bool PassTwelve = Target == 0 && M > 30;
        Integer Step = PassTwelve ? RoundInt((60 - M) / Factor) : RoundInt(std::abs(Target - M) / Factor);
        Step = std::max<Integer>(1, Step);
        Integer Next = (M < Target || PassTwelve) ? M + Step : M - Step;
        if (Next >= 60) Next = 0;
        if (Next == Target) FAnimationTimer->SetEnabled(false);
        SetMinute(static_cast<Byte>(Next));
      }
    }
  } catch (...) {
    FInternalCall = SavedCall;
    FAnimationStep = SavedStep;
    throw;
  }
  FInternalCall = SavedCall;
  FAnimationStep = SavedStep;
}

void TExWatch::WatchTick(TObject*) { PaintHands(); }

void TExWatch::SettingsChanged(TObject*) {
  FWatchTimer->SetEnabled(FSettings->Auto());
  if (FSettings->Auto()) SetTime(Now());
  Invalidate();
}

void TExWatch::AppearanceChanged(TObject*) { Invalidate(); }

void TExWatch::HandleKey(Word Key) {
  if (FSettings->Auto()) return;
  Word H, M, S, MS;
  DecodeTime(GetDisplayTime(), H, M, S, MS);
  auto Internal = [this](Byte Hour) {
    const bool Saved = FInternalCall;
    FInternalCall = true;
    try {
      SetHour(Hour);
    } catch (...) {
      FInternalCall = Saved;
      throw;
    }
    FInternalCall = Saved;
  };
  switch (Key) {
    case 'A':
      if (H > 11) SetHour(static_cast<Byte>(H - 12));
      break;
    case 'P':
      if (H < 12) SetHour(static_cast<Byte>(H + 12));
      break;
    case VK_PRIOR:
      if (H == 23) Internal(0);
      else SetHour(static_cast<Byte>(H + 1));
      break;
    case VK_NEXT:
      if (H == 0) Internal(23);
      else SetHour(static_cast<Byte>(H - 1));
      break;
    case VK_HOME:
      Internal(12);
      break;
    case VK_END:
      SetMinute(0);
      break;
    case VK_LEFT:
      if (M == 0) SetTime(EncodeTime(static_cast<Word>(H == 0 ? 23 : H - 1), 59, S, MS));
      else SetMinute(static_cast<Byte>(M - 1));
      break;
    case VK_RIGHT:
      if (M == 59) SetMinute(0);
      else SetMinute(static_cast<Byte>(M + 1));
      break;
    default:
      break;
  }
}

// --- Mouse and messages ----------------------------------------------------------------------------

void TExWatch::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (HasState(csDesigning)) return;
  SetCursor(FShowAMPM && PtInRect(GetAMPMRect(), TPoint(X, Y)) ? crHandPoint : crDefault);
}

void TExWatch::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FSettings->Auto()) return;
  if (!PointInEllipse(GetFaceRect(), X, Y)) {
    SetMinute(static_cast<Byte>(MinuteFromPoint(X, Y)));
    return;
  }
  if (FShowAMPM && PtInRect(GetAMPMRect(), TPoint(X, Y))) {
    if (FAnimation) SetAM(!FAM);
    Word H, M, S, MS;
    DecodeTime(GetDisplayTime(), H, M, S, MS);
    const bool Saved = FInternalCall;
    FInternalCall = true;
    FCurrentHourTo = static_cast<Byte>(H < 12 ? H + 12 : H - 12);
    try {
      SetHour(FCurrentHourTo);
    } catch (...) {
      FInternalCall = Saved;
      throw;
    }
    FInternalCall = Saved;
    return;
  }
  SetHour(static_cast<Byte>(HourFromPoint(X, Y)));
}

void TExWatch::WMGetDlgCode(TMessage& M) {
  M.Result = TabStop() ? (DLGC_WANTARROWS | DLGC_WANTALLKEYS) : 0;
}

// --- Painting --------------------------------------------------------------------------------------

void TExWatch::PaintWatch() { Repaint(); }

void TExWatch::Paint() {
  TCanvas* C = Canvas();
  const Integer W = ClientWidth(), H = ClientHeight();
  if (W <= 0 || H <= 0) return;
  const TRect All = Rect(0, 0, W, H);
  FBKGCache.SetSize(W, H);
  TCanvas* K = FBKGCache.Canvas();
  K->CopyRect(All, C, All);
  DrawBackground(K);
  DrawTickMarks(K);
  DrawNumbers(K);
  DrawAMPM(K);
  C->CopyRect(All, K, All);
  DrawHands(C);
}

void TExWatch::PaintHands() {
  const Integer W = ClientWidth(), H = ClientHeight();
  if (W <= 0 || H <= 0) return;
  // Without a cache of the current size the whole clock paints anew.
  if (NeedsPaint() || FBKGCache.Width() != W || FBKGCache.Height() != H) {
    Invalidate();
    return;
  }
  const TRect All = Rect(0, 0, W, H);
  TBitmap Frame;
  Frame.SetSize(W, H);
  Frame.Canvas()->CopyRect(All, FBKGCache.Canvas(), All);
  DrawHands(Frame.Canvas());
  Canvas()->CopyRect(All, Frame.Canvas(), All);
}

void TExWatch::SetAM(bool Value) {
  if (FAM == Value) return;
  FAM = Value;
  TWatchAppearance* A = FAppearance.get();
  const Integer W = ClientWidth(), H = ClientHeight();
  if (FAnimation && FShowAMPM && A->AMPMColor() != clNone && !FInternalSet && W > 0 && H > 0 &&
      FBKGCache.Width() == W && FBKGCache.Height() == H) {
    // The rolling box: a strip with "AM" above "PM" slides one pixel per step through the box.
    const TRect Box = GetAMPMRect();
    TRect Inner = Box;
    InflateRect(Inner, -1, -1);
    const Integer IW = Inner.Width(), IH = Inner.Height();
    if (IW > 0 && IH > 0) {
      TBitmap Strip;
      Strip.SetSize(IW, 2 * IH);
      TCanvas* SC = Strip.Canvas();
      SC->Brush()->SetColor(A->AMPMColor());
      SC->FillRect(Rect(0, 0, IW, 2 * IH));
      SC->Font()->Assign(A->AMPMFont());
      SC->Brush()->SetStyle(bsClear);
      TRect Upper = Rect(0, 0, IW, IH), Lower = Rect(0, IH, IW, 2 * IH);
      DrawText(SC, u"AM", Upper, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      DrawText(SC, u"PM", Lower, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      Integer Offset = Value ? IH : 0;  // start on the half being left
      const Integer Dir = Value ? -1 : 1;
      const TRect All = Rect(0, 0, W, H);
      for (Integer Step = 0; Step < IH; ++Step) {
        TBitmap Frame;
        Frame.SetSize(W, H);
        TCanvas* F = Frame.Canvas();
        F->CopyRect(All, FBKGCache.Canvas(), All);
        F->CopyRect(Inner, SC, Rect(0, Offset, IW, Offset + IH));
        F->Brush()->SetStyle(bsClear);
        F->Pen()->SetColor(A->AMPMBorderColor());
        F->Pen()->SetStyle(A->AMPMBorderColor() == clNone ? psClear : psSolid);
        F->Pen()->SetWidth(1);
        if (A->AMPMFrame() == apRoundRect) F->RoundRect(Box, 5, 5);
        else F->Rectangle(Box);
        DrawHands(F);
        Canvas()->CopyRect(All, F, All);
        Update();
        Offset += Dir;
        Sleep(10);
      }
    }
  }
  PaintWatch();
}

void TExWatch::DrawBackground(TCanvas* C) {
  TWatchAppearance* A = FAppearance.get();
  const TRect CR = Rect(0, 0, ClientWidth(), ClientHeight());
  const TRect F = GetFaceRect();
  const TRect Area = A->Shape() == wsCircle ? F : CR;
  if (A->Shape() == wsCircle) {
    const TRegion Rgn = EllipseRegion(Rect(F.Left - 1, F.Top - 1, F.Right + 2, F.Bottom + 2));
    C->SelectClipRgn(&Rgn);
  } else if (A->Shape() == wsRoundRect) {
    const TRegion Rgn = RoundRectRegion(Rect(CR.Left - 1, CR.Top - 1, CR.Right + 2, CR.Bottom + 2), 20);
    C->SelectClipRgn(&Rgn);
  }
  if (A->BackgroundColor() != clNone && A->BackgroundColorTo() != clNone) {
    DrawGradient(C, A->BackgroundColor(), A->BackgroundColorTo(), 80, Area,
                 A->BackgroundGradient() == wgRadial);
  } else if (A->BackgroundColor() != clNone) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(A->BackgroundColor());
    C->FillRect(Area);
  }
  if (A->BorderColor() != clNone && A->BorderWidth() > 0) {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(A->BorderColor());
    C->Pen()->SetWidth(A->BorderWidth());
    C->Brush()->SetStyle(bsClear);
    if (A->Shape() == wsCircle) C->Ellipse(F);
    else if (A->Shape() == wsRect) C->Rectangle(CR);
    else C->RoundRect(CR, 20, 20);
  }
  C->SelectClipRgn(nullptr);
  C->Pen()->SetWidth(1);
  TGraphic* G = A->Picture()->Graphic();
  if (G && !G->Empty()) {
    // Drawn through a bitmap whose bottom-left colour is transparent.
    TBitmap B;
    B.SetSize(G->Width(), G->Height());
    B.Canvas()->StretchDraw(Rect(0, 0, G->Width(), G->Height()), G);
    B.SetTransparentMode(tmAuto);
    B.SetTransparent(true);
    C->StretchDraw(CR, &B);
  }
}

void TExWatch::DrawTickMarks(TCanvas* C) {
  TWatchAppearance* A = FAppearance.get();
  const TTickMarks TM = A->TickMarks();
  if (TM == tmNone) return;
  const TPoint Ctr = GetCenter();
  const Integer R = GetFaceRadius();
  const double O = R - A->BorderWidth() / 2;
  // Angles here count clockwise from 3 o'clock.
  auto At = [&](double Deg, double Radius, Integer DX, Integer DY) {
    return TPoint(RoundInt(Ctr.X + std::cos(Deg * kDegToRad) * Radius) + DX,
                  RoundInt(Ctr.Y + std::sin(Deg * kDegToRad) * Radius) + DY);
  };
  auto Line = [&](double Deg, double Inner, Integer DX, Integer DY) {
    const TPoint P1 = At(Deg, Inner, DX, DY), P2 = At(Deg, O, DX, DY);
    C->MoveTo(P1.X, P1.Y);
    C->LineTo(P2.X, P2.Y);
  };
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetColor(A->HourColor());
  C->Pen()->SetWidth(A->HourMarkWidth());
  const double HourInner = A->HourMarkLength() ? O - A->HourMarkLength() : 0.9 * O;
  for (Integer Deg = 0; Deg < 360; Deg += 90) {
    if (A->HourMarkStyle() == hmsQuartDblLine) {
      const bool Horizontal = Deg == 0 || Deg == 180;  // 3 and 9 o'clock
      Line(Deg, HourInner, Horizontal ? 0 : -2, Horizontal ? -2 : 0);
      Line(Deg, HourInner, Horizontal ? 0 : 2, Horizontal ? 2 : 0);
    } else {
      Line(Deg, HourInner, 0, 0);
    }
  }
  if (TM == tmAll || TM == tmHours) {
    for (Integer Deg = 30; Deg < 360; Deg += 30)
      if (Deg % 90 != 0) Line(Deg, HourInner, 0, 0);
  }
  if (TM == tmAll) {
    C->Pen()->SetColor(A->MinuteColor());
    C->Pen()->SetWidth(A->MinuteMarkWidth());
    const double MinuteInner = A->MinuteMarkLength() ? O - A->MinuteMarkLength() : 0.95 * O;
    for (Integer Deg = 0; Deg < 360; Deg += 6)
      if (Deg % 30 != 0) Line(Deg, MinuteInner, 0, 0);
  }
  C->Pen()->SetWidth(1);
}

void TExWatch::DrawNumbers(TCanvas* C) {
  TWatchAppearance* A = FAppearance.get();
  const TTickMarks TM = A->TickMarks();
  if (!FShowNumbers || TM == tmNone || TM == tmHours) return;
  const TPoint Ctr = GetCenter();
  const Integer O = GetFaceRadius() - A->BorderWidth() / 2;
  const Integer L = A->HourMarkLength() ? A->HourMarkLength() : RoundInt(O - 0.9 * O) + 2;
  const Integer Base = O - 2 * L - 2;
  C->Font()->Assign(A->HourFont());
  C->Brush()->SetStyle(bsClear);
  for (Integer N = 1; N <= 12; ++N) {
    if (TM == tmQuartHours && N % 3 != 0) continue;
    const String Text = IntToStr(N);
    const TSize S = C->TextExtent(Text);
    const Integer D = N == 10 ? RoundInt(0.2 * S.cy) : N == 11 ? RoundInt(0.15 * S.cy) : 0;
    const double Radius = Base - D + L / 2;
    const double Deg = N * 30.0 * kDegToRad;
    const Integer PX = RoundInt(std::sin(Deg) * Radius) + Ctr.X + 1;
    const Integer PY = Ctr.Y - RoundInt(std::cos(Deg) * Radius) + 1;
    C->TextOut(PX - S.cx / 2 - 1, PY - S.cy / 2 - 1, Text);
  }
}

void TExWatch::DrawAMPM(TCanvas* C) {
  if (!FShowAMPM) return;
  TWatchAppearance* A = FAppearance.get();
  TRect Box = GetAMPMRect();
  if (A->AMPMColor() != clNone || A->AMPMBorderColor() != clNone) {
    if (A->AMPMColor() != clNone) {
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(A->AMPMColor());
    } else {
      C->Brush()->SetStyle(bsClear);
    }
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(A->AMPMBorderColor());
    C->Pen()->SetStyle(A->AMPMBorderColor() == clNone ? psClear : psSolid);
    if (A->AMPMFrame() == apRoundRect) C->RoundRect(Box, 5, 5);
    else C->Rectangle(Box);
    C->Pen()->SetStyle(psSolid);
  }
  C->Font()->Assign(A->AMPMFont());
  C->Brush()->SetStyle(bsClear);
  DrawText(C, FAM ? u"AM" : u"PM", Box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TExWatch::DrawHands(TCanvas* C) {
  TWatchAppearance* A = FAppearance.get();
  const bool Auto = FSettings->Auto();
  Word H, M, S, MS;
  DecodeTime(GetDisplayTime(), H, M, S, MS);
  if (Auto && FAM != (H < 12)) {
    // The AM flag follows the running time without the rolling box; the box shows it at the next
    // full paint.
    FAM = H < 12;
    Invalidate();
  }
  const TPoint Ctr = GetCenter();
  const double R = GetFaceRadius();
  const double ThH = ((H % 12) * 30.0 + M / 12.0 * 6.0) * kDegToRad;
  const double ThM = M * 6.0 * kDegToRad;
  const double ThS = S * 6.0 * kDegToRad;
  // A point at K radii along the hand at angle Th (clockwise from 12 o'clock).
  auto At = [&](double K, double Th, Integer DX = 0, Integer DY = 0) {
    return TPoint(RoundInt(Ctr.X + K * R * std::sin(Th)) + DX,
                  RoundInt(Ctr.Y - K * R * std::cos(Th)) + DY);
  };
  auto Line = [&](TColor Color, Integer Width, double K0, double K1, double Th, Integer DX,
                  Integer DY) {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
    const TPoint P0 = At(K0, Th, DX, DY), P1 = At(K1, Th, DX, DY);
    C->MoveTo(P0.X, P0.Y);
    C->LineTo(P1.X, P1.Y);
  };
  auto Pointer = [&](TColor Color, double Tip, double Th, Integer DX, Integer DY) {
    const double Side = 0.05 * R;
    const TPoint Pts[4] = {
        At(-0.1, Th, DX, DY),
        TPoint(RoundInt(Ctr.X + Side * std::cos(Th)) + DX, RoundInt(Ctr.Y + Side * std::sin(Th)) + DY),
        At(Tip, Th, DX, DY),
        TPoint(RoundInt(Ctr.X - Side * std::cos(Th)) + DX, RoundInt(Ctr.Y - Side * std::sin(Th)) + DY)};
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Polygon(Pts, 4);
  };
  if (A->PointerStyle() == psLine) {
    if (A->HourPointerShadow() != clNone)
      Line(A->HourPointerShadow(), A->HourPointerSize(), -0.1, 0.46, ThH, -1, 3);
    if (A->MinutePointerShadow() != clNone)
      Line(A->MinutePointerShadow(), A->MinutePointerSize(), -0.1, 0.65, ThM, 0, 3);
    Line(A->HourPointer(), A->HourPointerSize(), -0.1, 0.5, ThH, 0, 0);
    Line(A->MinutePointer(), A->MinutePointerSize(), -0.1, 0.7, ThM, 0, 0);
  } else if (A->PointerStyle() == psPointer) {
    if (A->HourPointerShadow() != clNone) Pointer(A->HourPointerShadow(), 0.5, ThH, 1, 3);
    Pointer(A->HourPointer(), 0.5, ThH, 0, 0);
    if (A->MinutePointerShadow() != clNone) Pointer(A->MinutePointerShadow(), 0.7, ThM, 1, 3);
    Pointer(A->MinutePointer(), 0.7, ThM, 0, 0);
  }
  if (Auto && FSettings->Second())
    Line(A->SecondPointer(), A->SecondPointerSize(), -0.2, 0.9, ThS, 0, 0);
  const Integer Sz = A->CenterPointSize();
  if (Sz > 0) {
    auto Circle = [&](Integer D) {
      const Integer L = Ctr.X - D / 2, T = Ctr.Y - D / 2;
      C->Ellipse(L, T, L + D, T + D);
    };
    Integer W = 0;
    if (A->CenterPointColor() != clNone) {
      C->Pen()->SetStyle(psSolid);
      C->Pen()->SetWidth(1);
      C->Pen()->SetColor(A->CenterPointColor());
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(A->CenterPointColor());
      Circle(Sz);
    }
    if (A->CenterPointOuterBorderColor() != clNone) {
      W = RoundInt(0.2 * Sz);
      C->Pen()->SetStyle(psSolid);
      C->Pen()->SetWidth(W);
      C->Pen()->SetColor(A->CenterPointOuterBorderColor());
      C->Brush()->SetStyle(bsClear);
      Circle(Sz);
    }
    if (A->CenterPointBorderColor() != clNone) {
      C->Pen()->SetStyle(psSolid);
      C->Pen()->SetWidth(RoundInt(0.1 * Sz));
      C->Pen()->SetColor(A->CenterPointBorderColor());
      C->Brush()->SetStyle(bsClear);
      Circle(Sz - W);
    }
  }
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
}
