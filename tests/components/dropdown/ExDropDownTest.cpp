// The drop-down editor base: the value model (prefix, suffix, numbers, money), typed entry and
// pasting, the keys and clicks that open and close the popup, the popup's placement and size, the
// header and footer bands with their buttons, the colour styles and the drawing routines.
#include "components/dropdown/ExDropDown.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::string U8(const String& S) { return StringToUtf8(S); }

// The base with a panel as its hosted control, as a specialisation would set one.
class TTestDropDown : public TExCustomDropDown {
 public:
  explicit TTestDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner) {
    Panel = new TPanel(this);
    Panel->SetBounds(0, 0, 120, 80);
    SetControl(Panel);
  }
  String ClassName() const override { return u"TTestDropDown"; }
  TPanel* Panel = nullptr;
};

class DropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    SavedSettings = FormatSettings;
    ClearKeyboardState();
    SetDropDownScreen({[] { return 1080; }, [](TPoint) { return TRect(0, 0, 1920, 1040); }});
    Form = new TForm(Application);
    Form->SetCaption(u"DropDowns");
    Form->SetBounds(100, 100, 500, 400);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    SetDropDownScreen({});
    TestHarness::UseFakeClock(false);
    FormatSettings = SavedSettings;
    ClearKeyboardState();
  }
  TTestDropDown* NewEdit(bool OnForm = true) {
    auto* e = new TTestDropDown(Form);
    if (OnForm) e->SetParent(Form);
    e->SetBounds(10, 10, 200, 21);
    return e;
  }
  // Types each character as a character message of its own.
  static void Type(TWinControl* C, const String& Chars) {
    for (Char ch : Chars) TestHarness::SendKeyStroke(C, 0, TShiftState(), String(1, ch));
  }
  static void Key(TWinControl* C, Word VirtualKey, TShiftState Shift = TShiftState()) {
    TestHarness::SendKeyStroke(C, VirtualKey, Shift, String());
  }
  static void Caret(TExCustomDropDown* E, Integer Start, Integer Length = 0) {
    E->SetSelStart(Start);
    E->SetSelLength(Length);
  }

  TForm* Form = nullptr;
  TFormatSettings SavedSettings;
};

}  // namespace

// --- Construction and the value model -------------------------------------------------------------

TEST_F(DropDownTest, ConstructionGivesTheDefaults) {
  TTestDropDown* e = NewEdit();
  EXPECT_EQ(e->DropDownColor(), 0xF3E5DA);
  EXPECT_EQ(e->DropDownColorTo(), 0xF0DED0);
  EXPECT_EQ(e->DropDownGradient(), gdHorizontal);
  EXPECT_EQ(e->DropDownBorderColor(), clNone);
  EXPECT_EQ(e->DropDownBorderWidth(), 1);
  EXPECT_EQ(e->DropDownButtonWidth(), 17);
  EXPECT_EQ(e->SelectionColor(), 0xD7FFFD);
  EXPECT_EQ(e->SelectionColorTo(), 0x58D4FC);
  EXPECT_EQ(e->GetComponentStyle(), tsOffice2007Luna);
  EXPECT_EQ(e->SelectionColorStyle(), scOffice2007);
  EXPECT_EQ(e->Version(), u"1.2.1.4");
  EXPECT_EQ(e->EditType(), etString);
  EXPECT_TRUE(e->DefaultHandling());
  EXPECT_TRUE(e->CanUndo());
  EXPECT_TRUE(e->AutoThousandSeparator());
  EXPECT_EQ(e->UserDropDownWidth(), -1);
  EXPECT_EQ(e->Text(), u"");
  ASSERT_NE(e->DropDownForm(), nullptr);
  EXPECT_FALSE(e->DropDownForm()->Visible());
  ASSERT_NE(e->Button(), nullptr);
  EXPECT_EQ(e->Button()->Width(), 17);
  EXPECT_EQ(e->Button()->Button()->BoundsRect(), Rect(0, 0, 17, e->Button()->Height())) << "the button fills its holder";
  EXPECT_EQ(e->Button()->FocusControl(), e);
}

TEST_F(DropDownTest, TheTextWriteNormalisesTheValue) {
  struct Case {
    const char* Name;
    std::function<void(TExCustomDropDown*)> Setup;
    String Value;
    String EditText;
    String Text;
  };
  const Case cases[] = {
      {"an empty number shows 0", [](TExCustomDropDown* e) { e->SetEditType(etNumeric); }, u"", u"0", u"0"},
      {"an empty string shows prefix and suffix only",
       [](TExCustomDropDown* e) {
         e->SetPrefix(u"$");
         e->SetSuffix(u" EUR");
       },
       u"", u"$ EUR", u""},
      {"prefix and suffix surround the value",
       [](TExCustomDropDown* e) {
         e->SetEditType(etNumeric);
         e->SetPrefix(u"$");
         e->SetSuffix(u" EUR");
       },
       u"12", u"$12 EUR", u"12"},
      {"a float takes its decimals",
       [](TExCustomDropDown* e) {
         e->SetEditType(etFloat);
         e->SetPrecision(2);
       },
       u"3", u"3.00", u"3.00"},
      {"Error stays as it is",
       [](TExCustomDropDown* e) {
         e->SetEditType(etFloat);
         e->SetPrecision(2);
       },
       u"Error", u"Error", u"Error"},
      {"money takes thousand separators",
       [](TExCustomDropDown* e) {
         e->SetEditType(etMoney);
         e->SetPrecision(2);
       },
       u"1234567.5", u"1,234,567.50", u"1,234,567.50"},
      {"hexadecimal is upper-cased", [](TExCustomDropDown* e) { e->SetEditType(etHex); }, u"ff", u"FF", u"FF"},
      {"an empty hexadecimal value shows 0", [](TExCustomDropDown* e) { e->SetEditType(etHex); }, u"", u"0", u"0"},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit();
    c.Setup(e);
    e->SetText(c.Value);
    EXPECT_EQ(U8(e->EditText()), U8(c.EditText)) << c.Name;
    EXPECT_EQ(U8(e->Text()), U8(c.Text)) << c.Name;
    EXPECT_EQ(U8(e->OldText()), U8(c.Text)) << c.Name << ": the value written is the one a cancel restores";
    TComponent::Free(e);
  }
}

TEST_F(DropDownTest, TheSuffixIsDroppedByItsLength) {
  TTestDropDown* e = NewEdit();
  e->SetPrefix(u"$");
  e->SetSuffix(u" EUR");
  e->SetText(u"12");
  e->SetRawText(u"$12 EU");
  EXPECT_EQ(e->Text(), u"1") << "a damaged suffix still costs four characters";
  e->SetRawText(u"12");
  EXPECT_EQ(e->Text(), u"") << "without the prefix nothing is dropped at the front";
  e->SetRawText(u"x");
  EXPECT_EQ(e->Text(), u"") << "a text shorter than the suffix reads empty";
}

TEST_F(DropDownTest, FloatValueReadsAndWritesByEditType) {
  TTestDropDown* e = NewEdit();
  e->SetEditType(etMoney);
  e->SetPrecision(2);
  e->SetFloatValue(1234567.5);
  EXPECT_EQ(e->Text(), u"1,234,567.50");
  EXPECT_DOUBLE_EQ(e->FloatValue(), 1234567.5);
  EXPECT_TRUE(e->Modified());

  e->SetEditType(etFloat);
  e->SetPrecision(-1);
  e->SetFloatValue(0.5);
  EXPECT_EQ(e->Text(), u"0.5") << "a negative precision writes the general format";
  e->SetRawText(u"-");
  EXPECT_EQ(e->FloatValue(), 0);

  e->SetEditType(etHex);
  e->SetFloatValue(255.9);
  EXPECT_EQ(e->Text(), u"FF");
  EXPECT_EQ(e->IntValue(), 255);
  e->SetIntValue(16);
  EXPECT_EQ(e->Text(), u"10");

  e->SetEditType(etString);
  e->SetRawText(u"2.5");
  EXPECT_DOUBLE_EQ(e->FloatValue(), 2.5) << "a string reads with a point whatever the locale";
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  EXPECT_DOUBLE_EQ(e->FloatValue(), 2.5);
  e->SetRawText(u"abc");
  EXPECT_EQ(e->FloatValue(), 0) << "text that is no number reads 0";
}

