// What the checks of the object and topic tables report: the first failure, with the row it
// belongs to, or none.
#pragma once

#include <functional>

#include "platform/rtl/System.h"

struct TTable_Check_Result {
  Integer Row = 0;       // the data row that failed (from 1); 0 for a failure of the tables as a whole
  Integer Text_Id = -1;  // the text id of the failure; -1 when every check passed
  String Suffix;         // what the message adds after that text (a limit), empty when nothing
  bool Ok() const { return Text_Id < 0; }
  static TTable_Check_Result Pass() { return {}; }
  static TTable_Check_Result Fail(Integer Row, Integer Id, const String& Suffix = String()) {
    return {Row, Id, Suffix};
  }
};

// Whether a table's real column is shown; checks tied to a hidden column do not run.
using TColumn_Shown = std::function<bool(Integer Column)>;
