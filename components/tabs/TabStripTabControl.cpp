// The tab control: content layout (image, text, close button), the width the content needs, the
// drawing of one tab in its fixed order with the strip's hooks, the glow of a modified tab and the
// busy spinner.
#include <cmath>

#include "components/tabs/TabStripControls.h"
#include "platform/os/Clock.h"
#include "platform/rtl/SysUtils.h"

namespace {

TOptions* OptionsOf(ITabStrip* S) { return S ? S->GetOptions() : nullptr; }

}  // namespace

TStripTabControl::TStripTabControl(ITabStrip* TabStrip, IStripTab* StripTab)
    : TBaseTabStripControl(TabStrip),
      FStripTab(StripTab),
      FStripTabControlPropertyItems(std::make_unique<TStripTabControlPropertyItems>()) {
  FControlType = itTab;
  FScrollableControl = true;
}

TStripTabControl::~TStripTabControl() = default;

void TStripTabControl::Invalidate() {
  TBaseTabStripControl::Invalidate();
  FPenInvalidated = true;
  FBrushInvalidated = true;
  FCloseButtonInvalidate = true;
}

void TStripTabControl::EndAnimation() {
  FStripTabControlPropertyItems->EndAnimation();
  AnimateStyle();
}

bool TStripTabControl::AnimateStyle() {
  const bool Changed = FStripTabControlPropertyItems->TransformColors(false);
  if (Changed) Invalidate();
  return Changed;
}

void TStripTabControl::SetDrawState(TDrawState State, Cardinal AnimationTimeMS, TTabStripEaseType EaseType,
                                    bool Force) {
  if ((Force || State != FDrawState) && FTabStrip && FTabStrip->GetLookAndFeel()) {
    TTabStripLookAndFeelTab* Tabs = FTabStrip->GetLookAndFeel()->Tabs();
    switch (State) {
      case dsActive: FTabProperties = Tabs->Active(); break;
      case dsHot: FTabProperties = Tabs->Hot(); break;
      default: FTabProperties = Tabs->NotActive(); break;
    }
    TTabStripLookAndFeelFont* Font = FTabProperties->Font();
    FStripTabControlPropertyItems->SetProperties(FTabProperties->Style(), Font,
                                                 Font->UseDefaultFont() ? Tabs->DefaultFont() : nullptr,
                                                 AnimationTimeMS, EaseType);
    Invalidate();
  }
  // The base stores the state and reports the change.
  TBaseTabStripControl::SetDrawState(State, AnimationTimeMS, EaseType, Force);
}

void TStripTabControl::SetCloseButtonState(TDrawState Value) {
  if (Value == FCloseButtonState) return;
  FCloseButtonState = Value;
  FCloseButtonInvalidate = true;
  if (FTabStrip && FStripTab) FTabStrip->TabChanged(FStripTab->GetTab(), tcControlState);
}

TGPBrush* TStripTabControl::GetTabBrush() {
  if (!FTabBrush || FBrushInvalidated) {
    const TStripTabControlProperties& P = FStripTabControlPropertyItems->Current();
    FTabBrush = std::make_unique<TGPLinearGradientBrush>(
        TGPPoint{0, FControlRect.Top}, TGPPoint{0, FControlRect.Bottom},
        MakeGDIPColor(P.StartColor, static_cast<Byte>(P.StartAlpha)),
        MakeGDIPColor(P.StopColor, static_cast<Byte>(P.StopAlpha)));
    FBrushInvalidated = false;
  }
  return FTabBrush.get();
}

TGPPen* TStripTabControl::GetTabPen() {
  if (!FTabPen || FPenInvalidated) {
    const TStripTabControlProperties& P = FStripTabControlPropertyItems->Current();
    FTabPen = std::make_unique<TGPPen>(MakeGDIPColor(P.OutlineColor, static_cast<Byte>(P.OutlineAlpha & 0xFF)),
                                       P.OutlineSize);
    FPenInvalidated = false;
  }
  return FTabPen.get();
}

