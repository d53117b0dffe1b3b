// Mini-HTML: colours of the markup, the pre-pass of the renderer, and the text routines (escaping,
// stripping, search marking, embedded-control values). The renderer is in EsgHTMLEDraw.cpp.
#include "components/gridbase/EsgHTMLE.h"

#include <cstdlib>

#include "components/gridbase/EsgHTMLEInternal.h"
#include "platform/rtl/SysUtils.h"

namespace {

TColor GHighlightBk = clHighlight;
TColor GHighlightText = clHighlightText;

struct TNamedColor {
  const char16_t* Name;
  TColor Color;
};

const TNamedColor kColorNames[] = {
    {u"clred", 0x0000FF},
    {u"clblack", 0x000000},
    {u"clblue", 0xFF0000},
    {u"clgreen", 0x008000},
    {u"claqua", 0xFFFF00},
    {u"clyellow", 0x00FFFF},
    {u"clfuchsia", 0xFF00FF},
    {u"clwhite", 0xFFFFFF},
    {u"cllime", 0x00FF00},
    {u"clsilver", 0xC0C0C0},
    {u"clgray", 0x808080},
    {u"clolive", 0x008080},
    {u"clnavy", 0x800000},
    {u"clpurple", 0x800080},
    {u"clteal", 0x808000},
    {u"clmaroon", 0x000080},
    {u"clbackground", clBackground},
    {u"clactivecaption", clActiveCaption},
    {u"clinactivecaption", clInactiveCaption},
    {u"clmenu", clMenu},
    {u"clwindow", clWindow},
    {u"clwindowframe", clWindowFrame},
    {u"clmenutext", clMenuText},
    {u"clwindowtext", clWindowText},
    {u"clcaptiontext", clCaptionText},
    {u"clactiveborder", clActiveBorder},
    {u"clinactiveborder", clInactiveBorder},
    {u"clappworkspace", clAppWorkSpace},
    {u"clhighlight", clHighlight},
    {u"clhighlighttext", clHighlightText},
    {u"clbtnface", clBtnFace},
    {u"clbtnshadow", clBtnShadow},
    {u"clgraytext", clGrayText},
    {u"clbtntext", clBtnText},
    {u"clinactivecaptiontext", clInactiveCaptionText},
    {u"clbtnhighlight", clBtnHighlight},
    {u"cl3ddkshadow", cl3DDkShadow},
    {u"cl3dlight", cl3DLight},
    {u"clinfotext", clInfoText},
    {u"clinfobk", clInfoBk},
};

// The characters of the extended escaping with their named entities, in the order they are
// replaced.
struct TEntity {
  char16_t Char;
  const char16_t* Name;
};

const TEntity kEntities[] = {
    {u'é', u"&eacute;"}, {u'è', u"&egrave;"}, {u'ë', u"&euml;"},   {u'ê', u"&ecirc;"},
    {u'ó', u"&oacute;"}, {u'ò', u"&ograve;"}, {u'ö', u"&ouml;"},   {u'ô', u"&ocirc;"},
    {u'í', u"&iacute;"}, {u'ì', u"&igrave;"}, {u'ï', u"&iuml;"},   {u'î', u"&icirc;"},
    {u'ú', u"&uacute;"}, {u'ù', u"&ugrave;"}, {u'ü', u"&uuml;"},   {u'û', u"&ucirc;"},
    {u'á', u"&aacute;"}, {u'à', u"&agrave;"}, {u'ä', u"&auml;"},   {u'â', u"&acirc;"},
    {u'É', u"&Eacute;"}, {u'È', u"&Egrave;"}, {u'Ë', u"&Euml;"},   {u'Ê', u"&Ecirc;"},
    {u'Ó', u"&Oacute;"}, {u'Ò', u"&Ograve;"}, {u'Ö', u"&Ouml;"},   {u'Ô', u"&Ocirc;"},
    {u'Í', u"&Iacute;"}, {u'Ì', u"&Igrave;"}, {u'Ï', u"&Iuml;"},   {u'Î', u"&Icirc;"},
    {u'Ú', u"&Uacute;"}, {u'Ù', u"&Ugrave;"}, {u'Ü', u"&Uuml;"},   {u'Û', u"&Ucirc;"},
    {u'Á', u"&Aacute;"}, {u'À', u"&Agrave;"}, {u'Ä', u"&Auml;"},   {u'Â', u"&Acirc;"},
    {u'ç', u"&ccedil;"}, {u'Ç', u"&Ccedil;"}, {u'ø', u"&oslash;"}, {u'Ø', u"&Oslash;"},
    {u'å', u"&aring;"},  {u'Å', u"&Aring;"},  {u'©', u"&copy;"},   {u'®', u"&reg;"},
    {u'€', u"&euro;"},   {u'«', u"&laquo;"},  {u'»', u"&raquo;"},
};

// The entities of the renderer's pre-pass, in the order of a sweep.
const std::pair<const char16_t*, const char16_t*> kPrePassEntities[] = {
    {u"&amp;", u"&&"},  {u"&quot;", u"\""}, {u"&sect;", u"§"}, {u"&permil;", u"‰"}, {u"&reg;", u"®"},
    {u"&copy;", u"©"},  {u"&para;", u"¶"},  {u"&trade;", u"™"}, {u"&euro;", u"€"},
};

// Replaces every occurrence of Old (exact case) in one pass from the start.
void ReplaceEvery(String& S, const String& Old, const String& New) {
  for (size_t At = S.find(Old); At != String::npos; At = S.find(Old, At + New.size()))
    S.replace(At, Old.size(), New);
}

Integer HexDigit(const String& S, size_t I) {
  if (I >= S.size()) return 0;
  const Char C = S[I];
  return C < u'A' ? C - 48 : C - 55;
}

// One control tag found in a text: its 0-based start and length.
struct TControlTag {
  size_t Start = 0;
  size_t Length = 0;
};

// The <CONTROL ...> tags of S in text order.
std::vector<TControlTag> ControlTags(const String& S) {
  std::vector<TControlTag> Tags;
  const String U = UpperCase(S);
  for (size_t At = U.find(u"<CONTROL"); At != String::npos; At = U.find(u"<CONTROL", At + 1)) {
    const size_t End = S.find(u'>', At);
    TControlTag T;
    T.Start = At;
    T.Length = (End == String::npos ? S.size() : End + 1) - At;
    Tags.push_back(T);
  }
  return Tags;
}

}  // namespace

