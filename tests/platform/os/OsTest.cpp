#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/Clock.h"
#include "platform/os/Http.h"
#include "platform/os/Icmp.h"
#include "platform/os/Process.h"
#include "platform/os/SerialPorts.h"
#include "platform/os/SharedLibrary.h"
#include "platform/os/Shell.h"
#include "platform/rtl/SysUtils.h"
#include "tests/TempFolder.h"

namespace {

struct TempDir : TTempFolder {
  TempDir() : TTempFolder("os_test") {}
};

// ---------------------------------------------------------------------------------------------
// Clock

TEST(Clock, ManualClockDrivesTicksAndSleepThenRestores) {
  const UInt64 before = GetTickCount64();
  {
    TManualClock clock(0x100000005ULL);
    EXPECT_EQ(GetTickCount64(), 0x100000005ULL);
    EXPECT_EQ(GetTickCount(), 5u);  // the 32-bit count wraps
    Cardinal slept = 0;
    clock.OnSleep = [&](Cardinal ms) { slept += ms; };
    Sleep(10);
    Sleep(25);
    EXPECT_EQ(GetTickCount64(), 0x100000005ULL + 35);
    EXPECT_EQ(slept, 35u);
    clock.Advance(1000);
    EXPECT_EQ(clock.Now(), 0x100000005ULL + 1035);
  }
  const UInt64 after = GetTickCount64();
  EXPECT_GE(after, before);
  EXPECT_LT(after - before, 60000u);
}

TEST(Clock, SettersReturnThePreviousFunction) {
  TTickCountFunction old = SetTickCountFunction([] { return UInt64{42}; });
  EXPECT_FALSE(old);
  EXPECT_EQ(GetTickCount64(), 42u);
  TTickCountFunction mine = SetTickCountFunction(nullptr);
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine(), 42u);
  EXPECT_NE(GetTickCount64(), 42u);
}

// ---------------------------------------------------------------------------------------------
// Process start

