// The header and footer of the popup: their settings with the button collections, the
// range-checked button list, and the two band controls that paint the settings and carry the
// push buttons. What the header and the footer have alike is written once, in the templates of
// ExDropDown.h; the footer adds the size grip.
#include <algorithm>
#include <type_traits>

#include "components/dropdown/ExDropDown.h"

// ---------------------------------------------------------------------------------------------
// TDbgList

void* TDbgList::GetItemsEx(Integer Index) const {
  if (Index >= Count()) throw Exception(u"Index out of bounds in list read access");
  return Get(Index);
}

void TDbgList::SetItemsEx(Integer Index, void* Value) {
  if (Index >= Count()) throw Exception(u"Index out of bounds in list write access");
  Put(Index, Value);
}

void TDbgList::AssignList(const TList* ListA) {
  Clear();
  if (!ListA) return;
  for (Integer i = 0; i < ListA->Count(); ++i) Add(ListA->Get(i));
}

// ---------------------------------------------------------------------------------------------
// Button items

void THeaderButton::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<THeaderButton*>(Source))
    AssignButton(*src);
  else
    TCollectionItem::Assign(Source);
}

void TFooterButton::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFooterButton*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  AssignButton(*src);
  SetModalResult(src->FModalResult);
}

// ---------------------------------------------------------------------------------------------
// The appearances

template <class B>
TBandAppearanceT<B>::TBandAppearanceT(TComponent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<B>(this)) {
  FButtons->OnChange = [this](TObject*) {
    if (OnButtonsChanged) OnButtonsChanged(this);
  };
}

template <class B>
TBandAppearanceT<B>::~TBandAppearanceT() = default;

template <class B>
void TBandAppearanceT<B>::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(Value);
}

template <class B>
void TBandAppearanceT<B>::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (OnChange) OnChange(this);
}

template <class B>
void TBandAppearanceT<B>::SetButtons(B* Value) {
  if (Value) FButtons->Assign(Value);
}

template <class B>
void TBandAppearanceT<B>::AssignSettings(const TBandAppearanceT& Source) {
  FColorTo = Source.FColorTo;
  FColor = Source.FColor;
  FBorderColor = Source.FBorderColor;
  FCaption = Source.FCaption;
  FFont->Assign(Source.FFont.get());
  FImageIndex = Source.FImageIndex;
  FBorderWidth = Source.FBorderWidth;
  FGradientDirection = Source.FGradientDirection;
  FHeight = Source.FHeight;
}

template <class B>
void TBandAppearanceT<B>::AssignVisibleAndButtons(const TBandAppearanceT& Source) {
  SetVisible(Source.FVisible);
  FButtonAlignment = Source.FButtonAlignment;
  FButtons->Assign(Source.FButtons.get());
}

template <class B>
void TBandAppearanceT<B>::AssignColors(TPersistent* Source) {
  auto* src = dynamic_cast<TBandAppearanceT*>(Source);
  if (!src || src == this) return;
  FColor = src->FColor;
  FColorTo = src->FColorTo;
  FBorderColor = src->FBorderColor;
  FFont->Assign(src->FFont.get());
  FGradientDirection = src->FGradientDirection;
}

template class TBandAppearanceT<THeaderButtons>;
template class TBandAppearanceT<TFooterButtons>;

THeaderAppearance::THeaderAppearance(TComponent* AOwner) : TBandAppearanceT(AOwner) { Font()->SetName(u"Tahoma"); }

void THeaderAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<THeaderAppearance*>(Source);
  if (!src || src == this) return;
  AssignSettings(*src);
  AssignVisibleAndButtons(*src);
}

void TFooterAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFooterAppearance*>(Source);
  if (!src || src == this) return;
  AssignSettings(*src);
  FSizeGrip = src->FSizeGrip;
  AssignVisibleAndButtons(*src);
}

// ---------------------------------------------------------------------------------------------
// Band painting shared by header and footer

