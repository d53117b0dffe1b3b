// TExStringGrid: the window procedure (edit-done notification, combo notifications, panning with
// the middle button, the wheel), the 500 ms grid timer, update locking, and the focus, cursor,
// size and control-message handlers.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/gridbase/ExGridButton.h"  // WM_THEMECHANGED
#include "components/gridbase/ExStyleIF.h"
#include "platform/gui/Forms.h"

namespace {
constexpr UINT GridTimerId = 111;
constexpr UINT PanTimerId = 999;
constexpr UINT CMProportionalScroll = 0xB029;
// The panning cursors: the rest position and the eight directions.
constexpr TCursor PanCursorRest = crSizeAll;
}  // namespace

// --- Update locking ---------------------------------------------------------------------------------

void TExStringGrid::BeginUpdate() {
  if (!Visible()) return;
  ++FUpdateCount;
  FRedrawOff = true;
  Perform(WM_SETREDRAW, 0, 0);
}

void TExStringGrid::EndUpdate() {
  if (!Visible()) return;
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount != 0 || FDestroyingGrid || HasState(csDestroying)) return;
  FSelChange = false;
  FRedrawOff = false;
  Perform(WM_SETREDRAW, 1, 0);
  TBaseGrid::Invalidate();
  PaintNCBorder();
}

void TExStringGrid::SetLockUpdate(bool Value) {
  if (Value)
    BeginUpdate();
  else
    EndUpdate();
}

TCanvas* TExStringGrid::FooterCanvas() { return FFooterPanel ? FFooterPanel->Canvas() : nullptr; }

void TExStringGrid::ResetFixedCellHighlight() {
  FSizeFixed = false;
  FSizeFixedR = false;
  FSizingFixed = false;
  FSizingFixedR = false;
  FNoMouseLeave = false;
  if (FHoverFixedCells != hfNone && FHoverFixedX != -1 && FHoverFixedY != -1) {
    const Integer X = FHoverFixedX;
    const Integer Y = FHoverFixedY;
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(X, Y);
  }
}

bool TExStringGrid::IsHoverFixedCell(Integer ACol, Integer ARow) const {
  if (FHoverFixedCells == hfNone || FHoverFixedCells > hfFixedColumns) return false;
  if (ACol < TBaseGrid::FixedCols() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedColumns))
    return true;
  if (ARow < TBaseGrid::FixedRows() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedRows)) return true;
  return false;
}

// --- The window procedure ---------------------------------------------------------------------------

void TExStringGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) DestroyWnd();
  if (FDestroyingGrid || HasState(csDestroying)) {
    TBaseGrid::WndProc(Message);
    return;
  }
  const TGridRect OldSel = Selection();

  if (GridEditDoneMessage != 0 && Message.Msg == GridEditDoneMessage) {
    if (OnEditCellDone)
      OnEditCellDone(this, static_cast<Integer>(Message.WParam), static_cast<Integer>(Message.LParam));
    if (FMouseActions->EditOnDblClickOnly()) {
      HideInplaceEdit();
      EditMode = false;
      SetOptions(Options() >> goEditing);
    }
  }

  if (FScrollProportional && !HasState(csDesigning) &&
      ((Message.Msg == WM_PAINT && FPaintCount == 0) || Message.Msg == WM_SIZE || Message.Msg == WM_LBUTTONUP ||
       Message.Msg == CMProportionalScroll)) {
    UpdateHScrollBar();
    UpdateVScrollBar();
  }

  if ((Message.Msg == WM_THEMECHANGED || Message.Msg == WM_OFFICETHEMECHANGED) && FAutoThemeAdapt) ThemeAdapt();

  if (Message.Msg == WM_NCPAINT) {
    TBaseGrid::WndProc(Message);
    if (FUpdateCount < 1) {
      PaintNCBorder();
      Message.Result = 0;
    }
    return;
  }

  if (Message.Msg == WM_COMMAND) {
    if (HandleCommand(Message)) return;
  }

  if (wheelpan && (Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDOWN ||
                   Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_KEYDOWN)) {
    EndPan();
    return;
  }

  if (Message.Msg == WM_MBUTTONDOWN && !wheelpan && FIntelliPan != ipNone && wheelmsg != 0 &&
      RowCount() > TBaseGrid::FixedRows()) {
    StartPan(SmallIntLo(static_cast<uintptr_t>(Message.LParam)), SmallIntHi(static_cast<uintptr_t>(Message.LParam)));
    return;
  }

  if (wheelmsg != 0 && Message.Msg == wheelmsg && !wheelpan) {
    if (HandleWheel(Message)) {
      const TGridRect S = Selection();
      if (!(S == OldSel)) DoSelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
      if (FSearchFooter->Visible() && !LastRowAboveSearchPanel() && TopRow() + VisibleRowCount() >= RowCount() - 1)
        ScrollLastRowAboveSearchPanel();
      return;
    }
  }

  const Integer OldRow = Row();
  TBaseGrid::WndProc(Message);
  if (!FDestroyingGrid && Row() != OldRow && FSyncGrid->Grid() && FSyncGrid->SelectionRow()) SetRow(Row());
}

