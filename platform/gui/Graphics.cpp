// Colours, geometry, regions, fonts, pens and brushes.
#include <algorithm>
#include <cctype>
#include <iterator>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Colours

namespace {

// The system colours every drawing uses, fixed so that pictures come out the same everywhere
// (0x00BBGGRR, index = the low byte of the system colour).
constexpr Integer kSysColors[31] = {
    0xC8C8C8,  // 0 scroll bar
    0x000000,  // 1 desktop
    0xD1B499,  // 2 active caption
    0xDBCDBF,  // 3 inactive caption
    0xF0F0F0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x646464,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0x000000,  // 9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application work space
    0xD77800,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x000000,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3-D dark shadow
    0xE3E3E3,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0x000000,  // 25 (unused)
    0xCC6600,  // 26 hot-tracked item
    0xEAD1B9,  // 27 gradient of the active caption
    0xF2E4D7,  // 28 gradient of the inactive caption
    0xD77800,  // 29 highlighted menu item
    0xF0F0F0,  // 30 menu bar
};

}  // namespace

Integer GetSysColor(Integer Index) {
  if (Index < 0 || Index >= static_cast<Integer>(std::size(kSysColors))) return 0;
  return kSysColors[Index];
}

Integer ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return Color;
}

namespace {

struct TColorName {
  TColor Color;
  const char16_t* Name;
};

// Value to name takes the first entry of a value; the two aliases at the end are only read.
constexpr TColorName ColorNames[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
    {clLtGray, u"clLtGray"},
    {clDkGray, u"clDkGray"},
};
// The entries before the read-only aliases.
constexpr size_t WrittenNames = std::size(ColorNames) - 2;

}  // namespace

bool ColorToIdent(TColor Color, String& Ident) {
  for (size_t i = 0; i < WrittenNames; ++i)
    if (ColorNames[i].Color == Color) {
      Ident = ColorNames[i].Name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& Ident, TColor& Color) {
  for (const TColorName& N : ColorNames)
    if (SameText(Ident, N.Name)) {
      Color = N.Color;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Geometry

bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

bool EqualRect(const TRect& A, const TRect& B) { return A == B; }

void InflateRect(TRect& R, Integer DX, Integer DY) {
  R.Left -= DX;
  R.Right += DX;
  R.Top -= DY;
  R.Bottom += DY;
}

void OffsetRect(TRect& R, Integer DX, Integer DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
  TRect R(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom));
  if (IsRectEmpty(R)) {
    Dest = TRect();
    return false;
  }
  Dest = R;
  return true;
}

bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
  const bool EmptyA = IsRectEmpty(A), EmptyB = IsRectEmpty(B);
  if (EmptyA && EmptyB) {
    Dest = TRect();
    return false;
  }
  if (EmptyA) {
    Dest = B;
  } else if (EmptyB) {
    Dest = A;
  } else {
    Dest = TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                 std::max(A.Bottom, B.Bottom));
  }
  return true;
}

