// The string grid's other editors: date and date-time pickers, edit with button, unit edit, the
// button editor, the spin editor opened from its buttons, the drop-down editors, edit links, and
// the special editors' show and commit rules.
#include <gtest/gtest.h>

#include <functional>

#include "components/grid/ExCGrid.h"
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

class TEditorsGrid : public TExStringGrid {
 public:
  explicit TEditorsGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TEditorsGrid"; }
  TGridEditBtn* EditButton() const { return EditBtn; }
  TGridUnitEditBtn* UnitEditor() const { return UnitEditBtn; }
  TGridButton* ButtonEditor() const { return GridButton; }
  TGridCombo* Combo() const { return EditCombo; }
  TWinControl* Editor() const { return EditCtrl; }
  bool InEdit() const { return EditMode; }
  void SetSpinUpClick(bool Value) { FSpinUpClick = Value; }
  void SetStartChar(Char Ch) { FStartEditChar = Ch; }
};

void Key(TWinControl* C, Word VirtualKey, TShiftState Shift = TShiftState()) {
  String chars;
  if (VirtualKey == VK_RETURN) chars = u"\r";
  if (VirtualKey == VK_ESCAPE) chars = String(1, Char(27));
  TestHarness::SendKeyStroke(C, VirtualKey, Shift, chars);
}

void Type(TWinControl* C, const String& Text) {
  for (Char ch : Text) {
    Word vk = 0;
    if (ch >= u'0' && ch <= u'9') vk = ch;
    if (ch >= u'a' && ch <= u'z') vk = static_cast<Word>(u'A' + (ch - u'a'));
    if (ch == u'-') vk = VK_OEM_MINUS;
    if (ch == u'.') vk = VK_OEM_PERIOD;
    TestHarness::SendKeyStroke(C, vk, TShiftState(), String(1, ch));
  }
}

class ExGridEditorsTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TEditorsGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(10, 10, 500, 300);
    Grid->SetOptions(Grid->Options() << goEditing);
    Grid->SetColWidths(2, 120);
    Grid->SetFocus();
    Grid->SetCol(2);
    Grid->SetRow(2);
    TestHarness::ProcessEvents();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  // Opens the editor of the given type on the current cell (2, 2).
  void Open(TEditorType Type) {
    Grid->SetDefaultEditor(Type);
    Grid->SetFocus();
    Grid->ShowInplaceEdit();
    TestHarness::ProcessEvents();
  }
  TForm* Form = nullptr;
  TEditorsGrid* Grid = nullptr;
};

// --- Date pickers ------------------------------------------------------------------------------------

TEST_F(ExGridEditorsTest, DatePickerMovesToTheNextFieldOnceATypedFieldIsComplete) {
  Grid->SetCells(2, 2, DateToStr(EncodeDate(2020, 6, 20)));
  Grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
    Grid->DateTimePicker()->SetFormat(u"dd.MM.yyyy");
  };
  Open(edDateEdit);
  TGridDatePicker* dp = Grid->DateTimePicker();
  ASSERT_TRUE(dp->Visible());
  dp->SetSelectedField(0);
  Type(dp, u"1");
  TestHarness::ProcessEvents();
  EXPECT_EQ(dp->SelectedField(), 0);  // a day of one digit may still get a second one
  Type(dp, u"5");
  TestHarness::ProcessEvents();
  EXPECT_EQ(dp->SelectedField(), 1);
  Type(dp, u"07");
  TestHarness::ProcessEvents();
  EXPECT_EQ(dp->SelectedField(), 2);
  Type(dp, u"2021");
  TestHarness::ProcessEvents();
  EXPECT_EQ(dp->SelectedField(), 2);  // the year is the last field
  EXPECT_EQ(dp->Date(), EncodeDate(2021, 7, 15));
  Key(dp, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"15.07.2021");
}

TEST_F(ExGridEditorsTest, DatePickerEscOnATextThatIsNoDateShowsToday) {
  Grid->SetCells(2, 2, u"xx");
  Open(edDateEdit);
  TGridDatePicker* dp = Grid->DateTimePicker();
  ASSERT_TRUE(dp->Visible());
  dp->SetDate(EncodeDate(2001, 1, 1));
  Key(dp, VK_ESCAPE);
  EXPECT_EQ(Trunc(dp->Date()), Trunc(Now()));
}

