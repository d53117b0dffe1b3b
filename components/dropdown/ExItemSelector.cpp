// The item selector: items, appearance, the panel's layout, painting, selection and hot tracking,
// and the scrolling host.
#include "components/dropdown/ExItemSelector.h"

#include <algorithm>

#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// TSelectorItem

TSelectorItem::TSelectorItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItem::NotifyChange() {
  if (auto* items = dynamic_cast<TSelectorItems*>(Collection())) items->DoChange();
}

void TSelectorItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  NotifyChange();
}

void TSelectorItem::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  NotifyChange();
}

void TSelectorItem::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  NotifyChange();
}

void TSelectorItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TSelectorItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TSelectorItem*>(Source)) {
    SetCaption(src->FCaption);
    SetColor(src->FColor);
    SetImageIndex(src->FImageIndex);
    SetImage(src->FImage.get());
    FEnabled = src->FEnabled;
    FHint = src->FHint;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TItemAppearance

TItemAppearance::TItemAppearance(TPersistent* AOwner)
    : FOwner(AOwner), FColorStyle(scCustom), FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
  SetColorStyle(scOffice2007);
}

TItemAppearance::~TItemAppearance() = default;

namespace {

struct TSelectionPreset {
  TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo;
  TColor BorderColorTop, BorderColorBottom, BorderColor, EdgeColor;
  TColor ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};

constexpr TSelectionPreset PresetOffice2007 = {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                                               0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
constexpr TSelectionPreset PresetVista = {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7,
                                          0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone, clNone};
constexpr TSelectionPreset PresetWindows7 = {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB,
                                             0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone, clNone};

}  // namespace

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style) {
  if (Style == FColorStyle) return;
  FColorStyle = Style;
  const TSelectionPreset* p = nullptr;
  switch (Style) {
    case scOffice2007: p = &PresetOffice2007; break;
    case scWindowsVista: p = &PresetVista; break;
    case scWindows7: p = &PresetWindows7; break;
    default: return;
  }
  FColorHot = p->ColorHot;
  FColorHotTo = p->ColorHotTo;
  FColorMirrorHot = p->ColorMirrorHot;
  FColorMirrorHotTo = p->ColorMirrorHotTo;
  FBorderColorTop = p->BorderColorTop;
  FBorderColorBottom = p->BorderColorBottom;
  FBorderColor = p->BorderColor;
  FEdgeColor = p->EdgeColor;
  FColorSelected = p->ColorSelected;
  FColorSelectedTo = p->ColorSelectedTo;
  FColorMirrorSelected = p->ColorMirrorSelected;
  FColorMirrorSelectedTo = p->ColorMirrorSelectedTo;
}

void TItemAppearance::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TItemAppearance*>(Source)) {
    FColorHot = src->FColorHot;
    FColorHotTo = src->FColorHotTo;
    FColorMirrorHot = src->FColorMirrorHot;
    FColorMirrorHotTo = src->FColorMirrorHotTo;
    FColorSelected = src->FColorSelected;
    FColorSelectedTo = src->FColorSelectedTo;
    FColorMirrorSelected = src->FColorMirrorSelected;
    FColorMirrorSelectedTo = src->FColorMirrorSelectedTo;
    FBorderColor = src->FBorderColor;
    FBorderColorTop = src->FBorderColorTop;
    FBorderColorBottom = src->FBorderColorBottom;
    FEdgeColor = src->FEdgeColor;
    FFont->Assign(src->FFont.get());
    // A named style differing from ours brings its preset over the colours just copied.
    SetColorStyle(src->FColorStyle);
    FColorSelectedText = src->FColorSelectedText;
    FColorHotText = src->FColorHotText;
    FBorderColorHot = src->FBorderColorHot;
    FBorderColorSelected = src->FBorderColorSelected;
    return;
  }
  TPersistent::Assign(Source);
}

