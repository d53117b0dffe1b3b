// The flat combo box: a combo box that can paint its own frame and drop-down button (flat, with
// border and focus-border colours, with custom button colours or with the visual theme), carry a
// label at one of 13 places around it, colour itself while focused and take the focus when the
// mouse enters. The string grid derives its combo in-place editors from TEsgComboBox.
//
// What the combo draws itself goes to its window image (see TEsgWindowImage): the stock combo
// widget of this platform paints its own face and frame on the screen.
#pragma once

#include <memory>

#include "components/gridbase/EsgPaint.h"
#include "platform/gui/StdCtrls.h"

enum TLabelPosition {
  lpLeftTop,
  lpLeftCenter,
  lpLeftBottom,
  lpTopLeft,
  lpBottomLeft,
  lpLeftTopLeft,
  lpLeftCenterLeft,
  lpLeftBottomLeft,
  lpTopCenter,
  lpBottomCenter,
  lpRightTop,
  lpRightCenter,
  lpRighBottom
};

// Where a caption label goes beside a control whose bounds in its parent are Control: Label is the
// label's size, Text_Width the width of its caption and Margin the gap. Position is the ordinal of
// a TLabelPosition, or of the drop-down library's positions, which go on with top right (13) and
// bottom right (14); any other value leaves the label at the control's top left corner.
TPoint Caption_Label_Place(Integer Position, const TRect& Control, const TSize& Label, Integer Text_Width,
                           Integer Margin);

// The combo-box message that sets the width of the dropped list.
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;

class TEsgCustomCombo : public TCustomComboBox, public TEsgButtonColors {
 public:
  explicit TEsgCustomCombo(TComponent* AOwner);
  ~TEsgCustomCombo() override;
  String ClassName() const override { return u"TEsgCustomCombo"; }
  void BeforeDestruction() override;

  // The colour restored when the combo is left: its colour now. Without Init, the colour the
  // combo has when it first takes the focus is restored.
  void Init();
  // Selects the item equal to AString; nothing when the list has none.
  void SelectItem(const String& AString);

  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  // Only 14 to 32 are taken.
  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor Value);
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  Integer DropWidth() const { return FDropWidth; }
  void SetDropWidth(Integer Value);

  // The label: made on the first caption written.
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value);
  TLabel* ComboLabel() const { return FLabel; }

  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; }
  bool IsVista() const { return FIsVista; }
  void SetIsVista(bool Value) { FIsVista = Value; }

  // The list closed (Sender = the combo).
  TNotifyEvent OnDropUp;

  // State the painting reads.
  bool HasFocus() const { return FHasFocus; }
  bool MouseInControl() const { return FMouseInControl; }
  bool ButtonHover() const { return FButtonHover; }
  TColor NormalColor() const { return FNormalColor; }
  // What the combo drew over its window.
  TBitmap* WindowImage() { return FWindowImage.Image(); }

  void SetColor(TColor Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void SetParent(TWinControl* AParent) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Invalidate() override;
  void Dispatch(TMessage& M) override;

  // The frame: the control border and, unless the style is csSimple, the button border.
  void PaintFrame();

 protected:
  void Loaded() override;
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void CMFontChanged(TMessage& M) override;
  void CMParentFontChanged(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMMouseMove(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void WMNCPaint(TMessage& M);
  void CNCommand(TMessage& M) override;

  // Places the label around the combo and gives it the combo's visibility.
  void UpdateLabel();
  void LabelFontChanged();
  void SetLabelBold(bool Bold);
  // Before the focus colour is put on: the colour to restore, when Init never gave one.
  void KeepNormalColor();
  void PaintControlBorder(TCanvas* C);
  void PaintButtonBorder(TCanvas* C);
  void PaintDropButton(TCanvas* C);
  bool ThemesInUse() const;
  bool IsHotOrActive() const;
  bool ShowsFocusBorder() const;
  bool IsActiveControl() const;

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  Integer FButtonWidth = 19;
  bool FFocusBorder = false;
  bool FMouseInControl = false;
  Integer FDropWidth = 0;
  bool FIsWinXP = false;
  bool FIsThemed = false;
  bool FButtonHover = false;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  Integer FLabelMargin = 4;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  TLabel* FLabel = nullptr;
  TColor FFlatLineColor = clNone;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = clNone;
  bool FHasFocus = false;
  bool FFocusLabel = false;
  bool FIsVista = false;
  TEsgWindowImage FWindowImage;
};

// The flat combo box with its properties published.
class TEsgComboBox : public TEsgCustomCombo {
 public:
  explicit TEsgComboBox(TComponent* AOwner) : TEsgCustomCombo(AOwner) {}
  String ClassName() const override { return u"TEsgComboBox"; }
};
