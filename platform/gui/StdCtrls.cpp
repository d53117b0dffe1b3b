#include "platform/gui/StdCtrls.h"

#include <algorithm>
#include <cstdint>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Forms.h"

namespace {

// A child's notification as Windows sends it: WM_COMMAND to the parent, which reflects it back as
// CN_COMMAND; without a parent the control hears it directly.
void Notify(TWinControl* c, Word code) {
  if (c->Parent())
    c->Parent()->NotifyCommand(c, code);
  else
    c->Perform(CN_COMMAND, MakeWParam(0, code), static_cast<LPARAM>(c->Handle()));
}

Char UpperChar(Char c) {
  if (c >= u'a' && c <= u'z') return static_cast<Char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<Char>(c - 32);
  return c;
}

Char LowerChar(Char c) {
  if (c >= u'A' && c <= u'Z') return static_cast<Char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<Char>(c + 32);
  return c;
}

std::vector<String> SplitLines(const String& s) {
  std::vector<String> out;
  String cur;
  for (size_t i = 0; i < s.size(); ++i) {
    Char c = s[i];
    if (c == u'\r' || c == u'\n') {
      out.push_back(cur);
      cur.clear();
      if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

String JoinLines(const std::vector<String>& lines, const String& sep) {
  String out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += sep;
    out += lines[i];
  }
  return out;
}

// The accelerator character of a caption ("&Save" -> 's'), 0 when none.
Char AccelOf(const String& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (caption[i + 1] == u'&') {
        ++i;
        continue;
      }
      return LowerChar(caption[i + 1]);
    }
  }
  return 0;
}

bool IsButtonControl(TWinControl* c) { return dynamic_cast<TButton*>(c) != nullptr; }

}  // namespace

// --- TCustomLabel ------------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FParentColor = true;
  FControlStyle |= csOpaque;
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool v) {
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment v) {
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  FTransparent = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  FFocusControl = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

Cardinal TCustomLabel::DrawTextFlags() const {
  Cardinal f = DT_EXPANDTABS;
  if (FWordWrap) f |= DT_WORDBREAK;
  if (!FShowAccelChar) f |= DT_NOPREFIX;
  switch (FAlignment) {
    case taRightJustify: f |= DT_RIGHT; break;
    case taCenter: f |= DT_CENTER; break;
    default: break;
  }
  return f;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csLoading)) return;
  TCanvas measure;
  measure.Font()->Assign(&FFont);
  String text = FText.empty() && FShowAccelChar ? String(u" ") : FText;
  TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
  DrawText(&measure, text.empty() ? String(u" ") : text, r, DrawTextFlags() | DT_CALCRECT);
  Integer x = FLeft;
  if (!FWordWrap && FAlignment == taRightJustify) x = FLeft + FWidth - r.Width();
  if (!FWordWrap && FAlignment == taCenter) x = FLeft + (FWidth - r.Width()) / 2;
  SetBounds(x, FTop, r.Width(), r.Height());
}

void TCustomLabel::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (FFocusControl && FShowAccelChar && Enabled() && AccelOf(FText) != 0 &&
          AccelOf(FText) == LowerChar(static_cast<Char>(M.WParam)) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        M.Result = 1;
      }
      break;
    default:
      TGraphicControl::Dispatch(M);
  }
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  c->SetBkMode(TRANSPARENT);
  c->Font()->Assign(&FFont);
  Cardinal flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DrawText(c, FText, calc, flags | DT_CALCRECT);
    Integer dy = FLayout == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
    OffsetRect(r, 0, dy);
  }
  if (!IsEnabledInTree()) c->Font()->SetColor(clGrayText);
  DrawText(c, FText, r, flags);
}

// --- TCustomEdit ---------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, wkEdit) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, TWidgetKind Kind) : TWinControl(AOwner, Kind) {
  FTabStop = true;
  FColor = clWindow;
  FBorderStyle = bsSingle;
  FControlStyle &= ~static_cast<uint32_t>(csSetCaption);
  if (FImpl) FImpl->SetColor(FColor);
  SetBounds(0, 0, 121, 21);
}

String TCustomEdit::GetText() const { return FImpl ? FImpl->GetText() : String(); }

String TCustomEdit::ApplyCase(const String& s) const {
  if (FCharCase == ecNormal) return s;
  String r = s;
  for (Char& c : r) c = FCharCase == ecUpperCase ? UpperChar(c) : LowerChar(c);
  return r;
}

void TCustomEdit::SetTextImpl(const String& v) {
  if (!FImpl) return;
  const String before = FImpl->GetText();
  FImpl->SetText(ApplyCase(v));
  // Text set in code is a change like any other.
  if (FImpl->GetText() != before) Notify(this, EN_CHANGE);
}

void TCustomEdit::SetMaxLength(Integer v) {
  FMaxLength = v;
  if (FImpl) FImpl->SetMaxLength(EditorMaxLength());
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  FCharCase = v;
  if (v != ecNormal && FImpl) {
    String t = GetText();
    String c = ApplyCase(t);
    if (c != t) SetTextImpl(c);
  }
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (FImpl) FImpl->SetReadOnly(v);
}

