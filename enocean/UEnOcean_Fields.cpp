#include "enocean/UEnOcean_Fields.h"

#include "app/UComon.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/StdCtrls.h"

const TCatalog_EnOcean& EnOcean_Catalog() {
  static const TCatalog_EnOcean empty;
  return Catalog_EnOcean ? *Catalog_EnOcean : empty;
}

void Refill(TComboBox* List, const std::vector<String>* Items) {
  List->Items()->Clear();
  if (Items) {
    for (const String& item : *Items) List->Items()->Add(item);
  }
  List->SetItemIndex(-1);
}

TEdit* New_Field_Edit(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                      Integer Width, Integer MaxLength) {
  auto* edit = new TEdit(Owner);
  edit->SetName(Name);
  edit->SetParent(Parent);
  edit->SetBounds(Left, Top, Width, 21);
  edit->SetMaxLength(MaxLength);
  edit->SetText(u"");
  return edit;
}

TComboBox* New_Field_List(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                          Integer Width, const std::vector<String>* Items) {
  auto* list = new TComboBox(Owner);
  list->SetName(Name);
  list->SetParent(Parent);
  list->SetStyle(csDropDownList);
  list->SetBounds(Left, Top, Width, 22);
  if (Items) {
    for (const String& item : *Items) list->Items()->Add(item);
    list->SetItemIndex(0);
  }
  return list;
}

TCatalog_Level Cascade_Catalog_Lists(const TCatalog_Lists& Lists, TObject* Sender) {
  const TCatalog_EnOcean& cat = EnOcean_Catalog();
  const Integer r = Lists.Rorg->ItemIndex();
  const Integer f = Lists.Func->ItemIndex();
  const Integer t = Lists.Type->ItemIndex();
  auto empty_cases = [&Lists](const std::vector<String>* Items) {
    for (TComboBox* list : Lists.Cases) Refill(list, Items);
  };
  auto empty_data_field = [&Lists]() {
    if (Lists.Data_Field) Refill(Lists.Data_Field, nullptr);
  };
  if (Sender == Lists.Rorg) {
    const TRorg* rorg = cat.Get_Rorg(r);
    Refill(Lists.Func, rorg ? &rorg->Func_SL : nullptr);
    Refill(Lists.Type, nullptr);
    empty_cases(nullptr);
    empty_data_field();
    return catRorg;
  }
  if (Sender == Lists.Func) {
    const TFunc* func = cat.Get_Func(r, f);
    Refill(Lists.Type, func ? &func->Type_SL : nullptr);
    empty_cases(nullptr);
    empty_data_field();
    return catFunc;
  }
  if (Sender == Lists.Type) {
    const TType* type = cat.Get_Type(r, f, t);
    empty_cases(type ? &type->Case_SL : nullptr);
    empty_data_field();
    return catType;
  }
  for (TComboBox* list : Lists.Cases) {
    if (Sender != list) continue;
    if (Lists.Data_Field) {
      const TCase* case_ = cat.Get_Case(r, f, t, list->ItemIndex());
      Refill(Lists.Data_Field, case_ ? &case_->DataField_SL : nullptr);
    }
    return catCase;
  }
  return catNone;
}
