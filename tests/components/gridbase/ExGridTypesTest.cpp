// The grid vocabulary: the streamed ordinals of the enumerations, the sets, and the order of row
// and column in the event signatures.
#include "components/gridbase/ExGridTypes.h"

#include <gtest/gtest.h>

#include <type_traits>

TEST(ExGridTypes, StoredOrdinalsReadBackAsTheirValues) {
  struct Row {
    const char* Name;
    Integer Ordinal;
    Integer Value;
  };
  const Row Rows[] = {
      {"editor 0", 0, edNormal},
      {"editor 10", 10, edDataCheckBox},
      {"editor 27", 27, edNone},
      {"editor 42", 42, edMaskEditBtn},
      {"sort style 13", 13, ssHTML},
      {"sort style 6", 6, ssShortDateEU},
      {"sort style 19", 19, ssAlphaNumericNoCase},
      {"gradient 1", 1, GradientHorizontal},
      {"vertical alignment 2", 2, vtaBottom},
      {"selection style 3", 3, ssOffice2007},
      {"border side 3", 3, cbBottom},
      {"arrow 3", 3, arrRight},
      {"button style 1", 1, tasCheck},
      {"hover cell 2", 2, hcSelected},
  };
  for (const Row& R : Rows) EXPECT_EQ(R.Value, R.Ordinal) << R.Name;
  EXPECT_EQ(EditorTypeCount, edMaskEditBtn + 1);
  EXPECT_EQ(SortStyleCount, ssAlphaNumericNoCase + 1);
}

TEST(ExGridTypes, SetsKeepOneBitPerValue) {
  TCellBorders B{cbTop, cbBottom};
  EXPECT_TRUE(B.Contains(cbTop));
  EXPECT_FALSE(B.Contains(cbLeft));
  EXPECT_EQ(B.Bits(), 0b1001u);
  B.Include(cbLeft).Exclude(cbTop);
  EXPECT_EQ(B, TCellBorders({cbLeft, cbBottom}));
  EXPECT_EQ(B + TCellBorders{cbRight}, TCellBorders::FromBits(0b1110));
  EXPECT_EQ(B - TCellBorders{cbLeft}, TCellBorders{cbBottom});
  EXPECT_EQ(B * TCellBorders({cbLeft, cbTop}), TCellBorders{cbLeft});
  EXPECT_TRUE(THoverRowCells().Empty());
}

TEST(ExGridTypes, EventsKeepTheirOrderOfRowAndColumn) {
  // A click passes the row first; a button click the column first.
  Integer FirstSeen = -1;
  TClickCellEvent Click = [&](TObject*, Integer ARow, Integer) { FirstSeen = ARow; };
  Click(nullptr, 4, 9);
  EXPECT_EQ(FirstSeen, 4);
  TButtonClickEvent Button = [&](TObject*, Integer ACol, Integer) { FirstSeen = ACol; };
  Button(nullptr, 7, 2);
  EXPECT_EQ(FirstSeen, 7);

  // A hint handler changes the text the grid shows through its by-reference parameter.
  TGridHintEvent Hint = [](TObject*, Integer ARow, Integer ACol, String& hintstr) {
    hintstr = u"row " + IntToStr(ARow) + u", column " + IntToStr(ACol);
  };
  String Shown;
  Hint(nullptr, 2, 5, Shown);
  EXPECT_EQ(StringToUtf8(Shown), "row 2, column 5");

  static_assert(std::is_invocable_v<TGetEditorTypeEvent, TObject*, Integer, Integer, TEditorType&>);
  static_assert(!std::is_invocable_v<TGetEditorTypeEvent, TObject*, Integer, Integer, const TEditorType&>);
  static_assert(std::is_invocable_v<TGridFormatEvent, TObject*, Integer, TSortStyle&, String&, String&>);
  static_assert(std::is_invocable_v<TCustomCellDrawEvent, TObject*, TCanvas*, Integer, Integer, TGridDrawState,
                                    TRect, bool>);
  static_assert(std::is_invocable_v<TGridColorEvent, TObject*, Integer, Integer, TGridDrawState, TBrush*, TFont*>);
}
