// Temporary bodies of the operations whose sources are still being written, grouped by source.
// Each doing the least: the default answer. An entry leaves this file when its real body lands.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"


// ===== editing =====
// ===== end editing =====

// ===== input =====
// ===== end input =====

// ===== data operations =====
void TExStringGrid::PasteCellValue(Integer ACol, Integer ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
void TExStringGrid::CellsPasted(TPoint&, TGridRect&, TClipOperation) {}
bool TExStringGrid::AllowFormattedClipboard() { return FNavigation->AllowFmtClipboard(); }
TGridRect TExStringGrid::GetUsedCells() { return TGridRect{0, 0, ColCount() - 1, RowCount() - 1}; }
void TExStringGrid::SaveColPositions() {}
void TExStringGrid::LoadColPositions() {}
// ===== end data operations =====
