// What the Qt side of the GUI library needs of the graphics layer: the pixels of a bitmap as a
// QImage, a canvas over a QImage, and the Qt font and colour of a TFont and TColor. For
// platform/qt/*.cpp only; it names Qt types without including Qt.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gui/Graphics.h"

class QFont;
class QImage;
class QPainter;
struct TCanvasRecording;

namespace QtGraphicsBridge {

// A QImage over the bitmap's own pixels (no copy): Format_RGB32 for pfDevice, Format_BGR888 for
// pf24bit, Format_ARGB32_Premultiplied for pf32bit. Valid until the bitmap changes its size or
// pixel format; painting on it changes the bitmap. A null image for an empty bitmap.
QImage BitmapImage(TBitmap* Bitmap);

// Copies Image into Bitmap: pf32bit with premultiplied alpha when the image has an alpha channel,
// pfDevice otherwise.
void ImageToBitmap(const QImage& Image, TBitmap* Bitmap);

// A canvas drawing on Image. Images in other formats than RGB32, ARGB32_Premultiplied and BGR888
// are converted in place first. Image must outlive the canvas and keep its size.
std::unique_ptr<TCanvas> NewCanvasOnImage(QImage* Image);

// The Qt font of a TFont for widgets: the resolved face (DejaVu Sans or DejaVu Sans Mono) at the
// font's pixel size, with its style.
QFont ToQFont(const TFont& Font);

// Paints a recorded page with P, one surface pixel to one unit of P: fills and lines as vector
// shapes, text as text in the canvas's fonts, pictures as images, each under its clip.
void PaintRecording(QPainter& P, const TCanvasRecording& Recording);

// The QRgb (0xAARRGGBB, opaque) of a colour; system colours come from the fixed table.
uint32_t ToQRgb(TColor Color);

}  // namespace QtGraphicsBridge
