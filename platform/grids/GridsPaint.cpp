// TCustomGrid: the paint loop.
#include <algorithm>
#include <vector>

#include "platform/grids/Grids.h"
#include "platform/grids/GridsInternal.h"

namespace {

constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kLineColor = clSilver;

// The laid-out indexes of one axis with their start positions, as far as the client area reaches.
struct TLaidOut {
  Integer Index;
  Integer Start;
};

template <class Axis>
std::vector<TLaidOut> LayOut(const Axis& A) {
  std::vector<TLaidOut> out;
  Integer p = 0;
  for (Integer i = 0; i < A.Fixed && i < A.Count && p < A.Extent; ++i) {
    out.push_back({i, p});
    p += A.Step(i);
  }
  for (Integer i = A.First; i < A.Count && p < A.Extent; ++i) {
    out.push_back({i, p});
    p += A.Step(i);
  }
  return out;
}

}  // namespace

void TCustomGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  (void)ACol;
  (void)ARow;
  (void)ARect;
  (void)AState;
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(FColor);
  c->FillRect(client);
  if (FVertBar && FHorzBar && FVertBar->Visible() && FHorzBar->Visible()) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(client.Right, client.Bottom, FWidth, FHeight));
  }

  const TAxis ca = ColAxis(), ra = RowAxis();
  const std::vector<TLaidOut> cols = LayOut(ca), rows = LayOut(ra);
  // A paint of invalidated parts visits the cells that reach into them only.
  const TRegion* Area = PaintArea();
  const TRect Box = Area ? Area->Bounds() : Rect(0, 0, FWidth, FHeight);
  const TGridRect sel = Selection();
  const bool focused = GridOrEditorFocused();
  const bool drawFocusSelected = FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
  const bool edges3D = FCtl3D && FOptions.Contains(goFixedVertLine) && FOptions.Contains(goFixedHorzLine);

  for (const TLaidOut& r : rows) {
    const Integer h = ra.Size(r.Index);
    if (r.Start >= Box.Bottom || r.Start + h + ra.Line(r.Index) <= Box.Top) continue;
    for (const TLaidOut& col : cols) {
      const Integer w = ca.Size(col.Index);
      if (col.Start >= Box.Right || col.Start + w + ca.Line(col.Index) <= Box.Left) continue;
      const TRect rect = Rect(col.Start, r.Start, col.Start + w, r.Start + h);
      const bool fixed = col.Index < FFixedCols || r.Index < FFixedRows;
      TGridDrawState state;
      if (fixed) state = state << gdFixed;
      if (!fixed && col.Index >= sel.Left && col.Index <= sel.Right && r.Index >= sel.Top && r.Index <= sel.Bottom)
        state = state << gdSelected;
      const bool current = col.Index == FCurrent.X && r.Index == FCurrent.Y;
      if (current && focused) state = state << gdFocused;

      if (w > 0 && h > 0) {
        TRect clip;
        IntersectRect(clip, rect, client);
        const Integer saved = c->SaveDC();
        c->IntersectClipRect(clip);
        c->Font()->Assign(&FFont);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fixed ? FFixedColor : FColor);
        if (FDefaultDrawing) {
          if (state.Contains(gdSelected) && (!state.Contains(gdFocused) || drawFocusSelected)) {
            c->Brush()->SetColor(clHighlight);
            c->Font()->SetColor(clHighlightText);
          }
          c->FillRect(rect);
        }
        DrawCell(col.Index, r.Index, rect, state);
        if (FDefaultDrawing && fixed && edges3D) {
          TRect e = rect;
          DrawEdge(c, e, BDR_RAISEDINNER, BF_RECT);
        }
        if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect)) c->DrawFocusRect(rect);
        c->RestoreDC(saved);
      }

      // The cell's lines: the one on its right (with the corner below it) and the one below it.
      const Integer vl = ca.Line(col.Index), hl = ra.Line(r.Index);
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(fixed ? kFixedLineColor : kLineColor);
      TRect line;
      if (vl > 0 && IntersectRect(line, Rect(rect.Right, rect.Top, rect.Right + vl, rect.Bottom + hl), client))
        c->FillRect(line);
      if (hl > 0 && IntersectRect(line, Rect(rect.Left, rect.Bottom, rect.Right, rect.Bottom + hl), client))
        c->FillRect(line);
    }
  }
  PaintDragMarks();
}
