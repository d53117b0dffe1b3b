// TExStringGrid: where a cell's text goes and how much room it needs: the cell alignment, the size
// of plain, mini-HTML, rich and rotated text, the origin of rotated text, the sort indicator of
// header cells, and the balloon text the grid hands to its balloon window.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"

// ---------------------------------------------------------------------------------------------
// Alignment
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CalcCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  HAlign = FDefaultAlignment;
  VAlign = FVAlignment;
  bool Formula = false;
  if (FAutoNumAlign) {
    String Text = GetCellEx(ACol, ARow);
    Formula = (!Text.empty() && Text[0] == u'=') ||
              (Text.size() > 2 && Text.compare(0, 2, UnicodeTextMarker) == 0 && DecodeUnicodeText(Text).substr(0, 1) == u"=");
    if (Formula) Text = GetCellText(ACol, ARow);
    const Integer Kind = ClassifyNumberText(Trim(Text));
    if (Kind == ntInteger || Kind == ntFloat || Kind == ntExponent) HAlign = taRightJustify;
  }
  if (!Formula && HasCellProperties(ACol, ARow)) HAlign = GetCellProperties(ACol, ARow)->Alignment();
  GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

// ---------------------------------------------------------------------------------------------
// Text size
// ---------------------------------------------------------------------------------------------

TSize TExStringGrid::GetCellTextSize(Integer ACol, Integer ARow, bool VS, bool SB) {
  TSize Size;
  CalcCellTextSize(ACol, RealToDisplayCol(ACol), ARow, VS, SB, Size);
  return Size;
}

void TExStringGrid::CalcCellTextSize(Integer ACol, Integer DCol, Integer ARow, bool VS, bool SB, TSize& Size) {
  TCanvas* C = Canvas();
  String Text = GetFormattedCell(ACol, ARow);
  Integer Kind = GetCellTextKind(Text, FEnableHTML);

  // The cell's font on the grid canvas.
  bool Fixed = false;
  IsFixedCell(ACol, ARow, Fixed);
  Fixed = Fixed || DCol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
  C->Font()->Assign(Fixed ? FFixedFont : Font());
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* P = GetCellProperties(ACol, ARow);
    if (P->FontColor() != clNone) C->Font()->SetColor(P->FontColor());
    if (!P->FontStyle().Empty()) C->Font()->SetStyle(P->FontStyle());
    if (P->FontSize() != 0) C->Font()->SetSize(P->FontSize());
    if (!P->FontName().empty()) C->Font()->SetName(P->FontName());
  }
  GetCellColor(ACol, ARow, TGridDrawState(), C->Brush(), C->Font());
  if ((DCol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows()) && FActiveCellShow &&
      FActiveCellFont->Style().Contains(fsBold))
    C->Font()->SetStyle(C->Font()->Style() << fsBold);
  C->Font()->SetSize(C->Font()->Size() + FZoomFactor);

  if (Kind == ctkFormula) {
    Text = GetCellText(ACol, ARow);
    Kind = GetCellTextKind(Text, FEnableHTML);
  }
  if (Kind == ctkUnicode) Text = DecodeUnicodeText(Text);

  TRect R = CellRect(DCol, ARow);
  if (IsRectEmpty(R)) R = TRect(0, 0, ColWidths(DCol), RowHeights(ARow));
  if (FXYOffsetTopLeftOnly) {
    R.Left += FXYOffset.X;
    R.Top += FXYOffset.Y;
  } else {
    InflateRect(R, -FXYOffset.X, -FXYOffset.Y);
  }
  if (SB) R.Right -= 17;

  Integer Angle = 0;
  const bool Rotated = IsRotated(ACol, ARow, Angle);
  Integer X = 0, Y = 0;

  if (Kind == ctkHtml) {
    TRect HR = R;
    if (!VS) HR.Right = 65535;
    HR.Bottom = 65535;
    String Anchor, Plain, FocusAnchor, Title, CID, CV, CT;
    Integer XSize = 0, YSize = 0, Links = 0, HitIdx = 0;
    TRect AR, CR;
    DrawHtmlText(C, Text, HR, GetCellImageList(ACol, ARow), 0, 0, -1, -1, 1, false, true, false, false, true,
                 FURLUnderlineOnHover, true, false, 1.0, FURLColor, clNone, clNone, 0x808080, Anchor, Plain,
                 FocusAnchor, Title, XSize, YSize, Links, HitIdx, AR, CR, CID, CV, CT, FImageCache, FContainer,
                 Handle(), bdHtmlLeftToRight);
    Size.cx = XSize + 2;
    Size.cy = YSize + 2;
    return;
  }

  if (Kind == ctkRichText && !HasState(csDesigning)) Text = GridRichTextToPlain(Text);

  if (VS) {
    InflateRect(R, -2, -2);
    if ((EditorMode() || EditMode) && DCol == Col() && ARow == Row() && !Text.empty() && Text.back() == u'\n')
      Text += u"w";
    TRect M = R;
    Cardinal Flags = DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
    Flags |= Rotated ? DT_SINGLELINE : DT_WORDBREAK;
    DrawText(C, Text, M, Flags);
    Y = M.Height();
    X = M.Right - R.Left;
  } else {
    String Rest = Text;
    Integer Lines = 0;
    do {
      String Line = FMultilineCells ? TakeLine(Rest, true) : Rest;
      if (!FMultilineCells) Rest.clear();
      if (FURLShow && !FURLFull && Kind == ctkPlain && IsUrl(Line)) StripUrlScheme(Line);
      X = std::max(X, C->TextWidth(Line));
      ++Lines;
    } while (!Rest.empty());
    Y = C->TextHeight(u"gh") * Lines;
  }

  if (Rotated) {
    const double A = Angle * std::numbers::pi / 180.0;
    const Integer NX = std::abs(std::abs(static_cast<Integer>(std::trunc(Y * std::sin(A)))) -
                                std::abs(static_cast<Integer>(std::trunc(X * std::cos(A))))) +
                       12;
    const Integer NY = std::abs(std::abs(static_cast<Integer>(std::trunc(Y * std::cos(A)))) -
                                std::abs(static_cast<Integer>(std::trunc(X * std::sin(A))))) +
                       12;
    X = NX;
    Y = NY;
  }
  Size.cx = X;
  Size.cy = Y;
}

