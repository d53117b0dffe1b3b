// The MQTT topic tables driven as the user works them: loading and saving the topic file, the
// checks with their messages, the row buttons on the page shown, the template editor opened by a
// double click, the hints and the texts.
#include "descriptions/UMQTT_Set_Topic.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "components/grid/ExGridEditors.h"
#include "descriptions/MQTTTopicChecks.h"
#include "descriptions/UTopicTemplate.h"
#include "platform/gui/ComCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Expect_Layout;
using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TFormHolder;

namespace {

class UMQTT_Set_Topic : public desc_test::TTableDialogTest<TFMQTT_Set_Topic> {
 protected:
  void TearDown() override {
    FTopicTemplate = nullptr;
    TTableDialogTest::TearDown();
  }

  // A publish row that passes the checks.
  static void Good_Publish_Row(TExColumnGrid* G, Integer R, const String& Topic) {
    G->SetCells(mqpTopic, R, Topic);
    G->SetCells(mqpRetained, R, u"N");
    G->SetCells(mqpQoS, R, u"0");
    G->SetCells(mqpDataType, R, u"Int");
    G->SetCells(mqpDimension, R, u"2");
    G->SetCells(mqpPosition, R, u"10");
    G->SetCells(mqpMnemonic, R, u"T" + IntToStr(R));
  }
  bool Topic_File_Exists() const { return FileExists(File_MQTT_Set_Topic); }
};

TEST_F(UMQTT_Set_Topic, CreationSetsTheTextsAndTheTables) {
  TFormHolder<TFMQTT_Set_Topic> form;
  EXPECT_EQ(form->Caption(), u"Set MQTT Topics");
  EXPECT_EQ(form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"Set MQTT Topics");
  EXPECT_EQ(form->ClientWidth(), 1100);
  EXPECT_EQ(form->ClientHeight(), 337);
  EXPECT_EQ(form->TS_MQTT_Publish->Caption(), u"MQTT Publish");
  EXPECT_EQ(form->TS_MQTT_Subscribe->Caption(), u"MQTT Subscribe");
  EXPECT_EQ(form->Btn_DelRow->Caption(), u"Delete Row");
  EXPECT_EQ(form->Btn_PasteRow->Hint(), u"Paste the Copied Fields in the Selected Row");
  EXPECT_EQ(form->ACG_Pub->AllColCount(), 18);
  EXPECT_EQ(form->ACG_Sub->AllColCount(), 15);
  EXPECT_EQ(form->ACG_Pub->RowCount(), 1025);
  EXPECT_EQ(form->ACG_Pub->Cells(mqpTopic, 0), u"Topic");
  EXPECT_EQ(form->ACG_Pub->Cells(mqpTime, 0), u"Time(ms)");
  EXPECT_EQ(form->ACG_Sub->Cells(mqsEthType, 0), u"Type");
  EXPECT_EQ(form->ACG_Sub->Cells(mqsMnemonic, 0), u"Mnemonic");
  ASSERT_EQ(form->Hint_MQTT_Set_Topic_Pub->Count(), 17);
  ASSERT_EQ(form->Hint_MQTT_Set_Topic_Sub->Count(), 14);
  EXPECT_EQ(form->ACG_Pub->Columns()->GetItem(mqpDataType)->EditorType(), edComboList);
  EXPECT_EQ(form->ACG_Pub->Columns()->GetItem(mqpDataType)->ComboItems()->Count(), 4);
  EXPECT_EQ(form->ACG_Pub->Columns()->GetItem(mqpChannel)->ComboItems()->Count(), 65);
  EXPECT_EQ(form->ACG_Pub->Columns()->GetItem(mqpOnTimer)->EditorType(), edDataCheckBox);
  EXPECT_EQ(form->ACG_Sub->Columns()->GetItem(mqsTemplate)->EditorType(), edComboEdit);

  // A change of language re-labels the headers and hints.
  Text_SL->Put(1415, u"Thema");
  Text_SL->Put(1436, u"Vorlage");
  form->Set_Lang();
  EXPECT_EQ(form->ACG_Pub->Cells(mqpTopic, 0), u"Thema");
  EXPECT_EQ(form->Hint_MQTT_Set_Topic_Pub->Strings(mqpTemplate - 1), u"Vorlage");
}

TEST_F(UMQTT_Set_Topic, ButtonsSitOnTheButtonPanel) {
  TFormHolder<TFMQTT_Set_Topic> form;
  Expect_Layout({{"Btn_DelRow", form->Btn_DelRow, 16, 6, 110, 28, true},
                 {"Btn_InsRow", form->Btn_InsRow, 134, 6, 110, 28, true},
                 {"Btn_CopyRow", form->Btn_CopyRow, 252, 6, 110, 28, true},
                 {"Btn_PasteRow", form->Btn_PasteRow, 370, 6, 110, 28, true},
                 {"Btn_OK", form->Btn_OK, 856, 6, 110, 28, true},
                 {"Btn_Cancel", form->Btn_Cancel, 974, 6, 110, 28, true},
                 {"P_Title", form->P_Title, 0, 0, 1100, 69, true},
                 {"P_Button", form->P_Button, 0, 297, 1100, 40, true},
                 {"PageControl1", form->PageControl1, 0, 69, 1100, 228, true}});
}

// The columns this converter hides, the numbered and emptied rows, and a file loaded into them.
TEST_F(UMQTT_Set_Topic, ShowingLoadsTheFileIntoEmptiedTables) {
  Put_Fixture("mqtt_topic/two_tables.xml", File_MQTT_Set_Topic);
  TFormHolder<TFMQTT_Set_Topic> form;
  form->ACG_Pub->SetCells(mqpTopic, 7, u"left over");
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    TExColumnGrid* pub = F->ACG_Pub;
    TExColumnGrid* sub = F->ACG_Sub;
    for (Integer c = 0; c < mqpColumnCount; ++c) {
      const bool hidden = c == mqpIPAddress || c == mqpInputTemplate || c == mqpChannel || c == mqpSwap ||
                          c == mqpSwapWord;
      EXPECT_EQ(pub->IsHiddenColumn(c), hidden) << "publish column " << c;
    }
    for (Integer c = 0; c < mqsColumnCount; ++c) {
      const bool hidden = c == mqsRetained || c == mqsIPAddress || c == mqsPort || c == mqsEthType ||
                          c == mqsInputTemplate || c == mqsSwap || c == mqsSwapWord;
      EXPECT_EQ(sub->IsHiddenColumn(c), hidden) << "subscribe column " << c;
    }
    EXPECT_EQ(F->PageControl1->ActivePage(), F->TS_MQTT_Publish);
    EXPECT_EQ(F->Byte_IN, 1440);
    EXPECT_EQ(pub->Cells(0, 1024), u"1024");
    EXPECT_EQ(pub->Cells(mqpTopic, 7), u"");
    EXPECT_EQ(pub->Cells(mqpTopic, 1), u"plant/hall/temp");
    EXPECT_EQ(pub->Cells(mqpTemplate, 1), u"{\"t\":$VALUE$}");
    EXPECT_EQ(pub->Cells(mqpIPAddress, 2), u"192.168.2.10");
    EXPECT_EQ(pub->Cells(mqpTemplate, 2), u"line1\r\nline2");
    EXPECT_EQ(pub->Cells(mqpChannel, 2), u"");
    EXPECT_EQ(pub->Cells(mqpSwap, 2), u"N");
    EXPECT_EQ(pub->Cells(mqpSwap, 3), u"");
    EXPECT_EQ(sub->Cells(mqsPort, 1), u"502");
    EXPECT_EQ(sub->Cells(mqsSwapWord, 1), u"N");
    F->SetModalResult(mrCancel);
  });
}

