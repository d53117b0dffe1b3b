#include "platform/gui/TestHarness.h"

#include <deque>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/GuiInternal.h"
#include "platform/gui/HarnessBackend.h"

namespace TestHarness {

namespace {

enum class Kind { Modal, Message, FileDialog, Directory, Popup };

struct Expectation {
  Kind kind = Kind::Modal;
  String name;  // form class or caption; message text; file name; directory
  bool contains = false;
  bool save = false;
  TMsgDlgType type = mtCustom;
  TModalResult result = mrNone;
  std::function<void(TCustomForm&)> script;
  std::function<TMenuItem*(TPopupMenu&)> choose;
};

TFailureReporter gReport;
bool gInstalled = false;
std::deque<Expectation> gQueue;
std::vector<TMessageBoxRequest> gMessages;
std::vector<TFileDialogRequest> gFileDialogs;

String TypeName(TMsgDlgType t) {
  switch (t) {
    case mtWarning: return u"warning";
    case mtError: return u"error";
    case mtInformation: return u"information";
    case mtConfirmation: return u"confirmation";
    case mtCustom: return u"plain";
  }
  return u"?";
}

String Describe(const Expectation& e) {
  switch (e.kind) {
    case Kind::Modal: return u"modal form \"" + e.name + u"\"";
    case Kind::Message:
      return TypeName(e.type) + u" message box " + (e.contains ? u"containing \"" : u"\"") + e.name + u"\"";
    case Kind::FileDialog: return String(e.save ? u"save" : u"open") + u" dialog";
    case Kind::Directory: return u"folder picker";
    case Kind::Popup: return u"popup menu";
  }
  return u"?";
}

void Report(const String& m) {
  if (gReport) gReport(m);
}

// Takes the next expectation when it is of the kind asked; reports otherwise.
bool Next(Kind k, const String& what, Expectation& out) {
  if (gQueue.empty()) {
    Report(u"Unexpected " + what + u" (nothing was expected)");
    return false;
  }
  if (gQueue.front().kind != k) {
    Report(u"Unexpected " + what + u"; expected " + Describe(gQueue.front()));
    gQueue.pop_front();
    return false;
  }
  out = std::move(gQueue.front());
  gQueue.pop_front();
  return true;
}

class ScriptedDialogs : public TDialogService {
 public:
  TModalResult ShowMessageBox(const TMessageBoxRequest& r) override {
    gMessages.push_back(r);
    const String what = TypeName(r.Type) + u" message box \"" + r.Text + u"\"";
    Expectation e;
    if (!Next(Kind::Message, what, e)) return r.Buttons.Contains(mbCancel) ? mrCancel : r.Buttons.Contains(mbNo) ? mrNo : mrOk;
    const bool textOk = e.contains ? r.Text.find(e.name) != String::npos : r.Text == e.name;
    if (!textOk || e.type != r.Type) {
      Report(u"Unexpected " + what + u"; expected " + Describe(e));
      return r.Buttons.Contains(mbCancel) ? mrCancel : mrOk;
    }
    return e.result;
  }
  bool ExecuteFileDialog(TFileDialogRequest& r) override {
    gFileDialogs.push_back(r);
    Expectation e;
    if (!Next(Kind::FileDialog, String(r.Save ? u"save" : u"open") + u" dialog", e)) return false;
    if (e.save != r.Save) {
      Report(u"Unexpected " + String(r.Save ? u"save" : u"open") + u" dialog; expected " + Describe(e));
      return false;
    }
    if (e.name.empty()) return false;
    r.FileName = e.name;
    r.Files = {e.name};
    return true;
  }
  bool SelectDirectory(const String&, const String&, String& Directory) override {
    Expectation e;
    if (!Next(Kind::Directory, u"folder picker", e)) return false;
    if (e.name.empty()) return false;
    Directory = e.name;
    return true;
  }
};

ScriptedDialogs gDialogs;

void RunModal(TCustomForm* form) {
  const String what = u"modal form " + form->ClassName() + u" \"" + form->Caption() + u"\"";
  Expectation e;
  if (!Next(Kind::Modal, what, e)) {
    form->SetModalResult(mrCancel);
    return;
  }
  if (e.name != form->ClassName() && e.name != form->Caption()) {
    Report(u"Unexpected " + what + u"; expected " + Describe(e));
    form->SetModalResult(mrCancel);
    return;
  }
  ProcessEvents();
  if (e.script) {
    e.script(*form);
  } else {
    form->SetModalResult(e.result);
  }
  if (form->ModalResult() == mrNone && form->Modal()) {
    Report(u"The script of " + what + u" left it open");
    form->SetModalResult(mrCancel);
  }
}

TMenuItem* RunPopup(TPopupMenu* menu, TPoint) {
  Expectation e;
  if (!Next(Kind::Popup, u"popup menu", e)) return nullptr;
  return e.choose ? e.choose(*menu) : nullptr;
}

void Push(Expectation e) { gQueue.push_back(std::move(e)); }

TPoint Centre(TControl* c) { return TPoint(c->ClientWidth() / 2, c->ClientHeight() / 2); }

}  // namespace

void Install(TFailureReporter Reporter) {
  gReport = std::move(Reporter);
  gInstalled = true;
  SetDialogService(&gDialogs);
  SetModalRunner(RunModal);
  SetPopupMenuRunner(RunPopup);
}

void Uninstall() {
  gInstalled = false;
  gReport = nullptr;
  SetDialogService(nullptr);
  SetModalRunner(nullptr);
  SetPopupMenuRunner(nullptr);
}

bool Installed() { return gInstalled; }

void Reset() {
  GuiInternal::SetFakeMonitors({});
  ::SetDisplayComposites(std::nullopt);
  gQueue.clear();
  gMessages.clear();
  gFileDialogs.clear();
  HarnessBackend::SetDragReceiver(nullptr);
  HarnessBackend::PointerReset();
}

void ExpectModal(const String& Name, std::function<void(TCustomForm& Form)> Script) {
  Expectation e;
  e.kind = Kind::Modal;
  e.name = Name;
  e.script = std::move(Script);
  Push(std::move(e));
}

void ExpectModal(const String& Name, TModalResult Result) {
  Expectation e;
  e.kind = Kind::Modal;
  e.name = Name;
  e.result = Result;
  Push(std::move(e));
}

void ExpectMessage(const String& Text, TMsgDlgType Type, TModalResult Answer) {
  Expectation e;
  e.kind = Kind::Message;
  e.name = Text;
  e.type = Type;
  e.result = Answer;
  Push(std::move(e));
}

void ExpectMessageContaining(const String& Part, TMsgDlgType Type, TModalResult Answer) {
  Expectation e;
  e.kind = Kind::Message;
  e.name = Part;
  e.contains = true;
  e.type = Type;
  e.result = Answer;
  Push(std::move(e));
}

void ExpectFileDialog(bool Save, const String& FileName) {
  Expectation e;
  e.kind = Kind::FileDialog;
  e.save = Save;
  e.name = FileName;
  Push(std::move(e));
}

void ExpectSelectDirectory(const String& Directory) {
  Expectation e;
  e.kind = Kind::Directory;
  e.name = Directory;
  Push(std::move(e));
}

void ExpectPopupMenu(std::function<TMenuItem*(TPopupMenu& Menu)> Choose) {
  Expectation e;
  e.kind = Kind::Popup;
  e.choose = std::move(Choose);
  Push(std::move(e));
}

bool Verify() {
  bool ok = gQueue.empty();
  for (const Expectation& e : gQueue) Report(u"Expected " + Describe(e) + u" was never shown");
  gQueue.clear();
  return ok;
}

Integer PendingExpectations() { return static_cast<Integer>(gQueue.size()); }
const std::vector<TMessageBoxRequest>& ShownMessages() { return gMessages; }
const std::vector<TFileDialogRequest>& ShownFileDialogs() { return gFileDialogs; }

// --- Input -----------------------------------------------------------------------------------------

namespace {

Word ButtonBit(TMouseButton b) {
  return b == mbLeft ? MK_LBUTTON : b == mbRight ? MK_RBUTTON : MK_MBUTTON;
}

// The MK_* bits of the buttons Shift holds down.
Word ButtonsOf(TShiftState Shift) {
  Word down = 0;
  if (Shift.Contains(ssLeft)) down |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) down |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) down |= MK_MBUTTON;
  return down;
}

