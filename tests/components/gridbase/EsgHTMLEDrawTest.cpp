// The mini-HTML renderer with the pinned font: measuring, word wrap, hit tests of anchors, images
// and embedded controls, and a few drawn pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "components/gridbase/ExXPVS.h"
#include "tests/components/gridbase/EsgHTMLETestUtil.h"

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

// Widths and heights of the base font of a canvas, the reference of every expectation.
struct TMetrics {
  TCanvas* C;
  Integer W(const String& S) { return C->TextWidth(S); }
  Integer Gh() { return C->TextHeight(u"gh"); }
  // The width of a line drawn as separate runs.
  Integer Runs(std::initializer_list<String> Parts) {
    Integer Sum = 0;
    for (const String& P : Parts) Sum += W(P);
    return Sum;
  }
};

// Whether a pixel of Color lies in R.
bool HasColor(TCanvas* C, const TRect& R, TColor Color) {
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X)
      if (C->Pixels(X, Y) == Color) return true;
  return false;
}

bool AllColor(TCanvas* C, const TRect& R, TColor Color) {
  for (Integer Y = R.Top; Y < R.Bottom; ++Y)
    for (Integer X = R.Left; X < R.Right; ++X)
      if (C->Pixels(X, Y) != Color) return false;
  return true;
}

// A stand-in visual-styles library that records the parts drawn: "class part state" each.
struct TRecordingTheme {
  static inline std::vector<std::string> Drawn;
  static inline String Class;
  static inline Integer Opened = 0, Closed = 0;
  static Integer IsThemeActive() { return 1; }
  static HTHEME Open(HWND, const Char* ThemeClass) {
    Class = ThemeClass;
    ++Opened;
    return 5;
  }
  static HRESULT Close(HTHEME) {
    ++Closed;
    return 0;
  }
  static HRESULT Draw(HTHEME, TCanvas*, Integer Part, Integer State, const TRect*, const TRect*) {
    Drawn.push_back(StringToUtf8(Class) + " " + std::to_string(Part) + " " + std::to_string(State));
    return 0;
  }
  static HRESULT Other() { return 0; }
  static uintptr_t Load(const String&) { return 0x3000; }
  static void* Proc(uintptr_t, const char* Name) {
    if (!std::strcmp(Name, "IsThemeActive")) return reinterpret_cast<void*>(&IsThemeActive);
    if (!std::strcmp(Name, "OpenThemeData")) return reinterpret_cast<void*>(&Open);
    if (!std::strcmp(Name, "CloseThemeData")) return reinterpret_cast<void*>(&Close);
    if (!std::strcmp(Name, "DrawThemeBackground")) return reinterpret_cast<void*>(&Draw);
    return reinterpret_cast<void*>(&Other);
  }
  static void Free(uintptr_t) {}
};
constexpr TThemeLibraryLoader RecordingLoader{&TRecordingTheme::Load, &TRecordingTheme::Proc,
                                              &TRecordingTheme::Free};

}  // namespace

