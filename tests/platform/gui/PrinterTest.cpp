// The printer: the print-to-file printer writes only the file the user chose, pages keep their
// text and lines as vector output, and without a printer the default raises the printer error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/gui/Printers.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/PdfTestUtil.h"
#include "tests/TempFolder.h"

namespace {

bool Exists(const std::string& File) { return access(File.c_str(), F_OK) == 0; }

class PrinterTest : public testing::Test {
 protected:
  void SetUp() override {
    P = Printer();
    P->SetPrinterIndex(P->Printers()->Count() - 1);  // the print-to-file printer
    P->SetOrientation(poPortrait);
    File = Folder.FsPath("kp_printer_test.pdf").string();
  }
  void TearDown() override { P->SetTitle(u""); }
  // Two pages, each with a line of text and a frame.
  void PrintTwoPages() {
    P->BeginDoc();
    const char16_t* Texts[] = {u"Page one", u"Page two"};
    for (const char16_t* Text : Texts) {
      if (Text != Texts[0]) P->NewPage();
      TCanvas* C = P->Canvas();
      C->Font()->SetHeight(-100);
      C->TextOut(300, 300, Text);
      C->Brush()->SetStyle(bsClear);
      C->Pen()->SetWidth(5);
      C->Rectangle(200, 200, 2000, 600);
    }
    P->EndDoc();
  }
  TPrinter* P = nullptr;
  TTempFolder Folder{"kp_printer_test"};
  std::string File;
};

TEST_F(PrinterTest, PrintingToAFileWritesOnlyTheFileTheUserChose) {
  ASSERT_EQ(P->Printers()->Get(P->Printers()->Count() - 1), PrintToFileName);
  // A job name with folder parts suggests its last part alone; the user chooses where it goes.
  P->SetTitle(u"../../escape");
  TestHarness::ExpectFileDialog(true, Utf8ToString(File));
  PrintTwoPages();
  EXPECT_FALSE(P->Printing());
  EXPECT_FALSE(P->Aborted());
  ASSERT_EQ(TestHarness::ShownFileDialogs().size(), 1u);
  const TFileDialogRequest& Asked = TestHarness::ShownFileDialogs()[0];
  EXPECT_TRUE(Asked.Save);
  EXPECT_TRUE(Asked.OverwritePrompt);  // an existing file is replaced only after the user's yes
  EXPECT_EQ(Asked.FileName, u"escape.pdf");
  EXPECT_FALSE(Exists("escape.pdf"));
  EXPECT_FALSE(Exists("../../escape.pdf"));
  EXPECT_FALSE(Exists("document.pdf"));
  ASSERT_TRUE(Exists(File));

  if (!PdfTest::ToolsPresent()) GTEST_SKIP() << "pdfinfo / pdftotext missing (scripts/deps.sh installs them)";
  const PdfTest::TInfo Info = PdfTest::Info(File);
  EXPECT_EQ(Info.Pages, 2);
  EXPECT_NEAR(Info.Width, 595.0, 1.0);  // A4 in points
  EXPECT_NEAR(Info.Height, 842.0, 1.0);
  // The text is text, not pixels: another program reads it back.
  const std::string Text = PdfTest::Text(File);
  EXPECT_NE(Text.find("Page one"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Page two"), std::string::npos) << Text;
  EXPECT_LT(Text.find("Page one"), Text.find("Page two"));
  // Nothing on the pages went out as an image.
  const std::string Images = PdfTest::Run("pdfimages -list '" + File + "' 2>/dev/null");
  EXPECT_EQ(Images.find(" image "), std::string::npos) << Images;
}

TEST_F(PrinterTest, TheFilePrinterPageFollowsTheOrientation) {
  EXPECT_EQ(P->PixelsPerInch(), 600);
  EXPECT_NEAR(P->PageWidth(), 4960, 4);  // 210 mm at 600 pixels per inch
  EXPECT_NEAR(P->PageHeight(), 7016, 4);
  P->SetOrientation(poLandscape);
  EXPECT_EQ(P->Orientation(), poLandscape);
  EXPECT_NEAR(P->PageWidth(), 7016, 4);
  TestHarness::ExpectFileDialog(true, Utf8ToString(File));
  PrintTwoPages();
  if (!PdfTest::ToolsPresent()) GTEST_SKIP() << "pdfinfo missing";
  const PdfTest::TInfo Info = PdfTest::Info(File);
  EXPECT_EQ(Info.Pages, 2);
  EXPECT_NEAR(Info.Width, 842.0, 1.0);
  EXPECT_NEAR(Info.Height, 595.0, 1.0);
}

TEST_F(PrinterTest, ACancelledFileDialogWritesNothing) {
  TestHarness::ExpectFileDialog(true, u"");
  PrintTwoPages();
  EXPECT_TRUE(P->Aborted());
  EXPECT_FALSE(P->Printing());
  EXPECT_FALSE(Exists(File));
  EXPECT_THROW(P->EndDoc(), EPrinter);
  EXPECT_THROW(P->Canvas(), EPrinter);
  EXPECT_THROW(P->SetPrinterIndex(P->Printers()->Count()), EPrinter);
}

TEST_F(PrinterTest, WithoutAPrinterTheDefaultRaisesThePrinterErrorAndWritesNoFile) {
  if (P->Printers()->Count() > 1) GTEST_SKIP() << "this machine has a printer";
  P->SetPrinterIndex(-1);
  P->SetTitle(u"job");
  try {
    P->BeginDoc();
    FAIL() << "no error";
  } catch (const EPrinter& E) {
    EXPECT_EQ(E.Message(), u"There is no default printer currently selected");
  }
  EXPECT_FALSE(P->Printing());
  EXPECT_THROW(P->PageWidth(), EPrinter);
  EXPECT_FALSE(Exists("job.pdf"));
  EXPECT_FALSE(Exists("document.pdf"));
}

}  // namespace
