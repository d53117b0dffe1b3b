// The string grid's editing: the text editor with its filters, paste, length limit and lookup; the
// combo, check box and spin editors; validation, the end of an edit and its notifications; the
// cell-change gate; the advance after Enter and the Tab walk; edit links, fixed-cell editors and
// the form controls of HTML cells.
#include <gtest/gtest.h>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridRichEdit.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"

namespace {

// A grid that lets the tests reach a few of its editing values.
class TEditGrid : public TExStringGrid {
 public:
  explicit TEditGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TEditGrid"; }
  TGridCombo* Combo() const { return EditCombo; }
  TGridCheckBox* Check() const { return EditCheck; }
  TGridTransEdit* TransEdit() const { return EditTrans; }
  TControlEdit* ControlEditor() const { return FEditControl; }
  TControlCombo* ControlCombo() const { return FComboControl; }
  bool Editing() const { return FEditing; }
  bool InEdit() const { return EditMode; }
  bool LastValidation() const { return FLastValidation; }
  const String& OldCellText() const { return FOldCellText; }
  THintWindow* InvalidEntryHint() const { return FInvalidEntryHint; }
  using TExStringGrid::SelectCell;
};

// The virtual key of a typed character (0 for characters without one of their own).
Word KeyOf(Char Ch) {
  if (Ch >= u'a' && Ch <= u'z') return static_cast<Word>(u'A' + (Ch - u'a'));
  if ((Ch >= u'A' && Ch <= u'Z') || (Ch >= u'0' && Ch <= u'9')) return static_cast<Word>(Ch);
  switch (Ch) {
    case u' ': return VK_SPACE;
    case u'-': return VK_OEM_MINUS;
    case u'.': return VK_OEM_PERIOD;
    case u',': return VK_OEM_COMMA;
    default: return 0;
  }
}

void Type(TWinControl* C, const String& Text) {
  for (Char ch : Text) {
    const bool upper = ch >= u'A' && ch <= u'Z';
    TestHarness::SendKeyStroke(C, KeyOf(ch), upper ? TShiftState(ssShift) : TShiftState(), String(1, ch));
  }
}

void Key(TWinControl* C, Word VirtualKey, TShiftState Shift = TShiftState()) {
  String chars;
  if (VirtualKey == VK_RETURN) chars = u"\r";
  if (VirtualKey == VK_ESCAPE) chars = String(1, Char(27));
  if (VirtualKey == VK_TAB) chars = u"\t";
  if (VirtualKey == VK_BACK) chars = String(1, Char(8));
  TestHarness::SendKeyStroke(C, VirtualKey, Shift, chars);
}

class ExGridEditTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TEditGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(10, 10, 500, 300);
    Grid->SetOptions(Grid->Options() << goEditing);
    for (Integer r = 1; r < Grid->RowCount(); ++r)
      for (Integer c = 1; c < Grid->ColCount(); ++c) Grid->SetCells(c, r, IntToStr(c) + IntToStr(r));
    Grid->SetFocus();
    TestHarness::ProcessEvents();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  // Opens the editor on (ACol, ARow) as F2 does.
  TExInplaceEdit* OpenEditor(Integer ACol, Integer ARow) {
    Grid->SetCol(ACol);
    Grid->SetRow(ARow);
    Grid->ShowInplaceEdit();
    TestHarness::ProcessEvents();
    return Grid->NormalEdit();
  }
  TForm* Form = nullptr;
  TEditGrid* Grid = nullptr;
};

// --- The text editor: opening, committing, Esc, notifications --------------------------------------

TEST_F(ExGridEditTest, EnterCommitsTheEditedTextAndReportsTheEnd) {
  std::vector<String> log;
  Grid->OnCellValidate = [&](TObject*, Integer ACol, Integer ARow, String& Value, bool&) {
    log.push_back(u"validate " + IntToStr(ACol) + u"," + IntToStr(ARow) + u" " + Value);
  };
  Grid->OnEditingDone = [&](TObject*) { log.push_back(u"done"); };
  Grid->OnEditCellDone = [&](TObject*, Integer ACol, Integer ARow) {
    log.push_back(u"cell done " + IntToStr(ACol) + u"," + IntToStr(ARow));
  };
  TExInplaceEdit* ed = OpenEditor(2, 3);
  ASSERT_NE(ed, nullptr);
  EXPECT_TRUE(ed->Focused());
  EXPECT_EQ(ed->Text(), u"23");
  Type(ed, u"abc");
  EXPECT_EQ(ed->Text(), u"abc");
  Key(ed, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 3), u"abc");
  EXPECT_FALSE(Grid->InEdit());
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], u"validate 2,3 abc");
  EXPECT_EQ(log[1], u"done");
  EXPECT_EQ(log[2], u"cell done 2,3");
}


TEST_F(ExGridEditTest, EscPutsBackTheTextTheCellHadWhenEditingBegan) {
  TExInplaceEdit* ed = OpenEditor(1, 2);
  ASSERT_NE(ed, nullptr);
  Type(ed, u"xyz");
  EXPECT_EQ(Grid->Cells(1, 2), u"xyz");  // the editor writes through while typing
  Key(ed, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(1, 2), u"12");
  EXPECT_FALSE(Grid->InEdit());
  EXPECT_FALSE(ed->Visible());
}

// Leaving the grid for another control of the form (a dialog's OK button) commits the edit: the
// value is validated once, the cell keeps it and the editor closes.
TEST_F(ExGridEditTest, FocusMovingToAnotherControlCommitsTheEdit) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  std::vector<String> validated;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool&) { validated.push_back(Value); };
  Integer done = 0;
  Grid->OnEditCellDone = [&](TObject*, Integer, Integer) { ++done; };
  TExInplaceEdit* ed = OpenEditor(2, 3);
  ASSERT_NE(ed, nullptr);
  Type(ed, u"new");
  Other->SetFocus();
  TestHarness::ProcessEvents();
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Grid->Cells(2, 3), u"new");
  EXPECT_EQ(validated, (std::vector<String>{u"new"}));
  EXPECT_FALSE(Grid->InEdit());
  EXPECT_FALSE(ed->Visible());
  EXPECT_EQ(done, 1);
}

// A handler refusing the value: the editor stays open on the cell with the refused text or the
// handler's value, and Esc gives the cell back the text the editor started from.
// A text refused while the focus leaves for another control is not written: the cell keeps its
// old text, or the value the handler gave.
TEST_F(ExGridEditTest, FocusLeavingWithARefusedTextKeepsTheOldOrTheHandlersValue) {
  struct Case {
    const char* Name;
    bool ChangeValue;
    const char16_t* Cell;
  } Cases[] = {{"refused", false, u"23"}, {"refused with the handler's value", true, u"fixed"}};
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(2, 3, u"23");
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
      Valid = false;
      if (C.ChangeValue) Value = u"fixed";
    };
    Grid->SetFocus();
    TExInplaceEdit* ed = OpenEditor(2, 3);
    ASSERT_NE(ed, nullptr);
    Type(ed, u"bad");
    Other->SetFocus();
    TestHarness::ProcessEvents();
    Grid->OnCellValidate = nullptr;
    EXPECT_TRUE(Other->Focused());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(Grid->Cells(2, 3), String(C.Cell));
  }
}

TEST_F(ExGridEditTest, RefusedValueKeepsTheEditorOnTheCell) {
  struct Case {
    const char* Name;
    bool ChangeValue;
    String Shown;
    String AfterEsc;
  };
  // The handler's value is what the reopened editor starts from, so Esc keeps it.
  const Case cases[] = {
      {"refused unchanged", false, u"bad", u"22"},
      {"refused with the handler's value", true, u"fixed", u"fixed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetCells(2, 2, u"22");
    Integer calls = 0;
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
      ++calls;
      Valid = false;
      if (c.ChangeValue) Value = u"fixed";
    };
    TExInplaceEdit* ed = OpenEditor(2, 2);
    ASSERT_NE(ed, nullptr);
    Type(ed, u"bad");
    Key(ed, VK_RETURN);
    TestHarness::ProcessEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 2);
    ASSERT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Text(), c.Shown);
    EXPECT_FALSE(Grid->LastValidation());
    Grid->OnCellValidate = nullptr;
    Key(ed, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Cells(2, 2), c.AfterEsc);
  }
}