TEST(EsgHTMLEDraw, MeasuresTextTagsAndEntities) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  const Integer Gh = M.Gh();
  struct Case {
    const char* Name;
    String Text;
    Integer Width;
    Integer Lines;
    String Plain;
  };
  const Case Cases[] = {
      {"plain text", u"abc", M.W(u"abc"), 1, u"abc"},
      {"empty text is one line high", u"", 0, 1, u""},
      {"ampersand entity shows one ampersand", u"a &amp; b", M.W(u"a & b"), 1, u"a & b"},
      {"entity in upper case", u"&AMP;", M.W(u"&"), 1, u"&"},
      {"a lone ampersand is a prefix", u"a &b", M.W(u"a b"), 1, u"a b"},
      {"&LT; is no entity", u"&LT;", M.W(u"LT;"), 1, u"LT;"},
      {"in-text entities", u"&lt;b&gt;&nbsp;x", M.W(u"<b> x"), 1, u"<b> x"},
      {"an open bracket drops the rest", u"x<y", M.W(u"x"), 1, u"x"},
      {"hash colour shows as text", u"<#ABCDEF>", M.W(u"#ABCDEF"), 1, u"#ABCDEF"},
      {"a tag of no meaning does nothing", u"a<q>b", M.Runs({u"a", u"b"}), 1, u"ab"},
      {"line break", u"ab<br>c", M.W(u"ab"), 2, u"ab\rc"},
      {"carriage return", u"ab\r\nc", M.W(u"ab"), 2, u"ab\rc"},
      {"hidden text keeps its plain text", u"<z>hid</z>show", M.W(u"show"), 1, u"hidshow"},
      {"rule ends the line", u"a<hr>bc", M.W(u"bc"), 2, u"abc"},
      {"paragraph ends at its closing tag", u"a<p>b</p>c", M.Runs({u"a", u"b"}), 2, u"abc"},
      {"list item is indented by its level", u"<ul><li>a</li></ul>", 12 + M.W(u"a"), 3, u"a"},
      {"control without width takes no room", u"<control type=\"EDIT\" id=\"e\">a", M.W(u"a"), 1, u"a"},
      {"closing tag too short is no closing tag", u"a</B", M.W(u"a"), 1, u"a"},
  };
  for (const Case& K : Cases) {
    const THtmlCall H = THtmlCall::Measure(C, K.Text);
    EXPECT_EQ(H.MaxLineWidth, K.Width) << K.Name;
    EXPECT_EQ(H.TotalHeight, K.Lines * Gh) << K.Name;
    EXPECT_EQ(U8(H.PlainText), U8(K.Plain)) << K.Name;
    EXPECT_FALSE(H.Result) << K.Name;
  }
}

TEST(EsgHTMLEDraw, FontTagsChangeTheMeasures) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  auto ProbeBitmap = HtmlBitmap(10, 10);
  TCanvas* P = ProbeBitmap->Canvas();

  P->Font()->SetStyle(TFontStyles{fsBold});
  const Integer Bold = P->TextWidth(u"Wide");
  EXPECT_EQ(THtmlCall::Measure(C, u"<b>Wide</b>").MaxLineWidth, Bold);
  EXPECT_EQ(THtmlCall::Measure(C, u"<B>Wide</B>").MaxLineWidth, Bold);
  // The bold tag ends at its closing tag.
  EXPECT_EQ(THtmlCall::Measure(C, u"<b>Wide</b>Wide").MaxLineWidth, Bold + M.W(u"Wide"));

  struct SizeCase {
    const char* Name;
    String Text;
    Integer Points;
  };
  const SizeCase Sizes[] = {
      {"size 3 is 12 points", u"<font size=\"3\">x</font>", 12},
      {"size 1 is 8 points", u"<FONT SIZE=1>x</FONT>", 8},
      {"size 20 is 20 points", u"<font size=\"20\">x</font>", 20},
  };
  for (const SizeCase& S : Sizes) {
    P->Font()->SetStyle(TFontStyles());
    P->Font()->SetSize(S.Points);
    EXPECT_EQ(THtmlCall::Measure(C, S.Text).TotalHeight, P->TextHeight(u"gh")) << S.Name;
    EXPECT_EQ(THtmlCall::Measure(C, S.Text).MaxLineWidth, P->TextWidth(u"x")) << S.Name;
  }
  // After the font tag the base font is back.
  P->Font()->SetSize(20);
  EXPECT_EQ(THtmlCall::Measure(C, u"<font size=\"20\">x</font><br>y").TotalHeight, P->TextHeight(u"gh") + M.Gh());
  // Subscript and superscript make room of a quarter of the text height.
  EXPECT_EQ(THtmlCall::Measure(C, u"a<sub>2</sub>").TotalHeight, M.Gh() + M.Gh() / 4);
  EXPECT_EQ(THtmlCall::Measure(C, u"a<sup>2</sup><sub>3</sub>").TotalHeight, M.Gh() + 2 * (M.Gh() / 4));
  // The canvas's font is given back.
  EXPECT_EQ(C->Font()->Height(), -11);
  EXPECT_TRUE(C->Font()->Style().Empty());
}

