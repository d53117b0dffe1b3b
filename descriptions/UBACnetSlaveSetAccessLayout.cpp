// The controls of the BACnet slave object tables: the title, the page control with the in-Read and
// the in-Write table, and the button panel with the row buttons on the left and OK and Cancel on
// the right. The window may be maximised; the tables then grow with it.
#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/BACnetSlaveChecks.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/Classes.h"

namespace {

struct TColumn_Design {
  Integer Column;
  TEditorType Editor;
  Integer Width;
};

const TColumn_Design Columns_Design[] = {
    {bsoNumber, edNormal, 40},       {bsoData_Type, edComboList, 170}, {bsoEng_Unit, edNormal, 70},
    {bsoPosition, edComboList, 70},  {bsoBit, edComboList, 65},        {bsoLength, edNormal, 60},
    {bsoSwap, edDataCheckBox, 50},   {bsoMnemonic, edNormal, 200}};

TTabSheet* New_Page(TComponent* Owner, TPageControl* Control, const String& Name) {
  auto* page = new TTabSheet(Owner);
  page->SetName(Name);
  page->SetPageControl(Control);
  return page;
}

// A table filling its page: the fixed row-number column and header row, editable cells, the start
// bits "0" to "7" to choose from. The type and position lists are filled by the dialog.
TExColumnGrid* New_Table(TComponent* Owner, TTabSheet* Page, const String& Name) {
  auto* grid = new TExColumnGrid(Owner);
  grid->SetName(Name);
  grid->SetParent(Page);
  grid->SetAlign(alClient);
  grid->SetColCount(bsoColumnCount);
  grid->SetRowCount(BACnet_Slave_Object_Limit(false) + 1);
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  grid->SetDefaultRowHeight(20);
  grid->SetOptions(grid->Options() << goEditing << goColSizing);
  for (const TColumn_Design& d : Columns_Design) {
    TGridColumnItem* item = grid->Columns()->GetItem(d.Column);
    item->SetEditorType(d.Editor);
    item->SetCheckTrue(u"Y");
    item->SetCheckFalse(u"N");
    item->SetWidth(d.Width);
  }
  TStringList* bits = grid->Columns()->GetItem(bsoBit)->ComboItems();
  bits->Clear();
  for (Integer b = 0; b <= 7; ++b) bits->Add(IntToStr(b));
  return grid;
}

}  // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner) : TFDialog(AOwner) {
  SetName(u"FBACnetSlaveSetAccess");
  Set_Client_Size(764, 337);
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu | biMaximize);

  Create_Title_Panel();
  Create_Button_Panel();
  Btn_DelRow = Create_Dialog_Button(P_Button, u"Btn_DelRow", 16, 6, 110, 28, dgDelete);
  Btn_DelRow->OnClick = [this](TObject* Sender) { Btn_DelRow_Click(Sender); };
  Btn_InsRow = Create_Dialog_Button(P_Button, u"Btn_InsRow", 134, 6, 110, 28, dgAdd);
  Btn_InsRow->OnClick = [this](TObject* Sender) { Btn_InsRowClick(Sender); };
  Btn_CopyRow = Create_Dialog_Button(P_Button, u"Btn_CopyRow", 252, 6, 110, 28, dgCopy);
  Btn_CopyRow->OnClick = [this](TObject* Sender) { Btn_CopyRowClick(Sender); };
  Btn_PasteRow = Create_Dialog_Button(P_Button, u"Btn_PasteRow", 370, 6, 110, 28, dgPaste);
  Btn_PasteRow->OnClick = [this](TObject* Sender) { Btn_PasteRowClick(Sender); };
  Btn_OK = Create_Dialog_Button(P_Button, u"Btn_OK", 520, 6, 110, 28, dgOK);
  Btn_OK->OnClick = [this](TObject* Sender) { bitbtn1Click(Sender); };
  Btn_Cancel = Create_Dialog_Button(P_Button, u"Btn_Cancel", 638, 6, 110, 28, dgCancel, mrCancel);

  PageControl1 = new TPageControl(this);
  PageControl1->SetName(u"PageControl1");
  PageControl1->SetParent(this);
  PageControl1->SetAlign(alClient);
  TS_BACnet_in_Read = New_Page(this, PageControl1, u"TS_BACnet_in_Read");
  TS_BACnet_in_Write = New_Page(this, PageControl1, u"TS_BACnet_in_Write");

  ACG_BACnet_in_Read = New_Table(this, TS_BACnet_in_Read, u"ACG_BACnet_in_Read");
  ACG_BACnet_in_Write = New_Table(this, TS_BACnet_in_Write, u"ACG_BACnet_in_Write");
  ACG_BACnet_in_Read->OnDblClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
    ACG_BACnet_in_ReadDblClickCell(Sender, ARow, ACol);
  };
  ACG_BACnet_in_Write->OnDblClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) {
    ACG_BACnet_in_WriteDblClickCell(Sender, ARow, ACol);
  };
  ACG_BACnet_in_Write->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                              const String& ASelection) {
    ACG_BACnet_in_WriteComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
  };
  ACG_BACnet_in_Read->OnGridHint = [this](TObject* Sender, Integer ARow, Integer ACol, String& hintstr) {
    GridHint(Sender, ARow, ACol, hintstr);
  };
  for (TExColumnGrid* grid : {ACG_BACnet_in_Read, ACG_BACnet_in_Write}) {
    grid->OnClickCell = [this](TObject* Sender, Integer ARow, Integer ACol) { ClickCell(Sender, ARow, ACol); };
    // An in-place editor reports its keys with itself as the sender; the handler is given the grid.
    grid->OnKeyPress = [this, grid](TObject*, Char& Key) { KeyPress(grid, Key); };
  }
  PageControl1->SetActivePage(TS_BACnet_in_Read);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}
