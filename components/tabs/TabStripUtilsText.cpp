// The textual component format of the strip's saved options and look and feel: writing the
// published properties of a component as text, reading them back, and rendering them as
// assignment statements.
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "components/tabs/TabStripUtils.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

// --- Identifiers of colours and cursors -------------------------------------------------------

struct TIdent {
  Integer Value;
  const char16_t* Name;
};


const TIdent CursorIdents[] = {
    {crDefault, u"crDefault"},   {crNone, u"crNone"},           {crArrow, u"crArrow"},
    {crCross, u"crCross"},       {crIBeam, u"crIBeam"},         {crSizeNESW, u"crSizeNESW"},
    {crSizeNS, u"crSizeNS"},     {crSizeNWSE, u"crSizeNWSE"},   {crSizeWE, u"crSizeWE"},
    {crUpArrow, u"crUpArrow"},   {crHourGlass, u"crHourGlass"}, {crDrag, u"crDrag"},
    {crNoDrop, u"crNoDrop"},     {crHSplit, u"crHSplit"},       {crVSplit, u"crVSplit"},
    {crMultiDrag, u"crMultiDrag"}, {crSQLWait, u"crSQLWait"},   {crNo, u"crNo"},
    {crAppStart, u"crAppStart"}, {crHelp, u"crHelp"},           {crHandPoint, u"crHandPoint"},
    {crSizeAll, u"crSizeAll"},
};

template <size_t N>
const char16_t* IdentOf(const TIdent (&Table)[N], Integer Value) {
  for (const TIdent& i : Table)
    if (i.Value == Value) return i.Name;
  return nullptr;
}

template <size_t N>
bool ValueOf(const TIdent (&Table)[N], const String& Name, Integer& Value) {
  for (const TIdent& i : Table)
    if (SameText(Name, i.Name)) {
      Value = i.Value;
      return true;
    }
  return false;
}

// --- Writing -------------------------------------------------------------------------------------

