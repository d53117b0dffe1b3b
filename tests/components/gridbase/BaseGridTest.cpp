// The base grid's cell model: defaults, property objects made on first use, cell text through the
// merged area's base cell and the display-text events, caller and graphic objects, freeing, and
// the hidden last row's notification.
#include <memory>

#include "tests/components/gridbase/BaseGridTestUtil.h"

namespace {

using CellModel = BaseGridFixture;

TEST_F(CellModel, ANewGridHasTheFoundationsDefaults) {
  EXPECT_EQ(Grid->GridLineWidth(), 1);
  EXPECT_EQ(Grid->TCustomGrid::GridLineWidth(), 0) << "the library draws no grid lines";
  EXPECT_FALSE(Grid->DefaultDrawing());
  EXPECT_FALSE(Grid->TCustomGrid::DefaultDrawing());
  EXPECT_EQ(Grid->GridLineColor(), clSilver);
  EXPECT_EQ(Grid->GridFixedLineColor(), clGray);
  EXPECT_EQ(Grid->ActiveRowColor(), clInfoBk);
  EXPECT_FALSE(Grid->ActiveRowShow());
  EXPECT_EQ(Grid->ActiveRowColorTo(), clNone);
  EXPECT_EQ(Grid->ActiveRowMirrorColor(), clNone);
  EXPECT_EQ(Grid->ActiveRowMirrorColorTo(), clNone);
  EXPECT_TRUE(Grid->WordWrap());
  EXPECT_FALSE(Grid->HoverRow());
  EXPECT_EQ(Grid->HoverRowIdx(), -1);
  EXPECT_EQ(Grid->HoverRowColor(), clInfoBk);
  EXPECT_EQ(Grid->HoverRowColorTo(), clNone);
  EXPECT_EQ(Grid->HoverRowCells(), (THoverRowCells{hcNormal, hcSelected}));
  EXPECT_EQ(Grid->SelectionStyle(), ssDefault);
  EXPECT_EQ(Grid->NormalRowCount(), 0);
  EXPECT_TRUE(Grid->ShowSel());
  EXPECT_FALSE(Grid->HasCellProps());
  EXPECT_FALSE(Grid->HideLastRow());
  EXPECT_EQ(Grid->MergeCount(), 0);
  EXPECT_EQ(Grid->UndoRedo(), nullptr);
}

TEST_F(CellModel, WritingTheLineWidthOrDefaultDrawingKeepsTheLibrarysOff) {
  Grid->SetGridLineWidth(3);
  Grid->SetDefaultDrawing(true);
  EXPECT_EQ(Grid->GridLineWidth(), 3);
  EXPECT_EQ(Grid->TCustomGrid::GridLineWidth(), 0);
  EXPECT_TRUE(Grid->DefaultDrawing());
  EXPECT_FALSE(Grid->TCustomGrid::DefaultDrawing());
}

TEST_F(CellModel, ReadingPropertiesCreatesOneObjectWithTheCellDefaults) {
  Grid->SetColor(0x00102030);
  Grid->Font()->SetColor(0x00405060);
  Grid->SetWordWrap(false);
  EXPECT_FALSE(Grid->HasCellProperties(2, 3));

  TCellProperties* P = Grid->CellProperties(2, 3);
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(Grid->CellProperties(2, 3), P) << "a second read answers the same object";
  EXPECT_EQ(Grid->GridObjects(2, 3), P) << "kept in the cell's object slot";
  EXPECT_TRUE(Grid->HasCellProperties(2, 3));
  EXPECT_TRUE(Grid->HasCellProps());

  EXPECT_EQ(P->OwnerGrid(), Grid);
  EXPECT_EQ(P->OwnerCol(), 2);
  EXPECT_EQ(P->OwnerRow(), 3);
  EXPECT_EQ(P->CellSpanX(), -1);
  EXPECT_EQ(P->CellSpanY(), -1);
  EXPECT_TRUE(P->IsBaseCell());
  EXPECT_FALSE(P->ReadOnly());
  EXPECT_EQ(P->BrushColor(), 0x00102030) << "the grid's colour";
  EXPECT_EQ(P->BrushColorTo(), clNone);
  EXPECT_EQ(P->FontColor(), 0x00405060);
  EXPECT_EQ(P->FontName(), Grid->Font()->Name());
  EXPECT_EQ(P->FontSize(), Grid->Font()->Size());
  EXPECT_FALSE(P->WordWrap()) << "the grid's word wrap";
  EXPECT_EQ(P->Alignment(), taLeftJustify);
  EXPECT_EQ(P->VAlignment(), vtaTop);
  EXPECT_EQ(P->GradientDirection(), GradientVertical);
  EXPECT_EQ(P->CalcType(), acNONE);
  EXPECT_EQ(P->Editor(), edNormal);
  EXPECT_EQ(P->CellObject(), nullptr);
  EXPECT_EQ(P->GraphicObject(), nullptr);
}

// A grid whose cells default to other values.
class TDefaultsGrid : public TRecordingGrid {
 public:
  using TRecordingGrid::TRecordingGrid;
  void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                       TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                       TCellGradientDirection& GD) override {
    TRecordingGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA, WW,
                                    GD);
    AFont->SetStyle(TFontStyles{fsBold});
    ABrush->SetColor(0x000000FF);
    AColorTo = 0x0000FF00;
    HA = taCenter;
    VA = vtaBottom;
    WW = false;
    GD = GradientHorizontal;
  }
};

