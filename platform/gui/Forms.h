// Forms, the application object and the screen: top-level windows with their modal loop, the
// default exception handler, hints, and the global Application and Screen objects.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

class THintWindow;

enum TBorderIconFlag : Byte { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = Byte;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  String ClassName() const override { return u"TCustomForm"; }
  void BeforeDestruction() override;
  // Ends the construction of a form built in code: Loaded for the form and its components, then
  // OnCreate. Application->CreateForm calls it; code that creates a form with new calls it too.
  virtual void AfterConstruction();

  TFormBorderStyle BorderStyle() const { return FFormBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v) override;
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TWindowState WindowState() const { return FWindowState; }
  // Maximising gives the form the work area and remembers its bounds; wsNormal brings those back.
  // A minimised form keeps its bounds. The window system follows, also for a hidden form (the
  // state shows when it is shown).
  void SetWindowState(TWindowState v);
  bool Scaled() const { return FScaled; }
  void SetScaled(bool v) { FScaled = v; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  // fsStayOnTop keeps the window above every window that does not stay on top.
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle v);
  // The window this one belongs to (nullptr: none): the form stays above it, has no task bar
  // entry of its own, and counts as lying inside it when activation moves between windows.
  TCustomForm* PopupParent() const { return FPopupParent; }
  void SetPopupParent(TCustomForm* v);
  // A soft shadow along the right and bottom edges of the window while it shows (drawn where the
  // display blends translucent windows).
  bool DropShadow() const { return FDropShadow; }
  void SetDropShadow(bool v);

  // Width and Height include the window frame; the client size is what lies inside it.
  TRect ClientRect() const override;
  void SetClientWidth(Integer v) override;
  void SetClientHeight(Integer v) override;
  TPoint ClientOrigin() const override;
  // The frame around the client area (left, top = caption + border, right, bottom).
  TRect FrameSize() const;

  TModalResult ModalResult() const { return FModalResult; }
  // Setting a result other than mrNone on a modal form ends its ShowModal with that result.
  void SetModalResult(TModalResult v);
  // Shows the form modally and returns when it closes, with its ModalResult (mrCancel for the close
  // box or Close). The other forms take no input meanwhile.
  virtual TModalResult ShowModal();
  bool Modal() const { return FModal; }
  // Asks to close: a modal form ends with mrCancel; otherwise OnCloseQuery, OnClose(Action) and
  // the action (hide, free later, or for the main form the end of the application).
  void Close();
  // Frees the form once the events now being handled are done.
  void Release();
  virtual bool CloseQuery();
  bool Active() const { return FActive; }
  bool Showing() const override;

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Called by the layer when the focus moves inside the form.
  void FocusChanged(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void FocusControl(TWinControl* Control);
  bool SetFocusedControl(TWinControl* Control);
  void SetFocus() override;
  bool CanFocus() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  void Dispatch(TMessage& Message) override;
  void SetVisible(bool v) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // Called by the layer when the window system activates or deactivates the window. Other is the
  // window that loses (Active) or takes (not Active) the activation, nullptr when none of ours.
  // The form gets WM_ACTIVATE (WA_ACTIVE or WA_INACTIVE, LParam Other's handle), then OnActivate
  // or OnDeactivate.
  void Activated(bool Active, TCustomForm* Other = nullptr);
  // Called by the layer when the window system changed the window's state (the user maximised or
  // minimised it): the state is taken without acting on it again.
  void WindowStateChanged(TWindowState State);

 protected:
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void SetTextImpl(const String& v) override;
  void CMDialogKey(TMessage& M) override;
  // The system commands: SC_MOVE (the caption's move, also as WM_NCLBUTTONDOWN on HTCAPTION),
  // SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE and SC_CLOSE.
  virtual void WMSysCommand(TMessage& M);
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PlaceWindow();
  void ApplyFrame();
  void ApplyWindowStyle();

  TFormBorderStyle FFormBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FScaled = true;
  bool FKeyPreview = false;
  TFormStyle FFormStyle = fsNormal;
  TCustomForm* FPopupParent = nullptr;
  bool FDropShadow = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FActive = false;
  bool FCreated = false;
  bool FPlaced = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;  // the control that last had the focus
  TRect FRestoredBounds;                   // the bounds wsNormal brings back
  bool FMaximizedBounds = false;           // the bounds are the maximised ones
  bool FFormGone = false;                  // the form's part of the destruction has run
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  String ClassName() const override { return u"TForm"; }
};

// The window that shows a hint. A program may install its own class (HintWindowClass).
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  String ClassName() const override { return u"THintWindow"; }
  // Shows Hint in Rect (screen coordinates).
  virtual void ActivateHint(const TRect& Rect, const String& Hint);
  // The rectangle the hint needs, at most MaxWidth wide, at (0, 0).
  virtual TRect CalcHintRect(Integer MaxWidth, const String& Hint);
  virtual void ReleaseHint();
  bool Active() const { return FActiveHint; }

