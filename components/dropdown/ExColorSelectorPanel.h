// The colour panels the colour picker can show in its popup besides its list: the colour cube (a
// honeycomb of 127 hexagonal cells), the spectrum (a 128 x 128 hue and lightness picture with a
// swatch of the hot and of the selected colour) and the discrete grid of colour boxes (by default a
// palette of ten base colours, each with its five shades joined into one strip). Each panel paints
// itself, tracks a hot cell under the mouse, keeps a selected colour and reports a selection through
// an event.
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemPanel.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// The resource names of the spectrum picture and of the pointer shown over it.
inline const String SpectrumResourceName = u"NORV_SPECTRUM";
inline const String PointerCursorResourceName = u"NORV_POINTER";
// The cursor number the spectrum picture shows.
constexpr TCursor crNorvPointer = 54;

// Makes sure the bitmap resource "NORV_SPECTRUM" exists: a 128 x 128 picture, 24 bits per pixel,
// hue from left to right (red, yellow, green, cyan, blue, magenta, red), near white at the top,
// fully saturated in the middle row and near black at the bottom.
void RegisterSpectrumResource();
// The colour of the spectrum picture at (X, Y), 0 <= X, Y < 128.
TColor SpectrumColorAt(Integer X, Integer Y);

// The common base of the three panels.
class TExCustomColorSelectorPanel : public TCustomControl {
 public:
  explicit TExCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
  String ClassName() const override { return u"TExCustomColorSelectorPanel"; }
};

// --- The colour cube -------------------------------------------------------------------------------

struct TCubeCell {
  TPoint Center;
  TColor Color = clNone;
};

class TExColorCubePanel : public TExCustomColorSelectorPanel {
 public:
  static constexpr Integer CellCount = 127;

  explicit TExColorCubePanel(TComponent* AOwner);
  String ClassName() const override { return u"TExColorCubePanel"; }

  TColor SelectedColor() const { return FSelectedColor; }
  // Selects the first cell of that colour (no repaint); the colour is kept also when no cell has it.
  void SetSelectedColor(TColor Value) { SelectCell(Value, -1); }
  bool ShowRGBHint() const { return FShowRGBHint; }
  void SetShowRGBHint(bool Value);
  Integer SelectedIndex() const { return FSelectedIndex; }
  Integer HotIndex() const { return FHotIndex; }
  // Cell 1 .. 127.
  const TCubeCell& Cell(Integer Index) const { return FCubeCells[Index]; }
  TPoint CubeSize() const { return FCubeSize; }

  void InitCells();
  // Clears the hot cell and gives the panel its default size (182 x 160).
  void ResetCube();
  void SetDefaultSize();
  // The first cell whose centre lies within CubeSize.X of the point, -1 when none.
  Integer CellAtPos(Integer X, Integer Y) const;
  // Stores the colour; Cell 1 .. 127 becomes the selected cell, otherwise the first cell of that
  // colour (or none).
  void SelectCell(TColor Colour, Integer CellIndex);

  TNotifyEvent OnSelect;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void DrawHexagon(TCanvas* ACanvas, Integer X, Integer Y, Integer A, Integer B);
  void DrawCell(TCanvas* ACanvas, Integer Index);

  TCubeCell FCubeCells[CellCount + 1];
  TPoint FCubeSize{6, 3};
  TColor FSelectedColor = clNone;
  Integer FSelectedIndex = -1;
  Integer FHotIndex = -1;
  bool FShowRGBHint = true;
};

// --- The spectrum ----------------------------------------------------------------------------------

class TExColorSpectrumPanel : public TExCustomColorSelectorPanel {
 public:
  explicit TExColorSpectrumPanel(TComponent* AOwner);
  String ClassName() const override { return u"TExColorSpectrumPanel"; }

  TColor SelectedColor() const { return FSelectedColor; }
  // Stores the colour; no repaint.
  void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
  TColor HotColor() const { return FHotColor; }
  TImage* SpectrumImage() const { return FSpectrumImage; }
  const TRect& HotRect() const { return FHotRect; }
  const TRect& SelectedRect() const { return FSelectedRect; }

  // 150 x 174: the picture centred at the top, the two swatches under it; the hot colour cleared.
  void UpdateLayout();
  void SetDefaultSize();

