// The button face without a window: colour presets, the hot-track blend, the gradient bands, the
// frame of each style pixel by pixel, the placement of caption and glyph, and the glyph frames.
#include "components/buttons/FadeButtons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A canvas to draw on and measure with, pre-filled with the transparent colour.
struct Surface {
  TBitmap Bmp;
  Surface(Integer W, Integer H) : Bmp(W, H) {
    Bmp.SetPixelFormat(pfDevice);
    Bmp.Canvas()->Brush()->SetColor(FadeTransparentColor);
    Bmp.Canvas()->FillRect(Rect(0, 0, W, H));
  }
  TCanvas* C() { return Bmp.Canvas(); }
  TColor At(Integer X, Integer Y) { return Bmp.Canvas()->Pixels(X, Y); }
};

// A glyph strip of Frames frames of W x H; frame k is filled with FrameColor(k) except its
// bottom-left pixel, which carries the transparent key (olive).
TColor FrameColor(Integer k) { return RGB(static_cast<Byte>(40 + 50 * k), 10, 200); }
std::unique_ptr<TBitmap> Strip(Integer Frames, Integer W, Integer H) {
  auto b = std::make_unique<TBitmap>(Frames * W, H);
  b->SetPixelFormat(pfDevice);
  for (Integer k = 0; k < Frames; ++k) {
    b->Canvas()->Brush()->SetColor(FrameColor(k));
    b->Canvas()->FillRect(Rect(k * W, 0, (k + 1) * W, H));
    b->Canvas()->SetPixels(k * W, H - 1, clOlive);
  }
  return b;
}

}  // namespace

// --- Presets -----------------------------------------------------------------------------------------

