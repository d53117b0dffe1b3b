// The Smart-ACK variable dialog: its layout and design texts, RORG and FUNC fixed at their
// positions on every show, the cascade into the IN and OUT case tables, the fixed height, the
// messages of its OK check, and a group chosen by typing into the tables, stored in the network
// and written to "EnOcean.xml".
//
// Positions in sack/eep_sack.xml:
//   RORG 0 = 0xF6, 1 = 0xD5, 2 = 0xA5: FUNC 0 = 0x02: TYPE 0 = 0x05: case 0 (TMP)
//   RORG 3 = 0xD2: FUNC 0..8 without types, FUNC 9 = 0x20:
//     TYPE 0 = 0x01: case 0 "Request" (CMD, POS, ANG), case 1 "Reply" (POS, ST), case 2 "Empty"
//     TYPE 1 = 0x02: case 0 "Values" (TMP)
#include "enocean/UEnOcean_Variable_SAck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/buttons/FadeButton.h"
#include "enocean/EnOceanFile.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/enocean/EnOceanFormsTestState.h"
#include "tests/enocean/NetworkBuilders.h"
#include "tests/TempFolder.h"

using enocean_forms_test::Expect_Layout;
using enocean_forms_test::Expect_Variable_Frame;
using enocean_forms_test::Items_Of;
using enocean_forms_test::TFormHolder;
using enocean_forms_test::User_Choose;
using enocean_test::Add_EEP;

