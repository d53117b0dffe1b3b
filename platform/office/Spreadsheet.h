// The spreadsheet application of the automation layer: an application holding workbooks, each a
// list of worksheets of cells. Workbooks are files: Office Open XML workbooks (.xlsx) are read and
// written, legacy binary workbooks (.xls) are read. Rows and columns count from 1.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/office/OleAuto.h"

// A value as automation hands it over. An unassigned value stands for an element of an array that
// was never set; an empty value for a cell that holds nothing. A date is a number whose cell shows
// it as a date or a time.
struct TOleValue {
  enum TKind { vkUnassigned, vkEmpty, vkText, vkNumber, vkBoolean, vkError, vkDate };
  TKind Kind = vkUnassigned;
  // vkText; vkError: the error's text ("#DIV/0!"); vkDate: the text the cell's number format shows
  // ("02.01.2020", "1/2/2020 10:30")
  String Text;
  double Number = 0;  // vkNumber; vkDate: the serial day, of the 1900 count (day 1: 1900-01-01)
  bool Boolean = false;

  static TOleValue OfText(const String& S) { return TOleValue{vkText, S, 0, false}; }
  static TOleValue OfNumber(double D) { return TOleValue{vkNumber, String(), D, false}; }
  static TOleValue OfBoolean(bool B) { return TOleValue{vkBoolean, String(), 0, B}; }
  static TOleValue OfDate(double Serial, const String& Shown) { return TOleValue{vkDate, Shown, Serial, false}; }
  static TOleValue Empty() { return TOleValue{vkEmpty, String(), 0, false}; }
  // The value as text: a number as FloatToStr writes it, a boolean as "True" / "False", a date as
  // its cell shows it.
  String AsText() const;
};

// A two-dimensional array of values with bounds 1 .. Rows and 1 .. Cols. Only the elements that
// were set are stored, so a large sparse range costs what it holds.
class TOleArray {
 public:
  TOleArray(Integer Rows, Integer Cols) : FRows(Rows), FCols(Cols) {}
  Integer Rows() const { return FRows; }
  Integer Cols() const { return FCols; }
  // Unassigned for an element never set or out of the bounds.
  const TOleValue& Get(Integer R, Integer C) const;
  // Raises EOleException "Array index out of bounds" outside the bounds.
  void Set(Integer R, Integer C, TOleValue V);
  // The elements that were set, row by row, each row left to right.
  const std::map<std::pair<Integer, Integer>, TOleValue>& Assigned() const { return FItems; }

 private:
  Integer FRows, FCols;
  std::map<std::pair<Integer, Integer>, TOleValue> FItems;
};

// The largest sheet: rows and columns a cell address may name.
constexpr Integer SheetMaxRows = 1048576;
constexpr Integer SheetMaxCols = 16384;
// The most characters a cell's text holds. A workbook with a longer one is refused when read (the
// text would be cut in spreadsheet programs), and such a text is refused when written.
constexpr Integer SheetMaxCellText = 32767;

// Column letters of a 1-based column: "A".."Z", "AA".."ZZ", "AAA".. ; and back (0 when the text
// holds anything but letters or names a column past the largest).
String ColumnLetters(Integer Col);
Integer ColumnOfLetters(const String& Letters);

class TWorkbook;
class TWorksheet;

namespace office {
// The file side of workbooks (SpreadsheetXlsx.cpp, SpreadsheetXls.cpp): reading a workbook file by
// its content into a book, and a book as Office Open XML bytes.
void ReadWorkbookFile(TWorkbook& Book, const String& FileName);
void ReadXlsx(TWorkbook& Book, const std::string& Bytes);
void ReadXls(TWorkbook& Book, const String& FileName);
std::string WriteXlsx(TWorkbook& Book);
}  // namespace office

// A rectangle of cells of a worksheet.
class TSheetRange {
 public:
  // The absolute A1 address: "$B$3:$D$10", "$C$5" for one cell, "$3:$5" for whole rows, "$A:$C"
  // for whole columns.
  String Address() const;
  Integer Row() const { return FTop; }
  Integer Column() const { return FLeft; }
  // The value of the first cell.
  TOleValue Value() const;
  // Every cell of the range as an array of its size; cells holding nothing stay unassigned.
  TOleArray Values() const;
  // Writes the array from the range's first cell; only the cells both cover are written. A text
  // becomes the cell's text (a date the text it shows), an unassigned or empty element empties the
  // cell. A text longer than SheetMaxCellText raises EOleException before any cell is written.
  void SetValues(const TOleArray& A);
  // Makes the first cell the sheet's active cell.
  void Select();

 private:
  friend class TWorksheet;
  TSheetRange(TWorksheet* S, Integer Top, Integer Left, Integer Bottom, Integer Right)
      : FSheet(S), FTop(Top), FLeft(Left), FBottom(Bottom), FRight(Right) {}
  TWorksheet* FSheet;
  Integer FTop, FLeft, FBottom, FRight;
};

