// The run-time binding of the visual-styles library: a set of process-wide references to the
// library's functions, filled when the library is found and left empty otherwise.
//
// The component library never links to the library. A binding (ThemeApi in ExXPVS.h,
// DropDownThemeApi in ATXPVS.h) loads it by name through the library loader below and looks up its
// functions one by one. This system has no visual-styles library, so the default loader finds
// nothing: every reference stays empty, IsThemeActive answers 0 and the callers take their classic
// drawing paths. A reference that is empty answers its "not bound" value instead of being called,
// so a caller that skips the IsThemeActive test still gets "not themed" rather than a crash.
#pragma once

#include <cstdint>

#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/rtl/System.h"

// A theme-data handle; 0 when no theme data could be opened.
using HTHEME = uintptr_t;
// The result of a theme call: 0 for success, negative for a failure.
using HRESULT = int32_t;
// What a call through an empty reference answers where the function reports an HRESULT.
constexpr HRESULT THEMEAPI_E_NOTBOUND = static_cast<HRESULT>(0x80004001u);

// The file name of the visual-styles library.
inline constexpr char16_t ThemeLibraryName[] = u"UXTHEME.DLL";

// Loads dynamic libraries and looks up their functions. A handle below 32 means the library could
// not be loaded. Tests put their own loader in place to stand for a system with the library.
struct TThemeLibraryLoader {
  uintptr_t (*LoadLibrary)(const String& FileName) = nullptr;
  void* (*GetProcAddress)(uintptr_t Handle, const char* ProcName) = nullptr;
  void (*FreeLibrary)(uintptr_t Handle) = nullptr;
};
// The loader in use (nullptr: the system's, which finds no visual-styles library). Returns the one
// that was in place before.
const TThemeLibraryLoader* SetThemeLibraryLoader(const TThemeLibraryLoader* Loader);
const TThemeLibraryLoader* ThemeLibraryLoader();

// One function reference of a binding, untyped.
class TThemeProcBase {
 public:
  bool Bound() const { return FRaw != nullptr; }
  void* Raw() const { return FRaw; }
  void Bind(void* Proc) { FRaw = Proc; }

 protected:
  void* FRaw = nullptr;
};

template <typename Sig>
class TThemeProc;

// A typed function reference. Calling an empty one returns the "not bound" value given at its
// declaration (0, false or THEMEAPI_E_NOTBOUND) and does nothing else.
template <typename R, typename... A>
class TThemeProc<R(A...)> : public TThemeProcBase {
 public:
  using TProc = R (*)(A...);
  constexpr TThemeProc() = default;
  constexpr explicit TThemeProc(R NotBound) : FNotBound(NotBound) {}
  R operator()(A... Args) const {
    if (!FRaw) return FNotBound;
    return reinterpret_cast<TProc>(FRaw)(Args...);
  }

 private:
  R FNotBound{};
};

template <typename... A>
class TThemeProc<void(A...)> : public TThemeProcBase {
 public:
  using TProc = void (*)(A...);
  void operator()(A... Args) const {
    if (FRaw) reinterpret_cast<TProc>(FRaw)(Args...);
  }
};

// The number of functions a binding looks up.
constexpr Integer ThemeApiProcCount = 45;

// One binding of the library: the "loaded" flag, the library handle, the start/stop counter of the
// module that owns it and the 45 function references in the order they are looked up. A device
// context is a canvas here; regions, rectangles and points are the graphics layer's.
struct TThemeApi {
  bool Loaded = false;
  uintptr_t LibHandle = 0;
  Integer StartCount = 0;

