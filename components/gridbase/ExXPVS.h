// The grid library's binding of the visual-styles library: the button and check-box objects of the
// grid, the button routines, the mini-HTML controls, the in-place editors and the cell painter
// draw their themed parts through ThemeApi. It is loaded when the program starts and freed when
// it ends; on a system without the library every reference stays empty (see ExThemeLib.h).
#pragma once

#include "components/gridbase/ExThemeLib.h"

extern TThemeApi ThemeApi;

// Loads the library and binds its functions; nothing when already loaded.
void LoadThemeApi();
// When loaded: unloads the library and clears the "loaded" flag.
void FreeThemeApi();
