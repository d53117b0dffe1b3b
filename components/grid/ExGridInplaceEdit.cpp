// The text editor of the string grid: per-character filters by editor type, a length limit,
// clipboard commands that ask the grid's events first, lookup completion, and validation before
// the caret leaves the cell.
#include <algorithm>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool KeyIsDown(Integer VirtKey) { return GetKeyState(VirtKey) < 0; }

Char UpperOf(Char C) { return AnsiUpperCase(String(1, C))[0]; }
Char LowerOf(Char C) { return AnsiLowerCase(String(1, C))[0]; }

// A message that the handler took: its key is cleared and it reports success.
void Consume(TMessage& M) {
  M.WParam = 0;
  M.Result = 1;
}

bool IsTextLineFeedType(TEditorType T) {
  switch (T) {
    case edNormal:
    case edCapital:
    case edMixedCase:
    case edLowerCase:
    case edUpperCase:
    case edValidChars: return true;
    default: return false;
  }
}

// The clipboard's control characters, which reach the clipboard messages when Ctrl is down.
bool IsClipboardControlChar(Char Ch) { return Ch == 3 || Ch == 22 || Ch == 24 || Ch == 26; }

}  // namespace

// --- Small settings objects -------------------------------------------------------------------------

void TSizeWhileTyping::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeWhileTyping*>(Source)) {
    FHeight = s->FHeight;
    FWidth = s->FWidth;
    return;
  }
  TPersistent::Assign(Source);
}

void TShowModified::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TShowModified*>(Source)) {
    FColor = s->FColor;
    FEnabled = s->FEnabled;
    return;
  }
  TPersistent::Assign(Source);
}

void TShowModified::SetColor(TColor Value) {
  FColor = Value;
  if (OnChange) OnChange(this);
}

TExStringGrid* GridOfEditor(TComponent* AOwner) {
  auto* g = dynamic_cast<TExStringGrid*>(AOwner);
  if (!g) throw EInvalidCast(u"Invalid class typecast");
  return g;
}

Integer FilterEditorChar(TExStringGrid* Grid, TEditorType Type, TCustomEdit* Edit, Char& Ch) {
  const String text = Edit->Text();
  const bool ctrl = KeyIsDown(VK_CONTROL);
  const bool basic = Ch == 8 || Ch == 9 || Ch == 13 || Ch == 27;
  switch (Type) {
    case edNormal:
    case edPassword: return 0;
    case edNumeric:
    case edPositiveNumeric: {
      if (basic || (Ch >= u'0' && Ch <= u'9')) return 0;
      // The clipboard keys are filtered by the paste itself.
      if (ctrl && IsClipboardControlChar(Ch)) return 0;
      if (Ch == u'-' && Type == edNumeric && text.find(u'-') == String::npos && Edit->SelStart() == 0) return 0;
      return 1;
    }
    case edFloat:
    case edPositiveFloat: {
      const bool listed = basic || Ch == u',' || Ch == u'.' || (Ch >= u'0' && Ch <= u'9') ||
                          (Ch == u'-' && Type == edFloat);
      if (!listed) return ctrl ? 0 : 2;
      const Char dec = FormatSettings.DecimalSeparator;
      const String sel = Edit->SelText();
      if (Ch == dec && text.find(dec) != String::npos && sel.find(dec) == String::npos) return 2;
      if (Ch == FormatSettings.ThousandSeparator) return 2;
      if (Ch == u'-') {
        const bool atStart = Edit->SelStart() == 0 && text.find(u'-') == String::npos;
        if (!atStart && sel.find(u'-') == String::npos) return 1;
      }
      return 0;
    }
    case edCapital:
    case edUpperCase: Ch = UpperOf(Ch); return 0;
    case edLowerCase: Ch = LowerOf(Ch); return 0;
    case edMixedCase: return 0;
    case edValidChars: {
      if (Ch == 8 || Ch == 13) return 0;
      if (ctrl && IsClipboardControlChar(Ch)) return 0;
      const String& valid = Grid->ValidChars();
      if (!valid.empty()) return valid.find(Ch) != String::npos ? 0 : 1;
      return Grid->ValidCharSet().Contains(Ch) ? 0 : 1;
    }
    default: return 2;
  }
}

