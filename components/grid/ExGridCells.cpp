// TExStringGrid: cell access by display and by real row, typed values, per-cell looks, cell
// controls and the current cell.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/SysUtils.h"

namespace {
// "42", " -7 " and the like, in decimal only ("0x1F" and "$1F" are no integers to a cell); an
// empty text and a lone "-" count as 0.
bool ParseIntCell(const String& Text, Integer& Value) {
  const String S = Trim(Text);
  if (S.empty() || S == u"-") {
    Value = 0;
    return true;
  }
  return TryDecStrToInt(S, Value);
}

bool ParseFloatCell(const String& Text, double& Value) {
  const String S = NormalizeNumberText(Text);
  if (S.empty() || S == u"-") {
    Value = 0;
    return true;
  }
  TFormatSettings Dot = FormatSettings;
  Dot.DecimalSeparator = u'.';
  return TryStrToFloat(S, Value, Dot);
}
}  // namespace

// --- Texts --------------------------------------------------------------------------------------

String TExStringGrid::AllCells(Integer ACol, Integer ARow) {
  String Scratch;
  return RefText(AllCellsRef(ACol, ARow, Scratch), Scratch);
}

const String& TExStringGrid::AllCellsRef(Integer ACol, Integer ARow, String& Scratch) {
  Scratch.clear();
  if (ACol < 0 || ARow < 0) return Scratch;
  TGridItem* L = HiddenRowItem(ARow);
  if (!L) return CellExRef(ACol, RealRowToDisplayRow(ARow), Scratch);
  if (ACol < L->CellCount()) Scratch = L->CellText(ACol);
  DoGetDisplText(ACol, ARow, Scratch);
  return Scratch;
}

void TExStringGrid::SetAllCells(Integer ACol, Integer ARow, const String& Value) {
  if (ACol < 0 || ARow < 0) return;
  if (TGridItem* L = HiddenRowItem(ARow)) {
    L->WidenCells(ACol + 1);
    L->SetCellText(ACol, Value);
    return;
  }
  const Integer D = RealRowToDisplayRow(ARow);
  SetCellEx(ACol, D, Value);
  if (RealToDisplayCol(ACol) != ACol) RepaintCell(RealToDisplayCol(ACol), D);
}

String TExStringGrid::AllGridCells(Integer ACol, Integer ARow) {
  if (TGridItem* L = HiddenRowItem(ARow)) return L->CellText(ACol);
  return GetGridCell(ACol, RealRowToDisplayRow(ARow));
}

void TExStringGrid::SetAllGridCells(Integer ACol, Integer ARow, const String& Value) {
  if (TGridItem* L = HiddenRowItem(ARow)) {
    L->SetCellText(ACol, Value);
    return;
  }
  const Integer D = RealRowToDisplayRow(ARow);
  SetGridCell(ACol, D, Value);
  RepaintCell(RealToDisplayCol(ACol), D);
}

TObject* TExStringGrid::AllObjects(Integer ACol, Integer ARow) {
  if (TGridItem* L = HiddenRowItem(ARow)) {
    TObject* O = ACol < L->CellCount() ? L->CellObject(ACol) : nullptr;
    if (auto* P = dynamic_cast<TCellProperties*>(O)) return P->CellObject();
    return O;
  }
  return GetObjectEx(ACol, RealRowToDisplayRow(ARow));
}

void TExStringGrid::SetAllObjects(Integer ACol, Integer ARow, TObject* AObject) {
  if (TGridItem* L = HiddenRowItem(ARow)) {
    L->WidenCells(ACol + 1);
    if (auto* P = dynamic_cast<TCellProperties*>(L->CellObject(ACol))) {
      P->SetCellObject(AObject);
    } else if (AObject) {
      // A cell's object lives in its properties: a bare object in the kept row would be dropped
      // when the row is shown again, so the cell gets properties that hold it.
      auto* P = new TCellProperties(this, ACol, ARow);
      P->SetCellObject(AObject);
      L->SetCellObject(ACol, P);
    } else {
      L->SetCellObject(ACol, nullptr);
    }
    return;
  }
  SetObjectEx(ACol, RealRowToDisplayRow(ARow), AObject);
}

TObject* TExStringGrid::GetAllGridObject(Integer ACol, Integer ARow) {
  if (TGridItem* L = HiddenRowItem(ARow)) return ACol < L->CellCount() ? L->CellObject(ACol) : nullptr;
  return GetGridObject(ACol, RealRowToDisplayRow(ARow));
}

