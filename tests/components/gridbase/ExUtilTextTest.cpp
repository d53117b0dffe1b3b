// The grid's text routines: searching and cutting, line breaks, CSV fields, cell text kinds, the
// wide-text encoding, URL anchors, the HTML clipboard fragment, capitalisation and OEM conversion.
#include "components/gridbase/ExUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

// A string routine's result for one input, named for the failure message.
struct TextCase {
  const char* Name;
  String (*Fn)(const String&);
  String In;
  String Out;
};

// A routine that changes its argument in place, as a plain function of it.
template <void (*F)(String&)>
String InPlace(const String& S) {
  String T = S;
  F(T);
  return T;
}

String Unmask(const String& S) { return UnmaskLineBreaks(S, true); }
String UnmaskFirstLine(const String& S) { return UnmaskLineBreaks(S, false); }
String Undouble(const String& S) { return UndoubleChar(u'"', S); }

}  // namespace

TEST(ExUtilText, ConversionsTable) {
  const String Nul(1, Char(0));
  const TextCase Cases[] = {
      {"RemoveCR", RemoveCR, u"a\r\nb\r", u"a\nb"},
      {"CRToLF", CRToLF, u"a\r\nb", u"a\n\nb"},
      {"CRLFToLF pairs only", InPlace<CRLFToLF>, u"a\r\nb\rc\n", u"a\nb\rc\n"},
      {"VTToCRLF", InPlace<VTToCRLF>, u"a\vb", u"a\r\nb"},
      {"LineBreaksToBR keeps LF", LineBreaksToBR, u"a\r\nb", u"a<br>\nb"},
      {"EncodeNewlineEscapes", EncodeNewlineEscapes, u"a\r\nb", u"a\\nb"},
      {"DecodeNewlineEscapes", DecodeNewlineEscapes, u"a\\nb\\", u"a\rb\\"},
      {"LineBreaksToTilde", InPlace<LineBreaksToTilde>, u"a\r\nb", u"a~b"},
      {"TildeToLineBreaks", InPlace<TildeToLineBreaks>, u"a~b", u"a\r\nb"},
      {"TildeToLineBreaks caret alone", InPlace<TildeToLineBreaks>, u"^", u""},
      {"MaskLineBreaks", MaskLineBreaks, u"a\r\nb" + Nul, u"a\t\bb\x01"},
      {"MaskLineBreaks LF without CR unchanged", MaskLineBreaks, u"a\nb", u"a\nb"},
      {"UnmaskLineBreaks", Unmask, u"a\t\bb\x01", u"a\r\nb" + Nul},
      {"UnmaskLineBreaks 9 without 8 unchanged", Unmask, u"a\tb", u"a\tb"},
      {"UnmaskLineBreaks first line only", UnmaskFirstLine, u"a\t\bb", u"a"},
      {"DoubleQuotes", DoubleQuotes, u"a\"b\"\"", u"a\"\"b\"\"\"\""},
      {"QuoteMultilineField", InPlace<QuoteMultilineField>, u"a\"\r\nb", u"\"a\"\vb\""},
      {"UndoubleChar pairs from the left", Undouble, u"a\"\"b\"\"\"", u"a\"b\"\""},
      {"UndoubleChar without the character", Undouble, u"abc", u"abc"},
      {"CapitalizeWords Mc at start", CapitalizeWords, u"mcdonald", u"McDonald"},
      {"CapitalizeWords roman II", CapitalizeWords, u"john smith ii", u"John Smith II"},
      {"CapitalizeWords apostrophe and hyphen", CapitalizeWords, u"o'neil-smith", u"O'Neil-Smith"},
      {"CapitalizeWords first Mc after a blank", CapitalizeWords, u"ann mcbride", u"Ann McBride"},
      {"CapitalizeWords lowers the rest", CapitalizeWords, u"HELLO wORLD", u"Hello World"},
      {"CapitalizeWords non-ASCII letters", CapitalizeWords, u"élan ärger", u"Élan Ärger"},
  };
  for (const TextCase& C : Cases) EXPECT_EQ(U8(C.Fn(C.In)), U8(C.Out)) << C.Name;
}

