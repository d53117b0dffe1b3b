#include "main/Unit1.h"

#include <gtest/gtest.h>

#include "enocean/UEnOcean_Catalog.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/TestHarness.h"
#include "platform/rtl/Classes.h"

namespace {

class TestFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm1(nullptr);
    Form->AfterConstruction();
  }
  void TearDown() override { TComponent::Free(Form); }
  TForm1* Form = nullptr;
};

TEST_F(TestFormTest, MissingCatalogueSaysErrorAndKeepsTheLists) {
  ASSERT_TRUE(Form->Catalog_EnOcean);
  TestHarness::ExpectMessage(u"Error", mtCustom);
  Form->Button1Click(Form->Button1);
  EXPECT_TRUE(TestHarness::Verify());
  EXPECT_EQ(Form->CB_Rorg->Items()->Count(), 0);
}

// The lists cascade from the RORG to its FUNCs and from the FUNC to its TYPEs.
TEST_F(TestFormTest, ListsCascade) {
  ASSERT_TRUE(Form->Catalog_EnOcean->Read_Cat_EnOcean_XML(Utf8ToString(std::string(KP_FIXTURES_DIR) + "/main/eep.xml")));
  Form->CB_Rorg->Items()->Add(Form->Catalog_EnOcean->Rorg_SL[0]);
  Form->CB_Rorg->SetItemIndex(0);
  Form->CB_RorgChange(Form->CB_Rorg);
  ASSERT_EQ(Form->CB_Func->Items()->Count(), 1);
  EXPECT_EQ(Form->CB_Func->Items()->Get(0), u"0x02 : Rocker Switch, 2 Rocker");
  Form->CB_Func->SetItemIndex(0);
  Form->CB_FuncChange(Form->CB_Func);
  ASSERT_EQ(Form->CB_Type->Items()->Count(), 1);
  EXPECT_EQ(Form->CB_Type->Items()->Get(0), u"0x01 : Application Style 1");
  Form->CB_TypeChange(Form->CB_Type);
  EXPECT_EQ(Form->CB_DataField->Items()->Count(), 0);
}

TEST_F(TestFormTest, Controls) {
  EXPECT_EQ(Form->Label1->Caption(), u"RORG");
  EXPECT_EQ(Form->Label4->Caption(), u"DATAFIELD");
  EXPECT_EQ(Form->Button1->Caption(), u"Carica XML");
  for (TComboBox* list : {Form->CB_Rorg, Form->CB_Func, Form->CB_Type, Form->CB_DataField}) {
    EXPECT_EQ(list->Width(), 401);
    EXPECT_EQ(list->Style(), csOwnerDrawFixed);
  }
}

}  // namespace