String TExStringGrid::StrippedCells(Integer ACol, Integer ARow) { return StripHtml(GetCellEx(ACol, ARow)); }

Integer TExStringGrid::LinesInCell(Integer ACol, Integer ARow) {
  const String S = GetCellEx(ACol, ARow);
  return 1 + static_cast<Integer>(std::count(S.begin(), S.end(), u'\r'));
}

Integer TExStringGrid::SortedRowIndex(Integer ARow) {
  Integer R = ARow;
  if (ARow >= 0 && ARow < FSortRowXRef->Count()) R = FSortRowXRef->Items(ARow);
  return RealRowIndex(R);
}

Integer TExStringGrid::UnSortedRowIndex(Integer ARow) {
  const Integer N = FSortRowXRef->Count();
  if (N == 0) return ARow;
  for (Integer p = 0; p < N; ++p)
    if (FSortRowXRef->Items(p) == ARow) return p;
  return N;
}

namespace {
// The row now holding the row that was ARow before sorting.
Integer UnSortedRowOf(TIntList* XRef, Integer ARow) {
  const Integer N = XRef->Count();
  if (ARow > N) return ARow;
  for (Integer p = 0; p < N; ++p)
    if (XRef->Items(p) == ARow) return p;
  return N;
}
}  // namespace

String TExStringGrid::UnSortedCells(Integer ACol, Integer ARow) {
  return GetCellEx(ACol, UnSortedRowOf(FSortRowXRef, ARow));
}

void TExStringGrid::SetUnSortedCells(Integer ACol, Integer ARow, const String& Value) {
  SetCellEx(ACol, UnSortedRowOf(FSortRowXRef, ARow), Value);
}

String TExStringGrid::OriginalCells(Integer ACol, Integer ARow) {
  Integer C = ColumnPosition(ACol);
  if (C == -1) C = ACol;
  return GetCellEx(C, ARow);
}

void TExStringGrid::SetOriginalCells(Integer ACol, Integer ARow, const String& Value) {
  Integer C = ColumnPosition(ACol);
  if (C == -1) C = ACol;
  SetCellEx(C, ARow, Value);
}

// --- The current cell -----------------------------------------------------------------------------

String TExStringGrid::GetCurrentCell() {
  const TPoint B = BaseCell(RealCol(), Row());
  return GetGridCell(B.X, B.Y);
}

void TExStringGrid::SetCurrentCell(const String& Value) {
  const TPoint B = BaseCell(RealCol(), Row());
  SetCellEx(B.X, B.Y, Value);
}

String TExStringGrid::GetCurrentCellText() {
  const TPoint B = BaseCell(RealCol(), Row());
  return GetCellEx(B.X, B.Y);
}

void TExStringGrid::SetCurrentEditText(const String& Value) {
  Integer C = Col();
  Integer R = Row();
  if (!IsBaseCell(RealCol(), R)) {
    const TPoint B = BaseCell(RealCol(), R);
    C = RealToDisplayCol(B.X);
    R = B.Y;
  }
  SetEditText(C, R, Value);
}

// --- Typed values ---------------------------------------------------------------------------------

Integer TExStringGrid::Ints(Integer ACol, Integer ARow) {
  Integer V = 0;
  if (!ParseIntCell(StrippedCells(ACol, ARow), V)) throw EStringGridError(u"Cell does not contain integer value");
  return V;
}

void TExStringGrid::SetInts(Integer ACol, Integer ARow, Integer Value) {
  SetCellEx(ACol, ARow, IntToStr(Value));
  if (FNumHidden > 0) RepaintCell(RealToDisplayCol(ACol), ARow);
}

Integer TExStringGrid::AllInts(Integer ACol, Integer ARow) {
  Integer V = 0;
  if (!ParseIntCell(AllCells(ACol, ARow), V)) throw EStringGridError(u"Cell does not contain integer value");
  return V;
}

void TExStringGrid::SetAllInts(Integer ACol, Integer ARow, Integer Value) { SetAllCells(ACol, ARow, IntToStr(Value)); }

double TExStringGrid::Floats(Integer ACol, Integer ARow) {
  double V = 0;
  if (!ParseFloatCell(StrippedCells(ACol, ARow), V)) throw EStringGridError(u"Cell does not contain a float value");
  return V;
}

