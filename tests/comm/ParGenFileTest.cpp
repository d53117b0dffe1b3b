#include "comm/ParGenFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/comm/CommTestSupport.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"

namespace {

// Limits the size of the files this process writes, as a full disk would: a write beyond the limit
// fails instead of raising the signal. Both are restored at the end of the scope.
class TFile_Size_Limit {
 public:
  explicit TFile_Size_Limit(rlim_t Bytes) {
    FOld_Handler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &FOld);
    rlimit Limit = FOld;
    Limit.rlim_cur = Bytes;
    ::setrlimit(RLIMIT_FSIZE, &Limit);
  }
  ~TFile_Size_Limit() {
    ::setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOld_Handler);
  }

 private:
  rlimit FOld{};
  void (*FOld_Handler)(int) = SIG_DFL;
};

TEST(ParGenFile, NoFileGivesTheDialogDefaults) {
  TTempFolder Dir;
  const TParGen_Values V = Read_ParGen_File(Dir.File(u"ParGen.xml"));
  EXPECT_EQ(V, Default_ParGen_Values());
  EXPECT_EQ(V.Ethernet_IP, (std::array<String, 4>{u"192", u"168", u"0", u"10"}));
  EXPECT_EQ(V.Ethernet_SM, (std::array<String, 4>{u"255", u"255", u"255", u"0"}));
  EXPECT_EQ(V.Ethernet_GAT, (std::array<String, 4>{u"192", u"168", u"0", u"1"}));
  EXPECT_FALSE(V.Ethernet_EN_GAT);
  EXPECT_EQ(V.Ethernet_DNS, (std::array<String, 4>{u"8", u"8", u"8", u"8"}));
  EXPECT_FALSE(V.Ethernet_EN_DNS);
  EXPECT_EQ(V.PROFIBUS_ID_Device, u"10");
  EXPECT_EQ(V.PROFINET_NB_IN, u"244");
  EXPECT_EQ(V.PROFINET_NB_OUT, u"244");
}

TEST(ParGenFile, TheDefaultsAreWrittenAsTheGoldenFile) {
  TTempFolder Dir;
  const String File = Dir.File(u"ParGen.xml");
  Write_ParGen_File(File, Default_ParGen_Values());
  EXPECT_EQ(File_Bytes(File), Fixture_Bytes("pargen/defaults.xml"));
}

TEST(ParGenFile, ValuesAreWrittenAsTyped) {
  // Gateway ticked with 10 in each octet, DNS unticked holding 300, a station address with blanks
  // around it and an empty output count: all stored exactly as they stand.
  TParGen_Values V = Default_ParGen_Values();
  V.Ethernet_IP = {u"10", u"0", u"0", u"7"};
  V.Ethernet_SM = {u"255", u"255", u"0", u"0"};
  V.Ethernet_GAT = {u"10", u"10", u"10", u"10"};
  V.Ethernet_EN_GAT = true;
  V.Ethernet_DNS = {u"300", u"8", u"4", u"4"};
  V.PROFIBUS_ID_Device = u" 7 ";
  V.PROFINET_NB_IN = u"32";
  V.PROFINET_NB_OUT = u"";
  EXPECT_EQ(ParGen_File_Bytes(V), Fixture_Bytes("pargen/gateway_on.xml"));
}

// Loading a file the dialog wrote and saving it again without an edit gives the same bytes.
TEST(ParGenFile, LoadThenWriteIsStable) {
  for (const char* Name : {"pargen/defaults.xml", "pargen/gateway_on.xml"}) {
    SCOPED_TRACE(Name);
    TTempFolder Dir;
    const String File = Dir.File(u"ParGen.xml");
    Write_ParGen_File(File, Read_ParGen_File(Fixture(Name)));
    EXPECT_EQ(File_Bytes(File), Fixture_Bytes(Name));
  }
}

TEST(ParGenFile, ReadsEachValueOnItsOwn) {
  // Another root name, an XML declaration and indentation; a value that holds an element, a
  // missing value and a flag that is not exactly "1" take their defaults; the file of another
  // variant loses its own elements on the next save.
  const TParGen_Values V = Read_ParGen_File(Fixture("pargen/other_variant.xml"));
  EXPECT_EQ(V.Ethernet_IP, (std::array<String, 4>{u"172", u"16", u"0", u"20"}));
  EXPECT_EQ(V.Ethernet_SM, (std::array<String, 4>{u"255", u"255", u"255", u"0"}));
  EXPECT_EQ(V.Ethernet_GAT, (std::array<String, 4>{u"192", u"168", u"0", u"1"}));
  EXPECT_FALSE(V.Ethernet_EN_GAT);
  EXPECT_TRUE(V.Ethernet_EN_DNS);
  EXPECT_EQ(V.PROFIBUS_ID_Device, u"5");
  EXPECT_EQ(ParGen_File_Bytes(V), Fixture_Bytes("pargen/other_variant_written.xml"));
}

