// UpdateSearchPanel: the grid's search footer settings and look carried into its search panel.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridSearchPanel.h"

void UpdateSearchPanel(TExStringGrid* Grid) {
  if (!Grid || Grid->HasState(csLoading)) return;
  TSearchPanel* Panel = Grid->SearchPanel();
  TSearchFooter* SF = Grid->SearchFooter();
  if (!Panel || !SF) return;

  if ((Panel->HighlightDown() && Panel->Visible() && !SF->Visible()) || SF->AlwaysHighLight())
    Grid->UnHilightInGrid(SF->SearchFixedCells());

  TSearchPanelSettings S;
  S.Color = SF->Color();
  S.ColorTo = SF->ColorTo();
  S.Visible = SF->Visible();
  S.FindNextCaption = SF->FindNextCaption();
  S.FindPrevCaption = SF->FindPrevCaption();
  S.MatchCaseCaption = SF->MatchCaseCaption();
  S.HighLightCaption = SF->HighLightCaption();
  S.HintFindNext = SF->HintFindNext();
  S.HintFindPrev = SF->HintFindPrev();
  S.HintClose = SF->HintClose();
  S.HintHighlight = SF->HintHighlight();
  S.Font = SF->Font();
  S.AutoThemeAdapt = Grid->AutoThemeAdapt();
  switch (Grid->ControlLook()->ControlStyle()) {
    case csFlat: S.ButtonLook = 0; break;
    case csWinXP:
    case csTheme: S.ButtonLook = S.AutoThemeAdapt ? -1 : 1; break;
    case csClassic: S.ButtonLook = 2; break;
    default: S.ButtonLook = -1; break;
  }
  S.ShowHighLight = SF->ShowHighLight();
  S.ShowClose = SF->ShowClose();
  S.ShowMatchCase = SF->ShowMatchCase();
  S.ShowFindPrev = SF->ShowFindPrev();
  S.ShowFindNext = SF->ShowFindNext();
  S.Top = Grid->Height() - 32;
  Panel->ApplySettings(S);
  if (S.Visible) Grid->ScrollLastRowAboveSearchPanel();
}
