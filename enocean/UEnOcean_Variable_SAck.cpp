#include "enocean/UEnOcean_Variable_SAck.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "components/buttons/FadeButton.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/StdCtrls.h"

TFEnOcean_Variable_SAck* FEnOcean_Variable_SAck = nullptr;

namespace {

// The columns of a case's table.
constexpr Integer Col_Variable = 0;
constexpr Integer Col_Enable = 1;
constexpr Integer Col_Position = 2;
constexpr Integer Col_BitStart = 3;

// The start bit of a Bit Start cell: its position among "0" to "7", 0 for any other text.
Integer Bit_Start_Of(const String& Text) {
  const std::vector<String>& items = BitStart_Items();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == Text) return static_cast<Integer>(i);
  }
  return 0;
}

}  // namespace

TFEnOcean_Variable_SAck::TFEnOcean_Variable_SAck(TComponent* AOwner) : TFEnOcean_Variable_Base(AOwner) {
  Create_Controls();
}

void TFEnOcean_Variable_SAck::FormCreate(TObject* /*Sender*/) {
  L_SW_Code->SetCaption(SW_Code);
  Set_Client_Size(464, 694);
  Form_Height = Height();
  Set_Lang();
  Refill(CB_EEP_Rorg, &EnOcean_Catalog().Rorg_SL);
}

void TFEnOcean_Variable_SAck::Set_Lang() {}

void TFEnOcean_Variable_SAck::FormShow(TObject* /*Sender*/) {
  CB_EEP_Rorg->SetEnabled(false);
  Choose(CB_EEP_Rorg, SAck_Rorg_Position);
  CB_EEP_Func->SetEnabled(false);
  Choose(CB_EEP_Func, SAck_Func_Position);
}

void TFEnOcean_Variable_SAck::FormCanResize(TObject* /*Sender*/, Integer& /*NewWidth*/, Integer& NewHeight,
                                            bool& Resize) {
  // Until the creation has taken the height there is none to keep.
  if (Form_Height > 0) NewHeight = Form_Height;
  Resize = true;
}

void TFEnOcean_Variable_SAck::Choose(TComboBox* List, Integer Index) {
  // A position the list does not hold (a catalogue too short) selects nothing.
  List->SetItemIndex(Index < List->Items()->Count() ? Index : -1);
  CB_EEP_Var_Change(List);
}

void TFEnOcean_Variable_SAck::Clear_Table(TExColumnGrid* ACG) {
  ACG->SetRowCount(2);
  for (Integer c = 0; c < ACG->ColCount(); ++c) ACG->SetCells(c, 1, u"");
}

void TFEnOcean_Variable_SAck::Clear_Table_IN() { Clear_Table(ACG_Vars_Case_IN); }

void TFEnOcean_Variable_SAck::Clear_Table_OUT() { Clear_Table(ACG_Vars_Case_OUT); }

void TFEnOcean_Variable_SAck::Table_Show_Vars(TExColumnGrid* ACG, const std::vector<String>& VList) {
  // A case without data fields empties the table, so no row of an earlier case stays behind
  // under this one.
  if (VList.empty()) {
    Clear_Table(ACG);
    return;
  }
  ACG->SetRowCount(static_cast<Integer>(VList.size()) + 1);
  for (size_t i = 0; i < VList.size(); ++i) {
    const Integer row = static_cast<Integer>(i) + 1;
    ACG->SetCells(Col_Variable, row, VList[i]);
    ACG->SetCells(Col_Enable, row, u"Y");
    ACG->SetCells(Col_Position, row, u"");
    ACG->SetCells(Col_BitStart, row, u"0");
  }
}

void TFEnOcean_Variable_SAck::CB_EEP_Var_Change(TObject* Sender) {
  const TCatalog_Level level =
      Cascade_Catalog_Lists({CB_EEP_Rorg, CB_EEP_Func, CB_EEP_Type, {CB_Var_Case_IN, CB_Var_Case_OUT}, nullptr}, Sender);
  if (level == catCase) {
    // A case shows its data fields in its own table.
    const bool in = Sender == CB_Var_Case_IN;
    const TCase* case_ = EnOcean_Catalog().Get_Case(CB_EEP_Rorg->ItemIndex(), CB_EEP_Func->ItemIndex(),
                                                    CB_EEP_Type->ItemIndex(),
                                                    (in ? CB_Var_Case_IN : CB_Var_Case_OUT)->ItemIndex());
    static const std::vector<String> none;
    Table_Show_Vars(in ? ACG_Vars_Case_IN : ACG_Vars_Case_OUT, case_ ? case_->DataField_SL : none);
  } else if (level != catNone) {
    Clear_Table_IN();
    Clear_Table_OUT();
  }
}

std::vector<TSAck_Var_Row> TFEnOcean_Variable_SAck::Table_Rows(TExColumnGrid* ACG) {
  std::vector<TSAck_Var_Row> rows;
  for (Integer row = 1; row < ACG->RowCount(); ++row) {
    TSAck_Var_Row r;
    r.DataInd = row - 1;
    r.Enabled = ACG->Cells(Col_Enable, row) == u"Y";
    r.Position = ACG->Cells(Col_Position, row);
    r.BitStart = Bit_Start_Of(ACG->Cells(Col_BitStart, row));
    rows.push_back(r);
  }
  return rows;
}

TSAck_Choice TFEnOcean_Variable_SAck::SAck_Choice() const {
  TSAck_Choice choice;
  choice.RorgInd = CB_EEP_Rorg->ItemIndex();
  choice.FuncInd = CB_EEP_Func->ItemIndex();
  choice.TypeInd = CB_EEP_Type->ItemIndex();
  choice.CaseInInd = CB_Var_Case_IN->ItemIndex();
  choice.CaseOutInd = CB_Var_Case_OUT->ItemIndex();
  choice.RowsIn = Table_Rows(ACG_Vars_Case_IN);
  choice.RowsOut = Table_Rows(ACG_Vars_Case_OUT);
  return choice;
}

bool TFEnOcean_Variable_SAck::ISNewEEP(Integer& Index) const { return Is_New_EEP(SAck_Choice(), Index); }

bool TFEnOcean_Variable_SAck::Check_Var(Integer Index) const { return Has_Var(SAck_Choice(), Index); }

TVariable_Check TFEnOcean_Variable_SAck::Check_Choice(const TDevice_EnOcean& Device) const {
  return Check_SAck_Data(EnOcean_Catalog(), Device, SAck_Choice());
}
