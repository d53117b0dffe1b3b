// The device dialog: the small modal dialog in which the user enters or changes one device of the
// network, its ID and its security settings. The network editor sets Mode and the fields, shows
// it, and on OK reads the fields back into its device; the dialog itself touches no model object
// and no file, it only checks the ID and the rolling code (enocean/DeviceCheck.h).
#pragma once

#include "enocean/UEnOcean_DeviceFields.h"

class TFadeButton;

// The fields and their record (Device_Data, Show_Device_Data) are those of TFEnOcean_Device_Fields.
class TFEnOcean_Device : public TFEnOcean_Device_Fields {
 public:
  explicit TFEnOcean_Device(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Device"; }

  // 0 = add a device, 1 = modify one; set by the editor before showing.
  Integer Mode = 0;

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

 private:
  // Creates the controls (UEnOcean_DeviceLayout.cpp).
  void Create_Controls();
};

extern TFEnOcean_Device* FEnOcean_Device;
