#include "components/buttons/FadeButtons.h"

#include <mutex>

namespace {

// A colour's channels, system colours resolved.
struct TRgb {
  Integer R, G, B;
};
TRgb Channels(TColor Color) {
  const Integer rgb = ColorToRGB(Color);
  return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

// The colour as the canvas should get it: system colours resolved to RGB.
TColor Solid(TColor Color) { return ColorToRGB(Color); }

}  // namespace

// --- Colour presets --------------------------------------------------------------------------------

TFadeColorPreset GetColorStyleColors(TFadeColorStyle Style) {
  TFadeColorPreset p;  // every preset starts with a black font, not flat, neither style flag
  auto set = [&p](TColor Color, TColor Light, TColor Shadow, TColor Down, TColor Hot) {
    p.Color = Color;
    p.LightColor = Light;
    p.ShadowColor = Shadow;
    p.ColorWhenDown = Down;
    p.HotTrackColor = Hot;
  };
  switch (Style) {
    case lcsGold:
      set(0x00C0C0, 0x00FFFF, 0x008080, clNone, 0x00DFDF);
      p.IsModern = true;
      break;
    case lcsStrip:
      set(0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone);
      p.IsModern = true;
      break;
    case lcsBlue:
      set(0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone);
      p.IsModern = true;
      break;
    case lcsRed:
      set(0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone);
      p.IsModern = true;
      break;
    case lcsUltraFlat1:
      set(clBtnFace, 0xB59284, 0xB59284, 0xB59284, 0xDED3D6);
      p.Flat = true;
      break;
    case lcsUltraFlat2:
      set(clBtnFace, 0x000000, 0x000000, 0x24DABC, 0x8CF6E4);
      p.Flat = true;
      break;
    case lcsUltraFlatXP:
      set(0xD1D8DB, 0xB59284, 0xB59285, 0xB59285, 0xD2BDB6);
      p.Flat = true;
      break;
    case lcsAqua:
      set(0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone);
      p.IsModern = true;
      break;
    case lcsQuicken:
      set(0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529, 0xCEAE9C);
      p.IsQuicken = true;
      p.FontColor = 0xFFFFFF;
      break;
    case lcsDefault:
    case lcsCustom:
      set(clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone);
      break;
  }
  return p;
}

void GetColorStyleColors(TFadeColorStyle Style, TColor& Color, TColor& LightColor, TColor& ShadowColor,
                         TColor& ColorWhenDown, TColor& HotTrackColor, TColor& FontColor, bool& Flat,
                         bool& IsModern, bool& IsQuicken) {
  const TFadeColorPreset p = GetColorStyleColors(Style);
  Color = p.Color;
  LightColor = p.LightColor;
  ShadowColor = p.ShadowColor;
  ColorWhenDown = p.ColorWhenDown;
  HotTrackColor = p.HotTrackColor;
  FontColor = p.FontColor;
  Flat = p.Flat;
  IsModern = p.IsModern;
  IsQuicken = p.IsQuicken;
}

// --- Preset kinds ----------------------------------------------------------------------------------

TFadeButtonKindInfo FadeButtonKindInfo(TFadeButtonKind Kind) {
  switch (Kind) {
    case bkOK: return {u"LBOK", u"OK", mrOk};
    case bkCancel: return {u"LBCANCEL", u"Abbrechen", mrCancel};
    case bkHelp: return {u"LBHELP", u"Hilfe", mrNone};
    case bkYes: return {u"LBYES", u"Ja", mrYes};
    case bkNo: return {u"LBNO", u"Nein", mrNo};
    case bkClose: return {u"LBCLOSE", u"Schließen", mrNone};
    case bkAbort: return {u"LBABORT", u"Abbrechen", mrAbort};
    case bkRetry: return {u"LBRETRY", u"Wiederholen", mrRetry};
    case bkIgnore: return {u"LBIGNORE", u"Ignorieren", mrIgnore};
    case bkAll: return {u"LBALL", u"Alle", mrAll};
    case bkCustom: break;
  }
  return {nullptr, u"", mrNone};
}

// --- Built-in glyphs -------------------------------------------------------------------------------
// Each kind's glyph is a strip of two frames, normal and disabled, on an olive background that the
// bottom-left pixel makes transparent. The disabled frame shows the same figure in grey over a
// white relief one pixel down and right. The figures are drawn once and kept as bitmap resources.

namespace {

constexpr TColor GlyphBackground = clOlive;
constexpr Integer GlyphFrame = 18;

// A figure drawn with its top-left corner at (X, Y) in Ink.
using TFigure = void (*)(TCanvas* C, Integer X, Integer Y, TColor Ink);

void Ink(TCanvas* C, TColor Color, Integer Width) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(Width);
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
}

void Path(TCanvas* C, Integer X, Integer Y, std::initializer_list<TPoint> Points) {
  bool first = true;
  for (const TPoint& p : Points) {
    if (first)
      C->MoveTo(X + p.X, Y + p.Y);
    else
      C->LineTo(X + p.X, Y + p.Y);
    first = false;
  }
}

void FigureOk(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{4, 9}, {7, 12}, {14, 5}});
}

