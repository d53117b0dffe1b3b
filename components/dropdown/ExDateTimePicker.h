// Two controls on top of the class library's date-time picker:
// - TCustomDateTimePicker moves the caret to the next field by itself after a digit typed with
//   AutoTab, and draws its own frame and drop button in a flat look (MetroStyle) with custom colours.
// - TExDateTimePicker edits a date, a time or both (Kind). For both it embeds a second, time-only
//   picker at its right edge and keeps the two values together; it has a caption label beside it
//   as the drop-down editors have.
//
// AutoTab: after a digit key the picker posts itself the registered message "DTPShiftFocus"; when
// it arrives, the platform picker has applied the digit, and DoShiftFocus compares the value with
// the one before the key: a changed field moves the caret on (a Right-arrow key-down), and the
// last field of the date moves the focus to the embedded time picker.
//
// The check box of the platform picker (ShowCheckbox, Checked) also governs the embedded time
// picker: it is enabled only while the box is set.
//
// Values drop their milliseconds on every write.
#pragma once

#include <memory>

#include "components/gridbase/EsgCombo.h"
#include "components/gridbase/EsgDatePicker.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"

// The identifier of the registered message "DTPShiftFocus", as a 16-bit value.
Word DTPShiftFocusMessage();

// The flat look, border and button colours come from the grid library's flat picker.
class TCustomDateTimePicker : public TFlatDateTimePicker {
 public:
  explicit TCustomDateTimePicker(TComponent* AOwner);
  ~TCustomDateTimePicker() override;
  String ClassName() const override { return u"TCustomDateTimePicker"; }

  // A digit typed moves the caret to the next field once the value changed.
  bool AutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value);
  // True: the picker never paints the own frame.
  virtual bool NativeFrame() const { return true; }
  // The reaction to "DTPShiftFocus".
  virtual void DoShiftFocus();

  // State the painting reads.
  bool IsThemed() const { return FIsThemed; }
  bool IsWinXP() const { return FIsWinXP; }

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& M) override;

  // The own frame (MetroStyle, without NativeFrame, when disabled or with a BorderColor).
  void PaintFrame() override;

 protected:
  void WMChar(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void WMNCPaint(TMessage& M);
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  // The own drop button of a date picker in the flat look.
  void PaintMetroButton(TCanvas* C);
  bool ThemeActive() const;
  // Remembers the time fields of the value before a digit key.
  void RememberTime();

  bool FAutoTab = false;
  Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

enum TExDateTimeKind : Byte { dkDate, dkTime, dkDateTime };

class TExDateTimePicker : public TCustomDateTimePicker {
 public:
  explicit TExDateTimePicker(TComponent* AOwner);
  ~TExDateTimePicker() override;
  String ClassName() const override { return u"TExDateTimePicker"; }
  void BeforeDestruction() override;

  // --- Kind and values ---
  TExDateTimeKind Kind() const { return FKind; }
  void SetKind(TExDateTimeKind Value);
  // The value, with the embedded time picker's time taken in first.
  TDateTime DateTime();
  virtual void SetDateTime(TDateTime Value);
  TDateTime Date() const { return TDateTimePicker::Date(); }
  // The date of Value with the current time of day.
  void SetDate(TDateTime Value);
  // The embedded time picker's time for dkDateTime, else the picker's own.
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  const String& Format() const { return TDateTimePicker::Format(); }
  void SetFormat(const String& Value) { TDateTimePicker::SetFormat(Value); }
  // The format of the embedded time picker (and of a dkTime picker itself).
  const String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value);
  // The embedded time picker (nullptr when there is none).
  TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
  bool NativeFrame() const override { return false; }

  void SetAutoTab(bool Value) override;
  void SetBorderStyle(TBorderStyle Value) override;
  void DoShiftFocus() override;

  // --- Look (border and button colours: the flat picker's) ---
  // "1.2.0.0" from GetVersionNr; writes change nothing.
  String Version() const;
  void SetVersion(const String&) {}
  virtual Integer GetVersionNr() const { return 0x01020000; }

  // --- Label ---
  TLabel* PickerLabel() const { return FLabel; }
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(const TFont* Value);

  // --- Events ---
  TNotifyEvent OnTimeChange;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

  // --- Virtual operations ---
  virtual void DoChange();
  virtual void DoClick();
  // Key presses in the embedded time picker; nothing here.
  virtual void TimePickerKeyPress(Char& Key);

  void Loaded() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool v) override;
  void Dispatch(TMessage& M) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMChar(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void WMSize(TMessage& M) override;
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void CMVisibleChanged(TMessage& M) override;
  void CMColorChanged(TMessage& M) override;
  void CMFontChanged(TMessage& M) override;
  void CMParentFontChanged(TMessage& M) override;

  // Creates the embedded time picker (only for dkDateTime and only when there is none).
  void CreateTimePicker();
  // Brings the embedded time picker in line with this picker; destroys it for other kinds.
  void UpdateTimePicker();
  // Places the embedded time picker at the right edge.
  void LayoutTimePicker();
  // Places the label beside the picker.
  void UpdateLabel();
  void LabelFontChanged(TObject* Sender);
  // The check-box rules after a set-value message and a value-change notification.
  void AfterSetValue(TMessage& M);
  void AfterValueChange(TMessage& M);

  TExDateTimeKind FKind = dkDateTime;
  String FTimeFormat;
  Word Fy = 0, Fm = 0, Fd = 0;
  TLabel* FLabel = nullptr;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  Integer FLabelMargin = 4;
  bool FLabelTransparent = false;
  bool FFocusLabel = false;
  bool FLabelAlwaysEnabled = false;
  bool FParentFnt = false;
  bool FIgnoreTimePickerCheck = false;
  bool FFirstRun = true;
  TCustomDateTimePicker* FTimePicker = nullptr;
  // Whether the picker has had a parent (its window is made with the first one).
  bool FWindowCreated = false;
  bool FUpdatingTimePicker = false;
};