TStripTabPolygonsPtr TStripTabControl::GetPolygons() {
  TStripTabPolygonsPtr Result = InternalGetPolygons(itTab, GetTabBrush(), GetTabPen());
  if (Result) return Result;
  Result = NewStripTabPolygons();
  TTabOrientation Orientation = toTop;
  if (TOptions* O = OptionsOf(FTabStrip)) Orientation = O->Display()->Tabs()->Orientation();
  const Integer W = FControlRect.Width(), H = FControlRect.Height();
  const TPolygon Points{{0, H},      {4, H - 3},  {12, 3},     {13, 2},     {14, 1},     {16, 0},
                        {W - 16, 0}, {W - 14, 1}, {W - 13, 2}, {W - 12, 3}, {W - 4, H - 3}, {W, H}};
  Result->AddPolygon(NewPolygon(GetBiDiControlRect(), Points, Orientation), GetTabBrush(), GetTabPen());
  return Result;
}

// --- Content layout -------------------------------------------------------------------------------------

TRect TStripTabControl::GetCloseButonRect() {
  TOptions* O = OptionsOf(FTabStrip);
  if (!O) return TRect();
  TTabStripCloseButtonProperties* C = O->Display()->CloseButton();
  const Integer Left =
      FControlRect.Right - O->Display()->Tabs()->ContentOffsetRight() - C->Width() - C->Offsets()->Horizontal();
  const Integer Top = FControlRect.Top + C->Offsets()->Vertical();
  return TRect(Left, Top, Left + C->Width(), Top + C->Height());
}

TRect TStripTabControl::GetCloseButtonCrossRect() {
  TOptions* O = OptionsOf(FTabStrip);
  return ContractRect(GetCloseButonRect(), O ? O->Display()->CloseButton()->CrossRadialOffset() : 0);
}

bool TStripTabControl::CloseButtonVisible() {
  TOptions* O = OptionsOf(FTabStrip);
  if (!O || !FStripTab) return false;
  TTabStripCloseButtonProperties* C = O->Display()->CloseButton();
  TTabStripOptions* T = O->Display()->Tabs();
  if (!FStripTab->GetActive() &&
      FControlRect.Width() - T->ContentOffsetLeft() - T->ContentOffsetRight() <= C->AutoHideWidth())
    return false;
  if (FStripTab->GetHideCloseButton()) return false;
  switch (C->Visibility()) {
    case bvNever: return false;
    case bvAll: return !FStripTab->GetPinned();
    case bvActive: return !FStripTab->GetPinned() && FDrawState == dsActive;
  }
  return false;
}

bool TStripTabControl::ImageVisible(TImageList* List, Integer Index) {
  TOptions* O = OptionsOf(FTabStrip);
  return O && O->Display()->Tabs()->ShowImages() && List && Index >= 0 && Index < List->Count();
}

TImageList* TStripTabControl::GetSpinnerImageList() {
  if (!FTabStrip || !FStripTab) return nullptr;
  switch (FStripTab->GetSpinnerState()) {
    case tssImageUpload: return FTabStrip->GetImagesSpinnerUpload();
    case tssImageDownload: return FTabStrip->GetImagesSpinnerDownload();
    default: return nullptr;
  }
}

