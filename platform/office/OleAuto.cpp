#include "platform/office/OleAuto.h"

#include <set>

namespace {
std::set<String>& SwitchedOff() {
  static std::set<String> S;
  return S;
}
}  // namespace

bool OleServerAvailable(const String& ProgID) { return SwitchedOff().count(UpperCase(ProgID)) == 0; }

void SetOleServerAvailable(const String& ProgID, bool Available) {
  if (Available)
    SwitchedOff().erase(UpperCase(ProgID));
  else
    SwitchedOff().insert(UpperCase(ProgID));
}

void CheckOleServer(const String& ProgID) {
  if (!OleServerAvailable(ProgID)) throw EOleSysError(u"Invalid class string");
}