void TCustomEdit::SetPasswordChar(Char v) {
  FPasswordChar = v;
  if (FImpl) FImpl->SetPasswordChar(v);
}

void TCustomEdit::SetAlignment(TAlignment v) {
  FAlignment = v;
  if (FImpl) FImpl->SetTextAlignment(v);
}

bool TCustomEdit::Modified() const { return FImpl && FImpl->Modified(); }
void TCustomEdit::SetModified(bool v) {
  if (FImpl) FImpl->SetModified(v);
}

Integer TCustomEdit::SelStart() const { return FImpl ? FImpl->SelStart() : 0; }
Integer TCustomEdit::SelLength() const { return FImpl ? FImpl->SelLength() : 0; }
void TCustomEdit::SetSelStart(Integer v) {
  if (FImpl) FImpl->SetSelection(v, 0);
}
void TCustomEdit::SetSelLength(Integer v) {
  if (FImpl) FImpl->SetSelection(FImpl->SelStart(), v);
}

String TCustomEdit::SelText() const {
  String t = GetText();
  Integer s = SelStart(), n = SelLength();
  if (s < 0 || s > static_cast<Integer>(t.size())) return String();
  return t.substr(static_cast<size_t>(s), static_cast<size_t>(n));
}

void TCustomEdit::SetSelText(const String& v) {
  if (FImpl) FImpl->ReplaceSelection(FitToLimit(ApplyCase(v)));
}

void TCustomEdit::SelectAll() {
  if (FImpl) FImpl->SetSelection(0, static_cast<Integer>(GetText().size()));
}

void TCustomEdit::ClearSelection() { Perform(WM_CLEAR, 0, 0); }
void TCustomEdit::Clear() { SetText(String()); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { Perform(WM_UNDO, 0, 0); }
bool TCustomEdit::CanUndo() const { return FImpl && FImpl->CanUndo(); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& M) {
  if (M.WParamHi() == EN_CHANGE) Change();
}

void TCustomEdit::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

void TCustomEdit::WMChar(TMessage& M) {
  if (DoKeyPress(M)) return;
  Char ch = static_cast<Char>(M.WParam);
  // The clipboard keys go through their messages, so handlers of WM_COPY/WM_CUT/WM_PASTE see them.
  switch (ch) {
    case 3: Perform(WM_COPY, 0, 0); return;
    case 22: Perform(WM_PASTE, 0, 0); return;
    case 24: Perform(WM_CUT, 0, 0); return;
    case 26: Perform(WM_UNDO, 0, 0); return;
    case 1: SelectAll(); return;
    default: break;
  }
  if (FCharCase == ecUpperCase) M.WParam = UpperChar(ch);
  if (FCharCase == ecLowerCase) M.WParam = LowerChar(ch);
  if (!RoomFor(static_cast<Char>(M.WParam))) return;
  DefaultHandler(M);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !(FControlState & csLButtonDown) && !dynamic_cast<TCustomMemo*>(this)) SelectAll();
  TWinControl::DoEnter();
}

TRect TCustomEdit::EditRect() const { return FHasEditRect ? FEditRect : ClientRect(); }

void TCustomEdit::ApplyEditRect() {
  if (!FImpl) return;
  const TRect c = ClientRect(), r = EditRect();
  FImpl->SetTextMargins(Rect(std::max(0, r.Left - c.Left), std::max(0, r.Top - c.Top),
                             std::max(0, c.Right - r.Right), std::max(0, c.Bottom - r.Bottom)));
}

void TCustomEdit::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (FHasEditRect) ApplyEditRect();
}

