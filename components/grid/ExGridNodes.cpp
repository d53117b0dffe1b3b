// TExStringGrid: row nodes (an outline over the rows: node rows with their spans, expanding and
// contracting, nesting levels, child rows), grouping by the values of a column with its summary
// rows and sub-groups, the per-group calculations, the floating footer's calculation and the column
// statistics these use. TCellNode, the look of the node rows, is here too.
#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// TCellNode
// ---------------------------------------------------------------------------------------------

TCellNode::TCellNode(TExStringGrid* AOwner)
    : FExpandGlyph(new TBitmap()), FContractGlyph(new TBitmap()), FOwner(AOwner) {}

TCellNode::~TCellNode() {
  delete FExpandGlyph;
  delete FContractGlyph;
}

void TCellNode::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TCellNode*>(Source);
  if (!S) return;
  FColor = S->FColor;
  FExpandOne = S->FExpandOne;
  FNodeType = S->FNodeType;
  FNodeColor = S->FNodeColor;
  FNodeIndent = S->FNodeIndent;
  FExpandGlyph->Assign(S->FExpandGlyph);
  FContractGlyph->Assign(S->FContractGlyph);
  FShowTree = S->FShowTree;
  FShowTreeFull = S->FShowTreeFull;
  FTreeColor = S->FTreeColor;
}

void TCellNode::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType Value) {
  if (FNodeType == Value) return;
  FNodeType = Value;
  Repaint();
}

void TCellNode::SetNodeIndent(Integer Value) {
  if (FNodeIndent == Value) return;
  FNodeIndent = Value;
  Repaint();
}

void TCellNode::SetExpandGlyph(const TBitmap* Value) {
  if (Value)
    FExpandGlyph->Assign(const_cast<TBitmap*>(Value));
  else
    FExpandGlyph->SetSize(0, 0);
}

void TCellNode::SetContractGlyph(const TBitmap* Value) {
  if (Value)
    FContractGlyph->Assign(const_cast<TBitmap*>(Value));
  else
    FContractGlyph->SetSize(0, 0);
}

void TCellNode::SetShowTree(bool Value) {
  if (FShowTree == Value) return;
  FShowTree = Value;
  Repaint();
}

void TCellNode::SetShowTreeFull(bool Value) {
  if (FShowTreeFull == Value) return;
  FShowTreeFull = Value;
  Repaint();
}

