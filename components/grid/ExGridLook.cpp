// TExStringGrid: the colours and fonts of a cell (the visual-properties query every painter asks),
// the looks, the colour schemes, the component styles and colour tones, the XP colour schemes and
// following the desktop's Office theme.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridResources.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExUtil.h"

// ---------------------------------------------------------------------------------------------
// Owned painting objects
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CreatePaintObjects() {
  RegisterGridResources();
  FControlLook = new TControlLook(this);
  FBackGround = new TBackGround(this);
  FProgressAppearance = new TGridProgressAppearance();
  FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FCellGraphic = new TCellGraphic();
  FMergedColumns->OnChange = [this](TObject*, Integer, Integer) { MergedColumnsChanged(); };
}

void TExStringGrid::FreePaintObjects() {
  delete FCellGraphic;
  FCellGraphic = nullptr;
  delete FProgressAppearance;
  FProgressAppearance = nullptr;
  delete FBackGround;
  FBackGround = nullptr;
  delete FControlLook;
  FControlLook = nullptr;
}

void TExStringGrid::SetControlLook(TControlLook* Value) {
  FControlLook->Assign(Value);
  Invalidate();
}

void TExStringGrid::SetBackGround(TBackGround* Value) {
  FBackGround->Assign(Value);
  Invalidate();
}

void TExStringGrid::SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }

void TExStringGrid::SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }

// ---------------------------------------------------------------------------------------------
// Visual properties
// ---------------------------------------------------------------------------------------------