void TCustomEdit::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case EM_SETRECT:
    case EM_SETRECTNP: {
      const auto* r = reinterpret_cast<const TRect*>(M.LParam);
      FHasEditRect = r != nullptr;
      if (r) FEditRect = *r;
      ApplyEditRect();
      if (M.Msg == EM_SETRECT) Invalidate();
      break;
    }
    case EM_GETRECT:
      if (auto* r = reinterpret_cast<TRect*>(M.LParam)) *r = EditRect();
      break;
    case WM_COPY: {
      String s = SelText();
      if (!s.empty() && !FPasswordChar) Clipboard()->SetAsText(s);
      break;
    }
    case WM_CUT:
      if (FReadOnly) break;
      Perform(WM_COPY, 0, 0);
      Perform(WM_CLEAR, 0, 0);
      break;
    case WM_CLEAR:
      if (!FReadOnly && SelLength() > 0 && FImpl) FImpl->ReplaceSelection(String());
      break;
    case WM_PASTE: {
      if (FReadOnly || !FImpl) break;
      String s = Clipboard()->AsText();
      if (!dynamic_cast<TCustomMemo*>(this)) {
        size_t br = s.find_first_of(u"\r\n");
        if (br != String::npos) s.resize(br);
      }
      FImpl->ReplaceSelection(FitToLimit(ApplyCase(s)));
      break;
    }
    case WM_UNDO:
    case EM_UNDO:
      if (FImpl && !FReadOnly) FImpl->Undo();
      M.Result = 1;
      break;
    case EM_CANUNDO: M.Result = CanUndo() ? 1 : 0; break;
    case EM_GETSEL: {
      Integer s = SelStart(), e = s + SelLength();
      if (M.WParam) *reinterpret_cast<uint32_t*>(M.WParam) = static_cast<uint32_t>(s);
      if (M.LParam) *reinterpret_cast<uint32_t*>(M.LParam) = static_cast<uint32_t>(e);
      M.Result = MakeLParam(s, e);
      break;
    }
    case EM_SETSEL: {
      Integer s = static_cast<Integer>(static_cast<intptr_t>(M.WParam));
      Integer e = static_cast<Integer>(M.LParam);
      const Integer len = static_cast<Integer>(GetText().size());
      if (s < 0) {
        SetSelStart(SelStart());
      } else {
        if (e < 0 || e > len) e = len;
        if (s > len) s = len;
        if (FImpl) FImpl->SetSelection(std::min(s, e), std::abs(e - s));
      }
      break;
    }
    case EM_REPLACESEL:
      if (M.LParam && FImpl) FImpl->ReplaceSelection(ApplyCase(*reinterpret_cast<const String*>(M.LParam)));
      break;
    case EM_LIMITTEXT: SetMaxLength(static_cast<Integer>(M.WParam)); break;
    case EM_SETREADONLY: SetReadOnly(M.WParam != 0); M.Result = 1; break;
    case EM_GETMODIFY: M.Result = Modified() ? 1 : 0; break;
    case EM_SETMODIFY: SetModified(M.WParam != 0); break;
    case EM_GETLINECOUNT: M.Result = FImpl ? FImpl->LineCount() : 1; break;
    case EM_LINEFROMCHAR:
      M.Result = FImpl ? FImpl->LineFromChar(static_cast<Integer>(static_cast<intptr_t>(M.WParam))) : 0;
      break;
    case EM_LINEINDEX: {
      Integer line = static_cast<Integer>(static_cast<intptr_t>(M.WParam));
      if (line < 0 && FImpl) line = FImpl->LineFromChar(-1);
      M.Result = FImpl ? FImpl->LineIndex(line) : 0;
      break;
    }
    case EM_POSFROMCHAR: {
      TPoint p = FImpl ? FImpl->PosFromChar(static_cast<Integer>(M.WParam)) : TPoint();
      M.Result = MakeLParam(p.X, p.Y);
      break;
    }
    case EM_CHARFROMPOS: {
      TPoint p(SmallIntLo(static_cast<uintptr_t>(M.LParam)), SmallIntHi(static_cast<uintptr_t>(M.LParam)));
      Integer i = FImpl ? FImpl->CharFromPos(p) : 0;
      Integer line = FImpl ? FImpl->LineFromChar(i) : 0;
      M.Result = MakeLParam(i, line);
      break;
    }
    default:
      TWinControl::Dispatch(M);
  }
}

// --- TCustomMemo -------------------------------------------------------------------------------------

