// The visual-styles library binding: loading, lookup by name, freeing.
#include "components/gridbase/ExThemeLib.h"

#include <cstddef>
#include <string>

#include "platform/rtl/SysUtils.h"

namespace {

// The loader of this system: it finds no visual-styles library, so every binding stays empty.
// Kept as a plain pointer, constant-initialised, so modules that load their binding while the
// program starts never see it unset.
constinit const TThemeLibraryLoader* GLoader = nullptr;

// The functions, in the order they are looked up.
constexpr const char* ProcNames[ThemeApiProcCount] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
};

}  // namespace

const TThemeLibraryLoader* SetThemeLibraryLoader(const TThemeLibraryLoader* Loader) {
  const TThemeLibraryLoader* Old = GLoader;
  GLoader = Loader;
  return Old;
}

const TThemeLibraryLoader* ThemeLibraryLoader() { return GLoader; }

const char* ThemeApiProcName(Integer Index) {
  if (Index < 0 || Index >= ThemeApiProcCount) return nullptr;
  return ProcNames[Index];
}

TThemeProcBase* TThemeApi::Proc(Integer Index) {
  TThemeProcBase* const Procs[ThemeApiProcCount] = {
      &OpenThemeData,
      &CloseThemeData,
      &DrawThemeBackground,
      &DrawThemeText,
      &GetThemeBackgroundContentRect,
      &GetThemeBackgroundExtent,
      &GetThemeTextExtent,
      &GetThemeTextMetrics,
      &GetThemeBackgroundRegion,
      &HitTestThemeBackground,
      &DrawThemeEdge,
      &DrawThemeIcon,
      &IsThemePartDefined,
      &IsThemeBackgroundPartiallyTransparent,
      &GetThemeColor,
      &GetThemeMetric,
      &GetThemeString,
      &GetThemeBool,
      &GetThemeInt,
      &GetThemeEnumValue,
      &GetThemePosition,
      &GetThemeFont,
      &GetThemeRect,
      &GetThemeMargins,
      &GetThemeIntList,
      &SetWindowTheme,
      &GetThemeFilename,
      &GetThemeSysColor,
      &GetThemeSysColorBrush,
      &GetThemeSysBool,
      &GetThemeSysSize,
      &GetThemeSysFont,
      &GetThemeSysString,
      &GetThemeSysInt,
      &IsThemeActive,
      &IsAppThemed,
      &GetWindowTheme,
      &EnableThemeDialogTexture,
      &IsThemeDialogTextureEnabled,
      &GetThemeAppProperties,
      &SetThemeAppProperties,
      &GetCurrentThemeName,
      &GetThemeDocumentationProperty,
      &DrawThemeParentBackground,
      &EnableTheming,
  };
  if (Index < 0 || Index >= ThemeApiProcCount) return nullptr;
  return Procs[Index];
}

void LoadThemeBinding(TThemeApi& Api, const char* ModuleName) {
  if (Api.Loaded) return;
  const TThemeLibraryLoader* L = GLoader;
  if (!L || !L->LoadLibrary) return;  // no visual-styles library on this system
  Api.LibHandle = L->LoadLibrary(ThemeLibraryName);
  if (Api.LibHandle < 32) return;
  Api.Loaded = true;
  for (Integer I = 0; I < ThemeApiProcCount; ++I) {
    void* P = L->GetProcAddress ? L->GetProcAddress(Api.LibHandle, ProcNames[I]) : nullptr;
    Api.Proc(I)->Bind(P);
    // The check follows each lookup: a library without one of the functions is not the one this
    // binding was written for.
    if (!P) {
      const int Line = __LINE__;
      throw EAssertionFailed(u"Assertion failure (" + AsciiToString(ModuleName) + u", line " +
                             AsciiToString(std::to_string(Line)) + u")");
    }
  }
}

void FreeThemeBinding(TThemeApi& Api) {
  if (!Api.Loaded) return;
  const TThemeLibraryLoader* L = GLoader;
  if (L && L->FreeLibrary) L->FreeLibrary(Api.LibHandle);
  Api.Loaded = false;
  Api.LibHandle = 0;
  // References into an unloaded library must not be called any more.
  for (Integer I = 0; I < ThemeApiProcCount; ++I) Api.Proc(I)->Bind(nullptr);
}

void StartThemeBinding(TThemeApi& Api, const char* ModuleName) {
  const Integer Before = Api.StartCount--;
  if (Before == 0) LoadThemeBinding(Api, ModuleName);
}

void StopThemeBinding(TThemeApi& Api) {
  const Integer Before = Api.StartCount++;
  if (Before == -1) FreeThemeBinding(Api);
}

bool IsWinXPOrLater() { return true; }

bool IsComCtl6() { return true; }
