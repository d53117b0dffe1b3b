// The drop-down editor framework: a masked one-line edit with a drop button at its right edge, an
// optional caption label, and a borderless popup window that hosts one control chosen by a
// specialisation between an optional header band and footer band.
//
// Module layout (one header, several sources split by concern):
// - ExDropDownUtil.cpp    colour maths, gradients, text and number routines (no window needed)
// - ExDropDownButton.cpp  the push button of the bands and its appearance, the drop button
// - ExDropDownBands.cpp   header and footer settings, their button collections, the band controls
// - ExDropDownForm.cpp    the popup form, opening, placing, sizing and closing
// - ExDropDown.cpp        the editor: construction, properties, value model, label, painting
// - ExDropDownKeys.cpp    typed entry: key-down, character, clipboard and special-key handling
// - ExDropDownStyle.cpp   colour styles, selection colour styles and colour tones
//
// A specialisation extends TExCustomDropDown only by overriding its virtual hooks (listed in the
// class in their fixed order) and the edit's key, character and change handlers. It sets the hosted
// control with SetControl and, when one control inside the popup should take the focus after
// opening, with SetFocusControl.
//
// Names that the grid foundation or the string grid use at global scope for a different meaning
// live in the namespace ExDropDown: the label positions (this editor knows two more places than
// the combo box's), the push button's style, the number-text classifier (which answers 5 for
// hexadecimal text here, not for an exponent) and the clipboard event (it carries the text here,
// none in the string grid).
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "components/gridbase/EsgPaint.h"
#include "components/gridbase/ExStyleIF.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Mask.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

class TExCustomDropDown;
class TDropDownForm;
class TExHeader;
class TExFooter;
class TDropDownFormSurface;

// ---------------------------------------------------------------------------------------------
// Shared types
// ---------------------------------------------------------------------------------------------

enum TSelectionColorStyle : Byte { scCustom, scOffice2007, scWindowsVista, scWindows7 };
enum TGradientDirection : Byte { gdHorizontal, gdVertical };
enum TButtonAlignment : Byte { baLeft, baRight };
enum TDropPosition : Byte { dpAuto, dpDown, dpUp };
enum TDropDownEditType : Byte {
  etString,
  etNumeric,
  etFloat,
  etUppercase,
  etMixedCase,
  etLowerCase,
  etPassword,
  etMoney,
  etRange,
  etHex,
  etAlphaNumeric,
  etValidChars
};
// The look of the drop button's inner speed button.
enum TButtonStyle : Byte { bsButton, bsDropDown };
enum TExButtonState : Byte { absUp, absDisabled, absDown, absDropDown, absExclusive };