// The lines of a memo, read from and written to its text.
class TCustomMemo::TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* m) : FMemo(m) {}
  Integer Count() const override {
    std::vector<String> l = Lines();
    return static_cast<Integer>(l.size());
  }
  String Get(Integer i) const override {
    std::vector<String> l = Lines();
    if (i < 0 || i >= static_cast<Integer>(l.size()))
      throw EStringListError(u"List index out of bounds (" + Utf8ToString(std::to_string(i)) + u")");
    return l[static_cast<size_t>(i)];
  }
  void Put(Integer i, const String& s) override {
    std::vector<String> l = Lines();
    if (i < 0 || i >= static_cast<Integer>(l.size()))
      throw EStringListError(u"List index out of bounds (" + Utf8ToString(std::to_string(i)) + u")");
    l[static_cast<size_t>(i)] = s;
    Store(l);
  }
  void Clear() override { FMemo->SetText(String()); }
  void Delete(Integer i) override {
    std::vector<String> l = Lines();
    if (i < 0 || i >= static_cast<Integer>(l.size()))
      throw EStringListError(u"List index out of bounds (" + Utf8ToString(std::to_string(i)) + u")");
    l.erase(l.begin() + i);
    Store(l);
  }
  void Insert(Integer i, const String& s) override {
    std::vector<String> l = Lines();
    if (i < 0 || i > static_cast<Integer>(l.size()))
      throw EStringListError(u"List index out of bounds (" + Utf8ToString(std::to_string(i)) + u")");
    l.insert(l.begin() + i, s);
    Store(l);
  }
  void SetText(const String& v) override { FMemo->SetText(v); }
  String Text() const override {
    String t;
    for (const String& s : Lines()) t += s + u"\r\n";
    return t;
  }

 private:
  // The lines; an empty last line (text ending with a line break, or no text) is not a line.
  std::vector<String> Lines() const {
    std::vector<String> l = SplitLines(FMemo->Text());
    if (!l.empty() && l.back().empty()) l.pop_back();
    return l;
  }
  void Store(const std::vector<String>& l) { FMemo->SetText(JoinLines(l, u"\r\n")); }
  TCustomMemo* FMemo;
};

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner, wkMemo) {
  FAutoSelect = false;
  SetBounds(0, 0, 185, 89);
  if (FImpl) {
    FImpl->SetWordWrap(true);
    FImpl->SetScrollBars(0);
  }
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() {
  if (!FLines) FLines = std::make_unique<TMemoStrings>(this);
  return FLines.get();
}

String TCustomMemo::GetText() const {
  // The editor keeps LF; the memo's text has CR LF between lines.
  String t = FImpl ? FImpl->GetText() : String();
  return JoinLines(SplitLines(t), u"\r\n");
}

void TCustomMemo::SetTextImpl(const String& v) {
  if (!FImpl) return;
  const String before = GetText();
  FImpl->SetText(JoinLines(SplitLines(ApplyCase(v)), u"\n"));
  if (GetText() != before) Notify(this, EN_CHANGE);
}

void TCustomMemo::SetWordWrap(bool v) {
  FWordWrap = v;
  if (FImpl) FImpl->SetWordWrap(v);
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  FScrollBars = v;
  Integer bars = 0;
  if (v == ssHorizontal || v == ssBoth) bars |= 1;
  if (v == ssVertical || v == ssBoth) bars |= 2;
  if (FImpl) FImpl->SetScrollBars(bars);
}

Integer TCustomMemo::CaretLine() const { return FImpl ? FImpl->LineFromChar(-1) : 0; }

void TCustomMemo::WMGetDlgCode(TMessage& M) {
  M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
  if (FWantReturns) M.Result |= DLGC_WANTALLKEYS;
  if (FWantTabs) M.Result |= DLGC_WANTTAB;
}

void TCustomMemo::DoEnter() { TWinControl::DoEnter(); }

Integer TCustomMemo::RoomLeft() const {
  if (FMaxLength <= 0 || !FImpl) return INT32_MAX;
  // The limit counts the text as the memo gives it, a line break as CR LF; the editor's selection
  // counts a line break once.
  const String editor = FImpl->GetText();
  const Integer s = std::clamp<Integer>(FImpl->SelStart(), 0, static_cast<Integer>(editor.size()));
  const Integer n = std::clamp<Integer>(FImpl->SelLength(), 0, static_cast<Integer>(editor.size()) - s);
  Integer selected = n;
  for (Integer i = s; i < s + n; ++i)
    if (editor[static_cast<size_t>(i)] == u'\n') ++selected;
  return FMaxLength - (static_cast<Integer>(GetText().size()) - selected);
}

bool TCustomMemo::RoomFor(Char ch) const {
  if (FMaxLength <= 0) return true;
  if (ch == 13) return RoomLeft() >= 2;
  if (ch >= 32 || ch == 9) return RoomLeft() >= 1;
  return true;
}

String TCustomMemo::FitToLimit(const String& v) const {
  if (FMaxLength <= 0) return v;
  Integer room = RoomLeft();
  size_t i = 0;
  while (i < v.size()) {
    // A line break (CR LF, LF or CR) takes two places and is never cut in half.
    size_t len = 1;
    Integer need = 1;
    if (v[i] == u'\r' || v[i] == u'\n') {
      need = 2;
      if (v[i] == u'\r' && i + 1 < v.size() && v[i + 1] == u'\n') len = 2;
    }
    if (need > room) break;
    room -= need;
    i += len;
  }
  return v.substr(0, i);
}

// --- TCustomComboBox -----------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner, wkComboBox) {
  FTabStop = true;
  FColor = clWindow;
  FControlStyle &= ~static_cast<uint32_t>(csSetCaption | csClickEvents);
  FItems = std::make_unique<TStringList>();
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
  if (FImpl) {
    FImpl->SetColor(FColor);
    FImpl->SetComboEditable(true);
    FImpl->SetDropDownCount(FDropDownCount);
  }
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() { FItems->OnChange = nullptr; }

void TCustomComboBox::ItemsChanged() {
  if (FImpl) FImpl->SetItems(FItems->ToVector());
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  FStyle = v;
  if (FImpl) {
    FImpl->SetComboEditable(v == csDropDown || v == csSimple);
    if (v == csOwnerDrawFixed || v == csOwnerDrawVariable) FImpl->SetItemHeight(FItemHeight);
  }
}

Integer TCustomComboBox::ItemIndex() const { return FImpl ? FImpl->ItemIndex() : -1; }

void TCustomComboBox::SetItemIndex(Integer v) {
  if (v >= FItems->Count()) v = -1;
  if (v < -1) v = -1;
  if (FImpl) FImpl->SetItemIndex(v);
}

bool TCustomComboBox::DroppedDown() const { return FImpl && FImpl->DroppedDown(); }
void TCustomComboBox::SetDroppedDown(bool v) {
  if (FImpl) FImpl->SetDroppedDown(v);
}

Integer TCustomComboBox::DroppedWidth() const { return FImpl ? FImpl->DroppedWidth() : Width(); }

void TCustomComboBox::SetDropDownCount(Integer v) {
  FDropDownCount = v;
  if (FImpl) FImpl->SetDropDownCount(v);
}

void TCustomComboBox::SetItemHeight(Integer v) {
  FItemHeight = v;
  if (FImpl && (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)) FImpl->SetItemHeight(v);
}

void TCustomComboBox::SetMaxLength(Integer v) {
  FMaxLength = v;
  if (FImpl) FImpl->SetMaxLength(v);
}

bool TCustomComboBox::Sorted() const { return FItems->Sorted(); }
void TCustomComboBox::SetSorted(bool v) { FItems->SetSorted(v); }

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetItemIndex(-1);
  if (FImpl && (FStyle == csDropDown || FStyle == csSimple)) FImpl->SetText(String());
}