// The hidden columns keep what the file held and write it back unchanged.
TEST_F(UMQTT_Set_Topic, OkWritesTheLoadedTablesBackUnchanged) {
  Put_Fixture("mqtt_topic/two_tables.xml", File_MQTT_Set_Topic);
  TFormHolder<TFMQTT_Set_Topic> form;
  const TModalResult result = Show(form.Form, [](TFMQTT_Set_Topic* F) { TestHarness::Click(F->Btn_OK); });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(Read_Bytes(File_MQTT_Set_Topic), Read_Bytes(Fixture("mqtt_topic/two_tables.xml")));
}

// A topic typed into the table and still in its editor when OK is pressed is saved.
TEST_F(UMQTT_Set_Topic, OkSavesWhatWasTyped) {
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    TExColumnGrid* pub = F->ACG_Pub;
    Good_Publish_Row(pub, 1, u"");
    pub->SetCells(mqpTemplate, 1, u"$VALUE$");
    pub->SetCells(mqpOnChange, 1, u"Y");
    pub->SetCells(mqpOnCMD, 1, u"N");
    pub->SetCells(mqpOnTimer, 1, u"N");
    pub->SetFocus();
    pub->SetRow(1);
    pub->SetCol(mqpTopic);
    pub->ShowInplaceEdit();
    TestHarness::ProcessEvents();
    TExInplaceEdit* editor = pub->NormalEdit();
    ASSERT_NE(editor, nullptr);
    TestHarness::TypeText(editor, u"hall");
    ASSERT_TRUE(pub->InEditMode());
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(Read_Bytes(File_MQTT_Set_Topic), Read_Bytes(Fixture("mqtt_topic/one_typed_row.xml")));
}

