// The drop-down controls' own binding of the visual-styles library, held apart from ThemeApi: the
// drop-down buttons and the calculator keys draw their themed parts through DropDownThemeApi. On a
// system without the library every reference stays empty (see ExThemeLib.h).
#pragma once

#include "components/gridbase/ExThemeLib.h"

extern TThemeApi DropDownThemeApi;

// Loads the library and binds its functions; nothing when already loaded.
void LoadDropDownThemeApi();
// When loaded: unloads the library and clears the "loaded" flag.
void FreeDropDownThemeApi();
