// TExStringGrid: measuring and drawing the cells of a printed page, and the font mapping of the
// print (point sizes to heights in 0.1 mm, scaled by the fit-to-page factor).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridPrintInternal.h"
#include "platform/gui/Printers.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"

namespace {

// The kinds whose cell text is a value of the graphic, never printed as text.
bool IsDataGraphic(TCellGraphic* G) {
  if (!G) return false;
  const TCellType T = G->CellType();
  return T == ctDataCheckBox || T == ctDataImage || T == ctVirtCheckBox || T == ctRowCheckBox;
}

std::vector<String> SplitLines(String S, bool Multi) {
  std::vector<String> Lines;
  if (!Multi) {
    Lines.push_back(S);
    return Lines;
  }
  do {
    Lines.push_back(TakeLine(S, true));
  } while (!S.empty());
  return Lines;
}

}  // namespace

// --- Font mapping -------------------------------------------------------------------------------

Integer TExStringGrid::MapFontHeight(Integer PointSize) {
  return -static_cast<Integer>(std::trunc(PointSize * 254.0 / 72.0 * Fontscalefactor));
}

Integer TExStringGrid::MapFontSize(Integer Height) { return static_cast<Integer>(std::trunc(Height * 72.0 / 254.0)); }

// --- Measuring ----------------------------------------------------------------------------------

// The text a cell prints and its kind (plain, HTML, rich text).
String TGridPrintLayout::PrintCellText(Integer RCol, Integer ARow, Integer& Kind) {
  Kind = ctkPlain;
  if (IsDataGraphic(G->GetCellGraphic(RCol, ARow))) return String();
  String Text = G->GetFormattedCell(RCol, ARow);
  Kind = GetCellTextKind(Text, G->EnableHTML());
  if (Kind == ctkFormula) {
    Text = G->GetCellText(RCol, ARow);
    Kind = GetCellTextKind(Text, G->EnableHTML());
  }
  if (Kind == ctkUnicode) {
    Text = DecodeUnicodeText(Text);
    Kind = ctkPlain;
  }
  return Text;
}