namespace {

std::string Read_Bytes(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The cells of a table's rows below the header, each row as "c0|c1|c2|c3".
std::vector<String> Table_Of(TExColumnGrid* Grid) {
  std::vector<String> rows;
  for (Integer r = 1; r < Grid->RowCount(); ++r) {
    String row;
    for (Integer c = 0; c < 4; ++c) row += (c ? u"|" : u"") + Grid->Cells(c, r);
    rows.push_back(row);
  }
  return rows;
}

class UEnOcean_Variable_SAck : public enocean_forms_test::TEnOceanFormsTest {
 protected:
  void SetUp() override {
    TEnOceanFormsTest::SetUp();
    // The dialogs' shared catalogue gives way to the one with a Smart-ACK TYPE of three cases.
    Catalog = std::make_unique<TCatalog_EnOcean>();
    ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/sack/eep_sack.xml")));
    Catalog_EnOcean = Catalog.get();
    Dlg.Create();
    Dlg->DevList = &DevList;
  }

  TDevice_EnOcean& Add_Device() { return enocean_test::Add_Device(DevList); }
  const TType& Actuator() const { return *Catalog->List_Rorg[3]->List_Func[9]->List_Type[0]; }
  // The table rows of a case as the dialog first shows them.
  std::vector<String> Fresh_Rows(Integer CaseInd) const {
    std::vector<String> rows;
    for (const String& line : Actuator().List_Case[CaseInd]->DataField_SL) rows.push_back(line + u"|Y||0");
    return rows;
  }

  // The user edits a cell of a table: a typed text committed with Enter.
  static void Type_Cell(TExColumnGrid* Grid, Integer Col, Integer Row, const String& Text) {
    Grid->SetFocus();
    Grid->SetCol(Col);
    Grid->SetRow(Row);
    TestHarness::TypeText(Grid, Text);
    TestHarness::ProcessEvents();
    TestHarness::Key(Grid->InplaceEditor() ? static_cast<TWinControl*>(Grid->InplaceEditor()) : Grid, VK_RETURN);
    TestHarness::ProcessEvents();
  }
  // The user toggles an Enable check box with the space bar.
  static void Toggle_Cell(TExColumnGrid* Grid, Integer Row) {
    Grid->SetFocus();
    Grid->SetCol(1);
    Grid->SetRow(Row);
    TestHarness::SendKeyStroke(Grid, VK_SPACE, TShiftState(), u" ");
    TestHarness::ProcessEvents();
  }
  // The user opens a Bit Start list, moves Down times down and takes the item with Enter.
  static void Pick_Bit_Start(TExColumnGrid* Grid, Integer Row, Integer Down) {
    Grid->SetFocus();
    Grid->SetCol(3);
    Grid->SetRow(Row);
    TestHarness::SendKeyStroke(Grid, VK_F2, TShiftState(), u"");
    TestHarness::ProcessEvents();
    TGridCombo* combo = Grid->Combobox();
    for (Integer i = 0; i < Down; ++i) TestHarness::SendKeyStroke(combo, VK_DOWN, TShiftState(), u"");
    TestHarness::SendKeyStroke(combo, VK_RETURN, TShiftState(), u"\r");
    TestHarness::ProcessEvents();
  }

  TDevice_EnOcean_List DevList;
  TFormHolder<TFEnOcean_Variable_SAck> Dlg;
};

TEST_F(UEnOcean_Variable_SAck, LayoutAndDesignTexts) {
  TFEnOcean_Variable_SAck* f = Dlg.Form;
  Expect_Variable_Frame(f, 464, 694);
  Expect_Layout({
      {"IN case", f->CB_Var_Case_IN, 134, 235, 307, 22},
      {"IN table", f->ACG_Vars_Case_IN, 16, 272, 425, 137},
      {"OUT heading", f->Label1, 16, 438, -1, -1},
      {"OUT case label", f->Label2, 16, 467, -1, -1},
      {"OUT case", f->CB_Var_Case_OUT, 134, 467, 307, 22},
      {"OUT table", f->ACG_Vars_Case_OUT, 16, 504, 425, 137},
      {"title panel", f->P_Title, 0, 0, 464, 69},
      {"button panel", f->P_Button, 0, 654, 464, 40},
  });
  EXPECT_EQ(f->Form_Height, f->Height());
  for (TComboBox* list : {f->CB_EEP_Rorg, f->CB_EEP_Func, f->CB_EEP_Type, f->CB_Var_Case_IN, f->CB_Var_Case_OUT}) {
    EXPECT_EQ(list->Style(), csDropDownList);
  }
  EXPECT_EQ(Items_Of(f->CB_EEP_Rorg), Catalog->Rorg_SL);

  // The texts are the design's; the text table has no say, not even after a change of language.
  Text_SL->SetStrings(1100, u"Variable hinzufügen");
  Text_SL->SetStrings(1106, u"Bestätigen");
  f->Set_Lang();
  const std::pair<TControl*, const char16_t*> texts[] = {
      {f, u"Add EnOcean Variable"},
      {f->L_SW_Code, u"KP31A08"},
      {f->L_SW_Desc, u"Add EnOcean Device"},
      {f->L_EEP, u"EEP"},
      {f->L_EEP_RORG, u"Rorg"},
      {f->L_EEP_FUNC, u"Func"},
      {f->L_EEP_TYPE, u"Type"},
      {f->L_Variable, u"Variables Smart Ack - Case IN"},
      {f->L_Var_CASE, u"Case"},
      {f->Label1, u"Variables Smart Ack - Case OUT"},
      {f->Label2, u"Case"},
      {f->Btn_OK, u"OK"},
      {f->Btn_Cancel, u"Cancel"},
  };
  for (const auto& [control, text] : texts) {
    SCOPED_TRACE(StringToUtf8(control->Name()));
    EXPECT_EQ(control->Caption(), text);
  }

  // The two tables: a header row 22 high and one empty row; four columns.
  for (TExColumnGrid* grid : {f->ACG_Vars_Case_IN, f->ACG_Vars_Case_OUT}) {
    SCOPED_TRACE(StringToUtf8(grid->Name()));
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->RowHeights(0), 22);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(grid->Options().Contains(goColSizing));
    const struct {
      const char16_t* header;
      Integer width;
      TEditorType editor;
    } columns[] = {
        {u"Variables", 100, edNormal},
        {u"Enable", 45, edDataCheckBox},
        {u"Position", 100, edNormal},
        {u"Bit Start", 64, edComboList},
    };
    for (Integer c = 0; c < 4; ++c) {
      SCOPED_TRACE(c);
      TGridColumnItem* item = grid->Columns()->Items(c);
      EXPECT_EQ(item->Header(), columns[c].header);
      EXPECT_EQ(grid->Cells(c, 0), columns[c].header);
      EXPECT_EQ(item->Width(), columns[c].width);
      EXPECT_EQ(item->EditorType(), columns[c].editor);
    }
    TGridColumnItem* enable = grid->Columns()->Items(1);
    EXPECT_EQ(enable->CheckTrue(), u"Y");
    EXPECT_EQ(enable->CheckFalse(), u"N");
    EXPECT_EQ(enable->Alignment(), taCenter);
    std::vector<String> bits;
    for (Integer i = 0; i < grid->Columns()->Items(3)->ComboItems()->Count(); ++i)
      bits.push_back(grid->Columns()->Items(3)->ComboItems()->Strings(i));
    EXPECT_EQ(bits, BitStart_Items());
  }
}

TEST_F(UEnOcean_Variable_SAck, EveryShowFixesRorgAndFuncAndEmptiesTheRest) {
  TFEnOcean_Variable_SAck* f = Dlg.Form;
  // What a previous use left behind.
  f->CB_EEP_Rorg->SetItemIndex(2);
  f->CB_EEP_Type->Items()->Add(u"old");
  f->CB_Var_Case_IN->Items()->Add(u"old");
  f->Table_Show_Vars(f->ACG_Vars_Case_IN, Actuator().List_Case[0]->DataField_SL);
  f->Table_Show_Vars(f->ACG_Vars_Case_OUT, Actuator().List_Case[1]->DataField_SL);

  TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", [&](TCustomForm&) {
    EXPECT_FALSE(f->CB_EEP_Rorg->Enabled());
    EXPECT_FALSE(f->CB_EEP_Func->Enabled());
    EXPECT_TRUE(f->CB_EEP_Type->Enabled());
    EXPECT_EQ(f->CB_EEP_Rorg->ItemIndex(), 3);
    EXPECT_EQ(f->CB_EEP_Func->ItemIndex(), 9);
    EXPECT_EQ(Items_Of(f->CB_EEP_Func), Catalog->List_Rorg[3]->Func_SL);
    EXPECT_EQ(Items_Of(f->CB_EEP_Type), Catalog->List_Rorg[3]->List_Func[9]->Type_SL);
    EXPECT_EQ(f->CB_EEP_Type->ItemIndex(), -1);
    EXPECT_TRUE(Items_Of(f->CB_Var_Case_IN).empty());
    EXPECT_TRUE(Items_Of(f->CB_Var_Case_OUT).empty());
    EXPECT_EQ(Table_Of(f->ACG_Vars_Case_IN), std::vector<String>{u"|||"});
    EXPECT_EQ(Table_Of(f->ACG_Vars_Case_OUT), std::vector<String>{u"|||"});
    TestHarness::Click(f->Btn_Cancel);
  });
  EXPECT_EQ(f->ShowModal(), mrCancel);
}

