// Text routines of the grid library: searching and cutting, line-break conventions, CSV fields,
// the kind and the wide encoding of cell text, URL anchors, the HTML clipboard header, word
// capitalisation and OEM conversion.
#include "components/gridbase/ExUtil.h"

#include "platform/rtl/CodePages.h"

namespace {

constexpr Char CR = 13;
constexpr Char LF = 10;
constexpr Char VT = 11;

// Every occurrence of From in S replaced by To.
String ReplaceChar(const String& S, Char From, const String& To) {
  String R;
  R.reserve(S.size());
  for (Char C : S) {
    if (C == From)
      R += To;
    else
      R += C;
  }
  return R;
}

String RemoveChar(const String& S, Char Ch) {
  String R;
  R.reserve(S.size());
  for (Char C : S)
    if (C != Ch) R += C;
  return R;
}

String UpperCaseChar(Char C) { return AnsiUpperCase(String(1, C)); }
String LowerCaseChar(Char C) { return AnsiLowerCase(String(1, C)); }

// The characters a URL may hold when it is turned into an anchor.
bool IsUrlChar(Char C) {
  if (C > 255) return false;
  if ((C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z')) return true;
  switch (C) {
    case u'%': case u'(': case u')': case u'-': case u'.': case u'/': case u':':
    case u'@': case u'\\': case u'_': case u'{': case u'}':
      return true;
    default:
      return false;
  }
}

}  // namespace

// --- Searching and cutting ---------------------------------------------------------------------

Integer CharPos(Char Ch, const String& S) {
  const size_t P = S.find(Ch);
  return P == String::npos ? 0 : static_cast<Integer>(P) + 1;
}

Integer VarCharPos(Char Ch, const String& S, Integer& APos) {
  APos = CharPos(Ch, S);
  return APos;
}

Integer VarPos(const String& SubStr, const String& S, Integer& APos) {
  APos = Pos(SubStr, S);
  return APos;
}

Integer UpperCasePos(const String& SubStr, const String& S) { return Pos(SubStr, UpperCase(S)); }

Integer WidePos(const String& SubStr, const String& S) { return Pos(SubStr, S); }

Integer CountChar(Char Ch, const String& S) {
  Integer N = 0;
  for (Char C : S)
    if (C == Ch) ++N;
  return N;
}

void CutToken(String& S, const String& Sep, String& Token) {
  const Integer P = Pos(Sep, S);
  if (P > 0) {
    Token = Copy(S, 1, P - 1);
    Delete(S, 1, P);
  } else {
    Token.clear();
  }
}

String CutToken(String& S, const String& Sep) {
  String Token;
  CutToken(S, Sep, Token);
  return Token;
}

String ConcatStrings(const TStrings* List) {
  String R;
  if (!List) return R;
  for (Integer I = 0; I < List->Count(); ++I) R += List->Get(I);
  return R;
}

void FillChars(String& S, Char Ch) {
  for (Char& C : S) C = Ch;
}

bool CellInGridRect(const TGridRect& R, Integer c, Integer r) {
  return c >= R.Left && c <= R.Right && r >= R.Top && r <= R.Bottom;
}

bool ParseCellReference(const String& Text, TPoint& Cell) {
  const String U = UpperCase(Text);
  if (Length(U) <= 3 || U[0] != u'R') return false;
  const Integer CPos = CharPos(u'C', U);
  if (CPos == 0) return false;
  Integer Row = 0, Col = 0;
  if (!TryStrToInt(Copy(U, 2, CPos - 2), Row)) return false;
  if (!TryStrToInt(Copy(U, CPos + 1, Length(U)), Col)) return false;
  Cell = TPoint(Col, Row);
  return true;
}

bool IsUrl(const String& S) { return Pos(u"://", S) > 0 || Pos(u"mailto:", S) > 0; }

void StripUrlScheme(String& S) {
  Integer P = Pos(u"://", S);
  if (P > 0) {
    Delete(S, 1, P + 2);
    return;
  }
  P = Pos(u"mailto:", S);
  if (P > 0) Delete(S, 1, P + 6);
}

// --- Line breaks and escapes -------------------------------------------------------------------

String RemoveCR(const String& S) { return RemoveChar(S, CR); }

String CRToLF(const String& S) { return ReplaceChar(S, CR, String(1, LF)); }

void CRLFToLF(String& S) {
  String R;
  R.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == CR && I + 1 < S.size() && S[I + 1] == LF) continue;
    R += S[I];
  }
  S = std::move(R);
}

void VTToCRLF(String& S) {
  if (S.find(VT) == String::npos) return;
  S = ReplaceChar(S, VT, u"\r\n");
}

