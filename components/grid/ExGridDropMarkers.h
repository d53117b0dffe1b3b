// The drop markers of the grid's drop target: the arrow windows shown at the cell a drop lands on.
// Kept apart from the grid's header because the arrow window's header declares the arrow
// directions the grid's vocabulary declares too.
#pragma once

#include "platform/rtl/System.h"

class TArrowWindow;

// Places the arrow's top-left corner at the screen point (X, Y) and shows it; nothing for nullptr.
void ShowDropMarker(TArrowWindow* Arrow, Integer X, Integer Y);
// Hides the arrow; nothing for nullptr.
void HideDropMarker(TArrowWindow* Arrow);