void ItemAppearanceStyle(TItemAppearance* Appearance, TNorvStyle AStyle) {
  if (!Appearance || AStyle == tsCustom) return;
  TItemAppearance& a = *Appearance;
  a.SetBorderColorHot(clNone);
  a.SetBorderColorSelected(clNone);
  a.SetColorSelectedText(0x000000);
  a.SetColorHotText(0x000000);
  // hot, hot to, hot mirror, hot mirror to, border, selected, selected to, selected mirror,
  // selected mirror to, top line, bottom line, edge, selected text
  struct Row {
    TColor Hot, HotTo, MHot, MHotTo, Border, Sel, SelTo, MSel, MSelTo, Top, Bottom, Edge, SelText;
  };
  constexpr Row Office2003 = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0x42AEFE, 0xAAD9FF, 0x6EBBFF,
                              0x42AEFE, 0x7AE1FE, clNone,   clNone,   clNone,   0x000000};
  constexpr Row Office2007 = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0x42AEFE, 0xAAD9FF, 0x6EBBFF,
                              0x42AEFE, 0x7AE1FE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000};
  constexpr Row Classic = {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0x808080, 0xB59285, 0xB59285,
                           clNone,   clNone,   clNone, clNone, clNone,   0x000000};
  constexpr Row XP = {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clHighlight, clNone,
                      clNone,   clNone,   clNone, clNone, clNone,      clHighlightText};
  constexpr Row Vista = {0xFFFDF9, 0xFFFAF0, clNone,   clNone,   0xFEDF9A, 0xFEF9F0, 0xFDF0D7,
                         clNone,   clNone,   0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0x000000};
  constexpr Row Win7 = {0xFDFBFA, 0xFDF3EB, clNone,   clNone,   0xCEA27D, 0xFCEBDC, 0xFCDBC1,
                        clNone,   clNone,   0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0x000000};
  constexpr Row Terminal = {0xC0C0C0, 0xC0C0C0, clNone, clNone, 0x808080, clHighlight, clNone,
                            clNone,   clNone,   clNone, clNone, clNone,   clHighlightText};
  constexpr Row Office2010 = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x308AC2, 0x7BEEFF, 0x6CD0FF,
                              0x6CD0FF, 0x7BEEFF, clNone,   clNone,   clNone,   0x000000};
  const Row* r = nullptr;
  switch (AStyle) {
    case tsOffice2003Blue:
    case tsOffice2003Silver:
    case tsOffice2003Olive:
    case tsWhidbey: r = &Office2003; break;
    case tsOffice2007Luna:
    case tsOffice2007Obsidian:
    case tsOffice2007Silver: r = &Office2007; break;
    case tsOffice2003Classic: r = &Classic; break;
    case tsWindowsXP: r = &XP; break;
    case tsWindowsVista: r = &Vista; break;
    case tsWindows7: r = &Win7; break;
    case tsTerminal: r = &Terminal; break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black: r = &Office2010; break;
    default: return;
  }
  a.SetColorHot(r->Hot);
  a.SetColorHotTo(r->HotTo);
  a.SetColorMirrorHot(r->MHot);
  a.SetColorMirrorHotTo(r->MHotTo);
  a.SetBorderColor(r->Border);
  a.SetColorSelected(r->Sel);
  a.SetColorSelectedTo(r->SelTo);
  a.SetColorMirrorSelected(r->MSel);
  a.SetColorMirrorSelectedTo(r->MSelTo);
  a.SetBorderColorTop(r->Top);
  a.SetBorderColorBottom(r->Bottom);
  a.SetEdgeColor(r->Edge);
  a.SetColorSelectedText(r->SelText);
}

// ---------------------------------------------------------------------------------------------
// TCustomItemSelector: the panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TItemPanelT(AOwner, 2, true) {
  SetParentColor(true);
  FExItemSelector = dynamic_cast<TExCustomItemSelector*>(AOwner);
  if (!FExItemSelector) throw Exception(u"Invalid parent");
}

TCustomItemSelector::~TCustomItemSelector() = default;

