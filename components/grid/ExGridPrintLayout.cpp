// TExStringGrid: the page layout of printing. Column widths come from measuring the cells; columns
// that do not fit one page go to further column bands, each printed top to bottom over as many
// pages as it needs; the fixed rows and columns may repeat on every page, and each page gets its
// header and footer texts (time, date, page number, title) and its borders.
#include <algorithm>
#include <climits>
#include <cmath>

#include "components/grid/ExGridPrintInternal.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Printers.h"

namespace {

// The last column the print arrays can hold: Indents [c + 1] is the right edge of column c.
constexpr Integer LastPrintColumn = MaxGridColumns - 2;

bool AtTop(TPrintPosition P) { return P == ppTopLeft || P == ppTopRight || P == ppTopCenter; }
bool AtBottom(TPrintPosition P) { return P == ppBottomLeft || P == ppBottomRight || P == ppBottomCenter; }

}  // namespace

TGridPrintLayout::TGridPrintLayout(TExStringGrid* AGrid, TCanvas* ACanvas, Integer AMode, bool ASelectedOnly,
                                   Integer ATotalPages)
    : G(AGrid), C(ACanvas), PS(AGrid->PrintSettings()), FMode(AMode), FSelectedOnly(ASelectedOnly),
      FTotalPages(ATotalPages) {
  Scale = G->FPrintDPI / 254.0;
  Org = G->FPrintOrigin;
  K = 254.0 / Screen->PixelsPerInch();
}

// --- Mapping and text ---------------------------------------------------------------------------

Integer TGridPrintLayout::DX(Integer X) const { return Org.X + RoundInt(X * Scale); }
Integer TGridPrintLayout::DY(Integer Y) const { return Org.Y - RoundInt(Y * Scale); }
TRect TGridPrintLayout::DevRect(Integer L, Integer T, Integer R, Integer B) const {
  return TRect(DX(L), DY(T), DX(R), DY(B));
}
Integer TGridPrintLayout::ToLogical(Integer Pixels) const { return RoundInt(Pixels / Scale); }

void TGridPrintLayout::SelectFont(const TFont* Font) {
  C->Font()->Assign(Font);
  const Integer Height = G->MapFontHeight(Font->Size());
  C->Font()->SetHeight(std::min(-1, RoundInt(Height * Scale)));
}

Integer TGridPrintLayout::TextWidth(const String& S) { return ToLogical(C->TextWidth(S)); }
Integer TGridPrintLayout::TextHeight(const String& S) { return ToLogical(C->TextHeight(S)); }

void TGridPrintLayout::TextAt(Integer X, Integer Y, const String& S) {
  if (!S.empty()) C->TextOut(DX(X), DY(Y), S);
}

void TGridPrintLayout::Line(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  C->MoveTo(DX(X1), DY(Y1));
  C->LineTo(DX(X2), DY(Y2));
}

// --- Selection ----------------------------------------------------------------------------------

bool TGridPrintLayout::IsPrintRowSelected(Integer ARow) {
  if (!FSelectedOnly) return true;
  if (ARow < G->FixedRows() && PS->FixedCellsAlways()) return true;
  if (G->MouseActions()->DisjunctRowSelect()) {
    const Integer R = G->MouseActions()->RowSelectPersistent() ? G->DisplayRowToRealRow(ARow) : ARow;
    return G->RowSelect(R);
  }
  const TGridRect Sel = G->Selection();
  return ARow >= Sel.Top && ARow <= Sel.Bottom;
}

bool TGridPrintLayout::IsPrintColSelected(Integer ACol) {
  if (!FSelectedOnly) return true;
  if (G->MouseActions()->DisjunctRowSelect()) return true;
  if (ACol < G->FixedCols() && PS->FixedCellsAlways()) return true;
  if (G->MouseActions()->DisjunctColSelect()) return G->ColSelect(ACol);
  const TGridRect Sel = G->Selection();
  return ACol >= Sel.Left && ACol <= Sel.Right;
}

bool TGridPrintLayout::PageInRange() const { return p + 1 >= G->FPrintPageFrom && p + 1 <= G->FPrintPageTo; }

// --- Column widths ------------------------------------------------------------------------------

