// The standard controls: labels, edits, memos, combo boxes, buttons, check boxes, radio buttons,
// list boxes, scroll bars and group boxes.
//
// Event rules the dialogs rely on: an edit's OnChange fires whenever its text changes, also when
// Text is set in code; a combo box's OnChange fires on the user's action only (setting ItemIndex or
// Text in code does not fire it); a check box's OnClick fires also when Checked is set in code.
#pragma once

#include <memory>

#include "platform/gui/Controls.h"

// --- Labels ------------------------------------------------------------------------------------------

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  String ClassName() const override { return u"TCustomLabel"; }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* v);
  // Sizes the label to its caption (what AutoSize does after each change).
  void AdjustBounds();

 protected:
  // A label whose caption or font was set while its form was being built sizes itself once the
  // form has finished loading.
  void Loaded() override;
  void Paint() override;
  void Dispatch(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  Cardinal DrawTextFlags() const;

  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  String ClassName() const override { return u"TLabel"; }
};

// --- Edits ---------------------------------------------------------------------------------------------

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  String ClassName() const override { return u"TCustomEdit"; }

  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer v);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  Char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char v);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool Modified() const;
  void SetModified(bool v);
  // The edit rectangle: the part of the edit that shows the text. EM_SETRECT / EM_SETRECTNP set it
  // (LParam: a TRect* in client coordinates; nullptr gives the whole client area back) and the
  // editor keeps the space outside it free of text; EM_GETRECT reads it (LParam: a TRect* to
  // fill). The rectangle set last, or the client area when none was set.
  TRect EditRect() const;

  Integer SelStart() const;
  void SetSelStart(Integer v);
  Integer SelLength() const;
  void SetSelLength(Integer v);
  String SelText() const;
  // Replaces the selection (as typing would; MaxLength applies).
  void SetSelText(const String& v);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool CanUndo() const;

  TNotifyEvent OnChange;

  void Dispatch(TMessage& M) override;

 protected:
  TCustomEdit(TComponent* AOwner, TWidgetKind Kind);
  String GetText() const override;
  void SetTextImpl(const String& v) override;
  virtual void Change();
  void CNCommand(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void DoEnter() override;
  void BoundsChanged() override;
  String ApplyCase(const String& s) const;
  // Gives the editor the margins of the edit rectangle.
  void ApplyEditRect();
  // The length limit the editor gets for MaxLength (0: none).
  virtual Integer EditorMaxLength() const { return FMaxLength; }
  // Whether a typed character fits within MaxLength, and the part of a text to insert (pasted or
  // set as the selection) that fits. A one-line edit's editor keeps the limit itself.
  virtual bool RoomFor(Char ch) const {
    (void)ch;
    return true;
  }
  virtual String FitToLimit(const String& v) const { return v; }

  bool FHasEditRect = false;
  TRect FEditRect;
  Integer FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FReadOnly = false;
  Char FPasswordChar = 0;
  bool FAutoSelect = true;
  TAlignment FAlignment = taLeftJustify;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  String ClassName() const override { return u"TEdit"; }
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line plain text editor. Text joins the lines with CR LF.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  String ClassName() const override { return u"TCustomMemo"; }

  TStrings* Lines();
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  // The line of the caret and of a character, counted in displayed (wrapped) lines.
  Integer CaretLine() const;

 protected:
  String GetText() const override;
  void SetTextImpl(const String& v) override;
  void WMGetDlgCode(TMessage& M) override;
  void DoEnter() override;
  // MaxLength holds for typing and pasting: the text, a line break counted as CR LF, stays within
  // it (text set in code is not cut).
  bool RoomFor(Char ch) const override;
  String FitToLimit(const String& v) const override;
  // The places left below MaxLength once the selection is replaced.
  Integer RoomLeft() const;

  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;

 private:
  class TMemoStrings;
  std::unique_ptr<TMemoStrings> FLines;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  String ClassName() const override { return u"TMemo"; }
};

// --- Combo boxes -----------------------------------------------------------------------------------

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A combo box whose edit area cuts the text it shows gives that whole text as its hint.

class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  String ClassName() const override { return u"TCustomComboBox"; }

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  TStrings* Items() { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  Integer ItemIndex() const;
  // Selects an item (-1: none) without OnChange.
  void SetItemIndex(Integer v);
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  // The width of the drop-down list: at least the box's, wider when an item needs it (within the
  // screen), so the list cuts no item.
  Integer DroppedWidth() const;
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer v);
  Integer ItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer v);
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer v);
  bool Sorted() const;
  void SetSorted(bool v);
  void Clear();
  void SelectAll();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void Dispatch(TMessage& M) override;

 protected:
  String GetText() const override;
  void SetTextImpl(const String& v) override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  void CNCommand(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void ItemsChanged();

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TStringList> FItems;
  Integer FDropDownCount = 8;
  Integer FItemHeight = 16;
  Integer FMaxLength = 0;
  String FPendingText;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  String ClassName() const override { return u"TComboBox"; }
};