Integer TCustomItemSelector::Columns() const { return FExItemSelector->Columns(); }
TSelectorItems* TCustomItemSelector::Items() const { return FExItemSelector->Items(); }
TSelectorType TCustomItemSelector::SelectorType() const { return FExItemSelector->SelectorType(); }
TItemLayout TCustomItemSelector::ItemLayout() const { return FExItemSelector->ItemLayout(); }
TImageList* TCustomItemSelector::Images() const { return FExItemSelector->Images(); }
Integer TCustomItemSelector::ColorBoxWidth() const { return FExItemSelector->ColorBoxWidth(); }
Integer TCustomItemSelector::ColorBoxHeight() const { return FExItemSelector->ColorBoxHeight(); }
TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const {
  return FExItemSelector->ItemAppearance()->ColorStyle();
}
TColor TCustomItemSelector::ItemColorHot() const { return FExItemSelector->ItemAppearance()->ColorHot(); }
TColor TCustomItemSelector::ItemColorHotTo() const { return FExItemSelector->ItemAppearance()->ColorHotTo(); }
TColor TCustomItemSelector::ItemColorSelected() const {
  return FExItemSelector->ItemAppearance()->ColorSelected();
}
TColor TCustomItemSelector::ItemColorSelectedTo() const {
  return FExItemSelector->ItemAppearance()->ColorSelectedTo();
}

void TCustomItemSelector::GetItemSize(TSize& Size) {
  if (FExItemSelector->OnItemSize) {
    FExItemSelector->OnItemSize(this, Size);
    return;
  }
  Integer w = 0, h = 0;
  if (SelectorType() == stColor) {
    w = ColorBoxWidth();
    h = ColorBoxHeight();
  }
  TCanvas* c = Canvas();
  c->Font()->Assign(FExItemSelector->ItemAppearance()->Font());
  TImageList* images = Images();
  Integer tw = 0, th = 0;
  for (Integer i = 0; i < Items()->Count(); ++i) {
    TSelectorItem* item = Items()->Items(i);
    if (SelectorType() == stImage) {
      TGraphic* g = item->Image()->Graphic();
      if (g && !g->Empty()) {
        w = std::max(w, g->Width());
        h = std::max(h, g->Height());
      } else if (images && item->ImageIndex() >= 0) {
        w = std::max(w, images->Width());
        h = std::max(h, images->Height());
      }
    }
    TSize ts;
    DrawHtmlItemText(c, item->Caption(), Rect(0, 0, 1000, 500), images, false, Handle(), ts);
    tw = std::max(tw, ts.cx);
    th = std::max(th, ts.cy);
  }
  if (tw > 0) tw += 4;
  switch (ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
      Size.cx = 2 * FItemOffSetX;
      if (w > 0) Size.cx += w;
      if (w > 0 && tw > 0) Size.cx += FCaptionGap;
      if (tw > 0) Size.cx += tw;
      Size.cy = std::max(th, h) + 2 * FItemOffSetY;
      break;
    case ilCaptionTop:
    case ilCaptionBottom:
      Size.cx = std::max(tw, w) + 2 * FItemOffSetX;
      Size.cy = 2 * FItemOffSetY;
      if (h > 0) Size.cy += h;
      if (h > 0 && th >= 1) Size.cy += FCaptionGap;
      if (th >= 1) Size.cy += th;
      break;
  }
}

void TCustomItemSelector::UpdateLayout() {
  if (!FExItemSelector) return;
  if (Items()->Count() == 0) {
    SetBounds(FLeft, FTop, 100, 50);
    FExItemSelector->AdjustScrollBars();
    return;
  }
  // Cells touch: there is no gap between items.
  const TSize extent = LayOutItemRows(0, [](Integer) { return false; });
  SetBounds(FLeft, FTop, extent.cx, extent.cy);
  FExItemSelector->AdjustScrollBars();
  Invalidate();
}

