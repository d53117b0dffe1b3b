// The colour picker: its colours, the four popup controls, selection by entry and by colour, the
// value painted in the edit, and its keys.
#include "components/dropdown/ExColorPickerDropDown.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Colour notations

namespace {

String Hex2(Integer V) { return IntToHex(V & 0xFF, 2); }

String RRGGBB(Integer Rgb) { return Hex2(Rgb) + Hex2(Rgb >> 8) + Hex2(Rgb >> 16); }

struct TWebName {
  TColor Color;
  const char16_t* Name;
};

constexpr TWebName WebNames[] = {
    {0x000000, u"black"}, {0xC0C0C0, u"silver"}, {0x808080, u"gray"},    {0xFFFFFF, u"white"},
    {0x000080, u"maroon"}, {0x0000FF, u"red"},   {0x800080, u"purple"},  {0xFF00FF, u"fuchsia"},
    {0x008000, u"green"}, {0x00FF00, u"lime"},   {0x008080, u"olive"},   {0x00FFFF, u"yellow"},
    {0x800000, u"navy"},  {0xFF0000, u"blue"},   {0x808000, u"teal"},    {0xFFFF00, u"aqua"},
};

}  // namespace

String WebColorName(TColor Color) {
  const Integer rgb = ColorToRGB(Color);
  for (const TWebName& w : WebNames)
    if (w.Color == rgb) return w.Name;
  return u"#" + RRGGBB(rgb);
}

String ColorValueToText(TColor Color, TColorValueText Notation) {
  switch (Notation) {
    case cvtNone: return String();
    case cvtHex: return IntToHex(static_cast<Int64>(static_cast<uint32_t>(Color)), 6);
    case cvtWebName: return WebColorName(Color);
    case cvtRGB: {
      const Integer rgb = ColorToRGB(Color);
      return u"Red:" + IntToStr(GetRValue(rgb)) + u",Green:" + IntToStr(GetGValue(rgb)) + u",Blue:" +
             IntToStr(GetBValue(rgb));
    }
    case cvtHTML: return u"#" + RRGGBB(ColorToRGB(Color));
  }
  return String();
}

// ---------------------------------------------------------------------------------------------
// Colour items

void TColorItem::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TColorItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TColorItem*>(Source)) {
    SetCaption(src->FCaption);
    SetColor(src->FColor);
    FEnabled = src->FEnabled;
    FHint = src->FHint;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// Construction

TExColorPickerDropDown::TExColorPickerDropDown(TComponent* AOwner) : TListPickerDropDown(AOwner) {
  FColors = std::make_unique<TColorItems>(this);
  FColors->OnChange = [this](TObject* Sender) { ColorsChanged(Sender); };
  // The popup exists from construction, with the list of the initial style.
  CreateDropDownForm();
  SetEditorEnabled(false);
  SetDropDownHeight(200);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetCursor(crArrow);
  CreateKeyTimer();
}

TExColorPickerDropDown::~TExColorPickerDropDown() { FColors.reset(); }

void TExColorPickerDropDown::BeforeDestruction() {
  FDestroying = true;
  TListPickerDropDown::BeforeDestruction();
}

void TExColorPickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  TListPickerDropDown::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FColorSelector) FColorSelector = nullptr;
  if (AComponent == FColorCubePanel) FColorCubePanel = nullptr;
  if (AComponent == FSpectrumPanel) FSpectrumPanel = nullptr;
}

void TExColorPickerDropDown::AddDefaultColors() {
  static constexpr struct {
    const char16_t* Caption;
    TColor Color;
  } Defaults[] = {
      {u"Black", 0x000000},  {u"Maroon", 0x000080}, {u"Green", 0x008000},  {u"Olive", 0x008080},
      {u"Navy", 0x800000},   {u"Purple", 0x800080}, {u"Teal", 0x808000},   {u"Gray", 0x808080},
      {u"Silver", 0xC0C0C0}, {u"Red", 0x0000FF},    {u"Lime", 0x00FF00},   {u"Yellow", 0x00FFFF},
      {u"Blue", 0xFF0000},   {u"Fuchsia", 0xFF00FF}, {u"Aqua", 0xFFFF00},  {u"White", 0xFFFFFF},
  };
  for (const auto& d : Defaults) {
    TColorItem* item = FColors->Add();
    item->SetCaption(d.Caption);
    item->SetColor(d.Color);
  }
}

// ---------------------------------------------------------------------------------------------
// The popup controls

TControl* TExColorPickerDropDown::StyleControl(TColorSelectionStyle Style) const {
  switch (Style) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    case csSpectrum: return FSpectrumPanel;
  }
  return nullptr;
}

