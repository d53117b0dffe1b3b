// The string grid's looks and colour settings: the ten looks (TGridLook), the colour schemes
// (TExGridStyle, in the order of the component styles TNorvStyle), the older XP colour schemes, and
// the three option objects the grid owns: TControlLook (in-cell controls, progress bars, fixed-cell
// gradients, drop-down editor looks), TBackGround (picture or gradient behind the cells) and
// TGridProgressAppearance (Office-style progress bars). How a grid applies them is in
// ExGridLook.cpp (SetLook, SetStyle, SetColorTones, GetVisualProperties).
#pragma once

#include <memory>

#include "components/grid/ExGridDefs.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TExStringGrid;
class THeaderAppearance;
class TFooterAppearance;

// TGridLook is declared with the grid's vocabulary (ExGridDefs.h).

// True for the looks that draw fixed cells with the grid's gradient colour sets (glNorv, glXP,
// glListView, glVista, glWin7, glOffice2007, glCustom).
bool IsGradientLook(TGridLook Look);
// "glStandard" … "glOffice2007"; empty for glCustom and unknown values.
String GridLookToName(TGridLook Look);
// "Standard", "Soft", "Classic", "Norv", "Windows XP", "ListView", "Windows Vista", "Windows 7",
// "Office2007"; empty for glCustom and unknown values.
String GridLookToDisplayName(TGridLook Look);

// The colour schemes, in the order of TNorvStyle (a component style applies the scheme of the same
// ordinal).
enum TExGridStyle : Byte {
  gsOffice2003Blue,
  gsOffice2003Silver,
  gsOffice2003Olive,
  gsOffice2003Classic,
  gsOffice2007Luna,
  gsOffice2007Obsidian,
  gsWindowsXP,
  gsWhidbey,
  gsCustom,
  gsOffice2007Silver,
  gsWindowsVista,
  gsWindows7,
  gsTerminal,
  gsOffice2010Blue,
  gsOffice2010Silver,
  gsOffice2010Black,
};

enum TXPColorScheme : Byte { xpNone, xpBlue, xpGreen, xpGray, vistaAero };

// The look of in-cell check boxes and radio buttons. (The class library's TControlStyle names the
// control style flags, so the grid's enumeration carries the grid's prefix.)
enum TGridControlStyle : Byte { csClassic, csFlat, csWinXP, csBorland, csNorv, csGlyph, csTheme };

enum TBackGroundDisplay : Byte { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : Byte { bcNormal, bcFixed, bcAll };

enum TProgressStyle : Byte { psXP, psClassic };

// The selection blending of the grid module.
namespace ExGrid {
// Selection unless Mixer, else BlendColor(Selection, Cell, Percent) of the drop-down framework
// (components/dropdown/ExDropDown.h).
TColor MixSelectionColor(TColor Selection, TColor Cell, bool Mixer, Integer Percent);
}  // namespace ExGrid
using ExGrid::MixSelectionColor;

// The drop-down header and footer settings of a control look: made with the owner given, copied
// and freed.
THeaderAppearance* NewDropDownHeader(TComponent* AOwner);
TFooterAppearance* NewDropDownFooter(TComponent* AOwner);
void AssignDropDownHeader(THeaderAppearance* Dest, THeaderAppearance* Source);
void AssignDropDownFooter(TFooterAppearance* Dest, TFooterAppearance* Source);
void FreeDropDownAppearances(THeaderAppearance* Header, TFooterAppearance* Footer);

// ---------------------------------------------------------------------------------------------
// TControlLook
// ---------------------------------------------------------------------------------------------

class TControlLook : public TPersistent {
 public:
  // Grid may be nullptr (a settings object of its own); otherwise the grid is repainted on changes
  // and the fixed-gradient colours are passed to its fixed-cell colour sets.
  explicit TControlLook(TExStringGrid* AGrid);
  ~TControlLook() override;
  String ClassName() const override { return u"TControlLook"; }

  // Sizes, style, glyphs, margins, colours, the always-active flags, the fourteen gradient colours
  // (stored only), the always-visible buttons, the drop-down count, header, footer and hint width.
  void Assign(TPersistent* Source) override;
  // Colour, comment colour, progress border and the fourteen gradient colours back to the values of
  // a new object; of the grid's sets only the hover and down mirror colours become clNone.
  void Init();

  TExStringGrid* Grid() const { return FGrid; }