bool TExStringGrid::HandleCommand(TMessage& Message) {
  TWMCommand C{Message};
  const Word Code = C.NotifyCode();
  TWinControl* Combo = ComboEditorControl();
  const bool FromCombo = Combo && C.Ctl() != 0 && C.Ctl() == Combo->Handle();

  if (Code == EN_CHANGE) {
    if (C.Ctl() != 0 && C.Ctl() != Handle()) SendMessage(C.Ctl(), CN_COMMAND, Message.WParam, Message.LParam);
    if (FShowEditProcess && !FEditStart && EditMode) {
      const String T = ActiveEditorText();
      SetEditText(Col(), Row(), T);
    }
    return true;
  }

  if (C.Ctl() != 0 && C.Ctl() != Handle()) SendMessage(C.Ctl(), CN_COMMAND, Message.WParam, Message.LParam);

  if ((Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) && FromCombo && EditMode) {
    const Integer I = ComboEditorItemIndex();
    const String S = I == -1 ? ComboEditorText() : ComboEditorItem(I);
    if (OnComboChange) OnComboChange(this, RealCol(), Row(), I, S);
    if (OnComboObjectChange)
      OnComboObjectChange(this, RealCol(), Row(), I, S, I == -1 ? nullptr : ComboEditorObject(I));
  } else if ((Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) && EditLinkControl() &&
             C.Ctl() == EditLinkControl()->Handle()) {
    if (OnComboChange) {
      const Integer I = static_cast<Integer>(SendMessage(C.Ctl(), CB_GETCURSEL, 0, 0));
      String S;
      if (I != -1) S = EditLinkItemText(I);
      OnComboChange(this, Col(), Row(), I, S);
    }
  } else if (Code == CBN_CLOSEUP && FromCombo) {
    if (FMouseActions->DirectComboClose()) {
      const Integer I = ComboEditorItemIndex();
      if (I != -1) SetComboEditorText(ComboEditorItem(I));
      const String S = I == -1 ? ComboEditorText() : ComboEditorItem(I);
      if (OnComboChange) OnComboChange(this, RealCol(), Row(), I, S);
      if (OnComboObjectChange)
        OnComboObjectChange(this, RealCol(), Row(), I, S, I == -1 ? nullptr : ComboEditorObject(I));
      EditControl = edComboEdit;
      EditMode = true;
      const bool Direct = FMouseActions->DirectEdit();
      FMouseActions->SetDirectEdit(false);
      HideInplaceEdit();
      FMouseActions->SetDirectEdit(Direct);
      if (CanFocus()) SetFocus();
    }
    ComboCloseUp(Row(), RealCol());
  } else if (Code == CBN_DROPDOWN && FromCombo) {
    ComboDropDown(Row(), RealCol());
  } else if (Code == CBN_EDITCHANGE && OnComboChange && !FromCombo) {
    OnComboChange(this, Col(), Row(), -1, ComboEditorText());
  }
  return true;
}

