// What the tests of the in-place editor controls share: a shown form to put the controls on, the
// process-wide format settings put back after each test, and printing of texts.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

inline std::string U8(const String& S) { return StringToUtf8(S); }

class EditorTest : public testing::Test {
 protected:
  void SetUp() override {
    SavedSettings = FormatSettings;
    ClearKeyboardState();
    Form = new TForm(Application);
    Form->SetCaption(u"Editors");
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
    FormatSettings = SavedSettings;
    ClearKeyboardState();
  }
  void ShowForm() { TestHarness::ShowForm(Form); }

  TForm* Form = nullptr;
  TFormatSettings SavedSettings;
};