String LineBreaksToBR(const String& S) {
  if (S.find(CR) == String::npos) return S;
  return ReplaceChar(S, CR, u"<br>");
}

String EncodeNewlineEscapes(const String& S) { return ReplaceChar(RemoveChar(S, LF), CR, u"\\n"); }

String DecodeNewlineEscapes(const String& S) {
  String R;
  R.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == u'\\' && I + 1 < S.size() && S[I + 1] == u'n') {
      R += CR;
      ++I;
    } else {
      R += S[I];
    }
  }
  return R;
}

void LineBreaksToTilde(String& S) { S = ReplaceChar(RemoveChar(S, LF), CR, u"~"); }

void TildeToLineBreaks(String& S) {
  S = ReplaceChar(S, u'~', u"\r\n");
  if (S == u"^") S.clear();
}

String MaskLineBreaks(const String& S) {
  if (S.find(CR) == String::npos) return S;
  String R = S;
  for (Char& C : R) {
    if (C == CR)
      C = 9;
    else if (C == LF)
      C = 8;
    else if (C == 0)
      C = 1;
  }
  return R;
}

String UnmaskLineBreaks(const String& S, bool KeepAll) {
  String R = S;
  if (R.find(Char(8)) != String::npos) {
    for (Char& C : R) {
      if (C == 9)
        C = CR;
      else if (C == 8)
        C = LF;
      else if (C == 1)
        C = 0;
    }
  }
  if (KeepAll) return R;
  return TakeLine(R, false);
}

void TakeLine(String& S, bool Keep, String& Line) {
  const size_t P = S.find(CR);
  if (P == String::npos) {
    Line = S;
    S.clear();
    return;
  }
  Line = S.substr(0, P);
  size_t Rest = P + 1;
  if (Rest < S.size() && S[Rest] == LF) ++Rest;
  if (Keep)
    S.erase(0, Rest);
  else
    S.clear();
}

String TakeLine(String& S, bool Keep) {
  String Line;
  TakeLine(S, Keep, Line);
  return Line;
}

Integer CountLines(const String& S, bool MultiLine) { return MultiLine ? 1 + CountChar(CR, S) : 1; }

// --- CSV fields --------------------------------------------------------------------------------

String DoubleQuotes(const String& S) { return S.find(u'"') == String::npos ? S : ReplaceChar(S, u'"', u"\"\""); }

void QuoteMultilineField(String& S) {
  String R;
  R.reserve(S.size() + 2);
  R += u'"';
  for (size_t I = 0; I < S.size(); ++I) {
    if (S[I] == CR && I + 1 < S.size() && S[I + 1] == LF) {
      R += VT;
      ++I;
    } else {
      R += S[I];
    }
  }
  R += u'"';
  S = std::move(R);
}

Integer PosUnpairedChar(Char Ch, const String& S, size_t From) {
  const size_t N = S.size();
  size_t I = From;
  while (I < N) {
    if (S[I] != Ch) {
      ++I;
      continue;
    }
    size_t J = I;
    while (J < N && S[J] == Ch) ++J;
    // The run covers I .. J - 1 (0-based).
    if (J == N) return static_cast<Integer>(N - From);
    if ((J - I) % 2 == 1) return static_cast<Integer>(J - From);  // the run's last character, 1-based
    I = J;
  }
  return 0;
}

Integer PosUnpairedChar(Char Ch, const String& S, Integer& APos) {
  APos = PosUnpairedChar(Ch, S, size_t{0});
  return APos;
}

Integer PosUnpairedChar(Char Ch, const String& S) { return PosUnpairedChar(Ch, S, size_t{0}); }

Integer CountUnpairedChar(Char Ch, const String& S) {
  // Each find goes on from just after the previous one, so the text is scanned once.
  Integer N = 0;
  size_t From = 0;
  for (Integer P = PosUnpairedChar(Ch, S, From); P > 0; P = PosUnpairedChar(Ch, S, From)) {
    ++N;
    From += static_cast<size_t>(P);
  }
  return N;
}

String UndoubleChar(Char Ch, const String& S) {
  if (S.find(Ch) == String::npos) return S;
  String R;
  R.reserve(S.size());
  for (size_t I = 0; I < S.size(); ++I) {
    R += S[I];
    if (S[I] == Ch && I + 1 < S.size() && S[I + 1] == Ch) ++I;
  }
  return R;
}

// --- Cell text ---------------------------------------------------------------------------------