TPoint TGridPrintLayout::MeasurePrintCell(Integer RCol, Integer ARow) {
  const Integer DCol = G->RealToDisplayCol(RCol);
  Integer Kind = ctkPlain;
  String Text = PrintCellText(RCol, ARow, Kind);
  if (Kind == ctkRichText) Text = GridRichTextToPlain(Text);

  // Font and colours as the cell prints them.
  TGridDrawState State;
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TCellGradientDirection GD = GradientVertical;
  TBrush Brush;
  TFont Font;
  G->GetVisualProperties(DCol, ARow, State, true, false, false, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA, WW,
                         GD);
  if (!PS->UseDisplayFont()) {
    const bool Fixed = DCol < G->FixedCols() || ARow < G->FixedRows();
    Font.Assign(Fixed ? PS->FixedFont() : PS->Font());
  }
  G->GetCellWordWrap(RCol, ARow, WW);
  SelectFont(&Font);
  Integer Angle = 0;
  const bool Rotated = G->IsRotated(RCol, ARow, Angle);

  TPoint GS(0, 0);
  if (PS->PrintGraphics()) {
    const TPoint P = G->GetCellGraphicSize(RCol, ARow);
    GS = TPoint(RoundInt(P.X * K), RoundInt(P.Y * K));
  }
  TPoint Size(0, 0);
  if (Kind == ctkHtml) {
    // Measured by the HTML renderer in device units, then mapped back.
    const Integer Limit = PS->NoAutoSize() ? RoundInt((G->ColWidths(DCol) + 12) * K * Scale) : 65535;
    String Anchor, Plain, Focus, Title, CID, CV, CT;
    Integer XSize = 0, YSize = 0, Links = 0, Hit = 0;
    TRect AR, CR;
    DrawHtmlText(C, Text, TRect(0, 0, Limit, 65535), G->GetCellImageList(RCol, ARow), 0, 0, -1, -1, 1, false, true,
                 false, false, true, false, true, false, Scale * K, G->URLColor(), clNone, clNone, 0x808080, Anchor,
                 Plain, Focus, Title, XSize, YSize, Links, Hit, AR, CR, CID, CV, CT, G->ImageCache(),
                 G->PictureContainer(), G->Handle(), 0);
    Size = TPoint(ToLogical(XSize), ToLogical(YSize));
  } else {
    if (Text.empty()) Text = u"gh";
    const std::vector<String> Lines = SplitLines(Text, G->Multilinecells());
    Integer Widest = 0;
    for (const String& L : Lines) Widest = std::max(Widest, TextWidth(L));
    if (!WW || !PS->NoAutoSize() || Rotated) {
      Size.X = Widest + GS.X;
      Size.Y = TextHeight(u"gh") * static_cast<Integer>(Lines.size());
    } else {
      const Integer Width = G->IsXMergedCell(RCol, ARow) ? 65535 : G->MaxWidths[DCol];
      TRect R(0, 0, RoundInt(Width * Scale), 0);
      DrawText(C, Text, R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      Size.X = Width;
      Size.Y = ToLogical(R.Height());
    }
    if (Rotated) {
      const double A = Angle * std::numbers::pi / 180.0;
      const Integer Wd = Size.X, Ht = Size.Y;
      Size.X = std::abs(RoundInt(std::cos(A) * Wd)) + std::abs(RoundInt(std::sin(A) * Ht));
      Size.Y = std::abs(RoundInt(std::sin(A) * Widest)) + std::abs(RoundInt(std::cos(A) * Ht));
    }
  }
  Size.X = std::max(Size.X, GS.X);
  Size.Y = std::max(Size.Y, GS.Y);
  if (G->OnCustomCellSize) G->OnCustomCellSize(G, C, RCol, ARow, Size, true);
  return Size;
}

Integer TGridPrintLayout::PrintEscapement(Integer Angle, bool DriverFix, Integer LandscapeRotation) {
  // The text turns as on the screen; with the driver fix, a printer that turns landscape pages by
  // 90 degrees gets the turn reversed.
  return DriverFix && LandscapeRotation != 270 ? -Angle * 10 : Angle * 10;
}

Integer TGridPrintLayout::GetPrintRowHeight(Integer ARow) {
  if (ARow == FCachedRow) return FCachedHeight;
  Integer Result = 0;
  if (ARow < 0 || ARow >= G->RowCount()) {
    Result = 0;
  } else if (PS->NoAutoSizeRow()) {
    Result = RoundInt(G->RowHeights(ARow) * K) - 4;
  } else if (PS->UseFixedHeight()) {
    Result = PS->FixedHeight();
  } else {
    Integer Hmax = 0, Last = 0;
    const TGridRect& PR = G->FPrintRect;
    const Integer First = PS->RepeatFixedCols() ? 0 : PR.Left;
    for (Integer c = First; c <= PR.Right; ++c) {
      if (c >= G->FixedCols() && c < PR.Left) continue;
      const Integer RC = G->DisplayToRealCol(c);
      if (G->IsYMergedCell(RC, ARow)) continue;
      Last = MeasurePrintCell(RC, ARow).Y;
      Hmax = std::max(Hmax, Last);
    }
    if (Hmax == 0) Hmax = Last;
    Result = Hmax + Hmax / 8;
    if (G->OnPrintSetRowHeight) G->OnPrintSetRowHeight(G, ARow, Result);
  }
  FCachedRow = ARow;
  FCachedHeight = Result;
  return Result;
}

// --- Drawing ------------------------------------------------------------------------------------

void TGridPrintLayout::DrawCellGraphic(Integer RCol, Integer ARow, const TRect& Cell, TRect& TextRect,
                                       TColor Background) {
  TCellGraphic* CG = G->GetCellGraphic(RCol, ARow);
  if (!CG || !PS->PrintGraphics()) return;
  const TPoint P = G->GetCellGraphicSize(RCol, ARow);
  const Integer Wd = RoundInt(P.X * K), Ht = RoundInt(P.Y * K);
  if (Wd <= 0 && Ht <= 0 && CG->CellType() != ctCheckBox && CG->CellType() != ctDataCheckBox &&
      CG->CellType() != ctVirtCheckBox && CG->CellType() != ctRowCheckBox && CG->CellType() != ctProgress)
    return;
  // Placement in the cell (logical units, y upwards: Cell.Top > Cell.Bottom).
  Integer L = Cell.Left + RoundInt(K), R = L + Wd;
  switch (CG->CellHAlign()) {
    case haRight:
    case haAfterText:
      R = Cell.Right - RoundInt(K);
      L = R - Wd;
      TextRect.Right = L;
      break;
    case haCenter:
      L = (Cell.Left + Cell.Right - Wd) / 2;
      R = L + Wd;
      break;
    case haFull:
      L = Cell.Left;
      R = Cell.Right;
      break;
    default:
      TextRect.Left = R;
      break;
  }
  Integer Top = Cell.Top, Bottom = Top - Ht;
  switch (CG->CellVAlign()) {
    case vaBottom:
    case vaUnderText:
      Bottom = Cell.Bottom;
      Top = Bottom + Ht;
      if (CG->CellVAlign() == vaUnderText) TextRect.Bottom = Top;
      break;
    case vaCenter:
      Top = (Cell.Top + Cell.Bottom + Ht) / 2;
      Bottom = Top - Ht;
      break;
    case vaAboveText:
      TextRect.Top = Bottom;
      break;
    case vaFull:
      Top = Cell.Top;
      Bottom = Cell.Bottom;
      break;
    default:
      break;
  }
  const TRect D = DevRect(L, Top, R, Bottom);
  switch (CG->CellType()) {
    case ctBitmap:
    case ctBitButton:
      if (auto* Bmp = dynamic_cast<TBitmap*>(CG->CellBitmap())) C->StretchDraw(D, Bmp);
      break;
    case ctIcon:
      if (CG->CellIcon()) C->StretchDraw(D, CG->CellIcon());
      break;
    case ctPicture:
      if (auto* Pic = dynamic_cast<TPicture*>(CG->CellBitmap()); Pic && Pic->Graphic()) C->StretchDraw(D, Pic->Graphic());
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox: {
      bool Checked = false;
      G->GetCheckBoxState(RCol, ARow, Checked);
      // The box keeps its screen size in 0.1 mm, at least a square of 30.
      const Integer Side = std::max(30, std::max(Wd, Ht));
      const TRect Box = DevRect(L, Top, L + Side, Top - Side);
      G->DrawCheckBox(C, Box, Checked, true, false, 0, false, Checked ? cbChecked : cbUnchecked);
      break;
    }
    case ctNode: {
      const TRect Box = DevRect(L, Top, L + 20, Top - 20);
      C->Brush()->SetColor(Background == clNone ? clWhite : Background);
      C->Pen()->SetColor(clBlack);
      C->Pen()->SetWidth(1);
      C->Rectangle(Box);
      const Integer Cy = (Box.Top + Box.Bottom) / 2, Cx = (Box.Left + Box.Right) / 2;
      C->MoveTo(Box.Left + 2, Cy);
      C->LineTo(Box.Right - 2, Cy);
      if (!G->GetNodeState(ARow)) {
        C->MoveTo(Cx, Box.Top + 2);
        C->LineTo(Cx, Box.Bottom - 2);
      }
      break;
    }
    case ctProgress:
      DrawProgress(C, DevRect(Cell.Left, Cell.Top, Cell.Right, Cell.Bottom), CG->CellBitmapColor(), clWhite,
                   CG->CellIconColor(), clBlack, StrToFloatDef(G->Cells(RCol, ARow), 0), 2, 2, 0, 100, String(),
                   clNone, false);
      break;
    case ctInterface:
      if (auto* Drawer = dynamic_cast<TCellDrawer*>(CG->CellBitmap())) Drawer->Draw(C, D, RCol, ARow, false, G);
      break;
    default:
      break;
  }
}

Integer TGridPrintLayout::PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow) {
  const Integer RowH = 2 * s + GetPrintRowHeight(ARow) + PS->RowSpacing();
  if (!Drawing() || !PageInRange()) return RowH;
  G->Fontscalefactor = f;
  const TGridRect& PR = G->FPrintRect;
  const Integer FirstPrinted = FromCol;

  for (Integer c = FromCol; c <= ToCol; ++c) {
    if (!IsPrintColSelected(c)) continue;
    const Integer RC = G->DisplayToRealCol(c);
    const TPoint Span = G->CellSpan(RC, ARow);
    const bool Base = G->IsBaseCell(RC, ARow);

    // 1. The cell's rectangle, over the columns and rows of its merged area.
    const Integer Left = G->Indents[c];
    Integer Right = Left;
    for (Integer k = c; k <= std::min(c + std::max(0, Span.X), MaxGridColumns - 2); ++k) Right += G->MaxWidths[k] + m;
    Integer Hc = RowH;
    for (Integer k = 1; k <= Span.Y && ARow + k < G->RowCount(); ++k) {
      const Integer Hk = static_cast<Integer>(std::trunc((G->RowHeights(ARow + k) - 4) * K));
      Hc += PS->NoAutoSizeRow() ? RoundInt(G->RowHeights(ARow + k) * K) - 4 + 2 * s + PS->RowSpacing()
                                : Hk + Hk / 8 + 2 * s + PS->RowSpacing();
    }
    const Integer Top = Y;
    Integer Bottom = Y - Hc;

    // 2. Border sides and pen.
    TCellBorders Sides;
    switch (PS->Borders()) {
      case pbSingle:
      case pbDouble: Sides = TCellBorders{cbLeft, cbTop, cbRight, cbBottom}; break;
      case pbHorizontal:
      case pbAroundHorizontal: Sides = TCellBorders{cbTop, cbBottom}; break;
      case pbVertical:
      case pbAroundVertical: Sides = TCellBorders{cbLeft, cbRight}; break;
      default: break;
    }
    TPen Pen;
    Pen.SetWidth(1);
    Pen.SetColor(PS->BorderColor());
    G->GetCellPrintBorder(RC, ARow, &Pen, Sides);

    // 3. The content, drawn by the base cell of a merged area.
    if (Base) {
      TGridDrawState State;
      TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
      TAlignment HA = taLeftJustify;
      TVAlignment VA = vtaTop;
      bool WW = false;
      TCellGradientDirection GD = GradientVertical;
      TBrush Brush;
      TFont Font;
      G->GetVisualProperties(c, ARow, State, true, false, true, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA, WW,
                             GD);
      if (!PS->UseDisplayFont()) {
        const bool Fixed = c < G->FixedCols() || ARow < G->FixedRows();
        Font.Assign(Fixed ? PS->FixedFont() : PS->Font());
      }
      G->GetCellWordWrap(RC, ARow, WW);
      // Nothing is drawn past the band's right edge or below the page's footer zone.
      const Integer ClipRight = std::min(Right, std::max(W, G->Indents[FBandEnd + 1]));
      const TRect CellDev = DevRect(Left, Top, ClipRight, std::max(Bottom, H + PS->FooterSize()));
      const Integer Saved = C->SaveDC();
      C->IntersectClipRect(CellDev);
      // Background.
      if (Brush.Color() != clNone) {
        const Integer PenW = std::max(1, Pen.Width());
        TRect Fill = CellDev;
        if (!Sides.Contains(cbLeft)) Fill.Left += 2 * PenW;
        if (!Sides.Contains(cbTop)) Fill.Top += 2 * PenW;
        DrawGradientRect(C, Brush.Color(), ColorTo, 64, Fill, GD == GradientHorizontal);
      }
      SelectFont(&Font);
      C->Font()->SetColor(Font.Color());
      C->Brush()->SetStyle(bsClear);

      Integer Kind = ctkPlain;
      String Text = PrintCellText(RC, ARow, Kind);
      if (G->GetCellType(RC, ARow) == ctRadio) Text.clear();
      TAlignment CA = HA;
      TVAlignment CVA = VA;
      G->CalcCellAlignment(RC, ARow, CA, CVA);
      // The text's room after the graphic took its place.
      TRect TextRect(Left, Top, Right, Bottom);
      DrawCellGraphic(RC, ARow, TRect(Left, Top, Right, Bottom), TextRect, Brush.Color());
      C->Brush()->SetStyle(bsClear);

      const Integer L = (TextHeight(u"gh") + PS->RowSpacing()) * 9 / 8;
      Integer Angle = 0;
      const bool Rotated = G->IsRotated(RC, ARow, Angle);
      if (Rotated) {
        const bool Fix = G->FPrintOnPrinter && G->PrinterDriverFix();
        C->Font()->SetOrientation(PrintEscapement(Angle, Fix, Fix ? Printer()->LandscapeRotation() : 270));
      }
      const Integer Inset = RoundInt(2 * K);
      if (Kind == ctkHtml) {
        TRect HR = DevRect(TextRect.Left + g2, TextRect.Top, TextRect.Right - g2 - Inset, TextRect.Bottom - s);
        String Anchor, Plain, Focus, Title, CID, CV, CT;
        Integer XSize = 0, YSize = 0, Links = 0, Hit = 0;
        TRect AR, CR;
        DrawHtmlText(C, Text, HR, G->GetCellImageList(RC, ARow), 0, 0, -1, -1, 1, false, false, false, false, true,
                     false, true, false, Scale * K, G->URLColor(), clNone, clNone, 0x808080, Anchor, Plain, Focus,
                     Title, XSize, YSize, Links, Hit, AR, CR, CID, CV, CT, G->ImageCache(), G->PictureContainer(),
                     G->Handle(), 0);
      } else if (Kind == ctkRichText) {
        G->DrawRTFCell(RC, ARow, C, DevRect(TextRect.Left, TextRect.Top, TextRect.Right, TextRect.Bottom));
      } else if (WW && PS->NoAutoSize() && !Rotated) {
        TRect R = DevRect(TextRect.Left + g2, TextRect.Top, TextRect.Right - g2, TextRect.Bottom);
        Cardinal Flags = DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;
        if (CA == taRightJustify) Flags |= DT_RIGHT;
        if (CA == taCenter) Flags |= DT_CENTER;
        if (CA == taLeftJustify) R.Left += Inset;
        DrawText(C, Text, R, Flags);
      } else {
        const std::vector<String> Lines = SplitLines(Text, G->Multilinecells());
        const Integer LineH = L - PS->RowSpacing();
        const Integer Block = LineH * static_cast<Integer>(Lines.size());
        // The lines as a block, placed by the vertical alignment within the row (not in merged
        // cells, whose text starts at the top).
        Integer Ty = TextRect.Top - s;
        if (Span.Y == 0) {
          if (CVA == vtaCenter) Ty -= (RowH - Block) / 2;
          if (CVA == vtaBottom) Ty -= RowH - Block;
        }
        for (String Line : Lines) {
          if (G->URLShow() && !G->URLFull() && IsUrl(Line)) StripUrlScheme(Line);
          const Integer Wd = TextWidth(Line);
          Integer Tx = TextRect.Left + g2;
          if (CA == taRightJustify) Tx = TextRect.Right - g2 - Wd;
          if (CA == taCenter) Tx = (TextRect.Left + TextRect.Right - Wd) / 2;
          TextAt(Tx, Ty, Line);
          Ty -= LineH;
        }
      }
      if (Rotated) C->Font()->SetOrientation(0);
      if (G->OnCustomCellDraw) G->OnCustomCellDraw(G, C, RC, ARow, State, CellDev, true);
      C->RestoreDC(Saved);
    }

    // 4. Borders, for every cell.
    if (!Base) {
      if (G->IsXMergedCell(RC, ARow)) {
        Sides.Exclude(cbLeft);
        Sides.Exclude(cbRight);
      }
      if (G->IsYMergedCell(RC, ARow)) {
        Sides.Exclude(cbTop);
        Sides.Exclude(cbBottom);
      }
    }
    if (G->IsYMergedCell(RC, ARow) && Span.Y == 0 && Base) Sides.Exclude(cbTop);
    if (G->IsXMergedCell(RC, ARow) && Span.X == 0 && Base) Sides.Exclude(cbLeft);
    const Integer PenW = std::max(1, RoundInt(Pen.Width() * (FMode == 1 ? K : 1.0)));
    if (Bottom < H + PS->FooterSize()) {
      Bottom = Y - RowH;
      Sides.Exclude(cbBottom);
    }
    C->Pen()->Assign(&Pen);
    C->Pen()->SetWidth(std::max(1, RoundInt(PenW * Scale)));
    const Integer LeftX = c == FirstPrinted ? Left : Left - PenW;
    if (Sides.Contains(cbLeft)) Line(LeftX, Top, LeftX, Bottom);
    if (Sides.Contains(cbRight)) Line(Right, Top, Right, Bottom);
    if (Sides.Contains(cbTop)) Line(LeftX, Top, Right, Top);
    if (Sides.Contains(cbBottom)) Line(LeftX, Bottom, Right + PenW, Bottom);
    (void)PR;
  }
  G->Fontscalefactor = 1.0;
  return RowH;
}
