// The file-name dialog of the GSDML file: the name is a fixed first part, a part the user types and
// a fixed last part made of the program's start date and ".xml".
#pragma once

#include "app/UDialogFrame.h"

class TEdit;
class TFadeButton;
class TLabel;

class TFProfinetFileName : public TFDialog {
 public:
  explicit TFProfinetFileName(TComponent* AOwner);
  String ClassName() const override { return u"TFProfinetFileName"; }

  // The composed file name, set when the dialog closes with OK.
  String Name_File_XML;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* L_XML_Fix1 = nullptr;
  TLabel* Label4 = nullptr;
  TEdit* E_XML_User = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* L_XML_Fix2 = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  // Fills the two fixed parts: the last one takes today's date, so it stays the start date of the
  // program for the whole run.
  void FormCreate(TObject* Sender);
  // Composes Name_File_XML and closes with OK. A user part that cannot stand in a file name (a path
  // separator, "..", a character file names cannot hold) is refused with a message, and the dialog
  // stays open.
  void Btn_OKClick(TObject* Sender);
  void Set_Lang();
};

extern TFProfinetFileName* FProfinetFileName;