TEST_F(CellModel, NewPropertiesTakeWhatGetCellDefaultsAnswers) {
  auto* G = new TDefaultsGrid(Form);
  TCellProperties* P = G->CellProperties(1, 1);
  EXPECT_EQ(P->FontStyle(), TFontStyles{fsBold});
  EXPECT_EQ(P->BrushColor(), 0x000000FF);
  EXPECT_EQ(P->BrushColorTo(), 0x0000FF00);
  EXPECT_EQ(P->Alignment(), taCenter);
  EXPECT_EQ(P->VAlignment(), vtaBottom);
  EXPECT_FALSE(P->WordWrap());
  EXPECT_EQ(P->GradientDirection(), GradientHorizontal);
}

TEST_F(CellModel, HasCellPropertiesLooksOnlyInsideTheGrid) {
  Grid->CellProperties(5, 7);
  Grid->CellProperties(0, 0);
  struct Case {
    const char* Name;
    Integer Col, Row;
    bool Expected;
  } Cases[] = {
      {"a cell with properties", 5, 7, true},
      {"the first cell", 0, 0, true},
      {"a cell without", 4, 7, false},
      {"a negative column", -1, 0, false},
      {"a negative row", 0, -1, false},
      {"a column past the count", 6, 7, false},
      {"a row past the count", 5, 8, false},
  };
  for (const Case& C : Cases) EXPECT_EQ(Grid->HasCellProperties(C.Col, C.Row), C.Expected) << C.Name;
  Grid->SetColCount(5);
  EXPECT_FALSE(Grid->HasCellProperties(5, 7)) << "kept past the shrunk count, but outside the grid";
}

TEST_F(CellModel, PropertySettersRepaintTheirCellOrItsWholeArea) {
  TCellProperties* P = Grid->CellProperties(2, 2);
  Clear();
  P->SetBrushColor(clRed);
  ASSERT_EQ(Grid->Repainted.size(), 1u);
  EXPECT_EQ(Rc(Grid->Repainted[0]), "80,40,120,60");

  Grid->MergeCells(1, 4, 2, 2);
  Clear();
  Grid->CellProperties(2, 5)->SetBrushColor(clBlue);
  ASSERT_EQ(Grid->Repainted.size(), 1u);
  EXPECT_EQ(Rc(Grid->Repainted[0]), "40,80,120,120") << "the whole 2 x 2 area";

  struct Setter {
    const char* Name;
    void (*Write)(TCellProperties*);
    bool Repaints;
  } Setters[] = {
      {"BrushColorTo", [](TCellProperties* X) { X->SetBrushColorTo(clRed); }, true},
      {"VAlignment", [](TCellProperties* X) { X->SetVAlignment(vtaCenter); }, true},
      {"WordWrap", [](TCellProperties* X) { X->SetWordWrap(false); }, true},
      {"Alignment", [](TCellProperties* X) { X->SetAlignment(taRightJustify); }, false},
      {"ReadOnly", [](TCellProperties* X) { X->SetReadOnly(true); }, false},
      {"FontColor", [](TCellProperties* X) { X->SetFontColor(clRed); }, false},
  };
  for (const Setter& S : Setters) {
    Clear();
    S.Write(P);
    EXPECT_EQ(Grid->Repainted.size(), S.Repaints ? 1u : 0u) << S.Name;
  }
}

