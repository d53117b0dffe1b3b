// Dates and times.
#include <sys/time.h>

#include <cmath>
#include <ctime>

#include "platform/rtl/SysUtils.h"

namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr Int64 kDateDelta = 693594;
constexpr Int64 kMSecsPerDay = MSecsPerDay;

std::function<TDateTime()>& NowClock() {
  static std::function<TDateTime()> clock;
  return clock;
}

TDateTime SystemNow() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  const time_t secs = tv.tv_sec;
  tm local{};
  localtime_r(&secs, &local);
  TDateTime d = 0, t = 0;
  TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                static_cast<Word>(local.tm_mday), d);
  // A leap second reads as the last second of the minute.
  TryEncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                static_cast<Word>(local.tm_sec > 59 ? 59 : local.tm_sec), static_cast<Word>(tv.tv_usec / 1000), t);
  return d + t;
}

// Splits a date-time into whole days since 0001-01-01 (day 1) and milliseconds of the day, after
// rounding to the millisecond. The time of a negative value counts forward from its date.
void ToTimeStamp(TDateTime Value, Int64& Days, Int64& MSecs) {
  if (!std::isfinite(Value)) {
    Days = kDateDelta;
    MSecs = 0;
    return;
  }
  Int64 d = Trunc(Value);
  Int64 ms = Round(std::fabs(Value - static_cast<double>(d)) * kMSecsPerDay);
  if (ms >= kMSecsPerDay) {
    ms -= kMSecsPerDay;
    d += Value < 0 ? -1 : 1;
  }
  Days = d + kDateDelta;
  MSecs = ms;
}

// Days since 0001-01-01 (1 = that day) to year, month, day.
void DaysToDate(Int64 Days, Word& Year, Word& Month, Word& Day) {
  if (Days <= 0) {
    Year = Month = Day = 0;
    return;
  }
  Int64 t = Days - 1;
  Int64 y = 1;
  y += (t / 146097) * 400;
  t %= 146097;
  Int64 c = t / 36524;
  Int64 dd = t % 36524;
  if (c == 4) {
    c = 3;
    dd += 36524;
  }
  y += c * 100;
  y += (dd / 1461) * 4;
  dd %= 1461;
  Int64 yy = dd / 365;
  Int64 dy = dd % 365;
  if (yy == 4) {
    yy = 3;
    dy += 365;
  }
  y += yy;
  Word m = 1;
  while (true) {
    const Word len = DaysInAMonth(static_cast<Word>(y), m);
    if (dy < len) break;
    dy -= len;
    ++m;
  }
  Year = static_cast<Word>(y);
  Month = m;
  Day = static_cast<Word>(dy + 1);
}

}  // namespace

void SetNowFunction(std::function<TDateTime()> Clock) { NowClock() = std::move(Clock); }

TDateTime Now() { return NowClock() ? NowClock()() : SystemNow(); }

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() { return Frac(Now()); }

bool IsLeapYear(Word Year) { return (Year % 4 == 0) && ((Year % 100 != 0) || (Year % 400 == 0)); }

