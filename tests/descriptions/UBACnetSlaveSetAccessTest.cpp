// The BACnet slave object tables driven as the user works them: the name limit from "ParGen.xml",
// loading and saving the object file, the Length presets of the in-Write table, the unit picker,
// the checks with their messages and the row buttons.
#include "descriptions/UBACnetSlaveSetAccess.h"

#include <gtest/gtest.h>

#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "components/grid/ExGridEditors.h"
#include "descriptions/BACnetSlaveChecks.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/xml/XMLDoc.h"
#include "tests/descriptions/DescFormsTestState.h"

using desc_test::Fixture;
using desc_test::Read_Bytes;
using desc_test::TFormHolder;
using desc_test::Write_Bytes;

namespace {

class UBACnetSlaveSetAccess : public desc_test::TTableDialogTest<TFBACnetSlaveSetAccess> {
 protected:
  void TearDown() override {
    FBACnet_Eng_Unit = nullptr;
    TTableDialogTest::TearDown();
  }

  static void Set_Row(TExColumnGrid* G, Integer R, const String& Type, const String& Unit, const String& Position,
                      const String& Bit, const String& Length, const String& Mnemonic) {
    G->SetCells(bsoData_Type, R, Type);
    G->SetCells(bsoEng_Unit, R, Unit);
    G->SetCells(bsoPosition, R, Position);
    G->SetCells(bsoBit, R, Bit);
    G->SetCells(bsoLength, R, Length);
    G->SetCells(bsoMnemonic, R, Mnemonic);
  }
  void Limit_Names_To_32() const {
    Write_Bytes(File_ParGen, "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>");
  }
};

TEST_F(UBACnetSlaveSetAccess, CreationSetsTheTextsAndTheTables) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  EXPECT_EQ(form->Caption(), u"BACnet Set Access");
  EXPECT_EQ(form->L_SW_Desc->Caption(), u"BACnet Set Access");
  EXPECT_EQ(form->L_SW_Code->Caption(), u"KP31A08");
  EXPECT_EQ(form->ClientWidth(), 764);
  EXPECT_EQ(form->ClientHeight(), 337);
  EXPECT_NE(form->BorderIcons() & biMaximize, 0);
  EXPECT_EQ(form->TS_BACnet_in_Read->Caption(), u"BACnet in Read");
  EXPECT_EQ(form->TS_BACnet_in_Write->Caption(), u"BACnet in Write");
  EXPECT_EQ(form->Btn_OK->Hint(), u"Confirm and save the SNMP Trap List");
  for (TExColumnGrid* grid : {form->ACG_BACnet_in_Read, form->ACG_BACnet_in_Write}) {
    EXPECT_TRUE(grid->IsHiddenColumn(bsoSwap));
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->Cells(bsoEng_Unit, 0), u"Eng. Unit");
    EXPECT_EQ(grid->Cells(bsoMnemonic, 0), u"Mnemonic");
    EXPECT_EQ(grid->Columns()->GetItem(bsoBit)->ComboItems()->Count(), 8);
  }
  TStringList* read_types = form->ACG_BACnet_in_Read->Columns()->GetItem(bsoData_Type)->ComboItems();
  TStringList* write_types = form->ACG_BACnet_in_Write->Columns()->GetItem(bsoData_Type)->ComboItems();
  ASSERT_EQ(read_types->Count(), 13);
  EXPECT_EQ(read_types->Strings(12), u"Accumulator");
  ASSERT_EQ(write_types->Count(), 10);
  EXPECT_EQ(write_types->Strings(0), u"Analog Out");
}

TEST_F(UBACnetSlaveSetAccess, TheNameLimitSetsTheTableLength) {
  const struct {
    const char* Name;
    const char* ParGen;  // nullptr: no file
    bool Limited;
  } cases[] = {
      {"no parameter file", nullptr, false},
      {"limit 1", "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", true},
      {"limit 0", "<Par_Gen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></Par_Gen>", false},
      {"no limit element", "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>", false},
  };
  TFormHolder<TFBACnetSlaveSetAccess> form;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.ParGen) Write_Bytes(File_ParGen, c.ParGen);
    else DeleteFile(File_ParGen);
    Show(form.Form, [&](TFBACnetSlaveSetAccess* F) {
      EXPECT_EQ(F->Desc_Lenght, c.Limited);
      const Integer rows = c.Limited ? 1001 : 2001;
      EXPECT_EQ(F->ACG_BACnet_in_Read->RowCount(), rows);
      EXPECT_EQ(F->ACG_BACnet_in_Write->RowCount(), rows);
      EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(0, rows - 1), IntToStr(rows - 1));
      EXPECT_EQ(F->ACG_BACnet_in_Write->Cells(bsoMnemonic, rows - 1), u"");
      EXPECT_EQ(F->ACG_BACnet_in_Read->Columns()->GetItem(bsoPosition)->ComboItems()->Count(), 1500);
      EXPECT_EQ(F->PageControl1->ActivePage(), F->TS_BACnet_in_Read);
      // Leaves text at the end of the table for the next showing to empty.
      F->ACG_BACnet_in_Write->SetCells(bsoMnemonic, rows - 1, u"left over");
      F->SetModalResult(mrCancel);
    });
  }
}

