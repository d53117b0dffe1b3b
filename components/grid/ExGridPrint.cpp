// TExStringGrid: printing on the application's printer and drawing the same pages as a preview on
// any canvas. Both first count the pages (unless FastPrint), let OnPrintStart see the count and
// narrow the page range, then draw the pages of the range through the page layout.
#include <climits>
#include <cmath>

#include "components/grid/ExGridPrintInternal.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Printers.h"

namespace {

// Sets the clip of a caller's canvas to a rectangle for the time of a drawing and gives the old
// state back afterwards.
class TClipTo {
 public:
  TClipTo(TCanvas* C, const TRect& R) : FCanvas(C), FSaved(C->SaveDC()) { C->IntersectClipRect(R); }
  ~TClipTo() { FCanvas->RestoreDC(FSaved); }
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

 private:
  TCanvas* FCanvas;
  Integer FSaved;
};

}  // namespace

void TExStringGrid::SetPreviewPage(Integer Value) {
  FPrintPageFrom = Value;
  FPrintPageTo = Value;
}

// --- Entry points -------------------------------------------------------------------------------

void TExStringGrid::Print() { PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, false); }
void TExStringGrid::PrintSelection() { PrintJob(Selection(), false); }
void TExStringGrid::PrintRect(TGridRect Gridrect) { PrintJob(Gridrect, false); }
void TExStringGrid::PrintSelectedRows() { PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true); }
void TExStringGrid::PrintSelectedCols() { PrintJob(TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true); }

void TExStringGrid::PrintPreview(TCanvas* Canvas, TRect Displayrect) {
  PreviewJob(Canvas, Displayrect, false, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}
void TExStringGrid::PrintPreviewRect(TCanvas* Canvas, TRect Displayrect, TGridRect Gridrect) {
  PreviewJob(Canvas, Displayrect, false, Gridrect);
}
void TExStringGrid::PrintPreviewSelection(TCanvas* Canvas, TRect Displayrect) {
  PreviewJob(Canvas, Displayrect, false, Selection());
}
void TExStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, TRect Displayrect) {
  PreviewJob(Canvas, Displayrect, true, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}
void TExStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, TRect Displayrect) {
  PreviewJob(Canvas, Displayrect, true, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TExStringGrid::PrintDraw(TCanvas* Canvas, TRect DrawRect) {
  PrintDrawRect(Canvas, DrawRect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

// --- The print job ------------------------------------------------------------------------------

void TExStringGrid::PrintJob(TGridRect R, bool SelectedOnly) {
  EnsureFileSettings();
  TPrinter* P = Printer();
  ExportNotification(esExportStart, -1);
  FPrintRect = R;
  if (!FPrintSettings->UseDefaultOrientation()) P->SetOrientation(FPrintSettings->Orientation());
  const double Dpi = P->PixelsPerInch();
  PrevRect = TRect(0, 0, RoundInt(254.0 / Dpi * P->PageWidth()), RoundInt(254.0 / Dpi * P->PageHeight()));
  P->SetTitle(FPrintSettings->JobName());
  P->BeginDoc();

  // The printer's page in 0.1 mm from its top-left corner.
  FPrintDPI = static_cast<Integer>(Dpi);
  FPrintOrigin = TPoint(0, 0);
  FPrintOnPrinter = true;
  Integer N = INT_MAX;
  try {
    if (!FFastPrint) N = PrintLayout(P->Canvas(), 2, SelectedOnly, -1);
  } catch (...) {
    FPrintOnPrinter = false;
    P->Abort();
    throw;
  }
  FPrintPageFrom = 1;
  FPrintPageTo = N;
  FPrintPageNum = N;
  if (OnPrintStart) {
    P->Abort();
    OnPrintStart(this, N, FPrintPageFrom, FPrintPageTo);
    if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageTo < FPrintPageFrom) {
      FPrintOnPrinter = false;
      return;
    }
    P->BeginDoc();
  }
  FPrintPageNum = FPrintPageTo;
  try {
    PrintLayout(P->Canvas(), 1, SelectedOnly, N);
  } catch (...) {
    FPrintOnPrinter = false;
    // The document is ended also after an error; the error of the drawing is the one reported.
    try {
      P->EndDoc();
    } catch (...) {
    }
    throw;
  }
  FPrintOnPrinter = false;
  P->EndDoc();
  ExportNotification(esExportDone, -1);
}

// --- The preview --------------------------------------------------------------------------------

void TExStringGrid::PreviewJob(TCanvas* Canvas, TRect Displayrect, bool SelectedOnly, TGridRect R) {
  EnsureFileSettings();
  ExportNotification(esExportStart, -1);
  FPrintRect = R;
  // The page's top-left corner is the display rectangle's, at the canvas's resolution; nothing is
  // drawn outside the rectangle.
  FPrintDPI = Canvas->PixelsPerInch();
  FPrintOrigin = TPoint(Displayrect.Left, Displayrect.Top);
  FPrintOnPrinter = false;
  PrevRect = Displayrect;
  try {
    TClipTo Clip(Canvas, Displayrect);
    Integer N = 1;
    if (!FFastPrint) {
      N = PrintLayout(Canvas, 3, SelectedOnly, -1);
      FPrintPageNum = N;
    }
    Integer From = 1, To = N;
    FIsPrintPreview = true;
    if (OnPrintStart) OnPrintStart(this, N, From, To);
    if (From > 0 && To > 0 && To >= From) {
      PrevRect = Displayrect;
      PrintLayout(Canvas, 0, SelectedOnly, N);
    }
  } catch (...) {
    ExportNotification(esExportDone, -1);
    FIsPrintPreview = false;
    throw;
  }
  ExportNotification(esExportDone, -1);
  FIsPrintPreview = false;
}

void TExStringGrid::PrintDrawRect(TCanvas* Canvas, TRect DrawRect, TGridRect Gridrect) {
  EnsureFileSettings();
  FPrintRect = Gridrect;
  PrevRect = DrawRect;
  FPrintPageFrom = FPrintPageTo = FPrintPageNum = 1;
  FPrintDPI = Canvas->PixelsPerInch();
  FPrintOrigin = TPoint(DrawRect.Left, DrawRect.Top);
  FPrintOnPrinter = false;
  TClipTo Clip(Canvas, DrawRect);
  PrintLayout(Canvas, 1, false, 1);
}
