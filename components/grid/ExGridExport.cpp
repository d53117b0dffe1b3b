// TExStringGrid: text formats for other programs. The column-aligned plain-text file, the HTML
// table with one style class per distinct cell look (cell pictures as JPEG files beside it), the
// XML record file and the general XML reader that turns elements and attributes into cells. Also
// THTMLSettings, the options of the HTML export.
#include <algorithm>
#include <memory>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridHTMLSettings.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExObj.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/os/Shell.h"
#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"

// ---------------------------------------------------------------------------------------------
// THTMLSettings
// ---------------------------------------------------------------------------------------------

THTMLSettings::THTMLSettings() : FColWidths(new TIntList(-1, -1)) {}

THTMLSettings::~THTMLSettings() { delete FColWidths; }

void THTMLSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<THTMLSettings*>(Source);
  if (!S) return;
  FAutoPreview = S->FAutoPreview;
  FConvertSpecialChars = S->FConvertSpecialChars;
  FNonBreakingText = S->FNonBreakingText;
  FSaveColor = S->FSaveColor;
  FSaveFonts = S->FSaveFonts;
  FFooterFile = S->FFooterFile;
  FHeaderFile = S->FHeaderFile;
  FBorderSize = S->FBorderSize;
  FCellSpacing = S->FCellSpacing;
  FCellPadding = S->FCellPadding;
  FTableStyle = S->FTableStyle;
  FPrefixTag = S->FPrefixTag;
  FSuffixTag = S->FSuffixTag;
  FSummary = S->FSummary;
  FWidth = S->FWidth;
  FXHTML = S->FXHTML;
}

// ---------------------------------------------------------------------------------------------
// Column-aligned text
// ---------------------------------------------------------------------------------------------

namespace {

const String CRLF = u"\r\n";

// Text aligned in a field of Width characters: right-aligned text is padded on the left, centred
// text gets a blank on each side in turn, left-aligned text stays as it is.
String AlignInField(String Text, Integer Width, TAlignment Align) {
  if (Align == taRightJustify) {
    if (static_cast<Integer>(Text.size()) < Width) Text.insert(0, Width - Text.size(), u' ');
  } else if (Align == taCenter) {
    while (static_cast<Integer>(Text.size()) < Width) {
      Text.insert(0, 1, u' ');
      if (static_cast<Integer>(Text.size()) < Width) Text += u' ';
    }
  }
  return Text;
}

// The lines of a cell text (CR LF, or a lone CR, ends a line).
std::vector<String> TextLines(String Text) {
  std::vector<String> Lines;
  for (;;) {
    const bool More = Text.find(u'\r') != String::npos;
    Lines.push_back(TakeLine(Text, true));
    if (!More) break;
  }
  return Lines;
}

void SaveLines(TStringList& Lines, const String& FileName, bool Unicode) {
  Lines.SaveToFile(FileName, Unicode ? TEncoding::Unicode : TEncoding::ANSI);
}

}  // namespace

namespace {

// Writes the column-aligned text of Grid after the lines of an existing file (Append).
struct TAsciiExport {
  static void Run(TExStringGrid* G, const String& FileName, bool Unicode, bool Append);
};

}  // namespace

void TExStringGrid::SaveToASCII(const String& FileName, bool Unicode) {
  TAsciiExport::Run(this, FileName, Unicode, false);
}

void TExStringGrid::AppendToASCII(const String& FileName, bool Unicode) {
  TAsciiExport::Run(this, FileName, Unicode, true);
}

