// TExStringGrid: the module values, construction and destruction, window creation, end of
// streaming, copying, the dimension properties, the dispatch operations and the simple properties.
#include "components/grid/ExGrid.h"

#include <algorithm>

#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridFooter.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridHTMLSettings.h"
#include "components/grid/ExGridHints.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridPrintSettings.h"
#include "components/grid/ExGridSearchPanel.h"
#include "components/grid/ExGridSortSettings.h"
#include "components/dropdown/ExDateTimePicker.h"  // DTPShiftFocusMessage
#include "components/gridbase/EsgHTMLE.h"
#include "components/gridbase/ExStyleIF.h"
#include "components/gridbase/ExGridCheck.h"
#include "components/gridbase/ExOverlay.h"
#include "components/gridbase/ExUtil.h"
#include "components/gridbase/PictureContainer.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

// --- Module values ------------------------------------------------------------------------------

Word GridCellsClipboardFormat = 0;
UINT GridEditDoneMessage = 0;
String GridHintFontName;
TExStringGrid* ActiveFocusGrid = nullptr;
bool DateTimePickerSupported = true;
TCursor GridURLCursor = crHandPoint;

namespace {
Integer GridUnitInitCount = 0;
// The hook that moves the focus frame of ActiveFocusGrid whenever a window moves; 0 when none.
intptr_t GridWindowPosHook = 0;
}  // namespace

void InitExGridModule() {
  if (GridUnitInitCount++ > 0) return;
  ActiveFocusGrid = nullptr;
  if (!GridWindowPosHook)
    GridWindowPosHook = AddWindowPosHook([](TWinControl*) {
      if (ActiveFocusGrid) ActiveFocusGrid->MoveFocusFrame();
    });
  // The date and time editors are built on the layer's own picker, always present.
  DateTimePickerSupported = true;
  GridCellsClipboardFormat = static_cast<Word>(RegisterClipboardFormat(u"TExStringGrid Cells"));
  GridEditDoneMessage = RegisterWindowMessage(u"GridEditDone");
  DTPShiftFocusMessage();
}

void DoneExGridModule() {
  if (GridUnitInitCount <= 0) return;
  if (--GridUnitInitCount > 0) return;
  ActiveFocusGrid = nullptr;
  if (GridWindowPosHook) RemoveWindowPosHook(GridWindowPosHook);
  GridWindowPosHook = 0;
  GridHintFontName.clear();
}

Char GridTimeSeparator() { return FormatSettings.TimeSeparator; }
Char GridDateSeparator() { return FormatSettings.DateSeparator; }
Char GridThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char GridDecimalSeparator() { return FormatSettings.DecimalSeparator; }
String GridShortDateFormat() { return FormatSettings.ShortDateFormat; }
String GridShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
String GridLongTimeFormat() { return FormatSettings.LongTimeFormat; }

// --- TColumnSize --------------------------------------------------------------------------------

TColumnSize::TColumnSize(TExStringGrid* AOwner) : FOwner(AOwner) {}

void TColumnSize::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TColumnSize*>(Source);
  if (!S) return;
  FRows = S->FRows;
  FSave = S->FSave;
  FKey = S->FKey;
  FSection = S->FSection;
  FStretch = S->FStretch;
  FStretchColumn = S->FStretchColumn;
  FSynchWithGrid = S->FSynchWithGrid;
  FSynchNormalCellsOnly = S->FSynchNormalCellsOnly;
  FLocation = S->FLocation;
}

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (FOwner && FOwner->Parent()) FOwner->StretchColumn(FStretchColumn);
}

// --- TGridItem ----------------------------------------------------------------------------------

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItem::~TGridItem() { delete FItems; }

TStrings* TGridItem::Items() const {
  if (!FItems) {
    auto* L = new TStringList();
    L->SetCapacity(FCols);
    const size_t Stored = FRow ? FRow->Cells.size() : 0;
    for (Integer c = 0; c < FCols; ++c) {
      if (static_cast<size_t>(c) < Stored)
        L->AddObject(FRow->Cells[static_cast<size_t>(c)].Text, FRow->Cells[static_cast<size_t>(c)].Object);
      else
        L->Add(String());
    }
    FItems = L;
    FRow.reset();
  }
  return FItems;
}

void TGridItem::SetItems(TStrings* Value) {
  FItems = Value;
  FRow.reset();
  FCols = 0;
}

void TGridItem::SetCellRow(std::unique_ptr<TGridCellRow> Row, Integer Cols) {
  delete FItems;
  FItems = nullptr;
  FRow = std::move(Row);
  FCols = std::max<Integer>(Cols, 0);
  if (FRow && FRow->Cells.size() > static_cast<size_t>(FCols)) FRow->Cells.resize(static_cast<size_t>(FCols));
}

std::unique_ptr<TGridCellRow> TGridItem::TakeCellRow() {
  std::unique_ptr<TGridCellRow> Row;
  if (FItems) {
    Row = std::make_unique<TGridCellRow>();
    Row->Cells.resize(static_cast<size_t>(FItems->Count()));
    for (Integer c = 0; c < FItems->Count(); ++c) {
      Row->Cells[static_cast<size_t>(c)].Text = FItems->Strings(c);
      Row->Cells[static_cast<size_t>(c)].Object = FItems->Objects(c);
    }
    delete FItems;
    FItems = nullptr;
  } else {
    Row = std::move(FRow);
  }
  FCols = 0;
  return Row;
}

Integer TGridItem::CellCount() const { return FItems ? FItems->Count() : FCols; }

namespace {
void CheckCellIndex(Integer ACol, Integer Count) {
  if (ACol < 0 || ACol >= Count) throw EStringListError(Format(u"List index out of bounds (%d)", ACol));
}
}  // namespace

String TGridItem::CellText(Integer ACol) const {
  if (FItems) return FItems->Strings(ACol);
  CheckCellIndex(ACol, FCols);
  return FRow && static_cast<size_t>(ACol) < FRow->Cells.size() ? FRow->Cells[static_cast<size_t>(ACol)].Text : String();
}

TObject* TGridItem::CellObject(Integer ACol) const {
  if (FItems) return FItems->Objects(ACol);
  CheckCellIndex(ACol, FCols);
  return FRow && static_cast<size_t>(ACol) < FRow->Cells.size() ? FRow->Cells[static_cast<size_t>(ACol)].Object : nullptr;
}

TGridCell& TGridItem::RowCell(Integer ACol) {
  CheckCellIndex(ACol, FCols);
  if (!FRow) FRow = std::make_unique<TGridCellRow>();
  if (FRow->Cells.size() <= static_cast<size_t>(ACol)) FRow->Cells.resize(static_cast<size_t>(ACol) + 1);
  return FRow->Cells[static_cast<size_t>(ACol)];
}

void TGridItem::SetCellText(Integer ACol, const String& Value) {
  if (FItems) {
    FItems->SetStrings(ACol, Value);
  } else if (Value.empty() && (!FRow || static_cast<size_t>(ACol) >= FRow->Cells.size())) {
    CheckCellIndex(ACol, FCols);  // an empty cell past the stored ones stays unstored
  } else {
    RowCell(ACol).Text = Value;
  }
}

