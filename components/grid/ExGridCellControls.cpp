// TExStringGrid: the cell graphics a user interacts with: check boxes (plain, data, tri-state,
// row and virtual), radio buttons, radio groups, push buttons, expand cells, cell scroll bars,
// error markers and balloons; toggling check boxes and radio buttons, the hit rectangles the mouse
// handling uses, the placing of controls embedded in cells, and the hooks of this area.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "components/gridbase/ExUtil.h"

namespace {

TCellVAlign CheckVAlign(TVAlignment V) {
  switch (V) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
  }
}

// A balloon attached to a check box or radio button: its list is freed and the box keeps going.
void DetachBalloon(TCellGraphic* G) {
  if (!G || G->CellAngle() != 1) return;
  delete G->CellBitmap();
  G->SetCellBitmap(nullptr);
  G->SetCellAngle(0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Check boxes
// ---------------------------------------------------------------------------------------------

TCellGraphic* TExStringGrid::CheckBoxGraphic(Integer ACol, Integer ARow, bool& ByProps) {
  ByProps = false;
  if (NumHiddenRows() == 0) return GetCellGraphic(ACol, ARow);
  if (auto* P = dynamic_cast<TCellProperties*>(GetAllGridObject(ACol, ARow))) {
    ByProps = true;
    return dynamic_cast<TCellGraphic*>(P->GraphicObject());
  }
  return GetCellGraphic(ACol, ARow);
}

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data) {
  if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
    throw Exception(u"Invalid cell");
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCheckBox(State, Data, true, haBeforeText, CheckVAlign(FVAlignment));
  if (Data) {
    const String Text = GetCellEx(ACol, ARow);
    if (Text != FCheckTrue && Text != FCheckFalse) SetCellEx(ACol, ARow, State ? FCheckTrue : FCheckFalse);
  }
}

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State) {
  if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
    throw Exception(u"Invalid cell");
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCheckBox(State, true, haBeforeText, CheckVAlign(FVAlignment));
}

void TExStringGrid::AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox) {
  const Integer First = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
  for (Integer R = First; R < RowCount(); ++R) {
    if (IsSummary(R)) continue;
    if (IsNode(R))
      AddCheckBox(ACol, R, cbUnchecked);
    else
      AddCheckBox(ACol, R, DefaultState, DataCheckBox);
  }
}

void TExStringGrid::AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State) {
  const Integer First = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
  for (Integer R = First; R < RowCount(); ++R) {
    if (IsSummary(R)) continue;
    AddCheckBox(ACol, R, State);
  }
}

void TExStringGrid::RemoveCheckBox(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return;
  const TCellType T = G->CellType();
  if (T != ctCheckBox && T != ctDataCheckBox && T != ctTriStateCheckBox) return;
  if (T != ctTriStateCheckBox) DetachBalloon(G);
  RemoveCellGraphic(ACol, ARow);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

void TExStringGrid::RemoveCheckBoxColumn(Integer ACol) {
  const Integer First = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
  for (Integer R = First; R < RowCount(); ++R) {
    if (IsSummary(R)) continue;
    if (HasCheckBox(ACol, R)) RemoveCheckBox(ACol, R);
  }
}

bool TExStringGrid::HasCheckBox(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, CheckBoxCellTypes);
}

bool TExStringGrid::HasDataCheckBox(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, DataCheckBoxCellTypes);
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, bool& State) {
  bool ByProps = false;
  TCellGraphic* G = CheckBoxGraphic(ACol, ARow, ByProps);
  if (!G) return false;
  String True;
  GetCheckTrue(ACol, ARow, True);
  auto Text = [&]() { return ByProps ? AllCells(ACol, ARow) : GetCellEx(ACol, ARow); };
  switch (G->CellType()) {
    case ctCheckBox:
      if (!ByProps && NumHiddenRows() > 0) return false;
      State = G->CellBoolean();
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      State = Text() == True;
      return true;
    case ctTriStateCheckBox:
      if (!ByProps) return false;
      State = Text() == True;
      return true;
    case ctRowCheckBox:
      if (ACol != 0) return false;
      State = RowSelect(ARow);
      return true;
    default:
      return false;
  }
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State) {
  bool ByProps = false;
  TCellGraphic* G = CheckBoxGraphic(ACol, ARow, ByProps);
  if (!G) return false;
  String True;
  GetCheckTrue(ACol, ARow, True);
  switch (G->CellType()) {
    case ctCheckBox:
      if (!ByProps && NumHiddenRows() > 0) return false;
      State = BoolToCheckBoxState(G->CellBoolean());
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      State = BoolToCheckBoxState((ByProps ? AllCells(ACol, ARow) : GetCellEx(ACol, ARow)) == True);
      return true;
    case ctTriStateCheckBox:
      State = G->CellCheckBoxState();
      return true;
    case ctRowCheckBox:
      if (ACol != 0) return false;
      State = BoolToCheckBoxState(ByProps ? RowSelect(ARow) : G->CellBoolean());
      return true;
    default:
      return false;
  }
}

