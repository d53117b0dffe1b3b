// The values a new tab strip takes over the classes' own initial values, written through the
// published properties so that each write reports as its property does.
#include "components/tabs/TabStripClasses.h"

void SetDefaultTabStripOptions(TOptions* Options) {
  TTabStripDisplayOptions* display = Options->Display();

  TTabStripCloseButtonProperties* close = display->CloseButton();
  close->Offsets()->SetVertical(6);
  close->Offsets()->SetHorizontal(2);
  close->SetHeight(14);
  close->SetWidth(14);
  close->SetAutoHide(true);
  close->SetVisibility(bvAll);
  close->SetAutoHideWidth(20);
  close->SetCrossRadialOffset(4);

  TTabStripAddButtonProperties* add = display->AddButton();
  add->Offsets()->SetVertical(10);
  add->Offsets()->SetHorizontal(2);
  add->SetHorizontalOffsetFloating(-3);
  add->SetHeight(14);
  add->SetWidth(31);
  add->SetShowPlusSign(false);
  add->SetVisibility(avRightFloating);

  for (TTabStripControlPosition* scroll : {display->ScrollButtonLeft(), display->ScrollButtonRight()}) {
    scroll->Offsets()->SetVertical(10);
    scroll->Offsets()->SetHorizontal(1);
    scroll->SetHeight(15);
    scroll->SetWidth(15);
  }

  TStripTabModifiedDisplayOptions* glow = display->TabModifiedGlow();
  glow->SetStyle(msRightToLeft);
  glow->SetVerticalOffset(-6);
  glow->SetHeight(30);
  glow->SetWidth(100);
  glow->SetAnimationPeriodMS(4000);
  glow->SetEaseType(ttEaseInOutQuad);
  glow->SetAnimationUpdateMS(50);

  TTabStripOptions* tabs = display->Tabs();
  tabs->SetSeeThroughTabs(false);
  tabs->SetTabOverlap(15);
  tabs->SetContentOffsetLeft(18);
  tabs->SetContentOffsetRight(16);
  tabs->SetOffsetLeft(0);
  tabs->SetOffsetTop(4);
  tabs->SetOffsetRight(0);
  tabs->SetOffsetBottom(0);
  tabs->SetMinWidth(25);
  tabs->SetMaxWidth(200);
  tabs->SetPinnedWidth(39);
  tabs->SetImageOffsetLeft(13);
  tabs->SetTextTrimType(tttFade);
  tabs->SetOrientation(toTop);
  tabs->SetBaseLineTabRegionOnly(false);
  tabs->SetWordWrap(false);
  tabs->SetTextAlignmentHorizontal(taLeftJustify);
  tabs->SetTextAlignmentVertical(taVerticalCenter);
  tabs->SetShowImages(true);

  TTabStripContainerOptions* container = display->TabContainer();
  container->SetTransparentBackground(true);
  container->SetOverlayButtons(true);
  container->SetPaddingLeft(0);
  container->SetPaddingRight(0);

  TTabStripControlPropertiesEx* mouseGlow = display->TabMouseGlow();
  mouseGlow->Offsets()->SetVertical(0);
  mouseGlow->Offsets()->SetHorizontal(0);
  mouseGlow->SetHeight(200);
  mouseGlow->SetWidth(200);
  mouseGlow->SetVisible(true);

  TTabStripDragOptions* drag = Options->DragDrop();
  drag->SetDragType(dtBetweenContainers);
  drag->SetDragOutsideImageAlpha(220);
  drag->SetDragOutsideDistancePixels(30);
  drag->SetDragStartPixels(2);
  drag->SetDragControlImageResizeFactor(0.5);
  drag->SetDragCursor(crDefault);
  drag->SetDragDisplay(ddTabAndControl);
  drag->SetDragFormBorderWidth(2);
  drag->SetDragFormBorderColor(0x808080);

  TTabStripAnimationOptions* animation = Options->Animation();
  animation->SetDefaultMovementAnimationTimeMS(100);
  animation->SetDefaultStyleAnimationTimeMS(300);
  animation->SetAnimationTimerInterval(15);
  animation->SetMinimumTabAnimationWidth(40);
  animation->SetDefaultMovementEaseType(ttLinearTween);
  animation->SetDefaultStyleEaseType(ttLinearTween);
  TTabStripMovementAnimations* movements = animation->MovementAnimations();
  for (TTabStripMovementAnimationTypes* kind : {movements->TabAdd(), movements->TabDelete()}) {
    kind->SetUseDefaultEaseType(true);
    kind->SetUseDefaultAnimationTime(true);
    kind->SetEaseType(ttEaseOutExpo);
    kind->SetAnimationTimeMS(500);
  }
  movements->TabMove()->SetUseDefaultEaseType(false);
  movements->TabMove()->SetUseDefaultAnimationTime(false);
  movements->TabMove()->SetEaseType(ttEaseOutExpo);
  movements->TabMove()->SetAnimationTimeMS(500);

  TTabStripBehaviourOptions* behaviour = Options->Behaviour();
  behaviour->SetBackgroundDblClickMaximiseRestoreForm(true);
  behaviour->SetBackgroundDragMovesForm(true);
  behaviour->SetTabSmartDeleteResizing(true);
  behaviour->SetTabSmartDeleteResizeCancelDelay(700);
  behaviour->SetUseBuiltInPopupMenu(true);
  behaviour->SetTabRightClickSelect(true);
  behaviour->SetActivateNewTab(true);
  behaviour->SetDebugMode(false);
  behaviour->SetIgnoreDoubleClicksWhileAnimatingMovement(true);

  TTabStripScrollOptions* scrolling = Options->Scrolling();
  scrolling->SetEnabled(true);
  scrolling->SetScrollButtons(csbRight);
  scrolling->SetScrollStep(20);
  scrolling->SetScrollRepeatDelay(20);
  scrolling->SetAutoHideButtons(false);
  scrolling->SetDragScroll(true);
  scrolling->SetDragScrollOffset(50);
  scrolling->SetMouseWheelScroll(true);
}

