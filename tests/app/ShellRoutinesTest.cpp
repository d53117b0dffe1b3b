#include "app/ShellRoutines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "platform/os/Clock.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"

namespace {

TEST(CheckIPAddress, Table) {
  struct Row {
    const char* name;
    String ip;
    bool valid;
    String p1, p2, p3, p4;  // "-" = left unchanged
  };
  const Row rows[] = {
      {"plain", u"192.168.2.205", true, u"192", u"168", u"2", u"205"},
      {"blanks around", u"  192.168.2.205 \t", true, u"192", u"168", u"2", u"205"},
      {"blanks around the points", u"192 . 168 . 2 . 5", true, u"192", u"168", u"2", u"5"},
      {"lowest and highest", u"0.0.0.255", true, u"0", u"0", u"0", u"255"},
      {"three parts", u"192.168.2", false, u"192", u"168", u"-", u"-"},
      {"no point", u"192168", false, u"-", u"-", u"-", u"-"},
      {"one point", u"192.168", false, u"192", u"-", u"-", u"-"},
      {"octet too large", u"192.168.2.256", false, u"192", u"168", u"2", u"256"},
      {"negative octet", u"192.-1.2.3", false, u"192", u"-1", u"2", u"3"},
      {"letters", u"a.b.c.d", false, u"a", u"b", u"c", u"d"},
      {"empty part", u"192.168..5", false, u"192", u"168", u"", u"5"},
      {"five numbers", u"1.2.3.4.5", false, u"1", u"2", u"3", u"4.5"},
      {"empty text", u"", false, u"-", u"-", u"-", u"-"},
  };
  for (const Row& r : rows) {
    String p1 = u"-", p2 = u"-", p3 = u"-", p4 = u"-";
    EXPECT_EQ(Check_IP_Address(r.ip, p1, p2, p3, p4), r.valid) << r.name;
    EXPECT_EQ(p1, r.p1) << r.name;
    EXPECT_EQ(p2, r.p2) << r.name;
    EXPECT_EQ(p3, r.p3) << r.name;
    EXPECT_EQ(p4, r.p4) << r.name;
  }
}

TEST(ComPortList, FolderWithoutPortsGivesAnEmptyList) {
  TTestFolder folder;
  folder.Write("ttyUSB0", "");
  folder.Write("ttyS0", "");  // a plain file is no serial port
  std::unique_ptr<TStringList> list = Get_Com_Port_List(folder.Path());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Count(), 0);
}

TEST(ComPortList, NumbersAscendWithoutLeadingZeros) {
  std::unique_ptr<TStringList> list = Get_Com_Port_List();
  Integer last = 0;
  for (Integer i = 0; i < list->Count(); ++i) {
    const String n = list->Get(i);
    ASSERT_FALSE(n.empty());
    EXPECT_NE(n[0], u'0');
    const Integer v = StrToIntDef(n, -1);
    EXPECT_GT(v, last);
    EXPECT_LE(v, 256);
    last = v;
  }
}

// Milliseconds of the wall clock, comparable with the stamp `date +%s%3N` writes.
long long Wall_Ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

TEST(StartProgram, ReturnsShortlyAfterTheProgramEnds) {
  TTestFolder folder;
  const String stamp = folder.Path("ended");
  // The child notes the moment it ends; the wait must end within a few polls of it.
  const TStart_Program_Result result =
      Start_Program(u"/bin/sh", u"-c \"sleep 0.05; date +%s%3N > '" + stamp + u"'\"", 1);
  const long long returned = Wall_Ms();
  ASSERT_EQ(result, spEnded);
  const long long ended = std::stoll(folder.Read("ended"));
  EXPECT_GE(returned - ended, 0);
  // 10 to 20 ms by design; the rest is slack for a loaded machine. A wait that missed the end
  // would run to the time limit, seconds later.
  EXPECT_LE(returned - ended, 250);
}

TEST(StartProgram, StopsWaitingAtTheTimeLimit) {
  // The clock advances by every 10 ms pause without waiting, so the limit comes at once.
  TManualClock clock;
  Cardinal pauses = 0;
  clock.OnSleep = [&pauses](Cardinal ms) {
    EXPECT_EQ(ms, 10u);
    ++pauses;
  };
  const UInt64 start = clock.Now();
  EXPECT_EQ(Start_Program(u"/bin/sleep", u"5", 0), spTimeLimit);
  EXPECT_GE(clock.Now() - start, 150000u);
  EXPECT_LE(clock.Now() - start, 150010u);
  EXPECT_GE(pauses, 14999u);
}

TEST(StartProgram, MissingProgramReturnsAtOnce) {
  TTestFolder folder;
  EXPECT_EQ(Start_Program(folder.Path("no_such_program"), u"", 0), spStartFailed);
}

}  // namespace