// ---------------------------------------------------------------------------------------------
// Rotated text
// ---------------------------------------------------------------------------------------------

void PlaceRotatedText(TRect& R, TAlignment HAlign, TVAlignment VAlign, Integer Angle, Integer D, Integer C, Integer B,
                      Integer A) {
  const Integer W = R.Right - R.Left;
  const Integer m = (B + R.Top + A - R.Bottom) / 2;
  if (Angle <= 90) {
    if (HAlign == taRightJustify) R.Left = R.Right - D - C;
    else if (HAlign == taCenter) R.Left += (W - C - D) / 2;
    if (VAlign == vtaTop) R.Top += B;
    else if (VAlign == vtaBottom) R.Top = R.Bottom - A;
    else R.Top = R.Top + B - m;
  } else if (Angle <= 180) {
    if (HAlign == taLeftJustify) R.Left += D;
    else if (HAlign == taRightJustify) R.Left = R.Right - C;
    else R.Left = R.Right - (C + W - D) / 2;
    if (VAlign == vtaTop) R.Top += A + B;
    else if (VAlign == vtaBottom) R.Top = R.Bottom;
    else R.Top = R.Top + A + B - m;
  } else if (Angle > 270) {
    if (HAlign == taLeftJustify) R.Left += C;
    else if (HAlign == taRightJustify) R.Left = R.Right - D;
    else R.Left += (C + W - D) / 2;
    if (VAlign == vtaBottom) R.Top = R.Bottom - A - B;
    else if (VAlign == vtaCenter) R.Top = R.Top - m;
  } else {
    if (HAlign == taLeftJustify) R.Left += C + D;
    else if (HAlign == taRightJustify) R.Left = R.Right;
    else R.Left = R.Right - (W - C - D) / 2;
    if (VAlign == vtaTop) R.Top += A;
    else if (VAlign == vtaBottom) R.Top = R.Bottom - B;
    else R.Top = R.Top + A - m;
  }
}

