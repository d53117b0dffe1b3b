// The string grid's search footer strip: a search edit, find-next and find-previous buttons, a
// highlight toggle, a match-case box and a close button, docked at the grid's bottom edge. Its
// settings live in the grid's SearchFooter; UpdateSearchPanel carries them into the strip. What the
// buttons do (find, highlight, close) is the grid's search handling, reached through the panel's
// events.
#pragma once

#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class TExGridButton;
class TExCheckBox;

// An edit that takes Enter: Enter fires OnReturn, Ctrl+Enter OnCtrlReturn, and neither reaches the
// edit; the characters CR and LF fire OnKeyPress and are then dropped, so the text stays one line.
class TRetEdit : public TEdit {
 public:
  explicit TRetEdit(TComponent* AOwner);
  String ClassName() const override { return u"TRetEdit"; }

  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

 protected:
  void WMKeyDown(TMessage& M) override;
  void WMChar(TMessage& M) override;
  void WMGetDlgCode(TMessage& M) override;
};

// What UpdateSearchPanel hands the panel: the search footer's settings and the grid's look.
struct TSearchPanelSettings {
  TColor Color = clWhite;
  TColor ColorTo = clNone;
  bool Visible = false;
  String FindNextCaption;
  String FindPrevCaption;
  String MatchCaseCaption;
  String HighLightCaption;
  String HintFindNext;
  String HintFindPrev;
  String HintClose;
  String HintHighlight;
  const TFont* Font = nullptr;
  // The button look: 0 flat, 1 XP style, 2 classic (the grid's control style), and whether the
  // buttons follow the desktop theme (the grid's AutoThemeAdapt).
  Integer ButtonLook = 2;
  bool AutoThemeAdapt = false;
  bool ShowHighLight = true;
  bool ShowClose = true;
  bool ShowMatchCase = true;
  bool ShowFindPrev = true;
  bool ShowFindNext = true;
  // The panel's top edge in the grid (the grid's height - 32) when Visible.
  Integer Top = 0;
};

class TSearchPanel : public TCustomPanel {
 public:
  // The owner is the grid. Creates the edit, the four buttons and the match-case box.
  explicit TSearchPanel(TComponent* AOwner);
  String ClassName() const override { return u"TSearchPanel"; }

  TExStringGrid* Grid() const { return FGrid; }

  TRetEdit* EditControl() const { return FEditControl; }
  TExGridButton* ForwardButton() const { return FForwardButton; }
  TExGridButton* BackwardButton() const { return FBackwardButton; }
  TExGridButton* ExitButton() const { return FExitButton; }
  TExGridButton* HiliteButton() const { return FHiliteButton; }
  TExCheckBox* MatchCase() const { return FMatchCase; }

  // The bottom colour of the gradient (clNone: a plain fill); a write repaints.
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  const String& FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const String& Value) { FFindNextCaption = Value; }
  const String& FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const String& Value) { FFindPrevCaption = Value; }
  const String& MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const String& Value) { FMatchCaseCaption = Value; }
  const String& HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const String& Value) { FHighLightCaption = Value; }
  const String& HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const String& Value) { FHintFindNext = Value; }
  const String& HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const String& Value) { FHintFindPrev = Value; }
  const String& HintClose() const { return FHintClose; }
  void SetHintClose(const String& Value) { FHintClose = Value; }
  const String& HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const String& Value) { FHintHighlight = Value; }

  // The highlight toggle is down / the match-case box is checked.
  bool HighlightDown() const;
  bool MatchCaseChecked() const;

  // The panel's window set-up, run by the grid once it has parented the panel: lays out the
  // children, then fires the grid's OnCreatedSearchFooter.
  virtual void CreateWnd();
  // Takes the settings UpdateSearchPanel gathered: colours, visibility, captions, hints, font,
  // button look and visibility, the match-case box's place and the panel's height.
  void ApplySettings(const TSearchPanelSettings& S);

  // Sender is the panel.
  TNotifyEvent OnForwardClick;
  TNotifyEvent OnBackwardClick;
  TNotifyEvent OnEditChange;
  TNotifyEvent OnExitClick;
  TNotifyEvent OnHighLightClick;

 protected:
  void Paint() override;

 private:
  void EditChanged(TObject* Sender);
  void ForwardClick(TObject* Sender);
  void BackwardClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void HighlightClick(TObject* Sender);
  // Fires the grid's OnCreatedSearchFooter.
  void NotifyCreated();
  // The owner as a string grid, nullptr when it is none.
  static TExStringGrid* GridOf(TComponent* AOwner);
  // The grid's line colour (silver without a grid).
  static TColor GridLineColorOf(TExStringGrid* Grid);

  TExStringGrid* FGrid;
  TRetEdit* FEditControl = nullptr;
  TExGridButton* FForwardButton = nullptr;
  TExGridButton* FBackwardButton = nullptr;
  TExGridButton* FExitButton = nullptr;
  TExGridButton* FHiliteButton = nullptr;
  TExCheckBox* FMatchCase = nullptr;
  TColor FColorTo = clNone;
  String FFindNextCaption;
  String FFindPrevCaption;
  String FMatchCaseCaption;
  String FHighLightCaption;
  String FHintFindNext;
  String FHintFindPrev;
  String FHintClose;
  String FHintHighlight;
};

// Carries the grid's SearchFooter settings into its search panel (colours, captions, hints, font,
// button look and visibility, height). Nothing while the grid is loading or has no panel. Clears
// the grid's highlights first when the highlight toggle is down on a panel being hidden, or when
// the footer always highlights; with a visible footer the grid then scrolls its last row above the
// panel.
void UpdateSearchPanel(TExStringGrid* Grid);
