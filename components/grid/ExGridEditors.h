// The string grid's editor controls: the text editor over a cell (TExInplaceEdit), the check
// box, spin, combo, edit-button, unit, button and date editors, the edit link through which an
// application plugs in a control of its own (TEditLink), the editors of fixed cells and of the
// form controls written into HTML cells. The drop-down editors live in ExGridDropDowns.h.
//
// Every control is owned and parented by its grid (a TExStringGrid) and keeps a reference to it.
// A control never stores a cell value itself: it reports to the grid through the grid's editing
// operations (ValidateCell, HideInplaceEdit, DoneInplaceEdit, ...) and fires the grid's events.
#pragma once

#include <functional>

#include "components/gridbase/EsgCombo.h"
#include "components/gridbase/EsgDatePicker.h"
#include "components/gridbase/EsgEditBtn.h"
#include "components/gridbase/ExGridTypes.h"
#include "platform/gui/Mask.h"
#include "components/gridbase/esgspin.h"
#include "platform/grids/Grids.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

class TExStringGrid;

// The grid of a control: its owner (or parent) as a string grid; raises EInvalidCast when it is
// something else.
TExStringGrid* GridOfEditor(TComponent* AOwner);

// Shared by the text editor and the edit-button editors (ExGridInplaceEdit.cpp): whether a typed
// character passes the filter of an editor type, and what it becomes. Answers 0 passed, 1 beep,
// 2 dropped silently.
Integer FilterEditorChar(TExStringGrid* Grid, TEditorType Type, TCustomEdit* Edit, Char& Ch);
// Whether a pasted text passes the paste filter of an editor type; Text may be changed.
bool FilterPastedText(TExStringGrid* Grid, TEditorType Type, String& Text);

// --- The size of a row and a column following the text while it is typed -----------------------------

class TSizeWhileTyping : public TPersistent {
 public:
  TSizeWhileTyping() = default;
  String ClassName() const override { return u"TSizeWhileTyping"; }
  void Assign(TPersistent* Source) override;

  // The row height follows the text.
  bool Height() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  // The column widens with the text.
  bool Width() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }

 private:
  bool FHeight = false;
  bool FWidth = false;
};

// --- The marking of rows changed by editing -----------------------------------------------------------

class TShowModified : public TPersistent {
 public:
  TShowModified() = default;
  String ClassName() const override { return u"TShowModified"; }
  // Copies Color and Enabled of another TShowModified.
  void Assign(TPersistent* Source) override;

  // Rows changed by editing are marked in their indicator cell (column 0).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TColor Color() const { return FColor; }
  // Stores the colour and fires OnChange.
  void SetColor(TColor Value);

  TNotifyEvent OnChange;

 private:
  bool FEnabled = false;
  TColor FColor = 0x0000FFFF;
};

// --- The text editor ---------------------------------------------------------------------------------

// The editor of every text editor type: per-character filters by editor type, a length limit,
// clipboard commands that ask the grid's events first, lookup completion, validation before the
// caret leaves the cell (Tab, Enter, Up / Down at the first / last line, cursor walk).
class TExInplaceEdit : public TInplaceEdit {
 public:
  explicit TExInplaceEdit(TComponent* AOwner);
  String ClassName() const override { return u"TExInplaceEdit"; }

