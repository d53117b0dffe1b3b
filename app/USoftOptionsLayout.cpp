// The controls of the options dialog.
#include "app/USoftOptions.h"
#include "components/buttons/FadeButton.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"

namespace {

TCheckBox* New_Check_Box(TComponent* Owner, TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                         Integer Width) {
  auto* box = new TCheckBox(Owner);
  box->SetName(Name);
  box->SetParent(Parent);
  box->SetBounds(Left, Top, Width, 17);
  return box;
}

}  // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner)
    : TFDialog(AOwner), SL_Languages(std::make_unique<TStringList>()) {
  SetName(u"FSoftOptions");
  Set_Client_Size(509, 373);

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 265, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 383, 6, 110, 28, dgCancel, mrCancel);

  PC_Options = new TPageControl(this);
  PC_Options->SetName(u"PC_Options");
  PC_Options->SetParent(this);
  PC_Options->SetBounds(8, 73, 493, 256);

  // The language page: the language in use, three rows of two slots, the page counter and the
  // page buttons.
  TS_Language = Create_Page(PC_Options, u"TS_Language");
  L_Sel_Lang = Create_Label(TS_Language, u"L_Sel_Lang", 16, 10);
  L_Sel_Lang->Font()->SetStyle(TFontStyles{fsBold});
  for (Integer k = 1; k <= Slots_Per_Page; ++k) {
    const Integer left = k <= 3 ? 16 : 248;
    const Integer top = 32 + ((k - 1) % 3) * 54;
    TImage* image = new TImage(this);
    image->SetName(u"I_L" + IntToStr(k));
    image->SetParent(TS_Language);
    image->SetBounds(left, top, 48, 48);
    image->SetStretch(true);
    image->SetCursor(crHandPoint);
    image->SetTag(k);
    image->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    I_L[k - 1] = image;
    TLabel* label = Create_Label(TS_Language, u"L_L" + IntToStr(k), left + 56, top + 17);
    label->SetCursor(crHandPoint);
    label->SetTag(k);
    label->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    L_L[k - 1] = label;
  }
  L_Page_Lang = Create_Label(TS_Language, u"L_Page_Lang", 16, 203);
  Btn_Prev = Create_Dialog_Button(TS_Language, u"Btn_Prev", 270, 196, 100, 28, dgPrevious);
  Btn_Prev->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };
  Btn_Next = Create_Dialog_Button(TS_Language, u"Btn_Next", 376, 196, 100, 28, dgNext);
  Btn_Next->SetLayout(blGlyphRight);
  Btn_Next->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

  // The connection page: the check at start-up is indented under the connection it needs.
  TS_Con_Options = Create_Page(PC_Options, u"TS_Con_Options");
  CB_En_Con = New_Check_Box(this, TS_Con_Options, u"CB_En_Con", 16, 16, 440);
  CB_Update = New_Check_Box(this, TS_Con_Options, u"CB_Update", 40, 42, 416);
  Btn_Check_Update = Create_Dialog_Button(TS_Con_Options, u"Btn_Check_Update", 16, 76, 220, 28, dgWeb);
  Btn_Check_Update->OnClick = [this](TObject* Sender) { Btn_Check_UpdateClick(Sender); };
  LL_Check_Update = new TLinkLabel(this);
  LL_Check_Update->SetName(u"LL_Check_Update");
  LL_Check_Update->SetParent(TS_Con_Options);
  // What the check found, below the button down to the foot of the page: a long text (the check
  // could not be made) breaks into lines and shows whole.
  LL_Check_Update->SetBounds(16, 116, 456, 96);
  LL_Check_Update->SetWordWrap(true);
  LL_Check_Update->SetVisible(false);
  LL_Check_Update->OnLinkClick = [this](TObject* Sender, const String& Link, TSysLinkType LinkType) {
    LL_Check_UpdateLinkClick(Sender, Link, LinkType);
  };

  TS_Soft_Settings = Create_Page(PC_Options, u"TS_Soft_Settings");
  CB_Soft_Set_Jump_Table = New_Check_Box(this, TS_Soft_Settings, u"CB_Soft_Set_Jump_Table", 16, 16, 456);
  CB_DoubleClick_Auto_Size = New_Check_Box(this, TS_Soft_Settings, u"CB_DoubleClick_Auto_Size", 16, 42, 456);

  for (TCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
    box->OnClick = [this](TObject* Sender) { CB_En_ConClick(Sender); };
  PC_Options->SetActivePage(TS_Language);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFSoftOptions::~TFSoftOptions() = default;
