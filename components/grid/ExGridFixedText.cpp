// TExStringGrid: fixed-width text files (fields in fixed character columns) and the grid's own line
// stream, which AssignCells uses to copy cells between grids.
#include <algorithm>
#include <memory>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/grid/ExGridTextFiles.h"
#include "components/gridbase/ExObj.h"
#include "components/gridbase/ExUtil.h"

using exgrid_text::SaveRangeOf;
using exgrid_text::TSaveRange;

namespace {

// The lines of a multi-line export text (split at CR, an LF right after it dropped).
std::vector<String> TextLines(String S) {
  std::vector<String> Lines;
  do {
    Lines.push_back(TakeLine(S, true));
  } while (!S.empty());
  return Lines;
}

// Reads one line of the grid stream: 16-bit units up to a CR (not kept) or the end; the unit after
// the CR (the LF) is read and dropped.
String ReadStreamLine(TStream* Stream) {
  String Line;
  char16_t U = 0;
  while (Stream->Read(&U, 2) == 2) {
    if (U == 13) {
      Stream->Read(&U, 2);
      break;
    }
    Line += U;
  }
  return Line;
}

void WriteStreamLine(TStream* Stream, const String& Line) {
  std::string Bytes;
  Bytes.reserve(Line.size() * 2 + 4);
  auto Put = [&Bytes](char16_t U) {
    Bytes += static_cast<char>(U & 0xFF);
    Bytes += static_cast<char>(U >> 8);
  };
  for (Char U : Line) Put(U);
  Put(13);
  Put(10);
  Stream->WriteBuffer(Bytes);
}

}  // namespace

// --- Column widths in characters ------------------------------------------------------------------

Integer TExStringGrid::GetMaxCharsInCol(Integer ACol) {
  Integer Result = 0;
  for (Integer r = 0; r < RowCount(); ++r) {
    String S = SaveCell(ACol, r);
    if (FMultilineCells) {
      for (const String& L : TextLines(S)) Result = std::max(Result, static_cast<Integer>(L.size()));
    } else {
      Result = std::max(Result, static_cast<Integer>(TakeLine(S, false).size()));
    }
  }
  return Result;
}

// --- Fixed-width files ----------------------------------------------------------------------------

void TExStringGrid::SaveToFixed(const String& FileName, TIntList* Positions) {
  // The old file stays as it was until every line is written.
  std::unique_ptr<TFileReplacement> File;
  try {
    File = std::make_unique<TFileReplacement>(FileName);
  } catch (const EFCreateError&) {
    throw EStringGridError(u"Cannot Create file " + FileName);
  }
  // The save range reaches over the hidden columns when they are saved too.
  TSaveRange SR = SaveRangeOf(this);
  const Integer Hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  SR.EndCol += Hidden;
  for (Integer c = SR.StartCol; c <= SR.EndCol; ++c)
    if (Positions->Count() - 1 < c - SR.StartCol) Positions->Add(GetMaxCharsInCol(c) + 1);

  ExportNotification(esExportStart, SR.StartRow);
  for (Integer r = SR.StartRow; r <= SR.EndRow; ++r) {
    ExportNotification(esExportNextRow, r);
    String Line;
    for (Integer c = SR.StartCol; c <= SR.EndCol; ++c) {
      String S = SaveCell(FSaveHiddenCells ? c : DisplayToRealCol(c), r);
      const Integer W = std::max(0, Positions->Items(c - SR.StartCol));
      if (static_cast<Integer>(S.size()) > W)
        S.resize(static_cast<size_t>(W));
      else
        S.append(static_cast<size_t>(W) - S.size(), u' ');
      Line += S;
    }
    Line += u"\r\n";
    File->Write(TextToBytes(Line, TEncoding::ANSI));
  }
  File->Commit();
  ExportNotification(esExportDone, -1);
}