void TExColorPickerDropDown::EnsureListSelector() { PlaceListSelector(stColor); }

void TExColorPickerDropDown::EnsurePalette() {
  if (!DropDownForm()) return;
  if (!FColorSelector) {
    FColorSelector = new TCustomColorSelector(this);
    FColorSelector->SetParent(DropDownForm());
    FColorSelector->AddDefaultPalette();
    FColorSelector->SetBounds(0, 0, FColorSelector->Width(), FColorSelector->Height());
  }
  FColorSelector->SetColor(DropDownColor());
  FColorSelector->UpdateLayout();
  SetControl(FColorSelector);
}

void TExColorPickerDropDown::EnsureCubePanel() {
  if (!DropDownForm()) return;
  if (!FColorCubePanel) {
    FColorCubePanel = new TExColorCubePanel(this);
    FColorCubePanel->SetParent(DropDownForm());
    FColorCubePanel->SetBounds(0, 0, FColorCubePanel->Width(), FColorCubePanel->Height());
  }
  FColorCubePanel->SetColor(DropDownColor());
  SetControl(FColorCubePanel);
}

void TExColorPickerDropDown::EnsureSpectrumPanel() {
  if (!DropDownForm()) return;
  if (!FSpectrumPanel) {
    FSpectrumPanel = new TExColorSpectrumPanel(this);
    FSpectrumPanel->SetParent(DropDownForm());
    FSpectrumPanel->SetBounds(0, 0, FSpectrumPanel->Width(), FSpectrumPanel->Height());
  }
  FSpectrumPanel->SetColor(DropDownColor());
  SetControl(FSpectrumPanel);
}

void TExColorPickerDropDown::CreateDropDownForm() {
  TExCustomDropDown::CreateDropDownForm();
  switch (FColorSelectionStyle) {
    case csList: EnsureListSelector(); break;
    case csDiscrete: EnsurePalette(); break;
    case csColorCube: EnsureCubePanel(); break;
    case csSpectrum: EnsureSpectrumPanel(); break;
  }
}

void TExColorPickerDropDown::CopyColorsToList() {
  TSelectorItems* items = FItemSelector->Items();
  items->Clear();
  for (Integer i = 0; i < FColors->Count(); ++i) {
    TColorItem* c = FColors->Items(i);
    TSelectorItem* item = items->Add();
    item->SetCaption(c->Caption());
    item->SetColor(c->Color());
    item->SetHint(c->Hint());
  }
}

void TExColorPickerDropDown::UpdateList() {
  if (!FItemSelector) return;
  BeginListUpdate(FColumns);
  CopyColorsToList();
  FItemSelector->SetColorBoxHeight(FColorBoxHeight);
  FItemSelector->SetColorBoxWidth(FColorBoxWidth);
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FinishListUpdate();
  FItemSelector->SetShowHint(ShowHint());
}

void TExColorPickerDropDown::SyncClosedGrid() {
  if (!FColorSelector || DroppedDown()) return;
  const TNotifyEvent selected = FColorSelector->OnItemSelect;
  FColorSelector->OnItemSelect = nullptr;
  FColorSelector->SetSelectedColor(FSelectedColor);
  FColorSelector->OnItemSelect = selected;
}

void TExColorPickerDropDown::HideOtherControls(TColorSelectionStyle Style) {
  for (TColorSelectionStyle s : {csList, csDiscrete, csColorCube, csSpectrum})
    if (s != Style)
      if (TControl* c = StyleControl(s)) c->SetVisible(false);
}

