// The base grid: the layer between the class library's string grid and the component library's
// string grid. It adds a per-cell property object (TCellProperties) made on first use, merged
// cells kept in those objects, cell text that goes through a merged area's base cell and through
// display-text events, its own cell painter (hover row, active row, selection styles, gradients,
// grid lines) and a link to an undo / redo component.
//
// Storage: the library grid keeps one text and one object reference per cell. The base grid uses
// the object slot of every cell for that cell's TCellProperties only; a caller's own object for a
// cell lives inside the property object (CellObject). The grid owns every property object; it owns
// a graphic object held by one only when the graphic's class name is "TCellGraphic".
//
// Merged cells: the top-left (base) cell of an area of w columns and h rows holds spans w - 1 and
// h - 1; every other cell of the area holds its offset from the base cell and IsBaseCell False; a
// cell that is not merged holds spans -1. Cells without a property object are not merged.
//
// Coordinates are (column, row). The derived string grid overrides most virtual operations.
#pragma once

#include "components/gridbase/ExGridTypes.h"
#include "platform/grids/Grids.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TBaseGrid;
class TExGridUndoRedo;

// The footer calculation kind kept in a cell's properties (the string grid's column calculations).
enum TColumnCalcType : Byte {
  acNONE,
  acSUM,
  acAVG,
  acCOUNT,
  acMIN,
  acMAX,
  acSPREAD,
  acCUSTOM,
  acDISTINCT,
  acSTDDEV,
};

// ---------------------------------------------------------------------------------------------
// TCellProperties: the settings of one cell
// ---------------------------------------------------------------------------------------------

class TCellProperties : public TPersistent {
 public:
  // A new property object of the cell (ACol, ARow) of AOwner: not merged (spans -1, base cell),
  // colours not set, word wrap as the grid's. Marks the grid as having cell properties.
  TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow);
  String ClassName() const override { return u"TCellProperties"; }

  // Copies the cell settings of another TCellProperties as plain fields (no repaint): base flag,
  // spans, owner cell, caller object, alignment, border, brush colour and style, font, read-only,
  // editor, vertical alignment, word wrap, node level and control. The gradient colour and
  // direction, the calculation, the graphic object and the owner grid are not copied.
  void Assign(TPersistent* Source) override;

  // The base cell of the merged area that (ACol, ARow), the cell of this object, belongs to: the
  // cell minus its stored offsets for a non-base cell, otherwise the cell itself.
  TPoint GetBaseCell(Integer ACol, Integer ARow) const;

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  Integer OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(Integer Value) { FOwnerCol = Value; }
  Integer OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(Integer Value) { FOwnerRow = Value; }

  // The caller's object of the cell (not owned).
  TObject* CellObject() const { return FObject; }
  void SetCellObject(TObject* Value) { FObject = Value; }
  // The cell's graphic (owned by the grid only when its class name is "TCellGraphic").
  TObject* GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }

  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  // The setters of the brush colours, the vertical alignment and word wrap repaint the cell.
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  Integer FontSize() const { return FFontSize; }
  void SetFontSize(Integer Value) { FFontSize = Value; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  Integer CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(Integer Value) { FCellSpanY = Value; }
  Integer CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(Integer Value) { FCellSpanX = Value; }
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  TColumnCalcType CalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject* CalcObject() const { return FCalcObject; }
  void SetCalcObject(TObject* Value) { FCalcObject = Value; }
  Integer NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(Integer Value) { FNodeLevel = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& Value) { FFontName = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }

  // The paint pass in which the painter last painted this cell's merged area.
  Integer PaintID() const { return FPaintID; }
  void SetPaintID(Integer Value) { FPaintID = Value; }

 private:
  void RepaintOwnerCell();

  TBaseGrid* FOwnerGrid;
  Integer FOwnerCol;
  Integer FOwnerRow;
  TObject* FObject = nullptr;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  Integer FFontSize = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle;
  Integer FCellSpanY = -1;
  Integer FCellSpanX = -1;
  Integer FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  Integer FPaintID = 0;
  bool FWordWrap = true;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;
  Integer FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  String FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TObjStringGrid, TBaseGrid
// ---------------------------------------------------------------------------------------------

// The library's string grid under its component-library name; it adds nothing.
class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
  String ClassName() const override { return u"TObjStringGrid"; }
};

