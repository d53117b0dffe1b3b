// Pictures of mini-HTML texts, their cache and the picture container.
#include "components/gridbase/PictureContainer.h"

#include <condition_variable>
#include <map>
#include <mutex>

#include "components/gridbase/ExGridTypes.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::map<String, std::vector<Byte>>& RCData() {
  static std::map<String, std::vector<Byte>> Table;
  return Table;
}
std::mutex& RCDataLock() {
  static std::mutex M;
  return M;
}

Integer U16(const std::vector<Byte>& D, size_t At) {
  if (At + 1 >= D.size()) return 0;
  return D[At] | (D[At + 1] << 8);
}

bool StartsWithText(const String& S, const String& Prefix) {
  return S.size() >= Prefix.size() && UpperCase(S.substr(0, Prefix.size())) == Prefix;
}

}  // namespace

void RegisterRCDataResource(const String& Name, std::vector<Byte> Data) {
  std::lock_guard<std::mutex> Guard(RCDataLock());
  RCData()[UpperCase(Name)] = std::move(Data);
}

bool FindRCDataResource(const String& Name, std::vector<Byte>& Data) {
  std::lock_guard<std::mutex> Guard(RCDataLock());
  auto It = RCData().find(UpperCase(Name));
  if (It == RCData().end()) return false;
  Data = It->second;
  return true;
}

// ---------------------------------------------------------------------------------------------
// THTMLPicture

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::ResetFrames() {
  FFrame = 1;
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
}

void THTMLPicture::SetData(const Byte* Data, size_t Size) {
  FDatastream.assign(Data, Data + Size);
  // A picture that held an animated GIF must not carry its frame state over to the new bytes:
  // a stale frame number would select a frame the new picture may not have.
  ResetFrames();
}

void THTMLPicture::Assign(TPersistent* Source) {
  if (Source == this) return;
  FIsEmpty = true;
  gpPicture.reset();
  // Back to frame 1 without decoding the old bytes again: they are replaced right below.
  ResetFrames();
  if (!Source) {
    FDatastream.clear();
    return;
  }
  if (auto* P = dynamic_cast<THTMLPicture*>(Source)) {
    // An empty picture copies as an empty picture (there is nothing to decode).
    if (P->FIsEmpty || P->FDatastream.empty()) {
      FDatastream.clear();
      Changed();
      return;
    }
    const std::vector<Byte> Bytes = P->FDatastream;
    LoadBytes(Bytes.data(), Bytes.size(), true);
  }
}

Integer THTMLPicture::Width() const {
  if (!gpPicture) return 0;
  return MulDiv(gpPicture->Width(), 96, FLogPixX);
}

Integer THTMLPicture::Height() const {
  if (!gpPicture) return 0;
  return MulDiv(gpPicture->Height(), 96, FLogPixY);
}

Integer THTMLPicture::MaxWidth() const {
  if (!gpPicture) return 0;
  return FAnimMaxX ? FAnimMaxX : Width();
}

Integer THTMLPicture::MaxHeight() const {
  if (!gpPicture) return 0;
  return FAnimMaxY ? FAnimMaxY : Height();
}

void THTMLPicture::LoadBytes(const Byte* Data, size_t Size, bool Notify) {
  SetData(Data, Size);
  FIsEmpty = false;
  try {
    RebuildPicture();
  } catch (...) {
    // Bytes the loader does not accept leave an empty picture behind, so nobody draws or decodes
    // them later; the error goes on to the caller.
    FIsEmpty = true;
    FDatastream.clear();
    throw;
  }
  if (Notify) Changed();
}

void THTMLPicture::LoadFromFile(const String& FileName) {
  // Only a regular file of a picture's size is read: a device, a pipe or a huge file named by a
  // cell's markup would otherwise be read on the GUI thread while the cell paints.
  std::string B;
  if (!ReadRegularFileBytes(FileName, MaxPictureFileSize, B)) return;
  try {
    LoadBytes(reinterpret_cast<const Byte*>(B.data()), B.size(), true);
  } catch (...) {
    // A file that cannot be read or decoded leaves an empty picture; nothing is reported.
  }
}

void THTMLPicture::LoadFromMemory(const Byte* Data, size_t Size) { LoadBytes(Data, Size, true); }

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  const std::string B = Stream->ReadAllBytes();
  LoadBytes(reinterpret_cast<const Byte*>(B.data()), B.size(), true);
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  const std::string B = Stream->ReadAllBytes();
  LoadBytes(reinterpret_cast<const Byte*>(B.data()), B.size(), false);
}

void THTMLPicture::SaveToStream(TStream* Stream) {
  if (!Stream || FDatastream.empty()) return;
  Stream->WriteBuffer(FDatastream.data(), static_cast<Int64>(FDatastream.size()));
}

void THTMLPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

std::vector<Byte> THTMLPicture::SaveToMemory() const { return FDatastream; }

