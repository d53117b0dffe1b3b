// The balloon window: a hint window of our own that does what a balloon tooltip control does for
// one tool (the grid). It watches the tool's mouse messages through a replaced window procedure;
// when the mouse rests for the initial delay it asks the tool for the text (WM_NOTIFY with
// TTN_GETDISPINFOW), shows the balloon at the mouse with the title and its icon, and hides it after
// the show delay, on a click, when the mouse leaves the tool or when the tool sends TTM_POP.
#include <algorithm>
#include <cmath>

#include "components/grid/ExGridHints.h"

namespace {

// The window timers of the balloon window.
constexpr uintptr_t ShowTimerId = 1;
constexpr uintptr_t HideTimerId = 2;

// The defaults of the delays (-1 asks for them).
constexpr Integer DefaultInitialDelay = 500;
constexpr Integer DefaultReshowDelay = 100;
constexpr Integer DefaultAutoPopDelay = 5000;
// The width the text wraps at when no maximum was set.
constexpr Integer DefaultTipWidth = 400;

// Layout of the balloon: the tail above the body and the inner margin.
constexpr Integer TailHeight = 12;
constexpr Integer TailOffset = 16;
constexpr Integer Margin = 8;
constexpr Integer IconSize = 16;
// The rounding of the body's corners.
constexpr Integer CornerRadius = 6;

// The balloon's outline as a window shape: the tail, then the body with rounded corners.
TRegion BalloonShape(Integer W, Integer H) {
  TRegion Rgn;
  for (Integer Y = 0; Y <= TailHeight && Y < H; ++Y) Rgn.Union(TRect(TailOffset, Y, TailOffset + Y + 1, Y + 1));
  for (Integer Y = TailHeight; Y < H; ++Y) {
    const Integer FromTop = Y - TailHeight, FromBottom = H - 1 - Y;
    const Integer D = std::min(FromTop, FromBottom);
    Integer Inset = 0;
    if (D < CornerRadius) {
      const double Dy = CornerRadius - D - 0.5;
      Inset = static_cast<Integer>(CornerRadius - std::sqrt(CornerRadius * CornerRadius - Dy * Dy) + 0.5);
    }
    Rgn.Union(TRect(Inset, Y, W - Inset, Y + 1));
  }
  return Rgn;
}

}  // namespace

TBalloonWindow::TBalloonWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TBalloonWindow::~TBalloonWindow() {
  StopTimer(ShowTimerId);
  StopTimer(HideTimerId);
  Detach();
}

void TBalloonWindow::Attach(TWinControl* Control) {
  Detach();
  if (!Control) return;
  FTool = Control;
  FToolOldProc = Control->WindowProc();
  FToolHadProc = static_cast<bool>(FToolOldProc);
  Control->SetWindowProc([this](TMessage& M) { ToolMessage(M); });
}

void TBalloonWindow::Detach() {
  if (!FTool) return;
  FTool->SetWindowProc(FToolHadProc ? FToolOldProc : TWndMethod());
  FTool = nullptr;
  FToolOldProc = TWndMethod();
  FToolHadProc = false;
  FMouseInTool = false;
}

Integer TBalloonWindow::DelayTime(Integer Which) const {
  switch (Which) {
    case TTDT_INITIAL: return FInitialDelay < 0 ? DefaultInitialDelay : FInitialDelay;
    case TTDT_RESHOW: return FReshowDelay < 0 ? DefaultReshowDelay : FReshowDelay;
    case TTDT_AUTOPOP: return FAutoPopDelay < 0 ? DefaultAutoPopDelay : FAutoPopDelay;
    default: return 0;
  }
}

void TBalloonWindow::SetDelayTime(Integer Which, Integer Ms) {
  switch (Which) {
    case TTDT_INITIAL: FInitialDelay = Ms; break;
    case TTDT_RESHOW: FReshowDelay = Ms; break;
    case TTDT_AUTOPOP: FAutoPopDelay = Ms; break;
    default: break;
  }
}

void TBalloonWindow::SetAlpha(Byte Value) {
  FAlpha = Value;
  SetLayeredWindowAttributes(Handle(), 0, Value, LWA_ALPHA);
}

void TBalloonWindow::SetTipBkColor(TColor Value) {
  FTipBkColor = Value;
  Invalidate();
}

void TBalloonWindow::SetTipTextColor(TColor Value) {
  FTipTextColor = Value;
  Invalidate();
}