void TExStringGrid::SetFloats(Integer ACol, Integer ARow, double Value) {
  SetCellEx(ACol, ARow, Format(GetCellFloatFormat(ACol, ARow), Value));
}

double TExStringGrid::AllFloats(Integer ACol, Integer ARow) {
  double V = 0;
  if (!ParseFloatCell(AllCells(ACol, ARow), V)) throw EStringGridError(u"Cell does not contain a float value");
  return V;
}

void TExStringGrid::SetAllFloats(Integer ACol, Integer ARow, double Value) {
  SetAllCells(ACol, ARow, Format(FFloatFormat, Value));
}

String TExStringGrid::ControlValues(Integer ACol, Integer ARow, const String& ID) {
  String V;
  if (!GetHtmlControlValue(GetCellEx(ACol, ARow), ID, V)) return String();
  return V;
}

void TExStringGrid::SetControlValues(Integer ACol, Integer ARow, const String& ID, const String& Value) {
  String S = GetCellEx(ACol, ARow);
  if (SetHtmlControlValue(S, ID, Value)) SetCellEx(ACol, ARow, S);
}

// --- Per-cell looks -------------------------------------------------------------------------------

namespace {
// The cell's property object without making one.
TCellProperties* PropsOf(const TExStringGrid* Grid, Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  return dynamic_cast<TCellProperties*>(Grid->GetGridObject(ACol, ARow));
}
}  // namespace

TColor TExStringGrid::Colors(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->BrushColor() : clNone;
}

void TExStringGrid::SetColors(Integer ACol, Integer ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColor(Value);
  if (FUpdateCount == 0) RepaintCell(RealToDisplayCol(ACol), ARow);
}

TColor TExStringGrid::ColorsTo(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->BrushColorTo() : clNone;
}