TEST_F(ExGridEditorsTest, DateAndTimePickerWithoutItsCheckMarkEmptiesTheCell) {
  Grid->SetCells(2, 2, u"x");
  Open(edDateTimeEdit);
  TGridDateTimePicker* dtp = Grid->DateAndTimePicker();
  ASSERT_TRUE(dtp->Visible());
  dtp->SetShowCheckbox(true);
  dtp->SetChecked(false);
  Grid->HideCellEdit();
  EXPECT_EQ(Grid->Cells(2, 2), String());
  EXPECT_FALSE(dtp->Visible());
}

// --- Edit with button, unit edit, button ------------------------------------------------------------

TEST_F(ExGridEditorsTest, EditButtonClickTakesTheEventsTextAndMayEndTheEdit) {
  Grid->SetCells(2, 2, u"a");
  Grid->OnEllipsClick = [](TObject*, Integer, Integer, String& S) { S = S + u"!"; };
  Open(edEditBtn);
  TGridEditBtn* eb = Grid->EditButton();
  ASSERT_TRUE(eb->Visible());
  eb->SetStopEditAfterClick(true);
  Key(eb, VK_F4);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"a!");
  EXPECT_FALSE(eb->Visible());
}

TEST_F(ExGridEditorsTest, NumericEditButtonFiltersItsTyping) {
  Grid->SetCells(2, 2, String());
  Open(edNumericEditBtn);
  TGridEditBtn* eb = Grid->EditButton();
  ASSERT_TRUE(eb->Visible());
  Type(eb, u"-1a-2");
  EXPECT_EQ(eb->Text(), u"-12");
}

TEST_F(ExGridEditorsTest, MaskEditButtonTakesTheGridsEditMask) {
  Grid->SetEditMask(u"99-99;1;_");
  Grid->SetCells(2, 2, String());
  Open(edMaskEditBtn);
  TGridEditBtn* eb = Grid->EditButton();
  ASSERT_TRUE(eb->Visible());
  EXPECT_EQ(eb->EditMask(), u"99-99;1;_");
  Type(eb, u"1234");
  EXPECT_EQ(eb->Text(), u"12-34");
  Grid->HideCellEdit();
  Grid->SetEditMask(String());
  Open(edEditBtn);
  EXPECT_EQ(eb->EditMask(), String());
}

TEST_F(ExGridEditorsTest, UnitEditorJoinsValueAndUnitAndPutsBackARefusedCell) {
  Grid->SetCells(2, 2, u"5g");
  Grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
    TStringList units;
    units.Add(u"kg");
    units.Add(u"g");
    Grid->UnitEditor()->SetUnits(&units);
  };
  Open(edUnitEditBtn);
  TGridUnitEditBtn* ub = Grid->UnitEditor();
  ASSERT_TRUE(ub->Visible());
  EXPECT_EQ(ub->Text(), u"5");
  EXPECT_EQ(ub->UnitID(), u"g");
  ub->SetText(u"12");
  ub->SetUnitID(u"kg");
  bool accept = false;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
    EXPECT_EQ(Value, u"12kg");
    Valid = accept;
  };
  Key(ub, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(ub->TextAndUnit(), u"5g");
  accept = true;
  ub->SetText(u"12");
  ub->SetUnitID(u"kg");
  Grid->HideCellEdit();
  EXPECT_EQ(Grid->Cells(2, 2), u"12kg");
}

