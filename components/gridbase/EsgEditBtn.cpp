#include "components/gridbase/EsgEditBtn.h"

#include <algorithm>
#include <climits>

#include "components/gridbase/ExXPVS.h"
#include "platform/gui/Menus.h"

// --- TExSpeedButton --------------------------------------------------------------------------------

TEsgEditButton* TExSpeedButton::Part() const { return dynamic_cast<TEsgEditButton*>(Owner()); }

void TExSpeedButton::SetIsWinXP(bool Value) {
  if (Value == FIsWinXP) return;
  FIsWinXP = Value;
  Invalidate();
}

void TExSpeedButton::CMMouseEnter(TMessage& M) {
  TSpeedButton::CMMouseEnter(M);
  FHot = true;
  Invalidate();
}

void TExSpeedButton::CMMouseLeave(TMessage& M) {
  TSpeedButton::CMMouseLeave(M);
  FHot = false;
  Invalidate();
}

void TExSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  TEsgEditButton* part = Part();
  bool painted = false;

  if (part && part->ButtonColor() != clNone) {
    // Custom colours paint flat.
    FFlat = true;
    TColor fill = part->ButtonColor();
    if (FHot) fill = part->ButtonColorHot();
    if (pressed) fill = part->ButtonColorDown();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    painted = true;
  } else if (FIsWinXP && ThemeApi.IsThemeActive()) {
    if (HTHEME theme = ThemeApi.OpenThemeData(FParent ? FParent->Handle() : 0, u"button")) {
      const Integer state = pressed ? 3 : FHot ? 2 : 1;
      ThemeApi.DrawThemeBackground(theme, c, 1, state, &r, nullptr);
      ThemeApi.CloseThemeData(theme);
      painted = true;
    }
  }
  if (!painted) {
    if (FFlat) {
      TRect e = r;
      DrawEdge(c, e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
      InflateRect(r, -1, -1);
    } else {
      DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    }
  }

  const Integer down = FState == bsDown ? 1 : 0;
  if (!FGlyph->Empty()) {
    TBitmap image;
    ExtractGlyphImage(0, image);
    const Integer x = image.Width() < FWidth ? (FWidth - image.Width()) / 2 : 0;
    const Integer y = image.Height() < FHeight ? (FHeight - image.Height()) / 2 : 0;
    c->Draw(x + down, y + down, &image);
  }
  const String caption = Caption();
  if (!caption.empty()) {
    c->Font()->Assign(Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    OffsetRect(r, down, down);
    DrawText(c, caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// --- TEsgEditButton --------------------------------------------------------------------------------

TEsgEditButton::TEsgEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = (FControlStyle & ~static_cast<uint32_t>(csAcceptsControls | csSetCaption)) | csOpaque;
  FButton = new TExSpeedButton(this);
  // The part's own release handler clicks; the speed button's click does nothing.
  FButton->OnClick = [](TObject*) {};
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    BtnMouseUp(Sender, Button, Shift, X, Y);
  };
  FButton->SetVisible(true);
  FButton->SetEnabled(true);
  FButton->SetParent(this);
  FButton->SetCaption(String());
  FButton->SetGlyph(nullptr);
  SetBounds(FLeft, FTop, 20, 25);
}

void TEsgEditButton::CoverWithButton() {
  if (!FButton || HasState(csLoading)) return;
  FButton->SetBounds(0, 0, FWidth, FHeight);
}

void TEsgEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CoverWithButton();
}

void TEsgEditButton::WMSize(TMessage& M) {
  TWinControl::WMSize(M);
  CoverWithButton();
  M.Result = 0;
}

void TEsgEditButton::Loaded() {
  TWinControl::Loaded();
  CoverWithButton();
}

void TEsgEditButton::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TEsgEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TEsgEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->SetFlat(Value);
}

void TEsgEditButton::SetButtonColor(TColor Value) {
  FButtonColor = Value;
  FButton->Invalidate();
}

void TEsgEditButton::SetButtonColorHot(TColor Value) {
  FButtonColorHot = Value;
  FButton->Invalidate();
}

void TEsgEditButton::SetButtonColorDown(TColor Value) {
  FButtonColorDown = Value;
  FButton->Invalidate();
}

void TEsgEditButton::BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  (void)Sender, (void)Shift, (void)X, (void)Y;
  if (Button != mbLeft) return;
  if (OnClick) OnClick(this);
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (FTabStop && !Focused() && CanFocus())
    SetFocus();
}

// --- TEsgEditBtn -----------------------------------------------------------------------------------

TEsgEditBtn::TEsgEditBtn(TComponent* AOwner) : TEsgPartEdit(AOwner, 18, 18) {
  FButton->OnClick = [this](TObject* Sender) { DoClickBtn(Sender); };
  Finish_Construction();
}

void TEsgEditBtn::CreateParams() { SetAlignment(FRightAlign ? taRightJustify : taLeftJustify); }

void TEsgEditBtn::SetRightAlign(bool Value) {
  if (Value == FRightAlign) return;
  FRightAlign = Value;
  CreateParams();
  CreateWnd();
}

void TEsgEditBtn::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  if (FButton) FButton->Button()->SetIsWinXP(Value);
}

