// The grid drop-down passes the hosted grid's events on as its own OnGrid... events. Every
// opening attaches the forwarders to the list; a few add a step of their own: a default from the
// column descriptions, an emptied output, the popup's activation block around handlers that may
// show a window, the balloon hints re-initialised at the first mouse move.
#include "components/grid/ExCustomGridDropDown.h"

#include "components/grid/ExGridHints.h"

namespace ExCustomGridDropDown {

void TCustomExGridDropDown::AttachListEvents() {
  TExColGrid* g = FExColGrid;
  if (!g) return;
  g->OnSelectCell = nullptr;
  g->OnSelect = [this](TObject* Sender) { ListSelect(Sender); };
  // The opening puts the key hooks on the hosted control once more.
  g->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
  g->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };

  g->OnAnchorClick = [this](TObject* S, Integer R, Integer C, const String& A, bool& H) {
    DoGridAnchorClick(S, R, C, A, H);
  };
  g->OnAnchorEnter = [this](TObject* S, Integer R, Integer C, const String& A) { DoGridAnchorEnter(S, R, C, A); };
  g->OnAnchorExit = [this](TObject* S, Integer R, Integer C, const String& A) { DoGridAnchorExit(S, R, C, A); };
  g->OnAnchorHint = [this](TObject* S, Integer R, Integer C, String& A) { DoGridAnchorHint(S, R, C, A); };
  g->OnButtonClick = [this](TObject* S, Integer C, Integer R) { DoGridButtonClick(S, C, R); };
  g->OnCheckBoxClick = [this](TObject* S, Integer C, Integer R, bool State) { DoGridCheckBoxClick(S, C, R, State); };
  g->OnColumnSize = [this](TObject* S, Integer C, bool& Allow) { DoGridColumnSize(S, C, Allow); };
  g->OnColumnSizing = [this](TObject* S, Integer C, Integer Size) { DoGridColumnSizing(S, C, Size); };
  g->OnEndColumnSize = [this](TObject* S, Integer C) { DoGridEndColumnSize(S, C); };
  g->OnRowSize = [this](TObject* S, Integer R, bool& Allow) { DoGridRowSize(S, R, Allow); };
  g->OnRowSizing = [this](TObject* S, Integer R, Integer Size) { DoGridRowSizing(S, R, Size); };
  g->OnEndRowSize = [this](TObject* S, Integer R) { DoGridEndRowSize(S, R); };
  g->OnRowMove = [this](TObject* S, Integer I, bool& Allow) { DoGridRowMove(S, I, Allow); };
  g->OnRowMoving = [this](TObject* S, Integer I, bool& Allow) { DoGridRowMoving(S, I, Allow); };
  g->OnRowMoved = [this](TObject* S, Integer From, Integer To) { DoGridRowMoved(S, From, To); };
  g->OnColumnMove = [this](TObject* S, Integer I, bool& Allow) { DoGridColumnMove(S, I, Allow); };
  g->OnColumnMoving = [this](TObject* S, Integer I, bool& Allow) { DoGridColumnMoving(S, I, Allow); };
  g->OnColumnMoved = [this](TObject* S, Integer From, Integer To) { DoGridColumnMoved(S, From, To); };
  if (OnGridCustomCellDraw)
    g->OnCustomCellDraw = [this](TObject* S, TCanvas* Cv, Integer C, Integer R, TGridDrawState St, TRect Rc,
                                 bool P) { DoGridCustomCellDraw(S, Cv, C, R, St, Rc, P); };
  else
    g->OnCustomCellDraw = nullptr;
  if (OnGridCustomCellBkgDraw)
    g->OnCustomCellBkgDraw = [this](TObject* S, TCanvas* Cv, Integer C, Integer R, TGridDrawState St, TRect Rc,
                                    bool P) { DoGridCustomCellBkgDraw(S, Cv, C, R, St, Rc, P); };
  else
    g->OnCustomCellBkgDraw = nullptr;
  g->OnCellBalloon = [this](TObject* S, Integer C, Integer R, String& Title, String& Text, Integer& Icon) {
    DoGridCellBalloon(S, C, R, Title, Text, Icon);
  };
  g->OnGetAlignment = [this](TObject* S, Integer R, Integer C, TAlignment& HA, TVAlignment& VA) {
    DoGridGetAlignment(S, R, C, HA, VA);
  };
  g->OnGetCellColor = [this](TObject* S, Integer R, Integer C, TGridDrawState St, TBrush* B, TFont* F) {
    DoGridGetCellColor(S, R, C, St, B, F);
  };
  g->OnGetCellGradient = [this](TObject* S, Integer R, Integer C, TColor& Cl, TColor& ClTo, TColor& M, TColor& MTo,
                                TCellGradientDirection& GD) { DoGridGetCellGradient(S, R, C, Cl, ClTo, M, MTo, GD); };
  g->OnGetFloatFormat = [this](TObject* S, Integer C, Integer R, bool& IsFloat, String& Fmt) {
    DoGridGetFloatFormat(S, C, R, IsFloat, Fmt);
  };
  g->OnGetEditorType = [this](TObject* S, Integer C, Integer R, TEditorType& E) { DoGridGetEditorType(S, C, R, E); };
  g->OnGetEditorProp = [this](TObject* S, Integer C, Integer R, TEditLink* L) { DoGridGetEditorProp(S, C, R, L); };
  g->OnCanEditCell = [this](TObject* S, Integer R, Integer C, bool& CanEdit) { DoGridCanEditCell(S, R, C, CanEdit); };
  g->OnEllipsClick = [this](TObject* S, Integer C, Integer R, String& V) { DoGridEllipsClick(S, C, R, V); };
  g->OnGetDisplText = [this](TObject* S, Integer C, Integer R, String& V) { DoGridGetDiplText(S, C, R, V); };
  g->OnGetFormat = [this](TObject* S, Integer C, TSortStyle& St, String& P, String& Sf) {
    DoGridGetFormat(S, C, St, P, Sf);
  };
  g->OnGridHint = [this](TObject* S, Integer R, Integer C, String& H) { DoGridHint(S, R, C, H); };
  g->OnMouseMove = [this](TObject* S, TShiftState Sh, Integer X, Integer Y) { DoGridMouseMove(S, Sh, X, Y); };
  g->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) {
    DoGridMouseDown(S, B, Sh, X, Y);
  };
  g->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, Integer X, Integer Y) {
    DoGridMouseUp(S, B, Sh, X, Y);
  };
  g->OnRightClickCell = [this](TObject* S, Integer R, Integer C) { DoGridRightClickCell(S, R, C); };
  g->OnScrollHint = [this](TObject* S, Integer R, String& H) { DoGridScrollHint(S, R, H); };
  g->OnTopLeftChanged = [this](TObject* S) { DoGridTopLeftChanged(S); };
  g->OnSearchEditChange = [this](TObject* S, const String& V, bool& D) { DoGridSearchEditChange(S, V, D); };
  g->OnAutoAddRow = [this](TObject* S, Integer R) { DoGridAutoAddRow(S, R); };
  g->OnAutoInsertRow = [this](TObject* S, Integer R) { DoGridInsertRow(S, R); };
  g->OnAutoInsertCol = [this](TObject* S, Integer C) { DoGridInsertCol(S, C); };
  g->OnAutoDeleteRow = [this](TObject* S, Integer R) { DoGridDeleteRow(S, R); };
  g->OnCanAddRow = [this](TObject* S, bool& CanAdd) { DoGridCanAddRow(S, CanAdd); };
  g->OnCanInsertRow = [this](TObject* S, Integer R, bool& CanInsert) { DoGridCanInsertRow(S, R, CanInsert); };
  g->OnCanDeleteRow = [this](TObject* S, Integer R, bool& CanDelete) { DoGridCanDeleteRow(S, R, CanDelete); };

  // The drop-down's own handlers come last, so they replace any forwarder set before.
  g->OnCanSort = [this](TObject* S, Integer C, bool& DoSort) { ListCanSort(S, C, DoSort); };
  g->OnClickSort = [this](TObject* S, Integer C) { ListClickSort(S, C); };
  g->OnStartBlockFocus = [this](TObject* S) { ListStartBlockFocus(S); };
  g->OnEndBlockFocus = [this](TObject* S) { ListEndBlockFocus(S); };
  g->OnSelectCell = [this](TObject* S, Integer C, Integer R, bool& CanSelect) { ListSelectCell(S, C, R, CanSelect); };
}

