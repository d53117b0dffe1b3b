// Fixtures of the base grid's tests: a shown form holding a base grid that records what its
// virtual notifications receive, and a small object whose destruction is counted.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/gridbase/BaseGrid.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

// A base grid whose notifications, repaints and content drawing are recorded.
class TRecordingGrid : public TBaseGrid {
 public:
  explicit TRecordingGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
  String ClassName() const override { return u"TRecordingGrid"; }

  std::vector<std::string> Log;        // LastRowChanged, CellTextChanged c,r
  std::vector<TRect> Repainted;         // rectangles asked for through RepaintCell
  Integer Invalidated = 0;              // whole-control repaints
  struct TContent {
    Integer Col, Row;
    TRect Rect;
    TGridDrawState State;
  };
  std::vector<TContent> Content;        // DrawGridCell calls
  std::vector<TPoint> FixedCells;       // cells IsFixed answers True for
  Integer DisplayShift = 0;             // DisplColIndex(c) = c - DisplayShift for c > 1

  void LastRowChanged() override { Log.push_back("LastRowChanged"); }
  void CellTextChanged(Integer ACol, Integer ARow) override {
    Log.push_back("CellTextChanged " + std::to_string(ACol) + "," + std::to_string(ARow));
  }
  bool IsFixed(Integer ACol, Integer ARow) override {
    for (const TPoint& P : FixedCells)
      if (P.X == ACol && P.Y == ARow) return true;
    return false;
  }
  Integer DisplColIndex(Integer ACol) override { return ACol > 1 ? ACol - DisplayShift : ACol; }
  void DrawGridCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override {
    Content.push_back({ACol, ARow, ARect, AState});
    TBaseGrid::DrawGridCell(ACanvas, ACol, ARow, ARect, AState);
  }
  void Invalidate() override {
    ++Invalidated;
    TBaseGrid::Invalidate();
  }

  using TBaseGrid::DoMouseWheelDown;
  using TBaseGrid::SelectCell;

 protected:
  void InvalidateClientRect(const TRect& R) override { Repainted.push_back(R); }
};

class TBaseGridTestForm : public TForm {
 public:
  TBaseGridTestForm() : TForm(Application) {
    SetCaption(u"Base grid test");
    SetBounds(20, 20, 460, 320);
    AfterConstruction();
  }
  String ClassName() const override { return u"TBaseGridTestForm"; }
};

// A shown form with a focused base grid of 6 columns x 8 rows, cells 40 x 20 pixels, one fixed
// row and column, 400 x 200 pixels at the form's top-left corner.
struct BaseGridFixture : ::testing::Test {
  TBaseGridTestForm* Form = nullptr;
  TRecordingGrid* Grid = nullptr;

  void SetUp() override {
    Form = new TBaseGridTestForm;
    Grid = new TRecordingGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetColCount(6);
    Grid->SetRowCount(8);
    Grid->SetDefaultColWidth(40);
    Grid->SetDefaultRowHeight(20);
    TestHarness::ShowForm(Form);
    Grid->SetFocus();
    TestHarness::ProcessEvents();
    Clear();
  }
  void TearDown() override { TComponent::Free(Form); }

  void Clear() {
    Grid->Log.clear();
    Grid->Repainted.clear();
    Grid->Content.clear();
    Grid->Invalidated = 0;
  }
  void Key(Word vk, TShiftState shift = TShiftState()) { TestHarness::SendKeyStroke(Grid, vk, shift, String()); }
};

// An object that counts its destructions, with the class name it is given.
class TCountedObject : public TObject {
 public:
  TCountedObject(String Name, Integer& Counter) : FName(std::move(Name)), FCounter(Counter) {}
  ~TCountedObject() override { ++FCounter; }
  String ClassName() const override { return FName; }

 private:
  String FName;
  Integer& FCounter;
};

inline std::string Pt(TPoint P) { return std::to_string(P.X) + "," + std::to_string(P.Y); }
inline std::string Rc(const TRect& R) {
  return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
         std::to_string(R.Bottom);
}