bool TExStringGrid::IsChecked(Integer ACol, Integer ARow) {
  bool State = false;
  GetCheckBoxState(ACol, ARow, State);
  return State;
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State) {
  bool ByProps = false;
  TCellGraphic* G = CheckBoxGraphic(ACol, ARow, ByProps);
  if (!G || G->CellType() != ctTriStateCheckBox) return false;
  G->SetCellCheckBoxState(State);
  RepaintCell(RealToDisplayCol(ACol), RealRowToDisplayRow(ARow));
  return true;
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, bool State) {
  bool ByProps = false;
  TCellGraphic* G = CheckBoxGraphic(ACol, ARow, ByProps);
  if (!G) return false;
  switch (G->CellType()) {
    case ctCheckBox:
      G->SetCellBoolean(State);
      RepaintCell(RealToDisplayCol(ACol), RealRowToDisplayRow(ARow));
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String V;
      if (State)
        GetCheckTrue(ACol, ARow, V);
      else
        GetCheckFalse(ACol, ARow, V);
      if (ByProps)
        SetAllCells(ACol, ARow, V);
      else
        SetCellEx(ACol, ARow, V);
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      SetRowSelect(ARow, State);
      return true;
    default:
      return false;
  }
}

bool TExStringGrid::SetCheckBoxValue(Integer ACol, Integer ARow, bool Value) {
  Integer R = ARow;
  if (NumHiddenRows() > 0) R = DisplayRowToRealRow(ARow);
  bool ByProps = false;
  TCellGraphic* G = CheckBoxGraphic(ACol, R, ByProps);
  if (!G) return false;
  switch (G->CellType()) {
    case ctCheckBox:
      if (Value != G->CellBoolean()) {
        G->SetCellBoolean(Value);
        CheckBoxChange(ACol, ARow, Value);
        RepaintCell(RealToDisplayCol(ACol), ARow);
      }
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String True, False;
      GetCheckTrue(ACol, ARow, True);
      GetCheckFalse(ACol, ARow, False);
      const bool Was = (ByProps ? AllCells(ACol, R) : GetCellEx(ACol, ARow)) == True;
      if (ByProps)
        SetAllCells(ACol, R, Value ? True : False);
      else
        SetCellEx(ACol, ARow, Value ? True : False);
      if (Value != Was) CheckBoxChange(ACol, ARow, Value);
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      if (Value != RowSelect(ARow)) {
        SetRowSelect(ARow, Value);
        CheckBoxChange(ACol, ARow, Value);
      }
      return true;
    default:
      return false;
  }
}

void TExStringGrid::CheckAll(Integer ACol) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) SetCheckBoxValue(ACol, R, true);
  if (FNumHidden > 0) RepaintCol(RealToDisplayCol(ACol));
}

void TExStringGrid::UnCheckAll(Integer ACol) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) SetCheckBoxValue(ACol, R, false);
}

