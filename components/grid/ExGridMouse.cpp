// TExStringGrid: mouse presses, releases, double clicks, the right button and the wheel. A press
// selects (cells, whole rows, columns or the grid from the headers), starts the editor, toggles
// check boxes, radio buttons and nodes, presses cell buttons, follows links and prepares the
// disjunct selections, moving, sizing and dragging that the following messages complete. The left
// release ends what the press started and clicks headers to sort.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridInput.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridEditors.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/os/Shell.h"

namespace {

constexpr Word kMkShift = 0x0004;
constexpr Word kMkControl = 0x0008;

// The one modifier a press counts: Alt before Shift before Ctrl.
enum TPressModifier { pmNone, pmAlt, pmShift, pmCtrl };

TPressModifier PressModifier(Word Keys) {
  if (GetKeyState(VK_MENU) < 0) return pmAlt;
  if ((Keys & kMkShift) || GetKeyState(VK_SHIFT) < 0) return pmShift;
  if ((Keys & kMkControl) || GetKeyState(VK_CONTROL) < 0) return pmCtrl;
  return pmNone;
}

bool PointIn(const TRect& R, Integer X, Integer Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

}  // namespace

// --- Shared hit tests ----------------------------------------------------------------------------

Integer TExStringGrid::PackCell(Integer ACol, Integer ARow) {
  return static_cast<Integer>((static_cast<uint32_t>(ARow) << 16) | (static_cast<uint32_t>(ACol) & 0xFFFFu));
}

bool TExStringGrid::ShowModifiedEnabled() const { return FShowModified && FShowModified->Enabled(); }

bool TExStringGrid::IsInResizeGrip(Integer X, Integer Y) {
  if (!FSelectionResizer || !FSelectionRectangle) return false;
  const TGridRect s = Selection();
  const TRect r = CellRect(std::max(s.Left, s.Right), std::max(s.Top, s.Bottom));
  if (r.Right <= r.Left || r.Bottom <= r.Top) return false;
  return X >= r.Right - 6 && X <= r.Right && Y >= r.Bottom - 6 && Y <= r.Bottom;
}

void TExStringGrid::StartGripDrag(TMessage& M, bool CheckEditing) {
  TWMMouse mm{M};
  FGridState = gsSelecting;
  FDropSelection = Selection();
  CopySelectionToClipboard();
  FMouseResize = true;
  const TGridRect sel = Selection();
  const Integer c = Col(), r = Row();
  if (!CheckEditing || !(Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()))
    TBaseGrid::WMLButtonDown(M);
  MoveColRow(c, r, false, false);
  SetSelection(sel);
  FGridState = gsSelecting;
  MouseMove(TShiftState(), mm.XPos(), mm.YPos());
}

// The cell text under a point: the anchor or HTML form control there (HTML text), or the whole
// text when it is a plain link shown as such. True when there is one.
bool TExStringGrid::CellLinkAt(Integer ACol, Integer ARow, Integer X, Integer Y, THtmlHit& Hit) {
  Hit = THtmlHit();
  const Integer rc = DisplayToRealCol(ACol);
  const String text = GetCellEx(rc, ARow);
  const Integer kind = GetCellTextKind(text, FEnableHTML);
  Hit.Html = kind == ctkHtml;
  if (!Hit.Html) {
    if (FURLShow && IsUrl(text)) {
      Hit.Anchor = text;
      return true;
    }
    return false;
  }
  TRect r = CellRect(ACol, ARow);
  if (r.Right <= r.Left) return false;
  r.Left += FXYOffset.X + 1;
  r.Top += FXYOffset.Y + 1;
  if (HasCheckBox(rc, ARow)) r.Left += ControlLook()->CheckSize() + 2;
  if (HasScrollBar(rc, ARow)) r.Right -= 17;
  TCanvas* canvas = Canvas();
  TBrush brush;
  TFont font;
  font.Assign(Font());
  TColor cto = clNone, mc = clNone, mcto = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrapEx;
  TCellGradientDirection gd = GradientVertical;
  TGridDrawState st;
  GetVisualProperties(rc, ARow, st, false, false, true, &brush, cto, mc, mcto, &font, ha, va, ww, gd);
  canvas->Font()->Assign(&font);
  String anchor, plain, focused, title, ctrlID, ctrlVal, ctrlType;
  Integer maxW = 0, totalH = 0, count = 0, idx = -1;
  TRect anchorRect, ctrlRect;
  const bool hit = DrawHtmlText(canvas, text, r, GetCellImageList(rc, ARow), X, Y, -1, -1, 1, true, false, false,
                                false, true, false, ww, false, 1.0, FURLColor, clNone, clNone, clGray, anchor, plain,
                                focused, title, maxW, totalH, count, idx, anchorRect, ctrlRect, ctrlID, ctrlVal,
                                ctrlType, FImageCache, FContainer, Handle(), 0);
  canvas->Font()->Assign(Font());
  if (!hit) return false;
  Hit.Anchor = anchor;
  Hit.Title = title;
  Hit.Index = idx;
  Hit.CtrlID = ctrlID;
  Hit.CtrlType = UpperCase(ctrlType);
  Hit.CtrlValue = ctrlVal;
  Hit.IsControl = !ctrlID.empty() && ctrlRect.Right > ctrlRect.Left;
  return true;
}

// --- Left press ------------------------------------------------------------------------------------

// The press in its order. A step answering true has ended the press; the rest run on.
void TExStringGrid::WMLButtonDown(TMessage& M) {
  TWMMouse mm{M};
  TLeftPress P;
  P.X = mm.XPos();
  P.Y = mm.YPos();
  P.Keys = static_cast<Word>(mm.Keys());
  MouseToCell(P.X, P.Y, P.ACol, P.ARow);

  PressResetFlags();
  if (IsInResizeGrip(P.X, P.Y)) {
    StartGripDrag(M, true);
    M.Result = 1;
    return;
  }
  // A press outside the selection of a range-select-and-edit grid does not edit.
  if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit() &&
      !CellInGridRect(Selection(), P.ACol, P.ARow))
    SetOptions(Options() >> goEditing);
  bool allow = true;
  if (OnCanClickCell) OnCanClickCell(this, P.ARow, P.ACol, allow);
  if (!allow) return;
  if (FCellSelectorMode) {
    CellSelectorClick(P.ACol, P.ARow);
    return;
  }
  if (FMouseSelectMode == msResize) {
    StartGripDrag(M, false);
    return;
  }
  PressClearsDisjunctCells(P);
  PressNoteStart(P);
  if (P.ACol == -1 || P.ARow == -1) {
    PressOutsideCells(M);
    return;
  }
  PressMovesToBaseCell(P);
  if (PressSizesFixedArea(P)) return;
  P.RC = DisplayToRealCol(P.ACol);
  P.FixedPos = P.ACol < FixedCols() || P.ARow < FixedRows();
  P.FixedCell = P.FixedPos || IsFixed(P.ACol, P.ARow);
  if (P.FixedCell) HideInplaceEdit();
  PressFixedCellButton(P);
  if (!HasState(csDesigning) && P.ValidCell && PressOnCellGraphic(P, M)) return;
  if (P.ACol >= ColCount() || P.ARow < 0 || P.ARow >= RowCount()) {
    TBaseGrid::WMLButtonDown(M);
    return;
  }
  PressNoteClickOffset(P);
  if (PressDisjunctRowsCols(P, M)) return;
  if (HandleLinkPress(P.ACol, P.ARow, P.X, P.Y)) return;
  Movecell = -1;
  PressHeaderSelection(P);
  PressNoteMoveCandidate(P);
  P.CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
  CanEditCell(P.RC, P.ARow, P.CanEdit);
  if (PressTogglesCheck(P)) return;
  PressFocusesDirectCombo(P);
  const bool deferSelecting = PressDefersSelecting(P);
  if (!P.FixedPos && P.FixedCell)
    PressOnFixedCell(P);
  else
    PressOnCell(P, M);
  if (deferSelecting) FGridState = gsSelecting;
}

// Widths changed before this press (in code, by an earlier drag) do not hold back its release;
// the press starts with no click, spin or move pending.
void TExStringGrid::PressResetFlags() {
  ColSizeFlg = false;
  ColMoveFlg = false;
  FDoOnClick = true;
  FMouseDownMove = true;
  FMouseKeepDown = true;
  FSpinUpClick = false;
  FSpinDnClick = false;
}

// With DisjunctCellSelect a press on a normal cell without Ctrl starts a new cell selection.
void TExStringGrid::PressClearsDisjunctCells(TLeftPress& P) {
  const TPressModifier mod = PressModifier(P.Keys);
  P.AltMod = mod == pmAlt;
  P.ShiftMod = mod == pmShift;
  P.CtrlMod = mod == pmCtrl;
  P.ValidCell = P.ACol >= 0 && P.ARow >= 0 && P.ACol < ColCount() && P.ARow < RowCount();
  if (FMouseActions->DisjunctCellSelect() && !P.CtrlMod && P.ValidCell &&
      P.ACol >= FixedCols() && P.ARow >= FixedRows()) {
    FSelectedCells->Clear();
    Invalidate();
  }
}

