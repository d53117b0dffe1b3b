// What the graphics layer asks of its backend (platform/qt/QtGraphics*.cpp): painting shapes and
// text onto pixel stores, font metrics, and decoding or encoding the image formats it does not
// handle itself. Also the pixel store and canvas surface shared by the layer's own raster code.
// Qt-free.
#pragma once

#include <cstddef>
#include <memory>
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

// A page of drawing kept as shapes, text and pictures instead of pixels (a printer's page), so the
// page goes to its device as vector output. Coordinates are surface pixels; each command keeps the
// clip it was drawn under (an index into Clips, -1 for the whole surface).
struct TCanvasRecording {
  struct TCommand {
    enum TKind { Fill, Lines, Shape, Text, Image } Kind = Fill;
    Integer Clip = -1;
    TRect Rect;                     // Fill: the area; Image: where the picture goes
    TColor RGB = 0;                 // Fill, Lines, Text, Shape's outline: 0x00BBGGRR
    std::vector<TPoint> Points;     // Lines: a polyline
    Integer Width = 1;              // Lines, Shape: the pen's width
    TPenStyle Style = psSolid;      // Lines, Shape: the pen's style (psClear: no outline)
    std::shared_ptr<void> ShapeData;  // Shape: a GraphicsBackend::TShape
    bool Filled = false;            // Shape: filled with FillRGB
    TColor FillRGB = 0;
    String Line;                    // Text: one line, the top-left of its cell at Rect.Left/Top
    std::shared_ptr<TFont> Font;    // Text
    bool Opaque = false;            // Text: the cell filled with BkRGB first
    TColor BkRGB = 0;
    std::shared_ptr<TBitmap::Image> Pixels;  // Image: pfDevice or premultiplied pf32bit
  };
  TSize Size;  // the page in pixels
  std::vector<TRegion> Clips;
  std::vector<TCommand> Commands;

  // The clip index for a canvas's current clip (nullptr: none), reusing the last one when equal.
  Integer ClipIndex(const TRegion* Clip) {
    if (!Clip) return -1;
    if (!Clips.empty() && Clips.back().SameArea(*Clip)) return static_cast<Integer>(Clips.size()) - 1;
    Clips.push_back(*Clip);
    return static_cast<Integer>(Clips.size()) - 1;
  }
};

// What a canvas draws on: pixels, or a recording.
struct TCanvas::Surface {
  TBitmap::Image* Target = nullptr;
  std::unique_ptr<TBitmap::Image> OwnedTarget;  // set when the surface describes foreign pixels
  TCanvasRecording* Recording = nullptr;         // set instead of Target for a recorded page
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

// A coverage mask: Width x Height bytes, row by row, non-zero where covered; its top-left pixel
// lies at (Left, Top) of the surface.
struct TMask {
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  std::vector<Byte> Bits;
  bool At(Integer X, Integer Y) const {
    X -= Left;
    Y -= Top;
    return X >= 0 && Y >= 0 && X < Width && Y < Height && Bits[static_cast<size_t>(Y) * Width + X];
  }
};

// Shapes rasterised without antialiasing, in surface pixels. The layer colours the masks itself
// (clip, pen mode, pixel format).
enum class TShapeKind { Ellipse, RoundRect, Polygon, Polyline, Arc, Pie };
struct TShape {
  TShapeKind Kind = TShapeKind::Polygon;
  TRect Bounds;                // Ellipse, RoundRect, Arc, Pie: the bounding box (right/bottom out)
  TSize Corner;                // RoundRect: the corner ellipse
  std::vector<TPoint> Points;  // Polygon, Polyline
  TPoint Start, End;           // Arc, Pie: the rays' points
  bool Winding = false;        // Polygon fill rule
};
struct TShapePen {
  Integer Width = 1;
  TPenStyle Style = psSolid;  // psClear: no outline
};
// Fill: the pixels the shape's area covers (nothing for Arc and Polyline or when WantFill is
// false); Outline: the pixels the pen covers. Lines leave out the end point of an open figure.
// With Within, only the pixels inside it are made: a shape or a pen far larger than the target
// costs what it covers of the target.
void RasterizeShape(const TShape& Shape, const TShapePen& Pen, bool WantFill, TMask& Fill,
                    TMask& Outline, const TRect* Within = nullptr);
// One line of text, the top-left of its cell at (X, Y), rotated by the font's orientation about
// that point: Glyphs covers the ink (underline and strike-out included), Cell the text cell.
void RasterizeText(const TFont& Font, Integer X, Integer Y, const String& Text, bool RightToLeft,
                   TMask& Glyphs, TMask& Cell);
// Sets the glyphs of one left-to-right line of text in colour RGB (0x00BBGGRR) straight into
// Image, the top-left of its cell at (X, Y), inside Clip: the same pixels as colouring the Glyphs
// mask of RasterizeText with a solid brush in pmCopy, without the mask (a grid draws a text per
// cell on every paint). False, with nothing drawn, for a rotated font.
bool SetTextPixels(TBitmap::Image& Image, const TRegion& Clip, const TFont& Font, Integer X, Integer Y,
                   const String& Text, TColor RGB);

// Decodes an ICO, GIF (its first frame on the frame's own canvas), PNG or other format the backend
// reads into Bitmap as pf32bit with premultiplied alpha. False when the data cannot be read.
bool DecodeImage(const Byte* Data, size_t Size, TBitmap& Bitmap);
// Encodes Bitmap as PNG (lossless; the same bytes for the same pixels).
std::vector<Byte> EncodePng(const TBitmap& Bitmap);

}  // namespace GraphicsBackend

