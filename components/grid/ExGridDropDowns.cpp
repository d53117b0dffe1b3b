// The drop-down editors of the string grid: the behaviour the nine wrappers share, and the
// date-and-time editor.
#include "components/grid/ExGridDropDowns.h"

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsOneOf(Word Key, std::initializer_list<Word> Keys) {
  for (Word k : Keys)
    if (k == Key) return true;
  return false;
}

void FocusGrid(TExStringGrid* G) {
  if (G && G->CanFocus()) G->SetFocus();
}

// Where the wrappers differ.
struct TFamilyTraits {
  bool ClaimEnterEsc = false;     // Enter and Esc are claimed as special keys
  bool TabOnValidateOnly = false;  // Tab is claimed only when the grid validates on Tab
  bool RawText = true;            // texts go back as the raw edit text, else through Text
  bool CaretAtClick = false;      // the focus puts the caret under the mouse of the opening click
  bool ColorKeys = false;         // Home ends the edit with the popup closed; only Tab, Enter, Esc while open
  bool Calculator = false;        // Enter completes the pending calculation first
};

const TFamilyTraits kTrackbar{true, true, false, true, false, false};
const TFamilyTraits kMemo{false, true, true, true, false, false};
const TFamilyTraits kCalculator{false, false, true, true, false, true};
const TFamilyTraits kPlain{false, false, true, false, false, false};
const TFamilyTraits kColor{true, false, true, false, true, false};

}  // namespace