  TThemeProc<HTHEME(HWND Wnd, const Char* ClassList)> OpenThemeData;
  TThemeProc<HRESULT(HTHEME Theme)> CloseThemeData{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, const TRect* R,
                     const TRect* ClipRect)>
      DrawThemeBackground{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, const Char* Text,
                     Integer CharCount, Cardinal TextFlags, Cardinal TextFlags2, const TRect* R)>
      DrawThemeText{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId,
                     const TRect* Bounding, TRect* Content)>
      GetThemeBackgroundContentRect{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId,
                     const TRect* Content, TRect* Extent)>
      GetThemeBackgroundExtent{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, const Char* Text,
                     Integer CharCount, Cardinal TextFlags, const TRect* Bounding, TRect* Extent)>
      GetThemeTextExtent{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, void* Metrics)>
      GetThemeTextMetrics{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, const TRect* R,
                     TRegion* Region)>
      GetThemeBackgroundRegion{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, Cardinal Options,
                     const TRect* R, const TRegion* Region, TPoint Test, Word* HitTestCode)>
      HitTestThemeBackground{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId,
                     const TRect* DestRect, Cardinal Edge, Cardinal Flags, TRect* ContentRect)>
      DrawThemeEdge{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, const TRect* R,
                     void* ImageList, Integer ImageIndex)>
      DrawThemeIcon{THEMEAPI_E_NOTBOUND};
  TThemeProc<Integer(HTHEME Theme, Integer PartId, Integer StateId)> IsThemePartDefined;
  TThemeProc<Integer(HTHEME Theme, Integer PartId, Integer StateId)>
      IsThemeBackgroundPartiallyTransparent;
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, TColor* Color)>
      GetThemeColor{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, Integer PropId,
                     Integer* Value)>
      GetThemeMetric{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Char* Buffer,
                     Integer MaxChars)>
      GetThemeString{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Integer* Value)>
      GetThemeBool{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Integer* Value)>
      GetThemeInt{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Integer* Value)>
      GetThemeEnumValue{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, TPoint* Point)>
      GetThemePosition{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, Integer PropId,
                     void* LogFont)>
      GetThemeFont{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, TRect* R)>
      GetThemeRect{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, TCanvas* DC, Integer PartId, Integer StateId, Integer PropId,
                     const TRect* R, void* Margins)>
      GetThemeMargins{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, void* IntList)>
      GetThemeIntList{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HWND Wnd, const Char* SubAppName, const Char* SubIdList)> SetWindowTheme{
      THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer PartId, Integer StateId, Integer PropId, Char* Buffer,
                     Integer MaxChars)>
      GetThemeFilename{THEMEAPI_E_NOTBOUND};
  TThemeProc<TColor(HTHEME Theme, Integer ColorId)> GetThemeSysColor;
  TThemeProc<uintptr_t(HTHEME Theme, Integer ColorId)> GetThemeSysColorBrush;
  TThemeProc<Integer(HTHEME Theme, Integer BoolId)> GetThemeSysBool;
  TThemeProc<Integer(HTHEME Theme, Integer SizeId)> GetThemeSysSize;
  TThemeProc<HRESULT(HTHEME Theme, Integer FontId, void* LogFont)> GetThemeSysFont{
      THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer StringId, Char* Buffer, Integer MaxChars)>
      GetThemeSysString{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HTHEME Theme, Integer IntId, Integer* Value)> GetThemeSysInt{
      THEMEAPI_E_NOTBOUND};
  TThemeProc<Integer()> IsThemeActive;
  TThemeProc<Integer()> IsAppThemed;
  TThemeProc<HTHEME(HWND Wnd)> GetWindowTheme;
  TThemeProc<HRESULT(HWND Wnd, Cardinal Flags)> EnableThemeDialogTexture{THEMEAPI_E_NOTBOUND};
  TThemeProc<Integer(HWND Wnd)> IsThemeDialogTextureEnabled;
  TThemeProc<Cardinal()> GetThemeAppProperties;
  TThemeProc<void(Cardinal Flags)> SetThemeAppProperties;
  TThemeProc<HRESULT(Char* ThemeFileName, Integer MaxNameChars, Char* ColorBuff,
                     Integer MaxColorChars, Char* SizeBuff, Integer MaxSizeChars)>
      GetCurrentThemeName{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(const Char* ThemeName, const Char* PropertyName, Char* ValueBuff,
                     Integer MaxValChars)>
      GetThemeDocumentationProperty{THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(HWND Wnd, TCanvas* DC, const TRect* R)> DrawThemeParentBackground{
      THEMEAPI_E_NOTBOUND};
  TThemeProc<HRESULT(Integer Enable)> EnableTheming{THEMEAPI_E_NOTBOUND};

  // The function reference at lookup position Index (0..44), nullptr outside.
  TThemeProcBase* Proc(Integer Index);
};

// The library's name of the function at lookup position Index (0..44), nullptr outside.
const char* ThemeApiProcName(Integer Index);

// Loads the library into Api and binds its functions; nothing when Api is loaded already. A handle
// below 32 leaves Api unloaded and empty. A function the library lacks raises EAssertionFailed
// ("Assertion failure", with ModuleName and the source line).
void LoadThemeBinding(TThemeApi& Api, const char* ModuleName);
// When loaded: frees the library, clears the flag and empties every reference.
void FreeThemeBinding(TThemeApi& Api);
// Module start and stop of the binding's owner, counted: start loads only on the first call, stop
// frees only when it undoes that first start.
void StartThemeBinding(TThemeApi& Api, const char* ModuleName);
void StopThemeBinding(TThemeApi& Api);

// The system facts the themed drawing paths test. This system is later than the oldest one with
// visual styles and its controls library is current; whether themes are drawn depends only on the
// binding's IsThemeActive.
bool IsWinXPOrLater();
bool IsComCtl6();
