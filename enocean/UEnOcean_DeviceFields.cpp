#include "enocean/UEnOcean_DeviceFields.h"

#include <array>

#include "app/ULanguage.h"
#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_Fields.h"
#include "platform/gui/StdCtrls.h"

namespace {

// The key and the rolling code are free text of at most this many characters.
constexpr Integer Secure_Text_Max = 16;
// The rows below the ID: the security type, then the seven pairs.
constexpr Integer Row_Offsets[9] = {0, 40, 72, 104, 136, 168, 200, 232, 264};

}  // namespace

TFEnOcean_Device_Fields::TFEnOcean_Device_Fields(TComponent* AOwner) : TFDialog(AOwner) {}

void TFEnOcean_Device_Fields::Create_Device_Fields(TWinControl* Parent, Integer Top, Integer Label_Left,
                                                   Integer Input_Left, Integer Input_Width) {
  Integer row = 0;
  auto label = [&](const String& Name) { return Create_Label(Parent, Name, Label_Left, Top + Row_Offsets[row]); };
  auto edit = [&](const String& Name, Integer MaxLength) {
    return New_Field_Edit(this, Parent, Name, Input_Left, Top + Row_Offsets[row++], Input_Width, MaxLength);
  };
  auto list = [&](const String& Name, const std::vector<String>& Items) {
    return New_Field_List(this, Parent, Name, Input_Left, Top + Row_Offsets[row++], Input_Width, &Items);
  };
  L_DevEnOcean_ID = label(u"L_DevEnOcean_ID");
  E_DevEnOcean_ID = edit(u"E_DevEnOcean_ID", 0);
  L_DevEnOcean_SecType = label(u"L_DevEnOcean_SecType");
  CB_DevEnOcean_SecType = list(u"CB_DevEnOcean_SecType", Secure_Type_Items());
  L_DevEnOcean_Secure_Key = label(u"L_DevEnOcean_Secure_Key");
  E_DevEnOcean_Secure_Key = edit(u"E_DevEnOcean_Secure_Key", Secure_Text_Max);
  L_DevEnOcean_Secure_RollCode = label(u"L_DevEnOcean_Secure_RollCode");
  E_DevEnOcean_Secure_RollCode = edit(u"E_DevEnOcean_Secure_RollCode", Secure_Text_Max);
  L_DevEnOcean_Secure_RollCodeAlg = label(u"L_DevEnOcean_Secure_RollCodeAlg");
  CB_DevEnOcean_Secure_RollCodeAlg = list(u"CB_DevEnOcean_Secure_RollCodeAlg", RollCodeAlg_Items());
  L_DevEnOcean_Secure_RollCodeTx = label(u"L_DevEnOcean_Secure_RollCodeTx");
  CB_DevEnOcean_Secure_RollCodeTx = list(u"CB_DevEnOcean_Secure_RollCodeTx", RollCodeTx_Items());
  L_DevEnOcean_Secure_CMACAlg = label(u"L_DevEnOcean_Secure_CMACAlg");
  CB_DevEnOcean_Secure_CMACAlg = list(u"CB_DevEnOcean_Secure_CMACAlg", CMACAlg_Items());
  L_DevEnOcean_Secure_DataEnc = label(u"L_DevEnOcean_Secure_DataEnc");
  CB_DevEnOcean_Secure_DataEnc = list(u"CB_DevEnOcean_Secure_DataEnc", DataCript_Items());
  L_DevEnOcean_Secure_PTM = label(u"L_DevEnOcean_Secure_PTM");
  CB_DevEnOcean_Secure_PTM = list(u"CB_DevEnOcean_Secure_PTM", PTM_Items());
}

std::vector<TWinControl*> TFEnOcean_Device_Fields::Device_Field_Order() const {
  std::vector<TWinControl*> order;
  for (const TField_Row& row : Field_Rows()) order.push_back(row.Input);
  return order;
}

std::array<TFEnOcean_Device_Fields::TField_Row, 9> TFEnOcean_Device_Fields::Field_Rows() const {
  return {{{L_DevEnOcean_ID, E_DevEnOcean_ID},
           {L_DevEnOcean_SecType, CB_DevEnOcean_SecType},
           {L_DevEnOcean_Secure_Key, E_DevEnOcean_Secure_Key},
           {L_DevEnOcean_Secure_RollCode, E_DevEnOcean_Secure_RollCode},
           {L_DevEnOcean_Secure_RollCodeAlg, CB_DevEnOcean_Secure_RollCodeAlg},
           {L_DevEnOcean_Secure_RollCodeTx, CB_DevEnOcean_Secure_RollCodeTx},
           {L_DevEnOcean_Secure_CMACAlg, CB_DevEnOcean_Secure_CMACAlg},
           {L_DevEnOcean_Secure_DataEnc, CB_DevEnOcean_Secure_DataEnc},
           {L_DevEnOcean_Secure_PTM, CB_DevEnOcean_Secure_PTM}}};
}

void TFEnOcean_Device_Fields::Set_Device_Field_Texts(Integer From) {
  for (const TField_Row& row : Field_Rows()) {
    row.Label->SetCaption(Get_Text(From++));
    row.Input->SetHint(Get_Text(From++));
  }
}

TFEnOcean_Device_Fields::TField_Row TFEnOcean_Device_Fields::Show_Secure_Pairs() {
  // The seven security pairs follow the ID and the type; a security type shows the first ones.
  const std::array<TField_Row, 9> rows = Field_Rows();
  const TField_Row* pairs = rows.data() + 2;
  const Integer shown = Secure_Pairs_Shown(CB_DevEnOcean_SecType->ItemIndex());
  if (shown < 0) return {};
  for (Integer i = 0; i < 7; ++i) {
    pairs[i].Label->SetVisible(i < shown);
    pairs[i].Input->SetVisible(i < shown);
  }
  return rows[1 + shown];
}

TDevice_Data TFEnOcean_Device_Fields::Device_Data() const {
  TDevice_Data data;
  data.Id = E_DevEnOcean_ID->Text();
  data.Secure_Type = CB_DevEnOcean_SecType->ItemIndex();
  data.Key = E_DevEnOcean_Secure_Key->Text();
  data.RollCode = E_DevEnOcean_Secure_RollCode->Text();
  data.RollCodeAlg = CB_DevEnOcean_Secure_RollCodeAlg->ItemIndex();
  data.RollCodeTx = CB_DevEnOcean_Secure_RollCodeTx->ItemIndex();
  data.CMACAlg = CB_DevEnOcean_Secure_CMACAlg->ItemIndex();
  data.DataCript = CB_DevEnOcean_Secure_DataEnc->ItemIndex();
  data.PTM = CB_DevEnOcean_Secure_PTM->ItemIndex();
  return data;
}

void TFEnOcean_Device_Fields::Show_Device_Data(const TDevice_Data& Data) {
  E_DevEnOcean_ID->SetText(Data.Id);
  CB_DevEnOcean_SecType->SetItemIndex(Data.Secure_Type);
  E_DevEnOcean_Secure_Key->SetText(Data.Key);
  E_DevEnOcean_Secure_RollCode->SetText(Data.RollCode);
  CB_DevEnOcean_Secure_RollCodeAlg->SetItemIndex(Data.RollCodeAlg);
  CB_DevEnOcean_Secure_RollCodeTx->SetItemIndex(Data.RollCodeTx);
  CB_DevEnOcean_Secure_CMACAlg->SetItemIndex(Data.CMACAlg);
  CB_DevEnOcean_Secure_DataEnc->SetItemIndex(Data.DataCript);
  CB_DevEnOcean_Secure_PTM->SetItemIndex(Data.PTM);
}
