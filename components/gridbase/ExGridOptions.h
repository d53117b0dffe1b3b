// The string grid's option groups: persistent objects holding its behaviour switches, each made
// and owned by the grid and copied by Assign. They hold values and notify their owner; what each
// switch does belongs to the string grid.
// - TSearchFooter: the search panel at the bottom of the grid;
// - TNavigation: keyboard, editing advance and clipboard;
// - TMouseActions: mouse selection, editing and sizing;
// - TSyncGrid: following another grid;
// - TBands: row banding;
// - TFocusHelper.
//
// Assign copies from a source of the same class only (anything else is ignored), field by field,
// without setter side effects and without OnChange.
#pragma once

#include <memory>

#include "components/gridbase/ExGridTypes.h"
#include "platform/grids/Grids.h"
#include "platform/gui/Component.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

enum TSearchDirection : Byte { sdTopBottom, sdLeftRight };
enum THomeEndAction : Byte { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction : Byte { paReplace, paInsert };
enum TAdvanceDirection : Byte { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition : Byte { pInsertBefore, pInsertAfter };
enum TCursorAdvance : Byte { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit : Byte { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor : Byte { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction : Byte { waMoveSelection, waScroll };

// ---------------------------------------------------------------------------------------------
// TSearchFooter
// ---------------------------------------------------------------------------------------------

class TSearchFooter : public TPersistent {
 public:
  // InitDesign: a grid newly placed in a form, whose captions and hints start in English.
  TSearchFooter(TComponent* AOwner, bool InitDesign);
  String ClassName() const override { return u"TSearchFooter"; }
  void Assign(TPersistent* Source) override;

  TComponent* Owner() const { return FOwner; }

  bool AlwaysHighLight() const { return FAlwaysHighLight; }
  void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
  bool AutoSearch() const { return FAutoSearch; }
  void SetAutoSearch(bool Value) { FAutoSearch = Value; }
  // The colours, captions, hints, font, ShowClose and AutoThemeAdapt fire OnChange on every write;
  // the other Show switches and Visible only on a change.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  const String& FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const String& Value);
  const String& FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const String& Value);
  TFont* Font() const { return FFont.get(); }
  // Assigns into the owned font.
  void SetFont(const TFont* Value);
  const String& HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const String& Value);
  const String& HintClose() const { return FHintClose; }
  void SetHintClose(const String& Value);
  const String& HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const String& Value);
  const String& HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const String& Value);
  const String& HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const String& Value);
  const String& MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const String& Value);
  bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
  void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
  Integer SearchColumn() const { return FSearchColumn; }
  void SetSearchColumn(Integer Value) { FSearchColumn = Value; }
  bool SearchMatchStart() const { return FSearchMatchStart; }
  void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
  bool SearchFixedCells() const { return FSearchFixedCells; }
  void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
  bool SearchHiddenRows() const { return FSearchHiddenRows; }
  void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
  TSearchDirection SearchDirection() const { return FSearchDirection; }
  void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool Value);
  bool ShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool Value);
  bool ShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool Value);
  bool ShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool Value);
  bool ShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // The text of the last button search (kept by the grid).
  const String& LastSearch() const { return FLastSearch; }
  void SetLastSearch(const String& Value) { FLastSearch = Value; }

  TNotifyEvent OnChange;

 private:
  void Changed();

  TComponent* FOwner;
  bool FAlwaysHighLight = false;
  bool FAutoSearch = true;
  TColor FColor = clWhite;
  TColor FColorTo = clBtnFace;
  String FFindNextCaption;
  String FFindPrevCaption;
  std::unique_ptr<TFont> FFont;
  String FHighLightCaption;
  String FHintClose;
  String FHintFindNext;
  String FHintFindPrev;
  String FHintHighlight;
  String FMatchCaseCaption;
  bool FSearchActiveColumnOnly = false;
  Integer FSearchColumn = -1;
  bool FSearchMatchStart = false;
  bool FSearchFixedCells = false;
  bool FSearchHiddenRows = false;
  TSearchDirection FSearchDirection = sdTopBottom;
  bool FShowClose = true;
  bool FShowFindNext = true;
  bool FShowFindPrev = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
  String FLastSearch;
};