 protected:
  void Paint() override;
  bool FActiveHint = false;
};
using THintWindowClass = std::function<THintWindow*(TComponent* Owner)>;

// What a control's hint shows: filled by the layer, changeable by CM_HINTSHOW handlers
// (LParam points at it).
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;            // screen position of the hint window
  Integer HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;          // client rectangle the hint stays valid in
  TPoint CursorPos;          // client position of the mouse
  Integer ReshowTimeout = 0;
  Integer HideTimeout = 0;
  String HintStr;
};

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  String ClassName() const override { return u"TApplication"; }

  void Initialize();
  // Creates a form owned by the application; the first form created becomes MainForm.
  template <class T>
  void CreateForm(T*& Reference) {
    T* f = new T(this);
    Reference = f;
    FormCreated(f);
  }
  void FormCreated(TCustomForm* Form);
  // Shows the main form and processes events until Terminate.
  void Run();
  // Handles the events that are waiting, then returns.
  void ProcessMessages();
  // Waits for at least one event and handles it.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return FTerminated; }

  TCustomForm* MainForm() const { return FMainForm; }
  bool MainFormOnTaskbar() const { return FMainFormOnTaskbar; }
  void SetMainFormOnTaskbar(bool v) { FMainFormOnTaskbar = v; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }
  String ExeName() const;
  Integer ModalLevel() const { return FModalLevel; }

  // The default exception handler: OnException when set, else ShowException.
  void HandleException(TObject* Sender);
  void HandleException(TObject* Sender, const std::exception& E);
  // Shows the exception's text in an error box.
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

  // Message boxes with the classic flags (MB_OK ... ); returns IDOK ... .
  Integer MessageBox(const String& Text, const String& Caption, Integer Flags);

  // Hints.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor v) { FHintColor = v; }
  Integer HintPause() const { return FHintPause; }
  void SetHintPause(Integer v) { FHintPause = v; }
  Integer HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(Integer v) { FHintShortPause = v; }
  Integer HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer v) { FHintHidePause = v; }
  // Shows the hint of the control under the mouse now (as the hint pause ending does).
  void ActivateHint(const TPoint& CursorPos);
  void CancelHint();
  void HideHint();
  THintWindow* HintWindow() const { return FHintWindow; }
  // The hint window class; setting it replaces the current hint window.
  void SetHintWindowClass(THintWindowClass Factory);
  // Called by the layer when the mouse rests on or leaves a control.
  void HintMouseMessage(TControl* Control);
  // Ends the hint shown and asks for the hint of Control again after the hint pause (the pointer
  // went to another part of the control, with a hint of its own).
  void RestartHint(TControl* Control);
  TNotifyEvent OnHint;
  String Hint() const { return FHint; }

  // Forms: the layer keeps the list.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void EnterModal() { ++FModalLevel; }
  void LeaveModal() { --FModalLevel; }
  // Frees forms released with TCustomForm::Release.
  void FreeReleased();
  void QueueRelease(TCustomForm* Form);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FMainFormOnTaskbar = false;
  bool FShowHint = true;
  TColor FHintColor = clInfoBk;
  Integer FHintPause = 500;
  Integer FHintShortPause = 50;
  Integer FHintHidePause = 2500;
  Integer FModalLevel = 0;
  String FTitle;
  String FHint;
  THintWindow* FHintWindow = nullptr;
  THintWindowClass FHintWindowClass;
  TControl* FHintControl = nullptr;
  bool FHintAsked = false;  // FHintControl answered CM_HINTSHOW for FHintCursorRect
  TRect FHintCursorRect;
  std::vector<TCustomForm*> FReleased;
  void StartHintTimer(Integer Pause);
};

// One display of the desktop: its bounds and its work area (the bounds less the task bars and
// docks), in desktop coordinates. The screen owns its monitors; a change of the displays updates
// them in place.
class TMonitor {
 public:
  Integer MonitorNum() const { return FMonitorNum; }
  bool Primary() const { return FPrimary; }
  TRect BoundsRect() const { return FBounds; }
  TRect WorkareaRect() const { return FWorkarea; }
  Integer Left() const { return FBounds.Left; }
  Integer Top() const { return FBounds.Top; }
  Integer Width() const { return FBounds.Width(); }
  Integer Height() const { return FBounds.Height(); }

