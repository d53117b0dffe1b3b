// TExStringGrid: measuring a cell's graphic for the painter's layout and drawing it inside the cell:
// bitmaps, icons, images, check boxes and radio buttons in the seven control styles, radio groups,
// rotated text, node buttons, pictures, progress bars, comments, push buttons, ratings and shapes.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExUtil.h"

double ClampPercent(double X) { return std::clamp(X, 0.0, 100.0); }

namespace {

// The number a cell holds, 0 when its text is not one.
double CellNumber(const String& Text) {
  double V = 0;
  const String N = NormalizeNumberText(Text);
  if (N.empty()) return 0;
  TFormatSettings FS = FormatSettings;
  FS.DecimalSeparator = u'.';
  if (!TryStrToFloat(N, V, FS)) return 0;
  return V;
}

void DrawTransparentResource(TCanvas* ACanvas, Integer X, Integer Y, const String& Name) {
  TBitmap B;
  B.LoadFromResourceName(Name);
  B.SetTransparent(true);
  ACanvas->Draw(X, Y, &B);
}

void DrawTransparentBitmap(TCanvas* ACanvas, Integer X, Integer Y, TBitmap* Glyph) {
  if (!Glyph || Glyph->Empty()) return;
  TBitmap B;
  B.Assign(Glyph);
  B.SetTransparent(true);
  ACanvas->Draw(X, Y, &B);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------------

TExStringGrid::TCellGraphicLayout TExStringGrid::GetCellGraphicLayout(Integer ACol, Integer ARow) {
  TCellGraphicLayout L;
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return L;
  L.Graphic = G;
  L.HAlign = G->CellHAlign();
  L.VAlign = G->CellVAlign();
  const Integer Check = FControlLook->CheckSize();
  switch (G->CellType()) {
    case ctBitmap:
      if (TBitmap* B = G->Bitmap()) {
        L.Width = B->Width();
        L.Height = B->Height();
      }
      break;
    case ctIcon:
      if (G->CellIcon()) {
        L.Width = G->CellIcon()->Width();
        L.Height = G->CellIcon()->Height();
      }
      break;
    case ctImageList:
    case ctDataImage:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        L.Width = IL->Width();
        L.Height = IL->Height();
      }
      L.DrawText = G->CellType() == ctImageList;
      break;
    case ctCheckBox:
    case ctTriStateCheckBox:
      L.Width = L.Height = Check;
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      L.Width = L.Height = Check;
      L.DrawText = false;
      break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
      L.DrawText = false;
      break;
    case ctImages:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        const Integer N = G->IntList() ? G->IntList()->Count() : 0;
        if (G->CellBoolean()) {
          L.Width = N * IL->Width();
          L.Height = IL->Height();
        } else {
          L.Width = IL->Width();
          L.Height = N * IL->Height();
        }
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TPoint S = CellSize(RealToDisplayCol(ACol), ARow);
      const TPoint P = G->GetPictureSize(S.X, S.Y, true);
      L.Width = P.X;
      L.Height = P.Y;
      break;
    }
    case ctButton:
    case ctBitButton:
      L.Width = G->ButtonWidth();
      L.Height = G->ButtonHeight();
      break;
    case ctProgressPie:
      L.Width = L.Height = 20;
      break;
    case ctInterface:
      if (TCellDrawer* D = G->Drawer()) {
        L.Width = D->GetWidth();
        L.Height = D->GetHeight();
      }
      break;
    case ctRadioButton:
      L.Width = L.Height = FControlLook->RadioSize() + 4;
      break;
    case ctShape:
      L.Width = L.Height = RowHeights(ARow) - 2 * FXYOffset.Y;
      break;
    case ctRating:
      L.Width = G->CellAngle() * 18;
      L.Height = 16;
      L.DrawText = false;
      break;
    default:
      break;
  }
  return L;
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DrawCellGraphic(TCanvas* ACanvas, TRect R, const TCellGraphicLayout& Layout, Integer RCol,
                                    Integer ARow, TGridDrawState AState, Integer TextWidth, TAlignment HA,
                                    TVAlignment VA) {
  TCellGraphic* G = Layout.Graphic;
  if (!G) return;
  const TCellType CT = G->CellType();
  const TRect Cell = R;
  if (CT != ctNode && CT != ctProgress && CT != ctRangeIndicator && CT != ctXPProgress)
    InflateRect(R, -(FXYOffset.X - 1), -(FXYOffset.Y - 1));
  const Integer W = Layout.Width;
  const Integer H = Layout.Height;
  const Integer T = TextWidth > 0 ? TextWidth + 2 : 0;
  const Integer RW = R.Right - R.Left;
  const Integer RH = R.Bottom - R.Top;

  // The graphic's rectangle by its placement.
  TRect GR = R;
  switch (static_cast<TCellHAlign>(Layout.HAlign)) {
    case haLeft: GR.Left = R.Left + 1; break;
    case haRight: GR.Left = R.Right - 1 - W; break;
    case haCenter: GR.Left = W < RW ? R.Left + (RW - W) / 2 : R.Left + 1; break;
    case haBeforeText:
      if (HA == taRightJustify) GR.Left = R.Right - T - W;
      else if (HA == taCenter) GR.Left = std::max(R.Left + 1, R.Left + (RW - T - W) / 2);
      else GR.Left = R.Left + 1;
      break;
    case haAfterText:
      if (HA == taRightJustify) GR.Left = R.Right - 1 - W;
      else if (HA == taCenter) GR.Left = std::max(R.Left + 1, R.Left + T + (RW - T - W) / 2);
      else GR.Left = R.Left + T;
      break;
    case haFull: break;
  }
  if (Layout.HAlign != haFull) GR.Right = GR.Left + W;

  Byte VAl = Layout.VAlign;
  const bool CheckKind = CheckBoxCellTypes.Contains(CT) || CT == ctRadioButton;
  if (CheckKind && VA != FVAlignment) VAl = VA == vtaTop ? vaTop : (VA == vtaCenter ? vaCenter : vaBottom);
  switch (static_cast<TCellVAlign>(VAl)) {
    case vaTop:
    case vaAboveText: GR.Top = R.Top + 1; GR.Bottom = GR.Top + H; break;
    case vaBottom: GR.Top = R.Bottom - 1 - H; GR.Bottom = GR.Top + H; break;
    case vaCenter: GR.Top = H < RH ? R.Top + (RH - H) / 2 : R.Top + 1; GR.Bottom = GR.Top + H; break;
    case vaUnderText: GR.Top = R.Bottom - H; GR.Bottom = R.Bottom; break;
    case vaFull: break;
  }

  // The place of check boxes and radio buttons follows the cell's text alignment.
  auto PlaceCheck = [&](TRect& Box) {
    const bool NoText = CT == ctDataCheckBox || CT == ctVirtCheckBox || CT == ctRowCheckBox;
    const Integer TT = NoText ? 0 : T;
    if (HA == taRightJustify)
      Box.Left = R.Right - TT - W - 1;
    else if (HA == taCenter)
      Box.Left = TT == 0 ? R.Left + std::max(0, R.Right - W - R.Left) / 2
                         : R.Left + std::max(0, R.Right - TT - R.Left) / 2 - W;
    else
      Box.Left = R.Left + 1;
    Box.Left = std::max(Box.Left, R.Left + 1);
    Box.Right = Box.Left + W;
  };
  auto CanEdit = [&]() {
    bool Allow = true;
    CanEditCell(RCol, ARow, Allow);
    return Allow;
  };
  const Byte Style = FControlLook->ControlStyle();

  switch (CT) {
    case ctBitmap:
      if (TBitmap* B = G->Bitmap()) {
        if (G->CellTransparent())
          DrawTransparentBitmap(ACanvas, GR.Left, GR.Top, B);
        else
          ACanvas->Draw(GR.Left, GR.Top, B);
      }
      break;
    case ctIcon:
      if (G->CellIcon()) ACanvas->Draw(GR.Left, GR.Top, G->CellIcon());
      break;
    case ctImageList:
      if (TImageList* IL = GetCellImageList(RCol, ARow)) IL->Draw(ACanvas, GR.Left, GR.Top, G->CellIndex(), true);
      break;
    case ctDataImage:
      if (TImageList* IL = GetCellImageList(RCol, ARow)) {
        const Integer Index = static_cast<Integer>(CellNumber(GetCellEx(RCol, ARow))) + G->CellIndex();
        if (Index >= 0 && Index < IL->Count()) IL->Draw(ACanvas, GR.Left, GR.Top, Index, true);
      }
      break;
    case ctImages:
      if (TImageList* IL = GetCellImageList(RCol, ARow)) {
        if (TIntList* L = G->IntList()) {
          Integer X = GR.Left, Y = GR.Top;
          for (Integer I = 0; I < L->Count(); ++I) {
            IL->Draw(ACanvas, X, Y, L->Items(I), true);
            if (G->CellBoolean())
              X += IL->Width();
            else
              Y += IL->Height();
          }
        }
      }
      break;
    case ctCheckBox:
    case ctRowCheckBox:
      PlaceCheck(GR);
      DrawCheckBox(ACanvas, GR, G->CellBoolean(), CanEdit(), G->CellAngle() > 0, Style, false, cbUnchecked);
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      PlaceCheck(GR);
      String True;
      GetCheckTrue(RCol, ARow, True);
      DrawCheckBox(ACanvas, GR, GetCellEx(RCol, ARow) == True, CanEdit(), false, Style, false, cbUnchecked);
      break;
    }
    case ctTriStateCheckBox:
      PlaceCheck(GR);
      DrawCheckBox(ACanvas, GR, G->CellCheckBoxState() == cbChecked, CanEdit(), G->CellAngle() > 0, Style, true,
                   G->CellCheckBoxState());
      break;
    case ctRadioButton: {
      PlaceCheck(GR);
      GR.Left += FXYOffset.X;
      const Integer S = FControlLook->RadioSize();
      GR.Right = GR.Left + S;
      GR.Bottom = GR.Top + S;
      TStringList None;
      DrawRadioGroup(ACanvas, GR, 1, G->CellBoolean() ? 0 : -2, false, !CanEdit(), &None,
                     AState.Contains(gdSelected), RCol, ARow, Style, 1.0, false);
      break;
    }
    case ctRadio:
      DrawRadioGroup(ACanvas, R, G->Strings() ? G->Strings()->Count() : G->CellAngle(), G->CellIndex(),
                     G->CellBoolean(), !CanEdit(), G->Strings(), AState.Contains(gdSelected), RCol, ARow, Style, 1.0,
                     false);
      break;
    case ctRotated: {
      TRect TR = Cell;
      const String Text = GetCellEx(RCol, ARow);
      PlaceRotatedCellText(ACanvas, TR, G->CellAngle(), Text, HA, VA);
      const TRect Clip = [&] {
        TRect C = Cell;
        InflateRect(C, -2, -2);
        return C;
      }();
      const Integer SavedDC = ACanvas->SaveDC();
      ACanvas->IntersectClipRect(Clip);
      ACanvas->Font()->SetOrientation(G->CellAngle() * 10);
      ACanvas->Brush()->SetStyle(bsClear);
      ACanvas->TextOut(TR.Left, TR.Top, Text);
      ACanvas->Font()->SetOrientation(0);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->RestoreDC(SavedDC);
      if (TBaseGrid::FixedRows() > 0 && IsSortIndicatorRow(RCol, ARow) && RCol == FSortSettings->Column())
        DrawSortIndicator(ACanvas, RCol, Cell.Right - 10, Cell.Top + 8);
      break;
    }
    case ctNode:
      DrawNodeButton(ACanvas, Cell, G, RCol, ARow, AState);
      break;
    case ctPicture:
      if (TPicture* P = G->Picture()) {
        if (P->Graphic() && !P->Graphic()->Empty()) {
          if (G->CellAngle() != 0) {
            ACanvas->StretchDraw(GR, P->Graphic());
          } else {
            P->Graphic()->SetTransparent(G->CellTransparent());
            ACanvas->Draw(GR.Left, GR.Top, P->Graphic());
          }
        }
      }
      break;
    case ctFilePicture:
      if (TFilePicture* P = G->FilePicture()) P->DrawPicture(ACanvas, GR);
      break;
    case ctProgress: {
      TRect PR = Cell;
      InflateRect(PR, -2, -2);
      const TColor Bar = G->CellBitmapColor();
      const TColor Back = G->CellIconColor();
      const TColor OnBar = G->CellBoolean() ? TColor(G->CellIndex()) : (ColorToRGB(Bar) ^ 0xFFFFFF);
      const TColor OnBack = G->CellBoolean() ? TColor(G->CellAngle()) : (ColorToRGB(Back) ^ 0xFFFFFF);
      DrawProgress(ACanvas, PR, Bar, OnBar, Back, OnBack, CellNumber(GetCellEx(RCol, ARow)),
                   FControlLook->ProgressMarginX(), FControlLook->ProgressMarginY(), G->CellErrFrom(), G->CellErrLen(),
                   G->CellText(), FControlLook->ProgressBorderColor(), false);
      break;
    }
    case ctComment:
      if (FControlLook->CommentColor() != clNone) {
        const TColor C = G->CellAngle() != clNone ? TColor(G->CellIndex()) : FControlLook->CommentColor();
        ACanvas->Brush()->SetColor(C);
        ACanvas->Pen()->SetColor(C);
        const TPoint P[] = {{Cell.Right - 7, Cell.Top}, {Cell.Right - 2, Cell.Top}, {Cell.Right - 2, Cell.Top + 5}};
        ACanvas->Polygon(P, 3);
        ACanvas->Brush()->SetColor(Color());
      }
      break;
    case ctButton:
    case ctBitButton:
    case ctExpand: {
      TRect BR = GR;
      if (CT == ctExpand) BR = TRect(Cell.Right - 13, Cell.Top, Cell.Right, Cell.Top + 13);
      const TRect CR = CellRect(RealToDisplayCol(RCol), ARow);
      G->SetCellValue(static_cast<double>(((BR.Top - CR.Top) & 0xFFFF) * 65536 + ((BR.Left - CR.Left) & 0xFFFF)));
      const TColor SavedBrush = ACanvas->Brush()->Color();
      bool Enabled = true;
      if (!FControlLook->NoDisabledButtonLook()) Enabled = CanEdit();
      Byte Kind = FControlLook->FlatButton() ? bkFlat : (FIsWinXP ? bkThemed : bkClassic);
      if (FFlat && FTones.Background.BrushColor != clNone) Kind = bkTones;
      Byte State = bsNormalState;
      if (G->CellBoolean())
        State = bsDownState;
      else if (FHoverButton.X == RealToDisplayCol(RCol) && FHoverButton.Y == ARow)
        State = bsHotState;
      if (!Enabled && CT != ctExpand) State = bsDisabledState;
      DrawCellButton(ACanvas, Handle(), BR, Kind, State, FTones);
      if (State == bsDownState) OffsetRect(BR, 1, 1);
      if (CT == ctExpand) {
        ACanvas->Pen()->SetColor(clBlack);
        ACanvas->Pen()->SetWidth(1);
        if (G->CellVar() != 0) {
          ACanvas->MoveTo(BR.Right - 10, BR.Top + 8);
          ACanvas->LineTo(BR.Right - 7, BR.Top + 5);
          ACanvas->LineTo(BR.Right - 3, BR.Top + 9);
        } else {
          ACanvas->MoveTo(BR.Right - 10, BR.Top + 5);
          ACanvas->LineTo(BR.Right - 7, BR.Top + 8);
          ACanvas->LineTo(BR.Right - 3, BR.Top + 4);
        }
        ACanvas->Brush()->SetColor(SavedBrush);
        break;
      }
      if (CT == ctBitButton) {
        if (TBitmap* Glyph = G->Bitmap(); Glyph && !Glyph->Empty()) {
          Integer V = (BR.Height() - Glyph->Height()) / 2;
          if (V < 1) V = 3;
          if (!G->CellText().empty() || BR.Width() < Glyph->Width()) {
            DrawTransparentBitmap(ACanvas, BR.Left + 3, BR.Top + V, Glyph);
            BR.Left += Glyph->Width() + 4;
          } else {
            DrawTransparentBitmap(ACanvas, BR.Left + (BR.Width() - Glyph->Width()) / 2, BR.Top + V, Glyph);
          }
        }
      }
      const String Caption = G->CellText();
      Cardinal Flags = CharPos(u'\r', Caption) > 0 ? DT_WORDBREAK : DT_SINGLELINE;
      Flags |= DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
      const TColor SavedFont = ACanvas->Font()->Color();
      if (Kind == bkTones) {
        const TColorTone& Tone = State == bsHotState    ? FTones.Hover
                                 : State == bsDownState ? FTones.Selected
                                 : State == bsDisabledState ? FTones.Disabled
                                                            : FTones.Background;
        ACanvas->Font()->SetColor(Tone.TextColor);
      }
      BR.Left += 1;
      ACanvas->Brush()->SetStyle(bsClear);
      DrawText(ACanvas, Caption, BR, Flags);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->Font()->SetColor(SavedFont);
      ACanvas->Brush()->SetColor(SavedBrush);
      break;
    }
    case ctProgressPie:
      DrawProgressPie(ACanvas, TRect(GR.Left, GR.Top, GR.Left + 20, GR.Top + 20), G->CellBitmapColor(), G->CellAngle(),
                      false);
      break;
    case ctRangeIndicator: {
      TRect IR = Cell;
      InflateRect(IR, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
      DrawCenteredBar(ACanvas, IR, static_cast<Integer>(CellNumber(GetCellEx(RCol, ARow))), G->CellIndex(),
                      G->CellBoolean(), G->CellBitmapColor(), G->CellIconColor());
      break;
    }
    case ctXPProgress: {
      TOfficeProgressStyle S;
      TGridProgressAppearance* PA = FProgressAppearance;
      S.Level0Color = PA->Level0Color();
      S.Level0ColorTo = PA->Level0ColorTo();
      S.Level1Color = PA->Level1Color();
      S.Level1ColorTo = PA->Level1ColorTo();
      S.Level2Color = PA->Level2Color();
      S.Level2ColorTo = PA->Level2ColorTo();
      S.Level3Color = PA->Level3Color();
      S.Level3ColorTo = PA->Level3ColorTo();
      S.Level1Perc = PA->Level1Perc();
      S.Level2Perc = PA->Level2Perc();
      S.ShowBorder = PA->ShowBorder();
      S.BorderColor = PA->BorderColor();
      S.Stacked = PA->Stacked();
      S.ShowPercentage = PA->ShowPercentage();
      S.CompletionSmooth = PA->CompletionSmooth();
      S.ShowGradient = PA->ShowGradient();
      S.Font = Font();
      S.CompleteFontColor = PA->CompleteFontColor();
      S.Steps = PA->Steps();
      S.UnCompleteColor = PA->UnCompleteColor() != clNone ? PA->UnCompleteColor() : ACanvas->Brush()->Color();
      TRect PR = Cell;
      InflateRect(PR, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
      PR.Right -= 1;
      PR.Bottom -= 1;
      // An indicator whose minimum equals its maximum has no percentage: it is drawn empty.
      Integer Percent = 0;
      if (G->CellErrLen() != G->CellErrFrom()) {
        const double V = CellNumber(GetCellEx(RCol, ARow));
        Percent = static_cast<Integer>(
            Round(std::abs(static_cast<Integer>(V) - G->CellErrFrom()) * 100.0 / (G->CellErrLen() - G->CellErrFrom())));
      }
      DrawOfficeProgress(ACanvas, PR, Percent, S);
      break;
    }
    case ctInterface:
      if (TCellDrawer* D = G->Drawer())
        D->Draw(ACanvas, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), RCol, ARow, AState.Contains(gdSelected),
                this);
      break;
    case ctShape:
      DrawCellShape(ACanvas, GR.Left, GR.Top, GR.Width() - 1, GR.Height() - 1, G->CellAngle(), G->CellIndex(),
                    G->CellBitmapColor());
      break;
    case ctRating: {
      const double V = std::trunc(2 * CellNumber(GetCellEx(RCol, ARow))) / 2;
      for (Integer I = 0; I < G->CellAngle(); ++I) {
        const Integer X = GR.Left + 18 * I;
        const TColor C = I + 1 > V ? G->CellBitmapColor() : TColor(G->CellIndex());
        DrawCellShape(ACanvas, X, GR.Top, 16, 16, csStar, C, C);
        if (I < V && V < I + 1) DrawCellShape(ACanvas, X, GR.Top, 16, 16, csHalfStar, G->CellIndex(), G->CellIndex());
      }
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Check boxes and radio buttons
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DrawCheckBox(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed, Byte Style,
                                 bool TriState, TCheckBoxState State) {
  if (!ACanvas) ACanvas = Canvas();
  if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive()) Enabled = true;
  if (TriState) {
    Checked = State == cbChecked;
    Grayed = State == cbGrayed;
  }
  // The themed look needs the visual-styles library, which this system does not have.
  if (Style == csTheme) Style = csClassic;
  const Integer Size = FControlLook->CheckSize();
  switch (Style) {
    case csWinXP: {
      const String Name = Checked ? (Enabled ? u"ESGCHK05" : u"ESGCHK07") : (Enabled ? u"ESGCHK06" : u"ESGCHK08");
      DrawTransparentResource(ACanvas, R.Left, R.Top, Name);
      break;
    }
    case csNorv: {
      const String Name = Checked ? (Enabled ? u"ESGCHK01" : u"ESGCHK03") : (Enabled ? u"ESGCHK02" : u"ESGCHK04");
      DrawTransparentResource(ACanvas, R.Left, R.Top, Name);
      break;
    }
    case csBorland: {
      const TRect B(R.Left, R.Top, R.Left + Size, R.Top + Size);
      ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
      ACanvas->Pen()->SetColor(clBtnFace);
      ACanvas->Rectangle(B);
      ACanvas->Pen()->SetColor(clBtnHighlight);
      ACanvas->MoveTo(B.Left, B.Bottom - 1);
      ACanvas->LineTo(B.Left, B.Top);
      ACanvas->LineTo(B.Right - 1, B.Top);
      ACanvas->Pen()->SetColor(clBtnShadow);
      ACanvas->LineTo(B.Right - 1, B.Bottom - 1);
      ACanvas->LineTo(B.Left, B.Bottom - 1);
      if (Checked) {
        const Integer s = Size / 2;
        ACanvas->Pen()->SetColor(Enabled ? FControlLook->Color() : TColor(0x808080));
        ACanvas->Pen()->SetWidth(1);
        ACanvas->MoveTo(B.Left + 2, B.Top + s);
        ACanvas->LineTo(B.Left + 2, B.Bottom - 2);
        ACanvas->MoveTo(B.Left + 3, B.Top - 1 + s);
        ACanvas->LineTo(B.Left + 3, B.Bottom - 3);
        ACanvas->MoveTo(B.Left + 2, B.Bottom - 2);
        ACanvas->LineTo(B.Right - 2, B.Top + 2);
        ACanvas->MoveTo(B.Left + 3, B.Bottom - 2);
        ACanvas->LineTo(B.Right - 1, B.Top + 2);
      }
      break;
    }
    case csGlyph: {
      TBitmap* Glyph = Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
      DrawTransparentBitmap(ACanvas, R.Left, R.Top, Glyph);
      break;
    }
    default: {
      // The platform's check box, a CheckSize square centred in R.
      const Integer W = R.Right - R.Left;
      const Integer H = R.Bottom - R.Top;
      TRect B(R.Left + (W - Size) / 2, R.Top + (H - Size) / 2, 0, 0);
      B.Right = B.Left + Size;
      B.Bottom = B.Top + Size;
      Cardinal Flags = DFCS_BUTTONCHECK;
      if (Checked) Flags |= DFCS_CHECKED;
      if (Grayed) Flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
      if (Style == csFlat) Flags |= DFCS_FLAT;
      if (!Enabled) Flags |= DFCS_INACTIVE;
      DrawFrameControl(ACanvas, B, DFC_BUTTON, Flags);
      break;
    }
  }
}

void TExStringGrid::DrawRadioGroup(TCanvas* ACanvas, TRect R, Integer Count, Integer Index, bool Horizontal,
                                   bool Disabled, TStrings* Items, bool Selected, Integer ACol, Integer ARow,
                                   Byte Style, double Scale, bool Print) {
  if (!ACanvas) ACanvas = Canvas();
  if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive()) Disabled = false;
  if (Style == csTheme) Style = csClassic;
  if (Count <= 0) return;
  const Integer d = Print ? -1 : 1;
  const String CellText = GetCellEx(ACol, ARow);
  const TColor SavedFont = ACanvas->Font()->Color();
  if (Selected && FShowSelection && FSelectionTextColor != clNone) ACanvas->Font()->SetColor(FSelectionTextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  const Integer RS = FControlLook->RadioSize();
  const Integer LineH = ACanvas->TextHeight(u"gh");
  Integer Accum = 0;

  for (Integer i = 1; i <= Count; ++i) {
    String Caption;
    if (Items && Items->Count() >= i) Caption = Items->Strings(i - 1);
    const bool Checked = Index == -1 ? Caption == CellText : i == Index + 1;
    switch (Style) {
      case csClassic:
      case csFlat: {
        const Integer G = static_cast<Integer>(std::lround(RS * Scale)) + (Style == csFlat ? 2 : 0);
        Integer x, y;
        if (Horizontal) {
          x = R.Left + 2 + (i - 1) * RS + Accum;
          y = R.Top + (R.Height() - G) / 2;
          if (!Caption.empty()) ACanvas->TextOut(x + static_cast<Integer>(RS * Scale), y - 2, Caption);
        } else {
          y = R.Top + LineH * (i - 1) * d + 2;
          if (!Caption.empty()) {
            x = R.Left + 2;
            ACanvas->TextOut(x + static_cast<Integer>((RS + 4) * Scale), y - 2, Caption);
          } else {
            x = R.Left + (R.Width() - G) / 2;
          }
        }
        TRect B(x, y, x + G, y + G);
        Cardinal Flags = DFCS_BUTTONRADIO;
        if (Style == csFlat) Flags |= DFCS_FLAT;
        if (Disabled) Flags |= DFCS_INACTIVE;
        if (Checked) Flags |= DFCS_CHECKED;
        ACanvas->Brush()->SetStyle(bsSolid);
        DrawFrameControl(ACanvas, B, DFC_BUTTON, Flags);
        ACanvas->Brush()->SetStyle(bsClear);
        break;
      }
      default: {
        // 16-pixel pitch for the drawn diamond and the glyph styles.
        Integer x, y;
        const Integer Line = std::max(16, LineH);
        const bool GlyphStyle = Style == csWinXP || Style == csNorv || Style == csGlyph;
        if (Horizontal) {
          x = R.Left + Accum + 16 * i - 14;
          y = R.Top + (R.Height() - 16) / 2;
          if (!Caption.empty()) ACanvas->TextOut(x + 16, GlyphStyle ? y + 1 : y, Caption);
        } else {
          x = R.Left;
          y = R.Top + Line * (i - 1) * d;
          if (!Caption.empty()) ACanvas->TextOut(R.Left + (GlyphStyle ? 18 : 20), GlyphStyle ? y + 1 : y, Caption);
        }
        if (Style == csBorland) {
          const TPoint Diamond[] = {{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}};
          ACanvas->Brush()->SetStyle(bsSolid);
          ACanvas->Brush()->SetColor(clBtnFace);
          ACanvas->Pen()->SetColor(clBtnFace);
          ACanvas->Polygon(Diamond, 4);
          const TColor UpperLeft = Checked ? TColor(0x808080) : clWhite;
          const TColor LowerRight = Checked ? clWhite : TColor(0x808080);
          ACanvas->Pen()->SetColor(UpperLeft);
          ACanvas->MoveTo(x + 2, y + 8);
          ACanvas->LineTo(x + 8, y + 2);
          ACanvas->LineTo(x + 14, y + 8);
          ACanvas->Pen()->SetColor(LowerRight);
          ACanvas->LineTo(x + 8, y + 14);
          ACanvas->LineTo(x + 2, y + 8);
          if (Checked) {
            const TPoint Inner[] = {{x + 6, y + 8}, {x + 8, y + 6}, {x + 10, y + 8}, {x + 8, y + 10}};
            ACanvas->Brush()->SetColor(FControlLook->Color());
            ACanvas->Pen()->SetColor(FControlLook->Color());
            ACanvas->Polygon(Inner, 4);
          }
          ACanvas->Brush()->SetStyle(bsClear);
        } else if (Style == csGlyph) {
          DrawTransparentBitmap(ACanvas, x, y, Checked ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph());
        } else if (Style == csNorv) {
          DrawTransparentResource(ACanvas, x, y,
                                  Checked ? (Disabled ? u"ESGRAD03" : u"ESGRAD01") : (Disabled ? u"ESGRAD04" : u"ESGRAD02"));
        } else {
          DrawTransparentResource(ACanvas, x, y,
                                  Checked ? (Disabled ? u"ESGRAD07" : u"ESGRAD05") : (Disabled ? u"ESGRAD08" : u"ESGRAD06"));
        }
        break;
      }
    }
    if (Horizontal && !Caption.empty()) Accum += ACanvas->TextWidth(Caption);
  }
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Font()->SetColor(SavedFont);
}

// ---------------------------------------------------------------------------------------------
// Node rows
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DrawNodeButton(TCanvas* ACanvas, TRect R, TCellGraphic* G, Integer RCol, Integer ARow,
                                   TGridDrawState AState) {
  if (!FCellNode) return;
  const Integer NI = FCellNode->NodeIndent();
  const Integer Indent = GetRowIndent(ARow);
  const bool Collapsed = G->CellBoolean();
  const Integer H = R.Bottom - R.Top;
  const Integer MidY = R.Top + H / 2;
  Integer x0 = Indent - NI;
  const bool FixedCol = RCol < TBaseGrid::FixedCols();
  if (FixedCol && !FFlat && (FLook == glSoft || FLook == glNorv || FLook == glXP || FLook == glListView)) x0 += 1;

  // 1. The tree lines that meet the button.
  if (FCellNode->ShowTree() && ARow >= TBaseGrid::FixedRows()) {
    ACanvas->Pen()->SetColor(FCellNode->TreeColor());
    ACanvas->Pen()->SetWidth(1);
    const Integer X = x0 + NI / 2 + 2;
    if (ARow + 1 < RowCount()) {
      const Integer NextIndent = GetRowIndent(ARow + 1);
      if (NextIndent > 0 && !(Collapsed && NextIndent < Indent)) {
        ACanvas->MoveTo(X, MidY);
        ACanvas->LineTo(X, R.Bottom);
      }
    }
    if (ARow > 0 && GetRowIndent(ARow - 1) >= Indent) {
      ACanvas->MoveTo(X, R.Top);
      ACanvas->LineTo(X, R.Top + 6);
    }
  }

  // 2. The colour behind the button.
  TColor Back = ACanvas->Brush()->Color();
  if (Back == clNone) Back = TBaseGrid::FixedCols() > 0 ? FixedColor() : Color();
  if (FShowSelection && AState.Contains(gdSelected)) Back = FSelectionColor;

  // 3. The button by the node type.
  x0 = Indent - NI / 2 - 4;
  switch (FCellNode->NodeType()) {
    case TCellNode::cnLeaf:
      DrawResourceBitmap(ACanvas, Back, TRect(x0, R.Top + (H - 12) / 2, x0 + 16, R.Top + (H - 12) / 2 + 16),
                         Collapsed ? u"ESGLEAFCLOSE" : u"ESGLEAFOPEN");
      return;
    case TCellNode::cnXP:
      DrawResourceBitmap(ACanvas, Back, TRect(x0 + 4, R.Top + (H - 10) / 2, x0 + 13, R.Top + (H - 10) / 2 + 9),
                         Collapsed ? u"XPNODEC" : u"XPNODEO");
      return;
    case TCellNode::cnGlyph: {
      TBitmap* Glyph = Collapsed ? FCellNode->ContractGlyph() : FCellNode->ExpandGlyph();
      if (FCellNode->ExpandGlyph() && FCellNode->ContractGlyph() && !FCellNode->ExpandGlyph()->Empty() &&
          !FCellNode->ContractGlyph()->Empty()) {
        const Integer Y = R.Top + (H - Glyph->Height()) / 2;
        DrawBitmapTransparent(ACanvas, Glyph, Back, TRect(x0, Y, x0 + Glyph->Width(), Y + Glyph->Height()));
        return;
      }
      break;
    }
    case TCellNode::cn3D: {
      TRect Frame(x0, R.Top, R.Right, R.Bottom);
      ACanvas->Brush()->SetColor(FCellNode->Color());
      ACanvas->FillRect(Frame);
      ACanvas->Pen()->SetColor(clWhite);
      ACanvas->MoveTo(Frame.Left, Frame.Bottom - 1);
      ACanvas->LineTo(Frame.Left, Frame.Top);
      ACanvas->LineTo(Frame.Right - 1, Frame.Top);
      ACanvas->Pen()->SetColor(0x808080);
      ACanvas->LineTo(Frame.Right - 1, Frame.Bottom - 1);
      ACanvas->LineTo(Frame.Left, Frame.Bottom - 1);
      break;
    }
    default:
      break;
  }
  const Integer X = x0 + 4;
  const Integer Y = R.Top + std::max(0, H - 8) / 2;
  ACanvas->Brush()->SetColor(FCellNode->Color());
  if (FCellNode->NodeType() == TCellNode::cnFlat) {
    ACanvas->Pen()->SetColor(FCellNode->NodeColor());
    ACanvas->Rectangle(X, Y, X + 9, Y + 9);
    ACanvas->MoveTo(X + 2, Y + 4);
    ACanvas->LineTo(X + 7, Y + 4);
    if (Collapsed) {
      ACanvas->MoveTo(X + 4, Y + 2);
      ACanvas->LineTo(X + 4, Y + 7);
    }
  } else {
    TRect Box(X, Y, X + 8, Y + 8);
    ACanvas->FillRect(Box);
    DrawEdge(ACanvas, Box, Collapsed ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_SOFT);
  }
  ACanvas->Brush()->SetColor(Back);
}

void TExStringGrid::DrawNodeTreeLines(TCanvas* ACanvas, Integer ARow, TRect& R) {
  if (!FCellNode || !FCellNode->ShowTree() || !HasNodes() || ARow < TBaseGrid::FixedRows()) return;
  const Integer NI = FCellNode->NodeIndent();
  const Integer Indent = GetRowIndent(ARow);
  const Integer Level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
  const Integer X = Indent - NI + NI / 2 + 2;
  const Integer MidY = R.Top + (R.Bottom - R.Top) / 2;
  R.Left = Indent;
  ACanvas->Pen()->SetColor(FCellNode->TreeColor());
  ACanvas->Pen()->SetWidth(1);
  auto Line = [&](Integer X1, Integer Y1, Integer X2, Integer Y2) {
    ACanvas->MoveTo(X1, Y1);
    ACanvas->LineTo(X2, Y2);
  };
  if (Level > 0) Line(X, MidY, FCellNode->ShowTreeFull() ? R.Right : Indent + 4, MidY);
  switch (GetNodeSpanType(ARow)) {
    case 1: Line(X, R.Top, X, MidY); break;
    case 2: Line(X, R.Top, X, R.Bottom + 4); break;
    default: break;
  }
  const bool Last = ARow + 1 >= RowCount();
  const Integer NextLevel =
      !Last && HasCellProperties(0, ARow + 1) ? GetCellProperties(0, ARow + 1)->NodeLevel() : 0;
  for (Integer I = 1; I <= Level; ++I) {
    const Integer LX = X - NI * I;
    Line(LX, R.Top, LX, MidY);
    if (!Last && NextLevel >= I)
      Line(LX, MidY, LX, R.Bottom + 4);
    else if (I < Level)
      Line(LX, MidY, X + NI - NI * I, MidY);
  }
}
