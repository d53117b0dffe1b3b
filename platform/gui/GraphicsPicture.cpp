// Icons, pictures (any graphic, chosen by file extension or content) and image lists.
#include <algorithm>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

void Put16(std::vector<Byte>& Out, Cardinal V) {
  Out.push_back(static_cast<Byte>(V));
  Out.push_back(static_cast<Byte>(V >> 8));
}
void Put32(std::vector<Byte>& Out, Cardinal V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}
Cardinal U16(const Byte* P) { return P[0] | (P[1] << 8); }

bool StartsWith(const Byte* Data, size_t Size, std::initializer_list<Byte> Sig) {
  if (Size < Sig.size()) return false;
  return std::equal(Sig.begin(), Sig.end(), Data);
}

// The first image descriptor of a GIF: the frame's place on the logical screen. False when the
// data holds none.
bool FirstGifFrame(const Byte* D, size_t N, TRect& Frame) {
  if (N < 13) return false;
  size_t I = 13;
  if (D[10] & 0x80) I += 3u * (1u << ((D[10] & 7) + 1));  // global colour table
  while (I < N) {
    const Byte Kind = D[I];
    if (Kind == 0x2C) {
      if (I + 9 >= N) return false;
      const Integer L = static_cast<Integer>(U16(D + I + 1)), T = static_cast<Integer>(U16(D + I + 3));
      Frame = Bounds(L, T, static_cast<Integer>(U16(D + I + 5)), static_cast<Integer>(U16(D + I + 7)));
      return true;
    }
    if (Kind != 0x21 || I + 2 >= N) return false;  // only extensions may come before it
    I += 2;
    while (I < N && D[I] != 0) I += 1 + D[I];  // data sub-blocks
    ++I;
  }
  return false;
}

// A GIF or PNG (or anything else the backend reads) as a premultiplied 32-bit bitmap.
std::unique_ptr<TGraphic> DecodeToBitmap(const Byte* Data, size_t Size, bool Gif) {
  auto B = std::make_unique<TBitmap>();
  if (!GraphicsBackend::DecodeImage(Data, Size, *B)) throw EInvalidGraphic(u"Image is not valid");
  TRect Frame;
  if (Gif && FirstGifFrame(Data, Size, Frame) && !(Frame == TRect(0, 0, B->Width(), B->Height()))) {
    // The backend draws the first frame onto the whole logical screen; keep the frame alone.
    IntersectRect(Frame, Frame, TRect(0, 0, B->Width(), B->Height()));
    auto Cut = std::make_unique<TBitmap>();
    Cut->SetPixelFormat(pf32bit);
    Cut->SetSize(Frame.Width(), Frame.Height());
    GraphicsRaster::TBlitMode Copy;
    if (!Cut->Empty())
      GraphicsRaster::Blit(*Cut->GetImage(), TRegion(TRect(0, 0, Cut->Width(), Cut->Height())),
                           TRect(0, 0, Cut->Width(), Cut->Height()), *B->GetImage(), Frame, Copy);
    Cut->SetAlphaFormat(afPremultiplied);
    return Cut;
  }
  return B;
}

bool IsMetafile(const Byte* D, size_t N) {
  if (StartsWith(D, N, {0xD7, 0xCD, 0xC6, 0x9A})) return true;  // placeable metafile
  if (StartsWith(D, N, {0x01, 0x00, 0x09, 0x00}) || StartsWith(D, N, {0x02, 0x00, 0x09, 0x00}))
    return true;
  return N >= 44 && StartsWith(D, N, {0x01, 0x00, 0x00, 0x00}) && D[40] == ' ' && D[41] == 'E' &&
         D[42] == 'M' && D[43] == 'F';
}

const String kNoMetafiles = u"Metafiles are not supported";