bool FilterPastedText(TExStringGrid* Grid, TEditorType Type, String& Text) {
  const Integer kind = ClassifyNumberText(Text);
  const bool hasMinus = Text.find(u'-') != String::npos;
  switch (Type) {
    case edNumeric: return kind == ntInteger;
    case edPositiveNumeric: return kind == ntInteger && !hasMinus;
    case edFloat: return kind == ntInteger || kind == ntFloat;
    case edPositiveFloat: return (kind == ntInteger || kind == ntFloat) && !hasMinus;
    case edMixedCase: Text = CapitalizeWords(Text); return true;
    case edLowerCase: Text = AnsiLowerCase(Text); return true;
    case edUpperCase: Text = AnsiUpperCase(Text); return true;
    case edValidChars: {
      // Without a list of valid characters the typing rule's character set decides.
      const String& valid = Grid->ValidChars();
      for (Char c : Text) {
        const bool ok = valid.empty() ? Grid->ValidCharSet().Contains(c) : valid.find(c) != String::npos;
        if (!ok) return false;
      }
      return true;
    }
    default: return true;
  }
}

// --- TExInplaceEdit ----------------------------------------------------------------------------------

TExInplaceEdit::TExInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
  FGrid = dynamic_cast<TExStringGrid*>(AOwner);
}

void TExInplaceEdit::SetParent(TWinControl* AParent) {
  // The editor works only for a string grid: refuse any other parent before taking it.
  if (AParent) FGrid = GridOfEditor(AParent);
  TInplaceEdit::SetParent(AParent);
  if (AParent) CreateWnd();
}

void TExInplaceEdit::CreateWnd() {
  if (!FGrid) return;
  FWordWrap = FGrid->WordWrap();
  TCustomMemo::SetWordWrap(FWordWrap);
  FLengthLimit = static_cast<int16_t>(FGrid->GetEditLimit());
  SetAlignment(FValign ? taRightJustify : taLeftJustify);
  SetWantReturns(true);
  SetPasswordChar(FGrid->EditControl == edPassword ? FGrid->PasswordChar() : Char(0));
  Workmode = true;
}

void TExInplaceEdit::SetVAlign(bool Value) {
  FValign = Value;
  if (Parent()) {
    SetAlignment(FValign ? taRightJustify : taLeftJustify);
    CreateWnd();
  }
}

void TExInplaceEdit::SetWordWrap(bool Value) {
  FWordWrap = Value;
  TCustomMemo::SetWordWrap(Value);
  if (Parent()) {
    CreateWnd();
    // The recreated window takes the grid's word wrap; the value asked for stays.
    FWordWrap = Value;
    TCustomMemo::SetWordWrap(Value);
  }
}

void TExInplaceEdit::BoundsChanged() {
  TInplaceEdit::BoundsChanged();
  if (!FGrid || !Visible() || FPlacing) return;
  // The editor covers the whole cell, a merged area's whole rectangle, leaving the grid lines.
  TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const TRect client = FGrid->ClientRect();
  r.Right = std::min(r.Right, client.Right);
  r.Bottom = std::min(r.Bottom, client.Bottom);
  const Integer w = std::max(0, r.Right - r.Left - 1);
  const Integer h = std::max(0, r.Bottom - r.Top - 1);
  if (Left() == r.Left && Top() == r.Top && Width() == w && Height() == h) return;
  FPlacing = true;
  struct Guard {
    bool& f;
    ~Guard() { f = false; }
  } guard{FPlacing};
  SetBounds(r.Left, r.Top, w, h);
}