TEST_F(ExGridEditorsTest, ButtonEditorArrowMovesTheGridAndEscRestoresTheCell) {
  Grid->SetCells(2, 2, u"go");
  Open(edButton);
  TGridButton* b = Grid->ButtonEditor();
  ASSERT_TRUE(b->Visible());
  EXPECT_EQ(b->Caption(), u"go");
  Key(b, VK_RIGHT);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(Grid->Col(), 3);

  Grid->SetCol(2);
  Grid->OnEllipsClick = [](TObject*, Integer, Integer, String& S) { S = u"pressed"; };
  Open(edButton);
  ASSERT_TRUE(b->Visible());
  TestHarness::SendMouse(b, WM_LBUTTONDOWN, TPoint(5, 5), MK_LBUTTON);
  TestHarness::SendMouse(b, WM_LBUTTONUP, TPoint(5, 5), 0);
  EXPECT_EQ(b->Caption(), u"pressed");
  EXPECT_EQ(Grid->Cells(2, 2), u"pressed");
  Key(b, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(Grid->Cells(2, 2), u"go");
}

// --- The spin editor and the special editors' commit ---------------------------------------------------

TEST_F(ExGridEditorsTest, SpinEditorOpenedByItsUpButtonShowsOneStepMore) {
  Grid->SetCells(2, 2, u"41");
  Grid->SetSpinUpClick(true);
  Open(edSpinEdit);
  EXPECT_EQ(Grid->SpinEdit()->Value(), 42);
  Grid->HideCellEdit();
  EXPECT_EQ(Grid->Cells(2, 2), u"42");
}

TEST_F(ExGridEditorsTest, ASecondCommitWritesNothing) {
  struct Case {
    const char* Name;
    TEditorType Type;
  };
  const Case cases[] = {{"combo", edComboEdit}, {"edit button", edEditBtn}, {"drop-down", edMemoDropDown}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Grid->SetCells(2, 2, u"7");
    Open(c.Type);
    ASSERT_TRUE(Grid->InEdit());
    Grid->HideCellEdit();
    EXPECT_EQ(Grid->Cells(2, 2), u"7");
    Grid->SetCells(2, 2, u"changed meanwhile");
    Grid->HideCellEdit();
    EXPECT_EQ(Grid->Cells(2, 2), u"changed meanwhile");
  }
}

TEST_F(ExGridEditorsTest, ATypedStartCharacterReachesTheSpecialEditor) {
  Grid->SetCells(2, 2, String());
  Grid->SetStartChar(u'4');
  Open(edCalculatorDropDown);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->CalculatorDropDown()->Text(), u"4");
}

// --- Drop-down editors ----------------------------------------------------------------------------------

