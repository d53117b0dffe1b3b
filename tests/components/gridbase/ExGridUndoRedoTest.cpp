// The undo / redo component: the history limit, single changes and sequences undone and redone as
// one step, the events, the current cell after each step, a new change after undos, sequence
// markers left unclosed or nested, and the links between the component and its grid.
#include "tests/components/gridbase/BaseGridTestUtil.h"

namespace {

struct UndoRedo : BaseGridFixture {
  TExGridUndoRedo* U = nullptr;
  std::vector<std::string> Events;

  void SetUp() override {
    BaseGridFixture::SetUp();
    U = new TExGridUndoRedo(Form);
    Grid->SetUndoRedo(U);
    auto Record = [this](const char* Kind) {
      return [this, Kind](TObject* Sender, TBaseGrid* G, Integer C, Integer R, const String& Orig,
                          const String& New) {
        EXPECT_EQ(Sender, U);
        EXPECT_EQ(G, Grid);
        Events.push_back(std::string(Kind) + " " + std::to_string(C) + "," + std::to_string(R) + " " +
                         StringToUtf8(Orig) + ">" + StringToUtf8(New));
      };
    };
    U->OnUndo = Record("undo");
    U->OnRedo = Record("redo");
  }

  // Writes the cell and reports the change, as the string grid does after an edit.
  void Edit(Integer C, Integer R, const String& V) {
    const String Old = Grid->Cells(C, R);
    Grid->SetCells(C, R, V);
    U->RegisterChange(C, R, Old, V);
  }
  std::string Texts() {
    std::string S;
    for (Integer c = 1; c <= 4; ++c) S += (c > 1 ? "|" : "") + StringToUtf8(Grid->GridCells(c, 1));
    return S;
  }
};

TEST_F(UndoRedo, LinkingTheGridSetsTheComponentsGrid) {
  EXPECT_EQ(Grid->UndoRedo(), U);
  EXPECT_EQ(U->Grid(), Grid);
  EXPECT_EQ(U->Level(), 0);
  EXPECT_EQ(U->MaxLevel(), 0);
  EXPECT_FALSE(U->CanUndo());
  EXPECT_FALSE(U->CanRedo());
}

TEST_F(UndoRedo, MaxLevelKeepsTheNewestChanges) {
  U->SetMaxLevel(3);
  for (Integer c = 1; c <= 5; ++c) U->RegisterChange(c, 1, u"", u"x");
  ASSERT_EQ(U->Items()->Count(), 3);
  EXPECT_EQ(U->Items()->Items(0)->Col(), 3);
  EXPECT_EQ(U->Items()->Items(2)->Col(), 5);
  EXPECT_EQ(U->Level(), 3);
}

TEST_F(UndoRedo, RegisterChangeStoresColumnRowAndBothTexts) {
  U->RegisterChange(2, 3, u"old", u"new");
  const TUndoRedoItem* X = U->Items()->Items(0);
  EXPECT_EQ(X->Col(), 2);
  EXPECT_EQ(X->Row(), 3);
  EXPECT_EQ(X->OrigValue(), u"old");
  EXPECT_EQ(X->Value(), u"new");
  EXPECT_FALSE(X->SequenceStart());
  EXPECT_FALSE(X->SequenceStop());
}

TEST_F(UndoRedo, ASequenceUndoesNewestFirstAndRedoesOldestFirstAsOneStep) {
  Grid->SetCells(1, 1, u"a");
  U->StartSequence();
  Edit(1, 1, u"A");
  Edit(2, 1, u"B");
  Edit(3, 1, u"C");
  U->StopSequence();
  ASSERT_EQ(U->Items()->Count(), 5);
  EXPECT_EQ(U->Items()->Items(0)->Col(), -1);
  EXPECT_TRUE(U->Items()->Items(0)->SequenceStart());
  EXPECT_TRUE(U->Items()->Items(4)->SequenceStop());
  EXPECT_EQ(U->Level(), 5);

  Clear();
  U->Undo();
  EXPECT_EQ(Texts(), "a|||");
  EXPECT_EQ(Events, (std::vector<std::string>{"undo 3,1 C>", "undo 2,1 B>", "undo 1,1 A>a"}));
  EXPECT_EQ(U->Level(), 0);
  EXPECT_GE(Grid->Invalidated, 1) << "the whole grid is repainted";
  EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), "1,1");

  Events.clear();
  U->Redo();
  EXPECT_EQ(Texts(), "A|B|C|");
  EXPECT_EQ(Events, (std::vector<std::string>{"redo 1,1 a>A", "redo 2,1 >B", "redo 3,1 >C"}));
  EXPECT_EQ(U->Level(), 5);
  EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), "3,1");
}

TEST_F(UndoRedo, ASingleChangeMovesTheCurrentCellThroughItsDisplayColumn) {
  Grid->DisplayShift = 1;  // real column 3 shows as display column 2
  Edit(3, 4, u"x");
  Clear();
  U->Undo();
  EXPECT_EQ(Grid->GridCells(3, 4), u"");
  EXPECT_EQ(Pt(TPoint(Grid->Col(), Grid->Row())), "2,4");
  EXPECT_EQ(Events, (std::vector<std::string>{"undo 3,4 x>"}));
  ASSERT_FALSE(Grid->Repainted.empty());
  EXPECT_EQ(Rc(Grid->Repainted.back()), "80,80,120,100") << "the changed row at the current column";
  EXPECT_EQ(U->Level(), 0);
  EXPECT_TRUE(U->CanRedo());

  U->Redo();
  EXPECT_EQ(Grid->GridCells(3, 4), u"x");
  EXPECT_EQ(U->Level(), 1);
  EXPECT_FALSE(U->CanRedo());
}