// A collection of Item for the pickers and the selector panels: typed access, the owner it was
// made for, and OnChange, fired by DoChange when an item's caption (or image index, or colour)
// changes.
template <class Item>
class TPickerItemsT : public TCollection {
 public:
  explicit TPickerItemsT(TPersistent* AOwner)
      : TCollection([](TCollection* c) -> TCollectionItem* { return new Item(c); }), FOwner(AOwner) {}
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(Integer Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
  Item* Items(Integer Index) const { return static_cast<Item*>(TCollection::GetItem(Index)); }
  void SetItems(Integer Index, Item* Value) { SetItem(Index, Value); }
  void DoChange() {
    if (OnChange) OnChange(this);
  }

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

namespace ExDropDown {

// Where the caption label sits beside the edit.
enum TLabelPosition : Byte {
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
  lpRighBottom,
  lpTopRight,
  lpBottomRight
};

// A push button of the bands acts once per click (tasButton) or toggles its Down state (tasCheck).
enum TExButtonStyle : Byte { tasButton, tasCheck };

// 0 integer, 1 float, 5 hexadecimal, 2 anything else (also the empty text); more than one "-" or
// more than one decimal separator always gives 2. Separators are the process's FormatSettings.
Integer ClassifyNumberText(const String& S);

}  // namespace ExDropDown

// Events.
// May veto an opening by clearing AcceptDrop.
using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
// After the popup closed; Cancelled when the old value was restored.
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
namespace ExDropDown {
// A clipboard operation on Value; clearing Allow cancels it.
using TClipboardEvent = std::function<void(TObject* Sender, const String& Value, bool& Allow)>;
}  // namespace ExDropDown
// A header or footer button (by its item index) was clicked.
using TDropDownButtonItemClick = std::function<void(TObject* Sender, Integer ButtonIndex)>;
// Replaces all painting of a band.
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
// May change a band's caption before it is drawn.
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;

// ---------------------------------------------------------------------------------------------
// Drawing, colour, text and number routines
// ---------------------------------------------------------------------------------------------

// Lays out the caption label of a control of this library: its transparency and font, then its
// place at Position (TLabelPosition's ordinal) around the control's bounds Control, Margin away,
// with its caption measured on one line with Prefix_Flag (DT_HIDEPREFIX or DT_NOPREFIX), and the
// control's visibility.
void Place_Caption_Label(TLabel* Label, bool Transparent, TFont* Font, UINT Prefix_Flag, Integer Position,
                         const TRect& Control, Integer Margin, bool Visible);

// Fills Rect with Steps bands from FromColor to ToColor, left to right when Horizontal, else top to
// bottom. Steps 0 counts as 1; system colours are resolved; the far edge is left out by one pixel;
// band positions and colour steps round to the nearest integer, ties to even.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                  bool Horizontal);
// Percent of Col1 mixed with the rest of Col2, per channel rounded to the nearest (ties to even):
// 100 or more gives Col1 as it is, 0 or less Col2; a side that is clNone gives the other colour.
// The string grid blends its selection with it too.
TColor BlendColor(TColor Col1, TColor Col2, Integer Percent);
// Each channel scaled by (100 + delta) percent, at most 100 % (only darker); a zero channel becomes
// max(0, delta).
TColor ShadeColor(TColor Color, Integer R, Integer G, Integer B);
// A gradient (ColorTo set, 80 steps) or solid fill (Color set), then a frame of BorderWidth in
// BorderColor when that is set. Nothing without a canvas.
void DrawFilledRect(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor,
                    Integer BorderWidth, TGradientDirection Direction);
// The image (when Images and ImageIndex >= 0) at Left + 4, vertically centred, then one line of
// text with an end ellipsis, vertically centred and, without an image, horizontally centred.
void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TImageList* Images, Integer ImageIndex);
// Bitmap with the colour of its top-left pixel replaced by Color, copied into Rect.
void DrawColoredGlyph(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, TRect Rect);
// The single-line extent of Text (0 x 0 for empty text).
void GetTextSize(TCanvas* Canvas, const String& Text, TSize& Size);
// Text shortened from the end (with "..." when Ellipsis) until narrower than MaxWidth; Text itself
// when it already fits or when no shortening fits.
void FitTextWithEllipsis(TCanvas* Canvas, const String& Text, Integer MaxWidth, bool Ellipsis, String& Result);
// Mini-HTML Text in Rect, drawn when Draw, else only measured; Size gets its width and height.
void DrawHtmlItemText(TCanvas* Canvas, const String& Text, TRect Rect, TImageList* Images, bool Draw,
                      HWND WindowHandle, TSize& Size);
// True for ",", "-" and ";".
bool IsRangeSeparator(Char Ch);
// Text without the thousand separators of FormatSettings.
void StripThousandSeparators(const String& Text, String& Result);
// 0-9, A-F, a-f as 0 to 15; anything else 0.
Integer HexDigitValue(Char Ch);
// The hexadecimal digits of Text (no prefix, no check, no overflow test).
Integer HexToInt(const String& Text);
// Text, upper-cased unless CaseSensitive.
void CaseText(const String& Text, bool CaseSensitive, String& Result);

// Where the popup finds the screen it opens on. The default asks the platform's screen for the
// monitor nearest to the point: its bottom edge and its work area. Tests put their own in place;
// an empty function restores the default.
struct TDropDownScreen {
  // The height of the screen the popup measures dpAuto against (its bottom edge, the screen
  // starting at 0).
  std::function<Integer()> ScreenHeight;
  // The work area of the monitor nearest to a screen point.
  std::function<TRect(TPoint)> WorkArea;
};
void SetDropDownScreen(TDropDownScreen Source);
// The bottom edge of the monitor nearest to P: dpAuto opens below when the popup ends above it.
Integer DropDownScreenBottom(TPoint P);
TRect DropDownWorkArea(TPoint P);

// ---------------------------------------------------------------------------------------------
// The push button of the header and footer bands
// ---------------------------------------------------------------------------------------------

// The face colours of a push button: border and fill colours of its normal, hot, pressed, checked
// and disabled looks. Every write stores and fires OnChange when the value changes. The bands'
// button appearance below and the calculator keypad's (ExButtonPanel.h) stand on it.
class TButtonFaceColors : public TPersistent {
 public:
  // The colours a new appearance starts with.
  struct TInitial {
    TColor BorderColor, BorderColorHot, BorderColorDown, BorderColorChecked;
    TColor Color, ColorTo, ColorDown, ColorDownTo, ColorHot, ColorHotTo;
    TColor ColorChecked, ColorCheckedTo, ColorDisabled, ColorDisabledTo;
  };
  explicit TButtonFaceColors(const TInitial& Initial);

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Store(FBorderColorHot, Value); }
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Store(FBorderColorDown, Value); }
  TColor BorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { Store(FBorderColorChecked, Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Store(FColorTo, Value); }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Store(FColorDown, Value); }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Store(FColorDownTo, Value); }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Store(FColorHot, Value); }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Store(FColorHotTo, Value); }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Store(FColorChecked, Value); }
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Store(FColorCheckedTo, Value); }
  TColor ColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { Store(FColorDisabled, Value); }
  TColor ColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { Store(FColorDisabledTo, Value); }

  TNotifyEvent OnChange;

 protected:
  // Stores Value in Field; a change fires OnChange.
  void Store(TColor& Field, TColor Value);
  // The fourteen colours of Source through their writes.
  void AssignFaceColors(const TButtonFaceColors& Source);

 private:
  TColor FBorderColor, FBorderColorHot, FBorderColorDown, FBorderColorChecked;
  TColor FColor, FColorTo, FColorDown, FColorDownTo, FColorHot, FColorHotTo;
  TColor FColorChecked, FColorCheckedTo, FColorDisabled, FColorDisabledTo;
};

// The colours and font of the bands' push buttons, shared by every button of one drop-down: the
// face colours, the disabled border colour and the gradient's direction.
class TExButtonAppearance : public TButtonFaceColors {
 public:
  TExButtonAppearance();
  ~TExButtonAppearance() override;
  String ClassName() const override { return u"TExButtonAppearance"; }
  // From another button appearance: all fifteen colours and Gradient through their writes, not the
  // font. Anything else takes the inherited assignment (which raises).
  void Assign(TPersistent* Source) override;

  TColor BorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { Store(FBorderColorDisabled, Value); }
  TFont* Font() { return FFont.get(); }
  void SetFont(const TFont* Value);
  TGradientDirection Gradient() const { return FGradient; }
  void SetGradient(TGradientDirection Value);

 private:
  TColor FBorderColorDisabled = 0x808080;
  TGradientDirection FGradient = gdVertical;
  std::unique_ptr<TFont> FFont;
};