// Every object of the file, the hidden Swap included, is shown and written back unchanged.
TEST_F(UBACnetSlaveSetAccess, OkWritesTheLoadedTablesBackUnchanged) {
  Put_Fixture("bacnet_slave/several_types.xml", File_BACnet_Slave);
  const std::string expected =
      BACnet_Slave_Bytes(Read_BACnet_Slave_File(Fixture("bacnet_slave/several_types.xml")));
  TFormHolder<TFBACnetSlaveSetAccess> form;
  const TModalResult result = Show(form.Form, [](TFBACnetSlaveSetAccess* F) {
    EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(bsoData_Type, 5), u"Accumulator");
    EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(bsoSwap, 5), u"Y");
    EXPECT_EQ(F->ACG_BACnet_in_Write->Cells(bsoBit, 4), u"3");
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(Read_Bytes(File_BACnet_Slave), expected);
}

// The type of an in-Write object chosen from its list presets the Length; in the in-Read table a
// choice leaves the Length alone.
TEST_F(UBACnetSlaveSetAccess, ChoosingAWriteTypePresetsItsLength) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  Show(form.Form, [](TFBACnetSlaveSetAccess* F) {
    Set_Row(F->ACG_BACnet_in_Read, 1, u"", u"62", u"0", u"", u"4", u"Room & hall");
    Set_Row(F->ACG_BACnet_in_Read, 2, u"Binary Input", u"95", u"4", u"3", u"", u"Door");
    F->ACG_BACnet_in_Read->SetFocus();
    F->ACG_BACnet_in_Read->SetRow(1);
    F->ACG_BACnet_in_Read->SetCol(bsoData_Type);
    TestHarness::SendKeyStroke(F->ACG_BACnet_in_Read, VK_F2, TShiftState(), u"");
    TestHarness::ProcessEvents();
    TGridCombo* read_combo = F->ACG_BACnet_in_Read->Combobox();
    ASSERT_TRUE(read_combo->Visible());
    // Down and Up land on the first type whichever item the list opened on.
    TestHarness::SendKeyStroke(read_combo, VK_DOWN, TShiftState(), u"");
    TestHarness::SendKeyStroke(read_combo, VK_UP, TShiftState(), u"");
    TestHarness::SendKeyStroke(read_combo, VK_RETURN, TShiftState(), u"\r");
    TestHarness::ProcessEvents();
    EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(bsoData_Type, 1), u"Analog Input");
    EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(bsoLength, 1), u"4");

    F->PageControl1->SetActivePage(F->TS_BACnet_in_Write);
    TExColumnGrid* write = F->ACG_BACnet_in_Write;
    Set_Row(write, 1, u"", u"19", u"10", u"", u"2", u"Counter");
    write->SetFocus();
    write->SetRow(1);
    write->SetCol(bsoData_Type);
    TestHarness::SendKeyStroke(write, VK_F2, TShiftState(), u"");
    TestHarness::ProcessEvents();
    TGridCombo* combo = write->Combobox();
    ASSERT_TRUE(combo->Visible());
    TestHarness::SendKeyStroke(combo, VK_DOWN, TShiftState(), u"");
    TestHarness::SendKeyStroke(combo, VK_UP, TShiftState(), u"");  // "Analog Out"
    EXPECT_EQ(combo->Text(), u"Analog Out");
    EXPECT_EQ(write->Cells(bsoLength, 1), u"4");
    TestHarness::SendKeyStroke(combo, VK_DOWN, TShiftState(), u"");  // "Analog Value"
    TestHarness::SendKeyStroke(combo, VK_DOWN, TShiftState(), u"");  // "Binary Out"
    EXPECT_EQ(combo->Text(), u"Binary Out");
    EXPECT_EQ(write->Cells(bsoLength, 1), u"1");
    for (Integer i = 0; i < 3; ++i) TestHarness::SendKeyStroke(combo, VK_DOWN, TShiftState(), u"");
    EXPECT_EQ(combo->Text(), u"Large Analog Value");
    TestHarness::SendKeyStroke(combo, VK_RETURN, TShiftState(), u"\r");
    TestHarness::ProcessEvents();
    EXPECT_EQ(write->Cells(bsoData_Type, 1), u"Large Analog Value");
    EXPECT_EQ(write->Cells(bsoLength, 1), u"8");
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(Read_Bytes(File_BACnet_Slave), Read_Bytes(Fixture("bacnet_tables/typed_rows.xml")));
}