void TExColorPickerDropDown::PrepareStyleControl(TColorSelectionStyle Style) {
  switch (Style) {
    case csList:
      EnsureListSelector();
      UpdateList();
      DrawListItemsBy(&OnDrawColor);
      FOldItemIndex = FItemIndex;
      break;
    case csDiscrete:
      EnsurePalette();
      if (FColorSelector) {
        // The panels size themselves; the popup is sized from them before they fill it.
        FColorSelector->SetAlign(alNone);
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->UpdateLayout();
        FColorSelector->OnItemSelect = [this](TObject* Sender) { PaletteSelected(Sender); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        FColorSelector->SetVisible(true);
      }
      break;
    case csColorCube:
      EnsureCubePanel();
      if (FColorCubePanel) {
        FColorCubePanel->SetAlign(alNone);
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCells();
        FColorCubePanel->ResetCube();
        FColorCubePanel->OnSelect = [this](TObject* Sender) { CubeSelected(Sender); };
        FColorCubePanel->SetVisible(true);
      }
      break;
    case csSpectrum:
      EnsureSpectrumPanel();
      if (FSpectrumPanel) {
        FSpectrumPanel->SetAlign(alNone);
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->UpdateLayout();
        FSpectrumPanel->OnSelect = [this](TObject* Sender) { SpectrumSelected(Sender); };
        FSpectrumPanel->SetVisible(true);
      }
      break;
  }
  HideOtherControls(Style);
}

void TExColorPickerDropDown::BeforeDropDown() {
  TExCustomDropDown::BeforeDropDown();
  PrepareStyleControl(FColorSelectionStyle);
  if (FColorSelectionStyle == csList && FItemSelector) FItemSelector->SetVisible(true);
  FOldSelectedColor = FSelectedColor;
}

void TExColorPickerDropDown::PlaceDropDownControl() {
  TExCustomDropDown::PlaceDropDownControl();
  if (FColorSelectionStyle != csList && DropDownForm()) {
    DropDownForm()->SetSizeable(false);
    // The panels' popups have their panel's size: a size the user left with the list does not
    // apply to them (it is given back when the popup closes).
    if (!FFixedSizeOpen) {
      FListUserWidth = FUserDropDownWidth;
      FListUserHeight = FUserDropDownHeight;
      FFixedSizeOpen = true;
    }
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
  }
}

void TExColorPickerDropDown::SizePopupToControl() {
  TDropDownForm* form = DropDownForm();
  if (!form) return;
  TControl* c = Control();
  if (c) c->SetAlign(alNone);
  const bool visible = c && c->Visible();
  const Integer border = DropDownBorderWidth();
  const Integer width = visible ? c->Width() + 2 * border : Width();
  Integer height = 2 * border;
  if (DropDownHeader()->Visible()) height += DropDownHeader()->Height();
  if (DropDownFooter()->Visible()) height += DropDownFooter()->Height();
  if (visible) height += c->Height();
  form->SetBounds(form->Left(), form->Top(), width, height);
}

void TExColorPickerDropDown::UpdateDropDownSize() {
  if (FColorSelectionStyle != csList) {
    SizePopupToControl();
    return;
  }
  FitListToPanel();
  TExCustomDropDown::UpdateDropDownSize();
  WidenForList();
}

void TExColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value) {
  if (Value == FColorSelectionStyle) return;
  FColorSelectionStyle = Value;
  if (HasState(csDesigning)) return;
  TDropDownForm* form = DropDownForm();
  if (Value == csList) {
    PrepareStyleControl(csList);
    if (FItemSelector && form) {
      FItemSelector->SetVisible(true);
      FitListToPanel();
      TExCustomDropDown::UpdateDropDownSize();
      WidenForList();
      FItemSelector->SetAlign(alClient);
    }
  } else {
    PrepareStyleControl(Value);
    if (TControl* c = StyleControl(Value)) c->SetAlign(alNone);
    if (FItemSelector) FItemSelector->SetVisible(false);
  }
  FOldSelectedColor = FSelectedColor;
  if (Value != csList && form) {
    if (TControl* c = StyleControl(Value)) {
      c->SetAlign(alNone);
      SizePopupToControl();
      c->SetAlign(alClient);
    }
  }
  if (form) form->Invalidate();
}

void TExColorPickerDropDown::DoHideDropDown(bool CancelChanges) {
  TDropDownForm* form = DropDownForm();
  const bool wasVisible = form && form->Visible();
  TExCustomDropDown::DoHideDropDown(CancelChanges);
  if (wasVisible && FFixedSizeOpen) {
    FUserDropDownWidth = FListUserWidth;
    FUserDropDownHeight = FListUserHeight;
    FFixedSizeOpen = false;
  }
  if (!CancelChanges || !wasVisible) return;
  if (FColorSelectionStyle == csList && FItemSelector) {
    SetItemIndex(FOldItemIndex);
    // A colour that was no entry of the list comes back too, not the entry moved to meanwhile.
    if (FOldItemIndex < 0 && FSelectedColor != FOldSelectedColor) {
      FSelectedColor = FOldSelectedColor;
      Invalidate();
    }
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    FColorSelector->SetSelectedColor(FOldSelectedColor);
    // The grid has no box of a colour chosen elsewhere: the picker takes it back itself.
    if (FSelectedColor != FOldSelectedColor) SetSelectedColor(FOldSelectedColor);
  }
}

