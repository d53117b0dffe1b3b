// TExStringGrid: keeping a user's arrangement and look between runs. The column states as one
// string, the column widths and order in an INI file or the registry stand-in (as ColumnSize says),
// the visual properties as a file of key=value lines, and the print settings in an INI file. Also
// TPrintSettings itself and the settings objects the file operations need.
#include <functional>
#include <memory>
#include <vector>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridHTMLSettings.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridIOUtil.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridPrintSettings.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/gridbase/ExUtil.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"

// ---------------------------------------------------------------------------------------------
// TPrintSettings
// ---------------------------------------------------------------------------------------------

TPrintSettings::TPrintSettings(TExStringGrid* AGrid)
    : FGrid(AGrid),
      FFont(new TFont()),
      FHeaderFont(new TFont()),
      FFooterFont(new TFont()),
      FTitleLines(new TStringList()),
      FFixedFont(new TFont()) {}

TPrintSettings::~TPrintSettings() {
  delete FFont;
  delete FHeaderFont;
  delete FFooterFont;
  delete FTitleLines;
  delete FFixedFont;
}

void TPrintSettings::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TPrintSettings*>(Source);
  if (!S) throw EInvalidCast(u"Invalid class typecast");
  FTime = S->FTime;
  FDate = S->FDate;
  FPageNr = S->FPageNr;
  FPageNumSep = S->FPageNumSep;
  FDateFormat = S->FDateFormat;
  FTitle = S->FTitle;
  FFont->Assign(S->FFont);
  FHeaderFont->Assign(S->FHeaderFont);
  FFooterFont->Assign(S->FFooterFont);
  FBorders = S->FBorders;
  FBorderStyle = S->FBorderStyle;
  FTitleText = S->FTitleText;
  FTitleLines->Assign(S->FTitleLines);
  FCentered = S->FCentered;
  FRepeatFixedRows = S->FRepeatFixedRows;
  FRepeatFixedCols = S->FRepeatFixedCols;
  FFooterSize = S->FFooterSize;
  FHeaderSize = S->FHeaderSize;
  FLeftSize = S->FLeftSize;
  FRightSize = S->FRightSize;
  FColumnSpacing = S->FColumnSpacing;
  FRowSpacing = S->FRowSpacing;
  FTitleSpacing = S->FTitleSpacing;
  FOrientation = S->FOrientation;
  FPagePrefix = S->FPagePrefix;
  FPageSuffix = S->FPageSuffix;
  FFixedHeight = S->FFixedHeight;
  FUseFixedHeight = S->FUseFixedHeight;
  FFixedWidth = S->FFixedWidth;
  FUseFixedWidth = S->FUseFixedWidth;
  FFitToPage = S->FFitToPage;
  FNoAutoSize = S->FNoAutoSize;
  FPrintGraphics = S->FPrintGraphics;
  FJobName = S->FJobName;
  FNoAutoSizeRow = S->FNoAutoSizeRow;
  FPageNumberOffset = S->FPageNumberOffset;
  FMaxPagesOffset = S->FMaxPagesOffset;
  FFixedFont->Assign(S->FFixedFont);
  FUseDisplayFont = S->FUseDisplayFont;
  FUseDefaultOrientation = S->FUseDefaultOrientation;
  FBorderColor = S->FBorderColor;
}

// ---------------------------------------------------------------------------------------------
// The settings objects of the file operations
// ---------------------------------------------------------------------------------------------

