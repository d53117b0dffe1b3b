// The graphic a string-grid cell may show besides its text: a check box, radio group, bitmap,
// picture, progress bar, push button, comment marker, star rating and the other kinds of TCellType.
// One TCellGraphic sits in the graphic slot of a cell's TCellProperties; the grid stores, finds and
// removes it (ExGrid.h) and its painter draws it.
//
// Several kinds reuse the fields for other values (colours, ranges, sizes): the table of each kind
// is written at TCellType. The two reference fields keep their object uses apart from their colour
// uses: CellBitmap / CellIcon hold objects, CellBitmapColor / CellIconColor hold the colours that
// the colour-carrying kinds keep in the same slot, and a colour is never freed.
//
// Ownership: a graphic frees the object it refers to only where its kind says so (see the
// destructor); objects handed in by the grid's Add… operations stay the caller's, those made by the
// Create… operations belong to the graphic (CellCreated).
#pragma once

#include "components/gridbase/ExGridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TFilePicture;
class TIntList;
class TExStringGrid;

// The kinds of cell graphics; the ordinal is the streamed value.
enum TCellType : Byte {
  ctBitmap,            // 0  CellBitmap a TBitmap; CellTransparent; both aligns
  ctIcon,              // 1  CellIcon a TIcon; both aligns
  ctNone,              // 2  a new graphic: shows nothing
  ctImageList,         // 3  CellIndex the image of the cell's image list; both aligns
  ctCheckBox,          // 4  CellBoolean checked; CellTransparent flat; CellAngle 1 with a balloon
  ctDataCheckBox,      // 5  the state is the cell text; otherwise as ctCheckBox
  ctRotated,           // 6  CellAngle the text angle in degrees, 0..360
  ctDataImage,         // 7  CellIndex added to the cell's integer value picks the image
  ctNode,              // 8  node rows
  ctRadio,             // 9  CellBitmap the captions (TStrings); CellIndex the selected option
  ctEmpty,             // 10 only the error marker (CellErrFrom, CellErrLen)
  ctImages,            // 11 CellBitmap a TIntList of image indexes (owned); CellBoolean horizontal
  ctPicture,           // 12 CellBitmap a TPicture; CellAngle the TStretchMode; CellIndex padding
  ctFilePicture,       // 13 CellBitmap a TFilePicture; otherwise as ctPicture
  ctValue,             // 14 never created, sized or drawn
  ctProgress,          // 15 CellBitmapColor bar, CellIconColor background; CellErrFrom..CellErrLen
  ctComment,           // 16 CellText the comment; CellIndex the indicator colour
  ctButton,            // 17 CellIndex packed size (width low 16 bits); CellText caption
  ctBitButton,         // 18 as ctButton, CellBitmap the glyph
  ctVirtCheckBox,      // 19 the column grid's shared data check box; the state is the cell text
  ctRowCheckBox,       // 20 the grid's shared row check box in column 0
  ctProgressPie,       // 21 CellBitmapColor the colour; CellAngle the percentage
  ctSummary,           // 22 group summary rows
  ctRangeIndicator,    // 23 CellIndex range; CellBitmapColor negative, CellIconColor positive
  ctXPProgress,        // 24 CellErrFrom minimum, CellErrLen maximum
  ctInterface,         // 25 CellBitmap an object that draws itself (TCellDrawer)
  ctScrollbar,         // 26 CellIndex position; CellAngle page; CellErrFrom range
  ctRadioButton,       // 27 CellBoolean checked; CellTransparent flat; a balloon as ctCheckBox
  ctBalloon,           // 28 CellBitmap a TStringList (title, text), owned; CellIndex the icon
  ctShape,             // 29 CellAngle the TCellShape; CellIndex fill, CellBitmapColor line colour
  ctRating,            // 30 CellAngle the number of stars; CellIndex fill, CellBitmapColor empty
  ctTriStateCheckBox,  // 31 CellCheckBoxState the state
  ctExpand,            // 32 CellAngle expanded height; CellIndex collapsed height; CellVar state
};
constexpr Integer CellTypeCount = 33;

using TCellTypes = TGridSet<TCellType>;

// Placement of a graphic in its cell.
enum TCellHAlign : Byte { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : Byte { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

// How a picture is fitted into its cell.
enum TStretchMode : Byte { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

enum TBalloonIcon : Byte { biNone, biInfo, biWarning, biError };

// The page size and range of a cell's scroll bar.
struct TScrollProp {
  Integer PageSize = 0;
  Integer Range = 0;
  friend bool operator==(const TScrollProp&, const TScrollProp&) = default;
};

// An object that draws itself in a cell (graphic kind ctInterface). The grid asks its size for the
// layout and lets it draw on the cell's rectangle, before the text when DrawBeforeText answers true.
class TCellDrawer : public TPersistent {
 public:
  String ClassName() const override { return u"TCellDrawer"; }
  virtual void Draw(TCanvas* Canvas, const TRect& R, Integer ACol, Integer ARow, bool Selected,
                    TExStringGrid* Grid) = 0;
  virtual Integer GetWidth() = 0;
  virtual Integer GetHeight() = 0;
  virtual bool DrawBeforeText() { return false; }
};

class TCellGraphic : public TPersistent {
 public:
  TCellGraphic() = default;
  ~TCellGraphic() override;
  // The foundation frees a slot's graphic only when its class name is exactly this one.
  String ClassName() const override { return u"TCellGraphic"; }

