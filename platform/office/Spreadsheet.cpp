#include "platform/office/Spreadsheet.h"

#include <algorithm>
#include <cmath>

#include "platform/office/SpreadsheetImpl.h"

// ---- values -----------------------------------------------------------------------------------

String TOleValue::AsText() const {
  switch (Kind) {
    case vkText:
    case vkError:
    case vkDate:
      return Text;
    case vkNumber:
      return FloatToStr(Number);
    case vkBoolean:
      return Boolean ? u"True" : u"False";
    default:
      return String();
  }
}

const TOleValue& TOleArray::Get(Integer R, Integer C) const {
  static const TOleValue Unassigned;
  auto It = FItems.find({R, C});
  return It == FItems.end() ? Unassigned : It->second;
}

void TOleArray::Set(Integer R, Integer C, TOleValue V) {
  if (R < 1 || R > FRows || C < 1 || C > FCols) throw EOleException(u"Array index out of bounds");
  FItems[{R, C}] = std::move(V);
}

// ---- addresses --------------------------------------------------------------------------------

String ColumnLetters(Integer Col) {
  String S;
  while (Col > 0) {
    const Integer D = (Col - 1) % 26;
    S.insert(S.begin(), static_cast<Char>(u'A' + D));
    Col = (Col - 1) / 26;
  }
  return S;
}

Integer ColumnOfLetters(const String& Letters) {
  if (Letters.empty() || Letters.size() > 3) return 0;
  Integer N = 0;
  for (Char C : Letters) {
    if (C >= u'a' && C <= u'z') C = static_cast<Char>(C - u'a' + u'A');
    if (C < u'A' || C > u'Z') return 0;
    N = N * 26 + (C - u'A' + 1);
  }
  return N <= SheetMaxCols ? N : 0;
}

namespace {

// One end of an address: "$B$3", "B3", "B", "3". Row or column stays 0 when the part has none.
bool ParseEnd(String P, Integer& Row, Integer& Col) {
  Row = Col = 0;
  String Letters, Digits;
  size_t I = 0;
  if (I < P.size() && P[I] == u'$') ++I;
  while (I < P.size() && ((P[I] >= u'A' && P[I] <= u'Z') || (P[I] >= u'a' && P[I] <= u'z'))) Letters += P[I++];
  if (I < P.size() && P[I] == u'$' && !Letters.empty()) ++I;
  while (I < P.size() && P[I] >= u'0' && P[I] <= u'9') Digits += P[I++];
  if (I != P.size() || (Letters.empty() && Digits.empty()) || Digits.size() > 7) return false;
  if (!Letters.empty() && (Col = ColumnOfLetters(Letters)) == 0) return false;
  if (!Digits.empty()) {
    Row = std::stoi(StringToUtf8(Digits));
    if (Row < 1 || Row > SheetMaxRows) return false;
  }
  return true;
}

}  // namespace

// ---- ranges -----------------------------------------------------------------------------------

String TSheetRange::Address() const {
  const bool WholeCols = FTop == 1 && FBottom == SheetMaxRows;
  const bool WholeRows = FLeft == 1 && FRight == SheetMaxCols;
  if (WholeRows && !WholeCols) return u"$" + IntToStr(FTop) + u":$" + IntToStr(FBottom);
  if (WholeCols && !WholeRows) return u"$" + ColumnLetters(FLeft) + u":$" + ColumnLetters(FRight);
  const String First = u"$" + ColumnLetters(FLeft) + u"$" + IntToStr(FTop);
  if (FTop == FBottom && FLeft == FRight) return First;
  return First + u":$" + ColumnLetters(FRight) + u"$" + IntToStr(FBottom);
}

TOleValue TSheetRange::Value() const {
  auto& Cells = FSheet->FCells;
  auto It = Cells.find({FTop, FLeft});
  return It == Cells.end() ? TOleValue::Empty() : It->second.Value;
}

TOleArray TSheetRange::Values() const {
  TOleArray A(FBottom - FTop + 1, FRight - FLeft + 1);
  auto& Cells = FSheet->FCells;
  // Visits only the stored cells inside the range, skipping the parts of rows outside it.
  auto It = Cells.lower_bound({FTop, FLeft});
  while (It != Cells.end() && It->first.first <= FBottom) {
    const auto [R, C] = It->first;
    if (C < FLeft) {
      It = Cells.lower_bound({R, FLeft});
      continue;
    }
    if (C > FRight) {
      It = Cells.lower_bound({R + 1, FLeft});
      continue;
    }
    const TOleValue& V = It->second.Value;
    if (V.Kind != TOleValue::vkEmpty && V.Kind != TOleValue::vkUnassigned) A.Set(R - FTop + 1, C - FLeft + 1, V);
    ++It;
  }
  return A;
}

