// The drawable controls' common base, the polygon set, the colour fade and the three buttons. The
// tab control is in TabStripTabControl.cpp.
#include "components/tabs/TabStripControls.h"

#include <algorithm>

#include "platform/os/Clock.h"
#include "platform/rtl/SysUtils.h"

// --- Polygons ---------------------------------------------------------------------------------------

TStripTabPolygon& TStripTabPolygons::GetPolygons(Integer Index) {
  if (Index < 0 || Index >= PolygonCount())
    throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return FPolygons[static_cast<size_t>(Index)];
}

IStripTabPolygons* TStripTabPolygons::AddPolygon(const TPolygon& Polygon, TGPBrush* Brush, TGPPen* Pen) {
  TStripTabPolygon P;
  P.FPolygon = Polygon;
  P.FBrush = Brush;
  P.FPen = Pen;
  FPolygons.push_back(std::move(P));
  return this;
}

void TStripTabPolygons::DrawTo(TGPGraphics* TargetCanvas, TDrawToFunctions DrawToFunctions) {
  if (!TargetCanvas) return;
  for (const TStripTabPolygon& P : FPolygons) {
    if (P.FPolygon.empty()) continue;
    std::vector<TGPPoint> Points;
    Points.reserve(P.FPolygon.size());
    for (const TPoint& Pt : P.FPolygon) Points.push_back(PointToGPPoint(Pt));
    const Integer Count = static_cast<Integer>(Points.size());
    if (P.FBrush && (DrawToFunctions == dfBrush || DrawToFunctions == dfBrushAndPen))
      TargetCanvas->FillPolygon(P.FBrush, Points.data(), Count, FillModeAlternate);
    if (P.FPen && (DrawToFunctions == dfPen || DrawToFunctions == dfBrushAndPen))
      TargetCanvas->DrawPolygon(P.FPen, Points.data(), Count);
  }
}

TStripTabPolygonsPtr NewStripTabPolygons() { return std::make_shared<TStripTabPolygons>(); }

// --- TBaseTabStripControl ----------------------------------------------------------------------------

TBaseTabStripControl::TBaseTabStripControl(ITabStrip* TabStrip) : FTabStrip(TabStrip) {}

TBaseTabStripControl::~TBaseTabStripControl() = default;

void TBaseTabStripControl::DoChanged() {
  if (FTabStrip) FTabStrip->TabChanged(nullptr, tcControlState);
}

void TBaseTabStripControl::Invalidate() { FInvalidated = true; }

bool TBaseTabStripControl::Mirrored() {
  if (!FTabStrip) return false;
  const TBiDiMode M = FTabStrip->GetBiDiMode();
  return M == bdRightToLeft || M == bdRightToLeftNoAlign;
}

bool TBaseTabStripControl::Designing() {
  return FTabStrip && (FTabStrip->GetComponentState() & csDesigning) != 0;
}

TStripTabPolygonsPtr TBaseTabStripControl::InternalGetPolygons(TStripTabItemType ItemType,
                                                               TGPBrush* DefaultBrush,
                                                               TGPPen* DefaultPen) {
  TStripTabPolygonsPtr Result;
  if (!FTabStrip) return Result;
  TTabOrientation Orientation = toTop;
  if (TOptions* O = FTabStrip->GetOptions()) Orientation = O->Display()->Tabs()->Orientation();
  FTabStrip->DoOnGetControlPolygons(this, FControlRect, ItemType, Orientation, Result);
  if (Result) {
    for (Integer i = 0; i < Result->PolygonCount(); ++i) {
      TStripTabPolygon& P = Result->GetPolygons(i);
      if (!P.FBrush) P.FBrush = DefaultBrush;
      if (!P.FPen) P.FPen = DefaultPen;
    }
  }
  return Result;
}

bool TBaseTabStripControl::AnimateMovement() {
  // A movement runs from its start tick until the elapsed time reaches its duration. A movement
  // that has used up its time without reaching its target (a duration of 0, or a duration made
  // shorter while it ran) takes one last step onto the target instead of stopping short of it.
  if (FStartTicks == 0) return false;
  if (FCurrentTickCount >= FAnimationTime && SameRect(FControlRect, FEndRect)) return false;
  Cardinal Elapsed = GetTickCount() - FStartTicks;
  if (Elapsed > FAnimationTime) Elapsed = FAnimationTime;
  FCurrentTickCount = Elapsed;
  if (Elapsed >= FAnimationTime)
    // The last step lands exactly on the target, whatever the curve gives at its end.
    FControlRect = FEndRect;
  else
    FControlRect = TransformRect(FStartRect, FEndRect, Elapsed, FAnimationTime, FEaseType);
  return true;
}