bool TExStringGrid::HandleWheel(TMessage& Message) {
  TWMMouseWheel W{Message};
  bool Handled = true;
  if (TWinControl* P = Parent()) {
    if (P->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) {
      Message.Result = 1;
      return true;
    }
  }
  const bool Down = W.WheelDelta() < 0;
  const TShiftState Shift = KeysToShiftState(static_cast<Word>(W.Keys()));
  if (Shift.Contains(ssCtrl) && FIntelliZoom) {
    ZoomGrid(Down ? wheelscrl : -wheelscrl);
    return true;
  }
  if (!FEnableWheel || (FFixedRowAlways && RowCount() == 1)) return true;
  Integer Step = FMouseActions->WheelIncrement();
  if (Step < 1) Step = std::max(wheelscrl, 1);
  const Integer FR = TBaseGrid::FixedRows();
  Integer Q = Row();
  if (FMouseActions->WheelAction() == waScroll) {
    if (Down) {
      for (Integer k = 0; k < Step && TopRow() < RowCount() - VisibleRowCount(); ++k) SetTopRow(TopRow() + 1);
    } else {
      Integer S = std::min(Step, TopRow() - FR);
      if (S > 0) SetTopRow(TopRow() - S);
    }
  } else {
    Q = Down ? Row() + Step : Row() - Step;
    Q = std::clamp(Q, FR, std::max(FR, RowCount() - FFixedFooters - 1));
    if (Col() < TBaseGrid::FixedCols() || Col() > ColCount() - 1)
      TBaseGrid::SetCol(std::clamp(Col(), TBaseGrid::FixedCols(), ColCount() - 1));
  }
  Integer Delta = 0;
  if (Q >= FR && Q < RowCount()) {
    StartUpdate();
    const Integer KeepLeft = LeftCol();
    Delta = Q - Row();
    if (FMouseActions->WheelAction() == waMoveSelection) {
      if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
      if (Q != Row()) SetRow(Q);
      if (Row() != Q && Delta != 0) {
        // A refused move: half the distance instead.
        const Integer Half = Row() + static_cast<Integer>(std::lround(Delta / 2.0));
        if (Half != Row() && Half >= FR && Half < RowCount()) SetRow(Half);
      }
    }
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) SetLeftCol(KeepLeft);
    ResetUpdate();
  }
  MouseWheelHook(Delta, Handled);
  if ((FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) && Handled) {
    Message.Result = 1;
    TShiftState S = Shift;
    TPoint MP(W.XPos(), W.YPos());
    if (FMouseActions->DisjunctRowSelect()) {
      S = KeyboardShiftState();
      Handled = false;
    }
    if (Down) {
      if (OnMouseWheelDown) OnMouseWheelDown(this, S, MP, Handled);
    } else {
      if (OnMouseWheelUp) OnMouseWheelUp(this, S, MP, Handled);
    }
  }
  Invalidate();
  return true;
}

// --- IntelliPan ---------------------------------------------------------------------------------------

void TExStringGrid::StartPan(Integer X, Integer Y) {
  prevcurs = Cursor();
  wheelpan = true;
  wheelpanpos = TPoint(X, Y);
  wheeltimer = SetTimer(Handle(), PanTimerId, 10);
  SetCaptureControl(this);
  ShowCursor(PanCursorRest);
  DrawPanMark();
}

void TExStringGrid::EndPan() {
  if (!wheelpan) return;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (HandleAllocated()) KillTimer(Handle(), PanTimerId);
  wheeltimer = 0;
  ShowCursor(prevcurs);
  wheelpan = false;
  InvalidatePanMark();
}

void TExStringGrid::InvalidatePanMark() {
  InvalidateClientRect(TRect(wheelpanpos.X, wheelpanpos.Y, wheelpanpos.X + 32, wheelpanpos.Y + 32));
}

void TExStringGrid::DrawPanMark() {
  // The mark: a small cross of arrows for the directions the pan mode allows.
  TCanvas* C = Canvas();
  const Integer X = wheelpanpos.X;
  const Integer Y = wheelpanpos.Y;
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(clWhite);
  C->Ellipse(X, Y, X + 26, Y + 26);
  C->Brush()->SetColor(clBlack);
  if (FIntelliPan != ipHorizontal) {
    C->Polygon({TPoint(X + 13, Y + 3), TPoint(X + 9, Y + 8), TPoint(X + 17, Y + 8)});
    C->Polygon({TPoint(X + 13, Y + 22), TPoint(X + 9, Y + 17), TPoint(X + 17, Y + 17)});
  }
  if (FIntelliPan != ipVertical) {
    C->Polygon({TPoint(X + 3, Y + 13), TPoint(X + 8, Y + 9), TPoint(X + 8, Y + 17)});
    C->Polygon({TPoint(X + 22, Y + 13), TPoint(X + 17, Y + 9), TPoint(X + 17, Y + 17)});
  }
}