String DefaultText(Word vk, TShiftState shift) {
  const bool upper = shift.Contains(ssShift);
  if (vk >= 'A' && vk <= 'Z') return String(1, static_cast<Char>(upper ? vk : vk + 32));
  if (vk >= '0' && vk <= '9' && !upper) return String(1, static_cast<Char>(vk));
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return String(1, static_cast<Char>('0' + vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return u" ";
    case VK_DECIMAL:
    case VK_OEM_PERIOD: return u".";
    case VK_OEM_COMMA: return u",";
    case VK_OEM_MINUS:
    case VK_SUBTRACT: return u"-";
    case VK_ADD: return u"+";
    default: return String();
  }
}

Word KeyOfChar(Char c) {
  if (c >= 'a' && c <= 'z') return static_cast<Word>(c - 32);
  if (c >= 'A' && c <= 'Z') return static_cast<Word>(c);
  if (c >= '0' && c <= '9') return static_cast<Word>(c);
  switch (c) {
    case u' ': return VK_SPACE;
    case u'.': return VK_OEM_PERIOD;
    case u',': return VK_OEM_COMMA;
    case u'-': return VK_OEM_MINUS;
    case 13: return VK_RETURN;
    case 9: return VK_TAB;
    case 8: return VK_BACK;
    case 27: return VK_ESCAPE;
    default: return 0;
  }
}

}  // namespace

