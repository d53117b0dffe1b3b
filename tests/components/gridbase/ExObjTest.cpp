// The grid's helper objects: the integer list and its events, the sort-index list and its textual
// form, the cell control list, the text-file string list and the file picture.
#include "components/gridbase/ExObj.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"
#include "tests/TempFolder.h"

namespace {

std::vector<Integer> Values(const TIntList& L) {
  std::vector<Integer> V;
  for (Integer i = 0; i < L.Count(); ++i) V.push_back(L.GetInteger(i));
  return V;
}

TEST(IntList, ChangesFireWithTheListsCellExceptInsert) {
  TIntList L(3, 7);
  std::vector<std::string> Fired;
  L.OnChange = [&](TObject* Sender, Integer C, Integer R) {
    EXPECT_EQ(Sender, &L);
    Fired.push_back(std::to_string(C) + "," + std::to_string(R));
  };
  L.Add(5);
  L.Add(6);
  L.Insert(0, 4);
  L.SetInteger(2, 9);
  L.DeleteValue(5);
  L.DeleteValue(42);  // absent: nothing
  EXPECT_EQ(Values(L), (std::vector<Integer>{4, 9}));
  EXPECT_EQ(Fired.size(), 4u) << "Add, Add, SetInteger, DeleteValue";
  EXPECT_EQ(Fired[0], "3,7");
  EXPECT_TRUE(L.HasValue(9));
  EXPECT_FALSE(L.HasValue(5));
  L.Delete(0);
  EXPECT_EQ(Fired.size(), 5u);
}

TEST(IntList, StrValueReadsAndWritesCommaText) {
  TIntList L(0, 0);
  EXPECT_EQ(L.StrValue(), u"");
  for (Integer v : {1, 2, 3}) L.Add(v);
  EXPECT_EQ(L.StrValue(), u"1,2,3");

  Integer Fired = 0;
  L.OnChange = [&](TObject*, Integer, Integer) { ++Fired; };
  L.SetStrValue(u"4, 5");
  EXPECT_EQ(Values(L), (std::vector<Integer>{4, 5}));
  EXPECT_EQ(Fired, 2) << "one event per item, none for clearing";

  Fired = 0;
  EXPECT_THROW(L.SetStrValue(u"7,x,8"), EConvertError);
  EXPECT_EQ(Values(L), (std::vector<Integer>{7})) << "the items before a bad one stay";
  EXPECT_EQ(Fired, 1);
  L.SetStrValue(u"-1 \"2\"");
  EXPECT_EQ(Values(L), (std::vector<Integer>{-1, 2}));
}

TEST(SortIndexList, LevelsKeepTheColumnAndTheDirectionInOneEntry) {
  TSortIndexList L;
  L.AddIndex(3, false);
  L.AddIndex(7, true);
  EXPECT_EQ(L.SortColumns(0), 3);
  EXPECT_FALSE(L.SortDirections(0));
  EXPECT_EQ(static_cast<Cardinal>(L.GetInteger(0)), 0x80000003u);
  EXPECT_TRUE(L.SortDirections(1));
  EXPECT_EQ(L.SaveToString(), u"d3;u7");

  EXPECT_EQ(L.FindIndex(7), 1);
  EXPECT_EQ(L.FindIndex(4), -1);
  L.ToggleIndex(7);
  L.ToggleIndex(4);  // absent: nothing
  EXPECT_FALSE(L.SortDirections(1));
  L.SetSortColumns(1, 9);
  EXPECT_EQ(L.SortColumns(1), 9);
  EXPECT_FALSE(L.SortDirections(1)) << "the direction is kept";
  L.SetSortDirections(0, true);
  EXPECT_EQ(L.SaveToString(), u"u3;d9");
}

TEST(SortIndexList, TextualForm) {
  struct Case {
    const char* Name;
    const char16_t* Load;
    const char16_t* Saved;
  } Cases[] = {
      {"two levels", u"u2;d5", u"u2;d5"},
      {"short and empty pieces are skipped", u"u1;x;d12;;u", u"u1;d12"},
      {"only the lowercase u is ascending", u"U4", u"d4"},
      {"a column that is no number counts as 0", u"uab", u"u0"},
      {"a negative column counts as 0", u"d-3", u"d0"},
      {"empty text", u"", u""},
      {"the text is written with the low 16 bits", u"u70000", u"u4464"},
  };
  for (const Case& C : Cases) {
    TSortIndexList L;
    L.AddIndex(99, true);
    L.LoadFromString(C.Load);
    EXPECT_EQ(L.SaveToString(), C.Saved) << C.Name;
  }
  TSortIndexList L;
  L.LoadFromString(u"d70000");
  EXPECT_EQ(L.SortColumns(0), 70000) << "the list itself keeps the whole column";
}

TEST(FileStringList, WritesBuildLinesAndReadsAdvance) {
  TFileStringList L;
  L.Write(u"a");
  L.Write(u"b");
  L.WriteLn(u"c");
  L.WriteLn(u"d");
  EXPECT_EQ(L.Count(), 2);
  EXPECT_EQ(L[0], u"abc");
  EXPECT_EQ(L[1], u"d");

  String S;
  EXPECT_FALSE(L.Eof());
  L.ReadLn(S);
  EXPECT_EQ(S, u"abc");
  L.ReadLn(S);
  EXPECT_EQ(S, u"d");
  EXPECT_TRUE(L.Eof());
  EXPECT_THROW(L.ReadLn(S), EStringListError);
  L.Reset();
  EXPECT_FALSE(L.Eof());
}

class TListTestForm : public TForm {
 public:
  TListTestForm() : TForm(Application) { AfterConstruction(); }
};

TEST(ControlList, FindsControlsByCellAndHandleAndNeverFreesThem) {
  auto* Form = new TListTestForm;
  auto* Edit = new TEdit(Form);
  auto* Other = new TEdit(Form);
  {
    TControlList L;
    L.AddControl(2, 3, Edit);
    L.AddControl(4, 1, Other);
    L.AddControl(2, 3, Other);
    EXPECT_EQ(L.ControlIndex(2, 3), 0) << "the first item of the cell";
    EXPECT_EQ(L.ControlIndex(4, 1), 1);
    EXPECT_EQ(L.ControlIndex(1, 1), -1);
    EXPECT_TRUE(L.HasHandle(Edit->Handle()));
    EXPECT_FALSE(L.HasHandle(Form->Handle()));
    EXPECT_EQ(L.Control(1)->Control(), Other);
    EXPECT_EQ(L.Control(1)->X(), 4);
    EXPECT_EQ(L.Control(1)->Y(), 1);
    L.RemoveControl(0);
    EXPECT_EQ(L.Count(), 2);
    EXPECT_FALSE(L.HasHandle(Edit->Handle()));
  }
  EXPECT_EQ(Edit->Owner(), Form) << "the controls outlive the list";
  TComponent::Free(Form);
}

struct FilePicture : ::testing::Test {
  TTempFolder Folder{"gridbase_filepicture"};
  const String Dir = Folder.Path();
  // A 4 x 2 bitmap file of one colour.
  String MakeBitmap(const String& Name, TColor Color) {
    TBitmap B(4, 2);
    B.Canvas()->Brush()->SetColor(Color);
    B.Canvas()->FillRect(Rect(0, 0, 4, 2));
    const String File = Dir + u"/" + Name;
    B.SaveToFile(File);
    return File;
  }
};

TEST_F(FilePicture, TheNameMeasuresThePictureAndDrawingReadsTheFileAgain) {
  const String File = MakeBitmap(u"red.bmp", 0x000000FF);
  TFilePicture P;
  P.SetFilename(File);
  EXPECT_EQ(P.Filename(), File);
  EXPECT_EQ(P.Width(), 4);
  EXPECT_EQ(P.Height(), 2);

  TBitmap Target(20, 10);
  P.DrawPicture(Target.Canvas(), Rect(0, 0, 20, 10));
  EXPECT_EQ(Target.Canvas()->Pixels(19, 9), 0x000000FF) << "stretched over the rectangle";

  MakeBitmap(u"red.bmp", 0x0000FF00);  // the file changes: the next draw shows it
  P.DrawPicture(Target.Canvas(), Rect(0, 0, 20, 10));
  EXPECT_EQ(Target.Canvas()->Pixels(10, 5), 0x0000FF00);

  TFilePicture Copy;
  std::filesystem::remove(StringToUtf8(File));
  Copy.Assign(&P);  // no loading
  EXPECT_EQ(Copy.Filename(), File);
  EXPECT_EQ(Copy.Width(), 4);

  TFilePicture Empty;
  Empty.DrawPicture(Target.Canvas(), Rect(0, 0, 20, 10));  // no name: nothing
}

TEST_F(FilePicture, ADeviceIsNeitherMeasuredNorDrawn) {
  // /dev/zero never ends: naming it raises like an unreadable file, and drawing leaves the target.
  TFilePicture P;
  EXPECT_THROW(P.SetFilename(u"/dev/zero"), EFOpenError);
  EXPECT_EQ(P.Filename(), u"/dev/zero");
  EXPECT_EQ(P.Width(), 0);
  TBitmap Target(4, 4);
  Target.Canvas()->Brush()->SetColor(clWhite);
  Target.Canvas()->FillRect(Rect(0, 0, 4, 4));
  P.DrawPicture(Target.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(Target.Canvas()->Pixels(2, 2), clWhite);
}

TEST_F(FilePicture, AMissingFileRaisesAndKeepsTheName) {
  TFilePicture P;
  const String Missing = Dir + u"/missing.bmp";
  EXPECT_ANY_THROW(P.SetFilename(Missing));
  EXPECT_EQ(P.Filename(), Missing);
  TBitmap Target(4, 4);
  EXPECT_ANY_THROW(P.DrawPicture(Target.Canvas(), Rect(0, 0, 4, 4)));
}

}  // namespace
