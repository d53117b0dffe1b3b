// The standard controls: the change and click rules the dialogs rely on, the clipboard keys in
// edits, Default and Cancel buttons, lines of memos, lists and scroll bars.
#include <gtest/gtest.h>

#include <functional>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

template <class T>
T* Put(TWinControl* parent, Integer left, Integer top) {
  T* c = new T(parent);
  c->SetParent(parent);
  c->SetLeft(left);
  c->SetTop(top);
  return c;
}

// Types into whichever control has the focus, one key at a time.
void TypeToFocused(const String& text) {
  for (Char ch : text) TestHarness::TypeText(FocusedControl(), String(1, ch));
}

TEST(StdCtrls, EditOnChangeFiresForTypingAndForTextSetInCodeButNotForTheSameText) {
  FormHolder f;
  auto* e = Put<TEdit>(f.Form, 10, 10);
  Integer changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText(u"10");
  EXPECT_EQ(changes, 1);
  e->SetText(u"10");
  EXPECT_EQ(changes, 1);
  TestHarness::ShowForm(f.Form);
  e->SetFocus();
  e->SetSelStart(2);
  TestHarness::TypeText(e, u"5");
  EXPECT_EQ(e->Text(), u"105");
  EXPECT_EQ(changes, 2);
}

TEST(StdCtrls, EditMaxLengthCharCaseAndKeyPressFilter) {
  FormHolder f;
  auto* e = Put<TEdit>(f.Form, 10, 10);
  e->SetMaxLength(4);
  e->SetCharCase(ecLowerCase);
  e->OnKeyPress = [](TObject*, Char& k) {
    if (k == u'#') k = 0;
  };
  TestHarness::ShowForm(f.Form);
  e->SetFocus();
  TestHarness::TypeText(e, u"AB#CDE");
  EXPECT_EQ(e->Text(), u"abcd");
  e->SetText(u"XY");
  EXPECT_EQ(e->Text(), u"xy") << "the case applies to text set in code too";
}

// The length limit holds for typing only: a longer text loaded in code stays whole, and the user
// can shorten it but not make it longer again.
TEST(StdCtrls, MaxLengthLimitsTypingButKeepsALongerTextSetInCode) {
  FormHolder f;
  auto* e = Put<TEdit>(f.Form, 10, 10);
  e->SetText(u"0123456789ABCDEFGHIJ");
  e->SetMaxLength(16);
  EXPECT_EQ(e->Text(), u"0123456789ABCDEFGHIJ") << "a new limit cuts nothing";
  e->SetText(u"0123456789abcdefghij");
  EXPECT_EQ(e->Text(), u"0123456789abcdefghij") << "text set in code is not cut";
  TestHarness::ShowForm(f.Form);
  e->SetFocus();
  e->SetSelStart(20);
  TestHarness::TypeText(e, u"K");
  EXPECT_EQ(e->Text(), u"0123456789abcdefghij") << "no typing past the limit";
  TestHarness::Key(e, VK_BACK);
  TestHarness::TypeText(e, u"K");
  EXPECT_EQ(e->Text(), u"0123456789abcdefghi") << "deleting makes no room above the limit";
  e->SetText(u"abc");
  e->SetSelStart(3);
  TestHarness::TypeText(e, u"defghijklmnopqrstuvw");
  EXPECT_EQ(e->Text(), u"abcdefghijklmnop") << "the limit holds again once the text is shorter";
}

TEST(StdCtrls, OctetEditsDiscardTheDotAndMoveTheFocus) {
  FormHolder f;
  auto* ip1 = Put<TEdit>(f.Form, 10, 10);
  auto* ip2 = Put<TEdit>(f.Form, 70, 10);
  auto keyPress = [&](TObject* sender, Char& key) {
    if (key != u'.') return;
    key = 0;
    if (sender == ip1 && ip2->CanFocus()) ip2->SetFocus();
  };
  ip1->OnKeyPress = keyPress;
  ip2->OnKeyPress = keyPress;
  TestHarness::ShowForm(f.Form);
  ip1->SetFocus();
  TypeToFocused(u"192.168.");
  EXPECT_EQ(ip1->Text(), u"192");
  EXPECT_EQ(ip2->Text(), u"168");
  EXPECT_TRUE(ip2->Focused());
}