// What the press starts from: no search text, move or selection click pending, the scroll
// position; the sizing candidate, the cell whose right or bottom border lies just left of or
// above the point.
void TExStringGrid::PressNoteStart(const TLeftPress& P) {
  SearchInc.clear();
  FMoveColInd = -1;
  FMoveRowInd = -1;
  FSelectionClick = false;
  FPushedCellButton = TPoint(-1, -1);
  FOldKeepLeftCol = LeftCol();
  FOldTopRow = TopRow();

  Integer sc = -1, sr = -1;
  if (P.ACol == 0)
    MouseToCell(P.X, P.Y - 4, sc, sr);
  else if (P.ARow == 0)
    MouseToCell(P.X - 5, P.Y, sc, sr);
  else
    MouseToCell(P.X - 5, P.Y - 4, sc, sr);
  Colclicked = sc;
  Rowclicked = sr;
  if (sc >= 0) Colclickedsize = ColWidths(sc);
  if (sr >= 0) Rowclickedsize = RowHeights(sr);
  Clickposx = P.X;
  Clickposy = P.Y;
  if (FLook == glListView) RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
}

// A press outside the cells ends the edit; the platform takes it unless the header row stays.
void TExStringGrid::PressOutsideCells(TMessage& M) {
  HideInplaceEdit();
  if (!FFixedRowAlways) TBaseGrid::WMLButtonDown(M);
}

// A merged area answers with its base cell.
void TExStringGrid::PressMovesToBaseCell(TLeftPress& P) {
  const TPoint bc = BaseCell(DisplayToRealCol(P.ACol), P.ARow);
  P.ACol = RealToDisplayCol(bc.X);
  P.ARow = bc.Y;
  if (FMouseActions->CaretPositioning()) LButFlg = true;
}

// Sizing the fixed columns or rows, armed by where the pointer last moved.
bool TExStringGrid::PressSizesFixedArea(const TLeftPress& P) {
  if (FSizeFixed) {
    StartFixedSizing(true, P.X, P.Y);
    return true;
  }
  if (FSizeFixedR) {
    StartFixedSizing(false, P.X, P.Y);
    return true;
  }
  return false;
}

// Fixed cells drawn as buttons show pressed (not on a node glyph).
void TExStringGrid::PressFixedCellButton(const TLeftPress& P) {
  const bool onNodeGlyph = P.ACol == 0 && FNumNodes > 0 && IsNode(P.ARow) && IsNodeGlyphHit(P.ARow, P.X);
  if (FFixedAsButtons && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine) && Ctl3D() &&
      P.FixedCell && !onNodeGlyph) {
    TRect r = CellRect(P.ACol, P.ARow);
    DrawEdge(Canvas(), r, BDR_SUNKENINNER, BF_RECT);
    FPushedFixedCell = r;
    FPushedCellButton = TPoint(P.ACol, P.ARow);
    FFixedCellPushed = true;
  }
}

// The cell graphics a press acts on, by kind. True when one of them took the press.
bool TExStringGrid::PressOnCellGraphic(const TLeftPress& P, TMessage& M) {
  const TRect cr = CellRect(P.ACol, P.ARow);
  // Always-visible spin buttons: the press steps the editor it opens.
  if (ControlLook()->SpinButtonsAlwaysVisible() && HasSpinEdit(P.RC, P.ARow) && P.X > cr.Right - 18) {
    if (P.Y <= (cr.Top + cr.Bottom) / 2)
      FSpinUpClick = true;
    else
      FSpinDnClick = true;
  }
  PressHeaderNodeGlyph(P);
  if (PressNodeGlyph(P)) return true;
  if (IsRadio(P.RC, P.ARow) && (IsEditable(P.RC, P.ARow) || ControlLook()->RadioAlwaysActive())) {
    HideInplaceEdit();
    ClickRadioGroup(P.ACol, P.ARow, P.Y - cr.Top, P.X - cr.Left);
    if (CanFocus()) SetFocus();
    return true;
  }
  // The node column does not select.
  if (P.ACol == 0 && P.ARow >= FixedRows() && FNumNodes > 0 && !FMouseActions->RowSelect() &&
      !Options().Contains(goRowSizing)) {
    if (OnMouseDown) OnMouseDown(this, mbLeft, KeysToShiftState(P.Keys), P.X, P.Y);
    if (OnClickCell) OnClickCell(this, P.ARow, P.ACol);
    return true;
  }
  if (PressPreparesOleDrag(P, cr)) return true;
  if (GetCellType(P.RC, P.ARow) == ctRating && IsEditable(P.RC, P.ARow)) {
    HideInplaceEdit();
    double rate = std::trunc((P.X - cr.Left) / 9.0) / 2.0;
    if (RatingChange(P.RC, P.ARow, rate)) {
      SetFloats(P.RC, P.ARow, rate);
      RepaintCell(P.ACol, P.ARow);
    }
    return true;
  }
  if (PressCellButton(P)) return true;
  // A press on any cell of a merged area selects its base cell.
  if (IsMergedCell(P.RC, P.ARow) && !P.FixedCell && !OnMouseDown) {
    const TRect br = CellRect(P.ACol, P.ARow);
    M.LParam = MakeLParam(br.Left + 2, br.Top + 2);
  }
  return false;
}

// The header's node glyph expands or contracts every node.
void TExStringGrid::PressHeaderNodeGlyph(const TLeftPress& P) {
  if (P.ARow >= FixedRows() || P.ACol != 0 || !FMouseActions->NodeAllExpandContract()) return;
  TCellGraphic* g = GetCellGraphic(0, P.ARow);
  if (g && g->CellType() == ctNode && IsNodeGlyphHit(P.ARow, P.X)) {
    if (g->CellBoolean())
      ExpandAll();
    else
      ContractAll();
    g->SetCellBoolean(!g->CellBoolean());
    RepaintCell(0, P.ARow);
  }
}

// A node row's glyph expands or contracts its node, as the before-events allow.
bool TExStringGrid::PressNodeGlyph(const TLeftPress& P) {
  const Integer ARow = P.ARow;
  if (ARow < FixedRows() || P.ACol != 0 || FNumNodes <= 0 || !IsNode(ARow) ||
      (FMouseActions->PreciseNodeClick() && !IsNodeGlyphHit(ARow, P.X)))
    return false;
  if (OnMouseDown) OnMouseDown(this, mbLeft, KeysToShiftState(P.Keys), P.X, P.Y);
  if (OnClickCell) OnClickCell(this, ARow, P.ACol);
  const Integer realRow = DisplayRowToRealRow(ARow);
  bool allowNode = true;
  const bool contracted = GetNodeState(ARow);
  if (contracted) {
    if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, realRow, allowNode);
  } else if (OnBeforeContractNode) {
    OnBeforeContractNode(this, ARow, realRow, allowNode);
  }
  if (allowNode) {
    if (contracted) {
      ExpandNode(realRow);
      if (OnExpandNode) OnExpandNode(this, ARow, realRow);
    } else {
      ContractNode(realRow);
      if (OnContractNode) OnContractNode(this, ARow, realRow);
    }
  }
  if (FMouseActions->MoveRowOnNodeClick()) SetRow(ARow);
  return true;
}

// A press on selected cells of an OLE drag source prepares the drag, which starts on the next
// move; a header press that selects columns or the grid goes on to that selection.
bool TExStringGrid::PressPreparesOleDrag(const TLeftPress& P, const TRect& CR) {
  const bool header = P.ARow < FixedRows();
  if (!FDragDropSettings || !FDragDropSettings->OleDropSource() || Options().Contains(goEditing) ||
      HasButton(P.RC, P.ARow) || HasCheckBox(P.RC, P.ARow) ||
      !(IsSelected(P.ACol, P.ARow) || (header && !FEnhRowColMove)))
    return false;
  if (header || P.ACol < FixedCols()) return false;
  const bool farFromBorders = !Options().Contains(goColSizing) || (P.X - CR.Left > 3 && CR.Right - P.X > 3);
  if (!farFromBorders) return false;
  if (CanFocus()) SetFocus();
  if (OnMouseDown) OnMouseDown(this, mbLeft, KeysToShiftState(P.Keys), P.X, P.Y);
  FSelectionClick = true;
  if (OnClickCell) OnClickCell(this, P.ARow, P.ACol);
  return true;
}

// Cell buttons and expand glyphs: the cell becomes current and the button shows pressed, with
// the mouse captured, when the point lies on it.
bool TExStringGrid::PressCellButton(const TLeftPress& P) {
  const bool hasButton = HasButton(P.RC, P.ARow);
  const bool hasExpand = HasExpand(P.RC, P.ARow);
  if (!hasButton && !hasExpand) return false;
  HideInplaceEdit();
  if (!P.FixedCell) {
    FForceSel = true;
    if (SelectCell(P.ACol, P.ARow)) MoveColRow(P.ACol, P.ARow, true, true);
    FForceSel = false;
  }
  const TRect br = hasButton ? GetCellControlRect(P.ACol, P.ARow) : GetExpandRect(P.RC, P.ARow);
  if (PointIn(br, P.X, P.Y)) {
    PushButton(P.ACol, P.ARow, true);
    FPushedCellButton = TPoint(P.ACol, P.ARow);
    SetCaptureControl(this);
    if (OnClickCell) OnClickCell(this, P.ARow, P.ACol);
  }
  return true;
}

