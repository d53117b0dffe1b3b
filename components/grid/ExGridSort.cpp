// TExStringGrid: sorting the rows in place. One column (QSort), several columns in priority order
// (QSortIndexed), the child rows of the deepest expanded nodes (QSortGroup, QSortGroupIndexed), a
// row range (QuickSort, QuickSortIndexed), and undoing the sorts since the cross reference was last
// reset (QUnSort). Cells compare by the column's sort style.
//
// A sort appends three scratch rows; the one before last holds a shallow copy of the pivot row (its
// cell objects shared with the data row), so they are always cleared without freeing anything.
// Whole rows move: texts, cell property objects with their graphics, heights and, where those
// features are on, the disjunct row selection and the modified marks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/LargeArray.h"
#include "platform/rtl/SysUtils.h"

namespace {

Integer Sign(Integer V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

template <typename T>
Integer CompareValues(T A, T B) {
  if (A < B) return -1;
  if (B < A) return 1;
  if (A == B) return 0;
  // A value that is not a number (no text's digits give one) comes after every number, equal to
  // another such value, so that the order stays one order.
  const bool NanA = A != A, NanB = B != B;
  return NanA == NanB ? 0 : (NanA ? 1 : -1);
}

// The platform's decimal conversion: leading blanks, a sign, digits, "." and an exponent. Value is
// what the characters up to the first one that does not fit make; the answer tells whether the
// whole text was a number.
bool DecimalValue(const String& S, double& Value) {
  size_t i = 0;
  while (i < S.size() && S[i] == u' ') ++i;
  std::string Text;
  size_t Good = 0;  // length of Text that still forms a number
  bool Digits = false;
  if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) Text += static_cast<char>(S[i++]);
  while (i < S.size() && S[i] >= u'0' && S[i] <= u'9') {
    Text += static_cast<char>(S[i++]);
    Digits = true;
    Good = Text.size();
  }
  if (i < S.size() && S[i] == u'.') {
    Text += '.';
    ++i;
    while (i < S.size() && S[i] >= u'0' && S[i] <= u'9') {
      Text += static_cast<char>(S[i++]);
      Digits = true;
      Good = Text.size();
    }
  }
  if (Digits && i < S.size() && (S[i] == u'e' || S[i] == u'E')) {
    std::string Exp = "e";
    size_t k = i + 1;
    if (k < S.size() && (S[k] == u'+' || S[k] == u'-')) Exp += static_cast<char>(S[k++]);
    bool ExpDigits = false;
    while (k < S.size() && S[k] >= u'0' && S[k] <= u'9') {
      Exp += static_cast<char>(S[k++]);
      ExpDigits = true;
    }
    if (ExpDigits) {
      Text += Exp;
      Good = Text.size();
      i = k;
    }
  }
  Value = Good > 0 ? std::strtod(Text.substr(0, Good).c_str(), nullptr) : 0.0;
  return Digits && i == S.size();
}

// The text with the first occurrence of Part removed.
String RemoveFirst(const String& S, const String& Part) {
  if (Part.empty()) return S;
  const size_t p = S.find(Part);
  if (p == String::npos) return S;
  return S.substr(0, p) + S.substr(p + Part.size());
}

// The text is a number in integer, float or exponent form.
bool IsNumberText(const String& S) {
  const Integer K = ClassifyNumberText(S);
  return K == ntInteger || K == ntFloat || K == ntExponent;
}

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// A separator at 1-based position p of S, with a decimal digit on each side.
bool DigitsAround(const String& S, Integer p) {
  return p > 1 && p < static_cast<Integer>(S.size()) && IsDigit(S[p - 2]) && IsDigit(S[p]);
}

// What a text looks like to the automatic style: 1 a date (the locale date separator at the second
// or third place with a digit on each side), 2 a time (the time separator so, where the date
// separator is not), 0 neither.
Byte DateKindOf(const String& S, Char DateSep, Char TimeSep) {
  const Integer Len = static_cast<Integer>(S.size());
  const size_t d = S.find(DateSep);
  const Integer p = d != String::npos ? static_cast<Integer>(d) + 1 : 0;
  if (p > 1 && p < 4 && p < Len) return DigitsAround(S, p) ? 1 : 0;
  const size_t t = S.find(TimeSep);
  const Integer q = t != String::npos ? static_cast<Integer>(t) + 1 : 0;
  return q > 1 && q < 4 && q < Len && DigitsAround(S, q) ? 2 : 0;
}

// The automatic and alphanumeric styles order texts of different kinds by kind, and texts of one
// kind by that kind's own rule: texts sorting before every number as letters do (the empty text,
// blanks, and those that begin with a character below "0"), then numbers by value, dates by date,
// times by time (automatic only), then every other text by its letters. Where the style's rule of
// each pair of texts was an order (numbers among numbers, texts among texts, dates among dates, a
// blank or a word against numbers) this keeps it; it is one order for any mix.
enum TTextRank : Byte { trLowText, trNumber, trDate, trTime, trText };

TTextRank TextRank(const String& S, bool IsNum, Byte DateKind) {
  if (IsNum) return trNumber;
  if (DateKind == 1) return trDate;
  if (DateKind == 2) return trTime;
  return S.empty() || S[0] < u'0' ? trLowText : trText;
}

// A locale date-time text as a number; an empty text or one that does not convert gives 0.
double DateTimeValue(const String& S, bool TimeOnly) {
  if (S.empty()) return 0;
  TDateTime V = 0;
  const bool Ok = TimeOnly ? TryStrToTime(S, V) : TryStrToDateTime(S, V);
  if (!Ok && !TimeOnly && TryStrToDate(S, V)) return V;
  return Ok ? static_cast<double>(V) : 0.0;
}

double ShortDateValue(const String& S, bool EU) {
  try {
    return EU ? ParseDateDMY(S) : ParseDateMDY(S);
  } catch (const Exception&) {
    return 0;
  }
}

// Ends the grid's update lock when it goes out of scope, also when a step raised.
class TUpdateLock {
 public:
  explicit TUpdateLock(TExStringGrid* AGrid) : FGrid(AGrid) { FGrid->BeginUpdate(); }
  ~TUpdateLock() { FGrid->EndUpdate(); }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

