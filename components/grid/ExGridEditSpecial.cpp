// The special editors of the string grid: placing an editor control over the cell with the cell's
// value, reading the value back when the edit ends, the editors made on first use and the small
// handlers through which the controls report to the grid.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDropDowns.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/grid/ExGridRichEdit.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The integer at the start of a text: the digits (after an optional sign) up to the first other
// character; 0 when there are none.
Integer LeadingInteger(const String& S) {
  const String t = Trim(S);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
    negative = t[i] == u'-';
    ++i;
  }
  Int64 v = 0;
  for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
    v = v * 10 + (t[i] - u'0');
    if (v > 0x7FFFFFFF) break;
  }
  v = std::min<Int64>(v, 0x7FFFFFFF);
  return static_cast<Integer>(negative ? -v : v);
}

bool IsFlatLook(TGridLook L) {
  switch (L) {
    case glSoft:
    case glNorv:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007: return true;
    default: return false;
  }
}

String DateTimeCellFormat() { return FormatSettings.ShortDateFormat + u" " + FormatSettings.ShortTimeFormat; }

// The editor types edited with a drop-down control (the track bar up to the grid drop-down, in
// that order).
bool IsDropDownEditor(TEditorType T) { return T >= edTrackbarDropDown && T <= edExGridDropDown; }

}  // namespace

// --- Editors made on first use --------------------------------------------------------------------------

TGridSpin* TExStringGrid::SpinEdit() {
  if (!FEditSpin) {
    FEditSpin = new TGridSpin(this);
    FEditSpin->SetVisible(false);
    FEditSpin->SetParent(this);
    FEditSpin->SetEnabled(false);
    FEditSpin->SetBorderStyle(bsNone);
    FEditSpin->SetWinXPLook(FIsWinXP);
  }
  return FEditSpin;
}

TGridDatePicker* TExStringGrid::DateTimePicker() {
  if (!FEditDate) {
    FEditDate = new TGridDatePicker(this);
    FEditDate->SetVisible(false);
    FEditDate->SetParent(this);
    FEditDate->SetEnabled(false);
    FEditDate->OnCloseUp = [this](TObject* Sender) { DoDatePickerCloseUp(Sender); };
    FEditDate->OnDropDown = [this](TObject* Sender) { DoDatePickerDropDown(Sender); };
    FEditDate->OnChange = [this](TObject* Sender) { DoDatePickerEditChange(Sender); };
  }
  return FEditDate;
}

TGridDateTimePicker* TExStringGrid::DateAndTimePicker() {
  if (!FEditDateTime) {
    FEditDateTime = new TGridDateTimePicker(this);
    FEditDateTime->SetVisible(false);
    FEditDateTime->SetParent(this);
    FEditDateTime->SetEnabled(false);
    FEditDateTime->SetAutoTab(true);
    FEditDateTime->OnCloseUp = [this](TObject* Sender) { DoDatePickerCloseUp(Sender); };
    FEditDateTime->OnTimeChange = [this](TObject* Sender) { DoDateTimeChange(Sender); };
  }
  return FEditDateTime;
}

namespace {

// A new drop-down editor: hidden, with the grid's style and tones.
template <class T>
T* MakeDropDown(TExStringGrid* Grid, TNorvStyle Style, const TColorTones& Tones) {
  T* dd = new T(Grid);
  dd->SetVisible(false);
  dd->SetParent(Grid);
  dd->SetComponentStyle(Style);
  dd->SetColorTones(Tones);
  return dd;
}

}  // namespace

TGridTrackbarDropDown* TExStringGrid::TrackbarDropDown() {
  if (!FEditTrackBar) {
    FEditTrackBar = MakeDropDown<TGridTrackbarDropDown>(this, FStyle, FTones);
    FEditTrackBar->SetEditorEnabled(true);
  }
  return FEditTrackBar;
}

TGridMemoDropDown* TExStringGrid::MemoDropDown() {
  if (!FEditMemo) {
    FEditMemo = MakeDropDown<TGridMemoDropDown>(this, FStyle, FTones);
    FEditMemo->OnMemoChange = [this](TObject* Sender) { MemoDropDownChange(Sender); };
  }
  return FEditMemo;
}

TGridCalculatorDropDown* TExStringGrid::CalculatorDropDown() {
  if (!FEditCalculator) {
    FEditCalculator = MakeDropDown<TGridCalculatorDropDown>(this, FStyle, FTones);
    FEditCalculator->SetEditorEnabled(true);
  }
  return FEditCalculator;
}

TGridTimepickerDropDown* TExStringGrid::TimePickerDropDown() {
  if (!FEditTimePicker) FEditTimePicker = MakeDropDown<TGridTimepickerDropDown>(this, FStyle, FTones);
  return FEditTimePicker;
}

