// Smoothed (antialiased) drawing on 32-bit bitmaps, in the manner of GDI+: graphics with smoothing
// and pixel-offset modes, solid, linear-gradient and path-gradient brushes, pens with real widths,
// paths and polygons, clipping with combine modes, images, and strings with a string format.
// Colours are 0xAARRGGBB; angles run clockwise from the x axis, in degrees.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"

// The outcome of every call, as GDI+ reports it.
enum TStatus {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20
};

using TGPColor = Cardinal;  // 0xAARRGGBB
constexpr TGPColor MakeColor(Byte A, Byte R, Byte G, Byte B) {
  return (static_cast<Cardinal>(A) << 24) | (static_cast<Cardinal>(R) << 16) |
         (static_cast<Cardinal>(G) << 8) | B;
}
constexpr TGPColor MakeColor(Byte R, Byte G, Byte B) { return MakeColor(255, R, G, B); }

struct TGPPoint {
  Integer X = 0;
  Integer Y = 0;
};
struct TGPPointF {
  float X = 0;
  float Y = 0;
};
struct TGPRect {
  Integer X = 0;
  Integer Y = 0;
  Integer Width = 0;
  Integer Height = 0;
};
struct TGPRectF {
  float X = 0;
  float Y = 0;
  float Width = 0;
  float Height = 0;
};

enum TSmoothingMode {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4
};
enum TPixelOffsetMode {
  PixelOffsetModeInvalid = -1,
  PixelOffsetModeDefault = 0,
  PixelOffsetModeHighSpeed = 1,
  PixelOffsetModeHighQuality = 2,
  PixelOffsetModeNone = 3,
  PixelOffsetModeHalf = 4
};
enum TTextRenderingHint {
  TextRenderingHintSystemDefault = 0,
  TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2,
  TextRenderingHintAntiAliasGridFit = 3,
  TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5
};
enum TCombineMode {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,
  CombineModeComplement = 5
};
enum TFillMode { FillModeAlternate = 0, FillModeWinding = 1 };
enum TWrapMode { WrapModeTile = 0, WrapModeTileFlipX, WrapModeTileFlipY, WrapModeTileFlipXY, WrapModeClamp };
enum TStringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum TStringTrimming {
  StringTrimmingNone = 0,
  StringTrimmingCharacter = 1,
  StringTrimmingWord = 2,
  StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4,
  StringTrimmingEllipsisPath = 5
};
constexpr Integer StringFormatFlagsDirectionRightToLeft = 0x00000001;
constexpr Integer StringFormatFlagsDirectionVertical = 0x00000002;
constexpr Integer StringFormatFlagsNoFitBlackBox = 0x00000004;
constexpr Integer StringFormatFlagsDisplayFormatControl = 0x00000020;
constexpr Integer StringFormatFlagsNoFontFallback = 0x00000400;
constexpr Integer StringFormatFlagsMeasureTrailingSpaces = 0x00000800;
constexpr Integer StringFormatFlagsNoWrap = 0x00001000;
constexpr Integer StringFormatFlagsLineLimit = 0x00002000;
constexpr Integer StringFormatFlagsNoClip = 0x00004000;
enum TFontStyleGP {
  FontStyleRegular = 0,
  FontStyleBold = 1,
  FontStyleItalic = 2,
  FontStyleBoldItalic = 3,
  FontStyleUnderline = 4,
  FontStyleStrikeout = 8
};
enum TUnit { UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3 };

class TGPGraphics;

// ---------------------------------------------------------------------------------------------
// Brushes and pens

class TGPBrush {
 public:
  virtual ~TGPBrush();
  TStatus GetLastStatus() const { return FStatus; }
  struct Impl;
  Impl* GetImpl() const { return FImpl.get(); }

 protected:
  TGPBrush();
  std::unique_ptr<Impl> FImpl;
  TStatus FStatus = Ok;
};

class TGPSolidBrush : public TGPBrush {
 public:
  explicit TGPSolidBrush(TGPColor Color);
  TGPColor GetColor() const;
  TStatus SetColor(TGPColor Color);
};

