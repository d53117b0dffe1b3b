// Common controls: the rich edit used as plain text, the tree view, the page control and the
// date-time picker.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

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

// --- Date-time picker (ComCtrlsDateTime.cpp) ------------------------------------------------------

// A control that holds one date and time, shows it in the locale's short or long date format
// or its long time format (or a format of its own), and has a drop-down button (date, combo-box
// mode) or an up-down pair (time, or up-down mode) at its right edge.
//
// Editing: the date (or time) is made of three fields in the order the format shows them; Left and
// Right choose a field, Up and Down (and the up-down pair) step it; a field wraps round within its
// range (the day within its month) and the year stops at 1 and 9999. A click on the drop-down button, F4 or Alt+Down opens and closes the
// drop-down state (OnDropDown, OnCloseUp). OnChange fires for the user's changes, not for values
// set in code.
//
// The drop-down shows a month calendar below the picker (above it when there is no room below):
// a title with the month and year between two arrows that page the months, the days of the week
// from Monday, and six weeks of days with the marked day highlighted. A click on a day, or Enter,
// takes that day (keeping the time of day) and closes; Esc closes without a change, and so does
// a click elsewhere. While it is open, the arrow keys move the marked day by a day or a week and
// PgUp and PgDn by a month, in the calendar or in the picker.
//
// Digits typed into a field replace it: a day, month, hour, minute or second takes up to two
// digits and changes as soon as they make a valid value (a first 0 waits for the second digit; a
// digit that would make it too large starts the field anew), a year takes effect with its fourth
// digit. Choosing another field starts a new entry.
//
// With ShowCheckbox the picker shows a check box before the value; the user clears and sets it
// with a click or the space bar. While it is clear the value is shown greyed and cannot be edited
// or dropped down; the value itself is kept. Writing the value in code does not change the box.
//
// Notifications: the user's changes, the opening and the closing of the drop-down state reach the
// picker itself as CN_NOTIFY (DTN_DATETIMECHANGE, DTN_DROPDOWN, DTN_CLOSEUP) before the events
// fire, and every value or check-box write in code is a DTM_SETSYSTEMTIME message, so a derived
// picker can act on them in its message handling.

// The picker's notification codes (NMHDR code of CN_NOTIFY; LParam a TNMDateTimeChange*).
constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);
constexpr UINT DTN_DROPDOWN = static_cast<UINT>(-754);
constexpr UINT DTN_CLOSEUP = static_cast<UINT>(-753);
// The set-value message: WParam GDT_VALID with LParam a TDateTime* (the value to store; the
// check box stays as it is), or GDT_NONE (the check box is cleared; LParam unused).
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;
constexpr WPARAM GDT_VALID = 0;
constexpr WPARAM GDT_NONE = 1;

// The record of a picker notification.
struct TNMDateTimeChange {
  NMHDR hdr;
  // GDT_NONE when the change cleared the check box, else GDT_VALID.
  Cardinal dwFlags = 0;
  // The value after the change.
  TDateTime Value = 0;
};

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

class TMonthCalendarView;

class TDateTimePicker : public TCustomControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;
  String ClassName() const override { return u"TDateTimePicker"; }

  TDateTime DateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  // The date part (the time of day kept) and the time of day (the date kept).
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  // A format of its own (FormatDateTime rules); empty: the locale's format of the kind.
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);

  // The text shown.
  String DisplayText() const;
  // The field the keys step: 0..2 in the order of the format.
  Integer SelectedField() const { return FSelectedField; }
  void SetSelectedField(Integer Value);

  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);
  // The area of the drop-down button or the up-down pair at the right edge.
  TRect ButtonRect() const;

  // The check box before the value (see above).
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  // The area of the check box (empty without ShowCheckbox).
  TRect CheckboxRect() const;

  // The month calendar of the drop-down: its popup form and the control in it (nullptr before the
  // first opening), the day it marks, and where it shows a day and the month arrows (in the
  // control's client coordinates; empty for a day it does not show).
  TCustomForm* CalendarForm() const;
  TCustomControl* CalendarControl() const;
  TDateTime CalendarDate() const;
  TRect CalendarDayRect(TDateTime Day) const;
  TRect CalendarArrowRect(bool Next) const;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;
  void WMPaint(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // Steps the selected field by Delta as the user does (OnChange).
  void StepField(Integer Delta);
  // A digit typed into the selected field.
  void TypeDigit(Integer Digit);
  // The user's change of the value.
  void UserChange(TDateTime Value);
  // The user's click on the check box or its space bar.
  void UserToggleCheckbox();
  // Sends the picker the notification Code (CN_NOTIFY) with Flags.
  void Notify(UINT Code, Cardinal Flags);
  // The default handling of the set-value message and of the notifications.
  void DTMSetSystemTime(TMessage& M);
  void CNNotify(TMessage& M);
  String DisplayFormat() const;
  // Whether the picker shows the up-down pair instead of the drop-down button.
  bool ShowsUpDown() const { return FKind == dtkTime || FDateMode == dmUpDown; }
  // The value can be edited now (the check box, when shown, is set).
  bool Editable() const { return !FShowCheckbox || FChecked; }
  // The calendar of the drop-down: shows it for the current value, hides it.
  void ShowCalendar();
  void HideCalendar();
  bool CalendarShowing() const;
  // The calendar's choice of a day: the value takes it with its own time of day, and the drop-down
  // closes.
  void CalendarPick(TDateTime Day);
  // The calendar lost the activation: it closes, and a click on the button within 250 ms that
  // caused it does not open it again.
  void CalendarDeactivated();
  // Keys the picker passes to the open calendar; true when the calendar took the key.
  bool CalendarKey(Word Key);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TDateTime FDateTime = 0;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDTDateFormat FDateFormat = dfShort;
  String FFormat;
  Integer FSelectedField = 0;
  bool FDroppedDown = false;
  bool FShowCheckbox = false;
  bool FChecked = true;
  // The digits typed into the field FTypedField so far (FTypedCount of them), -1: none.
  Integer FTypedField = -1;
  Integer FTypedValue = 0;
  Integer FTypedCount = 0;
  TCustomForm* FCalendarForm = nullptr;
  TMonthCalendarView* FCalendar = nullptr;
  // When the calendar last closed by losing the activation.
  bool FCalendarDeactivated = false;
  Cardinal FCalendarClosedTick = 0;

  friend class TMonthCalendarView;
};
