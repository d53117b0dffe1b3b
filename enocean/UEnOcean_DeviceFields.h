// The device fields of the device dialog and of the older network editor: the ID, the security type
// and the seven security pairs it shows, with their texts, their values as one record and the
// pairs a security type shows.
#pragma once

#include <array>
#include <vector>

#include "app/UDialogFrame.h"
#include "enocean/DeviceCheck.h"

class TComboBox;
class TEdit;
class TLabel;

class TFEnOcean_Device_Fields : public TFDialog {
 public:
  explicit TFEnOcean_Device_Fields(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Device_Fields"; }

  // The fields, from top to bottom; each list's item index is the value the model stores.
  TLabel* L_DevEnOcean_ID = nullptr;
  TEdit* E_DevEnOcean_ID = nullptr;
  TLabel* L_DevEnOcean_SecType = nullptr;
  TComboBox* CB_DevEnOcean_SecType = nullptr;
  TLabel* L_DevEnOcean_Secure_Key = nullptr;
  TEdit* E_DevEnOcean_Secure_Key = nullptr;
  TLabel* L_DevEnOcean_Secure_RollCode = nullptr;
  TEdit* E_DevEnOcean_Secure_RollCode = nullptr;
  TLabel* L_DevEnOcean_Secure_RollCodeAlg = nullptr;
  TComboBox* CB_DevEnOcean_Secure_RollCodeAlg = nullptr;
  TLabel* L_DevEnOcean_Secure_RollCodeTx = nullptr;
  TComboBox* CB_DevEnOcean_Secure_RollCodeTx = nullptr;
  TLabel* L_DevEnOcean_Secure_CMACAlg = nullptr;
  TComboBox* CB_DevEnOcean_Secure_CMACAlg = nullptr;
  TLabel* L_DevEnOcean_Secure_DataEnc = nullptr;
  TComboBox* CB_DevEnOcean_Secure_DataEnc = nullptr;
  TLabel* L_DevEnOcean_Secure_PTM = nullptr;
  TComboBox* CB_DevEnOcean_Secure_PTM = nullptr;

  // The nine fields as they stand (hidden ones included), and the same filled in: the editors'
  // copies to and from a device go through these with enocean/DeviceCheck.h.
  TDevice_Data Device_Data() const;
  void Show_Device_Data(const TDevice_Data& Data);

 protected:
  // The fields on Parent: labels at Label_Left, inputs at Input_Left and Input_Width wide, the ID at
  // Top and the other rows below it as designed (the security type 40 lower, then 32 apart). The
  // lists hold their fixed items with item 0 selected; the key and the rolling code take at most
  // 16 characters.
  void Create_Device_Fields(TWinControl* Parent, Integer Top, Integer Label_Left, Integer Input_Left,
                            Integer Input_Width);
  // The fields in their tab order.
  std::vector<TWinControl*> Device_Field_Order() const;
  // Captions and hints from the text table, from From on: each label's caption, then its input's
  // hint.
  void Set_Device_Field_Texts(Integer From);
  // A row of the fields: its label and its input.
  struct TField_Row {
    TLabel* Label = nullptr;
    TWinControl* Input = nullptr;
  };
  // Shows the security pairs of the selected security type and hides the others; hidden fields keep
  // their text. Gives the last row shown (the security type when no pair is shown), or an empty row
  // when no type is selected and nothing changed.
  TField_Row Show_Secure_Pairs();
  // The nine rows from the ID down.
  std::array<TField_Row, 9> Field_Rows() const;
};