void TSheetRange::SetValues(const TOleArray& A) {
  const Integer Rows = std::min(A.Rows(), FBottom - FTop + 1);
  const Integer Cols = std::min(A.Cols(), FRight - FLeft + 1);
  for (const auto& [Pos, V] : A.Assigned())
    if (V.Kind == TOleValue::vkText && V.Text.size() > static_cast<size_t>(SheetMaxCellText) && Pos.first <= Rows &&
        Pos.second <= Cols)
      throw EOleException(u"The text for the cell " + ColumnLetters(FLeft + Pos.second - 1) +
                          IntToStr(FTop + Pos.first - 1) + u" holds " + IntToStr(static_cast<Int64>(V.Text.size())) +
                          u" characters, more than the " + IntToStr(SheetMaxCellText) + u" a cell holds");
  for (Integer R = 1; R <= Rows; ++R)
    for (Integer C = 1; C <= Cols; ++C) FSheet->Store(FTop + R - 1, FLeft + C - 1, A.Get(R, C));
}

void TSheetRange::Select() { FSheet->SetActiveCellPos(FTop, FLeft); }

// ---- worksheets -------------------------------------------------------------------------------

void TWorksheet::SetName(const String& Value) {
  bool Bad = Value.empty() || Value.size() > 31 || Value.front() == u'\'' || Value.back() == u'\'';
  for (Char C : Value)
    if (C == u':' || C == u'\\' || C == u'/' || C == u'?' || C == u'*' || C == u'[' || C == u']') Bad = true;
  if (Bad) throw EOleException(u"The sheet name \"" + Value + u"\" is not valid");
  for (Integer I = 1; I <= FBook->SheetCount(); ++I) {
    TWorksheet* S = FBook->Sheets(I);
    if (S != this && SameText(S->Name(), Value))
      throw EOleException(u"The sheet name \"" + Value + u"\" is already taken");
  }
  if (FName != Value) FChanged = true;
  FName = Value;
  FBook->FSaved = false;
}

TSheetRange TWorksheet::UsedRange() {
  Integer Top = 0, Bottom = 0, Left = 0, Right = 0;
  for (const auto& [Pos, Cell] : FCells) {
    if (Top == 0) Top = Pos.first, Left = Pos.second, Right = Pos.second;
    Bottom = Pos.first;
    Left = std::min(Left, Pos.second);
    Right = std::max(Right, Pos.second);
  }
  if (Top == 0) return TSheetRange(this, 1, 1, 1, 1);
  return TSheetRange(this, Top, Left, Bottom, Right);
}

TSheetRange TWorksheet::Range(const String& Address) {
  const size_t Colon = Address.find(u':');
  Integer R1, C1, R2, C2;
  const bool Ok = Colon == String::npos
                      ? ParseEnd(Address, R1, C1) && R1 > 0 && C1 > 0 && (R2 = R1, C2 = C1, true)
                      : ParseEnd(Address.substr(0, Colon), R1, C1) && ParseEnd(Address.substr(Colon + 1), R2, C2);
  // Both ends name a cell, or both only rows, or both only columns.
  if (!Ok || (R1 == 0) != (R2 == 0) || (C1 == 0) != (C2 == 0))
    throw EOleException(u"The address \"" + Address + u"\" names no range");
  if (C1 == 0) C1 = 1, C2 = SheetMaxCols;
  if (R1 == 0) R1 = 1, R2 = SheetMaxRows;
  return TSheetRange(this, std::min(R1, R2), std::min(C1, C2), std::max(R1, R2), std::max(C1, C2));
}

TSheetRange TWorksheet::Cells(Integer Row, Integer Col) {
  if (Row < 1 || Row > SheetMaxRows || Col < 1 || Col > SheetMaxCols)
    throw EOleException(u"The cell (" + IntToStr(Row) + u", " + IntToStr(Col) + u") lies outside the sheet");
  return TSheetRange(this, Row, Col, Row, Col);
}

TSheetRange TWorksheet::ActiveCell() { return Cells(FActiveRow, FActiveCol); }

void TWorksheet::Activate() {
  for (Integer I = 0; I < FBook->SheetCount(); ++I)
    if (FBook->FSheets[static_cast<size_t>(I)].get() == this) FBook->FActive = I;
}

void TWorksheet::Store(Integer Row, Integer Col, const TOleValue& V) {
  const bool Clear = V.Kind == TOleValue::vkUnassigned || V.Kind == TOleValue::vkEmpty ||
                     (V.Kind == TOleValue::vkText && V.Text.empty());
  auto It = FCells.find({Row, Col});
  if (Clear && It == FCells.end()) return;
  TCell& C = FCells[{Row, Col}];
  C.Value = Clear ? TOleValue::Empty() : V;
  C.Written = true;
  FChanged = true;
  FBook->FSaved = false;
}

// ---- workbooks --------------------------------------------------------------------------------

TWorkbook::TWorkbook(TSheetApplication* App) : FImpl(std::make_unique<TImpl>()), FApp(App) {}
TWorkbook::~TWorkbook() = default;

