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
    if (Key == VK_ESCAPE) {
      writeText(g->GetCurrentCell());
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
  template <class W>
  static void CalcResultOf(W* w) {
    if constexpr (requires { w->CalcResult(); }) w->CalcResult();
  }
};

// --- The nine wrappers -----------------------------------------------------------------------------------

#define KP_GRID_DROPDOWN_FAMILY(Class, Traits)                                                              \
  void Class::KeyDown(Word& Key, TShiftState Shift) { TGridDropDownKeys::KeyDown(this, Traits, Key, Shift); } \
  void Class::KeyPress(Char& Key) { TGridDropDownKeys::KeyPress(this, Key); }                                \
  void Class::DoExit() { TGridDropDownKeys::Exit(this); }                                                    \
  void Class::CMWantSpecialKey(TMessage& M) { TGridDropDownKeys::WantSpecialKey(this, Traits, M); }          \
  void Class::WMSetFocus(TMessage& M) { TGridDropDownKeys::SetFocus(this, Traits, M); }                      \
  void Class::Change() { TGridDropDownKeys::Change(this); }

KP_GRID_DROPDOWN_FAMILY(TGridTrackbarDropDown, kTrackbar)
KP_GRID_DROPDOWN_FAMILY(TGridMemoDropDown, kMemo)
KP_GRID_DROPDOWN_FAMILY(TGridCalculatorDropDown, kCalculator)
KP_GRID_DROPDOWN_FAMILY(TGridTimepickerDropDown, kPlain)
KP_GRID_DROPDOWN_FAMILY(TGridDetailPickerDropDown, kPlain)
KP_GRID_DROPDOWN_FAMILY(TGridGridDropDown, kPlain)
KP_GRID_DROPDOWN_FAMILY(TGridColorDropDown, kColor)
KP_GRID_DROPDOWN_FAMILY(TGridImageDropDown, kPlain)
KP_GRID_DROPDOWN_FAMILY(TGridExGridDropDown, kPlain)

#undef KP_GRID_DROPDOWN_FAMILY

TGridTrackbarDropDown::TGridTrackbarDropDown(TComponent* AOwner) : TExTrackBarDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}
void TGridTrackbarDropDown::KeyUp(Word& Key, TShiftState Shift) { TExTrackBarDropDown::KeyUp(Key, Shift); }
void TGridTrackbarDropDown::WndProc(TMessage& Message) { TExTrackBarDropDown::WndProc(Message); }

TGridMemoDropDown::TGridMemoDropDown(TComponent* AOwner) : TExMemoDropDown(AOwner) { FGrid = GridOfEditor(AOwner); }

TGridCalculatorDropDown::TGridCalculatorDropDown(TComponent* AOwner) : TExCalculatorDropdown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TExTimePickerDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
  SetFocusDraw(false);
}

TGridDetailPickerDropDown::TGridDetailPickerDropDown(TComponent* AOwner) : TExDetailDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

TGridGridDropDown::TGridGridDropDown(TComponent* AOwner) : TExMultiColumnDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

TGridColorDropDown::TGridColorDropDown(TComponent* AOwner) : TExColorPickerDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

TGridImageDropDown::TGridImageDropDown(TComponent* AOwner) : TExImagePickerDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

TGridExGridDropDown::TGridExGridDropDown(TComponent* AOwner) : TCustomExGridDropDown(AOwner) {
  FGrid = GridOfEditor(AOwner);
}

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
