// Fixtures of the grid settings' tests: a shown form with a string grid that records the sorts it
// is asked for and its whole repaints, and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

// A string grid that records the sorts the settings objects ask for instead of sorting, and counts
// its whole repaints.
class TProbeGrid : public TExStringGrid {
 public:
  explicit TProbeGrid(TComponent* AOwner) : TExStringGrid(AOwner) {}
  String ClassName() const override { return u"TProbeGrid"; }

  std::vector<std::string> Sorts;  // "QSort c d" (column, 'u' or 'd') or "QSortIndexed <levels>"
  Integer Invalidated = 0;
  // The sort settings QSort reports (the grid's own when not set).
  TSortSettings* Settings = nullptr;

  void QSort() override;
  void QSortIndexed() override;
  void Invalidate() override {
    ++Invalidated;
    TExStringGrid::Invalidate();
  }
};

class TSettingsTestForm : public TForm {
 public:
  TSettingsTestForm() : TForm(Application) {
    SetCaption(u"Grid settings test");
    SetBounds(20, 20, 460, 320);
    AfterConstruction();
  }
  String ClassName() const override { return u"TSettingsTestForm"; }
};

// A shown form with a probe grid of 5 columns x 10 rows (one fixed row and column), 400 x 250
// pixels at the form's top-left corner, cells 60 x 20 pixels.
struct GridSettingsFixture : ::testing::Test {
  TSettingsTestForm* Form = nullptr;
  TProbeGrid* Grid = nullptr;

  void SetUp() override {
    Form = new TSettingsTestForm;
    Grid = new TProbeGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 250);
    Grid->SetDefaultColWidth(60);
    Grid->SetDefaultRowHeight(20);
    TestHarness::ShowForm(Form);
    TestHarness::ProcessEvents();
    Grid->Sorts.clear();
    Grid->Invalidated = 0;
  }
  void TearDown() override { TComponent::Free(Form); }

  // Cells of one column from row 1 on.
  void FillColumn(Integer Col, const std::vector<String>& Values) {
    for (size_t i = 0; i < Values.size(); ++i) Grid->SetCells(Col, static_cast<Integer>(i) + 1, Values[i]);
  }
};

inline std::string Narrow(const String& S) { return std::string(S.begin(), S.end()); }