// The family behaviour of the drop-down wrappers. A friend of each wrapper, so it reaches their
// bases' handlers.
class TGridDropDownKeys {
 public:
  template <class W>
  static void KeyDown(W* w, const TFamilyTraits& T, Word& Key, TShiftState Shift) {
    TExStringGrid* g = w->FGrid;
    w->Forced = false;
    const bool dropped = w->DroppedDown();
    bool gridKey;
    if (T.ColorKeys && dropped)
      gridKey = IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE});
    else
      gridKey = IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN}) ||
                (T.ColorKeys && Key == VK_HOME);
    // Alt+Down opens the popup.
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) gridKey = false;
    w->WorkMode = !(Key == VK_BACK || Key == VK_DELETE);
    if (!gridKey || !g) {
      w->W::TBase::KeyDown(Key, Shift);
      return;
    }
    auto writeText = [&](const String& S) {
      if (T.RawText)
        w->SetRawText(S);
      else
        w->SetText(S);
    };
    // Esc with the popup open closes the popup only (as a cancel); the edit goes on.
    if (Key == VK_ESCAPE && dropped) {
      w->W::TBase::KeyDown(Key, Shift);
      Key = 0;
      return;
    }
    if (Key == VK_ESCAPE) {
      writeText(g->GetCurrentCell());
      // A cancel: hiding the editor writes nothing into the cell. The colour and image pickers
      // would otherwise write their value, which the cell's text need not be.
      g->FCancelSpecialEdit = true;
      struct Cancel {
        bool& f;
        ~Cancel() { f = false; }
      } cancel{g->FCancelSpecialEdit};
      g->HideInplaceEdit();
      FocusGrid(g);
      Key = 0;
      return;
    }
    if (IsOneOf(Key, {VK_RETURN, VK_UP, VK_DOWN})) {
      if (T.Calculator && Key == VK_RETURN) CalcResultOf(w);
      const String t = w->Text();
      g->SetCurrentCell(t);
      if (!g->ValidateCell(t)) {
        writeText(g->FNewCellText);
        w->SelectAll();
        w->Invalidate();
        Key = 0;
        g->FNoAutoAdvance = true;
        return;
      }
      writeText(g->GetCurrentCell());
    }
    if (Key == VK_TAB && g->ValidateOnTab()) {
      const String t = w->Text();
      g->SetCurrentCell(t);
      if (!g->ValidateCell(t)) {
        writeText(g->FNewCellText);
        w->SetSelStart(static_cast<Integer>(w->EditText().size()));
        w->Invalidate();
        Key = 0;
        return;
      }
      if (g->Options().Contains(goTabs)) {
        g->HideInplaceEdit();
        FocusGrid(g);
        g->TabNavigate(Shift.Contains(ssShift));
        Key = 0;
        return;
      }
      PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (w->DroppedDown()) {
      g->HideInplaceEdit();
      if (IsOneOf(Key, {VK_PRIOR, VK_NEXT, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) Key = 0;
    } else if (Key == VK_END) {
      w->W::TBase::KeyDown(Key, Shift);
      return;
    }
    g->DoneInplaceEdit(Key, Shift);
    if (g->Navigation()->AdvanceOnEnter() && g->Navigation()->AdvanceAutoEdit()) g->ShowInplaceEdit();
    Key = 0;
    w->W::TBase::KeyDown(Key, Shift);
  }

  template <class W>
  static void KeyPress(W* w, Char& Key) {
    if (w->FGrid && w->FGrid->OnKeyPress) w->FGrid->OnKeyPress(w, Key);
    if (Key == 27 || Key == 13 || Key == 9) Key = 0;
    w->W::TBase::KeyPress(Key);
  }

  // A control that acts on a typed character (the calculator's operators and Enter) reads the
  // field's text as its value; a text that is no value leaves the character without effect.
  template <class W>
  static void TypedEntry(W* w, Char& Key) {
    if (!ReadsAsValue([&] { w->W::TBase::BeforeTypedEntry(Key); })) Key = 0;
  }

  // Runs Step; false when it stopped because the control's text does not read as its value. Such a
  // conversion error is the cell's text, not a fault, and never leaves the editor's event.
  template <class F>
  static bool ReadsAsValue(F&& Step) {
    try {
      Step();
      return true;
    } catch (const EConvertError&) {
      return false;
    }
  }

  template <class W>
  static void WantSpecialKey(W* w, const TFamilyTraits& T, TMessage& M) {
    w->W::TBase::CMWantSpecialKey(M);
    if (!w->FGrid) return;
    const Word key = static_cast<Word>(M.WParam);
    if (T.ClaimEnterEsc && (key == VK_RETURN || key == VK_ESCAPE)) M.Result = 1;
    if (key == VK_TAB && (!T.TabOnValidateOnly || w->FGrid->ValidateOnTab())) M.Result = 1;
  }

  template <class W>
  static void SetFocus(W* w, const TFamilyTraits& T, TMessage& M) {
    w->W::TBase::WMSetFocus(M);
    TExStringGrid* g = w->FGrid;
    if (!T.CaretAtClick || !g || !g->LButFlg) return;
    const TPoint p = w->ScreenToClient(GetCursorPos());
    if (p.X < 0 || p.X > w->Width() || p.Y < 0 || p.Y > w->Height()) return;
    const LRESULT r = w->Perform(EM_CHARFROMPOS, 0, MakeLParam(p.X, p.Y));
    w->SetSelStart(static_cast<Integer>(r & 0xFFFF));
    w->SetSelLength(0);
    g->LButFlg = false;
  }

  template <class W>
  static void Exit(W* w) {
    if (w->FGrid) w->FGrid->HideInplaceEdit();
    w->W::TBase::DoExit();
  }

  template <class W>
  static void Change(W* w) {
    w->W::TBase::Change();
    TExStringGrid* g = w->FGrid;
    if (g && g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), w->Text());
  }

 private:
  // The pending calculation; a display that is no number keeps its text, which the cell then takes
  // as it stands.
  template <class W>
  static void CalcResultOf(W* w) {
    if constexpr (requires { w->CalcResult(); }) ReadsAsValue([w] { w->CalcResult(); });
  }
};

// --- The nine wrappers -----------------------------------------------------------------------------------

namespace {

const TFamilyTraits& TraitsOf(TGridDropDownFamily Family) {
  switch (Family) {
    case TGridDropDownFamily::Trackbar: return kTrackbar;
    case TGridDropDownFamily::Memo: return kMemo;
    case TGridDropDownFamily::Calculator: return kCalculator;
    case TGridDropDownFamily::Color: return kColor;
    case TGridDropDownFamily::Plain: break;
  }
  return kPlain;
}

}  // namespace