void TGridItem::SetCellObject(Integer ACol, TObject* Value) {
  if (FItems)
    FItems->SetObjects(ACol, Value);
  else
    RowCell(ACol).Object = Value;
}

void TGridItem::WidenCells(Integer Count) {
  if (FItems)
    while (FItems->Count() < Count) FItems->Add(String());
  else
    FCols = std::max(FCols, Count);
}

void TGridItem::MoveCell(Integer From, Integer To) {
  if (FItems) {
    FItems->Move(From, To);
    return;
  }
  if (From == To) return;
  CheckCellIndex(From, FCols);
  CheckCellIndex(To, FCols);
  if (!FRow || FRow->Cells.size() <= static_cast<size_t>(std::min(From, To))) return;  // both empty
  if (FRow->Cells.size() <= static_cast<size_t>(std::max(From, To))) FRow->Cells.resize(static_cast<size_t>(std::max(From, To)) + 1);
  auto& C = FRow->Cells;
  if (From < To)
    std::rotate(C.begin() + From, C.begin() + From + 1, C.begin() + To + 1);
  else
    std::rotate(C.begin() + To, C.begin() + From, C.begin() + From + 1);
}

// --- Construction and destruction ---------------------------------------------------------------

TExStringGrid::TExStringGrid(TComponent* AOwner) : TBaseGrid(AOwner) {
  InitExGridModule();
  SetControlStyle(ControlStyle() | csAcceptsControls);
  const bool Designing = HasState(csDesigning);
  const bool SearchDesign =
      Designing && !(AOwner && (AOwner->HasState(csLoading) || AOwner->HasState(csReading)));

  FTones.Background.BrushColor = clNone;
  FTones.Background.BorderColor = clNone;
  std::fill(std::begin(MaxWidths), std::end(MaxWidths), 0);
  std::fill(std::begin(Indents), std::end(Indents), 0);

  cf = new TFont();
  FFocusHelper = new TFocusHelper(this);
  FSearchFooter = new TSearchFooter(this, SearchDesign);
  FNavigation = new TNavigation();
  FNavigation->OnChange = [this](TObject*) { NavigationChanged(); };
  FColumnSize = new TColumnSize(this);
  FBands = new TBands();
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FMouseActions = new TMouseActions(this);
  FMouseActions->OnChange = [this](TObject*) { MouseActionsChanged(); };
  FMouseActions->OnIsDesigning = [this](TObject* Sender, bool& D) { IsDesigning(Sender, D); };
  FMouseActions->OnInvalidate = [this](TObject*) { MouseActionsInvalidate(); };
  FColumnHeaders = new TStringList();
  FColumnHeaders->OnChange = [this](TObject*) {
    SyncColumnHeaders();
    ShowColumnHeaders();
  };
  FImageCache = new THTMLPictureCache();
  FOrigColSizes = new TIntList(-1, -1);
  FFixedFont = new TFont();
  FFixedFont->SetName(u"Tahoma");
  FFixedFont->SetStyle(TFontStyles{fsBold});
  FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
  FActiveCellFont = new TFont();
  if (Designing) FActiveCellFont->SetName(u"Tahoma");
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
  FRowHeaders = new TStringList();
  FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
  Sortlist = new TStringList();
  FLookupItems = new TStringList();
  FRowSelect = new TList();
  FColSelect = new TList();
  FSortIndexes = new TSortIndexList();
  FSortRowXRef = new TIntList(0, 0);
  FUnSortRowXRef = new TIntList(0, 0);
  FMergedColumns = new TIntList(0, 0);
  FSelectedCells = new TIntList(0, 0);
  FSelectedRows = new TIntList(0, 0);
  FModifiedRows = new TIntList(0, 0);
  FEnabledRows = new TIntList(0, 0);
  FRowIndicator = new TBitmap();
  FControlList = new TControlList();
  FSyncGrid = new TSyncGrid(this);
  FGridItems = new TCollection([](TCollection* C) -> TCollectionItem* { return new TGridItem(C); });
  FNotifierList = new TList();
  FColumnOrder = new TIntList(0, 0);
  FIgnoreColumns = new TIntList(-1, -1);
  FFilterList = new TStringList();
  FFilterList->SetDuplicates(dupIgnore);
  FFilterList->SetSorted(true);
  CreateSettingsObjects();
  CreatePaintObjects();

  // The starting values of the published properties that go through their setters.
  SetRowCount(10);
  SetBounds(Left(), Top(), 400, 250);
  SetAutoSize(false);
  SetDefaultRowHeight(22);
  FFixedRowHeight = DefaultRowHeight();

  auto* Form = dynamic_cast<TForm*>(AOwner);
  if (Form && !Designing) {
    if (Form->OnResize) {
      FOnResize = Form->OnResize;
      ResizeAssigned = true;
    }
    Form->OnResize = [this](TObject* Sender) { OwnerFormResize(Sender); };
    PrevSizeX = Form->Width();
    PrevSizeY = Form->Height();
  }

  std::fill(std::begin(FVisibleCol), std::end(FVisibleCol), true);
  std::fill(std::begin(FAllColWidths), std::end(FAllColWidths), int16_t(0));
  FNumHidden = 0;

  // This platform offers visual styles and the current common controls everywhere.
  FIsWinXP = true;
  FIsWin7 = true;
  FIsComCtl6 = true;
  FIsWinVista = true;
  FBorderColor = FIsWinXP ? TColor(0xB99D7F) : TColor(0x808080);
  FIsFlat = false;
  FScrollType = ssNormal;
  FScrollColor = clNone;
  FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  FNorvGradTo = ColorToRGB(clBtnFace);

  FOldLeftCol = LeftCol();
  FOldTopRow = TopRow();

  if (!Designing) {
    FFocusWindow = new TGridFocusWindow(this);
    ArwU = TArrowWindow::Init(this, arrUp);
    ArwD = TArrowWindow::Init(this, arrDown);
    ArwL = TArrowWindow::Init(this, arrLeft);
    ArwR = TArrowWindow::Init(this, arrRight);
    FStyle = tsWindowsXP;
    EditMode = false;
    EditControl = edNormal;
    CreateEditObjects();
    CreateInputObjects();
    FCtrlEditing = false;
    FScrollBar = new TScrollBar(this);
    FPaintScrollBar = new TScrollBar(this);
  }
  GridURLCursor = crHandPoint;
}

// The steps that need the grid's owned components still alive run before they are freed (the
// component frees what it owns before the destructor's body runs).
void TExStringGrid::BeforeDestruction() {
  if (FGridDestroyStarted) return;
  FGridDestroyStarted = true;
  FDestroyingGrid = true;
  DestroyWnd();
  if (!HasState(csDesigning)) {
    auto* Form = dynamic_cast<TForm*>(Owner());
    if (Form && !Form->HasState(csDestroying)) Form->OnResize = FOnResize;
  }
  if (ActiveFocusGrid == this) ActiveFocusGrid = nullptr;
  if (FColumnSize->Save()) SaveColSizes();
  FClearTextOnly = false;
  FSaveHiddenCells = false;
  // Hidden columns and rows come back first, so the property objects they hold are freed with
  // the others.
  UnHideColumnsAll();
  if (NumHiddenRows() > 0) UnHideRowsAll();
  FreeInputObjects();
  FreeEditObjects();
  FreePaintObjects();
  FreeSettingsObjects();
  TBaseGrid::BeforeDestruction();
}

