// The colour names and number reading shared by the grid's file and clipboard formats.
#include "components/grid/ExGridIOUtil.h"

#include <cstdint>
#include <iterator>

#include "platform/rtl/SysUtils.h"

namespace {

struct TColorName {
  TColor Color;
  const char16_t* Name;
};

// Value to name takes the first entry of a value; the two aliases at the end are only read.
constexpr TColorName ColorNames[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
    {clLtGray, u"clLtGray"},
    {clDkGray, u"clDkGray"},
};
// The entries before the read-only aliases.
constexpr size_t WrittenNames = std::size(ColorNames) - 2;

}  // namespace

bool GridColorToIdent(TColor Color, String& Ident) {
  for (size_t i = 0; i < WrittenNames; ++i)
    if (ColorNames[i].Color == Color) {
      Ident = ColorNames[i].Name;
      return true;
    }
  return false;
}

bool GridIdentToColor(const String& Ident, TColor& Color) {
  for (const TColorName& N : ColorNames)
    if (SameText(Ident, N.Name)) {
      Color = N.Color;
      return true;
    }
  return false;
}

String GridColorToString(TColor Color) {
  String Name;
  if (GridColorToIdent(Color, Name)) return Name;
  return u"$" + IntToHex(static_cast<Int64>(static_cast<uint32_t>(Color)), 8);
}

TColor GridStringToColor(const String& S) {
  TColor C = 0;
  if (GridIdentToColor(Trim(S), C)) return C;
  Int64 V = 0;
  if (!TryStrToInt64(S, V) || V < INT32_MIN || V > static_cast<Int64>(UINT32_MAX))
    throw EConvertError(u"'" + S + u"' is not a valid integer value");
  return static_cast<TColor>(static_cast<uint32_t>(V));
}

Integer LeadingDecimal(const String& S) {
  size_t i = 0;
  while (i < S.size() && S[i] == u' ') ++i;
  Int64 V = 0;
  for (; i < S.size() && S[i] >= u'0' && S[i] <= u'9'; ++i) {
    V = V * 10 + (S[i] - u'0');
    if (V > INT32_MAX) V = INT32_MAX;
  }
  return static_cast<Integer>(V);
}

std::vector<String> GridSplitCommas(const String& S) {
  std::vector<String> Items;
  if (S.empty()) return Items;
  String Item;
  for (Char C : S) {
    if (C == u',') {
      Items.push_back(Item);
      Item.clear();
    } else {
      Item += C;
    }
  }
  Items.push_back(Item);
  return Items;
}

String GridJoinNumbers(const std::vector<Integer>& Values) {
  String S;
  for (size_t i = 0; i < Values.size(); ++i) {
    if (i > 0) S += u',';
    S += IntToStr(Values[i]);
  }
  return S;
}
