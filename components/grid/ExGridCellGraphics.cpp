// TExStringGrid: where cell graphics live and how big they are. A cell's graphic sits in the
// graphic slot of its TCellProperties; column 0 answers the grid's shared row check box while
// HotmailRowSelect is on. Also the display-text, row-indent and node hooks of the base grid.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridCellNode.h"
#include "components/grid/ExGridGrouping.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/ExUtil.h"

namespace {

bool IsSharedType(TCellType T) { return T == ctVirtCheckBox || T == ctRowCheckBox; }

}  // namespace

bool IsDataGraphicCell(TExStringGrid* Grid, Integer ACol, Integer ARow) {
  if (!Grid || ACol < 0 || ARow < 0) return false;
  const TPoint B = Grid->BaseCell(ACol, ARow);
  const TCellType T = Grid->GetCellType(B.X, B.Y);
  return T == ctDataCheckBox || T == ctDataImage || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// ---------------------------------------------------------------------------------------------
// Finding, creating and removing
// ---------------------------------------------------------------------------------------------

TCellGraphic* TExStringGrid::GetCellGraphic(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return nullptr;
  TObject* O = GetGraphicObjectEx(ACol, ARow);
  auto* G = dynamic_cast<TCellGraphic*>(O);
  if (O && !G) return nullptr;
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
    FCellGraphic->SetCellType(ctRowCheckBox);
    const Integer Normal = RowCount() - TBaseGrid::FixedRows();
    if (ARow == 0) {
      const Integer Selected = RowSelectCount();
      FCellGraphic->SetCellAngle(Selected > 0 && Selected < Normal ? 1 : 0);
      FCellGraphic->SetCellBoolean(Selected >= Normal);
    } else {
      FCellGraphic->SetCellAngle(0);
      FCellGraphic->SetCellBoolean(RowSelect(DisplayRowToRealRow(ARow)));
    }
    FCellGraphic->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
    return FCellGraphic;
  }
  return G;
}

TCellType TExStringGrid::GetCellType(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return ctEmpty;
  TObject* O = GetGraphicObjectEx(ACol, ARow);
  auto* G = dynamic_cast<TCellGraphic*>(O);
  if (O && !G) return ctEmpty;
  TCellType T = G ? G->CellType() : ctEmpty;
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) T = ctRowCheckBox;
  return T;
}

TCellGraphic* TExStringGrid::CreateCellGraphic(Integer ACol, Integer ARow) {
  if (auto* Old = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
    if (Old != FCellGraphic && !IsSharedType(Old->CellType())) {
      SetGraphicObjectEx(ACol, ARow, nullptr);
      delete Old;
    }
  }
  auto* G = new TCellGraphic();
  SetGraphicObjectEx(ACol, ARow, G);
  // A graphic that could not be stored (the grid is going away) is not left behind.
  if (GetGraphicObjectEx(ACol, ARow) != G) {
    delete G;
    return FCellGraphic;
  }
  if (FNumHidden > 0 && RealToDisplayCol(ACol) != ACol) RepaintCell(RealToDisplayCol(ACol), ARow);
  return G;
}

bool TExStringGrid::RemoveCellGraphic(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return false;
  // The graphic stored in the cell goes, also when the shared row check box stands in front of it.
  auto* Stored = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (Stored) {
    SetGraphicObjectEx(ACol, ARow, nullptr);
    if (Stored != FCellGraphic && !IsSharedType(Stored->CellType())) delete Stored;
  }
  if (!FDestroyingGrid && !HasState(csDestroying)) RepaintCell(RealToDisplayCol(ACol), ARow);
  return true;
}

bool TExStringGrid::RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType ACellType) {
  if (GetCellType(ACol, ARow) != ACellType) return false;
  return RemoveCellGraphic(ACol, ARow);
}

bool TExStringGrid::HasCellGraphicType(Integer ACol, Integer ARow, TGridSet<TCellType> ATypes) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint B = BaseCell(ACol, ARow);
  TCellGraphic* G = GetCellGraphic(B.X, B.Y);
  return G && ATypes.Contains(G->CellType());
}

bool TExStringGrid::HasCellControl(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint B = BaseCell(ACol, ARow);
  const TCellType T = GetCellType(B.X, B.Y);
  return T == ctCheckBox || T == ctDataCheckBox || T == ctRadio || T == ctButton || T == ctVirtCheckBox ||
         T == ctRowCheckBox || T == ctRadioButton || T == ctTriStateCheckBox;
}

// ---------------------------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------------------------

TIntList* TExStringGrid::GetCellImages(Integer ACol, Integer ARow) {
  if (GetCellType(ACol, ARow) != ctImages) return nullptr;
  auto* G = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  return G ? G->IntList() : nullptr;
}

