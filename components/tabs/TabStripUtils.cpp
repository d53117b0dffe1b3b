// Easing, geometry, interpolation, colour conversion, images, and the bitmap and window routines of
// the tab strip. The textual component format is in TabStripUtilsText.cpp.
#include "components/tabs/TabStripUtils.h"

#include <cmath>
#include <numbers>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Easing

double CalculateEase(double t, double b, double c, double d, TTabStripEaseType EaseType) {
  if (EaseType == ttNone) return 0;
  if (EaseType < ttNone || EaseType > ttEaseInOutCirc) throw EAssertionFailed(u"Invalid Ease Type");
  // A movement without duration is over at once.
  if (d == 0) return b + c;
  const double pi = std::numbers::pi;
  const double s = t / d;
  const double u = s - 1;
  const double h = t / (d / 2);
  switch (EaseType) {
    case ttLinearTween:
      return b + c * t / d;
    case ttEaseInQuad:
      return b + c * s * s;
    case ttEaseOutQuad:
      return b - c * s * (s - 2);
    case ttEaseInOutQuad: {
      if (h < 1) return b + c / 2 * h * h;
      const double k = h - 1;
      return b - c / 2 * (k * (k - 2) - 1);
    }
    case ttEaseInCubic:
      return b + c * s * s * s;
    case ttEaseOutCubic:
      return b + c * (u * u * u + 1);
    case ttEaseInOutCubic: {
      if (h < 1) return b + c / 2 * h * h * h;
      const double k = h - 2;
      return b + c / 2 * (k * k * k + 2);
    }
    case ttEaseInQuart:
      return b + c * s * s * s * s;
    case ttEaseOutQuart:
      return b - c * (u * u * u * u - 1);
    case ttEaseInOutQuart: {
      if (h < 1) return b + c / 2 * h * h * h * h;
      const double k = h - 2;
      return b - c / 2 * (k * k * k * k - 2);
    }
    case ttEaseInQuint:
      return b + c * s * s * s * s * s;
    case ttEaseOutQuint:
      return b + c * (u * u * u * u * u + 1);
    case ttEaseInOutQuint: {
      if (h < 1) return b + c / 2 * h * h * h * h * h;
      const double k = h - 2;
      return b + c / 2 * (k * k * k * k * k + 2);
    }
    case ttEaseInSine:
      return b + c - c * std::cos(s * pi / 2);
    case ttEaseOutSine:
      return b + c * std::sin(s * pi / 2);
    case ttEaseInOutSine:
      return b - c / 2 * (std::cos(pi * s) - 1);
    case ttEaseInExpo:
      return b + c * std::pow(2.0, 10 * (s - 1));
    case ttEaseOutExpo:
      return b + c * (1 - std::pow(2.0, -10 * s));
    case ttEaseInOutExpo:
      if (h < 1) return b + c / 2 * std::pow(2.0, 10 * (h - 1));
      return b + c / 2 * (2 - std::pow(2.0, -10 * (h - 1)));
    case ttEaseInCirc:
      return b - c * (std::sqrt(1 - s * s) - 1);
    case ttEaseOutCirc:
      return b + c * std::sqrt(1 - u * u);
    case ttEaseInOutCirc: {
      if (h < 1) return b - c / 2 * (std::sqrt(1 - h * h) - 1);
      const double k = h - 2;
      return b + c / 2 * (std::sqrt(1 - k * k) + 1);
    }
    default:
      break;
  }
  throw EAssertionFailed(u"Invalid Ease Type");
}

TRect TransformRect(const TRect& StartRect, const TRect& EndRect, Cardinal Elapsed, Cardinal Duration,
                    TTabStripEaseType EaseType) {
  auto edge = [&](Integer From, Integer To) {
    return static_cast<Integer>(Round(CalculateEase(Elapsed, From, static_cast<double>(To) - From, Duration, EaseType)));
  };
  return TRect(edge(StartRect.Left, EndRect.Left), edge(StartRect.Top, EndRect.Top),
               edge(StartRect.Right, EndRect.Right), edge(StartRect.Bottom, EndRect.Bottom));
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect HorzFlipRect(const TRect& ParentRect, const TRect& R) {
  const Integer sum = ParentRect.Left + ParentRect.Right;
  return TRect(sum - R.Right, R.Top, sum - R.Left, R.Bottom);
}

TPolygon& HorzFlipPolygon(const TRect& ParentRect, TPolygon& Polygon) {
  const Integer sum = ParentRect.Left + ParentRect.Right;
  for (TPoint& p : Polygon) p.X = sum - p.X;
  return Polygon;
}

TPolygon GeneratePolygon(const TRect& R, const TPolygon& Points, TTabOrientation Orientation) {
  TPolygon result;
  result.reserve(Points.size());
  for (const TPoint& p : Points)
    result.push_back(Orientation == toBottom ? TPoint(R.Left + p.X, R.Bottom - p.Y) : TPoint(R.Left + p.X, R.Top + p.Y));
  return result;
}

TRect ContractRect(const TRect& R, Integer Amount) {
  return TRect(R.Left + Amount, R.Top + Amount, R.Right - Amount, R.Bottom - Amount);
}

bool SameRect(const TRect& A, const TRect& B) { return A == B; }
Integer RectWidth(const TRect& R) { return R.Right - R.Left; }
Integer RectHeight(const TRect& R) { return R.Bottom - R.Top; }

bool PointInPolygon(const TPolygon& Polygon, Integer X, Integer Y) {
  if (Polygon.empty()) return false;
  bool inside = false;
  const size_t n = Polygon.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const TPoint& pi = Polygon[i];
    const TPoint& pj = Polygon[j];
    if (((pi.Y <= Y && Y < pj.Y) || (pj.Y <= Y && Y < pi.Y)) &&
        X < static_cast<double>(pj.X - pi.X) * (Y - pi.Y) / static_cast<double>(pj.Y - pi.Y) + pi.X)
      inside = !inside;
  }
  return inside;
}

