// The grid library's shared vocabulary: the enumerations and sets that the base grid, the string
// grid, its column grid and the drop-down editors use, and the signatures of the grid events.
//
// The order of the values of every enumeration is also its streamed ordinal: a stored value is read
// back by its position, so values are never reordered and new ones are never inserted.
//
// Every event is a method reference whose first parameter is the object that fires it. Parameters
// passed by reference may be changed by the handler, and the grid uses the changed value. The order
// of row and column differs from event to event and is part of each signature.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/System.h"

class TBaseGrid;

// Pictures named by a file (image sources of cell markup, file pictures of cells) are read whole
// on the GUI thread while a cell paints: only regular files up to this size are read at all.
constexpr Int64 MaxPictureFileSize = 64 * 1024 * 1024;

// ---------------------------------------------------------------------------------------------
// Enumerations
// ---------------------------------------------------------------------------------------------

// The in-place editor of a cell or column.
enum TEditorType : Byte {
  edNormal,                 // 0
  edSpinEdit,               // 1
  edComboEdit,              // 2
  edComboList,              // 3
  edEditBtn,                // 4
  edCheckBox,               // 5
  edDateEdit,               // 6
  edDateEditUpDown,         // 7
  edTimeEdit,               // 8
  edButton,                 // 9
  edDataCheckBox,           // 10
  edNumeric,                // 11
  edPositiveNumeric,        // 12
  edFloat,                  // 13
  edCapital,                // 14
  edMixedCase,              // 15
  edPassword,               // 16
  edUnitEditBtn,            // 17
  edLowerCase,              // 18
  edUpperCase,              // 19
  edFloatSpinEdit,          // 20
  edTimeSpinEdit,           // 21
  edDateSpinEdit,           // 22
  edNumericEditBtn,         // 23
  edFloatEditBtn,           // 24
  edCustom,                 // 25
  edRichEdit,               // 26
  edNone,                   // 27
  edDateTimeEdit,           // 28
  edValidChars,             // 29
  edTrackbarDropDown,       // 30
  edMemoDropDown,           // 31
  edCalculatorDropDown,     // 32
  edTimePickerDropDown,     // 33
  edDetailDropDown,         // 34
  edGridDropDown,           // 35
  edColorPickerDropDown,    // 36
  edImagePickerDropDown,    // 37
  edExGridDropDown,         // 38
  edPositiveFloat,          // 39
  edNumericUnitEditBtn,     // 40
  edFloatUnitEditBtn,       // 41
  edMaskEditBtn,            // 42
};
constexpr Integer EditorTypeCount = 43;

// One side of a cell's border.
enum TCellBorder : Byte { cbTop, cbLeft, cbRight, cbBottom };

enum TCellGradientDirection : Byte { GradientVertical, GradientHorizontal };

enum TVAlignment : Byte { vtaTop, vtaCenter, vtaBottom };

// How a column sorts.
enum TSortStyle : Byte {
  ssAutomatic,           // 0
  ssAlphabetic,          // 1
  ssNumeric,             // 2
  ssDate,                // 3
  ssAlphaNoCase,         // 4
  ssAlphaCase,           // 5
  ssShortDateEU,         // 6
  ssShortDateUS,         // 7
  ssCustom,              // 8
  ssFinancial,           // 9
  ssAnsiAlphaCase,       // 10
  ssAnsiAlphaNoCase,     // 11
  ssRaw,                 // 12
  ssHTML,                // 13
  ssImages,              // 14
  ssCheckBox,            // 15
  ssDateTime,            // 16
  ssTime,                // 17
  ssAlphaNumeric,        // 18
  ssAlphaNumericNoCase,  // 19
};
constexpr Integer SortStyleCount = 20;

enum TArrowDirection : Byte { arrUp, arrDown, arrLeft, arrRight };

enum TExGridButtonStyle : Byte { tasButton, tasCheck };

// How selected cells are painted.
enum TGridSelectionStyle : Byte { ssDefault, ssVista, ssWin7, ssOffice2007 };

// The kinds of cells the hover row paints.
enum THoverRowCell : Byte { hcNormal, hcFixed, hcSelected };

// ---------------------------------------------------------------------------------------------
// Sets
// ---------------------------------------------------------------------------------------------

// A set of the values of a small enumeration (at most 64 values), one bit per value.
template <typename E>
class TGridSet {
 public:
  constexpr TGridSet() = default;
  constexpr TGridSet(std::initializer_list<E> Values) {
    for (E V : Values) FBits |= Bit(V);
  }
  constexpr bool Contains(E V) const { return (FBits & Bit(V)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TGridSet& Include(E V) {
    FBits |= Bit(V);
    return *this;
  }
  constexpr TGridSet& Exclude(E V) {
    FBits &= ~Bit(V);
    return *this;
  }
  constexpr TGridSet operator+(TGridSet O) const { return FromBits(FBits | O.FBits); }
  constexpr TGridSet operator-(TGridSet O) const { return FromBits(FBits & ~O.FBits); }
  constexpr TGridSet operator*(TGridSet O) const { return FromBits(FBits & O.FBits); }
  // The stored form: bit n stands for the value of ordinal n (the values below 32; no stored set
  // has more).
  constexpr Cardinal Bits() const { return static_cast<Cardinal>(FBits); }
  static constexpr TGridSet FromBits(Cardinal Bits) {
    TGridSet S;
    S.FBits = Bits;
    return S;
  }
  friend constexpr bool operator==(TGridSet, TGridSet) = default;

 private:
  static constexpr uint64_t Bit(E V) { return uint64_t(1) << static_cast<unsigned>(V); }
  uint64_t FBits = 0;
};

using TCellBorders = TGridSet<TCellBorder>;
using THoverRowCells = TGridSet<THoverRowCell>;

// ---------------------------------------------------------------------------------------------
// Event signatures (parameters after Sender in their declared order)
// ---------------------------------------------------------------------------------------------

using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TFloatFormatEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat,
                                             String& FloatFormat)>;
using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, Integer ARow, Integer RowSize)>;
using TRowSizeEvent = std::function<void(TObject* Sender, Integer ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit)>;
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, String& hintstr)>;
using TButtonClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, Integer ACol, Integer ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TAnchorClickEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor,
                                             bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor)>;
using TClickSortEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, Integer ACol, bool& DoSort)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const String& str1, const String& str2, Integer& Res)>;
using TRawCompareEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer Row1, Integer Row2, Integer& Res)>;
using TGridFormatEvent = std::function<void(TObject* Sender, Integer ACol, TSortStyle& AStyle, String& aPrefix,
                                            String& aSuffix)>;
using TGridColorEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                           TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& hintstr)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& S)>;
using TGridBalloonEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& ATitle,
                                             String& AText, Integer& AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow, bool& CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSpinClickEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AValue, bool UpDown)>;
using TImageChangeEvent = std::function<void(TObject* Sender, Integer Acol, Integer Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TExGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, Integer Col, Integer Row,
                                                const String& OrigValue, const String& NewValue)>;
