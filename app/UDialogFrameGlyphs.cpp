// The glyphs of the program's push buttons, drawn in code on a square bitmap. Every picture is
// laid out on a 16 x 16 grid and scaled to the size asked for; the background is the key colour
// that the button leaves out when it draws the glyph (it reads the bottom-left pixel, which no
// picture touches).
#include <cmath>
#include <vector>

#include "app/UDialogFrame.h"
#include "platform/gui/Graphics.h"

namespace {

// Drawing on the 16-unit grid of one glyph.
class TGlyphPainter {
 public:
  TGlyphPainter(TBitmap* Bitmap, Integer Size) : FCanvas(Bitmap->Canvas()), FScale(Size / 16.0) {}

  Integer U(double v) const { return static_cast<Integer>(std::lround(v * FScale)); }
  TPoint P(double x, double y) const { return TPoint(U(x), U(y)); }
  Integer Thick(double w) const { return std::max<Integer>(1, U(w)); }

  void Pen(TColor Color, double Width = 1) {
    FCanvas->Pen()->SetStyle(psSolid);
    FCanvas->Pen()->SetColor(Color);
    FCanvas->Pen()->SetWidth(Thick(Width));
  }
  void NoPen() { FCanvas->Pen()->SetStyle(psClear); }
  void Brush(TColor Color) {
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Brush()->SetColor(Color);
  }
  void NoBrush() { FCanvas->Brush()->SetStyle(bsClear); }

  void Rect(double x1, double y1, double x2, double y2) { FCanvas->Rectangle(U(x1), U(y1), U(x2), U(y2)); }
  void Fill(double x1, double y1, double x2, double y2) {
    FCanvas->FillRect(TRect(U(x1), U(y1), U(x2), U(y2)));
  }
  void Ellipse(double x1, double y1, double x2, double y2) { FCanvas->Ellipse(U(x1), U(y1), U(x2), U(y2)); }
  void Poly(std::initializer_list<std::pair<double, double>> Points) {
    std::vector<TPoint> pts;
    for (const auto& [x, y] : Points) pts.push_back(P(x, y));
    FCanvas->Polygon(pts);
  }
  void Line(std::initializer_list<std::pair<double, double>> Points) {
    std::vector<TPoint> pts;
    for (const auto& [x, y] : Points) pts.push_back(P(x, y));
    FCanvas->Polyline(pts);
  }
  void Arc(double x1, double y1, double x2, double y2, double sx, double sy, double ex, double ey) {
    FCanvas->Arc(U(x1), U(y1), U(x2), U(y2), U(sx), U(sy), U(ex), U(ey));
  }