TGridDetailPickerDropDown* TExStringGrid::DetailPickerDropDown() {
  if (!FEditDetailPicker) FEditDetailPicker = MakeDropDown<TGridDetailPickerDropDown>(this, FStyle, FTones);
  return FEditDetailPicker;
}

TGridGridDropDown* TExStringGrid::GridDropDown() {
  if (!FEditGridPicker) FEditGridPicker = MakeDropDown<TGridGridDropDown>(this, FStyle, FTones);
  return FEditGridPicker;
}

TGridColorDropDown* TExStringGrid::ColorPickerDropDown() {
  if (!FEditColorPicker) {
    FEditColorPicker = MakeDropDown<TGridColorDropDown>(this, FStyle, FTones);
    FEditColorPicker->AddDefaultColors();
    FEditColorPicker->OnSelect = [this](TObject*) {
      ColorSelect(RealColIndex(Col()), Row(), FEditColorPicker->SelectedColor(),
                  FEditColorPicker->SelectedColorText());
    };
  }
  return FEditColorPicker;
}

TGridImageDropDown* TExStringGrid::ImagePickerDropDown() {
  if (!FEditImagePicker) {
    FEditImagePicker = MakeDropDown<TGridImageDropDown>(this, FStyle, FTones);
    FEditImagePicker->OnSelect = [this](TObject*) {
      ImageSelect(RealColIndex(Col()), Row(), FEditImagePicker->ImageIndex());
    };
  }
  return FEditImagePicker;
}

TGridExGridDropDown* TExStringGrid::ExGridDropDown() {
  if (!FEditExGridPicker) FEditExGridPicker = MakeDropDown<TGridExGridDropDown>(this, FStyle, FTones);
  return FEditExGridPicker;
}

TExRichEdit* TExStringGrid::RichEdit() {
  if (!FRichEdit) {
    FRichEdit = new TExRichEdit(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetParent(this);
    FRichEdit->SetBounds(0, 0, 0, 0);
    FRichEdit->SetBorderStyle(bsNone);
  }
  return FRichEdit;
}

TExRichEdit* TExStringGrid::InplaceRichEdit() {
  if (!FInplaceRichEdit) {
    FInplaceRichEdit = new TExRichEdit(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetParent(this);
  }
  return FInplaceRichEdit;
}

TExCustomDropDown* TExStringGrid::DropDownOf(TEditorType AType) {
  switch (AType) {
    case edTrackbarDropDown: return TrackbarDropDown();
    case edMemoDropDown: return MemoDropDown();
    case edCalculatorDropDown: return CalculatorDropDown();
    case edTimePickerDropDown: return TimePickerDropDown();
    case edDetailDropDown: return DetailPickerDropDown();
    case edGridDropDown: return GridDropDown();
    case edColorPickerDropDown: return ColorPickerDropDown();
    case edImagePickerDropDown: return ImagePickerDropDown();
    case edExGridDropDown: return ExGridDropDown();
    default: return nullptr;
  }
}

// --- Handlers of the editor controls ---------------------------------------------------------------

void TExStringGrid::DoDateTimeChange(TObject* Sender) {
  auto* picker = dynamic_cast<TGridDateTimePicker*>(Sender);
  if (picker && OnDateTimeChange) OnDateTimeChange(this, Col(), Row(), picker->DateTime());
}

void TExStringGrid::DoDatePickerEditChange(TObject* Sender) {
  auto* picker = dynamic_cast<TDateTimePicker*>(Sender);
  if (!picker || !OnEditChange) return;
  const String text = picker->Kind() == dtkTime ? TimeToStr(picker->Time()) : DateToStr(picker->Date());
  OnEditChange(this, Col(), Row(), text);
}

void TExStringGrid::DoDatePickerCloseUp(TObject* Sender) {
  (void)Sender;
  if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, Row(), Col());
  if (FMouseActions->DirectDateClose()) HideInplaceEdit();
}

void TExStringGrid::DoDatePickerDropDown(TObject* Sender) {
  // This platform's picker has no month calendar to style: the drop-down is only reported.
  (void)Sender;
  if (OnDatePickerDropDown) OnDatePickerDropDown(this, Row(), Col());
}

void TExStringGrid::DropDownHeaderButtonClick(TObject* Sender, Integer ButtonIndex) {
  if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(Sender, Col(), Row(), ButtonIndex);
}

void TExStringGrid::DropDownFooterButtonClick(TObject* Sender, Integer ButtonIndex) {
  if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(Sender, Col(), Row(), ButtonIndex);
}

namespace {

// The memo's lines as one text: joined by line breaks, without a break after the last line.
String MemoLinesText(TStrings* Lines) {
  String text = Lines->Text();
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0) text.resize(text.size() - 2);
  return text;
}

}  // namespace