// ---------------------------------------------------------------------------------------------
// TNavigation
// ---------------------------------------------------------------------------------------------

class TNavigation : public TPersistent {
 public:
  String ClassName() const override { return u"TNavigation"; }
  // Copies every switch but KeepScrollOnSort.
  void Assign(TPersistent* Source) override;

  bool AllowInsertRow() const { return FAllowInsertRow; }
  void SetAllowInsertRow(bool Value) { FAllowInsertRow = Value; }
  bool AllowDeleteRow() const { return FAllowDeleteRow; }
  void SetAllowDeleteRow(bool Value) { FAllowDeleteRow = Value; }
  bool AlwaysEdit() const { return FAlwaysEdit; }
  void SetAlwaysEdit(bool Value) { FAlwaysEdit = Value; }
  bool AdvanceOnEnter() const { return FAdvanceOnEnter; }
  void SetAdvanceOnEnter(bool Value) { FAdvanceOnEnter = Value; }
  bool AdvanceOnEnterLoop() const { return FAdvanceOnEnterLoop; }
  void SetAdvanceOnEnterLoop(bool Value) { FAdvanceOnEnterLoop = Value; }
  // Fires OnChange on a change.
  bool AdvanceInsert() const { return FAdvanceInsert; }
  void SetAdvanceInsert(bool Value);
  bool AdvanceAutoEdit() const { return FAdvanceAutoEdit; }
  void SetAdvanceAutoEdit(bool Value) { FAdvanceAutoEdit = Value; }
  bool AdvanceSkipReadOnlyCells() const { return FAdvanceSkipReadOnlyCells; }
  void SetAdvanceSkipReadOnlyCells(bool Value) { FAdvanceSkipReadOnlyCells = Value; }
  bool AutoGotoWhenSorted() const { return FAutoGotoWhenSorted; }
  void SetAutoGotoWhenSorted(bool Value) { FAutoGotoWhenSorted = Value; }
  bool AutoGotoIncremental() const { return FAutoGotoIncremental; }
  void SetAutoGotoIncremental(bool Value) { FAutoGotoIncremental = Value; }
  bool AutoComboDropSize() const { return FAutoComboDropSize; }
  void SetAutoComboDropSize(bool Value) { FAutoComboDropSize = Value; }
  // Fires OnChange on a change.
  TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
  void SetAdvanceDirection(TAdvanceDirection Value);
  bool AllowClipboardShortCuts() const { return FAllowClipboardShortCuts; }
  void SetAllowClipboardShortCuts(bool Value) { FAllowClipboardShortCuts = Value; }
  bool AllowCtrlEnter() const { return FAllowCtrlEnter; }
  void SetAllowCtrlEnter(bool Value) { FAllowCtrlEnter = Value; }
  bool AllowSmartClipboard() const { return FAllowSmartClipboard; }
  void SetAllowSmartClipboard(bool Value) { FAllowSmartClipboard = Value; }
  bool AllowRTFClipboard() const { return FAllowRTFClipboard; }
  void SetAllowRTFClipboard(bool Value) { FAllowRTFClipboard = Value; }
  bool AllowFmtClipboard() const { return FAllowFmtClipboard; }
  void SetAllowFmtClipboard(bool Value) { FAllowFmtClipboard = Value; }
  bool AllowClipboardAlways() const { return FAllowClipboardAlways; }
  void SetAllowClipboardAlways(bool Value) { FAllowClipboardAlways = Value; }
  bool AllowClipboardRowGrow() const { return FAllowClipboardRowGrow; }
  void SetAllowClipboardRowGrow(bool Value) { FAllowClipboardRowGrow = Value; }
  bool AllowClipboardColGrow() const { return FAllowClipboardColGrow; }
  void SetAllowClipboardColGrow(bool Value) { FAllowClipboardColGrow = Value; }
  // Turning it on also turns AdvanceOnEnter on (without an event).
  bool AdvanceAuto() const { return FAdvanceAuto; }
  void SetAdvanceAuto(bool Value);
  bool AppendOnArrowDown() const { return FAppendOnArrowDown; }
  void SetAppendOnArrowDown(bool Value) { FAppendOnArrowDown = Value; }
  bool EditSelectAll() const { return FEditSelectAll; }
  void SetEditSelectAll(bool Value) { FEditSelectAll = Value; }
  TInsertPosition InsertPosition() const { return FInsertPosition; }
  void SetInsertPosition(TInsertPosition Value) { FInsertPosition = Value; }
  TClipboardPasteAction ClipboardPasteAction() const { return FClipboardPasteAction; }
  void SetClipboardPasteAction(TClipboardPasteAction Value) { FClipboardPasteAction = Value; }
  bool ComboGetUpDown() const { return FComboGetUpDown; }
  void SetComboGetUpDown(bool Value) { FComboGetUpDown = Value; }
  TCursorAdvance CursorAdvance() const { return FCursorAdvance; }
  void SetCursorAdvance(TCursorAdvance Value) { FCursorAdvance = Value; }
  bool CursorWalkEditor() const { return FCursorWalkEditor; }
  void SetCursorWalkEditor(bool Value) { FCursorWalkEditor = Value; }
  bool CursorWalkAlwaysEdit() const { return FCursorWalkAlwaysEdit; }
  void SetCursorWalkAlwaysEdit(bool Value) { FCursorWalkAlwaysEdit = Value; }
  bool CursorMoveRows() const { return FCursorMoveRows; }
  void SetCursorMoveRows(bool Value) { FCursorMoveRows = Value; }
  bool MoveRowOnSort() const { return FMoveRowOnSort; }
  void SetMoveRowOnSort(bool Value) { FMoveRowOnSort = Value; }
  bool KeepScrollOnSort() const { return FKeepScrollOnSort; }
  void SetKeepScrollOnSort(bool Value) { FKeepScrollOnSort = Value; }
  bool MoveScrollOnly() const { return FMoveScrollOnly; }
  void SetMoveScrollOnly(bool Value) { FMoveScrollOnly = Value; }
  bool ImproveMaskSel() const { return FImproveMaskSel; }
  void SetImproveMaskSel(bool Value) { FImproveMaskSel = Value; }
  bool LeftRightRowSelect() const { return FLeftRightRowSelect; }
  void SetLeftRightRowSelect(bool Value) { FLeftRightRowSelect = Value; }
  bool CopyHTMLTagsToClipboard() const { return FCopyHTMLTagsToClipboard; }
  void SetCopyHTMLTagsToClipboard(bool Value) { FCopyHTMLTagsToClipboard = Value; }
  bool KeepHorizScroll() const { return FKeepHorizScroll; }
  void SetKeepHorizScroll(bool Value) { FKeepHorizScroll = Value; }
  bool LineFeedOnEnter() const { return FLineFeedOnEnter; }
  void SetLineFeedOnEnter(bool Value) { FLineFeedOnEnter = Value; }
  THomeEndAction HomeEndKey() const { return FHomeEndKey; }
  void SetHomeEndKey(THomeEndAction Value) { FHomeEndKey = Value; }
  bool SkipFixedCells() const { return FSkipFixedCells; }
  void SetSkipFixedCells(bool Value) { FSkipFixedCells = Value; }
  bool SkipDisabledRows() const { return FSkipDisabledRows; }
  void SetSkipDisabledRows(bool Value) { FSkipDisabledRows = Value; }
  bool TabToNextAtEnd() const { return FTabToNextAtEnd; }
  void SetTabToNextAtEnd(bool Value) { FTabToNextAtEnd = Value; }
  TAdvanceDirection TabAdvanceDirection() const { return FTabAdvanceDirection; }
  void SetTabAdvanceDirection(TAdvanceDirection Value) { FTabAdvanceDirection = Value; }