TEST_F(ExGridEditorsTest, DropDownEscShowsTheCellTextAndEndsTheEdit) {
  Grid->SetCells(2, 2, u"3");
  Open(edCalculatorDropDown);
  TGridCalculatorDropDown* dd = Grid->CalculatorDropDown();
  ASSERT_TRUE(dd->Visible());
  dd->SetRawText(u"99");
  Key(dd, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(dd->Visible());
  EXPECT_EQ(Grid->Cells(2, 2), u"3");
}

// Esc with the popup open closes the popup only; the next Esc ends the edit and keeps the cell.
TEST_F(ExGridEditorsTest, DropDownEscWithThePopupOpenClosesOnlyThePopup) {
  struct Row {
    const char* Name;
    TEditorType Type;
    std::function<TExCustomDropDown*()> Editor;
  };
  const Row rows[] = {{"calculator", edCalculatorDropDown, [this] { return Grid->CalculatorDropDown(); }},
                      {"memo", edMemoDropDown, [this] { return Grid->MemoDropDown(); }}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    Grid->SetCells(2, 2, u"3");
    Open(r.Type);
    TExCustomDropDown* dd = r.Editor();
    ASSERT_TRUE(dd->Visible());
    Key(dd, VK_DOWN, TShiftState(ssAlt));
    TestHarness::ProcessEvents();
    ASSERT_TRUE(dd->DroppedDown());
    Key(dd, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_TRUE(dd->Visible());
    EXPECT_TRUE(Grid->InEdit());
    Key(dd, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(dd->Visible());
    EXPECT_FALSE(Grid->InEdit());
    EXPECT_EQ(Grid->Cells(2, 2), u"3");
  }
}

TEST_F(ExGridEditorsTest, DropDownAltDownOpensThePopupAndDownAloneEndsTheEdit) {
  Grid->SetCells(2, 2, u"x");
  Open(edMemoDropDown);
  TGridMemoDropDown* dd = Grid->MemoDropDown();
  ASSERT_TRUE(dd->Visible());
  Key(dd, VK_DOWN, TShiftState(ssAlt));
  TestHarness::ProcessEvents();
  EXPECT_TRUE(dd->DroppedDown());
  EXPECT_TRUE(Grid->InEdit());
  dd->HideDropDown(true);
  TestHarness::ProcessEvents();
  const Integer row = Grid->Row();
  Key(dd, VK_DOWN);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(dd->Visible());
  EXPECT_EQ(Grid->Row(), row + 1);
}

TEST_F(ExGridEditorsTest, CalculatorEnterCompletesThePendingCalculation) {
  Grid->SetCells(2, 2, String());
  Open(edCalculatorDropDown);
  TGridCalculatorDropDown* dd = Grid->CalculatorDropDown();
  ASSERT_TRUE(dd->Focused());
  TestHarness::SendKeyStroke(dd, u'2', TShiftState(), u"2");
  TestHarness::SendKeyStroke(dd, VK_ADD, TShiftState(), u"+");
  TestHarness::SendKeyStroke(dd, u'3', TShiftState(), u"3");
  Key(dd, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(StrToFloat(Grid->Cells(2, 2)), 5.0);
}

TEST_F(ExGridEditorsTest, ACellTextThatIsNoValueRaisesNothingFromTheEditors) {
  // The calculator reads its display as a number for every operation; on a cell text that is none,
  // no conversion error may leave the key or click that started it (an unexpected message box
  // fails the test).
  // A validation that rejects the first Enter puts its text, no number, back into the field.
  Grid->SetCells(2, 2, String());
  Integer Validations = 0;
  Grid->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
    if (Validations++ > 0) return;
    Value = u"abc";
    Valid = false;
  };
  Open(edCalculatorDropDown);
  TGridCalculatorDropDown* dd = Grid->CalculatorDropDown();
  ASSERT_TRUE(dd->Focused());
  TestHarness::SendKeyStroke(dd, u'5', TShiftState(), u"5");
  Key(dd, VK_RETURN);
  TestHarness::ProcessEvents();
  ASSERT_EQ(dd->Text(), u"abc");
  TestHarness::SendKeyStroke(dd, VK_ADD, TShiftState(), u"+");
  EXPECT_EQ(dd->Text(), u"abc") << "the operator did nothing";
  Key(dd, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(dd->Visible()) << "Enter ended the edit";
  EXPECT_EQ(Grid->Cells(2, 2), u"abc") << "the cell takes the text as it stands";

  // The keys of the popup on such a text.
  Open(edCalculatorDropDown);
  dd->ShowDropDown();
  TestHarness::ProcessEvents();
  dd->SetRawText(u"abc");
  TCustomButtonPanel* Keypad = dd->ButtonPanel();
  ASSERT_NE(Keypad, nullptr);
  for (Integer I = 0; I < Keypad->Buttons()->Count(); ++I)
    if (Keypad->Buttons()->Items(I)->Caption() == u"+") Keypad->OnButtonClick(Keypad, I);
  Char Equals = u'=';
  dd->DropDownFormKeyPress(Equals);
  EXPECT_EQ(dd->Text(), u"abc") << "no key of the popup did anything";
  dd->HideDropDown(true);
  Key(dd, VK_ESCAPE);
  TestHarness::ProcessEvents();

  // The image picker on a data image cell whose text is no index opens with no image chosen.
  Grid->AddDataImage(2, 3, 0, haLeft, vaTop);
  Grid->SetCells(2, 3, u"x");
  Grid->SetRow(3);
  Open(edImagePickerDropDown);
  EXPECT_TRUE(Grid->ImagePickerDropDown()->Visible());
  EXPECT_EQ(Grid->ImagePickerDropDown()->ImageIndex(), -1);
}

TEST_F(ExGridEditorsTest, ColorPickerEndsTheEditWithHomeOnlyWhileItsPopupIsClosed) {
  Grid->SetCells(2, 2, String());
  Open(edColorPickerDropDown);
  TGridColorDropDown* dd = Grid->ColorPickerDropDown();
  ASSERT_TRUE(dd->Visible());
  Key(dd, VK_HOME);
  TestHarness::ProcessEvents();
  EXPECT_FALSE(dd->Visible());
  EXPECT_FALSE(Grid->InEdit());
}

// Esc cancels a drop-down edit: the cell keeps its text and colour, also where the editor's
// value is no text (a colour, an image) and the cell's text is not one it can show.
TEST_F(ExGridEditorsTest, DropDownEditCancelledWithEscLeavesTheCellAsItWas) {
  struct Case {
    const char* Name;
    TEditorType Type;
    String Text;
    std::function<void(TEditorsGrid*)> Prepare;  // before the editor opens
    std::function<void(TEditorsGrid*)> Edit;     // what the user does before the final Esc
  };
  const auto none = [](TEditorsGrid*) {};
  const Case Cases[] = {
      {"colour picker on a text that is no colour", edColorPickerDropDown, u"3", none, none},
      {"colour picker after a colour was picked", edColorPickerDropDown, u"3", none,
       [](TEditorsGrid* G) {
         G->ColorPickerDropDown()->ShowDropDown();
         G->ColorPickerDropDown()->SetSelectedColor(clRed);
         G->ColorPickerDropDown()->HideDropDown(false);
       }},
      {"colour picker whose popup was closed with Esc first", edColorPickerDropDown, u"3", none,
       [](TEditorsGrid* G) {
         G->ColorPickerDropDown()->ShowDropDown();
         TestHarness::ProcessEvents();
         Key(G->ColorPickerDropDown(), VK_ESCAPE);
       }},
      {"image picker on a data image cell whose text is no index", edImagePickerDropDown, u"x",
       [](TEditorsGrid* G) { G->AddDataImage(2, 2, 0, haLeft, vaTop); }, none},
      {"image picker after another image was picked", edImagePickerDropDown, u"x",
       [](TEditorsGrid* G) { G->AddImageIdx(2, 2, 0, haLeft, vaTop); },
       [](TEditorsGrid* G) { G->ImagePickerDropDown()->SetImageIndex(2); }},
  };
  TImageList Images(nullptr, 16, 16);
  TBitmap Strip;
  Strip.SetSize(48, 16);
  Images.Add(&Strip, nullptr);
  Grid->SetGridImages(&Images);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(2, 2, C.Text);
    Grid->SetColors(2, 2, clYellow);
    C.Prepare(Grid);
    Open(C.Type);
    TExCustomDropDown* dd = dynamic_cast<TExCustomDropDown*>(Grid->Editor());
    ASSERT_NE(dd, nullptr);
    ASSERT_TRUE(dd->Visible());
    C.Edit(Grid);
    TestHarness::ProcessEvents();
    Key(dd, VK_ESCAPE);
    TestHarness::ProcessEvents();
    EXPECT_FALSE(Grid->InEdit());
    EXPECT_EQ(Grid->Cells(2, 2), C.Text);
    EXPECT_EQ(Grid->Colors(2, 2), clYellow);
    Integer Image = -1;
    if (Grid->GetImageIdx(2, 2, Image)) {
      EXPECT_EQ(Image, 0);
    }
    Grid->RemoveDataImage(2, 2);
    Grid->RemoveImageIdx(2, 2);
  }
  Grid->SetGridImages(nullptr);
}

// --- Edit links ---------------------------------------------------------------------------------------

// A link editing the cell in a plain edit.
class TTestLink : public TEditLink {
 public:
  explicit TTestLink(TComponent* AOwner) : TEditLink(AOwner) {}
  String ClassName() const override { return u"TTestLink"; }
  TWinControl* GetEditControl() override { return Edit; }
  void CreateEditor(TWinControl* AParent) override {
    if (!Edit) {
      Edit = new TEdit(AParent);
      Edit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
    }
    Edit->SetParent(AParent);
  }
  void DestroyEditor() override {}
  String GetEditorValue() override { return Edit ? Edit->Text() : String(); }
  void SetEditorValue(const String& s) override {
    if (Edit) Edit->SetText(s);
  }
  TEdit* Edit = nullptr;
};

TEST_F(ExGridEditorsTest, EditLinkKeepsOrPassesUpAndDown) {
  TTestLink link(Form);
  Grid->SetEditLink(&link);
  for (bool wantUpDown : {true, false}) {
    SCOPED_TRACE(wantUpDown ? "kept" : "passed on");
    link.SetWantKeyUpDown(wantUpDown);
    Grid->SetCol(2);
    Grid->SetRow(3);
    Grid->SetCells(2, 3, u"old");
    Open(edCustom);
    ASSERT_NE(link.Edit, nullptr);
    ASSERT_TRUE(link.Edit->Visible());
    EXPECT_EQ(link.Edit->Text(), u"old");
    link.Edit->SetText(u"new");
    Key(link.Edit, VK_UP);
    TestHarness::ProcessEvents();
    if (wantUpDown) {
      EXPECT_TRUE(link.Edit->Visible());
      EXPECT_EQ(Grid->Row(), 3);
      Grid->HideCellEdit();
    } else {
      EXPECT_EQ(Grid->Cells(2, 3), u"new");
      EXPECT_EQ(Grid->Row(), 2);
    }
  }
  Grid->SetEditLink(nullptr);
}

TEST_F(ExGridEditorsTest, EditLinkEscKeepsTheOldValue) {
  TTestLink link(Form);
  Grid->SetEditLink(&link);
  Grid->SetCells(2, 2, u"old");
  Open(edCustom);
  ASSERT_TRUE(link.Edit->Visible());
  link.Edit->SetText(u"typed");
  Key(link.Edit, VK_ESCAPE);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"old");
  EXPECT_FALSE(link.Edit->Visible());
  Grid->SetEditLink(nullptr);
}

TEST_F(ExGridEditorsTest, EditLinkPopupSitsAtTheCellAndTakesItsWidth) {
  TTestLink link(Form);
  link.SetEditStyle(esPopup);
  link.SetAutoPopupWidth(true);
  link.SetPopupHeight(60);
  Grid->SetEditLink(&link);
  Grid->SetCells(2, 2, u"v");
  Open(edCustom);
  TForm* popup = link.PopupForm();
  ASSERT_NE(popup, nullptr);
  const TRect r = Grid->CellRect(2, 2);
  const TPoint at = Grid->ClientToScreen(TPoint(r.Left, r.Top));
  EXPECT_EQ(popup->Left(), at.X);
  EXPECT_EQ(popup->Top(), at.Y);
  EXPECT_EQ(popup->Width(), r.Right - r.Left);
  EXPECT_EQ(link.PopupWidth(), r.Right - r.Left);
  link.Edit->SetText(u"w");
  Key(link.Edit, VK_RETURN);
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(2, 2), u"w");
  Grid->SetEditLink(nullptr);
}

// --- The column grid's editors, as the table dialogs use them --------------------------------------

class ExColumnGridEditingTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TExColumnGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(10, 10, 500, 300);
    Grid->SetOptions(Grid->Options() << goEditing);
    TGridColumnItem* list = Grid->Columns()->Items(2);
    list->SetEditor(edComboList);
    list->ComboItems()->Add(u"On");
    list->ComboItems()->Add(u"Off");
    Grid->Columns()->Items(3)->SetEditor(edDataCheckBox);
    Grid->SetCells(2, 1, u"Off");
    Grid->SetCells(3, 1, u"N");
    Grid->SetFocus();
    TestHarness::ProcessEvents();
  }
  void TearDown() override {
    TComponent::Free(Form);
    TestHarness::UseFakeClock(false);
  }
  TForm* Form = nullptr;
  TExColumnGrid* Grid = nullptr;
};