 private:
  TExStringGrid* FGrid;
};

// --- Sort keys ------------------------------------------------------------------------------------
//
// A sort of whole rows reads each row's cell once: its text and what the comparisons of its column
// look at (number or not, the parsed value, the date and time marks, the upper-case or stripped
// text). The comparison of two rows then works on the keys with the same rules as CompareCells,
// pair by pair, so rows compare by keys as they do cell by cell. The partition exchanges compact items made from the sort column's keys in one
// contiguous array; a full key is kept only for a row whose comparison the items cannot decide.
// The columns that only break ties make a row's compact item when a tie first reaches it, kept in
// a table of that column by row position. The rows move once, as handles, at the end.

constexpr double NotComputed = std::numeric_limits<double>::quiet_NaN();

struct TRowKey {
  String S;    // the text compared
  String Alt;  // S in upper case where a no-case style may compare it; the stripped text for ssHTML
  double Value = 0;
  double DateV = NotComputed;
  double TimeV = NotComputed;
  double ShortV = NotComputed;
  bool Ready = false;
  bool NumBlank = false;    // the text the numeric styles read is empty
  TTextRank Rank = trText;  // the kind of S for the automatic and alphanumeric styles
};

// A row's compact item for one column: what most comparisons of the column need (the parsed value,
// the first eight characters of the text compared, the marks) in 32 bytes.
struct TSortItem {
  double Value;
  uint64_t Prefix[2];  // the first eight characters, most significant first, 0 past the end
  Integer Row;
  Byte Length;  // of the text the prefix is taken from, 9 for any longer one
  bool NumBlank, Blank;
  TTextRank Rank;
};
static_assert(sizeof(TSortItem) == 32, "a sort item fills half a cache line");

// How the compact items of a column compare: by kind, then numbers by value and texts by their
// beginnings (the automatic and alphanumeric styles); by the beginnings of the texts; by value;
// or not at all (everything is left to the full keys).
enum TItemRule : Byte { irNone, irRanked, irLetters, irNumbers };

struct TColumnKeys {
  bool Ready = false;
  bool Ignored = false;            // an IgnoreColumns column: its cells always compare equal
  TSortStyle Style = ssAutomatic;  // the column's style, after GetColFormat
  bool Upper = false;              // the style may compare the upper-case text
  TItemRule ItemRule = irNone;
  String Prefix;
  String Suffix;
  // The keys made so far, by row: the comparisons the sort items cannot decide make them.
  std::unordered_map<Integer, TRowKey> Rows;
  // A column that breaks ties: by row position (from the range's first row) the number of the
  // row's item, 0 while no tie has reached the row, and the items in the order made.
  std::unique_ptr<TLargeArray<Integer>> Slot;
  std::unique_ptr<TLargeArray<TSortItem>> Items;
  Integer Made = 0;
};

// Thrown while the keys are made when a column compares by something the keys do not hold (custom
// and raw comparisons, images, check boxes): the sort then runs cell by cell as before.
struct TKeysUnfit {};

// The partition sort both row sorts run: Hoare's partition around the value at the middle
// position, the ranges waiting on a list in the order a recursion would take them, so that any
// answers of the comparison end after a bounded number of steps with every row kept once.
// TakePivot(m) keeps the value at position m; PivotVs(i) compares it with position i, VsPivot(j)
// position j with it; Differ(i, j) tells whether two positions are worth exchanging, Exchange(i,
// j) exchanges them.
template <class TTakePivot, class TPivotVs, class TVsPivot, class TDiffer, class TExchange>
void PartitionSort(Integer Left, Integer Right, Integer Wanted, TTakePivot TakePivot, TPivotVs PivotVs, TVsPivot VsPivot,
                   TDiffer Differ, TExchange Exchange) {
  std::vector<std::pair<Integer, Integer>> Ranges{{Left, Right}};
  while (!Ranges.empty()) {
    const auto [L, R] = Ranges.back();
    Ranges.pop_back();
    TakePivot((L + R) / 2);
    Integer i = L;
    Integer j = R;
    do {
      while (PivotVs(i) == Wanted && i < R) ++i;
      while (VsPivot(j) == Wanted && j > L) --j;
      if (i <= j) {
        if (i != j && Differ(i, j)) Exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (i < R) Ranges.push_back({i, R});
    if (L < j) Ranges.push_back({L, j});
  }
}

bool CheckType(TCellType T) { return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox; }

template <class TMake>
double Cached(double& Slot, TMake Make) {
  if (std::isnan(Slot)) Slot = Make();
  return Slot;
}

}  // namespace

// --- Comparisons --------------------------------------------------------------------------------

Integer TExStringGrid::CompareCells(Integer ACol, Integer ARow1, Integer ARow2, TSortDirection Direction) {
  ++Compares;
  TSortStyle Style = FSortSettings->AutoFormat() ? ssAutomatic
                     : FSortSettings->IgnoreCase() ? ssAlphaNoCase
                                                   : ssAlphabetic;
  String Prefix;
  String Suffix;
  GetColFormat(ACol, Style, Prefix, Suffix);

  String S1;
  String S2;
  if (FSortSettings->SortOnVirtualCells()) {
    S1 = Cells(ACol, ARow1);
    S2 = Cells(ACol, ARow2);
  } else {
    S1 = GetGridCell(ACol, ARow1);
    S2 = GetGridCell(ACol, ARow2);
  }

  // The number a text stands for under the numeric rule (suffix and prefix removed, the thousand
  // separators too for the financial style, the decimal separator made "."); a text that is no
  // number gives the value of the characters read, an empty cell 0.
  auto NumberOf = [&](const String& S, Integer ARow, bool Financial, String& T) {
    T = RemoveFirst(RemoveFirst(S, Suffix), Prefix);
    if (Financial) {
      const Char Th = GridThousandSeparator();
      T.erase(std::remove(T.begin(), T.end(), Th), T.end());
    }
    const Char Dec = GridDecimalSeparator();
    if (Dec != u'.') {
      if (size_t p = T.find(Dec); p != String::npos) T[p] = u'.';
    }
    double V = 0;
    if (!DecimalValue(T, V) && Cells(ACol, ARow).empty()) V = 0;
    return V;
  };

  bool Ranked = false;
  Integer Res = 0;
  if (Style == ssAutomatic) {
    const bool Check1 = CheckType(GetCellType(ACol, ARow1));
    const bool Check2 = CheckType(GetCellType(ACol, ARow2));
    if (Check1 && Check2) {
      Style = ssCheckBox;
    } else if (Check1 || Check2) {
      // A check box cell comes after every text.
      Ranked = true;
      Res = Check1 ? 1 : -1;
    }
  }
  if (!Ranked && (Style == ssAutomatic || Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase)) {
    Ranked = true;
    const bool Auto = Style == ssAutomatic;
    const Char DateSep = GridDateSeparator(), TimeSep = GridTimeSeparator();
    const bool Num1 = IsNumberText(S1), Num2 = IsNumberText(S2);
    const TTextRank R1 = TextRank(S1, Num1, Auto ? DateKindOf(S1, DateSep, TimeSep) : 0);
    const TTextRank R2 = TextRank(S2, Num2, Auto ? DateKindOf(S2, DateSep, TimeSep) : 0);
    if (R1 != R2) {
      Res = R1 < R2 ? -1 : 1;
    } else if (R1 == trNumber) {
      String T1, T2;
      Res = CompareValues(NumberOf(S1, ARow1, false, T1), NumberOf(S2, ARow2, false, T2));
    } else if (R1 == trDate || R1 == trTime) {
      Res = CompareValues(DateTimeValue(S1, R1 == trTime), DateTimeValue(S2, R1 == trTime));
    } else if (Auto ? FSortSettings->IgnoreCase() : Style == ssAlphaNumericNoCase) {
      Res = Sign(UpperCase(S1).compare(UpperCase(S2)));
    } else {
      Res = Sign(S1.compare(S2));
    }
  }

  // The texts the blank test looks at: as compared by the style.
  String B1 = S1;
  String B2 = S2;
  if (!Ranked) switch (Style) {
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAutomatic:
      Res = Sign(S1.compare(S2));
      break;
    case ssAlphaNoCase:
      B1 = UpperCase(S1);
      B2 = UpperCase(S2);
      Res = Sign(B1.compare(B2));
      break;
    case ssAnsiAlphaCase:
      Res = Sign(AnsiCompareStr(S1, S2));
      break;
    case ssAnsiAlphaNoCase:
      Res = Sign(AnsiCompareText(S1, S2));
      break;
    case ssNumeric:
    case ssFinancial: {
      // Texts that are no number count as the value of the characters read (two of them too, so
      // that the order is one order); an empty cell counts as the number 0.
      const double V1 = NumberOf(S1, ARow1, Style == ssFinancial, B1);
      const double V2 = NumberOf(S2, ARow2, Style == ssFinancial, B2);
      Res = CompareValues(V1, V2);
      break;
    }
    case ssDate:
    case ssDateTime:
      Res = CompareValues(DateTimeValue(S1, false), DateTimeValue(S2, false));
      break;
    case ssTime:
      Res = CompareValues(DateTimeValue(S1, true), DateTimeValue(S2, true));
      break;
    case ssShortDateEU:
      Res = CompareValues(ShortDateValue(S1, true), ShortDateValue(S2, true));
      break;
    case ssShortDateUS:
      Res = CompareValues(ShortDateValue(S1, false), ShortDateValue(S2, false));
      break;
    case ssCustom:
      if (OnCustomCompare) OnCustomCompare(this, S1, S2, Res);
      break;
    case ssRaw:
      if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, Res);
      break;
    case ssHTML:
      B1 = StrippedCells(ACol, ARow1);
      B2 = StrippedCells(ACol, ARow2);
      Res = Sign(B1.compare(B2));
      break;
    case ssImages:
      Res = CompareValues(GetImageSortKey(ACol, ARow1), GetImageSortKey(ACol, ARow2));
      break;
    case ssCheckBox: {
      bool C1 = false;
      bool C2 = false;
      if (!GetCheckBoxState(ACol, ARow1, C1)) C1 = false;
      if (!GetCheckBoxState(ACol, ARow2, C2)) C2 = false;
      Res = CompareValues(Integer(C1), Integer(C2));
      break;
    }
    default:
      Res = Sign(S1.compare(S2));
      break;
  }

  if (FSortSettings->IgnoreBlanks() && B1.empty() != B2.empty()) {
    // Blanks go first or last whatever the direction.
    const bool First = FSortSettings->BlankPos() == blFirst;
    Integer R = B1.empty() ? (First ? -1 : 1) : (First ? 1 : -1);
    if (Direction == sdDescending) R = -R;
    Res = R;
  }
  return Res;
}

Integer TExStringGrid::CompareRows(Integer ACol, Integer ARow1, Integer ARow2) {
  Integer Res = IsIgnoredColumn(ACol) ? 0 : CompareCells(ACol, ARow1, ARow2, FSortSettings->Direction());
  if (Res == 0 && FSortSettings->Full() && ACol <= TotalColCount() - 2) Res = CompareRows(ACol + 1, ARow1, ARow2);
  return Res;
}

Integer TExStringGrid::CompareRowsIndexed(Integer Index, Integer ARow1, Integer ARow2) {
  const Integer Entry = FSortIndexes->Items(Index);
  const Integer ACol = Entry & 0x7FFFFFFF;
  const bool Descending = (static_cast<Cardinal>(Entry) & 0x80000000u) != 0;
  Integer Res = IsIgnoredColumn(ACol) ? 0 : CompareCells(ACol, ARow1, ARow2, Descending ? sdDescending : sdAscending);
  if (Res == 0 && FSortSettings->Full() && Index < FSortIndexes->Count() - 1)
    return CompareRowsIndexed(Index + 1, ARow1, ARow2);
  return Descending ? -Res : Res;
}

// --- Row exchange -------------------------------------------------------------------------------

void TExStringGrid::SortSwapRows(Integer ARow1, Integer ARow2) {
  ++Swaps;
  if (ARow1 < FSortRowXRef->Count() && ARow2 < FSortRowXRef->Count()) {
    const Integer T = FSortRowXRef->Items(ARow1);
    FSortRowXRef->SetItems(ARow1, FSortRowXRef->Items(ARow2));
    FSortRowXRef->SetItems(ARow2, T);
  }
  if (FSortSettings->SingleColumn()) {
    const Integer c = FSortSettings->Column();
    const String T1 = Cells(c, ARow1);
    const String T2 = Cells(c, ARow2);
    TObject* O1 = GetGridObject(c, ARow1);
    SetGridCell(c, ARow1, T2);
    SetGridObject(c, ARow1, GetGridObject(c, ARow2));
    SetGridCell(c, ARow2, T1);
    SetGridObject(c, ARow2, O1);
    // The rows themselves stay where they are with one cell exchanged: a mark on either row (a
    // change kept for undo) no longer names what the row holds.
    CellStoreForUpdate().ForgetRowMark(ARow1);
    CellStoreForUpdate().ForgetRowMark(ARow2);
  } else {
    // The rows change places as handles, with the cells of every column.
    CellStoreForUpdate().ExchangeRows(ARow1, ARow2);
    const Integer H1 = RowHeights(ARow1);
    const Integer H2 = RowHeights(ARow2);
    if (H1 != H2) {
      SetRowHeights(ARow1, H2);
      SetRowHeights(ARow2, H1);
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
      const Integer S1 = NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
      const Integer S2 = NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
      if (S1 < FRowSelect->Count() && S2 < FRowSelect->Count()) FRowSelect->Exchange(S1, S2);
    }
    if (ShowModified() && ShowModified()->Enabled() && ARow1 < FModifiedRows->Count() &&
        ARow2 < FModifiedRows->Count()) {
      const Integer T = FModifiedRows->Items(ARow1);
      FModifiedRows->SetItems(ARow1, FModifiedRows->Items(ARow2));
      FModifiedRows->SetItems(ARow2, T);
    }
  }
  if (ARow1 == SortRow)
    SortRow = ARow2;
  else if (ARow2 == SortRow)
    SortRow = ARow1;
}

// --- Sorting by keys -------------------------------------------------------------------------------

bool TExStringGrid::SortRowsByKeys(Integer Col, Integer Left, Integer Right, bool Indexed) {
  // A range of one row (or none) costs nothing cell by cell.
  if (Left >= Right) return false;
  // What the keys cannot carry: one column moving alone, and per-row lists kept by real row.
  if (FSortSettings->SingleColumn()) return false;
  if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) return false;
  const bool Modified = ShowModified() && ShowModified()->Enabled();
  if (Modified && Right >= FModifiedRows->Count()) return false;