void TAsciiExport::Run(TExStringGrid* G, const String& FileName, bool Unicode, bool Append) {
  const TCursor OldCursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  TStringList Lines;
  if (Append && FileExists(FileName)) Lines.LoadFromFile(FileName);
  const bool Fixed = G->SaveFixedCells();
  const Integer FirstCol = Fixed || G->SaveFixedCols() ? 0 : G->FixedCols();
  const Integer FirstRow = Fixed || G->SaveFixedRows() ? 0 : G->FixedRows();
  // With the hidden columns every real column is exported; otherwise the shown ones, by their real
  // index.
  const bool Hidden = G->SaveHiddenCells();
  const Integer LastCol = Hidden ? G->AllColCount() - 1 : G->ColCount() - 1;
  std::vector<Integer> Real, Width;
  for (Integer c = FirstCol; c <= LastCol; ++c) {
    Real.push_back(Hidden ? c : G->RealColIndex(c));
    Width.push_back(G->GetMaxCharsInCol(Real.back()));
  }
  try {
    G->ExportNotification(esExportStart, FirstRow);
    for (Integer r = FirstRow; r < G->RowCount(); ++r) {
      G->ExportNotification(esExportNextRow, r);
      String Line;
      std::vector<String> Continuation;
      Integer ColStart = 0;
      for (size_t k = 0; k < Real.size(); ++k) {
        const std::vector<String> Texts = TextLines(G->SaveCell(Real[k], r));
        TAlignment HA = taLeftJustify;
        TVAlignment VA = vtaTop;
        G->CalcCellAlignment(Real[k], r, HA, VA);
        const String First = AlignInField(Texts[0], Width[k], HA);
        Line += First;
        if (static_cast<Integer>(First.size()) <= Width[k]) Line.append(Width[k] - First.size() + 1, u' ');
        if (G->Multilinecells())
          for (size_t i = 1; i < Texts.size(); ++i) {
            if (Continuation.size() < i) Continuation.resize(i);
            String& C = Continuation[i - 1];
            if (static_cast<Integer>(C.size()) < ColStart) C.append(ColStart - C.size(), u' ');
            C += AlignInField(Texts[i], Width[k], HA);
          }
        ColStart += Width[k] + 1;
      }
      Lines.Add(Line);
      for (const String& C : Continuation) Lines.Add(C);
    }
  } catch (...) {
    // The lines made so far are written all the same.
    G->ExportNotification(esExportDone, -1);
    SaveLines(Lines, FileName, Unicode);
    Screen->SetCursor(OldCursor);
    throw;
  }
  G->ExportNotification(esExportDone, -1);
  try {
    SaveLines(Lines, FileName, Unicode);
  } catch (...) {
    Screen->SetCursor(OldCursor);
    throw;
  }
  Screen->SetCursor(OldCursor);
}

// ---------------------------------------------------------------------------------------------
// HTML
// ---------------------------------------------------------------------------------------------

namespace {

const String Q = u"\"";

// The text of a link when URLShow is on: "://" or "mailto:" texts without tags become anchors.
String LinkText(const String& Text, bool Full) {
  if (Text.find(u"</") != String::npos) return Text;
  if (Text.find(u"://") != String::npos) {
    const String Shown = Full ? Text : Text.substr(Text.find(u"://") + 3);
    return u"<a href=" + Text + u">" + Shown + u"</a>";
  }
  const size_t M = Text.find(u"mailto:");
  if (M != String::npos) {
    const String Shown = Full ? Text : Text.substr(M + 7);
    return u"<a href=" + Text + u">" + Shown + u"</a>";
  }
  return Text;
}

String HtmlColor(TColor C) { return ColorToHtmlHex(ColorToRGB(C)); }

}  // namespace

namespace {

// One run of SaveToHTMLString: the distinct styles, the picture numbering and the picture folder.
class THtmlExport {
 public:
  THtmlExport(TExStringGrid* G, THTMLSettings* S, const String& Dir) : FGrid(G), FSettings(S), FDir(Dir) {}

  String Run();

