// The device dialog: the small modal dialog in which the user enters or changes one device of the
// network, its ID and its security settings. The network editor sets Mode and the fields, shows
// it, and on OK reads the fields back into its device; the dialog itself touches no model object
// and no file, it only checks the ID and the rolling code (enocean/DeviceCheck.h).
#pragma once

#include "app/UDialogFrame.h"
#include "enocean/DeviceCheck.h"

class TComboBox;
class TEdit;
class TFadeButton;
class TLabel;

class TFEnOcean_Device : public TFDialog {
 public:
  explicit TFEnOcean_Device(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Device"; }

  // 0 = add a device, 1 = modify one; set by the editor before showing.
  Integer Mode = 0;

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

  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void CB_DevEnOcean_SecTypeChange(TObject* Sender);
  void Btn_OKClick(TObject* Sender);

  // The titles by Mode, then the security pairs shown and the client height by the security type.
  void Change_Form_Size();
  // The OK check: shows the first failure's message and returns false, or returns true.
  bool Check_Data_Device();
  // The captions and hints from the text table; run once, at creation.
  void Set_Lang();

  // The nine fields as they stand (hidden ones included), and the same filled in: the editor's
  // copies to and from a device go through these with enocean/DeviceCheck.h.
  TDevice_Data Device_Data() const;
  void Show_Device_Data(const TDevice_Data& Data);

 private:
  // Creates the controls (UEnOcean_DeviceLayout.cpp).
  void Create_Controls();
};

extern TFEnOcean_Device* FEnOcean_Device;