TExStringGrid::~TExStringGrid() {
  // A grid deleted directly still runs the steps above.
  if (!FGridDestroyStarted) BeforeDestruction();
  delete cf;
  delete FFocusHelper;
  delete FIgnoreColumns;
  delete FControlList;
  delete FSortRowXRef;
  delete FUnSortRowXRef;
  delete FMergedColumns;
  delete FSelectedCells;
  delete FSelectedRows;
  delete FModifiedRows;
  delete FEnabledRows;
  delete FNotifierList;
  delete FNavigation;
  delete FColumnSize;
  delete FColumnOrder;
  delete FBands;
  delete FImageCache;
  delete FMouseActions;
  FColumnHeaders->OnChange = nullptr;
  delete FColumnHeaders;
  delete FFixedFont;
  delete FActiveCellFont;
  FRowHeaders->OnChange = nullptr;
  delete FRowHeaders;
  delete FLookupItems;
  delete FRowSelect;
  delete FColSelect;
  delete FSortIndexes;
  delete FRowIndicator;
  delete FSearchFooter;
  delete FOrigColSizes;
  delete FFilterList;
  delete FSyncGrid;
  FSyncGrid = nullptr;
  delete Sortlist;
  delete FGridItems;
  FGridItems = nullptr;
  DoneExGridModule();
}

// The settings groups and panels of the data operations.
void TExStringGrid::CreateSettingsObjects() {
  FFooterPanel = new TFooterPanel(this);
  FFooterPanel->SetAlign(alBottom);
  FFooterPanel->SetHeight(0);
  FFooterPanel->SetBorderWidth(0);
  FSearchPanel = NewSearchPanel();
  FSearchFooter->OnChange = [this](TObject*) { UpdateSearchPanelSettings(); };
  FFloatingFooter = new TFloatingFooter(this);
  FPrintSettings = new TPrintSettings(this);
  FHTMLSettings = new THTMLSettings();
  FSortSettings = new TSortSettings(this);
  FDragDropSettings = new TDragDropSettings(this);
  FDragScrollOptions = new TDragScrollOptions();
  FGrouping = new TGrouping();
  FCellNode = new TCellNode(this);
  FScrollHintWnd = new THTMLHintWindow(this);
  FFilter = new TFilter(this);
  FBalloonSettings = new TBalloonSettings(this);
  FBalloonSettings->OnEnableChange = [this](TObject*) {
    if (HasState(csLoading)) return;
    if (FBalloonSettings->Enable())
      FBalloonSettings->BalloonInit();
    else
      FBalloonSettings->BalloonDone();
  };
  FFilterDropDown = new TFilterDropDown();
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  FDropList = new TDropList(this);
  FDropList->SetParent(this);
  FDropList->SetBounds(0, 0, 0, 0);
  FDropList->SetVisible(false);
  FDropList->OnSelect = [this](TObject*, Integer) { FilterListSelect(); };
  FDropCheckList = new TDropCheckList(this);
  FDropCheckList->SetParent(this);
  FDropCheckList->SetBounds(0, 0, 0, 0);
  FDropCheckList->SetVisible(false);
  FDropCheckList->OnSelect = [this](TObject*, Integer) { FilterCheckListSelect(); };
}

// Frees the settings objects that are no components (the panels, lists and windows go with the
// grid's components).
void TExStringGrid::FreeSettingsObjects() {
  if (FBalloonSettings && !HasState(csDesigning)) FBalloonSettings->BalloonDone();
  delete FBalloonSettings;
  FBalloonSettings = nullptr;
  delete FFloatingFooter;
  FFloatingFooter = nullptr;
  delete FPrintSettings;
  FPrintSettings = nullptr;
  delete FHTMLSettings;
  FHTMLSettings = nullptr;
  delete FSortSettings;
  FSortSettings = nullptr;
  delete FDragDropSettings;
  FDragDropSettings = nullptr;
  delete FDragScrollOptions;
  FDragScrollOptions = nullptr;
  delete FGrouping;
  FGrouping = nullptr;
  delete FCellNode;
  FCellNode = nullptr;
  delete FFilter;
  FFilter = nullptr;
  delete FFilterDropDown;
  FFilterDropDown = nullptr;
}

TSearchPanel* TExStringGrid::NewSearchPanel() {
  auto* P = new TSearchPanel(this);
  P->SetAlign(alBottom);
  P->SetHeight(0);
  P->SetBorderWidth(0);
  P->OnEditChange = [this](TObject* Sender) { SearchPanelEditChange(Sender); };
  P->OnBackwardClick = [this](TObject* Sender) { SearchPanelBackwardClick(Sender); };
  P->OnForwardClick = [this](TObject* Sender) { SearchPanelForwardClick(Sender); };
  P->OnExitClick = [this](TObject* Sender) { SearchPanelExitClick(Sender); };
  P->OnHighLightClick = [this](TObject* Sender) { SearchPanelHighlightClick(Sender); };
  return P;
}

void TExStringGrid::UpdateSearchPanelSettings() {
  if (!FSearchPanel || HasState(csLoading)) return;
  UpdateSearchPanel(this);
  const bool Show = FSearchFooter->Visible();
  FSearchPanel->SetHeight(Show ? 32 : 0);
  FSearchPanel->SetVisible(Show && Parent() != nullptr);
}

bool TExStringGrid::FloatingFooterVisible() const { return FFloatingFooter && FFloatingFooter->Visible(); }

void TExStringGrid::InvalidateFooter() {
  if (FFooterPanel && FloatingFooterVisible()) FFooterPanel->Invalidate();
}

// --- Window creation, streaming, copying ----------------------------------------------------------

void TExStringGrid::SetParent(TWinControl* AParent) {
  TBaseGrid::SetParent(AParent);
  // The window of the grid counts as made once the grid sits on a parent.
  if (AParent && !FWindowCreated && !FDestroyingGrid) CreateWnd();
}

