// Fixtures shared by the grid's GUI tests: a shown form holding a string grid that logs what its
// virtual notifications receive.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/grids/Grids.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

// A string grid whose notifications and drawing are recorded, with the protected members tests
// need made reachable.
class TLoggingGrid : public TStringGrid {
 public:
  explicit TLoggingGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
  String ClassName() const override { return u"TLoggingGrid"; }

  std::vector<std::string> Log;
  struct TDrawn {
    Integer Col, Row;
    TRect Rect;
    TGridDrawState State;
  };
  std::vector<TDrawn> Drawn;
  bool Refuse = false;  // SelectCell answers false
  Integer EditLimit = 0;  // GetEditLimit's answer

  using TCustomGrid::CanEditShow;
  using TCustomGrid::FGridState;
  using TCustomGrid::FSizingIndex;
  using TCustomGrid::MaxLeftCol;
  using TCustomGrid::MaxTopRow;
  using TCustomGrid::MoveRowHeights;
  using TCustomGrid::RowHeightList;
  using TCustomGrid::SetRowHeightList;

 protected:
  Integer GetEditLimit() override { return EditLimit; }
  bool SelectCell(Integer ACol, Integer ARow) override {
    Log.push_back("SelectCell " + std::to_string(ACol) + "," + std::to_string(ARow));
    return !Refuse && TStringGrid::SelectCell(ACol, ARow);
  }
  void TopLeftChanged() override {
    Log.push_back("TopLeftChanged " + std::to_string(LeftCol()) + "," + std::to_string(TopRow()));
    TStringGrid::TopLeftChanged();
  }
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override {
    Log.push_back("SizeChanged " + std::to_string(OldColCount) + "," + std::to_string(OldRowCount));
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
  }
  void ColWidthsChanged() override {
    Log.push_back("ColWidthsChanged");
    TStringGrid::ColWidthsChanged();
  }
  void RowHeightsChanged() override {
    Log.push_back("RowHeightsChanged");
    TStringGrid::RowHeightsChanged();
  }
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override {
    Log.push_back("ColumnMoved " + std::to_string(FromIndex) + "," + std::to_string(ToIndex));
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
  }
  void RowMoved(Integer FromIndex, Integer ToIndex) override {
    Log.push_back("RowMoved " + std::to_string(FromIndex) + "," + std::to_string(ToIndex));
    TStringGrid::RowMoved(FromIndex, ToIndex);
  }
  void WMSetCursor(TMessage& M) override {
    Log.push_back("WMSetCursor " + std::to_string(LastMousePos().X) + "," + std::to_string(LastMousePos().Y));
    TStringGrid::WMSetCursor(M);
  }
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override {
    Drawn.push_back({ACol, ARow, ARect, AState});
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

class TGridTestForm : public TForm {
 public:
  TGridTestForm() : TForm(Application) {
    SetCaption(u"Grid test");
    SetBounds(20, 20, 420, 320);
    AfterConstruction();
  }
  String ClassName() const override { return u"TGridTestForm"; }
};

// A shown form with a 5 × 5 grid of 64 × 24 cells (lines 1 pixel) at its top-left corner,
// 300 × 150 pixels, focused.
struct GridFixture : ::testing::Test {
  TGridTestForm* Form = nullptr;
  TLoggingGrid* Grid = nullptr;

  void SetUp() override {
    Form = new TGridTestForm;
    Grid = new TLoggingGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 300, 150);
    TestHarness::ShowForm(Form);
    Grid->SetFocus();
    TestHarness::ProcessEvents();
    Grid->Log.clear();
  }
  void TearDown() override { TComponent::Free(Form); }

  void Key(Word vk, TShiftState shift = TShiftState(), const String& chars = String()) {
    TestHarness::SendKeyStroke(Grid, vk, shift, chars);
  }
  // The centre of a cell in client coordinates.
  TPoint CentreOf(Integer col, Integer row) const {
    TRect r = Grid->CellRect(col, row);
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Press(TPoint p, Word keys = MK_LBUTTON) { TestHarness::SendMouse(Grid, WM_LBUTTONDOWN, p, keys); }
  void MoveTo(TPoint p, Word keys = MK_LBUTTON) { TestHarness::SendMouse(Grid, WM_MOUSEMOVE, p, keys); }
  void Release(TPoint p, Word keys = 0) { TestHarness::SendMouse(Grid, WM_LBUTTONUP, p, keys); }
  void ClickAt(TPoint p, Word keys = 0) {
    Press(p, static_cast<Word>(MK_LBUTTON | keys));
    Release(p, keys);
  }
};

inline std::string Cell(Integer col, Integer row) { return std::to_string(col) + "," + std::to_string(row); }
inline std::string Current(const TCustomGrid* g) { return Cell(g->Col(), g->Row()); }
inline std::string SelText(const TGridRect& r) {
  return Cell(r.Left, r.Top) + "-" + Cell(r.Right, r.Bottom);
}