// With the cursor walk, Left at the start of the text and Right at its end commit the text and
// move to the neighbour cell with the editor open there; a refused text keeps the editor on the cell.
TEST_F(ExGridEditTest, CursorWalkLeavesTheCellAtTheTextsEdges) {
  struct Case {
    const char* Name;
    Word Key;
    bool Refuse;
    Integer Col;          // the current column afterwards
    const char16_t* Cell; // the text of cell (2, 2) afterwards
  } Cases[] = {
      {"right at the end", VK_RIGHT, false, 3, u"22x"},
      {"left at the start", VK_LEFT, false, 1, u"22x"},
      {"right, refused", VK_RIGHT, true, 2, u"22"},
      {"left, refused", VK_LEFT, true, 2, u"22"},
  };
  Grid->Navigation()->SetCursorWalkEditor(true);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(2, 2, u"22");
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool& Valid) { Valid = !C.Refuse; };
    Grid->SetFocus();
    TExInplaceEdit* ed = OpenEditor(2, 2);
    ASSERT_NE(ed, nullptr);
    ed->SetText(u"22x");
    ed->SetSelStart(C.Key == VK_LEFT ? 0 : 3);
    ed->SetSelLength(0);
    Key(ed, C.Key);
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Col(), C.Col);
    EXPECT_EQ(Grid->Row(), 2);
    Grid->OnCellValidate = nullptr;
    if (C.Refuse) {
      // Still editing the cell: Esc gives back the text it had before.
      ASSERT_TRUE(ed->Visible());
      Key(ed, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
    EXPECT_EQ(Grid->Cells(2, 2), String(C.Cell));
    if (ed->Visible()) {
      Key(ed, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
  }
}

// Where the navigation does not allow Ctrl+Enter in a wrapping grid, the key is swallowed: the edit
// goes on without a line break and plain Enter commits.
TEST_F(ExGridEditTest, CtrlEnterIsSwallowedWhereNotAllowed) {
  struct Case {
    const char* Name;
    bool AllowCtrlEnter;
    bool WordWrap;
  } Cases[] = {
      {"not allowed", false, true},
      {"allowed, not wrapping", true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->Navigation()->SetAllowCtrlEnter(C.AllowCtrlEnter);
    Grid->SetWordWrap(C.WordWrap);
    Grid->SetCells(2, 2, String());
    Grid->SetFocus();
    TExInplaceEdit* ed = OpenEditor(2, 2);
    ASSERT_NE(ed, nullptr);
    Type(ed, u"ab");
    TestHarness::SendKeyStroke(ed, VK_RETURN, TShiftState(ssCtrl), String(1, Char(10)));
    TestHarness::ProcessEvents();
    ASSERT_TRUE(ed->Visible());
    Type(ed, u"cd");
    Key(ed, VK_RETURN);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(Grid->Cells(2, 2), u"abcd");
  }
}

// Up and Down with a refused text keep the editor on the cell: the grid does not move.
TEST_F(ExGridEditTest, UpAndDownWithARefusedTextStayOnTheCell) {
  struct Case {
    const char* Name;
    Word Key;
  } Cases[] = {{"up", VK_UP}, {"down", VK_DOWN}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(2, 2, u"22");
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    Grid->SetFocus();
    TExInplaceEdit* ed = OpenEditor(2, 2);
    ASSERT_NE(ed, nullptr);
    Type(ed, u"x");
    Key(ed, C.Key);
    TestHarness::ProcessEvents();
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Col(), 2);
    Grid->OnCellValidate = nullptr;
    Key(ed, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Cells(2, 2), u"22");
  }
}

TEST_F(ExGridEditTest, UnchangedTextIsValidatedOnlyWithAlwaysValidate) {
  for (bool always : {false, true}) {
    SCOPED_TRACE(always ? "AlwaysValidate" : "default");
    Integer calls = 0;
    Grid->SetAlwaysValidate(always);
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool&) { ++calls; };
    TExInplaceEdit* ed = OpenEditor(3, 3);
    ASSERT_NE(ed, nullptr);
    Key(ed, VK_RETURN);
    TestHarness::ProcessEvents();
    EXPECT_EQ(calls, always ? 1 : 0);
    EXPECT_EQ(Grid->Cells(3, 3), u"33");
  }
}

TEST_F(ExGridEditTest, UndoRecordsOnlyAcceptedChangesWithTheTextBeforeEditing) {
  TExGridUndoRedo undo(Form);
  Grid->SetUndoRedo(&undo);
  bool accept = true;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool& Valid) { Valid = accept; };
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Type(ed, u"new");
  Key(ed, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(undo.Level(), 1);
  accept = false;
  ed = OpenEditor(2, 1);
  Type(ed, u"no");
  Key(ed, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(undo.Level(), 1);
  Key(ed, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_EQ(undo.Level(), 1);
  undo.Undo();
  EXPECT_EQ(Grid->Cells(1, 1), u"11");
  Grid->SetUndoRedo(nullptr);
}

// --- The text editor's character filters ------------------------------------------------------------

TEST_F(ExGridEditTest, TypedCharactersPassTheFilterOfTheEditorType) {
  struct Case {
    const char* Name;
    TEditorType Type;
    String Typed;
    String Expected;
    Integer Beeps;
  };
  const Case cases[] = {
      {"numeric: minus only first and once", edNumeric, u"-1-2", u"-12", 1},
      {"numeric: letters beep", edNumeric, u"1a2", u"12", 1},
      {"positive numeric: minus beeps", edPositiveNumeric, u"-5", u"5", 1},
      {"float: a second separator is dropped", edFloat, u"1.2.3", u"1.23", 0},
      {"float: the thousand separator is dropped", edFloat, u"1,5", u"15", 0},
      {"float: minus only at the start", edFloat, u"1-", u"1", 1},
      {"positive float: minus dropped silently", edPositiveFloat, u"-1.5", u"1.5", 0},
      {"float: letters dropped silently", edFloat, u"x2", u"2", 0},
      {"upper case", edUpperCase, u"abC", u"ABC", 0},
      {"capital", edCapital, u"ab", u"AB", 0},
      {"lower case", edLowerCase, u"AbC", u"abc", 0},
      {"mixed case", edMixedCase, u"john smith", u"John Smith", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetCells(1, 1, String());
    Grid->SetDefaultEditor(c.Type);
    TExInplaceEdit* ed = OpenEditor(1, 1);
    ASSERT_NE(ed, nullptr);
    const Integer beeps = BeepCount();
    Type(ed, c.Typed);
    EXPECT_EQ(ed->Text(), c.Expected);
    EXPECT_EQ(BeepCount() - beeps, c.Beeps);
    Grid->HideInplaceEdit();
    TestHarness::ProcessEvents();
  }
}

TEST_F(ExGridEditTest, ValidCharsFilterTypingWithTheListOrTheSet) {
  Grid->SetDefaultEditor(edValidChars);
  Grid->SetCells(1, 1, String());
  Grid->SetValidChars(u"abc");
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Integer beeps = BeepCount();
  Type(ed, u"abxc");
  EXPECT_EQ(ed->Text(), u"abc");
  EXPECT_EQ(BeepCount() - beeps, 1);
  Key(ed, VK_BACK);
  EXPECT_EQ(ed->Text(), u"ab");
  Grid->HideInplaceEdit();

  Grid->SetValidChars(String());
  TCharSet set;
  set.Include(u'x');
  set.Include(u'y');
  Grid->SetValidCharSet(set);
  Grid->SetCells(1, 1, String());
  ed = OpenEditor(1, 1);
  beeps = BeepCount();
  Type(ed, u"xzy");
  EXPECT_EQ(ed->Text(), u"xy");
  EXPECT_EQ(BeepCount() - beeps, 1);
}

TEST_F(ExGridEditTest, LengthLimitDropsCharactersSilentlyUnlessTheSelectionIsReplaced) {
  Grid->SetMaxEditLength(3);
  Grid->SetCells(1, 1, String());
  TExInplaceEdit* ed = OpenEditor(1, 1);
  const Integer beeps = BeepCount();
  Type(ed, u"abcd");
  EXPECT_EQ(ed->Text(), u"abc");
  EXPECT_EQ(BeepCount(), beeps);
  ed->SetSelStart(1);
  ed->SetSelLength(1);
  Type(ed, u"d");
  EXPECT_EQ(ed->Text(), u"adc");
}

// A limit set while the editor is open holds at once, for typing and for paste.
TEST_F(ExGridEditTest, LengthLimitSetDuringTheEditHoldsAtOnce) {
  Grid->SetCells(1, 1, String());
  TExInplaceEdit* ed = OpenEditor(1, 1);
  ASSERT_NE(ed, nullptr);
  Type(ed, u"ab");
  Grid->SetMaxEditLength(2);
  EXPECT_EQ(ed->LengthLimit(), 2);
  Type(ed, u"c");
  EXPECT_EQ(ed->Text(), u"ab");
  Clipboard()->SetAsText(u"xyz");
  ed->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(ed->Text(), u"ab");
}

TEST_F(ExGridEditTest, PasteIsFilteredByTheEditorType) {
  struct Case {
    const char* Name;
    TEditorType Type;
    String Clip;
    String Expected;
  };
  const Case cases[] = {
      {"numeric takes an integer", edNumeric, u"12", u"312"},
      {"numeric refuses a float", edNumeric, u"1.5", u"3"},
      {"float takes a float", edFloat, u"1.5", u"31.5"},
      {"positive float refuses a minus", edPositiveFloat, u"-2", u"3"},
      {"upper case is upper-cased", edUpperCase, u"ab", u"3AB"},
      {"one trailing line break is dropped", edNormal, u"x\r\n", u"3x"},
      {"two lines keep their break", edNormal, u"a\r\nb", u"3a\r\nb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetDefaultEditor(c.Type);
    Grid->SetCells(1, 1, u"3");
    TExInplaceEdit* ed = OpenEditor(1, 1);
    ASSERT_NE(ed, nullptr);
    ed->SetSelStart(1);
    ed->SetSelLength(0);
    Clipboard()->SetAsText(c.Clip);
    ed->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(ed->Text(), c.Expected);
    EXPECT_EQ(Grid->Cells(1, 1), c.Expected);
    Grid->HideInplaceEdit();
    TestHarness::ProcessEvents();
  }
}

TEST_F(ExGridEditTest, PasteRefusedByAnEventLeavesTheText) {
  Grid->SetCells(1, 1, u"3");
  Grid->OnClipboardPaste = [](TObject*, bool& Allow) { Allow = false; };
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Clipboard()->SetAsText(u"x");
  ed->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(ed->Text(), u"3");
}

// --- Lookup completion ------------------------------------------------------------------------------------

TEST_F(ExGridEditTest, LookupCompletesFromTheItemsAndBackspaceDoesNotCompleteAgain) {
  Grid->SetLookup(true);
  Grid->LookupItems()->Add(u"Berlin");
  Grid->LookupItems()->Add(u"Bern");
  Grid->SetCells(1, 1, String());
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Type(ed, u"Be");
  EXPECT_EQ(ed->Text(), u"Berlin");
  EXPECT_EQ(ed->SelStart(), 2);
  EXPECT_EQ(ed->SelLength(), 4);
  Key(ed, VK_BACK);
  EXPECT_EQ(ed->Text(), u"Be");
}

TEST_F(ExGridEditTest, LookupHistoryKeepsEachLeftTextOnce) {
  Grid->SetLookupHistory(true);
  for (int i = 0; i < 2; ++i) {
    TExInplaceEdit* ed = OpenEditor(1, 1 + i);
    ed->SetText(u"Basel");
    Grid->HideInplaceEdit();
    TestHarness::ProcessEvents();
  }
  EXPECT_EQ(Grid->LookupItems()->Count(), 1);
  EXPECT_EQ(Grid->LookupItems()->Strings(0), u"Basel");
}

// An emptied cell leaves nothing in the history: an empty entry would only stand in the list.
TEST_F(ExGridEditTest, LookupHistoryTakesNoEmptyText) {
  Grid->SetLookupHistory(true);
  TExInplaceEdit* ed = OpenEditor(1, 1);
  ed->SetText(String());
  Grid->HideInplaceEdit();
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->LookupItems()->Count(), 0);
}

// --- The combo editor --------------------------------------------------------------------------------

class ExGridComboTest : public ExGridEditTest {
 protected:
  void SetUp() override {
    ExGridEditTest::SetUp();
    Grid->SetDefaultEditor(edComboList);
    Grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
      Grid->ClearComboString();
      Grid->AddComboString(u"Alpha");
      Grid->AddComboString(u"Beta");
      Grid->AddComboString(u"Gamma");
    };
    Grid->OnComboChange = [this](TObject*, Integer ACol, Integer ARow, Integer Index, const String& S) {
      Changes.push_back(IntToStr(ACol) + u"," + IntToStr(ARow) + u":" + IntToStr(Index) + u"=" + S);
    };
  }
  TGridCombo* OpenCombo(Integer ACol, Integer ARow) {
    Grid->SetCol(ACol);
    Grid->SetRow(ARow);
    Grid->ShowInplaceEdit();
    TestHarness::ProcessEvents();
    return Grid->Combo();
  }
  std::vector<String> Changes;
};

TEST_F(ExGridComboTest, PickListOnATextOutsideTheListSelectsTheFirstItemAndReportsIt) {
  Grid->SetCells(2, 2, u"zz");
  TGridCombo* combo = OpenCombo(2, 2);
  ASSERT_TRUE(combo->Visible());
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(combo->ItemIndex(), 0);
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.front(), u"2,2:0=Alpha");
}

TEST_F(ExGridComboTest, PickListOnATextOfTheListSelectsItAndReportsNothing) {
  Grid->SetCells(2, 2, u"Beta");
  TGridCombo* combo = OpenCombo(2, 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_TRUE(Changes.empty());
}

// Leaving a combo editor for another control of the form writes the chosen item, in both styles,
// also in a column right of a hidden one.
TEST_F(ExGridComboTest, FocusMovingToAnotherControlWritesTheCombosValue) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  Grid->HideColumn(1);
  struct Case {
    const char* Name;
    TEditorType Editor;
  } Cases[] = {{"pick list", edComboList}, {"editable combo", edComboEdit}};
  Integer row = 2;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetDefaultEditor(C.Editor);
    Grid->SetCells(3, row, u"Beta");
    Grid->SetFocus();
    TGridCombo* combo = OpenCombo(2, row);
    ASSERT_TRUE(combo->Visible());
    combo->SetItemIndex(2);
    Other->SetFocus();
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Cells(3, row), u"Gamma");
    EXPECT_EQ(Grid->Cells(2, row), u"2" + IntToStr(row));
    EXPECT_FALSE(combo->Visible());
    EXPECT_FALSE(Grid->InEdit());
    ++row;
  }
}

