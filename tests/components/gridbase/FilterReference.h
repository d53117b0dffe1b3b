// The filter condition matcher worked out call by call (see FilterReference.cpp): the results the
// grid's compiled filter conditions must give.
#pragma once

#include "platform/rtl/System.h"

namespace FilterReference {

bool MatchFilter(const String& Condition, const String& Value, bool CaseSensitive);
bool MatchOperand(const String& Operand, const String& Value, bool CaseSensitive);
bool MatchPattern(const String& Pattern, const String& Value);

}  // namespace FilterReference