class TWorksheet {
 public:
  String Name() const { return FName; }
  // Whether the sheet is a worksheet (a sheet of cells); a chart sheet or a dialog sheet of a book
  // read from a file is not. Only worksheets hold cells.
  bool IsWorksheet() const { return FIsWorksheet; }
  // Raises EOleException for a name Office refuses (empty, over 31 characters, one of : \ / ? * [ ],
  // or the name of another sheet of the book, compared without case).
  void SetName(const String& Value);
  // The smallest range holding every cell the sheet has; "$A$1" for an empty sheet.
  TSheetRange UsedRange();
  // A range by its A1 address ("B2", "$A$1:$C$4"); EOleException for an address that is none.
  TSheetRange Range(const String& Address);
  TSheetRange Cells(Integer Row, Integer Col);
  TSheetRange ActiveCell();
  // Makes the sheet its book's active sheet.
  void Activate();
  TWorkbook* Workbook() const { return FBook; }

  // --- storage (for the file side of this layer) ---
  struct TCell {
    TOleValue Value;
    bool Written = false;  // changed since the book was read
  };
  std::map<std::pair<Integer, Integer>, TCell>& CellMap() { return FCells; }
  void SetActiveCellPos(Integer Row, Integer Col) {
    FActiveRow = Row;
    FActiveCol = Col;
  }
  Integer ActiveRow() const { return FActiveRow; }
  Integer ActiveCol() const { return FActiveCol; }
  // The package part the sheet was read from, empty for a sheet added since.
  std::string FPart;
  bool FChanged = false;
  bool FIsWorksheet = true;

 private:
  friend class TWorkbook;
  friend class TSheetRange;
  TWorksheet(TWorkbook* Book, String Name) : FBook(Book), FName(std::move(Name)) {}
  void Store(Integer Row, Integer Col, const TOleValue& V);
  TWorkbook* FBook;
  String FName;
  std::map<std::pair<Integer, Integer>, TCell> FCells;  // by (row, column)
  Integer FActiveRow = 1, FActiveCol = 1;
};

class TSheetApplication;

class TWorkbook {
 public:
  ~TWorkbook();
  Integer SheetCount() const { return static_cast<Integer>(FSheets.size()); }
  // Sheet Index, 1-based; EOleException out of range.
  TWorksheet* Sheets(Integer Index);
  // The worksheets alone, in their order among the sheets (chart and dialog sheets left out).
  Integer WorksheetCount() const;
  // Worksheet Index, 1-based; EOleException out of range.
  TWorksheet* Worksheets(Integer Index);
  TWorksheet* ActiveSheet();
  // A new worksheet "SheetN" after the last one, made the active sheet.
  TWorksheet* AddWorksheet();
  bool Saved() const { return FSaved; }
  void SetSaved(bool Value) { FSaved = Value; }
  // The file the book was opened from or last saved to; empty for a new book.
  String FullName() const { return FFullName; }
  // Writes the book to its file (a book read from a legacy binary workbook cannot be written back:
  // EOleException). Sheets the book had keep what they held; only written cells change.
  void Save();
  // Writes the book as an Office Open XML workbook to FileName, which becomes its file.
  void SaveAs(const String& FileName);
  // Closes the book (saving it first with SaveChanges); the pointer is no longer valid.
  void Close(bool SaveChanges);

  // --- for the file side of this layer ---
  struct TImpl;
  TImpl& Impl() { return *FImpl; }
  TWorksheet* NewSheet(const String& Name);
  void SetActiveIndex(Integer Index) { FActive = Index; }
  void SetLegacy(bool Value) { FLegacy = Value; }

 private:
  friend class TWorkbooks;
  friend class TWorksheet;
  explicit TWorkbook(TSheetApplication* App);
  std::unique_ptr<TImpl> FImpl;
  TSheetApplication* FApp;
  std::vector<std::unique_ptr<TWorksheet>> FSheets;
  Integer FActive = 0;
  bool FSaved = true;
  String FFullName;
  bool FLegacy = false;
};

class TWorkbooks {
 public:
  Integer Count() const { return static_cast<Integer>(FBooks.size()); }
  TWorkbook* Item(Integer Index);  // 1-based
  // Reads a workbook file, by its content (a zip package or a legacy binary workbook), and makes it
  // the active workbook. EOleException when the file is missing or is no workbook that can be read.
  TWorkbook* Open(const String& FileName);
  // A new workbook with one empty sheet "Sheet1", made the active workbook.
  TWorkbook* Add();

 private:
  friend class TSheetApplication;
  friend class TWorkbook;
  explicit TWorkbooks(TSheetApplication* App) : FApp(App) {}
  TSheetApplication* FApp;
  std::vector<std::unique_ptr<TWorkbook>> FBooks;
};

class TSheetApplication : public std::enable_shared_from_this<TSheetApplication> {
 public:
  // A new instance; EOleSysError when the server is not available.
  static std::shared_ptr<TSheetApplication> Create();
  // The running instance this program holds (the newest), nullptr when none runs.
  static std::shared_ptr<TSheetApplication> GetActive();
  ~TSheetApplication();

  TWorkbooks& Workbooks() { return FBooks; }
  // The active workbook and its active sheet; nullptr when no workbook is open.
  TWorkbook* ActiveWorkbook();
  TWorksheet* ActiveSheet();
  // Closes every workbook without saving; the instance no longer runs.
  void Quit();
  bool Running() const { return FRunning; }

 private:
  friend class TWorkbooks;
  friend class TWorkbook;
  TSheetApplication() : FBooks(this) {}
  TWorkbooks FBooks;
  TWorkbook* FActiveBook = nullptr;
  bool FRunning = true;
};

