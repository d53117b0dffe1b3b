// The grid's drop target and drop source, and the drag-and-drop settings' registration of the
// target.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDragDrop.h"
#include "components/grid/ExGridDropMarkers.h"

namespace {

// The grid's drag state that the drop target works with: the drop-marker arrows, the header drag
// button, the remembered drag selection, the column announced by a list box and the row-selection
// flags. The grid keeps them for its own drag handling; the target reaches them through the
// grid's class.
class TDropAccess : public TExStringGrid {
 public:
  static TArrowWindow* ArrowUp(TExStringGrid* G) { return G->*(&TDropAccess::ArwU); }
  static TArrowWindow* ArrowDown(TExStringGrid* G) { return G->*(&TDropAccess::ArwD); }
  static TArrowWindow* ArrowLeft(TExStringGrid* G) { return G->*(&TDropAccess::ArwL); }
  static TControl* DragButton(TExStringGrid* G) { return reinterpret_cast<TControl*>(G->*(&TDropAccess::MoveButton)); }
  static TGridRect& DropSelection(TExStringGrid* G) { return G->*(&TDropAccess::FDropSelection); }
  static Integer& OleDragCol(TExStringGrid* G) { return G->*(&TDropAccess::FOleDragCol); }
  static Integer& OleDragIndex(TExStringGrid* G) { return G->*(&TDropAccess::FOleDragIndex); }
  static TCustomListBox*& OleDragList(TExStringGrid* G) { return G->*(&TDropAccess::FOleDragList); }
  static TList* RowSelectList(TExStringGrid* G) { return G->*(&TDropAccess::FRowSelect); }
  static Integer& TimerTickCount(TExStringGrid* G) { return G->*(&TDropAccess::FTimerTicks); }
};

void HideArrow(TArrowWindow* A) { HideDropMarker(A); }
void ShowArrowAt(TArrowWindow* A, Integer X, Integer Y) { ShowDropMarker(A, X, Y); }

// The size of a text as tab-separated fields in lines: the most fields in a line, and the lines
// ended by a CR (less one for every empty line, the empty remainder after a final CR included).
void TextDimensions(const String& Text, Integer& Cols, Integer& Rows) {
  Cols = 0;
  Rows = 0;
  size_t Start = 0;
  while (Start <= Text.size()) {
    size_t End = Text.find(u'\r', Start);
    const bool Last = End == String::npos;
    if (Last) End = Text.size();
    const String Line = Text.substr(Start, End - Start);
    if (!Line.empty()) {
      Cols = std::max(Cols, static_cast<Integer>(std::count(Line.begin(), Line.end(), u'\t')) + 1);
      ++Rows;
    }
    if (Last) break;
    Start = End + 1;
    if (Start < Text.size() && Text[Start] == u'\n') ++Start;
  }
}

// Pastes a dropped text from the cell (ACol, ARow) on: TAB-separated values into columns, lines
// (ended by CR, an LF after it skipped) into rows. Only into an editable grid, and only into cells
// inside the grid that may be edited (any cell with AllowClipboardAlways). Ends with CellsChanged
// over the cells written.
void PasteDroppedText(TExStringGrid* G, Integer ACol, Integer ARow, const String& Text) {
  const bool Always = G->Navigation()->AllowClipboardAlways();
  if (ACol < 0 || ARow < 0) return;
  if (!G->Options().Contains(goEditing) && !Always && !G->MouseActions()->RangeSelectAndEdit()) return;
  Integer Row = ARow, MaxCol = -1, MaxRow = -1;
  size_t Start = 0;
  while (Start < Text.size()) {
    size_t End = Text.find(u'\r', Start);
    if (End == String::npos) End = Text.size();
    const String Line = Text.substr(Start, End - Start);
    Start = End + 1;
    if (Start < Text.size() && Text[Start] == u'\n') ++Start;
    Integer Col = ACol;
    size_t VStart = 0;
    while (true) {
      size_t VEnd = Line.find(u'\t', VStart);
      const bool LastValue = VEnd == String::npos;
      if (LastValue) VEnd = Line.size();
      String Value = Line.substr(VStart, VEnd - VStart);
      if (Value.find(u'\n') != String::npos) {
        // A quoted multi-line value: its quotes go and the line-break marks become CR LF.
        if (!Value.empty() && Value[0] == u'"') Value.erase(0, 1);
        const size_t Quote = Value.find(u'"');
        if (Quote != String::npos && Quote + 1 == Value.size()) Value.erase(Quote, 1);
      }
      for (size_t k = Value.find(u'\x0B'); k != String::npos; k = Value.find(u'\x0B', k + 2))
        Value.replace(k, 1, u"\r\n");
      if (Col < G->ColCount() && Row < G->RowCount()) {
        const Integer RealCol = G->RealColIndex(Col);
        bool CanEdit = Always;
        if (!CanEdit && Col >= G->FixedCols() && Row >= G->FixedRows()) {
          CanEdit = !G->ReadOnly(RealCol, Row);
          G->CanEditCell(Col, Row, CanEdit);
        }
        if (CanEdit) {
          G->SetCells(RealCol, Row, Value);
          MaxCol = std::max(MaxCol, Col);
          MaxRow = std::max(MaxRow, Row);
        }
      }
      ++Col;
      if (LastValue) break;
      VStart = VEnd + 1;
    }
    ++Row;
  }
  if (MaxCol >= 0) G->CellsChanged(TRect(G->RealColIndex(ACol), ARow, G->RealColIndex(MaxCol), MaxRow));
}

}  // namespace