void TEsgEditBtn::SetButtonWidth(Integer Value) {
  FButtonWidth = Value;
  if (!FButton) return;
  FButton->SetWidth(Value);
  // The part keeps to the right edge at its new width.
  Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
}

void TEsgEditBtn::DoClickBtn(TObject* Sender) {
  if (OnClickBtn) OnClickBtn(Sender);
}

void TEsgEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  const bool modifier = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_LMENU) < 0 || GetKeyState(VK_RMENU) < 0 ||
                        GetKeyState(VK_MENU) < 0;
  if (Key == VK_F4 && !modifier) DoClickBtn(this);
}

void TEsgEditBtn::KeyPress(Char& Key) { TCustomMaskEdit::KeyPress(Key); }

void TEsgEditBtn::WMChar(TMessage& M) {
  if (!FEditorEnabled) return;
  TCustomMaskEdit::WMChar(M);
}

void TEsgEditBtn::CMEnter(TMessage& M) {
  if (AutoSelect() && !(FControlState & csLButtonDown)) SelectAll();
  TCustomMaskEdit::CMEnter(M);
}

Integer TEsgEditBtn::MinHeight() const {
  const Integer f = FontCellHeight();
  return f + std::min(SystemFontCellHeight(), f) / 4;
}

void TEsgEditBtn::SetEditRect() {
  if (!FButton) return;
  const Integer m = BorderStyle() == bsNone ? 3 : 1;
  TRect r = Rect(m, m, ClientWidth() - FButton->Width() - 5 - FUnitSize, ClientHeight() + 1);
  if (FUnitSize > 0) r.Right -= 3;
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

// --- TEsgUnitEditBtn -------------------------------------------------------------------------------

TEsgUnitEditBtn::TEsgUnitEditBtn(TComponent* AOwner)
    : TEsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitSize = 20;
  SetRightAlign(true);
  SetEditRect();
}

TEsgUnitEditBtn::~TEsgUnitEditBtn() = default;

void TEsgUnitEditBtn::SetUnits(TStrings* Value) {
  if (Value) FUnits->Assign(Value);
}

void TEsgUnitEditBtn::SetUnitID(const String& Value) {
  FUnitID = Value;
  Invalidate();
}

void TEsgUnitEditBtn::SetUnitSpace(Integer Value) {
  FUnitSize = Value;
  SetEditRect();
  Invalidate();
}

String TEsgUnitEditBtn::TextAndUnit() const { return Text() + FUnitID; }

void TEsgUnitEditBtn::SetTextAndUnit(const String& Value) {
  for (Integer i = 0; i < FUnits->Count(); ++i) {
    const String u = FUnits->Get(i);
    const Integer p = Pos(u, Value);
    // The unit must end the value where it first occurs.
    if (p > 0 && p == Length(Value) - Length(u) + 1) {
      SetText(Copy(Value, 1, p - 1));
      SetUnitID(Copy(Value, p, INT_MAX));
      return;
    }
  }
}

void TEsgUnitEditBtn::DoClickBtn(TObject* Sender) {
  (void)Sender;
  if (OnClickBtn) OnClickBtn(this);
  if (FUnits->Count() == 0) return;  // an empty menu shows nothing
  std::vector<TRawMenuEntry> entries;
  for (Integer i = 0; i < FUnits->Count(); ++i) {
    TRawMenuEntry e;
    e.Caption = FUnits->Get(i);
    e.Id = static_cast<Word>(i + 1);
    entries.push_back(e);
  }
  const TPoint o = ClientOrigin();
  TrackPopupMenu(entries, Point(o.X + ClientWidth() - 15, o.Y + ClientHeight()), this);
}

void TEsgUnitEditBtn::WMCommand(TMessage& M) {
  // Only the unit menu's choices are taken; nothing else passes on.
  const Integer id = M.WParamLo();
  if (M.WParamHi() == EN_CHANGE || id < 1 || id > FUnits->Count()) return;
  const String chosen = FUnits->Get(id - 1);
  const bool changed = FUnitID != chosen;
  SetUnitID(chosen);
  if (changed && OnUnitChanged) OnUnitChanged(this, chosen);
}

void TEsgUnitEditBtn::Invalidate() {
  TEsgEditBtn::Invalidate();
  if (!HasState(csDestroying)) Perform(WM_PAINT, 0, 0);
}

void TEsgUnitEditBtn::WMPaint(TMessage& M) {
  TEsgEditBtn::WMPaint(M);
  if (FButton) PaintUnit(FWindowImage.Canvas(this));
}

void TEsgUnitEditBtn::PaintUnit(TCanvas* C) {
  const Integer partWidth = FButton->Width();
  TRect r = Rect(ClientWidth() - partWidth - 3 - FUnitSize, 2, ClientWidth() - partWidth - 3, ClientHeight());
  C->Font()->Assign(Font());
  C->Font()->SetColor(clWindowText);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clWindow);
  C->SetBkMode(OPAQUE);
  C->SetBkColor(clWindow);
  DrawText(C, FUnitID, r, DT_RIGHT | DT_EDITCONTROL | DT_SINGLELINE);
}