void TCustomComboBox::SelectAll() {
  if (FImpl) FImpl->SetSelection(0, static_cast<Integer>(GetText().size()));
}

String TCustomComboBox::GetText() const {
  if (!FImpl) return String();
  if (FStyle == csDropDown || FStyle == csSimple) return FImpl->GetText();
  Integer i = FImpl->ItemIndex();
  return i >= 0 && i < FItems->Count() ? FItems->Get(i) : String();
}

void TCustomComboBox::SetTextImpl(const String& v) {
  if (!FImpl) return;
  // Text set in code selects the item of that text (or sets the editor's text); no OnChange.
  Integer i = FItems->IndexOf(v);
  if (FStyle == csDropDown || FStyle == csSimple) {
    if (i >= 0) FImpl->SetItemIndex(i);
    FImpl->SetText(v);
  } else {
    FImpl->SetItemIndex(i);
  }
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TMessage& M) {
  switch (M.WParamHi()) {
    case CBN_SELCHANGE:
      Change();
      Select();
      break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
  }
}

void TCustomComboBox::WMGetDlgCode(TMessage& M) {
  M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (DroppedDown()) M.Result |= DLGC_WANTALLKEYS;
}

void TCustomComboBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CB_GETCOUNT: M.Result = FItems->Count(); break;
    case CB_GETCURSEL: M.Result = ItemIndex(); break;
    case CB_SETCURSEL: SetItemIndex(static_cast<Integer>(static_cast<intptr_t>(M.WParam))); M.Result = ItemIndex(); break;
    case CB_SHOWDROPDOWN: SetDroppedDown(M.WParam != 0); M.Result = 1; break;
    case CB_GETDROPPEDSTATE: M.Result = DroppedDown() ? 1 : 0; break;
    case CB_RESETCONTENT: Clear(); break;
    case CM_HINTSHOW:
      TWinControl::Dispatch(M);
      if (M.Result == 0 && FImpl && FImpl->TextCut()) {
        if (auto* info = reinterpret_cast<THintInfo*>(M.LParam)) info->HintStr = Text();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      TWinControl::Dispatch(M);
      // A press that opened the drop-down list hands the mouse to that list: the button's release
      // goes to the list, never to the box, so the box must not keep the capture it took for the
      // press. Otherwise every later click anywhere in the window would be sent to this box.
      if (DroppedDown() && GetCaptureControl() == this) SetCaptureControl(nullptr);
      break;
    default: TWinControl::Dispatch(M);
  }
}

// --- Buttons ---------------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
}

void TButtonControl::SetWordWrap(bool v) {
  FWordWrap = v;
  Invalidate();
}

void TButtonControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (IsEnabledInTree()) {
        FPressed = true;
        if (CanFocus() && !Focused()) SetFocus();
        Invalidate();
      }
      TCustomControl::Dispatch(M);
      break;
    case WM_MOUSEMOVE:
      if (FControlState & csLButtonDown) {
        TWMMouse mm{M};
        bool inside = PtInRect(ClientRect(), TPoint(mm.XPos(), mm.YPos()));
        if (inside != FPressed) {
          FPressed = inside;
          Invalidate();
        }
      }
      TCustomControl::Dispatch(M);
      break;
    case WM_LBUTTONUP:
      FPressed = false;
      Invalidate();
      TCustomControl::Dispatch(M);
      break;
    case CM_MOUSEENTER:
      FHot = true;
      Invalidate();
      TCustomControl::Dispatch(M);
      break;
    case CM_MOUSELEAVE:
      FHot = false;
      Invalidate();
      TCustomControl::Dispatch(M);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (M.Msg == WM_KILLFOCUS) FPressed = false;
      Invalidate();
      TCustomControl::Dispatch(M);
      break;
    default:
      TCustomControl::Dispatch(M);
  }
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool v) {
  FDefault = v;
  Invalidate();
}

