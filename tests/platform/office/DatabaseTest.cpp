#include "platform/office/Database.h"

#include <gtest/gtest.h>

#include "tests/platform/office/OfficeTestUtil.h"

using namespace OfficeTest;

namespace {

TEST(DatabaseTest, TheConnectionTakesOnlyTheDesktopDatabaseDriverAndAFileThatIsADatabase) {
  TScratch Dir;
  auto C = TDbConnection::Create();
  EXPECT_THROW(C->Open(u"Driver={SQL Server};DBQ=x.mdb"), EOleException);
  EXPECT_THROW(C->Open(u"Driver={Microsoft Access Driver (*.mdb)}"), EOleException);
  EXPECT_THROW(C->Open(u"Driver={Microsoft Access Driver (*.mdb)};DBQ=" + Dir.File("missing.mdb")), EOleException);
  if (FILE* F = std::fopen(Dir.Path("text.mdb").c_str(), "wb")) {
    std::fputs("no database", F);
    std::fclose(F);
  }
  EXPECT_THROW(C->Open(u"Driver={Microsoft Access Driver (*.mdb)};DBQ=" + Dir.File("text.mdb")), EOleException);
  EXPECT_FALSE(C->Connected());
  auto R = TDbRecordSet::Create();
  R->SetActiveConnection(C.get());
  EXPECT_THROW(R->Open(u"SELECT * FROM T"), EOleException);
}


TEST(DatabaseTest, ARecordSetHoldsEveryRecordWithTheTextAndSizeOfEachField) {
  struct Row {
    const char* Name;
    const char* File;
    std::vector<std::string> Values;  // ID, EMail_Address, Graph_EMail, LastVisit, Comment
  };
  const Row Rows[] = {
      {"filled", "Monitor.mdb",
       {"1", "nobody@sunnyline.co.za", "False", "6/17/2000 8:36:24 PM",
        "Example Circuit Added For Monitor Example To Potential New Clients"}},
      {"empty fields", "Monitor-empty-fields.mdb", {"1", "", "False", "", ""}},
  };
  for (const Row& R : Rows) {
    auto C = TDbConnection::Create();
    C->Open(u"Driver={Microsoft Access Driver (*.mdb)};DBQ=" + Utf8ToString(FixturePath(std::string("mdb/") + R.File)));
    auto Set = TDbRecordSet::Create();
    Set->SetActiveConnection(C.get());
    Set->Open(u"SELECT ID, EMail_Address, Graph_EMail, LastVisit, Comment FROM Monitor_Authenticate");
    ASSERT_EQ(Set->FieldCount(), 5) << R.Name;
    EXPECT_EQ(Set->RecordCount(), 1) << R.Name;
    ASSERT_FALSE(Set->Eof()) << R.Name;
    for (Integer I = 0; I < 5; ++I) {
      const TDbField F = Set->Fields(I);
      EXPECT_EQ(Narrow(F.Name), Narrow(Set->FieldName(I))) << R.Name;
      EXPECT_EQ(Narrow(F.Value), R.Values[static_cast<size_t>(I)]) << R.Name << " " << I;
      EXPECT_EQ(F.ActualSize, static_cast<Integer>(F.Value.size())) << R.Name << " " << I;
    }
    Set->MoveNext();
    EXPECT_TRUE(Set->Eof()) << R.Name;
    EXPECT_THROW(Set->Fields(0), EOleException) << R.Name;
    Set->Close();
    C->Close();
  }
}

TEST(DatabaseTest, AFileInMemoryReadsAsTheFileDoes) {
  // The fuzz target's way in gives what the connection gives.
  std::string Bytes;
  if (FILE* F = std::fopen(FixturePath("mdb/Monitor.mdb").c_str(), "rb")) {
    char Buf[4096];
    size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  ASSERT_EQ(Bytes.size(), 110592u);
  std::vector<String> Names;
  std::vector<std::vector<std::string>> Records;
  office::QueryDatabaseBytes(Bytes, u"SELECT linespeed, lastvisit FROM Monitor_Authenticate WHERE ID = 1", Names,
                             Records);
  ASSERT_EQ(Names.size(), 2u);
  EXPECT_EQ(Narrow(Names[0]), "LineSpeed");
  EXPECT_EQ(Narrow(Names[1]), "LastVisit");
  ASSERT_EQ(Records.size(), 1u);
  EXPECT_EQ(Records[0], (std::vector<std::string>{"33600", "6/17/2000 8:36:24 PM"}));
  EXPECT_THROW(office::QueryDatabaseBytes(Bytes.substr(0, 4096), u"SELECT * FROM Monitor_Authenticate", Names, Records),
               EOleException);
}

}  // namespace
