// The mini-HTML hint window and the balloon settings. The balloon window itself is in
// ExGridBalloon.cpp.
#include "components/grid/ExGridHints.h"

#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"

namespace {

// The widest a hint is measured.
constexpr Integer MaxHintWidth = 1008;

bool IsUnicodeHint(const String& Hint) { return Hint.compare(0, UnicodeTextMarker.size(), UnicodeTextMarker) == 0; }

// Draws (or with MeasureOnly measures) a mini-HTML hint.
void RenderHtml(TCanvas* C, const String& Text, const TRect& R, TImageList* Images, TPictureContainer* Container,
                bool MeasureOnly, Integer& Width, Integer& Height) {
  String Anchor, Stripped, FocusAnchor, AnchorTitle, CtrlID, CtrlVal, CtrlType;
  Integer HyperLinks = 0, MouseLink = 0;
  TRect HoverRect, CtrlRect;
  DrawHtmlText(C, Text, R, Images, 0, 0, -1, -1, 1, false, MeasureOnly, false, false, true, false, true, false, 1.0,
               0xFF0000, clNone, clNone, 0x808080, Anchor, Stripped, FocusAnchor, AnchorTitle, Width, Height,
               HyperLinks, MouseLink, HoverRect, CtrlRect, CtrlID, CtrlVal, CtrlType, nullptr, Container, 0, 0);
}

}  // namespace

// --- THTMLHintWindow -----------------------------------------------------------------------------

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  // The window has no border of its own: Paint draws the frame.
  FBorderStyle = bsNone;
}

void THTMLHintWindow::SelectUnicodeFont(TCanvas* ACanvas) {
  ACanvas->Font()->Assign(Font());
  if (!GridHintFontName.empty()) ACanvas->Font()->SetName(GridHintFontName);
}

bool THTMLHintWindow::Measure(const String& Hint, Integer MaxWidth) {
  TCanvas* C = FBacking.Canvas();
  FUnicode = IsUnicodeHint(Hint);
  if (FUnicode) {
    FWideCaption = DecodeUnicodeText(Hint);
    SelectUnicodeFont(C);
    FTextWidth = C->TextWidth(FWideCaption);
    FTextHeight = C->TextHeight(FWideCaption.empty() ? String(u"gh") : FWideCaption);
  } else {
    FWideCaption.clear();
    C->Font()->Assign(Font());
    FTextWidth = 0;
    FTextHeight = 0;
    RenderHtml(C, Hint, TRect(0, 0, std::max(0, MaxWidth), 4096), FImages, FPictureContainer, true, FTextWidth,
               FTextHeight);
  }
  return FUnicode;
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  SetText(AHint);
  const bool Unicode = Measure(AHint, MaxHintWidth);
  TRect R(Rect.Left, Rect.Top, Rect.Left + FTextWidth + (Unicode ? 8 : 16), Rect.Top + FTextHeight + 4);
  // Kept on the screen: moved left and up so that it ends 2 pixels inside the right and bottom
  // edges.
  const Integer ScreenW = Screen ? Screen->Width() : R.Right;
  const Integer ScreenH = Screen ? Screen->Height() : R.Bottom;
  if (R.Right > ScreenW) OffsetRect(R, ScreenW - 2 - R.Right, 0);
  if (R.Bottom > ScreenH) OffsetRect(R, 0, ScreenH - 2 - R.Bottom);
  THintWindow::ActivateHint(R, AHint);
  BringToFront();
  Invalidate();
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, TObject* AData) {
  if (auto* Grid = dynamic_cast<TExStringGrid*>(AData)) {
    FImages = Grid->GridImages();
    FPictureContainer = Grid->PictureContainer();
  }
  ActivateHint(Rect, AHint);
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const String& AHint) {
  Measure(AHint, MaxWidth);
  return TRect(0, 0, FTextWidth, FTextHeight);
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, TObject* AData) {
  if (auto* Grid = dynamic_cast<TExStringGrid*>(AData)) {
    FImages = Grid->GridImages();
    FPictureContainer = Grid->PictureContainer();
  }
  return CalcHintRect(MaxWidth, AHint);
}

void THTMLHintWindow::Dispatch(TMessage& M) {
  THintWindow::Dispatch(M);
  if (M.Msg == CM_TEXTCHANGED) Invalidate();
}

void THTMLHintWindow::Paint() {
  TCanvas* C = Canvas();
  const TRect R = ClientRect();
  C->Brush()->SetColor(Color());
  C->FillRect(R);
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(cl3DLight);
  C->MoveTo(R.Left, R.Bottom - 1);
  C->LineTo(R.Left, R.Top);
  C->LineTo(R.Right - 1, R.Top);
  C->Pen()->SetColor(cl3DDkShadow);
  C->LineTo(R.Right - 1, R.Bottom - 1);
  C->LineTo(R.Left, R.Bottom - 1);

  const String Hint = Text();
  Measure(Hint, MaxHintWidth);
  TRect TextR(R.Left + 4, (R.Height() - FTextHeight) / 2, R.Right - 4, 0);
  TextR.Bottom = TextR.Top + FTextHeight + 8;
  C->Brush()->SetStyle(bsClear);
  if (FUnicode) {
    SelectUnicodeFont(C);
    C->Font()->SetColor(clInfoText);
    DrawText(C, FWideCaption, TextR, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  } else {
    C->Font()->Assign(Font());
    Integer W = 0, H = 0;
    RenderHtml(C, Hint, TextR, FImages, FPictureContainer, false, W, H);
  }
  C->Brush()->SetStyle(bsSolid);
}

// --- TBalloonSettings ----------------------------------------------------------------------------

TBalloonSettings::TBalloonSettings(TExStringGrid* AGrid) : FGrid(AGrid) {}

TBalloonSettings::~TBalloonSettings() { BalloonDone(); }

void TBalloonSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TBalloonSettings*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FAutoHideDelay = S->FAutoHideDelay;
  FBackgroundColor = S->FBackgroundColor;
  FEnable = S->FEnable;
  FInitialDelay = S->FInitialDelay;
  FReshowDelay = S->FReshowDelay;
  FTextColor = S->FTextColor;
  FTransparency = S->FTransparency;
}

void TBalloonSettings::SetEnable(bool Value) {
  FEnable = Value;
  if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::BalloonInit() {
  if (FInitialized) return;
  FInitialized = true;
  FBalloonWindow = new TBalloonWindow(nullptr);
  if (FGrid) FBalloonWindow->Attach(FGrid);
  FBalloonWindow->SetTitle(3, u"ToolTipText");
  if (FInitialDelay != -1) FBalloonWindow->SetDelayTime(TTDT_INITIAL, FInitialDelay);
  if (FReshowDelay != -1) FBalloonWindow->SetDelayTime(TTDT_RESHOW, FReshowDelay);
  if (FAutoHideDelay != -1) FBalloonWindow->SetDelayTime(TTDT_AUTOPOP, FAutoHideDelay);
  if (FTransparency != 0) FBalloonWindow->SetAlpha(static_cast<Byte>(255 - FTransparency));
}

void TBalloonSettings::BalloonDone() {
  if (FBalloonWindow) {
    TBalloonWindow* W = FBalloonWindow;
    FBalloonWindow = nullptr;
    W->Detach();
    TComponent::Free(W);
  }
  FInitialized = false;
}
