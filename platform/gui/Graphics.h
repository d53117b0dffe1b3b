// Colours, geometry, fonts, pens, brushes, the GDI-style canvas, our own DrawText, 3-D edges and
// frame controls, bitmaps, icons, JPEG images, pictures and image lists.
//
// The canvas follows the classic GDI rules: right and bottom edges are exclusive, LineTo leaves out
// its end pixel in every direction, outlines stay inside the bounding box, TextOut takes the top of
// the text cell and nothing is antialiased. Smoothed drawing lives in GdiPlus.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/gui/Component.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

class TCanvas;
class TBitmap;
class TGraphic;

// Raised when a graphic cannot be read, written or converted.
KP_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
KP_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

// ---------------------------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------------------------

// 0x00BBGGRR for a plain colour; 0xFF0000nn for system colour nn; clNone and clDefault are markers.
using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor RGB(Byte R, Byte G, Byte B) {
  return static_cast<TColor>(R | (G << 8) | (B << 16));
}
constexpr Byte GetRValue(Integer RGBColor) { return static_cast<Byte>(RGBColor & 0xFF); }
constexpr Byte GetGValue(Integer RGBColor) { return static_cast<Byte>((RGBColor >> 8) & 0xFF); }
constexpr Byte GetBValue(Integer RGBColor) { return static_cast<Byte>((RGBColor >> 16) & 0xFF); }

// The RGB value of a colour: system colours (0xFF0000nn) come from a fixed table, the same on every
// machine, so drawings are reproducible; any other value (clNone, clDefault included) is returned
// as it is.
Integer ColorToRGB(TColor Color);
// The name of a standard colour ("clBlack", "clWindow", "clNone" …); false for any other value.
bool ColorToIdent(TColor Color, String& Ident);
// The colour of a standard colour name (any letter case; "clLtGray" and "clDkGray" included).
bool IdentToColor(const String& Ident, TColor& Color);
// The fixed table behind ColorToRGB for system colour index 0..30 (0x00BBGGRR).
Integer GetSysColor(Integer Index);

// ---------------------------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------------------------

struct TPoint {
  Integer X = 0;
  Integer Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(Integer AX, Integer AY) : X(AX), Y(AY) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  Integer cx = 0;
  Integer cy = 0;
  constexpr TSize() = default;
  constexpr TSize(Integer ACx, Integer ACy) : cx(ACx), cy(ACy) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive: Rect(0, 0, 10, 10) covers pixels 0..9 in each direction.
struct TRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
      : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
  constexpr TRect(const TPoint& TopLeft, const TPoint& BottomRight)
      : Left(TopLeft.X), Top(TopLeft.Y), Right(BottomRight.X), Bottom(BottomRight.Y) {}
  constexpr Integer Width() const { return Right - Left; }
  constexpr Integer Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(Integer X, Integer Y) { return {X, Y}; }
constexpr TRect Rect(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(Integer Left, Integer Top, Integer Width, Integer Height) {
  return {Left, Top, Left + Width, Top + Height};
}
// True when P lies inside R (right and bottom edges excluded).
bool PtInRect(const TRect& R, const TPoint& P);
// A rectangle is empty when it has no width or no height.
bool IsRectEmpty(const TRect& R);
bool EqualRect(const TRect& A, const TRect& B);
void InflateRect(TRect& R, Integer DX, Integer DY);
void OffsetRect(TRect& R, Integer DX, Integer DY);
// Dest := the common part of A and B; false (and Dest empty, all zero) when they do not meet.
bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B);
// Dest := the smallest rectangle holding A and B (an empty one is ignored); false when both are empty.
bool UnionRect(TRect& Dest, const TRect& A, const TRect& B);
TPoint CenterPoint(const TRect& R);

// A region: a set of pixels kept as disjoint rectangles. Used for clipping.
class TRegion {
 public:
  TRegion() = default;
  explicit TRegion(const TRect& R);
  bool IsEmpty() const { return FRects.empty(); }
  // The smallest rectangle holding the region (empty when the region is empty).
  TRect Bounds() const;
  bool Contains(const TPoint& P) const;
  bool Contains(Integer X, Integer Y) const { return Contains(TPoint(X, Y)); }
  const std::vector<TRect>& Rects() const { return FRects; }
  void Clear() { FRects.clear(); }
  void Union(const TRect& R);
  void Union(const TRegion& R);
  void Intersect(const TRect& R);
  void Intersect(const TRegion& R);
  void Subtract(const TRect& R);
  void Subtract(const TRegion& R);
  void Offset(Integer DX, Integer DY);
  // Same set of pixels, whatever the split into rectangles.
  bool SameArea(const TRegion& Other) const;

