#include "platform/gui/DragDrop.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "platform/gui/Controls.h"
#include "platform/gui/DragDropBackend.h"
#include "platform/gui/Forms.h"
#include "platform/gui/FormsBackend.h"
#include "platform/rtl/CodePages.h"

// --- Global memory blocks ------------------------------------------------------------------------------

struct TGlobalBlock {
  std::vector<Byte> Bytes;  // never empty, so a lock always has an address
  size_t Size = 0;
};

namespace {

// The live blocks: a handle that is not among them is refused rather than used.
std::set<HGLOBAL>& Blocks() {
  static std::set<HGLOBAL> blocks;
  return blocks;
}

bool IsBlock(HGLOBAL Mem) { return Mem && Blocks().count(Mem) != 0; }

}  // namespace

HGLOBAL GlobalAlloc(UINT /*Flags*/, size_t Bytes) {
  try {
    auto Block = std::make_unique<TGlobalBlock>();
    Block->Bytes.assign(std::max<size_t>(Bytes, 1), 0);
    Block->Size = Bytes;
    HGLOBAL Mem = Block.release();
    Blocks().insert(Mem);
    return Mem;
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (const std::length_error&) {
    return nullptr;
  }
}

void* GlobalLock(HGLOBAL Mem) { return IsBlock(Mem) ? Mem->Bytes.data() : nullptr; }

bool GlobalUnlock(HGLOBAL Mem) { return IsBlock(Mem); }

size_t GlobalSize(HGLOBAL Mem) { return IsBlock(Mem) ? Mem->Size : 0; }

HGLOBAL GlobalFree(HGLOBAL Mem) {
  if (!IsBlock(Mem)) return Mem;
  Blocks().erase(Mem);
  delete Mem;
  return nullptr;
}

void ReleaseStgMedium(STGMEDIUM* Medium) {
  if (!Medium) return;
  if (Medium->pUnkForRelease)
    Medium->pUnkForRelease->Release();
  else if (Medium->tymed == TYMED_HGLOBAL)
    GlobalFree(Medium->hGlobal);
  *Medium = STGMEDIUM();
}

// --- TDataObject ------------------------------------------------------------------------------------

namespace {

// The format enumerator of a TDataObject: a copy of its list of formats.
class TFormatList : public TRefCounted<IEnumFORMATETC> {
 public:
  TFormatList(std::vector<FORMATETC> Formats, size_t Index) : FFormats(std::move(Formats)), FIndex(Index) {}

  HRESULT Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) override {
    if (!Elements && Count > 0) return E_POINTER;
    ULONG n = 0;
    while (n < Count && FIndex < FFormats.size()) Elements[n++] = FFormats[FIndex++];
    if (Fetched) *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG Count) override {
    const size_t Left = FFormats.size() - FIndex;
    FIndex += std::min<size_t>(Count, Left);
    return Count <= Left ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    FIndex = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumFORMATETC** Enum) override {
    if (!Enum) return E_POINTER;
    *Enum = new TFormatList(FFormats, FIndex);
    (*Enum)->AddRef();
    return S_OK;
  }

 private:
  std::vector<FORMATETC> FFormats;
  size_t FIndex;
};

}  // namespace

void TDataObject::SetFormat(CLIPFORMAT Format, const std::vector<Byte>& Bytes) {
  for (auto& [f, b] : FFormats) {
    if (f == Format) {
      b = Bytes;
      return;
    }
  }
  FFormats.emplace_back(Format, Bytes);
}

void TDataObject::SetUnicodeText(const String& Text) {
  std::vector<Byte> Bytes((Text.size() + 1) * 2, 0);
  for (size_t i = 0; i < Text.size(); ++i) {
    Bytes[2 * i] = static_cast<Byte>(Text[i] & 0xFF);
    Bytes[2 * i + 1] = static_cast<Byte>(Text[i] >> 8);
  }
  SetFormat(CF_UNICODETEXT, Bytes);
}