namespace {

// One row of the fill-style table; a negative OutlineSize leaves the outline width unwritten.
struct TStyleRow {
  TColor StartColor, StopColor;
  Byte StartAlpha, StopAlpha;
  TColor OutlineColor;
  float OutlineSize;
  Byte OutlineAlpha;
};

void WriteStyle(TTabStripLookAndFeelStyle* Style, const TStyleRow& Row) {
  Style->SetStartColor(Row.StartColor);
  Style->SetStopColor(Row.StopColor);
  Style->SetStartAlpha(Row.StartAlpha);
  Style->SetStopAlpha(Row.StopAlpha);
  Style->SetOutlineColor(Row.OutlineColor);
  if (Row.OutlineSize >= 0) Style->SetOutlineSize(Row.OutlineSize);
  Style->SetOutlineAlpha(Row.OutlineAlpha);
}

void WriteFont(TTabStripLookAndFeelBaseFont* Font, TColor Color, Byte Alpha) {
  Font->SetName(u"Segoe UI");
  Font->SetColor(Color);
  Font->SetSize(9);
  Font->SetAlpha(Alpha);
  Font->SetTextRendoringMode(TextRenderingHintClearTypeGridFit);
}

void WritePen(TTabStripLookAndFeelPen* Pen, TColor Color, float Thickness, Integer Alpha) {
  Pen->SetColor(Color);
  Pen->SetThickness(Thickness);
  Pen->SetAlpha(Alpha);
}

void WriteGlow(TTabStripLookAndFeelGlow* Glow, Byte CentreAlpha) {
  Glow->SetCentreColor(0xFFFFFF);
  Glow->SetOutsideColor(0xFFFFFF);
  Glow->SetCentreAlpha(CentreAlpha);
  Glow->SetOutsideAlpha(0);
}

}  // namespace