void TExStringGrid::PanStep() {
  const TPoint P = ScreenToClient(GetCursorPos());
  Integer V = 0;
  if (P.Y < wheelpanpos.Y - 5) V = -1;
  if (P.Y > wheelpanpos.Y + 5) V = 1;
  if (FIntelliPan == ipHorizontal) V = 0;
  Integer H = 0;
  if (FIntelliPan != ipVertical) {
    if (P.X > wheelpanpos.X + 5) H = 1;
    if (P.X < wheelpanpos.X - 5) H = -1;
  }
  TCursor Cur = PanCursorRest;
  if (V == 0 && H != 0) Cur = crSizeWE;
  if (H == 0 && V != 0) Cur = crSizeNS;
  if (V != 0 && H != 0) Cur = (V == H) ? crSizeNWSE : crSizeNESW;
  const TGridRect OldSel = Selection();
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();
  const Integer LastRow = std::max(FR, RowCount() - FFixedFooters - 1);
  const Integer LastCol = std::max(FC, ColCount() - FFixedRightCols - 1);
  if (Row() < FR || Row() > LastRow) TBaseGrid::SetRow(std::clamp(Row(), FR, LastRow));
  if (Col() < FC || Col() > LastCol) TBaseGrid::SetCol(std::clamp(Col(), FC, LastCol));
  if (FMouseActions->WheelAction() == waScroll) {
    InvalidatePanMark();
    if (H != 0) SetLeftCol(std::clamp(LeftCol() + H, FC, std::max(FC, ColCount() - VisibleColCount())));
    if (V != 0) SetTopRow(std::clamp(TopRow() + V, FR, std::max(FR, RowCount() - VisibleRowCount())));
  } else {
    const Integer NC = std::clamp(Col() + H, FC, LastCol);
    const Integer NR = std::clamp(Row() + V, FR, LastRow);
    if (NC < LeftCol() || NC >= LeftCol() + VisibleColCount() || NR < TopRow() ||
        NR >= TopRow() + VisibleRowCount())
      InvalidatePanMark();
    if (NC != Col()) SetCol(NC);
    if (NR != Row()) SetRow(NR);
  }
  ShowCursor(Cur);
  DrawPanMark();
  const TGridRect S = Selection();
  if (!(S == OldSel)) DoSelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

// --- Timers -------------------------------------------------------------------------------------------

void TExStringGrid::WMTimer(TMessage& M) {
  const auto Id = static_cast<UINT>(M.WParam);
  if (Id == GridTimerId && FGridTimerID != 0) {
    GridTimerTick();
    return;
  }
  if (Id == PanTimerId) {
    if (wheelpan && FIntelliPan != ipNone) PanStep();
    return;
  }
  TBaseGrid::WMTimer(M);
}

void TExStringGrid::GridTimerTick() {
  ++FTimerTicks;
  if (FNavigation->AutoGotoIncremental()) {
    if (SearchTics == 3) {
      SearchInc.clear();
      SearchTics = 0;
    } else {
      ++SearchTics;
    }
  }
  if (FHovering && !HasState(csDesigning)) {
    const TPoint SP = GetCursorPos();
    if (WindowFromPoint(SP) == Handle()) {
      const TPoint P = ScreenToClient(SP);
      const TRect CR = ClientRect();
      if (P.X >= CR.Left && P.X < CR.Right && P.Y >= CR.Top && P.Y < CR.Bottom) {
        Integer C = -1;
        Integer R = -1;
        MouseToCell(P.X, P.Y, C, R);
        if (C >= TBaseGrid::FixedCols() && R >= TBaseGrid::FixedRows() && C < ColCount() && R < RowCount()) {
          if (CanFocus() && !Focused()) SetFocus();
          if (R != Row()) SetRow(R);
          if (C != Col()) SetCol(C);
        }
      }
    }
  }
  if (FEnableBlink) {
    FGridBlink = !FGridBlink;
    auto Blinks = [this](Integer RealC, Integer R) {
      return GetGridCell(RealC, R).find(u"<BLI") != String::npos;
    };
    const Integer LastRow = std::min(TopRow() + VisibleRowCount() - 1, RowCount() - 1);
    const Integer LastCol = LeftCol() + VisibleColCount() + FNumHidden - 1;
    for (Integer r = TopRow(); r <= LastRow; ++r)
      for (Integer c = DisplayToRealCol(LeftCol()); c <= LastCol && c < TotalColCount(); ++c)
        if (Blinks(c, r)) RepaintCell(DisplColIndex(c), r);
    for (Integer r = 0; r < TBaseGrid::FixedRows(); ++r)
      for (Integer d = LeftCol(); d < LeftCol() + VisibleColCount() && d < ColCount(); ++d)
        if (Blinks(DisplayToRealCol(d), r)) RepaintCell(d, r);
    for (Integer r = TopRow(); r <= LastRow; ++r)
      for (Integer d = 0; d < TBaseGrid::FixedCols(); ++d)
        if (Blinks(DisplayToRealCol(d), r)) RepaintCell(d, r);
  }
}

// --- Size, erase, cursor, focus ------------------------------------------------------------------------

void TExStringGrid::WMSize(TMessage& M) {
  bool Stretched = false;
  if (FSearchPanel && FSearchFooter->Visible()) {
    // Two heights in a row make the panel lay itself out again at the grid's new width.
    FSearchPanel->SetHeight(33);
    FSearchPanel->SetHeight(32);
    FSearchPanel->SetAlign(alBottom);
  }
  if (FColumnSize->SynchWithGrid() && FOldSize > 0) {
    HideInplaceEdit();
    Integer W = Width();
    if (BorderStyle() == bsSingle) W += 2;
    const double Factor = static_cast<double>(W) / FOldSize;
    const Integer From = FColumnSize->SynchNormalCellsOnly() ? TBaseGrid::FixedCols() : 0;
    for (Integer c = From; c < ColCount() && c < FOrigColSizes->Count(); ++c)
      SetColWidths(c, static_cast<Integer>(std::lround(FOrigColSizes->Items(c) * Factor)));
  }
  if (FColumnSize->Stretch() && FScrollBarAlways < saBoth) {
    Integer SC = FColumnSize->StretchColumn();
    if (SC == -1) SC = ColCount() - 1;
    Integer Sum = 0;
    for (Integer c = 0; c < ColCount(); ++c)
      if (c != SC) Sum += ColWidths(c);
    if (Sum < Width()) {
      StretchColumn(SC);
      Stretched = true;
    }
  }
  TBaseGrid::WMSize(M);
  if (FScrollProportional) {
    UpdateHScrollBar();
    UpdateVScrollBar();
  }
  if (Stretched && FScrollBarAlways == saNone) {
    if (OnResize) OnResize(this);
    return;
  }
  if (!Stretched && !FDisableSize) {
    FDisableSize = true;
    if (FScrollType != ssNormal) {
      FlatSetScrollBars();
      FlatShowScrollBar(SB_HORZ, VisibleColCount() + TBaseGrid::FixedCols() < ColCount());
      FlatShowScrollBar(SB_VERT, VisibleRowCount() + TBaseGrid::FixedRows() < RowCount());
    }
    FDisableSize = false;
  }
}

void TExStringGrid::WMEraseBkgnd(TMessage& M) { M.Result = 0; }

void TExStringGrid::WMSetCursor(TMessage& M) {
  const bool Sizing = GridState() == gsColSizing || GridState() == gsRowSizing;
  if (!Sizing && (FMouseSelectMode == msColumn || FMouseSelectMode == msRow || FMouseSelectMode == msAll ||
                  FMouseSelectMode == msResize)) {
    Invokedchange = true;
    ShowCursor(FMouseSelectMode == msColumn ? crDrag : FMouseSelectMode == msRow ? crHSplit : crSizeAll);
    M.Result = 1;
    return;
  }
  if (FCellSelectorMode) {
    Invokedchange = true;
    ShowCursor(crCross);
    M.Result = 1;
    return;
  }
  TBaseGrid::WMSetCursor(M);
  const TPoint P = LastMousePos();
  Integer C = -1;
  Integer R = -1;
  MouseToCell(P.X, P.Y, C, R);
  if (C >= 0 && R >= 0) GetCellCursor(DisplayToRealCol(C), R, P.X, P.Y);
  if (FSizingFixed || FSizeFixed) ShowCursor(crHSplit);
  if (FSizingFixedR || FSizeFixedR) ShowCursor(crVSplit);
}

void TExStringGrid::WMSetFocus(TMessage& M) {
  if (InvokedFocusChange) return;
  TBaseGrid::WMSetFocus(M);
  if (FNavigation->AlwaysEdit()) FocusAlwaysEdit(M);
  if (IsMergedCell(RealCol(), Row())) RepaintCell(Col(), Row());
}

// With Navigation.AlwaysEdit the editor opens when the grid takes the focus, unless the current
// cell is a check box or lies outside the visible window.
void TExStringGrid::FocusAlwaysEdit(TMessage& M) {
  static constexpr TCellTypes CheckKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctTriStateCheckBox};
  if (CheckKinds.Contains(GetCellType(RealCol(), Row()))) return;
  bool CanEdit = true;
  CanEditCell(RealCol(), Row(), CanEdit);
  const bool InView = LeftCol() <= Col() && Col() < LeftCol() + VisibleColCount() && TopRow() <= Row() &&
                      Row() < TopRow() + VisibleRowCount();
  if (!CanEdit || !InView) return;
  if (TInplaceEdit* E = InplaceEditor()) {
    const bool FromEditor = M.WParam == static_cast<WPARAM>(E->Handle());
    const bool Moving = GridState() == gsRowMoving || GridState() == gsColMoving;
    if (!FromEditor && !Moving && EditControl == edNormal) {
      ShowInplaceEdit();
      M.Result = 0;
    }
  } else if (!FMouseActions->DirectEdit() && HasComboBox(RealCol(), Row())) {
    ShowInplaceEdit();
  }
}

