// The printer: pages drawn on a canvas and sent, on EndDoc, to a printer of the system or, when
// there is none or "PDF" is chosen, to a PDF file.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

KP_DECLARE_EXCEPTION(EPrinter, Exception)

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
 public:
  TPrinter();
  ~TPrinter() override;
  String ClassName() const override { return u"TPrinter"; }

  // Starts a document with an empty first page. Raises EPrinter while printing already.
  void BeginDoc();
  // Sends the pages. Raises EPrinter when not printing or when the output cannot be written.
  void EndDoc();
  // Drops the document.
  void Abort();
  void NewPage();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  Integer PageNumber() const { return static_cast<Integer>(FPages.size()); }

  // The canvas of the current page (valid between BeginDoc and EndDoc).
  TCanvas* Canvas();
  // The page in pixels at PixelsPerInch (A4 less no margin).
  Integer PageWidth() const;
  Integer PageHeight() const;
  Integer PixelsPerInch() const { return 150; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  // Raises EPrinter while printing.
  void SetOrientation(TPrinterOrientation v);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }

  // The printers of the system, then "PDF".
  TStrings* Printers();
  Integer PrinterIndex() const { return FPrinterIndex; }
  // -1 chooses the default printer (PDF when the system has none).
  void SetPrinterIndex(Integer v);
  // The PDF file written when printing to PDF; empty: Title + ".pdf" in the current folder.
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& v) { FFileName = v; }

 private:
  std::vector<std::unique_ptr<TBitmap>> FPages;
  bool FPrinting = false;
  bool FAborted = false;
  TPrinterOrientation FOrientation = poPortrait;
  String FTitle;
  String FFileName;
  Integer FPrinterIndex = -1;
  std::unique_ptr<TStringList> FPrinters;
};

// The application's printer.
TPrinter* Printer();