Word DaysInAMonth(Word Year, Word Month) {
  static const Word kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return (Month == 2 && IsLeapYear(Year)) ? 29 : kDays[Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month)) return false;
  Int64 days = Day;
  for (Word m = 1; m < Month; ++m) days += DaysInAMonth(Year, m);
  const Int64 y = Year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  Date = static_cast<double>(days - kDateDelta);
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError(u"Invalid argument to date encode");
  return d;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  Time = static_cast<double>(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / kMSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError(u"Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Int64 days, ms;
  ToTimeStamp(Date, days, ms);
  DaysToDate(days, Year, Month, Day);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Int64 days, ms;
  ToTimeStamp(Time, days, ms);
  MSec = static_cast<Word>(ms % 1000);
  ms /= 1000;
  Sec = static_cast<Word>(ms % 60);
  ms /= 60;
  Min = static_cast<Word>(ms % 60);
  Hour = static_cast<Word>(ms / 60);
}

Word DayOfWeek(TDateTime DateTime) {
  Int64 days, ms;
  ToTimeStamp(DateTime, days, ms);
  // Day 1 (0001-01-01) was a Monday.
  return static_cast<Word>(((days % 7) + 7) % 7 + 1);
}

TDateTime IncMonth(TDateTime DateTime, Integer NumberOfMonths) {
  Word y, m, d;
  DecodeDate(DateTime, y, m, d);
  Int64 months = static_cast<Int64>(y) * 12 + (m - 1) + NumberOfMonths;
  if (months < 12) months = 12;                // not before year 1
  if (months > 9999 * 12 + 11) months = 9999 * 12 + 11;
  const Word ny = static_cast<Word>(months / 12);
  const Word nm = static_cast<Word>(months % 12 + 1);
  const Word nd = d > DaysInAMonth(ny, nm) ? DaysInAMonth(ny, nm) : d;
  const double time = std::fabs(Frac(DateTime));
  const TDateTime date = EncodeDate(ny, nm, nd);
  return date >= 0 ? date + time : date - time;
}

// ---------------------------------------------------------------------------------------------
// FormatDateTime

namespace {

String Pad(Integer V, int Width) {
  String s = IntToStr(V);
  while (static_cast<int>(s.size()) < Width) s.insert(s.begin(), u'0');
  return s;
}

bool StartsWithNoCase(const String& Fmt, size_t At, const char* Word) {
  for (size_t k = 0; Word[k]; ++k) {
    if (At + k >= Fmt.size() || UpCase(Fmt[At + k]) != UpCase(static_cast<Char>(Word[k]))) return false;
  }
  return true;
}

// Whether the format holds an am/pm marker outside quotes (then hours count 1..12).
bool HasAmPm(const String& Fmt) {
  Char quote = 0;
  for (size_t i = 0; i < Fmt.size(); ++i) {
    const Char c = Fmt[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == u'\'' || c == u'"') {
      quote = c;
      continue;
    }
    if (StartsWithNoCase(Fmt, i, "am/pm") || StartsWithNoCase(Fmt, i, "a/p") || StartsWithNoCase(Fmt, i, "ampm"))
      return true;
  }
  return false;
}

class TDateFormatter {
 public:
  TDateFormatter(TDateTime Value, const TFormatSettings& Fs) : FValue(Value), FFs(Fs) {
    DecodeDate(Value, FYear, FMonth, FDay);
    DecodeTime(Value, FHour, FMin, FSec, FMSec);
    FDow = DayOfWeek(Value);
  }

  void Append(const String& Fmt, String& Out, int Depth) {
    if (Depth > 2) return;  // a format naming itself (c inside ShortDateFormat) stops here
    const bool twelve = HasAmPm(Fmt);
    bool lastWasHour = false;
    size_t i = 0;
    const size_t n = Fmt.size();
    while (i < n) {
      const Char c = Fmt[i];
      const Char u = UpCase(c);
      size_t run = 1;
      while (i + run < n && UpCase(Fmt[i + run]) == u) ++run;
      switch (u) {
        case u'\'':
        case u'"': {
          size_t j = i + 1;
          while (j < n && Fmt[j] != c) Out.push_back(Fmt[j++]);
          i = j < n ? j + 1 : j;
          continue;
        }
        case u'/':
          Out.push_back(FFs.DateSeparator);
          ++i;
          continue;
        case u':':
          Out.push_back(FFs.TimeSeparator);
          ++i;
          continue;
        case u'Y':
          Out += run <= 2 ? Pad(FYear % 100, 2) : Pad(FYear, 4);
          lastWasHour = false;
          break;
        case u'M':
          if (lastWasHour) {
            Out += run == 1 ? IntToStr(static_cast<Integer>(FMin)) : Pad(FMin, 2);
            if (run > 2) run = 2;
          } else if (run == 1) {
            Out += IntToStr(static_cast<Integer>(FMonth));
          } else if (run == 2) {
            Out += Pad(FMonth, 2);
          } else if (run == 3) {
            Out += FMonth >= 1 ? FFs.ShortMonthNames[FMonth - 1] : String();
          } else {
            Out += FMonth >= 1 ? FFs.LongMonthNames[FMonth - 1] : String();
            run = 4;
          }
          lastWasHour = false;
          break;
        case u'D':
          if (run == 1) Out += IntToStr(static_cast<Integer>(FDay));
          else if (run == 2) Out += Pad(FDay, 2);
          else if (run == 3) Out += FFs.ShortDayNames[FDow - 1];
          else if (run == 4) Out += FFs.LongDayNames[FDow - 1];
          else if (run == 5) Append(FFs.ShortDateFormat, Out, Depth + 1);
          else {
            Append(FFs.LongDateFormat, Out, Depth + 1);
            run = 6;
          }
          lastWasHour = false;
          break;
        case u'H': {
          Integer h = FHour;
          if (twelve) {
            h %= 12;
            if (h == 0) h = 12;
          }
          if (run > 2) run = 2;
          Out += run == 1 ? IntToStr(h) : Pad(h, 2);
          lastWasHour = true;
          break;
        }
        case u'N':
          if (run > 2) run = 2;
          Out += run == 1 ? IntToStr(static_cast<Integer>(FMin)) : Pad(FMin, 2);
          lastWasHour = false;
          break;
        case u'S':
          if (run > 2) run = 2;
          Out += run == 1 ? IntToStr(static_cast<Integer>(FSec)) : Pad(FSec, 2);
          lastWasHour = false;
          break;
        case u'Z':
          if (run > 3) run = 3;
          Out += run == 1 ? IntToStr(static_cast<Integer>(FMSec)) : Pad(FMSec, 3);
          lastWasHour = false;
          break;
        case u'T':
          if (run > 2) run = 2;
          Append(run == 1 ? FFs.ShortTimeFormat : FFs.LongTimeFormat, Out, Depth + 1);
          lastWasHour = false;
          break;
        case u'C':
          run = 1;
          Append(FFs.ShortDateFormat, Out, Depth + 1);
          if (Frac(FValue) != 0) {
            Out.push_back(u' ');
            Append(FFs.LongTimeFormat, Out, Depth + 1);
          }
          lastWasHour = false;
          break;
        case u'A':
          if (StartsWithNoCase(Fmt, i, "am/pm")) {
            // The marker's own letter case picks the case of the output.
            const bool pm = FHour >= 12;
            const String word = pm ? Fmt.substr(i + 3, 2) : Fmt.substr(i, 2);
            Out += word;
            i += 5;
            continue;
          }
          if (StartsWithNoCase(Fmt, i, "a/p")) {
            Out.push_back(FHour >= 12 ? Fmt[i + 2] : Fmt[i]);
            i += 3;
            continue;
          }
          if (StartsWithNoCase(Fmt, i, "ampm")) {
            Out += FHour >= 12 ? FFs.TimePMString : FFs.TimeAMString;
            i += 4;
            continue;
          }
          Out.push_back(c);
          ++i;
          continue;
        default:
          Out.push_back(c);
          ++i;
          continue;
      }
      i += run;
    }
  }

 private:
  TDateTime FValue;
  const TFormatSettings& FFs;
  Word FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0, FDow = 1;
};

}  // namespace

String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& Settings) {
  String out;
  TDateFormatter(DateTime, Settings).Append(Format.empty() ? String(u"c") : Format, out, 0);
  return out;
}

