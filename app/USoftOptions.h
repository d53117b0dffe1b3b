// The options dialog: the language (chosen from the language files present, six to a page), the
// internet connection and the version check at start-up, a version check on demand, and the two
// options of the table editors.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "app/UDialogFrame.h"
#include "platform/gui/ExtCtrls.h"

class TCheckBox;
class TFadeButton;
class TLabel;
class TPageControl;
class TStringList;
class TTabSheet;

class TFSoftOptions : public TFDialog {
 public:
  // Language slots per page.
  static constexpr Integer Slots_Per_Page = 6;

  explicit TFSoftOptions(TComponent* AOwner);
  ~TFSoftOptions() override;
  String ClassName() const override { return u"TFSoftOptions"; }

  TFadeButton* Btn_OK = nullptr;
  TFadeButton* Btn_Cancel = nullptr;
  TPageControl* PC_Options = nullptr;
  TTabSheet* TS_Language = nullptr;
  TLabel* L_Sel_Lang = nullptr;
  TLabel* L_Page_Lang = nullptr;
  // Slot k (1 to 6) is I_L[k - 1] with L_L[k - 1]; slots 1 to 3 form the left column.
  std::array<TImage*, Slots_Per_Page> I_L{};
  std::array<TLabel*, Slots_Per_Page> L_L{};
  TFadeButton* Btn_Prev = nullptr;
  TFadeButton* Btn_Next = nullptr;
  TTabSheet* TS_Con_Options = nullptr;
  TCheckBox* CB_En_Con = nullptr;
  TCheckBox* CB_Update = nullptr;
  TFadeButton* Btn_Check_Update = nullptr;
  TLinkLabel* LL_Check_Update = nullptr;
  TTabSheet* TS_Soft_Settings = nullptr;
  TCheckBox* CB_Soft_Set_Jump_Table = nullptr;
  TCheckBox* CB_DoubleClick_Auto_Size = nullptr;

  // The language page shown, from 1.
  Integer Show_Page = 1;
  // The language files found ("<language>.lng"), sorted without regard to case; "English.lng"
  // stands for the built-in English texts also when no such file exists.
  std::unique_ptr<TStringList> SL_Languages;
  // The language the dialog treats as current; becomes Language_Name on OK.
  String Language_In_Use;

  // Set by the main window: re-labels the main window and the dialogs after a change of language,
  // and switches the version-check timer on or off.
  std::function<void()> OnChangeLanguage;
  std::function<void(bool Enabled)> OnSetUpdateTimer;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // Lists the language files of Path_Language (and the built-in English) and shows page 1.
  void Create_Lang_List();
  // Shows one page of languages (from 1).
  void Update_Lang_Page(Integer Num_Page);
  // The number of language pages: one per six languages.
  Integer Page_Count() const;
  // The click of Btn_Prev and Btn_Next.
  void Btn_NextClick(TObject* Sender);
  // The click of a language slot's image or label: asks, then switches the texts to that language.
  void LangClick(TObject* Sender);
  // Enables the connection page's controls that depend on the boxes.
  void Update_CheckBox();
  // The click of all four check boxes.
  void CB_En_ConClick(TObject* Sender);
  void Btn_Check_UpdateClick(TObject* Sender);
  void LL_Check_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
  // Takes over the choices and closes with OK.
  void Btn_OKClick(TObject* Sender);
  void Set_Lang();
  // True when the maker's server names a newer version.
  bool Check_Version();

 private:
  // The language name of slot Slot (1 to 6) on the page shown.
  String Slot_Language(Integer Slot) const;
  void Show_Page_Label(Integer Num_Page);
};

extern TFSoftOptions* FSoftOptions;
