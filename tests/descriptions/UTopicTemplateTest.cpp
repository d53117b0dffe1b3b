// The template editor: its texts by what is edited, the empty keyword list, and the text handed
// back on OK but not on Cancel.
#include "descriptions/UTopicTemplate.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "components/grid/ExGrid.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Expect_Layout;
using desc_test::TFormHolder;

namespace {

class UTopicTemplate : public desc_test::TDescFormsTest {
 protected:
  void SetUp() override {
    TDescFormsTest::SetUp();
    TestHarness::UseFakeClock(true);
  }
  void TearDown() override {
    TestHarness::UseFakeClock(false);
    TDescFormsTest::TearDown();
  }
  // What the topic tables do with a cell: hand its text over, show, take the text back on OK.
  static String Edit(TFTopicTemplate* Form, Integer Kind, const String& Cell,
                     std::function<void(TFTopicTemplate*)> Script) {
    Form->TopicTemplate = Kind;
    Form->RE_TopicTemplate->Clear();
    Form->RE_TopicTemplate->SetText(Cell);
    TestHarness::ExpectModal(u"TFTopicTemplate", [&](TCustomForm&) { Script(Form); });
    return Form->ShowModal() == mrOk ? Form->RE_TopicTemplate->Text() : Cell;
  }
};

TEST_F(UTopicTemplate, CreationSetsTheTextsAndTheLayout) {
  TFormHolder<TFTopicTemplate> form;
  EXPECT_EQ(form->Caption(), u"Set Topic");
  EXPECT_EQ(form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"Set Topic");
  EXPECT_EQ(form->L_List_Keywords->Caption(), u"List of keywords");
  EXPECT_EQ(form->ESG_Keywords->Cells(0, 0), u"Keyword");
  EXPECT_EQ(form->ESG_Keywords->Cells(1, 0), u"Description of Keyword");
  EXPECT_EQ(form->Btn_OK->Caption(), u"OK");
  EXPECT_EQ(form->Btn_Cancel->Caption(), u"Cancel");
  EXPECT_EQ(form->ClientWidth(), 635);
  EXPECT_EQ(form->ClientHeight(), 396);
  EXPECT_EQ(form->ESG_Keywords->ColWidths(0), 200);
  EXPECT_EQ(form->ESG_Keywords->ColWidths(1), 380);
  EXPECT_EQ(form->ESG_Keywords->RowHeights(0), 22);
  EXPECT_EQ(form->ESG_Keywords->FixedCols(), 0);
  Expect_Layout({{"P_Title", form->P_Title, 0, 0, 635, 69, true},
                 {"P_Button", form->P_Button, 0, 356, 635, 40, true},
                 {"P_Legend", form->P_Legend, 0, 248, 635, 108, true},
                 {"Splitter1", form->Splitter1, 0, 244, 635, 4, true},
                 {"Panel1", form->Panel1, 0, 69, 635, 175, true},
                 {"RE_TopicTemplate", form->RE_TopicTemplate, 0, 0, 635, 175, true},
                 {"ESG_Keywords", form->ESG_Keywords, 8, 20, 619, 84, true},
                 {"Btn_OK", form->Btn_OK, 391, 6, 110, 28, true},
                 {"Btn_Cancel", form->Btn_Cancel, 509, 6, 110, 28, true}});
}

TEST_F(UTopicTemplate, CaptionFollowsWhatIsEditedAndTheKeywordListIsEmpty) {
  TFormHolder<TFTopicTemplate> form;
  const struct {
    const char* Name;
    Integer Kind;
    const char16_t* Caption;
  } cases[] = {{"template", 1, u"Set Template"}, {"topic", 0, u"Set Topic"}, {"template again", 1, u"Set Template"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit(form.Form, c.Kind, u"x", [&](TFTopicTemplate* F) {
      EXPECT_EQ(F->Caption(), String(c.Caption));
      EXPECT_EQ(F->L_SW_Desc->Caption(), String(c.Caption));
      EXPECT_EQ(F->ESG_Keywords->RowCount(), 2);
      EXPECT_EQ(F->ESG_Keywords->Cells(0, 1), u"");
      EXPECT_FALSE(F->ESG_Keywords->ReadOnly(0, 1));
      EXPECT_TRUE(F->ESG_Keywords->ReadOnly(1, 1));
      EXPECT_TRUE(F->RE_TopicTemplate->Focused());
      // Something typed into the keyword cell does not survive to the next showing.
      F->ESG_Keywords->SetCells(0, 1, u"typed");
      F->SetModalResult(mrCancel);
    });
  }
}

TEST_F(UTopicTemplate, OkHandsTheTextBackAndCancelKeepsTheCell) {
  TFormHolder<TFTopicTemplate> form;
  const struct {
    const char* Name;
    const char16_t* Typed;
    TFadeButton* TFTopicTemplate::*Button;
    const char16_t* Cell_After;
  } cases[] = {
      {"OK with a new text", u"{\"t\":$VALUE$}", &TFTopicTemplate::Btn_OK, u"{\"t\":$VALUE$}"},
      {"OK with two lines", u"a\r\nb", &TFTopicTemplate::Btn_OK, u"a\r\nb"},
      {"OK with an empty text", u"", &TFTopicTemplate::Btn_OK, u""},
      {"Cancel after editing", u"edited", &TFTopicTemplate::Btn_Cancel, u"$VALUE$"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const String cell = Edit(form.Form, 1, u"$VALUE$", [&](TFTopicTemplate* F) {
      EXPECT_EQ(F->RE_TopicTemplate->Text(), u"$VALUE$");
      F->RE_TopicTemplate->SetText(c.Typed);
      TestHarness::Click(F->*c.Button);
    });
    EXPECT_EQ(cell, String(c.Cell_After));
  }
}

}  // namespace
