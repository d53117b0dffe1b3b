#include "platform/gui/ExtCtrls.h"

#include <algorithm>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/GuiInternal.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A raised or lowered frame of Width pixels just inside R; R shrinks by it.
void Frame3D(TCanvas* c, TRect& R, TColor TopLeft, TColor BottomRight, Integer Width) {
  for (Integer i = 0; i < Width; ++i) {
    c->Pen()->SetColor(TopLeft);
    c->MoveTo(R.Left, R.Bottom - 1);
    c->LineTo(R.Left, R.Top);
    c->LineTo(R.Right - 1, R.Top);
    c->Pen()->SetColor(BottomRight);
    c->LineTo(R.Right - 1, R.Bottom - 1);
    c->LineTo(R.Left - 1, R.Bottom - 1);
    InflateRect(R, -1, -1);
  }
}

Integer BevelSize(TBevelCut cut, Integer width) { return cut == bvNone ? 0 : width; }

// Fills R row by row from colour A at the top to colour B at the bottom.
void VerticalGradient(TCanvas* c, const TRect& R, TColor A, TColor B) {
  const Integer a = ColorToRGB(A), b = ColorToRGB(B);
  const Integer h = std::max<Integer>(1, R.Height() - 1);
  for (Integer y = R.Top; y < R.Bottom; ++y) {
    const Integer i = y - R.Top;
    auto mix = [&](Integer shift) {
      const Integer ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
      return (ca + (cb - ca) * i / h) << shift;
    };
    c->Brush()->SetColor(mix(0) | mix(8) | mix(16));
    c->FillRect(Rect(R.Left, y, R.Right, y + 1));
  }
}

}  // namespace

// --- TCustomPanel ----------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  FParentColor = false;
  FControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  FBevelOuter = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  FBevelInner = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(Integer v) {
  FBevelWidth = std::max<Integer>(1, v);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(Integer v) {
  FBorderWidth = std::max<Integer>(0, v);
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool v) {
  FShowCaption = v;
  Invalidate();
}

TRect TCustomPanel::AlignRect() const {
  TRect r = ClientRect();
  Integer inset = BevelSize(FBevelOuter, FBevelWidth) + FBorderWidth + BevelSize(FBevelInner, FBevelWidth);
  InflateRect(r, -inset, -inset);
  return r;
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  if (FBevelOuter != bvNone)
    Frame3D(c, r, FBevelOuter == bvLowered ? clBtnShadow : clBtnHighlight,
            FBevelOuter == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  InflateRect(r, -FBorderWidth, -FBorderWidth);
  if (FBevelInner != bvNone)
    Frame3D(c, r, FBevelInner == bvLowered ? clBtnShadow : clBtnHighlight,
            FBevelInner == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  if (FShowCaption && !FText.empty()) {
    c->Font()->Assign(&FFont);
    if (!IsEnabledInTree()) c->Font()->SetColor(clGrayText);
    c->SetBkMode(TRANSPARENT);
    c->Brush()->SetStyle(bsClear);
    Cardinal flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawText(c, FText, r, flags);
  }
}

// --- TShape, TImage, TPaintBox -------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  FPen.OnChange = [this](TObject*) { Invalidate(); };
  FBrush.OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 65, 65);
}

void TShape::SetShape(TShapeType v) {
  FShape = v;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(&FPen);
  c->Brush()->Assign(&FBrush);
  // The outline lies inside the bounds whatever the pen's width.
  const Integer pw = FPen.Style() == psClear ? 0 : FPen.Width();
  Integer x = pw / 2, y = pw / 2;
  Integer w = FWidth - pw + 1, h = FHeight - pw + 1;
  if (pw == 0) {
    w = FWidth;
    h = FHeight;
  } else if (pw == 1) {
    w = FWidth;
    h = FHeight;
    x = y = 0;
  }
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    Integer s = std::min(w, h);
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
  }
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::PictureChanged() {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
  Invalidate();
}

void TImage::SetStretch(bool v) {
  FStretch = v;
  Invalidate();
}
void TImage::SetCenter(bool v) {
  FCenter = v;
  Invalidate();
}
void TImage::SetProportional(bool v) {
  FProportional = v;
  Invalidate();
}
void TImage::SetTransparent(bool v) {
  FTransparent = v;
  Invalidate();
}
void TImage::SetAutoSize(bool v) {
  FAutoSize = v;
  PictureChanged();
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  Integer w = g->Width(), h = g->Height();
  if (FStretch) {
    w = FWidth;
    h = FHeight;
    if (FProportional && g->Width() > 0 && g->Height() > 0) {
      // Keep the picture's proportions inside the control.
      if (static_cast<Int64>(FWidth) * g->Height() > static_cast<Int64>(FHeight) * g->Width()) {
        w = static_cast<Integer>(static_cast<Int64>(FHeight) * g->Width() / g->Height());
      } else {
        h = static_cast<Integer>(static_cast<Int64>(FWidth) * g->Height() / g->Width());
      }
    }
  }
  Integer x = 0, y = 0;
  if (FCenter) {
    x = (FWidth - w) / 2;
    y = (FHeight - h) / 2;
  }
  if (FTransparent != g->Transparent()) g->SetTransparent(FTransparent);
  Canvas()->StretchDraw(Rect(x, y, x + w, y + h), g);
}

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}

