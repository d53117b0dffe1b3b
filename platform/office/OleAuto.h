// What every automation object of the office layer shares: its errors, the switch that tells
// whether a server can be created, and the table of running instances.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"

// Any failure of a call on an automation object: a file that cannot be opened or saved, a bad
// address, a database or query error. Its message says what went wrong.
KP_DECLARE_EXCEPTION(EOleError, Exception)
KP_DECLARE_EXCEPTION(EOleException, EOleError)
// An automation object that cannot be created.
KP_DECLARE_EXCEPTION(EOleSysError, EOleError)

// The programmatic identifiers of the servers the layer offers.
inline const String ProgIdSpreadsheet = u"excel.application";
inline const String ProgIdWordProcessor = u"word.application";
inline const String ProgIdDbConnection = u"ADODB.Connection";
inline const String ProgIdDbRecordSet = u"ADODB.RecordSet";

// Whether the server of a programmatic identifier (compared without case) can be created. Every
// server of the layer can be, unless a test switched it off to see its caller's "not found" path.
bool OleServerAvailable(const String& ProgID);
void SetOleServerAvailable(const String& ProgID, bool Available);
// Raises EOleSysError "Invalid class string" when the server cannot be created.
void CheckOleServer(const String& ProgID);

// The running instances of one application class: an instance counts as running from its
// creation until it quits or its last holder lets it go. The newest running one is "the" running
// instance a caller attaches to.
template <class T>
class TRunningObjects {
 public:
  static void Add(const std::shared_ptr<T>& App) { List().push_back(App); }
  static void Remove(const T* App) {
    auto& L = List();
    L.erase(std::remove_if(L.begin(), L.end(),
                           [App](const std::weak_ptr<T>& W) {
                             auto S = W.lock();
                             return !S || S.get() == App;
                           }),
            L.end());
  }
  static std::shared_ptr<T> Newest() {
    auto& L = List();
    for (auto It = L.rbegin(); It != L.rend(); ++It)
      if (auto S = It->lock()) return S;
    return nullptr;
  }

 private:
  static std::vector<std::weak_ptr<T>>& List() {
    static std::vector<std::weak_ptr<T>> L;
    return L;
  }
};
