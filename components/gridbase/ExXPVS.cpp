// The grid library's visual-styles binding, loaded with the program's start.
#include "components/gridbase/ExXPVS.h"

TThemeApi ThemeApi;

void LoadThemeApi() { LoadThemeBinding(ThemeApi, "ExXPVS"); }

void FreeThemeApi() { FreeThemeBinding(ThemeApi); }

namespace {

// Module start and stop.
struct TExXPVSModule {
  TExXPVSModule() { StartThemeBinding(ThemeApi, "ExXPVS"); }
  ~TExXPVSModule() { StopThemeBinding(ThemeApi); }
};
TExXPVSModule ExXPVSModule;

}  // namespace
