// Data-exchange drag and drop with the classic interfaces: a data object that offers its data in
// clipboard formats (ids from RegisterClipboardFormat), a format enumerator, drop targets
// registered per window (RegisterDragDrop / RevokeDragDrop), and DoDragDrop, the modal drag loop
// driven by the mouse: the window under the pointer (or its nearest registered parent) is the
// target, the drop source decides on every step whether the drag goes on, drops or is cancelled
// (Esc), and hears the effect the target shows.
//
// Drags cross to and from other programs through the window system (DragDropBackend.h): a
// registered window also takes the drags of other programs, their MIME data read as text, rich
// text, URLs, files and our own formats; on a real display DoDragDrop runs the window system's drag,
// so the data reaches other programs as MIME data too. Where there is no real display (or a test
// scripts the input with SetDragLoopPump) DoDragDrop runs its own loop over this program's windows.
//
// Objects are reference-counted: AddRef / Release, the last Release frees the object. TComPtr
// holds one reference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/Graphics.h"  // TPoint
#include "platform/gui/Messages.h"
#include "platform/rtl/System.h"

using HRESULT = int32_t;
using DWORD = uint32_t;
using ULONG = uint32_t;
using LONG = int32_t;
using CLIPFORMAT = Word;

// --- Results ---------------------------------------------------------------------------------------

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

inline bool Succeeded(HRESULT Result) { return Result >= 0; }
inline bool Failed(HRESULT Result) { return Result < 0; }

// --- Effects, keys, formats --------------------------------------------------------------------------

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;

// The Alt key in a drag's key state (the other MK_* bits are in Messages.h).
constexpr DWORD MK_ALT = 0x0020;

// The file list format: a DROPFILES header followed by the names.
constexpr CLIPFORMAT CF_HDROP = 15;
struct DROPFILES {
  DWORD pFiles = 20;  // offset of the first name from the start of the block
  LONG PtX = 0;
  LONG PtY = 0;
  int32_t fNC = 0;
  int32_t fWide = 0;  // the names are UTF-16
};

constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD DATADIR_GET = 1;
constexpr DWORD DATADIR_SET = 2;

// --- Global memory blocks ------------------------------------------------------------------------------

struct TGlobalBlock;
using HGLOBAL = TGlobalBlock*;

constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;

// A block of Bytes bytes, always zero-filled; nullptr when it cannot be had. Lock gives its bytes
// (nullptr for a handle that is no live block), Size its size (0 likewise), Free frees it and
// answers nullptr (the handle itself when it was no live block).
HGLOBAL GlobalAlloc(UINT Flags, size_t Bytes);
void* GlobalLock(HGLOBAL Mem);
bool GlobalUnlock(HGLOBAL Mem);
size_t GlobalSize(HGLOBAL Mem);
HGLOBAL GlobalFree(HGLOBAL Mem);

// --- Interfaces ------------------------------------------------------------------------------------------

class IUnknown {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

struct DVTARGETDEVICE;

struct FORMATETC {
  CLIPFORMAT cfFormat = 0;
  DVTARGETDEVICE* ptd = nullptr;
  DWORD dwAspect = DVASPECT_CONTENT;
  LONG lindex = -1;
  DWORD tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
  DWORD tymed = TYMED_NULL;
  HGLOBAL hGlobal = nullptr;
  IUnknown* pUnkForRelease = nullptr;
};

// Frees what a medium holds: through its release object when it has one, else its block; the
// medium is emptied.
void ReleaseStgMedium(STGMEDIUM* Medium);

class IEnumFORMATETC : public IUnknown {
 public:
  // Fills up to Count elements from the current position on; Fetched (when given) receives how
  // many. S_OK when Count were filled, else S_FALSE.
  virtual HRESULT Next(ULONG Count, FORMATETC* Elements, ULONG* Fetched) = 0;
  virtual HRESULT Skip(ULONG Count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumFORMATETC** Enum) = 0;
};

class IDataObject : public IUnknown {
 public:
  // Fills Medium with a new block the receiver owns (free it with ReleaseStgMedium).
  virtual HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) = 0;
  virtual HRESULT GetDataHere(const FORMATETC* Format, STGMEDIUM* Medium) = 0;
  virtual HRESULT QueryGetData(const FORMATETC* Format) = 0;
  virtual HRESULT GetCanonicalFormatEtc(const FORMATETC* FormatIn, FORMATETC* FormatOut) = 0;
  virtual HRESULT SetData(const FORMATETC* Format, STGMEDIUM* Medium, bool Release) = 0;
  virtual HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) = 0;
  virtual HRESULT DAdvise(const FORMATETC* Format, DWORD Flags, IUnknown* Sink, DWORD* Connection) = 0;
  virtual HRESULT DUnadvise(DWORD Connection) = 0;
  virtual HRESULT EnumDAdvise(IUnknown** Enum) = 0;
};

class IDropSource : public IUnknown {
 public:
  // Asked on every step of the drag: S_OK goes on, DRAGDROP_S_DROP drops, DRAGDROP_S_CANCEL ends
  // the drag without a drop. KeyState holds the MK_* bits of the keys and buttons down.
  virtual HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) = 0;
  // The effect the target shows; DRAGDROP_S_USEDEFAULTCURSORS lets the loop set the cursor.
  virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

