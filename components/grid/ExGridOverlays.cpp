// The grid's arrow and focus-frame windows, made here on their own: their header declares the arrow
// directions again, so it cannot meet the grid's vocabulary in one source.
#include "components/gridbase/ExOverlay.h"

class TExStringGrid;

TArrowWindow* CreateGridArrow(TComponent* AOwner, Integer Direction) {
  return TArrowWindow::Init(AOwner, static_cast<TArrowDirection>(Direction));
}

TGridFocusWindow* CreateGridFocusWindow(TComponent* AOwner) { return new TGridFocusWindow(AOwner); }

TControl* AsControl(TArrowWindow* Window) { return Window; }


TControl* AsControl(TGridFocusWindow* Window) { return Window; }
