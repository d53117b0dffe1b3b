// The main of every GUI test suite: an offscreen platform unless one is set, pinned font metrics,
// the application and the GUI layer, and the test harness in strict mode: a modal form, message
// box, file dialog or popup menu that a test did not announce fails that test and is cancelled.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

bool gLeftovers = false;

class HarnessListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    TestHarness::Reset();
    TestHarness::UseFakeClock(false);
    ClearKeyboardState();
  }
  // Expectations a test stated but never saw fail the run (a test can check them itself with
  // TestHarness::Verify, which reports each one).
  void OnTestEnd(const testing::TestInfo& info) override {
    if (TestHarness::PendingExpectations() > 0) {
      std::fprintf(stderr, "%s.%s left %d expected dialog(s) never shown\n", info.test_suite_name(),
                   info.name(), static_cast<int>(TestHarness::PendingExpectations()));
      gLeftovers = true;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  setenv("QT_SCALE_FACTOR", "1", 0);
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  QApplication::setFont(f);
  InitializeGuiLayer();
  TestHarness::Install([](const String& message) { ADD_FAILURE() << StringToUtf8(message); });
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new HarnessListener);
  int rc = RUN_ALL_TESTS();
  TestHarness::Uninstall();
  FinalizeGuiLayer();
  return rc != 0 ? rc : gLeftovers ? 1 : 0;
}