TEST_F(DropDownTest, ChangingTheEditTypeResetsAValueOfTheWrongKind) {
  TTestDropDown* e = NewEdit();
  e->SetText(u"abc");
  e->SetEditType(etNumeric);
  EXPECT_EQ(e->Text(), u"0");
  e->SetText(u"1A");
  e->SetEditType(etHex);
  EXPECT_EQ(e->Text(), u"1A") << "hexadecimal text stays";
  e->SetEditType(etNumeric);
  EXPECT_EQ(e->Text(), u"0") << "but is no integer";
  e->SetEditType(etPassword);
  EXPECT_EQ(e->PasswordChar(), u'*');
  EXPECT_FALSE(e->CanUndo());
  e->SetEditType(etString);
  EXPECT_EQ(e->PasswordChar(), 0);
}

TEST_F(DropDownTest, LeavingAnEmptyNumberWritesZeroUnlessNullIsAllowed) {
  TTestDropDown* e = NewEdit();
  e->SetEditType(etNumeric);
  e->SetRawText(u"");
  e->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(e->Text(), u"0");
  e->SetAllowNumericNullValue(true);
  e->SetRawText(u"");
  e->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(e->Text(), u"");
  e->SetAllowNumericNullValue(false);
  e->SetEditType(etFloat);
  e->SetPrecision(2);
  e->SetRawText(u"1.5");
  e->SetModified(false);
  e->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(e->Text(), u"1.50") << "a float is re-formatted on leaving";
  EXPECT_FALSE(e->Modified()) << "the re-formatting keeps the modified state";
}

TEST_F(DropDownTest, TheModifiedStateIsIgnoredForAnEditThatCannotBeEdited) {
  TTestDropDown* e = NewEdit();
  e->SetModified(true);
  EXPECT_TRUE(e->Modified());
  e->SetReadOnly(true);
  e->SetModified(false);
  EXPECT_TRUE(e->Modified());
  e->SetReadOnly(false);
  e->SetEditorEnabled(false);
  e->SetModified(false);
  EXPECT_TRUE(e->Modified());
}

TEST_F(DropDownTest, TheLabelSitsBesideTheEdit) {
  TTestDropDown* e = NewEdit();
  e->SetBounds(150, 100, 200, 21);
  e->SetLabelMargin(4);
  e->SetLabelCaption(u"Name");
  TLabel* l = e->EditLabel();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Parent(), Form);
  EXPECT_EQ(l->FocusControl(), e);
  struct Case {
    const char* Name;
    ExDropDown::TLabelPosition Position;
    Integer Left, Top;
  };
  const Integer w = l->Width(), h = l->Height();
  const Case cases[] = {
      {"left top", ExDropDown::lpLeftTop, 150 - w - 4, 100},
      {"left centre", ExDropDown::lpLeftCenter, 150 - w - 4, 100 + (21 - h) / 2},
      {"top left", ExDropDown::lpTopLeft, 150, 100 - h - 4},
      {"bottom centre", ExDropDown::lpBottomCenter, 150 + (200 - w) / 2, 100 + 21 + 4},
      {"right bottom", ExDropDown::lpRighBottom, 150 + 200 + 4, 100 + 21 - h},
      {"top right", ExDropDown::lpTopRight, 150 + 200 - w, 100 - h - 4},
      {"bottom right", ExDropDown::lpBottomRight, 150 + 200 - w, 100 + 21 + 4},
  };
  for (const Case& c : cases) {
    e->SetLabelPosition(c.Position);
    EXPECT_EQ(l->Left(), c.Left) << c.Name;
    EXPECT_EQ(l->Top(), c.Top) << c.Name;
  }
  e->SetVisible(false);
  EXPECT_FALSE(l->Visible()) << "the label follows the edit's visibility";
  int clicks = 0;
  e->OnLabelClick = [&](TObject*) { ++clicks; };
  l->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(DropDownTest, AssignCopiesSettingsButNoTextOrEvents) {
  TTestDropDown* a = NewEdit();
  TTestDropDown* b = NewEdit();
  a->SetEditType(etFloat);
  a->SetPrecision(3);
  a->SetPrefix(u"<");
  a->SetDropDownColor(0x112233);
  a->SetDropDownWidth(333);
  a->SetDropDownButtonWidth(25);
  a->SetDropDownButtonHint(u"Open");
  a->DropDownHeader()->SetCaption(u"Head");
  a->SetSelectionColorStyle(scWindows7);
  a->SetText(u"1");
  a->OnDropDown = [](TObject*, bool&) {};
  b->SetText(u"keep");
  b->Assign(a);
  EXPECT_EQ(b->EditType(), etFloat);
  EXPECT_EQ(b->Precision(), 3);
  EXPECT_EQ(b->Prefix(), u"<");
  EXPECT_EQ(b->DropDownColor(), 0x112233);
  EXPECT_EQ(b->DropDownWidth(), 333);
  EXPECT_EQ(b->Button()->Width(), 25);
  EXPECT_EQ(b->Button()->Hint(), u"Open");
  EXPECT_TRUE(b->Button()->ShowHint());
  EXPECT_EQ(b->DropDownHeader()->Caption(), u"Head");
  EXPECT_EQ(b->SelectionColorStyle(), scWindows7);
  EXPECT_FALSE(b->OnDropDown) << "events are not copied";
  EXPECT_NE(b->Text(), u"1.000") << "the text is not copied";
  TPanel foreign(nullptr);
  b->Assign(&foreign);  // a foreign class changes nothing and raises nothing
  EXPECT_EQ(b->Precision(), 3);
}

TEST_F(DropDownTest, TheStyleOrdinalsAreWrittenAndReadBack) {
  TTestDropDown* e = NewEdit();
  e->SetSelectionColorStyle(scWindowsVista);
  e->SetComponentStyle(tsWindows7);
  std::vector<std::pair<std::string, Integer>> written;
  e->WriteStyleProperties([&](const String& Name, Integer Value) { written.emplace_back(U8(Name), Value); });
  EXPECT_EQ(written, (std::vector<std::pair<std::string, Integer>>{{"SelectionColorStyle", 2}, {"NorvStyle", 11}}));
  const TColor before = e->SelectionColor();
  EXPECT_TRUE(e->ReadStyleProperty(u"NorvStyle", 3));
  EXPECT_EQ(e->GetComponentStyle(), tsOffice2003Classic);
  EXPECT_EQ(e->DropDownColor(), 0xFFFFFF) << "reading only stores the ordinal";
  EXPECT_TRUE(e->ReadStyleProperty(u"SelectionColorStyle", 0));
  EXPECT_EQ(e->SelectionColorStyle(), scCustom);
  EXPECT_EQ(e->SelectionColor(), before);
  EXPECT_FALSE(e->ReadStyleProperty(u"NorvStyle", 16)) << "an ordinal past the enumeration is refused";
  EXPECT_FALSE(e->ReadStyleProperty(u"SelectionColorStyle", -1));
  EXPECT_EQ(e->GetComponentStyle(), tsOffice2003Classic);
  EXPECT_FALSE(e->ReadStyleProperty(u"Other", 1));
}

// --- Typed entry ------------------------------------------------------------------------------------