void FigureYes(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{3, 10}, {7, 14}, {15, 4}});
}

void FigureCancel(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{5, 5}, {13, 13}});
  Path(C, X, Y, {{13, 5}, {5, 13}});
}

void FigureHelp(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{6, 6}, {7, 4}, {11, 4}, {12, 6}, {12, 7}, {9, 9}, {9, 11}});
  C->FillRect(Rect(X + 8, Y + 13, X + 10, Y + 15));
}

void FigureNo(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  C->Brush()->SetStyle(bsClear);
  C->Ellipse(X + 3, Y + 3, X + 15, Y + 15);
  Path(C, X, Y, {{5, 12}, {12, 5}});
}

void FigureClose(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 1);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(X + 5, Y + 3, X + 13, Y + 16);
  C->SetPixels(X + 11, Y + 9, Solid(Color));
}

void FigureAbort(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 1);
  C->FillRect(Rect(X + 5, Y + 5, X + 13, Y + 13));
}

void FigureRetry(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{13, 10}, {13, 5}, {5, 5}, {5, 13}, {10, 13}});
  Ink(C, Color, 1);
  C->Polygon({{X + 10, Y + 10}, {X + 10, Y + 16}, {X + 13, Y + 13}});
}

void FigureIgnore(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{3, 9}, {12, 9}});
  Ink(C, Color, 1);
  C->Polygon({{X + 11, Y + 5}, {X + 15, Y + 9}, {X + 11, Y + 13}});
}

void FigureAll(TCanvas* C, Integer X, Integer Y, TColor Color) {
  Ink(C, Color, 2);
  Path(C, X, Y, {{2, 9}, {5, 13}, {11, 5}});
  Path(C, X, Y, {{7, 9}, {10, 13}, {16, 5}});
}

// A strip of a normal and a disabled frame of Figure.
std::vector<Byte> GlyphStrip(TFigure Figure, TColor Color, Integer FrameHeight) {
  TBitmap bmp(2 * GlyphFrame, FrameHeight);
  bmp.SetPixelFormat(pf24bit);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(GlyphBackground);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(Rect(0, 0, 2 * GlyphFrame, FrameHeight));
  Figure(c, 0, 0, Color);
  Figure(c, GlyphFrame + 1, 1, clWhite);
  Figure(c, GlyphFrame, 0, clGray);
  return bmp.SaveToMemory();
}

// The drop-down mark: a black triangle pointing down, 5 x 3.
std::vector<Byte> ArrowMark() {
  TBitmap bmp(5, 3);
  bmp.SetPixelFormat(pf24bit);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(GlyphBackground);
  c->FillRect(Rect(0, 0, 5, 3));
  c->Brush()->SetColor(clBlack);
  c->FillRect(Rect(0, 0, 5, 1));
  c->FillRect(Rect(1, 1, 4, 2));
  c->FillRect(Rect(2, 2, 3, 3));
  return bmp.SaveToMemory();
}

}  // namespace

void RegisterFadeButtonResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBitmapResource(u"LBOK", GlyphStrip(FigureOk, clGreen, GlyphFrame));
    RegisterBitmapResource(u"LBCANCEL", GlyphStrip(FigureCancel, clRed, GlyphFrame));
    RegisterBitmapResource(u"LBHELP", GlyphStrip(FigureHelp, clNavy, GlyphFrame));
    RegisterBitmapResource(u"LBYES", GlyphStrip(FigureYes, 0x00A000, GlyphFrame));
    RegisterBitmapResource(u"LBNO", GlyphStrip(FigureNo, clRed, GlyphFrame));
    RegisterBitmapResource(u"LBCLOSE", GlyphStrip(FigureClose, 0x004080, GlyphFrame));
    RegisterBitmapResource(u"LBABORT", GlyphStrip(FigureAbort, clRed, GlyphFrame));
    RegisterBitmapResource(u"LBRETRY", GlyphStrip(FigureRetry, clGreen, GlyphFrame));
    RegisterBitmapResource(u"LBIGNORE", GlyphStrip(FigureIgnore, clNavy, GlyphFrame));
    RegisterBitmapResource(u"LBALL", GlyphStrip(FigureAll, clGreen, GlyphFrame + 1));
    RegisterBitmapResource(u"LBARROW", ArrowMark());
  });
}

// --- Drawing ---------------------------------------------------------------------------------------

void FillGradientBands(TCanvas* Canvas, TColor StartColor, TColor EndColor, Integer Left, Integer Top,
                       Integer Right, Integer Bottom) {
  if (!Canvas || Right <= Left || Bottom <= Top) return;
  const TRgb s = Channels(StartColor);
  const TRgb e = Channels(EndColor);
  const Integer h = Bottom - Top;
  const Integer bandHeight = h / 31 + 1;
  TBrush saved;
  saved.Assign(Canvas->Brush());
  Canvas->Brush()->SetStyle(bsSolid);
  // Each channel moves by (end - start) / 31 per band; the value is taken whole (truncated), so
  // band 0 has the start colour and band 31 the end colour.
  auto channel = [](Integer From, Integer To, Integer Band) {
    return static_cast<Byte>(Trunc(From + static_cast<double>(Band) * (To - From) / 31.0));
  };
  for (Integer i = 0; i < 32; ++i) {
    const Integer y0 = Top + i * h / 31;
    const Integer y1 = Min(y0 + bandHeight, Bottom);
    if (y1 <= y0) continue;
    Canvas->Brush()->SetColor(RGB(channel(s.R, e.R, i), channel(s.G, e.G, i), channel(s.B, e.B, i)));
    Canvas->FillRect(Rect(Left, y0, Right, y1));
  }
  Canvas->Brush()->Assign(&saved);
}

TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, Integer Step) {
  const TRgb c = Channels(Color);
  const TRgb h = Channels(HotTrackColor);
  // Eighths are exact in binary floating point, so the blend is exact before it is cut.
  const double s = Step / 8.0;
  auto mix = [s](Integer A, Integer B) { return static_cast<Byte>(Trunc(A * (1.0 - s) + B * s)); };
  return RGB(mix(c.R, h.R), mix(c.G, h.G), mix(c.B, h.B));
}

void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, Integer X, Integer Y, Integer SourceX,
                          Integer Height, Integer Width, Integer SourceY) {
  if (!Canvas || !Glyph || Glyph->Empty() || Width <= 0 || Height <= 0) return;
  if (SourceX < 0 || SourceY < 0 || SourceX + Width > Glyph->Width() ||
      SourceY + Height > Glyph->Height())
    return;
  TBitmap piece(Width, Height);
  piece.SetPixelFormat(pfDevice);
  piece.Canvas()->CopyRect(Rect(0, 0, Width, Height), Glyph->Canvas(),
                           Rect(SourceX, SourceY, SourceX + Width, SourceY + Height));
  piece.SetTransparentMode(tmAuto);
  piece.SetTransparent(true);
  Canvas->Draw(X, Y, &piece);
}