 private:
  // The class number of a style text, a new one for a text not seen yet.
  Integer StyleIndex(const String& Style) {
    for (size_t i = 0; i < FStyles.size(); ++i)
      if (FStyles[i] == Style) return static_cast<Integer>(i);
    FStyles.push_back(Style);
    return static_cast<Integer>(FStyles.size()) - 1;
  }
  String CellStyle(Integer DCol, Integer ARow, bool FixedBackground, bool& WordWrap);
  String CellLine(Integer DCol, Integer ARow, const String& Content, bool FixedBackground, const String& WidthAttr);
  String WithPictures(Integer RCol, Integer ARow, const String& Text);
  // Writes the graphic as the next picture file; its <img> tag.
  String PictureTag(const TGraphic* Graphic);
  String ImageListTag(Integer Index);

  TExStringGrid* FGrid;
  THTMLSettings* FSettings;
  String FDir;
  std::vector<String> FStyles;
  Integer FPicture = 0;
  bool FFolderMade = false;
};

String THtmlExport::CellStyle(Integer DCol, Integer ARow, bool FixedBackground, bool& WordWrap) {
  TBrush Brush;
  TFont Font;
  Brush.SetColor(clNone);
  Font.SetColor(clNone);
  TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TCellGradientDirection GD = GradientVertical;
  TGridDrawState State;
  if (FGrid->IsFixed(DCol, ARow)) State = State << gdFixed;
  FGrid->GetVisualProperties(DCol, ARow, State, false, false, true, &Brush, ColorTo, Mirror, MirrorTo, &Font, HA, VA, WW,
                             GD);
  WordWrap = WW;
  const TColor Back = FixedBackground ? FGrid->FixedColor() : Brush.Color();
  std::vector<String> Items;
  if (Back != clNone && FSettings->SaveColor()) Items.push_back(u"background-color: #" + HtmlColor(Back));
  if (Font.Color() != clNone && FSettings->SaveColor()) Items.push_back(u"color: #" + HtmlColor(Font.Color()));
  Items.push_back(u"font-size:" + IntToStr(Font.Size()) + u"pt");
  if (Font.Style().Contains(fsItalic)) Items.push_back(u"font-style: italic");
  if (Font.Style().Contains(fsBold)) Items.push_back(u"font-weight: bold");
  Items.push_back(u"font-family: " + Font.Name());
  if (HA == taRightJustify) Items.push_back(u"text-align: right");
  if (HA == taCenter) Items.push_back(u"text-align: center");
  Items.push_back(VA == vtaTop ? u"vertical-align: top" : VA == vtaCenter ? u"vertical-align: middle"
                                                                           : u"vertical-align: bottom");
  String S;
  for (size_t i = 0; i < Items.size(); ++i) S += (i ? u";" : u"") + Items[i];
  return S;
}

String THtmlExport::CellLine(Integer DCol, Integer ARow, const String& Content, bool FixedBackground,
                             const String& WidthAttr) {
  bool WW = true;
  const Integer Class = StyleIndex(CellStyle(DCol, ARow, FixedBackground, WW));
  const TPoint Span = FGrid->CellSpan(FGrid->RealColIndex(DCol), ARow);
  String L = u"<TD class=" + Q + u"c" + IntToStr(Class) + Q;
  if (Span.X + 1 > 1) L += u" COLSPAN=" + Q + IntToStr(Span.X + 1) + Q;
  if (Span.Y + 1 > 1) L += u" ROWSPAN=" + Q + IntToStr(Span.Y + 1) + Q;
  if (!WW) L += u" nowrap";
  return L + WidthAttr + u">" + Content + u"</td>";
}

String THtmlExport::PictureTag(const TGraphic* Graphic) {
  const String Folder = FDir + u"images";
  if (!FFolderMade) {
    if (!DirectoryExists(Folder) && !ForceDirectories(Folder)) throw Exception(u"Cannot create " + Folder);
    FFolderMade = true;
  }
  const String Path = FDir + u"images/img" + IntToStr(FPicture++) + u".jpg";
  if (dynamic_cast<const TJPEGImage*>(Graphic)) {
    const std::vector<Byte> Jpeg = Graphic->SaveToMemory();
    WriteFileBytes(Path, std::string_view(reinterpret_cast<const char*>(Jpeg.data()), Jpeg.size()));
  } else {
    TBitmap B(std::max(1, Graphic->Width()), std::max(1, Graphic->Height()));
    const_cast<TGraphic*>(Graphic)->Draw(B.Canvas(), TRect(0, 0, B.Width(), B.Height()));
    TJPEGImage J;
    J.Assign(&B);
    J.SaveToFile(Path);
  }
  return u"<img src= " + Q + u"file://" + Path + Q + u">";
}

String THtmlExport::ImageListTag(Integer Index) {
  TImageList* L = FGrid->GridImages();
  if (!L || Index < 0 || Index >= L->Count()) return String();
  TBitmap B;
  L->GetBitmap(Index, &B);
  return PictureTag(&B);
}

// The cell's text with the pictures of its graphic, by the kind of graphic.
String THtmlExport::WithPictures(Integer RCol, Integer ARow, const String& Text) {
  if (!FSettings->ExportImages() || FDir.empty()) return Text;
  TCellGraphic* G = FGrid->GetCellGraphic(RCol, ARow);
  if (!G) return Text;
  switch (G->CellType()) {
    case ctBitmap:
      if (G->Bitmap()) return Text + PictureTag(G->Bitmap());
      break;
    case ctImageList: {
      TImageList* L = FGrid->GetCellImageList(RCol, ARow);
      if (L && G->CellIndex() >= 0 && G->CellIndex() < L->Count()) return ImageListTag(G->CellIndex()) + Text;
      break;
    }
    case ctDataImage: return ImageListTag(StrToIntDef(FGrid->Cells(RCol, ARow), -1));
    case ctImages: {
      String S;
      if (const TIntList* L = G->IntList())
        for (Integer i = 0; i < L->Count(); ++i) S += ImageListTag(L->Items(i));
      return S + Text;
    }
    case ctPicture:
      if (G->Picture() && G->Picture()->Graphic()) return Text + PictureTag(G->Picture()->Graphic());
      break;
    case ctNode: return u"+" + Text;
    default: break;
  }
  return Text;
}

String THtmlExport::Run() {
  const bool Fixed = FGrid->SaveFixedCells();
  const Integer FirstCol = Fixed || FGrid->SaveFixedCols() ? 0 : FGrid->FixedCols();
  const Integer FirstRow = Fixed || FGrid->SaveFixedRows() ? 0 : FGrid->FixedRows();
  TIntList* Widths = FSettings->ColWidths();
  String Table;
  Integer BodyRow = FirstRow;
  const bool Header = FGrid->FixedRows() > 0 && (Fixed || FGrid->SaveFixedRows());
  if (Header) {
    Table += u"<TR>" + CRLF;
    for (Integer c = FirstCol; c < FGrid->ColCount(); ++c) {
      const Integer RC = FGrid->RealColIndex(c);
      if (FGrid->IsMergedNonBaseCell(RC, 0)) continue;
      String Text = LineBreaksToBR(FGrid->SaveCell(RC, 0));
      if (FGrid->URLShow()) Text = LinkText(Text, FGrid->URLFull());
      Text = WithPictures(RC, 0, Text);
      if (Text.empty()) Text = u"&nbsp;";
      const String W = c < Widths->Count() ? u" WIDTH=" + IntToStr(Widths->Items(c)) : String();
      Table += CellLine(c, 0, Text, true, W) + CRLF;
    }
    Table += u"</TR>" + CRLF;
    BodyRow = 1;
  }
  // The body's pictures are numbered from 1 on (or after the header's).
  FPicture = std::max(1, FPicture);
  FGrid->ExportNotification(esExportStart, BodyRow);
  for (Integer r = BodyRow; r < FGrid->RowCount(); ++r) {
    FGrid->ExportNotification(esExportNextRow, r);
    Table += u"<TR>" + CRLF;
    for (Integer c = FirstCol; c < FGrid->ColCount(); ++c) {
      const Integer RC = FGrid->RealColIndex(c);
      if (FGrid->IsMergedNonBaseCell(RC, r)) continue;
      String Text = FGrid->SaveCell(RC, r);
      if (FSettings->ConvertSpecialChars()) Text = HtmlEscape(Text, true);
      if (FSettings->NonBreakingText()) Text = StringReplace(Text, u" ", u"&nbsp;", TReplaceFlags{rfReplaceAll});
      Text = LineBreaksToBR(Text);
      if (FGrid->URLShow()) Text = LinkText(Text, FGrid->URLFull());
      Text = WithPictures(RC, r, Text);
      if (Trim(Text).empty()) Text = u"&nbsp;";
      const Integer Offset = c - FirstCol;
      const String W = !Header && Offset < Widths->Count() ? u" width=" + IntToStr(Widths->Items(Offset)) : String();
      Table += CellLine(c, r, Text, FGrid->IsFixed(c, r), W) + CRLF;
    }
    Table += u"</TR>" + CRLF;
  }
  FGrid->ExportNotification(esExportDone, -1);

  String H;
  if (FSettings->XHTML()) {
    H += u"<?xml version=" + Q + u"1.0" + Q + u" encoding=" + Q + u"utf-8" + Q + u"?>" + CRLF;
    H += u"<!DOCTYPE html PUBLIC " + Q + u"-//W3C//DTD XHTML 1.0 Strict//EN" + Q + CRLF;
    H += Q + u"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd" + Q + u">" + CRLF;
    H += u"<HTML xmlns=" + Q + u"http://www.w3.org/1999/xhtml" + Q + u" xml:lang=" + Q + u"en" + Q + u" lang=" + Q +
         u"en" + Q + u">" + CRLF;
  }
  H += FSettings->PrefixTag();
  H += u"<style>" + CRLF;
  for (size_t i = 0; i < FStyles.size(); ++i) H += u".c" + IntToStr(static_cast<Integer>(i)) + u" {" + FStyles[i] + u"}" + CRLF;
  H += u"</style>" + CRLF;
  H += u"<TABLE BORDER=" + Q + IntToStr(FSettings->BorderSize()) + Q + u" CELLSPACING=" + Q +
       IntToStr(FSettings->CellSpacing()) + Q + u" CELLPADDING=" + Q + IntToStr(FSettings->CellPadding()) + Q + u" ";
  if (!FSettings->Summary().empty()) H += u"SUMMARY=" + Q + FSettings->Summary() + Q + u" ";
  if (!FSettings->TableStyle().empty()) H += u" " + FSettings->TableStyle() + u" ";
  H += u" WIDTH=" + Q + IntToStr(FSettings->Width()) + u"%" + Q + u">" + CRLF;
  H += Table;
  H += u"</TABLE>" + CRLF;
  if (!FSettings->SuffixTag().empty()) H += FSettings->SuffixTag() + CRLF;
  if (FSettings->XHTML()) H += u"</HTML>" + CRLF;
  return H;
}

}  // namespace