void TStripTabControl::CalculateRects(TRect& ImageRect, TRect& TextRect, TRect& CloseButtonRect,
                                      TRect& CloseButtonCrossRect, bool& NormalImageVisible,
                                      bool& OverlayImageVisible, bool& SpinnerVisible, bool& TextVisible) {
  ImageRect = TextRect = TRect();
  NormalImageVisible = OverlayImageVisible = SpinnerVisible = TextVisible = false;
  CloseButtonRect = GetCloseButonRect();
  CloseButtonCrossRect = GetCloseButtonCrossRect();
  TOptions* O = OptionsOf(FTabStrip);
  if (!O || !FStripTab) return;
  TTabStripOptions* T = O->Display()->Tabs();
  TTabStripSpinnersOptions* Sp = O->Display()->TabSpinners();
  const TRect& CR = FControlRect;
  const Integer CW = CR.Width(), CH = CR.Height();
  const bool CloseVisible = CloseButtonVisible();

  const Integer R = CloseVisible ? CloseButtonRect.Left - 1 : CR.Right - T->ContentOffsetRight();
  Integer L = CR.Left + T->ContentOffsetLeft();

  TImageList* Images = FTabStrip->GetImages();
  TImageList* Overlays = FTabStrip->GetImagesOverlay();
  NormalImageVisible = ImageVisible(Images, FStripTab->GetImageIndex());
  OverlayImageVisible = ImageVisible(Overlays, FStripTab->GetImageIndexOverlay());
  SpinnerVisible = FStripTab->GetSpinnerState() != tssNone && !Designing();

  Integer IW = 0, IH = 0;
  if (SpinnerVisible) {
    TTabStripSpinnerOptions* S =
        FStripTab->GetSpinnerState() == tssRenderedUpload ? Sp->Upload() : Sp->Download();
    IW = S->Position()->Width();
    IH = S->Position()->Height();
  }
  const bool NormalCounts = NormalImageVisible && !(SpinnerVisible && Sp->HideImagesWhenSpinnerVisible());
  if ((NormalCounts || OverlayImageVisible) && Images) {
    IW = std::max(IW, Images->Width());
    IH = std::max(IH, Images->Height());
  }
  if (OverlayImageVisible && Overlays) {
    IW = std::max(IW, Overlays->Width());
    IH = std::max(IH, Overlays->Height());
  }

  if (L + IW > R) {
    NormalImageVisible = OverlayImageVisible = SpinnerVisible = false;
  } else if (FStripTab->GetPinned() && !T->ShowPinnedTabText()) {
    const Integer Left = CR.Left + CW / 2 - IW / 2;
    const Integer Top = CR.Top + CH / 2 - IH / 2;
    ImageRect = TRect(Left, Top, Left + IW, Top + IH);
  } else {
    const Integer Top = CR.Top + CH / 2 - IH / 2;
    ImageRect = TRect(L, Top, L + IW, Top + IH);
    L = L + IW + 1;
  }

  TextVisible = (!FStripTab->GetPinned() || T->ShowPinnedTabText()) && R - L >= 5;
  if (TextVisible) TextRect = TRect(L, CR.Top, R, CR.Bottom);

  if (CloseVisible && !TextVisible && !NormalImageVisible && !OverlayImageVisible && !SpinnerVisible) {
    const Integer W1 = CloseButtonRect.Width();
    CloseButtonRect.Left = CR.Left + CW / 2 - W1 / 2;
    CloseButtonRect.Right = CloseButtonRect.Left + W1;
    const Integer W2 = CloseButtonCrossRect.Width();
    CloseButtonCrossRect.Left = CR.Left + CW / 2 - W2 / 2;
    CloseButtonCrossRect.Right = CloseButtonCrossRect.Left + W2;
  }

  ImageRect = ScrolledRect(BidiControlRect(ImageRect));
  TextRect = ScrolledRect(BidiControlRect(TextRect));
  CloseButtonRect = ScrolledRect(BidiControlRect(CloseButtonRect));
  CloseButtonCrossRect = ScrolledRect(BidiControlRect(CloseButtonCrossRect));
}

THitTestArea TStripTabControl::GetHitTestArea(Integer X, Integer Y) {
  if (CloseButtonVisible() && FTabStrip) {
    const TRect R = FTabStrip->BidiScrollRect(BidiControlRect(GetCloseButonRect()));
    if (PtInRect(R, TPoint(X, Y))) return htCloseButton;
  }
  TStripTabPolygonsPtr Polygons = GetPolygons();
  if (Polygons)
    for (Integer i = 0; i < Polygons->PolygonCount(); ++i)
      if (PointInPolygon(Polygons->GetPolygons(i).FPolygon, X, Y)) return htTab;
  return htBackground;
}

Integer TStripTabControl::GetTabWidthByContent() {
  if (!FStripTab) return 0;
  const String Caption = FStripTab->GetCaption();
  if (Caption == FLastCaption && FLastCaptionLength > 0) return FLastCaptionLength;
  TOptions* O = OptionsOf(FTabStrip);
  if (!O) return 0;
  TTabStripOptions* T = O->Display()->Tabs();

  const TStripTabControlProperties& Stop = FStripTabControlPropertyItems->Stop();
  const TStripTabControlProperties& Cur = FStripTabControlPropertyItems->Current();
  const Integer CH = FControlRect.Height();
  // A scratch surface for measuring; at least one pixel each way so that it can be drawn on.
  TBitmap Scratch(std::max(1, T->MaxWidth()), std::max(1, CH));
  Scratch.SetPixelFormat(pf32bit);
  TGPGraphics G(&Scratch);
  G.SetTextRenderingHint(Stop.TextRendoringMode);
  TGPFont Font(Stop.FontName, static_cast<float>(Cur.FontSize), FontStyleRegular);
  TGPStringFormat Format;
  Format.SetTrimming(StringTrimmingNone);
  TGPRectF Box;
  G.MeasureString(Caption, &Font, TGPRectF{0, 0, 1000, static_cast<float>(CH)}, &Format, Box);
  const Integer TW = static_cast<Integer>(Round(Box.Width));

  TRect ImageRect, TextRect, CloseRect, CrossRect;
  bool NormalVisible, OverlayVisible, SpinnerVisible, TextVisible;
  CalculateRects(ImageRect, TextRect, CloseRect, CrossRect, NormalVisible, OverlayVisible, SpinnerVisible,
                 TextVisible);
  const TRect S = ScrolledRect(FControlRect);
  const Integer C = (NormalVisible || OverlayVisible || SpinnerVisible) ? ImageRect.Right
                                                                        : S.Left + T->ContentOffsetLeft();
  const Integer Width = TW + (C - S.Left) + (S.Right - CloseRect.Left) - T->TabOverlap();
  FLastCaption = Caption;
  FLastCaptionLength = Width;
  return Width;
}