TEST_F(CellModel, CellsOfAMergedAreaReadAndWriteTheBaseCell) {
  Grid->SetGridCells(1, 1, u"base");
  Grid->SetGridCells(2, 1, u"hidden");
  Grid->MergeCells(1, 1, 2, 2);
  Clear();
  EXPECT_EQ(Grid->Cells(2, 2), u"base");
  EXPECT_EQ(Grid->GridCells(2, 1), u"hidden") << "GridCells takes the cell itself";

  Grid->SetCells(2, 2, u"new");
  EXPECT_EQ(Grid->GridCells(1, 1), u"new");
  EXPECT_EQ(Grid->GridCells(2, 2), u"");
  EXPECT_EQ(Grid->Log, (std::vector<std::string>{"CellTextChanged 1,1"}));
  ASSERT_EQ(Grid->Repainted.size(), 1u);
  EXPECT_EQ(Rc(Grid->Repainted[0]), "40,20,120,60");

  Clear();
  Grid->SetCells(4, 4, u"plain");
  EXPECT_EQ(Grid->Cells(4, 4), u"plain");
  EXPECT_TRUE(Grid->Log.empty()) << "no CellTextChanged for a cell without properties";
  EXPECT_TRUE(Grid->Repainted.empty());
}

TEST_F(CellModel, OutOfRangeTextRaisesTheLibrarysIndexError) {
  EXPECT_THROW(Grid->Cells(-1, 0), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetCells(0, -1, u"x"), EInvalidGridOperation);
}

TEST_F(CellModel, DisplayTextEventsFireOnlyForNormalRows) {
  Grid->SetGridCells(1, 2, u"ab");
  Grid->SetGridCells(1, 6, u"cd");
  std::vector<std::string> Fired;
  Grid->OnGetDisplText = [&](TObject*, Integer C, Integer R, String& V) {
    Fired.push_back(std::to_string(C) + "," + std::to_string(R));
    V += u"!";
  };
  EXPECT_EQ(Grid->Cells(1, 2), u"ab") << "NormalRowCount 0: no event";
  EXPECT_TRUE(Fired.empty());

  Grid->SetNormalRowCount(5);
  EXPECT_EQ(Grid->Cells(1, 2), u"ab!");
  EXPECT_EQ(Grid->Cells(1, 6), u"cd") << "row 6 is not below 5";
  EXPECT_EQ(Fired, (std::vector<std::string>{"1,2"}));

  Grid->MergeCells(1, 2, 1, 2);
  Fired.clear();
  EXPECT_EQ(Grid->Cells(1, 3), u"ab!");
  EXPECT_EQ(Fired, (std::vector<std::string>{"1,2"})) << "the event is asked for the base cell";
}

TEST_F(CellModel, TheWideDisplayEventReadsBackInEncodedForm) {
  Grid->SetNormalRowCount(Grid->RowCount());
  Grid->SetGridCells(1, 1, u"Ab");
  String Seen;
  Grid->OnGetDisplWideText = [&](TObject*, Integer, Integer, String& V) {
    Seen = V;
    V = u"\u20AC";
  };
  const String Text = Grid->Cells(1, 1);
  EXPECT_EQ(Seen, u"Ab") << "a text without the marker is handed over unchanged";
  EXPECT_EQ(Text, String(u"|\\") + Char(0x20) + Char(0xAC));

  Grid->SetGridCells(2, 1, String(u"|\\") + Char(0x00) + Char(0x41));
  Grid->OnGetDisplWideText = [&](TObject*, Integer, Integer, String& V) { Seen = V; };
  EXPECT_EQ(Grid->Cells(2, 1), String(u"|\\") + Char(0x00) + Char(0x41));
  EXPECT_EQ(Seen, u"A") << "decoded before the event";
}