const std::vector<Byte>* TDataObject::Find(CLIPFORMAT Format) const {
  for (const auto& [f, b] : FFormats)
    if (f == Format) return &b;
  return nullptr;
}

HRESULT TDataObject::QueryGetData(const FORMATETC* Format) {
  if (!Format) return E_INVALIDARG;
  if (Format->dwAspect != DVASPECT_CONTENT || !(Format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
  return Find(Format->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT TDataObject::GetData(const FORMATETC* Format, STGMEDIUM* Medium) {
  if (!Medium) return E_INVALIDARG;
  *Medium = STGMEDIUM();
  const HRESULT Q = QueryGetData(Format);
  if (Q != S_OK) return Q;
  const std::vector<Byte>& Bytes = *Find(Format->cfFormat);
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, Bytes.size());
  if (!Mem) return E_OUTOFMEMORY;
  if (!Bytes.empty()) std::memcpy(GlobalLock(Mem), Bytes.data(), Bytes.size());
  GlobalUnlock(Mem);
  Medium->tymed = TYMED_HGLOBAL;
  Medium->hGlobal = Mem;
  return S_OK;
}

HRESULT TDataObject::GetDataHere(const FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }

HRESULT TDataObject::GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* FormatOut) {
  if (FormatOut) FormatOut->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT TDataObject::SetData(const FORMATETC*, STGMEDIUM*, bool) { return E_NOTIMPL; }

HRESULT TDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) {
  if (!Enum) return E_POINTER;
  *Enum = nullptr;
  if (Direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> Formats;
  for (const auto& [f, b] : FFormats) {
    FORMATETC F;
    F.cfFormat = f;
    Formats.push_back(F);
  }
  *Enum = new TFormatList(std::move(Formats), 0);
  (*Enum)->AddRef();
  return S_OK;
}

HRESULT TDataObject::DAdvise(const FORMATETC*, DWORD, IUnknown*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TDataObject::EnumDAdvise(IUnknown** Enum) {
  if (Enum) *Enum = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// --- Drop targets --------------------------------------------------------------------------------------

namespace {

// The registered targets, each holding one reference.
std::map<HWND, IDropTarget*>& Targets() {
  static std::map<HWND, IDropTarget*> targets;
  return targets;
}

// Lets go of the targets of windows that are gone.
void ForgetGoneWindows() {
  auto& T = Targets();
  for (auto It = T.begin(); It != T.end();) {
    if (IsWindow(It->first)) {
      ++It;
      continue;
    }
    IDropTarget* Target = It->second;
    It = T.erase(It);
    Target->Release();
  }
}

}  // namespace

HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target) {
  ForgetGoneWindows();
  if (!Wnd || !IsWindow(Wnd)) return DRAGDROP_E_INVALIDHWND;
  if (!Target) return E_INVALIDARG;
  if (Targets().count(Wnd)) return DRAGDROP_E_ALREADYREGISTERED;
  Target->AddRef();
  Targets()[Wnd] = Target;
  // The window takes drags of the window system too, from this program and from others.
  if (TWinControl* C = FindControl(Wnd)) DragDropBackend::SetAcceptDrops(C, true);
  return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd) {
  auto It = Targets().find(Wnd);
  if (It == Targets().end()) return DRAGDROP_E_NOTREGISTERED;
  IDropTarget* Target = It->second;
  Targets().erase(It);
  Target->Release();
  if (TWinControl* C = FindControl(Wnd)) DragDropBackend::SetAcceptDrops(C, false);
  return S_OK;
}

IDropTarget* RegisteredDropTarget(HWND Wnd) {
  if (!IsWindow(Wnd)) return nullptr;
  auto It = Targets().find(Wnd);
  return It == Targets().end() ? nullptr : It->second;
}

// --- The drag loop ---------------------------------------------------------------------------------------

namespace {

TDragLoopPump gPump;

class TDragSession;
TDragSession* gSession = nullptr;

// The keys and buttons down, as MK_* bits.
DWORD DragKeyState() {
  DWORD Keys = 0;
  if (GetKeyState(VK_LBUTTON) < 0) Keys |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) Keys |= MK_RBUTTON;
  if (GetKeyState(VK_MBUTTON) < 0) Keys |= MK_MBUTTON;
  if (GetKeyState(VK_SHIFT) < 0) Keys |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) Keys |= MK_CONTROL;
  if (GetKeyState(VK_MENU) < 0) Keys |= MK_ALT;
  return Keys;
}

// The registered target of the window under a screen point, or of its nearest registered parent.
IDropTarget* TargetAt(TPoint Pt) {
  for (TWinControl* C = FindControl(WindowFromPoint(Pt)); C; C = C->Parent()) {
    if (IDropTarget* T = RegisteredDropTarget(C->Handle())) return T;
  }
  return nullptr;
}

class TDragSession {
 public:
  TDragSession(IDataObject* Data, IDropSource* Source, DWORD OkEffects)
      : FData(Data), FSource(Source), FOkEffects(OkEffects) {}

  bool Done() const { return FDone; }
  HRESULT Result() const { return FResult; }
  DWORD FinalEffect() const { return FFinalEffect; }
  std::exception_ptr Error() const { return FError; }
  bool Stepped() const { return FStepped; }
  void ClearStepped() { FStepped = false; }

  // A mouse message of the drag: the pointer is at Pt (screen).
  void MouseAt(TPoint Pt) {
    FPt = Pt;
    FStepped = true;
    Step(false);
  }
  void Start(TPoint Pt) {
    FPt = Pt;
    Step(false);
  }
  // One step with the pointer where it was; Escape makes it a step with Esc pressed.
  void Step(bool Escape) {
    if (FDone) return;
    try {
      const DWORD Keys = DragKeyState();
      const HRESULT Q = FSource->QueryContinueDrag(Escape || GetKeyState(VK_ESCAPE) < 0, Keys);
      if (Q == S_OK && Escape) {
        // The source wants to go on although no more input will come: the drag ends anyway.
        Finish(false, Keys);
      } else if (Q == DRAGDROP_S_DROP) {
        Finish(true, Keys);
      } else if (Q != S_OK) {
        Finish(false, Keys);
      } else {
        Track(Keys);
      }
    } catch (...) {
      FError = std::current_exception();
      Abort();
    }
  }

 private:
  void Track(DWORD Keys) {
    IDropTarget* Under = TargetAt(FPt);
    DWORD E = FOkEffects;
    if (Under != FTarget.Get()) {
      if (FTarget) {
        TComPtr<IDropTarget> Old = FTarget;
        FTarget = TComPtr<IDropTarget>();
        Old->DragLeave();
      }
      if (Under) {
        FTarget = Under;
        if (Failed(FTarget->DragEnter(FData, Keys, FPt, &E))) E = DROPEFFECT_NONE;
      }
    } else if (FTarget) {
      if (Failed(FTarget->DragOver(Keys, FPt, &E))) E = DROPEFFECT_NONE;
    }
    FEffect = FTarget ? (E & FOkEffects) : DROPEFFECT_NONE;
    if (FSource->GiveFeedback(FEffect) == DRAGDROP_S_USEDEFAULTCURSORS && Screen)
      Screen->SetCursor(FEffect == DROPEFFECT_NONE ? crNoDrop : crDrag);
  }

  void Finish(bool DropIt, DWORD Keys) {
    FDone = true;
    FResult = DRAGDROP_S_CANCEL;
    FFinalEffect = DROPEFFECT_NONE;
    TComPtr<IDropTarget> Target = FTarget;
    FTarget = TComPtr<IDropTarget>();
    if (!Target) return;
    if (DropIt && FEffect != DROPEFFECT_NONE) {
      DWORD E = FOkEffects;
      if (Succeeded(Target->Drop(FData, Keys, FPt, &E))) {
        FResult = DRAGDROP_S_DROP;
        FFinalEffect = E & FOkEffects;
      }
    } else {
      Target->DragLeave();
    }
  }

  void Abort() {
    FDone = true;
    FResult = E_UNEXPECTED;
    FFinalEffect = DROPEFFECT_NONE;
    TComPtr<IDropTarget> Target = FTarget;
    FTarget = TComPtr<IDropTarget>();
    if (!Target) return;
    try {
      Target->DragLeave();
    } catch (...) {
      // The first failure is the one passed on.
    }
  }

  IDataObject* FData;
  IDropSource* FSource;
  DWORD FOkEffects;
  TComPtr<IDropTarget> FTarget;
  DWORD FEffect = DROPEFFECT_NONE;
  TPoint FPt;
  bool FDone = false;
  bool FStepped = false;
  HRESULT FResult = DRAGDROP_S_CANCEL;
  DWORD FFinalEffect = DROPEFFECT_NONE;
  std::exception_ptr FError;
};

// Holds the mouse while the drag runs: every mouse message becomes a step of the drag.
class TDragTracker : public TControl {
 public:
  explicit TDragTracker(TDragSession* Session) : TControl(nullptr), FSession(Session) {}
  String ClassName() const override { return u"TDragTracker"; }
  void WndProc(TMessage& Message) override {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
      const TPoint P(SmallIntLo(static_cast<uintptr_t>(Message.LParam)),
                     SmallIntHi(static_cast<uintptr_t>(Message.LParam)));
      FSession->MouseAt(ClientToScreen(P));
      return;
    }
    TControl::WndProc(Message);
  }

 private:
  TDragSession* FSession;
};

}  // namespace

namespace {

bool gSystemDragRunning = false;

// The drag through the window system: the data goes out as MIME data, so other programs take it as
// well as our own windows (whose targets hear it through the Input... functions below). The source
// is asked on every tick whether the drag goes on (its drag image follows the pointer), hears the
// effect the target under the pointer shows, and at the end hears the button's release.
HRESULT SystemDoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
  const TDragPayload Payload = PayloadOfDataObject(Data);
  std::exception_ptr Error;
  auto Tick = [&] {
    if (Error) return false;
    try {
      const HRESULT Q = Source->QueryContinueDrag(false, MK_LBUTTON);
      return Q == S_OK || Q == DRAGDROP_S_DROP;
    } catch (...) {
      Error = std::current_exception();
      return false;
    }
  };
  auto Feedback = [&](DWORD E) {
    if (Error) return;
    try {
      Source->GiveFeedback(E & OkEffects);
    } catch (...) {
      Error = std::current_exception();
    }
  };
  gSystemDragRunning = true;
  struct Reset {
    ~Reset() { gSystemDragRunning = false; }
  } reset;
  const DWORD E = DragDropBackend::RunDrag(Payload, OkEffects, Tick, Feedback) & OkEffects;
  if (Error) std::rethrow_exception(Error);
  // The drag is over: the source hears the last effect and the released button.
  Source->GiveFeedback(E);
  Source->QueryContinueDrag(false, 0);
  if (GetCaptureControl()) SetCaptureControl(nullptr);
  *Effect = E;
  return E == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

}  // namespace

HRESULT DoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
  if (!Data || !Source || !Effect) return E_INVALIDARG;
  if (gSession || gSystemDragRunning) return E_UNEXPECTED;
  *Effect = DROPEFFECT_NONE;
  // The data and the source stay alive while the loop runs, whatever the caller releases.
  TComPtr<IDataObject> HoldData(Data);
  TComPtr<IDropSource> HoldSource(Source);
  // On a real display the window system runs the drag, unless a test scripts the input.
  if (!gPump && DragDropBackend::SystemDrag()) return SystemDoDragDrop(Data, Source, OkEffects, Effect);
  ForgetGoneWindows();

  TDragSession Session(Data, Source, OkEffects);
  gSession = &Session;
  const TCursor OldCursor = Screen ? Screen->Cursor() : crDefault;
  auto Tracker = std::make_unique<TDragTracker>(&Session);
  SetCaptureControl(Tracker.get());
  struct Restore {
    TDragTracker* Tracker;
    TCursor Cursor;
    ~Restore() {
      if (GetCaptureControl() == Tracker) SetCaptureControl(nullptr);
      if (Screen) Screen->SetCursor(Cursor);
      gSession = nullptr;
    }
  } restore{Tracker.get(), OldCursor};

  Session.Start(GetCursorPos());
  while (!Session.Done()) {
    Session.ClearStepped();
    bool More = true;
    if (gPump) {
      More = gPump();
    } else {
      // A bounded wait: a pointer resting over a target still gets DragOver now and then, which
      // lets the target scroll.
      FormsBackend::WaitAndProcessEvents(50);
    }
    if (Session.Done()) break;
    if (!More || (Application && Application->Terminated()))
      Session.Step(true);
    else if (!Session.Stepped())
      Session.Step(false);
  }
  if (Session.Error()) std::rethrow_exception(Session.Error());
  *Effect = Session.FinalEffect();
  return Session.Result();
}