// --- TSplitter -------------------------------------------------------------------------------------

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FAlign = alLeft;
  FParentColor = true;
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

TControl* TSplitter::FindControl() const {
  if (!FParent) return nullptr;
  for (Integer i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != FAlign) continue;
    switch (FAlign) {
      case alLeft: if (c->Left() + c->Width() == FLeft) return c; break;
      case alRight: if (c->Left() == FLeft + FWidth) return c; break;
      case alTop: if (c->Top() + c->Height() == FTop) return c; break;
      case alBottom: if (c->Top() == FTop + FHeight) return c; break;
      default: break;
    }
  }
  return nullptr;
}

Integer TSplitter::MaxSize() const {
  const bool vertical = FAlign == alTop || FAlign == alBottom;
  Integer room = vertical ? FParent->ClientHeight() : FParent->ClientWidth();
  for (Integer i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == FTarget || !c->Visible()) continue;
    if (vertical && (c->Align() == alTop || c->Align() == alBottom)) room -= c->Height();
    if (!vertical && (c->Align() == alLeft || c->Align() == alRight)) room -= c->Width();
  }
  return room - FMinSize;
}

void TSplitter::Dispatch(TMessage& M) {
  const bool vertical = FAlign == alTop || FAlign == alBottom;
  switch (M.Msg) {
    case CM_MOUSEENTER:
      SetCursor(vertical ? crVSplit : crHSplit);
      TGraphicControl::Dispatch(M);
      break;
    case WM_LBUTTONDOWN: {
      TGraphicControl::Dispatch(M);
      FTarget = FindControl();
      if (!FTarget) break;
      TWMMouse mm{M};
      TPoint sp = ClientToScreen(TPoint(mm.XPos(), mm.YPos()));
      FDownPos = vertical ? sp.Y : sp.X;
      FStartSize = vertical ? FTarget->Height() : FTarget->Width();
      break;
    }
    case WM_MOUSEMOVE: {
      TGraphicControl::Dispatch(M);
      if (FDownPos < 0 || !FTarget) break;
      TWMMouse mm{M};
      TPoint sp = ClientToScreen(TPoint(mm.XPos(), mm.YPos()));
      Integer delta = (vertical ? sp.Y : sp.X) - FDownPos;
      if (FAlign == alRight || FAlign == alBottom) delta = -delta;
      Integer size = FStartSize + delta;
      // Growing stops where the space left beside the other aligned controls falls to MinSize.
      if (size > FStartSize) size = std::min(size, std::max(FStartSize, MaxSize()));
      size = std::max(FMinSize, size);
      if (vertical)
        FTarget->SetHeight(size);
      else
        FTarget->SetWidth(size);
      break;
    }
    case WM_LBUTTONUP:
      TGraphicControl::Dispatch(M);
      if (FDownPos >= 0 && FTarget && OnMoved) OnMoved(this);
      FDownPos = -1;
      FTarget = nullptr;
      break;
    default:
      TGraphicControl::Dispatch(M);
  }
}

