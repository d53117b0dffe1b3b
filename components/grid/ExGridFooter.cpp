// The floating footer's settings, its template and the footer panel.
#include "components/grid/ExGridFooter.h"

#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/gridbase/EsgHTMLE.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// --- Template ------------------------------------------------------------------------------------

String ExpandFooterTemplate(const String& Template, const std::function<String(Integer ACol)>& CellText) {
  String Result;
  size_t i = 0;
  while (i < Template.size()) {
    const size_t Open = Template.find(u"<#", i);
    if (Open == String::npos) break;
    const size_t Close = Template.find(u'>', Open + 2);
    // A marker that is never closed is not a marker: the rest stays plain text.
    if (Close == String::npos) break;
    Result += Template.substr(i, Open - i);
    Integer Col = 0;
    if (TryStrToInt(Template.substr(Open + 2, Close - Open - 2), Col) && CellText) Result += CellText(Col);
    i = Close + 1;
  }
  Result += Template.substr(i);
  return Result;
}

// --- TFloatingFooter -----------------------------------------------------------------------------

TFloatingFooter::TFloatingFooter(TExStringGrid* AGrid) : FGrid(AGrid) {}

TFloatingFooter::~TFloatingFooter() = default;

TFooterPanel* TFloatingFooter::Panel() const { return FGrid ? FGrid->FooterPanel() : nullptr; }

void TFloatingFooter::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TFloatingFooter*>(Source);
  if (!S) return;
  SetBorderColor(S->FBorderColor);
  SetCalculateHiddenRows(S->FCalculateHiddenRows);
  SetColor(S->FColor);
  SetColumn(S->FColumn);
  SetCustomTemplate(S->FCustomTemplate);
  SetFooterStyle(S->FFooterStyle);
  SetShowHint(S->FShowHint);
  SetVisible(S->FVisible);
}

