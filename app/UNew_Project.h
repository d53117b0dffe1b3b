// The New Configuration dialog: asks for the name of a new configuration, creates its folder (with
// the sub-folder "bin") inside "PROJECTS" and makes it the active configuration.
#pragma once

#include "app/UDialogFrame.h"

class TEdit;
class TFadeButton;
class TLabel;

class TFNew_Project : public TFDialog {
 public:
  explicit TFNew_Project(TComponent* AOwner);
  String ClassName() const override { return u"TFNew_Project"; }

  TLabel* Label1 = nullptr;
  TEdit* E_New_Proj = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  void FormCreate(TObject* Sender);
  // Empties the name and puts the focus on it.
  void FormShow(TObject* Sender);
  // Enter in the name confirms it.
  void E_New_ProjKeyPress(TObject* Sender, Char& Key);
  // Checks the name and creates the configuration; the first failing check shows its message and
  // the dialog stays open. On success the dialog closes with OK.
  void Btn_OKClick(TObject* Sender);
  void Set_Lang();
};

extern TFNew_Project* FNew_Project;