  // Set by the grid.
  TNotifyEvent OnChange;

 private:
  void Changed();

  bool FAllowInsertRow = false;
  bool FAllowDeleteRow = false;
  bool FAlwaysEdit = false;
  bool FAdvanceOnEnter = false;
  bool FAdvanceOnEnterLoop = true;
  bool FAdvanceInsert = false;
  bool FAdvanceAutoEdit = true;
  bool FAdvanceSkipReadOnlyCells = true;
  bool FAutoGotoWhenSorted = false;
  bool FAutoGotoIncremental = false;
  bool FAutoComboDropSize = false;
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAllowClipboardShortCuts = false;
  bool FAllowCtrlEnter = true;
  bool FAllowSmartClipboard = false;
  bool FAllowRTFClipboard = false;
  bool FAllowFmtClipboard = false;
  bool FAllowClipboardAlways = false;
  bool FAllowClipboardRowGrow = true;
  bool FAllowClipboardColGrow = true;
  bool FAdvanceAuto = false;
  bool FAppendOnArrowDown = false;
  bool FEditSelectAll = true;
  TInsertPosition FInsertPosition = pInsertBefore;
  TClipboardPasteAction FClipboardPasteAction = paReplace;
  bool FComboGetUpDown = true;
  TCursorAdvance FCursorAdvance = caDefault;
  bool FCursorWalkEditor = false;
  bool FCursorWalkAlwaysEdit = true;
  bool FCursorMoveRows = false;
  bool FMoveRowOnSort = false;
  bool FKeepScrollOnSort = false;
  bool FMoveScrollOnly = false;
  bool FImproveMaskSel = false;
  bool FLeftRightRowSelect = true;
  bool FCopyHTMLTagsToClipboard = true;
  bool FKeepHorizScroll = false;
  bool FLineFeedOnEnter = false;
  THomeEndAction FHomeEndKey = heFirstLastColumn;
  bool FSkipFixedCells = true;
  bool FSkipDisabledRows = true;
  bool FTabToNextAtEnd = false;
  TAdvanceDirection FTabAdvanceDirection = adLeftRight;
};

