// Text on the canvas and our own DrawText: measuring, prefix characters, ellipses, word breaks,
// tabs and alignment, with the pinned font (DejaVu Sans, 11 pixels).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"
#include "tests/AllocationCount.h"

namespace {

std::unique_ptr<TBitmap> NewBitmap(Integer W, Integer H) {
  auto B = std::make_unique<TBitmap>();
  B->SetSize(W, H);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, W, H));
  C->Font()->SetName(u"Verdana");
  C->Font()->SetHeight(-11);
  C->Font()->SetColor(clBlack);
  C->Brush()->SetStyle(bsClear);
  return B;
}

std::vector<TColor> Pixels(TBitmap& B) {
  std::vector<TColor> Out;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X) Out.push_back(B.Canvas()->Pixels(X, Y));
  return Out;
}

// The ink (non-white pixels) of a bitmap: its bounding box, empty when there is none.
TRect Ink(TBitmap& B) {
  TRect R(1 << 20, 1 << 20, -1, -1);
  bool Any = false;
  for (Integer Y = 0; Y < B.Height(); ++Y)
    for (Integer X = 0; X < B.Width(); ++X)
      if (B.Canvas()->Pixels(X, Y) != clWhite) {
        Any = true;
        R = Rect(std::min(R.Left, X), std::min(R.Top, Y), std::max(R.Right, X + 1), std::max(R.Bottom, Y + 1));
      }
  return Any ? R : TRect();
}

}  // namespace

TEST(GraphicsText, TextOutTakesTheTopOfTheCellAndMovesThePen) {
  auto B = NewBitmap(80, 30);
  TCanvas* C = B->Canvas();
  const Integer H = C->TextHeight(u"Hg");
  EXPECT_GE(H, 11);
  EXPECT_LE(H, 16);
  C->TextOut(5, 10, u"Hg");
  const TRect I = Ink(*B);
  EXPECT_GE(I.Top, 10);
  EXPECT_LE(I.Bottom, 10 + H);
  EXPECT_GE(I.Left, 5);
  EXPECT_EQ(C->PenPos(), Point(5 + C->TextWidth(u"Hg"), 10));
  EXPECT_EQ(C->TextExtent(u"Hg"), TSize(C->TextWidth(u"Hg"), H));
}

TEST(GraphicsText, OpaqueTextFillsItsCellWithTheBrushColour) {
  auto B = NewBitmap(60, 20);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clYellow);
  C->TextOut(2, 2, u"ab");
  const Integer W = C->TextWidth(u"ab"), H = C->TextHeight(u"ab");
  EXPECT_EQ(C->Pixels(2, 2), clYellow);                // top-left of the cell
  EXPECT_EQ(C->Pixels(2 + W - 1, 2 + H - 1), clYellow);  // bottom-right
  EXPECT_EQ(C->Pixels(2 + W, 2), clWhite);
  EXPECT_EQ(C->Pixels(1, 2), clWhite);
}

TEST(GraphicsText, TextRectClipsToItsRectangle) {
  auto B = NewBitmap(60, 20);
  TCanvas* C = B->Canvas();
  C->TextRect(Rect(0, 0, 8, 20), 0, 0, u"WWWW");
  const TRect I = Ink(*B);
  EXPECT_GT(I.Right, 0);
  EXPECT_LE(I.Right, 8);
}

