// Graphics in general (files and streams, change notification) and bitmaps: pixel formats, scan
// lines, transparency, the BMP reader and writer, and the built-in bitmap resources.
#include <algorithm>
#include <map>
#include <mutex>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

// ---------------------------------------------------------------------------------------------
// TGraphic

TGraphic::~TGraphic() = default;

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed();
  else
    FModified = false;
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&Stream);
}

// The whole stream form is made before the file is touched, and the file is replaced as a whole, so
// a graphic that cannot be written (or a full disk) leaves an old file as it was and no new one.
void TGraphic::SaveToFile(const String& FileName) {
  TMemoryStream Stream;
  SaveToStream(&Stream);
  Stream.SaveToFile(FileName);
}

void TGraphic::LoadFromStream(TStream* Stream) {
  const std::string Bytes = Stream->ReadAllBytes();
  LoadFromMemory(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size());
}

void TGraphic::SaveToStream(TStream* Stream) {
  const std::vector<Byte> Bytes = SaveToMemory();
  Stream->WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
}

// ---------------------------------------------------------------------------------------------
// BMP files (little-endian; rows bottom-up unless the height is negative; rows padded to 4 bytes)

namespace {

const String kInvalidBitmap = u"Bitmap image is not valid";

// The largest side we accept from a file.
constexpr Int64 kMaxSide = 32768;

Cardinal U16(const Byte* P) { return P[0] | (P[1] << 8); }
Cardinal U32(const Byte* P) {
  return static_cast<Cardinal>(P[0]) | (static_cast<Cardinal>(P[1]) << 8) |
         (static_cast<Cardinal>(P[2]) << 16) | (static_cast<Cardinal>(P[3]) << 24);
}

void Put16(std::vector<Byte>& Out, Cardinal V) {
  Out.push_back(static_cast<Byte>(V));
  Out.push_back(static_cast<Byte>(V >> 8));
}
void Put32(std::vector<Byte>& Out, Cardinal V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalidBitmap); }

// A colour channel from a bit mask, scaled to 0..255.
struct TChannel {
  Cardinal Mask = 0;
  int Shift = 0;
  Cardinal Max = 0;
  explicit TChannel(Cardinal M = 0) : Mask(M) {
    if (!M) return;
    while (!((M >> Shift) & 1)) ++Shift;
    Max = M >> Shift;
  }
  Byte Get(Cardinal V, Byte Default) const {
    if (!Mask) return Default;
    return static_cast<Byte>((((V & Mask) >> Shift) * 255 + Max / 2) / Max);
  }
};

struct TPaletteEntry {
  Byte B = 0, G = 0, R = 0;
};

// Expands run-length encoded 8- or 4-bit pixels into one palette index per pixel (rows in file
// order). Pixels the data never reaches keep index 0.
void DecodeRle(const Byte* P, size_t N, Integer W, Integer H, bool Four, std::vector<Byte>& Out) {
  Out.assign(static_cast<size_t>(W) * H, 0);
  Integer X = 0, Y = 0;
  size_t I = 0;
  auto Put = [&](Byte Index) {
    if (X < W && Y < H) Out[static_cast<size_t>(Y) * W + X] = Index;
    ++X;
  };
  while (I + 1 < N && Y < H) {
    const Byte Count = P[I], Value = P[I + 1];
    I += 2;
    if (Count > 0) {
      for (Integer K = 0; K < Count; ++K)
        Put(Four ? static_cast<Byte>((K & 1) ? (Value & 0x0F) : (Value >> 4)) : Value);
      continue;
    }
    if (Value == 0) {  // end of line
      X = 0;
      ++Y;
    } else if (Value == 1) {  // end of bitmap
      break;
    } else if (Value == 2) {  // delta
      if (I + 1 >= N) break;
      X += P[I];
      Y += P[I + 1];
      I += 2;
    } else {  // absolute run of Value pixels, padded to a 16-bit boundary
      const size_t Bytes = Four ? (Value + 1) / 2 : Value;
      if (I + Bytes > N) Invalid();
      for (Integer K = 0; K < Value; ++K)
        Put(Four ? static_cast<Byte>((K & 1) ? (P[I + K / 2] & 0x0F) : (P[I + K / 2] >> 4))
                 : P[I + K]);
      I += (Bytes + 1) & ~size_t(1);
    }
  }
}