// ---------------------------------------------------------------------------------------------
// TMouseActions
// ---------------------------------------------------------------------------------------------

class TMouseActions : public TPersistent {
 public:
  explicit TMouseActions(TComponent* AOwner);
  String ClassName() const override { return u"TMouseActions"; }
  // Copies every switch but SizeFixedRow, HotmailRowSelect, EditOnDblClickOnly and
  // FixedComboValues.
  void Assign(TPersistent* Source) override;

  TComponent* Owner() const { return FOwner; }

  bool AllColumnSize() const { return FAllColumnSize; }
  void SetAllColumnSize(bool Value) { FAllColumnSize = Value; }
  bool AllRowSize() const { return FAllRowSize; }
  void SetAllRowSize(bool Value) { FAllRowSize = Value; }
  bool AllSelect() const { return FAllSelect; }
  void SetAllSelect(bool Value) { FAllSelect = Value; }
  bool AutoSizeColOnDblClick() const { return FAutoSizeColOnDblClick; }
  void SetAutoSizeColOnDblClick(bool Value) { FAutoSizeColOnDblClick = Value; }
  bool CaretPositioning() const { return FCaretPositioning; }
  void SetCaretPositioning(bool Value) { FCaretPositioning = Value; }
  bool CheckAllCheck() const { return FCheckAllCheck; }
  void SetCheckAllCheck(bool Value) { FCheckAllCheck = Value; }
  bool ColSelect() const { return FColSelect; }
  void SetColSelect(bool Value) { FColSelect = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value) { FRowSelect = Value; }
  bool DirectComboClose() const { return FDirectComboClose; }
  void SetDirectComboClose(bool Value) { FDirectComboClose = Value; }
  bool DirectComboDrop() const { return FDirectComboDrop; }
  void SetDirectComboDrop(bool Value) { FDirectComboDrop = Value; }
  bool DirectDateClose() const { return FDirectDateClose; }
  void SetDirectDateClose(bool Value) { FDirectDateClose = Value; }
  bool DirectDateDrop() const { return FDirectDateDrop; }
  void SetDirectDateDrop(bool Value) { FDirectDateDrop = Value; }
  bool DirectEdit() const { return FDirectEdit; }
  void SetDirectEdit(bool Value) { FDirectEdit = Value; }
  // The three disjunct selections exclude one another only while designing.
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  // The field without the setter's side effects.
  bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }
  bool DisjunctRowSelectNoCtrl() const { return FDisjunctRowSelectNoCtrl; }
  void SetDisjunctRowSelectNoCtrl(bool Value) { FDisjunctRowSelectNoCtrl = Value; }
  bool DisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  // Turning it on fires OnDisableEdit.
  bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  void SetEditOnDblClickOnly(bool Value);
  TGridFixedCellEdit FixedRowsEdit() const { return FFixedRowsEdit; }
  void SetFixedRowsEdit(TGridFixedCellEdit Value) { FFixedRowsEdit = Value; }
  TGridFixedCellEdit FixedColsEdit() const { return FFixedColsEdit; }
  void SetFixedColsEdit(TGridFixedCellEdit Value) { FFixedColsEdit = Value; }
  TGridFixedCellEditor FixedRowsEditor() const { return FFixedRowsEditor; }
  void SetFixedRowsEditor(TGridFixedCellEditor Value) { FFixedRowsEditor = Value; }
  TGridFixedCellEditor FixedColsEditor() const { return FFixedColsEditor; }
  void SetFixedColsEditor(TGridFixedCellEditor Value) { FFixedColsEditor = Value; }
  TStrings* FixedComboValues() const { return FFixedComboValues.get(); }
  // Assigns the strings into the owned list.
  void SetFixedComboValues(TStrings* Value);
  // Turning it on also turns DisjunctRowSelect and CheckAllCheck on; fires OnInvalidate.
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  void SetHotmailRowSelect(bool Value);
  bool MoveRowOnNodeClick() const { return FMoveRowOnNodeClick; }
  void SetMoveRowOnNodeClick(bool Value) { FMoveRowOnNodeClick = Value; }
  bool NoAutoRangeScroll() const { return FNoAutoRangeScroll; }
  void SetNoAutoRangeScroll(bool Value) { FNoAutoRangeScroll = Value; }
  bool NodeAllExpandContract() const { return FNodeAllExpandContract; }
  void SetNodeAllExpandContract(bool Value) { FNodeAllExpandContract = Value; }
  bool NoScrollOnPartialRow() const { return FNoScrollOnPartialRow; }
  void SetNoScrollOnPartialRow(bool Value) { FNoScrollOnPartialRow = Value; }
  bool PreciseCheckBoxCheck() const { return FPreciseCheckBoxCheck; }
  void SetPreciseCheckBoxCheck(bool Value) { FPreciseCheckBoxCheck = Value; }
  bool PreciseNodeClick() const { return FPreciseNodeClick; }
  void SetPreciseNodeClick(bool Value) { FPreciseNodeClick = Value; }
  bool RangeSelectAndEdit() const { return FRangeSelectAndEdit; }
  void SetRangeSelectAndEdit(bool Value) { FRangeSelectAndEdit = Value; }
  bool RowSelectPersistent() const { return FRowSelectPersistent; }
  void SetRowSelectPersistent(bool Value) { FRowSelectPersistent = Value; }
  bool SelectOnRightClick() const { return FSelectOnRightClick; }
  void SetSelectOnRightClick(bool Value) { FSelectOnRightClick = Value; }
  bool SizeFixedCol() const { return FSizeFixedCol; }
  void SetSizeFixedCol(bool Value) { FSizeFixedCol = Value; }
  bool SizeFixedRow() const { return FSizeFixedRow; }
  void SetSizeFixedRow(bool Value) { FSizeFixedRow = Value; }
  Integer WheelIncrement() const { return FWheelIncrement; }
  void SetWheelIncrement(Integer Value) { FWheelIncrement = Value; }
  // Fires OnChange on a change.
  TWheelAction WheelAction() const { return FWheelAction; }
  void SetWheelAction(TWheelAction Value);

  // Set by the grid.
  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  TIsDesigningEvent OnIsDesigning;

 private:
  bool IsDesigning();

  TComponent* FOwner;
  bool FAllColumnSize = false;
  bool FAllRowSize = false;
  bool FAllSelect = false;
  bool FAutoSizeColOnDblClick = true;
  bool FCaretPositioning = false;
  bool FCheckAllCheck = false;
  bool FColSelect = false;
  bool FRowSelect = false;
  bool FDirectComboClose = false;
  bool FDirectComboDrop = false;
  bool FDirectDateClose = false;
  bool FDirectDateDrop = false;
  bool FDirectEdit = false;
  bool FDisjunctRowSelect = false;
  bool FDisjunctRowSelectNoCtrl = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FEditOnDblClickOnly = false;
  TGridFixedCellEdit FFixedRowsEdit = fceNone;
  TGridFixedCellEdit FFixedColsEdit = fceNone;
  TGridFixedCellEditor FFixedRowsEditor = fceEdit;
  TGridFixedCellEditor FFixedColsEditor = fceEdit;
  std::unique_ptr<TStringList> FFixedComboValues;
  bool FHotmailRowSelect = false;
  bool FMoveRowOnNodeClick = false;
  bool FNoAutoRangeScroll = false;
  bool FNodeAllExpandContract = false;
  bool FNoScrollOnPartialRow = false;
  bool FPreciseCheckBoxCheck = false;
  bool FPreciseNodeClick = true;
  bool FRangeSelectAndEdit = false;
  bool FRowSelectPersistent = false;
  bool FSelectOnRightClick = false;
  bool FSizeFixedCol = false;
  bool FSizeFixedRow = false;
  Integer FWheelIncrement = 0;
  TWheelAction FWheelAction = waMoveSelection;
};

