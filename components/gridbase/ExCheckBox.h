// The grid's custom-drawn check box: a themed or classic box and a caption, three states, an
// optional transparent background with a cached copy of the parent's background, the box placed
// at the top, centre or bottom, and a read-only mode. The string grid's search panel uses one as
// its "Match case" switch.
#pragma once

#include <memory>

#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"  // TCheckBoxState, TTextLayout

class TExCheckBox : public TCustomControl {
 public:
  explicit TExCheckBox(TComponent* AOwner);
  ~TExCheckBox() override;
  String ClassName() const override { return u"TExCheckBox"; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Keeps a copy of the parent's background while transparent (the name is the published one).
  bool TransparentChaching() const { return FTransparentCaching; }
  void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
  // The box is being pressed (mouse or space).
  bool Down() const { return FDown; }
  void SetDown(bool Value) { FDown = Value; }
  bool Hot() const { return FHot; }
  // The cached copy of the parent's background is valid.
  bool BackgroundCached() const { return FBkgCache; }

  // Checks an unchecked or grayed box and unchecks a checked one, unless ReadOnly.
  virtual void Toggle();

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void CMDialogChar(TMessage& M) override;

  // Copies what the parent shows under the control into Canvas.
  void PaintParentBackground(TCanvas* Canvas);

 private:
  bool FDown = false;
  TCheckBoxState FState = cbUnchecked;
  bool FFocused = false;
  bool FReturnIsTab = false;
  TTextLayout FBtnVAlign = tlTop;
  TAlignment FAlignment = taLeftJustify;
  bool FEllipsis = false;
  String FCaption = u"TExCheckBox";
  bool FIsWinXP = false;
  bool FHot = false;
  bool FClicksDisabled = false;
  bool FReadOnly = false;
  bool FMouseDown = false;
  std::unique_ptr<TBitmap> FBkgBmp;
  bool FBkgCache = false;
  bool FTransparentCaching = false;
  bool FTransparent = false;
};
