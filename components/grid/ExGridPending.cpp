// Temporary bodies of the operations whose sources are still being written, grouped by source.
// Each doing the least: the default answer. An entry leaves this file when its real body lands.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"


// ===== editing =====
void TExStringGrid::RestoreCellValue() {}
void TExStringGrid::PrintGetPageNum(Integer, Integer, String&) {}
void TExStringGrid::GetEditorProp(Integer, Integer, TEditLink*) {}
void TExStringGrid::CheckBoxClick(Integer, Integer, bool) {}
void TExStringGrid::EllipsClick(const String&, String&) {}
void TExStringGrid::RememberCellValue(Integer, Integer) {}
bool TExStringGrid::CellChanging(Integer, Integer, bool& Allow) { return Allow; }
void TExStringGrid::ScrollCell(Integer, Integer, Integer, Integer, Integer) {}
bool TExStringGrid::CanShowFixedDropDown(Integer) { return true; }
void TExStringGrid::StartBlockFocus() {}
void TExStringGrid::EndBlockFocus() {}
bool TExStringGrid::ValidateCell(const String&) { return true; }
bool TExStringGrid::ValidateCellWide(const String&) { return true; }
void TExStringGrid::DoClickSort(Integer) {}
bool TExStringGrid::IsFixed(Integer ACol, Integer ARow) { return TBaseGrid::IsFixed(ACol, ARow); }
void TExStringGrid::HideInplaceEdit() { HideEditor(); }
void TExStringGrid::ShowInplaceEdit() { ShowEditor(); }
void TExStringGrid::CreateEditObjects() {}
void TExStringGrid::FreeEditObjects() {}
TWinControl* TExStringGrid::ComboEditorControl() const { return nullptr; }
Integer TExStringGrid::ComboEditorItemIndex() const { return -1; }
String TExStringGrid::ComboEditorText() const { return String(); }
void TExStringGrid::SetComboEditorText(const String&) {}
String TExStringGrid::ComboEditorItem(Integer) const { return String(); }
TObject* TExStringGrid::ComboEditorObject(Integer) const { return nullptr; }
String TExStringGrid::ActiveEditorText() const { return String(); }
TWinControl* TExStringGrid::EditLinkControl() const { return nullptr; }
String TExStringGrid::EditLinkItemText(Integer) const { return String(); }
// ===== end editing =====

// ===== input =====
void TExStringGrid::MoveToFirstRow() { SetRow(FixedRows()); }
// ===== end input =====

// ===== data operations =====
void TExStringGrid::PasteCellValue(Integer ACol, Integer ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
void TExStringGrid::CellsPasted(TPoint&, TGridRect&, TClipOperation) {}
bool TExStringGrid::AllowFormattedClipboard() { return FNavigation->AllowFmtClipboard(); }
TGridRect TExStringGrid::GetUsedCells() { return TGridRect{0, 0, ColCount() - 1, RowCount() - 1}; }
void TExStringGrid::SaveColPositions() {}
void TExStringGrid::LoadColPositions() {}
void TExStringGrid::Zoom(Integer) {}
void TExStringGrid::AutoSizeCells(bool, Integer, Integer) {}
bool TExStringGrid::SearchPanelDialogChar(Char) { return false; }
// ===== end data operations =====
