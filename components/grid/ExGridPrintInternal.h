// The page layout of the string grid's printing and preview, internal to components/grid.
//
// Print coordinates are tenths of a millimetre with y growing upwards: the top edge of a page is
// y = 0 and its rows have negative y. The canvas itself draws in device pixels; the layout maps a
// logical point (x, y) to the pixel (Org.X + x * Scale, Org.Y - y * Scale), Scale being the
// device's pixels per inch / 254. Font heights are given in 0.1 mm (MapFontHeight) and set on the
// canvas in pixels.
#pragma once

#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridPrintSettings.h"

class TGridPrintLayout {
 public:
  // Mode: 0 draw a preview, 1 draw, 2 count the pages of a print, 3 of a preview. TotalPages is the
  // count of the count pass (-1 in the count pass itself).
  TGridPrintLayout(TExStringGrid* AGrid, TCanvas* ACanvas, Integer AMode, bool ASelectedOnly, Integer ATotalPages);
  // Lays out (and in the drawing modes draws) the pages; answers their number.
  Integer Run();

  // --- Cell steps (ExGridPrintCell.cpp) ------------------------------------------------------------
  // The size of a cell (real column, row) in 0.1 mm.
  TPoint MeasurePrintCell(Integer RCol, Integer ARow);
  Integer GetPrintRowHeight(Integer ARow);
  // The font turn (tenths of a degree) of a cell rotated by Angle degrees: DriverFix holds when the
  // grid's PrinterDriverFix applies (printing on the printer), LandscapeRotation is the printer's.
  static Integer PrintEscapement(Integer Angle, bool DriverFix, Integer LandscapeRotation);
  // Draws the columns FromCol .. ToCol of a row whose top is at Y; answers the height it takes.
  Integer PrintRow(Integer Y, Integer FromCol, Integer ToCol, Integer ARow);

 private:
  // --- Mapping and text --------------------------------------------------------------------------
  Integer DX(Integer X) const;
  Integer DY(Integer Y) const;
  TRect DevRect(Integer L, Integer T, Integer R, Integer B) const;
  Integer ToLogical(Integer Pixels) const;
  // Loads Font into the canvas with its height mapped for the print (fit factor included).
  void SelectFont(const TFont* Font);
  Integer TextWidth(const String& S);
  Integer TextHeight(const String& S);
  void TextAt(Integer X, Integer Y, const String& S);
  void Line(Integer X1, Integer Y1, Integer X2, Integer Y2);

  // --- Layout steps (ExGridPrintLayout.cpp) --------------------------------------------------------
  bool Drawing() const { return FMode == 0 || FMode == 1; }
  bool PageInRange() const;
  bool IsPrintRowSelected(Integer ARow);
  bool IsPrintColSelected(Integer ACol);
  void CalcPrintColumnWidths();
  void CalcHeaderFooterHeights(bool WithHtmlTitle);
  Integer PrintHeaderFooter();
  String GetPageNumberText();
  void PrintPageBorders(Integer B, Integer E, Integer Y);
  void StartNextPage();
  static String JoinWithBlank(const String& Text, const String& Item, bool InFront);

  // --- Cell drawing helpers (ExGridPrintCell.cpp) ------------------------------------------------
  String PrintCellText(Integer RCol, Integer ARow, Integer& Kind);
  void DrawCellGraphic(Integer RCol, Integer ARow, const TRect& Cell, TRect& TextRect, TColor Background);

 public:
  TExStringGrid* G;
  TCanvas* C;
  TPrintSettings* PS;
  Integer FMode;
  bool FSelectedOnly;
  Integer FTotalPages;

  double Scale = 96.0 / 254.0;  // device pixels per 0.1 mm
  TPoint Org;                    // the device pixel of the logical origin
  double K = 254.0 / 96.0;       // one screen pixel in 0.1 mm

  Integer W = 0, H = 0;          // page width and (negative) height
  Integer hh = 0, fh = 0, th = 0, s = 0, g2 = 0, m = 0;
  double f = 1.0;                // the fit factor
  Integer T = 0, B = 0;          // header and footer heights
  Integer p = 0;                 // the page counter: the current page is p + 1
  Integer FBandStart = 0, FBandEnd = 0;
  Integer FBandNo = 0, FPageInBand = 0;
  bool FMultiBand = false;
  bool rf = false;               // the fixed columns repeat in this band
  bool FCancelled = false;
  Integer FCachedRow = -1, FCachedHeight = 0;
};