  // Copies kind, aligns, index, transparency, value, angle, boolean, error range, text and the
  // created flag of another TCellGraphic; not the objects, colours kept in their slots, CellVar
  // or the tri-state state. Other sources raise the assign error.
  void Assign(TPersistent* Source) override;

  // --- Fields as properties ---------------------------------------------------------------------
  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType Value) { FCellType = Value; }
  // The kind's main object: TBitmap, TStrings, TPicture, TFilePicture, TIntList, TStringList or a
  // TCellDrawer, by kind.
  TObject* CellBitmap() const { return FCellBitmap; }
  void SetCellBitmap(TObject* Value) { FCellBitmap = Value; }
  // The colour the colour-carrying kinds keep in the CellBitmap slot.
  TColor CellBitmapColor() const { return FCellBitmapColor; }
  void SetCellBitmapColor(TColor Value) { FCellBitmapColor = Value; }
  TIcon* CellIcon() const { return FCellIcon; }
  void SetCellIcon(TIcon* Value) { FCellIcon = Value; }
  // The colour the colour-carrying kinds keep in the CellIcon slot.
  TColor CellIconColor() const { return FCellIconColor; }
  void SetCellIconColor(TColor Value) { FCellIconColor = Value; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign Value) { FCellVAlign = Value; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign Value) { FCellHAlign = Value; }
  Integer CellIndex() const { return FCellIndex; }
  void SetCellIndex(Integer Value) { FCellIndex = Value; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool Value) { FCellTransparent = Value; }
  bool CellCreated() const { return FCellCreated; }
  void SetCellCreated(bool Value) { FCellCreated = Value; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool Value) { FCellBoolean = Value; }
  Integer CellAngle() const { return FCellAngle; }
  void SetCellAngle(Integer Value) { FCellAngle = Value; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double Value) { FCellValue = Value; }
  Integer CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(Integer Value) { FCellErrFrom = Value; }
  Integer CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(Integer Value) { FCellErrLen = Value; }
  const String& CellText() const { return FCellText; }
  void SetCellText(const String& Value) { FCellText = Value; }
  // The expand state (0 collapsed, 1 expanded) or a radio group's index after a keyboard step.
  Integer CellVar() const { return FCellVar; }
  void SetCellVar(Integer Value) { FCellVar = Value; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState Value) { FCellCheckBoxState = Value; }

  // --- Typed views of CellBitmap (nullptr when the object is of another class) -------------------
  TBitmap* Bitmap() const;
  TStrings* Strings() const;
  TPicture* Picture() const;
  TFilePicture* FilePicture() const;
  TIntList* IntList() const;
  TCellDrawer* Drawer() const;

  // --- Setters by kind: each sets CellType and the fields named, the others keep their values ----
  void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                  TCellHAlign hal, TCellVAlign val);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, Integer Padding,
                      TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(Integer Idx, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(Integer Idx, TCellHAlign hal, TCellVAlign val);
  // A new index list bound to (Col, Row) whose OnChange is Notifier; laid out across when Dir = 0.
  // A list the graphic held before is freed.
  void SetMultiImage(Integer Col, Integer Row, Integer Dir, TCellHAlign hal, TCellVAlign val,
                     TImageChangeEvent Notifier);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetButton(Integer bw, Integer bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(Integer bw, Integer bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                    TCellVAlign val);
  void SetInterfacedCell(TCellDrawer* AObject);
  // ctRotated with the angle brought into 0..360 (360 stays 360).
  void SetAngle(int16_t AAngle);

  // The size a picture or file picture takes in a room of cw x rh (less the padding in CellIndex),
  // by the stretch mode in CellAngle; (0, 0) for the other kinds. HasText has no influence.
  TPoint GetPictureSize(Integer cw, Integer rh, bool HasText) const;

  // The packed button size in CellIndex.
  Integer ButtonWidth() const { return FCellIndex & 0xFFFF; }
  Integer ButtonHeight() const { return (static_cast<Cardinal>(FCellIndex) >> 16) & 0xFFFF; }

  // Frees the owned object of the kind (as the destructor does) and clears the slot.
  void FreeOwnedObject();

 private:
  TCellType FCellType = ctNone;
  TObject* FCellBitmap = nullptr;
  TColor FCellBitmapColor = 0;
  TIcon* FCellIcon = nullptr;
  TColor FCellIconColor = 0;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  Integer FCellIndex = 0;
  bool FCellTransparent = false;
  bool FCellCreated = false;
  bool FCellBoolean = false;
  Integer FCellAngle = 0;
  double FCellValue = 0;
  Integer FCellErrFrom = 0;
  Integer FCellErrLen = 0;
  String FCellText;
  Integer FCellVar = 0;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
};

// The check-box kinds and the kinds whose cell text is data for the graphic.
constexpr TCellTypes CheckBoxCellTypes{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox,
                                       ctTriStateCheckBox};
constexpr TCellTypes DataCheckBoxCellTypes{ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox};

// X limited to 0 … 100.
double ClampPercent(double X);

// Moves R's top-left to the origin of a text rotated by Angle degrees (0 … 360) so that it stands
// in R by the alignments. A = |cos x text height|, B = |sin x text width|, C = |sin x text height|,
// D = |cos x text width|, each truncated.
void PlaceRotatedText(TRect& R, TAlignment HAlign, TVAlignment VAlign, Integer Angle, Integer D, Integer C, Integer B,
                      Integer A);

// The base cell of (ACol, ARow) shows a graphic whose cell text is data for it (data and virtual
// check boxes, row check boxes, data images) rather than text to print.
bool IsDataGraphicCell(TExStringGrid* Grid, Integer ACol, Integer ARow);