// Exposes the painting of a windowed control's graphic child controls, so a button can show its
// parent's graphic controls behind itself.
class TWinCtrl : public TWinControl {
 public:
  explicit TWinCtrl(TComponent* AOwner) : TWinControl(AOwner) {}
  String ClassName() const override { return u"TWinCtrl"; }
  // Draws the graphic (windowless) children of Control from First on onto DC at their places.
  static void PaintCtrls(TWinControl* Control, TCanvas* DC, TControl* First);
};

// The push button of the header and footer bands: a self-painted button with hot, pressed, down
// (checked) and disabled looks from a shared TExButtonAppearance, an image and a caption. A footer
// button is linked to its drop-down and closes the popup by its ModalResult.
class TExButton : public TCustomControl {
 public:
  explicit TExButton(TComponent* AOwner);
  ~TExButton() override;
  String ClassName() const override { return u"TExButton"; }

  // Sets the top-level form's ModalResult, closes a linked drop-down for a closing result, then
  // (unless the click came from the keyboard) fires OnClick.
  void Click() override;
  // Width := text width + 8, Height := text height + 4, the text size raised to the image size.
  void SizeToContent();
  // Sizes the button to its content whenever its caption, images or appearance change.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);

  TExButtonAppearance* Appearance() const { return FAppearance; }
  void SetAppearance(TExButtonAppearance* Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TExCustomDropDown* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }

  ExDropDown::TExButtonStyle Style() const { return FStyle; }
  void SetStyle(ExDropDown::TExButtonStyle Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TExButtonState State() const { return FState; }
  // True while the mouse is over the button.
  bool MouseInControl() const { return FMouseInControl; }
  bool Hot() const { return FHot; }
  // The 1 ms timer that notices the mouse leaving without a leave message.
  TTimer* UnHotTimer() const { return FUnHotTimer; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;
  // Draws the face: fill and border by state, then the image and caption.
  virtual void DrawButton();
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void UnHotTimerTick(TObject* Sender);
  // Re-evaluates whether the cursor is over the button; leaves the hot state when it is not.
  void CheckHot();
  void LeaveHot(bool FireEvent);
  // A click that came from the keyboard sets the result and closes but fires no OnClick.
  void KeyboardClick();
  // The state fix-up painting starts with.
  void FixState();
  // Tells the other buttons of the parent that this one went down in its group.
  void NotifyGroup();

  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  Integer FOffSet = 4;
  bool FMouseInControl = false;
  bool FHot = false;
  ExDropDown::TExButtonStyle FStyle = ExDropDown::tasButton;
  TExButtonState FState = absUp;
  bool FMouseDownInControl = false;
  bool FGrouped = true;
  bool FDragging = false;
  bool FPropHot = false;
  TTimer* FUnHotTimer = nullptr;
  bool FInitialDown = false;
  bool FInternalClick = false;
  TExButtonAppearance* FAppearance = nullptr;
  TImageList* FImages = nullptr;
  Integer FImageIndex = -1;
  TModalResult FModalResult = mrNone;
  TExCustomDropDown* FExDropDown = nullptr;
  bool FAutoSize = false;
};

// ---------------------------------------------------------------------------------------------
// Header and footer settings
// ---------------------------------------------------------------------------------------------

// A list with range-checked access for a band's buttons.
class TDbgList : public TList {
 public:
  TDbgList() = default;
  String ClassName() const override { return u"TDbgList"; }
  // Raise Exception "Index out of bounds in list read access" / "... write access" for an index at
  // or past Count; other indices go to the list's own access.
  void* GetItemsEx(Integer Index) const;
  void SetItemsEx(Integer Index, void* Value);
  // Clears the list and appends every item of ListA in order.
  void AssignList(const TList* ListA);
};

class THeaderButtons;
class TFooterButtons;

// What the header's and the footer's button items have alike; C is the item's collection, told
// of a change of Caption, Enabled or Width (C::ItemChanged).
template <class C>
class TBandButtonT : public TCollectionItem {
 public:
  explicit TBandButtonT(TCollection* Collection) : TCollectionItem(Collection) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    NotifyCollection();
  }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    NotifyCollection();
  }
  // 0 = the natural width / height.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) {
    if (FWidth == Value) return;
    FWidth = Value;
    NotifyCollection();
  }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }

 protected:
  void NotifyCollection() {
    if (auto* c = dynamic_cast<C*>(this->Collection())) c->ItemChanged();
  }
  // Caption, ImageIndex, Enabled, Width and Height of Source through the writes.
  void AssignButton(const TBandButtonT& Source) {
    SetCaption(Source.FCaption);
    SetImageIndex(Source.FImageIndex);
    SetEnabled(Source.FEnabled);
    SetWidth(Source.FWidth);
    SetHeight(Source.FHeight);
  }

  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

// One button item of the header.
class THeaderButton : public TBandButtonT<THeaderButtons> {
 public:
  using TBandButtonT::TBandButtonT;
  String ClassName() const override { return u"THeaderButton"; }
  // From a THeaderButton through the writes; anything else takes the inherited assignment.
  void Assign(TPersistent* Source) override;
};

// One button item of the footer: a header item plus the ModalResult that closes the popup.
class TFooterButton : public TBandButtonT<TFooterButtons> {
 public:
  using TBandButtonT::TBandButtonT;
  String ClassName() const override { return u"TFooterButton"; }
  void Assign(TPersistent* Source) override;

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

 private:
  TModalResult FModalResult = mrNone;
};

