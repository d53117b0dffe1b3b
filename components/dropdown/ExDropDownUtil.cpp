// The drop-down module's drawing, colour, text and number routines, and the screen the popups open
// on. None of them needs a window; all keep no state apart from the screen source.
#include <algorithm>
#include <cstdint>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/EsgCombo.h"
#include "components/gridbase/EsgHTMLE.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsAsciiDigit(Char C) { return C >= u'0' && C <= u'9'; }

bool IsHexLetter(Char C) { return (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f'); }

TDropDownScreen& ScreenSource() {
  static TDropDownScreen s;
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colours and gradients

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect, bool Horizontal) {
  if (!Canvas) return;
  if (Steps == 0) Steps = 1;
  const Integer from = ColorToRGB(FromColor);
  const Integer to = ColorToRGB(ToColor);
  const Integer r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
  const Integer dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
  if (Horizontal)
    Rect.Right -= 1;
  else
    Rect.Bottom -= 1;
  const double d = (Horizontal ? Rect.Width() : Rect.Height()) / static_cast<double>(Steps);
  const Integer band = static_cast<Integer>(Round(d));
  for (Integer n = 0; n < Steps; ++n) {
    const Integer r = r0 + static_cast<Integer>(Round(static_cast<double>(n) * dr / Steps));
    const Integer g = g0 + static_cast<Integer>(Round(static_cast<double>(n) * dg / Steps));
    const Integer b = b0 + static_cast<Integer>(Round(static_cast<double>(n) * db / Steps));
    const TColor c = RGB(static_cast<Byte>(r), static_cast<Byte>(g), static_cast<Byte>(b));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    // The band offsets are kept to 16 bits, as the coordinates of the drawing calls are.
    const Integer offset = static_cast<int16_t>(Round(n * d));
    if (Horizontal) {
      const Integer x = Rect.Left + offset;
      Canvas->Rectangle(x, Rect.Top, x + band + 1, Rect.Bottom);
    } else {
      const Integer y = Rect.Top + offset;
      Canvas->Rectangle(Rect.Left, y, Rect.Right, y + band + 1);
    }
  }
}

void Place_Caption_Label(TLabel* Label, bool Transparent, TFont* Font, UINT Prefix_Flag, Integer Position,
                         const TRect& Control, Integer Margin, bool Visible) {
  Label->SetTransparent(Transparent);
  Label->Font()->Assign(Font);
  TCanvas measure;
  measure.Font()->Assign(Label->Font());
  TRect r(0, 0, 1000, 255);
  DrawText(&measure, Label->Caption(), r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | Prefix_Flag);
  const TPoint place =
      Caption_Label_Place(Position, Control, TSize(Label->Width(), Label->Height()), r.Width(), Margin);
  Label->SetBounds(place.X, place.Y, Label->Width(), Label->Height());
  Label->SetVisible(Visible);
}

TColor BlendColor(TColor Col1, TColor Col2, Integer Percent) {
  if (Percent >= 100) return Col1;
  if (Percent <= 0 || Col1 == clNone) return Col2;
  if (Col2 == clNone) return Col1;
  const Integer c1 = ColorToRGB(Col1);
  const Integer c2 = ColorToRGB(Col2);
  // The mix is computed in whole percents so that halves land exactly on .5 and round to even.
  auto mix = [Percent](Integer a, Integer b) {
    return static_cast<Byte>(Round((static_cast<double>(Percent) * a + static_cast<double>(100 - Percent) * b) / 100.0));
  };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

TColor ShadeColor(TColor Color, Integer R, Integer G, Integer B) {
  const Integer c = ColorToRGB(Color);
  auto shade = [](Integer channel, Integer delta) -> Byte {
    if (channel == 0) return static_cast<Byte>(std::clamp(delta, 0, 255));
    const Integer m = std::min(100, 100 + delta);
    return static_cast<Byte>(std::clamp(static_cast<Integer>(Round(static_cast<double>(m) * channel / 100.0)), 0, 255));
  };
  return RGB(shade(GetRValue(c), R), shade(GetGValue(c), G), shade(GetBValue(c), B));
}

void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor, Integer BorderWidth,
                    TGradientDirection Direction) {
  if (!Canvas) return;
  if (ColorTo != clNone) {
    DrawGradient(Canvas, Color, ColorTo, 80, R, Direction == gdHorizontal);
  } else if (Color != clNone) {
    Canvas->Brush()->SetColor(Color);
    Canvas->Pen()->SetColor(Color);
    Canvas->FillRect(R);
  }
  if (BorderColor != clNone && BorderWidth > 0) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(BorderWidth);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetWidth(1);
  }
}

// ---------------------------------------------------------------------------------------------
// Images and text

void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TImageList* Images, Integer ImageIndex) {
  if (!Canvas) return;
  TRect tr = R;
  bool image = false;
  if (ImageIndex >= 0 && Images) {
    Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex, true);
    tr.Left = R.Left + Images->Width() + 8;
    image = true;
  }
  Canvas->SetBkMode(TRANSPARENT);
  Cardinal flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (!image) flags |= DT_CENTER;
  DrawText(Canvas, Text, tr, flags);
}

void DrawColoredGlyph(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, TRect Rect) {
  if (!Canvas || !Bitmap || Bitmap->Empty()) return;
  const Integer w = Bitmap->Width(), h = Bitmap->Height();
  TBitmap tmp(w, h);
  const TRect all(0, 0, w, h);
  tmp.Canvas()->Brush()->SetColor(Color);
  tmp.Canvas()->BrushCopy(all, Bitmap, all, Bitmap->Canvas()->Pixels(0, 0));
  Canvas->CopyRect(Rect, tmp.Canvas(), all);
}

