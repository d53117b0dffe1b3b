// The GDI-style canvas: state, clipping, lines, areas, text and block transfers. Shapes and text
// are rasterised by the backend into masks; every pixel is then written by the layer's raster
// code with the clip, the pen mode and the pixel format of the surface.
#include <algorithm>

#include "platform/gui/Graphics.h"
#include "platform/gui/GraphicsBackend.h"

using GraphicsRaster::TRasterBrush;

struct TCanvas::SavedState {
  TRegion Clip;
  bool HasClip = false;
  TPoint Origin;
  TPoint PenPos;
  Integer BkMode = OPAQUE;
  TColor BkColor = clWhite;
};

namespace {

// A clip large enough for a canvas without surface.
const TRect kHugeRect(-(1 << 28), -(1 << 28), 1 << 28, 1 << 28);

inline TColor Rgb(TColor C) { return ColorToRGB(C) & 0xFFFFFF; }

TRasterBrush SolidOf(TColor C) {
  TRasterBrush B;
  B.RGB = Rgb(C);
  B.Style = bsSolid;
  return B;
}

}  // namespace

TCanvas::TCanvas() {
  FBrush.OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(std::unique_ptr<Surface> Value) { FSurface = std::move(Value); }

void TCanvas::BrushChanged() {
  FBkMode = FBrush.Style() == bsClear ? TRANSPARENT : OPAQUE;
  FBkColor = FBrush.Color();
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TSize TCanvas::SurfaceSize() const {
  if (FSurface && FSurface->Recording) return FSurface->Recording->Size;
  if (!FSurface || !FSurface->Target) return TSize();
  return TSize(FSurface->Target->Width, FSurface->Target->Height);
}

// ---------------------------------------------------------------------------------------------
// Recording (a printer's page)

TCanvasRecording* GraphicsRecord::Of(const TCanvas& C) {
  TCanvas::Surface* S = C.GetSurface();
  return S ? S->Recording : nullptr;
}

namespace {

TCanvasRecording::TCommand& Add(TCanvas& C, TCanvasRecording::TCommand::TKind Kind) {
  TCanvasRecording* R = GraphicsRecord::Of(C);
  TRegion Clip;
  TCanvasRecording::TCommand Cmd;
  Cmd.Kind = Kind;
  Cmd.Clip = C.GetClipRgn(Clip) ? R->ClipIndex(&Clip) : -1;
  R->Commands.push_back(std::move(Cmd));
  return R->Commands.back();
}

TRect Shifted(const TCanvas& C, TRect R) {
  OffsetRect(R, -C.WindowOrg().X, -C.WindowOrg().Y);
  return R;
}

void RecordLines(TCanvas& C, const TPoint* Points, Integer Count, bool Closed) {
  auto& Cmd = Add(C, TCanvasRecording::TCommand::Lines);
  for (Integer I = 0; I < Count; ++I) Cmd.Points.emplace_back(Points[I].X - C.WindowOrg().X, Points[I].Y - C.WindowOrg().Y);
  if (Closed && Count > 0) Cmd.Points.push_back(Cmd.Points.front());
  Cmd.RGB = ColorToRGB(C.Pen()->Color()) & 0xFFFFFF;
  Cmd.Width = std::max<Integer>(C.Pen()->Width(), 1);
  Cmd.Style = C.Pen()->Style();
}

}  // namespace

void GraphicsRecord::Fill(TCanvas& C, const TRect& R, TColor Color) {
  if (IsRectEmpty(R)) return;
  auto& Cmd = Add(C, TCanvasRecording::TCommand::Fill);
  Cmd.Rect = Shifted(C, R);
  Cmd.RGB = ColorToRGB(Color) & 0xFFFFFF;
}

void GraphicsRecord::Text(TCanvas& C, Integer X, Integer Y, const String& Text, const TFont& Font, bool Opaque,
                          TColor Bk, const TRect* ClipTo) {
  if (Text.empty()) return;
  auto& Cmd = Add(C, TCanvasRecording::TCommand::Text);
  if (ClipTo) {
    // The text's own clip within the canvas's.
    TCanvasRecording* R = Of(C);
    TRegion Clip = Cmd.Clip >= 0 ? R->Clips[Cmd.Clip] : TRegion(TRect(-(1 << 28), -(1 << 28), 1 << 28, 1 << 28));
    Clip.Intersect(Shifted(C, *ClipTo));
    Cmd.Clip = R->ClipIndex(&Clip);
  }
  Cmd.Rect = TRect(X - C.WindowOrg().X, Y - C.WindowOrg().Y, 0, 0);
  Cmd.Line = Text;
  Cmd.Font = std::make_shared<TFont>();
  Cmd.Font->Assign(&Font);
  Cmd.RGB = ColorToRGB(Font.Color()) & 0xFFFFFF;
  Cmd.Opaque = Opaque;
  Cmd.BkRGB = ColorToRGB(Bk) & 0xFFFFFF;
}

void GraphicsRecord::Picture(TCanvas& C, const TRect& R, const TBitmap::Image& Pixels, const TRect* SourceRect,
                             TColor Key) {
  if (IsRectEmpty(R) || Pixels.Empty()) return;
  auto& Cmd = Add(C, TCanvasRecording::TCommand::Image);
  Cmd.Rect = Shifted(C, R);
  auto Copy = std::make_shared<TBitmap::Image>();
  const TRect Src = SourceRect ? *SourceRect : TRect(0, 0, Pixels.Width, Pixels.Height);
  TRect In;
  IntersectRect(In, Src, TRect(0, 0, Pixels.Width, Pixels.Height));
  if (IsRectEmpty(In)) return;
  Copy->Width = In.Width();
  Copy->Height = In.Height();
  Copy->Format = Pixels.Format == pf32bit || Key != clNone ? pf32bit : pfDevice;
  Copy->BytesPerLine = Copy->Width * 4;
  Copy->Data.assign(static_cast<size_t>(Copy->BytesPerLine) * Copy->Height, 0xFF);
  for (Integer Y = 0; Y < Copy->Height; ++Y) {
    const Byte* From = Pixels.Row(In.Top + Y) + static_cast<size_t>(In.Left) * Pixels.BytesPerPixel();
    Byte* To = Copy->Row(Y);
    for (Integer X = 0; X < Copy->Width; ++X, From += Pixels.BytesPerPixel(), To += 4) {
      To[0] = From[0];
      To[1] = From[1];
      To[2] = From[2];
      To[3] = Pixels.Format == pf32bit ? From[3] : 0xFF;
      if (Key != clNone && (From[2] | From[1] << 8 | From[0] << 16) == Key) To[0] = To[1] = To[2] = To[3] = 0;
    }
  }
  Cmd.Pixels = std::move(Copy);
}

// ---------------------------------------------------------------------------------------------
// Helpers shared by the drawing calls

namespace {

struct TTarget {
  TBitmap::Image* Image = nullptr;
  TRegion Clip;  // surface pixels
};

}  // namespace

bool GraphicsRaster::CanvasTarget(const TCanvas& C, TBitmap::Image*& Image, TRegion& Clip,
                                  TPoint& Origin) {
  TCanvas::Surface* S = C.GetSurface();
  if (!S || !S->Target || S->Target->Empty()) return false;
  Image = S->Target;
  Origin = C.WindowOrg();
  Clip = TRegion(GraphicsRaster::ImageRect(*Image));
  TRegion Current;
  if (C.GetClipRgn(Current)) Clip.Intersect(Current);
  return !Clip.IsEmpty();
}

// The surface and the pixels drawing may touch; false when nothing can be drawn.
static bool Prepare(const TCanvas& C, TTarget& T) {
  TPoint Org;
  return GraphicsRaster::CanvasTarget(C, T.Image, T.Clip, Org);
}

static TRasterBrush BrushOf(TCanvas& C) {
  TRasterBrush B;
  B.RGB = Rgb(C.Brush()->Color());
  B.Style = C.Brush()->Style();
  B.BkRGB = Rgb(C.BkColor());
  B.BkOpaque = C.BkMode() == OPAQUE;
  return B;
}

// ---------------------------------------------------------------------------------------------
// Lines

void TCanvas::MoveTo(Integer X, Integer Y) { FPenPos = TPoint(X, Y); }

void TCanvas::LineTo(Integer X, Integer Y) {
  Polyline(std::vector<TPoint>{FPenPos, TPoint(X, Y)});
  FPenPos = TPoint(X, Y);
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Polyline(Points.data(), static_cast<Integer>(Points.size()));
}

void TCanvas::Polyline(const TPoint* Points, Integer Count) {
  if (GraphicsRecord::Of(*this)) {
    if (Count >= 2 && FPen.Style() != psClear) RecordLines(*this, Points, Count, false);
    Changed();
    return;
  }
  TTarget T;
  if (Count < 2 || FPen.Style() == psClear || !Prepare(*this, T)) return;
  const TColor PenRGB = Rgb(FPen.Color());
  if (FPen.Width() <= 1) {
    Integer Pattern = 0;
    for (Integer I = 1; I < Count; ++I)
      GraphicsRaster::Line(*T.Image, T.Clip, Points[I - 1].X - FOrigin.X,
                           Points[I - 1].Y - FOrigin.Y, Points[I].X - FOrigin.X,
                           Points[I].Y - FOrigin.Y, PenRGB, FPen.Style(), FPen.Mode(),
                           FBkMode == OPAQUE, Rgb(FBkColor), Pattern);
  } else {
    GraphicsBackend::TShape Shape;
    Shape.Kind = GraphicsBackend::TShapeKind::Polyline;
    for (Integer I = 0; I < Count; ++I)
      Shape.Points.emplace_back(Points[I].X - FOrigin.X, Points[I].Y - FOrigin.Y);
    GraphicsBackend::TShapePen Pen{FPen.Width(), FPen.Style()};
    GraphicsBackend::TMask Fill, Outline;
    const TRect Within = T.Clip.Bounds();
    GraphicsBackend::RasterizeShape(Shape, Pen, false, Fill, Outline, &Within);
    GraphicsRaster::FillMask(*T.Image, T.Clip, Outline, SolidOf(FPen.Color()), FPen.Mode());
  }
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Areas

void TCanvas::FillRect(const TRect& R) {
  if (GraphicsRecord::Of(*this)) {
    if (FBrush.Style() != bsClear) GraphicsRecord::Fill(*this, R, FBrush.Color());
    Changed();
    return;
  }
  TTarget T;
  if (!Prepare(*this, T)) return;
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  GraphicsRaster::FillRect(*T.Image, T.Clip, D, BrushOf(*this), pmCopy);
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  if (GraphicsRecord::Of(*this)) {
    if (!IsRectEmpty(R) && FBrush.Style() != bsClear) {
      const TColor C = FBrush.Color();
      GraphicsRecord::Fill(*this, TRect(R.Left, R.Top, R.Right, R.Top + 1), C);
      GraphicsRecord::Fill(*this, TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), C);
      GraphicsRecord::Fill(*this, TRect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), C);
      GraphicsRecord::Fill(*this, TRect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), C);
    }
    Changed();
    return;
  }
  TTarget T;
  if (IsRectEmpty(R) || FBrush.Style() == bsClear || !Prepare(*this, T)) return;
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  const TRasterBrush B = BrushOf(*this);
  GraphicsRaster::FillRect(*T.Image, T.Clip, TRect(D.Left, D.Top, D.Right, D.Top + 1), B, pmCopy);
  GraphicsRaster::FillRect(*T.Image, T.Clip, TRect(D.Left, D.Bottom - 1, D.Right, D.Bottom), B,
                           pmCopy);
  GraphicsRaster::FillRect(*T.Image, T.Clip, TRect(D.Left, D.Top + 1, D.Left + 1, D.Bottom - 1), B,
                           pmCopy);
  GraphicsRaster::FillRect(*T.Image, T.Clip, TRect(D.Right - 1, D.Top + 1, D.Right, D.Bottom - 1),
                           B, pmCopy);
  Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  if (GraphicsRecord::Of(*this)) {
    const TRect D(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
    if (FBrush.Style() != bsClear) GraphicsRecord::Fill(*this, D, FBrush.Color());
    if (FPen.Style() != psClear && !IsRectEmpty(D)) {
      const TPoint P[4] = {{D.Left, D.Top}, {D.Right - 1, D.Top}, {D.Right - 1, D.Bottom - 1}, {D.Left, D.Bottom - 1}};
      RecordLines(*this, P, 4, true);
    }
    Changed();
    return;
  }
  TTarget T;
  if (!Prepare(*this, T)) return;
  TRect D(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  const TPenMode Mode = FPen.Mode();
  const TRasterBrush B = BrushOf(*this);
  if (FPen.Style() == psClear) {
    // Without an outline the fill ends one pixel short on the right and at the bottom.
    GraphicsRaster::FillRect(*T.Image, T.Clip, TRect(D.Left, D.Top, D.Right - 1, D.Bottom - 1), B,
                             Mode);
    Changed();
    return;
  }
  if (IsRectEmpty(D)) return;
  const Integer W = std::max<Integer>(FPen.Width(), 1);
  if (W == 1) {
    const TColor PenRGB = Rgb(FPen.Color());
    if (FPen.Style() == psSolid && B.Style == bsSolid && (B.RGB & 0xFFFFFF) == (PenRGB & 0xFFFFFF)) {
      // Frame and inside in one colour (a solid cell background, a band of a gradient): one fill.
      GraphicsRaster::FillRect(*T.Image, T.Clip, D, B, Mode);
      Changed();
      return;
    }
    GraphicsRaster::FillRect(*T.Image, T.Clip,
                             TRect(D.Left + 1, D.Top + 1, D.Right - 1, D.Bottom - 1), B, Mode);
    if (D.Width() == 1 || D.Height() == 1) {
      GraphicsRaster::FillRect(*T.Image, T.Clip, D, SolidOf(FPen.Color()), Mode);
    } else {
      // One closed path; every segment leaves out its end, so each pixel is touched once.
      const TPoint P[5] = {{D.Left, D.Top},
                           {D.Right - 1, D.Top},
                           {D.Right - 1, D.Bottom - 1},
                           {D.Left, D.Bottom - 1},
                           {D.Left, D.Top}};
      Integer Pattern = 0;
      for (int I = 1; I < 5; ++I)
        GraphicsRaster::Line(*T.Image, T.Clip, P[I - 1].X, P[I - 1].Y, P[I].X, P[I].Y, PenRGB,
                             FPen.Style(), Mode, FBkMode == OPAQUE, Rgb(FBkColor), Pattern);
    }
  } else {
    // A wide pen is centred on the frame path; an inside-frame pen is moved in to stay inside.
    const Integer Inset = FPen.Style() == psInsideFrame ? W / 2 : 0;
    GraphicsBackend::TShape Shape;
    Shape.Kind = GraphicsBackend::TShapeKind::Polygon;
    Shape.Points = {{D.Left + Inset, D.Top + Inset},
                    {D.Right - 1 - Inset, D.Top + Inset},
                    {D.Right - 1 - Inset, D.Bottom - 1 - Inset},
                    {D.Left + Inset, D.Bottom - 1 - Inset}};
    GraphicsBackend::TShapePen Pen{W, FPen.Style() == psInsideFrame ? psSolid : FPen.Style()};
    GraphicsBackend::TMask Fill, Outline;
    const TRect Within = T.Clip.Bounds();
    GraphicsBackend::RasterizeShape(Shape, Pen, true, Fill, Outline, &Within);
    GraphicsRaster::FillMask(*T.Image, T.Clip, Fill, B, Mode, &Outline);
    GraphicsRaster::FillMask(*T.Image, T.Clip, Outline, SolidOf(FPen.Color()), Mode);
  }
  Changed();
}

// Fills and outlines a shape given in logical coordinates.
// A one-pixel outline of a polygon runs along the same pixels as LineTo between its points; each
// edge leaves out its end pixel, which is the start of the next, so every corner is covered.
static void AddPolygonEdges(GraphicsBackend::TMask& M, const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  Integer L = Points[0].X, T = Points[0].Y, R = L + 1, B = T + 1;
  for (const TPoint& P : Points) {
    L = std::min(L, P.X);
    T = std::min(T, P.Y);
    R = std::max(R, P.X + 1);
    B = std::max(B, P.Y + 1);
  }
  if (M.Width > 0 && M.Height > 0) {
    L = std::min(L, M.Left);
    T = std::min(T, M.Top);
    R = std::max(R, M.Left + M.Width);
    B = std::max(B, M.Top + M.Height);
  }
  if (L != M.Left || T != M.Top || R - L != M.Width || B - T != M.Height) {
    GraphicsBackend::TMask Grown;
    Grown.Left = L;
    Grown.Top = T;
    Grown.Width = R - L;
    Grown.Height = B - T;
    Grown.Bits.assign(static_cast<size_t>(Grown.Width) * Grown.Height, 0);
    for (Integer Y = 0; Y < M.Height; ++Y)
      for (Integer X = 0; X < M.Width; ++X)
        if (M.Bits[static_cast<size_t>(Y) * M.Width + X])
          Grown.Bits[static_cast<size_t>(Y + M.Top - T) * Grown.Width + (X + M.Left - L)] = 1;
    M = std::move(Grown);
  }
  auto Set = [&M](Integer X, Integer Y) {
    M.Bits[static_cast<size_t>(Y - M.Top) * M.Width + (X - M.Left)] = 1;
  };
  for (size_t I = 0; I < Points.size(); ++I) {
    const TPoint A = Points[I], Z = Points[(I + 1) % Points.size()];
    const Integer DX = std::abs(Z.X - A.X), DY = std::abs(Z.Y - A.Y);
    const Integer SX = A.X < Z.X ? 1 : -1, SY = A.Y < Z.Y ? 1 : -1;
    Integer X = A.X, Y = A.Y, Err = (DX > DY ? DX : -DY) / 2;
    Set(X, Y);
    for (Integer S = std::max(DX, DY); S > 0; --S) {
      const Integer E2 = Err;
      if (E2 > -DX) {
        Err -= DY;
        X += SX;
      }
      if (E2 < DY) {
        Err += DX;
        Y += SY;
      }
      if (S > 1) Set(X, Y);
    }
  }
}

static void DrawShape(TCanvas& C, GraphicsBackend::TShape Shape, bool HasArea) {
  if (GraphicsRecord::Of(C)) {
    auto& Cmd = Add(C, TCanvasRecording::TCommand::Shape);
    const TPoint Org = C.WindowOrg();
    OffsetRect(Shape.Bounds, -Org.X, -Org.Y);
    for (TPoint& P : Shape.Points) P = TPoint(P.X - Org.X, P.Y - Org.Y);
    Shape.Start = TPoint(Shape.Start.X - Org.X, Shape.Start.Y - Org.Y);
    Shape.End = TPoint(Shape.End.X - Org.X, Shape.End.Y - Org.Y);
    Cmd.ShapeData = std::make_shared<GraphicsBackend::TShape>(Shape);
    Cmd.RGB = ColorToRGB(C.Pen()->Color()) & 0xFFFFFF;
    Cmd.Width = std::max<Integer>(C.Pen()->Width(), 1);
    Cmd.Style = C.Pen()->Style();
    Cmd.Filled = HasArea && C.Brush()->Style() != bsClear;
    Cmd.FillRGB = ColorToRGB(C.Brush()->Color()) & 0xFFFFFF;
    return;
  }
  TTarget T;
  if (!Prepare(C, T)) return;
  const TPoint Org = C.WindowOrg();
  OffsetRect(Shape.Bounds, -Org.X, -Org.Y);
  for (TPoint& P : Shape.Points) {
    P.X -= Org.X;
    P.Y -= Org.Y;
  }
  Shape.Start = TPoint(Shape.Start.X - Org.X, Shape.Start.Y - Org.Y);
  Shape.End = TPoint(Shape.End.X - Org.X, Shape.End.Y - Org.Y);
  TPen* Pen = C.Pen();
  const bool NoPen = Pen->Style() == psClear;
  if (NoPen && Shape.Kind != GraphicsBackend::TShapeKind::Polygon) {
    // As with rectangles, a shape without outline loses its right and bottom pixel.
    Shape.Bounds.Right -= 1;
    Shape.Bounds.Bottom -= 1;
  }
  GraphicsBackend::TShapePen SP{std::max<Integer>(Pen->Width(), 1),
                                Pen->Style() == psInsideFrame ? psSolid : Pen->Style()};
  const bool WantFill = HasArea && C.Brush()->Style() != bsClear;
  GraphicsBackend::TMask Fill, Outline;
  const TRect Within = T.Clip.Bounds();
  GraphicsBackend::RasterizeShape(Shape, SP, WantFill, Fill, Outline, &Within);
  if (!NoPen && SP.Width == 1 && SP.Style == psSolid &&
      Shape.Kind == GraphicsBackend::TShapeKind::Polygon)
    AddPolygonEdges(Outline, Shape.Points);
  if (WantFill)
    GraphicsRaster::FillMask(*T.Image, T.Clip, Fill, BrushOf(C), Pen->Mode(),
                             NoPen ? nullptr : &Outline);
  if (!NoPen) GraphicsRaster::FillMask(*T.Image, T.Clip, Outline, SolidOf(Pen->Color()), Pen->Mode());
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  GraphicsBackend::TShape S;
  S.Kind = GraphicsBackend::TShapeKind::RoundRect;
  S.Bounds = TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
  S.Corner = TSize(std::abs(X3), std::abs(Y3));
  DrawShape(*this, S, true);
  Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  GraphicsBackend::TShape S;
  S.Kind = GraphicsBackend::TShapeKind::Ellipse;
  S.Bounds = TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
  DrawShape(*this, S, true);
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points, bool Winding) {
  Polygon(Points.data(), static_cast<Integer>(Points.size()), Winding);
}

void TCanvas::Polygon(const TPoint* Points, Integer Count, bool Winding) {
  if (Count < 2) return;
  GraphicsBackend::TShape S;
  S.Kind = GraphicsBackend::TShapeKind::Polygon;
  S.Points.assign(Points, Points + Count);
  S.Winding = Winding;
  DrawShape(*this, S, true);
  Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                  Integer X4, Integer Y4) {
  GraphicsBackend::TShape S;
  S.Kind = GraphicsBackend::TShapeKind::Arc;
  S.Bounds = TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
  S.Start = TPoint(X3, Y3);
  S.End = TPoint(X4, Y4);
  DrawShape(*this, S, false);
  Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                  Integer X4, Integer Y4) {
  GraphicsBackend::TShape S;
  S.Kind = GraphicsBackend::TShapeKind::Pie;
  S.Bounds = TRect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
  S.Start = TPoint(X3, Y3);
  S.End = TPoint(X4, Y4);
  DrawShape(*this, S, true);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Pixels

TColor TCanvas::Pixels(Integer X, Integer Y) const {
  if (!FSurface || !FSurface->Target) return clNone;
  return GraphicsBackend::GetPixel(*FSurface->Target, X - FOrigin.X, Y - FOrigin.Y);
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
  if (GraphicsRecord::Of(*this)) {
    GraphicsRecord::Fill(*this, TRect(X, Y, X + 1, Y + 1), Value);
    Changed();
    return;
  }
  TTarget T;
  if (!Prepare(*this, T)) return;
  GraphicsRaster::SetPixel(*T.Image, T.Clip, X - FOrigin.X, Y - FOrigin.Y, Rgb(Value), pmCopy);
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Text

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
  TTarget T;
  if (GraphicsRecord::Of(*this)) {
    GraphicsRecord::Text(*this, X, Y, Text, FFont, FBkMode == OPAQUE, FBkColor);
    Changed();
  } else if (Prepare(*this, T) && !Text.empty()) {
    GraphicsBackend::TMask Glyphs, Cell;
    GraphicsBackend::RasterizeText(FFont, X - FOrigin.X, Y - FOrigin.Y, Text, false, Glyphs, Cell);
    if (FBkMode == OPAQUE) GraphicsRaster::FillMask(*T.Image, T.Clip, Cell, SolidOf(FBkColor), pmCopy);
    GraphicsRaster::FillMask(*T.Image, T.Clip, Glyphs, SolidOf(FFont.Color()), pmCopy);
    Changed();
  }
  FPenPos = TPoint(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const String& Text) {
  if (GraphicsRecord::Of(*this)) {
    if (FBrush.Style() != bsClear) GraphicsRecord::Fill(*this, R, FBkColor);
    GraphicsRecord::Text(*this, X, Y, Text, FFont, false, FBkColor, &R);
    Changed();
    return;
  }
  TTarget T;
  if (!Prepare(*this, T)) return;
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  T.Clip.Intersect(D);
  if (FBrush.Style() != bsClear)
    GraphicsRaster::FillRect(*T.Image, T.Clip, D, SolidOf(FBkColor), pmCopy);
  if (!Text.empty()) {
    GraphicsBackend::TMask Glyphs, Cell;
    GraphicsBackend::RasterizeText(FFont, X - FOrigin.X, Y - FOrigin.Y, Text, false, Glyphs, Cell);
    GraphicsRaster::FillMask(*T.Image, T.Clip, Glyphs, SolidOf(FFont.Color()), pmCopy);
  }
  Changed();
}

Integer TCanvas::TextWidth(const String& Text) { return GraphicsBackend::TextWidth(FFont, Text); }

Integer TCanvas::TextHeight(const String&) { return GraphicsBackend::FontInfo(FFont).Height; }

TSize TCanvas::TextExtent(const String& Text) { return TSize(TextWidth(Text), TextHeight(Text)); }

// ---------------------------------------------------------------------------------------------
// Graphics and block transfers

// The pixels behind a graphic that keeps them as a bitmap, nullptr for others.
static const TBitmap* PixelsOf(const TGraphic* G) {
  if (auto* B = dynamic_cast<const TBitmap*>(G)) return B;
  if (auto* I = dynamic_cast<const TIcon*>(G)) return I->Bitmap();
  if (auto* J = dynamic_cast<const TJPEGImage*>(G)) return J->Bitmap();
  return nullptr;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic, Byte Opacity) {
  if (!Graphic || Graphic->Empty()) return;
  if (Opacity == 255) {
    Draw(X, Y, Graphic);
    return;
  }
  const TBitmap* Src = PixelsOf(Graphic);
  TTarget T;
  if (!Src || !Src->GetImage() || !Prepare(*this, T)) return;
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Alpha;
  Mode.ConstantAlpha = Opacity;
  const bool OwnAlpha = Src->PixelFormat() == pf32bit &&
                        (Src->AlphaFormat() != afIgnored || dynamic_cast<const TIcon*>(Graphic));
  Mode.PerPixelAlpha = OwnAlpha;
  Mode.Premultiply = OwnAlpha && Src->AlphaFormat() == afDefined;
  GraphicsRaster::Blit(*T.Image, T.Clip,
                       Bounds(X - FOrigin.X, Y - FOrigin.Y, Src->Width(), Src->Height()),
                       *Src->GetImage(), TRect(0, 0, Src->Width(), Src->Height()), Mode);
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Graphic->Draw(this, R);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (GraphicsRecord::Of(*this)) {
    if (Canvas && Canvas->FSurface && Canvas->FSurface->Target) {
      TRect S = Source;
      OffsetRect(S, -Canvas->FOrigin.X, -Canvas->FOrigin.Y);
      GraphicsRecord::Picture(*this, Dest, *Canvas->FSurface->Target, &S);
      Changed();
    }
    return;
  }
  TTarget T;
  if (!Canvas || !Canvas->FSurface || !Canvas->FSurface->Target || !Prepare(*this, T)) return;
  TRect D = Dest, S = Source;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  OffsetRect(S, -Canvas->FOrigin.X, -Canvas->FOrigin.Y);
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Rop;
  Mode.CopyMode = FCopyMode;
  Mode.PatternRGB = Rgb(FBrush.Color());
  GraphicsRaster::Blit(*T.Image, T.Clip, D, *Canvas->FSurface->Target, S, Mode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  TTarget T;
  if (!Bitmap || Bitmap->Empty() || !Prepare(*this, T)) return;
  TRect D = Dest;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  GraphicsRaster::TBlitMode Mode;
  Mode.Kind = GraphicsRaster::TBlitMode::Rop;
  Mode.CopyMode = cmSrcCopy;
  Mode.KeyRGB = Rgb(Color);
  Mode.ReplaceRGB = Rgb(FBrush.Color());
  GraphicsRaster::Blit(*T.Image, T.Clip, D, *Bitmap->GetImage(), Source, Mode);
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  TTarget T;
  if (!Prepare(*this, T)) return;
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  GraphicsRaster::FocusRect(*T.Image, T.Clip, D);
  Changed();
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle) {
  TTarget T;
  if (FBrush.Style() == bsClear || !Prepare(*this, T)) return;
  GraphicsRaster::FloodFill(*T.Image, T.Clip, X - FOrigin.X, Y - FOrigin.Y, Rgb(Color), FillStyle,
                            BrushOf(*this));
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Clipping and saved states

TRect TCanvas::ClipRect() const {
  TRegion R(FSurface && FSurface->Target      ? GraphicsRaster::ImageRect(*FSurface->Target)
            : FSurface && FSurface->Recording ? TRect(0, 0, FSurface->Recording->Size.cx, FSurface->Recording->Size.cy)
                                              : TRect());
  if (FHasClip) {
    if (!FSurface || (!FSurface->Target && !FSurface->Recording)) R = TRegion(kHugeRect);
    R.Intersect(FClip);
  }
  TRect B = R.Bounds();
  if (!IsRectEmpty(B)) OffsetRect(B, FOrigin.X, FOrigin.Y);
  return B;
}

void TCanvas::SelectClipRgn(const TRegion* Rgn) {
  if (!Rgn) {
    FHasClip = false;
    FClip.Clear();
    return;
  }
  FClip = *Rgn;
  FHasClip = true;
}

void TCanvas::SelectClipRect(const TRect& R) {
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  FClip = TRegion(D);
  FHasClip = true;
}

void TCanvas::IntersectClipRect(const TRect& R) {
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  if (!FHasClip) {
    FClip = TRegion(FSurface && FSurface->Target ? GraphicsRaster::ImageRect(*FSurface->Target)
                                                 : kHugeRect);
    FHasClip = true;
  }
  FClip.Intersect(D);
}

void TCanvas::ExcludeClipRect(const TRect& R) {
  TRect D = R;
  OffsetRect(D, -FOrigin.X, -FOrigin.Y);
  if (!FHasClip) {
    FClip = TRegion(FSurface && FSurface->Target ? GraphicsRaster::ImageRect(*FSurface->Target)
                                                 : kHugeRect);
    FHasClip = true;
  }
  FClip.Subtract(D);
}

bool TCanvas::GetClipRgn(TRegion& Rgn) const {
  if (!FHasClip) return false;
  Rgn = FClip;
  return true;
}

Integer TCanvas::SaveDC() {
  auto S = std::make_unique<SavedState>();
  S->Clip = FClip;
  S->HasClip = FHasClip;
  S->Origin = FOrigin;
  S->PenPos = FPenPos;
  S->BkMode = FBkMode;
  S->BkColor = FBkColor;
  FSaved.push_back(std::move(S));
  return static_cast<Integer>(FSaved.size());
}

bool TCanvas::RestoreDC(Integer SavedDC) {
  const Integer Count = static_cast<Integer>(FSaved.size());
  const Integer Level = SavedDC < 0 ? Count + 1 + SavedDC : SavedDC;
  if (Level < 1 || Level > Count) return false;
  const SavedState& S = *FSaved[Level - 1];
  FClip = S.Clip;
  FHasClip = S.HasClip;
  FOrigin = S.Origin;
  FPenPos = S.PenPos;
  FBkMode = S.BkMode;
  FBkColor = S.BkColor;
  FSaved.resize(Level - 1);
  return true;
}

void TCanvas::Lock() { ++FLockCount; }

void TCanvas::Unlock() {
  if (FLockCount > 0) --FLockCount;
}

bool TCanvas::TryLock() {
  ++FLockCount;
  return true;
}