void TSplitter::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
}

// --- TLinkLabel ------------------------------------------------------------------------------------

TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner, wkLinkLabel) {
  FParentColor = true;
  SetBounds(0, 0, 53, 17);
}

namespace {

// The caption as the backend's rich text: the link tags <a ...> and </a> stay tags, everything
// else shows as written (markup characters escaped, runs of blanks kept).
String LinkLabelMarkup(const String& Caption) {
  String out;
  for (size_t i = 0; i < Caption.size(); ++i) {
    const Char c = Caption[i];
    if (c == u'<') {
      const size_t close = Caption.find(u'>', i);
      if (close != String::npos) {
        String tag = Caption.substr(i, close - i + 1);
        const String lower = LowerCase(tag);
        const bool open = lower.size() > 3 && lower.compare(0, 2, u"<a") == 0 &&
                          (lower[2] == u' ' || lower[2] == u'\t');
        if (open || lower == u"<a>" || lower == u"</a>") {
          out += tag;
          i = close;
          continue;
        }
      }
    }
    switch (c) {
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'&': out += u"&amp;"; break;
      case u' ':
        // Rich text folds blanks together; a blank that begins the text or follows another stays.
        out += i == 0 || Caption[i - 1] == u' ' ? u"&nbsp;" : u" ";
        break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

void TLinkLabel::SetWordWrap(bool v) {
  FWordWrap = v;
  if (FImpl) FImpl->SetWordWrap(v);
}

void TLinkLabel::SetTextImpl(const String& v) {
  FText = v;
  if (FImpl) FImpl->SetLinkText(LinkLabelMarkup(v));
}

void TLinkLabel::Dispatch(TMessage& M) {
  if (M.Msg == GuiInternal::CM_LINKCLICK) {
    const String& link = *reinterpret_cast<const String*>(M.LParam);
    if (OnLinkClick) OnLinkClick(this, link, sltURL);
    M.Result = 1;
    return;
  }
  TWinControl::Dispatch(M);
}

// --- TTimer ----------------------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
  if (FTimer) GuiInternal::StopCallbackTimer(FTimer);
  FTimer = 0;
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FTimer) GuiInternal::StopCallbackTimer(FTimer);
  FTimer = 0;
  if (FEnabled && FInterval > 0 && !HasState(csDesigning))
    FTimer = GuiInternal::StartCallbackTimer(FInterval, [this] { Timer(); });
}

void TTimer::Timer() {
  if (FEnabled && OnTimer) OnTimer(this);
}

// --- Category panels -------------------------------------------------------------------------------

class TCategoryPanelGroup::TGroupScrollBar : public TScrollBar {
 public:
  using TScrollBar::TScrollBar;
  String ClassName() const override { return u"TScrollBar"; }
};

TCategoryPanelSurface::TCategoryPanelSurface(TComponent* AOwner) : TCustomControl(AOwner) {
  FParentColor = true;
  FControlStyle |= csAcceptsControls;
}

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FParentColor = true;
  FControlStyle |= csAcceptsControls;
  FSurface = new TCategoryPanelSurface(this);
  FSurface->SetParent(this);
  SetBounds(0, 0, 185, 200);
}

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* v) { SetParent(v); }

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const { return dynamic_cast<TCategoryPanelGroup*>(FParent); }

Integer TCategoryPanel::HeaderHeight() const {
  TCategoryPanelGroup* g = PanelGroup();
  return g ? g->HeaderHeight() : 24;
}