TEST_F(DropDownTest, TypedCharactersAreFilteredByTheEditType) {
  struct Case {
    const char* Name;
    std::function<void(TExCustomDropDown*)> Setup;
    String Start;  // the edit text, prefix and suffix included
    Integer Caret;
    Integer Selected;
    String Typed;
    String Expected;
  };
  auto type = [](TDropDownEditType T, Integer Precision = 0) {
    return [T, Precision](TExCustomDropDown* e) {
      e->SetEditType(T);
      e->SetPrecision(static_cast<int16_t>(Precision));
    };
  };
  auto signedNumeric = [](TExCustomDropDown* e) {
    e->SetEditType(etNumeric);
    e->SetSigned(true);
  };
  const Case cases[] = {
      {"numeric without Signed ignores minus", type(etNumeric), u"12", 2, 0, u"-", u"12"},
      {"numeric with Signed adds the sign", signedNumeric, u"12", 2, 0, u"-", u"-12"},
      {"numeric with Signed removes the sign", signedNumeric, u"-12", 3, 0, u"-", u"12"},
      {"numeric refuses letters", type(etNumeric), u"12", 2, 0, u"a", u"12"},
      {"float with full decimals refuses a digit at the end", type(etFloat, 2), u"1.25", 4, 0, u"7", u"1.25"},
      {"float with full decimals overwrites the next digit", type(etFloat, 2), u"1.25", 2, 0, u"7", u"1.75"},
      {"float with precision 0 refuses the decimal separator", type(etFloat), u"12", 2, 0, u".", u"12"},
      {"a second decimal separator moves the caret instead", type(etFloat, 2), u"1.5", 0, 0, u".", u"1.5"},
      {"a comma goes where no thousand separator is yet", type(etFloat, 2), u"1234.00", 1, 0, u",", u"1,234.00"},
      {"a comma too close to another is refused", type(etFloat, 2), u"1,234.00", 3, 0, u",", u"1,234.00"},
      {"a comma three places on is taken", type(etFloat, 2), u"1,234", 5, 0, u",", u"1,234,"},
      {"an empty float starts with 0 before the separator", type(etFloat, 2), u"", 0, 0, u".", u"0."},
      {"range typed character by character", type(etRange), u"", 0, 0, u"1,3-5;7", u"1,3-5;7"},
      {"range refuses a separator at the start", type(etRange), u"", 0, 0, u",1", u"1"},
      {"range refuses a separator next to another", type(etRange), u"1,", 2, 0, u"-", u"1,"},
      {"hexadecimal refuses g and keeps a lower-case f", type(etHex), u"A", 1, 0, u"gf", u"Af"},
      {"alphanumeric refuses punctuation", type(etAlphaNumeric), u"ab", 2, 0, u"-c", u"abc"},
      {"valid characters only",
       [](TExCustomDropDown* e) {
         e->SetEditType(etValidChars);
         e->SetValidChars(u"xy");
       },
       u"", 0, 0, u"xay", u"xy"},
      {"upper case", type(etUppercase), u"", 0, 0, u"ab", u"AB"},
      {"lower case", type(etLowerCase), u"", 0, 0, u"AB", u"ab"},
      {"length limit refuses a fourth digit",
       [](TExCustomDropDown* e) {
         e->SetEditType(etNumeric);
         e->SetLengthLimit(3);
       },
       u"123", 0, 0, u"4", u"123"},
      {"length limit still takes backspace",
       [](TExCustomDropDown* e) {
         e->SetEditType(etNumeric);
         e->SetLengthLimit(3);
       },
       u"123", 3, 0, u"\b", u"12"},
      {"backspace right after the prefix does nothing", [](TExCustomDropDown* e) { e->SetPrefix(u"$$"); }, u"$$12", 2,
       0, u"\b", u"$$12"},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit();
    c.Setup(e);
    e->SetRawText(c.Start);
    Caret(e, c.Caret, c.Selected);
    Type(e, c.Typed);
    EXPECT_EQ(U8(e->EditText()), U8(c.Expected)) << c.Name;
    TComponent::Free(e);
  }
}

TEST_F(DropDownTest, PrefixAndSuffixStayInPlaceWhileTyping) {
  TTestDropDown* e = NewEdit();
  e->SetPrefix(u"<");
  e->SetSuffix(u">");
  e->SetEditType(etMixedCase);
  e->SetText(u"");
  Caret(e, 1);
  Type(e, u"hello world");
  EXPECT_EQ(e->EditText(), u"<Hello World>");
  EXPECT_EQ(e->Text(), u"Hello World");

  e->SetEditType(etNumeric);
  e->SetSigned(true);
  e->SetText(u"12");
  Caret(e, 3);
  Type(e, u"-");
  EXPECT_EQ(e->EditText(), u"<-12>") << "the sign goes after the prefix";
  EXPECT_EQ(e->SelStart(), 4);
  Type(e, u"-");
  EXPECT_EQ(e->EditText(), u"<12>");
}

TEST_F(DropDownTest, CaretKeysKeepOutOfPrefixAndSuffix) {
  TTestDropDown* e = NewEdit();
  e->SetPrefix(u"$");
  e->SetSuffix(u" EUR");
  e->SetText(u"123");
  Caret(e, 1);
  Key(e, VK_END);
  EXPECT_EQ(e->SelStart(), 4) << "End stops at the end of the value";
  Key(e, VK_RIGHT);
  EXPECT_EQ(e->SelStart(), 4) << "Right does not enter the suffix";
  Key(e, VK_DELETE);
  EXPECT_EQ(e->EditText(), u"$123 EUR") << "Delete at the value's end does not eat the suffix";
  Key(e, VK_HOME);
  EXPECT_EQ(e->SelStart(), 1) << "Home stops after the prefix";
  Key(e, VK_LEFT);
  EXPECT_EQ(e->SelStart(), 1) << "Left does not enter the prefix";
  Caret(e, 2);
  Key(e, VK_HOME, TShiftState(ssShift));
  EXPECT_EQ(e->SelStart(), 1);
  EXPECT_EQ(e->SelLength(), 3);
  Caret(e, 2);
  Key(e, VK_END, TShiftState(ssShift));
  EXPECT_EQ(e->SelStart(), 2);
  EXPECT_EQ(e->SelLength(), 2);
}

// A mouse release keeps the selection inside the value; with a prefix the value ends that many
// characters further on, so the caret at its end and a selection of all of it stay as they are.
TEST_F(DropDownTest, MouseReleaseKeepsTheSelectionInsideTheValue) {
  struct Case {
    const char* Name;
    String Prefix, Suffix;
    Integer Start, Length, ExpectedStart, ExpectedLength;
  };
  const Case cases[] = {
      {"caret at the value's end after a prefix", u"$", u" EUR", 4, 0, 4, 0},
      {"whole value after a prefix", u"$", u" EUR", 1, 3, 1, 3},
      {"caret inside the suffix", u"$", u" EUR", 6, 0, 4, 0},
      {"selection running into the suffix", u"$", u" EUR", 2, 5, 2, 2},
      {"caret inside the prefix", u"$", u" EUR", 0, 0, 1, 3},
      {"caret inside the suffix, no prefix", u"", u" EUR", 5, 0, 3, 0},
      {"caret at the value's end, no prefix", u"", u" EUR", 3, 0, 3, 0},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit();
    e->SetPrefix(c.Prefix);
    e->SetSuffix(c.Suffix);
    e->SetText(u"123");
    Caret(e, c.Start, c.Length);
    TestHarness::MouseUp(e, mbLeft, TPoint(5, 5));
    EXPECT_EQ(e->SelStart(), c.ExpectedStart) << c.Name;
    EXPECT_EQ(e->SelLength(), c.ExpectedLength) << c.Name;
    EXPECT_EQ(U8(e->Text()), "123") << c.Name;
    TComponent::Free(e);
  }
}

TEST_F(DropDownTest, MoneyIsReformattedAfterTypingAndDeleting) {
  TTestDropDown* e = NewEdit();
  e->SetEditType(etMoney);
  e->SetPrecision(2);
  e->SetRawText(u"234.00");
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  Caret(e, 0);
  Type(e, u"1");
  EXPECT_EQ(e->EditText(), u"1,234.00");
  EXPECT_EQ(e->SelStart(), 2) << "the caret moves with the added separator";
  EXPECT_EQ(changes, 1) << "the re-formatting does not report a change of its own";
  Caret(e, 0);
  Key(e, VK_DELETE);
  EXPECT_EQ(e->EditText(), u"234.00");
  EXPECT_EQ(e->SelStart(), 0);
}

