#include "app/ULanguage.h"

#include <gtest/gtest.h>

#include "app/UComon.h"
#include "tests/app/AppTestFolder.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePages.h"
#include "platform/rtl/SysUtils.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"

namespace {

TEST(BuiltInTexts, TableHasEveryIdAndOnlyTheListedOnesCarryText) {
  TStringList sl;
  Load_Default_Texts(sl);
  ASSERT_EQ(sl.Count(), 2100);
  Integer withText = 0;
  for (Integer i = 0; i < sl.Count(); ++i) {
    ASSERT_FALSE(sl.Get(i).empty()) << "id " << i;
    if (sl.Get(i) != u" ") ++withText;
  }
  EXPECT_EQ(withText, 909);
}

TEST(BuiltInTexts, SamplesKeepTheirBlanksAndQuotes) {
  TStringList sl;
  Load_Default_Texts(sl);
  struct Row {
    const char* name;
    Integer id;
    String text;
  };
  const Row rows[] = {
      {"first", 0, u"Begin"},
      {"trailing blank", 9, u"None Configuration Opened "},
      {"trailing blank after colon", 11, u"Opened Configuration of the Converter : "},
      {"refusal", 18, u"Error! Project not Valid"},
      {"device id bound", 1026, u"Error!! Device ID must be between 0 and 4294967295"},
      {"rolling code bound", 1027, u"Error!! Rolling Code must be between 0 and 4294967295"},
      {"update tool missing", 938, u"Error!!! Update tool not found: "},
      {"blanks at both ends", 306, u" / "},
      {"page", 305, u"Page "},
      {"language question", 316, u"Do you want to change the Language from "},
      {"gap between blocks", 38, u" "},
      {"hole inside a block", 1119, u" "},
      {"unused shared message", 1705, u"File already exists. Do you want to overwrite?"},
      {"typographic quotes", 1626, u"Description for the M-Bus meter (defined in the section \u201CM-Bus\u201D)"},
      {"inner double quotes", 1936,
       u"!! [BACnet in Read] Length with variable \"Positive Integer Value\" must be between 1 and 4"},
      {"message joined with a number", 1948, u"!! [BACnet in Write] Position must be between 0 and "},
      {"question before leaving the parameters", 763, u"Do you want to exit and discard the changes?"},
      {"last text", 2008, u"Select Engineering Unit"},
      {"last id", 2099, u" "},
  };
  for (const Row& r : rows) EXPECT_EQ(sl.Get(r.id), r.text) << r.name;
}

TEST(LanguageFileLine, Grammar) {
  struct Row {
    const char* name;
    String line;
    bool sets;
    Integer id;
    String text;
  };
  const Row rows[] = {
      {"plain line", u"STR12 = Hello", true, 12, u"Hello"},
      {"no blank before = drops the id's last digit", u"STR12= Hello", true, 1, u"Hello"},
      {"no id left", u"STR5=Hello", false, 0, u""},
      {"blanks and controls around the line", u"  \tSTR12 = Hello \r", true, 12, u"Hello"},
      {"blank between STR and the id", u"STR 12 = Hello", true, 12, u"Hello"},
      {"hexadecimal id", u"STR$C = Hello", true, 12, u"Hello"},
      {"lower-case str", u"str12 = Hello", false, 0, u""},
      {"another character before STR", u"#STR12 = Hello", false, 0, u""},
      {"no =", u"STR12 Hello", false, 0, u""},
      {"id not a number", u"STRab = Hello", false, 0, u""},
      {"last id", u"STR2099 = Last", true, 2099, u"Last"},
      {"id past the table", u"STR2100 = Past", false, 0, u""},
      {"negative id", u"STR-1  = Before", false, 0, u""},
      {"nothing after =", u"STR12 =", false, 0, u""},
      {"only a note after =", u"STR12 = /#/ a note", false, 0, u""},
      {"text and note", u"STR12 = Hello  /#/ a note", true, 12, u"Hello"},
      {"quoted text keeps its blank", u"STR305 = \u00B6Seite \u00B6", true, 305, u"Seite "},
      {"text ends at the quote", u"STR305 = Seite \u00B6x", true, 305, u"Seite "},
      {"quoted blanks only", u"STR306 = \u00B6 / \u00B6", true, 306, u" / "},
      {"several =", u"STR20 = a=b = c", true, 20, u"a=b = c"},
  };
  for (const Row& r : rows) {
    Integer id = -5;
    String text = u"unchanged";
    const bool sets = Parse_Lng_Line(r.line, 2100, id, text);
    EXPECT_EQ(sets, r.sets) << r.name;
    if (sets && r.sets) {
      EXPECT_EQ(id, r.id) << r.name;
      EXPECT_EQ(text, r.text) << r.name;
    }
  }
}

// The fixture's lines, as every test expects them to land in the table.
void Expect_German_Overlay(const TStringList& sl, const char* encoding) {
  SCOPED_TRACE(encoding);
  ASSERT_EQ(sl.Count(), 2100);
  EXPECT_EQ(sl.Get(0), u"Beginn");
  EXPECT_EQ(sl.Get(1), u"Schritt 1");
  EXPECT_EQ(sl.Get(12), u"Information");
  EXPECT_EQ(sl.Get(305), u"Seite ");
  EXPECT_EQ(sl.Get(306), u" / ");
  EXPECT_EQ(sl.Get(13), u"Einstellungen");               // the later line wins
  EXPECT_EQ(sl.Get(14), u"Close Configurator");          // lower-case str ignored
  EXPECT_EQ(sl.Get(15), u"New Configuration");           // text before STR
  EXPECT_EQ(sl.Get(16), u"Open Configuration");          // nothing after =
  EXPECT_EQ(sl.Get(17), u"Update Device UDP");           // only a note
  EXPECT_EQ(sl.Get(2099), u" ");
  EXPECT_EQ(sl.Get(20), u"Kommunikation = Parameter");
  EXPECT_EQ(sl.Get(1626), u"\u00C4nderung \u201EM-Bus\u201C");
  EXPECT_EQ(sl.Get(18), u"Error! Project not Valid");    // not named: stays English
}

std::string Utf16(const String& s, bool bigEndian) {
  std::string out = bigEndian ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
  for (Char c : s) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

TEST(LanguageFile, SameLinesInEveryEncoding) {
  const std::string utf8 = Fixture_Bytes("lng/Deutsch.lng");
  ASSERT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");
  const String text = Utf8ToString(utf8.substr(3));

  TTestFolder folder;
  folder.Write("utf8_bom.lng", utf8);
  folder.Write("utf16le_bom.lng", Utf16(text, false));
  folder.Write("utf16be_bom.lng", Utf16(text, true));
  folder.Write("ansi.lng", StringToAnsi(text, 1252));
  // Lines may also end with LF or CR alone.
  auto with_line_ends = [](std::string bytes, const std::string& end) {
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + end.size()))
      bytes.replace(at, 2, end);
    return bytes;
  };
  folder.Write("utf8_lf.lng", with_line_ends(utf8, "\n"));
  folder.Write("ansi_cr.lng", with_line_ends(StringToAnsi(text, 1252), "\r"));
  folder.Write("utf8_no_bom.lng", utf8.substr(3));
  for (const char* name : {"utf8_bom.lng", "utf16le_bom.lng", "utf16be_bom.lng", "ansi.lng", "utf8_lf.lng",
                           "ansi_cr.lng", "utf8_no_bom.lng"}) {
    TStringList sl;
    Load_Default_Texts(sl);
    Load_Lng_File(sl, folder.Path(name));
    Expect_German_Overlay(sl, name);
  }
}