TWorksheet* TWorkbook::Sheets(Integer Index) {
  if (Index < 1 || Index > SheetCount()) throw EOleException(u"The workbook has no sheet " + IntToStr(Index));
  return FSheets[static_cast<size_t>(Index - 1)].get();
}

Integer TWorkbook::WorksheetCount() const {
  return static_cast<Integer>(std::count_if(FSheets.begin(), FSheets.end(), [](const auto& S) { return S->IsWorksheet(); }));
}

TWorksheet* TWorkbook::Worksheets(Integer Index) {
  Integer N = 0;
  for (auto& S : FSheets)
    if (S->IsWorksheet() && ++N == Index) return S.get();
  throw EOleException(u"The workbook has no worksheet " + IntToStr(Index));
}

TWorksheet* TWorkbook::ActiveSheet() {
  if (FSheets.empty()) return nullptr;
  return FSheets[static_cast<size_t>(std::clamp<Integer>(FActive, 0, SheetCount() - 1))].get();
}

TWorksheet* TWorkbook::NewSheet(const String& Name) {
  FSheets.push_back(std::unique_ptr<TWorksheet>(new TWorksheet(this, Name)));
  return FSheets.back().get();
}

TWorksheet* TWorkbook::AddWorksheet() {
  Integer N = SheetCount() + 1;
  auto Taken = [this](const String& Name) {
    for (auto& S : FSheets)
      if (SameText(S->Name(), Name)) return true;
    return false;
  };
  while (Taken(u"Sheet" + IntToStr(N))) ++N;
  TWorksheet* S = NewSheet(u"Sheet" + IntToStr(N));
  S->FChanged = true;
  FActive = SheetCount() - 1;
  FSaved = false;
  return S;
}

void TWorkbook::Save() {
  if (FFullName.empty()) throw EOleException(u"The workbook has no file to be saved to");
  if (FLegacy)
    throw EOleException(u"The workbook \"" + FFullName +
                        u"\" is a legacy binary workbook, which can be read but not written");
  SaveAs(FFullName);
}

void TWorkbook::SaveAs(const String& FileName) {
  const std::string Bytes = office::WriteXlsx(*this);
  try {
    WriteFileBytes(FileName, Bytes);
  } catch (const Exception& E) {
    throw EOleException(E.Message());
  }
  FFullName = FileName;
  FLegacy = false;
  FSaved = true;
  for (auto& S : FSheets)
    for (auto& [Pos, Cell] : S->FCells) Cell.Written = false;
}

void TWorkbook::Close(bool SaveChanges) {
  if (SaveChanges && !FSaved) Save();
  TWorkbooks& Books = FApp->FBooks;
  for (auto It = Books.FBooks.begin(); It != Books.FBooks.end(); ++It)
    if (It->get() == this) {
      std::unique_ptr<TWorkbook> Keep = std::move(*It);
      Books.FBooks.erase(It);
      if (FApp->FActiveBook == this) FApp->FActiveBook = Books.FBooks.empty() ? nullptr : Books.FBooks.back().get();
      return;  // Keep frees the book here
    }
}

TWorkbook* TWorkbooks::Item(Integer Index) {
  if (Index < 1 || Index > Count()) throw EOleException(u"There is no workbook " + IntToStr(Index));
  return FBooks[static_cast<size_t>(Index - 1)].get();
}

TWorkbook* TWorkbooks::Open(const String& FileName) {
  std::unique_ptr<TWorkbook> Book(new TWorkbook(FApp));
  office::ReadWorkbookFile(*Book, FileName);
  Book->FFullName = FileName;
  Book->FSaved = true;
  FBooks.push_back(std::move(Book));
  FApp->FActiveBook = FBooks.back().get();
  return FApp->FActiveBook;
}

TWorkbook* TWorkbooks::Add() {
  std::unique_ptr<TWorkbook> Book(new TWorkbook(FApp));
  Book->NewSheet(u"Sheet1")->FChanged = true;
  FBooks.push_back(std::move(Book));
  FApp->FActiveBook = FBooks.back().get();
  return FApp->FActiveBook;
}

// ---- the application --------------------------------------------------------------------------

std::shared_ptr<TSheetApplication> TSheetApplication::Create() {
  CheckOleServer(ProgIdSpreadsheet);
  std::shared_ptr<TSheetApplication> App(new TSheetApplication());
  TRunningObjects<TSheetApplication>::Add(App);
  return App;
}

std::shared_ptr<TSheetApplication> TSheetApplication::GetActive() {
  return TRunningObjects<TSheetApplication>::Newest();
}

TSheetApplication::~TSheetApplication() { TRunningObjects<TSheetApplication>::Remove(this); }

TWorkbook* TSheetApplication::ActiveWorkbook() { return FActiveBook; }

TWorksheet* TSheetApplication::ActiveSheet() { return FActiveBook ? FActiveBook->ActiveSheet() : nullptr; }

void TSheetApplication::Quit() {
  FActiveBook = nullptr;
  FBooks.FBooks.clear();
  FRunning = false;
  TRunningObjects<TSheetApplication>::Remove(this);
}
