// Typed entry of the drop-down editor: the key-down, character, clipboard and special-key handling
// that filters what is typed and pasted by the edit type, keeps the caret out of the fixed prefix
// and suffix, limits integer digits and decimals, opens and closes the popup, and passes Enter and
// Esc on to the surrounding window.
//
// Positions: the caret (SelStart) counts from the start of the whole edit text; the caret offset
// counts from the start of the value (after the prefix).
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "components/dropdown/ExDropDown.h"
#include "components/gridbase/ExUtil.h"
#include "platform/gui/Clipbrd.h"
#include "platform/rtl/SysUtils.h"

namespace {

bool IsDigit(Char C) { return C >= u'0' && C <= u'9'; }

bool IsNumericType(TDropDownEditType T) { return T == etNumeric || T == etFloat || T == etMoney; }

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0; }

Char DecimalSep() { return FormatSettings.DecimalSeparator; }
Char ThousandSep() { return FormatSettings.ThousandSeparator; }

String LowerText(const String& S) { return AnsiLowerCase(S); }
String UpperText(const String& S) { return AnsiUpperCase(S); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Helpers

bool TExCustomDropDown::HasParentForm() const {
  return GetParentForm(const_cast<TExCustomDropDown*>(this)) != nullptr;
}

bool TExCustomDropDown::KeyPreviewOfForm() const {
  TCustomForm* f = GetParentForm(const_cast<TExCustomDropDown*>(this));
  return f && f->KeyPreview();
}

void TExCustomDropDown::PostKeyToParent(UINT Msg, Word Key) {
  if (FParent) PostMessage(FParent->Handle(), Msg, Key, 0);
}

void TExCustomDropDown::PassOnChar(TMessage& M) { TCustomMaskEdit::WMChar(M); }

void TExCustomDropDown::PlainChar(TMessage& M) { TWinControl::WMChar(M); }

Integer TExCustomDropDown::IntegerPartLength(const String& Value) const {
  String plain;
  StripThousandSeparators(Value, plain);
  const size_t p = plain.find(DecimalSep());
  Integer n = p == String::npos ? Length(plain) + 1 : static_cast<Integer>(p) + 1;
  if (FSigned && IsNumericType(FEditType) && plain.find(u'-') != String::npos) --n;
  return n;
}

// ---------------------------------------------------------------------------------------------
// Key down

void TExCustomDropDown::WMKeyDown(TMessage& M) {
  FFormatAfterKey = false;
  FFixCaretAfterKey = false;
  TCustomMaskEdit::WMKeyDown(M);
  // The edit has handled the key now (a Delete has deleted): finish what depends on its result.
  if (FFormatAfterKey) AutoSeparators();
  if (FFixCaretAfterKey && SelStart() < Length(FPrefix)) {
    SetSelStart(Length(FPrefix));
    SetSelLength(0);
  }
  FFormatAfterKey = false;
  FFixCaretAfterKey = false;
}

void TExCustomDropDown::WMSysKeyDown(TMessage& M) { TCustomMaskEdit::WMSysKeyDown(M); }

void TExCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
  // Alt with Up or Down opens and closes the popup in every state.
  if ((Key == VK_DOWN || Key == VK_UP) && Shift.Contains(ssAlt)) {
    if (FDroppedDown)
      DoHideDropDown(false);
    else
      DoShowDropDown();
    Key = 0;
    return;
  }
  auto popupKeys = [this](Word K) {
    switch (K) {
      case VK_RETURN: DoHideDropDown(false); break;
      case VK_ESCAPE: DoHideDropDown(true); break;
      case VK_F4:
        if (FDropDownForm && FDropDownForm->Visible())
          DoHideDropDown(false);
        else
          DoShowDropDown();
        break;
      default: break;
    }
  };
  if (!FEditorEnabled) {
    if (!Enabled()) return;
    if (!ReadOnly()) popupKeys(Key);
    if (Key == VK_RETURN || Key == VK_ESCAPE)
      TCustomMaskEdit::KeyDown(Key, Shift);
    else
      Key = 0;
    return;
  }
  const bool ctrl = Shift.Contains(ssCtrl);
  if (ctrl && (Key == VK_TAB || Key == VK_RETURN)) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    // Enter moves on as Tab would: the key goes through the dialog-key handling of the form.
    if (Visible()) PostMessage(Handle(), CN_KEYDOWN, VK_TAB, 0);
  }
  const Integer lp = Length(FPrefix);
  const String value = Text();
  // The end of the value in the edit text; the caret may not pass it into the suffix.
  const Integer valueEnd = lp + Length(value);
  const Integer selEnd = SelStart() + SelLength();
  if (Key == VK_RIGHT && !FSuffix.empty()) {
    if (selEnd >= valueEnd) Key = 0;
    return;
  }
  if (Key == VK_DELETE && !FSuffix.empty() && selEnd >= valueEnd && SelLength() == 0) {
    Key = 0;
    return;
  }
  if (Key == VK_LEFT && !FPrefix.empty()) {
    if (selEnd <= lp) Key = 0;
    return;
  }
  if (Key == VK_END && !FSuffix.empty()) {
    if (Shift.Contains(ssShift)) {
      const Integer start = SelStart();
      SetSelStart(start);
      SetSelLength(std::max(0, valueEnd - start));
    } else {
      SetSelStart(valueEnd);
      SetSelLength(0);
    }
    Key = 0;
    return;
  }
  if (Key == VK_HOME && !FPrefix.empty()) {
    if (Shift.Contains(ssShift)) {
      SetSelStart(lp);
      SetSelLength(Length(value));
    } else {
      SetSelStart(lp);
      SetSelLength(0);
    }
    Key = 0;
    return;
  }
  if (Key == VK_BACK && !FPrefix.empty() && SelStart() <= lp + 1) {
    Key = 0;
    return;
  }
  if (Key == VK_BACK) SetModified(true);
  if (Key == VK_DELETE && SelStart() >= lp) {
    // The value as the deletion would leave it.
    const Integer offset = SelStart() - lp;
    String after = value;
    if (SelLength() > 0)
      after.erase(static_cast<size_t>(std::min(offset, Length(after))),
                  static_cast<size_t>(std::max(0, std::min(SelLength(), Length(after) - offset))));
    else if (offset < Length(after))
      after.erase(static_cast<size_t>(offset), 1);
    if (FLengthLimit > 0 && IntegerPartLength(after) - 1 > FLengthLimit) {
      Key = 0;
      return;
    }
    SetModified(true);
  }
  const Word key = Key;
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (key == VK_DELETE && FEditType == etMoney) FFormatAfterKey = true;
  FFixCaretAfterKey = true;
  popupKeys(key);
}