void TExStringGrid::GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                        bool& WW, TCellGradientDirection& GD) {
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();

  // 1. The grid's font for normal cells, the fixed font for fixed ones.
  if (ACol >= FC && ARow >= FR)
    AFont->Assign(Font());
  else
    AFont->Assign(FFixedFont);

  // 2. Real column and the row that the disjunct selection lists are kept by.
  const Integer RCol = Remap ? DisplayToRealCol(ACol) : ACol;
  Integer SelRow = ARow;
  if ((FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) || FUseEnabledRows)
    SelRow = DisplayRowToRealRow(ARow);

  // 3. Nothing chosen yet.
  ABrush->SetColor(clNone);
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  WW = WordWrap();

  // 4. The cell's own settings.
  bool OwnColor = false;
  TCellProperties* Props = HasCellProperties(RCol, ARow) ? GetCellProperties(RCol, ARow) : nullptr;
  auto ApplyOwnFont = [&]() {
    if (!Props) return;
    if (Props->FontColor() != clNone) AFont->SetColor(Props->FontColor());
    if (!Props->FontStyle().Empty()) AFont->SetStyle(Props->FontStyle());
    if (Props->FontSize() != 0) AFont->SetSize(Props->FontSize());
    if (!Props->FontName().empty()) AFont->SetName(Props->FontName());
  };
  if (Props) {
    ABrush->SetColor(Props->BrushColor());
    const TCellType CT = GetCellType(RCol, ARow);
    if ((CT == ctNone || CT == ctRotated || CT == ctEmpty) && Props->BrushColor() != clNone) OwnColor = true;
    ApplyOwnFont();
    WW = Props->WordWrap();
    AColorTo = Props->BrushColorTo();
    GD = Props->GradientDirection();
  }

  // 5. A selected cell's gradient runs top to bottom.
  if (AState.Contains(gdSelected)) GD = GradientVertical;

  // 6. The grid's colour, bands, and the fixed colour of the fixed areas.
  if (ABrush->Color() == clNone) {
    ABrush->SetColor(Color());
    if (FBands->Active() && (!Print || FBands->Print())) {
      if (ACol >= FC && ACol < ColCount() + FNumHidden - FFixedRightCols && ARow >= FR &&
          ARow < RowCount() - FFixedFooters && FBands->TotalLength() > 0) {
        if ((ARow - FR) % FBands->TotalLength() < FBands->PrimaryLength())
          ABrush->SetColor(FBands->PrimaryColor());
        else
          ABrush->SetColor(FBands->SecondaryColor());
      }
    }
    if (ACol < FC || ARow < FR || ACol >= ColCount() - FFixedRightCols || ARow >= RowCount() - FFixedFooters)
      ABrush->SetColor(FixedColor());
  }

  // 7. Fixed cells: the fixed colour and font, and the gradient of the gradient looks.
  bool Fixed = false;
  IsFixedCell(RCol, ARow, Fixed);
  Fixed = Fixed || ACol < FC || ARow < FR;
  if (Fixed && !OwnColor && !Print) {
    ABrush->SetColor(FixedColor());
    AFont->Assign(FFixedFont);
    // The cell's own font settings stay in force over the fixed font.
    ApplyOwnFont();
    AState = AState << gdFixed;
    if (IsGradientLook(FLook)) {
      ABrush->SetColor(FNorvGradFrom);
      AColorTo = FNorvGradTo;
      AMirrorColor = FNorvGradMirrorFrom;
      AMirrorColorTo = FNorvGradMirrorTo;
    }
  }

  // 8. The colour hook.
  if (Print)
    GetCellPrintColor(RCol, ARow, AState, ABrush, AFont);
  else
    GetCellColor(RCol, ARow, AState, ABrush, AFont);

  // 9. The gradient event.
  if (OnGetCellGradient) {
    TColor C = ABrush->Color();
    OnGetCellGradient(this, ARow, RCol, C, AColorTo, AMirrorColor, AMirrorColorTo, GD);
    ABrush->SetColor(C);
  }

  // 10. The colours reached so far.
  const TColor SavedBrush = ABrush->Color();
  const TColor SavedFont = AFont->Color();

  auto ShowSelected = [&]() {
    AState = TGridDrawState{gdSelected};
    ABrush->SetColor(FSelectionColor);
    AColorTo = FSelectionColorTo;
    AMirrorColor = FSelectionMirrorColor;
    AMirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
  };
  auto WithoutSelected = [&]() {
    TGridDrawState S;
    if (AState.Contains(gdFocused)) S = S << gdFocused;
    if (AState.Contains(gdFixed)) S = S << gdFixed;
    AState = S;
  };

  const bool SelectionShown = !Print && Select && FShowSelection && !Fixed;
  const bool DisjunctRow = FMouseActions->DisjunctRowSelect();
  const bool DisjunctCol = FMouseActions->DisjunctColSelect();

  // 11. Disjunct row selection.
  if (SelectionShown && DisjunctRow) {
    bool Sel;
    if (!FMouseDown)
      Sel = RowSelect(SelRow);
    else if (RowSelect(SelRow))
      Sel = ARow != Row();
    else
      Sel = AState.Contains(gdSelected);
    if (Sel)
      ShowSelected();
    else
      WithoutSelected();
  }

  // 12. Disjunct column selection.
  if (SelectionShown && DisjunctCol && !DisjunctRow) {
    bool Sel;
    if (ColSelect(ACol))
      Sel = !FMouseDown || ACol != Col();
    else
      Sel = FMouseDown && AState.Contains(gdSelected);
    if (Sel)
      ShowSelected();
    else
      WithoutSelected();
  }

  // 13. The normal selection.
  const bool Disjunct = DisjunctRow || DisjunctCol || FMouseActions->DisjunctCellSelect();
  if ((SelectionShown && !Disjunct && IsSelected(ACol, ARow)) ||
      (AState.Contains(gdSelected) && FMouseDown && FShowSelection && !Disjunct)) {
    if (ABrush->Color() == Color())
      ABrush->SetColor(FSelectionColor);
    else
      ABrush->SetColor(MixSelectionColor(FSelectionColor, ABrush->Color(), FSelectionColorMixer,
                                         FSelectionColorMixerFactor));
    AColorTo = FSelectionColorTo;
    AMirrorColor = FSelectionMirrorColor;
    AMirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
    AState = AState << gdSelected;
  }

  // 14. Disjunct cell selection.
  if (FMouseActions->DisjunctCellSelect() && FShowSelection && !Print && !Fixed) {
    if (SelectedCells(ACol, ARow)) {
      ShowSelected();
    } else if (ACol == Col() && ARow == Row()) {
      WithoutSelected();
      ABrush->SetColor(SavedBrush);
      AFont->SetColor(SavedFont);
    }
  }

  // 15. The font of disabled rows and of a disabled grid.
  if (FUseDisabledFont && ((FUseEnabledRows && !RowEnabled(SelRow)) || !Enabled()))
    AFont->SetColor(FDisabledFontColor);

  // 16. Selected rows other than the current one a little lighter.
  if (AState.Contains(gdSelected) && ARow != Row() && DisjunctRow && FSelectionColorTo == clNone)
    ABrush->SetColor(ScaleColor(ABrush->Color(), 7));

  // 17. Word wrap and alignment.
  GetCellWordWrap(RCol, ARow, WW);
  CalcCellAlignment(RCol, ARow, HA, VA);
}