template <class B, TGridDropDownFamily Family>
TGridDropDownEditor<B, Family>::TGridDropDownEditor(TComponent* AOwner) : B(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::KeyDown(Word& Key, TShiftState Shift) {
  TGridDropDownKeys::KeyDown(this, TraitsOf(Family), Key, Shift);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::KeyPress(Char& Key) {
  TGridDropDownKeys::KeyPress(this, Key);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::BeforeTypedEntry(Char& Key) {
  TGridDropDownKeys::TypedEntry(this, Key);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::DoExit() {
  TGridDropDownKeys::Exit(this);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::CMWantSpecialKey(TMessage& M) {
  TGridDropDownKeys::WantSpecialKey(this, TraitsOf(Family), M);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::WMSetFocus(TMessage& M) {
  TGridDropDownKeys::SetFocus(this, TraitsOf(Family), M);
}

template <class B, TGridDropDownFamily Family>
void TGridDropDownEditor<B, Family>::Change() {
  TGridDropDownKeys::Change(this);
}

// The wrappers' bases; every handler is defined above, so the header declares them only.
template class TGridDropDownEditor<TExTrackBarDropDown, TGridDropDownFamily::Trackbar>;
template class TGridDropDownEditor<TExMemoDropDown, TGridDropDownFamily::Memo>;
template class TGridDropDownEditor<TExCalculatorDropdown, TGridDropDownFamily::Calculator>;
template class TGridDropDownEditor<TExTimePickerDropDown, TGridDropDownFamily::Plain>;
template class TGridDropDownEditor<TExDetailDropDown, TGridDropDownFamily::Plain>;
template class TGridDropDownEditor<TExMultiColumnDropDown, TGridDropDownFamily::Plain>;
template class TGridDropDownEditor<TExColorPickerDropDown, TGridDropDownFamily::Color>;
template class TGridDropDownEditor<TExImagePickerDropDown, TGridDropDownFamily::Plain>;
template class TGridDropDownEditor<TCustomExGridDropDown, TGridDropDownFamily::Plain>;

TGridTrackbarDropDown::TGridTrackbarDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
void TGridTrackbarDropDown::KeyUp(Word& Key, TShiftState Shift) { TExTrackBarDropDown::KeyUp(Key, Shift); }
void TGridTrackbarDropDown::WndProc(TMessage& Message) { TExTrackBarDropDown::WndProc(Message); }

TGridMemoDropDown::TGridMemoDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

TGridCalculatorDropDown::TGridCalculatorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

void TGridCalculatorDropDown::CreateDropDownForm() {
  TExCalculatorDropdown::CreateDropDownForm();
  // The keypad's keys act on the display read as a number: on a cell text that is none they do
  // nothing.
  if (TCustomButtonPanel* Keypad = ButtonPanel())
    Keypad->OnButtonClick = [this](TObject* S, Integer I) {
      TGridDropDownKeys::ReadsAsValue([&] { CalculatorButtonClick(S, I); });
    };
}

void TGridCalculatorDropDown::DropDownFormKeyPress(Char& Key) {
  if (!TGridDropDownKeys::ReadsAsValue([&] { TExCalculatorDropdown::DropDownFormKeyPress(Key); })) Key = 0;
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {
  SetFocusDraw(false);
}

TGridDetailPickerDropDown::TGridDetailPickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

TGridGridDropDown::TGridGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

TGridColorDropDown::TGridColorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

TGridImageDropDown::TGridImageDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

TGridExGridDropDown::TGridExGridDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}

// --- The date-and-time editor ----------------------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner) : TExDateTimePicker(AOwner) {
  // The owner is taken as it is: the picker also works outside a grid.
  FGrid = dynamic_cast<TExStringGrid*>(AOwner);
  SetKind(dkDateTime);
}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  if (!FGrid) {
    TExDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    SetDate(FGrid->FOriginalDateTime);
    FocusGrid(FGrid);
    Key = 0;
    return;
  }
  if (Key == VK_RETURN) {
    FocusGrid(FGrid);
    if (FGrid->Navigation()->AdvanceOnEnter()) FGrid->AdvanceCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
    Key = 0;
    return;
  }
  if (Key == VK_TAB && FGrid->ValidateOnTab()) {
    FocusGrid(FGrid);
    FGrid->SetCurrentCell(DisplayText());
    FGrid->TabNavigate(Shift.Contains(ssShift));
    Key = 0;
    return;
  }
  TExDateTimePicker::KeyDown(Key, Shift);
}
