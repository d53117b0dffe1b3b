#include "app/VersionCheck.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "platform/os/Http.h"

namespace {

TEST(ConvVersion, Table) {
  struct Row {
    const char* name;
    String text;
    Integer value;
  };
  const Row rows[] = {
      {"built-in version", u"1.002", 1002},
      {"server answer", u"VER. 1.010", 1010},
      {"blanks after the first blank", u"VER.   2.345  ", 2345},
      {"point is skipped whatever it is", u"VER. 1,003", 1003},
      {"shorter than five characters", u"VER. 2.0", -1},
      {"letter inside", u"VER. 1.0a0", -1},
      {"hexadecimal look-alike", u"VER. x.fff", -1},
      {"sign", u"VER. -.123", -1},
      {"empty", u"", -1},
      {"longer text keeps the first five", u"1.0021", 1002},
  };
  for (const Row& r : rows) EXPECT_EQ(Conv_Version(r.text), r.value) << r.name;
}

TEST(NewerVersion, AnswersAgainstTheBuiltInVersion) {
  struct Row {
    const char* name;
    String answer;
    bool newer;
  };
  const Row rows[] = {
      {"newer", u"VER. 1.003", true},
      {"equal", u"VER. 1.002", false},
      {"older", u"VER. 1.001", false},
      {"unknown to the server", u"VER. 0.000", false},
      {"unknown, lower case", u"ver. 0.000", false},
      {"version too short", u"VER. 2.0", false},
      {"not a number", u"VER. 1.0a0", false},
      {"no blank", u"1.010", true},
      {"blanks and line break around", u"  VER. 1.003\r\n", true},
      {"empty", u"", false},
      {"garbage", u"<html><body>Not found</body></html>", false},
  };
  for (const Row& r : rows) EXPECT_EQ(Is_Newer_Version(r.answer), r.newer) << r.name;
}

TEST(VersionQuery, RequestCarriesPathCodeHeadersAndTimeLimit) {
  THttpRequest seen;
  THttpGetFunction old = SetHttpGetFunction([&seen](const THttpRequest& request) {
    seen = request;
    return std::string("VER. 1.003");
  });
  const bool newer = Check_Version(u"http://127.0.0.1:1");
  SetHttpGetFunction(old);

  EXPECT_TRUE(newer);
  EXPECT_EQ(seen.Url, u"http://127.0.0.1:1/home/download/GetversionSW.asp?nomesw=KP31A08");
  EXPECT_EQ(seen.UserAgent, u"Mozilla/3.0 (compatible; Indy Library)");
  ASSERT_EQ(seen.Headers.size(), 1u);
  EXPECT_EQ(seen.Headers[0], u"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  EXPECT_EQ(seen.TimeoutMs, 10000u);
}

// A one-connection-at-a-time HTTP server on loopback that gives every request the same reply.
class TLoopbackServer {
 public:
  TLoopbackServer() {
    FSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(FSocket, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(FSocket, 4);
    socklen_t len = sizeof addr;
    getsockname(FSocket, reinterpret_cast<sockaddr*>(&addr), &len);
    FPort = ntohs(addr.sin_port);
    FThread = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() {
    FStop = true;
    shutdown(FSocket, SHUT_RDWR);
    close(FSocket);
    FThread.join();
  }

  String Address() const { return u"http://127.0.0.1:" + Utf8ToString(std::to_string(FPort)); }
  // The raw reply; empty closes the connection without an answer.
  void SetReply(std::string reply) {
    std::lock_guard<std::mutex> lock(FMutex);
    FReply = std::move(reply);
  }
  std::string LastRequest() {
    std::lock_guard<std::mutex> lock(FMutex);
    return FRequest;
  }

 private:
  void Serve() {
    while (!FStop) {
      const int client = accept(FSocket, nullptr, nullptr);
      if (client < 0) return;
      std::string request;
      char buffer[1024];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
      }
      std::string reply;
      {
        std::lock_guard<std::mutex> lock(FMutex);
        FRequest = request;
        reply = FReply;
      }
      if (!reply.empty()) send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      close(client);
    }
  }

  int FSocket = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  std::thread FThread;
  std::mutex FMutex;
  std::string FReply;
  std::string FRequest;
};

std::string Ok(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

TEST(VersionQuery, AnswersOfALoopbackServer) {
  TLoopbackServer server;
  struct Row {
    const char* name;
    std::string reply;
    bool newer;
  };
  const Row rows[] = {
      {"newer", Ok("VER. 1.003"), true},
      {"equal", Ok("VER. 1.002"), false},
      {"older", Ok("VER. 0.999"), false},
      {"unknown", Ok("VER. 0.000"), false},
      {"garbage", Ok("\x01\xFF\xFE garbage \x80"), false},
      {"error status with a newer body", "HTTP/1.0 404 Not Found\r\nContent-Length: 10\r\n\r\nVER. 9.999", false},
      {"no answer", "", false},
  };
  for (const Row& r : rows) {
    server.SetReply(r.reply);
    EXPECT_EQ(Check_Version(server.Address()), r.newer) << r.name;
  }
  // A failed query is no answer at all; an answer without a newer version is one.
  server.SetReply("HTTP/1.0 404 Not Found\r\n\r\n");
  EXPECT_EQ(Check_Version_Result(server.Address()), vcFailed);
  server.SetReply(Ok("VER. 0.000"));
  EXPECT_EQ(Check_Version_Result(server.Address()), vcNotNewer);
  // An answer that names no version is no answer either.
  for (const char* body : {"", "<html><body>Service unavailable</body></html>", "VER. x.yz"}) {
    SCOPED_TRACE(body);
    server.SetReply(Ok(body));
    EXPECT_EQ(Check_Version_Result(server.Address()), vcFailed);
  }
  server.SetReply(Ok("VER. 1.001"));
  EXPECT_EQ(Check_Version_Result(server.Address()), vcNotNewer);
  const std::string request = server.LastRequest();
  EXPECT_EQ(request.rfind("GET /home/download/GetversionSW.asp?nomesw=KP31A08 HTTP/1.0\r\n", 0), 0u) << request;
}

TEST(VersionQuery, AnswerIsTrimmed) {
  TLoopbackServer server;
  server.SetReply(Ok("  VER. 1.003\r\n"));
  EXPECT_EQ(Query_Version(server.Address(), SW_Code_Update), u"VER. 1.003");
}

TEST(UpdateLink, WhatTheDialogAndTheMainWindowShow) {
  Load_Default_Texts();
  EXPECT_EQ(Check_Update_Result_Text(vcNotNewer), u"No Update Available");
  EXPECT_EQ(Check_Update_Result_Text(vcFailed),
            u"The check for a new version could not be made: the web server gave no answer that names a "
            u"version. Check the Internet connection.");
  EXPECT_EQ(Check_Update_Result_Text(vcNewer),
            u"<a href=\"" + Maker_Web_Address +
                u"/Home/download/download.asp#GX31XYZ\">New Version Available. Click Here for more Details</a>");
  EXPECT_EQ(Update_Link_Main_Html(),
            u"<a href=\"" + Maker_Web_Address +
                u"/Home/download/download.asp#GX31A08\">New Version Available. Click Here for more Details</a>");
}

}  // namespace
