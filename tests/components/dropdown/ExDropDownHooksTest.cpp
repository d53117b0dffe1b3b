// The points where a specialisation joins the drop-down editor base: its CreateDropDownForm runs
// before its other hooks at the first opening, a close from code keeps the value although hiding
// the popup takes its activation away, and characters reach the specialisation before the typed
// entry of the edit type, Enter included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/dropdown/ExDropDown.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A specialisation that makes its hosted panel in CreateDropDownForm and records the order in
// which its hooks run.
class THookedDropDown : public TExCustomDropDown {
 public:
  explicit THookedDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner) {}
  String ClassName() const override { return u"THookedDropDown"; }

  void CreateDropDownForm() override {
    TExCustomDropDown::CreateDropDownForm();
    Log.push_back("create");
    if (!DropDownForm()) return;
    if (!Panel) {
      Panel = new TPanel(this);
      Panel->SetParent(DropDownForm());
      Panel->SetBounds(0, 0, 150, 90);
    }
    SetControl(Panel);
  }
  void BeforeDropDown() override {
    TExCustomDropDown::BeforeDropDown();
    Log.push_back(Panel && Control() == Panel ? "before, panel hosted" : "before, no panel");
  }
  void BeforeTypedEntry(Char& Key) override {
    Seen += Key;
    if (Key == u'x') Key = u'5';  // changed
    if (Key == u'+') Key = 0;     // acted on and dropped
  }
  void KeyPress(Char& Key) override {
    Pressed += Key;
    TExCustomDropDown::KeyPress(Key);
  }

  TPanel* Panel = nullptr;
  std::vector<std::string> Log;
  String Seen;
  String Pressed;
};

class DropDownHooksTest : public testing::Test {
 protected:
  void SetUp() override {
    ClearKeyboardState();
    SetDropDownScreen({[] { return 1080; }, [](TPoint) { return TRect(0, 0, 1920, 1040); }});
    Form = new TForm(Application);
    Form->SetCaption(u"DropDownHooks");
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    SetDropDownScreen({});
    ClearKeyboardState();
  }
  THookedDropDown* NewEdit() {
    auto* e = new THookedDropDown(Form);
    e->SetParent(Form);
    e->SetBounds(10, 10, 200, 21);
    return e;
  }
  static void Type(TWinControl* C, const String& Chars) {
    for (Char ch : Chars) TestHarness::SendKeyStroke(C, 0, TShiftState(), String(1, ch));
  }

  TForm* Form = nullptr;
};

}  // namespace

TEST_F(DropDownHooksTest, TheSpecialisationsCreateDropDownFormRunsBeforeItsOtherHooks) {
  THookedDropDown* e = NewEdit();
  EXPECT_TRUE(e->Log.empty()) << "the base constructor reaches only the base's version";
  EXPECT_EQ(e->Panel, nullptr);
  e->ShowDropDown();
  ASSERT_TRUE(e->DropDownForm()->Visible());
  EXPECT_EQ(e->Log, (std::vector<std::string>{"create", "before, panel hosted"}));
  EXPECT_EQ(e->Panel->Parent(), e->DropDownForm());
  EXPECT_EQ(e->DropDownForm()->Width(), 150) << "the popup takes the hosted panel's width";
  TPanel* first = e->Panel;
  e->HideDropDown(false);
  e->Log.clear();
  e->ShowDropDown();
  EXPECT_EQ(e->Log, (std::vector<std::string>{"create", "before, panel hosted"}));
  EXPECT_EQ(e->Panel, first) << "the controls are made once";
  e->HideDropDown(false);

  e->Log.clear();
  e->SetEnabled(false);
  e->ShowDropDown();
  EXPECT_TRUE(e->Log.empty()) << "an opening that does not happen creates nothing";
}

TEST_F(DropDownHooksTest, ClosingFromCodeKeepsTheValueThoughHidingTakesTheActivationAway) {
  TestHarness::ShowForm(Form);
  THookedDropDown* e = NewEdit();
  std::vector<bool> closes;
  e->OnDropUp = [&](TObject*, bool Cancelled) { closes.push_back(Cancelled); };
  e->SetText(u"old");
  e->ShowDropDown();
  ASSERT_TRUE(e->DropDownForm()->Active()) << "the open popup holds the activation";
  e->SetRawText(u"picked");
  e->HideDropDown(false);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(e->DropDownForm()->Visible());
  EXPECT_EQ(e->Text(), u"picked");
  EXPECT_EQ(closes, std::vector<bool>{false}) << "one close, not cancelled";
}

TEST_F(DropDownHooksTest, CharactersReachTheSpecialisationBeforeTheTypedEntry) {
  TestHarness::ShowForm(Form);
  THookedDropDown* e = NewEdit();
  e->SetEditType(etNumeric);
  e->SetRawText(u"");
  Type(e, u"1+x;");
  EXPECT_EQ(e->Seen, u"1+x;") << "also the characters the numeric entry refuses";
  EXPECT_EQ(e->Text(), u"15") << "a changed character is typed as changed, a dropped one not at all";

  e->SetEditorEnabled(false);
  e->Seen.clear();
  Type(e, u"7");
  EXPECT_EQ(e->Seen, u"") << "a field that cannot be edited types nothing";
}

TEST_F(DropDownHooksTest, EnterReachesTheSpecialisationsKeyPress) {
  TestHarness::ShowForm(Form);
  THookedDropDown* e = NewEdit();
  String eventKeys;
  e->OnKeyPress = [&](TObject*, Char& Key) { eventKeys += Key; };
  TestHarness::SendKeyStroke(e, VK_RETURN, TShiftState(), u"\r");
  EXPECT_EQ(e->Pressed, u"\r");
  EXPECT_EQ(eventKeys, u"\r") << "the base's key press still fires the event";
}