// ---------------------------------------------------------------------------------------------
// The forwarders

void TCustomExGridDropDown::DoGridAnchorClick(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor,
                                              bool& AutoHandle) {
  // A handler that shows a window must not close the popup.
  WithBlockedActivation([&] {
    if (OnGridAnchorClick) OnGridAnchorClick(Sender, ARow, ACol, Anchor, AutoHandle);
  });
}

void TCustomExGridDropDown::DoGridAnchorEnter(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor) {
  if (OnGridAnchorEnter) OnGridAnchorEnter(Sender, ARow, ACol, Anchor);
}

void TCustomExGridDropDown::DoGridAnchorExit(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor) {
  if (OnGridAnchorExit) OnGridAnchorExit(Sender, ARow, ACol, Anchor);
}

void TCustomExGridDropDown::DoGridAnchorHint(TObject* Sender, Integer ARow, Integer ACol, String& Anchor) {
  if (OnGridAnchorHint) OnGridAnchorHint(Sender, ARow, ACol, Anchor);
}

void TCustomExGridDropDown::DoGridButtonClick(TObject* Sender, Integer ACol, Integer ARow) {
  WithBlockedActivation([&] {
    if (OnGridButtonClick) OnGridButtonClick(Sender, ACol, ARow);
  });
}

void TCustomExGridDropDown::DoGridCanSort(TObject* Sender, Integer ACol, bool& DoSort) {
  if (OnGridCanSort) OnGridCanSort(Sender, ACol, DoSort);
}