void TExStringGrid::MemoDropDownChange(TObject* Sender) {
  (void)Sender;
  if (FEditMemo) SetEditText(Col(), Row(), MemoLinesText(FEditMemo->MemoText()));
}

void TExStringGrid::UnitChanged(TObject* Sender, const String& NewUnit) {
  if (OnUnitChanged) OnUnitChanged(Sender, Col(), Row(), NewUnit);
}

void TExStringGrid::EditControlWndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
    return;
  }
  TWinControl* ctrl = FEditLink ? FEditLink->GetEditControl() : nullptr;
  if (FEditLinkSavedWndProc)
    FEditLinkSavedWndProc(Message);
  else if (ctrl)
    ctrl->WndProc(Message);
}

void TExStringGrid::HideCellEdit() { CommitSpecialEditor(Col(), Row()); }

void TExStringGrid::ShowCellEdit() { SendMessage(Handle(), WM_KEYDOWN, VK_F2, 0); }

// --- Showing ---------------------------------------------------------------------------------------------

void TExStringGrid::PrepareDropDown(TExCustomDropDown* DD, TRect R) {
  if (FControlLook) {
    if (FControlLook->DropDownFooter()) DD->SetDropDownFooter(FControlLook->DropDownFooter());
    if (FControlLook->DropDownHeader()) DD->SetDropDownHeader(FControlLook->DropDownHeader());
  }
  DD->SetComponentStyle(FStyle);
  DD->OnDropDownHeaderButtonClick = [this](TObject* Sender, Integer Index) { DropDownHeaderButtonClick(Sender, Index); };
  DD->OnDropDownFooterButtonClick = [this](TObject* Sender, Integer Index) { DropDownFooterButtonClick(Sender, Index); };
  DD->SetBounds(R.Left, R.Top, 0, 0);
  DD->SetEnabled(true);
  DD->SetBorderStyle(bsNone);
  DD->SetBounds(R.Left, R.Top, std::max(0, R.Right - R.Left - 1), std::max(0, R.Bottom - R.Top - 1));
}

// Shows the special editor of EditControl over the cell (ACol a display column): the cell's look,
// the editor loaded with the cell's value, then placed, shown and focused.
void TExStringGrid::ShowSpecialEditor(Integer ACol, Integer ARow) {
  FEditing = true;
  FSpecialEditor = true;
  FEditActive = true;
  const TRect R = CellRect(ACol, ARow);
  const Integer rc = DisplayToRealCol(ACol);
  TFont font;
  const TColor BC = SpecialEditorLook(rc, font);

  FGridState = gsNormal;
  EditCtrl = nullptr;
  if (EditControl != edCustom) FLastValidation = true;
  const String text = GetEditText(ACol, ARow);

  if (EditControl == edCustom) {
    if (FEditLink) ShowEditLink(rc, ARow, R, BC, &font);
    FStartEditChar = 0;
    return;
  }
  const TSpecialEditorShow S = LoadSpecialEditor(ACol, ARow, R, BC, text);
  if (S.Ctrl) PlaceSpecialEditor(S, R, BC);
  FStartEditChar = 0;
}

// The cell's colour and font as the editor shows them; answers the background colour.
TColor TExStringGrid::SpecialEditorLook(Integer RCol, TFont& AFont) {
  TBrush brush;
  brush.SetColor(Color());
  AFont.Assign(Font());
  TGridDrawState state;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = WordWrap();
  TCellGradientDirection gd = GradientVertical;
  GetVisualProperties(RCol, Row(), state, false, false, false, &brush, colorTo, mirror, mirrorTo, &AFont, ha, va, ww,
                      gd);
  return brush.Color();
}

