#include "descriptions/BACnetEngUnits.h"

#include <array>

#include "platform/rtl/SysUtils.h"

namespace {

// The identifiers of the standard's engineering-units enumeration, indexed by unit number.
const std::array<const char16_t*, Eng_Unit_Max + 1> Unit_Names = {
    u"square-meters",                          // 0
    u"square-feet",                            // 1
    u"milliamperes",                           // 2
    u"amperes",                                // 3
    u"ohms",                                   // 4
    u"volts",                                  // 5
    u"kilovolts",                              // 6
    u"megavolts",                              // 7
    u"volt-amperes",                           // 8
    u"kilovolt-amperes",                       // 9
    u"megavolt-amperes",                       // 10
    u"volt-amperes-reactive",                  // 11
    u"kilovolt-amperes-reactive",              // 12
    u"megavolt-amperes-reactive",              // 13
    u"degrees-phase",                          // 14
    u"power-factor",                           // 15
    u"joules",                                 // 16
    u"kilojoules",                             // 17
    u"watt-hours",                             // 18
    u"kilowatt-hours",                         // 19
    u"btus",                                   // 20
    u"therms",                                 // 21
    u"ton-hours",                              // 22
    u"joules-per-kilogram-dry-air",            // 23
    u"btus-per-pound-dry-air",                 // 24
    u"cycles-per-hour",                        // 25
    u"cycles-per-minute",                      // 26
    u"hertz",                                  // 27
    u"grams-of-water-per-kilogram-dry-air",    // 28
    u"percent-relative-humidity",              // 29
    u"millimeters",                            // 30
    u"meters",                                 // 31
    u"inches",                                 // 32
    u"feet",                                   // 33
    u"watts-per-square-foot",                  // 34
    u"watts-per-square-meter",                 // 35
    u"lumens",                                 // 36
    u"luxes",                                  // 37
    u"foot-candles",                           // 38
    u"kilograms",                              // 39
    u"pounds-mass",                            // 40
    u"tons",                                   // 41
    u"kilograms-per-second",                   // 42
    u"kilograms-per-minute",                   // 43
    u"kilograms-per-hour",                     // 44
    u"pounds-mass-per-minute",                 // 45
    u"pounds-mass-per-hour",                   // 46
    u"watts",                                  // 47
    u"kilowatts",                              // 48
    u"megawatts",                              // 49
    u"btus-per-hour",                          // 50
    u"horsepower",                             // 51
    u"tons-refrigeration",                     // 52
    u"pascals",                                // 53
    u"kilopascals",                            // 54
    u"bars",                                   // 55
    u"pounds-force-per-square-inch",           // 56
    u"centimeters-of-water",                   // 57
    u"inches-of-water",                        // 58
    u"millimeters-of-mercury",                 // 59
    u"centimeters-of-mercury",                 // 60
    u"inches-of-mercury",                      // 61
    u"degrees-Celsius",                        // 62
    u"degrees-Kelvin",                         // 63
    u"degrees-Fahrenheit",                     // 64
    u"degree-days-Celsius",                    // 65
    u"degree-days-Fahrenheit",                 // 66
    u"years",                                  // 67
    u"months",                                 // 68
    u"weeks",                                  // 69
    u"days",                                   // 70
    u"hours",                                  // 71
    u"minutes",                                // 72
    u"seconds",                                // 73
    u"meters-per-second",                      // 74
    u"kilometers-per-hour",                    // 75
    u"feet-per-second",                        // 76
    u"feet-per-minute",                        // 77
    u"miles-per-hour",                         // 78
    u"cubic-feet",                             // 79
    u"cubic-meters",                           // 80
    u"imperial-gallons",                       // 81
    u"liters",                                 // 82
    u"us-gallons",                             // 83
    u"cubic-feet-per-minute",                  // 84
    u"cubic-meters-per-second",                // 85
    u"imperial-gallons-per-minute",            // 86
    u"liters-per-second",                      // 87
    u"liters-per-minute",                      // 88
    u"us-gallons-per-minute",                  // 89
    u"degrees-angular",                        // 90
    u"degrees-Celsius-per-hour",               // 91
    u"degrees-Celsius-per-minute",             // 92
    u"degrees-Fahrenheit-per-hour",            // 93
    u"degrees-Fahrenheit-per-minute",          // 94
    u"no-units",                               // 95
    u"parts-per-million",                      // 96
    u"parts-per-billion",                      // 97
    u"percent",                                // 98
    u"percent-per-second",                     // 99
    u"per-minute",                             // 100
    u"per-second",                             // 101
    u"psi-per-degree-Fahrenheit",              // 102
    u"radians",                                // 103
    u"revolutions-per-minute",                 // 104
    u"currency1",                              // 105
    u"currency2",                              // 106
    u"currency3",                              // 107
    u"currency4",                              // 108
    u"currency5",                              // 109
    u"currency6",                              // 110
    u"currency7",                              // 111
    u"currency8",                              // 112
    u"currency9",                              // 113
    u"currency10",                             // 114
    u"square-inches",                          // 115
    u"square-centimeters",                     // 116
    u"btus-per-pound",                         // 117
    u"centimeters",                            // 118
    u"pounds-mass-per-second",                 // 119
    u"delta-degrees-Fahrenheit",               // 120
    u"delta-degrees-Kelvin",                   // 121
    u"kilohms",                                // 122
    u"megohms",                                // 123
    u"millivolts",                             // 124
    u"kilojoules-per-kilogram",                // 125
    u"megajoules",                             // 126
    u"joules-per-degree-Kelvin",               // 127
    u"joules-per-kilogram-degree-Kelvin",      // 128
    u"kilohertz",                              // 129
    u"megahertz",                              // 130
    u"per-hour",                               // 131
    u"milliwatts",                             // 132
    u"hectopascals",                           // 133
    u"millibars",                              // 134
    u"cubic-meters-per-hour",                  // 135
    u"liters-per-hour",                        // 136
    u"kilowatt-hours-per-square-meter",        // 137
    u"kilowatt-hours-per-square-foot",         // 138
    u"megajoules-per-square-meter",            // 139
    u"megajoules-per-square-foot",             // 140
    u"watts-per-square-meter-degree-kelvin",   // 141
    u"cubic-feet-per-second",                  // 142
    u"percent-obscuration-per-foot",           // 143
    u"percent-obscuration-per-meter",          // 144
    u"milliohms",                              // 145
    u"megawatt-hours",                         // 146
    u"kilo-btus",                              // 147
    u"mega-btus",                              // 148
    u"kilojoules-per-kilogram-dry-air",        // 149
    u"megajoules-per-kilogram-dry-air",        // 150
    u"kilojoules-per-degree-Kelvin",           // 151
    u"megajoules-per-degree-Kelvin",           // 152
    u"newton",                                 // 153
    u"grams-per-second",                       // 154
    u"grams-per-minute",                       // 155
    u"tons-per-hour",                          // 156
    u"kilo-btus-per-hour",                     // 157
    u"hundredths-seconds",                     // 158
    u"milliseconds",                           // 159
    u"newton-meters",                          // 160
    u"millimeters-per-second",                 // 161
    u"millimeters-per-minute",                 // 162
    u"meters-per-minute",                      // 163
    u"meters-per-hour",                        // 164
    u"cubic-meters-per-minute",                // 165
    u"meters-per-second-per-second",           // 166
    u"amperes-per-meter",                      // 167
    u"amperes-per-square-meter",               // 168
    u"ampere-square-meters",                   // 169
    u"farads",                                 // 170
    u"henrys",                                 // 171
    u"ohm-meters",                             // 172
    u"siemens",                                // 173
    u"siemens-per-meter",                      // 174
    u"teslas",                                 // 175
    u"volts-per-degree-Kelvin",                // 176
    u"volts-per-meter",                        // 177
    u"webers",                                 // 178
    u"candelas",                               // 179
    u"candelas-per-square-meter",              // 180
    u"degrees-Kelvin-per-hour",                // 181
    u"degrees-Kelvin-per-minute",              // 182
    u"joule-seconds",                          // 183
    u"radians-per-second",                     // 184
    u"square-meters-per-Newton",               // 185
    u"kilograms-per-cubic-meter",              // 186
    u"newton-seconds",                         // 187
    u"newtons-per-meter",                      // 188
    u"watts-per-meter-per-degree-Kelvin",      // 189
    u"microsiemens",                           // 190
    u"cubic-feet-per-hour",                    // 191
    u"us-gallons-per-hour",                    // 192
    u"kilometers",                             // 193
    u"micrometers",                            // 194
    u"grams",                                  // 195
    u"milligrams",                             // 196
    u"milliliters",                            // 197
    u"milliliters-per-second",                 // 198
    u"decibels",                               // 199
    u"decibels-millivolt",                     // 200
    u"decibels-volt",                          // 201
    u"millisiemens",                           // 202
    u"watt-hours-reactive",                    // 203
    u"kilowatt-hours-reactive",                // 204
    u"megawatt-hours-reactive",                // 205
    u"millimeters-of-water",                   // 206
    u"per-mille",                              // 207
    u"grams-per-gram",                         // 208
    u"kilograms-per-kilogram",                 // 209
    u"grams-per-kilogram",                     // 210
    u"milligrams-per-gram",                    // 211
    u"milligrams-per-kilogram",                // 212
    u"grams-per-milliliter",                   // 213
    u"grams-per-liter",                        // 214
    u"milligrams-per-liter",                   // 215
    u"micrograms-per-liter",                   // 216
    u"grams-per-cubic-meter",                  // 217
    u"milligrams-per-cubic-meter",             // 218
    u"micrograms-per-cubic-meter",             // 219
    u"nanograms-per-cubic-meter",              // 220
    u"grams-per-cubic-centimeter",             // 221
    u"becquerels",                             // 222
    u"kilobecquerels",                         // 223
    u"megabecquerels",                         // 224
    u"gray",                                   // 225
    u"milligray",                              // 226
    u"microgray",                              // 227
    u"sieverts",                               // 228
    u"millisieverts",                          // 229
    u"microsieverts",                          // 230
    u"microsieverts-per-hour",                 // 231
    u"decibels-a",                             // 232
    u"nephelometric-turbidity-unit",           // 233
    u"pH",                                     // 234
    u"grams-per-square-meter",                 // 235
    u"minutes-per-degree-kelvin",              // 236
};

struct TEng_Unit_Category {
  const char16_t* Name;
  std::vector<Integer> Units;
};

// Runs of consecutive unit numbers, written out where the list takes them in number order.
std::vector<Integer> Run(Integer From, Integer To) {
  std::vector<Integer> units;
  for (Integer n = From; n <= To; ++n) units.push_back(n);
  return units;
}

std::vector<Integer> Join(std::initializer_list<std::vector<Integer>> parts) {
  std::vector<Integer> units;
  for (const auto& part : parts) units.insert(units.end(), part.begin(), part.end());
  return units;
}

const std::vector<TEng_Unit_Category>& Categories() {
  static const std::vector<TEng_Unit_Category> categories = {
      {u"Acceleration", {166}},
      {u"Area", {0, 116, 1, 115}},
      {u"Currency", Run(105, 114)},
      {u"Electrical", {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,   172,
                       145, 122, 123, 190, 202, 173, 174, 175, 5,   124, 6,   7,
                       8,   9,   10,  11,  12,  13,  176, 177, 14,  15,  178}},
      {u"Energy", {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22}},
      {u"Enthalpy", {23, 149, 150, 24, 117}},
      {u"Entropy", {127, 151, 152, 128}},
      {u"Force", {153}},
      {u"Frequency", {25, 26, 27, 129, 130, 131}},
      {u"Humidity", {28, 29}},
      {u"Length", {194, 30, 118, 193, 31, 32, 33}},
      {u"Light", {179, 180, 34, 35, 36, 37, 38}},
      {u"Mass", {196, 195, 39, 40, 41}},
      {u"Mass Flow", {154, 155, 42, 43, 44, 119, 45, 46, 156}},
      {u"Power", {132, 47, 48, 49, 50, 157, 51, 52}},
      {u"Pressure", {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61}},
      {u"Temperature", {62, 63, 181, 182, 64, 65, 66, 120, 121}},
      {u"Time", Join({Run(67, 73), {158, 159}})},
      {u"Torque", {160}},
      {u"Velocity", {161, 162, 74, 163, 164, 75, 76, 77, 78}},
      {u"Volume", {79, 80, 81, 197, 82, 83}},
      {u"Volumetric Flow", {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192}},
      {u"Other", Join({Run(90, 94),
                       {183, 186, 137, 138, 139, 140, 95, 187, 188, 96, 97, 98, 143, 144},
                       Run(99, 102),
                       {103, 184, 104, 185, 189, 141},
                       Run(207, 236)})},
  };
  return categories;
}

}  // namespace

