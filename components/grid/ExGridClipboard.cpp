// TExStringGrid: cells through the system clipboard. Copy, cut and paste as TAB / CR LF text, the
// rich text of one cell ("Rich Text Format"), the grid's own cell format ("TExStringGrid Cells",
// the binary cell stream) and a whole-grid "HTML Format" copy; the paste that grows the grid or
// inserts rows, and the smart paste that continues a value or a series over the selection.
#include <algorithm>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridBinStream.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/gridbase/ExGridUndoRedo.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Clipbrd.h"
#include "platform/rtl/CodePages.h"

namespace {

TClipboardFormat RichTextFormat() { return RegisterClipboardFormat(u"Rich Text Format"); }
TClipboardFormat HtmlFormat() { return RegisterClipboardFormat(u"HTML Format"); }

// Opens the clipboard for one operation and closes it on every way out.
class TClipboardOpen {
 public:
  TClipboardOpen() { Clipboard()->Open(); }
  ~TClipboardOpen() { Clipboard()->Close(); }
  TClipboardOpen(const TClipboardOpen&) = delete;
  TClipboardOpen& operator=(const TClipboardOpen&) = delete;
};

// A value the clipboard text takes as it is: no wide-text marker, no line break (so one line), no
// HTML end tag and no rich text.
bool IsPlainClipboardValue(const String& V) {
  if (V.size() >= 2 && V[0] == UnicodeTextMarker[0] && V[1] == UnicodeTextMarker[1]) return false;
  // CR, "<" and "{" as bits of the characters 0 ... 63 and 64 ... 127.
  constexpr uint64_t Low = (uint64_t{1} << u'\r') | (uint64_t{1} << u'<');
  constexpr uint64_t High = uint64_t{1} << (u'{' - 64);
  for (Char C : V)
    if (C < 64 ? (Low >> C) & 1 : C < 128 && ((High >> (C - 64)) & 1)) return false;
  return true;
}

bool IsPlainInteger(const String& S) {
  Integer V = 0;
  return !S.empty() && TryStrToInt(S, V) && S.find(u'$') == String::npos && S.find(u'x') == String::npos &&
         S.find(u'X') == String::npos;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Hooks of the paste
// ---------------------------------------------------------------------------------------------

void TExStringGrid::PasteCellValue(Integer ACol, Integer ARow, const String& Value) {
  const Integer RC = RealColIndex(ACol);
  // The undo item names the cell the text is stored in.
  if (UndoRedo()) UndoRedo()->RegisterChange(RC, ARow, GetCellEx(RC, ARow), Value);
  if (HasCheckBox(RC, ARow)) {
    String True;
    GetCheckTrue(RC, ARow, True);
    SetCheckBoxValue(RC, ARow, Value == True);
  } else {
    SetCellEx(RC, ARow, Value);
  }
  if (RC != ACol) RepaintCell(ACol, ARow);
}

void TExStringGrid::CellsPasted(TPoint& TopLeft, TGridRect& R, TClipOperation Op) {
  (void)TopLeft;
  (void)Op;
  if (!ShowModifiedEnabled()) return;
  for (Integer r = R.Top; r <= R.Bottom; ++r)
    if (r >= 0 && r < RowCount()) SetRowModified(r, true);
}

bool TExStringGrid::AllowFormattedClipboard() { return FNavigation->AllowFmtClipboard(); }

// ---------------------------------------------------------------------------------------------
// Text of a rectangle
// ---------------------------------------------------------------------------------------------

String TExStringGrid::GetRectAsText(TGridRect R, bool Disjunct) {
  FClipTopLeft = TPoint(R.Left, R.Top);
  ExportNotification(esExportStart, -1);
  const bool RowDisjunct = FMouseActions->DisjunctRowSelect() && Disjunct && !FMouseActions->DisjunctColSelect();
  const bool ColDisjunct = FMouseActions->DisjunctColSelect() && Disjunct;
  const bool CopyTags = FNavigation->CopyHTMLTagsToClipboard();
  // The value of a cell whose saved text needs more than taking it as it is.
  auto Converted = [&](String V, Integer RC, Integer r) {
    if (V.compare(0, UnicodeTextMarker.size(), UnicodeTextMarker) == 0) V = DecodeUnicodeText(V);
    if (V.find(u'\r') != String::npos) {
      // A line break inside a value: the value is quoted, its CRs become LFs.
      V = u"\"" + CRToLF(V) + u"\"";
    }
    if (!CopyTags && V.find(u"</") != String::npos)
      V = StrippedCells(RC, r);
    else if (V.find(u"{\\") != String::npos)
      V = GridRichTextToPlain(Cells(RC, r));
    if (FExcelClipboardFormat && CountLines(V, FMultilineCells) > 1) {
      V = StringReplace(V, u"\r\n", String(1, Char(11)), TReplaceFlags{rfReplaceAll});
      V = u"\"" + V + u"\"";
    }
    return V;
  };
  String S;
  String Scratch;
  for (Integer r = R.Top; r <= R.Bottom; ++r) {
    ExportNotification(esExportNewRow, r);
    if (RowDisjunct && !RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) continue;
    for (Integer c = R.Left; c <= R.Right; ++c) {
      if (ColDisjunct && !ColSelect(c)) continue;
      const Integer RC = RealColIndex(c);
      const String& Saved = SaveCellRef(RC, r, Scratch);
      if (IsPlainClipboardValue(Saved))
        S += Saved;
      else
        S += Converted(Saved, RC, r);
      if (c != R.Right) S += u'\t';
    }
    if (R.Top < R.Bottom) S += u"\r\n";
  }
  ExportNotification(esExportDone, -1);
  return S;
}

String TExStringGrid::GetSelectionAsText() { return GetRectAsText(Selection(), false); }

// ---------------------------------------------------------------------------------------------
// Copy and cut
// ---------------------------------------------------------------------------------------------

void TExStringGrid::CopyCellRTFToClipboard(Integer ACol, Integer ARow) {
  const String Text = Cells(RealColIndex(ACol), ARow);
  if (Text.find(u"{\\") == String::npos) return;
  // The text's 16-bit units and one zero unit.
  std::vector<Byte> Block((Text.size() + 1) * 2, 0);
  for (size_t i = 0; i < Text.size(); ++i) {
    Block[2 * i] = static_cast<Byte>(Text[i]);
    Block[2 * i + 1] = static_cast<Byte>(Text[i] >> 8);
  }
  Clipboard()->SetData(RichTextFormat(), Block);
}

void TExStringGrid::CopyCellsFormatToClipboard(TGridRect R) {
  TMemoryStream M;
  SaveRectToBinStream(TRect(R.Left, R.Top, R.Right, R.Bottom), &M);
  const std::string& B = M.Bytes();
  Clipboard()->SetData(GridCellsClipboardFormat, std::vector<Byte>(B.begin(), B.end()));
}

void TExStringGrid::CopyRectToClipboard(TGridRect R, bool Disjunct) {
  const String Text = GetRectAsText(R, Disjunct);
  TClipboardOpen Open;
  Clipboard()->SetAsText(Text);
  if (FNavigation->AllowRTFClipboard()) CopyCellRTFToClipboard(R.Left, R.Top);
  if (FNavigation->AllowFmtClipboard()) CopyCellsFormatToClipboard(R);
}

void TExStringGrid::ExpandSelectionToMergedCells() {
  TGridRect S = Selection();
  const TGridRect Old = S;
  const Integer LC = RealColIndex(S.Left);
  if (IsMergedCell(LC, S.Top)) {
    const TPoint B = BaseCell(LC, S.Top);
    S.Left = RealToDisplayCol(B.X);
    S.Top = B.Y;
  }
  const Integer RC = RealColIndex(S.Right);
  if (IsMergedCell(RC, S.Bottom)) {
    const TPoint B = BaseCell(RC, S.Bottom);
    const TPoint Span = CellSpan(B.X, B.Y);
    S.Right = RealToDisplayCol(B.X + std::max(Span.X, 0));
    S.Bottom = B.Y + std::max(Span.Y, 0);
  }
  if (!(S == Old)) SetSelection(S);
}

void TExStringGrid::CopySelectionToClipboard() {
  ExpandSelectionToMergedCells();
  if (FMouseActions->DisjunctRowSelect() && !FNavigation->AllowFmtClipboard())
    CopyRectToClipboard(TGridRect{FixedCols(), SaveStartRow(), ColCount() - FFixedRightCols - 1, SaveEndRow()}, true);
  else if (FMouseActions->DisjunctColSelect() && !FNavigation->AllowFmtClipboard())
    CopyRectToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
  else
    CopyRectToClipboard(Selection(), false);
  FClipLastOp = coCopy;
}

void TExStringGrid::CopyToClipBoard() {
  CopyRectToClipboard(TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
  FClipLastOp = coCopy;
}

void TExStringGrid::CutToClipboard() {
  const TGridRect R{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
  CopyRectToClipboard(R, false);
  const bool Always = FNavigation->AllowClipboardAlways();
  for (Integer r = R.Top; r <= R.Bottom; ++r)
    for (Integer c = R.Left; c <= R.Right; ++c) {
      const Integer RC = RealColIndex(c);
      if (Always || IsEditable(RC, r)) SetCellEx(RC, r, String());
    }
  if (ShowModifiedEnabled())
    for (Integer r = R.Top; r <= R.Bottom; ++r) SetRowModified(r, true);
  FClipLastOp = coCut;
}

void TExStringGrid::CutSelectionToClipboard() {
  const TGridRect Sel = Selection();
  CopySelectionToClipboard();
  const bool Always = FNavigation->AllowClipboardAlways();
  if (FMouseActions->DisjunctRowSelect()) {
    const bool Persistent = FMouseActions->RowSelectPersistent();
    for (Integer r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(Persistent ? RealRowIndex(r) : r)) {
        ClearRows(r, 1);
        if (ShowModifiedEnabled()) SetRowModified(r, true);
      }
  } else if (FMouseActions->DisjunctColSelect()) {
    for (Integer c = FixedCols(); c < ColCount(); ++c)
      if (ColSelect(c)) ClearCols(c, 1);
  } else {
    if (UndoRedo()) UndoRedo()->StartSequence();
    for (Integer r = Sel.Top; r <= Sel.Bottom; ++r) {
      for (Integer c = Sel.Left; c <= Sel.Right; ++c) {
        const Integer RC = RealColIndex(c);
        if (!Always && !IsEditable(RC, r)) continue;
        if (UndoRedo()) UndoRedo()->RegisterChange(RC, r, GetCellEx(RC, r), String());
        SetCellEx(RC, r, String());
      }
      if (ShowModifiedEnabled()) SetRowModified(r, true);
    }
    if (UndoRedo()) UndoRedo()->StopSequence();
    // The cell format took the cells' properties along.
    if (FNavigation->AllowFmtClipboard())
      for (Integer r = Sel.Top; r <= Sel.Bottom; ++r)
        for (Integer c = Sel.Left; c <= Sel.Right; ++c) FreeCellProps(RealColIndex(c), r);
  }
  FClipLastOp = coCut;
  if (OnCellsChanged) OnCellsChanged(this, TRect(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom));
  if (NumHiddenColumns() > 0) Invalidate();
}

void TExStringGrid::CopyToClipBoardAsHTML() {
  String Html = SaveToHTMLString(String());
  MakeHtmlClipboardFragment(Html);
  const std::string Bytes = StringToAnsi(Html);
  TClipboardOpen Open;
  Clipboard()->SetData(HtmlFormat(), std::vector<Byte>(Bytes.begin(), Bytes.end()));
  Clipboard()->SetAsText(Html);
}

// ---------------------------------------------------------------------------------------------
// Paste
// ---------------------------------------------------------------------------------------------

// The lines are cut at CR (an LF after it skipped); empty lines, the remainder after a final line
// break among them, do not count.
void TExStringGrid::GetTextDimensions(const String& Text, Integer& Cols, Integer& Rows) {
  Cols = 0;
  Rows = 0;
  String Line;
  auto EndLine = [&]() {
    if (!Line.empty()) {
      Cols = std::max(Cols, 1 + static_cast<Integer>(std::count(Line.begin(), Line.end(), u'\t')));
      ++Rows;
    }
    Line.clear();
  };
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'\r') {
      EndLine();
      if (i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
    } else {
      Line += Text[i];
    }
  }
  EndLine();
}

Integer TExStringGrid::PasteTextAt(Integer ACol, Integer ARow, const String& Text, Integer& Cols, Integer& Rows) {
  if (ACol < 0 || ARow < 0 || Text.empty()) return 0;
  if (!Options().Contains(goEditing) && !FNavigation->AllowClipboardAlways() && !FMouseActions->RangeSelectAndEdit())
    return 0;
  if (UndoRedo()) UndoRedo()->StartSequence();
  Cols = 0;
  Rows = 0;
  // The lines: cut at CR, one LF after a CR dropped; a final line break leaves an empty remainder.
  std::vector<String> Lines;
  {
    String Line;
    for (size_t i = 0; i < Text.size(); ++i) {
      if (Text[i] == u'\r') {
        Lines.push_back(Line);
        Line.clear();
        if (i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
      } else {
        Line += Text[i];
      }
    }
    Lines.push_back(Line);
  }
  FPasteTrailingBreak = Lines.size() > 1 && Lines.back().empty();
  const bool Always = FNavigation->AllowClipboardAlways();
  Integer Count = 0;
  Integer Row = ARow;
  Integer MaxCol = ACol, MaxRow = ARow;
  for (size_t li = 0; li < Lines.size(); ++li) {
    const String& Line = Lines[li];
    const bool Remainder = li + 1 == Lines.size() && li > 0 && Line.empty();
    ++Rows;
    ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, Row);
    if (FNavigation->ClipboardPasteAction() == paInsert && !Line.empty()) InsertRows(Row, 1, true);
    Cols = 1 + static_cast<Integer>(std::count(Line.begin(), Line.end(), u'\t'));
    std::vector<String> Values;
    {
      String V;
      for (Char C : Line) {
        if (C == u'\t') {
          Values.push_back(V);
          V.clear();
        } else {
          V += C;
        }
      }
      Values.push_back(V);
    }
    Integer c = ACol;
    for (size_t vi = 0; vi < Values.size(); ++vi, ++c) {
      ++Count;
      if (Remainder && vi + 1 == Values.size()) continue;
      String V = Values[vi];
      if (V.find(u'\n') != String::npos) {
        if (!V.empty() && V[0] == u'"') V.erase(0, 1);
        const size_t Q = V.find(u'"');
        if (Q != String::npos && Q + 1 == V.size()) V.erase(Q, 1);
        VTToCRLF(V);
      }
      if (c == ColCount() && FNavigation->AllowClipboardColGrow()) SetColCount(ColCount() + 1);
      if (c >= ColCount() || Row >= RowCount()) continue;
      if (!Always && !IsEditable(RealColIndex(c), Row)) continue;
      bool Allow = true;
      const bool Wide = V.compare(0, UnicodeTextMarker.size(), UnicodeTextMarker) == 0;
      if (Wide) {
        String W = DecodeUnicodeText(V);
        if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, c, Row, W, Allow);
        V = EncodeUnicodeText(W);
      } else if (OnClipboardBeforePasteCell) {
        OnClipboardBeforePasteCell(this, c, Row, V, Allow);
      }
      if (!Allow) continue;
      PasteCellValue(c, Row, V);
      MaxCol = std::max(MaxCol, c);
      MaxRow = std::max(MaxRow, Row);
      if (Wide) {
        if (OnClipboardAfterPasteWideCell) OnClipboardAfterPasteWideCell(this, c, Row, DecodeUnicodeText(V));
      } else if (OnClipboardAfterPasteCell) {
        OnClipboardAfterPasteCell(this, c, Row, V);
      }
    }
    if (li + 1 < Lines.size()) {
      ++Row;
      // The row the next line goes to is added at the bottom when text remains for it.
      const bool TextRemains = li + 2 < Lines.size() || !Lines[li + 1].empty();
      const Integer Limit =
          FloatingFooterVisible() && FFloatingFooter->FooterStyle() == fsFixedLastRow ? RowCount() - 1 : RowCount();
      if (Row == Limit && TextRemains && FNavigation->AllowClipboardRowGrow()) SetRowCount(RowCount() + 1);
    }
  }
  if (UndoRedo()) UndoRedo()->StopSequence();
  TPoint TopLeft = FClipTopLeft;
  TGridRect Pasted{ACol, ARow, MaxCol, MaxRow};
  CellsPasted(TopLeft, Pasted, FClipLastOp);
  CellsChanged(TRect(RealColIndex(ACol), ARow, RealColIndex(MaxCol), MaxRow));
  return Count;
}

Integer TExStringGrid::PasteFromClipboardAt(Integer ACol, Integer ARow, Integer& Cols, Integer& Rows) {
  TClipboard* CB = Clipboard();
  if (AllowFormattedClipboard() && CB->HasFormat(GridCellsClipboardFormat)) {
    PasteStarted();
    const std::vector<Byte> Block = CB->GetData(GridCellsClipboardFormat);
    TMemoryStream M;
    if (!Block.empty()) M.WriteBuffer(Block.data(), static_cast<Int64>(Block.size()));
    M.SetPosition(0);
    const TGridStreamHeader H = ReadGridStreamHeader(&M);
    // Every cell of the block has a record of its own: counts beyond the block are damage.
    if (H.ColCount < 0 || H.RowCount < 0 || static_cast<Int64>(H.ColCount) * H.RowCount > M.Size())
      throw EReadError(u"Stream read error");
    const bool Insert = FNavigation->ClipboardPasteAction() == paInsert;
    if (FNavigation->AllowClipboardRowGrow() || FNavigation->AllowClipboardColGrow() || Insert) {
      if (ACol + H.ColCount >= ColCount() && FNavigation->AllowClipboardColGrow()) SetColCount(ACol + H.ColCount);
      if (ARow + H.RowCount >= RowCount() && FNavigation->AllowClipboardRowGrow()) SetRowCount(ARow + H.RowCount);
      Cols = ColCount();
      Rows = RowCount();
      if (Insert) InsertRows(ARow, H.RowCount, true);
    }
    M.SetPosition(0);
    LoadAtPointFromBinStream(TPoint(ACol, ARow), &M);
    TPoint TopLeft = H.ID == static_cast<Integer>(Handle()) ? FClipTopLeft : TPoint(-1, -1);
    TGridRect R{ACol, ARow, ACol + H.ColCount - 1, ARow + H.RowCount - 1};
    CellsPasted(TopLeft, R, FClipLastOp);
    PasteFinished();
    return H.ColCount * H.RowCount;
  }
  if (FNavigation->AllowRTFClipboard() && CB->HasFormat(RichTextFormat())) {
    const std::vector<Byte> Block = CB->GetData(RichTextFormat());
    String Text;
    for (size_t i = 0; i + 1 < Block.size(); i += 2) {
      const Char C = static_cast<Char>(Block[i] | (Block[i + 1] << 8));
      if (C == 0) break;
      Text += C;
    }
    if (IsEditable(RealColIndex(ACol), ARow)) PasteCellValue(ACol, ARow, Text);
    Cols = 1;
    Rows = 1;
    return 0;
  }
  if (CB->HasFormat(CF_UNICODETEXT)) return PasteTextAt(ACol, ARow, CB->AsText(), Cols, Rows);
  return 0;
}

void TExStringGrid::PasteFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteAll = true;
  Integer Cols = 0, Rows = 0;
  PasteFromClipboardAt(SaveStartCol(), SaveStartRow(), Cols, Rows);
  ImportNotification(isImportDone, -1);
  AllCellsChanged();
}

void TExStringGrid::PasteSelectionFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteAll = false;
  ExpandSelectionToMergedCells();
  const TGridRect Sel = Selection();
  Integer Cols = 0, Rows = 0;
  FPasteTrailingBreak = false;
  const Integer Count =
      PasteFromClipboardAt(Options().Contains(goRowSelect) ? FixedCols() : Sel.Left, Sel.Top, Cols, Rows);
  const Integer N = (Sel.Right - Sel.Left + 1) * (Sel.Bottom - Sel.Top + 1);
  if (FNavigation->AllowSmartClipboard() && Count != N + 1) {
    SmartPaste(Count);
    // The pasted block repeated over the rest of the selection.
    const bool OneCol = Sel.Left == Sel.Right;
    const bool OneRow = Sel.Top == Sel.Bottom;
    const bool Repeat = FSmartPasteRepeat || Count < 2 || (!OneCol && !OneRow);
    if (Repeat && !FSmartPasteDone) {
      if (Sel.Bottom > Sel.Top && Sel.Left != Sel.Right && Rows == 1) {
        for (Integer r = Sel.Top + 1; r <= Sel.Bottom; ++r) {
          SetRow(r);
          Integer C2 = 0, R2 = 0;
          PasteFromClipboardAt(Sel.Left, r, C2, R2);
        }
        SetSelection(Sel);
      }
      if (Sel.Bottom != Sel.Top && Sel.Right > Sel.Left && Cols == 1) {
        for (Integer c = Sel.Left + 1; c <= Sel.Right; ++c) {
          SetCol(c);
          Integer C2 = 0, R2 = 0;
          PasteFromClipboardAt(c, Sel.Top, C2, R2);
        }
        SetSelection(Sel);
      }
    }
  }
  ImportNotification(isImportDone, -1);
  CellsChanged(TRect(Sel.Left, Sel.Top, Sel.Right, Sel.Bottom));
  AllCellsChanged();
}