// --- Animation ------------------------------------------------------------------------------------------

bool TStripTabControl::AnimateModified() {
  TOptions* O = OptionsOf(FTabStrip);
  TStripTabModifiedDisplayOptions* M = O ? O->Display()->TabModifiedGlow() : nullptr;
  if (!M || !FStripTab || !FStripTab->GetModified() || M->Style() == msNone) {
    FModifiedStartTicks = 0;
    return false;
  }
  const Cardinal Now = GetTickCount();
  const Cardinal Period = static_cast<Cardinal>(M->AnimationPeriodMS());
  if (FModifiedStartTicks == 0 || Now - FModifiedStartTicks > Period) {
    if (Now - FModifiedStartTicks > Period) FModifiedMovingLeft = !FModifiedMovingLeft;
    FModifiedStartTicks = Now;
  }
  const TRect S = ScrolledRect(FControlRect);
  const Integer G = M->Width();
  const Integer X = static_cast<Integer>(
      Round(CalculateEase(Now - FModifiedStartTicks, 0, S.Width() + G, M->AnimationPeriodMS(), M->EaseType())));
  if (M->Style() == msRightToLeft || (M->Style() == msKnightRider && FModifiedMovingLeft))
    FModifiedPosition = S.Right - X;
  else
    FModifiedPosition = S.Left - G + X;
  return true;
}

bool TStripTabControl::AnimateSpinner() {
  if (!FStripTab) return false;
  const TStripTabSpinnerState State = FStripTab->GetSpinnerState();
  if (State == tssRenderedUpload || State == tssRenderedDownload) {
    TOptions* O = OptionsOf(FTabStrip);
    if (!O) return false;
    TTabStripSpinnersOptions* Sp = O->Display()->TabSpinners();
    TTabStripSpinnerOptions* S = State == tssRenderedUpload ? Sp->Upload() : Sp->Download();
    if (S->ReverseDirection()) {
      FSpinnerRenderedDegrees -= S->RenderedAnimationStep();
      if (FSpinnerRenderedDegrees < 0) FSpinnerRenderedDegrees += 360;
    } else {
      FSpinnerRenderedDegrees += S->RenderedAnimationStep();
      if (FSpinnerRenderedDegrees > 360) FSpinnerRenderedDegrees -= 360;
    }
    return true;
  }
  TImageList* List = GetSpinnerImageList();
  if (!List) return false;
  const Integer Count = List->Count();
  if (State == tssImageUpload) {
    --FSpinnerImageIndex;
    if (FSpinnerImageIndex < 0) FSpinnerImageIndex = Count - 1;
  } else {
    ++FSpinnerImageIndex;
    if (FSpinnerImageIndex >= Count) FSpinnerImageIndex = 0;
  }
  return true;
}

// --- Drawing --------------------------------------------------------------------------------------------

void TStripTabControl::DrawGlow(TGPGraphics* Canvas, const TRect& R, TColor CentreColor, TColor OutsideColor,
                                Byte CentreAlpha, Byte OutsideAlpha) {
  TGPGraphicsPath Path;
  Path.AddEllipse(RectToGPRect(R));
  TGPPathGradientBrush Brush(&Path);
  Brush.SetCenterPoint(TGPPoint{R.Left + R.Width() / 2, R.Top + R.Height() / 2});
  Brush.SetCenterColor(MakeGDIPColor(CentreColor, CentreAlpha));
  TGPColor Surround = MakeGDIPColor(OutsideColor, OutsideAlpha);
  Integer Count = 1;
  Brush.SetSurroundColors(&Surround, &Count);
  Canvas->FillPath(&Brush, &Path);
}