void ReadBmp(const Byte* D, size_t N, TBitmap::Image& Image) {
  if (N < 26 || D[0] != 'B' || D[1] != 'M') Invalid();
  const Cardinal OffBits = U32(D + 10);
  const Cardinal HeaderSize = U32(D + 14);
  Int64 W = 0, H = 0;
  Cardinal Bpp = 0, Compression = 0, ClrUsed = 0;
  size_t PaletteAt = 0, EntrySize = 4;
  Cardinal Masks[4] = {0, 0, 0, 0};
  if (HeaderSize == 12) {
    W = U16(D + 18);
    H = static_cast<int16_t>(U16(D + 20));
    Bpp = U16(D + 24);
    PaletteAt = 14 + 12;
    EntrySize = 3;
  } else if (HeaderSize >= 40 && 14 + static_cast<size_t>(HeaderSize) <= N) {
    W = static_cast<int32_t>(U32(D + 18));
    H = static_cast<int32_t>(U32(D + 22));
    Bpp = U16(D + 28);
    Compression = U32(D + 30);
    ClrUsed = U32(D + 46);
    PaletteAt = 14 + HeaderSize;
    if (Compression == 3 || Compression == 6) {
      const int Count = Compression == 6 ? 4 : 3;
      size_t At = 54;
      if (HeaderSize == 40) {
        At = 54;
        PaletteAt += 4 * Count;
      }
      if (At + 4 * Count > N) Invalid();
      for (int K = 0; K < Count; ++K) Masks[K] = U32(D + At + 4 * K);
      if (HeaderSize >= 56 && Count == 3) Masks[3] = U32(D + 54 + 12);
    }
  } else {
    Invalid();
  }
  const bool TopDown = H < 0;
  if (TopDown) H = -H;
  if (W < 0 || W > kMaxSide || H > kMaxSide) Invalid();
  const bool Rle8 = Compression == 1, Rle4 = Compression == 2;
  const bool Fields = Compression == 3 || Compression == 6;
  if (Compression > 3 && Compression != 6) Invalid();
  if ((Rle8 && Bpp != 8) || (Rle4 && Bpp != 4) || (Fields && Bpp != 16 && Bpp != 32)) Invalid();
  if (Bpp != 1 && Bpp != 4 && Bpp != 8 && Bpp != 16 && Bpp != 24 && Bpp != 32) Invalid();
  if (TopDown && (Rle8 || Rle4)) Invalid();

  if (OffBits > N) Invalid();
  const size_t Stride = ((static_cast<size_t>(W) * Bpp + 31) / 32) * 4;
  // Uncompressed pixels must all be there before anything is allocated for them; run-length
  // encoded ones are limited to a sane number of pixels.
  if (!Rle8 && !Rle4 && Stride * static_cast<size_t>(H) > N - OffBits) Invalid();
  if ((Rle8 || Rle4) && W * H > (Int64(1) << 26)) Invalid();

  const TPixelFormat Format = Bpp == 32 ? pf32bit : pf24bit;
  TBitmap::Image Out;
  Out.Format = Format;
  try {
    GraphicsBackend::ResizeImage(Out, static_cast<Integer>(W), static_cast<Integer>(H), Format, 0);
  } catch (const EInvalidGraphicOperation&) {
    Invalid();
  }
  if (Out.Empty()) {
    Image = std::move(Out);
    Image.Format = Format;
    return;
  }

  std::vector<TPaletteEntry> Palette;
  if (Bpp <= 8) {
    Cardinal Count = ClrUsed ? std::min<Cardinal>(ClrUsed, 256) : (1u << Bpp);
    Palette.resize(std::max<Cardinal>(Count, 1u << Bpp));
    for (Cardinal K = 0; K < Count; ++K) {
      const size_t At = PaletteAt + K * EntrySize;
      if (At + 3 > N) Invalid();
      Palette[K] = {D[At], D[At + 1], D[At + 2]};
    }
  }
  const Byte* Bits = D + OffBits;
  const size_t Avail = N - OffBits;
  const Integer Width = static_cast<Integer>(W), Height = static_cast<Integer>(H);

  auto RowOf = [&](Integer FileRow) { return Out.Row(TopDown ? FileRow : Height - 1 - FileRow); };
  auto PutPal = [&](Byte* P, Cardinal Index) {
    const TPaletteEntry& E = Palette[Index < Palette.size() ? Index : 0];
    P[0] = E.B;
    P[1] = E.G;
    P[2] = E.R;
  };

  if (Rle8 || Rle4) {
    std::vector<Byte> Indices;
    DecodeRle(Bits, Avail, Width, Height, Rle4, Indices);
    for (Integer Y = 0; Y < Height; ++Y) {
      Byte* Row = RowOf(Y);
      for (Integer X = 0; X < Width; ++X) PutPal(Row + 3 * X, Indices[static_cast<size_t>(Y) * Width + X]);
    }
    Image = std::move(Out);
    return;
  }

  const TChannel R16(Fields ? Masks[0] : 0x7C00), G16(Fields ? Masks[1] : 0x03E0),
      B16(Fields ? Masks[2] : 0x001F);
  const TChannel R32(Masks[0]), G32(Masks[1]), B32(Masks[2]), A32(Masks[3]);
  for (Integer Y = 0; Y < Height; ++Y) {
    const Byte* Src = Bits + Stride * Y;
    Byte* Row = RowOf(Y);
    for (Integer X = 0; X < Width; ++X) {
      switch (Bpp) {
        case 1: PutPal(Row + 3 * X, (Src[X >> 3] >> (7 - (X & 7))) & 1); break;
        case 4: PutPal(Row + 3 * X, (X & 1) ? (Src[X >> 1] & 0x0F) : (Src[X >> 1] >> 4)); break;
        case 8: PutPal(Row + 3 * X, Src[X]); break;
        case 16: {
          const Cardinal V = U16(Src + 2 * X);
          Byte* P = Row + 3 * X;
          P[0] = B16.Get(V, 0);
          P[1] = G16.Get(V, 0);
          P[2] = R16.Get(V, 0);
          break;
        }
        case 24: {
          Byte* P = Row + 3 * X;
          P[0] = Src[3 * X];
          P[1] = Src[3 * X + 1];
          P[2] = Src[3 * X + 2];
          break;
        }
        case 32: {
          Byte* P = Row + 4 * X;
          if (Fields) {
            const Cardinal V = U32(Src + 4 * X);
            P[0] = B32.Get(V, 0);
            P[1] = G32.Get(V, 0);
            P[2] = R32.Get(V, 0);
            P[3] = A32.Get(V, 0xFF);
          } else {
            // Kept byte for byte, the fourth byte too, so a bitmap reads back as it was written.
            std::copy(Src + 4 * X, Src + 4 * X + 4, P);
          }
          break;
        }
      }
    }
  }
  Image = std::move(Out);
}