// The single value and the series of a smart paste. FSmartPasteDone tells the caller that a date
// or number series ended the operation, FSmartPasteRepeat that a text series asks for the block
// repetition.
void TExStringGrid::SmartPaste(Integer Count) {
  FSmartPasteDone = false;
  FSmartPasteRepeat = false;
  const TGridRect Sel = Selection();
  const Integer N = (Sel.Right - Sel.Left + 1) * (Sel.Bottom - Sel.Top + 1);
  const bool Always = FNavigation->AllowClipboardAlways();
  const Integer TLCol = RealColIndex(Sel.Left);

  // One step of a fill: the events (not for the top-left cell), the store, the pasted-cell hook.
  // Refused, AfterRefused decides whether the hook and the after-event still run.
  auto Fill = [&](Integer c, Integer r, String V, bool AfterRefused) {
    const bool TopLeft = c == Sel.Left && r == Sel.Top;
    bool Allow = true;
    if (!TopLeft && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, c, r, V, Allow);
    if (Allow) PasteCellValue(c, r, V);
    if (!Allow && !AfterRefused) return;
    TPoint TL = FClipTopLeft;
    TGridRect One{c, r, c, r};
    CellsPasted(TL, One, coCopy);
    if (!TopLeft && OnClipboardAfterPasteCell) OnClipboardAfterPasteCell(this, c, r, V);
  };

  PasteStarted();
  if (Count == 1 && N > 1) {
    String Text = Cells(TLCol, Sel.Top);
    if (HasCheckBox(TLCol, Sel.Top)) {
      bool State = false;
      GetCheckBoxState(TLCol, Sel.Top, State);
      if (State)
        GetCheckTrue(TLCol, Sel.Top, Text);
      else
        GetCheckFalse(TLCol, Sel.Top, Text);
    }
    for (Integer c = Sel.Left; c <= Sel.Right; ++c)
      for (Integer r = Sel.Top; r <= Sel.Bottom; ++r)
        if (Always || IsEditable(RealColIndex(c), r)) Fill(c, r, Text, true);
  }
  PasteFinished();

  const bool OneCol = Sel.Left == Sel.Right;
  const bool OneRow = Sel.Top == Sel.Bottom;
  if (Count < 2 || (!OneCol && !OneRow)) return;

  const String V1 = Cells(TLCol, Sel.Top);
  const String V2 = OneRow ? Cells(RealColIndex(Sel.Left + 1 <= Sel.Right ? Sel.Left + 1 : Sel.Left), Sel.Top)
                           : Cells(TLCol, std::min(Sel.Top + 1, Sel.Bottom));
  // Every editable cell of the selection, column by column and row by row, in turn.
  auto ForEachEditable = [&](auto Step) {
    for (Integer c = Sel.Left; c <= Sel.Right; ++c)
      for (Integer r = Sel.Top; r <= Sel.Bottom; ++r) {
        if (IsEditable(RealColIndex(c), r)) Step(c, r, true);
        else Step(c, r, false);
      }
  };
  const Char TimeSep = GridTimeSeparator();
  const Char DateSep = GridDateSeparator();
  auto DateLike = [&](const String& S) { return LooksLikeDate(S) || S.find(TimeSep) != String::npos; };

  if (DateLike(V1) && DateLike(V2)) {
    TDateTime D1 = 0, D2 = 0;
    if (!TryStrToDateTime(V1, D1) || !TryStrToDateTime(V2, D2)) {
      FSmartPasteDone = true;
      return;
    }
    Word Y1, M1, Dd1, Y2, M2, Dd2;
    DecodeDate(D1, Y1, M1, Dd1);
    DecodeDate(D2, Y2, M2, Dd2);
    const Integer DY = Y2 - Y1, DM = M2 - M1, DD = Dd2 - Dd1;
    const bool AsDate = V1.find(DateSep) != String::npos;
    TDateTime Cur = D1;
    ForEachEditable([&](Integer c, Integer r, bool Editable) {
      if (Editable) Fill(c, r, AsDate ? DateToStr(Cur) : TimeToStr(Cur), true);
      if (DY != 0 && DM == 0 && DD == 0)
        Cur = IncMonth(Cur, 12 * DY);
      else if (DY == 0 && DM != 0 && DD == 0)
        Cur = IncMonth(Cur, DM);
      else if (DY == 0 && DM == 0 && DD != 0)
        Cur += DD;
      else
        Cur += D2 - D1;
    });
    FSmartPasteDone = true;
    return;
  }
  const Char DecSep = GridDecimalSeparator();
  if (V1.find(DecSep) != String::npos || V2.find(DecSep) != String::npos) {
    double F1 = 0, F2 = 0;
    if (!TryStrToFloat(V1, F1) || !TryStrToFloat(V2, F2)) {
      FSmartPasteDone = true;
      return;
    }
    double Cur = F1;
    ForEachEditable([&](Integer c, Integer r, bool Editable) {
      if (Editable) Fill(c, r, Format(FFloatFormat, Cur), false);
      Cur += F2 - F1;
    });
    FSmartPasteDone = true;
    return;
  }
  if (IsPlainInteger(V1) && IsPlainInteger(V2)) {
    const Integer I1 = StrToInt(V1), I2 = StrToInt(V2);
    Int64 Cur = I1;
    ForEachEditable([&](Integer c, Integer r, bool Editable) {
      if (Editable) Fill(c, r, IntToStr(Cur), false);
      Cur += static_cast<Int64>(I2) - I1;
    });
    FSmartPasteDone = true;
    return;
  }

  // Text: the pasted block repeats along the line. Its length is the number of values pasted, less
  // the empty remainder of a text that ends with a line break.
  const Integer Period = std::max(1, Count - (FPasteTrailingBreak ? 1 : 0));
  if (OneCol) {
    for (Integer r = Sel.Top + Period; r <= Sel.Bottom; ++r)
      if (IsEditable(TLCol, r)) PasteCellValue(Sel.Left, r, Cells(TLCol, r - Period));
    TPoint TL(Sel.Left, Sel.Top);
    TGridRect R{Sel.Left, Sel.Top + Period, Sel.Right, Sel.Bottom};
    CellsPasted(TL, R, coCopy);
  } else {
    for (Integer c = Sel.Left + Period; c <= Sel.Right; ++c)
      if (IsEditable(RealColIndex(c), Sel.Top))
        PasteCellValue(c, Sel.Top, Cells(RealColIndex(c - Period), Sel.Top));
    TPoint TL(Sel.Left, Sel.Top);
    TGridRect R{Sel.Left + Period, Sel.Top, Sel.Right, Sel.Bottom};
    CellsPasted(TL, R, coCopy);
  }
  FSmartPasteRepeat = true;
}

