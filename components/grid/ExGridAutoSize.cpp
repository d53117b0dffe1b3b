// TExStringGrid: sizing rows and columns to their content, fitting the columns into the control's
// width, sizing the control to its cells, swapping rows and columns, and zooming.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExUtil.h"

Integer TExStringGrid::GetTotalXOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X; }

Integer TExStringGrid::GetTotalYOffset() const { return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y; }

// --- Columns ------------------------------------------------------------------------------------

void TExStringGrid::AutoSizeColInternal(Integer ACol, bool GrowOnly) {
  if (ACol < 0 || ACol >= ColCount()) return;
  const Integer R = DisplayToRealCol(ACol);
  Integer First = 0, Last = RowCount() - 1;
  switch (FColumnSize->Rows()) {
    case arNormal:
      First = TBaseGrid::FixedRows();
      Last = RowCount() - FFixedFooters - 1;
      break;
    case arFixed:
      Last = TBaseGrid::FixedRows() - 1;
      break;
    default:
      break;
  }
  const Integer Line = GridLineWidth();
  Integer MaxW = 0;
  for (Integer r = First; r <= Last; ++r) {
    if (IsXMergedCell(R, r)) continue;
    const TPoint GS = GetCellGraphicSize(R, r);
    TSize TS;
    CalcCellTextSize(R, ACol, r, false, false, TS);
    Integer W = GS.X + TS.cx;
    if (FControlLook && FControlLook->DropDownAlwaysVisible() && HasComboBox(R, r)) W += 16;
    // Room for the filter button of the filter row, when the column has something to filter.
    if (FFilterDropDownAuto && r == FFilterRow && BuildFilterList(R)) W += 12;
    if (IsSortIndicatorRow(ACol, r) && ACol == FSortSettings->Column()) W += 10;
    if (TCellGraphic* G = GetCellGraphic(R, r); G && G->CellHAlign() == haFull)
      W = GS.X - (2 * Line + FXYOffset.X + 2);
    MaxW = std::max(MaxW, W);
  }
  Integer Width = MaxW + GetTotalXOffset() + 2 * Line + 2;
  if (!GrowOnly || ColWidths(ACol) < Width) {
    UpdateAutoColumnSize(ACol, Width);
    SetColWidths(ACol, LimitToRange(Width, FMinColWidth, FMaxColWidth));
  }
}

