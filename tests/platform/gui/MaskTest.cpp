// Edit masks: the rules of a mask (positions, literals, blanks, case, the save flag), typing into
// a masked edit, Text and EditText, and the check when a modified edit is left.
#include <gtest/gtest.h>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/Mask.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

const String kInvalid = u"Invalid input value.  Use escape key to abandon changes";

TEST(EditMaskRules, TextsLaidOutInTheMask) {
  struct Row {
    const char* Name;
    String Mask, Set, EditText, Text;
  };
  const Row rows[] = {
      {"literals saved", u"00:00;1;_", u"12:34", u"12:34", u"12:34"},
      {"literals not saved", u"00:00;0;_", u"1234", u"12:34", u"1234"},
      {"a text without the literals fills the inputs", u"00:00;1;_", u"1234", u"12:34", u"12:34"},
      {"unfilled positions are blanks, spaces in Text", u"00:00;1;_", u"1", u"1_:__", u"1 :  "},
      {"the save flag and blank may be left out", u"00:00", u"12", u"12:__", u"12:  "},
      {"a blank character of its own", u"000;1;*", u"", u"***", u"   "},
      {"! fills a shorter text from the right", u"!999;1;_", u"5", u"__5", u"  5"},
      {"without ! from the left", u"999;1;_", u"5", u"5__", u"5  "},
      {"upper then lower case", u">LL<ll", u"abCD", u"ABcd", u"ABcd"},
      {"<> ends the case change", u">L<>L", u"ab", u"Ab", u"Ab"},
      {"escaped mask characters are literals", u"\\0\\9-00", u"12", u"09-12", u"09-12"},
      {"_ is a blank literal", u"00_00;1;_", u"1234", u"12 34", u"12 34"},
      {"an escaped ; stays in the mask", u"0\\;0;0;_", u"12", u"1;2", u"12"},
      {"blanks in the text leave positions unfilled", u"0000;1;_", u"1 _4", u"1__4", u"1  4"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    TEditMaskRules rules(r.Mask);
    const String edit = rules.EditTextOf(r.Set);
    EXPECT_EQ(edit, r.EditText);
    EXPECT_EQ(rules.TextOf(edit), r.Text);
    EXPECT_EQ(rules.Length(), static_cast<Integer>(r.EditText.size()));
  }
}

TEST(EditMaskRules, WhatEachPositionTakes) {
  struct Row {
    const char* Name;
    String Mask;
    Char Typed, Taken;  // #0: refused
  };
  const Row rows[] = {
      {"0 takes a digit", u"0", u'7', u'7'},
      {"0 refuses a letter", u"0", u'x', 0},
      {"0 refuses a blank", u"0", u' ', 0},
      {"9 takes a blank as unfilled", u"9", u' ', u'_'},
      {"# takes a sign", u"#", u'-', u'-'},
      {"# refuses a letter", u"#", u'a', 0},
      {"L takes a letter", u"L", u'q', u'q'},
      {"L takes a letter with an accent", u"L", Char(0xE9), Char(0xE9)},
      {"L refuses a digit", u"L", u'1', 0},
      {"A takes a digit", u"A", u'1', u'1'},
      {"A refuses a sign", u"A", u'+', 0},
      {"C takes a sign", u"C", u'+', u'+'},
      {"> turns letters upper case", u">l", u'q', u'Q'},
      {"< turns letters lower case", u"<L", u'Q', u'q'},
      {"a literal takes nothing", u"-", u'-', 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    EXPECT_EQ(TEditMaskRules(r.Mask).Accept(0, r.Typed), r.Taken);
  }
}

TEST(EditMaskRules, SeparatorsComeFromTheFormatSettingsAndRequiredPositionsAreChecked) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DateSeparator = u'.';
  FormatSettings.TimeSeparator = u'h';
  EXPECT_EQ(TEditMaskRules(u"00/00 00:00").EmptyEditText(), u"__.__ __h__");
  FormatSettings = saved;
  TEditMaskRules rules(u"L0a9;1;_");
  EXPECT_EQ(rules.FirstMissing(u"A1__"), -1) << "the optional positions may stay blank";
  EXPECT_EQ(rules.FirstMissing(u"A___"), 1);
  EXPECT_EQ(rules.FirstMissing(u"____"), 0);
  EXPECT_TRUE(TEditMaskRules(u"").Empty());
}

// A form with a masked edit and a plain edit to move the focus to.
class MaskEditTest : public ::testing::Test {
 public:
  void SetUp() override {
    Masked = new TMaskEdit(Form.Form);
    Masked->SetParent(Form.Form);
    Masked->SetBounds(10, 10, 120, 21);
    Other = new TEdit(Form.Form);
    Other->SetParent(Form.Form);
    Other->SetBounds(10, 40, 120, 21);
    TestHarness::ShowForm(Form.Form);
  }
  void Start(const String& Mask) {
    Masked->SetEditMask(Mask);
    Masked->SetFocus();
    Masked->SetSelStart(0);
    Masked->SetSelLength(0);
  }
  void Key(Word VirtualKey) { TestHarness::Key(Masked, VirtualKey); }

  FormHolder Form;
  TMaskEdit* Masked = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(MaskEditTest, TypingFillsThePositionsAndEditingKeysBlankThem) {
  struct Row {
    const char* Name;
    String Mask;
    std::function<void(MaskEditTest&)> Act;
    String EditText;
    Integer Caret;
    Integer Beeps;
  };
  auto Type = [](const char16_t* s) { return [s](MaskEditTest& t) { TestHarness::TypeText(t.Masked, s); }; };
  const Row rows[] = {
      {"literals are skipped", u"00:00;1;_", Type(u"1234"), u"12:34", 5, 0},
      {"a refused character beeps and changes nothing", u"00:00;1;_", Type(u"1a"), u"1_:__", 1, 1},
      {"a typed literal moves past its place", u"99:99;1;_", Type(u"1:2"), u"1_:2_", 4, 0},
      {"typing past the end beeps", u"00;1;_", Type(u"123"), u"12", 2, 1},
      {"case follows the mask", u">LLL", Type(u"abc"), u"ABC", 3, 0},
      {"Backspace blanks the position before the caret",
       u"00:00;1;_",
       [](MaskEditTest& t) {
         TestHarness::TypeText(t.Masked, u"1234");
         t.Key(VK_BACK);
         t.Key(VK_BACK);
       },
       u"12:__", 3, 0},
      {"Delete blanks the position at the caret and moves nothing",
       u"00:00;1;_",
       [](MaskEditTest& t) {
         TestHarness::TypeText(t.Masked, u"1234");
         t.Key(VK_HOME);
         t.Key(VK_DELETE);
       },
       u"_2:34", 0, 0},
      {"typing over a selection blanks it first",
       u"00:00;1;_",
       [](MaskEditTest& t) {
         TestHarness::TypeText(t.Masked, u"1234");
         t.Masked->SetSelStart(1);
         t.Masked->SetSelLength(3);
         TestHarness::TypeText(t.Masked, u"9");
       },
       u"19:_4", 2, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    Masked->SetEditMask(u"");
    Masked->SetText(u"");
    Start(r.Mask);
    const Integer beeps = BeepCount();
    r.Act(*this);
    EXPECT_EQ(Masked->EditText(), r.EditText);
    EXPECT_EQ(Masked->SelStart(), r.Caret);
    EXPECT_EQ(BeepCount() - beeps, r.Beeps);
  }
}

TEST_F(MaskEditTest, TextAndEditTextAndTheChangeEvent) {
  Integer changes = 0;
  Masked->OnChange = [&](TObject*) { ++changes; };
  Start(u"!\\(999\\)000-0000;0;_");
  EXPECT_EQ(Masked->EditText(), u"(___)___-____");
  EXPECT_EQ(Masked->MaxLength(), 0) << "the mask limits the length without a limit of its own";
  changes = 0;
  TestHarness::TypeText(Masked, u"(555)1234567");
  EXPECT_EQ(Masked->EditText(), u"(555)123-4567");
  EXPECT_EQ(Masked->Text(), u"5551234567");
  EXPECT_EQ(changes, 10) << "one change per entered digit, none for the typed literals";
  EXPECT_TRUE(Masked->Modified());
  Masked->SetText(u"0301234567");
  EXPECT_EQ(Masked->EditText(), u"(030)123-4567");
  EXPECT_FALSE(Masked->Modified());
  Masked->SetEditText(u"(1__)___-____");
  EXPECT_EQ(Masked->Text(), u"1         ");
  // A length limit set in code does not cut the positions.
  Masked->SetMaxLength(4);
  Masked->SetSelStart(2);
  TestHarness::TypeText(Masked, u"23");
  EXPECT_EQ(Masked->EditText(), u"(123)___-____");
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheText) {
  Masked->SetText(u"1234");
  Masked->SetEditMask(u"00:00;0;_");
  EXPECT_EQ(Masked->EditText(), u"12:34");
  EXPECT_EQ(Masked->Text(), u"1234");
  Masked->SetEditMask(u"00:00;1;_");
  EXPECT_EQ(Masked->Text(), u"12:34");
  Masked->SetEditMask(u"");
  EXPECT_FALSE(Masked->IsMasked());
  EXPECT_EQ(Masked->Text(), u"12:34");
  // A plain edit again: typing inserts.
  Masked->SetFocus();
  Masked->SetSelStart(0);
  Masked->SetSelLength(0);
  TestHarness::TypeText(Masked, u"x");
  EXPECT_EQ(Masked->Text(), u"x12:34");
}

TEST_F(MaskEditTest, ClipboardKeysWorkOnThePositions) {
  Start(u"00:00;1;_");
  Clipboard()->SetAsText(u"12x4");
  const Integer beeps = BeepCount();
  Masked->PasteFromClipboard();
  EXPECT_EQ(Masked->EditText(), u"12:__") << "the first refused character ends the paste";
  EXPECT_EQ(BeepCount() - beeps, 1);
  Masked->SetSelStart(0);
  Masked->SetSelLength(2);
  Masked->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"12");
  EXPECT_EQ(Masked->EditText(), u"__:__");
}

TEST_F(MaskEditTest, LeavingAModifiedEditWithMissingPositionsRaisesAndKeepsTheFocus) {
  Start(u"00:00;1;_");
  TestHarness::TypeText(Masked, u"1");
  TestHarness::ExpectMessage(kInvalid, mtError);
  Other->SetFocus();
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_TRUE(Masked->Focused());
  EXPECT_EQ(Masked->SelStart(), 1) << "the caret stands on the first missing position";
  // Esc abandons the changes; the edit can then be left.
  Key(VK_ESCAPE);
  EXPECT_EQ(Masked->EditText(), u"__:__");
  EXPECT_FALSE(Masked->Modified());
  Other->SetFocus();
  EXPECT_TRUE(Other->Focused());
  // A complete value passes.
  Start(u"00:00;1;_");
  TestHarness::TypeText(Masked, u"0930");
  Other->SetFocus();
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Masked->Text(), u"09:30");
}

TEST_F(MaskEditTest, EscInADialogReachesAModifiedMaskedEditOnly) {
  Start(u"00;1;_");
  EXPECT_EQ(Masked->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0) << "unmodified: Esc is the dialog's";
  TestHarness::TypeText(Masked, u"4");
  EXPECT_NE(Masked->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 0);
}

TEST_F(MaskEditTest, TheEditRectangleIsKeptAndAnswered) {
  TRect r = Rect(2, 1, 80, 22);
  Masked->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  TRect back;
  Masked->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(back, r);
  Masked->Perform(EM_SETRECT, 0, 0);
  Masked->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(back, Masked->ClientRect());
}

}  // namespace
