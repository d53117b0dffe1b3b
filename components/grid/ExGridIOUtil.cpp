// The colour text and number reading shared by the grid's file and clipboard formats.
#include "components/grid/ExGridIOUtil.h"

#include <cstdint>

#include "platform/rtl/SysUtils.h"


String GridColorToString(TColor Color) {
  String Name;
  if (ColorToIdent(Color, Name)) return Name;
  return u"$" + IntToHex(static_cast<Int64>(static_cast<uint32_t>(Color)), 8);
}

TColor GridStringToColor(const String& S) {
  TColor C = 0;
  if (IdentToColor(Trim(S), C)) return C;
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