void TGridPrintLayout::CalcPrintColumnWidths() {
  const TGridRect& PR = G->FPrintRect;
  // The repeated fixed columns are measured with the range.
  const Integer First = PS->RepeatFixedCols() ? 0 : PR.Left;
  for (Integer c = First; c <= PR.Right; ++c) G->MaxWidths[c] = 0;
  if (PS->NoAutoSize()) {
    for (Integer c = First; c <= PR.Right; ++c)
      if (IsPrintColSelected(c)) G->MaxWidths[c] = RoundInt(G->ColWidths(c) * K);
    return;
  }
  const Integer FixedRows = G->FixedRows();
  for (Integer r = 0; r < G->RowCount(); ++r) {
    const bool Repeated = r < FixedRows && PS->RepeatFixedRows();
    if ((r < PR.Top || r > PR.Bottom) && !Repeated) continue;
    for (Integer c = First; c <= PR.Right; ++c) {
      if (!IsPrintColSelected(c)) continue;
      const Integer RC = G->DisplayToRealCol(c);
      if (G->IsXMergedCell(RC, r)) continue;
      const Integer Wd = PS->UseFixedWidth() ? PS->FixedWidth() : MeasurePrintCell(RC, r).X;
      G->MaxWidths[c] = std::max(G->MaxWidths[c], Wd);
    }
  }
}

// --- Header and footer --------------------------------------------------------------------------

void TGridPrintLayout::CalcHeaderFooterHeights(bool WithHtmlTitle) {
  (void)WithHtmlTitle;
  const Integer Lines = PS->TitleText().empty() ? PS->TitleLines()->Count() : 0;
  if (AtTop(PS->Time()) || AtTop(PS->Date()) || AtTop(PS->PageNr()) || AtTop(PS->Title())) {
    T = s + hh + PS->HeaderSize();
    if (AtTop(PS->Title()) && Lines > 1) T += (Lines - 1) * hh;
  } else {
    T = PS->HeaderSize();
  }
  if (AtBottom(PS->Time()) || AtBottom(PS->Date()) || AtBottom(PS->PageNr()) || AtBottom(PS->Title())) {
    B = 2 * s + 2 * fh + PS->FooterSize();
    if (AtBottom(PS->Title()) && Lines > 1) B += (Lines - 1) * fh;
  } else {
    B = s + fh + PS->FooterSize();
  }
}

String TGridPrintLayout::JoinWithBlank(const String& Text, const String& Item, bool InFront) {
  if (Text.empty()) return Item;
  return InFront ? Item + u" " + Text : Text + u" " + Item;
}

String TGridPrintLayout::GetPageNumberText() {
  String Text;
  Integer Page = p + 1;
  if (FMultiBand) {
    Text = IntToStr(FPageInBand + 1) + u"-" + IntToStr(FBandNo + 1);
    Page = FPageInBand + 1;
  } else {
    Page = p + 1 + PS->PageNumberOffset();
    Text = IntToStr(Page);
    if (!PS->PageNumSep().empty() && FTotalPages > 1)
      Text += PS->PageNumSep() + IntToStr(FTotalPages + PS->MaxPagesOffset());
  }
  G->PrintGetPageNum(Page, FBandNo + 1, Text);
  return Text;
}

