// Shared set-up of the string grid's text file, statistics, sizing and printing tests: a grid on a
// shown form, temporary files, and reading files back as bytes.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"

// The grid under test, with its print and HTML settings made from the start.
class TTextPrintGrid : public TExStringGrid {
 public:
  explicit TTextPrintGrid(TComponent* AOwner) : TExStringGrid(AOwner) { EnsureFileSettings(); }
  String ClassName() const override { return u"TTextPrintGrid"; }
};

class ExGridTextPrintTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TTextPrintGrid(Form);
    Grid->SetParent(Form);
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  // A file name in the test's own temporary folder.
  String TempFile(const std::string& Name) const { return Folder.File(Name); }
  static std::string ReadBytes(const String& FileName) {
    std::ifstream In(StringToUtf8(FileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
  }
  static void WriteBytes(const String& FileName, const std::string& Bytes) {
    std::ofstream Out(StringToUtf8(FileName), std::ios::binary | std::ios::trunc);
    Out << Bytes;
  }
  static std::string Fixture(const std::string& Name) {
    return ReadBytes(Utf8ToString(std::string(KP_FIXTURES_DIR) + "/components/grid/textfiles/" + Name));
  }
  // Sets the cells of rows 0.. from the table, column by column.
  void SetRows(const std::vector<std::vector<String>>& Rows) {
    for (size_t r = 0; r < Rows.size(); ++r)
      for (size_t c = 0; c < Rows[r].size(); ++c)
        Grid->SetCells(static_cast<Integer>(c), static_cast<Integer>(r), Rows[r][c]);
  }
  // The texts of row r, columns 0 .. n-1.
  std::vector<String> RowTexts(Integer r, Integer n) {
    std::vector<String> T;
    for (Integer c = 0; c < n; ++c) T.push_back(Grid->Cells(c, r));
    return T;
  }
  TForm* Form = nullptr;
  TTempFolder Folder{"exgrid_textprint"};
  TExStringGrid* Grid = nullptr;
};