namespace {

// Holds the print and HTML settings of a grid that did not make them itself; the grid frees it
// with its other components.
class TGridFileSettingsKeeper : public TComponent {
 public:
  explicit TGridFileSettingsKeeper(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TGridFileSettingsKeeper"; }
  std::unique_ptr<TPrintSettings> Print;
  std::unique_ptr<THTMLSettings> HTML;
};

}  // namespace

void TExStringGrid::EnsureFileSettings() {
  if (FPrintSettings && FHTMLSettings) return;
  auto* Keeper = new TGridFileSettingsKeeper(this);
  if (!FPrintSettings) {
    Keeper->Print = std::make_unique<TPrintSettings>(this);
    FPrintSettings = Keeper->Print.get();
  }
  if (!FHTMLSettings) {
    Keeper->HTML = std::make_unique<THTMLSettings>();
    FHTMLSettings = Keeper->HTML.get();
  }
}

// ---------------------------------------------------------------------------------------------
// Column states
// ---------------------------------------------------------------------------------------------

namespace {

// For every column p the position at which p stands in Order. A list that is no arrangement of
// 0 … n - 1 gives every column its own place, so the arranging never reaches outside the columns.
std::vector<Integer> InversePermutation(const std::vector<Integer>& Order) {
  const Integer N = static_cast<Integer>(Order.size());
  std::vector<Integer> Inv(Order.size(), -1);
  for (Integer k = 0; k < N; ++k) {
    const Integer p = Order[k];
    if (p < 0 || p >= N || Inv[p] != -1) break;
    Inv[p] = k;
  }
  for (Integer p = 0; p < N; ++p)
    if (Inv[p] == -1) {
      for (Integer i = 0; i < N; ++i) Inv[i] = i;
      break;
    }
  return Inv;
}

void SetOrderList(TIntList* List, const std::vector<Integer>& Values) {
  List->Clear();
  for (Integer V : Values) List->Add(V);
}

}  // namespace

String TExStringGrid::ColumnStatesToString() {
  const Integer N = ColCount() + NumHiddenColumns();
  std::vector<Integer> Widths, Order, Visible;
  for (Integer i = 0; i < N; ++i) Widths.push_back(i < ColCount() ? ColWidths(i) : DefaultColWidth());
  if (FColumnOrder->Count() > 0)
    for (Integer i = 0; i < FColumnOrder->Count(); ++i) Order.push_back(FColumnOrder->Items(i));
  else
    for (Integer i = 0; i < N; ++i) Order.push_back(i);
  for (Integer i = 0; i < N; ++i) Visible.push_back(IsHiddenColumn(i) ? 0 : 1);
  return IntToStr(N) + u"#" + GridJoinNumbers(Widths) + u"#" + GridJoinNumbers(Order) + u"#" + GridJoinNumbers(Visible);
}

void TExStringGrid::StringToColumnStates(const String& Value) {
  if (Value.find(u'#') == String::npos) return;
  // The four parts: count, widths, order, visibility.
  std::vector<String> Parts;
  String Rest = Value;
  for (Integer i = 0; i < 3; ++i) {
    const size_t P = Rest.find(u'#');
    if (P == String::npos) break;
    Parts.push_back(Rest.substr(0, P));
    Rest = Rest.substr(P + 1);
  }
  Parts.push_back(Rest);
  Parts.resize(4);

  // Every number the string gives for the columns is read before anything changes, so a damaged
  // string raises its conversion error and leaves the arrangement as it was.
  const Integer N = StrToInt(Trim(Parts[0]));
  if (N > GridFileMaxColCount) throw EConvertError(u"'" + Trim(Parts[0]) + u"' is not a valid column count");
  const std::vector<String> WidthItems = GridSplitCommas(Parts[1]);
  const std::vector<String> OrderItems = GridSplitCommas(Parts[2]);
  auto ReadNumbers = [N](const std::vector<String>& Items) {
    std::vector<Integer> Values;
    for (Integer i = 0; i < N && i < static_cast<Integer>(Items.size()); ++i) Values.push_back(StrToInt(Trim(Items[i])));
    return Values;
  };
  const std::vector<Integer> WidthValues = ReadNumbers(WidthItems);
  const std::vector<Integer> OrderValues = ReadNumbers(OrderItems);
  auto Entry = [](const std::vector<Integer>& Values, const std::vector<String>& Items, Integer i) {
    return i < static_cast<Integer>(Values.size()) ? Values[i] : StrToInt(Trim(Items[i]));
  };

  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(std::max(N, 0));

  if (!Parts[2].empty()) {
    std::vector<Integer> Saved;
    for (Integer i = 0; i < ColCount() && i < static_cast<Integer>(OrderItems.size()); ++i) {
      const Integer V = Entry(OrderValues, OrderItems, i);
      if (V != -1) Saved.push_back(V);
    }
    SetOrderList(FColumnOrder, InversePermutation(Saved));
    if (FColumnOrder->Count() > 0) ResetColumnOrder();
    SetOrderList(FColumnOrder, Saved);
  }

  const std::vector<String> Flags = GridSplitCommas(Parts[3]);
  for (Integer c = std::min(ColCount(), static_cast<Integer>(Flags.size())) - 1; c >= 0; --c)
    if (Trim(Flags[c]) == u"0") HideColumn(c);

  const bool Stretching = FColumnSize->Stretch();
  FColumnSize->SetStretch(false);
  if (Stretching && ColCount() > 0) {
    Integer SC = FColumnSize->StretchColumn();
    if (SC < 0 || SC >= ColCount()) SC = ColCount() - 1;
    SetDefaultColWidth(ColWidths(SC));
  }
  for (Integer i = 0; i < ColCount() && i < static_cast<Integer>(WidthItems.size()); ++i)
    SetColWidths(i, GridFileExtent(Entry(WidthValues, WidthItems, i)));
  FColumnSize->SetStretch(Stretching);
}

// ---------------------------------------------------------------------------------------------
// Column widths and order in the ColumnSize store
// ---------------------------------------------------------------------------------------------

namespace {

// The store ColumnSize names: an INI file (read whole, rewritten in the ANSI code page) or a key
// of the registry stand-in under the current user with the section as a sub-key.
class TColumnSizeStore {
 public:
  TColumnSizeStore(TColumnSizeLocation Location, const String& Key, const String& Section)
      : FSection(Section) {
    if (Location == clIniFile) {
      FIni = std::make_unique<TMemIniFile>(Key);
    } else {
      FReg = std::make_unique<TRegistry>();
      FReg->SetRootKey(HKEY_CURRENT_USER);
      const String Path = Key + u"\\" + Section;
      if (!FReg->OpenKey(Path, true)) throw ERegistryException(u"Failed to create key " + Path);
    }
  }

