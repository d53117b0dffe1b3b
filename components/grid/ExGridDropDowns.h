// The drop-down editors of the string grid: each drop-down control of the library wrapped so that
// it edits a cell. A wrapper keeps its grid, ends the edit when it loses the focus, claims the
// keys the grid must see, validates and commits on Enter, Up, Down and Tab, puts the cell's text
// back on Esc and reports text changes. The nine wrappers share that behaviour
// (TGridDropDownEditor, with TGridDropDownKeys in ExGridDropDowns.cpp) and differ only in the keys
// they claim, how the text goes back into the control and where the caret goes on focus.
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

// Where the wrappers differ: which keys they claim, how texts go back into the control and where
// the caret goes on focus (the table is in ExGridDropDowns.cpp).
enum class TGridDropDownFamily { Plain, Trackbar, Memo, Calculator, Color };

// The members and handlers every wrapper has, on top of the drop-down control B it wraps. The
// handlers are defined in ExGridDropDowns.cpp for the wrappers below only.
template <class B, TGridDropDownFamily Family>
class TGridDropDownEditor : public B {
 public:
  using TBase = B;
  explicit TGridDropDownEditor(TComponent* AOwner);
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
  // The control's own handling of a typed character, which never lets a conversion error of the
  // field's text out of the key's event.
  void BeforeTypedEntry(Char& Key) override;
  TExStringGrid* FGrid = nullptr;
};

class TGridTrackbarDropDown
    : public TGridDropDownEditor<TExTrackBarDropDown, TGridDropDownFamily::Trackbar> {
 public:
  explicit TGridTrackbarDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridTrackbarDropDown"; }
  // Lookup completion: the track bar has none.
  void DoChange() {}
  void KeyUp(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
};

class TGridMemoDropDown : public TGridDropDownEditor<TExMemoDropDown, TGridDropDownFamily::Memo> {
 public:
  explicit TGridMemoDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridMemoDropDown"; }
};

class TGridCalculatorDropDown
    : public TGridDropDownEditor<TExCalculatorDropdown, TGridDropDownFamily::Calculator> {
 public:
  explicit TGridCalculatorDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridCalculatorDropDown"; }
  // A cell text that is no number cannot take part in a calculation: a keypad key or a character
  // typed in the popup then changes nothing, and no conversion error leaves the event.
  void CreateDropDownForm() override;
  void DropDownFormKeyPress(Char& Key) override;
};

class TGridTimepickerDropDown
    : public TGridDropDownEditor<TExTimePickerDropDown, TGridDropDownFamily::Plain> {
 public:
  explicit TGridTimepickerDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridTimepickerDropDown"; }
};

class TGridDetailPickerDropDown : public TGridDropDownEditor<TExDetailDropDown, TGridDropDownFamily::Plain> {
 public:
  explicit TGridDetailPickerDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridDetailPickerDropDown"; }
};

class TGridGridDropDown : public TGridDropDownEditor<TExMultiColumnDropDown, TGridDropDownFamily::Plain> {
 public:
  explicit TGridGridDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridGridDropDown"; }
};

class TGridColorDropDown : public TGridDropDownEditor<TExColorPickerDropDown, TGridDropDownFamily::Color> {
 public:
  explicit TGridColorDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridColorDropDown"; }
};

class TGridImageDropDown : public TGridDropDownEditor<TExImagePickerDropDown, TGridDropDownFamily::Plain> {
 public:
  explicit TGridImageDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridImageDropDown"; }
};

// The grid drop-down editor: its popup hosts a string grid as the list.
class TGridExGridDropDown : public TGridDropDownEditor<TCustomExGridDropDown, TGridDropDownFamily::Plain> {
 public:
  explicit TGridExGridDropDown(TComponent* AOwner);
  String ClassName() const override { return u"TGridExGridDropDown"; }
  // The hosted grid of the popup.
  TExStringGrid* Grid() const { return GetGrid(); }
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
