// The colour picker: a drop-down editor whose value is a colour. Its edit accepts no typing and
// paints the selected colour as a small box followed by a text (the entry's caption, or the colour
// value in a chosen notation). Its popup shows one of four controls chosen by ColorSelectionStyle:
// the item selector listing Colors (csList), the discrete colour-box grid (csDiscrete), the colour
// cube (csColorCube) or the spectrum (csSpectrum).
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExColorSelectorPanel.h"
#include "components/dropdown/ExListPicker.h"

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

// Paints the value in the edit in place of the picker: the edit window's canvas and the value's
// rectangle.
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

// The text of a colour in a notation: cvtNone empty; cvtHex the TColor value in upper-case
// hexadecimal, at least six digits (red reads 0000FF); cvtWebName the web colour name, else "#"
// and RRGGBB; cvtRGB "Red:r,Green:g,Blue:b"; cvtHTML "#RRGGBB". All but cvtHex resolve system
// colours first.
String ColorValueToText(TColor Color, TColorValueText Notation);
// The name of one of the sixteen named web colours ("red", "navy", ...), else "#RRGGBB".
String WebColorName(TColor Color);

class TColorItems;

class TColorItem : public TPickerItemT<TColorItems> {
 public:
  using TPickerItemT::TPickerItemT;
  String ClassName() const override { return u"TColorItem"; }
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }

 private:
  TColor FColor = clNone;
  TRect FRect;
  String FHint;
};

class TColorItems : public TPickerItemsT<TColorItem> {
 public:
  using TPickerItemsT::TPickerItemsT;
  String ClassName() const override { return u"TColorItems"; }
  void SetItems(Integer Index, TColorItem* Value) { SetItem(Index, Value); }
};

class TExColorPickerDropDown : public TListPickerDropDown {
 public:
  explicit TExColorPickerDropDown(TComponent* AOwner);
  ~TExColorPickerDropDown() override;
  String ClassName() const override { return u"TExColorPickerDropDown"; }
  void BeforeDestruction() override;

  TColorItems* Colors() const { return FColors.get(); }
  void SetColors(TColorItems* Value) { FColors->Assign(Value); }
  // Appends the sixteen standard colours ("Black" ... "White") without clearing.
  void AddDefaultColors();

  // Ignored at or beyond the number of colours; otherwise takes the entry's colour, repaints and
  // fires OnSelect (also for -1 and for an unchanged value).
  void SetItemIndex(Integer Value) override;
  TColor SelectedColor() const { return FSelectedColor; }
  // Selects the first entry of exactly that colour, or none.
  void SetSelectedColor(TColor Value);
  virtual String SelectedColorText() const;

  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }
  Integer ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value) { FColorBoxWidth = Value; }
  Integer ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value) { FColorBoxHeight = Value; }
  TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
  void SetColorSelectionStyle(TColorSelectionStyle Value);
  TColorValueText ColorValueText() const { return FColorValueText; }
  void SetColorValueText(TColorValueText Value) { FColorValueText = Value; }
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);

  // The popup controls, nullptr until first used (the list: ItemSelector).
  TCustomColorSelector* ColorSelector() const { return FColorSelector; }
  TExColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
  TExColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }

  TOnDrawSelectedItem OnDrawSelectedColor;
  TDrawItemEvent OnDrawColor;

  // Hooks.
  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool CancelChanges) override;
  void DropDownFormDestroyed() override;
  void SelectNextValue() override;
  void SelectPreviousValue() override;

 protected:
  void WMKeyDown(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void EnsureListSelector();
  void EnsurePalette();
  void EnsureCubePanel();
  void EnsureSpectrumPanel();
  // Creates and prepares the control of a style and makes it the hosted control.
  void PrepareStyleControl(TColorSelectionStyle Style);
  void HideOtherControls(TColorSelectionStyle Style);
  Integer EntryCount() const override { return FColors->Count(); }
  void UpdateList() override;
  // As SyncClosedList for the colour-box grid: a closed popup's grid takes the colour chosen since,
  // quietly.
  void SyncClosedGrid();
  void CopyColorsToList();
  void PaletteSelected(TObject* Sender);
  void CubeSelected(TObject* Sender);
  void SpectrumSelected(TObject* Sender);
  void ColorsChanged(TObject* /*Sender*/) {}
  // The selected colour's box and its text in the edit.
  void PaintValue() override;
  // Sizes the popup for the discrete, cube and spectrum styles (fixed by the control's size).
  void SizePopupToControl();
  TControl* StyleControl(TColorSelectionStyle Style) const;

  TExColorCubePanel* FColorCubePanel = nullptr;
  TExColorSpectrumPanel* FSpectrumPanel = nullptr;
  TCustomColorSelector* FColorSelector = nullptr;
  std::unique_ptr<TColorItems> FColors;
  Integer FColorBoxWidth = 14;
  Integer FColorBoxHeight = 14;
  TColorSelectionStyle FColorSelectionStyle = csList;
  TColor FSelectedColor = clNone;
  bool FShowText = true;
  TColor FOldSelectedColor = clNone;
  bool FDesignTime = false;
  TColorValueText FColorValueText = cvtNone;
  bool FDestroying = false;
  // While a panel's popup is open: the popup size the user left with the list, kept aside.
  bool FFixedSizeOpen = false;
  Integer FListUserWidth = -1;
  Integer FListUserHeight = -1;
};