  const Integer N = Right - Left + 1;
  const bool IgnoreCase = FSortSettings->IgnoreCase();
  const bool Virtual = FSortSettings->SortOnVirtualCells();
  const bool Full = FSortSettings->Full();
  const bool IgnoreBlanks = FSortSettings->IgnoreBlanks();
  const bool BlanksFirst = FSortSettings->BlankPos() == blFirst;
  const TSortDirection Direction = FSortSettings->Direction();
  const Integer TotalCols = TotalColCount();
  const Char DateSep = GridDateSeparator();
  const Char TimeSep = GridTimeSeparator();
  const Char Th = GridThousandSeparator();
  const Char Dec = GridDecimalSeparator();
  // The sort indexes as columns and directions.
  std::vector<std::pair<Integer, bool>> Entries;
  if (Indexed) {
    for (Integer i = 0; i < FSortIndexes->Count(); ++i) {
      const Integer Entry = FSortIndexes->Items(i);
      Entries.push_back({Entry & 0x7FFFFFFF, (static_cast<Cardinal>(Entry) & 0x80000000u) != 0});
    }
    if (Entries.empty()) return false;  // the cell by cell sort raises the list's range error
  }
  std::vector<std::unique_ptr<TColumnKeys>> Columns;

  // The column's style and what stays the same for all its cells.
  auto ColumnOf = [&](Integer ACol) -> TColumnKeys& {
    if (ACol >= static_cast<Integer>(Columns.size())) Columns.resize(static_cast<size_t>(ACol) + 1);
    std::unique_ptr<TColumnKeys>& P = Columns[static_cast<size_t>(ACol)];
    if (!P) P = std::make_unique<TColumnKeys>();
    TColumnKeys& K = *P;
    if (K.Ready) return K;
    K.Ignored = IsIgnoredColumn(ACol);
    if (!K.Ignored) {
      TSortStyle Style = FSortSettings->AutoFormat() ? ssAutomatic : IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
      GetColFormat(ACol, Style, K.Prefix, K.Suffix);
      if (Style == ssCustom || Style == ssRaw || Style == ssImages || Style == ssCheckBox) throw TKeysUnfit();
      K.Style = Style;
      K.Upper = Style == ssAlphaNoCase || (Style == ssAutomatic && IgnoreCase) || Style == ssAlphaNumericNoCase;
      switch (Style) {
        case ssAutomatic:
        case ssAlphaNumeric:
        case ssAlphaNumericNoCase:
          K.ItemRule = irRanked;
          break;
        case ssAlphabetic:
        case ssAlphaCase:
        case ssAlphaNoCase:
          K.ItemRule = irLetters;
          break;
        case ssNumeric:
        case ssFinancial:
          K.ItemRule = irNumbers;
          break;
        default:
          K.ItemRule = irNone;
      }
    }
    K.Ready = true;
    return K;
  };