void TButton::Click() {
  TCustomForm* form = GetParentForm(this);
  if (form && FModalResult != mrNone) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_GETDLGCODE:
      M.Result = DLGC_BUTTON | (FDefault || Focused() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      break;
    case WM_KEYDOWN:
      if (!DoKeyDown(M)) {
        if (M.WParam == VK_SPACE && IsEnabledInTree() && !FPressed) {
          FPressed = true;
          Invalidate();
        }
      }
      break;
    case WM_KEYUP:
      if (!DoKeyUp(M)) {
        if (M.WParam == VK_SPACE && FPressed) {
          FPressed = false;
          Invalidate();
          Click();
        }
      }
      break;
    case CM_DIALOGKEY: {
      const Word key = static_cast<Word>(M.WParam);
      if (!Showing() || !IsEnabledInTree() || !KeyDataToShiftState(M.LParam).Empty()) break;
      TCustomForm* form = GetParentForm(this);
      TWinControl* active = form ? form->ActiveControl() : nullptr;
      // Enter presses the focused button, else the default button; Esc the cancel button.
      const bool enter = key == VK_RETURN && (active == this || (FDefault && !IsButtonControl(active)));
      if (enter || (key == VK_ESCAPE && FCancel)) {
        Click();
        M.Result = 1;
      }
      break;
    }
    case CM_DIALOGCHAR: {
      Char a = AccelOf(FText);
      if (a && a == LowerChar(static_cast<Char>(M.WParam)) && Showing() && IsEnabledInTree()) {
        Click();
        M.Result = 1;
      }
      break;
    }
    case CM_FOCUSCHANGED:
      Invalidate();
      TButtonControl::Dispatch(M);
      break;
    default:
      TButtonControl::Dispatch(M);
  }
}

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  TCustomForm* form = GetParentForm(this);
  TWinControl* active = form ? form->ActiveControl() : nullptr;
  const bool isDefault = Focused() || (FDefault && !IsButtonControl(active));
  if (isDefault) {
    c->Brush()->SetColor(clBlack);
    c->FrameRect(r);
    InflateRect(r, -1, -1);
  }
  Cardinal state = DFCS_BUTTONPUSH;
  if (FPressed) state |= DFCS_PUSHED;
  if (!IsEnabledInTree()) state |= DFCS_INACTIVE;
  TRect face = r;
  DrawFrameControl(c, face, DFC_BUTTON, state);
  c->Font()->Assign(&FFont);
  c->SetBkMode(TRANSPARENT);
  c->Brush()->SetStyle(bsClear);
  TRect tr = r;
  if (FPressed) OffsetRect(tr, 1, 1);
  Cardinal flags = DT_CENTER | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
  if (FWordWrap) {
    TRect calc = tr;
    DrawText(c, FText, calc, flags | DT_CALCRECT);
    OffsetRect(tr, 0, (tr.Height() - calc.Height()) / 2);
  }
  if (!IsEnabledInTree()) c->Font()->SetColor(clGrayText);
  DrawText(c, FText, tr, flags);
  if (Focused()) {
    TRect fr = r;
    InflateRect(fr, -3, -3);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->DrawFocusRect(fr);
  }
}

// --- Check boxes and radio buttons ---------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FParentColor = true;
  // The click comes from the change of state, not from the mouse release.
  FControlStyle &= ~static_cast<uint32_t>(csClickEvents);
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == FState) return;
  FState = v;
  Invalidate();
  if (!HasState(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
  FAlignment = v;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(FAllowGrayed ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONUP: {
      const bool wasPressed = FPressed && (FControlState & csLButtonDown);
      TWMMouse mm{M};
      const bool inside = PtInRect(ClientRect(), TPoint(mm.XPos(), mm.YPos()));
      TButtonControl::Dispatch(M);
      if (wasPressed && inside && IsEnabledInTree()) Toggle();
      break;
    }
    case WM_KEYDOWN:
      if (!DoKeyDown(M) && M.WParam == VK_SPACE && IsEnabledInTree()) {
        FPressed = true;
        Invalidate();
      }
      break;
    case WM_KEYUP:
      if (!DoKeyUp(M) && M.WParam == VK_SPACE && FPressed) {
        FPressed = false;
        Toggle();
      }
      break;
    case CM_DIALOGCHAR: {
      Char a = AccelOf(FText);
      if (a && a == LowerChar(static_cast<Char>(M.WParam)) && Showing() && IsEnabledInTree()) {
        if (CanFocus()) SetFocus();
        Toggle();
        M.Result = 1;
      }
      break;
    }
    case WM_GETDLGCODE: M.Result = DLGC_BUTTON; break;
    default: TButtonControl::Dispatch(M);
  }
}

void TCustomCheckBox::PaintCheck(bool Radio) {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  const Integer box = 13;
  const Integer top = (r.Height() - box) / 2;
  const bool boxLeft = FAlignment == taRightJustify;
  TRect br = boxLeft ? Rect(0, top, box, top + box) : Rect(r.Right - box, top, r.Right, top + box);
  Cardinal state = Radio ? DFCS_BUTTONRADIO : (FAllowGrayed ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK);
  if (FState != cbUnchecked) state |= DFCS_CHECKED;
  if (FPressed) state |= DFCS_PUSHED;
  if (!IsEnabledInTree() || FState == cbGrayed) state |= DFCS_INACTIVE;
  DrawFrameControl(c, br, DFC_BUTTON, state);
  c->Font()->Assign(&FFont);
  if (!IsEnabledInTree()) c->Font()->SetColor(clGrayText);
  c->SetBkMode(TRANSPARENT);
  c->Brush()->SetStyle(bsClear);
  TRect tr = boxLeft ? Rect(box + 4, 0, r.Right, r.Bottom) : Rect(0, 0, r.Right - box - 4, r.Bottom);
  Cardinal flags = (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER) | (boxLeft ? DT_LEFT : DT_RIGHT);
  TRect calc = tr;
  DrawText(c, FText, calc, flags | DT_CALCRECT);
  if (FWordWrap) OffsetRect(tr, 0, (tr.Height() - calc.Height()) / 2);
  DrawText(c, FText, tr, flags);
  if (Focused() && !FText.empty()) {
    TRect fr = Rect(tr.Left - 1, (r.Height() - calc.Height()) / 2, tr.Left + calc.Width() + 1,
                    (r.Height() - calc.Height()) / 2 + calc.Height());
    if (!boxLeft) OffsetRect(fr, tr.Right - calc.Width() - tr.Left, 0);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->DrawFocusRect(fr);
  }
}

void TCustomCheckBox::Paint() { PaintCheck(false); }

TRadioButton::TRadioButton(TComponent* AOwner) : TCustomCheckBox(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool v) {
  if (v == Checked()) return;
  if (!v) {
    FState = cbUnchecked;
    Invalidate();
    return;
  }
  if (FParent) {
    for (Integer i = 0; i < FParent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i));
      if (other && other != this && other->Checked()) {
        other->FState = cbUnchecked;
        other->Invalidate();
      }
    }
  }
  FState = cbChecked;
  Invalidate();
  if (!HasState(csLoading)) Click();
}

