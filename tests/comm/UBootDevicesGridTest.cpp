// The device list of the update dialog's search panel: a column grid on the always hidden panel,
// with its column headers and hint from the text table, re-labelled with the dialog.
#include <gtest/gtest.h>

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "comm/UBoot.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExCGrid.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/TestHarness.h"
#include "tests/comm/CommTestSupport.h"

namespace {

class UBootDevicesGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Texts();
    SW_Code = u"KP31A08";
    Path_Program = Dir.Path();
    Last_IP_Address = u"10.1.1.1";
    Form = new TFBoot(Application);
    Form->AfterConstruction();
    Form->Com_Device_Folder = Ports.Path();
  }
  void TearDown() override {
    EXPECT_TRUE(TestHarness::Verify());
    delete Form;
    Path_Program.clear();
    Last_IP_Address = Def_Last_IP_Address;
    Load_Default_Texts();
  }

  // The header texts of the two columns, as the items hold them and as row 0 shows them.
  void Expect_Headers(const String& IP, const String& MAC) const {
    TExColumnGrid* grid = Form->ACG_List_Devices;
    EXPECT_EQ(grid->Columns()->GetItem(0)->Header(), IP);
    EXPECT_EQ(grid->Columns()->GetItem(1)->Header(), MAC);
    EXPECT_EQ(grid->Cells(0, 0), IP);
    EXPECT_EQ(grid->Cells(1, 0), MAC);
  }

  TTempFolder Dir;
  TTempFolder Ports;  // no serial ports in it
  TFBoot* Form = nullptr;
};

TEST_F(UBootDevicesGrid, TheListLiesOnTheHiddenSearchPanel) {
  TExColumnGrid* grid = Form->ACG_List_Devices;
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Parent(), Form->P_Eth_Search);
  EXPECT_EQ(grid->Left(), 16);
  EXPECT_EQ(grid->Top(), 30);
  EXPECT_EQ(grid->Width(), 417);
  EXPECT_EQ(grid->Height(), 125);
  // Two columns under a header row, no device in it.
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Columns()->Count(), 2);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cells(0, 1), u"");
  EXPECT_EQ(grid->Cells(1, 1), u"");
  Expect_Headers(u"IP Address", u"MAC Address");
  EXPECT_EQ(grid->Hint(), u"Select a device in the list");
  EXPECT_TRUE(grid->ShowHint());

  // Neither layout shows the search panel.
  for (const Integer form_type : {Boot_Form_Ethernet, Boot_Form_Serial}) {
    SCOPED_TRACE(form_type);
    Form->Form_Type = form_type;
    Form->Hide();
    TestHarness::ShowForm(Form);
    EXPECT_FALSE(Form->P_Eth_Search->Visible());
    EXPECT_FALSE(grid->Showing());
  }
  Form->Hide();
}

TEST_F(UBootDevicesGrid, TheHeadersAndHintFollowTheLanguage) {
  Text_SL->SetStrings(911, u"Indirizzo IP");
  Text_SL->SetStrings(912, u"Indirizzo MAC");
  Text_SL->SetStrings(930, u"Seleziona un dispositivo");
  Form->Set_Lang();
  Expect_Headers(u"Indirizzo IP", u"Indirizzo MAC");
  EXPECT_EQ(Form->ACG_List_Devices->Hint(), u"Seleziona un dispositivo");
  EXPECT_EQ(Form->ACG_List_Devices->ColumnHeaders()->Strings(0), u"Indirizzo IP");
}

}  // namespace