 private:
  std::vector<TRect> FRects;  // disjoint, none empty
};

// ---------------------------------------------------------------------------------------------
// Fonts, pens, brushes
// ---------------------------------------------------------------------------------------------

// Base of fonts, pens and brushes: change notification and assignment.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;
  String ClassName() const override { return u"TGraphicsObject"; }

 protected:
  void Changed();
};

enum TFontStyle : Byte { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
    for (TFontStyle S : Styles) FBits |= static_cast<Byte>(1u << S);
  }
  constexpr bool Contains(TFontStyle S) const { return (FBits >> S) & 1u; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TFontStyles& Include(TFontStyle S) {
    FBits |= static_cast<Byte>(1u << S);
    return *this;
  }
  constexpr TFontStyles& Exclude(TFontStyle S) {
    FBits &= static_cast<Byte>(~(1u << S));
    return *this;
  }
  // Set-style operators: Styles << fsBold adds, Styles >> fsBold removes.
  constexpr TFontStyles operator<<(TFontStyle S) const { return TFontStyles(*this).Include(S); }
  constexpr TFontStyles operator>>(TFontStyle S) const { return TFontStyles(*this).Exclude(S); }
  constexpr TFontStyles operator+(TFontStyles O) const { return FromBits(FBits | O.FBits); }
  constexpr TFontStyles operator-(TFontStyles O) const { return FromBits(FBits & ~O.FBits); }
  constexpr TFontStyles operator*(TFontStyles O) const { return FromBits(FBits & O.FBits); }
  constexpr Byte Bits() const { return FBits; }
  static constexpr TFontStyles FromBits(unsigned Bits) {
    TFontStyles S;
    S.FBits = static_cast<Byte>(Bits & 0x0F);
    return S;
  }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  Byte FBits = 0;
};