// Colours along the line from Point1 (Color1) to Point2 (Color2); beyond the ends the gradient
// repeats (tiles). Identical points cannot make a gradient: the brush then reports OutOfMemory
// and fills with Color1.
class TGPLinearGradientBrush : public TGPBrush {
 public:
  TGPLinearGradientBrush(const TGPPointF& Point1, const TGPPointF& Point2, TGPColor Color1,
                         TGPColor Color2);
  TGPLinearGradientBrush(const TGPPoint& Point1, const TGPPoint& Point2, TGPColor Color1,
                         TGPColor Color2);
  // At Positions[i] (0..1, rising, first 0 and last 1) the colour is Factors[i] of the way from
  // Color1 to Color2. InvalidParameter (and no change) for positions that break those rules.
  TStatus SetBlend(const float* Factors, const float* Positions, Integer Count);
  TStatus SetWrapMode(TWrapMode Mode);
  TWrapMode GetWrapMode() const;
};

// Colours from CenterColor at the centre point to the surround colour at the path's edge.
class TGPGraphicsPath;
class TGPPathGradientBrush : public TGPBrush {
 public:
  explicit TGPPathGradientBrush(const TGPGraphicsPath* Path);
  TStatus SetCenterPoint(const TGPPointF& Point);
  TStatus SetCenterPoint(const TGPPoint& Point);
  TStatus SetCenterColor(TGPColor Color);
  // The first colour counts: one surround colour all round.
  TStatus SetSurroundColors(const TGPColor* Colors, Integer* Count);
};

// A pen of any real width, flat ends and mitred joins.
class TGPPen {
 public:
  explicit TGPPen(TGPColor Color, float Width = 1.0f);
  explicit TGPPen(const TGPBrush* Brush, float Width = 1.0f);
  ~TGPPen();
  TStatus SetColor(TGPColor Color);
  TGPColor GetColor() const;
  TStatus SetWidth(float Width);
  float GetWidth() const;
  TStatus GetLastStatus() const { return FStatus; }
  struct Impl;
  Impl* GetImpl() const { return FImpl.get(); }

 private:
  std::unique_ptr<Impl> FImpl;
  TStatus FStatus = Ok;
};

// ---------------------------------------------------------------------------------------------
// Paths and regions

class TGPGraphicsPath {
 public:
  explicit TGPGraphicsPath(TFillMode FillMode = FillModeAlternate);
  TGPGraphicsPath(const TGPGraphicsPath& Other);
  ~TGPGraphicsPath();
  TStatus SetFillMode(TFillMode Mode);
  TFillMode GetFillMode() const;
  TStatus Reset();
  TStatus StartFigure();
  TStatus CloseFigure();
  TStatus AddLine(float X1, float Y1, float X2, float Y2);
  TStatus AddPolygon(const TGPPoint* Points, Integer Count);
  TStatus AddPolygon(const TGPPointF* Points, Integer Count);
  TStatus AddRectangle(const TGPRectF& R);
  TStatus AddRectangle(const TGPRect& R);
  TStatus AddEllipse(const TGPRectF& R);
  TStatus AddEllipse(const TGPRect& R);
  TStatus AddArc(const TGPRectF& R, float StartAngle, float SweepAngle);
  TStatus GetBounds(TGPRectF& Bounds) const;
  bool IsVisible(float X, float Y) const;
  struct Impl;
  Impl* GetImpl() const { return FImpl.get(); }

 private:
  std::unique_ptr<Impl> FImpl;
};

// A clip area; a new region is infinite (clips nothing).
class TGPRegion {
 public:
  TGPRegion();
  explicit TGPRegion(const TGPRectF& R);
  explicit TGPRegion(const TGPGraphicsPath* Path);
  TGPRegion(const TGPRegion& Other);
  ~TGPRegion();
  bool IsInfinite() const;
  TStatus MakeInfinite();
  TStatus MakeEmpty();
  struct Impl;
  Impl* GetImpl() const { return FImpl.get(); }

 private:
  std::unique_ptr<Impl> FImpl;
};

