// The look option objects of the string grid (TControlLook, TBackGround, TGridProgressAppearance),
// the look names and the selection colour blending.
#include <cmath>

#include "components/dropdown/ExDropDown.h"  // BlendColor
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridLook.h"

bool IsGradientLook(TGridLook Look) {
  switch (Look) {
    case glNorv:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007:
    case glCustom:
      return true;
    default:
      return false;
  }
}

String GridLookToName(TGridLook Look) {
  switch (Look) {
    case glStandard: return u"glStandard";
    case glSoft: return u"glSoft";
    case glClassic: return u"glClassic";
    case glNorv: return u"glNorv";
    case glXP: return u"glXP";
    case glListView: return u"glListView";
    case glVista: return u"glVista";
    case glWin7: return u"glWin7";
    case glOffice2007: return u"glOffice2007";
    default: return String();
  }
}

String GridLookToDisplayName(TGridLook Look) {
  switch (Look) {
    case glStandard: return u"Standard";
    case glSoft: return u"Soft";
    case glClassic: return u"Classic";
    case glNorv: return u"Norv";
    case glXP: return u"Windows XP";
    case glListView: return u"ListView";
    case glVista: return u"Windows Vista";
    case glWin7: return u"Windows 7";
    case glOffice2007: return u"Office2007";
    default: return String();
  }
}

TColor ExGrid::MixSelectionColor(TColor Selection, TColor Cell, bool Mixer, Integer Percent) {
  if (!Mixer) return Selection;
  return BlendColor(Selection, Cell, Percent);
}

// ---------------------------------------------------------------------------------------------
// TControlLook
// ---------------------------------------------------------------------------------------------

TControlLook::TControlLook(TExStringGrid* AGrid)
    : FGrid(AGrid),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FDropDownHeader(NewDropDownHeader(AGrid)),
      FDropDownFooter(NewDropDownFooter(AGrid)) {}

TControlLook::~TControlLook() { FreeDropDownAppearances(FDropDownHeader, FDropDownFooter); }

void TControlLook::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TControlLook::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TControlLook*>(Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  FCheckSize = Src->FCheckSize;
  FRadioSize = Src->FRadioSize;
  FControlStyle = Src->FControlStyle;
  FCheckedGlyph->Assign(Src->FCheckedGlyph.get());
  FUnCheckedGlyph->Assign(Src->FUnCheckedGlyph.get());
  FRadioOnGlyph->Assign(Src->FRadioOnGlyph.get());
  FRadioOffGlyph->Assign(Src->FRadioOffGlyph.get());
  FProgressMarginX = Src->FProgressMarginX;
  FProgressMarginY = Src->FProgressMarginY;
  FCommentColor = Src->FCommentColor;
  FColor = Src->FColor;
  FProgressBorderColor = Src->FProgressBorderColor;
  FCheckAlwaysActive = Src->FCheckAlwaysActive;
  FRadioAlwaysActive = Src->FRadioAlwaysActive;
  FFixedGradientFrom = Src->FFixedGradientFrom;
  FFixedGradientTo = Src->FFixedGradientTo;
  FFixedGradientMirrorFrom = Src->FFixedGradientMirrorFrom;
  FFixedGradientMirrorTo = Src->FFixedGradientMirrorTo;
  FFixedGradientHoverFrom = Src->FFixedGradientHoverFrom;
  FFixedGradientHoverTo = Src->FFixedGradientHoverTo;
  FFixedGradientHoverMirrorFrom = Src->FFixedGradientHoverMirrorFrom;
  FFixedGradientHoverMirrorTo = Src->FFixedGradientHoverMirrorTo;
  FFixedGradientHoverBorder = Src->FFixedGradientHoverBorder;
  FFixedGradientDownFrom = Src->FFixedGradientDownFrom;
  FFixedGradientDownTo = Src->FFixedGradientDownTo;
  FFixedGradientDownMirrorFrom = Src->FFixedGradientDownMirrorFrom;
  FFixedGradientDownMirrorTo = Src->FFixedGradientDownMirrorTo;
  FFixedGradientDownBorder = Src->FFixedGradientDownBorder;
  FDropDownAlwaysVisible = Src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = Src->FSpinButtonsAlwaysVisible;
  FDropDownCount = Src->FDropDownCount;
  AssignDropDownFooter(FDropDownFooter, Src->FDropDownFooter);
  AssignDropDownHeader(FDropDownHeader, Src->FDropDownHeader);
  FHintMaxWidth = Src->FHintMaxWidth;
}