TEST(Process, ExitCodesAndStartFailure) {
  struct Row {
    const char* name;
    const char16_t* program;
    const char16_t* parameters;
    TProgramStatus status;
    Integer exitCode;
  } rows[] = {
      {"exits 3", u"/bin/sh", u"-c \"exit 3\"", psExited, 3},
      {"exits 0, found in PATH", u"sh", u"-c true", psExited, 0},
      {"ended by a signal", u"/bin/sh", u"-c \"kill -9 $$\"", psExited, 128 + 9},
      {"missing program", u"/nonexistent/Lan_Uploader.exe", u"", psStartFailed, -1},
      {"not executable", u"/etc/passwd", u"", psStartFailed, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Integer exitCode = -1;
    EXPECT_EQ(StartProgram(row.program, row.parameters, true, 10000, exitCode), row.status);
    EXPECT_EQ(exitCode, row.exitCode);
  }
}

// The time limit is measured on the replaceable clock: a manual clock reaches 150,000 ms at once
// while the program still runs.
TEST(Process, ProgramRunningPastTheLimitTimesOut) {
  TManualClock clock;
  const UInt64 start = clock.Now();
  Integer exitCode = -1;
  const TProgramStatus status = StartProgram(
      u"/bin/sh", u"-c \"exec >/dev/null 2>&1 </dev/null; sleep 2\"", false, 150000, exitCode);
  EXPECT_EQ(status, psTimedOut);
  EXPECT_EQ(exitCode, -1);
  EXPECT_GE(clock.Now() - start, 150000u);
  EXPECT_LE(clock.Now() - start, 150010u);
}

// The wait looks for the program's end before every pause and pauses one 10 ms poll at a time, so
// it returns within one poll of the end. The pauses go through the sleep seam, which records them
// and only yields: nothing here depends on how loaded the machine is.
TEST(Process, WaitReturnsSoonAfterTheProgramEnds) {
  std::vector<Cardinal> pauses;
  TSleepFunction old = SetSleepFunction([&](Cardinal ms) {
    pauses.push_back(ms);
    std::this_thread::yield();
  });
  Integer exitCode = -1;
  const TProgramStatus status = StartProgram(u"/bin/sh", u"-c \"sleep 0.3\"", true, 10000, exitCode);
  SetSleepFunction(std::move(old));
  ASSERT_EQ(status, psExited);
  EXPECT_EQ(exitCode, 0);
  ASSERT_FALSE(pauses.empty());
  for (const Cardinal ms : pauses) EXPECT_LE(ms, 10u);
}

TEST(Process, SplitParameters) {
  struct Row {
    const char* name;
    const char16_t* text;
    std::vector<String> words;
  } rows[] = {
      {"empty", u"", {}},
      {"blanks only", u"  \t ", {}},
      {"words", u" a  b\tc ", {u"a", u"b", u"c"}},
      {"quoted blanks", u"-f \"C:/My Files/x.xml\"", {u"-f", u"C:/My Files/x.xml"}},
      {"quotes inside a word", u"a\"b c\"d", {u"ab cd"}},
      {"empty quotes", u"\"\" x", {u"", u"x"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SplitParameters(row.text), row.words);
  }
}

TEST(Process, SeamReplacesTheStart) {
  String seen;
  TStartProgramFunction old = SetStartProgramFunction(
      [&](const String& program, const String&, bool, Cardinal timeoutMs, Integer& exitCode) {
        seen = program;
        exitCode = static_cast<Integer>(timeoutMs);
        return psExited;
      });
  Integer exitCode = 0;
  EXPECT_EQ(StartProgram(u"tool", u"", true, 150000, exitCode), psExited);
  EXPECT_EQ(seen, u"tool");
  EXPECT_EQ(exitCode, 150000);
  SetStartProgramFunction(std::move(old));
}

TEST(Shell, SeamReplacesTheOpener) {
  std::vector<String> opened;
  TShellOpenFunction old = SetShellOpenFunction([&](const String& target) {
    opened.push_back(target);
    return true;
  });
  EXPECT_TRUE(ShellOpen(u"http://www.example.com/home"));
  EXPECT_EQ(opened, std::vector<String>{u"http://www.example.com/home"});
  SetShellOpenFunction(std::move(old));
}

// The desktop's opener as the program finds it in PATH: one that ends with an error (nothing opens
// the target) is a failure, one that hands the target over is not, and a missing one fails too.
TEST(Shell, TheOpenersVerdictDecides) {
  TempDir dir;
  const char* saved = std::getenv("PATH");
  const std::string oldPath = saved ? saved : "";
  struct Row {
    const char* name;
    const char* script;  // nullptr: no opener at all
    bool opened;
  } rows[] = {
      {"no program for the target", "#!/bin/sh\nexit 3\n", false},
      {"handed over", "#!/bin/sh\nexit 0\n", true},
      {"no opener", nullptr, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string opener = dir.FsPath("xdg-open").string();
    std::filesystem::remove(opener);
    if (row.script) {
      std::ofstream(opener) << row.script;
      std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    }
    setenv("PATH", dir.FsPath().c_str(), 1);
    const bool opened = ShellOpen(u"http://www.example.com/home");
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(opened, row.opened);
  }
}

// ---------------------------------------------------------------------------------------------
// HTTP against a server on the loopback address

// Accepts one connection, reads the request and answers it with `response`; with an empty
// response it answers nothing and holds the connection until the client gives up.
class TLoopbackServer {
 public:
  explicit TLoopbackServer(std::string response) : FResponse(std::move(response)) {
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(FListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(FListen, 1);
    socklen_t len = sizeof addr;
    getsockname(FListen, reinterpret_cast<sockaddr*>(&addr), &len);
    FPort = ntohs(addr.sin_port);
    FThread = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() {
    FThread.join();
    close(FListen);
  }
  String Url(const char* path) const {
    return Utf8ToString("http://127.0.0.1:" + std::to_string(FPort) + path);
  }
  // The request as received (complete once the client has returned).
  std::string Request() {
    FThread.join();
    FThread = std::thread([] {});
    return FRequest;
  }

 private:
  // Waits for the socket to be readable, at most 5 s, so a test can never hang on it.
  static bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 5000) > 0;
  }
  void Serve() {
    if (!Readable(FListen)) return;
    const int fd = accept(FListen, nullptr, nullptr);
    if (fd < 0) return;
    char buffer[4096];
    while (FRequest.find("\r\n\r\n") == std::string::npos && Readable(fd)) {
      const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      FRequest.append(buffer, static_cast<size_t>(got));
    }
    if (!FResponse.empty()) {
      send(fd, FResponse.data(), FResponse.size(), MSG_NOSIGNAL);
    } else {
      while (Readable(fd) && recv(fd, buffer, sizeof buffer, 0) > 0) {
      }
    }
    close(fd);
  }

  std::string FResponse;
  std::string FRequest;
  int FListen = -1;
  int FPort = 0;
  std::thread FThread;
};

THttpRequest VersionQuery(const String& url, Cardinal timeoutMs = 10000) {
  THttpRequest r;
  r.Url = url;
  r.Headers = {u"Accept: text/html, */*"};
  r.UserAgent = u"Mozilla/3.0 (compatible; Indy Library)";
  r.TimeoutMs = timeoutMs;
  return r;
}

TEST(Http, OkAnswerGivesTheBodyAndTheRequestIsHttp10WithTheHeaders) {
  // A proxy in the environment must be ignored.
  setenv("http_proxy", "http://127.0.0.1:9", 1);
  TLoopbackServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n1.003");
  const std::string body = HttpGet(VersionQuery(server.Url("/home/download/GetversionSW.asp?nomesw=KP31A08")));
  unsetenv("http_proxy");
  EXPECT_EQ(body, "1.003");
  const std::string request = server.Request();
  EXPECT_EQ(request.rfind("GET /home/download/GetversionSW.asp?nomesw=KP31A08 HTTP/1.0\r\n", 0), 0u)
      << request;
  EXPECT_NE(request.find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
            std::string::npos)
      << request;
}

TEST(Http, ErrorStatusesAndRedirectsAreFailures) {
  struct Row {
    const char* name;
    const char* response;
  } rows[] = {
      {"404", "HTTP/1.0 404 Not Found\r\n\r\nno such page"},
      {"500", "HTTP/1.0 500 Internal Server Error\r\n\r\nfailed"},
      {"302", "HTTP/1.0 302 Found\r\nLocation: /elsewhere\r\n\r\nmoved"},
      {"not HTTP", "garbage\r\n\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TLoopbackServer server(row.response);
    EXPECT_FALSE(HttpTryGet(VersionQuery(server.Url("/"))).has_value());
  }
}

TEST(Http, SilentServerGivesAnEmptyAnswerWithinTheTimeLimit) {
  TLoopbackServer server("");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpGet(VersionQuery(server.Url("/"), 300)), "");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::milliseconds(250));
  EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
}

TEST(Http, RefusedConnectionAndOtherSchemesAreFailures) {
  // A port that was just free: nothing listens there.
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  close(s);
  EXPECT_FALSE(HttpTryGet(VersionQuery(Utf8ToString("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/")))
                   .has_value());
  EXPECT_EQ(HttpGet(VersionQuery(u"file:///etc/hostname")), "");
}

TEST(Http, SeamReplacesTheClient) {
  THttpGetFunction old = SetHttpGetFunction([](const THttpRequest& r) {
    return StringToUtf8(r.Url) + "!";
  });
  EXPECT_EQ(HttpGet(VersionQuery(u"http://x/")), "http://x/!");
  SetHttpGetFunction(std::move(old));
}

// ---------------------------------------------------------------------------------------------
// ICMP

TEST(SharedLibrary, PresentLibraryGivesItsFunctions) {
  TSharedLibrary Libc("libc.so.6");
  EXPECT_TRUE(Libc.Load());
  EXPECT_EQ(Libc.LoadError(), "");
  using TStrlen = size_t (*)(const char*);
  EXPECT_EQ(reinterpret_cast<TStrlen>(Libc.Need("strlen"))("four"), 4u);
  EXPECT_EQ(Libc.Find("no_such_function_here"), nullptr);
  try {
    Libc.Need("no_such_function_here");
    FAIL() << "a missing function raised nothing";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), u"The library libc.so.6 has no function no_such_function_here");
  }
}