// The layer's own raster code (Qt-free): every pixel the canvas changes goes through these, so
// the clip, the pen modes and the pixel formats are handled in one place. Coordinates are surface
// pixels; Clip is already cut to the surface.
namespace GraphicsRaster {

// The pixels a canvas draws on now: its surface, the clip in surface pixels (cut to the surface) and
// its window origin. False when the canvas has no surface or nothing can be drawn.
bool CanvasTarget(const TCanvas& Canvas, TBitmap::Image*& Image, TRegion& Clip, TPoint& Origin);

// The binary raster operation of a pen mode on 0x00BBGGRR values.
Cardinal Rop2(TPenMode Mode, Cardinal Pen, Cardinal Dest);
// The ternary raster operations of CopyRect for source S, destination D and pattern P.
Cardinal Rop3(TCopyMode Mode, Cardinal S, Cardinal D, Cardinal P);

struct TRasterBrush {
  TColor RGB = 0xFFFFFF;
  TBrushStyle Style = bsSolid;  // hatches draw RGB on BkRGB (or on what is there when !BkOpaque)
  TColor BkRGB = 0xFFFFFF;
  bool BkOpaque = true;
};

// The surface's pixel rectangle.
TRect ImageRect(const TBitmap::Image& Image);
// Fills R with the brush, combined by Mode.
void FillRect(TBitmap::Image& Image, const TRegion& Clip, const TRect& R, const TRasterBrush& Brush,
              TPenMode Mode);
// Colours the covered pixels of Mask (those also covered by Except are skipped).
void FillMask(TBitmap::Image& Image, const TRegion& Clip, const GraphicsBackend::TMask& Mask,
              const TRasterBrush& Brush, TPenMode Mode,
              const GraphicsBackend::TMask* Except = nullptr);
// A one-pixel line from (X0, Y0) towards (X1, Y1), the end pixel left out; Style dashes it (gaps in
// BkRGB when BkOpaque). Pattern carries the dash phase from one segment to the next.
void Line(TBitmap::Image& Image, const TRegion& Clip, Integer X0, Integer Y0, Integer X1, Integer Y1,
          TColor RGB, TPenStyle Style, TPenMode Mode, bool BkOpaque, TColor BkRGB,
          Integer& Pattern);
void SetPixel(TBitmap::Image& Image, const TRegion& Clip, Integer X, Integer Y, TColor RGB,
              TPenMode Mode);
// Inverts every other pixel of R's frame (checkerboard aligned to the surface).
void FocusRect(TBitmap::Image& Image, const TRegion& Clip, const TRect& R);
// Fills from (X, Y): fsBorder up to pixels of Color, fsSurface the pixels of Color.
void FloodFill(TBitmap::Image& Image, const TRegion& Clip, Integer X, Integer Y, TColor Color,
               TFillStyle Style, const TRasterBrush& Brush);

// How a source block is put down by Blit.
struct TBlitMode {
  enum TKind { Rop, Transparent, Alpha } Kind = Rop;
  TCopyMode CopyMode = cmSrcCopy;   // Rop
  TColor PatternRGB = 0xFFFFFF;     // Rop: the brush as pattern
  TColor KeyRGB = 0;                // Transparent: this source colour is left out
  TColor ReplaceRGB = clNone;       // Transparent and Rop: when set, KeyRGB pixels become this
  Byte ConstantAlpha = 255;         // Alpha
  bool PerPixelAlpha = false;       // Alpha: the source is premultiplied 32-bit
  bool Premultiply = false;         // Alpha: premultiply the source's straight alpha first
};
// Copies SourceRect of Source to DestRect of Dest, nearest-neighbour stretched when the sizes
// differ (a negative width or height mirrors). Source and Dest may be the same image.
void Blit(TBitmap::Image& Dest, const TRegion& Clip, const TRect& DestRect,
          const TBitmap::Image& Source, const TRect& SourceRect, const TBlitMode& Mode);

}  // namespace GraphicsRaster

// Recording instead of drawing (GraphicsCanvas.cpp): the recording a canvas draws into, nullptr
// when it draws pixels; the clip index of the canvas's current clip in it; and the commands the
// layer's drawing code adds. Coordinates are logical: the window origin is taken off here.
namespace GraphicsRecord {

TCanvasRecording* Of(const TCanvas& Canvas);
void Fill(TCanvas& Canvas, const TRect& R, TColor Color);
void Text(TCanvas& Canvas, Integer X, Integer Y, const String& Text, const TFont& Font, bool Opaque, TColor Bk,
          const TRect* ClipTo = nullptr);
// Pixels of the colour Key (0x00BBGGRR; clNone: none) are left out.
void Picture(TCanvas& Canvas, const TRect& R, const TBitmap::Image& Pixels, const TRect* SourceRect = nullptr,
             TColor Key = clNone);

}  // namespace GraphicsRecord
