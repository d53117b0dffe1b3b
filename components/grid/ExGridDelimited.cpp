// TExStringGrid: delimited text (CSV) files of the cells. The writer quotes fields that need it and
// keeps multi-line cells on one line; the reader guesses the delimiter when none is set, keeps
// quoted fields, doubled quotes and multi-line cells, and either overwrites the grid from the start
// of the save range or appends below the existing rows.
#include <algorithm>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridTextFiles.h"
#include "components/gridbase/ExObj.h"
#include "components/gridbase/ExUtil.h"

using exgrid_text::SaveRangeOf;
using exgrid_text::TProgress;
using exgrid_text::TSaveRange;

namespace {

// The candidates tried when the delimiter is guessed, in order of preference.
const Char DelimiterCandidates[] = {u',', u';', u'#', u'\t', u'|', u'@', u'*', u'-', u'+', u'&'};

// The delimiter of a file from its first two lines; 0 when no candidate occurs. An empty field
// (a doubled delimiter) counts no delimiter in the first pass, which wants the same number of
// unpaired delimiters on both lines.
Char DetectDelimiter(const String& L1, const String& L2) {
  Char Result = 0;
  Integer Best = 0;
  for (Char Ch : DelimiterCandidates) {
    const Integer N = CountUnpairedChar(Ch, L1);
    if (N == CountUnpairedChar(Ch, L2) && N > Best) {
      Result = Ch;
      Best = N;
    }
  }
  if (Best == 0) {
    for (Char Ch : DelimiterCandidates) {
      const Integer N = CountChar(Ch, L1);
      if (N == CountChar(Ch, L2) && N > Best) {
        Result = Ch;
        Best = N;
      }
    }
  }
  if (Best == 0) {
    for (Char Ch : DelimiterCandidates) {
      const Integer N1 = CountChar(Ch, L1);
      const Integer N2 = CountChar(Ch, L2);
      if (N1 > Best || N2 > Best) {
        Result = Ch;
        Best = std::max(N1, N2);
      }
    }
  }
  return Result;
}

bool HasCR(const String& S) { return S.find(u'\r') != String::npos; }

// The fields of one line, read from the front:
// - leading blanks of a field are dropped (a single blank stays);
// - a field that starts with a double quote runs to the quote that closes it (the first odd run
//   of quotes), its doubled quotes made single; what follows up to the next delimiter is lost,
//   and without a closing quote the field is empty;
// - other fields run to the next delimiter;
// - after the last delimiter the rest of the line is the last field, its enclosing quotes
//   removed.
// The line is read with a position, never cut, so a line of many fields is read in one pass.
void SplitCSVLine(const String& Line, Char Delim, std::vector<String>& Fields) {
  Fields.clear();
  size_t B = 0;  // where the rest of the line starts
  auto Rest = [&] { return Line.size() - B; };
  // The 1-based position of the delimiter in the rest of the line, 0 when none is left.
  auto DelimPos = [&]() -> Int64 {
    const size_t I = Line.find(Delim, B);
    return I == String::npos ? 0 : static_cast<Int64>(I - B) + 1;
  };
  // Drops the first N characters of the rest (none for N <= 0, all for N past its end).
  auto Drop = [&](Int64 N) { B += static_cast<size_t>(std::clamp<Int64>(N, 0, static_cast<Int64>(Rest()))); };
  Int64 P = 0;
  if (Delim != 0) {
    while ((P = DelimPos()) > 0) {
      while (Rest() >= 2 && Line[B] == u' ') {
        ++B;
        --P;
      }
      String Field;
      if (Rest() > 0 && Line[B] == u'"') {
        ++B;
        const Integer Q = PosUnpairedChar(u'"', Line, B);
        if (Q > 0) {
          Field = UndoubleChar(u'"', Line.substr(B, static_cast<size_t>(Q - 1)));
          Drop(Q);
        }
        P = DelimPos();
      } else if (P > 1) {
        Field = Line.substr(B, static_cast<size_t>(P - 1));
      }
      Fields.push_back(std::move(Field));
      Drop(P);
    }
  }
  if (Rest() > 0) {
    while (Rest() >= 2 && Line[B] == u' ') ++B;
    String Field = Line.substr(B);
    if (!Field.empty() && Field[0] == u'"') {
      Field.erase(0, 1);
      if (!Field.empty() && Field.back() == u'"') Field.pop_back();
      Field = UndoubleChar(u'"', Field);
    }
    Fields.push_back(std::move(Field));
  }
}

}  // namespace