void TExStringGrid::GetFontProperties(Integer ACol, Integer RCol, Integer ARow, TGridDrawState AState, TFont* AFont,
                                      TBrush* ABrush, bool Remap) {
  (void)Remap;
  bool Fixed = false;
  IsFixedCell(RCol, ARow, Fixed);
  Fixed = Fixed || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
  AFont->Assign(Fixed ? FFixedFont : Font());
  if (HasCellProperties(RCol, ARow)) {
    TCellProperties* P = GetCellProperties(RCol, ARow);
    if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
    if (!P->FontStyle().Empty()) AFont->SetStyle(P->FontStyle());
    if (P->FontSize() != 0) AFont->SetSize(P->FontSize());
    if (!P->FontName().empty()) AFont->SetName(P->FontName());
  }
  GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

// ---------------------------------------------------------------------------------------------
// Looks
// ---------------------------------------------------------------------------------------------

void TExStringGrid::SetLook(TGridLook Value) {
  if (FLook == Value) return;
  FLook = Value;
  const bool Loading = HasState(csLoading);

  if (Value != glCustom) {
    FControlLook->SetFixedGradientMirrorFrom(clNone);
    FControlLook->SetFixedGradientMirrorTo(clNone);
    FControlLook->SetFixedGradientFrom(clNone);
    FControlLook->SetFixedGradientTo(clNone);
    FNorvGradFrom = clNone;
    FNorvGradTo = clNone;
    FNorvGradMirrorFrom = clNone;
    FNorvGradMirrorTo = clNone;
    FSortSettings->SetHeaderColor(clNone);
  }

  switch (Value) {
    case glVista:
      SetStyle(gsWindowsVista);
      SetEditorsComponentStyle(tsWindowsVista);
      SetSelectionStyle(ssVista);
      break;
    case glWin7:
      SetStyle(gsWindows7);
      SetEditorsComponentStyle(tsWindows7);
      SetSelectionStyle(ssWin7);
      break;
    case glOffice2007:
      SetStyle(gsOffice2007Luna);
      SetEditorsComponentStyle(tsOffice2007Luna);
      SetSelectionStyle(ssOffice2007);
      break;
    case glCustom:
      break;
    default: {
      if (!HasState(csDesigning)) SetEditorsComponentStyle(tsWindowsXP);
      SetSelectionStyle(ssDefault);
      const bool Plain = Value == glStandard || Value == glSoft || Value == glClassic;
      if (!Loading) {
        TColor From = clWhite;
        TColor To = clBtnFace;
        if (Plain) {
          SetFixedColor(clBtnFace);
          From = clBtnFace;
          To = clNone;
        }
        FControlLook->SetFixedGradientFrom(From);
        FControlLook->SetFixedGradientTo(To);
      }
      SetGridFixedLineColor(0x808080);
      FControlLook->SetFixedGradientMirrorFrom(clNone);
      FControlLook->SetFixedGradientMirrorTo(clNone);
      FNorvGradMirrorFrom = clNone;
      FNorvGradMirrorTo = clNone;
      SetGridLineColor(0xC0C0C0);
      if (Plain || Value == glListView) {
        FActiveCellColor = 0x808080;
        FActiveCellColorTo = clNone;
        FSelectionColor = clHighlight;
        FSelectionTextColor = clHighlightText;
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
      } else if (Value == glNorv || Value == glXP) {
        FActiveCellColor = 0xEACAB6;
        FActiveCellColorTo = clNone;
        FSelectionColor = 0xEACAB6;
        FSelectionColorTo = clNone;
        FSelectionTextColor = clBlack;
        FSearchFooter->SetColor(FNorvGradFrom);
        FSearchFooter->SetColorTo(FNorvGradTo);
        FControlLook->SetFixedGradientFrom(clWhite);
        FControlLook->SetFixedGradientTo(Value == glXP ? clBtnFace : TColor(0xC0C0C0));
        FControlLook->SetFixedGradientHoverFrom(0xCFD0D1);
        FControlLook->SetFixedGradientHoverTo(0xBEC6C8);
        FControlLook->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
        FControlLook->SetFixedGradientHoverMirrorTo(0xABBCBF);
        FControlLook->SetFixedGradientDownFrom(0x868788);
        FControlLook->SetFixedGradientDownTo(0x737C7E);
        FControlLook->SetFixedGradientDownMirrorFrom(0x737C7E);
        FControlLook->SetFixedGradientDownMirrorTo(0x627376);
      }
      break;
    }
  }

  SetScrollType(ssNormal);
  SetBorderStyle(bsSingle);
  FBorderColor = 0xB99D7F;
  Invalidate();
  if (!Loading && FFooterPanel) FFooterPanel->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Colour schemes
// ---------------------------------------------------------------------------------------------

namespace {

// One row of the scheme table. Look glCustom in the table means: the look stays as it is.
struct TSchemeRow {
  TExGridStyle Style;
  bool SetsLook;
  TGridLook Look;
  bool SetsColors;  // F, T, M, active cell, grid lines and footer are given
  TColor From, To, MirrorFrom, MirrorTo;
  bool CL;  // F and T also into the control look
  TColor ActiveFrom, ActiveTo;
  TColor Selection, SelectionTo, SelectionText;
  TColor GridLine, FixedLine;
  TColor FooterColor;
  Byte FooterTo;  // 0 clNone, 1 the grid's mirror-to colour
};

constexpr TColor H = clHighlight;
constexpr TColor HT = clHighlightText;
constexpr TColor N = clNone;

const TSchemeRow SchemeRows[] = {
    {gsOffice2003Blue, true, glXP, true, 0xFCE1CB, 0xE0A57D, N, N, true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE,
     clBlack, 0xC0C0C0, 0x808080, 0xFCE1CB, 0},
    {gsOffice2003Silver, true, glXP, true, 0xECE2E1, 0xB39698, N, N, true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE,
     clBlack, 0xC0C0C0, 0x808080, 0xECE2E1, 0},
    {gsOffice2003Olive, true, glXP, true, 0xCFF0EA, 0x8CC0B1, N, N, true, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE,
     clBlack, 0xC0C0C0, 0x808080, 0xCFF0EA, 0},
    {gsOffice2003Classic, true, glXP, true, clWhite, 0xCCD4D8, N, N, false, 0xD8D5D4, 0xD8D5D4, H, N, HT, 0xC0C0C0,
     0x808080, clWhite, 0},
    {gsOffice2007Luna, true, glOffice2007, true, 0xFBF9F6, 0xE8DBD2, N, N, true, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, N,
     clBlack, 0xF1EDEB, 0xD1BBA4, 0xFBF9F6, 0},
    {gsOffice2007Obsidian, true, glOffice2007, true, 0xF7F7F7, 0xDEDEDE, N, N, true, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1,
     N, clBlack, 0xE5D7D0, 0x808080, 0xF7F7F7, 0},
    {gsWindowsXP, true, glXP, true, clBtnFace, clBtnFace, N, N, false, clBtnFace, clBtnFace, H, N, HT, 0xC0C0C0,
     0x808080, clBtnFace, 0},
    {gsWhidbey, false, glCustom, true, clWhite, clBtnFace, N, N, false, 0x94E6FB, 0x1595EE, H, N, HT, 0xC0C0C0,
     0x808080, clWhite, 0},
    {gsCustom, false, glCustom, false, N, N, N, N, false, N, N, H, N, HT, N, N, N, 0},
    {gsOffice2007Silver, true, glOffice2007, true, 0xF3F3F1, 0xCAC9C8, N, N, true, 0x99CCFF, 0x699CFF, 0x95C7F5, N,
     clBlack, 0xE5D7D0, 0x808080, 0xF3F3F1, 1},
    {gsWindowsVista, true, glVista, true, clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, true, 0xFDF8F1, 0xFCEFD5, 0xEACAB6,
     N, clBlack, 0xECECF0, 0xD4D2D1, clWhite, 1},
    {gsWindows7, true, glWin7, true, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, true, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, N,
     clBlack, 0xECECF0, 0xD4D2D1, 0xFDFCFA, 1},
    {gsTerminal, true, glStandard, false, N, N, N, N, false, N, N, H, N, HT, N, N, N, 0},
    {gsOffice2010Blue, true, glOffice2007, true, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, true, 0x5BD5FF, 0x71EFFF,
     0xFFDBB7, N, clBlack, 0xC0C0C0, 0xC7B0A0, 0xF5E7DA, 1},
    {gsOffice2010Silver, true, glOffice2007, true, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, true, 0x5BD5FF,
     0x71EFFF, 0xFFDBB7, N, clBlack, 0xC0C0C0, 0xBAB5B1, 0xE8E3DF, 1},
    {gsOffice2010Black, true, glOffice2007, true, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, true, 0x5BD5FF, 0x71EFFF,
     0xFFDBB7, N, clBlack, 0xC0C0C0, 0x444444, 0x6A6A6A, 1},
};

}  // namespace

void TExStringGrid::SetHoverColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border) {
  FControlLook->SetFixedGradientHoverFrom(From);
  FControlLook->SetFixedGradientHoverTo(To);
  FControlLook->SetFixedGradientHoverMirrorFrom(MirrorFrom);
  FControlLook->SetFixedGradientHoverMirrorTo(MirrorTo);
  FControlLook->SetFixedGradientHoverBorder(Border);
}

void TExStringGrid::SetDownColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border) {
  FControlLook->SetFixedGradientDownFrom(From);
  FControlLook->SetFixedGradientDownTo(To);
  FControlLook->SetFixedGradientDownMirrorFrom(MirrorFrom);
  FControlLook->SetFixedGradientDownMirrorTo(MirrorTo);
  FControlLook->SetFixedGradientDownBorder(Border);
}