 private:
  friend class TScreen;
  Integer FMonitorNum = 0;
  bool FPrimary = false;
  TRect FBounds;
  TRect FWorkarea;
};

// What MonitorFromPoint answers for a point on no monitor: the nearest one, none, or the primary.
enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

// A display as the window system (or a test) reports it.
struct TMonitorInfo {
  TRect Bounds;
  TRect Workarea;
  bool Primary = false;
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;
  String ClassName() const override { return u"TScreen"; }

  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  TCursor Cursor() const { return FCursor; }
  // A cursor other than crDefault overrides every control's cursor.
  void SetCursor(TCursor v);
  Integer Width() const;
  Integer Height() const;
  TRect WorkAreaRect() const;
  Integer WorkAreaWidth() const { return WorkAreaRect().Width(); }
  Integer WorkAreaHeight() const { return WorkAreaRect().Height(); }
  Integer PixelsPerInch() const { return 96; }
  // The displays, the primary one among them. Width, Height and WorkAreaRect are the primary
  // monitor's.
  Integer MonitorCount();
  TMonitor* Monitors(Integer Index);
  TMonitor* PrimaryMonitor();
  // The monitor that holds P; for a point on none, as Default says (mdNearest: the monitor whose
  // bounds lie closest to P).
  TMonitor* MonitorFromPoint(TPoint P, TMonitorDefaultTo Default = mdNearest);
  // The font names a program can choose from.
  TStrings* Fonts();
  TFont* HintFont() { return &FHintFont; }
  TFont* IconFont() { return &FIconFont; }
  Integer FormCount() const { return static_cast<Integer>(FForms.size()); }
  TCustomForm* Forms(Integer Index) const;

  // Bookkeeping by the layer.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);

 private:
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;
  std::vector<std::unique_ptr<TMonitor>> FMonitors;
  std::unique_ptr<TStringList> FFonts;
  void UpdateMonitors();
  TFont FHintFont;
  TFont FIconFont;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates Application and Screen once (a second call does nothing). The window system's
// application object must exist already (the test main makes it).
void InitializeGuiLayer();
// The program's start: makes the window system's application object from the command line when
// none exists yet, then the GUI layer. argc and argv must live until FinalizeGuiLayer.
void InitializeGuiLayer(int& argc, char** argv);
// Frees every form, Application and Screen (and the window system's application object when
// InitializeGuiLayer made it).
void FinalizeGuiLayer();

// Runs f; an exception it throws goes to Application->HandleException (the message box) instead of
// going further. Returns false when one did. Every call from the window system into our code runs
// this way.
bool GuardedCall(const std::function<void()>& f);

// A hook that runs a modal form instead of the event loop: the test harness installs one to
// script modal forms. It is called with the form shown and active and must leave a ModalResult
// set; nullptr restores the event loop.
using TModalRunner = std::function<void(TCustomForm* Form)>;
void SetModalRunner(TModalRunner Runner);

// Message box flags and answers.
constexpr Integer MB_OK = 0x0000;
constexpr Integer MB_OKCANCEL = 0x0001;
constexpr Integer MB_ABORTRETRYIGNORE = 0x0002;
constexpr Integer MB_YESNOCANCEL = 0x0003;
constexpr Integer MB_YESNO = 0x0004;
constexpr Integer MB_RETRYCANCEL = 0x0005;
constexpr Integer MB_ICONHAND = 0x0010;
constexpr Integer MB_ICONERROR = 0x0010;
constexpr Integer MB_ICONSTOP = 0x0010;
constexpr Integer MB_ICONQUESTION = 0x0020;
constexpr Integer MB_ICONEXCLAMATION = 0x0030;
constexpr Integer MB_ICONWARNING = 0x0030;
constexpr Integer MB_ICONASTERISK = 0x0040;
constexpr Integer MB_ICONINFORMATION = 0x0040;
constexpr Integer MB_DEFBUTTON1 = 0x0000;
constexpr Integer MB_DEFBUTTON2 = 0x0100;
constexpr Integer MB_DEFBUTTON3 = 0x0200;
constexpr Integer IDOK = 1;
constexpr Integer IDCANCEL = 2;
constexpr Integer IDABORT = 3;
constexpr Integer IDRETRY = 4;
constexpr Integer IDIGNORE = 5;
constexpr Integer IDYES = 6;
constexpr Integer IDNO = 7;