void TExStringGrid::CreateWnd() {
  if (FDestroyingGrid || HasState(csDestroying)) return;
  if (!Parent()) return;
  FWindowCreated = true;
  if (!HasState(csDesigning)) {
    if (FScrollBar) {
      FScrollBar->SetVisible(false);
      FScrollBar->SetParent(this);
      FScrollBar->SetTabStop(false);
      FScrollBar->SetKind(sbVertical);
    }
    if (FPaintScrollBar) {
      FPaintScrollBar->SetVisible(false);
      FPaintScrollBar->SetParent(this);
      FPaintScrollBar->SetTabStop(false);
      FPaintScrollBar->SetKind(sbVertical);
    }
  }
  if (!HasState(csDesigning) && FBalloonSettings && FBalloonSettings->Enable()) FBalloonSettings->BalloonInit();
  if (FFooterPanel) {
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FloatingFooterVisible());
    FFooterPanel->CreateWnd();
  }
  if (FSearchPanel) {
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);
    FSearchPanel->CreateWnd();
  }
  if (FColumnSize->Save()) LoadColSizes();
  FGridTimerID = static_cast<Integer>(SetTimer(Handle(), 111, 500));
  if (HasState(csDesigning) && !FLoaded && !HasState(csLoading)) Font()->SetName(u"Tahoma");
  // The wheel: the platform's wheel message, three rows per notch.
  wheelmsg = WM_MOUSEWHEEL;
  wheelscrl = 3;
  wheelpan = false;
  if (FScrollType != ssNormal && !HasState(csLoading)) FlatSetScrollBars();
}

void TExStringGrid::DestroyWnd() {
  if (!FWindowCreated) return;
  FWindowCreated = false;
  if (FThemeRegistered && !HasState(csDesigning)) RegisterThemeWindow(false);
  if (wheelpan) EndPan();
  if (FGridTimerID != 0 && HandleAllocated()) KillTimer(Handle(), 111);
  FGridTimerID = 0;
}

void TExStringGrid::Loaded() {
  TBaseGrid::Loaded();
  FOldCursor = Cursor();
  ShowColumnHeaders();
  ShowRowHeaders();
  if (FGridDropTarget && FDragDropSettings) {
    FGridDropTarget->SetAcceptText(FDragDropSettings->OleAcceptText());
    FGridDropTarget->SetAcceptFiles(FDragDropSettings->OleAcceptFiles());
    FGridDropTarget->SetAcceptURLs(FDragDropSettings->OleAcceptURLs());
  }
  if (FLook == glNorv) {
    FLook = glCustom;
    SetLook(glNorv);
  }
  if (FAutoSize) AutoSizeColumns(false, 4);
  if (FColumnSize->Save()) LoadColSizes();
  FFixedRowsMin = TBaseGrid::FixedRows();
  FFixedColsMin = TBaseGrid::FixedCols();
  FMinRowHeight = DefaultRowHeight();
  FMinColWidth = 10;
  FMaxRowCount = RowCount();
  FLoaded = true;
  if (Options().Contains(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    SetOptions(Options() >> goAlwaysShowEditor);
  }
  FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
  UpdateSearchPanelSettings();
  UpdateScrollBarsAlways(false);
  if (FAutoThemeAdapt && !HasState(csDesigning)) {
    ApplyOfficeTheme();
    RegisterThemeWindow(true);
  }
  InitOrigColSizes();
  SetColumnOrder();
  if (FBalloonSettings && FBalloonSettings->Enable()) FBalloonSettings->BalloonInit();
}

void TExStringGrid::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TExStringGrid*>(Source);
  if (!S) return;
  Font()->Assign(S->Font());
  FActiveCellColor = S->FActiveCellColor;
  FActiveCellColorTo = S->FActiveCellColorTo;
  FActiveCellFont->Assign(S->FActiveCellFont);
  FActiveCellShow = S->FActiveCellShow;
  SetActiveRowShow(S->ActiveRowShow());
  SetAlign(S->Align());
  FAnchorHint = S->FAnchorHint;
  FAutoNumAlign = S->FAutoNumAlign;
  FAutoSize = S->FAutoSize;
  FAutoThemeAdapt = S->FAutoThemeAdapt;
  FAutoFilterUpdate = S->FAutoFilterUpdate;
  FFilterDropDown->Assign(S->FFilterDropDown);
  FMouseActions->Assign(S->FMouseActions);
  FNavigation->Assign(S->FNavigation);
  FGrouping->Assign(S->FGrouping);
  FSearchFooter->Assign(S->FSearchFooter);
  FPrintSettings->Assign(S->FPrintSettings);
  FFilter->Assign(S->FFilter);
  FHTMLSettings->Assign(S->FHTMLSettings);
  FBands->Assign(S->FBands);
  FCellNode->Assign(S->FCellNode);
  FSortSettings->Assign(S->FSortSettings);
  FDragScrollOptions->Assign(S->FDragScrollOptions);
  FDragDropSettings->Assign(S->FDragDropSettings);
  FColumnSize->Assign(S->FColumnSize);
  FSyncGrid->Assign(S->FSyncGrid);
  FFocusHelper->Assign(S->FFocusHelper);
  FFixedRowAlways = S->FFixedRowAlways;
  SetColCount(S->ColCount());
  SetRowCount(S->RowCount());
  SetFixedRows(S->FixedRows());
  SetFixedCols(S->FixedCols());
  SetDefaultColWidth(S->DefaultColWidth());
  SetDefaultRowHeight(S->DefaultRowHeight());
  SetFixedRowHeight(S->FixedRowHeight());
  SetFixedColWidth(S->FixedColWidth());
  FInvalidEntryTitle = S->FInvalidEntryTitle;
  FInvalidEntryIcon = S->FInvalidEntryIcon;
  FInvalidEntryText = S->FInvalidEntryText;
  SetOptions(S->Options());
  for (Integer i = 0; i < ColCount(); ++i) SetColWidths(i, S->ColWidths(i));
  FColumnHeaders->Assign(S->FColumnHeaders);
  for (Integer i = 0; i < RowCount(); ++i) SetRowHeights(i, S->RowHeights(i));
  FScrollProportional = S->FScrollProportional;
  FScrollSynch = S->FScrollSynch;
  FScrollWidth = S->FScrollWidth;
  FScrollHints = S->FScrollHints;
  FScrollBarAlways = S->FScrollBarAlways;
  SetScrollBars(S->FScrollBars);
  SetScrollColor(S->FScrollColor);
  SetScrollType(S->FScrollType);
  SetScrollWidth(S->FScrollWidth);
  AssignCells(S);
}

void TExStringGrid::AssignCells(TPersistent* Source) {
  auto* S = dynamic_cast<TExStringGrid*>(Source);
  if (!S) return;
  // The cells travel as the grid's own text stream.
  TMemoryStream Stream;
  S->SaveToStream(&Stream);
  Stream.Seek(0, soBeginning);
  LoadFromStream(&Stream);
}

void TExStringGrid::Invalidate() {
  if (FEditChange) {
    FEditChange = false;
    return;
  }
  TBaseGrid::Invalidate();
  if (!HasState(csLoading)) InvalidateFooter();
}

void TExStringGrid::Resize() {
  TBaseGrid::Resize();
  // A gradient background spans the whole client area, so all of it changes with the size.
  if (FBackGround && (FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) &&
      FBackGround->ColorTo() != clNone)
    Invalidate();
  UpdateScrollBarsAlways(false);
  CellControlsUpdate(false);
  if (HasState(csDesigning)) Invalidate();
}