// ---------------------------------------------------------------------------------------------
// Fonts, string formats, images

// A font by family name (resolved like every face: DejaVu Sans or DejaVu Sans Mono), size in
// Unit (points by default), style.
class TGPFont {
 public:
  TGPFont(const String& FamilyName, float EmSize, Integer Style = FontStyleRegular,
          TUnit Unit = UnitPoint);
  const String& FamilyName() const { return FFamily; }
  float GetSize() const { return FSize; }
  Integer GetStyle() const { return FStyle; }
  TUnit GetUnit() const { return FUnit; }
  // The em size in pixels (96 per inch).
  float PixelSize() const;

 private:
  String FFamily;
  float FSize;
  Integer FStyle;
  TUnit FUnit;
};

class TGPStringFormat {
 public:
  explicit TGPStringFormat(Integer FormatFlags = 0) : FFlags(FormatFlags) {}
  TStatus SetAlignment(TStringAlignment Align) {
    FAlign = Align;
    return Ok;
  }
  TStringAlignment GetAlignment() const { return FAlign; }
  TStatus SetLineAlignment(TStringAlignment Align) {
    FLineAlign = Align;
    return Ok;
  }
  TStringAlignment GetLineAlignment() const { return FLineAlign; }
  TStatus SetTrimming(TStringTrimming Trimming) {
    FTrimming = Trimming;
    return Ok;
  }
  TStringTrimming GetTrimming() const { return FTrimming; }
  TStatus SetFormatFlags(Integer Flags) {
    FFlags = Flags;
    return Ok;
  }
  Integer GetFormatFlags() const { return FFlags; }

 private:
  Integer FFlags = 0;
  TStringAlignment FAlign = StringAlignmentNear;
  TStringAlignment FLineAlign = StringAlignmentNear;
  TStringTrimming FTrimming = StringTrimmingCharacter;
};

// An image with its own alpha (premultiplied), taken from a bitmap, an icon or the bytes of any
// file the layer reads.
class TGPImage {
 public:
  virtual ~TGPImage();
  Integer GetWidth() const;
  Integer GetHeight() const;
  TStatus GetLastStatus() const { return FStatus; }
  // The pixels over Background (0 = transparent black) as a pf32bit bitmap with premultiplied alpha.
  TStatus GetHBITMAP(TGPColor Background, TBitmap* Result) const;
  const TBitmap& Pixels() const { return FPixels; }

 protected:
  TGPImage() = default;
  TBitmap FPixels;  // pf32bit, premultiplied
  TStatus FStatus = Ok;
};

class TGPBitmap : public TGPImage {
 public:
  // A 32-bit bitmap with AlphaFormat set keeps its alpha; any other bitmap is opaque.
  explicit TGPBitmap(const TBitmap* Bitmap);
  explicit TGPBitmap(const TIcon* Icon);
  // The bytes of a BMP, ICO, JPEG, GIF or PNG file. The alpha of 32-bit BMP files is not used.
  // UnknownImageFormat when they cannot be read.
  TGPBitmap(const Byte* Data, size_t Size);
  explicit TGPBitmap(TStream* Stream);
  TGPBitmap(Integer Width, Integer Height);  // transparent

 private:
  void LoadBytes(const Byte* Data, size_t Size);
};

// ---------------------------------------------------------------------------------------------
// Graphics

using TGraphicsState = Cardinal;

// Drawing on a bitmap or on a canvas's surface (through its window origin and within its clip).
// Smoothing is off until asked for; with the default pixel offset, pixel centres lie on whole
// coordinates (PixelOffsetModeHalf and HighQuality put them on halves). The bitmap or canvas must
// keep its size while the graphics lives.
class TGPGraphics {
 public:
  explicit TGPGraphics(TBitmap* Bitmap);
  explicit TGPGraphics(TCanvas* Canvas);
  ~TGPGraphics();
  TGPGraphics(const TGPGraphics&) = delete;
  TGPGraphics& operator=(const TGPGraphics&) = delete;

