// TBaseGrid: the cell painter. Every cell is painted by PaintCellInternal: the blank hidden last
// row, a merged area painted once per pass from its base cell, the hover-row and active-row
// colours, the rounded selection boxes of the selection styles, a plain, gradient or mirrored
// background and the grid's own grid lines; then DrawGridCell draws the content in the rectangle
// inside the lines.
#include <algorithm>

#include "components/gridbase/BaseGrid.h"
#include "components/gridbase/ExUtil.h"

namespace {

// The colours of a selection box, in the order DrawSelectionBox takes them.
struct TSelectionColors {
  TColor Color, ColorTo, EdgeColor, BorderColor, BottomLineColor, TopLineColor, MirrorColor, MirrorColorTo;
};

constexpr TSelectionColors kVistaFocused{0xFDF8F1, 0xFCEFD5, 0xFCEDCB, 0xFDDE99,
                                         0xFDF5E7, 0xFDFBF6, clNone,   clNone};
constexpr TSelectionColors kWin7Focused{0xFCEBDC, 0xFCDBC1, 0xE0C5AE, 0xCEA27D,
                                        0xFDEADB, 0xFDF4EB, clNone,   clNone};
constexpr TSelectionColors kOffice2007Focused{0xD7FFFD, 0x58D4FC, 0xC3D9DF, 0x8DD7D3,
                                              0xCAF8FF, 0xF4FEFF, 0x58D4FC, 0xB3F1FC};
constexpr TSelectionColors kUnfocused{0xF8F8F8, 0xE5E5E5, 0xEFEFEF, 0xD9D9D9,
                                      0xF0F0F0, 0xFBFAFA, clNone,   clNone};

const TSelectionColors& FocusedSet(TGridSelectionStyle Style) {
  switch (Style) {
    case ssWin7:
      return kWin7Focused;
    case ssOffice2007:
      return kOffice2007Focused;
    default:
      return kVistaFocused;
  }
}

// AState with gdFixed and without gdSelected.
TGridDrawState AsFixed(TGridDrawState AState) {
  TGridDrawState S{gdFixed};
  if (AState.Contains(gdFocused)) S = S << gdFocused;
  return S;
}

}  // namespace

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  // The library clips each cell to its own rectangle; a merged area paints over all its cells, so
  // the painter gets the whole client area (of what this paint covers) and keeps to the fixed
  // area's edge itself.
  if (const TRegion* Area = PaintArea()) {
    TRegion Clip(*Area);
    Clip.Intersect(ClientRect());
    Canvas()->SelectClipRgn(&Clip);
  } else {
    Canvas()->SelectClipRect(ClientRect());
  }
  // A merged area's base cell in view paints the whole area; its other cells in this pass then
  // have nothing left to paint.
  if (TCellProperties* P = PropsAt(ACol, ARow))
    if (P->IsBaseCell() && (P->CellSpanX() > 0 || P->CellSpanY() > 0)) P->SetPaintID(FPaintID);
  PaintCellInternal(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  PaintCellInternal(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  PaintCellInternal(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellInternal(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect,
                                  TGridDrawState AState, bool WithContent) {
  TRect R = ARect;

  // The hidden last row is a plain rectangle in the grid's colour.
  if (ARow == RowCount() - 1 && FHideLastRow) {
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Pen()->SetColor(Color());
    ACanvas->Rectangle(R);
    return;
  }

  // A cell of a merged area other than its base cell paints the whole area once per paint pass.
  Integer BaseCol, BaseRow;
  if (!ResolveBaseCell(ACol, ARow, BaseCol, BaseRow)) {
    TCellProperties* BP = PropsAt(BaseCol, BaseRow);
    if (BP && BP->PaintID() != FPaintID) {
      BP->SetPaintID(FPaintID);
      PaintCell(ACanvas, BaseCol, BaseRow, ARect, AState);
    }
    return;
  }

  if (WithContent && IsFixed(ACol, ARow)) AState = AsFixed(AState);
  const bool Fixed = AState.Contains(gdFixed);
  const bool Selected = AState.Contains(gdSelected);

  if (WithContent) {
    const TRect Area = CellRect(ACol, ARow);
    // A plain cell out of view keeps the rectangle it was given (painting into another canvas).
    if (!IsRectEmpty(Area)) R = Area;
  }

  // A scrolled merged area never paints over the fixed rows and columns.
  const Integer FX = ACol >= FixedCols() ? FixedColsWidth() : 0;
  const Integer FY = ARow >= FixedRows() ? FixedRowsHeight() : 0;
  const bool Clip = (ACol >= FixedCols() && FixedCols() > 0 && R.Left < FX) ||
                    (ARow >= FixedRows() && FixedRows() > 0 && R.Top < FY);
  Integer SavedDC = 0;
  if (Clip) {
    SavedDC = ACanvas->SaveDC();
    ACanvas->IntersectClipRect(TRect(FX, FY, Width(), Height()));
  }

  ACanvas->Pen()->SetWidth(1);
  ACanvas->Font()->Assign(Font());
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Fixed ? FixedColor() : Color());
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = FWordWrap;
  TCellGradientDirection GD = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), ColorTo, MirrorColor, MirrorColorTo,
                      ACanvas->Font(), HA, VA, WW, GD);
  ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

  // Hover row: normal cells always; selected and fixed cells only when HoverRowCells names them.
  if (ARow == FHoverRowIdx && FHoverRow && !(Selected && !FHoverRowCells.Contains(hcSelected)) &&
      !(Fixed && !FHoverRowCells.Contains(hcFixed))) {
    ACanvas->Brush()->SetColor(FHoverRowColor);
    ColorTo = FHoverRowColorTo;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    GD = GradientVertical;
  }

  // Active row: the current row's other cells, and every selected cell painted without content.
  if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
      (!WithContent && Selected)) {
    ACanvas->Brush()->SetColor(FActiveRowColor);
    ColorTo = FActiveRowColorTo;
    MirrorColor = FActiveRowMirrorColor;
    MirrorColorTo = FActiveRowMirrorColorTo;
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
  }

  if (Selected && FSelectionStyle != ssDefault && FShowSel) {
    // One box over the selected columns: its left end, right end, a middle piece or all of it.
    const TGridRect Sel = Selection();
    const Integer SL = std::min(Sel.Left, Sel.Right), SR = std::max(Sel.Left, Sel.Right);
    Integer Piece = sbWhole;
    if (ACol == SL && ACol < SR)
      Piece = sbLeftEnd;
    else if (ACol == SR && ACol > SL)
      Piece = sbRightEnd;
    else if (ACol > SL && ACol < SR)
      Piece = sbMiddle;
    TRect Box = R;
    if (!Options().Contains(goHorzLine)) ++Box.Bottom;
    if (!Options().Contains(goVertLine)) ++Box.Right;
    const TSelectionColors& S =
        (Focused() || Options().Contains(goDrawFocusSelected)) ? FocusedSet(FSelectionStyle) : kUnfocused;
    DrawSelectionBox(ACanvas, S.Color, S.ColorTo, S.MirrorColor, S.MirrorColorTo, S.TopLineColor, S.BottomLineColor,
                     S.BorderColor, S.EdgeColor, Color(), Box, Piece);
  } else if (!(UsesVCLStyles() && (Fixed || Selected))) {
    const TColor From = ACanvas->Brush()->Color();
    if (MirrorColorTo == clNone)
      DrawGradientRect(ACanvas, From, ColorTo, 64, R, GD == GradientHorizontal);
    else
      DrawGradientBackground(ACanvas, R, From, ColorTo, MirrorColor, MirrorColorTo, true, clNone, false, true);
  }

  // Grid lines at the right and bottom edges inside the cell.
  Integer H;
  if (Fixed) {
    ACanvas->Pen()->SetColor(FGridFixedLineColor);
    ACanvas->Pen()->SetWidth(1);
    H = 1;
  } else {
    if (FGridLineWidth > 0) ACanvas->Pen()->SetColor(FGridLineColor);
    ACanvas->Pen()->SetWidth(FGridLineWidth);
    H = (FGridLineWidth + 1) / 2;
  }
  const TGridOptions O = Options();
  if (!(ACol == 0 && HasNodes()) &&
      ((O.Contains(goHorzLine) && !Fixed) || (O.Contains(goFixedHorzLine) && Fixed))) {
    ACanvas->MoveTo(R.Left - H + 1, R.Bottom - H);
    ACanvas->LineTo(R.Right - H + 1, R.Bottom - H);
  }
  if ((O.Contains(goVertLine) && !Fixed) || (O.Contains(goFixedVertLine) && Fixed)) {
    ACanvas->MoveTo(R.Right - H, R.Bottom - H);
    ACanvas->LineTo(R.Right - H, R.Top - H);
  }

  if (WithContent) {
    TRect Inner = R;
    if (Fixed) {
      Inner.Right -= 1;
      Inner.Bottom -= 2;
    } else {
      InflateRect(Inner, -FGridLineWidth, -FGridLineWidth);
    }
    DrawGridCell(ACanvas, ACol, ARow, Inner, AState);
  }

  if (Clip) ACanvas->RestoreDC(SavedDC);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Pen()->SetStyle(psSolid);
}

void TBaseGrid::DrawGridCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  (void)AState;
  const String Text = GetCellEx(ACol, ARow);
  if (Text.empty()) return;
  // Cell text is shown as it is: an ampersand is no mnemonic prefix here.
  ACanvas->Brush()->SetStyle(bsClear);
  DrawText(ACanvas, Text, ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
