// The window-system side of the test harness: Qt events sent straight to a control's widget.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gui/HarnessBackend.h"
#include "platform/qt/QtInternal.h"
#include "platform/qt/QtKeys.h"

// Qt's entry for a key that the window system gives to a window (the one its own test library
// uses): Qt routes it as it routes a real key, to the window's focus widget, closing an open popup
// of another window first.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text = QString(), bool autorep = false, ushort count = 1);

namespace {

// The widget that takes the mouse: the viewport of a scroll area.
QWidget* MouseTarget(QWidget* w, QPoint& p) {
  if (auto* sa = qobject_cast<QAbstractScrollArea*>(w)) {
    QWidget* vp = sa->viewport();
    if (vp->geometry().contains(p)) {
      p -= vp->pos();
      return vp;
    }
  }
  return w;
}

Qt::MouseButton QtButton(TMouseButton b) {
  return b == mbLeft ? Qt::LeftButton : b == mbRight ? Qt::RightButton : Qt::MiddleButton;
}

Qt::MouseButtons QtButtons(Word down) {
  Qt::MouseButtons b;
  if (down & MK_LBUTTON) b |= Qt::LeftButton;
  if (down & MK_RBUTTON) b |= Qt::RightButton;
  if (down & MK_MBUTTON) b |= Qt::MiddleButton;
  return b;
}

// --- The window system's pointer ------------------------------------------------------------------

struct TPointer {
  bool Active = false;
  QPoint Global;
  QPointer<QWidget> Under;  // the widget the pointer is in, as its last crossing events told
  Qt::MouseButtons Buttons;
  Qt::KeyboardModifiers Modifiers;
};
TPointer gPointer;

// The window system's stacking: tool tips and popups over the windows that stay on top, those over
// the rest, the active window over the other plain windows.
int StackRank(QWidget* Window) {
  const Qt::WindowType type = Window->windowType();
  if (type == Qt::ToolTip || type == Qt::Popup) return 3;
  if (Window->windowFlags() & Qt::WindowStaysOnTopHint) return 2;
  return Window->isActiveWindow() ? 1 : 0;
}

// The widget under a screen point: the deepest widget of the topmost window of a control there.
// A window takes the pointer where it lies whatever it asks of the window system: an X server gives
// the pointer to a window that appears under it also when the window asks to let input through.
QWidget* WidgetUnderPointer(const QPoint& Global) {
  QWidget* top = nullptr;
  int rank = -1;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || !w->frameGeometry().contains(Global) || !QtInternal::ControlOfWidget(w)) continue;
    const int r = StackRank(w);
    if (r > rank) {
      top = w;
      rank = r;
    }
  }
  if (!top) return nullptr;
  QWidget* child = top->childAt(top->mapFromGlobal(Global));
  return child ? child : top;
}

// A widget and its parents up to its window, the widget first.
std::vector<QPointer<QWidget>> WidgetChain(QWidget* W) {
  std::vector<QPointer<QWidget>> chain;
  for (; W; W = W->isWindow() ? nullptr : W->parentWidget()) chain.emplace_back(W);
  return chain;
}

// The crossing events of the pointer going from one widget to another, as Qt gives them: Leave to
// the widgets left (the innermost first), Enter to those entered (the outermost first).
void SendCrossing(QWidget* From, QWidget* To) {
  const auto leaving = WidgetChain(From);
  const auto entering = WidgetChain(To);
  auto holds = [](const std::vector<QPointer<QWidget>>& Chain, QWidget* W) {
    return std::find(Chain.begin(), Chain.end(), W) != Chain.end();
  };
  for (const QPointer<QWidget>& w : leaving) {
    if (!w || holds(entering, w)) continue;
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
  }
  for (auto it = entering.rbegin(); it != entering.rend(); ++it) {
    QWidget* w = *it;
    if (!w || holds(leaving, w)) continue;
    const QPointF global(gPointer.Global);
    const QPointF local = w->mapFromGlobal(global);
    QEnterEvent e(local, local, global);
    QApplication::sendEvent(w, &e);
  }
}

}  // namespace

