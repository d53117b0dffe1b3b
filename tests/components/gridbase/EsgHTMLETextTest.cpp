// Mini-HTML without drawing: colours of the markup, the renderer's pre-pass, escaping,
// stripping, search marking and the values of embedded controls.
#include "components/gridbase/EsgHTMLE.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

struct TextCase {
  const char* Name;
  String In;
  String Out;
};

const String kForm =
    u"<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"a\" WIDTH=\"40\">"
    u"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">"
    u"<control type=\"radio\" id=\"r1\" value=\"TRUE\" width=\"16\">"
    u"<CONTROL TYPE=\"EDIT\" ID=\"e2\" VALUE=\"b &amp; c\" WIDTH=\"40\" PROP=\"p&lt;1\" MAXLEN=\"12x\" HEIGHT=\"30\">";

}  // namespace

TEST(EsgHTMLEText, ColourNamesAndHexColours) {
  struct Case {
    const char* Name;
    TColor Got;
    TColor Want;
  };
  const Case Cases[] = {
      {"clred", HtmlColorByName(u"clred"), 0x0000FF},
      {"clnavy", HtmlColorByName(u"clnavy"), 0x800000},
      {"system colour clbtnface", HtmlColorByName(u"clbtnface"), static_cast<TColor>(0xFF00000F)},
      {"system colour clinfobk", HtmlColorByName(u"clinfobk"), static_cast<TColor>(0xFF000018)},
      {"upper-case name is unknown", HtmlColorByName(u"CLRED"), 0},
      {"unknown name is black", HtmlColorByName(u"red"), 0},
      {"hex red first", HtmlHexColor(u"#FF0000"), 0x0000FF},
      {"hex blue last", HtmlHexColor(u"#0000FF"), 0xFF0000},
      {"hex mixed", HtmlHexColor(u"#12AB9F"), 0x9FAB12},
  };
  for (const Case& C : Cases) EXPECT_EQ(C.Got, C.Want) << C.Name;
}

TEST(EsgHTMLEText, PrePassTable) {
  const TextCase Cases[] = {
      {"amp becomes the prefix form", u"a &amp; b", u"a && b"},
      {"entities in any case", u"&AMP;&Quot;", u"&&\""},
      {"symbol entities", u"&sect;&permil;&reg;&copy;&para;&trade;&euro;", u"§‰®©¶™€"},
      {"every occurrence, sweep after sweep", u"&reg;&reg;&euro;&reg;", u"®®€®"},
      {"in-text entities stay for the runs", u"&lt;&gt;&nbsp;", u"&lt;&gt;&nbsp;"},
      {"attribute values keep their entities", u"<a href=\"x&amp;y\" title=\"&quot;t&quot;\">b&amp;c</a>",
       u"<a href=\"x&amp;y\" title=\"&quot;t&quot;\">b&&c</a>"},
      {"hash tag shows as text", u"<#ABCDEF>x", u"#ABCDEFx"},
      {"hash tag without closing bracket", u"<#12", u"#12"},
      {"CR becomes BR, LF goes", u"a\r\nb\nc", u"a<BR>bc"},
  };
  for (const TextCase& C : Cases) EXPECT_EQ(U8(PrepareHtmlText(C.In)), U8(C.Out)) << C.Name;
}

TEST(EsgHTMLEText, EscapeAndUnescape) {
  const TextCase Escape[] = {
      {"specials", u"a<b & \"c\"", u"a&lt;b &amp; &quot;c&quot;"},
      {"a star-amp in the text stays as written", u"x*amp;y", u"x*amp;y"},
      {"an entity written as text keeps its ampersand escaped", u"R&amp;D", u"R&amp;amp;D"},
      {"accents stay without extended mode", u"é", u"é"},
  };
  for (const TextCase& C : Escape) EXPECT_EQ(U8(HtmlEscape(C.In, false)), U8(C.Out)) << C.Name;
  EXPECT_EQ(U8(HtmlEscape(u"é €", true)), "&eacute; &euro;");
  EXPECT_EQ(U8(HtmlEscape(u"«Ç»", true)), "&laquo;&Ccedil;&raquo;");

  EXPECT_EQ(U8(HtmlUnescape(u"a&lt;b &amp; &quot;c&quot;", false)), "a<b & \"c\"");
  EXPECT_EQ(U8(HtmlUnescape(u"&Eacute;&eacute;", true)), "Éé");
  EXPECT_EQ(U8(HtmlUnescape(u"&Eacute;", false)), "&Eacute;");
  // Entities are matched in exact case.
  EXPECT_EQ(U8(HtmlUnescape(u"&LT;", false)), "&LT;");
  // Round trip of every special character, extended.
  const String All = u"<>&\"éèëêóòöôíìïîúùüûáàäâÉÈËÊÓÒÖÔÍÌÏÎÚÙÜÛÁÀÄÂçÇøØåÅ©®€«»";
  EXPECT_EQ(U8(HtmlUnescape(HtmlEscape(All, true), true)), U8(All));
}