TEST_F(ExGridComboTest, EnterWritesTheSelectionAndEscKeepsTheCell) {
  Grid->SetCells(2, 2, u"Beta");
  TGridCombo* combo = OpenCombo(2, 2);
  combo->SetItemIndex(2);
  Key(combo, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"Gamma");
  EXPECT_FALSE(combo->Visible());

  Grid->SetCells(2, 3, u"Beta");
  combo = OpenCombo(2, 3);
  combo->SetItemIndex(0);
  Key(combo, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 3), u"Beta");
  EXPECT_FALSE(combo->Visible());
}

// Esc in the editable combo drops the typed text and keeps the cell.
TEST_F(ExGridComboTest, EscInTheEditableComboKeepsTheCell) {
  Grid->SetDefaultEditor(edComboEdit);
  Grid->SetCells(2, 2, u"Beta");
  TGridCombo* combo = OpenCombo(2, 2);
  ASSERT_TRUE(combo->Visible());
  combo->SelectAll();
  Type(combo, u"xyz");
  Key(combo, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
  EXPECT_EQ(Grid->Row(), 2);
}

// Esc while the list is dropped down closes the list only: the cell stays in edit and the form's
// cancel button is not pressed; the next Esc ends the edit and keeps the cell.
TEST_F(ExGridComboTest, EscWithTheListOpenClosesOnlyTheList) {
  auto* cancel = new TButton(Form);
  cancel->SetParent(Form);
  cancel->SetBounds(10, 320, 80, 24);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  for (const TEditorType editor : {edComboList, edComboEdit}) {
    SCOPED_TRACE(editor == edComboList ? "pick list" : "editable combo");
    Grid->SetDefaultEditor(editor);
    Grid->SetCells(2, 2, u"Beta");
    TGridCombo* combo = OpenCombo(2, 2);
    ASSERT_TRUE(combo->Focused());
    combo->SetDroppedDown(true);
    TestHarness::ProcessEvents();
    ASSERT_TRUE(combo->DroppedDown());
    TestHarness::Key(combo, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_TRUE(combo->Visible());
    EXPECT_TRUE(Grid->InEdit());
    EXPECT_EQ(Form->ModalResult(), mrNone);
    TestHarness::Key(combo, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
    EXPECT_EQ(Form->ModalResult(), mrNone);
  }
}

TEST_F(ExGridComboTest, WheelWalksTheItemsWithinTheListAndNamesTheRealColumn) {
  Grid->HideColumn(1);
  Grid->SetCells(2, 2, u"Gamma");
  TGridCombo* combo = OpenCombo(1, 2);  // display column 1 shows real column 2
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->ItemIndex(), 2);
  Changes.clear();
  combo->Perform(WM_MOUSEWHEEL, MakeWParam(0, -120), 0);
  EXPECT_EQ(combo->ItemIndex(), 2);
  combo->Perform(WM_MOUSEWHEEL, MakeWParam(0, 120), 0);
  EXPECT_EQ(combo->ItemIndex(), 1);
  ASSERT_EQ(Changes.size(), 2u);
  EXPECT_EQ(Changes[1], u"2,2:1=Beta");
}

TEST_F(ExGridComboTest, EditableComboCompletesFromItsItems) {
  Grid->SetDefaultEditor(edComboEdit);
  Grid->SetLookup(true);
  Grid->SetCells(2, 2, String());
  TGridCombo* combo = OpenCombo(2, 2);
  combo->SelectAll();
  Type(combo, u"b");
  EXPECT_EQ(combo->Text(), u"beta");
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Impl()->SelStart(), 1);
  EXPECT_EQ(combo->Impl()->SelLength(), 3);
}

// Without a match among its items the editable combo completes from the grid's lookup list, and
// selects no item for it.
TEST_F(ExGridComboTest, EditableComboFallsBackToTheLookupList) {
  Grid->SetDefaultEditor(edComboEdit);
  Grid->SetLookup(true);
  Grid->LookupItems()->Add(u"Zulu");
  Grid->SetCells(2, 2, String());
  TGridCombo* combo = OpenCombo(2, 2);
  combo->SelectAll();
  Type(combo, u"z");
  EXPECT_EQ(combo->Text(), u"zulu");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Impl()->SelStart(), 1);
  EXPECT_EQ(combo->Impl()->SelLength(), 3);
}

