// The drop-down framework's pieces that need no window: colour maths, the number-text classifier,
// hexadecimal digits, the range-checked button list, and the header, footer and button settings
// with their change notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/dropdown/ExDropDown.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct ColorCase {
  const char* Name;
  TColor Result;
  TColor Expected;
};

}  // namespace

TEST(DropDownColors, BlendAndShade) {
  const ColorCase cases[] = {
      {"20 % white over black", BlendColor(0xFFFFFF, 0x000000, 20), 0x333333},
      {"100 % keeps the first colour as it is", BlendColor(clBtnFace, 0x000000, 100), clBtnFace},
      {"above 100 % keeps the first colour", BlendColor(0x123456, 0x000000, 150), 0x123456},
      {"0 % keeps the second colour as it is", BlendColor(0x000000, clHighlight, 0), clHighlight},
      {"a half rounds to the even neighbour (127.5)", BlendColor(0x0000FF, 0x000000, 50), 0x000080},
      {"a half rounds to the even neighbour (0.5)", BlendColor(0x000001, 0x000000, 50), 0x000000},
      {"an exact half at 1 % rounds to even (81.5)", BlendColor(0x000020, 0x000052, 1), 0x000052},
      {"no first colour gives the second", BlendColor(clNone, 0x123456, 40), 0x123456},
      {"no second colour gives the first", BlendColor(0x123456, clNone, 40), 0x123456},
      {"shade darkens red and green by 10 %", ShadeColor(0xF5F0E1, -10, -10, 0), 0xF5D8CA},
      {"shade of the hot end colour", ShadeColor(0xF9D2B2, -10, -10, 0), 0xF9BDA0},
      {"a zero channel with a negative delta stays 0", ShadeColor(0x000000, -10, 0, 0), 0x000000},
      {"a zero channel takes a positive delta", ShadeColor(0x000000, 10, 0, 0), 0x00000A},
      {"a positive delta does not lighten", ShadeColor(0x808080, 20, 20, 20), 0x808080},
  };
  for (const ColorCase& c : cases) EXPECT_EQ(c.Result, c.Expected) << c.Name;
}

TEST(DropDownNumbers, ClassifyNumberText) {
  struct Case {
    const char* Name;
    String Text;
    Integer Kind;
  };
  const Case cases[] = {
      {"integer", u"12", 0},
      {"negative integer", u"-12", 0},
      {"float", u"1.5", 1},
      {"grouped thousands", u"1,234", 1},
      {"separators too close", u"1,2,3", 2},
      {"hexadecimal", u"1A", 5},
      {"hexadecimal letters only", u"abc", 5},
      {"several minus signs", u"1-2-3", 2},
      {"two decimal separators", u"1.2.3", 2},
      {"letters", u"xyz", 2},
      {"empty", u"", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(ExDropDown::ClassifyNumberText(c.Text), c.Kind) << c.Name;
}

TEST(DropDownNumbers, HexDigitsAndOtherTextRoutines) {
  EXPECT_EQ(HexToInt(u"FF"), 255);
  EXPECT_EQ(HexToInt(u"ff"), 255);
  EXPECT_EQ(HexToInt(u"10"), 16);
  EXPECT_EQ(HexToInt(u""), 0);
  EXPECT_EQ(HexToInt(u"G1"), 1) << "a character that is no digit counts 0";
  EXPECT_EQ(HexToInt(u"FFFFFFFF"), -1) << "eight digits wrap into the sign";
  EXPECT_EQ(HexToInt(u"123456789"), 0x23456789) << "a ninth digit falls off the top without overflow";
  EXPECT_EQ(HexDigitValue(u'a'), 10);
  EXPECT_EQ(HexDigitValue(u'F'), 15);
  EXPECT_EQ(HexDigitValue(u'z'), 0);
  for (Char c : String(u",-;")) EXPECT_TRUE(IsRangeSeparator(c)) << static_cast<int>(c);
  EXPECT_FALSE(IsRangeSeparator(u'.'));
  String r;
  StripThousandSeparators(u"1,234,567.5", r);
  EXPECT_EQ(r, u"1234567.5");
  CaseText(u"Abc", false, r);
  EXPECT_EQ(r, u"ABC");
  CaseText(u"Abc", true, r);
  EXPECT_EQ(r, u"Abc");
}

TEST(DropDownLists, TheButtonListChecksItsIndices) {
  TDbgList list;
  int a = 1, b = 2;
  list.Add(&a);
  EXPECT_EQ(list.GetItemsEx(0), &a);
  list.SetItemsEx(0, &b);
  EXPECT_EQ(list.GetItemsEx(0), &b);
  try {
    list.GetItemsEx(1);
    ADD_FAILURE() << "a read at Count raises";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Index out of bounds in list read access");
  }
  try {
    list.SetItemsEx(1, &a);
    ADD_FAILURE() << "a write at Count raises";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Index out of bounds in list write access");
  }
  TDbgList other;
  other.Add(&a);
  other.Add(&b);
  list.AssignList(&other);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), &b);
}

TEST(DropDownBandSettings, DefaultsOfHeaderAndFooter) {
  THeaderAppearance h(nullptr);
  TFooterAppearance f(nullptr);
  EXPECT_EQ(h.Color(), 0xC0C0C0);
  EXPECT_EQ(h.ColorTo(), 0xFFFFFF);
  EXPECT_EQ(h.GradientDirection(), gdVertical);
  EXPECT_TRUE(h.Visible());
  EXPECT_EQ(h.Height(), 22);
  EXPECT_EQ(h.BorderColor(), 0);
  EXPECT_EQ(h.BorderWidth(), 1);
  EXPECT_EQ(h.ImageIndex(), -1);
  EXPECT_EQ(h.ButtonAlignment(), baRight);
  EXPECT_EQ(h.Font()->Name(), u"Tahoma");
  EXPECT_EQ(h.Buttons()->Count(), 0);
  EXPECT_TRUE(f.SizeGrip());
  EXPECT_EQ(f.Height(), 22);
  EXPECT_EQ(f.ButtonAlignment(), baRight);
}