void TCategoryPanel::InsertControl(TControl* C) {
  // Controls placed on the panel go onto its surface, below the header.
  if (FSurface && C != FSurface) {
    FSurface->InsertControl(C);
    return;
  }
  TCustomControl::InsertControl(C);
}

void TCategoryPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (!FPlacing && !FCollapsed) FExpandedHeight = AHeight;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, FCollapsed ? HeaderHeight() : AHeight);
  TCategoryPanelGroup* g = PanelGroup();
  if (!FPlacing && g && !g->FArranging) g->ArrangePanels();
}

void TCategoryPanel::BoundsChanged() {
  TCustomControl::BoundsChanged();
  if (FSurface) {
    const Integer hh = HeaderHeight();
    FSurface->SetBounds(0, hh, FWidth, std::max<Integer>(0, FExpandedHeight - hh));
    FSurface->SetVisible(!FCollapsed);
  }
}

void TCategoryPanel::SetCollapsed(bool v) {
  if (v == FCollapsed) return;
  FCollapsed = v;
  FPlacing = true;
  TCustomControl::SetBounds(FLeft, FTop, FWidth, v ? HeaderHeight() : FExpandedHeight);
  FPlacing = false;
  BoundsChanged();
  if (TCategoryPanelGroup* g = PanelGroup()) g->ArrangePanels();
  Invalidate();
  if (v && OnCollapse) OnCollapse(this);
  if (!v && OnExpand) OnExpand(this);
}

void TCategoryPanel::SetCollapsedImageIndex(Integer v) {
  FCollapsedImageIndex = v;
  Invalidate();
}

void TCategoryPanel::SetExpandedImageIndex(Integer v) {
  FExpandedImageIndex = v;
  Invalidate();
}

void TCategoryPanel::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN: {
      TCustomControl::Dispatch(M);
      TWMMouse mm{M};
      if (mm.YPos() < HeaderHeight() && IsEnabledInTree()) SetCollapsed(!FCollapsed);
      break;
    }
    case WM_MOUSEMOVE: {
      TCustomControl::Dispatch(M);
      TWMMouse mm{M};
      bool hot = mm.YPos() < HeaderHeight() && mm.XPos() >= FWidth - HeaderHeight();
      if (hot != FHotChevron) {
        FHotChevron = hot;
        Invalidate();
      }
      break;
    }
    case CM_MOUSELEAVE:
      if (FHotChevron) {
        FHotChevron = false;
        Invalidate();
      }
      TCustomControl::Dispatch(M);
      break;
    default:
      TCustomControl::Dispatch(M);
  }
}

void TCategoryPanel::Paint() {
  TCanvas* c = Canvas();
  TCategoryPanelGroup* g = PanelGroup();
  const Integer hh = HeaderHeight();
  TRect header = Rect(0, 0, FWidth, hh);
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  VerticalGradient(c, header, g ? g->GradientBaseColor() : clBtnFace, g ? g->GradientColor() : clBtnShadow);
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(0, hh - 1);
  c->LineTo(FWidth, hh - 1);
  Integer x = 4;
  TImageList* images = g ? g->Images() : nullptr;
  const Integer index = FCollapsed ? FCollapsedImageIndex : FExpandedImageIndex;
  if (images && index >= 0 && index < images->Count()) {
    images->Draw(c, x, (hh - images->Height()) / 2, index, IsEnabledInTree());
    x += images->Width() + 4;
  }
  if (g) c->Font()->Assign(g->HeaderFont());
  c->SetBkMode(TRANSPARENT);
  c->Brush()->SetStyle(bsClear);
  TRect tr = Rect(x, 0, FWidth - hh, hh);
  DrawText(c, FText, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  // The chevron: two small arrows pointing up when expanded, down when collapsed.
  c->Pen()->SetColor(FHotChevron && g ? g->ChevronHotColor() : g ? g->ChevronColor() : clBlack);
  const Integer cx = FWidth - hh / 2, cy = hh / 2;
  for (Integer k = 0; k < 2; ++k) {
    const Integer y0 = cy - 4 + k * 4;
    for (Integer i = 0; i < 4; ++i) {
      const Integer y = FCollapsed ? y0 + i : y0 + 3 - i;
      c->MoveTo(cx - 3 + i, y);
      c->LineTo(cx + 4 - i, y);
    }
  }
}

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clWindow;
  FParentColor = false;
  FControlStyle |= csAcceptsControls;
  FHeaderFont.SetStyle(TFontStyles{fsBold});
  FHeaderFont.OnChange = [this](TObject*) {
    for (TCategoryPanel* p : OrderedPanels()) p->Invalidate();
  };
  FScrollBar = new TGroupScrollBar(this);
  FScrollBar->SetKind(sbVertical);
  FScrollBar->SetVisible(false);
  FScrollBar->SetParent(this);
  SetBounds(0, 0, 200, 400);
}

