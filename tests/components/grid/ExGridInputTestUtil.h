// Fixtures of the string grid's input tests: a shown form with a string grid of 5 columns x 10 rows,
// columns 64 pixels wide and rows 22 pixels high (cell (c, r) spans x 64c .. 64c + 63 and
// y 22r .. 22r + 21), one fixed row and column, driven by mouse and key messages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

// A grid that lets the tests reach the input's protected parts.
class TInputGrid : public TExStringGrid {
 public:
  explicit TInputGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TInputGrid"; }

  using TExStringGrid::DoMouseWheelDown;
  using TExStringGrid::DoMouseWheelUp;
  using TExStringGrid::PackCell;
  THTMLHintWindow* HintWindow() const { return FScrollHintWnd; }
  bool HintShown() const { return FScrollHintShow; }
  TIntList* SelectedCellsList() const { return FSelectedCells; }
  TMouseSelectMode SelectMode() const { return FMouseSelectMode; }
  bool DblClkPending() const { return FDblClk; }
};

class ExGridInputTest : public testing::Test {
 protected:
  void SetUp() override {
    TestHarness::UseFakeClock(true);
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 600, 400);
    Form->AfterConstruction();
    TestHarness::ShowForm(Form);
    Grid = new TInputGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 250);
    Grid->SetDefaultColWidth(64);
    Grid->SetDefaultRowHeight(22);
    if (Grid->CanFocus()) Grid->SetFocus();
    TestHarness::ProcessEvents();
  }
  void TearDown() override {
    TComponent::Free(Form);
    ClearKeyboardState();
    TestHarness::UseFakeClock(false);
  }

  // The middle of a cell and a point inside it.
  static TPoint Mid(Integer C, Integer R) { return TPoint(64 * C + 32, 22 * R + 11); }
  static TPoint At(Integer C, Integer R, Integer Dx, Integer Dy) { return TPoint(64 * C + Dx, 22 * R + Dy); }

  void Press(TPoint P, Word Keys = 0) { TestHarness::SendMouse(Grid, WM_LBUTTONDOWN, P, Keys | MK_LBUTTON); }
  void Move(TPoint P, Word Keys = 0) { TestHarness::SendMouse(Grid, WM_MOUSEMOVE, P, Keys); }
  void Release(TPoint P, Word Keys = 0) { TestHarness::SendMouse(Grid, WM_LBUTTONUP, P, Keys); }
  void Click(TPoint P, Word Keys = 0) {
    Move(P, Keys);
    Press(P, Keys);
    Release(P, Keys);
  }
  void DoubleClick(TPoint P) {
    Move(P);
    Press(P);
    Release(P);
    TestHarness::SendMouse(Grid, WM_LBUTTONDBLCLK, P, MK_LBUTTON);
    Release(P);
  }
  void Key(Word VirtualKey, TShiftState Shift = TShiftState(), const String& Chars = String()) {
    TestHarness::SendKeyStroke(Grid, VirtualKey, Shift, Chars);
  }
  // Writes "c,r" into every cell.
  void Fill() {
    for (Integer r = 0; r < Grid->RowCount(); ++r)
      for (Integer c = 0; c < Grid->AllColCount(); ++c) Grid->SetCells(c, r, IntToStr(c) + u"," + IntToStr(r));
  }

  TForm* Form = nullptr;
  TInputGrid* Grid = nullptr;
};