std::vector<Byte> WriteBmp(const TBitmap::Image& Image) {
  const Cardinal Bpp = Image.Format == pf24bit ? 24 : 32;
  const Cardinal W = static_cast<Cardinal>(std::max<Integer>(Image.Width, 0));
  const Cardinal H = static_cast<Cardinal>(std::max<Integer>(Image.Height, 0));
  const Cardinal Stride = ((W * Bpp + 31) / 32) * 4;
  const Cardinal SizeImage = Stride * H;
  std::vector<Byte> Out;
  Out.reserve(54 + SizeImage);
  Out.push_back('B');
  Out.push_back('M');
  Put32(Out, 54 + SizeImage);  // file size
  Put32(Out, 0);               // reserved
  Put32(Out, 54);              // offset of the pixels
  Put32(Out, 40);              // info header size
  Put32(Out, W);
  Put32(Out, H);  // positive: bottom-up rows
  Put16(Out, 1);  // planes
  Put16(Out, Bpp);
  Put32(Out, 0);  // no compression
  Put32(Out, SizeImage);
  Put32(Out, 0);  // pixels per metre, horizontally
  Put32(Out, 0);  // and vertically
  Put32(Out, 0);  // colours used
  Put32(Out, 0);  // colours important
  const Cardinal RowBytes = W * (Bpp / 8);
  for (Integer Y = static_cast<Integer>(H) - 1; Y >= 0; --Y) {
    const Byte* Row = Image.Row(Y);
    Out.insert(Out.end(), Row, Row + RowBytes);
    Out.insert(Out.end(), Stride - RowBytes, 0);
  }
  return Out;
}

// The built-in bitmap resources.
std::map<String, std::vector<Byte>>& Resources() {
  static std::map<String, std::vector<Byte>> Table;
  return Table;
}
std::mutex& ResourcesLock() {
  static std::mutex M;
  return M;
}