// --- Writing ------------------------------------------------------------------------------------

void TExStringGrid::SaveToCSV(const String& FileName, bool Unicode) { OutputToCSV(FileName, false, Unicode); }

void TExStringGrid::AppendToCSV(const String& FileName, bool Unicode) { OutputToCSV(FileName, true, Unicode); }

void TExStringGrid::OutputToCSV(const String& FileName, bool Append, bool Unicode) {
  const TSaveRange SR = SaveRangeOf(this);
  const Integer Hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  const Char Sep = FDelimiter == 0 ? u',' : FDelimiter;

  // The file's text, each line ending in CR LF, is encoded and written a part at a time: after the
  // lines already in the file when appending (in the encoding they were read in), in UTF-8 when
  // asked for, else in the ANSI code page. The file takes it once it is complete.
  String OldText;
  TEncoding Encoding = TEncoding::ANSI;
  if (Append) {
    TFileStringList Old;
    Old.LoadFromFile(FileName);
    OldText = Old.Text();
    Encoding = Old.Encoding();
  }
  if (Unicode) Encoding = TEncoding::UTF8;
  exgrid_text::TTextFileWriter File(FileName, Encoding);
  String& Out = File.Text();
  Out = std::move(OldText);
  // Most fields need neither quotes nor changes: they are told apart by one look at their text.
  const bool PlainFieldsAsTheyAre = !FOemConvert && !FJavaCSV && !FAlwaysQuotes && Sep != u'"';
  TProgress Progress(this);

  ExportNotification(esExportStart, SR.StartRow);
  for (Integer r = SR.StartRow; r <= SR.EndRow; ++r) {
    ExportNotification(esExportNextRow, r);
    for (Integer c = SR.StartCol; c <= SR.EndCol + Hidden; ++c) {
      if (c > SR.StartCol) Out += Sep;
      const Integer RC = FSaveHiddenCells ? c : DisplayToRealCol(c);
      String S = SaveCell(RC, r);
      if (PlainFieldsAsTheyAre &&
          std::none_of(S.begin(), S.end(), [Sep](Char Ch) { return Ch == u'"' || Ch == Sep || Ch == u'\r'; })) {
        if (S.empty() && FQuoteEmptyCells)
          Out += u"\"\"";
        else
          Out += S;
        File.Flush();
        continue;
      }
      S = DoubleQuotes(S);
      if (FOemConvert) StringToOem(S);
      bool Quoted = false;
      if (FAlwaysQuotes) {
        S = u"\"" + S + u"\"";
        Quoted = true;
      } else if (S.find(Sep) == String::npos && S.find(u'"') != String::npos) {
        S = u"\"" + S + u"\"";
        Quoted = true;
      }
      if (S.empty()) {
        if (FJavaCSV)
          S = u"^";
        else if (FQuoteEmptyCells)
          S = u"\"\"";
      }
      if (S.find(Sep) != String::npos || HasCR(S)) {
        if (FJavaCSV)
          LineBreaksToTilde(S);
        else if (Quoted)
          CRLFToLF(S);
        else
          QuoteMultilineField(S);
      }
      Out += S;
      File.Flush();
    }
    Out += u"\r\n";
    File.Flush();
    Progress.Report(r, RowCount() - 1);
  }
  ExportNotification(esExportDone, -1);
  File.Commit();
}

// --- Reading ------------------------------------------------------------------------------------

void TExStringGrid::LoadFromCSV(const String& FileName, Integer MaxRows) { InputFromCSVFile(FileName, false, MaxRows); }

void TExStringGrid::InsertFromCSV(const String& FileName, Integer MaxRows) {
  InputFromCSVFile(FileName, true, MaxRows);
}

void TExStringGrid::LoadFromCSVStream(TStream* AStream, Integer MaxRows) { InputFromCSV(AStream, false, MaxRows); }

