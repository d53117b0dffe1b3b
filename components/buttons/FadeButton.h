// TFadeButton: the push button of every dialog. A self-painted windowed control with six drawing
// styles, colour presets, a glyph strip of up to four frames (normal, disabled, pressed, hot), a
// caption that is shortened or wrapped, a hot-track colour that follows the mouse and can fade out
// through a thread of its own, Default / Cancel keys, a modal result and an optional popup menu.
#pragma once

#include <memory>

#include "components/buttons/FadeButtons.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

class TFadeButtonThread;
class TCustomForm;

class TFadeButton : public TCustomControl {
 public:
  // 100 x 23, tab stop, clBtnFace, centred caption, bsNormal; the fade thread is created suspended.
  explicit TFadeButton(TComponent* AOwner);
  ~TFadeButton() override;
  String ClassName() const override { return u"TFadeButton"; }
  void BeforeDestruction() override;

  // Caption, Hint / ShowHint, Color, Font, Visible, bounds, Parent, TabStop, TabOrder and PopupMenu
  // are the control's own (TControl / TWinControl). OnClick and OnMouseEnter are the control's
  // events, fired by the button as described at Click and at the mouse handling.

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // Reads lcsCustom always; writing a preset applies its colours (lcsCustom changes nothing).
  TFadeColorStyle ColorStyle() const { return FDummyStyle; }
  void SetColorStyle(TFadeColorStyle v);
  // The face colour while pressed; clNone keeps the face colour.
  TColor ColorWhenDown() const { return FColorWhenDown; }
  void SetColorWhenDown(TColor v) { FColorWhenDown = v; }
  // Enter anywhere in the dialog presses a Default button, Escape a Cancel button (when they are
  // visible and enabled).
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  bool Cancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  // Enables or disables the button, clears its pressed state and repaints it.
  void SetEnabled(bool v) override;
  // Frame only while hot or pressed.
  bool Flat() const { return FFlat; }
  void SetFlat(bool v);
  // The glyph strip: NumGlyphs frames side by side. SetGlyph copies the bitmap, sets NumGlyphs to
  // width div height and Kind to bkCustom; nullptr empties the glyph.
  TBitmap* Glyph() { return FGlyph.get(); }
  void SetGlyph(TBitmap* v);
  // The face colour under the mouse; clNone: no hot tracking.
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
  // The font used while hot when UseHotTrackFont is set.
  TFont* HotTrackFont() { return FHTFont.get(); }
  void SetHotTrackFont(const TFont* v);
  bool UseHotTrackFont() const { return FUseHTFont; }
  void SetUseHotTrackFont(bool v) { FUseHTFont = v; }
  // A preset kind loads its glyph, caption and modal result.
  TFadeButtonKind Kind() const { return FKind; }
  void SetKind(TFadeButtonKind v);
  TFadeButtonLayout Layout() const { return FLayout; }
  void SetLayout(TFadeButtonLayout v);
  // Light edge colour (also the bsModern gradient colour) and dark edge colour.
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor v);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor v);
  // Given to the parent form on click when not mrNone; setting it turns Kind to bkCustom.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v);
  Integer NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer v);
  // Fade the hot-track colour out after the mouse leaves instead of dropping it at once.
  bool SlowDecease() const { return FSlowDecease; }
  void SetSlowDecease(bool v);
  // bsModern, bsShape and bsQuicken make the window transparent (TransparentWindow): the parent's
  // painting shows wherever the face leaves the button; the other styles make it opaque again.
  TFadeButtonStyle Style() const { return FStyle; }
  void SetStyle(TFadeButtonStyle v);
  // The caption may wrap instead of being shortened.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

  TNotifyEvent OnMouseExit;

  // Presses the button: OnClick, then the modal result to the form, then the popup menu; then the
  // linked action runs.
  void Click() override;
  void Dispatch(TMessage& Message) override;

  // State, for the drawing and for tests.
  bool Down() const { return bDown; }
  bool CursorOnButton() const { return bCursorOnButton; }
  // The button is hot while the mouse is over it or it has the focus.
  bool Hot() const;
  Integer HotTrackStep() const { return FHotTrackStep; }
  // The fade thread (nullptr after SlowDecease was switched off).
  TFadeButtonThread* FadeThread() const { return FThread.get(); }
  // One step of the fade, run in the GUI thread by the fade thread's synchronised call.
  void DoFadeStep();
  // The face as it is drawn now.
  TFadeButtonFace CurrentFace();

 protected:
  void Paint() override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMDialogKey(TMessage& M) override;
  void CMDialogChar(TMessage& M) override;
  void CNKeyDown(TMessage& M) override;
  void CNKeyUp(TMessage& M) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // Besides what every control takes from its action: an action of a list with images gives a
  // button without a glyph its image.
  void ActionChange(TObject* Sender, bool CheckDefaults) override;

 private:
  void DoButtonClick();
  // The glyph becomes the action's image: the image list's size, filled with the transparent
  // magenta, the image drawn at (0, 0), one frame.
  void CopyActionImageToGlyph(TImageList* Images, Integer Index);
  // Draws the face on the control's canvas now (the setters that repaint call it).
  void RepaintNow();
  void StopThread();
  bool ParentShowing() const;
  // Visible and enabled, together with every parent up to the form.
  bool VisibleAndEnabledOnForm() const;
  TCustomForm* FindOwnerForm() const;

  TAlignment FAlignment = taCenter;
  TColor FShadowColor = clGray;
  TColor FColorWhenDown = clNone;
  bool FFlat = false;
  bool FWordWrap = false;
  std::unique_ptr<TBitmap> FGlyph;
  TColor FHotTrackColor = clNone;
  std::unique_ptr<TFont> FHTFont;
  TFadeButtonKind FKind = bkCustom;
  TFadeButtonLayout FLayout = blGlyphLeft;
  TColor FLightColor = clWhite;
  TModalResult FModalResult = mrNone;
  Integer FNumGlyphs = 0;
  bool FUseHTFont = false;
  TFadeColorStyle FDummyStyle = lcsCustom;
  TFadeButtonStyle FStyle = bsNormal;
  bool FDefault = false;
  bool FCancel = false;
  bool FSlowDecease = false;
  bool bDown = false;
  bool bCursorOnButton = false;
  std::unique_ptr<TFadeButtonThread> FThread;
  Integer FHotTrackStep = 0;
  // Set while the fade thread is being stopped: its last synchronised step must not suspend it.
  bool FStoppingThread = false;
};
