#include "components/gridbase/esgdd.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/CodePages.h"
#include "platform/rtl/SysUtils.h"

namespace {

CLIPFORMAT GDropRTFFormat = 0;
CLIPFORMAT GDropColumnFormat = 0;
CLIPFORMAT GDropCellsFormat = 0;
CLIPFORMAT GDropURLFormat = 0;
bool GRTFDropAllowed = false;

// Every format this module builds: content, no target device, no index, a global block.
FORMATETC MakeFormatEtc(CLIPFORMAT Format) {
  FORMATETC F;
  F.cfFormat = Format;
  F.ptd = nullptr;
  F.dwAspect = DVASPECT_CONTENT;
  F.lindex = -1;
  F.tymed = TYMED_HGLOBAL;
  return F;
}

int32_t ReadInt32(const std::string& Bytes, size_t Offset) {
  if (Offset + 4 > Bytes.size()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(Bytes.data()) + Offset;
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

void PutInt32(std::vector<Byte>& Bytes, size_t Offset, int32_t Value) {
  const auto v = static_cast<uint32_t>(Value);
  for (int i = 0; i < 4; ++i) Bytes[Offset + i] = static_cast<Byte>(v >> (8 * i));
}

// UTF-16 little-endian text from Offset up to its NUL (or the end of the block); End receives the
// offset after the NUL.
String WideTextAt(const std::string& Bytes, size_t Offset, size_t* End = nullptr) {
  String S;
  size_t i = Offset;
  for (; i + 1 < Bytes.size(); i += 2) {
    const Char c = static_cast<Char>(static_cast<unsigned char>(Bytes[i]) | static_cast<unsigned char>(Bytes[i + 1]) << 8);
    if (c == 0) break;
    S += c;
  }
  if (End) *End = i + 2;
  return S;
}

// 8-bit text in the ANSI code page from Offset up to its NUL (or the end of the block).
String AnsiTextAt(const std::string& Bytes, size_t Offset, size_t* End = nullptr) {
  if (Offset >= Bytes.size()) {
    if (End) *End = Bytes.size() + 1;
    return String();
  }
  size_t Nul = Bytes.find('\0', Offset);
  if (Nul == std::string::npos) Nul = Bytes.size();
  if (End) *End = Nul + 1;
  return AnsiToString(std::string_view(Bytes).substr(Offset, Nul - Offset));
}

}  // namespace

CLIPFORMAT DropRTFFormat() { return GDropRTFFormat; }
CLIPFORMAT DropColumnFormat() { return GDropColumnFormat; }
CLIPFORMAT DropCellsFormat() { return GDropCellsFormat; }
CLIPFORMAT DropURLFormat() { return GDropURLFormat; }

void RegisterDropFormats() {
  GDropRTFFormat = RegisterClipboardFormat(u"Rich Text Format");
  GDropColumnFormat = RegisterClipboardFormat(u"Grid Column");
  GDropCellsFormat = RegisterClipboardFormat(u"TExStringGrid Cells");
  GDropURLFormat = RegisterClipboardFormat(u"UniformResourceLocator");
}

void SetRTFDropAllowed(bool Value) { GRTFDropAllowed = Value; }
bool RTFDropAllowed() { return GRTFDropAllowed; }

// --- TEnumFormats ---------------------------------------------------------------------------------------

TEnumFormats::TEnumFormats(IDataObject* DataObject) : FFiles(std::make_unique<TStringList>()) {
  RegisterDropFormats();
  SetDataObject(DataObject);
}

TEnumFormats::~TEnumFormats() { ReleaseMedium(); }

void TEnumFormats::SetDataObject(IDataObject* Value) {
  ReleaseMedium();
  FEnumerator = TComPtr<IEnumFORMATETC>();
  FDataObject = Value;
  if (!FDataObject) return;
  IEnumFORMATETC* Enum = nullptr;
  if (Failed(FDataObject->EnumFormatEtc(DATADIR_GET, &Enum)) || !Enum)
    throw EAssertionFailed(u"Cannot get the format enumerator");
  FEnumerator = TComPtr<IEnumFORMATETC>::Attach(Enum);
  Reset();
}

bool TEnumFormats::Reset() {
  FValid = false;
  FCount = 0;
  return FEnumerator && FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::Next() {
  ++FCount;
  ULONG Fetched = 0;
  FValid = FEnumerator && FEnumerator->Next(1, &FFormatEtc, &Fetched) == S_OK && Fetched == 1;
  return FValid;
}

bool TEnumFormats::HasFormat(CLIPFORMAT ClipFormat) {
  Reset();
  while (Next()) {
    if (FFormatEtc.cfFormat == ClipFormat) return true;
  }
  return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Tymed) {
  ReleaseMedium();
  if (!FValid || !FDataObject || (FFormatEtc.tymed & Tymed) != Tymed) return nullptr;
  FORMATETC F = FFormatEtc;
  F.tymed = Tymed;
  if (FDataObject->GetData(&F, &FMedium) != S_OK) {
    FMedium = STGMEDIUM();
    return nullptr;
  }
  return FMedium.hGlobal;
}

void TEnumFormats::ReleaseMedium() {
  if (FMedium.tymed != TYMED_NULL || FMedium.hGlobal || FMedium.pUnkForRelease) ReleaseStgMedium(&FMedium);
}

bool TEnumFormats::ReadBlock(std::string& Bytes) {
  HGLOBAL Mem = GlobalHandle();
  const void* P = Mem ? GlobalLock(Mem) : nullptr;
  if (!P) {
    ReleaseMedium();
    return false;
  }
  Bytes.assign(static_cast<const char*>(P), GlobalSize(Mem));
  GlobalUnlock(Mem);
  ReleaseMedium();
  return true;
}

Integer TEnumFormats::ReadIntFormat(CLIPFORMAT Format) {
  std::string Bytes;
  if (!HasFormat(Format) || !ReadBlock(Bytes) || Bytes.size() < 4) return -1;
  return ReadInt32(Bytes, 0);
}

std::unique_ptr<TMemoryStream> TEnumFormats::ReadStreamFormat(CLIPFORMAT Format) {
  std::string Bytes;
  if (!HasFormat(Format) || !ReadBlock(Bytes) || Bytes.size() < 8) return nullptr;
  // The size at offset 0 is taken only as far as the block reaches.
  const int32_t Size = ReadInt32(Bytes, 0);
  if (Size < 0) return nullptr;
  const size_t n = std::min<size_t>(static_cast<size_t>(Size), Bytes.size() - 8);
  auto Stream = std::make_unique<TMemoryStream>();
  if (n > 0) Stream->WriteBuffer(Bytes.data() + 8, static_cast<Int64>(n));
  Stream->SetPosition(0);
  return Stream;
}

String TEnumFormats::ReadWideTextFormat(CLIPFORMAT Format) {
  std::string Bytes;
  if (!HasFormat(Format) || !ReadBlock(Bytes)) return String();
  return WideTextAt(Bytes, 0);
}

String TEnumFormats::ReadAnsiTextFormat(CLIPFORMAT Format) {
  std::string Bytes;
  if (!HasFormat(Format) || !ReadBlock(Bytes)) return String();
  return AnsiTextAt(Bytes, 0);
}

void TEnumFormats::ReadFileList() {
  FFiles->Clear();
  std::string Bytes;
  if (!ReadBlock(Bytes) || Bytes.size() < 20) return;
  const int32_t First = ReadInt32(Bytes, 0);
  const bool Wide = ReadInt32(Bytes, 16) != 0;
  if (First < 0) return;
  size_t Offset = static_cast<size_t>(First);
  // Names follow each other up to an empty one (or the end of the block).
  while (Offset < Bytes.size()) {
    size_t End = 0;
    const String Name = Wide ? WideTextAt(Bytes, Offset, &End) : AnsiTextAt(Bytes, Offset, &End);
    if (Name.empty()) break;
    FFiles->Add(Name);
    Offset = End;
  }
}

// --- TESGDropTarget ------------------------------------------------------------------------------------

DWORD TESGDropTarget::DropEffectFromKeys(DWORD KeyState, DWORD OfferedEffects) {
  if (KeyState & MK_CONTROL) return DROPEFFECT_COPY;
  if (OfferedEffects & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
  return DROPEFFECT_COPY;
}

HRESULT TESGDropTarget::DragEnter(IDataObject* DataObj, DWORD KeyState, TPoint /*Pt*/, DWORD* Effect) {
  {
    TEnumFormats Reader(DataObj);
    const bool Text = Reader.HasText();
    const bool File = Reader.HasFile();
    const bool Rtf = Reader.HasRTF();
    const bool Col = Reader.HasCol();
    const bool Url = Reader.HasURL();
    const bool Cells = Reader.HasGridCells();
    // Grid cells are taken whatever the accept flags say.
    FOk = (Text && FAcceptText) || (File && FAcceptFiles) || (Rtf && GRTFDropAllowed && FAcceptText) ||
          (Col && FAcceptCols) || (Url && FAcceptURLs) || Cells;
    FDropFormats = TDropFormats();
    if (Text) FDropFormats.Include(dfText);
    if (File) FDropFormats.Include(dfFile);
    if (Rtf) FDropFormats.Include(dfRTF);
    if (Col) FDropFormats.Include(dfCol);
    if (Url) FDropFormats.Include(dfURL);
    if (Cells) FDropFormats.Include(dfGridCells);
  }
  if (Effect) *Effect = FOk ? DropEffectFromKeys(KeyState, *Effect) : DROPEFFECT_NONE;
  DragMouseEnter();
  return S_OK;
}

HRESULT TESGDropTarget::DragOver(DWORD KeyState, TPoint Pt, DWORD* Effect) {
  DWORD E = DROPEFFECT_NONE;
  if (FOk) E = DropEffectFromKeys(KeyState, Effect ? *Effect : DROPEFFECT_NONE);
  bool Allow = E != DROPEFFECT_NONE;
  DragMouseMove(Pt, Allow, FDropFormats);
  if (!Allow) E = DROPEFFECT_NONE;
  if (Effect) *Effect = E;
  return S_OK;
}

HRESULT TESGDropTarget::DragLeave() {
  DragMouseLeave();
  return S_OK;
}

HRESULT TESGDropTarget::Drop(IDataObject* DataObj, DWORD KeyState, TPoint Pt, DWORD* Effect) {
  if (!FOk) {
    if (Effect) *Effect = DROPEFFECT_NONE;
    return S_OK;
  }
  {
    TEnumFormats Reader(DataObj);
    if (Reader.HasCol()) {
      // A column is handed over alone.
      DropCol(Pt, Reader.Col());
    } else {
      if (Reader.HasGridCells()) {
        std::unique_ptr<TMemoryStream> Stream = Reader.Stream();
        DropStream(Pt, Stream.get());
      } else if (Reader.HasRTF() && GRTFDropAllowed) {
        DropRTF(Pt, Reader.RTF());
      } else if (Reader.HasText()) {
        DropText(Pt, Reader.Text());
      }
      if (Reader.HasFile()) {
        Reader.ReadFileList();
        DropFiles(Pt, Reader.Files());
      }
      if (Reader.HasURL()) DropURL(Pt, Reader.Text());
    }
  }
  if (Effect) *Effect = DropEffectFromKeys(KeyState, *Effect);
  return S_OK;
}

// --- TSourceDataObject ---------------------------------------------------------------------------------

TSourceDataObject::TSourceDataObject(const String& stxt, const String& srtf, Integer sidx, TMemoryStream* ms)
    : textdata(stxt), rtfdata(srtf), scolidx(sidx), memstr(ms) {
  // The formats are registered before the data is offered, so no format is offered as 0.
  RegisterDropFormats();
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC* Format) {
  if (!Format || Format->dwAspect != DVASPECT_CONTENT || Format->tymed != TYMED_HGLOBAL) return DV_E_FORMATETC;
  const CLIPFORMAT cf = Format->cfFormat;
  if (!textdata.empty() && (cf == CF_TEXT || cf == CF_UNICODETEXT || (cf == GDropRTFFormat && GRTFDropAllowed)))
    return S_OK;
  if (memstr && cf == GDropCellsFormat) return S_OK;
  if (scolidx != -1 && cf == GDropColumnFormat) return S_OK;
  return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC* Format, STGMEDIUM* Medium) {
  if (!Medium) return E_INVALIDARG;
  *Medium = STGMEDIUM();
  if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
  const CLIPFORMAT cf = Format->cfFormat;
  std::vector<Byte> Payload;
  if (cf == CF_TEXT) {
    const std::string s = StringToAnsi(textdata);
    Payload.assign(s.begin(), s.end());
    Payload.push_back(0);
  } else if (cf == CF_UNICODETEXT) {
    Payload.assign(textdata.size() * 2 + 2, 0);
    for (size_t i = 0; i < textdata.size(); ++i) {
      Payload[2 * i] = static_cast<Byte>(textdata[i] & 0xFF);
      Payload[2 * i + 1] = static_cast<Byte>(textdata[i] >> 8);
    }
  } else if (cf == GDropRTFFormat) {
    const std::string s = StringToAnsi(rtfdata);
    Payload.assign(s.begin(), s.end());
    Payload.push_back(0);
  } else if (cf == GDropColumnFormat) {
    Payload.assign(4, 0);
    PutInt32(Payload, 0, scolidx);
  } else {
    const std::string& Bytes = memstr->Bytes();
    Payload.assign(8, 0);
    PutInt32(Payload, 0, static_cast<int32_t>(Bytes.size()));
    Payload.insert(Payload.end(), Bytes.begin(), Bytes.end());
  }
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, Payload.size());
  void* P = Mem ? GlobalLock(Mem) : nullptr;
  if (!P) return DV_E_FORMATETC;
  std::memcpy(P, Payload.data(), Payload.size());
  GlobalUnlock(Mem);
  Medium->tymed = TYMED_HGLOBAL;
  Medium->hGlobal = Mem;
  Medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(const FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* FormatOut) {
  if (FormatOut) FormatOut->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(const FORMATETC*, STGMEDIUM*, bool) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) {
  if (!Enum) return E_POINTER;
  *Enum = nullptr;
  if (Direction != DATADIR_GET) return E_NOTIMPL;
  *Enum = new TSourceEnumFormatEtc(scolidx != -1, memstr != nullptr);
  (*Enum)->AddRef();
  return S_OK;
}

HRESULT TSourceDataObject::DAdvise(const FORMATETC*, DWORD, IUnknown*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::EnumDAdvise(IUnknown** Enum) {
  if (Enum) *Enum = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// --- TSourceEnumFormatEtc ------------------------------------------------------------------------------

TSourceEnumFormatEtc::TSourceEnumFormatEtc(bool HasCol, bool HasGridCells, ULONG Index)
    : FIndex(Index), FHasCol(HasCol), FHasGridCells(HasGridCells) {}

ULONG TSourceEnumFormatEtc::FormatCount() const { return 3 + (FHasCol ? 1 : 0) + (FHasGridCells ? 1 : 0); }

HRESULT TSourceEnumFormatEtc::Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) {
  if (!Elements && Count > 0) return E_POINTER;
  const ULONG N = FormatCount();
  ULONG Filled = 0;
  while (Filled < Count && FIndex < N) {
    CLIPFORMAT cf = 0;
    switch (FIndex) {
      case 0: cf = CF_TEXT; break;
      case 1: cf = CF_UNICODETEXT; break;
      case 2: cf = GDropRTFFormat; break;
      default: cf = (FIndex == 3 && FHasCol) ? GDropColumnFormat : GDropCellsFormat; break;
    }
    Elements[Filled++] = MakeFormatEtc(cf);
    ++FIndex;
  }
  if (Fetched) *Fetched = Filled;
  return Filled == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG Count) {
  const ULONG N = FormatCount();
  if (Count > N - std::min(FIndex, N)) {
    FIndex = N;
    return S_FALSE;
  }
  FIndex += Count;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
  FIndex = 0;
  return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** Enum) {
  if (!Enum) return E_POINTER;
  *Enum = new TSourceEnumFormatEtc(FHasCol, FHasGridCells, FIndex);
  (*Enum)->AddRef();
  return S_OK;
}

// --- TESGDropSource ------------------------------------------------------------------------------------

HRESULT TESGDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState) {
  HRESULT Result = S_OK;
  if (EscapePressed) {
    DropEnded();
    Result = DRAGDROP_S_CANCEL;
  } else if (!(KeyState & MK_LBUTTON)) {
    Result = DRAGDROP_S_DROP;
    DropEnded();
  }
  QueryDrag();
  return Result;
}

HRESULT TESGDropSource::GiveFeedback(DWORD Effect) {
  FNoAccept = Effect == DROPEFFECT_NONE;
  CurrentEffect(static_cast<Integer>(Effect));
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// --- Starting a drag -------------------------------------------------------------------------------------

namespace {

HRESULT RunDrag(TESGDropSource* DropSource, TSourceDataObject* Data, Integer OkEffects, Integer& Effect) {
  TComPtr<TSourceDataObject> Hold(Data);
  TComPtr<TESGDropSource> HoldSource(DropSource);
  DWORD E = static_cast<DWORD>(Effect);
  const HRESULT Result = DoDragDrop(Data, DropSource, static_cast<DWORD>(OkEffects), &E);
  Effect = static_cast<Integer>(E);
  if (DropSource && DropSource->NoAccept()) return DRAGDROP_S_CANCEL;
  return Result;
}

}  // namespace

HRESULT DragDropText(TESGDropSource* DropSource, const String& Text, const String& RTF, TMemoryStream* Stream,
                     Integer OkEffects, Integer& Effect) {
  return RunDrag(DropSource, new TSourceDataObject(Text, RTF, -1, Stream), OkEffects, Effect);
}

HRESULT DragDropColumn(TESGDropSource* DropSource, Integer Column, Integer OkEffects, Integer& Effect) {
  return RunDrag(DropSource, new TSourceDataObject(String(), String(), Column, nullptr), OkEffects, Effect);
}