TEST(DropDownBandSettings, OnlyVisibleAndTheButtonItemsNotify) {
  THeaderAppearance h(nullptr);
  std::vector<std::string> log;
  h.OnChange = [&](TObject*) { log.push_back("change"); };
  h.OnButtonsChanged = [&](TObject*) { log.push_back("buttons"); };
  h.SetColor(0x123456);
  h.SetHeight(30);
  h.SetCaption(u"<b>x</b>");
  h.SetVisible(true);
  EXPECT_TRUE(log.empty()) << "plain stores and an unchanged Visible notify nobody";
  h.SetVisible(false);
  EXPECT_EQ(log, (std::vector<std::string>{"change"}));
  log.clear();
  THeaderButton* b = h.Buttons()->Add();
  EXPECT_TRUE(log.empty()) << "adding an item notifies nobody";
  b->SetHeight(40);
  b->SetImageIndex(3);
  EXPECT_TRUE(log.empty()) << "Height and ImageIndex are plain stores";
  b->SetCaption(u"OK");
  b->SetEnabled(false);
  b->SetWidth(50);
  b->SetWidth(50);
  EXPECT_EQ(log, (std::vector<std::string>{"buttons", "buttons", "buttons"}));
}

TEST(DropDownBandSettings, AssignCopiesFromTheSameClassOnly) {
  THeaderAppearance src(nullptr), dst(nullptr);
  src.SetColor(0x010203);
  src.SetColorTo(clNone);
  src.SetCaption(u"Head");
  src.SetHeight(30);
  src.SetVisible(false);
  src.SetButtonAlignment(baLeft);
  src.Buttons()->Add()->SetCaption(u"A");
  src.Buttons()->Add()->SetCaption(u"B");
  int changes = 0, buttonChanges = 0;
  dst.OnChange = [&](TObject*) { ++changes; };
  dst.OnButtonsChanged = [&](TObject*) { ++buttonChanges; };
  dst.Assign(&src);
  EXPECT_EQ(dst.Color(), 0x010203);
  EXPECT_EQ(dst.ColorTo(), clNone);
  EXPECT_EQ(dst.Caption(), u"Head");
  EXPECT_EQ(dst.Height(), 30);
  EXPECT_FALSE(dst.Visible());
  EXPECT_EQ(dst.ButtonAlignment(), baLeft);
  ASSERT_EQ(dst.Buttons()->Count(), 2);
  EXPECT_EQ(dst.Buttons()->GetItem(1)->Caption(), u"B");
  EXPECT_EQ(changes, 1) << "Visible is copied through its write";
  EXPECT_EQ(buttonChanges, 2) << "the copied captions notify";

  TFooterAppearance foreign(nullptr);
  foreign.SetColor(0x0A0B0C);
  dst.Assign(&foreign);
  EXPECT_EQ(dst.Color(), 0x010203) << "a foreign class is ignored";

  THeaderAppearance colours(nullptr);
  colours.AssignColors(&src);
  EXPECT_EQ(colours.Color(), 0x010203);
  EXPECT_EQ(colours.Caption(), u"") << "AssignColors copies colours, font and direction only";
  EXPECT_EQ(colours.Height(), 22);
}

TEST(DropDownBandSettings, FooterButtonsCarryTheirModalResult) {
  TFooterAppearance src(nullptr), dst(nullptr);
  TFooterButton* b = src.Buttons()->Add();
  b->SetCaption(u"Cancel");
  b->SetModalResult(mrCancel);
  b->SetWidth(60);
  src.SetSizeGrip(false);
  dst.Assign(&src);
  ASSERT_EQ(dst.Buttons()->Count(), 1);
  EXPECT_EQ(dst.Buttons()->GetItem(0)->ModalResult(), mrCancel);
  EXPECT_EQ(dst.Buttons()->GetItem(0)->Width(), 60);
  EXPECT_FALSE(dst.SizeGrip());
  THeaderButton foreign(nullptr);
  EXPECT_THROW(dst.Buttons()->GetItem(0)->Assign(&foreign), EConvertError) << "items take the inherited assignment";
}

TEST(DropDownButtonAppearance, DefaultsAndAssign) {
  TExButtonAppearance a;
  EXPECT_EQ(a.BorderColor(), clNone);
  EXPECT_EQ(a.ColorHot(), 0xF5F0E1);
  EXPECT_EQ(a.ColorChecked(), 0xF5D8CA);
  EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0);
  EXPECT_EQ(a.BorderColorChecked(), 0xFF0000);
  EXPECT_EQ(a.Font()->Name(), u"Tahoma");
  TExButtonAppearance b;
  b.SetColorHot(0x010101);
  b.SetGradient(gdHorizontal);
  b.Font()->SetName(u"Courier");
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.Assign(&b);
  EXPECT_EQ(a.ColorHot(), 0x010101);
  EXPECT_EQ(a.Gradient(), gdHorizontal);
  EXPECT_EQ(a.Font()->Name(), u"Tahoma") << "the font is not copied";
  EXPECT_EQ(changes, 2) << "only the values that changed notify";
  THeaderAppearance foreign(nullptr);
  EXPECT_THROW(a.Assign(&foreign), EConvertError);
}