bool DragDropActive() { return gSession != nullptr || gSystemDragRunning; }

void SetDragLoopPump(TDragLoopPump Pump) { gPump = std::move(Pump); }

// --- Drags of the window system ----------------------------------------------------------------------------

namespace {

const String kRichTextFormat = u"Rich Text Format";
const String kURLFormat = u"UniformResourceLocator";

std::vector<Byte> BytesOf(const std::string& S) { return std::vector<Byte>(S.begin(), S.end()); }

// 8-bit text with its NUL.
std::vector<Byte> AnsiZ(const String& S) {
  std::vector<Byte> B = BytesOf(StringToAnsi(S));
  B.push_back(0);
  return B;
}

// The bytes before the first NUL.
std::vector<Byte> UpToNul(const std::vector<Byte>& B) {
  return std::vector<Byte>(B.begin(), std::find(B.begin(), B.end(), Byte(0)));
}

String WideZ(const std::vector<Byte>& B, size_t Offset, size_t* End = nullptr) {
  String S;
  size_t I = Offset;
  for (; I + 1 < B.size(); I += 2) {
    const Char C = static_cast<Char>(B[I] | B[I + 1] << 8);
    if (C == 0) break;
    S += C;
  }
  if (End) *End = I + 2;
  return S;
}

// A DROPFILES block with the names as UTF-16, each ended by a NUL, the list by another.
std::vector<Byte> FileListBlock(const std::vector<String>& Files) {
  std::vector<Byte> B(sizeof(DROPFILES), 0);
  DROPFILES H;
  H.pFiles = sizeof(DROPFILES);
  H.fWide = 1;
  std::memcpy(B.data(), &H, sizeof(H));
  auto Put = [&B](Char C) {
    B.push_back(static_cast<Byte>(C & 0xFF));
    B.push_back(static_cast<Byte>(C >> 8));
  };
  for (const String& F : Files) {
    for (Char C : F) Put(C);
    Put(0);
  }
  Put(0);
  return B;
}

std::vector<String> FilesOfBlock(const std::vector<Byte>& B) {
  std::vector<String> Files;
  if (B.size() < sizeof(DROPFILES)) return Files;
  DROPFILES H;
  std::memcpy(&H, B.data(), sizeof(H));
  size_t At = H.pFiles;
  while (At < B.size()) {
    size_t End = At;
    String Name;
    if (H.fWide) {
      Name = WideZ(B, At, &End);
    } else {
      const auto Nul = std::find(B.begin() + static_cast<std::ptrdiff_t>(At), B.end(), Byte(0));
      Name = AnsiToString(std::string(B.begin() + static_cast<std::ptrdiff_t>(At), Nul));
      End = static_cast<size_t>(Nul - B.begin()) + 1;
    }
    if (Name.empty()) break;
    Files.push_back(Name);
    At = End;
  }
  return Files;
}

// Rich text for other programs: RTF as it is; any other text becomes a small RTF document holding
// it, so a program that reads the rich text gets that text and not a broken document.
std::vector<Byte> RtfOf(const std::vector<Byte>& Bytes) {
  static const std::string Head = "{\\rtf";
  if (Bytes.size() >= Head.size() && std::equal(Head.begin(), Head.end(), Bytes.begin())) return Bytes;
  const String Text = AnsiToString(std::string(Bytes.begin(), Bytes.end()));
  std::string Rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Sans;}}\\f0 ";
  for (size_t I = 0; I < Text.size(); ++I) {
    const Char C = Text[I];
    if (C == u'\\' || C == u'{' || C == u'}') {
      Rtf += '\\';
      Rtf += static_cast<char>(C);
    } else if (C == u'\r') {
      if (I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
      Rtf += "\\par ";
    } else if (C == u'\n') {
      Rtf += "\\par ";
    } else if (C == u'\t') {
      Rtf += "\\tab ";
    } else if (C < 0x80) {
      Rtf += static_cast<char>(C);
    } else {
      Rtf += "\\u" + std::to_string(static_cast<int16_t>(C)) + "?";
    }
  }
  Rtf += "}";
  return BytesOf(Rtf);
}