// A comment or processing instruction put before the root element by hand: the values are still
// the root element's.
TEST(ParGenFile, TheRootIsTheFirstElement) {
  TParGen_Values Expected = Default_ParGen_Values();
  Expected.Ethernet_IP[0] = u"1";
  EXPECT_EQ(Read_ParGen_File(Fixture("pargen/comment_first.xml")), Expected);

  Expected = Default_ParGen_Values();
  Expected.Ethernet_IP = {u"10", u"1", u"2", u"3"};
  Expected.Ethernet_GAT = {u"10", u"1", u"2", u"254"};
  Expected.Ethernet_EN_GAT = true;
  Expected.PROFIBUS_ID_Device = u"7";
  Expected.PROFINET_NB_IN = u"32";
  Expected.PROFINET_NB_OUT = u"16";
  EXPECT_EQ(Read_ParGen_File(Fixture("pargen/comment_before_root.xml")), Expected);
}

// A character XML cannot carry ("1&#1;0" for the station address) makes the file malformed too: read,
// the value would be written back as "10".
TEST(ParGenFile, AMalformedFileRaises) {
  for (const char* file : {"pargen/malformed.xml", "pargen/control_character.xml"}) {
    SCOPED_TRACE(file);
    EXPECT_THROW(Read_ParGen_File(Fixture(file)), EXMLDocError);
  }
}

TEST(ParGenFile, AFileThatCannotBeWrittenRaises) {
  TTempFolder Dir;
  EXPECT_THROW(Write_ParGen_File(Dir.File(u"missing/ParGen.xml"), Default_ParGen_Values()),
               EXMLDocError);
}

// A write that fails halfway leaves the old file whole, still loadable, and no temporary file; the
// error names the file.
TEST(ParGenFile, AWriteThatFailsHalfwayKeepsTheOldFile) {
  TTempFolder Dir;
  const String File = Dir.File(u"ParGen.xml");
  Write_Bytes(File, Fixture_Bytes("pargen/gateway_on.xml"));
  String Message;
  {
    TFile_Size_Limit Limit(64);
    try {
      Write_ParGen_File(File, Default_ParGen_Values());
    } catch (const EXMLDocError& E) {
      Message = E.Message();
    }
  }
  EXPECT_NE(Message.find(u"\"" + File + u"\""), String::npos) << StringToUtf8(Message);
  EXPECT_EQ(File_Bytes(File), Fixture_Bytes("pargen/gateway_on.xml"));
  EXPECT_FALSE(std::filesystem::exists(StringToUtf8(File) + ".tmp"));
  // Once there is room again the new file replaces the old one.
  Write_ParGen_File(File, Default_ParGen_Values());
  EXPECT_EQ(File_Bytes(File), Fixture_Bytes("pargen/defaults.xml"));
}

// Something that is no file, or a file far too large, at the name of "ParGen.xml" is no missing
// file: every reader of it raises at once with the message that names the file, and a file that
// does not fit in memory raises EOutOfMemory naming it.
TEST(ParGenReader, WhatCannotBeReadAsAFileRaisesByName) {
  TTempFolder Dir;
  const String File = Dir.File(u"ParGen.xml");
  const TWatchdog Watchdog;
  for (const TNot_A_File_Case& C : Not_A_File_Cases) {
    SCOPED_TRACE(C.Name);
    Put_Not_A_File(File, C.Kind, Max_ParGen_File_Size);
    Expect_Not_A_File_Error([&] { Read_ParGen_File(File); }, File, C);
    TParGen_Reader R;
    EXPECT_THROW(R.Load(File), EXMLDocError);
    EXPECT_FALSE(R.Loaded());
    std::filesystem::remove_all(StringToUtf8(File));
  }
  Put_Sparse_File(File, Max_ParGen_File_Size);
  const TRefuse_Large_Allocations Refuse(Max_ParGen_File_Size / 2);
  try {
    Read_ParGen_File(File);
    ADD_FAILURE() << "no exception";
  } catch (const EOutOfMemory& E) {
    EXPECT_EQ(E.Message(), Out_Of_Memory_Message(File));
  }
}

TEST(ParGenReader, ReadsTheValuesOfOtherReaders) {
  TParGen_Reader R;
  ASSERT_TRUE(R.Load(Fixture("pargen/other_variant.xml")));
  EXPECT_EQ(R.Read_Integer(u"BACnet_Type", 0), 1);
  EXPECT_EQ(R.Read_Text(u"PROFINET_NAME_STA", u"x"), u"station-a");
  EXPECT_EQ(R.Read_Text(u"BACnet_DEV_IDE", u"77"), u"77");
  EXPECT_EQ(R.Read_Integer(u"Ethernet_IP3", 9), 9);  // holds an element
  EXPECT_FALSE(R.Read_Flag(u"BACnet_Desc_Chars_Limit"));
  EXPECT_TRUE(R.Has(u"BACnet_Type"));
  EXPECT_FALSE(R.Has(u"BACnet_DEV_IDE"));

  TParGen_Reader None;
  EXPECT_FALSE(None.Load(Fixture("pargen/no_such_file.xml")));
  EXPECT_EQ(None.Read_Integer(u"PROFINET_NB_IN", 244), 244);
}

}  // namespace