void TCustomExGridDropDown::DoGridClickSort(TObject* Sender, Integer ACol) {
  if (OnGridClickSort) OnGridClickSort(Sender, ACol);
}

void TCustomExGridDropDown::DoGridCustomCompare(TObject* Sender, const String& Str1, const String& Str2,
                                                Integer& Res) {
  if (OnGridCustomCompare) OnGridCustomCompare(Sender, Str1, Str2, Res);
}

void TCustomExGridDropDown::DoGridRawCompare(TObject* Sender, Integer ACol, Integer Row1, Integer Row2,
                                             Integer& Res) {
  if (OnGridRawCompare) OnGridRawCompare(Sender, ACol, Row1, Row2, Res);
}

void TCustomExGridDropDown::DoGridColumnSize(TObject* Sender, Integer ACol, bool& Allow) {
  if (OnGridColumnSize) OnGridColumnSize(Sender, ACol, Allow);
}

void TCustomExGridDropDown::DoGridColumnSizing(TObject* Sender, Integer ACol, Integer ColumnSize) {
  if (OnGridColumnSizing) OnGridColumnSizing(Sender, ACol, ColumnSize);
}

void TCustomExGridDropDown::DoGridEndColumnSize(TObject* Sender, Integer ACol) {
  if (OnGridEndColumnSize) OnGridEndColumnSize(Sender, ACol);
}

void TCustomExGridDropDown::DoGridRowSize(TObject* Sender, Integer ARow, bool& Allow) {
  if (OnGridRowSize) OnGridRowSize(Sender, ARow, Allow);
}

void TCustomExGridDropDown::DoGridRowSizing(TObject* Sender, Integer ARow, Integer RowSize) {
  if (OnGridRowSizing) OnGridRowSizing(Sender, ARow, RowSize);
}

void TCustomExGridDropDown::DoGridEndRowSize(TObject* Sender, Integer ARow) {
  if (OnGridEndRowSize) OnGridEndRowSize(Sender, ARow);
}

void TCustomExGridDropDown::DoGridRowMove(TObject* Sender, Integer Index, bool& Allow) {
  if (OnGridRowMove) OnGridRowMove(Sender, Index, Allow);
}

void TCustomExGridDropDown::DoGridRowMoving(TObject* Sender, Integer Index, bool& Allow) {
  if (OnGridRowMoving) OnGridRowMoving(Sender, Index, Allow);
}

void TCustomExGridDropDown::DoGridRowMoved(TObject* Sender, Integer FromIndex, Integer ToIndex) {
  if (OnGridRowMoved) OnGridRowMoved(Sender, FromIndex, ToIndex);
}

void TCustomExGridDropDown::DoGridColumnMove(TObject* Sender, Integer Index, bool& Allow) {
  if (OnGridColumnMove) OnGridColumnMove(Sender, Index, Allow);
}

