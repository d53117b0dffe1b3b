// The carrier components of the binary cell stream: made by name from the class registry with their
// own objects, freed with them, and the simple carriers written and read back as records.
#include "components/grid/ExGridCarriers.h"

#include "ExGridTextPrintTestUtil.h"
#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/BaseGrid.h"
#include "components/gridbase/ExObj.h"

namespace {

class ExGridCarriersTest : public ExGridTextPrintTest {};

TEST_F(ExGridCarriersTest, EveryCarrierIsMadeByNameWithItsOwnObject) {
  struct Case {
    const char16_t* Name;
    std::function<bool(TComponent*)> HasObject;
  };
  const Case Cases[] = {
      {u"TGridPropIO", [](TComponent*) { return true; }},
      {u"TGridCellIO", [](TComponent*) { return true; }},
      {u"TGridCellPropIO",
       [](TComponent* C) { return static_cast<TGridCellPropIO*>(C)->CellProperties() != nullptr; }},
      {u"TGridGraphicIO", [](TComponent* C) { return static_cast<TGridGraphicIO*>(C)->CellGraphic() != nullptr; }},
      {u"TGridBMPIO", [](TComponent* C) { return static_cast<TGridBMPIO*>(C)->Bitmap() != nullptr; }},
      {u"TGridIconIO", [](TComponent* C) { return static_cast<TGridIconIO*>(C)->Icon() != nullptr; }},
      {u"TGridPicIO", [](TComponent* C) { return static_cast<TGridPicIO*>(C)->Picture() != nullptr; }},
      {u"TGridFilePicIO", [](TComponent* C) { return static_cast<TGridFilePicIO*>(C)->Picture() != nullptr; }},
      {u"TGridSLIO", [](TComponent* C) { return static_cast<TGridSLIO*>(C)->Strings() != nullptr; }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(StringToUtf8(C.Name));
    TComponent* Carrier = FindClass(C.Name)(Grid);
    ASSERT_NE(Carrier, nullptr);
    EXPECT_EQ(Carrier->ClassName(), C.Name);
    EXPECT_EQ(Carrier->Owner(), Grid);
    EXPECT_TRUE(C.HasObject(Carrier));
    TComponent::Free(Carrier);
  }
  // The cell properties are made for the owning grid at its first cell.
  auto* P = new TGridCellPropIO(Grid);
  EXPECT_EQ(P->CellProperties()->OwnerGrid(), Grid);
  EXPECT_EQ(P->CellProperties()->OwnerCol(), 0);
  EXPECT_EQ(P->CellProperties()->OwnerRow(), 0);
  // Writing an object property only replaces the reference.
  auto* B = new TGridBMPIO(Grid);
  TBitmap* Own = B->Bitmap();
  TBitmap Other;
  B->SetBitmap(&Other);
  EXPECT_EQ(B->Bitmap(), &Other);
  B->SetBitmap(Own);
  // The grid frees the carriers it owns, with their objects.
}

TEST_F(ExGridCarriersTest, SimpleCarriersTravelAsRecords) {
  TMemoryStream S;
  {
    TGridCellIO Cell(nullptr);
    Cell.SetCol(3);
    Cell.SetRow(7);
    WriteCarrier(&S, &Cell);
    TGridCellIO Far(nullptr);
    Far.SetCol(65535);
    Far.SetRow(1);
    Far.SetCell(u"text, \u00e9");
    Far.SetHasProp(true);
    WriteCarrier(&S, &Far);
    TGridPropIO Header(nullptr);
    Header.SetColCount(2);
    Header.SetRowCount(3);
    Header.SetColWidths(u"64,20");
    Header.SetFullGrid(true);
    Header.SetID(-5);
    WriteCarrier(&S, &Header);
    TGridSLIO List(nullptr);
    List.Strings()->Add(u"one");
    List.Strings()->Add(u"two");
    WriteCarrier(&S, &List);
  }
  S.SetPosition(0);
  TGridCellIO Cell(nullptr);
  Cell.SetCell(u"stale");
  Cell.SetHasProp(true);
  ReadCarrier(&S, &Cell);
  EXPECT_EQ(Cell.Col(), 3);
  EXPECT_EQ(Cell.Row(), 7);
  EXPECT_EQ(Cell.Cell(), u"stale");  // an empty text is not written, so the read leaves it
  EXPECT_FALSE(Cell.HasProp());
  TGridCellIO Far(nullptr);
  ReadCarrier(&S, &Far);
  EXPECT_EQ(Far.Col(), 65535);
  EXPECT_EQ(Far.Cell(), u"text, \u00e9");
  EXPECT_TRUE(Far.HasProp());
  TGridPropIO Header(nullptr);
  ReadCarrier(&S, &Header);
  EXPECT_EQ(Header.ColCount(), 2);
  EXPECT_EQ(Header.RowCount(), 3);
  EXPECT_EQ(Header.ColWidths(), u"64,20");
  EXPECT_EQ(Header.RowHeights(), u"");
  EXPECT_TRUE(Header.FullGrid());
  EXPECT_EQ(Header.ID(), -5);
  TGridSLIO List(nullptr);
  ReadCarrier(&S, &List);
  EXPECT_EQ(List.Strings()->CommaText(), u"one,two");

  // A record of another class, or a property the carrier does not have, is an error.
  S.SetPosition(0);
  EXPECT_THROW(ReadCarrier(&S, &Header), EReadError);
  TMemoryStream Odd;
  TStreamComponent C;
  C.ClassName = u"TGridCellIO";
  C.Properties.push_back({u"Colour", TStreamValue::OfInteger(1)});
  WriteComponentStream(&Odd, C);
  Odd.SetPosition(0);
  EXPECT_THROW(ReadCarrier(&Odd, &Cell), EReadError);
}

}  // namespace