// A band's button collection of Item on the collection class Base: typed access, and OnChange
// fired with the collection when an item's Caption, Enabled or Width changed.
template <class Base, class Item>
class TBandButtonsT : public Base {
 public:
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Insert(Integer Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
  Item* GetItem(Integer Index) const { return static_cast<Item*>(TCollection::GetItem(Index)); }
  Item* Items(Integer Index) const { return GetItem(Index); }
  void SetItem(Integer Index, Item* Value) { TCollection::SetItem(Index, Value); }
  // Called by an item whose Caption, Enabled or Width changed: fires OnChange with the collection.
  void ItemChanged() {
    if (OnChange) OnChange(this);
  }
  TNotifyEvent OnChange;

 protected:
  // AOwner: the appearance's owner, reported as the collection's owner; BaseArgs: Base's.
  template <class... Args>
  explicit TBandButtonsT(TPersistent* AOwner, Args&&... BaseArgs)
      : Base(std::forward<Args>(BaseArgs)..., [](TCollection* c) -> TCollectionItem* { return new Item(c); }),
        FMyOwner(AOwner) {}
  TPersistent* GetOwner() override { return FMyOwner; }

 private:
  TPersistent* FMyOwner;
};

class THeaderButtons : public TBandButtonsT<TOwnedCollection, THeaderButton> {
 public:
  explicit THeaderButtons(TPersistent* AOwner) : TBandButtonsT(AOwner, AOwner) {}
  String ClassName() const override { return u"THeaderButtons"; }
};

class TFooterButtons : public TBandButtonsT<TCollection, TFooterButton> {
 public:
  explicit TFooterButtons(TPersistent* AOwner) : TBandButtonsT(AOwner) {}
  String ClassName() const override { return u"TFooterButtons"; }
};

// The settings a band's appearance has, with the button collection B. Of its own properties only
// Visible notifies (OnChange, on a change); button items notify through OnButtonsChanged.
template <class B>
class TBandAppearanceT : public TPersistent {
 public:
  explicit TBandAppearanceT(TComponent* AOwner);
  ~TBandAppearanceT() override;
  // Color, ColorTo, BorderColor, Font and GradientDirection only (same class only).
  void AssignColors(TPersistent* Source);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TFont* Font() { return FFont.get(); }
  const TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  B* Buttons() const { return FButtons.get(); }
  // Copies the given collection item by item.
  void SetButtons(B* Value);
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

 protected:
  TPersistent* GetOwner() override { return FOwner; }
  // The settings of Source that are stored as they are (all but Visible, the alignment and the
  // buttons), and then Visible through its write, the alignment and the buttons.
  void AssignSettings(const TBandAppearanceT& Source);
  void AssignVisibleAndButtons(const TBandAppearanceT& Source);

 private:
  TComponent* FOwner;
  bool FVisible = true;
  Integer FHeight = 22;
  Integer FBorderWidth = 1;
  Integer FImageIndex = -1;
  String FCaption;
  TColor FColorTo = 0xFFFFFF;
  TColor FColor = 0xC0C0C0;
  TColor FBorderColor = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<B> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

// The settings of the popup's header band (its caption font Tahoma).
class THeaderAppearance : public TBandAppearanceT<THeaderButtons> {
 public:
  explicit THeaderAppearance(TComponent* AOwner);
  String ClassName() const override { return u"THeaderAppearance"; }
  // Only from another THeaderAppearance; anything else is ignored.
  void Assign(TPersistent* Source) override;
};

// The settings of the popup's footer band: the header's settings plus the size grip.
class TFooterAppearance : public TBandAppearanceT<TFooterButtons> {
 public:
  using TBandAppearanceT::TBandAppearanceT;
  String ClassName() const override { return u"TFooterAppearance"; }
  void Assign(TPersistent* Source) override;

  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }

 private:
  bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------------------------
// Header and footer bands
// ---------------------------------------------------------------------------------------------

// A band of a popup with the appearance A and its button collection B: background, border, image,
// mini-HTML caption and push buttons, from its own copy of the drop-down's DropDownHeader (the
// header) or DropDownFooter (the footer, which mirrors the header top for bottom).
template <class A, class B>
class TDropDownBandT : public TCustomControl {
 public:
  explicit TDropDownBandT(TComponent* AOwner);
  ~TDropDownBandT() override;

  A* Appearance() const { return FAppearance.get(); }
  void SetAppearance(A* Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // The attached drop-down's DropDownHeader.Buttons or DropDownFooter.Buttons (not the band's
  // copy); nullptr without one.
  B* Buttons() const;
  TExCustomDropDown* ExDropDown() const { return FExDropDown; }
  // Links the band to DropDown: its Images and a copy of its DropDownHeader or DropDownFooter
  // (nullptr: Images nil).
  void AttachDropDown(TExCustomDropDown* DropDown);
  TDbgList* ButtonList() const { return FButtonList.get(); }
  Integer ButtonCount() const { return FButtonList->Count(); }
  TExButton* ButtonAt(Integer Index) const { return static_cast<TExButton*>(FButtonList->GetItemsEx(Index)); }

  virtual void BuildButtons();
  virtual void FreeButtons();
  virtual void PlaceButtons();
  virtual void RefreshButtons();

  // The client rectangle inset where the buttons are placed.
  virtual TRect ButtonArea() const = 0;
  // The click handler of the band's buttons: reports the item index (the button's Tag) to the
  // drop-down's OnDropDownHeaderButtonClick or OnDropDownFooterButtonClick. Senders other than
  // TExButton are ignored.
  void ButtonClick(TObject* Sender);

  TDrawBackGroundEvent OnDrawBackGround;
  TGetTextEvent OnGetText;

 protected:
  static constexpr bool IsFooter = std::is_same_v<A, TFooterAppearance>;
  void Paint() override;
  // What a band draws over its painted settings (the footer's size grip in R).
  virtual void PaintOverBand(const TRect& R) { (void)R; }
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AppearanceChanged(TObject* Sender);

  std::unique_ptr<A> FAppearance;
  TImageList* FImages = nullptr;
  TExCustomDropDown* FExDropDown = nullptr;
  std::unique_ptr<TDbgList> FButtonList;
  // The button whose click is being reported, and buttons that a rebuild during such a click took
  // out of the list: the clicked one is still in its own click and mouse handling, so it is hidden
  // and freed at the next rebuild instead.
  TExButton* FClickedButton = nullptr;
  std::vector<TExButton*> FRetiredButtons;
};

// The header band of a popup.
class TExHeader : public TDropDownBandT<THeaderAppearance, THeaderButtons> {
 public:
  explicit TExHeader(TComponent* AOwner);
  String ClassName() const override { return u"TExHeader"; }
  TRect ButtonArea() const override;
};

// The footer band of a popup: as the header, mirrored, plus the size grip that resizes the popup.
class TExFooter : public TDropDownBandT<TFooterAppearance, TFooterButtons> {
 public:
  explicit TExFooter(TComponent* AOwner);
  String ClassName() const override { return u"TExFooter"; }
  TRect ButtonArea() const override;
  // SizeGrip is set, a drop-down is attached and its popup is sizeable.
  bool GripShows() const;
  // The grip zone: x > Width - 12 and y > Height - 15, while the grip shows.
  bool InGripZone(Integer X, Integer Y) const;
  TCursor OldCursor() const { return FOldCursor; }