// The editor control of EditControl loaded with the cell's text, by editor kind; no control when
// the kind has none here.
TExStringGrid::TSpecialEditorShow TExStringGrid::LoadSpecialEditor(Integer ACol, Integer ARow, const TRect& R,
                                                                   TColor BC, const String& Text) {
  TSpecialEditorShow S;
  const Integer rc = DisplayToRealCol(ACol);
  const Integer H = std::max(0, R.Bottom - R.Top - 1);
  switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: LoadSpinEditor(S, rc, ARow, Text); break;
    case edComboEdit:
    case edComboList: LoadComboEditor(S, ACol, ARow, Text); break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: LoadEditBtnEditor(S, ACol, ARow, H, Text); break;
    case edCheckBox:
      if (TGridCheckBox* cb = EditCheck) {
        cb->ReCreate();
        cb->SetCaption(Text);
        cb->SetChecked(false);
        S.Ctrl = cb;
        S.StartChar = false;
        S.EditCtrlSet = false;
      }
      break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
      if (DateTimePickerSupported) LoadDateEditor(S, rc, ARow, Text);
      break;
    case edButton:
      if (TGridButton* b = GridButton) {
        b->ReCreate();
        b->SetBounds(R.Left - 1, R.Top - 1, std::max(0, R.Right - R.Left - 1) + 2, H + 2);
        b->SetCaption(Text);
        S.Ctrl = b;
        S.PlaceDefault = false;
        S.StartChar = false;
      }
      break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
      if (TGridUnitEditBtn* ub = UnitEditBtn) {
        ub->ReCreate();
        GetEditorProp(rc, ARow, FEditLink);
        ub->SetMaxLength(FMaxEditLength);
        ub->SetUnitID(String());
        ub->SetText(String());
        ub->SetText(Text);
        ub->SetTextAndUnit(Text);
        S.Ctrl = ub;
        S.AfterFocus = [ub, H] { ub->SetHeight(H); };
      }
      break;
    case edRichEdit: LoadRichEditor(S, rc, ARow, R); break;
    case edDateTimeEdit:
      if (DateTimePickerSupported) LoadDateTimeEditor(S, rc, ARow, H, Text);
      break;
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edExGridDropDown: {
      TExCustomDropDown* dd = DropDownOf(EditControl);
      PrepareDropDown(dd, R);
      LoadDropDownValue(rc, ARow, BC, Text);
      S.Ctrl = dd;
      S.PlaceDefault = false;
      S.AfterFocus = [this, dd] {
        if (FMouseActions->DirectComboDrop()) dd->ShowDropDown();
      };
      break;
    }
    default: break;
  }
  return S;
}

// Places the editor over the cell (unless it placed itself), shows, colours and focuses it,
// then passes it the character that started the edit.
void TExStringGrid::PlaceSpecialEditor(const TSpecialEditorShow& S, const TRect& R, TColor BC) {
  TWinControl* ctrl = S.Ctrl;
  if (S.PlaceDefault)
    ctrl->SetBounds(R.Left, R.Top, std::max(0, R.Right - R.Left - 1), std::max(0, R.Bottom - R.Top - 1));
  ctrl->SetVisible(true);
  ctrl->SetEnabled(true);
  ctrl->SetColor(BC);
  if (ctrl->CanFocus()) ctrl->SetFocus();
  if (S.AfterFocus) S.AfterFocus();
  if (S.StartChar && FStartEditChar != 0) PostMessage(ctrl->Handle(), WM_CHAR, FStartEditChar, 0);
  if (S.EditCtrlSet) EditCtrl = ctrl;
  EditMode = true;
}

// The spin editors: a whole number, a number read with either decimal separator, a time or a
// date (today when the text is none); a press on an always-visible spin button steps it.
void TExStringGrid::LoadSpinEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const String& Text) {
  TGridSpin* spin = SpinEdit();
  spin->ReCreate();
  spin->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
  GetEditorProp(RCol, ARow, FEditLink);
  switch (EditControl) {
    case edSpinEdit:
      spin->SetSpinType(sptNormal);
      spin->SetText(IntToStr(LeadingInteger(Text)));
      break;
    case edFloatSpinEdit: {
      spin->SetSpinType(sptFloat);
      double v = 0;
      TFormatSettings dot = FormatSettings;
      dot.DecimalSeparator = u'.';
      if (!TryStrToFloat(NormalizeNumberText(Text), v, dot)) v = 0;
      spin->SetFloatValue(v);
      break;
    }
    case edTimeSpinEdit:
      spin->SetSpinType(sptTime);
      spin->SetText(Text);
      break;
    default: {
      spin->SetSpinType(sptDate);
      TDateTime d = 0;
      if (Trim(Text).empty() || !TryStrToDate(Text, d)) d = Now();
      spin->SetDateValue(d);
      break;
    }
  }
  S.Ctrl = spin;
  S.AfterFocus = [this, spin] {
    if (FSpinUpClick) spin->StepUp(false);
    if (FSpinDnClick) spin->StepDown(false);
    FSpinUpClick = false;
    FSpinDnClick = false;
  };
}