bool IsRichTextMime(const String& Type) {
  return Type == u"text/rtf" || Type == u"application/rtf" || Type == u"text/richtext";
}

}  // namespace

TDragPayload PayloadOfDataObject(IDataObject* Data) {
  TDragPayload P;
  IEnumFORMATETC* RawEnum = nullptr;
  if (!Data || Failed(Data->EnumFormatEtc(DATADIR_GET, &RawEnum)) || !RawEnum) return P;
  TComPtr<IEnumFORMATETC> Enum = TComPtr<IEnumFORMATETC>::Attach(RawEnum);
  const CLIPFORMAT Rtf = RegisterClipboardFormat(kRichTextFormat);
  const CLIPFORMAT Url = RegisterClipboardFormat(kURLFormat);
  String AnsiText;
  bool HasAnsi = false;
  FORMATETC F;
  ULONG Got = 0;
  while (Enum->Next(1, &F, &Got) == S_OK && Got == 1) {
    STGMEDIUM M;
    FORMATETC Ask = F;
    Ask.tymed = TYMED_HGLOBAL;
    if (Data->GetData(&Ask, &M) != S_OK) continue;
    const auto* Bytes = static_cast<const Byte*>(GlobalLock(M.hGlobal));
    const std::vector<Byte> B(Bytes, Bytes + GlobalSize(M.hGlobal));
    GlobalUnlock(M.hGlobal);
    ReleaseStgMedium(&M);
    if (F.cfFormat == CF_UNICODETEXT) {
      P.HasText = true;
      P.Text = WideZ(B, 0);
    } else if (F.cfFormat == CF_TEXT) {
      HasAnsi = true;
      const std::vector<Byte> T = UpToNul(B);
      AnsiText = AnsiToString(std::string(T.begin(), T.end()));
    } else if (F.cfFormat == CF_HDROP) {
      P.LocalFiles = FilesOfBlock(B);
    } else if (F.cfFormat == Rtf) {
      P.Parts.emplace_back(u"text/rtf", RtfOf(UpToNul(B)));
      P.Parts.emplace_back(u"application/rtf", RtfOf(UpToNul(B)));
    } else if (F.cfFormat == Url) {
      const std::vector<Byte> T = UpToNul(B);
      P.Urls.push_back(AnsiToString(std::string(T.begin(), T.end())));
    } else if (F.cfFormat >= 0xC000) {
      P.Parts.emplace_back(ClipboardFormatMime(F.cfFormat), B);
    }
  }
  if (!P.HasText && HasAnsi) {
    P.HasText = true;
    P.Text = AnsiText;
  }
  return P;
}