TEST_F(CellModel, WritingTheHiddenLastRowCallsLastRowChangedOncePerWrite) {
  Grid->SetHideLastRow(true);
  Grid->CellProperties(3, 7);
  Grid->SetCells(2, 7, u"a");  // no properties
  Grid->SetCells(3, 7, u"b");  // properties
  Grid->SetCells(2, 6, u"c");  // not the last row
  EXPECT_EQ(Grid->Log, (std::vector<std::string>{"LastRowChanged", "CellTextChanged 3,7", "LastRowChanged"}));

  Clear();
  Grid->SetHideLastRow(false);
  Grid->SetCells(2, 7, u"d");
  EXPECT_TRUE(Grid->Log.empty());
}

TEST_F(CellModel, CallerObjectsLiveInThePropertiesAndLeaveEmptyTextsEmpty) {
  Integer Freed = 0;
  auto Mine = std::make_unique<TCountedObject>(u"TMine", Freed);
  EXPECT_EQ(Grid->Objects(3, 3), nullptr) << "no property object: none";
  EXPECT_FALSE(Grid->HasCellProperties(3, 3));

  Grid->SetObjects(3, 3, Mine.get());
  EXPECT_EQ(Grid->Objects(3, 3), Mine.get());
  EXPECT_EQ(Grid->CellProperties(3, 3)->CellObject(), Mine.get());
  EXPECT_EQ(Grid->GridCells(3, 3), u"") << "the blank is taken away again";

  Grid->SetCells(4, 3, u"kept");
  Grid->SetObjects(4, 3, Mine.get());
  EXPECT_EQ(Grid->GridCells(4, 3), u"kept");

  Grid->FreeAllCellProps();
  EXPECT_EQ(Freed, 0) << "the grid does not own caller objects";
  EXPECT_EQ(Grid->Objects(3, 3), nullptr);
}

// A grid that tries to store a graphic once its destruction has begun.
class TLateGraphicGrid : public TRecordingGrid {
 public:
  using TRecordingGrid::TRecordingGrid;
  TObject* Late = nullptr;
  bool* Stored = nullptr;
  void BeforeDestruction() override {
    TRecordingGrid::BeforeDestruction();
    SetGraphicObjectEx(1, 1, Late);
    *Stored = HasCellProperties(1, 1);
  }
};

TEST_F(CellModel, GraphicObjectsMakePropertiesAndAreIgnoredWhileDestroying) {
  Integer Freed = 0;
  auto Graphic = std::make_unique<TCountedObject>(u"TPicture", Freed);
  EXPECT_EQ(Grid->GraphicObjects(2, 2), nullptr);
  Grid->SetGraphicObjects(2, 2, Graphic.get());
  EXPECT_EQ(Grid->GraphicObjects(2, 2), Graphic.get());
  EXPECT_EQ(Grid->CellGraphicOf(Grid->CellProperties(2, 2)), Graphic.get());
  EXPECT_EQ(Grid->GridCells(2, 2), u"");
  Grid->FreeCellProps(2, 2);  // the graphic is not the grid's: it goes before the grid does

  bool Stored = true;
  auto* G = new TLateGraphicGrid(Form);
  G->Late = Graphic.get();
  G->Stored = &Stored;
  TComponent::Free(G);
  EXPECT_FALSE(Stored);
}