// The combo editors: the application fills the items for the cell; a pick list selects the
// cell's text, else the remembered or the first item (and reports it once focused); an edit
// combo takes the text.
void TExStringGrid::LoadComboEditor(TSpecialEditorShow& S, Integer ACol, Integer ARow, const String& Text) {
  TGridCombo* combo = EditCombo;
  if (!combo) return;
  const Integer rc = DisplayToRealCol(ACol);
  const bool list = EditControl == edComboList;
  combo->SetStyle(list ? csDropDownList : csDropDown);
  GetEditorProp(rc, ARow, FEditLink);
  combo->SetDropDownCount(FControlLook ? FControlLook->DropDownCount() : 8);
  combo->SetDroppedDown(false);
  bool reportFirst = false;
  if (list) {
    Integer i = combo->Items()->IndexOf(Text);
    if (i >= 0) {
      combo->SetItemIndex(i);
    } else if (FComboIdx == -1) {
      i = combo->Items()->IndexOf(GetEditText(ACol, ARow));
      if (i < 0 && combo->Items()->Count() > 0) i = 0;
      combo->SetItemIndex(i);
      reportFirst = combo->Items()->Count() > 0;
    } else {
      combo->SetItemIndex(FComboIdx);
    }
  } else {
    combo->SetText(Text);
    if (FComboIdx != -1 && combo->ItemIndex() < 0) combo->SetItemIndex(FComboIdx);
    combo->SetMaxLength(FMaxComboLength);
  }
  const bool flat = IsFlatLook(FLook);
  combo->SetFlat(flat);
  combo->SetEtched(flat);
  if (FNavigation->AutoComboDropSize())
    combo->SizeDropDownWidth();
  else if (combo->DropWidth() > 0)
    combo->Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(combo->DropWidth()), 0);
  S.Ctrl = combo;
  S.AfterFocus = [this, combo, rc, ARow, reportFirst] {
    if (reportFirst) {
      // A pick list opened on a text it does not hold shows the item it selected instead.
      const Integer i = combo->ItemIndex();
      const String s = i >= 0 ? combo->Items()->Strings(i) : String();
      TObject* o = i >= 0 ? combo->Items()->Objects(i) : nullptr;
      if (OnComboChange) OnComboChange(this, rc, ARow, i, s);
      if (OnComboObjectChange) OnComboObjectChange(this, rc, ARow, i, s, o);
    }
    if (FMouseActions->DirectComboDrop() || (FControlLook && FControlLook->DropDownAlwaysVisible()))
      combo->SetDroppedDown(true);
    if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop()) {
      const TGridRect s = Selection();
      DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
  };
}

// The edit-with-button editors; the mask one takes the cell's edit mask.
void TExStringGrid::LoadEditBtnEditor(TSpecialEditorShow& S, Integer ACol, Integer ARow, Integer H,
                                      const String& Text) {
  TGridEditBtn* eb = EditBtn;
  if (!eb) return;
  eb->ReCreate();
  GetEditorProp(DisplayToRealCol(ACol), ARow, FEditLink);
  eb->SetEditMask(EditControl == edMaskEditBtn ? GetEditMask(ACol, ARow) : String());
  eb->SetText(Text);
  eb->SetMaxLength(FMaxEditLength);
  S.Ctrl = eb;
  S.AfterFocus = [eb, H] { eb->SetHeight(H); };
}

// The date and time pickers: a time (now when the text is none), or a date read by the
// application's hook, the locale or the picker's own format (today when none).
void TExStringGrid::LoadDateEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const String& Text) {
  TGridDatePicker* dp = DateTimePicker();
  dp->SetParent(this);
  dp->ReCreate();
  GetEditorProp(RCol, ARow, FEditLink);
  if (EditControl == edTimeEdit) {
    dp->SetKind(dtkTime);
    TDateTime t = 0;
    if (Trim(Text).empty() || !dp->TextToValue(Text, t)) t = Now();
    dp->SetTime(t);
    S.StartChar = false;
  } else {
    dp->SetKind(dtkDate);
    TDateTime d = Now();
    if (!Trim(Text).empty()) {
      if (OnCustomStrToDate) {
        OnCustomStrToDate(this, Text, d);
      } else {
        // A text the picker wrote in its own format reads back as well as the locale's.
        TDateTime v = 0;
        if (TryStrToDateTime(Text, v) || dp->TextToValue(Text, v)) d = v;
      }
    }
    dp->SetDateMode(EditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
    dp->SetDateTime(d);
  }
  S.Ctrl = dp;
  S.AfterFocus = [this, dp] {
    if (FMouseActions->DirectDateDrop() && EditControl != edTimeEdit) SendMessage(dp->Handle(), WM_KEYDOWN, VK_F4, 0);
  };
}

// The rich-text editor: the cell's rich text, with margins inside the cell.
void TExStringGrid::LoadRichEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, const TRect& R) {
  TExRichEdit* re = InplaceRichEdit();
  re->ReCreate();
  re->SetBorderStyle(bsNone);
  GetEditorProp(RCol, ARow, FEditLink);
  re->Lock();
  CellToRich(RCol, ARow, re);
  re->Unlock();
  if (FNavigation->EditSelectAll()) re->SelectAll();
  TRect margins(2, 2, R.Right - R.Left - 2, R.Bottom - R.Top - 2);
  re->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&margins));
  S.Ctrl = re;
}