TCategoryPanelGroup::~TCategoryPanelGroup() { FHeaderFont.OnChange = nullptr; }

void TCategoryPanelGroup::InsertControl(TControl* C) {
  TCustomControl::InsertControl(C);
  if (dynamic_cast<TCategoryPanel*>(C)) {
    static_cast<TCategoryPanel*>(C)->BoundsChanged();
    ArrangePanels();
  }
}

void TCategoryPanelGroup::RemoveControl(TControl* C) {
  TCustomControl::RemoveControl(C);
  if (C == FScrollBar) FScrollBar = nullptr;
  if (!HasState(csDestroying) && dynamic_cast<TCategoryPanel*>(C)) ArrangePanels();
}

std::vector<TCategoryPanel*> TCategoryPanelGroup::OrderedPanels() const {
  std::vector<TCategoryPanel*> v;
  for (TControl* c : FControls)
    if (auto* p = dynamic_cast<TCategoryPanel*>(c)) v.push_back(p);
  std::stable_sort(v.begin(), v.end(), [](TCategoryPanel* a, TCategoryPanel* b) { return a->Top() < b->Top(); });
  return v;
}

Integer TCategoryPanelGroup::PanelCount() const { return static_cast<Integer>(OrderedPanels().size()); }

TCategoryPanel* TCategoryPanelGroup::Panels(Integer Index) const {
  std::vector<TCategoryPanel*> v = OrderedPanels();
  if (Index < 0 || Index >= static_cast<Integer>(v.size()))
    throw EListError(u"List index out of bounds (" + Utf8ToString(std::to_string(Index)) + u")");
  return v[static_cast<size_t>(Index)];
}

Integer TCategoryPanelGroup::ContentHeight() const {
  Integer h = 0;
  for (TCategoryPanel* p : OrderedPanels())
    if (p->Visible()) h += p->Collapsed() ? FHeaderHeight : p->ExpandedHeight();
  return h;
}

bool TCategoryPanelGroup::ScrollBarVisible() const { return FScrollBar && FScrollBar->Visible(); }

void TCategoryPanelGroup::ArrangePanels() {
  if (FArranging) return;
  FArranging = true;
  const Integer content = ContentHeight();
  const bool bar = content > FHeight;
  const Integer barWidth = GetSystemMetrics(SM_CXVSCROLL);
  FScrollPos = std::clamp<Integer>(FScrollPos, 0, std::max<Integer>(0, content - FHeight));
  const Integer width = std::max<Integer>(0, FWidth - (bar ? barWidth : 0));
  Integer y = -FScrollPos;
  for (TCategoryPanel* p : OrderedPanels()) {
    if (!p->Visible()) continue;
    const Integer h = p->Collapsed() ? FHeaderHeight : p->ExpandedHeight();
    p->FPlacing = true;
    p->SetBounds(0, y, width, h);
    p->FPlacing = false;
    p->BoundsChanged();
    y += h;
  }
  if (FScrollBar) {
    if (bar) {
      FScrollBar->SetBounds(FWidth - barWidth, 0, barWidth, FHeight);
      FScrollBar->SetPageSize(0);
      FScrollBar->SetParams(0, 0, std::max<Integer>(0, content - 1));
      FScrollBar->SetPageSize(FHeight);
      FScrollBar->SetSmallChange(FScrollLine);
      FScrollBar->SetLargeChange(FHeight);
      FScrollBar->SetPosition(FScrollPos);
      FScrollBar->BringToFront();
    }
    FScrollBar->SetVisible(bar);
  }
  FArranging = false;
}