void TStripTabControl::DrawTabImage(TGPGraphics* Canvas, TImageList* List, Integer Index, const TRect& R,
                                    TStripTabItemType ItemType) {
  bool Handled = false;
  FTabStrip->DoOnBeforeDrawItem(Canvas, R, ItemType, TabIndex(), Handled);
  if (!Handled) {
    std::unique_ptr<TGPImage> Image = ImageListToGPImage(List, Index);
    if (Image) Canvas->DrawImage(Image.get(), R.Left, R.Top);
  }
  FTabStrip->DoOnAfterDrawItem(Canvas, R, ItemType, TabIndex());
}

void TStripTabControl::DrawSpinner(TGPGraphics* Canvas, const TRect& R) {
  bool Handled = false;
  FTabStrip->DoOnBeforeDrawItem(Canvas, R, itTabImageSpinner, TabIndex(), Handled);
  if (Handled) return;
  const TStripTabSpinnerState State = FStripTab->GetSpinnerState();
  if (State == tssRenderedUpload || State == tssRenderedDownload) {
    TTabStripSpinnersOptions* Sp = FTabStrip->GetOptions()->Display()->TabSpinners();
    TTabStripLookAndFeelSpinners* Pens = FTabStrip->GetLookAndFeel()->Tabs()->Spinners();
    const bool Upload = State == tssRenderedUpload;
    TTabStripSpinnerOptions* S = Upload ? Sp->Upload() : Sp->Download();
    TTabStripLookAndFeelPen* P = Upload ? Pens->Upload() : Pens->Download();
    const float H = P->Thickness() / 2;
    TGPPen Pen(MakeGDIPColor(P->Color(), static_cast<Byte>(P->Alpha() & 0xFF)), P->Thickness());
    TTabStripControlPosition* Pos = S->Position();
    const TGPRectF Box{R.Left + H + Pos->Offsets()->Horizontal(), R.Top + H + Pos->Offsets()->Vertical(),
                       Pos->Width() - 2 * H, Pos->Height() - 2 * H};
    Canvas->DrawArc(&Pen, Box, static_cast<float>(FSpinnerRenderedDegrees), static_cast<float>(S->SweepAngle()));
  } else if (TImageList* List = GetSpinnerImageList()) {
    DrawTabImage(Canvas, List, FSpinnerImageIndex, R, itTabImageSpinner);
  }
}

void TStripTabControl::DrawTabText(TGPGraphics* Canvas, const TRect& R) {
  TOptions* O = FTabStrip->GetOptions();
  TTabStripOptions* T = O->Display()->Tabs();
  const bool Debug = O->Behaviour()->DebugMode();
  const TStripTabControlProperties& Stop = FStripTabControlPropertyItems->Stop();
  const TStripTabControlProperties& Cur = FStripTabControlPropertyItems->Current();
  const TBiDiMode Mode = FTabStrip->GetBiDiMode();

  TGPFont Font(Stop.FontName, static_cast<float>(Debug ? 7 : Cur.FontSize), FontStyleRegular);
  TGPLinearGradientBrush Brush(TGPPoint{R.Left, R.Top}, TGPPoint{R.Right, R.Top},
                               MakeGDIPColor(Cur.FontColor, static_cast<Byte>(Cur.FontAlpha)),
                               MakeGDIPColor(Cur.FontColor, 0));
  const Integer Width = R.Width();
  float Middle = Width > 80 ? 0.85f : 0.85f - (80.0f - Width) / 80.0f;
  float Factors[3] = {0, 0, 0};
  TGPStringFormat StrFormat;
  StrFormat.SetTrimming(StringTrimmingNone);
  const Integer CW = FControlRect.Width();
  if (T->TabWidthFromContent() && CW < T->MaxWidth() + T->TabOverlap()) {
    // The tab is as wide as its text: nothing to cut or fade.
  } else if (T->TextTrimType() != tttFade) {
    StrFormat.SetTrimming(static_cast<TStringTrimming>(T->TextTrimType()));
  } else if (Mode == bdRightToLeft) {
    Factors[0] = 1;
    Middle = 1 - Middle;
  } else {
    Factors[2] = 1;
  }
  const float Positions[3] = {0, Middle, 1};
  // Positions that are not rising (a very narrow text) are refused by the brush, which then keeps
  // its plain two-colour gradient.
  Brush.SetBlend(Factors, Positions, 3);

  switch (T->TextAlignmentVertical()) {
    case taAlignTop: StrFormat.SetLineAlignment(StringAlignmentNear); break;
    case taAlignBottom: StrFormat.SetLineAlignment(StringAlignmentFar); break;
    case taVerticalCenter: StrFormat.SetLineAlignment(StringAlignmentCenter); break;
  }
  const bool Swapped = Mode == bdRightToLeftNoAlign || Mode == bdRightToLeftReadingOnly;
  switch (T->TextAlignmentHorizontal()) {
    case taLeftJustify: StrFormat.SetAlignment(Swapped ? StringAlignmentFar : StringAlignmentNear); break;
    case taRightJustify: StrFormat.SetAlignment(Swapped ? StringAlignmentNear : StringAlignmentFar); break;
    case taCenter: StrFormat.SetAlignment(StringAlignmentCenter); break;
  }
  Integer Flags = 0;
  if (!Debug) {
    if (!T->WordWrap()) Flags |= StringFormatFlagsNoWrap;
    if (Mode != bdLeftToRight) Flags |= StringFormatFlagsDirectionRightToLeft;
  }
  StrFormat.SetFormatFlags(Flags);
  Canvas->SetTextRenderingHint(Stop.TextRendoringMode);

  const TRect& CR = FControlRect;
  const String Text = Debug ? Format(u"L: %d, T: %d, R: %d: B: %d W: %d H: %d", CR.Left, CR.Top, CR.Right,
                                     CR.Bottom, CR.Width(), CR.Height())
                            : FStripTab->GetCaption();
  Canvas->DrawString(Text, &Font, RectToGPRectF(R), &StrFormat, &Brush);
}

