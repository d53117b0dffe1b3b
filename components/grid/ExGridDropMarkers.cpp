#include "components/grid/ExGridDropMarkers.h"

#include "components/gridbase/ExOverlay.h"

void ShowDropMarker(TArrowWindow* Arrow, Integer X, Integer Y) {
  if (!Arrow) return;
  Arrow->SetBounds(X, Y, Arrow->Width(), Arrow->Height());
  Arrow->Show();
  Arrow->BringToFront();
}

void HideDropMarker(TArrowWindow* Arrow) {
  if (Arrow) Arrow->Hide();
}