TEST(SharedLibrary, MissingLibraryIsReportedByNameAndNeverCrashes) {
  TSharedLibrary Missing("libkp_no_such_library.so.7");
  EXPECT_FALSE(Missing.Load());
  EXPECT_NE(Missing.LoadError().find("libkp_no_such_library.so.7"), std::string::npos);
  EXPECT_EQ(Missing.Find("anything"), nullptr);
  try {
    Missing.Need("anything");
    FAIL() << "a missing library raised nothing";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message().rfind(u"The library libkp_no_such_library.so.7 could not be loaded: ", 0), 0u);
  }
}

TEST(Icmp, EchoFromTheLoopbackAddress) {
  TSystemIcmpClient client;
  TIcmpReply reply;
  try {
    reply = client.Ping(u"127.0.0.1", "127.0.0.1", 1024, 400);
  } catch (const EIcmpError& e) {
    if (e.Message().rfind(u"Cannot open an ICMP socket", 0) == 0) {
      GTEST_SKIP() << "no ICMP socket can be opened here: " << e.what();
    }
    throw;
  }
  EXPECT_EQ(reply.BytesReceived, 8 + 1024);
  EXPECT_EQ(reply.Address, u"127.0.0.1");
  EXPECT_LE(reply.TimeMs, 400u);
}

