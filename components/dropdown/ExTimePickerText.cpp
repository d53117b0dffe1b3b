// The time field's text layout and its reading (see ExTimePickerDropDown.h).
#include "components/dropdown/ExTimePickerDropDown.h"
#include "components/gridbase/ExUtil.h"  // CountChar

// --- Time text -------------------------------------------------------------------------------------

String TimeEditMask(bool Seconds, Char TS) {
  String R = u"!90" + String(1, TS) + u"00";
  if (Seconds) R += String(1, TS) + u"00";
  return R + u";1; ";
}

String TwoDigits(const String& S) {
  if (S.empty()) return u"00";
  if (S.size() == 1) return u"0" + S;
  return S;
}

String FormatTimeText(Integer Hour, Integer Minute, Integer Second, bool Seconds, Char TS) {
  String R = TwoDigits(IntToStr(Hour)) + TS + TwoDigits(IntToStr(Minute));
  if (Seconds) R += TS + TwoDigits(IntToStr(Second));
  return R;
}

bool IsTimeTextLayout(const String& S, bool Seconds, Char TS) {
  return CountChar(TS, S) == (Seconds ? 2 : 1);
}

String BlanksToZeros(const String& S) {
  String R = S;
  for (Char& C : R)
    if (C == u' ') C = u'0';
  return R;
}

bool HasLeadingDigits(const String& S) {
  for (size_t I = 0; I < S.size() && I < 2; ++I)
    if (S[I] < u'0' || S[I] > u'9') return false;
  return true;
}

bool ParseTimeText(const String& Text, bool Seconds, Char TS, Integer& Hour, Integer& Minute,
                   Integer& Second) {
  if (Text.empty()) return false;
  const size_t Full = Seconds ? 8 : 5;
  if (Trim(Text).size() != Full || !IsTimeTextLayout(Text, Seconds, TS)) return false;
  const String S = BlanksToZeros(Text);
  auto PartValue = [](const String& Part, Integer& Value) {
    const String P = Trim(Part);
    if (!HasLeadingDigits(P)) return false;
    Value = P.empty() ? 0 : StrToIntDef(P, 0);
    return true;
  };
  const size_t A = S.find(TS);
  if (!PartValue(S.substr(0, A), Hour)) return false;
  String Rest = S.substr(A + 1);
  if (Seconds) {
    const size_t B = Rest.find(TS);
    if (!PartValue(Rest.substr(0, B), Minute)) return false;
    if (!PartValue(Rest.substr(B + 1), Second)) return false;
  } else {
    if (!PartValue(Rest, Minute)) return false;
    Second = 0;
  }
  return true;
}

Integer TimePartAtCaret(const String& Text, Integer Caret, bool Seconds, Char TS) {
  const Integer A = Pos(String(1, TS), Text);
  if (A == 0 || Caret < A) return 0;
  const String Rest = Copy(Text, A + 1, static_cast<Integer>(Text.size()));
  const Integer B = Pos(String(1, TS), Rest);
  if (Seconds && B > 0 && Caret - A >= B) return 2;
  return 1;
}