enum TFontPitch : Byte { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;

// The font of a canvas or control. Height in pixels: negative = character (em) height, positive =
// cell height (with the internal leading); Size in points at 96 pixels per inch. Every face resolves
// to DejaVu Sans (fixed-pitch faces to DejaVu Sans Mono) when drawn.
class TFont : public TGraphicsObject {
 public:
  TFont();
  String ClassName() const override { return u"TFont"; }
  void Assign(TPersistent* Source) override;
  void Assign(const TFont* Source);

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // Points: -Height x 72 / 96, rounded; a positive Height gives a negative Size.
  Integer Size() const;
  void SetSize(Integer Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  // Angle of the text base line in tenths of a degree, counter-clockwise.
  Integer Orientation() const { return FOrientation; }
  void SetOrientation(Integer Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  Integer PixelsPerInch() const { return 96; }

 private:
  String FName = u"Tahoma";
  Integer FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  Integer FOrientation = 0;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
};

enum TPenStyle : Byte { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The binary raster operation between the pen (P) and the screen (D).
enum TPenMode : Byte {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};

class TPen : public TGraphicsObject {
 public:
  String ClassName() const override { return u"TPen"; }
  void Assign(TPersistent* Source) override;
  void Assign(const TPen* Source);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);  // below 1 counts as 1 when drawing
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

 private:
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle : Byte {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush : public TGraphicsObject {
 public:
  String ClassName() const override { return u"TBrush"; }
  void Assign(TPersistent* Source) override;
  void Assign(const TBrush* Source);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);  // a clear brush becomes solid, as a colour is chosen
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------------------------
// Canvas
// ---------------------------------------------------------------------------------------------

enum TFillStyle : Byte { fsSurface, fsBorder };
enum TCanvasOrientation : Byte { coLeftToRight, coRightToLeft };

// Text background modes.
constexpr Integer TRANSPARENT = 1;
constexpr Integer OPAQUE = 2;

// Copy modes of CopyRect and Draw (source S, destination D).
using TCopyMode = Cardinal;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// A drawing surface with GDI rules. A bitmap owns one (TBitmap::Canvas); the control library makes
// one over a control's backing image. A canvas without a surface ignores drawing and measures text.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  String ClassName() const override { return u"TCanvas"; }

  TFont* Font() { return &FFont; }
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  void SetFont(const TFont* Value) { FFont.Assign(Value); }
  void SetPen(const TPen* Value) { FPen.Assign(Value); }
  void SetBrush(const TBrush* Value) { FBrush.Assign(Value); }

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(const TPoint& Value) { FPenPos = Value; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

  // Text background: TRANSPARENT or OPAQUE with BkColor. Choosing a brush sets both (a clear brush
  // gives TRANSPARENT, any other OPAQUE with the brush colour), as selecting a brush does.
  Integer BkMode() const { return FBkMode; }
  void SetBkMode(Integer Mode) { FBkMode = Mode; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }

  // Lines: the pen from PenPos to (X, Y); the end pixel is left out.
  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void Polyline(const std::vector<TPoint>& Points);
  void Polyline(const TPoint* Points, Integer Count);

  // Areas: the brush fills, the pen outlines, all inside [Left, Right) x [Top, Bottom).
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);  // one pixel in the brush colour
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  // Corners are quarter ellipses of X3 x Y3.
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void RoundRect(const TRect& R, Integer CX, Integer CY) {
    RoundRect(R.Left, R.Top, R.Right, R.Bottom, CX, CY);
  }
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  // Filled with the brush (alternate fill unless Winding), outlined with the pen, closed.
  void Polygon(const std::vector<TPoint>& Points, bool Winding = false);
  void Polygon(const TPoint* Points, Integer Count, bool Winding = false);
  // Arcs of the ellipse in (X1, Y1, X2, Y2), counter-clockwise from the ray to (X3, Y3) to the
  // ray to (X4, Y4). Pie closes the arc with two radii and fills it.
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
           Integer Y4);
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
           Integer Y4);

  // A pixel; clNone (0x1FFFFFFF) is read outside the surface.
  TColor Pixels(Integer X, Integer Y) const;
  void SetPixels(Integer X, Integer Y, TColor Value);

  // Text in Font, top-left of the text cell at (X, Y); the background follows BkMode/BkColor.
  // The pen position moves to the end of the text.
  void TextOut(Integer X, Integer Y, const String& Text);
  // Text clipped to R; R is filled with the brush first unless the brush is clear.
  void TextRect(const TRect& R, Integer X, Integer Y, const String& Text);
  Integer TextWidth(const String& Text);
  Integer TextHeight(const String& Text);
  TSize TextExtent(const String& Text);

  // Graphics: at natural size; stretched into R; Opacity 0..255 blends the whole graphic.
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void Draw(Integer X, Integer Y, TGraphic* Graphic, Byte Opacity);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  // Copies Source of Canvas to Dest (stretching when the sizes differ) with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of Bitmap to Dest, the pixels of Color replaced by the brush colour.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // A dotted rectangle inverted in place: drawing it twice restores the pixels.
  void DrawFocusRect(const TRect& R);
  // fsBorder: fills from (X, Y) up to pixels of Color. fsSurface: fills the area of Color.
  void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);

  // Clipping; no clip means the whole surface. As on a device context, regions are given and
  // returned in surface pixels, rectangles in logical coordinates (see WindowOrg).
  // ClipRect is the bounding box of what can currently be drawn, in logical coordinates.
  TRect ClipRect() const;
  bool HasClip() const { return FHasClip; }
  // Replaces the clip; nullptr removes it.
  void SelectClipRgn(const TRegion* Rgn);
  void SelectClipRect(const TRect& R);
  void IntersectClipRect(const TRect& R);
  void ExcludeClipRect(const TRect& R);
  // Copies the current clip; false when there is none.
  bool GetClipRgn(TRegion& Rgn) const;
  // Saves the state of the surface: clip, window origin, pen position, text background mode and
  // colour. Pen, brush and font stay as the program set them. Returns the level (1, 2, ...).
  Integer SaveDC();
  // Restores a level from SaveDC (a negative value counts back from the latest). False if unknown.
  bool RestoreDC(Integer SavedDC);

