#include "app/UDialogFrame.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Shell.h"

const String Dialog_Font_Name = u"Verdana";

void Open_Web_Link(const String& Url) {
  if (!ShellOpen(Url)) MessageDlg(Get_Text(1709) + Url, mtError, TMsgDlgButtons{mbOK});
}

void Setup_Dialog_Form(TCustomForm* Form) {
  Form->SetColor(Dialog_Color);
  Form->Font()->SetName(Dialog_Font_Name);
  Form->Font()->SetHeight(Dialog_Font_Height);
  Form->SetBorderStyle(bsSingle);
  Form->SetBorderIcons(biSystemMenu);
  Form->SetPosition(poScreenCenter);
  Form->SetScaled(false);
  Form->SetShowHint(true);
}

void Setup_Dialog_Button(TFadeButton* Button, TDialogGlyph Glyph, Integer GlyphSize) {
  Button->SetStyle(bsEncarta);
  Button->SetColor(Dialog_Color);
  Button->SetColorWhenDown(Button_Color_When_Down);
  Button->SetHotTrackColor(Button_Hot_Track_Color);
  Button->SetLightColor(Button_Light_Color);
  Button->SetUseHotTrackFont(false);
  Button->SetShowHint(true);
  if (Glyph != dgNone) {
    TBitmap glyph;
    Draw_Dialog_Glyph(&glyph, Glyph, GlyphSize);
    Button->SetGlyph(&glyph);
  }
}

namespace {

TLabel* New_Label(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top) {
  auto* label = new TLabel(Owner);
  label->SetName(Name);
  label->SetParent(Parent);
  label->SetLeft(Left);
  label->SetTop(Top);
  label->SetTransparent(true);
  return label;
}

}  // namespace

TLabel* Create_SW_Code_Label(TComponent* Owner, TWinControl* Parent, Integer Left, Integer Top) {
  TLabel* label = New_Label(Owner, Parent, u"L_SW_Code", Left, Top);
  label->SetParentFont(false);
  label->Font()->SetName(Dialog_Font_Name);
  label->Font()->SetHeight(SW_Code_Font_Height);
  label->Font()->SetColor(Title_Text_Color);
  label->SetCaption(SW_Code);
  return label;
}

TLabel* Create_SW_Desc_Label(TComponent* Owner, TWinControl* Parent, Integer Left, Integer Top) {
  TLabel* label = New_Label(Owner, Parent, u"L_SW_Desc", Left, Top);
  label->SetParentFont(false);
  label->Font()->SetName(Dialog_Font_Name);
  label->Font()->SetHeight(Dialog_Font_Height);
  label->Font()->SetColor(Title_Text_Color);
  label->Font()->SetStyle(TFontStyles{fsBold});
  return label;
}

TFDialog::TFDialog(TComponent* AOwner) : TForm(AOwner) { Setup_Dialog_Form(this); }

void TFDialog::Set_Client_Size(Integer Width, Integer Height) {
  SetClientWidth(Width);
  SetClientHeight(Height);
}

void TFDialog::Create_Title_Panel() {
  P_Title = new TPanel(this);
  P_Title->SetName(u"P_Title");
  P_Title->SetParent(this);
  P_Title->SetAlign(alTop);
  P_Title->SetHeight(Title_Panel_Height);
  P_Title->SetBevelOuter(bvNone);
  P_Title->SetShowCaption(false);
  P_Title->SetParentColor(true);
  L_SW_Code = Create_SW_Code_Label(this, P_Title, 16, 8);
  L_SW_Desc = Create_SW_Desc_Label(this, P_Title, 16, 42);
}

void TFDialog::Create_Button_Panel() {
  P_Button = new TPanel(this);
  P_Button->SetName(u"P_Button");
  P_Button->SetParent(this);
  P_Button->SetAlign(alBottom);
  P_Button->SetHeight(Button_Panel_Height);
  P_Button->SetBevelOuter(bvNone);
  P_Button->SetShowCaption(false);
  P_Button->SetParentColor(true);
}

TFadeButton* TFDialog::Create_Dialog_Button(TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                                            Integer Width, Integer Height, TDialogGlyph Glyph,
                                            TModalResult Result) {
  auto* button = new TFadeButton(this);
  button->SetName(Name);
  button->SetParent(Parent);
  button->SetBounds(Left, Top, Width, Height);
  Setup_Dialog_Button(button, Glyph);
  button->SetModalResult(Result);
  // The dialog's Cancel button also answers Esc.
  button->SetCancel(Glyph == dgCancel);
  return button;
}

TLabel* TFDialog::Create_Label(TWinControl* Parent, const String& Name, Integer Left, Integer Top) {
  return New_Label(this, Parent, Name, Left, Top);
}

TTabSheet* TFDialog::Create_Page(TPageControl* Control, const String& Name) {
  auto* page = new TTabSheet(this);
  page->SetName(Name);
  page->SetPageControl(Control);
  return page;
}
