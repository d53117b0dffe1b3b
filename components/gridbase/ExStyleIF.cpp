// Desktop and office-suite look detection and the office theme notifier.
#include "components/gridbase/ExStyleIF.h"

#include <chrono>
#include <condition_variable>
#include <thread>
#include <utility>
#include <vector>

#include "components/gridbase/ExThemeLib.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Detection
// ---------------------------------------------------------------------------------------------

bool IsVistaOrLater() { return true; }

String GetDefaultUIFontName() { return IsVistaOrLater() ? u"Segoe UI" : u"Tahoma"; }

namespace {

bool OfficeKeyExists(const String& Key) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  return Reg.KeyExists(Key);
}

// The "Theme" value of an office settings key; -1 when the key or the value is missing or cannot be
// read as a number.
Integer ReadOfficeThemeValue(const String& Key) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  if (!Reg.KeyExists(Key)) return -1;
  if (!Reg.OpenKeyReadOnly(Key)) return -1;
  if (!Reg.ValueExists(u"Theme")) return -1;
  try {
    return Reg.ReadInteger(u"Theme");
  } catch (const ERegistryException&) {
    return -1;
  }
}

}  // namespace

Integer DetectOfficeVersion() {
  // The 11.0 key is looked at too, but an office 2003 installation has no theme setting to follow.
  Integer Result = 0;
  (void)OfficeKeyExists(OfficeGeneralKey11);
  if (OfficeKeyExists(OfficeGeneralKey12)) Result = 1;
  if (OfficeKeyExists(OfficeGeneralKey14)) Result = 2;
  return Result;
}

Integer DetectXPColorScheme() {
  if (!IsWinXPOrLater()) return 0;
  const TThemeLibraryLoader* L = ThemeLibraryLoader();
  if (!L || !L->LoadLibrary) return 0;
  const uintptr_t Lib = L->LoadLibrary(ThemeLibraryName);
  if (Lib < 32) return 0;
  Integer Result = 0;
  using TIsThemeActive = Integer (*)();
  using TGetCurrentThemeName = HRESULT (*)(Char*, Integer, Char*, Integer, Char*, Integer);
  void* Active = L->GetProcAddress ? L->GetProcAddress(Lib, "IsThemeActive") : nullptr;
  if (Active && reinterpret_cast<TIsThemeActive>(Active)() != 0 && IsComCtl6()) {
    void* Name = L->GetProcAddress(Lib, "GetCurrentThemeName");
    if (Name) {
      Char FileName[255] = {};
      Char ColorScheme[255] = {};
      Char SizeName[255] = {};
      reinterpret_cast<TGetCurrentThemeName>(Name)(FileName, 255, ColorScheme, 255, SizeName, 255);
      ColorScheme[254] = 0;
      const String Scheme(ColorScheme);
      if (Pos(u"NormalColor", Scheme) > 0)
        Result = 1;
      else if (Pos(u"HomeStead", Scheme) > 0)
        Result = 2;
      else if (Pos(u"Metallic", Scheme) > 0)
        Result = 3;
    }
  }
  if (L->FreeLibrary) L->FreeLibrary(Lib);
  return Result;
}

TOfficeTheme DetectOfficeTheme() {
  switch (ReadOfficeThemeValue(OfficeCommonKey14)) {
    case -1:
      break;
    case 1:
      return ot2010Blue;
    case 2:
      return ot2010Silver;
    case 3:
      return ot2010Black;
    default:
      return ot2003Blue;
  }
  switch (ReadOfficeThemeValue(OfficeCommonKey12)) {
    case -1:
      break;
    case 1:
      return ot2007Blue;
    case 2:
      return ot2007Silver;
    case 3:
      return ot2007Black;
    default:
      return ot2003Blue;
  }
  switch (DetectXPColorScheme()) {
    case 1:
      return ot2003Blue;
    case 2:
      return ot2003Olive;
    case 3:
      return ot2003Silver;
    default:
      return ot2003Classic;
  }
}

// ---------------------------------------------------------------------------------------------
// THandleList
// ---------------------------------------------------------------------------------------------

static void* HandleToItem(HWND Value) { return reinterpret_cast<void*>(Value); }
static HWND ItemToHandle(void* Item) { return reinterpret_cast<HWND>(Item); }

Integer THandleList::Add(HWND Value) { return TList::Add(HandleToItem(Value)); }

void THandleList::Insert(Integer Index, HWND Value) { TList::Insert(Index, HandleToItem(Value)); }