void TExInplaceEdit::UpdateContents() {
  if (!FGrid) {
    TInplaceEdit::UpdateContents();
    return;
  }
  FGrid->FNoEditChange = true;
  TInplaceEdit::UpdateContents();
  // The cell's own look: colour, font and alignment.
  TBrush brush;
  TFont font;
  font.Assign(FGrid->Font());
  brush.SetColor(FGrid->Color());
  TGridDrawState state;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FGrid->WordWrap();
  TCellGradientDirection gd = GradientVertical;
  FGrid->GetVisualProperties(FGrid->DisplayToRealCol(FGrid->Col()), FGrid->Row(), state, false, false, false, &brush,
                             colorTo, mirror, mirrorTo, &font, ha, va, ww, gd);
  SetColor(brush.Color());
  SetFont(&font);
  SetAlignment(ha);
  FColE = FGrid->Col();
  FRowE = FGrid->Row();
  FGrid->GetEditorProp(FColE, FRowE, nullptr);
  // An editor that keeps the focus while it moves to another cell gets no focus message: it
  // reports text changes again at once.
  if (Focused()) FGrid->FNoEditChange = false;
}

void TExInplaceEdit::Change() {
  TInplaceEdit::Change();
  if (FGrid && !FGrid->FNoEditChange && FGrid->OnEditChange)
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TExInplaceEdit::WMSetFocus(TMessage& M) {
  TInplaceEdit::WMSetFocus(M);
  if (!FGrid) return;
  FGotFocus = true;
  FGrid->FNoEditChange = false;
  FLengthLimit = static_cast<int16_t>(FGrid->GetEditLimit());
  SetMaxLength(FLengthLimit);
  TNavigation* nav = FGrid->Navigation();
  if (!EditMask().empty() && !FGrid->LButFlg && nav->ImproveMaskSel()) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!nav->EditSelectAll()) SetSelStart(static_cast<Integer>(Text().size()));
  if (FGrid->LButFlg) {
    const TPoint p = ScreenToClient(GetCursorPos());
    if (p.X >= 0 && p.X <= Width() && p.Y >= 0 && p.Y <= Height()) {
      const LRESULT r = Perform(EM_CHARFROMPOS, 0, MakeLParam(p.X, p.Y));
      if (r != -1) {
        SetSelStart(static_cast<Integer>(r & 0xFFFF));
        SetSelLength(0);
        FGrid->LButFlg = false;
      }
    }
  }
}

void TExInplaceEdit::WMKillFocus(TMessage& M) {
  if (!FGrid) {
    TInplaceEdit::WMKillFocus(M);
    return;
  }
  FGrid->FStartEditChar = 0;
  // The history keeps each text the editor is left with once; an empty text is no entry.
  if (FGrid->LookupHistory() && !Text().empty() && FGrid->LookupItems()->IndexOf(Text()) == -1)
    FGrid->LookupItems()->Add(Text());
  FGrid->FormulaEditChange(false);
  TInplaceEdit::WMKillFocus(M);
  // Alt+Backspace held: the focus only goes for a moment.
  if (FAltBack) return;
  const HWND gaining = static_cast<HWND>(M.WParam);
  if (gaining != FGrid->Handle()) {
    // The focus leaves the grid: the edit is validated and closed whatever happens on the way.
    struct Closer {
      TExStringGrid* g;
      ~Closer() {
        g->HideInplaceEdit();
        g->FEditing = false;
        g->EditMode = false;
      }
    };
    {
      Closer closer{FGrid};
      FGrid->ValidateCell(Text());
      SetText(FGrid->GetCurrentCell());
    }
    FGrid->SelectCell(FColE, FRowE);
  }
  if (FGrid->FNoEditChange) {
    SetText(FGrid->GetCurrentCell());
    FGrid->EditorCaretChange(Text(), -1, -1);
  }
  if (FGotFocus) {
    FGotFocus = false;
    FGrid->NotifyEditingDone(FGrid->DisplayToRealCol(FColE), FRowE);
  }
}

Integer TExInplaceEdit::CaretLineIndex() {
  return static_cast<Integer>(Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(SelStart()), 0));
}

Integer TExInplaceEdit::LastLineIndex() {
  return static_cast<Integer>(Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(Text().size()), 0));
}