TRect TBaseTabStripControl::ControlRectScrolled() {
  return FTabStrip ? FTabStrip->BidiScrollRect(FControlRect) : FControlRect;
}

bool TBaseTabStripControl::ContainsPoint(const TPoint& P) {
  TStripTabPolygonsPtr Polygons = GetPolygons();
  if (!Polygons) return false;
  for (Integer i = 0; i < Polygons->PolygonCount(); ++i)
    if (PointInPolygon(Polygons->GetPolygons(i).FPolygon, P.X, P.Y)) return true;
  return false;
}

TPolygon TBaseTabStripControl::NewPolygon(const TRect& R, const TPolygon& Points,
                                          TTabOrientation Orientation) {
  return GeneratePolygon(ScrolledRect(R), Points, Orientation);
}

void TBaseTabStripControl::SetDrawState(TDrawState State, Cardinal /*AnimationTimeMS*/,
                                        TTabStripEaseType /*EaseType*/, bool Force) {
  if (Force || State != FDrawState) {
    FDrawState = State;
    DoChanged();
  }
}

void TBaseTabStripControl::SetPosition(const TRect& R, Cardinal AnimationTimeMS,
                                       TTabStripEaseType EaseType) {
  FEaseType = EaseType;
  FAnimationTime = AnimationTimeMS;
  if (FPositionInitialised && EaseType != ttNone) {
    if (SameRect(R, FEndRect)) return;
    FEndRect = R;
    FStartRect = FControlRect;
    // A start tick of 0 means "no movement": a clock that reads 0 just now counts as 1.
    FStartTicks = std::max<Cardinal>(1, GetTickCount());
    FCurrentTickCount = 0;
    return;
  }
  FPositionInitialised = true;
  EndAnimation();
  FControlRect = R;
  FStartRect = R;
  FEndRect = R;
  // Start tick and elapsed time equal to the duration: no movement runs.
  FStartTicks = AnimationTimeMS;
  FCurrentTickCount = AnimationTimeMS;
}

void TBaseTabStripControl::SetHeight(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType) {
  const TRect& C = FControlRect;
  SetPosition(TRect(C.Left, C.Top, C.Right, C.Top + Value), AnimationTimeMS, EaseType);
}

void TBaseTabStripControl::SetWidth(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType) {
  const TRect& C = FControlRect;
  SetPosition(TRect(C.Left, C.Top, C.Left + Value, C.Bottom), AnimationTimeMS, EaseType);
}

void TBaseTabStripControl::SetLeft(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType) {
  const TRect& C = FControlRect;
  SetPosition(TRect(Value, C.Top, Value + C.Width(), C.Bottom), AnimationTimeMS, EaseType);
}

void TBaseTabStripControl::SetTop(Integer Value, Cardinal AnimationTimeMS, TTabStripEaseType EaseType) {
  const TRect& C = FControlRect;
  SetPosition(TRect(C.Left, Value, C.Right, Value + C.Height()), AnimationTimeMS, EaseType);
}

TRect TBaseTabStripControl::GetBiDiControlRect() {
  if (FOverrideBidi || !FTabStrip) return FControlRect;
  return FTabStrip->BidiRect(FControlRect);
}

TPolygon TBaseTabStripControl::BidiPolygon(const TPolygon& P) {
  TPolygon Result = P;
  if (Mirrored()) HorzFlipPolygon(GetBiDiControlRect(), Result);
  return Result;
}

TRect TBaseTabStripControl::ScrolledRect(const TRect& R) {
  if (FScrollableControl && FTabStrip) return FTabStrip->BidiScrollRect(R);
  return R;
}

TRect TBaseTabStripControl::BidiControlRect(const TRect& R) {
  if (Mirrored()) return FTabStrip->BidiRect(R);
  return R;
}

// --- TStripTabControlPropertyItems ---------------------------------------------------------------------