String UpperAscii(String S) {
  for (Char& C : S)
    if (C >= u'a' && C <= u'z') C = static_cast<Char>(C - u'a' + u'A');
  return S;
}

}  // namespace

void RegisterBitmapResource(const String& Name, std::vector<Byte> BmpFile) {
  std::lock_guard<std::mutex> Guard(ResourcesLock());
  Resources()[UpperAscii(Name)] = std::move(BmpFile);
}

// ---------------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() : FImage(std::make_unique<Image>()) {}

TBitmap::TBitmap(Integer AWidth, Integer AHeight) : TBitmap() { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() = default;

void TBitmap::NewCanvasSurface() {
  FCanvas = std::make_unique<TCanvas>();
  auto S = std::make_unique<TCanvas::Surface>();
  S->Target = FImage.get();
  FCanvas->SetSurface(std::move(S));
  FCanvas->OnChange = [this](TObject*) { Changed(); };
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) NewCanvasSurface();
  return FCanvas.get();
}

bool TBitmap::Empty() const { return FImage->Empty(); }
Integer TBitmap::Width() const { return FWidth; }
Integer TBitmap::Height() const { return FHeight; }
void TBitmap::SetWidth(Integer Value) { SetSize(Value, FHeight); }
void TBitmap::SetHeight(Integer Value) { SetSize(FWidth, Value); }

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  // Each side is kept even while the other is 0 (the bitmap then has no pixels), so setting
  // Width and then Height gives the expected size.
  AWidth = std::max<Integer>(AWidth, 0);
  AHeight = std::max<Integer>(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  GraphicsBackend::ResizeImage(*FImage, AWidth, AHeight, FImage->Format, clWhite);
  FWidth = AWidth;
  FHeight = AHeight;
  Changed();
}

void TBitmap::SyncSize() {
  FWidth = FImage->Width;
  FHeight = FImage->Height;
}

TPixelFormat TBitmap::PixelFormat() const { return FImage->Format; }

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value != pf24bit && Value != pf32bit) Value = pfDevice;
  if (Value == FImage->Format) return;
  GraphicsBackend::ResizeImage(*FImage, FImage->Width, FImage->Height, Value, clWhite);
  Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
  if (Value == FAlphaFormat) return;
  FAlphaFormat = Value;
  Changed();
}

void* TBitmap::ScanLine(Integer Row) {
  if (Row < 0 || Row >= FImage->Height) throw EInvalidGraphicOperation(u"Scan line index out of range");
  return FImage->Row(Row);
}

const void* TBitmap::ScanLine(Integer Row) const {
  if (Row < 0 || Row >= FImage->Height) throw EInvalidGraphicOperation(u"Scan line index out of range");
  return FImage->Row(Row);
}

Integer TBitmap::BytesPerScanLine() const { return FImage->BytesPerLine; }

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return GraphicsBackend::GetPixel(*FImage, 0, FImage->Height - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == clDefault) {
    FTransparentMode = tmAuto;
    FTransparentColor = clDefault;
  } else {
    FTransparentMode = tmFixed;
    FTransparentColor = Value;
  }
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) {
    FTransparentColor = clDefault;
  } else {
    FTransparentColor = TransparentColor();
  }
  FTransparentMode = Value;
  Changed();
}

void TBitmap::Mask(TColor TransparentColor) {
  const Cardinal Key = static_cast<Cardinal>(ColorToRGB(TransparentColor)) & 0xFFFFFF;
  for (Integer Y = 0; Y < FImage->Height; ++Y)
    for (Integer X = 0; X < FImage->Width; ++X) {
      const bool Hit = static_cast<Cardinal>(GraphicsBackend::GetPixel(*FImage, X, Y)) == Key;
      GraphicsBackend::PutPixel(*FImage, X, Y, Hit ? clWhite : clBlack);
    }
  Changed();
}