  // Window origin: logical point (X, Y) is drawn at surface pixel (X - Org.X, Y - Org.Y).
  TPoint WindowOrg() const { return FOrigin; }
  void SetWindowOrg(const TPoint& Org) { FOrigin = Org; }
  void MoveWindowOrg(Integer DX, Integer DY) {
    FOrigin.X -= DX;
    FOrigin.Y -= DY;
  }

  TCanvasOrientation CanvasOrientation() const { return coLeftToRight; }
  Integer PixelsPerInch() const { return 96; }

  // Lock/Unlock count nested users of the canvas from other threads; drawing itself is not
  // serialised (the GUI thread draws).
  void Lock();
  void Unlock();
  bool TryLock();
  Integer LockCount() const { return FLockCount; }

  // The size of the surface in pixels (0 x 0 without one).
  TSize SurfaceSize() const;

  // Called after every drawing operation (a bitmap passes it on as its own OnChange).
  TNotifyEvent OnChange;

  // The surface (see GraphicsBackend.h), for the backend and the drawing helpers of this layer.
  // The canvas owns it.
  struct Surface;
  Surface* GetSurface() const { return FSurface.get(); }
  void SetSurface(std::unique_ptr<Surface> Value);

 private:
  struct SavedState;
  void BrushChanged();
  void Changed();

  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
  TPoint FOrigin;
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FBkMode = OPAQUE;
  TColor FBkColor = clWhite;
  bool FHasClip = false;
  TRegion FClip;  // in surface pixels
  std::vector<std::unique_ptr<SavedState>> FSaved;
  Integer FLockCount = 0;
  std::unique_ptr<Surface> FSurface;
};

// ---------------------------------------------------------------------------------------------
// Text drawing, 3-D edges, frame controls, alpha blending
// ---------------------------------------------------------------------------------------------

constexpr Cardinal DT_TOP = 0x00000000;
constexpr Cardinal DT_LEFT = 0x00000000;
constexpr Cardinal DT_CENTER = 0x00000001;
constexpr Cardinal DT_RIGHT = 0x00000002;
constexpr Cardinal DT_VCENTER = 0x00000004;
constexpr Cardinal DT_BOTTOM = 0x00000008;
constexpr Cardinal DT_WORDBREAK = 0x00000010;
constexpr Cardinal DT_SINGLELINE = 0x00000020;
constexpr Cardinal DT_EXPANDTABS = 0x00000040;
constexpr Cardinal DT_TABSTOP = 0x00000080;
constexpr Cardinal DT_NOCLIP = 0x00000100;
constexpr Cardinal DT_EXTERNALLEADING = 0x00000200;
constexpr Cardinal DT_CALCRECT = 0x00000400;
constexpr Cardinal DT_NOPREFIX = 0x00000800;
constexpr Cardinal DT_INTERNAL = 0x00001000;
constexpr Cardinal DT_EDITCONTROL = 0x00002000;
constexpr Cardinal DT_PATH_ELLIPSIS = 0x00004000;
constexpr Cardinal DT_END_ELLIPSIS = 0x00008000;
constexpr Cardinal DT_MODIFYSTRING = 0x00010000;
constexpr Cardinal DT_RTLREADING = 0x00020000;
constexpr Cardinal DT_WORD_ELLIPSIS = 0x00040000;
constexpr Cardinal DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr Cardinal DT_HIDEPREFIX = 0x00100000;
constexpr Cardinal DT_PREFIXONLY = 0x00200000;

// Draws Text (Count units, -1 = all) in R with the canvas font, the font colour and the canvas
// text background; returns the height of the text drawn (from R.Top). With DT_CALCRECT nothing is
// drawn: R.Right and R.Bottom are set to the extent of the text (R.Left/R.Top stay).
// "&" marks the next character as the prefix (underlined); "&&" shows "&" (unless DT_NOPREFIX).
Integer DrawText(TCanvas* Canvas, const String& Text, Integer Count, TRect& R, Cardinal Format);
Integer DrawText(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format);

// 3-D edges.
constexpr Cardinal BDR_RAISEDOUTER = 0x0001;
constexpr Cardinal BDR_SUNKENOUTER = 0x0002;
constexpr Cardinal BDR_RAISEDINNER = 0x0004;
constexpr Cardinal BDR_SUNKENINNER = 0x0008;
constexpr Cardinal BDR_OUTER = 0x0003;
constexpr Cardinal BDR_INNER = 0x000C;
constexpr Cardinal BDR_RAISED = 0x0005;
constexpr Cardinal BDR_SUNKEN = 0x000A;
constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr Cardinal EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr Cardinal EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr Cardinal BF_LEFT = 0x0001;
constexpr Cardinal BF_TOP = 0x0002;
constexpr Cardinal BF_RIGHT = 0x0004;
constexpr Cardinal BF_BOTTOM = 0x0008;
constexpr Cardinal BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr Cardinal BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr Cardinal BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr Cardinal BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr Cardinal BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr Cardinal BF_DIAGONAL = 0x0010;
constexpr Cardinal BF_MIDDLE = 0x0800;
constexpr Cardinal BF_SOFT = 0x1000;
constexpr Cardinal BF_ADJUST = 0x2000;
constexpr Cardinal BF_FLAT = 0x4000;
constexpr Cardinal BF_MONO = 0x8000;

// Draws the edges of R in the system colours; with BF_ADJUST R shrinks by the edges drawn.
bool DrawEdge(TCanvas* Canvas, TRect& R, Cardinal Edge, Cardinal Flags);

// Frame controls.
constexpr Cardinal DFC_CAPTION = 1;
constexpr Cardinal DFC_MENU = 2;
constexpr Cardinal DFC_SCROLL = 3;
constexpr Cardinal DFC_BUTTON = 4;
constexpr Cardinal DFCS_BUTTONCHECK = 0x0000;
constexpr Cardinal DFCS_BUTTONRADIOIMAGE = 0x0001;
constexpr Cardinal DFCS_BUTTONRADIOMASK = 0x0002;
constexpr Cardinal DFCS_BUTTONRADIO = 0x0004;
constexpr Cardinal DFCS_BUTTON3STATE = 0x0008;
constexpr Cardinal DFCS_BUTTONPUSH = 0x0010;
constexpr Cardinal DFCS_SCROLLUP = 0x0000;
constexpr Cardinal DFCS_SCROLLDOWN = 0x0001;
constexpr Cardinal DFCS_SCROLLLEFT = 0x0002;
constexpr Cardinal DFCS_SCROLLRIGHT = 0x0003;
constexpr Cardinal DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr Cardinal DFCS_SCROLLSIZEGRIP = 0x0008;
constexpr Cardinal DFCS_CAPTIONCLOSE = 0x0000;
constexpr Cardinal DFCS_MENUARROW = 0x0000;
constexpr Cardinal DFCS_MENUCHECK = 0x0001;
constexpr Cardinal DFCS_INACTIVE = 0x0100;
constexpr Cardinal DFCS_PUSHED = 0x0200;
constexpr Cardinal DFCS_CHECKED = 0x0400;
constexpr Cardinal DFCS_TRANSPARENT = 0x0800;
constexpr Cardinal DFCS_HOT = 0x1000;
constexpr Cardinal DFCS_ADJUSTRECT = 0x2000;
constexpr Cardinal DFCS_FLAT = 0x4000;
constexpr Cardinal DFCS_MONO = 0x8000;

// Draws a classic button, check box, radio button, scroll arrow, combo button, size grip, caption
// close box or menu mark into R. With DFCS_ADJUSTRECT a push button's R shrinks to its face.
bool DrawFrameControl(TCanvas* Canvas, TRect& R, Cardinal Type, Cardinal State);

// Blends Src (SourceRect) onto Dest (DestRect, stretched when sizes differ): every source pixel is
// scaled by SourceConstantAlpha/255; with PerPixelAlpha the source is premultiplied 32-bit and its
// own alpha counts too.
bool AlphaBlend(TCanvas* Dest, const TRect& DestRect, TCanvas* Src, const TRect& SourceRect,
                Byte SourceConstantAlpha, bool PerPixelAlpha);

// ---------------------------------------------------------------------------------------------
// Graphics: bitmaps, icons, JPEG images, pictures
// ---------------------------------------------------------------------------------------------

// Anything that can be drawn on a canvas and read from or written to a file.
class TGraphic : public TPersistent {
 public:
  ~TGraphic() override;
  String ClassName() const override { return u"TGraphic"; }