TEST(ExUtilText, SearchingTable) {
  struct Row {
    const char* Name;
    Integer Got;
    Integer Want;
  };
  Integer Stored = -1, Stored2 = -1;
  const Row Rows[] = {
      {"CharPos found", CharPos(u'b', u"abcb"), 2},
      {"CharPos absent", CharPos(u'x', u"abc"), 0},
      {"VarCharPos", VarCharPos(u'c', u"abc", Stored), 3},
      {"VarPos", VarPos(u"cd", u"abcd", Stored2), 3},
      {"UpperCasePos folds the text", UpperCasePos(u"HTTP", u"see http://x"), 5},
      {"UpperCasePos keeps the searched text", UpperCasePos(u"http", u"see http://x"), 0},
      {"WidePos", WidePos(u"ü", u"grün"), 3},
      {"CountChar", CountChar(u'a', u"banana"), 3},
  };
  for (const Row& R : Rows) EXPECT_EQ(R.Got, R.Want) << R.Name;
  EXPECT_EQ(Stored, 3);
  EXPECT_EQ(Stored2, 3);
}

TEST(ExUtilText, CutTokenTakesTheTextBeforeTheSeparator) {
  String S = u"a;b;c", Token;
  CutToken(S, u";", Token);
  EXPECT_EQ(U8(Token), "a");
  EXPECT_EQ(U8(S), "b;c");

  // Only the separator's first character goes with the token.
  S = u"x, y";
  EXPECT_EQ(U8(CutToken(S, u", ")), "x");
  EXPECT_EQ(U8(S), " y");

  // Without the separator the text stays whole.
  S = u"abc";
  Token = u"old";
  CutToken(S, u";", Token);
  EXPECT_EQ(U8(Token), "");
  EXPECT_EQ(U8(S), "abc");
}

TEST(ExUtilText, TakeLineWithAndWithoutKeep) {
  String S = u"a\r\nb", Line;
  TakeLine(S, true, Line);
  EXPECT_EQ(U8(Line), "a");
  EXPECT_EQ(U8(S), "b");

  S = u"a\r\nb";
  TakeLine(S, false, Line);
  EXPECT_EQ(U8(Line), "a");
  EXPECT_EQ(U8(S), "");

  // Only one LF after the CR is part of the break.
  S = u"a\r\n\nb";
  EXPECT_EQ(U8(TakeLine(S, true)), "a");
  EXPECT_EQ(U8(S), "\nb");

  S = u"ab";
  TakeLine(S, true, Line);
  EXPECT_EQ(U8(Line), "ab");
  EXPECT_EQ(U8(S), "");

  EXPECT_EQ(CountLines(u"a\rb\rc", true), 3);
  EXPECT_EQ(CountLines(u"a\rb\rc", false), 1);
}

TEST(ExUtilText, UnpairedQuotes) {
  struct Row {
    const char* Name;
    String S;
    Integer Pos;
    Integer Count;
  };
  const Row Rows[] = {
      {"even run inside", u"ab\"\",x", 0, 0},
      {"odd run inside", u"ab\",x", 3, 1},
      {"run at the end counts whatever its length", u"ab\"\"", 4, 1},
      {"odd run of three", u"\"\"\"a", 3, 1},
      {"quoted field with a doubled quote inside", u"\"a\"\"b\",c", 1, 2},
      {"no quote", u"abc", 0, 0},
  };
  for (const Row& R : Rows) {
    Integer Stored = -1;
    EXPECT_EQ(PosUnpairedChar(u'"', R.S, Stored), R.Pos) << R.Name;
    EXPECT_EQ(Stored, R.Pos) << R.Name;
    EXPECT_EQ(CountUnpairedChar(u'"', R.S), R.Count) << R.Name;
  }
  // From an index on, the position counts from there.
  EXPECT_EQ(PosUnpairedChar(u'"', u"a\"b\"\"c\"d", size_t{2}), 5);
  EXPECT_EQ(PosUnpairedChar(u'"', u"a\"b", size_t{2}), 0);
}