String FormatDateTime(const String& Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}

String DateToStr(TDateTime Date, const TFormatSettings& Settings) { return FormatDateTime(u"ddddd", Date, Settings); }
String DateToStr(TDateTime Date) { return DateToStr(Date, FormatSettings); }
String TimeToStr(TDateTime Time, const TFormatSettings& Settings) { return FormatDateTime(u"tt", Time, Settings); }
String TimeToStr(TDateTime Time) { return TimeToStr(Time, FormatSettings); }
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime(u"c", DateTime, Settings);
}
String DateTimeToStr(TDateTime DateTime) { return DateTimeToStr(DateTime, FormatSettings); }

// ---------------------------------------------------------------------------------------------
// Text to dates and times

namespace {

// A small scanner over the text being parsed.
struct TScanner {
  const String& S;
  size_t I = 0;
  explicit TScanner(const String& Text) : S(Text) {}
  void SkipBlanks() {
    while (I < S.size() && S[I] == u' ') ++I;
  }
  bool AtEnd() const { return I >= S.size(); }
  bool Number(Integer& Value, int& Digits) {
    Digits = 0;
    Int64 v = 0;
    while (I < S.size() && S[I] >= u'0' && S[I] <= u'9') {
      v = v * 10 + (S[I++] - u'0');
      if (++Digits > 9) return false;
    }
    Value = static_cast<Integer>(v);
    return Digits > 0;
  }
  bool Char_(Char C) {
    if (I < S.size() && S[I] == C) {
      ++I;
      return true;
    }
    return false;
  }
};

// The order of day, month and year in a short date format: "DMY", "MDY" or "YMD".
String DateOrder(const String& Fmt) {
  String order;
  for (Char c : Fmt) {
    const Char u = UpCase(c);
    if ((u == u'D' || u == u'M' || u == u'Y') && order.find(u) == String::npos) order.push_back(u);
  }
  if (order.size() != 3) return u"MDY";
  return order;
}

bool ScanDate(TScanner& Sc, TDateTime& Value, const TFormatSettings& Fs) {
  Integer n[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
  int count = 0;
  Sc.SkipBlanks();
  for (; count < 3; ++count) {
    if (count > 0) {
      Sc.SkipBlanks();
      if (!Sc.Char_(Fs.DateSeparator)) break;
      Sc.SkipBlanks();
    }
    if (!Sc.Number(n[count], digits[count])) return false;
  }
  if (count < 2) return false;
  const String order = DateOrder(Fs.ShortDateFormat);
  Integer y = 0, m = 0, d = 0;
  bool yearGiven = false;
  int yearDigits = 0;
  if (count == 3) {
    for (int k = 0; k < 3; ++k) {
      if (order[k] == u'Y') {
        y = n[k];
        yearDigits = digits[k];
        yearGiven = true;
      } else if (order[k] == u'M') {
        m = n[k];
      } else {
        d = n[k];
      }
    }
  } else {
    // Two numbers: month and day in the order of the format, in the current year.
    const size_t mi = order.find(u'M'), di = order.find(u'D');
    if (mi < di) {
      m = n[0];
      d = n[1];
    } else {
      d = n[0];
      m = n[1];
    }
  }
  Word cy, cm, cd;
  DecodeDate(Now(), cy, cm, cd);
  if (!yearGiven) {
    y = cy;
  } else if (yearDigits <= 2) {
    // A two-digit year lies within the century window around the current year.
    const Integer window = Fs.TwoDigitYearCenturyWindow;
    Integer century = cy - cy % 100;
    y += century;
    if (window > 0) {
      if (y > cy + window) y -= 100;
      else if (y <= cy - (100 - window)) y += 100;
    }
  }
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), Value);
}

