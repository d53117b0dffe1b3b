// Printing through Qt's print support: a system printer, or a PDF file.
#include <QImage>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/gui/GraphicsBackend.h"
#include "platform/gui/PrintersBackend.h"

namespace {
QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}
}  // namespace

namespace PrintersBackend {

std::vector<String> PrinterNames() {
  std::vector<String> out;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) out.push_back(FromQ(n));
  return out;
}

bool Print(const std::vector<const TBitmap*>& Pages, Integer Dpi, bool Landscape, const String& Title,
           const String& Printer, const String& PdfFile) {
  QPrinter printer(QPrinter::HighResolution);
  if (Printer.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStr(PdfFile));
  } else {
    printer.setPrinterName(QStr(Printer));
  }
  printer.setDocName(QStr(Title));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setFullPage(true);
  QPainter p;
  if (!p.begin(&printer)) return false;
  for (size_t i = 0; i < Pages.size(); ++i) {
    if (i > 0 && !printer.newPage()) return false;
    TBitmap::Image* img = Pages[i]->GetImage();
    if (!img || img->Empty()) continue;
    QImage::Format f = img->Format == pf32bit ? QImage::Format_ARGB32_Premultiplied
                       : img->Format == pf24bit ? QImage::Format_BGR888
                                                 : QImage::Format_RGB32;
    QImage q(img->Bits(), img->Width, img->Height, img->BytesPerLine, f);
    // The page image covers the page at its own resolution.
    QRectF target(0, 0, img->Width * printer.resolution() / static_cast<double>(Dpi),
                  img->Height * printer.resolution() / static_cast<double>(Dpi));
    p.drawImage(target, q);
  }
  return p.end();
}

}  // namespace PrintersBackend
