#include "components/gridbase/ExGridCheck.h"

String TExStringGridCheck::MarkError(Integer ACol, Integer ARow, const String& s) {
  (void)ACol, (void)ARow;
  return s;
}

String TExStringGridCheck::Correct(Integer ACol, Integer ARow, const String& s) {
  (void)ACol, (void)ARow;
  return s;
}

void TExStringGridCheck::StartCheck() {}

void TExStringGridCheck::StopCheck() {}
