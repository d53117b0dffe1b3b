// The search panel and its edit: creation, layout, the buttons' glyphs and the settings the grid
// hands over. Painting and the grid side (UpdateSearchPanel) are in ExGridSearchPanelUpdate.cpp;
// this source reaches the grid only through the panel's events, so it can include the button's
// header, whose enumerations the grid's vocabulary also declares.
#include "components/grid/ExGridSearchPanel.h"

#include <mutex>

#include "components/dropdown/ExDropDown.h"  // DrawGradient
#include "components/gridbase/ExCheckBox.h"
#include "components/gridbase/ExGridButton.h"

namespace {

constexpr TColor GlyphKey = clFuchsia;

// A 16 x 16 glyph on the key colour.
struct TPanelGlyph {
  TBitmap Bmp{16, 16};
  TCanvas* C = Bmp.Canvas();
  TPanelGlyph() {
    C->Brush()->SetColor(GlyphKey);
    C->FillRect(TRect(0, 0, 16, 16));
    C->Pen()->SetWidth(1);
  }
  // A filled triangle pointing down (Down) or up, in Color.
  TPanelGlyph& Arrow(bool Down, TColor Color) {
    C->Pen()->SetColor(Color);
    for (Integer i = 0; i < 5; ++i) {
      const Integer Y = Down ? 5 + i : 10 - i;
      C->MoveTo(3 + i, Y);
      C->LineTo(13 - i, Y);
    }
    return *this;
  }
  // A cross of side 8 in Color, on a square of Back when that is not the key.
  TPanelGlyph& Cross(TColor Color, TColor Back) {
    if (Back != GlyphKey) {
      C->Brush()->SetColor(Back);
      C->FillRect(TRect(3, 3, 13, 13));
    }
    C->Pen()->SetColor(Color);
    for (Integer d = 0; d < 2; ++d) {
      C->MoveTo(4 + d, 4);
      C->LineTo(12 + d, 12);
      C->MoveTo(11 + d, 4);
      C->LineTo(3 + d, 12);
    }
    return *this;
  }
  // A marker pen: a slanted body with a coloured tip.
  TPanelGlyph& Marker(TColor Body, TColor Tip) {
    C->Pen()->SetColor(Body);
    for (Integer d = 0; d < 3; ++d) {
      C->MoveTo(6 + d, 12);
      C->LineTo(13 + d, 5);
    }
    C->Pen()->SetColor(Tip);
    C->MoveTo(3, 13);
    C->LineTo(8, 13);
    C->MoveTo(4, 12);
    C->LineTo(7, 12);
    return *this;
  }
};

// The panel's glyphs, registered once under their resource names. The close glyph "ESGCLOSE" is
// one of the grid's own resources, which the grid registers before its windows are made.
void RegisterSearchPanelGlyphs() {
  static std::once_flag Once;
  std::call_once(Once, [] {
    RegisterBitmapResource(u"ESGARDOWN", TPanelGlyph().Arrow(true, clBlack).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGARDOWND", TPanelGlyph().Arrow(true, clGray).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGARUP", TPanelGlyph().Arrow(false, clBlack).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGARUPD", TPanelGlyph().Arrow(false, clGray).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGCLOSEH", TPanelGlyph().Cross(clBlack, 0x00E0C0A0).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGCLOSED", TPanelGlyph().Cross(clWhite, 0x00A06040).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGHI", TPanelGlyph().Marker(clBlack, 0x0000FFFF).Bmp.SaveToMemory());
    RegisterBitmapResource(u"ESGHID", TPanelGlyph().Marker(clGray, clSilver).Bmp.SaveToMemory());
  });
}

// The glyph of a resource name; an empty bitmap when the resource is missing.
void LoadGlyph(TExGridButton* Button, void (TExGridButton::*Setter)(TBitmap*), const String& Name) {
  TBitmap Bmp;
  try {
    Bmp.LoadFromResourceName(Name);
  } catch (const Exception&) {
    return;
  }
  (Button->*Setter)(&Bmp);
}

}  // namespace

// --- TRetEdit ------------------------------------------------------------------------------------

TRetEdit::TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TRetEdit::WMKeyDown(TMessage& M) {
  if (M.WParam == VK_RETURN) {
    if (GetKeyState(VK_CONTROL) < 0) {
      if (OnCtrlReturn) OnCtrlReturn(this);
    } else if (OnReturn) {
      OnReturn(this);
    }
    return;
  }
  TEdit::WMKeyDown(M);
}

