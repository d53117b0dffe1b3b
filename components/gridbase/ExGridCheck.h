// The cell checker: the string grid calls the checker assigned to its CellChecker to correct cell
// texts and to mark errors in them. This base checker changes nothing; concrete checkers override
// its four operations.
#pragma once

#include "platform/gui/Component.h"

class TExStringGridCheck : public TComponent {
 public:
  explicit TExStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TExStringGridCheck"; }

  // The text of cell (ACol, ARow) with its errors marked.
  virtual String MarkError(Integer ACol, Integer ARow, const String& s);
  // The text of cell (ACol, ARow) corrected.
  virtual String Correct(Integer ACol, Integer ARow, const String& s);
  // Called once before and once after a range of cells is checked.
  virtual void StartCheck();
  virtual void StopCheck();

  // A range check moves the grid's current cell to each checked cell and back.
  bool GotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  // An edited cell is corrected (Correct) when it is validated.
  bool AutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  // An edited cell gets its errors marked (MarkError) when it is validated.
  bool AutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  // A range check corrects the cells.
  bool UseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  // A range check marks the errors of the cells.
  bool UseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

 private:
  bool FGotoCell = false;
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
};
