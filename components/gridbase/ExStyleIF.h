// Following the look of the desktop and of the installed office suite: the colour-style types the
// grid and the drop-down controls accept, the interfaces of a styled component, the detection of
// the system version, the visual-styles colour scheme and the office suite's version and colour
// theme, the default user-interface font, and the notifier that tells registered windows when the
// office suite's theme setting changes (message WM_OFFICETHEMECHANGED).
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Threads.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Registry.h"

// The colour set a component takes.
enum TNorvStyle : Byte {
  tsOffice2003Blue,
  tsOffice2003Silver,
  tsOffice2003Olive,
  tsOffice2003Classic,
  tsOffice2007Luna,
  tsOffice2007Obsidian,
  tsWindowsXP,
  tsWhidbey,
  tsCustom,
  tsOffice2007Silver,
  tsWindowsVista,
  tsWindows7,
  tsTerminal,
  tsOffice2010Blue,
  tsOffice2010Silver,
  tsOffice2010Black
};

// The office suite's colour theme.
enum TOfficeTheme : Byte {
  ot2003Blue,
  ot2003Silver,
  ot2003Olive,
  ot2003Classic,
  ot2007Blue,
  ot2007Silver,
  ot2007Black,
  ot2010Blue,
  ot2010Silver,
  ot2010Black,
  otUnknown
};

struct TColorTone {
  TColor BrushColor = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
  friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

// The tones of one look, passed by value: the button routines and the drop-down controls copy it.
struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
  friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

// A component that takes one of the colour sets.
class INorvStyle {
 public:
  static constexpr const char* IID = "{11AC1E10-1A2B-4E55-9C61-7E0A4F3D2B01}";
  virtual ~INorvStyle() = default;
  virtual void SetComponentStyle(TNorvStyle AStyle) = 0;
};

// A component that takes a set of colour tones.
class INorvTones {
 public:
  static constexpr const char* IID = "{11AC1E10-1A2B-4E55-9C61-7E0A4F3D2B02}";
  virtual ~INorvTones() = default;
  virtual void SetColorTones(TColorTones ATones) = 0;
};

// The message a registered window receives when the office suite's theme setting changes:
// wParam = the registry root key, lParam = the address of the watched key's text (valid during
// the call).
constexpr UINT WM_OFFICETHEMECHANGED = 2993;

// The registry keys (under HKEY_CURRENT_USER) of the office suite's settings.
inline const String OfficeGeneralKey11 = u"Software\\Microsoft\\Office\\11.0\\Common\\General";
inline const String OfficeGeneralKey12 = u"Software\\Microsoft\\Office\\12.0\\Common\\General";
inline const String OfficeGeneralKey14 = u"Software\\Microsoft\\Office\\14.0\\Common\\General";
inline const String OfficeCommonKey12 = u"Software\\Microsoft\\Office\\12.0\\Common";
inline const String OfficeCommonKey14 = u"Software\\Microsoft\\Office\\14.0\\Common";

// True on a system of the generation that brought the newer locale functions (this one is).
bool IsVistaOrLater();
// "Segoe UI" when IsVistaOrLater, else "Tahoma".
String GetDefaultUIFontName();
// 2 when the office 14.0 settings key exists, else 1 when the 12.0 key exists, else 0.
Integer DetectOfficeVersion();
// The visual-styles colour scheme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic", 0 any other,
// no active theme or a system without visual styles.
Integer DetectXPColorScheme();
// The office suite's colour theme (never otUnknown), from its "Theme" setting, else from the
// visual-styles colour scheme.
TOfficeTheme DetectOfficeTheme();

// A list of window handles.
class THandleList : public TList {
 public:
  THandleList() = default;
  String ClassName() const override { return u"THandleList"; }
  Integer Add(HWND Value);
  void Insert(Integer Index, HWND Value);
  void Delete(Integer Index) { TList::Delete(Index); }
  // Deletes the first item equal to Value, if any.
  void DeleteValue(HWND Value);
  bool HasValue(HWND Value) const;
  HWND GetInteger(Integer Index) const;
  void SetInteger(Integer Index, HWND Value);
};

// How the monitor thread learns that its registry key changed. The system's registry has no change
// notification of its own, so the default source compares the key's contents (values and
// sub-keys, the whole subtree) once a second; tests put a source in place that they signal.
class TRegChangeSource {
 public:
  virtual ~TRegChangeSource() = default;
  // Starts watching the key (again, after a change was reported).
  virtual void Arm(HKEY RootKey, const String& Key, bool WatchSubtree, Integer Filter) = 0;
  // Blocks until the key changed (true), the wait failed (false) or Cancel was called (false).
  virtual bool WaitForChange() = 0;
  // Ends the current and every later wait.
  virtual void Cancel() = 0;
};
using TRegChangeSourceFactory = std::function<std::unique_ptr<TRegChangeSource>()>;
// Replaces the source new monitor threads use (an empty function restores the default); returns
// the one in place before.
TRegChangeSourceFactory SetRegChangeSourceFactory(TRegChangeSourceFactory Factory);

// Watches a registry key and sends WM_OFFICETHEMECHANGED to its window and to every registered
// window on each change. Created suspended; frees itself when it ends if told to.
class TRegMonitorThread : public TThread {
 public:
  TRegMonitorThread();
  ~TRegMonitorThread() override;
  String ClassName() const override { return u"TRegMonitorThread"; }

