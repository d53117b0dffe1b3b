// The string grid's pop-up texts:
// - THTMLHintWindow: the hint window that draws its text as mini-HTML (with the grid's images and
//   picture container), or a "|\" encoded Unicode text as one plain line;
// - TBalloonSettings: the grid's Balloon settings (colours, delays, transparency, the switch);
// - TBalloonWindow: the balloon that shows a cell's title, icon and text. The window system offers
//   no balloon tooltips, so the balloon is a hint window of our own that watches the grid's mouse
//   messages (by subclassing its window procedure) and asks the grid for the text through WM_NOTIFY
//   with TTN_GETDISPINFOW, as a tooltip control would.
#pragma once

#include <functional>
#include <memory>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TPictureContainer;
class TBalloonWindow;

// --- Hint window --------------------------------------------------------------------------------

class THTMLHintWindow : public THintWindow {
 public:
  explicit THTMLHintWindow(TComponent* AOwner);
  String ClassName() const override { return u"THTMLHintWindow"; }

  // Not owned.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; }
  TPictureContainer* PictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* Value) { FPictureContainer = Value; }

  // Shows AHint with its top-left corner at Rect's, sized to the measured text (8 pixels wider for
  // a Unicode hint, 16 for mini-HTML, 4 higher), kept 2 pixels inside the monitor's right and
  // bottom edges.
  void ActivateHint(const TRect& Rect, const String& AHint) override;
  // With a string grid as AData, takes its images and picture container first.
  virtual void ActivateHintData(const TRect& Rect, const String& AHint, TObject* AData);
  // (0, 0, text width, text height) of AHint measured at most MaxWidth wide.
  TRect CalcHintRect(Integer MaxWidth, const String& AHint) override;
  virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, TObject* AData);

  // The size of the text last measured.
  Integer TextWidth() const { return FTextWidth; }
  Integer TextHeight() const { return FTextHeight; }

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;

 private:
  // Measures Hint into FTextWidth / FTextHeight in a rectangle MaxWidth wide; true for a Unicode
  // hint (its decoded line is kept in FWideCaption).
  bool Measure(const String& Hint, Integer MaxWidth);
  // The font a Unicode hint is drawn in: the grid-wide hint font name when one is set.
  void SelectUnicodeFont(TCanvas* ACanvas);

  TImageList* FImages = nullptr;
  TPictureContainer* FPictureContainer = nullptr;
  Integer FTextWidth = 0;
  Integer FTextHeight = 0;
  String FWideCaption;
  bool FUnicode = false;
};

// --- Balloon settings ----------------------------------------------------------------------------

class TBalloonSettings : public TPersistent {
 public:
  // The grid whose balloon window BalloonInit creates (nullptr for a free-standing copy).
  explicit TBalloonSettings(TExStringGrid* AGrid = nullptr);
  ~TBalloonSettings() override;
  String ClassName() const override { return u"TBalloonSettings"; }
  // Copies every setting (not the event) of another TBalloonSettings; any other source raises the
  // assign error.
  void Assign(TPersistent* Source) override;