TEST_F(UEnOcean_Variable_SAck, TheCascadeFillsTheCaseTables) {
  TFEnOcean_Variable_SAck* f = Dlg.Form;
  TestHarness::ShowForm(f);

  User_Choose(f->CB_EEP_Type, 0);
  EXPECT_EQ(Items_Of(f->CB_Var_Case_IN), Actuator().Case_SL);
  EXPECT_EQ(Items_Of(f->CB_Var_Case_OUT), Actuator().Case_SL);
  EXPECT_EQ(f->CB_Var_Case_IN->ItemIndex(), -1);

  // An IN case of three data fields: the header and three rows, ticked, no position, bit 0.
  User_Choose(f->CB_Var_Case_IN, 0);
  EXPECT_EQ(f->ACG_Vars_Case_IN->RowCount(), 4);
  EXPECT_EQ(Table_Of(f->ACG_Vars_Case_IN),
            (std::vector<String>{u"CMD : 0, 4|Y||0", u"POS : 8, 7|Y||0", u"ANG : 16, 8|Y||0"}));
  EXPECT_EQ(Table_Of(f->ACG_Vars_Case_OUT), std::vector<String>{u"|||"});

  User_Choose(f->CB_Var_Case_OUT, 1);
  EXPECT_EQ(Table_Of(f->ACG_Vars_Case_OUT), Fresh_Rows(1));
  EXPECT_EQ(Table_Of(f->ACG_Vars_Case_IN), Fresh_Rows(0));

  // Each step marks the table(s) its list refills; a refilled table keeps none of the marks.
  struct Step {
    const char* name;
    TComboBox* list;
    Integer index;
    std::vector<String> in, out;
  };
  const std::vector<String> empty{u"|||"};
  const Step steps[] = {
      {"IN case of fewer fields", f->CB_Var_Case_IN, 1, Fresh_Rows(1), Fresh_Rows(1)},
      {"IN case of more fields", f->CB_Var_Case_IN, 0, Fresh_Rows(0), Fresh_Rows(1)},
      // A case without data fields leaves no row of the case before it behind.
      {"IN case without fields", f->CB_Var_Case_IN, 2, empty, Fresh_Rows(1)},
      {"OUT case without fields", f->CB_Var_Case_OUT, 2, empty, empty},
      {"OUT case again", f->CB_Var_Case_OUT, 0, empty, Fresh_Rows(0)},
      {"TYPE again", f->CB_EEP_Type, 1, empty, empty},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.list != f->CB_Var_Case_OUT) f->ACG_Vars_Case_IN->SetCells(2, 1, u"55");
    if (step.list != f->CB_Var_Case_IN) f->ACG_Vars_Case_OUT->SetCells(1, 1, u"N");
    User_Choose(step.list, step.index);
    EXPECT_EQ(Table_Of(f->ACG_Vars_Case_IN), step.in);
    EXPECT_EQ(Table_Of(f->ACG_Vars_Case_OUT), step.out);
  }
  EXPECT_EQ(Items_Of(f->CB_Var_Case_IN), Catalog->List_Rorg[3]->List_Func[9]->List_Type[1]->Case_SL);
  EXPECT_EQ(f->CB_Var_Case_IN->ItemIndex(), -1);
  EXPECT_EQ(f->CB_Var_Case_OUT->ItemIndex(), -1);
  f->Hide();
}

