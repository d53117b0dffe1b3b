// TExStringGrid: the painting pipeline. The paint message (skipped while updates are locked), the
// control's Paint (frame around the edited cell, the empty area's background, the design-time box,
// OnPainted) and the cell painter DrawGridCell, which the base grid calls for every visible cell
// after it filled the background and drew the grid lines. DrawGridCell lays the cell's layers in a
// fixed order: fixed-cell looks, row indicator, modified marker, background event, editor buttons,
// text, borders, 3D edges, the cell graphic, the drawing events and the focus rectangle.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"

namespace {

// The DrawText flags of a plain text.
Cardinal PlainTextFlags(const String& Text, bool WordWrap, bool MultiLine, bool EnhTextSize, TAlignment HA,
                        TVAlignment VA, String& Shown) {
  Cardinal Flags = DT_EDITCONTROL;
  Shown = Text;
  const bool OneLine = !MultiLine || CharPos(u'\r', Text) == 0;
  if (OneLine && !WordWrap) {
    Shown = TakeLine(Shown, false);
    Flags = DT_SINGLELINE;
    if (EnhTextSize) Flags |= DT_END_ELLIPSIS;
  }
  if (WordWrap && !MultiLine && EnhTextSize) Flags |= DT_END_ELLIPSIS;
  Flags |= DT_EXPANDTABS | DT_NOPREFIX;
  switch (HA) {
    case taRightJustify: Flags |= DT_RIGHT; break;
    case taCenter: Flags |= DT_CENTER; break;
    default: break;
  }
  switch (VA) {
    case vtaCenter: Flags |= DT_VCENTER; break;
    case vtaBottom: Flags |= DT_BOTTOM; break;
    default: break;
  }
  if (WordWrap || MultiLine)
    Flags |= DT_WORDBREAK | DT_EDITCONTROL;
  else
    Flags |= DT_SINGLELINE;
  return Flags;
}

// The plain text of rich text: control words and groups of destinations dropped, "\par" and
// "\line" as line breaks, the escaped characters kept.
String RichTextToPlain(const String& Rtf) {
  String Out;
  Integer Depth = 0;
  Integer SkipDepth = -1;  // inside a group that is not shown ({\fonttbl …}, {\* …})
  const size_t N = Rtf.size();
  for (size_t i = 0; i < N; ++i) {
    const Char C = Rtf[i];
    if (C == u'{') {
      ++Depth;
      continue;
    }
    if (C == u'}') {
      if (Depth == SkipDepth) SkipDepth = -1;
      --Depth;
      continue;
    }
    const bool Skipping = SkipDepth >= 0 && Depth >= SkipDepth;
    if (C == u'\\') {
      if (i + 1 >= N) break;
      const Char D = Rtf[i + 1];
      if (D == u'\\' || D == u'{' || D == u'}') {
        if (!Skipping) Out += D;
        ++i;
        continue;
      }
      if (D == u'*') {
        if (SkipDepth < 0) SkipDepth = Depth;
        ++i;
        continue;
      }
      if (D == u'\'') {
        // A character given by two hexadecimal digits.
        if (i + 3 < N) {
          const String Hex = Rtf.substr(i + 2, 2);
          const Integer V = StrToIntDef(u"$" + Hex, -1);
          if (V >= 0 && !Skipping) Out += static_cast<Char>(V);
          i += 3;
        }
        continue;
      }
      size_t j = i + 1;
      String Word;
      while (j < N && ((Rtf[j] >= u'a' && Rtf[j] <= u'z') || (Rtf[j] >= u'A' && Rtf[j] <= u'Z'))) Word += Rtf[j++];
      String Num;
      if (j < N && (Rtf[j] == u'-' || (Rtf[j] >= u'0' && Rtf[j] <= u'9'))) {
        Num += Rtf[j++];
        while (j < N && Rtf[j] >= u'0' && Rtf[j] <= u'9') Num += Rtf[j++];
      }
      if (j < N && Rtf[j] == u' ') ++j;
      i = j - 1;
      if (Word == u"fonttbl" || Word == u"colortbl" || Word == u"stylesheet" || Word == u"info" ||
          Word == u"pict" || Word == u"header" || Word == u"footer") {
        if (SkipDepth < 0) SkipDepth = Depth;
        continue;
      }
      if (Skipping) continue;
      if (Word == u"par" || Word == u"line") Out += u"\r\n";
      if (Word == u"tab") Out += u'\t';
      if (Word == u"u" && !Num.empty()) {
        Integer V = StrToIntDef(Num, 0);
        if (V < 0) V += 65536;
        Out += static_cast<Char>(V);
        // The replacement character that follows a \u value.
        if (i + 1 < N && Rtf[i + 1] != u'\\' && Rtf[i + 1] != u'{' && Rtf[i + 1] != u'}') ++i;
      }
      continue;
    }
    if (Skipping) continue;
    if (C == u'\r' || C == u'\n') continue;
    Out += C;
  }
  while (!Out.empty() && (Out.back() == u'\n' || Out.back() == u'\r')) Out.pop_back();
  return Out;
}

}  // namespace

String GridRichTextToPlain(const String& Rtf) { return RichTextToPlain(Rtf); }

// ---------------------------------------------------------------------------------------------
// Paint message and Paint
// ---------------------------------------------------------------------------------------------

void TExStringGrid::WMPaint(TMessage& M) {
  // While updates are locked the window keeps its old pixels; the last EndUpdate repaints.
  if (FUpdateCount > 0)
    M.Result = 0;
  else
    TBaseGrid::WMPaint(M);
  if (!TabStop() && FPaintCount == 0) {
    FPaintCount = 1;
    UpdateVScrollBar();
  }
}