// ---------------------------------------------------------------------------------------------
// Interpolation and colours

Integer IntegerBetween(Integer Start, Integer Stop, Integer Percent) {
  return static_cast<Integer>(Start + (static_cast<Int64>(Stop) - Start) * Percent / 100);
}

float SingleBetween(float Start, float Stop, Integer Percent) {
  return static_cast<float>((static_cast<double>(Stop) - Start) * Percent / 100 + Start);
}

TColor ColorBetween(TColor StartColor, TColor StopColor, Integer Percent) {
  Integer result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const Integer from = (StartColor >> shift) & 0xFF;
    const Integer to = (StopColor >> shift) & 0xFF;
    result |= (IntegerBetween(from, to, Percent) & 0xFF) << shift;
  }
  return result;
}

TGPColor MakeGDIPColor(TColor Color, Byte Alpha) {
  const Integer rgb = ColorToRGB(Color);
  return MakeColor(Alpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TGPRectF RectToGPRectF(const TRect& R) {
  return TGPRectF{static_cast<float>(R.Left), static_cast<float>(R.Top), static_cast<float>(R.Width()),
                  static_cast<float>(R.Height())};
}

TGPRect RectToGPRect(const TRect& R) { return TGPRect{R.Left, R.Top, R.Width(), R.Height()}; }

TGPPoint PointToGPPoint(const TPoint& P) { return TGPPoint{P.X, P.Y}; }

void SetClipPolygon(TGPGraphics* Graphics, const TPolygon& Polygon, TCombineMode Mode) {
  TGPGraphicsPath path(FillModeAlternate);
  std::vector<TGPPoint> points;
  points.reserve(Polygon.size());
  for (const TPoint& p : Polygon) points.push_back(PointToGPPoint(p));
  path.AddPolygon(points.data(), static_cast<Integer>(points.size()));
  Graphics->SetClip(&path, Mode);
}

// ---------------------------------------------------------------------------------------------
// Images

std::unique_ptr<TGPImage> IconToGPImage(const TIcon* Icon) { return std::make_unique<TGPBitmap>(Icon); }

std::unique_ptr<TGPImage> ImageListToGPImage(const TImageList* ImageList, Integer Index) {
  if (!ImageList || Index < 0 || Index >= ImageList->Count()) return nullptr;
  TBitmap image;
  if (ImageList->BkColor() == clNone) {
    ImageList->GetBitmap(Index, &image);
  } else {
    // The image with its own transparency, whatever background the list draws on.
    TImageList transparent(nullptr);
    transparent.Assign(const_cast<TImageList*>(ImageList));
    transparent.SetBkColor(clNone);
    transparent.GetBitmap(Index, &image);
  }
  if (image.AlphaFormat() == afIgnored) image.SetAlphaFormat(afPremultiplied);
  return std::make_unique<TGPBitmap>(&image);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps and windows

void ScaleBitmap(TBitmap* Source, TBitmap* Dest, double Factor) {
  Source->SetPixelFormat(pf24bit);
  Dest->SetPixelFormat(pf24bit);
  const Integer width = static_cast<Integer>(Round(Source->Width() * Factor));
  const Integer height = static_cast<Integer>(Round(Source->Height() * Factor));
  Dest->SetSize(width, height);
  if (width > 0 && height > 0) Dest->Canvas()->StretchDraw(TRect(0, 0, width, height), Source);
}

void CopyControlImage(TWinControl* Control, TBitmap* Bitmap, Integer X, Integer Y) {
  // The layer's screen grab shows the control with its children as they are on the screen.
  const std::vector<Byte> png = TestHarness::GrabPngBytes(Control);
  std::unique_ptr<TGraphic> shown = png.empty() ? nullptr : LoadGraphicFromMemory(png.data(), png.size());
  if (!shown) return;
  const TRect client = Control->ClientRect();
  const TPoint origin = Control->ClientOrigin();
  TBitmap pixels;
  pixels.Assign(shown.get());
  Bitmap->Canvas()->CopyRect(TRect(X, Y, X + client.Width(), Y + client.Height()), pixels.Canvas(),
                             TRect(origin.X, origin.Y, origin.X + client.Width(), origin.Y + client.Height()));
}

void DrawParentBackground(TControl* Control, TCanvas* Canvas) {
  TWinControl* parent = Control->Parent();
  if (!parent) return;
  // The part of the parent's client area the control covers, in the control's coordinates.
  TRect area(0, 0, parent->ClientWidth(), parent->ClientHeight());
  OffsetRect(area, -Control->Left(), -Control->Top());
  // The parent erases its background with its colour, then paints itself.
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(parent->Color());
  Canvas->FillRect(area);
  // A parent that paints itself keeps its pixels in its backing image; bring them up to date.
  if (parent->BackingImage()) parent->PaintIfNeeded();
  if (TBitmap* painted = parent->BackingImage(); painted && !painted->Empty())
    Canvas->CopyRect(area, painted->Canvas(), TRect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
}

void ConvertToAlphaBitmap(TBitmap* Bitmap) {
  // Read back as a picture without transparency: every pixel opaque.
  Bitmap->SetPixelFormat(pf32bit);
  for (Integer y = 0; y < Bitmap->Height(); ++y) {
    auto* row = static_cast<Byte*>(Bitmap->ScanLine(y));
    for (Integer x = 0; x < Bitmap->Width(); ++x) row[x * 4 + 3] = 255;
  }
  Bitmap->SetAlphaFormat(afPremultiplied);
  Bitmap->ImageChanged();
}

void SetBitmapColorAlpha(TBitmap* Bitmap, TColor Key, Byte Alpha) {
  // p * q div 255 for every pair of bytes, so a matching pixel costs three look-ups.
  static thread_local std::vector<Byte> table;
  if (table.empty()) {
    table.resize(256 * 256);
    for (Integer p = 0; p < 256; ++p)
      for (Integer q = 0; q < 256; ++q) table[static_cast<size_t>(p * 256 + q)] = static_cast<Byte>(p * q / 255);
  }
  const Byte keyRed = static_cast<Byte>((Key >> 16) & 0xFF);
  const Byte keyGreen = static_cast<Byte>((Key >> 8) & 0xFF);
  const Byte keyBlue = static_cast<Byte>(Key & 0xFF);
  const Byte* scale = &table[static_cast<size_t>(Alpha) * 256];
  for (Integer y = 0; y < Bitmap->Height(); ++y) {
    auto* row = static_cast<Byte*>(Bitmap->ScanLine(y));
    for (Integer x = 0; x < Bitmap->Width(); ++x) {
      Byte* px = row + x * 4;  // blue, green, red, alpha
      if (px[2] == keyRed && px[0] == keyBlue && px[1] == keyGreen) {
        px[3] = Alpha;
        px[0] = scale[px[0]];
        px[1] = scale[px[1]];
        px[2] = scale[px[2]];
      }
    }
  }
  Bitmap->ImageChanged();
}

namespace {

// A borderless form that shows a premultiplied 32-bit bitmap blended with a constant alpha. Where
// the display blends translucent windows the form is a layered window: each pixel's own alpha and
// the constant alpha let what lies below show. Elsewhere a translucent window would hide what lies
// below, so the bitmap is blended over the form's own colour instead.
class TAlphaBlendForm : public TForm {
 public:
  TAlphaBlendForm(TComponent* AOwner, TBitmap* Bitmap, Byte Alpha) : TForm(AOwner), FAlpha(Alpha) {
    FBitmap.Assign(Bitmap);
    SetBorderStyle(bsNone);
    SetClientWidth(FBitmap.Width());
    SetClientHeight(FBitmap.Height());
    if (DisplayComposites() && FBitmap.PixelFormat() == pf32bit) {
      const TSize Size(FBitmap.Width(), FBitmap.Height());
      const TPoint Origin(0, 0);
      BLENDFUNCTION Blend;
      Blend.SourceConstantAlpha = FAlpha;
      Blend.AlphaFormat = AC_SRC_ALPHA;
      UpdateLayeredWindow(Handle(), nullptr, nullptr, &Size, FBitmap.Canvas(), &Origin, 0, &Blend, ULW_ALPHA);
      return;
    }
    FImage = new TPaintBox(this);
    FImage->SetParent(this);
    FImage->SetAlign(alClient);
    FImage->OnPaint = [this](TObject*) { FImage->Canvas()->Draw(0, 0, &FBitmap, FAlpha); };
  }
  String ClassName() const override { return u"TAlphaBlendForm"; }

 private:
  TBitmap FBitmap;
  Byte FAlpha;
  TPaintBox* FImage = nullptr;
};

}  // namespace

TCustomForm* CreateAlphaBlendForm(TComponent* Owner, TBitmap* Bitmap, Byte Alpha) {
  auto* form = new TAlphaBlendForm(Owner, Bitmap, Alpha);
  form->AfterConstruction();
  return form;
}