namespace HarnessBackend {

void SendKey(TControl* Control, Word VirtualKey, TShiftState Shift, const String& Text, bool Keypad, bool Down) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return;
  Qt::KeyboardModifiers mods(QtKeys::ModifiersOf(Shift));
  if (Keypad) mods |= Qt::KeypadModifier;
  int key = QtKeys::QtKeyOf(VirtualKey);
  if (!key && !Text.empty()) key = Text[0];
  QString text = QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size()));
  // While a popup (a combo box's list) is open, the key comes as the window system gives it to the
  // control's window when that window keeps the keyboard: through Qt's own routing.
  QWidget* popup = QApplication::activePopupWidget();
  QWindow* window = w->window()->windowHandle();
  if (popup && window && !popup->isAncestorOf(w) && popup != w->window()) {
    qt_handleKeyEvent(window, Down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, text);
    return;
  }
  QKeyEvent e(Down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &e);
}

void SendMouse(TControl* Control, Integer Kind, TMouseButton Button, TPoint P, TShiftState Shift, Word ButtonsDown) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return;
  QPoint p(P.X, P.Y);
  QWidget* target = MouseTarget(w, p);
  QPointF global = target->mapToGlobal(p);
  QEvent::Type type = Kind == 0 ? QEvent::MouseMove
                      : Kind == 1 ? QEvent::MouseButtonPress
                      : Kind == 2 ? QEvent::MouseButtonRelease
                                  : QEvent::MouseButtonDblClick;
  Qt::MouseButton b = Kind == 0 ? Qt::NoButton : QtButton(Button);
  QMouseEvent e(type, QPointF(p), global, b, QtButtons(ButtonsDown),
                Qt::KeyboardModifiers(QtKeys::ModifiersOf(Shift)));
  QApplication::sendEvent(target, &e);
}

DWORD SendDrag(TControl* Control, TPoint P, const TMimeParts& Parts, DWORD Allowed, TShiftState Shift, bool Drop) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return DROPEFFECT_NONE;
  QPoint p(P.X, P.Y);
  // As the window system does: the widget under the point, or its nearest parent that takes drops.
  QWidget* target = w->childAt(p) ? w->childAt(p) : w;
  p = target->mapFrom(w, p);
  while (target && !target->acceptDrops()) {
    p = target->mapToParent(p);
    target = target->parentWidget();
  }
  if (!target) return DROPEFFECT_NONE;
  QMimeData mime;
  for (const auto& [type, bytes] : Parts)
    mime.setData(QString::fromUtf16(type.data(), static_cast<qsizetype>(type.size())),
                 QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  const Qt::DropActions actions(static_cast<int>(Allowed & 7u));
  const Qt::KeyboardModifiers mods(QtKeys::ModifiersOf(Shift));
  QDragEnterEvent enter(p, actions, &mime, Qt::LeftButton, mods);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return DROPEFFECT_NONE;
  QDragMoveEvent move(p, actions, &mime, Qt::LeftButton, mods);
  QApplication::sendEvent(target, &move);
  const DWORD moved = move.isAccepted() ? static_cast<DWORD>(move.dropAction()) & 7u : DROPEFFECT_NONE;
  if (!Drop || moved == DROPEFFECT_NONE) {
    QDragLeaveEvent leave;
    QApplication::sendEvent(target, &leave);
    return moved;
  }
  QDropEvent drop(QPointF(p), actions, &mime, Qt::NoButton, mods);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted() ? static_cast<DWORD>(drop.dropAction()) & 7u : DROPEFFECT_NONE;
}

void SetDragReceiver(std::function<DWORD(const TMimeParts& Parts, DWORD OkEffects)> Receiver) {
  if (!Receiver) {
    QtInternal::SetDragRunner(nullptr);
    return;
  }
  QtInternal::SetDragRunner([Receiver](const QMimeData* Mime, DWORD OkEffects, const std::function<bool()>& Tick,
                                       const std::function<void(DWORD)>&) {
    TMimeParts parts;
    for (const QString& f : Mime->formats()) {
      const QByteArray b = Mime->data(f);
      parts.emplace_back(String(reinterpret_cast<const Char*>(f.utf16()), static_cast<size_t>(f.size())),
                         std::string(b.constData(), static_cast<size_t>(b.size())));
    }
    // One step of the drag, as the window system gives the source while the pointer moves.
    if (!Tick()) return DWORD(DROPEFFECT_NONE);
    return Receiver(parts, OkEffects);
  });
}

void SendWheel(TControl* Control, Integer Delta, TPoint P, TShiftState Shift) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return;
  QPoint p(P.X, P.Y);
  QWidget* target = MouseTarget(w, p);
  QPointF global = target->mapToGlobal(p);
  QWheelEvent e(QPointF(p), global, QPoint(), QPoint(0, Delta), Qt::NoButton,
                Qt::KeyboardModifiers(QtKeys::ModifiersOf(Shift)), Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &e);
}

