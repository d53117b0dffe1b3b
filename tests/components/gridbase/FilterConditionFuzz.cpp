// Fuzz entry point of the filter condition matcher: the input is a condition and a value (UTF-8,
// split at the first line feed, after two bytes of settings: case, locale, and how often the value
// is repeated into a long one). The condition is read once and tested against the value, also
// through MatchFilter; where both are short, the results must be those of the per-call matcher.
// Nothing may crash, hang or take memory beyond the input's length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/gridbase/ExUtil.h"
#include "tests/components/gridbase/FilterReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 2) return 0;
  const uint8_t Flags = Data[0];
  const size_t Repeat = 1 + Data[1] * static_cast<size_t>(Data[1]);  // up to 65,026 times, 64 K at most
  const std::string Rest(reinterpret_cast<const char*>(Data) + 2, Size - 2);
  const size_t Split = Rest.find('\n');
  const String Condition = Utf8ToString(Rest.substr(0, Split));
  const String Piece = Split == std::string::npos ? String() : Utf8ToString(Rest.substr(Split + 1));
  String Value;
  for (size_t i = 0; i < Repeat && Value.size() < (1u << 16); ++i) Value += Piece;
  const bool CaseSensitive = Flags & 1;

  const TFormatSettings Saved = FormatSettings;
  if (Flags & 2) {
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    FormatSettings.DateSeparator = u'.';
    FormatSettings.ShortDateFormat = u"dd.MM.yyyy";
  }
  const TFilterCondition Compiled(Condition, CaseSensitive);
  const bool Result = Compiled.Match(Value);
  if (MatchFilter(Condition, Value, CaseSensitive) != Result) std::abort();
  // The per-call matcher copies the condition per group and tests every tail on its own: only on
  // short inputs.
  if (Condition.size() <= 200 && Value.size() <= 300 &&
      FilterReference::MatchFilter(Condition, Value, CaseSensitive) != Result)
    std::abort();
  FormatSettings = Saved;
  return 0;
}