  // The cell is right-aligned; writing recreates the window.
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);
  // The text wraps; writing recreates the window.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Maximum text length; 0 or less: no limit.
  int16_t LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int16_t Value) { FLengthLimit = Value; }

  // Lookup completion after a key release.
  void DoChange();

  void SetParent(TWinControl* AParent) override;
  void WndProc(TMessage& Message) override;
  void UpdateContents() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Dispatch(TMessage& M) override;

  // The grid the editor works for.
  TExStringGrid* Grid() const { return FGrid; }
  // The cell being edited (display column and row).
  Integer EditCol() const { return FColE; }
  Integer EditRow() const { return FRowE; }

 protected:
  // The window's creation: styles from VAlign, WordWrap and the editor type, the grid's word wrap,
  // length limit and password character.
  void CreateWnd();
  void BoundsChanged() override;
  void Change() override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMKeyDown(TMessage& M) override;
  void WMKeyUp(TMessage& M) override;
  void WMLButtonDblClk(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void WMPaste(TMessage& M);
  void WMCopy(TMessage& M);
  void WMCut(TMessage& M);
  void CMWantSpecialKey(TMessage& M) override;

  // The text, the selection and the grid's old value after a rejected validation.
  void RestoreAfterRejection(const String& OldCellText);
  // The caret's line and the line of the last character.
  Integer CaretLineIndex();
  Integer LastLineIndex();

  Integer FSelKeyDown = 0;
  Integer FOldSelStart = 0;
  int16_t FLengthLimit = 0;
  bool FValign = false;
  bool FWordWrap = false;
  bool FGotFocus = false;
  bool Workmode = true;
  TExStringGrid* FGrid = nullptr;
  Integer FColE = 0;
  Integer FRowE = 0;
  bool FAltBack = false;
  bool FPlacing = false;  // the editor is being placed over its cell
  bool FEnterRefused = false;  // the key-down of Enter was refused by the validation
};

// --- The check box, spin and combo editors ----------------------------------------------------------

class TGridCheckBox : public TCheckBox {
 public:
  explicit TGridCheckBox(TComponent* AOwner);
  String ClassName() const override { return u"TGridCheckBox"; }
  // Recreates the window (the platform's windows keep their styles: a repaint).
  void ReCreate();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  // The box's toggle as a click or Space does it.
  void ToggleBox() { Toggle(); }
  void Dispatch(TMessage& M) override;

 protected:
  void WMLButtonDown(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  TExStringGrid* FGrid = nullptr;
};

class TGridSpin : public TEsgSpinEdit {
 public:
  explicit TGridSpin(TComponent* AOwner);
  String ClassName() const override { return u"TGridSpin"; }
  void ReCreate();
  void UpClick(TObject* Sender) override;
  void DownClick(TObject* Sender) override;
  void DoExit() override;

 protected:
  void CMWantSpecialKey(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Change() override;
  // The spin-click event of the spin type.
  void DoSpinClick(bool UpDown);
  TExStringGrid* FGrid = nullptr;
};

class TGridCombo : public TEsgComboBox {
 public:
  explicit TGridCombo(TComponent* AOwner);
  String ClassName() const override { return u"TGridCombo"; }

  // Lookup completion after a key release.
  void DoChange();
  // Widens the dropped list to its widest item.
  void SizeDropDownWidth();

  // Enter pressed (Sender = the combo), before the grid commits.
  TNotifyEvent OnReturnKey;

  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

  bool Forced = false;
  bool WorkMode = true;
  Integer ItemIdx = 0;
  bool ItemChange = false;

 protected:
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  // The combo's edit selection (its edit field).
  void SetEditSel(Integer Start, Integer Length);
  Integer EditSelStart();
  Integer EditSelLength();
  TExStringGrid* FGrid = nullptr;
};

// --- The date, button and edit-button editors -------------------------------------------------------

class TGridDatePicker : public TEsgDateTimePicker {
 public:
  explicit TGridDatePicker(TComponent* AOwner);
  String ClassName() const override { return u"TGridDatePicker"; }
  void ReCreate();

  bool Weeknumbers() const { return FWeekNumbers; }
  void SetWeeknumbers(bool Value) { FWeekNumbers = Value; }
  bool ShowToday() const { return FShowToday; }
  void SetShowToday(bool Value) { FShowToday = Value; }
  bool ShowTodayCircle() const { return FShowTodayCircle; }
  void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }
  // The text the picker shows.
  String PickerText() const { return DisplayText(); }
  // Reads a date (or, in time mode, a time) written in the picker's own format or in the
  // locale's; false when it is neither.
  bool TextToValue(const String& Text, TDateTime& Value) const;

  // Moves to the next field once a typed digit completed the field being typed.
  virtual void ShiftFocus();
  // The field being typed takes no further digit (Highest: the field's largest value).
  bool TypedFieldComplete(Integer Highest) const;

