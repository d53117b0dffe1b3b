// The catalogue test form: a developer's tool that loads an EEP catalogue of its own and browses
// its RORG, FUNC and TYPE lists. It is created with the other forms but nothing shows it.
#pragma once

#include <memory>

#include "platform/gui/Forms.h"

class TButton;
class TCatalog_EnOcean;
class TComboBox;
class TLabel;

// The catalogue file the test form loads.
extern const String Test_Form_Catalog_File;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;
  String ClassName() const override { return u"TForm1"; }

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TButton* Button1 = nullptr;
  TComboBox* CB_Rorg = nullptr;
  TComboBox* CB_Func = nullptr;
  TComboBox* CB_Type = nullptr;
  TComboBox* CB_DataField = nullptr;

  // A catalogue of its own, separate from the program's.
  std::unique_ptr<TCatalog_EnOcean> Catalog_EnOcean;

  void FormCreate(TObject* Sender);
  // Loads the catalogue file, says whether that worked, and lists the RORGs.
  void Button1Click(TObject* Sender);
  void CB_RorgChange(TObject* Sender);
  void CB_FuncChange(TObject* Sender);
  void CB_TypeChange(TObject* Sender);
};

extern TForm1* Form1;
