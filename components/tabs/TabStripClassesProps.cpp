// The published properties of the tab, the option and look-and-feel trees and their wrappers, in
// streaming order; and saving, loading and rendering the trees as text through the wrappers.
#include <map>

#include "components/tabs/TabStripClasses.h"
#include "components/tabs/TabStripUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {

using TProps = std::vector<TPublishedProperty>;

// --- Builders of one table entry ------------------------------------------------------------------

template <class C, class V>
TPublishedProperty Ordinal(const char16_t* Name, TPublishedKind Kind, V (C::*Get)() const, void (C::*Set)(V),
                           const std::vector<String>* EnumNames = nullptr) {
  TPublishedProperty p;
  p.Name = Name;
  p.Kind = Kind;
  p.EnumNames = EnumNames;
  p.GetOrdinal = [Get](TObject* o) -> Int64 { return static_cast<Int64>((static_cast<C*>(o)->*Get)()); };
  p.SetOrdinal = [Set](TObject* o, Int64 v) { (static_cast<C*>(o)->*Set)(static_cast<V>(v)); };
  return p;
}

template <class C>
TPublishedProperty Int(const char16_t* Name, Integer (C::*Get)() const, void (C::*Set)(Integer)) {
  return Ordinal<C, Integer>(Name, pkInteger, Get, Set);
}

template <class C>
TPublishedProperty Bool(const char16_t* Name, bool (C::*Get)() const, void (C::*Set)(bool)) {
  return Ordinal<C, bool>(Name, pkBoolean, Get, Set);
}

template <class C>
TPublishedProperty ByteProp(const char16_t* Name, Byte (C::*Get)() const, void (C::*Set)(Byte)) {
  return Ordinal<C, Byte>(Name, pkByte, Get, Set);
}

template <class C>
TPublishedProperty ColorProp(const char16_t* Name, TColor (C::*Get)() const, void (C::*Set)(TColor)) {
  return Ordinal<C, TColor>(Name, pkColor, Get, Set);
}

template <class C, class E>
TPublishedProperty Enum(const char16_t* Name, E (C::*Get)() const, void (C::*Set)(E),
                        const std::vector<String>& Names) {
  return Ordinal<C, E>(Name, pkEnum, Get, Set, &Names);
}

template <class C, class V>
TPublishedProperty Real(const char16_t* Name, TPublishedKind Kind, V (C::*Get)() const, void (C::*Set)(V)) {
  TPublishedProperty p;
  p.Name = Name;
  p.Kind = Kind;
  p.GetFloat = [Get](TObject* o) -> double { return static_cast<double>((static_cast<C*>(o)->*Get)()); };
  p.SetFloat = [Set](TObject* o, double v) { (static_cast<C*>(o)->*Set)(static_cast<V>(v)); };
  return p;
}

template <class C, class G>
TPublishedProperty Str(const char16_t* Name, G Get, void (C::*Set)(const String&)) {
  TPublishedProperty p;
  p.Name = Name;
  p.Kind = pkString;
  p.GetString = [Get](TObject* o) -> String { return (static_cast<C*>(o)->*Get)(); };
  p.SetString = [Set](TObject* o, const String& v) { (static_cast<C*>(o)->*Set)(v); };
  return p;
}

template <class C, class T>
TPublishedProperty Object(const char16_t* Name, T* (C::*Get)() const) {
  TPublishedProperty p;
  p.Name = Name;
  p.Kind = pkObject;
  p.GetObject = [Get](TObject* o) -> TObject* { return (static_cast<C*>(o)->*Get)(); };
  return p;
}

// The ranges a loaded value must lie in. Sizes and offsets of the strip's parts are pixels within a
// screen's reach; durations are not negative, and a period or timer interval, which divides or
// repeats, is at least 1 ms.
constexpr double Extent = 10000;
constexpr double Duration = 4294967295.0;

TPublishedProperty In(TPublishedProperty P, double Low, double High) {
  P.Low = Low;
  P.High = High;
  return P;
}
TPublishedProperty Size(TPublishedProperty P) { return In(std::move(P), 0, Extent); }
TPublishedProperty Offset(TPublishedProperty P) { return In(std::move(P), -Extent, Extent); }
TPublishedProperty Time(TPublishedProperty P) { return In(std::move(P), 0, Duration); }
TPublishedProperty Period(TPublishedProperty P) { return In(std::move(P), 1, Duration); }