void TExCustomDropDown::KeyUp(Word& Key, TShiftState Shift) { TCustomMaskEdit::KeyUp(Key, Shift); }

void TExCustomDropDown::KeyPress(Char& Key) {
  TCustomMaskEdit::KeyPress(Key);
  // Enter types nothing in a one-line edit (and must not beep).
  if (Key == VK_RETURN) Key = 0;
}

// ---------------------------------------------------------------------------------------------
// Characters

void TExCustomDropDown::BeforeTypedEntry(Char& Key) { (void)Key; }

void TExCustomDropDown::WMChar(TMessage& M) {
  if (!FEditorEnabled) return;
  Char ch = static_cast<Char>(M.WParam);
  BeforeTypedEntry(ch);
  if (ch == 0) return;
  M.WParam = ch;
  const Integer lp = Length(FPrefix);
  const String value = Text();
  const bool ctrl = CtrlDown();
  if (ch == 13 && ctrl) return;
  if (ch == 13) {
    Char k = ch;
    KeyPress(k);
    M.WParam = 0;
    if (!FDefaultHandling && FParent) {
      PostKeyToParent(WM_KEYDOWN, VK_RETURN);
      if (KeyPreviewOfForm())
        PlainChar(M);
      else
        PostKeyToParent(WM_KEYUP, VK_RETURN);
    }
    return;
  }
  if (ch == 27) {
    if (!FDefaultHandling && FParent) {
      if (KeyPreviewOfForm()) {
        PlainChar(M);
        return;
      }
      PostKeyToParent(WM_KEYDOWN, VK_ESCAPE);
      PostKeyToParent(WM_KEYUP, VK_ESCAPE);
    }
    if (!FCanUndo) PlainChar(M);
    // Esc types nothing; with CanUndo the special-key handling has selected the value already.
    return;
  }
  if (ctrl && (ch == 3 || ch == 22 || ch == 24)) {
    // The masked edit turns these into the clipboard messages handled below.
    TCustomMaskEdit::WMChar(M);
    return;
  }
  if (FExcelStyleDecimalSeparator && (ch == u'.' || ch == u',') && (M.LParam & KF_KEYPAD)) {
    ch = DecimalSep();
    M.WParam = ch;
  }
  if (ch == 8 && !FPrefix.empty() && SelLength() == 0 && SelStart() <= lp) return;
  if (FLengthLimit > 0 && IntegerPartLength(value) > FLengthLimit && SelLength() == 0) {
    const Integer dp = Pos(String(1, DecimalSep()), value);
    const Integer decimalPos = dp > 0 ? lp + dp : lp + Length(value) + Length(FSuffix) + 1;
    const bool exempt = ch == 8 || ch == DecimalSep() || (ch == u'-' && FSigned && IsNumericType(FEditType));
    if (SelStart() < decimalPos && !exempt) return;
  }
  if (ch == 8) {
    PassOnChar(M);
    return;
  }
  if (ch == 10 && ctrl) return;
  if (ch == u'-' && IsNumericType(FEditType) && !FSigned) return;
  HandleTypedChar(M);
  if (TCustomMaskEdit::Modified()) SetModified(true);
}

