// Small windows and bitmaps the string grid places over itself: the arrow that marks where a
// dragged column or row lands, the borderless window of the soft focus frame around the current
// cell, the premultiplied alpha bitmap of that frame, and the blurred grey-level mask of a rounded
// frame that gives it its soft edge.
#pragma once

#include <vector>

#include "components/gridbase/ExGridTypes.h"  // TArrowDirection
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

// The seven points of an arrow's outline, in drawing order.
std::vector<TPoint> ArrowOutline(TArrowDirection Dir);
// The pixels of an arrow's outline filled with the winding rule (the outline itself included).
TRegion ArrowRegion(TArrowDirection Dir);

// A tiny arrow-shaped popup window in its colour (lime at start), invisible until the grid shows
// it. Left and Top are screen coordinates. The window system of this platform has no window
// shapes, so the window is the arrow's bounding box: the arrow is drawn in Color and the rest of
// the box in the colour of the control it marks.
class TArrowWindow : public TCustomControl {
 public:
  TArrowWindow(TComponent* AOwner, TArrowDirection Direction);
  // The classic construction by name: a new arrow window owned by AOwner.
  static TArrowWindow* Init(TComponent* AOwner, TArrowDirection Direction);
  String ClassName() const override { return u"TArrowWindow"; }

  TArrowDirection Dir() const { return FDir; }
  // The arrow's outline (seven points) and the pixels of the window that show the arrow.
  const std::vector<TPoint>& Arrow() const { return FArrow; }
  const TRegion& WindowRegion() const { return FRegion; }

 protected:
  void Paint() override;

 private:
  TArrowDirection FDir;
  std::vector<TPoint> FArrow;
  TRegion FRegion;
};

class TGridAlphaMask;

// The borderless, disabled, topmost popup that carries the soft focus frame around the current
// cell: 0 x 0 and red at start. The grid sizes it, gives it the frame's premultiplied image and
// the ring of pixels to show. The window draws the image blended over its colour, and only inside
// the ring when one is set (it is not a layered window like the drag image).
class TGridFocusWindow : public TCustomControl {
 public:
  explicit TGridFocusWindow(TComponent* AOwner);
  ~TGridFocusWindow() override;
  String ClassName() const override { return u"TGridFocusWindow"; }

  // A copy of the frame's image (nullptr: none, the window shows its colour).
  void SetAlphaImage(const TGridAlphaMask* Image);
  const TGridAlphaMask* AlphaImage() const { return FImage.get(); }
  // The pixels that show (client coordinates); an empty region shows the whole window.
  void SetWindowRegion(const TRegion& Region);
  const TRegion& WindowRegion() const { return FRegion; }

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TGridAlphaMask> FImage;
  TRegion FRegion;
};

// A 32-bit bitmap (blue, green, red, alpha per pixel, premultiplied) with an overall opacity.
class TGridAlphaMask : public TBitmap {
 public:
  TGridAlphaMask();
  String ClassName() const override { return u"TGridAlphaMask"; }

  Byte Opacity() const { return FOpacity; }
  void SetOpacity(Byte Value) { FOpacity = Value; }

  // From another alpha mask: its opacity, size and pixels; from any other bitmap: the bitmap copy.
  // The result is 32-bit either way.
  void Assign(TPersistent* Source) override;
  // Makes this mask Bitmap's colours with the grey level of Mask (its red byte) as alpha,
  // premultiplied. Only for a 24-bit Bitmap and a 24-bit Mask of the same size; anything else
  // leaves the mask as it is. Color is not used.
  void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

 private:
  Byte FOpacity = 255;
};

// The Gaussian kernel of the blur: weights for the offsets -10..10, of which -Size..Size count.
struct TGaussianKernel {
  Byte Size = 10;
  float Weights[21] = {};
  // The weight of offset I (-10..10).
  float& W(Integer I) { return Weights[I + 10]; }
  float W(Integer I) const { return Weights[I + 10]; }
};

Integer TrimInt(Integer Lower, Integer Upper, Integer I);
// Below Lower gives Lower, at or above Upper gives Upper, others are truncated.
Integer TrimReal(Cardinal Lower, Cardinal Upper, double X);
// The normalised kernel of Radius, trimmed where the tail weighs less than MaxData / (2 x
// DataGranularity). A radius that is not a positive number gives the kernel that changes nothing
// (weight 1 at offset 0).
void MakeGaussianKernel(TGaussianKernel& K, double Radius, double MaxData, double DataGranularity);
// Blurs the n + 1 pixels of 3 bytes at P with the kernel; Scratch holds at least as many.
void BlurRow(Byte* P, Integer n, const TGaussianKernel& K, Byte* Scratch);
// Blurs a 24-bit bitmap; any other raises "Blur only works for 24-bit bitmaps". Rows and columns
// more than 20 pixels from both ends copy row or column 15: the frame masks are uniform between
// their rounded ends, which keeps the blur cheap. A radius that is not a positive number leaves the
// bitmap as it is.
void GaussianBlur(TBitmap* Bitmap, double Radius);
// Bitmap becomes a 24-bit black Width x Height mask with a white rounded rectangle of corner Corner
// drawn with a PenWidth-wide pen (filled when PenWidth < 1) inset by PenWidth div 2 + 2, then
// blurred with Radius when Radius > 0.
void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth,
                       Integer Corner, double Radius);