// --- Registration by the settings ----------------------------------------------------------------

void TDragDropSettings::SetOleDropTarget(bool Value) {
  FOleDropTarget = Value;
  if (!FGrid || FGrid->HasState(csDesigning)) return;
  if (Value) {
    if (!FDropTarget) FDropTarget = new TGridDropTarget(FGrid, this);
    // A second switch-on keeps the registration it has.
    if (!FDropTargetAssigned) FDropTargetAssigned = RegisterDragDrop(FGrid->Handle(), FDropTarget.Get()) == S_OK;
  } else if (FDropTargetAssigned) {
    RevokeDragDrop(FGrid->Handle());
    FDropTargetAssigned = false;
  }
}

void TDragDropSettings::UpdateDropTargetAccept() {
  if (!FDropTarget || !FDropTargetAssigned) return;
  FDropTarget->SetAcceptText(FOleAcceptText);
  FDropTarget->SetAcceptFiles(FOleAcceptFiles);
  FDropTarget->SetAcceptURLs(FOleAcceptURLs);
}

void TDragDropSettings::RevokeDropTarget() {
  if (FDropTargetAssigned && FGrid) RevokeDragDrop(FGrid->Handle());
  FDropTargetAssigned = false;
}

// --- TGridDropTarget -----------------------------------------------------------------------------

TGridDropTarget::TGridDropTarget(TExStringGrid* AGrid, TDragDropSettings* ASettings)
    : FGrid(AGrid), FSettings(ASettings) {}

TDragDropSettings* TGridDropTarget::Settings() const { return FSettings ? FSettings : FGrid->DragDropSettings(); }

void TGridDropTarget::HideMarkers() {
  HideArrow(TDropAccess::ArrowUp(FGrid));
  HideArrow(TDropAccess::ArrowDown(FGrid));
  HideArrow(TDropAccess::ArrowLeft(FGrid));
}