// ---------------------------------------------------------------------------------------------
// TSyncGrid, TBands, TFocusHelper
// ---------------------------------------------------------------------------------------------

class TSyncGrid : public TPersistent {
 public:
  explicit TSyncGrid(TStringGrid* AOwner) : FOwner(AOwner) {}
  String ClassName() const override { return u"TSyncGrid"; }
  void Assign(TPersistent* Source) override;

  TStringGrid* Owner() const { return FOwner; }
  // The grid to follow (not owned); the owner grid itself is refused.
  TStringGrid* Grid() const { return FGrid; }
  void SetGrid(TStringGrid* Value);
  bool ScrollVertical() const { return FScrollVertical; }
  void SetScrollVertical(bool Value) { FScrollVertical = Value; }
  bool ScrollHorizontal() const { return FScrollHorizontal; }
  void SetScrollHorizontal(bool Value) { FScrollHorizontal = Value; }
  bool SelectionColumn() const { return FSelectionColumn; }
  void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
  bool SelectionRow() const { return FSelectionRow; }
  void SetSelectionRow(bool Value) { FSelectionRow = Value; }
  bool MoveColumn() const { return FMoveColumn; }
  void SetMoveColumn(bool Value) { FMoveColumn = Value; }
  bool MoveRow() const { return FMoveRow; }
  void SetMoveRow(bool Value) { FMoveRow = Value; }