void Click(TControl* Control) { Click(Control, Centre(Control)); }

void Click(TControl* Control, TPoint P, TShiftState Shift) {
  MouseDown(Control, mbLeft, P, Shift);
  MouseUp(Control, mbLeft, P, Shift);
}

void DoubleClick(TControl* Control, TPoint P) {
  HarnessBackend::SendMouse(Control, 1, mbLeft, P, TShiftState(), MK_LBUTTON);
  HarnessBackend::SendMouse(Control, 2, mbLeft, P, TShiftState(), 0);
  HarnessBackend::SendMouse(Control, 3, mbLeft, P, TShiftState(), MK_LBUTTON);
  HarnessBackend::SendMouse(Control, 2, mbLeft, P, TShiftState(), 0);
}

void MouseDown(TControl* Control, TMouseButton Button, TPoint P, TShiftState Shift) {
  HarnessBackend::SendMouse(Control, 1, Button, P, Shift, ButtonBit(Button));
}

void MouseMove(TControl* Control, TPoint P, TShiftState Shift) {
  HarnessBackend::SendMouse(Control, 0, mbLeft, P, Shift, ButtonsOf(Shift));
}

void MouseUp(TControl* Control, TMouseButton Button, TPoint P, TShiftState Shift) {
  HarnessBackend::SendMouse(Control, 2, Button, P, Shift, 0);
}

void MouseEnter(TControl* Control) { HarnessBackend::SendEnterLeave(Control, true); }
void MouseLeave(TControl* Control) { HarnessBackend::SendEnterLeave(Control, false); }

void MovePointer(TPoint P, TShiftState Shift) { HarnessBackend::MovePointer(P, Shift, ButtonsOf(Shift)); }

void MovePointer(TControl* Control, TPoint P, TShiftState Shift) { MovePointer(Control->ClientToScreen(P), Shift); }

void Wheel(TControl* Control, Integer Delta, TPoint P, TShiftState Shift) {
  HarnessBackend::SendWheel(Control, Delta, P, Shift);
}

DWORD DropFromOtherProgram(TControl* Control, TPoint P, const TMimeParts& Parts, DWORD Allowed, TShiftState Shift,
                           bool Drop) {
  return HarnessBackend::SendDrag(Control, P, Parts, Allowed, Shift, Drop);
}

void ReceiveDragsAs(std::function<DWORD(const TMimeParts& Parts, DWORD OkEffects)> Receiver) {
  HarnessBackend::SetDragReceiver(std::move(Receiver));
}

