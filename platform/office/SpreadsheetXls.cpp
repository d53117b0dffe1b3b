// Legacy binary workbooks (.xls), read through FreeXL: every worksheet with its cells. Such a book
// can be changed and saved under a new name as an Office Open XML workbook, not written back.
#include <freexl.h>

#include "platform/office/SheetFormats.h"
#include "platform/office/SpreadsheetImpl.h"

namespace office {

namespace {

// A date cell. FreeXL tells a date, a date and time or a time apart by the cell's format, but
// hands over neither the format nor the number: only ISO text. The cell shows that text, made by
// the date formats of the workbook reader from the day it names; text that names no day stays.
TOleValue DateValue(const FreeXL_CellValue& V) {
  const String Text = V.value.text_value ? Utf8ToString(V.value.text_value) : String();
  static const TDateFormat Date(u"yyyy-mm-dd"), DateTime(u"yyyy-mm-dd hh:mm:ss"), Time(u"hh:mm:ss");
  const TDateFormat& F = V.type == FREEXL_CELL_DATE ? Date : V.type == FREEXL_CELL_DATETIME ? DateTime : Time;
  double Serial;
  String Shown;
  if (IsoDateSerial(Text, Serial) && F.Format(Serial, 0, Shown)) return TOleValue::OfDate(Serial, Shown);
  return TOleValue::OfText(Text);
}

struct TXlsHandle {
  const void* H = nullptr;
  ~TXlsHandle() {
    if (H) freexl_close(H);
  }
};
}  // namespace

void ReadXls(TWorkbook& Book, const String& FileName) {
  TXlsHandle X;
  const String Msg = u"no workbook";
  if (freexl_open(StringToUtf8(FileName).c_str(), &X.H) != FREEXL_OK) throw EOleException(Msg);
  unsigned int Info = 0;
  if (freexl_get_info(X.H, FREEXL_BIFF_PASSWORD, &Info) != FREEXL_OK || Info == FREEXL_BIFF_OBFUSCATED)
    throw EOleException(Msg);
  unsigned int Count = 0;
  if (freexl_get_info(X.H, FREEXL_BIFF_SHEET_COUNT, &Count) != FREEXL_OK || Count == 0) throw EOleException(Msg);
  for (unsigned int S = 0; S < Count && S < 65536; ++S) {
    const char* Name = nullptr;
    if (freexl_get_worksheet_name(X.H, static_cast<unsigned short>(S), &Name) != FREEXL_OK || !Name)
      throw EOleException(Msg);
    TWorksheet* Sheet = Book.NewSheet(Utf8ToString(Name));
    unsigned int Rows = 0;
    unsigned short Cols = 0;
    if (freexl_select_active_worksheet(X.H, static_cast<unsigned short>(S)) != FREEXL_OK ||
        freexl_worksheet_dimensions(X.H, &Rows, &Cols) != FREEXL_OK)
      throw EOleException(Msg);
    if (Rows > static_cast<unsigned int>(SheetMaxRows) || Cols > SheetMaxCols) throw EOleException(Msg);
    auto& Cells = Sheet->CellMap();
    for (unsigned int R = 0; R < Rows; ++R)
      for (unsigned short C = 0; C < Cols; ++C) {
        FreeXL_CellValue V;
        if (freexl_get_cell_value(X.H, R, C, &V) != FREEXL_OK) throw EOleException(Msg);
        TOleValue O;
        switch (V.type) {
          case FREEXL_CELL_INT:
            O = TOleValue::OfNumber(V.value.int_value);
            break;
          case FREEXL_CELL_DOUBLE:
            O = TOleValue::OfNumber(V.value.double_value);
            break;
          case FREEXL_CELL_TEXT:
          case FREEXL_CELL_SST_TEXT:
            O = TOleValue::OfText(V.value.text_value ? Utf8ToString(V.value.text_value) : String());
            break;
          case FREEXL_CELL_DATE:
          case FREEXL_CELL_DATETIME:
          case FREEXL_CELL_TIME:
            O = DateValue(V);
            break;
          default:
            continue;
        }
        Cells[{static_cast<Integer>(R) + 1, static_cast<Integer>(C) + 1}].Value = O;
      }
  }
  Book.SetLegacy(true);
}

}  // namespace office