void TExColorPickerDropDown::DropDownFormDestroyed() {
  TExCustomDropDown::DropDownFormDestroyed();
  if (FDestroying) return;
  FItemSelector = nullptr;
  FColorSelector = nullptr;
  FColorCubePanel = nullptr;
  FSpectrumPanel = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Choosing

void TExColorPickerDropDown::PaletteSelected(TObject* /*Sender*/) {
  if (!FColorSelector) return;
  SetSelectedColor(FColorSelector->SelectedColor());
  SetItemIndex(-1);
  if (!FInternalCall) DoHideDropDown(false);
}

void TExColorPickerDropDown::CubeSelected(TObject* /*Sender*/) {
  if (!FColorCubePanel) return;
  SetSelectedColor(FColorCubePanel->SelectedColor());
  SetItemIndex(-1);
  DoHideDropDown(false);
}

void TExColorPickerDropDown::SpectrumSelected(TObject* /*Sender*/) {
  if (!FSpectrumPanel) return;
  SetSelectedColor(FSpectrumPanel->SelectedColor());
  SetItemIndex(-1);
  DoHideDropDown(false);
}

void TExColorPickerDropDown::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FColors->Count()) return;
  FItemIndex = Value;
  if (Value >= 0) FSelectedColor = FColors->Items(Value)->Color();
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TExColorPickerDropDown::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor) return;
  FSelectedColor = Value;
  Integer found = -1;
  for (Integer i = 0; i < FColors->Count(); ++i)
    if (FColors->Items(i)->Color() == Value) {
      found = i;
      break;
    }
  SetItemIndex(found);
  Invalidate();
}

String TExColorPickerDropDown::SelectedColorText() const {
  if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
    return FColors->Items(FItemIndex)->Caption();
  return ColorValueToText(FSelectedColor, FColorValueText);
}

void TExColorPickerDropDown::SetShowText(bool Value) {
  if (Value == FShowText) return;
  FShowText = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Hooks: wheel, painting

void TExColorPickerDropDown::SelectNextValue() {
  if (!Enabled() || ReadOnly()) return;
  if (FColorSelectionStyle == csList && FItemSelector) {
    WheelStep(true);
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    if (DroppedDown()) {
      FColorSelector->HotNext();
    } else {
      FInternalCall = true;
      SyncClosedGrid();
      FColorSelector->SelectNext();
      FInternalCall = false;
    }
  }
}

void TExColorPickerDropDown::SelectPreviousValue() {
  if (!Enabled() || ReadOnly()) return;
  if (FColorSelectionStyle == csList && FItemSelector) {
    WheelStep(false);
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    if (DroppedDown()) {
      FColorSelector->HotPrevious();
    } else {
      FInternalCall = true;
      SyncClosedGrid();
      FColorSelector->SelectPrevious();
      FInternalCall = false;
    }
  }
}

void TExColorPickerDropDown::PaintValue() {
  TCanvas* c = FWindowImage.Canvas(this);
  TRect R = Rect(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
  if (OnDrawSelectedColor) {
    OnDrawSelectedColor(this, c, R);
    return;
  }
  const TRect box = Bounds(R.Left + 4, R.Top + (Height() - FColorBoxHeight) / 2, FColorBoxWidth, FColorBoxHeight);
  if (FSelectedColor != clNone) {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FSelectedColor);
    c->Rectangle(box);
  }
  if (!FShowText) return;
  const bool focused = Focused();
  c->Font()->Assign(Font());
  if (!EditorEnabled() && focused) c->Font()->SetColor(clHighlightText);
  TRect T = Rect(box.Right + 4, R.Top, R.Right, R.Bottom);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(focused ? clHighlight : Color());
  c->FillRect(T);
  c->Brush()->SetStyle(bsClear);
  DrawText(c, SelectedColorText(), T, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TExColorPickerDropDown::WMKeyDown(TMessage& M) {
  TWMKey k{M};
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  // 1. Enter in the open popup takes the hot entry or box.
  bool enterHandled = FColorSelectionStyle == csList && TakeHotEntry(k.CharCode());
  if (Enabled() && DroppedDown() && k.CharCode() == VK_RETURN && FColorSelectionStyle == csDiscrete &&
      FColorSelector && FColorSelector->ItemHot() >= 0) {
    FColorSelector->SetItemIndex(FColorSelector->ItemHot());
    enterHandled = true;
  }
  const Word key = k.CharCode();
  // 2. The base's handling.
  TExCustomDropDown::WMKeyDown(M);
  if (!Enabled() || alt) return;
  // 3. The list.
  if (FColorSelectionStyle == csList) {
    ListKey(key, ctrl, enterHandled);
    return;
  }
  // 4. The grid.
  if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    FInternalCall = true;
    SyncClosedGrid();
    FColorSelector->HandleKey(key, EditorEnabled(), DroppedDown());
    FInternalCall = false;
    if (key == VK_RETURN && !enterHandled && OnSelect) OnSelect(this);
  }
}
