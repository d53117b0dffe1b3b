// Our own DrawText: prefix characters, tabs, line and word breaks, ellipses, alignment, clipping
// and measuring, on the font metrics of the backend.
#include <algorithm>
#include <functional>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

namespace {

const String kEllipsis = u"...";

// One line laid out: its text and the position of the underlined prefix character (-1: none).
struct TLine {
  String Text;
  Integer Prefix = -1;
};

struct TMeasure {
  const TFont& Font;
  Integer TabWidth;
  bool ExpandTabs;
  Integer AveCharWidth;
  // Width of a line, tabs expanded to the next stop when asked.
  Integer Width(const String& S) const {
    if (!ExpandTabs || S.find(u'\t') == String::npos) return GraphicsBackend::TextWidth(Font, S);
    Integer X = 0;
    size_t Start = 0;
    for (;;) {
      const size_t Tab = S.find(u'\t', Start);
      X += GraphicsBackend::TextWidth(Font, S.substr(Start, Tab - Start));
      if (Tab == String::npos) break;
      X = NextStop(X);
      Start = Tab + 1;
    }
    return X;
  }
  // Where a tab at X moves the text to.
  Integer NextStop(Integer X) const { return TabWidth > 0 ? (X / TabWidth + 1) * TabWidth : X; }
  // Width of the first N characters.
  Integer Width(const String& S, size_t N) const { return Width(S.substr(0, N)); }
};

// Removes the prefix markers: "&&" gives "&", "&x" gives x and marks it; a lone "&" at the end
// is dropped. The last marked character is the one underlined.
String StripPrefix(const String& S, Integer& Prefix) {
  String Out;
  Prefix = -1;
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] != u'&') {
      Out.push_back(S[I]);
      continue;
    }
    if (I + 1 >= S.size()) break;
    ++I;
    if (S[I] != u'&') Prefix = static_cast<Integer>(Out.size());
    Out.push_back(S[I]);
  }
  return Out;
}

// The longest length Keep in 0 … Most whose Text(Keep) fits in Width (0 when none does). Widths
// grow with the length, so a binary search measures about log2(Most) texts instead of every one.
size_t LongestFitting(size_t Most, Integer Width, const std::function<Integer(size_t Keep)>& TextWidth) {
  size_t Lo = 0, Hi = Most;
  while (Lo < Hi) {
    const size_t Mid = Lo + (Hi - Lo + 1) / 2;
    if (TextWidth(Mid) <= Width)
      Lo = Mid;
    else
      Hi = Mid - 1;
  }
  return Lo;
}

// Cuts Line (keeping its prefix mark when it survives) so that it plus "..." fits in Width.
void EndEllipsis(TLine& Line, const TMeasure& M, Integer Width, bool AtWord) {
  if (M.Width(Line.Text) <= Width) return;
  String Text = Line.Text;
  size_t Keep = LongestFitting(Text.size(), Width, [&](size_t K) { return M.Width(Text.substr(0, K) + kEllipsis); });
  if (AtWord) {
    // Prefer to end at a word boundary inside the part that fits.
    size_t Space = Text.find_last_of(u' ', Keep);
    if (Space != String::npos && Space > 0 && Space <= Keep) Keep = Space;
  }
  while (Keep > 0 && Text[Keep - 1] == u' ') --Keep;
  Line.Text = Text.substr(0, Keep) + kEllipsis;
  if (Line.Prefix >= static_cast<Integer>(Keep)) Line.Prefix = -1;
}