  void WndProc(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;

 protected:
  void CMWantSpecialKey(TMessage& M) override;

  Word Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  bool FShowTodayCircle = true;
  TExStringGrid* FGrid = nullptr;
};

class TGridEditBtn : public TEsgEditBtn {
 public:
  explicit TGridEditBtn(TComponent* AOwner);
  String ClassName() const override { return u"TGridEditBtn"; }
  void ReCreate();

  // The edit ends after the button's OnEllipsClick returned.
  bool StopEditAfterClick() const { return FStopEditAfterClick; }
  void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }

  // The button: the grid's OnEllipsClick may change the text.
  void DoEllipsisClick(TObject* Sender);
  // Lookup completion after a key release.
  void DoChange();

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  void Dispatch(TMessage& M) override;

  bool WorkMode = true;

 protected:
  void WMChar(TMessage& M) override;
  void WMPaste(TMessage& M);
  void WMLButtonDblClk(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  void Change() override;

  Integer FSelKeyDown = 0;
  TExStringGrid* FGrid = nullptr;
  bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TEsgUnitEditBtn {
 public:
  explicit TGridUnitEditBtn(TComponent* AOwner);
  String ClassName() const override { return u"TGridUnitEditBtn"; }
  void ReCreate();

  // The button: the grid's OnEllipsClick may change the text, then the unit menu shows.
  void DoEllipsisClick(TObject* Sender);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 protected:
  void WMChar(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  TExStringGrid* FGrid = nullptr;
};

class TGridButton : public TButton {
 public:
  explicit TGridButton(TComponent* AOwner);
  String ClassName() const override { return u"TGridButton"; }
  void ReCreate();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 protected:
  void Dispatch(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  void WMLButtonUp(TMessage& M) override;
  // The button's action: OnEllipsClick may change the caption, which goes into the cell.
  void PressAction();
  // Hides the button and gives the focus back to the grid.
  void HideButton();
  TExStringGrid* FGrid = nullptr;
};

// --- Edit links ----------------------------------------------------------------------------------------

enum TEditStyle : Byte { esInplace, esPopup };

// The protocol through which an application's own editor control edits a cell (editor type
// edCustom). A descendant creates and owns the control; the link places it over the cell or in a
// popup form, routes keys between the control and the grid and moves the value both ways.
class TEditLink : public TComponent {
 public:
  explicit TEditLink(TComponent* AOwner);
  String ClassName() const override { return u"TEditLink"; }

  // The key routing; a descendant makes it its control's key-down handler.
  virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  virtual TWinControl* GetEditControl();
  virtual void CreateEditor(TWinControl* AParent);
  virtual void DestroyEditor();
  virtual void SetFocus(bool Value);
  virtual void SetRect(TRect R);
  virtual void SetVisible(bool Value);
  virtual void SetProperties();
  virtual void SetCellProps(TColor AColor, TFont* AFont);
  virtual String GetEditorValue();
  virtual void SetEditorValue(const String& s);

  void EditExit(TObject* Sender);
  // The popup form's deactivation.
  void FormExit(TObject* Sender);
  // The popup form for esPopup, else the grid.
  TWinControl* GetParent();
  String GetCellValue();
  void SetCellValue(const String& s);
  void HideEditor();
  void RestoreWinProc();

  TExStringGrid* Grid() const { return FOwner; }
  TPoint EditCell() const { return FEditCell; }

  bool WantKeyLeftRight() const { return FWantKeyLeftRight; }
  void SetWantKeyLeftRight(bool Value) { FWantKeyLeftRight = Value; }
  bool WantKeyUpDown() const { return FWantKeyUpDown; }
  void SetWantKeyUpDown(bool Value) { FWantKeyUpDown = Value; }
  bool WantKeyHomeEnd() const { return FWantKeyHomeEnd; }
  void SetWantKeyHomeEnd(bool Value) { FWantKeyHomeEnd = Value; }
  bool WantKeyPriorNext() const { return FWantKeyPriorNext; }
  void SetWantKeyPriorNext(bool Value) { FWantKeyPriorNext = Value; }
  bool WantKeyReturn() const { return FWantKeyReturn; }
  void SetWantKeyReturn(bool Value) { FWantKeyReturn = Value; }
  bool WantKeyEscape() const { return FWantKeyEscape; }
  void SetWantKeyEscape(bool Value) { FWantKeyEscape = Value; }
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle Value) { FEditStyle = Value; }
  Integer PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(Integer Value) { FPopupWidth = Value; }
  Integer PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(Integer Value) { FPopupHeight = Value; }
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool AutoPopupWidth() const { return FAutoPopupWidth; }
  void SetAutoPopupWidth(bool Value) { FAutoPopupWidth = Value; }
  Integer PopupLeft() const { return FPopupLeft; }
  void SetPopupLeft(Integer Value) { FPopupLeft = Value; }
  Integer PopupTop() const { return FPopupTop; }
  void SetPopupTop(Integer Value) { FPopupTop = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TForm* PopupForm() const { return FPopupForm; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Moves the focus back to the grid and commits the value into the current cell.
  void Commit();

  friend class TExStringGrid;
  TExStringGrid* FOwner = nullptr;
  bool FWantKeyLeftRight = false;
  bool FWantKeyUpDown = false;
  bool FWantKeyHomeEnd = false;
  bool FWantKeyPriorNext = false;
  bool FWantKeyReturn = false;
  bool FWantKeyEscape = false;
  TEditStyle FEditStyle = esInplace;
  TForm* FPopupForm = nullptr;
  Integer FPopupWidth = 0;
  Integer FPopupHeight = 0;
  bool FForcedExit = false;
  TPoint FEditCell;
  Integer FTag = 0;
  bool FAutoPopupWidth = false;
  Integer FPopupLeft = -1;
  Integer FPopupTop = -1;
  bool FSubClassed = false;
  bool FWantReturns = false;
  bool FWantTabs = false;
};

// --- The editors of fixed cells ---------------------------------------------------------------------

class TGridTransEdit : public TCustomEdit {
 public:
  explicit TGridTransEdit(TComponent* AOwner);
  String ClassName() const override { return u"TGridTransEdit"; }
  // Validates and writes the header text; false keeps the editor open on the cell.
  bool StopEdit();
  Integer Row() const { return FRow; }
  void SetRow(Integer Value) { FRow = Value; }
  Integer Col() const { return FCol; }
  void SetCol(Integer Value) { FCol = Value; }
  void KeyPress(Char& Key) override;
  void DoExit() override;

 protected:
  Integer FRow = 0;
  Integer FCol = 0;
  TExStringGrid* FGrid = nullptr;
};

class TGridTransCombo : public TCustomComboBox {
 public:
  explicit TGridTransCombo(TComponent* AOwner);
  String ClassName() const override { return u"TGridTransCombo"; }
  bool StopEdit();
  Integer Row() const { return FRow; }
  void SetRow(Integer Value) { FRow = Value; }
  Integer Col() const { return FCol; }
  void SetCol(Integer Value) { FCol = Value; }
  void KeyPress(Char& Key) override;
  void DoExit() override;

 protected:
  Integer FRow = 0;
  Integer FCol = 0;
  TExStringGrid* FGrid = nullptr;
};

// --- The editors of form controls in HTML cells ------------------------------------------------------

class TControlEdit : public TCustomMaskEdit {
 public:
  explicit TControlEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
  String ClassName() const override { return u"TControlEdit"; }
  void KeyPress(Char& Key) override;

 protected:
  void CMWantSpecialKey(TMessage& M) override;
};

class TControlCombo : public TEsgComboBox {
 public:
  explicit TControlCombo(TComponent* AOwner) : TEsgComboBox(AOwner) {}
  String ClassName() const override { return u"TControlCombo"; }
  void KeyPress(Char& Key) override;

 protected:
  void CMWantSpecialKey(TMessage& M) override;
};