// The user rests the pointer on every cell of both case tables in turn: a cell that cuts its text
// (a long data-field line, a long position typed in) shows the whole text as its hint, under the
// pointer, and a cell whose text fits shows none.
TEST_F(UEnOcean_Variable_SAck, EveryCutCellOfTheCaseTablesShowsItsWholeTextUnderTheRestingPointer) {
  TFEnOcean_Variable_SAck* f = Dlg.Form;
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(f);
  User_Choose(f->CB_EEP_Type, 0);
  User_Choose(f->CB_Var_Case_IN, 0);
  User_Choose(f->CB_Var_Case_OUT, 1);
  const String long_line = u"POS : 8, 7 - the position of the actuator in per cent of its whole travel";
  f->ACG_Vars_Case_IN->SetCells(0, 2, long_line);
  Type_Cell(f->ACG_Vars_Case_OUT, 2, 1, u"1234567890123456789012345678901234567890");
  ASSERT_EQ(f->ACG_Vars_Case_OUT->Cells(2, 1), u"1234567890123456789012345678901234567890");

  struct Cut {
    TExColumnGrid* grid;
    Integer col, row;
  };
  const Cut cut[] = {{f->ACG_Vars_Case_IN, 0, 2}, {f->ACG_Vars_Case_OUT, 2, 1}};
  for (TExColumnGrid* grid : {f->ACG_Vars_Case_IN, f->ACG_Vars_Case_OUT}) {
    TCanvas measure;
    measure.Font()->Assign(grid->Font());
    for (Integer row = 0; row < grid->RowCount(); ++row) {
      for (Integer col = 0; col < 4; ++col) {
        SCOPED_TRACE((grid == f->ACG_Vars_Case_IN ? "IN " : "OUT ") + std::to_string(col) + "," + std::to_string(row));
        const bool is_cut = std::any_of(std::begin(cut), std::end(cut), [&](const Cut& c) {
          return c.grid == grid && c.col == col && c.row == row;
        });
        const String text = grid->Cells(col, row);
        const TRect cell = grid->CellRect(col, row);
        EXPECT_EQ(measure.TextWidth(text) > cell.Width(), is_cut) << "the texts are cut or fit by a wide margin";
        EXPECT_EQ(enocean_forms_test::Hint_After_Rest(grid, TPoint(cell.Left + 5, cell.Top + 5)),
                  is_cut ? text : String());
      }
    }
  }
  Application->CancelHint();
  TestHarness::UseFakeClock(false);
  f->Hide();
}