bool TExStringGrid::ToggleCheckBox(Integer ACol, Integer ARow, bool CheckEditable) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || !CheckBoxCellTypes.Contains(G->CellType())) return false;

  const bool AutoGroup = FGrouping && FGrouping->AutoCheckGroup();
  bool NodeRow = false;
  bool Contracted = false;
  Integer Span = 0;
  Integer Parent = -1;
  if (AutoGroup) {
    if (IsNode(ARow)) {
      NodeRow = true;
      Span = GetNodeSpan(ARow);
      Contracted = GetNodeState(ARow);
    } else {
      Parent = GetParentRow(ARow);
      if (Parent >= 0) Span = GetNodeSpan(Parent);
    }
  }

  if (CheckEditable && !FControlLook->CheckAlwaysActive()) {
    bool Allow = true;
    CanEditCell(ACol, ARow, Allow);
    if (!Allow) return false;
  }

  bool NewState = false;
  String True, False;
  GetCheckTrue(ACol, ARow, True);
  GetCheckFalse(ACol, ARow, False);
  switch (G->CellType()) {
    case ctCheckBox:
      G->SetCellBoolean(!G->CellBoolean());
      NewState = G->CellBoolean();
      break;
    case ctTriStateCheckBox:
      if (NodeRow) {
        G->SetCellCheckBoxState(G->CellCheckBoxState() == cbChecked ? cbUnchecked : cbChecked);
        NewState = G->CellCheckBoxState() == cbChecked;
      } else {
        switch (G->CellCheckBoxState()) {
          case cbUnchecked: G->SetCellCheckBoxState(cbGrayed); break;
          case cbGrayed: G->SetCellCheckBoxState(cbChecked); break;
          default: G->SetCellCheckBoxState(cbUnchecked); break;
        }
        NewState = false;
      }
      break;
    default:
      // Data, virtual and row check boxes keep their state in the cell text.
      if (GetCellEx(ACol, ARow) == True) {
        SetCellEx(ACol, ARow, False);
        NewState = false;
      } else {
        SetCellEx(ACol, ARow, True);
        NewState = true;
      }
      break;
  }
  RepaintCell(RealToDisplayCol(ACol), ARow);
  CheckBoxChange(ACol, ARow, NewState);

  if (AutoGroup) {
    if (NodeRow) {
      const Integer Real = DisplayRowToRealRow(ARow);
      for (Integer I = 1; I < Span; ++I)
        SetCheckBoxState(ACol, Contracted ? Real + I : DisplayRowToRealRow(ARow + I), NewState);
    } else if (Parent >= 0 && Parent != ARow) {
      Integer Checked = 0, Total = 0;
      for (Integer R = Parent + 1; R < Parent + Span && R < RowCount(); ++R) {
        bool S = false;
        GetCheckBoxState(ACol, DisplayRowToRealRow(R), S);
        ++Total;
        if (S) ++Checked;
      }
      const TCheckBoxState PS = Checked == 0 ? cbUnchecked : (Checked == Total ? cbChecked : cbGrayed);
      SetCheckBoxState(ACol, DisplayRowToRealRow(Parent), PS);
    }
  }

  if (FUndoRedo) {
    if (NewState)
      FUndoRedo->RegisterChange(ACol, ARow, False, True);
    else
      FUndoRedo->RegisterChange(ACol, ARow, True, False);
  }
  return true;
}

bool TExStringGrid::IsInCheckBox(Integer ACol, Integer ARow, Integer XPos, Integer YPos) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || !(CheckBoxCellTypes.Contains(G->CellType()) || G->CellType() == ctRadioButton)) return false;
  if (!FMouseActions->PreciseCheckBoxCheck()) return true;
  const TRect R = CellRect(RealToDisplayCol(ACol), ARow);
  const Integer Size = FControlLook->CheckSize();
  Integer Top = 0;
  switch (G->CellVAlign()) {
    case vaTop: Top = R.Top + 2; break;
    case vaBottom: Top = R.Bottom - 2 - Size; break;
    case vaCenter: Top = R.Top + (R.Bottom - R.Top - Size) / 2; break;
    default: Top = 0; break;
  }
  TAlignment HA;
  TVAlignment VA;
  CalcCellAlignment(ACol, ARow, HA, VA);
  Integer Left;
  if (HA == taRightJustify) {
    Left = R.Right - 2 - Size;
    const String Text = GetCellEx(ACol, ARow);
    if (!Text.empty()) Left -= Canvas()->TextWidth(Text);
  } else if (HA == taCenter) {
    Left = R.Left + (R.Right - R.Left - Size) / 2;
  } else {
    Left = R.Left + 2;
  }
  return XPos >= Left && XPos < Left + Size && YPos >= Top && YPos < Top + Size;
}

// ---------------------------------------------------------------------------------------------
// Radio buttons
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddRadioButton(Integer ACol, Integer ARow, bool State) {
  if (ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
    throw Exception(u"Invalid cell");
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetRadioButton(State, true, haBeforeText, CheckVAlign(FVAlignment));
}

void TExStringGrid::RemoveRadioButton(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType() != ctRadioButton) return;
  RemoveCellGraphic(ACol, ARow);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

bool TExStringGrid::HasRadioButton(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  return GetCellType(B.X, B.Y) == ctRadioButton;
}

void TExStringGrid::AddRadioButtonColumn(Integer ACol) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) AddRadioButton(ACol, R, false);
}