TComPtr<IDataObject> DataObjectOfPayload(const TDragPayload& Payload) {
  TComPtr<IDataObject> Result(new TDataObject);
  auto* D = static_cast<TDataObject*>(Result.Get());
  String Url;
  for (const String& U : Payload.Urls)
    if (!U.starts_with(u"file:")) {
      Url = U;
      break;
    }
  const bool Files = !Payload.LocalFiles.empty();
  const bool Text = Payload.HasText && !Files;
  if (Text || (!Url.empty() && !Files)) {
    const String T = Text ? Payload.Text : Url;
    D->SetUnicodeText(T);
    D->SetFormat(CF_TEXT, AnsiZ(T));
  }
  for (const auto& [Type, Bytes] : Payload.Parts)
    if (IsRichTextMime(Type)) {
      std::vector<Byte> Z = UpToNul(Bytes);
      Z.push_back(0);
      D->SetFormat(RegisterClipboardFormat(kRichTextFormat), Z);
      break;
    }
  if (!Url.empty() && !Files) D->SetFormat(RegisterClipboardFormat(kURLFormat), AnsiZ(Url));
  if (Files) D->SetFormat(CF_HDROP, FileListBlock(Payload.LocalFiles));
  for (const auto& [Type, Bytes] : Payload.Parts)
    if (const CLIPFORMAT F = ClipboardFormatOfMime(Type)) D->SetFormat(F, Bytes);
  return Result;
}