void GetTextSize(TCanvas* Canvas, const String& Text, TSize& Size) {
  Size = TSize(0, 0);
  if (!Canvas || Text.empty()) return;
  TRect r(0, 0, 1000, 500);
  DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT | DT_TOP);
  Size = TSize(r.Width(), r.Height());
}

void FitTextWithEllipsis(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Result) {
  Result = Text;
  if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth) return;
  const Integer len = Length(Text);
  for (Integer i = 0; i < len; ++i) {
    String s = Copy(Text, 1, len - i - 1);
    if (Ellipsis) s += u"...";
    if (Canvas->TextWidth(s) < MaxWidth) {
      Result = s;
      return;
    }
  }
  Result = Text;
}

void DrawHtmlItemText(TCanvas* Canvas, const String& Text, TRect Rect, TImageList* Images, bool Draw,
                      HWND WindowHandle, TSize& Size) {
  Size = TSize(0, 0);
  if (!Canvas || Text.empty()) return;
  String anchor, plain, focused, title, ctrlId, ctrlValue, ctrlType;
  Integer width = 0, height = 0, anchors = 0, anchorIndex = -1;
  TRect anchorRect, ctrlRect;
  DrawHtmlText(Canvas, Text, Rect, Images, -1, -1, -1, -1, 1, false, !Draw, false, false, true, false, true, false,
               1.0, clBlue, clNone, clNone, clGray, anchor, plain, focused, title, width, height, anchors,
               anchorIndex, anchorRect, ctrlRect, ctrlId, ctrlValue, ctrlType, nullptr, nullptr, WindowHandle,
               bdHtmlLeftToRight);
  Size = TSize(width, height);
}

// ---------------------------------------------------------------------------------------------
// Numbers

bool IsRangeSeparator(Char Ch) { return Ch == u',' || Ch == u'-' || Ch == u';'; }

Integer ExDropDown::ClassifyNumberText(const String& S) {
  bool hex = !S.empty(), isFloat = hex, isInt = hex;
  Integer lastThousand = -1, minus = 0, decimals = 0;
  const Char thousand = FormatSettings.ThousandSeparator;
  const Char decimal = FormatSettings.DecimalSeparator;
  for (Integer i = 1; i <= Length(S); ++i) {
    const Char c = S[static_cast<size_t>(i - 1)];
    if (c == u'-') ++minus;
    if (c == decimal) ++decimals;
    if (!(c == u'-' || IsAsciiDigit(c) || IsHexLetter(c))) hex = false;
    const bool g = (c == u',' || c == u'-' || c == u'.') ? isFloat : (isFloat && IsAsciiDigit(c));
    if (c == thousand) {
      isFloat = (i - lastThousand > 2) ? g : false;
      lastThousand = i;
    } else {
      isFloat = g;
    }
    if (c != u'-') isInt = isInt && IsAsciiDigit(c);
  }
  if (minus > 1 || decimals > 1) return 2;
  if (isInt) return 0;
  if (isFloat) return 1;
  if (hex) return 5;
  return 2;
}

void StripThousandSeparators(const String& Text, String& Result) {
  Result.clear();
  const Char thousand = FormatSettings.ThousandSeparator;
  for (Char c : Text)
    if (c != thousand) Result += c;
}

Integer HexDigitValue(Char Ch) {
  if (Ch >= u'0' && Ch <= u'9') return Ch - u'0';
  if (Ch >= u'A' && Ch <= u'F') return Ch - u'A' + 10;
  if (Ch >= u'a' && Ch <= u'f') return Ch - u'a' + 10;
  return 0;
}

Integer HexToInt(const String& Text) {
  // Unsigned arithmetic: long texts wrap around instead of overflowing.
  uint32_t result = 0, weight = 1;
  for (size_t i = Text.size(); i > 0; --i) {
    result += static_cast<uint32_t>(HexDigitValue(Text[i - 1])) * weight;
    weight *= 16u;
  }
  return static_cast<Integer>(result);
}

void CaseText(const String& Text, bool CaseSensitive, String& Result) {
  Result = CaseSensitive ? Text : AnsiUpperCase(Text);
}

// ---------------------------------------------------------------------------------------------
// The screen

void SetDropDownScreen(TDropDownScreen Source) { ScreenSource() = std::move(Source); }

Integer DropDownScreenBottom(TPoint P) {
  const TDropDownScreen& s = ScreenSource();
  if (s.ScreenHeight) return s.ScreenHeight();
  if (!Screen) return 0;
  // A monitor below or above the primary one has its own bottom edge: measured against the
  // primary one's height, a popup there would always open upwards, even off its monitor.
  if (TMonitor* m = Screen->MonitorFromPoint(P, mdNearest)) return m->BoundsRect().Bottom;
  return Screen->Height();
}

TRect DropDownWorkArea(TPoint P) {
  const TDropDownScreen& s = ScreenSource();
  if (s.WorkArea) return s.WorkArea(P);
  if (!Screen) return TRect();
  // The monitor nearest to P; the primary one's work area when there is none.
  if (TMonitor* m = Screen->MonitorFromPoint(P, mdNearest)) return m->WorkareaRect();
  return Screen->WorkAreaRect();
}