TPoint CenterPoint(const TRect& R) {
  return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// ---------------------------------------------------------------------------------------------
// Regions

namespace {

// Appends the parts of A outside B to Out.
void SubtractInto(const TRect& A, const TRect& B, std::vector<TRect>& Out) {
  TRect Common;
  if (!IntersectRect(Common, A, B)) {
    Out.push_back(A);
    return;
  }
  if (A.Top < Common.Top) Out.emplace_back(A.Left, A.Top, A.Right, Common.Top);
  if (Common.Bottom < A.Bottom) Out.emplace_back(A.Left, Common.Bottom, A.Right, A.Bottom);
  if (A.Left < Common.Left) Out.emplace_back(A.Left, Common.Top, Common.Left, Common.Bottom);
  if (Common.Right < A.Right) Out.emplace_back(Common.Right, Common.Top, A.Right, Common.Bottom);
}

}  // namespace

TRegion::TRegion(const TRect& R) {
  if (!IsRectEmpty(R)) FRects.push_back(R);
}

TRect TRegion::Bounds() const {
  TRect B;
  for (const TRect& R : FRects) UnionRect(B, B, R);
  return B;
}

bool TRegion::Contains(const TPoint& P) const {
  for (const TRect& R : FRects)
    if (PtInRect(R, P)) return true;
  return false;
}

void TRegion::Union(const TRect& R) {
  if (IsRectEmpty(R)) return;
  std::vector<TRect> Pieces{R};
  for (const TRect& Existing : FRects) {
    std::vector<TRect> Next;
    for (const TRect& P : Pieces) SubtractInto(P, Existing, Next);
    Pieces.swap(Next);
    if (Pieces.empty()) return;
  }
  FRects.insert(FRects.end(), Pieces.begin(), Pieces.end());
}

void TRegion::Union(const TRegion& R) {
  for (const TRect& Part : R.FRects) Union(Part);
}

void TRegion::Intersect(const TRect& R) {
  std::vector<TRect> Out;
  for (const TRect& Part : FRects) {
    TRect Common;
    if (IntersectRect(Common, Part, R)) Out.push_back(Common);
  }
  FRects.swap(Out);
}

void TRegion::Intersect(const TRegion& R) {
  std::vector<TRect> Out;
  for (const TRect& A : FRects)
    for (const TRect& B : R.FRects) {
      TRect Common;
      if (IntersectRect(Common, A, B)) Out.push_back(Common);
    }
  FRects.swap(Out);
}

void TRegion::Subtract(const TRect& R) {
  if (IsRectEmpty(R)) return;
  std::vector<TRect> Out;
  for (const TRect& Part : FRects) SubtractInto(Part, R, Out);
  FRects.swap(Out);
}

void TRegion::Subtract(const TRegion& R) {
  for (const TRect& Part : R.FRects) Subtract(Part);
}

void TRegion::Offset(Integer DX, Integer DY) {
  for (TRect& R : FRects) OffsetRect(R, DX, DY);
}

bool TRegion::SameArea(const TRegion& Other) const {
  TRegion A = *this;
  A.Subtract(Other);
  if (!A.IsEmpty()) return false;
  TRegion B = Other;
  B.Subtract(*this);
  return B.IsEmpty();
}

// ---------------------------------------------------------------------------------------------
// Fonts, pens, brushes

namespace {

// A x B / C rounded half away from zero, as the classic MulDiv.
Integer MulDivRound(Integer A, Integer B, Integer C) {
  const Int64 P = static_cast<Int64>(A) * B;
  const Int64 Half = C / 2;
  return static_cast<Integer>(P >= 0 ? (P + Half) / C : (P - Half) / C);
}

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    Assign(static_cast<const TFont*>(F));
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::Assign(const TFont* Source) {
  if (!Source || Source == this) return;
  FName = Source->FName;
  FHeight = Source->FHeight;
  FColor = Source->FColor;
  FStyle = Source->FStyle;
  FOrientation = Source->FOrientation;
  FCharset = Source->FCharset;
  FPitch = Source->FPitch;
  Changed();
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Changed();
}

Integer TFont::Size() const { return -MulDivRound(FHeight, 72, PixelsPerInch()); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDivRound(Value, PixelsPerInch(), 72)); }

void TFont::SetHeight(Integer Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetOrientation(Integer Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* P = dynamic_cast<TPen*>(Source)) {
    Assign(static_cast<const TPen*>(P));
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::Assign(const TPen* Source) {
  if (!Source || Source == this) return;
  FColor = Source->FColor;
  FWidth = Source->FWidth;
  FStyle = Source->FStyle;
  FMode = Source->FMode;
  Changed();
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(Integer Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    Assign(static_cast<const TBrush*>(B));
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::Assign(const TBrush* Source) {
  if (!Source || Source == this) return;
  FColor = Source->FColor;
  FStyle = Source->FStyle;
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Font faces

namespace GraphicsBackend {

String ResolveFontFamily(const String& Name, TFontPitch Pitch) {
  std::string Lower;
  for (Char C : Name) Lower.push_back(C < 128 ? static_cast<char>(std::tolower(C)) : '?');
  auto Has = [&](const char* Part) { return Lower.find(Part) != std::string::npos; };
  const bool EndsMono = Lower.size() >= 5 && Lower.compare(Lower.size() - 5, 5, " mono") == 0;
  const bool Fixed = Pitch == fpFixed || Has("courier") || Has("consolas") ||
                     Has("lucida console") || Has("fixedsys") || Has("terminal") || EndsMono;
  return Fixed ? String(u"DejaVu Sans Mono") : String(u"DejaVu Sans");
}

Integer FontPixelSize(const TFont& Font) {
  const Integer H = Font.Height();
  if (H < 0) return -H;
  if (H == 0) return 11;  // the default face height
  // A positive height is the whole cell; DejaVu's cell is 2384/2048 of its em.
  return std::max<Integer>(1, MulDivRound(H, 2048, 2384));
}

}  // namespace GraphicsBackend