void TCustomItemSelector::DrawItem(Integer Index, TCanvas* ACanvas) {
  if (!ValidIndex(Index) || !ACanvas) return;
  TSelectorItem* item = Items()->Items(Index);
  TRect R = item->ItemRect();
  if (R.Left < 0 && R.Right < 0) return;
  TItemAppearance* app = FExItemSelector->ItemAppearance();
  const bool hot = Index == FItemHot;
  const bool selected = Index == FItemIndex;

  // 1. The colours of the state; selected wins over hot.
  TColor color = clNone, colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TColor border = app->BorderColor(), top = app->BorderColorTop(), bottom = app->BorderColorBottom();
  TColor edge = app->EdgeColor();
  auto plainFrame = [&](TColor frame) {
    if (frame == clNone) return;
    border = frame;
    top = bottom = edge = clNone;
  };
  if (hot) {
    color = app->ColorHot();
    colorTo = app->ColorHotTo();
    mirror = app->ColorMirrorHot();
    mirrorTo = app->ColorMirrorHotTo();
    plainFrame(app->BorderColorHot());
  }
  if (selected) {
    border = app->BorderColor();
    top = app->BorderColorTop();
    bottom = app->BorderColorBottom();
    edge = app->EdgeColor();
    color = app->ColorSelected();
    colorTo = app->ColorSelectedTo();
    mirror = app->ColorMirrorSelected();
    mirrorTo = app->ColorMirrorSelectedTo();
    plainFrame(app->BorderColorSelected());
  }

  // 2. The background.
  ACanvas->Brush()->SetStyle(bsSolid);
  if (!hot && !selected) {
    ACanvas->Brush()->SetColor(FColor);
    ACanvas->FillRect(R);
  } else if (top == clNone) {
    DrawFilledRect(ACanvas, R, color, colorTo, border, 1, gdVertical);
  } else {
    DrawSelectionBox(ACanvas, color, colorTo, mirror, mirrorTo, top, bottom, border, edge, FColor, R, sbWhole);
  }

  // 3. The owner's own drawing.
  if (FExItemSelector->OnDrawItem) {
    FExItemSelector->OnDrawItem(this, ACanvas, R, Index);
    return;
  }

  // 4. The graphic and its size.
  enum { gkNone, gkColorBox, gkPicture, gkListImage } kind = gkNone;
  Integer w = 0, h = 0;
  TImageList* images = Images();
  TGraphic* picture = item->Image()->Graphic();
  if (SelectorType() == stColor) {
    kind = gkColorBox;
    w = ColorBoxWidth();
    h = ColorBoxHeight();
  } else if (picture && !picture->Empty()) {
    kind = gkPicture;
    w = picture->Width();
    h = picture->Height();
  } else if (images && item->ImageIndex() >= 0) {
    kind = gkListImage;
    w = images->Width();
    h = images->Height();
  }

  // 5. The content rectangle, the graphic's origin and the caption's font.
  TRect C = R;
  InflateRect(C, -FItemOffSetX, -FItemOffSetY);
  const TRect B = C;
  TPoint P = C.TopLeft();
  ACanvas->Font()->Assign(app->Font());
  if (hot) ACanvas->Font()->SetColor(app->ColorHotText());
  if (selected) ACanvas->Font()->SetColor(app->ColorSelectedText());
  const String& caption = item->Caption();
  const HWND wnd = Handle();

  auto drawCaption = [&](bool centred) {
    ACanvas->Brush()->SetStyle(bsClear);
    TSize sz;
    if (centred) {
      DrawHtmlItemText(ACanvas, caption, C, images, false, wnd, sz);
      if (sz.cy < C.Height()) C.Top += (C.Height() - sz.cy) / 2;
    }
    DrawHtmlItemText(ACanvas, caption, C, images, true, wnd, sz);
    return sz;
  };
  auto drawGraphic = [&]() {
    switch (kind) {
      case gkColorBox:
        ACanvas->Pen()->SetColor(clBlack);
        ACanvas->Pen()->SetStyle(psSolid);
        if (item->Color() == clNone) {
          ACanvas->Brush()->SetStyle(bsClear);
        } else {
          ACanvas->Brush()->SetStyle(bsSolid);
          ACanvas->Brush()->SetColor(item->Color());
        }
        ACanvas->Rectangle(P.X, P.Y, P.X + w, P.Y + h);
        break;
      case gkPicture: ACanvas->Draw(P.X, P.Y, picture); break;
      case gkListImage: images->Draw(ACanvas, P.X, P.Y, item->ImageIndex(), item->Enabled()); break;
      case gkNone: break;
    }
  };
  const bool sideways = ItemLayout() == ilCaptionLeft || ItemLayout() == ilCaptionRight;
  if (sideways && (kind == gkPicture || kind == gkListImage)) P.Y = B.Top + (B.Height() - h) / 2;

  // 6-8. Caption and graphic by layout.
  switch (ItemLayout()) {
    case ilCaptionLeft:
      if (!caption.empty()) {
        C.Right -= w;
        const TSize sz = drawCaption(true);
        P.X = C.Left + sz.cx + FCaptionGap;
      }
      drawGraphic();
      break;
    case ilCaptionRight:
      drawGraphic();
      if (kind != gkNone) C.Left = P.X + w + FCaptionGap;
      if (!caption.empty()) drawCaption(true);
      break;
    case ilCaptionTop:
      if (!caption.empty()) {
        C.Bottom -= h;
        const TSize sz = drawCaption(false);
        P.Y = C.Top + sz.cy + FCaptionGap;
      } else {
        P.Y = B.Top + (B.Height() - h) / 2;
      }
      P.X = B.Left + (B.Width() - w) / 2;
      drawGraphic();
      break;
    case ilCaptionBottom:
      if (caption.empty()) P.Y = B.Top + (B.Height() - h) / 2;
      P.X = B.Left + (B.Width() - w) / 2;
      drawGraphic();
      if (kind != gkNone) C.Top = P.Y + h + FCaptionGap;
      if (!caption.empty()) drawCaption(false);
      break;
  }
}

