// The image picker on a form: filling from an image list and from a folder, selection by item and
// by image index with its events, the picture painted in the edit, keys and cancelling.
#include "components/dropdown/ExImagePickerDropDown.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"

namespace {

class ExImagePickerDropDownTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(100, 100, 400, 300);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Picker = new TExImagePickerDropDown(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 200, 40);
    Picker->OnSelect = [this](TObject*) { ++Selects; };
    Picker->OnChange = [this](TObject*) { ++Changes; };
  }
  void TearDown() override { TComponent::Free(Form); }

  // An image list of Count 16 x 16 images, each filled with its own grey.
  TImageList* NewImages(Integer Count) {
    auto* Images = new TImageList(Form);
    TBitmap strip(16 * Count, 16);
    for (Integer i = 0; i < Count; ++i) {
      strip.Canvas()->Brush()->SetColor(RGB(10 * i, 10 * i, 10 * i));
      strip.Canvas()->FillRect(Bounds(16 * i, 0, 16, 16));
    }
    Images->Add(&strip, nullptr);
    return Images;
  }
  void KeyDown(Word Key) { Picker->Perform(WM_KEYDOWN, Key, 0); }

  TForm* Form = nullptr;
  TExImagePickerDropDown* Picker = nullptr;
  Integer Selects = 0;
  Integer Changes = 0;
};

}  // namespace

TEST_F(ExImagePickerDropDownTest, TheImageListGivesOneItemPerImage) {
  Picker->SetImages(NewImages(5));
  Picker->AddImagesFromImageList();
  ASSERT_EQ(Picker->Items()->Count(), 5);
  for (Integer i = 0; i < 5; ++i) {
    EXPECT_EQ(Picker->Items()->Items(i)->ImageIndex(), i);
    EXPECT_EQ(Picker->Items()->Items(i)->Caption(), u"");
  }
  EXPECT_FALSE(Picker->EditorEnabled());
  // Without an image list nothing is added.
  Picker->SetImages(nullptr);
  Picker->AddImagesFromImageList();
  EXPECT_EQ(Picker->Items()->Count(), 5);
}

TEST_F(ExImagePickerDropDownTest, TheImageIndexSelectsTheFirstItemWithIt) {
  Picker->SetImages(NewImages(5));
  Picker->AddImagesFromImageList();
  Picker->Items()->Add()->SetImageIndex(3);
  Picker->SetImageIndex(3);
  EXPECT_EQ(Picker->ItemIndex(), 3);
  EXPECT_EQ(Picker->ImageIndex(), 3);
  EXPECT_EQ(Selects, 1);
  EXPECT_EQ(Changes, 1);
  Picker->SetImageIndex(7);
  EXPECT_EQ(Picker->ItemIndex(), -1);
  EXPECT_EQ(Picker->ImageIndex(), -1);
  EXPECT_EQ(Selects, 2) << "clearing the selection fires too";
  EXPECT_EQ(Changes, 2);
  Picker->SetItemIndex(-1);
  Picker->SetItemIndex(6);
  EXPECT_EQ(Selects, 2) << "the current index again, or one beyond the items, fires nothing";
  EXPECT_EQ(Picker->ItemIndex(), -1);
}

TEST_F(ExImagePickerDropDownTest, TheSelectedPictureIsPaintedCentredInTheEdit) {
  TPicture picture;
  TBitmap red(4, 4);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(Rect(0, 0, 4, 4));
  picture.SetBitmap(&red);
  Picker->Items()->Add()->SetImage(&picture);
  Picker->Items()->Add();
  Picker->Perform(WM_PAINT);
  TCanvas* C = Picker->WindowImage()->Canvas();
  const std::vector<Byte> before = Picker->WindowImage()->SaveToMemory();
  // An item with neither picture nor image paints nothing.
  Picker->SetItemIndex(1);
  Picker->Perform(WM_PAINT);
  EXPECT_EQ(Picker->WindowImage()->SaveToMemory(), before);
  Picker->SetItemIndex(0);
  Picker->Perform(WM_PAINT);
  const TRect R = Picker->FormattingRect();
  const Integer x = R.Left + (R.Width() - 4) / 2, y = R.Top + (R.Height() - 4) / 2;
  EXPECT_EQ(C->Pixels(x, y), 0x0000FF);
  EXPECT_EQ(C->Pixels(x + 3, y + 3), 0x0000FF);
  EXPECT_NE(C->Pixels(x + 4, y + 4), 0x0000FF);
}