// A real with 15 significant digits, written with exactly 18 decimals.
std::string FixedRealText(double Value) {
  if (Value == 0 || !std::isfinite(Value)) return "0.000000000000000000";
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, 14);
  const std::string sci(buf, res.ptr);  // d.dddddddddddddde[+-]xx
  const size_t e = sci.find('e');
  std::string digits = sci.substr(0, 1) + sci.substr(2, e - 2);
  const int exponent = std::stoi(sci.substr(e + 1));
  std::string whole, fraction;
  if (exponent >= 0) {
    if (digits.size() < static_cast<size_t>(exponent) + 1) digits.append(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    whole = digits.substr(0, static_cast<size_t>(exponent) + 1);
    fraction = digits.substr(static_cast<size_t>(exponent) + 1);
  } else {
    whole = "0";
    fraction = std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  if (fraction.size() < 18) fraction.append(18 - fraction.size(), '0');
  fraction.resize(18);
  return (Value < 0 ? "-" : "") + whole + "." + fraction;
}

// Printable ASCII in quotes (a quote doubled), anything else as #n.
std::string StringText(const String& Value) {
  if (Value.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (Char c : Value) {
    if (c >= 32 && c < 127) {
      if (!quoted) {
        out += '\'';
        quoted = true;
      }
      if (c == u'\'') out += '\'';
      out += static_cast<char>(c);
    } else {
      if (quoted) {
        out += '\'';
        quoted = false;
      }
      out += '#' + std::to_string(static_cast<unsigned>(c));
    }
  }
  if (quoted) out += '\'';
  return out;
}

// A real as FixedRealText writes it when that reads back as the same value at the property's
// precision; otherwise (a value too small for 18 decimals, or one that 15 digits do not carry) the
// shortest text that does, so saving, loading and saving again gives the same text.
std::string RealText(double Value, bool Single) {
  const std::string fixed = FixedRealText(Value);
  if (!std::isfinite(Value)) return fixed;
  double back = 0;
  std::from_chars(fixed.data(), fixed.data() + fixed.size(), back);
  if (Single ? static_cast<float>(back) == static_cast<float>(Value) : back == Value) return fixed;
  char buf[64];
  const auto res = Single ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(Value))
                          : std::to_chars(buf, buf + sizeof buf, Value);
  return std::string(buf, res.ptr);
}

std::string ValueText(const TPublishedProperty& P, TObject* Instance) {
  switch (P.Kind) {
    case pkBoolean:
      return P.GetOrdinal(Instance) ? "True" : "False";
    case pkEnum: {
      const Int64 v = P.GetOrdinal(Instance);
      if (P.EnumNames && v >= 0 && v < static_cast<Int64>(P.EnumNames->size()))
        return StringToUtf8((*P.EnumNames)[static_cast<size_t>(v)]);
      return std::to_string(v);
    }
    case pkColor: {
      const auto v = static_cast<Integer>(P.GetOrdinal(Instance));
      if (String name; ColorToIdent(v, name)) return StringToUtf8(name);
      return std::to_string(v);
    }
    case pkCursor: {
      const auto v = static_cast<Integer>(P.GetOrdinal(Instance));
      if (const char16_t* name = IdentOf(CursorIdents, v)) return StringToUtf8(name);
      return std::to_string(v);
    }
    case pkSingle:
    case pkDouble:
      return RealText(P.GetFloat(Instance), P.Kind == pkSingle);
    case pkString:
      return StringText(P.GetString(Instance));
    default:
      return std::to_string(P.GetOrdinal(Instance));
  }
}

void WriteProperties(TObject* Instance, const std::string& Prefix, std::string& Out) {
  const std::vector<TPublishedProperty>* props = GetPublishedProperties(Instance);
  if (!props) return;
  for (const TPublishedProperty& p : *props) {
    const std::string name = Prefix + StringToUtf8(p.Name);
    if (p.Kind == pkObject) {
      if (TObject* nested = p.GetObject(Instance)) WriteProperties(nested, name + ".", Out);
      continue;
    }
    Out += "  " + name + " = " + ValueText(p, Instance) + "\r\n";
  }
}

// --- Reading ---------------------------------------------------------------------------------------

enum TTokenKind { tkEnd, tkIdent, tkInteger, tkReal, tkString, tkSymbol };

struct TToken {
  TTokenKind Kind = tkEnd;
  String Text;      // identifiers (dotted names included), strings, symbols
  Int64 IntValue = 0;
  double Real = 0;
  Integer Line = 1;
};

class TParser {
 public:
  explicit TParser(const String& Text) : FText(Text) { Next(); }

  const TToken& Token() const { return FToken; }

  void Next() {
    SkipBlanks();
    FToken = TToken();
    FToken.Line = FLine;
    if (FPos >= FText.size()) return;
    const Char c = FText[FPos];
    if (IsIdentStart(c)) {
      const size_t start = FPos;
      while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]) || FText[FPos] == u'.'))
        ++FPos;
      FToken.Kind = tkIdent;
      FToken.Text = FText.substr(start, FPos - start);
      if (FToken.Text.back() == u'.') Error(u"Identifier expected");
      return;
    }
    if (IsDigit(c) || ((c == u'-' || c == u'+') && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
      ReadNumber();
      return;
    }
    if (c == u'$') {
      ReadHex();
      return;
    }
    if (c == u'\'' || c == u'#') {
      ReadString();
      return;
    }
    FToken.Kind = tkSymbol;
    FToken.Text = String(1, c);
    ++FPos;
  }

  [[noreturn]] void Error(const String& What) const {
    throw EParserError(Format(u"%s on line %d", What, FToken.Line));
  }

  String ExpectIdent() {
    if (FToken.Kind != tkIdent) Error(u"Identifier expected");
    String text = FToken.Text;
    Next();
    return text;
  }

  void ExpectSymbol(Char Symbol) {
    if (FToken.Kind != tkSymbol || FToken.Text[0] != Symbol) Error(Format(u"'%s' expected", String(1, Symbol)));
    Next();
  }

 private:
  static bool IsIdentStart(Char c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
  static bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] <= u' ') {
      if (FText[FPos] == u'\n') ++FLine;
      ++FPos;
    }
  }

  void ReadNumber() {
    const size_t start = FPos;
    if (FText[FPos] == u'-' || FText[FPos] == u'+') ++FPos;
    bool real = false;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    if (FPos < FText.size() && FText[FPos] == u'.') {
      real = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == u'e' || FText[FPos] == u'E')) {
      real = true;
      ++FPos;
      if (FPos < FText.size() && (FText[FPos] == u'-' || FText[FPos] == u'+')) ++FPos;
      if (FPos >= FText.size() || !IsDigit(FText[FPos])) Error(u"Invalid number");
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    std::string text = StringToUtf8(FText.substr(start, FPos - start));
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (real) {
      FToken.Kind = tkReal;
      const auto res = std::from_chars(first, last, FToken.Real);
      if (res.ec != std::errc() || res.ptr != last) Error(u"Invalid number");
    } else {
      FToken.Kind = tkInteger;
      const auto res = std::from_chars(first, last, FToken.IntValue);
      if (res.ec != std::errc() || res.ptr != last) Error(u"Invalid number");
    }
  }

  void ReadHex() {
    ++FPos;
    const size_t start = FPos;
    while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos] < 128 ? FText[FPos] : 0)))
      ++FPos;
    const std::string text = StringToUtf8(FText.substr(start, FPos - start));
    UInt64 value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || res.ec != std::errc() || value > 0xFFFFFFFFull) Error(u"Invalid number");
    FToken.Kind = tkInteger;
    FToken.IntValue = static_cast<Int64>(value);
  }

  // Quoted runs and #n characters, joined while they follow one another.
  void ReadString() {
    String value;
    while (FPos < FText.size() && (FText[FPos] == u'\'' || FText[FPos] == u'#')) {
      if (FText[FPos] == u'#') {
        ++FPos;
        const size_t start = FPos;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        const std::string digits = StringToUtf8(FText.substr(start, FPos - start));
        unsigned code = 0;
        const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), code);
        if (digits.empty() || res.ec != std::errc() || code > 0xFFFF) Error(u"Invalid character code");
        value += static_cast<Char>(code);
        continue;
      }
      ++FPos;  // opening quote
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == u'\r' || FText[FPos] == u'\n') Error(u"Unterminated string");
        if (FText[FPos] == u'\'') {
          if (FPos + 1 < FText.size() && FText[FPos + 1] == u'\'') {
            value += u'\'';
            FPos += 2;
            continue;
          }
          ++FPos;
          break;
        }
        value += FText[FPos++];
      }
    }
    FToken.Kind = tkString;
    FToken.Text = value;
  }

  String FText;
  size_t FPos = 0;
  Integer FLine = 1;
  TToken FToken;
};

