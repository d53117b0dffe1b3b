// Fuzz entry point of the workbook reader: bytes as a workbook package, read and written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/office/Spreadsheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  auto App = TSheetApplication::Create();
  TWorkbook* Book = App->Workbooks().Add();
  try {
    // The book starts with the sheet Add made; the reader's sheets follow it.
    office::ReadXlsx(*Book, std::string(reinterpret_cast<const char*>(Data), Size));
    for (Integer I = 1; I <= Book->SheetCount(); ++I) {
      TWorksheet* S = Book->Sheets(I);
      S->UsedRange().Values();
      TOleArray A(1, 1);
      A.Set(1, 1, TOleValue::OfText(u"x"));
      S->Range(u"B2").SetValues(A);
    }
    Book->AddWorksheet();
    office::WriteXlsx(*Book);
  } catch (const Exception&) {
  }
  App->Quit();
  return 0;
}