void TStripTabControlPropertyItems::SetProperties(TTabStripLookAndFeelStyle* Style,
                                                  TTabStripLookAndFeelBaseFont* StyleFont,
                                                  TTabStripLookAndFeelBaseFont* DefaultFont,
                                                  Cardinal Duration, TTabStripEaseType EaseType) {
  FEaseType = EaseType;
  TTabStripLookAndFeelBaseFont* Font = DefaultFont ? DefaultFont : StyleFont;
  // Without any font the values of a new font count.
  std::unique_ptr<TTabStripLookAndFeelBaseFont> Temporary;
  if (!Font) {
    Temporary = std::make_unique<TTabStripLookAndFeelBaseFont>(nullptr);
    Font = Temporary.get();
  }
  TStripTabControlProperties& S = FStopTabProperties;
  S.FontColor = Font->Color();
  S.FontAlpha = Font->Alpha();
  S.FontName = Font->Name();
  S.FontSize = Font->Size();
  S.TextRendoringMode = Font->TextRendoringMode();
  if (Style) {
    S.StartColor = Style->StartColor();
    S.StopColor = Style->StopColor();
    S.OutlineColor = Style->OutlineColor();
    S.OutlineSize = Style->OutlineSize();
    S.OutlineAlpha = Style->OutlineAlpha();
    S.StartAlpha = Style->StartAlpha();
    S.StopAlpha = Style->StopAlpha();
  }
  FStartTabProperties = FCurrentTabProperties;
  FStartTickCount = std::max<Cardinal>(1, GetTickCount());
  FCurrentTickCount = 0;
  if (EaseType == ttNone || Duration == 0) {
    // No fade (also when a fade is asked for with no time to run in): the new look at once.
    FEndTickCount = 0;
    TransformColors(true);
  } else {
    FEndTickCount = Duration;
  }
}

bool TStripTabControlPropertyItems::TransformColors(bool Force) {
  Integer Percent = 100;
  if (!Force) {
    if (FStartTickCount == 0 || FCurrentTickCount >= FEndTickCount) return false;
    Cardinal Elapsed = GetTickCount() - FStartTickCount;
    if (Elapsed > FEndTickCount) Elapsed = FEndTickCount;
    FCurrentTickCount = Elapsed;
    Percent = static_cast<Integer>(Round(CalculateEase(Elapsed, 0, 100, FEndTickCount, FEaseType)));
  }
  const TStripTabControlProperties& A = FStartTabProperties;
  const TStripTabControlProperties& B = FStopTabProperties;
  TStripTabControlProperties& C = FCurrentTabProperties;
  C.FontColor = ColorBetween(A.FontColor, B.FontColor, Percent);
  C.StartColor = ColorBetween(A.StartColor, B.StartColor, Percent);
  C.StopColor = ColorBetween(A.StopColor, B.StopColor, Percent);
  C.OutlineColor = ColorBetween(A.OutlineColor, B.OutlineColor, Percent);
  C.FontAlpha = IntegerBetween(A.FontAlpha, B.FontAlpha, Percent);
  C.FontSize = IntegerBetween(A.FontSize, B.FontSize, Percent);
  C.StartAlpha = IntegerBetween(A.StartAlpha, B.StartAlpha, Percent);
  C.StopAlpha = IntegerBetween(A.StopAlpha, B.StopAlpha, Percent);
  C.OutlineAlpha = IntegerBetween(A.OutlineAlpha, B.OutlineAlpha, Percent);
  C.OutlineSize = SingleBetween(A.OutlineSize, B.OutlineSize, Percent);
  return true;
}

// --- Buttons -------------------------------------------------------------------------------------------

namespace {

// A vertical gradient over Top..Bottom from the start to the stop colour of P.
std::unique_ptr<TGPBrush> GradientBrush(const TStripTabControlProperties& P, Integer Top, Integer Bottom) {
  return std::make_unique<TGPLinearGradientBrush>(
      TGPPoint{0, Top}, TGPPoint{0, Bottom}, MakeGDIPColor(P.StartColor, static_cast<Byte>(P.StartAlpha)),
      MakeGDIPColor(P.StopColor, static_cast<Byte>(P.StopAlpha)));
}

std::unique_ptr<TGPPen> OutlinePen(const TStripTabControlProperties& P) {
  return std::make_unique<TGPPen>(MakeGDIPColor(P.OutlineColor, static_cast<Byte>(P.OutlineAlpha & 0xFF)),
                                  P.OutlineSize);
}

TPolygon Points(std::initializer_list<TPoint> L) { return TPolygon(L); }

}  // namespace

TBaseStripButtonControl::TBaseStripButtonControl(ITabStrip* TabStrip)
    : TBaseTabStripControl(TabStrip),
      FButtonControlPropertyItems(std::make_unique<TStripTabControlPropertyItems>()),
      FSymbolControlPropertyItems(std::make_unique<TStripTabControlPropertyItems>()) {}