  // Milliseconds a balloon stays; -1 = the default.
  Integer AutoHideDelay() const { return FAutoHideDelay; }
  void SetAutoHideDelay(Integer Value) { FAutoHideDelay = Value; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  // Stores the value, then fires OnEnableChange.
  bool Enable() const { return FEnable; }
  void SetEnable(bool Value);
  Integer InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(Integer Value) { FInitialDelay = Value; }
  Integer ReshowDelay() const { return FReshowDelay; }
  void SetReshowDelay(Integer Value) { FReshowDelay = Value; }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { FTextColor = Value; }
  // 0 = opaque; otherwise the balloon's alpha is 255 - Transparency.
  Byte Transparency() const { return FTransparency; }
  void SetTransparency(Byte Value) { FTransparency = Value; }

  TNotifyEvent OnEnableChange;

  // The grid's balloon window: BalloonInit creates it once (nothing when it exists), registers the
  // grid with it and applies the delays and the transparency; BalloonDone frees it.
  void BalloonInit();
  void BalloonDone();
  bool Initialized() const { return FInitialized; }
  TBalloonWindow* BalloonWindow() const { return FBalloonWindow; }

 private:
  TExStringGrid* FGrid;
  Integer FAutoHideDelay = -1;
  TColor FBackgroundColor = clNone;
  bool FEnable = false;
  Integer FInitialDelay = -1;
  Integer FReshowDelay = -1;
  TColor FTextColor = clNone;
  Byte FTransparency = 0;
  bool FInitialized = false;
  TBalloonWindow* FBalloonWindow = nullptr;  // owned by the grid as a component, freed here
};

// --- Balloon window ------------------------------------------------------------------------------

// The tooltip control's message numbers, as the grid sends them to its balloon window.
constexpr UINT TTM_SETDELAYTIME = 0x0403;
constexpr UINT TTM_SETTIPBKCOLOR = 0x0413;
constexpr UINT TTM_SETTIPTEXTCOLOR = 0x0414;
constexpr UINT TTM_SETMAXTIPWIDTH = 0x0418;
constexpr UINT TTM_POP = 0x041C;
constexpr UINT TTM_SETTITLEW = 0x0421;
// The delays of TTM_SETDELAYTIME (WParam); the delay in milliseconds is LParam.
constexpr Integer TTDT_RESHOW = 1;
constexpr Integer TTDT_AUTOPOP = 2;
constexpr Integer TTDT_INITIAL = 3;
// The balloon window's style bits.
constexpr Cardinal TTS_ALWAYSTIP = 0x01;
constexpr Cardinal TTS_NOPREFIX = 0x02;
constexpr Cardinal TTS_BALLOON = 0x40;
// The notifications the balloon window sends to the grid (WM_NOTIFY).
constexpr UINT TTN_GETDISPINFOW = static_cast<UINT>(-530);
constexpr UINT TTN_SHOW = static_cast<UINT>(-521);
constexpr UINT TTN_POP = static_cast<UINT>(-522);

// The record of TTN_GETDISPINFOW: the grid writes the text to show into Text (an empty text shows
// no balloon).
struct NMTTDISPINFOW {
  NMHDR hdr;
  String Text;
};

// Icons of the balloon's title (TTM_SETTITLEW's WParam): 0 none, 1 information, 2 warning,
// 3 error.
class TBalloonWindow : public THintWindow {
 public:
  // Owner is the grid; the window watches the grid once Attach ran.
  explicit TBalloonWindow(TComponent* AOwner);
  ~TBalloonWindow() override;
  String ClassName() const override { return u"TBalloonWindow"; }

  // Registers Control as the tool: its window procedure is subclassed to watch the mouse. A
  // second call moves the watch to the new control.
  void Attach(TWinControl* Control);
  // Restores the control's window procedure.
  void Detach();
  TWinControl* Tool() const { return FTool; }

  Cardinal Style() const { return TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON; }
  // Delays in milliseconds (-1: the default: 500 initial, 100 reshow, 5000 shown).
  Integer DelayTime(Integer Which) const;
  void SetDelayTime(Integer Which, Integer Ms);
  Integer MaxTipWidth() const { return FMaxTipWidth; }
  void SetMaxTipWidth(Integer Value) { FMaxTipWidth = Value; }
  // clNone: the hint colours.
  TColor TipBkColor() const { return FTipBkColor; }
  void SetTipBkColor(TColor Value);
  TColor TipTextColor() const { return FTipTextColor; }
  void SetTipTextColor(TColor Value);
  // The title and its icon (0..3; any other value is taken as 0).
  void SetTitle(Integer Icon, const String& Title);
  const String& Title() const { return FTitle; }
  Integer TitleIcon() const { return FTitleIcon; }
  // The balloon's constant alpha (255 opaque), given to the window as a layered window's opacity.
  Byte Alpha() const { return FAlpha; }
  void SetAlpha(Byte Value);

  // The text shown, empty while hidden.
  const String& TipText() const { return FTipText; }
  // Asks the tool for its text now and shows the balloon at the mouse (nothing for an empty
  // text).
  void Popup();
  // Hides the balloon.
  void Pop();
  bool Shown() const { return Visible() && !FTipText.empty(); }

  void Dispatch(TMessage& M) override;

 protected:
  void Paint() override;

 private:
  void ToolMessage(TMessage& M);
  void StartTimer(uintptr_t Id, Integer Ms);
  void StopTimer(uintptr_t Id);
  TRect LayoutBalloon(TCanvas* ACanvas, TRect* TitleRect, TRect* TextRect);

  TWinControl* FTool = nullptr;
  TWndMethod FToolOldProc;
  bool FToolHadProc = false;
  Integer FInitialDelay = -1;
  Integer FReshowDelay = -1;
  Integer FAutoPopDelay = -1;
  Integer FMaxTipWidth = -1;
  TColor FTipBkColor = clNone;
  TColor FTipTextColor = clNone;
  String FTitle;
  Integer FTitleIcon = 0;
  Byte FAlpha = 255;
  String FTipText;
  TPoint FLastMouse{-1, -1};
  bool FMouseInTool = false;
};