void TCategoryPanelGroup::ScrollTo(Integer Pos) {
  const Integer top = std::max<Integer>(0, ContentHeight() - FHeight);
  Pos = std::clamp<Integer>(Pos, 0, top);
  if (Pos == FScrollPos) return;
  FScrollPos = Pos;
  ArrangePanels();
}

void TCategoryPanelGroup::Dispatch(TMessage& M) {
  if (M.Msg == WM_VSCROLL && (M.LParam == 0 || (FScrollBar && M.LParam == static_cast<LPARAM>(FScrollBar->Handle())))) {
    TWMScroll s{M};
    switch (s.ScrollCode()) {
      case SB_LINEUP: ScrollTo(FScrollPos - FScrollLine); break;
      case SB_LINEDOWN: ScrollTo(FScrollPos + FScrollLine); break;
      case SB_PAGEUP: ScrollTo(FScrollPos - FHeight); break;
      case SB_PAGEDOWN: ScrollTo(FScrollPos + FHeight); break;
      case SB_THUMBTRACK:
        if (FTracking) ScrollTo(s.Pos());
        break;
      case SB_THUMBPOSITION: ScrollTo(s.Pos()); break;
      case SB_TOP: ScrollTo(0); break;
      case SB_BOTTOM: ScrollTo(ContentHeight()); break;
      case SB_ENDSCROLL:
      default: break;
    }
    M.Result = 0;
    return;
  }
  TCustomControl::Dispatch(M);
}

void TCategoryPanelGroup::BoundsChanged() {
  TCustomControl::BoundsChanged();
  ArrangePanels();
}

void TCategoryPanelGroup::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
}

void TCategoryPanelGroup::SetHeaderHeight(Integer v) {
  FHeaderHeight = std::max<Integer>(1, v);
  for (TCategoryPanel* p : OrderedPanels()) {
    if (p->Collapsed()) {
      p->FPlacing = true;
      p->TCustomControl::SetBounds(p->Left(), p->Top(), p->Width(), FHeaderHeight);
      p->FPlacing = false;
    }
    p->BoundsChanged();
    p->Invalidate();
  }
  ArrangePanels();
}

void TCategoryPanelGroup::SetGradientBaseColor(TColor v) {
  FGradientBaseColor = v;
  for (TCategoryPanel* p : OrderedPanels()) p->Invalidate();
}

void TCategoryPanelGroup::SetGradientColor(TColor v) {
  FGradientColor = v;
  for (TCategoryPanel* p : OrderedPanels()) p->Invalidate();
}

void TCategoryPanelGroup::SetChevronColor(TColor v) { FChevronColor = v; }
void TCategoryPanelGroup::SetChevronHotColor(TColor v) { FChevronHotColor = v; }

void TCategoryPanelGroup::SetImages(TImageList* v) {
  FImages = v;
  if (v) v->FreeNotification(this);
  for (TCategoryPanel* p : OrderedPanels()) p->Invalidate();
}

void TCategoryPanelGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TCategoryPanelGroup::CollapseAll() {
  for (TCategoryPanel* p : OrderedPanels()) p->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll() {
  for (TCategoryPanel* p : OrderedPanels()) p->SetCollapsed(false);
}
