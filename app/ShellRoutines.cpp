#include "app/ShellRoutines.h"

#include <algorithm>
#include <vector>

#include "platform/os/Process.h"
#include "platform/os/SerialPorts.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Splits S at its first "." into the trimmed part before it and the trimmed rest; false when S
// holds no ".".
bool Split_At_Point(const String& S, String& Before, String& Rest) {
  const Integer p = Pos(u".", S);
  if (p == 0) return false;
  Before = Trim(Copy(S, 1, p - 1));
  Rest = Trim(Copy(S, p + 1, Length(S)));
  return true;
}

bool Is_Octet(const String& Part) {
  // A part that is not a number counts as out of range.
  const Integer v = StrToIntDef(Part, 1000);
  return v >= 0 && v <= 255;
}

// The highest port number the update tool knows.
constexpr Integer Highest_Com_Port = 256;

}  // namespace

bool Check_IP_Address(const String& IP, String& P1, String& P2, String& P3, String& P4) {
  String S = Trim(IP);
  if (Pos(u".", S) == 0) return false;
  String rest;
  Split_At_Point(S, P1, rest);
  S = rest;
  if (!Split_At_Point(S, P2, rest)) return false;
  S = rest;
  if (!Split_At_Point(S, P3, rest)) return false;
  P4 = rest;
  return Is_Octet(P1) && Is_Octet(P2) && Is_Octet(P3) && Is_Octet(P4);
}

std::unique_ptr<TStringList> Get_Com_Port_List(const String& DeviceFolder) {
  std::vector<Integer> numbers;
  const String prefix = u"ttyS";
  for (const String& path : GetSerialPortNames(DeviceFolder)) {
    // Only the board's serial ports ttyS0, ttyS1, ... carry the classic numbers COM1, COM2, ...
    const String name = ExtractFileName(path);
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const String digits = name.substr(prefix.size());
    Integer k = -1;
    if (digits.empty() || !TryStrToInt(digits, k) || digits[0] < u'0' || digits[0] > u'9') continue;
    if (k + 1 >= 1 && k + 1 <= Highest_Com_Port) numbers.push_back(k + 1);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  auto list = std::make_unique<TStringList>();
  for (Integer n : numbers) list->Add(IntToStr(n));
  return list;
}

TStart_Program_Result Start_Program(const String& NomeSW, const String& Parameter, Byte tipo,
                                    Cardinal TimeLimitMs) {
  Integer exitCode = 0;
  switch (StartProgram(NomeSW, Parameter, tipo == 0, TimeLimitMs, exitCode)) {
    case psExited:
      return spEnded;
    case psTimedOut:
      return spTimeLimit;
    case psStartFailed:
      break;
  }
  return spStartFailed;
}
