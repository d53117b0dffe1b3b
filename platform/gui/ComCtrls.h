// Common controls: the rich edit used as plain text, the tree view and the page control.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/StdCtrls.h"

// --- Rich edit -------------------------------------------------------------------------------------

// A rich edit used as plain text: one line or many; Text joins the lines with CR LF.
class TRichEdit : public TCustomMemo {
 public:
  explicit TRichEdit(TComponent* AOwner);
  String ClassName() const override { return u"TRichEdit"; }
  bool PlainText() const { return true; }
  void SetPlainText(bool) {}
};

// --- Tree view -------------------------------------------------------------------------------------

class TTreeNodes;
class TTreeView;

class TTreeNode {
 public:
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;
  ~TTreeNode();

  const String& Text() const { return FText; }
  void SetText(const String& v);
  void* Data() const { return FData; }
  void SetData(void* v) { FData = v; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v) { FImageIndex = v; }
  Integer SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(Integer v) { FSelectedIndex = v; }

  TTreeNode* Parent() const { return FParent; }
  // The position among the siblings.
  Integer Index() const;
  // The depth: 0 for a node at the root level.
  Integer Level() const;
  Integer Count() const { return static_cast<Integer>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  // Raises EListError for an index outside the children.
  TTreeNode* Item(Integer Index) const;
  TTreeNode* operator[](Integer Index) const { return Item(Index); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next node in depth-first order, nullptr after the last.
  TTreeNode* GetNext() const;
  // The flat index in depth-first order over the whole tree.
  Integer AbsoluteIndex() const;

  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool v);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool v);
  bool Focused() const { return Selected(); }
  void MakeVisible() {}
  // Removes the node and its children from the tree and frees them.
  void Delete();
  void DeleteChildren();
  TTreeNodes* Owner() const { return FOwner; }
  TTreeView* TreeView() const;

 private:
  friend class TTreeNodes;
  explicit TTreeNode(TTreeNodes* Owner) : FOwner(Owner) {}
  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<TTreeNode*> FChildren;
  String FText;
  void* FData = nullptr;
  Integer FImageIndex = -1;
  Integer FSelectedIndex = -1;
  bool FExpanded = false;
};

// The nodes of a tree view.
class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  // All nodes, in depth-first order.
  Integer Count() const;
  // The node at a flat depth-first index; raises EListError outside 0..Count-1.
  TTreeNode* Item(Integer Index) const;
  TTreeNode* operator[](Integer Index) const { return Item(Index); }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  // The nodes at the root level.
  Integer RootCount() const { return static_cast<Integer>(FRoots.size()); }

  void Clear();
  // Adds a node at the end of Sibling's level (the root level for nullptr).
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Data);
  TTreeNode* AddFirst(TTreeNode* Sibling, const String& S);
  // Adds a node as the last child of Parent (the root level for nullptr).
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Data);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S);
  // Inserts a node before Sibling (at the end of the root level for nullptr).
  TTreeNode* Insert(TTreeNode* Sibling, const String& S);
  void Delete(TTreeNode* Node);
  void BeginUpdate() { ++FUpdate; }
  void EndUpdate() {
    if (FUpdate > 0) --FUpdate;
  }
  TTreeView* Owner() const { return FOwner; }

 private:
  friend class TTreeNode;
  friend class TTreeView;
  TTreeNode* InsertAt(TTreeNode* Parent, Integer Index, const String& S, void* Data);
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
  void Detach(TTreeNode* Node);
  TTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  Integer FUpdate = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TTreeView : public TWinControl {
 public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;
  String ClassName() const override { return u"TTreeView"; }

  TTreeNodes* Items() { return FItems.get(); }
  TTreeNode* Selected() const { return FSelected; }
  // Selects a node (nullptr: none); OnChange follows when the selection changed.
  void SetSelected(TTreeNode* v);
  void FullExpand();
  void FullCollapse();
  TTreeNode* GetNodeAt(Integer X, Integer Y) const;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool v);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool v);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool v) { FShowLines = v; }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool v) { FShowButtons = v; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v) { FImages = v; }

  TTVChangedEvent OnChange;

 protected:
  void CNCommand(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  virtual void Change(TTreeNode* Node);
  void ApplyOptions();
  // Called by the nodes.
  void NodeInserted(TTreeNode* Node);
  void NodeRemoving(TTreeNode* Node);
  friend class TTreeNodes;
  friend class TTreeNode;

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FHideSelection = true;
  bool FShowRoot = true;
  bool FShowLines = true;
  bool FShowButtons = true;
  TImageList* FImages = nullptr;
};

// --- Page control ----------------------------------------------------------------------------------

class TPageControl;

// One page of a page control; its tab shows only while TabVisible.
class TTabSheet : public TCustomControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  String ClassName() const override { return u"TTabSheet"; }
  void BeforeDestruction() override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* v);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool v);
  Integer PageIndex() const;
  void SetPageIndex(Integer v);
  // The index among the visible tabs, -1 while hidden.
  Integer TabIndex() const;
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v) { FImageIndex = v; }

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  Integer FImageIndex = -1;
  friend class TPageControl;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  String ClassName() const override { return u"TPageControl"; }

  Integer PageCount() const { return static_cast<Integer>(FPages.size()); }
  // Raises EListError for an index outside the pages.
  TTabSheet* Pages(Integer Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows a page of this control (nullptr: none); no OnChanging/OnChange in code.
  void SetActivePage(TTabSheet* Page);
  Integer ActivePageIndex() const;
  void SetActivePageIndex(Integer Index);
  // The tab index of the active page among the visible tabs.
  Integer TabIndex() const;
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  Integer TabHeight() const { return FTabHeight; }
  void SetTabHeight(Integer v);
  // The tab under a client point, -1 when none (an index among the visible tabs).
  Integer IndexOfTabAt(Integer X, Integer Y) const;
  TRect TabRect(Integer TabIndex) const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  void BoundsChanged() override;
  TRect AlignRect() const override;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void PlacePages();
  std::vector<TTabSheet*> VisibleTabs() const;
  // The user's choice of a page: OnChanging may refuse, OnChange follows.
  void ChangeActivePage(TTabSheet* Page);
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  Integer FTabHeight = 20;
  friend class TTabSheet;
};