TImageList* TExStringGrid::GetCellImageList(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return FGridImages;
}

Integer TExStringGrid::GetImageSortKey(Integer ACol, Integer ARow) {
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  switch (GetCellType(ACol, ARow)) {
    case ctBitmap: return G ? static_cast<Integer>(reinterpret_cast<uintptr_t>(G->CellBitmap())) : -1;
    case ctIcon: return G ? static_cast<Integer>(reinterpret_cast<uintptr_t>(G->CellIcon())) : -1;
    case ctImageList: return G ? G->CellIndex() : -1;
    default: return -1;
  }
}

void TExStringGrid::CellImagesChanged(TObject* Sender, Integer ACol, Integer ARow) {
  (void)Sender;
  RepaintCell(RealToDisplayCol(ACol), ARow);
}

// ---------------------------------------------------------------------------------------------
// Sizes
// ---------------------------------------------------------------------------------------------

TPoint TExStringGrid::GetCellGraphicSize(Integer ACol, Integer ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }

TPoint TExStringGrid::CalcCellGraphicSize(Integer ACol, Integer ARow, Integer HeightReserve) {
  TPoint S(0, 0);
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return S;
  const bool HasText = !GetCellEx(ACol, ARow).empty();
  const bool Beside = G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText;
  const bool Stacked = G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText;
  const Integer DCol = RealToDisplayCol(ACol);
  TCanvas* C = Canvas();
  bool FullCellRule = true;

  switch (G->CellType()) {
    case ctBitmap:
      if (TBitmap* B = G->Bitmap()) {
        if (Beside || !HasText) S.X = B->Width();
        if (Stacked || !HasText) S.Y = B->Height();
      }
      break;
    case ctIcon:
      if (TIcon* I = G->CellIcon()) {
        if (Beside || !HasText) S.X = I->Width();
        S.Y = I->Height();
      }
      break;
    case ctImageList:
    case ctDataImage:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        if (Beside || !HasText) S.X = IL->Width();
        if (Stacked || !HasText) S.Y = IL->Height();
      }
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
      S.X = S.Y = FControlLook->CheckSize();
      break;
    case ctRadioButton:
      S.X = S.Y = FControlLook->RadioSize();
      break;
    case ctProgressPie:
      S.X = S.Y = 20;
      break;
    case ctRadio:
      if (TStrings* L = G->Strings()) {
        if (G->CellBoolean()) {
          for (Integer I = 0; I < L->Count(); ++I) S.X += C->TextWidth(L->Strings(I)) + 12;
          S.Y = C->TextHeight(u"gh");
        } else {
          S.X = 12;
          for (Integer I = 0; I < L->Count(); ++I) S.X = std::max(S.X, C->TextWidth(L->Strings(I)) + 12);
          S.Y = std::max(16, C->TextHeight(u"gh")) * L->Count();
        }
      }
      break;
    case ctImages:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        const Integer N = G->IntList() ? G->IntList()->Count() : 0;
        if (G->CellBoolean()) {
          S.X = N * IL->Width();
          S.Y = IL->Height();
        } else {
          S.X = IL->Width();
          S.Y = N * IL->Height();
        }
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TPoint CS = CellSize(DCol, ARow);
      const Integer PadX = FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
      const Integer PadY = FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
      S = G->GetPictureSize(CS.X - 1 - PadX, CS.Y - 1 - PadY - HeightReserve, HasText);
      break;
    }
    case ctButton:
    case ctBitButton:
      S.X = G->ButtonWidth();
      S.Y = G->ButtonHeight();
      if (HasText) {
        if (G->CellHAlign() == haCenter) S.X = 0;
        if (G->CellHAlign() == haFull) S.X = C->TextWidth(G->CellText()) + 4;
        if (!Stacked)
          S.Y = 0;
        else
          S.X = 0;
      } else if (G->CellHAlign() == haFull) {
        C->Font()->Assign(Font());
        S.X = C->TextWidth(G->CellText()) + 4;
        if (!G->CellText().empty()) FullCellRule = false;
      }
      break;
    case ctInterface:
      if (TCellDrawer* D = G->Drawer()) {
        S.X = D->GetWidth();
        S.Y = D->GetHeight();
      }
      if (S.X == 0 || S.Y == 0) S = CellSize(DCol, ARow);
      break;
    case ctRating:
      S.X = G->CellAngle() * 18;
      S.Y = 16;
      break;
    default:
      break;
  }

  const bool HFull = G->CellHAlign() == haFull && G->CellType() != ctRating && FullCellRule;
  if (G->CellVAlign() == vaFull || HFull) {
    const TRect R = CellRect(DCol, ARow);
    if (G->CellVAlign() == vaFull) S.Y = R.Height();
    if (HFull) S.X = R.Width();
  }
  return S;
}