void THTMLPicture::LoadFromResourceName(const String& ResName) {
  std::vector<Byte> Data;
  if (!FindRCDataResource(ResName, Data)) return;
  TMemoryStream M;
  if (!Data.empty()) M.WriteBuffer(Data.data(), static_cast<Int64>(Data.size()));
  M.SetPosition(0);
  LoadFromStream(&M);
}

void THTMLPicture::LoadFromResourceID(Integer ResID) {
  const String Name = u"#" + IntToStr(ResID);
  std::vector<Byte> Data;
  if (!FindRCDataResource(Name, Data)) throw EResNotFound(u"Resource " + Name + u" not found");
  LoadFromMemory(Data.data(), Data.size());
}

void THTMLPicture::LoadFromURL(const String& url) {
  if (StartsWithText(url, u"RES://")) {
    FID = url;
    const String Name = url.substr(6);
    if (!Name.empty()) LoadFromResourceName(Name);
  } else if (StartsWithText(url, u"FILE://")) {
    FID = url;
    const String Path = url.substr(7);
    if (!Path.empty()) LoadFromFile(Path);
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy) {
    FURL = url;
    FThreadBusy = true;
    new TDownLoadThread(this);
  }
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || FIsEmpty || !gpPicture) return;
  if (FStretched) {
    ACanvas->StretchDraw(Rect, gpPicture.get());
    return;
  }
  const Integer Ppi = ACanvas->PixelsPerInch();
  const Integer W = MulDiv(Width(), Ppi, 96), H = MulDiv(Height(), Ppi, 96);
  ACanvas->StretchDraw(Bounds(Rect.Left, Rect.Top, W, H), gpPicture.get());
}

bool THTMLPicture::IsGIF() const {
  return FDatastream.size() >= 5 && FDatastream[0] == 'G' && FDatastream[1] == 'I' &&
         FDatastream[2] == 'F' && FDatastream[3] == '8';
}

Int64 THTMLPicture::FramePattern(Integer n) const {
  if (n < 1) return -1;
  const std::vector<Byte>& D = FDatastream;
  Integer Found = 0;
  for (size_t j = 0; j + 8 < D.size(); ++j) {
    if (D[j] == 0x21 && D[j + 1] == 0xF9 && D[j + 2] == 0x04 && D[j + 8] == 0x2C) {
      if (++Found == n) return static_cast<Int64>(j);
    }
  }
  return -1;
}

Integer THTMLPicture::FrameCount() {
  if (FFrameCount != -1) return FFrameCount;
  if (!IsGIF()) return -1;
  Integer N = 0;
  while (FramePattern(N + 1) >= 0) ++N;
  FFrameCount = N;
  return N;
}

Integer THTMLPicture::GetFrameTime(Integer i) {
  if (!IsGIF()) return -1;
  const Int64 J = FramePattern(i);
  if (J < 0) return -1;
  const size_t j = static_cast<size_t>(J);
  const Byte Packed = FDatastream[j + 3];
  FFrameTransp = (Packed & 1) != 0;
  FFrameDisposal = static_cast<Word>((Packed >> 2) & 7);
  return U16(FDatastream, j + 4);
}

void THTMLPicture::RebuildPicture() {
  // The previous decoding goes first, so a picture that fails to decode shows nothing instead of
  // the picture it held before.
  gpPicture.reset();
  FFrameXPos = FFrameYPos = 0;
  FAnimMaxX = FAnimMaxY = 0;
  const std::vector<Byte>* Bytes = &FDatastream;
  std::vector<Byte> Cut;
  if (IsGIF() && FrameCount() >= 1) {
    FAnimMaxX = static_cast<Word>(U16(FDatastream, 6));
    FAnimMaxY = static_cast<Word>(U16(FDatastream, 8));
    // The loader decodes the first image it meets: leave out everything from the first frame up
    // to the selected one. A frame number the picture does not have shows its first frame.
    const Integer Wanted = (FFrame >= 1 && FFrame <= FFrameCount) ? FFrame : 1;
    const size_t First = static_cast<size_t>(FramePattern(1));
    const size_t At = static_cast<size_t>(FramePattern(Wanted));
    FFrameXPos = static_cast<Word>(U16(FDatastream, At + 9));
    FFrameYPos = static_cast<Word>(U16(FDatastream, At + 11));
    FFrameXSize = static_cast<Word>(U16(FDatastream, At + 13));
    FFrameYSize = static_cast<Word>(U16(FDatastream, At + 15));
    if (At != First) {
      Cut.reserve(FDatastream.size() - (At - First));
      Cut.insert(Cut.end(), FDatastream.begin(), FDatastream.begin() + static_cast<std::ptrdiff_t>(First));
      Cut.insert(Cut.end(), FDatastream.begin() + static_cast<std::ptrdiff_t>(At), FDatastream.end());
      Bytes = &Cut;
    }
  }
  std::unique_ptr<TGraphic> G;
  try {
    G = LoadGraphicFromMemory(Bytes->data(), Bytes->size());
  } catch (const Exception&) {
    G.reset();
  }
  if (!G) throw Exception(u"Could not load image. Invalid format");
  if (G->Empty()) throw Exception(u"Could not load image");
  gpPicture = std::move(G);
}