  Integer CheckSize() const { return FCheckSize; }
  void SetCheckSize(Integer Value);
  Integer RadioSize() const { return FRadioSize; }
  void SetRadioSize(Integer Value);
  TGridControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TGridControlStyle Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The glyphs of csGlyph; writing copies the bitmap.
  TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
  void SetCheckedGlyph(const TBitmap* Value);
  TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
  void SetUnCheckedGlyph(const TBitmap* Value);
  TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
  void SetRadioOnGlyph(const TBitmap* Value);
  TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
  void SetRadioOffGlyph(const TBitmap* Value);
  bool FlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value);
  Integer ProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(Integer Value);
  Integer ProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(Integer Value);
  bool ProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value);
  TColor ProgressBorderColor() const { return FProgressBorderColor; }
  void SetProgressBorderColor(TColor Value);
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value);
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value);
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value);
  bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool Value);
  bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool Value);
  // Stored only.
  bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
  void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
  bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
  void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
  bool FixedDropDownButton() const { return FFixedDropDownButton; }
  void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  Integer HintMaxWidth() const { return FHintMaxWidth; }
  void SetHintMaxWidth(Integer Value) { FHintMaxWidth = Value; }
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader; }
  void SetDropDownHeader(THeaderAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter; }
  void SetDropDownFooter(TFooterAppearance* Value);

  // The fixed-cell gradients. Writing stores the colour and passes it to the grid's set: from, to,
  // the hover from / to / border and the down from / to / border only when not clNone, the mirror
  // colours always.
  TColor FixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor Value);
  TColor FixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor Value);
  TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);
  TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
  void SetFixedGradientHoverFrom(TColor Value);
  TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
  void SetFixedGradientHoverTo(TColor Value);
  TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor Value);
  TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor Value);
  TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
  void SetFixedGradientHoverBorder(TColor Value);
  TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
  void SetFixedGradientDownFrom(TColor Value);
  TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
  void SetFixedGradientDownTo(TColor Value);
  TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor Value);
  TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor Value);
  TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
  void SetFixedGradientDownBorder(TColor Value);

 private:
  void Changed();

  TExStringGrid* FGrid;
  Integer FCheckSize = 15;
  std::unique_ptr<TBitmap> FUnCheckedGlyph;
  std::unique_ptr<TBitmap> FCheckedGlyph;
  TGridControlStyle FControlStyle = csTheme;
  TColor FColor = clBlack;
  Integer FRadioSize = 10;
  std::unique_ptr<TBitmap> FRadioOffGlyph;
  std::unique_ptr<TBitmap> FRadioOnGlyph;
  bool FFlatButton = false;
  Integer FProgressMarginY = 2;
  Integer FProgressMarginX = 2;
  bool FProgressXP = false;
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  TColor FCommentColor = clRed;
  TColor FProgressBorderColor = clGray;
  TColor FFixedGradientFrom = clNone;
  TColor FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone;
  TColor FFixedGradientMirrorTo = clNone;
  TColor FFixedGradientHoverFrom = clGray;
  TColor FFixedGradientHoverTo = clWhite;
  TColor FFixedGradientHoverMirrorFrom = clNone;
  TColor FFixedGradientHoverMirrorTo = clNone;
  TColor FFixedGradientHoverBorder = clSilver;
  TColor FFixedGradientDownFrom = clGray;
  TColor FFixedGradientDownTo = clSilver;
  TColor FFixedGradientDownMirrorFrom = clNone;
  TColor FFixedGradientDownMirrorTo = clNone;
  TColor FFixedGradientDownBorder = clGray;
  bool FFixedDropDownButton = false;
  bool FCheckAlwaysActive = false;
  bool FRadioAlwaysActive = false;
  Integer FDropDownCount = 8;
  // Made, copied and freed in ExGridLookDropDown.cpp (the drop-down vocabulary stays out of the
  // grid's sources).
  THeaderAppearance* FDropDownHeader = nullptr;
  TFooterAppearance* FDropDownFooter = nullptr;
  Integer FHintMaxWidth = 0;
};

// ---------------------------------------------------------------------------------------------
// TBackGround
// ---------------------------------------------------------------------------------------------

// A picture (tiled or placed) or a gradient behind the cells and in the empty area. Every setter
// repaints the grid.
class TBackGround : public TPersistent {
 public:
  explicit TBackGround(TExStringGrid* AGrid);
  ~TBackGround() override;
  String ClassName() const override { return u"TBackGround"; }
  void Assign(TPersistent* Source) override;

  Integer Top() const { return FTop; }
  void SetTop(Integer Value);
  Integer Left() const { return FLeft; }
  void SetLeft(Integer Value);
  TBackGroundDisplay Display() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value);
  TBackGroundCells Cells() const { return FCells; }
  void SetCells(TBackGroundCells Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Writing copies the bitmap.
  TBitmap* Bitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* Value);

 private:
  void Changed();

  TExStringGrid* FGrid;
  Integer FTop = 0;
  Integer FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  TBackGroundCells FCells = bcNormal;
  TColor FColorTo = clBtnFace;
  TColor FColor = clWindow;
  std::unique_ptr<TBitmap> FBitmap;
};

