// The string grid's print settings (the grid's PrintSettings): page margins, spacing, the header
// and footer texts and where they print, the fonts of cells, headers and footers, borders,
// orientation and fitting to the page. The print engine reads them; the grid keeps them in an INI
// file with SavePrintSettings / LoadPrintSettings (ExGridPersist.cpp).
#pragma once

#include "platform/gui/Graphics.h"
#include "platform/gui/Printers.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;

// Where the time, the date, the page number or the title print; the ordinal is the stored value.
enum TPrintPosition : Byte { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
// The lines drawn around and between the printed cells; the ordinal is the stored value.
enum TPrintBorders : Byte {
  pbNoborder,
  pbSingle,
  pbDouble,
  pbVertical,
  pbHorizontal,
  pbAround,
  pbAroundVertical,
  pbAroundHorizontal,
  pbCustom,
};
// How the printed columns are scaled to the page width; the ordinal is the stored value.
enum TFitToPage : Byte { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
 public:
  // AGrid is the owner grid (kept, not owned; may be nullptr for a free-standing copy).
  explicit TPrintSettings(TExStringGrid* AGrid);
  ~TPrintSettings() override;
  TPrintSettings(const TPrintSettings&) = delete;
  TPrintSettings& operator=(const TPrintSettings&) = delete;
  String ClassName() const override { return u"TPrintSettings"; }

  // Copies every setting of another TPrintSettings but the grid and FixedCellsAlways (fonts and
  // title lines into the own objects); any other source raises EInvalidCast.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Grid() const { return FGrid; }