void TFloatingFooter::Invalidate() {
  if (TFooterPanel* P = Panel()) P->Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColor(TColor Value) {
  FColor = Value;
  Invalidate();
}

void TFloatingFooter::SetColumn(Integer Value) {
  FColumn = Value;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& Value) {
  FCustomTemplate = Value;
  Invalidate();
}

void TFloatingFooter::ApplyFixedFooter() {
  if (!FGrid) return;
  const bool Fixed = FVisible && FFooterStyle == fsFixedLastRow;
  FGrid->SetFixedFooters(Fixed ? 1 : 0);
  FGrid->SetHideLastRow(Fixed);
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
  FFooterStyle = Value;
  ApplyFixedFooter();
  if (FGrid) FGrid->Invalidate();
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value) {
  FShowHint = Value;
  if (TFooterPanel* P = Panel()) {
    P->SetShowHint(Value);
    // The hint text comes from the grid's OnGridHint; the window system shows hints only for a
    // control that has a text of its own.
    P->SetHint(Value ? u" " : u"");
  }
}

void TFloatingFooter::SetVisible(bool Value) {
  FVisible = Value;
  if (TFooterPanel* P = Panel()) {
    P->SetHeight(Value ? std::max(0, FHeight - 1) : 0);
    P->SetVisible(Value);
  }
  ApplyFixedFooter();
  if (FGrid) FGrid->Invalidate();
}

void TFloatingFooter::SetHeight(Integer Value) {
  FHeight = Value;
  TFooterPanel* P = Panel();
  if (P && Value > 0) P->SetHeight(Value - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(Integer c) const {
  if (!FGrid) return acNONE;
  const Integer Row = FGrid->RowCount() - 1;
  if (!FGrid->HasCellProperties(c, Row)) return acNONE;
  return FGrid->GetCellProperties(c, Row)->CalcType();
}

void TFloatingFooter::SetColumnCalc(Integer c, TColumnCalcType Value) {
  if (!FGrid) return;
  FGrid->GetCellProperties(c, FGrid->RowCount() - 1)->SetCalcType(Value);
  FGrid->RecalcFooterCol(c);
}

// --- TFooterPanel --------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TComponent* AOwner)
    : TCustomPanel(AOwner), FGrid(dynamic_cast<TExStringGrid*>(AOwner)) {
  FBevelOuter = bvNone;
  FShowCaption = false;
}

void TFooterPanel::CreateWnd() {
  TFloatingFooter* F = FGrid ? FGrid->FloatingFooter() : nullptr;
  if (F) SetHeight(F->Visible() ? F->Height() : 0);
  if (FGrid && FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid);
}

Integer TFooterPanel::FooterWidth() {
  if (!FGrid) return 0;
  Integer W = 0;
  for (Integer c = 0; c < FGrid->FixedCols(); ++c) W += FGrid->ColWidths(c);
  for (Integer c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); c < FGrid->ColCount(); ++c)
    W += FGrid->ColWidths(c);
  return W;
}

Integer TFooterPanel::ColumnAtX(Integer X) {
  if (!FGrid || X < 0) return -1;
  Integer Left = 0;
  for (Integer c = 0; c < FGrid->FixedCols(); ++c) {
    Left += FGrid->ColWidths(c);
    if (X < Left) return c;
  }
  for (Integer c = std::max(FGrid->LeftCol(), FGrid->FixedCols()); c < FGrid->ColCount(); ++c) {
    Left += FGrid->ColWidths(c);
    if (X < Left) return c;
  }
  return -1;
}

void TFooterPanel::FrameRaised(TCanvas* ACanvas, const TRect& Area) {
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Pen()->SetColor(0x808080);
  ACanvas->MoveTo(Area.Left, Area.Bottom - 1);
  ACanvas->LineTo(Area.Right - 1, Area.Bottom - 1);
  ACanvas->LineTo(Area.Right - 1, Area.Top - 1);
  ACanvas->Pen()->SetColor(0xFFFFFF);
  ACanvas->MoveTo(Area.Left, Area.Bottom - 1);
  ACanvas->LineTo(Area.Left, Area.Top);
  ACanvas->LineTo(Area.Right - 1, Area.Top);
}

void TFooterPanel::PaintFixedLastRow(TCanvas* ACanvas, const TRect& Area) {
  TExStringGrid* G = FGrid;
  TFloatingFooter* F = G->FloatingFooter();
  ACanvas->Brush()->SetColor(F->Color());
  ACanvas->FillRect(Area);

  const TGridOptions Opt = G->Options();
  const bool VertLines = Opt.Contains(goFixedVertLine);
  const bool HorzLines = Opt.Contains(goFixedHorzLine);
  const TGridLook Look = G->Look();
  const bool WhiteEdge =
      VertLines && !G->Flat() && (Look == glSoft || Look == glNorv || Look == glXP || Look == glVista);
  const Integer LastRow = G->RowCount() - 1;
  if (LastRow < 0) return;

  // The columns in the order the footer shows them: the fixed ones, then from the left column on.
  std::vector<Integer> Cols;
  for (Integer c = 0; c < G->FixedCols(); ++c) Cols.push_back(c);
  for (Integer c = std::max(G->LeftCol(), G->FixedCols()); c < G->ColCount(); ++c) Cols.push_back(c);

  Integer X = Area.Left;
  for (size_t k = 0; k < Cols.size(); ++k) {
    const Integer c = Cols[k];
    const Integer W = G->ColWidths(c);
    const bool FixedCol = c < G->FixedCols();
    TRect R(X, Area.Top, X + W, Area.Bottom);
    ACanvas->Pen()->SetWidth(1);
    if (WhiteEdge) {
      ACanvas->Pen()->SetColor(0xFFFFFF);
      ACanvas->MoveTo(R.Left, R.Top);
      ACanvas->LineTo(R.Left, R.Bottom);
    }
    if (HorzLines) {
      ACanvas->Pen()->SetColor(G->GridLineColor());
      ACanvas->MoveTo(R.Left, R.Top);
      ACanvas->LineTo(R.Right, R.Top);
      R.Top += 1;
    }
    if (VertLines) {
      ACanvas->Pen()->SetColor(FixedCol || Look == glVista ? G->GridLineColor() : TColor(0x808080));
      ACanvas->MoveTo(R.Right - 1, Area.Top);
      ACanvas->LineTo(R.Right - 1, Area.Bottom);
    }
    X += W;

    // A merged footer cell is drawn once, from its base cell, over the columns it spans.
    if (G->IsMergedCell(c, LastRow)) {
      if (!G->IsBaseCell(c, LastRow)) continue;
      const Integer Span = G->CellSpan(c, LastRow).X;
      for (Integer s = 1; s <= Span && k + s < Cols.size(); ++s) R.Right += G->ColWidths(Cols[k + s]);
    }
    if (!FixedCol) {
      const Integer RealCol = G->RealColIndex(c);
      if (G->OnGetCellColor) {
        TBrush Brush;
        Brush.SetColor(clNone);
        TFont Font;
        Font.Assign(G->Font());
        G->OnGetCellColor(G, LastRow, RealCol, TGridDrawState{gdFixed}, &Brush, &Font);
        if (Brush.Color() != clNone) {
          ACanvas->Brush()->SetColor(Brush.Color());
          ACanvas->FillRect(R);
        }
      }
      const TColor CellColor = G->Colors(RealCol, LastRow);
      if (CellColor != clNone) {
        ACanvas->Brush()->SetColor(CellColor);
        ACanvas->FillRect(R);
      }
      if (G->OnFooterPaint) {
        G->OnFooterPaint(this, c, ACanvas, R);
        continue;
      }
    }
    G->DrawGridCell(ACanvas, c, LastRow, R, TGridDrawState{gdFixed});
  }
}

void TFooterPanel::PaintColumnPreview(TCanvas* ACanvas, const TRect& Area) {
  TExStringGrid* G = FGrid;
  TFloatingFooter* F = G->FloatingFooter();
  ACanvas->Brush()->SetColor(F->Color());
  ACanvas->FillRect(Area);
  FrameRaised(ACanvas, Area);
  if (G->OnFooterPaint) {
    G->OnFooterPaint(this, F->Column(), ACanvas, Area);
    return;
  }
  if (G->Row() < 0 || G->Row() >= G->RowCount()) return;
  // The preview shows the cell as text, not as a selected cell.
  const TColor OldSelText = G->SelectionTextColor();
  G->SetSelectionTextColor(clBlack);
  try {
    G->DrawGridCell(ACanvas, F->Column(), G->Row(), Area, TGridDrawState());
  } catch (...) {
    G->SetSelectionTextColor(OldSelText);
    throw;
  }
  G->SetSelectionTextColor(OldSelText);
}

void TFooterPanel::PaintCustomPreview(TCanvas* ACanvas, const TRect& Area) {
  TExStringGrid* G = FGrid;
  TFloatingFooter* F = G->FloatingFooter();
  ACanvas->Brush()->SetColor(F->Color());
  ACanvas->FillRect(Area);
  FrameRaised(ACanvas, Area);
  ACanvas->Font()->Assign(G->Font());
  ACanvas->Brush()->SetStyle(bsClear);
  TRect TextR = Area;
  TextR.Top += 2;
  if (G->HasState(csDesigning)) {
    ACanvas->TextRect(TextR, TextR.Left + 2, TextR.Top, F->CustomTemplate());
    ACanvas->Brush()->SetStyle(bsSolid);
    return;
  }
  const Integer RealRow = G->RealRowIndex(G->Row());
  const String Text =
      ExpandFooterTemplate(F->CustomTemplate(), [G, RealRow](Integer ACol) { return G->AllGridCells(ACol, RealRow); });
  String Anchor, Stripped, FocusAnchor, AnchorTitle, CtrlID, CtrlVal, CtrlType;
  Integer XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
  TRect HoverRect, CtrlRect;
  DrawHtmlText(ACanvas, Text, TextR, G->GridImages(), 0, 0, -1, -1, 1, false, false, false, false, true,
               false, false, false, 1.0, G->URLColor(), clNone, clNone, clGray, Anchor, Stripped, FocusAnchor,
               AnchorTitle, XSize, YSize, HyperLinks, MouseLink, HoverRect, CtrlRect, CtrlID, CtrlVal, CtrlType,
               G->ImageCache(), G->PictureContainer(), Handle(), 0);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TFooterPanel::Paint() {
  TCanvas* C = Canvas();
  const TRect Client = ClientRect();
  if (!FGrid || !FGrid->FloatingFooter()) {
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    return;
  }
  TFloatingFooter* F = FGrid->FloatingFooter();
  Integer W = F->FooterStyle() == fsCustomPaint ? Client.Width() : std::min(FooterWidth(), Client.Width());
  const TRect Area(Client.Left, Client.Top, Client.Left + W, Client.Bottom);
  if (W < Client.Width()) {
    C->Brush()->SetColor(FGrid->Color());
    C->FillRect(TRect(Area.Right, Client.Top, Client.Right, Client.Bottom));
  }
  switch (F->FooterStyle()) {
    case fsFixedLastRow: PaintFixedLastRow(C, Area); break;
    case fsColumnPreview: PaintColumnPreview(C, Area); break;
    case fsCustomPreview: PaintCustomPreview(C, Area); break;
    case fsCustomPaint:
      C->Brush()->SetColor(F->Color());
      C->FillRect(Client);
      if (FGrid->OnFooterPaint) FGrid->OnFooterPaint(this, F->Column(), C, Client);
      break;
  }
  if (F->BorderColor() != clNone) {
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(F->BorderColor());
    C->MoveTo(0, 0);
    C->LineTo(W, 0);
  }
}

void TFooterPanel::Dispatch(TMessage& M) {
  if (M.Msg == CM_HINTSHOW) {
    CMHintShow(M);
    return;
  }
  TCustomPanel::Dispatch(M);
}

void TFooterPanel::CMHintShow(TMessage& M) {
  auto* Info = reinterpret_cast<THintInfo*>(M.LParam);
  TFloatingFooter* F = FGrid ? FGrid->FloatingFooter() : nullptr;
  const Integer Col = Info ? ColumnAtX(Info->CursorPos.X) : -1;
  String HintStr;
  if (FGrid && Col >= 0 && FGrid->OnGridHint) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, Col, HintStr);
  const bool Show = F && F->ShowHint();
  FLastHintCol = Show ? Col : -1;
  if (Info) Info->HintStr = Trim(HintStr).empty() ? String() : HintStr;
  M.Result = Show ? 0 : 1;
}

void TFooterPanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomPanel::MouseMove(Shift, X, Y);
  TFloatingFooter* F = FGrid ? FGrid->FloatingFooter() : nullptr;
  if (F && F->ShowHint() && ColumnAtX(X) != FLastHintCol && Application) {
    // Another column: the hint of the last one goes, and the new column's hint starts over.
    Application->RestartHint(this);
  }
}

void TFooterPanel::CMMouseLeave(TMessage& M) {
  TCustomPanel::CMMouseLeave(M);
  FLastHintCol = -1;
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomPanel::MouseUp(Button, Shift, X, Y);
  if (!FGrid) return;
  if (FGrid->OnClick) FGrid->OnClick(FGrid);
  if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAtX(X));
}