TEST(GraphicsDrawText, CalcRectMeasuresWithoutDrawing) {
  auto B = NewBitmap(200, 60);
  TCanvas* C = B->Canvas();
  const Integer LineH = C->TextHeight(u"x");
  const Integer Tab = 8 * GraphicsBackend::FontInfo(*C->Font()).AveCharWidth;
  struct Row {
    const char* Name;
    String Text;
    Cardinal Format;
    Integer Width;
    Integer Lines;
  } Rows[] = {
      {"single line", u"Hello", DT_SINGLELINE, C->TextWidth(u"Hello"), 1},
      {"prefix removed", u"&File", DT_SINGLELINE, C->TextWidth(u"File"), 1},
      {"double ampersand shows one", u"A&&B", DT_SINGLELINE, C->TextWidth(u"A&B"), 1},
      {"no prefix keeps the ampersand", u"&File", DT_SINGLELINE | DT_NOPREFIX, C->TextWidth(u"&File"), 1},
      {"hidden prefix still removed", u"&File", DT_SINGLELINE | DT_HIDEPREFIX, C->TextWidth(u"File"), 1},
      {"line ends split lines", u"ab\r\ncdef\nx", 0, C->TextWidth(u"cdef"), 3},
      {"single line ignores line ends", u"ab\r\ncd", DT_SINGLELINE, C->TextWidth(u"abcd"), 1},
      {"tabs expand to the next stop", u"a\tb", DT_SINGLELINE | DT_EXPANDTABS, Tab + C->TextWidth(u"b"), 1},
      {"empty text is one empty line", u"", 0, 0, 1},
  };
  for (const Row& R : Rows) {
    TRect Rc = Rect(10, 5, 150, 50);
    const Integer H = DrawText(C, R.Text, Rc, R.Format | DT_CALCRECT);
    EXPECT_EQ(Rc.Left, 10) << R.Name;
    EXPECT_EQ(Rc.Top, 5) << R.Name;
    EXPECT_EQ(Rc.Width(), R.Width) << R.Name;
    EXPECT_EQ(Rc.Height(), R.Lines * LineH) << R.Name;
    EXPECT_EQ(H, R.Lines * LineH) << R.Name;
  }
  EXPECT_EQ(Ink(*B), TRect());
}

TEST(GraphicsDrawText, TabStopTakesItsWidthFromTheSecondByte) {
  // The second byte is the tab width, so it cannot hold other flags (calc-rect among them).
  auto A = NewBitmap(200, 20), E = NewBitmap(200, 20);
  const Integer Tab = 8 * GraphicsBackend::FontInfo(*A->Canvas()->Font()).AveCharWidth;
  TRect R = Rect(0, 0, 200, 20);
  DrawText(A->Canvas(), u"a\tb", R, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (16 << 8));
  E->Canvas()->TextOut(0, 0, u"a");
  E->Canvas()->TextOut(2 * Tab, 0, u"b");
  EXPECT_EQ(Pixels(*A), Pixels(*E));
}