String LowerExtension(const String& FileName) {
  const size_t Dot = FileName.find_last_of(u'.');
  const size_t Slash = FileName.find_last_of(u"/\\");
  if (Dot == String::npos || (Slash != String::npos && Dot < Slash)) return String();
  String Ext = FileName.substr(Dot + 1);
  for (Char& C : Ext)
    if (C >= u'A' && C <= u'Z') C = static_cast<Char>(C - u'A' + u'a');
  return Ext;
}

std::unique_ptr<TGraphic> CloneGraphic(const TGraphic* G) {
  std::unique_ptr<TGraphic> Copy;
  if (dynamic_cast<const TBitmap*>(G))
    Copy = std::make_unique<TBitmap>();
  else if (dynamic_cast<const TIcon*>(G))
    Copy = std::make_unique<TIcon>();
  else if (dynamic_cast<const TJPEGImage*>(G))
    Copy = std::make_unique<TJPEGImage>();
  else
    throw EInvalidGraphic(u"Unknown kind of graphic " + G->ClassName());
  Copy->Assign(const_cast<TGraphic*>(G));
  return Copy;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIcon

TIcon::TIcon() {
  FBitmap.SetPixelFormat(pf32bit);
  FBitmap.SetAlphaFormat(afPremultiplied);
  FTransparent = true;
}

TIcon::~TIcon() = default;

void TIcon::Assign(TPersistent* Source) {
  if (auto* I = dynamic_cast<TIcon*>(Source)) {
    if (I != this) FBitmap.Assign(&I->FBitmap);
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

bool TIcon::Empty() const { return FBitmap.Empty(); }
Integer TIcon::Width() const { return FBitmap.Width(); }
Integer TIcon::Height() const { return FBitmap.Height(); }
void TIcon::SetWidth(Integer) { throw EInvalidGraphicOperation(u"Cannot change the size of an icon"); }
void TIcon::SetHeight(Integer) { throw EInvalidGraphicOperation(u"Cannot change the size of an icon"); }

void TIcon::LoadFromMemory(const Byte* Data, size_t Size) {
  if (!StartsWith(Data, Size, {0, 0, 1, 0}) && !StartsWith(Data, Size, {0, 0, 2, 0}))
    throw EInvalidGraphic(u"Icon image is not valid");
  TBitmap Loaded;
  if (!GraphicsBackend::DecodeImage(Data, Size, Loaded)) throw EInvalidGraphic(u"Icon image is not valid");
  FBitmap.Assign(&Loaded);
  FBitmap.SetAlphaFormat(afPremultiplied);
  Changed();
}

std::vector<Byte> TIcon::SaveToMemory() const {
  // One 32-bit image: colours with straight alpha, then the 1-bit mask (set = transparent).
  const Cardinal W = static_cast<Cardinal>(Width()), H = static_cast<Cardinal>(Height());
  const Cardinal MaskStride = ((W + 31) / 32) * 4;
  const Cardinal DataSize = 40 + W * H * 4 + MaskStride * H;
  std::vector<Byte> Out;
  Put16(Out, 0);  // reserved
  Put16(Out, 1);  // icon
  Put16(Out, 1);  // one image
  Out.push_back(static_cast<Byte>(W < 256 ? W : 0));
  Out.push_back(static_cast<Byte>(H < 256 ? H : 0));
  Out.push_back(0);  // no palette
  Out.push_back(0);  // reserved
  Put16(Out, 1);     // planes
  Put16(Out, 32);    // bits per pixel
  Put32(Out, DataSize);
  Put32(Out, 22);  // offset of the image
  Put32(Out, 40);
  Put32(Out, W);
  Put32(Out, H * 2);  // colours and mask
  Put16(Out, 1);
  Put16(Out, 32);
  for (int K = 0; K < 6; ++K) Put32(Out, 0);
  const TBitmap::Image& Img = *FBitmap.GetImage();
  for (Integer Y = static_cast<Integer>(H) - 1; Y >= 0; --Y) {
    const Byte* Row = Img.Row(Y);
    for (Cardinal X = 0; X < W; ++X) {
      const Byte* P = Row + 4 * X;
      const Cardinal A = P[3];
      for (int C = 0; C < 3; ++C)
        Out.push_back(static_cast<Byte>(A ? std::min<Cardinal>(255, (P[C] * 255 + A / 2) / A) : 0));
      Out.push_back(static_cast<Byte>(A));
    }
  }
  for (Integer Y = static_cast<Integer>(H) - 1; Y >= 0; --Y) {
    std::vector<Byte> Mask(MaskStride, 0);
    const Byte* Row = Img.Row(Y);
    for (Cardinal X = 0; X < W; ++X)
      if (Row[4 * X + 3] == 0) Mask[X / 8] |= static_cast<Byte>(0x80 >> (X % 8));
    Out.insert(Out.end(), Mask.begin(), Mask.end());
  }
  return Out;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& R) {
  if (ACanvas && !Empty() && GraphicsRecord::Of(*ACanvas)) {
    GraphicsRecord::Picture(*ACanvas, R, *FBitmap.GetImage());
    return;
  }
  TBitmap::Image* Target = nullptr;
  TRegion Clip;
  TPoint Org;
  if (!ACanvas || Empty() || !GraphicsRaster::CanvasTarget(*ACanvas, Target, Clip, Org)) return;
  TRect D = R;
  OffsetRect(D, -Org.X, -Org.Y);
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Alpha;
  Mode.PerPixelAlpha = true;
  GraphicsRaster::Blit(*Target, Clip, D, *FBitmap.GetImage(), TRect(0, 0, Width(), Height()), Mode);
  if (ACanvas->OnChange) ACanvas->OnChange(ACanvas);
}

// ---------------------------------------------------------------------------------------------
// Pictures

std::unique_ptr<TGraphic> LoadGraphicFromMemory(const Byte* Data, size_t Size) {
  if (!Data || Size == 0) return nullptr;
  std::unique_ptr<TGraphic> G;
  if (StartsWith(Data, Size, {'B', 'M'})) {
    G = std::make_unique<TBitmap>();
  } else if (StartsWith(Data, Size, {0, 0, 1, 0}) || StartsWith(Data, Size, {0, 0, 2, 0})) {
    G = std::make_unique<TIcon>();
  } else if (StartsWith(Data, Size, {0xFF, 0xD8, 0xFF})) {
    G = std::make_unique<TJPEGImage>();
  } else if (StartsWith(Data, Size, {'G', 'I', 'F', '8'})) {
    return DecodeToBitmap(Data, Size, true);
  } else if (StartsWith(Data, Size, {0x89, 'P', 'N', 'G'})) {
    return DecodeToBitmap(Data, Size, false);
  } else if (IsMetafile(Data, Size)) {
    throw EInvalidGraphic(kNoMetafiles);
  } else {
    return nullptr;
  }
  G->LoadFromMemory(Data, Size);
  return G;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* P = dynamic_cast<TPicture*>(Source)) {
    if (P != this) SetGraphic(P->Graphic());
  } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(G);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::SetOwnedGraphic(std::unique_ptr<TGraphic> G) {
  FGraphic = std::move(G);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { GraphicChanged(); };
  GraphicChanged();
}

void TPicture::GraphicChanged() {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* Value) {
  SetOwnedGraphic(Value ? CloneGraphic(Value) : nullptr);
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) SetOwnedGraphic(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) SetOwnedGraphic(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

Integer TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
Integer TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName) {
  const String Ext = LowerExtension(FileName);
  std::unique_ptr<TGraphic> G;
  if (Ext == u"bmp" || Ext == u"dib") {
    G = std::make_unique<TBitmap>();
  } else if (Ext == u"ico" || Ext == u"cur") {
    G = std::make_unique<TIcon>();
  } else if (Ext == u"jpg" || Ext == u"jpeg" || Ext == u"jpe" || Ext == u"jfif") {
    G = std::make_unique<TJPEGImage>();
  } else if (Ext == u"gif" || Ext == u"png") {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    const std::string Bytes = Stream.ReadAllBytes();
    SetOwnedGraphic(DecodeToBitmap(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size(),
                                   Ext == u"gif"));
    return;
  } else if (Ext == u"wmf" || Ext == u"emf") {
    throw EInvalidGraphic(kNoMetafiles);
  } else {
    throw EInvalidGraphic(u"Unknown picture file extension (." + Ext + u")");
  }
  G->LoadFromFile(FileName);
  SetOwnedGraphic(std::move(G));
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
  const std::string Bytes = Stream->ReadAllBytes();
  LoadFromMemory(reinterpret_cast<const Byte*>(Bytes.data()), Bytes.size());
}

void TPicture::SaveToStream(TStream* Stream) {
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::LoadFromMemory(const Byte* Data, size_t Size) {
  std::unique_ptr<TGraphic> G = LoadGraphicFromMemory(Data, Size);
  if (!G) throw EInvalidGraphic(u"Unknown picture format");
  SetOwnedGraphic(std::move(G));
}

// ---------------------------------------------------------------------------------------------
// Image lists

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, Integer AWidth, Integer AHeight)
    : TComponent(AOwner), FWidth(std::max<Integer>(AWidth, 1)), FHeight(std::max<Integer>(AHeight, 1)) {}

TImageList::~TImageList() = default;

void TImageList::Assign(TPersistent* Source) {
  auto* L = dynamic_cast<TImageList*>(Source);
  if (!L) {
    TComponent::Assign(Source);
    return;
  }
  if (L == this) return;
  FWidth = L->FWidth;
  FHeight = L->FHeight;
  FBkColor = L->FBkColor;
  FImages.clear();
  for (const auto& I : L->FImages) {
    auto Copy = std::make_unique<TBitmap>();
    Copy->Assign(I.get());
    FImages.push_back(std::move(Copy));
  }
  Changed();
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::SetWidth(Integer Value) { SetSize(Value, FHeight); }
void TImageList::SetHeight(Integer Value) { SetSize(FWidth, Value); }

void TImageList::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max<Integer>(AWidth, 1);
  AHeight = std::max<Integer>(AHeight, 1);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Changed();
}

Integer TImageList::AddPieces(TBitmap* Image, TBitmap* Mask, TColor MaskColor, bool UseColor) {
  if (!Image || Image->Empty()) return -1;
  const TBitmap::Image& Src = *Image->GetImage();
  const bool OwnAlpha = Src.Format == pf32bit && Image->AlphaFormat() != afIgnored;
  const bool Straight = Image->AlphaFormat() == afDefined;
  const Cardinal Key = static_cast<Cardinal>(MaskColor) & 0xFFFFFF;
  const Integer Pieces = std::max<Integer>(1, Image->Width() / FWidth);
  const Integer First = Count();
  for (Integer Piece = 0; Piece < Pieces; ++Piece) {
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf32bit);
    B->SetSize(FWidth, FHeight);
    B->SetAlphaFormat(afPremultiplied);
    TBitmap::Image& Dst = *B->GetImage();
    for (Integer Y = 0; Y < FHeight && Y < Src.Height; ++Y) {
      for (Integer X = 0; X < FWidth; ++X) {
        const Integer SX = Piece * FWidth + X;
        if (SX >= Src.Width) break;
        const Byte* S = Src.Row(Y) + SX * Src.BytesPerPixel();
        Byte* D = Dst.Row(Y) + 4 * X;
        const Cardinal RGB = static_cast<Cardinal>(GraphicsBackend::GetPixel(Src, SX, Y));
        bool Clear = UseColor && RGB == Key;
        if (Mask && !Mask->Empty()) {
          const TColor M = GraphicsBackend::GetPixel(*Mask->GetImage(), SX, Y);
          Clear = Clear || (M != clNone && (M & 0xFFFFFF) != 0);
        }
        if (Clear) continue;  // stays transparent black
        Cardinal A = OwnAlpha ? S[3] : 255;
        for (int C = 0; C < 3; ++C)
          D[C] = static_cast<Byte>(OwnAlpha && Straight ? (S[C] * A + 127) / 255 : S[C]);
        D[3] = static_cast<Byte>(A);
      }
    }
    FImages.push_back(std::move(B));
  }
  Changed();
  return First;
}

Integer TImageList::Add(TBitmap* Image, TBitmap* Mask) { return AddPieces(Image, Mask, 0, false); }

Integer TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  const TColor Key = MaskColor == clDefault
                         ? GraphicsBackend::GetPixel(*Image->GetImage(), 0, Image->Height() - 1)
                         : ColorToRGB(MaskColor) & 0xFFFFFF;
  return AddPieces(Image, nullptr, Key, true);
}

Integer TImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) return -1;
  auto B = std::make_unique<TBitmap>();
  B->SetPixelFormat(pf32bit);
  B->SetSize(FWidth, FHeight);
  B->SetAlphaFormat(afPremultiplied);
  GraphicsRaster::TBlitMode Copy;
  GraphicsRaster::Blit(*B->GetImage(), TRegion(TRect(0, 0, FWidth, FHeight)), TRect(0, 0, FWidth, FHeight),
                       *Image->Bitmap()->GetImage(), TRect(0, 0, Image->Width(), Image->Height()), Copy);
  FImages.push_back(std::move(B));
  Changed();
  return Count() - 1;
}

