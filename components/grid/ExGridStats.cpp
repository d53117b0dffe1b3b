// TExStringGrid: statistics over a column range or a row range of the cells (sum, average,
// minimum, maximum, population standard deviation, distinct texts, custom results). The floating
// footer and the grouping summaries take their column results from here.
#include <cmath>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"

namespace {

// The number of a cell text as the statistics read it: HTML tags and blanks stripped, an empty text
// or "-" counts as 0, formatting (thousand separators, the locale's decimal separator, a currency
// sign in front) is dropped; a text with no number in it raises.
double StatNumber(const String& Text) {
  const String T = Trim(StripHtml(Text));
  if (T.empty() || T == u"-") return 0;
  const String N = NormalizeNumberText(T);
  double V = 0;
  TFormatSettings Dot = FormatSettings;
  Dot.DecimalSeparator = u'.';
  if (N.empty() || N == u"-" || !TryStrToFloat(N, V, Dot)) throw EStringGridError(u"Cell does not contain a float value");
  return V;
}

// The rows a column function walks, and whether it walks them by real index.
struct TStatWalk {
  Integer From = 0;
  Integer To = -1;
  bool HiddenMode = false;
};

TStatWalk StatWalk(TExStringGrid* G, Integer FromRow, Integer ToRow) {
  TStatWalk W;
  if (FromRow == -1 || ToRow == -1) {
    W.From = G->FixedRows();
    W.To = G->RowCount() - G->FixedFooters() - 1;
  } else {
    W.From = FromRow;
    W.To = ToRow;
  }
  // A range reaching past the rows in view counts real rows, the hidden ones among them. With the
  // floating footer the last row in view is the footer, so a range reaching it means real rows.
  W.HiddenMode = W.To >= G->RowCount() || (G->FloatingFooter()->Visible() && W.To >= G->RowCount() - 1);
  return W;
}

}  // namespace

// The value of the counted cell (ACol, r) of a column walk, false for a row that is skipped: node
// and summary rows of a grouped grid (not when hidden) and merged cells that are not base cells.
// A cell whose text is no number raises.
static bool CountedValue(TExStringGrid* G, const TStatWalk& W, Integer ACol, Integer r, TIntList*& Hidden,
                         double& Value) {
  const Integer d = W.HiddenMode ? G->RealRowToDisplayRow(r) : r;
  if (G->GroupColumn() != -1 && !G->IsHiddenRow(r, Hidden) && (G->IsNode(d) || G->IsSummary(d))) return false;
  if (!G->IsBaseCell(ACol, d)) return false;
  Value = StatNumber(W.HiddenMode ? G->AllCells(ACol, r) : G->StrippedCells(ACol, r));
  return true;
}

double TExStringGrid::ColumnSum(Integer ACol, Integer FromRow, Integer ToRow) {
  const TStatWalk W = StatWalk(this, FromRow, ToRow);
  TIntList* Hidden = nullptr;
  double Sum = 0;
  ExportNotification(esExportStart, W.From);
  try {
    for (Integer r = W.From; r <= W.To; ++r) {
      double V = 0;
      try {
        if (!CountedValue(this, W, ACol, r, Hidden, V)) continue;
      } catch (const EStringGridError&) {
        continue;
      }
      ExportNotification(esExportNextRow, r);
      Sum += V;
    }
  } catch (...) {
    delete Hidden;
    throw;
  }
  delete Hidden;
  ExportNotification(esExportDone, -1);
  return Sum;
}

double TExStringGrid::ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow) {
  const TStatWalk W = StatWalk(this, FromRow, ToRow);
  if (W.To < W.From) return 0;
  return ColumnSum(ACol, W.From, W.To) / (W.To - W.From + 1);
}