// The press position within the sizing candidate cell.
void TExStringGrid::PressNoteClickOffset(const TLeftPress& P) {
  TRect sr;
  if (Colclicked >= 0 && Rowclicked >= 0) sr = CellRect(Colclicked, Rowclicked);
  Clickposdx = P.X - sr.Left;
  Clickposdy = P.Y - sr.Top;
}

// The disjunct row and column selections: Shift on a row selects the range from the selection
// before the press (ending the press); Ctrl notes whether the press deselects; a plain press
// starts a new selection.
bool TExStringGrid::PressDisjunctRowsCols(TLeftPress& P, TMessage& M) {
  P.HotmailCol0 = P.ACol == 0 && FMouseActions->HotmailRowSelect();
  if (FMouseActions->DisjunctRowSelect() && P.ARow >= FixedRows() && !P.HotmailCol0) {
    if (P.ShiftMod) {
      const TGridRect before = Selection();
      TBaseGrid::WMLButtonDown(M);
      TGridRect r;
      r.Left = std::min(P.ACol, before.Left);
      r.Right = std::max(P.ACol, before.Left);
      r.Top = std::min(P.ARow, before.Top);
      r.Bottom = std::max(P.ARow, before.Top);
      SetSelection(r);
      return true;
    }
    if (P.CtrlMod || FMouseActions->DisjunctRowSelectNoCtrl()) {
      const Integer fr = FMouseActions->RowSelectPersistent() ? DisplayRowToRealRow(P.ARow) : P.ARow;
      FDeselectState = RowSelect(fr);
    } else {
      FMouseDown = true;
      if (!P.AltMod) ClearRowSelect();
    }
  }
  if (FMouseActions->DisjunctColSelect() && P.ACol >= FixedCols()) {
    if (P.CtrlMod) {
      FDeselectState = ColSelect(P.ACol);
    } else {
      FMouseDown = true;
      ClearColSelect();
    }
  }
  return false;
}

// The header selections: the top-left cell selects the grid, a fixed column cell the rows and a
// header cell the columns (Shift extends the selection).
void TExStringGrid::PressHeaderSelection(const TLeftPress& P) {
  const Integer ACol = P.ACol, ARow = P.ARow;
  const bool shiftPress = P.ShiftMod;
  if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect() &&
      Options().Contains(goRangeSelect) && FMouseSelectMode == msAll) {
    if (CanFocus()) SetFocus();
    FShowSelection = false;
    TGridRect r{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
    AdjustClickSelectAll(r);
    SetSelection(r);
    FShowSelection = true;
    DoExit();
    if (FActiveCellShow) {
      RepaintCol(FixedCols() - 1);
      RepaintRow(FixedRows() - 1);
    }
  } else if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
    HideInplaceEdit();
    if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
    const Integer from = shiftPress ? Selection().Top : ARow;
    SetSelection(TGridRect{FixedCols(), std::min(from, ARow), ColCount() - 1, std::max(from, ARow)});
    FMouseSelectStart = shiftPress ? from : ARow;
    if (FRowIndicator->Empty()) RepaintCol(0);
  } else if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect() &&
             Options().Contains(goRangeSelect) && FMouseSelectMode == msColumn) {
    HideInplaceEdit();
    if (FMouseActions->DisjunctCellSelect()) FSelectedCells->Clear();
    Integer from = ACol;
    if (shiftPress) {
      const TGridRect s = Selection();
      from = ACol < s.Left ? s.Right : s.Left;
    }
    SetSelection(TGridRect{std::min(from, ACol), FixedRows(), std::max(from, ACol), RowCount() - 1});
    FMouseSelectStart = from;
  }
}

// The move candidate: the column of a header cell, the row of a fixed column cell, with the
// press offset in the cell.
void TExStringGrid::PressNoteMoveCandidate(const TLeftPress& P) {
  if (P.ARow < FixedRows() && P.ACol >= FixedCols()) {
    Movecell = P.ACol;
  } else if (P.ACol < FixedCols() && P.ARow >= FixedRows()) {
    Movecell = P.ARow;
  }
  if (Movecell >= 0) {
    const TRect cr = CellRect(P.ACol, P.ARow);
    MoveOfsX = P.X - cr.Left;
    MoveOfsY = P.Y - cr.Top;
  }
}

// A press in a check box or radio button toggles it; in column 0 of a hotmail-style grid it
// selects the row, in the header with CheckAllCheck it sets the whole column.
bool TExStringGrid::PressTogglesCheck(const TLeftPress& P) {
  const Integer RC = P.RC, ACol = P.ACol, ARow = P.ARow;
  const bool isCheck = HasCheckBox(RC, ARow);
  const bool isRadioButton = HasRadioButton(RC, ARow);
  if (!((isCheck || isRadioButton) && (P.CanEdit || ControlLook()->CheckAlwaysActive() || P.HotmailCol0) &&
        IsInCheckBox(RC, ARow, P.X, P.Y)))
    return false;
  HideInplaceEdit();
  if (CanFocus()) SetFocus();
  if (isRadioButton) {
    ToggleRadioButton(RC, ARow, true);
    if (OnRadioButtonClick) OnRadioButtonClick(this, RC, ARow);
  } else {
    ToggleCheckBox(RC, ARow, true);
  }
  if (ShowModifiedEnabled()) {
    SetRowModified(ARow, true);
    RepaintCell(0, ARow);
  }
  bool state = false;
  GetCheckBoxState(RC, DisplayRowToRealRow(ARow), state);
  if (P.HotmailCol0) {
    SelectRows(ARow, 1);
    const Integer realRow = DisplayRowToRealRow(ARow);
    SetRowSelect(realRow, !RowSelect(realRow));
    if (!RowSelect(DisplayRowToRealRow(Row()))) FShowSelection = false;
  }
  if (!FNavigation->AlwaysEdit() && ACol >= FixedCols() && ARow >= FixedRows()) MoveColRow(ACol, ARow, true, true);
  CheckBoxClick(RC, ARow, state);
  if (FHideFocusRect) RepaintCell(ACol, ARow);
  if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
      if (FMouseActions->HotmailRowSelect())
        SetRowSelect(r, state);
      else
        SetCheckBoxState(RC, r, state);
    }
    Invalidate();
  }
  if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardShiftState(), P.X, P.Y);
  Click();
  return true;
}

// A normal cell with an always-visible drop-down edits directly: the open editor ends and the
// grid takes the focus.
void TExStringGrid::PressFocusesDirectCombo(TLeftPress& P) {
  P.NormalCell = P.ACol >= FixedCols() && P.ARow >= FixedRows() && !P.FixedCell;
  P.AlwaysDrop = ControlLook()->DropDownAlwaysVisible() && HasComboBox(P.RC, P.ARow);
  if (P.NormalCell && P.AlwaysDrop && (P.CanEdit || FMouseActions->EditOnDblClickOnly())) {
    HideInplaceEdit();
    if (CanFocus()) SetFocus();
    if (FMouseActions->EditOnDblClickOnly()) FEditActive = false;
  }
}

// A press outside a range-select-and-edit selection selects instead of editing: editing goes off
// now, the selecting state is set when the press is done. True when it was.
bool TExStringGrid::PressDefersSelecting(const TLeftPress& P) {
  const TGridRect s = Selection();
  const bool wholeSelection = s.Left == P.ACol && s.Right == P.ACol && s.Top == P.ARow && s.Bottom == P.ARow;
  if (!wholeSelection && FMouseActions->RangeSelectAndEdit() && !P.FixedCell && !P.CanEdit) {
    SetOptions(Options() >> goEditing);
    return true;
  }
  return false;
}

// A cell fixed by the fixed-cell question is only clicked (not the floating footer's row).
void TExStringGrid::PressOnFixedCell(const TLeftPress& P) {
  const bool footerRow = FloatingFooterVisible() && P.ARow == RowCount() - 1;
  if (!footerRow && OnClickCell) OnClickCell(this, P.ARow, P.ACol);
}