// ---------------------------------------------------------------------------------------------
// TGridProgressAppearance
// ---------------------------------------------------------------------------------------------

// The look of the Office-style progress bars (ctXPProgress). A setter that changes a value fires
// OnChange; Assign copies everything and fires it once.
class TGridProgressAppearance : public TPersistent {
 public:
  TGridProgressAppearance() = default;
  String ClassName() const override { return u"TGridProgressAppearance"; }
  void Assign(TPersistent* Source) override;

  TColor UnCompleteFontColor() const { return FUnCompleteFontColor; }
  void SetUnCompleteFontColor(TColor Value) { Set(FUnCompleteFontColor, Value); }
  TColor CompleteColor() const { return FCompleteColor; }
  void SetCompleteColor(TColor Value) { Set(FCompleteColor, Value); }
  TColor UnCompleteColor() const { return FUnCompleteColor; }
  void SetUnCompleteColor(TColor Value) { Set(FUnCompleteColor, Value); }
  TColor CompleteFontColor() const { return FCompleteFontColor; }
  void SetCompleteFontColor(TColor Value) { Set(FCompleteFontColor, Value); }
  bool Stacked() const { return FStacked; }
  void SetStacked(bool Value) { Set(FStacked, Value); }
  bool ShowPercentage() const { return FShowPercentage; }
  void SetShowPercentage(bool Value) { Set(FShowPercentage, Value); }
  bool ShowBorder() const { return FShowBorder; }
  void SetShowBorder(bool Value) { Set(FShowBorder, Value); }
  bool CompletionSmooth() const { return FCompletionSmooth; }
  void SetCompletionSmooth(bool Value) { Set(FCompletionSmooth, Value); }
  bool ShowGradient() const { return FShowGradient; }
  void SetShowGradient(bool Value) { Set(FShowGradient, Value); }
  Integer Level2Perc() const { return FLevel2Perc; }
  void SetLevel2Perc(Integer Value) { Set(FLevel2Perc, Value); }
  Integer Level1Perc() const { return FLevel1Perc; }
  void SetLevel1Perc(Integer Value) { Set(FLevel1Perc, Value); }
  Integer Steps() const { return FSteps; }
  void SetSteps(Integer Value) { Set(FSteps, Value); }
  TColor Level3Color() const { return FLevel3Color; }
  void SetLevel3Color(TColor Value) { Set(FLevel3Color, Value); }
  TColor Level1Color() const { return FLevel1Color; }
  void SetLevel1Color(TColor Value) { Set(FLevel1Color, Value); }
  TColor Level0Color() const { return FLevel0Color; }
  void SetLevel0Color(TColor Value) { Set(FLevel0Color, Value); }
  TColor Level3ColorTo() const { return FLevel3ColorTo; }
  void SetLevel3ColorTo(TColor Value) { Set(FLevel3ColorTo, Value); }
  TColor Level2ColorTo() const { return FLevel2ColorTo; }
  void SetLevel2ColorTo(TColor Value) { Set(FLevel2ColorTo, Value); }
  TColor Level0ColorTo() const { return FLevel0ColorTo; }
  void SetLevel0ColorTo(TColor Value) { Set(FLevel0ColorTo, Value); }
  TColor Level1ColorTo() const { return FLevel1ColorTo; }
  void SetLevel1ColorTo(TColor Value) { Set(FLevel1ColorTo, Value); }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  TColor Level2Color() const { return FLevel2Color; }
  void SetLevel2Color(TColor Value) { Set(FLevel2Color, Value); }
  TProgressStyle Style() const { return FStyle; }
  void SetStyle(TProgressStyle Value) { Set(FStyle, Value); }

  TNotifyEvent OnChange;

 private:
  template <typename T>
  void Set(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed() {
    if (OnChange) OnChange(this);
  }

  TColor FUnCompleteFontColor = clWindowText;
  TColor FCompleteColor = clRed;
  TColor FUnCompleteColor = clNone;
  TColor FCompleteFontColor = clBlue;
  bool FStacked = false;
  bool FShowPercentage = true;
  bool FShowBorder = false;
  bool FCompletionSmooth = true;
  bool FShowGradient = true;
  Integer FLevel2Perc = 90;
  Integer FLevel1Perc = 70;
  Integer FSteps = 11;
  TColor FLevel3Color = 0x000000FF;
  TColor FLevel1Color = 0x0000FFFF;
  TColor FLevel0Color = 0x0000FF00;
  TColor FLevel3ColorTo = 0x00CACAFF;
  TColor FLevel2ColorTo = 0x00A8D3FF;
  TColor FLevel0ColorTo = 0x00E1FFE1;
  TColor FLevel1ColorTo = 0x00CAFFFF;
  TColor FBorderColor = clBlack;
  TColor FLevel2Color = 0x0053A9FF;
  TProgressStyle FStyle = psXP;
};