void TExStringGrid::AutoSizeCol(Integer ACol, Integer Padding) {
  if (ACol < 0 || ACol >= ColCount()) return;
  const Integer Before = ColWidths(ACol);
  AutoSizeColInternal(ACol, FSizeGrowOnly);
  // The padding goes onto a width just computed; a column left as it was (grow-only) keeps its
  // width, so that repeated calls do not widen it step by step.
  if (Padding != 0 && (!FSizeGrowOnly || ColWidths(ACol) != Before))
    SetColWidths(ACol, LimitToRange(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, Integer Padding) {
  const Integer First = DoFixedCols ? 0 : TBaseGrid::FixedCols();
  const Integer Last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  for (Integer c = First; c <= Last; ++c) AutoSizeCol(c, Padding);
}

// --- Rows ---------------------------------------------------------------------------------------

void TExStringGrid::AutoSizeRowInternal(Integer ARow, bool GrowOnly, Integer Padding) {
  if (ARow < 0 || ARow >= RowCount()) return;
  const Integer Line = GridLineWidth();
  Integer MaxH = 0;
  for (Integer c = 0; c < ColCount(); ++c) {
    const Integer R = DisplayToRealCol(c);
    if (IsYMergedCell(R, ARow) || FIgnoreColumns->HasValue(R)) continue;
    // The text is measured in the cell's font with the zoom steps added.
    TSize TS;
    CalcCellTextSize(R, c, ARow, FWordWrapEx, false, TS);
    Integer T = TS.cy;
    Integer G = CalcCellGraphicSize(R, ARow, Padding).Y;
    TCellGraphic* CG = GetCellGraphic(R, ARow);
    if (CG && CG->CellVAlign() == vaFull) G = T != 0 ? 0 : DefaultRowHeight();
    if (CG && (CG->CellType() == ctDataCheckBox || CG->CellType() == ctVirtCheckBox) && G > 0) T = 0;
    Integer H = T + G;
    if (!IsBaseCell(R, ARow)) H = 0;
    if (CG && (CG->CellType() == ctCheckBox || CG->CellType() == ctDataCheckBox ||
               CG->CellType() == ctVirtCheckBox || CG->CellType() == ctRadioButton))
      H = DefaultRowHeight();
    MaxH = std::max(MaxH, H);
  }
  Integer Height = GetTotalYOffset() + MaxH + 2 * Line;
  if (FXYOffsetTopLeftOnly) Height += 2;
  const bool Editing = VisibleRowCount() == RowCount() && EditMode && FSizeWhileTyping && FSizeWhileTyping->Height();
  if (!GrowOnly || RowHeights(ARow) < Height) SetRowHeights(ARow, LimitToRange(Height, FMinRowHeight, FMaxRowHeight));
  // A row that grew while typing may push rows out of view: the editor is shown again over the
  // cell, its caret after the last character.
  if (Editing && VisibleRowCount() != RowCount()) {
    HideInplaceEdit();
    ShowInplaceEdit();
  }
}

void TExStringGrid::AutoSizeRow(Integer ARow, Integer Padding) {
  if (ARow < 0 || ARow >= RowCount()) return;
  const Integer Before = RowHeights(ARow);
  AutoSizeRowInternal(ARow, FSizeGrowOnly, Padding);
  if (Padding != 0 && (!FSizeGrowOnly || RowHeights(ARow) != Before))
    SetRowHeights(ARow, LimitToRange(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TExStringGrid::AutoSizeRows(bool DoFixedRows, Integer Padding) {
  if (RowCount() == 0) return;
  const Integer First = DoFixedRows ? 0 : TBaseGrid::FixedRows();
  ExportNotification(esExportStart, First);
  for (Integer r = First; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    if (FWordWrapEx)
      AutoSizeRow(r, Padding);
    else
      SetRowHeightForLines(r, GetMaxLinesInRow(r), Padding);
  }
  UpdateScrollBarsAlways(false);
  ExportNotification(esExportDone, -1);
}

void TExStringGrid::SetRowHeightForLines(Integer ARow, Integer Lines, Integer Padding) {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  if (ColCount() > 0) GetCellColor(DisplayToRealCol(std::min(TBaseGrid::FixedCols(), ColCount() - 1)), ARow,
                                   TGridDrawState(), C->Brush(), C->Font());
  const Integer H = C->TextHeight(u"gh");
  SetRowHeights(ARow, LimitToRange(Padding + Lines * (H + H / 8), FMinRowHeight, FMaxRowHeight));
}

Integer TExStringGrid::GetMaxLinesInRow(Integer ARow) {
  if (ColCount() == 0 || !FMultilineCells) return 1;
  // Every displayed column of the row; ColCount already counts the displayed columns only.
  Integer Result = 1;
  for (Integer c = 0; c < ColCount(); ++c)
    Result = std::max(Result, CountLines(Cells(DisplayToRealCol(c), ARow), true));
  return Result;
}

// --- Cells --------------------------------------------------------------------------------------

void TExStringGrid::AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY) {
  const Integer FirstCol = DoFixedCells ? 0 : TBaseGrid::FixedCols();
  const Integer FirstRow = DoFixedCells ? 0 : TBaseGrid::FixedRows();
  BeginUpdate();
  try {
    for (Integer c = FirstCol; c < ColCount(); ++c) {
      const Integer R = DisplayToRealCol(c);
      Integer W = FSizeGrowOnly ? ColWidths(c) : 0;
      for (Integer r = FirstRow; r < RowCount(); ++r) {
        TSize TS;
        CalcCellTextSize(R, c, r, false, false, TS);
        const TPoint GS = GetCellGraphicSize(R, r);
        const Integer NeedW = TS.cx + GS.X + PaddingX + FXYOffset.X;
        const Integer NeedH = TS.cy + GS.Y + PaddingY + FXYOffset.Y;
        if (!IsXMergedCell(R, r) && W < NeedW) {
          const Integer L = LimitToRange(NeedW, FMinColWidth, FMaxColWidth);
          if (L > W) {
            SetColWidths(c, L);
            W = L;
          }
        }
        if (!IsYMergedCell(R, r) && RowHeights(r) < NeedH) {
          const Integer L = LimitToRange(NeedH, FMinRowHeight, FMaxRowHeight);
          if (L > RowHeights(r)) SetRowHeights(r, L);
        }
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// --- Fitting the columns into the control ---------------------------------------------------------

void TExStringGrid::AutoFitColumns(bool DoFixedCells) {
  const bool VertBar = FScrollBarAlways == saVert ||
                       ((FScrollBars == ssVertical || FScrollBars == ssBoth) &&
                        VisibleRowCount() + TBaseGrid::FixedRows() < RowCount());
  const Integer S = VertBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  Integer B = 0;
  if (BorderStyle() == bsSingle) B = Ctl3D() ? 4 : 2;

  Integer First = 0, Last = ColCount() - 1;
  Integer W = Width();
  if (!DoFixedCells) {
    First = TBaseGrid::FixedCols();
    Last = ColCount() - FFixedRightCols - 1;
    for (Integer c = 0; c < First; ++c) W -= ColWidths(c);
    for (Integer c = Last + 1; c < ColCount(); ++c) W -= ColWidths(c);
  }
  Integer L = 0;
  if (Options().Contains(goVertLine)) L = GridLineWidth() * (ColCount() - TBaseGrid::FixedCols() - FFixedRightCols);
  if (DoFixedCells && Options().Contains(goFixedVertLine)) L += TBaseGrid::FixedCols() + FFixedRightCols;

  if (ColCount() < 2) {
    if (ColCount() == 1) SetColWidths(0, Width() - S - 5);
  } else {
    Integer Sum = 0;
    for (Integer c = First; c <= Last; ++c) Sum += ColWidths(c);
    // Columns that already fit, or nothing to scale.
    if (Sum == W - S - B || Sum <= 0) return;
    const double E = static_cast<double>(W - S - B - L) / Sum;
    Integer T = 0;
    for (Integer c = First; c <= Last; ++c) T += RoundInt(E * ColWidths(c));
    for (Integer c = First; c <= Last; ++c)
      SetColWidths(c, RoundInt(static_cast<double>(ColWidths(c)) * T / Sum));
  }

  // What rounding left over: spread evenly, the rest to the widest column.
  const Integer N = Last - First + 1;
  if (N <= 0) return;
  Integer New = 0;
  for (Integer c = First; c <= Last; ++c) New += ColWidths(c);
  Integer R = W - S - B - New;
  if (N < R && N > 1) {
    const Integer Each = R / N;
    for (Integer c = First; c <= Last; ++c) SetColWidths(c, ColWidths(c) + Each);
    R -= N * Each;
  }
  Integer Widest = First;
  for (Integer c = First; c <= Last; ++c)
    if (ColWidths(c) > ColWidths(Widest)) Widest = c;
  SetColWidths(Widest, ColWidths(Widest) + R);
}

void TExStringGrid::SizeToCols() {
  Integer W = 0;
  for (Integer c = 0; c < ColCount(); ++c) W += ColWidths(c);
  SetClientWidth(W);
}

void TExStringGrid::SizeToRows() {
  Integer H = 0;
  for (Integer r = 0; r < RowCount(); ++r) H += RowHeights(r);
  SetClientHeight(H);
}

void TExStringGrid::SizeToCells() {
  const TScrollStyle Saved = FScrollBars;
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(Saved);
}

// --- Swapping -----------------------------------------------------------------------------------

void TExStringGrid::SwapColumns(Integer ACol1, Integer ACol2) {
  if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= AllColCount() || ACol2 >= AllColCount()) return;
  // Texts and cell objects change places row by row; the objects move, nothing is freed.
  for (Integer r = 0; r < RowCount(); ++r) {
    const String T = GetGridCell(ACol1, r);
    TObject* O = GetGridObject(ACol1, r);
    SetGridCell(ACol1, r, GetGridCell(ACol2, r));
    SetGridObject(ACol1, r, GetGridObject(ACol2, r));
    SetGridCell(ACol2, r, T);
    SetGridObject(ACol2, r, O);
  }
  const Integer W1 = AllColWidths(ACol1);
  SetAllColWidths(ACol1, AllColWidths(ACol2));
  SetAllColWidths(ACol2, W1);
  if (FSortSettings->Column() == ACol1)
    FSortSettings->SetColumn(ACol2);
  else if (FSortSettings->Column() == ACol2)
    FSortSettings->SetColumn(ACol1);
  for (Integer i = 0; i < FControlList->Count(); ++i) {
    TControlItem* Item = FControlList->Control(i);
    if (Item->X() == ACol1)
      Item->SetX(ACol2);
    else if (Item->X() == ACol2)
      Item->SetX(ACol1);
  }
  CellControlsUpdate();
  Invalidate();
}

void TExStringGrid::SwapRows(Integer ARow1, Integer ARow2) {
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) return;
  // The rows change places as handles, with the cells of every column.
  CellStoreForUpdate().ExchangeRows(ARow1, ARow2);
  const Integer H1 = RowHeights(ARow1);
  SetRowHeights(ARow1, RowHeights(ARow2));
  SetRowHeights(ARow2, H1);
  for (Integer i = 0; i < FControlList->Count(); ++i) {
    TControlItem* Item = FControlList->Control(i);
    if (Item->Y() == ARow1)
      Item->SetY(ARow2);
    else if (Item->Y() == ARow2)
      Item->SetY(ARow1);
  }
  CellControlsUpdate();
  Invalidate();
}

// --- Zoom ---------------------------------------------------------------------------------------

void TExStringGrid::Zoom(Integer Delta) {
  const Integer F = FZoomFactor + Delta;
  if (F > 10 || F < -10) return;
  FZoomFactor = F;
  const bool Locked = FScrollLock;
  FScrollLock = true;
  try {
    for (Integer c = 0; c < ColCount(); ++c)
      if (ColWidths(c) > 0 && ColWidths(c) + Delta > 0) SetColWidths(c, ColWidths(c) + Delta);
    for (Integer r = 0; r < RowCount(); ++r)
      if (RowHeights(r) > 0 && RowHeights(r) + Delta > 0) SetRowHeights(r, RowHeights(r) + Delta);
  } catch (...) {
    FScrollLock = Locked;
    throw;
  }
  FScrollLock = Locked;
  if (FScrollProportional) {
    UpdateVScrollBar();
    UpdateHScrollBar();
  }
  Invalidate();
}