// --- Buttons, check boxes, radio buttons ----------------------------------------------------------

class TButtonControl : public TCustomControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  String ClassName() const override { return u"TButtonControl"; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

 protected:
  void Dispatch(TMessage& M) override;
  // Pressed state while the mouse or the space bar holds the control down.
  bool FPressed = false;
  bool FWordWrap = false;
  bool FHot = false;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  String ClassName() const override { return u"TButton"; }

  bool Default() const { return FDefault; }
  void SetDefault(bool v);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  // Gives the form its ModalResult (when not mrNone), then runs OnClick.
  void Click() override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;

  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeftSide, taRightSide };

class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  String ClassName() const override { return u"TCustomCheckBox"; }

  bool Checked() const { return FState == cbChecked; }
  // Changes the state; OnClick follows when the state changed, set in code or by the user.
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState v);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool v) { FAllowGrayed = v; }
  // taRightJustify (default): the box on the left and the caption to its right.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  // The user's toggle.
  virtual void Toggle();
  void PaintCheck(bool Radio);

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
  String ClassName() const override { return u"TCheckBox"; }
};

class TRadioButton : public TCustomCheckBox {
 public:
  explicit TRadioButton(TComponent* AOwner);
  String ClassName() const override { return u"TRadioButton"; }
  // Checking a radio button unchecks the radio buttons beside it (same parent).
  void SetChecked(bool v);

 protected:
  void Paint() override;
  void Toggle() override;
};

// --- List boxes ------------------------------------------------------------------------------------

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  String ClassName() const override { return u"TCustomListBox"; }

  TStrings* Items() { return FItems.get(); }
  void SetItems(TStrings* v) { FItems->Assign(v); }
  Integer ItemIndex() const;
  void SetItemIndex(Integer v);
  Integer Count() const { return FItems->Count(); }
  Integer TopIndex() const;
  void SetTopIndex(Integer v);
  // The item at a client point, -1 when none (or the nearest one unless Existing).
  Integer ItemAtPos(TPoint Pos, bool Existing) const;
  bool Sorted() const;
  void SetSorted(bool v);
  void Clear();

  void Dispatch(TMessage& M) override;

 protected:
  void CNCommand(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  std::unique_ptr<TStringList> FItems;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  String ClassName() const override { return u"TListBox"; }
};

// --- Scroll bars and group boxes -------------------------------------------------------------------

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
                   scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// A scroll bar that paints itself. The user's scrolling goes to the parent as WM_VSCROLL /
// WM_HSCROLL naming the bar, which the parent reflects back; the bar then moves and fires OnScroll
// and OnChange.
class TScrollBar : public TCustomControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  String ClassName() const override { return u"TScrollBar"; }

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind v);
  Integer Min() const { return FMin; }
  Integer Max() const { return FMax; }
  Integer Position() const { return FPosition; }
  // Moves the thumb; OnChange fires when the position changed.
  void SetPosition(Integer v);
  void SetParams(Integer APosition, Integer AMin, Integer AMax);
  void SetMin(Integer v) { SetParams(FPosition, v, FMax); }
  void SetMax(Integer v) { SetParams(FPosition, FMin, v); }
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer v);
  Integer SmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer v) { FSmallChange = v; }
  Integer LargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer v) { FLargeChange = v; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;
  virtual void Change();
  // A scroll request as the parent reflects it back (CN_VSCROLL / CN_HSCROLL).
  void DoScroll(Integer Code, Integer Pos);
  void SendScroll(Integer Code, Integer Pos);
  TRect ThumbRect() const;
  Integer ArrowSize() const;
  Integer TrackLength() const;
  Integer PosFromPixel(Integer Pixel) const;

  TScrollBarKind FKind = sbHorizontal;
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPosition = 0;
  Integer FPageSize = 0;
  Integer FSmallChange = 1;
  Integer FLargeChange = 1;
  Integer FDragOffset = -1;  // while the thumb is dragged: the mouse's offset into it
  Integer FPressCode = -1;   // while an arrow or page area is held
};

class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  String ClassName() const override { return u"TCustomGroupBox"; }

 protected:
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
  String ClassName() const override { return u"TGroupBox"; }
};