  bool Exists(const String& Name) {
    return FIni ? FIni->ValueExists(FSection, Name) : FReg->ValueExists(Name);
  }

  Integer Read(const String& Name, Integer Default) {
    if (FIni) return FIni->ReadInteger(FSection, Name, Default);
    if (!FReg->ValueExists(Name)) return Default;
    if (FReg->GetDataType(Name) == rdString) return StrToIntDef(FReg->ReadString(Name), Default);
    return FReg->ReadInteger(Name);
  }

  // A registry value that already holds text stays text.
  void Write(const String& Name, Integer Value) {
    if (FIni) {
      FIni->WriteInteger(FSection, Name, Value);
    } else if (FReg->ValueExists(Name) && FReg->GetDataType(Name) == rdString) {
      FReg->WriteString(Name, IntToStr(Value));
    } else {
      FReg->WriteInteger(Name, Value);
    }
  }

  void Update() {
    if (FIni) {
      FIni->SetEncoding(TEncoding::ANSI);
      FIni->UpdateFile();
    } else {
      FReg->CloseKey();
    }
  }

 private:
  String FSection;
  std::unique_ptr<TMemIniFile> FIni;
  std::unique_ptr<TRegistry> FReg;
};

}  // namespace

void TExStringGrid::SaveColSizes() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || HasState(csDesigning)) return;
  TColumnSizeStore Store(FColumnSize->Location(), FColumnSize->Key(), FColumnSize->Section());
  for (Integer i = 0; i < ColCount(); ++i) Store.Write(u"Col" + IntToStr(i), ColWidths(i));
  Store.Update();
}

void TExStringGrid::LoadColSizes() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || HasState(csDesigning)) return;
  TColumnSizeStore Store(FColumnSize->Location(), FColumnSize->Key(), FColumnSize->Section());
  for (Integer i = 0; i < ColCount(); ++i) {
    const Integer W = GridFileExtent(Store.Read(u"Col" + IntToStr(i), ColWidths(i)));
    if (W != ColWidths(i)) SetColWidths(i, W);
  }
  Store.Update();
}

void TExStringGrid::SaveColPositions() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || HasState(csDesigning)) return;
  TColumnSizeStore Store(FColumnSize->Location(), FColumnSize->Key(), FColumnSize->Section());
  for (Integer i = 0; i < FColumnOrder->Count(); ++i) Store.Write(u"Pos" + IntToStr(i), FColumnOrder->Items(i));
  Store.Update();
}

void TExStringGrid::LoadColPositions() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || HasState(csDesigning)) return;
  TColumnSizeStore Store(FColumnSize->Location(), FColumnSize->Key(), FColumnSize->Section());
  if (Store.Exists(u"Pos0")) {
    std::vector<Integer> Saved;
    const Integer All = AllColCount();
    for (Integer i = 0; i < All; ++i) {
      const Integer V = Store.Read(u"Pos" + IntToStr(i), -1);
      if (V != -1) Saved.push_back(V);
    }
    SetOrderList(FColumnOrder, InversePermutation(Saved));
    std::vector<Integer> Hidden;
    for (Integer c = 0; c < All; ++c)
      if (IsHiddenColumn(c)) Hidden.push_back(c);
    UnHideColumnsAll();
    ResetColumnOrder();
    for (auto It = Hidden.rbegin(); It != Hidden.rend(); ++It) HideColumn(*It);
    SetOrderList(FColumnOrder, Saved);
  }
  Store.Update();
}

// ---------------------------------------------------------------------------------------------
// Visual properties
// ---------------------------------------------------------------------------------------------