TProps Join(TProps Base, std::initializer_list<TPublishedProperty> Own) {
  Base.insert(Base.end(), Own.begin(), Own.end());
  return Base;
}

// --- Identifiers of the enumerations --------------------------------------------------------------

const std::vector<String> EaseTypeNames = {
    u"ttNone",          u"ttLinearTween",    u"ttEaseInQuad",    u"ttEaseOutQuad",    u"ttEaseInOutQuad",
    u"ttEaseInCubic",   u"ttEaseOutCubic",   u"ttEaseInOutCubic", u"ttEaseInQuart",   u"ttEaseOutQuart",
    u"ttEaseInOutQuart", u"ttEaseInQuint",   u"ttEaseOutQuint",  u"ttEaseInOutQuint", u"ttEaseInSine",
    u"ttEaseOutSine",   u"ttEaseInOutSine",  u"ttEaseInExpo",    u"ttEaseOutExpo",    u"ttEaseInOutExpo",
    u"ttEaseInCirc",    u"ttEaseOutCirc",    u"ttEaseInOutCirc"};
const std::vector<String> DragTypeNames = {u"dtNone", u"dtWithinContainer", u"dtBetweenContainers"};
const std::vector<String> DragDisplayNames = {u"ddCursor", u"ddTab", u"ddControl", u"ddTabAndControl"};
const std::vector<String> ScrollButtonsNames = {u"csbNone", u"csbLeft", u"csbRight", u"csbLeftAndRight"};
const std::vector<String> AddButtonVisibilityNames = {u"avNone", u"avLeft", u"avRightFloating", u"avRightFixed"};
const std::vector<String> CloseButtonVisibilityNames = {u"bvNever", u"bvAll", u"bvActive"};
const std::vector<String> ModifiedStyleNames = {u"msNone", u"msLeftToRight", u"msRightToLeft", u"msKnightRider"};
const std::vector<String> TextTrimTypeNames = {u"tttNone",         u"tttCharacter",     u"tttWord",
                                               u"tttEllipsisCharacter", u"tttEllipsisWord", u"tttEllipsisPath",
                                               u"tttFade"};
const std::vector<String> OrientationNames = {u"toTop", u"toBottom"};
const std::vector<String> AlignmentNames = {u"taLeftJustify", u"taRightJustify", u"taCenter"};
const std::vector<String> VerticalAlignmentNames = {u"taAlignTop", u"taAlignBottom", u"taVerticalCenter"};
const std::vector<String> TextRenderingHintNames = {
    u"TextRenderingHintSystemDefault", u"TextRenderingHintSingleBitPerPixelGridFit",
    u"TextRenderingHintSingleBitPerPixel", u"TextRenderingHintAntiAliasGridFit",
    u"TextRenderingHintAntiAlias", u"TextRenderingHintClearTypeGridFit"};
const std::vector<String> SpinnerStateNames = {u"tssNone", u"tssRenderedUpload", u"tssRenderedDownload",
                                               u"tssImageUpload", u"tssImageDownload"};

// --- The tables -------------------------------------------------------------------------------------