void TExStringGrid::WMKillFocus(TMessage& M) {
  if (FBlockKill) {
    M.Result = 1;
    return;
  }
  TBaseGrid::WMKillFocus(M);
  if (IsMergedCell(RealCol(), Row())) RepaintCell(Col(), Row());
  if (FCtrlDown) {
    FCtrlDown = false;
    RepaintCell(FCtrlXY.X, FCtrlXY.Y);
  }
}

void TExStringGrid::DoEnter() {
  if (FBlockFocus) return;
  try {
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) (void)SelectCell(Col(), Row());
  } catch (...) {
    RememberCellValue(Col(), Row());
    throw;
  }
  RememberCellValue(Col(), Row());
}

void TExStringGrid::DoExit() {
  if (FBlockKill) return;
  if (FSelChange && FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
  FSelChange = false;
  TBaseGrid::DoExit();
}

// --- Control messages ---------------------------------------------------------------------------------

void TExStringGrid::CMDialogChar(TMessage& M) {
  // The search panel's buttons answer their accelerators while it is shown.
  M.Result = 0;
  if (FSearchFooter->Visible()) M.Result = SearchPanelDialogChar(static_cast<Char>(M.WParam)) ? 1 : 0;
}

// The accelerator of a caption: the character after a single "&", 0 when none.
static Char AccelOf(const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return Caption[i + 1];
  }
  return 0;
}