TEST_F(UEnOcean_Variable_SAck, TheWidthMayChangeTheHeightMayNot) {
  TFEnOcean_Variable_SAck* f = Dlg.Form;
  TestHarness::ShowForm(f);
  const Integer width = f->Width();
  const Integer height = f->Height();
  f->SetBounds(f->Left(), f->Top(), width + 60, height + 80);
  TestHarness::ProcessEvents();
  EXPECT_EQ(f->Width(), width + 60);
  EXPECT_EQ(f->Height(), height);
  // Lists and tables stretch with the window.
  EXPECT_EQ(f->CB_EEP_Type->Width(), 307 + 60);
  EXPECT_EQ(f->ACG_Vars_Case_OUT->Width(), 425 + 60);
  EXPECT_EQ(f->ACG_Vars_Case_OUT->Height(), 137);
  f->Hide();
}

TEST_F(UEnOcean_Variable_SAck, MessagesOfTheOKCheck) {
  // Device 0 holds four EEPs, the sensor among them; device 1 the actuator with CMD of the Request
  // case; device 2 nothing.
  TDevice_EnOcean& full = Add_Device();
  Add_EEP(full.UnidirectionalList, 0xF6, 0x02, 0x01);
  Add_EEP(full.UnidirectionalList, 0xA5, 0x02, 0x05);
  Add_EEP(full.UnidirectionalList, 0xD5, 0x00, 0x01);
  Add_EEP(full.SmartACKList, 0xD2, 0x20, 0x02);
  TRorFunTyp& actuator = Add_EEP(Add_Device().SmartACKList, 0xD2, 0x20, 0x01);
  actuator.VariableList.push_back(std::make_unique<TVarEnOcean>());
  actuator.VariableList.back()->FData = u"CMD";
  Add_Device();

  struct Row {
    const char* name;
    Integer device;
    Integer type, case_in;
    const char16_t* position;  // typed into every row of the IN table
    const char16_t* message;   // nullptr: accepted
    Integer eep_index;
  };
  const Row rows[] = {
      {"no device selected", 5, 0, 0, u"1", u"Error!! Insert or select one EnOcean Device", -1},
      {"no TYPE", 2, -1, -1, u"1", u"Error!! Select a TYPE before add an EEP", -1},
      {"no IN case", 2, 0, -1, u"1", u"Error!! Select a Variable before add", -1},
      {"positions left empty", 2, 0, 0, nullptr, u"Error!! Position must be between 0 and 1999", -1},
      {"new EEP on a full device", 0, 0, 0, u"3", u"Error!! No more space for EEP", -1},
      {"an EEP of the full device", 0, 1, 0, u"3", nullptr, 0},
      {"field the EEP holds", 1, 0, 0, u"3", u"Error!! Variable already inserted in EEP", 0},
      {"accepted", 2, 0, 0, u"3", nullptr, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Dlg->Ind_Dev = row.device;
    TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", [&](TCustomForm& f) {
      if (row.type >= 0) User_Choose(Dlg->CB_EEP_Type, row.type);
      if (row.case_in >= 0) User_Choose(Dlg->CB_Var_Case_IN, row.case_in);
      if (row.position) {
        for (Integer r = 1; r < Dlg->ACG_Vars_Case_IN->RowCount(); ++r) Dlg->ACG_Vars_Case_IN->SetCells(2, r, row.position);
      }
      if (row.message) TestHarness::ExpectMessage(row.message, mtError);
      TestHarness::Click(Dlg->Btn_OK);
      if (f.ModalResult() == mrNone) TestHarness::Click(Dlg->Btn_Cancel);
    });
    EXPECT_EQ(Dlg->ShowModal(), row.message ? mrCancel : mrOk);
    EXPECT_TRUE(TestHarness::Verify());
    EXPECT_EQ(Dlg->EEP_Index, row.eep_index);
  }
  // The dialog changes nothing of the network.
  EXPECT_TRUE(DevList[0]->SmartACKList[0]->VariableList.empty());
  EXPECT_EQ(DevList[1]->SmartACKList[0]->VariableList.size(), 1u);
  EXPECT_TRUE(DevList[2]->SmartACKList.empty());
}