namespace HtmlInternal {

String TagValue(const String& Tag, const String& UpperTag, const String& Name) {
  const size_t At = UpperTag.find(UpperCase(Name));
  if (At == String::npos) return String();
  const size_t Open = Tag.find(u'"', At + Name.size());
  if (Open == String::npos) return String();
  const size_t Close = Tag.find(u'"', Open + 1);
  if (Close == String::npos) return String();
  return Tag.substr(Open + 1, Close - Open - 1);
}

Integer LeadingInt(const String& S, Integer Default) {
  size_t I = 0;
  while (I < S.size() && S[I] == u' ') ++I;
  bool Negative = false;
  if (I < S.size() && (S[I] == u'-' || S[I] == u'+')) Negative = S[I++] == u'-';
  Int64 V = 0;
  size_t Digits = 0;
  while (I < S.size() && S[I] >= u'0' && S[I] <= u'9' && Digits < 10) {
    V = V * 10 + (S[I++] - u'0');
    ++Digits;
  }
  if (Digits == 0) return Default;
  if (V > 0x7FFFFFFF) V = 0x7FFFFFFF;
  return static_cast<Integer>(Negative ? -V : V);
}

void ReplaceRunEntities(String& Run) {
  ReplaceEvery(Run, u"&nbsp;", u" ");
  ReplaceEvery(Run, u"&lt;", u"<");
  ReplaceEvery(Run, u"&gt;", u">");
}

}  // namespace HtmlInternal

// ---------------------------------------------------------------------------------------------
// Colours

