// The grid's drag-and-drop settings and the drag-scroll options. The grid's own target and source
// are in ExGridDropTarget.cpp.
#include "components/grid/ExGridDragDrop.h"

// --- Drag-and-drop settings ----------------------------------------------------------------------

TDragDropSettings::TDragDropSettings(TExStringGrid* AGrid) : FGrid(AGrid) {}

TDragDropSettings::~TDragDropSettings() { RevokeDropTarget(); }

void TDragDropSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragDropSettings*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FShowCells = S->FShowCells;
  FOleAcceptFiles = S->FOleAcceptFiles;
  FOleAcceptText = S->FOleAcceptText;
  FOleAcceptURLs = S->FOleAcceptURLs;
  FOleAppendRows = S->FOleAppendRows;
  FOleColumnDragDrop = S->FOleColumnDragDrop;
  FOleColumnReorder = S->FOleColumnReorder;
  FOleColumnsOnly = S->FOleColumnsOnly;
  FOleCopyAlways = S->FOleCopyAlways;
  FOleDropTarget = S->FOleDropTarget;
  FOleDropSource = S->FOleDropSource;
  FOleEntireRows = S->FOleEntireRows;
  FOleInsertRows = S->FOleInsertRows;
  FOleRemoveRows = S->FOleRemoveRows;
  FOleDropRTF = S->FOleDropRTF;
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  FOleDropRTF = Value;
  SetRTFDropAllowed(Value);
}

// --- Drag-scroll options -------------------------------------------------------------------------

void TDragScrollDelays::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollDelays*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FInitialDelay = S->FInitialDelay;
  FRepeatDelay = S->FRepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollMargins*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FTopMargin = S->FTopMargin;
  FBottomMargin = S->FBottomMargin;
  FLeftMargin = S->FLeftMargin;
  FRightMargin = S->FRightMargin;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>()) {}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollOptions*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FMargins->Assign(S->FMargins.get());
  FDelays->Assign(S->FDelays.get());
  FActive = S->FActive;
}

void TDragScrollOptions::SetDelays(const TDragScrollDelays* Value) {
  if (Value) FDelays->Assign(const_cast<TDragScrollDelays*>(Value));
}

void TDragScrollOptions::SetMargins(const TDragScrollMargins* Value) {
  if (Value) FMargins->Assign(const_cast<TDragScrollMargins*>(Value));
}