namespace {

struct TBandLook {
  TColor Color, ColorTo, BorderColor;
  Integer BorderWidth, ImageIndex;
  TGradientDirection Direction;
  const TFont* Font;
  String Caption;
};

// Whether the popup of DropDown draws a frame of its own (then the band draws only its inner edge).
bool PopupHasFrame(const TExCustomDropDown* DropDown) {
  return DropDown && DropDown->DropDownBorderWidth() > 0 && DropDown->DropDownBorderColor() != clNone;
}

// Background, border, image and caption of a band. Footer mirrors the header top for bottom.
void PaintBand(TCustomControl* Band, const TBandLook& L, bool Footer, TExCustomDropDown* DropDown,
               TImageList* Images, TDbgList* Buttons, const TGetTextEvent& OnGetText) {
  TCanvas* c = Band->Canvas();
  const TRect R = Band->ClientRect();
  if (L.ColorTo == clNone) {
    if (L.Color != clNone) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(L.Color);
      c->FillRect(R);
    }
  } else {
    DrawGradient(c, L.Color, L.ColorTo, 80, R, L.Direction == gdHorizontal);
  }
  if (L.BorderColor != clNone && L.BorderWidth > 0) {
    c->Pen()->SetWidth(L.BorderWidth);
    c->Pen()->SetColor(L.BorderColor);
    if (!Footer) {
      c->MoveTo(R.Left, R.Bottom - 1);
      c->LineTo(R.Right, R.Bottom - 1);
    } else {
      c->MoveTo(R.Left, R.Top);
      c->LineTo(R.Right, R.Top);
    }
    if (!PopupHasFrame(DropDown)) {
      if (!Footer) {
        c->MoveTo(R.Left, R.Bottom - 1);
        c->LineTo(R.Left, R.Top);
        c->LineTo(R.Right, R.Top);
        c->MoveTo(R.Right, R.Top);
        c->LineTo(R.Right, R.Bottom - 1);
      } else {
        c->MoveTo(R.Left, R.Top);
        c->LineTo(R.Left, R.Bottom);
        c->LineTo(R.Right, R.Bottom);
        c->LineTo(R.Right, R.Top);
      }
    }
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(BlendColor(L.BorderColor, clWhite, 20));
    TRect inner = R;
    if (!Footer)
      inner.Bottom -= L.BorderWidth;
    else
      inner.Top += L.BorderWidth;
    c->Rectangle(inner);
  }
  TRect C = R;
  InflateRect(C, -L.BorderWidth, -L.BorderWidth);
  if (L.ImageIndex >= 0 && Images) {
    Images->Draw(c, C.Left + 4, C.Top + (C.Height() - Images->Height()) / 2, L.ImageIndex, true);
    C.Left += Images->Width() + 8;
  }
  String text = L.Caption;
  if (OnGetText) OnGetText(Band, text);
  if (text.empty()) return;
  if (Buttons->Count() > 0) C.Right = static_cast<TControl*>(Buttons->Last())->Left() - 2;
  c->Font()->Assign(L.Font);
  c->Brush()->SetStyle(bsClear);
  TSize sz;
  DrawHtmlItemText(c, text, C, Images, false, Band->Handle(), sz);
  if (sz.cy < C.Height()) C.Top += (C.Height() - sz.cy) / 2;
  DrawHtmlItemText(c, text, C, Images, true, Band->Handle(), sz);
}

// Creates a band's buttons from the items, sized to their content and clamped to the area height.
template <class TItems, class TBand>
void BuildBandButtons(TBand* Band, TItems* Items, TExCustomDropDown* DropDown, TDbgList* List, bool Footer) {
  const Integer h = Band->ButtonArea().Height();
  for (Integer i = 0; i < Items->Count(); ++i) {
    auto* item = Items->GetItem(i);
    auto* b = new TExButton(Band);
    b->SetParent(Band);
    if (Footer) b->SetExDropDown(DropDown);
    b->SetAppearance(DropDown->ButtonAppearance());
    b->SetText(item->Caption());
    b->SetImages(Band->Images());
    b->SetImageIndex(item->ImageIndex());
    b->SetEnabled(item->Enabled());
    if constexpr (std::is_same_v<TItems, TFooterButtons>) b->SetModalResult(item->ModalResult());
    b->SizeToContent();
    if (item->Width() > 0) b->SetWidth(item->Width());
    if (item->Height() > 0) b->SetHeight(item->Height());
    if (b->Height() > h) b->SetHeight(h);
    b->SetTag(i);
    b->OnClick = [Band](TObject* Sender) { Band->ButtonClick(Sender); };
    List->Add(b);
  }
}

void PlaceBandButtons(TDbgList* List, const TRect& Area, TButtonAlignment Alignment) {
  Integer x = Alignment == baRight ? Area.Right : Area.Left;
  for (Integer i = 0; i < List->Count(); ++i) {
    auto* b = static_cast<TExButton*>(List->Get(i));
    const Integer top = std::max(Area.Top, (Area.Bottom - b->Height()) / 2);
    if (Alignment == baRight) {
      b->SetBounds(x - b->Width(), top, b->Width(), b->Height());
      x = b->Left();
    } else {
      b->SetBounds(x, top, b->Width(), b->Height());
      x += b->Width();
    }
  }
}