void TExCustomDropDown::HandleTypedChar(TMessage& M) {
  const Char ch = static_cast<Char>(M.WParam);
  const bool basic = ch == 8 || ch == 9 || ch == 13;
  switch (FEditType) {
    case etString:
    case etPassword:
      SetModified(true);
      PassOnChar(M);
      return;
    case etNumeric: {
      const bool ctrl = GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0;
      if (!(basic || ch == u'-' || IsDigit(ch) || ctrl)) return;
      if (ch == u'-') {
        const String value = Text();
        const bool whole = !value.empty() && SelStart() == Length(FPrefix) && SelLength() == Length(value);
        ToggleSign(whole);
        return;
      }
      PassOnChar(M);
      return;
    }
    case etFloat:
      if (!(basic || ch == u',' || ch == u'-' || ch == u'.' || IsDigit(ch))) return;
      HandleDecimalChar(M, ch);
      return;
    case etMoney: {
      if (!(basic || ch == u'-' || IsDigit(ch) || ch == DecimalSep())) return;
      const String before = EditText();
      HandleDecimalChar(M, ch);
      const String after = Text();
      if (ch != DecimalSep() && EditText() != before && !after.empty() && after != u"-") {
        AutoSeparators();
        if (TCustomMaskEdit::Modified()) SetModified(true);
      }
      return;
    }
    case etUppercase:
      M.WParam = UpperText(String(1, ch))[0];
      PassOnChar(M);
      return;
    case etLowerCase:
      M.WParam = LowerText(String(1, ch))[0];
      PassOnChar(M);
      return;
    case etMixedCase: {
      const Integer caret = SelStart();
      PassOnChar(M);
      // The value is capitalised word by word; the prefix and suffix stay where they are.
      SetEditTextDirect(FPrefix + CapitalizeWords(Text()) + FSuffix);
      SetSelStart(caret + 1);
      SetSelLength(0);
      return;
    }
    case etRange: {
      if (!(basic || ch == u',' || ch == u'-' || ch == u';' || IsDigit(ch))) return;
      SetModified(true);
      if (IsRangeSeparator(ch)) {
        const String t = EditText();
        const Integer caret = SelStart();
        if (caret <= Length(FPrefix)) return;
        if (caret >= 1 && caret <= Length(t) && IsRangeSeparator(t[static_cast<size_t>(caret - 1)])) return;
        if (caret < Length(t) && IsRangeSeparator(t[static_cast<size_t>(caret)])) return;
      }
      PassOnChar(M);
      return;
    }
    case etHex: {
      const bool hex = IsDigit(ch) || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
      if (!(basic || ch == u'-' || hex)) return;
      SetModified(true);
      PassOnChar(M);
      return;
    }
    case etAlphaNumeric: {
      const bool alnum = IsDigit(ch) || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
      if (!(basic || alnum)) return;
      SetModified(true);
      PassOnChar(M);
      return;
    }
    case etValidChars:
      if (!(ch == 8 || FValidChars.find(ch) != String::npos)) return;
      SetModified(true);
      PassOnChar(M);
      return;
  }
}

