#include "platform/gui/Mask.h"

#include <algorithm>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/ControlsBackend.h"

namespace {

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

// Letters of the Latin scripts (the basic ones and those of Latin-1 and the Latin extensions).
bool IsLetter(Char C) {
  if ((C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z')) return true;
  return C >= 0xC0 && C <= 0x24F && C != 0xD7 && C != 0xF7;
}

Char ToUpper(Char C) {
  if (C >= u'a' && C <= u'z') return static_cast<Char>(C - 32);
  if (C >= 0xE0 && C <= 0xFE && C != 0xF7) return static_cast<Char>(C - 32);
  return C;
}

Char ToLower(Char C) {
  if (C >= u'A' && C <= u'Z') return static_cast<Char>(C + 32);
  if (C >= 0xC0 && C <= 0xDE && C != 0xD7) return static_cast<Char>(C + 32);
  return C;
}

// A child's notification as the edit window sends it: WM_COMMAND to the parent, which reflects it
// back as CN_COMMAND; without a parent the edit hears it directly.
void Notify(TWinControl* C, Word Code) {
  if (C->Parent())
    C->Parent()->NotifyCommand(C, Code);
  else
    C->Perform(CN_COMMAND, MakeWParam(0, Code), static_cast<LPARAM>(C->Handle()));
}

}  // namespace

// --- TEditMaskRules ------------------------------------------------------------------------------------

TEditMaskRules::TEditMaskRules(const String& EditMask) {
  // The mask ends at the first ";" that is not escaped; the save flag and the blank follow.
  size_t end = 0;
  while (end < EditMask.size() && EditMask[end] != MaskFieldSeparator) end += EditMask[end] == u'\\' ? 2 : 1;
  end = std::min(end, EditMask.size());
  if (end < EditMask.size()) {
    const String rest = EditMask.substr(end + 1);
    size_t field = 0;
    if (!rest.empty() && rest[0] != MaskFieldSeparator) {
      FSaveLiterals = rest[0] != MaskNoSave;
      field = 1;
    }
    if (field < rest.size() && rest[field] == MaskFieldSeparator && field + 1 < rest.size())
      FBlank = rest[field + 1];
  }
  TCase current = mcAsTyped;
  for (size_t i = 0; i < end; ++i) {
    const Char c = EditMask[i];
    TPosition p;
    p.Case = current;
    switch (c) {
      case u'!': FLeadingBlanks = true; continue;
      case u'>':
        current = mcUpper;
        continue;
      case u'<':
        if (i + 1 < end && EditMask[i + 1] == u'>') {
          current = mcAsTyped;
          ++i;
        } else {
          current = mcLower;
        }
        continue;
      case u'\\':
        if (i + 1 >= end) continue;
        p.Literal = EditMask[++i];
        break;
      case u'0': p.Kind = mkDigit; p.Required = true; break;
      case u'9': p.Kind = mkDigit; break;
      case u'#': p.Kind = mkDigitSign; break;
      case u'L': p.Kind = mkLetter; p.Required = true; break;
      case u'l': p.Kind = mkLetter; break;
      case u'A': p.Kind = mkAlphaNum; p.Required = true; break;
      case u'a': p.Kind = mkAlphaNum; break;
      case u'C': p.Kind = mkAny; p.Required = true; break;
      case u'c': p.Kind = mkAny; break;
      case u':': p.Literal = FormatSettings.TimeSeparator; break;
      case u'/': p.Literal = FormatSettings.DateSeparator; break;
      case u'_': p.Literal = u' '; break;
      default: p.Literal = c; break;
    }
    FPositions.push_back(p);
  }
}

bool TEditMaskRules::IsLiteral(Integer Pos) const {
  return Pos >= 0 && Pos < Length() && FPositions[static_cast<size_t>(Pos)].Kind == mkLiteral;
}

Char TEditMaskRules::Literal(Integer Pos) const {
  return IsLiteral(Pos) ? FPositions[static_cast<size_t>(Pos)].Literal : Char(0);
}

bool TEditMaskRules::Required(Integer Pos) const {
  return Pos >= 0 && Pos < Length() && FPositions[static_cast<size_t>(Pos)].Required;
}

Char TEditMaskRules::Accept(Integer Pos, Char Ch) const {
  if (Pos < 0 || Pos >= Length()) return 0;
  const TPosition& p = FPositions[static_cast<size_t>(Pos)];
  if (p.Kind == mkLiteral) return 0;
  if (IsBlank(Ch)) return p.Required ? Char(0) : FBlank;
  if (p.Case == mcUpper) Ch = ToUpper(Ch);
  if (p.Case == mcLower) Ch = ToLower(Ch);
  switch (p.Kind) {
    case mkDigit: return IsDigit(Ch) ? Ch : Char(0);
    case mkDigitSign: return IsDigit(Ch) || Ch == u'+' || Ch == u'-' ? Ch : Char(0);
    case mkLetter: return IsLetter(Ch) ? Ch : Char(0);
    case mkAlphaNum: return IsLetter(Ch) || IsDigit(Ch) ? Ch : Char(0);
    case mkAny: return Ch >= u' ' ? Ch : Char(0);
    default: return 0;
  }
}

Integer TEditMaskRules::NextInput(Integer Pos) const {
  Integer p = std::max(Pos, 0);
  while (p < Length() && IsLiteral(p)) ++p;
  return std::min(p, Length());
}

Integer TEditMaskRules::PrevInput(Integer Pos) const {
  Integer p = std::min(Pos, Length()) - 1;
  while (p >= 0 && IsLiteral(p)) --p;
  return p;
}

String TEditMaskRules::EmptyEditText() const {
  String r;
  for (const TPosition& p : FPositions) r += p.Kind == mkLiteral ? p.Literal : FBlank;
  return r;
}

String TEditMaskRules::EditTextOf(const String& Text) const {
  const Integer n = Length();
  String r(static_cast<size_t>(n), FBlank);
  // The text fills the positions from the end when the mask says so and the text is shorter.
  const bool backwards = FLeadingBlanks && static_cast<Integer>(Text.size()) < n;
  const Integer count = static_cast<Integer>(Text.size());
  Integer t = backwards ? count - 1 : 0;
  for (Integer k = 0; k < n; ++k) {
    const Integer i = backwards ? n - 1 - k : k;
    const TPosition& p = FPositions[static_cast<size_t>(i)];
    const bool more = backwards ? t >= 0 : t < count;
    if (p.Kind == mkLiteral) {
      r[static_cast<size_t>(i)] = p.Literal;
      if (more && Text[static_cast<size_t>(t)] == p.Literal) t += backwards ? -1 : 1;
      continue;
    }
    if (!more) continue;
    Char c = Text[static_cast<size_t>(t)];
    t += backwards ? -1 : 1;
    if (IsBlank(c)) continue;
    if (p.Case == mcUpper) c = ToUpper(c);
    if (p.Case == mcLower) c = ToLower(c);
    r[static_cast<size_t>(i)] = c;
  }
  return r;
}

String TEditMaskRules::TextOf(const String& EditText) const {
  String r;
  for (Integer i = 0; i < Length(); ++i) {
    const TPosition& p = FPositions[static_cast<size_t>(i)];
    if (p.Kind == mkLiteral) {
      if (FSaveLiterals) r += p.Literal;
      continue;
    }
    const Char c = i < static_cast<Integer>(EditText.size()) ? EditText[static_cast<size_t>(i)] : FBlank;
    r += IsBlank(c) ? u' ' : c;
  }
  return r;
}

Integer TEditMaskRules::FirstMissing(const String& EditText) const {
  for (Integer i = 0; i < Length(); ++i) {
    if (!FPositions[static_cast<size_t>(i)].Required) continue;
    if (i >= static_cast<Integer>(EditText.size()) || IsBlank(EditText[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

// --- TCustomMaskEdit -----------------------------------------------------------------------------------

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
  if (Value == FEditMask) return;
  const String text = GetText();
  FEditMask = Value;
  FRules = TEditMaskRules(Value);
  if (FImpl) FImpl->SetMaxLength(EditorMaxLength());
  if (IsMasked())
    SetEditTextRaw(FRules.EditTextOf(text));
  else
    TCustomEdit::SetTextImpl(text);
  FOldValue = EditText();
}

String TCustomMaskEdit::EditText() const { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) {
    SetText(Value);
    return;
  }
  const String before = EditText();
  SetEditTextRaw(FRules.EditTextOf(Value));
  FOldValue = EditText();
  if (EditText() != before) Perform(CM_TEXTCHANGED, 0, 0);
}

String TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TCustomEdit::GetText();
  return FRules.TextOf(TCustomEdit::GetText());
}

void TCustomMaskEdit::SetTextImpl(const String& v) {
  if (!IsMasked()) {
    TCustomEdit::SetTextImpl(v);
    return;
  }
  SetEditTextRaw(FRules.EditTextOf(v));
  // Esc abandons the user's changes, not those made in code.
  FOldValue = EditText();
}

void TCustomMaskEdit::SetEditTextRaw(const String& Value) {
  if (!FImpl) return;
  const String before = FImpl->GetText();
  FImpl->SetText(Value);
  if (FImpl->GetText() != before) Notify(this, EN_CHANGE);
}

void TCustomMaskEdit::ApplyUserEdit(const String& NewEditText, Integer Caret) {
  if (!FImpl) return;
  if (NewEditText != FImpl->GetText()) {
    // Replaced as typing would: the edit is modified, keeps its undo and reports the change.
    FImpl->SetSelection(0, static_cast<Integer>(FImpl->GetText().size()));
    FImpl->ReplaceSelection(NewEditText);
  }
  FImpl->SetSelection(std::clamp<Integer>(Caret, 0, FRules.Length()), 0);
}

String TCustomMaskEdit::BlankedRange(const String& Text, Integer Start, Integer Length) const {
  String r = Text;
  const Integer end = std::min<Integer>(Start + Length, static_cast<Integer>(r.size()));
  for (Integer i = std::max(Start, 0); i < end; ++i)
    if (!FRules.IsLiteral(i)) r[static_cast<size_t>(i)] = FRules.Blank();
  return r;
}

bool TCustomMaskEdit::EnterChar(String& Text, Integer& Caret, Char Ch) const {
  const Integer n = FRules.Length();
  // A literal at the caret that is typed moves the caret past it.
  for (Integer q = Caret; q < n && FRules.IsLiteral(q); ++q) {
    if (FRules.Literal(q) == Ch) {
      Caret = q + 1;
      return true;
    }
  }
  // The next input position takes the character.
  const Integer p = FRules.NextInput(Caret);
  if (p < n) {
    if (const Char c = FRules.Accept(p, Ch)) {
      Text[static_cast<size_t>(p)] = c;
      Caret = p + 1;
      return true;
    }
  }
  // A literal further on that is typed moves the caret past it; the positions before stay.
  for (Integer q = Caret; q < n; ++q) {
    if (FRules.IsLiteral(q) && FRules.Literal(q) == Ch) {
      Caret = q + 1;
      return true;
    }
  }
  return false;
}

void TCustomMaskEdit::WMChar(TMessage& M) {
  if (!IsMasked()) {
    TCustomEdit::WMChar(M);
    return;
  }
  if (DoKeyPress(M)) return;
  const Char ch = static_cast<Char>(M.WParam);
  switch (ch) {
    case 3: Perform(WM_COPY, 0, 0); return;
    case 22: Perform(WM_PASTE, 0, 0); return;
    case 24: Perform(WM_CUT, 0, 0); return;
    case 26: Perform(WM_UNDO, 0, 0); return;
    case 1: SelectAll(); return;
    default: break;
  }
  if (FReadOnly || !FImpl) return;
  const Integer start = SelStart(), length = SelLength();
  String text = EditText();
  if (ch == 8) {
    if (length > 0) {
      ApplyUserEdit(BlankedRange(text, start, length), start);
      return;
    }
    const Integer p = FRules.PrevInput(start);
    if (p < 0) return;
    text[static_cast<size_t>(p)] = FRules.Blank();
    ApplyUserEdit(text, p);
    return;
  }
  // The other control characters (Enter, Esc, Tab, Ctrl+Backspace) change nothing here.
  if (ch < 32 || ch == 127) return;
  text = BlankedRange(text, start, length);
  Integer caret = start;
  if (!EnterChar(text, caret, ch)) {
    Beep();
    return;
  }
  ApplyUserEdit(text, caret);
}

void TCustomMaskEdit::WMKeyDown(TMessage& M) {
  if (!IsMasked()) {
    TCustomEdit::WMKeyDown(M);
    return;
  }
  if (DoKeyDown(M)) return;
  const Word key = static_cast<Word>(M.WParam);
  const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  // The editing keys that would shift the text act on the positions instead.
  if (key == VK_DELETE) {
    if (shift) {
      Perform(WM_CUT, 0, 0);
      return;
    }
    if (FReadOnly || !FImpl) return;
    const Integer start = SelStart(), length = SelLength();
    String text = EditText();
    if (length > 0) {
      ApplyUserEdit(BlankedRange(text, start, length), start);
    } else if (!ctrl) {
      const Integer p = FRules.NextInput(start);
      if (p >= FRules.Length()) return;
      text[static_cast<size_t>(p)] = FRules.Blank();
      ApplyUserEdit(text, start);
    }
    return;
  }
  if (key == VK_INSERT && shift) {
    Perform(WM_PASTE, 0, 0);
    return;
  }
  DefaultHandler(M);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (IsMasked() && Key == VK_ESCAPE && Modified()) {
    Reset();
    Key = 0;
  }
}

void TCustomMaskEdit::CMWantSpecialKey(TMessage& M) {
  // Esc abandons the changes of a modified masked edit instead of cancelling the dialog.
  if (IsMasked() && static_cast<Word>(M.WParam) == VK_ESCAPE && Modified()) {
    M.Result = 1;
    return;
  }
  TCustomEdit::CMWantSpecialKey(M);
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked()) return;
  SetEditTextRaw(FRules.EditTextOf(FOldValue));
  SetModified(false);
  SelectAll();
}

void TCustomMaskEdit::CMEnter(TMessage& M) {
  FOldValue = EditText();
  TCustomEdit::CMEnter(M);
}

void TCustomMaskEdit::CMExit(TMessage& M) {
  // A form being freed takes its controls without asking them.
  if (IsMasked() && !HasState(csDesigning) && !HasState(csDestroying)) ValidateEdit();
  TCustomEdit::CMExit(M);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  const Integer missing = FRules.FirstMissing(EditText());
  if (missing >= 0) ValidateError(missing);
}

void TCustomMaskEdit::ValidateError(Integer Pos) {
  Beep();
  // The edit keeps the focus, and the text it had when it was entered stays the one Esc restores.
  const String old = FOldValue;
  if (CanFocus() && !Focused()) SetFocus();
  FOldValue = old;
  if (FImpl) FImpl->SetSelection(Pos, 0);
  throw EDBEditError(u"Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::Dispatch(TMessage& M) {
  if (IsMasked()) {
    switch (M.Msg) {
      case WM_CLEAR:
        if (!FReadOnly && SelLength() > 0) ApplyUserEdit(BlankedRange(EditText(), SelStart(), SelLength()), SelStart());
        return;
      case WM_PASTE: {
        if (FReadOnly || !FImpl) return;
        String s = Clipboard()->AsText();
        const size_t br = s.find_first_of(u"\r\n");
        if (br != String::npos) s.resize(br);
        Integer caret = SelStart();
        String text = BlankedRange(EditText(), caret, SelLength());
        // The pasted characters are typed one by one; the first one refused ends the paste.
        for (Char ch : s) {
          if (!EnterChar(text, caret, ch)) {
            Beep();
            break;
          }
        }
        ApplyUserEdit(text, caret);
        return;
      }
      default: break;
    }
  }
  TCustomEdit::Dispatch(M);
}

Integer TCustomMaskEdit::EditorMaxLength() const {
  return IsMasked() ? FRules.Length() : TCustomEdit::EditorMaxLength();
}

Integer TCustomMaskEdit::FontCellHeight() const {
  TCanvas measure;
  measure.Font()->Assign(Font());
  return measure.TextHeight(u"0");
}

Integer TCustomMaskEdit::SystemFontCellHeight() {
  TCanvas measure;
  return measure.TextHeight(u"0");
}