  TStatus GetLastStatus() const { return FStatus; }
  TStatus SetSmoothingMode(TSmoothingMode Mode);
  TSmoothingMode GetSmoothingMode() const;
  TStatus SetPixelOffsetMode(TPixelOffsetMode Mode);
  TPixelOffsetMode GetPixelOffsetMode() const;
  // Kept and reported; text is always drawn smoothed.
  TStatus SetTextRenderingHint(TTextRenderingHint Hint);
  TTextRenderingHint GetTextRenderingHint() const;

  TStatus Clear(TGPColor Color);
  TStatus FillRectangle(const TGPBrush* Brush, const TGPRectF& R);
  TStatus FillRectangle(const TGPBrush* Brush, const TGPRect& R);
  TStatus DrawRectangle(const TGPPen* Pen, const TGPRectF& R);
  TStatus FillEllipse(const TGPBrush* Brush, const TGPRectF& R);
  TStatus FillEllipse(const TGPBrush* Brush, const TGPRect& R);
  TStatus DrawEllipse(const TGPPen* Pen, const TGPRectF& R);
  TStatus DrawEllipse(const TGPPen* Pen, const TGPRect& R);
  TStatus DrawArc(const TGPPen* Pen, const TGPRectF& R, float StartAngle, float SweepAngle);
  TStatus DrawLine(const TGPPen* Pen, float X1, float Y1, float X2, float Y2);
  TStatus DrawLine(const TGPPen* Pen, Integer X1, Integer Y1, Integer X2, Integer Y2);
  TStatus FillPolygon(const TGPBrush* Brush, const TGPPoint* Points, Integer Count,
                      TFillMode FillMode = FillModeAlternate);
  TStatus FillPolygon(const TGPBrush* Brush, const TGPPointF* Points, Integer Count,
                      TFillMode FillMode = FillModeAlternate);
  TStatus DrawPolygon(const TGPPen* Pen, const TGPPoint* Points, Integer Count);
  TStatus DrawPolygon(const TGPPen* Pen, const TGPPointF* Points, Integer Count);
  TStatus FillPath(const TGPBrush* Brush, const TGPGraphicsPath* Path);
  TStatus DrawPath(const TGPPen* Pen, const TGPGraphicsPath* Path);
  // At natural size, top-left at (X, Y).
  TStatus DrawImage(const TGPImage* Image, float X, float Y);
  TStatus DrawImage(const TGPImage* Image, Integer X, Integer Y);
  TStatus DrawImage(const TGPImage* Image, const TGPRectF& R);

  // Text in the layout rectangle (a width or height of 0 means unlimited), laid out by Format
  // (nullptr: the default format), filled with Brush.
  TStatus DrawString(const String& Text, const TGPFont* Font, const TGPRectF& LayoutRect,
                     const TGPStringFormat* Format, const TGPBrush* Brush);
  // The box the text takes in the layout rectangle, the padding of a sixth of the em on each side
  // included.
  TStatus MeasureString(const String& Text, const TGPFont* Font, const TGPRectF& LayoutRect,
                        const TGPStringFormat* Format, TGPRectF& BoundingBox);

  TStatus SetClip(const TGPGraphicsPath* Path, TCombineMode Mode = CombineModeReplace);
  TStatus SetClip(const TGPRectF& R, TCombineMode Mode = CombineModeReplace);
  TStatus SetClip(const TGPRect& R, TCombineMode Mode = CombineModeReplace);
  TStatus SetClip(const TGPRegion* Region, TCombineMode Mode = CombineModeReplace);
  TStatus IntersectClip(const TGPRectF& R) { return SetClip(R, CombineModeIntersect); }
  TStatus ExcludeClip(const TGPRectF& R) { return SetClip(R, CombineModeExclude); }
  TStatus ResetClip();
  TStatus GetClip(TGPRegion* Region) const;
  bool IsClipEmpty() const;

  TGraphicsState Save();
  TStatus Restore(TGraphicsState State);

  struct Impl;

 private:
  TStatus Done(TStatus S) {
    FStatus = S;
    return S;
  }
  std::unique_ptr<Impl> FImpl;
  TStatus FStatus = Ok;
};