void TExStringGrid::PlaceRotatedCellText(TCanvas* ACanvas, TRect& R, Integer Angle, const String& Text,
                                         TAlignment HAlign, TVAlignment VAlign) {
  ACanvas->Font()->SetOrientation(0);
  const Integer TW = ACanvas->TextWidth(Text);
  const Integer TH = ACanvas->TextHeight(Text);
  const double A = Angle * std::numbers::pi / 180.0;
  const Integer CA = static_cast<Integer>(std::trunc(std::abs(std::cos(A) * TH)));
  const Integer SB = static_cast<Integer>(std::trunc(std::abs(std::sin(A) * TW)));
  const Integer SC = static_cast<Integer>(std::trunc(std::abs(std::sin(A) * TH)));
  const Integer CD = static_cast<Integer>(std::trunc(std::abs(std::cos(A) * TW)));
  InflateRect(R, -2, -2);
  PlaceRotatedText(R, HAlign, VAlign, Angle, CD, SC, SB, CA);
}

// ---------------------------------------------------------------------------------------------
// Sort indicator
// ---------------------------------------------------------------------------------------------

bool TExStringGrid::IsSortIndicatorRow(Integer ACol, Integer ARow) {
  if (IsMergedCell(ACol, ARow)) ARow += CellSpan(ACol, ARow).Y;
  return ARow == FSortSettings->Row() && FSortSettings->Show() && RowCount() > TBaseGrid::FixedRows() + 1;
}

void TExStringGrid::DrawSortIndicator(TCanvas* ACanvas, Integer ACol, Integer X, Integer Y) {
  const Integer x = X;
  if (FSortSettings->IndexShow()) {
    const Integer P = FSortIndexes->FindIndex(ACol);
    if (P < 0) return;
    const bool Descending = !FSortIndexes->SortDirections(P);
    TBitmap* UpG = FSortSettings->IndexUpGlyph();
    TBitmap* DownG = FSortSettings->IndexDownGlyph();
    const bool Glyphs = UpG && DownG && !UpG->Empty() && !DownG->Empty();
    ACanvas->Brush()->SetColor(FSortSettings->IndexColor());
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Pen()->SetWidth(1);
    if (Descending) {
      if (!Glyphs) {
        const TPoint T[] = {{x - 7, Y - 5}, {x + 7, Y - 5}, {x, Y + 8}};
        ACanvas->Polygon(T, 3);
      } else {
        TBitmap Work;
        Work.Assign(UpG);
        Work.SetTransparent(true);
        ACanvas->Draw(x - 7, Y - 7, &Work);
      }
    } else {
      if (!Glyphs) {
        const TPoint T[] = {{x - 6, Y + 8}, {x + 6, Y + 8}, {x, Y - 4}};
        ACanvas->Polygon(T, 3);
      } else {
        TBitmap Work;
        Work.Assign(DownG);
        Work.SetTransparent(true);
        ACanvas->Draw(x - 7, Y - 7, &Work);
      }
    }
    const TFontStyles SavedStyle = ACanvas->Font()->Style();
    const TColor SavedColor = ACanvas->Font()->Color();
    const Integer SavedSize = ACanvas->Font()->Size();
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Font()->SetColor(clBlack);
    ACanvas->Font()->SetSize(6);
    ACanvas->TextOut(x - 2, Descending ? Y - 4 : Y - 2, IntToStr(P + 1));
    ACanvas->Font()->SetSize(SavedSize);
    ACanvas->Font()->SetColor(SavedColor);
    ACanvas->Font()->SetStyle(SavedStyle);
    ACanvas->Brush()->SetStyle(bsSolid);
    return;
  }

  TBitmap* UpG = FSortSettings->UpGlyph();
  TBitmap* DownG = FSortSettings->DownGlyph();
  const bool Glyphs = UpG && DownG && !UpG->Empty() && !DownG->Empty();
  const bool Descending = FSortSettings->Direction() == sdDescending;
  if (!Glyphs) {
    ACanvas->Pen()->SetWidth(1);
    if (Descending) {
      ACanvas->Pen()->SetColor(clWhite);
      ACanvas->MoveTo(x + 4, Y - 4);
      ACanvas->LineTo(x, Y + 4);
      ACanvas->Pen()->SetColor(0x808080);
      ACanvas->LineTo(x - 4, Y - 4);
      ACanvas->LineTo(x + 4, Y - 4);
    } else {
      ACanvas->Pen()->SetColor(clWhite);
      ACanvas->MoveTo(x - 4, Y + 4);
      ACanvas->LineTo(x + 4, Y + 4);
      ACanvas->LineTo(x, Y - 4);
      ACanvas->Pen()->SetColor(0x808080);
      ACanvas->LineTo(x - 4, Y + 4);
    }
    ACanvas->Pen()->SetColor(clBlack);
  } else {
    TBitmap Work;
    Work.Assign(Descending ? DownG : UpG);
    Work.SetTransparent(true);
    ACanvas->Draw(x - 4, Y - 4, &Work);
    ACanvas->SetBkColor(FixedColor());
  }
}