TEST(ExUtilText, CellTextKinds) {
  const String Nul(1, Char(0));
  struct Row {
    const char* Name;
    String S;
    Integer WithoutHtml;
    Integer WithHtml;
  };
  const Row Rows[] = {
      {"empty", u"", ctkPlain, ctkPlain},
      {"plain", u"abc", ctkPlain, ctkPlain},
      {"bold markup", u"<b>x</b>", ctkPlain, ctkHtml},
      {"upper-case tag", u"<B>x", ctkPlain, ctkHtml},
      {"lower-case tag without closing", u"<i>x", ctkPlain, ctkPlain},
      {"angle brackets of a comparison", u"a < b", ctkPlain, ctkPlain},
      {"formula", u"=A1+1", ctkFormula, ctkFormula},
      {"rich text", u"{\\rtf1 x}", ctkRichText, ctkRichText},
      {"encoded wide text", EncodeUnicodeText(u"ab"), ctkUnicode, ctkUnicode},
      {"encoded formula", EncodeUnicodeText(u"=A1"), ctkFormula, ctkFormula},
      {"encoded equals sign alone", u"|\\" + Nul + u"=", ctkUnicode, ctkUnicode},
  };
  for (const Row& R : Rows) {
    EXPECT_EQ(GetCellTextKind(R.S, false), R.WithoutHtml) << R.Name;
    EXPECT_EQ(GetCellTextKind(R.S, true), R.WithHtml) << R.Name;
  }
}

TEST(ExUtilText, WideTextEncodingRoundTrips) {
  const String Wide = u"A\u00e9\u20ac\U0001F600z";
  const String Encoded = EncodeUnicodeText(Wide);
  ASSERT_EQ(Encoded.size(), 2 + 2 * Wide.size());
  EXPECT_EQ(Encoded[2], 0);
  EXPECT_EQ(Encoded[3], u'A');
  EXPECT_EQ(Encoded[6], 0x20);  // high byte of the euro sign
  EXPECT_EQ(Encoded[7], 0xAC);
  EXPECT_EQ(DecodeUnicodeText(Encoded), Wide);
  // An odd last character is ignored; a text without the marker is returned as it is.
  EXPECT_EQ(DecodeUnicodeText(Encoded + u"x"), Wide);
  EXPECT_EQ(U8(DecodeUnicodeText(u"plain")), "plain");
  EXPECT_EQ(DecodeUnicodeText(u"|\\"), String());
}

TEST(ExUtilText, CellReferences) {
  struct Row {
    const char* Name;
    String Text;
    bool Ok;
    TPoint Cell;
  };
  const Row Rows[] = {
      {"lower case", u"r12c3", true, TPoint(3, 12)},
      {"upper case", u"R1C10", true, TPoint(10, 1)},
      {"no column", u"R12", false, TPoint(-1, -1)},
      {"column first", u"C3R1", false, TPoint(-1, -1)},
      {"too short", u"R1C", false, TPoint(-1, -1)},
      {"not a number", u"RxC3", false, TPoint(-1, -1)},
      {"trailing text", u"R1C3 ", false, TPoint(-1, -1)},
  };
  for (const Row& R : Rows) {
    TPoint P(-1, -1);
    EXPECT_EQ(ParseCellReference(R.Text, P), R.Ok) << R.Name;
    EXPECT_EQ(P, R.Cell) << R.Name;
  }
}