// ColumnMin and ColumnMax: the value of the range's first row seeds the result (a text that is no
// number there raises); every counted number strictly below (above) it replaces it.
static double ColumnExtreme(TExStringGrid* G, Integer ACol, Integer FromRow, Integer ToRow, bool Max) {
  const TStatWalk W = StatWalk(G, FromRow, ToRow);
  double Result = StatNumber(W.HiddenMode ? G->AllCells(ACol, W.From) : G->StrippedCells(ACol, W.From));
  TIntList* Hidden = nullptr;
  G->ExportNotification(esExportStart, W.From);
  try {
    for (Integer r = W.From; r <= W.To; ++r) {
      double V = 0;
      try {
        if (!CountedValue(G, W, ACol, r, Hidden, V)) continue;
      } catch (const EStringGridError&) {
        continue;
      }
      G->ExportNotification(esExportNextRow, r);
      if (Max ? V > Result : V < Result) Result = V;
    }
  } catch (...) {
    delete Hidden;
    throw;
  }
  delete Hidden;
  G->ExportNotification(esExportDone, -1);
  return Result;
}

double TExStringGrid::ColumnMin(Integer ACol, Integer FromRow, Integer ToRow) {
  return ColumnExtreme(this, ACol, FromRow, ToRow, false);
}

double TExStringGrid::ColumnMax(Integer ACol, Integer FromRow, Integer ToRow) {
  return ColumnExtreme(this, ACol, FromRow, ToRow, true);
}

double TExStringGrid::ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow) {
  const TStatWalk W = StatWalk(this, FromRow, ToRow);
  if (W.To < W.From) return 0;
  const double Avg = ColumnAvg(ACol, W.From, W.To);
  ExportNotification(esExportStart, W.From);
  double Sq = 0;
  // Every row of the range counts; a text that is no number raises.
  for (Integer r = W.From; r <= W.To; ++r) {
    const double V = StatNumber(W.HiddenMode ? AllCells(ACol, r) : StrippedCells(ACol, r)) - Avg;
    Sq += V * V;
  }
  ExportNotification(esExportDone, -1);
  return std::sqrt(Sq / (W.To - W.From + 1));
}

double TExStringGrid::ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow) {
  const TStatWalk W = StatWalk(this, FromRow, ToRow);
  TStringList Texts;
  Texts.SetSorted(true);
  Texts.SetDuplicates(dupIgnore);
  Texts.SetCaseSensitive(false);
  ExportNotification(esExportStart, W.From);
  try {
    for (Integer r = W.From; r <= W.To; ++r) {
      ExportNotification(esExportNextRow, r);
      Texts.Add(W.HiddenMode ? AllCells(ACol, r) : Cells(ACol, r));
    }
  } catch (...) {
    ExportNotification(esExportDone, -1);
    throw;
  }
  ExportNotification(esExportDone, -1);
  return Texts.Count();
}

double TExStringGrid::ColumnCustomCalc(Integer ACol, Integer FromRow, Integer ToRow) {
  double Res = 0;
  if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, Res);
  return Res;
}

double TExStringGrid::GroupCustomCalc(Integer ACol, Integer FromRow, Integer ToRow) {
  double Res = 0;
  if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Res);
  return Res;
}

// --- Rows ---------------------------------------------------------------------------------------

double TExStringGrid::RowSum(Integer ARow, Integer fromCol, Integer toCol) {
  double Sum = 0;
  for (Integer c = fromCol; c <= toCol; ++c) {
    if (!IsBaseCell(c, ARow)) continue;
    try {
      Sum += StatNumber(StrippedCells(c, ARow));
    } catch (const EStringGridError&) {
    }
  }
  return Sum;
}

double TExStringGrid::RowAvg(Integer ARow, Integer fromCol, Integer toCol) {
  if (toCol < fromCol) return 0;
  return RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

static double RowExtreme(TExStringGrid* G, Integer ARow, Integer fromCol, Integer toCol, bool Max) {
  double Result = StatNumber(G->StrippedCells(fromCol, ARow));
  for (Integer c = fromCol; c <= toCol; ++c) {
    if (!G->IsBaseCell(c, ARow)) continue;
    try {
      const double V = StatNumber(G->StrippedCells(c, ARow));
      if (Max ? V > Result : V < Result) Result = V;
    } catch (const EStringGridError&) {
    }
  }
  return Result;
}

double TExStringGrid::RowMin(Integer ARow, Integer fromCol, Integer toCol) {
  return RowExtreme(this, ARow, fromCol, toCol, false);
}

double TExStringGrid::RowMax(Integer ARow, Integer fromCol, Integer toCol) {
  return RowExtreme(this, ARow, fromCol, toCol, true);
}