TEST(EsgHTMLEDraw, ImagesAndControlsTakeTheirRoom) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  TImageList List(nullptr, 16, 20);
  TBitmap Two(32, 20);
  List.Add(&Two, nullptr);
  ASSERT_EQ(List.Count(), 2);

  auto Measure = [&](const String& Text) {
    THtmlCall H;
    H.MeasureOnly = true;
    H.Images = &List;
    H.Run(C, Text);
    return H;
  };
  struct Case {
    const char* Name;
    String Text;
    Integer Width;
    Integer Height;
  };
  const Integer Gh = M.Gh();
  const Case Cases[] = {
      {"image of the list", u"<img src=\"IDX:1\">a", 16 + M.W(u"a"), std::max(Gh, 20)},
      {"index past the list takes no room", u"<img src=\"IDX:2\">a", M.W(u"a"), Gh},
      {"shell icons are not found here", u"<img src=\"SSYS:1\">a", M.W(u"a"), Gh},
      {"picture without a container", u"<img src=\"logo\">a", M.W(u"a"), Gh},
      {"edit control", u"<control type=\"EDIT\" width=\"50\" id=\"e\">", 50, std::max(23, Gh + 10)},
      {"tall edit control", u"<control type=\"EDIT\" width=\"50\" height=\"40\" id=\"e\">", 50, 38},
      {"check box", u"<control type=\"CHECK\" width=\"16\" id=\"c\">", 16, std::max(16, Gh)},
      {"button", u"<control type=\"BUTTON\" width=\"60\" id=\"b\" value=\"Go\">", 60, 25},
      {"indent", u"a<ind x=\"40\">b", 40 + M.W(u"b"), Gh},
      {"indent behind the text does nothing", u"abcdefgh<ind x=\"2\">b", M.Runs({u"abcdefgh", u"b"}), Gh},
  };
  for (const Case& K : Cases) {
    const THtmlCall H = Measure(K.Text);
    EXPECT_EQ(H.MaxLineWidth, K.Width) << K.Name;
    EXPECT_EQ(H.TotalHeight, K.Height) << K.Name;
  }
}

TEST(EsgHTMLEDraw, WordWrapAndEllipsis) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  const Integer Gh = M.Gh();
  const Integer Narrow = M.W(u"one tw") + 1;

  // Without word wrap a text is one line (drawn with an ellipsis).
  EXPECT_EQ(THtmlCall::Measure(C, u"one two three", Narrow, false).TotalHeight, Gh);
  // With it the words wrap; a trailing blank does not count.
  const Integer Blank = M.W(u" ");
  const THtmlCall W = THtmlCall::Measure(C, u"one two three", Narrow, true);
  EXPECT_EQ(W.TotalHeight, 3 * Gh);
  EXPECT_EQ(W.MaxLineWidth, std::max({M.W(u"one ") - Blank, M.W(u"two ") - Blank, M.W(u"three")}));
  EXPECT_EQ(U8(W.PlainText), "one two three");
  // A word wider than the rectangle stays whole on its own line.
  const THtmlCall Long = THtmlCall::Measure(C, u"a verylongword b", M.W(u"a ver"), true);
  EXPECT_EQ(Long.TotalHeight, 3 * Gh);
  EXPECT_EQ(Long.MaxLineWidth, M.W(u"verylongword ") - Blank);
  // No break at a tag inside a word.
  EXPECT_EQ(THtmlCall::Measure(C, u"ab<b>cd</b>", M.W(u"abc"), true).TotalHeight, Gh);
  // Without word wrap, the text after a run that does not fit is dropped.
  const THtmlCall Cut = THtmlCall::Measure(C, u"<b>one</b> two three<br>four", Narrow, false);
  EXPECT_EQ(Cut.TotalHeight, Gh);
  EXPECT_EQ(U8(Cut.PlainText), "one two three");
}

TEST(EsgHTMLEDraw, OnlyMeasuringCountsLinesBelowTheRectangle) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  const Integer Gh = TMetrics{C}.Gh();
  THtmlCall H;
  H.Area = Rect(0, 0, 100, Gh + 2);
  H.MeasureOnly = true;
  H.Run(C, u"a<br>b<br>c");
  EXPECT_EQ(H.TotalHeight, 3 * Gh);
  EXPECT_FALSE(H.Result);

  THtmlCall T;
  T.Area = H.Area;
  T.HitTestOnly = true;
  T.Run(C, u"a<br>b<br>c");
  EXPECT_EQ(T.TotalHeight, Gh);
  EXPECT_EQ(U8(T.PlainText), "a\r");
}

