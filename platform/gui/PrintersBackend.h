// The backend's printing (platform/qt/QtPrinters.cpp). Qt-free.
#pragma once

#include <vector>

#include "platform/gui/Printers.h"

namespace PrintersBackend {

std::vector<String> PrinterNames();
// Prints the pages (each at Dpi pixels per inch) to the named printer, or to a PDF file when
// Printer is empty. False when the output could not be written.
bool Print(const std::vector<const TBitmap*>& Pages, Integer Dpi, bool Landscape, const String& Title,
           const String& Printer, const String& PdfFile);

}  // namespace PrintersBackend