// Every other cell: the platform's press (selecting, moving the current cell) with the columns
// of a row-selecting grid kept where they were, then the click, the value kept for validation
// and the editor of a merged or direct-edit cell.
void TExStringGrid::PressOnCell(const TLeftPress& P, TMessage& M) {
  const TRect cr = CellRect(P.ACol, P.ARow);
  const bool edgeCell = P.ACol == LeftCol() + VisibleColCount() || P.ARow == TopRow() + VisibleRowCount();
  const bool keepScroll = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
  const Integer keepLeft = LeftCol();
  const Integer topBefore = TopRow();
  if (keepScroll) BeginUpdate();
  if (!FSelHidden) {
    const bool alwaysEdit = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    TBaseGrid::WMLButtonDown(M);
    FNavigation->SetAlwaysEdit(alwaysEdit);
  }
  if (keepScroll) {
    SetLeftCol(keepLeft);
    EndUpdate();
  }
  if (edgeCell && FMouseActions->NoAutoRangeScroll() && FGridState == gsSelecting) FGridState = gsNormal;
  if (FMouseActions->NoScrollOnPartialRow() && TopRow() != topBefore) {
    SetTopRow(topBefore);
    PostMessage(Handle(), WM_LBUTTONUP, 0, MakeLParam(P.X, P.Y));
  }
  const bool onHeaderBorder =
      P.ARow < FixedRows() && Options().Contains(goColSizing) && (P.X - cr.Left < 4 || cr.Right - P.X < 4);
  if (!onHeaderBorder && OnClickCell) OnClickCell(this, P.ARow, P.ACol);
  if (OnCellValidate) {
    FEntered = false;
    RememberCellValue(Col(), Row());
  }
  if (IsMergedCell(P.RC, P.ARow) && !P.FixedCell && (IsSelected(P.ACol, P.ARow) || FMouseActions->DirectEdit()) &&
      P.CanEdit)
    ShowInplaceEdit();
  PressStartsDirectEdit(P, cr);
}

// Direct editing: a press well inside a normal cell that can be edited opens its editor, as the
// row, column and cell changing events allow.
void TExStringGrid::PressStartsDirectEdit(const TLeftPress& P, const TRect& CR) {
  const Integer ACol = P.ACol, ARow = P.ARow;
  const bool inside = P.X - CR.Left > 3 && CR.Right - P.X > 3;
  const bool comboOnDbl = FMouseActions->EditOnDblClickOnly() && HasComboBox(P.RC, ARow);
  if (!(inside && P.NormalCell && (P.CanEdit || comboOnDbl) && (FMouseActions->DirectEdit() || P.AlwaysDrop) &&
        !HasCellControl(P.RC, ARow)))
    return;
  if (comboOnDbl) {
    SetOptions(Options() << goEditing);
    if (CanFocus()) SetFocus();
  }
  bool allowChange = true;
  if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, allowChange);
  if (allowChange && ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, allowChange);
  if (allowChange && (ACol != Col() || ARow != Row()) && OnCellChanging)
    OnCellChanging(this, Row(), Col(), ARow, ACol, allowChange);
  if (allowChange) {
    if (Col() != ACol || Row() != ARow) MoveColRow(ACol, ARow, true, true);
    RememberCellValue(Col(), Row());
    ShowEditor();
  }
}

// Links and HTML form controls under a press. True when the press ends here.
bool TExStringGrid::HandleLinkPress(Integer ACol, Integer ARow, Integer X, Integer Y) {
  THtmlHit hit;
  const Integer RC = DisplayToRealCol(ACol);
  const String text = GetCellEx(RC, ARow);
  if (!CellLinkAt(ACol, ARow, X, Y, hit)) {
    if (hit.Html && UpperCasePos(u"<CONTROL", text) > 0) {
      if (OnClickCell) OnClickCell(this, ARow, ACol);
      HideInplaceEdit();
      if (ACol >= FixedCols() && ARow >= FixedRows()) MoveColRow(ACol, ARow, true, true);
      return true;
    }
    return false;
  }
  bool canEdit = (Options().Contains(goEditing) || FEditDisable) && !ReadOnly(RC, ARow);
  if (hit.IsControl) {
    DoCanEditCell(RC, ARow, canEdit);
    if (canEdit) {
      String t = GetCellEx(RC, ARow);
      if (hit.CtrlType == u"BUTTON") {
        FCtrlXY = TPoint(ACol, ARow);
        FCtrlDown = true;
        RepaintCell(ACol, ARow);
      } else if (hit.CtrlType == u"CHECK") {
        String v;
        GetHtmlControlValue(t, hit.CtrlID, v);
        SetHtmlControlValue(t, hit.CtrlID, UpperCase(v) == u"TRUE" ? u"FALSE" : u"TRUE");
        SetCellEx(RC, ARow, t);
      } else if (hit.CtrlType == u"RADIO") {
        t = ClearHtmlRadios(t);
        SetHtmlControlValue(t, hit.CtrlID, u"TRUE");
        SetCellEx(RC, ARow, t);
      }
      if (OnControlClick) OnControlClick(this, ARow, ACol, hit.CtrlID, hit.CtrlType, hit.CtrlValue);
      EditHtmlControl(ACol, ARow, hit.CtrlID);
    }
    return true;
  }
  // A link.
  bool autoHandle = true;
  if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, hit.Anchor, autoHandle);
  if (autoHandle) {
    const Integer p = UpperCasePos(u"CELL://", hit.Anchor);
    if (p > 0) {
      TPoint cell;
      if (ParseCellReference(Copy(hit.Anchor, 8, static_cast<Integer>(hit.Anchor.size())), cell) && cell.Y >= 0 &&
          cell.Y < RowCount() && cell.X >= 0 && cell.X < ColCount()) {
        SetRow(cell.Y);
        SetCol(cell.X);
        ScrollInView(cell.X, cell.Y);
      }
    } else {
      ShellOpen(hit.Anchor);
    }
  }
  return true;
}

// --- MouseDown (every button) --------------------------------------------------------------------------

void TExStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const Integer RC = ACol >= 0 ? DisplayToRealCol(ACol) : -1;

  // 1. Range selection with editing on request.
  if (FMouseActions->RangeSelectAndEdit() && Button == mbLeft && !FMouseActions->EditOnDblClickOnly()) {
    if (ACol == Col() && ARow == Row() && !Options().Contains(goEditing) && IsEditable(RC, ARow)) {
      SetOptions(Options() << goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if (Shift.Contains(ssShift) && Options().Contains(goEditing) && (ACol != Col() || ARow != Row())) {
      SetOptions(Options() >> goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }

  // 2. The drop-down button of a hovered fixed cell.
  if (ACol >= 0 && ARow >= 0 && ACol == FHoverFixedX && ARow == FHoverFixedY && ControlLook()->FixedDropDownButton() &&
      InFixedDropDownZone(ACol, ARow, X)) {
    FDropDownDown = true;
    if (FFixedDropDownMenu || OnFixedDropDownClick) {
      FNoMouseLeave = true;
      TPopupMenu* menu = FFixedDropDownMenu;
      if (menu) menu->SetTag(ACol);
      bool keep = false;
      if (OnFixedDropDownClick) OnFixedDropDownClick(this, ACol, ARow, menu, keep);
      if (menu) {
        FMouseDownMove = false;
        RepaintCell(ACol, ARow);
        const TRect cr = CellRect(ACol, ARow);
        const TPoint p = ClientToScreen(TPoint(cr.Right - 16, cr.Bottom));
        menu->Popup(p.X, p.Y);
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        RepaintCell(ACol, ARow);
      }
      FNoMouseLeave = keep;
    }
    return;
  }

  // 3. The pressed look of a hovered header cell.
  if (ACol >= 0 && ARow == FixedRows() - 1 && ACol == FHoverFixedX && ARow == FHoverFixedY &&
      ControlLook()->FixedGradientDownTo() != clNone)
    RepaintCell(ACol, ARow);

  // 4. The platform's press.
  FEditStart = true;
  TBaseGrid::MouseDown(Button, Shift, X, Y);
  FEditStart = false;
  if (Shift.Contains(ssShift) && FSelectionRectangle) {
    const TGridRect s = Selection();
    RepaintRect(TRect(s.Left, s.Top, s.Right, s.Bottom));
  }

  // 5. Editing fixed cells.
  if (ACol >= 0 && ARow >= 0) {
    const TRect cr = CellRect(ACol, ARow);
    const bool inside4 = X - cr.Left >= 4 && cr.Right - X >= 4 && Y - cr.Top >= 4 && cr.Bottom - Y >= 4;
    const bool headerRow = ARow < FixedRows();
    const bool fixedCol = ACol < FixedCols() && !headerRow;
    auto wants = [&](TGridFixedCellEdit E) {
      return (E == fceLeftClick && Button == mbLeft) || (E == fceRightClick && Button == mbRight);
    };
    if (headerRow && wants(FMouseActions->FixedRowsEdit())) {
      if (!Options().Contains(goColSizing) || inside4) EditFixedCell(ACol, ARow);
      return;
    }
    if (fixedCol && wants(FMouseActions->FixedColsEdit())) {
      if (!Options().Contains(goRowSizing) || inside4) EditFixedCell(ACol, ARow);
      return;
    }
  }

  // 6. The synchronised grid follows.
  SyncGridFollow();
}

void TExStringGrid::SyncGridFollow() {
  TStringGrid* other = FSyncGrid ? FSyncGrid->Grid() : nullptr;
  if (!other) return;
  if (FSyncGrid->SelectionColumn() && Col() < other->ColCount() && other->Col() != Col()) other->SetCol(Col());
  if (FSyncGrid->SelectionRow() && Row() < other->RowCount() && other->Row() != Row()) other->SetRow(Row());
}

bool TExStringGrid::InFixedDropDownZone(Integer ACol, Integer ARow, Integer X) {
  const TRect cr = CellRect(ACol, ARow);
  const Integer right = Options().Contains(goColSizing) ? cr.Right - 2 : cr.Right;
  return X > cr.Right - 16 && X < right;
}

// --- Fixed-cell editing --------------------------------------------------------------------------------

void TExStringGrid::EditFixedCell(Integer ACol, Integer ARow) {
  if (!StopFixedCellEdit()) return;
  bool allow = true;
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, allow);
  if (!allow) return;
  FFixedColEdit = ACol;
  FFixedRowEdit = ARow;
  TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
  TStringList values;
  if (FMouseActions->FixedComboValues()) values.Assign(FMouseActions->FixedComboValues());
  FixedEdit(ACol, ARow, kind, &values);
  TRect r = CellRect(ACol, ARow);
  r.Left += 1;
  r.Top += 1;
  r.Right -= 1;
  r.Bottom -= 1;
  ShowFixedCellEditor(ACol, ARow, kind, &values, r);
}

// An open fixed-cell editor commits first; false when it keeps its cell (a refused value).
bool TExStringGrid::StopFixedCellEdit() {
  if (EditTrans && EditTrans->Visible() && !EditTrans->StopEdit()) return false;
  if (ComboTrans && ComboTrans->Visible() && !ComboTrans->StopEdit()) return false;
  return true;
}

void TExStringGrid::ShowFixedCellEditor(Integer ACol, Integer ARow, TGridFixedCellEditor Kind, TStrings* Values,
                                        TRect R) {
  const Integer rc = DisplayToRealCol(ACol);
  const String text = GetCellEx(rc, ARow);
  auto changed = [this](TObject* Sender) {
    auto* c = dynamic_cast<TControl*>(Sender);
    if (OnEditChange && c) OnEditChange(this, FFixedColEdit, FFixedRowEdit, c->Text());
  };
  if (Kind == fceComboEdit || Kind == fceComboList) {
    if (!ComboTrans) return;
    ComboTrans->SetCol(rc);
    ComboTrans->SetRow(ARow);
    ComboTrans->SetStyle(Kind == fceComboList ? csDropDownList : csDropDown);
    ComboTrans->Items()->Assign(Values);
    ComboTrans->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height());
    if (Kind == fceComboList)
      ComboTrans->SetItemIndex(ComboTrans->Items()->IndexOf(text));
    else
      ComboTrans->SetText(text);
    ComboTrans->OnChange = changed;
    ComboTrans->SetVisible(true);
    if (ComboTrans->CanFocus()) ComboTrans->SetFocus();
  } else {
    if (!EditTrans) return;
    EditTrans->SetCol(rc);
    EditTrans->SetRow(ARow);
    EditTrans->OnChange = nullptr;
    EditTrans->SetText(text);
    EditTrans->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    EditTrans->OnChange = changed;
    EditTrans->SetVisible(true);
    if (EditTrans->CanFocus()) EditTrans->SetFocus();
  }
}

// --- Filter drop-down lists ------------------------------------------------------------------------------

void TExStringGrid::HideFilterLists() {
  if (FDropList && FDropList->Visible()) FDropList->SetVisible(false);
  if (FDropCheckList && FDropCheckList->Visible()) FDropCheckList->SetVisible(false);
  FFilterCol = -1;
}

void TExStringGrid::ShowFilterList(Integer ACol, Integer ARow, Integer RealCol) {
  HideFilterLists();
  const bool check = FFilterDropDownCheck;
  TWinControl* list = check ? static_cast<TWinControl*>(FDropCheckList) : static_cast<TWinControl*>(FDropList);
  if (!list) return;
  FFilterCol = RealCol;
  // The entries show the part before "=" of the filter list's lines.
  std::vector<String> shown;
  for (Integer i = 0; i < FFilterList->Count(); ++i) {
    const String e = FFilterList->Strings(i);
    const Integer eq = Pos(u"=", e);
    shown.push_back(eq > 0 ? Copy(e, 1, eq - 1) : e);
  }
  Integer widest = 0;
  Integer itemHeight = 16;
  if (check) {
    FDropCheckList->Clear();
    for (const String& e : shown) FDropCheckList->Items()->Add(e);
    for (Integer i = 0; i < static_cast<Integer>(shown.size()); ++i) {
      String q = shown[static_cast<size_t>(i)];
      if (Pos(u" ", q) > 0) q = u"\"" + q + u"\"";
      bool on = false;
      for (Integer f = 0; f < FFilter->Count(); ++f) {
        TFilterData* d = FFilter->Items(f);
        if (d && d->Column() == RealCol && d->Condition() == q) on = true;
      }
      FDropCheckList->SetChecked(i, on);
      widest = std::max(widest, FDropCheckList->TextWidth(shown[static_cast<size_t>(i)]));
    }
    itemHeight = FDropCheckList->ItemHeight();
  } else {
    FDropList->Items()->Clear();
    for (const String& e : shown) {
      FDropList->Items()->Add(e);
      widest = std::max(widest, FDropList->TextWidth(e));
    }
    if (!shown.empty()) FDropList->SetItemIndex(0);
    Canvas()->Font()->Assign(FFilterDropDown ? FFilterDropDown->Font() : Font());
    itemHeight = std::max<Integer>(16, Canvas()->TextHeight(u"gh") + 2);
    Canvas()->Font()->Assign(Font());
  }
  if (FFilterDropDown) list->SetColor(FFilterDropDown->Color());
  if (FFilterDropDown) list->Font()->Assign(FFilterDropDown->Font());
  const TRect cr = CellRect(ACol, ARow);
  Integer w = FFilterDropDown ? FFilterDropDown->Width() : 150;
  Integer h = FFilterDropDown ? FFilterDropDown->Height() : 200;
  if (FFilterDropDown && FFilterDropDown->AutoSize()) {
    h = static_cast<Integer>(shown.size()) * itemHeight + 2 * GetSystemMetrics(SM_CYEDGE);
    w = widest + 8 + 2 * GetSystemMetrics(SM_CXEDGE);
  }
  Integer x = cr.Right - 16;
  if (FFilterDropDown && FFilterDropDown->ColumnWidth()) {
    x = cr.Left;
    w = cr.Width();
  }
  if (x + w > Width()) x = std::max(0, cr.Right - w);
  list->SetParent(this);
  list->SetBounds(x, cr.Top + 16, w, h);
  list->SetVisible(true);
  if (list->CanFocus()) list->SetFocus();
}

// --- Radio groups ------------------------------------------------------------------------------------------

void TExStringGrid::ClickRadioGroup(Integer ACol, Integer ARow, Integer YOfs, Integer XOfs) {
  const TPoint bc = BaseCell(DisplayToRealCol(ACol), ARow);
  const Integer rc = bc.X;
  const Integer r = bc.Y;
  TCellGraphic* g = GetCellGraphic(rc, r);
  if (!g || g->CellType() != ctRadio) return;
  TBrush brush;
  TFont font;
  font.Assign(Font());
  brush.SetColor(Color());
  GetCellColor(rc, r, TGridDrawState(), &brush, &font);
  Canvas()->Font()->Assign(&font);
  const Integer dc = RealToDisplayCol(rc);
  if (!IsFixed(dc, r) && dc >= FixedCols() && r >= FixedRows() && (dc != Col() || r != Row())) MoveColRow(dc, r, true, true);
  const Integer size = ControlLook()->ControlStyle() >= 2 ? 16 : ControlLook()->RadioSize();
  TStrings* options = g->Strings();
  const Integer count = options ? options->Count() : 0;
  Integer chosen = -1;
  if (g->CellBoolean() && count > 0) {
    Integer x = 0;
    for (Integer i = 0; i < count; ++i) {
      const Integer w = Canvas()->TextWidth(options->Strings(i)) + size;
      if (XOfs >= x && XOfs < x + w) {
        chosen = i;
        break;
      }
      x += w;
    }
  } else if (count > 0) {
    const Integer h = std::max(size, Canvas()->TextHeight(u"gh"));
    const Integer i = h > 0 ? YOfs / h : -1;
    if (i >= 0 && i < count) chosen = i;
  }
  Canvas()->Font()->Assign(Font());
  if (chosen < 0) return;
  if (g->CellIndex() == -1 && options)
    SetCellEx(rc, r, options->Strings(chosen));
  else
    g->SetCellIndex(chosen);
  SetCellEx(rc, r, GetCellEx(rc, r));
  SetRadioIdx(rc, r, chosen);
  if (OnRadioClick) OnRadioClick(this, rc, r, chosen);
}

// --- Left release ------------------------------------------------------------------------------------------

// The release in its order. A step answering true has ended the release.
void TExStringGrid::WMLButtonUp(TMessage& M) {
  TWMMouse mm{M};
  TLeftRelease R;
  R.X = mm.XPos();
  R.Y = mm.YPos();
  R.Keys = static_cast<Word>(mm.Keys());
  MouseToCell(R.X, R.Y, R.ACol, R.ARow);
  if (ReleaseEndsOleDrag(R, M)) return;
  const bool moved = ColMoveFlg;
  const bool sized = ColSizeFlg;
  ReleaseResetState(R);
  const bool overControl = ReleaseCellButton(R);
  CloseSizingHint();
  if (overControl && R.ACol >= 0 && R.ARow >= 0) {
    TBaseGrid::WMLButtonUp(M);
    return;
  }
  ReleaseClicksFixedCell(R);
  if (ReleaseSelectionClick(R, M)) return;
  ReleaseDisjunctRows(R);
  ReleaseSelectsGroup(R);
  ReleaseDisjunctCols(R);
  const bool moveEnded = EndRowColMove(R.X, R.Y);
  ReleasePlatform(R, M);

  // A header click sorts. A pending header-border double click ends with this release whatever
  // happens, so it never holds back a later click.
  if (!(moved || sized || moveEnded || R.ACol < 0 || R.ARow < 0)) HeaderClickSort(R.ACol, R.ARow, R.X, R.Y);
  FDblClk = false;
}

// The release that ends a drag of cells out of the grid drops them and does nothing else.
bool TExStringGrid::ReleaseEndsOleDrag(const TLeftRelease& R, TMessage& M) {
  if (!FOleDrag) return false;
  OleDragFinish(R.X, R.Y, false);
  EndPressState();
  TBaseGrid::WMLButtonUp(M);
  return true;
}

// The press is over: no button held, no move, selection click or click pending, no selecting.
void TExStringGrid::EndPressState() {
  FMouseDown = false;
  FMouseKeepDown = false;
  FMouseDownMove = false;
  FSelectionClick = false;
  FDoOnClick = false;
  if (FGridState == gsSelecting) FGridState = gsNormal;
}

// No move, size, press or selection drag is pending any more; the cells the press showed
// pressed are drawn released and a fixed-area sizing ends.
void TExStringGrid::ReleaseResetState(const TLeftRelease& R) {
  ColMoveFlg = false;
  ColSizeFlg = false;
  FMouseDown = false;
  FMouseKeepDown = false;
  FMouseSelectMode = msNormal;
  FMouseDownMove = false;
  if (FCtrlDown) RepaintCell(FCtrlXY.X, FCtrlXY.Y);
  if (FLook == glListView) {
    RepaintRow(0);
    RepaintCol(0);
  }
  FMouseSelectStart = -1;
  HideMoveArrows();
  EndFixedSizing(R.X, R.Y);
  if (FFixedCellPushed) {
    FFixedCellPushed = false;
    InvalidateClientRect(FPushedFixedCell);
  }
}

// A held cell button or expand glyph comes up; released over it (and enabled) it clicks.
// Answers whether the release was over the control.
bool TExStringGrid::ReleaseCellButton(const TLeftRelease& R) {
  if (FPushedCellButton.X < 0 || FPushedCellButton.Y < 0) return false;
  bool overControl = false;
  const TPoint p = FPushedCellButton;
  const Integer prc = DisplayToRealCol(p.X);
  const bool fixedCell = p.X < FixedCols() || p.Y < FixedRows();
  bool enabled = true;
  if (!ControlLook()->NoDisabledButtonLook() && !fixedCell) {
    enabled = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEditCell(prc, p.Y, enabled);
  }
  if (enabled || fixedCell) {
    if (!IsNode(p.Y)) PushButton(p.X, p.Y, false);
    if (HasButton(prc, p.Y) && PointIn(GetCellControlRect(p.X, p.Y), R.X, R.Y)) {
      overControl = true;
      ButtonClick(prc, p.Y);
    } else if (HasExpand(prc, p.Y) && PointIn(GetExpandRect(prc, p.Y), R.X, R.Y)) {
      overControl = true;
      ExpandClick(prc, p.Y, ToggleExpand(prc, p.Y));
    }
  }
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  FPushedCellButton = TPoint(-1, -1);
  return overControl;
}

// OnClick of a fixed cell (not of a header's sizing border), once per press.
void TExStringGrid::ReleaseClicksFixedCell(const TLeftRelease& R) {
  if (FDoOnClick && R.ACol >= 0 && R.ARow >= 0 && (R.ARow < FixedRows() || R.ACol < FixedCols()) &&
      !(R.ARow < FixedRows() && IsOnSizingBorder(R.X, R.Y)) && OnClick)
    OnClick(this);
  FDoOnClick = false;
}

// A click on a selected cell of an OLE drag source that did not drag selects that cell, or
// toggles its row among disjunct rows (which ends the release).
bool TExStringGrid::ReleaseSelectionClick(const TLeftRelease& R, TMessage& M) {
  const bool validNormal =
      R.ACol >= FixedCols() && R.ARow >= FixedRows() && R.ACol < ColCount() && R.ARow < RowCount();
  if (!FSelectionClick || !validNormal) return false;
  FSelectionClick = false;
  if (FMouseActions->DisjunctRowSelect()) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0 || (R.Keys & kMkControl);
    if (!ctrl && !FMouseActions->DisjunctRowSelectNoCtrl()) ClearRowSelect();
    if (ctrl || FMouseActions->DisjunctRowSelectNoCtrl()) {
      SetRowSelect(R.ARow, !RowSelect(R.ARow));
      if (OnMouseUp) OnMouseUp(this, mbLeft, TShiftState(), R.X, R.Y);
      TBaseGrid::WMLButtonUp(M);
      return true;
    }
  }
  if (Options().Contains(goRowSelect))
    SetSelection(TGridRect{FixedCols(), R.ARow, ColCount() - 1, R.ARow});
  else
    MoveColRow(R.ACol, R.ARow, true, true);
  return false;
}

