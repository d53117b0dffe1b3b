// The drag-and-drop bases (target, source, the registry of targets), the grid's drag-and-drop
// settings and the drag-scroll options. The grid's own target and source are in
// ExGridDropTarget.cpp.
#include "components/grid/ExGridDragDrop.h"

#include <map>

namespace {

bool GRTFDropAllowed = false;

std::map<TWinControl*, TESGDropTarget*>& Targets() {
  static std::map<TWinControl*, TESGDropTarget*> targets;
  return targets;
}

}  // namespace

void SetRTFDropAllowed(bool Value) { GRTFDropAllowed = Value; }
bool RTFDropAllowed() { return GRTFDropAllowed; }

// --- Drop target base ----------------------------------------------------------------------------

Integer TESGDropTarget::EffectFromKeys(Word Keys) {
  return (Keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

TDropFormats TESGDropTarget::Acceptable(const TDragData& Data) const {
  TDropFormats F;
  if (Data.HasText && FAcceptText) F.Include(dfText);
  if (!Data.Files.empty() && FAcceptFiles) F.Include(dfFile);
  if (Data.HasRTF && GRTFDropAllowed && FAcceptText) F.Include(dfRTF);
  if (Data.Col >= 0 && FAcceptCols) F.Include(dfCol);
  if (Data.HasURL && FAcceptURLs) F.Include(dfURL);
  if (!Data.GridCells.empty()) F.Include(dfGridCells);
  return F;
}

void TESGDropTarget::DragEnter(const TDragData& Data, Word Keys, TPoint Pt, Integer& Effect) {
  FDropFormats = Acceptable(Data);
  FAccepted = !FDropFormats.Empty();
  DragOver(Keys, Pt, Effect);
}

void TESGDropTarget::DragOver(Word Keys, TPoint Pt, Integer& Effect) {
  if (!FAccepted) {
    Effect = DROPEFFECT_NONE;
    return;
  }
  Effect = EffectFromKeys(Keys);
  bool Allow = true;
  DragMouseMove(Pt, Allow, FDropFormats);
  if (!Allow) Effect = DROPEFFECT_NONE;
}

void TESGDropTarget::DragLeave() {
  DragMouseLeave();
  FAccepted = false;
}

void TESGDropTarget::Drop(const TDragData& Data, Word Keys, TPoint Pt, Integer& Effect) {
  FDropFormats = Acceptable(Data);
  FAccepted = false;
  if (FDropFormats.Empty()) {
    Effect = DROPEFFECT_NONE;
    return;
  }
  Effect = EffectFromKeys(Keys);
  if (FDropFormats.Contains(dfCol)) {
    DropCol(Pt, Data.Col);
  } else if (FDropFormats.Contains(dfGridCells)) {
    TMemoryStream Stream;
    Stream.WriteBuffer(Data.GridCells);
    Stream.SetPosition(0);
    DropStream(Pt, &Stream);
  } else if (FDropFormats.Contains(dfRTF)) {
    DropRTF(Pt, Data.RTF);
  } else if (FDropFormats.Contains(dfText)) {
    DropText(Pt, Data.Text);
  }
  if (FDropFormats.Contains(dfFile)) {
    TStringList Files;
    for (const String& F : Data.Files) Files.Add(F);
    DropFiles(Pt, &Files);
  }
  if (FDropFormats.Contains(dfURL)) DropURL(Pt, Data.URL);
}

bool RegisterDropTarget(TWinControl* Control, TESGDropTarget* Target) {
  if (!Control || !Target) return false;
  Targets()[Control] = Target;
  return true;
}

void RevokeDropTarget(TWinControl* Control) { Targets().erase(Control); }

TESGDropTarget* FindDropTarget(TWinControl* Control) {
  auto It = Targets().find(Control);
  return It == Targets().end() ? nullptr : It->second;
}

// --- Drop source base ----------------------------------------------------------------------------

TDragContinue TESGDropSource::QueryContinueDrag(bool EscapePressed, Word Keys) {
  TDragContinue Result = dcContinue;
  if (EscapePressed) {
    Result = dcCancel;
    DropEnded();
  } else if (!(Keys & MK_LBUTTON)) {
    Result = dcDrop;
    DropEnded();
  }
  QueryDrag();
  return Result;
}

void TESGDropSource::GiveFeedback(Integer Effect) { CurrentEffect(Effect); }

// --- Drag-and-drop settings ----------------------------------------------------------------------

TDragDropSettings::TDragDropSettings(TExStringGrid* AGrid) : FGrid(AGrid) {}

TDragDropSettings::~TDragDropSettings() { RevokeDropTarget(); }

void TDragDropSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragDropSettings*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FShowCells = S->FShowCells;
  FOleAcceptFiles = S->FOleAcceptFiles;
  FOleAcceptText = S->FOleAcceptText;
  FOleAcceptURLs = S->FOleAcceptURLs;
  FOleAppendRows = S->FOleAppendRows;
  FOleColumnDragDrop = S->FOleColumnDragDrop;
  FOleColumnReorder = S->FOleColumnReorder;
  FOleColumnsOnly = S->FOleColumnsOnly;
  FOleCopyAlways = S->FOleCopyAlways;
  FOleDropTarget = S->FOleDropTarget;
  FOleDropSource = S->FOleDropSource;
  FOleEntireRows = S->FOleEntireRows;
  FOleInsertRows = S->FOleInsertRows;
  FOleRemoveRows = S->FOleRemoveRows;
  FOleDropRTF = S->FOleDropRTF;
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  FOleDropRTF = Value;
  SetRTFDropAllowed(Value);
}

// --- Drag-scroll options -------------------------------------------------------------------------

void TDragScrollDelays::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollDelays*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FInitialDelay = S->FInitialDelay;
  FRepeatDelay = S->FRepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollMargins*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FTopMargin = S->FTopMargin;
  FBottomMargin = S->FBottomMargin;
  FLeftMargin = S->FLeftMargin;
  FRightMargin = S->FRightMargin;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>()) {}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TDragScrollOptions*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FMargins->Assign(S->FMargins.get());
  FDelays->Assign(S->FDelays.get());
  FActive = S->FActive;
}

void TDragScrollOptions::SetDelays(const TDragScrollDelays* Value) {
  if (Value) FDelays->Assign(const_cast<TDragScrollDelays*>(Value));
}

void TDragScrollOptions::SetMargins(const TDragScrollMargins* Value) {
  if (Value) FMargins->Assign(const_cast<TDragScrollMargins*>(Value));
}
