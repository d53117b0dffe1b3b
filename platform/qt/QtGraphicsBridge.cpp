// The bridge between the graphics layer and the Qt side of the GUI library.
#include <QFont>
#include <QImage>

#include <cstring>

#include "platform/gui/GraphicsBackend.h"
#include "platform/qt/QtGraphicsBridge.h"

namespace QtGraphicsBridge {

namespace {

QImage::Format QtFormat(TPixelFormat F) {
  switch (F) {
    case pf24bit: return QImage::Format_BGR888;
    case pf32bit: return QImage::Format_ARGB32_Premultiplied;
    default: return QImage::Format_RGB32;
  }
}

}  // namespace

QImage BitmapImage(TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return QImage();
  TBitmap::Image& I = *Bitmap->GetImage();
  return QImage(I.Bits(), I.Width, I.Height, I.BytesPerLine, QtFormat(I.Format));
}

void ImageToBitmap(const QImage& Image, TBitmap* Bitmap) {
  if (!Bitmap) return;
  if (Image.isNull()) {
    Bitmap->FreeImage();
    return;
  }
  const bool Alpha = Image.hasAlphaChannel();
  const QImage Src = Image.convertToFormat(Alpha ? QImage::Format_ARGB32_Premultiplied
                                                 : QImage::Format_RGB32);
  Bitmap->SetSize(0, 0);
  Bitmap->SetPixelFormat(Alpha ? pf32bit : pfDevice);
  Bitmap->SetSize(Src.width(), Src.height());
  TBitmap::Image& I = *Bitmap->GetImage();
  for (int Y = 0; Y < Src.height(); ++Y)
    std::memcpy(I.Row(Y), Src.constScanLine(Y), static_cast<size_t>(Src.width()) * 4);
  Bitmap->SetAlphaFormat(Alpha ? afPremultiplied : afIgnored);
  Bitmap->ImageChanged();
}

std::unique_ptr<TCanvas> NewCanvasOnImage(QImage* Image) {
  auto Canvas = std::make_unique<TCanvas>();
  if (!Image || Image->isNull()) return Canvas;
  TPixelFormat Format = pfDevice;
  switch (Image->format()) {
    case QImage::Format_RGB32: Format = pfDevice; break;
    case QImage::Format_ARGB32_Premultiplied: Format = pf32bit; break;
    case QImage::Format_BGR888: Format = pf24bit; break;
    default:
      if (Image->hasAlphaChannel()) {
        *Image = Image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
        Format = pf32bit;
      } else {
        *Image = Image->convertToFormat(QImage::Format_RGB32);
        Format = pfDevice;
      }
  }
  auto Target = std::make_unique<TBitmap::Image>();
  Target->Width = Image->width();
  Target->Height = Image->height();
  Target->BytesPerLine = static_cast<Integer>(Image->bytesPerLine());
  Target->Format = Format;
  Target->External = Image->bits();  // detaches: the canvas draws on this image alone
  auto Surface = std::make_unique<TCanvas::Surface>();
  Surface->Target = Target.get();
  Surface->OwnedTarget = std::move(Target);
  Canvas->SetSurface(std::move(Surface));
  return Canvas;
}

QFont ToQFont(const TFont& Font) {
  QFont F(QString::fromUtf16(GraphicsBackend::ResolveFontFamily(Font.Name(), Font.Pitch()).c_str()));
  F.setPixelSize(GraphicsBackend::FontPixelSize(Font));
  const TFontStyles S = Font.Style();
  F.setBold(S.Contains(fsBold));
  F.setItalic(S.Contains(fsItalic));
  F.setUnderline(S.Contains(fsUnderline));
  F.setStrikeOut(S.Contains(fsStrikeOut));
  F.setFixedPitch(Font.Pitch() == fpFixed);
  return F;
}

uint32_t ToQRgb(TColor Color) {
  const Integer C = ColorToRGB(Color);
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(C)) << 16) |
         (static_cast<uint32_t>(GetGValue(C)) << 8) | GetBValue(C);
}

}  // namespace QtGraphicsBridge
