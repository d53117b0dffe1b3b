// The cell graphic model without a grid: angles, picture fitting, the setters' fields, copying and
// the objects a graphic frees.
#include <gtest/gtest.h>

#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/ExObj.h"

namespace {

// A string list that reports its destruction.
class TWatchedList : public TStringList {
 public:
  explicit TWatchedList(bool& Freed) : FFreed(Freed) {}
  ~TWatchedList() override { FFreed = true; }

 private:
  bool& FFreed;
};

class TWatchedBitmap : public TBitmap {
 public:
  explicit TWatchedBitmap(bool& Freed) : FFreed(Freed) {}
  ~TWatchedBitmap() override { FFreed = true; }

 private:
  bool& FFreed;
};

TEST(CellGraphic, NewGraphicIsNoneAndEmpty) {
  TCellGraphic G;
  EXPECT_EQ(G.CellType(), ctNone);
  EXPECT_FALSE(G.CellCreated());
  EXPECT_EQ(G.CellBitmap(), nullptr);
  EXPECT_EQ(G.CellIcon(), nullptr);
  EXPECT_EQ(G.CellIndex(), 0);
  EXPECT_EQ(G.CellAngle(), 0);
  EXPECT_EQ(G.CellText(), u"");
  EXPECT_EQ(G.ClassName(), u"TCellGraphic");
}

TEST(CellGraphic, SetAngleBringsTheAngleIntoRange) {
  struct Case {
    const char* Name;
    int16_t In;
    Integer Out;
  };
  const Case Cases[] = {
      {"negative", -30, 330}, {"two turns", 720, 360}, {"full turn stays", 360, 360},
      {"zero", 0, 0},         {"minus a turn", -360, 0}, {"in range", 45, 45},
      {"past a turn", 370, 10},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TCellGraphic G;
    G.SetAngle(C.In);
    EXPECT_EQ(G.CellType(), ctRotated);
    EXPECT_EQ(G.CellAngle(), C.Out);
  }
}

TEST(CellGraphic, PictureFittingByStretchMode) {
  struct Case {
    const char* Name;
    TStretchMode Mode;
    Integer W, H, Padding, RoomW, RoomH;
    TPoint Expected;
  };
  const Case Cases[] = {
      {"shrink with ratio, too wide", ShrinkWithAspectRatio, 200, 100, 0, 100, 100, TPoint(100, 50)},
      {"shrink with ratio, fits", ShrinkWithAspectRatio, 50, 20, 0, 100, 100, TPoint(50, 20)},
      {"shrink with ratio, too high", ShrinkWithAspectRatio, 40, 200, 0, 100, 100, TPoint(20, 100)},
      {"no stretch keeps the size", noStretch, 200, 100, 0, 100, 100, TPoint(200, 100)},
      {"stretch takes the room", Stretch, 10, 10, 0, 100, 60, TPoint(100, 60)},
      {"stretch less padding (once)", Stretch, 10, 10, 4, 100, 60, TPoint(96, 56)},
      {"shrink, too large", Shrink, 200, 10, 0, 100, 60, TPoint(100, 60)},
      {"shrink, fits", Shrink, 20, 10, 0, 100, 60, TPoint(20, 10)},
      {"stretch with ratio grows", StretchWithAspectRatio, 10, 20, 0, 100, 100, TPoint(50, 100)},
      {"stretch with ratio, wide", StretchWithAspectRatio, 40, 10, 0, 100, 100, TPoint(100, 25)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TPicture Picture;
    TBitmap B(C.W, C.H);
    Picture.SetGraphic(&B);
    TCellGraphic G;
    G.SetPicture(&Picture, false, C.Mode, C.Padding, haLeft, vaTop);
    EXPECT_EQ(G.GetPictureSize(C.RoomW, C.RoomH, true), C.Expected);
    EXPECT_EQ(G.GetPictureSize(C.RoomW, C.RoomH, false), C.Expected);
  }
}

TEST(CellGraphic, PictureSizeOfOtherKindsIsZero) {
  TCellGraphic G;
  G.SetCheckBox(true, false, true, haLeft, vaTop);
  EXPECT_EQ(G.GetPictureSize(100, 100, false), TPoint(0, 0));
}

TEST(CellGraphic, SettersSetTheKindAndTheirFields) {
  TCellGraphic G;
  G.SetCellText(u"kept");
  G.SetButton(40, 18, u"Go", haRight, vaCenter);
  EXPECT_EQ(G.CellType(), ctButton);
  EXPECT_EQ(G.CellIndex(), (18 << 16) | 40);
  EXPECT_EQ(G.ButtonWidth(), 40);
  EXPECT_EQ(G.ButtonHeight(), 18);
  EXPECT_EQ(G.CellText(), u"Go");
  EXPECT_EQ(G.CellHAlign(), haRight);
  EXPECT_EQ(G.CellVAlign(), vaCenter);

  G.SetCheckBox(true, true, false, haBeforeText, vaBottom);
  EXPECT_EQ(G.CellType(), ctDataCheckBox);
  EXPECT_TRUE(G.CellBoolean());
  EXPECT_FALSE(G.CellTransparent());
  EXPECT_EQ(G.CellAngle(), 0);
  // Fields the setter does not name keep their values.
  EXPECT_EQ(G.CellText(), u"Go");

  G.SetCheckBox(cbGrayed, true, haLeft, vaTop);
  EXPECT_EQ(G.CellType(), ctTriStateCheckBox);
  EXPECT_EQ(G.CellCheckBoxState(), cbGrayed);
  EXPECT_FALSE(G.CellBoolean());
  EXPECT_TRUE(G.CellTransparent());

  G.SetRadioButton(true, true, haLeft, vaTop);
  EXPECT_EQ(G.CellType(), ctRadioButton);
  EXPECT_TRUE(G.CellBoolean());
}

TEST(CellGraphic, MultiImageOwnsAListBoundToTheCell) {
  Integer Notified = 0;
  {
    TCellGraphic G;
    G.SetMultiImage(3, 4, 0, haLeft, vaTop, [&](TObject*, Integer C, Integer R) {
      EXPECT_EQ(C, 3);
      EXPECT_EQ(R, 4);
      ++Notified;
    });
    ASSERT_NE(G.IntList(), nullptr);
    EXPECT_TRUE(G.CellBoolean());
    EXPECT_TRUE(G.CellCreated());
    G.IntList()->Add(7);
  }
  EXPECT_EQ(Notified, 1);
}

TEST(CellGraphic, AssignCopiesValuesButNotObjects) {
  TBitmap B(2, 2);
  TCellGraphic Src;
  Src.SetBitmap(&B, true, haCenter, vaFull);
  Src.SetCellIndex(5);
  Src.SetCellText(u"t");
  Src.SetCellErrFrom(1);
  Src.SetCellErrLen(2);
  Src.SetCellValue(3.5);
  Src.SetCellVar(1);
  Src.SetCellCheckBoxState(cbChecked);
  TCellGraphic Dst;
  Dst.Assign(&Src);
  EXPECT_EQ(Dst.CellType(), ctBitmap);
  EXPECT_TRUE(Dst.CellTransparent());
  EXPECT_EQ(Dst.CellHAlign(), haCenter);
  EXPECT_EQ(Dst.CellVAlign(), vaFull);
  EXPECT_EQ(Dst.CellIndex(), 5);
  EXPECT_EQ(Dst.CellText(), u"t");
  EXPECT_EQ(Dst.CellErrFrom(), 1);
  EXPECT_EQ(Dst.CellErrLen(), 2);
  EXPECT_EQ(Dst.CellValue(), 3.5);
  EXPECT_EQ(Dst.CellBitmap(), nullptr);
  EXPECT_EQ(Dst.CellVar(), 0);
  EXPECT_EQ(Dst.CellCheckBoxState(), cbUnchecked);
}

TEST(CellGraphic, DestroyFreesOnlyWhatTheKindOwns) {
  struct Case {
    const char* Name;
    TCellType Type;
    bool Created;
    Integer Angle;
    bool ExpectFreed;
  };
  const Case Cases[] = {
      {"created radio list", ctRadio, true, 0, true},
      {"caller's radio list", ctRadio, false, 0, false},
      {"balloon always", ctBalloon, false, 0, true},
      {"check box with balloon", ctCheckBox, false, 1, true},
      {"radio button with balloon", ctRadioButton, false, 1, true},
      {"check box without balloon", ctCheckBox, false, 0, false},
      {"comment never", ctComment, true, 0, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    bool Freed = false;
    auto* List = new TWatchedList(Freed);
    {
      TCellGraphic G;
      G.SetCellType(C.Type);
      G.SetCellBitmap(List);
      G.SetCellCreated(C.Created);
      G.SetCellAngle(C.Angle);
    }
    EXPECT_EQ(Freed, C.ExpectFreed);
    if (!Freed) delete List;
  }
}

TEST(CellGraphic, CreatedBitmapIsFreedWithTheGraphic) {
  bool Freed = false;
  {
    TCellGraphic G;
    G.SetBitmap(new TWatchedBitmap(Freed), false, haLeft, vaTop);
    G.SetCellCreated(true);
  }
  EXPECT_TRUE(Freed);
}

}  // namespace