TEST_F(ExColumnGridEditingTest, PickListColumnEditsWithItsItemsAndReportsTheChoice) {
  std::vector<String> changes;
  Grid->OnComboChange = [&](TObject*, Integer ACol, Integer ARow, Integer Index, const String& S) {
    changes.push_back(IntToStr(ACol) + u"," + IntToStr(ARow) + u":" + IntToStr(Index) + u"=" + S);
  };
  Grid->SetCol(2);
  Grid->SetRow(1);
  TestHarness::SendKeyStroke(Grid, VK_F2, TShiftState(), u"");
  TestHarness::ProcessEvents();
  TGridCombo* combo = Grid->Combobox();
  ASSERT_TRUE(combo->Visible());
  ASSERT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_TRUE(changes.empty());
  // The user picks the other item: the list reports it, Enter writes it.
  TestHarness::SendKeyStroke(combo, VK_UP, TShiftState(), u"");
  EXPECT_EQ(combo->ItemIndex(), 0);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), u"2,1:0=On");
  TestHarness::SendKeyStroke(combo, VK_RETURN, TShiftState(), u"\r");
  TestHarness::ProcessEvents();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Cells(2, 1), u"On");
}

TEST_F(ExColumnGridEditingTest, DataCheckBoxColumnTogglesItsTextAndOpensNoEditor) {
  Grid->SetCol(3);
  Grid->SetRow(1);
  TestHarness::SendKeyStroke(Grid, u'A', TShiftState(), u"a");
  TestHarness::ProcessEvents();
  EXPECT_FALSE(Grid->InEditMode());
  EXPECT_EQ(Grid->Cells(3, 1), u"N");
  TestHarness::SendKeyStroke(Grid, VK_SPACE, TShiftState(), u" ");
  TestHarness::ProcessEvents();
  EXPECT_EQ(Grid->Cells(3, 1), u"Y");
  EXPECT_FALSE(Grid->InEditMode());
}

}  // namespace
