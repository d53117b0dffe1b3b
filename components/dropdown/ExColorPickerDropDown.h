// The colour picker: a drop-down editor whose value is a colour. Its edit accepts no typing and
// paints the selected colour as a small box followed by a text (the entry's caption, or the colour
// value in a chosen notation). Its popup shows one of four controls chosen by ColorSelectionStyle:
// the item selector listing Colors (csList), the discrete colour-box grid (csDiscrete), the colour
// cube (csColorCube) or the spectrum (csSpectrum).
#pragma once

#include <functional>
#include <memory>

#include "components/dropdown/ExColorSelectorPanel.h"
#include "components/dropdown/ExDropDown.h"
#include "components/dropdown/ExItemSelector.h"
#include "platform/gui/ExtCtrls.h"

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

class TColorItem : public TCollectionItem {
 public:
  explicit TColorItem(TCollection* Collection) : TCollectionItem(Collection) {}
  String ClassName() const override { return u"TColorItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

 private:
  String FCaption;
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect;
  String FHint;
};

class TColorItems : public TCollection {
 public:
  explicit TColorItems(TPersistent* AOwner);
  String ClassName() const override { return u"TColorItems"; }
  TColorItem* Add();
  TColorItem* Insert(Integer Index);
  TColorItem* Items(Integer Index) const;
  void SetItems(Integer Index, TColorItem* Value) { SetItem(Index, Value); }
  void DoChange();

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

class TExColorPickerDropDown : public TExCustomDropDown {
 public:
  explicit TExColorPickerDropDown(TComponent* AOwner);
  ~TExColorPickerDropDown() override;
  String ClassName() const override { return u"TExColorPickerDropDown"; }
  void BeforeDestruction() override;

  TColorItems* Colors() const { return FColors.get(); }
  void SetColors(TColorItems* Value) { FColors->Assign(Value); }
  // Appends the sixteen standard colours ("Black" ... "White") without clearing.
  void AddDefaultColors();

  Integer ItemIndex() const { return FItemIndex; }
  // Ignored at or beyond the number of colours; otherwise takes the entry's colour, repaints and
  // fires OnSelect (also for -1 and for an unchanged value).
  void SetItemIndex(Integer Value);
  TColor SelectedColor() const { return FSelectedColor; }
  // Selects the first entry of exactly that colour, or none.
  void SetSelectedColor(TColor Value);
  virtual String SelectedColorText() const;

  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  Integer ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value) { FColorBoxWidth = Value; }
  Integer ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value) { FColorBoxHeight = Value; }
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
  void SetColorSelectionStyle(TColorSelectionStyle Value);
  TColorValueText ColorValueText() const { return FColorValueText; }
  void SetColorValueText(TColorValueText Value) { FColorValueText = Value; }
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);

  // The popup controls, nullptr until first used.
  TExCustomItemSelector* ItemSelector() const { return FItemSelector; }
  TCustomColorSelector* ColorSelector() const { return FColorSelector; }
  TExColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
  TExColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
  // The typed search text and its timer.
  const String& CurSearch() const { return FCurSearch; }
  TTimer* KeyTimer() const { return FKeyTimer; }

  TNotifyEvent OnSelect;
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
  void PaintSelectedValue() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void SetComponentStyle(TNorvStyle AStyle) override;

 protected:
  void WMPaint(TMessage& M) override;
  void WMKeyDown(TMessage& M) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void EnsureListSelector();
  void EnsurePalette();
  void EnsureCubePanel();
  void EnsureSpectrumPanel();
  // Creates and prepares the control of a style and makes it the hosted control.
  void PrepareStyleControl(TColorSelectionStyle Style);
  void HideOtherControls(TColorSelectionStyle Style);
  void UpdateList();
  // Brings a closed popup's list up to the items and the selection before keys or the wheel
  // drive it: it is filled only when the popup is prepared, and both may have changed since.
  void SyncClosedList();
  // The same for the colour-box grid: a closed popup's grid takes the colour chosen since, quietly.
  void SyncClosedGrid();
  void CopyColorsToList();
  void ListItemSelected(TObject* Sender);
  void PaletteSelected(TObject* Sender);
  void CubeSelected(TObject* Sender);
  void SpectrumSelected(TObject* Sender);
  void ResetSearch(TObject* Sender);
  void ColorsChanged(TObject* /*Sender*/) {}
  void PaintSelectedColor();
  // Sizes the popup for the discrete, cube and spectrum styles (fixed by the control's size).
  void SizePopupToControl();
  // Widens the list's popup by the vertical scroll bar when the list shows it, and by the frame
  // when the popup takes the list's width.
  void WidenForList();
  // Selects Target in the list as the picker's own selection: the popup stays open.
  void ApplyListTarget(Integer Target);
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  TControl* StyleControl(TColorSelectionStyle Style) const;

  // The list keys shared with the other list picker.
  friend struct TPickerListKeys;

  TExCustomItemSelector* FItemSelector = nullptr;
  TExColorCubePanel* FColorCubePanel = nullptr;
  TExColorSpectrumPanel* FSpectrumPanel = nullptr;
  TCustomColorSelector* FColorSelector = nullptr;
  Integer FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TColorItems> FColors;
  Integer FItemIndex = -1;
  Integer FColorBoxWidth = 14;
  Integer FColorBoxHeight = 14;
  TColorSelectionStyle FColorSelectionStyle = csList;
  TColor FSelectedColor = clNone;
  bool FShowText = true;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTimer* FKeyTimer = nullptr;
  String FCurSearch;
  Integer FOldItemIndex = -1;
  TColor FOldSelectedColor = clNone;
  bool FDesignTime = false;
  TColorValueText FColorValueText = cvtNone;
  bool FDestroying = false;
  // While a panel's popup is open: the popup size the user left with the list, kept aside.
  bool FFixedSizeOpen = false;
  Integer FListUserWidth = -1;
  Integer FListUserHeight = -1;
};
