// The string grid's option groups: defaults, setter side effects and Assign.
#include "components/gridbase/ExGridOptions.h"

// ---------------------------------------------------------------------------------------------
// TSearchFooter
// ---------------------------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TComponent* AOwner, bool InitDesign)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  if (InitDesign) {
    FFindNextCaption = u"Find &next";
    FFindPrevCaption = u"Find &previous";
    FHighLightCaption = u"Highlight";
    FHintClose = u"Close";
    FHintFindNext = u"Find next occurrence";
    FHintFindPrev = u"Find previous occurrence";
    FHintHighlight = u"Highlight occurrences";
    FMatchCaseCaption = u"Match case";
  }
}

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

void TSearchFooter::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSearchFooter*>(Source);
  if (!S) return;
  FAlwaysHighLight = S->FAlwaysHighLight;
  FColor = S->FColor;
  FColorTo = S->FColorTo;
  FFindNextCaption = S->FFindNextCaption;
  FFindPrevCaption = S->FFindPrevCaption;
  FHighLightCaption = S->FHighLightCaption;
  FMatchCaseCaption = S->FMatchCaseCaption;
  FHintClose = S->FHintClose;
  FHintFindNext = S->FHintFindNext;
  FHintFindPrev = S->FHintFindPrev;
  FHintHighlight = S->FHintHighlight;
  FShowClose = S->FShowClose;
  FShowFindNext = S->FShowFindNext;
  FShowFindPrev = S->FShowFindPrev;
  FShowHighLight = S->FShowHighLight;
  FShowMatchCase = S->FShowMatchCase;
  FSearchActiveColumnOnly = S->FSearchActiveColumnOnly;
  FSearchMatchStart = S->FSearchMatchStart;
  FSearchColumn = S->FSearchColumn;
  FSearchDirection = S->FSearchDirection;
  FSearchHiddenRows = S->FSearchHiddenRows;
  FVisible = S->FVisible;
  FFont->Assign(S->FFont.get());
}

void TSearchFooter::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TSearchFooter::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}

void TSearchFooter::SetFindNextCaption(const String& Value) {
  FFindNextCaption = Value;
  Changed();
}

void TSearchFooter::SetFindPrevCaption(const String& Value) {
  FFindPrevCaption = Value;
  Changed();
}

void TSearchFooter::SetFont(const TFont* Value) {
  FFont->Assign(Value);
  Changed();
}

void TSearchFooter::SetHighLightCaption(const String& Value) {
  FHighLightCaption = Value;
  Changed();
}

void TSearchFooter::SetHintClose(const String& Value) {
  FHintClose = Value;
  Changed();
}

void TSearchFooter::SetHintFindNext(const String& Value) {
  FHintFindNext = Value;
  Changed();
}

void TSearchFooter::SetHintFindPrev(const String& Value) {
  FHintFindPrev = Value;
  Changed();
}

void TSearchFooter::SetHintHighlight(const String& Value) {
  FHintHighlight = Value;
  Changed();
}

void TSearchFooter::SetMatchCaseCaption(const String& Value) {
  FMatchCaseCaption = Value;
  Changed();
}

void TSearchFooter::SetShowClose(bool Value) {
  FShowClose = Value;
  Changed();
}

void TSearchFooter::SetShowFindNext(bool Value) {
  if (FShowFindNext == Value) return;
  FShowFindNext = Value;
  Changed();
}

void TSearchFooter::SetShowFindPrev(bool Value) {
  if (FShowFindPrev == Value) return;
  FShowFindPrev = Value;
  Changed();
}

void TSearchFooter::SetShowHighLight(bool Value) {
  if (FShowHighLight == Value) return;
  FShowHighLight = Value;
  Changed();
}

void TSearchFooter::SetShowMatchCase(bool Value) {
  if (FShowMatchCase == Value) return;
  FShowMatchCase = Value;
  Changed();
}

void TSearchFooter::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TNavigation
// ---------------------------------------------------------------------------------------------

void TNavigation::Changed() {
  if (OnChange) OnChange(this);
}