void TExStringGrid::SetStyle(TExGridStyle AStyle) {
  FSelectionColor = clHighlight;
  FSelectionColorTo = clNone;
  FSelectionTextColor = clHighlightText;
  SetSelectionStyle(ssDefault);
  FSortSettings->SetHeaderColor(clNone);
  FSortSettings->SetHeaderColorTo(clNone);
  FSortSettings->SetHeaderMirrorColor(clNone);
  FSortSettings->SetHeaderMirrorColorTo(clNone);
  FControlLook->Init();

  const TSchemeRow* Row = nullptr;
  for (const TSchemeRow& R : SchemeRows)
    if (R.Style == AStyle) Row = &R;
  if (!Row) {
    Invalidate();
    return;
  }

  if (Row->SetsLook && FLook != Row->Look) SetLook(Row->Look);

  if (Row->SetsColors) {
    SetNorvGradientFrom(Row->From);
    SetNorvGradientTo(Row->To);
    SetNorvGradientMirrorFrom(Row->MirrorFrom);
    SetNorvGradientMirrorTo(Row->MirrorTo);
    if (Row->CL) {
      FControlLook->SetFixedGradientFrom(Row->From);
      FControlLook->SetFixedGradientTo(Row->To);
    }
    FActiveCellColor = Row->ActiveFrom;
    FActiveCellColorTo = Row->ActiveTo;
    SetGridLineColor(Row->GridLine);
    SetGridFixedLineColor(Row->FixedLine);
    FSearchFooter->SetColor(Row->FooterColor);
    FSearchFooter->SetColorTo(Row->FooterTo == 1 ? FNorvGradMirrorTo : clNone);
  }
  FSelectionColor = Row->Selection;
  FSelectionColorTo = Row->SelectionTo;
  FSelectionTextColor = Row->SelectionText;

  switch (AStyle) {
    case gsOffice2007Luna:
      SetHoverColors(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87);
      SetDownColors(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
      if (FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
      break;
    case gsWindowsVista:
    case gsWindows7:
      if (AStyle == gsWindowsVista) {
        SetHoverColors(0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993);
        SetDownColors(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
        SetSelectionStyle(ssVista);
      } else {
        SetHoverColors(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3);
        SetDownColors(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
        SetSelectionStyle(ssWin7);
      }
      FSortSettings->SetHeaderColor(0xFCF9F2);
      FSortSettings->SetHeaderColorTo(0xFCF9F2);
      FSortSettings->SetHeaderMirrorColor(0xF9F1E1);
      FSortSettings->SetHeaderMirrorColorTo(0xF6ECD8);
      FControlLook->SetFixedGradientFrom(clNone);
      FControlLook->SetFixedGradientTo(clNone);
      break;
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black: {
      FNorvGradHoverFrom = clNone;
      FNorvGradHoverTo = clNone;
      FNorvGradHoverMirrorFrom = clNone;
      FNorvGradHoverMirrorTo = clNone;
      SetHoverColors(0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8);
      SetDownColors(0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
      const TColor Header =
          AStyle == gsOffice2010Blue ? 0xD6CEC7 : (AStyle == gsOffice2010Silver ? 0xAAAAAA : 0xBABABA);
      FSortSettings->SetHeaderColor(Header);
      FSortSettings->SetHeaderColorTo(Header);
      FSortSettings->SetHeaderMirrorColor(Header);
      FSortSettings->SetHeaderMirrorColorTo(Header);
      SetSelectionStyle(ssDefault);
      FControlLook->SetFixedGradientFrom(clNone);
      FControlLook->SetFixedGradientTo(clNone);
      break;
    }
    default:
      break;
  }
  Invalidate();
}

void TExStringGrid::SetComponentStyle(TNorvStyle AStyle) {
  FStyle = AStyle;
  SetStyle(static_cast<TExGridStyle>(AStyle));
  if (!HasState(csDesigning)) SetEditorsComponentStyle(AStyle);
  if (AStyle != tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

void TExStringGrid::SetColorTones(TColorTones ATones) {
  FTones = ATones;
  SetLook(glClassic);
  SetFlat(true);
  SetScrollType(ssMetro);
  SetFixedColor(ATones.Foreground.BrushColor);
  FFixedFont->SetColor(ATones.Foreground.TextColor);
  FFixedFont->SetName(GetDefaultUIFontName());
  Font()->SetName(GetDefaultUIFontName());
  SetColor(ATones.Background.BrushColor);
  Font()->SetColor(ATones.Background.TextColor);
  FSelectionColor = ATones.Selected.BrushColor;
  FSelectionTextColor = ATones.Selected.TextColor;
  FSelectionColorTo = clNone;
  SetGridLineColor(0xE6E6E6);
  SetGridFixedLineColor(ScaleColor(ATones.Foreground.BrushColor, -20));
  SetBorderStyle(bsNone);

  FControlLook->SetControlStyle(csGlyph);
  TBitmap Glyph;
  Glyph.LoadFromResourceName(u"metrocheckon");
  FControlLook->SetCheckedGlyph(&Glyph);
  Glyph.LoadFromResourceName(u"metrocheckoff");
  FControlLook->SetUnCheckedGlyph(&Glyph);
  Glyph.LoadFromResourceName(u"metroradiooff");
  FControlLook->SetRadioOffGlyph(&Glyph);
  Glyph.LoadFromResourceName(u"metroradioon");
  FControlLook->SetRadioOnGlyph(&Glyph);

  if (!HasState(csDesigning)) {
    auto ButtonColors = [&](auto* Editor) {
      if (!Editor) return;
      Editor->SetButtonColor(ATones.Background.BrushColor);
      Editor->SetButtonColorHot(ATones.Hover.BrushColor);
      Editor->SetButtonColorDown(ATones.Selected.BrushColor);
      Editor->SetButtonBorderColor(ATones.Background.BorderColor);
    };
    if (EditBtn) ButtonColors(EditBtn->Button());
    if (UnitEditBtn) ButtonColors(UnitEditBtn->Button());
    ButtonColors(EditCombo);
    if (FEditSpin) ButtonColors(FEditSpin->Button());
    ButtonColors(FEditDate);
    if (EditCombo) {
      EditCombo->SetBorderColor(Color());
      EditCombo->SetFlat(true);
    }
    if (FEditDate) {
      FEditDate->SetBorderColor(ATones.Background.BrushColor);
      FEditDate->SetMetroStyle(true);
    }
    SetEditorsColorTones(ATones);
  }
  FControlLook->SetFlatButton(true);
  if (FFloatingFooter) FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
  if (FCellNode) FCellNode->SetNodeType(TCellNode::cnFlat);
  FSearchFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
  Invalidate();
}

void TExStringGrid::SetTheme(Byte Scheme) {
  struct TThemeRow {
    TColor From, To, MirrorFrom, MirrorTo, FooterFrom, FooterTo, ActiveFrom, ActiveTo;
  };
  static const TThemeRow Rows[] = {
      {clWhite, clBtnFace, clNone, clNone, clWhite, 0xFFD9B3, clWhite, 0xFFD9B3},
      {0xFCE1CB, 0xE0A57D, clNone, clNone, 0xFCE1CB, 0xE0A57D, 0x94E6FB, 0x1595EE},
      {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0x94E6FB, 0x1595EE},
      {0xECE2E1, 0xB39698, clNone, clNone, 0xECE2E1, 0xB39698, 0x94E6FB, 0x1595EE},
      {clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0xECE2E1, 0xB39698, 0x94E6FB, 0x1595EE},
  };
  if (Scheme > vistaAero) return;
  const TThemeRow& R = Rows[Scheme];
  SetNorvGradientFrom(R.From);
  SetNorvGradientTo(R.To);
  SetNorvGradientMirrorFrom(R.MirrorFrom);
  SetNorvGradientMirrorTo(R.MirrorTo);
  FSearchFooter->SetColor(R.FooterFrom);
  FSearchFooter->SetColorTo(R.FooterTo);
  FActiveCellColor = R.ActiveFrom;
  FActiveCellColorTo = R.ActiveTo;
  if (Scheme == xpNone) {
    FControlLook->SetFixedGradientFrom(clNone);
    FControlLook->SetFixedGradientTo(clNone);
  } else {
    FControlLook->SetFixedGradientFrom(R.From);
    FControlLook->SetFixedGradientTo(R.To);
  }
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Office theme and platform styles
// ---------------------------------------------------------------------------------------------

void TExStringGrid::ApplyOfficeTheme() {
  if (HasState(csDesigning)) return;
  const TOfficeTheme Theme = DetectOfficeTheme();
  if (Theme == FOldOfficeTheme) return;
  static const TNorvStyle Styles[] = {tsOffice2003Blue,   tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
                                      tsOffice2007Luna,   tsOffice2007Silver, tsOffice2007Obsidian,
                                      tsOffice2010Blue,   tsOffice2010Silver, tsOffice2010Black};
  if (Theme < otUnknown) SetComponentStyle(Styles[Theme]);
  FOldOfficeTheme = Theme;
}

void TExStringGrid::ThemeAdapt() { ApplyOfficeTheme(); }

void TExStringGrid::UpdateVCLStyle() {
  // The platform has no visual styles of its own: the grid keeps its own look.
  FUseVCLStyles = false;
}

// The drop-down editors the grid has made so far are the components it owns that take component
// styles and colour tones.
void TExStringGrid::SetEditorsComponentStyle(TNorvStyle AStyle) {
  for (Integer I = 0; I < ComponentCount(); ++I)
    if (auto* D = dynamic_cast<INorvStyle*>(Components(I))) D->SetComponentStyle(AStyle);
}

void TExStringGrid::SetEditorsColorTones(const TColorTones& ATones) {
  for (Integer I = 0; I < ComponentCount(); ++I)
    if (auto* D = dynamic_cast<INorvTones*>(Components(I))) D->SetColorTones(ATones);
}