  auto MakeKey = [&](Integer ACol, TColumnKeys& K, Integer r, TRowKey& Key) {
    const TSortStyle Style = K.Style;
    const bool Auto = Style == ssAutomatic;
    const bool AlphaNum = Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase;
    const bool Numbers = Auto || AlphaNum || Style == ssNumeric || Style == ssFinancial;
    Key.S = Virtual ? Cells(ACol, r) : GetGridCell(ACol, r);
    const String& S = Key.S;
    if (Auto && CheckType(GetCellType(ACol, r))) throw TKeysUnfit();
    Key.Rank = TextRank(S, (Auto || AlphaNum) && IsNumberText(S), Auto ? DateKindOf(S, DateSep, TimeSep) : 0);
    if (K.Upper) Key.Alt = UpperCase(S);
    if (Numbers) {
      // The text the numeric rule reads: without suffix and prefix, thousand separators
      // (financial) and with "." for the decimal separator. Most texts need none of that.
      const bool Plain = K.Prefix.empty() && K.Suffix.empty() && Style != ssFinancial &&
                         (Dec == u'.' || S.find(Dec) == String::npos);
      String T;
      if (!Plain) {
        T = RemoveFirst(RemoveFirst(S, K.Suffix), K.Prefix);
        if (Style == ssFinancial) T.erase(std::remove(T.begin(), T.end(), Th), T.end());
        if (Dec != u'.') {
          if (size_t p = T.find(Dec); p != String::npos) T[p] = u'.';
        }
      }
      const String& Num = Plain ? S : T;
      Key.NumBlank = Num.empty();
      // An empty cell counts as the number 0.
      if (!DecimalValue(Num, Key.Value) && (Virtual ? S : Cells(ACol, r)).empty()) Key.Value = 0;
    }
    if (Style == ssHTML) Key.Alt = StrippedCells(ACol, r);
    Key.Ready = true;
  };

  auto KeyOf = [&](Integer ACol, TColumnKeys& K, Integer Row) -> TRowKey& {
    TRowKey& Key = K.Rows[Row];
    if (!Key.Ready) MakeKey(ACol, K, Row, Key);
    return Key;
  };

  // With IgnoreBlanks, one empty text of the two goes first or last whatever the direction;
  // otherwise the style's result Res stands.
  auto BlanksRule = [&](bool Blank1, bool Blank2, TSortDirection Dir, Integer Res) -> Integer {
    if (!IgnoreBlanks || Blank1 == Blank2) return Res;
    const Integer R = Blank1 ? (BlanksFirst ? -1 : 1) : (BlanksFirst ? 1 : -1);
    return Dir == sdDescending ? -R : R;
  };