void SetHtmlHighlightColors(TColor BkColor, TColor TextColor) {
  GHighlightBk = BkColor;
  GHighlightText = TextColor;
}

void GetHtmlHighlightColors(TColor& BkColor, TColor& TextColor) {
  BkColor = GHighlightBk;
  TextColor = GHighlightText;
}

TColor HtmlColorByName(const String& Name) {
  for (const TNamedColor& C : kColorNames)
    if (Name == C.Name) return C.Color;
  return 0;
}

TColor HtmlHexColor(const String& Text) {
  const Integer R = (HexDigit(Text, 1) * 16 + HexDigit(Text, 2)) & 0xFF;
  const Integer G = (HexDigit(Text, 3) * 16 + HexDigit(Text, 4)) & 0xFF;
  const Integer B = (HexDigit(Text, 5) * 16 + HexDigit(Text, 6)) & 0xFF;
  return static_cast<TColor>(R | (G << 8) | (B << 16));
}

String PrepareHtmlText(const String& Text) {
  String S;
  if (Text.find(u'&') == String::npos) {
    S = Text;
  } else {
    // Entities are replaced in the text between tags only: inside a tag they belong to attribute
    // values (a control's VALUE, an anchor's HREF), which "&&" or a bare quote would corrupt.
    size_t I = 0;
    while (I < Text.size()) {
      const size_t Lt = Text.find(u'<', I);
      String Part = Text.substr(I, Lt == String::npos ? String::npos : Lt - I);
      bool Replaced = true;
      while (Replaced) {
        Replaced = false;
        for (const auto& E : kPrePassEntities)
          if (ReplaceFirst(E.first, E.second, Part)) Replaced = true;
      }
      S += Part;
      if (Lt == String::npos) break;
      const size_t Gt = Text.find(u'>', Lt);
      const size_t End = Gt == String::npos ? Text.size() : Gt + 1;
      S.append(Text, Lt, End - Lt);
      I = End;
    }
  }
  for (size_t At = S.find(u"<#"); At != String::npos; At = S.find(u"<#", At)) {
    S.erase(At, 1);
    const size_t Gt = S.find(u'>', At);
    if (Gt != String::npos) S.erase(Gt, 1);
  }
  String Out;
  Out.reserve(S.size());
  for (Char C : S) {
    if (C == u'\r')
      Out += u"<BR>";
    else if (C != u'\n')
      Out.push_back(C);
  }
  return Out;
}

// ---------------------------------------------------------------------------------------------
// Text routines

bool ReplaceFirst(const String& Old, const String& New, String& S) {
  if (Old.empty()) return false;
  const size_t At = UpperCase(S).find(UpperCase(Old));
  if (At == String::npos) return false;
  S.replace(At, Old.size(), New);
  return true;
}

String HtmlUnescape(const String& S, bool Extended) {
  // One walk from the left: each entity is decoded once, so the text an entity stands for is
  // never read as an entity again ("&amp;lt;" is the text "&lt;", not "<"), and what HtmlEscape
  // made comes back exactly.
  static const TEntity kBasic[] = {{u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'&', u"&amp;"}, {u'"', u"&quot;"}};
  auto EntityAt = [&S](size_t At, const TEntity& E) {
    const std::u16string_view Name(E.Name);
    return S.compare(At, Name.size(), Name) == 0;
  };
  String R;
  R.reserve(S.size());
  size_t I = 0;
  while (I < S.size()) {
    const TEntity* Found = nullptr;
    if (S[I] == u'&') {
      for (const TEntity& E : kBasic)
        if (EntityAt(I, E)) Found = &E;
      if (!Found && Extended)
        for (const TEntity& E : kEntities)
          if (EntityAt(I, E)) {
            Found = &E;
            break;
          }
    }
    if (Found) {
      R += Found->Char;
      I += std::u16string_view(Found->Name).size();
    } else {
      R += S[I++];
    }
  }
  return R;
}

