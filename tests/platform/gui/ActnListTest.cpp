// Actions and their links: what a linked control takes from its action, when later changes reach
// it, the click that runs the action, groups of checked actions and an action that goes away.
#include "platform/gui/ActnList.h"

#include <gtest/gtest.h>

#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

TEST(Actions, ALinkedControlTakesTheActionAndFollowsItWhileItShowsTheSame) {
  FormHolder f;
  TAction action(nullptr);
  action.SetCaption(u"Save");
  action.SetHint(u"Save the file");
  action.SetEnabled(false);
  auto* linked = new TButton(f.Form);
  linked->SetParent(f.Form);
  auto* own = new TButton(f.Form);
  own->SetParent(f.Form);
  own->SetCaption(u"Keep");
  own->SetHint(u"Mine");
  linked->SetAction(&action);
  own->SetAction(&action);
  // Linking fills what the control shows by default, and keeps what it set itself.
  EXPECT_EQ(linked->Caption(), u"Save");
  EXPECT_EQ(linked->Hint(), u"Save the file");
  EXPECT_FALSE(linked->Enabled());
  EXPECT_EQ(own->Caption(), u"Keep");
  EXPECT_EQ(own->Hint(), u"Mine");
  EXPECT_FALSE(own->Enabled());
  // Later changes reach a control that shows the action's present value.
  action.SetCaption(u"Save all");
  action.SetEnabled(true);
  action.SetVisible(false);
  EXPECT_EQ(linked->Caption(), u"Save all");
  EXPECT_EQ(own->Caption(), u"Keep");
  EXPECT_TRUE(linked->Enabled());
  EXPECT_TRUE(own->Enabled());
  EXPECT_FALSE(linked->Visible());
  EXPECT_EQ(linked->Action(), &action);
}

TEST(Actions, AClickRunsTheActionUnlessTheControlHasItsOwnOnClick) {
  FormHolder f;
  TAction action(nullptr);
  Integer runs = 0;
  action.OnExecute = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &action);
    ++runs;
  };
  auto* b = new TButton(f.Form);
  b->SetParent(f.Form);
  b->SetBounds(10, 10, 80, 24);
  b->SetAction(&action);
  TestHarness::ShowForm(f.Form);
  TestHarness::Click(b);
  EXPECT_EQ(runs, 1);
  // A disabled action does not run.
  action.SetEnabled(false);
  b->SetEnabled(true);
  b->Click();
  EXPECT_EQ(runs, 1);
  action.SetEnabled(true);
  bool own = false;
  b->OnClick = [&](TObject*) { own = true; };
  TestHarness::Click(b);
  EXPECT_TRUE(own);
  EXPECT_EQ(runs, 1);
}

TEST(Actions, CheckingAnActionOfAGroupUnchecksTheOthersOfItsList) {
  TActionList list(nullptr);
  TAction a(nullptr), b(nullptr), c(nullptr);
  for (TAction* x : {&a, &b}) {
    x->SetGroupIndex(1);
    x->SetActionList(&list);
  }
  c.SetActionList(&list);
  a.SetChecked(true);
  c.SetChecked(true);
  b.SetChecked(true);
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(c.Checked()) << "no group";
  EXPECT_EQ(list.ActionCount(), 3);
}

TEST(Actions, AnActionThatGoesAwayLeavesItsControlsUnlinked) {
  FormHolder f;
  auto* b = new TButton(f.Form);
  b->SetParent(f.Form);
  {
    TAction action(nullptr);
    b->SetAction(&action);
    ASSERT_EQ(b->Action(), &action);
  }
  EXPECT_EQ(b->Action(), nullptr);
  b->Click();  // nothing to run
  TAction other(nullptr);
  b->SetAction(&other);
  b->SetAction(nullptr);
  EXPECT_EQ(b->ActionLink(), nullptr);
}

}  // namespace