  // Tells the thread to end and wakes it from its wait.
  void Stop();
  // The change filter; 0 reads as 15 (every kind of change).
  Integer Filter() const { return FFilter == 0 ? 15 : FFilter; }
  void SetFilter(Integer Value) { FFilter = Value; }

  // Window registration, on the GUI thread.
  void AddWindow(HWND Wnd);
  void RemoveWindow(HWND Wnd);
  bool HasWindow(HWND Wnd) const;
  Integer WindowCount() const;

  std::unique_ptr<TRegistry> FReg;
  String FKey;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FWatchSub = false;
  HWND FWnd = 0;

 protected:
  void Execute() override;

 private:
  // Sends the change message to the own window, then to the registered ones in list order.
  void NotifyWindows();

  Integer FFilter = 0;
  std::unique_ptr<THandleList> FWinList;
  mutable std::mutex FWinLock;  // the list is read by the worker and changed by the GUI thread
  std::unique_ptr<TRegChangeSource> FEvent;
  std::thread::id FWorkerId;  // the worker, which may free the thread itself
};

// The hidden window of the notifier: WM_OFFICETHEMECHANGED fires OnOfficeThemeChange and is then
// handled as usual.
class TThemeNotifierWindow : public TWinControl {
 public:
  explicit TThemeNotifierWindow(TComponent* AOwner);
  String ClassName() const override { return u"TThemeNotifierWindow"; }
  void WndProc(TMessage& Message) override;
  TNotifyEvent OnOfficeThemeChange;
};

// Tells registered windows when the office suite's theme setting changes. Without office 12.0 or
// 14.0 settings it has no window and no thread, and registration does nothing.
class TThemeNotifier : public TComponent {
 public:
  explicit TThemeNotifier(TComponent* AOwner);
  ~TThemeNotifier() override;
  String ClassName() const override { return u"TThemeNotifier"; }

  void RegisterWindow(HWND Hwnd);
  void UnRegisterWindow(HWND Hwnd);

  TNotifyEvent OnOfficeThemeChange;

  // The monitor thread (it frees itself once stopped), nullptr when none was started.
  TRegMonitorThread* RegMonitorThread = nullptr;
  TThemeNotifierWindow* Notifier() const { return FNotifier; }

 private:
  TThemeNotifierWindow* FNotifier = nullptr;
  // Shared with the monitor thread's end handler; cleared when the notifier goes.
  std::shared_ptr<TThemeNotifier*> FAlive;
};

// The process-wide notifier, created on first use. Its owner is the application's main form when
// there is one, otherwise AOwner (a windowed control the notifier's window is placed on).
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);
