#include "platform/gui/ComCtrls.h"

#include <algorithm>

#include "platform/gui/ControlsBackend.h"

namespace {

[[noreturn]] void IndexError(Integer i) {
  throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(i)) + u")");
}

intptr_t IdOf(const TTreeNode* n) { return reinterpret_cast<intptr_t>(n); }

}  // namespace

// --- TRichEdit -------------------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}

// --- TTreeNode -------------------------------------------------------------------------------------

TTreeNode::~TTreeNode() {
  for (TTreeNode* c : FChildren) delete c;
}

void TTreeNode::SetText(const String& v) {
  FText = v;
  if (TTreeView* tv = TreeView())
    if (tv->Impl()) tv->Impl()->TreeSetText(IdOf(this), v);
}

Integer TTreeNode::Index() const {
  const auto& sib = FParent ? FParent->FChildren : FOwner->FRoots;
  auto it = std::find(sib.begin(), sib.end(), this);
  return it == sib.end() ? -1 : static_cast<Integer>(it - sib.begin());
}

Integer TTreeNode::Level() const {
  Integer l = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++l;
  return l;
}

TTreeNode* TTreeNode::Item(Integer Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FChildren[static_cast<size_t>(Index)];
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& sib = FParent ? FParent->FChildren : FOwner->FRoots;
  Integer i = Index();
  return i >= 0 && i + 1 < static_cast<Integer>(sib.size()) ? sib[static_cast<size_t>(i + 1)] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& sib = FParent ? FParent->FChildren : FOwner->FRoots;
  Integer i = Index();
  return i > 0 ? sib[static_cast<size_t>(i - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

Integer TTreeNode::AbsoluteIndex() const {
  Integer i = 0;
  for (TTreeNode* n = FOwner->GetFirstNode(); n; n = n->GetNext(), ++i)
    if (n == this) return i;
  return -1;
}

void TTreeNode::SetExpanded(bool v) {
  FExpanded = v;
  if (TTreeView* tv = TreeView())
    if (tv->Impl()) tv->Impl()->TreeSetExpanded(IdOf(this), v);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const {
  TTreeView* tv = TreeView();
  return tv && tv->Selected() == this;
}

void TTreeNode::SetSelected(bool v) {
  TTreeView* tv = TreeView();
  if (!tv) return;
  if (v)
    tv->SetSelected(this);
  else if (tv->Selected() == this)
    tv->SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FOwner->Delete(FChildren.back());
}

TTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

// --- TTreeNodes ------------------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* n : FRoots) delete n;
}

Integer TTreeNodes::Count() const {
  Integer i = 0;
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++i;
  return i;
}

TTreeNode* TTreeNodes::Item(Integer Index) const {
  if (Index >= 0) {
    Integer i = 0;
    for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext(), ++i)
      if (i == Index) return n;
  }
  IndexError(Index);
}

void TTreeNodes::Clear() {
  if (FOwner) {
    FOwner->FSelected = nullptr;
    if (FOwner->Impl()) FOwner->Impl()->TreeClear();
  }
  for (TTreeNode* n : FRoots) delete n;
  FRoots.clear();
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* Parent, Integer Index, const String& S, void* Data) {
  auto* n = new TTreeNode(this);
  n->FParent = Parent;
  n->FText = S;
  n->FData = Data;
  auto& sib = SiblingsOf(Parent);
  Index = std::clamp<Integer>(Index, 0, static_cast<Integer>(sib.size()));
  sib.insert(sib.begin() + Index, n);
  if (FOwner) FOwner->NodeInserted(n);
  return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Data) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return InsertAt(parent, static_cast<Integer>(SiblingsOf(parent).size()), S, Data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S) {
  return InsertAt(Sibling ? Sibling->FParent : nullptr, 0, S, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Data) {
  return InsertAt(Parent, static_cast<Integer>(SiblingsOf(Parent).size()), S, Data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S) { return InsertAt(Parent, 0, S, nullptr); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling) return InsertAt(nullptr, static_cast<Integer>(FRoots.size()), S, nullptr);
  return InsertAt(Sibling->FParent, Sibling->Index(), S, nullptr);
}

void TTreeNodes::Detach(TTreeNode* Node) {
  auto& sib = SiblingsOf(Node->FParent);
  sib.erase(std::remove(sib.begin(), sib.end(), Node), sib.end());
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  if (FOwner) FOwner->NodeRemoving(Node);
  Detach(Node);
  delete Node;
}

// --- TTreeView -------------------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner, wkTreeView) {
  FTabStop = true;
  FColor = clWindow;
  FControlStyle &= ~static_cast<uint32_t>(csSetCaption);
  FItems = std::make_unique<TTreeNodes>(this);
  if (FImpl) FImpl->SetColor(FColor);
  ApplyOptions();
  SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
  FSelected = nullptr;
  FItems.reset();
}

void TTreeView::NodeInserted(TTreeNode* Node) {
  if (!FImpl) return;
  FImpl->TreeInsert(IdOf(Node), IdOf(Node->Parent()), Node->Index(), Node->Text());
}

void TTreeView::NodeRemoving(TTreeNode* Node) {
  for (TTreeNode* s = FSelected; s; s = s->Parent())
    if (s == Node) {
      FSelected = nullptr;
      break;
    }
  if (FImpl && !HasState(csDestroying)) FImpl->TreeRemove(IdOf(Node));
}

void TTreeView::SetSelected(TTreeNode* v) {
  if (v == FSelected) return;
  FSelected = v;
  if (FImpl) FImpl->TreeSetSelected(IdOf(v));
  Change(v);
}

void TTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TTreeView::FullExpand() {
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
}

void TTreeView::FullCollapse() {
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
}

TTreeNode* TTreeView::GetNodeAt(Integer X, Integer Y) const {
  if (!FImpl) return nullptr;
  intptr_t id = FImpl->TreeNodeAt(TPoint(X, Y));
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
    if (IdOf(n) == id) return n;
  return nullptr;
}

void TTreeView::ApplyOptions() {
  if (FImpl) FImpl->TreeSetOptions(FShowRoot, FRowSelect, FHideSelection, FReadOnly);
}

void TTreeView::SetReadOnly(bool v) {
  FReadOnly = v;
  ApplyOptions();
}
void TTreeView::SetRowSelect(bool v) {
  FRowSelect = v;
  ApplyOptions();
}
void TTreeView::SetHideSelection(bool v) {
  FHideSelection = v;
  ApplyOptions();
}
void TTreeView::SetShowRoot(bool v) {
  FShowRoot = v;
  ApplyOptions();
}

void TTreeView::CNCommand(TMessage& M) {
  // The user chose another node.
  if (M.WParamHi() != 1 || !FImpl) return;
  intptr_t id = FImpl->TreeSelected();
  TTreeNode* node = nullptr;
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNext())
    if (IdOf(n) == id) {
      node = n;
      break;
    }
  if (node == FSelected) return;
  FSelected = node;
  Change(node);
}

void TTreeView::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

// --- TTabSheet -------------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  FParentColor = true;
  FVisible = false;
  FControlStyle |= csAcceptsControls;
}