class TBaseGrid : public TObjStringGrid {
 public:
  explicit TBaseGrid(TComponent* AOwner);
  // Frees every cell property object (and its "TCellGraphic" graphic) the grid holds.
  ~TBaseGrid() override;
  String ClassName() const override { return u"TBaseGrid"; }

  // --- Published properties -------------------------------------------------------------------
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  // The library's own default drawing stays off whatever is written here.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // The width of the lines the cell painter draws; the library's grid line width stays 0.
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
  TExGridUndoRedo* UndoRedo() const { return FUndoRedo; }
  // Stores the link and makes this grid the component's Grid.
  void SetUndoRedo(TExGridUndoRedo* Value);

  // A mark on the row now at ARow, for a history of changes that must find the row again wherever
  // rows moved since (the row is made when it holds no cells yet); nullptr outside the grid.
  std::shared_ptr<TGridRowMark> MarkRow(Integer ARow);
  // Where marked rows stand now: Rows[i] comes in as where the row of Marks[i] stood and goes out
  // as where it stands, -1 for a row no longer among the grid's rows (removed, or held aside while
  // hidden); an entry without a mark is left as it is. One pass over the rows at most.
  void FindMarkedRows(const std::vector<const TGridRowMark*>& Marks, std::vector<Integer>& Rows) const;

  // The display text of a cell (fired for rows below NormalRowCount).
  TGetDisplTextEvent OnGetDisplText;
  // The display text of a cell as a wide string; the result is read back in "|\" encoding.
  TGetDisplWideTextEvent OnGetDisplWideText;