TEST(FadeButtonsPresets, EveryPresetGivesItsColoursAndFlags) {
  struct Row {
    const char* Name;
    TFadeColorStyle Style;
    TColor Color, Light, Shadow, Down, Hot, FontColor;
    bool Flat, Modern, Quicken;
  };
  const Row rows[] = {
      {"gold", lcsGold, 0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF, 0, false, true, false},
      {"strip", lcsStrip, 0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, 0, false, true, false},
      {"blue", lcsBlue, 0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, 0, false, true, false},
      {"red", lcsRed, 0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, 0, false, true, false},
      {"ultra flat 1", lcsUltraFlat1, clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6, 0, true, false, false},
      {"ultra flat 2", lcsUltraFlat2, clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4, 0, true, false, false},
      {"ultra flat XP", lcsUltraFlatXP, 0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6, 0, true, false, false},
      {"aqua", lcsAqua, 0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, 0, false, true, false},
      {"default", lcsDefault, clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, 0, false, false, false},
      {"quicken", lcsQuicken, 0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C, 0xFFFFFF, false, false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    TColor color = 1, light = 1, shadow = 1, down = 1, hot = 1, font = 1;
    bool flat = !r.Flat, modern = !r.Modern, quicken = !r.Quicken;
    GetColorStyleColors(r.Style, color, light, shadow, down, hot, font, flat, modern, quicken);
    EXPECT_EQ(color, r.Color);
    EXPECT_EQ(light, r.Light);
    EXPECT_EQ(shadow, r.Shadow);
    EXPECT_EQ(down, r.Down);
    EXPECT_EQ(hot, r.Hot);
    EXPECT_EQ(font, r.FontColor);
    EXPECT_EQ(flat, r.Flat);
    EXPECT_EQ(modern, r.Modern);
    EXPECT_EQ(quicken, r.Quicken);
  }
}

TEST(FadeButtonsPresets, KindsCarryCaptionResourceAndModalResult) {
  struct Row {
    TFadeButtonKind Kind;
    const char16_t* Resource;
    const char16_t* Caption;
    TModalResult Result;
  };
  const Row rows[] = {
      {bkOK, u"LBOK", u"OK", 1},          {bkCancel, u"LBCANCEL", u"Abbrechen", 2},
      {bkHelp, u"LBHELP", u"Hilfe", 0},   {bkYes, u"LBYES", u"Ja", 6},
      {bkNo, u"LBNO", u"Nein", 7},        {bkClose, u"LBCLOSE", u"Schließen", 0},
      {bkAbort, u"LBABORT", u"Abbrechen", 3}, {bkRetry, u"LBRETRY", u"Wiederholen", 4},
      {bkIgnore, u"LBIGNORE", u"Ignorieren", 5}, {bkAll, u"LBALL", u"Alle", 12},
  };
  RegisterFadeButtonResources();
  for (const Row& r : rows) {
    SCOPED_TRACE(StringToUtf8(r.Resource));
    const TFadeButtonKindInfo info = FadeButtonKindInfo(r.Kind);
    EXPECT_EQ(String(info.ResourceName), String(r.Resource));
    EXPECT_EQ(String(info.Caption), String(r.Caption));
    EXPECT_EQ(info.ModalResult, r.Result);
    // Two frames of 18 pixels; the bottom-left pixel of each frame is the transparent key.
    TBitmap b;
    b.LoadFromResourceName(r.Resource);
    EXPECT_EQ(b.Width(), 36);
    EXPECT_EQ(b.Height(), r.Kind == bkAll ? 19 : 18);
    EXPECT_EQ(b.Canvas()->Pixels(0, b.Height() - 1), b.Canvas()->Pixels(18, b.Height() - 1));
  }
  TBitmap arrow;
  arrow.LoadFromResourceName(u"LBARROW");
  EXPECT_EQ(arrow.Width(), 5);
  EXPECT_EQ(arrow.Height(), 3);
}

// --- Colours -----------------------------------------------------------------------------------------

TEST(FadeButtonsColours, HotTrackBlendTruncatesEachChannel) {
  // Red goes up from 0 to 255, green down from 255 to 0, blue stays: trunc(c (1 - s/8) + h s/8),
  // which is trunc(255 s / 8) up and trunc(255 (8 - s) / 8) down.
  const TColor from = RGB(0, 255, 100);
  const TColor to = RGB(255, 0, 100);
  const Integer up[9] = {0, 31, 63, 95, 127, 159, 191, 223, 255};
  for (Integer s = 0; s <= 8; ++s) {
    SCOPED_TRACE(s);
    const TColor c = BlendHotTrackColor(from, to, s);
    EXPECT_EQ(GetRValue(c), up[s]);
    EXPECT_EQ(GetGValue(c), up[8 - s]);
    EXPECT_EQ(GetBValue(c), 100);
  }
  // System colours are resolved before blending.
  EXPECT_EQ(BlendHotTrackColor(clBtnFace, clWhite, 0), ColorToRGB(clBtnFace));
}

TEST(FadeButtonsColours, FaceColourFollowsHotTrackAndPress) {
  struct Row {
    const char* Name;
    bool Enabled, Pressed;
    Integer Step;
    TColor Hot, Down, Expected;
  };
  const TColor base = 0x102030;
  const Row rows[] = {
      {"plain", true, false, 8, clNone, clNone, base},
      {"no hot-track colour keeps the colour under the mouse", true, false, 8, clNone, 0x0000FF, base},
      {"full hot track", true, false, 8, 0xF0E0D0, clNone, 0xF0E0D0},
      {"half faded", true, false, 4, 0xF0E0D0, clNone, BlendHotTrackColor(base, 0xF0E0D0, 4)},
      {"pressed without a down colour keeps the hot face", true, true, 8, 0xF0E0D0, clNone, 0xF0E0D0},
      {"pressed with a down colour", true, true, 8, 0xF0E0D0, 0x0080FF, 0x0080FF},
      {"disabled ignores hot track and press", false, true, 8, 0xF0E0D0, 0x0080FF, base},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    TFadeButtonFace f;
    f.Color = base;
    f.Enabled = r.Enabled;
    f.Pressed = r.Pressed;
    f.HotTrackStep = r.Step;
    f.HotTrackColor = r.Hot;
    f.ColorWhenDown = r.Down;
    EXPECT_EQ(FadeButtonFaceColor(f), r.Expected);
  }
}

TEST(FadeButtonsColours, GradientBandsRunFromStartAndOverlapByOnePixel) {
  // 62 pixels high: band i starts at 2i and is 3 high, so row 2i shows band i. Band 31 would start
  // at the bottom edge and is cut away entirely.
  Surface s(4, 70);
  const TColor start = RGB(0, 0, 255);
  const TColor end = RGB(62, 255, 0);
  FillGradientBands(s.C(), start, end, 1, 4, 3, 66);
  for (Integer i = 0; i <= 30; ++i) {
    SCOPED_TRACE(i);
    const TColor c = s.At(1, 4 + 2 * i);
    EXPECT_EQ(GetRValue(c), 2 * i);
    EXPECT_EQ(GetGValue(c), i * 255 / 31);
    EXPECT_EQ(GetBValue(c), (255 * 31 - i * 255) / 31);
  }
  EXPECT_EQ(s.At(1, 65), s.At(1, 64));            // the last row belongs to band 30
  EXPECT_EQ(s.At(1, 66), FadeTransparentColor);   // nothing below the bottom
  EXPECT_EQ(s.At(0, 10), FadeTransparentColor);   // nor left of Left
  EXPECT_EQ(s.At(3, 10), FadeTransparentColor);   // nor at Right
  EXPECT_EQ(s.At(1, 3), FadeTransparentColor);    // nor above Top
  // The canvas keeps its brush.
  s.C()->Brush()->SetColor(0x123456);
  FillGradientBands(s.C(), start, end, 0, 0, 4, 31);
  EXPECT_EQ(s.C()->Brush()->Color(), 0x123456);
}

// --- Frames, pixel by pixel --------------------------------------------------------------------------

TEST(FadeButtonsFrame, StylesDrawTheirEdgesPixelByPixel) {
  // F face colour, L light, S shadow, D the 3-D dark shadow.
  const TColor F = 0x303030, L = 0xF0F0F0, S = 0x707070;
  const TColor D = ColorToRGB(cl3DDkShadow);
  struct Row {
    const char* Name;
    TFadeButtonStyle Style;
    bool Flat, Hot, Pressed, Enabled;
    std::vector<std::string> Art;
  };
  const std::vector<std::string> normalUp = {"LLLLLS", "LFFFFS", "LFFFFS", "LSSSSS"};
  const std::vector<std::string> normalDown = {"SSSSSL", "SFFFFL", "SFFFFL", "SLLLLL"};
  const std::vector<std::string> plain = {"FFFFFF", "FFFFFF", "FFFFFF", "FFFFFF"};
  const Row rows[] = {
      {"normal", bsNormal, false, false, false, true, normalUp},
      {"normal pressed", bsNormal, false, false, true, true, normalDown},
      {"encarta pressed", bsEncarta, false, false, true, true, normalDown},
      {"flat, not hot: no frame", bsNormal, true, false, false, true, plain},
      {"flat and hot", bsNormal, true, true, false, true, normalUp},
      {"flat and pressed", bsEncarta, true, false, true, true, normalDown},
      {"flat and disabled: never a frame", bsNormal, true, true, false, false, plain},
      {"disabled: frame, never pressed", bsNormal, false, false, true, false, normalUp},
      {"old", bsOld, false, false, false, true, {"LLLLLD", "LFFFSD", "LFFFSD", "LSSSSD", "DDDDDD"}},
      {"old pressed", bsOld, false, false, true, true, {"DDDDDL", "DSSSFL", "DSFFFL", "DFFFFL", "LLLLLL"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    const Integer W = static_cast<Integer>(r.Art[0].size());
    const Integer H = static_cast<Integer>(r.Art.size());
    Surface s(W, H);
    TFadeButtonFace f;
    f.Width = W;
    f.Height = H;
    f.Style = r.Style;
    f.Flat = r.Flat;
    f.Hot = r.Hot;
    f.Pressed = r.Pressed;
    f.Enabled = r.Enabled;
    f.Color = F;
    f.LightColor = L;
    f.ShadowColor = S;
    DrawFadeButtonFace(s.C(), f);
    for (Integer y = 0; y < H; ++y) {
      std::string got;
      for (Integer x = 0; x < W; ++x) {
        const TColor c = s.At(x, y);
        got += c == F ? 'F' : c == L ? 'L' : c == S ? 'S' : c == D ? 'D' : '?';
      }
      EXPECT_EQ(got, r.Art[y]) << "row " << y;
    }
  }
}

TEST(FadeButtonsFrame, ModernAndQuickenLeaveTheirCornersTransparent) {
  const TColor F = 0x00C0C0, L = 0x00FFFF, S = 0x008080;
  TFadeButtonFace f;
  f.Width = 40;
  f.Height = 20;
  f.Color = F;
  f.LightColor = L;
  f.ShadowColor = S;

  f.Style = bsModern;
  Surface m(40, 20);
  DrawFadeButtonFace(m.C(), f);
  EXPECT_EQ(m.At(0, 0), FadeTransparentColor);  // outside the rounded corner
  EXPECT_EQ(m.At(20, 0), S);                    // the rounded outline
  EXPECT_EQ(m.At(20, 1), F);                    // the inner outline in the face colour
  // The upper gradient runs from the light colour over rows 2..4; the bands overlap, so row 2
  // shows the last band that starts there, band 10: 255 + 10 (192 - 255) / 31 = 234.7.
  EXPECT_EQ(m.At(20, 2), RGB(234, 234, 0));
  // The lower one runs from the face colour back toward the light colour over rows 5..18; row 5
  // shows band 2: 192 + 2 (255 - 192) / 31 = 196.1.
  EXPECT_EQ(m.At(20, 5), RGB(196, 196, 0));
  EXPECT_EQ(m.At(20, 19), S);

  f.Pressed = true;
  Surface mp(40, 20);
  DrawFadeButtonFace(mp.C(), f);
  EXPECT_EQ(mp.At(20, 1), S);  // pressed: the inner outline in the shadow colour

  f.Pressed = false;
  f.Style = bsQuicken;
  Surface q(40, 20);
  DrawFadeButtonFace(q.C(), f);
  EXPECT_EQ(q.At(0, 0), FadeTransparentColor);
  EXPECT_EQ(q.At(3, 0), FadeTransparentColor);  // the top line starts at 4
  EXPECT_EQ(q.At(4, 0), S);
  EXPECT_EQ(q.At(34, 0), S);
  EXPECT_EQ(q.At(35, 0), FadeTransparentColor);  // and ends before W-5
  EXPECT_EQ(q.At(20, 10), F);
  EXPECT_EQ(q.At(20, 19), S);

  f.Style = bsShape;
  Surface sh(40, 20);
  DrawFadeButtonFace(sh.C(), f);
  for (Integer y = 0; y < 20; y += 3)
    for (Integer x = 0; x < 40; x += 3) EXPECT_EQ(sh.At(x, y), FadeTransparentColor);
}

// --- Placement -------------------------------------------------------------------------------------

namespace {

struct Measured {
  Integer TWW, TH;
};

}  // namespace

TEST(FadeButtonsPlacement, GlyphAndCaptionFollowLayoutAndAlignment) {
  // A 100 x 40 face with a strip of two 18 x 18 frames.
  auto glyph = Strip(2, 18, 18);
  using Expect = std::function<TPoint(Measured)>;
  struct Row {
    const char* Name;
    TFadeButtonLayout Layout;
    TAlignment Alignment;
    bool WordWrap;
    bool Pressed;
    TFadeButtonStyle Style;
    String Text;
    Integer TextLimit;
    Expect GlyphAt;    // expected glyph position
    Expect CaptionAt;  // expected top-left of the caption rectangle
  };
  const Row rows[] = {
      {"left, centred", blGlyphLeft, taCenter, false, false, bsNormal, u"OK", 70,
       [](Measured m) { return Point(41 - (m.TWW + 4) / 2, 11); },
       [](Measured m) { return Point(26, (40 - m.TH) / 2); }},
      {"left, left aligned", blGlyphLeft, taLeftJustify, false, false, bsNormal, u"OK", 70,
       [](Measured) { return Point(4, 11); }, [](Measured m) { return Point(26, (40 - m.TH) / 2); }},
      {"left, right aligned", blGlyphLeft, taRightJustify, false, false, bsNormal, u"OK", 70,
       [](Measured m) { return Point(100 - 18 - (m.TWW + 4) - 4, 11); },
       [](Measured m) { return Point(26, (40 - m.TH) / 2); }},
      {"left, word wrap ignores the alignment", blGlyphLeft, taRightJustify, true, false, bsNormal, u"OK", 70,
       [](Measured) { return Point(4, 11); }, [](Measured m) { return Point(26, (40 - m.TH) / 2); }},
      {"right, centred", blGlyphRight, taCenter, false, false, bsNormal, u"OK", 70,
       [](Measured m) { return Point(41 + (m.TWW + 4) / 2, 11); },
       [](Measured m) { return Point(4, (40 - m.TH) / 2); }},
      {"right, left aligned", blGlyphRight, taLeftJustify, false, false, bsNormal, u"OK", 70,
       [](Measured m) { return Point(4 + m.TWW + 4, 11); },
       [](Measured m) { return Point(4, (40 - m.TH) / 2); }},
      {"right, right aligned", blGlyphRight, taRightJustify, false, false, bsNormal, u"OK", 70,
       [](Measured) { return Point(78, 11); }, [](Measured m) { return Point(4, (40 - m.TH) / 2); }},
      {"right, word wrap follows the caption", blGlyphRight, taRightJustify, true, false, bsNormal, u"OK", 70,
       [](Measured m) { return Point(4 + m.TWW + 4, 11); },
       [](Measured m) { return Point(4, (40 - m.TH) / 2); }},
      {"right, empty caption leaves no gap", blGlyphRight, taLeftJustify, false, false, bsNormal, u"", 70,
       [](Measured) { return Point(4, 11); }, [](Measured m) { return Point(4, (40 - m.TH) / 2); }},
      {"top, centred", blGlyphTop, taCenter, false, false, bsNormal, u"OK", 92,
       [](Measured m) { return Point(41, (40 - (18 + m.TH + 4)) / 2); },
       [](Measured m) { return Point(4, (40 - (18 + m.TH + 4)) / 2 + 18); }},
      {"bottom, right aligned", blGlyphBottom, taRightJustify, false, false, bsNormal, u"OK", 92,
       [](Measured m) { return Point(78, (40 - (18 + m.TH + 4)) / 2 + m.TH); },
       [](Measured m) { return Point(4, (40 - (18 + m.TH + 4)) / 2); }},
      {"top, left aligned, pressed", blGlyphTop, taLeftJustify, false, true, bsNormal, u"OK", 92,
       [](Measured m) { return Point(5, (40 - (18 + m.TH + 4)) / 2 + 1); },
       [](Measured m) { return Point(5, (40 - (18 + m.TH + 4)) / 2 + 18 + 1); }},
      {"pressed moves everything by one", blGlyphLeft, taCenter, false, true, bsNormal, u"OK", 70,
       [](Measured m) { return Point(41 + 1 - (m.TWW + 4) / 2, 12); },
       [](Measured m) { return Point(27, (40 - m.TH) / 2 + 1); }},
      {"pressed encarta stays in place", blGlyphLeft, taCenter, false, true, bsEncarta, u"OK", 70,
       [](Measured m) { return Point(41 - (m.TWW + 4) / 2, 11); },
       [](Measured m) { return Point(26, (40 - m.TH) / 2); }},
      {"shape centres everything", blGlyphRight, taLeftJustify, false, false, bsShape, u"OK", 92,
       [](Measured) { return Point(41, 11); }, [](Measured m) { return Point(0, (40 - m.TH) / 2); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    Surface s(100, 40);
    TFadeButtonFace f;
    f.Width = 100;
    f.Height = 40;
    f.Glyph = glyph.get();
    f.NumGlyphs = 2;
    f.Layout = r.Layout;
    f.Alignment = r.Alignment;
    f.WordWrap = r.WordWrap;
    f.Pressed = r.Pressed;
    f.Style = r.Style;
    f.Caption = r.Text;
    const TFadeButtonPlacement pl = CalcFadeButtonPlacement(s.C(), f);
    // The caption's own measure, taken independently.
    TRect m = Rect(0, 0, r.TextLimit, 0);
    DrawText(s.C(), r.Text, m, DT_CALCRECT | DT_WORDBREAK);
    const Measured mm{m.Width(), m.Height()};
    EXPECT_EQ(pl.TextWidth, mm.TWW);
    EXPECT_EQ(pl.TextHeight, mm.TH);
    EXPECT_EQ(pl.TextLimit, r.TextLimit);
    EXPECT_EQ(pl.GlyphPos, r.GlyphAt(mm));
    EXPECT_EQ(pl.CaptionRect.TopLeft(), r.CaptionAt(mm));
    if (r.Style != bsShape) {
      EXPECT_EQ(pl.CaptionRect.Width(), r.TextLimit);
    }
    EXPECT_EQ(pl.BoldCaption, r.Style == bsEncarta && r.Pressed);
  }
}

TEST(FadeButtonsPlacement, GlyphFrameByState) {
  struct Row {
    const char* Name;
    Integer NumGlyphs;
    bool Enabled, Pressed, Hot;
    Integer Frame;  // 0-based frame drawn
  };
  const Row rows[] = {
      {"normal", 4, true, false, false, 0},
      {"disabled takes the second frame", 4, false, true, true, 1},
      {"pressed takes the third frame", 3, true, true, false, 2},
      {"pressed needs three frames", 2, true, true, false, 0},
      {"hot takes the fourth frame", 4, true, false, true, 3},
      {"hot needs four frames", 3, true, false, true, 0},
      {"pressed wins over hot", 4, true, true, true, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    auto glyph = Strip(r.NumGlyphs, 16, 12);
    Surface s(80, 30);
    TFadeButtonFace f;
    f.Width = 80;
    f.Height = 30;
    f.Glyph = glyph.get();
    f.NumGlyphs = r.NumGlyphs;
    f.Enabled = r.Enabled;
    f.Pressed = r.Pressed;
    f.Hot = r.Hot;
    f.Color = 0x404040;
    const TFadeButtonPlacement pl = CalcFadeButtonPlacement(s.C(), f);
    EXPECT_EQ(pl.GlyphWidth, 16);
    EXPECT_EQ(pl.GlyphSourceX, 16 * r.Frame);
    // Drawn: the frame's colour, and the face colour where the frame's bottom-left key lies.
    DrawFadeButtonFace(s.C(), f);
    EXPECT_EQ(s.At(pl.GlyphPos.X + 5, pl.GlyphPos.Y + 5), FrameColor(r.Frame));
    EXPECT_EQ(s.At(pl.GlyphPos.X, pl.GlyphPos.Y + 11), FadeButtonFaceColor(f));
  }
}

TEST(FadeButtonsPlacement, MissingFramesAndEmptyGlyphsDrawNothing) {
  // A single-frame glyph has no disabled frame: the disabled face shows no glyph.
  auto one = Strip(1, 16, 12);
  TFadeButtonFace f;
  f.Width = 60;
  f.Height = 30;
  f.Glyph = one.get();
  f.NumGlyphs = 1;
  f.Enabled = false;
  f.Color = 0x404040;
  Surface s(60, 30);
  const TFadeButtonPlacement pl = CalcFadeButtonPlacement(s.C(), f);
  DrawFadeButtonFace(s.C(), f);
  for (Integer y = 1; y < 29; ++y)
    for (Integer x = 1; x < 59; ++x) ASSERT_NE(s.At(x, y), FrameColor(0)) << x << "," << y;
  EXPECT_EQ(pl.GlyphSourceX, 16);

  // A glyph of height 0 gives no frame at all, and the caption keeps the whole width.
  TBitmap empty;
  f.Glyph = &empty;
  f.NumGlyphs = 0;
  f.Enabled = true;
  const TFadeButtonPlacement none = CalcFadeButtonPlacement(s.C(), f);
  EXPECT_FALSE(none.DrawGlyph);
  EXPECT_EQ(none.TextLimit, 52);
  EXPECT_EQ(none.CaptionRect.Left, 4);
}

TEST(FadeButtonsPlacement, LongCaptionIsCutOrWrapped) {
  const String caption = u"A caption far too long for this button";
  Surface s(200, 60);
  TFadeButtonFace f;
  f.Width = 60;
  f.Height = 60;
  f.Caption = caption;
  const TFadeButtonPlacement cut = CalcFadeButtonPlacement(s.C(), f);
  ASSERT_LT(cut.Caption.size(), caption.size());
  EXPECT_EQ(caption.substr(0, cut.Caption.size()), cut.Caption);  // no ellipsis, just cut
  EXPECT_LE(s.C()->TextWidth(cut.Caption), 52);
  EXPECT_GT(s.C()->TextWidth(caption.substr(0, cut.Caption.size() + 1)), 52);

  f.WordWrap = true;
  const TFadeButtonPlacement wrapped = CalcFadeButtonPlacement(s.C(), f);
  EXPECT_EQ(wrapped.Caption, caption);
  EXPECT_GT(wrapped.TextHeight, 2 * s.C()->TextHeight(u"Ag"));
  EXPECT_LE(wrapped.TextWidth, 52);
}

TEST(FadeButtonsPlacement, DisabledCaptionIsGreyAndGlyphSitsBesideTheText) {
  // The drawn caption ends 4 pixels before the glyph of a right layout (left aligned).
  auto glyph = Strip(2, 16, 12);
  TFont font;
  font.SetColor(clBlack);
  TFadeButtonFace f;
  f.Width = 120;
  f.Height = 30;
  f.Glyph = glyph.get();
  f.NumGlyphs = 2;
  f.Layout = blGlyphRight;
  f.Alignment = taLeftJustify;
  f.Caption = u"Save";
  f.Font = &font;
  f.Color = clWhite;
  f.ShadowColor = 0x404040;
  Surface s(120, 30);
  DrawFadeButtonFace(s.C(), f);
  const TFadeButtonPlacement pl = CalcFadeButtonPlacement(s.C(), f);
  Integer rightmostInk = -1;
  for (Integer y = 1; y < 29; ++y)
    for (Integer x = 1; x < pl.GlyphPos.X; ++x)
      if (s.At(x, y) == clBlack) rightmostInk = Max(rightmostInk, x);
  ASSERT_GE(rightmostInk, 0);
  EXPECT_LE(rightmostInk, pl.CaptionRect.Left + pl.TextWidth - 1);
  EXPECT_EQ(pl.GlyphPos.X, pl.CaptionRect.Left + pl.TextWidth + 4);

  f.Enabled = false;
  Surface d(120, 30);
  DrawFadeButtonFace(d.C(), f);
  bool grey = false, black = false;
  for (Integer y = 1; y < 29; ++y)
    for (Integer x = 1; x < pl.GlyphPos.X; ++x) {
      grey = grey || d.At(x, y) == 0x808080;
      black = black || d.At(x, y) == clBlack;
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(black);
}

TEST(FadeButtonsPlacement, PopupMenuArrowSitsRightOfCentre) {
  TFadeButtonFace f;
  f.Width = 60;
  f.Height = 24;
  f.Color = clWhite;
  f.HasPopupMenu = true;
  Surface s(60, 24);
  DrawFadeButtonFace(s.C(), f);
  // The 5 x 3 arrow at (W-11, H div 2 - 1): its top row is full, its bottom row only the tip.
  for (Integer x = 49; x < 54; ++x) EXPECT_EQ(s.At(x, 11), clBlack) << x;
  EXPECT_EQ(s.At(51, 13), clBlack);
  EXPECT_EQ(s.At(49, 13), clWhite);  // the transparent key shows the face
}
