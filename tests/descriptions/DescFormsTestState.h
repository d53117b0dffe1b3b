// The program state for the tests of the description steps and dialogs: a scratch configuration
// folder as the open configuration, its file paths, and the built-in English texts.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"
#include "tests/descriptions/DescTestFiles.h"

namespace desc_test {

class TDescFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Conf_Name = u"Plant1";
    Path_Conf = ExtractFileDir(Dir.Path("x"));
    Set_Files();
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    SetNowFunction(nullptr);
    Path_Conf.clear();
    Conf_Name.clear();
    Set_Files();
  }

  // A file of the configuration folder.
  String Conf_File(const std::string& Name) const { return Dir.Path(Name); }
  // Puts a fixture into the configuration folder under the name the configuration uses.
  void Put_Fixture(const std::string& Fixture_Name, const String& Target) const {
    Write_Bytes(Target, Read_Bytes(Fixture(Fixture_Name)));
  }

  TScratch Dir;
};

}  // namespace desc_test

namespace desc_test {

// Creates a form as the application does (construction, then OnCreate) and frees it at the end of
// the scope.
template <class T>
struct TFormHolder {
  T* Form;
  TFormHolder() : Form(new T(nullptr)) { Form->AfterConstruction(); }
  ~TFormHolder() { TComponent::Free(Form); }
  T* operator->() const { return Form; }
};

// One row of a layout check: a control's bounds and visibility as the design places it.
struct TLayoutRow {
  const char* Name;
  TControl* Control;
  Integer Left, Top, Width, Height;
  bool Visible;
};

inline void Expect_Layout(const std::vector<TLayoutRow>& Rows) {
  for (const TLayoutRow& row : Rows) {
    SCOPED_TRACE(row.Name);
    ASSERT_NE(row.Control, nullptr);
    EXPECT_EQ(row.Control->Left(), row.Left);
    EXPECT_EQ(row.Control->Top(), row.Top);
    EXPECT_EQ(row.Control->Width(), row.Width);
    EXPECT_EQ(row.Control->Height(), row.Height);
    EXPECT_EQ(row.Control->Visible(), row.Visible);
  }
}

}  // namespace desc_test

namespace desc_test {

// The tests of the two-table editors: the row clipboard created, Enter and a header's double click
// left to the grid, the clock faked. Show runs a script while the dialog is up.
template <class TDialog>
class TTableDialogTest : public TDescFormsTest {
 protected:
  void SetUp() override {
    TDescFormsTest::SetUp();
    TestHarness::UseFakeClock(true);
    Create_Row_Clipboard();
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
  }
  void TearDown() override {
    Opt_Jump_Field_Tables = false;
    Opt_Double_Click_Auto_Size = false;
    TestHarness::UseFakeClock(false);
    TDescFormsTest::TearDown();
  }

  static TModalResult Show(TDialog* Form, std::function<void(TDialog*)> Script) {
    TestHarness::ExpectModal(Form->ClassName(), [&](TCustomForm&) { Script(Form); });
    return Form->ShowModal();
  }
  // The middle of a cell (display column).
  static TPoint Mid(TExColumnGrid* G, Integer ACol, Integer ARow) {
    const TRect r = G->CellRect(ACol, ARow);
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // A double click on the middle of a cell, with what it started run to its end.
  static void Double_Click_Cell(TExColumnGrid* G, Integer ACol, Integer ARow) {
    TestHarness::DoubleClick(G, Mid(G, ACol, ARow));
    TestHarness::ProcessEvents();
  }
};

}  // namespace desc_test