  // CompareCells on the keys of rows A and B (row numbers as they were before the sort).
  auto CompareKeys = [&](Integer ACol, TColumnKeys& K, Integer A, Integer B, TSortDirection Dir) -> Integer {
    ++Compares;
    TRowKey& K1 = KeyOf(ACol, K, A);
    TRowKey& K2 = KeyOf(ACol, K, B);
    TSortStyle Style = K.Style;
    // Whether each text, as the style compares it, is empty (for the blanks rule).
    bool Blank1 = K1.S.empty();
    bool Blank2 = K2.S.empty();
    if (Style == ssAutomatic || Style == ssAlphaNumeric || Style == ssAlphaNumericNoCase) {
      // Kinds first; then numbers by value, dates and times by theirs, texts by their letters.
      const TTextRank R1 = K1.Rank, R2 = K2.Rank;
      if (R1 != R2) return BlanksRule(Blank1, Blank2, Dir, R1 < R2 ? -1 : 1);
      if (R1 == trNumber) return BlanksRule(Blank1, Blank2, Dir, CompareValues(K1.Value, K2.Value));
      if (R1 == trDate) Style = ssDate;
      else if (R1 == trTime) Style = ssTime;
      else Style = K.Upper ? ssAlphaNoCase : ssAlphabetic;
    }
    Integer Res = 0;
    switch (Style) {
      case ssAlphaNoCase:
        Res = Sign(K1.Alt.compare(K2.Alt));
        break;
      case ssAnsiAlphaCase:
        Res = Sign(AnsiCompareStr(K1.S, K2.S));
        break;
      case ssAnsiAlphaNoCase:
        Res = Sign(AnsiCompareText(K1.S, K2.S));
        break;
      case ssNumeric:
      case ssFinancial:
        // By value; the blanks rule looks at the text the numeric styles read.
        Blank1 = K1.NumBlank;
        Blank2 = K2.NumBlank;
        Res = CompareValues(K1.Value, K2.Value);
        break;
      case ssDate:
      case ssDateTime:
        Res = CompareValues(Cached(K1.DateV, [&] { return DateTimeValue(K1.S, false); }),
                            Cached(K2.DateV, [&] { return DateTimeValue(K2.S, false); }));
        break;
      case ssTime:
        Res = CompareValues(Cached(K1.TimeV, [&] { return DateTimeValue(K1.S, true); }),
                            Cached(K2.TimeV, [&] { return DateTimeValue(K2.S, true); }));
        break;
      case ssShortDateEU:
      case ssShortDateUS: {
        const bool EU = Style == ssShortDateEU;
        Res = CompareValues(Cached(K1.ShortV, [&] { return ShortDateValue(K1.S, EU); }),
                            Cached(K2.ShortV, [&] { return ShortDateValue(K2.S, EU); }));
        break;
      }
      case ssHTML:
        Blank1 = K1.Alt.empty();
        Blank2 = K2.Alt.empty();
        Res = Sign(K1.Alt.compare(K2.Alt));
        break;
      default:
        Res = Sign(K1.S.compare(K2.S));
        break;
    }
    return BlanksRule(Blank1, Blank2, Dir, Res);
  };

  // A row's compact item for column ACol, from its key (made for the item and not kept).
  auto MakeItem = [&](Integer ACol, TColumnKeys& K, Integer r, TSortItem& It) {
    It = TSortItem{0, {0, 0}, r, 0, false, false, trLowText};
    if (K.Ignored) return;
    TRowKey Key;
    MakeKey(ACol, K, r, Key);
    const String& T = K.Upper ? Key.Alt : Key.S;
    for (size_t c = 0; c < 8; ++c) It.Prefix[c / 4] = (It.Prefix[c / 4] << 16) | (c < T.size() ? T[c] : 0);
    It.Length = static_cast<Byte>(std::min<size_t>(T.size(), 9));
    It.Value = Key.Value;
    It.NumBlank = Key.NumBlank;
    It.Blank = Key.S.empty();
    It.Rank = Key.Rank;
  };

  // The order of two items' texts by their first eight characters, where those tell.
  auto PrefixOrder = [](const TSortItem& A, const TSortItem& B, Integer& Res) -> bool {
    if (A.Prefix[0] != B.Prefix[0])
      Res = A.Prefix[0] < B.Prefix[0] ? -1 : 1;
    else if (A.Prefix[1] != B.Prefix[1])
      Res = A.Prefix[1] < B.Prefix[1] ? -1 : 1;
    else if (A.Length == B.Length && A.Length <= 8)
      Res = 0;  // the whole texts are the prefixes
    else
      return false;
    return true;
  };

  // CompareKeys from two rows' items of the column, where the items tell (counted then); false
  // where they cannot (equal beginnings of longer texts, dates and times, the locale's and the
  // HTML comparisons), left to the keys.
  auto FromItems = [&](const TColumnKeys& K, const TSortItem& A, const TSortItem& B, TSortDirection Dir,
                       Integer& Res) -> bool {
    switch (K.ItemRule) {
      case irRanked:
        // Kinds first; then numbers by value, texts by their letters; the dates and times are
        // left to the keys.
        if (A.Rank != B.Rank) {
          Res = A.Rank < B.Rank ? -1 : 1;
          break;
        }
        if (A.Rank == trNumber) {
          Res = CompareValues(A.Value, B.Value);
          break;
        }
        if (A.Rank == trDate || A.Rank == trTime) return false;
        [[fallthrough]];
      case irLetters:
        if (!PrefixOrder(A, B, Res)) return false;  // longer texts alike in their beginnings
        break;
      case irNumbers:
        ++Compares;
        Res = BlanksRule(A.NumBlank, B.NumBlank, Dir, CompareValues(A.Value, B.Value));
        return true;
      default:
        return false;
    }
    ++Compares;
    Res = BlanksRule(A.Blank, B.Blank, Dir, Res);
    return true;
  };

  // The item of a tie-breaking column for a row (by its number before the sort), made when a tie
  // first reaches the row.
  auto TieItem = [&](Integer ACol, TColumnKeys& K, Integer Row) -> const TSortItem& {
    if (!K.Slot) {
      K.Slot = std::make_unique<TLargeArray<Integer>>(static_cast<size_t>(N));
      K.Items = std::make_unique<TLargeArray<TSortItem>>(static_cast<size_t>(N));
    }
    Integer& S = (*K.Slot)[static_cast<size_t>(Row - Left)];
    if (S == 0) {
      MakeItem(ACol, K, Row, (*K.Items)[static_cast<size_t>(K.Made)]);
      S = ++K.Made;
    }
    return (*K.Items)[static_cast<size_t>(S - 1)];
  };

  // CompareKeys on column ACol of rows A and B, through their items where those tell.
  auto CompareTie = [&](Integer ACol, TColumnKeys& K, Integer A, Integer B, TSortDirection Dir) -> Integer {
    const TSortItem& IA = TieItem(ACol, K, A);
    const TSortItem& IB = TieItem(ACol, K, B);
    Integer Res = 0;
    if (FromItems(K, IA, IB, Dir, Res)) return Res;
    return CompareKeys(ACol, K, A, B, Dir);
  };

  // CompareRows and CompareRowsIndexed on the columns after the first: ByColumn starts at column
  // From, ByIndex at entry From. A row compared with itself is equal in every column the
  // comparison would visit; those comparisons are counted all the same.
  auto ByColumn = [&](Integer From, Integer A, Integer B) -> Integer {
    for (Integer c = From;; ++c) {
      TColumnKeys& K = ColumnOf(c);
      Integer Res = 0;
      if (!K.Ignored) {
        if (A == B)
          ++Compares;
        else
          Res = CompareTie(c, K, A, B, Direction);
      }
      if (Res != 0 || !Full || c > TotalCols - 2) return Res;
    }
  };
  auto ByIndex = [&](Integer From, Integer A, Integer B) -> Integer {
    const Integer Count = static_cast<Integer>(Entries.size());
    for (Integer i = From;; ++i) {
      const auto [c, Descending] = Entries[static_cast<size_t>(i)];
      TColumnKeys& K = ColumnOf(c);
      Integer Res = 0;
      if (!K.Ignored) {
        if (A == B)
          ++Compares;
        else
          Res = CompareTie(c, K, A, B, Descending ? sdDescending : sdAscending);
      }
      if (Res == 0 && Full && i < Count - 1) continue;
      return Descending ? -Res : Res;
    }
  };