void TControlLook::Init() {
  FColor = clBlack;
  FCommentColor = clRed;
  FProgressBorderColor = clGray;
  FFixedGradientFrom = clNone;
  FFixedGradientTo = clNone;
  FFixedGradientMirrorFrom = clNone;
  FFixedGradientMirrorTo = clNone;
  FFixedGradientHoverFrom = clGray;
  FFixedGradientHoverTo = clWhite;
  FFixedGradientHoverMirrorFrom = clNone;
  FFixedGradientHoverMirrorTo = clNone;
  FFixedGradientHoverBorder = clSilver;
  FFixedGradientDownFrom = clGray;
  FFixedGradientDownTo = clSilver;
  FFixedGradientDownMirrorFrom = clNone;
  FFixedGradientDownMirrorTo = clNone;
  FFixedGradientDownBorder = clGray;
  if (FGrid) {
    FGrid->SetNorvGradientHoverMirrorFrom(clNone);
    FGrid->SetNorvGradientHoverMirrorTo(clNone);
    FGrid->SetNorvGradientDownMirrorFrom(clNone);
    FGrid->SetNorvGradientDownMirrorTo(clNone);
  }
}

void TControlLook::SetCheckSize(Integer Value) {
  FCheckSize = Value;
  Changed();
}
void TControlLook::SetRadioSize(Integer Value) {
  FRadioSize = Value;
  Changed();
}
void TControlLook::SetControlStyle(TGridControlStyle Value) {
  FControlStyle = Value;
  Changed();
}
void TControlLook::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}
void TControlLook::SetCheckedGlyph(const TBitmap* Value) {
  FCheckedGlyph->Assign(const_cast<TBitmap*>(Value));
  Changed();
}
void TControlLook::SetUnCheckedGlyph(const TBitmap* Value) {
  FUnCheckedGlyph->Assign(const_cast<TBitmap*>(Value));
  Changed();
}
void TControlLook::SetRadioOnGlyph(const TBitmap* Value) {
  FRadioOnGlyph->Assign(const_cast<TBitmap*>(Value));
  Changed();
}
void TControlLook::SetRadioOffGlyph(const TBitmap* Value) {
  FRadioOffGlyph->Assign(const_cast<TBitmap*>(Value));
  Changed();
}
void TControlLook::SetFlatButton(bool Value) {
  FFlatButton = Value;
  Changed();
}
void TControlLook::SetProgressMarginX(Integer Value) {
  FProgressMarginX = Value;
  Changed();
}
void TControlLook::SetProgressMarginY(Integer Value) {
  FProgressMarginY = Value;
  Changed();
}
void TControlLook::SetProgressXP(bool Value) {
  FProgressXP = Value;
  Changed();
}
void TControlLook::SetProgressBorderColor(TColor Value) {
  FProgressBorderColor = Value;
  Changed();
}
void TControlLook::SetCommentColor(TColor Value) {
  FCommentColor = Value;
  Changed();
}
void TControlLook::SetDropDownAlwaysVisible(bool Value) {
  FDropDownAlwaysVisible = Value;
  Changed();
}
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) {
  FSpinButtonsAlwaysVisible = Value;
  Changed();
}
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) {
  FNoDisabledCheckRadioLook = Value;
  Changed();
}
void TControlLook::SetNoDisabledButtonLook(bool Value) {
  FNoDisabledButtonLook = Value;
  Changed();
}
void TControlLook::SetDropDownHeader(THeaderAppearance* Value) { AssignDropDownHeader(FDropDownHeader, Value); }
void TControlLook::SetDropDownFooter(TFooterAppearance* Value) { AssignDropDownFooter(FDropDownFooter, Value); }