 protected:
  void PaintOverBand(const TRect& R) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void DrawSizeGrip(TRect R);

  TCursor FOldCursor = crDefault;
};

// ---------------------------------------------------------------------------------------------
// The popup form
// ---------------------------------------------------------------------------------------------

// The surface of the popup under the bands and the hosted control: it shows the popup's background
// and frame and hands its mouse input to the popup (the sizing corner).
class TDropDownFormSurface : public TCustomControl {
 public:
  explicit TDropDownFormSurface(TDropDownForm* AForm);
  String ClassName() const override { return u"TDropDownFormSurface"; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  TDropDownForm* FForm;
};

// The borderless popup window of a drop-down editor. It hosts the specialisation's control between
// the optional header and footer bands, paints its background and frame from the editor's settings,
// closes when it loses activation, and resizes from its bottom-right corner when sizeable.
class TDropDownForm : public TForm {
 public:
  explicit TDropDownForm(TComponent* AOwner);
  ~TDropDownForm() override;
  String ClassName() const override { return u"TDropDownForm"; }

  TExCustomDropDown* ExDropDown() const { return FExDropDown; }
  void SetExDropDown(TExCustomDropDown* Value) { FExDropDown = Value; }
  TExHeader* Header() const { return FHeader; }
  TExFooter* Footer() const { return FFooter; }
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value) { FShadow = Value; }
  // The drop-shadow bit of the window class, as the last opening set it.
  bool ClassShadow() const { return FClassShadow; }
  void SetClassShadow(bool Value) { FClassShadow = Value; }
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  bool CancelOnDeActivate() const { return FCancelOnDeActivate; }
  void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
  bool BlockActivate() const { return FBlockActivate; }
  void SetBlockActivate(bool Value) { FBlockActivate = Value; }
  // The tick count (ms) when the popup last lost activation while visible.
  Cardinal DeActivateTick() const { return FDeActivate; }
  // False until the popup first lost activation while visible.
  bool DeActivated() const { return FDeActivated; }
  // The minimum size the opening sets.
  Integer MinWidth() const { return FMinWidth; }
  Integer MinHeight() const { return FMinHeight; }
  void SetSizeConstraints(Integer AMinWidth, Integer AMinHeight);

  // Does nothing here; specialisations' forms may size themselves.
  virtual void UpdateSize();
  // Prepares the header and footer bands from the editor's settings (before every opening and on
  // every change of those settings while dropped down).
  void InitializeAndUpdate();

  // Hides the popup as a close does: the loss of activation that hiding brings is not taken as a
  // click elsewhere.
  void HidePopup();

  // Hit test of a client point: HTBOTTOMRIGHT in the 10 x 10 corner when sizeable, else HTNOWHERE.
  Integer HitTest(Integer X, Integer Y) const;
  // True while the user drags the bottom-right corner.
  bool Sizing() const { return FSizingActive; }

  // The surface under the bands and the hosted control that shows the background and frame.
  TCustomControl* Surface() const { return FSurface; }
  // Paints the background and frame onto Canvas (the surface's).
  virtual void PaintBackground(TCanvas* Canvas);

  TNotifyEvent OnSizing;
  TMouseWheelEvent OnMouseWheelDown;
  TMouseWheelEvent OnMouseWheelUp;

  void Dispatch(TMessage& M) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 protected:
  friend class TDropDownFormSurface;
  TRect AlignRect() const override;
  void Resize() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMGetDlgCode(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  // True when Window lies inside the popup: the popup is among its parent windows (a form's
  // parent window is its popup parent), walked upward from its parent.
  bool HoldsWindow(TWinControl* Window) const;
  void BeginSizing();
  void EndSizing();

  Cardinal FDeActivate = 0;
  // Whether the popup ever lost activation: until then no re-open guard applies.
  bool FDeActivated = false;
  bool FShadow = true;
  bool FClassShadow = false;
  TExFooter* FFooter = nullptr;
  TExHeader* FHeader = nullptr;
  TExCustomDropDown* FExDropDown = nullptr;
  bool FSizeable = false;
  bool FCancelOnDeActivate = true;
  bool FBlockActivate = false;
  Integer FMinWidth = 0;
  Integer FMinHeight = 0;
  bool FSizingActive = false;
  bool FHiding = false;
  // The window that takes the activation from the popup, while its loss is handled.
  HWND FActivatingWindow = 0;
  TPoint FSizingStart;
  TSize FSizingStartSize;
  TDropDownFormSurface* FSurface = nullptr;
};

// ---------------------------------------------------------------------------------------------
// The drop button
// ---------------------------------------------------------------------------------------------

class TDropDownEditButton;

// The speed button inside the drop button holder, painted as a drop-down button (bsDropDown) or a
// push button (bsButton) in the holder's colours.
class TExDropDownSpeedButton : public TSpeedButton {
 public:
  explicit TExDropDownSpeedButton(TComponent* AOwner);
  String ClassName() const override { return u"TExDropDownSpeedButton"; }

  TButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TButtonStyle Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  bool Focused() const { return FFocused; }
  void SetFocused(bool Value);
  bool Hot() const { return FHot; }
  // Forces the up look from now on.
  void SetUp();
  // The editor the holder belongs to (nullptr when the holder has no editor as owner).
  TExCustomDropDown* Editor() const;

 protected:
  void Paint() override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  TDropDownEditButton* Holder() const;
  void PaintDropDown();
  void PaintButton();

  TButtonStyle FButtonStyle = bsDropDown;
  bool FEtched = false;
  bool FFocused = false;
  bool FHot = false;
  bool FForceUp = false;
};

// The drop button of the editor: a windowed holder that one TExDropDownSpeedButton always fills.
// A left mouse-up on the inner button fires the holder's OnClick.
class TDropDownEditButton : public TWinControl {
 public:
  explicit TDropDownEditButton(TComponent* AOwner);
  String ClassName() const override { return u"TDropDownEditButton"; }

  TExDropDownSpeedButton* Button() const { return FButton; }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  String ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
  Integer NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(Integer Value) { FButton->SetNumGlyphs(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);

  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value);
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value);
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value);
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value);
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value);
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value);
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value);

  TNotifyEvent OnClick;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetEnabled(bool v) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CoverWithButton();
  void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

  TExDropDownSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  Integer FButtonWidth = 16;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonColorDown = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
  TColor FButtonBorderColor = clNone;
};

// ---------------------------------------------------------------------------------------------
// The drop-down editor base
// ---------------------------------------------------------------------------------------------

// The drop-down editor base. Its constructor creates the popup form and the drop button and
// applies the selection style scOffice2007 and the colour style tsOffice2007Luna; being a
// constructor, it runs the base versions of those hooks. A specialisation that extends
// SetComponentStyle applies its style again in its own constructor; one that wants a popup of its
// own class frees DropDownForm() and creates its own there (CreateDropDownForm does nothing while
// a popup exists). Every opening runs CreateDropDownForm through the virtual before BeforeDropDown,
// so a specialisation's override, which creates its popup controls once and sets them up, has run
// by the time its other hooks do.
class TExCustomDropDown : public TCustomMaskEdit, public INorvStyle, public INorvTones {
 public:
  explicit TExCustomDropDown(TComponent* AOwner);
  ~TExCustomDropDown() override;
  String ClassName() const override { return u"TExCustomDropDown"; }
  void BeforeDestruction() override;

  // --- Value model ---
  // The value text: the edit text without Prefix and Suffix.
  String Text() const;
  // The Text write: normalises the value (empty numbers, precision, hex case), then the edit text
  // := Prefix + Value + Suffix; remembers the value as the one a cancelled close restores.
  virtual void SetText(const String& Value);
  // The whole edit text, with Prefix and Suffix.
  String EditText() const { return TCustomMaskEdit::GetText(); }
  // Puts Text into the edit as it is: no Prefix, Suffix or normalisation; the remembered value stays.
  void SetRawText(const String& Value);
  double FloatValue() const;
  void SetFloatValue(double Value);
  Integer IntValue() const;
  void SetIntValue(Integer Value);
  bool Modified() const { return FIsModified; }
  void SetModified(bool Value);
  // The value last written through Text.
  const String& OldText() const { return FOldText; }

  void SelectAll();
  void SelectBeforeDecimal();
  void SelectAfterDecimal();

