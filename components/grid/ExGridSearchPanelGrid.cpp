// The search panel's links to its grid: the owner as a grid, the grid's line colour for the
// panel's top edge, and the grid's notification that the panel's window is made.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridSearchPanel.h"

TExStringGrid* TSearchPanel::GridOf(TComponent* AOwner) { return dynamic_cast<TExStringGrid*>(AOwner); }

TColor TSearchPanel::GridLineColorOf(TExStringGrid* Grid) { return Grid ? Grid->GridLineColor() : clSilver; }

void TSearchPanel::NotifyCreated() {
  if (FGrid && FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid);
}