  // The partition sort of QuickSortRows (QuickSortRowsIndexed) on the first column's items: the
  // partition reads and exchanges the items it walks and goes to the row keys only where the
  // items cannot tell.
  const Integer OldCompares = Compares;
  const Integer OldSwaps = Swaps;
  SortDir = Direction == sdDescending ? -1 : 1;
  const Integer Wanted = Indexed ? 1 : SortDir;
  auto ItemStore = std::make_unique<TLargeArray<TSortItem>>(static_cast<size_t>(N));
  TSortItem* Items = ItemStore->data();
  auto At = [&](Integer Pos) -> TSortItem& { return Items[Pos - Left]; };
  try {
    const Integer First = Indexed ? Entries.front().first : Col;
    const bool FirstDescending = Indexed && Entries.front().second;
    const TSortDirection FirstDir = Indexed ? (FirstDescending ? sdDescending : sdAscending) : Direction;
    TColumnKeys& K = ColumnOf(First);
    for (Integer r = Left; r <= Right; ++r) {
      if (!K.Ignored) CellStore().PrefetchColumnWalk(First, r, 1);
      MakeItem(First, K, r, At(r));
    }
    // Compare (ByColumn, ByIndex) on two items: the first column from the items where they tell,
    // else from the keys; the columns after it (ties) by their own items.
    auto CompareItems = [&](const TSortItem& A, const TSortItem& B) -> Integer {
      if (A.Row == B.Row) return Indexed ? ByIndex(0, A.Row, B.Row) : ByColumn(Col, A.Row, B.Row);
      Integer Res = 0;
      if (!FromItems(K, A, B, FirstDir, Res)) Res = K.Ignored ? 0 : CompareKeys(First, K, A.Row, B.Row, FirstDir);
      if (!Indexed) return Res != 0 || !Full || Col > TotalCols - 2 ? Res : ByColumn(Col + 1, A.Row, B.Row);
      if (Res == 0 && Full && Entries.size() > 1) return ByIndex(1, A.Row, B.Row);
      return FirstDescending ? -Res : Res;
    };
    TSortItem Pivot{};
    PartitionSort(
        Left, Right, Wanted, [&](Integer M) { Pivot = At(M); }, [&](Integer i) { return CompareItems(Pivot, At(i)); },
        [&](Integer j) { return CompareItems(At(j), Pivot); },
        [&](Integer i, Integer j) { return Indexed || CompareItems(At(i), At(j)) != 0; },
        [&](Integer i, Integer j) {
          std::swap(At(i), At(j));
          ++Swaps;
        });
  } catch (const TKeysUnfit&) {
    Compares = OldCompares;
    Swaps = OldSwaps;
    return false;
  }
  TLargeArray<Integer> Ord(static_cast<size_t>(N));
  for (Integer i = 0; i < N; ++i) Ord[static_cast<size_t>(i)] = Items[i].Row;
  // The items and keys are done with before the rows move.
  ItemStore.reset();
  Columns.clear();
  auto OrdAt = [&](Integer Pos) { return Ord[static_cast<size_t>(Pos - Left)]; };

  // The rows move once: cells as handles, heights (where they differ), the cross reference and
  // the modified marks.
  CellStoreForUpdate().PermuteRows(Left, Ord.data(), N);
  const std::vector<Integer>& OldHeights = RowHeightList();
  const auto HeightsFrom = OldHeights.begin() + Left;
  if (std::find_if(HeightsFrom, OldHeights.begin() + Right + 1, [&](Integer H) { return H != *HeightsFrom; }) !=
      OldHeights.begin() + Right + 1) {
    std::vector<Integer> Heights = OldHeights;
    for (Integer p = Left; p <= Right; ++p) Heights[static_cast<size_t>(p)] = OldHeights[static_cast<size_t>(OrdAt(p))];
    SetRowHeightList(std::move(Heights));
  }
  auto Permute = [&](TIntList* L) {
    if (Right >= L->Count()) return;
    TLargeArray<Integer> Old(static_cast<size_t>(N));
    for (Integer p = Left; p <= Right; ++p) Old[static_cast<size_t>(p - Left)] = L->Items(p);
    for (Integer p = Left; p <= Right; ++p) L->SetItems(p, Old[static_cast<size_t>(OrdAt(p) - Left)]);
  };
  Permute(FSortRowXRef);
  if (Modified) Permute(FModifiedRows);
  if (SortRow >= Left && SortRow <= Right)
    SortRow = static_cast<Integer>(std::find(Ord.data(), Ord.data() + N, SortRow) - Ord.data()) + Left;
  return true;
}

// --- Partition sorts ----------------------------------------------------------------------------

void TExStringGrid::CopyPivotRow(Integer ARow) {
  const Integer P = RowCount() - 2;
  const Integer Cols = TotalColCount();
  const bool Displayed = static_cast<bool>(OnGetDisplText) && FSortSettings->SortOnVirtualCells();
  for (Integer c = 0; c < Cols; ++c) {
    SetGridCell(c, P, Displayed ? Cells(c, ARow) : GetGridCell(c, ARow));
    SetGridObject(c, P, GetGridObject(c, ARow));
  }
}

void TExStringGrid::ClearScratchRows(Integer FromRow, Integer Count, bool NilObjects) {
  const Integer Cols = TotalColCount();
  for (Integer r = FromRow; r < FromRow + Count; ++r) {
    if (r < 0) continue;
    if (NilObjects) {
      for (Integer c = 0; c < Cols; ++c) SetGridObject(c, r, nullptr);
    } else if (r < RowCount()) {
      FreeCellPropsRange(0, r, Cols - 1, r);
    }
    for (Integer c = 0; c < Cols; ++c) SetGridCell(c, r, String());
  }
}

void TExStringGrid::AbandonSort(Integer OldCount, Integer Count) {
  FNilObjects = true;
  ClearScratchRows(OldCount, Count, true);
  FNilObjects = false;
  FBlockCellChange = false;
  SetRowCount(OldCount);
  FNormalRowCount = RowCount();
}

void TExStringGrid::QuickSortRows(Integer Col, Integer Left, Integer Right) {
  if (!SortRowsByKeys(Col, Left, Right, false)) QuickSortRowsByCells(Col, Left, Right, false);
}

