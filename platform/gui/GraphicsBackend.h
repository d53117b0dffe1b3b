// What the graphics layer asks of its backend (platform/qt/QtGraphics*.cpp): painting shapes and
// text onto pixel stores, font metrics, and decoding or encoding the image formats it does not
// handle itself. Also the pixel store and canvas surface shared by the layer's own raster code.
// Qt-free.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/gui/Graphics.h"

// The pixels of a bitmap, rows top to bottom, each row BytesPerLine bytes (a multiple of 4).
// pfDevice and pf32bit: 4 bytes per pixel, B, G, R, A (pfDevice keeps A at 0xFF; pf32bit is
// premultiplied); pf24bit: 3 bytes per pixel, B, G, R.
struct TBitmap::Image {
  Integer Width = 0;
  Integer Height = 0;
  Integer BytesPerLine = 0;
  TPixelFormat Format = pfDevice;
  std::vector<Byte> Data;    // own pixels
  Byte* External = nullptr;  // or pixels owned by someone else (a canvas over a foreign image)

  Byte* Bits() { return External ? External : Data.data(); }
  const Byte* Bits() const { return External ? External : Data.data(); }
  Byte* Row(Integer Y) { return Bits() + static_cast<size_t>(Y) * BytesPerLine; }
  const Byte* Row(Integer Y) const { return Bits() + static_cast<size_t>(Y) * BytesPerLine; }
  Integer BytesPerPixel() const { return Format == pf24bit ? 3 : 4; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// What a canvas draws on.
struct TCanvas::Surface {
  TBitmap::Image* Target = nullptr;
  std::unique_ptr<TBitmap::Image> OwnedTarget;  // set when the surface describes foreign pixels
};

namespace GraphicsBackend {

// Storage of a pixel store: 4-byte aligned rows.
Integer BytesPerLineFor(Integer Width, TPixelFormat Format);
// Resizes Image to W x H in Format, keeping the pixels that stay inside and filling the new ones
// with Fill (0x00BBGGRR; pf32bit new pixels are transparent black whatever Fill is).
void ResizeImage(TBitmap::Image& Image, Integer W, Integer H, TPixelFormat Format, TColor Fill);
// Reads and writes one pixel as 0x00BBGGRR (pf32bit: the premultiplied bytes as stored).
TColor GetPixel(const TBitmap::Image& Image, Integer X, Integer Y);
void PutPixel(TBitmap::Image& Image, Integer X, Integer Y, TColor RGB);

// Font measures in pixels of the face a TFont resolves to.
struct TFontInfo {
  Integer Ascent = 0;
  Integer Descent = 0;
  Integer Height = 0;  // Ascent + Descent: the text cell
  Integer InternalLeading = 0;
  Integer ExternalLeading = 0;
  Integer AveCharWidth = 0;
  Integer MaxCharWidth = 0;
  Integer UnderlinePos = 0;  // below the base line
  Integer LineWidth = 1;
};
TFontInfo FontInfo(const TFont& Font);
// The advance width of Text on one line (tabs not expanded).
Integer TextWidth(const TFont& Font, const String& Text);
// The family a face name draws with: "DejaVu Sans", or "DejaVu Sans Mono" for fixed-pitch faces.
String ResolveFontFamily(const String& Name, TFontPitch Pitch);
// The pixel size of the em for a TFont Height (negative: em height; positive: cell height).
Integer FontPixelSize(const TFont& Font);

// Shapes painted without antialiasing; coordinates are surface pixels, Clip (may be nullptr)
// limits the pixels touched, Mode combines pen and brush with the pixels below.
enum class TShapeKind { Ellipse, RoundRect, Polygon, Polyline, Arc, Pie };
struct TShape {
  TShapeKind Kind = TShapeKind::Polygon;
  TRect Bounds;                // Ellipse, RoundRect, Arc, Pie: the bounding box (right/bottom out)
  TSize Corner;                // RoundRect: the corner ellipse
  std::vector<TPoint> Points;  // Polygon, Polyline
  TPoint Start, End;           // Arc, Pie: the rays' points
  bool Winding = false;        // Polygon fill rule
};
struct TPaintPen {
  TColor RGB = 0;
  Integer Width = 1;
  TPenStyle Style = psSolid;  // psClear: no outline
};
struct TPaintBrush {
  TColor RGB = 0;
  TBrushStyle Style = bsSolid;  // bsClear: no fill
  TColor BkRGB = 0xFFFFFF;      // hatch background
  bool BkOpaque = true;
};
void PaintShape(TBitmap::Image& Target, const TRegion* Clip, const TShape& Shape,
                const TPaintPen& Pen, const TPaintBrush& Brush, TPenMode Mode);
// One line of text, the top-left of its cell at (X, Y), rotated by the font's orientation about
// that point; with Opaque the text cell is first filled with BkRGB.
void PaintText(TBitmap::Image& Target, const TRegion* Clip, const TFont& Font, Integer X, Integer Y,
               const String& Text, TColor TextRGB, bool Opaque, TColor BkRGB);

// Decodes an ICO, GIF (its first frame on the frame's own canvas), PNG or other format the backend
// reads into Bitmap as pf32bit with premultiplied alpha. False when the data cannot be read.
bool DecodeImage(const Byte* Data, size_t Size, TBitmap& Bitmap);
// Encodes Bitmap as PNG (lossless; the same bytes for the same pixels).
std::vector<Byte> EncodePng(const TBitmap& Bitmap);

}  // namespace GraphicsBackend