// Replaces the middle of a path with "...", keeping the last component: "C:\a\b\file.txt" gives
// "C:\a...\file.txt". When even the last component does not fit, the end is cut instead.
void PathEllipsis(TLine& Line, const TMeasure& M, Integer Width) {
  if (M.Width(Line.Text) <= Width) return;
  const String& Text = Line.Text;
  const size_t Sep = Text.find_last_of(u"\\/");
  if (Sep == String::npos || Sep == 0) {
    EndEllipsis(Line, M, Width, false);
    return;
  }
  const String Tail = Text.substr(Sep);
  size_t Keep = LongestFitting(Sep, Width, [&](size_t K) { return M.Width(Text.substr(0, K) + kEllipsis + Tail); });
  if (M.Width(Text.substr(0, Keep) + kEllipsis + Tail) > Width) {
    TLine T{kEllipsis + Tail, -1};
    EndEllipsis(T, M, Width, false);
    Line = T;
    return;
  }
  const Integer Prefix = Line.Prefix;
  Line.Text = Text.substr(0, Keep) + kEllipsis + Tail;
  if (Prefix >= static_cast<Integer>(Keep) && Prefix < static_cast<Integer>(Sep))
    Line.Prefix = -1;
  else if (Prefix >= static_cast<Integer>(Sep))
    Line.Prefix = Prefix - static_cast<Integer>(Sep - Keep) + static_cast<Integer>(kEllipsis.size());
}

// The longest run of S from Start whose width fits in Width, and when the whole rest fits, the
// rest. Widths grow with the length, so the search measures about twice the line's length in a few
// runs instead of the whole rest: it first tries the run a line of average characters could hold
// (most cells hold a text shorter than that, settled by one measure), then doubles it while it fits
// and halves back between the last run that fits and the first that does not.
size_t FittingRun(const String& S, size_t Start, const TMeasure& M, Integer Width) {
  const size_t Rest = S.size() - Start;
  auto RunWidth = [&](size_t K) { return M.Width(S.substr(Start, K)); };
  const size_t Guess = 8 + 2 * static_cast<size_t>(std::max<Integer>(Width, 0) / std::max<Integer>(M.AveCharWidth, 1));
  size_t Lo = 0;                      // a run that fits (or none)
  size_t Hi = std::min(Rest, Guess);  // the run tried next
  while (RunWidth(Hi) <= Width) {
    if (Hi == Rest) return Rest;
    Lo = Hi;
    Hi = std::min(Rest, 2 * Hi);
  }
  // The longest fitting run is at least Lo and shorter than Hi.
  return Lo + LongestFitting(Hi - 1 - Lo, Width, [&](size_t K) { return RunWidth(Lo + K); });
}

// Breaks one paragraph into lines of at most Width: at blanks, and inside a word that is too
// long for a line of its own (unless KeepWords, when such a word stays whole on its line).
void WrapParagraph(const TLine& Para, const TMeasure& M, Integer Width, bool KeepWords,
                   std::vector<TLine>& Out) {
  const String& S = Para.Text;
  size_t Start = 0;
  if (S.empty()) {
    Out.push_back(Para);
    return;
  }
  while (Start < S.size()) {
    const size_t End = Start + FittingRun(S, Start, M, Width);
    size_t Cut, Next;
    if (End >= S.size()) {
      Cut = Next = S.size();
    } else if (S[End] == u' ') {
      Cut = End;
      Next = End;
    } else {
      // The last blank of the run, looked for within the line only.
      size_t LastBreak = String::npos;
      for (size_t I = End + 1; I-- > Start;)
        if (S[I] == u' ') {
          LastBreak = I;
          break;
        }
      if (LastBreak != String::npos) {
        Cut = LastBreak;
        Next = LastBreak;
      } else if (KeepWords) {
        Cut = S.find(u' ', End);
        if (Cut == String::npos) Cut = S.size();
        Next = Cut;
      } else {
        Cut = Next = std::max(End, Start + 1);  // at least one character per line
      }
    }
    TLine L;
    L.Text = S.substr(Start, Cut - Start);
    while (!L.Text.empty() && L.Text.back() == u' ') L.Text.pop_back();
    if (Para.Prefix >= static_cast<Integer>(Start) && Para.Prefix < static_cast<Integer>(Cut))
      L.Prefix = Para.Prefix - static_cast<Integer>(Start);
    Out.push_back(L);
    Start = Next;
    while (Start < S.size() && S[Start] == u' ') ++Start;  // blanks at a break are dropped
  }
}

}  // namespace

Integer DrawText(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format) {
  return DrawText(Canvas, Text, -1, R, Format);
}

