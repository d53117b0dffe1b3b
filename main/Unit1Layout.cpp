// The controls of the catalogue test form.
#include "enocean/UEnOcean_Catalog.h"
#include "main/Unit1.h"
#include "platform/gui/StdCtrls.h"

namespace {

TComboBox* New_List(TForm1* Form, const String& Name, Integer Top) {
  auto* list = new TComboBox(Form);
  list->SetName(Name);
  list->SetParent(Form);
  list->SetStyle(csOwnerDrawFixed);
  list->SetBounds(104, Top, 401, 21);
  return list;
}

TLabel* New_Label(TForm1* Form, const String& Name, const String& Caption, Integer Top) {
  auto* label = new TLabel(Form);
  label->SetName(Name);
  label->SetParent(Form);
  label->SetBounds(16, Top + 3, 80, 13);
  label->SetCaption(Caption);
  return label;
}

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"Form1");
  SetCaption(u"Form1");
  SetClientWidth(521);
  SetClientHeight(200);
  Label1 = New_Label(this, u"Label1", u"RORG", 48);
  Label2 = New_Label(this, u"Label2", u"FUNC", 80);
  Label3 = New_Label(this, u"Label3", u"TYPE", 112);
  Label4 = New_Label(this, u"Label4", u"DATAFIELD", 144);
  Button1 = new TButton(this);
  Button1->SetName(u"Button1");
  Button1->SetParent(this);
  Button1->SetBounds(16, 12, 120, 25);
  Button1->SetCaption(u"Carica XML");
  Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
  CB_Rorg = New_List(this, u"CB_Rorg", 48);
  CB_Rorg->OnChange = [this](TObject* Sender) { CB_RorgChange(Sender); };
  CB_Func = New_List(this, u"CB_Func", 80);
  CB_Func->OnChange = [this](TObject* Sender) { CB_FuncChange(Sender); };
  CB_Type = New_List(this, u"CB_Type", 112);
  CB_Type->OnChange = [this](TObject* Sender) { CB_TypeChange(Sender); };
  CB_DataField = New_List(this, u"CB_DataField", 144);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

TForm1::~TForm1() = default;
