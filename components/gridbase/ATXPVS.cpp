// The drop-down controls' visual-styles binding, loaded with the program's start.
#include "components/gridbase/ATXPVS.h"

TThemeApi DropDownThemeApi;

void LoadDropDownThemeApi() { LoadThemeBinding(DropDownThemeApi, "ATXPVS"); }

void FreeDropDownThemeApi() { FreeThemeBinding(DropDownThemeApi); }

namespace {

// Module start and stop.
struct TATXPVSModule {
  TATXPVSModule() { StartThemeBinding(DropDownThemeApi, "ATXPVS"); }
  ~TATXPVSModule() { StopThemeBinding(DropDownThemeApi); }
};
TATXPVSModule ATXPVSModule;

}  // namespace
