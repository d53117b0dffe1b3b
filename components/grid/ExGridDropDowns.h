// The drop-down editors of the string grid: each drop-down control of the library wrapped so that
// it edits a cell. A wrapper keeps its grid, ends the edit when it loses the focus, claims the
// keys the grid must see, validates and commits on Enter, Up, Down and Tab, puts the cell's text
// back on Esc and reports text changes. The nine wrappers share that behaviour
// (TGridDropDownKeys in ExGridDropDowns.cpp) and differ only in the keys they claim, how the
// text goes back into the control and where the caret goes on focus.
//
// Also the date-and-time editor, on the library's date-time picker.
#pragma once

#include "components/dropdown/ExCalculatorDropDown.h"
#include "components/dropdown/ExColorPickerDropDown.h"
#include "components/dropdown/ExDateTimePicker.h"
#include "components/dropdown/ExDetailDropDown.h"
#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExImagePickerDropDown.h"
#include "components/dropdown/ExMemoDropDown.h"
#include "components/dropdown/ExMultiColumnDropDown.h"
#include "components/dropdown/ExTimePickerDropDown.h"
#include "components/dropdown/ExTrackBarDropDown.h"
#include "components/grid/ExCustomGridDropDown.h"

class TExStringGrid;
class TGridDropDownKeys;

class TGridTrackbarDropDown : public TExTrackBarDropDown {
 public:
  using TBase = TExTrackBarDropDown;
  explicit TGridTrackbarDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridTrackbarDropDown"; }
  // Lookup completion: the track bar has none.
  void DoChange() {}
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridMemoDropDown : public TExMemoDropDown {
 public:
  using TBase = TExMemoDropDown;
  explicit TGridMemoDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridMemoDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridCalculatorDropDown : public TExCalculatorDropdown {
 public:
  using TBase = TExCalculatorDropdown;
  explicit TGridCalculatorDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridCalculatorDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridTimepickerDropDown : public TExTimePickerDropDown {
 public:
  using TBase = TExTimePickerDropDown;
  explicit TGridTimepickerDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridTimepickerDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridDetailPickerDropDown : public TExDetailDropDown {
 public:
  using TBase = TExDetailDropDown;
  explicit TGridDetailPickerDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridDetailPickerDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridGridDropDown : public TExMultiColumnDropDown {
 public:
  using TBase = TExMultiColumnDropDown;
  explicit TGridGridDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridGridDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridColorDropDown : public TExColorPickerDropDown {
 public:
  using TBase = TExColorPickerDropDown;
  explicit TGridColorDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridColorDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

class TGridImageDropDown : public TExImagePickerDropDown {
 public:
  using TBase = TExImagePickerDropDown;
  explicit TGridImageDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridImageDropDown"; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

// The grid drop-down editor: its popup hosts a string grid as the list.
class TGridExGridDropDown : public TCustomExGridDropDown {
 public:
  using TBase = TCustomExGridDropDown;
  explicit TGridExGridDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridExGridDropDown"; }
  // The hosted grid of the popup.
  TExStringGrid* Grid() const { return GetGrid(); }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  friend class TGridDropDownKeys;
  void CMWantSpecialKey(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void Change() override;
  TExStringGrid* FGrid = nullptr;
};

// The date-and-time editor (edDateTimeEdit): one picker for the date and the time of day.
class TGridDateTimePicker : public TExDateTimePicker {
 public:
  explicit TGridDateTimePicker(TComponent* AOwner);
  String ClassName() const override { return u"TGridDateTimePicker"; }
  void ReCreate() { Invalidate(); }
  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  TExStringGrid* FGrid = nullptr;
};