TEST_F(UBACnetSlaveSetAccess, FailedChecksKeepTheDialogOpen) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  const TModalResult result = Show(form.Form, [](TFBACnetSlaveSetAccess* F) {
    Set_Row(F->ACG_BACnet_in_Read, 1, u"Analog Input", u"62", u"1498", u"", u"3", u"a");
    TestHarness::ExpectMessage(
        u"Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate", mtError);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    F->ACG_BACnet_in_Read->SetCells(bsoLength, 1, u"2");
    Set_Row(F->ACG_BACnet_in_Write, 1, u"Analog Out", u"62", u"0", u"", u"4", u"b");
    Set_Row(F->ACG_BACnet_in_Write, 2, u"Analog Out", u"62", u"1500", u"", u"4", u"c");
    TestHarness::ExpectMessage(u"Error row 2!! [BACnet in Write] Position must be between 0 and 1499", mtError);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    TestHarness::Click(F->Btn_Cancel);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_FALSE(FileExists(File_BACnet_Slave));
}

// 600 objects to read and 500 to write pass without the name limit and fail with it.
TEST_F(UBACnetSlaveSetAccess, TheObjectCountFollowsTheNameLimit) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  auto fill = [](TFBACnetSlaveSetAccess* F) {
    for (Integer r = 1; r <= 600; ++r) Set_Row(F->ACG_BACnet_in_Read, r, u"Binary Input", u"95", u"0", u"0", u"", u"i");
    for (Integer r = 1; r <= 500; ++r) Set_Row(F->ACG_BACnet_in_Write, r, u"Binary Out", u"95", u"0", u"0", u"", u"o");
  };
  Limit_Names_To_32();
  Show(form.Form, [&](TFBACnetSlaveSetAccess* F) {
    fill(F);
    TestHarness::ExpectMessage(u"Error!! Too many Requests. Max requests 1000", mtError);
    TestHarness::Click(F->Btn_OK);
    TestHarness::Click(F->Btn_Cancel);
  });
  DeleteFile(File_ParGen);
  EXPECT_EQ(Show(form.Form, [&](TFBACnetSlaveSetAccess* F) {
              fill(F);
              TestHarness::Click(F->Btn_OK);
            }),
            mrOk);
  const TBACnet_Slave_Tables saved = Read_BACnet_Slave_File(File_BACnet_Slave);
  EXPECT_EQ(saved.In_Read.size(), 600u);
  EXPECT_EQ(saved.In_Write.size(), 500u);
}

// A file written without the name limit holds more rows than the limited tables take: showing it
// says so, and OK drops the rows that were not shown only after a Yes.
TEST_F(UBACnetSlaveSetAccess, RowsBeyondTheTableAreReportedAndDroppedOnlyAfterYes) {
  TBACnet_Slave_Tables big;
  for (Integer i = 1; i <= 1500; ++i) {
    big.In_Read.push_back(TBACnet_Slave_Row{u"Binary Input", u"95", u"0", u"0", u"", u"N", u"i" + IntToStr(i)});
  }
  Write_BACnet_Slave_File(File_BACnet_Slave, big);
  const std::string written = Read_Bytes(File_BACnet_Slave);
  Limit_Names_To_32();
  TFormHolder<TFBACnetSlaveSetAccess> form;
  TestHarness::ExpectMessageContaining(u"\"BACnet in Read\": 1500 rows in the file, 1000 shown", mtWarning);
  const TModalResult result = Show(form.Form, [&](TFBACnetSlaveSetAccess* F) {
    EXPECT_EQ(F->ACG_BACnet_in_Read->Cells(bsoMnemonic, 1000), u"i1000");
    TestHarness::ExpectMessageContaining(u"saving drops the rows that were not shown", mtConfirmation, mrNo);
    TestHarness::Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(Read_Bytes(File_BACnet_Slave), written);
    TestHarness::ExpectMessageContaining(u"saving drops the rows that were not shown", mtConfirmation, mrYes);
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Read_BACnet_Slave_File(File_BACnet_Slave).In_Read.size(), 1000u);
}

TEST_F(UBACnetSlaveSetAccess, EmptyTablesSaveBothElements) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  Show(form.Form, [](TFBACnetSlaveSetAccess* F) {
    // Below an empty first row nothing is looked at.
    Set_Row(F->ACG_BACnet_in_Read, 2, u"Analog Input", u"bad", u"bad", u"", u"", u"");
    TestHarness::Click(F->Btn_OK);
  });
  EXPECT_EQ(Read_Bytes(File_BACnet_Slave), Read_Bytes(Fixture("bacnet_slave/empty_tables.xml")));
}