void TRetEdit::WMChar(TMessage& M) {
  if (M.WParam == 13 || M.WParam == 10) {
    Char Key = static_cast<Char>(M.WParam);
    if (OnKeyPress) OnKeyPress(this, Key);
    return;
  }
  TEdit::WMChar(M);
}

void TRetEdit::WMGetDlgCode(TMessage& M) {
  TEdit::WMGetDlgCode(M);
  M.Result |= DLGC_WANTALLKEYS;
}

// --- TSearchPanel --------------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TComponent* AOwner) : TCustomPanel(AOwner), FGrid(GridOf(AOwner)) {
  FBevelOuter = bvNone;
  FShowCaption = false;
  RegisterSearchPanelGlyphs();

  FEditControl = new TRetEdit(this);
  FEditControl->SetParent(this);
  FForwardButton = new TExGridButton(this);
  FForwardButton->SetParent(this);
  FBackwardButton = new TExGridButton(this);
  FBackwardButton->SetParent(this);
  FExitButton = new TExGridButton(this);
  FExitButton->SetParent(this);
  FHiliteButton = new TExGridButton(this);
  FHiliteButton->SetParent(this);
  FMatchCase = new TExCheckBox(this);
  FMatchCase->SetParent(this);
  FColorTo = clNone;

  FEditControl->OnChange = [this](TObject* S) { EditChanged(S); };
  FEditControl->OnReturn = [this](TObject* S) { ForwardClick(S); };
  FEditControl->OnCtrlReturn = [this](TObject* S) { BackwardClick(S); };
  FEditControl->OnKeyPress = [](TObject*, Char&) {};
  FForwardButton->OnClick = [this](TObject* S) { ForwardClick(S); };
  FBackwardButton->OnClick = [this](TObject* S) { BackwardClick(S); };
  FExitButton->OnClick = [this](TObject* S) { ExitClick(S); };
  FHiliteButton->OnClick = [this](TObject* S) { HighlightClick(S); };
}

void TSearchPanel::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

bool TSearchPanel::HighlightDown() const { return FHiliteButton->Down(); }

bool TSearchPanel::MatchCaseChecked() const { return FMatchCase->Checked(); }

void TSearchPanel::CreateWnd() {
  FEditControl->SetBounds(25, 6, 110, FEditControl->Height());

  auto SetHint = [](TControl* C, const String& Hint) {
    C->SetHint(Hint);
    C->SetShowHint(!Hint.empty());
  };

  FForwardButton->SetBounds(140, 5, 90, 23);
  FForwardButton->SetCaption(FFindNextCaption);
  SetHint(FForwardButton, FHintFindNext);
  LoadGlyph(FForwardButton, &TExGridButton::SetGlyph, u"ESGARDOWN");
  LoadGlyph(FForwardButton, &TExGridButton::SetGlyphDisabled, u"ESGARDOWND");
  FForwardButton->SetEnabled(false);
  FForwardButton->SetParentFont(true);

  FBackwardButton->SetBounds(235, 5, 90, 23);
  FBackwardButton->SetCaption(FFindPrevCaption);
  SetHint(FBackwardButton, FHintFindPrev);
  LoadGlyph(FBackwardButton, &TExGridButton::SetGlyph, u"ESGARUP");
  LoadGlyph(FBackwardButton, &TExGridButton::SetGlyphDisabled, u"ESGARUPD");
  FBackwardButton->SetEnabled(false);
  FBackwardButton->SetParentFont(true);

  FExitButton->SetBounds(5, 7, 14, 14);
  FExitButton->SetCaption(String());
  SetHint(FExitButton, FHintClose);
  LoadGlyph(FExitButton, &TExGridButton::SetGlyph, u"ESGCLOSE");
  LoadGlyph(FExitButton, &TExGridButton::SetGlyphHot, u"ESGCLOSEH");
  LoadGlyph(FExitButton, &TExGridButton::SetGlyphDown, u"ESGCLOSED");
  FExitButton->SetParentFont(true);

  FHiliteButton->SetBounds(330, 5, 90, 23);
  FHiliteButton->SetCaption(FHighLightCaption);
  SetHint(FHiliteButton, FHintHighlight);
  FHiliteButton->Font()->SetStyle(TFontStyles());
  FHiliteButton->SetStyle(tasCheck);
  LoadGlyph(FHiliteButton, &TExGridButton::SetGlyph, u"ESGHI");
  LoadGlyph(FHiliteButton, &TExGridButton::SetGlyphDisabled, u"ESGHID");
  FHiliteButton->SetEnabled(false);
  FHiliteButton->SetParentFont(true);

  FMatchCase->SetCaption(FMatchCaseCaption);
  FMatchCase->SetBounds(FHiliteButton->Visible() ? 425 : 330, 8, FMatchCase->Width(), FMatchCase->Height());

  NotifyCreated();
}

