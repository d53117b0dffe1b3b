#include "descriptions/BACnetEngUnits.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(BACnetEngUnits, NamesUnitsByTheirNumber) {
  const std::pair<Integer, String> cases[] = {
      {0, u"square-meters"},
      {62, u"degrees-Celsius"},
      {90, u"degrees-angular"},
      {166, u"meters-per-second-per-second"},
      {207, u"per-mille"},
      {236, u"minutes-per-degree-kelvin"},
      {237, u"unknown"},
      {-1, u"unknown"},
      {1000, u"unknown"},
  };
  for (const auto& [number, name] : cases) {
    EXPECT_EQ(Desc_Unit(number), name) << number;
  }
}

TEST(BACnetEngUnits, EveryUnitStandsInExactlyOneCategory) {
  ASSERT_EQ(Eng_Unit_Category_Count(), 23);
  const std::vector<String> names = TBACnet_Eng_Unit_Model().Type_Names();
  const std::vector<String> expected = {
      u"Acceleration", u"Area",        u"Currency",  u"Electrical",  u"Energy",
      u"Enthalpy",     u"Entropy",     u"Force",     u"Frequency",   u"Humidity",
      u"Length",       u"Light",       u"Mass",      u"Mass Flow",   u"Power",
      u"Pressure",     u"Temperature", u"Time",      u"Torque",      u"Velocity",
      u"Volume",       u"Volumetric Flow", u"Other"};
  EXPECT_EQ(names, expected);

  std::map<Integer, int> seen;
  for (Integer i = 0; i < Eng_Unit_Category_Count(); ++i) {
    for (Integer unit : Eng_Unit_Category_Units(i)) ++seen[unit];
  }
  EXPECT_EQ(seen.size(), 237u);
  for (const auto& [unit, count] : seen) {
    EXPECT_TRUE(unit >= 0 && unit <= 236) << unit;
    EXPECT_EQ(count, 1) << unit;
    EXPECT_NE(Desc_Unit(unit), u"unknown") << unit;
  }
  EXPECT_TRUE(Eng_Unit_Category_Units(23).empty());
  EXPECT_EQ(Eng_Unit_Category_Name(-1), u"");
}

TEST(BACnetEngUnits, ListsTheUnitsOfACategoryInTheirOrder) {
  TBACnet_Eng_Unit_Model model;
  EXPECT_EQ(model.Type_Index(), 0);
  EXPECT_EQ(model.Unit_Names(), std::vector<String>{u"meters-per-second-per-second"});
  model.Select_Type(1);
  EXPECT_EQ(model.Unit_Names(), (std::vector<String>{u"square-meters", u"square-centimeters",
                                                     u"square-feet", u"square-inches"}));
  model.Select_Type(16);
  EXPECT_EQ(model.Unit_Names().front(), u"degrees-Celsius");
  EXPECT_EQ(model.Unit_Names().size(), 9u);
  EXPECT_EQ(model.Unit_Index(), 0);
  model.Select_Type(40);  // outside the list: nothing changes
  EXPECT_EQ(model.Type_Index(), 16);
}

TEST(BACnetEngUnits, TheSelectButtonTakesTheChosenUnit) {
  TBACnet_Eng_Unit_Model model;
  // What the table hands over before showing.
  model.Set_Selected_EU(u"62");
  EXPECT_EQ(model.Label5(), u"-> degrees-Celsius");
  model.Set_Selected_EU(u"abc");
  EXPECT_EQ(model.Selected_EU(), u"abc");
  EXPECT_EQ(model.Label5(), u"-> unknown");
  model.Set_Selected_EU(u"0x3E");  // 62 only when read as hexadecimal
  EXPECT_EQ(model.Label5(), u"-> unknown");

  model.Select_Type(22);  // "Other", its first unit chosen
  model.Select_Eng_Unit();
  EXPECT_EQ(model.Selected_EU(), u"90");
  EXPECT_EQ(model.Label5(), u"-> degrees-angular");

  model.Select_Unit(model.Unit_Names().size() - 1);
  model.Select_Eng_Unit();
  EXPECT_EQ(model.Selected_EU(), u"236");
  EXPECT_EQ(model.Label5(), u"-> minutes-per-degree-kelvin");

  model.Select_Unit(-1);  // none chosen: 0
  model.Select_Eng_Unit();
  EXPECT_EQ(model.Selected_EU(), u"0");
  EXPECT_EQ(model.Label5(), u"-> square-meters");

  // The category stays chosen for the next use of the dialog.
  EXPECT_EQ(model.Type_Index(), 22);
}

}  // namespace