// Without a byte order mark: well-formed UTF-8 holding non-ASCII text is UTF-8, anything else
// Windows-1252.
TEST(LanguageFile, EncodingWithoutAMark) {
  struct Row {
    const char* name;
    std::string bytes;
    String text;
  } rows[] = {
      {"UTF-8", "STR1 = Ger\xC3\xA4t \xC2\xB6", u"STR1 = Ger\u00E4t \u00B6"},
      {"Windows-1252", "STR1 = Ger\xE4t \xB6", u"STR1 = Ger\u00E4t \u00B6"},
      {"Windows-1252 with a euro sign", "STR1 = 5 \x80", u"STR1 = 5 \u20AC"},
      {"ASCII only", "STR1 = Device", u"STR1 = Device"},
      {"UTF-8 byte order mark", "\xEF\xBB\xBFSTR1 = \xC3\xA4", u"STR1 = \u00E4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Language_File_Text(row.bytes), row.text);
  }
}

TEST(LanguageFile, UnreadableFileRaisesAndLeavesTheTable) {
  TStringList sl;
  Load_Default_Texts(sl);
  TTestFolder folder;
  EXPECT_THROW(Load_Lng_File(sl, folder.Path("missing.lng")), Exception);
  EXPECT_EQ(sl.Count(), 2100);
  EXPECT_EQ(sl.Get(0), u"Begin");
}

// Something that is no file, or a file far too large, at a language file's name raises at once
// with the message that names the file, and so does a file that does not fit in memory; the table
// keeps its texts. Such a name is not a missing file: the language does not silently fall back to
// English.
TEST(LanguageFile, WhatCannotBeReadAsAFileRaisesByName) {
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    TTestFolder folder;
    Put_Not_A_File(folder.FsPath("Deutsch.lng"), c.Kind, Max_Lng_File_Size);
    TStringList sl;
    Load_Default_Texts(sl);
    const String file = folder.Path("Deutsch.lng");
    Expect_Not_A_File_Error<EFOpenError>([&] { Load_Lng_File(sl, file); }, file, c);
    EXPECT_EQ(sl.Get(0), u"Begin");
    String name = u"Deutsch";
    EXPECT_THROW(Init_Language(sl, folder.Path(), name), EFOpenError);
    EXPECT_EQ(sl.Count(), 2100);
    EXPECT_EQ(sl.Get(0), u"Begin");
  }
  TTestFolder folder;
  Put_Sparse_File(folder.FsPath("Deutsch.lng"), Max_Lng_File_Size);
  TStringList sl;
  Load_Default_Texts(sl);
  const TRefuse_Large_Allocations refuse(Max_Lng_File_Size / 2);
  try {
    Load_Lng_File(sl, folder.Path("Deutsch.lng"));
    ADD_FAILURE() << "no exception";
  } catch (const EOutOfMemory& e) {
    EXPECT_EQ(e.Message(), Out_Of_Memory_Message(folder.Path("Deutsch.lng")));
  }
  EXPECT_EQ(sl.Get(0), u"Begin");
}

