// The printer: the system's printers through its print service, and a print-to-file printer.
// Pages are drawn on a canvas that keeps what is drawn as shapes, text and pictures, so the page
// reaches the printer as vector output at the printer's own resolution.
#pragma once

#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

KP_DECLARE_EXCEPTION(EPrinter, Exception)

enum TPrinterOrientation { poPortrait, poLandscape };

// The name of the print-to-file printer, last in the printer list: its output is a PDF file the
// user chooses in a save dialog when the document ends.
extern const String PrintToFileName;

class TPrinter : public TObject {
 public:
  TPrinter();
  ~TPrinter() override;
  String ClassName() const override { return u"TPrinter"; }

  // Starts a document with an empty first page. Raises EPrinter while printing already, and when
  // no printer is chosen and the system has none ("There is no default printer currently
  // selected").
  void BeginDoc();
  // Sends the pages to the printer. The print-to-file printer first asks for the file (a save
  // dialog that asks before replacing a file); when the user cancels, nothing is written and the
  // document counts as aborted. Raises EPrinter when not printing or when the output fails.
  void EndDoc();
  // Drops the document.
  void Abort();
  void NewPage();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  Integer PageNumber() const { return static_cast<Integer>(FPages.size()); }

  // The canvas of the current page (valid between BeginDoc and EndDoc).
  TCanvas* Canvas();
  // The printable area of the page in device pixels and the device's resolution, as the printer
  // reports them for the orientation in use. Raise EPrinter without a printer.
  Integer PageWidth();
  Integer PageHeight();
  Integer PixelsPerInch();
  // The orientation: the printer's own until one is set. Setting raises EPrinter while printing.
  TPrinterOrientation Orientation();
  void SetOrientation(TPrinterOrientation v);
  // The turn the printer gives a landscape page: 90 or 270 degrees.
  Integer LandscapeRotation();
  const String& Title() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }

  // The printers of the system, then the print-to-file printer.
  TStrings* Printers();
  Integer PrinterIndex() const { return FPrinterIndex; }
  // -1 chooses the system's default printer. Raises EPrinter for an index outside the list or
  // while printing.
  void SetPrinterIndex(Integer v);

 private:
  struct TPage;
  struct TGeometry {
    Integer Width = 0, Height = 0, Dpi = 0;
    bool Landscape = false;
  };
  // The printer in use (empty: the print-to-file printer); raises EPrinter when there is none.
  String PrinterName();
  const TGeometry& Geometry();
  std::vector<std::unique_ptr<TPage>> FPages;
  bool FPrinting = false;
  bool FAborted = false;
  bool FOrientationSet = false;
  TPrinterOrientation FOrientation = poPortrait;
  String FTitle;
  Integer FPrinterIndex = -1;
  std::unique_ptr<TStringList> FPrinters;
  // The page of the printer and orientation last asked for.
  String FGeometryPrinter;
  Integer FGeometryOrientation = -2;
  TGeometry FGeometry;
};

// The application's printer.
TPrinter* Printer();