TBaseStripButtonControl::~TBaseStripButtonControl() = default;

void TBaseStripButtonControl::Invalidate() {
  FButtonBrush.reset();
  FButtonPen.reset();
  FSymbolBrush.reset();
  FSymbolPen.reset();
}

TGPBrush* TBaseStripButtonControl::GetButtonBrush() {
  if (!FButtonBrush)
    FButtonBrush = GradientBrush(FButtonControlPropertyItems->Current(), FControlRect.Top, FControlRect.Bottom);
  return FButtonBrush.get();
}

TGPPen* TBaseStripButtonControl::GetButtonPen() {
  if (!FButtonPen) FButtonPen = OutlinePen(FButtonControlPropertyItems->Current());
  return FButtonPen.get();
}

TGPBrush* TBaseStripButtonControl::GetSymbolBrush() {
  if (!FSymbolBrush)
    FSymbolBrush = GradientBrush(FSymbolControlPropertyItems->Current(), FControlRect.Top, FControlRect.Bottom);
  return FSymbolBrush.get();
}

TGPPen* TBaseStripButtonControl::GetSymbolPen() {
  if (!FSymbolPen) FSymbolPen = OutlinePen(FSymbolControlPropertyItems->Current());
  return FSymbolPen.get();
}

void TBaseStripButtonControl::DrawTo(TGPGraphics* TargetCanvas, Integer /*MouseX*/, Integer /*MouseY*/,
                                     const std::vector<TPolygon>& /*ClipPolygons*/) {
  if (!FTabStrip) return;
  bool Handled = false;
  FTabStrip->DoOnBeforeDrawItem(TargetCanvas, FControlRect, FControlType, -1, Handled);
  if (!Handled) {
    TStripTabPolygonsPtr Polygons = GetPolygons();
    if (Polygons) Polygons->DrawTo(TargetCanvas, dfBrushAndPen);
  }
  FTabStrip->DoOnAfterDrawItem(TargetCanvas, FControlRect, FControlType, -1);
}

bool TBaseStripButtonControl::AnimateStyle() {
  bool Changed = false;
  if (FButtonControlPropertyItems->TransformColors(false)) {
    Changed = true;
    FButtonBrush.reset();
    FButtonPen.reset();
    if (FSymbolControlPropertyItems->TransformColors(false)) {
      FSymbolBrush.reset();
      FSymbolPen.reset();
    }
  }
  if (Changed) Invalidate();
  return Changed;
}

void TBaseStripButtonControl::SetDrawState(TDrawState State, Cardinal AnimationTimeMS,
                                           TTabStripEaseType EaseType, bool Force) {
  if (Force || State != FDrawState) {
    FDrawState = State;
    SetStylePropertyClasses();
    FButtonControlPropertyItems->SetProperties(FButtonStyle, nullptr, nullptr, AnimationTimeMS, EaseType);
    FSymbolControlPropertyItems->SetProperties(FSymbolStyle, nullptr, nullptr, AnimationTimeMS, EaseType);
    Invalidate();
  }
  // The state is stored already: the base reports only a forced write.
  TBaseTabStripControl::SetDrawState(State, AnimationTimeMS, EaseType, Force);
}

TAddButtonControl::TAddButtonControl(ITabStrip* TabStrip) : TBaseStripButtonControl(TabStrip) {
  FControlType = itAddButton;
  if (FTabStrip && FTabStrip->GetLookAndFeel()) {
    TTabStripLookAndFeelAddButton* A = FTabStrip->GetLookAndFeel()->AddButton();
    FButtonStyle = A->Button()->Normal();
    FSymbolStyle = A->PlusSign()->Normal();
  }
}

void TAddButtonControl::SetStylePropertyClasses() {
  if (!FTabStrip || !FTabStrip->GetLookAndFeel()) return;
  TTabStripLookAndFeelAddButton* A = FTabStrip->GetLookAndFeel()->AddButton();
  switch (FDrawState) {
    case dsDown:
      FButtonStyle = A->Button()->Down();
      FSymbolStyle = A->PlusSign()->Down();
      break;
    case dsHot:
      FButtonStyle = A->Button()->Hot();
      FSymbolStyle = A->PlusSign()->Hot();
      break;
    default:
      FButtonStyle = A->Button()->Normal();
      FSymbolStyle = A->PlusSign()->Normal();
      break;
  }
}