// Disjunct rows: the selection becomes selected rows; a press that began on a selected row
// deselects it.
void TExStringGrid::ReleaseDisjunctRows(const TLeftRelease& R) {
  const bool hotmailCol0 = R.ACol == 0 && FMouseActions->HotmailRowSelect();
  if (FMouseActions->DisjunctRowSelect() && R.ACol >= 0 && !(R.ACol == 0 && FNumNodes > 0 && IsNode(R.ARow))) {
    if (!hotmailCol0) SelectionToRowSelect(false);
    if (FDeselectState && R.ARow >= FixedRows() && R.ARow < RowCount() - FFixedFooters) {
      const Integer fr = FMouseActions->RowSelectPersistent() ? DisplayRowToRealRow(R.ARow) : R.ARow;
      SetRowSelect(fr, false);
    }
    if (FMouseActions->HotmailRowSelect()) RepaintCell(0, 0);
  }
  FDeselectState = FDeselectState && FMouseActions->DisjunctColSelect();
}

// A click on an expanded node row selects its children.
void TExStringGrid::ReleaseSelectsGroup(const TLeftRelease& R) {
  if (!(FGrouping && FGrouping->AutoSelectGroup() && R.ACol > 0 && R.ARow >= FixedRows() && FNumNodes > 0 &&
        IsNode(R.ARow) && !GetNodeState(R.ARow)))
    return;
  const Integer span = GetNodeSpan(R.ARow);
  const Integer last = std::min(RowCount() - 1, R.ARow + std::max(0, span - 1));
  if (FMouseActions->DisjunctRowSelect())
    for (Integer r = R.ARow + 1; r <= last; ++r) SetRowSelect(r, true);
  else if (last > R.ARow)
    SetSelection(TGridRect{FixedCols(), R.ARow + 1, ColCount() - 1, last});
}

// Disjunct columns: the selection becomes selected columns; a press that began on a selected
// column deselects it.
void TExStringGrid::ReleaseDisjunctCols(const TLeftRelease& R) {
  if (FMouseActions->DisjunctColSelect()) {
    SelectionToColSelect(false);
    if (FDeselectState && R.ACol >= FixedCols()) SetColSelect(R.ACol, false);
  }
  FDeselectState = false;
}

// The platform's release, which ends the selecting state. A selecting press ends on the cell it
// started from while the pointer stays in the same merged area, so the area's base cell stays
// current. A selection enlarged by its grip fills the new area from the clipboard.
void TExStringGrid::ReleasePlatform(const TLeftRelease& R, TMessage& M) {
  const TGridRect gripFrom = FDropSelection;
  if (FGridState == gsSelecting && R.ACol >= 0 && R.ARow >= 0 && R.ACol < ColCount() && R.ARow < RowCount()) {
    const TPoint rb = BaseCell(DisplayToRealCol(R.ACol), R.ARow);
    const TPoint cb = BaseCell(RealCol(), Row());
    if (rb.X == cb.X && rb.Y == cb.Y && IsMergedCell(rb.X, rb.Y)) {
      const TRect br = CellRect(RealToDisplayCol(rb.X), rb.Y);
      M.LParam = MakeLParam(br.Left + 2, br.Top + 2);
    }
  }
  TBaseGrid::WMLButtonUp(M);
  if (FGridState == gsSelecting) FGridState = gsNormal;
  if (!FMouseResize) return;
  FMouseResize = false;
  const TGridRect to = Selection();
  bool allowResize = true;
  if (OnSelectionResize)
    OnSelectionResize(this, gripFrom.Left, gripFrom.Top, gripFrom.Right, gripFrom.Bottom, allowResize);
  if (!allowResize) return;
  const bool editing = Options().Contains(goEditing);
  SetOptions(Options() >> goEditing);
  PasteSelectionFromClipboard();
  if (editing) SetOptions(Options() << goEditing);
  if (OnSelectionResized) OnSelectionResized(this, to.Left, to.Top, to.Right, to.Bottom);
}

