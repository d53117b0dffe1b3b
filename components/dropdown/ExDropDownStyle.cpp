// The colour styles of the drop-down editors: the sixteen component styles applied to the popup,
// the header and footer bands and their push buttons; the colour tones of the drop button; the
// selection colour styles and the selection and gradient backgrounds of list-like popups.
#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ExUtil.h"

namespace {

// "Keep the current value" in the style table.
constexpr TColor Kept = static_cast<TColor>(0x7FFFFFFF);
// The system caption colour the Windows XP style presses its buttons in.
constexpr TColor DownCaptionColor = static_cast<TColor>(0xFF000003);

struct TPopupStyle {
  TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
  TColor HeaderColor, HeaderColorTo, FooterColor, FooterColorTo;
  TColor FontColor, HeaderBorder, FooterBorder;
};

struct TButtonStyleColors {
  TColor Color, ColorTo, BorderColor;
  TColor ColorHot, ColorHotTo, BorderColorHot;
  TColor ColorDown, ColorDownTo, BorderColorDown;
  TColor ColorDisabled, ColorDisabledTo;
  TColor ColorChecked, ColorCheckedTo, BorderColorChecked;
};

// Indexed by TNorvStyle; the tsCustom row is never used.
const TPopupStyle PopupStyles[16] = {
    {0xFFFFFF, clNone, Kept, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0x962D00},
    {0xFFFFFF, clNone, Kept, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0x947C7C},
    {0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0x588060},
    {0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
    {0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF},
    {0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C},
    {0xFFFFFF, clNone, Kept, 0xFFFFFF, clBtnFace, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, 0x808080},
    {0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00},
    {Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept},
    {0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA, 0xFCF2DA},
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFBD6B8},
    {0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0x000000, clNone, clNone},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xC7B29F},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xD2CDC8},
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0x6D6D6D},
};

// The hot, down, disabled and checked colours the office styles share.
#define OFFICE_SET 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define OFFICE2010_SET 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE

const TButtonStyleColors ButtonStyles[16] = {
    {0xFCE1CB, 0xE0A57D, clNone, OFFICE_SET},
    {0xECE2E1, 0xB39698, clNone, OFFICE_SET},
    {0xCFF0EA, 0x8CC0B1, clNone, OFFICE_SET},
    {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4,
     0xD8D5D4, 0xD8D5D4, 0x808080},
    {0xFFEFE3, 0xFFDDC4, clNone, OFFICE_SET},
    {0xF2F1F0, 0xC9C2BD, clNone, OFFICE_SET},
    {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, DownCaptionColor, DownCaptionColor, clHighlight,
     0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {0xFFFFFF, 0xDFEDF0, clNone, OFFICE_SET},
    {Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept, Kept},
    {0xF9F8F8, 0xE4E2DF, clNone, OFFICE_SET},
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace,
     clBtnFace, clBtnFace, clBtnFace, clHighlight},
    {0xFDF6EF, 0xF0DAC7, 0xC7B29F, OFFICE2010_SET},
    {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, OFFICE2010_SET},
    {0xBFBFBF, 0x919191, 0xD7D7D6, OFFICE2010_SET},
};

#undef OFFICE_SET
#undef OFFICE2010_SET

}  // namespace

void TExCustomDropDown::SetComponentStyle(TNorvStyle AStyle) {
  FNorvStyle = AStyle;
  if (AStyle == tsCustom || AStyle > tsOffice2010Black) return;
  const TPopupStyle& p = PopupStyles[AStyle];
  FDropDownColor = p.DropDownColor;
  FDropDownColorTo = p.DropDownColorTo;
  if (p.DropDownBorderColor != Kept) FDropDownBorderColor = p.DropDownBorderColor;
  THeaderAppearance* h = FDropDownHeader.get();
  TFooterAppearance* f = FDropDownFooter.get();
  h->SetColor(p.HeaderColor);
  h->SetColorTo(p.HeaderColorTo);
  h->Font()->SetColor(p.FontColor);
  h->SetBorderColor(p.HeaderBorder);
  f->SetColor(p.FooterColor);
  f->SetColorTo(p.FooterColorTo);
  f->Font()->SetColor(p.FontColor);
  f->SetBorderColor(p.FooterBorder);
  const TButtonStyleColors& b = ButtonStyles[AStyle];
  TExButtonAppearance* a = FButtonAppearance.get();
  a->SetColor(b.Color);
  a->SetColorTo(b.ColorTo);
  a->SetBorderColor(b.BorderColor);
  a->SetColorHot(b.ColorHot);
  a->SetColorHotTo(b.ColorHotTo);
  a->SetBorderColorHot(b.BorderColorHot);
  a->SetColorDown(b.ColorDown);
  a->SetColorDownTo(b.ColorDownTo);
  a->SetBorderColorDown(b.BorderColorDown);
  a->SetColorDisabled(b.ColorDisabled);
  a->SetColorDisabledTo(b.ColorDisabledTo);
  a->SetColorChecked(b.ColorChecked);
  a->SetColorCheckedTo(b.ColorCheckedTo);
  a->SetBorderColorChecked(b.BorderColorChecked);
}

void TExCustomDropDown::SetColorTones(TColorTones ATones) {
  if (FButton) {
    FButton->SetButtonColor(ATones.Background.BrushColor);
    FButton->SetButtonColorHot(ATones.Hover.BrushColor);
    FButton->SetButtonColorDown(ATones.Selected.BrushColor);
    FButton->SetButtonBorderColor(ATones.Background.BorderColor);
  }
  SetBorderColor(ATones.Background.BorderColor);
}

void TExCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  FSelectionColorStyle = Value;
  switch (Value) {
    case scOffice2007:
      FSelectionColor = 0xD7FFFD;
      FSelectionColorTo = 0x58D4FC;
      break;
    case scWindowsVista:
      FSelectionColor = 0xFDF8F1;
      FSelectionColorTo = 0xFCEFD5;
      break;
    case scWindows7:
      FSelectionColor = 0xFCEBDC;
      FSelectionColorTo = 0xFCDBC1;
      break;
    default: break;
  }
}

void TExCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor BackgroundColor, Integer Part) {
  if (!Canvas) return;
  TColor c[6];
  switch (FSelectionColorStyle) {
    case scOffice2007: {
      const TColor v[6] = {0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
      std::copy(v, v + 6, c);
      break;
    }
    case scWindowsVista: {
      const TColor v[6] = {clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
      std::copy(v, v + 6, c);
      break;
    }
    case scWindows7: {
      const TColor v[6] = {clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
      std::copy(v, v + 6, c);
      break;
    }
    default:
      Canvas->Brush()->SetStyle(bsSolid);
      Canvas->Brush()->SetColor(FSelectionColor);
      Canvas->Pen()->SetColor(FSelectionColor);
      Canvas->FillRect(R);
      return;
  }
  DrawSelectionBox(Canvas, FSelectionColor, FSelectionColorTo, c[0], c[1], c[2], c[3], c[4], c[5], BackgroundColor, R,
                   Part);
}

void TExCustomDropDown::DrawGradientBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect R,
                                               TGradientDirection Direction) {
  DrawGradient(Canvas, FromColor, ToColor, Steps, R, Direction == gdHorizontal);
}