namespace {

enum TVisualKind { vkColor, vkBool, vkInteger, vkStyle, vkName, vkEnum };

// One key of the visual-properties file: how its value reads and writes. Enumerations keep their
// value names; Get and Set of an enumeration work on its ordinal.
struct TVisualKey {
  String Key;
  TVisualKind Kind;
  std::function<Integer(TExStringGrid*)> Get;
  std::function<void(TExStringGrid*, Integer)> Set;
  std::vector<const char16_t*> Names = {};
  // Font names only.
  std::function<String(TExStringGrid*)> GetText = nullptr;
  std::function<void(TExStringGrid*, const String&)> SetText = nullptr;
};

const char16_t* const StyleNames[] = {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"};

String StyleToText(TFontStyles Styles) {
  String S;
  for (Integer i = 0; i < 4; ++i)
    if (Styles.Contains(static_cast<TFontStyle>(i))) {
      if (!S.empty()) S += u',';
      S += StyleNames[i];
    }
  return S;
}

TFontStyles TextToStyle(const String& S) {
  TFontStyles Styles;
  const String U = UpperCase(S);
  for (Integer i = 0; i < 4; ++i)
    if (U.find(UpperCase(StyleNames[i])) != String::npos) Styles.Include(static_cast<TFontStyle>(i));
  return Styles;
}

// The four keys of a font reached through Font.
void AddFontKeys(std::vector<TVisualKey>& Keys, const String& Prefix, std::function<TFont*(TExStringGrid*)> Font) {
  Keys.push_back({Prefix + u".Color", vkColor, [Font](TExStringGrid* G) { return Font(G)->Color(); },
                  [Font](TExStringGrid* G, Integer V) { Font(G)->SetColor(V); }});
  Keys.push_back({Prefix + u".Style", vkStyle,
                  [Font](TExStringGrid* G) { return static_cast<Integer>(Font(G)->Style().Bits()); },
                  [Font](TExStringGrid* G, Integer V) { Font(G)->SetStyle(TFontStyles::FromBits(static_cast<Byte>(V))); }});
  Keys.push_back({Prefix + u".Size", vkInteger, [Font](TExStringGrid* G) { return Font(G)->Size(); },
                  [Font](TExStringGrid* G, Integer V) { Font(G)->SetSize(GridFileFontSize(V)); }});
  Keys.push_back({Prefix + u".Name", vkName, nullptr, nullptr, {},
                  [Font](TExStringGrid* G) { return Font(G)->Name(); },
                  [Font](TExStringGrid* G, const String& V) { Font(G)->SetName(V); }});
}

#define VK_COLOR(K, GET, SET) \
  {K, vkColor, [](TExStringGrid* G) -> Integer { return GET; }, [](TExStringGrid* G, Integer V) { SET; }}
#define VK_BOOL(K, GET, SET) \
  {K, vkBool, [](TExStringGrid* G) -> Integer { return (GET) ? 1 : 0; }, [](TExStringGrid* G, Integer V) { SET; }}
#define VK_INT(K, GET, SET) \
  {K, vkInteger, [](TExStringGrid* G) -> Integer { return GET; }, [](TExStringGrid* G, Integer V) { SET; }}

// The keys in the order they are written.
const std::vector<TVisualKey>& VisualKeys() {
  static const std::vector<TVisualKey> Keys = [] {
    std::vector<TVisualKey> K = {
        VK_COLOR(u"Color", G->Color(), G->SetColor(V)),
        VK_COLOR(u"HintColor", G->HintColor(), G->SetHintColor(V)),
        VK_COLOR(u"SelectionColor", G->SelectionColor(), G->SetSelectionColor(V)),
        VK_COLOR(u"SelectionColorTo", G->SelectionColorTo(), G->SetSelectionColorTo(V)),
        VK_COLOR(u"SelectionMirrorColor", G->SelectionMirrorColor(), G->SetSelectionMirrorColor(V)),
        VK_COLOR(u"SelectionMirrorColorTo", G->SelectionMirrorColorTo(), G->SetSelectionMirrorColorTo(V)),
        VK_COLOR(u"SelectionTextColor", G->SelectionTextColor(), G->SetSelectionTextColor(V)),
        VK_COLOR(u"URLColor", G->URLColor(), G->SetURLColor(V)),
        VK_BOOL(u"URLShow", G->URLShow(), G->SetURLShow(V != 0)),
        VK_BOOL(u"URLShowInText", G->URLShowInText(), G->SetURLShowInText(V != 0)),
        VK_COLOR(u"ScrollColor", G->ScrollColor(), G->SetScrollColor(V)),
        VK_COLOR(u"ActiveRowColor", G->ActiveRowColor(), G->SetActiveRowColor(V)),
        VK_BOOL(u"ActiveRowShow", G->ActiveRowShow(), G->SetActiveRowShow(V != 0)),
        VK_BOOL(u"ActiveCellShow", G->ActiveCellShow(), G->SetActiveCellShow(V != 0)),
    };
    AddFontKeys(K, u"Font", [](TExStringGrid* G) { return G->Font(); });
    K.push_back(VK_COLOR(u"ActiveCellColor", G->ActiveCellColor(), G->SetActiveCellColor(V)));
    K.push_back(VK_COLOR(u"ActiveCellColorTo", G->ActiveCellColorTo(), G->SetActiveCellColorTo(V)));
    AddFontKeys(K, u"ActiveCellFont", [](TExStringGrid* G) { return G->ActiveCellFont(); });
    AddFontKeys(K, u"FixedFont", [](TExStringGrid* G) { return G->FixedFont(); });
    const std::vector<TVisualKey> More = {
        VK_COLOR(u"Balloon.BackgroundColor", G->Balloon()->BackgroundColor(), G->Balloon()->SetBackgroundColor(V)),
        VK_COLOR(u"Balloon.TextColor", G->Balloon()->TextColor(), G->Balloon()->SetTextColor(V)),
        VK_INT(u"Balloon.Transparency", G->Balloon()->Transparency(),
               G->Balloon()->SetTransparency(static_cast<Byte>(V))),
        VK_COLOR(u"Bands.PrimaryColor", G->Bands()->PrimaryColor(), G->Bands()->SetPrimaryColor(V)),
        VK_COLOR(u"Bands.SecondaryColor", G->Bands()->SecondaryColor(), G->Bands()->SetSecondaryColor(V)),
        VK_BOOL(u"Bands.Active", G->Bands()->Active(), G->Bands()->SetActive(V != 0)),
        VK_COLOR(u"SortSettings.IndexColor", G->SortSettings()->IndexColor(), G->SortSettings()->SetIndexColor(V)),
        VK_COLOR(u"FloatingFooter.Color", G->FloatingFooter()->Color(), G->FloatingFooter()->SetColor(V)),
        VK_INT(u"ControlLook.CheckSize", G->ControlLook()->CheckSize(), G->ControlLook()->SetCheckSize(GridFileExtent(V))),
        VK_COLOR(u"ControlLook.Color", G->ControlLook()->Color(), G->ControlLook()->SetColor(V)),
        VK_COLOR(u"ControlLook.CommentColor", G->ControlLook()->CommentColor(), G->ControlLook()->SetCommentColor(V)),
        {u"ControlLook.ControlStyle", vkEnum, [](TExStringGrid* G) -> Integer { return G->ControlLook()->ControlStyle(); },
         [](TExStringGrid* G, Integer V) { G->ControlLook()->SetControlStyle(static_cast<TGridControlStyle>(V)); },
         {u"csClassic", u"csFlat", u"csWinXP", u"csBorland", u"csNorv", u"csGlyph", u"csTheme"}},
        VK_COLOR(u"ControlLook.FixedGradientFrom", G->ControlLook()->FixedGradientFrom(),
                 G->ControlLook()->SetFixedGradientFrom(V)),
        VK_COLOR(u"ControlLook.FixedGradientTo", G->ControlLook()->FixedGradientTo(),
                 G->ControlLook()->SetFixedGradientTo(V)),
        VK_INT(u"ControlLook.RadioSize", G->ControlLook()->RadioSize(), G->ControlLook()->SetRadioSize(GridFileExtent(V))),
        VK_BOOL(u"ControlLook.FlatButton", G->ControlLook()->FlatButton(), G->ControlLook()->SetFlatButton(V != 0)),
        VK_COLOR(u"ControlLook.ProgressBorderColor", G->ControlLook()->ProgressBorderColor(),
                 G->ControlLook()->SetProgressBorderColor(V)),
        VK_BOOL(u"ControlLook.ProgressXP", G->ControlLook()->ProgressXP(), G->ControlLook()->SetProgressXP(V != 0)),
        // glCustom has no name and is written as an empty value.
        {u"Look", vkEnum, [](TExStringGrid* G) -> Integer { return G->Look(); },
         [](TExStringGrid* G, Integer V) { G->SetLook(static_cast<TGridLook>(V)); },
         {u"glStandard", u"glSoft", u"glClassic", u"glNorv", u"glXP", u"glListView", u"glVista", u"glWin7",
          u"glOffice2007", u""}},
        VK_COLOR(u"SearchFooter.Color", G->SearchFooter()->Color(), G->SearchFooter()->SetColor(V)),
        VK_COLOR(u"SearchFooter.ColorTo", G->SearchFooter()->ColorTo(), G->SearchFooter()->SetColorTo(V)),
        VK_COLOR(u"Grouping.HeaderColor", G->Grouping()->HeaderColor(), G->Grouping()->SetHeaderColor(V)),
        VK_COLOR(u"Grouping.HeaderColorTo", G->Grouping()->HeaderColorTo(), G->Grouping()->SetHeaderColorTo(V)),
        VK_COLOR(u"Grouping.HeaderTextColor", G->Grouping()->HeaderTextColor(), G->Grouping()->SetHeaderTextColor(V)),
        VK_BOOL(u"Grouping.HeaderUnderline", G->Grouping()->HeaderUnderline(),
                G->Grouping()->SetHeaderUnderline(V != 0)),
        VK_COLOR(u"Grouping.HeaderLineColor", G->Grouping()->HeaderLineColor(), G->Grouping()->SetHeaderLineColor(V)),
        VK_INT(u"Grouping.HeaderLineWidth", G->Grouping()->HeaderLineWidth(), G->Grouping()->SetHeaderLineWidth(GridFileExtent(V))),
        VK_COLOR(u"Grouping.SummaryColor", G->Grouping()->SummaryColor(), G->Grouping()->SetSummaryColor(V)),
        VK_COLOR(u"Grouping.SummaryColorTo", G->Grouping()->SummaryColorTo(), G->Grouping()->SetSummaryColorTo(V)),
        VK_COLOR(u"Grouping.SummaryTextColor", G->Grouping()->SummaryTextColor(),
                 G->Grouping()->SetSummaryTextColor(V)),
        VK_BOOL(u"Grouping.SummaryLine", G->Grouping()->SummaryLine(), G->Grouping()->SetSummaryLine(V != 0)),
        VK_COLOR(u"Grouping.SummaryLineColor", G->Grouping()->SummaryLineColor(),
                 G->Grouping()->SetSummaryLineColor(V)),
        VK_INT(u"Grouping.SummaryLineWidth", G->Grouping()->SummaryLineWidth(),
               G->Grouping()->SetSummaryLineWidth(GridFileExtent(V))),
        VK_COLOR(u"GridLineColor", G->GridLineColor(), G->SetGridLineColor(V)),
        VK_COLOR(u"GridFixedLineColor", G->GridFixedLineColor(), G->SetGridFixedLineColor(V)),
        VK_INT(u"BackGround.Top", G->BackGround()->Top(), G->BackGround()->SetTop(GridFileOffset(V))),
        VK_INT(u"BackGround.Left", G->BackGround()->Left(), G->BackGround()->SetLeft(GridFileOffset(V))),
        {u"BackGround.Display", vkEnum, [](TExStringGrid* G) -> Integer { return G->BackGround()->Display(); },
         [](TExStringGrid* G, Integer V) { G->BackGround()->SetDisplay(static_cast<TBackGroundDisplay>(V)); },
         {u"bdTile", u"bdFixed", u"bdGradientHorz", u"bdGradientVert"}},
        {u"BackGround.Cells", vkEnum, [](TExStringGrid* G) -> Integer { return G->BackGround()->Cells(); },
         [](TExStringGrid* G, Integer V) { G->BackGround()->SetCells(static_cast<TBackGroundCells>(V)); },
         {u"bcNormal", u"bcFixed", u"bcAll"}},
        VK_COLOR(u"BackGround.Color", G->BackGround()->Color(), G->BackGround()->SetColor(V)),
        VK_COLOR(u"BackGround.ColorTo", G->BackGround()->ColorTo(), G->BackGround()->SetColorTo(V)),
    };
    K.insert(K.end(), More.begin(), More.end());
    return K;
  }();
  return Keys;
}

#undef VK_COLOR
#undef VK_BOOL
#undef VK_INT

String VisualValueText(TExStringGrid* G, const TVisualKey& K) {
  switch (K.Kind) {
    case vkColor: return GridColorToString(K.Get(G));
    case vkBool: return K.Get(G) ? u"true" : u"false";
    case vkInteger: return IntToStr(K.Get(G));
    case vkStyle: return StyleToText(TFontStyles::FromBits(static_cast<Byte>(K.Get(G))));
    case vkName: return K.GetText(G);
    case vkEnum: {
      const Integer V = K.Get(G);
      return V >= 0 && V < static_cast<Integer>(K.Names.size()) ? String(K.Names[V]) : String();
    }
  }
  return String();
}

void ApplyVisualValue(TExStringGrid* G, const TVisualKey& K, const String& Value) {
  switch (K.Kind) {
    case vkColor: K.Set(G, Value.empty() ? clNone : GridStringToColor(Value)); break;
    case vkBool: K.Set(G, SameText(Value, u"TRUE") ? 1 : 0); break;
    case vkInteger: K.Set(G, StrToInt(Value)); break;
    case vkStyle: K.Set(G, TextToStyle(Value).Bits()); break;
    case vkName:
      // A font without a name keeps the one it has.
      if (!Value.empty()) K.SetText(G, Value);
      break;
    case vkEnum:
      for (size_t i = 0; i < K.Names.size(); ++i)
        if (K.Names[i][0] != 0 && SameText(Value, K.Names[i])) {
          K.Set(G, static_cast<Integer>(i));
          break;
        }
      break;
  }
}

}  // namespace

void TExStringGrid::SaveVisualProps(const String& FileName) {
  TStringList Lines;
  for (const TVisualKey& K : VisualKeys()) Lines.Add(K.Key + u"=" + VisualValueText(this, K));
  try {
    Lines.SaveToFile(FileName, TEncoding::ANSI);
  } catch (const EStreamError&) {
    throw Exception(u"Cannot Create " + FileName);
  }
}

void TExStringGrid::LoadVisualProps(const String& FileName) {
  TStringList Lines;
  try {
    Lines.LoadFromFile(FileName);
  } catch (const EStreamError&) {
    throw Exception(u"Cannot open file " + FileName);
  }
  const std::vector<TVisualKey>& Keys = VisualKeys();
  auto Apply = [&](const TVisualKey& K) {
    const Integer I = Lines.IndexOfName(K.Key);
    ApplyVisualValue(this, K, I >= 0 ? Lines.ValueFromIndex(I) : String());
  };
  // The look first: choosing a look resets colours that the file's other keys then set again.
  for (const TVisualKey& K : Keys)
    if (K.Key == u"Look") Apply(K);
  for (const TVisualKey& K : Keys)
    if (K.Key != u"Look") Apply(K);
}

// ---------------------------------------------------------------------------------------------
// Print settings
// ---------------------------------------------------------------------------------------------

namespace {

Integer StyleToMask(TFontStyles S) {
  return (S.Contains(fsBold) ? 1 : 0) | (S.Contains(fsItalic) ? 2 : 0) | (S.Contains(fsUnderline) ? 4 : 0) |
         (S.Contains(fsStrikeOut) ? 8 : 0);
}

// The styles of the mask's bits are added to the font's own; none is taken away.
void AddMaskStyles(TFont* Font, Integer Mask) {
  TFontStyles S = Font->Style();
  if (Mask & 1) S.Include(fsBold);
  if (Mask & 2) S.Include(fsItalic);
  if (Mask & 4) S.Include(fsUnderline);
  if (Mask & 8) S.Include(fsStrikeOut);
  Font->SetStyle(S);
}

String YN(bool B) { return B ? u"Y" : u"N"; }

}  // namespace

void TExStringGrid::SavePrintSettings(const String& Key, const String& Section) {
  EnsureFileSettings();
  TPrintSettings* P = FPrintSettings;
  TMemIniFile Ini(Key);
  auto Int = [&](const char16_t* Name, Integer V) { Ini.WriteInteger(Section, Name, V); };
  auto Str = [&](const char16_t* Name, const String& V) { Ini.WriteString(Section, Name, V); };
  Int(u"ColumnSpacing", P->ColumnSpacing());
  Int(u"RowSpacing", P->RowSpacing());
  Int(u"TitleSpacing", P->TitleSpacing());
  Int(u"FixedHeight", P->FixedHeight());
  Int(u"FixedWidth", P->FixedWidth());
  Str(u"Centered", YN(P->Centered()));
  Str(u"NoAutoSize", YN(P->NoAutoSize()));
  Str(u"UseFixedHeight", YN(P->UseFixedHeight()));
  Str(u"UseFixedWidth", YN(P->UseFixedWidth()));
  Str(u"RepeatFixedRows", YN(P->RepeatFixedRows()));
  Str(u"RepeatFixedCols", YN(P->RepeatFixedCols()));
  Str(u"UseDisplFont", YN(P->UseDisplayFont()));
  Str(u"UseDefOrientation", YN(P->UseDefaultOrientation()));
  Int(u"Borders", P->Borders());
  Int(u"BorderColor", P->BorderColor());
  Int(u"BorderStyle", P->BorderStyle());
  Int(u"Date", P->Date());
  Int(u"PageNr", P->PageNr());
  Int(u"Title", P->Title());
  Int(u"Time", P->Time());
  Str(u"DateFormat", P->DateFormat());
  Str(u"TitleText", P->TitleText());
  Int(u"FooterSize", P->FooterSize());
  Int(u"HeaderSize", P->HeaderSize());
  Int(u"LeftSize", P->LeftSize());
  Int(u"RightSize", P->RightSize());
  Int(u"FitToPage", P->FitToPage());
  Str(u"FontName", P->Font()->Name());
  Int(u"FontSize", P->Font()->Size());
  Int(u"FontStyle", StyleToMask(P->Font()->Style()));
  Int(u"FontColor", P->Font()->Color());
  Str(u"HeaderFontName", P->HeaderFont()->Name());
  Int(u"HeaderFontSize", P->HeaderFont()->Size());
  Int(u"HeaderFontStyle", StyleToMask(P->HeaderFont()->Style()));
  Int(u"HeaderFontColor", P->HeaderFont()->Color());
  Str(u"FooterFontName", P->FooterFont()->Name());
  Int(u"FooterFontSize", P->FooterFont()->Size());
  Int(u"FooterFontStyle", StyleToMask(P->FooterFont()->Style()));
  Int(u"FooterFontColor", P->FooterFont()->Color());
  Str(u"PageNumSep", P->PageNumSep());
  Str(u"PageSuffix", P->PageSuffix());
  Str(u"PagePrefix", P->PagePrefix());
  Int(u"Orientation", P->Orientation());
  Str(u"TitleLines", EncodeNewlineEscapes(P->TitleLines()->Text()));
  Str(u"PrintGraphics", YN(P->PrintGraphics()));
  Ini.SetEncoding(TEncoding::ANSI);
  Ini.UpdateFile();
}

void TExStringGrid::LoadPrintSettings(const String& Key, const String& Section) {
  EnsureFileSettings();
  TPrintSettings* P = FPrintSettings;
  TMemIniFile Ini(Key);
  auto Int = [&](const char16_t* Name, Integer Default) { return Ini.ReadInteger(Section, Name, Default); };
  auto Str = [&](const char16_t* Name, const String& Default) { return Ini.ReadString(Section, Name, Default); };
  auto Bool = [&](const char16_t* Name, const char16_t* Default) { return Str(Name, Default) == u"Y"; };
  auto Position = [&](const char16_t* Name) {
    const Integer V = Int(Name, 0);
    return V >= 1 && V <= 6 ? static_cast<TPrintPosition>(V) : ppNone;
  };
  // Spacings, margins and fixed sizes are held inside the bounds of the grid's files, either sign.
  auto Extent = [&](const char16_t* Name, Integer Default) { return GridFileOffset(Int(Name, Default)); };
  P->SetColumnSpacing(Extent(u"ColumnSpacing", 20));
  P->SetRowSpacing(Extent(u"RowSpacing", 20));
  P->SetTitleSpacing(Extent(u"TitleSpacing", 20));
  P->SetFixedHeight(Extent(u"FixedHeight", 0));
  P->SetFixedWidth(Extent(u"FixedWidth", 0));
  P->SetCentered(Bool(u"Centered", u"Y"));
  P->SetNoAutoSize(Bool(u"NoAutoSize", u"N"));
  P->SetUseFixedHeight(Bool(u"UseFixedHeight", u"N"));
  P->SetUseFixedWidth(Bool(u"UseFixedWidth", u"N"));
  P->SetRepeatFixedRows(Bool(u"RepeatFixedRows", u"N"));
  P->SetRepeatFixedCols(Bool(u"RepeatFixedCols", u"N"));
  P->SetUseDisplayFont(Bool(u"UseDisplFont", u"N"));
  P->SetUseDefaultOrientation(Bool(u"UseDefOrientation", u"N"));
  const Integer Borders = Int(u"Borders", 0);
  if (Borders >= 0 && Borders <= 8) P->SetBorders(static_cast<TPrintBorders>(Borders));
  P->SetBorderColor(Int(u"BorderColor", 0));
  const Integer BorderStyle = Int(u"BorderStyle", 0);
  if (BorderStyle >= 0 && BorderStyle <= 6) P->SetBorderStyle(static_cast<TPenStyle>(BorderStyle));
  P->SetDate(Position(u"Date"));
  P->SetPageNr(Position(u"PageNr"));
  P->SetTitle(Position(u"Title"));
  P->SetTime(Position(u"Time"));
  P->SetDateFormat(Str(u"DateFormat", String()));
  P->SetTitleText(Str(u"TitleText", String()));
  P->SetFooterSize(Extent(u"FooterSize", 100));
  P->SetHeaderSize(Extent(u"HeaderSize", 100));
  P->SetLeftSize(Extent(u"LeftSize", 100));
  P->SetRightSize(Extent(u"RightSize", 100));
  const Integer Fit = Int(u"FitToPage", 0);
  if (Fit >= 0 && Fit <= 4) P->SetFitToPage(static_cast<TFitToPage>(Fit));
  auto ReadFont = [&](TFont* F, const char16_t* Prefix) {
    const String Pre = Prefix;
    F->SetName(Str((Pre + u"FontName").c_str(), u"Arial"));
    F->SetSize(GridFileFontSize(Int((Pre + u"FontSize").c_str(), 10)));
    AddMaskStyles(F, Int((Pre + u"FontStyle").c_str(), 0));
    F->SetColor(Int((Pre + u"FontColor").c_str(), 0));
  };
  ReadFont(P->Font(), u"");
  ReadFont(P->HeaderFont(), u"Header");
  ReadFont(P->FooterFont(), u"Footer");
  P->SetPageNumSep(Str(u"PageNumSep", String()));
  P->SetPageSuffix(Str(u"PageSuffix", String()));
  P->SetPagePrefix(Str(u"PagePrefix", String()));
  const Integer Orientation = Int(u"Orientation", 0);
  if (Orientation == 0 || Orientation == 1) P->SetOrientation(static_cast<TPrinterOrientation>(Orientation));
  P->TitleLines()->SetText(DecodeNewlineEscapes(Str(u"TitleLines", String())));
  P->SetPrintGraphics(Bool(u"PrintGraphics", u"N"));
  Ini.SetEncoding(TEncoding::ANSI);
  Ini.UpdateFile();
}
