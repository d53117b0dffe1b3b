// The calculator keypad: a panel of keys, each carrying a function code (its Tag) on which the
// calculator acts. The panel creates and lays out the 28 calculator keys by itself (plCalculator)
// or leaves keys and rectangles to the caller (plCustom), paints them with the push-button face,
// tracks the hot and the pressed key and reports a click with the key's index. It does no
// arithmetic.
//
// A panel linked to a drop-down lives in that drop-down's popup. An unlinked panel is a control of
// its own: it makes its keys when loaded and draws a frame around itself.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

class TCustomButtonPanel;
class TExCustomDropDown;

enum TButtonPanelType : Byte { plCalculator, plCustom };

// A key was clicked: ButtonIndex is its index in the panel's keys.
using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, Integer ButtonIndex)>;

// --- Keys ------------------------------------------------------------------------------------------

class TButtonItem : public TCollectionItem {
 public:
  explicit TButtonItem(TCollection* Collection);
  ~TButtonItem() override;
  String ClassName() const override { return u"TButtonItem"; }
  // From another key: Caption, CaptionColor, Tag, ImageIndex, Image, Enabled and Name; neither the
  // rectangle nor the special caption colour flag.
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // Stored and copied; the key painting takes its colours from the panel's appearance.
  TColor CaptionColor() const { return FCaptionColor; }
  void SetCaptionColor(TColor Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  // The function code of the key.
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  // The caption is drawn in the appearance's SpecialTextColor instead of its TextColor.
  bool Special() const { return FSpecial; }
  void SetSpecial(bool Value) { FSpecial = Value; }

  // The key's rectangle in panel client coordinates.
  Integer Left() const { return FLeft; }
  Integer Top() const { return FTop; }
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect ButtonRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

 private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  Integer FTag = 0;
  Integer FHeight = 0;
  Integer FLeft = 0;
  Integer FWidth = 0;
  Integer FTop = 0;
  String FName;
  TColor FCaptionColor = clWhite;
  bool FSpecial = false;
};

class TButtonItems : public TCollection {
 public:
  explicit TButtonItems(TCustomButtonPanel* AOwner);
  String ClassName() const override { return u"TButtonItems"; }

  TButtonItem* Add();
  TButtonItem* Insert(Integer Index);
  TButtonItem* Items(Integer Index) const;
  // Assigns Value to the key at Index.
  void SetItems(Integer Index, TButtonItem* Value);

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override;

 private:
  TCustomButtonPanel* FMyOwner;
};

// --- Appearance ------------------------------------------------------------------------------------

// The keys' colours and font: the face colours (ExDropDown.h), glow, shine and text colours. Only
// Font, TextColor and SpecialTextColor reach the themed key painting; the face colours serve the
// painting without a theme and are stored, styled and copied.
class TButtonAppearance : public TButtonFaceColors {
 public:
  TButtonAppearance();
  ~TButtonAppearance() override;
  String ClassName() const override { return u"TButtonAppearance"; }
  // From another TButtonAppearance: every colour through its write (the glow colours directly),
  // then the font.
  void Assign(TPersistent* Source) override;

  TColor GlowColorHot() const { return FGlowColorHot; }
  void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
  TColor GlowColorDown() const { return FGlowColorDown; }
  void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
  TColor ShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value) { FShineColor = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { Store(FTextColor, Value); }
  TColor SpecialTextColor() const { return FSpecialTextColor; }
  void SetSpecialTextColor(TColor Value) { Store(FSpecialTextColor, Value); }

 private:
  std::unique_ptr<TFont> FFont;
  TColor FShineColor = 0xFFFFFF;
  TColor FGlowColorHot = 0xD5C244;
  TColor FGlowColorDown = 0xD5C244;
  TColor FTextColor = 0;
  TColor FSpecialTextColor = 0x000080;
};

// --- The panel -------------------------------------------------------------------------------------

class TCustomButtonPanel : public TCustomControl {
 public:
  explicit TCustomButtonPanel(TComponent* AOwner);
  ~TCustomButtonPanel() override;
  String ClassName() const override { return u"TCustomButtonPanel"; }

  TButtonItems* Buttons() const { return FButtons.get(); }
  void SetButtons(TButtonItems* Value) { FButtons->Assign(Value); }
  TItemLayout ButtonLayout() const { return FButtonLayout; }
  void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
  TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
  void SetButtonPanelType(TButtonPanelType Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TCustomEdit* Edit() const { return FEdit; }
  void SetEdit(TCustomEdit* Value);
  TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
  // The drop-down whose popup holds the panel; nullptr for a stand-alone panel.
  TExCustomDropDown* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(TExCustomDropDown* Value);
  // The key under the mouse and the pressed key, -1 for none.
  Integer ButtonHot() const { return FButtonHot; }
  Integer ButtonDown() const { return FButtonDown; }
  // The first key (in collection order) whose rectangle holds the point, -1 when none.
  Integer ButtonAtPos(Integer X, Integer Y) const;

  TCalculatorButtonClickEvent OnButtonClick;

  virtual void DrawButton(Integer Index, TCanvas* ACanvas);
  // The client rectangle less the key area's margins.
  virtual void GetPanelRect(TRect& R);
  // The size one key needs for the widest caption and the largest picture.
  virtual void GetButtonSize(Integer& AWidth, Integer& AHeight);
  virtual void ClearButtons();
  virtual void ResetButtons();
  // Creates the calculator keys when there are none and the type is plCalculator, then lays out.
  virtual void InitButtons();
  // Places the calculator keys in the panel rectangle (nothing for plCustom or without keys).
  virtual void ArrangeButtons();
  // Erases the key's area grown by 8 pixels for the next paint.
  virtual void InvalidateButton(Integer Index);
  virtual void ButtonClick(Integer Index);

  void SetHotButton(Integer Index);
  void SetDownButton(Integer Index);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseLeave(TMessage& M) override;
  void WMSize(TMessage& M) override;
  void DrawButtons(TCanvas* ACanvas);
  void DrawButtonFace(Integer Index, TCanvas* ACanvas);
  void AppearanceChanged(TObject* Sender);
  bool ValidIndex(Integer Index) const { return Index >= 0 && Index < FButtons->Count(); }

  std::unique_ptr<TButtonItems> FButtons;
  TItemLayout FButtonLayout = ilCaptionRight;
  TSelectionColorStyle FItemColorStyle = scCustom;
  Integer FButtonHot = -1;
  Integer FOffSetX = 8;
  Integer FOffSetY = 8;
  Integer FButtonOffSetX = 4;
  Integer FButtonOffSetY = 4;
  TImageList* FImages = nullptr;
  Integer FCaptionGap = 0;
  TCustomEdit* FEdit = nullptr;
  TButtonPanelType FButtonPanelType = plCalculator;
  std::unique_ptr<TButtonAppearance> FButtonAppearance;
  Integer FButtonDown = -1;
  TExCustomDropDown* FExDropDown = nullptr;
};