TEST_F(ExGridComboTest, UpAndDownLeaveTheEditorWhenTheComboDoesNotKeepThem) {
  Grid->Navigation()->SetComboGetUpDown(false);
  Grid->SetCells(2, 2, u"Beta");
  TGridCombo* combo = OpenCombo(2, 2);
  Key(combo, VK_DOWN);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
  EXPECT_EQ(Grid->Cells(2, 3), u"23");
}

// With the combo keeping Up and Down (the default) and its list closed, the pick list walks its
// items and stays open on the cell, while the editable combo commits its text and leaves the cell.
TEST_F(ExGridComboTest, UpAndDownKeptByTheComboWalkAPickListAndEndAnEditableCombo) {
  struct Case {
    const char* Name;
    TEditorType Editor;
    Word Key;
    bool StaysOpen;
    Integer Index;      // the pick list's item afterwards
    const char16_t* Cell;  // the cell's text afterwards
  } Cases[] = {
      {"pick list down", edComboList, VK_DOWN, true, 2, u"Beta"},
      {"pick list up", edComboList, VK_UP, true, 0, u"Beta"},
      {"editable down", edComboEdit, VK_DOWN, false, -1, u"Delta"},
      {"editable up", edComboEdit, VK_UP, false, -1, u"Delta"},
  };
  ASSERT_TRUE(Grid->Navigation()->ComboGetUpDown());
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetDefaultEditor(C.Editor);
    Grid->SetFocus();
    Grid->SetCells(2, 2, u"Beta");
    TGridCombo* combo = OpenCombo(2, 2);
    ASSERT_TRUE(combo->Visible());
    if (C.Editor == edComboEdit) {
      combo->SetText(u"Delta");
      combo->SelectAll();
    }
    Key(combo, C.Key);
    TestHarness::ProcessEvents();
    EXPECT_EQ(combo->Visible(), C.StaysOpen);
    if (C.StaysOpen) {
      EXPECT_EQ(combo->ItemIndex(), C.Index);
      EXPECT_EQ(Grid->Row(), 2);
      Key(combo, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
    EXPECT_EQ(Grid->Cells(2, 2), String(C.Cell));
    EXPECT_FALSE(combo->Visible());
  }
}

// An item picked in the dropped list is reported; closing the list commits it and ends the edit
// only with DirectComboClose, otherwise the editor stays open until Enter.
TEST_F(ExGridComboTest, ClosingTheDroppedListCommitsOnlyWithDirectComboClose) {
  struct Case {
    const char* Name;
    bool DirectClose;
  } Cases[] = {{"direct close", true}, {"list closed only", false}};
  Integer row = 2;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->MouseActions()->SetDirectComboClose(C.DirectClose);
    Grid->SetFocus();
    Grid->SetCells(2, row, u"Alpha");
    TGridCombo* combo = OpenCombo(2, row);
    ASSERT_TRUE(combo->Visible());
    Changes.clear();
    combo->SetDroppedDown(true);
    TestHarness::ProcessEvents();
    combo->SetItemIndex(2);
    combo->SetDroppedDown(false);
    TestHarness::ProcessEvents();
    EXPECT_EQ(combo->Visible(), !C.DirectClose);
    if (C.DirectClose) {
      EXPECT_EQ(Grid->Cells(2, row), u"Gamma");
      ASSERT_FALSE(Changes.empty());
      EXPECT_EQ(Changes.back(), u"2," + IntToStr(row) + u":2=Gamma");
    } else {
      EXPECT_EQ(Grid->Cells(2, row), u"Alpha");
      Key(combo, VK_RETURN);
      TestHarness::ProcessEvents();
      EXPECT_FALSE(combo->Visible());
      EXPECT_EQ(Grid->Cells(2, row), u"Gamma");
    }
    ++row;
  }
}

// A letter typed into the pick list selects the first item it starts and reports the choice with
// the real column.
TEST_F(ExGridComboTest, TypedLetterSelectsAnItemAndReportsIt) {
  Grid->HideColumn(1);
  Grid->SetCells(2, 2, u"Alpha");
  TGridCombo* combo = OpenCombo(1, 2);  // display column 1 shows real column 2
  ASSERT_TRUE(combo->Visible());
  Changes.clear();
  std::vector<TObject*> pressedBy;
  Grid->OnKeyPress = [&](TObject* Sender, Char&) { pressedBy.push_back(Sender); };
  Type(combo, u"g");
  // The grid's key press hears of the letter once, from the combo.
  EXPECT_EQ(pressedBy, (std::vector<TObject*>{combo}));
  EXPECT_EQ(combo->ItemIndex(), 2);
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.back(), u"2,2:2=Gamma");
  EXPECT_EQ(Grid->Cells(2, 2), u"Alpha");
}