  virtual bool Empty() const = 0;
  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);

  // Files by name; raise EFOpenError/EFCreateError for the file, EInvalidGraphic for its content.
  virtual void LoadFromFile(const String& FileName);
  virtual void SaveToFile(const String& FileName);
  // Streams read from the current position to the end of the graphic.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream);
  // The whole encoded file in memory.
  virtual void LoadFromMemory(const Byte* Data, size_t Size) = 0;
  virtual std::vector<Byte> SaveToMemory() const = 0;

  // Draws the graphic stretched into R.
  virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat : Byte {
  pfDevice,  // 32 bits: B, G, R, unused (always 0xFF)
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,  // 24 bits: B, G, R
  pf32bit,  // 32 bits: B, G, R, A, premultiplied
  pfCustom
};
enum TTransparentMode : Byte { tmAuto, tmFixed };
enum TAlphaFormat : Byte { afIgnored, afDefined, afPremultiplied };

// A bitmap in memory with its canvas. Only pfDevice, pf24bit and pf32bit are stored; the other
// formats are kept as pfDevice. ScanLine gives the bytes of a row in the Windows order.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(Integer AWidth, Integer AHeight);
  ~TBitmap() override;
  String ClassName() const override { return u"TBitmap"; }

  void Assign(TPersistent* Source) override;
  bool Empty() const override;
  Integer Width() const override;
  Integer Height() const override;
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  // New pixels are white (pfDevice, pf24bit) or transparent black (pf32bit); kept pixels stay.
  void SetSize(Integer AWidth, Integer AHeight);