void TExStringGrid::RemoveRadioButtonColumn(Integer ACol) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
    if (HasRadioButton(ACol, R)) RemoveRadioButton(ACol, R);
}

bool TExStringGrid::IsRadioButtonChecked(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  return G && G->CellType() == ctRadioButton && G->CellBoolean();
}

bool TExStringGrid::SetRadioButtonState(Integer ACol, Integer ARow, bool State) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G || G->CellType() != ctRadioButton) return false;
  if (State != G->CellBoolean()) {
    G->SetCellBoolean(State);
    RepaintCell(RealToDisplayCol(ACol), ARow);
  }
  return true;
}

void TExStringGrid::SetRadioButtonColumnIndex(Integer ACol, Integer Index) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R) SetRadioButtonState(ACol, R, R == Index);
}

Integer TExStringGrid::GetRadioButtonColumnIndex(Integer ACol) {
  for (Integer R = TBaseGrid::FixedRows(); R < RowCount(); ++R)
    if (IsRadioButtonChecked(ACol, R)) return R;
  return -1;
}

bool TExStringGrid::ToggleRadioButton(Integer ACol, Integer ARow, bool CheckEditable) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType() != ctRadioButton) return false;
  if (CheckEditable && !FControlLook->CheckAlwaysActive()) {
    bool Allow = true;
    CanEditCell(ACol, ARow, Allow);
    if (!Allow) return false;
  }
  if (!G->CellBoolean()) {
    G->SetCellBoolean(true);
    RepaintCell(RealToDisplayCol(ACol), ARow);
    for (Integer R = 0; R < RowCount(); ++R) {
      if (R == ARow) continue;
      TCellGraphic* O = GetCellGraphic(ACol, R);
      if (O && O->CellType() == ctRadioButton && O->CellBoolean()) {
        O->SetCellBoolean(false);
        RepaintCell(RealToDisplayCol(ACol), R);
      }
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Radio groups
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* sl) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctRadio);
  G->SetCellAngle(sl ? sl->Count() : 0);
  G->SetCellBoolean(DirRadio != 0);
  G->SetCellIndex(IdxRadio);
  G->SetCellBitmap(sl);
}

TStrings* TExStringGrid::CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  auto* L = new TStringList();
  G->SetCellType(ctRadio);
  G->SetCellAngle(0);
  G->SetCellBoolean(DirRadio != 0);
  G->SetCellIndex(IdxRadio);
  G->SetCellBitmap(L);
  G->SetCellCreated(true);
  return L;
}

bool TExStringGrid::GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  IdxRadio = G->CellIndex();
  return G->CellType() == ctRadio;
}

bool TExStringGrid::SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  G->SetCellIndex(IdxRadio);
  if (IdxRadio == -1) SetCellEx(ACol, ARow, String());
  RepaintCell(RealToDisplayCol(ACol), ARow);
  return G->CellType() == ctRadio;
}

TStrings* TExStringGrid::GetRadioStrings(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G || G->CellType() != ctRadio) return nullptr;
  return G->Strings();
}

bool TExStringGrid::IsRadio(Integer ACol, Integer ARow) { return HasCellGraphicType(ACol, ARow, TCellTypes{ctRadio}); }

void TExStringGrid::RemoveRadio(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

void TExStringGrid::StepRadioGroup(Integer ACol, Integer ARow, bool CheckEditable) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || G->CellType() != ctRadio) return;
  if (CheckEditable && !FControlLook->RadioAlwaysActive()) {
    bool Allow = true;
    CanEditCell(ACol, ARow, Allow);
    if (!Allow) return;
  }
  TStrings* Captions = G->Strings();
  const Integer Count = Captions ? Captions->Count() : 0;
  Integer I;
  if (G->CellIndex() >= 0) {
    I = G->CellIndex() + 1;
  } else {
    I = Captions ? Captions->IndexOf(GetCellEx(ACol, ARow)) + 1 : 0;
  }
  if (I >= Count) I = 0;
  if (G->CellIndex() >= -1) G->SetCellIndex(I);
  G->SetCellVar(I);
  if (Captions && I < Count) SetCellEx(ACol, ARow, Captions->Strings(I));
}