void TCustomExGridDropDown::DoGridColumnMoving(TObject* Sender, Integer Index, bool& Allow) {
  if (OnGridColumnMoving) OnGridColumnMoving(Sender, Index, Allow);
}

void TCustomExGridDropDown::DoGridColumnMoved(TObject* Sender, Integer FromIndex, Integer ToIndex) {
  if (OnGridColumnMoved) OnGridColumnMoved(Sender, FromIndex, ToIndex);
}

void TCustomExGridDropDown::DoGridCustomCellDraw(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                 TGridDrawState AState, TRect ARect, bool Printing) {
  if (OnGridCustomCellDraw) OnGridCustomCellDraw(Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomExGridDropDown::DoGridCustomCellBkgDraw(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                    TGridDrawState AState, TRect ARect, bool Printing) {
  if (OnGridCustomCellBkgDraw) OnGridCustomCellBkgDraw(Sender, Canvas, ACol, ARow, AState, ARect, Printing);
}

void TCustomExGridDropDown::DoGridCellBalloon(TObject* Sender, Integer ACol, Integer ARow, String& ATitle,
                                              String& AText, Integer& AIcon) {
  if (OnGridCellBalloon) OnGridCellBalloon(Sender, ACol, ARow, ATitle, AText, AIcon);
}

void TCustomExGridDropDown::DoGridGetAlignment(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                               TVAlignment& VAlign) {
  // A described column is aligned as its description says; a handler may change that.
  if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->Items(ACol)->Alignment();
  if (OnGridGetAlignment) OnGridGetAlignment(Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomExGridDropDown::DoGridGetCellColor(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                               TBrush* ABrush, TFont* AFont) {
  if (ABrush && ACol >= 0 && ACol < FColumns->Count()) ABrush->SetColor(FColumns->Items(ACol)->Color());
  if (OnGridGetCellColor) OnGridGetCellColor(Sender, ARow, ACol, AState, ABrush, AFont);
}

void TCustomExGridDropDown::DoGridGetCellGradient(TObject* Sender, Integer ARow, Integer ACol, TColor& Color,
                                                  TColor& ColorTo, TColor& ColorMirror, TColor& ColorMirrorTo,
                                                  TCellGradientDirection& GD) {
  if (OnGridGetCellGradient) OnGridGetCellGradient(Sender, ARow, ACol, Color, ColorTo, ColorMirror, ColorMirrorTo, GD);
}

void TCustomExGridDropDown::DoGridGetFloatFormat(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat,
                                                 String& FloatFormat) {
  FloatFormat.clear();
  if (OnGridGetFloatFormat) OnGridGetFloatFormat(Sender, ACol, ARow, IsFloat, FloatFormat);
}

void TCustomExGridDropDown::DoGridGetEditorType(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (OnGridGetEditorType) OnGridGetEditorType(Sender, ACol, ARow, AEditor);
}

void TCustomExGridDropDown::DoGridGetEditorProp(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink) {
  if (OnGridGetEditorProp) OnGridGetEditorProp(Sender, ACol, ARow, AEditLink);
}

void TCustomExGridDropDown::DoGridCanEditCell(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit) {
  if (OnGridCanEditCell) OnGridCanEditCell(Sender, ARow, ACol, CanEdit);
}

void TCustomExGridDropDown::DoGridEllipsClick(TObject* Sender, Integer ACol, Integer ARow, String& S) {
  WithBlockedActivation([&] {
    if (OnGridEllipsClick) OnGridEllipsClick(Sender, ACol, ARow, S);
  });
}

void TCustomExGridDropDown::DoGridGetDiplText(TObject* Sender, Integer ACol, Integer ARow, String& Value) {
  if (OnGridGetDiplText) OnGridGetDiplText(Sender, ACol, ARow, Value);
}

void TCustomExGridDropDown::DoGridGetFormat(TObject* Sender, Integer ACol, TSortStyle& AStyle, String& APrefix,
                                            String& ASuffix) {
  if (OnGridGetFormat) OnGridGetFormat(Sender, ACol, AStyle, APrefix, ASuffix);
}

void TCustomExGridDropDown::DoGridHint(TObject* Sender, Integer ARow, Integer ACol, String& HintStr) {
  if (OnGridHint) OnGridHint(Sender, ARow, ACol, HintStr);
}

void TCustomExGridDropDown::DoGridMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y) {
  if (!FBalloonInit) {
    // The balloon window is set up again for the list as the popup now stands.
    if (FExColGrid && FExColGrid->Balloon()->Enable()) {
      FExColGrid->Balloon()->SetEnable(false);
      FExColGrid->Balloon()->SetEnable(true);
    }
    FBalloonInit = true;
  }
  if (OnGridMouseMove) OnGridMouseMove(Sender, Shift, X, Y);
}

void TCustomExGridDropDown::DoGridMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X,
                                            Integer Y) {
  if (OnGridMouseDown) OnGridMouseDown(Sender, Button, Shift, X, Y);
}

void TCustomExGridDropDown::DoGridMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X,
                                          Integer Y) {
  if (OnGridMouseUp) OnGridMouseUp(Sender, Button, Shift, X, Y);
}

void TCustomExGridDropDown::DoGridKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  if (OnGridKeyDown) OnGridKeyDown(Sender, Key, Shift);
}