TEST(EsgHTMLEDraw, HitTestOfAnchors) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  const Integer Gh = M.Gh();
  const String Text = u"<a href=\"one\">first</a> <a href=\"two\" title=\"Second one\">second</a>";
  const Integer Left = 10 + 1;  // lines start one pixel right of the rectangle's left edge
  const Integer SecondX = Left + M.Runs({u"first", u" "});

  THtmlCall H;
  H.Area = Rect(10, 5, 300, 100);
  H.HitTestOnly = true;
  H.HitX = SecondX + M.W(u"second") / 2;
  H.HitY = 5 + Gh / 2;
  EXPECT_TRUE(H.Run(C, Text));
  EXPECT_EQ(H.HitAnchorIndex, 2);
  EXPECT_EQ(U8(H.HitAnchor), "two");
  EXPECT_EQ(U8(H.HitAnchorTitle), "Second one");
  EXPECT_EQ(H.AnchorCount, 2);
  EXPECT_EQ(H.HitAnchorRect, Rect(SecondX, 5, SecondX + M.W(u"second"), 5 + Gh));

  // On the first anchor.
  H.HitX = Left + 2;
  EXPECT_TRUE(H.Run(C, Text));
  EXPECT_EQ(H.HitAnchorIndex, 1);
  EXPECT_EQ(U8(H.HitAnchor), "one");

  // On plain text: nothing, and HitAnchor is left as it was.
  THtmlCall P;
  P.Area = H.Area;
  P.HitTestOnly = true;
  P.HitAnchor = u"before";
  P.HitX = Left + 2;
  P.HitY = 5 + Gh / 2;
  EXPECT_FALSE(P.Run(C, u"plain <a href=\"x\">link</a>"));
  EXPECT_EQ(P.HitAnchorIndex, -1);
  EXPECT_EQ(U8(P.HitAnchor), "before");

  // An anchor without HREF cannot be hit, but is counted.
  EXPECT_FALSE(P.Run(C, u"<a name=\"x\">plain</a>"));
  EXPECT_EQ(P.AnchorCount, 1);

  // A point below an anchor, on plain text of the next line, hits nothing.
  P.HitY = 5 + Gh + Gh / 2;
  EXPECT_FALSE(P.Run(C, u"<a href=\"x\">link</a><br>plain"));
  EXPECT_EQ(P.HitAnchorIndex, -1);
  EXPECT_EQ(U8(P.HitAnchor), "before");

  // The rectangle of an anchor that goes on to the next line starts at that line's left edge.
  THtmlCall L;
  L.Area = Rect(10, 5, 300, 100);
  L.HitTestOnly = true;
  L.HitX = Left + 2;
  L.HitY = 5 + Gh + Gh / 2;
  EXPECT_TRUE(L.Run(C, u"ab <a href=\"w\">x<br>yz</a>"));
  EXPECT_EQ(L.HitAnchorRect, Rect(Left, 5 + Gh, Left + M.W(u"yz"), 5 + 2 * Gh));

  // An anchor left open ends with the text.
  THtmlCall O;
  O.Area = Rect(10, 5, 300, 100);
  O.HitTestOnly = true;
  O.HitX = Left + M.W(u"ab ") + 2;
  O.HitY = 5 + Gh / 2;
  EXPECT_TRUE(O.Run(C, u"ab <a href=\"o\">open"));
  EXPECT_EQ(O.HitAnchorIndex, 1);
  EXPECT_EQ(U8(O.HitAnchor), "o");
  EXPECT_EQ(O.HitAnchorRect, Rect(Left + M.W(u"ab "), 5, Left + M.W(u"ab ") + M.W(u"open"), 5 + Gh));
}

TEST(EsgHTMLEDraw, RightAlignedParagraphEndsAtTheRightEdge) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  const Integer Gh = M.Gh();
  for (const String& Text : {String(u"<p align=\"right\"><a href=\"r\">ab</a> </p>"),
                            String(u"<P ALIGN=\"Right\"><a href=\"r\">ab</a></P>")}) {
    THtmlCall H;
    H.Area = Rect(0, 0, 200, 50);
    H.HitTestOnly = true;
    H.HitX = 198;
    H.HitY = Gh / 2;
    EXPECT_TRUE(H.Run(C, Text)) << U8(Text);
    EXPECT_EQ(H.HitAnchorRect, Rect(200 - M.W(u"ab"), 0, 200, Gh)) << U8(Text);
  }
  // Centred.
  THtmlCall H;
  H.Area = Rect(0, 0, 201, 50);
  H.HitTestOnly = true;
  H.HitX = 100;
  H.HitY = Gh / 2;
  EXPECT_TRUE(H.Run(C, u"<p align=\"center\"><a href=\"c\">abcd</a></p>"));
  EXPECT_EQ(H.HitAnchorRect.Left, 1 + (200 - M.W(u"abcd")) / 2);
}

