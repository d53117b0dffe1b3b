#include "main/Unit1.h"

#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

TForm1* Form1 = nullptr;

// The developer's own copy of the catalogue.
const String Test_Form_Catalog_File = u"E:\\ProgettiTVL\\GX31xxx_Enocean\\Documentazione\\eep.xml";

namespace {

void Set_Items(TComboBox* List, const std::vector<String>& Lines) {
  List->Items()->Clear();
  for (const String& line : Lines) List->Items()->Add(line);
}

}  // namespace

void TForm1::FormCreate(TObject*) { Catalog_EnOcean = std::make_unique<TCatalog_EnOcean>(); }

void TForm1::Button1Click(TObject*) {
  if (!Catalog_EnOcean) Catalog_EnOcean = std::make_unique<TCatalog_EnOcean>();
  ShowMessage(Catalog_EnOcean->Read_Cat_EnOcean_XML(Test_Form_Catalog_File) ? u"OK" : u"Error");
  Set_Items(CB_Rorg, Catalog_EnOcean->Rorg_SL);
}

void TForm1::CB_RorgChange(TObject*) {
  if (const TRorg* rorg = Catalog_EnOcean->Get_Rorg(CB_Rorg->ItemIndex())) Set_Items(CB_Func, rorg->Func_SL);
}

void TForm1::CB_FuncChange(TObject*) {
  if (const TFunc* func = Catalog_EnOcean->Get_Func(CB_Rorg->ItemIndex(), CB_Func->ItemIndex()))
    Set_Items(CB_Type, func->Type_SL);
}

void TForm1::CB_TypeChange(TObject*) {}