void TImageList::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation(u"Invalid image index");
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  if (GraphicsRecord::Of(*Canvas)) {
    const TBitmap::Image* Source = FImages[Index]->GetImage();
    if (Source) GraphicsRecord::Picture(*Canvas, Bounds(X, Y, Source->Width, Source->Height), *Source);
    return;
  }
  TBitmap::Image* Target = nullptr;
  TRegion Clip;
  TPoint Org;
  if (!GraphicsRaster::CanvasTarget(*Canvas, Target, Clip, Org)) return;
  const TBitmap::Image* Source = FImages[Index]->GetImage();
  TBitmap::Image Grey;
  if (!Enabled) {
    // Disabled: a light grey of the image's brightness, its transparency kept.
    Grey = *Source;
    for (Integer PY = 0; PY < Grey.Height; ++PY)
      for (Integer PX = 0; PX < Grey.Width; ++PX) {
        Byte* P = Grey.Row(PY) + 4 * PX;
        const Cardinal A = P[3];
        if (!A) continue;
        const Cardinal B = P[0] * 255 / A, G = P[1] * 255 / A, R = P[2] * 255 / A;
        const Cardinal Lum = (R * 77 + G * 150 + B * 29) >> 8;
        const Byte V = static_cast<Byte>(((128 + Lum / 2) * A + 127) / 255);
        P[0] = P[1] = P[2] = V;
      }
    Source = &Grey;
  }
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Alpha;
  Mode.PerPixelAlpha = true;
  GraphicsRaster::Blit(*Target, Clip, Bounds(X - Org.X, Y - Org.Y, FWidth, FHeight), *Source,
                       TRect(0, 0, FWidth, FHeight), Mode);
  if (Canvas->OnChange) Canvas->OnChange(Canvas);
}

bool TImageList::GetBitmap(Integer Index, TBitmap* Image) const {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetPixelFormat(pf32bit);
  Image->SetSize(FWidth, FHeight);
  if (FBkColor == clNone) {
    Image->Assign(FImages[Index].get());
    return true;
  }
  Image->SetAlphaFormat(afIgnored);
  Image->Canvas()->Brush()->SetColor(FBkColor);
  Image->Canvas()->FillRect(TRect(0, 0, FWidth, FHeight));
  const_cast<TImageList*>(this)->Draw(Image->Canvas(), 0, 0, Index, true);
  return true;
}