void TSearchPanel::ApplySettings(const TSearchPanelSettings& S) {
  SetColor(S.Color);
  SetColorTo(S.ColorTo);
  SetVisible(S.Visible);

  FFindNextCaption = S.FindNextCaption;
  FFindPrevCaption = S.FindPrevCaption;
  FMatchCaseCaption = S.MatchCaseCaption;
  FHighLightCaption = S.HighLightCaption;
  FForwardButton->SetCaption(FFindNextCaption);
  FBackwardButton->SetCaption(FFindPrevCaption);
  FMatchCase->SetCaption(FMatchCaseCaption);
  FHiliteButton->SetCaption(FHighLightCaption);
  FHintFindNext = S.HintFindNext;
  FHintFindPrev = S.HintFindPrev;
  FHintClose = S.HintClose;
  FHintHighlight = S.HintHighlight;
  if (S.Font) Font()->Assign(S.Font);

  TExGridButton* Buttons[] = {FForwardButton, FBackwardButton, FHiliteButton};
  for (TExGridButton* B : Buttons) {
    switch (S.ButtonLook) {
      case 0: B->SetFlat(true); break;
      case 1:
        B->SetAutoXPStyle(true);
        B->SetFlat(false);
        break;
      case 2:
        B->SetAutoXPStyle(false);
        B->SetFlat(false);
        break;
      default: break;
    }
    if (S.AutoThemeAdapt) {
      B->SetAutoThemeAdapt(true);
      B->SetFlat(true);
    }
  }

  FHiliteButton->SetVisible(S.ShowHighLight);
  FExitButton->SetVisible(S.ShowClose);
  FMatchCase->SetVisible(S.ShowMatchCase);
  FMatchCase->SetTransparent(true);
  FBackwardButton->SetVisible(S.ShowFindPrev);
  FForwardButton->SetVisible(S.ShowFindNext);

  const std::pair<TControl*, const String*> Hints[] = {{FForwardButton, &FHintFindNext},
                                                        {FBackwardButton, &FHintFindPrev},
                                                        {FExitButton, &FHintClose},
                                                        {FHiliteButton, &FHintHighlight}};
  for (const auto& [C, Hint] : Hints) {
    C->SetHint(*Hint);
    C->SetShowHint(!Hint->empty());
  }

  FMatchCase->SetLeft(FHiliteButton->Visible() ? 425 : 330);
  for (TExGridButton* B : Buttons) B->SetHeight(B->Visible() ? 23 : 0);
  FMatchCase->SetHeight(FMatchCase->Visible() ? 18 : 0);

  if (S.Visible) {
    SetHeight(32);
    SetTop(S.Top);
  } else {
    SetHeight(0);
  }
}

void TSearchPanel::Paint() {
  TCustomPanel::Paint();
  TCanvas* C = Canvas();
  const TRect R = ClientRect();
  if (FColorTo == clNone) {
    C->Brush()->SetColor(Color());
    C->FillRect(R);
  } else {
    DrawGradient(C, Color(), FColorTo, 32, R, false);
  }
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(GridLineColorOf(FGrid));
  C->MoveTo(0, 0);
  C->LineTo(Width(), 0);
}

void TSearchPanel::EditChanged(TObject*) {
  const bool HasText = !FEditControl->Text().empty();
  FForwardButton->SetEnabled(HasText);
  FBackwardButton->SetEnabled(HasText);
  FHiliteButton->SetEnabled(HasText);
  if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::ForwardClick(TObject*) {
  if (OnForwardClick) OnForwardClick(this);
}

void TSearchPanel::BackwardClick(TObject*) {
  if (OnBackwardClick) OnBackwardClick(this);
}

void TSearchPanel::ExitClick(TObject*) {
  if (OnExitClick) OnExitClick(this);
}

void TSearchPanel::HighlightClick(TObject*) {
  if (OnHighLightClick) OnHighLightClick(this);
}
