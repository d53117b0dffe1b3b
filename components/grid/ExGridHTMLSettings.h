// The options of the string grid's HTML export (the grid's HTMLSettings): the TABLE attributes,
// the files and tags around the table, how cell texts are converted and whether cell pictures are
// written as image files. The export itself is in ExGridExport.cpp.
#pragma once

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TIntList;

class THTMLSettings : public TPersistent {
 public:
  THTMLSettings();
  ~THTMLSettings() override;
  THTMLSettings(const THTMLSettings&) = delete;
  THTMLSettings& operator=(const THTMLSettings&) = delete;
  String ClassName() const override { return u"THTMLSettings"; }

  // Copies every setting of another THTMLSettings but ExportImages and ColWidths; any other
  // source is ignored.
  void Assign(TPersistent* Source) override;

  // Open the written file with the shell.
  bool AutoPreview() const { return FAutoPreview; }
  void SetAutoPreview(bool Value) { FAutoPreview = Value; }
  // Escape the HTML special characters of body cells.
  bool ConvertSpecialChars() const { return FConvertSpecialChars; }
  void SetConvertSpecialChars(bool Value) { FConvertSpecialChars = Value; }
  // Every blank of body cells becomes "&nbsp;".
  bool NonBreakingText() const { return FNonBreakingText; }
  void SetNonBreakingText(bool Value) { FNonBreakingText = Value; }
  // Write background and text colours into the cell styles.
  bool SaveColor() const { return FSaveColor; }
  void SetSaveColor(bool Value) { FSaveColor = Value; }
  // Kept and copied; the export writes the fonts whatever it says.
  bool SaveFonts() const { return FSaveFonts; }
  void SetSaveFonts(bool Value) { FSaveFonts = Value; }
  // Files whose lines follow and precede the table.
  const String& FooterFile() const { return FFooterFile; }
  void SetFooterFile(const String& Value) { FFooterFile = Value; }
  const String& HeaderFile() const { return FHeaderFile; }
  void SetHeaderFile(const String& Value) { FHeaderFile = Value; }
  Integer BorderSize() const { return FBorderSize; }
  void SetBorderSize(Integer Value) { FBorderSize = Value; }
  Integer CellSpacing() const { return FCellSpacing; }
  void SetCellSpacing(Integer Value) { FCellSpacing = Value; }
  Integer CellPadding() const { return FCellPadding; }
  void SetCellPadding(Integer Value) { FCellPadding = Value; }
  // Extra attribute text of the TABLE tag.
  const String& TableStyle() const { return FTableStyle; }
  void SetTableStyle(const String& Value) { FTableStyle = Value; }
  // Text before the style block and the line after the table.
  const String& PrefixTag() const { return FPrefixTag; }
  void SetPrefixTag(const String& Value) { FPrefixTag = Value; }
  const String& SuffixTag() const { return FSuffixTag; }
  void SetSuffixTag(const String& Value) { FSuffixTag = Value; }
  const String& Summary() const { return FSummary; }
  void SetSummary(const String& Value) { FSummary = Value; }
  // The table width in percent.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  // Optional widths for the cells' width attributes, by exported column (owned).
  TIntList* ColWidths() const { return FColWidths; }
  // Write the XHTML prologue and the closing "</HTML>".
  bool XHTML() const { return FXHTML; }
  void SetXHTML(bool Value) { FXHTML = Value; }
  // Export cell graphics as image files.
  bool ExportImages() const { return FExportImages; }
  void SetExportImages(bool Value) { FExportImages = Value; }

 private:
  bool FAutoPreview = false;
  bool FConvertSpecialChars = false;
  bool FNonBreakingText = false;
  bool FSaveColor = true;
  bool FSaveFonts = true;
  String FFooterFile;
  String FHeaderFile;
  Integer FBorderSize = 1;
  Integer FCellSpacing = 0;
  Integer FCellPadding = 0;
  String FTableStyle;
  String FPrefixTag;
  String FSuffixTag;
  String FSummary;
  Integer FWidth = 100;
  TIntList* FColWidths;
  bool FXHTML = false;
  bool FExportImages = true;
};