void TExStringGrid::HeaderClickSort(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!FSortSettings) return;
  if (ACol < FixedCols() && !FSortSettings->SortFixedCols()) return;
  const Integer RC = DisplayToRealCol(ACol);
  // 12.1
  if (HasCheckBox(RC, ARow)) {
    bool state = false;
    GetCheckBoxState(RC, ARow, state);
    if (OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, RC, ARow, state);
  } else if (IsRadio(RC, ARow)) {
    Integer idx = -1;
    GetRadioIdx(RC, ARow, idx);
    if (OnRadioMouseUp) OnRadioMouseUp(this, RC, ARow, idx);
  }
  // 12.2
  if (FDblClk) {
    FDblClk = false;
    return;
  }
  // 12.3
  const TRect cr = CellRect(ACol, ARow);
  if (ARow == 0 && Options().Contains(goColSizing) && (X - cr.Left < 4 || cr.Right - X < 4)) return;
  if (ControlLook()->FixedDropDownButton() && CanShowFixedDropDown(ACol) && InFixedDropDownZone(ACol, ARow, X)) return;
  if (ARow == FFilterRow && X > cr.Right - 16 && X < cr.Right - 3 && Y < cr.Top + 19 && BuildFilterList(RC)) return;
  // 12.4
  const bool pressOnSortRow = Clickposy >= 0 && [&] {
    Integer pc = -1, pr = -1;
    MouseToCell(Clickposx, Clickposy, pc, pr);
    return pr == FSortSettings->Row();
  }();
  if (ARow != FSortSettings->Row() || !pressOnSortRow || FixedRows() <= 0 || !FSortSettings->Show() ||
      IsInCheckBox(RC, ARow, X, Y) || RowCount() <= 2 || FIgnoreColumns->HasValue(RC))
    return;
  bool doSort = true;
  if (OnCanSort) OnCanSort(this, RC, doSort);
  if (!doSort) {
    // 12.10
    RepaintCell(ACol, ARow);
    return;
  }
  // 12.5
  HideInplaceEdit();
  if (FSortRowXRef->Count() != RowCount()) {
    FSortRowXRef->Clear();
    for (Integer r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
  }
  const auto start = std::chrono::steady_clock::now();
  const bool keep = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
  const Integer keepLeft = LeftCol();
  if (keep) BeginUpdate();
  if (FSortSettings->IndexShow()) {
    // 12.6 Multi-column index sort.
    const bool ctrlKey = FSortSettings->IndexSortKey() == ikCtrl;
    const bool keyDown = ctrlKey ? GetKeyState(VK_CONTROL) < 0 : GetKeyState(VK_SHIFT) < 0;
    const Integer pos = FSortIndexes->FindIndex(RC);
    if (keyDown) {
      if (pos >= 0)
        FSortIndexes->ToggleIndex(RC);
      else
        FSortIndexes->AddIndex(RC, FSortSettings->InitSortDirection() == sdAscending);
    } else if (FSortIndexes->Count() == 1 && pos == 0) {
      FSortIndexes->ToggleIndex(RC);
    } else {
      FSortIndexes->Clear();
      FSortIndexes->AddIndex(RC, FSortSettings->InitSortDirection() == sdAscending);
    }
    if (FNumNodes > 0)
      QSortGroupIndexed();
    else
      QSortIndexed();
    FSortSettings->SetColumn(FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : -1);
  } else {
    // 12.7
    bool unsort = false;
    if (FSortSettings->Column() == RC) {
      const TSortDirection d =
          FSortSettings->Direction() == sdAscending ? sdDescending : sdAscending;
      FSortSettings->SetDirection(d);
      if (d == FSortSettings->InitSortDirection() && FSortSettings->UndoSort()) unsort = true;
    } else {
      FSortSettings->SetColumn(RC);
      FSortSettings->SetDirection(FSortSettings->InitSortDirection());
    }
    if (unsort) {
      QUnSort();
      FSortSettings->SetColumn(-1);
    } else if (FNumNodes > 0) {
      QSortGroup();
    } else {
      QSort();
    }
  }
  if (keep) {
    SetLeftCol(keepLeft);
    EndUpdate();
  }
  SortTime = static_cast<Cardinal>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
  // 12.9
  if (FNumCellControls > 0) CellControlsUpdate();
  DoClickSort(FSortSettings->Column());
}

// --- MouseUp ---------------------------------------------------------------------------------------------

void TExStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (HasState(csDesigning)) {
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    DesignHelperClick(X, Y);
    return;
  }
  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  // 1.
  const bool notify = Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick());

  // 2. The filter drop-down.
  if (ACol >= 0 && ARow == FFilterRow && ARow >= 0) {
    const Integer RC = DisplayToRealCol(ACol);
    const TRect cr = CellRect(ACol, ARow);
    if (RC != FFilterCol && X > cr.Right - 16 && X < cr.Right - 3 && Y < cr.Top + 19 && BuildFilterList(RC))
      ShowFilterList(ACol, ARow, RC);
    else
      HideFilterLists();
  } else {
    HideFilterLists();
  }

  // 3.
  FDropDownDown = false;
  if ((FGridState == gsColSizing && X > Width()) || (FGridState == gsRowSizing && Y > Height())) {
    FGridState = gsNormal;
    return;
  }

  // 4. Disjunct cells.
  if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && ACol >= 0 && ARow >= 0 && ACol < ColCount() &&
      ARow < RowCount()) {
    const TPoint bc = BaseCell(DisplayToRealCol(ACol), ARow);
    const Integer bcol = RealToDisplayCol(bc.X);
    if (bcol >= FixedCols() && bc.Y >= FixedRows() && !IsFixed(bcol, bc.Y)) {
      if (DisjunctCellPick(ACol, ARow, Shift)) {
        RepaintCell(ACol, ARow);
      } else {
        return;
      }
    }
  }

  // 5.
  if (notify) {
    const TGridRect s = Selection();
    DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  }

  // 6. The platform's release, unless the right button ends a move.
  const bool rightEndsMove = Button == mbRight && (FGridState == gsColMoving || FGridState == gsRowMoving);
  if (!rightEndsMove) {
    const TGridRect before = Selection();
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (FHoverFixedX >= 0 && FHoverFixedY >= 0) RepaintCell(FHoverFixedX, FHoverFixedY);
    const TGridRect after = Selection();
    if (!(before == after)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
  }
}

// Adds the cell (Shift), toggles its base cell (Ctrl) or makes it the only picked cell, after
// OnSelectCell allowed it; then every other cell of a larger selection joins. False when refused.
bool TExStringGrid::DisjunctCellPick(Integer ACol, Integer ARow, TShiftState Shift) {
  const TPoint bc = BaseCell(DisplayToRealCol(ACol), ARow);
  const Integer bcol = RealToDisplayCol(bc.X);
  if (!(bcol < FixedCols() || bc.Y < FixedRows())) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, bcol, bc.Y, can);
    if (!can) return false;
  }
  const Integer packed = PackCell(bcol, bc.Y);
  auto repaintListed = [&]() {
    for (Integer i = 0; i < FSelectedCells->Count(); ++i) {
      const Integer v = FSelectedCells->Items(i);
      RepaintCell(v & 0xFFFF, static_cast<Integer>(static_cast<uint32_t>(v) >> 16));
    }
  };
  if (Shift.Contains(ssShift)) {
    const Integer p = PackCell(ACol, ARow);
    if (!FSelectedCells->HasValue(p)) FSelectedCells->Add(p);
  } else if (Shift.Contains(ssCtrl)) {
    if (FSelectedCells->HasValue(packed))
      FSelectedCells->DeleteValue(packed);
    else
      FSelectedCells->Add(packed);
  } else {
    repaintListed();
    FSelectedCells->Clear();
    FSelectedCells->Add(packed);
  }
  const TGridRect s = Selection();
  const Integer l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
  const Integer t = std::min(s.Top, s.Bottom), b = std::max(s.Top, s.Bottom);
  if (l != r || t != b) {
    for (Integer c = l; c <= r; ++c)
      for (Integer rr = t; rr <= b; ++rr) {
        const Integer p = PackCell(c, rr);
        if (p != packed && !FSelectedCells->HasValue(p)) FSelectedCells->Add(p);
      }
    repaintListed();
  }
  RepaintCell(Col(), Row());
  return true;
}

// --- Double click --------------------------------------------------------------------------------------

// The double click in its order. A step answering true has ended it.
void TExStringGrid::WMLButtonDblClk(TMessage& M) {
  TWMMouse mm{M};
  const Integer X = mm.XPos();
  const Integer Y = mm.YPos();
  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool cellControl = ACol >= 0 && ARow >= 0 && HasCellControl(DisplayToRealCol(ACol), ARow);
  if (FMouseActions->RangeSelectAndEdit() && !cellControl) FForceSel = true;
  if (DblClickPastLastColumn(M, X, ACol, ARow)) return;
  if (DblClickSizesColumn(M, X, ACol, ARow)) return;
  if (DblClickOnCellControl(M, X, Y, ACol, ARow, cellControl)) return;
  TBaseGrid::WMLButtonDblClk(M);
  if (ACol >= 0 && ARow >= 0 && OnDblClickCell) OnDblClickCell(this, ARow, ACol);
  DblClickStartsEdit(ACol, ARow);
  FForceSel = false;
  DblClickEditsFixedCell(ACol, ARow);
}