class IDropTarget : public IUnknown {
 public:
  // Pt is the pointer in screen coordinates. Effect comes in as the effects the source allows and
  // goes out as the effect the target would take.
  virtual HRESULT DragEnter(IDataObject* Data, DWORD KeyState, TPoint Pt, DWORD* Effect) = 0;
  virtual HRESULT DragOver(DWORD KeyState, TPoint Pt, DWORD* Effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* Data, DWORD KeyState, TPoint Pt, DWORD* Effect) = 0;
};

// The reference count of an object implementing interface I; the object starts with no reference
// and frees itself on its last Release.
template <class I>
class TRefCounted : public I {
 public:
  ULONG AddRef() override { return ++FRefCount; }
  ULONG Release() override {
    const ULONG Count = --FRefCount;
    if (Count == 0) delete this;
    return Count;
  }
  ULONG RefCount() const { return FRefCount; }

 private:
  ULONG FRefCount = 0;
};

// One reference to an object.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(T* Object) : FObject(Object) {  // NOLINT: takes a reference like an assignment
    if (FObject) FObject->AddRef();
  }
  TComPtr(const TComPtr& Other) : TComPtr(Other.FObject) {}
  TComPtr(TComPtr&& Other) noexcept : FObject(Other.FObject) { Other.FObject = nullptr; }
  TComPtr& operator=(TComPtr Other) noexcept {
    T* Old = FObject;
    FObject = Other.FObject;
    Other.FObject = Old;
    return *this;
  }
  ~TComPtr() {
    if (FObject) FObject->Release();
  }
  // Takes over a reference the caller already holds (an out parameter's).
  static TComPtr Attach(T* Object) {
    TComPtr P;
    P.FObject = Object;
    return P;
  }
  T* Get() const { return FObject; }
  T* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }

 private:
  T* FObject = nullptr;
};

// A data object holding the bytes of its formats, for offers whose data is ready at the start of
// the drag. Every format is offered as a global block for DVASPECT_CONTENT.
class TDataObject : public TRefCounted<IDataObject> {
 public:
  // Sets (or replaces) the bytes of a format; formats are listed in the order they were first set.
  void SetFormat(CLIPFORMAT Format, const std::vector<Byte>& Bytes);
  // UTF-16 text with its terminating NUL, as CF_UNICODETEXT.
  void SetUnicodeText(const String& Text);

  HRESULT GetData(const FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT GetDataHere(const FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT QueryGetData(const FORMATETC* Format) override;
  HRESULT GetCanonicalFormatEtc(const FORMATETC* FormatIn, FORMATETC* FormatOut) override;
  HRESULT SetData(const FORMATETC* Format, STGMEDIUM* Medium, bool Release) override;
  HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override;
  HRESULT DAdvise(const FORMATETC* Format, DWORD Flags, IUnknown* Sink, DWORD* Connection) override;
  HRESULT DUnadvise(DWORD Connection) override;
  HRESULT EnumDAdvise(IUnknown** Enum) override;

 private:
  const std::vector<Byte>* Find(CLIPFORMAT Format) const;
  std::vector<std::pair<CLIPFORMAT, std::vector<Byte>>> FFormats;
};

// --- Drop targets and the drag loop ----------------------------------------------------------------------

// Registers Target for the window Wnd (one reference is kept until RevokeDragDrop or until the
// window is gone). DRAGDROP_E_INVALIDHWND for no window, E_INVALIDARG for no target,
// DRAGDROP_E_ALREADYREGISTERED when the window has one.
HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target);
// DRAGDROP_E_NOTREGISTERED when the window has none.
HRESULT RevokeDragDrop(HWND Wnd);
// The target registered for Wnd itself (no reference added), nullptr when none.
IDropTarget* RegisteredDropTarget(HWND Wnd);

// Runs the drag of Data until the source drops or cancels it; meanwhile the mouse belongs to the
// drag. Every step asks Source->QueryContinueDrag, then tells the target under the pointer
// (DragEnter when the pointer reaches it, DragOver while it stays, DragLeave when it goes) and
// gives the source the effect the target shows, limited to OkEffects. A drop on a target that
// showed an effect calls its Drop: the result is DRAGDROP_S_DROP with the target's effect in
// Effect. Otherwise the target hears DragLeave: DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
// E_INVALIDARG without data, source or Effect; E_UNEXPECTED while another drag runs. An exception
// raised by the source or a target ends the drag (the target hears DragLeave) and is passed on.
HRESULT DoDragDrop(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD* Effect);
// True while DoDragDrop runs.
bool DragDropActive();

// What the drag loop does while it waits: handle the next input and answer true, or answer false
// when no input will come (the drag is then cancelled). The default waits for the window system
// and answers true; tests install a script of input steps (nullptr restores the default).
using TDragLoopPump = std::function<bool()>;
void SetDragLoopPump(TDragLoopPump Pump);