TEST(InitLanguage, ChoosesTheFileOrFallsBackToEnglish) {
  TTestFolder folder;
  folder.Write("Deutsch.lng", Fixture_Bytes("lng/Deutsch.lng"));
  // Listed by the options dialog as Dansk, so it must load as Dansk.
  folder.Write("Dansk.LNG", "STR0 = Begynd\r\n");
  struct Row {
    const char* name;
    bool englishFile;  // an "English.lng" with one translated text is present
    String language;
    String expectedName;
    String text0;
  };
  const Row rows[] = {
      {"file of the language", false, u"Deutsch", u"Deutsch", u"Beginn"},
      {"extension in capitals", false, u"Dansk", u"Dansk", u"Begynd"},
      {"missing language", false, u"Klingon", u"English", u"Begin"},
      {"missing language, English file present", true, u"Klingon", u"English", u"Start"},
      {"empty name", false, u"", u"English", u"Begin"},
      {"name that leaves the folder", false, u"../" + ExtractFileName(folder.Path()) + u"/Deutsch", u"English",
       u"Begin"},
  };
  for (const Row& r : rows) {
    if (r.englishFile) {
      folder.Write("English.lng", "STR0 = Start\r\n");
    } else {
      std::filesystem::remove(folder.FsPath("English.lng"));
    }
    TStringList sl;
    sl.Add(u"left over from the previous language");
    String name = r.language;
    Init_Language(sl, folder.Path(), name);
    EXPECT_EQ(name, r.expectedName) << r.name;
    EXPECT_EQ(sl.Count(), 2100) << r.name;
    EXPECT_EQ(sl.Get(0), r.text0) << r.name;
  }
}

TEST(InitLanguage, ChangingTheLanguageRebuildsTheWholeTable) {
  TTestFolder folder;
  folder.Write("Deutsch.lng", Fixture_Bytes("lng/Deutsch.lng"));
  folder.Write("Nederlands.lng", "STR1 = Stap 1\r\n");
  TStringList sl;
  String name = u"Deutsch";
  Init_Language(sl, folder.Path(), name);
  ASSERT_EQ(sl.Get(0), u"Beginn");
  name = u"Nederlands";
  Init_Language(sl, folder.Path(), name);
  EXPECT_EQ(sl.Get(0), u"Begin");  // no German text survives
  EXPECT_EQ(sl.Get(1), u"Stap 1");
}

TEST(TextTable, GetTextReadsTheGlobalTable) {
  Create_Text_Table();
  Load_Default_Texts();
  EXPECT_EQ(Text_Count, 2100);
  EXPECT_EQ(Get_Text(18), u"Error! Project not Valid");
  EXPECT_THROW(Get_Text(2100), EStringListError);
  EXPECT_THROW(Get_Text(-1), EStringListError);
}

}  // namespace