void TGridDropTarget::DropCell(TPoint Pt, bool ColOffered, Integer& ACol, Integer& ARow, bool& Append) {
  TExStringGrid* G = FGrid;
  const TPoint P = G->ScreenToClient(Pt);
  G->MouseToCell(P.X, P.Y, ACol, ARow);
  Append = false;
  TDragDropSettings* DD = Settings();
  if (ARow < 0 && !ColOffered && DD->OleEntireRows() && DD->OleAppendRows() && G->RowCount() > 0) {
    const TRect Last = G->CellRect(G->FixedCols(), G->RowCount() - 1);
    if (P.Y >= Last.Bottom) {
      ACol = G->FixedCols();
      ARow = G->RowCount() - 1;
      Append = true;
    }
  }
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats DropFormats) {
  TExStringGrid* G = FGrid;
  TDragDropSettings* DD = Settings();
  const bool ColOffered = DropFormats.Contains(dfCol);
  Integer C = -1, R = -1;
  bool Append = false;
  DropCell(Pt, ColOffered, C, R, Append);
  bool Found = C >= 0 && R >= 0;
  Allow = Found;

  if (Found && !ColOffered) {
    const TPoint P = G->ScreenToClient(Pt);
    if ((R == 0 && G->TopRow() > G->FixedRows()) || (P.Y < 8 && G->FixedRows() == 0 && G->TopRow() > 0))
      G->SetTopRow(G->TopRow() - 1);
    else if (R == G->TopRow() + G->VisibleRowCount() && G->TopRow() + G->VisibleRowCount() < G->RowCount())
      G->SetTopRow(G->TopRow() + 1);
    Integer& Ticks = TDropAccess::TimerTickCount(G);
    if (Ticks % 2 == 0) {
      ++Ticks;
      if (C == 0 && G->LeftCol() > G->FixedCols())
        G->SetLeftCol(G->LeftCol() - 1);
      else if (C == G->LeftCol() + G->VisibleColCount() && G->LeftCol() + G->VisibleColCount() < G->ColCount())
        G->SetLeftCol(G->LeftCol() + 1);
    }
  }

  if (!ColOffered) {
    if (Found && R < G->FixedRows() && !(G->RowCount() == 1 && G->FixedRowAlways())) Allow = false;
  } else if (!Found) {
    C = G->ColCount();
    R = 0;
    Found = true;
    Allow = true;
  } else {
    Allow = R < G->FixedRows() && C >= G->FixedCols();
  }

  const bool Files = DropFormats.Contains(dfFile);
  Allow = Allow || Files || DropFormats.Contains(dfGridCells);
  if (G->OnOleDragOver) G->OnOleDragOver(G, R, C, Allow);
  Allow = Allow && (Found || Files);

  // The markers.
  if (ColOffered && Allow) {
    HideArrow(TDropAccess::ArrowLeft(G));
    TRect CR = C < G->ColCount() ? G->CellRect(C, R) : G->CellRect(G->ColCount() - 1, R);
    if (C >= G->ColCount()) CR = TRect(CR.Right, CR.Top, CR.Right, CR.Bottom);
    const TPoint TopLeft = G->ClientToScreen(TPoint{CR.Left, CR.Top});
    const TPoint BottomLeft = G->ClientToScreen(TPoint{CR.Left, CR.Bottom});
    ShowArrowAt(TDropAccess::ArrowDown(G), TopLeft.X, TopLeft.Y - 8);
    ShowArrowAt(TDropAccess::ArrowUp(G), BottomLeft.X, BottomLeft.Y);
  } else if (Allow && Found) {
    HideArrow(TDropAccess::ArrowUp(G));
    HideArrow(TDropAccess::ArrowDown(G));
    Integer MC = DD->OleEntireRows() ? G->FixedCols() : C;
    Integer MR = (R == 0 && G->FixedRowAlways()) ? 1 : R;
    MR = std::min(MR, G->RowCount() - 1);
    TRect CR = G->CellRect(MC, MR);
    if (Append) OffsetRect(CR, 0, G->RowHeights(MR));
    const TPoint TopLeft = G->ClientToScreen(TPoint{CR.Left, CR.Top});
    ShowArrowAt(TDropAccess::ArrowLeft(G), TopLeft.X - 10, TopLeft.Y);
  } else {
    HideMarkers();
  }
}

void TGridDropTarget::DragMouseLeave() { HideMarkers(); }

