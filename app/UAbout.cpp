#include "app/UAbout.h"

#include "app/UComon.h"
#include "app/VersionCheck.h"
#include "platform/gui/StdCtrls.h"

TFAbout* FAbout = nullptr;

const String About_SW_Code = u"KP31A08";
const String About_Version = u"1.002";
const String About_Document_Code = u"DN31A08";

String Home_Page_Url() { return Maker_Web_Address + u"/HOME/default.asp?frompg=KP31A08"; }

String Maker_Web_Address_Text() {
  const String scheme = u"://";
  const auto at = Maker_Web_Address.find(scheme);
  return at == String::npos ? Maker_Web_Address : Maker_Web_Address.substr(at + scheme.size());
}

void TFAbout::FormShow(TObject*) {
  Label2->SetCaption(Def_SW_Desc);
  Label9->SetCaption(About_SW_Code);
  Label10->SetCaption(About_Version);
  Label12->SetCaption(About_Document_Code);
  Set_Client_Size(425, 148);
}

void TFAbout::Label4Click(TObject*) { Open_Web_Link(Home_Page_Url()); }