TEST_F(UMQTT_Set_Topic, EnterMovesToTheNextCellWithTheOption) {
  Opt_Jump_Field_Tables = true;
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    TExColumnGrid* pub = F->ACG_Pub;
    pub->SetFocus();
    pub->SetRow(3);
    pub->SetCol(mqpTopic);
    pub->ShowInplaceEdit();
    TestHarness::ProcessEvents();
    TExInplaceEdit* editor = pub->NormalEdit();
    ASSERT_NE(editor, nullptr);
    TestHarness::TypeText(editor, u"abc");
    TestHarness::Key(editor, VK_RETURN);
    TestHarness::ProcessEvents();
    EXPECT_EQ(pub->Cells(mqpTopic, 3), u"abc");
    EXPECT_EQ(pub->Row(), 3);
    EXPECT_EQ(pub->Col(), 2);
    F->SetModalResult(mrCancel);
  });
}

TEST_F(UMQTT_Set_Topic, AFailedCheckKeepsTheDialogOpenAndWritesNothing) {
  TFormHolder<TFMQTT_Set_Topic> form;
  const TModalResult result = Show(form.Form, [](TFMQTT_Set_Topic* F) {
    for (Integer r = 1; r <= 5; ++r) Good_Publish_Row(F->ACG_Pub, r, u"t" + IntToStr(r));
    F->ACG_Pub->SetCells(mqpPosition, 5, u"1440");
    TestHarness::ExpectMessage(u"Error row 5!! [MQTT Publish] Position must be beetween 0 and 1439", mtError);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    // The subscribe table is checked after the publish table passes.
    F->ACG_Pub->SetCells(mqpPosition, 5, u"1439");
    F->ACG_Sub->SetCells(mqsTopic, 1, u"s");
    F->ACG_Sub->SetCells(mqsDataType, 1, u"Float");
    F->ACG_Sub->SetCells(mqsDimension, 1, u"2");
    TestHarness::ExpectMessage(u"Error row 1!! [MQTT Subscribe] Dimension must be equal to 4 or 8", mtError);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    TestHarness::Click(F->Btn_Cancel);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(Topic_File_Exists());
}

// Rows after the first blank Topic are neither checked nor saved, and are gone at the next
// opening; edits before a Cancel are gone as well.
TEST_F(UMQTT_Set_Topic, RowsAfterTheFirstBlankTopicAreDropped) {
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    Good_Publish_Row(F->ACG_Pub, 2, u"unreached");
    F->ACG_Pub->SetCells(mqpPosition, 2, u"junk");
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(Read_Bytes(File_MQTT_Set_Topic), Read_Bytes(Fixture("mqtt_topic/empty_tables.xml")));
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    EXPECT_EQ(F->ACG_Pub->Cells(mqpTopic, 2), u"");
    Good_Publish_Row(F->ACG_Pub, 1, u"cancelled");
    TestHarness::Click(F->Btn_Cancel);
  });
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    EXPECT_EQ(F->ACG_Pub->Cells(mqpTopic, 1), u"");
    F->SetModalResult(mrCancel);
  });
}