bool TExStringGrid::SearchPanelDialogChar(Char Key) {
  const Char K = UpCase(Key);
  if (!FSearchPanel) return false;
  for (TControl* B : {FSearchPanel->ForwardButton(), FSearchPanel->BackwardButton(), FSearchPanel->HiliteButton()}) {
    if (!B || !B->Visible() || !B->Enabled()) continue;
    const Char A = AccelOf(B->Caption());
    if (A != 0 && UpCase(A) == K) {
      B->Click();
      return true;
    }
  }
  return false;
}

void TExStringGrid::CMHintShow(TMessage& M) {
  if (auto* Info = reinterpret_cast<THintInfo*>(M.LParam)) ShowCellHint(*Info);
  M.Result = 0;
}

void TExStringGrid::CMEnabledChanged(TMessage& M) {
  TBaseGrid::CMEnabledChanged(M);
  Invalidate();
}

void TExStringGrid::CMColorChanged(TMessage& M) {
  TBaseGrid::CMColorChanged(M);
  InvalidateFooter();
}

void TExStringGrid::CMFontChanged(TMessage& M) { TBaseGrid::CMFontChanged(M); }

void TExStringGrid::CMCursorChanged(TMessage& M) {
  TBaseGrid::CMCursorChanged(M);
  if (!Invokedchange) FMouseSelectMode = msNormal;
  Invokedchange = false;
}

void TExStringGrid::TopLeftChanged() {
  // The base notification, then what a scroll brings along (selection box, background, open
  // editor control, footer, cell controls, synchronised grid, Metro scroll controls).
  TBaseGrid::TopLeftChanged();
  ScrollTopLeftChanged();
}
