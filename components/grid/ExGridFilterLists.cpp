// The grid's two filter lists and the check-list box under the multiple-choice one.
//
// The lists close themselves when the user clicks elsewhere while the mouse is outside them. The
// class library sends cancel mode for that; the window system here moves the focus instead, so
// the loss of the focus is handled the same way.
#include "components/grid/ExGridFilter.h"

#include <algorithm>

#include "components/grid/ExGrid.h"

namespace {

// The column of the grid's open filter list, which the grid keeps for its filter handling.
class TFilterListAccess : public TExStringGrid {
 public:
  static Integer& FilterCol(TExStringGrid* G) { return G->*(&TFilterListAccess::FFilterCol); }
};

// Closes a filter list when the mouse lies outside it: the grid has no drop-down open any more.
bool CloseIfMouseOutside(TWinControl* List) {
  const TPoint P = List->ScreenToClient(GetCursorPos());
  const TRect R = List->ClientRect();
  if (P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) return false;
  if (auto* Grid = dynamic_cast<TExStringGrid*>(List->Owner())) TFilterListAccess::FilterCol(Grid) = -1;
  List->Hide();
  return true;
}

Integer MeasureText(const TFont* Font, const String& Text) {
  TBitmap Scratch(1, 1);
  Scratch.Canvas()->Font()->Assign(Font);
  return Scratch.Canvas()->TextWidth(Text);
}

constexpr Integer CheckBoxSize = 13;

}  // namespace

// --- TDropList -----------------------------------------------------------------------------------

TDropList::TDropList(TComponent* AOwner) : TCustomListBox(AOwner) {}

Integer TDropList::TextWidth(const String& Text) { return MeasureText(Font(), Text); }

Integer TDropList::ExtraWidth() const { return 4 + GetSystemMetrics(SM_CXVSCROLL); }

void TDropList::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_CANCELMODE: CMCancelMode(M); break;
    case WM_KILLFOCUS:
      TCustomListBox::Dispatch(M);
      if (Visible()) CloseIfMouseOutside(this);
      break;
    default: TCustomListBox::Dispatch(M); break;
  }
}

void TDropList::CMCancelMode(TMessage& M) {
  if (!CloseIfMouseOutside(this)) TCustomListBox::Dispatch(M);
}

void TDropList::WMGetDlgCode(TMessage& M) {
  TCustomListBox::WMGetDlgCode(M);
  M.Result |= DLGC_WANTALLKEYS;
}

void TDropList::KeyDown(Word& Key, TShiftState Shift) {
  TCustomListBox::KeyDown(Key, Shift);
  if (Key == VK_RETURN) {
    Hide();
    if (OnSelect) OnSelect(this, ItemIndex());
  }
}

void TDropList::WMLButtonUp(TMessage& M) {
  TCustomListBox::WMLButtonUp(M);
  TWMMouse mm{M};
  const TRect R = ClientRect();
  if (mm.XPos() >= R.Left && mm.XPos() < R.Right && mm.YPos() >= R.Top && mm.YPos() < R.Bottom) {
    Hide();
    if (OnSelect) OnSelect(this, ItemIndex());
  }
}

// --- TCheckListBox -------------------------------------------------------------------------------

TCheckListBox::TCheckListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  FTabStop = true;
  FColor = clWindow;
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
  FScrollBar = new TScrollBar(this);
  FScrollBar->SetKind(sbVertical);
  FScrollBar->SetVisible(false);
  FScrollBar->SetParent(this);
  FScrollBar->OnChange = [this](TObject*) {
    if (FScrollBar->Position() != FTopIndex) SetTopIndex(FScrollBar->Position());
  };
  SetBounds(0, 0, 121, 97);
}

TCheckListBox::~TCheckListBox() { FItems->OnChange = nullptr; }

Integer TCheckListBox::Count() const { return FItems->Count(); }

void TCheckListBox::Clear() { FItems->Clear(); }

bool TCheckListBox::Checked(Integer Index) const {
  return Index >= 0 && Index < static_cast<Integer>(FChecked.size()) && FChecked[Index];
}

void TCheckListBox::SetChecked(Integer Index, bool Value) {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  FChecked.resize(Count(), false);
  if (FChecked[Index] == Value) return;
  FChecked[Index] = Value;
  Invalidate();
}

void TCheckListBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  MakeVisible(Value);
  Invalidate();
}

void TCheckListBox::SetTopIndex(Integer Value) {
  Value = std::max(0, std::min(Value, Count() - VisibleItems()));
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  UpdateScrollBar();
  Invalidate();
}

Integer TCheckListBox::ItemHeight() {
  TBitmap Scratch(1, 1);
  Scratch.Canvas()->Font()->Assign(Font());
  const Integer H = Scratch.Canvas()->TextHeight(u"Wg") + 2;
  return std::max(H, CheckBoxSize + 3);
}

Integer TCheckListBox::VisibleItems() {
  const Integer H = ItemHeight();
  return std::max(1, (ClientHeight() - 2) / H);
}

Integer TCheckListBox::ItemAtPos(TPoint Pos) {
  const TRect R = ClientRect();
  if (Pos.X < R.Left || Pos.X >= R.Right || Pos.Y < 1 || Pos.Y >= R.Bottom - 1) return -1;
  const Integer i = FTopIndex + (Pos.Y - 1) / ItemHeight();
  return i < Count() ? i : -1;
}