// With goTabs, Tab commits the combo's choice and walks to the next cell (Shift+Tab back).
TEST_F(ExGridComboTest, TabWithGoTabsCommitsAndWalks) {
  struct Case {
    const char* Name;
    TEditorType Editor;
    TShiftState Shift;
    Integer Col;  // the current column afterwards
  } Cases[] = {
      {"pick list, tab", edComboList, TShiftState(), 3},
      {"editable, tab", edComboEdit, TShiftState(), 3},
      {"pick list, shift+tab", edComboList, TShiftState(ssShift), 1},
  };
  Grid->SetOptions(Grid->Options() << goTabs);
  Integer row = 1;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetDefaultEditor(C.Editor);
    Grid->SetFocus();
    Grid->SetCells(2, row, u"Alpha");
    TGridCombo* combo = OpenCombo(2, row);
    ASSERT_TRUE(combo->Visible());
    combo->SetItemIndex(1);
    Key(combo, VK_TAB, C.Shift);
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Cells(2, row), u"Beta");
    EXPECT_EQ(Grid->Row(), row);
    EXPECT_EQ(Grid->Col(), C.Col);
    ++row;
  }
}

// The editable combo walks out of its cell like the text editor: Right at the end of the text and
// Left at its start, once the text is accepted; a refused text keeps the combo on the cell.
TEST_F(ExGridComboTest, EditableComboCursorWalkLeavesTheCellOnlyWithAnAcceptedText) {
  struct Case {
    const char* Name;
    Word Key;
    bool Refuse;
    Integer Col;           // the current column afterwards
    const char16_t* Cell;  // the text of cell (2, 2) once the edit is over
  } Cases[] = {
      {"right at the end", VK_RIGHT, false, 3, u"Delta"},
      {"left at the start", VK_LEFT, false, 1, u"Delta"},
      {"right, refused", VK_RIGHT, true, 2, u"Beta"},
      {"left, refused", VK_LEFT, true, 2, u"Beta"},
  };
  Grid->SetDefaultEditor(edComboEdit);
  Grid->Navigation()->SetCursorWalkEditor(true);
  Grid->Navigation()->SetCursorWalkAlwaysEdit(false);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(2, 2, u"Beta");
    Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool& Valid) { Valid = !C.Refuse; };
    Grid->SetFocus();
    TGridCombo* combo = OpenCombo(2, 2);
    ASSERT_TRUE(combo->Visible());
    combo->SetText(u"Delta");
    combo->Impl()->SetSelection(C.Key == VK_LEFT ? 0 : 5, 0);
    Key(combo, C.Key);
    TestHarness::ProcessEvents();
    EXPECT_EQ(Grid->Col(), C.Col);
    EXPECT_EQ(Grid->Row(), 2);
    Grid->OnCellValidate = nullptr;
    if (C.Refuse) {
      ASSERT_TRUE(combo->Visible());
      Key(combo, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
    EXPECT_EQ(Grid->Cells(2, 2), String(C.Cell));
    if (combo->Visible()) {
      Key(combo, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
  }
}

// A choice refused on Enter keeps the combo on the cell in both styles; the cell keeps its text.
TEST_F(ExGridComboTest, RefusedChoiceKeepsTheComboOnTheCell) {
  struct Case {
    const char* Name;
    TEditorType Editor;
  } Cases[] = {{"pick list", edComboList}, {"editable", edComboEdit}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetDefaultEditor(C.Editor);
    Grid->SetFocus();
    Grid->SetCells(2, 2, u"Alpha");
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    TGridCombo* combo = OpenCombo(2, 2);
    ASSERT_TRUE(combo->Visible());
    combo->SetItemIndex(2);
    Key(combo, VK_RETURN);
    TestHarness::ProcessEvents();
    EXPECT_TRUE(combo->Visible());
    EXPECT_EQ(Grid->Row(), 2);
    Grid->OnCellValidate = nullptr;
    Key(combo, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(Grid->Cells(2, 2), u"Alpha");
  }
}

// A choice refused while the focus leaves for another control is not written.
TEST_F(ExGridComboTest, RefusedChoiceIsNotWrittenWhenTheFocusLeaves) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  struct Case {
    const char* Name;
    TEditorType Editor;
  } Cases[] = {{"pick list", edComboList}, {"editable", edComboEdit}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetDefaultEditor(C.Editor);
    Grid->SetFocus();
    Grid->SetCells(2, 2, u"Alpha");
    Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
    TGridCombo* combo = OpenCombo(2, 2);
    ASSERT_TRUE(combo->Visible());
    combo->SetItemIndex(2);
    Other->SetFocus();
    TestHarness::ProcessEvents();
    Grid->OnCellValidate = nullptr;
    EXPECT_EQ(Grid->Cells(2, 2), u"Alpha");
    if (combo->Visible()) {
      Key(combo, VK_ESCAPE);
      TestHarness::ProcessEvents();
    }
  }
}

// Without goTabs but with cells validated, Tab commits the combo's choice and ends the edit.
TEST_F(ExGridComboTest, TabWithValidationCommitsAndEndsTheEdit) {
  std::vector<String> validated;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool&) { validated.push_back(Value); };
  Grid->SetCells(2, 2, u"Alpha");
  TGridCombo* combo = OpenCombo(2, 2);
  ASSERT_TRUE(combo->Visible());
  combo->SetItemIndex(1);
  Key(combo, VK_TAB);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
  ASSERT_FALSE(validated.empty());
  EXPECT_EQ(validated.front(), u"Beta");
}

TEST_F(ExGridComboTest, EnterWithAdvanceOnEnterMovesOnAndOpensTheEditorThere) {
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->SetCells(2, 2, u"Alpha");
  Grid->SetCells(3, 2, u"Gamma");
  TGridCombo* combo = OpenCombo(2, 2);
  combo->SetItemIndex(1);
  Key(combo, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_TRUE(combo->Visible());
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ExGridComboTest, ReturnKeyEventFires) {
  Grid->SetCells(2, 2, u"Alpha");
  TGridCombo* combo = OpenCombo(2, 2);
  combo->SetItemIndex(1);
  Integer returns = 0;
  combo->OnReturnKey = [&](TObject*) { ++returns; };
  Key(combo, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(returns, 1);
  EXPECT_EQ(Grid->Cells(2, 2), u"Beta");
}

// --- Check box and spin editors -------------------------------------------------------------------------

TEST_F(ExGridEditTest, CheckBoxEditorTogglesWithSpaceAndEndsWithEnter) {
  Grid->SetDefaultEditor(edCheckBox);
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TGridCheckBox* cb = Grid->Check();
  ASSERT_TRUE(cb->Visible());
  EXPECT_FALSE(cb->Checked());
  TestHarness::SendKeyStroke(cb, VK_SPACE, TShiftState(), u" ");
  EXPECT_TRUE(cb->Checked());
  Key(cb, VK_HOME);
  EXPECT_TRUE(cb->Visible());
  Key(cb, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(Grid->Row(), 1);
}

// The check box editor ends on Enter and on the arrow keys; Enter moves on only with the advance,
// Up and Down also move the grid a row.
TEST_F(ExGridEditTest, CheckBoxEditorKeysEndTheEditAndMoveAsTheGridDoes) {
  struct Case {
    const char* Name;
    Word Key;
    bool AdvanceOnEnter;
    Integer Col, Row;  // the current cell afterwards
  } Cases[] = {
      {"enter without advance", VK_RETURN, false, 2, 2},
      {"enter with advance", VK_RETURN, true, 3, 2},
      {"down", VK_DOWN, false, 2, 3},
      {"up", VK_UP, false, 2, 1},
  };
  Grid->SetDefaultEditor(edCheckBox);
  // The keys belong to the editor, not to the dialog's default button.
  auto* Ok = new TButton(Form);
  Ok->SetParent(Form);
  Ok->SetBounds(10, 320, 80, 24);
  Ok->SetDefault(true);
  Integer okClicks = 0;
  Ok->OnClick = [&](TObject*) { ++okClicks; };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->Navigation()->SetAdvanceOnEnter(C.AdvanceOnEnter);
    Grid->Navigation()->SetAdvanceAutoEdit(false);
    Grid->SetFocus();
    Grid->SetCol(2);
    Grid->SetRow(2);
    Grid->ShowInplaceEdit();
    TestHarness::ProcessEvents();
    TGridCheckBox* cb = Grid->Check();
    ASSERT_TRUE(cb->Visible());
    Key(cb, C.Key);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Grid->Col(), C.Col);
    EXPECT_EQ(Grid->Row(), C.Row);
  }
  EXPECT_EQ(okClicks, 0);
}

// Tab leaves the check box editor also when the grid validates cells: the focus moves on and the
// edit ends.
TEST_F(ExGridEditTest, TabLeavesTheCheckBoxEditor) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool&) {};
  Grid->SetDefaultEditor(edCheckBox);
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TGridCheckBox* cb = Grid->Check();
  ASSERT_TRUE(cb->Visible());
  Key(cb, VK_TAB);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(cb->Visible());
  EXPECT_FALSE(cb->Focused());
}