TTabSheet::~TTabSheet() { TTabSheet::BeforeDestruction(); }

void TTabSheet::BeforeDestruction() {
  if (FPageControl) {
    TPageControl* pc = FPageControl;
    pc->RemovePage(this);
  }
  TCustomControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* v) {
  if (v == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(v);
}

Integer TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& p = FPageControl->FPages;
  auto it = std::find(p.begin(), p.end(), this);
  return it == p.end() ? -1 : static_cast<Integer>(it - p.begin());
}

void TTabSheet::SetPageIndex(Integer v) {
  if (!FPageControl) return;
  auto& p = FPageControl->FPages;
  p.erase(std::remove(p.begin(), p.end(), this), p.end());
  v = std::clamp<Integer>(v, 0, static_cast<Integer>(p.size()));
  p.insert(p.begin() + v, this);
  FPageControl->Invalidate();
}

Integer TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  std::vector<TTabSheet*> v = FPageControl->VisibleTabs();
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == FTabVisible) return;
  FTabVisible = v;
  if (FPageControl) {
    // A hidden tab's page does not stay on show: the next visible page (else the previous) does.
    if (!v && FPageControl->FActivePage == this) {
      TTabSheet* next = FPageControl->FindNextPage(this, true, true);
      FPageControl->SetActivePage(next != this ? next : nullptr);
    }
    FPageControl->PlacePages();
    FPageControl->Invalidate();
  }
}

void TTabSheet::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
}