// The date-and-time picker (now when the text is none); the value it started from is kept.
void TExStringGrid::LoadDateTimeEditor(TSpecialEditorShow& S, Integer RCol, Integer ARow, Integer H,
                                       const String& Text) {
  TGridDateTimePicker* dtp = DateAndTimePicker();
  GetEditorProp(RCol, ARow, FEditLink);
  TDateTime v = 0;
  if (Trim(Text).empty() || !(TryStrToDateTime(Text, v) || TryStrToDate(Text, v))) v = Now();
  FOriginalDateTime = v;
  dtp->SetKind(dkDateTime);
  dtp->SetDateTime(v);
  dtp->SetBorderStyle(bsNone);
  S.Ctrl = dtp;
  S.StartChar = false;
  S.EditCtrlSet = false;
  S.AfterFocus = [dtp, H] {
    if (dtp->Height() < H) dtp->SetHeight(H);
  };
}

// The cell's value into the drop-down editor of EditControl, after the application's editor
// properties.
void TExStringGrid::LoadDropDownValue(Integer RCol, Integer ARow, TColor BC, const String& Text) {
  switch (EditControl) {
    case edTrackbarDropDown:
      GetEditorProp(RCol, ARow, FEditLink);
      FEditTrackBar->SetPosition(LeadingInteger(Text));
      break;
    case edMemoDropDown:
      GetEditorProp(RCol, ARow, FEditLink);
      FEditMemo->SetText(Text);
      FEditMemo->SetSelStart(0);
      FEditMemo->SetSelLength(0);
      break;
    case edCalculatorDropDown:
      GetEditorProp(RCol, ARow, FEditLink);
      FEditCalculator->SetText(Text);
      break;
    case edTimePickerDropDown:
      GetEditorProp(RCol, ARow, FEditLink);
      FEditTimePicker->SetText(Text);
      FEditTimePicker->SetEditorEnabled(true);
      break;
    case edDetailDropDown: {
      GetEditorProp(RCol, ARow, FEditLink);
      FEditDetailPicker->SetText(Text);
      FEditDetailPicker->SetEditorEnabled(true);
      const Integer i = FEditDetailPicker->Items()->IndexOf(FEditDetailPicker->Text());
      if (i >= 0) FEditDetailPicker->SetItemIndex(i);
      break;
    }
    case edGridDropDown:
      FEditGridPicker->SetColor(BC);
      FEditGridPicker->SetEditorEnabled(true);
      GetEditorProp(RCol, ARow, FEditLink);
      FEditGridPicker->BeginUpdate();
      FEditGridPicker->EndUpdate();
      FEditGridPicker->SetItemIndex(Text.empty() ? 0 : FEditGridPicker->GetItemIndex(Text));
      FEditGridPicker->SetText(Text);
      break;
    case edColorPickerDropDown: {
      GetEditorProp(RCol, ARow, FEditLink);
      TCellGraphic* g = GetCellGraphic(RCol, ARow);
      FEditColorPicker->SetSelectedColor(g && g->CellType() == ctShape ? static_cast<TColor>(g->CellIndex())
                                                                        : Colors(RCol, ARow));
      break;
    }
    case edImagePickerDropDown:
      GetEditorProp(RCol, ARow, FEditLink);
      LoadImagePickerValue(RCol, ARow);
      break;
    default:
      FEditExGridPicker->SetColor(BC);
      FEditExGridPicker->SetEditorEnabled(true);
      if (TExStringGrid* list = FEditExGridPicker->Grid()) list->SetFixedRowAlways(true);
      GetEditorProp(RCol, ARow, FEditLink);
      FEditExGridPicker->BeginUpdate();
      FEditExGridPicker->EndUpdate();
      if (FEditExGridPicker->UseItems())
        FEditExGridPicker->SetItemIndex(Text.empty() ? 0 : FEditExGridPicker->GetItemIndex(Text));
      FEditExGridPicker->SetText(Text);
      break;
  }
}