TEST_F(DropDownTest, PastingIsFilteredByTheEditType) {
  TTestDropDown* e = NewEdit();
  e->SetEditType(etNumeric);
  e->SetText(u"456");
  Clipboard()->SetAsText(u"12a");
  Caret(e, 1, 1);
  e->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), u"456") << "not an integer";
  Clipboard()->SetAsText(u"12");
  Caret(e, 1, 1);
  e->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), u"4126");
  EXPECT_EQ(e->SelStart(), 1);
  EXPECT_EQ(e->SelLength(), 2) << "the pasted text is selected";

  String offered;
  e->OnClipboardPaste = [&](TObject*, const String& Value, bool& Allow) {
    offered = Value;
    Allow = false;
  };
  Caret(e, 4);
  e->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(offered, u"412612");
  EXPECT_EQ(e->Text(), u"4126") << "the handler refused it";

  e->OnClipboardPaste = nullptr;
  e->SetEditType(etHex);
  e->SetText(u"A");
  Caret(e, 1);
  e->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), u"A") << "nothing is pasted into a hexadecimal value";
}

TEST_F(DropDownTest, CopyAndCutOfferTheSelectedValue) {
  TTestDropDown* e = NewEdit();
  e->SetPrefix(u"$");
  e->SetText(u"123");
  std::vector<std::string> log;
  e->OnClipboardCopy = [&](TObject*, const String& Value, bool&) { log.push_back("copy " + U8(Value)); };
  e->OnClipboardCut = [&](TObject*, const String& Value, bool&) { log.push_back("cut " + U8(Value)); };
  Caret(e, 0, 3);
  e->Perform(WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard()->AsText(), u"$12");
  Caret(e, 2, 2);
  e->Perform(WM_CUT, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"copy 12", "cut 23"})) << "the cut's own copy raises no copy event";
  EXPECT_EQ(e->EditText(), u"$1");
}

TEST_F(DropDownTest, EscWithCanUndoSelectsTheValueAndTellsTheParent) {
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  e->SetPrefix(u"#");
  e->SetText(u"abc");
  e->SetModified(true);
  Caret(e, 4);
  TestHarness::SendKeyStroke(e, VK_ESCAPE, TShiftState(), u"\x1b");
  EXPECT_EQ(e->SelStart(), 1);
  EXPECT_EQ(e->SelLength(), 3);
  EXPECT_FALSE(e->Modified());
  EXPECT_EQ(e->EditText(), u"#abc");
  EXPECT_EQ(TestHarness::PendingPosted(Form->Handle(), WM_KEYDOWN), 1) << "DefaultHandling passes Esc on";
  EXPECT_EQ(TestHarness::PendingPosted(Form->Handle(), WM_KEYUP), 1);
  TestHarness::ProcessEvents();
}

// --- Opening and closing ----------------------------------------------------------------------------

TEST_F(DropDownTest, ThePopupOpensBelowOrAboveByTheRoomOnTheScreen) {
  struct Case {
    const char* Name;
    TDropPosition Position;
    Integer EditTop;
    Integer ExpectedTop;
  };
  const Case cases[] = {
      {"automatic with room below", dpAuto, 100, 120},
      {"automatic without room below", dpAuto, 1000, 850},
      {"always down", dpDown, 1000, 1020},
      {"always up", dpUp, 100, -50},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit(false);
    e->SetBounds(30, c.EditTop, 200, 21);
    e->SetDropDownWidth(180);
    e->SetDropDownHeight(150);
    e->SetDropPosition(c.Position);
    e->ShowDropDown();
    TDropDownForm* f = e->DropDownForm();
    EXPECT_TRUE(f->Visible()) << c.Name;
    EXPECT_TRUE(e->DroppedDown()) << c.Name;
    EXPECT_EQ(f->BoundsRect(), Rect(30, c.ExpectedTop, 210, c.ExpectedTop + 150)) << c.Name;
    EXPECT_EQ(f->MinWidth(), 80) << c.Name;
    EXPECT_EQ(f->MinHeight(), 50) << c.Name;
    e->HideDropDown(false);
    EXPECT_FALSE(f->Visible()) << c.Name;
    EXPECT_FALSE(e->DroppedDown()) << c.Name;
    TComponent::Free(e);
  }
}

TEST_F(DropDownTest, ThePopupKeepsLeftOfTheWorkAreasRightEdge) {
  TTestDropDown* e = NewEdit(false);
  e->SetBounds(1800, 100, 200, 21);
  e->SetDropDownWidth(300);
  e->SetDropDownHeight(100);
  e->ShowDropDown();
  EXPECT_EQ(e->DropDownForm()->Left(), 1620);
  e->HideDropDown(false);
  e->SetDropDownWidth(301);  // forgets the width the popup was left at
  SetDropDownScreen({[] { return 1080; }, [](TPoint) { return TRect(-1920, 0, 0, 1040); }});
  e->SetBounds(-200, 100, 200, 21);
  e->ShowDropDown();
  EXPECT_EQ(e->DropDownForm()->Left(), -200) << "a monitor left of the primary one is not clamped";
}

TEST_F(DropDownTest, ThePopupOpensByTheRoomAndKeepsInsideTheWorkAreaOfTheEditorsMonitor) {
  // The platform's own monitors: a primary one with a task bar, a second one to its right whose
  // work area ends before a dock on its right edge, and a third one below the primary.
  SetDropDownScreen({});
  TestHarness::SetMonitors({{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true},
                            {Rect(1920, 0, 3200, 1024), Rect(1920, 0, 3150, 1024), false},
                            {Rect(0, 1080, 1920, 2160), Rect(0, 1080, 1920, 2120), false}});
  struct Case {
    const char* Name;
    TPoint EditAt;
    TRect Expected;
  };
  const Case cases[] = {
      {"on the primary, past its right edge", TPoint(1800, 100), Rect(1620, 120, 1920, 220)},
      {"on the second, room enough", TPoint(2000, 100), Rect(2000, 120, 2300, 220)},
      {"on the second, past its dock", TPoint(3000, 100), Rect(2850, 120, 3150, 220)},
      {"below every monitor, the nearest one's", TPoint(3000, 1500), Rect(2850, 1400, 3150, 1500)},
      {"on the monitor below, room below", TPoint(100, 1200), Rect(100, 1220, 400, 1320)},
      {"on the monitor below, at its bottom", TPoint(100, 2100), Rect(100, 2000, 400, 2100)},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit(false);
    e->SetBounds(c.EditAt.X, c.EditAt.Y, 200, 21);
    e->SetDropDownWidth(300);
    e->SetDropDownHeight(100);
    e->ShowDropDown();
    EXPECT_EQ(e->DropDownForm()->BoundsRect(), c.Expected) << c.Name;
    e->HideDropDown(false);
    TComponent::Free(e);
  }
}

TEST_F(DropDownTest, ThePopupIsATopmostWindowOfTheEditorsFormWithTheShadowAsked) {
  TestHarness::SetDisplayComposites(true);
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  TDropDownForm* f = e->DropDownForm();
  e->ShowDropDown();
  TestHarness::TWindowLook look = TestHarness::WindowLook(f);
  EXPECT_TRUE(look.StaysOnTop);
  EXPECT_TRUE(look.ToolWindow);
  EXPECT_EQ(look.Owner, Form) << "the editor's form owns the popup";
  EXPECT_TRUE(look.Shadow) << "DropDownShadow is on by default";
  EXPECT_TRUE(f->ClassShadow());
  EXPECT_GT(TestHarness::ShadowPixelARGB(f, f->Width() + 1, f->Height() / 2) >> 24, 0u);
  EXPECT_GT(TestHarness::ShadowPixelARGB(f, f->Width() / 2, f->Height() + 1) >> 24, 0u);
  e->HideDropDown(false);
  EXPECT_FALSE(TestHarness::WindowLook(f).Shadow) << "the shadow closes with the popup";
  e->SetDropDownShadow(false);
  e->ShowDropDown();
  EXPECT_FALSE(f->ClassShadow());
  EXPECT_FALSE(TestHarness::WindowLook(f).Shadow) << "every opening takes the setting anew";
  e->HideDropDown(false);
}