std::map<String, TProps> BuildTables() {
  std::map<String, TProps> t;

  t[u"TStripTab"] = {
      Str<TStripTab>(u"Caption", &TStripTab::Caption, &TStripTab::SetCaption),
      Bool(u"Active", &TStripTab::Active, &TStripTab::SetActive),
      Int(u"Tag", &TStripTab::Tag, &TStripTab::SetTag),
      Int(u"ImageIndex", &TStripTab::ImageIndex, &TStripTab::SetImageIndex),
      Int(u"ImageIndexOverlay", &TStripTab::ImageIndexOverlay, &TStripTab::SetImageIndexOverlay),
      Bool(u"Pinned", &TStripTab::Pinned, &TStripTab::SetPinned),
      Bool(u"Visible", &TStripTab::Visible, &TStripTab::SetVisible),
      Bool(u"Modified", &TStripTab::Modified, &TStripTab::SetModified),
      Enum(u"SpinnerState", &TStripTab::SpinnerState, &TStripTab::SetSpinnerState, SpinnerStateNames),
      Bool(u"HideCloseButton", &TStripTab::HideCloseButton, &TStripTab::SetHideCloseButton),
  };

  // Options.
  using TOf = TTabStripOffsets;
  t[u"TTabStripOffsets"] = {Offset(Int(u"Vertical", &TOf::Vertical, &TOf::SetVertical)),
                            Offset(Int(u"Horizontal", &TOf::Horizontal, &TOf::SetHorizontal))};
  using TCp = TTabStripControlPosition;
  const TProps position = {Object(u"Offsets", &TCp::Offsets), Size(Int(u"Height", &TCp::Height, &TCp::SetHeight)),
                           Size(Int(u"Width", &TCp::Width, &TCp::SetWidth))};
  t[u"TTabStripControlPosition"] = position;
  t[u"TTabStripControlPropertiesEx"] =
      Join(position, {Bool(u"Visible", &TTabStripControlPropertiesEx::Visible,
                           &TTabStripControlPropertiesEx::SetVisible)});
  using TCb = TTabStripCloseButtonProperties;
  t[u"TTabStripCloseButtonProperties"] =
      Join(position, {Bool(u"AutoHide", &TCb::AutoHide, &TCb::SetAutoHide),
                      Enum(u"Visibility", &TCb::Visibility, &TCb::SetVisibility, CloseButtonVisibilityNames),
                      Size(Int(u"AutoHideWidth", &TCb::AutoHideWidth, &TCb::SetAutoHideWidth)),
                      Offset(Int(u"CrossRadialOffset", &TCb::CrossRadialOffset, &TCb::SetCrossRadialOffset))});
  using TAb = TTabStripAddButtonProperties;
  t[u"TTabStripAddButtonProperties"] =
      Join(position, {Bool(u"ShowPlusSign", &TAb::ShowPlusSign, &TAb::SetShowPlusSign),
                      Enum(u"Visibility", &TAb::Visibility, &TAb::SetVisibility, AddButtonVisibilityNames),
                      Offset(Int(u"HorizontalOffsetFloating", &TAb::HorizontalOffsetFloating,
                                 &TAb::SetHorizontalOffsetFloating))});
  using TMd = TStripTabModifiedDisplayOptions;
  t[u"TStripTabModifiedDisplayOptions"] = {
      Enum(u"Style", &TMd::Style, &TMd::SetStyle, ModifiedStyleNames),
      Offset(Int(u"VerticalOffset", &TMd::VerticalOffset, &TMd::SetVerticalOffset)),
      Size(Int(u"Height", &TMd::Height, &TMd::SetHeight)),
      Size(Int(u"Width", &TMd::Width, &TMd::SetWidth)),
      Period(Int(u"AnimationPeriodMS", &TMd::AnimationPeriodMS, &TMd::SetAnimationPeriodMS)),
      Enum(u"EaseType", &TMd::EaseType, &TMd::SetEaseType, EaseTypeNames),
      Time(Int(u"AnimationUpdateMS", &TMd::AnimationUpdateMS, &TMd::SetAnimationUpdateMS))};
  using TTo = TTabStripOptions;
  t[u"TTabStripOptions"] = {
      Bool(u"SeeThroughTabs", &TTo::SeeThroughTabs, &TTo::SetSeeThroughTabs),
      Offset(Int(u"TabOverlap", &TTo::TabOverlap, &TTo::SetTabOverlap)),
      Offset(Int(u"ContentOffsetLeft", &TTo::ContentOffsetLeft, &TTo::SetContentOffsetLeft)),
      Offset(Int(u"ContentOffsetRight", &TTo::ContentOffsetRight, &TTo::SetContentOffsetRight)),
      Offset(Int(u"OffsetLeft", &TTo::OffsetLeft, &TTo::SetOffsetLeft)),
      Offset(Int(u"OffsetTop", &TTo::OffsetTop, &TTo::SetOffsetTop)),
      Offset(Int(u"OffsetRight", &TTo::OffsetRight, &TTo::SetOffsetRight)),
      Offset(Int(u"OffsetBottom", &TTo::OffsetBottom, &TTo::SetOffsetBottom)),
      Size(Int(u"MinWidth", &TTo::MinWidth, &TTo::SetMinWidth)),
      Size(Int(u"MaxWidth", &TTo::MaxWidth, &TTo::SetMaxWidth)),
      Bool(u"TabWidthFromContent", &TTo::TabWidthFromContent, &TTo::SetTabWidthFromContent),
      Size(Int(u"PinnedWidth", &TTo::PinnedWidth, &TTo::SetPinnedWidth)),
      Offset(Int(u"ImageOffsetLeft", &TTo::ImageOffsetLeft, &TTo::SetImageOffsetLeft)),
      Enum(u"TextTrimType", &TTo::TextTrimType, &TTo::SetTextTrimType, TextTrimTypeNames),
      Enum(u"Orientation", &TTo::Orientation, &TTo::SetOrientation, OrientationNames),
      Bool(u"BaseLineTabRegionOnly", &TTo::BaseLineTabRegionOnly, &TTo::SetBaseLineTabRegionOnly),
      Bool(u"WordWrap", &TTo::WordWrap, &TTo::SetWordWrap),
      Enum(u"TextAlignmentHorizontal", &TTo::TextAlignmentHorizontal, &TTo::SetTextAlignmentHorizontal,
           AlignmentNames),
      Enum(u"TextAlignmentVertical", &TTo::TextAlignmentVertical, &TTo::SetTextAlignmentVertical,
           VerticalAlignmentNames),
      Bool(u"ShowImages", &TTo::ShowImages, &TTo::SetShowImages),
      Bool(u"ShowPinnedTabText", &TTo::ShowPinnedTabText, &TTo::SetShowPinnedTabText)};
  using TCo = TTabStripContainerOptions;
  t[u"TTabStripContainerOptions"] = {
      Bool(u"TransparentBackground", &TCo::TransparentBackground, &TCo::SetTransparentBackground),
      Bool(u"OverlayButtons", &TCo::OverlayButtons, &TCo::SetOverlayButtons),
      Size(Int(u"PaddingLeft", &TCo::PaddingLeft, &TCo::SetPaddingLeft)),
      Size(Int(u"PaddingRight", &TCo::PaddingRight, &TCo::SetPaddingRight))};
  using TSo = TTabStripSpinnerOptions;
  t[u"TTabStripSpinnerOptions"] = {
      Bool(u"ReverseDirection", &TSo::ReverseDirection, &TSo::SetReverseDirection),
      In(Int(u"RenderedAnimationStep", &TSo::RenderedAnimationStep, &TSo::SetRenderedAnimationStep), -360, 360),
      Object(u"Position", &TSo::Position),
      In(Ordinal<TSo, Word>(u"SweepAngle", pkWord, &TSo::SweepAngle, &TSo::SetSweepAngle), 0, 360)};
  using TSs = TTabStripSpinnersOptions;
  t[u"TTabStripSpinnersOptions"] = {
      Object(u"Upload", &TSs::Upload), Object(u"Download", &TSs::Download),
      Time(Ordinal<TSs, Cardinal>(u"AnimationUpdateMS", pkCardinal, &TSs::AnimationUpdateMS,
                                  &TSs::SetAnimationUpdateMS)),
      Bool(u"HideImagesWhenSpinnerVisible", &TSs::HideImagesWhenSpinnerVisible,
           &TSs::SetHideImagesWhenSpinnerVisible)};
  using TDi = TTabStripDisplayOptions;
  t[u"TTabStripDisplayOptions"] = {
      Object(u"CloseButton", &TDi::CloseButton),     Object(u"AddButton", &TDi::AddButton),
      Object(u"ScrollButtonLeft", &TDi::ScrollButtonLeft), Object(u"ScrollButtonRight", &TDi::ScrollButtonRight),
      Object(u"TabModifiedGlow", &TDi::TabModifiedGlow), Object(u"Tabs", &TDi::Tabs),
      Object(u"TabContainer", &TDi::TabContainer),   Object(u"TabMouseGlow", &TDi::TabMouseGlow),
      Object(u"TabSpinners", &TDi::TabSpinners)};
  using TDr = TTabStripDragOptions;
  t[u"TTabStripDragOptions"] = {
      Enum(u"DragType", &TDr::DragType, &TDr::SetDragType, DragTypeNames),
      ByteProp(u"DragOutsideImageAlpha", &TDr::DragOutsideImageAlpha, &TDr::SetDragOutsideImageAlpha),
      Size(Int(u"DragOutsideDistancePixels", &TDr::DragOutsideDistancePixels, &TDr::SetDragOutsideDistancePixels)),
      Size(Int(u"DragStartPixels", &TDr::DragStartPixels, &TDr::SetDragStartPixels)),
      In(Real(u"DragControlImageResizeFactor", pkDouble, &TDr::DragControlImageResizeFactor,
              &TDr::SetDragControlImageResizeFactor),
         0, 4),
      Ordinal<TDr, TCursor>(u"DragCursor", pkCursor, &TDr::DragCursor, &TDr::SetDragCursor),
      Enum(u"DragDisplay", &TDr::DragDisplay, &TDr::SetDragDisplay, DragDisplayNames),
      In(Int(u"DragFormBorderWidth", &TDr::DragFormBorderWidth, &TDr::SetDragFormBorderWidth), 0, 100),
      Int(u"DragFormBorderColor", &TDr::DragFormBorderColor, &TDr::SetDragFormBorderColor),
      Bool(u"ContrainDraggedTabWithinContainer", &TDr::ContrainDraggedTabWithinContainer,
           &TDr::SetContrainDraggedTabWithinContainer)};
  using TMt = TTabStripMovementAnimationTypes;
  t[u"TTabStripMovementAnimationTypes"] = {
      Bool(u"UseDefaultEaseType", &TMt::UseDefaultEaseType, &TMt::SetUseDefaultEaseType),
      Bool(u"UseDefaultAnimationTime", &TMt::UseDefaultAnimationTime, &TMt::SetUseDefaultAnimationTime),
      Enum(u"EaseType", &TMt::EaseType, &TMt::SetEaseType, EaseTypeNames),
      Time(Int(u"AnimationTimeMS", &TMt::AnimationTimeMS, &TMt::SetAnimationTimeMS))};
  using TMa = TTabStripMovementAnimations;
  t[u"TTabStripMovementAnimations"] = {Object(u"TabAdd", &TMa::TabAdd), Object(u"TabDelete", &TMa::TabDelete),
                                       Object(u"TabMove", &TMa::TabMove)};
  using TAn = TTabStripAnimationOptions;
  t[u"TTabStripAnimationOptions"] = {
      Time(Ordinal<TAn, Cardinal>(u"DefaultMovementAnimationTimeMS", pkCardinal,
                                  &TAn::DefaultMovementAnimationTimeMS, &TAn::SetDefaultMovementAnimationTimeMS)),
      Time(Ordinal<TAn, Cardinal>(u"DefaultStyleAnimationTimeMS", pkCardinal, &TAn::DefaultStyleAnimationTimeMS,
                                  &TAn::SetDefaultStyleAnimationTimeMS)),
      Period(Int(u"AnimationTimerInterval", &TAn::AnimationTimerInterval, &TAn::SetAnimationTimerInterval)),
      Size(Int(u"MinimumTabAnimationWidth", &TAn::MinimumTabAnimationWidth, &TAn::SetMinimumTabAnimationWidth)),
      Enum(u"DefaultMovementEaseType", &TAn::DefaultMovementEaseType, &TAn::SetDefaultMovementEaseType,
           EaseTypeNames),
      Enum(u"DefaultStyleEaseType", &TAn::DefaultStyleEaseType, &TAn::SetDefaultStyleEaseType, EaseTypeNames),
      Object(u"MovementAnimations", &TAn::MovementAnimations)};
  using TBe = TTabStripBehaviourOptions;
  t[u"TTabStripBehaviourOptions"] = {
      Bool(u"BackgroundDblClickMaximiseRestoreForm", &TBe::BackgroundDblClickMaximiseRestoreForm,
           &TBe::SetBackgroundDblClickMaximiseRestoreForm),
      Bool(u"BackgroundDragMovesForm", &TBe::BackgroundDragMovesForm, &TBe::SetBackgroundDragMovesForm),
      Bool(u"TabSmartDeleteResizing", &TBe::TabSmartDeleteResizing, &TBe::SetTabSmartDeleteResizing),
      Period(Int(u"TabSmartDeleteResizeCancelDelay", &TBe::TabSmartDeleteResizeCancelDelay,
                 &TBe::SetTabSmartDeleteResizeCancelDelay)),
      Bool(u"UseBuiltInPopupMenu", &TBe::UseBuiltInPopupMenu, &TBe::SetUseBuiltInPopupMenu),
      Bool(u"TabRightClickSelect", &TBe::TabRightClickSelect, &TBe::SetTabRightClickSelect),
      Bool(u"ActivateNewTab", &TBe::ActivateNewTab, &TBe::SetActivateNewTab),
      Bool(u"DebugMode", &TBe::DebugMode, &TBe::SetDebugMode),
      Bool(u"IgnoreDoubleClicksWhileAnimatingMovement", &TBe::IgnoreDoubleClicksWhileAnimatingMovement,
           &TBe::SetIgnoreDoubleClicksWhileAnimatingMovement)};
  using TSc = TTabStripScrollOptions;
  t[u"TTabStripScrollOptions"] = {
      Bool(u"Enabled", &TSc::Enabled, &TSc::SetEnabled),
      Enum(u"ScrollButtons", &TSc::ScrollButtons, &TSc::SetScrollButtons, ScrollButtonsNames),
      In(Int(u"ScrollStep", &TSc::ScrollStep, &TSc::SetScrollStep), 1, Extent),
      Period(Int(u"ScrollRepeatDelay", &TSc::ScrollRepeatDelay, &TSc::SetScrollRepeatDelay)),
      Bool(u"AutoHideButtons", &TSc::AutoHideButtons, &TSc::SetAutoHideButtons),
      Bool(u"DragScroll", &TSc::DragScroll, &TSc::SetDragScroll),
      Size(Int(u"DragScrollOffset", &TSc::DragScrollOffset, &TSc::SetDragScrollOffset)),
      Bool(u"MouseWheelScroll", &TSc::MouseWheelScroll, &TSc::SetMouseWheelScroll)};
  t[u"TOptions"] = {Object(u"Display", &TOptions::Display), Object(u"DragDrop", &TOptions::DragDrop),
                    Object(u"Animation", &TOptions::Animation), Object(u"Behaviour", &TOptions::Behaviour),
                    Object(u"Scrolling", &TOptions::Scrolling)};
  {
    TPublishedProperty p;
    p.Name = u"Options";
    p.Kind = pkObject;
    p.GetObject = [](TObject* o) -> TObject* { return static_cast<TTabsOptions*>(o)->Options(); };
    p.SetObject = [](TObject* o, TObject* v) {
      static_cast<TTabsOptions*>(o)->SetOptions(dynamic_cast<TPersistent*>(v));
    };
    t[u"TTabsOptions"] = {p};
  }

  // Look and feel.
  using TSt = TTabStripLookAndFeelStyle;
  t[u"TTabStripLookAndFeelStyle"] = {
      ColorProp(u"StartColor", &TSt::StartColor, &TSt::SetStartColor),
      ColorProp(u"StopColor", &TSt::StopColor, &TSt::SetStopColor),
      ByteProp(u"StartAlpha", &TSt::StartAlpha, &TSt::SetStartAlpha),
      ByteProp(u"StopAlpha", &TSt::StopAlpha, &TSt::SetStopAlpha),
      ColorProp(u"OutlineColor", &TSt::OutlineColor, &TSt::SetOutlineColor),
      In(Real(u"OutlineSize", pkSingle, &TSt::OutlineSize, &TSt::SetOutlineSize), 0, 100),
      ByteProp(u"OutlineAlpha", &TSt::OutlineAlpha, &TSt::SetOutlineAlpha)};
  using TPn = TTabStripLookAndFeelPen;
  t[u"TTabStripLookAndFeelPen"] = {ColorProp(u"Color", &TPn::Color, &TPn::SetColor),
                                   In(Real(u"Thickness", pkSingle, &TPn::Thickness, &TPn::SetThickness), 0, 100),
                                   Int(u"Alpha", &TPn::Alpha, &TPn::SetAlpha)};
  using TBf = TTabStripLookAndFeelBaseFont;
  const TProps baseFont = {
      Str<TBf>(u"Name", &TBf::Name, &TBf::SetName), ColorProp(u"Color", &TBf::Color, &TBf::SetColor),
      In(Int(u"Size", &TBf::Size, &TBf::SetSize), 1, 400), ByteProp(u"Alpha", &TBf::Alpha, &TBf::SetAlpha),
      Enum(u"TextRendoringMode", &TBf::TextRendoringMode, &TBf::SetTextRendoringMode, TextRenderingHintNames)};
  t[u"TTabStripLookAndFeelBaseFont"] = baseFont;
  t[u"TTabStripLookAndFeelFont"] =
      Join(baseFont, {Bool(u"UseDefaultFont", &TTabStripLookAndFeelFont::UseDefaultFont,
                           &TTabStripLookAndFeelFont::SetUseDefaultFont)});
  using TGl = TTabStripLookAndFeelGlow;
  t[u"TTabStripLookAndFeelGlow"] = {ColorProp(u"CentreColor", &TGl::CentreColor, &TGl::SetCentreColor),
                                    ColorProp(u"OutsideColor", &TGl::OutsideColor, &TGl::SetOutsideColor),
                                    ByteProp(u"CentreAlpha", &TGl::CentreAlpha, &TGl::SetCentreAlpha),
                                    ByteProp(u"OutsideAlpha", &TGl::OutsideAlpha, &TGl::SetOutsideAlpha)};
  t[u"TTabStripLookAndFeelSpinners"] = {Object(u"Upload", &TTabStripLookAndFeelSpinners::Upload),
                                        Object(u"Download", &TTabStripLookAndFeelSpinners::Download)};
  using TSp = TTabStripLookAndFeelStyleProperties;
  t[u"TTabStripLookAndFeelStyleProperties"] = {Object(u"Font", &TSp::Font), Object(u"Style", &TSp::Style)};
  using TSi = TTabStripLookAndFeelCustomStyleItems;
  const TProps styleItems = {Object(u"Normal", &TSi::Normal), Object(u"Down", &TSi::Down),
                             Object(u"Hot", &TSi::Hot)};
  t[u"TTabStripLookAndFeelCustomStyleItems"] = styleItems;
  t[u"TTabStripLookAndFeelButtonItems"] = styleItems;
  t[u"TTabStripLookAndFeelDisabledButton"] =
      Join(styleItems, {Object(u"Disabled", &TTabStripLookAndFeelDisabledButton::Disabled)});
  using TPi = TTabStripCustomLookAndFeelPenItem;
  const TProps penItems = {Object(u"Normal", &TPi::Normal), Object(u"Down", &TPi::Down), Object(u"Hot", &TPi::Hot)};
  t[u"TTabStripCustomLookAndFeelPenItem"] = penItems;
  t[u"TTabStripLookAndFeelPenItem"] = penItems;
  using TPs = TTabStripCustomLookAndFeelStylePropertyItems;
  const TProps stateItems = {Object(u"Active", &TPs::Active), Object(u"NotActive", &TPs::NotActive),
                             Object(u"Hot", &TPs::Hot)};
  t[u"TTabStripCustomLookAndFeelStylePropertyItems"] = stateItems;
  using TLt = TTabStripLookAndFeelTab;
  t[u"TTabStripLookAndFeelTab"] =
      Join(stateItems, {Object(u"BaseLine", &TLt::BaseLine), Object(u"Modified", &TLt::Modified),
                        Object(u"MouseGlow", &TLt::MouseGlow), Object(u"DefaultFont", &TLt::DefaultFont),
                        Object(u"Spinners", &TLt::Spinners)});
  t[u"TTabStripLookAndFeelCloseButton"] = {Object(u"Cross", &TTabStripLookAndFeelCloseButton::Cross),
                                           Object(u"Circle", &TTabStripLookAndFeelCloseButton::Circle)};
  t[u"TTabStripLookAndFeelAddButton"] = {Object(u"Button", &TTabStripLookAndFeelAddButton::Button),
                                         Object(u"PlusSign", &TTabStripLookAndFeelAddButton::PlusSign)};
  t[u"TTabStripLookAndFeelScrollButton"] = {Object(u"Button", &TTabStripLookAndFeelScrollButton::Button),
                                            Object(u"Arrow", &TTabStripLookAndFeelScrollButton::Arrow)};
  using TLf = TTabStripLookAndFeel;
  t[u"TTabStripLookAndFeel"] = {Object(u"TabsContainer", &TLf::TabsContainer), Object(u"Tabs", &TLf::Tabs),
                                Object(u"CloseButton", &TLf::CloseButton), Object(u"AddButton", &TLf::AddButton),
                                Object(u"ScrollButtons", &TLf::ScrollButtons)};
  {
    TPublishedProperty p;
    p.Name = u"LookAndFeel";
    p.Kind = pkObject;
    p.GetObject = [](TObject* o) -> TObject* { return static_cast<TTabsLookAndFeel*>(o)->LookAndFeel(); };
    p.SetObject = [](TObject* o, TObject* v) {
      static_cast<TTabsLookAndFeel*>(o)->SetLookAndFeel(dynamic_cast<TPersistent*>(v));
    };
    t[u"TTabsLookAndFeel"] = {p};
  }
  return t;
}

}  // namespace

