// Drag and drop of cells between grids and other windows of the program:
// - TDragDropSettings (the grid's DragDropSettings): what the grid offers and takes;
// - TDragScrollOptions (the grid's DragScrollOptions): auto-scrolling while the class library's
//   own drag runs over the grid;
// - TGridDropTarget / TGridDropSource: the grid's own target and source, on the drop-target and
//   drop-source bases of the grid foundation (components/gridbase/esgdd.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/gridbase/esgdd.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TGridDropTarget;

// --- The grid's settings ------------------------------------------------------------------------

class TDragDropSettings : public TPersistent {
 public:
  // The grid is kept, not owned (nullptr for a free-standing copy of settings).
  explicit TDragDropSettings(TExStringGrid* AGrid);
  ~TDragDropSettings() override;
  String ClassName() const override { return u"TDragDropSettings"; }
  // Copies the fifteen values of another TDragDropSettings as plain fields: no drop target is
  // registered or revoked and the rich-text switch is left alone. Any other source raises the
  // assign error.
  void Assign(TPersistent* Source) override;

  TExStringGrid* Grid() const { return FGrid; }

  bool ShowCells() const { return FShowCells; }
  void SetShowCells(bool Value) { FShowCells = Value; }
  bool OleAcceptFiles() const { return FOleAcceptFiles; }
  void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
  bool OleAcceptText() const { return FOleAcceptText; }
  void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
  bool OleAcceptURLs() const { return FOleAcceptURLs; }
  void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
  bool OleAppendRows() const { return FOleAppendRows; }
  void SetOleAppendRows(bool Value) { FOleAppendRows = Value; }
  bool OleColumnDragDrop() const { return FOleColumnDragDrop; }
  void SetOleColumnDragDrop(bool Value) { FOleColumnDragDrop = Value; }
  bool OleColumnReorder() const { return FOleColumnReorder; }
  void SetOleColumnReorder(bool Value) { FOleColumnReorder = Value; }
  bool OleColumnsOnly() const { return FOleColumnsOnly; }
  void SetOleColumnsOnly(bool Value) { FOleColumnsOnly = Value; }
  bool OleCopyAlways() const { return FOleCopyAlways; }
  void SetOleCopyAlways(bool Value) { FOleCopyAlways = Value; }
  // True creates the grid's drop target and registers the grid for drops (remembering whether
  // that worked); false revokes a registration that worked. Only stored while designing.
  bool OleDropTarget() const { return FOleDropTarget; }
  void SetOleDropTarget(bool Value);
  bool OleDropSource() const { return FOleDropSource; }
  void SetOleDropSource(bool Value) { FOleDropSource = Value; }
  bool OleEntireRows() const { return FOleEntireRows; }
  void SetOleEntireRows(bool Value) { FOleEntireRows = Value; }
  bool OleInsertRows() const { return FOleInsertRows; }
  void SetOleInsertRows(bool Value) { FOleInsertRows = Value; }
  bool OleRemoveRows() const { return FOleRemoveRows; }
  void SetOleRemoveRows(bool Value) { FOleRemoveRows = Value; }
  // Also sets the program-wide rich-text switch.
  bool OleDropRTF() const { return FOleDropRTF; }
  void SetOleDropRTF(bool Value);

  // The grid's drop target (nullptr until OleDropTarget was first switched on) and whether its
  // registration worked.
  TGridDropTarget* DropTarget() const { return FDropTarget.Get(); }
  bool DropTargetAssigned() const { return FDropTargetAssigned; }
  // Copies the accept flags into the drop target when it is registered (the grid's end of
  // streaming).
  void UpdateDropTargetAccept();
  // Revokes a registration that worked (the grid's window goes away).
  void RevokeDropTarget();

 private:
  TExStringGrid* FGrid;
  bool FShowCells = true;
  bool FOleAcceptFiles = true;
  bool FOleAcceptText = true;
  bool FOleAcceptURLs = true;
  bool FOleAppendRows = false;
  bool FOleColumnDragDrop = false;
  bool FOleColumnReorder = false;
  bool FOleColumnsOnly = false;
  bool FOleCopyAlways = false;
  bool FOleDropTarget = false;
  bool FOleDropSource = false;
  bool FOleEntireRows = false;
  bool FOleInsertRows = false;
  bool FOleRemoveRows = false;
  bool FOleDropRTF = false;
  TComPtr<TGridDropTarget> FDropTarget;
  bool FDropTargetAssigned = false;
};