TEST_F(CellModel, FreeingPropertiesFreesOnlyGraphicsNamedTCellGraphic) {
  Integer Owned = 0, Foreign = 0, Caller = 0;
  struct Case {
    const char* Name;
    void (*Free)(TBaseGrid*);
  } Cases[] = {
      {"FreeCellProps", [](TBaseGrid* G) { G->FreeCellProps(1, 1); }},
      {"FreeCellPropsRange", [](TBaseGrid* G) { G->FreeCellPropsRange(0, 0, 2, 2); }},
      {"FreeAllCellProps", [](TBaseGrid* G) { G->FreeAllCellProps(); }},
      {"SetCellProperties nil", [](TBaseGrid* G) { G->SetCellProperties(1, 1, nullptr); }},
  };
  for (const Case& C : Cases) {
    Owned = Foreign = Caller = 0;
    auto* Own = new TCountedObject(u"TCellGraphic", Owned);
    auto Other = std::make_unique<TCountedObject>(u"TCellGraphicEx", Foreign);
    auto Obj = std::make_unique<TCountedObject>(u"TMine", Caller);
    Grid->SetGraphicObjects(1, 1, Own);
    Grid->SetObjects(1, 1, Obj.get());
    Grid->SetGraphicObjects(2, 1, Other.get());
    C.Free(Grid);
    EXPECT_EQ(Owned, 1) << C.Name;
    EXPECT_EQ(Caller, 0) << C.Name;
    EXPECT_FALSE(Grid->HasCellProperties(1, 1)) << C.Name;
    EXPECT_EQ(Grid->GridObjects(1, 1), nullptr) << C.Name;
    Grid->FreeCellProps(2, 1);
    EXPECT_EQ(Foreign, 0) << C.Name << ": another class is not the grid's";
  }
}

TEST_F(CellModel, SetCellPropertiesReplacesTheObjectAndKeepsAGraphicTheNewOneHolds) {
  Integer Owned = 0;
  auto* Own = new TCountedObject(u"TCellGraphic", Owned);
  Grid->SetGraphicObjects(1, 1, Own);
  TCellProperties* Old = Grid->CellProperties(1, 1);
  Grid->SetCellProperties(1, 1, Old);
  EXPECT_EQ(Grid->CellProperties(1, 1), Old) << "storing the same object frees nothing";

  auto* New = new TCellProperties(Grid, 1, 1);
  New->SetGraphicObject(Own);
  Grid->SetCellProperties(1, 1, New);
  EXPECT_EQ(Grid->CellProperties(1, 1), New);
  EXPECT_EQ(Owned, 0) << "the graphic moved to the new object";
  Grid->FreeCellProps(1, 1);
  EXPECT_EQ(Owned, 1);
}

TEST_F(CellModel, FreeCellPropsRangeDoesNothingBeforeAnyPropertiesExisted) {
  Integer Freed = 0;
  // A foreign object in a raw slot stays where it is.
  auto Foreign = std::make_unique<TCountedObject>(u"TCellProperties", Freed);
  Grid->SetGridObjects(1, 1, Foreign.get());
  Grid->FreeCellPropsRange(0, 0, 5, 7);
  EXPECT_EQ(Grid->GridObjects(1, 1), Foreign.get());
  Grid->SetHasCellProps(true);
  Grid->FreeCellPropsRange(0, 0, 5, 7);
  EXPECT_EQ(Grid->GridObjects(1, 1), Foreign.get()) << "only property objects are the grid's";
  EXPECT_EQ(Freed, 0);
  Grid->SetGridObjects(1, 1, nullptr);
}

TEST_F(CellModel, ClearingCellsDropsReferencesWithoutFreeing) {
  TCellProperties* P = Grid->CellProperties(2, 3);
  Grid->SetGridCells(2, 3, u"x");
  Grid->SetGridCells(4, 3, u"y");
  Grid->ClearRowCells(3);
  EXPECT_EQ(Grid->GridObjects(2, 3), nullptr);
  EXPECT_EQ(Grid->GridCells(2, 3), u"");
  EXPECT_EQ(Grid->GridCells(4, 3), u"");
  EXPECT_EQ(P->OwnerCol(), 2) << "still alive";

  Grid->SetCellProperties(2, 4, P);
  Grid->SetGridCells(2, 5, u"z");
  Grid->ClearColCells(2);
  EXPECT_EQ(Grid->GridObjects(2, 4), nullptr);
  EXPECT_EQ(Grid->GridCells(2, 5), u"");

  Grid->SetCellProperties(1, 1, P);
  Grid->SetGridCells(1, 1, u"w");
  Grid->ClearCellAndObject(1, 1);
  EXPECT_EQ(Grid->GridObjects(1, 1), nullptr);
  EXPECT_EQ(Grid->GridCells(1, 1), u"");
  delete P;
}