void TCustomItemSelector::DrawItems() {
  if (!FExItemSelector) return;
  TCanvas* c = Canvas();
  for (Integer i = 0; i < Items()->Count(); ++i) DrawItem(i, c);
}

void TCustomItemSelector::Paint() { DrawItems(); }

void TCustomItemSelector::InvalidateItem(Integer Index) {
  if (ValidIndex(Index)) RedrawItemCell(Index, 0);
}

void TCustomItemSelector::HotItemEntered(Integer Index) {
  SetHint(Items()->Items(Index)->Hint());
  if (Application) Application->CancelHint();
}

bool TCustomItemSelector::LookupItem(const String& s) {
  if (!FExItemSelector || s.empty()) return false;
  for (Integer i = 0; i < Items()->Count(); ++i) {
    String plain;
    CaseText(Trim(StripHtml(Items()->Items(i)->Caption())), false, plain);
    if (plain.compare(0, s.size(), s) == 0) {
      SetItemIndex(i);
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// TSelectorScrollBar

bool TSelectorScrollBar::IsScrollBarVisible() const { return FBar && FBar->Visible(); }

Integer TSelectorScrollBar::Position() const { return FBar && FBar->Visible() ? FBar->Position() : 0; }

void TSelectorScrollBar::SetPosition(Integer Value) {
  if (FBar && FBar->Visible()) FBar->SetPosition(Value);
}

Integer TSelectorScrollBar::Range() const {
  TCustomItemSelector* p = FHost->SelectorPanel();
  if (!p) return 0;
  return FBar && FBar->Kind() == sbVertical ? p->Height() : p->Width();
}

// ---------------------------------------------------------------------------------------------
// TExCustomItemSelector: the host

TExCustomItemSelector::TExCustomItemSelector(TComponent* AOwner)
    : TCustomControl(AOwner), FVertScroll(this, nullptr), FHorzScroll(this, nullptr) {
  FItems = std::make_unique<TSelectorItems>(this);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  FItemAppearance = std::make_unique<TItemAppearance>(this);
  SetBounds(0, 0, 100, 100);
  FVBar = new TScrollBar(this);
  FVBar->SetKind(sbVertical);
  FVBar->SetVisible(false);
  FVBar->SetParent(this);
  FVBar->OnChange = [this](TObject* Sender) { ScrollChanged(Sender); };
  FHBar = new TScrollBar(this);
  FHBar->SetKind(sbHorizontal);
  FHBar->SetVisible(false);
  FHBar->SetParent(this);
  FHBar->OnChange = [this](TObject* Sender) { ScrollChanged(Sender); };
  FVertScroll = TSelectorScrollBar(this, FVBar);
  FHorzScroll = TSelectorScrollBar(this, FHBar);
  CreateSelectorPanel();
  UpdateSelectorPanel();
}

TExCustomItemSelector::~TExCustomItemSelector() {
  FItems.reset();
  FItemAppearance.reset();
}

void TExCustomItemSelector::CreateSelectorPanel() {
  if (FItemSelectorPanel) return;
  FItemSelectorPanel = new TCustomItemSelector(this);
  FItemSelectorPanel->SetParent(this);
  FItemSelectorPanel->OnItemSelect = [this](TObject* Sender) { DoItemSelect(Sender); };
  FVBar->BringToFront();
  FHBar->BringToFront();
}

void TExCustomItemSelector::DoItemSelect(TObject* /*Sender*/) {
  if (OnItemSelect) OnItemSelect(this);
}

void TExCustomItemSelector::ItemsChanged(TObject* /*Sender*/) { UpdateSelectorPanel(); }

void TExCustomItemSelector::UpdateSelectorPanel() {
  if (FItemSelectorPanel && FItems) FItemSelectorPanel->UpdateLayout();
}

void TExCustomItemSelector::SetColumns(Integer Value) {
  if (Value <= 0 || Value == FColumns) return;
  FColumns = Value;
  UpdateSelectorPanel();
}

Integer TExCustomItemSelector::ItemIndex() const {
  return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TExCustomItemSelector::SetItemIndex(Integer Value) {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SetItemIndex(Value);
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

Integer TExCustomItemSelector::ItemHot() const {
  return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

void TExCustomItemSelector::SetSelectorType(TSelectorType Value) {
  if (Value == FSelectorType) return;
  FSelectorType = Value;
  UpdateSelectorPanel();
}

void TExCustomItemSelector::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxWidth(Integer Value) {
  if (Value == FColorBoxWidth) return;
  FColorBoxWidth = Value;
  UpdateSelectorPanel();
}

void TExCustomItemSelector::SetColorBoxHeight(Integer Value) {
  if (Value == FColorBoxHeight) return;
  FColorBoxHeight = Value;
  UpdateSelectorPanel();
}

void TExCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !HasState(csDestroying)) {
    FImages = nullptr;
    UpdateSelectorPanel();
  }
  if (Operation == opRemove && AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
  if (Operation == opRemove && AComponent == FVBar) FVBar = nullptr;
  if (Operation == opRemove && AComponent == FHBar) FHBar = nullptr;
}

void TExCustomItemSelector::SelectFirst() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SelectFirst();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TExCustomItemSelector::SelectLast() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SelectLast();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TExCustomItemSelector::SelectNext() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SelectNext();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TExCustomItemSelector::SelectPrevious() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SelectPrevious();
  ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TExCustomItemSelector::HotNext() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->HotNext();
  ScrollItemInView(FItemSelectorPanel->ItemHot());
}

void TExCustomItemSelector::HotPrevious() {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->HotPrevious();
  ScrollItemInView(FItemSelectorPanel->ItemHot());
}

bool TExCustomItemSelector::LookupItem(const String& s) {
  return FItemSelectorPanel ? FItemSelectorPanel->LookupItem(s) : false;
}

void TExCustomItemSelector::GetPanelSize(TSize& Size) const {
  if (!FItemSelectorPanel) {
    Size = TSize(100, 50);
    return;
  }
  Size = TSize(FItemSelectorPanel->Width(), FItemSelectorPanel->Height());
}

Integer TExCustomItemSelector::ViewWidth() const {
  return FWidth - (FVBar && FVBar->Visible() ? FVBar->Width() : 0);
}

Integer TExCustomItemSelector::ViewHeight() const {
  return FHeight - (FHBar && FHBar->Visible() ? FHBar->Height() : 0);
}

void TExCustomItemSelector::ScrollItemInView(Integer Index) {
  if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !FVertScroll.IsScrollBarVisible()) return;
  TRect R = FItems->Items(Index)->ItemRect();
  const Integer margin = FVertScroll.Margin();
  R.Top -= margin;
  R.Bottom += margin;
  OffsetRect(R, FItemSelectorPanel->Left(), FItemSelectorPanel->Top());
  const Integer clientHeight = ViewHeight();
  if (R.Top < 0) {
    FVertScroll.SetPosition(FVertScroll.Position() + R.Top);
  } else if (R.Bottom > clientHeight) {
    if (R.Height() > clientHeight) R.Bottom = R.Top + clientHeight;
    FVertScroll.SetPosition(FVertScroll.Position() + R.Bottom - clientHeight);
  }
}

Integer TExCustomItemSelector::GetVisibleItemCount() {
  if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
  const Integer cell = FItems->Items(0)->ItemRect().Height();
  if (cell <= 0) return 0;
  const Integer h = FHeight - (FHorzScroll.IsScrollBarVisible() ? 20 : 0);
  return h / cell * FColumns;
}

void TExCustomItemSelector::AdjustScrollBars() {
  if (!FItemSelectorPanel || !FVBar || !FHBar || FAdjusting) return;
  FAdjusting = true;
  const Integer pw = FItemSelectorPanel->Width(), ph = FItemSelectorPanel->Height();
  const Integer sbw = GetSystemMetrics(SM_CXVSCROLL), sbh = GetSystemMetrics(SM_CYHSCROLL);
  bool v = FAutoScroll && ph > FHeight;
  bool h = FAutoScroll && pw > FWidth - (v ? sbw : 0);
  if (h && !v) v = FAutoScroll && ph > FHeight - sbh;
  const Integer viewW = std::max<Integer>(0, FWidth - (v ? sbw : 0));
  const Integer viewH = std::max<Integer>(0, FHeight - (h ? sbh : 0));
  FVBar->SetVisible(v);
  FHBar->SetVisible(h);
  if (v) {
    FVBar->SetBounds(FWidth - sbw, 0, sbw, viewH);
    FVBar->SetPageSize(viewH);
    FVBar->SetParams(FVBar->Position(), 0, ph - 1);
    FVBar->SetSmallChange(8);
    FVBar->SetLargeChange(std::max<Integer>(1, viewH));
  }
  if (h) {
    FHBar->SetBounds(0, FHeight - sbh, viewW, sbh);
    FHBar->SetPageSize(viewW);
    FHBar->SetParams(FHBar->Position(), 0, pw - 1);
    FHBar->SetSmallChange(8);
    FHBar->SetLargeChange(std::max<Integer>(1, viewW));
  }
  const Integer left = h ? -FHBar->Position() : 0;
  const Integer top = v ? -FVBar->Position() : 0;
  FItemSelectorPanel->SetBounds(left, top, pw, ph);
  FAdjusting = false;
}

void TExCustomItemSelector::ScrollChanged(TObject* /*Sender*/) {
  if (FAdjusting || !FItemSelectorPanel) return;
  const Integer left = FHorzScroll.IsScrollBarVisible() ? -FHBar->Position() : 0;
  const Integer top = FVertScroll.IsScrollBarVisible() ? -FVBar->Position() : 0;
  FItemSelectorPanel->SetBounds(left, top, FItemSelectorPanel->Width(), FItemSelectorPanel->Height());
}

void TExCustomItemSelector::Resize() {
  TCustomControl::Resize();
  AdjustScrollBars();
}

void TExCustomItemSelector::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_GETDLGCODE:
      M.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
      return;
    case WM_VSCROLL: {
      TCustomControl::Dispatch(M);
      TWMScroll s{M};
      // The content follows the thumb while it is dragged.
      if (s.ScrollCode() == SB_THUMBTRACK) FVertScroll.SetPosition(s.Pos());
      return;
    }
    default: TCustomControl::Dispatch(M);
  }
}