// Frees the band's buttons from the last to the first. A click handler may change the button
// items and so rebuild the buttons while one of them is still in its click: that one is hidden and
// kept until a later rebuild, when its click has long ended.
void FreeBandButtons(TDbgList* List, TExButton* Clicked, std::vector<TExButton*>& Retired) {
  for (auto it = Retired.begin(); it != Retired.end();) {
    if (*it == Clicked) {
      ++it;
      continue;
    }
    TComponent::Free(*it);
    it = Retired.erase(it);
  }
  for (Integer i = List->Count() - 1; i >= 0; --i) {
    auto* b = static_cast<TExButton*>(List->Get(i));
    if (b == Clicked) {
      b->SetVisible(false);
      Retired.push_back(b);
    } else {
      TComponent::Free(b);
    }
  }
  List->Clear();
}

// Brings the band's buttons up to the button items and the drop-down's shared button look.
template <class TItems>
void RefreshBandButtons(TDbgList* List, TItems* Items, TExCustomDropDown* DropDown, TImageList* Images) {
  for (Integer i = 0; i < List->Count(); ++i) {
    auto* b = static_cast<TExButton*>(List->Get(i));
    if (DropDown) b->SetAppearance(DropDown->ButtonAppearance());
    b->SetImages(Images);
    if (Items && i < Items->Count()) {
      b->SetText(Items->GetItem(i)->Caption());
      b->SetImageIndex(Items->GetItem(i)->ImageIndex());
      b->SetEnabled(Items->GetItem(i)->Enabled());
    }
    b->SetAutoSize(true);
  }
}

// Reports a click of a band's button; the button is marked as being clicked meanwhile.
template <class TCall>
void ReportBandClick(TExButton*& Clicked, TExButton* Button, const TCall& Call) {
  TExButton* const previous = Clicked;
  Clicked = Button;
  struct Restore {
    TExButton*& Slot;
    TExButton* Value;
    ~Restore() { Slot = Value; }
  } restore{Clicked, previous};
  Call();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The bands

template <class A, class B>
TDropDownBandT<A, B>::TDropDownBandT(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<A>(AOwner)), FButtonList(std::make_unique<TDbgList>()) {
  FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
  FControlStyle = csAcceptsControls | csClickEvents | csDoubleClicks;
  SetDoubleBuffered(true);
}

template <class A, class B>
TDropDownBandT<A, B>::~TDropDownBandT() = default;

template <class A, class B>
void TDropDownBandT<A, B>::AppearanceChanged(TObject* Sender) {
  (void)Sender;
  SetVisible(FAppearance->Visible());
  SetHeight(FAppearance->Height());
}

template <class A, class B>
void TDropDownBandT<A, B>::SetAppearance(A* Value) {
  FAppearance->Assign(Value);
  Invalidate();
}

template <class A, class B>
void TDropDownBandT<A, B>::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  Invalidate();
}

template <class A, class B>
void TDropDownBandT<A, B>::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

template <class A, class B>
B* TDropDownBandT<A, B>::Buttons() const {
  if (!FExDropDown) return nullptr;
  if constexpr (IsFooter)
    return FExDropDown->DropDownFooter()->Buttons();
  else
    return FExDropDown->DropDownHeader()->Buttons();
}

template <class A, class B>
void TDropDownBandT<A, B>::AttachDropDown(TExCustomDropDown* DropDown) {
  FExDropDown = DropDown;
  if (!DropDown) {
    SetImages(nullptr);
    return;
  }
  SetImages(DropDown->Images());
  if constexpr (IsFooter)
    SetAppearance(DropDown->DropDownFooter());
  else
    SetAppearance(DropDown->DropDownHeader());
}

template <class A, class B>
void TDropDownBandT<A, B>::BuildButtons() {
  if (!FExDropDown || !Buttons()) return;
  FreeButtons();
  BuildBandButtons(this, Buttons(), FExDropDown, FButtonList.get(), IsFooter);
  PlaceButtons();
}

template <class A, class B>
void TDropDownBandT<A, B>::FreeButtons() {
  FreeBandButtons(FButtonList.get(), FClickedButton, FRetiredButtons);
}

template <class A, class B>
void TDropDownBandT<A, B>::PlaceButtons() {
  if (FButtonList->Count() == 0) return;
  PlaceBandButtons(FButtonList.get(), ButtonArea(), FAppearance->ButtonAlignment());
}

template <class A, class B>
void TDropDownBandT<A, B>::RefreshButtons() {
  RefreshBandButtons(FButtonList.get(), Buttons(), FExDropDown, FImages);
  PlaceButtons();
}