void TControlLook::SetFixedGradientFrom(TColor Value) {
  FFixedGradientFrom = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientFrom(Value);
}
void TControlLook::SetFixedGradientTo(TColor Value) {
  FFixedGradientTo = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientTo(Value);
}
void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
  FFixedGradientMirrorFrom = Value;
  if (FGrid) FGrid->SetNorvGradientMirrorFrom(Value);
}
void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
  FFixedGradientMirrorTo = Value;
  if (FGrid) FGrid->SetNorvGradientMirrorTo(Value);
}
void TControlLook::SetFixedGradientHoverFrom(TColor Value) {
  FFixedGradientHoverFrom = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientHoverFrom(Value);
}
void TControlLook::SetFixedGradientHoverTo(TColor Value) {
  FFixedGradientHoverTo = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientHoverTo(Value);
}
void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value) {
  FFixedGradientHoverMirrorFrom = Value;
  if (FGrid) FGrid->SetNorvGradientHoverMirrorFrom(Value);
}
void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value) {
  FFixedGradientHoverMirrorTo = Value;
  if (FGrid) FGrid->SetNorvGradientHoverMirrorTo(Value);
}
void TControlLook::SetFixedGradientHoverBorder(TColor Value) {
  FFixedGradientHoverBorder = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientHoverBorder(Value);
}
void TControlLook::SetFixedGradientDownFrom(TColor Value) {
  FFixedGradientDownFrom = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientDownFrom(Value);
}
void TControlLook::SetFixedGradientDownTo(TColor Value) {
  FFixedGradientDownTo = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientDownTo(Value);
}
void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value) {
  FFixedGradientDownMirrorFrom = Value;
  if (FGrid) FGrid->SetNorvGradientDownMirrorFrom(Value);
}
void TControlLook::SetFixedGradientDownMirrorTo(TColor Value) {
  FFixedGradientDownMirrorTo = Value;
  if (FGrid) FGrid->SetNorvGradientDownMirrorTo(Value);
}
void TControlLook::SetFixedGradientDownBorder(TColor Value) {
  FFixedGradientDownBorder = Value;
  if (FGrid && Value != clNone) FGrid->SetNorvGradientDownBorder(Value);
}

// ---------------------------------------------------------------------------------------------
// TBackGround
// ---------------------------------------------------------------------------------------------

TBackGround::TBackGround(TExStringGrid* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TBackGround::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TBackGround*>(Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  FTop = Src->FTop;
  FLeft = Src->FLeft;
  FDisplay = Src->FDisplay;
  FCells = Src->FCells;
  FColorTo = Src->FColorTo;
  FColor = Src->FColor;
  FBitmap->Assign(Src->FBitmap.get());
  Changed();
}

void TBackGround::SetTop(Integer Value) {
  FTop = Value;
  Changed();
}
void TBackGround::SetLeft(Integer Value) {
  FLeft = Value;
  Changed();
}
void TBackGround::SetDisplay(TBackGroundDisplay Value) {
  FDisplay = Value;
  Changed();
}
void TBackGround::SetCells(TBackGroundCells Value) {
  FCells = Value;
  Changed();
}
void TBackGround::SetColorTo(TColor Value) {
  FColorTo = Value;
  Changed();
}
void TBackGround::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}
void TBackGround::SetBitmap(const TBitmap* Value) {
  FBitmap->Assign(const_cast<TBitmap*>(Value));
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TGridProgressAppearance
// ---------------------------------------------------------------------------------------------

void TGridProgressAppearance::Assign(TPersistent* Source) {
  auto* Src = dynamic_cast<TGridProgressAppearance*>(Source);
  if (!Src) {
    TPersistent::Assign(Source);
    return;
  }
  FUnCompleteFontColor = Src->FUnCompleteFontColor;
  FCompleteColor = Src->FCompleteColor;
  FUnCompleteColor = Src->FUnCompleteColor;
  FCompleteFontColor = Src->FCompleteFontColor;
  FStacked = Src->FStacked;
  FShowPercentage = Src->FShowPercentage;
  FShowBorder = Src->FShowBorder;
  FCompletionSmooth = Src->FCompletionSmooth;
  FShowGradient = Src->FShowGradient;
  FLevel2Perc = Src->FLevel2Perc;
  FLevel1Perc = Src->FLevel1Perc;
  FSteps = Src->FSteps;
  FLevel3Color = Src->FLevel3Color;
  FLevel1Color = Src->FLevel1Color;
  FLevel0Color = Src->FLevel0Color;
  FLevel3ColorTo = Src->FLevel3ColorTo;
  FLevel2ColorTo = Src->FLevel2ColorTo;
  FLevel0ColorTo = Src->FLevel0ColorTo;
  FLevel1ColorTo = Src->FLevel1ColorTo;
  FBorderColor = Src->FBorderColor;
  FLevel2Color = Src->FLevel2Color;
  FStyle = Src->FStyle;
  Changed();
}
