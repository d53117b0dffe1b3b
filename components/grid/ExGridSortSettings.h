// The string grid's sort settings: which column and direction the grid sorts by, how header clicks
// sort, multi-column (indexed) sorting, how cells compare, and the look of the sort header. The
// sort state also travels as a short text specifier:
//   "u3"        ascending by column 3
//   "d5"        descending by column 5
//   "i;u3;d5"   indexed: ascending by column 3, then descending by column 5
#pragma once

#include <memory>

#include "components/grid/ExGridDefs.h"  // TSortDirection
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;

// The key held while clicking a header to add its column to the sort index list.
enum TIndexSortKey : Byte { ikShift, ikCtrl };
// Where empty cells go when IgnoreBlanks is set, in both directions.
enum TSortBlankPosition : Byte { blFirst, blLast };

class TSortSettings : public TPersistent {
 public:
  // The grid is kept, not owned; it may be nullptr for a free-standing copy of settings.
  explicit TSortSettings(TExStringGrid* AGrid);
  ~TSortSettings() override;
  String ClassName() const override { return u"TSortSettings"; }

  // Copies every setting of another TSortSettings (the glyphs into the own bitmaps); any other
  // source is ignored.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Grid() const { return FGrid; }

  bool AutoSortForGrouping() const { return FAutoSortForGrouping; }
  void SetAutoSortForGrouping(bool Value) { FAutoSortForGrouping = Value; }
  bool AutoColumnMerge() const { return FAutoColumnMerge; }
  void SetAutoColumnMerge(bool Value) { FAutoColumnMerge = Value; }
  // The sorted column, -1 when none.
  Integer Column() const { return FColumn; }
  void SetColumn(Integer Value) { FColumn = Value; }
  // The sort indicator is drawn and a click in the sort row sorts; a change repaints the grid.
  bool Show() const { return FShow; }
  void SetShow(bool Value);
  bool IndexShow() const { return FIndexShow; }
  void SetIndexShow(bool Value) { FIndexShow = Value; }
  TColor IndexColor() const { return FIndexColor; }
  void SetIndexColor(TColor Value) { FIndexColor = Value; }
  TIndexSortKey IndexSortKey() const { return FIndexSortKey; }
  void SetIndexSortKey(TIndexSortKey Value) { FIndexSortKey = Value; }
  bool Full() const { return FFull; }
  void SetFull(bool Value) { FFull = Value; }
  bool SingleColumn() const { return FSingleColumn; }
  void SetSingleColumn(bool Value) { FSingleColumn = Value; }
  bool IgnoreBlanks() const { return FIgnoreBlanks; }
  void SetIgnoreBlanks(bool Value) { FIgnoreBlanks = Value; }
  TSortBlankPosition BlankPos() const { return FBlankPos; }
  void SetBlankPos(TSortBlankPosition Value) { FBlankPos = Value; }
  bool AutoFormat() const { return FAutoFormat; }
  void SetAutoFormat(bool Value) { FAutoFormat = Value; }
  TSortDirection Direction() const { return FDirection; }
  void SetDirection(TSortDirection Value) { FDirection = Value; }
  // The indicator pictures; the setters copy the bitmap (nullptr empties it).
  TBitmap* UpGlyph() const { return FUpGlyph.get(); }
  void SetUpGlyph(const TBitmap* Value);
  TBitmap* DownGlyph() const { return FDownGlyph.get(); }
  void SetDownGlyph(const TBitmap* Value);
  bool IgnoreCase() const { return FIgnoreCase; }
  void SetIgnoreCase(bool Value) { FIgnoreCase = Value; }
  TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
  void SetIndexUpGlyph(const TBitmap* Value);
  TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
  void SetIndexDownGlyph(const TBitmap* Value);
  TSortDirection InitSortDirection() const { return FInitSortDirection; }
  void SetInitSortDirection(TSortDirection Value) { FInitSortDirection = Value; }
  // Clicks on fixed columns sort too.
  bool FixedCols() const { return FFixedCols; }
  void SetFixedCols(bool Value) { FFixedCols = Value; }
  // The same switch under the name the sorting code reads it by.
  bool SortFixedCols() const { return FFixedCols; }
  bool NormalCellsOnly() const { return FNormalCellsOnly; }
  void SetNormalCellsOnly(bool Value) { FNormalCellsOnly = Value; }
  // The fixed row whose clicks sort and which shows the indicator. A value not below the grid's
  // FixedRows raises Exception "Sort row should be smaller than number of fixed rows" and keeps
  // the row.
  Integer Row() const { return FRow; }
  void SetRow(Integer Value);
  bool UndoSort() const { return FUndoSort; }
  void SetUndoSort(bool Value) { FUndoSort = Value; }
  bool SortOnVirtualCells() const { return FSortOnVirtualCells; }
  void SetSortOnVirtualCells(bool Value) { FSortOnVirtualCells = Value; }
  // The gradient of the sorted column's header cell (clNone = not used); a change repaints the
  // last fixed row.
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value);
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value);
  TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
  void SetHeaderMirrorColor(TColor Value);
  TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
  void SetHeaderMirrorColorTo(TColor Value);

  // The specifier of the current state: "i;" and the levels of the grid's sort index list with
  // IndexShow, else "u" or "d" and Column ("u-1" when nothing is sorted).
  String SaveToString() const;
  // Applies a specifier and sorts the grid; an empty text does nothing. Sets Show first; a text of
  // one character raises Exception "Invalid sort settings specifier".
  void LoadFromString(const String& Value);
  // Forgets the sort (Column -1, the grid's index list cleared) and repaints the header row; the
  // rows keep their order.
  void Remove();
  // Flips Direction; nothing is sorted or repainted.
  void ToggleDirection();

 private:
  void RepaintHeaderRow();
  void HeaderColorChanged(TColor& Field, TColor Value);

  TExStringGrid* FGrid;
  bool FAutoSortForGrouping = true;
  bool FAutoColumnMerge = false;
  Integer FColumn = -1;
  bool FShow = false;
  bool FIndexShow = false;
  TColor FIndexColor = 0x0000FFFF;
  TIndexSortKey FIndexSortKey = ikShift;
  bool FFull = true;
  bool FSingleColumn = false;
  bool FIgnoreBlanks = false;
  TSortBlankPosition FBlankPos = blFirst;
  bool FAutoFormat = true;
  TSortDirection FDirection = sdAscending;
  std::unique_ptr<TBitmap> FUpGlyph;
  std::unique_ptr<TBitmap> FDownGlyph;
  bool FIgnoreCase = false;
  std::unique_ptr<TBitmap> FIndexUpGlyph;
  std::unique_ptr<TBitmap> FIndexDownGlyph;
  TSortDirection FInitSortDirection = sdAscending;
  bool FFixedCols = false;
  bool FNormalCellsOnly = false;
  Integer FRow = 0;
  bool FUndoSort = false;
  bool FSortOnVirtualCells = true;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderMirrorColor = clNone;
  TColor FHeaderMirrorColorTo = clNone;
};