TEST_F(DropDownTest, LosingActivationToAWindowOfThePopupKeepsItOpen) {
  TTestDropDown* e = NewEdit(false);
  e->SetText(u"5");
  TDropDownForm* f = e->DropDownForm();
  // A dialog the popup opens is a window of the popup; the editor's own form is not.
  auto* dialog = new TForm(Form);
  dialog->SetPopupParent(f);
  dialog->AfterConstruction();
  auto* unrelated = new TForm(Form);
  unrelated->AfterConstruction();
  e->ShowDropDown();
  e->SetRawText(u"7");
  f->Activated(false, dialog);
  EXPECT_TRUE(f->Visible()) << "the popup's own dialog took the activation";
  f->Activated(true);
  f->Activated(false, unrelated);
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(e->Text(), u"5") << "closed as cancelled";
  // Through the window system: showing the dialog keeps the popup, showing another window closes it.
  TestHarness::ShowForm(Form);
  e->SetParent(Form);
  e->ShowDropDown();
  TestHarness::ShowForm(f);
  ASSERT_TRUE(f->Active());
  TestHarness::ShowForm(dialog);
  EXPECT_TRUE(f->Visible());
  dialog->Hide();
  TestHarness::ShowForm(f);  // the activation comes back to the popup as its dialog closes
  TestHarness::ShowForm(unrelated);
  EXPECT_FALSE(f->Visible());
}

TEST_F(DropDownTest, TheSizeTheUserLeftWinsUntilTheSizeIsWrittenAnew) {
  TTestDropDown* e = NewEdit(false);
  e->SetBounds(30, 100, 200, 21);
  e->SetDropDownWidth(180);
  e->SetDropDownHeight(150);
  e->ShowDropDown();
  TDropDownForm* f = e->DropDownForm();
  f->SetBounds(f->Left(), f->Top(), 400, 300);  // the user drags the corner
  e->HideDropDown(false);
  EXPECT_EQ(e->UserDropDownWidth(), 400);
  e->ShowDropDown();
  EXPECT_EQ(f->Width(), 400);
  EXPECT_EQ(f->Height(), 300);
  e->HideDropDown(false);
  e->SetDropDownWidth(180);
  EXPECT_EQ(e->UserDropDownWidth(), 400) << "the same value is no new write";
  e->SetDropDownWidth(250);
  e->ShowDropDown();
  EXPECT_EQ(f->Width(), 250);
  EXPECT_EQ(f->Height(), 300);
}

TEST_F(DropDownTest, TheAutomaticSizeAddsBandsAndControl) {
  TTestDropDown* e = NewEdit(false);
  e->SetBounds(30, 100, 200, 21);
  e->ShowDropDown();
  TDropDownForm* f = e->DropDownForm();
  EXPECT_EQ(f->Width(), 120) << "the hosted control's width";
  EXPECT_EQ(f->Height(), 2 * 1 + 22 + 22 + 80);
  ASSERT_NE(f->Header(), nullptr);
  ASSERT_NE(f->Footer(), nullptr);
  EXPECT_EQ(e->Panel->Parent(), f);
  EXPECT_EQ(f->Header()->BoundsRect(), Rect(1, 1, 119, 23));
  EXPECT_EQ(f->Footer()->BoundsRect(), Rect(1, f->Height() - 23, 119, f->Height() - 1));
  EXPECT_EQ(e->Panel->BoundsRect(), Rect(1, 23, 119, f->Height() - 23)) << "the control fills the rest";
  e->HideDropDown(false);
  e->DropDownHeader()->SetVisible(false);
  e->DropDownFooter()->SetVisible(false);
  e->SetDropDownWidth(200);
  e->SetDropDownHeight(0);
  e->ShowDropDown();
  EXPECT_FALSE(f->Header()->Visible());
  EXPECT_EQ(e->Panel->BoundsRect(), Rect(1, 1, 199, f->Height() - 1));
}

TEST_F(DropDownTest, AVetoedOpeningLeavesThePopupHiddenButPlaced) {
  TTestDropDown* e = NewEdit(false);
  e->SetBounds(30, 100, 200, 21);
  e->SetDropDownHeight(150);
  std::vector<std::string> log;
  e->OnBeforeDropDown = [&](TObject*) { log.push_back("before"); };
  e->OnDropDown = [&](TObject*, bool& Accept) {
    log.push_back("drop");
    Accept = false;
  };
  e->ShowDropDown();
  EXPECT_FALSE(e->DropDownForm()->Visible());
  EXPECT_FALSE(e->DroppedDown());
  EXPECT_EQ(e->DropDownForm()->Top(), 120) << "placed although vetoed";
  EXPECT_EQ(log, (std::vector<std::string>{"before", "drop"}));
  e->OnDropDown = nullptr;
  e->SetReadOnly(true);
  e->ShowDropDown();
  EXPECT_FALSE(e->DropDownForm()->Visible()) << "a read-only editor does not open";
  e->SetReadOnly(false);
  e->SetEnabled(false);
  e->ShowDropDown();
  EXPECT_FALSE(e->DropDownForm()->Visible()) << "a disabled editor does not open";
}

TEST_F(DropDownTest, ACancelledCloseRestoresTheValueLastWrittenThroughText) {
  TTestDropDown* e = NewEdit(false);
  e->SetText(u"5");
  std::vector<std::string> log;
  e->OnBeforeDropUp = [&](TObject*) { log.push_back("before"); };
  e->OnDropUp = [&](TObject*, bool Cancelled) { log.push_back(Cancelled ? "cancelled" : "kept"); };
  e->ShowDropDown();
  e->SetRawText(u"7");
  e->HideDropDown(true);
  EXPECT_EQ(e->Text(), u"5");
  e->ShowDropDown();
  e->SetRawText(u"7");
  e->HideDropDown(false);
  EXPECT_EQ(e->Text(), u"7");
  EXPECT_EQ(log, (std::vector<std::string>{"before", "cancelled", "before", "kept"}));
}

TEST_F(DropDownTest, LosingActivationClosesAsCancelledUnlessTheSpecialisationSaysOtherwise) {
  TTestDropDown* e = NewEdit(false);
  e->SetText(u"5");
  TDropDownForm* f = e->DropDownForm();
  e->ShowDropDown();
  e->SetRawText(u"7");
  f->Activated(false);
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(e->Text(), u"5");
  f->SetCancelOnDeActivate(false);
  e->ShowDropDown();
  e->SetRawText(u"7");
  f->Activated(false);
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(e->Text(), u"7");
  f->SetBlockActivate(true);
  e->ShowDropDown();
  f->Activated(false);
  EXPECT_TRUE(f->Visible()) << "activation changes are ignored while blocked";
  f->SetBlockActivate(false);
  e->HideDropDown(false);
}

TEST_F(DropDownTest, TheClickThatClosedThePopupDoesNotReopenIt) {
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  TDropDownForm* f = e->DropDownForm();
  TestHarness::Click(e->Button()->Button());
  ASSERT_TRUE(f->Visible()) << "a click on the drop button opens";
  f->Activated(false);  // the press on the drop button takes the activation away
  ASSERT_FALSE(f->Visible());
  e->DropButtonClick();  // its release
  EXPECT_FALSE(f->Visible());
  TestHarness::AdvanceClock(250);
  e->DropButtonClick();
  EXPECT_FALSE(f->Visible()) << "250 ms are not enough";
  TestHarness::AdvanceClock(1);
  e->DropButtonClick();
  EXPECT_TRUE(f->Visible());
  e->HideDropDown(false);
}

