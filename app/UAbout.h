// The About dialog: the software's description, code, version and document code, with a link to
// the maker's home page. Its texts are fixed: they do not follow the chosen language.
#pragma once

#include "app/UDialogFrame.h"

class TFadeButton;
class TImage;
class TLabel;

// The maker's home page, opened by the About dialog and by the main window's web label.
String Home_Page_Url();
// The maker's web address as the dialog shows it (without the scheme).
String Maker_Web_Address_Text();

// The fixed identity the dialog shows.
extern const String About_SW_Code;        // "KP31A08"
extern const String About_Version;        // "1.002"
extern const String About_Document_Code;  // "DN31A08"

class TFAbout : public TFDialog {
 public:
  explicit TFAbout(TComponent* AOwner);
  String ClassName() const override { return u"TFAbout"; }

  TFadeButton* FadeButton1 = nullptr;
  TImage* Image2 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* Label12 = nullptr;

  // Fills the description, code, version and document code.
  void FormShow(TObject* Sender);
  // Opens the maker's home page (the click of Label4 and of Image2).
  void Label4Click(TObject* Sender);
};

extern TFAbout* FAbout;