void TExStringGrid::Paint() {
  TCanvas* C = Canvas();
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();
  // The cell painter leaves its clip behind; what follows draws anywhere this paint covers.
  C->SelectClipRgn(PaintArea());

  if (EditorMode() || EditMode) {
    const TRect R = CellRect(Col(), Row());
    if (!IsRectEmpty(R)) {
      TColor PenColor = GridLineWidth() >= 1 ? GridLineColor() : Color();
      if (!Options().Contains(goHorzLine) && !Options().Contains(goVertLine)) PenColor = Color();
      C->Pen()->SetColor(PenColor);
      C->Pen()->SetWidth(1);
      C->Brush()->SetStyle(bsClear);
      C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
      C->Brush()->SetStyle(bsSolid);
    }
  }

  C->Pen()->SetColor(clBlack);
  if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintBackground();
  PaintDesignHelper();
  // The grid has no window frame of its own here: the coloured outline is drawn with the cells.
  PaintNCBorder();
  if (OnPainted) OnPainted(this);
}

// ---------------------------------------------------------------------------------------------
// Background outside the cells
// ---------------------------------------------------------------------------------------------

void TExStringGrid::PaintBackground() {
  TCanvas* C = Canvas();
  const bool RowsOverflow = TopRow() + VisibleRowCount() < RowCount();
  const bool ColsOverflow = LeftCol() + VisibleColCount() < ColCount();
  if (RowsOverflow && ColsOverflow) return;
  const TBackGroundDisplay Display = FBackGround->Display();
  const bool Gradient = Display == bdGradientHorz || Display == bdGradientVert;
  if (Gradient && FBackGround->ColorTo() == clNone) return;

  const TRect Client = ClientRect();
  TRegion Area;
  const Integer LW = GridLineWidth();
  if (ColCount() > 0 && LeftCol() + VisibleColCount() >= ColCount()) {
    TRect Last = CellRect(ColCount() - 1, TopRow());
    if (!IsRectEmpty(Last)) {
      InflateRect(Last, LW, LW);
      if (Last.Right < Client.Right) Area.Union(TRect(Last.Right, Client.Top, Client.Right, Client.Bottom));
    }
  }
  if (RowCount() > 0 && TopRow() + VisibleRowCount() >= RowCount()) {
    TRect Last = CellRect(LeftCol(), RowCount() - 1);
    if (!IsRectEmpty(Last)) {
      InflateRect(Last, LW, LW);
      if (Last.Bottom < Client.Bottom) Area.Union(TRect(Client.Left, Last.Bottom, Client.Right, Client.Bottom));
    }
  }
  if (Area.IsEmpty()) return;

  TRect Fill = Client;
  if (FSearchFooter->Visible()) Fill.Bottom -= 32;
  const Integer SavedDC = C->SaveDC();
  C->SelectClipRgn(&Area);
  if (FBackGround->Bitmap()->Empty()) {
    if (Gradient) DrawGradientRect(C, FBackGround->Color(), FBackGround->ColorTo(), 128, Fill, Display == bdGradientHorz);
  } else if (Display != bdTile) {
    DrawBackgroundBitmap(Fill);
  } else if (FBackGround->Cells() != bcFixed) {
    TRect T = Fill;
    if (FBackGround->Cells() == bcNormal) {
      const TRect First = CellRect(FixedCols(), FixedRows());
      if (!IsRectEmpty(First)) {
        T.Left = First.Left;
        T.Top = First.Top;
      }
    }
    OffsetRect(T, FXYOffset.X, FXYOffset.Y);
    TileBackgroundBitmap(T);
  }
  C->RestoreDC(SavedDC);
}

void TExStringGrid::DrawBackgroundBitmap(const TRect& R) {
  TBitmap* B = FBackGround->Bitmap();
  if (B->Empty()) return;
  const TRect Pic(FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + B->Width(),
                  FBackGround->Top() + B->Height());
  TRect Part;
  if (!IntersectRect(Part, Pic, R)) return;
  const TRect Src(Part.Left - Pic.Left, Part.Top - Pic.Top, Part.Right - Pic.Left, Part.Bottom - Pic.Top);
  Canvas()->CopyRect(Part, B->Canvas(), Src);
}