template <class A, class B>
void TDropDownBandT<A, B>::Resize() {
  TCustomControl::Resize();
  PlaceButtons();
}

template <class A, class B>
void TDropDownBandT<A, B>::ButtonClick(TObject* Sender) {
  auto* b = dynamic_cast<TExButton*>(Sender);
  if (!b || !FExDropDown) return;
  TExCustomDropDown* dropDown = FExDropDown;
  const TDropDownButtonItemClick& event =
      IsFooter ? dropDown->OnDropDownFooterButtonClick : dropDown->OnDropDownHeaderButtonClick;
  if (!event) return;
  const Integer index = static_cast<Integer>(b->Tag());
  ReportBandClick(FClickedButton, b, [&] { event(dropDown, index); });
}

template <class A, class B>
void TDropDownBandT<A, B>::Paint() {
  const TRect R = ClientRect();
  if (OnDrawBackGround) {
    OnDrawBackGround(this, Canvas(), R);
    return;
  }
  const A* a = FAppearance.get();
  TBandLook look{a->Color(),       a->ColorTo(),           a->BorderColor(), a->BorderWidth(),
                 a->ImageIndex(),  a->GradientDirection(), a->Font(),        a->Caption()};
  PaintBand(this, look, IsFooter, FExDropDown, FImages, FButtonList.get(), OnGetText);
  PaintOverBand(R);
}

template class TDropDownBandT<THeaderAppearance, THeaderButtons>;
template class TDropDownBandT<TFooterAppearance, TFooterButtons>;

TExHeader::TExHeader(TComponent* AOwner) : TDropDownBandT(AOwner) {
  FAppearance->OnButtonsChanged = [](TObject*) {};
}

TRect TExHeader::ButtonArea() const {
  TRect r = ClientRect();
  return TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3);
}

TExFooter::TExFooter(TComponent* AOwner) : TDropDownBandT(AOwner) { FControlStyle |= csCaptureMouse; }

bool TExFooter::GripShows() const {
  return FAppearance->SizeGrip() && FExDropDown && FExDropDown->DropDownSizeable();
}

bool TExFooter::InGripZone(Integer X, Integer Y) const {
  return GripShows() && X > FWidth - 12 && Y > FHeight - 15;
}

TRect TExFooter::ButtonArea() const {
  TRect r = ClientRect();
  return TRect(r.Left + 2, r.Top + 2, r.Right - (GripShows() ? 14 : 2), r.Bottom - 2);
}

void TExFooter::PaintOverBand(const TRect& R) {
  const Integer border = FAppearance->BorderWidth();
  if (GripShows()) DrawSizeGrip(TRect(R.Right - border - 16, 1, R.Right - border - 1, R.Bottom));
}

void TExFooter::DrawSizeGrip(TRect R) {
  TCanvas* c = Canvas();
  const Integer L = R.Left, B = R.Bottom;
  const TPoint squares[6] = {TPoint(L + 5, B - 4), TPoint(L + 9, B - 4),  TPoint(L + 13, B - 4),
                             TPoint(L + 9, B - 8), TPoint(L + 13, B - 8), TPoint(L + 13, B - 12)};
  auto fill = [c, &squares](TColor Color, Integer Shift) {
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(Color);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    for (const TPoint& p : squares) c->Rectangle(p.X - Shift, p.Y - Shift, p.X - Shift + 2, p.Y - Shift + 2);
  };
  fill(BlendColor(clWhite, clWhite, 50), 0);
  fill(BlendColor(FAppearance->BorderColor(), clWhite, 100), 1);
}

void TExFooter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && InGripZone(X, Y) && FParent) {
    // The popup resizes itself from its bottom-right corner, as a drag on its sizing border would.
    SetCaptureControl(nullptr);
    const TPoint p = ClientToScreen(TPoint(X, Y));
    FParent->Perform(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTBOTTOMRIGHT), MakeLParam(p.X, p.Y));
    return;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TExFooter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (Screen) Screen->SetCursor(InGripZone(X, Y) ? crSizeNWSE : FOldCursor);
  TCustomControl::MouseMove(Shift, X, Y);
}

void TExFooter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Screen) Screen->SetCursor(FOldCursor);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TExFooter::CMMouseEnter(TMessage& M) {
  if (Screen && Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
  TCustomControl::CMMouseEnter(M);
}

void TExFooter::CMMouseLeave(TMessage& M) {
  if (Screen) Screen->SetCursor(FOldCursor);
  TCustomControl::CMMouseLeave(M);
}