TEST(EsgHTMLEDraw, HitTestOfControlsAndImages) {
  auto B = HtmlBitmap(10, 10);
  TCanvas* C = B->Canvas();
  TMetrics M{C};
  const Integer Gh = M.Gh();
  const String Form = u"ab<control type=\"edit\" id=\"e1\" value=\"v1\" width=\"40\">"
                      u"<control type=\"combo\" id=\"c2\" value=\"x &amp; y\" width=\"50\">";
  const Integer EditX = 1 + M.W(u"ab");

  // The control under the point.
  THtmlCall H;
  H.HitTestOnly = true;
  H.HitX = EditX + 45;
  H.HitY = 5;
  EXPECT_TRUE(H.Run(C, Form));
  EXPECT_EQ(U8(H.HitAnchor), "ctrl");
  EXPECT_EQ(U8(H.HitControlID), "c2");
  EXPECT_EQ(U8(H.HitControlType), "COMBO");
  EXPECT_EQ(U8(H.HitControlValue), "x & y");
  EXPECT_EQ(H.HitControlRect, Bounds(EditX + 40, 0, 50, 25));

  // A control named by HitControlID is reported wherever the point is.
  THtmlCall N;
  N.HitTestOnly = true;
  N.HitX = 1000;
  N.HitY = 1000;
  N.HitControlID = u"e1";
  EXPECT_TRUE(N.Run(C, Form));
  EXPECT_EQ(U8(N.HitControlID), "e1");
  EXPECT_EQ(U8(N.HitControlValue), "v1");
  EXPECT_EQ(U8(N.HitControlType), "EDIT");
  EXPECT_EQ(N.HitControlRect, Bounds(EditX, 0, 40, Gh + 10));

  // Painting clears the control outputs and hits nothing at the corner.
  THtmlCall D;
  D.HitControlID = u"e1";
  EXPECT_FALSE(D.Run(C, Form));
  EXPECT_EQ(U8(D.HitControlID), "");
  EXPECT_EQ(D.HitControlRect, TRect(0, 0, 0, 0));

  // An image is hit only inside an anchor.
  TImageList List(nullptr, 16, 16);
  TBitmap One(16, 16);
  List.Add(&One, nullptr);
  THtmlCall I;
  I.HitTestOnly = true;
  I.Images = &List;
  I.HitX = 1 + 8;
  I.HitY = 8;
  EXPECT_TRUE(I.Run(C, u"<a href=\"pic\" title=\"T\"><img src=\"idx:0\"></a>"));
  EXPECT_EQ(U8(I.HitAnchor), "pic");
  EXPECT_EQ(U8(I.HitAnchorTitle), "T");
  EXPECT_FALSE(I.Run(C, u"<img src=\"idx:0\">"));
}

TEST(EsgHTMLEDraw, ColoursOfFontTags) {
  struct Case {
    const char* Name;
    String Text;
    TColor Want;
  };
  const Case Cases[] = {
      {"hex colour, lower case", u"<font color=\"#ff0000\">MMM</font>", clRed},
      {"colour name", u"<font color=\"clRed\">MMM</font>", clRed},
      {"a name without cl is black", u"<font color=\"red\">MMM</font>", clBlack},
      {"anchor in the URL colour", u"<a href=\"x\">MMM</a>", clBlue},
  };
  for (const Case& K : Cases) {
    auto B = HtmlBitmap(60, 20);
    THtmlCall H;
    H.Area = Rect(0, 0, 60, 20);
    H.Run(B->Canvas(), K.Text);
    EXPECT_TRUE(HasColor(B->Canvas(), H.Area, K.Want)) << K.Name;
    for (TColor Other : {clRed, clBlue, clBlack}) {
      if (Other != K.Want) {
        EXPECT_FALSE(HasColor(B->Canvas(), H.Area, Other)) << K.Name;
      }
    }
  }
  // KeepColors ignores colour tags and the URL colour.
  auto B = HtmlBitmap(60, 20);
  THtmlCall K;
  K.KeepColors = true;
  K.Run(B->Canvas(), u"<font color=\"#ff0000\">M</font><a href=\"x\">M</a>");
  EXPECT_TRUE(HasColor(B->Canvas(), Rect(0, 0, 60, 20), clBlack));
  EXPECT_FALSE(HasColor(B->Canvas(), Rect(0, 0, 60, 20), clRed));
  EXPECT_FALSE(HasColor(B->Canvas(), Rect(0, 0, 60, 20), clBlue));
}