void TGridDropTarget::DropText(TPoint Pt, const String& S) {
  TExStringGrid* G = FGrid;
  TDragDropSettings* DD = Settings();
  Integer C = -1, R = -1;
  bool Append = false;
  DropCell(Pt, false, C, R, Append);
  Integer Cols = 0, Rows = 0;
  TextDimensions(S, Cols, Rows);
  const bool RowSelect = G->Options().Contains(goRowSelect);
  if (RowSelect) C = DD->OleEntireRows() ? 0 : G->FixedCols();

  bool Allow = true;
  if (G->OnOleDrop) G->OnOleDrop(G, R, C, S, Allow);
  if (!Allow || R < 0 || C < 0) {
    HideMarkers();
    return;
  }

  if (R == 0 && G->RowCount() == 1 && G->FixedRowAlways()) R = 1;
  if (DD->OleInsertRows() && Rows > 0) {
    // Rows inserted above a selection dragged out of this grid push that selection down.
    TGridRect& DropSel = TDropAccess::DropSelection(G);
    if (DD->OleRemoveRows() && R <= DropSel.Top) {
      DropSel.Top += Rows;
      DropSel.Bottom += Rows;
      if (G->MouseActions()->DisjunctRowSelect()) {
        if (TList* Sel = TDropAccess::RowSelectList(G))
          for (Integer i = 0; i < Rows && R <= Sel->Count(); ++i) Sel->Insert(R, nullptr);
      }
    }
    const Integer OldTop = G->TopRow();
    if (Append) {
      G->SetRowCount(G->RowCount() + Rows);
      ++R;
    } else {
      G->InsertRows(R, Rows);
    }
    G->SetTopRow(OldTop > G->FixedRows() ? OldTop + 1 : OldTop);
  } else if (R >= G->RowCount()) {
    R = G->RowCount() - 1;
  }

  PasteDroppedText(G, C, R, S);

  TGridRect Sel;
  Sel.Left = std::max(C, G->FixedCols());
  Sel.Top = R;
  Sel.Bottom = std::min(R + Rows - 1, G->RowCount() - 1);
  Sel.Right = RowSelect ? Sel.Left + Cols - G->FixedCols() : Sel.Left + Cols - 1;
  Sel.Right = std::max(Sel.Left, std::min(Sel.Right, G->ColCount() - 1));
  Sel.Bottom = std::max(Sel.Top, Sel.Bottom);
  G->SetSelection(Sel);

  HideMarkers();
  if (TControl* B = TDropAccess::DragButton(G)) B->Hide();
  if (G->OnOleDropped) G->OnOleDropped(G, Sel);
}

void TGridDropTarget::DropStream(TPoint Pt, TMemoryStream* Stream) {
  TExStringGrid* G = FGrid;
  Integer C = -1, R = -1;
  bool Append = false;
  DropCell(Pt, false, C, R, Append);
  const bool Loaded = Stream && C >= 0 && R >= 0;
  if (Loaded) {
    Stream->SetPosition(0);
    G->LoadAtPointFromBinStream(TPoint(C, R), Stream);
  }
  HideMarkers();
  if (TControl* B = TDropAccess::DragButton(G)) B->Hide();
  if (Loaded && G->OnOleDropped) G->OnOleDropped(G, G->Selection());
}

void TGridDropTarget::DropRTF(TPoint Pt, const String& S) {
  TExStringGrid* G = FGrid;
  Integer C = -1, R = -1;
  bool Append = false;
  DropCell(Pt, false, C, R, Append);
  bool Allow = true;
  if (G->OnOleDrop) G->OnOleDrop(G, R, C, S, Allow);
  if (Allow && C >= 0 && R >= 0) G->SetCells(G->RealColIndex(C), R, S);
  HideMarkers();
}

void TGridDropTarget::DropURL(TPoint Pt, const String& S) {
  TExStringGrid* G = FGrid;
  Integer C = -1, R = -1;
  bool Append = false;
  DropCell(Pt, false, C, R, Append);
  bool Allow = true;
  if (G->OnOleDropURL) G->OnOleDropURL(G, R, C, S, Allow);
  if (Allow && C >= 0 && R >= 0) G->SetCells(G->RealColIndex(C), R, S);
  HideMarkers();
}

void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files) {
  TExStringGrid* G = FGrid;
  if (Files && Files->Count() == 1) {
    Integer C = -1, R = -1;
    bool Append = false;
    DropCell(Pt, false, C, R, Append);
    const String Name = Files->Get(0);
    bool Allow = true;
    if (G->OnOleDropFile) G->OnOleDropFile(G, R, C, Name, Allow);
    const String Upper = UpperCase(Name);
    // A CSV file or a workbook is asked for once more and then loaded.
    const bool Csv = Pos(u".CSV", Upper) > 0;
    if (Allow && (Csv || Pos(u".XLS", Upper) > 0)) {
      if (G->OnOleDrop) G->OnOleDrop(G, -1, -1, Name, Allow);
      if (Allow && Csv)
        G->LoadFromCSV(Name, -1);
      else if (Allow)
        G->LoadFromXLS(Name);
    }
  }
  HideMarkers();
}

namespace {

// Watches the list box of an announced column drag for the grid, so a list box freed before the
// drop is forgotten instead of being reached afterwards. Owned by the grid, made on first use.
class TOleDragListWatch : public TComponent {
 public:
  explicit TOleDragListWatch(TExStringGrid* G) : TComponent(G), FGrid(G) {}
  void Watch(TComponent* List) {
    if (FList == List) return;
    if (FList) FList->RemoveFreeNotification(this);
    FList = List;
    if (FList) FList->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FList) return;
    FList = nullptr;
    TDropAccess::OleDragList(FGrid) = nullptr;
  }