// The image picker selects the image of an image-list cell, or of a data image cell by its
// number; a data cell whose text is no number selects no image.
void TExStringGrid::LoadImagePickerValue(Integer RCol, Integer ARow) {
  TCellGraphic* g = GetCellGraphic(RCol, ARow);
  if (!g || (g->CellType() != ctImageList && g->CellType() != ctDataImage)) return;
  Integer Index = -1;
  if (g->CellType() == ctImageList) {
    Index = g->CellIndex();
  } else {
    try {
      Index = Ints(RCol, ARow);
    } catch (const EStringGridError&) {
    }
  }
  FEditImagePicker->SetImageIndex(Index);
  const Integer i = FEditImagePicker->ItemIndex();
  FEditImagePicker->SetRawText(i >= 0 ? FEditImagePicker->Items()->Items(i)->Caption() : String());
}

void TExStringGrid::ShowEditLink(Integer ACol, Integer ARow, TRect R, TColor AColor, TFont* AFont) {
  TEditLink* link = FEditLink;
  EditMode = true;
  link->FOwner = this;
  link->FEditCell = TPoint(ACol, ARow);
  if (link->EditStyle() == esPopup) {
    if (link->AutoPopupWidth()) link->SetPopupWidth(R.Right - R.Left);
    if (!link->FPopupForm) {
      if (Application)
        if (TComponent* old = Application->FindComponent(u"gridform")) delete old;
      link->FPopupForm = new TForm(Application);
      link->FPopupForm->SetName(u"gridform");
    }
    TForm* form = link->FPopupForm;
    TPoint pos(link->PopupLeft(), link->PopupTop());
    if (pos.X == -1 || pos.Y == -1) pos = ClientToScreen(TPoint(R.Left, R.Top));
    form->OnDeactivate = [link](TObject* Sender) { link->FormExit(Sender); };
    form->SetBounds(pos.X, pos.Y, 0, 0);
    form->SetBorderStyle(bsNone);
    form->Show();
    form->SetBounds(pos.X, pos.Y, link->PopupWidth(), link->PopupHeight());
    link->CreateEditor(form);
    link->SetRect(Rect(0, 0, link->PopupWidth(), link->PopupHeight()));
  } else {
    link->CreateEditor(this);
    link->SetRect(R);
  }
  link->SetVisible(true);
  link->SetCellProps(AColor, AFont);
  link->SetProperties();
  GetEditorProp(ACol, ARow, link);
  link->SetEditorValue(GetCellEx(ACol, ARow));
  const Char start = FStartEditChar;
  link->SetFocus(true);
  FEditActive = true;
  TWinControl* ctrl = link->GetEditControl();
  if (start != 0 && ctrl) PostMessage(ctrl->Handle(), WM_CHAR, start, 0);
  EditCtrl = ctrl;
}

// --- Committing --------------------------------------------------------------------------------------

// Takes the value of the special editor of EditControl into the cell (ACol a display column),
// hides the editor and reports the end of the edit.
void TExStringGrid::CommitSpecialEditor(Integer ACol, Integer ARow) {
  if (FDestroyingGrid || HasState(csDestroying)) return;
  FSpecialEditor = false;
  FBlockKill = true;
  struct Unblock {
    TExStringGrid* g;
    ~Unblock() {
      g->FBlockKill = false;
      g->FEditActive = false;
    }
  } unblock{this};
  const Integer rc = DisplayToRealCol(ACol);
  FStartEditChar = 0;
  switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: CommitSpinEditor(rc, ARow); break;
    case edCustom: CommitEditLink(rc, ARow); break;
    default:
      if (IsDropDownEditor(EditControl))
        CommitDropDownEditor(rc, ARow);
      else
        CommitControlEditor(rc, ARow);
      break;
  }
  if (EditControl != edNormal && FEditActive) NotifyEditingDone(rc, ARow);
}

// The edit is over: the editor control (when there is one) is hidden and disabled.
void TExStringGrid::EndSpecialEditor(TWinControl* C) {
  if (C) {
    C->SetEnabled(false);
    C->SetVisible(false);
  }
  EditMode = false;
}

// The spin editors write their number, time or date; an empty text where the editor allows one
// empties the cell.
void TExStringGrid::CommitSpinEditor(Integer RCol, Integer ARow) {
  TGridSpin* spin = FEditSpin;
  if (!spin) return;
  if (spin->AllowEmptyValue() && Trim(spin->Text()).empty()) {
    SetEditCellText(RCol, ARow, String());
  } else {
    switch (EditControl) {
      case edSpinEdit: SetInts(RCol, ARow, spin->Value()); break;
      case edFloatSpinEdit: SetFloats(RCol, ARow, spin->FloatValue()); break;
      case edTimeSpinEdit: SetEditCellText(RCol, ARow, spin->Text()); break;
      default: SetDates(RCol, ARow, spin->DateValue()); break;
    }
  }
  EndSpecialEditor(spin);
}