void TCellNode::SetTreeColor(TColor Value) {
  if (FTreeColor == Value) return;
  FTreeColor = Value;
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// Node rows
// ---------------------------------------------------------------------------------------------

namespace {

// The graphic stored in column 0 of display row ARow when it is of kind AType.
TCellGraphic* StoredGraphic(const TExStringGrid* G, Integer ARow, TCellType AType) {
  if (ARow < 0) return nullptr;
  auto* Gr = dynamic_cast<TCellGraphic*>(G->GetGraphicObjectEx(0, ARow));
  return Gr && Gr->CellType() == AType ? Gr : nullptr;
}

TCellGraphic* NodeOf(const TExStringGrid* G, Integer ARow) { return StoredGraphic(G, ARow, ctNode); }

// Ends the grid's update lock when it goes out of scope, also when a step raised.
class TUpdateLock {
 public:
  explicit TUpdateLock(TExStringGrid* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
  ~TUpdateLock() { FGrid->EndUpdate(); }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

 private:
  TExStringGrid* FGrid;
};

// The text that no cell holds, so the first row of a walk always starts a run.
const String NoRunValue = String(1, Char(0x00FF)) + String(1, Char(0x00FE));

}  // namespace

bool TExStringGrid::IsNode(Integer ARow) { return NodeOf(this, ARow) != nullptr; }

bool TExStringGrid::IsSummary(Integer ARow) { return StoredGraphic(this, ARow, ctSummary) != nullptr; }

bool TExStringGrid::GetNodeState(Integer ARow) {
  TCellGraphic* N = NodeOf(this, ARow);
  return N && N->CellBoolean();
}

void TExStringGrid::SetNodeState(Integer ARow, bool Value) {
  if (!IsNode(ARow)) return;
  if (Value)
    ContractNode(RealRowIndex(ARow));
  else
    ExpandNode(RealRowIndex(ARow));
}

Integer TExStringGrid::GetNodeLevel(Integer ARow) {
  if (!IsNode(ARow)) return -1;
  return HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
}

Integer TExStringGrid::GetNodeSpan(Integer ARow) {
  TCellGraphic* N = NodeOf(this, ARow);
  return N ? N->CellIndex() : -1;
}

Integer TExStringGrid::GetSubNodeCount(Integer ARow) {
  TCellGraphic* N = NodeOf(this, ARow);
  return N ? N->CellErrFrom() : 0;
}

void TExStringGrid::UpdateNodeSpan(Integer ARow, Integer Delta) {
  if (TCellGraphic* N = NodeOf(this, ARow)) N->SetCellIndex(N->CellIndex() + Delta);
}

void TExStringGrid::UpdateSubNodeCount(Integer ARow, Integer Delta) {
  if (TCellGraphic* N = NodeOf(this, ARow)) N->SetCellErrFrom(N->CellErrFrom() + Delta);
}

void TExStringGrid::SetNodeSpan(Integer ARow, Integer Span) {
  if (TCellGraphic* N = NodeOf(this, ARow)) N->SetCellIndex(Span);
}

void TExStringGrid::AddNode(Integer ARow, Integer Span) {
  const Integer r = DisplRowIndex(ARow);
  if (r < 0 || r >= RowCount()) return;
  TCellGraphic* G = CreateCellGraphic(0, r);
  G->SetCellType(ctNode);
  G->SetCellBoolean(false);
  G->SetCellIndex(Span);
  G->SetCellHAlign(haBeforeText);
  G->SetCellVAlign(vaCenter);
  G->SetCellErrFrom(0);
  G->SetCellVar(-1);
  for (Integer i = r; i < r + Span && i < RowCount(); ++i) {
    TCellProperties* P = GetCellProperties(0, i);
    P->SetNodeLevel(P->NodeLevel() + 1);
  }
  if (FNumNodes == 0) InvalidateCol(0);
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TExStringGrid::RemoveNode(Integer ARow) {
  // Only a node row is made ordinary again; the count of nodes follows only real removals.
  if (!IsNode(DisplRowIndex(ARow))) return;
  ExpandNodeRows(ARow);
  const Integer r = DisplRowIndex(ARow);
  const Integer Span = GetNodeSpan(r);
  for (Integer i = r; i < r + Span && i < RowCount(); ++i)
    if (HasCellProperties(0, i)) {
      TCellProperties* P = GetCellProperties(0, i);
      P->SetNodeLevel(P->NodeLevel() - 1);
    }
  RemoveCellGraphicOfType(0, r, ctNode);
  if (FNumNodes > 0) --FNumNodes;
}

void TExStringGrid::RemoveAllNodes() {
  Integer r = 0;
  while (r < RowCount()) {
    if (IsNode(r)) {
      ExpandNode(RealRowIndex(r));
      const Integer Span = GetNodeSpan(r);
      for (Integer i = r; i < r + Span && i < RowCount(); ++i)
        if (HasCellProperties(0, i)) {
          TCellProperties* P = GetCellProperties(0, i);
          P->SetNodeLevel(P->NodeLevel() - 1);
        }
      RemoveCellGraphicOfType(0, r, ctNode);
      if (FNumNodes > 0) --FNumNodes;
    }
    ++r;
  }
  Invalidate();
}

void TExStringGrid::ExpandNode(Integer ARow) {
  if (FCellNode && FCellNode->ExpandOne()) {
    const Integer Count = RowCount();
    for (Integer d = FixedRows(); d < Count && d < RowCount(); ++d)
      if (IsNode(d) && !GetNodeState(d)) ContractNode(RealRowIndex(d));
  }
  ExpandNodeRows(ARow);
}

void TExStringGrid::ExpandNodeRows(Integer ARow) {
  const Integer a = DisplRowIndex(ARow);
  TCellGraphic* N = NodeOf(this, a);
  if (!N || !N->CellBoolean()) return;
  N->SetCellBoolean(false);
  Integer n = a + 1;
  if (N->CellIndex() <= 0)
    while (n < RowCount() && !IsNode(n)) ++n;

  const Integer OldTopRow = TopRow();
  const Integer OldRow = Row();
  const bool OldDisjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelectDirect(false);
  const bool HadRowSelect = Options().Contains(goRowSelect);
  if (HadRowSelect) SetOptions(Options() >> goRowSelect);
  const bool Locked = FNumCellControls == 0;
  if (Locked) BeginUpdate();
  try {
    UnHideRows(RealRowIndex(a) + 1, RealRowIndex(n) - 1);
    if (HadRowSelect) {
      SetOptions(Options() << goRowSelect);
      if (OldRow < RowCount()) SetRow(OldRow);
      SetTopRow(OldTopRow);
    }
  } catch (...) {
    FMouseActions->SetDisjunctRowSelectDirect(OldDisjunct);
    if (Locked) EndUpdate();
    throw;
  }
  FMouseActions->SetDisjunctRowSelectDirect(OldDisjunct);
  if (Locked) EndUpdate();
  CalcFooter(-1);
}

void TExStringGrid::ContractNode(Integer ARow) {
  HideInplaceEdit();
  FForceSel = true;
  struct TClearForceSel {
    bool& Flag;
    ~TClearForceSel() { Flag = false; }
  } Clear{FForceSel};

  const Integer a = DisplRowIndex(ARow);
  TCellGraphic* N = NodeOf(this, a);
  if (!N || N->CellBoolean()) return;
  N->SetCellBoolean(true);

  Integer e = a + N->CellIndex();
  if (N->CellIndex() <= 0) {
    e = a + 1;
    while (e < RowCount() && !IsNode(e)) ++e;
  }
  const Integer b = a + 1;
  Integer r = b;
  while (r < e && r < RowCount()) {
    TCellGraphic* Inner = NodeOf(this, r);
    if (Inner && Inner->CellBoolean()) {
      // The inner node is taken in whole: expanding the outer node shows it open again.
      Inner->SetCellBoolean(false);
      const Integer InnerSpan = Inner->CellIndex();
      if (TControl* C = CellControls(1, r + 1)) C->SetVisible(false);
      HideRows(RealRowIndex(b), RealRowIndex(r));
      e = e - (r - b) - InnerSpan;
      r = b;
    } else {
      ++r;
    }
  }
  if (r - 1 >= b) HideRows(RealRowIndex(b), RealRowIndex(r - 1));
  FForceSel = false;
  CalcFooter(-1);
}

void TExStringGrid::ExpandAll() {
  {
    TUpdateLock Lock(this);
    const Integer Count = AllRowCount();
    for (Integer r = FixedRows(); r < Count && r < RowCount(); ++r)
      if (TCellGraphic* N = NodeOf(this, r)) {
        ExpandNode(r);
        if ((N = NodeOf(this, r))) N->SetCellBoolean(false);
      }
  }
  CalcFooter(-1);
}

void TExStringGrid::ContractAll() {
  {
    TUpdateLock Lock(this);
    ExpandAll();
    TIntList List(0, 0);
    Integer r = FixedRows();
    while (r < RowCount()) {
      TCellGraphic* N = NodeOf(this, r);
      if (!N) {
        ++r;
        continue;
      }
      N->SetCellBoolean(true);
      // A node without a span of its own reaches to the next node row, as when contracted alone.
      Integer End = r + N->CellIndex();
      if (N->CellIndex() < 1) {
        End = r + 1;
        while (End < RowCount() && !IsNode(End)) ++End;
      }
      End = std::min(End, RowCount());
      for (Integer i = r + 1; i < End; ++i) List.Add(i);
      r = std::max(End, r + 1);
    }
    HideRowList(&List);
  }
  CellControlsUpdate(false);
  CalcFooter(-1);
}

Integer TExStringGrid::GetParentRow(Integer ARow) {
  if (FNumNodes == 0) return -1;
  Integer Result = -1;
  Integer RefLevel = 65535;
  if (IsNode(ARow)) {
    Result = ARow;
    RefLevel = GetNodeLevel(ARow);
  }
  Integer Sum = 0;
  for (Integer r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
    TCellGraphic* N = NodeOf(this, r);
    if (!N || GetNodeLevel(r) >= RefLevel) continue;
    if (N->CellBoolean()) Sum += N->CellIndex() - 1;
    if (ARow < r + N->CellIndex() - Sum) return r;
  }
  return Result;
}

void TExStringGrid::InsertNormalRow(Integer ARow) {
  InsertRows(DisplRowIndex(ARow), 1, true);
  ShiftHiddenRowItems(ARow, 1);
}

void TExStringGrid::RemoveNormalRow(Integer ARow) {
  // The row is given by its real index; the removal works on the display row.
  RemoveRows(DisplRowIndex(ARow), 1);
  --FMaxRowCount;
}

void TExStringGrid::InsertChildRow(Integer ARow, Integer InsertAt) {
  const Integer a = DisplRowIndex(ARow);
  const Integer P = GetParentRow(a);
  Integer L = 1;
  if (P != -1) {
    UpdateNodeSpan(P, 1);
    UpdateSubNodeCount(P, 1);
    ExpandNode(RealRowIndex(P));
    L = GetNodeLevel(P);
  }
  // Every enclosing node grows by the new row.
  Integer Cur = P;
  Integer LastLevel = L;
  while (LastLevel > 1 && Cur != -1 && Cur >= FixedRows()) {
    const Integer Q = GetParentRow(Cur);
    if (Q == -1 || Q == Cur) break;
    Cur = Q;
    if (GetNodeLevel(Q) < LastLevel) {
      UpdateNodeSpan(Q, 1);
      UpdateSubNodeCount(Q, 1);
      ExpandNode(RealRowIndex(Q));
      LastLevel = GetNodeLevel(Q);
    }
  }

  const bool BelowNode = IsNode(a) && InsertAt == 0;
  const Integer Pos = BelowNode ? a + 1 : a + InsertAt;
  // Hidden rows at or after the new row's place move one real row down.
  const Integer RealPos = RealRowIndex(Pos);
  InsertRows(Pos, 1, true);
  ShiftHiddenRowItems(RealPos - 1, 1);
  if (BelowNode) {
    // The new row takes over the node row's content; the node row keeps its glyph and level.
    for (Integer c = 0; c < TotalColCount(); ++c) {
      SetCells(c, Pos, Cells(c, a));
      SetCells(c, a, String());
      if (c > 0) {
        if (TObject* O = Objects(c, a)) {
          SetObjects(c, Pos, O);
          SetObjects(c, a, nullptr);
        }
      }
    }
  }
  if (P != -1) GetCellProperties(0, Pos)->SetNodeLevel(L);
}

void TExStringGrid::RemoveChildRow(Integer ARow) {
  const Integer a = DisplRowIndex(ARow);
  if (a < 0 || a >= RowCount()) return;
  ShiftControlRows(RealRowIndex(a) + 1, -1);
  const Integer P = GetParentRow(a);
  if (P != -1) {
    const Integer L = GetNodeLevel(P);
    if (GetNodeSpan(P) > 1) {
      UpdateNodeSpan(P, -1);
      UpdateSubNodeCount(P, -1);
    }
    ExpandNode(RealRowIndex(P));
    Integer Cur = P;
    while (GetNodeLevel(Cur) > 1) {
      const Integer Q = GetParentRow(Cur);
      if (Q == -1 || Q == Cur || GetNodeLevel(Q) >= L) break;
      if (GetNodeSpan(Q) > 1) {
        UpdateNodeSpan(Q, -1);
        UpdateSubNodeCount(Q, -1);
      }
      ExpandNode(RealRowIndex(Q));
      Cur = Q;
    }
  }
  DoRemoveRows(DisplRowIndex(ARow), 1);
  --FMaxRowCount;
}

void TExStringGrid::MarkSummaryRow(Integer ARow) {
  const Integer r = DisplRowIndex(ARow);
  if (r < 0 || r >= RowCount()) return;
  CreateCellGraphic(0, r)->SetCellType(ctSummary);
}

Integer TExStringGrid::GetNodeSpanType(Integer ARow) {
  if (IsNode(ARow)) return 0;
  if (ARow < RowCount() - FFixedFooters - 1 && HasCellProperties(0, ARow + 1)) {
    const Integer Here = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
    if (GetCellProperties(0, ARow + 1)->NodeLevel() >= Here) return 2;
  }
  return 1;
}

bool TExStringGrid::IsNodeGlyphHit(Integer ARow, Integer X) {
  if (!FMouseActions->PreciseNodeClick()) return true;
  const Integer l = GetNodeLevel(ARow);
  const Integer i = FCellNode ? FCellNode->NodeIndent() : 12;
  Integer w = 4;
  Integer o = 4;
  switch (FCellNode ? FCellNode->NodeType() : TCellNode::cnXP) {
    case TCellNode::cnFlat:
    case TCellNode::cnXP:
      w = 4;
      o = 4;
      break;
    case TCellNode::cn3D:
      w = 6;
      o = 0;
      break;
    case TCellNode::cnGlyph: {
      const Integer gw = FCellNode->ExpandGlyph()->Empty() ? 0 : FCellNode->ExpandGlyph()->Width();
      w = gw / 2;
      o = gw == 0 ? 0 : 2;
      break;
    }
    case TCellNode::cnLeaf:
      w = 8;
      o = 2;
      break;
  }
  return o + (l - 1) * i < X && X < w + l * i;
}

// ---------------------------------------------------------------------------------------------
// Grouping
// ---------------------------------------------------------------------------------------------

namespace {

void ApplyRowLook(TExStringGrid* G, Integer ARow, TColor Color, TColor ColorTo, TColor TextColor) {
  if (Color != clNone) G->SetRowColor(ARow, Color);
  if (ColorTo != clNone) G->SetRowColorTo(ARow, ColorTo);
  if (TextColor != clNone) G->SetRowFontColor(ARow, TextColor);
}

void ApplyCellLook(TExStringGrid* G, Integer ACol, Integer ARow, TColor Color, TColor ColorTo, TColor TextColor) {
  if (Color != clNone) G->SetColors(ACol, ARow, Color);
  if (ColorTo != clNone) G->SetColorsTo(ACol, ARow, ColorTo);
  if (TextColor != clNone) G->SetFontColors(ACol, ARow, TextColor);
}

// Colours set for a header or summary row are reset to not set.
void ResetRowLook(TExStringGrid* G, Integer ARow, TColor Color, TColor ColorTo) {
  if (Color != clNone) G->SetRowColor(ARow, clNone);
  if (ColorTo != clNone) G->SetRowColorTo(ARow, clNone);
}

}  // namespace

void TExStringGrid::SetGroupColumn(Integer Value) {
  if (Value == -1)
    UnGroup();
  else if (Value > 0)
    Group(Value);
}

void TExStringGrid::Group(Integer Colindex) {
  if (Colindex < FixedCols()) return;
  if (FGroupColumn != -1) UnGroup();
  if (RowCount() - FixedRows() < 1) return;
  TGrouping* Gr = FGrouping;
  const bool Summary = Gr->Summary();
  const bool SummaryLook = !(Gr->MergeSummary() && Summary);
  {
    TUpdateLock Lock(this);
    FGroupColumn = Colindex;
    FGroupWidth = AllColWidths(Colindex);
    if (FixedRows() > 0) FGroupCaption = GetGridCell(Colindex, 0);
    if (FFixedFooters > 0) FGroupFooter = GetGridCell(Colindex, RowCount() - 1);
    if (FSortSettings->AutoSortForGrouping()) {
      FSortSettings->SetColumn(Colindex);
      QSort();
    }
    const Integer t = Colindex == 1 ? 2 : 1;

    auto HeaderLook = [&](Integer ARow) {
      if (!Gr->MergeHeader()) ApplyRowLook(this, ARow, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor());
    };
    auto InsertSummary = [&](Integer ARow) {
      InsertRows(ARow, 1, true);
      MarkSummaryRow(RealRowIndex(ARow));
      if (SummaryLook) ApplyRowLook(this, ARow, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor());
    };
    // Closes the group of header h that runs up to row Cur (exclusive); a summary row of the group
    // before goes above h. Answers the row that was Cur.
    auto CloseGroup = [&](Integer h, Integer Cur) {
      if (h > FixedRows() && Summary) {
        InsertSummary(h);
        ++h;
        ++Cur;
      }
      AddNode(RealRowIndex(h), Cur - h);
      return Cur;
    };

    String Prev = NoRunValue;
    Integer h = -1;
    Integer row = FixedRows();
    bool Walked = false;
    while (row <= RowCount() - 1 - FFixedFooters) {
      Walked = true;
      const String Cur = GetGridCell(Colindex, row);
      if (Cur == Prev) {
        ++row;
        continue;
      }
      if (h != -1) row = CloseGroup(h, row);
      InsertRows(row, 1, true);
      SetCells(t, row, Cur);
      HeaderLook(row);
      h = row;
      Prev = GetGridCell(Colindex, row + 1);
      row += 2;
    }
    if (h != -1) {
      const Integer Last = CloseGroup(h, row);
      // The last header moved down by one when a summary row went above it.
      const Integer LastHeader = (h > FixedRows() && Summary) ? h + 1 : h;
      HeaderLook(LastHeader);
      row = Last;
    } else if (!Walked) {
      AddNode(FixedRows(), row - 1);
    }
    if (Summary) InsertSummary(RowCount() - FFixedFooters);

    RemoveCols(Colindex, 1);

    if (Gr->MergeHeader() || (Gr->MergeSummary() && Summary)) {
      for (Integer b = FixedRows(); b <= RowCount() - 1; ++b) {
        if (IsNode(b) && Gr->MergeHeader()) {
          MergeCells(1, b, ColCount() - 1, 1);
          ApplyCellLook(this, 1, b, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor());
        } else if ((IsNode(b + 1) || b == RowCount() - 1) && Gr->MergeSummary() && Summary) {
          MergeCells(1, b, ColCount() - 1, 1);
          ApplyCellLook(this, 1, b, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor());
        }
      }
    }

    if (FCellNode && FCellNode->ExpandOne()) {
      for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (IsNode(r)) {
          ExpandNode(RealRowIndex(r));
          break;
        }
    }

    if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
    if (Row() != FixedRows() && FixedRows() < RowCount()) SetRow(FixedRows());
  }
  if (FSearchFooter->Visible() && FSearchPanel) {
    FSearchPanel->SetWidth(FSearchPanel->Width() + 1);
    FSearchPanel->SetWidth(FSearchPanel->Width() - 1);
  }
}

void TExStringGrid::UnGroup() {
  if (FGroupColumn <= 0) return;
  TGrouping* Gr = FGrouping;
  const bool Summary = Gr->Summary();
  const bool OldExpandOne = FCellNode && FCellNode->ExpandOne();
  if (FCellNode) FCellNode->SetExpandOne(false);
  ExpandAll();

  InsertCols(FGroupColumn, 1);
  const Integer D = RealToDisplayCol(FGroupColumn);
  if (D < ColCount()) SetColWidths(D, FGroupWidth);
  if (FixedRows() > 0) SetCells(FGroupColumn, 0, FGroupCaption);
  if (FFixedFooters > 0) SetCells(FGroupColumn, RowCount() - 1, FGroupFooter);
  const Integer TextCol = FGroupColumn == 1 ? 2 : 1;

  // A header or summary row goes: cleared over all columns, its properties freed, deleted.
  auto DropRow = [&](Integer ARow) {
    ClearRect(0, ARow, ColCount() - 1, ARow);
    FreeCellPropsRange(0, ARow, TotalColCount() - 1, ARow);
    DeleteRowsInternal(ARow, 1, false);
  };

  String Header;
  Integer r = FixedRows();
  while (r <= RowCount() - 1 - FFixedFooters) {
    if (!IsNode(r)) {
      SetCells(FGroupColumn, r, Header);
      ++r;
      continue;
    }
    if (Summary) {
      const Integer S = r + GetNodeSpan(r);
      if (S < RowCount() && IsSummary(S)) {
        if (Gr->MergeSummary())
          SplitCells(1, S);
        else
          ResetRowLook(this, S, Gr->SummaryColor(), Gr->SummaryColorTo());
        DropRow(S);
      }
    }
    Header = Cells(TextCol, r);
    RemoveNode(RealRowIndex(r));
    SetCellProperties(0, r, nullptr);
    if (Gr->MergeHeader())
      SplitCells(1, r);
    else
      ResetRowLook(this, r, Gr->HeaderColor(), Gr->HeaderColorTo());
    DropRow(r);
  }
  FGroupColumn = -1;
  if (FCellNode) FCellNode->SetExpandOne(OldExpandOne);
  Invalidate();
}

void TExStringGrid::SubGroup(Integer Colindex) {
  if (Colindex < FixedCols()) return;
  TGrouping* Gr = FGrouping;
  const bool Summary = Gr->Summary();
  const Integer TextCol = Colindex + 1;
  {
    TUpdateLock Lock(this);
    FGroupColumn = Colindex;
    FGroupWidth = AllColWidths(Colindex);
    if (FixedRows() > 0) FGroupCaption = Cells(Colindex, 0);
    if (FFixedFooters > 0) FGroupFooter = Cells(Colindex, RowCount() - 1);

    auto HeaderLook = [&](Integer ARow) {
      if (Gr->MergeHeader()) {
        if (ColCount() - TextCol > 0) MergeCells(TextCol, ARow, ColCount() - TextCol, 1);
        ApplyCellLook(this, TextCol, ARow, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor());
      } else {
        ApplyRowLook(this, ARow, Gr->HeaderColor(), Gr->HeaderColorTo(), Gr->HeaderTextColor());
      }
    };
    auto NodeOrSummary = [&](Integer ARow) { return IsNode(ARow) || IsSummary(ARow); };
    auto CloseSub = [&](Integer s, Integer r) {
      AddNode(RealRowIndex(s), r - s);
      if (TCellGraphic* N = NodeOf(this, s)) N->SetCellVar(Colindex);
    };

    String Prev = NoRunValue;
    Integer s = -1;
    Integer r = FixedRows() + 1;
    while (r < RowCount() - FFixedFooters) {
      const String Cur = Cells(Colindex, r);
      if (Cur != Prev || NodeOrSummary(r)) {
        if (s != -1 && !NodeOrSummary(s)) CloseSub(s, r);
        if (!NodeOrSummary(r)) {
          InsertChildRow(RealRowIndex(r), 0);
          SetCells(TextCol, r, Cur);
          HeaderLook(r);
        }
        s = r;
        ++r;
      }
      if (r < RowCount() && !NodeOrSummary(r - 1)) {
        Prev = Cells(Colindex, r);
        SetCells(Colindex, r, String());
        ++r;
      } else {
        Prev = NoRunValue;
      }
    }

    const bool Done = s != -1 && NodeOrSummary(s);
    if (!Done) {
      if (s == -1) {
        if (r >= RowCount()) r = RowCount() - 1;
        InsertChildRow(RealRowIndex(r), 0);
        AddNode(RealRowIndex(r), 2);
        SetCells(TextCol, r, Cells(Colindex, r + 1));
        ++r;
        SetCells(Colindex, r, String());
      } else {
        CloseSub(s, r);
        HeaderLook(s);
      }
      if (r <= RowCount() - 1 && !NodeOrSummary(r - 1)) {
        SetCells(Colindex, r, String());
        ++r;
      }
      if (Summary) {
        InsertRows(r, 1, true);
        MarkSummaryRow(RealRowIndex(r));
        if (Gr->MergeSummary()) {
          if (ColCount() - TextCol > 0) MergeCells(TextCol, r, ColCount() - TextCol, 1);
          ApplyCellLook(this, TextCol, r, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor());
        } else {
          ApplyRowLook(this, r, Gr->SummaryColor(), Gr->SummaryColorTo(), Gr->SummaryTextColor());
        }
      }
    }
    if (FixedRows() < RowCount() && Row() != FixedRows()) SetRow(FixedRows());
  }
}

void TExStringGrid::SubUnGroup(Integer Colindex) {
  TGrouping* Gr = FGrouping;
  ExpandAll();
  String Header;
  Integer r = FixedRows();
  while (r <= RowCount() - 1 - FFixedFooters) {
    TCellGraphic* N = NodeOf(this, r);
    if (N && N->CellVar() == Colindex) {
      Header = Cells(Colindex + 1, r);
      RemoveNode(RealRowIndex(r));
      if (Gr->MergeHeader())
        SplitCells(Colindex + 1, r);
      else
        ResetRowLook(this, r, Gr->HeaderColor(), Gr->HeaderColorTo());
      RemoveChildRow(RealRowIndex(r));
    } else if (N) {
      ++r;
    } else {
      SetCells(Colindex, r, Header);
      ++r;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Group calculations
// ---------------------------------------------------------------------------------------------

void TExStringGrid::GroupCalc(Integer Colindex, Integer Method) {
  const bool Summary = FGrouping->Summary();
  Integer r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic* N = NodeOf(this, r);
    if (!N || N->CellBoolean()) {
      ++r;
      continue;
    }
    const Integer s = N->CellIndex();
    const Integer Target = Summary ? r + s : r;
    const Integer From = r + 1;
    const Integer To = r + s - 1;
    switch (Method) {
      case 1: SetFloats(Colindex, Target, ColumnSum(Colindex, From, To)); break;
      case 2: SetFloats(Colindex, Target, ColumnAvg(Colindex, From, To)); break;
      case 3: SetFloats(Colindex, Target, ColumnMin(Colindex, From, To)); break;
      case 4: SetFloats(Colindex, Target, ColumnMax(Colindex, From, To)); break;
      case 5: SetInts(Colindex, Target, s - 1); break;
      case 6: {
        double Res = 0;
        if (OnGroupCalc) OnGroupCalc(this, Colindex, From, To, Res);
        SetFloats(Colindex, Target, Res);
        break;
      }
      case 7: SetFloats(Colindex, Target, ColumnDistinct(Colindex, From, To)); break;
      case 8: SetFloats(Colindex, Target, ColumnStdDev(Colindex, From, To)); break;
      default: break;
    }
    // A node without a span of its own still moves the walk on.
    r += std::max(s, 1);
  }
}

namespace {
void SetFooterCalc(TFloatingFooter* F, Integer ACol, TColumnCalcType Kind) {
  if (F && F->Visible()) F->SetColumnCalc(ACol, Kind);
}
}  // namespace

void TExStringGrid::GroupSum(Integer Colindex) {
  GroupCalc(Colindex, 1);
  SetFooterCalc(FFloatingFooter, Colindex, acSUM);
}

void TExStringGrid::GroupAvg(Integer Colindex) {
  GroupCalc(Colindex, 2);
  SetFooterCalc(FFloatingFooter, Colindex, acAVG);
}

void TExStringGrid::GroupMin(Integer Colindex) {
  GroupCalc(Colindex, 3);
  SetFooterCalc(FFloatingFooter, Colindex, acMIN);
}

void TExStringGrid::GroupMax(Integer Colindex) {
  GroupCalc(Colindex, 4);
  SetFooterCalc(FFloatingFooter, Colindex, acMAX);
}

void TExStringGrid::GroupCount(Integer Colindex) {
  GroupCalc(Colindex, 5);
  SetFooterCalc(FFloatingFooter, Colindex, acCOUNT);
}

void TExStringGrid::GroupCustomCalc(Integer Colindex) { GroupCalc(Colindex, 6); }

void TExStringGrid::GroupDistinct(Integer Colindex) { GroupCalc(Colindex, 7); }

void TExStringGrid::GroupStdDev(Integer Colindex) { GroupCalc(Colindex, 8); }

// ---------------------------------------------------------------------------------------------
// Floating footer calculation
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CalcFooter(Integer ACol) { DoCalcFooter(ACol); }

void TExStringGrid::DoCalcFooter(Integer ACol) {
  TFloatingFooter* F = FFloatingFooter;
  if (!F || !F->Visible() || F->FooterStyle() != fsFixedLastRow || !F->EnableCalculation()) return;
  if (RowCount() < 1) return;
  const Integer FromCol = ACol == -1 ? 0 : ACol;
  const Integer ToCol = ACol == -1 ? AllColCount() - 1 : ACol;
  const Integer Last = RowCount() - 1;
  const Integer H = F->CalculateHiddenRows() ? NumHiddenRows() : 0;
  const Integer From = FixedRows();
  const Integer To = RowCount() - 2 + H;
  for (Integer c = FromCol; c <= ToCol; ++c) {
    if (!HasCellProperties(c, Last)) continue;
    switch (GetCellProperties(c, Last)->CalcType()) {
      case acSUM: SetFloats(c, Last, ColumnSum(c, From, To)); break;
      case acAVG: SetFloats(c, Last, ColumnAvg(c, From, To)); break;
      case acMIN: SetFloats(c, Last, ColumnMin(c, From, To)); break;
      case acMAX: SetFloats(c, Last, ColumnMax(c, From, To)); break;
      case acDISTINCT: SetFloats(c, Last, ColumnDistinct(c, From, To)); break;
      case acSTDDEV: SetFloats(c, Last, ColumnStdDev(c, From, To)); break;
      case acCOUNT: SetInts(c, Last, RowCount() - FixedRows() - 1 + H); break;
      case acCUSTOM: {
        String Value;
        const Integer ARow = RowCount() - 1 + (F->CalculateHiddenRows() ? NumHiddenRows() : 0);
        if (OnFooterCalc)
          OnFooterCalc(this, c, ARow, Value);
        else if (F->OnCalcFooter)
          F->OnCalcFooter(this, c, ARow, Value);
        SetCells(c, Last, Value);
        break;
      }
      default: break;
    }
  }
}

void TExStringGrid::UpdateFooter() {
  if (FFooterPanel) FFooterPanel->Invalidate();
}

void TExStringGrid::LastRowChanged() {
  TBaseGrid::LastRowChanged();
  UpdateFooter();
}