bool ScanAmPm(TScanner& Sc, const TFormatSettings& Fs, int& AmPm) {
  AmPm = -1;
  Sc.SkipBlanks();
  const String rest = Sc.S.substr(Sc.I);
  auto matches = [&](const String& Word) {
    return !Word.empty() && rest.size() >= Word.size() && AnsiSameText(rest.substr(0, Word.size()), Word);
  };
  if (matches(Fs.TimeAMString)) {
    AmPm = 0;
    Sc.I += Fs.TimeAMString.size();
  } else if (matches(Fs.TimePMString)) {
    AmPm = 1;
    Sc.I += Fs.TimePMString.size();
  } else if (matches(u"AM")) {
    AmPm = 0;
    Sc.I += 2;
  } else if (matches(u"PM")) {
    AmPm = 1;
    Sc.I += 2;
  }
  return true;
}

bool ScanTime(TScanner& Sc, TDateTime& Value, const TFormatSettings& Fs) {
  Integer h = 0, m = 0, s = 0, ms = 0;
  int digits;
  Sc.SkipBlanks();
  if (!Sc.Number(h, digits)) return false;
  Sc.SkipBlanks();
  if (Sc.Char_(Fs.TimeSeparator)) {
    Sc.SkipBlanks();
    if (!Sc.Number(m, digits)) return false;
    Sc.SkipBlanks();
    if (Sc.Char_(Fs.TimeSeparator)) {
      Sc.SkipBlanks();
      if (!Sc.Number(s, digits)) return false;
      if (Sc.Char_(Fs.DecimalSeparator) || Sc.Char_(u'.')) {
        if (!Sc.Number(ms, digits)) return false;
        // Fractions of a second: ".5" is 500 ms.
        while (digits < 3) {
          ms *= 10;
          ++digits;
        }
        while (digits > 3) {
          ms /= 10;
          --digits;
        }
      }
    }
  }
  int ampm;
  ScanAmPm(Sc, Fs, ampm);
  if (ampm >= 0) {
    if (h < 1 || h > 12) return false;
    if (h == 12) h = 0;
    if (ampm == 1) h += 12;
  }
  return TryEncodeTime(static_cast<Word>(h < 0 || h > 65535 ? 65535 : h), static_cast<Word>(m > 65535 ? 65535 : m),
                       static_cast<Word>(s > 65535 ? 65535 : s), static_cast<Word>(ms), Value);
}

}  // namespace

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc(S);
  TDateTime d;
  if (!ScanDate(sc, d, Settings)) return false;
  sc.SkipBlanks();
  if (!sc.AtEnd()) return false;
  Value = d;
  return true;
}

