// The images of the smoothed drawing: pixels taken from bitmaps, icons and files, and their
// conversion back into bitmaps.
#include <algorithm>

#include "platform/gui/GdiPlus.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

// Makes every pixel of a 32-bit store opaque.
void MakeOpaque(TBitmap& B) {
  for (Integer Y = 0; Y < B.Height(); ++Y) {
    Byte* Row = static_cast<Byte*>(B.ScanLine(Y));
    for (Integer X = 0; X < B.Width(); ++X) Row[4 * X + 3] = 0xFF;
  }
}

// Turns straight alpha into premultiplied colours.
void Premultiply(TBitmap& B) {
  for (Integer Y = 0; Y < B.Height(); ++Y) {
    Byte* Row = static_cast<Byte*>(B.ScanLine(Y));
    for (Integer X = 0; X < B.Width(); ++X) {
      Byte* P = Row + 4 * X;
      for (int C = 0; C < 3; ++C) P[C] = static_cast<Byte>((P[C] * P[3] + 127) / 255);
    }
  }
}

}  // namespace

TGPImage::~TGPImage() = default;

Integer TGPImage::GetWidth() const { return FPixels.Width(); }
Integer TGPImage::GetHeight() const { return FPixels.Height(); }

TStatus TGPImage::GetHBITMAP(TGPColor Background, TBitmap* Result) const {
  if (!Result) return InvalidParameter;
  Result->Assign(const_cast<TBitmap*>(&FPixels));
  Result->SetPixelFormat(pf32bit);
  const Cardinal BA = Background >> 24;
  // The background, premultiplied, shows where the image is not opaque.
  const Cardinal BB = ((Background & 0xFF) * BA + 127) / 255, BG = (((Background >> 8) & 0xFF) * BA + 127) / 255,
                 BR = (((Background >> 16) & 0xFF) * BA + 127) / 255;
  if (BA != 0) {
    for (Integer Y = 0; Y < Result->Height(); ++Y) {
      Byte* Row = static_cast<Byte*>(Result->ScanLine(Y));
      for (Integer X = 0; X < Result->Width(); ++X) {
        Byte* P = Row + 4 * X;
        const Cardinal Rest = 255 - P[3];
        P[0] = static_cast<Byte>(std::min<Cardinal>(255, P[0] + (BB * Rest + 127) / 255));
        P[1] = static_cast<Byte>(std::min<Cardinal>(255, P[1] + (BG * Rest + 127) / 255));
        P[2] = static_cast<Byte>(std::min<Cardinal>(255, P[2] + (BR * Rest + 127) / 255));
        P[3] = static_cast<Byte>(std::min<Cardinal>(255, P[3] + (BA * Rest + 127) / 255));
      }
    }
  }
  Result->SetAlphaFormat(afPremultiplied);
  return Ok;
}

TGPBitmap::TGPBitmap(const TBitmap* Bitmap) {
  if (!Bitmap) {
    FStatus = InvalidParameter;
    return;
  }
  FPixels.Assign(const_cast<TBitmap*>(Bitmap));
  const bool OwnAlpha = Bitmap->PixelFormat() == pf32bit && Bitmap->AlphaFormat() != afIgnored;
  FPixels.SetPixelFormat(pf32bit);
  if (!OwnAlpha)
    MakeOpaque(FPixels);
  else if (Bitmap->AlphaFormat() == afDefined)
    Premultiply(FPixels);
  FPixels.SetAlphaFormat(afPremultiplied);
}

TGPBitmap::TGPBitmap(const TIcon* Icon) {
  if (!Icon) {
    FStatus = InvalidParameter;
    return;
  }
  FPixels.Assign(const_cast<TBitmap*>(Icon->Bitmap()));
  FPixels.SetPixelFormat(pf32bit);
  FPixels.SetAlphaFormat(afPremultiplied);
}

TGPBitmap::TGPBitmap(const Byte* Data, size_t Size) { LoadBytes(Data, Size); }

TGPBitmap::TGPBitmap(TStream* Stream) {
  if (!Stream) {
    FStatus = InvalidParameter;
    return;
  }
  const std::string Bytes = Stream->ReadAllBytes();
  LoadBytes(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size());
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height) {
  FPixels.SetPixelFormat(pf32bit);
  FPixels.SetSize(Width, Height);
  FPixels.SetAlphaFormat(afPremultiplied);
}

void TGPBitmap::LoadBytes(const Byte* Data, size_t Size) {
  try {
    std::unique_ptr<TGraphic> G = LoadGraphicFromMemory(Data, Size);
    if (!G) {
      FStatus = UnknownImageFormat;
      return;
    }
    TBitmap Loaded;
    Loaded.Assign(G.get());
    // Bitmap files count as opaque, whatever their fourth byte holds.
    const bool IsBmp = Size >= 2 && Data[0] == 'B' && Data[1] == 'M';
    const bool OwnAlpha =
        !IsBmp && Loaded.PixelFormat() == pf32bit && Loaded.AlphaFormat() != afIgnored;
    FPixels.Assign(&Loaded);
    FPixels.SetPixelFormat(pf32bit);
    if (!OwnAlpha) MakeOpaque(FPixels);
    FPixels.SetAlphaFormat(afPremultiplied);
  } catch (const Exception&) {
    FStatus = UnknownImageFormat;
  }
}