  TPrintPosition Time() const { return FTime; }
  void SetTime(TPrintPosition Value) { FTime = Value; }
  TPrintPosition Date() const { return FDate; }
  void SetDate(TPrintPosition Value) { FDate = Value; }
  TPrintPosition PageNr() const { return FPageNr; }
  void SetPageNr(TPrintPosition Value) { FPageNr = Value; }
  const String& PageNumSep() const { return FPageNumSep; }
  void SetPageNumSep(const String& Value) { FPageNumSep = Value; }
  const String& DateFormat() const { return FDateFormat; }
  void SetDateFormat(const String& Value) { FDateFormat = Value; }
  TPrintPosition Title() const { return FTitle; }
  void SetTitle(TPrintPosition Value) { FTitle = Value; }
  // The fonts are owned; writing one copies the given font into the own one.
  TFont* Font() const { return FFont; }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TFont* HeaderFont() const { return FHeaderFont; }
  void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
  TFont* FooterFont() const { return FFooterFont; }
  void SetFooterFont(const TFont* Value) { FFooterFont->Assign(Value); }
  TPrintBorders Borders() const { return FBorders; }
  void SetBorders(TPrintBorders Value) { FBorders = Value; }
  TPenStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TPenStyle Value) { FBorderStyle = Value; }
  const String& TitleText() const { return FTitleText; }
  void SetTitleText(const String& Value) { FTitleText = Value; }
  // The title lines are owned; writing copies the given lines.
  TStringList* TitleLines() const { return FTitleLines; }
  void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }
  bool Centered() const { return FCentered; }
  void SetCentered(bool Value) { FCentered = Value; }
  bool RepeatFixedRows() const { return FRepeatFixedRows; }
  void SetRepeatFixedRows(bool Value) { FRepeatFixedRows = Value; }
  bool RepeatFixedCols() const { return FRepeatFixedCols; }
  void SetRepeatFixedCols(bool Value) { FRepeatFixedCols = Value; }
  Integer FooterSize() const { return FFooterSize; }
  void SetFooterSize(Integer Value) { FFooterSize = Value; }
  Integer HeaderSize() const { return FHeaderSize; }
  void SetHeaderSize(Integer Value) { FHeaderSize = Value; }
  Integer LeftSize() const { return FLeftSize; }
  void SetLeftSize(Integer Value) { FLeftSize = Value; }
  Integer RightSize() const { return FRightSize; }
  void SetRightSize(Integer Value) { FRightSize = Value; }
  Integer ColumnSpacing() const { return FColumnSpacing; }
  void SetColumnSpacing(Integer Value) { FColumnSpacing = Value; }
  Integer RowSpacing() const { return FRowSpacing; }
  void SetRowSpacing(Integer Value) { FRowSpacing = Value; }
  Integer TitleSpacing() const { return FTitleSpacing; }
  void SetTitleSpacing(Integer Value) { FTitleSpacing = Value; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
  const String& PagePrefix() const { return FPagePrefix; }
  void SetPagePrefix(const String& Value) { FPagePrefix = Value; }
  const String& PageSuffix() const { return FPageSuffix; }
  void SetPageSuffix(const String& Value) { FPageSuffix = Value; }
  Integer FixedHeight() const { return FFixedHeight; }
  void SetFixedHeight(Integer Value) { FFixedHeight = Value; }
  bool UseFixedHeight() const { return FUseFixedHeight; }
  void SetUseFixedHeight(bool Value) { FUseFixedHeight = Value; }
  Integer FixedWidth() const { return FFixedWidth; }
  void SetFixedWidth(Integer Value) { FFixedWidth = Value; }
  bool UseFixedWidth() const { return FUseFixedWidth; }
  void SetUseFixedWidth(bool Value) { FUseFixedWidth = Value; }
  TFitToPage FitToPage() const { return FFitToPage; }
  void SetFitToPage(TFitToPage Value) { FFitToPage = Value; }
  bool NoAutoSize() const { return FNoAutoSize; }
  void SetNoAutoSize(bool Value) { FNoAutoSize = Value; }
  bool PrintGraphics() const { return FPrintGraphics; }
  void SetPrintGraphics(bool Value) { FPrintGraphics = Value; }
  const String& JobName() const { return FJobName; }
  void SetJobName(const String& Value) { FJobName = Value; }
  bool NoAutoSizeRow() const { return FNoAutoSizeRow; }
  void SetNoAutoSizeRow(bool Value) { FNoAutoSizeRow = Value; }
  Integer PageNumberOffset() const { return FPageNumberOffset; }
  void SetPageNumberOffset(Integer Value) { FPageNumberOffset = Value; }
  Integer MaxPagesOffset() const { return FMaxPagesOffset; }
  void SetMaxPagesOffset(Integer Value) { FMaxPagesOffset = Value; }
  TFont* FixedFont() const { return FFixedFont; }
  void SetFixedFont(const TFont* Value) { FFixedFont->Assign(Value); }
  bool UseDisplayFont() const { return FUseDisplayFont; }
  void SetUseDisplayFont(bool Value) { FUseDisplayFont = Value; }
  bool UseDefaultOrientation() const { return FUseDefaultOrientation; }
  void SetUseDefaultOrientation(bool Value) { FUseDefaultOrientation = Value; }
  bool FixedCellsAlways() const { return FFixedCellsAlways; }
  void SetFixedCellsAlways(bool Value) { FFixedCellsAlways = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }

 private:
  TExStringGrid* FGrid;
  TPrintPosition FTime = ppNone;
  TPrintPosition FDate = ppNone;
  TPrintPosition FPageNr = ppNone;
  String FPageNumSep = u"/";
  String FDateFormat = u"dd/mm/yyyy";
  TPrintPosition FTitle = ppNone;
  TFont* FFont;
  TFont* FHeaderFont;
  TFont* FFooterFont;
  TPrintBorders FBorders = pbSingle;
  TPenStyle FBorderStyle = psSolid;
  String FTitleText;
  TStringList* FTitleLines;
  bool FCentered = true;
  bool FRepeatFixedRows = false;
  bool FRepeatFixedCols = false;
  Integer FFooterSize = 0;
  Integer FHeaderSize = 0;
  Integer FLeftSize = 0;
  Integer FRightSize = 0;
  Integer FColumnSpacing = 0;
  Integer FRowSpacing = 0;
  Integer FTitleSpacing = 0;
  TPrinterOrientation FOrientation = poPortrait;
  String FPagePrefix;
  String FPageSuffix;
  Integer FFixedHeight = 0;
  bool FUseFixedHeight = false;
  Integer FFixedWidth = 0;
  bool FUseFixedWidth = false;
  TFitToPage FFitToPage = fpNever;
  bool FNoAutoSize = false;
  bool FPrintGraphics = false;
  String FJobName;
  bool FNoAutoSizeRow = false;
  Integer FPageNumberOffset = 0;
  Integer FMaxPagesOffset = 0;
  TFont* FFixedFont;
  bool FUseDisplayFont = true;
  bool FUseDefaultOrientation = false;
  bool FFixedCellsAlways = false;
  TColor FBorderColor = clBlack;
};