void TRadioButton::Toggle() { SetChecked(true); }

void TRadioButton::Paint() { PaintCheck(true); }

// --- List boxes ------------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner, wkListBox) {
  FTabStop = true;
  FColor = clWindow;
  // OnClick follows a change of selection, not every mouse release.
  FControlStyle &= ~static_cast<uint32_t>(csClickEvents | csSetCaption);
  FItems = std::make_unique<TStringList>();
  FItems->OnChange = [this](TObject*) {
    if (FImpl) FImpl->SetItems(FItems->ToVector());
  };
  if (FImpl) FImpl->SetColor(FColor);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() { FItems->OnChange = nullptr; }

Integer TCustomListBox::ItemIndex() const { return FImpl ? FImpl->ItemIndex() : -1; }

void TCustomListBox::SetItemIndex(Integer v) {
  if (v >= FItems->Count() || v < -1) v = -1;
  if (FImpl) FImpl->SetItemIndex(v);
}

Integer TCustomListBox::TopIndex() const { return FImpl ? FImpl->TopIndex() : 0; }
void TCustomListBox::SetTopIndex(Integer v) {
  if (FImpl) FImpl->SetTopIndex(v);
}

Integer TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  Integer i = FImpl ? FImpl->ItemAtPos(Pos) : -1;
  if (i < 0 && !Existing) return FItems->Count();
  return i;
}

bool TCustomListBox::Sorted() const { return FItems->Sorted(); }
void TCustomListBox::SetSorted(bool v) { FItems->SetSorted(v); }
void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::CNCommand(TMessage& M) {
  if (M.WParamHi() == LBN_SELCHANGE) Click();
}

void TCustomListBox::WMGetDlgCode(TMessage& M) { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomListBox::Dispatch(TMessage& M) {
  TWinControl::Dispatch(M);
  // A double click anywhere in the list, on an item or below the last one, is reported.
  if (M.Msg == WM_LBUTTONDBLCLK) DblClick();
}

// --- TScrollBar ------------------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
}

void TScrollBar::SetKind(TScrollBarKind v) {
  if (v == FKind) return;
  FKind = v;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  Invalidate();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
  if (AMax < AMin) AMax = AMin;
  FMin = AMin;
  FMax = AMax;
  SetPosition(APosition);
  Invalidate();
}

void TScrollBar::SetPosition(Integer v) {
  const Integer top = FMax - std::max<Integer>(FPageSize - 1, 0);
  v = std::clamp(v, FMin, std::max(FMin, top));
  if (v == FPosition) return;
  FPosition = v;
  Invalidate();
  Change();
}

