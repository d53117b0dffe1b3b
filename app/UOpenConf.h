// The Open Configuration dialog: lists the configuration folders found in "PROJECTS" and returns
// the one chosen in Name_Conf.
#pragma once

#include <memory>

#include "app/UDialogFrame.h"

class TFadeButton;
class TLabel;
class TListBox;
class TStringList;

class TFOpenConf : public TFDialog {
 public:
  explicit TFOpenConf(TComponent* AOwner);
  ~TFOpenConf() override;
  String ClassName() const override { return u"TFOpenConf"; }

  TLabel* Label1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;

  // The configuration names found in PROJECTS, rebuilt at every showing.
  std::unique_ptr<TStringList> SL;
  // The chosen configuration; empty when the list offers none.
  String Name_Conf;

  void FormCreate(TObject* Sender);
  // Fills the list and selects the open configuration (else the first entry).
  void FormShow(TObject* Sender);
  // Rebuilds SL from the sub-folders of Path_Projects, sorted by name without regard to case.
  void Load_Existing_Configuration();
  // The index in SL of the name equal to snc, else of the first one equal without regard to
  // letter case, else -1.
  Integer Search_Open_Conf(const String& snc) const;
  void ListBox1Click(TObject* Sender);
  void ListBox1DblClick(TObject* Sender);
  void Set_Lang();
};

extern TFOpenConf* FOpenConf;
