// TExStringGrid: whole-grid and per-cell text operations that rewrite cell texts: marking a search
// text with the highlight tag "hi" or the error tag "e" and removing the tags again, passing texts
// through the attached cell checker, fills for tests and demonstrations, dates and times, automatic
// numbering and reading a cell as a number.
#include <random>

#include "components/grid/ExGrid.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExGridCheck.h"
#include "components/gridbase/ExUtil.h"

namespace {

const String HiTag = u"hi";
const String ErrTag = u"e";

// The 1-based position of the first character of S that does not continue a number
// ([-]digits[.digits][e[+-]digits]); 0 when the whole text is one. An empty text fails at 1.
Integer NumberErrorPos(const String& S, double& Value) {
  const Integer N = static_cast<Integer>(S.size());
  if (N == 0) return 1;
  Integer i = 0;
  if (S[i] == u'-' || S[i] == u'+') ++i;
  Integer Digits = 0;
  while (i < N && S[i] >= u'0' && S[i] <= u'9') ++i, ++Digits;
  if (i < N && S[i] == u'.') {
    ++i;
    while (i < N && S[i] >= u'0' && S[i] <= u'9') ++i, ++Digits;
  }
  if (Digits == 0) return i + 1;
  if (i < N && (S[i] == u'e' || S[i] == u'E')) {
    ++i;
    if (i < N && (S[i] == u'-' || S[i] == u'+')) ++i;
    Integer ExpDigits = 0;
    while (i < N && S[i] >= u'0' && S[i] <= u'9') ++i, ++ExpDigits;
    if (ExpDigits == 0) return i + 1;
  }
  if (i < N) return i + 1;
  TFormatSettings FS = FormatSettings;
  FS.DecimalSeparator = u'.';
  Value = StrToFloat(S, FS);
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Marking one string
// ---------------------------------------------------------------------------------------------

String TExStringGrid::HilightText(bool DoCase, const String& S, const String& Text) {
  return MarkTextInHtml(S, Text, HiTag, DoCase);
}

String TExStringGrid::UnHilightText(const String& S) { return UnmarkTextInHtml(S, HiTag); }

String TExStringGrid::MarkText(bool DoCase, const String& S, const String& Text) {
  return MarkTextInHtml(S, Text, ErrTag, DoCase);
}

String TExStringGrid::UnMarkText(const String& S) { return UnmarkTextInHtml(S, ErrTag); }

// ---------------------------------------------------------------------------------------------
// Marking cells
// ---------------------------------------------------------------------------------------------

void TExStringGrid::AddTextTagInRange(const String& HiText, const String& Tag, bool DoCase, Integer FromCol,
                                      Integer FromRow, Integer ToCol, Integer ToRow) {
  const String Search = HtmlEscape(HiText, false);
  for (Integer R = FromRow; R <= ToRow; ++R)
    for (Integer C = FromCol; C <= ToCol; ++C) {
      if (!IsBaseCell(C, R)) continue;
      String T = OnGetDisplText ? GetCellEx(C, R) : GetGridCell(C, R);
      T = HtmlEscape(T, false);
      T = MarkTextInHtml(T, Search, Tag, DoCase);
      SetCellEx(C, R, T);
    }
}

void TExStringGrid::RemoveTextTagInRange(const String& Tag, Integer FromCol, Integer FromRow, Integer ToCol,
                                         Integer ToRow) {
  for (Integer R = FromRow; R <= ToRow; ++R)
    for (Integer C = FromCol; C <= ToCol; ++C) {
      if (!IsBaseCell(C, R)) continue;
      String T = OnGetDisplText ? GetCellEx(C, R) : GetGridCell(C, R);
      T = HtmlUnescape(T, false);
      T = UnmarkTextInHtml(T, Tag);
      SetCellEx(C, R, T);
    }
}

void TExStringGrid::HilightInCell(bool DoCase, Integer Col, Integer Row, const String& HiText) {
  AddTextTagInRange(HiText, HiTag, DoCase, Col, Row, Col, Row);
}

void TExStringGrid::HilightInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText) {
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  AddTextTagInRange(HiText, HiTag, DoCase, Col, R1, Col, R2);
}

void TExStringGrid::HilightInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  AddTextTagInRange(HiText, HiTag, DoCase, C1, Row, C2, Row);
}

void TExStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols + FNumHidden;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  AddTextTagInRange(HiText, HiTag, DoCase, C1, R1, C2, R2);
}

void TExStringGrid::MarkInCell(bool DoCase, Integer Col, Integer Row, const String& HiText) {
  AddTextTagInRange(HiText, ErrTag, DoCase, Col, Row, Col, Row);
}

void TExStringGrid::MarkInCol(bool DoFixed, bool DoCase, Integer Col, const String& HiText) {
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  AddTextTagInRange(HiText, ErrTag, DoCase, Col, R1, Col, R2);
}

void TExStringGrid::MarkInRow(bool DoFixed, bool DoCase, Integer Row, const String& HiText) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  AddTextTagInRange(HiText, ErrTag, DoCase, C1, Row, C2, Row);
}

void TExStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  AddTextTagInRange(HiText, ErrTag, DoCase, C1, R1, C2, R2);
}

void TExStringGrid::UnHilightInCell(Integer Col, Integer Row) { RemoveTextTagInRange(HiTag, Col, Row, Col, Row); }

void TExStringGrid::UnHilightInCol(bool DoFixed, Integer Col) {
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  RemoveTextTagInRange(HiTag, Col, R1, Col, R2);
}

void TExStringGrid::UnHilightInRow(bool DoFixed, Integer Row) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 + FNumHidden : ColCount() - 1 - FFixedRightCols + FNumHidden;
  RemoveTextTagInRange(HiTag, C1, Row, C2, Row);
}

void TExStringGrid::UnHilightInGrid(bool DoFixed) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 + FNumHidden : ColCount() - 1 - FFixedRightCols + FNumHidden;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  RemoveTextTagInRange(HiTag, C1, R1, C2, R2);
}

void TExStringGrid::UnMarkInCell(Integer Col, Integer Row) { RemoveTextTagInRange(ErrTag, Col, Row, Col, Row); }

void TExStringGrid::UnMarkInCol(bool DoFixed, Integer Col) {
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  RemoveTextTagInRange(ErrTag, Col, R1, Col, R2);
}

void TExStringGrid::UnMarkInRow(bool DoFixed, Integer Row) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 + FNumHidden : ColCount() - 1 - FFixedRightCols + FNumHidden;
  RemoveTextTagInRange(ErrTag, C1, Row, C2, Row);
}

void TExStringGrid::UnMarkInGrid(bool DoFixed) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 + FNumHidden : ColCount() - 1 - FFixedRightCols + FNumHidden;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  RemoveTextTagInRange(ErrTag, C1, R1, C2, R2);
}

// ---------------------------------------------------------------------------------------------
// Cell checking
// ---------------------------------------------------------------------------------------------

bool TExStringGrid::CheckCell(Integer Col, Integer Row) {
  if (!FCellChecker) return true;
  const String S = UnMarkText(GetCellEx(Col, Row));
  if (FCellChecker->GotoCell()) {
    MoveColRow(RealToDisplayCol(Col), Row, true, true);
  }
  String T = S;
  if (FCellChecker->UseCorrect()) T = FCellChecker->Correct(Col, Row, S);
  if (FCellChecker->UseMarkError()) T = FCellChecker->MarkError(Col, Row, S);
  SetCellEx(Col, Row, T);
  return T == S;
}

bool TExStringGrid::CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
  if (!FCellChecker) return true;
  FCellChecker->StartCheck();
  const Integer OldRow = Row();
  const Integer OldCol = Col();
  bool Result = true;
  for (Integer R = FromRow; R <= ToRow; ++R)
    for (Integer C = FromCol; C <= ToCol; ++C) Result = CheckCell(C, R) && Result;
  FCellChecker->StopCheck();
  if (FCellChecker->GotoCell()) {
    SetRow(OldRow);
    SetCol(OldCol);
  }
  return Result;
}

bool TExStringGrid::CheckCol(bool DoFixed, Integer Col) {
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  return CheckCells(Col, R1, Col, R2);
}

bool TExStringGrid::CheckRow(bool DoFixed, Integer Row) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  return CheckCells(C1, Row, C2, Row);
}

bool TExStringGrid::CheckGrid(bool DoFixed) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  return CheckCells(C1, R1, C2, R2);
}

// ---------------------------------------------------------------------------------------------
// Fills
// ---------------------------------------------------------------------------------------------