void THandleList::DeleteValue(HWND Value) {
  const Integer I = IndexOf(HandleToItem(Value));
  if (I >= 0) TList::Delete(I);
}

bool THandleList::HasValue(HWND Value) const { return IndexOf(HandleToItem(Value)) >= 0; }

HWND THandleList::GetInteger(Integer Index) const { return ItemToHandle(Get(Index)); }

void THandleList::SetInteger(Integer Index, HWND Value) { Put(Index, HandleToItem(Value)); }

// ---------------------------------------------------------------------------------------------
// Change sources
// ---------------------------------------------------------------------------------------------

namespace {

// The contents of a key and, with WatchSubtree, of all its sub-keys, as one text to compare.
String KeySnapshot(TRegistry& Reg, const String& Path, bool WatchSubtree) {
  String Out;
  if (!Reg.OpenKeyReadOnly(u"\\" + Path)) return u"<missing>";
  TStringList Names;
  Reg.GetValueNames(&Names);
  for (Integer I = 0; I < Names.Count(); ++I) {
    const String& N = Names.Strings(I);
    Out += N + u"=";
    try {
      switch (Reg.GetDataType(N)) {
        case rdInteger:
          Out += IntToStr(Reg.ReadInteger(N));
          break;
        case rdString:
        case rdExpandString:
          Out += Reg.ReadString(N);
          break;
        default:
          Out += IntToStr(Reg.GetDataSize(N));
          break;
      }
    } catch (const Exception&) {
      Out += u"?";
    }
    Out += u"\n";
  }
  TStringList Keys;
  Reg.GetKeyNames(&Keys);
  for (Integer I = 0; I < Keys.Count(); ++I) {
    const String Sub = Path + u"\\" + Keys.Strings(I);
    Out += u"[" + Keys.Strings(I) + u"]\n";
    if (WatchSubtree) Out += KeySnapshot(Reg, Sub, true);
  }
  return Out;
}

// The default source: compares the key's contents once a second.
class TPollingRegChangeSource : public TRegChangeSource {
 public:
  void Arm(HKEY RootKey, const String& Key, bool WatchSubtree, Integer /*Filter*/) override {
    std::lock_guard<std::mutex> G(FLock);
    FRoot = RootKey;
    FKey = Key;
    FSubtree = WatchSubtree;
    FSnapshot = Snapshot();
  }
  bool WaitForChange() override {
    std::unique_lock<std::mutex> G(FLock);
    for (;;) {
      if (FCancelled) return false;
      FCv.wait_for(G, std::chrono::milliseconds(1000));
      if (FCancelled) return false;
      if (Snapshot() != FSnapshot) return true;
    }
  }
  void Cancel() override {
    {
      std::lock_guard<std::mutex> G(FLock);
      FCancelled = true;
    }
    FCv.notify_all();
  }

 private:
  String Snapshot() {
    TRegistry Reg;
    Reg.SetRootKey(FRoot);
    return KeySnapshot(Reg, FKey, FSubtree);
  }
  std::mutex FLock;
  std::condition_variable FCv;
  bool FCancelled = false;
  HKEY FRoot = HKEY_CURRENT_USER;
  String FKey;
  bool FSubtree = true;
  String FSnapshot;
};

TRegChangeSourceFactory& SourceFactory() {
  static TRegChangeSourceFactory F;
  return F;
}

std::unique_ptr<TRegChangeSource> NewChangeSource() {
  if (SourceFactory()) return SourceFactory()();
  return std::make_unique<TPollingRegChangeSource>();
}

}  // namespace

TRegChangeSourceFactory SetRegChangeSourceFactory(TRegChangeSourceFactory Factory) {
  TRegChangeSourceFactory Old = std::move(SourceFactory());
  SourceFactory() = std::move(Factory);
  return Old;
}

// ---------------------------------------------------------------------------------------------
// TRegMonitorThread
// ---------------------------------------------------------------------------------------------

TRegMonitorThread::TRegMonitorThread()
    : TThread(true),
      FReg(std::make_unique<TRegistry>()),
      FWinList(std::make_unique<THandleList>()),
      FEvent(NewChangeSource()) {}

TRegMonitorThread::~TRegMonitorThread() {
  // A thread freed by another thread is stopped first, so its Execute no longer uses the members.
  if (std::this_thread::get_id() != FWorkerId) {
    Stop();
    WaitFor();
  }
}

void TRegMonitorThread::Stop() {
  Terminate();
  FEvent->Cancel();
}

void TRegMonitorThread::AddWindow(HWND Wnd) {
  std::lock_guard<std::mutex> G(FWinLock);
  if (!FWinList->HasValue(Wnd)) FWinList->Add(Wnd);
}