void TExStringGrid::UpdateScrollBarsAlways(bool Force) {
  const bool RowsFit = VisibleRowCount() + TBaseGrid::FixedRows() >= RowCount();
  const bool ColsFit = VisibleColCount() + TBaseGrid::FixedCols() >= ColCount();
  if (FScrollBarAlways != saNone) {
    if (RowsFit) ShowScrollBarOf(SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
    if (ColsFit) ShowScrollBarOf(SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
    EnableScrollBarOf(SB_VERT, RowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    EnableScrollBarOf(SB_HORZ, ColsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
  } else if (Force) {
    if (RowsFit) ShowScrollBarOf(SB_VERT, false);
    if (ColsFit) ShowScrollBarOf(SB_HORZ, false);
  }
}

void TExStringGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
    const Integer H = VisibleColCount() + TBaseGrid::FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    const Integer B = BorderStyle() == bsSingle ? 2 : 0;
    // C++'s % takes the sign of the dividend, as the classic mod does.
    AHeight = AHeight - ((AHeight - H - B) % DefaultRowHeight()) + B;
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  // Every paint draws the border too: a grid that is not on the screen gets it then.
  if (Parent() && Showing()) PaintNCBorder();
}

void TExStringGrid::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  if (Parent() && Showing()) PaintNCBorder();
}

void TExStringGrid::ChangeScale(Integer M, Integer D) {
  if (HasState(csDesigning) || M == D) return;
  FFixedFont->SetSize(MulDiv(FFixedFont->Size(), M, D));
  FActiveCellFont->SetSize(MulDiv(FActiveCellFont->Size(), M, D));
}

Integer TExStringGrid::GetVersionNr() { return 0x06020103; }

String TExStringGrid::GetVersionString() { return Version() + u" Sep, 2012"; }

String TExStringGrid::Version() const {
  const Integer V = 0x06020103;
  return IntToStr((V >> 24) & 0xFF) + u"." + IntToStr((V >> 16) & 0xFF) + u"." + IntToStr((V >> 8) & 0xFF) +
         u"." + IntToStr(V & 0xFF);
}

// --- Notifiers and listeners ------------------------------------------------------------------------

void TExStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier) {
  if (FNotifierList->IndexOf(ANotifier) < 0) FNotifierList->Add(ANotifier);
}

void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
  const Integer i = FNotifierList->IndexOf(ANotifier);
  if (i >= 0) FNotifierList->Delete(i);
}

void TExStringGrid::RegisterSelListener(ITExStringGridSelect* AListener) { FISelect = AListener; }

void TExStringGrid::UnRegisterSelListener(ITExStringGridSelect*) { FISelect = nullptr; }

// --- Dimensions -------------------------------------------------------------------------------------

void TExStringGrid::SetRowCount(Integer Value) {
  const Integer O = RowCount();
  if (O == FixedRows() && FFixedRowAlways && FSelHidden) UnHideSelection();
  TBaseGrid::SetRowCount(Value);
  if (FFixedRowAlways && FFixedRowsMin < RowCount()) SetFixedRows(FFixedRowsMin);
  if (Value > FMaxRowCount) FMaxRowCount = Value;
  FNormalRowCount = Value;
  InvalidateFooter();
  if (FScrollProportional) {
    UpdateVScrollBar();
    UpdateHScrollBar();
  }
  UpdateScrollBarsAlways(false);
  if (FScrollType != ssNormal) FlatSetScrollBars();
  if (FloatingFooterVisible() && Value != O && O > 0 && Value > 0) {
    // The footer row moves to the new last row with its cell objects; the old row then empties
    // without freeing them. A shrink first frees what the new last row held.
    const Integer Cols = TotalColCount();
    if (Value < O) FreeCellPropsRange(0, Value - 1, Cols - 1, Value - 1);
    for (Integer c = 0; c < Cols; ++c) {
      SetGridCell(c, Value - 1, GetGridCell(c, O - 1));
      SetGridObject(c, Value - 1, GetGridObject(c, O - 1));
    }
    FNilObjects = true;
    if (Value > O) {
      ClearRows(O - 1, 1);
    } else {
      for (Integer c = 0; c < Cols; ++c) {
        SetGridCell(c, O - 1, String());
        SetGridObject(c, O - 1, nullptr);
      }
    }
    FNilObjects = false;
    CalcFooter(-1);
  }
}

void TExStringGrid::SetColCount(Integer Value) {
  TBaseGrid::SetColCount(Value);
  if (FFixedColAlways && FFixedColsMin < ColCount()) SetFixedCols(FFixedColsMin);
  if (Value > FMaxColCount) FMaxColCount = Value;
  InvalidateFooter();
  SetBounds(Left(), Top(), Width(), Height());
  if (FScrollProportional) {
    UpdateHScrollBar();
    UpdateVScrollBar();
  }
  UpdateScrollBarsAlways(false);
}

Integer TExStringGrid::FixedRows() const {
  const Integer F = TBaseGrid::FixedRows();
  if (F == 0 && FFixedRowAlways) return 1;
  return F;
}

void TExStringGrid::SetFixedRows(Integer Value) {
  Integer V = Value;
  if (V >= RowCount() && FFixedRowAlways) V = RowCount() - 1;
  TBaseGrid::SetFixedRows(V);
  if (!HasState(csLoading)) FFixedRowsMin = Value;
}

Integer TExStringGrid::FixedCols() const {
  const Integer F = TBaseGrid::FixedCols();
  if (F == 0 && FFixedColAlways) return 1;
  return F;
}

void TExStringGrid::SetFixedCols(Integer Value) {
  Integer V = Value;
  if (V >= ColCount() && FFixedColAlways) V = ColCount() - 1;
  TBaseGrid::SetFixedCols(V);
  if (!HasState(csLoading)) FFixedColsMin = Value;
}

void TExStringGrid::SetFixedFooters(Integer Value) {
  FFixedFooters = Value;
  Invalidate();
}

void TExStringGrid::SetFixedRightCols(Integer Value) {
  FFixedRightCols = Value;
  Invalidate();
}

void TExStringGrid::SetDefaultRowHeight(Integer Value) {
  Value = GridExtent(Value);
  TBaseGrid::SetDefaultRowHeight(Value);
  if (HasState(csDesigning)) FFixedRowHeight = Value;
  if (FFloatingFooter) {
    FFloatingFooter->SetHeight(Value);
    if (FFooterPanel && FloatingFooterVisible()) FFooterPanel->SetHeight(Value);
  }
}