// An edit that records its clipboard messages.
class TClipEdit : public TEdit {
 public:
  using TEdit::TEdit;
  std::vector<UINT> Seen;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_COPY || m.Msg == WM_PASTE || m.Msg == WM_CUT) Seen.push_back(m.Msg);
    TEdit::WndProc(m);
  }
};

TEST(StdCtrls, ClipboardKeysInEditsGoThroughTheirMessages) {
  FormHolder f;
  auto* e = Put<TClipEdit>(f.Form, 10, 10);
  TestHarness::ShowForm(f.Form);
  e->SetFocus();
  e->SetText(u"hello world");
  e->SetSelStart(0);
  e->SetSelLength(5);
  EXPECT_EQ(e->SelText(), u"hello");
  TestHarness::Key(e, 'C', TShiftState(ssCtrl));
  EXPECT_EQ(Clipboard()->AsText(), u"hello");
  TestHarness::Key(e, 'X', TShiftState(ssCtrl));
  EXPECT_EQ(e->Text(), u" world");
  Clipboard()->SetAsText(u"bye\r\nsecond line");
  e->SetSelStart(0);
  TestHarness::Key(e, 'V', TShiftState(ssCtrl));
  EXPECT_EQ(e->Text(), u"bye world") << "a one-line edit pastes the first line";
  EXPECT_EQ(e->Seen, (std::vector<UINT>{WM_COPY, WM_CUT, WM_COPY, WM_PASTE}));
  e->SelectAll();
  EXPECT_EQ(e->SelLength(), 9);
}

TEST(StdCtrls, ComboOnChangeFiresOnTheUsersChoiceOnly) {
  FormHolder f;
  auto* cb = Put<TComboBox>(f.Form, 10, 10);
  cb->SetStyle(csDropDownList);
  cb->Items()->Add(u"Auto Baudrate");
  cb->Items()->Add(u"9600");
  cb->Items()->Add(u"19200");
  std::vector<std::string> events;
  cb->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(cb->ItemIndex())); };
  cb->OnSelect = [&](TObject*) { events.push_back("select"); };
  cb->SetItemIndex(0);
  cb->SetText(u"19200");
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_EQ(cb->Text(), u"19200");
  EXPECT_TRUE(events.empty()) << "code changes fire nothing";
  TestHarness::ShowForm(f.Form);
  cb->SetFocus();
  TestHarness::Key(cb, VK_UP);
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"change 1", "select"}));
  // A list filled again keeps no stale selection beyond its end.
  cb->Items()->Clear();
  EXPECT_EQ(cb->ItemIndex(), -1);
  cb->SetItemIndex(5);
  EXPECT_EQ(cb->ItemIndex(), -1);
}

TEST(StdCtrls, CheckBoxOnClickFiresWhenCheckedIsSetInCodeAndOnTheUsersToggle) {
  FormHolder f;
  auto* cb = Put<TCheckBox>(f.Form, 10, 10);
  cb->SetCaption(u"Gateway");
  Integer clicks = 0;
  cb->OnClick = [&](TObject*) { ++clicks; };
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  cb->SetChecked(true);
  EXPECT_EQ(clicks, 1) << "no change, no click";
  TestHarness::ShowForm(f.Form);
  TestHarness::Click(cb);
  EXPECT_FALSE(cb->Checked());
  EXPECT_EQ(clicks, 2);
  TestHarness::Key(cb, VK_SPACE);
  EXPECT_TRUE(cb->Checked());
  EXPECT_EQ(clicks, 3);
}