void MovePointer(TPoint Global, TShiftState Shift, Word ButtonsDown) {
  gPointer.Active = true;
  gPointer.Global = QPoint(Global.X, Global.Y);
  gPointer.Buttons = QtButtons(ButtonsDown);
  gPointer.Modifiers = Qt::KeyboardModifiers(QtKeys::ModifiersOf(Shift));
  QtInternal::SetHarnessPointer(Global);
  const QPointer<QWidget> from = gPointer.Under;
  const QPointer<QWidget> under = WidgetUnderPointer(gPointer.Global);
  if (under != from) {
    gPointer.Under = under;
    SendCrossing(from, under);
  }
  if (!under) return;
  const QPointF global(gPointer.Global);
  QMouseEvent e(QEvent::MouseMove, under->mapFromGlobal(global), global, Qt::NoButton, gPointer.Buttons,
                gPointer.Modifiers);
  QApplication::sendEvent(under, &e);
}

void PointerRecheck() {
  if (!gPointer.Active) return;
  // The window system looks again when a window appears or goes under the pointer; within one
  // window the pointer goes from widget to widget only with a move.
  const QPointer<QWidget> from = gPointer.Under;
  QWidget* under = WidgetUnderPointer(gPointer.Global);
  if (under == from || (from && under && from->window() == under->window())) return;
  gPointer.Under = under;
  SendCrossing(from, under);
}

void PointerReset() {
  gPointer = TPointer();
  QtInternal::SetHarnessPointer(std::nullopt);
}

void SendEnterLeave(TControl* Control, bool Enter) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return;
  if (Enter) {
    QPointF c(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent e(c, c, w->mapToGlobal(c));
    QApplication::sendEvent(w, &e);
  } else {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
  }
}

std::vector<Byte> GrabPngBytes(TControl* Control) {
  QWidget* w = QtInternal::WidgetOf(Control);
  if (!w) return {};
  QPixmap pm = w->grab();
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  pm.save(&buf, "PNG");
  return std::vector<Byte>(bytes.begin(), bytes.end());
}

namespace {

// A widget rendered over nothing, so what it leaves transparent stays so; 0xAARRGGBB.
Cardinal RenderedPixel(QWidget* w, int X, int Y) {
  if (!w || X < 0 || Y < 0 || X >= w->width() || Y >= w->height()) return 0;
  QImage img(w->size(), QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  w->render(&img);
  const QColor c = img.pixelColor(X, Y);
  const double opacity = w->isWindow() ? w->windowOpacity() : 1.0;
  const int a = static_cast<int>(c.alpha() * opacity + 0.5);
  return (static_cast<Cardinal>(a) << 24) | (static_cast<Cardinal>(c.red()) << 16) |
         (static_cast<Cardinal>(c.green()) << 8) | static_cast<Cardinal>(c.blue());
}

}  // namespace

TestHarness::TWindowLook WindowLook(TControl* Window) {
  TestHarness::TWindowLook look;
  QWidget* w = QtInternal::WidgetOf(Window);
  if (!w || !w->isWindow()) return look;
  look.StaysOnTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  look.ToolWindow = w->windowType() == Qt::Tool;
  if (QWindow* h = w->windowHandle(); h && h->transientParent()) {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->windowHandle() == h->transientParent()) look.Owner = QtInternal::ControlOfWidget(top);
  }
  look.Shadow = QtInternal::ShadowOf(Window) != nullptr;
  return look;
}

Cardinal ComposedPixel(TControl* Control, Integer X, Integer Y) {
  return RenderedPixel(QtInternal::WidgetOf(Control), X, Y);
}

Cardinal ShadowPixel(TControl* Window, Integer X, Integer Y) {
  QWidget* w = QtInternal::WidgetOf(Window);
  QWidget* s = QtInternal::ShadowOf(Window);
  if (!w || !s) return 0;
  const QPoint at = w->frameGeometry().topLeft() + QPoint(X, Y) - s->geometry().topLeft();
  return RenderedPixel(s, at.x(), at.y());
}

Int64 Milliseconds() {
  static QElapsedTimer t = [] {
    QElapsedTimer x;
    x.start();
    return x;
  }();
  return t.elapsed();
}

}  // namespace HarnessBackend