  TPixelFormat PixelFormat() const;
  void SetPixelFormat(TPixelFormat Value);
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat Value);
  // Row Row of the pixels (0 = top), BytesPerScanLine bytes; raises EInvalidGraphicOperation
  // outside 0..Height-1.
  void* ScanLine(Integer Row);
  const void* ScanLine(Integer Row) const;
  Integer BytesPerScanLine() const;

  TCanvas* Canvas();

  // The colour drawn transparent when Transparent is set: with tmAuto the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);  // sets tmFixed (clDefault returns to tmAuto)
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Turns the bitmap into a black-and-white mask: pixels of TransparentColor white, others black.
  void Mask(TColor TransparentColor);
  // Frees the pixels; the bitmap becomes empty.
  void FreeImage();

  void LoadFromMemory(const Byte* Data, size_t Size) override;  // BMP files
  std::vector<Byte> SaveToMemory() const override;             // BMP files
  // Reads exactly one BMP file (its length from its header) from the stream.
  void LoadFromStream(TStream* Stream) override;
  // A bitmap from the built-in resource table; EResNotFound when the name is unknown.
  void LoadFromResourceName(const String& ResName);

  void Draw(TCanvas* ACanvas, const TRect& R) override;

  // The pixel store (see GraphicsBackend.h), for the backend and the drawing helpers of this layer.
  struct Image;
  Image* GetImage() const { return FImage.get(); }
  void ImageChanged() { Changed(); }

 private:
  void NewCanvasSurface();
  void SyncSize();
  std::unique_ptr<Image> FImage;
  Integer FWidth = 0;   // the sides asked for; the pixels exist only when both are above 0
  Integer FHeight = 0;
  std::unique_ptr<TCanvas> FCanvas;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TAlphaFormat FAlphaFormat = afIgnored;
};

KP_DECLARE_EXCEPTION(EResNotFound, Exception)

// Adds a named bitmap (the bytes of a BMP file) to the built-in resource table. Later additions of
// the same name replace earlier ones.
void RegisterBitmapResource(const String& Name, std::vector<Byte> BmpFile);

// An icon: one image of an ICO file with its transparency (kept as premultiplied 32-bit pixels).
class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;
  String ClassName() const override { return u"TIcon"; }
  void Assign(TPersistent* Source) override;
  bool Empty() const override;
  Integer Width() const override;
  Integer Height() const override;
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  void LoadFromMemory(const Byte* Data, size_t Size) override;  // ICO: the first image
  std::vector<Byte> SaveToMemory() const override;             // ICO with one 32-bit image
  void Draw(TCanvas* ACanvas, const TRect& R) override;
  // The icon's pixels as a pf32bit bitmap with premultiplied alpha.
  const TBitmap* Bitmap() const { return &FBitmap; }

 private:
  TBitmap FBitmap;
};