TEST(StdCtrls, RadioButtonsBesideEachOtherAreExclusive) {
  FormHolder f;
  auto* a = Put<TRadioButton>(f.Form, 10, 10);
  auto* b = Put<TRadioButton>(f.Form, 10, 30);
  Integer clicksA = 0;
  a->OnClick = [&](TObject*) { ++clicksA; };
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_EQ(clicksA, 1) << "unchecking by a sibling fires nothing";
}

struct DialogKeys : ::testing::Test {
  FormHolder f;
  TEdit* edit = nullptr;
  TMemo* memo = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  std::vector<std::string> clicks;
  void SetUp() override {
    edit = Put<TEdit>(f.Form, 10, 10);
    memo = Put<TMemo>(f.Form, 10, 40);
    ok = Put<TButton>(f.Form, 200, 200);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = Put<TButton>(f.Form, 280, 200);
    cancel->SetCaption(u"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    ok->OnClick = [this](TObject*) { clicks.push_back("ok"); };
    cancel->OnClick = [this](TObject*) { clicks.push_back("cancel"); };
  }
};

TEST_F(DialogKeys, EnterPressesTheDefaultButtonUnlessTheFocusedControlWantsIt) {
  TestHarness::ExpectModal(u"TTestForm", [this](TCustomForm& form) {
    memo->SetFocus();
    TestHarness::Key(memo, VK_RETURN);
    EXPECT_EQ(form.ModalResult(), mrNone) << "the memo took Enter";
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(memo->Lines()->Count(), 1) << "a line break went into the memo";
    edit->SetFocus();
    TestHarness::Key(edit, VK_RETURN);
  });
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
}

TEST_F(DialogKeys, EscPressesTheCancelButton) {
  TestHarness::ExpectModal(u"TTestForm", [this](TCustomForm&) {
    edit->SetFocus();
    TestHarness::Key(edit, VK_ESCAPE);
  });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(DialogKeys, EnterOnAFocusedButtonPressesThatButton) {
  TestHarness::ExpectModal(u"TTestForm", [this](TCustomForm&) {
    cancel->SetFocus();
    TestHarness::Key(cancel, VK_RETURN);
  });
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(DialogKeys, AClickOnAButtonClosesTheDialogWithItsModalResult) {
  TestHarness::ExpectModal(u"TTestForm", [this](TCustomForm&) { TestHarness::Click(ok); });
  EXPECT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(ok->ClassName(), u"TButton");
}

TEST(StdCtrls, MemoLinesJoinWithCrLf) {
  FormHolder f;
  auto* m = Put<TMemo>(f.Form, 10, 10);
  m->Lines()->Add(u"first");
  m->Lines()->Add(u"second");
  EXPECT_EQ(m->Text(), u"first\r\nsecond");
  EXPECT_EQ(m->Lines()->Count(), 2);
  m->SetText(u"a\nb\r\nc\r\n");
  EXPECT_EQ(m->Lines()->Count(), 3);
  EXPECT_EQ(m->Lines()->Get(2), u"c");
  m->Lines()->Clear();
  EXPECT_EQ(m->Lines()->Count(), 0);
  EXPECT_THROW(m->Lines()->Get(0), EStringListError);
}

// A memo's MaxLength holds for typing and pasting, a line break counting as CR LF; text set in
// code is kept whole.
TEST(StdCtrls, MemoMaxLengthLimitsTypingAndPastingWithALineBreakCountingTwice) {
  FormHolder f;
  auto* m = Put<TMemo>(f.Form, 10, 10);
  m->SetMaxLength(6);
  TestHarness::ShowForm(f.Form);
  m->SetFocus();
  TestHarness::TypeText(m, u"abcdefgh");
  EXPECT_EQ(m->Text(), u"abcdef");
  m->SelectAll();
  TestHarness::TypeText(m, u"xyz");
  EXPECT_EQ(m->Text(), u"xyz") << "typing over a selection makes room";
  m->SetSelStart(3);
  TestHarness::Key(m, VK_RETURN);
  EXPECT_EQ(m->Text(), u"xyz\r\n") << "the line break takes two places";
  TestHarness::TypeText(m, u"12");
  EXPECT_EQ(m->Text(), u"xyz\r\n1");
  TestHarness::Key(m, VK_RETURN);
  EXPECT_EQ(m->Text(), u"xyz\r\n1") << "no room for a second line break";
  m->Clear();
  Clipboard()->SetAsText(u"123\r\n456");
  m->PasteFromClipboard();
  EXPECT_EQ(m->Text(), u"123\r\n4") << "a paste is cut where the room ends";
  m->Clear();
  Clipboard()->SetAsText(u"12345\r\n6");
  m->PasteFromClipboard();
  EXPECT_EQ(m->Text(), u"12345") << "a line break is not cut in half";
  m->SetText(u"0123456789");
  EXPECT_EQ(m->Text(), u"0123456789") << "text set in code is not cut";
}

TEST(StdCtrls, ListBoxClickFollowsTheSelection) {
  FormHolder f;
  auto* lb = Put<TListBox>(f.Form, 10, 10);
  lb->Items()->Add(u"one");
  lb->Items()->Add(u"two");
  Integer clicks = 0;
  lb->OnClick = [&](TObject*) { ++clicks; };
  lb->SetItemIndex(1);
  EXPECT_EQ(lb->ItemIndex(), 1);
  EXPECT_EQ(clicks, 0);
  TestHarness::ShowForm(f.Form);
  lb->SetFocus();
  TestHarness::Key(lb, VK_UP);
  EXPECT_EQ(lb->ItemIndex(), 0);
  EXPECT_EQ(clicks, 1);
}

TEST(StdCtrls, ListBoxFocusSelectsNothingAndADoubleClickReachesOnDblClick) {
  FormHolder f;
  auto* other = Put<TEdit>(f.Form, 10, 120);
  auto* lb = Put<TListBox>(f.Form, 10, 10);
  lb->Items()->Add(u"one");
  lb->Items()->Add(u"two");
  Integer clicks = 0, doubles = 0;
  lb->OnClick = [&](TObject*) { ++clicks; };
  lb->OnDblClick = [&](TObject*) { ++doubles; };
  TestHarness::ShowForm(f.Form);
  other->SetFocus();
  lb->SetFocus();
  EXPECT_EQ(lb->ItemIndex(), -1) << "taking the focus selects no item";
  EXPECT_EQ(clicks, 0);
  Integer y = 0;
  while (y < lb->Height() && lb->ItemAtPos(TPoint(5, y), true) != 1) ++y;
  ASSERT_LT(y, lb->Height()) << "the second item is on screen";
  TestHarness::DoubleClick(lb, TPoint(5, y + 1));
  EXPECT_EQ(lb->ItemIndex(), 1);
  EXPECT_EQ(doubles, 1);
}

TEST(StdCtrls, ScrollBarArrowsScrollThroughTheParentAndReportCodes) {
  FormHolder f;
  auto* sb = Put<TScrollBar>(f.Form, 10, 10);
  sb->SetKind(sbVertical);
  sb->SetBounds(10, 10, 17, 200);
  sb->SetParams(0, 0, 10);
  std::vector<Integer> codes;
  sb->OnScroll = [&](TObject*, TScrollCode code, Integer&) { codes.push_back(code); };
  Integer changes = 0;
  sb->OnChange = [&](TObject*) { ++changes; };
  TestHarness::ShowForm(f.Form);
  TestHarness::Click(sb, TPoint(8, 195));
  EXPECT_EQ(sb->Position(), 1);
  TestHarness::Click(sb, TPoint(8, 3));
  EXPECT_EQ(sb->Position(), 0);
  TestHarness::Click(sb, TPoint(8, 3));
  EXPECT_EQ(sb->Position(), 0) << "clamped at Min";
  EXPECT_EQ(codes, (std::vector<Integer>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL}));
  EXPECT_EQ(changes, 2);
}

TEST(StdCtrls, LabelSizesItselfToItsCaption) {
  FormHolder f;
  auto* l = new TLabel(f.Form);
  l->SetParent(f.Form);
  l->SetCaption(u"Step 1");
  Integer w1 = l->Width();
  l->SetCaption(u"Step 1 and more");
  EXPECT_GT(l->Width(), w1);
  EXPECT_GT(l->Height(), 5);
  l->SetAutoSize(false);
  l->SetWidth(10);
  l->SetCaption(u"Other text");
  EXPECT_EQ(l->Width(), 10);
}

// A form whose label gets its caption while the form is being built.
class TLabelForm : public TForm {
 public:
  explicit TLabelForm(TComponent* owner) : TForm(owner) {
    Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetCaption(u"None Configuration Opened ");
  }
  TLabel* Label;
};

TEST(StdCtrls, ALabelCaptionedWhileItsFormIsBuiltSizesItselfWhenTheFormIsComplete) {
  TApplication app(nullptr);
  TLabelForm* f = nullptr;
  app.CreateForm(f);
  TLabel probe(nullptr);
  probe.SetCaption(u"None Configuration Opened ");
  EXPECT_EQ(f->Label->Width(), probe.Width());
  EXPECT_GT(f->Label->Width(), 65);
}

}  // namespace

namespace {

TEST(Clipboard, CustomFormatsTravelBesideTheText) {
  TClipboardFormat cells = RegisterClipboardFormat(u"TExStringGrid Cells");
  EXPECT_EQ(RegisterClipboardFormat(u"TExStringGrid Cells"), cells);
  EXPECT_GE(cells, 0xC000);
  Clipboard()->Open();
  Clipboard()->SetAsText(u"a\tb");
  Clipboard()->SetData(cells, {1, 2, 3});
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), u"a\tb");
  EXPECT_TRUE(Clipboard()->HasFormat(cells));
  EXPECT_EQ(Clipboard()->GetData(cells), (std::vector<Byte>{1, 2, 3}));
  Clipboard()->SetAsText(u"only text");
  EXPECT_FALSE(Clipboard()->HasFormat(cells)) << "a new content replaces the old";
}

}  // namespace

