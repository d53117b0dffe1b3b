// The speed button: a button without a window and without focus that shows a glyph and a caption.
// The editor controls of the component library build their embedded buttons on it (the spin
// button pair, the edit button, the drop-down button).
//
// Behaviour kept to what those controls rely on:
// - A left press shows the button down and captures the mouse; moving off the pressed button shows
//   it up again, moving back shows it down; a release over the button clicks it (OnClick).
// - A button of a group (GroupIndex > 0) stays down after its click and lets the other buttons of
//   its group on the same parent up; AllowAllUp lets a click raise the down button of the group.
// - The glyph holds NumGlyphs images side by side: up, disabled, clicked, down. Its bottom-left
//   pixel gives the colour drawn transparent.
// - Classic look: a push-button frame; flat look: an edge only while hot or pressed.
#pragma once

#include <memory>

#include "platform/gui/Controls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  String ClassName() const override { return u"TSpeedButton"; }

  // The glyph (never nullptr; an empty bitmap when none). SetGlyph copies the bitmap (nullptr
  // clears the glyph).
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  // The number of images in the glyph, 1..4.
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value);

  bool Flat() const { return FFlat; }
  virtual void SetFlat(bool Value);
  // A transparent button leaves its background unpainted (the parent shows through).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);

  TButtonState State() const { return FState; }
  // True while the mouse is over the button (also when it is not pressed).
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;

  // The look of the classic button: its frame, the glyph and the caption in R.
  void PaintFrame(TRect& R);
  // Draws the glyph image of the current state and the caption inside R; Offset moves both (a
  // pressed button shows them one pixel right and down).
  void PaintGlyphAndCaption(const TRect& R, Integer Offset);
  // The index of the glyph image for the current state.
  Integer GlyphImage() const;
  // Copies glyph image Index into Dest, drawn transparent in the glyph's transparent colour.
  void ExtractGlyphImage(Integer Index, TBitmap& Dest) const;
  // Lets the other down buttons of the group up.
  void UpdateExclusive();

  std::unique_ptr<TBitmap> FGlyph;
  Integer FNumGlyphs = 1;
  bool FFlat = false;
  bool FTransparent = false;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  TButtonState FState = bsUp;
  bool FDragging = false;
  bool FMouseInControl = false;
};