void TExCustomDropDown::HandleDecimalChar(TMessage& M, Char Ch) {
  const Char ds = DecimalSep(), ts = ThousandSep();
  const Integer lp = Length(FPrefix);
  const String value = Text();
  const Integer offset = SelStart() - lp;
  const String selected = SelText();
  const bool isFloat = FEditType == etFloat;
  if (isFloat && Ch == u',' && ds != u',' && ts != u',') return;
  if (isFloat && Ch == u'.' && ds != u'.' && ts != u'.') return;
  if (Ch == ds && (value.find(ds) != String::npos || FPrecision == 0) &&
      (!isFloat || selected.find(ds) == String::npos)) {
    if (FPrecision == 0) return;
    if (FEditType == etMoney && !value.empty() && SelStart() == lp && SelLength() == Length(value))
      SetText(u"0,0");
    SelectAfterDecimal();
    return;
  }
  if (isFloat && Ch == u',' && value.find(u',') != String::npos && selected.find(u',') == String::npos &&
      ts != u',')
    return;
  if ((Ch == ts || Ch == ds) && value.find(ts) != String::npos) {
    // The separator is allowed only exactly three places from the nearest thousand separator.
    String s = value;
    Integer o = offset;
    Integer nearest = INT32_MAX;
    for (Integer p = Pos(String(1, ts), s); p > 0; p = Pos(String(1, ts), s)) {
      nearest = std::min(nearest, std::abs(p - o));
      s = Copy(s, p + 1, Length(s));
      if (p < o) o -= p;
    }
    if (nearest != 3) return;
  }
  if (FPrecision > 0 && SelLength() == 0 && (IsDigit(Ch) || Ch == ds)) {
    const Integer pd = Pos(String(1, ds), value);
    const Integer lv = Length(value);
    if (pd > 0 && offset >= pd && lv - offset <= FPrecision && lv - pd >= FPrecision) {
      // The decimals are complete: a digit overwrites the next one, anything else is refused.
      if (IsDigit(Ch) && offset < lv) {
        SetSelLength(1);
        PassOnChar(M);
      }
      return;
    }
  }
  if (value.empty() && offset == 0 && Ch == ds) {
    SetEditTextDirect(FPrefix + u"0" + String(1, ds) + FSuffix);
    SetSelStart(lp + 2);
    SetSelLength(0);
    SetModified(true);
    return;
  }
  if (Ch == u'-' && SelLength() == 0) {
    ToggleSign(false);
    return;
  }
  PassOnChar(M);
}

void TExCustomDropDown::ToggleSign(bool WholeSelected) {
  const Integer lp = Length(FPrefix);
  const String value = Text();
  const Integer caret = SelStart();
  // The text is written as it stands, without the precision formatting of the Text write.
  const int16_t precision = FPrecision;
  if (FEditType != etNumeric) FPrecision = 0;
  bool removed = false;
  if (FEditType == etNumeric && WholeSelected) {
    SetEditTextDirect(FPrefix + u"-" + FSuffix);
    SetSelStart(lp + 1);
    SetSelLength(0);
  } else if (value.find(u'-') == String::npos) {
    SetEditTextDirect(FPrefix + u"-" + value + FSuffix);
    SetSelStart(caret + 1);
    SetSelLength(0);
  } else {
    SetEditTextDirect(FPrefix + value.substr(1) + FSuffix);
    SetSelStart(caret > lp ? std::max(lp, caret - 1) : lp);
    SetSelLength(0);
    removed = true;
  }
  FPrecision = precision;
  if (FEditType == etNumeric && removed)
    SetModified(TCustomMaskEdit::Modified());
  else
    SetModified(true);
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void TExCustomDropDown::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_CUT: WMCut(M); return;
    case WM_COPY: WMCopy(M); return;
    case WM_PASTE: WMPaste(M); return;
    default: TCustomMaskEdit::Dispatch(M);
  }
}