void TExStringGrid::SetFixedRowHeight(Integer Value) {
  Value = GridExtent(Value);
  FFixedRowHeight = Value;
  if (HasState(csLoading)) return;
  if (Value == DefaultRowHeight()) {
    TBaseGrid::SetDefaultRowHeight(Value);
  } else {
    for (Integer r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
  }
}

void TExStringGrid::SetFixedColWidth(Integer Value) {
  Value = GridExtent(Value);
  if (HasState(csLoading) || Value == DefaultColWidth()) return;
  for (Integer c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void TExStringGrid::SetWordWrap(bool Value) {
  TBaseGrid::SetWordWrap(Value);
  FWordWrapEx = Value;
  if (FUpdateCount == 0) Invalidate();
}

void TExStringGrid::SetCol(Integer Value) {
  TBaseGrid::SetCol(Value);
  auto* Other = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid());
  if (FSyncGrid->Grid() && FSyncGrid->SelectionColumn()) {
    if (Other)
      Other->SetCol(Col());
    else
      FSyncGrid->Grid()->SetCol(Col());
  }
}

// --- Dispatch operations -----------------------------------------------------------------------------

void TExStringGrid::AfterF2Key() {}
void TExStringGrid::AdjustKeySelectAll(TGridRect&) {}
void TExStringGrid::EditorCaretChange(const String&, Integer, Integer) {}
void TExStringGrid::SyncColumnHeaders() {}
void TExStringGrid::PasteStarted() {}
void TExStringGrid::PasteFinished() {}
void TExStringGrid::MouseWheelHook(Integer, bool&) {}
void TExStringGrid::CellSelectorClick(Integer, Integer) {}
void TExStringGrid::FormulaEditChange(bool) {}
void TExStringGrid::AdjustClickSelectAll(TGridRect&) {}
void TExStringGrid::MouseActionsChanged() {}
void TExStringGrid::NavigationChanged() {}
void TExStringGrid::EditorKeyDown(Word&, TShiftState) {}
void TExStringGrid::EditorWMKeyDown(TMessage&) {}
void TExStringGrid::ExportNotification(TGridExportState, Integer) {}
void TExStringGrid::ImportNotification(TGridImportState, Integer) {}

void TExStringGrid::IsDesigning(TObject*, bool& Designing) { Designing = HasState(csDesigning); }

void TExStringGrid::MouseActionsInvalidate() { Invalidate(); }

void TExStringGrid::ClearEditingOption() { SetOptions(Options() >> goEditing); }

void TExStringGrid::AddRowInternal() { SetRowCount(RowCount() + 1); }

void TExStringGrid::SetEditCellText(Integer ACol, Integer ARow, const String& Value) {
  SetEditText(RealToDisplayCol(ACol), ARow, Value);
  SetCellEx(ACol, ARow, Value);
}

String TExStringGrid::GetCellText(Integer ACol, Integer ARow) { return GetCellEx(ACol, ARow); }

String TExStringGrid::SaveCell(Integer ACol, Integer ARow) {
  String Scratch;
  return RefText(SaveCellRef(ACol, ARow, Scratch), Scratch);
}

const String& TExStringGrid::SaveCellRef(Integer ACol, Integer ARow, String& Scratch) {
  const String* Text = FSaveVirtCells ? &FormattedCellRef(ACol, ARow, Scratch) : &StoredCellText(ACol, ARow);
  if (Text->empty()) {
    // An empty check-box cell saves its state as the check texts; the state is read at the real
    // row of the cell.
    auto* Props = dynamic_cast<TCellProperties*>(GetAllGridObject(ACol, RealRowIndex(ARow)));
    auto* G = Props ? dynamic_cast<TCellGraphic*>(Props->GraphicObject()) : nullptr;
    const bool Check = G && G->CellType() == ctCheckBox;
    if (Check || (G && G->CellType() == ctTriStateCheckBox)) {
      Scratch.clear();
      if (Check ? G->CellBoolean() : G->CellCheckBoxState() == cbChecked)
        GetCheckTrue(ACol, ARow, Scratch);
      else
        GetCheckFalse(ACol, ARow, Scratch);
      Text = &Scratch;
    }
  }
  switch (GetCellTextKind(*Text, FEnableHTML)) {
    case 1:
      if (!FSaveWithHTML) {
        Scratch = StripHtml(*Text);
        Text = &Scratch;
      }
      break;
    case 2:
      if (FSaveWithRTF) {
        String T;
        for (Char ch : *Text)
          if (ch != u'\r' && ch != u'\n') T += ch;
        Scratch = std::move(T);
        Text = &Scratch;
      }
      break;
    default:
      break;
  }
  if (!OnSaveCell) return *Text;
  if (Text != &Scratch) Scratch = *Text;
  OnSaveCell(this, ACol, ARow, Scratch);
  return Scratch;
}

void TExStringGrid::LoadCell(Integer ACol, Integer ARow, const String& Value) {
  String V = Value;
  if (OnLoadCell) OnLoadCell(this, ACol, ARow, V);
  SetGridCell(ACol, ARow, V);
}

void TExStringGrid::RecalcFooterCol(Integer ACol) { CalcFooter(ACol); }

void TExStringGrid::AllCellsChanged() { CalcFooter(-1); }

void TExStringGrid::CellsChanged(TRect R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
  for (Integer i = 0; i < FNotifierList->Count(); ++i)
    static_cast<TGridChangeNotifier*>(FNotifierList->Get(i))->NotifyCellsChanged(R);
  CalcFooter(-1);
}

void TExStringGrid::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExStringGrid::SearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction SearchAction) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TExStringGrid::ButtonClick(Integer ACol, Integer ARow) {
  if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TExStringGrid::ExpandClick(Integer ACol, Integer ARow, bool Expanded) {
  if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (G && G->CellType() == ctExpand) SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TExStringGrid::ComboCloseUp(Integer ARow, Integer ACol) {
  if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TExStringGrid::ComboDropDown(Integer ARow, Integer ACol) {
  if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TExStringGrid::GetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!OnGetCellCursor) return;
  TCursor C = Cursor();
  OnGetCellCursor(this, ACol, ARow, X, Y, C);
  ShowCursor(C);
}

void TExStringGrid::GetCellHint(Integer ACol, Integer ARow, String& Hint, String& WideHint) {
  if (OnGridHint) OnGridHint(this, ARow, ACol, Hint);
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.empty()) Hint = EncodeUnicodeText(WideHint);
  }
}

void TExStringGrid::GetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (FActiveCellShow) {
    const Integer D = RealToDisplayCol(ACol);
    const Integer FC = TBaseGrid::FixedCols();
    const Integer FR = TBaseGrid::FixedRows();
    if ((ARow == Row() && D == FC - 1 && FC > 0) || (D == Col() && ARow == FR - 1 && FR > 0)) {
      AFont->Assign(FActiveCellFont);
      ABrush->SetColor(FActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* P = GetCellProperties(ACol, ARow);
    // The kinds of graphic that leave the background to the cell's own colour.
    static constexpr TCellTypes BackgroundKinds{ctIcon, ctNone, ctImageList, ctEmpty, ctImages, ctComment};
    if (BackgroundKinds.Contains(GetCellType(ACol, ARow)) && P->BrushColor() != clNone)
      ABrush->SetColor(P->BrushColor());
    if (P->FontColor() != clNone) AFont->SetColor(P->FontColor());
    if (!P->FontStyle().Empty()) AFont->SetStyle(P->FontStyle());
    if (P->FontSize() != 0) AFont->SetSize(P->FontSize());
    if (!P->FontName().empty()) AFont->SetName(P->FontName());
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                      TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExStringGrid::GetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  if (ACol > 0 && FGrouping) {
    // Node and summary rows carry their graphic in column 0.
    if (FGrouping->HeaderUnderline() && GetCellType(0, ARow) == ctNode) {
      Borders = TCellBorders{cbBottom};
      APen->SetColor(FGrouping->HeaderLineColor());
      APen->SetWidth(FGrouping->HeaderLineWidth());
    }
    if (FGrouping->SummaryLine() && GetCellType(0, ARow) == ctSummary) {
      Borders = TCellBorders{cbTop};
      APen->SetColor(FGrouping->SummaryLineColor());
      APen->SetWidth(FGrouping->SummaryLineWidth());
    }
  }
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExStringGrid::GetCellAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExStringGrid::GetColFormat(Integer ACol, TSortStyle& AStyle, String& APrefix, String& ASuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TExStringGrid::GetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExStringGrid::GetCellEditor(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TExStringGrid::IsNoEditCell(Integer ACol, Integer ARow) {
  if (!OnGetEditorType) return false;
  TEditorType E = edNormal;
  OnGetEditorType(this, ACol, ARow, E);
  return E == edNone;
}

void TExStringGrid::IsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) {
  if (IsFixed) return;
  IsFixed = (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
            (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) ||
            ACol < FixedCols() || ARow < FixedRows();
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TExStringGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
  const TPoint B = BaseCell(ACol, ARow);
  if (HasCellProperties(B.X, B.Y) && CanEdit) {
    CanEdit = !ReadOnly(B.X, B.Y);
    if (!Options().Contains(goEditing) && !FEditDisable && !FMouseActions->RangeSelectAndEdit()) CanEdit = false;
  }
  if (B.X < ColCount() + NumHiddenColumns())
    DoCanEditCell(B.X, B.Y, CanEdit);
  else
    CanEdit = true;
}

void TExStringGrid::IsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExStringGrid::GetCellWordWrap(Integer ACol, Integer ARow, bool& WordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

void TExStringGrid::GetCheckTrue(Integer ACol, Integer ARow, String& Value) {
  Value = FCheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExStringGrid::GetCheckFalse(Integer ACol, Integer ARow, String& Value) {
  Value = FCheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

void TExStringGrid::FixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
  if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExStringGrid::DoSelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) {
    const TGridRect S = Selection();
    RepaintRect(TRect{S.Left, S.Top, S.Right, S.Bottom});
  }
  FSelChange = true;
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TExStringGrid::FilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

void TExStringGrid::Click() {
  TBaseGrid::Click();
  FEntered = false;
  RememberCellValue(Col(), Row());
}

// The defaults of a new cell property object: the cell's visual properties, without a background
// of its own for fixed, banded, gradient-backed and selected cells (the grid paints those).
void TExStringGrid::GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                    TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                    bool& WW, TCellGradientDirection& GD) {
  TGridDrawState State;
  GetVisualProperties(ACol, ARow, State, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont,
                      HA, VA, WW, GD);
  const bool GradientBack = FBackGround && (FBackGround->Display() == bdGradientHorz ||
                                            FBackGround->Display() == bdGradientVert);
  // ACol is a real column here; IsFixed takes display columns.
  if (IsFixed(RealToDisplayCol(ACol), ARow) || FBands->Active() || GradientBack || State.Contains(gdSelected)) {
    ABrush->SetColor(clNone);
    AColorTo = clNone;
  }
}

bool TExStringGrid::HasComboBox(Integer ACol, Integer ARow) {
  bool Has = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, Has);
    return Has;
  }
  if (FControlLook && FControlLook->DropDownAlwaysVisible()) {
    TEditorType E = FDefaultEditor;
    GetCellEditor(ACol, ARow, E);
    return E == edComboEdit || E == edComboList;
  }
  return false;
}

bool TExStringGrid::HasSpinEdit(Integer ACol, Integer ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  bool Has = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, Has);
    return Has;
  }
  if (FControlLook && FControlLook->SpinButtonsAlwaysVisible()) {
    TEditorType E = FDefaultEditor;
    GetEditorType(ACol, ARow, E);
    return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
  }
  return false;
}

void TExStringGrid::DoInsertRow(Integer ARow) { InsertRows(ARow, 1, true); }

void TExStringGrid::DoDeleteRow(Integer ARow) {
  if (RowCount() - FixedRows() - FFixedFooters != 1 || FFixedRowAlways)
    DoRemoveRows(ARow, 1);
  else
    ClearRows(ARow, 1);
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

String TExStringGrid::GetCellFloatFormat(Integer, Integer) { return FFloatFormat; }

// --- Properties with setters that act ----------------------------------------------------------------

void TExStringGrid::SetHighlightColor(TColor Value) {
  if (FHighlightColor == Value) return;
  FHighlightColor = Value;
  SetHtmlHighlightColors(FHighlightColor, FHighLightTextColor);
  Invalidate();
}

void TExStringGrid::SetHighlightTextColor(TColor Value) {
  if (FHighLightTextColor == Value) return;
  FHighLightTextColor = Value;
  SetHtmlHighlightColors(FHighlightColor, FHighLightTextColor);
  Invalidate();
}

void TExStringGrid::SetActiveCellColor(TColor Value) {
  FActiveCellColor = Value;
  Invalidate();
}

void TExStringGrid::SetActiveCellColorTo(TColor Value) {
  FActiveCellColorTo = Value;
  Invalidate();
}

void TExStringGrid::SetActiveCellFont(TFont* Value) {
  FActiveCellFont->Assign(Value);
  Invalidate();
}

void TExStringGrid::SetActiveCellShow(bool Value) {
  FActiveCellShow = Value;
  Invalidate();
}

namespace {
// Stores Value into Field and repaints when it changed.
template <typename T>
void StoreAndRepaint(TExStringGrid* Grid, T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Grid->Invalidate();
}
}  // namespace

void TExStringGrid::SetSelectionColor(TColor Value) { StoreAndRepaint(this, FSelectionColor, Value); }
void TExStringGrid::SetSelectionColorTo(TColor Value) { StoreAndRepaint(this, FSelectionColorTo, Value); }
void TExStringGrid::SetSelectionMirrorColor(TColor Value) { StoreAndRepaint(this, FSelectionMirrorColor, Value); }
void TExStringGrid::SetSelectionMirrorColorTo(TColor Value) {
  StoreAndRepaint(this, FSelectionMirrorColorTo, Value);
}
void TExStringGrid::SetSelectionTextColor(TColor Value) { StoreAndRepaint(this, FSelectionTextColor, Value); }
void TExStringGrid::SetSelectionColorMixer(bool Value) { StoreAndRepaint(this, FSelectionColorMixer, Value); }
void TExStringGrid::SetSelectionRectangle(bool Value) { StoreAndRepaint(this, FSelectionRectangle, Value); }
void TExStringGrid::SetSelectionResizer(bool Value) { StoreAndRepaint(this, FSelectionResizer, Value); }
void TExStringGrid::SetShowDesignHelper(bool Value) { StoreAndRepaint(this, FShowDesignHelper, Value); }
void TExStringGrid::SetURLShow(bool Value) { StoreAndRepaint(this, FURLShow, Value); }
void TExStringGrid::SetURLShowInText(bool Value) { StoreAndRepaint(this, FURLShowInText, Value); }

void TExStringGrid::SetSelectionColorMixerFactor(Integer Value) {
  StoreAndRepaint(this, FSelectionColorMixerFactor, std::clamp(Value, 0, 100));
}

void TExStringGrid::SetShowSelection(bool Value) {
  if (FShowSelection == Value) return;
  FShowSelection = Value;
  SetShowSel(Value);
  Invalidate();
}

void TExStringGrid::SetURLColor(TColor Value) {
  if (FURLColor == Value) return;
  FURLColor = Value;
  if (FURLShow) Invalidate();
}

void TExStringGrid::SetURLFull(bool Value) {
  FURLFull = Value;
  if (FURLShow) Invalidate();
}

void TExStringGrid::SetDefaultAlignment(TAlignment Value) { StoreAndRepaint(this, FDefaultAlignment, Value); }

void TExStringGrid::SetFlat(bool Value) {
  FFlat = Value;
  if (!HasState(csLoading)) Invalidate();
}

void TExStringGrid::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value && !HasState(csLoading)) AutoSizeColumns(false, 10);
}

void TExStringGrid::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  FAutoThemeAdapt = Value;
  FSearchFooter->SetAutoThemeAdapt(Value);
  if (Value) {
    ApplyOfficeTheme();
    Invalidate();
  }
  if (!HasState(csDesigning) && !HasState(csLoading) && FWindowCreated) RegisterThemeWindow(Value);
}

// The theme notifier tells registered windows of a change of the desktop's theme.
void TExStringGrid::RegisterThemeWindow(bool Register) {
  if (Register == FThemeRegistered) return;
  FThemeRegistered = Register;
  if (Register)
    GetThemeNotifier(this)->RegisterWindow(Handle());
  else
    GetThemeNotifier(this)->UnRegisterWindow(Handle());
}

void TExStringGrid::SetMaxEditLength(Integer Value) {
  FMaxEditLength = Value;
  if (InplaceEditor()) InplaceEditor()->SetMaxLength(Value);
  // The text editor's own limit, which its typing and paste rules check.
  if (TExInplaceEdit* E = NormalEdit()) E->SetLengthLimit(static_cast<int16_t>(Value));
}

void TExStringGrid::SetRowIndicator(TBitmap* Value) {
  FRowIndicator->Assign(Value);
  RepaintCell(0, Row());
}

void TExStringGrid::SetScrollBarAlways(TScrollBarAlways Value) {
  FScrollBarAlways = Value;
  UpdateScrollBarsAlways(true);
}

void TExStringGrid::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  FVAlign = Value == vtaTop ? 0 : Value == vtaCenter ? 4 : 8;
  if (FUpdateCount == 0) Invalidate();
}