// ---------------------------------------------------------------------------------------------
// Balloons and notifications
// ---------------------------------------------------------------------------------------------

bool TExStringGrid::GetCellBalloon(Integer ACol, Integer ARow, String& ATitle, String& AText, Integer& AIcon) {
  if (!FBalloonSettings || !FBalloonSettings->Enable()) return false;
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
  const TPoint B = BaseCell(DisplayToRealCol(ACol), ARow);
  const Integer RCol = B.X;
  const Integer R = B.Y;

  String Text = GetCellEx(RCol, R);
  switch (GetCellTextKind(Text, FEnableHTML)) {
    case ctkHtml: Text = StripHtml(Text); break;
    case ctkRichText: Text = GridRichTextToPlain(Text); break;
    case ctkUnicode: Text = DecodeUnicodeText(Text); break;
    default: break;
  }
  for (Char& Ch : Text)
    if (Ch == u'\t') Ch = u' ';
  size_t Start = 0;
  while (Start < Text.size() && (Text[Start] == u'\r' || Text[Start] == u'\n' || Text[Start] == u'\t')) ++Start;
  Text.erase(0, Start);
  if (Text.size() > 2048) Text = Text.substr(0, 2045) + u"...";

  AIcon = 1;
  ATitle = u" ";
  String BTitle, BText;
  Integer BIcon = 0;
  if (IsBalloon(RCol, R, BTitle, BText, BIcon)) {
    ATitle = BTitle;
    Text = BText;
    AIcon = BIcon;
  }
  if (OnCellBalloon) OnCellBalloon(this, RCol, R, ATitle, Text, AIcon);
  if (ATitle.size() > 100) ATitle = ATitle.substr(0, 97) + u"...";
  AText = Text;
  FLastBalloonPos = TPoint(ACol, ARow);
  return true;
}

void TExStringGrid::WMNotify(TMessage& M) {
  auto* Hdr = reinterpret_cast<NMHDR*>(M.LParam);
  if (Hdr && Hdr->code == TTN_GETDISPINFOW) {
    auto* Info = reinterpret_cast<NMTTDISPINFOW*>(M.LParam);
    if (!FBalloonSettings || !FBalloonSettings->Enable()) return;
    const TPoint P = ScreenToClient(GetCursorPos());
    Integer C = -1, R = -1;
    MouseToCell(P.X, P.Y, C, R);
    String Title, Text;
    Integer Icon = 1;
    if (!GetCellBalloon(C, R, Title, Text, Icon)) return;
    Info->Text = Text;
    if (TWinControl* Tip = FindControl(Hdr->hwndFrom)) {
      Tip->Perform(TTM_SETMAXTIPWIDTH, 0, 300);
      if (FBalloonSettings->TextColor() != clNone)
        Tip->Perform(TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(FBalloonSettings->TextColor()), 0);
      if (FBalloonSettings->BackgroundColor() != clNone)
        Tip->Perform(TTM_SETTIPBKCOLOR, static_cast<WPARAM>(FBalloonSettings->BackgroundColor()), 0);
      Tip->Perform(TTM_SETTITLEW, static_cast<WPARAM>(Icon), reinterpret_cast<LPARAM>(&Title));
    }
    return;
  }
  // The balloon's show and pop notices need no answer.
  if (Hdr && (Hdr->code == TTN_SHOW || Hdr->code == TTN_POP)) return;
  TBaseGrid::WMNotify(M);
}