// ---------------------------------------------------------------------------------------------
// Raw text of the selection
// ---------------------------------------------------------------------------------------------

void TExStringGrid::SetSelectionAsText(const String& Value) {
  const TGridRect Sel = Selection();
  Integer Row = Sel.Top;
  Integer MaxCol = Sel.Left;
  size_t i = 0;
  while (i < Value.size()) {
    // One line: its values between TABs.
    Integer c = Sel.Left;
    String V;
    auto Put = [&]() {
      if (c == ColCount()) SetColCount(ColCount() + 1);
      if (c < ColCount() && Row < RowCount()) {
        SetGridCell(RealColIndex(c), Row, V);
        MaxCol = std::max(MaxCol, c);
      }
      V.clear();
      ++c;
    };
    for (; i < Value.size() && Value[i] != u'\r'; ++i) {
      if (Value[i] == u'\t')
        Put();
      else
        V += Value[i];
    }
    Put();
    if (i < Value.size()) {
      ++i;
      if (i < Value.size() && Value[i] == u'\n') ++i;
    }
    if (i < Value.size()) {
      ++Row;
      const Integer Last = FloatingFooterVisible() && FFloatingFooter->FooterStyle() == fsFixedLastRow
                               ? RowCount() - 1
                               : RowCount();
      if (Row >= Last) SetRowCount(RowCount() + 1);
    }
  }
  Invalidate();
  CellsChanged(TRect(RealColIndex(Sel.Left), Sel.Top, RealColIndex(MaxCol), Row));
}
