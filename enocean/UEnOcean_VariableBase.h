// What the variable dialog and the Smart-ACK variable dialog share: the editor's network and
// selected device, the EEP block (RORG, FUNC, TYPE) with the heading and case label of the variable
// block below it, OK and Cancel, and the OK check against the selected device, which sets
// EEP_Index and shows the first failure's message.
#pragma once

#include "app/UDialogFrame.h"
#include "enocean/EnOceanNetwork.h"
#include "enocean/UEnOcean_Fields.h"
#include "enocean/VariableChoice.h"

class TComboBox;
class TFadeButton;
class TLabel;

class TFEnOcean_Variable_Base : public TFDialog {
 public:
  explicit TFEnOcean_Variable_Base(TComponent* AOwner);
  String ClassName() const override { return u"TFEnOcean_Variable_Base"; }

  // The position, in the device's list the dialog works on, of the EEP with the chosen RORG, FUNC
  // and TYPE, or -1 when the device has no such EEP yet. Written by the OK check.
  Integer EEP_Index = -1;

  // The editor's network and its selected device, set before showing. The OK check works on that
  // device.
  const TDevice_EnOcean_List* DevList = nullptr;
  Integer Ind_Dev = -1;

  TLabel* L_EEP = nullptr;
  TLabel* L_EEP_RORG = nullptr;
  TComboBox* CB_EEP_Rorg = nullptr;
  TLabel* L_EEP_FUNC = nullptr;
  TComboBox* CB_EEP_Func = nullptr;
  TLabel* L_EEP_TYPE = nullptr;
  TComboBox* CB_EEP_Type = nullptr;
  TLabel* L_Variable = nullptr;
  TLabel* L_Var_CASE = nullptr;

  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  // The OK check (enocean/VariableChoice.h) on the selected device: sets EEP_Index, shows the
  // first failure's message (no device: the editor's "select a device") and returns false, or
  // returns true.
  bool Check_Data();
  void Btn_OKClick(TObject* Sender);

 protected:
  // The device the dialog works on, nullptr when the editor has none selected.
  const TDevice_EnOcean* Selected_Device() const;
  // The dialog's own check of its choice on Device.
  virtual TVariable_Check Check_Choice(const TDevice_EnOcean& Device) const = 0;

  // The two parts of the check on the selected device for a choice: Is_New_EEP is true when the
  // chosen RORG, FUNC and TYPE are not yet an EEP of the device (Index := -1), else false with
  // Index := that EEP's position; Has_Var is true when EEP Index already holds a chosen variable.
  // No device: true / false.
  template <class TChoice>
  bool Is_New_EEP(const TChoice& Choice, Integer& Index) const {
    Index = -1;
    const TDevice_EnOcean* device = Selected_Device();
    return !device || ::ISNewEEP(EnOcean_Catalog(), *device, Choice, Index);
  }
  template <class TChoice>
  bool Has_Var(const TChoice& Choice, Integer Index) const {
    const TDevice_EnOcean* device = Selected_Device();
    return device && ::Check_Var(EnOcean_Catalog(), *device, Choice, Index);
  }

  // The title panel and the EEP block: labels at left 16, lists at left 134 and 307 wide, the RORG
  // at 99 and 28 apart, the variable heading at 206 and the case label at 235. With Stretch the
  // lists follow the window's width.
  void Create_EEP_Block(bool Stretch);
  // A drop-down list without free text at left 134, 307 wide.
  TComboBox* Create_List(const String& Name, Integer Top, bool Stretch);
  // The button panel with OK (its click runs the check) and Cancel.
  void Create_OK_Cancel();
};