String Desc_Unit(Integer Num_Unit) {
  if (Num_Unit < 0 || Num_Unit > Eng_Unit_Max) return u"unknown";
  return Unit_Names[static_cast<size_t>(Num_Unit)];
}

Integer Eng_Unit_Category_Count() { return static_cast<Integer>(Categories().size()); }

String Eng_Unit_Category_Name(Integer Index) {
  if (Index < 0 || Index >= Eng_Unit_Category_Count()) return String();
  return Categories()[static_cast<size_t>(Index)].Name;
}

const std::vector<Integer>& Eng_Unit_Category_Units(Integer Index) {
  static const std::vector<Integer> none;
  if (Index < 0 || Index >= Eng_Unit_Category_Count()) return none;
  return Categories()[static_cast<size_t>(Index)].Units;
}

String Eng_Unit_Label(const String& Unit_Text) {
  return u"-> " + Desc_Unit(DecStrToIntDef(Unit_Text, -1));
}

TBACnet_Eng_Unit_Model::TBACnet_Eng_Unit_Model() { Select_Type(0); }

void TBACnet_Eng_Unit_Model::Set_Selected_EU(const String& Text) {
  FSelected_EU = Text;
  FLabel5 = Eng_Unit_Label(Text);
}

std::vector<String> TBACnet_Eng_Unit_Model::Type_Names() const {
  std::vector<String> names;
  for (Integer i = 0; i < Eng_Unit_Category_Count(); ++i) names.push_back(Eng_Unit_Category_Name(i));
  return names;
}

void TBACnet_Eng_Unit_Model::Select_Type(Integer Index) {
  if (Index < 0 || Index >= Eng_Unit_Category_Count()) return;
  FType_Index = Index;
  FUnit_Names.clear();
  for (Integer unit : Eng_Unit_Category_Units(Index)) FUnit_Names.push_back(Desc_Unit(unit));
  FUnit_Index = FUnit_Names.empty() ? -1 : 0;
}

void TBACnet_Eng_Unit_Model::Select_Unit(Integer Index) {
  FUnit_Index = (Index >= 0 && Index < static_cast<Integer>(FUnit_Names.size())) ? Index : -1;
}

Integer TBACnet_Eng_Unit_Model::Selected_Unit_Number() const {
  if (FUnit_Index < 0) return 0;
  return Eng_Unit_Category_Units(FType_Index)[static_cast<size_t>(FUnit_Index)];
}

void TBACnet_Eng_Unit_Model::Select_Eng_Unit() {
  const Integer number = Selected_Unit_Number();
  // The number is written as digits, so the label reads it back to the same unit.
  FSelected_EU = AsciiToString(std::to_string(number));
  FLabel5 = u"-> " + Desc_Unit(number);
}
