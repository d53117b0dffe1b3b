// The controls of the main window and the two layout passes of its start-up.
#include "app/UAbout.h"
#include "app/UDialogFrame.h"
#include "components/buttons/FadeButton.h"
#include "main/ULumitoreFirmWare.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

namespace {

// Step buttons: 170 x 36, a 24-pixel glyph and a left-aligned caption; sky blue under the mouse.
constexpr Integer Step_Button_Width = 170;
constexpr Integer Step_Button_Height = 36;
constexpr Integer Step_Glyph_Size = 24;
// The three buttons at the top right: 50 x 50, a glyph without caption.
constexpr Integer Corner_Button_Size = 50;
constexpr Integer Corner_Glyph_Size = 32;

constexpr Integer Step_Top(Integer Step) { return Step_First_Top + (Step - 1) * Step_Distance; }

}  // namespace

TLabel* TFLumitoreFirmWare::Step_Label(Integer N) const {
  switch (N) {
    case 1: return L_Step_1;
    case 2: return L_Step_2;
    case 3: return L_Step_3;
    case 4: return L_Step_4;
    case 5: return L_Step_5;
    case 6: return L_Step_6;
    case 7: return L_Step_7;
    case 8: return L_Step_8;
    default: return nullptr;
  }
}

void TFLumitoreFirmWare::Create_Controls() {
  auto label = [this](const String& Name) {
    auto* l = new TLabel(this);
    l->SetName(Name);
    l->SetParent(this);
    l->SetTransparent(true);
    return l;
  };
  auto button = [this](const String& Name, TDialogGlyph Glyph, bool Corner) {
    auto* b = new TFadeButton(this);
    b->SetName(Name);
    b->SetParent(this);
    if (Corner) {
      b->SetBounds(0, 0, Corner_Button_Size, Corner_Button_Size);
      Setup_Dialog_Button(b, Glyph, Corner_Glyph_Size);
    } else {
      b->SetBounds(0, 0, Step_Button_Width, Step_Button_Height);
      Setup_Dialog_Button(b, Glyph, Step_Glyph_Size);
      b->SetAlignment(taLeftJustify);
    }
    b->SetHotTrackColor(clSkyBlue);
    b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
    return b;
  };
  auto shape = [this](const String& Name) {
    auto* s = new TShape(this);
    s->SetName(Name);
    s->SetParent(this);
    s->Pen()->SetColor(clSilver);
    s->Brush()->SetStyle(bsClear);
    return s;
  };

  L_SW_Code = Create_SW_Code_Label(this, this, 16, 8);
  L_SW_Desc = Create_SW_Desc_Label(this, this, 16, 42);
  Shape2 = shape(u"Shape2");
  Shape2->SetBounds(80, 70, 348, 36);
  L_Name_Conf = label(u"L_Name_Conf");
  L_Name_Conf_L2 = label(u"L_Name_Conf_L2");
  L_Begin = label(u"L_Begin");
  for (Integer n = 1; n <= 8; ++n) {
    TLabel* step = label(u"L_Step_" + IntToStr(n));
    step->SetParentFont(false);
    step->Font()->Assign(Font());
    step->Font()->SetStyle(TFontStyles{fsBold});
    step->Font()->SetColor(Title_Text_Color);
    switch (n) {
      case 1: L_Step_1 = step; break;
      case 2: L_Step_2 = step; break;
      case 3: L_Step_3 = step; break;
      case 4: L_Step_4 = step; break;
      case 5: L_Step_5 = step; break;
      case 6: L_Step_6 = step; break;
      case 7: L_Step_7 = step; break;
      default: L_Step_8 = step; break;
    }
  }
  Shape1 = shape(u"Shape1");
  Btn_CreateBin = button(u"Btn_CreateBin", dgUpdateDevice, false);
  L_Tavrel = label(u"L_Tavrel");
  L_Tavrel->SetCaption(Maker_Web_Address_Text());
  L_Tavrel->SetCursor(crHandPoint);
  L_Tavrel->SetParentFont(false);
  L_Tavrel->Font()->Assign(Font());
  L_Tavrel->Font()->SetColor(clNavy);
  L_Tavrel->Font()->SetStyle(TFontStyles{fsUnderline});
  L_Tavrel->OnClick = [this](TObject* Sender) { L_TavrelClick(Sender); };
  Btn_New = button(u"Btn_New", dgNew, false);
  Btn_Open = button(u"Btn_Open", dgOpen, false);
  Btn_Prm_Gen = button(u"Btn_Prm_Gen", dgCommunication, false);
  Btn_EnOcean_Access = button(u"Btn_EnOcean_Access", dgEnOcean, false);
  LL_Update = new TLinkLabel(this);
  LL_Update->SetName(u"LL_Update");
  LL_Update->SetParent(this);
  LL_Update->SetBounds(208, 19, 300, 17);
  LL_Update->SetVisible(false);
  LL_Update->OnLinkClick = [this](TObject* Sender, const String& Link, TSysLinkType LinkType) {
    LL_UpdateLinkClick(Sender, Link, LinkType);
  };
  Btn_Info = button(u"Btn_Info", dgInfo, true);
  Btn_Opz = button(u"Btn_Opz", dgOptions, true);
  Btn_Close = button(u"Btn_Close", dgClose, true);
  // The version check: stored disabled, its first tick a minute after it is armed.
  Timer_Update = new TTimer(this);
  Timer_Update->SetName(u"Timer_Update");
  Timer_Update->SetEnabled(false);
  Timer_Update->SetInterval(60000);
  Timer_Update->OnTimer = [this](TObject* Sender) { Timer_UpdateTimer(Sender); };
  Btn_MQTT_Set_Topic = button(u"Btn_MQTT_Set_Topic", dgCommunication, false);
  Btn_PROFINET_XML = button(u"Btn_PROFINET_XML", dgDescriptionFile, false);
  Btn_BACnet_SetAccess = button(u"Btn_BACnet_SetAccess", dgModify, false);
  Btn_BACnet_EDE_File = button(u"Btn_BACnet_EDE_File", dgDescriptionFile, false);
  SD1 = new TSaveDialog(this);
  SD1->SetName(u"SD1");
  SD1->Filter = EDE_File_Filter;
  Btn_PROFIBUS_GSD = button(u"Btn_PROFIBUS_GSD", dgDescriptionFile, false);
}