TEST_F(DropDownTest, KeysOpenAndCloseThePopup) {
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  e->SetText(u"1");
  TDropDownForm* f = e->DropDownForm();
  Key(e, VK_DOWN, TShiftState(ssAlt));
  EXPECT_TRUE(f->Visible()) << "Alt+Down opens";
  Key(e, VK_UP, TShiftState(ssAlt));
  EXPECT_FALSE(f->Visible()) << "Alt+Up closes";
  Key(e, VK_F4);
  EXPECT_TRUE(f->Visible()) << "F4 opens";
  e->SetRawText(u"2");
  TestHarness::SendKeyStroke(e, VK_RETURN, TShiftState(), u"\r");
  EXPECT_FALSE(f->Visible()) << "Enter closes";
  EXPECT_EQ(e->Text(), u"2") << "and keeps the value";
  Key(e, VK_F4);
  e->SetRawText(u"3");
  TestHarness::SendKeyStroke(e, VK_ESCAPE, TShiftState(), u"\x1b");
  EXPECT_FALSE(f->Visible()) << "Esc closes";
  EXPECT_EQ(e->Text(), u"1") << "and restores the value";
  Key(e, VK_F4);
  Key(e, VK_F4);
  EXPECT_FALSE(f->Visible()) << "F4 closes an open popup";
  TestHarness::ProcessEvents();
}

TEST_F(DropDownTest, ANonEditableEditOpensOnAPressAndSwallowsTyping) {
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  e->SetEditorEnabled(false);
  e->SetText(u"x");
  Type(e, u"abc");
  EXPECT_EQ(e->Text(), u"x");
  Key(e, VK_F4);
  EXPECT_TRUE(e->DropDownForm()->Visible());
  Key(e, VK_F4);
  EXPECT_FALSE(e->DropDownForm()->Visible());
  TestHarness::SendMouse(e, WM_LBUTTONDOWN, Point(20, 10), MK_LBUTTON);
  EXPECT_TRUE(e->DropDownForm()->Visible()) << "a press on the edit opens";
  TestHarness::SendMouse(e, WM_LBUTTONUP, Point(20, 10));
  e->HideDropDown(false);
}

TEST_F(DropDownTest, KeysAndWheelInThePopupReachTheEditor) {
  struct TStepper : TTestDropDown {
    using TTestDropDown::TTestDropDown;
    void SelectNextValue() override { Steps.push_back("next"); }
    void SelectPreviousValue() override { Steps.push_back("previous"); }
    std::vector<std::string> Steps;
  };
  auto* e = new TStepper(Form);
  e->SetText(u"1");
  e->ShowDropDown();
  TDropDownForm* f = e->DropDownForm();
  ASSERT_TRUE(f->Visible());
  TestHarness::Wheel(f, -120, Point(5, 5));
  TestHarness::Wheel(f, 120, Point(5, 5));
  EXPECT_EQ(e->Steps, (std::vector<std::string>{"next", "previous"}));
  Word enter = VK_RETURN;
  ASSERT_TRUE(f->OnKeyDown);
  f->OnKeyDown(f, enter, TShiftState());
  EXPECT_FALSE(f->Visible()) << "Enter in the popup closes it";
  EXPECT_EQ(e->Text(), u"1");
}

// --- Header and footer bands --------------------------------------------------------------------------

TEST_F(DropDownTest, HeaderButtonsPackToTheRightAndReportTheirIndex) {
  TTestDropDown* e = NewEdit(false);
  e->SetDropDownWidth(300);
  for (const char16_t* caption : {u"A", u"B", u"C"}) e->DropDownHeader()->Buttons()->Add()->SetCaption(caption);
  e->DropDownHeader()->Buttons()->GetItem(1)->SetHeight(100);
  std::vector<Integer> clicks;
  e->OnDropDownHeaderButtonClick = [&](TObject*, Integer Index) { clicks.push_back(Index); };
  e->ShowDropDown();
  TExHeader* h = e->DropDownForm()->Header();
  ASSERT_EQ(h->ButtonCount(), 3);
  const TRect area = h->ButtonArea();
  EXPECT_EQ(area, Rect(2, 2, h->Width() - 2, h->Height() - 3));
  EXPECT_EQ(h->ButtonAt(0)->Left() + h->ButtonAt(0)->Width(), area.Right) << "item 0 is rightmost";
  EXPECT_EQ(h->ButtonAt(1)->Left() + h->ButtonAt(1)->Width(), h->ButtonAt(0)->Left()) << "buttons abut";
  EXPECT_EQ(h->ButtonAt(2)->Left() + h->ButtonAt(2)->Width(), h->ButtonAt(1)->Left());
  EXPECT_EQ(h->ButtonAt(1)->Height(), area.Height()) << "a tall item is clamped to the area";
  EXPECT_EQ(h->ButtonAt(0)->Tag(), 0);
  EXPECT_EQ(h->ButtonAt(0)->Appearance(), e->ButtonAppearance()) << "shared, not copied";
  TestHarness::Click(h->ButtonAt(2));
  EXPECT_EQ(clicks, (std::vector<Integer>{2}));

  e->DropDownHeader()->Buttons()->GetItem(0)->SetCaption(u"Longer caption");
  EXPECT_EQ(h->ButtonAt(0)->Caption(), u"Longer caption") << "an item change rebuilds the open popup's buttons";
  const Integer height = h->ButtonAt(0)->Height();
  e->DropDownHeader()->Buttons()->GetItem(0)->SetHeight(5);
  EXPECT_EQ(h->ButtonAt(0)->Height(), height) << "a Height change alone does not rebuild";
  e->DropDownHeader()->SetButtonAlignment(baLeft);
  e->DropDownHeader()->SetVisible(false);
  e->DropDownHeader()->SetVisible(true);
  EXPECT_EQ(h->ButtonAt(0)->Left(), area.Left) << "rebuilt packed to the left";
  e->HideDropDown(false);
}

TEST_F(DropDownTest, FooterButtonsCloseByTheirModalResult) {
  TTestDropDown* e = NewEdit(false);
  e->SetDropDownWidth(300);
  struct Item {
    const char16_t* Caption;
    TModalResult Result;
  };
  for (const Item& i : {Item{u"OK", mrOk}, Item{u"Cancel", mrCancel}, Item{u"Retry", mrRetry}}) {
    TFooterButton* b = e->DropDownFooter()->Buttons()->Add();
    b->SetCaption(i.Caption);
    b->SetModalResult(i.Result);
  }
  std::vector<std::string> log;
  e->OnDropDownFooterButtonClick = [&](TObject*, Integer Index) { log.push_back("button " + std::to_string(Index)); };
  e->OnDropUp = [&](TObject*, bool Cancelled) { log.push_back(Cancelled ? "cancelled" : "kept"); };
  e->SetText(u"5");
  TDropDownForm* f = e->DropDownForm();

  e->ShowDropDown();
  e->SetRawText(u"7");
  TestHarness::Click(f->Footer()->ButtonAt(2));
  EXPECT_TRUE(f->Visible()) << "Retry does not close";
  EXPECT_EQ(f->ModalResult(), mrRetry) << "but sets the popup's result";
  TestHarness::Click(f->Footer()->ButtonAt(1));
  EXPECT_FALSE(f->Visible());
  EXPECT_EQ(e->Text(), u"5") << "Cancel closes cancelled";

  e->ShowDropDown();
  e->SetRawText(u"8");
  TestHarness::SendKeyStroke(f->Footer()->ButtonAt(0), VK_RETURN, TShiftState(), String());
  EXPECT_FALSE(f->Visible()) << "Enter on a footer button closes by its result";
  EXPECT_EQ(e->Text(), u"8");
  EXPECT_EQ(log, (std::vector<std::string>{"button 2", "cancelled", "button 1", "kept"}))
      << "the keyboard click fires no button event";
}

TEST_F(DropDownTest, TheFooterGripShowsOnlyForASizeablePopup) {
  TTestDropDown* e = NewEdit(false);
  e->SetDropDownWidth(200);
  e->ShowDropDown();
  TExFooter* ft = e->DropDownForm()->Footer();
  ASSERT_NE(ft, nullptr);
  EXPECT_TRUE(ft->GripShows());
  EXPECT_EQ(ft->ButtonArea().Right, ft->Width() - 14);
  EXPECT_TRUE(ft->InGripZone(ft->Width() - 5, ft->Height() - 5));
  EXPECT_FALSE(ft->InGripZone(ft->Width() - 12, ft->Height() - 5));
  e->HideDropDown(false);
  e->SetDropDownSizeable(false);
  e->ShowDropDown();
  EXPECT_FALSE(ft->GripShows());
  EXPECT_EQ(ft->ButtonArea().Right, ft->Width() - 2);
  EXPECT_FALSE(ft->InGripZone(ft->Width() - 5, ft->Height() - 5));
  e->HideDropDown(false);
}