String TExStringGrid::SaveToHTMLString(const String& Dir) {
  EnsureFileSettings();
  return THtmlExport(this, FHTMLSettings, Dir).Run();
}

namespace {

// 7-bit text: every other character becomes "?" (a surrogate pair one "?").
std::string AsciiBytes(const String& S) {
  std::string B;
  B.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    const Char C = S[i];
    if (C < 128) {
      B.push_back(static_cast<char>(C));
    } else {
      B.push_back('?');
      if (C >= 0xD800 && C < 0xDC00 && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] < 0xE000) ++i;
    }
  }
  return B;
}

void OutputHTML(TExStringGrid* G, THTMLSettings* Settings, const String& FileName, bool Show, bool Unicode,
                bool Append) {
  TStringList Lines;
  if (Append) try {
      Lines.LoadFromFile(FileName);
    } catch (const Exception&) {
      Lines.Clear();
    }
  if (!Settings->HeaderFile().empty()) {
    TStringList Head;
    Head.LoadFromFile(Settings->HeaderFile());
    Lines.AddStrings(&Head);
  }
  const String Dir = StringReplace(ExtractFilePath(FileName), u"\\", u"/", TReplaceFlags{rfReplaceAll});
  Lines.Add(G->SaveToHTMLString(Dir));
  if (!Settings->FooterFile().empty()) {
    TStringList Foot;
    Foot.LoadFromFile(Settings->FooterFile());
    Lines.AddStrings(&Foot);
  }
  if (Unicode)
    Lines.SaveToFile(FileName, TEncoding::Unicode);
  else
    WriteFileBytes(FileName, AsciiBytes(Lines.Text()));
  if (Show || Settings->AutoPreview()) ShellOpen(FileName);
}

}  // namespace