void TExStringGrid::TileBackgroundBitmap(const TRect& R) {
  TBitmap* B = FBackGround->Bitmap();
  if (B->Empty()) return;
  const Integer W = B->Width();
  const Integer H = B->Height();
  for (Integer Y = R.Top - 1; Y < R.Bottom; Y += H) {
    for (Integer X = R.Left - 1; X < R.Right; X += W) {
      const Integer CW = std::min(W, R.Right - X);
      const Integer CH = std::min(H, R.Bottom - Y);
      Canvas()->CopyRect(TRect(X, Y, X + CW, Y + CH), B->Canvas(), TRect(0, 0, CW, CH));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Rich text
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DrawRTFCell(Integer ACol, Integer ARow, TCanvas* ACanvas, TRect ARect) {
  if (HasState(csDesigning)) return;
  const String Plain = RichTextToPlain(GetCellEx(ACol, ARow));
  const TGridRect S = Selection();
  const Integer DCol = RealToDisplayCol(ACol);
  const bool InSelection = S.Left <= DCol && DCol <= S.Right && S.Top <= ARow && ARow <= S.Bottom;
  const bool FocusedCell = DCol == Col() && ARow == Row() && !Options().Contains(goDrawFocusSelected);
  const bool Selected = (InSelection && !FocusedCell) || RowSelect(ARow) || ColSelect(DCol);
  TColor SavedColor = ACanvas->Font()->Color();
  if (Selected && !FSelectionRTFKeep && FSelectionTextColor != clNone) ACanvas->Font()->SetColor(FSelectionTextColor);
  InflateRect(ARect, -FXYOffset.X, -FXYOffset.Y);
  DrawText(ACanvas, Plain, ARect, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
  ACanvas->Font()->SetColor(SavedColor);
}

// ---------------------------------------------------------------------------------------------
// Formatted cell text
// ---------------------------------------------------------------------------------------------

bool TExStringGrid::FormatsCellText(Integer) { return static_cast<bool>(OnGetFloatFormat); }

const String& TExStringGrid::FormattedCellRef(Integer ACol, Integer ARow, String& Scratch) {
  if (!FormatsCellText(ACol)) return CellExRef(ACol, ARow, Scratch);
  Scratch = GetFormattedCell(ACol, ARow);
  return Scratch;
}

String TExStringGrid::GetFormattedCell(Integer ACol, Integer ARow) {
  String Text = GetCellEx(ACol, ARow);
  if (!FormatsCellText(ACol)) return Text;
  const Integer Kind = ClassifyNumberText(Trim(Text));
  if (Kind != ntInteger && Kind != ntFloat && Kind != ntExponent) return Text;
  bool IsFloat = true;
  String Fmt = FFloatFormat;
  OnGetFloatFormat(this, ACol, ARow, IsFloat, Fmt);
  if (!IsFloat || Fmt.empty()) return Text;
  try {
    if (Pos(u"d", Fmt) > 0)
      return Format(Fmt, Ints(ACol, ARow));
    return Format(Fmt, Floats(ACol, ARow));
  } catch (const Exception&) {
    return Text;
  }
}

// ---------------------------------------------------------------------------------------------
// The cell painter
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DrawGridCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  // 1. The real column; the flat look has no 3D edges.
  SetCtl3D(!FFlat);
  const Integer RCol = DisplayToRealCol(ACol);
  TRect R = ARect;

  // 2. A cell with a scroll bar: a bar at the right edge, the text scrolled by its position.
  const Integer ScrollPos = DrawCellScrollBar(ACanvas, RCol, ARow, R);

  // 3. Colours, font, alignments, word wrap and gradient; the graphic's layout.
  TGridDrawState VState = AState;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = WordWrap();
  TCellGradientDirection GD = GradientVertical;
  GetVisualProperties(ACol, ARow, VState, false, false, true, ACanvas->Brush(), ColorTo, MirrorColor, MirrorColorTo,
                      ACanvas->Font(), HA, VA, WW, GD);
  TCellGraphicLayout Layout = GetCellGraphicLayout(RCol, ARow);
  if (ACol == 0 && Layout.Graphic && Layout.Graphic->CellType() == ctNode) {
    Integer Level = 0;
    if (HasCellProperties(0, ARow)) Level = GetCellProperties(0, ARow)->NodeLevel();
    Layout.Width = Level * 12 + 4;
  }

  // 4. Selected but not focused without a selection colour.
  const bool Selected = AState.Contains(gdSelected);
  if (Selected && !AState.Contains(gdFocused) && FSelectionColor == clNone) {
    ACanvas->Brush()->SetColor(clHighlight);
    ACanvas->FillRect(R);
  }

  // 5. Zoom; the colours the text layer may change are kept.
  ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  const TColor SavedBrush = ACanvas->Brush()->Color();
  const TColor SavedFont = ACanvas->Font()->Color();

  // 6. Fixed or normal.
  bool Fixed = false;
  IsFixedCell(RCol, ARow, Fixed);
  Fixed = Fixed || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
  if (Fixed && HoverRow() && ARow == HoverRowIdx() && HoverRowCells().Contains(hcFixed)) Fixed = false;

  // 8. Fixed-cell looks.
  if (Fixed) DrawFixedCellLook(ACanvas, ACol, RCol, ARow, R, ColorTo, MirrorColor, MirrorColorTo);

  // 9. The row indicator.
  const Integer IndicatorShift = DrawRowIndicator(ACanvas, ACol, ARow, R);

  // 10. ListView headers: a flat button face.
  if (FLook == glListView && Fixed && !FFlat) {
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom + 1);
    ACanvas->Brush()->SetColor(SavedBrush);
  }

  // 11. Modified marker.
  if (ACol == 0 && FShowModified && FShowModified->Enabled() && RowModified(DisplayRowToRealRow(ARow))) {
    ACanvas->Brush()->SetColor(FShowModified->Color());
    ACanvas->FillRect(TRect(R.Right - 4, R.Top, R.Right, R.Bottom));
    ACanvas->Brush()->SetColor(SavedBrush);
  }

  // 12. The application's background.
  if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, RCol, ARow, AState, R, false);

  // 13. Editor buttons drawn in every editable cell.
  const Integer SavedRight = R.Right;
  if (!Fixed) DrawAlwaysVisibleEditorButtons(ACanvas, RCol, ARow, R);

  // 14. A self-drawing object that asks to come first.
  TCellDrawer* Drawer = Layout.Graphic && Layout.Graphic->CellType() == ctInterface ? Layout.Graphic->Drawer() : nullptr;
  const bool DrawerFirst = Drawer && Drawer->DrawBeforeText();
  if (DrawerFirst) {
    TRect DR = R;
    InflateRect(DR, 1, 1);
    Drawer->Draw(ACanvas, DR, RCol, ARow, Selected, this);
  }

  // 15. The text.
  Integer TextWidth = 0;
  const bool SkipText = (Layout.Graphic && FNoImageAndText) || ((OnDrawCell || OnCustomCellDraw) && FNoDefaultDraw);
  if (!SkipText) DrawCellText(ACanvas, ACol, RCol, ARow, R, AState, Fixed, Layout, HA, VA, WW, ScrollPos, TextWidth);

  // 16. Colours back, the borders, the indicator's shift undone.
  R.Right = SavedRight;
  ACanvas->Brush()->SetColor(SavedBrush);
  ACanvas->Font()->SetColor(SavedFont);
  InflateRect(R, 1, 1);
  DrawCellBorders(ACanvas, RCol, ARow, R);
  R.Left -= IndicatorShift;

  // 17. The 3D edges of fixed cells.
  if (Fixed && !FFlat) DrawFixedCellEdges(ACanvas, R);

  // 18. Fixed right columns outside the classic look.
  if (FFixedRightCols > 0 && ACol >= ColCount() - FFixedRightCols && FLook != glClassic && !Ctl3D())
    DrawFixedRightColumnLines(ACanvas, R);

  // 19. The tree lines of node rows.
  if (ACol == 0) DrawNodeTreeLines(ACanvas, ARow, R);

  // 20. The cell graphic.
  if (Layout.Graphic && !DrawerFirst) {
    TRect GR = R;
    if (Fixed) GR.Top += 1;
    ACanvas->Brush()->SetColor(SavedBrush);
    DrawCellGraphic(ACanvas, GR, Layout, RCol, ARow, AState, TextWidth, HA, VA);
  }

  // 21. The application's drawing.
  if (OnDrawCell) {
    TRect DR(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth());
    OnDrawCell(this, RCol, ARow, DR, AState);
  }
  if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, RCol, ARow, AState, R, false);

  // 22. Focus rectangle.
  if (!FHideFocusRect && Focused() && !Options().Contains(goRowSelect)) DrawCellFocusRect(ACanvas, ACol, ARow, R);

  // 23. Real column numbers in the header at design time.
  if (ARow == 0 && FShowColNrs && DesignHelperShown()) DrawDesignColumnNumber(ACanvas, RCol, R);
}