void TExStringGrid::QuickSortRowsIndexed(Integer Index, Integer Left, Integer Right) {
  if (Index != 0 || !SortRowsByKeys(-1, Left, Right, true)) QuickSortRowsByCells(Index, Left, Right, true);
}

void TExStringGrid::QuickSortRowsByCells(Integer ColOrIndex, Integer Left, Integer Right, bool Indexed) {
  SortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
  const Integer Wanted = Indexed ? 1 : SortDir;
  auto Compare = [&](Integer A, Integer B) {
    return Indexed ? CompareRowsIndexed(ColOrIndex, A, B) : CompareRows(ColOrIndex, A, B);
  };
  // The pivot is copied into the scratch row before last.
  const Integer P = RowCount() - 2;
  PartitionSort(
      Left, Right, Wanted, [&](Integer M) { CopyPivotRow(M); }, [&](Integer i) { return Compare(P, i); },
      [&](Integer j) { return Compare(j, P); }, [&](Integer i, Integer j) { return Indexed || Compare(i, j) != 0; },
      [&](Integer i, Integer j) { SortSwapRows(i, j); });
}

void TExStringGrid::QuickUnSortRows(Integer Left, Integer Right) {
  const Integer Pivot = FUnSortRowXRef->Items((Left + Right) / 2);
  Integer i = Left;
  Integer j = Right;
  do {
    while (FUnSortRowXRef->Items(i) < Pivot && i < Right) ++i;
    while (Pivot < FUnSortRowXRef->Items(j) && j > Left) --j;
    if (i <= j) {
      if (i != j && FUnSortRowXRef->Items(i) != FUnSortRowXRef->Items(j)) {
        SortSwapRows(i, j);
        const Integer T = FUnSortRowXRef->Items(i);
        FUnSortRowXRef->SetItems(i, FUnSortRowXRef->Items(j));
        FUnSortRowXRef->SetItems(j, T);
      }
      ++i;
      --j;
    }
  } while (i <= j);
  if (Left < j) QuickUnSortRows(Left, j);
  if (i < Right) QuickUnSortRows(i, Right);
}

// --- Column 0 kept in place -----------------------------------------------------------------------

TStrings* TExStringGrid::SaveFixedColumn() {
  if (!FSortSettings->NormalCellsOnly() || FixedCols() <= 0) return nullptr;
  auto* L = new TStringList();
  for (Integer r = 0; r < RowCount(); ++r) L->AddObject(GetGridCell(0, r), GetGridObject(0, r));
  return L;
}

void TExStringGrid::RestoreFixedColumn(TStrings* Saved) {
  if (!Saved) return;
  for (Integer r = 0; r < Saved->Count(); ++r) {
    SetGridCell(0, r, Saved->Strings(r));
    SetGridObject(0, r, Saved->Objects(r));
  }
}

// --- The sorts ------------------------------------------------------------------------------------