void TExStringGrid::SaveToHTML(const String& FileName, bool Show, bool Unicode) {
  EnsureFileSettings();
  OutputHTML(this, FHTMLSettings, FileName, Show, Unicode, false);
}

void TExStringGrid::AppendToHTML(const String& FileName, bool Show, bool Unicode) {
  EnsureFileSettings();
  OutputHTML(this, FHTMLSettings, FileName, Show, Unicode, true);
}

// ---------------------------------------------------------------------------------------------
// XML
// ---------------------------------------------------------------------------------------------

namespace {

// The record file's own escapes; the ampersand is written "$amp;".
String XmlEscape(const String& S) {
  String T = StringReplace(S, u"&", u"$amp;", TReplaceFlags{rfReplaceAll});
  T = StringReplace(T, u">", u"&gt;", TReplaceFlags{rfReplaceAll});
  T = StringReplace(T, u"<", u"&lt;", TReplaceFlags{rfReplaceAll});
  return StringReplace(T, u"\"", u"&quot;", TReplaceFlags{rfReplaceAll});
}

String XmlUnescape(const String& S) {
  String T = StringReplace(S, u"$amp;", u"&", TReplaceFlags{rfReplaceAll});
  T = StringReplace(T, u"&gt;", u">", TReplaceFlags{rfReplaceAll});
  T = StringReplace(T, u"&lt;", u"<", TReplaceFlags{rfReplaceAll});
  return StringReplace(T, u"&quot;", u"\"", TReplaceFlags{rfReplaceAll});
}

}  // namespace