void TRegMonitorThread::RemoveWindow(HWND Wnd) {
  std::lock_guard<std::mutex> G(FWinLock);
  FWinList->DeleteValue(Wnd);
}

bool TRegMonitorThread::HasWindow(HWND Wnd) const {
  std::lock_guard<std::mutex> G(FWinLock);
  return FWinList->HasValue(Wnd);
}

Integer TRegMonitorThread::WindowCount() const {
  std::lock_guard<std::mutex> G(FWinLock);
  return FWinList->Count();
}

void TRegMonitorThread::NotifyWindows() {
  std::vector<HWND> Targets;
  if (FWnd != 0) Targets.push_back(FWnd);
  {
    std::lock_guard<std::mutex> G(FWinLock);
    for (Integer I = 0; I < FWinList->Count(); ++I) Targets.push_back(FWinList->GetInteger(I));
  }
  // Windows are reached by handle: one destroyed meanwhile simply does not receive the message.
  for (HWND W : Targets)
    SendMessage(W, WM_OFFICETHEMECHANGED, static_cast<WPARAM>(FRootKey),
                reinterpret_cast<LPARAM>(&FKey));
}

void TRegMonitorThread::Execute() {
  FWorkerId = std::this_thread::get_id();
  FReg->SetRootKey(FRootKey);
  if (!FReg->OpenKeyReadOnly(FKey)) throw ERegistryException(u"Unable to open registry key " + FKey);
  // The whole subtree is watched, whatever FWatchSub says.
  FEvent->Arm(FRootKey, FKey, true, Filter());
  while (!Terminated()) {
    if (!FEvent->WaitForChange()) continue;
    if (Terminated()) break;
    // The windows handle the message on the GUI thread while this thread waits.
    Synchronize([this] { NotifyWindows(); });
    FEvent->Arm(FRootKey, FKey, true, Filter());
  }
}

// ---------------------------------------------------------------------------------------------
// TThemeNotifierWindow, TThemeNotifier
// ---------------------------------------------------------------------------------------------

TThemeNotifierWindow::TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_OFFICETHEMECHANGED && OnOfficeThemeChange) OnOfficeThemeChange(this);
  TWinControl::WndProc(Message);
}

namespace {

TThemeNotifier* GNotifier = nullptr;

}  // namespace

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  if (ComponentState() & csDesigning) return;
  const Integer V = DetectOfficeVersion();
  if (V != 1 && V != 2) return;
  FNotifier = new TThemeNotifierWindow(this);
  if (auto* W = dynamic_cast<TWinControl*>(AOwner)) FNotifier->SetParent(W);
  FNotifier->SetVisible(false);
  FNotifier->OnOfficeThemeChange = [this](TObject*) {
    if (OnOfficeThemeChange) OnOfficeThemeChange(this);
  };
  RegMonitorThread = new TRegMonitorThread();
  RegMonitorThread->SetFreeOnTerminate(true);
  // The thread also ends on its own (a key it cannot open); it then forgets itself here before it
  // is freed, on the GUI thread. The shared slot tells it whether the notifier is still there.
  FAlive = std::make_shared<TThemeNotifier*>(this);
  std::shared_ptr<TThemeNotifier*> Alive = FAlive;
  RegMonitorThread->OnTerminate = [Alive](TObject*) {
    if (*Alive) (*Alive)->RegMonitorThread = nullptr;
  };
  RegMonitorThread->FWnd = FNotifier->Handle();
  RegMonitorThread->SetFilter(4);
  RegMonitorThread->FKey = V == 2 ? OfficeCommonKey14 : OfficeCommonKey12;
  RegMonitorThread->FRootKey = HKEY_CURRENT_USER;
  RegMonitorThread->FWatchSub = true;
  RegMonitorThread->Resume();
}

TThemeNotifier::~TThemeNotifier() {
  if (FAlive) *FAlive = nullptr;
  // The thread frees itself once it has seen the stop; nobody waits for it.
  if (RegMonitorThread) RegMonitorThread->Stop();
  RegMonitorThread = nullptr;
  if (GNotifier == this) GNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
  if (RegMonitorThread) RegMonitorThread->AddWindow(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
  if (RegMonitorThread) RegMonitorThread->RemoveWindow(Hwnd);
}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner) {
  if (!GNotifier) {
    TComponent* Owner = AOwner;
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
      Owner = Application->MainForm();
    GNotifier = new TThemeNotifier(Owner);
  }
  return GNotifier;
}