void TTabSheet::Dispatch(TMessage& M) {
  TCustomControl::Dispatch(M);
  if (M.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->Invalidate();
}

// --- TPageControl ----------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FColor = clBtnFace;
  FControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(Integer Index) const {
  if (Index < 0 || Index >= PageCount()) IndexError(Index);
  return FPages[static_cast<size_t>(Index)];
}

void TPageControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_CONTROLLISTCHANGE: {
      auto* c = reinterpret_cast<TControl*>(M.WParam);
      if (auto* sheet = dynamic_cast<TTabSheet*>(c)) {
        if (M.LParam) InsertPage(sheet);
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      TCustomControl::Dispatch(M);
      TWMMouse mm{M};
      Integer i = IndexOfTabAt(mm.XPos(), mm.YPos());
      if (i >= 0) {
        std::vector<TTabSheet*> tabs = VisibleTabs();
        ChangeActivePage(tabs[static_cast<size_t>(i)]);
      }
      break;
    }
    default:
      TCustomControl::Dispatch(M);
  }
}

void TPageControl::InsertPage(TTabSheet* Page) {
  if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end()) return;
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FActivePage && Page->TabVisible())
    SetActivePage(Page);
  else
    PlacePages();
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  if (FActivePage == Page) {
    TTabSheet* next = FindNextPage(Page, true, true);
    FActivePage = nullptr;
    FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
    Page->FPageControl = nullptr;
    if (next && next != Page) SetActivePage(next);
  } else {
    FPages.erase(it);
    Page->FPageControl = nullptr;
  }
  if (!HasState(csDestroying)) {
    PlacePages();
    Invalidate();
  }
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> v;
  for (TTabSheet* p : FPages)
    if (p->TabVisible()) v.push_back(p);
  return v;
}

TRect TPageControl::AlignRect() const { return Rect(4, FTabHeight + 4, std::max(4, FWidth - 4), std::max(FTabHeight + 4, FHeight - 4)); }

void TPageControl::PlacePages() {
  TRect r = AlignRect();
  for (TTabSheet* p : FPages) {
    p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    p->SetVisible(p == FActivePage);
  }
}

void TPageControl::BoundsChanged() {
  TCustomControl::BoundsChanged();
  PlacePages();
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  FActivePage = Page;
  PlacePages();
  if (Page) Page->BringToFront();
  Invalidate();
}

Integer TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(Integer Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? FPages[static_cast<size_t>(Index)] : nullptr);
}

Integer TPageControl::TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  const Integer n = PageCount();
  if (n == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  Integer start = it == FPages.end() ? (GoForward ? n - 1 : 0) : static_cast<Integer>(it - FPages.begin());
  Integer i = start;
  for (Integer step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TTabSheet* p = FPages[static_cast<size_t>(i)];
    if (!CheckTabVisible || p->TabVisible()) return p;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* p = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (p && p != FActivePage) ChangeActivePage(p);
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == FActivePage) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  SetActivePage(Page);
  if (OnChange) OnChange(this);
}

void TPageControl::SetTabHeight(Integer v) {
  FTabHeight = std::max<Integer>(8, v);
  PlacePages();
  Invalidate();
}

TRect TPageControl::TabRect(Integer TabIndex) const {
  std::vector<TTabSheet*> tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<Integer>(tabs.size())) return TRect();
  TCanvas measure;
  measure.Font()->Assign(&FFont);
  Integer x = 2;
  for (Integer i = 0; i < static_cast<Integer>(tabs.size()); ++i) {
    const Integer w = measure.TextWidth(tabs[static_cast<size_t>(i)]->Caption()) + 16;
    if (i == TabIndex) return Rect(x, 2, x + w, FTabHeight + 2);
    x += w;
  }
  return TRect();
}

Integer TPageControl::IndexOfTabAt(Integer X, Integer Y) const {
  const Integer n = static_cast<Integer>(VisibleTabs().size());
  for (Integer i = 0; i < n; ++i)
    if (PtInRect(TabRect(i), TPoint(X, Y))) return i;
  return -1;
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  TRect body = Rect(0, FTabHeight + 2, FWidth, FHeight);
  DrawEdge(c, body, EDGE_RAISED, BF_RECT);
  c->Font()->Assign(&FFont);
  c->SetBkMode(TRANSPARENT);
  std::vector<TTabSheet*> tabs = VisibleTabs();
  for (Integer i = 0; i < static_cast<Integer>(tabs.size()); ++i) {
    TRect r = TabRect(i);
    const bool active = tabs[static_cast<size_t>(i)] == FActivePage;
    if (!active) r.Top += 2;
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    TRect edge = r;
    edge.Bottom += active ? 2 : 0;
    DrawEdge(c, edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    c->Brush()->SetStyle(bsClear);
    DrawText(c, tabs[static_cast<size_t>(i)]->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}