  // --- Popup ---
  void ShowDropDown() { DoShowDropDown(); }
  void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
  bool DroppedDown() const { return FDroppedDown; }
  TDropDownEditButton* Button() const { return FButton; }
  TDropDownForm* DropDownForm() const { return FDropDownForm; }
  // The hosted control; set by the specialisation.
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  // The control inside the popup that takes the focus after opening.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // --- Styles ---
  void SetComponentStyle(TNorvStyle AStyle) override;
  TNorvStyle GetComponentStyle() const { return FNorvStyle; }
  void SetColorTones(TColorTones ATones) override;
  TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
  virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
  // Fills a selected item's rectangle in the selection colour style (Part: 0 both ends rounded,
  // 1 left end, 2 right end, 3 middle piece).
  virtual void DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor BackgroundColor, Integer Part);
  virtual void DrawGradientBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R,
                                      TGradientDirection Direction);

  // Copies the settings of another drop-down editor (no text, no events, no label settings).
  void Assign(TPersistent* Source) override;

  // Streaming of the two always-written integers: "SelectionColorStyle" and "NorvStyle" (the
  // ordinals). Reading only stores the ordinal; an unknown name or an ordinal outside its
  // enumeration answers false and changes nothing.
  void WriteStyleProperties(std::function<void(const String& Name, Integer Value)> Writer) const;
  bool ReadStyleProperty(const String& Name, Integer Value);

  // --- Properties ---
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value);
  TColor DropDownColor() const { return FDropDownColor; }
  void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
  TColor DropDownColorTo() const { return FDropDownColorTo; }
  void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
  TGradientDirection DropDownGradient() const { return FDropDownGradient; }
  void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
  TColor DropDownBorderColor() const { return FDropDownBorderColor; }
  void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
  Integer DropDownBorderWidth() const { return FDropDownBorderWidth; }
  void SetDropDownBorderWidth(Integer Value) { FDropDownBorderWidth = Value; }
  bool DropDownShadow() const { return FDropDownShadow; }
  void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
  Integer DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(Integer Value);
  Integer DropDownHeight() const { return FDropDownHeight; }
  void SetDropDownHeight(Integer Value);
  // The popup size the user left by dragging, -1 when none.
  Integer UserDropDownWidth() const { return FUserDropDownWidth; }
  Integer UserDropDownHeight() const { return FUserDropDownHeight; }
  TDropPosition DropPosition() const { return FDropPosition; }
  void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
  Integer DropDownButtonWidth() const { return FButtonWidth; }
  void SetDropDownButtonWidth(Integer Value);
  const String& DropDownButtonHint() const { return FButtonHint; }
  void SetDropDownButtonHint(const String& Value);
  TBitmap* DropDownButtonGlyph() const;
  void SetDropDownButtonGlyph(TBitmap* Value);
  bool DropDownSizeable() const { return FDropDownSizeable; }
  void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
  bool DropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value) { FEtched = Value; }
  bool FocusDraw() const { return FFocusDraw; }
  void SetFocusDraw(bool Value) { FFocusDraw = Value; }
  bool ForceShadow() const { return FForceShadow; }
  void SetForceShadow(bool Value) { FForceShadow = Value; }
  // "1.2.1.4" from GetVersionNr; writes are ignored.
  String Version() const;
  void SetVersion(const String&) {}

  TExButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TExButtonAppearance* Value);
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value);

  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }

  TLabel* EditLabel() const { return FLabel; }
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  ExDropDown::TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(ExDropDown::TLabelPosition Value);
  Integer LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(const TFont* Value);

  TDropDownEditType EditType() const { return FEditType; }
  void SetEditType(TDropDownEditType Value);
  int16_t LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int16_t Value) { FLengthLimit = Value; }
  int16_t Precision() const { return FPrecision; }
  void SetPrecision(int16_t Value);
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value);
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value);
  bool Signed() const { return FSigned; }
  void SetSigned(bool Value) { FSigned = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
  void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
  bool DefaultHandling() const { return FDefaultHandling; }
  void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
  // Esc is handled by the edit (selects the value and clears the modified state).
  bool CanUndo() const { return FCanUndo; }
  void SetCanUndo(bool Value) { FCanUndo = Value; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  const String& ValidChars() const { return FValidChars; }
  void SetValidChars(const String& Value) { FValidChars = Value; }
  bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
  void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
  bool IsWinXP() const { return FIsWinXP; }
  bool IsThemed() const { return FIsThemed; }
  // True while the mouse is over the edit.
  bool MouseInControl() const { return FMouseInControl; }
  // The formatting rectangle last set.
  TRect FormattingRect() const { return FEditRect; }

  // --- Events ---
  TNotifyEvent OnBeforeDropDown;
  TDropDown OnDropDown;
  TNotifyEvent OnBeforeDropUp;
  TDropUp OnDropUp;
  TDropDownButtonItemClick OnDropDownHeaderButtonClick;
  TDropDownButtonItemClick OnDropDownFooterButtonClick;
  TDrawBackGroundEvent OnDrawHeader;
  TDrawBackGroundEvent OnDrawFooter;
  TGetTextEvent OnGetHeaderText;
  TGetTextEvent OnGetFooterText;
  ExDropDown::TClipboardEvent OnClipboardCopy;
  ExDropDown::TClipboardEvent OnClipboardPaste;
  ExDropDown::TClipboardEvent OnClipboardCut;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

  void Dispatch(TMessage& M) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  void SetReadOnly(bool Value);

  // --- Hooks, in their fixed order ---
  virtual void DoLabelClick();
  virtual void DoLabelDblClick();
  virtual Integer GetVersionNr();
  virtual void CreateDropDownForm();
  virtual void CreateDropDownButton();
  virtual void UpdateDropDownButton();
  virtual void BeforeDropDown();
  virtual void AdjustDropDownHeight(Integer& Height);
  virtual void FocusDropDownControl();
  virtual void DoShowDropDown();
  virtual void PlaceDropDownControl();
  virtual void UpdateDropDownSize();
  virtual void DoHideDropDown(bool CancelChanges);
  virtual void AfterDropUp();
  virtual void DropDownFormDestroyed();
  virtual void DropDownWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled);
  virtual void DropDownWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled);
  virtual void DropDownFormKeyPress(Char& Key);
  virtual void DropDownFormKeyDown(Word& Key, TShiftState Shift);
  virtual void DropDownFormKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyDown(Word& Key, TShiftState Shift);
  virtual void ControlKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyPress(Char& Key);
  virtual void DropDownSizing();
  virtual void SelectNextValue();
  virtual void SelectPreviousValue();
  virtual void PaintSelectedValue();
  virtual void UpdateEditRect();
  virtual void UpdateButtonBounds();

  // Opens the popup for a click on the drop button or on a non-editable edit: not at design time,
  // only while hidden, and only when more than 250 ms passed since the popup lost activation.
  void DropButtonClick();
  // The border painting of the edit (onto its window image).
  void PaintBorder();
  // What the edit draws over its stock widget: the border and the selected-value highlight.
  TBitmap* WindowImage() { return FWindowImage.Image(); }

 protected:
  friend class TDropDownForm;
  friend class TExHeader;
  friend class TExFooter;
  friend class TExButton;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void WMChar(TMessage& M) override;
  // Runs for every character typed into the editable field, before the typed entry of the edit
  // type: a specialisation acts on the character here, changes it, or drops it by setting it to 0.
  // Nothing here.
  virtual void BeforeTypedEntry(Char& Key);
  void WMKeyDown(TMessage& M) override;
  void WMSysKeyDown(TMessage& M) override;
  void WMSetFocus(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void WMPaint(TMessage& M) override;
  void WMSize(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
  void CMWantSpecialKey(TMessage& M) override;
  void CMEnter(TMessage& M) override;
  void CMExit(TMessage& M) override;
  void CMMouseEnter(TMessage& M) override;
  void CMMouseLeave(TMessage& M) override;
  void CMEnabledChanged(TMessage& M) override;
  void CMVisibleChanged(TMessage& M) override;
  void CMFontChanged(TMessage& M) override;
  void CMParentFontChanged(TMessage& M) override;
  void CNCommand(TMessage& M) override;
  void DoEnter() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMLButtonDown(TMessage& M) override;
  void WMLButtonDblClk(TMessage& M) override;
  // Clipboard messages.
  virtual void WMCut(TMessage& M);
  virtual void WMCopy(TMessage& M);
  virtual void WMPaste(TMessage& M);

  // The money formatting of etMoney after typing, deleting and every value write.
  void AutoSeparators();
  // The number of a text: thousand separators removed, then read with the decimal separator;
  // 0 when it does not convert.
  static double NumberOf(const String& S);
  // The integer-part length of a value (see the typed-entry rules).
  Integer IntegerPartLength(const String& Value) const;
  // The value text read from an edit text.
  String ValueOf(const String& EditText) const;
  // Writes the edit text directly, with FPrecision 0 for the duration when ZeroPrecision.
  void SetEditTextDirect(const String& S);
  // The label's place beside the edit.
  void UpdateLabel();
  void LabelFontChanged(TObject* Sender);
  void HeaderChanged(TObject* Sender);
  void FooterChanged(TObject* Sender);
  // The sign toggle of "-" typed in a numeric value.
  void ToggleSign(bool WholeSelected);
  bool KeyPreviewOfForm() const;
  bool HasParentForm() const;
  // A key message posted to the parent window.
  void PostKeyToParent(UINT Msg, Word Key);
  // Handles a character for the edit types; returns without passing on when swallowed.
  void HandleTypedChar(TMessage& M);
  void HandleDecimalChar(TMessage& M, Char Ch);
  // Passes a character message to the masked edit's own handling (which inserts it).
  void PassOnChar(TMessage& M);
  // The window-control level handling of a character (skipping the masked edit).
  void PlainChar(TMessage& M);
  // Keeps the selection out of the prefix and suffix after a mouse release.
  void ClampSelection();

  TLabel* FLabel = nullptr;
  bool FParentFnt = false;
  Integer FDropDownWidth = 0;
  Integer FDropDownHeight = 0;
  Integer FUserDropDownWidth = -1;
  Integer FUserDropDownHeight = -1;
  bool FEditorEnabled = true;
  TDropPosition FDropPosition = dpAuto;
  bool FFlat = false;
  TImageList* FImages = nullptr;
  bool FDropDownShadow = true;
  Integer FDropDownBorderWidth = 1;
  String FButtonHint;
  TColor FDropDownColorTo = 0xF0DED0;
  TColor FDropDownColor = 0xF3E5DA;
  TColor FDropDownBorderColor = clNone;
  Integer FButtonWidth = 17;
  bool FMouseInControl = false;
  bool FEtched = false;
  TWinControl* FFocusControl = nullptr;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TExButtonAppearance> FButtonAppearance;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TControl* FControl = nullptr;
  TGradientDirection FDropDownGradient = gdHorizontal;
  bool FDropDownSizeable = true;
  TColor FSelectionColor = 0xD7FFFD;
  TColor FSelectionColorTo = 0x58D4FC;
  TSelectionColorStyle FSelectionColorStyle = scOffice2007;
  TDropDownEditType FEditType = etString;
  int16_t FLengthLimit = 0;
  int16_t FPrecision = 0;
  String FPrefix;
  String FSuffix;
  String FOldString;
  bool FSigned = false;
  bool FReturnIsTab = false;
  bool FIsWinXP = true;
  bool FIsThemed = false;
  bool FBlockChange = false;
  bool FAllowNumericNullValue = false;
  bool FDefaultHandling = true;
  bool FCanUndo = true;
  bool FExcelStyleDecimalSeparator = false;
  String FValidChars;
  bool FBlockCopy = false;
  bool FButtonDown = false;
  bool FAutoThousandSeparator = true;
  bool FIsModified = false;
  TRect FEditRect;
  bool FDropDownEnabled = false;
  bool FDroppedDown = false;
  bool FFocusDraw = true;
  bool FForceShadow = false;
  TNorvStyle FNorvStyle = tsOffice2007Luna;
  Integer FLabelMargin = 4;
  ExDropDown::TLabelPosition FLabelPosition = ExDropDown::lpLeftTop;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  std::unique_ptr<TFont> FLabelFont;
  TColor FBorderColor = clNone;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = true;
  TDropDownForm* FDropDownForm = nullptr;
  TDropDownEditButton* FButton = nullptr;
  String FOldText;
  TEsgWindowImage FWindowImage;
  bool FInUpdateButtonBounds = false;
  // Set by KeyDown for the work done once the edit has handled the key itself: the money
  // formatting after a Delete, and keeping the caret out of the prefix.
  bool FFormatAfterKey = false;
  bool FFixCaretAfterKey = false;
  // The hosted control's own size, taken before the popup aligns it to its client area: the
  // automatic popup size is measured from it while the control fills the popup.
  Integer FControlWidth = 0;
  Integer FControlHeight = 0;
};