String HtmlEscape(const String& S, bool Extended) {
  String R = S;
  // The ampersand first, so the entities written below keep theirs.
  ReplaceEvery(R, u"&", u"&amp;");
  ReplaceEvery(R, u"\"", u"&quot;");
  ReplaceEvery(R, u"<", u"&lt;");
  ReplaceEvery(R, u">", u"&gt;");
  if (Extended)
    for (const TEntity& E : kEntities) ReplaceEvery(R, String(1, E.Char), E.Name);
  return R;
}

String SpacesToNbsp(const String& S) {
  String R = S;
  ReplaceEvery(R, u" ", u"&nbsp;");
  return R;
}

String StripHtml(const String& S) {
  String T = StringReplace(S, u"<BR>", u"\r\n", rfReplaceAll | rfIgnoreCase);
  T = StringReplace(T, u"<HR>", u"\r\n", rfReplaceAll | rfIgnoreCase);
  String R;
  size_t I = 0;
  while (I < T.size()) {
    const size_t Lt = T.find(u'<', I);
    if (Lt == String::npos) {
      R.append(T, I, String::npos);
      break;
    }
    const size_t Gt = T.find(u'>', Lt);
    if (Gt == String::npos) {
      R.append(T, I, String::npos);
      break;
    }
    R.append(T, I, Lt - I);
    I = Gt + 1;
  }
  return R;
}

String HtmlVisibleText(const String& S) {
  String R;
  size_t I = 0;
  for (;;) {
    const size_t Lt = S.find(u'<', I);
    const size_t Gt = S.find(u'>', I);
    if (Lt == String::npos || Gt == String::npos || Gt < Lt) {
      R.append(S, I, String::npos);
      return R;
    }
    R.append(S, I, Lt - I);
    I = Gt + 1;
  }
}

Integer VisibleToHtmlIndex(const String& S, Integer N) {
  Integer Count = 0;
  Integer Previous = 0;  // 1-based position of the last visible character passed
  bool InTag = false;
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (InTag) {
      if (C == u'>') InTag = false;
      continue;
    }
    if (C == u'<') {
      InTag = true;
      continue;
    }
    if (++Count == N) return Previous + 1;
    Previous = static_cast<Integer>(I) + 1;
  }
  return Length(S) + 1;
}

namespace {

// The 1-based position in S of its N-th visible character; Length(S) + 1 when there is none.
Integer VisibleCharIndex(const String& S, Integer N) {
  Integer Count = 0;
  bool InTag = false;
  for (size_t I = 0; I < S.size(); ++I) {
    const Char C = S[I];
    if (InTag) {
      if (C == u'>') InTag = false;
    } else if (C == u'<') {
      InTag = true;
    } else if (++Count == N) {
      return static_cast<Integer>(I) + 1;
    }
  }
  return Length(S) + 1;
}

}  // namespace

Integer FindVisibleText(const String& Visible, const String& Search, Integer Offset, bool DoCase) {
  if (Search.empty()) return 0;
  if (DoCase) return Pos(Search, Visible, Offset);
  return Pos(AnsiUpperCase(Search), AnsiUpperCase(Visible), Offset);
}

String MarkTextInHtml(const String& S, const String& Search, const String& Tag, bool DoCase) {
  if (Search.empty()) return S;
  String Text = S;
  String Find = Search;
  String Visible = HtmlVisibleText(Text);
  if (Pos(Find, Text) > 0 &&
      (Visible.find(u'<') != String::npos || Visible.find(u'>') != String::npos)) {
    // The text is plain text holding angle brackets: mark it as such, brackets escaped.
    ReplaceEvery(Visible, u"<", u"&lt;");
    ReplaceEvery(Visible, u">", u"&gt;");
    ReplaceEvery(Find, u"<", u"&lt;");
    ReplaceEvery(Find, u">", u"&gt;");
    Text = Visible;
  }
  const String Open = u"<" + Tag + u">", Close = u"</" + Tag + u">";
  const Integer Len = Length(Find);
  for (Integer P = FindVisibleText(Visible, Find, 1, DoCase); P > 0;
       P = FindVisibleText(Visible, Find, P + Len, DoCase)) {
    // The opening tag goes right in front of the first matched character and the closing tag right
    // behind the last one, so two matches in a row give two separate marks, each closed before
    // the next one opens.
    Insert(Open, Text, VisibleCharIndex(Text, P));
    Insert(Close, Text, VisibleToHtmlIndex(Text, P + Len));
  }
  return Text;
}