TPoint TExStringGrid::GetPrintGraphicSize(Integer ACol, Integer ARow, Integer cw, Integer ch, double Scale) {
  TPoint S(0, 0);
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) return S;
  const bool HasText = !GetCellEx(ACol, ARow).empty();
  TCanvas* C = Canvas();
  switch (G->CellType()) {
    case ctBitmap:
      if (TBitmap* B = G->Bitmap()) S = TPoint(B->Width(), B->Height());
      break;
    case ctIcon:
      if (TIcon* I = G->CellIcon()) S = TPoint(I->Width(), I->Height());
      break;
    case ctImageList:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        const bool Beside = G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText;
        S = TPoint(Beside || !HasText ? IL->Width() : 0, IL->Height());
      }
      break;
    case ctDataImage:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) S = TPoint(IL->Width(), IL->Height());
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
      S.X = S.Y = FControlLook->CheckSize();
      break;
    case ctRadioButton:
      S.X = S.Y = FControlLook->RadioSize();
      break;
    case ctProgressPie:
    case ctNode:
      S.X = S.Y = 20;
      break;
    case ctRadio:
      if (TStrings* L = G->Strings()) {
        if (G->CellBoolean()) {
          for (Integer I = 0; I < L->Count(); ++I) S.X += C->TextWidth(L->Strings(I)) + 12;
          S.Y = C->TextHeight(u"gh");
        } else {
          S.X = 12;
          for (Integer I = 0; I < L->Count(); ++I) S.X = std::max(S.X, C->TextWidth(L->Strings(I)) + 12);
          S.Y = C->TextHeight(u"gh") * L->Count();
        }
      }
      break;
    case ctImages:
      if (TImageList* IL = GetCellImageList(ACol, ARow)) {
        const Integer N = G->IntList() ? G->IntList()->Count() : 0;
        S = G->CellBoolean() ? TPoint(N * IL->Width(), IL->Height()) : TPoint(IL->Width(), N * IL->Height());
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TPoint P = G->GetPictureSize(cw, ch, HasText);
      const double D = Scale != 0 ? Scale : 1.0;
      S = TPoint(static_cast<Integer>(Round(P.X / D)), static_cast<Integer>(Round(P.Y / D)));
      break;
    }
    case ctProgress:
    case ctXPProgress:
      S = TPoint(ColWidths(RealToDisplayCol(ACol)), RowHeights(ARow));
      break;
    case ctButton:
    case ctBitButton:
      S = TPoint(G->ButtonWidth(), G->ButtonHeight());
      break;
    case ctInterface: {
      if (TCellDrawer* D = G->Drawer()) S = TPoint(D->GetWidth(), D->GetHeight());
      const TRect R = CellRect(RealToDisplayCol(ACol), ARow);
      if (S.X == 0) S.X = R.Width();
      if (S.Y == 0) S.Y = R.Height();
      break;
    }
    case ctShape:
      S.X = S.Y = RowHeights(ARow) - 2 * FXYOffset.Y;
      break;
    default:
      break;
  }
  return S;
}

// ---------------------------------------------------------------------------------------------
// Display text, row indent, nodes
// ---------------------------------------------------------------------------------------------

void TExStringGrid::DoGetDisplText(Integer ACol, Integer ARow, String& Value) {
  TBaseGrid::DoGetDisplText(ACol, ARow, Value);
  if (FURLShowInText) {
    static const char16_t* const Prefixes[] = {u"HTTP://", u"WWW.", u"MAILTO:", u"HTTPS://",
                                               u"NNTP://", u"FILE://", u"FTP://"};
    for (const char16_t* P : Prefixes) {
      String Dest;
      if (AddUrlAnchor(Value, P, Dest)) {
        Value = Dest;
        break;
      }
    }
  }
  // The number of rows of a group after its caption in column 1 of a node row.
  if (FGrouping && FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow)) {
    const Integer N = GetNodeSpan(ARow) - 1 - GetSubNodeCount(ARow);
    Value = FGrouping->GroupHeaderText(Value, N);
  }
}

// The cells DoGetDisplText may change: every cell with the event or URLs shown in the text, column 1
// of a node row with the group count.
bool TExStringGrid::ChangesDisplText(Integer ACol, Integer ARow) {
  return TBaseGrid::ChangesDisplText(ACol, ARow) || FURLShowInText ||
         (FGrouping && FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow));
}

Integer TExStringGrid::GetRowIndent(Integer ARow) {
  if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow)) return 0;
  return GetCellProperties(0, ARow)->NodeLevel() * (FCellNode ? FCellNode->NodeIndent() : 12);
}

bool TExStringGrid::HasNodes() { return FNumNodes > 0; }
