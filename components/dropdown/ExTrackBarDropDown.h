// The track bar drop-down: an integer field whose popup is a horizontal track bar. The value,
// Position, lies between Min and Max. It changes by dragging the popup's slider, with Up and Down
// in the field (Up lowers the value, Down raises it, by Frequency), by dragging the mouse sideways
// over the field (one step per PageSize pixels), and by typing when typing is enabled. The field
// shows the value as plain decimal digits.
#pragma once

#include "components/dropdown/ExDropDown.h"

// The horizontal track bar of the popup: a channel with a thumb and a tick every Frequency. Its
// position stays within Min .. Max; OnChange fires on every change of the position, also one made
// in code. Left/Up and Right/Down step by one, PageUp/PageDown by PageSize, Home/End go to the ends;
// a press or drag on the channel moves the thumb under the mouse.
class TDropDownTrackBar : public TCustomControl {
 public:
  explicit TDropDownTrackBar(TComponent* AOwner);
  String ClassName() const override { return u"TDropDownTrackBar"; }

  Integer Min() const { return FMin; }
  // A minimum above the maximum takes the maximum along.
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  // A maximum below the minimum takes the minimum along.
  void SetMax(Integer Value);
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value) { FPageSize = Value; }
  Integer Frequency() const { return FFrequency; }
  void SetFrequency(Integer Value);

  // The position the thumb has at client x, and the thumb's rectangle.
  Integer PositionAt(Integer X) const;
  TRect ThumbRect() const;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMGetDlgCode(TMessage& M) override;
  // The x of a position on the channel.
  Integer XOf(Integer Position) const;
  void Changed();

  Integer FMin = 0;
  Integer FMax = 10;
  Integer FPosition = 0;
  Integer FPageSize = 2;
  Integer FFrequency = 1;
  bool FTracking = false;
};

class TExTrackBarDropDown : public TExCustomDropDown {
 public:
  explicit TExTrackBarDropDown(TComponent* AOwner);
  ~TExTrackBarDropDown() override;
  String ClassName() const override { return u"TExTrackBarDropDown"; }

  // Writes store, go to the track bar when it exists and take its value back (so its range keeps
  // them consistent). Before the first opening they are stored as given.
  Integer Position() const { return FPosition; }
  void SetPosition(Integer Value);
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  // The step of the arrow keys and the track bar's tick spacing.
  Integer Frequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  // The track bar's page step, and the pixels per step when dragging over the field (at least 1).
  Integer PageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);

  // The popup's track bar (nullptr before the first opening).
  TDropDownTrackBar* TrackBar() const { return FTrackBar; }
  // True while a drag over the field runs.
  bool MouseDragging() const { return FMouseDraging; }

  TNotifyEvent OnTrackChange;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void AfterDropUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetText(const String& Value) override;

 protected:
  void Loaded() override;
  // Forgets the track bar when it is freed (owned components go before the destructor runs).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Change() override;
  void WMKeyDown(TMessage& M) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void TrackBarChanged(TObject* Sender);

  TDropDownTrackBar* FTrackBar = nullptr;
  Integer FMin = 0;
  Integer FFrequency = 1;
  Integer FPageSize = 2;
  Integer FMax = 10;
  Integer FPosition = 0;
  bool FMouseDraging = false;
  Integer FMouseX = 0;
  // The value when the popup opened: a cancelled close brings it back.
  Integer FPositionAtOpening = 0;
};