const std::vector<TPublishedProperty>* GetPublishedProperties(const TObject* Instance) {
  if (!Instance) return nullptr;
  static const std::map<String, TProps> tables = BuildTables();
  const auto it = tables.find(Instance->ClassName());
  return it == tables.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------------------------------------
// Saving and loading through the wrappers

namespace {

// The name the statements of the code rendering start with.
const String CodeComponentName = u"TabStrip1";

}  // namespace

void SaveTabStripOptions(TOptions* Options, TStream* Stream) {
  TTabsOptions wrapper(nullptr);
  wrapper.SetOptions(Options);
  SaveComponentAsText(&wrapper, Stream);
}

void LoadTabStripOptions(TOptions* Options, TStream* Stream) {
  TTabsOptions wrapper(nullptr);
  wrapper.SetOptions(Options);
  LoadComponentFromText(&wrapper, Stream);
}

String TabStripOptionsToCode(TOptions* Options) {
  TTabsOptions wrapper(nullptr);
  wrapper.SetOptions(Options);
  return ComponentToCode(&wrapper, CodeComponentName);
}

void SaveTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel, TStream* Stream) {
  TTabsLookAndFeel wrapper(nullptr);
  wrapper.SetLookAndFeel(LookAndFeel);
  SaveComponentAsText(&wrapper, Stream);
}

void LoadTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel, TStream* Stream) {
  TTabsLookAndFeel wrapper(nullptr);
  wrapper.SetLookAndFeel(LookAndFeel);
  LoadComponentFromText(&wrapper, Stream);
}

String TabStripLookAndFeelToCode(TTabStripLookAndFeel* LookAndFeel) {
  TTabsLookAndFeel wrapper(nullptr);
  wrapper.SetLookAndFeel(LookAndFeel);
  return ComponentToCode(&wrapper, CodeComponentName);
}

void SaveTabStripOptionsToFile(TOptions* Options, const String& FileName) {
  // Written whole to memory first; the file is then replaced in one step, so a failed save keeps
  // the old file and leaves no new one.
  TMemoryStream stream;
  SaveTabStripOptions(Options, &stream);
  stream.SaveToFile(FileName);
}

void LoadTabStripOptionsFromFile(TOptions* Options, const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadTabStripOptions(Options, &stream);
}

void SaveTabStripLookAndFeelToFile(TTabStripLookAndFeel* LookAndFeel, const String& FileName) {
  // Written whole to memory first; the file is then replaced in one step, so a failed save keeps
  // the old file and leaves no new one.
  TMemoryStream stream;
  SaveTabStripLookAndFeel(LookAndFeel, &stream);
  stream.SaveToFile(FileName);
}

void LoadTabStripLookAndFeelFromFile(TTabStripLookAndFeel* LookAndFeel, const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadTabStripLookAndFeel(LookAndFeel, &stream);
}