TEST_F(ExGridEditTest, SpinEditorEscAfterTypingPutsBackTheOldTextAndValue) {
  Grid->SetDefaultEditor(edSpinEdit);
  Grid->SetCells(1, 1, u"42");
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TGridSpin* spin = Grid->SpinEdit();
  ASSERT_TRUE(spin->Visible());
  spin->SelectAll();
  Type(spin, u"7");
  EXPECT_EQ(spin->Text(), u"7");
  Key(spin, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(spin->Visible());
  EXPECT_EQ(spin->Text(), u"42");
  EXPECT_EQ(spin->Value(), 42);
  EXPECT_EQ(Grid->Cells(1, 1), u"42");
}

// A value refused on Enter keeps the spin editor on the cell, and the cell keeps its old value.
TEST_F(ExGridEditTest, SpinEditorRefusedValueKeepsTheEditorAndTheCell) {
  Grid->SetDefaultEditor(edSpinEdit);
  Grid->SetCells(1, 1, u"42");
  Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TGridSpin* spin = Grid->SpinEdit();
  ASSERT_TRUE(spin->Visible());
  spin->SelectAll();
  Type(spin, u"7");
  Key(spin, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_TRUE(spin->Visible());
  EXPECT_EQ(Grid->Row(), 1);
  Grid->OnCellValidate = nullptr;
  Key(spin, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(spin->Visible());
  EXPECT_EQ(Grid->Cells(1, 1), u"42");
}

TEST_F(ExGridEditTest, SpinEditorPageAndBoundKeysStayWithinTheBounds) {
  Grid->SetDefaultEditor(edSpinEdit);
  Grid->SetCells(1, 1, u"100");
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TGridSpin* spin = Grid->SpinEdit();
  ASSERT_TRUE(spin->Visible());
  EXPECT_EQ(spin->Value(), 100);
  Key(spin, VK_PRIOR);
  EXPECT_EQ(spin->Value(), 100);
  Key(spin, VK_END);
  EXPECT_EQ(spin->Value(), 0);
  Key(spin, VK_HOME);
  EXPECT_EQ(spin->Value(), 100);
  Key(spin, VK_NEXT);
  EXPECT_EQ(spin->Value(), 99);
  Key(spin, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(spin->Visible());
  EXPECT_EQ(Grid->Cells(1, 1), u"100");
}

// --- The cell-change gate ---------------------------------------------------------------------------------

TEST_F(ExGridEditTest, MergedNonBaseCellSendsTheCurrentCellToItsBaseCell) {
  Grid->SetOptions(Grid->Options() >> goRangeSelect);
  Grid->MergeCells(2, 2, 2, 2);
  EXPECT_FALSE(Grid->SelectCell(3, 3));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ExGridEditTest, AVetoOfOneChangingEventIsSeenByTheNext) {
  bool seen = true;
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->OnRowChanging = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
  Grid->OnCellChanging = [&](TObject*, Integer, Integer, Integer, Integer, bool& Allow) { seen = Allow; };
  EXPECT_FALSE(Grid->SelectCell(2, 4));
  EXPECT_FALSE(seen);
}

// --- The advance after Enter -------------------------------------------------------------------------

TEST_F(ExGridEditTest, AdvanceMovesByDirectionAndAtTheEndsOfTheGrid) {
  struct Case {
    const char* Name;
    TAdvanceDirection Dir;
    bool Loop;
    Integer FromCol, FromRow;
    bool Forward;
    Integer ToCol, ToRow;
  };
  const Case cases[] = {
      {"left-right", adLeftRight, true, 1, 1, true, 2, 1},
      {"left-right wraps to the next row", adLeftRight, true, 4, 1, true, 1, 2},
      {"left-right loops at the end", adLeftRight, true, 4, 9, true, 1, 1},
      {"left-right stops at the end without loop", adLeftRight, false, 4, 9, true, 4, 9},
      {"in row without loop stays", adLeftRightInRow, false, 4, 3, true, 4, 3},
      {"in row loops", adLeftRightInRow, true, 4, 3, true, 1, 3},
      {"top-bottom", adTopBottom, true, 2, 3, true, 2, 4},
      {"top-bottom wraps to the next column", adTopBottom, true, 2, 9, true, 3, 1},
      {"backward left-right wraps to the row above", adLeftRight, true, 1, 3, false, 4, 2},
      {"backward top-bottom wraps to the column before", adTopBottom, true, 3, 1, false, 2, 9},
  };
  Grid->Navigation()->SetAdvanceOnEnter(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->Navigation()->SetAdvanceDirection(c.Dir);
    Grid->Navigation()->SetAdvanceOnEnterLoop(c.Loop);
    Grid->SetCol(c.FromCol);
    Grid->SetRow(c.FromRow);
    Grid->AdvanceCell(c.FromCol, c.FromRow, false, false, c.Forward, false, false);
    EXPECT_EQ(Grid->Col(), c.ToCol);
    EXPECT_EQ(Grid->Row(), c.ToRow);
  }
}

TEST_F(ExGridEditTest, AdvanceInsertAppendsARowUnlessRefused) {
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->Navigation()->SetAdvanceInsert(true);
  Integer added = -1;
  bool allow = true;
  Grid->OnCanAddRow = [&](TObject*, bool& CanAdd) { CanAdd = allow; };
  Grid->OnAutoAddRow = [&](TObject*, Integer ARow) { added = ARow; };
  Grid->SetCol(4);
  Grid->SetRow(9);
  Grid->AdvanceCell(4, 9, false, false, true, false, false);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(added, 10);
  EXPECT_EQ(Grid->Row(), 10);
  EXPECT_EQ(Grid->Col(), 1);

  allow = false;
  Grid->SetCol(4);
  Grid->AdvanceCell(4, 10, false, false, true, false, false);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(Grid->Row(), 10);
  EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(ExGridEditTest, AutoAdvanceMayRedirectOrRefuse) {
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer& NewRow, Integer& NewCol, bool&) {
    NewRow = 5;
    NewCol = 3;
  };
  Grid->AdvanceCell(1, 1, false, false, true, false, false);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 5);
  Grid->OnAutoAdvance = [](TObject*, Integer, Integer, Integer&, Integer&, bool& Allow) { Allow = false; };
  Grid->AdvanceCell(3, 5, false, false, true, false, false);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 5);
}

TEST_F(ExGridEditTest, ReadOnlyCellsAreSkippedOrBecomeCurrent) {
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->SetReadOnly(2, 1, true);
  for (bool skip : {true, false}) {
    SCOPED_TRACE(skip ? "skipped" : "current");
    Grid->Navigation()->SetAdvanceSkipReadOnlyCells(skip);
    Grid->SetCol(1);
    Grid->SetRow(1);
    Grid->AdvanceCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Grid->Col(), skip ? 3 : 2);
  }
}

TEST_F(ExGridEditTest, AdvanceEndsInAGridWithoutEditableCells) {
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->Navigation()->SetAdvanceSkipReadOnlyCells(true);
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
  Grid->AdvanceCell(2, 2, false, false, true, false, false);
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 2);
}