// A JPEG image, decoded and encoded with libjpeg.
class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  String ClassName() const override { return u"TJPEGImage"; }
  // From a bitmap (or another JPEG image): the pixels are taken over; saving encodes them.
  void Assign(TPersistent* Source) override;
  bool Empty() const override;
  Integer Width() const override;
  Integer Height() const override;
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  // 1..100, default 90.
  Integer CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(Integer Value);
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  void LoadFromMemory(const Byte* Data, size_t Size) override;
  std::vector<Byte> SaveToMemory() const override;
  void Draw(TCanvas* ACanvas, const TRect& R) override;
  // The decoded pixels (pf24bit).
  const TBitmap* Bitmap() const { return &FBitmap; }

 private:
  TBitmap FBitmap;
  Integer FQuality = 90;
  bool FGrayscale = false;
};

// A holder of any graphic, chosen by file extension (LoadFromFile) or content (LoadFromMemory):
// BMP, ICO, JPEG; GIF (the first frame at its own size) and PNG become pf32bit bitmaps with
// premultiplied alpha. Metafiles are not supported: their load raises EInvalidGraphic and the
// picture stays empty.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  String ClassName() const override { return u"TPicture"; }
  // From another picture or any graphic (nullptr empties the picture).
  void Assign(TPersistent* Source) override;

  // nullptr when empty.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Takes a copy of Value (nullptr empties the picture).
  void SetGraphic(const TGraphic* Value);
  // The graphic as a bitmap; an empty bitmap replaces any other kind of graphic.
  TBitmap* Bitmap();
  void SetBitmap(const TBitmap* Value) { SetGraphic(Value); }
  TIcon* Icon();
  Integer Width() const;
  Integer Height() const;

  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromMemory(const Byte* Data, size_t Size);

  TNotifyEvent OnChange;

 private:
  void SetOwnedGraphic(std::unique_ptr<TGraphic> G);
  void GraphicChanged();
  std::unique_ptr<TGraphic> FGraphic;
};

// Reads a graphic of any supported kind from the bytes of its file (nullptr when the kind is not
// recognised); raises EInvalidGraphic for a recognised kind with broken content or a metafile.
std::unique_ptr<TGraphic> LoadGraphicFromMemory(const Byte* Data, size_t Size);

// A list of images of one size, kept with their transparency.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  TImageList(TComponent* AOwner, Integer AWidth, Integer AHeight);
  ~TImageList() override;
  String ClassName() const override { return u"TImageList"; }
  // From another image list: size, background colour and copies of the images.
  void Assign(TPersistent* Source) override;

  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  // Changing the size clears the list.
  void SetWidth(Integer Value);
  void SetHeight(Integer Value);
  void SetSize(Integer AWidth, Integer AHeight);
  Integer Count() const { return static_cast<Integer>(FImages.size()); }

  // Adds the images of Image cut in Width-wide pieces; Mask (white = transparent) may be nullptr.
  // Returns the index of the first image added, -1 when none was.
  Integer Add(TBitmap* Image, TBitmap* Mask);
  // As Add, the pixels of MaskColor transparent (clDefault: the bottom-left pixel's colour).
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  // Adds an icon with its own transparency, scaled to the list's size.
  Integer AddIcon(TIcon* Image);
  void Delete(Integer Index);
  void Clear();
  // Disabled images are drawn grey.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  // The image on a background of BkColor (clNone: transparent black) as a pf32bit bitmap. False for
  // an index out of range.
  bool GetBitmap(Integer Index, TBitmap* Image) const;
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value) { FBkColor = Value; }

  TNotifyEvent OnChange;

 private:
  Integer AddPieces(TBitmap* Image, TBitmap* Mask, TColor MaskColor, bool UseColor);
  void Changed();
  Integer FWidth = 16;
  Integer FHeight = 16;
  TColor FBkColor = clNone;
  std::vector<std::unique_ptr<TBitmap>> FImages;  // pf32bit, premultiplied
};