// A hand-made file with more rows than the table holds fills the table and says so; OK drops the
// rows beyond it only after a Yes.
TEST_F(UMQTT_Set_Topic, RowsBeyondTheTableAreReportedAndDroppedOnlyAfterYes) {
  TMQTT_Topic_Tables big;
  for (Integer i = 1; i <= 1030; ++i) {
    TMQTT_Publish_Row row;
    row.Topic = u"t" + IntToStr(i);
    row.Retained = u"N";
    row.QoS = u"0";
    row.DataType = u"Int";
    row.Dimension = u"1";
    row.Position = u"0";
    big.Publish.push_back(row);
  }
  Write_MQTT_Topic_File(File_MQTT_Set_Topic, big);
  const std::string written = Read_Bytes(File_MQTT_Set_Topic);
  const String warning = u"Warning! The file holds more rows than the tables can take: the rows past a table's end "
                         u"are not shown, and OK saves the table without them.\r\n"
                         u"\"MQTT Publish\": 1030 rows in the file, 1024 shown";
  const String question = u"The file held more rows than the tables can take: saving drops the rows that were not "
                          u"shown. Do you want to save?\r\n\"MQTT Publish\": 1030 rows in the file, 1024 shown";
  TFormHolder<TFMQTT_Set_Topic> form;
  TestHarness::ExpectMessage(warning, mtWarning);
  const TModalResult result = Show(form.Form, [&](TFMQTT_Set_Topic* F) {
    EXPECT_EQ(F->ACG_Pub->RowCount(), 1025);
    EXPECT_EQ(F->ACG_Pub->Cells(mqpTopic, 1024), u"t1024");
    TestHarness::ExpectMessage(question, mtConfirmation, mrNo);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(Read_Bytes(File_MQTT_Set_Topic), written);
    TestHarness::ExpectMessage(question, mtConfirmation, mrYes);
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(TestHarness::Verify());
  const TMQTT_Topic_Tables saved = Read_MQTT_Topic_File(File_MQTT_Set_Topic);
  ASSERT_EQ(saved.Publish.size(), 1024u);
  EXPECT_EQ(saved.Publish.back().Topic, u"t1024");
}

TEST_F(UMQTT_Set_Topic, AFileWithoutItsTablesIsReportedWhenShown) {
  Put_Fixture("mqtt_topic/no_subscribe_table.xml", File_MQTT_Set_Topic);
  TFormHolder<TFMQTT_Set_Topic> form;
  EXPECT_THROW(form->ShowModal(), EXMLDocError);
  EXPECT_FALSE(form->Visible());
}

TEST_F(UMQTT_Set_Topic, RowButtonsActOnThePageShown) {
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    TExColumnGrid* pub = F->ACG_Pub;
    TExColumnGrid* sub = F->ACG_Sub;
    Good_Publish_Row(pub, 1, u"p1");
    pub->SetCells(mqpIPAddress, 1, u"10.0.0.1");  // hidden, moves with its row
    sub->SetCells(mqsTopic, 1, u"s1");
    sub->SetCells(mqsTopic, 2, u"s2");
    sub->SetCells(mqsTopic, 1024, u"last");

    // Insert on the subscribe page: the subscribe rows move down, the last one is lost.
    F->PageControl1->SetActivePage(F->TS_MQTT_Subscribe);
    sub->SetRow(1);
    TestHarness::Click(F->Btn_InsRow);
    EXPECT_EQ(sub->Cells(mqsTopic, 1), u"");
    EXPECT_EQ(sub->Cells(mqsTopic, 2), u"s1");
    EXPECT_EQ(sub->Cells(mqsTopic, 3), u"s2");
    EXPECT_EQ(sub->Cells(mqsTopic, 1024), u"");
    EXPECT_EQ(pub->Cells(mqpTopic, 1), u"p1");

    // Delete asks with the row number; No keeps the row, Yes deletes it.
    sub->SetRow(2);
    TestHarness::ExpectMessage(u"Are you sure to delete the Row number 2", mtConfirmation, mrNo);
    TestHarness::Click(F->Btn_DelRow);
    EXPECT_EQ(sub->Cells(mqsTopic, 2), u"s1");
    TestHarness::ExpectMessage(u"Are you sure to delete the Row number 2", mtConfirmation, mrYes);
    TestHarness::Click(F->Btn_DelRow);
    EXPECT_EQ(sub->Cells(mqsTopic, 2), u"s2");

    // A publish row copied and pasted into the subscribe table is refused as not copied.
    F->PageControl1->SetActivePage(F->TS_MQTT_Publish);
    pub->SetRow(1);
    TestHarness::Click(F->Btn_CopyRow);
    EXPECT_TRUE(F->Do_Copy_Pub);
    EXPECT_FALSE(F->Do_Copy_Sub);
    F->PageControl1->SetActivePage(F->TS_MQTT_Subscribe);
    sub->SetRow(5);
    TestHarness::ExpectMessage(u"Error!!! Copy a valid row before Paste it", mtError);
    TestHarness::Click(F->Btn_PasteRow);
    EXPECT_EQ(sub->Cells(mqsTopic, 5), u"");

    // Pasted into its own table, the row comes with its hidden columns.
    F->PageControl1->SetActivePage(F->TS_MQTT_Publish);
    pub->SetRow(4);
    TestHarness::Click(F->Btn_PasteRow);
    EXPECT_EQ(pub->Cells(mqpTopic, 4), u"p1");
    EXPECT_EQ(pub->Cells(mqpIPAddress, 4), u"10.0.0.1");
    F->SetModalResult(mrCancel);
  });
}