String UnmarkTextInHtml(const String& S, const String& Tag) {
  String R = StringReplace(S, u"<" + Tag + u">", u"", rfReplaceAll | rfIgnoreCase);
  R = StringReplace(R, u"</" + Tag + u">", u"", rfReplaceAll | rfIgnoreCase);
  ReplaceEvery(R, u"&lt;", u"<");
  ReplaceEvery(R, u"&gt;", u">");
  return R;
}

// ---------------------------------------------------------------------------------------------
// Embedded controls

THtmlControl ParseHtmlControl(const String& Tag) {
  using HtmlInternal::TagValue;
  const String U = UpperCase(Tag);
  THtmlControl C;
  C.CType = UpperCase(TagValue(Tag, U, u"TYPE="));
  C.CWidth = TagValue(Tag, U, u"WIDTH=");
  C.CHeight = TagValue(Tag, U, u"HEIGHT=");
  C.CID = TagValue(Tag, U, u"ID=");
  C.CValue = HtmlUnescape(TagValue(Tag, U, u"VALUE="), true);
  C.CProp = HtmlUnescape(TagValue(Tag, U, u"PROP="), true);
  C.CMaxLen = TagValue(Tag, U, u"MAXLEN=");
  return C;
}

bool HasHtmlControl(const String& S) { return UpperCase(S).find(u"<CONTROL") != String::npos; }

String NextHtmlControlID(const String& S, const String& ID) {
  bool Passed = ID.empty();
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (!Passed) {
      if (C.CID == ID) Passed = true;
      continue;
    }
    if (C.CType != u"BUTTON" && C.CType != u"CHECK" && C.CType != u"RADIO") return C.CID;
  }
  return String();
}

String ClearHtmlRadios(const String& S) {
  std::vector<String> Radios;
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (C.CType == u"RADIO") Radios.push_back(C.CID);
  }
  String R = S;
  for (const String& ID : Radios) SetHtmlControlValue(R, ID, u"FALSE");
  return R;
}

bool GetHtmlControlValue(const String& S, const String& ID, String& Value) {
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (C.CID == ID) {
      Value = C.CValue;
      return true;
    }
  }
  return false;
}

String GetHtmlControlProp(const String& S, const String& ID) {
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (C.CID == ID) return C.CProp;
  }
  return String();
}

Integer GetHtmlControlMaxLen(const String& S, const String& ID) {
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (C.CID == ID) return HtmlInternal::LeadingInt(C.CMaxLen, 0);
  }
  return 0;
}

bool SetHtmlControlValue(String& S, const String& ID, const String& Value) {
  for (const TControlTag& T : ControlTags(S)) {
    const THtmlControl C = ParseHtmlControl(S.substr(T.Start, T.Length));
    if (C.CID != ID) continue;
    String NewTag = u"<CONTROL ID=\"" + ID + u"\" VALUE=\"" + HtmlEscape(Value, true) + u"\" WIDTH=\"" +
                    C.CWidth + u"\" TYPE=\"" + C.CType + u"\"";
    if (!C.CProp.empty()) NewTag += u" PROP=\"" + HtmlEscape(C.CProp, true) + u"\"";
    if (!C.CMaxLen.empty()) NewTag += u" MAXLEN=\"" + C.CMaxLen + u"\"";
    // The height is kept too: without it a tall control would shrink back to the default height
    // the first time its value changes.
    if (!C.CHeight.empty()) NewTag += u" HEIGHT=\"" + C.CHeight + u"\"";
    NewTag += u">";
    S.replace(T.Start, T.Length, NewTag);
    return true;
  }
  return false;
}

String PasswordMask(const String& S) { return String(S.size(), u'*'); }