void TExStringGrid::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                              TStrings* FieldDescr, bool ExportEmptyCells) {
  // The file's replacement is made first, so that a place that cannot take it fails before any work;
  // the old file stays as it was until the whole text is written.
  std::unique_ptr<TFileReplacement> Out;
  try {
    Out = std::make_unique<TFileReplacement>(FileName);
  } catch (const EStreamError&) {
    throw EStringGridError(u"Cannot Create file " + FileName);
  }
  // The bytes are in the encoding the declaration names (characters it lacks as character
  // references); an encoding the grid cannot write gives Windows-1252, declared as such.
  std::string Probe;
  const String Encoding = XmlTextToBytes(String(), FXMLEncoding, Probe) ? FXMLEncoding : String(u"windows-1252");
  TStringList Lines;
  Lines.Add(u"<?xml version=" + Q + u"1.0" + Q + u" encoding=" + Q + Encoding + Q + u" ?>");
  Lines.Add(u"<" + ListDescr + u">");
  const Integer Hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  ExportNotification(esExportStart, SaveStartRow());
  Integer LastProgress = -1;
  for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    Lines.Add(u"<" + RecordDescr + u">");
    for (Integer c = SaveStartCol(); c <= SaveEndCol() + Hidden; ++c) {
      const Integer RC = FSaveHiddenCells ? c : RealColIndex(c);
      if (!IsBaseCell(RC, r)) continue;
      const Integer Offset = c - SaveStartCol();
      const String Name =
          FieldDescr && Offset < FieldDescr->Count() ? FieldDescr->Get(Offset) : u"FIELD" + IntToStr(Offset);
      String Value = SaveCell(RC, r);
      if (Value.empty()) {
        if (!ExportEmptyCells) continue;
        if (FQuoteEmptyCells) Value = u"\"\"";
      }
      Lines.Add(u"<" + Name + u">" + XmlEscape(Value) + u"</" + Name + u">");
    }
    Lines.Add(u"</" + RecordDescr + u">");
    if (OnFileProgress) {
      const Integer P = Round((r - SaveStartRow()) * 100.0 / std::max(1, SaveEndRow() - SaveStartRow()));
      if (P != LastProgress) {
        LastProgress = P;
        OnFileProgress(this, static_cast<int16_t>(P));
      }
    }
  }
  ExportNotification(esExportDone, -1);
  Lines.Add(u"</" + ListDescr + u">");
  std::string Bytes;
  XmlTextToBytes(Lines.Text(), Encoding, Bytes);
  Out->Write(Bytes);
  Out->Commit();
}