TColor FadeButtonFaceColor(const TFadeButtonFace& Face) {
  const bool pressed = Face.Pressed && Face.Enabled;
  TColor c = ColorToRGB(Face.Color);
  if (Face.Enabled && Face.HotTrackColor != clNone)
    c = BlendHotTrackColor(Face.Color, Face.HotTrackColor, Face.HotTrackStep);
  if (pressed && Face.ColorWhenDown != clNone) c = ColorToRGB(Face.ColorWhenDown);
  return c;
}

bool FadeButtonHasFrame(const TFadeButtonFace& Face) {
  const bool pressed = Face.Pressed && Face.Enabled;
  if (Face.Enabled) return !Face.Flat || Face.Hot || pressed;
  return !Face.Flat;
}

TFadeButtonPlacement CalcFadeButtonPlacement(TCanvas* Canvas, const TFadeButtonFace& Face) {
  TFadeButtonPlacement pl;
  const Integer W = Face.Width;
  const Integer H = Face.Height;
  const bool pressed = Face.Pressed && Face.Enabled;
  const Integer P = (pressed && Face.Style != bsEncarta) ? 1 : 0;
  pl.PressOffset = P;

  // The glyph frame.
  const bool hasGlyph = Face.Glyph && !Face.Glyph->Empty();
  const Integer GH = hasGlyph ? Face.Glyph->Height() : 0;
  const Integer GW = (hasGlyph && Face.NumGlyphs > 0) ? Face.Glyph->Width() / Face.NumGlyphs : 0;
  pl.GlyphHeight = GH;
  pl.GlyphWidth = GW;
  if (!Face.Enabled)
    pl.GlyphSourceX = GW;
  else if (pressed && Face.NumGlyphs > 2)
    pl.GlyphSourceX = 2 * GW;
  else if (Face.Hot && Face.NumGlyphs > 3)
    pl.GlyphSourceX = 3 * GW;
  else
    pl.GlyphSourceX = 0;
  pl.DrawGlyph = GW > 0 && GH > 0;

  // The caption's font and format.
  TFont font;
  if (Face.Font) font.Assign(Face.Font);
  pl.BoldCaption = Face.Style == bsEncarta && pressed;
  if (pl.BoldCaption) font.SetStyle(font.Style() << fsBold);
  Canvas->SetFont(&font);
  Cardinal align = DT_CENTER;
  if (Face.Alignment == taLeftJustify) align = DT_LEFT;
  if (Face.Alignment == taRightJustify) align = DT_RIGHT;
  pl.TextFormat = DT_WORDBREAK | align;

  // The width the caption must fit.
  Integer TW = 0;
  if (Face.Style == bsShape || Face.Layout == blGlyphTop || Face.Layout == blGlyphBottom)
    TW = Max(0, W - 8);
  else
    TW = Max(0, GW == 0 ? W - 8 : W - GW - 12);
  pl.TextLimit = TW;

  // Shortening: without word wrap the caption loses its last character until it fits.
  String caption = Face.Caption;
  if (!Face.WordWrap)
    while (!caption.empty() && Canvas->TextWidth(caption) > TW) caption.pop_back();
  pl.Caption = caption;
  TRect measure = Rect(0, 0, TW, 0);
  DrawText(Canvas, caption, measure, DT_CALCRECT | pl.TextFormat);
  const Integer TH = measure.Height();
  const Integer TWW = measure.Width();
  pl.TextHeight = TH;
  pl.TextWidth = TWW;

  auto glyphXByAlignment = [&](Integer Left, Integer Right, Integer Centre) {
    switch (Face.Alignment) {
      case taLeftJustify: return Left;
      case taRightJustify: return Right;
      default: return Centre;
    }
  };

  if (Face.Style == bsShape) {
    pl.GlyphPos = Point((W - GW) / 2, (H - GH) / 2);
    pl.CaptionRect = Rect(P, (H - TH) / 2 + P, W, H);
    pl.TextFormat = DT_WORDBREAK | DT_CENTER;
    return pl;
  }

  pl.GreyCaption = !Face.Enabled;
  Integer captionLeft = P + 4;
  Integer captionTop = 0;
  switch (Face.Layout) {
    case blGlyphTop:
    case blGlyphBottom: {
      const Integer B = GH > 0 ? GH + TH + 4 : TH;
      const Integer C = (H - B) / 2;
      Integer glyphTop = 0;
      if (Face.Layout == blGlyphTop) {
        captionTop = C + GH + P;
        glyphTop = C + P;
      } else {
        captionTop = C + P;
        glyphTop = C + TH + P;
      }
      pl.GlyphPos = Point(glyphXByAlignment(P + 4, W + P - GW - 4, (W - GW) / 2 + P), glyphTop);
      break;
    }
    case blGlyphLeft:
    case blGlyphRight: {
      captionTop = (H - TH) / 2 + P;
      const Integer glyphTop = (H - GH) / 2 + P;
      const Integer G = caption.empty() ? 0 : TWW + 4;
      Integer glyphX = 0;
      if (Face.Layout == blGlyphRight) {
        glyphX = captionLeft + G;
        if (!Face.WordWrap)
          glyphX = glyphXByAlignment(glyphX, W + P - GW - 4, (W - GW) / 2 + P + G / 2);
      } else {
        if (GW > 0) captionLeft += GW + 4;
        glyphX = P + 4;
        if (!Face.WordWrap)
          glyphX = glyphXByAlignment(P + 4, W + P - GW - G - 4, (W - GW) / 2 + P - G / 2);
      }
      pl.GlyphPos = Point(glyphX, glyphTop);
      break;
    }
  }
  pl.CaptionRect = Rect(captionLeft, captionTop, captionLeft + TW, captionTop + TH);
  return pl;
}

