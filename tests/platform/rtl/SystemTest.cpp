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