void TBalloonWindow::SetTitle(Integer Icon, const String& Title) {
  FTitleIcon = Icon >= 0 && Icon <= 3 ? Icon : 0;
  FTitle = Title;
  Invalidate();
}

void TBalloonWindow::StartTimer(uintptr_t Id, Integer Ms) { SetTimer(Handle(), Id, static_cast<UINT>(std::max(1, Ms))); }

void TBalloonWindow::StopTimer(uintptr_t Id) {
  if (HandleAllocated()) KillTimer(Handle(), Id);
}

void TBalloonWindow::ToolMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint P{TWMMouse{M}.XPos(), TWMMouse{M}.YPos()};
      FMouseInTool = true;
      if (P.X != FLastMouse.X || P.Y != FLastMouse.Y) {
        FLastMouse = P;
        // The mouse rests before a balloon shows; a shown balloon stays until the tool pops it.
        if (!Shown()) StartTimer(ShowTimerId, DelayTime(FTipText.empty() ? TTDT_INITIAL : TTDT_RESHOW));
      }
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
      StopTimer(ShowTimerId);
      Pop();
      break;
    case CM_MOUSELEAVE:
      FMouseInTool = false;
      FLastMouse = TPoint{-1, -1};
      StopTimer(ShowTimerId);
      Pop();
      break;
    default: break;
  }
  TWinControl* Tool = FTool;
  if (!Tool) return;
  if (FToolHadProc)
    FToolOldProc(M);
  else
    Tool->WndProc(M);
}

void TBalloonWindow::Popup() {
  if (!FTool) return;
  NMTTDISPINFOW Info;
  Info.hdr.hwndFrom = Handle();
  Info.hdr.idFrom = static_cast<uintptr_t>(FTool->Handle());
  Info.hdr.code = TTN_GETDISPINFOW;
  FTool->Perform(WM_NOTIFY, static_cast<WPARAM>(FTool->Handle()), reinterpret_cast<LPARAM>(&Info));
  if (Info.Text.empty() || !FTool) return;
  FTipText = Info.Text;
  SetText(FTipText);
  NMHDR Show;
  Show.hwndFrom = Handle();
  Show.idFrom = static_cast<uintptr_t>(FTool->Handle());
  Show.code = TTN_SHOW;
  FTool->Perform(WM_NOTIFY, static_cast<WPARAM>(FTool->Handle()), reinterpret_cast<LPARAM>(&Show));

  const TRect Size = LayoutBalloon(FBacking.Canvas(), nullptr, nullptr);
  const TPoint Mouse = GetCursorPos();
  TRect R(Mouse.X - TailOffset, Mouse.Y, Mouse.X - TailOffset + Size.Width(), Mouse.Y + Size.Height());
  THintWindow::ActivateHint(R, FTipText);
  const TRegion Shape = BalloonShape(R.Width(), R.Height());
  SetWindowRgn(Handle(), &Shape, true);
  BringToFront();
  StartTimer(HideTimerId, DelayTime(TTDT_AUTOPOP));
}

void TBalloonWindow::Pop() {
  StopTimer(HideTimerId);
  if (FTipText.empty() && !Visible()) return;
  FTipText.clear();
  ReleaseHint();
  if (FTool) {
    NMHDR Hdr;
    Hdr.hwndFrom = Handle();
    Hdr.idFrom = static_cast<uintptr_t>(FTool->Handle());
    Hdr.code = TTN_POP;
    FTool->Perform(WM_NOTIFY, static_cast<WPARAM>(FTool->Handle()), reinterpret_cast<LPARAM>(&Hdr));
  }
}

void TBalloonWindow::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_TIMER:
      if (M.WParam == ShowTimerId) {
        StopTimer(ShowTimerId);
        if (FMouseInTool) Popup();
      } else if (M.WParam == HideTimerId) {
        Pop();
      }
      return;
    case TTM_SETDELAYTIME: SetDelayTime(static_cast<Integer>(M.WParam), static_cast<Integer>(M.LParam)); return;
    case TTM_SETTIPBKCOLOR: SetTipBkColor(static_cast<TColor>(M.WParam)); return;
    case TTM_SETTIPTEXTCOLOR: SetTipTextColor(static_cast<TColor>(M.WParam)); return;
    case TTM_SETMAXTIPWIDTH:
      M.Result = FMaxTipWidth;
      FMaxTipWidth = static_cast<Integer>(M.LParam);
      return;
    case TTM_POP: Pop(); return;
    case TTM_SETTITLEW: {
      const auto* Title = reinterpret_cast<const String*>(M.LParam);
      SetTitle(static_cast<Integer>(M.WParam), Title ? *Title : String());
      M.Result = 1;
      return;
    }
    default: THintWindow::Dispatch(M); return;
  }
}