TEST(GraphicsDrawText, WordBreakWrapsAtBlanksAndInsideLongWords) {
  auto B = NewBitmap(10, 10);
  TCanvas* C = B->Canvas();
  const Integer LineH = C->TextHeight(u"x");
  const Integer Two = C->TextWidth(u"aaa bbb");
  struct Row {
    const char* Name;
    String Text;
    Integer Width;
    Integer Lines;
    Integer Widest;
  } Rows[] = {
      {"two words fit", u"aaa bbb ccc", Two, 2, Two},
      {"everything fits", u"aaa bbb", Two + 50, 1, Two},
      {"blanks at the break vanish", u"aaa     bbb", C->TextWidth(u"aaa "), 2, C->TextWidth(u"aaa")},
      {"a long word breaks", u"abcdefghij", C->TextWidth(u"abcde"), 2, C->TextWidth(u"abcde")},
  };
  for (const Row& R : Rows) {
    TRect Rc = Rect(0, 0, R.Width, 100);
    DrawText(C, R.Text, Rc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(Rc.Height(), R.Lines * LineH) << R.Name;
    EXPECT_EQ(Rc.Width(), R.Widest) << R.Name;
  }
}

TEST(GraphicsDrawText, AlignmentPlacesTheLineLikeTextOut) {
  const String Text = u"Caption";
  struct Row {
    const char* Name;
    Cardinal Format;
  } Rows[] = {{"left top", DT_SINGLELINE},
              {"centre", DT_SINGLELINE | DT_CENTER},
              {"right", DT_SINGLELINE | DT_RIGHT},
              {"vertical centre", DT_SINGLELINE | DT_VCENTER | DT_CENTER},
              {"bottom right", DT_SINGLELINE | DT_BOTTOM | DT_RIGHT}};
  for (const Row& R : Rows) {
    auto A = NewBitmap(120, 40), E = NewBitmap(120, 40);
    const TRect Box = Rect(10, 4, 110, 36);
    TRect Rc = Box;
    const Integer H = DrawText(A->Canvas(), Text, Rc, R.Format);
    const Integer W = E->Canvas()->TextWidth(Text), LH = E->Canvas()->TextHeight(Text);
    Integer X = Box.Left, Y = Box.Top;
    if (R.Format & DT_CENTER) X = (Box.Left + Box.Right - W) / 2;
    if (R.Format & DT_RIGHT) X = Box.Right - W;
    if (R.Format & DT_VCENTER) Y = (Box.Top + Box.Bottom - LH) / 2;
    if (R.Format & DT_BOTTOM) Y = Box.Bottom - LH;
    E->Canvas()->TextOut(X, Y, Text);
    EXPECT_EQ(Pixels(*A), Pixels(*E)) << R.Name;
    EXPECT_EQ(H, Y - Box.Top + LH) << R.Name;
  }
}

TEST(GraphicsDrawText, PrefixCharacterIsUnderlinedUnlessHidden) {
  const String Text = u"&ab";
  auto Plain = NewBitmap(40, 20), Marked = NewBitmap(40, 20), Hidden = NewBitmap(40, 20);
  TRect R = Rect(0, 0, 40, 20);
  DrawText(Plain->Canvas(), u"ab", R, DT_SINGLELINE | DT_NOPREFIX);
  R = Rect(0, 0, 40, 20);
  DrawText(Marked->Canvas(), Text, R, DT_SINGLELINE);
  R = Rect(0, 0, 40, 20);
  DrawText(Hidden->Canvas(), Text, R, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(Pixels(*Hidden), Pixels(*Plain));
  // The extra ink of the marked text lies under the "a" only.
  const Integer WA = Plain->Canvas()->TextWidth(u"a");
  Integer Extra = 0;
  for (Integer Y = 0; Y < 20; ++Y)
    for (Integer X = 0; X < 40; ++X)
      if (Marked->Canvas()->Pixels(X, Y) != Plain->Canvas()->Pixels(X, Y)) {
        ++Extra;
        EXPECT_LT(X, WA);
        EXPECT_GE(Y, GraphicsBackend::FontInfo(*Plain->Canvas()->Font()).Ascent);
      }
  EXPECT_GT(Extra, 0);
}

TEST(GraphicsDrawText, EndEllipsisCutsTheTextAndAddsThreeDots) {
  const String Text = u"A caption much too long";
  auto A = NewBitmap(120, 20);
  TCanvas* C = A->Canvas();
  const Integer Width = 60;
  TRect R = Rect(0, 0, Width, 20);
  DrawText(C, Text, R, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(Ink(*A).Right, Width);
  // It is the longest start of the text that fits with the dots.
  String Expected;
  for (size_t N = Text.size(); N > 0; --N)
    if (C->TextWidth(Text.substr(0, N) + u"...") <= Width) {
      Expected = Text.substr(0, N) + u"...";
      break;
    }
  while (!Expected.empty() && Expected[Expected.size() - 4] == u' ') Expected.erase(Expected.size() - 4, 1);
  auto E = NewBitmap(120, 20);
  E->Canvas()->TextOut(0, 0, Expected);
  EXPECT_EQ(Pixels(*A), Pixels(*E));
  // Text that fits is left alone.
  auto F = NewBitmap(120, 20), G = NewBitmap(120, 20);
  R = Rect(0, 0, 120, 20);
  DrawText(F->Canvas(), u"short", R, DT_SINGLELINE | DT_END_ELLIPSIS);
  G->Canvas()->TextOut(0, 0, u"short");
  EXPECT_EQ(Pixels(*F), Pixels(*G));
}

TEST(GraphicsDrawText, PathEllipsisKeepsTheFileName) {
  const String Path = u"C:\\Projects\\Configuration\\Devices\\file.xml";
  auto A = NewBitmap(200, 20);
  TCanvas* C = A->Canvas();
  const Integer Width = C->TextWidth(u"C:\\Pro...\\file.xml");
  TRect R = Rect(0, 0, Width, 20);
  DrawText(C, Path, R, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  bool Found = false;
  for (size_t K = 0; K < Path.size() && !Found; ++K) {
    auto E = NewBitmap(200, 20);
    E->Canvas()->TextOut(0, 0, Path.substr(0, K) + u"...\\file.xml");
    Found = Pixels(*A) == Pixels(*E);
  }
  EXPECT_TRUE(Found) << "the text drawn is a start of the path, \"...\" and the file name";
}

TEST(GraphicsDrawText, ClipsToTheRectangleUnlessNoClip) {
  auto A = NewBitmap(100, 20), B = NewBitmap(100, 20);
  TRect R = Rect(0, 0, 10, 20);
  DrawText(A->Canvas(), u"WWWWWW", R, DT_SINGLELINE);
  EXPECT_LE(Ink(*A).Right, 10);
  R = Rect(0, 0, 10, 20);
  DrawText(B->Canvas(), u"WWWWWW", R, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(Ink(*B).Right, 10);
}

TEST(GraphicsDrawText, EditControlDropsAPartlyVisibleLastLine) {
  auto A = NewBitmap(100, 40);
  TCanvas* C = A->Canvas();
  const Integer LineH = C->TextHeight(u"x");
  TRect R = Rect(0, 0, 100, LineH + LineH / 2);
  DrawText(C, u"one\ntwo", R, DT_EDITCONTROL | DT_NOCLIP);
  EXPECT_LE(Ink(*A).Bottom, LineH);
}

TEST(GraphicsText, RotatedFontRunsUpwardsFromTheStartPoint) {
  auto B = NewBitmap(60, 120);
  TCanvas* C = B->Canvas();
  C->Font()->SetOrientation(900);
  const Integer W = C->TextWidth(u"Vertical"), H = C->TextHeight(u"Vertical");
  C->TextOut(20, 100, u"Vertical");
  const TRect I = Ink(*B);
  EXPECT_GT(I.Height(), I.Width());
  EXPECT_GE(I.Left, 20 - 1);
  EXPECT_LE(I.Right, 20 + H + 1);
  EXPECT_GE(I.Top, 100 - W - 1);
  EXPECT_LE(I.Bottom, 100 + 1);
}

TEST(GraphicsText, ACanvasWithoutSurfaceMeasuresAndIgnoresDrawing) {
  TCanvas C;
  C.Font()->SetHeight(-11);
  EXPECT_GT(C.TextWidth(u"abc"), 0);
  C.TextOut(0, 0, u"abc");
  C.FillRect(Rect(0, 0, 10, 10));
  C.LineTo(5, 5);
  EXPECT_EQ(C.Pixels(0, 0), clNone);
  EXPECT_EQ(C.SurfaceSize(), TSize());
  TRect R = Rect(0, 0, 100, 100);
  EXPECT_EQ(DrawText(&C, u"abc", R, DT_CALCRECT | DT_SINGLELINE), C.TextHeight(u"abc"));
}

// A single line of 50,000 characters with an end ellipsis, and wrapped in a wide rectangle, is
// laid out by measuring a few dozen starts of it (measuring every start once took minutes).
TEST(GraphicsDrawText, VeryLongLinesAreCutAndWrappedWithoutMeasuringEveryStart) {
  String Text;
  for (Integer i = 0; i < 5000; ++i) Text += u"abcd efgh ";
  auto A = NewBitmap(200, 40);
  TRect R = Rect(0, 0, 200, 20);
  DrawText(A->Canvas(), Text, R, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(Ink(*A).Right, 200);
  EXPECT_GT(Ink(*A).Right, 150);
  auto B = NewBitmap(200, 40);
  TRect W = Rect(0, 0, 999999, 40);
  DrawText(B->Canvas(), Text, W, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(W.Bottom, 0);
  EXPECT_LE(W.Right, 999999);
}

// Transparent text is set straight into the picture instead of through a mask of the whole text
// (Latin-1 text character by character, from each character's ink): every pixel comes out as
// colouring the text's mask would give it, in every pixel format, style, size and clip.
TEST(GraphicsText, TextSetStraightIntoThePictureMatchesTheColouredGlyphMask) {
  // Every printable Latin-1 character in a row (each one set from its own ink), and a few more.
  String Latin1;
  for (Char Ch = 0x21; Ch <= 0xFF; ++Ch)
    if (Ch < 0x7F || (Ch > 0xA0 && Ch != 0xAD)) Latin1 += Ch;
  constexpr Integer W = 1700, H = 30;
  struct Row {
    const char* Name;
    TPixelFormat Format;
    TFontStyles Style;
    Integer Height;
    String Text;
    TRect Clip;  // inside the W x H picture
  } Rows[] = {
      {"device, plain", pfDevice, {}, -11, u"Rg0 jyW", Rect(0, 0, W, H)},
      {"device, bold italic", pfDevice, {fsBold, fsItalic}, -13, u"Afj|Qg", Rect(0, 0, W, H)},
      {"device, underline and strike-out", pfDevice, {fsUnderline, fsStrikeOut}, -11, u"under", Rect(0, 0, W, H)},
      {"device, cut by the clip", pfDevice, {}, -16, u"WWWgggg", Rect(7, 9, 33, 18)},
      {"24-bit, accents", pf24bit, {}, -12, u"\u00c5\u00e9\u00fc\u00df\u00e7", Rect(0, 0, W, H)},
      {"32-bit, cut by the clip", pf32bit, {fsBold}, -11, u"x1@%", Rect(3, 0, 20, H)},
      {"bold, a pair the face joins", pfDevice, {fsBold}, -13, u"office fifty", Rect(0, 0, W, H)},
      {"sans, a ligature as wide as its letters", pfDevice, {}, -11, u"C:\\Configuration\\file.xml", Rect(0, 0, W, H)},
      {"beyond Latin-1", pfDevice, {}, -11, u"\u0160\u20ac\u2013x", Rect(0, 0, W, H)},
      {"Latin-1, sans", pfDevice, {}, -11, Latin1, Rect(0, 0, W, H)},
      {"Latin-1, sans bold", pfDevice, {fsBold}, -11, Latin1, Rect(0, 0, W, H)},
      {"Latin-1, sans italic, large", pfDevice, {fsItalic}, -16, Latin1, Rect(0, 0, W, H)},
      {"Latin-1, sans bold italic", pfDevice, {fsBold, fsItalic}, -12, Latin1, Rect(0, 0, W, H)},
  };
  for (const Row& R : Rows) {
    TFont Font;
    Font.SetName(u"Verdana");
    Font.SetHeight(R.Height);
    Font.SetStyle(R.Style);
    std::unique_ptr<TBitmap> Pictures[2];
    for (auto& B : Pictures) {
      B = std::make_unique<TBitmap>();
      B->SetPixelFormat(R.Format);
      B->SetSize(W, H);
      B->Canvas()->Brush()->SetColor(clWhite);
      B->Canvas()->FillRect(Rect(0, 0, W, H));
    }
    const TRegion Clip(R.Clip);
    const TColor Ink = 0x00305070;
    ASSERT_TRUE(GraphicsBackend::SetTextPixels(*Pictures[0]->GetImage(), Clip, Font, 4, 6, R.Text, Ink)) << R.Name;
    GraphicsBackend::TMask Glyphs, Cell;
    GraphicsBackend::RasterizeText(Font, 4, 6, R.Text, false, Glyphs, Cell);
    GraphicsRaster::TRasterBrush Brush;
    Brush.RGB = Ink;
    GraphicsRaster::FillMask(*Pictures[1]->GetImage(), Clip, Glyphs, Brush, pmCopy);
    Integer Inked = 0;
    for (Integer Y = 0; Y < H; ++Y)
      for (Integer X = 0; X < W; ++X) {
        const TColor Got = Pictures[0]->Canvas()->Pixels(X, Y);
        ASSERT_EQ(Got, Pictures[1]->Canvas()->Pixels(X, Y)) << R.Name << " at " << X << "," << Y;
        Inked += Got == Ink;
      }
    EXPECT_GT(Inked, 10) << R.Name;
  }
  // A rotated font is left to the mask.
  TFont Rotated;
  Rotated.SetOrientation(900);
  auto B = NewBitmap(20, 20);
  EXPECT_FALSE(GraphicsBackend::SetTextPixels(*B->GetImage(), TRegion(Rect(0, 0, 20, 20)), Rotated, 2, 18, u"ab", 0));
  EXPECT_EQ(Ink(*B), TRect());
}

// Latin-1 text is measured by adding up its characters' advances, except where the face joins two
// of them: every pair of printable Latin-1 characters (and words with the letters a face joins)
// measures as the shaped text does.
// Text with a character beyond Latin-1 is shaped, so an en space after the text gives the shaped
// width.
TEST(GraphicsText, LatinTextMeasuresAsTheShapedText) {
  const String EnSpace = u"\u2002";
  std::vector<Char> Printable;
  for (Char Ch = 0x20; Ch <= 0xFF; ++Ch)
    if (Ch < 0x7F || (Ch >= 0xA0 && Ch != 0xAD)) Printable.push_back(Ch);
  const std::vector<String> Words = {u"office", u"baffle", u"fjord", u"Tavrel", u"AVAWAY", u"LT", u"ff fi fl ffi ffl",
                                     u"\u00c5ngstr\u00f6m", u"1,234.56", u"a  b", u"--->", u"'\"'"};
  struct Row {
    const char* Name;
    const char16_t* Face;
    Integer Height;
    TFontStyles Style;
    bool AllPairs;  // else the characters and the words alone
  } Rows[] = {{"sans", u"Verdana", -11, {}, true},
              {"sans bold (joins ff and fi)", u"Tahoma", -13, {fsBold}, true},
              {"sans italic", u"Arial", -12, {fsItalic}, false},
              {"mono", u"Courier New", -11, {}, false}};
  for (const Row& R : Rows) {
    TFont F;
    F.SetName(R.Face);
    F.SetHeight(R.Height);
    F.SetStyle(R.Style);
    const Integer Space = GraphicsBackend::TextWidth(F, EnSpace);
    auto Check = [&](const String& S) {
      ASSERT_EQ(GraphicsBackend::TextWidth(F, S) + Space, GraphicsBackend::TextWidth(F, S + EnSpace))
          << R.Name << ": " << StringToUtf8(S);
    };
    for (const String& W : Words) Check(W);
    for (Char A : Printable) {
      Check(String(1, A));
      if (R.AllPairs)
        for (Char B : Printable) Check(String{A, B});
    }
  }
}

namespace {

// The lines of word-wrapped text as they were found by measuring, for each line, the whole rest of
// its paragraph and then halving between nothing and that rest: the breaks the one-pass wrap must
// keep. Paragraphs end at CR, LF or CR LF; tabs expand to stops of eight average characters.
std::vector<String> ReferenceWrap(const String& Text, const TFont& Font, Integer Width, bool ExpandTabs,
                                  bool KeepWords) {
  const Integer TabWidth = 8 * std::max<Integer>(GraphicsBackend::FontInfo(Font).AveCharWidth, 1);
  auto Measure = [&](const String& S) {
    if (!ExpandTabs || S.find(u'\t') == String::npos) return GraphicsBackend::TextWidth(Font, S);
    Integer X = 0;
    size_t Start = 0;
    for (;;) {
      const size_t Tab = S.find(u'\t', Start);
      X += GraphicsBackend::TextWidth(Font, S.substr(Start, Tab - Start));
      if (Tab == String::npos) break;
      X = (X / TabWidth + 1) * TabWidth;
      Start = Tab + 1;
    }
    return X;
  };
  auto Longest = [&](size_t Most, const std::function<Integer(size_t)>& W) {
    size_t Lo = 0, Hi = Most;
    while (Lo < Hi) {
      const size_t Mid = Lo + (Hi - Lo + 1) / 2;
      if (W(Mid) <= Width)
        Lo = Mid;
      else
        Hi = Mid - 1;
    }
    return Lo;
  };
  std::vector<String> Paras(1);
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == u'\r' || Text[I] == u'\n') {
      if (Text[I] == u'\r' && I + 1 < Text.size() && Text[I + 1] == u'\n') ++I;
      Paras.emplace_back();
    } else {
      Paras.back() += Text[I];
    }
  }
  std::vector<String> Lines;
  for (const String& S : Paras) {
    if (S.empty()) {
      Lines.push_back(S);
      continue;
    }
    size_t Start = 0;
    while (Start < S.size()) {
      const size_t Rest = S.size() - Start;
      auto RunWidth = [&](size_t K) { return Measure(S.substr(Start, K)); };
      const size_t End = Start + (RunWidth(Rest) <= Width ? Rest : Longest(Rest - 1, RunWidth));
      const size_t LastBreak = S.rfind(u' ', End);
      size_t Cut, Next;
      if (End >= S.size()) {
        Cut = Next = S.size();
      } else if (S[End] == u' ') {
        Cut = Next = End;
      } else if (LastBreak != String::npos && LastBreak >= Start) {
        Cut = Next = LastBreak;
      } else if (KeepWords) {
        Cut = S.find(u' ', End);
        if (Cut == String::npos) Cut = S.size();
        Next = Cut;
      } else {
        Cut = Next = std::max(End, Start + 1);
      }
      String L = S.substr(Start, Cut - Start);
      while (!L.empty() && L.back() == u' ') L.pop_back();
      Lines.push_back(L);
      Start = Next;
      while (Start < S.size() && S[Start] == u' ') ++Start;
    }
  }
  return Lines;
}

bool SamePixels(TBitmap& A, TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
  for (Integer Y = 0; Y < A.Height(); ++Y)
    if (std::memcmp(A.ScanLine(Y), B.ScanLine(Y), static_cast<size_t>(A.BytesPerScanLine())) != 0) return false;
  return true;
}

String LongWords(size_t Chars, bool Blanks) {
  String S;
  uint32_t State = 12345;
  while (S.size() < Chars) {
    State = State * 1103515245u + 12345u;
    if (Blanks && !S.empty() && (State >> 16) % 6 == 0) S += u' ';
    S += static_cast<Char>(u'a' + (State >> 16) % 26);
  }
  return S;
}

}  // namespace

// Word-wrapped text breaks where it broke when every line's start measured the rest of its
// paragraph: texts of words, blank runs, words longer than the line, tabs, line ends and shaped
// text, in four faces, at widths from nothing to wide, left or centred. The lines are compared as
// drawn (each reference line drawn on its own) and as measured.
TEST(GraphicsDrawText, WordBreaksStayWhereTheyWere) {
  const String Texts[] = {
      u"The quick brown fox jumps over the lazy dog and keeps on running",
      u"a    b     c      d  e",
      u"short abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz tail",
      u"a\tbb\tccc dd\teeeee ff\t\tg",
      u"line one\r\nline two\rthree\nfour\r\n\r\nsix",
      u"  lead and trail  ",
      u"\u0421\u044a\u0435\u0448\u044c \u0436\u0435 \u0435\u0449\u0451 \u044d\u0442\u0438\u0445 "
      u"\u03ba\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 office fjord",
      LongWords(700, true),
      LongWords(200, false),
  };
  const struct {
    const char16_t* Face;
    Integer Height;
    TFontStyles Style;
  } Fonts[] = {{u"Verdana", -11, {}}, {u"Tahoma", -13, {fsBold}}, {u"Courier New", -11, {}}, {u"Arial", -12, {fsItalic}}};
  const Integer Widths[] = {0, 7, 40, 150};
  const Cardinal Formats[] = {DT_NOPREFIX, DT_NOPREFIX | DT_EXPANDTABS, DT_NOPREFIX | DT_CENTER,
                              DT_NOPREFIX | DT_END_ELLIPSIS};
  for (const auto& F : Fonts)
    for (const String& Text : Texts)
      for (Integer W : Widths)
        for (Cardinal Format : Formats) {
          const bool KeepWords = (Format & DT_END_ELLIPSIS) != 0;
          auto Probe = NewBitmap(1, 1);
          TFont* Font = Probe->Canvas()->Font();
          Font->SetName(F.Face);
          Font->SetHeight(F.Height);
          Font->SetStyle(F.Style);
          const std::vector<String> Lines = ReferenceWrap(Text, *Font, W, (Format & DT_EXPANDTABS) != 0, KeepWords);
          const Integer LineH = GraphicsBackend::FontInfo(*Font).Height;
          const std::string Where = StringToUtf8(F.Face) + ", width " + std::to_string(W) + ", format " +
                                    std::to_string(Format) + ", text \"" + StringToUtf8(Text.substr(0, 30)) + "\"";
          // As measured: the lines' count and the widest of them.
          Integer Widest = 0;
          for (const String& L : Lines) {
            const Integer LW = (Format & DT_EXPANDTABS) ? 0 : GraphicsBackend::TextWidth(*Font, L);
            Widest = std::max(Widest, LW);
          }
          TRect Calc = Rect(0, 0, W, 10);
          DrawText(Probe->Canvas(), Text, Calc, Format | DT_WORDBREAK | DT_CALCRECT);
          EXPECT_EQ(Calc.Height(), LineH * static_cast<Integer>(Lines.size())) << Where;
          if (!(Format & DT_EXPANDTABS)) {
            EXPECT_EQ(Calc.Width(), Widest) << Where;
          }
          if (KeepWords) continue;  // drawn, the lines are cut with an ellipsis
          // As drawn: the wrapped text against its reference lines drawn one by one.
          const Integer H = std::min<Integer>(LineH * static_cast<Integer>(Lines.size()), 4000);
          auto A = NewBitmap(W + 20, H + 4);
          auto B = NewBitmap(W + 20, H + 4);
          for (TBitmap* Bm : {A.get(), B.get()}) {
            Bm->Canvas()->Font()->SetName(F.Face);
            Bm->Canvas()->Font()->SetHeight(F.Height);
            Bm->Canvas()->Font()->SetStyle(F.Style);
          }
          TRect R = Rect(2, 2, 2 + W, 2 + H);
          DrawText(A->Canvas(), Text, R, Format | DT_WORDBREAK);
          for (size_t k = 0; k < Lines.size() && static_cast<Integer>(k) * LineH < H; ++k) {
            TRect LR = Rect(2, 2 + static_cast<Integer>(k) * LineH, 2 + W, 2 + H);
            DrawText(B->Canvas(), Lines[k], LR, (Format & ~DT_END_ELLIPSIS) | DT_SINGLELINE);
          }
          EXPECT_TRUE(SamePixels(*A, *B)) << Where;
        }
}

// Wrapping measures each line's own length a few times, not the rest of the paragraph: a text of
// 10,000 characters allocates for its measures in proportion to its length (measuring the rest at
// every line made some 17 MB of copies; 64 K characters took 22 seconds to paint, 128 K 89).
TEST(GraphicsDrawText, WrappingMeasuresEachLineNotTheRest) {
  if (!TAllocationCount::Available()) GTEST_SKIP() << "allocations are not counted under AddressSanitizer";
  auto B = NewBitmap(120, 40);
  const struct {
    const char* Name;
    String Text;
    Cardinal Format;
  } Cases[] = {
      {"words", LongWords(10000, true), DT_WORDBREAK | DT_CALCRECT},
      {"one long word", LongWords(10000, false), DT_WORDBREAK | DT_CALCRECT},
      {"words, drawn", LongWords(10000, true), DT_WORDBREAK},
      {"tabs", [] {
         String S;
         while (S.size() < 10000) S += u"ab\tc d\t";
         return S;
       }(), DT_WORDBREAK | DT_EXPANDTABS},
  };
  for (const auto& C : Cases) {
    TRect R = Rect(0, 0, 100, 30);
    TAllocationCount Count;
    DrawText(B->Canvas(), C.Text, R, C.Format | DT_NOPREFIX);
    EXPECT_LT(Count.Allocated(), 320 * C.Text.size()) << C.Name;
  }
}
