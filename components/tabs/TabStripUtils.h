// The tab strip's free routines: the easing curves behind every animation, rectangle and polygon
// geometry (mirroring for right-to-left layouts, placing a polygon for the tab orientation, the
// point-in-polygon test), interpolation of integers, reals and colours, conversions to the smoothed
// drawing's values, the textual component format (save, load and the rendering as assignment
// statements), and the bitmap and window routines behind the drag image and the parent's background.
// No routine keeps state between calls.
//
// Rounding to an integer here is to the nearest integer, a half going to the even neighbour.
#pragma once

#include <memory>
#include <vector>

#include "components/tabs/TabStripClasses.h"
#include "platform/gui/Controls.h"
#include "platform/gui/GdiPlus.h"
#include "platform/gui/Graphics.h"

class TCustomForm;

// A polygon: points in order, the last one joined back to the first.
using TPolygon = std::vector<TPoint>;

// --- Easing -----------------------------------------------------------------------------------------

// The value of an easing curve after Elapsed of Duration, going from Start by Change. ttNone answers
// 0 (not Start). A Duration of 0 answers Start + Change (the movement is over). Any value outside
// the enumeration fails the assertion "Invalid Ease Type". Elapsed is not limited to Duration.
double CalculateEase(double Elapsed, double Start, double Change, double Duration, TTabStripEaseType EaseType);
// Each edge eased from StartRect to EndRect and rounded.
TRect TransformRect(const TRect& StartRect, const TRect& EndRect, Cardinal Elapsed, Cardinal Duration,
                    TTabStripEaseType EaseType);

// --- Geometry -----------------------------------------------------------------------------------------

// R mirrored horizontally within ParentRect.
TRect HorzFlipRect(const TRect& ParentRect, const TRect& R);
// Mirrors every point of Polygon horizontally within ParentRect, in place; returns Polygon.
TPolygon& HorzFlipPolygon(const TRect& ParentRect, TPolygon& Polygon);
// A new polygon from offsets to R's top left; for toBottom the y offsets count up from R's bottom.
TPolygon GeneratePolygon(const TRect& R, const TPolygon& Points, TTabOrientation Orientation);
// R shrunk by Amount on every side (a negative amount enlarges it).
TRect ContractRect(const TRect& R, Integer Amount);
bool SameRect(const TRect& A, const TRect& B);
Integer RectWidth(const TRect& R);
Integer RectHeight(const TRect& R);
// The even-odd rule; on an axis-aligned rectangle the left and top edges are inside, the right and
// bottom edges outside. An empty polygon contains nothing.
bool PointInPolygon(const TPolygon& Polygon, Integer X, Integer Y);

// --- Interpolation and colours ---------------------------------------------------------------------------

// Start + (Stop - Start) * Percent div 100, the division truncating towards zero.
Integer IntegerBetween(Integer Start, Integer Stop, Integer Percent);
// (Stop - Start) * Percent / 100 + Start in single precision.
float SingleBetween(float Start, float Stop, Integer Percent);
// Per byte of red, green and blue as IntegerBetween, kept to 8 bits; the top byte of the result is
// 0. System colours are not resolved: their three low bytes are taken as they are.
TColor ColorBetween(TColor StartColor, TColor StopColor, Integer Percent);
// The colour made plain RGB (system colours resolved) with Alpha, as 0xAARRGGBB.
TGPColor MakeGDIPColor(TColor Color, Byte Alpha);
TGPRectF RectToGPRectF(const TRect& R);
TGPRect RectToGPRect(const TRect& R);
TGPPoint PointToGPPoint(const TPoint& P);
// Combines the polygon (alternate fill) into the graphics' clip with Mode.
void SetClipPolygon(TGPGraphics* Graphics, const TPolygon& Polygon, TCombineMode Mode);

// --- Images -------------------------------------------------------------------------------------------

// A new image of the icon with its transparency.
std::unique_ptr<TGPImage> IconToGPImage(const TIcon* Icon);
// A new image of the list's image at Index with its transparency; nullptr for an index outside the
// list.
std::unique_ptr<TGPImage> ImageListToGPImage(const TImageList* ImageList, Integer Index);

// --- The textual component format ------------------------------------------------------------------------
//
//   object <ClassName>
//     <Property>.<Nested property> = <value>
//     ...
//   end
//
// Lines end with CR LF and are indented by two blanks. Integers are decimal; Booleans, enumerations,
// and colours and cursors that have an identifier are written by identifier; reals with 18
// decimals; strings in single quotes (a quote doubled, a character outside printable ASCII as #n).

// Raised for a text that is not a valid component description.
KP_DECLARE_EXCEPTION(EParserError, Exception)

// Writes the published properties of Component in the textual form to Stream.
void SaveComponentAsText(TComponent* Component, TStream* Stream);
// Reads the textual form from Stream into the existing Component, every value through its
// property's write, in the order of the text. The whole text is checked before anything is
// written: a malformed text raises EParserError and changes nothing. A property the component does
// not have or a value of the wrong kind raises EReadError; the values read before it stay.
void LoadComponentFromText(TComponent* Component, TStream* Stream);
// The textual form as statements: the header and "end" dropped, each property line trimmed, its
// " = " made " := ", written as Prefix + "." + line + ";", each line followed by a line break.
// Empty when the text has two lines or fewer.
String ComponentToCode(TComponent* Component, const String& Prefix);

// --- Bitmaps and windows ------------------------------------------------------------------------------

// Dest becomes Round(width * Factor) by Round(height * Factor), both bitmaps 24 bits per pixel,
// with Source resampled into it.
void ScaleBitmap(TBitmap* Source, TBitmap* Dest, double Factor);
// The control's client area as it shows copied into Bitmap's canvas at (X, Y).
void CopyControlImage(TWinControl* Control, TBitmap* Bitmap, Integer X, Integer Y);
// Paints the parent of Control into Canvas as if Canvas were Control's own surface (the parent's
// background and whatever the parent draws itself, at Control's place); nothing without a parent.
void DrawParentBackground(TControl* Control, TCanvas* Canvas);
// Makes Bitmap 32 bits per pixel with premultiplied alpha; a bitmap without transparency comes
// back with every pixel opaque.
void ConvertToAlphaBitmap(TBitmap* Bitmap);
// In a 32-bit bitmap, every pixel of colour Key gets alpha Alpha with its colour premultiplied
// (byte * Alpha div 255); other pixels stay.
void SetBitmapColorAlpha(TBitmap* Bitmap, TColor Key, Byte Alpha);
// A new borderless form owned by Owner that shows the 32-bit premultiplied Bitmap blended with the
// constant Alpha and the bitmap's own alpha; its client area has the bitmap's size. Where the
// display composites it is a layered window, translucent per pixel; elsewhere the bitmap is
// blended over the form's colour and the window is opaque. It is not shown yet; the caller places
// and shows it, and Owner frees it.
TCustomForm* CreateAlphaBlendForm(TComponent* Owner, TBitmap* Bitmap, Byte Alpha);