TEST(EsgHTMLEDraw, TagsThatDrawTheSame) {
  struct Case {
    const char* Name;
    String A, B;
    bool BlinkVisible;
  };
  const Case Cases[] = {
      {"tags in either case", u"<b>x</b>y", u"<B>x</B>y", true},
      {"every tag beginning with BL blinks", u"<BLINK>MM</BLINK>", u"<BLUE>MM</BLUE>", false},
      {"closing list tag outside a list ends underline", u"<u>a</ul>b", u"<u>a</u>b", true},
      {"the ampersand entity is a doubled prefix", u"a &amp; b", u"a && b", true},
      {"line feeds are dropped", u"a\nb", u"ab", true},
      {"carriage return is a line break", u"a\rb", u"a<br>b", true},
  };
  for (const Case& K : Cases) {
    auto A = HtmlBitmap(60, 40), B = HtmlBitmap(60, 40);
    THtmlCall H;
    H.BlinkVisible = K.BlinkVisible;
    H.Run(A->Canvas(), K.A);
    H.Run(B->Canvas(), K.B);
    bool Same = true;
    for (Integer Y = 0; Y < 40 && Same; ++Y)
      for (Integer X = 0; X < 60 && Same; ++X) Same = A->Canvas()->Pixels(X, Y) == B->Canvas()->Pixels(X, Y);
    EXPECT_TRUE(Same) << K.Name;
    EXPECT_TRUE(HasColor(A->Canvas(), Rect(0, 0, 60, 40), clBlack) == K.BlinkVisible) << K.Name;
  }
  // Each line once in the plain text, also when the line is measured and then drawn.
  auto C = HtmlBitmap(60, 40);
  THtmlCall P;
  P.Run(C->Canvas(), u"a<br>b");
  EXPECT_EQ(U8(P.PlainText), "a\rb");
}

TEST(EsgHTMLEDraw, DrawnPixels) {
  const auto Measure = HtmlBitmap(1, 1);  // the canvas the metrics measure on lives with them
  TMetrics M{Measure->Canvas()};
  const Integer Gh = M.Gh();

  // Blinking text vanishes in the base background colour while the blink phase is off.
  {
    auto B = HtmlBitmap(60, 20);
    THtmlCall H;
    H.BlinkVisible = false;
    H.Run(B->Canvas(), u"<blink>MMM</blink>");
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(0, 0, 60, 20), clWhite));
    H.BlinkVisible = true;
    H.Run(B->Canvas(), u"<blink>MMM</blink>");
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(0, 0, 60, 20), clBlack));
  }
  // A rule is a black line one pixel below the text bottom, across the line.
  {
    auto B = HtmlBitmap(60, 40);
    THtmlCall H;
    H.Area = Rect(0, 0, 60, 40);
    H.Run(B->Canvas(), u"<hr>");
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(1, Gh + 1, 60, Gh + 2), clBlack));
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(0, 0, 60, Gh + 1), clWhite));
  }
  // Highlighted text stands on the highlight background.
  {
    TColor Bk, Tx;
    GetHtmlHighlightColors(Bk, Tx);
    SetHtmlHighlightColors(clYellow, clRed);
    auto B = HtmlBitmap(60, 20);
    THtmlCall H;
    H.Run(B->Canvas(), u"<hi>MM</hi>M");
    SetHtmlHighlightColors(Bk, Tx);
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(1, 0, 1 + M.W(u"MM"), Gh), clYellow));
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(1, 0, 1 + M.W(u"MM"), Gh), clRed));
    EXPECT_FALSE(HasColor(B->Canvas(), Rect(1 + M.W(u"MM"), 0, 60, 20), clYellow));
  }
  // Error marking: a red zigzag along the text bottom, one pixel above and below it.
  {
    auto B = HtmlBitmap(60, 30);
    THtmlCall H;
    H.Run(B->Canvas(), u"<e>abc</e>");
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(0, Gh - 1, 60, Gh + 2), clRed));
    EXPECT_FALSE(HasColor(B->Canvas(), Rect(0, 0, 60, Gh - 1), clRed));
  }
  // The body colour fills the whole rectangle.
  {
    auto B = HtmlBitmap(60, 30);
    THtmlCall H;
    H.Area = Rect(5, 5, 50, 25);
    H.Run(B->Canvas(), u"<body bgcolor=\"#00FF00\">x");
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(5, 5, 6, 25), clLime));
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(49, 5, 50, 25), clLime));
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(0, 0, 60, 5), clWhite));
  }
  // Shadow text is drawn first in the shadow colour, moved right and down.
  {
    auto B = HtmlBitmap(60, 30);
    THtmlCall H;
    H.ShadowOffset = 2;
    H.ShadowColor = clRed;
    H.Run(B->Canvas(), u"<shad>M</shad>");
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(0, 0, 60, 30), clRed));
    EXPECT_TRUE(HasColor(B->Canvas(), Rect(0, 0, 60, 30), clBlack));
  }
  // Measuring and hit-testing draw nothing.
  {
    auto B = HtmlBitmap(60, 30);
    THtmlCall H;
    H.MeasureOnly = true;
    H.Run(B->Canvas(), u"<body bgcolor=\"clred\">MMM");
    H.MeasureOnly = false;
    H.HitTestOnly = true;
    H.Run(B->Canvas(), u"<body bgcolor=\"clred\">MMM<hr>");
    EXPECT_TRUE(AllColor(B->Canvas(), Rect(0, 0, 60, 30), clWhite));
  }
}

