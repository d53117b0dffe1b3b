// The push button's building blocks: its enumerations, the colour presets, the fade thread and the
// free routines that draw a button face. Everything here works without a window, so the drawing
// and the layout can be checked on a plain bitmap.
#pragma once

#include <functional>
#include <memory>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Threads.h"

// Drawing styles of the button face.
enum TFadeButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };

// Colour presets; lcsCustom leaves the colours as they are.
enum TFadeColorStyle {
  lcsCustom,
  lcsGold,
  lcsStrip,
  lcsBlue,
  lcsRed,
  lcsUltraFlat1,
  lcsUltraFlat2,
  lcsUltraFlatXP,
  lcsAqua,
  lcsDefault,
  lcsQuicken
};

// Preset kinds: a glyph, a caption and a modal result in one go.
enum TFadeButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// Where the glyph sits relative to the caption.
enum TFadeButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The number of fade steps: 8 is the full hot-track colour, 0 none.
constexpr Integer FadeStepCount = 8;
// The pause of the fade thread before each step, in milliseconds.
constexpr Cardinal FadeStepInterval = 30;
// The colour that stands for "transparent" in the off-screen face of the see-through styles.
constexpr TColor FadeTransparentColor = 0xFF00FF;

// --- Colour presets --------------------------------------------------------------------------------

// The colours and flags a preset gives a button.
struct TFadeColorPreset {
  TColor Color = clBtnFace;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor FontColor = clBlack;
  bool Flat = false;
  bool IsModern = false;   // the preset draws in bsModern
  bool IsQuicken = false;  // the preset draws in bsQuicken
};

// The colours of a preset. lcsCustom answers the neutral values (those of lcsDefault) and is never
// applied by the button.
void GetColorStyleColors(TFadeColorStyle Style, TColor& Color, TColor& LightColor, TColor& ShadowColor,
                         TColor& ColorWhenDown, TColor& HotTrackColor, TColor& FontColor, bool& Flat,
                         bool& IsModern, bool& IsQuicken);
TFadeColorPreset GetColorStyleColors(TFadeColorStyle Style);

// --- Preset kinds ----------------------------------------------------------------------------------

struct TFadeButtonKindInfo {
  const char16_t* ResourceName;  // nullptr for bkCustom
  const char16_t* Caption;
  TModalResult ModalResult;
};
TFadeButtonKindInfo FadeButtonKindInfo(TFadeButtonKind Kind);

// Makes the glyph bitmaps "LBOK" ... "LBALL" and the drop-down arrow "LBARROW" known to
// TBitmap::LoadFromResourceName. Safe to call any number of times, from the GUI thread.
void RegisterFadeButtonResources();

// --- Drawing ---------------------------------------------------------------------------------------

// Fills Left..Right x Top..Bottom of Canvas with 32 horizontal bands running from StartColor to
// EndColor; the canvas keeps its pen and brush.
void FillGradientBands(TCanvas* Canvas, TColor StartColor, TColor EndColor, Integer Left, Integer Top,
                       Integer Right, Integer Bottom);

// The face colour at fade step Step (0..8) between Color (step 0) and HotTrackColor (step 8).
TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, Integer Step);

// Draws the Width x Height piece of Glyph at (SourceX, SourceY) onto Canvas at (X, Y), leaving out
// the pixels that have the colour of the piece's bottom-left pixel. A piece outside the glyph
// strip draws nothing.
void DrawTransparentGlyph(TCanvas* Canvas, TBitmap* Glyph, Integer X, Integer Y, Integer SourceX,
                          Integer Height, Integer Width, Integer SourceY);

// Everything a button face is drawn from.
struct TFadeButtonFace {
  Integer Width = 0;
  Integer Height = 0;
  Integer HotTrackStep = 0;  // 0..8
  Integer NumGlyphs = 0;
  TBitmap* Glyph = nullptr;  // the glyph strip; may be nullptr or empty
  bool Pressed = false;
  bool Hot = false;
  bool Enabled = true;
  bool Flat = false;
  bool WordWrap = false;
  bool HasPopupMenu = false;
  TFadeButtonStyle Style = bsNormal;
  TColor Color = clBtnFace;
  TColor ColorWhenDown = clNone;
  TColor HotTrackColor = clNone;
  TColor LightColor = clWhite;
  TColor ShadowColor = clGray;
  const TFont* Font = nullptr;  // nullptr: a default font
  TFadeButtonLayout Layout = blGlyphLeft;
  String Caption;
  TAlignment Alignment = taCenter;
};

// Where a face puts its caption and glyph (in face coordinates).
struct TFadeButtonPlacement {
  Integer PressOffset = 0;    // P: 1 while pressed (not in bsEncarta)
  Integer GlyphWidth = 0;     // GW: the width of one frame
  Integer GlyphHeight = 0;    // GH
  Integer GlyphSourceX = 0;   // the frame taken from the strip
  bool DrawGlyph = false;     // a frame of non-zero size exists
  Integer TextLimit = 0;      // TW: the width the caption is fitted into
  String Caption;             // the caption after shortening
  Integer TextWidth = 0;      // TWW: the width of the fitted caption
  Integer TextHeight = 0;     // TH
  TRect CaptionRect;          // where the caption is drawn
  TPoint GlyphPos;            // where the glyph frame is drawn
  Cardinal TextFormat = 0;    // the DrawText flags of the caption
  bool GreyCaption = false;   // a disabled caption drawn in grey
  bool BoldCaption = false;   // bsEncarta while pressed
};

// The placement of caption and glyph, measured with Canvas (whose font is set from the face's
// font here).
TFadeButtonPlacement CalcFadeButtonPlacement(TCanvas* Canvas, const TFadeButtonFace& Face);

// The face colour: Color, blended toward HotTrackColor by the fade step when enabled, or
// ColorWhenDown while pressed.
TColor FadeButtonFaceColor(const TFadeButtonFace& Face);

// Whether the bsNormal, bsEncarta and bsOld styles draw their frame.
bool FadeButtonHasFrame(const TFadeButtonFace& Face);

// Draws the whole face (background, frame, caption, glyph, drop-down arrow) onto Canvas at (0, 0).
// For the see-through styles the caller fills the canvas with FadeTransparentColor first.
void DrawFadeButtonFace(TCanvas* Canvas, const TFadeButtonFace& Face);

// --- The fade thread -------------------------------------------------------------------------------

// The thread that fades a button's hot-track colour out. It is created suspended; once resumed it
// pauses FadeStepInterval ms and then runs its callback in the GUI thread through a synchronised
// call, over and over until it is terminated. The callback suspends it from inside that call when
// the fade is done; the worker then waits at the thread's gate until it is resumed again.
class TFadeButtonThread : public TThread {
 public:
  explicit TFadeButtonThread(TNotifyEvent Notify);
  ~TFadeButtonThread() override;
  String ClassName() const override { return u"TFadeButtonThread"; }
  // Resumes the thread; the first resume starts its worker.
  void Resume();
  // Ends the worker and waits for it, serving its synchronised calls meanwhile. A thread never
  // resumed has no worker and returns at once.
  void Stop();
  // Runs the callback (in the GUI thread).
  void DoEvent();

 protected:
  void Execute() override;

 private:
  TNotifyEvent FNotify;
  bool FLaunched = false;
};

// The pause of the fade thread before each step. Tests replace it to drive the fade without
// waiting; an empty function restores the real pause. Returns the function that was in place
// (empty for the real one). Safe to call while fade threads run.
using TFadeSleepFunction = std::function<void(Cardinal Ms)>;
TFadeSleepFunction SetFadeSleepFunction(TFadeSleepFunction F);