Integer TGridPrintLayout::PrintHeaderFooter() {
  if (!Drawing() || !PageInRange()) return 0;
  // One text per position: top left, top right, top centre, bottom left, bottom right, bottom centre.
  String Texts[7];
  auto Add = [&Texts](TPrintPosition Pos, const String& Item) {
    if (Pos == ppNone) return;
    const bool Left = Pos == ppTopLeft || Pos == ppBottomLeft;
    Texts[Pos] = JoinWithBlank(Texts[Pos], Item, Left);
  };
  Add(PS->Time(), FormatDateTime(u"hh:nn", Now()));
  Add(PS->Date(), FormatDateTime(PS->DateFormat(), Now()));
  if (PS->PageNr() != ppNone)
    Add(PS->PageNr(), PS->PagePrefix() + u" " + GetPageNumberText() + u" " + PS->PageSuffix());
  std::vector<String> TitleLines;
  if (!PS->TitleText().empty()) {
    Add(PS->Title(), PS->TitleText());
  } else if (PS->TitleLines()->Count() > 0) {
    for (Integer i = 0; i < PS->TitleLines()->Count(); ++i) {
      String L = PS->TitleLines()->Strings(i);
      if (GetCellTextKind(L, G->EnableHTML()) == ctkHtml) L = StripHtml(L);
      TitleLines.push_back(L);
    }
    Add(PS->Title(), TitleLines.front());
  }

  TFont Saved;
  Saved.Assign(C->Font());
  const TColor SavedBrush = C->Brush()->Color();
  const TBrushStyle SavedStyle = C->Brush()->Style();
  C->Brush()->SetStyle(bsClear);
  auto Place = [this](Integer Pos, const String& S, Integer Y) {
    if (S.empty()) return;
    const Integer Wd = TextWidth(S);
    Integer X = PS->LeftSize();
    if (Pos == ppTopRight || Pos == ppBottomRight) X = W - Wd - PS->RightSize() - 20;
    if (Pos == ppTopCenter || Pos == ppBottomCenter) X = (W - Wd) / 2;
    TextAt(X, Y, S);
  };
  SelectFont(PS->HeaderFont());
  const Integer HeaderY = -PS->HeaderSize();
  for (Integer Pos = ppTopLeft; Pos <= ppTopCenter; ++Pos) Place(Pos, Texts[Pos], HeaderY);
  if (AtTop(PS->Title()))
    for (size_t i = 1; i < TitleLines.size(); ++i)
      Place(PS->Title(), TitleLines[i], HeaderY - static_cast<Integer>(i) * TextHeight(u"gh"));
  SelectFont(PS->FooterFont());
  const Integer FooterY = H + fh + s + PS->FooterSize();
  for (Integer Pos = ppBottomLeft; Pos <= ppBottomCenter; ++Pos) Place(Pos, Texts[Pos], FooterY);
  if (AtBottom(PS->Title()))
    for (size_t i = 1; i < TitleLines.size(); ++i)
      Place(PS->Title(), TitleLines[i], FooterY - static_cast<Integer>(i) * TextHeight(u"gh"));
  C->Font()->Assign(&Saved);
  C->Brush()->SetColor(SavedBrush);
  C->Brush()->SetStyle(SavedStyle);
  return 0;
}

// --- Page borders and page breaks ---------------------------------------------------------------

void TGridPrintLayout::PrintPageBorders(Integer Bs, Integer E, Integer Y) {
  if (!Drawing() || !PageInRange()) return;
  const Integer Yb = Y + s / 2;
  const Integer Yt = -T - PS->TitleSpacing();
  const TPrintBorders Kind = PS->Borders();
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(PS->BorderStyle());
  C->Pen()->SetWidth(std::max(1, RoundInt((Kind == pbDouble ? 10 : 2) * Scale)));
  const Integer Left = rf ? G->Indents[0] : G->Indents[Bs];
  if (Kind == pbAround || Kind == pbAroundVertical || Kind == pbAroundHorizontal) {
    Line(Left, Yt, G->Indents[E + 1], Yt);
    Line(G->Indents[E + 1], Yt, G->Indents[E + 1], Yb);
    Line(G->Indents[E + 1], Yb, Left, Yb);
    Line(Left, Yb, Left, Yt);
  }
  if (Kind == pbDouble || Kind == pbHorizontal || Kind == pbAroundHorizontal)
    Line(Left, Yb, G->Indents[E + 1], Yb);
  if ((Kind == pbDouble || Kind == pbVertical || Kind == pbAroundVertical) && rf)
    for (Integer c = 0; c < G->FixedCols(); ++c) Line(G->Indents[c], Yt, G->Indents[c], Yb);
}

void TGridPrintLayout::StartNextPage() {
  if (p + 2 < G->FPrintPageFrom || p + 2 > G->FPrintPageTo) return;
  if (FMode == 1 && G->FPrintOnPrinter && p + 1 >= G->FPrintPageFrom) {
    Printer()->NewPage();
    C = Printer()->Canvas();
  }
  if (Drawing() && G->OnPrintPage) G->OnPrintPage(G, C, p + 2, W, H);
}

// --- The layout ---------------------------------------------------------------------------------