  // --- Public properties ----------------------------------------------------------------------
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value);
  // The word wrap given to new cell properties.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }

  // State the string grid keeps up to date.
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  Integer NormalRowCount() const { return FNormalRowCount; }
  void SetNormalRowCount(Integer Value) { FNormalRowCount = Value; }
  Integer HoverRowIdx() const { return FHoverRowIdx; }
  void SetHoverRowIdx(Integer Value) { FHoverRowIdx = Value; }
  bool ShowSel() const { return FShowSel; }
  void SetShowSel(bool Value) { FShowSel = Value; }
  // True once any cell property object was created.
  bool HasCellProps() const { return FHasCellProps; }
  void SetHasCellProps(bool Value) { FHasCellProps = Value; }
  Integer PaintID() const { return FPaintID; }
  Integer MergeCount() const { return FMergeCount; }

  // --- Cell text, objects and properties (array properties [column, row]) ---------------------
  // Cells: the base cell's text, through the display-text events; writing stores at the base cell.
  String Cells(Integer ACol, Integer ARow) { return GetCellEx(ACol, ARow); }
  void SetCells(Integer ACol, Integer ARow, const String& Value) { SetCellEx(ACol, ARow, Value); }
  String GetCellEx(Integer ACol, Integer ARow);
  // GetCellEx's text without a copy where it is the stored text: a reference to the stored text
  // (valid until the cell or its row changes), or to Scratch filled with the text the display-text
  // hooks give.
  const String& CellExRef(Integer ACol, Integer ARow, String& Scratch);
  // The text a ...Ref read handed out, as a value of its own: Scratch moved out when it holds it.
  static String RefText(const String& Ref, String& Scratch) { return &Ref == &Scratch ? std::move(Scratch) : Ref; }
  void SetCellEx(Integer ACol, Integer ARow, const String& Value);
  // GridCells: the library's text of the cell itself; no base cell, no events, no repaint.
  String GridCells(Integer ACol, Integer ARow) const { return GetGridCell(ACol, ARow); }
  void SetGridCells(Integer ACol, Integer ARow, const String& Value) { SetGridCell(ACol, ARow, Value); }
  String GetGridCell(Integer ACol, Integer ARow) const;
  void SetGridCell(Integer ACol, Integer ARow, const String& Value);
  // GridObjects: the raw object slot, that is the property object itself.
  TObject* GridObjects(Integer ACol, Integer ARow) const { return GetGridObject(ACol, ARow); }
  void SetGridObjects(Integer ACol, Integer ARow, TObject* Value) { SetGridObject(ACol, ARow, Value); }
  TObject* GetGridObject(Integer ACol, Integer ARow) const;
  void SetGridObject(Integer ACol, Integer ARow, TObject* Value);
  // Objects: the caller's object of the cell kept in its property object.
  TObject* Objects(Integer ACol, Integer ARow) const { return GetObjectEx(ACol, ARow); }
  void SetObjects(Integer ACol, Integer ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }
  TObject* GetObjectEx(Integer ACol, Integer ARow) const;
  void SetObjectEx(Integer ACol, Integer ARow, TObject* Value);
  // GraphicObjects: the graphic slot of the cell's property object.
  TObject* GraphicObjects(Integer ACol, Integer ARow) const { return GetGraphicObjectEx(ACol, ARow); }
  void SetGraphicObjects(Integer ACol, Integer ARow, TObject* Value) { SetGraphicObjectEx(ACol, ARow, Value); }
  TObject* GetGraphicObjectEx(Integer ACol, Integer ARow) const;
  void SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value);
  // CellProperties: created with the cell's defaults on first read; the range is not checked.
  TCellProperties* CellProperties(Integer ACol, Integer ARow) { return GetCellProperties(ACol, ARow); }
  TCellProperties* GetCellProperties(Integer ACol, Integer ARow);
  // Frees the property object in the slot (with its "TCellGraphic" graphic unless Value holds the
  // same graphic) and stores Value.
  void SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value);

  // The cell lies inside the grid (columns up to TotalColCount, rows up to RowCount) and has a
  // property object. Creates nothing.
  bool HasCellProperties(Integer ACol, Integer ARow) const;
  TObject* CellGraphicOf(const TCellProperties* Props) const;
  // Frees the property objects of the cells of the inclusive rectangle, each with its graphic when
  // that graphic's class name is "TCellGraphic". Nothing unless a property object was ever made.
  void FreeCellPropsRange(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
  // The same for one cell.
  void FreeCellProps(Integer ACol, Integer ARow);
  // The same for every cell of the grid.
  void FreeAllCellProps();
  // Empty texts (through SetCellEx) and cleared object slots, nothing freed: the caller took or
  // freed the objects before.
  void ClearColCells(Integer ACol);
  void ClearRowCells(Integer ARow);
  void ClearCellAndObject(Integer ACol, Integer ARow);

  // Repaints the cell's rectangle (a merged area's whole rectangle).
  void RepaintCell(Integer ACol, Integer ARow);
  // A stored cell (real column, display row) changed: what it shows is repainted when it shows.
  void InvalidateCell(Integer ACol, Integer ARow) override;

  // --- Virtual operations ---------------------------------------------------------------------
  // Whether the painter treats the cell as fixed.
  virtual bool IsFixed(Integer ACol, Integer ARow);
  // Pixels of indentation of a row.
  virtual Integer GetRowIndent(Integer ARow);
  // True when the grid has node rows: column 0 then gets no horizontal grid line.
  virtual bool HasNodes();
  // The content of a cell: its Cells text centred on one line.
  virtual void DrawGridCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  // Called after a write to the last row while the last row is hidden.
  virtual void LastRowChanged();
  virtual void DoGetDisplText(Integer ACol, Integer ARow, String& Value);
  // Whether DoGetDisplText or DoGetDisplWideText may change the text of the cell (ACol, ARow):
  // false lets CellExRef hand out the stored text itself. An override of DoGetDisplText answers
  // true for every cell it may change.
  virtual bool ChangesDisplText(Integer ACol, Integer ARow);
  virtual void DoGetDisplWideText(Integer ACol, Integer ARow, String& Value);
  // The defaults of a new cell property object.
  virtual void GetCellDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                               TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                               bool& WW, TCellGradientDirection& GD);
  // Called by SetCellEx with the base cell after its text was stored.
  virtual void CellTextChanged(Integer ACol, Integer ARow);
  virtual bool HasCellBorderEvent();
  // When True, fixed and selected cells get no background from the painter.
  virtual bool UsesVCLStyles();
  // The colours, font, alignment, word wrap and gradient the painter uses for a cell.
  virtual void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Print, bool Select,
                                   bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                   TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                   bool& WW, TCellGradientDirection& GD);
  // The display column of a real column.
  virtual Integer DisplColIndex(Integer ACol);
  // Merges the area of SpanX columns and SpanY rows whose base cell is (ACol, ARow). Not checked
  // against other areas. An area that reaches outside the grid (columns up to TotalColCount, rows
  // up to RowCount) raises EInvalidGridOperation "Grid index out of range" and changes nothing.
  // With SpanX or SpanY below 1 no cell changes.
  virtual void MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY);
  // Splits the whole merged area found through the cell's stored offsets.
  virtual void SplitCells(Integer ACol, Integer ARow);
  // The number of columns including any the derived grid hides.
  virtual Integer TotalColCount();

  // --- Merged cells and geometry --------------------------------------------------------------
  TPoint BaseCell(Integer ACol, Integer ARow) const;
  bool IsBaseCell(Integer ACol, Integer ARow) const;
  // True (with the cell itself) when the cell paints itself: no property object or a base cell.
  // Otherwise False with the base cell.
  bool ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const;
  bool IsMergedCell(Integer ACol, Integer ARow) const;
  bool IsMergedNonBaseCell(Integer ACol, Integer ARow) const;
  bool IsXMergedCell(Integer ACol, Integer ARow) const;
  bool IsYMergedCell(Integer ACol, Integer ARow) const;
  // The base cell's spans; (0, 0) for a cell that is not merged.
  TPoint CellSpan(Integer ACol, Integer ARow) const;
  // The columns and rows from the cell to the area's last cell.
  TPoint CellExt(Integer ACol, Integer ARow) const;
  // The area in cell coordinates, both corners included.
  TRect FullCell(Integer ACol, Integer ARow) const;
  // The client rectangle of the cell, of the whole area for a merged cell; empty for a plain cell
  // out of view.
  TRect CellRect(Integer ACol, Integer ARow) const;
  TPoint CellSize(Integer ACol, Integer ARow) const;
  // The client rectangle of one cell from the column widths and row heights, ignoring merging;
  // scrolled-out cells get coordinates outside the client area.
  TRect RawCellRect(Integer ACol, Integer ARow) const;
  Integer MinRowSpan(Integer ARow) const;
  Integer MaxRowSpan(Integer ARow) const;
  // The two rows share a row-merge structure (False when no common column is merged over rows).
  bool RowSpanIdentical(Integer ARow1, Integer ARow2) const;
  bool ColSpanIdentical(Integer ACol1, Integer ACol2) const;
  // Puts the current cell on the base cell of its merged area.
  void MoveToBaseCell();
  void RepaintMergedFixedCols();
  void RepaintMergedFixedRows();

  // --- Painting -------------------------------------------------------------------------------
  // A cell with its content into any canvas.
  void PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  // A cell without content: background, colours, selection box and grid lines in ARect.
  void PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  void PaintCellInternal(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                         bool WithContent);

  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void TopLeftChanged() override;
  // Asks for a client rectangle to be painted again (nothing inside the update lock, whose last
  // EndUpdate repaints the whole grid).
  void InvalidateClientRect(const TRect& R) override;

  // The cell's property object when the cell lies inside the grid, else nullptr.
  TCellProperties* PropsAt(Integer ACol, Integer ARow) const;
  // The property object in the cell's slot whatever the grid's counts, else nullptr.
  TCellProperties* SlotProps(Integer ACol, Integer ARow) const;
  // The width of the fixed columns and the height of the fixed rows together.
  Integer FixedColsWidth() const;
  Integer FixedRowsHeight() const;

  // Merged areas kept whole when rows (Rows) or columns are removed or inserted. Called before
  // Count rows (columns) from First are removed: an area losing some of them shrinks; one losing
  // its first row (column) takes the first one left as its base, with the base cell's text and
  // property object; one left with a single cell is merged no more. An area wholly inside the
  // removed ones goes with its cells, one wholly outside them is not touched.
  void KeepMergesBeforeRemove(bool Rows, Integer First, Integer Count);
  // Called after Count rows (columns) were inserted at First: an area they cut in two grows over
  // them, their cells joining it.
  void KeepMergesAfterInsert(bool Rows, Integer First, Integer Count);

  bool FDefaultDrawing = false;
  Integer FGridLineWidth = 1;
  TColor FGridLineColor = clSilver;
  TColor FGridFixedLineColor = clGray;
  Integer FPaintID = 1;
  bool FCustomSelect = true;
  bool FHideLastRow = false;
  Integer FNormalRowCount = 0;
  TExGridUndoRedo* FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  Integer FHoverRowIdx = -1;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FShowSel = true;
  bool FHasCellProps = false;
  Integer FMergeCount = 0;

 private:
  // Repaints a cell's rectangle R with the pixel around it.
  void InvalidateCellPixels(const TRect& R);
  // Makes and stores the property object of an empty slot, filled from GetCellDefaults.
  TCellProperties* CreateCellProps(Integer ACol, Integer ARow);
  // Frees a property object and its graphic when the grid owns that graphic (KeepGraphic aside).
  static void FreeProps(TCellProperties* Props, const TObject* KeepGraphic = nullptr);
};