// The edit link writes its editor's value and gives its control back.
void TExStringGrid::CommitEditLink(Integer RCol, Integer ARow) {
  if (!FEditLink) return;
  if (FControlLook && FControlLook->DropDownAlwaysVisible()) GetEditorType(RCol, ARow, EditControl);
  SetEditCellText(RCol, ARow, FEditLink->GetEditorValue());
  if (FEditLink->EditStyle() != esPopup) FEditLink->SetVisible(false);
  FEditLink->RestoreWinProc();
  EditMode = false;
}

// The other editor controls write their text (the check box and the button write nothing; an
// unticked date picker writes an empty text).
void TExStringGrid::CommitControlEditor(Integer RCol, Integer ARow) {
  switch (EditControl) {
    case edComboEdit:
    case edComboList:
      if (EditMode && EditCombo) {
        if (EditCombo->DroppedDown()) EditCombo->SetDroppedDown(false);
        SetEditCellText(RCol, ARow, EditCombo->Text());
        EndSpecialEditor(EditCombo);
      }
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
      if (EditMode && EditBtn) {
        SetEditCellText(RCol, ARow, EditBtn->Text());
        EndSpecialEditor(EditBtn);
      }
      break;
    case edCheckBox: EndSpecialEditor(EditCheck); break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
      if (DateTimePickerSupported && FEditDate) {
        SetEditCellText(RCol, ARow, FEditDate->Checked() ? FEditDate->PickerText() : String());
        EndSpecialEditor(FEditDate);
      }
      break;
    case edButton: EndSpecialEditor(GridButton); break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
      if (UnitEditBtn) {
        SetEditCellText(RCol, ARow, UnitEditBtn->Text() + UnitEditBtn->UnitID());
        EndSpecialEditor(UnitEditBtn);
      }
      break;
    case edRichEdit:
      if (FInplaceRichEdit) {
        SetEditCellText(RCol, ARow, RichToString(FInplaceRichEdit));
        EndSpecialEditor(FInplaceRichEdit);
      }
      break;
    case edDateTimeEdit:
      if (DateTimePickerSupported && FEditDateTime) {
        SetEditCellText(RCol, ARow,
                        FEditDateTime->Checked() ? FormatDateTime(DateTimeCellFormat(), FEditDateTime->DateTime())
                                                 : String());
        EndSpecialEditor(FEditDateTime);
      }
      break;
    default: break;
  }
}

// The drop-down editors write their value (a cancelled edit writes nothing), close their popup
// and hide.
void TExStringGrid::CommitDropDownEditor(Integer RCol, Integer ARow) {
  if (!EditMode) return;
  TExCustomDropDown* dd = DropDownOf(EditControl);
  if (!FCancelSpecialEdit) {
    switch (EditControl) {
      case edMemoDropDown: SetEditCellText(RCol, ARow, MemoLinesText(FEditMemo->MemoText())); break;
      case edColorPickerDropDown: CommitColorPickerValue(RCol, ARow); break;
      case edImagePickerDropDown: CommitImagePickerValue(RCol, ARow); break;
      default: SetEditCellText(RCol, ARow, dd->Text()); break;
    }
  }
  if (dd->DroppedDown()) dd->HideDropDown(true);
  EndSpecialEditor(dd);
}

// The colour picker writes the text of its colour, then gives the colour to the cell's shape or
// to the cell.
void TExStringGrid::CommitColorPickerValue(Integer RCol, Integer ARow) {
  TColor color = FEditColorPicker->SelectedColor();
  String value = FEditColorPicker->SelectedColorText();
  if (OnColorSelected) OnColorSelected(this, RCol, ARow, color, value);
  SetEditCellText(RCol, ARow, value);
  TCellGraphic* g = GetCellGraphic(RCol, ARow);
  if (g && g->CellType() == ctShape) {
    g->SetCellIndex(static_cast<Integer>(color));
    RepaintCell(RealToDisplayCol(RCol), ARow);
  } else {
    SetColors(RCol, ARow, color);
  }
}

// The image picker gives its image to an image-list cell, or writes its number into a data
// image cell.
void TExStringGrid::CommitImagePickerValue(Integer RCol, Integer ARow) {
  Integer index = FEditImagePicker->ImageIndex();
  if (OnImageSelected) OnImageSelected(this, RCol, ARow, index);
  TCellGraphic* g = GetCellGraphic(RCol, ARow);
  if (g && g->CellType() == ctImageList) {
    g->SetCellIndex(index);
    RepaintCell(RealToDisplayCol(RCol), ARow);
  } else if (g && g->CellType() == ctDataImage) {
    SetEditCellText(RCol, ARow, IntToStr(index));
  }
}