// A double click on a Template cell edits it in the template editor; OK takes the text back,
// Cancel leaves the cell, and a double click on the column's header opens nothing.
TEST_F(UMQTT_Set_Topic, DoubleClickOnATemplateOpensTheTemplateEditor) {
  TFormHolder<TFTopicTemplate> editor;
  FTopicTemplate = editor.Form;
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [&](TFMQTT_Set_Topic* F) {
    TExColumnGrid* pub = F->ACG_Pub;
    pub->SetCells(mqpTemplate, 2, u"old $VALUE$");
    const Integer template_col = 7;  // real column 9, after the two hidden ones
    ASSERT_EQ(pub->RealColIndex(template_col), Integer(mqpTemplate));

    TestHarness::ExpectModal(u"TFTopicTemplate", [&](TCustomForm&) {
      EXPECT_EQ(editor->TopicTemplate, 1);
      EXPECT_EQ(editor->Caption(), u"Set Template");
      EXPECT_EQ(editor->RE_TopicTemplate->Text(), u"old $VALUE$");
      editor->RE_TopicTemplate->SetText(u"{\"v\":$VALUE$}");
      TestHarness::Click(editor->Btn_OK);
    });
    Double_Click_Cell(pub, template_col, 2);
    EXPECT_EQ(pub->Cells(mqpTemplate, 2), u"{\"v\":$VALUE$}");

    TestHarness::ExpectModal(u"TFTopicTemplate", [&](TCustomForm&) {
      editor->RE_TopicTemplate->SetText(u"thrown away");
      TestHarness::Click(editor->Btn_Cancel);
    });
    Double_Click_Cell(pub, template_col, 2);
    EXPECT_EQ(pub->Cells(mqpTemplate, 2), u"{\"v\":$VALUE$}");

    // The current cell is still the template cell; the header only sizes its column.
    Opt_Double_Click_Auto_Size = true;
    Double_Click_Cell(pub, template_col, 0);
    F->SetModalResult(mrCancel);
  });
}

TEST_F(UMQTT_Set_Topic, HeaderHintsFollowTheRealColumn) {
  TFormHolder<TFMQTT_Set_Topic> form;
  Show(form.Form, [](TFMQTT_Set_Topic* F) {
    const struct {
      const char* Name;
      TExColumnGrid* Grid;
      Integer Row, DisplayCol;
      const char16_t* Hint;
    } cases[] = {
        {"publish topic", F->ACG_Pub, 0, 1, u"Insert the MQTT Topic"},
        {"publish template after the hidden columns", F->ACG_Pub, 0, 7, u"Insert the Template"},
        {"publish mnemonic", F->ACG_Pub, 0, 12, u"Description of MQTT Topic"},
        {"subscribe mnemonic", F->ACG_Sub, 0, 7, u"Description of MQTT Topic"},
        {"subscribe QoS after hidden Retained", F->ACG_Sub, 0, 2, u"Select the QoS value"},
        {"row-number header", F->ACG_Pub, 0, 0, u"unchanged"},
        {"data cell", F->ACG_Pub, 3, 1, u"unchanged"},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.Name);
      String hint = u"unchanged";
      F->ACG_MQTT_GridHint(c.Grid, c.Row, c.DisplayCol, hint);
      EXPECT_EQ(hint, String(c.Hint));
    }
    F->SetModalResult(mrCancel);
  });
}

}  // namespace