void TStripTabControl::DrawTo(TGPGraphics* TargetCanvas, Integer MouseX, Integer MouseY,
                              const std::vector<TPolygon>& ClipPolygons) {
  if (!FTabStrip || !FTabProperties || !TargetCanvas || !FStripTab) return;
  TOptions* O = FTabStrip->GetOptions();
  TTabStripLookAndFeel* LF = FTabStrip->GetLookAndFeel();
  if (!O || !LF) return;
  const Integer Index = TabIndex();
  const TRect& CR = FControlRect;

  // 1. The neighbours' outlines are left out; that clip is kept for the parts drawn after the glows.
  for (const TPolygon& P : ClipPolygons) SetClipPolygon(TargetCanvas, P, CombineModeExclude);
  TGPRegion SavedClip;
  TargetCanvas->GetClip(&SavedClip);

  // 2. Shape and content.
  TStripTabPolygonsPtr Polygons = GetPolygons();
  TRect ImageRect, TextRect, CloseRect, CrossRect;
  bool NormalVisible, OverlayVisible, SpinnerVisible, TextVisible;
  CalculateRects(ImageRect, TextRect, CloseRect, CrossRect, NormalVisible, OverlayVisible, SpinnerVisible,
                 TextVisible);
  const bool HasOutline = Polygons && Polygons->PolygonCount() > 0;

  // 3. Body.
  bool Handled = false;
  FTabStrip->DoOnBeforeDrawItem(TargetCanvas, CR, itTab, Index, Handled);
  if (!Handled && Polygons) Polygons->DrawTo(TargetCanvas, dfBrush);

  // 4. The glows stay inside the tab.
  if (HasOutline) SetClipPolygon(TargetCanvas, Polygons->GetPolygons(0).FPolygon, CombineModeIntersect);

  // 5. Modified glow.
  TStripTabModifiedDisplayOptions* MG = O->Display()->TabModifiedGlow();
  if (FStripTab->GetModified() && MG->Style() != msNone) {
    Handled = false;
    FTabStrip->DoOnBeforeDrawItem(TargetCanvas, CR, itTabModifiedGlow, Index, Handled);
    if (!Handled) {
      TRect G(FModifiedPosition, MG->VerticalOffset(), FModifiedPosition + MG->Width(),
              MG->VerticalOffset() + MG->Height());
      if (O->Display()->Tabs()->Orientation() == toBottom) {
        // Tabs that hang from the top get the glow mirrored within the tab: as far below their
        // bottom edge as it is above the top edge of standing tabs.
        const Integer Top = CR.Top + CR.Bottom - G.Bottom;
        const Integer Bottom = CR.Top + CR.Bottom - G.Top;
        G.Top = Top;
        G.Bottom = Bottom;
      }
      TTabStripLookAndFeelGlow* Glow = LF->Tabs()->Modified();
      DrawGlow(TargetCanvas, BidiControlRect(G), Glow->CentreColor(), Glow->OutsideColor(), Glow->CentreAlpha(),
               Glow->OutsideAlpha());
    }
  }

  // 6. Mouse glow.
  TTabStripControlPropertiesEx* MouseGlow = O->Display()->TabMouseGlow();
  if (MouseGlow->Visible() && !FTabStrip->IsDragging() && HasOutline &&
      PointInPolygon(Polygons->GetPolygons(0).FPolygon, MouseX, MouseY)) {
    Handled = false;
    FTabStrip->DoOnBeforeDrawItem(TargetCanvas, CR, itTabMouseGlow, Index, Handled);
    if (!Handled) {
      const Integer HW = MouseGlow->Width() / 2, HH = MouseGlow->Height() / 2;
      TTabStripLookAndFeelGlow* Glow = LF->Tabs()->MouseGlow();
      DrawGlow(TargetCanvas, TRect(MouseX - HW, MouseY - HH, MouseX + HW, MouseY + HH), Glow->CentreColor(),
               Glow->OutsideColor(), Glow->CentreAlpha(), Glow->OutsideAlpha());
    }
  }

  // 7. Back to the clip of step 1.
  TargetCanvas->SetClip(&SavedClip, CombineModeReplace);

  // 8. Text.
  if (TextVisible) {
    Handled = false;
    FTabStrip->DoOnBeforeDrawItem(TargetCanvas, TextRect, itTabText, Index, Handled);
    if (!Handled) DrawTabText(TargetCanvas, TextRect);
    FTabStrip->DoOnAfterDrawItem(TargetCanvas, TextRect, itTabText, Index);
  }

  // 9. Outline.
  Handled = false;
  FTabStrip->DoOnBeforeDrawItem(TargetCanvas, CR, itTabOutline, Index, Handled);
  if (!Handled && Polygons) Polygons->DrawTo(TargetCanvas, dfPen);

  // 10. Close button.
  if (CloseButtonVisible()) {
    Handled = false;
    FTabStrip->DoOnBeforeDrawItem(TargetCanvas, CloseRect, itTabCloseButton, Index, Handled);
    if (!Handled) {
      TTabStripLookAndFeelCloseButton* CB = LF->CloseButton();
      TTabStripLookAndFeelStyle* Circle = CB->Circle()->Normal();
      TTabStripLookAndFeelPen* Cross = CB->Cross()->Normal();
      if (FCloseButtonState == dsDown) {
        Circle = CB->Circle()->Down();
        Cross = CB->Cross()->Down();
      } else if (FCloseButtonState == dsHot) {
        Circle = CB->Circle()->Hot();
        Cross = CB->Cross()->Hot();
      }
      const TGPRect E = RectToGPRect(CloseRect);
      TargetCanvas->FillEllipse(Circle->GetBrush(CloseRect), E);
      TargetCanvas->DrawEllipse(Circle->GetPen(), E);
      TGPPen* CrossPen = Cross->GetPen();
      TargetCanvas->DrawLine(CrossPen, CrossRect.Left, CrossRect.Top, CrossRect.Right, CrossRect.Bottom);
      TargetCanvas->DrawLine(CrossPen, CrossRect.Left, CrossRect.Bottom, CrossRect.Right, CrossRect.Top);
    }
    FTabStrip->DoOnAfterDrawItem(TargetCanvas, CloseRect, itTabCloseButton, Index);
  }

  // 11. Images, unless a spinner takes their place.
  TTabStripSpinnersOptions* Sp = O->Display()->TabSpinners();
  if (!(SpinnerVisible && Sp->HideImagesWhenSpinnerVisible())) {
    if (NormalVisible)
      DrawTabImage(TargetCanvas, FTabStrip->GetImages(), FStripTab->GetImageIndex(), ImageRect, itTabImage);
    if (OverlayVisible)
      DrawTabImage(TargetCanvas, FTabStrip->GetImagesOverlay(), FStripTab->GetImageIndexOverlay(), ImageRect,
                   itTabImageOverlay);
  }

  // 12. Spinner.
  if (SpinnerVisible) DrawSpinner(TargetCanvas, ImageRect);

  // 13.
  FTabStrip->DoOnAfterDrawItem(TargetCanvas, CR, itTab, Index);
}