void TFLumitoreFirmWare::Layout_Common() {
  L_SW_Code->SetBounds(16, 8, L_SW_Code->Width(), L_SW_Code->Height());
  L_SW_Code->SetVisible(true);
  L_SW_Desc->SetBounds(16, 42, L_SW_Desc->Width(), L_SW_Desc->Height());
  L_SW_Desc->SetVisible(true);
  Shape2->SetBounds(80, 70, 348, 36);
  Shape2->SetVisible(true);
  L_Name_Conf->SetLeft(87);
  L_Name_Conf->SetTop(75);
  L_Name_Conf->SetVisible(true);
  L_Name_Conf_L2->SetLeft(87);
  L_Name_Conf_L2->SetTop(88);
  L_Name_Conf_L2->SetVisible(true);
  L_Begin->SetLeft(16);
  L_Begin->SetTop(84);
  L_Begin->SetVisible(true);

  Btn_Info->SetBounds(516, 8, Corner_Button_Size, Corner_Button_Size);
  Btn_Opz->SetBounds(574, 8, Corner_Button_Size, Corner_Button_Size);
  Btn_Close->SetBounds(632, 8, Corner_Button_Size, Corner_Button_Size);
  for (TFadeButton* b : {Btn_Info, Btn_Opz, Btn_Close}) b->SetVisible(true);

  // The steps every variant shares: New and Open on step 1, the parameters on step 2, the update
  // after them.
  Btn_New->SetBounds(80, Step_Top(1), Step_Button_Width, Step_Button_Height);
  Btn_Open->SetBounds(258, Step_Top(1), Step_Button_Width, Step_Button_Height);
  Btn_Prm_Gen->SetBounds(80, Step_Top(2), Step_Button_Width, Step_Button_Height);
  Btn_CreateBin->SetBounds(80, Step_Top(3), Step_Button_Width, Step_Button_Height);
  for (TFadeButton* b : {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_CreateBin}) b->SetVisible(true);

  // Each step label stands 16 pixels below the top of its row of buttons.
  for (Integer n = 1; n <= 8; ++n) {
    TLabel* step = Step_Label(n);
    step->SetLeft(16);
    step->SetTop(Step_Top(n) + 16);
    step->SetVisible(false);
  }
  L_Tavrel->SetVisible(false);

  // The buttons of the variants: placed where the variants use them, shown by the variant pass.
  Btn_MQTT_Set_Topic->SetBounds(80, 242, Step_Button_Width, Step_Button_Height);
  Btn_BACnet_SetAccess->SetBounds(80, 284, Step_Button_Width, Step_Button_Height);
  Btn_PROFINET_XML->SetBounds(256, 384, Step_Button_Width, Step_Button_Height);
  Btn_BACnet_EDE_File->SetBounds(432, 503, Step_Button_Width, Step_Button_Height);
  for (TFadeButton* b : {Btn_EnOcean_Access, Btn_MQTT_Set_Topic, Btn_PROFINET_XML, Btn_BACnet_SetAccess,
                         Btn_BACnet_EDE_File, Btn_PROFIBUS_GSD})
    b->SetVisible(false);
}

void TFLumitoreFirmWare::Layout_Variant() {
  // EnOcean / PROFIBUS slave: five steps, the network on step 3, the GSD file on step 4 and the
  // update on step 5.
  for (Integer n = 1; n <= 5; ++n) Step_Label(n)->SetVisible(true);
  L_Tavrel->SetLeft(565);
  L_Tavrel->SetTop(L_Step_5->Top());
  L_Tavrel->SetVisible(true);
  Btn_EnOcean_Access->SetBounds(80, Step_Top(3), Step_Button_Width, Step_Button_Height);
  Btn_EnOcean_Access->SetVisible(true);
  Btn_PROFIBUS_GSD->SetBounds(80, Step_Top(4), Step_Button_Width, Step_Button_Height);
  Btn_PROFIBUS_GSD->SetVisible(true);
  Btn_CreateBin->SetTop(Step_Top(5));

  // Tab walks the shown buttons as the user reads them: the steps from New to Update Device, then
  // About, Options and Close. The first of them takes the focus when the window opens, so Enter
  // or the space bar at start never runs Update Device.
  Integer order = 0;
  for (TFadeButton* b : {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_EnOcean_Access, Btn_PROFIBUS_GSD, Btn_CreateBin,
                         Btn_Info, Btn_Opz, Btn_Close})
    b->SetTabOrder(order++);

  // The separator under the last step, and the window's height after it.
  Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
  Shape1->SetVisible(true);
  SetClientWidth(Main_Client_Width);
  SetClientHeight(Btn_CreateBin->Top() + 152);
}