void TExStringGrid::InputFromCSVFile(const String& FileName, bool Insert, Integer MaxRows) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyNone);
  if (Stream.Size() > 0) InputFromCSV(&Stream, Insert, MaxRows);
}

void TExStringGrid::InputFromCSV(TStream* Stream, bool Insert, Integer MaxRows) {
  TFileStringList List;
  List.LoadFromStream(Stream);
  if (List.Count() == 0) throw Exception(u"File is empty");

  const TSaveRange SR = SaveRangeOf(this);
  const Integer StartCol = SR.StartCol;
  Integer StartRow = Insert ? RowCount() : SR.StartRow;
  // The row count changes without the floating footer's row move while the file is read; the
  // footer row is set aside and put back last (see below).
  auto SetRows = [this](Integer N) { TBaseGrid::SetRowCount(N); };
  // A floating footer with a fixed last row keeps that row last: an insert sets its texts aside,
  // clears it and writes the data from it on. Without a footer row the last row is data and stays.
  const bool FooterRow = FloatingFooterVisible() && FFixedFooters > 0 && RowCount() > 0;
  std::vector<String> FooterTexts;
  if (Insert && FooterRow) {
    const Integer Last = RowCount() - 1;
    for (Integer c = 0; c < TotalColCount(); ++c) FooterTexts.push_back(GetGridCell(c, Last));
    ClearRowCells(Last);
    --StartRow;
  }

  // The guessed delimiter holds for this read only; it goes back also when a cell hook raises,
  // so the next save and the next read are not steered by a guess the user never set.
  struct TDelimiterRestore {
    Char& Field;
    Char Saved;
    ~TDelimiterRestore() { Field = Saved; }
  } RestoreDelimiter{FDelimiter, FDelimiter};
  if (FDelimiter == 0) FDelimiter = DetectDelimiter(List[0], List.Count() > 1 ? List[1] : String());
  const Char Delim = FDelimiter;

  Integer Counted = 0;
  if (OnFileProgress) {
    Counted = List.Count() - (FLoadFirstRow ? 0 : 1);
    const Integer N = List.Count();
    SetRows(Insert ? RowCount() + N : StartRow + N + FFixedFooters);
  }

  List.Reset();
  String Line;
  if (!FLoadFirstRow && !List.Eof()) List.ReadLn(Line);
  const Integer Hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  TProgress Progress(this);

  Integer Row = StartRow;
  Integer Read = 0;
  std::vector<String> Fields;
  while (!List.Eof() && (MaxRows <= 0 || Read < MaxRows)) {
    // Every line of the file is one row: a quote left open does not join the lines that follow.
    List.ReadLn(Line);
    ++Read;
    if (FOemConvert) OemToString(Line);
    if (Row >= RowCount() - FFixedFooters) SetRows(Row + 1000);

    SplitCSVLine(Line, Delim, Fields);
    // The grid grows once per line to hold its fields.
    const Int64 Needed = static_cast<Int64>(StartCol) + static_cast<Int64>(Fields.size());
    if (Needed > static_cast<Int64>(ColCount()) + Hidden) SetColCount(static_cast<Integer>(Needed - Hidden));
    Integer c = StartCol;
    for (String& Field : Fields) {
      if (FJavaCSV)
        TildeToLineBreaks(Field);
      else
        VTToCRLF(Field);
      LoadCell(c++, Row, Field);
    }
    ++Row;
    if (OnFileProgress) Progress.Report(Read, Counted);
  }

  SetRows(Row + FFixedFooters);
  // The footer row after the data: its set-aside texts after an insert, emptied after a load.
  if (FooterRow && RowCount() > 0) {
    const Integer Last = RowCount() - 1;
    if (Insert) {
      for (Integer c = 0; c < static_cast<Integer>(FooterTexts.size()) && c < TotalColCount(); ++c)
        SetGridCell(c, Last, FooterTexts[c]);
    } else if (Last >= Row) {
      ClearRowCells(Last);
    }
  }
  SetRowCount(RowCount());
  FMaxRowCount = RowCount();
  FDelimiter = RestoreDelimiter.Saved;
  CellsChanged(TRect(0, 0, ColCount(), RowCount()));
  AllCellsChanged();
}
