// The string grid's own vocabulary: its error class, the enumerations of its settings and the
// signatures of its events. The grid's settings objects and panels include this light header
// instead of ExGrid.h.
//
// As in ExGridTypes.h, the order of the values of every enumeration is its streamed ordinal.
#pragma once

#include <functional>

#include "components/gridbase/ExGridOptions.h"
#include "components/gridbase/ExGridTypes.h"
#include "platform/grids/Grids.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TEditLink;
class TCheckListBox;
class TPopupMenu;

// The grid's error: bad typed cell content, bad row or column indexes.
KP_DECLARE_EXCEPTION(EStringGridError, Exception)

// ---------------------------------------------------------------------------------------------
// Enumerations
// ---------------------------------------------------------------------------------------------

// The look of fixed cells, the selection and the editor buttons.
enum TGridLook : Byte {
  glStandard,    // 0
  glSoft,        // 1
  glClassic,     // 2
  glNorv,        // 3
  glXP,          // 4
  glListView,    // 5
  glVista,       // 6
  glWin7,        // 7
  glOffice2007,  // 8
  glCustom,      // 9
};

enum TSortDirection : Byte { sdAscending, sdDescending };

// Where the hint of a text too large for its cell shows.
enum THintShowLargeTextPos : Byte { hpCell, hpCursor };

// Which columns get a filter drop-down.
enum TFilterDropDownColumns : Byte { fdNormal, fdAll };

// Which fixed cells show hot under the mouse.
enum THoverFixedCells : Byte { hfNone, hfAll, hfFixedRows, hfFixedColumns };

// Panning with the middle mouse button.
enum TIntelliPan : Byte { ipVertical, ipHorizontal, ipBoth, ipNone };

// The icon of the invalid-entry balloon.
enum TInvalidEntryIcon : Byte { ieNone, ieInfo, ieWarning, ieError };

// Which scroll bars stay shown when everything fits.
enum TScrollBarAlways : Byte { saNone, saVert, saHorz, saBoth };

// How the scroll bars are drawn.
enum TScrollType : Byte { ssNormal, ssFlat, ssEncarta, ssMetro };

// Which thumb drags show a hint.
enum TScrollHintType : Byte { shNone, shVertical, shHorizontal, shBoth };

// What a press of the left button starts.
enum TMouseSelectMode : Byte { msNormal, msColumn, msRow, msAll, msURL, msResize };

// The last clipboard operation.
enum TClipOperation : Byte { coCut, coCopy };

// The hooks of the exporters and importers.
enum TGridExportState : Byte {
  esExportStart,
  esExportNewRow,
  esExportDone,
  esExportSelRow,
  esExportFail,
  esExportNextRow,
};
enum TGridImportState : Byte { isImportStart, isImportNewRow, isImportDone, isImportSelRow };

// The search footer's actions.
enum TSearchAction : Byte { saFindFirst, saFindNext, saFindPrevious };

// A set of 8-bit characters (ValidCharSet).
struct TCharSet {
  std::uint64_t Bits[4] = {0, 0, 0, 0};
  bool Contains(Char C) const { return C < 256 && ((Bits[C >> 6] >> (C & 63)) & 1u) != 0; }
  void Include(Char C) {
    if (C < 256) Bits[C >> 6] |= std::uint64_t(1) << (C & 63);
  }
  void Clear() { Bits[0] = Bits[1] = Bits[2] = Bits[3] = 0; }
  bool Empty() const { return (Bits[0] | Bits[1] | Bits[2] | Bits[3]) == 0; }
  friend bool operator==(const TCharSet&, const TCharSet&) = default;
};

// ---------------------------------------------------------------------------------------------
// Event signatures (parameters after Sender in their declared order)
// ---------------------------------------------------------------------------------------------

using TGridWideHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer X, Integer Y, TCursor& ACursor)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const String& Value, Integer ACol,
                                                    Integer ARow, TSearchAction SearchAction)>;
using THasComboEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& HasSpinEdit)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& WordWrap)>;
using TGetCheckEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TFixedEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow,
                                           TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TSelectionChanged =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TCellSaveLoadEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, Integer ARow, bool AState, bool& Allow)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow,
                                              Integer NewCol, bool& Allow)>;
using TAutoAdvanceEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer& NewRow,
                                             Integer& NewCol, bool& Allow)>;
using TShowHintEvent = std::function<void(TObject* Sender, TPoint HitPos, String& HintStr, Integer& HideTimeout)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TComboChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                             const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow,
                                                   Integer AItemIndex, const String& ASelection,
                                                   TObject* AObject)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid)>;
using TGridUnitChangedEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& NewUnit)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditLink* AEditLink)>;
using TGetEditorPropIntEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime AValue, bool UpDown)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TDateTime ADateTime)>;
using TRadioClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)>;
using TRatingChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, double& NewRate, bool& Allow)>;
using TColorSelectedEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor& Color, String& Value)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TColor Color, const String& Value)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer& Index)>;
using TImageSelectEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer Index)>;
using TDropDownButtonClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ButtonIndex)>;
using TScrollCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ScrollPosition,
                                            Integer ScrollMin, Integer ScrollMax)>;
using TControlClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID,
                                              const String& CtrlType, const String& CtrlVal)>;
using TControlEditDoneEvent = TControlClickEvent;
using TControlComboListEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal, TStringList* Values, bool& Edit, Integer& DropCount)>;
using TControlComboSelectEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer ItemIndex,
                                                    const String& CtrlID, const String& CtrlValue)>;
using TFixedDropDownClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu*& AMenu,
                                                    bool& KeepFixedCellHighlighted)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TRowColMoveEvent = std::function<void(TObject* Sender, Integer Index, bool& Allow)>;
using TNodeClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardBeforePasteEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Allow)>;
using TClipboardAfterPasteEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TGridProgressEvent = std::function<void(TObject* Sender, int16_t Progress)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, Integer ARow, bool& AcceptRow)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, Integer Column, TStrings* Filter)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, Integer Column, Integer ItemIndex,
                                              const String& FriendlyName, String& FilterCondition)>;
using TFilterCheckEvent =
    std::function<void(TObject* Sender, Integer Column, Integer ItemIndex, const String& FriendlyName,
                       String& FilterCondition, TCheckListBox* CheckList)>;
using TGroupCalcEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer FromRow, Integer ToRow, double& Res)>;
using TFloatingFooterCalcEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TFooterPaintEvent = std::function<void(TObject* Sender, Integer ACol, TCanvas* Canvas, TRect ARect)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)>;
using TOleDragDropEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Data, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, Integer OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer DropCol)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, TGridRect Selection)>;
using TPrintStartEvent =
    std::function<void(TObject* Sender, Integer NrOfPages, Integer& FromPage, Integer& ToPage)>;
using TPrintCancelEvent = std::function<void(TObject* Sender, Integer PageNr, bool& Cancel)>;
using TPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer PageNr, Integer PageXSize, Integer PageYSize)>;
using TPrintGetPageNumEvent =
    std::function<void(TObject* Sender, Integer PageNum, Integer PageColNum, String& PageNumString)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, Integer ARow, bool& NewPage)>;
using TPrintPageDoneEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer LastRow,
                                               Integer LastRowOffset, Integer LastPage, Integer PageXSize,
                                               Integer PageYSize)>;
using TPrintColumnWidthEvent = std::function<void(TObject* Sender, Integer ACol, Integer& Width)>;
using TPrintRowHeightEvent = std::function<void(TObject* Sender, Integer ARow, Integer& Height)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TCustomCellSizeEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TPoint& ASize, bool Printing)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight,
                                                 Integer ABottom, bool& Allow)>;
using TSelectionResizedEvent = TSelectionChanged;