TEST_F(UEnOcean_Variable_SAck, ACatalogueTooShortSelectsNothing) {
  // A catalogue without a fourth RORG: the fixed positions find nothing.
  Catalog = std::make_unique<TCatalog_EnOcean>();
  ASSERT_TRUE(Catalog->Read_Cat_EnOcean_XML(Utf8ToString(KP_FIXTURES_DIR "/enocean/catalog/hand_made.xml")));
  Catalog->List_Rorg.resize(3);
  Catalog->Rorg_SL.resize(3);
  Catalog_EnOcean = Catalog.get();
  TFormHolder<TFEnOcean_Variable_SAck> dlg;
  dlg.Create();
  Add_Device();
  dlg->DevList = &DevList;
  dlg->Ind_Dev = 0;
  TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", [&](TCustomForm& f) {
    EXPECT_EQ(dlg->CB_EEP_Rorg->ItemIndex(), -1);
    EXPECT_TRUE(Items_Of(dlg->CB_EEP_Func).empty());
    EXPECT_TRUE(Items_Of(dlg->CB_EEP_Type).empty());
    TestHarness::ExpectMessage(u"Error!! Select a RORG before add an EEP", mtError);
    TestHarness::Click(dlg->Btn_OK);
    EXPECT_EQ(f.ModalResult(), mrNone);
    TestHarness::Click(dlg->Btn_Cancel);
  });
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
}

TEST_F(UEnOcean_Variable_SAck, AGroupTypedIntoTheTablesIsStoredAndWritten) {
  TDevice_EnOcean& device = Add_Device();
  device.FId = u"0x0181A2B3";
  TRorFunTyp& temperature = Add_EEP(device.UnidirectionalList, 0xA5, 0x02, 0x05);
  temperature.VariableList.push_back(std::make_unique<TVarEnOcean>());
  TVarEnOcean& tmp = *temperature.VariableList.back();
  tmp.FData = u"TMP";
  tmp.FBitOffs = 16;
  tmp.FBitSize = 8;
  tmp.FPosition = 1;
  Dlg->Ind_Dev = 0;

  TFEnOcean_Variable_SAck* f = Dlg.Form;
  TestHarness::ExpectModal(u"TFEnOcean_Variable_SAck", [&](TCustomForm& form) {
    User_Choose(f->CB_EEP_Type, 0);
    User_Choose(f->CB_Var_Case_IN, 0);   // CMD, POS, ANG
    User_Choose(f->CB_Var_Case_OUT, 1);  // POS, ST
    TExColumnGrid* in = f->ACG_Vars_Case_IN;
    TExColumnGrid* out = f->ACG_Vars_Case_OUT;
    Type_Cell(in, 2, 1, u"10");
    Toggle_Cell(in, 2);  // POS not used
    Type_Cell(in, 2, 3, u"11");
    Pick_Bit_Start(in, 3, 3);
    Type_Cell(out, 2, 1, u"12");
    Pick_Bit_Start(out, 1, 1);
    Pick_Bit_Start(out, 2, 7);
    EXPECT_EQ(Table_Of(in), (std::vector<String>{u"CMD : 0, 4|Y|10|0", u"POS : 8, 7|N||0", u"ANG : 16, 8|Y|11|3"}));
    // The last position is typed and the dialog confirmed at once, without Enter.
    out->SetCol(2);
    out->SetRow(2);
    TestHarness::TypeText(out, u"13");
    TestHarness::ProcessEvents();
    TestHarness::Click(f->Btn_OK);
    EXPECT_EQ(form.ModalResult(), mrOk);
  });
  ASSERT_EQ(f->ShowModal(), mrOk);
  EXPECT_EQ(f->EEP_Index, -1);

  EXPECT_EQ(Add_SAck_Group(*Catalog, device, f->SAck_Choice(), f->EEP_Index), 0);
  const TTempFolder folder("sackdlg_group");
  const std::filesystem::path dir = folder.FsPath();
  ASSERT_TRUE(Save_Configuration(DevList, Utf8ToString((dir / "EnOcean.xml").string())));
  EXPECT_EQ(Read_Bytes(dir / "EnOcean.xml"), Read_Bytes(KP_FIXTURES_DIR "/enocean/sack/group_stored.xml"));

  // Read back, the group is the Smart-ACK EEP with its variables.
  const TDevice_EnOcean_List read = std::move(Read_Network_File(Utf8ToString((dir / "EnOcean.xml").string())).Devices);
  ASSERT_EQ(read.size(), 1u);
  ASSERT_EQ(read[0]->SmartACKList.size(), 1u);
  EXPECT_EQ(read[0]->SmartACKList[0]->VariableList.size(), 4u);
}

}  // namespace
