#include "platform/office/SheetFormats.h"

#include <algorithm>
#include <cmath>

namespace office {

namespace {

// The last day a format shows: 9999-12-31.
constexpr double LastSerial = 2958465;
constexpr size_t MaxCodeLength = 255;

Char Lower(Char C) { return C >= u'A' && C <= u'Z' ? static_cast<Char>(C - u'A' + u'a') : C; }

bool StartsWithNoCase(const String& S, size_t At, const char16_t* Word) {
  for (size_t K = 0; Word[K]; ++K)
    if (At + K >= S.size() || Lower(S[At + K]) != Word[K]) return false;
  return true;
}

// The date of a whole day of the 1900 count that spreadsheet programs keep: day 1 is 1900-01-01,
// day 0 shows as "1900-01-00" and day 60 as "1900-02-29", and from day 61 (1900-03-01) on the day
// is the TDateTime (days from 1899-12-30).
void DateOfSerialDay(Int64 Day, Integer& Y, Integer& M, Integer& D) {
  if (Day == 0) {
    Y = 1900, M = 1, D = 0;
  } else if (Day == 60) {
    Y = 1900, M = 2, D = 29;
  } else {
    Word Year, Month, DayOfMonth;
    DecodeDate(static_cast<TDateTime>(Day < 60 ? Day + 1 : Day), Year, Month, DayOfMonth);
    Y = Year, M = Month, D = DayOfMonth;
  }
}

String Padded(Int64 N, Integer Width) {
  String S = IntToStr(N);
  while (static_cast<Integer>(S.size()) < Width) S.insert(S.begin(), u'0');
  return S;
}

}  // namespace

TDateFormat::TDateFormat(const String& Code) {
  // Spreadsheet programs take codes of up to 255 characters; a longer one formats nothing here,
  // so that no cell's text grows with the length of a code.
  if (Code.size() > MaxCodeLength) return;
  // Sections are split at the semicolons outside quotes, brackets and escapes.
  size_t Start = 0;
  bool Quoted = false, Bracket = false;
  for (size_t I = 0; I <= Code.size(); ++I) {
    if (I < Code.size()) {
      const Char C = Code[I];
      if (Quoted) {
        Quoted = C != u'"';
        continue;
      }
      if (Bracket) {
        Bracket = C != u']';
        continue;
      }
      if (C == u'"') Quoted = true;
      if (C == u'[') Bracket = true;
      if (C == u'\\' || C == u'_' || C == u'*') ++I;
      if (C != u';') continue;
    }
    FSections.push_back(ParseSection(Code.substr(Start, std::min(I, Code.size()) - Start)));
    Start = I + 1;
  }
  FIsDate = !FSections.empty() && FSections[0].HasDate;
}

TDateFormat::TSection TDateFormat::ParseSection(const String& Code) {
  TSection S;
  auto AddText = [&S](const String& T) {
    if (!S.Tokens.empty() && S.Tokens.back().Kind == tkText)
      S.Tokens.back().Text += T;
    else
      S.Tokens.push_back({tkText, 0, T});
  };
  auto LastTimeKind = [&S]() {
    for (auto It = S.Tokens.rbegin(); It != S.Tokens.rend(); ++It)
      if (It->Kind != tkText && It->Kind != tkAmPm) return It->Kind;
    return tkText;
  };
  const size_t N = Code.size();
  size_t I = 0;
  while (I < N) {
    const Char C = Code[I];
    const Char L = Lower(C);
    if (C == u'"') {
      const size_t End = std::min(Code.find(u'"', I + 1), N);
      AddText(Code.substr(I + 1, End - I - 1));
      I = End + 1;
    } else if (C == u'\\') {
      if (I + 1 < N) AddText(String(1, Code[I + 1]));
      I += 2;
    } else if (C == u'_') {
      // The room of the next character: a blank.
      AddText(u" ");
      I += 2;
    } else if (C == u'*') {
      // Repeats the next character to fill the cell: nothing in a text.
      I += 2;
    } else if (C == u'[') {
      const size_t End = std::min(Code.find(u']', I + 1), N);
      const String In = Code.substr(I + 1, End - I - 1);
      bool Elapsed = !In.empty();
      for (Char K : In) Elapsed = Elapsed && Lower(K) == Lower(In[0]) && (Lower(K) == u'h' || Lower(K) == u'm' || Lower(K) == u's');
      if (Elapsed) {
        const Char K = Lower(In[0]);
        S.Tokens.push_back({K == u'h' ? tkElapsedHours : K == u'm' ? tkElapsedMinutes : tkElapsedSeconds,
                            static_cast<Integer>(In.size()), String()});
        S.HasDate = true;
      } else if (!In.empty() && In[0] == u'$') {
        // A currency or locale: "[$€-407]" shows "€", "[$-409]" nothing.
        AddText(In.substr(1, std::min(In.find(u'-'), In.size()) - 1));
      }
      // Colours and conditions show nothing.
      I = End + 1;
    } else if (StartsWithNoCase(Code, I, u"general")) {
      S.HasNumber = true;
      I += 7;
    } else if (StartsWithNoCase(Code, I, u"am/pm") || StartsWithNoCase(Code, I, u"a/p")) {
      const size_t Len = StartsWithNoCase(Code, I, u"am/pm") ? 5 : 3;
      S.Tokens.push_back({tkAmPm, 0, Code.substr(I, Len)});
      S.TwelveHour = true;
      I += Len;
    } else if (L == u'e' && I + 1 < N && (Code[I + 1] == u'+' || Code[I + 1] == u'-')) {
      // The exponent of a number format.
      S.HasNumber = true;
      AddText(Code.substr(I, 2));
      I += 2;
    } else if (L == u'y' || L == u'm' || L == u'd' || L == u'h' || L == u's' || L == u'e' || L == u'g') {
      size_t End = I;
      while (End < N && Lower(Code[End]) == L) ++End;
      const Integer Count = static_cast<Integer>(End - I);
      I = End;
      if (L == u'g') continue;  // the era of an Asian calendar: none in the Gregorian one
      TToken T{tkText, Count, String()};
      switch (L) {
        case u'y':
        case u'e':
          T.Kind = tkYear;
          if (L == u'e') T.Count = 4;
          break;
        case u'm':
          T.Kind = Count > 2 ? tkMonthName : tkMonth;
          break;
        case u'd':
          T.Kind = Count > 2 ? tkDayName : tkDay;
          break;
        case u'h':
          T.Kind = tkHour;
          break;
        default:
          T.Kind = tkSecond;
          break;
      }
      S.Tokens.push_back(T);
      S.HasDate = true;
    } else if (C == u'.' && I + 1 < N && Code[I + 1] == u'0' &&
               (LastTimeKind() == tkSecond || LastTimeKind() == tkElapsedSeconds)) {
      size_t End = I + 1;
      while (End < N && Code[End] == u'0') ++End;
      const Integer Digits = std::min<Integer>(static_cast<Integer>(End - I - 1), 3);
      S.Tokens.push_back({tkFraction, Digits, String()});
      S.FractionDigits = std::max(S.FractionDigits, Digits);
      I = End;
    } else {
      if (C == u'0' || C == u'#' || C == u'?' || C == u'@') S.HasNumber = true;
      AddText(String(1, C));
      ++I;
    }
  }
  // "m" and "mm" are minutes right after an hour or right before a second, else the month.
  auto IsTime = [](TKind K) { return K != tkText && K != tkAmPm && K != tkFraction; };
  for (size_t K = 0; K < S.Tokens.size(); ++K) {
    if (S.Tokens[K].Kind != tkMonth) continue;
    TKind Before = tkText, After = tkText;
    for (size_t P = K; P-- > 0;)
      if (IsTime(S.Tokens[P].Kind)) {
        Before = S.Tokens[P].Kind;
        break;
      }
    for (size_t P = K + 1; P < S.Tokens.size(); ++P)
      if (IsTime(S.Tokens[P].Kind)) {
        After = S.Tokens[P].Kind;
        break;
      }
    if (Before == tkHour || Before == tkElapsedHours || After == tkSecond || After == tkElapsedSeconds)
      S.Tokens[K].Kind = tkMinute;
  }
  return S;
}

bool TDateFormat::Format(double Number, double DayOffset, String& Text) const {
  if (FSections.empty() || !std::isfinite(Number)) return false;
  // One section serves every number; of two, the second the negative ones; of three or more, the
  // third serves zero (a fourth is for texts).
  const size_t Count = std::min<size_t>(FSections.size(), 3);
  const TSection* S = &FSections[0];
  if (Number < 0 && Count >= 2)
    S = &FSections[1];
  else if (Number == 0 && Count >= 3)
    S = &FSections[2];
  if (!S->HasDate) {
    // A section of texts alone shows them; one that formats numbers is not for a date.
    if (S->HasNumber) return false;
    Text.clear();
    for (const TToken& T : S->Tokens)
      if (T.Kind == tkText) Text += T.Text;
    return true;
  }
  // No date before day 0: a negative number (even of a section for negative numbers) shows none.
  const double Serial = Number + DayOffset;
  if (Number < 0 || Serial >= LastSerial + 1) return false;

  // The time is rounded to the finest unit the format shows (whole seconds without a fraction);
  // coarser units then show what that leaves, as spreadsheet programs do ("h:mm" of 10:59:59.6
  // shows 11:00, of 10:59:59.4 shows 10:59).
  Int64 Units = 1;
  for (Integer K = 0; K < S->FractionDigits; ++K) Units *= 10;
  const Int64 Total = std::llround(Serial * 86400.0 * static_cast<double>(Units));
  const Int64 PerDay = 86400 * Units;
  const Int64 Day = Total / PerDay;
  if (static_cast<double>(Day) > LastSerial) return false;
  const Int64 InDay = Total % PerDay;
  const Int64 Secs = InDay / Units;
  const Int64 Hour = Secs / 3600, Minute = Secs / 60 % 60, Second = Secs % 60;
  Integer Y, M, D;
  DateOfSerialDay(Day, Y, M, D);
  const Integer WeekDay = static_cast<Integer>((Day + 6) % 7);  // 0: Sunday (day 1 was one)

  Text.clear();
  for (const TToken& T : S->Tokens) {
    switch (T.Kind) {
      case tkText:
        Text += T.Text;
        break;
      case tkYear:
        Text += T.Count <= 2 ? Padded(Y % 100, 2) : Padded(Y, 4);
        break;
      case tkMonth:
        Text += Padded(M, std::min<Integer>(T.Count, 2));
        break;
      case tkMonthName: {
        const String& Name = T.Count == 3 ? FormatSettings.ShortMonthNames[M - 1] : FormatSettings.LongMonthNames[M - 1];
        Text += T.Count == 5 ? Name.substr(0, 1) : Name;
        break;
      }
      case tkDay:
        Text += Padded(D, std::min<Integer>(T.Count, 2));
        break;
      case tkDayName:
        Text += T.Count == 3 ? FormatSettings.ShortDayNames[WeekDay] : FormatSettings.LongDayNames[WeekDay];
        break;
      case tkHour:
        Text += Padded(S->TwelveHour ? (Hour % 12 == 0 ? 12 : Hour % 12) : Hour, std::min<Integer>(T.Count, 2));
        break;
      case tkMinute:
        Text += Padded(Minute, std::min<Integer>(T.Count, 2));
        break;
      case tkSecond:
        Text += Padded(Second, std::min<Integer>(T.Count, 2));
        break;
      case tkFraction: {
        Int64 Div = 1;
        for (Integer K = T.Count; K < S->FractionDigits; ++K) Div *= 10;
        Text += FormatSettings.DecimalSeparator;
        Text += Padded(InDay % Units / Div, T.Count);
        break;
      }
      case tkElapsedHours:
        Text += Padded(Total / Units / 3600, T.Count);
        break;
      case tkElapsedMinutes:
        Text += Padded(Total / Units / 60, T.Count);
        break;
      case tkElapsedSeconds:
        Text += Padded(Total / Units, T.Count);
        break;
      case tkAmPm: {
        const bool Pm = Hour >= 12;
        const bool Short = T.Text.size() == 3;
        const Char First = Short ? T.Text[Pm ? 2 : 0] : T.Text[Pm ? 3 : 0];
        if (Short) {
          Text += First;
        } else {
          // "AM/PM" as written: upper or lower case.
          const bool Upper = First >= u'A' && First <= u'Z';
          Text += Upper ? (Pm ? u"PM" : u"AM") : (Pm ? u"pm" : u"am");
        }
        break;
      }
    }
  }
  return true;
}

String BuiltInDateCode(Integer Id) {
  // The short date of the program's settings as a format code: its letters as they are, its
  // separator as the settings' date separator, quoted text as it stands.
  auto ShortDate = [] {
    String Code;
    const String& F = FormatSettings.ShortDateFormat;
    for (size_t I = 0; I < F.size(); ++I) {
      const Char C = F[I];
      if (C == u'\'' || C == u'"') {
        const size_t End = std::min(F.find(C, I + 1), F.size());
        Code += u"\"" + F.substr(I + 1, End - I - 1) + u"\"";
        I = End;
      } else if (C == u'/') {
        Code += u"\\" + String(1, FormatSettings.DateSeparator);
      } else if (Lower(C) == u'd' || Lower(C) == u'm' || Lower(C) == u'y') {
        Code += C;
      } else {
        Code += u"\\" + String(1, C);
      }
    }
    return Code;
  };
  switch (Id) {
    case 14:
      return ShortDate();
    case 15:
      return u"d-mmm-yy";
    case 16:
      return u"d-mmm";
    case 17:
      return u"mmm-yy";
    case 18:
      return u"h:mm AM/PM";
    case 19:
      return u"h:mm:ss AM/PM";
    case 20:
    case 32:
      return u"h:mm";
    case 21:
    case 33:
      return u"h:mm:ss";
    case 22:
      return ShortDate() + u" h:mm";
    case 45:
      return u"mm:ss";
    case 46:
      return u"[h]:mm:ss";
    case 47:
      return u"mm:ss.0";
    default:
      // The dates of the Asian built-in formats, shown in the program's short date.
      if ((Id >= 27 && Id <= 36) || (Id >= 50 && Id <= 58)) return ShortDate();
      return String();
  }
}

bool IsoDateSerial(const String& Text, double& Serial) {
  size_t I = 0;
  const size_t N = Text.size();
  // Reads exactly Width digits.
  auto Digits = [&](size_t Width, Integer& Value) {
    Value = 0;
    for (size_t K = 0; K < Width; ++K, ++I) {
      if (I >= N || Text[I] < u'0' || Text[I] > u'9') return false;
      Value = Value * 10 + (Text[I] - u'0');
    }
    return true;
  };
  auto Next = [&](Char C) { return I < N && Text[I] == C ? (++I, true) : false; };
  double Days = 0;
  bool HasDate = false;
  if (N >= 10 && Text[4] == u'-') {
    Integer Y, M, D;
    if (!Digits(4, Y) || !Next(u'-') || !Digits(2, M) || !Next(u'-') || !Digits(2, D)) return false;
    TDateTime Date;
    // No date before 1899-12-31 (day 0); before 1900-03-01 the count is one behind the TDateTime.
    if (!TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Date) || Date < 1) return false;
    Days = Date < 61 ? Date - 1 : Date;
    HasDate = true;
    if (I == N) {
      Serial = Days;
      return true;
    }
    if (!Next(u'T') && !Next(u' ')) return false;
  }
  Integer H, Mi, Se = 0;
  double Frac = 0;
  if (!Digits(2, H) || !Next(u':') || !Digits(2, Mi)) return false;
  if (Next(u':')) {
    if (!Digits(2, Se)) return false;
    if (Next(u'.') || Next(u',')) {
      double Scale = 0.1;
      const size_t From = I;
      for (; I < N && Text[I] >= u'0' && Text[I] <= u'9'; ++I, Scale /= 10) Frac += (Text[I] - u'0') * Scale;
      if (I == From) return false;
    }
  }
  if (H > 24 || Mi > 59 || Se > 59 || (H == 24 && (Mi || Se || Frac > 0))) return false;
  // A zone (Z or an offset) is the writer's; the cell shows the time as written.
  if (HasDate && (Next(u'Z') || Next(u'+') || Next(u'-'))) I = N;
  if (I != N) return false;
  Serial = Days + (H * 3600 + Mi * 60 + Se + Frac) / 86400.0;
  return true;
}

}  // namespace office
