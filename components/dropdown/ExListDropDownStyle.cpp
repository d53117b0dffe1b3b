// The colour table of the list drop-downs' component styles.
#include "components/dropdown/ExListDropDownStyle.h"

namespace ExListDropDownStyle {

namespace {

constexpr TColor HighlightColor = static_cast<TColor>(0xFF00000D);
constexpr TColor HighlightTextColor = static_cast<TColor>(0xFF00000E);
constexpr TColor ButtonFaceColor = static_cast<TColor>(0xFF00000F);

constexpr TListStyle ListStyles[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, true, 0xFFFFFF, scOffice2007, 0, 0x962D00, 0x962D00, 0},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, false, 0, scOffice2007, 0, 0x947C7C, 0x947C7C, 0},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, false, 0, scOffice2007, 0, 0x588060, 0x588060, 0},
    {tsOffice2003Classic, 0x808080, 0x808080, false, 0, scOffice2007, 0, 0x808080, 0x808080, 0},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, true, 0x723708, scOffice2007, 0, 0xFFD2AF, 0xFFD2AF, 0},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, true, 0x433C37, scOffice2007, 0, 0x5C534C, 0x5C534C, 0},
    {tsWindowsXP, ButtonFaceColor, ButtonFaceColor, true, 0, scCustom, HighlightColor, 0xC0C0C0, 0,
     HighlightTextColor},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, true, 0xFFFFFF, scOffice2007, 0, 0x962D00, 0x962D00, 0},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, true, 0x8B4215, scOffice2007, 0, 0x74706F, 0x74706F, 0},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, true, 0, scWindowsVista, 0, 0xFCF2DA, 0xFCF2DA, 0},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, true, 0, scWindows7, 0, 0xFBD6B8, 0xFBD6B8, 0},
    {tsTerminal, ButtonFaceColor, ButtonFaceColor, true, 0, scCustom, HighlightColor, 0x808080, 0x808080,
     HighlightTextColor},
};

constexpr TListStyle Office2010Styles[] = {
    {tsOffice2010Blue, 0xEDDBCD, clNone, true, 0x5B391E, scCustom, 0x6CD0FF, 0xEEDDCF, 0xEEDDCF, 0},
    {tsOffice2010Silver, 0xEDE9E5, clNone, true, 0x5B391E, scCustom, 0x6CD0FF, 0xEEDDCF, 0xEEDDCF, 0},
    {tsOffice2010Black, 0x828282, clNone, true, 0xD7D7D6, scCustom, 0x6CD0FF, 0xEEDDCF, 0xEEDDCF, 0},
};

}  // namespace

const TListStyle* FindListStyle(TNorvStyle AStyle, bool WithOffice2010) {
  for (const TListStyle& row : ListStyles)
    if (row.Style == AStyle) return &row;
  if (WithOffice2010)
    for (const TListStyle& row : Office2010Styles)
      if (row.Style == AStyle) return &row;
  return nullptr;
}

bool PresetLineColors(TSelectionColorStyle Value, TColor& Line, TColor& FixedLine) {
  switch (Value) {
    case scOffice2007:
      Line = 0xF1EDEB;
      FixedLine = 0xD1BBA4;
      return true;
    case scWindowsVista:
    case scWindows7:
      Line = 0xECECF0;
      FixedLine = 0xD4D2D1;
      return true;
    default: return false;
  }
}

}  // namespace ExListDropDownStyle