// Addresses as the update dialog joins them from its four boxes are read in decimal, leading zeros
// and all.
TEST(Icmp, HostsResolveToTheAddressTheUserMeant) {
  struct Row {
    const char* name;
    const char16_t* host;
    const char16_t* address;
  } rows[] = {
      {"plain", u"192.168.2.205", u"192.168.2.205"},
      {"leading zeros are decimal", u"192.168.002.010", u"192.168.2.10"},
      {"a zero before 8", u"10.0.0.08", u"10.0.0.8"},
      {"many leading zeros", u"127.0.0.0001", u"127.0.0.1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ResolveIcmpHost(row.host), row.address);
  }
  // Digits and points that make no address raise without asking any name server.
  for (const char16_t* bad : {u"192.168.2.256", u"192.168.2", u"192.168..5", u"1.2.3.4.5", u"."}) {
    SCOPED_TRACE(StringToUtf8(bad));
    EXPECT_THROW(ResolveIcmpHost(bad), EIcmpError);
  }
}

TEST(Icmp, EmptyHostRaises) {
  TSystemIcmpClient client;
  EXPECT_THROW(client.Ping(u"", "x", 16, 100), EIcmpError);
}

TEST(Icmp, SeamReplacesTheClient) {
  struct TFake : IIcmpClient {
    TIcmpReply Ping(const String& host, const std::string& data, Integer, Cardinal) override {
      TIcmpReply r;
      r.Address = host;
      r.BytesReceived = static_cast<Integer>(data.size());
      return r;
    }
  } fake;
  EXPECT_EQ(SetIcmpClient(&fake), nullptr);
  EXPECT_EQ(IcmpClient().Ping(u"dev", "abc", 1024, 400).BytesReceived, 3);
  EXPECT_EQ(SetIcmpClient(nullptr), &fake);
  EXPECT_NE(dynamic_cast<TSystemIcmpClient*>(&IcmpClient()), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Serial ports

TEST(SerialPorts, ListingTheMachinesPortsWorks) {
  for (const String& name : GetSerialPortNames()) {
    EXPECT_EQ(name.rfind(u"/dev/tty", 0), 0u);
    EXPECT_GE(SerialPortNumber(name), 0);
  }
}

// Plain files open like a port that is present, except under the ttyS names, which need a UART
// behind them.
TEST(SerialPorts, NamesKindsAndOrder) {
  TempDir dir;
  for (const char* name : {"ttyUSB10", "ttyACM0", "ttyUSB2", "ttyS0", "ttyUSBx", "tty1", "ttyACM"}) {
    std::ofstream(dir.FsPath(name)) << "";
  }
  const String folder = dir.Path();
  EXPECT_EQ(GetSerialPortNames(folder),
            (std::vector<String>{folder + u"/ttyUSB2", folder + u"/ttyUSB10", folder + u"/ttyACM0"}));
  EXPECT_TRUE(GetSerialPortNames(folder + u"/missing").empty());
}

// The tty class folder decides for the ttyS* nodes: one without a UART is no port even where the
// node itself could be opened (or, for a user outside the serial group, could not), and one with a
// UART is a port without asking the node. Nodes the class folder does not describe are asked.
TEST(SerialPorts, ClassFolderTellsWhichTtySNodesHaveAUart) {
  TempDir dev;
  TempDir ttyClass;
  for (const char* name : {"ttyS0", "ttyS1", "ttyS2", "ttyS3", "ttyUSB0"}) {
    std::ofstream(dev.FsPath(name)) << "";
  }
  struct Row {
    const char* name;
    const char* type;  // the content of the class folder's "type" entry
  } rows[] = {{"ttyS0", "4\n"}, {"ttyS1", "0\n"}, {"ttyS2", "garbage\n"}};
  for (const Row& row : rows) {
    std::filesystem::create_directory(ttyClass.FsPath(row.name));
    std::ofstream(ttyClass.FsPath(row.name) / "type") << row.type;
  }
  const String folder = dev.Path();
  // ttyS2 (unreadable type) and ttyS3 (not described) are plain files here, which no UART answers.
  EXPECT_EQ(GetSerialPortNames(folder, ttyClass.Path()),
            (std::vector<String>{folder + u"/ttyS0", folder + u"/ttyUSB0"}));
  // Without a class folder every ttyS* node is asked itself.
  EXPECT_EQ(GetSerialPortNames(folder), (std::vector<String>{folder + u"/ttyUSB0"}));
}

TEST(SerialPorts, PortNumber) {
  struct Row {
    const char16_t* name;
    Integer number;
  } rows[] = {{u"/dev/ttyS0", 0}, {u"/dev/ttyUSB12", 12}, {u"/dev/ttyACM", -1}, {u"", -1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(StringToUtf8(row.name));
    EXPECT_EQ(SerialPortNumber(row.name), row.number);
  }
}

}  // namespace
