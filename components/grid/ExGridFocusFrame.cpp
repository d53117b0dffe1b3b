// The soft focus frame window around the edited cell: its mask, its frame bitmap and its place.
#include "components/grid/ExGrid.h"
#include "components/gridbase/ExOverlay.h"

void ShowGridFocusFrame(TGridFocusWindow* Window, const TRect& ScreenCell) {
  if (!Window) return;
  Window->Hide();
  const Integer W = ScreenCell.Width() + 9;
  const Integer H = ScreenCell.Height() + 9;
  // The frame: a blurred rounded rectangle over the frame colour, 230 of 255 opaque.
  TBitmap Mask;
  MakeRoundRectMask(&Mask, W, H, 4, 5, 3.0);
  TBitmap Colour(W, H);
  Colour.SetPixelFormat(pf24bit);
  Colour.Canvas()->Brush()->SetColor(0xFDD397);
  Colour.Canvas()->FillRect(TRect(0, 0, W, H));
  TGridAlphaMask Image;
  Image.SetOpacity(230);
  Image.MergeMask(&Mask, &Colour, 0xFDD397);
  Window->SetAlphaImage(&Image);
  // Only the ring around the cell shows.
  TRegion Ring(TRect(0, 0, W, H));
  Ring.Subtract(TRect(4, 4, 4 + ScreenCell.Width(), 4 + ScreenCell.Height()));
  Window->SetWindowRegion(Ring);
  Window->SetBounds(ScreenCell.Left - 4, ScreenCell.Top - 4, W, H);
  Window->Show();
}

void HideGridFocusFrame(TGridFocusWindow* Window) {
  if (Window) Window->Hide();
}