bool TryStrToDate(const String& S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }

bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc(S);
  TDateTime t;
  if (!ScanTime(sc, t, Settings)) return false;
  sc.SkipBlanks();
  if (!sc.AtEnd()) return false;
  Value = t;
  return true;
}

bool TryStrToTime(const String& S, TDateTime& Value) { return TryStrToTime(S, Value, FormatSettings); }

bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc(S);
  TDateTime d;
  if (!ScanDate(sc, d, Settings)) {
    // A time alone.
    return TryStrToTime(S, Value, Settings);
  }
  sc.SkipBlanks();
  TDateTime t = 0;
  if (!sc.AtEnd()) {
    if (!ScanTime(sc, t, Settings)) return false;
    sc.SkipBlanks();
    if (!sc.AtEnd()) return false;
  }
  Value = d >= 0 ? d + t : d - t;
  return true;
}

bool TryStrToDateTime(const String& S, TDateTime& Value) { return TryStrToDateTime(S, Value, FormatSettings); }

TDateTime StrToDate(const String& S) {
  TDateTime v;
  if (!TryStrToDate(S, v)) throw EConvertError(u"'" + S + u"' is not a valid date");
  return v;
}

TDateTime StrToTime(const String& S) {
  TDateTime v;
  if (!TryStrToTime(S, v)) throw EConvertError(u"'" + S + u"' is not a valid time");
  return v;
}

TDateTime StrToDateTime(const String& S) {
  TDateTime v;
  if (!TryStrToDateTime(S, v)) throw EConvertError(u"'" + S + u"' is not a valid date and time");
  return v;
}