Integer TGridPrintLayout::Run() {
  TGridRect& PR = G->FPrintRect;
  PR.Left = std::max(0, PR.Left);
  PR.Top = std::max(0, PR.Top);
  PR.Right = std::min({PR.Right, G->ColCount() - 1, LastPrintColumn});
  PR.Bottom = std::min(PR.Bottom, G->RowCount() - 1);

  // 1. Page size, metrics and pen.
  if (FMode == 1) {
    const TRect Clip = C->ClipRect();
    W = ToLogical(Clip.Right - Org.X) - ToLogical(Clip.Left - Org.X);
    H = -ToLogical(Clip.Bottom - Org.Y);
  } else if (FMode == 2) {
    W = G->PrevRect.Right - G->PrevRect.Left;
    H = -G->PrevRect.Bottom - G->PrevRect.Top;
  } else {
    W = ToLogical(G->PrevRect.Right - G->PrevRect.Left);
    H = -ToLogical(G->PrevRect.Bottom - G->PrevRect.Top);
  }
  G->FPrintPageRect = TRect(0, 0, W, H);
  G->Fontscalefactor = 1.0;
  TFont SavedFont;
  SavedFont.Assign(C->Font());
  SelectFont(PS->HeaderFont());
  hh = TextHeight(u"gh");
  SelectFont(PS->FooterFont());
  fh = TextHeight(u"gh");
  SelectFont(PS->Font());
  th = TextHeight(u"gh");
  s = th / 8;
  g2 = TextWidth(u"g") / 2;
  m = PS->UseFixedWidth() ? 0 : PS->ColumnSpacing() + 20;
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(PS->BorderStyle());
  f = 1.0;

  if (PR.Right < PR.Left || PR.Bottom < PR.Top) {
    C->Font()->Assign(&SavedFont);
    return 0;
  }

  // 2. Column widths.
  CalcPrintColumnWidths();
  Integer S = 0, Selected = 0;
  for (Integer c = PR.Left; c <= PR.Right; ++c)
    if (IsPrintColSelected(c)) {
      S += G->MaxWidths[c] + m;
      ++Selected;
    }

  // 3. Fit to the page width.
  if (PS->FitToPage() != fpNever) {
    const Integer Gaps = Selected * m;
    if (S != Gaps) f = static_cast<double>(W - PS->RightSize() - PS->LeftSize() - Gaps) / (S - Gaps);
    if ((PS->FitToPage() == fpShrink && f > 1) || (PS->FitToPage() == fpGrow && f < 1)) f = 1.0;
    if (PS->FitToPage() == fpCustom && f != 1.0 && G->OnFitToPage) {
      bool Allow = true;
      G->OnFitToPage(G, f, Allow);
      if (!Allow) f = 1.0;
    }
    if (f != 1.0) {
      const Integer First = PS->RepeatFixedCols() ? 0 : PR.Left;
      for (Integer c = First; c <= PR.Right; ++c) G->MaxWidths[c] = static_cast<Integer>(G->MaxWidths[c] * f);
    }
  }
  // 4. The application may change each width.
  if (G->OnPrintSetColumnWidth)
    for (Integer c = PR.Left; c <= PR.Right; ++c) G->OnPrintSetColumnWidth(G, c, G->MaxWidths[c]);

  // 5. Rows are reported as a selection when the range leaves out normal rows.
  const TGridExportState RowState =
      (PR.Top > G->FixedRows() || PR.Bottom < G->RowCount() - 1) ? esExportSelRow : esExportNewRow;

  // The column bands, found before any page so that page numbers know whether there are several.
  const Integer FC = G->FixedCols();
  auto RepeatIn = [&](Integer Bs) {
    return FC >= 1 && PS->RepeatFixedCols() && !(Bs == PR.Left && FC >= PR.Left);
  };
  auto FixedWidth = [&](Integer Bs) {
    Integer F0 = 0;
    if (RepeatIn(Bs))
      for (Integer c = 0; c < FC; ++c) F0 += G->MaxWidths[c] + m;
    return F0;
  };
  struct TBand {
    Integer Start, End, Width;
  };
  std::vector<TBand> Bands;
  for (Integer Bs = PR.Left; Bs <= PR.Right;) {
    Integer Total = FixedWidth(Bs);
    Integer E = Bs - 1;
    for (Integer c = Bs; c <= PR.Right; ++c) {
      const Integer Add = IsPrintColSelected(c) ? G->MaxWidths[c] + m : 0;
      if (Total + Add > W - PS->RightSize() && E >= Bs) break;
      // A column wider than the page still gets a band of its own.
      Total += Add;
      E = c;
      if (Total > W - PS->RightSize()) break;
    }
    Bands.push_back({Bs, E, Total});
    Bs = E + 1;
  }
  FMultiBand = Bands.size() > 1;

  // 6. The bands, each over as many pages as it needs.
  p = 0;
  FCancelled = false;
  Integer Y = 0;
  for (size_t BandIndex = 0; BandIndex < Bands.size() && !FCancelled; ++BandIndex) {
    const TBand& Band = Bands[BandIndex];
    const Integer Bs = Band.Start, E = Band.End, D = Band.Width;
    FBandStart = Bs;
    FBandEnd = E;
    FBandNo = static_cast<Integer>(BandIndex);
    FPageInBand = 0;
    rf = RepeatIn(Bs);
    const Integer F0 = FixedWidth(Bs);
    G->FPrintPageWidth = D;
    G->FPrintColStart = Bs;
    G->FPrintColEnd = E;

    // Left edges of the band's columns, and of the repeated fixed columns.
    const Integer Start = PS->Centered() ? 0 : PS->LeftSize();
    G->Indents[Bs] = Start;
    G->Indents[0] = Start;
    for (Integer c = Bs; c <= E; ++c) G->Indents[c + 1] = G->Indents[c] + (IsPrintColSelected(c) ? G->MaxWidths[c] + m : 0);
    if (rf)
      for (Integer c = 1; c < FC; ++c) G->Indents[c] = G->Indents[c - 1] + G->MaxWidths[c - 1] + m;
    if (PS->Centered() && D < W) {
      const Integer Shift = (W - D) / 2;
      for (Integer c = Bs; c <= E + 1; ++c) G->Indents[c] += Shift;
      if (rf)
        for (Integer c = 0; c < FC; ++c) G->Indents[c] += Shift;
    }
    for (Integer c = Bs; c <= E + 1; ++c) G->Indents[c] += F0;

    CalcHeaderFooterHeights(true);
    if (Drawing() && G->OnPrintPage) G->OnPrintPage(G, C, p + 1, W, H);

    Integer R = PR.Top;
    Integer n = 0;
    bool DataOnPage = false;
    bool BordersDrawn = false;
    while (R <= PR.Bottom && !FCancelled) {
      BordersDrawn = false;
      if (n == 0) {
        const Integer TitleHeight = PrintHeaderFooter();
        Y = -T - PS->TitleSpacing() - TitleHeight;
        DataOnPage = false;
        const bool FirstOfPrint = p == 0 && PR.Top < G->FixedRows();
        if (R > 0 && !FirstOfPrint && PS->RepeatFixedRows() && G->FixedRows() > 0) {
          for (Integer fr = 0; fr < G->FixedRows(); ++fr) {
            if (rf) PrintRow(Y, 0, FC - 1, fr);
            Y -= PrintRow(Y, Bs, E, fr);
          }
          ++n;
        }
      }
      if (IsPrintRowSelected(R)) {
        const Integer Hr = GetPrintRowHeight(R);
        // A row taller than the room between header and footer prints cut on a page of its own.
        if (Y - Hr > H + B || !DataOnPage) {
          G->ExportNotification(RowState, R);
          if (rf) PrintRow(Y, 0, FC - 1, R);
          Y -= PrintRow(Y, Bs, E, R);
          ++R;
          DataOnPage = true;
        }
      } else {
        ++R;
      }
      ++n;
      bool NewPage = false;
      if (G->OnPrintNewPage) G->OnPrintNewPage(G, R, NewPage);
      const bool Done = R > PR.Bottom;
      const bool Full = Done || NewPage || Y - GetPrintRowHeight(R) <= H + B;
      if (!Full) continue;
      if (Drawing()) {
        if (G->OnPrintPageDone) G->OnPrintPageDone(G, C, R, Y, p + 1, W, H);
        bool Cancel = false;
        if (G->OnPrintCancel) G->OnPrintCancel(G, p + 1, Cancel);
        if (Cancel) FCancelled = true;
      }
      // The range is done: the band ends with this page.
      if (Done || FCancelled) break;
      PrintPageBorders(Bs, E, Y);
      BordersDrawn = true;
      StartNextPage();
      // A fast print stops laying out the band once it is past the pages asked for.
      if (G->FFastPrint && G->FPrintPageTo < p + 2) break;
      ++p;
      ++FPageInBand;
      CalcHeaderFooterHeights(false);
      n = 0;
    }
    if (!BordersDrawn) PrintPageBorders(Bs, E, Y);
    if (BandIndex + 1 < Bands.size()) StartNextPage();
    ++p;
  }
  G->Fontscalefactor = 1.0;
  C->Font()->Assign(&SavedFont);
  return p;
}

// --- The grid's entry ---------------------------------------------------------------------------

Integer TExStringGrid::PrintLayout(TCanvas* Canvas, Integer Mode, bool SelectedOnly, Integer TotalPages) {
  TGridPrintLayout Layout(this, Canvas, Mode, SelectedOnly, TotalPages);
  return Layout.Run();
}
