// The in-place editor and the grid's side of it: when it shows, what it loads, where it goes and
// how its text reaches the cell.
#include "platform/grids/Grids.h"

#include <algorithm>

// --- TInplaceEdit ----------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMemo(AOwner) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  FVisible = false;
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetWordWrap(false);
  SetScrollBars(ssNone);
  SetWantReturns(false);
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  struct Guard {
    bool& f;
    ~Guard() { f = false; }
  } guard{FLoading};
  FLoading = true;
  const Integer col = FGrid->Col(), row = FGrid->Row();
  SetEditMask(FGrid->GetEditMask(col, row));
  FLoadedText = FGrid->GetEditText(col, row);
  SetText(FLoadedText);
  SetMaxLength(FGrid->GetEditLimit());
  SetFont(FGrid->Font());
  SetColor(FGrid->Color());
}

void TInplaceEdit::Change() {
  TCustomMemo::Change();
  // Every change of the text goes into the cell at once.
  if (!FLoading && FGrid && FGrid->FInplaceEdit == this && FGrid->FInplaceCell.X >= 0) {
    ++FGrid->FEditUpdateLock;
    struct Unlock {
      Integer& n;
      ~Unlock() { --n; }
    } unlock{FGrid->FEditUpdateLock};
    FGrid->SetEditText(FGrid->FInplaceCell.X, FGrid->FInplaceCell.Y, Text());
  }
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  bool toGrid = false;
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: toGrid = true; break;
    case VK_TAB: toGrid = !Shift.Contains(ssAlt); break;
    default: break;
  }
  if (toGrid) {
    if (FGrid) FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TCustomMemo::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(Char& Key) {
  if (FGrid) FGrid->KeyPress(Key);
  if (Key == 27 && FGrid && FGrid->FInplaceEdit == this && FGrid->EditorMode() && FGrid->FInplaceCell.X >= 0) {
    // Esc takes the edit back: the text the editor was loaded with returns (into the cell too).
    SetText(FLoadedText);
    if (!FGrid->Options().Contains(goAlwaysShowEditor)) FGrid->HideEditor();
    Key = 0;
    return;
  }
  // The keys that end or leave an edit are never typed.
  if (Key == 13 || Key == 10 || Key == 9 || Key == 27) {
    Key = 0;
    return;
  }
  if (Key >= 32 && FMaxLength > 0 &&
      static_cast<Integer>(Text().size()) - SelLength() >= FMaxLength) {
    Key = 0;
    return;
  }
  if (Key != 0) TCustomMemo::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid) FGrid->KeyUp(Key, Shift);
  if (Key != 0) TCustomMemo::KeyUp(Key, Shift);
}

void TInplaceEdit::WMGetDlgCode(TMessage& M) {
  M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
  if (FGrid && FGrid->Options().Contains(goTabs)) M.Result |= DLGC_WANTTAB;
}

// --- The grid's side -------------------------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

String TCustomGrid::GetEditText(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return String();
}

void TCustomGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  (void)ACol;
  (void)ARow;
  (void)Value;
}

String TCustomGrid::GetEditMask(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return String();
}

Integer TCustomGrid::GetEditLimit() { return 0; }

bool TCustomGrid::CanEditShow() {
  if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect) || HasState(csDesigning)) return false;
  const bool always = FOptions.Contains(goAlwaysShowEditor);
  if (!FEditorMode && !always) return false;
  if (FCurrent.X < FFixedCols || FCurrent.Y < FFixedRows || FCurrent.X >= FColCount || FCurrent.Y >= FRowCount)
    return false;
  if (!Showing()) return false;
  return always || GridOrEditorFocused();
}

bool TCustomGrid::UpdateEdit() {
  if (FUpdatingEdit) return false;
  struct Guard {
    bool& f;
    ~Guard() { f = false; }
  } guard{FUpdatingEdit};
  FUpdatingEdit = true;
  if (!CanEditShow()) return false;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetVisible(false);
    FInplaceEdit->SetParent(this);
  }
  if (FInplaceCell != FCurrent) {
    // Moving to another cell: the old one keeps the text; the editor loads the new one.
    if (FInplaceCell.X >= 0) HideEdit(false);
    FInplaceCell = FCurrent;
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
  }
  PlaceEditor();
  if (FInplaceEdit->Visible() && Focused() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
  return true;
}

void TCustomGrid::PlaceEditor() {
  if (!FInplaceEdit || FInplaceCell.X < 0) return;
  TRect r = CellRect(FInplaceCell.X, FInplaceCell.Y);
  const TRect client = ClientRect();
  r.Right = std::min(r.Right, client.Right);
  r.Bottom = std::min(r.Bottom, client.Bottom);
  if (r.Right <= r.Left || r.Bottom <= r.Top) {
    // Scrolled out of view: the window hides until its cell comes back.
    if (FInplaceEdit->Visible()) {
      if (FInplaceEdit->Focused() && CanFocus()) SetFocus();
      FInplaceEdit->SetVisible(false);
    }
    return;
  }
  FInplaceEdit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  FInplaceEdit->SetVisible(true);
}

void TCustomGrid::HideEdit(bool RestoreFocus) {
  if (!FInplaceEdit) return;
  if (FInplaceCell.X >= 0) {
    const TGridCoord cell = FInplaceCell;
    {
      ++FEditUpdateLock;
      struct Unlock {
        Integer& n;
        ~Unlock() { --n; }
      } unlock{FEditUpdateLock};
      SetEditText(cell.X, cell.Y, FInplaceEdit->Text());
    }
    FInplaceCell = {-1, -1};
  }
  // The grid takes the focus before the editor hides, so the focus does not wander elsewhere.
  if (RestoreFocus && FInplaceEdit->Focused() && CanFocus()) SetFocus();
  if (FInplaceEdit->Visible()) FInplaceEdit->SetVisible(false);
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  if (!UpdateEdit() && !(FInplaceEdit && FInplaceCell == FCurrent)) FEditorMode = false;
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditorChar(Char Ch) {
  ShowEditor();
  if (FInplaceEdit && FInplaceCell == FCurrent && FInplaceEdit->Visible())
    PostMessage(FInplaceEdit->Handle(), WM_CHAR, Ch, 0);
}

void TCustomGrid::InvalidateEditor() {
  FInplaceCell = {-1, -1};
  UpdateEdit();
}

void TCustomGrid::EditorCellChanged(Integer ACol, Integer ARow, const String& NewText) {
  if (EditorWriting() || !FInplaceEdit || FInplaceCell.X != ACol || FInplaceCell.Y != ARow) return;
  if (FInplaceCell != FCurrent) return;
  if (FInplaceEdit->Text() != NewText) {
    FInplaceCell = {-1, -1};
    if (!UpdateEdit()) HideEdit();
  }
}
