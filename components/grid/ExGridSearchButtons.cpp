// The search panel's buttons as plain controls, for the grid's accelerator handling: their header
// declares the button styles a second time and cannot share a source with the grid's vocabulary.
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExGridButton.h"

TControl* SearchPanelButton(TSearchPanel* Panel, Integer Which) {
  if (!Panel) return nullptr;
  switch (Which) {
    case 0: return Panel->ForwardButton();
    case 1: return Panel->BackwardButton();
    case 2: return Panel->HiliteButton();
    default: return nullptr;
  }
}