void TNavigation::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TNavigation*>(Source);
  if (!S) return;
  FAllowInsertRow = S->FAllowInsertRow;
  FAllowDeleteRow = S->FAllowDeleteRow;
  FAlwaysEdit = S->FAlwaysEdit;
  FAdvanceOnEnter = S->FAdvanceOnEnter;
  FAdvanceOnEnterLoop = S->FAdvanceOnEnterLoop;
  FAdvanceInsert = S->FAdvanceInsert;
  FAdvanceAutoEdit = S->FAdvanceAutoEdit;
  FAdvanceSkipReadOnlyCells = S->FAdvanceSkipReadOnlyCells;
  FAutoGotoWhenSorted = S->FAutoGotoWhenSorted;
  FAutoGotoIncremental = S->FAutoGotoIncremental;
  FAutoComboDropSize = S->FAutoComboDropSize;
  FAdvanceDirection = S->FAdvanceDirection;
  FAllowClipboardShortCuts = S->FAllowClipboardShortCuts;
  FAllowCtrlEnter = S->FAllowCtrlEnter;
  FAllowSmartClipboard = S->FAllowSmartClipboard;
  FAllowRTFClipboard = S->FAllowRTFClipboard;
  FAllowFmtClipboard = S->FAllowFmtClipboard;
  FAllowClipboardAlways = S->FAllowClipboardAlways;
  FAllowClipboardRowGrow = S->FAllowClipboardRowGrow;
  FAllowClipboardColGrow = S->FAllowClipboardColGrow;
  FAdvanceAuto = S->FAdvanceAuto;
  FAppendOnArrowDown = S->FAppendOnArrowDown;
  FEditSelectAll = S->FEditSelectAll;
  FInsertPosition = S->FInsertPosition;
  FClipboardPasteAction = S->FClipboardPasteAction;
  FComboGetUpDown = S->FComboGetUpDown;
  FCursorAdvance = S->FCursorAdvance;
  FCursorWalkEditor = S->FCursorWalkEditor;
  FCursorWalkAlwaysEdit = S->FCursorWalkAlwaysEdit;
  FCursorMoveRows = S->FCursorMoveRows;
  FMoveRowOnSort = S->FMoveRowOnSort;
  FMoveScrollOnly = S->FMoveScrollOnly;
  FImproveMaskSel = S->FImproveMaskSel;
  FLeftRightRowSelect = S->FLeftRightRowSelect;
  FCopyHTMLTagsToClipboard = S->FCopyHTMLTagsToClipboard;
  FKeepHorizScroll = S->FKeepHorizScroll;
  FLineFeedOnEnter = S->FLineFeedOnEnter;
  FHomeEndKey = S->FHomeEndKey;
  FSkipFixedCells = S->FSkipFixedCells;
  FSkipDisabledRows = S->FSkipDisabledRows;
  FTabToNextAtEnd = S->FTabToNextAtEnd;
  FTabAdvanceDirection = S->FTabAdvanceDirection;
}

void TNavigation::SetAdvanceInsert(bool Value) {
  if (FAdvanceInsert == Value) return;
  FAdvanceInsert = Value;
  Changed();
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
  if (FAdvanceDirection == Value) return;
  FAdvanceDirection = Value;
  Changed();
}

void TNavigation::SetAdvanceAuto(bool Value) {
  if (FAdvanceAuto == Value) return;
  FAdvanceAuto = Value;
  if (Value) FAdvanceOnEnter = true;
}

// ---------------------------------------------------------------------------------------------
// TMouseActions
// ---------------------------------------------------------------------------------------------

TMouseActions::TMouseActions(TComponent* AOwner) : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>()) {}

bool TMouseActions::IsDesigning() {
  bool Designing = false;
  if (OnIsDesigning) OnIsDesigning(this, Designing);
  return Designing;
}