TEST_F(DropDownTest, TheGripResizesThePopup) {
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  e->SetDropDownWidth(200);
  e->SetDropDownHeight(150);
  int sizing = 0;
  e->ShowDropDown();
  TDropDownForm* f = e->DropDownForm();
  f->OnSizing = [&](TObject*) { ++sizing; };
  TExFooter* ft = f->Footer();
  const TPoint grip(ft->Width() - 4, ft->Height() - 4);
  TestHarness::SendMouse(ft, WM_LBUTTONDOWN, grip, MK_LBUTTON);
  ASSERT_TRUE(f->Sizing());
  const TPoint moved = f->Surface()->ScreenToClient(ft->ClientToScreen(TPoint(grip.X + 30, grip.Y + 20)));
  TestHarness::SendMouse(f->Surface(), WM_MOUSEMOVE, moved, MK_LBUTTON);
  TestHarness::SendMouse(f->Surface(), WM_LBUTTONUP, moved);
  EXPECT_FALSE(f->Sizing());
  EXPECT_EQ(f->Width(), 230);
  EXPECT_EQ(f->Height(), 170);
  EXPECT_EQ(sizing, 1);
  e->HideDropDown(false);
}

TEST_F(DropDownTest, BandPainting) {
  TTestDropDown* e = NewEdit(false);
  e->SetDropDownWidth(200);
  THeaderAppearance* a = e->DropDownHeader();
  a->SetColor(0x00FF00);
  a->SetColorTo(clNone);
  a->SetBorderColor(clNone);
  e->ShowDropDown();
  TExHeader* h = e->DropDownForm()->Header();
  h->Perform(WM_PAINT, 0, 0);
  EXPECT_EQ(h->Canvas()->Pixels(50, 10), 0x00FF00) << "solid background";
  e->HideDropDown(false);

  a->SetBorderColor(0x0000FF);
  a->SetBorderWidth(1);
  e->ShowDropDown();
  h->Perform(WM_PAINT, 0, 0);
  EXPECT_EQ(h->Canvas()->Pixels(50, h->Height() - 1), 0x0000FF) << "the bottom line";
  EXPECT_EQ(h->Canvas()->Pixels(50, h->Height() - 2), BlendColor(0x0000FF, clWhite, 20)) << "the inner highlight";
  EXPECT_EQ(h->Canvas()->Pixels(50, 10), 0x00FF00);
  e->HideDropDown(false);

  std::vector<std::string> drawn;
  e->OnDrawHeader = [&](TObject*, TCanvas* C, TRect R) {
    drawn.push_back("header");
    C->Brush()->SetColor(0xFF0000);
    C->FillRect(R);
  };
  e->OnGetHeaderText = [&](TObject*, String&) { drawn.push_back("text"); };
  a->SetCaption(u"Caption");
  e->ShowDropDown();
  h->Perform(WM_PAINT, 0, 0);
  EXPECT_EQ(h->Canvas()->Pixels(50, h->Height() - 1), 0xFF0000) << "only the handler paints";
  EXPECT_EQ(drawn.front(), "header");
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "text"), 0) << "no caption is asked for";
  e->HideDropDown(false);
}

// --- Colour styles and drawing ----------------------------------------------------------------------

TEST_F(DropDownTest, ComponentStylesColourPopupBandsAndButtons) {
  struct Case {
    const char* Name;
    TNorvStyle Style;
    TColor DropDownColor, DropDownBorderColor, HeaderColor, FooterColor, FontColor, FooterBorder, ButtonColor,
        ButtonColorDown;
  };
  const TColor custom = 0x123456;
  const Case cases[] = {
      {"Office 2003 blue keeps the popup border", tsOffice2003Blue, 0xFFFFFF, custom, 0xFCE1CB, 0xFCE1CB, 0x000000,
       0x962D00, 0xFCE1CB, 0xAAD9FF},
      {"Office 2003 olive", tsOffice2003Olive, 0xFFFFFF, clNone, 0xCFF0EA, 0xCFF0EA, 0x000000, 0x588060, 0xCFF0EA,
       0xAAD9FF},
      {"Office 2007 luna", tsOffice2007Luna, 0xF3E5DA, clNone, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFD2AF, 0xFFEFE3,
       0xAAD9FF},
      {"Windows XP", tsWindowsXP, 0xFFFFFF, custom, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x808080, 0xFFFFFF,
       static_cast<TColor>(0xFF000003)},
      {"Windows Vista swaps the footer gradient", tsWindowsVista, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000,
       0xFCF2DA, 0xFFFDF9, 0xFEF9F0},
      {"Terminal", tsTerminal, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0x000000, clNone, clBtnFace, clHighlight},
      {"Office 2010 black", tsOffice2010Black, 0xFFFFFF, 0xEDEDEC, 0xBFBFBF, 0xBFBFBF, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF,
       0x6CD0FF},
  };
  for (const Case& c : cases) {
    TTestDropDown* e = NewEdit();
    e->SetDropDownBorderColor(custom);
    e->SetComponentStyle(c.Style);
    EXPECT_EQ(e->GetComponentStyle(), c.Style) << c.Name;
    EXPECT_EQ(e->DropDownColor(), c.DropDownColor) << c.Name;
    EXPECT_EQ(e->DropDownBorderColor(), c.DropDownBorderColor) << c.Name;
    EXPECT_EQ(e->DropDownHeader()->Color(), c.HeaderColor) << c.Name;
    EXPECT_EQ(e->DropDownFooter()->Color(), c.FooterColor) << c.Name;
    EXPECT_EQ(e->DropDownHeader()->Font()->Color(), c.FontColor) << c.Name;
    EXPECT_EQ(e->DropDownFooter()->BorderColor(), c.FooterBorder) << c.Name;
    EXPECT_EQ(e->ButtonAppearance()->Color(), c.ButtonColor) << c.Name;
    EXPECT_EQ(e->ButtonAppearance()->ColorDown(), c.ButtonColorDown) << c.Name;
    TComponent::Free(e);
  }
  TTestDropDown* e = NewEdit();
  e->SetDropDownColor(custom);
  e->ButtonAppearance()->SetColor(custom);
  e->SetComponentStyle(tsCustom);
  EXPECT_EQ(e->GetComponentStyle(), tsCustom);
  EXPECT_EQ(e->DropDownColor(), custom) << "the custom style changes no colour";
  EXPECT_EQ(e->ButtonAppearance()->Color(), custom);
  EXPECT_EQ(e->DropDownHeader()->Color(), 0xFFEFE3);
}

TEST_F(DropDownTest, ColourTonesAndSelectionStyles) {
  TTestDropDown* e = NewEdit();
  TColorTones t;
  t.Background = {0x010101, 0x020202, clNone};
  t.Hover = {0x030303, clNone, clNone};
  t.Selected = {0x040404, clNone, clNone};
  e->SetColorTones(t);
  EXPECT_EQ(e->Button()->ButtonColor(), 0x010101);
  EXPECT_EQ(e->Button()->ButtonColorHot(), 0x030303);
  EXPECT_EQ(e->Button()->ButtonColorDown(), 0x040404);
  EXPECT_EQ(e->Button()->ButtonBorderColor(), 0x020202);
  EXPECT_EQ(e->BorderColor(), 0x020202);

  e->SetSelectionColorStyle(scWindows7);
  EXPECT_EQ(e->SelectionColor(), 0xFCEBDC);
  EXPECT_EQ(e->SelectionColorTo(), 0xFCDBC1);
  e->SetSelectionColorStyle(scWindowsVista);
  EXPECT_EQ(e->SelectionColor(), 0xFDF8F1);
  e->SetSelectionColor(0x00AA00);
  e->SetSelectionColorStyle(scCustom);
  EXPECT_EQ(e->SelectionColor(), 0x00AA00) << "the custom style keeps the colours";
  TBitmap b(20, 10);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(Rect(0, 0, 20, 10));
  e->DrawSelectionBackground(b.Canvas(), Rect(2, 2, 18, 8), clWhite, 0);
  EXPECT_EQ(b.Canvas()->Pixels(10, 5), 0x00AA00);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clWhite);
}