void TExStringGrid::LoadFromFixed(const String& FileName, TIntList* Positions, bool DoTrim, Integer MaxRows) {
  TStringList Lines;
  try {
    Lines.LoadFromFile(FileName);
  } catch (const EFOpenError&) {
    throw EStringGridError(u"File " + FileName + u" not found");
  }
  // The boundaries in ascending order, also in the caller's list.
  std::vector<Integer> P;
  for (Integer i = 0; i < Positions->Count(); ++i) P.push_back(Positions->Items(i));
  std::sort(P.begin(), P.end());
  for (Integer i = 0; i < static_cast<Integer>(P.size()); ++i) Positions->SetItems(i, P[i]);
  const Integer Fields = static_cast<Integer>(P.size()) - 1;
  if (Fields > 0) SetColCount(FixedCols() + Fields);

  const TSaveRange SR = SaveRangeOf(this);
  Integer Row = SR.StartRow;
  Integer Read = 1;
  for (Integer i = 0; i < Lines.Count(); ++i) {
    const String Line = Lines[i];
    Integer c = SR.StartCol;
    for (Integer k = 1; k <= Fields; ++k) {
      String S = Copy(Line, P[k - 1], P[k] - P[k - 1]);
      if (DoTrim) S = Trim(S);
      LoadCell(c, Row, S);
      ++c;
    }
    ++Read;
    // -1 reads the whole file, n >= 1 reads n lines, any other value one line.
    if (MaxRows != -1 && MaxRows < Read) break;
    if (Row + 1 >= RowCount() && i + 1 < Lines.Count()) SetRowCount(Row + 2);
    ++Row;
  }
  CellsChanged(TRect(0, 0, ColCount(), RowCount()));
  AllCellsChanged();
}

// --- The grid stream ------------------------------------------------------------------------------

void TExStringGrid::SaveToStream(TStream* Stream) {
  const TSaveRange SR = SaveRangeOf(this);
  WriteStreamLine(Stream, IntToStr(SR.EndCol - SR.StartCol + 1) + u"," + IntToStr(SR.EndRow - SR.StartRow + 1));
  for (Integer c = 0; c < ColCount(); ++c)
    WriteStreamLine(Stream, u"cw " + IntToStr(c) + u"," + IntToStr(ColWidths(c)));
  ExportNotification(esExportStart, SR.StartRow);
  for (Integer r = SR.StartRow; r <= SR.EndRow; ++r) {
    ExportNotification(esExportNextRow, r);
    for (Integer c = SR.StartCol; c <= SR.EndCol; ++c) {
      const String S = SaveCell(c, r);
      if (S.empty()) continue;
      WriteStreamLine(Stream, IntToStr(c - SR.StartCol) + u"," + IntToStr(r - SR.StartRow) + u"," + MaskLineBreaks(S));
    }
  }
  ExportNotification(esExportDone, -1);
}

void TExStringGrid::LoadFromStream(TStream* Stream) {
  if (Stream->Position() < Stream->Size()) {
    String Header = ReadStreamLine(Stream);
    if (!Header.empty()) {
      const String Cols = CutToken(Header, u",");
      const TSaveRange SR = SaveRangeOf(this);
      const Integer NCols = StrToInt(Cols);
      const Integer NRows = StrToInt(Header);
      // Counts no grid could have written are damage: refused before the grid changes.
      if (NCols < 0 || NRows < 0 || NCols > GridFileMaxColCount || NRows > GridFileMaxRowCount)
        throw EReadError(u"Stream read error");
      SetColCount(NCols + SR.StartCol);
      SetRowCount(NRows + SR.StartRow);
    }
  }
  while (Stream->Position() < Stream->Size()) {
    const Int64 Pos = Stream->Position();
    String Line = ReadStreamLine(Stream);
    if (Copy(Line, 1, 2) == u"cw") {
      Delete(Line, 1, 3);
      const Integer Index = StrToInt(CutToken(Line, u","));
      const Integer Width = GridFileExtent(StrToInt(Line));
      if (Index >= 0 && Index < ColCount()) SetColWidths(Index, Width);
      continue;
    }
    // "column,row,text": a line without two commas is not the grid's; the stream stays before it.
    const size_t C1 = Line.find(u',');
    const size_t C2 = C1 == String::npos ? String::npos : Line.find(u',', C1 + 1);
    if (C2 == String::npos) {
      Stream->SetPosition(Pos);
      break;
    }
    const String Col = Line.substr(0, C1);
    const String Row = Line.substr(C1 + 1, C2 - C1 - 1);
    Line.erase(0, C2 + 1);
    const TSaveRange SR = SaveRangeOf(this);
    const Integer C = StrToInt(Col) + SR.StartCol;
    const Integer R = StrToInt(Row) + SR.StartRow;
    const String Text = UnmaskLineBreaks(Line, FMultilineCells);
    // Cells outside the grid the header sized are not the grid's to write.
    if (C >= 0 && C < AllColCount() && R >= 0 && R < RowCount()) LoadCell(C, R, Text);
  }
  CellsChanged(TRect(0, 0, ColCount(), RowCount()));
  AllCellsChanged();
}