void TMouseActions::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TMouseActions*>(Source);
  if (!S) return;
  FAllColumnSize = S->FAllColumnSize;
  FAllRowSize = S->FAllRowSize;
  FAllSelect = S->FAllSelect;
  FAutoSizeColOnDblClick = S->FAutoSizeColOnDblClick;
  FCaretPositioning = S->FCaretPositioning;
  FCheckAllCheck = S->FCheckAllCheck;
  FColSelect = S->FColSelect;
  FRowSelect = S->FRowSelect;
  FDirectComboClose = S->FDirectComboClose;
  FDirectComboDrop = S->FDirectComboDrop;
  FDirectDateClose = S->FDirectDateClose;
  FDirectDateDrop = S->FDirectDateDrop;
  FDirectEdit = S->FDirectEdit;
  FDisjunctRowSelect = S->FDisjunctRowSelect;
  FDisjunctRowSelectNoCtrl = S->FDisjunctRowSelectNoCtrl;
  FDisjunctColSelect = S->FDisjunctColSelect;
  FDisjunctCellSelect = S->FDisjunctCellSelect;
  FFixedRowsEdit = S->FFixedRowsEdit;
  FFixedColsEdit = S->FFixedColsEdit;
  FFixedRowsEditor = S->FFixedRowsEditor;
  FFixedColsEditor = S->FFixedColsEditor;
  FMoveRowOnNodeClick = S->FMoveRowOnNodeClick;
  FNoAutoRangeScroll = S->FNoAutoRangeScroll;
  FNodeAllExpandContract = S->FNodeAllExpandContract;
  FNoScrollOnPartialRow = S->FNoScrollOnPartialRow;
  FPreciseCheckBoxCheck = S->FPreciseCheckBoxCheck;
  FPreciseNodeClick = S->FPreciseNodeClick;
  FRangeSelectAndEdit = S->FRangeSelectAndEdit;
  FRowSelectPersistent = S->FRowSelectPersistent;
  FSelectOnRightClick = S->FSelectOnRightClick;
  FSizeFixedCol = S->FSizeFixedCol;
  FWheelIncrement = S->FWheelIncrement;
  FWheelAction = S->FWheelAction;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  FDisjunctRowSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctColSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
  FDisjunctColSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctRowSelect = false;
    FDisjunctCellSelect = false;
  }
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
  FDisjunctCellSelect = Value;
  if (Value && IsDesigning()) {
    FDisjunctRowSelect = false;
    FDisjunctColSelect = false;
  }
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  FEditOnDblClickOnly = Value;
  if (Value && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetFixedComboValues(TStrings* Value) { FFixedComboValues->Assign(Value); }

void TMouseActions::SetHotmailRowSelect(bool Value) {
  FHotmailRowSelect = Value;
  if (Value) {
    FDisjunctRowSelect = true;
    FCheckAllCheck = true;
  }
  if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
  if (FWheelAction == Value) return;
  FWheelAction = Value;
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TSyncGrid, TBands, TFocusHelper
// ---------------------------------------------------------------------------------------------

void TSyncGrid::SetGrid(TStringGrid* Value) {
  if (Value && Value == FOwner) return;
  FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSyncGrid*>(Source);
  if (!S) return;
  SetGrid(S->FGrid);
  FScrollVertical = S->FScrollVertical;
  FScrollHorizontal = S->FScrollHorizontal;
  FSelectionColumn = S->FSelectionColumn;
  FSelectionRow = S->FSelectionRow;
  FMoveColumn = S->FMoveColumn;
  FMoveRow = S->FMoveRow;
}

void TBands::Changed() {
  if (OnChange) OnChange(this);
}

void TBands::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TBands*>(Source);
  if (!S) return;
  FActive = S->FActive;
  FPrimaryColor = S->FPrimaryColor;
  FPrimaryLength = S->FPrimaryLength;
  FSecondaryColor = S->FSecondaryColor;
  FSecondaryLength = S->FSecondaryLength;
  FPrint = S->FPrint;
  FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TBands::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  Changed();
}

void TBands::SetPrimaryColor(TColor Value) {
  if (FPrimaryColor == Value) return;
  FPrimaryColor = Value;
  if (FActive) Changed();
}

void TBands::SetSecondaryColor(TColor Value) {
  if (FSecondaryColor == Value) return;
  FSecondaryColor = Value;
  if (FActive) Changed();
}

void TBands::SetPrimaryLength(Integer Value) {
  if (FPrimaryLength == Value) return;
  FPrimaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  if (FActive) Changed();
}

void TBands::SetSecondaryLength(Integer Value) {
  if (FSecondaryLength == Value) return;
  FSecondaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  if (FActive) Changed();
}

void TFocusHelper::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TFocusHelper*>(Source)) FEnabled = S->FEnabled;
}