 private:
  TExStringGrid* FGrid;
  TComponent* FList = nullptr;
};

TOleDragListWatch* OleDragListWatch(TExStringGrid* G, bool Make) {
  for (Integer i = 0; i < G->ComponentCount(); ++i)
    if (auto* W = dynamic_cast<TOleDragListWatch*>(G->Components(i))) return W;
  return Make ? new TOleDragListWatch(G) : nullptr;
}

}  // namespace

void TExStringGrid::OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList) {
  FOleDragCol = ACol;
  FOleDragIndex = AIndex;
  FOleDragList = AList;
  if (TOleDragListWatch* W = OleDragListWatch(this, AList != nullptr)) W->Watch(AList);
}

void TGridDropTarget::DropCol(TPoint Pt, Integer Col) {
  TExStringGrid* G = FGrid;
  TDragDropSettings* DD = Settings();
  const TPoint P = G->ScreenToClient(Pt);
  Integer C = -1, R = -1;
  G->MouseToCell(P.X, P.Y, C, R);
  if (C < 0) C = G->ColCount();
  HideArrow(TDropAccess::ArrowDown(G));
  HideArrow(TDropAccess::ArrowUp(G));
  if (TControl* B = TDropAccess::DragButton(G)) B->Hide();

  Integer& Announced = TDropAccess::OleDragCol(G);
  if (Announced >= 0) {
    // A column dragged from a list box: the entry goes, the hidden column shows again and moves
    // to the target.
    TCustomListBox*& List = TDropAccess::OleDragList(G);
    const Integer Index = TDropAccess::OleDragIndex(G);
    if (List && Index >= 0 && Index < List->Items()->Count()) List->Items()->Delete(Index);
    G->UnHideColumn(Announced);
    const Integer Shown = G->RealToDisplayCol(Announced);
    const bool OldEnh = G->EnhRowColMove();
    G->SetEnhRowColMove(true);
    const Integer Target = std::min(C, G->ColCount() - 1);
    if (Shown >= 0 && Shown != Target) G->MoveColumn(Shown, Target);
    G->SetEnhRowColMove(OldEnh);
    Announced = -1;
    List = nullptr;
    if (TOleDragListWatch* W = OleDragListWatch(G, false)) W->Watch(nullptr);
  } else if (DD->OleColumnReorder()) {
    const Integer Target = std::min(C, G->ColCount() - 1);
    if (Col != Target && Col >= 0 && Col < G->ColCount()) G->MoveColumn(Col, Target);
  }
  if (G->OnOleDropCol) G->OnOleDropCol(G, R, C, Col);
}

// --- TGridDropSource -----------------------------------------------------------------------------

TGridDropSource::TGridDropSource(TExStringGrid* AGrid) : FGrid(AGrid) {}

HRESULT TGridDropSource::QueryContinueDrag(bool EscapePressed, DWORD KeyState) {
  return TESGDropSource::QueryContinueDrag(EscapePressed || FCancel, KeyState);
}

void TGridDropSource::CurrentEffect(Integer Effect) {
  if (Effect == static_cast<Integer>(DROPEFFECT_COPY) || Effect == static_cast<Integer>(DROPEFFECT_MOVE))
    FLastEffect = Effect;
}

void TGridDropSource::QueryDrag() {
  TExStringGrid* G = FGrid;
  const TPoint P = GetCursorPos();
  TDragDropSettings* DD = G->DragDropSettings();
  if (!DD || DD->ShowCells()) {
    if (FDragImage) FDragImage->SetBounds(P.X + 4, P.Y + 4, FDragImage->Width(), FDragImage->Height());
  } else if (TControl* B = TDropAccess::DragButton(G)) {
    B->SetBounds(P.X, P.Y - B->Height(), B->Width(), B->Height());
  }
}

void TGridDropSource::SetDragImage(TControl* Image) {
  if (FDragImage && FDragImage != Image) TComponent::Free(FDragImage);
  FDragImage = Image;
}

void TGridDropSource::DropEnded() { SetDragImage(nullptr); }

TGridDropSource::~TGridDropSource() { SetDragImage(nullptr); }