void SetDefaultTabStripLookAndFeel(TTabStripLookAndFeel* LookAndFeel) {
  TTabStripLookAndFeelTab* tabs = LookAndFeel->Tabs();
  WriteStyle(LookAndFeel->TabsContainer(), {0xDE9262, 0xC97142, 255, 255, 0xDD9262, -1.0f, 0});
  WriteStyle(tabs->Active()->Style(), {0xFFFFFF, 0xF8F9F8, 255, 255, 0x9B7C5E, 1.0f, 255});
  WriteStyle(tabs->NotActive()->Style(), {0xE7D9CD, 0xE7D9CD, 210, 210, 0xCEB396, 1.0f, 215});
  WriteStyle(tabs->Hot()->Style(), {0xEFE2D8, 0xEDE1D7, 255, 255, 0xBD9277, 1.0f, 235});

  TTabStripLookAndFeelButtonItems* circle = LookAndFeel->CloseButton()->Circle();
  WriteStyle(circle->Normal(), {clGradientActiveCaption, clNone, 0, 0, 0x808080, 1.0f, 0});
  WriteStyle(circle->Down(), {0x3535C1, 0x3535C1, 255, 255, 0x808080, 1.0f, 255});
  WriteStyle(circle->Hot(), {0x8F8FDB, 0x9597E4, 255, 255, 0x5C62C3, 1.0f, 255});

  TTabStripLookAndFeelButtonItems* addButton = LookAndFeel->AddButton()->Button();
  WriteStyle(addButton->Normal(), {0xDAD0C4, 0xDACFC3, 255, 255, 0xC7B6A5, 1.0f, 255});
  WriteStyle(addButton->Down(), {0xCCBCAD, 0xCCBCAC, 255, 255, 0xA5998C, 1.0f, 255});
  WriteStyle(addButton->Hot(), {0xECE1DA, 0xECE1DA, 255, 255, 0xE3C7AB, 1.0f, 255});
  TTabStripLookAndFeelButtonItems* plus = LookAndFeel->AddButton()->PlusSign();
  for (TTabStripLookAndFeelStyle* style : {plus->Normal(), plus->Down(), plus->Hot()})
    WriteStyle(style, {0xFFFFFF, 0xFFFFFF, 255, 255, 0x808080, 1.0f, 255});

  TTabStripLookAndFeelDisabledButton* scroll = LookAndFeel->ScrollButtons()->Button();
  WriteStyle(scroll->Normal(), {0xE0D7CE, 0xD9CFC3, 255, 255, 0xAF9882, 1.0f, 255});
  WriteStyle(scroll->Down(), {0xCCBCAD, 0xCCBCAC, 255, 255, 0xA5998C, 1.0f, 255});
  WriteStyle(scroll->Hot(), {0xECE1DA, 0xECE1D9, 255, 255, 0xE3C7AC, 1.0f, 255});
  WriteStyle(scroll->Disabled(), {0xDACFC4, 0xD9CFC3, 150, 150, 0xA9937D, 1.0f, 100});
  TTabStripLookAndFeelDisabledButton* arrow = LookAndFeel->ScrollButtons()->Arrow();
  for (TTabStripLookAndFeelStyle* style : {arrow->Normal(), arrow->Down(), arrow->Hot()})
    WriteStyle(style, {0xFFFFFF, 0xFFFFFF, 255, 255, 0x808080, 1.0f, 200});
  WriteStyle(arrow->Disabled(), {0xC0C0C0, 0xC0C0C0, 150, 150, 0x808080, 1.0f, 200});

  WriteFont(tabs->DefaultFont(), 0x000000, 255);
  WriteFont(tabs->Active()->Font(), 0x008080, 100);
  tabs->Active()->Font()->SetUseDefaultFont(true);
  WriteFont(tabs->NotActive()->Font(), 0x463E55, 215);
  tabs->NotActive()->Font()->SetUseDefaultFont(false);
  WriteFont(tabs->Hot()->Font(), 0x404040, 215);
  tabs->Hot()->Font()->SetUseDefaultFont(false);

  WritePen(tabs->BaseLine(), 0xA9886D, 1.0f, 255);
  TTabStripLookAndFeelPenItem* cross = LookAndFeel->CloseButton()->Cross();
  WritePen(cross->Normal(), 0x655D57, 1.5f, 255);
  WritePen(cross->Down(), 0xEBEBF9, 2.0f, 220);
  WritePen(cross->Hot(), 0xFFFFFF, 2.0f, 220);

  WriteGlow(tabs->Modified(), 130);
  WriteGlow(tabs->MouseGlow(), 120);
}
