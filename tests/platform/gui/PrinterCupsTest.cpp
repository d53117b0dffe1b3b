// The printer on a real print queue: the test starts a private CUPS scheduler of its own (its own
// folder, configuration and socket, nothing shared with the machine's) with one queue whose
// backend writes each job to a file, prints a page on it as the default printer and reads the job
// back. Where no scheduler can run here (not installed, not root), the test is skipped.
//
// This suite is an executable of its own: the print service is chosen through CUPS_SERVER before
// anything in the process reaches for a printer.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/gui/Printers.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"
#include "tests/platform/gui/PdfTestUtil.h"

extern char** environ;

namespace {

const char* const kCupsd = "/usr/sbin/cupsd";

void Write(const std::string& File, const std::string& Text, mode_t Mode = 0644) {
  std::ofstream(File) << Text;
  chmod(File.c_str(), Mode);
}

class PrivateScheduler {
 public:
  // Writes the configuration and starts the scheduler; Ready() tells whether it came up.
  PrivateScheduler() {
    chmod(FDir.c_str(), 0755);
    for (const char* Sub : {"/spool", "/cache", "/state", "/out", "/bin", "/bin/backend"}) mkdir((FDir + Sub).c_str(), 0755);
    chmod((FDir + "/out").c_str(), 0777);
    // The scheduler's helper programs are the system's, but the backend is ours.
    for (const char* Sub : {"filter", "daemon", "cgi-bin", "driver", "monitor", "notifier"})
      symlink((std::string("/usr/lib/cups/") + Sub).c_str(), (FDir + "/bin/" + Sub).c_str());
    Write(FDir + "/bin/backend/kpfile",
          "#!/bin/sh\n"
          "[ $# -eq 0 ] && { echo 'file kpfile \"Unknown\" \"Test file\"'; exit 0; }\n"
          "out=${DEVICE_URI#kpfile:}\n"
          "if [ -n \"$6\" ]; then cat \"$6\" > \"$out.part\"; else cat > \"$out.part\"; fi && mv \"$out.part\" \"$out\"\n",
          0700);
    Write(FDir + "/cupsd.conf",
          "Listen " + Socket() + "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
          "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n</Policy>\n");
    Write(FDir + "/cups-files.conf",
          "ServerRoot " + FDir + "\nServerBin " + FDir + "/bin\nRequestRoot " + FDir + "/spool\nCacheDir " + FDir +
              "/cache\nStateDir " + FDir + "/state\nTempDir " + FDir + "/spool\nErrorLog " + FDir +
              "/error_log\nAccessLog " + FDir + "/access_log\nPageLog " + FDir + "/page_log\n");
    Write(FDir + "/printers.conf",
          "<DefaultPrinter kptest>\nInfo Test queue\nDeviceURI kpfile:" + Output() +
              "\nState Idle\nAccepting Yes\nShared No\n</DefaultPrinter>\n",
          0600);
    const std::string Conf = FDir + "/cupsd.conf", Files = FDir + "/cups-files.conf";
    const char* Argv[] = {kCupsd, "-f", "-c", Conf.c_str(), "-s", Files.c_str(), nullptr};
    if (posix_spawn(&FPid, kCupsd, nullptr, nullptr, const_cast<char**>(Argv), environ) != 0) FPid = 0;
  }
  ~PrivateScheduler() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }
  bool Started() const { return FPid > 0; }
  std::string Socket() const { return FDir + "/cups.sock"; }
  std::string Output() const { return FDir + "/out/job.pdf"; }
  // True while the scheduler runs.
  bool Running() const { return FPid > 0 && waitpid(FPid, nullptr, WNOHANG) == 0; }

 private:
  TTempFolder FFolder{"kp_cups"};
  const std::string FDir = FFolder.FsPath().string();
  pid_t FPid = 0;
};

TEST(PrinterCups, APageGoesToTheDefaultQueueOfThePrintService) {
  if (access(kCupsd, X_OK) != 0) GTEST_SKIP() << "no CUPS scheduler here (cups-daemon)";
  if (geteuid() != 0) GTEST_SKIP() << "a private CUPS scheduler needs root here";
  PrivateScheduler Cups;
  ASSERT_TRUE(Cups.Started());
  setenv("CUPS_SERVER", Cups.Socket().c_str(), 1);
  if (!TestHarness::WaitUntil([&] { return access(Cups.Socket().c_str(), F_OK) == 0 || !Cups.Running(); }, 10000) ||
      !Cups.Running())
    GTEST_SKIP() << "the private CUPS scheduler did not start";

  TPrinter* P = Printer();
  TStrings* Names = P->Printers();
  ASSERT_EQ(Names->Count(), 2);
  EXPECT_EQ(Names->Get(0), u"kptest");
  EXPECT_EQ(Names->Get(1), PrintToFileName);
  P->SetPrinterIndex(-1);  // the system's default printer
  EXPECT_GT(P->PixelsPerInch(), 0);
  EXPECT_GT(P->PageWidth(), 0);
  P->SetTitle(u"queue test");
  // No file dialog: a printer of the system takes the job.
  P->BeginDoc();
  P->Canvas()->Font()->SetHeight(-P->PixelsPerInch() / 4);
  P->Canvas()->TextOut(P->PixelsPerInch(), P->PixelsPerInch(), u"Printed through the queue");
  P->EndDoc();
  EXPECT_FALSE(P->Aborted());

  ASSERT_TRUE(TestHarness::WaitUntil([&] { return access(Cups.Output().c_str(), F_OK) == 0; }, 20000))
      << "the queue wrote no job";
  if (!PdfTest::ToolsPresent()) GTEST_SKIP() << "pdfinfo / pdftotext missing";
  EXPECT_EQ(PdfTest::Info(Cups.Output()).Pages, 1);
  const std::string Text = PdfTest::Text(Cups.Output());
  EXPECT_NE(Text.find("Printed through the queue"), std::string::npos) << Text;
}

}  // namespace
