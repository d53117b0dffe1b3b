#include <gtest/gtest.h>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

std::vector<String> Lines(const TStrings& L) { return L.ToVector(); }

}  // namespace

TEST(IniFileTest, EditsAFileAndWritesItWhole) {
  TTempFolder tmp;
  const String file = tmp / u"settings.ini";
  WriteFileBytes(file, ReadFileBytes(FixturePath("ini-source.ini")));
  TMemIniFile ini(file);
  // Sections and keys ignore case; keys and values are trimmed.
  EXPECT_TRUE(ini.SectionExists(u"MAIN"));
  EXPECT_EQ(ini.ReadString(u"Main", u"name", u"?"), u"Old");
  EXPECT_EQ(ini.ReadInteger(u"main", u"COUNT", 0), 2);  // from the repeated section
  EXPECT_TRUE(ini.ValueExists(u"Erased", u"a"));
  ini.WriteString(u"Main", u"Name", u"Value");
  ini.WriteInteger(u"Main", u"Count", 3);
  ini.DeleteKey(u"Main", u"gone");
  ini.EraseSection(u"ERASED");
  ini.WriteBool(u"Other", u"Flag", true);
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(FixturePath("ini-source.ini")));  // nothing written yet
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(FixturePath("ini-written.ini")));
}

TEST(IniFileTest, TypedValuesAndListings) {
  TTempFolder tmp;
  const String file = tmp / u"typed.ini";
  {
    TIniFile ini(file);  // writes at once
    ini.WriteString(u"S", u"Text", u"a=b \u00fc");
    ini.WriteInteger(u"S", u"Neg", -5);
    ini.WriteBool(u"S", u"Off", false);
    ini.WriteFloat(u"S", u"Real", 2.5);
    ini.WriteString(u"S", u"Hex", u"0x1F");
    ini.WriteString(u"T", u"Multi", u"one\r\ntwo");
  }
  TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadString(u"S", u"Text", u""), u"a=b \u00fc");
  EXPECT_EQ(ini.ReadInteger(u"S", u"Neg", 0), -5);
  EXPECT_EQ(ini.ReadInteger(u"S", u"Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger(u"S", u"Text", 77), 77);  // not a number
  EXPECT_EQ(ini.ReadInteger(u"S", u"Missing", 77), 77);
  EXPECT_FALSE(ini.ReadBool(u"S", u"Off", true));
  EXPECT_TRUE(ini.ReadBool(u"S", u"Missing", true));
  EXPECT_EQ(ini.ReadFloat(u"S", u"Real", 0), 2.5);
  EXPECT_EQ(ini.ReadString(u"T", u"Multi", u""), u"one  two");  // a value stays on its line
  EXPECT_EQ(ini.ReadString(u"None", u"x", u"dflt"), u"dflt");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"S", u"T"}));
  ini.ReadSection(u"s", &list);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"Text", u"Neg", u"Off", u"Real", u"Hex"}));
  ini.ReadSectionValues(u"T", &list);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"Multi=one  two"}));
  // A new file is ANSI with CR LF.
  EXPECT_EQ(ReadFileBytes(file).substr(0, 17), "[S]\r\nText=a=b \xFC\r\n");

  TIniFile cannot(tmp / u"no/such/folder.ini");
  try {
    cannot.WriteString(u"a", u"b", u"c");
    ADD_FAILURE() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), u"Unable to write to " + tmp / u"no/such/folder.ini");
  }
}

TEST(IniFileTest, TwoWritersOfOneFileKeepEachOthersValues) {
  TTempFolder tmp;
  const String file = tmp / u"shared.ini";
  TIniFile first(file);
  TIniFile second(file);  // read before the first one wrote
  first.WriteString(u"A", u"One", u"1");
  second.WriteString(u"A", u"Two", u"2");
  TMemIniFile check(file);
  EXPECT_EQ(check.ReadString(u"A", u"One", u""), u"1");
  EXPECT_EQ(check.ReadString(u"A", u"Two", u""), u"2");
}

TEST(IniFileTest, KeepsTheEncodingOfAUtf8File) {
  TTempFolder tmp;
  const String file = tmp / u"utf8.ini";
  WriteFileBytes(file, "\xEF\xBB\xBF[A]\r\nK=\xCE\x94\r\n");
  TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadString(u"A", u"K", u""), u"\u0394");
  ini.WriteString(u"A", u"L", u"\u03a9");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(file), "\xEF\xBB\xBF[A]\r\nK=\xCE\x94\r\nL=\xCE\xA9\r\n");
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { SetRegistryFile(FTmp / u"cfg/registry.ini"); }
  void TearDown() override { SetRegistryFile(u""); }
  TTempFolder FTmp;
};