void TCheckListBox::ToggleItem(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  SetChecked(Index, !Checked(Index));
  ClickCheck();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

Integer TCheckListBox::TextWidth(const String& Text) { return MeasureText(Font(), Text); }

Integer TCheckListBox::ExtraWidth() const { return 4 + CheckBoxSize + 6 + GetSystemMetrics(SM_CXVSCROLL); }

void TCheckListBox::MakeVisible(Integer Index) {
  if (Index < 0) return;
  if (Index < FTopIndex)
    SetTopIndex(Index);
  else if (Index >= FTopIndex + VisibleItems())
    SetTopIndex(Index - VisibleItems() + 1);
}

void TCheckListBox::ItemsChanged() {
  FChecked.resize(Count(), false);
  if (FItemIndex >= Count()) FItemIndex = -1;
  FTopIndex = std::max(0, std::min(FTopIndex, Count() - VisibleItems()));
  UpdateScrollBar();
  Invalidate();
}

void TCheckListBox::UpdateScrollBar() {
  const bool Needed = Count() > VisibleItems();
  if (Needed) {
    const Integer W = GetSystemMetrics(SM_CXVSCROLL);
    FScrollBar->SetBounds(ClientWidth() - W - 1, 1, W, std::max(0, ClientHeight() - 2));
    FScrollBar->SetParams(FTopIndex, 0, Count() - VisibleItems());
    FScrollBar->SetLargeChange(VisibleItems());
  }
  FScrollBar->SetVisible(Needed);
}

void TCheckListBox::Resize() {
  TCustomControl::Resize();
  FTopIndex = std::max(0, std::min(FTopIndex, Count() - VisibleItems()));
  UpdateScrollBar();
}

void TCheckListBox::Paint() {
  TCanvas* C = Canvas();
  const TRect R = ClientRect();
  C->Brush()->SetColor(Color());
  C->FillRect(R);
  C->Brush()->SetColor(clWindowFrame);
  C->FrameRect(R);
  C->Font()->Assign(Font());
  const Integer H = ItemHeight();
  const Integer Right = R.Right - 1 - (FScrollBar->Visible() ? FScrollBar->Width() : 0);
  const Integer Last = std::min(Count(), FTopIndex + VisibleItems() + 1);
  for (Integer i = FTopIndex; i < Last; ++i) {
    const TRect Item(1, 1 + (i - FTopIndex) * H, Right, 1 + (i - FTopIndex + 1) * H);
    if (Item.Top >= R.Bottom - 1) break;
    // The check box.
    const Integer BoxTop = Item.Top + (H - CheckBoxSize) / 2;
    const TRect Box(Item.Left + 2, BoxTop, Item.Left + 2 + CheckBoxSize, BoxTop + CheckBoxSize);
    C->Brush()->SetColor(clWindow);
    C->FillRect(Box);
    C->Brush()->SetColor(clBtnShadow);
    C->FrameRect(Box);
    if (Checked(i)) {
      C->Pen()->SetColor(clWindowText);
      C->Pen()->SetWidth(1);
      for (Integer d = 0; d < 3; ++d) {
        C->MoveTo(Box.Left + 3, Box.Top + 5 + d);
        C->LineTo(Box.Left + 5, Box.Top + 7 + d);
        C->LineTo(Box.Left + 10, Box.Top + 2 + d);
      }
    }
    // The text, on the selection colour for the current entry.
    const TRect TextR(Box.Right + 4, Item.Top, Item.Right, Item.Bottom);
    const bool Selected = i == FItemIndex;
    C->Brush()->SetColor(Selected ? clHighlight : Color());
    C->FillRect(TextR);
    C->Font()->SetColor(Selected ? clHighlightText : Font()->Color());
    C->Brush()->SetStyle(bsClear);
    C->TextRect(TextR, TextR.Left + 2, TextR.Top + (H - C->TextHeight(u"Wg")) / 2, FItems->Get(i));
    C->Brush()->SetStyle(bsSolid);
    if (Selected && Focused()) C->DrawFocusRect(TextR);
  }
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const Integer i = ItemAtPos(TPoint{X, Y});
  if (i < 0) return;
  SetItemIndex(i);
  ToggleItem(i);
}

void TCheckListBox::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCheckListBox::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const Integer Page = VisibleItems();
  switch (Key) {
    case VK_UP: SetItemIndex(std::max(0, FItemIndex - 1)); break;
    case VK_DOWN: SetItemIndex(std::min(Count() - 1, FItemIndex + 1)); break;
    case VK_PRIOR: SetItemIndex(std::max(0, FItemIndex - Page)); break;
    case VK_NEXT: SetItemIndex(std::min(Count() - 1, std::max(0, FItemIndex + Page))); break;
    case VK_HOME: SetItemIndex(Count() > 0 ? 0 : -1); break;
    case VK_END: SetItemIndex(Count() - 1); break;
    case VK_SPACE: ToggleItem(FItemIndex); break;
    default: return;
  }
  Key = 0;
}

bool TCheckListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  SetTopIndex(FTopIndex - (WheelDelta / 120) * std::max(1, WheelScrollLines()));
  return true;
}

// --- TDropCheckList ------------------------------------------------------------------------------

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}

void TDropCheckList::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_CANCELMODE: CMCancelMode(M); break;
    case WM_KILLFOCUS:
      TCheckListBox::Dispatch(M);
      if (Visible()) CloseIfMouseOutside(this);
      break;
    default: TCheckListBox::Dispatch(M); break;
  }
}

void TDropCheckList::CMCancelMode(TMessage& M) {
  if (!CloseIfMouseOutside(this)) TCheckListBox::Dispatch(M);
}

void TDropCheckList::ClickCheck() {
  TCheckListBox::ClickCheck();
  if (OnSelect) OnSelect(this, -1);
}