void TCustomExGridDropDown::DoGridKeyUp(TObject* Sender, Word& Key, TShiftState Shift) {
  if (OnGridKeyUp) OnGridKeyUp(Sender, Key, Shift);
}

void TCustomExGridDropDown::DoGridKeyPress(TObject* Sender, Char& Key) {
  if (OnGridKeyPress) OnGridKeyPress(Sender, Key);
}

void TCustomExGridDropDown::DoGridRightClickCell(TObject* Sender, Integer ARow, Integer ACol) {
  if (OnGridRightClickCell) OnGridRightClickCell(Sender, ARow, ACol);
}

void TCustomExGridDropDown::DoGridScrollHint(TObject* Sender, Integer ARow, String& HintStr) {
  if (OnGridScrollHint) OnGridScrollHint(Sender, ARow, HintStr);
}

void TCustomExGridDropDown::DoGridTopLeftChanged(TObject* /*Sender*/) {
  if (OnGridTopLeftChanged) OnGridTopLeftChanged(this);
}

void TCustomExGridDropDown::DoGridSearchEditChange(TObject* Sender, const String& Value, bool& DefaultSearch) {
  if (OnGridSearchEditChange) OnGridSearchEditChange(Sender, Value, DefaultSearch);
}

void TCustomExGridDropDown::DoGridSpinClick(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown) {
  if (OnGridSpinClick) OnGridSpinClick(Sender, ACol, ARow, AValue, UpDown);
}

void TCustomExGridDropDown::DoGridAutoAddRow(TObject* Sender, Integer ARow) {
  if (OnGridAutoAddRow) OnGridAutoAddRow(Sender, ARow);
}

void TCustomExGridDropDown::DoGridInsertRow(TObject* Sender, Integer ARow) {
  if (OnGridInsertRow) OnGridInsertRow(Sender, ARow);
}

void TCustomExGridDropDown::DoGridInsertCol(TObject* Sender, Integer ACol) {
  if (OnGridInsertCol) OnGridInsertCol(Sender, ACol);
}

void TCustomExGridDropDown::DoGridDeleteRow(TObject* Sender, Integer ARow) {
  if (OnGridDeleteRow) OnGridDeleteRow(Sender, ARow);
}

void TCustomExGridDropDown::DoGridCanAddRow(TObject* Sender, bool& CanAdd) {
  if (OnGridCanAddRow) OnGridCanAddRow(Sender, CanAdd);
}

void TCustomExGridDropDown::DoGridCanInsertRow(TObject* Sender, Integer ARow, bool& CanInsert) {
  if (OnGridCanInsertRow) OnGridCanInsertRow(Sender, ARow, CanInsert);
}

void TCustomExGridDropDown::DoGridCanDeleteRow(TObject* Sender, Integer ARow, bool& CanDelete) {
  if (OnGridCanDeleteRow) OnGridCanDeleteRow(Sender, ARow, CanDelete);
}

void TCustomExGridDropDown::DoGridCheckBoxClick(TObject* Sender, Integer ACol, Integer ARow, bool State) {
  if (OnGridCheckBoxClick) OnGridCheckBoxClick(Sender, ACol, ARow, State);
}

}  // namespace ExCustomGridDropDown
