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

void TExGridUndoRedo::UndoItem(const TUndoRedoItem* X) {
  // Markers name no cell: they are stepped over (an unclosed or nested sequence leaves some).
  if (IsMarker(X)) return;
  if (OnUndo) OnUndo(this, FGrid, X->Col(), X->Row(), FGrid->GetCellEx(X->Col(), X->Row()), X->OrigValue());
  FGrid->SetCellEx(X->Col(), X->Row(), X->OrigValue());
  FGrid->SetCol(FGrid->DisplColIndex(X->Col()));
  FGrid->SetRow(X->Row());
}

void TExGridUndoRedo::RedoItem(const TUndoRedoItem* X) {
  if (IsMarker(X)) return;
  if (OnRedo) OnRedo(this, FGrid, X->Col(), X->Row(), FGrid->GetCellEx(X->Col(), X->Row()), X->Value());
  FGrid->SetCellEx(X->Col(), X->Row(), X->Value());
  FGrid->SetCol(FGrid->DisplColIndex(X->Col()));
  FGrid->SetRow(X->Row());
}

void TExGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FItems->Count() < FLevel) return;
  const TUndoRedoItem* L = FItems->Items(FLevel - 1);
  if (L->SequenceStop()) {
    // Back to the matching start marker; a sequence inside the sequence is part of the step.
    --FLevel;
    Integer Depth = 1;
    while (FLevel > 0) {
      const TUndoRedoItem* X = FItems->Items(FLevel - 1);
      if (X->SequenceStart() && --Depth == 0) break;
      if (X->SequenceStop()) ++Depth;
      UndoItem(X);
      --FLevel;
    }
    if (FLevel > 0) --FLevel;  // the start marker
    FGrid->Invalidate();
  } else {
    UndoItem(L);
    if (!IsMarker(L)) FGrid->RepaintCell(FGrid->Col(), L->Row());
    --FLevel;
  }
}

void TExGridUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems->Count()) return;
  const Integer I = FLevel;
  FLevel = I + 1;
  if (FItems->Items(I)->SequenceStart()) {
    // Every item up to the matching stop marker, or to the end of an unclosed sequence.
    Integer J = I + 1;
    Integer Depth = 1;
    while (J < FItems->Count()) {
      const TUndoRedoItem* X = FItems->Items(J);
      if (X->SequenceStop() && --Depth == 0) break;
      if (X->SequenceStart()) ++Depth;
      RedoItem(X);
      ++J;
    }
    FLevel = J < FItems->Count() ? J + 1 : FItems->Count();
    FGrid->Invalidate();
  } else {
    RedoItem(FItems->Items(I));
  }
}

void TExGridUndoRedo::Reset() {
  while (FItems->Count() > 0) FItems->Delete(0);
  FLevel = 0;
}
