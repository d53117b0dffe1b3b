// The backend's printing (platform/qt/QtPrinters.cpp): the system's printers through Qt's print
// support over the system's print service, and PDF files. Qt-free. An empty printer name means the
// PDF file printer (A4, 600 pixels per inch, no margins).
#pragma once

#include <vector>

#include "platform/gui/Printers.h"

struct TCanvasRecording;

namespace PrintersBackend {

std::vector<String> PrinterNames();
// The system's default printer, empty when it names none.
String DefaultPrinterName();
// The printable area in device pixels and the resolution of a printer in an orientation
// (Orientation -1: the printer's own, 0 portrait, 1 landscape). False when the printer cannot be
// reached.
bool PageGeometry(const String& Printer, Integer Orientation, Integer& Width, Integer& Height, Integer& Dpi,
                  bool& Landscape);
// The turn the printer gives a landscape page (90 or 270).
Integer LandscapeRotation(const String& Printer);
// Prints the recorded pages (in device pixels of the printable area) as one job named Title.
// False when the output could not be made.
bool Print(const std::vector<const TCanvasRecording*>& Pages, bool Landscape, const String& Title,
           const String& Printer, const String& PdfFile);

}  // namespace PrintersBackend