// ---------------------------------------------------------------------------------------------
// Push buttons
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption, Byte hal,
                              Byte val) {
  CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, static_cast<TCellHAlign>(hal), static_cast<TCellVAlign>(val));
}

void TExStringGrid::AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                 TBitmap* Glyph, Byte hal, Byte val) {
  CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, static_cast<TCellHAlign>(hal),
                                              static_cast<TCellVAlign>(val));
}

TBitmap* TExStringGrid::CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                        Byte hal, Byte val) {
  auto* Glyph = new TBitmap();
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetBitButton(bw, bh, Caption, Glyph, static_cast<TCellHAlign>(hal), static_cast<TCellVAlign>(val));
  G->SetCellCreated(true);
  return Glyph;
}

void TExStringGrid::SetButtonText(Integer ACol, Integer ARow, const String& Caption) {
  TCellGraphic* G = GetCellGraphic(DisplayToRealCol(ACol), ARow);
  if (!G) return;
  G->SetCellText(Caption);
  RepaintCell(ACol, ARow);
}

String TExStringGrid::GetButtonText(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(DisplayToRealCol(ACol), ARow);
  return G ? G->CellText() : String();
}

void TExStringGrid::PushButton(Integer ACol, Integer ARow, bool Push) {
  TCellGraphic* G = GetCellGraphic(DisplayToRealCol(ACol), ARow);
  if (!G || G->CellType() == ctNode) return;
  G->SetCellBoolean(Push);
  RepaintCell(ACol, ARow);
}

bool TExStringGrid::HasButton(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, TCellTypes{ctButton, ctBitButton});
}

void TExStringGrid::RemoveButton(Integer ACol, Integer ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctButton);
  RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExStringGrid::RemoveBitButton(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

// "All" covers the hidden columns too: counting only the shown ones would miss the last real columns.
void TExStringGrid::RemoveAllButtons() {
  for (Integer C = 0; C < TotalColCount(); ++C)
    for (Integer R = 0; R < RowCount(); ++R)
      if (HasButton(C, R)) RemoveButton(C, R);
}

TRect TExStringGrid::GetCellControlRect(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(DisplayToRealCol(ACol), ARow);
  if (!G) return TRect(0, 0, 0, 0);
  const TRect R = CellRect(ACol, ARow);
  const Integer o = static_cast<Integer>(Round(G->CellValue()));
  TRect B;
  B.Left = R.Left + (o & 0xFFFF);
  B.Top = R.Top + (static_cast<Cardinal>(o) >> 16);
  B.Right = B.Left + G->ButtonWidth();
  B.Bottom = B.Top + G->ButtonHeight();
  if (G->CellVAlign() == vaFull) {
    B.Top = R.Top;
    B.Bottom = R.Bottom;
  }
  if (G->CellHAlign() == haFull) {
    B.Left = R.Left;
    B.Right = R.Right;
  }
  return B;
}

// ---------------------------------------------------------------------------------------------
// Expand cells
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctExpand);
  G->SetCellAngle(ExpandedHeight);
  G->SetCellVar(0);
  G->SetCellIndex(RowHeights(ARow));
}

bool TExStringGrid::HasExpand(Integer ACol, Integer ARow) { return HasCellGraphicType(ACol, ARow, TCellTypes{ctExpand}); }

void TExStringGrid::RemoveExpand(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

bool TExStringGrid::ToggleExpand(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G) return false;
  G->SetCellVar(G->CellVar() != 0 ? 0 : 1);
  return G->CellVar() != 0;
}

bool TExStringGrid::GetExpandState(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  return G && G->CellVar() != 0;
}

Integer TExStringGrid::GetExpandHeight(Integer ACol, Integer ARow, bool Expanded) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G) return DefaultRowHeight();
  return Expanded ? G->CellAngle() : G->CellIndex();
}

TRect TExStringGrid::GetExpandRect(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  if (GetCellType(B.X, B.Y) != ctExpand) return TRect(0, 0, 0, 0);
  const TRect R = CellRect(RealToDisplayCol(ACol), ARow);
  return TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

// ---------------------------------------------------------------------------------------------
// Cell scroll bars
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddScrollBar(Integer ACol, Integer ARow, bool AutoRange) {
  TCellGraphic* G = CreateCellGraphic(ACol, ARow);
  G->SetCellType(ctScrollbar);
  G->SetCellAngle(0);
  G->SetCellErrFrom(100);
  G->SetCellBoolean(AutoRange);
  if (AutoRange) CellTextChanged(ACol, ARow);
}

bool TExStringGrid::HasScrollBar(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, TCellTypes{ctScrollbar});
}