Integer GetCellTextKind(const String& S, bool HtmlEnabled) {
  if (S.empty()) return ctkPlain;
  // The text is read as if one blank followed it; nothing is copied, and the tags are looked for
  // in one pass.
  auto At = [&S](size_t I) -> Char { return I < S.size() ? S[I] : u' '; };
  if (S[0] == u'=') return ctkFormula;
  if (At(0) == UnicodeTextMarker[0] && At(1) == UnicodeTextMarker[1]) {
    // Encoded wide text whose first character is "=": a formula.
    if (S.size() >= 4 && At(3) == u'=' && At(4) == 0) return ctkFormula;
    return ctkUnicode;
  }
  if (At(0) == u'{' && At(1) == u'\\') return ctkRichText;
  if (!HtmlEnabled) return ctkPlain;
  for (size_t I = S.find(u'<'); I != String::npos; I = S.find(u'<', I + 1)) {
    const Char Next = At(I + 1);
    if (Next == u'/' || Next == u'B' || Next == u'I' || Next == u'C') return ctkHtml;
  }
  return ctkPlain;
}

String EncodeUnicodeText(const String& WideText) {
  String R = UnicodeTextMarker;
  R.reserve(2 + 2 * WideText.size());
  for (Char C : WideText) {
    R += static_cast<Char>(C >> 8);
    R += static_cast<Char>(C & 0xFF);
  }
  return R;
}

String DecodeUnicodeText(const String& S) {
  if (S.compare(0, 2, UnicodeTextMarker) != 0) return S;
  String R;
  R.reserve((S.size() - 2) / 2);
  for (size_t I = 2; I + 1 < S.size(); I += 2)
    R += static_cast<Char>(static_cast<unsigned>(S[I]) * 256u + static_cast<unsigned>(S[I + 1]));
  return R;
}

bool AddUrlAnchor(const String& Text, const String& Prefix, String& Dest) {
  if (Pos(Prefix, UpperCase(Text)) == 0) return false;
  String D = StringReplace(StringReplace(Text, u"<", u"&lt;", rfReplaceAll), u">", u"&gt;", rfReplaceAll);
  const Integer From = Pos(Prefix, UpperCase(D));
  // A prefix holding "<" or ">" is no longer found once the text is escaped: no anchor is made.
  if (From == 0) return false;
  Integer End = From;  // 1-based position after the URL
  while (End <= Length(D) && IsUrlChar(D[End - 1])) ++End;
  const String Url = Copy(D, From, End - From);
  Insert(u"<a href=\"" + Url + u"\">", D, From);
  Insert(u"</a>", D, From + 2 * Length(Url) + 11);
  Dest = D;
  return true;
}

String ColorToHtmlHex(TColor Color) {
  return IntToHex(GetRValue(Color), 2) + IntToHex(GetGValue(Color), 2) + IntToHex(GetBValue(Color), 2);
}

void MakeHtmlClipboardFragment(String& S) {
  const Integer L = Length(S);
  String R = u"Version:1.0\r\n";
  R += Format(u"%s%.8d", String(u"StartHTML:"), 97) + u"\r\n";
  R += Format(u"%s%.8d", String(u"EndHTML:"), L + 306) + u"\r\n";
  R += Format(u"%s%.8d", String(u"StartFragment:"), 274) + u"\r\n";
  R += Format(u"%s%.8d", String(u"EndFragment:"), L + 274) + u"\r\n";
  R += u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  R += u"<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head><body>"
       u"<!--StartFragment-->";
  R += S;
  R += u"<!--EndFragment--></body></html>";
  S = std::move(R);
}

bool IsWordBreakChar(Char Ch) {
  return Ch == u' ' || Ch == u'\'' || Ch == u',' || Ch == u'-' || Ch == u'.';
}

String CapitalizeWords(const String& S) {
  String R = S;
  const Integer N = Length(R);
  bool Capital = true;
  for (Integer I = 1; I <= N; ++I) {
    const Char C = R[I - 1];
    if (IsWordBreakChar(C)) {
      Capital = true;
    } else {
      const String Changed = Capital ? UpperCaseChar(C) : LowerCaseChar(C);
      if (Changed.size() == 1) R[I - 1] = Changed[0];
      Capital = false;
    }
    // "Mc" at the start, the first " Mc" and a closing roman " I" or " II" are followed by a
    // capital.
    if (I == 2 && R.compare(0, 2, u"Mc") == 0) Capital = true;
    if (I > 2) {
      const Integer McPos = Pos(u" Mc", R);
      if (McPos > 0 && McPos + 2 == I) Capital = true;
    }
    if (I >= N - 2) {
      if (I >= 2 && Copy(R, I - 1, 2) == u" I") Capital = true;
      if (I >= 3 && Copy(R, I - 2, 3) == u" II") Capital = true;
    }
  }
  return R;
}

void StringToOem(String& S) { S = AnsiToString(StringToAnsi(S, 850), 1252); }

void OemToString(String& S) { S = AnsiToString(StringToAnsi(S, 1252), 850); }
