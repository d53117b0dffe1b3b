// The BACnet engineering units: the unit table (numbers 0 to 236 with their standard identifiers),
// the 23 categories the unit picker offers, and the picker's selection state, kept apart from the
// dialog so the dialog only shows it.
#pragma once

#include <vector>

#include "platform/rtl/System.h"

// Highest unit number of the table; every number from 0 to it has a name.
constexpr Integer Eng_Unit_Max = 236;

// The name of unit Num_Unit ("degrees-Celsius" for 62), "unknown" outside 0 to Eng_Unit_Max.
String Desc_Unit(Integer Num_Unit);

// The categories, in the order of the category list.
Integer Eng_Unit_Category_Count();
// The name of category Index ("Acceleration" for 0); "" outside the list.
String Eng_Unit_Category_Name(Integer Index);
// The unit numbers of category Index in the order of the unit list; empty outside the list.
const std::vector<Integer>& Eng_Unit_Category_Units(Integer Index);

// The label that shows a unit cell's text: "-> " and the name of the text read as an integer
// (a text that is not a number shows the name of -1, "unknown").
String Eng_Unit_Label(const String& Unit_Text);

// The selection of the unit picker: the chosen category (kept between uses of the dialog), the
// unit list of that category with its chosen item, the selected unit number as text (the edit
// box the caller fills and reads back) and the label that names it.
class TBACnet_Eng_Unit_Model {
 public:
  // Starts on the first category, "Acceleration", with its unit list filled.
  TBACnet_Eng_Unit_Model();

  // What the caller hands over before showing: the cell's text and its label.
  void Set_Selected_EU(const String& Text);
  const String& Selected_EU() const { return FSelected_EU; }
  const String& Label5() const { return FLabel5; }

  // The category list: its names and the chosen index.
  std::vector<String> Type_Names() const;
  Integer Type_Index() const { return FType_Index; }
  // Chooses a category (an index outside the list is ignored) and refills the unit list with the
  // names of its units, the first of them chosen.
  void Select_Type(Integer Index);

  // The unit list of the chosen category and its chosen index (-1 when none).
  const std::vector<String>& Unit_Names() const { return FUnit_Names; }
  Integer Unit_Index() const { return FUnit_Index; }
  // Chooses a unit of the list; an index outside it leaves none chosen.
  void Select_Unit(Integer Index);
  // The number of the chosen unit, 0 when none is chosen.
  Integer Selected_Unit_Number() const;

  // Takes the chosen unit: its number becomes the selected text and the label names it.
  void Select_Eng_Unit();

 private:
  Integer FType_Index = 0;
  std::vector<String> FUnit_Names;
  Integer FUnit_Index = -1;
  String FSelected_EU;
  String FLabel5;
};