class TDragScrollDelays : public TPersistent {
 public:
  String ClassName() const override { return u"TDragScrollDelays"; }
  void Assign(TPersistent* Source) override;
  Integer InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(Integer Value) { FInitialDelay = Value; }
  Integer RepeatDelay() const { return FRepeatDelay; }
  void SetRepeatDelay(Integer Value) { FRepeatDelay = Value; }

 private:
  Integer FInitialDelay = 1000;
  Integer FRepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent {
 public:
  String ClassName() const override { return u"TDragScrollMargins"; }
  void Assign(TPersistent* Source) override;
  Integer TopMargin() const { return FTopMargin; }
  void SetTopMargin(Integer Value) { FTopMargin = Value; }
  Integer BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(Integer Value) { FBottomMargin = Value; }
  Integer LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(Integer Value) { FLeftMargin = Value; }
  Integer RightMargin() const { return FRightMargin; }
  void SetRightMargin(Integer Value) { FRightMargin = Value; }

 private:
  Integer FTopMargin = 50;
  Integer FBottomMargin = 50;
  Integer FLeftMargin = 50;
  Integer FRightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
 public:
  TDragScrollOptions();
  ~TDragScrollOptions() override;
  String ClassName() const override { return u"TDragScrollOptions"; }
  // Copies the margins, the delays and Active; any other source raises the assign error.
  void Assign(TPersistent* Source) override;

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  // The setters copy the given settings into the owned objects.
  TDragScrollDelays* Delays() const { return FDelays.get(); }
  void SetDelays(const TDragScrollDelays* Value);
  TDragScrollMargins* Margins() const { return FMargins.get(); }
  void SetMargins(const TDragScrollMargins* Value);

 private:
  bool FActive = false;
  std::unique_ptr<TDragScrollDelays> FDelays;
  std::unique_ptr<TDragScrollMargins> FMargins;
};

// --- The grid's target and source ---------------------------------------------------------------

class TGridDropTarget : public TESGDropTarget {
 public:
  // ASettings: the drag-and-drop settings that made the target (the grid's when nullptr).
  explicit TGridDropTarget(TExStringGrid* AGrid, TDragDropSettings* ASettings = nullptr);
  String ClassName() const { return u"TGridDropTarget"; }
  TExStringGrid* Grid() const { return FGrid; }
  TDragDropSettings* Settings() const;

  void DropText(TPoint Pt, const String& S) override;
  void DropStream(TPoint Pt, TMemoryStream* Stream) override;
  void DropCol(TPoint Pt, Integer Col) override;
  void DropRTF(TPoint Pt, const String& S) override;
  void DropFiles(TPoint Pt, TStrings* Files) override;
  void DropURL(TPoint Pt, const String& S) override;
  void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) override;
  void DragMouseLeave() override;

 private:
  // The cell under a screen point ((-1, -1) outside the cells) and whether the point means
  // "append a row" (below the last row with whole-row drops that append).
  void DropCell(TPoint Pt, bool ColOffered, Integer& ACol, Integer& ARow, bool& Append);
  void HideMarkers();

  TExStringGrid* FGrid;
  TDragDropSettings* FSettings;
};

class TGridDropSource : public TESGDropSource {
 public:
  explicit TGridDropSource(TExStringGrid* AGrid);
  ~TGridDropSource() override;
  String ClassName() const { return u"TGridDropSource"; }
  TExStringGrid* Grid() const { return FGrid; }
  // The last effect reported while the drag ran when that was copy (1) or move (2).
  Integer LastEffect() const { return FLastEffect; }

  // The picture of the dragged cells that follows the cursor (with ShowCells); the source frees it
  // when the drag ends.
  TControl* DragImage() const { return FDragImage; }
  void SetDragImage(TControl* Image);

  // Makes the next step of the drag end it as Esc does (Esc pressed while the grid has the focus).
  void CancelDrag() { FCancel = true; }
  HRESULT QueryContinueDrag(bool EscapePressed, DWORD KeyState) override;

  void CurrentEffect(Integer Effect) override;
  // Moves the picture of the dragged cells to the cursor + (4, 4), or without ShowCells the header
  // drag button so that its bottom-left corner is at the cursor.
  void QueryDrag() override;
  // Frees the picture of the dragged cells.
  void DropEnded() override;

 private:
  TExStringGrid* FGrid;
  Integer FLastEffect = 0;
  TControl* FDragImage = nullptr;
  bool FCancel = false;
};
