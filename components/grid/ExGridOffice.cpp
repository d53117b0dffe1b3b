// Exchange of the grid's cells with the spreadsheet, the word processor and the database objects
// of the automation layer: the calls, their order and their arguments are the grid's; the layer
// keeps the files.
#include <memory>
#include <utility>

#include "components/grid/ExGrid.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/office/Database.h"
#include "platform/office/Spreadsheet.h"
#include "platform/office/WordProcessor.h"

namespace {

// The hourglass while an exchange runs; the previous cursor comes back however it ends.
class THourGlass {
 public:
  THourGlass() : FOld(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~THourGlass() { Screen->SetCursor(FOld); }
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;

 private:
  TCursor FOld;
};

std::shared_ptr<TSheetApplication> NewSpreadsheet() {
  try {
    return TSheetApplication::Create();
  } catch (const EOleError&) {
    throw EStringGridError(u"Excel OLE server not found");
  }
}

// The running instance of an application class, or a new one; Running tells which.
template <class TApp>
std::shared_ptr<TApp> AttachOrCreate(bool& Running, const char16_t* NotFound) {
  std::shared_ptr<TApp> App = TApp::GetActive();
  Running = App != nullptr;
  if (App) return App;
  try {
    return TApp::Create();
  } catch (const EOleError&) {
    throw EStringGridError(NotFound);
  }
}

// The number of a part of an address, -1 when it is none.
Integer AddressNumber(const String& S) { return StrToIntDef(S, -1); }
Integer AddressColumn(const String& Letters) {
  const Integer C = ColumnOfLetters(Letters);
  return C > 0 ? C : -1;
}

// Splits one end of an absolute address ("B$3" once its leading "$" is gone) at its "$".
void SplitEnd(const String& Part, Integer& Row, Integer& Col) {
  const Integer P = Pos(u"$", Part);
  Col = AddressColumn(Copy(Part, 1, P - 1));
  Row = AddressNumber(P > 0 ? Copy(Part, P + 1, Part.size()) : Part);
}

// The used range's address as first column, first row, last row and last column; -1 where a part
// does not read as a number.
void ParseUsedRange(const String& Address, Integer& FC, Integer& FR, Integer& LR, Integer& LC) {
  auto DropDollar = [](String S) { return !S.empty() && S[0] == u'$' ? S.substr(1) : S; };
  const Integer Colon = Pos(u":", Address);
  if (Colon > 0) {
    const String First = DropDollar(Copy(Address, 1, Colon - 1));
    const String Last = DropDollar(Copy(Address, Colon + 1, Address.size()));
    if (Pos(u"$", First) == 0) {
      // Whole rows ("$3:$5") span every column of the sheet, whole columns ("$A:$C") every row.
      if (AddressNumber(First) != -1) {
        FR = AddressNumber(First);
        LR = AddressNumber(Last);
        FC = 1;
        LC = SheetMaxCols;
      } else {
        FC = AddressColumn(First);
        LC = AddressColumn(Last);
        FR = 1;
        LR = SheetMaxRows;
      }
      return;
    }
    SplitEnd(First, FR, FC);
    SplitEnd(Last, LR, LC);
    return;
  }
  if (Pos(u"$", Address) == 0) {
    FC = FR = LR = LC = 1;
    return;
  }
  SplitEnd(DropDollar(Address), FR, FC);
  LR = FR;
  LC = FC;
}

// The most cells a worksheet's used range may span to be loaded. Every cell of the range is
// loaded, those the sheet leaves empty as empty texts, so a range of a few cells far apart (A1 and
// XFD1048576) would otherwise visit billions of empty ones; as many as a workbook may hold is
// the bound.
constexpr Int64 ImportMaxCells = 8388608;

void ImportFromXLS(TExStringGrid* G, const String& Filename, const String& SheetName) {
  const THourGlass Cursor;
  const std::shared_ptr<TSheetApplication> App = NewSpreadsheet();
  const Integer OldFixedCols = G->FixedCols();
  const Integer OldFixedRows = G->FixedRows();
  auto Finish = [G] {
    G->CellsChanged(TRect(0, 0, G->ColCount(), G->RowCount()));
    G->AllCellsChanged();
  };
  try {
    TWorkbook* Book = App->Workbooks().Open(Filename);
    TWorksheet* Sheet = nullptr;
    if (!SheetName.empty()) {
      for (Integer I = 1; I <= Book->SheetCount(); ++I)
        if (Book->Sheets(I)->Name() == SheetName) Sheet = Book->Sheets(I);
      if (!Sheet) throw EStringGridError(u"Excel worksheet " + SheetName + u" not found");
    } else {
      Sheet = Book->ActiveSheet();
    }
    const String Address = Sheet->UsedRange().Address();
    Integer FC, FR, LR, LC;
    ParseUsedRange(Address, FC, FR, LR, LC);
    if (FC != -1 && FR != -1 && LR != -1 && LC != -1) {
      const Int64 Cells = static_cast<Int64>(LR - FR + 1) * (LC - FC + 1);
      if (Cells > ImportMaxCells)
        throw EStringGridError(u"Excel worksheet " + Sheet->Name() + u" is larger than the grid takes: its used range " +
                               Address + u" spans " + IntToStr(LR - FR + 1) + u" rows and " + IntToStr(LC - FC + 1) +
                               u" columns, " + IntToStr(Cells) + u" cells, more than " + IntToStr(ImportMaxCells));
      G->SetColCount(LC - FC + 1);
      G->SetRowCount(LR - FR + 1);
    }
    const String Range = ColumnLetters(FC) + IntToStr(FR) + u":" + ColumnLetters(LC) + IntToStr(LR);
    const Integer Fc = G->SaveFixedCells() || G->SaveFixedCols() ? 0 : OldFixedCols;
    const Integer Fr = G->SaveFixedCells() || G->SaveFixedRows() ? 0 : OldFixedRows;
    G->SetColCount(G->ColCount() + Fc);
    G->SetRowCount(G->RowCount() + Fr);
    if (G->ColCount() > OldFixedCols) G->SetFixedCols(OldFixedCols);
    if (G->RowCount() > OldFixedRows) G->SetFixedRows(OldFixedRows);
    try {
      if (Pos(u":", Address) == 0) {
        G->LoadCell(Fc, Fr, Sheet->Cells(FR, FC).Value().AsText());
      } else {
        const TOleArray Values = Sheet->Range(Range).Values();
        const Integer Rows = G->RowCount() - Fr, Cols = G->ColCount() - Fc;
        // Every element is loaded: one the sheet leaves unassigned as an empty text, so that no
        // text the grid held before stays inside the range. Error values are skipped. The
        // assigned elements come row by row, so one walk meets them in the loop's order.
        const auto& Assigned = Values.Assigned();
        auto Next = Assigned.begin();
        for (Integer I = 1; I <= Rows; ++I)
          for (Integer J = 1; J <= Cols; ++J) {
            const std::pair<Integer, Integer> At{I, J};
            while (Next != Assigned.end() && Next->first < At) ++Next;
            if (Next == Assigned.end() || Next->first != At) {
              G->LoadCell(J + Fc - 1, I + Fr - 1, String());
              continue;
            }
            const TOleValue& V = Next->second;
            if (V.Kind == TOleValue::vkEmpty || V.Kind == TOleValue::vkError) continue;
            G->LoadCell(J + Fc - 1, I + Fr - 1, V.AsText());
          }
      }
    } catch (...) {
      throw Exception(u"Incorrect XLS file");
    }
    Book->Close(false);
    App->Quit();
  } catch (...) {
    App->Quit();
    Finish();
    throw;
  }
  Finish();
}

void ExportToXLS(TExStringGrid* G, const String& Filename, const String& SheetName, bool CreateNewSheet) {
  const THourGlass Cursor;
  bool WasRunning = false;
  const std::shared_ptr<TSheetApplication> App =
      AttachOrCreate<TSheetApplication>(WasRunning, u"Excel OLE server not found");
  try {
    TWorkbook* Book = nullptr;
    TWorksheet* Sheet = nullptr;
    Integer Top = 1;
    bool Opened = false;
    if (!SheetName.empty()) {
      // An existing file is opened and saved in place with its other sheets. One that cannot be
      // opened raises rather than being replaced by a new workbook.
      if (FileExists(Filename)) {
        Book = App->Workbooks().Open(Filename);
        Opened = true;
      } else {
        Book = App->Workbooks().Add();
      }
      for (Integer I = 1; I <= Book->SheetCount(); ++I)
        if (Book->Sheets(I)->Name() == SheetName) Sheet = Book->Sheets(I);
      if (!Sheet) {
        Sheet = Book->AddWorksheet();
        Sheet->SetName(SheetName);
      }
    } else if (CreateNewSheet || !App->ActiveWorkbook()) {
      Book = App->Workbooks().Add();
      Sheet = Book->Sheets(1);
    } else {
      Book = App->ActiveWorkbook();
      Sheet = App->ActiveSheet();
      Top = Sheet->ActiveCell().Row();
    }
    const Integer StartRow = G->SaveStartRow(), StartCol = G->SaveStartCol();
    TOleArray Values(G->RowCount() - StartRow, G->ColCount() - StartCol);
    G->ExportNotification(esExportStart, StartRow);
    for (Integer r = StartRow; r < G->RowCount(); ++r) {
      G->ExportNotification(esExportNextRow, r);
      for (Integer c = StartCol; c < G->ColCount(); ++c)
        Values.Set(r - StartRow + 1, c - StartCol + 1,
                   TOleValue::OfText(RemoveCR(G->SaveCell(G->DisplayToRealCol(c), r))));
    }
    G->ExportNotification(esExportDone, -1);
    const String Target = u"A" + IntToStr(Top) + u":" + ColumnLetters(Values.Cols()) + IntToStr(Top + Values.Rows() - 1);
    Sheet->Range(Target).SetValues(Values);
    // A failed save is reported: the user would otherwise take the export for done.
    if (Opened)
      Book->Save();
    else
      Book->SaveAs(Filename);
  } catch (...) {
    if (!WasRunning) App->Quit();
    throw;
  }
  if (!WasRunning) App->Quit();
}

void ExportToDoc(TExStringGrid* G, const String& Filename, const String& Bookmark, bool Append,
                 bool CreateNewDocument) {
  const THourGlass Cursor;
  bool WasRunning = false;
  const std::shared_ptr<TTextApplication> App =
      AttachOrCreate<TTextApplication>(WasRunning, u"Word OLE server not found");
  try {
    TTextDocument* Doc;
    if (Append)
      Doc = App->Documents().Open(Filename);
    else if (CreateNewDocument || App->Documents().Count() == 0)
      Doc = App->Documents().Add();
    else
      Doc = App->ActiveDocument();
    Doc->SetShowSpellingErrors(false);
    App->Selection().TypeText(G->Text());
    App->Selection().TypeParagraph();
    auto Place = [&]() -> TTextRange {
      if (Append && Doc->BookmarkExists(Bookmark)) return Doc->GotoBookmark(Bookmark);
      if (Append) {
        Doc->AddParagraph();
        App->Selection().GotoLastLine();
        return Doc->Range(App->Selection().End(), App->Selection().End());
      }
      return Doc->Range(Doc->StartOfDocument(), Doc->StartOfDocument());
    };
    TTextTable* Table = Doc->Tables().Add(Place(), G->RowCount(), G->ColCount());
    G->ExportNotification(esExportStart, 0);
    for (Integer a = 1; a <= G->RowCount(); ++a) {
      G->ExportNotification(esExportNextRow, a);
      for (Integer c = 1; c <= G->ColCount(); ++c) {
        const Integer Real = G->DisplayToRealCol(c - 1);
        TTextTableCell Cell = Table->Cell(a, c);
        Cell.InsertAfter(G->SaveCell(Real, a - 1));
        TAlignment HA = taLeftJustify;
        TVAlignment VA = vtaTop;
        G->CalcCellAlignment(Real, a - 1, HA, VA);
        if (HA == taRightJustify)
          Cell.SetParagraphAlignment(2);
        else if (HA == taCenter)
          Cell.SetParagraphAlignment(1);
      }
    }
    G->ExportNotification(esExportDone, -1);
    Doc->SaveAs(Filename);
  } catch (...) {
    if (!WasRunning) App->Quit();
    throw;
  }
  if (!WasRunning) App->Quit();
}

}  // namespace

std::unique_ptr<TStringList> TExStringGrid::GetXLSSheets(const String& FileName) {
  const std::shared_ptr<TSheetApplication> App = NewSpreadsheet();
  try {
    TWorkbook* Book = App->Workbooks().Open(FileName);
    auto List = std::make_unique<TStringList>();
    for (Integer I = 1; I <= Book->WorksheetCount(); ++I) List->Add(Book->Worksheets(I)->Name());
    Book->SetSaved(true);
    App->Quit();
    return List;
  } catch (...) {
    App->Quit();
    throw;
  }
}

void TExStringGrid::LoadFromXLS(const String& Filename) { ImportFromXLS(this, Filename, String()); }

void TExStringGrid::LoadFromXLSSheet(const String& Filename, const String& SheetName) {
  ImportFromXLS(this, Filename, SheetName);
}

void TExStringGrid::SaveToXLS(const String& Filename, bool CreateNewSheet) {
  ExportToXLS(this, Filename, String(), CreateNewSheet);
}

void TExStringGrid::SaveToXLSSheet(const String& Filename, const String& SheetName) {
  ExportToXLS(this, Filename, SheetName, true);
}

void TExStringGrid::SaveToDOC(const String& Filename, bool CreateNewDocument) {
  ExportToDoc(this, Filename, String(), false, CreateNewDocument);
}

void TExStringGrid::AppendToDoc(const String& Filename, const String& Bookmark) {
  ExportToDoc(this, Filename, Bookmark, true, false);
}

void TExStringGrid::LoadFromMDBTable(const String& Filename, const String& Table) {
  LoadFromMDBSQL(Filename, u"SELECT * FROM " + Table);
}

void TExStringGrid::LoadFromMDBSQL(const String& Filename, const String& SQL) {
  const std::unique_ptr<TDbConnection> Connection = TDbConnection::Create();
  Connection->Open(u"Driver={Microsoft Access Driver (*.mdb)};DBQ=" + Filename);
  const std::unique_ptr<TDbRecordSet> Records = TDbRecordSet::Create();
  Records->SetActiveConnection(Connection.get());
  Records->Open(SQL);
  const Integer N = Records->FieldCount();
  SetColCount(FixedCols() + N);
  if (FixedRows() > 0)
    for (Integer I = 0; I < N; ++I) SetCells(FixedCols() + I, FixedRows() - 1, Records->FieldName(I));
  if (Records->RecordCount() > 0) SetRowCount(FixedRows() + Records->RecordCount());
  Integer Row = FixedRows();
  while (!Records->Eof()) {
    for (Integer I = 0; I < N; ++I) {
      const TDbField F = Records->Fields(I);
      LoadCell(FixedCols() + I, Row, F.ActualSize > 0 ? F.Value : String());
    }
    Records->MoveNext();
    ++Row;
    if (!Records->Eof() && Row == RowCount()) SetRowCount(RowCount() + 1);
  }
  Records->Close();
  Connection->Close();
}