TEST_F(UndoRedo, ANewChangeAfterUndosDiscardsTheUndoneChanges) {
  Edit(1, 1, u"1");
  Edit(2, 1, u"2");
  U->Undo();
  EXPECT_EQ(Texts(), "1|||");
  Edit(3, 1, u"3");
  ASSERT_EQ(U->Items()->Count(), 2) << "the undone change of column 2 is gone";
  EXPECT_EQ(U->Items()->Items(1)->Col(), 3);
  EXPECT_FALSE(U->CanRedo());

  Events.clear();
  U->Undo();
  U->Undo();
  EXPECT_EQ(Texts(), "|||");
  EXPECT_EQ(Events, (std::vector<std::string>{"undo 3,1 3>", "undo 1,1 1>"}));
  U->Redo();
  U->Redo();
  EXPECT_EQ(Texts(), "1||3|") << "the discarded change never comes back";
}

TEST_F(UndoRedo, UnclosedAndNestedSequencesStepOverTheirMarkers) {
  U->StartSequence();
  Edit(1, 1, u"A");
  U->StartSequence();
  Edit(2, 1, u"B");
  U->StopSequence();
  Edit(3, 1, u"C");
  U->StopSequence();
  U->Undo();
  EXPECT_EQ(Texts(), "|||") << "the inner sequence is part of the outer one";
  EXPECT_EQ(U->Level(), 0);
  U->Redo();
  EXPECT_EQ(Texts(), "A|B|C|");
  EXPECT_EQ(U->Level(), 7);

  U->Reset();
  Grid->SetCells(1, 1, u"");
  Grid->SetCells(2, 1, u"");
  Grid->SetCells(3, 1, u"");
  U->StartSequence();  // never stopped, as after a failure in the middle of a paste
  Edit(1, 1, u"A");
  Edit(2, 1, u"B");
  U->Undo();
  U->Undo();
  EXPECT_EQ(Texts(), "|||");
  U->Undo();  // the start marker: nothing to write
  EXPECT_EQ(U->Level(), 0);
  U->Redo();
  EXPECT_EQ(Texts(), "A|B||") << "the unclosed sequence redoes to its end";
  EXPECT_EQ(U->Level(), 3);
}

TEST_F(UndoRedo, AChangeWhoseCellLeftTheGridIsSteppedOver) {
  Edit(1, 1, u"A");
  U->RegisterChange(5, 7, u"old", u"new");
  Grid->SetRowCount(3);  // row 7 is gone
  Events.clear();
  U->Undo();
  EXPECT_EQ(U->Level(), 1) << "the history moves on";
  EXPECT_TRUE(Events.empty()) << "nothing was written";
  EXPECT_EQ(Grid->GridCells(5, 7), u"") << "no cell is stored outside the grid";
  U->Undo();
  EXPECT_EQ(Texts(), "|||");
  EXPECT_EQ(U->Level(), 0);
  U->Redo();
  U->Redo();
  EXPECT_EQ(Texts(), "A|||");
  EXPECT_EQ(U->Level(), 2);
  Grid->SetRowCount(8);
  EXPECT_EQ(Grid->Cells(5, 7), u"") << "nothing comes back when the grid grows";

  // Inside a sequence the cells still in the grid are restored.
  U->Reset();
  U->StartSequence();
  Edit(2, 1, u"B");
  U->RegisterChange(9, 1, u"", u"far");
  U->StopSequence();
  U->Undo();
  EXPECT_EQ(Texts(), "A|||");
  EXPECT_EQ(U->Level(), 0);
}

TEST_F(UndoRedo, AStopMarkerWhoseStartWasDroppedUndoesToTheBeginning) {
  U->SetMaxLevel(2);
  U->StartSequence();
  Edit(1, 1, u"A");
  Edit(2, 1, u"B");
  Edit(3, 1, u"C");  // drops the start marker and the first change
  U->StopSequence();
  EXPECT_FALSE(U->Items()->Items(0)->SequenceStart());
  U->Undo();
  EXPECT_EQ(U->Level(), 0);
  EXPECT_EQ(Texts(), "A|||");
}

TEST_F(UndoRedo, ResetEmptiesTheHistory) {
  Edit(1, 1, u"A");
  Edit(2, 1, u"B");
  U->Undo();
  U->Reset();
  EXPECT_EQ(U->Items()->Count(), 0);
  EXPECT_EQ(U->Level(), 0);
  EXPECT_FALSE(U->CanUndo());
  EXPECT_FALSE(U->CanRedo());
}

TEST_F(UndoRedo, WithoutAGridNothingHappensAndEachSideForgetsTheOtherWhenFreed) {
  auto* Other = new TExGridUndoRedo(Form);
  Other->RegisterChange(1, 1, u"", u"x");
  Other->Undo();
  EXPECT_EQ(Other->Level(), 1) << "no grid: Undo does nothing";

  Edit(1, 1, u"A");
  TComponent::Free(Grid);
  Grid = nullptr;
  EXPECT_EQ(U->Grid(), nullptr);
  U->Undo();
  EXPECT_EQ(U->Level(), 1);

  auto* G = new TRecordingGrid(Form);
  G->SetUndoRedo(Other);
  TComponent::Free(Other);
  EXPECT_EQ(G->UndoRedo(), nullptr);
}

}  // namespace