namespace {

// The part of the selection that lies in the value (not in the prefix or suffix).
String SelectedValue(const String& Value, Integer PrefixLength, Integer SelStart, Integer SelLength) {
  const Integer from = std::clamp(SelStart - PrefixLength, 0, Length(Value));
  const Integer to = std::clamp(SelStart + SelLength - PrefixLength, from, Length(Value));
  return Value.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

}  // namespace

void TExCustomDropDown::WMCut(TMessage& M) {
  if (!FEditorEnabled || ReadOnly()) return;
  FBlockCopy = true;
  bool allow = true;
  if (OnClipboardCut) OnClipboardCut(this, SelectedValue(Text(), Length(FPrefix), SelStart(), SelLength()), allow);
  if (allow) TCustomMaskEdit::Dispatch(M);
  FBlockCopy = false;
}

void TExCustomDropDown::WMCopy(TMessage& M) {
  bool allow = true;
  if (!FBlockCopy && OnClipboardCopy)
    OnClipboardCopy(this, SelectedValue(Text(), Length(FPrefix), SelStart(), SelLength()), allow);
  FBlockCopy = false;
  if (allow) TCustomMaskEdit::Dispatch(M);
}

void TExCustomDropDown::WMPaste(TMessage& M) {
  (void)M;
  if (ReadOnly()) return;
  String clip = Clipboard()->AsText();
  // One line only: the edit holds no line breaks.
  const size_t br = clip.find_first_of(u"\r\n");
  if (br != String::npos) clip.resize(br);
  if (clip.empty()) return;
  const Integer lp = Length(FPrefix);
  const String value = Text();
  const Integer offset = std::clamp(SelStart() - lp, 0, Length(value));
  const Integer sel = std::clamp(SelLength(), 0, Length(value) - offset);
  const String n = value.substr(0, static_cast<size_t>(offset)) + clip + value.substr(static_cast<size_t>(offset + sel));
  bool allow = true;
  if (OnClipboardPaste) OnClipboardPaste(this, n, allow);
  if (!allow) return;
  if (MaxLength() > 0 && MaxLength() < Length(clip) + Length(value) - sel) return;
  auto allIn = [](const String& S, auto Pred) { return std::all_of(S.begin(), S.end(), Pred); };
  switch (FEditType) {
    case etString:
    case etPassword: SetText(n); break;
    case etNumeric:
      if (ExDropDown::ClassifyNumberText(n) == 0 && (FSigned || n.find(u'-') == String::npos)) {
        SetText(n);
        SetModified(true);
      }
      break;
    case etFloat:
    case etMoney: {
      const Integer kind = ExDropDown::ClassifyNumberText(n);
      if (kind != 0 && kind != 1) break;
      if (FPrecision == 0 && clip.find(DecimalSep()) != String::npos) break;
      if (FSigned || n.find(u'-') == String::npos) {
        SetText(n);
        SetFloatValue(FloatValue());
        SetModified(true);
      }
      break;
    }
    case etUppercase: SetText(UpperText(n)); break;
    case etMixedCase: SetText(CapitalizeWords(n)); break;
    case etLowerCase: SetText(LowerText(n)); break;
    case etAlphaNumeric:
      if (allIn(n, [](Char c) { return IsDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); })) {
        SetText(n);
        SetModified(true);
      }
      break;
    case etValidChars:
      if (allIn(n, [this](Char c) { return FValidChars.find(c) != String::npos; })) {
        SetText(n);
        SetModified(true);
      }
      break;
    case etRange:
    case etHex: break;
  }
  if (FEditType == etMoney && Length(Text()) > 3) {
    SelectAll();
  } else if (sel > 0) {
    SetSelStart(lp + offset);
    SetSelLength(Length(clip));
  } else {
    SetSelStart(lp + offset + Length(clip));
    SetSelLength(0);
  }
  switch (FEditType) {
    case etString:
    case etUppercase:
    case etMixedCase:
    case etLowerCase:
    case etPassword: SetModified(true); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// The dialog manager's questions

void TExCustomDropDown::WMGetDlgCode(TMessage& M) { TCustomMaskEdit::WMGetDlgCode(M); }

void TExCustomDropDown::CMWantSpecialKey(TMessage& M) {
  const Word key = static_cast<Word>(M.WParam);
  if (HasParentForm()) {
    const bool kp = KeyPreviewOfForm();
    if (key == VK_ESCAPE && FCanUndo && !kp) {
      SelectAll();
      SetModified(false);
      M.WParam = 0;
      if (FDefaultHandling && FParent) {
        PostKeyToParent(WM_KEYDOWN, VK_ESCAPE);
        PostKeyToParent(WM_KEYUP, VK_ESCAPE);
      }
    } else if (key == VK_RETURN && FDefaultHandling && !kp && FParent && GetFocus() == FParent->Handle()) {
      PostKeyToParent(WM_KEYDOWN, VK_RETURN);
      PostKeyToParent(WM_KEYUP, VK_RETURN);
    }
  }
  TCustomMaskEdit::CMWantSpecialKey(M);
  if (key == VK_ESCAPE && FDroppedDown) M.Result = 1;
}