namespace {

// Records nested deeper than this are refused rather than walked.
constexpr Integer MaxXMLLevel = 256;

// The text of a node and all its descendants, joined in document order. Walked without
// recursion: an element may nest deeper than the call stack allows.
String DeepText(const IXMLNode& N) {
  const TNodeType T = N.NodeType();
  if (T == ntText || T == ntCData) return N.Text();
  String S;
  if (T != ntElement) return S;
  IXMLNode Cur = N.ChildNodes().First();
  while (Cur) {
    const TNodeType CT = Cur.NodeType();
    if (CT == ntText || CT == ntCData) {
      S += Cur.Text();
    } else if (CT == ntElement) {
      if (IXMLNode Child = Cur.ChildNodes().First()) {
        Cur = Child;
        continue;
      }
    }
    // The next sibling, else that of the nearest ancestor below N that has one.
    IXMLNode Next = Cur.NextSibling();
    while (!Next) {
      Cur = Cur.ParentNode();
      if (!Cur || Cur == N) return S;
      Next = Cur.NextSibling();
    }
    Cur = Next;
  }
  return S;
}

// The walk of LoadFromXML over one record: attributes and text elements become cells.
class TXmlImport {
 public:
  TXmlImport(TExStringGrid* G, bool LevelToRow, bool LoadFieldDescr)
      : FGrid(G), FLevelToRow(LevelToRow), FLoadFieldDescr(LoadFieldDescr) {
    FHeaderRow = G->SaveFixedCells() || G->SaveFixedRows();
    FColBase = G->SaveStartCol();
    FRowBase = FHeaderRow && !LoadFieldDescr ? 0 : G->FixedRows();
    FMaxCol = FColBase;
    FMaxRow = FRowBase;
    FCols = G->ColCount();
  }

  void Records(const IXMLNode& Root) {
    bool First = true;
    for (const IXMLNode& Rec : Root.ChildNodes()) {
      FCol = 0;
      if (FLevelToRow && First && Rec.AttributeNodes().Count() == 0) FRow = -1;
      First = false;
      Walk(Rec, 1);
      if (!FLevelToRow) ++FRow;
    }
  }

  Integer MaxCol() const { return FMaxCol; }
  Integer MaxRow() const { return FMaxRow; }

 private:
  // Stores at the target cell, growing the grid to hold it; a cell above the first row (a record
  // without attributes that holds a single text, read level by level) has no place and is left out.
  // The grid grows ahead of the cells, doubling, so a record of many fields does not resize it once
  // per field; the import gives it its exact size at the end. FCols counts the columns the grid
  // needs so far.
  void Store(Integer ACol, Integer ARow, const String& Text) {
    if (ACol < 0 || ARow < 0) return;
    FCols = std::max(FCols, ACol + 1);
    if (ACol >= FGrid->ColCount()) FGrid->SetColCount(GrownCount(FGrid->ColCount(), ACol + 1));
    if (ARow >= FGrid->RowCount()) FGrid->SetRowCount(GrownCount(FGrid->RowCount(), ARow + 1));
    FGrid->LoadCell(ACol, ARow, Text);
    FMaxCol = std::max(FMaxCol, ACol);
    FMaxRow = std::max(FMaxRow, ARow);
  }
  static Integer GrownCount(Integer Count, Integer Needed) {
    return static_cast<Integer>(std::max<Int64>(Needed, std::min<Int64>(2LL * Count, INT32_MAX)));
  }
  // A column the grid needed no header for yet is free; otherwise its header cell must be empty.
  bool HeaderFree(Integer ACol) { return ACol >= FCols || FGrid->Cells(ACol, 0).empty(); }