  TNotifyEvent OnSelect;

 protected:
  void Paint() override;
  void DrawSwatch(TCanvas* ACanvas, const TRect& R, TColor Color);
  // Mouse over the picture, in picture coordinates.
  void SpectrumMouseMove(Integer X, Integer Y);
  void SpectrumMouseDown(Integer X, Integer Y);

  TImage* FSpectrumImage = nullptr;
  TColor FHotColor = clNone;
  TColor FSelectedColor = clWhite;
  TRect FHotRect;
  TRect FSelectedRect;
};

// --- The discrete grid -----------------------------------------------------------------------------

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxAppearance : public TPersistent {
 public:
  TColorBoxAppearance() = default;
  String ClassName() const override { return u"TColorBoxAppearance"; }
  void Assign(TPersistent* Source) override;
  // Loads the initial five colours.
  void LoadDefaults();

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor v) { FBorderColor = v; }
  TColor OuterBorderColorHot() const { return FOuterBorderColorHot; }
  void SetOuterBorderColorHot(TColor v) { FOuterBorderColorHot = v; }
  TColor InnerBorderColorHot() const { return FInnerBorderColorHot; }
  void SetInnerBorderColorHot(TColor v) { FInnerBorderColorHot = v; }
  TColor OuterBorderColorSelected() const { return FOuterBorderColorSelected; }
  void SetOuterBorderColorSelected(TColor v) { FOuterBorderColorSelected = v; }
  TColor InnerBorderColorSelected() const { return FInnerBorderColorSelected; }
  void SetInnerBorderColorSelected(TColor v) { FInnerBorderColorSelected = v; }

  // Never raised.
  TNotifyEvent OnChange;

 private:
  TColor FBorderColor = 0xC5C5C5;
  TColor FOuterBorderColorHot = 0x3694F2;
  TColor FInnerBorderColorHot = 0x94E2FF;
  TColor FOuterBorderColorSelected = 0x0000FF;
  TColor FInnerBorderColorSelected = 0x94E2FF;
};

class TColorBoxItem : public TCollectionItem {
 public:
  explicit TColorBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}
  String ClassName() const override { return u"TColorBoxItem"; }
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TItemPos ColorBoxPos() const { return FColorBoxPos; }
  void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const TRect& ItemRect() const { return FRect; }
  void SetItemRect(const TRect& R) { FRect = R; }

 private:
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect;
  TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TPickerItemsT<TColorBoxItem> {
 public:
  using TPickerItemsT::TPickerItemsT;
  String ClassName() const override { return u"TColorBoxItems"; }
};

// The grid of colour boxes: the item panel's rows with ColumnGap between the boxes and below a
// row holding a stand-alone box; from no selection, the previous box is none.
class TCustomColorSelector : public TItemPanelT<TExCustomColorSelectorPanel, TCustomColorSelector> {
 public:
  explicit TCustomColorSelector(TComponent* AOwner);
  ~TCustomColorSelector() override;
  String ClassName() const override { return u"TCustomColorSelector"; }

  TColorBoxItems* Items() const { return FItems.get(); }
  void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
  TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
  void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value);
  Integer ColumnGap() const { return FColumnGap; }
  void SetColumnGap(Integer Value);
  Integer ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value);
  Integer ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value);
  TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value);
  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);

  // The picker's keys (33 to 40) while the grid is enabled.
  void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);
  // Clears the boxes and adds the 60 colours of the default palette.
  void AddDefaultPalette();

  void DrawItem(Integer Index, TCanvas* ACanvas) override;
  void GetItemSize(TSize& Size) override;
  void UpdateLayout() override;
  void InvalidateItem(Integer Index) override;

 protected:
  void Paint() override;
  // The selected box's colour becomes SelectedColor.
  void ItemSelected(Integer Index) override;

  Integer FColumns = 10;
  Integer FColumnGap = 4;
  Integer FColorBoxHeight = 12;
  Integer FColorBoxWidth = 12;
  std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
  std::unique_ptr<TColorBoxItems> FItems;
  TSelectionColorStyle FItemColorStyle = scCustom;
  TColor FSelectedColor = clNone;
  bool FLaidOut = false;
};
