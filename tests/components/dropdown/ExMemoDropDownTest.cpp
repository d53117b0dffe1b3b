// The memo drop-down on a form: the one-line summary in the field, closing kept and cancelled,
// AutoDrop, typing into the field, and the keys the popup memo keeps.
#include "components/dropdown/ExMemoDropDown.h"

#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class ExMemoDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Memo = new TExMemoDropDown(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(10, 10, 100, 21);
    Memo->SetEditorEnabled(false);
  }
  void TearDown() override { TComponent::Free(Form); }

  void SetLines(const String& Text) {
    TStringList L;
    L.SetText(Text);
    Memo->SetMemoText(&L);
  }
  String Lines() const { return Memo->MemoText()->Text(); }
  // The room the field's text has.
  Integer Room() const { return Memo->FormattingRect().Width(); }

  TForm* Form = nullptr;
  TExMemoDropDown* Memo = nullptr;
};

TEST_F(ExMemoDropDownTest, FieldShowsAOneLineSummary) {
  SetLines(u"abc\r\ndef");
  EXPECT_EQ(Memo->EditText(), u"abc...");
  SetLines(u"abc");
  EXPECT_EQ(Memo->EditText(), u"abc");
  SetLines(u"");
  EXPECT_EQ(Memo->EditText(), u"");

  const String Long = u"a rather long first line that cannot fit";
  SetLines(Long + u"\r\nsecond");
  const String Shown = Memo->EditText();
  ASSERT_GE(Shown.size(), 4u);
  EXPECT_EQ(Shown.substr(Shown.size() - 3), u"...");
  EXPECT_EQ(Long.substr(0, Shown.size() - 3), Shown.substr(0, Shown.size() - 3));
  TCanvas C;
  C.Font()->Assign(Memo->Font());
  EXPECT_LT(C.TextWidth(Shown), Room());
}

TEST_F(ExMemoDropDownTest, SummaryRoutineWithoutAWindow) {
  TCanvas C;
  TStringList L;
  L.SetText(u"one\r\ntwo");
  EXPECT_EQ(MemoSummaryText(&C, &L, 1000, false), u"one...");
  EXPECT_EQ(MemoSummaryText(&C, &L, 1000, true), u"one\r\ntwo");
  L.Clear();
  EXPECT_EQ(MemoSummaryText(&C, &L, 1000, false), u"");
}

TEST_F(ExMemoDropDownTest, EscRestoresTheTextLastWrittenThroughText) {
  Memo->SetText(u"cell text");
  EXPECT_EQ(Lines(), u"cell text\r\n");
  Memo->ShowDropDown();
  ASSERT_NE(Memo->Memo(), nullptr);
  EXPECT_EQ(Memo->Memo()->Text(), u"cell text");
  Memo->Memo()->SetText(u"edited\r\nmore");
  Memo->HideDropDown(true);
  EXPECT_EQ(Lines(), u"cell text\r\n");
  EXPECT_EQ(Memo->EditText(), u"cell text");
}

TEST_F(ExMemoDropDownTest, EscOnAFieldNeverWrittenThroughTextKeepsTheText) {
  SetLines(u"keep\r\nme");
  Memo->ShowDropDown();
  Memo->Memo()->SetText(u"edited");
  Memo->HideDropDown(true);
  EXPECT_EQ(Lines(), u"keep\r\nme\r\n");
  EXPECT_EQ(Memo->EditText(), u"keep...");
}

TEST_F(ExMemoDropDownTest, ClosingKeepsTheEdits) {
  SetLines(u"old");
  Integer MemoChanges = 0;
  Memo->OnMemoChange = [&](TObject*) { ++MemoChanges; };
  Memo->ShowDropDown();
  Memo->Memo()->SetText(u"new\r\nlines");
  EXPECT_GT(MemoChanges, 0);
  Memo->HideDropDown(false);
  EXPECT_EQ(Lines(), u"new\r\nlines\r\n");
  EXPECT_EQ(Memo->EditText(), u"new...");
  EXPECT_EQ(Memo->SelStart(), 0);
  EXPECT_EQ(Memo->SelLength(), 0);
}

TEST_F(ExMemoDropDownTest, AutoDropOpensOnFocusAndClosingDoesNotReopen) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 100, 100, 21);
  Other->SetFocus();
  TestHarness::ProcessEvents();
  Memo->SetTabStop(true);
  Memo->SetAutoDrop(true);
  Memo->SetFocus();
  TestHarness::ProcessEvents();
  ASSERT_TRUE(Memo->DroppedDown());
  Memo->HideDropDown(false);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Memo->DroppedDown());
  EXPECT_TRUE(Memo->AutoDrop());
}

TEST_F(ExMemoDropDownTest, TypingShowsAndReplacesTheWholeText) {
  Memo->SetEditorEnabled(true);
  SetLines(u"abc\r\ndef");
  EXPECT_EQ(Lines(), u"abc\r\ndef\r\n");
  Memo->SetText(u"typed");
  EXPECT_EQ(Lines(), u"typed\r\n");
}

TEST_F(ExMemoDropDownTest, TheMemoKeepsItsKeys) {
  Memo->SetMemoReadOnly(true);
  Memo->ShowDropDown();
  EXPECT_TRUE(Memo->Memo()->ReadOnly());
  Memo->SetMemoReadOnly(false);
  EXPECT_FALSE(Memo->Memo()->ReadOnly()) << "follows at once while open";
  Word Key = VK_RETURN;
  Memo->ControlKeyDown(Key, TShiftState());
  EXPECT_TRUE(Memo->DroppedDown()) << "Enter stays in the memo";
  Key = VK_ESCAPE;
  Memo->ControlKeyDown(Key, TShiftState());
  EXPECT_FALSE(Memo->DroppedDown()) << "Esc reaches the field and closes";
}

}  // namespace