void TExStringGrid::InitSortXRef() {
  FSortRowXRef->Clear();
  FSortRowXRef->SetCapacity(RowCount());
  for (Integer r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

void TExStringGrid::Sort(Integer Column, TSortDirection Direction) {
  FSortSettings->SetColumn(Column);
  FSortSettings->SetDirection(Direction);
  QSort();
}

void TExStringGrid::SortByColumn(Integer Col) {
  if (RowCount() < 2) return;
  FSortSettings->SetColumn(Col);
  QSort();
}

namespace {

// The floating footer hidden (and the fixed footers set to 0) for the time of a sort, and both put
// back at its end.
class TFooterAside {
 public:
  TFooterAside(TFloatingFooter* F, Integer& FixedFooters) : FFooter(F), FFixedFooters(FixedFooters) {
    FVisible = F && F->Visible();
    FOldFixedFooters = FixedFooters;
    if (F) F->SetVisible(false);
    FixedFooters = 0;
  }
  ~TFooterAside() {
    if (FFooter) FFooter->SetVisible(FVisible);
    FFixedFooters = FOldFixedFooters;
  }
  bool WasVisible() const { return FVisible; }
  Integer OldFixedFooters() const { return FOldFixedFooters; }

 private:
  TFloatingFooter* FFooter;
  Integer& FFixedFooters;
  bool FVisible = false;
  Integer FOldFixedFooters = 0;
};

}  // namespace

void TExStringGrid::QSort() {
  if (FSortSettings->Column() < 0) return;
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  FSortIndexes->Clear();

  std::unique_ptr<TStrings> Col0(SaveFixedColumn());
  const Integer OldTopRow = TopRow();
  bool FooterWasVisible = false;
  {
    TUpdateLock Lock(this);
    struct TFinally {
      TExStringGrid* G;
      TStrings* Saved;
      Integer Top;
      ~TFinally() {
        G->RestoreFixedColumn(Saved);
        if (G->Navigation()->KeepScrollOnSort()) G->SetTopRow(Top);
      }
    } Finally{this, Col0.get(), OldTopRow};
    TFooterAside Footer(FFloatingFooter, FFixedFooters);
    FooterWasVisible = Footer.WasVisible();
    const Integer F = Footer.OldFixedFooters();

    const Integer OldCount = RowCount();
    SetRowCount(OldCount + 3);
    ClearScratchRows(RowCount() - 3, 3, true);
    FNormalRowCount = RowCount() - 3;

    SortRow = Row();
    const Integer OldRow = Row();
    const bool MoveRow = FNavigation->MoveRowOnSort();
    if (MoveRow) TBaseGrid::SetRow(RowCount() - 4);

    try {
      if (RowCount() - 4 - F > FixedRows()) QuickSortRows(FSortSettings->Column(), FixedRows(), RowCount() - 4 - F);
    } catch (...) {
      AbandonSort(OldCount, 3);
      throw;
    }

    FNilObjects = true;
    FBlockCellChange = true;
    try {
      ClearScratchRows(RowCount() - 3, 3, true);
    } catch (...) {
      FNilObjects = false;
      FBlockCellChange = false;
      throw;
    }
    FNilObjects = false;
    FBlockCellChange = false;

    const bool OldEntered = FEntered;
    FEntered = false;
    if (!FMouseActions->DisjunctRowSelect()) {
      if (MoveRow) {
        TBaseGrid::SetRow(SortRow);
        FOldRowSel = -1;
      } else {
        TBaseGrid::SetRow(OldRow);
      }
    }
    FEntered = OldEntered;

    SetRowCount(OldCount);
    FNormalRowCount = RowCount();
    if (OnRowUpdate && !MoveRow) OnRowUpdate(this, OldRow, Row());
  }
  if (FooterWasVisible) UpdateFooter();
  if (FSearchFooter->Visible() && FSearchPanel && FSearchPanel->Visible()) FSearchPanel->Invalidate();
}

void TExStringGrid::QSortIndexed() {
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  if (FSortIndexes->Count() == 0) throw EStringGridError(u"No indexes specified for indexed sort");

  std::unique_ptr<TStrings> Col0(SaveFixedColumn());
  const Integer OldTopRow = TopRow();
  bool FooterWasVisible = false;
  {
    TUpdateLock Lock(this);
    struct TFinally {
      TExStringGrid* G;
      TStrings* Saved;
      Integer Top;
      ~TFinally() {
        G->RestoreFixedColumn(Saved);
        if (G->Navigation()->KeepScrollOnSort()) G->SetTopRow(Top);
      }
    } Finally{this, Col0.get(), OldTopRow};
    TFooterAside Footer(FFloatingFooter, FFixedFooters);
    FooterWasVisible = Footer.WasVisible();
    const Integer F = Footer.OldFixedFooters();

    const Integer OldCount = RowCount();
    SetRowCount(OldCount + 3);
    ClearScratchRows(RowCount() - 3, 3, true);
    FNormalRowCount = RowCount() - 3;

    SortRow = Row();
    const Integer OldRow = Row();
    const bool MoveRow = FNavigation->MoveRowOnSort();
    if (MoveRow) TBaseGrid::SetRow(RowCount() - 3);

    try {
      if (RowCount() - 4 - F > FixedRows()) QuickSortRowsIndexed(0, FixedRows(), RowCount() - 4 - F);
    } catch (...) {
      AbandonSort(OldCount, 3);
      throw;
    }

    FNilObjects = true;
    ClearScratchRows(RowCount() - 3, 3, true);
    FNilObjects = false;

    const bool OldEntered = FEntered;
    FEntered = false;
    if (MoveRow) {
      TBaseGrid::SetRow(std::min(SortRow, OldCount - 1));
      FOldRowSel = -1;
    } else {
      TBaseGrid::SetRow(OldRow);
    }
    FEntered = OldEntered;

    SetRowCount(OldCount);
    FNormalRowCount = RowCount();
  }
  if (FooterWasVisible) UpdateFooter();
}

void TExStringGrid::QSortGroup() { QSortGroupInternal(false); }

void TExStringGrid::QSortGroupIndexed() { QSortGroupInternal(true); }

void TExStringGrid::QSortGroupInternal(bool Indexed) {
  if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
  std::unique_ptr<TStrings> Col0(SaveFixedColumn());
  const Integer OldTopRow = TopRow();
  TUpdateLock Lock(this);
  struct TFinally {
    TExStringGrid* G;
    TStrings* Saved;
    Integer Top;
    ~TFinally() {
      G->RestoreFixedColumn(Saved);
      if (G->Navigation()->KeepScrollOnSort()) G->SetTopRow(Top);
    }
  } Finally{this, Col0.get(), OldTopRow};

  const Integer OldCount = RowCount();
  const Integer MaxBefore = FMaxRowCount;
  SetRowCount(OldCount + 3);
  // Rows once used past the grid may hold cells of their own: those are freed.
  if (MaxBefore - NumHiddenRows() > OldCount) ClearScratchRows(RowCount() - 3, 3 - FFixedFooters, false);
  FNormalRowCount = RowCount() - 3;

  SortRow = Row();
  const Integer OldRow = Row();
  const bool MoveRow = FNavigation->MoveRowOnSort();
  if (MoveRow) TBaseGrid::SetRow(RowCount() - 3);

  const Integer Last = RowCount() - FFixedFooters - 3;
  Integer L = 0;
  for (Integer r = FixedRows(); r <= Last; ++r)
    if (IsNode(r)) L = std::max(L, GetNodeLevel(r));
  try {
    for (Integer r = FixedRows(); r <= Last; ++r) {
      if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != L) continue;
      const Integer s = GetNodeSpan(r);
      if (s - 2 <= 0) continue;
      if (Indexed)
        QuickSortIndexed(r + 1, r + s - 1);
      else
        QuickSortRows(FSortSettings->Column(), r + 1, r + s - 1);
    }
  } catch (...) {
    AbandonSort(OldCount, 3 - FFixedFooters);
    throw;
  }

  FNilObjects = true;
  ClearScratchRows(RowCount() - 3, 3 - FFixedFooters, true);
  FNilObjects = false;
  const bool OldEntered = FEntered;
  FEntered = false;
  if (MoveRow) {
    TBaseGrid::SetRow(std::min(SortRow, OldCount - 1));
    FOldRowSel = -1;
  } else {
    TBaseGrid::SetRow(std::min(OldRow, OldCount - 1));
  }
  FEntered = OldEntered;
  SetRowCount(OldCount);
  FNormalRowCount = RowCount();
}

void TExStringGrid::QuickSort(Integer Col, Integer Left, Integer Right) {
  const bool Footer = FFloatingFooter && FFloatingFooter->Visible();
  const Integer OldCount = RowCount();
  SetRowCount(OldCount + 3);
  try {
    QuickSortRows(Col, Left, Right);
  } catch (...) {
    AbandonSort(OldCount, Footer ? 2 : 3);
    throw;
  }
  FNilObjects = true;
  // The pivot rows are cleared; a visible floating footer's row (the last) is left alone.
  ClearScratchRows(RowCount() - 3, Footer ? 2 : 3, true);
  FNilObjects = false;
  SetRowCount(RowCount() - 3);
}

void TExStringGrid::QuickSortIndexed(Integer Left, Integer Right) {
  const bool Footer = FFloatingFooter && FFloatingFooter->Visible();
  const Integer OldCount = RowCount();
  SetRowCount(OldCount + 3);
  try {
    QuickSortRowsIndexed(0, Left, Right);
  } catch (...) {
    AbandonSort(OldCount, Footer ? 2 : 3);
    throw;
  }
  FNilObjects = true;
  ClearScratchRows(RowCount() - 3, Footer ? 2 : 3, true);
  FNilObjects = false;
  SetRowCount(RowCount() - 3);
}

void TExStringGrid::QUnSort() {
  FUnSortRowXRef->Clear();
  for (Integer i = 0; i < FSortRowXRef->Count(); ++i) FUnSortRowXRef->Add(FSortRowXRef->Items(i));
  std::unique_ptr<TStrings> Col0(SaveFixedColumn());
  TUpdateLock Lock(this);
  struct TFinally {
    TExStringGrid* G;
    TStrings* Saved;
    ~TFinally() { G->RestoreFixedColumn(Saved); }
  } Finally{this, Col0.get()};
  // Only rows the cross reference knows take part.
  const Integer Last = std::min(RowCount(), FUnSortRowXRef->Count()) - 1;
  if (Last > 0) QuickUnSortRows(0, Last);
}

bool TExStringGrid::SortLine(Integer Col, Integer ARow1, Integer ARow2) {
  const Integer r = CompareCells(Col, ARow1, ARow2, FSortSettings->Direction());
  if (r != 0 && r == SortDir) {
    SortSwapRows(ARow1, ARow2);
    return true;
  }
  if (r != 0) return false;
  if (Col < TotalColCount() - 1) return SortLine(Col + 1, ARow1, ARow2);
  return false;
}