Integer TExStringGrid::DrawCellScrollBar(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect& R) {
  if (GetCellType(RCol, ARow) != ctScrollbar) return 0;
  TCellGraphic* G = GetCellGraphic(RCol, ARow);
  if (!G || G->CellAngle() >= G->CellErrFrom()) return 0;
  const Integer BW = GetSystemMetrics(SM_CXVSCROLL);
  const TRect Bar(R.Right - BW, R.Top, R.Right, R.Bottom);
  ACanvas->Brush()->SetColor(0xF0F0F0);
  ACanvas->FillRect(Bar);
  TRect Up(Bar.Left, Bar.Top, Bar.Right, Bar.Top + std::min(BW, Bar.Height() / 2));
  TRect Down(Bar.Left, Bar.Bottom - Up.Height(), Bar.Right, Bar.Bottom);
  DrawFrameControl(ACanvas, Up, DFC_SCROLL, DFCS_SCROLLUP);
  DrawFrameControl(ACanvas, Down, DFC_SCROLL, DFCS_SCROLLDOWN);
  const Integer Track = Down.Top - Up.Bottom;
  const Integer Range = std::max(1, G->CellErrFrom());
  const Integer Thumb = std::max(6, Track * std::max(1, G->CellAngle()) / Range);
  const Integer Top = Up.Bottom + (Track - Thumb) * std::clamp(G->CellIndex(), 0, Range) / Range;
  TRect ThumbR(Bar.Left, Top, Bar.Right, Top + Thumb);
  DrawFrameControl(ACanvas, ThumbR, DFC_BUTTON, DFCS_BUTTONPUSH);
  R.Right -= BW;
  return G->CellIndex();
}

Integer TExStringGrid::DrawRowIndicator(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect& R) {
  if (!(ACol == 0 && ARow == Row() && TBaseGrid::FixedCols() > 0 && !FRowIndicator->Empty() &&
        !(RowCount() == TBaseGrid::FixedRows() && FFixedRowAlways)))
    return 0;
  const Integer BH = FRowIndicator->Height();
  Integer Y = R.Top;
  if (FVAlignment == vtaCenter) Y = R.Top + (R.Height() - BH) / 2;
  if (FVAlignment == vtaBottom) Y = R.Bottom - BH;
  TBitmap Work;
  Work.Assign(FRowIndicator);
  Work.SetTransparent(true);
  ACanvas->Draw(R.Left + 2, Y, &Work);
  const Integer Shift = FRowIndicator->Width() + 2;
  R.Left += Shift;
  return Shift;
}

void TExStringGrid::DrawAlwaysVisibleEditorButtons(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect& R) {
  if (!FControlLook->DropDownAlwaysVisible() && !FControlLook->SpinButtonsAlwaysVisible()) return;
  Byte Kind = FControlLook->FlatButton() ? bkFlat : (FIsWinXP ? bkThemed : bkClassic);
  if (FFlat && FTones.Background.BrushColor != clNone) Kind = bkTones;
  bool CanEdit = true;
  CanEditCell(RCol, ARow, CanEdit);
  const Byte State = CanEdit ? bsNormalState : bsDisabledState;
  if (FControlLook->DropDownAlwaysVisible() && HasComboBox(RCol, ARow)) {
    DrawComboButton(ACanvas, Handle(), TRect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), Kind, State, FTones);
    R.Right -= 16;
  }
  if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(RCol, ARow)) {
    DrawSpinButtons(ACanvas, Handle(), TRect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), Kind, State, FTones);
    R.Right -= 16;
  }
}

void TExStringGrid::DrawFixedCellEdges(TCanvas* ACanvas, const TRect& R) {
  const TGridOptions O = Options();
  const TColor Half = DimColorHalf(ColorToRGB(FixedColor()));
  auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
    ACanvas->Pen()->SetColor(Color);
    ACanvas->MoveTo(X1, Y1);
    ACanvas->LineTo(X2, Y2);
  };
  ACanvas->Pen()->SetWidth(1);
  switch (FLook) {
    case glClassic: {
      TRect E(R.Left + 1, R.Top + 1, R.Right, R.Bottom + 1);
      DrawEdge(ACanvas, E, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
      DrawEdge(ACanvas, E, BDR_RAISED, BF_RIGHT | BF_BOTTOM);
      ACanvas->Pen()->SetColor(clBlack);
      ACanvas->MoveTo(R.Right - 1, R.Top);
      ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
      ACanvas->LineTo(R.Left - 1, R.Bottom - 1);
      break;
    }
    case glNorv:
    case glXP:
      if (O.Contains(goFixedHorzLine)) {
        const Integer B = R.Bottom + 1;
        Line(R.Left, B - 1, R.Right - 1, B - 1, Half);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(R.Right - 2, R.Top + 1);
        ACanvas->LineTo(R.Left + 1, R.Top + 1);
        ACanvas->LineTo(R.Left + 1, B - 1);
      }
      break;
    case glSoft:
      if (Ctl3D()) {
        const Integer Ri = R.Right + 1;
        const Integer B = R.Bottom + 1;
        if (O.Contains(goFixedHorzLine)) {
          Line(R.Left, B - 1, Ri - 1, B - 1, Half);
          ACanvas->Pen()->SetColor(clWhite);
          ACanvas->MoveTo(Ri, R.Top + 1);
          ACanvas->LineTo(R.Left + 1, R.Top + 1);
          ACanvas->LineTo(R.Left + 1, B - 1);
        }
        if (O.Contains(goFixedVertLine)) {
          Line(Ri - 2, R.Top, Ri - 2, B - 1, Half);
          Line(Ri - 1, R.Top, Ri - 1, B - 1, clWhite);
        }
      } else {
        ACanvas->Pen()->SetColor(clBlack);
        if (O.Contains(goFixedHorzLine)) {
          Line(R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1, clBlack);
          Line(R.Left - 1, R.Bottom, R.Right + 1, R.Bottom, clBlack);
        }
        if (O.Contains(goFixedVertLine)) {
          Line(R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1, clBlack);
          Line(R.Right, R.Top - 1, R.Right, R.Bottom + 1, clBlack);
        }
      }
      break;
    default:
      break;
  }
}