void Key(TWinControl* Control, Word VirtualKey, TShiftState Shift, bool Keypad) {
  KeyWithText(Control, VirtualKey, Shift, DefaultText(VirtualKey, Shift), Keypad);
}

void KeyWithText(TWinControl* Control, Word VirtualKey, TShiftState Shift, const String& Text, bool Keypad) {
  const HWND h = Control->Handle();
  HarnessBackend::SendKey(Control, VirtualKey, Shift, Text, Keypad, true);
  // The key-down handlers may have freed the control.
  if (IsWindow(h)) HarnessBackend::SendKey(Control, VirtualKey, Shift, Text, Keypad, false);
}

void TypeText(TWinControl* Control, const String& Text) {
  for (Char c : Text) {
    TShiftState shift = (c >= 'A' && c <= 'Z') ? TShiftState(ssShift) : TShiftState();
    KeyWithText(Control, KeyOfChar(c), shift, String(1, c), false);
  }
}

void SendKeyStroke(TWinControl* Control, Word VirtualKey, TShiftState Shift, const String& Chars, bool Keypad) {
  TKeyInput k;
  k.VirtualKey = VirtualKey;
  k.Shift = Shift;
  k.Chars = Chars;
  k.Keypad = Keypad;
  const HWND h = Control->Handle();
  InputKeyDown(Control, k);
  if (IsWindow(h)) InputKeyUp(Control, k);
}

void SendMouse(TControl* Control, UINT Msg, TPoint P, Word Keys) { InputMouse(Control, Msg, P, Keys); }

// --- Events and time -----------------------------------------------------------------------------

void ProcessEvents() {
  // Posted calls may post more; a few rounds settle them.
  for (int i = 0; i < 3; ++i) FormsBackend::ProcessEvents();
  if (Application) Application->FreeReleased();
  HarnessBackend::PointerRecheck();
}

bool WaitUntil(const std::function<bool()>& Condition, Integer TimeoutMs) {
  const Int64 end = HarnessBackend::Milliseconds() + TimeoutMs;
  for (;;) {
    if (Condition()) return true;
    const Int64 left = end - HarnessBackend::Milliseconds();
    if (left <= 0) return Condition();
    FormsBackend::WaitAndProcessEvents(static_cast<Integer>(std::min<Int64>(left, 50)));
    HarnessBackend::PointerRecheck();
  }
}

void ShowForm(TCustomForm* Form) {
  Form->Show();
  if (Form->Impl()) Form->Impl()->ActivateWindow();
  ProcessEvents();
}

Integer PendingPosted(HWND Wnd, UINT Msg) { return GuiInternal::PendingPosted(Wnd, Msg); }

void UseFakeClock(bool On) { GuiInternal::SetFakeClock(On); }
void AdvanceClock(Cardinal Ms) {
  GuiInternal::AdvanceFakeClock(Ms);
  HarnessBackend::PointerRecheck();
}

void SetMonitors(const std::vector<TMonitorInfo>& Monitors) { GuiInternal::SetFakeMonitors(Monitors); }

void SetDisplayComposites(std::optional<bool> Composites) { ::SetDisplayComposites(Composites); }

TWindowLook WindowLook(TControl* Window) { return HarnessBackend::WindowLook(Window); }

Cardinal ShadowPixelARGB(TControl* Window, Integer X, Integer Y) { return HarnessBackend::ShadowPixel(Window, X, Y); }

bool GrabPng(TControl* Control, const String& FileName) {
  return Control->Impl() && Control->Impl()->GrabToPng(FileName);
}

std::vector<Byte> GrabPngBytes(TControl* Control) { return HarnessBackend::GrabPngBytes(Control); }

TColor Pixel(TControl* Control, Integer X, Integer Y) {
  return Control->Impl() ? Control->Impl()->GrabPixel(X, Y) : clNone;
}

Cardinal PixelARGB(TControl* Control, Integer X, Integer Y) { return HarnessBackend::ComposedPixel(Control, X, Y); }

}  // namespace TestHarness
