#include "comm/LanUploaderFile.h"

#include <gtest/gtest.h>

#include "platform/xml/XMLDoc.h"
#include "tests/comm/CommTestSupport.h"

namespace {

TLan_Uploader_Params Params(Integer Option, bool Read_Back) {
  TLan_Uploader_Params P;
  P.IP_Address = u"192.168.2.205";
  P.Update_Option = Option;
  P.Read_Back = Read_Back;
  P.Path_Master = u"/opt/kp/MASTER";
  P.Path_Conf = u"/opt/kp/PROJECTS/Plant A";
  return P;
}

TEST(LanUploaderFile, GoldenFilesPerOptionAndReadBack) {
  struct TRow {
    Integer Option;
    bool Read_Back;
    const char* Golden;
  };
  const std::vector<TRow> Rows = {
      {0, true, "lan_uploader/option0_readback_on.xml"},  {0, false, "lan_uploader/option0_readback_off.xml"},
      {1, true, "lan_uploader/option1_readback_on.xml"},  {1, false, "lan_uploader/option1_readback_off.xml"},
      {2, true, "lan_uploader/option2_readback_on.xml"},  {2, false, "lan_uploader/option2_readback_off.xml"},
      {3, true, "lan_uploader/option3_readback_on.xml"},
  };
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Golden);
    EXPECT_EQ(Lan_Uploader_File_Bytes(Params(Row.Option, Row.Read_Back)), Fixture_Bytes(Row.Golden));
  }
}

TEST(LanUploaderFile, OlderLayoutHasItsOwnPortsAddressesAndFirmware) {
  TLan_Uploader_Params P = Params(0, true);
  P.Layout = luOlder;
  EXPECT_EQ(Lan_Uploader_File_Bytes(P), Fixture_Bytes("lan_uploader/older_option0_readback_on.xml"));
}

TEST(LanUploaderFile, WrittenInTheProgramFolder) {
  TTempFolder Dir;
  Write_Lan_Uploader_File(Dir.Path(), Params(0, true));
  EXPECT_EQ(File_Bytes(Dir.File(u"Lan_Uploader.xml")), Fixture_Bytes("lan_uploader/option0_readback_on.xml"));
  EXPECT_THROW(Write_Lan_Uploader_File(Dir.File(u"missing"), Params(0, true)), EXMLDocError);
}

TEST(LanUploaderFile, SerialOptionLetters) {
  EXPECT_EQ(Update_Options(u"\\\\.\\COM3 ", 0, true), u"\\\\.\\COM3 FW FR PW PR ");
  EXPECT_EQ(Update_Options(u"", 0, false), u"FW NO PW NO ");
  EXPECT_EQ(Update_Options(u"", 1, true), u"FW FR NO NO ");
  EXPECT_EQ(Update_Options(u"", 1, false), u"FW NO NO NO ");
  EXPECT_EQ(Update_Options(u"", 2, true), u"NO NO PW PR ");
  EXPECT_EQ(Update_Options(u"", 2, false), u"NO NO PW NO ");
  EXPECT_EQ(Update_Options(u"x", 3, true), u"x");
}

}  // namespace
