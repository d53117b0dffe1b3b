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

}  // namespace
