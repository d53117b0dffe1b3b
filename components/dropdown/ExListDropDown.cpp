// The look of the list drop-downs' lists, and their routines that need no window: completion
// from the lookup list, the moves of the current item, the popup height snapped to whole rows,
// the column widths fitted to the popup.
#include "components/dropdown/ExListDropDown.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"

namespace ExListDropDown {

TListLook::TListLook(TColor LineColor, TColor FixedLineColor)
    : FLineColor(LineColor), FFixedLineColor(FixedLineColor), FHeaderFont(std::make_unique<TFont>()) {}

TListLook::~TListLook() = default;

void TListLook::SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }

void TListLook::AssignLook(const TListLook& Source) {
  FLineColor = Source.FLineColor;
  FFixedLineColor = Source.FFixedLineColor;
  FHeaderColor = Source.FHeaderColor;
  FHeaderColorTo = Source.FHeaderColorTo;
  FHeaderHeight = Source.FHeaderHeight;
  FHeaderFont->Assign(Source.FHeaderFont.get());
}

bool StartsWith(const String& Text, const String& Start) {
  return Text.size() >= Start.size() && Text.compare(0, Start.size(), Start) == 0;
}

bool IsUnsearchedCode(Char C) {
  switch (C) {
    case 13:
    case 27:
    case 33:
    case 34:
    case 35:
    case 36:
    case 38:
    case 40: return true;
    default: return false;
  }
}

TLookupCompletion CompleteFromLookup(const String& Text, Integer Caret, const TStrings* Lookup, bool MatchCase) {
  TLookupCompletion r;
  const String typed = Text.substr(0, static_cast<size_t>(std::clamp<Integer>(Caret, 0, Length(Text))));
  if (typed.empty()) return r;
  const String key = MatchCase ? typed : AnsiUpperCase(typed);
  r.KeyLength = Length(key);
  const Integer n = Lookup ? Lookup->Count() : 0;
  for (Integer i = 0; i < n; ++i) {
    const String entry = Lookup->Strings(i);
    if (!StartsWith(MatchCase ? entry : AnsiUpperCase(entry), key)) continue;
    r.Matched = true;
    r.Index = i;
    r.Changed = true;
    // The typed part keeps its case; the rest comes from the entry.
    r.Text = typed + entry.substr(std::min(key.size(), entry.size()), 255);
    return r;
  }
  r.Changed = true;
  r.Text = typed;
  return r;
}

Integer NextItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current + 1 < Count ? Current + 1 : Current;
}

Integer PreviousItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current - 1 >= 0 ? Current - 1 : Current;
}

Integer PageDownItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return std::min(Current + 10, Count - 1);
}

Integer PageUpItem(Integer Current, Integer Count) {
  if (Count <= 0) return Current;
  if (Current < 0) return 0;
  return Current - 10 >= 0 ? Current - 10 : 0;
}

Integer FirstItem(Integer Current, Integer Count) { return Count <= 0 ? Current : 0; }

Integer LastItem(Integer Current, Integer Count) { return Count <= 0 ? Current : Count - 1; }

Integer SnapDropDownHeight(Integer Height, Integer BandsHeight, Integer HeaderHeight, Integer RowHeight) {
  // Without a row height there are no rows to snap to.
  if (RowHeight <= 0) return Height;
  const Integer avail = Height - BandsHeight - HeaderHeight - 2;
  return BandsHeight + HeaderHeight + (avail / RowHeight) * RowHeight + 2;
}

std::vector<Integer> FitColumnWidths(const std::vector<Integer>& Widths, Integer Avail) {
  Integer total = 1;
  for (Integer w : Widths) total += w;
  std::vector<Integer> result;
  result.reserve(Widths.size());
  if (total == 0) return Widths;
  const double f = static_cast<double>(Avail) / total;
  double err = 0;
  for (Integer w : Widths) {
    const double exact = f * w;
    const Integer r = static_cast<Integer>(Round(exact));
    err += exact - r;
    if (err > 1.0) {
      result.push_back(r + 1);
      err -= 1.0;
    } else {
      result.push_back(r);
    }
  }
  return result;
}

}  // namespace ExListDropDown