void TExStringGrid::DrawFixedRightColumnLines(TCanvas* ACanvas, const TRect& R) {
  const TGridOptions O = Options();
  const TColor C = FFlat ? TColor(0x808080) : clBlack;
  ACanvas->Pen()->SetColor(C);
  ACanvas->Pen()->SetWidth(1);
  if (O.Contains(goFixedHorzLine)) {
    ACanvas->MoveTo(R.Left - 1, R.Top - 1);
    ACanvas->LineTo(R.Right + 1, R.Top - 1);
    ACanvas->MoveTo(R.Left - 1, R.Bottom);
    ACanvas->LineTo(R.Right + 1, R.Bottom);
  }
  if (O.Contains(goFixedVertLine)) {
    ACanvas->MoveTo(R.Left - 1, R.Top - 1);
    ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
    ACanvas->MoveTo(R.Right, R.Top - 1);
    ACanvas->LineTo(R.Right, R.Bottom + 1);
  }
}

void TExStringGrid::DrawCellFocusRect(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& R) {
  const TPoint B = BaseCell(ACol, ARow);
  if (!(B.X == Col() && B.Y == Row() && Col() >= TBaseGrid::FixedCols() && Row() >= TBaseGrid::FixedRows())) return;
  TRect FR = R;
  InflateRect(FR, GridLineWidth() - 1, GridLineWidth() - 1);
  FR.Right -= 1;
  FR.Bottom -= 1;
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->DrawFocusRect(FR);
}