void TExInplaceEdit::RestoreAfterRejection(const String& OldCellText) {
  SetText(FGrid->FNewCellText);
  if (FGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(static_cast<Integer>(Text().size()));
  FGrid->FOldCellText = OldCellText;
}

void TExInplaceEdit::WMKeyDown(TMessage& M) {
  if (!FGrid) {
    TInplaceEdit::WMKeyDown(M);
    return;
  }
  FGrid->EditorWMKeyDown(M);
  FOldSelStart = SelStart();
  FEnterRefused = false;
  const Word key = static_cast<Word>(M.WParam);
  const bool ctrl = KeyIsDown(VK_CONTROL);
  const bool shift = KeyIsDown(VK_SHIFT);
  TNavigation* nav = FGrid->Navigation();
  const bool wraps = FGrid->WordWrap() || FGrid->Multilinecells();

  if (key == VK_ESCAPE) {
    // The text the cell had when editing began goes back; Esc then reaches the grid as usual.
    SetText(FGrid->FCellCache);
    FGrid->HideInplaceEdit();
  }
  if (key == 'A' && ctrl && !KeyIsDown(VK_RMENU)) {
    SelectAll();
    Consume(M);
    return;
  }
  if (key == VK_RETURN && ctrl && !(nav->AllowCtrlEnter() && wraps)) {
    Consume(M);
    return;
  }

  const String t = Text();
  const String oldCellText = FGrid->FOldCellText;
  bool validatedUpDown = false;

  if (key == VK_TAB && FGrid->ValidateOnTab()) {
    if (FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      FGrid->HideInplaceEdit();
      if (FGrid->Options().Contains(goTabs)) {
        Consume(M);
        FGrid->TabNavigate(shift);
      } else {
        PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
      }
    } else {
      RestoreAfterRejection(oldCellText);
    }
    return;
  }

  const Integer len = static_cast<Integer>(t.size());
  if (nav->CursorWalkEditor() && shift &&
      ((key == VK_LEFT && SelStart() == 0) || (key == VK_RIGHT && SelStart() == len))) {
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(t);
    FGrid->FValidating = false;
    if (FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
    } else {
      RestoreAfterRejection(oldCellText);
      Invalidate();
    }
    return;
  }

  if ((key == VK_UP && CaretLineIndex() == 0) || (key == VK_DOWN && CaretLineIndex() >= LastLineIndex())) {
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(t);
    FGrid->FValidating = false;
    if (!FGrid->ValidateCell(t)) {
      RestoreAfterRejection(oldCellText);
      Invalidate();
      return;
    }
    SetText(FGrid->FNewCellText);
    validatedUpDown = true;
  }

  if (key == VK_RETURN && !ctrl && !nav->LineFeedOnEnter()) {
    if (!FGrid->ValidateCell(t)) {
      RestoreAfterRejection(oldCellText);
      // The Enter character of this key stroke must not validate the refused value again: the
      // second refusal would put the old text back over the value the handler gave.
      FEnterRefused = true;
      return;
    }
    SetText(FGrid->FNewCellText);
  }

  if (!ctrl && !shift) {
    if (key == VK_HOME) SetSelStart(0);
    if (key == VK_END) SetSelStart(static_cast<Integer>(Text().size()));
  }

  if (key == VK_RETURN && ctrl && nav->LineFeedOnEnter()) {
    Char enter = 13;
    TInplaceEdit::KeyPress(enter);
  } else {
    TInplaceEdit::WMKeyDown(M);
    if (validatedUpDown && FGrid->MouseActions()->DisjunctRowSelect()) {
      FGrid->ClearRowSelect();
      FGrid->SetRowSelect(FGrid->Row(), true);
    }
  }
}

void TExInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  if (!FGrid) {
    TInplaceEdit::KeyDown(Key, Shift);
    return;
  }
  const bool wraps = FGrid->WordWrap() || FGrid->Multilinecells();
  if (Key == VK_BACK || Key == VK_DELETE) Workmode = false;
  if (Key == VK_RETURN) {
    if (!FGrid->Navigation()->AllowCtrlEnter() && wraps) FGrid->FEditing = false;
    // A new line typed with Ctrl or Shift: the row grows for it.
    TSizeWhileTyping* swt = FGrid->SizeWhileTyping();
    if ((Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) && swt && swt->Height() && FGrid->Multilinecells()) {
      TColumnSize* cs = FGrid->ColumnSize();
      const bool synch = cs->SynchWithGrid();
      cs->SetSynchWithGrid(false);
      const Integer row = FGrid->Row();
      const Integer lines = CountLines(Text() + u"\r\n ", true);
      if (lines < FGrid->GetMaxLinesInRow(row))
        FGrid->AutoSizeRow(row, 0);
      else
        FGrid->SetRowHeightForLines(row, lines, FGrid->GetTotalYOffset());
      cs->SetSynchWithGrid(synch);
      if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
    }
  }
  if (Key == VK_UP && CaretLineIndex() > 0) return;
  if (Key == VK_DOWN && CaretLineIndex() < LastLineIndex()) return;
  if (Key != VK_BACK && Key != VK_DELETE && Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN) Workmode = true;
  FGrid->EditorKeyDown(Key, Shift);
  if (Key != 0) TInplaceEdit::KeyDown(Key, Shift);
}