void DrawFadeButtonFace(TCanvas* Canvas, const TFadeButtonFace& Face) {
  if (!Canvas) return;
  const Integer W = Face.Width;
  const Integer H = Face.Height;
  const bool pressed = Face.Pressed && Face.Enabled;
  const Integer P = (pressed && Face.Style != bsEncarta) ? 1 : 0;
  const TColor face = FadeButtonFaceColor(Face);
  const TColor L = Solid(Face.LightColor);
  const TColor S = Solid(Face.ShadowColor);
  const TColor D = Solid(cl3DDkShadow);

  TCanvas* c = Canvas;
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetWidth(1);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetStyle(bsSolid);

  // Background.
  switch (Face.Style) {
    case bsShape:
      c->Brush()->SetColor(FadeTransparentColor);
      c->FillRect(Rect(0, 0, W, H));
      break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
      c->Brush()->SetColor(face);
      c->FillRect(Rect(0, 0, W, H));
      break;
    case bsModern:
      FillGradientBands(c, L, face, 2, 2, W - 2, H / 4 + P);
      FillGradientBands(c, face, L, 2, H / 4 + P, W - 2, H - 1);
      break;
    case bsQuicken:
      break;
  }

  // Frame.
  auto line = [c](TColor Color, std::initializer_list<TPoint> Points) {
    c->Pen()->SetColor(Color);
    bool first = true;
    for (const TPoint& p : Points) {
      if (first)
        c->MoveTo(p.X, p.Y);
      else
        c->LineTo(p.X, p.Y);
      first = false;
    }
  };
  switch (Face.Style) {
    case bsNormal:
    case bsEncarta:
      if (FadeButtonHasFrame(Face)) {
        line(pressed ? S : L, {{0, H - 1}, {0, 0}, {W - 1, 0}});
        line(pressed ? L : S, {{W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
      }
      break;
    case bsOld:
      if (FadeButtonHasFrame(Face)) {
        if (pressed)
          line(S, {{1, H - 3}, {1, 1}, {W - 2, 1}});
        else
          line(S, {{W - 2, 0}, {W - 2, H - 2}, {0, H - 2}});
        line(pressed ? D : L, {{0, H - 1}, {0, 0}, {W - 1, 0}});
        line(pressed ? L : D, {{W - 1, 0}, {W - 1, H - 1}, {-1, H - 1}});
      }
      break;
    case bsModern:
      c->Brush()->SetStyle(bsClear);
      c->Pen()->SetColor(pressed ? S : face);
      c->Rectangle(1, 1, W - 1, H - 1);
      c->Pen()->SetColor(S);
      c->RoundRect(0, 0, W, H, 6, 6);
      break;
    case bsQuicken:
      c->Brush()->SetColor(face);
      c->Brush()->SetStyle(bsSolid);
      c->Pen()->SetStyle(psClear);
      c->RoundRect(0, 1, W, H, 4, 4);
      c->Pen()->SetStyle(psSolid);
      line(S, {{4, 0}, {W - 5, 0}});
      line(S, {{4, H - 1}, {W - 5, H - 1}});
      break;
    case bsShape:
      break;
  }

  // Caption and glyph.
  TFadeButtonPlacement pl = CalcFadeButtonPlacement(c, Face);
  auto drawGlyph = [&] {
    if (pl.DrawGlyph)
      DrawTransparentGlyph(c, Face.Glyph, pl.GlyphPos.X, pl.GlyphPos.Y, pl.GlyphSourceX, pl.GlyphHeight,
                           pl.GlyphWidth, 0);
  };
  auto drawCaption = [&] {
    if (pl.Caption.empty()) return;
    if (pl.GreyCaption) c->Font()->SetColor(0x808080);
    c->Brush()->SetStyle(bsClear);
    c->SetBkMode(TRANSPARENT);
    TRect r = pl.CaptionRect;
    DrawText(c, pl.Caption, r, pl.TextFormat);
  };
  if (Face.Style == bsShape) {
    drawGlyph();
    drawCaption();
  } else {
    drawCaption();
    drawGlyph();
  }

  // The drop-down mark of a button with a popup menu.
  if (Face.HasPopupMenu) {
    RegisterFadeButtonResources();
    TBitmap arrow;
    arrow.LoadFromResourceName(u"LBARROW");
    arrow.SetTransparentMode(tmAuto);
    arrow.SetTransparent(true);
    c->Draw(W - 11, H / 2 - 1, &arrow);
  }
}

// --- The fade thread -------------------------------------------------------------------------------

namespace {

std::mutex gSleepMutex;
TFadeSleepFunction gSleep;

void FadeSleep(Cardinal Ms) {
  TFadeSleepFunction f;
  {
    std::lock_guard<std::mutex> g(gSleepMutex);
    f = gSleep;
  }
  if (f)
    f(Ms);
  else
    SleepEx(Ms, false);
}

}  // namespace

TFadeSleepFunction SetFadeSleepFunction(TFadeSleepFunction F) {
  std::lock_guard<std::mutex> g(gSleepMutex);
  TFadeSleepFunction old = std::move(gSleep);
  gSleep = std::move(F);
  return old;
}

TFadeButtonThread::TFadeButtonThread(TNotifyEvent Notify) : TThread(true), FNotify(std::move(Notify)) {}

TFadeButtonThread::~TFadeButtonThread() {
  // Execute reads FNotify: the worker ends before the member goes.
  Stop();
}

void TFadeButtonThread::Resume() {
  FLaunched = true;
  TThread::Resume();
}

void TFadeButtonThread::Stop() {
  Terminate();
  if (!FLaunched) return;
  // The worker may wait at the gate: let it through so that it sees it is terminated.
  while (Suspended()) TThread::Resume();
  WaitFor();
}

void TFadeButtonThread::Execute() {
  while (!Terminated()) {
    CheckGate();
    FadeSleep(FadeStepInterval);
    if (Terminated()) break;
    Synchronize([this] { DoEvent(); });
  }
}

void TFadeButtonThread::DoEvent() {
  if (FNotify) FNotify(this);
}