Integer DrawText(TCanvas* Canvas, const String& AText, Integer Count, TRect& R, Cardinal Format) {
  if (!Canvas) return 0;
  String Text = Count >= 0 && Count < static_cast<Integer>(AText.size()) ? AText.substr(0, Count) : AText;
  // With DT_TABSTOP the second byte is the tab width in average characters, not flags.
  Integer TabChars = 8;
  if (Format & DT_TABSTOP) {
    TabChars = static_cast<Integer>((Format >> 8) & 0xFF);
    Format &= ~Cardinal(0xFF00);
  }
  const TFont& Font = *Canvas->Font();
  const GraphicsBackend::TFontInfo Info = GraphicsBackend::FontInfo(Font);
  const TMeasure M{Font, TabChars * std::max<Integer>(Info.AveCharWidth, 1), (Format & DT_EXPANDTABS) != 0,
                   Info.AveCharWidth};
  const Integer LineH = Info.Height + ((Format & DT_EXTERNALLEADING) ? Info.ExternalLeading : 0);
  const Integer Width = R.Width();
  const bool Single = (Format & DT_SINGLELINE) != 0;
  const bool Ellipsis = (Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0;
  const bool Calc = (Format & DT_CALCRECT) != 0;

  // Paragraphs: line ends split them unless the text is one line.
  std::vector<TLine> Paras;
  {
    String Para;
    auto Flush = [&] {
      TLine L;
      if (Format & DT_NOPREFIX) {
        L.Text = Para;
      } else {
        L.Text = StripPrefix(Para, L.Prefix);
        if (Format & DT_HIDEPREFIX) L.Prefix = -1;
      }
      Paras.push_back(L);
      Para.clear();
    };
    for (size_t I = 0; I < Text.size(); ++I) {
      const Char C = Text[I];
      if (C == u'\r' || C == u'\n') {
        if (Single) continue;
        if (C == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
        Flush();
        continue;
      }
      Para.push_back(C);
    }
    Flush();
  }

  std::vector<TLine> Lines;
  for (const TLine& P : Paras) {
    if (!Single && (Format & DT_WORDBREAK))
      WrapParagraph(P, M, Width, Ellipsis, Lines);
    else
      Lines.push_back(P);
  }

  // Lines that do not fit are shortened with an ellipsis when drawing.
  if (!Calc && Ellipsis) {
    for (TLine& L : Lines) {
      if (Format & DT_PATH_ELLIPSIS)
        PathEllipsis(L, M, Width);
      else
        EndEllipsis(L, M, Width, (Format & DT_WORD_ELLIPSIS) != 0);
    }
  }

  const Integer TextH = LineH * static_cast<Integer>(Lines.size());

  if (Calc) {
    Integer MaxW = 0;
    for (const TLine& L : Lines) MaxW = std::max(MaxW, M.Width(L.Text));
    R.Right = R.Left + MaxW;
    R.Bottom = R.Top + TextH;
    return TextH;
  }

  Integer Y = R.Top;
  if (Single) {
    if (Format & DT_VCENTER)
      Y = (R.Top + R.Bottom - LineH) / 2;
    else if (Format & DT_BOTTOM)
      Y = R.Bottom - LineH;
  }

  TCanvas::Surface* S = Canvas->GetSurface();
  const bool Record = S && S->Recording;
  if (Record || (S && S->Target && !S->Target->Empty())) {
    const TPoint Org = Canvas->WindowOrg();
    TRegion Clip;
    if (!Record) {
      Clip = TRegion(GraphicsRaster::ImageRect(*S->Target));
      TRegion Current;
      if (Canvas->GetClipRgn(Current)) Clip.Intersect(Current);
      if (!(Format & DT_NOCLIP)) {
        TRect D = R;
        OffsetRect(D, -Org.X, -Org.Y);
        Clip.Intersect(D);
      }
    }
    GraphicsRaster::TRasterBrush TextBrush, BkBrush;
    TextBrush.RGB = ColorToRGB(Font.Color()) & 0xFFFFFF;
    BkBrush.RGB = ColorToRGB(Canvas->BkColor()) & 0xFFFFFF;
    const bool Opaque = Canvas->BkMode() == OPAQUE;
    const bool Rtl = (Format & DT_RTLREADING) != 0;
    // A run of text and the prefix's underline at logical coordinates: kept as text on a recorded
    // page (a printer's), set as pixels otherwise.
    auto Run = [&](Integer X, Integer Y, const String& Text) {
      if (Text.empty()) return;
      if (Record) {
        GraphicsRecord::Text(*Canvas, X, Y, Text, Font, Opaque, Canvas->BkColor(), (Format & DT_NOCLIP) ? nullptr : &R);
        return;
      }
      // Transparent text is set straight into the target; an opaque one needs the cell's mask too.
      if (!Opaque && !Rtl && GraphicsBackend::SetTextPixels(*S->Target, Clip, Font, X - Org.X, Y - Org.Y, Text, TextBrush.RGB))
        return;
      GraphicsBackend::TMask Glyphs, Cell;
      GraphicsBackend::RasterizeText(Font, X - Org.X, Y - Org.Y, Text, Rtl, Glyphs, Cell);
      if (Opaque) GraphicsRaster::FillMask(*S->Target, Clip, Cell, BkBrush, pmCopy);
      GraphicsRaster::FillMask(*S->Target, Clip, Glyphs, TextBrush, pmCopy);
    };
    auto Underline = [&](const TRect& U) {
      if (Record) {
        GraphicsRecord::Fill(*Canvas, U, Font.Color());
        return;
      }
      TRect D = U;
      OffsetRect(D, -Org.X, -Org.Y);
      GraphicsRaster::FillRect(*S->Target, Clip, D, TextBrush, pmCopy);
    };
    // Lines wholly above or below the clip are not drawn (on a recorded page every line is kept),
    // and a line is measured only where its alignment needs its width.
    const TRect Visible = Record ? TRect(0, 0, 0, 0) : Clip.Bounds();
    Integer LineY = Y;
    for (const TLine& L : Lines) {
      // An edit control shows no partly visible last line.
      if ((Format & DT_EDITCONTROL) && LineY + LineH > R.Bottom && LineY != Y) break;
      if (!Record && LineY - Org.Y >= Visible.Bottom) break;
      if (!Record && LineY - Org.Y + LineH <= Visible.Top) {
        LineY += LineH;
        continue;
      }
      Integer X = R.Left;
      if (Format & DT_CENTER)
        X = (R.Left + R.Right - M.Width(L.Text)) / 2;
      else if (Format & DT_RIGHT)
        X = R.Right - M.Width(L.Text);
      if (!(Format & DT_PREFIXONLY)) {
        // Tabs: each run is drawn at its own stop, the stops found run by run.
        size_t Start = 0;
        Integer RunX = 0;
        for (;;) {
          size_t Tab = M.ExpandTabs ? L.Text.find(u'\t', Start) : String::npos;
          const String Piece = L.Text.substr(Start, Tab == String::npos ? String::npos : Tab - Start);
          Run(X + RunX, LineY, Piece);
          if (Tab == String::npos) break;
          RunX = M.NextStop(RunX + GraphicsBackend::TextWidth(Font, Piece));
          Start = Tab + 1;
        }
      }
      if (L.Prefix >= 0 && L.Prefix < static_cast<Integer>(L.Text.size())) {
        const Integer UX0 = X + M.Width(L.Text, L.Prefix);
        const Integer UX1 = X + M.Width(L.Text, L.Prefix + 1);
        const Integer UY = LineY + Info.Ascent + std::max<Integer>(Info.UnderlinePos, 1);
        Underline(TRect(UX0, UY, UX1, UY + std::max<Integer>(Info.LineWidth, 1)));
      }
      LineY += LineH;
    }
    if (Canvas->OnChange) Canvas->OnChange(Canvas);
  }
  if (Single && (Format & (DT_VCENTER | DT_BOTTOM))) return Y - R.Top + TextH;
  return TextH;
}