void TScrollBar::SetPageSize(Integer v) {
  FPageSize = std::max<Integer>(0, v);
  SetPosition(FPosition);
  Invalidate();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

Integer TScrollBar::ArrowSize() const {
  const Integer len = FKind == sbVertical ? FHeight : FWidth;
  const Integer thick = FKind == sbVertical ? FWidth : FHeight;
  return std::min(thick, len / 2);
}

Integer TScrollBar::TrackLength() const {
  const Integer len = FKind == sbVertical ? FHeight : FWidth;
  return std::max<Integer>(0, len - 2 * ArrowSize());
}

TRect TScrollBar::ThumbRect() const {
  const Integer track = TrackLength();
  const Integer range = FMax - FMin + 1;
  const Integer thick = FKind == sbVertical ? FWidth : FHeight;
  Integer size = FPageSize > 0 ? track * FPageSize / std::max<Integer>(1, range) : thick;
  size = std::clamp<Integer>(size, std::min<Integer>(8, track), track);
  const Integer span = FMax - FMin - std::max<Integer>(FPageSize - 1, 0);
  const Integer off = span > 0 ? (track - size) * (FPosition - FMin) / span : 0;
  const Integer start = ArrowSize() + off;
  return FKind == sbVertical ? Rect(0, start, FWidth, start + size) : Rect(start, 0, start + size, FHeight);
}

Integer TScrollBar::PosFromPixel(Integer Pixel) const {
  TRect t = ThumbRect();
  const Integer size = FKind == sbVertical ? t.Height() : t.Width();
  const Integer free = TrackLength() - size;
  const Integer span = FMax - FMin - std::max<Integer>(FPageSize - 1, 0);
  if (free <= 0 || span <= 0) return FMin;
  return FMin + (std::clamp<Integer>(Pixel - ArrowSize(), 0, free) * span + free / 2) / free;
}

void TScrollBar::SendScroll(Integer Code, Integer Pos) {
  const UINT msg = FKind == sbVertical ? WM_VSCROLL : WM_HSCROLL;
  if (FParent)
    FParent->Perform(msg, MakeWParam(Code, Pos), static_cast<LPARAM>(FHandle));
  else
    DoScroll(Code, Pos);
}

void TScrollBar::DoScroll(Integer Code, Integer Pos) {
  Integer p = FPosition;
  switch (Code) {
    case SB_LINEUP: p -= FSmallChange; break;
    case SB_LINEDOWN: p += FSmallChange; break;
    case SB_PAGEUP: p -= FLargeChange; break;
    case SB_PAGEDOWN: p += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: p = Pos; break;
    case SB_TOP: p = FMin; break;
    case SB_BOTTOM: p = FMax; break;
    default: break;
  }
  const Integer top = std::max(FMin, FMax - std::max<Integer>(FPageSize - 1, 0));
  p = std::clamp(p, FMin, top);
  if (OnScroll) OnScroll(this, static_cast<TScrollCode>(Code), p);
  SetPosition(p);
}

void TScrollBar::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_VSCROLL:
    case CN_HSCROLL: {
      TWMScroll s{M};
      DoScroll(s.ScrollCode(), s.Pos());
      break;
    }
    case WM_LBUTTONDOWN: {
      TCustomControl::Dispatch(M);
      if (!IsEnabledInTree()) break;
      TWMMouse mm{M};
      const Integer at = FKind == sbVertical ? mm.YPos() : mm.XPos();
      const Integer len = FKind == sbVertical ? FHeight : FWidth;
      TRect t = ThumbRect();
      const Integer ts = FKind == sbVertical ? t.Top : t.Left;
      const Integer te = FKind == sbVertical ? t.Bottom : t.Right;
      if (at < ArrowSize()) {
        FPressCode = SB_LINEUP;
      } else if (at >= len - ArrowSize()) {
        FPressCode = SB_LINEDOWN;
      } else if (at < ts) {
        FPressCode = SB_PAGEUP;
      } else if (at >= te) {
        FPressCode = SB_PAGEDOWN;
      } else {
        FDragOffset = at - ts;
        FPressCode = -1;
        break;
      }
      SendScroll(FPressCode, 0);
      break;
    }
    case WM_MOUSEMOVE: {
      TCustomControl::Dispatch(M);
      if (FDragOffset >= 0) {
        TWMMouse mm{M};
        const Integer at = FKind == sbVertical ? mm.YPos() : mm.XPos();
        SendScroll(SB_THUMBTRACK, PosFromPixel(at - FDragOffset));
      }
      break;
    }
    case WM_LBUTTONUP: {
      TCustomControl::Dispatch(M);
      if (FDragOffset >= 0) {
        FDragOffset = -1;
        SendScroll(SB_THUMBPOSITION, FPosition);
        SendScroll(SB_ENDSCROLL, 0);
      } else if (FPressCode >= 0) {
        FPressCode = -1;
        SendScroll(SB_ENDSCROLL, 0);
      }
      break;
    }
    default:
      TCustomControl::Dispatch(M);
  }
}

void TScrollBar::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(clBtnHighlight);
  c->FillRect(r);
  const Integer a = ArrowSize();
  const Cardinal inactive = IsEnabledInTree() && FMax > FMin ? 0 : DFCS_INACTIVE;
  TRect first = FKind == sbVertical ? Rect(0, 0, FWidth, a) : Rect(0, 0, a, FHeight);
  TRect last = FKind == sbVertical ? Rect(0, FHeight - a, FWidth, FHeight) : Rect(FWidth - a, 0, FWidth, FHeight);
  DrawFrameControl(c, first, DFC_SCROLL, (FKind == sbVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
  DrawFrameControl(c, last, DFC_SCROLL, (FKind == sbVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
  if (!inactive) {
    TRect t = ThumbRect();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(t);
    DrawEdge(c, t, EDGE_RAISED, BF_RECT);
  }
}

// --- TCustomGroupBox -----------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FParentColor = true;
  FControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(FColor);
  c->FillRect(r);
  c->Font()->Assign(&FFont);
  const Integer h = c->TextHeight(u"0");
  TRect frame = Rect(0, h / 2, r.Right, r.Bottom);
  DrawEdge(c, frame, EDGE_ETCHED, BF_RECT);
  if (!FText.empty()) {
    TRect tr = Rect(8, 0, r.Right - 8, h);
    TRect calc = tr;
    DrawText(c, FText, calc, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
    tr.Right = tr.Left + calc.Width() + 2;
    c->Brush()->SetColor(FColor);
    c->FillRect(tr);
    c->SetBkMode(TRANSPARENT);
    if (!IsEnabledInTree()) c->Font()->SetColor(clGrayText);
    tr.Left += 1;
    DrawText(c, FText, tr, DT_SINGLELINE | DT_LEFT);
  }
}