void TExInplaceEdit::WMChar(TMessage& M) {
  if (!FGrid) {
    TInplaceEdit::WMChar(M);
    return;
  }
  Char ch = static_cast<Char>(M.WParam);
  const bool ctrl = KeyIsDown(VK_CONTROL);
  TNavigation* nav = FGrid->Navigation();
  if (ch == u'.' && (M.LParam & KF_KEYPAD) && FGrid->ExcelStyleDecimalSeparator()) {
    ch = FormatSettings.DecimalSeparator;
    M.WParam = ch;
  }
  if (ch == 1 && ctrl) {
    Consume(M);
    return;
  }
  if (ch == 10 && ctrl && !(nav->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells()))) {
    Consume(M);
    return;
  }
  const Integer len = static_cast<Integer>(Text().size());
  if (FLengthLimit > 0 && len == FLengthLimit && SelLength() == 0 && ch != 8 && ch != 27 && ch != 13) return;
  if (ch == 13 && nav->LineFeedOnEnter() && IsTextLineFeedType(FGrid->EditControl)) {
    DefaultHandler(M);
    return;
  }
  const TEditorType type = FGrid->EditControl;
  const Integer caretBefore = SelStart();
  const Integer verdict = FilterEditorChar(FGrid, type, this, ch);
  if (verdict == 1) {
    Beep();
    return;
  }
  if (verdict == 2) return;
  M.WParam = ch;
  TInplaceEdit::WMChar(M);
  if (type == edMixedCase) {
    const String capitalized = CapitalizeWords(Text());
    if (capitalized != Text()) SetText(capitalized);
    SetSelStart(caretBefore + 1);
  }
  const Integer maxLen = FGrid->MaxEditLength();
  const Integer now = static_cast<Integer>(Text().size());
  if (nav->AdvanceAuto() && nav->AdvanceOnEnter() && maxLen > 0 && now == maxLen && SelLength() == 0 &&
      SelStart() == now) {
    Char enter = 13;
    FGrid->KeyPress(enter);
  }
}

void TExInplaceEdit::KeyPress(Char& Key) {
  if (!FGrid) {
    TInplaceEdit::KeyPress(Key);
    return;
  }
  TNavigation* nav = FGrid->Navigation();
  if (FGrid->FStartEditChar != 0 && Key == FGrid->FStartEditChar) {
    // The character that opened the editor went through the grid's key press (and OnKeyPress)
    // already: it is only typed.
    FGrid->FStartEditChar = 0;
    if (Key >= 32 && MaxLength() > 0 && static_cast<Integer>(Text().size()) - SelLength() >= MaxLength()) {
      Key = 0;
      return;
    }
    TCustomMemo::KeyPress(Key);
    return;
  }
  if (Key == 13 && FEnterRefused) {
    FEnterRefused = false;
    Key = 0;
    return;
  }
  if (Key == 13 && !nav->LineFeedOnEnter()) {
    if (!FGrid->ValidateCell(Text())) {
      SetText(FGrid->GetCurrentCell());
      Key = 0;
      return;
    }
  }
  TInplaceEdit::KeyPress(Key);
  const String t = Text();
  if (Key != 0 && nav->AdvanceAuto() && !EditMask().empty() && t.find(u' ') == String::npos &&
      SelStart() == static_cast<Integer>(t.size())) {
    Key = 13;
    FGrid->KeyPress(Key);
  }
}