// One "name = value" line of the text.
struct TAssignment {
  String Path;
  TToken Value;
};

// Checks the whole text and collects its assignments; nothing is written yet.
std::vector<TAssignment> ParseComponentText(const String& Text) {
  TParser parser(Text);
  const String header = parser.ExpectIdent();
  if (!SameText(header, u"object") && !SameText(header, u"inherited") && !SameText(header, u"inline"))
    parser.Error(u"'object' expected");
  // "object Name: ClassName" or "object ClassName".
  parser.ExpectIdent();
  if (parser.Token().Kind == tkSymbol && parser.Token().Text == u":") {
    parser.Next();
    parser.ExpectIdent();
  }
  std::vector<TAssignment> result;
  for (;;) {
    if (parser.Token().Kind == tkEnd) parser.Error(u"'end' expected");
    if (parser.Token().Kind == tkIdent && SameText(parser.Token().Text, u"end")) {
      parser.Next();
      break;
    }
    if (parser.Token().Kind == tkIdent &&
        (SameText(parser.Token().Text, u"object") || SameText(parser.Token().Text, u"inherited") ||
         SameText(parser.Token().Text, u"inline")))
      parser.Error(u"Nested objects are not supported");
    TAssignment a;
    a.Path = parser.ExpectIdent();
    parser.ExpectSymbol(u'=');
    const TToken& value = parser.Token();
    if (value.Kind != tkIdent && value.Kind != tkInteger && value.Kind != tkReal && value.Kind != tkString)
      parser.Error(u"Invalid property value");
    a.Value = value;
    parser.Next();
    // A long string may go on after a '+' on the next line.
    while (a.Value.Kind == tkString && parser.Token().Kind == tkSymbol && parser.Token().Text == u"+") {
      parser.Next();
      if (parser.Token().Kind != tkString) parser.Error(u"String expected");
      a.Value.Text += parser.Token().Text;
      parser.Next();
    }
    result.push_back(std::move(a));
  }
  if (parser.Token().Kind != tkEnd) parser.Error(u"End of text expected");
  return result;
}

const TPublishedProperty* FindProperty(TObject* Instance, const String& Name) {
  const std::vector<TPublishedProperty>* props = GetPublishedProperties(Instance);
  if (!props) return nullptr;
  for (const TPublishedProperty& p : *props)
    if (SameText(p.Name, Name)) return &p;
  return nullptr;
}

[[noreturn]] void ReadError(const String& Message) { throw EReadError(Message); }

