// What every dialog of the configurator does alike: the background colour, the Verdana font, the
// window centred on the screen with a single border and only the system menu, the title panel
// `P_Title` with the software code and the dialog's description, the button panel `P_Button` along
// the bottom, and the look of the push buttons with their built-in glyphs.
//
// A dialog derives from TFDialog and, in its layout source, creates its controls in the design's
// order, calling Create_Title_Panel and Create_Button_Panel where the panels come, and
// Create_Dialog_Button for each push button:
//
//   TFParGen::TFParGen(TComponent* AOwner) : TFDialog(AOwner) {
//     Create_Title_Panel();
//     Create_Button_Panel();
//     Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 16, 6, 110, 28, dgOK);
//     Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 134, 6, 110, 28, dgCancel, mrCancel);
//     ...
//     Set_Client_Size(500, 400);
//   }
#pragma once

#include "platform/gui/Forms.h"

class TBitmap;
class TFadeButton;
class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;

// The background of every dialog and of the main window.
constexpr TColor Dialog_Color = 0x00EDF7F8;
// The font of every dialog: Verdana, 11 pixels.
extern const String Dialog_Font_Name;
constexpr Integer Dialog_Font_Height = -11;
// The software code in the title: 32-pixel grey Verdana; the description: bold grey.
constexpr Integer SW_Code_Font_Height = -32;
constexpr TColor Title_Text_Color = clGray;
constexpr Integer Title_Panel_Height = 69;
constexpr Integer Button_Panel_Height = 40;
// The push buttons: drawn in the Encarta style on the dialog's colour, orange while pressed,
// yellow under the mouse, grey light edge; their hints are shown.
constexpr TColor Button_Color_When_Down = 0x000080FF;
constexpr TColor Button_Hot_Track_Color = clYellow;
constexpr TColor Button_Light_Color = clGray;

// The built-in button glyphs.
enum TDialogGlyph {
  dgNone,
  dgOK,
  dgCancel,
  dgNew,
  dgOpen,
  dgCommunication,
  dgEnOcean,
  dgDescriptionFile,
  dgUpdateDevice,
  dgInfo,
  dgOptions,
  dgClose,
  dgAdd,
  dgDelete,
  dgModify,
  dgCopy,
  dgPaste,
  dgPrevious,
  dgNext,
  dgWeb
};
// The side of the glyph of a dialog's push button.
constexpr Integer Dialog_Glyph_Size = 16;
// The colour a glyph bitmap leaves transparent (its bottom-left pixel).
constexpr TColor Glyph_Transparent_Color = 0xFF00FF;

// Draws a built-in glyph into Bitmap, Size x Size pixels on the transparent colour (dgNone leaves
// it empty of any picture).
void Draw_Dialog_Glyph(TBitmap* Bitmap, TDialogGlyph Glyph, Integer Size = Dialog_Glyph_Size);

// Gives a form the dialogs' look: the colour, the font, a single border with the system menu only,
// centred on the screen, not scaled, hints shown.
void Setup_Dialog_Form(TCustomForm* Form);

// Gives a push button the dialogs' look (Encarta style, the colours above, no hot-track font,
// hints shown) and its glyph (dgNone: none).
void Setup_Dialog_Button(TFadeButton* Button, TDialogGlyph Glyph, Integer GlyphSize = Dialog_Glyph_Size);

// Creates a label owned by Owner on Parent: the software code (32-pixel grey Verdana, the text
// SW_Code) or the description (bold grey), at (Left, Top), sized to its text.
TLabel* Create_SW_Code_Label(TComponent* Owner, TWinControl* Parent, Integer Left, Integer Top);
TLabel* Create_SW_Desc_Label(TComponent* Owner, TWinControl* Parent, Integer Left, Integer Top);

// Opens a web link with the desktop's program for it; where none opens it, an error box with
// text 1709 and the address says so.
void Open_Web_Link(const String& Url);

// The base of the configurator's dialogs.
class TFDialog : public TForm {
 public:
  // Sets the look (Setup_Dialog_Form); the controls come from the derived class.
  explicit TFDialog(TComponent* AOwner);
  String ClassName() const override { return u"TFDialog"; }

  // Created by Create_Title_Panel / Create_Button_Panel; nullptr until then.
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;

  // The client area's size, as the design states it.
  void Set_Client_Size(Integer Width, Integer Height);

 protected:
  // The title panel along the top, 69 high, with L_SW_Code (showing SW_Code) at (16, 8) and
  // L_SW_Desc at (16, 42).
  void Create_Title_Panel();
  // The button panel along the bottom, 40 high.
  void Create_Button_Panel();
  // A push button on Parent with the dialogs' look, its glyph and modal result.
  TFadeButton* Create_Dialog_Button(TWinControl* Parent, const String& Name, Integer Left, Integer Top,
                                    Integer Width, Integer Height, TDialogGlyph Glyph,
                                    TModalResult Result = mrNone);
  // A label on Parent at (Left, Top), sized to its text.
  TLabel* Create_Label(TWinControl* Parent, const String& Name, Integer Left, Integer Top);
  // A page added at the end of Control.
  TTabSheet* Create_Page(TPageControl* Control, const String& Name);
};