TRect TBalloonWindow::LayoutBalloon(TCanvas* ACanvas, TRect* TitleRect, TRect* TextRect) {
  const Integer WrapWidth = FMaxTipWidth > 0 ? FMaxTipWidth : DefaultTipWidth;
  ACanvas->Font()->Assign(Font());
  TRect Text(0, 0, WrapWidth, 0);
  DrawText(ACanvas, FTipText, Text, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  Integer TitleW = 0, TitleH = 0;
  const bool HasTitle = !FTitle.empty() || FTitleIcon != 0;
  if (HasTitle) {
    ACanvas->Font()->SetStyle(TFontStyles{fsBold});
    TitleW = ACanvas->TextWidth(FTitle) + (FTitleIcon != 0 ? IconSize + 6 : 0);
    TitleH = std::max(ACanvas->TextHeight(u"Wg"), FTitleIcon != 0 ? IconSize : 0);
    ACanvas->Font()->SetStyle(TFontStyles());
  }
  const Integer InnerW = std::max(Text.Width(), TitleW);
  const Integer InnerH = Text.Height() + (HasTitle ? TitleH + 4 : 0);
  if (TitleRect)
    *TitleRect = TRect(Margin, TailHeight + Margin, Margin + InnerW, TailHeight + Margin + TitleH);
  if (TextRect) {
    const Integer Top = TailHeight + Margin + (HasTitle ? TitleH + 4 : 0);
    *TextRect = TRect(Margin, Top, Margin + InnerW, Top + Text.Height());
  }
  return TRect(0, 0, InnerW + 2 * Margin, InnerH + 2 * Margin + TailHeight);
}

void TBalloonWindow::Paint() {
  TCanvas* C = Canvas();
  const TRect R = ClientRect();
  const TColor Back = FTipBkColor != clNone ? FTipBkColor : clInfoBk;
  const TColor Fore = FTipTextColor != clNone ? FTipTextColor : clInfoText;
  // The parts outside the balloon's shape show the hint colour of the window behind.
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(R);
  C->Brush()->SetColor(Back);
  C->Pen()->SetColor(Fore);
  C->Pen()->SetWidth(1);
  C->RoundRect(TRect(R.Left, R.Top + TailHeight, R.Right, R.Bottom), 12, 12);
  const std::vector<TPoint> Tail = {TPoint{TailOffset, 0}, TPoint{TailOffset, TailHeight + 1},
                                    TPoint{TailOffset + TailHeight, TailHeight + 1}};
  C->Polygon(Tail);
  // The tail's base joins the body without a line.
  C->Pen()->SetColor(Back);
  C->MoveTo(TailOffset + 1, TailHeight);
  C->LineTo(TailOffset + TailHeight - 1, TailHeight);

  TRect TitleR, TextR;
  LayoutBalloon(C, &TitleR, &TextR);
  C->Brush()->SetStyle(bsClear);
  if (!FTitle.empty() || FTitleIcon != 0) {
    Integer X = TitleR.Left;
    if (FTitleIcon != 0) {
      static const TColor IconColors[] = {clNone, 0x00C07000, 0x0000C0E0, 0x000000D0};
      static const Char IconMarks[] = {u' ', u'i', u'!', u'x'};
      const TRect Icon(X, TitleR.Top, X + IconSize, TitleR.Top + IconSize);
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(IconColors[FTitleIcon]);
      C->Pen()->SetColor(IconColors[FTitleIcon]);
      C->Ellipse(Icon);
      C->Brush()->SetStyle(bsClear);
      C->Font()->Assign(Font());
      C->Font()->SetStyle(TFontStyles{fsBold});
      C->Font()->SetColor(clWhite);
      TRect IconText = Icon;
      DrawText(C, String(1, IconMarks[FTitleIcon]), IconText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      X += IconSize + 6;
    }
    C->Font()->Assign(Font());
    C->Font()->SetStyle(TFontStyles{fsBold});
    C->Font()->SetColor(Fore);
    C->TextOut(X, TitleR.Top, FTitle);
  }
  C->Font()->Assign(Font());
  C->Font()->SetColor(Fore);
  DrawText(C, FTipText, TextR, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  C->Brush()->SetStyle(bsSolid);
}
