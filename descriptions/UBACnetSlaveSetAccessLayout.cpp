// The controls of the BACnet slave object tables: the title, the page control with the in-Read and
// the in-Write table, and the button panel with the row buttons on the left and OK and Cancel on
// the right. The window may be maximised; the tables then grow with it.
#include <tuple>

#include "components/buttons/FadeButton.h"
#include "components/grid/ExCGrid.h"
#include "descriptions/BACnetSlaveChecks.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "platform/gui/ComCtrls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

std::vector<TTable_Column_Design> Columns_Design() {
  std::vector<String> bits;
  for (Integer b = 0; b <= 7; ++b) bits.push_back(IntToStr(b));
  return {{bsoNumber, edNormal, 40, {}},      {bsoData_Type, edComboList, 170, {}}, {bsoEng_Unit, edNormal, 70, {}},
          {bsoPosition, edComboList, 70, {}}, {bsoBit, edComboList, 65, bits},      {bsoLength, edNormal, 60, {}},
          {bsoSwap, edDataCheckBox, 50, {}},  {bsoMnemonic, edNormal, 200, {}}};
}

}  // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner) : TFTable_Dialog(AOwner) {
  SetName(u"FBACnetSlaveSetAccess");
  Set_Client_Size(764, 337);
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu | biMaximize);
  // The row delete question and "Error row " of a failed check.
  Text_Delete_Question = 1960;
  Text_Error_Row = 1932;

  std::tie(TS_BACnet_in_Read, TS_BACnet_in_Write) =
      Create_Table_Frame(520, u"TS_BACnet_in_Read", u"TS_BACnet_in_Write");
  // The type and position lists are filled by the dialog.
  const Integer rows = BACnet_Slave_Object_Limit(false) + 1;
  ACG_BACnet_in_Read = New_Table(this, TS_BACnet_in_Read, u"ACG_BACnet_in_Read", Columns_Design(), rows);
  ACG_BACnet_in_Write = New_Table(this, TS_BACnet_in_Write, u"ACG_BACnet_in_Write", Columns_Design(), rows);
  Set_Tables(ACG_BACnet_in_Read, &Do_Copy_Read, ACG_BACnet_in_Write, &Do_Copy_Write);
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