TStripTabPolygonsPtr TAddButtonControl::GetPolygons() {
  TStripTabPolygonsPtr Result = InternalGetPolygons(itAddButton, GetButtonBrush(), GetButtonPen());
  if (Result) return Result;
  Result = NewStripTabPolygons();
  TTabOrientation Orientation = toTop;
  bool ShowPlus = false;
  Integer OptW = 0, OptH = 0;
  if (TOptions* O = FTabStrip ? FTabStrip->GetOptions() : nullptr) {
    Orientation = O->Display()->Tabs()->Orientation();
    ShowPlus = O->Display()->AddButton()->ShowPlusSign();
    OptW = O->Display()->AddButton()->Width();
    OptH = O->Display()->AddButton()->Height();
  }
  const TRect R = GetBiDiControlRect();
  const Integer W = R.Width(), H = R.Height();
  Result->AddPolygon(
      BidiPolygon(NewPolygon(R,
                             Points({{7, H}, {4, H - 2}, {0, 2}, {1, 0}, {W - 7, 0}, {W - 4, 2}, {W, H - 2}, {W, H}}),
                             Orientation)),
      GetButtonBrush(), GetButtonPen());
  if (ShowPlus) {
    const Integer DX = OptW / 2 - 4, DY = OptH / 2 - 4;
    const TRect P(R.Left + DX, R.Top + DY, R.Right - DX, R.Bottom - DY);
    Result->AddPolygon(BidiPolygon(NewPolygon(P,
                                              Points({{0, 3}, {3, 3}, {3, 0}, {6, 0}, {6, 3}, {9, 3}, {9, 6},
                                                      {6, 6}, {6, 9}, {3, 9}, {3, 6}, {0, 6}, {0, 3}}),
                                              Orientation)),
                       GetSymbolBrush(), GetSymbolPen());
  }
  return Result;
}

TScrollButtonControl::TScrollButtonControl(ITabStrip* TabStrip) : TBaseStripButtonControl(TabStrip) {}

void TScrollButtonControl::SetStylePropertyClasses() {
  if (!FTabStrip || !FTabStrip->GetLookAndFeel()) return;
  TTabStripLookAndFeelScrollButton* S = FTabStrip->GetLookAndFeel()->ScrollButtons();
  switch (FDrawState) {
    case dsDown:
      FButtonStyle = S->Button()->Down();
      FSymbolStyle = S->Arrow()->Down();
      break;
    case dsHot:
      FButtonStyle = S->Button()->Hot();
      FSymbolStyle = S->Arrow()->Hot();
      break;
    case dsDisabled:
      FButtonStyle = S->Button()->Disabled();
      FSymbolStyle = S->Arrow()->Disabled();
      break;
    default:
      FButtonStyle = S->Button()->Normal();
      FSymbolStyle = S->Arrow()->Normal();
      break;
  }
}

TStripTabPolygonsPtr TScrollButtonControl::GetPolygons() {
  TStripTabPolygonsPtr Result = InternalGetPolygons(FControlType, GetButtonBrush(), GetButtonPen());
  if (Result) return Result;
  Result = NewStripTabPolygons();
  TTabOrientation Orientation = toTop;
  if (TOptions* O = FTabStrip ? FTabStrip->GetOptions() : nullptr) Orientation = O->Display()->Tabs()->Orientation();
  const TRect R = GetBiDiControlRect();
  const Integer W = FControlRect.Width(), H = FControlRect.Height();
  Result->AddPolygon(BidiPolygon(NewPolygon(R, Points({{0, H}, {0, 0}, {W, 0}, {W, H}}), Orientation)),
                     GetButtonBrush(), GetButtonPen());
  const TPolygon Arrow = PointsLeft()
                             ? Points({{3, H / 2}, {W - 3, 2}, {W - 3, H - 2}, {3, H / 2}})
                             : Points({{W - 3, H / 2}, {3, 2}, {3, H - 2}, {W - 3, H / 2}});
  Result->AddPolygon(BidiPolygon(NewPolygon(R, Arrow, Orientation)), GetSymbolBrush(), GetSymbolPen());
  return Result;
}

TScrollButtonLeftControl::TScrollButtonLeftControl(ITabStrip* TabStrip) : TScrollButtonControl(TabStrip) {
  FControlType = itScrollLeftButton;
}

TScrollButtonRightControl::TScrollButtonRightControl(ITabStrip* TabStrip) : TScrollButtonControl(TabStrip) {
  FControlType = itScrollRightButton;
}