void TExStringGrid::TextFill(bool DoFixed, const String& Txt) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  for (Integer R = R1; R <= R2; ++R)
    for (Integer C = C1; C <= C2; ++C) SetCellEx(C, R, Txt);
  AllCellsChanged();
}

void TExStringGrid::FormatFill(bool DoFixed, const String& Fmt) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  for (Integer R = R1; R <= R2; ++R)
    for (Integer C = C1; C <= C2; ++C) SetCellEx(C, R, Format(Fmt, C, R));
  AllCellsChanged();
}

void TExStringGrid::RandomFill(bool DoFixed, Integer Rnd) {
  static std::minstd_rand Engine{std::random_device{}()};
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  for (Integer R = R1; R <= R2; ++R)
    for (Integer C = C1; C <= C2; ++C) {
      Integer V = 0;
      if (Rnd > 0) V = std::uniform_int_distribution<Integer>(0, Rnd - 1)(Engine);
      SetInts(C, R, V);
    }
  AllCellsChanged();
}

void TExStringGrid::LinearFill(bool DoFixed) {
  const Integer C1 = DoFixed ? 0 : TBaseGrid::FixedCols();
  const Integer C2 = DoFixed ? ColCount() - 1 : ColCount() - 1 - FFixedRightCols;
  const Integer R1 = DoFixed ? 0 : TBaseGrid::FixedRows();
  const Integer R2 = DoFixed ? RowCount() - 1 : RowCount() - 1 - FFixedFooters;
  for (Integer R = R1; R <= R2; ++R)
    for (Integer C = C1; C <= C2; ++C) SetCellEx(C, R, IntToStr(C) + u":" + IntToStr(R));
  AllCellsChanged();
}

// ---------------------------------------------------------------------------------------------
// Dates, times, numbering, numbers
// ---------------------------------------------------------------------------------------------

void TExStringGrid::SetDates(Integer ACol, Integer ARow, TDateTime Value) {
  if (Value > 0 || FShowNullDates)
    SetCellEx(ACol, ARow, DateToStr(Value));
  else
    SetCellEx(ACol, ARow, String());
}

TDateTime TExStringGrid::GetDates(Integer ACol, Integer ARow) {
  const String S = GetCellEx(ACol, ARow);
  TDateTime D = 0;
  if (!TryStrToDate(S, D)) throw EConvertError(u"'" + S + u"' is not a valid date");
  return D;
}

void TExStringGrid::SetTimes(Integer ACol, Integer ARow, TDateTime Value) { SetCellEx(ACol, ARow, TimeToStr(Value)); }

TDateTime TExStringGrid::GetTimes(Integer ACol, Integer ARow) {
  const String S = GetCellEx(ACol, ARow);
  TDateTime D = 0;
  if (!TryStrToTime(S, D)) throw EConvertError(u"'" + S + u"' is not a valid time");
  return D;
}

void TExStringGrid::AutoNumberCol(Integer ACol) {
  if (RowCount() <= 0) return;
  const Integer FR = TBaseGrid::FixedRows();
  const Integer Last = RowCount() - 1 - FFixedFooters;
  for (Integer R = FR + FAutoNumberStart; R <= Last; ++R) {
    const Integer N = R - FR + 1 + FAutoNumberOffset;
    SetInts(ACol, FAutoNumberDirection == sdAscending ? R : FR + (Last - R), N);
  }
}

void TExStringGrid::AutoNumberRow(Integer ARow) {
  if (ColCount() <= 0) return;
  const Integer FC = TBaseGrid::FixedCols();
  const Integer Last = ColCount() - 1 - FFixedRightCols;
  for (Integer C = FC + FAutoNumberStart; C <= Last; ++C) {
    const Integer N = C - FC + 1 + FAutoNumberOffset;
    SetInts(FAutoNumberDirection == sdAscending ? C : ColCount() + FC - FFixedRightCols - C - 1, ARow, N);
  }
}

double TExStringGrid::CellToReal(Integer ACol, Integer ARow) {
  const String Text = GetCellEx(ACol, ARow);
  if (Text.empty()) return 0;
  double V = 0;
  const Integer P = NumberErrorPos(NormalizeNumberText(Text), V);
  if (P != 0)
    throw EStringGridError(u"Error at position: " + IntToStr(P) + u" in Cell [" + IntToStr(ACol) + u", " +
                           IntToStr(ARow) + u"].");
  return V;
}