TEST_F(DropDownTest, GradientBands) {
  TBitmap b(10, 4);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 4));
  DrawGradient(c, 0x0000FF, 0x00FF00, 0, Rect(0, 0, 10, 4), true);
  for (Integer x = 0; x < 10; ++x) EXPECT_EQ(c->Pixels(x, 2), 0x0000FF) << "steps 0 fill all in the first colour, x " << x;

  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 4));
  DrawGradient(c, 0x000000, 0x0000FE, 2, Rect(0, 0, 10, 4), true);
  // A band is 4.5 pixels wide: both its width and the second band's offset round to 4.
  const TColor expected[10] = {0, 0, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, clWhite};
  for (Integer x = 0; x < 10; ++x) EXPECT_EQ(c->Pixels(x, 2), expected[x]) << "x " << x;

  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 4));
  DrawFilledRect(c, Rect(0, 0, 10, 4), 0x00FF00, clNone, 0x0000FF, 1, gdVertical);
  EXPECT_EQ(c->Pixels(5, 2), 0x00FF00);
  EXPECT_EQ(c->Pixels(0, 0), 0x0000FF) << "the frame";
}

// --- The push button of the bands ---------------------------------------------------------------------

TEST_F(DropDownTest, PushButtonsGroupAndCheck) {
  auto make = [this](Integer Group) {
    auto* b = new TExButton(Form);
    b->SetParent(Form);
    b->SetGroupIndex(Group);
    return b;
  };
  TExButton* a = make(1);
  TExButton* b = make(1);
  TExButton* lone = make(0);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), absExclusive);
  b->SetDown(true);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down()) << "the other button of the group goes up";
  b->SetDown(false);
  EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
  lone->SetDown(true);
  EXPECT_FALSE(lone->Down()) << "a plain button outside a group is never down";
  lone->SetStyle(ExDropDown::tasCheck);
  lone->SetDown(true);
  EXPECT_TRUE(lone->Down());
  EXPECT_EQ(lone->State(), absDown);
}

TEST_F(DropDownTest, APushButtonLeavesItsHotLookWhenTheCursorIsGone) {
  TestHarness::UseFakeClock(true);
  TestHarness::ShowForm(Form);
  auto* b = new TExButton(Form);
  b->SetParent(Form);
  b->SetBounds(20, 20, 40, 20);
  TPoint cursor = b->ClientToScreen(TPoint(5, 5));
  SetCursorPosSource([&cursor] { return cursor; });
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(b->MouseInControl());
  EXPECT_TRUE(b->UnHotTimer()->Enabled());
  TestHarness::AdvanceClock(1);
  EXPECT_TRUE(b->MouseInControl()) << "the cursor is still over it";
  cursor = b->ClientToScreen(TPoint(100, 5));
  TestHarness::AdvanceClock(1);
  EXPECT_FALSE(b->MouseInControl());
  EXPECT_FALSE(b->UnHotTimer()->Enabled());
  SetCursorPosSource(nullptr);
}

// --- Enter as Tab and Enter passed to the parent -------------------------------------------------------

TEST_F(DropDownTest, EnterMovesOnAsTabWhenAsked) {
  TestHarness::ShowForm(Form);
  TTestDropDown* first = NewEdit();
  TTestDropDown* second = NewEdit();
  second->SetTop(50);
  first->SetReturnIsTab(true);
  first->SetFocus();
  TestHarness::ProcessEvents();
  ASSERT_TRUE(first->Focused());
  TestHarness::SendKeyStroke(first, VK_RETURN, TShiftState(), u"\r");
  TestHarness::ProcessEvents();
  EXPECT_TRUE(second->Focused());
}

TEST_F(DropDownTest, WithoutDefaultHandlingEnterGoesToTheParent) {
  TestHarness::ShowForm(Form);
  TTestDropDown* e = NewEdit();
  e->SetDefaultHandling(false);
  std::vector<Integer> pressed;
  e->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  TestHarness::SendKeyStroke(e, 0, TShiftState(), u"\r");
  EXPECT_EQ(pressed, (std::vector<Integer>{13})) << "OnKeyPress hears Enter";
  EXPECT_EQ(TestHarness::PendingPosted(Form->Handle(), WM_KEYDOWN), 1);
  EXPECT_EQ(TestHarness::PendingPosted(Form->Handle(), WM_KEYUP), 1);
  EXPECT_EQ(e->EditText(), u"") << "Enter types nothing";
  TestHarness::ProcessEvents();
}

TEST_F(DropDownTest, AnEditorGoesWithItsOpenPopup) {
  TTestDropDown* e = NewEdit();
  e->DropDownHeader()->Buttons()->Add()->SetCaption(u"A");
  e->DropDownFooter()->Buttons()->Add()->SetCaption(u"B");
  int dropUps = 0;
  e->OnDropUp = [&](TObject*, bool) { ++dropUps; };
  e->ShowDropDown();
  ASSERT_TRUE(e->DropDownForm()->Visible());
  TComponent::Free(e);
  EXPECT_EQ(dropUps, 0) << "freeing is no close the editor reports";
  EXPECT_EQ(Form->ControlCount(), 0);
}

// A handler that changes the button items rebuilds the open popup's buttons while the clicked
// button is still in its own click: that button lives on, hidden, until a later rebuild.
TEST_F(DropDownTest, AClickHandlerMayChangeTheButtonItems) {
  struct TRemovals : TComponent {
    using TComponent::TComponent;
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation == opRemove) Removed.push_back(AComponent);
    }
    std::vector<TComponent*> Removed;
  };
  auto* removals = new TRemovals(Form);
  TTestDropDown* e = NewEdit(false);
  e->SetDropDownWidth(300);
  for (const char16_t* caption : {u"More", u"B"}) e->DropDownHeader()->Buttons()->Add()->SetCaption(caption);
  for (const char16_t* caption : {u"Again", u"C"}) e->DropDownFooter()->Buttons()->Add()->SetCaption(caption);
  e->OnDropDownHeaderButtonClick = [&](TObject*, Integer Index) {
    e->DropDownHeader()->Buttons()->GetItem(Index)->SetCaption(u"Less");
  };
  e->OnDropDownFooterButtonClick = [&](TObject*, Integer Index) {
    e->DropDownFooter()->Buttons()->GetItem(Index)->SetCaption(u"Once more");
  };
  e->ShowDropDown();
  struct Band {
    const char* Name;
    std::function<TExButton*(Integer)> At;
    std::function<void()> Rebuild;
    String After;
  };
  TExHeader* h = e->DropDownForm()->Header();
  TExFooter* f = e->DropDownForm()->Footer();
  const Band bands[] = {
      {"header", [h](Integer I) { return h->ButtonAt(I); },
       [e] { e->DropDownHeader()->Buttons()->GetItem(1)->SetCaption(u"D"); }, u"Less"},
      {"footer", [f](Integer I) { return f->ButtonAt(I); },
       [e] { e->DropDownFooter()->Buttons()->GetItem(1)->SetCaption(u"E"); }, u"Once more"},
  };
  for (const Band& band : bands) {
    TExButton* clicked = band.At(0);
    TExButton* other = band.At(1);
    clicked->FreeNotification(removals);
    other->FreeNotification(removals);
    removals->Removed.clear();
    TestHarness::Click(clicked);
    TestHarness::ProcessEvents();
    EXPECT_EQ(band.At(0)->Caption(), band.After) << band.Name;
    EXPECT_EQ(removals->Removed, std::vector<TComponent*>{other}) << band.Name << ": the clicked button lives on";
    EXPECT_FALSE(clicked->Visible()) << band.Name;
    band.Rebuild();
    EXPECT_EQ(removals->Removed, (std::vector<TComponent*>{other, clicked})) << band.Name << ": freed at the next rebuild";
  }
  e->HideDropDown(false);
}