 private:
  TStringGrid* FOwner;
  TStringGrid* FGrid = nullptr;
  bool FScrollVertical = false;
  bool FScrollHorizontal = false;
  bool FSelectionColumn = false;
  bool FSelectionRow = false;
  bool FMoveColumn = false;
  bool FMoveRow = false;
};

// Row banding: a normal row r is in the primary colour when
// (r - fixed rows) mod TotalLength < PrimaryLength, else in the secondary colour.
class TBands : public TPersistent {
 public:
  String ClassName() const override { return u"TBands"; }
  void Assign(TPersistent* Source) override;

  // Fires OnChange on a change.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // The colours and lengths fire OnChange on a change only while the bands are active.
  TColor PrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  Integer PrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(Integer Value);
  TColor SecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  Integer SecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(Integer Value);
  bool Print() const { return FPrint; }
  void SetPrint(bool Value) { FPrint = Value; }
  // PrimaryLength + SecondaryLength.
  Integer TotalLength() const { return FTotalLength; }

  TNotifyEvent OnChange;

 private:
  void Changed();

  bool FActive = false;
  TColor FPrimaryColor = clInfoBk;
  Integer FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  Integer FSecondaryLength = 1;
  bool FPrint = false;
  Integer FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
 public:
  explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}
  String ClassName() const override { return u"TFocusHelper"; }
  void Assign(TPersistent* Source) override;
  TComponent* Owner() const { return FOwner; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

 private:
  TComponent* FOwner;
  bool FEnabled = false;
};