TEST(EsgHTMLEDraw, EmbeddedControlsAreDrawn) {
  auto B = HtmlBitmap(200, 40);
  TCanvas* C = B->Canvas();
  const Integer Gh = TMetrics{C}.Gh();
  THtmlCall H;
  H.Area = Rect(0, 0, 200, 40);
  H.Run(C, u"<control type=\"EDIT\" id=\"e\" width=\"60\" value=\"x\">");
  // A white box with a grey border, from 4 pixels under the line top to 2 below the text bottom.
  const Integer S = std::max(23, Gh + 10);
  EXPECT_EQ(C->Pixels(1, S - S + 4), static_cast<TColor>(0x808080));
  EXPECT_EQ(C->Pixels(60, S + 1), static_cast<TColor>(0x808080));
  EXPECT_EQ(C->Pixels(30, S - S + 6), clWhite);
  EXPECT_TRUE(HasColor(C, Rect(3, 4, 60, S), clBlack));  // the value
}

TEST(EsgHTMLEDraw, WithVisualStylesControlsAreThemedParts) {
  const TThemeLibraryLoader* Old = SetThemeLibraryLoader(&RecordingLoader);
  FreeThemeApi();
  LoadThemeApi();
  ASSERT_TRUE(ThemeApi.Loaded);
  const String Form = u"<control type=\"COMBO\" id=\"a\" width=\"60\"><control type=\"CHECK\" id=\"b\" "
                      u"width=\"16\" value=\"true\"><control type=\"RADIO\" id=\"c\" width=\"16\">"
                      u"<control type=\"BUTTON\" id=\"d\" width=\"40\">";
  struct Case {
    const char* Name;
    Integer HitX;
    bool ControlDown;
    std::vector<std::string> Want;
  };
  const Case Cases[] = {
      {"nothing under the point", -50, false, {"combobox 1 1", "button 3 5", "button 2 1", "button 1 1"}},
      {"the point on the combo box", 30, false, {"combobox 1 2", "button 3 5", "button 2 1", "button 1 1"}},
      {"the point on the button", 110, false, {"combobox 1 1", "button 3 5", "button 2 1", "button 1 2"}},
      {"the button held", 110, true, {"combobox 1 1", "button 3 5", "button 2 1", "button 1 3"}},
  };
  for (const Case& K : Cases) {
    TRecordingTheme::Drawn.clear();
    auto B = HtmlBitmap(200, 40);
    THtmlCall H;
    H.HitX = K.HitX;
    H.HitY = 15;
    H.ControlDown = K.ControlDown;
    H.Run(B->Canvas(), Form);
    EXPECT_EQ(TRecordingTheme::Drawn, K.Want) << K.Name;
    // The box of the combo box has the themed border colour.
    EXPECT_EQ(B->Canvas()->Pixels(1, 4), static_cast<TColor>(0xB99D7F)) << K.Name;
  }
  EXPECT_EQ(TRecordingTheme::Opened, TRecordingTheme::Closed);
  FreeThemeApi();
  SetThemeLibraryLoader(Old);
}

