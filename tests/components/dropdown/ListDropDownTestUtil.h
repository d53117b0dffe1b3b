// A list drop-down on a form for the tests of the multi-column drop-down and of the grid drop-down
// (tests/components/grid): the popup placed on a screen of the test's choosing, the keyboard state
// cleared, a drop-down with two columns and rows of texts, typing, keys and the point of a row.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "components/dropdown/ExDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

inline std::string U8(const String& S) { return StringToUtf8(S); }

// D: the drop-down class; Caption: the form's caption.
template <class D>
class ListDropDownFixture : public testing::Test {
 protected:
  explicit ListDropDownFixture(String Caption) : FCaption(std::move(Caption)) {}

  void SetUp() override {
    ClearKeyboardState();
    SetDropDownScreen({[] { return 1080; }, [](TPoint) { return TRect(0, 0, 1920, 1040); }});
    Form = new TForm(Application);
    Form->SetCaption(FCaption);
    Form->SetBounds(100, 100, 500, 400);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    SetDropDownScreen({});
    ClearKeyboardState();
  }

  // A drop-down on the form with the given columns (header, width) and rows of texts; the lookup
  // list built.
  D* NewListDropDown(const std::vector<std::pair<String, Integer>>& Columns, std::vector<std::vector<String>> Rows) {
    auto* d = new D(Form);
    d->SetParent(Form);
    d->SetBounds(10, 10, 200, 21);
    for (const auto& [header, width] : Columns) {
      auto* column = d->Columns()->Add();
      column->SetHeader(header);
      column->SetWidth(width);
    }
    for (const auto& row : Rows) {
      auto* item = d->Items()->Add();
      for (const String& t : row) item->Text()->Add(t);
    }
    d->EndUpdate();
    return d;
  }
  static std::vector<std::vector<String>> Fruit() {
    return {{u"Apple", u"red"}, {u"Banana", u"yellow"}, {u"Cherry", u"dark red"}, {u"Date", u"brown"},
            {u"Elder", u"black"}};
  }
  // Types each character with its key (letters and digits; with NamedKeys also the blank and
  // Backspace), so the key release follows. Other characters come without a key.
  static void TypeKeys(TWinControl* C, const String& Chars, bool NamedKeys) {
    for (Char ch : Chars) {
      Word vk = 0;
      if (ch >= u'a' && ch <= u'z') vk = static_cast<Word>(ch - u'a' + u'A');
      if ((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')) vk = static_cast<Word>(ch);
      if (NamedKeys && ch == u' ') vk = VK_SPACE;
      if (NamedKeys && ch == 8) vk = VK_BACK;
      TestHarness::SendKeyStroke(C, vk, TShiftState(), String(1, ch));
    }
  }
  static void Key(TWinControl* C, Word VirtualKey, TShiftState Shift = TShiftState(), const String& Chars = String()) {
    TestHarness::SendKeyStroke(C, VirtualKey, Shift, Chars);
  }
  // The list's client point in the middle of a row's first cell.
  template <class G>
  static TPoint RowPoint(G* Grid, Integer Row) {
    const TRect r = Grid->CellRect(0, Row);
    return Point(r.Left + 5, (r.Top + r.Bottom) / 2);
  }

  TForm* Form = nullptr;

 private:
  String FCaption;
};