// --- The Tab walk -------------------------------------------------------------------------------------------

TEST_F(ExGridEditTest, TabWalksAcrossRowsAndPassesOnAtTheEnd) {
  Grid->SetOptions(Grid->Options() << goTabs);
  Grid->Navigation()->SetAdvanceAutoEdit(false);
  Grid->SetCol(4);
  Grid->SetRow(1);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);

  Grid->SetCol(1);
  Grid->SetRow(1);
  EXPECT_TRUE(Grid->TabNavigate(true));
  EXPECT_EQ(Grid->Row(), 9);
  EXPECT_EQ(Grid->Col(), 4);

  Grid->Navigation()->SetTabToNextAtEnd(true);
  Grid->SetCol(4);
  Grid->SetRow(9);
  EXPECT_FALSE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(TestHarness::PendingPosted(Form->Handle(), WM_KEYDOWN), 1);
  TestHarness::ProcessEvents();
}

// With a column hidden, Tab and Enter walk the columns shown, and an edit made on the way lands
// in the real column shown under the editor.
TEST_F(ExGridEditTest, TabAndEnterWalkTheShownColumnsPastAHiddenOne) {
  Grid->SetOptions(Grid->Options() << goTabs);
  Grid->Navigation()->SetAdvanceAutoEdit(false);
  Grid->Navigation()->SetAdvanceOnEnter(true);
  Grid->HideColumn(2);
  ASSERT_EQ(Grid->ColCount(), 4);
  Grid->SetCol(1);
  Grid->SetRow(1);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->RealCol(), 3);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->RealCol(), 4);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 2);

  TExInplaceEdit* ed = OpenEditor(2, 4);
  ASSERT_NE(ed, nullptr);
  ed->SetText(u"z");
  Key(ed, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(3, 4), u"z");
  EXPECT_EQ(Grid->Cells(2, 4), u"24");
  EXPECT_EQ(Grid->RealCol(), 4);
  EXPECT_EQ(Grid->Row(), 4);
}

TEST_F(ExGridEditTest, TabKeyChangedByOnKeyDownStopsTheWalk) {
  Grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->TabNavigate(false);
  EXPECT_EQ(Grid->Col(), 2);
}

// --- Form controls of HTML cells ------------------------------------------------------------------------

TEST_F(ExGridEditTest, HtmlCellWithoutEditableControlsOpensNothing) {
  Grid->SetCells(1, 1, u"<B>x</B><CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\">");
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->EditHtmlControl(1, 1, String());
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Grid->ControlEditor()->Visible());
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(ExGridEditTest, HtmlEditControlWritesItsValueBackIntoTheTag) {
  Grid->SetColWidths(1, 200);
  Grid->SetRowHeights(1, 30);
  Grid->SetCells(1, 1, u"<B>Name</B> <CONTROL TYPE=\"EDIT\" WIDTH=\"50\" ID=\"e1\" VALUE=\"old\" MAXLEN=\"8\">");
  String done;
  Grid->OnControlEditDone = [&](TObject*, Integer, Integer, const String& ID, const String& Type, const String& Val) {
    done = ID + u" " + Type + u" " + Val;
  };
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->EditHtmlControl(1, 1, String());
  TestHarness::ProcessEvents();
  TControlEdit* e = Grid->ControlEditor();
  ASSERT_TRUE(e->Visible());
  EXPECT_EQ(e->Text(), u"old");
  EXPECT_EQ(e->MaxLength(), 8);
  e->SetText(u"new");
  Key(e, VK_RETURN);
  TestHarness::ProcessEvents();
  String value;
  EXPECT_TRUE(GetHtmlControlValue(Grid->Cells(1, 1), u"e1", value));
  EXPECT_EQ(value, u"new");
  EXPECT_EQ(GetHtmlControlMaxLen(Grid->Cells(1, 1), u"e1"), 8);
  EXPECT_EQ(done, u"e1 EDIT new");
}

// --- Fixed-cell editors -----------------------------------------------------------------------------------

// Tab in a control editor writes its value and opens the next editable control of the cell;
// after the last one the grid has the focus again.
TEST_F(ExGridEditTest, HtmlControlTabWalksTheCellsControlsAndEndsInTheGrid) {
  Grid->SetColWidths(1, 300);
  Grid->SetRowHeights(1, 30);
  Grid->SetCells(1, 1,
                 u"<CONTROL TYPE=\"EDIT\" WIDTH=\"60\" ID=\"a\" VALUE=\"1\"> "
                 u"<CONTROL TYPE=\"CHECK\" WIDTH=\"15\" ID=\"b\" VALUE=\"FALSE\"> "
                 u"<CONTROL TYPE=\"EDIT\" WIDTH=\"60\" ID=\"c\" VALUE=\"2\">");
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->EditHtmlControl(1, 1, String());
  TestHarness::ProcessEvents();
  TControlEdit* e = Grid->ControlEditor();
  ASSERT_TRUE(e->Visible());
  EXPECT_EQ(e->Text(), u"1");
  e->SetText(u"10");
  Key(e, VK_TAB);
  TestHarness::ProcessEvents();
  ASSERT_TRUE(e->Visible());
  EXPECT_EQ(e->Text(), u"2");
  e->SetText(u"20");
  Key(e, VK_TAB);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(e->Visible());
  EXPECT_TRUE(Grid->Focused());
  String a, c;
  EXPECT_TRUE(GetHtmlControlValue(Grid->Cells(1, 1), u"a", a));
  EXPECT_TRUE(GetHtmlControlValue(Grid->Cells(1, 1), u"c", c));
  EXPECT_EQ(a, u"10");
  EXPECT_EQ(c, u"20");
}

// A COMBO control opened as a pick list: a chosen item is written into the tag; leaving without a
// choice keeps the value the tag had, also one that is not among the items.
TEST_F(ExGridEditTest, HtmlComboControlAsAListWritesTheChoiceAndKeepsAnUnchosenValue) {
  struct Case {
    const char* Name;
    const char16_t* Value;  // the tag's VALUE before editing
    Integer Choose;         // the item chosen, -1 for none
    const char16_t* Stored; // the tag's VALUE afterwards
  } Cases[] = {
      {"value outside the items, left alone", u"Xeno", -1, u"Xeno"},
      {"value outside the items, item chosen", u"Xeno", 1, u"Beta"},
      {"value among the items, left alone", u"Alpha", -1, u"Alpha"},
      {"value among the items, other item chosen", u"Alpha", 1, u"Beta"},
  };
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 320, 100, 24);
  Grid->SetColWidths(1, 200);
  Grid->SetRowHeights(1, 30);
  Grid->OnControlComboList = [](TObject*, Integer, Integer, const String&, const String&, const String&,
                                TStringList* Values, bool& Edit, Integer&) {
    Values->Add(u"Alpha");
    Values->Add(u"Beta");
    Edit = false;
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(1, 1, u"<CONTROL TYPE=\"COMBO\" WIDTH=\"80\" ID=\"c1\" VALUE=\"" + String(C.Value) + u"\">");
    Grid->SetFocus();
    Grid->SetCol(1);
    Grid->SetRow(1);
    Grid->EditHtmlControl(1, 1, String());
    TestHarness::ProcessEvents();
    TControlCombo* c = Grid->ControlCombo();
    ASSERT_TRUE(c->Visible());
    EXPECT_EQ(c->Style(), csDropDownList);
    if (C.Choose >= 0) c->SetItemIndex(C.Choose);
    Other->SetFocus();
    TestHarness::ProcessEvents();
    EXPECT_FALSE(c->Visible());
    String value;
    EXPECT_TRUE(GetHtmlControlValue(Grid->Cells(1, 1), u"c1", value));
    EXPECT_EQ(value, String(C.Stored));
  }
}

