// Shared set-up of the grid's file and clipboard tests: a shown form with a grid, a scratch folder
// for the files a test writes, and byte access to files and golden fixtures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"

namespace GridIOTest {

inline std::string ReadBytes(const std::filesystem::path& P) {
  std::ifstream In(P, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& P, const std::string& Bytes) {
  std::ofstream Out(P, std::ios::binary);
  Out << Bytes;
}

// A golden file of the grid's file formats.
inline std::filesystem::path Fixture(const std::string& Name) {
  return std::filesystem::path(KP_FIXTURES_DIR) / "components" / "grid" / "io" / Name;
}

inline String PathText(const std::filesystem::path& P) { return Utf8ToString(P.string()); }

// A form with one grid (5 columns, 10 rows, one fixed row and column, as a new grid has) and a
// scratch folder that goes with the test.
class GridIOFixture : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Scratch = std::make_unique<TTempFolder>("exgridio");
    Folder = Scratch->FsPath();
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = NewGrid();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
    Scratch.reset();
  }
  virtual TExStringGrid* NewGrid() {
    auto* G = new TExStringGrid(Form);
    G->SetParent(Form);
    return G;
  }
  String File(const std::string& Name) const { return PathText(Folder / Name); }
  std::string Bytes(const std::string& Name) const { return ReadBytes(Folder / Name); }

  std::unique_ptr<TTempFolder> Scratch;
  std::filesystem::path Folder;
  TForm* Form = nullptr;
  TExStringGrid* Grid = nullptr;
};

}  // namespace GridIOTest
