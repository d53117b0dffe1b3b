// The string grid's floating footer: a strip under the cells that stays in view while the rows
// scroll. TFloatingFooter holds its settings (the grid's FloatingFooter), TFooterPanel is the strip,
// a panel docked at the grid's bottom edge. The footer shows one of:
// - fsFixedLastRow: the grid's last row, held as a fixed footer row (typically column totals);
// - fsColumnPreview: the current row's cell of one column;
// - fsCustomPreview: a template filled from the current row ("<#N>" = the text of column N) and
//   drawn as mini-HTML;
// - fsCustomPaint: whatever the application paints in OnFooterPaint.
#pragma once

#include <functional>

#include "components/grid/ExGridDefs.h"     // TFooterPaintEvent, TFloatingFooterCalcEvent
#include "components/gridbase/BaseGrid.h"  // TColumnCalcType
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TFooterPanel;

enum TFooterStyle : Byte { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// The text of a custom footer calculation (Value starts empty).
using TCalcFooterEvent = TFloatingFooterCalcEvent;

// Fills a footer template: every "<#" N ">" (N a decimal column number) becomes CellText(N); text
// outside the markers is copied. A marker whose number does not read as an integer is dropped; a
// "<#" without a closing ">" is kept as plain text with the rest.
String ExpandFooterTemplate(const String& Template, const std::function<String(Integer ACol)>& CellText);

class TFloatingFooter : public TPersistent {
 public:
  // The grid is kept, not owned (nullptr for a free-standing copy of settings).
  explicit TFloatingFooter(TExStringGrid* AGrid);
  ~TFloatingFooter() override;
  String ClassName() const override { return u"TFloatingFooter"; }
  // Copies every setting of another TFloatingFooter, each through its setter; any other source is
  // ignored.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Grid() const { return FGrid; }
  // Repaints the footer panel.
  void Invalidate();

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  // Read by the footer calculation.
  bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
  void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The column fsColumnPreview shows (and the column fsCustomPaint hands to OnFooterPaint).
  Integer Column() const { return FColumn; }
  void SetColumn(Integer Value);
  const String& CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const String& Value);
  // Sets the grid's FixedFooters and hide-last-row flag for the style; repaints grid and panel.
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // Shows or hides the panel (Height - 1 pixels high) and sets the grid's FixedFooters and
  // hide-last-row flag: both on exactly when visible with fsFixedLastRow.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // Not streamed: the panel's height (the panel is Height - 1 high); 0 until the application sets
  // it.
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  // Read by the footer calculation.
  bool EnableCalculation() const { return FEnableCalculation; }
  void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
  // The calculation of column c: kept in the per-cell properties of the grid's last row (acNONE
  // when that cell has none); a write recalculates the column's footer.
  TColumnCalcType ColumnCalc(Integer c) const;
  void SetColumnCalc(Integer c, TColumnCalcType Value);

  // Fired by the footer calculation for a custom column when the grid has no handler of its own.
  TCalcFooterEvent OnCalcFooter;

 private:
  // The grid's FixedFooters and hide-last-row flag after a change of Visible or FooterStyle.
  void ApplyFixedFooter();
  TFooterPanel* Panel() const;

  TExStringGrid* FGrid;
  TColor FBorderColor = clNone;
  bool FCalculateHiddenRows = true;
  TColor FColor = clBtnFace;
  Integer FColumn = 0;
  String FCustomTemplate;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  bool FShowHint = false;
  bool FVisible = false;
  Integer FHeight = 0;
  bool FEnableCalculation = true;
};

// The strip that draws the floating footer. Its owner must be the grid.
class TFooterPanel : public TCustomPanel {
 public:
  explicit TFooterPanel(TComponent* AOwner);
  String ClassName() const override { return u"TFooterPanel"; }

  TExStringGrid* Grid() const { return FGrid; }
  // The panel's window set-up, run by the grid once it has parented the panel: the height follows
  // the footer's Height when it is visible (0 otherwise), then the grid's OnCreatedFloatingFooter.
  virtual void CreateWnd();
  // The column under a panel x coordinate, walking the fixed columns and then the columns from the
  // grid's left column on; -1 when none.
  Integer ColumnAtX(Integer X);
  // The width the footer covers: the fixed columns plus the columns from the grid's left column on.
  Integer FooterWidth();
  // The column of the last hint, -1 when none.
  Integer LastHintCol() const { return FLastHintCol; }

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseLeave(TMessage& M) override;
  void CMHintShow(TMessage& M);

 private:
  void PaintFixedLastRow(TCanvas* ACanvas, const TRect& Area);
  void PaintColumnPreview(TCanvas* ACanvas, const TRect& Area);
  void PaintCustomPreview(TCanvas* ACanvas, const TRect& Area);
  void FrameRaised(TCanvas* ACanvas, const TRect& Area);

  TExStringGrid* FGrid;
  Integer FLastHintCol = -1;
};