TEST_F(ExGridEditTest, FixedCellEditorKeepsARefusedHeaderAndWritesTheHandlersValue) {
  TGridTransEdit* e = Grid->TransEdit();
  e->SetCol(2);
  e->SetRow(0);
  e->SetText(u"bad");
  Grid->OnCellValidate = [](TObject*, Integer, Integer, String& Value, bool& Valid) {
    if (Value == u"bad") Valid = false;
    Value = u"[" + Value + u"]";
  };
  EXPECT_FALSE(e->StopEdit());
  e->SetText(u"ok");
  EXPECT_TRUE(e->StopEdit());
  EXPECT_EQ(Grid->Cells(2, 0), u"[ok]");
}

// --- Sizes that follow the typed text and the rich-text editor -------------------------------------

TEST_F(ExGridEditTest, TheColumnWidensWhileTextIsTyped) {
  Grid->SizeWhileTyping()->SetWidth(true);
  Grid->SetCells(1, 1, String());
  const Integer before = Grid->ColWidths(1);
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Type(ed, u"a rather long text for one cell");
  EXPECT_GT(Grid->ColWidths(1), before);
}

// With the row following the text, a wrapped text grows its row while it is typed, and each
// growth is reported.
TEST_F(ExGridEditTest, TheRowGrowsWhileAWrappedTextIsTyped) {
  Grid->SizeWhileTyping()->SetHeight(true);
  Grid->SetWordWrap(true);
  Grid->SetColWidths(1, 60);
  Grid->SetCells(1, 1, String());
  Integer ends = 0;
  Grid->OnEndRowSize = [&](TObject*, Integer ARow) {
    EXPECT_EQ(ARow, 1);
    ++ends;
  };
  const Integer before = Grid->RowHeights(1);
  TExInplaceEdit* ed = OpenEditor(1, 1);
  ASSERT_NE(ed, nullptr);
  Type(ed, u"one two three four five six seven");
  EXPECT_GT(Grid->RowHeights(1), before);
  EXPECT_GT(ends, 0);
  EXPECT_EQ(Grid->ColWidths(1), 60);
}

TEST_F(ExGridEditTest, RichTextEditorLoadsTheCellAndWritesRichTextBack) {
  Grid->SetDefaultEditor(edRichEdit);
  Grid->SetCells(1, 1, u"plain");
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->ShowInplaceEdit();
  TestHarness::ProcessEvents();
  TExRichEdit* re = Grid->InplaceRichEdit();
  ASSERT_TRUE(re->Visible());
  EXPECT_EQ(re->Text(), u"plain");
  re->SetText(u"new");
  Grid->HideCellEdit();
  EXPECT_FALSE(re->Visible());
  const String cell = Grid->Cells(1, 1);
  EXPECT_EQ(cell.rfind(u"{\\rtf", 0), 0u);
  EXPECT_NE(cell.find(u"new"), String::npos);
}

// --- Keys that leave the text editor ---------------------------------------------------------------

TEST_F(ExGridEditTest, TabValidatesAndPostsTabOrMovesWithGoTabs) {
  Integer validations = 0;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool&) { ++validations; };
  TExInplaceEdit* ed = OpenEditor(2, 2);
  Type(ed, u"t");
  EXPECT_EQ(ed->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);
  TestHarness::SendKeyStroke(ed, VK_TAB, TShiftState(), u"");
  EXPECT_EQ(validations, 1);
  EXPECT_EQ(Grid->Cells(2, 2), u"t");
  EXPECT_FALSE(ed->Visible());
  EXPECT_EQ(TestHarness::PendingPosted(Grid->Handle(), WM_KEYDOWN), 1);
  TestHarness::ProcessEvents();

  Grid->SetOptions(Grid->Options() << goTabs);
  Grid->Navigation()->SetAdvanceAutoEdit(false);
  ed = OpenEditor(2, 2);
  Type(ed, u"u");
  TestHarness::SendKeyStroke(ed, VK_TAB, TShiftState(), u"");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"u");
  EXPECT_EQ(Grid->Col(), 3);
  ed = OpenEditor(2, 2);
  TestHarness::SendKeyStroke(ed, VK_TAB, TShiftState(ssShift), u"");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Col(), 1);
}

TEST_F(ExGridEditTest, UpMovesTheCaretUntilTheFirstLineThenLeavesTheCell) {
  Grid->SetMultilinecells(true);
  Grid->SetRowHeights(3, 60);
  Grid->SetCells(2, 3, u"one\r\ntwo");
  TExInplaceEdit* ed = OpenEditor(2, 3);
  ed->SetSelStart(6);
  ed->SetSelLength(0);
  TestHarness::SendKeyStroke(ed, VK_UP, TShiftState(), u"");
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_LT(ed->SelStart(), 4);
  TestHarness::SendKeyStroke(ed, VK_UP, TShiftState(), u"");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_EQ(Grid->Cells(2, 3), u"one\r\ntwo");
}

TEST_F(ExGridEditTest, TypingOnACheckBoxCellOpensNoEditor) {
  Grid->AddCheckBox(2, 2, false, false);
  Grid->SetCol(2);
  Grid->SetRow(2);
  TestHarness::SendKeyStroke(Grid, u'A', TShiftState(), u"a");
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Grid->InEdit());
  EXPECT_TRUE(Grid->NormalEdit() == nullptr || !Grid->NormalEdit()->Visible());
}

TEST_F(ExGridEditTest, KeypadDecimalKeyTypesTheLocaleSeparatorWithExcelStyle) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Grid->SetExcelStyleDecimalSeparator(true);
  Grid->SetCells(1, 1, String());
  TExInplaceEdit* ed = OpenEditor(1, 1);
  TestHarness::SendKeyStroke(ed, u'1', TShiftState(), u"1");
  TestHarness::SendKeyStroke(ed, VK_DECIMAL, TShiftState(), u".", true);
  TestHarness::SendKeyStroke(ed, VK_OEM_PERIOD, TShiftState(), u".");
  FormatSettings = saved;
  EXPECT_EQ(ed->Text(), u"1,.");
}

TEST_F(ExGridEditTest, EachTypedCharacterReachesOnKeyPressOnceAndTheEditorOpensWithIt) {
  String seen;
  Grid->OnKeyPress = [&](TObject*, Char& Key) { seen += Key; };
  Grid->SetCol(2);
  Grid->SetRow(2);
  TestHarness::SendKeyStroke(Grid, u'A', TShiftState(), u"a");
  TestHarness::ProcessEvents();
  TExInplaceEdit* ed = Grid->NormalEdit();
  ASSERT_NE(ed, nullptr);
  ASSERT_TRUE(ed->Visible());
  EXPECT_EQ(ed->Text(), u"a");
  TestHarness::SendKeyStroke(ed, u'B', TShiftState(), u"b");
  EXPECT_EQ(ed->Text(), u"ab");
  EXPECT_EQ(seen, u"ab");
}

TEST_F(ExGridEditTest, RefusedValueShowsTheInvalidEntryBalloonWhenItHasAText) {
  Grid->OnCellValidate = [](TObject*, Integer, Integer, String&, bool& Valid) { Valid = false; };
  TExInplaceEdit* ed = OpenEditor(1, 1);
  Type(ed, u"x");
  Key(ed, VK_RETURN);
  EXPECT_EQ(Grid->InvalidEntryHint(), nullptr);

  Grid->SetInvalidEntryTitle(u"Value");
  Grid->SetInvalidEntryText(u"Not allowed here");
  Type(ed, u"y");
  Key(ed, VK_RETURN);
  ASSERT_NE(Grid->InvalidEntryHint(), nullptr);
  EXPECT_TRUE(Grid->InvalidEntryHint()->Active());
  EXPECT_EQ(Grid->InvalidEntryHint()->Caption(), u"Value\r\nNot allowed here");
  Grid->OnCellValidate = nullptr;
  Key(ed, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Grid->InvalidEntryHint()->Active());
}

}  // namespace