  void Walk(const IXMLNode& N, Integer Level) {
    if (Level > MaxXMLLevel) throw Exception(u"XML file nested too deeply");
    bool RowAdvanced = false;
    const IXMLNodeList Attrs = N.AttributeNodes();
    if (Attrs.Count() > 0) {
      for (const IXMLNode& A : Attrs) {
        const Integer C = FCol + FColBase;
        if (FHeaderRow && HeaderFree(C)) Store(C, 0, A.NodeName());
        Store(C, FRow + FRowBase, XmlUnescape(A.Text()));
        ++FCol;
      }
      if (FLevelToRow) {
        ++FRow;
        FCol = Level;
        RowAdvanced = true;
      }
    }
    const Integer Children = N.ChildNodes().Count();
    if (Children > 1) {
      if (FLevelToRow && !RowAdvanced) {
        ++FRow;
        FCol = 0;
      }
      for (const IXMLNode& C : N.ChildNodes()) Walk(C, Level + 1);
    } else if (Children == 0) {
      Store(FCol + FColBase, FRow + FRowBase, String());
      ++FCol;
    } else {
      const Integer C = FCol + FColBase;
      if (FHeaderRow && FLoadFieldDescr && HeaderFree(C)) Store(C, 0, N.NodeName());
      String Text = XmlUnescape(DeepText(N));
      if (FGrid->QuoteEmptyCells() && Text == u"\"\"") Text.clear();
      Store(C, FRow + FRowBase, Text);
      ++FCol;
    }
  }

  TExStringGrid* FGrid;
  bool FLevelToRow;
  bool FLoadFieldDescr;
  bool FHeaderRow = false;
  Integer FColBase = 0;
  Integer FRowBase = 0;
  Integer FMaxCol = 0;
  Integer FMaxRow = 0;
  Integer FCol = 0;
  Integer FRow = 0;
  Integer FCols = 0;
};

// The line of a byte offset: 1 plus the line feeds before it.
Integer LineOfOffset(const std::string& Bytes, size_t Offset) {
  Offset = std::min(Offset, Bytes.size());
  return 1 + static_cast<Integer>(std::count(Bytes.begin(), Bytes.begin() + static_cast<std::ptrdiff_t>(Offset), '\n'));
}

}  // namespace

void TExStringGrid::LoadFromXML(const String& FileName, bool LevelToRow, bool LoadFieldDescr) {
  if (!FileExists(FileName)) throw Exception(u"XML file not found");
  const std::string Bytes = ReadFileBytes(FileName);
  TXMLDocument Doc;
  try {
    Doc.LoadFromBytes(Bytes);
  } catch (const EXMLDocError& E) {
    // The parser tells the byte where it stopped; the message names the line of that byte.
    const String M = E.Message();
    const size_t At = M.rfind(u"(at byte ");
    const Integer Line = At == String::npos ? 0 : LineOfOffset(Bytes, static_cast<size_t>(LeadingDecimal(M.substr(At + 9))));
    throw Exception(u"XMLDOM Parsing error 1 on line " + IntToStr(Line));
  }
  const IXMLNode Root = Doc.DocumentElement();
  TXmlImport Import(this, LevelToRow, LoadFieldDescr);
  if (Root && Root.NodeType() == ntElement) Import.Records(Root);
  SetColCount(Import.MaxCol() + 1);
  SetRowCount(Import.MaxRow() + 1);
  AllCellsChanged();
}
