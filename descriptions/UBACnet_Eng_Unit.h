// The engineering-unit picker of the BACnet object tables: shows the selected unit number with its
// name and lets the user pick another one by category. The caller puts the cell's text into
// E_Selected_EU (and its name into Label5) before showing it, and takes E_Selected_EU back on OK.
#pragma once

#include "app/UDialogFrame.h"
#include "descriptions/BACnetEngUnits.h"

class TComboBox;
class TEdit;
class TFadeButton;
class TLabel;
class TShape;

class TFBACnet_Eng_Unit : public TFDialog {
 public:
  explicit TFBACnet_Eng_Unit(TComponent* AOwner);
  String ClassName() const override { return u"TFBACnet_Eng_Unit"; }

  TLabel* Label1 = nullptr;
  TEdit* E_Selected_EU = nullptr;
  TLabel* Label5 = nullptr;
  TShape* Shape1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TComboBox* CB_Select_Type = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* CB_Select_Unit = nullptr;
  TFadeButton* Btn_Select_Eng_Unit = nullptr;
  TShape* Shape2 = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  // Fills the unit list for the category chosen last time (the first use starts on the first one).
  void FormShow(TObject* Sender);
  // Fills the unit list with the chosen category's units and chooses the first of them.
  void CB_Select_TypeSelect(TObject* Sender);
  // Takes the unit chosen in the lists (0 when none is): its number into E_Selected_EU, its name
  // into Label5.
  void Btn_Select_Eng_UnitClick(TObject* Sender);
  void Set_Lang();

 private:
  // The category and unit lists' state.
  TBACnet_Eng_Unit_Model FModel;
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
