#include "platform/gui/Printers.h"

#include "platform/gui/Dialogs.h"
#include "platform/gui/GraphicsBackend.h"
#include "platform/gui/PrintersBackend.h"

const String PrintToFileName = u"PDF";

// A page: its recording and the canvas drawing into it.
struct TPrinter::TPage {
  TCanvasRecording Recording;
  TCanvas Canvas;
  explicit TPage(TSize Size) {
    Recording.Size = Size;
    auto S = std::make_unique<TCanvas::Surface>();
    S->Recording = &Recording;
    Canvas.SetSurface(std::move(S));
  }
};

namespace {

void RaiseNotPrinting() { throw EPrinter(u"Printer is not currently printing"); }

// The file name a job suggests: its title without any folder part, with ".pdf".
String SuggestedFileName(const String& Title) {
  String Name = Title;
  const size_t Slash = Name.find_last_of(u"/\\");
  if (Slash != String::npos) Name.erase(0, Slash + 1);
  while (!Name.empty() && Name[0] == u'.') Name.erase(0, 1);
  if (Name.empty()) Name = u"document";
  return Name + u".pdf";
}

}  // namespace

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

TStrings* TPrinter::Printers() {
  if (!FPrinters) {
    FPrinters = std::make_unique<TStringList>();
    for (const String& n : PrintersBackend::PrinterNames()) FPrinters->Add(n);
    FPrinters->Add(PrintToFileName);
  }
  return FPrinters.get();
}

void TPrinter::SetPrinterIndex(Integer v) {
  if (FPrinting) throw EPrinter(u"Printing in progress");
  if (v < -1 || v >= Printers()->Count()) throw EPrinter(u"Printer selected is not valid");
  if (v != FPrinterIndex) FOrientationSet = false;
  FPrinterIndex = v;
}

String TPrinter::PrinterName() {
  TStrings* Names = Printers();
  const Integer FileIndex = Names->Count() - 1;
  if (FPrinterIndex >= 0) return FPrinterIndex == FileIndex ? String() : Names->Get(FPrinterIndex);
  // The default printer: the system's, else its first one; never a file.
  String Name = PrintersBackend::DefaultPrinterName();
  if (Name.empty() && FileIndex > 0) Name = Names->Get(0);
  if (Name.empty()) throw EPrinter(u"There is no default printer currently selected");
  return Name;
}

const TPrinter::TGeometry& TPrinter::Geometry() {
  const String Name = PrinterName();
  const Integer Wanted = FOrientationSet ? static_cast<Integer>(FOrientation) : -1;
  if (Name != FGeometryPrinter || Wanted != FGeometryOrientation || FGeometry.Dpi == 0) {
    TGeometry G;
    if (!PrintersBackend::PageGeometry(Name, Wanted, G.Width, G.Height, G.Dpi, G.Landscape) || G.Dpi <= 0)
      throw EPrinter(u"Printer \"" + Name + u"\" cannot be reached");
    FGeometry = G;
    FGeometryPrinter = Name;
    FGeometryOrientation = Wanted;
  }
  return FGeometry;
}

Integer TPrinter::PageWidth() { return Geometry().Width; }
Integer TPrinter::PageHeight() { return Geometry().Height; }
Integer TPrinter::PixelsPerInch() { return Geometry().Dpi; }

TPrinterOrientation TPrinter::Orientation() {
  if (FOrientationSet) return FOrientation;
  return Geometry().Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation v) {
  if (FPrinting) throw EPrinter(u"Printing in progress");
  FOrientation = v;
  FOrientationSet = true;
}

Integer TPrinter::LandscapeRotation() { return PrintersBackend::LandscapeRotation(PrinterName()); }

void TPrinter::BeginDoc() {
  if (FPrinting) throw EPrinter(u"Printing in progress");
  Geometry();  // raises when there is no printer
  FPages.clear();
  FPrinting = true;
  FAborted = false;
  NewPage();
}

void TPrinter::NewPage() {
  if (!FPrinting) RaiseNotPrinting();
  const TGeometry& G = Geometry();
  FPages.push_back(std::make_unique<TPage>(TSize(G.Width, G.Height)));
}

TCanvas* TPrinter::Canvas() {
  if (!FPrinting || FPages.empty()) RaiseNotPrinting();
  return &FPages.back()->Canvas;
}

void TPrinter::Abort() {
  FPages.clear();
  FPrinting = false;
  FAborted = true;
}

void TPrinter::EndDoc() {
  if (!FPrinting) RaiseNotPrinting();
  FPrinting = false;
  std::vector<std::unique_ptr<TPage>> Pages = std::move(FPages);
  FPages.clear();
  const String Name = PrinterName();
  const bool Landscape = Geometry().Landscape;
  String File;
  if (Name.empty()) {
    // Printing to a file: the user chooses it, and is asked before a file is replaced.
    TSaveDialog Dialog(nullptr);
    Dialog.Title = u"Print to File";
    Dialog.Filter = u"PDF files (*.pdf)|*.pdf";
    Dialog.DefaultExt = u"pdf";
    Dialog.FileName = SuggestedFileName(FTitle);
    Dialog.Options |= ofOverwritePrompt;
    if (!Dialog.Execute()) {
      FAborted = true;
      return;
    }
    File = Dialog.FileName;
  }
  std::vector<const TCanvasRecording*> Out;
  for (auto& P : Pages) Out.push_back(&P->Recording);
  if (!PrintersBackend::Print(Out, Landscape, FTitle, Name, File))
    throw EPrinter(u"Cannot print the document on \"" + (Name.empty() ? File : Name) + u"\"");
}

TPrinter* Printer() {
  static TPrinter p;
  return &p;
}