void TExStringGrid::DrawDesignColumnNumber(TCanvas* ACanvas, Integer RCol, const TRect& R) {
  ACanvas->Font()->SetName(String());
  ACanvas->Font()->SetSize(8);
  ACanvas->Font()->SetStyle(TFontStyles());
  ACanvas->Font()->SetColor(0x808080);
  ACanvas->Brush()->SetStyle(bsClear);
  TRect NR(R.Left, R.Top, R.Right - 2, R.Bottom);
  DrawText(ACanvas, IntToStr(RCol), NR, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TExStringGrid::DrawFixedCellLook(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, TRect& R,
                                      TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo) {
  if (!(FLook == glNorv || FLook == glXP || FLook == glVista || FLook == glWin7 || FLook == glOffice2007)) return;
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();
  const bool Moving = FGridState == gsColMoving && FMoveIndex >= 0;
  bool Covered = FHoverFixedCells == hfAll || (FHoverFixedCells == hfFixedRows && ARow < FR) ||
                 (FHoverFixedCells == hfFixedColumns && ACol < FC);
  const bool IsHoverCell = !Moving && ACol == FHoverFixedX && ARow == FHoverFixedY;
  const bool IsMovingCol = Moving && ACol == FMoveIndex && ARow < FR;
  const bool Hot = Covered && (IsHoverCell || IsMovingCol) && !HasState(csDesigning);

  if (Hot) {
    TRect H = R;
    H.Bottom += 1;
    const bool Pressed = FMouseDown && !Moving;
    const bool DropButton = FControlLook->FixedDropDownButton() && CanShowFixedDropDown(RCol);
    auto Paint = [&](const TRect& Part, bool Down) {
      if (Down)
        DrawGradientBackground(ACanvas, Part, FNorvGradDownFrom, FNorvGradDownTo, FNorvGradDownMirrorFrom,
                               FNorvGradDownMirrorTo, true, FNorvGradDownBorder, false, true);
      else
        DrawGradientBackground(ACanvas, Part, FNorvGradHoverFrom, FNorvGradHoverTo, FNorvGradHoverMirrorFrom,
                               FNorvGradHoverMirrorTo, true, FNorvGradHoverBorder, false, true);
    };
    if (!Pressed) {
      Paint(H, false);
    } else if (DropButton) {
      const TRect Button(H.Right - 16, H.Top, H.Right, H.Bottom);
      const TRect Rest(H.Left, H.Top, H.Right - 16, H.Bottom);
      Paint(Button, FDropDownDown);
      Paint(Rest, !FDropDownDown);
    } else {
      Paint(H, true);
    }
    if (DropButton) {
      ACanvas->Pen()->SetWidth(1);
      ACanvas->Pen()->SetColor(Pressed ? FNorvGradDownBorder : FNorvGradHoverBorder);
      ACanvas->MoveTo(R.Right - 16, R.Top);
      ACanvas->LineTo(R.Right - 16, R.Bottom);
      DrawDownTriangle(ACanvas, R.Right - 8, R.Top + 8, clBlack);
      R.Right -= 16;
    }
    return;
  }

  if (FActiveCellShow && ((ARow == Row() && ACol == FC - 1 && FC > 0) || (ACol == Col() && ARow == FR - 1 && FR > 0))) {
    DrawGradientBackground(ACanvas, R, FActiveCellColor, FActiveCellColorTo, clNone, clNone, true, clNone, false, true);
    return;
  }

  if (FSortSettings->Column() >= 0 && FSortSettings->HeaderColor() != clNone && RCol == FSortSettings->Column() &&
      ARow == FR - 1 && (ACol >= FC || FSortSettings->SortFixedCols())) {
    DrawGradientBackground(ACanvas, R, FSortSettings->HeaderColor(), FSortSettings->HeaderColorTo(),
                           FSortSettings->HeaderMirrorColor(), FSortSettings->HeaderMirrorColorTo(), true, clNone,
                           false, true);
    return;
  }

  if (!FFlat)
    DrawGradientBackground(ACanvas, R, ACanvas->Brush()->Color(), ColorTo, MirrorColor, MirrorColorTo, true,
                           FLook == glVista ? clWhite : clNone, true, true);
}

void TExStringGrid::DrawCellBorders(TCanvas* ACanvas, Integer RCol, Integer ARow, TRect R) {
  TPen Saved;
  Saved.Assign(ACanvas->Pen());
  TCellBorders Borders;
  GetCellBorder(RCol, ARow, ACanvas->Pen(), Borders);
  TPen Left, Top, Right, Bottom;
  Left.Assign(ACanvas->Pen());
  Top.Assign(ACanvas->Pen());
  Right.Assign(ACanvas->Pen());
  Bottom.Assign(ACanvas->Pen());
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, RCol, &Left, &Top, &Right, &Bottom);
  if (!Borders.Empty()) {
    const Integer Half = (ACanvas->Pen()->Width() + 1) / 2;
    const TRect Before = R;
    if (Options().Contains(goVertLine)) {
      R.Left += Half;
      R.Right -= Half;
    }
    if (Options().Contains(goHorzLine)) {
      R.Top += Half;
      R.Bottom -= Half;
    }
    const Integer LW = GridLineWidth();
    if (Borders.Contains(cbLeft)) {
      ACanvas->SetPen(&Left);
      ACanvas->MoveTo(std::max(0, R.Left), Before.Top);
      ACanvas->LineTo(std::max(0, R.Left), R.Bottom);
    }
    if (Borders.Contains(cbRight)) {
      ACanvas->SetPen(&Right);
      ACanvas->MoveTo(R.Right - 1, Before.Top);
      ACanvas->LineTo(R.Right - 1, R.Bottom);
    }
    if (Borders.Contains(cbTop)) {
      ACanvas->SetPen(&Top);
      const Integer Y = LW == 0 ? R.Top + 1 : std::max(0, R.Top - LW);
      ACanvas->MoveTo(R.Left, Y);
      ACanvas->LineTo(R.Right, Y);
    }
    if (Borders.Contains(cbBottom)) {
      ACanvas->SetPen(&Bottom);
      ACanvas->MoveTo(R.Left - LW - 1, R.Bottom - 1);
      ACanvas->LineTo(R.Right, R.Bottom - 1);
    }
  }
  ACanvas->SetPen(&Saved);
}

void TExStringGrid::DrawCellText(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, TRect R,
                                 TGridDrawState AState, bool Fixed, const TCellGraphicLayout& Layout, TAlignment HA,
                                 TVAlignment VA, bool WW, Integer ScrollPos, Integer& TextWidth) {
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();
  const Integer LW = GridLineWidth();
  TColor URLCol = FURLColor;
  const TColor SavedBrush = ACanvas->Brush()->Color();
  const TColor SavedFont = ACanvas->Font()->Color();

  // 1. Selection colours.
  const TGridRect Sel = Selection();
  const bool RowSelected = Options().Contains(goRowSelect) && Sel.Top <= ARow && ARow <= Sel.Bottom &&
                           ACol >= FC && ACol < ColCount() - FFixedRightCols;
  const bool Selected = (AState.Contains(gdSelected) || RowSelected) && !Fixed;
  if (Selected) {
    if (FShowSelection) {
      if (FSelectionColor != clNone) ACanvas->Brush()->SetColor(FSelectionColor);
      if (Enabled() && FSelectionTextColor != clNone) {
        ACanvas->Font()->SetColor(FSelectionTextColor);
        URLCol = FSelectionTextColor;
      }
    } else if (!Focused() || HasCheckBox(RCol, ARow)) {
      ACanvas->Brush()->SetColor(SavedBrush);
      ACanvas->Font()->SetColor(SavedFont);
    }
  }

  // 2. The text as shown.
  String Text = GetFormattedCell(RCol, ARow);
  Integer Kind = GetCellTextKind(Text, FEnableHTML);
  if (Kind == ctkFormula) {
    Text = GetCellText(RCol, ARow);
    Kind = GetCellTextKind(Text, FEnableHTML);
  }
  if (Kind == ctkUnicode) Text = DecodeUnicodeText(Text);
  Integer ErrPos = 0, ErrLen = 0;
  GetMarker(RCol, ARow, ErrPos, ErrLen);
  bool Password = false;
  IsPasswordCell(RCol, ARow, Password);
  if (Password) FillChars(Text, FPasswordChar);

  // 3. The text rectangle.
  TRect TR = R;
  if (Fixed) {
    TR.Left += LW;
    TR.Top += LW;
  }
  Integer SavedDC = 0;
  if (ScrollPos > 0) {
    SavedDC = ACanvas->SaveDC();
    ACanvas->IntersectClipRect(R);
    TR.Top -= ScrollPos;
  }

  // 4. The filter button.
  const bool FilterButton = ARow == FFilterRow && FFilter && BuildFilterList(RCol);
  if (FilterButton) DrawFilterButton(ACanvas, RCol, TR);

  // 5. Disjunct selection: unselected rows and columns in their own colours.
  if (!Fixed && !FMouseDown &&
      ((FMouseActions->DisjunctRowSelect() && !RowSelect(ARow)) || (FMouseActions->DisjunctColSelect() && !ColSelect(ACol)))) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Font()->SetColor(Font()->Color());
    URLCol = FURLColor;
    GetCellColor(RCol, ARow, AState, ACanvas->Brush(), ACanvas->Font());
    ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  }

  const bool OwnColor = HasCellProperties(RCol, ARow) && GetCellProperties(RCol, ARow)->BrushColor() != clNone;
  const TBackGroundCells BC = FBackGround->Cells();
  const bool KindMatches = BC == bcAll || (BC == bcNormal && !Fixed) || (BC == bcFixed && Fixed);
  TCellType CT = Layout.Graphic ? Layout.Graphic->CellType() : ctEmpty;

  // 6. The background picture per cell.
  if (!FBackGround->Bitmap()->Empty() && !OwnColor && KindMatches && !(Selected && FShowSelection))
    DrawCellBackgroundPicture(ACanvas, ACol, ARow, R);

  // 7. The background gradient per cell.
  const TBackGroundDisplay BD = FBackGround->Display();
  if ((BD == bdGradientHorz || BD == bdGradientVert) && FBackGround->ColorTo() != clNone &&
      (!OwnColor || CT == ctCheckBox || CT == ctDataCheckBox || CT == ctRadio || CT == ctButton ||
       CT == ctRadioButton) &&
      KindMatches && (!Selected || !FShowSelection))
    DrawCellBackgroundGradient(ACanvas, R);

  // 8. The selection rectangle.
  if (FSelectionRectangle && !Fixed) DrawSelectionRectangle(ACanvas, ACol, RCol, ARow, R, Sel);

  // 9. The text itself.
  if (Layout.DrawText) {
    PlaceCellTextRect(TR, Layout, ACol, ARow, CT);

    const bool SortHeader = FR > 0 && IsSortIndicatorRow(RCol, ARow) && (ACol >= FC || FSortSettings->SortFixedCols()) &&
                            (RCol == FSortSettings->Column() || FSortIndexes->FindIndex(RCol) >= 0);
    const bool SortGlyph =
        SortHeader && (FSortIndexes->FindIndex(RCol) <= 0 || FSortSettings->IndexShow());
    auto GlyphY = [&](const TRect& Box) {
      if (VA == vtaCenter) return Box.Top + Box.Height() / 2;
      if (VA == vtaBottom) return Box.Bottom - 8;
      return Box.Top + 8;
    };

    ACanvas->Brush()->SetStyle(bsClear);
    if (Kind == ctkHtml) {
      TRect HR = TR;
      if (FilterButton) HR.Right -= 18;
      HR.Left -= 1;
      if (SortHeader) HR.Right -= 10;
      TextWidth = DrawCellHtmlText(ACanvas, ACol, RCol, ARow, Text, HR, URLCol, WW);
      if (SortGlyph) DrawSortIndicator(ACanvas, RCol, HR.Right + 2, GlyphY(HR));
    } else if (Kind == ctkRichText) {
      ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
      if (!(Selected && !Focused() && FSelectionColor == clNone)) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->FillRect(R);
      }
      ACanvas->Brush()->SetStyle(bsClear);
      DrawRTFCell(RCol, ARow, ACanvas, R);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->Font()->SetColor(clBlack);
    } else {
      if (FilterButton) TR.Right -= 16;
      TextWidth = DrawCellPlainText(ACanvas, RCol, Text, TR, CT, Layout, HA, VA, WW, SortGlyph, URLCol, ErrPos, ErrLen);
    }
    ACanvas->Brush()->SetStyle(bsSolid);
  }

  // 10. The scroll clip.
  if (ScrollPos > 0) ACanvas->RestoreDC(SavedDC);
}