void TExStringGrid::SetCursor(TCursor Value) {
  TBaseGrid::SetCursor(Value);
  FOldCursor = Value;
}

void TExStringGrid::SetSpreadSheet(bool Value) {
  FSpreadSheet = Value;
  SetSelectionRectangle(true);
  SetSelectionResizer(true);
  FNavigation->SetAllowSmartClipboard(true);
  SetOptions(Options() << goRangeSelect << goEditing);
  FMouseActions->SetRangeSelectAndEdit(true);
}

void TExStringGrid::SetUseHTMLHints(bool Value) {
  FUseHTMLHints = Value;
  if (!Application) return;
  if (Value)
    Application->SetHintWindowClass([](TComponent* Owner) -> THintWindow* { return new THTMLHintWindow(Owner); });
  else
    Application->SetHintWindowClass([](TComponent* Owner) -> THintWindow* { return new THintWindow(Owner); });
}

void TExStringGrid::SetXYOffset(TPoint Value) {
  FXYOffset = Value;
  Invalidate();
}

void TExStringGrid::SetNorvGradientFrom(TColor Value) {
  FNorvGradFrom = ColorToRGB(Value);
  Invalidate();
}
void TExStringGrid::SetNorvGradientTo(TColor Value) {
  FNorvGradTo = ColorToRGB(Value);
  Invalidate();
}
void TExStringGrid::SetNorvGradientMirrorFrom(TColor Value) {
  FNorvGradMirrorFrom = Value == clNone ? clNone : ColorToRGB(Value);
  Invalidate();
}
void TExStringGrid::SetNorvGradientMirrorTo(TColor Value) {
  FNorvGradMirrorTo = Value == clNone ? clNone : ColorToRGB(Value);
  Invalidate();
}

