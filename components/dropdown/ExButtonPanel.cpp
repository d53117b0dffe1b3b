#include "components/dropdown/ExButtonPanel.h"

#include <algorithm>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ATXPVS.h"

// --- TButtonItem -----------------------------------------------------------------------------------

TButtonItem::TButtonItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TButtonItem::~TButtonItem() = default;

void TButtonItem::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TButtonItem*>(Source)) {
    FCaption = S->FCaption;
    FCaptionColor = S->FCaptionColor;
    FTag = S->FTag;
    FImageIndex = S->FImageIndex;
    FImage->Assign(S->FImage->Graphic() ? static_cast<TPersistent*>(S->FImage.get()) : nullptr);
    FEnabled = S->FEnabled;
    FName = S->FName;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TButtonItem::SetCaption(const String& Value) {
  if (FCaption != Value) FCaption = Value;
}

void TButtonItem::SetCaptionColor(TColor Value) {
  if (FCaptionColor != Value) FCaptionColor = Value;
}

void TButtonItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TButtonItem::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

// --- TButtonItems ----------------------------------------------------------------------------------

TButtonItems::TButtonItems(TCustomButtonPanel* AOwner)
    : TCollection([](TCollection* C) { return new TButtonItem(C); }), FMyOwner(AOwner) {}

TButtonItem* TButtonItems::Add() { return static_cast<TButtonItem*>(TCollection::Add()); }

TButtonItem* TButtonItems::Insert(Integer Index) {
  return static_cast<TButtonItem*>(TCollection::Insert(Index));
}

TButtonItem* TButtonItems::Items(Integer Index) const {
  return static_cast<TButtonItem*>(TCollection::Items(Index));
}

void TButtonItems::SetItems(Integer Index, TButtonItem* Value) { Items(Index)->Assign(Value); }

TPersistent* TButtonItems::GetOwner() { return FMyOwner; }

// --- TButtonAppearance -----------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance()
    : TButtonFaceColors({.BorderColor = 0, .BorderColorHot = 0, .BorderColorDown = 0, .BorderColorChecked = 0xFF0000,
                         .Color = 0x9A915F, .ColorTo = 0xB0A170, .ColorDown = 0x4B2F08, .ColorDownTo = 0xADB514,
                         .ColorHot = 0x9F6F1C, .ColorHotTo = 0xD5C244,
                         .ColorChecked = ShadeColor(0xF5F0E1, -10, -10, 0),
                         .ColorCheckedTo = ShadeColor(0xF9D2B2, -10, -10, 0),
                         .ColorDisabled = ShadeColor(0xFFFFFF, -5, -5, -5),
                         .ColorDisabledTo = ShadeColor(0xFFFFFF, -5, -5, -5)}),
      FFont(std::make_unique<TFont>()) {
  FFont->SetSize(10);
  FFont->SetStyle(TFontStyles{fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TButtonAppearance*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  if (S == this) return;
  AssignFaceColors(*S);
  FShineColor = S->FShineColor;
  FGlowColorHot = S->FGlowColorHot;
  FGlowColorDown = S->FGlowColorDown;
  SetTextColor(S->FTextColor);
  SetSpecialTextColor(S->FSpecialTextColor);
  FFont->Assign(S->FFont.get());
}

// --- TCustomButtonPanel ----------------------------------------------------------------------------

namespace {

struct TCalcKey {
  const char16_t* Caption;
  const char16_t* Name;
  Integer Tag;
  bool Special;
  Integer Row;
  Integer Col;  // -1: a key of row 0 beside column 0 (laid out apart)
};

// The calculator keys in collection order.
const TCalcKey kCalcKeys[28] = {
    {u"", u"BTN_ON", 30, false, 0, 0},        {u"Back", u"BTN_BACK", 31, true, 0, -1},
    {u"CE", u"BTN_CE", 32, true, 0, -1},      {u"C", u"BTN_C", 16, true, 0, -1},
    {u"MC", u"BTN_MC", 33, true, 1, 0},       {u"MR", u"BTN_MR", 34, true, 2, 0},
    {u"MS", u"BTN_MS", 35, true, 3, 0},       {u"M+", u"BTN_M+", 36, true, 4, 0},
    {u"0", u"BTN_0", 0, false, 4, 1},         {u"1", u"BTN_1", 1, false, 3, 1},
    {u"4", u"BTN_4", 4, false, 2, 1},         {u"7", u"BTN_7", 7, false, 1, 1},
    {u"8", u"BTN_8", 8, false, 1, 2},         {u"5", u"BTN_5", 5, false, 2, 2},
    {u"2", u"BTN_2", 2, false, 3, 2},         {u"+/-", u"BTN_+/-", 14, false, 4, 2},
    {u".", u"BTN_.", 15, false, 4, 3},        {u"3", u"BTN_3", 3, false, 3, 3},
    {u"6", u"BTN_6", 6, false, 2, 3},         {u"9", u"BTN_9", 9, false, 1, 3},
    {u"/", u"BTN_/", 13, true, 1, 4},         {u"*", u"BTN_*", 12, true, 2, 4},
    {u"-", u"BTN_-", 11, true, 3, 4},         {u"+", u"BTN_+", 10, true, 4, 4},
    {u"=", u"BTN_=", 17, true, 4, 5},         {u"1/x", u"BTN_1/x", 38, false, 3, 5},
    {u"%", u"BTN_%", 18, false, 2, 5},        {u"sqrt", u"BTN_sqrt", 37, true, 1, 5},
};

// A canvas without a surface: it only measures text.
TCanvas& MeasureCanvas() {
  static TCanvas C;
  return C;
}

}  // namespace

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
  FButtonAppearance->OnChange = [this](TObject* S) { AppearanceChanged(S); };
  SetDoubleBuffered(true);
}

TCustomButtonPanel::~TCustomButtonPanel() {
  FButtonAppearance->OnChange = nullptr;
  if (FImages) FImages->RemoveFreeNotification(this);
  if (FEdit) FEdit->RemoveFreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
  if (FButtonPanelType == Value) return;
  FButtonPanelType = Value;
  ArrangeButtons();
}

void TCustomButtonPanel::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value) {
  if (FEdit == Value) return;
  if (FEdit) FEdit->RemoveFreeNotification(this);
  FEdit = Value;
  if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetExDropDown(TExCustomDropDown* Value) {
  if (FExDropDown != Value) FExDropDown = Value;
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove || HasState(csDestroying)) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::Loaded() {
  TCustomControl::Loaded();
  if (!FExDropDown) InitButtons();
}

void TCustomButtonPanel::AppearanceChanged(TObject*) {
  if (!FExDropDown) Invalidate();
}

void TCustomButtonPanel::GetPanelRect(TRect& R) {
  R = ClientRect();
  R.Left += FOffSetX;
  R.Right -= FOffSetX;
  R.Top += FOffSetY;
  R.Bottom -= FOffSetY;
}

void TCustomButtonPanel::GetButtonSize(Integer& AWidth, Integer& AHeight) {
  TCanvas& M = MeasureCanvas();
  M.Font()->Assign(FButtonAppearance->Font());
  Integer TW = 0, TH = 0, GW = 0, GH = 0;
  for (Integer I = 0; I < FButtons->Count(); ++I) {
    TButtonItem* B = FButtons->Items(I);
    TSize S;
    GetTextSize(&M, B->Caption(), S);
    TW = std::max(TW, S.cx);
    TH = std::max(TH, S.cy);
    if (TGraphic* G = B->Image()->Graphic(); G && !G->Empty()) {
      GW = std::max(GW, G->Width());
      GH = std::max(GH, G->Height());
    } else if (FImages && B->ImageIndex() >= 0) {
      GW = std::max(GW, FImages->Width());
      GH = std::max(GH, FImages->Height());
    }
  }
  const Integer Gap = (GW > 0 && TW > 0) ? FCaptionGap : 0;
  if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
    AWidth = 2 * FButtonOffSetX + GW + Gap + TW;
    AHeight = 2 * FButtonOffSetY + std::max(GH, TH);
  } else {
    AWidth = 2 * FButtonOffSetX + std::max(GW, TW);
    AHeight = 2 * FButtonOffSetY + GH + ((GH > 0 && TH > 0) ? FCaptionGap : 0) + TH;
  }
}

void TCustomButtonPanel::ClearButtons() {
  FButtonHot = -1;
  FButtonDown = -1;
  FButtons->Clear();
}

void TCustomButtonPanel::ResetButtons() {
  ClearButtons();
  InitButtons();
}

void TCustomButtonPanel::InitButtons() {
  if (FButtons->Count() > 0) return;
  if (FButtonPanelType == plCalculator) {
    for (const TCalcKey& K : kCalcKeys) {
      TButtonItem* B = FButtons->Add();
      B->SetCaption(K.Caption);
      B->SetName(K.Name);
      B->SetTag(K.Tag);
      if (K.Special) {
        B->SetSpecial(true);
        B->SetCaptionColor(0x000080);
      }
    }
  }
  ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons() {
  if (FButtons->Count() == 0 || FButtonPanelType == plCustom) return;
  TRect R;
  GetPanelRect(R);
  constexpr Integer G = 4;
  const Integer C = (R.Width() - 2 * G) / 6;
  const Integer D = (R.Height() - G) / 5;
  Integer RowTop[5];
  RowTop[0] = R.Top;
  RowTop[1] = R.Top + D + G;
  for (Integer I = 2; I < 5; ++I) RowTop[I] = RowTop[I - 1] + D - 1;
  Integer ColLeft[6];
  ColLeft[0] = R.Left;
  ColLeft[1] = ColLeft[0] + C + G;
  ColLeft[2] = ColLeft[1] + C - 1;
  ColLeft[3] = ColLeft[2] + C - 1;
  ColLeft[4] = ColLeft[3] + C + G;
  ColLeft[5] = ColLeft[4] + C - 1;
  const Integer E = ColLeft[5] + C;
  const Integer X = ColLeft[0] + C + G;
  const Integer W = (E - X - 2 * G) / 3;
  const Integer N = std::min<Integer>(FButtons->Count(), 28);
  for (Integer I = 0; I < N; ++I) {
    const TCalcKey& K = kCalcKeys[I];
    TButtonItem* B = FButtons->Items(I);
    if (K.Col >= 0) {
      B->SetBounds(ColLeft[K.Col], RowTop[K.Row], C, D);
    } else if (I == 1) {
      B->SetBounds(X, RowTop[0], W, D);
    } else if (I == 2) {
      B->SetBounds(X + W + G, RowTop[0], W, D);
    } else {
      const Integer L = X + 2 * W + 2 * G;
      B->SetBounds(L, RowTop[0], E - L, D);
    }
  }
}

Integer TCustomButtonPanel::ButtonAtPos(Integer X, Integer Y) const {
  for (Integer I = 0; I < FButtons->Count(); ++I)
    if (PtInRect(FButtons->Items(I)->ButtonRect(), TPoint(X, Y))) return I;
  return -1;
}

void TCustomButtonPanel::InvalidateButton(Integer Index) {
  if (!ValidIndex(Index)) return;
  // The whole control repaints; the key's neighbourhood is part of it.
  Invalidate();
}

void TCustomButtonPanel::ButtonClick(Integer Index) {
  if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::SetHotButton(Integer Index) {
  if (Index == FButtonHot) return;
  if (ValidIndex(Index) && !FButtons->Items(Index)->Enabled()) return;
  if (FButtonHot >= 0) {
    const Integer Old = FButtonHot;
    FButtonHot = -1;
    InvalidateButton(Old);
  }
  FButtonHot = Index;
  if (ValidIndex(Index)) DrawButton(Index, Canvas());
}

void TCustomButtonPanel::SetDownButton(Integer Index) {
  if (Index == FButtonDown) return;
  if (ValidIndex(Index) && !FButtons->Items(Index)->Enabled()) return;
  if (FButtonDown >= 0) {
    const Integer Old = FButtonDown;
    FButtonDown = -1;
    InvalidateButton(Old);
  }
  FButtonDown = Index;
  if (ValidIndex(Index)) DrawButton(Index, Canvas());
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  const Integer I = ButtonAtPos(X, Y);
  if (I >= 0 && FButtons->Items(I)->Enabled()) SetDownButton(I);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const Integer I = ButtonAtPos(X, Y);
  if (I < 0) {
    if (FButtonHot >= 0) SetHotButton(-1);
  } else if (I != FButtonHot) {
    SetHotButton(FButtons->Items(I)->Enabled() ? I : -1);
  }
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FButtonDown < 0) return;
  const Integer I = ButtonAtPos(X, Y);
  const bool Counted = I >= 0 && I == FButtonDown;
  SetDownButton(-1);
  if (Counted) ButtonClick(I);
}

void TCustomButtonPanel::CMMouseLeave(TMessage& M) {
  TCustomControl::CMMouseLeave(M);
  SetHotButton(-1);
}

void TCustomButtonPanel::WMSize(TMessage& M) {
  TCustomControl::WMSize(M);
  ArrangeButtons();
}

void TCustomButtonPanel::Paint() {
  TCustomControl::Paint();
  TCanvas* C = Canvas();
  if (!FExDropDown) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    C->FrameRect(ClientRect());
  }
  DrawButtons(C);
}

void TCustomButtonPanel::DrawButtons(TCanvas* ACanvas) {
  for (Integer I = 0; I < FButtons->Count(); ++I)
    if (I != FButtonHot) DrawButton(I, ACanvas);
  if (ValidIndex(FButtonHot)) DrawButton(FButtonHot, ACanvas);
}

void TCustomButtonPanel::DrawButtonFace(Integer Index, TCanvas* ACanvas) {
  TButtonItem* B = FButtons->Items(Index);
  const TRect R = B->ButtonRect();
  ACanvas->FillRect(R);
  const bool Disabled = !IsEnabledInTree();
  const Integer State = Disabled ? 4 : Index == FButtonDown ? 3 : Index == FButtonHot ? 2 : 1;
  const HTHEME Theme = DropDownThemeApi.OpenThemeData(Handle(), u"button");
  if (Theme) {
    DropDownThemeApi.DrawThemeBackground(Theme, ACanvas, 1, State, &R, nullptr);
    DropDownThemeApi.CloseThemeData(Theme);
    return;
  }
  // Without a theme the face is a vertical gradient in the appearance's colours of the state,
  // framed in its border colour.
  TButtonAppearance* A = FButtonAppearance.get();
  TColor From = A->Color(), To = A->ColorTo(), Border = A->BorderColor();
  if (Disabled || !B->Enabled()) {
    From = A->ColorDisabled();
    To = A->ColorDisabledTo();
  } else if (State == 3) {
    From = A->ColorDown();
    To = A->ColorDownTo();
    Border = A->BorderColorDown();
  } else if (State == 2) {
    From = A->ColorHot();
    To = A->ColorHotTo();
    Border = A->BorderColorHot();
  }
  DrawFilledRect(ACanvas, R, From, To, Border, 1, gdVertical);
}

void TCustomButtonPanel::DrawButton(Integer Index, TCanvas* ACanvas) {
  if (!ValidIndex(Index) || !ACanvas) return;
  TButtonItem* B = FButtons->Items(Index);
  if (B->Left() < 0 && B->Left() + B->Width() < 0) return;
  DrawButtonFace(Index, ACanvas);

  TButtonAppearance* A = FButtonAppearance.get();
  ACanvas->Font()->Assign(A->Font());
  ACanvas->Font()->SetColor(B->Special() ? A->SpecialTextColor() : A->TextColor());
  ACanvas->Brush()->SetStyle(bsClear);
  TRect C = B->ButtonRect();
  C.Left += FButtonOffSetX;
  C.Right -= FButtonOffSetX;
  C.Top += FButtonOffSetY;
  C.Bottom -= FButtonOffSetY;

  TGraphic* Pic = B->Image()->Graphic();
  if (Pic && Pic->Empty()) Pic = nullptr;
  const bool FromList = !Pic && FImages && B->ImageIndex() >= 0;
  const bool HasGraphic = Pic || FromList;
  const Integer W = Pic ? Pic->Width() : FromList ? FImages->Width() : 0;
  const Integer H = Pic ? Pic->Height() : FromList ? FImages->Height() : 0;
  auto DrawGraphic = [&](Integer X, Integer Y) {
    if (Pic) ACanvas->Draw(X, Y, Pic);
    else if (FromList) FImages->Draw(ACanvas, X, Y, B->ImageIndex(), B->Enabled());
  };
  const String& Caption = B->Caption();
  TSize TS;
  GetTextSize(ACanvas, Caption, TS);
  const Cardinal Base = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  const Cardinal HAlign = HasGraphic ? DT_LEFT : DT_CENTER;
  switch (FButtonLayout) {
    case ilCaptionRight: {
      if (HasGraphic) DrawGraphic(C.Left, C.Top + (C.Height() - H) / 2);
      TRect T = Rect(C.Left + W + (HasGraphic ? FCaptionGap : 0), C.Top, C.Right, C.Bottom);
      DrawText(ACanvas, Caption, T, Base | HAlign);
      break;
    }
    case ilCaptionLeft: {
      if (!Caption.empty()) {
        TRect T = C;
        T.Right -= W;
        DrawText(ACanvas, Caption, T, Base | HAlign);
      }
      if (HasGraphic)
        DrawGraphic(Caption.empty() ? C.Left : C.Left + TS.cx + FCaptionGap, C.Top + (C.Height() - H) / 2);
      break;
    }
    case ilCaptionTop: {
      if (!Caption.empty()) {
        TRect T = C;
        T.Bottom -= H;
        DrawText(ACanvas, Caption, T, Base | DT_CENTER);
      }
      if (HasGraphic)
        DrawGraphic(C.Left, Caption.empty() ? C.Top + (C.Height() - H) / 2 : C.Top + TS.cy + FCaptionGap);
      break;
    }
    case ilCaptionBottom: {
      TRect T = C;
      if (HasGraphic) {
        const Integer Top = Caption.empty() ? C.Top + (C.Height() - H) / 2 : C.Top;
        DrawGraphic(C.Left, Top);
        T.Top = Top + H + FCaptionGap;
      }
      DrawText(ACanvas, Caption, T, Base | DT_CENTER);
      break;
    }
  }
  ACanvas->Brush()->SetStyle(bsSolid);
}
