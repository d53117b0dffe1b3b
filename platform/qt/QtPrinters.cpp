// Printing through Qt's print support: the system's printers (over its print service) and PDF
// files. Pages come as recordings in device pixels of the printable area and are painted as
// vector output.
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/gui/GraphicsBackend.h"
#include "platform/gui/PrintersBackend.h"
#include "platform/qt/QtGraphicsBridge.h"

namespace {

QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

// Sets a printer up: the named printer with its own page, or the PDF file printer (A4 at 600
// pixels per inch without margins); Orientation -1 keeps the printer's own.
void SetUp(QPrinter& P, const String& Printer, Integer Orientation, const String& PdfFile) {
  if (Printer.empty()) {
    P.setOutputFormat(QPrinter::PdfFormat);
    P.setOutputFileName(QStr(PdfFile));
    P.setResolution(600);
    P.setPageSize(QPageSize(QPageSize::A4));
    P.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  } else {
    P.setPrinterName(QStr(Printer));
  }
  if (Orientation >= 0) P.setPageOrientation(Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
  P.setFullPage(false);
}

}  // namespace

namespace PrintersBackend {

std::vector<String> PrinterNames() {
  std::vector<String> out;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) out.push_back(FromQ(n));
  return out;
}

String DefaultPrinterName() { return FromQ(QPrinterInfo::defaultPrinterName()); }

bool PageGeometry(const String& Printer, Integer Orientation, Integer& Width, Integer& Height, Integer& Dpi,
                  bool& Landscape) {
  QPrinter P(QPrinter::HighResolution);
  SetUp(P, Printer, Orientation, String());
  if (!Printer.empty() && !P.isValid()) return false;
  const QRect Area = P.pageLayout().paintRectPixels(P.resolution());
  Width = Area.width();
  Height = Area.height();
  Dpi = P.resolution();
  Landscape = P.pageLayout().orientation() == QPageLayout::Landscape;
  return Width > 0 && Height > 0;
}

// Qt turns a landscape page itself before the job reaches the print service, a quarter turn
// counter-clockwise, whatever the driver would do; that is the turn every printer shows here.
Integer LandscapeRotation(const String&) { return 90; }

bool Print(const std::vector<const TCanvasRecording*>& Pages, bool Landscape, const String& Title,
           const String& Printer, const String& PdfFile) {
  QPrinter P(QPrinter::HighResolution);
  SetUp(P, Printer, Landscape ? 1 : 0, PdfFile);
  P.setDocName(QStr(Title));
  if (!Printer.empty() && !P.isValid()) return false;
  QPainter Painter;
  if (!Painter.begin(&P)) return false;
  for (size_t i = 0; i < Pages.size(); ++i) {
    if (i > 0 && !P.newPage()) {
      Painter.end();
      return false;
    }
    QtGraphicsBridge::PaintRecording(Painter, *Pages[i]);
  }
  return Painter.end();
}

}  // namespace PrintersBackend
