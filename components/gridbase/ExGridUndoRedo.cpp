// TExGridUndoRedo: the history of cell text changes and its undo and redo steps.
#include "components/gridbase/ExGridUndoRedo.h"

#include "components/gridbase/BaseGrid.h"

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* C) -> TCollectionItem* { return new TUndoRedoItem(C); }) {}

TExGridUndoRedo::TExGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

TExGridUndoRedo::~TExGridUndoRedo() = default;

void TExGridUndoRedo::SetGrid(TBaseGrid* Value) {
  if (FGrid == Value) return;
  FGrid = Value;
  if (FGrid) FGrid->FreeNotification(this);
}

void TExGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
  TComponent::Notification(AComponent, Operation);
}

void TExGridUndoRedo::DropRedoItems() {
  while (FItems->Count() > FLevel && FLevel >= 0) FItems->Delete(FItems->Count() - 1);
}

void TExGridUndoRedo::RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue) {
  DropRedoItems();
  if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel) FItems->Delete(0);
  TUndoRedoItem* X = FItems->Add();
  X->SetCol(ACol);
  X->SetRow(ARow);
  X->SetValue(NewValue);
  X->SetOrigValue(OldValue);
  if (FGrid) X->SetRowMark(FGrid->MarkRow(ARow));
  FLevel = FItems->Count();
}

void TExGridUndoRedo::StartSequence() {
  DropRedoItems();
  TUndoRedoItem* X = FItems->Add();
  X->SetCol(-1);
  X->SetRow(-1);
  X->SetSequenceStart(true);
  FLevel = FItems->Count();
}

void TExGridUndoRedo::StopSequence() {
  TUndoRedoItem* X = FItems->Add();
  X->SetCol(-1);
  X->SetRow(-1);
  X->SetSequenceStop(true);
  FLevel = FItems->Count();
}

bool TExGridUndoRedo::WriteItem(const TUndoRedoItem* X, const String& Text, const TExGridUndoRedoEvent& Event) {
  // Markers name no cell: they are stepped over (an unclosed or nested sequence leaves some).
  if (IsMarker(X)) return false;
  // A cell that left the grid is not written: it would lie outside the grid and come back with
  // a grown grid.
  const Integer C = X->Col(), R = X->Row();
  if (C < 0 || R < 0 || C >= FGrid->TotalColCount() || R >= FGrid->RowCount()) return false;
  if (Event) Event(this, FGrid, C, R, FGrid->GetCellEx(C, R), Text);
  FGrid->SetCellEx(C, R, Text);
  // A hidden last column has no shown place to move to.
  const Integer D = FGrid->DisplColIndex(C);
  if (D >= 0 && D < FGrid->ColCount()) FGrid->SetCol(D);
  FGrid->SetRow(R);
  return true;
}

void TExGridUndoRedo::FindRows(const std::vector<TUndoRedoItem*>& Items) {
  std::vector<const TGridRowMark*> Marks;
  std::vector<Integer> Rows;
  for (const TUndoRedoItem* X : Items) {
    Marks.push_back(X->RowMark().get());
    Rows.push_back(X->Row());
  }
  FGrid->FindMarkedRows(Marks, Rows);
  for (size_t i = 0; i < Items.size(); ++i) Items[i]->SetRow(Rows[i]);
}

void TExGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FItems->Count() < FLevel) return;
  TUndoRedoItem* L = FItems->Items(FLevel - 1);
  if (L->SequenceStop()) {
    // Back to the matching start marker; a sequence inside the sequence is part of the step.
    std::vector<TUndoRedoItem*> Step;
    --FLevel;
    Integer Depth = 1;
    while (FLevel > 0) {
      TUndoRedoItem* X = FItems->Items(FLevel - 1);
      if (X->SequenceStart() && --Depth == 0) break;
      if (X->SequenceStop()) ++Depth;
      if (!IsMarker(X)) Step.push_back(X);
      --FLevel;
    }
    if (FLevel > 0) --FLevel;  // the start marker
    FindRows(Step);
    for (const TUndoRedoItem* X : Step) UndoItem(X);
    FGrid->Invalidate();
  } else {
    FindRows({L});
    if (UndoItem(L)) FGrid->RepaintCell(FGrid->Col(), L->Row());
    --FLevel;
  }
}

void TExGridUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems->Count()) return;
  const Integer I = FLevel;
  FLevel = I + 1;
  if (FItems->Items(I)->SequenceStart()) {
    // Every item up to the matching stop marker, or to the end of an unclosed sequence.
    std::vector<TUndoRedoItem*> Step;
    Integer J = I + 1;
    Integer Depth = 1;
    while (J < FItems->Count()) {
      TUndoRedoItem* X = FItems->Items(J);
      if (X->SequenceStop() && --Depth == 0) break;
      if (X->SequenceStart()) ++Depth;
      if (!IsMarker(X)) Step.push_back(X);
      ++J;
    }
    FLevel = J < FItems->Count() ? J + 1 : FItems->Count();
    FindRows(Step);
    for (const TUndoRedoItem* X : Step) RedoItem(X);
    FGrid->Invalidate();
  } else {
    TUndoRedoItem* X = FItems->Items(I);
    FindRows({X});
    RedoItem(X);
  }
}

void TExGridUndoRedo::Reset() {
  while (FItems->Count() > 0) FItems->Delete(0);
  FLevel = 0;
}