TEST_F(RegistryTest, TypedValuesRoundTripThroughTheStore) {
  {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey(u"Software\\Maker\\Tool", false));
    ASSERT_TRUE(reg.OpenKey(u"Software\\Maker\\Tool", true));
    reg.WriteString(u"Name", u"line1\r\nline2 \\ = [x]");
    reg.WriteInteger(u"Count", -3);
    reg.WriteBool(u"On", true);
    const Byte bytes[] = {0x00, 0xFF, 0x10};
    reg.WriteBinaryData(u"Blob", bytes, 3);
    reg.WriteString(u"[odd=name", u"v");
    reg.WriteString(u"", u"default value");
    reg.CloseKey();
  }
  TRegistry reg;  // a second object reads what the first wrote
  ASSERT_TRUE(reg.OpenKeyReadOnly(u"\\Software\\maker\\TOOL"));
  EXPECT_EQ(reg.ReadString(u"name"), u"line1\r\nline2 \\ = [x]");
  EXPECT_EQ(reg.ReadInteger(u"Count"), -3);
  EXPECT_TRUE(reg.ReadBool(u"On"));
  Byte buf[8] = {};
  EXPECT_EQ(reg.ReadBinaryData(u"Blob", buf, sizeof buf), 3);
  EXPECT_EQ(buf[1], 0xFF);
  EXPECT_THROW(reg.ReadBinaryData(u"Blob", buf, 2), ERegistryException);  // buffer too small
  EXPECT_EQ(reg.ReadString(u"[odd=name"), u"v");
  EXPECT_EQ(reg.ReadString(u""), u"default value");
  EXPECT_EQ(reg.GetDataType(u"Count"), rdInteger);
  EXPECT_EQ(reg.GetDataType(u"Blob"), rdBinary);
  EXPECT_EQ(reg.GetDataType(u"none"), rdUnknown);
  EXPECT_EQ(reg.GetDataSize(u"Count"), 4);
  EXPECT_EQ(reg.ReadString(u"missing"), u"");
  try {
    reg.ReadInteger(u"missing");
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), u"Failed to get data for 'missing'");
  }
  try {
    reg.ReadInteger(u"Name");
    ADD_FAILURE() << "no exception";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), u"Invalid data type for 'Name'");
  }
  EXPECT_THROW(reg.ReadString(u"Count"), ERegistryException);
  EXPECT_THROW(reg.WriteString(u"x", u"y"), ERegistryException);  // opened read-only
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Lines(names), (std::vector<String>{u"Name", u"Count", u"On", u"Blob", u"[odd=name", u""}));
}

TEST_F(RegistryTest, KeysNestAndDelete) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\A", true));
  ASSERT_TRUE(reg.OpenKey(u"B\\C", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), u"Software\\A\\B\\C");
  reg.WriteInteger(u"v", 1);
  reg.CloseKey();
  EXPECT_TRUE(reg.KeyExists(u"Software\\A\\B"));
  EXPECT_TRUE(reg.KeyExists(u"software\\a\\b\\c"));
  ASSERT_TRUE(reg.OpenKey(u"Software", false));
  EXPECT_TRUE(reg.CreateKey(u"Z"));
  TStringList keys;
  reg.GetKeyNames(&keys);
  EXPECT_EQ(Lines(keys), (std::vector<String>{u"A", u"Z"}));
  EXPECT_TRUE(reg.HasSubKeys());
  EXPECT_TRUE(reg.DeleteKey(u"A"));  // with everything below it
  EXPECT_FALSE(reg.KeyExists(u"A\\B\\C"));
  EXPECT_FALSE(reg.DeleteKey(u"A"));
  reg.WriteString(u"gone", u"x");
  EXPECT_TRUE(reg.ValueExists(u"GONE"));
  EXPECT_TRUE(reg.DeleteValue(u"gone"));
  EXPECT_FALSE(reg.ValueExists(u"gone"));

  // Another root is another tree.
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyExists(u"Software\\Z"));
  EXPECT_TRUE(FileExists(FTmp / u"cfg/registry.ini"));
}