void THTMLPicture::SetFrame(Integer Value) {
  FFrame = Value;
  if (!FDatastream.empty()) {
    RebuildPicture();
    if (OnFrameChange) OnFrameChange(this);
  }
}

void THTMLPicture::FrameNext() {
  if (FFrame < FFrameCount)
    ++FFrame;
  else
    FFrame = 1;
}

void THTMLPicture::FramePrev() {
  if (FFrame > 1)
    --FFrame;
  else
    FFrame = FFrameCount;
}

bool THTMLPicture::Step() {
  bool Result = false;
  if (FFrameCount < 2 || FIsEmpty) return false;
  if (FNextCount == -1) GetFrameTime(FFrame);
  if (FTimerCount * 10 >= FNextCount) {
    FrameNext();
    RebuildPicture();
    FNextCount += GetFrameTime(FFrame);
    Result = true;
  }
  ++FTimerCount;
  return Result;
}

// ---------------------------------------------------------------------------------------------
// THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
  for (const auto& P : FItems)
    if (P->ID() == ID) return P.get();
  return nullptr;
}

void THTMLPictureCache::ClearPictures() { FItems.clear(); }

THTMLPicture* THTMLPictureCache::GetPicture(Integer Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Format(u"List index out of bounds (%d)", Index));
  return FItems[static_cast<size_t>(Index)].get();
}

void THTMLPictureCache::SetPicture(Integer Index, THTMLPicture* Value) {
  if (Index < 0 || Index >= Count())
    throw EListError(Format(u"List index out of bounds (%d)", Index));
  auto& Slot = FItems[static_cast<size_t>(Index)];
  if (Slot.get() != Value) Slot.reset(Value);
}

bool THTMLPictureCache::Animate() {
  bool Any = false;
  for (auto& P : FItems)
    if (P->Step()) Any = true;
  return Any;
}

// ---------------------------------------------------------------------------------------------
// Picture items, collection, container

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
  auto* Item = dynamic_cast<TPictureItem*>(Source);
  if (!Item) throw EInvalidCast(u"Invalid class typecast");
  if (Item == this) return;
  FName = Item->FName;
  FTag = Item->FTag;
  FPicture->Assign(Item->FPicture.get());
}

void TPictureItem::SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }

TPictureCollection::TPictureCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, [](TCollection* C) -> TCollectionItem* { return new TPictureItem(C); }) {}

TPictureItem* TPictureCollection::Add() { return static_cast<TPictureItem*>(TCollection::Add()); }

TPictureItem* TPictureCollection::Insert(Integer Index) {
  return static_cast<TPictureItem*>(TCollection::Insert(Index));
}

TPictureItem* TPictureCollection::GetItem(Integer Index) const {
  return static_cast<TPictureItem*>(TCollection::GetItem(Index));
}

void TPictureCollection::SetItem(Integer Index, TPictureItem* Value) { TCollection::SetItem(Index, Value); }

bool TPictureCollection::Animate() {
  bool Any = false;
  for (Integer I = 0; I < Count(); ++I)
    if (GetItem(I)->Picture()->Step()) Any = true;
  return Any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection* Value) { FItems->Assign(Value); }

THTMLPicture* TPictureContainer::FindPicture(const String& s) {
  const String Wanted = UpperCase(s);
  for (Integer I = 0; I < FItems->Count(); ++I) {
    TPictureItem* Item = FItems->GetItem(I);
    if (UpperCase(Item->Name()) == Wanted) return Item->Picture();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TDownLoadThread

// Holds Execute back until the constructor has finished starting the thread: a thread that frees
// itself must not end before its creator is done with it.
struct TDownLoadThread::StartGate {
  std::mutex M;
  std::condition_variable CV;
  bool Open = false;
};

TDownLoadThread::TDownLoadThread(THTMLPicture* aHTMLPicture)
    : TThread(true), FHTMLPicture(aHTMLPicture), FGate(std::make_shared<StartGate>()) {
  SetFreeOnTerminate(true);
  std::shared_ptr<StartGate> Gate = FGate;
  Start();
  {
    std::lock_guard<std::mutex> G(Gate->M);
    Gate->Open = true;
  }
  Gate->CV.notify_all();
}

void TDownLoadThread::Execute() {
  // Downloads are not part of this system: wait for the start to complete, then end.
  std::shared_ptr<StartGate> Gate = FGate;
  std::unique_lock<std::mutex> L(Gate->M);
  Gate->CV.wait(L, [&] { return Gate->Open; });
}