TEST_F(UBACnetSlaveSetAccess, AFileWithoutARequiredAttributeIsReportedWhenShown) {
  Put_Fixture("bacnet_slave/row_without_eng_unit.xml", File_BACnet_Slave);
  TFormHolder<TFBACnetSlaveSetAccess> form;
  EXPECT_THROW(form->ShowModal(), EXMLDocError);
}

// A double click on a unit opens the picker on the cell's unit; OK takes the picked unit.
TEST_F(UBACnetSlaveSetAccess, DoubleClickOnAUnitOpensThePicker) {
  TFormHolder<TFBACnet_Eng_Unit> picker;
  FBACnet_Eng_Unit = picker.Form;
  TFormHolder<TFBACnetSlaveSetAccess> form;
  Show(form.Form, [&](TFBACnetSlaveSetAccess* F) {
    TExColumnGrid* read = F->ACG_BACnet_in_Read;
    Set_Row(read, 2, u"Analog Input", u"62", u"0", u"", u"4", u"t");
    TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
      EXPECT_EQ(picker->E_Selected_EU->Text(), u"62");
      EXPECT_EQ(picker->Label5->Caption(), u"-> degrees-Celsius");
      picker->E_Selected_EU->SetText(u"98");
      TestHarness::Click(picker->Btn_OK);
    });
    Double_Click_Cell(read, bsoEng_Unit, 2);
    EXPECT_EQ(read->Cells(bsoEng_Unit, 2), u"98");

    TestHarness::ExpectModal(u"TFBACnet_Eng_Unit", [&](TCustomForm&) {
      picker->E_Selected_EU->SetText(u"1");
      TestHarness::Click(picker->Btn_Cancel);
    });
    Double_Click_Cell(read, bsoEng_Unit, 2);
    EXPECT_EQ(read->Cells(bsoEng_Unit, 2), u"98");

    // Another column opens nothing.
    Double_Click_Cell(read, bsoMnemonic, 2);
    F->SetModalResult(mrCancel);
  });
}

TEST_F(UBACnetSlaveSetAccess, ARowNumberClickSelectsTheRowAndRowButtonsWork) {
  TFormHolder<TFBACnetSlaveSetAccess> form;
  Show(form.Form, [](TFBACnetSlaveSetAccess* F) {
    TExColumnGrid* read = F->ACG_BACnet_in_Read;
    TExColumnGrid* write = F->ACG_BACnet_in_Write;
    Set_Row(read, 1, u"Analog Input", u"62", u"0", u"", u"4", u"r1");
    read->SetCells(bsoSwap, 1, u"Y");
    Set_Row(read, 2, u"Analog Input", u"62", u"4", u"", u"4", u"r2");

    TestHarness::Click(read, Mid(read, 0, 2));
    TestHarness::ProcessEvents();
    EXPECT_EQ(read->Selection().Top, 2);
    EXPECT_EQ(read->Selection().Bottom, 2);
    EXPECT_EQ(read->Selection().Left, 1);

    read->SetRow(1);
    TestHarness::Click(F->Btn_CopyRow);
    EXPECT_TRUE(F->Do_Copy_Read);
    read->SetRow(2);
    TestHarness::ExpectMessage(u"Row Already used. Do you want to overwrite the values?", mtConfirmation, mrYes);
    TestHarness::Click(F->Btn_PasteRow);
    EXPECT_EQ(read->Cells(bsoMnemonic, 2), u"r1");
    EXPECT_EQ(read->Cells(bsoSwap, 2), u"Y");

    TestHarness::ExpectMessage(u"Are you sure to delete the Row number 1", mtConfirmation, mrYes);
    read->SetRow(1);
    TestHarness::Click(F->Btn_DelRow);
    EXPECT_EQ(read->Cells(bsoMnemonic, 1), u"r1");
    EXPECT_EQ(read->Cells(bsoMnemonic, 2), u"");

    F->PageControl1->SetActivePage(F->TS_BACnet_in_Write);
    Set_Row(write, 1, u"Analog Out", u"1", u"0", u"", u"4", u"w1");
    write->SetRow(1);
    TestHarness::Click(F->Btn_InsRow);
    EXPECT_EQ(write->Cells(bsoMnemonic, 1), u"");
    EXPECT_EQ(write->Cells(bsoMnemonic, 2), u"w1");
    EXPECT_EQ(read->Cells(bsoMnemonic, 1), u"r1");
    F->SetModalResult(mrCancel);
  });
}

}  // namespace