void TExStringGrid::DrawCellBackgroundPicture(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& R) {
  const Integer LW = GridLineWidth();
  const TBackGroundCells BC = FBackGround->Cells();
  TBitmap* B = FBackGround->Bitmap();
  TRect BR(R.Left - (LW - 1), R.Top - (LW - 1), R.Right, R.Bottom);
  if (FBackGround->Display() == bdTile) {
    Integer OX = 0, OY = 0;
    const Integer FirstC = BC == bcNormal ? TBaseGrid::FixedCols() : 0;
    const Integer FirstR = BC == bcNormal ? TBaseGrid::FixedRows() : 0;
    for (Integer c = FirstC; c < ACol; ++c) OX += ColWidths(c);
    for (Integer r = FirstR; r < ARow; ++r) OY += RowHeights(r);
    OX %= B->Width();
    OY %= B->Height();
    const Integer SavedTile = ACanvas->SaveDC();
    ACanvas->IntersectClipRect(BR);
    for (Integer Y = BR.Top - OY; Y < BR.Bottom; Y += B->Height())
      for (Integer X = BR.Left - OX; X < BR.Right; X += B->Width()) ACanvas->Draw(X, Y, B);
    ACanvas->RestoreDC(SavedTile);
  } else {
    const TRect Pic(FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + B->Width(),
                    FBackGround->Top() + B->Height());
    TRect Part;
    if (IntersectRect(Part, Pic, BR))
      ACanvas->CopyRect(Part, B->Canvas(),
                        TRect(Part.Left - Pic.Left, Part.Top - Pic.Top, Part.Right - Pic.Left, Part.Bottom - Pic.Top));
  }
}

void TExStringGrid::DrawCellBackgroundGradient(TCanvas* ACanvas, const TRect& R) {
  const Integer LW = GridLineWidth();
  const TRect GR(R.Left - 1, R.Top - LW, R.Right, R.Bottom + LW - 1);
  const bool Horz = FBackGround->Display() == bdGradientHorz;
  const Integer Total = Horz ? std::max(1, Width()) : std::max(1, Height());
  const TColor From = InterpolateColor(FBackGround->Color(), FBackGround->ColorTo(), 0, Total, Horz ? GR.Left : GR.Top);
  const TColor To = InterpolateColor(FBackGround->Color(), FBackGround->ColorTo(), 0, Total, Horz ? GR.Right : GR.Bottom);
  DrawGradientRect(ACanvas, From, To, 128, GR, Horz);
}

