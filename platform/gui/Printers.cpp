#include "platform/gui/Printers.h"

#include "platform/gui/PrintersBackend.h"

namespace {
// A4 is 210 x 297 mm.
constexpr double kA4WidthInch = 210.0 / 25.4;
constexpr double kA4HeightInch = 297.0 / 25.4;
}  // namespace

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

Integer TPrinter::PageWidth() const {
  const double in = FOrientation == poPortrait ? kA4WidthInch : kA4HeightInch;
  return static_cast<Integer>(in * PixelsPerInch());
}

Integer TPrinter::PageHeight() const {
  const double in = FOrientation == poPortrait ? kA4HeightInch : kA4WidthInch;
  return static_cast<Integer>(in * PixelsPerInch());
}

void TPrinter::SetOrientation(TPrinterOrientation v) {
  if (FPrinting) throw EPrinter(u"Printing in progress");
  FOrientation = v;
}

void TPrinter::BeginDoc() {
  if (FPrinting) throw EPrinter(u"Printing in progress");
  FPages.clear();
  FPrinting = true;
  FAborted = false;
  NewPage();
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter(u"Printer is not currently printing");
  auto page = std::make_unique<TBitmap>(PageWidth(), PageHeight());
  page->Canvas()->Brush()->SetColor(clWhite);
  page->Canvas()->FillRect(Rect(0, 0, page->Width(), page->Height()));
  FPages.push_back(std::move(page));
}

TCanvas* TPrinter::Canvas() {
  if (!FPrinting || FPages.empty()) throw EPrinter(u"Printer is not currently printing");
  return FPages.back()->Canvas();
}

void TPrinter::Abort() {
  FPages.clear();
  FPrinting = false;
  FAborted = true;
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter(u"Printer is not currently printing");
  FPrinting = false;
  std::vector<const TBitmap*> pages;
  for (auto& p : FPages) pages.push_back(p.get());
  String printer;
  TStrings* names = Printers();
  const Integer pdf = names->Count() - 1;
  if (FPrinterIndex >= 0 && FPrinterIndex < pdf) printer = names->Get(FPrinterIndex);
  if (FPrinterIndex < 0 && pdf > 0) printer = names->Get(0);
  String file = FFileName.empty() ? (FTitle.empty() ? String(u"document") : FTitle) + u".pdf" : FFileName;
  const bool ok = PrintersBackend::Print(pages, PixelsPerInch(), FOrientation == poLandscape, FTitle, printer, file);
  FPages.clear();
  if (!ok) throw EPrinter(u"Cannot write the printed document \"" + (printer.empty() ? file : printer) + u"\"");
}

TStrings* TPrinter::Printers() {
  if (!FPrinters) {
    FPrinters = std::make_unique<TStringList>();
    for (const String& n : PrintersBackend::PrinterNames()) FPrinters->Add(n);
    FPrinters->Add(u"PDF");
  }
  return FPrinters.get();
}

void TPrinter::SetPrinterIndex(Integer v) {
  if (v < -1 || v >= Printers()->Count()) throw EPrinter(u"Printer selected is not valid");
  FPrinterIndex = v;
}

TPrinter* Printer() {
  static TPrinter p;
  return &p;
}