// Escaping and unescaping give back every text, also one that holds entities or their
// look-alikes as plain text (a cell typed as "R&amp;D" survives being highlighted and
// unhighlighted, an edit control's value with "&quot;" survives being stored in its tag).
TEST(EsgHTMLEText, EscapeAndUnescapeGiveBackTextsThatLookLikeEntities) {
  const struct {
    const char* Name;
    String Text;
  } Cases[] = {
      {"ampersand entity as text", u"R&amp;D"},
      {"doubled ampersand entity", u"&amp;amp;"},
      {"quote entity as text", u"say &quot;hi&quot;"},
      {"less-than entity as text", u"a &lt; b"},
      {"accent entity as text", u"caf&eacute;"},
      {"star-amp", u"x*amp;y"},
      {"bare ampersands", u"a & b &; &"},
  };
  for (const auto& C : Cases)
    for (const bool Extended : {false, true})
      EXPECT_EQ(U8(HtmlUnescape(HtmlEscape(C.Text, Extended), Extended)), U8(C.Text))
          << C.Name << (Extended ? ", extended" : "");
  // Each entity is decoded once.
  EXPECT_EQ(U8(HtmlUnescape(u"&amp;lt;", false)), "&lt;");
  EXPECT_EQ(U8(HtmlUnescape(u"&amp;quot;&amp;eacute;", true)), "&quot;&eacute;");
  EXPECT_EQ(U8(HtmlUnescape(u"&amp;amp;", false)), "&amp;");
  EXPECT_EQ(U8(SpacesToNbsp(u"a b  c")), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(EsgHTMLEText, StripHtmlTable) {
  const TextCase Cases[] = {
      {"line breaks and tags", u"a<br>b<B>c</B>", u"a\r\nb" u"c"},
      {"HR in any case", u"a<Hr>b", u"a\r\nb"},
      {"a bracket without end stays", u"a<b", u"a<b"},
      {"rest after an open bracket stays", u"<i>x</i>y<z", u"xy<z"},
      {"attributes go with their tag", u"<a href=\"u\">link</a>", u"link"},
  };
  for (const TextCase& C : Cases) EXPECT_EQ(U8(StripHtml(C.In)), U8(C.Out)) << C.Name;
}

TEST(EsgHTMLEText, VisibleTextAndIndexes) {
  EXPECT_EQ(U8(HtmlVisibleText(u"<B>ab</B>c")), "abc");
  EXPECT_EQ(U8(HtmlVisibleText(u"x < y")), "x < y");
  EXPECT_EQ(U8(HtmlVisibleText(u"a > b <B>c")), "a > b <B>c");

  struct Case {
    const char* Name;
    String Text;
    Integer N;
    Integer Want;
  };
  const Case Cases[] = {
      {"first character is the start", u"<B>abc</B>", 1, 1},
      {"after the previous character, before the tags", u"<B>a</B><I>b</I>", 2, 5},
      {"one past the last is the end of the text", u"<B>abc</B>", 4, 11},
      {"plain text", u"abc", 3, 3},
  };
  for (const Case& C : Cases) EXPECT_EQ(VisibleToHtmlIndex(C.Text, C.N), C.Want) << C.Name;

  EXPECT_EQ(FindVisibleText(u"abcABC", u"BC", 1, true), 5);
  EXPECT_EQ(FindVisibleText(u"abcABC", u"BC", 1, false), 2);
  EXPECT_EQ(FindVisibleText(u"abcABC", u"BC", 3, false), 5);
  EXPECT_EQ(FindVisibleText(u"abc", u"", 1, false), 0);
}

TEST(EsgHTMLEText, MarkAndUnmark) {
  struct Case {
    const char* Name;
    String Text, Search, Tag;
    bool DoCase;
    String Want;
  };
  const Case Cases[] = {
      {"inside and outside a tag, any case", u"<B>abc</B>abc", u"BC", u"HI", false,
       u"<B>a<HI>bc</HI></B>a<HI>bc</HI>"},
      {"exact case skips other cases", u"abcABC", u"BC", u"HI", true, u"abcA<HI>BC</HI>"},
      {"twice in a row", u"abab", u"ab", u"HI", false, u"<HI>ab</HI><HI>ab</HI>"},
      {"a match after a tag opens behind it; at the end it closes after all tags", u"<B>a</B><I>bc</I>", u"bc", u"HI", false,
       u"<B>a</B><I><HI>bc</I></HI>"},
      {"plain text with an angle bracket", u"x < y", u"x", u"HI", false, u"<HI>x</HI> &lt; y"},
      {"no match", u"abc", u"z", u"HI", false, u"abc"},
      {"empty search", u"abc", u"", u"HI", false, u"abc"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(U8(MarkTextInHtml(C.Text, C.Search, C.Tag, C.DoCase)), U8(C.Want)) << C.Name;

  EXPECT_EQ(U8(UnmarkTextInHtml(u"<HI>x</HI> &lt; y", u"HI")), "x < y");
  EXPECT_EQ(U8(UnmarkTextInHtml(u"<hi>a</Hi><B>b</B>", u"HI")), "a<B>b</B>");
}

TEST(EsgHTMLEText, ReplaceFirstIgnoresCase) {
  String S = u"x&AMP;y&amp;";
  EXPECT_TRUE(ReplaceFirst(u"&amp;", u"&&", S));
  EXPECT_EQ(U8(S), "x&&y&amp;");
  EXPECT_FALSE(ReplaceFirst(u"&lt;", u"<", S));
  EXPECT_EQ(U8(S), "x&&y&amp;");
}

TEST(EsgHTMLEText, ParseControlAttributes) {
  const THtmlControl C = ParseHtmlControl(
      u"<control type=\"combo\" id=\"Abc\" value=\"x &amp; &eacute;\" width=\"50\" height=\"30\" "
      u"prop=\"&lt;p&gt;\" maxlen=\"8\">");
  EXPECT_EQ(U8(C.CType), "COMBO");
  EXPECT_EQ(U8(C.CID), "Abc");
  EXPECT_EQ(U8(C.CValue), "x & é");
  EXPECT_EQ(U8(C.CWidth), "50");
  EXPECT_EQ(U8(C.CHeight), "30");
  EXPECT_EQ(U8(C.CProp), "<p>");
  EXPECT_EQ(U8(C.CMaxLen), "8");

  // Names are found by plain search: "ID=" is also found inside "VALID=".
  EXPECT_EQ(U8(ParseHtmlControl(u"<CONTROL VALID=\"v\" ID=\"x\">").CID), "v");
  // A missing attribute is empty.
  EXPECT_EQ(U8(ParseHtmlControl(u"<CONTROL TYPE=\"EDIT\">").CID), "");
}

TEST(EsgHTMLEText, ControlValues) {
  EXPECT_TRUE(HasHtmlControl(u"a <Control id=\"x\">"));
  EXPECT_FALSE(HasHtmlControl(u"a <CTRL>"));

  struct NextCase {
    const char* Name;
    String ID;
    String Want;
  };
  const NextCase Next[] = {
      {"empty ID gives the first editable", u"", u"e1"},
      {"check and radio are skipped", u"e1", u"e2"},
      {"after the last editable", u"e2", u""},
      {"an unknown ID", u"zz", u""},
  };
  for (const NextCase& C : Next) EXPECT_EQ(U8(NextHtmlControlID(kForm, C.ID)), U8(C.Want)) << C.Name;

  String V = u"untouched";
  EXPECT_TRUE(GetHtmlControlValue(kForm, u"e2", V));
  EXPECT_EQ(U8(V), "b & c");
  EXPECT_FALSE(GetHtmlControlValue(kForm, u"E2", V));  // IDs are compared in exact case
  EXPECT_EQ(U8(V), "b & c");
  EXPECT_EQ(U8(GetHtmlControlProp(kForm, u"e2")), "p<1");
  EXPECT_EQ(U8(GetHtmlControlProp(kForm, u"e1")), "");
  EXPECT_EQ(GetHtmlControlMaxLen(kForm, u"e2"), 12);
  EXPECT_EQ(GetHtmlControlMaxLen(kForm, u"e1"), 0);
  EXPECT_EQ(GetHtmlControlMaxLen(kForm, u"none"), 0);
}

TEST(EsgHTMLEText, SetControlValueRewritesTheTag) {
  String S = u"before " + kForm + u" after";
  EXPECT_TRUE(SetHtmlControlValue(S, u"e2", u"<new> & \"é\""));
  EXPECT_NE(S.find(u"<CONTROL ID=\"e2\" VALUE=\"&lt;new&gt; &amp; &quot;&eacute;&quot;\" WIDTH=\"40\" "
                   u"TYPE=\"EDIT\" PROP=\"p&lt;1\" MAXLEN=\"12x\" HEIGHT=\"30\">"),
            String::npos)
      << U8(S);
  EXPECT_EQ(S.substr(0, 7), u"before ");
  EXPECT_EQ(S.substr(S.size() - 6), u" after");
  String V;
  EXPECT_TRUE(GetHtmlControlValue(S, u"e2", V));
  EXPECT_EQ(U8(V), "<new> & \"é\"");

  // Without PROP, MAXLEN and HEIGHT the tag has none of them.
  String T = u"<CONTROL TYPE=\"edit\" ID=\"a\" VALUE=\"1\" WIDTH=\"9\">";
  EXPECT_TRUE(SetHtmlControlValue(T, u"a", u"2"));
  EXPECT_EQ(U8(T), "<CONTROL ID=\"a\" VALUE=\"2\" WIDTH=\"9\" TYPE=\"EDIT\">");

  String U = kForm;
  EXPECT_FALSE(SetHtmlControlValue(U, u"nobody", u"x"));
  EXPECT_EQ(U, kForm);
}

TEST(EsgHTMLEText, ClearRadiosSetsEveryRadioFalse) {
  const String S = ClearHtmlRadios(kForm + u"<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"true\" WIDTH=\"16\">");
  String V;
  EXPECT_TRUE(GetHtmlControlValue(S, u"r1", V));
  EXPECT_EQ(U8(V), "FALSE");
  EXPECT_TRUE(GetHtmlControlValue(S, u"r2", V));
  EXPECT_EQ(U8(V), "FALSE");
  EXPECT_TRUE(GetHtmlControlValue(S, u"c1", V));
  EXPECT_EQ(U8(V), "TRUE");
}

TEST(EsgHTMLEText, BiDiFlagsOnlyOnRightToLeftLocales) {
  struct Case {
    const char* Name;
    Cardinal Flags;
    Integer Mode;
    bool RtlLocale;
    Cardinal Want;
  };
  const Case Cases[] = {
      {"left-to-right locale changes nothing", DT_LEFT, bdHtmlRightToLeft, false, DT_LEFT},
      {"right-to-left mirrors left", DT_LEFT, bdHtmlRightToLeft, true, DT_RIGHT | DT_RTLREADING},
      {"right-to-left mirrors right", DT_RIGHT, bdHtmlRightToLeft, true, DT_RTLREADING},
      {"centre stays", DT_CENTER, bdHtmlRightToLeft, true, DT_CENTER | DT_RTLREADING},
      {"reading only", DT_LEFT, bdHtmlRightToLeftReadingOnly, true, DT_LEFT | DT_RTLREADING},
      {"left-to-right mode", DT_LEFT, bdHtmlLeftToRight, true, DT_LEFT},
  };
  for (const Case& C : Cases) EXPECT_EQ(BiDiDrawFlags(C.Flags, C.Mode, C.RtlLocale), C.Want) << C.Name;
  EXPECT_EQ(U8(PasswordMask(u"abc")), "***");
}