void TExStringGrid::SetColorsTo(Integer ACol, Integer ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

TCellGradientDirection TExStringGrid::Gradients(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->GradientDirection() : GradientVertical;
}

void TExStringGrid::SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value) {
  GetCellProperties(ACol, ARow)->SetGradientDirection(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

TColor TExStringGrid::FontColors(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->FontColor() : clNone;
}

void TExStringGrid::SetFontColors(Integer ACol, Integer ARow, TColor Value) {
  GetCellProperties(ACol, ARow)->SetFontColor(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

TFontStyles TExStringGrid::FontStyles(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->FontStyle() : TFontStyles{};
}

void TExStringGrid::SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value) {
  GetCellProperties(ACol, ARow)->SetFontStyle(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

Integer TExStringGrid::FontSizes(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->FontSize() : 0;
}

void TExStringGrid::SetFontSizes(Integer ACol, Integer ARow, Integer Value) {
  GetCellProperties(ACol, ARow)->SetFontSize(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

String TExStringGrid::FontNames(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->FontName() : String();
}

void TExStringGrid::SetFontNames(Integer ACol, Integer ARow, const String& Value) {
  GetCellProperties(ACol, ARow)->SetFontName(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

TFont* TExStringGrid::Fonts(Integer ACol, Integer ARow) {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  if (!P) return Font();
  cf->Assign(Font());
  if (!P->FontName().empty()) cf->SetName(P->FontName());
  if (P->FontSize() != 0) cf->SetSize(P->FontSize());
  cf->SetStyle(P->FontStyle());
  if (P->FontColor() != clNone) cf->SetColor(P->FontColor());
  return cf;
}

void TExStringGrid::SetFonts(Integer ACol, Integer ARow, TFont* Value) {
  if (!Value) return;
  TCellProperties* P = GetCellProperties(ACol, ARow);
  P->SetFontName(Value->Name());
  P->SetFontSize(Value->Size());
  P->SetFontStyle(Value->Style());
  P->SetFontColor(Value->Color());
  if (FUpdateCount == 0) RepaintCell(RealToDisplayCol(ACol), ARow);
}

TAlignment TExStringGrid::Alignments(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->Alignment() : taLeftJustify;
}

void TExStringGrid::SetAlignments(Integer ACol, Integer ARow, TAlignment Value) {
  GetCellProperties(ACol, ARow)->SetAlignment(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

bool TExStringGrid::ReadOnly(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->ReadOnly() : false;
}

void TExStringGrid::SetReadOnly(Integer ACol, Integer ARow, bool Value) {
  GetCellProperties(ACol, ARow)->SetReadOnly(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

bool TExStringGrid::WordWraps(Integer ACol, Integer ARow) { return GetCellProperties(ACol, ARow)->WordWrap(); }

void TExStringGrid::SetWordWraps(Integer ACol, Integer ARow, bool Value) {
  GetCellProperties(ACol, ARow)->SetWordWrap(Value);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

// --- Cell controls --------------------------------------------------------------------------------

TControl* TExStringGrid::CellControls(Integer ACol, Integer ARow) const {
  TCellProperties* P = PropsOf(this, ACol, ARow);
  return P ? P->Control() : nullptr;
}

void TExStringGrid::SetCellControls(Integer ACol, Integer ARow, TControl* AControl) {
  // The control list keeps real columns and real rows throughout (adding, lookup, rebuild and
  // placing), so that an entry stays with its cell while columns or rows are hidden.
  TCellProperties* P = GetCellProperties(ACol, ARow);
  const Integer RealRow = DisplayRowToRealRow(ARow);
  const Integer Idx = FControlList->ControlIndex(ACol, RealRow);
  if (!AControl) {
    if (P->Control()) {
      if (Idx >= 0) FControlList->RemoveControl(Idx);
      FNumCellControls = std::max(0, FNumCellControls - 1);
    }
    P->SetControl(nullptr);
    return;
  }
  if (Idx >= 0) FControlList->RemoveControl(Idx);
  if (!P->Control()) ++FNumCellControls;
  FControlList->AddControl(ACol, RealRow, AControl);
  P->SetControl(AControl);
  AControl->SetParent(this);
  const TRect R = CellRect(RealToDisplayCol(ACol), ARow);
  AControl->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height() + 1);
}

// --- Row looks ---------------------------------------------------------------------------------

namespace {
// Whether a cell's properties hold more than its look: a share of a merged area, the caller's
// object, a graphic (a check box keeps its state there), a control placed in the cell, a row's
// nesting level or a footer calculation. Clearing a row's look must not free such properties, or
// the merged area, the object, the graphic or the control would be lost with the colour.
bool PropsHoldData(const TCellProperties* P) {
  return !P->IsBaseCell() || P->CellSpanX() != -1 || P->CellSpanY() != -1 || P->CellObject() ||
         P->GraphicObject() || P->Control() || P->NodeLevel() != 0 || P->CalcType() != acNONE;
}
}  // namespace

void TExStringGrid::SetRowColor(Integer ARow, TColor Value) {
  for (Integer c = TBaseGrid::FixedCols(); c < AllColCount(); ++c) {
    if (Value != clNone) {
      GetCellProperties(c, ARow)->SetBrushColor(Value);
    } else if (TCellProperties* P = PropsOf(this, c, ARow)) {
      // A cell that holds nothing but its look loses its properties; the others lose the colour.
      if (!PropsHoldData(P))
        FreeCellProps(c, ARow);
      else
        P->SetBrushColor(clNone);
    }
  }
  RepaintRow(ARow);
}

void TExStringGrid::SetRowColorTo(Integer ARow, TColor Value) {
  for (Integer c = TBaseGrid::FixedCols(); c < AllColCount(); ++c) {
    if (Value != clNone) {
      GetCellProperties(c, ARow)->SetBrushColorTo(Value);
    } else if (TCellProperties* P = PropsOf(this, c, ARow)) {
      if (!PropsHoldData(P))
        FreeCellProps(c, ARow);
      else
        P->SetBrushColorTo(clNone);
    }
  }
  RepaintRow(ARow);
}

void TExStringGrid::SetRowFontColor(Integer ARow, TColor Value) {
  for (Integer c = TBaseGrid::FixedCols(); c < AllColCount(); ++c) {
    if (Value != clNone) {
      GetCellProperties(c, ARow)->SetFontColor(Value);
    } else if (TCellProperties* P = PropsOf(this, c, ARow); P && Colors(c, ARow) == clNone) {
      if (!PropsHoldData(P))
        FreeCellProps(c, ARow);
      else
        P->SetFontColor(clNone);
    }
  }
  RepaintRow(ARow);
}

// Called by SetCellEx after a text was stored: a cell scroll bar of automatic range follows the
// text's height, a page being the row's height.
void TExStringGrid::CellTextChanged(Integer ACol, Integer ARow) {
  if (!HasAutoRangeScrollBar(ACol, ARow)) return;
  TScrollProp P;
  P.PageSize = RowHeights(ARow);
  P.Range = GetCellTextSize(ACol, ARow, true, true).cy;
  SetScrollProp(ACol, ARow, P);
}