// Beyond the last column counts as the header of the last column; a grid whose header row
// stays leaves such a double click to the platform.
bool TExStringGrid::DblClickPastLastColumn(TMessage& M, Integer X, Integer& ACol, Integer& ARow) {
  if (!(ACol == -1 && ARow >= 0 && ColCount() > 0)) return false;
  const TRect last = CellRect(ColCount() - 1, ARow);
  if (last.Right <= 0 || X < last.Right) return false;
  if (FFixedRowAlways) {
    TBaseGrid::WMLButtonDblClk(M);
    FForceSel = false;
    return true;
  }
  ACol = ColCount() - 1;
  ARow = 0;
  return false;
}

// A double click on a header border sizes the column left of it to its content.
bool TExStringGrid::DblClickSizesColumn(TMessage& M, Integer X, Integer ACol, Integer ARow) {
  if (!(ACol >= 0 && ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) &&
        FMouseActions->AutoSizeColOnDblClick()))
    return false;
  const TRect cr = CellRect(ACol, ARow);
  Integer sizeCol = -1;
  if (std::abs(X - cr.Left) <= 3) {
    if (ACol - 1 >= FixedCols()) sizeCol = ACol - 1;
  } else if (std::abs(cr.Right - X) <= 3) {
    if (ACol >= FixedCols()) sizeCol = ACol;
  } else {
    return false;
  }
  FDblClk = true;
  if (sizeCol < 0) return false;
  bool allow = true;
  if (OnColumnSize) OnColumnSize(this, sizeCol, allow);
  if (allow) {
    AutoSizeCol(sizeCol, 0);
    if (OnEndColumnSize) OnEndColumnSize(this, sizeCol);
  }
  FForceSel = false;
  TBaseGrid::WMLButtonDblClk(M);
  return true;
}

// A double click on a cell button or expand glyph does nothing more; on another cell control
// only the platform's handling runs.
bool TExStringGrid::DblClickOnCellControl(TMessage& M, Integer X, Integer Y, Integer ACol, Integer ARow,
                                          bool CellControl) {
  if (!(ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount())) return false;
  const Integer RC = DisplayToRealCol(ACol);
  if ((HasButton(RC, ARow) && PointIn(GetCellControlRect(ACol, ARow), X, Y)) ||
      (HasExpand(RC, ARow) && PointIn(GetExpandRect(RC, ARow), X, Y))) {
    FForceSel = false;
    return true;
  }
  if (!CellControl) return false;
  TBaseGrid::WMLButtonDblClk(M);
  FForceSel = false;
  return true;
}

// A grid that edits on double clicks only opens the editor of an editable cell; a range-select
// grid edits the cell as a press on it would.
void TExStringGrid::DblClickStartsEdit(Integer ACol, Integer ARow) {
  if (!(ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount())) return;
  const Integer RC = DisplayToRealCol(ACol);
  if (FMouseActions->EditOnDblClickOnly()) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    const bool editable = IsEditable(RC, ARow);
    FMouseActions->SetRangeSelectAndEdit(old);
    if (editable) {
      SetOptions(Options() << goEditing);
      if (Col() != ACol || Row() != ARow) MoveColRow(ACol, ARow, true, true);
      ShowInplaceEdit();
    }
  } else if (FMouseActions->RangeSelectAndEdit() && IsEditable(RC, ARow)) {
    SetOptions(Options() << goEditing);
    const TRect br = CellRect(ACol, ARow);
    MouseDown(mbLeft, TShiftState(), br.Left + 4, br.Top + 4);
  }
}

// Fixed rows or columns edited on double click open their editor.
void TExStringGrid::DblClickEditsFixedCell(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return;
  if (ARow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick)
    EditFixedCell(ACol, ARow);
  else if (ACol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick)
    EditFixedCell(ACol, ARow);
}

// --- Right button --------------------------------------------------------------------------------------

void TExStringGrid::WMRButtonDown(TMessage& M) {
  TWMMouse mm{M};
  const Integer X = mm.XPos();
  const Integer Y = mm.YPos();
  TBaseGrid::WMRButtonDown(M);
  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool valid = ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() && ARow < RowCount();
  if (FMouseActions->SelectOnRightClick() && valid) {
    const Integer RC = DisplayToRealCol(ACol);
    const bool inDisjunctCells = FMouseActions->DisjunctCellSelect() && FSelectedCells->HasValue(PackCell(ACol, ARow));
    if (!inDisjunctCells) {
      if (IsSelected(ACol, ARow)) {
        // A cell of the selection keeps the selection; it is only offered to OnSelectCell.
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
      } else {
        if (!HasCellControl(RC, ARow)) {
          if (OnRightClickCell) {
            if (CanFocus()) SetFocus();
          } else {
            TBaseGrid::MouseDown(mbLeft, TShiftState(), X, Y);
            TBaseGrid::MouseUp(mbLeft, TShiftState(), X, Y);
          }
        }
        const TPoint bc = BaseCell(RC, ARow);
        const bool keep = FNavigation->KeepHorizScroll();
        const Integer keepLeft = LeftCol();
        if (keep) BeginUpdate();
        MoveColRow(RealToDisplayCol(bc.X), bc.Y, true, true);
        if (keep) {
          SetLeftCol(keepLeft);
          EndUpdate();
        }
      }
      if (FMouseActions->DisjunctRowSelect()) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0 || (mm.Keys() & kMkControl);
        if (ctrl || FMouseActions->DisjunctRowSelectNoCtrl()) {
          SetRowSelect(ARow, !RowSelect(ARow));
        } else if (RowSelectCount() > 1 && PopupMenu()) {
          if (!RowSelect(ARow)) {
            ClearRowSelect();
            SetRowSelect(ARow, true);
          }
        } else {
          ClearRowSelect();
          SetRowSelect(ARow, true);
        }
      }
    }
  }
  if (OnRightClickCell) OnRightClickCell(this, ARow, ACol);
  if (valid && FURLShow && FURLEdit) {
    const String text = GetCellEx(DisplayToRealCol(ACol), ARow);
    if (IsUrl(text)) {
      MoveColRow(ACol, ARow, true, true);
      ShowInplaceEdit();
    }
  }
}

void TExStringGrid::WMRButtonUp(TMessage& M) {
  const bool moving = FGridState == gsColMoving || FGridState == gsRowMoving;
  const TCursor sc = Screen ? Screen->Cursor() : crDefault;
  if (moving && FEnhRowColMove && (sc == crDrag || sc == crNoDrop)) {
    M.Result = 0;
    return;
  }
  TBaseGrid::WMRButtonUp(M);
}

// --- Wheel ---------------------------------------------------------------------------------------------

bool TExStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->WheelAction() == waScroll || !FEnableWheel) {
    bool handled = false;
    if (Down && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!Down && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
  }
  const bool directEdit = FMouseActions->DirectEdit();
  FMouseActions->SetDirectEdit(false);
  const bool editorWasActive = EditMode || EditorMode();
  bool result = true;
  if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) {
    const Integer keepLeft = LeftCol();
    StartUpdate();
    result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    SetLeftCol(keepLeft);
    ResetUpdate();
  } else if (!Down && !(Row() < RowCount() && Col() < ColCount())) {
    result = true;
  } else {
    result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    if (editorWasActive && CanFocus()) SetFocus();
  }
  FMouseActions->SetDirectEdit(directEdit);
  return result;
}

bool TExStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return WheelStep(true, Shift, MousePos); }

bool TExStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return WheelStep(false, Shift, MousePos); }

// --- Public helpers ------------------------------------------------------------------------------------

void TExStringGrid::ScreenToCell(TPoint P, Integer& ACol, Integer& ARow) {
  const TPoint c = ScreenToClient(P);
  MouseToCell(c.X, c.Y, ACol, ARow);
}

void TExStringGrid::Select() { SelectCell(Col(), Row()); }

void TExStringGrid::SimulateCellClick(Integer ACol, Integer ARow) {
  const TRect r = CellRect(ACol, ARow);
  SimulateCellClickAt(r.Left + 2, r.Top + 2);
}

void TExStringGrid::SimulateCellClickAt(Integer X, Integer Y) {
  TMouseEvent down = OnMouseDown;
  TMouseEvent up = OnMouseUp;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  FForceSel = true;
  try {
    TCustomGrid::MouseDown(mbLeft, TShiftState(), X, Y);
    TCustomGrid::MouseUp(mbLeft, TShiftState(), X, Y);
  } catch (...) {
    FForceSel = false;
    OnMouseDown = down;
    OnMouseUp = up;
    throw;
  }
  FForceSel = false;
  OnMouseDown = down;
  OnMouseUp = up;
}