void TExStringGrid::DrawSelectionRectangle(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, const TRect& R,
                                           const TGridRect& Sel) {
  const Integer LW = GridLineWidth();
  TGridRect S = Sel;
  const TPoint B = BaseCell(RCol, ARow);
  if (IsMergedCell(RCol, ARow)) {
    const Integer BD2 = RealToDisplayCol(B.X);
    if (S.Left <= BD2 && BD2 <= S.Right && S.Top <= B.Y && B.Y <= S.Bottom) S = TGridRect{ACol, ARow, ACol, ARow};
  }
  if (!(S.Left <= ACol && ACol <= S.Right && S.Top <= ARow && ARow <= S.Bottom)) return;
  ACanvas->Pen()->SetColor(FSelectionRectangleColor);
  ACanvas->Pen()->SetWidth(2);
  if (ACol == S.Left) {
    ACanvas->MoveTo(R.Left - LW + 1, R.Top);
    ACanvas->LineTo(R.Left - LW + 1, R.Bottom);
  }
  if (ACol == S.Right) {
    ACanvas->MoveTo(R.Right - 1, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Bottom);
  }
  if (ARow == S.Top) {
    ACanvas->MoveTo(R.Left, R.Top - LW + 1);
    ACanvas->LineTo(R.Right, R.Top - LW + 1);
  }
  if (ARow == S.Bottom) {
    ACanvas->MoveTo(R.Left, R.Bottom);
    ACanvas->LineTo(R.Right, R.Bottom);
  }
  if (FSelectionResizer && ACol == S.Right && ARow == S.Bottom) {
    const TRect CR = CellRect(ACol, ARow);
    ACanvas->Brush()->SetColor(FSelectionRectangleColor);
    ACanvas->FillRect(TRect(R.Right - 4, R.Bottom - 4, CR.Right, CR.Bottom));
  }
  ACanvas->Pen()->SetWidth(1);
}

Integer TExStringGrid::DrawCellHtmlText(TCanvas* ACanvas, Integer ACol, Integer RCol, Integer ARow, const String& Text,
                                        const TRect& HR, TColor URLCol, bool WW) {
  String Anchor, Plain, FocusAnchor, Title, CID, CV, CT2;
  Integer XSize = 0, YSize = 0, Links = 0, HitIdx = 0;
  TRect AR, CR;
  const bool Hovered = FHoverCell.X == ACol && FHoverCell.Y == ARow;
  DrawHtmlText(ACanvas, Text, HR, GetCellImageList(RCol, ARow), 0, 0, -1, Hovered ? FHoverlink : -1, 1, false, false,
               false, false, !FGridBlink, FURLUnderlineOnHover, WW, FCtrlDown, 1.0, URLCol, clNone, clNone, 0x808080,
               Anchor, Plain, FocusAnchor, Title, XSize, YSize, Links, HitIdx, AR, CR, CID, CV, CT2, FImageCache,
               FContainer, Handle(), bdHtmlLeftToRight);
  return XSize + 2;
}

Integer TExStringGrid::DrawCellPlainText(TCanvas* ACanvas, Integer RCol, String Text, TRect& TR, TCellType CT,
                                         const TCellGraphicLayout& Layout, TAlignment HA, TVAlignment VA, bool WW,
                                         bool SortGlyph, TColor URLCol, Integer ErrPos, Integer ErrLen) {
  Integer TextWidth = 0;
  if (SortGlyph && HA == taCenter) TR.Left += 10;
  bool Url = false;
  if (FURLShow && IsUrl(Text)) {
    Url = true;
    if (!FURLFull) StripUrlScheme(Text);
    ACanvas->Font()->SetStyle(ACanvas->Font()->Style() << fsUnderline);
    ACanvas->Font()->SetColor(URLCol);
  }
  String Shown;
  Cardinal Flags = PlainTextFlags(Text, WW, FMultilineCells, FEnhTextSize, HA, VA, Shown);
  FVAlign = VA == vtaCenter ? DT_VCENTER : (VA == vtaBottom ? DT_BOTTOM : DT_TOP);
  // The text is measured only where a graphic or the sort glyph is placed beside it.
  if (Layout.Graphic || SortGlyph) {
    TRect M = TR;
    DrawText(ACanvas, Shown, M, Flags | DT_CALCRECT);
    TextWidth = M.Width() + 2;
  }
  DrawText(ACanvas, Shown, TR, Flags);
  if (ErrLen > 0 && (CT == ctEmpty || CT == ctValue)) DrawErrorUnderline(this, ACanvas, Shown, TR, 0, ErrPos, ErrLen);
  if (SortGlyph) {
    Integer W = std::max(0, std::min(TR.Right - TR.Left - 16, TextWidth - 2));
    Integer X;
    if (HA == taRightJustify)
      X = TR.Right - W - 10;
    else if (HA == taCenter)
      X = TR.Left + 8;
    else
      X = TR.Left + W + 10;
    const Integer Y = VA == vtaCenter ? TR.Top + TR.Height() / 2 : VA == vtaBottom ? TR.Bottom - 8 : TR.Top + 8;
    DrawSortIndicator(ACanvas, RCol, X, Y);
  }
  if (Url) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() >> fsUnderline);
  return TextWidth;
}

void TExStringGrid::PlaceCellTextRect(TRect& TR, const TCellGraphicLayout& Layout, Integer ACol, Integer ARow,
                                      TCellType CT) {
  if (!FXYOffsetTopLeftOnly) TR.Right -= FXYOffset.X;
  TR.Left += FXYOffset.X;
  TR.Top += FXYOffset.Y;
  switch (Layout.HAlign) {
    case haBeforeText: TR.Left += Layout.Width; break;
    case haAfterText: TR.Right -= Layout.Width; break;
    default: break;
  }
  switch (Layout.VAlign) {
    case vaAboveText: TR.Top += Layout.Height; break;
    case vaUnderText: TR.Bottom -= Layout.Height; break;
    default: break;
  }
  if (ACol == 0 && HasNodes() && CT != ctNode) TR.Left += GetRowIndent(ARow);
}

void TExStringGrid::DrawFilterButton(TCanvas* ACanvas, Integer RCol, const TRect& TR) {
  TBitmap* Glyph = FFilter->HasFilter(RCol) ? FFilterDropDown->GlyphActive() : FFilterDropDown->Glyph();
  if (Glyph && !Glyph->Empty())
    DrawBitmapTransparent(ACanvas, Glyph, ACanvas->Brush()->Color(), TRect(TR.Right - 16, TR.Top, TR.Right, TR.Top + 16));
  else
    DrawResourceBitmap(ACanvas, FixedColor(), TRect(TR.Right - 16, TR.Top, TR.Right, TR.Top + 16), u"ESGFILT");
}