void TExInplaceEdit::WMKeyUp(TMessage& M) {
  TInplaceEdit::WMKeyUp(M);
  if (!FGrid) return;
  const String t = Text();
  const Integer sel = SelStart();
  if (sel > 0) {
    const LRESULT p = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(sel - 1), 0);
    FGrid->EditorCaretChange(t, static_cast<Integer>(p), sel);
  }
  FGrid->FormulaEditChange(!t.empty() && t[0] == u'=');
}

void TExInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (!FGrid) {
    TInplaceEdit::KeyUp(Key, Shift);
    return;
  }
  TNavigation* nav = FGrid->Navigation();
  const bool noShift = !KeyIsDown(VK_SHIFT) && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU);
  const String t = Text();
  const Integer len = static_cast<Integer>(t.size());
  const Integer col = FGrid->Col(), row = FGrid->Row();
  const String oldCellText = FGrid->FOldCellText;

  // Cursor walk: Left at the start of the text and Right at its end leave the cell, once the text
  // is accepted; a refused text keeps the editor on the cell, as Enter does, so that the refused
  // value is neither written nor left behind.
  auto walk = [&](bool Forward) {
    if (!FGrid->ValidateCell(t)) {
      RestoreAfterRejection(oldCellText);
      Invalidate();
      return;
    }
    FGrid->HideInplaceEdit();
    const TAdvanceDirection saved = nav->AdvanceDirection();
    nav->SetAdvanceDirection(adLeftRight);
    FGrid->AdvanceCell(col, row, true, true, Forward, false, true);
    nav->SetAdvanceDirection(saved);
    if (nav->CursorWalkAlwaysEdit())
      Key = VK_RETURN;
    else
      FGrid->HideInplaceEdit();
  };
  if (Key == VK_LEFT && SelLength() == 0 && SelStart() == 0 && FSelKeyDown == 0 && noShift &&
      nav->CursorWalkEditor()) {
    Key = 0;
    if (col > FGrid->FixedCols() && FGrid->IsControlCell(FGrid->DisplayToRealCol(col - 1), row)) {
      if (FGrid->ValidateCell(t)) {
        FGrid->HideInplaceEdit();
        FGrid->SetCol(col - 1);
      }
    } else {
      walk(false);
    }
  } else if (Key == VK_RIGHT && SelLength() == 0 && len == FOldSelStart && noShift && nav->CursorWalkEditor()) {
    Key = 0;
    const Integer span = FGrid->CellSpan(FGrid->DisplayToRealCol(col), row).X;
    if (col < FGrid->ColCount() - FGrid->FixedRightCols() - 1 &&
        FGrid->IsControlCell(FGrid->DisplayToRealCol(col + span + 1), row)) {
      if (FGrid->ValidateCell(t)) {
        FGrid->HideInplaceEdit();
        FGrid->SetCol(col + span + 1);
      }
    } else {
      walk(true);
    }
  }
  if (Key == VK_LEFT || Key == VK_RIGHT || Key == 0) return;
  TInplaceEdit::KeyUp(Key, Shift);
  DoChange();
  // The column and the row follow the text.
  TSizeWhileTyping* swt = FGrid->SizeWhileTyping();
  if (!swt) return;
  if (swt->Width()) FGrid->AutoSizeColInternal(FGrid->Col(), true);
  if (swt->Height() && FGrid->WordWrap()) {
    TColumnSize* cs = FGrid->ColumnSize();
    const bool synch = cs->SynchWithGrid();
    cs->SetSynchWithGrid(false);
    FGrid->AutoSizeRow(FGrid->Row(), 0);
    cs->SetSynchWithGrid(synch);
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, FGrid->Row());
  }
}

