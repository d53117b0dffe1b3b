// The backend of the application layer: the event loop, the queue of posted calls, native timers,
// the screen, the mouse and the cursor.
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <optional>

#include <xcb/xcb.h>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/FormsBackend.h"
#include "platform/qt/QtInternal.h"

namespace {

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::User + 101);
const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 102);

class CallEvent : public QEvent {
 public:
  explicit CallEvent(std::function<void()> f) : QEvent(kCallEvent), call(std::move(f)) {}
  std::function<void()> call;
};

// Lives in the GUI thread and runs the posted calls in the order they were posted.
class Dispatcher : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == kCallEvent) {
      auto f = std::move(static_cast<CallEvent*>(e)->call);
      GuardedCall(f);
      return true;
    }
    if (e->type() == kWakeEvent) return true;
    return QObject::event(e);
  }
};

Dispatcher* gDispatcher = nullptr;
bool gOverrideCursor = false;

// The number of the X screen the connection was opened on ("host:display.screen").
int ScreenNumberOfDisplay() {
  const QByteArray d = qgetenv("DISPLAY");
  const int dot = d.lastIndexOf('.');
  const int colon = d.lastIndexOf(':');
  return dot > colon ? d.mid(dot + 1).toInt() : 0;
}

String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

}  // namespace

namespace {
// The test harness's pointer, while a test moves one.
std::optional<TPoint> gHarnessPointer;
}  // namespace

namespace QtInternal {

TPoint PointerPos() {
  if (gHarnessPointer) return *gHarnessPointer;
  const QPoint p = QCursor::pos();
  return TPoint(p.x(), p.y());
}

void SetHarnessPointer(std::optional<TPoint> Pos) { gHarnessPointer = Pos; }

}  // namespace QtInternal

namespace FormsBackend {

namespace {
QApplication* gOwnApplication = nullptr;
}  // namespace

void CreateApplication(int& argc, char** argv) {
  if (QCoreApplication::instance()) return;
  gOwnApplication = new QApplication(argc, argv);
}

void DestroyApplication() {
  delete gDispatcher;
  gDispatcher = nullptr;
  delete gOwnApplication;
  gOwnApplication = nullptr;
}

void Initialize() {
  if (!gDispatcher) gDispatcher = new Dispatcher;
}

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WaitAndProcessEvents(Integer TimeoutMs) {
  if (TimeoutMs >= 0) {
    QTimer t;
    t.setSingleShot(true);
    t.start(TimeoutMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void WakeUp() {
  if (gDispatcher) QCoreApplication::postEvent(gDispatcher, new QEvent(kWakeEvent));
}

void PostCall(std::function<void()> Call) {
  Initialize();
  QCoreApplication::postEvent(gDispatcher, new CallEvent(std::move(Call)));
}

intptr_t StartTimer(Cardinal IntervalMs, std::function<void()> Tick) {
  Initialize();
  auto* t = new QTimer(gDispatcher);
  t->setTimerType(Qt::PreciseTimer);
  QObject::connect(t, &QTimer::timeout, t, [Tick] { Tick(); });
  t->start(static_cast<int>(IntervalMs));
  return reinterpret_cast<intptr_t>(t);
}

void StopTimer(intptr_t Timer) {
  auto* t = reinterpret_cast<QTimer*>(Timer);
  if (!t) return;
  t->stop();
  t->deleteLater();
}

TRect ScreenRect() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return Rect(0, 0, 800, 600);
  QRect r = s->geometry();
  return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

TRect WorkArea() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return Rect(0, 0, 800, 600);
  QRect r = s->availableGeometry();
  return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

std::vector<TMonitorInfo> Monitors() {
  std::vector<TMonitorInfo> out;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* s : QGuiApplication::screens()) {
    const QRect g = s->geometry(), a = s->availableGeometry();
    out.push_back({Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height()),
                   Rect(a.left(), a.top(), a.left() + a.width(), a.top() + a.height()), s == primary});
  }
  return out;
}

TPoint CursorPos() { return QtInternal::PointerPos(); }

TControl* ControlAtScreenPoint(TPoint P) {
  QWidget* w = QApplication::widgetAt(QPoint(P.X, P.Y));
  return QtInternal::ControlOfWidget(w);
}

Integer WheelScrollLines() { return QApplication::wheelScrollLines(); }

void Beep() { QApplication::beep(); }

std::vector<String> FontFamilies() {
  std::vector<String> out;
  for (const QString& f : QFontDatabase::families()) out.push_back(FromQ(f));
  return out;
}

String ExecutableName() { return FromQ(QCoreApplication::applicationFilePath()); }

void SetOverrideCursor(TCursor Cursor) {
  if (gOverrideCursor) {
    QApplication::restoreOverrideCursor();
    gOverrideCursor = false;
  }
  if (Cursor == crDefault) return;
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (Cursor) {
    case crHourGlass:
    case crSQLWait: shape = Qt::WaitCursor; break;
    case crHandPoint: shape = Qt::PointingHandCursor; break;
    case crHSplit: shape = Qt::SplitHCursor; break;
    case crVSplit: shape = Qt::SplitVCursor; break;
    case crAppStart: shape = Qt::BusyCursor; break;
    case crIBeam: shape = Qt::IBeamCursor; break;
    default: break;
  }
  QApplication::setOverrideCursor(QCursor(shape));
  gOverrideCursor = true;
}

TWinControl* FocusWidgetControl() {
  TControl* c = QtInternal::ControlOfWidget(QApplication::focusWidget());
  return dynamic_cast<TWinControl*>(c);
}

bool HasRealDisplay() {
  const QString p = QGuiApplication::platformName();
  return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}

bool DisplayComposites() {
  const QString p = QGuiApplication::platformName();
  if (p.startsWith(QLatin1String("wayland"))) return true;
  if (p != QLatin1String("xcb")) return false;
  // An X display composites while a compositing manager owns the selection _NET_WM_CM_S<screen>.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return false;
  const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(ScreenNumberOfDisplay());
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
  if (!atom) return false;
  bool owned = false;
  if (atom->atom != XCB_ATOM_NONE) {
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
    owned = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
  }
  free(atom);
  return owned;
}

}  // namespace FormsBackend
