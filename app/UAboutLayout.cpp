// The controls of the About dialog and its product picture.
#include "app/UAbout.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

// The product: a grey converter housing for a DIN rail with its terminals and status lights.
void Draw_Product_Picture(TBitmap* Bitmap) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(81, 81);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetColor(Dialog_Color);
  c->FillRect(TRect(0, 0, 81, 81));
  c->Pen()->SetColor(0x505050);
  c->Brush()->SetColor(0xD8D8D8);
  c->RoundRect(14, 4, 67, 77, 8, 8);
  c->Brush()->SetColor(0x3A3A3A);
  c->Rectangle(20, 10, 61, 18);
  c->Rectangle(20, 63, 61, 71);
  c->Brush()->SetColor(0xF0F0F0);
  c->Rectangle(20, 24, 61, 56);
  c->Pen()->SetColor(0x30A030);
  c->Brush()->SetColor(0x30C030);
  c->Ellipse(24, 28, 30, 34);
  c->Pen()->SetColor(0x2080E0);
  c->Brush()->SetColor(0x20A0F0);
  c->Ellipse(24, 38, 30, 44);
  c->Pen()->SetColor(0x808080);
  for (Integer y : {30, 33, 40, 43}) {
    c->MoveTo(34, y);
    c->LineTo(56, y);
  }
}

}  // namespace

TFAbout::TFAbout(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FAbout");
  SetCaption(u"About");

  FadeButton1 = Create_Dialog_Button(this, u"FadeButton1", 32, 115, 81, 22, dgOK, mrOk);
  FadeButton1->SetCaption(u"OK");

  Image2 = new TImage(this);
  Image2->SetName(u"Image2");
  Image2->SetParent(this);
  Image2->SetBounds(32, 24, 81, 81);
  Image2->SetStretch(true);
  Image2->SetCursor(crHandPoint);
  {
    TBitmap picture;
    Draw_Product_Picture(&picture);
    Image2->Picture()->SetBitmap(&picture);
  }
  Image2->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

  Label1 = Create_Label(this, u"Label1", 128, 24);
  Label1->SetCaption(u"Software Lumitor ");
  Label2 = Create_Label(this, u"Label2", 128, 39);
  Label3 = Create_Label(this, u"Label3", 128, 77);
  Label3->SetCaption(u"Version :");
  Label4 = Create_Label(this, u"Label4", 316, 131);
  Label4->SetCaption(Maker_Web_Address_Text());
  Label4->SetCursor(crHandPoint);
  Label4->OnClick = [this](TObject* Sender) { Label4Click(Sender); };
  Label6 = Create_Label(this, u"Label6", 128, 62);
  Label6->SetCaption(u"Software Code : ");
  Label8 = Create_Label(this, u"Label8", 128, 93);
  Label8->SetCaption(u"Document Code :");
  Label9 = Create_Label(this, u"Label9", 240, 62);
  Label10 = Create_Label(this, u"Label10", 240, 77);
  Label12 = Create_Label(this, u"Label12", 240, 93);

  Set_Client_Size(425, 148);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}