namespace {

TEST(StdCtrls, TypingInADropDownComboChangesItsTextAndFiresOnChange) {
  FormHolder f;
  auto* cb = new TComboBox(f.Form);
  cb->SetParent(f.Form);
  cb->Items()->Add(u"Topic/A");
  Integer changes = 0;
  cb->OnChange = [&](TObject*) { ++changes; };
  cb->SetText(u"Top");
  EXPECT_EQ(changes, 0);
  TestHarness::ShowForm(f.Form);
  cb->SetFocus();
  cb->SelectAll();
  TestHarness::TypeText(cb, u"xy");
  EXPECT_EQ(cb->Text(), u"xy");
  EXPECT_EQ(changes, 2);
}

// A drop-down combo box that is not on the screen builds its editor when it is first shown; built
// so on a hidden form it must end as one built on the screen, whatever was done to it before.
TEST(StdCtrls, ADropDownComboBuiltHiddenEndsAsOneBuiltOnTheScreen) {
  struct Row {
    const char* name;
    std::function<void(TComboBox*)> build;
  } rows[] = {
      {"items, then an index", [](TComboBox* cb) {
         cb->Items()->Add(u"a");
         cb->Items()->Add(u"b");
         cb->SetItemIndex(1);
       }},
      {"text, then items", [](TComboBox* cb) {
         cb->SetText(u"free");
         cb->Items()->Add(u"a");
       }},
      {"an index, then other items", [](TComboBox* cb) {
         cb->Items()->Add(u"a");
         cb->Items()->Add(u"b");
         cb->SetItemIndex(1);
         cb->Items()->Clear();
         cb->Items()->Add(u"x");
         cb->Items()->Add(u"y");
       }},
      {"the style set twice", [](TComboBox* cb) {
         cb->SetStyle(csDropDown);
         cb->Items()->Add(u"a");
       }},
      {"a list, then a drop-down again", [](TComboBox* cb) {
         cb->SetStyle(csDropDownList);
         cb->Items()->Add(u"a");
         cb->SetItemIndex(0);
         cb->SetStyle(csDropDown);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    struct TOutcome {
      String Text, Typed;
      Integer Index = -2, Changes = 0;
    } outcome[2];
    for (int shownFirst = 0; shownFirst < 2; ++shownFirst) {
      FormHolder f;
      if (shownFirst) TestHarness::ShowForm(f.Form);
      auto* cb = Put<TComboBox>(f.Form, 10, 10);
      row.build(cb);
      TOutcome& o = outcome[shownFirst];
      o.Text = cb->Text();
      o.Index = cb->ItemIndex();
      cb->OnChange = [&o](TObject*) { ++o.Changes; };
      if (!shownFirst) TestHarness::ShowForm(f.Form);
      cb->SetFocus();
      cb->SelectAll();
      TestHarness::TypeText(cb, u"qr");
      o.Typed = cb->Text();
    }
    EXPECT_EQ(outcome[0].Text, outcome[1].Text);
    EXPECT_EQ(outcome[0].Index, outcome[1].Index);
    EXPECT_EQ(outcome[0].Typed, u"qr");
    EXPECT_EQ(outcome[1].Typed, u"qr");
    // One change for each character typed, however often the style was set.
    EXPECT_EQ(outcome[0].Changes, 2);
    EXPECT_EQ(outcome[1].Changes, 2);
  }
}

}  // namespace

namespace {

// A disabled control takes no clicks, nor does a control inside a disabled panel; enabled again,
// it does.
TEST(StdCtrls, DisabledControlsAndTheControlsOfADisabledPanelTakeNoClicks) {
  FormHolder f;
  auto* label = Put<TLabel>(f.Form, 10, 10);
  label->SetCaption(u"Label text");
  auto* image = new TImage(f.Form);
  image->SetParent(f.Form);
  image->SetBounds(150, 10, 40, 40);
  auto* check = Put<TCheckBox>(f.Form, 10, 60);
  auto* panel = new TPanel(f.Form);
  panel->SetParent(f.Form);
  panel->SetBounds(10, 100, 200, 60);
  auto* inner = new TButton(panel);
  inner->SetParent(panel);
  inner->SetBounds(10, 10, 75, 25);
  std::vector<std::string> clicks;
  label->OnClick = [&](TObject*) { clicks.push_back("label"); };
  image->OnClick = [&](TObject*) { clicks.push_back("image"); };
  check->OnClick = [&](TObject*) { clicks.push_back("check"); };
  panel->OnClick = [&](TObject*) { clicks.push_back("panel"); };
  inner->OnClick = [&](TObject*) { clicks.push_back("button"); };
  label->SetEnabled(false);
  image->SetEnabled(false);
  check->SetEnabled(false);
  panel->SetEnabled(false);
  TestHarness::ShowForm(f.Form);
  TestHarness::Click(label);
  TestHarness::Click(image);
  TestHarness::Click(check);
  TestHarness::Click(panel, TPoint(150, 30));
  TestHarness::Click(inner);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(check->Checked());
  label->SetEnabled(true);
  panel->SetEnabled(true);
  TestHarness::Click(label);
  TestHarness::Click(inner);
  EXPECT_EQ(clicks, (std::vector<std::string>{"label", "button"}));
}

}  // namespace
