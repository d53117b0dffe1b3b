// The memo drop-down: keeps a multi-line text, MemoText, and edits it in a popup memo. The
// one-line field shows a summary of the text: its first line, marked "..." when more lines follow
// or shortened with "..." to fit. With typing enabled the field shows the whole text instead, and
// typing into it replaces MemoText. Closing the popup copies the memo back into MemoText; a
// cancelled close resets the memo first.
#pragma once

#include <memory>

#include "components/dropdown/ExDropDown.h"

class TMemo;
class TPopupMenu;

// The one-line summary of a multi-line text in a field WidthAvailable pixels wide, measured with
// Canvas's font: the first line, with "..." appended when more lines follow, or shortened from the
// end with "..." when it does not fit. With ShowAll (or an empty text) the whole text, lines
// joined by line breaks.
String MemoSummaryText(TCanvas* Canvas, const TStrings* Lines, Integer WidthAvailable, bool ShowAll);

class TExMemoDropDown : public TExCustomDropDown {
 public:
  explicit TExMemoDropDown(TComponent* AOwner);
  ~TExMemoDropDown() override;
  String ClassName() const override { return u"TExMemoDropDown"; }

  // Open the popup when the field gets the focus.
  bool AutoDrop() const { return FAutoDrop; }
  void SetAutoDrop(bool Value) { FAutoDrop = Value; }
  // The value. The write copies the lines (an existing memo gets them too).
  TStrings* MemoText() const;
  void SetMemoText(const TStrings* Value);
  TPopupMenu* MemoPopup() const { return FMemoPopup; }
  void SetMemoPopup(TPopupMenu* Value);
  TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
  void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
  bool MemoReadOnly() const { return FMemoReadOnly; }
  // While the popup is open, the memo follows at once.
  void SetMemoReadOnly(bool Value);

  // The popup's memo (nullptr before the first opening).
  TMemo* Memo() const { return FMemo; }

  TNotifyEvent OnMemoChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoHideDropDown(bool CancelChanges) override;
  void AfterDropUp() override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

  // Rewrites the field from MemoText (runs on every change of MemoText).
  void UpdateEditText();

 protected:
  void Change() override;
  void DoEnter() override;
  // Forgets the memo when it is freed (owned components go before the destructor runs).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MemoChanged(TObject* Sender);
  void MemoTextChanged(TObject* Sender);

  TPopupMenu* FMemoPopup = nullptr;
  std::unique_ptr<TStringList> FMemoText;
  TMemo* FMemo = nullptr;
  TScrollStyle FMemoScrollBars = ssNone;
  bool FMemoReadOnly = false;
  bool FInternalUpdate = false;
  bool FAutoDrop = false;
  // MemoText when the popup opened, for a cancelled close of a field whose text was never written.
  String FMemoTextAtOpening;
};