TEST_F(ExImagePickerDropDownTest, AFolderGivesOneItemPerEntryAndKeepsTheOnesThatAreNoPicture) {
  namespace fs = std::filesystem;
  const TTempFolder folder("ddpickers_folder");
  const fs::path dir = folder.FsPath();
  fs::create_directories(dir / "sub.bmp");
  TBitmap bmp(3, 2);
  bmp.SaveToFile(Utf8ToString((dir / "good.bmp").string()));
  std::ofstream(dir / "broken.bmp") << "not a bitmap";
  std::ofstream(dir / "notes.txt") << "skipped by the mask";
  Picker->AddImagesFromFolder(Utf8ToString((dir / "*.bmp").string()), true);
  ASSERT_EQ(Picker->Items()->Count(), 3);
  Integer pictures = 0, empties = 0;
  for (Integer i = 0; i < 3; ++i) {
    TImageItem* item = Picker->Items()->Items(i);
    if (item->Image()->Graphic() && !item->Image()->Graphic()->Empty()) {
      ++pictures;
      EXPECT_EQ(item->Caption(), u"good.bmp");
      EXPECT_EQ(item->Image()->Width(), 3);
    } else {
      ++empties;
      EXPECT_EQ(item->Caption(), u"") << "an entry that is no picture keeps an empty caption";
    }
  }
  EXPECT_EQ(pictures, 1);
  EXPECT_EQ(empties, 2) << "the broken file and the sub-folder";
}

TEST_F(ExImagePickerDropDownTest, ClosedArrowsMoveTheSelectionLeftAndRightDoNothing) {
  for (Integer i = 0; i < 4; ++i) Picker->Items()->Add()->SetCaption(u"item");
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->ItemIndex(), 0);
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  EXPECT_EQ(Selects, 2);
  EXPECT_FALSE(Picker->DroppedDown());
  KeyDown(VK_RIGHT);
  KeyDown(VK_LEFT);
  EXPECT_EQ(Picker->ItemIndex(), 1);
  KeyDown(VK_END);
  EXPECT_EQ(Picker->ItemIndex(), 3);
}

TEST_F(ExImagePickerDropDownTest, CancellingAfterArrowsRestoresTheOpeningItem) {
  for (Integer i = 0; i < 6; ++i) Picker->Items()->Add()->SetCaption(u"item");
  Picker->SetColumns(2);
  Picker->SetItemIndex(1);
  Picker->ShowDropDown();
  ASSERT_TRUE(Picker->DroppedDown());
  EXPECT_EQ(Picker->ItemSelector()->Items()->Count(), 6) << "the list is filled at opening";
  KeyDown(VK_DOWN);
  EXPECT_EQ(Picker->ItemIndex(), 3) << "a row of two further";
  KeyDown(VK_LEFT);
  EXPECT_EQ(Picker->ItemIndex(), 2);
  EXPECT_TRUE(Picker->DroppedDown());
  Picker->HideDropDown(true);
  EXPECT_EQ(Picker->ItemIndex(), 1);
}

TEST_F(ExImagePickerDropDownTest, TypedLettersFindAnItemOnceTheListIsFilled) {
  TestHarness::UseFakeClock(true);
  for (const char16_t* c : {u"Apple", u"Banana", u"Cherry"}) Picker->Items()->Add()->SetCaption(c);
  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  KeyDown('C');
  EXPECT_EQ(Picker->ItemIndex(), 2);
  TestHarness::AdvanceClock(500);
  EXPECT_EQ(Picker->CurSearch(), u"");
  TestHarness::UseFakeClock(false);
}

// The list in the popup is filled when the popup is prepared; a closed picker brings it up to its
// items and its selection first, so typing and the wheel work before the first opening and from
// the item chosen in code since the last one.
TEST_F(ExImagePickerDropDownTest, AClosedPickerSearchesAndTurnsFromItsCurrentItems) {
  TestHarness::UseFakeClock(true);
  for (const char16_t* c : {u"Apple", u"Banana", u"Cherry"}) Picker->Items()->Add()->SetCaption(c);
  KeyDown('B');
  EXPECT_EQ(Picker->ItemIndex(), 1) << "typed before the popup was ever opened";
  TestHarness::AdvanceClock(500);

  Picker->ShowDropDown();
  Picker->HideDropDown(false);
  Picker->SetItemIndex(0);
  TestHarness::Wheel(Picker, -120, TPoint(5, 5));
  EXPECT_EQ(Picker->ItemIndex(), 1) << "the wheel turns on from the item chosen in code";

  Picker->Items()->Add()->SetCaption(u"Date");
  KeyDown('D');
  EXPECT_EQ(Picker->ItemIndex(), 3) << "an item added while the popup was closed is found";
  TestHarness::AdvanceClock(500);
  TestHarness::UseFakeClock(false);
}
