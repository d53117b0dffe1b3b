// The program state for the tests of the device and variable dialogs: the built-in English texts,
// the software code, the catalogue of the dialogs' fixture as the program's catalogue, and a helper
// that picks a list entry the way a user does (the change event follows).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Catalog.h"
#include "enocean/UEnOcean_VariableBase.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Messages.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"
#include "tests/app/AppTestFolder.h"

namespace enocean_forms_test {

// A dialog built as the program builds it at start-up (constructor, then the creation event) once
// the program state is set. Like the program's dialogs it lives on, hidden, until the application
// frees its forms: a form freed after it was shown modally leaves a dangling entry in the window
// system's list of modal windows, which the next form shown trips over.
template <class TDialogForm>
class TFormHolder {
 public:
  TFormHolder() = default;
  TFormHolder(const TFormHolder&) = delete;
  TFormHolder& operator=(const TFormHolder&) = delete;
  ~TFormHolder() {
    if (Form && Form->Visible()) Form->Hide();
  }
  void Create() {
    Form = new TDialogForm(Application);
    Form->AfterConstruction();
  }
  TDialogForm* operator->() const { return Form; }
  TDialogForm* Form = nullptr;
};

class TEnOceanFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Catalog = std::make_unique<TCatalog_EnOcean>();
    ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/forms/eep_cascade.xml")));
    Catalog_EnOcean = Catalog.get();
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    Catalog_EnOcean = nullptr;
  }

  std::unique_ptr<TCatalog_EnOcean> Catalog;
};

// The user picks item Index of a list: the selection changes and the list reports it to its
// parent, as the window system's notification does, so the change event runs.
inline void User_Choose(TComboBox* List, Integer Index) {
  List->SetItemIndex(Index);
  List->Parent()->NotifyCommand(List, CBN_SELCHANGE);
}

// What the user sees after resting the pointer on client point P of Control: the pointer moves
// there as the window system moves it, the hint pause runs out on the fake clock (the test turns
// it on), and the text of the hint window that then shows is given ("" when none shows).
inline String Hint_After_Rest(TControl* Control, TPoint P) {
  TestHarness::MovePointer(Control, P);
  TestHarness::AdvanceClock(static_cast<Cardinal>(Application->HintPause()));
  THintWindow* hint = Application->HintWindow();
  return hint && hint->Active() ? hint->Caption() : String();
}

// The items of a list, in order.
inline std::vector<String> Items_Of(TComboBox* List) {
  std::vector<String> items;
  for (Integer i = 0; i < List->Items()->Count(); ++i) items.push_back(List->Items()->Strings(i));
  return items;
}

// One row of a layout check: a control's place and size as the design gives them (a width or
// height of -1 is not checked: a label sizes itself to its text).
struct TLayout_Row {
  const char* Name;
  TControl* Control;
  Integer Left, Top, Width, Height;
};

inline void Expect_Layout(const std::vector<TLayout_Row>& Rows) {
  for (const TLayout_Row& row : Rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Control->Left(), row.Left);
    EXPECT_EQ(row.Control->Top(), row.Top);
    if (row.Width >= 0) { EXPECT_EQ(row.Control->Width(), row.Width); }
    if (row.Height >= 0) { EXPECT_EQ(row.Control->Height(), row.Height); }
  }
}

// The rows of what both variable dialogs place alike: the EEP block, the variable heading and its
// case label, OK and Cancel.
inline std::vector<TLayout_Row> Variable_Base_Layout(TFEnOcean_Variable_Base* f) {
  return {
      {"EEP heading", f->L_EEP, 16, 70, -1, -1},
      {"RORG label", f->L_EEP_RORG, 16, 99, -1, -1},
      {"RORG", f->CB_EEP_Rorg, 134, 99, 307, 22},
      {"FUNC label", f->L_EEP_FUNC, 16, 127, -1, -1},
      {"FUNC", f->CB_EEP_Func, 134, 127, 307, 22},
      {"TYPE label", f->L_EEP_TYPE, 16, 155, -1, -1},
      {"TYPE", f->CB_EEP_Type, 134, 155, 307, 22},
      {"variable heading", f->L_Variable, 16, 206, -1, -1},
      {"case label", f->L_Var_CASE, 16, 235, -1, -1},
      {"OK", f->Btn_OK, 16, 6, 110, 28},
      {"Cancel", f->Btn_Cancel, 134, 6, 110, 28},
  };
}

// What both variable dialogs share in their frame: the common rows, the client size given, and OK
// left to the dialog's own check while Cancel closes it.
inline void Expect_Variable_Frame(TFEnOcean_Variable_Base* f, Integer ClientWidth, Integer ClientHeight) {
  Expect_Layout(Variable_Base_Layout(f));
  EXPECT_EQ(f->ClientWidth(), ClientWidth);
  EXPECT_EQ(f->ClientHeight(), ClientHeight);
  EXPECT_EQ(f->Btn_Cancel->ModalResult(), mrCancel);
  EXPECT_EQ(f->Btn_OK->ModalResult(), mrNone);
}

// A network file of the editors' fixtures.
inline std::string Editor_Fixture(const std::string& Name) {
  return TTestFolder::Read_Bytes(std::string(KP_FIXTURES_DIR) + "/enocean/editor/" + Name);
}

// The tests of a network editor: the configuration's "EnOcean.xml" in a scratch folder, the
// editor shown on a fixture and its device list as lines.
template <class TEditor>
class TEnOceanEditorTest : public TEnOceanFormsTest {
 protected:
  void SetUp() override {
    TEnOceanFormsTest::SetUp();
    File_EnOcean = Folder.Path("EnOcean.xml");
  }
  void TearDown() override {
    File_EnOcean.clear();
    TEnOceanFormsTest::TearDown();
  }

  // Shows the editor (not modally) on the network file Fixture ("" for none).
  void Show_Editor(const std::string& Fixture) {
    if (!Fixture.empty()) Folder.Write("EnOcean.xml", Editor_Fixture(Fixture));
    TestHarness::ShowForm(Editor.Form);
  }

  std::vector<String> Device_Lines() const {
    std::vector<String> lines;
    for (Integer i = 0; i < Editor->LB_ID_Devices_List->Count(); ++i) {
      lines.push_back(Editor->LB_ID_Devices_List->Items()->Strings(i));
    }
    return lines;
  }

  TTestFolder Folder;
  TFormHolder<TEditor> Editor;
};

}  // namespace enocean_forms_test
