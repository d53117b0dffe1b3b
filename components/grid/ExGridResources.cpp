// The string grid's bitmap resources, drawn once and registered under their resource names: the
// check-box and radio glyphs of the csNorv and csWinXP styles, the node buttons, the filter button,
// the close box of the quick configuration box and the metro glyphs of the colour tones.
//
// Every image keeps its corner pixels in the key colour, so both transparent rules the painters
// use (bottom-left pixel, top-left pixel) take the background away.
#include "components/grid/ExGridResources.h"

#include <mutex>

#include "platform/gui/Graphics.h"

namespace {

constexpr TColor Key = clFuchsia;

struct TGlyph {
  TBitmap Bmp;
  TCanvas* C;
  explicit TGlyph(Integer W, Integer H) : Bmp(W, H), C(Bmp.Canvas()) {
    C->Brush()->SetColor(Key);
    C->FillRect(TRect(0, 0, W, H));
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
  }
  void Box(const TRect& R, TColor Frame, TColor Fill) {
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Frame);
    C->Rectangle(R);
  }
  void Line(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color) {
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  }
  // A tick inside the square that starts at (X, Y) with side S.
  void Tick(Integer X, Integer Y, Integer S, TColor Color) {
    const Integer a = S / 4;
    for (Integer d = 0; d < 2; ++d) {
      Line(X + a, Y + S / 2 + d - 1, X + S / 2 - 1, Y + S - a - 1 + d, Color);
      Line(X + S / 2 - 1, Y + S - a - 1 + d, X + S - a, Y + a + d - 1, Color);
    }
  }
  void Dot(Integer X, Integer Y, Integer S, TColor Color) {
    C->Brush()->SetColor(Color);
    C->Pen()->SetColor(Color);
    C->Ellipse(X, Y, X + S, Y + S);
  }
  std::vector<Byte> Bytes() { return Bmp.SaveToMemory(); }
};

// A check box glyph of side S: frame, fill, and a tick when checked.
std::vector<Byte> CheckGlyph(Integer S, Integer Inset, bool Checked, bool Enabled, TColor Frame, TColor TickColor) {
  TGlyph G(S, S);
  const TColor Fill = Enabled ? clWhite : 0x00E0E0E0;
  G.Box(TRect(Inset, Inset, S - Inset, S - Inset), Enabled ? Frame : clGray, Fill);
  if (Checked) G.Tick(Inset + 1, Inset + 1, S - 2 * Inset - 2, Enabled ? TickColor : clGray);
  return G.Bytes();
}

// A radio glyph of 16 x 16: a ring and, when on, a dot.
std::vector<Byte> RadioGlyph(bool On, bool Enabled, TColor Ring, TColor DotColor) {
  TGlyph G(16, 16);
  G.C->Brush()->SetColor(Enabled ? clWhite : 0x00E0E0E0);
  G.C->Pen()->SetColor(Enabled ? Ring : clGray);
  G.C->Ellipse(2, 2, 14, 14);
  if (On) G.Dot(5, 5, 6, Enabled ? DotColor : clGray);
  return G.Bytes();
}

// A node box with a minus, and a plus when collapsed.
std::vector<Byte> NodeGlyph(Integer S, bool Collapsed, TColor Frame) {
  TGlyph G(S, S);
  const Integer o = S > 9 ? 3 : 0;
  const Integer b = S > 9 ? 9 : S;
  G.Box(TRect(o, o, o + b, o + b), Frame, clWhite);
  const Integer m = o + b / 2;
  G.Line(o + 2, m, o + b - 2, m, clBlack);
  if (Collapsed) G.Line(m, o + 2, m, o + b - 2, clBlack);
  return G.Bytes();
}

std::vector<Byte> FilterGlyph() {
  TGlyph G(16, 16);
  G.C->Brush()->SetColor(clBlack);
  G.C->Pen()->SetColor(clBlack);
  const TPoint Funnel[] = {{3, 4}, {12, 4}, {9, 8}, {9, 12}, {7, 13}, {7, 8}};
  G.C->Polygon(Funnel, 6);
  return G.Bytes();
}

std::vector<Byte> CloseGlyph() {
  TGlyph G(14, 14);
  G.Box(TRect(1, 1, 13, 13), clGray, clWhite);
  for (Integer d = 0; d < 2; ++d) {
    G.Line(4 + d, 4, 10 + d, 10, clBlack);
    G.Line(9 + d, 4, 3 + d, 10, clBlack);
  }
  return G.Bytes();
}

}  // namespace

void RegisterGridResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    const TColor NorvFrame = 0x00B99D7F;
    const TColor XPFrame = 0x00845A1C;
    const TColor XPTick = 0x0021A121;
    // csNorv check boxes: 20 x 20 with the box inset; checked, unchecked, then the disabled pair.
    RegisterBitmapResource(u"ESGCHK01", CheckGlyph(20, 3, true, true, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGCHK02", CheckGlyph(20, 3, false, true, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGCHK03", CheckGlyph(20, 3, true, false, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGCHK04", CheckGlyph(20, 3, false, false, NorvFrame, clBlack));
    // csWinXP check boxes: 16 x 16.
    RegisterBitmapResource(u"ESGCHK05", CheckGlyph(16, 1, true, true, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGCHK06", CheckGlyph(16, 1, false, true, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGCHK07", CheckGlyph(16, 1, true, false, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGCHK08", CheckGlyph(16, 1, false, false, XPFrame, XPTick));
    // Radio buttons: on, off, on disabled, off disabled; csNorv 01-04, csWinXP 05-08.
    RegisterBitmapResource(u"ESGRAD01", RadioGlyph(true, true, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGRAD02", RadioGlyph(false, true, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGRAD03", RadioGlyph(true, false, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGRAD04", RadioGlyph(false, false, NorvFrame, clBlack));
    RegisterBitmapResource(u"ESGRAD05", RadioGlyph(true, true, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGRAD06", RadioGlyph(false, true, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGRAD07", RadioGlyph(true, false, XPFrame, XPTick));
    RegisterBitmapResource(u"ESGRAD08", RadioGlyph(false, false, XPFrame, XPTick));
    // Node buttons: leaf style 16 x 16, XP style 9 x 9; collapsed and expanded.
    RegisterBitmapResource(u"ESGLEAFCLOSE", NodeGlyph(16, true, 0x00808000));
    RegisterBitmapResource(u"ESGLEAFOPEN", NodeGlyph(16, false, 0x00808000));
    RegisterBitmapResource(u"XPNODEC", NodeGlyph(9, true, 0x00A5A5A5));
    RegisterBitmapResource(u"XPNODEO", NodeGlyph(9, false, 0x00A5A5A5));
    RegisterBitmapResource(u"ESGFILT", FilterGlyph());
    RegisterBitmapResource(u"ESGCLOSE", CloseGlyph());
    // The flat glyphs of the colour tones.
    RegisterBitmapResource(u"metrocheckon", CheckGlyph(16, 1, true, true, 0x00606060, 0x00606060));
    RegisterBitmapResource(u"metrocheckoff", CheckGlyph(16, 1, false, true, 0x00606060, 0x00606060));
    RegisterBitmapResource(u"metroradioon", RadioGlyph(true, true, 0x00606060, 0x00606060));
    RegisterBitmapResource(u"metroradiooff", RadioGlyph(false, true, 0x00606060, 0x00606060));
  });
}