namespace {

// The target a drag of the window system is over, from its DragEnter to its DragLeave or Drop.
TComPtr<IDropTarget> gSystemTarget;

IDropTarget* TargetOf(TWinControl* Control) {
  for (TWinControl* C = Control; C; C = C->Parent())
    if (IDropTarget* T = RegisteredDropTarget(C->Handle())) return T;
  return nullptr;
}

}  // namespace

bool HasDropTarget(TWinControl* Control) { return TargetOf(Control) != nullptr; }

DWORD InputDragEnter(TWinControl* Control, const TDragPayload& Payload, TPoint P, DWORD Keys, DWORD Allowed) {
  DWORD E = DROPEFFECT_NONE;
  GuardedCall([&] {
    gSystemTarget = TComPtr<IDropTarget>(TargetOf(Control));
    if (!gSystemTarget) return;
    TComPtr<IDataObject> Data = DataObjectOfPayload(Payload);
    DWORD Effect = Allowed;
    if (Succeeded(gSystemTarget->DragEnter(Data.Get(), Keys, Control->ClientToScreen(P), &Effect)))
      E = Effect & Allowed;
  });
  return E;
}

DWORD InputDragOver(TWinControl* Control, TPoint P, DWORD Keys, DWORD Allowed) {
  DWORD E = DROPEFFECT_NONE;
  GuardedCall([&] {
    if (!gSystemTarget) return;
    DWORD Effect = Allowed;
    if (Succeeded(gSystemTarget->DragOver(Keys, Control->ClientToScreen(P), &Effect))) E = Effect & Allowed;
  });
  return E;
}

void InputDragLeave(TWinControl*) {
  TComPtr<IDropTarget> Target = gSystemTarget;
  gSystemTarget = TComPtr<IDropTarget>();
  if (Target) GuardedCall([&] { Target->DragLeave(); });
}

DWORD InputDrop(TWinControl* Control, const TDragPayload& Payload, TPoint P, DWORD Keys, DWORD Allowed) {
  TComPtr<IDropTarget> Target = gSystemTarget;
  gSystemTarget = TComPtr<IDropTarget>();
  DWORD E = DROPEFFECT_NONE;
  if (!Target) return E;
  GuardedCall([&] {
    TComPtr<IDataObject> Data = DataObjectOfPayload(Payload);
    DWORD Effect = Allowed;
    if (Succeeded(Target->Drop(Data.Get(), Keys, Control->ClientToScreen(P), &Effect))) E = Effect & Allowed;
  });
  return E;
}
