// The Smart-ACK variable dialog's controls: the title panel, the EEP block (RORG, FUNC, TYPE), the
// IN block and the OUT block (a case list and the case's table each), the button panel with OK and
// Cancel. Labels are at left 16, lists at left 134 and 307 wide, tables at left 16 and 425 wide;
// lists and tables stretch with the window's width. The captions are the design's: the dialog
// takes none from the text table.
#include <vector>

#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Variable_SAck.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

namespace {

constexpr Integer Client_Width = 464;
constexpr Integer Client_Height = 694;
constexpr Integer Label_Left = 16;
constexpr Integer Grid_Left = 16;
constexpr Integer Grid_Width = 425;
constexpr Integer Grid_Height = 137;

// The columns of a case's table: header, width, editor.
struct TVars_Column {
  const char16_t* Header;
  Integer Width;
  TEditorType Editor;
};
const TVars_Column Vars_Columns[] = {
    {u"Variables", 100, edNormal},
    {u"Enable", 45, edDataCheckBox},
    {u"Position", 100, edNormal},
    {u"Bit Start", 64, edComboList},
};

}  // namespace

TExColumnGrid* TFEnOcean_Variable_SAck::Create_Vars_Grid(const String& Name, Integer Top) {
  auto* grid = new TExColumnGrid(this);
  grid->SetName(Name);
  grid->SetParent(this);
  grid->SetBounds(Grid_Left, Top, Grid_Width, Grid_Height);
  grid->SetAnchors(akLeft | akTop | akRight);
  grid->SetTabStop(true);
  grid->SetColCount(4);
  grid->SetRowCount(2);
  grid->SetFixedRows(1);
  grid->SetFixedCols(1);
  grid->SetRowHeights(0, 22);
  grid->SetOptions(grid->Options() << goEditing << goColSizing);
  // A data field's line that its cell cuts shows whole as the cell's hint.
  grid->SetShowHint(true);
  grid->SetHintShowLargeText(true);
  for (Integer c = 0; c < 4; ++c) {
    TGridColumnItem* item = grid->Columns()->Items(c);
    item->SetHeader(Vars_Columns[c].Header);
    item->SetWidth(Vars_Columns[c].Width);
    item->SetEditor(Vars_Columns[c].Editor);
  }
  // The Enable column: a check box stored as "Y" / "N", centred.
  TGridColumnItem* enable = grid->Columns()->Items(1);
  enable->SetCheckTrue(u"Y");
  enable->SetCheckFalse(u"N");
  enable->SetAlignment(taCenter);
  // The Bit Start column: one of "0" to "7".
  TGridColumnItem* bit_start = grid->Columns()->Items(3);
  bit_start->ComboItems()->Clear();
  for (const String& item : BitStart_Items()) bit_start->ComboItems()->Add(item);
  return grid;
}

void TFEnOcean_Variable_SAck::Create_Controls() {
  // The width may change, the height may not. The client area comes first, so the controls that
  // stretch keep their distance to the right edge of the designed area.
  SetBorderStyle(bsSizeable);
  Set_Client_Size(Client_Width, Client_Height);
  SetCaption(u"Add EnOcean Variable");
  Create_EEP_Block(true);
  L_SW_Desc->SetCaption(u"Add EnOcean Device");
  L_EEP->SetCaption(u"EEP");
  L_EEP_RORG->SetCaption(u"Rorg");
  L_EEP_FUNC->SetCaption(u"Func");
  L_EEP_TYPE->SetCaption(u"Type");
  L_Variable->SetCaption(u"Variables Smart Ack - Case IN");
  L_Var_CASE->SetCaption(u"Case");
  CB_Var_Case_IN = Create_List(u"CB_Var_Case_IN", 235, true);
  ACG_Vars_Case_IN = Create_Vars_Grid(u"ACG_Vars_Case_IN", 272);

  Label1 = Create_Label(this, u"Label1", Label_Left, 438);
  Label1->Font()->SetStyle(TFontStyles{fsBold});
  Label1->SetCaption(u"Variables Smart Ack - Case OUT");
  Label2 = Create_Label(this, u"Label2", Label_Left, 467);
  Label2->SetCaption(u"Case");
  CB_Var_Case_OUT = Create_List(u"CB_Var_Case_OUT", 467, true);
  ACG_Vars_Case_OUT = Create_Vars_Grid(u"ACG_Vars_Case_OUT", 504);

  Create_OK_Cancel();
  Btn_OK->SetCaption(u"OK");
  Btn_Cancel->SetCaption(u"Cancel");

  // Tab order: the inputs from top to bottom, then the buttons.
  const std::vector<TWinControl*> order = {CB_EEP_Rorg,      CB_EEP_Func,     CB_EEP_Type,      CB_Var_Case_IN,
                                           ACG_Vars_Case_IN, CB_Var_Case_OUT, ACG_Vars_Case_OUT};
  for (size_t i = 0; i < order.size(); ++i) order[i]->SetTabOrder(static_cast<Integer>(i));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnCanResize = [this](TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize) {
    FormCanResize(Sender, NewWidth, NewHeight, Resize);
  };
  for (TComboBox* list : {CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, CB_Var_Case_IN, CB_Var_Case_OUT}) {
    list->OnChange = [this](TObject* Sender) { CB_EEP_Var_Change(Sender); };
  }
}