void TExStringGrid::RemoveScrollBar(Integer ACol, Integer ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

bool TExStringGrid::HasAutoRangeScrollBar(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  return G && G->CellType() == ctScrollbar && G->CellBoolean();
}

void TExStringGrid::SetScrollPosition(Integer ACol, Integer ARow, Integer Pos) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G || G->CellType() != ctScrollbar) return;
  G->SetCellIndex(Pos);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

Integer TExStringGrid::GetScrollPosition(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  return G && G->CellType() == ctScrollbar ? G->CellIndex() : -1;
}

void TExStringGrid::SetScrollProp(Integer ACol, Integer ARow, TScrollProp Prop) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G || G->CellType() != ctScrollbar) return;
  G->SetCellAngle(Prop.PageSize);
  G->SetCellErrFrom(Prop.Range);
}

TScrollProp TExStringGrid::GetScrollProp(Integer ACol, Integer ARow) {
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  if (!G || G->CellType() != ctScrollbar) return TScrollProp{-1, -1};
  return TScrollProp{G->CellAngle(), G->CellErrFrom()};
}

// ---------------------------------------------------------------------------------------------
// Error markers
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) {
    G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctEmpty);
  }
  G->SetCellErrFrom(ErrPos);
  G->SetCellErrLen(ErrLen);
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

void TExStringGrid::RemoveMarker(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return;
  if (G->CellType() == ctEmpty) {
    RemoveCellGraphic(ACol, ARow);
    return;
  }
  G->SetCellErrFrom(0);
  G->SetCellErrLen(0);
}

void TExStringGrid::RemoveAllMarkers() {
  for (Integer C = 0; C < TotalColCount(); ++C)
    for (Integer R = 0; R < RowCount(); ++R) RemoveMarker(C, R);
}

void TExStringGrid::GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen) {
  ErrPos = 0;
  ErrLen = 0;
  if (TCellGraphic* G = GetCellGraphic(ACol, ARow)) {
    ErrPos = G->CellErrFrom();
    ErrLen = G->CellErrLen();
  }
}

// ---------------------------------------------------------------------------------------------
// Balloons
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text, Byte Icon) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (G && G->CellType() != ctCheckBox && G->CellType() != ctDataCheckBox && G->CellType() != ctRadioButton) return;
  auto* L = new TStringList();
  L->Add(Title);
  L->Add(Text);
  if (!G) {
    G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctBalloon);
    G->SetCellAngle(0);
  } else {
    // A balloon attached before is replaced, not left behind.
    DetachBalloon(G);
    G->SetCellAngle(1);
  }
  G->SetCellIndex(Icon);
  G->SetCellBitmap(L);
}

void TExStringGrid::RemoveBalloon(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (G && G->CellAngle() == 1 &&
      (G->CellType() == ctCheckBox || G->CellType() == ctDataCheckBox || G->CellType() == ctRadioButton)) {
    DetachBalloon(G);
    return;
  }
  RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TExStringGrid::HasBalloon(Integer ACol, Integer ARow) {
  return HasCellGraphicType(ACol, ARow, TCellTypes{ctBalloon});
}

bool TExStringGrid::IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, Integer& Icon) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  const TCellType T = G->CellType();
  const bool Attached = (T == ctCheckBox || T == ctDataCheckBox || T == ctRadioButton) && G->CellAngle() == 1;
  if (T != ctBalloon && !Attached) return false;
  TStrings* L = G->Strings();
  if (!L) return false;
  Title = L->Count() > 0 ? L->Strings(0) : String();
  Text = L->Count() > 1 ? L->Strings(1) : String();
  Icon = G->CellIndex();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Cell controls
// ---------------------------------------------------------------------------------------------

