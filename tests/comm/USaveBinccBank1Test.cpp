#include <filesystem>

#include <gtest/gtest.h>

#include "comm/ParGenChecks.h"
#include "comm/ParGenFile.h"
#include "comm/USaveBincc.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/xml/XMLDoc.h"
#include "tests/comm/CommTestSupport.h"
#include "tests/platform/rtl/NotAFile.h"

namespace {

std::string Bank1_Bytes(const TSaveBincc& B) {
  return std::string(reinterpret_cast<const char*>(B.Bank1_Buf.data()), B.Bank1_Len);
}

TEST(Bank1Layout, TheFieldsTileTheRecord) {
  Integer Next = 0;
  Integer Fields = 0;
  Integer Padding = 0;
  for (const TBank1_Field_Row& Row : Bank1_Field_Table()) {
    SCOPED_TRACE(Row.Offset);
    EXPECT_EQ(Row.Offset, Next) << "gap or overlap";
    EXPECT_TRUE(Row.Width == 1 || Row.Width == 2 || Row.Width == 4);
    EXPECT_TRUE(Row.NDefaults == 1 || Row.NDefaults == Row.Fields * Row.Elems);
    // A field lies on a multiple of its element width.
    EXPECT_EQ(Row.Offset % Row.Width, 0);
    Next = Row.Offset + Row.Fields * Row.Elems * Row.Width;
    if (Row.Padding) {
      Padding += Row.Elems;
    } else {
      Fields += Row.Fields;
    }
  }
  EXPECT_EQ(Next, Bank1_Size);
  EXPECT_EQ(Fields, 281);
  EXPECT_EQ(Padding, 4);
}

TEST(Bank1Layout, DefaultsAndChecksum) {
  TBank1_Params P;
  P.Bytes.fill(0xEE);
  Init_Default_Parameters(P);
  EXPECT_EQ(P.Get_Cardinal(0x000), 250000u);
  EXPECT_EQ(P.Get_Cardinal(0x004), 250000u);
  EXPECT_EQ(P.Get_Cardinal(0x00C), 9600u);
  EXPECT_EQ(P.Get_Word(0x034), 10000);
  EXPECT_EQ(P.Get_Word(0x038), 10001);
  EXPECT_EQ(P.Get_Cardinal(0x1B4), 0x08080808u);
  EXPECT_EQ(P.Get_Byte(0x535), 0);  // padding is cleared too
  EXPECT_EQ(P.Get_Byte(0x53B), 0);
  // The defaults alone, without the two constants a build sets.
  EXPECT_EQ(Bank1_Checksum(P), 3467u - 8u - 1u);

  std::vector<Byte> Dst(Bank_Buf_Size, 0);
  EXPECT_EQ(Write_Param_Bank(P, 16, Dst), 16 + Bank1_Size);
  EXPECT_EQ(P.Get_Cardinal(Bank1_Ofs::Checksum), 3458u);
  EXPECT_EQ(Dst[16 + 0x7FC], 0x82);
  EXPECT_EQ(Dst[16 + 0x7FD], 0x0D);
  EXPECT_THROW(Write_Param_Bank(P, Bank_Buf_Size - 100, Dst), EConfigImageError);
}

struct TGoldenRow {
  const char* Name;
  const char* ParGen;  // nullptr: no "ParGen.xml"
  const char* Golden;
  Cardinal Checksum;   // 0: not pinned separately
};

TEST(Bank1Image, GoldenFiles) {
  const std::vector<TGoldenRow> Rows = {
      {"no ParGen.xml", nullptr, "bank1/no_pargen.bin", 3467},
      {"the dialog's defaults", "pargen/defaults.xml", "bank1/defaults.bin", 4788},
      {"gateway and DNS on", "pargen/bank_gateway_dns_on.xml", "bank1/gateway_dns_on.bin", 0},
      {"odd values", "pargen/bank_odd_values.xml", "bank1/odd_values.bin", 0},
  };
  const auto Catalog = Make_Test_Catalog();
  TTempFolder Dir;
  for (const TGoldenRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TSaveBincc B;
    const String ParGen = Row.ParGen ? Fixture(Row.ParGen) : Dir.File(u"ParGen.xml");
    B.Create_Bin(ParGen, Dir.File(u"EnOcean.xml"), *Catalog);
    ASSERT_EQ(B.Bank1_Len, Bank1_Size);
    EXPECT_EQ(Bank1_Bytes(B), Fixture_Bytes(Row.Golden));
    if (Row.Checksum != 0) {
      EXPECT_EQ(B.Param_Rec.Get_Cardinal(0x7FC), Row.Checksum);
    }
  }
}

TEST(Bank1Image, ValuesFromParGen) {
  const auto Catalog = Make_Test_Catalog();
  TTempFolder Dir;
  TSaveBincc B;
  B.Create_Bin(Fixture("pargen/bank_gateway_dns_on.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  const auto At = [&](Integer Ofs, Integer Len) {
    return std::vector<Byte>(B.Bank1_Buf.begin() + Ofs, B.Bank1_Buf.begin() + Ofs + Len);
  };
  EXPECT_EQ(At(0x030, 4), (std::vector<Byte>{0x0A, 0x00, 0x00, 0x01}));
  EXPECT_EQ(At(0x58C, 4), (std::vector<Byte>{1, 1, 1, 1}));
  // The output count comes first in the record.
  EXPECT_EQ(At(0x074, 4), (std::vector<Byte>{0x10, 0, 0, 0}));
  EXPECT_EQ(At(0x078, 4), (std::vector<Byte>{0x20, 0, 0, 0}));
  EXPECT_EQ(At(0x604, 8), (std::vector<Byte>{0, 0, 8, 0, 1, 0, 0, 0}));

  TSaveBincc Odd;
  Odd.Create_Bin(Fixture("pargen/bank_odd_values.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  EXPECT_EQ(Odd.Bank1_Buf[0x028], 44);  // "300"
  EXPECT_EQ(Odd.Bank1_Buf[0x081], 44);  // station "300"
  // A gateway flag of "1 " is not "1": the gateway is off.
  EXPECT_EQ(Odd.Param_Rec.Get_Cardinal(0x030), 0xFFFFFFFFu);

  // A comment and a processing instruction before the root element change nothing.
  TSaveBincc Commented;
  Commented.Create_Bin(Fixture("pargen/comment_before_root.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  const auto& C = Commented.Bank1_Buf;
  EXPECT_EQ(std::vector<Byte>(C.begin() + 0x028, C.begin() + 0x034),
            (std::vector<Byte>{10, 1, 2, 3, 255, 255, 255, 0, 10, 1, 2, 254}));
  EXPECT_EQ(C[0x081], 7);
  EXPECT_EQ(Commented.Param_Rec.Get_Cardinal(0x074), 16u);
  EXPECT_EQ(Commented.Param_Rec.Get_Cardinal(0x078), 32u);
}

// A file whose root holds none of the values: each value takes the default of its own read, which
// differs from the record's default (address 192.168.0.10, not 192.168.2.205; station 1, not 0 and
// not the dialog's 10; byte counts 244, not 0), and the missing flags switch gateway and DNS off.
TEST(Bank1Image, AnEmptyParGenGivesTheDefaultOfEachValue) {
  const auto Catalog = Make_Test_Catalog();
  TTempFolder Dir;
  Write_Bytes(Dir.File(u"ParGen.xml"), "<Par_Gen/>");
  TSaveBincc B;
  B.Create_Bin(Dir.File(u"ParGen.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  const auto At = [&](Integer Ofs, Integer Len) {
    return std::vector<Byte>(B.Bank1_Buf.begin() + Ofs, B.Bank1_Buf.begin() + Ofs + Len);
  };
  EXPECT_EQ(At(0x028, 4), (std::vector<Byte>{192, 168, 0, 10}));
  EXPECT_EQ(At(0x02C, 4), (std::vector<Byte>{255, 255, 255, 0}));
  EXPECT_EQ(At(0x030, 4), (std::vector<Byte>{255, 255, 255, 255}));
  EXPECT_EQ(At(0x58C, 4), (std::vector<Byte>{255, 255, 255, 255}));
  EXPECT_EQ(B.Bank1_Buf[0x081], 1);
  EXPECT_EQ(At(0x074, 8), (std::vector<Byte>{244, 0, 0, 0, 244, 0, 0, 0}));
  // 3467 - (192 + 168 + 2 + 205) + (192 + 168 + 0 + 10) + 4 x 255 + 1 + 2 x 244
  EXPECT_EQ(B.Param_Rec.Get_Cardinal(0x7FC), 4779u);
}

// The numbers of "ParGen.xml" are decimal text. What the dialog's checks let through, the builder
// reads as that number; any other text, a hexadecimal one included, gives the value's default
// (station 1, input count 244).
TEST(Bank1Image, TheBuilderReadsTheNumbersTheDialogsChecksAccept) {
  struct TRow {
    const char* Name;
    const char16_t* Text;
    bool Accepted;
  };
  const TRow Rows[] = {
      {"plain", u"7", true},
      {"leading blank", u" 7", true},
      {"plus sign", u"+7", true},
      {"leading zeros", u"007", true},
      {"0x hexadecimal", u"0x07", false},
      {"0X hexadecimal", u"0X7", false},
      {"$ hexadecimal", u"$07", false},
      {"x hexadecimal", u"x07", false},
      {"trailing blank", u"7 ", false},
      {"empty", u"", false},
  };
  const auto Catalog = Make_Test_Catalog();
  TTempFolder Dir;
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TParGen_Values V = Default_ParGen_Values();
    V.PROFIBUS_ID_Device = Row.Text;
    V.PROFINET_NB_IN = Row.Text;
    EXPECT_EQ(Check_ParGen_Values(V).Text_Id, Row.Accepted ? -1 : 760);
    Write_ParGen_File(Dir.File(u"ParGen.xml"), V);
    TSaveBincc B;
    B.Create_Bin(Dir.File(u"ParGen.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
    EXPECT_EQ(B.Bank1_Buf[0x081], Row.Accepted ? 7 : 1);
    EXPECT_EQ(B.Param_Rec.Get_Cardinal(0x078), Row.Accepted ? 7u : 244u);
  }
}

TEST(Bank1Image, EveryBuildStartsFromTheDefaults) {
  const auto Catalog = Make_Test_Catalog();
  TTempFolder Dir;
  TSaveBincc B;
  B.Create_Bin(Fixture("pargen/bank_gateway_dns_on.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  B.Create_Bin(Dir.File(u"ParGen.xml"), Dir.File(u"EnOcean.xml"), *Catalog);
  EXPECT_EQ(Bank1_Bytes(B), Fixture_Bytes("bank1/no_pargen.bin"));
}

class SaveBin : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(StringToUtf8(Dir.File(u"bin")));
    Catalog = Make_Test_Catalog();
  }
  String Bin(const String& Name) const { return Dir.File(u"bin/" + Name); }
  bool Exists(const String& Name) const { return std::filesystem::exists(StringToUtf8(Bin(Name))); }
  void Build(const char* ParGen = "pargen/defaults.xml") {
    B.Create_Bin(Fixture(ParGen), Dir.File(u"EnOcean.xml"), *Catalog);
  }

  TTempFolder Dir;
  std::unique_ptr<TCatalog_EnOcean> Catalog;
  TSaveBincc B;
};

TEST_F(SaveBin, WritesBothBanksOverTheOldOnes) {
  Write_Bytes(Bin(u"bank1.bin"), std::string(5000, 'x'));
  Write_Bytes(Bin(u"bank2.bin"), std::string(5000, 'x'));
  Build();
  B.Save_Bin(Dir.Path());
  EXPECT_EQ(File_Bytes(Bin(u"bank1.bin")), Fixture_Bytes("bank1/defaults.bin"));
  const std::string Empty_Network("\x00\x00\x00\x00\x08\x00\x08\x00", 8);
  EXPECT_EQ(File_Bytes(Bin(u"bank2.bin")), Empty_Network);
  EXPECT_FALSE(Exists(u"bank1.bin.tmp"));
  EXPECT_FALSE(Exists(u"bank2.bin.tmp"));
}

TEST_F(SaveBin, AMissingBinFolderIsReported) {
  std::filesystem::remove(StringToUtf8(Dir.File(u"bin")));
  Build();
  try {
    B.Save_Bin(Dir.Path());
    FAIL() << "no error";
  } catch (const EConfigImageError& E) {
    EXPECT_NE(E.Message().find(u"bank1.bin"), String::npos) << E.what();
  }
}

TEST_F(SaveBin, AFailedSecondBankLeavesTheFirstUntouched) {
  Write_Bytes(Bin(u"bank1.bin"), "old");
  // A folder in the way of the second bank's temporary file makes its write fail.
  std::filesystem::create_directory(StringToUtf8(Bin(u"bank2.bin.tmp")));
  Build();
  EXPECT_THROW(B.Save_Bin(Dir.Path()), EConfigImageError);
  EXPECT_EQ(File_Bytes(Bin(u"bank1.bin")), "old");
  EXPECT_FALSE(Exists(u"bank1.bin.tmp"));
  EXPECT_FALSE(Exists(u"bank2.bin"));
}

// Something that is no file, or a file far too large, at the name of either input is no missing
// file: the build fails at once with the message that names the file, and no bank file is written.
TEST_F(SaveBin, AnInputThatIsNoFileFailsTheBuild) {
  struct Input {
    const char16_t* name;
    Int64 bound;
  };
  const Input inputs[] = {{u"ParGen.xml", Max_ParGen_File_Size}, {u"EnOcean.xml", Max_Network_File_Size}};
  const TWatchdog watchdog;
  for (const Input& input : inputs) {
    for (const TNot_A_File_Case& c : Not_A_File_Cases) {
      SCOPED_TRACE(StringToUtf8(input.name) + ", " + c.Name);
      const String file = Dir.File(input.name);
      Put_Not_A_File(file, c.Kind, input.bound);
      Expect_Not_A_File_Error(
          [&] { B.Create_Bin(Dir.File(u"ParGen.xml"), Dir.File(u"EnOcean.xml"), *Catalog); }, file, c);
      EXPECT_THROW(B.Save_Bin(Dir.Path()), EConfigImageError);
      EXPECT_FALSE(Exists(u"bank1.bin"));
      EXPECT_FALSE(Exists(u"bank2.bin"));
      std::filesystem::remove_all(StringToUtf8(file));
    }
  }
}

TEST_F(SaveBin, AFailedBuildWritesNothing) {
  Build();
  EXPECT_THROW(Build("pargen/malformed.xml"), EXMLDocError);
  EXPECT_THROW(B.Save_Bin(Dir.Path()), EConfigImageError);
  EXPECT_FALSE(Exists(u"bank1.bin"));
  EXPECT_FALSE(Exists(u"bank2.bin"));
}

}  // namespace