TEST(ExUtilText, UrlsAndAnchors) {
  EXPECT_TRUE(IsUrl(u"http://x"));
  EXPECT_TRUE(IsUrl(u"mailto:a@b"));
  EXPECT_FALSE(IsUrl(u"MAILTO:a@b"));

  String S = u"see http://a.b/c";
  StripUrlScheme(S);
  EXPECT_EQ(U8(S), "a.b/c");
  S = u"mailto:a@b";
  StripUrlScheme(S);
  EXPECT_EQ(U8(S), "a@b");

  String Dest = u"unchanged";
  EXPECT_FALSE(AddUrlAnchor(u"no link here", u"HTTP://", Dest));
  EXPECT_EQ(U8(Dest), "unchanged");

  ASSERT_TRUE(AddUrlAnchor(u"Go to http://www.x.com/a_b now", u"HTTP://", Dest));
  EXPECT_EQ(U8(Dest), "Go to <a href=\"http://www.x.com/a_b\">http://www.x.com/a_b</a> now");

  // Angle brackets are escaped before the URL is found; the URL ends at the first character
  // outside its set.
  ASSERT_TRUE(AddUrlAnchor(u"<www.x.org>", u"WWW.", Dest));
  EXPECT_EQ(U8(Dest), "&lt;<a href=\"www.x.org\">www.x.org</a>&gt;");
  ASSERT_TRUE(AddUrlAnchor(u"mail MAILTO:a@b.c?subject", u"MAILTO:", Dest));
  EXPECT_EQ(U8(Dest), "mail <a href=\"MAILTO:a@b.c\">MAILTO:a@b.c</a>?subject");
}

TEST(ExUtilText, ColorToHtmlHexIsRedFirst) {
  EXPECT_EQ(U8(ColorToHtmlHex(0x00336699)), "996633");
  EXPECT_EQ(U8(ColorToHtmlHex(clRed)), "FF0000");
  // A system colour is taken as its plain value.
  EXPECT_EQ(U8(ColorToHtmlHex(clBtnFace)), "0F0000");
}

TEST(ExUtilText, HtmlClipboardFragmentMatchesTheGoldenFile) {
  std::ifstream In(std::string(KP_FIXTURES_DIR) + "/components/gridbase/html_clipboard_fragment.txt",
                   std::ios::binary);
  ASSERT_TRUE(In.good());
  std::stringstream Golden;
  Golden << In.rdbuf();
  String S = u"<b>x</b>";
  MakeHtmlClipboardFragment(S);
  EXPECT_EQ(U8(S), Golden.str());
  // The offsets count characters of the result.
  EXPECT_EQ(U8(S.substr(274, 8)), "<b>x</b>");
  EXPECT_EQ(S.size(), 8u + 306u);
}

TEST(ExUtilText, SmallHelpers) {
  String S = u"secret";
  FillChars(S, u'*');
  EXPECT_EQ(U8(S), "******");

  TStringList L;
  L.Add(u"a");
  L.Add(u"bc");
  EXPECT_EQ(U8(ConcatStrings(&L)), "abc");

  const TGridRect G{1, 2, 3, 4};
  EXPECT_TRUE(CellInGridRect(G, 3, 4));
  EXPECT_TRUE(CellInGridRect(G, 1, 2));
  EXPECT_FALSE(CellInGridRect(G, 4, 3));
  EXPECT_FALSE(CellInGridRect(G, 2, 1));

  for (Char C : String(u" ',-.")) EXPECT_TRUE(IsWordBreakChar(C)) << char(C);
  EXPECT_FALSE(IsWordBreakChar(u'_'));
}

TEST(ExUtilText, OemConversionGoesThroughBothCodePages) {
  // "é" is 0x82 in CP850, which is "‚" (low quotation mark) in Windows-1252, and back.
  String S = u"café";
  StringToOem(S);
  EXPECT_EQ(U8(S), "caf\u201A");
  OemToString(S);
  EXPECT_EQ(U8(S), "café");
}