void TBitmap::FreeImage() {
  GraphicsBackend::ResizeImage(*FImage, 0, 0, FImage->Format, clWhite);
  SyncSize();
  Changed();
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    FreeImage();
    return;
  }
  const TBitmap* From = dynamic_cast<TBitmap*>(Source);
  TAlphaFormat Alpha = afIgnored;
  if (auto* Icon = dynamic_cast<TIcon*>(Source)) {
    From = Icon->Bitmap();
    Alpha = afPremultiplied;
  } else if (auto* Jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    From = Jpeg->Bitmap();
  }
  if (!From) {
    TGraphic::Assign(Source);
    return;
  }
  if (From != this) {
    const Image& S = *From->FImage;
    FImage->Width = S.Width;
    FImage->Height = S.Height;
    FImage->Format = S.Format;
    FImage->BytesPerLine = S.BytesPerLine;
    FImage->External = nullptr;
    FImage->Data.assign(S.Bits(), S.Bits() + static_cast<size_t>(S.BytesPerLine) * S.Height);
    FWidth = From->FWidth;
    FHeight = From->FHeight;
    if (From == Source) {
      FTransparentColor = From->FTransparentColor;
      FTransparentMode = From->FTransparentMode;
      FAlphaFormat = From->FAlphaFormat;
      FTransparent = From->FTransparent;
    } else {
      FAlphaFormat = Alpha;
      FTransparent = static_cast<TGraphic*>(Source)->Transparent();
    }
  }
  Changed();
}

void TBitmap::LoadFromMemory(const Byte* Data, size_t Size) {
  Image Loaded;
  ReadBmp(Data, Size, Loaded);
  FImage->Width = Loaded.Width;
  FImage->Height = Loaded.Height;
  FImage->Format = Loaded.Format;
  FImage->BytesPerLine = Loaded.BytesPerLine;
  FImage->External = nullptr;
  FImage->Data.swap(Loaded.Data);
  SyncSize();
  Changed();
}

std::vector<Byte> TBitmap::SaveToMemory() const { return WriteBmp(*FImage); }

void TBitmap::LoadFromStream(TStream* Stream) {
  const Int64 Start = Stream->Position();
  const Int64 Left = Stream->Size() - Start;
  Byte Header[14] = {};
  if (Left < 14) throw EInvalidGraphic(kInvalidBitmap);
  Stream->ReadBuffer(Header, 14);
  Int64 Total = U32(Header + 2);
  if (Header[0] != 'B' || Header[1] != 'M') throw EInvalidGraphic(kInvalidBitmap);
  // A file size that does not fit the stream is not trusted: the rest of the stream is read.
  if (Total < 14 + 12 || Total > Left) Total = Left;
  std::vector<Byte> Bytes(static_cast<size_t>(Total));
  std::copy(Header, Header + 14, Bytes.begin());
  Stream->ReadBuffer(Bytes.data() + 14, Total - 14);
  LoadFromMemory(Bytes.data(), Bytes.size());
}

void TBitmap::LoadFromResourceName(const String& ResName) {
  std::vector<Byte> Bytes;
  {
    std::lock_guard<std::mutex> Guard(ResourcesLock());
    auto It = Resources().find(UpperAscii(ResName));
    if (It == Resources().end()) throw EResNotFound(u"Resource " + ResName + u" not found");
    Bytes = It->second;
  }
  LoadFromMemory(Bytes.data(), Bytes.size());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& R) {
  if (ACanvas && !Empty() && GraphicsRecord::Of(*ACanvas)) {
    GraphicsRecord::Picture(*ACanvas, R, *FImage, nullptr,
                            Transparent() ? ColorToRGB(TransparentColor()) & 0xFFFFFF : clNone);
    return;
  }
  TBitmap::Image* Target = nullptr;
  TRegion Clip;
  TPoint Org;
  if (!ACanvas || Empty() || !GraphicsRaster::CanvasTarget(*ACanvas, Target, Clip, Org)) return;
  TRect D = R;
  OffsetRect(D, -Org.X, -Org.Y);
  GraphicsRaster::TBlitMode Mode;
  if (Transparent()) {
    Mode.Kind = GraphicsRaster::TBlitMode::Transparent;
    Mode.KeyRGB = ColorToRGB(TransparentColor()) & 0xFFFFFF;
  } else if (FImage->Format == pf32bit && FAlphaFormat != afIgnored) {
    Mode.Kind = GraphicsRaster::TBlitMode::Alpha;
    Mode.PerPixelAlpha = true;
    Mode.Premultiply = FAlphaFormat == afDefined;
  } else {
    Mode.Kind = GraphicsRaster::TBlitMode::Rop;
    Mode.CopyMode = ACanvas->CopyMode();
    Mode.PatternRGB = ColorToRGB(ACanvas->Brush()->Color()) & 0xFFFFFF;
  }
  GraphicsRaster::Blit(*Target, Clip, D, *FImage, TRect(0, 0, Width(), Height()), Mode);
  if (ACanvas->OnChange) ACanvas->OnChange(ACanvas);
}