Int64 OrdinalValue(const TPublishedProperty& P, const TToken& V, const String& Path) {
  const String invalid = Format(u"Invalid property value of %s", Path);
  auto inRange = [&](Int64 Low, Int64 High) {
    if (V.Kind != tkInteger || V.IntValue < Low || V.IntValue > High) ReadError(invalid);
    return V.IntValue;
  };
  Integer ident = 0;
  switch (P.Kind) {
    case pkBoolean:
      if (V.Kind == tkIdent && SameText(V.Text, u"True")) return 1;
      if (V.Kind == tkIdent && SameText(V.Text, u"False")) return 0;
      ReadError(invalid);
    case pkEnum:
      if (V.Kind == tkIdent && P.EnumNames)
        for (size_t i = 0; i < P.EnumNames->size(); ++i)
          if (SameText(V.Text, (*P.EnumNames)[i])) return static_cast<Int64>(i);
      ReadError(invalid);
    case pkColor:
      if (V.Kind == tkIdent) {
        TColor color = 0;
        if (!IdentToColor(V.Text, color)) ReadError(invalid);
        return color;
      }
      // Colours are 32-bit patterns: $FF00000F and -16777201 are the same system colour.
      return static_cast<Integer>(static_cast<uint32_t>(inRange(std::numeric_limits<Integer>::min(), 0xFFFFFFFFll)));
    case pkCursor:
      if (V.Kind == tkIdent) {
        if (!ValueOf(CursorIdents, V.Text, ident)) ReadError(invalid);
        return ident;
      }
      return inRange(std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max());
    case pkByte:
      return inRange(0, 255);
    case pkWord:
      return inRange(0, 65535);
    case pkCardinal:
      return inRange(0, 0xFFFFFFFFll);
    default:
      return inRange(std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max());
  }
}

void ApplyAssignment(TComponent* Component, const TAssignment& A) {
  const String where = Component->ClassName() + u"." + A.Path;
  TObject* instance = Component;
  String rest = A.Path;
  for (;;) {
    const auto dot = rest.find(u'.');
    const String name = rest.substr(0, dot);
    const TPublishedProperty* p = instance ? FindProperty(instance, name) : nullptr;
    if (!p) ReadError(Format(u"Error reading %s: Property %s does not exist", where, name));
    if (dot != String::npos) {
      if (p->Kind != pkObject) ReadError(Format(u"Error reading %s: Property %s does not exist", where, rest.substr(dot + 1)));
      instance = p->GetObject(instance);
      rest = rest.substr(dot + 1);
      continue;
    }
    const TToken& v = A.Value;
    switch (p->Kind) {
      case pkObject:
        ReadError(Format(u"Invalid property value of %s", where));
      case pkSingle:
      case pkDouble: {
        if (v.Kind != tkReal && v.Kind != tkInteger) ReadError(Format(u"Invalid property value of %s", where));
        const double value = v.Kind == tkReal ? v.Real : static_cast<double>(v.IntValue);
        // A single-precision value must fit its type, and every value the property's range.
        if ((p->Kind == pkSingle && std::fabs(value) > std::numeric_limits<float>::max()) || value < p->Low ||
            value > p->High)
          ReadError(Format(u"Invalid property value of %s", where));
        p->SetFloat(instance, value);
        return;
      }
      case pkString:
        if (v.Kind != tkString) ReadError(Format(u"Invalid property value of %s", where));
        p->SetString(instance, v.Text);
        return;
      default: {
        const Int64 value = OrdinalValue(*p, v, where);
        if (static_cast<double>(value) < p->Low || static_cast<double>(value) > p->High)
          ReadError(Format(u"Invalid property value of %s", where));
        p->SetOrdinal(instance, value);
        return;
      }
    }
  }
}

String ComponentText(TComponent* Component) {
  TStringStream stream;
  SaveComponentAsText(Component, &stream);
  return AsciiToString(stream.DataString());
}

}  // namespace

void SaveComponentAsText(TComponent* Component, TStream* Stream) {
  std::string out = "object ";
  if (!Component->Name().empty()) out += StringToUtf8(Component->Name()) + ": ";
  out += StringToUtf8(Component->ClassName()) + "\r\n";
  WriteProperties(Component, "", out);
  out += "end\r\n";
  Stream->WriteBuffer(out);
}

void LoadComponentFromText(TComponent* Component, TStream* Stream) {
  TEncoding encoding;
  const String text = TextFromBytes(Stream->ReadAllBytes(), encoding);
  const std::vector<TAssignment> assignments = ParseComponentText(text);
  for (const TAssignment& a : assignments) ApplyAssignment(Component, a);
}

String ComponentToCode(TComponent* Component, const String& Prefix) {
  TStringList lines;
  lines.SetText(ComponentText(Component));
  if (lines.Count() <= 2) return String();
  String result;
  for (Integer i = 1; i < lines.Count() - 1; ++i) {
    const String line = StringReplace(Trim(lines[i]), u" = ", u" := ", rfReplaceAll | rfIgnoreCase);
    result += Prefix + u"." + line + u";" + sLineBreak;
  }
  return result;
}