void TExInplaceEdit::DoChange() {
  if (!FGrid || !Workmode) return;
  if (SelLength() != 0) return;
  const String text = Text();
  const Integer caret = std::min<Integer>(SelStart(), static_cast<Integer>(text.size()));
  String p = text.substr(0, static_cast<size_t>(caret));
  const bool caseSensitive = FGrid->LookupCaseSensitive();
  if (!caseSensitive) p = AnsiUpperCase(p);
  TStringList* items = FGrid->LookupItems();
  if (!items || items->Count() == 0 || !FGrid->Lookup() || p.empty()) return;
  for (Integer i = 0; i < items->Count(); ++i) {
    String item = items->Strings(i);
    const String probe = caseSensitive ? item : AnsiUpperCase(item);
    if (probe.compare(0, p.size(), p) != 0) continue;
    const String added = item.size() > p.size() ? item.substr(p.size(), 255) : String();
    const String completed = text.substr(0, p.size()) + added;
    if (completed != text) SetText(completed);
    SetSelStart(static_cast<Integer>(p.size()));
    SetSelLength(static_cast<Integer>(completed.size() - p.size()));
    return;
  }
}

void TExInplaceEdit::WMLButtonDblClk(TMessage& M) {
  TInplaceEdit::WMLButtonDblClk(M);
  if (FGrid && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TExInplaceEdit::WMCopy(TMessage& M) {
  bool allow = true;
  if (FGrid && FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, allow);
  if (allow) TInplaceEdit::Dispatch(M);
}

void TExInplaceEdit::WMCut(TMessage& M) {
  bool allow = true;
  if (FGrid && FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, allow);
  if (allow) TInplaceEdit::Dispatch(M);
}

void TExInplaceEdit::WMPaste(TMessage& M) {
  (void)M;
  if (!FGrid) return;
  bool allow = Clipboard()->HasFormat(CF_TEXT) || Clipboard()->HasFormat(CF_UNICODETEXT);
  String v = allow ? Clipboard()->AsText() : String();
  if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
  if (allow && FGrid->OnClipboardBeforePasteCell)
    FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), v, allow);
  if (!allow) return;
  if (FLengthLimit > 0 && static_cast<Integer>(v.size()) > FLengthLimit) return;
  const size_t crlf = v.find(u"\r\n");
  if (crlf != String::npos && crlf + 2 == v.size()) v.resize(crlf);

  const String text = Text();
  const Integer selStart = std::min<Integer>(SelStart(), static_cast<Integer>(text.size()));
  const Integer selLength = SelLength();
  String n = text.substr(0, static_cast<size_t>(selStart)) + v +
             text.substr(static_cast<size_t>(std::min<Integer>(selStart + selLength, static_cast<Integer>(text.size()))));
  if (FLengthLimit > 0 && static_cast<Integer>(n.size()) > FLengthLimit) return;
  const bool admitted = FilterPastedText(FGrid, FGrid->EditControl, n);
  // A filter that changed the case keeps the length, so the selection below still fits.
  if (admitted) SetText(n);
  FGrid->SetCurrentEditText(Text());
  if (admitted) {
    if (selLength > 0) {
      SetSelStart(selStart);
      SetSelLength(static_cast<Integer>(v.size()));
    } else {
      SetSelStart(selStart + static_cast<Integer>(v.size()));
    }
  }
  if (FGrid->OnClipboardAfterPasteCell) FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}

void TExInplaceEdit::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_COPY: WMCopy(M); break;
    case WM_CUT: WMCut(M); break;
    case WM_PASTE: WMPaste(M); break;
    default: TInplaceEdit::Dispatch(M); break;
  }
}

void TExInplaceEdit::CMWantSpecialKey(TMessage& M) {
  TInplaceEdit::CMWantSpecialKey(M);
  if (static_cast<Word>(M.WParam) == VK_TAB && FGrid && FGrid->ValidateOnTab()) M.Result = 1;
}

void TExInplaceEdit::WndProc(TMessage& Message) {
  // Alt+Backspace: the focus may go away for a moment without ending the edit.
  if (Message.Msg == WM_SYSKEYDOWN && static_cast<Word>(Message.WParam) == VK_BACK) FAltBack = true;
  if (Message.Msg == WM_SYSKEYUP && static_cast<Word>(Message.WParam) == VK_BACK) FAltBack = false;
  TInplaceEdit::WndProc(Message);
}