TEST_F(CellModel, DestroyingTheGridFreesPropertiesAndOwnedGraphicsEvenPastTheCounts) {
  Integer Owned = 0, Caller = 0, Hidden = 0;
  auto Obj = std::make_unique<TCountedObject>(u"TMine", Caller);
  auto* G = new TRecordingGrid(Form);
  G->SetGraphicObjects(1, 1, new TCountedObject(u"TCellGraphic", Owned));
  G->SetObjects(1, 1, Obj.get());
  G->SetGraphicObjects(4, 4, new TCountedObject(u"TCellGraphic", Hidden));
  G->SetColCount(3);  // the cell (4, 4) is kept beyond the count
  TComponent::Free(G);
  EXPECT_EQ(Owned, 1);
  EXPECT_EQ(Hidden, 1);
  EXPECT_EQ(Caller, 0);
}

TEST(CellProperties, AssignCopiesTheCellSettingsButNotGradientCalculationOrGraphic) {
  TCellProperties Src(nullptr, 3, 4), Dst(nullptr, 0, 0);
  Integer Dummy = 0;
  TCountedObject Obj(u"TMine", Dummy), Graphic(u"TCellGraphic", Dummy), Calc(u"TCalc", Dummy);
  Src.SetIsBaseCell(false);
  Src.SetCellSpanX(1);
  Src.SetCellSpanY(2);
  Src.SetCellObject(&Obj);
  Src.SetAlignment(taCenter);
  Src.SetBorderColor(clRed);
  Src.SetBorderWidth(2);
  Src.SetBrushColor(clBlue);
  Src.SetBrushStyle(bsClear);
  Src.SetFontColor(clLime);
  Src.SetFontStyle(TFontStyles{fsItalic});
  Src.SetFontName(u"Courier");
  Src.SetFontSize(14);
  Src.SetReadOnly(true);
  Src.SetEditor(edComboList);
  Src.SetVAlignment(vtaBottom);
  Src.SetWordWrap(false);
  Src.SetNodeLevel(3);
  Src.SetBrushColorTo(clYellow);
  Src.SetGradientDirection(GradientHorizontal);
  Src.SetCalcType(acSUM);
  Src.SetCalcObject(&Calc);
  Src.SetGraphicObject(&Graphic);
  Src.SetPaintID(9);

  Dst.Assign(&Src);
  EXPECT_FALSE(Dst.IsBaseCell());
  EXPECT_EQ(Dst.CellSpanX(), 1);
  EXPECT_EQ(Dst.CellSpanY(), 2);
  EXPECT_EQ(Dst.OwnerCol(), 3);
  EXPECT_EQ(Dst.OwnerRow(), 4);
  EXPECT_EQ(Dst.CellObject(), &Obj);
  EXPECT_EQ(Dst.Alignment(), taCenter);
  EXPECT_EQ(Dst.BorderColor(), clRed);
  EXPECT_EQ(Dst.BorderWidth(), 2);
  EXPECT_EQ(Dst.BrushColor(), clBlue);
  EXPECT_EQ(Dst.BrushStyle(), bsClear);
  EXPECT_EQ(Dst.FontColor(), clLime);
  EXPECT_EQ(Dst.FontStyle(), TFontStyles{fsItalic});
  EXPECT_EQ(Dst.FontName(), u"Courier");
  EXPECT_EQ(Dst.FontSize(), 14);
  EXPECT_TRUE(Dst.ReadOnly());
  EXPECT_EQ(Dst.Editor(), edComboList);
  EXPECT_EQ(Dst.VAlignment(), vtaBottom);
  EXPECT_FALSE(Dst.WordWrap());
  EXPECT_EQ(Dst.NodeLevel(), 3);

  EXPECT_EQ(Dst.BrushColorTo(), clNone);
  EXPECT_EQ(Dst.GradientDirection(), GradientVertical);
  EXPECT_EQ(Dst.CalcType(), acNONE);
  EXPECT_EQ(Dst.CalcObject(), nullptr);
  EXPECT_EQ(Dst.GraphicObject(), nullptr);
  EXPECT_EQ(Dst.PaintID(), 0);

  TFont NotProps;
  EXPECT_THROW(Dst.Assign(&NotProps), EConvertError);
}

}  // namespace