void TExStringGrid::SetCellChecker(TExStringGridCheck* Value) {
  if (FCellChecker == Value) return;
  if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
  FCellChecker = Value;
  if (Value) Value->FreeNotification(this);
}

void TExStringGrid::SetFixedDropDownMenu(TPopupMenu* Value) {
  if (FFixedDropDownMenu == Value) return;
  if (FFixedDropDownMenu) FFixedDropDownMenu->RemoveFreeNotification(this);
  FFixedDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TExStringGrid::SetGridImages(TImageList* Value) {
  if (FGridImages == Value) return;
  if (FGridImages) FGridImages->RemoveFreeNotification(this);
  FGridImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TExStringGrid::SetPictureContainer(TPictureContainer* Value) {
  if (FContainer == Value) return;
  if (FContainer) FContainer->RemoveFreeNotification(this);
  FContainer = Value;
  if (Value) Value->FreeNotification(this);
}

void TExStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TBaseGrid::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FCellChecker) FCellChecker = nullptr;
  if (AComponent == FFixedDropDownMenu) FFixedDropDownMenu = nullptr;
  if (AComponent == FGridImages) FGridImages = nullptr;
  if (AComponent == FContainer) FContainer = nullptr;
  // The grid's own windows, freed with the grid's components.
  if (AComponent == ArwU) ArwU = nullptr;
  if (AComponent == ArwD) ArwD = nullptr;
  if (AComponent == ArwL) ArwL = nullptr;
  if (AComponent == ArwR) ArwR = nullptr;
  if (AComponent == FFocusWindow) FFocusWindow = nullptr;
  if (AComponent == FScrollBar) FScrollBar = nullptr;
  if (AComponent == FPaintScrollBar) FPaintScrollBar = nullptr;
  if (AComponent == FFooterPanel) FFooterPanel = nullptr;
  if (AComponent == FSearchPanel) FSearchPanel = nullptr;
  if (AComponent == FScrollHintWnd) FScrollHintWnd = nullptr;
  if (AComponent == FDropList) FDropList = nullptr;
  if (AComponent == FDropCheckList) FDropCheckList = nullptr;
  if (FSyncGrid && AComponent == FSyncGrid->Grid()) FSyncGrid->SetGrid(nullptr);
  for (Integer i = FNotifierList->Count() - 1; i >= 0; --i)
    if (FNotifierList->Get(i) == AComponent) FNotifierList->Delete(i);
}