 private:
  TCanvas* FCanvas;
  double FScale;
};

constexpr TColor Ink = 0x404040;
constexpr TColor Paper = clWhite;
constexpr TColor Folder_Yellow = 0x40C8F0;
constexpr TColor Folder_Dark = 0x1888B0;
constexpr TColor Ok_Green = 0x30A030;
constexpr TColor Cancel_Red = 0x2020D0;
constexpr TColor Info_Blue = 0xC07020;
constexpr TColor Gear_Grey = 0x707070;

// A sheet of paper with a folded top-right corner.
void Draw_Page(TGlyphPainter& g, double Left, double Top, double Right, double Bottom) {
  g.Pen(Ink);
  g.Brush(Paper);
  g.Poly({{Left, Top}, {Right - 4, Top}, {Right, Top + 4}, {Right, Bottom}, {Left, Bottom}});
  g.Line({{Right - 4, Top}, {Right - 4, Top + 4}, {Right, Top + 4}});
}

void Draw_Plus(TGlyphPainter& g, double Cx, double Cy, double Arm, TColor Color) {
  g.NoPen();
  g.Brush(Color);
  g.Fill(Cx - Arm, Cy - 1, Cx + Arm + 1, Cy + 1);
  g.Fill(Cx - 1, Cy - Arm, Cx + 1, Cy + Arm + 1);
}

void Draw_Cross(TGlyphPainter& g, double Left, double Top, double Right, double Bottom, TColor Color,
                double Width) {
  g.Pen(Color, Width);
  g.Line({{Left, Top}, {Right, Bottom}});
  g.Line({{Right, Top}, {Left, Bottom}});
}

void Draw_Gear(TGlyphPainter& g, double Cx, double Cy, double R) {
  g.NoPen();
  g.Brush(Gear_Grey);
  // Eight teeth around a disc.
  const double pi = 3.14159265358979;
  for (int i = 0; i < 8; ++i) {
    const double a = i * pi / 4;
    const double c = std::cos(a), s = std::sin(a);
    const double w = R * 0.28;
    const double r1 = R * 0.7, r2 = R * 1.15;
    g.Poly({{Cx + c * r1 - s * w, Cy + s * r1 + c * w},
            {Cx + c * r2 - s * w, Cy + s * r2 + c * w},
            {Cx + c * r2 + s * w, Cy + s * r2 - c * w},
            {Cx + c * r1 + s * w, Cy + s * r1 - c * w}});
  }
  g.Ellipse(Cx - R * 0.85, Cy - R * 0.85, Cx + R * 0.85, Cy + R * 0.85);
  g.Brush(Paper);
  g.Ellipse(Cx - R * 0.35, Cy - R * 0.35, Cx + R * 0.35, Cy + R * 0.35);
}

void Draw_Glyph(TGlyphPainter& g, TDialogGlyph Glyph) {
  switch (Glyph) {
    case dgNone:
      break;
    case dgOK:
      g.Pen(Ok_Green, 2.2);
      g.Line({{2.5, 8.5}, {6, 12}, {13.5, 3.5}});
      break;
    case dgCancel:
      Draw_Cross(g, 3.5, 3.5, 12.5, 12.5, Cancel_Red, 2.2);
      break;
    case dgNew:
      Draw_Page(g, 3, 1, 13, 15);
      Draw_Plus(g, 8, 9, 3, Ok_Green);
      break;
    case dgOpen:
      g.Pen(Folder_Dark);
      g.Brush(Folder_Dark);
      g.Poly({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 14}, {1, 14}});
      g.Brush(Folder_Yellow);
      g.Poly({{3, 7}, {15, 7}, {13, 14}, {1, 14}});
      break;
    case dgCommunication:
      // Two stations on one line.
      g.Pen(Ink);
      g.Brush(0xE0C080);
      g.Rect(1, 2, 7, 7);
      g.Rect(9, 2, 15, 7);
      g.Pen(Ink, 1.2);
      g.Line({{4, 7}, {4, 11}});
      g.Line({{12, 7}, {12, 11}});
      g.Line({{1, 11}, {15, 11}});
      g.Pen(Ink);
      g.Brush(Ok_Green);
      g.Rect(6, 12, 10, 15);
      break;
    case dgEnOcean:
      // A radio source with its waves.
      g.NoPen();
      g.Brush(Ok_Green);
      g.Ellipse(2, 11, 6, 15);
      g.Pen(Ok_Green, 1.4);
      g.Arc(-2, 7, 10, 19, 9, 13, 4, 8);
      g.Arc(-6, 3, 14, 23, 13, 13, 4, 4);
      g.Arc(-10, -1, 18, 27, 17, 13, 4, 0);
      break;
    case dgDescriptionFile:
      Draw_Page(g, 3, 1, 13, 15);
      g.Pen(Info_Blue);
      for (double y : {6.0, 8.0, 10.0, 12.0}) g.Line({{5, y}, {11, y}});
      break;
    case dgUpdateDevice:
      // A device with an arrow going into it.
      g.Pen(Ink);
      g.Brush(0x303030);
      g.Rect(2, 9, 14, 15);
      g.NoPen();
      g.Brush(Ok_Green);
      g.Fill(2, 8, 3, 9);
      g.Brush(Ok_Green);
      g.Poly({{6, 1}, {10, 1}, {10, 5}, {13, 5}, {8, 10}, {3, 5}, {6, 5}});
      break;
    case dgInfo:
      g.NoPen();
      g.Brush(Info_Blue);
      g.Ellipse(1, 1, 15, 15);
      g.Brush(Paper);
      g.Fill(7, 3, 9, 5);
      g.Fill(7, 6, 9, 12);
      g.Fill(6, 11, 10, 12);
      break;
    case dgOptions:
      Draw_Gear(g, 8, 8, 6);
      break;
    case dgClose:
      g.NoPen();
      g.Brush(Cancel_Red);
      g.Ellipse(1, 1, 15, 15);
      Draw_Cross(g, 5, 5, 11, 11, Paper, 2);
      break;
    case dgAdd:
      Draw_Plus(g, 8, 8, 6, Ok_Green);
      break;
    case dgDelete:
      g.NoPen();
      g.Brush(Cancel_Red);
      g.Fill(2, 7, 15, 9);
      break;
    case dgModify:
      // A pencil.
      g.Pen(Ink);
      g.Brush(Folder_Yellow);
      g.Poly({{3, 11}, {11, 3}, {13, 5}, {5, 13}});
      g.Brush(Ink);
      g.Poly({{3, 11}, {5, 13}, {2, 14}});
      break;
    case dgCopy:
      Draw_Page(g, 1, 1, 10, 11);
      Draw_Page(g, 6, 5, 15, 15);
      break;
    case dgPaste:
      g.Pen(Ink);
      g.Brush(Folder_Dark);
      g.Rect(2, 2, 12, 15);
      g.Brush(Gear_Grey);
      g.Rect(5, 1, 9, 4);
      Draw_Page(g, 7, 6, 15, 15);
      break;
    case dgPrevious:
      g.NoPen();
      g.Brush(Info_Blue);
      g.Poly({{11, 2}, {11, 14}, {4, 8}});
      break;
    case dgNext:
      g.NoPen();
      g.Brush(Info_Blue);
      g.Poly({{5, 2}, {5, 14}, {12, 8}});
      break;
    case dgWeb:
      g.Pen(Info_Blue);
      g.Brush(0xF8E8D0);
      g.Ellipse(1, 1, 15, 15);
      g.NoBrush();
      g.Ellipse(5, 1, 11, 15);
      g.Line({{1, 8}, {15, 8}});
      g.Line({{8, 1}, {8, 15}});
      break;
  }
}

}  // namespace

void Draw_Dialog_Glyph(TBitmap* Bitmap, TDialogGlyph Glyph, Integer Size) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(Size, Size);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Glyph_Transparent_Color);
  c->FillRect(TRect(0, 0, Size, Size));
  TGlyphPainter g(Bitmap, Size);
  Draw_Glyph(g, Glyph);
  // The bottom-left pixel tells the button which colour to leave out.
  c->SetPixels(0, Size - 1, Glyph_Transparent_Color);
}