// The control list keeps every entry by real column and real row, so an entry stays with its cell
// while columns or rows are hidden; placing maps both to the display.
void TExStringGrid::CellControlsUpdate(bool Rebuild) {
  if (!HandleAllocated()) return;
  // A control sits in a cell's properties: a grid that never made any has none to list (and is
  // not walked cell by cell, which on a large grid costs more than a filter).
  if (Rebuild && !HasCellProps()) {
    FControlList->Clear();
    FNumCellControls = 0;
  } else if (Rebuild) {
    FControlList->Clear();
    for (Integer C = 0; C < TotalColCount(); ++C)
      for (Integer R = 0; R < RowCount(); ++R)
        if (HasCellProperties(C, R))
          if (TControl* Ctl = GetCellProperties(C, R)->Control())
            FControlList->AddControl(C, DisplayRowToRealRow(R), Ctl);
    // The controls of hidden rows stay listed, so that they are hidden and come back with the row.
    for (Integer I = 0; I < NumHiddenRows(); ++I) {
      auto* Item = static_cast<TGridItem*>(FGridItems->Items(I));
      if (!Item) continue;
      for (Integer C = 0; C < Item->CellCount(); ++C)
        if (auto* P = dynamic_cast<TCellProperties*>(Item->CellObject(C)))
          if (P->Control()) FControlList->AddControl(C, Item->Idx(), P->Control());
    }
    FNumCellControls = FControlList->Count();
  }

  if (FScrollBar && FScrollBar->Visible()) {
    const bool Outside = Row() < TopRow() || Row() >= TopRow() + VisibleRowCount() || Col() < LeftCol() ||
                         Col() >= LeftCol() + VisibleColCount();
    if (Outside) {
      FScrollBar->SetHeight(0);
    } else {
      const TRect R = CellRect(Col(), Row());
      FScrollBar->SetBounds(R.Right - FScrollBar->Width(), R.Top, FScrollBar->Width(), R.Height());
    }
  }

  if (FControlList->Count() == 0) return;
  const Integer FC = TBaseGrid::FixedCols();
  const Integer FR = TBaseGrid::FixedRows();
  for (Integer I = 0; I < FControlList->Count(); ++I) {
    TControlItem* Item = FControlList->GetControl(I);
    TControl* Ctl = Item->Control();
    if (!Ctl) continue;
    if (IsHiddenRow(Item->Y()) || IsHiddenColumn(Item->X())) {
      Ctl->SetVisible(false);
      continue;
    }
    const Integer c = RealToDisplayCol(Item->X());
    const Integer r = RealRowToDisplayRow(Item->Y());
    const bool OutOfView = c < LeftCol() || c > LeftCol() + VisibleColCount() || r < TopRow() ||
                           r > TopRow() + VisibleRowCount();
    const bool FixedCell = r < FR || c < FC;
    if (OutOfView && !FixedCell) {
      Ctl->SetVisible(false);
      continue;
    }
    if (!FixedCell) {
      const TRect R = CellRect(c, r);
      Ctl->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height() + 1);
      Ctl->SetVisible(true);
    }
  }
  for (Integer I = 0; I < FControlList->Count(); ++I) {
    TControlItem* Item = FControlList->GetControl(I);
    if (IsHiddenRow(Item->Y()) || IsHiddenColumn(Item->X())) continue;
    const Integer c = RealToDisplayCol(Item->X());
    const Integer r = RealRowToDisplayRow(Item->Y());
    if (c < LeftCol() || c > LeftCol() + VisibleColCount() || r < TopRow() || r > TopRow() + VisibleRowCount())
      continue;
    if (r < FR || c < FC) continue;
    TControl* Ctl = CellControls(Item->X(), r);
    if (Ctl && Ctl->Visible()) {
      Ctl->Invalidate();
      Ctl->SetWidth(Ctl->Width() + 1);
      Ctl->SetWidth(Ctl->Width() - 1);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Hooks
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TExStringGrid::CanInsertRow(Integer ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

void TExStringGrid::CheckBoxChange(Integer ACol, Integer ARow, bool State) {
  if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TExStringGrid::RatingChange(Integer ACol, Integer ARow, double& NewRate) {
  bool Allow = true;
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, Allow);
  return Allow;
}

void TExStringGrid::ColorSelect(Integer ACol, Integer ARow, TColor Color, const String& Value) {
  if (OnColorSelect) OnColorSelect(this, ACol, ARow, Color, Value);
}

void TExStringGrid::ImageSelect(Integer ACol, Integer ARow, Integer Index) {
  if (OnImageSelect) OnImageSelect(this, ACol, ARow, Index);
}
