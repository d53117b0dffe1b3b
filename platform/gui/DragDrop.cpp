#include "platform/gui/DragDrop.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/FormsBackend.h"

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
  return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd) {
  auto It = Targets().find(Wnd);
  if (It == Targets().end()) return DRAGDROP_E_NOTREGISTERED;
  IDropTarget* Target = It->second;
  Targets().erase(It);
  Target->Release();
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

HRESULT DoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
  if (!Data || !Source || !Effect) return E_INVALIDARG;
  if (gSession) return E_UNEXPECTED;
  *Effect = DROPEFFECT_NONE;
  // The data and the source stay alive while the loop runs, whatever the caller releases.
  TComPtr<IDataObject> HoldData(Data);
  TComPtr<IDropSource> HoldSource(Source);
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

bool DragDropActive() { return gSession != nullptr; }

void SetDragLoopPump(TDragLoopPump Pump) { gPump = std::move(Pump); }
