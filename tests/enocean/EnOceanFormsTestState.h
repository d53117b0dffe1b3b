// The program state for the tests of the device and variable dialogs: the built-in English texts,
// the software code, the catalogue of the dialogs' fixture as the program's catalogue, and a helper
// that picks a list entry the way a user does (the change event follows).
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Messages.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

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

// The items of a list, in order.
inline std::vector<String> Items_Of(TComboBox* List) {
  std::vector<String> items;
  for (Integer i = 0; i < List->Items()->Count(); ++i) items.push_back(List->Items()->Strings(i));
  return items;
}

}  // namespace enocean_forms_test
