#include "platform/rtl/System.h"

#include <gtest/gtest.h>

TEST(SystemTest, OneBasedRoutinesKeepClassicBounds) {
  const String s = u"Hello World";
  EXPECT_EQ(Pos(u"World", s), 7);
  EXPECT_EQ(Pos(u"x", s), 0);
  EXPECT_EQ(Pos(u"", s), 0);
  EXPECT_EQ(Copy(s, 0, 5), u"Hello");
  EXPECT_EQ(Copy(s, 7, 100), u"World");
  EXPECT_EQ(Copy(s, 12, 1), u"");
  String d = s;
  Delete(d, 6, 6);
  EXPECT_EQ(d, u"Hello");
  Delete(d, 0, 2);
  EXPECT_EQ(d, u"Hello");
  Insert(u"!", d, 100);
  EXPECT_EQ(d, u"Hello!");
  Insert(u">", d, 0);
  EXPECT_EQ(d, u">Hello!");
}

TEST(SystemTest, Utf8RoundTripsIncludingSurrogatePairs) {
  const std::string bytes = "a\xC2\xB0\xE2\x82\xAC\xF0\x9F\x98\x80";
  const String s = Utf8ToString(bytes);
  EXPECT_EQ(s, (String{u'a', 0x00B0, 0x20AC, 0xD83D, 0xDE00}));
  EXPECT_EQ(StringToUtf8(s), bytes);
  EXPECT_EQ(Utf8ToString("\xFF"), String(1, 0xFFFD));
  // A leading run of ASCII is taken eight units at a time: the first other character at every
  // place of such a block, and lone surrogates after the run.
  for (size_t at = 0; at <= 17; ++at) {
    String text(20, u'x');
    text[at] = 0x00E9;
    std::string want(20, 'x');
    want.replace(at, 1, "\xC3\xA9");
    EXPECT_EQ(StringToUtf8(text), want) << at;
  }
  EXPECT_EQ(StringToUtf8(String(16, u'a') + String{0xD800, u'b'}), std::string(16, 'a') + "\xEF\xBF\xBD" + "b");
  EXPECT_EQ(StringToUtf8(String(9, u'z')), std::string(9, 'z'));
  EXPECT_EQ(StringToUtf8(String()), std::string());
}

// ASCII is taken eight bytes at a time: the cases put sequences and faults on both sides of those
// steps and at the very end of the bytes.
TEST(SystemTest, Utf8ToStringAcrossAsciiRunsAndFaults) {
  const struct {
    const char* Name;
    std::string Bytes;
    String Text;
  } Cases[] = {
      {"empty", "", u""},
      {"ascii shorter than a step", "abc", u"abc"},
      {"ascii of two steps and a tail", "0123456789abcdefXYZ", u"0123456789abcdefXYZ"},
      {"letter inside the first step", "abc\xC3\xA9" "defghijk", u"abc\u00E9defghijk"},
      {"letter right after a step", "01234567\xC3\xA9x", u"01234567\u00E9x"},
      {"pair after a step", "01234567\xF0\x9F\x98\x80", String(u"01234567") + String{0xD83D, 0xDE00}},
      {"sequence cut at the end", "0123456789\xE2\x82", String(u"0123456789") + String{0xFFFD, 0xFFFD}},
      {"stray continuation", "abcdefgh\x80" "abcdefgh", String(u"abcdefgh") + String{0xFFFD} + u"abcdefgh"},
      {"overlong form", "\xC0\xAF" "abcdefgh", String{0xFFFD, 0xFFFD} + u"abcdefgh"},
      {"encoded surrogate", "\xED\xA0\x80z", String{0xFFFD, 0xFFFD, 0xFFFD} + u"z"},
      {"beyond the last code point", "\xF4\x90\x80\x80", String{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},
      {"code page byte among ascii", "Temp\x82rature sensor", String(u"Temp") + String{0xFFFD} + u"rature sensor"},
  };
  for (const auto& C : Cases) EXPECT_EQ(Utf8ToString(C.Bytes), C.Text) << C.Name;
}
