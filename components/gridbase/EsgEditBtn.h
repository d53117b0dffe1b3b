// The edit with an embedded button at its right edge, and the edit with a unit selector. The
// string grid derives its ellipsis-button and unit editors from TEsgEditBtn and TEsgUnitEditBtn.
#pragma once

#include <functional>
#include <memory>

#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/EsgPartEdit.h"
#include "platform/gui/Buttons.h"

class TEsgEditButton;

// The speed button inside the button part, painted with the part's colours, the visual theme or
// the classic look. Its owner is always a TEsgEditButton.
class TExSpeedButton : public TSpeedButton {
 public:
  explicit TExSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  String ClassName() const override { return u"TExSpeedButton"; }

  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // True while the mouse is over the button.
  bool Hot() const { return FHot; }

 protected:
  void Paint() override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  TEsgEditButton* Part() const;

  bool FIsWinXP = false;
  bool FHot = false;
};

// The button part: a windowed control that one speed button covers completely. A left-button
// release that follows a press on the speed button fires OnClick (Sender = the part), wherever
// the pointer is by then, and gives the focus to FocusControl.
class TEsgEditButton : public TWinControl {
 public:
  explicit TEsgEditButton(TComponent* AOwner);
  String ClassName() const override { return u"TEsgEditButton"; }

  TExSpeedButton* Button() const { return FButton; }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  Integer NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(Integer Value) { FButton->SetNumGlyphs(Value); }
  String ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);

  // Of the colours only ButtonColor, ButtonColorHot and ButtonColorDown change what is painted.
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value);
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value);
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value);
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

  TNotifyEvent OnClick;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMSize(TMessage& M) override;
  // The speed button covers the whole part.
  void CoverWithButton();
  void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

  TExSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  bool FFlat = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};

// A one-line edit with the button part at its right edge (Button, EditorEnabled and the layout
// are those of TEsgPartEdit). OnClickBtn fires when the button is released (Sender = the part) or
// F4 is pressed without Ctrl or Alt (Sender = the edit).
class TEsgEditBtn : public TEsgPartEdit<TEsgEditButton> {
 public:
  explicit TEsgEditBtn(TComponent* AOwner);
  String ClassName() const override { return u"TEsgEditBtn"; }

  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  String ButtonCaption() const { return FButton->ButtonCaption(); }
  void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool RightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);

  TNotifyEvent OnClickBtn;

  // Fires OnClickBtn with Sender.
  virtual void DoClickBtn(TObject* Sender);

  Integer MinHeight() const override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void WMChar(TMessage& M) override;
  void CMEnter(TMessage& M) override;
  // The alignment.
  void CreateParams() override;
  // Leaves room for the button (and the unit).
  void SetEditRect() override;

  // Pixels kept free for the unit text left of the button.
  Integer FUnitSize = 0;
  bool FRightAlign = false;
  Integer FButtonWidth = 18;
  bool FIsWinXP = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

// An edit with button whose button opens a menu of units; the current unit is drawn right-aligned
// inside the edit just left of the button.
class TEsgUnitEditBtn : public TEsgEditBtn {
 public:
  explicit TEsgUnitEditBtn(TComponent* AOwner);
  ~TEsgUnitEditBtn() override;
  String ClassName() const override { return u"TEsgUnitEditBtn"; }

  TStringList* Units() const { return FUnits.get(); }
  // Copies the list (nothing when none is given).
  void SetUnits(TStrings* Value);
  const String& UnitID() const { return FUnitID; }
  void SetUnitID(const String& Value);
  Integer UnitSpace() const { return FUnitSize; }
  void SetUnitSpace(Integer Value);

  // The edit text followed directly by the unit. Writing splits a text at the first unit of the
  // list that ends it: the part before becomes the text, the unit the current unit; a text that
  // no unit ends changes nothing.
  String TextAndUnit() const;
  void SetTextAndUnit(const String& Value);

  TUnitChangeEvent OnUnitChanged;

  // Fires OnClickBtn (Sender = the unit edit), then shows the unit menu.
  void DoClickBtn(TObject* Sender) override;

  void Invalidate() override;
  // What the unit edit draws over its window: the unit text.
  TBitmap* WindowImage() { return FWindowImage.Image(); }

 protected:
  void WMCommand(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void PaintUnit(TCanvas* C);

  String FUnitID;
  std::unique_ptr<TStringList> FUnits;
  TEsgWindowImage FWindowImage;
};