TEST(EsgHTMLEDraw, CanvasStateIsGivenBack) {
  auto B = HtmlBitmap(100, 40);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(clAqua);
  C->Pen()->SetWidth(3);
  C->Brush()->SetColor(clSilver);
  C->Font()->SetColor(clNavy);
  THtmlCall H;
  H.Run(C, u"<b><i><font color=\"clred\" size=\"5\" face=\"Arial\">x<hr><control type=\"EDIT\" width=\"20\" "
           u"id=\"a\"><e>y<p bgcolor=\"clred\">z");
  EXPECT_EQ(C->Pen()->Color(), clAqua);
  EXPECT_EQ(C->Pen()->Width(), 3);
  EXPECT_EQ(C->Brush()->Color(), clSilver);
  EXPECT_EQ(C->Brush()->Style(), bsSolid);
  EXPECT_EQ(C->Font()->Color(), clNavy);
  EXPECT_EQ(C->Font()->Height(), -11);
  EXPECT_TRUE(C->Font()->Style().Empty());
}

TEST(EsgHTMLEDraw, PicturesFromTheContainerAndTheCache) {
  auto B = HtmlBitmap(100, 40);
  TCanvas* C = B->Canvas();
  const Integer Gh = TMetrics{C}.Gh();
  TPictureContainer Box(nullptr);
  TPictureItem* Item = Box.Items()->Add();
  Item->SetName(u"Logo");
  const std::vector<Byte> Red = SolidBmp(6, 4, clRed);
  Item->Picture()->LoadFromMemory(Red.data(), Red.size());

  THtmlCall H;
  H.Container = &Box;
  H.Area = Rect(0, 0, 100, 40);
  H.Run(C, u"<img src=\"logo\">");
  EXPECT_EQ(C->Pixels(1, 0), clRed);
  EXPECT_EQ(C->Pixels(6, 3), clRed);
  EXPECT_EQ(C->Pixels(7, 0), clWhite);
  EXPECT_EQ(H.MaxLineWidth, 6);

  // WIDTH alone scales the height by the same ratio.
  H.MeasureOnly = true;
  H.Run(C, u"<img src=\"LOGO\" width=\"12\">");
  EXPECT_EQ(H.MaxLineWidth, 12);
  EXPECT_EQ(H.TotalHeight, std::max(Gh, 8));
  H.Run(C, u"<img src=\"logo\" width=\"3\" height=\"30\">");
  EXPECT_EQ(H.MaxLineWidth, 3);
  EXPECT_EQ(H.TotalHeight, 30);

  // A network source loads nothing; the cache keeps the empty picture and does not load again.
  THTMLPictureCache Cache;
  THtmlCall N;
  N.Cache = &Cache;
  N.Run(C, u"<img src=\"http://example.invalid/a.png\">x");
  N.Run(C, u"<img src=\"http://example.invalid/a.png\">x");
  EXPECT_EQ(Cache.Count(), 1);
  EXPECT_TRUE(Cache.GetPicture(0)->Empty());
  EXPECT_EQ(U8(Cache.GetPicture(0)->ID()), "http://example.invalid/a.png");
  EXPECT_EQ(N.MaxLineWidth, TMetrics{C}.W(u"x"));
}

TEST(EsgHTMLEDraw, AnImageSourceThatIsNoPictureFileDrawsNothing) {
  // A device named as a file source would be read forever while the cell paints.
  auto B = HtmlBitmap(100, 40);
  TCanvas* C = B->Canvas();
  THTMLPictureCache Cache;
  THtmlCall H;
  H.Cache = &Cache;
  H.Run(C, u"x<IMG SRC=\"file:///dev/zero\">");
  EXPECT_EQ(H.MaxLineWidth, TMetrics{C}.W(u"x"));
  ASSERT_EQ(Cache.Count(), 1);
  EXPECT_TRUE(Cache.GetPicture(0)->Empty());
}
