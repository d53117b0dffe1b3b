// The widgets behind the controls and the translation of their Qt events into window messages.
// Every Qt event that concerns our code becomes messages through the layer's input functions,
// which run our code under the exception guard; a stock widget's own behaviour runs only when a
// message reaches its default handler, which rebuilds the Qt event from the message.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QRegion>
#include <QWindow>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>
#include <typeinfo>
#include <vector>
#include <map>
#include <optional>
#include <memory>

#include "platform/gui/ControlsBackend.h"
#include "platform/gui/Forms.h"
#include "platform/gui/FormsBackend.h"
#include "platform/gui/GraphicsBackend.h"
#include "platform/qt/QtInternal.h"
#include "platform/qt/QtKeys.h"

namespace {

QString QStr(const String& s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

QColor QColorOf(TColor c) {
  Integer rgb = ColorToRGB(c);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

Qt::CursorShape ShapeOf(TCursor c) {
  switch (c) {
    case crHandPoint: return Qt::PointingHandCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crAppStart: return Qt::BusyCursor;
    case crCross: return Qt::CrossCursor;
    case crNo:
    case crNoDrop: return Qt::ForbiddenCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragMoveCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}

Word MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  return QtInternal::MouseKeysOf(static_cast<unsigned>(b.toInt()), static_cast<unsigned>(m.toInt()));
}

Qt::MouseButtons ButtonsOfKeys(Word k) {
  Qt::MouseButtons b;
  if (k & MK_LBUTTON) b |= Qt::LeftButton;
  if (k & MK_RBUTTON) b |= Qt::RightButton;
  if (k & MK_MBUTTON) b |= Qt::MiddleButton;
  return b;
}

Qt::KeyboardModifiers ModsNow() {
  return Qt::KeyboardModifiers(QtKeys::ModifiersOf(KeyboardShiftState()));
}

class QtWidgetImpl;

// What our widget classes share, whatever stock widget they derive from.
class KAdapter {
 public:
  virtual ~KAdapter() = default;
  TControl* control = nullptr;
  bool painted = false;
  // A stock widget runs the control's paint message before it paints itself (the control draws
  // its overlay there).
  bool stockPaint = false;
  // Translucency: the colour that paints as transparent (clNone: none), the opacity of a child
  // window's own painting, and the image a layered window shows instead of its painting.
  TColor colorKey = clNone;
  Byte opacity = 255;
  TBitmap* layered = nullptr;
  TPoint layeredOffset;  // where the image's top-left corner lies in the widget
  // The backend object of the widget, for the state it holds back until the widget is shown.
  QtWidgetImpl* impl = nullptr;
  virtual QWidget* Widget() = 0;
  // The stock widget's own handlers, for the default handling of messages.
  virtual void BaseKeyPress(QKeyEvent* e) = 0;
  virtual void BaseKeyRelease(QKeyEvent* e) = 0;
  virtual void BaseMouse(QMouseEvent* e) = 0;
  virtual void BaseWheel(QWheelEvent* e) = 0;
  // The offset of the widget that takes the mouse (the viewport of a scroll area).
  virtual QPoint MouseOrigin() { return QPoint(0, 0); }
  // A window that lets the mouse through to what lies beneath it.
  bool mouseThrough = false;
};

HWND gLastFocusLost = 0;

// Applies what a widget's backend held back until the widget is shown (see QtWidgetImpl).
void ApplyPendingState(QtWidgetImpl* impl);

// Every event asks it, and a dynamic_cast searches the whole class tree of a deep control class
// each time: the answer is kept per dynamic type (a control under construction has the type of
// the constructor running, so the answer matches dynamic_cast's at every moment).
TWinControl* WinOf(TControl* c) {
  if (!c) return nullptr;
  struct TEntry {
    const std::type_info* Type = nullptr;
    bool Win = false;
  };
  thread_local std::array<TEntry, 64> Known;
  const std::type_info& T = typeid(*c);
  TEntry& E = Known[(reinterpret_cast<uintptr_t>(&T) >> 4) % Known.size()];
  if (E.Type != &T) {
    E.Type = &T;
    E.Win = dynamic_cast<TWinControl*>(c) != nullptr;
  }
  return E.Win ? static_cast<TWinControl*>(c) : nullptr;
}

// A bitmap's pixels as a Qt image over the same memory (valid while the bitmap is unchanged).
QImage ImageOf(TBitmap* b) {
  if (!b || b->Empty()) return QImage();
  TBitmap::Image* img = b->GetImage();
  if (!img || img->Empty()) return QImage();
  QImage::Format f = img->Format == pf32bit ? QImage::Format_ARGB32_Premultiplied
                     : img->Format == pf24bit ? QImage::Format_BGR888
                                               : QImage::Format_RGB32;
  return QImage(img->Bits(), img->Width, img->Height, img->BytesPerLine, f);
}

// The pixels of colour Key made transparent (Key as 0x00BBGGRR).
QImage KeyedOut(const QImage& src, TColor Key) {
  QImage q = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const Integer rgb = ColorToRGB(Key);
  const QRgb key = qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  for (int y = 0; y < q.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(q.scanLine(y));
    for (int x = 0; x < q.width(); ++x)
      if (qAlpha(row[x]) == 255 && (row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) row[x] = 0;
  }
  return q;
}

// Paints the image of a layered window: it replaces whatever the window would paint.
void PaintLayered(KAdapter* a, QWidget* w) {
  QPainter p(w);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(w->rect(), Qt::transparent);
  QImage q = ImageOf(a->layered);
  if (!q.isNull()) p.drawImage(a->layeredOffset.X, a->layeredOffset.Y, q);
}

// Copies the control's retained image to the screen, after Paint ran if the control was
// invalidated.
void PaintBacking(KAdapter* a, QWidget* w) {
  TControl* c = a->control;
  if (!c) return;
  GuardedCall([&] { c->PaintIfNeeded(); });
  if (a->layered) {
    PaintLayered(a, w);
    return;
  }
  QImage q = ImageOf(c->BackingImage());
  if (q.isNull()) return;
  QPainter p(w);
  if (a->colorKey != clNone) {
    // The keyed pixels show what lies below (the desktop for a window).
    if (w->isWindow()) {
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.fillRect(w->rect(), Qt::transparent);
    }
    q = KeyedOut(q, a->colorKey);
  }
  if (a->opacity != 255 && !w->isWindow()) p.setOpacity(a->opacity / 255.0);
  p.drawImage(0, 0, q);
}

// The overlay of a stock widget: a child covering it, painted after it, that shows the control's
// overlay image and lets the mouse through to the widget below.
class KOverlay : public QWidget {
 public:
  KOverlay(QWidget* parent, TBitmap* image) : QWidget(parent), image_(image) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
  }
  void SetImage(TBitmap* image) { image_ = image; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage src = ImageOf(image_);
    if (src.isNull()) return;
    // The alpha byte says whether a pixel was drawn: 0 lets the widget show, anything else is
    // the pixel's colour.
    QImage q(src.width(), src.height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < src.height(); ++y) {
      const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
      auto* out = reinterpret_cast<QRgb*>(q.scanLine(y));
      for (int x = 0; x < src.width(); ++x) out[x] = qAlpha(in[x]) == 0 ? 0 : (in[x] | 0xFF000000u);
    }
    QPainter p(this);
    p.drawImage(0, 0, q);
  }

 private:
  TBitmap* image_;
};

// The drop shadow of a top-level window, drawn by the program: a window of its own, the shadowed
// window's size plus the shadow's offset, that shows a soft grey band along the right and bottom
// edges and is transparent elsewhere. It takes no input and never the activation.
class KShadow : public QWidget {
 public:
  static constexpr int kOffset = 4;
  static constexpr int kDarkest = 80;  // the alpha where the shadow is deepest

  KShadow() {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                   Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }
  // Follows the shadowed window's outer rectangle (screen coordinates).
  void Follow(const QRect& window) {
    const QSize size(window.width() + kOffset, window.height() + kOffset);
    if (geometry() != QRect(window.topLeft(), size)) setGeometry(QRect(window.topLeft(), size));
    if (image_.size() != size) {
      image_ = Shade(window.width(), window.height());
      update();
    }
  }
  // The shadow of a Width x Height window: the window's rectangle moved by the offset, less the
  // window itself, fading over the offset towards every edge of the moved rectangle.
  static QImage Shade(int Width, int Height) {
    QImage q(Width + kOffset, Height + kOffset, QImage::Format_ARGB32_Premultiplied);
    q.fill(Qt::transparent);
    auto fade = [](int d) { return std::min(d + 1, kOffset) / double(kOffset); };
    for (int y = kOffset; y < q.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(q.scanLine(y));
      for (int x = kOffset; x < q.width(); ++x) {
        if (x < Width && y < Height) continue;
        const double f = fade(x - kOffset) * fade(y - kOffset) * fade(q.width() - 1 - x) * fade(q.height() - 1 - y);
        row[x] = qPremultiply(qRgba(0, 0, 0, static_cast<int>(kDarkest * f + 0.5)));
      }
    }
    return q;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image_);
  }

 private:
  QImage image_;
};

void HandleFocus(KAdapter* a, QEvent* e) {
  TWinControl* wc = WinOf(a->control);
  if (!wc) return;
  auto* fe = static_cast<QFocusEvent*>(e);
  if (fe->reason() == Qt::PopupFocusReason) return;
  if (e->type() == QEvent::FocusOut) {
    TControl* next = QtInternal::ControlOfWidget(QApplication::focusWidget());
    TWinControl* nw = WinOf(next);
    const HWND h = wc->Handle();
    gLastFocusLost = h;
    GuardedCall([&] { SendMessage(h, WM_KILLFOCUS, static_cast<WPARAM>(nw ? nw->Handle() : 0), 0); });
  } else {
    const HWND prev = IsWindow(gLastFocusLost) ? gLastFocusLost : 0;
    gLastFocusLost = 0;
    const HWND h = wc->Handle();
    GuardedCall([&] { SendMessage(h, WM_SETFOCUS, static_cast<WPARAM>(prev), 0); });
  }
}

// --- Windows that let the mouse through ----------------------------------------------------------
//
// A window that lets the mouse through (a hint over the control it explains) asks the window system
// to pass input on, but an X server still gives a window that appears under the pointer the
// pointer: the control beneath hears Leave, and the moves go to the window. So the layer keeps the
// mouse with the control beneath itself: such a Leave is held back while the pointer is still in
// the control (and the Enter that answers it when the window goes is dropped), and the mouse
// events the window gets go on to the widget beneath it.

// The widgets whose Leave is held back, the innermost first.
std::vector<QPointer<QWidget>> gHeldLeaves;

bool LetsMouseThrough(QWidget* W) {
  auto* ka = dynamic_cast<KAdapter*>(W);
  return ka && ka->mouseThrough;
}

QPoint PointerGlobal() {
  const TPoint p = QtInternal::PointerPos();
  return QPoint(p.X, p.Y);
}

bool PointerIn(QWidget* W, const QPoint& Global) {
  return W && W->isVisible() && W->rect().contains(W->mapFromGlobal(Global));
}

bool MouseThroughWindowAt(const QPoint& Global) {
  for (QWidget* t : QApplication::topLevelWidgets()) {
    if (t->isVisible() && LetsMouseThrough(t) && t->frameGeometry().contains(Global)) return true;
  }
  return false;
}

// Holds back the Leave of a widget the pointer is still in, under a window that lets it through.
bool HoldLeave(QWidget* W) {
  const QPoint g = PointerGlobal();
  if (!PointerIn(W, g) || !MouseThroughWindowAt(g)) return false;
  gHeldLeaves.emplace_back(W);
  return true;
}

// The Enter that answers a held Leave: as far as the control knows, the pointer never left.
bool TakeHeldEnter(QWidget* W) {
  const auto it = std::find(gHeldLeaves.begin(), gHeldLeaves.end(), W);
  if (it == gHeldLeaves.end()) return false;
  gHeldLeaves.erase(it);
  return true;
}

// The widgets held back that the pointer has left since hear their Leave now.
void ReleaseHeldLeaves() {
  // Nearly always none: the pointer is then not asked for (a round trip to the display server).
  if (gHeldLeaves.empty()) return;
  const QPoint g = PointerGlobal();
  std::vector<QPointer<QWidget>> left;
  for (auto it = gHeldLeaves.begin(); it != gHeldLeaves.end();) {
    if (*it && PointerIn(*it, g)) {
      ++it;
      continue;
    }
    if (*it) left.push_back(*it);
    it = gHeldLeaves.erase(it);
  }
  for (const QPointer<QWidget>& w : left) {
    auto* ka = w ? dynamic_cast<KAdapter*>(w.data()) : nullptr;
    if (ka && ka->control) InputMouseLeave(ka->control);
  }
}

// The widget beneath a window that lets the mouse through, at a screen point: in the window the
// pointer was in when that window came over it, else in the active window, else in another.
QWidget* WidgetBeneath(QWidget* Self, const QPoint& Global) {
  auto takes = [&](QWidget* t) {
    return t && t != Self && t->isVisible() && !LetsMouseThrough(t) && t->frameGeometry().contains(Global);
  };
  QWidget* top = nullptr;
  for (const QPointer<QWidget>& w : gHeldLeaves) {
    if (w && takes(w->window())) {
      top = w->window();
      break;
    }
  }
  if (!top && takes(QApplication::activeWindow())) top = QApplication::activeWindow();
  if (!top) {
    for (QWidget* t : QApplication::topLevelWidgets()) {
      if (takes(t)) {
        top = t;
        break;
      }
    }
  }
  if (!top) return nullptr;
  QWidget* child = top->childAt(top->mapFromGlobal(Global));
  return child ? child : top;
}

// The mouse events of a window that lets the mouse through go on to the widget beneath it; its own
// crossing events mean nothing to the controls. True when the event was one of these.
bool PassMouseThrough(KAdapter* a, QEvent* e) {
  switch (e->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(e);
      e->accept();
      ReleaseHeldLeaves();
      const QPointF g = me->globalPosition();
      if (QWidget* t = WidgetBeneath(a->Widget(), g.toPoint())) {
        QMouseEvent beneath(me->type(), t->mapFromGlobal(g), g, me->button(), me->buttons(), me->modifiers());
        QApplication::sendEvent(t, &beneath);
      }
      return true;
    }
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(e);
      e->accept();
      const QPointF g = we->globalPosition();
      if (QWidget* t = WidgetBeneath(a->Widget(), g.toPoint())) {
        QWheelEvent beneath(t->mapFromGlobal(g), g, we->pixelDelta(), we->angleDelta(), we->buttons(), we->modifiers(),
                            we->phase(), we->inverted());
        QApplication::sendEvent(t, &beneath);
      }
      return true;
    }
    default:
      return false;
  }
}

// Translates one Qt event; true when it was consumed.
bool HandleEvent(KAdapter* a, QEvent* e) {
  TControl* c = a->control;
  if (!c) return false;
  TWinControl* wc = WinOf(c);
  if (a->mouseThrough && PassMouseThrough(a, e)) return e->type() != QEvent::Enter && e->type() != QEvent::Leave;
  switch (e->type()) {
    case QEvent::ShortcutOverride:
      // Every key is ours: no application shortcut may take it.
      e->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* ke = static_cast<QKeyEvent*>(e);
      e->accept();
      if (!wc) return true;
      const bool keypad = ke->modifiers() & Qt::KeypadModifier;
      TKeyInput k;
      k.VirtualKey = QtKeys::VirtualKeyOf(ke->key(), keypad);
      k.Shift = QtKeys::ShiftOf(static_cast<unsigned>(ke->modifiers()));
      if (ke->key() == Qt::Key_Backtab) k.Shift = k.Shift | TShiftState(ssShift);
      k.Keypad = keypad;
      k.Extended = !keypad && QtKeys::IsExtendedKey(k.VirtualKey);
      k.AutoRepeat = ke->isAutoRepeat();
      if (e->type() == QEvent::KeyPress) {
        k.Chars = QtKeys::CharsOf(k.VirtualKey, k.Shift, FromQ(ke->text()));
        if (k.VirtualKey == 0 && k.Chars.empty()) return true;
        InputKeyDown(wc, k);
      } else {
        if (k.VirtualKey == 0) return true;
        InputKeyUp(wc, k);
      }
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(e);
      e->accept();
      UINT msg = WM_MOUSEMOVE;
      const bool press = e->type() == QEvent::MouseButtonPress;
      const bool dbl = e->type() == QEvent::MouseButtonDblClick;
      if (e->type() != QEvent::MouseMove) {
        switch (me->button()) {
          case Qt::LeftButton: msg = dbl ? WM_LBUTTONDBLCLK : press ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
          case Qt::RightButton: msg = dbl ? WM_RBUTTONDBLCLK : press ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
          case Qt::MiddleButton: msg = dbl ? WM_MBUTTONDBLCLK : press ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
          default: return true;
        }
      }
      QPoint p = me->position().toPoint() + a->MouseOrigin();
      InputMouse(c, msg, TPoint(p.x(), p.y()), MouseKeys(me->buttons(), me->modifiers()));
      return true;
    }
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(e);
      e->accept();
      QPoint g = we->globalPosition().toPoint();
      InputWheel(c, we->angleDelta().y(), TPoint(g.x(), g.y()), MouseKeys(we->buttons(), we->modifiers()));
      return true;
    }
    case QEvent::Enter:
      if (TakeHeldEnter(a->Widget())) return false;
      ReleaseHeldLeaves();
      InputMouseEnter(c);
      return false;
    case QEvent::Leave:
      if (HoldLeave(a->Widget())) return false;
      InputMouseLeave(c);
      return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop: {
      const QPoint o = a->MouseOrigin();
      return QtInternal::HandleDragEvent(wc, e, o.x(), o.y());
    }
    case QEvent::ContextMenu:
      // The layer raises WM_CONTEXTMENU itself after the right button's release.
      e->accept();
      return true;
    case QEvent::Close:
      if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        e->ignore();
        InputCloseRequest(f);
        return true;
      }
      return false;
    case QEvent::Resize:
      if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        QSize s = a->Widget()->size();
        if (s.width() != f->ClientWidth() || s.height() != f->ClientHeight())
          InputResized(f, s.width(), s.height());
      }
      return false;
    case QEvent::Move:
      if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        if (a->Widget()->isWindow()) {
          const QRect g = a->Widget()->geometry();
          const TRect fr = f->FrameSize();
          InputMoved(f, g.x() - fr.Left, g.y() - fr.Top);
        }
      }
      return false;
    case QEvent::WindowStateChange:
      if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        if (a->Widget()->isWindow() && FormsBackend::HasRealDisplay()) {
          const Qt::WindowStates st = a->Widget()->windowState();
          InputWindowState(f, st & Qt::WindowMinimized ? 1 : st & Qt::WindowMaximized ? 2 : 0);
        }
      }
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        if (a->Widget()->isWindow()) {
          // The window system makes the new window the active one before it tells the old one.
          TCustomForm* other = nullptr;
          if (e->type() == QEvent::WindowDeactivate)
            other = dynamic_cast<TCustomForm*>(QtInternal::ControlOfWidget(QApplication::activeWindow()));
          InputActivated(f, e->type() == QEvent::WindowActivate, other == f ? nullptr : other);
        }
      }
      return false;
    default:
      return false;
  }
}

template <class Base>
class KWidget : public Base, public KAdapter {
 public:
  using Base::Base;
  QWidget* Widget() override { return this; }
  void BaseKeyPress(QKeyEvent* e) override { Base::keyPressEvent(e); }
  void BaseKeyRelease(QKeyEvent* e) override { Base::keyReleaseEvent(e); }
  void BaseMouse(QMouseEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress: Base::mousePressEvent(e); break;
      case QEvent::MouseButtonRelease: Base::mouseReleaseEvent(e); break;
      case QEvent::MouseButtonDblClick: Base::mouseDoubleClickEvent(e); break;
      default: Base::mouseMoveEvent(e); break;
    }
  }
  void BaseWheel(QWheelEvent* e) override { Base::wheelEvent(e); }

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
      bool r = Base::event(e);
      HandleFocus(this, e);
      return r;
    }
    // Shown or drawn: what was held back takes effect now.
    if ((e->type() == QEvent::Show || e->type() == QEvent::Paint) && impl) ApplyPendingState(impl);
    if (HandleEvent(this, e)) return true;
    return Base::event(e);
  }
  void paintEvent(QPaintEvent* e) override {
    if (painted) {
      PaintBacking(this, this);
      return;
    }
    if (layered) {
      PaintLayered(this, this);
      return;
    }
    if (stockPaint && control) {
      TControl* c = control;
      GuardedCall([&] { c->PaintIfNeeded(); });
    }
    Base::paintEvent(e);
  }
};

// Scroll areas take the mouse on their viewport.
template <class Base>
class KScroll : public KWidget<Base> {
 public:
  using KWidget<Base>::KWidget;
  QPoint MouseOrigin() override { return this->viewport()->pos(); }
  void SetViewportMargins(int l, int t, int r, int b) { this->setViewportMargins(l, t, r, b); }
  void BaseMouse(QMouseEvent* e) override {
    QPoint o = MouseOrigin();
    QMouseEvent local(e->type(), e->position() - QPointF(o), e->globalPosition(), e->button(),
                      e->buttons(), e->modifiers());
    switch (e->type()) {
      case QEvent::MouseButtonPress: Base::mousePressEvent(&local); break;
      case QEvent::MouseButtonRelease: Base::mouseReleaseEvent(&local); break;
      case QEvent::MouseButtonDblClick: Base::mouseDoubleClickEvent(&local); break;
      default: Base::mouseMoveEvent(&local); break;
    }
  }

 protected:
  bool viewportEvent(QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
        if (HandleEvent(this, e)) return true;
        break;
      default:
        break;
    }
    return Base::viewportEvent(e);
  }
};

class KCombo : public KWidget<QComboBox> {
 public:
  using KWidget<QComboBox>::KWidget;
  void showPopup() override {
    ReplayFontChange();
    if (auto* w = WinOf(control)) InputNotify(w, CBN_DROPDOWN);
    // The list is as wide as its widest item, so no item is cut, within the screen's width.
    QAbstractItemView* v = view();
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, v->fontMetrics().horizontalAdvance(itemText(i)));
    int wanted = widest + 2 * v->frameWidth() + 16;
    if (count() > maxVisibleItems()) wanted += v->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (const QScreen* sc = screen()) wanted = std::min(wanted, sc->availableGeometry().width());
    v->setMinimumWidth(std::max(wanted, width()));
    QComboBox::showPopup();
  }

 protected:
  // A combo box builds its whole drop-down list when its font changes, also when the change only
  // comes down from its parent. While it is not on the screen (the combos of every dialog while
  // the program starts) it takes the change once, when it is first shown or drawn.
  bool event(QEvent* e) override {
    if (e->type() == QEvent::FontChange && !isVisible()) {
      fontChangeHeld_ = true;
      return true;
    }
    if (e->type() == QEvent::Show || e->type() == QEvent::Paint) ReplayFontChange();
    // Esc pressed while the list is open belongs to the list. Where the window system gives the
    // key to the dialog's window instead of the list, Qt closes the list first and then hands the
    // key to this box, which would pass it on to the dialog as its Cancel: the key that closed
    // the list goes no further.
    if (e->type() == QEvent::KeyPress && listClosedJustNow_ && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
      e->accept();
      return true;
    }
    return KWidget<QComboBox>::event(e);
  }

 private:
  void ReplayFontChange() {
    if (!fontChangeHeld_) return;
    fontChangeHeld_ = false;
    QEvent change(QEvent::FontChange);
    KWidget<QComboBox>::event(&change);
  }
  bool fontChangeHeld_ = false;

 public:
  // Whether the edit area cuts the current text.
  bool TextCut() const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect edit = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().horizontalAdvance(currentText()) > edit.width() - 4;
  }
  void hidePopup() override {
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen) {
      // Only for the event being handled now: the next turn of the event loop forgets it.
      listClosedJustNow_ = true;
      QTimer::singleShot(0, this, [this] { listClosedJustNow_ = false; });
    }
    if (auto* w = WinOf(control)) InputNotify(w, CBN_CLOSEUP);
  }

 private:
  bool listClosedJustNow_ = false;
};

class QtWidgetImpl : public TWidgetImpl {
 public:
  QtWidgetImpl(TControl* c, TWidgetKind kind) : control_(c), kind_(kind) { Create(); }
  ~QtWidgetImpl() override {
    if (adapter_) {
      adapter_->control = nullptr;
      adapter_->impl = nullptr;
    }
    delete shadow_.data();
    delete widget_.data();
  }

  void Create();

  // --- geometry and state
  void SetParent(TWidgetImpl* Parent) override {
    QWidget* w = widget_;
    if (!w || kind_ == wkForm || kind_ == wkPopup) return;
    auto* p = static_cast<QtWidgetImpl*>(Parent);
    if (p && p->widget_) {
      w->setParent(p->widget_);
      if (kind_ == wkGraphic) {
        // Controls without a window lie below their windowed siblings.
        for (QObject* o : p->widget_->children()) {
          auto* sib = qobject_cast<QWidget*>(o);
          if (!sib || sib == w) continue;
          auto* ka = dynamic_cast<KAdapter*>(sib);
          if (ka && ka->control && WinOf(ka->control)) {
            w->stackUnder(sib);
            break;
          }
        }
      }
      w->setVisible(control_->Visible());
    } else {
      w->hide();
      w->setParent(nullptr);
    }
  }
  void SetBounds(Integer l, Integer t, Integer wd, Integer h) override {
    QWidget* w = widget_;
    if (!w) return;
    if (auto* f = dynamic_cast<TCustomForm*>(control_)) {
      TRect fr = f->FrameSize();
      const int cw = std::max(0, wd - fr.Left - fr.Right), ch = std::max(0, h - fr.Top - fr.Bottom);
      if (!sizeable_) w->setFixedSize(cw, ch);
      w->setGeometry(l + fr.Left, t + fr.Top, cw, ch);
      UpdateShadow();
      return;
    }
    w->setGeometry(l, t, wd, h);
    if (overlay_) overlay_->setGeometry(0, 0, wd, h);
  }
  void SetVisible(bool v) override {
    if (!widget_) return;
    if (kind_ == wkForm || kind_ == wkPopup) {
      if (v) ApplyOwner();
      widget_->setVisible(v);
      UpdateShadow();
      return;
    }
    if (!widget_->parentWidget()) return;
    widget_->setVisible(v);
  }
  bool IsVisibleOnScreen() const override { return widget_ && widget_->isVisible(); }
  void SetEnabled(bool v) override {
    if (widget_) widget_->setEnabled(v);
  }
  void SetFocus() override {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
  }
  bool HasFocus() const override {
    if (!widget_) return false;
    QWidget* f = QApplication::focusWidget();
    return f && (f == widget_ || (kind_ == wkComboBox && widget_->isAncestorOf(f)));
  }
  bool AcceptsFocus() const override { return widget_ && widget_->focusPolicy() != Qt::NoFocus; }
  void SetCursor(TCursor c) override {
    if (!widget_) return;
    if (c == crDefault)
      widget_->unsetCursor();
    else
      widget_->setCursor(ShapeOf(c));
  }
  void SetFont(const TFont& f) override {
    if (!widget_ || painted()) return;
    // Most controls are given the same font more than once while their form is built (created,
    // then placed on a parent whose font they share): the same font and colour again would only
    // make Qt compare and spread them through the widget once more.
    const TAppliedFont key{f.Name(), GraphicsBackend::FontPixelSize(f), f.Style(), f.Color(), f.Pitch()};
    if (appliedFont_ && *appliedFont_ == key) return;
    QtInternal::ApplyFont(widget_, f);
    appliedFont_ = key;
  }

  // An editable combo box builds a line editor with the editor's completer: with the drop-down
  // list (see KCombo) most of the cost of creating a dialog. A combo that is not on the screen (as
  // the combos of every dialog while the program starts) holds its editability back until it is
  // shown or drawn, or until something reads or changes what it affects; its edit text meanwhile
  // is the current item's text unless SetItems kept another (pendingEditText_).
  bool Unshown(QComboBox* c) const { return c && !c->isVisible(); }
  void ApplyPending() {
    QComboBox* c = ComboAsIs();
    if (!c) return;
    if (pendingEditable_) {
      pendingEditable_ = false;
      MakeEditable(c);
      if (pendingEditText_) {
        const bool was = suppress_;
        suppress_ = true;
        c->setEditText(*pendingEditText_);
        suppress_ = was;
      }
    }
    pendingEditText_.reset();
  }
  void SetColor(TColor c) override {
    color_ = c;
    if (!widget_ || painted()) return;
    QPalette pal = widget_->palette();
    if (kind_ == wkForm) {
      pal.setColor(QPalette::Window, QColorOf(c));
      widget_->setAutoFillBackground(true);
      ApplyTranslucency();
    } else if (kind_ == wkLinkLabel) {
      pal.setColor(QPalette::Window, QColorOf(c));
    } else {
      pal.setColor(QPalette::Base, QColorOf(c));
    }
    widget_->setPalette(pal);
  }
  void RaiseToTop() override {
    if (widget_) widget_->raise();
  }
  void LowerToBottom() override {
    if (widget_) widget_->lower();
  }
  TPoint ClientOriginOnScreen() const override {
    if (!widget_) return TPoint();
    QPoint p = widget_->mapToGlobal(QPoint(0, 0));
    return TPoint(p.x(), p.y());
  }
  void Invalidate() override {
    if (widget_) widget_->update();
  }
  void InvalidateRect(const TRect& R) override {
    if (widget_) widget_->update(QRect(R.Left, R.Top, R.Width(), R.Height()));
  }
  void ScheduleScreenUpdate() override {
    if (widget_) widget_->update();
  }
  void UpdateNow() override {
    if (widget_ && widget_->isVisible()) widget_->repaint();
  }
  bool RenderBeneath(TBitmap* Target) override {
    QWidget* w = widget_;
    QWidget* parent = w && !w->isWindow() ? w->parentWidget() : nullptr;
    if (!parent) return false;
    QImage image = ImageOf(Target);
    if (image.isNull()) return false;
    const QRect at = w->geometry();  // in the parent's coordinates
    QPainter p(&image);
    // The parent's own painting (its background and paint) without its children...
    parent->render(&p, QPoint(0, 0), QRegion(at), QWidget::DrawWindowBackground);
    // ...then its children below this one, bottom first, each with its own children.
    for (QObject* o : parent->children()) {
      if (o == w) break;
      auto* below = qobject_cast<QWidget*>(o);
      if (!below || below->isWindow() || !below->isVisibleTo(parent)) continue;
      const QRect part = below->geometry() & at;
      if (part.isEmpty()) continue;
      below->render(&p, part.topLeft() - at.topLeft(), QRegion(part.translated(-below->pos())),
                    QWidget::DrawChildren);
    }
    return true;
  }
  void DefaultHandler(TMessage& m) override;

  bool GrabToPng(const String& file) override {
    if (!widget_) return false;
    QPixmap pm = widget_->grab();
    return pm.save(QStr(file), "PNG");
  }
  TColor GrabPixel(Integer x, Integer y) override {
    if (!widget_) return clNone;
    QImage img = widget_->grab().toImage();
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return clNone;
    QRgb p = img.pixel(x, y);
    return static_cast<TColor>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
  }

  // --- top-level windows
  void SetWindowTitle(const String& t) override {
    if (widget_) widget_->setWindowTitle(QStr(t));
  }
  void SetWindowFrame(Integer Border, Integer Icons) override {
    if (!widget_) return;
    border_ = Border;
    icons_ = Icons;
    sizeable_ = Border == 2;
    ApplyWindowFlags();
    if (!sizeable_) {
      widget_->setFixedSize(widget_->size());
    } else {
      widget_->setMinimumSize(0, 0);
      widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
  }
  void SetWindowStyle(bool StayOnTop, TWidgetImpl* Owner) override {
    if (!widget_ || kind_ != wkForm) return;
    stayOnTop_ = StayOnTop;
    owner_ = Owner ? static_cast<QtWidgetImpl*>(Owner)->widget_ : nullptr;
    ApplyWindowFlags();
    ApplyOwner();
  }
  void SetMouseThrough(bool On) override {
    if (!widget_ || kind_ != wkPopup) return;
    adapter_->mouseThrough = On;
    widget_->setWindowFlag(Qt::WindowTransparentForInput, On);
  }
  void SetDropShadow(bool On) override {
    dropShadow_ = On;
    ApplyWindowFlags();
    UpdateShadow();
  }
  // The window's kind and hints from its frame, its place in the stacking order and its owner: a
  // window with an owner is a tool window of that owner (kept above it, no task bar entry of its
  // own). The shadow is ours to draw, so the window system is asked for none.
  void ApplyWindowFlags() {
    if (!widget_ || kind_ != wkForm) return;
    Qt::WindowFlags f = owner_ ? Qt::Tool : Qt::Window;
    if (border_ == 0) {
      f |= Qt::FramelessWindowHint;
    } else {
      f |= Qt::WindowTitleHint | Qt::CustomizeWindowHint;
      if (icons_ & 1) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (icons_ & 2) f |= Qt::WindowMinimizeButtonHint;
      if (icons_ & 4) f |= Qt::WindowMaximizeButtonHint;
    }
    if (stayOnTop_) f |= Qt::WindowStaysOnTopHint;
    f |= Qt::NoDropShadowWindowHint;
    if (widget_->windowFlags() == f) return;
    const bool vis = widget_->isVisible();
    widget_->setWindowFlags(f);
    if (vis) {
      ApplyOwner();
      widget_->show();
    }
  }
  // The owner's window becomes the transient parent of ours (made again by every change of flags).
  // A form that never had an owner is left as the window system made it.
  void ApplyOwner() {
    if (!widget_ || kind_ != wkForm || (!owner_ && !hadOwner_)) return;
    QWidget* owner = owner_;
    hadOwner_ = owner != nullptr;
    if (owner && !owner->windowHandle()) owner->winId();
    if (!widget_->windowHandle()) widget_->winId();
    if (widget_->windowHandle()) widget_->windowHandle()->setTransientParent(owner ? owner->windowHandle() : nullptr);
  }
  // The drop shadow shows beside the visible window where the display blends translucent windows;
  // without that a shadow could only hide what lies below, and none is drawn.
  void UpdateShadow() {
    const bool show = dropShadow_ && widget_ && widget_->isWindow() && widget_->isVisible() && DisplayComposites();
    if (!show) {
      if (shadow_) shadow_->hide();
      return;
    }
    if (!shadow_) shadow_ = new KShadow;
    shadow_->Follow(widget_->frameGeometry());
    shadow_->winId();
    if (QWindow* sw = shadow_->windowHandle()) sw->setTransientParent(widget_->windowHandle());
    if (!shadow_->isVisible()) {
      shadow_->show();
      // Below the window it shadows.
      widget_->raise();
    }
  }
  QWidget* Shadow() const { return shadow_ && shadow_->isVisible() ? shadow_.data() : nullptr; }
  bool StaysOnTop() const { return stayOnTop_; }
  QWidget* Owner() const { return owner_; }
  void SetWindowModal(bool m) override {
    if (widget_) widget_->setWindowModality(m ? Qt::ApplicationModal : Qt::NonModal);
  }
  void ActivateWindow() override {
    if (!widget_) return;
    widget_->activateWindow();
    QApplication::setActiveWindow(widget_);
  }
  bool IsActiveWindow() const override { return widget_ && widget_->isActiveWindow(); }
  void SetWindowState(Integer State) override {
    // Without a window manager (the offscreen platform) the layer's bounds are the state.
    if (!widget_ || !widget_->isWindow() || !FormsBackend::HasRealDisplay()) return;
    Qt::WindowStates st = widget_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (State == 1) st |= Qt::WindowMinimized;
    if (State == 2) st |= Qt::WindowMaximized;
    widget_->setWindowState(st);
  }
  bool StartSystemMove() override {
    if (!widget_ || !widget_->isWindow() || !widget_->windowHandle()) return false;
    return widget_->windowHandle()->startSystemMove();
  }

  // --- shapes and translucency
  void SetWindowShape(const TRegion* Region) override {
    if (!widget_) return;
    if (!Region) {
      widget_->clearMask();
      return;
    }
    QRegion r;
    for (const TRect& R : Region->Rects()) r += QRect(R.Left, R.Top, R.Width(), R.Height());
    // An empty shape hides the whole window (an empty mask would mean none).
    if (r.isEmpty()) r = QRegion(-1, -1, 1, 1);
    widget_->setMask(r);
  }
  void SetWindowOpacity(Byte Alpha) override {
    if (!widget_ || !adapter_) return;
    adapter_->opacity = Alpha;
    if (widget_->isWindow()) widget_->setWindowOpacity(Alpha / 255.0);
    widget_->update();
  }
  void SetColorKey(TColor Key) override {
    if (!adapter_) return;
    adapter_->colorKey = Key;
    ApplyTranslucency();
  }
  void SetLayeredImage(TBitmap* Image) override {
    if (!adapter_) return;
    adapter_->layered = Image;
    if (auto* f = dynamic_cast<TCustomForm*>(control_)) {
      // The image covers the whole window, frame included.
      const TRect fr = f->FrameSize();
      adapter_->layeredOffset = TPoint(-fr.Left, -fr.Top);
    }
    ApplyTranslucency();
  }
  // A top-level window shows the desktop through what it leaves transparent: a layered image, a
  // colour key, or a form whose colour is the key.
  void ApplyTranslucency() {
    QWidget* w = widget_;
    if (!w || !adapter_) return;
    const bool keyedForm = kind_ == wkForm && adapter_->colorKey != clNone &&
                           ColorToRGB(adapter_->colorKey) == ColorToRGB(color_);
    if (kind_ == wkForm) w->setAutoFillBackground(!keyedForm && !adapter_->layered);
    const bool translucent = w->isWindow() && (adapter_->layered || adapter_->colorKey != clNone);
    if (w->testAttribute(Qt::WA_TranslucentBackground) != translucent) {
      w->setAttribute(Qt::WA_TranslucentBackground, translucent);
      // A native window made before takes the alpha channel only when it is made again.
      if (w->isWindow() && w->windowHandle() && w->windowHandle()->handle()) {
        const bool vis = w->isVisible();
        w->setWindowFlags(w->windowFlags());
        if (vis) w->show();
      }
    }
    w->update();
  }

  // --- the overlay of a stock widget
  void SetOverlay(TBitmap* Image) override {
    if (!widget_) return;
    if (!Image) {
      delete overlay_.data();
      return;
    }
    if (!overlay_) {
      overlay_ = new KOverlay(widget_, Image);
      overlay_->setGeometry(widget_->rect());
      overlay_->show();
    }
    overlay_->SetImage(Image);
    UpdateOverlay();
  }
  void UpdateOverlay() override {
    if (!overlay_) return;
    // Children the widget made later (a combo box's editor) stay below the overlay.
    overlay_->raise();
    overlay_->update();
  }
  void SetTextMargins(const TRect& m) override {
    if (auto* l = EditLine()) {
      l->setTextMargins(m.Left, m.Top, m.Right, m.Bottom);
    } else if (auto* k = dynamic_cast<KScroll<QPlainTextEdit>*>(adapter_)) {
      k->SetViewportMargins(m.Left, m.Top, m.Right, m.Bottom);
    }
  }

  // --- text editors
  QLineEdit* Line() const { return qobject_cast<QLineEdit*>(widget_.data()); }
  QPlainTextEdit* Memo() const { return qobject_cast<QPlainTextEdit*>(widget_.data()); }
  // The combo box with everything held back applied; ComboAsIs leaves it as it is.
  QComboBox* ComboAsIs() const { return qobject_cast<QComboBox*>(widget_.data()); }
  QComboBox* Combo() const {
    QComboBox* c = ComboAsIs();
    if (c && pendingEditable_) const_cast<QtWidgetImpl*>(this)->ApplyPending();
    return c;
  }
  QListWidget* List() const { return qobject_cast<QListWidget*>(widget_.data()); }
  QTreeWidget* Tree() const { return qobject_cast<QTreeWidget*>(widget_.data()); }
  QLineEdit* EditLine() const {
    if (auto* l = Line()) return l;
    if (auto* c = Combo()) return c->lineEdit();
    return nullptr;
  }

  String GetText() const override {
    if (auto* l = EditLine()) return FromQ(l->text());
    if (auto* m = Memo()) return FromQ(m->toPlainText());
    if (auto* c = ComboAsIs()) {
      if (pendingEditable_) return FromQ(pendingEditText_ ? *pendingEditText_ : c->currentText());
      return FromQ(Combo()->currentText());
    }
    return String();
  }
  // Text set by the layer: the layer sends the change notification itself. The length limit
  // holds for typing only, so a longer text set in code is kept whole.
  void SetText(const String& t) override {
    if (auto* l = EditLine()) {
      QSignalBlocker block(l);
      const QString q = QStr(t);
      if (q.size() > l->maxLength()) l->setMaxLength(static_cast<int>(q.size()));
      l->setText(q);
      ApplyMaxLength(l);
    } else if (auto* m = Memo()) {
      QSignalBlocker block(m);
      m->setPlainText(QStr(t));
    }
  }
  void SetMaxLength(Integer n) override {
    maxLength_ = n <= 0 ? 32767 : n;
    if (auto* l = EditLine()) ApplyMaxLength(l);
  }
  // The editor's limit: the limit asked for, or the length of a longer text already there (the
  // editor would cut such a text; typing still cannot make it longer, deleting makes room only
  // down to the limit).
  void ApplyMaxLength(QLineEdit* l) {
    const int want = std::max<int>(maxLength_, static_cast<int>(l->text().size()));
    if (l->maxLength() != want) l->setMaxLength(want);
  }
  void SetReadOnly(bool r) override {
    if (auto* l = EditLine()) l->setReadOnly(r);
    if (auto* m = Memo()) m->setReadOnly(r);
  }
  void SetPasswordChar(Char c) override {
    if (auto* l = Line()) l->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
  }
  void SetTextAlignment(TAlignment a) override {
    Qt::Alignment al = a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    if (auto* l = Line()) l->setAlignment(al | Qt::AlignVCenter);
  }
  void SetWordWrap(bool w) override {
    if (auto* m = Memo()) m->setLineWrapMode(w ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (kind_ == wkLinkLabel) {
      // Lines broken at the width read from the top down.
      if (auto* l = qobject_cast<QLabel*>(widget_.data())) {
        l->setWordWrap(w);
        l->setAlignment(Qt::AlignLeft | (w ? Qt::AlignTop : Qt::AlignVCenter));
      }
    }
  }
  void SetScrollBars(Integer b) override {
    if (auto* m = Memo()) {
      m->setHorizontalScrollBarPolicy((b & 1) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
      m->setVerticalScrollBarPolicy((b & 2) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
  }
  void SetFrame(bool f) override {
    if (auto* l = Line()) l->setFrame(f);
    if (auto* fr = qobject_cast<QFrame*>(widget_.data())) fr->setFrameShape(f ? QFrame::StyledPanel : QFrame::NoFrame);
  }
  Integer SelStart() const override {
    if (auto* l = EditLine()) return l->hasSelectedText() ? l->selectionStart() : l->cursorPosition();
    if (auto* m = Memo()) return m->textCursor().selectionStart();
    return 0;
  }
  Integer SelLength() const override {
    if (auto* l = EditLine()) return l->hasSelectedText() ? static_cast<Integer>(l->selectedText().size()) : 0;
    if (auto* m = Memo()) return m->textCursor().selectionEnd() - m->textCursor().selectionStart();
    return 0;
  }
  void SetSelection(Integer s, Integer n) override {
    if (auto* l = EditLine()) {
      const int len = static_cast<int>(l->text().size());
      s = std::clamp<Integer>(s, 0, len);
      n = std::clamp<Integer>(n, 0, len - s);
      if (n == 0)
        l->setCursorPosition(s);
      else
        l->setSelection(s, n);
    } else if (auto* m = Memo()) {
      QTextCursor c = m->textCursor();
      const int len = m->document()->characterCount() - 1;
      s = std::clamp<Integer>(s, 0, len);
      n = std::clamp<Integer>(n, 0, len - s);
      c.setPosition(s);
      c.setPosition(s + n, QTextCursor::KeepAnchor);
      m->setTextCursor(c);
    }
  }
  Integer CaretPos() const override {
    if (auto* l = EditLine()) return l->cursorPosition();
    if (auto* m = Memo()) return m->textCursor().position();
    return 0;
  }
  void ReplaceSelection(const String& t) override {
    if (auto* l = EditLine()) l->insert(QStr(t));
    if (auto* m = Memo()) m->insertPlainText(QStr(t));
  }
  void Undo() override {
    if (auto* l = EditLine()) l->undo();
    if (auto* m = Memo()) m->undo();
  }
  bool CanUndo() const override {
    if (auto* l = EditLine()) return l->isUndoAvailable();
    if (auto* m = Memo()) return m->document()->isUndoAvailable();
    return false;
  }
  bool Modified() const override {
    if (auto* l = EditLine()) return l->isModified();
    if (auto* m = Memo()) return m->document()->isModified();
    return false;
  }
  void SetModified(bool v) override {
    if (auto* l = EditLine()) l->setModified(v);
    if (auto* m = Memo()) m->document()->setModified(v);
  }
  Integer LineCount() const override {
    auto* m = Memo();
    if (!m) return 1;
    Integer n = 0;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next())
      n += b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
    return n;
  }
  Integer LineFromChar(Integer index) const override {
    auto* m = Memo();
    if (!m) return 0;
    if (index < 0) index = m->textCursor().position();
    Integer line = 0;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) {
      const Integer lines = b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
      if (index < b.position() + b.length() || !b.next().isValid()) {
        if (b.layout() && b.layout()->lineCount() > 0) {
          QTextLine tl = b.layout()->lineForTextPosition(index - b.position());
          return line + (tl.isValid() ? tl.lineNumber() : lines - 1);
        }
        return line;
      }
      line += lines;
    }
    return line;
  }
  Integer LineIndex(Integer lineNo) const override {
    auto* m = Memo();
    if (!m) return 0;
    Integer line = 0;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) {
      const Integer lines = b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
      if (lineNo < line + lines) {
        if (b.layout() && b.layout()->lineCount() > 0)
          return b.position() + b.layout()->lineAt(lineNo - line).textStart();
        return b.position();
      }
      line += lines;
    }
    return -1;
  }
  TPoint PosFromChar(Integer index) const override {
    if (auto* m = Memo()) {
      QTextCursor c(m->document());
      c.setPosition(std::clamp<Integer>(index, 0, m->document()->characterCount() - 1));
      QRect r = m->cursorRect(c);
      QPoint p = r.topLeft() + m->viewport()->pos();
      return TPoint(p.x(), p.y());
    }
    if (auto* l = EditLine()) {
      QString t = l->text().left(index);
      QMargins mg = l->textMargins();
      int x = l->fontMetrics().horizontalAdvance(t) + mg.left() + 2;
      return TPoint(x, 2);
    }
    return TPoint();
  }
  Integer CharFromPos(TPoint p) const override {
    if (auto* m = Memo()) {
      QPoint vp = QPoint(p.X, p.Y) - m->viewport()->pos();
      return m->cursorForPosition(vp).position();
    }
    if (auto* l = EditLine()) return l->cursorPositionAt(QPoint(p.X, p.Y));
    return 0;
  }

  // --- lists
  void SetItems(const std::vector<String>& items) override {
    suppress_ = true;
    if (auto* c = ComboAsIs(); c && pendingEditable_) {
      // The edit text stays what it was, as it does in an editable combo.
      const QString text = pendingEditText_ ? *pendingEditText_ : c->currentText();
      int idx = c->currentIndex();
      c->clear();
      for (const String& s : items) c->addItem(QStr(s));
      c->setCurrentIndex(idx < c->count() ? idx : -1);
      if (text != c->currentText()) pendingEditText_ = text; else pendingEditText_.reset();
    } else if (auto* c = Combo()) {
      QString text = c->isEditable() ? c->currentText() : QString();
      int idx = c->currentIndex();
      c->clear();
      for (const String& s : items) c->addItem(QStr(s));
      c->setCurrentIndex(idx < c->count() ? idx : -1);
      if (c->isEditable()) c->setEditText(text);
    } else if (auto* l = List()) {
      int idx = l->currentRow();
      l->clear();
      for (const String& s : items) l->addItem(QStr(s));
      l->setCurrentRow(idx < l->count() ? idx : -1);
    }
    suppress_ = false;
  }
  Integer ItemIndex() const override {
    if (auto* c = ComboAsIs()) return c->currentIndex();
    // A list box's index is its selected row: the view also keeps a current row, which it sets
    // to the first one when it takes the focus although nothing is selected.
    if (auto* l = List()) {
      const QList<QListWidgetItem*> sel = l->selectedItems();
      return sel.isEmpty() ? -1 : l->row(sel.first());
    }
    return -1;
  }
  void SetItemIndex(Integer i) override {
    suppress_ = true;
    if (auto* c = ComboAsIs()) {
      // An editable combo's edit text follows the current item: nothing held back stays.
      pendingEditText_.reset();
      c->setCurrentIndex(i < c->count() ? i : -1);
    } else if (auto* l = List()) {
      l->setCurrentRow(i < l->count() ? i : -1);
      if (i < 0) l->clearSelection();
    }
    suppress_ = false;
  }
  void SetComboEditable(bool e) override {
    QComboBox* c = ComboAsIs();
    if (!c) return;
    if (!e) {
      pendingEditable_ = false;
      pendingEditText_.reset();
      c->setEditable(false);
      return;
    }
    if (c->isEditable() || pendingEditable_) return;
    if (Unshown(c)) {
      pendingEditable_ = true;
      return;
    }
    MakeEditable(c);
  }
  void MakeEditable(QComboBox* c) {
    c->setEditable(true);
    if (QLineEdit* le = c->lineEdit()) {
      ApplyMaxLength(le);
      QObject::connect(le, &QLineEdit::textEdited, c, [this, le](const QString&) {
        ApplyMaxLength(le);
        if (auto* w = WinOf(control_)) InputNotify(w, CBN_EDITCHANGE);
      });
    }
  }
  void SetDroppedDown(bool d) override {
    if (auto* c = Combo()) {
      if (d)
        c->showPopup();
      else
        c->hidePopup();
    }
  }
  bool DroppedDown() const override {
    auto* c = Combo();
    return c && c->view() && c->view()->isVisible();
  }
  bool TextCut() const override {
    auto* k = dynamic_cast<KCombo*>(widget_.data());
    return k && k->TextCut();
  }
  Integer DroppedWidth() const override {
    auto* c = Combo();
    return c && c->view() ? std::max(c->view()->minimumWidth(), c->width()) : 0;
  }
  void SetDropDownCount(Integer n) override {
    if (auto* c = ComboAsIs()) c->setMaxVisibleItems(std::max<Integer>(1, n));
  }
  void SetItemHeight(Integer h) override {
    if (auto* c = Combo()) {
      c->view()->setStyleSheet(QString("QAbstractItemView::item { height: %1px; }").arg(h));
    }
  }
  Integer TopIndex() const override {
    if (auto* l = List()) {
      QListWidgetItem* it = l->itemAt(0, 0);
      return it ? l->row(it) : 0;
    }
    return 0;
  }
  void SetTopIndex(Integer i) override {
    if (auto* l = List()) {
      if (i >= 0 && i < l->count()) l->scrollToItem(l->item(i), QAbstractItemView::PositionAtTop);
    }
  }
  Integer ItemAtPos(TPoint p) const override {
    if (auto* l = List()) {
      QPoint vp = QPoint(p.X, p.Y) - l->viewport()->pos();
      QListWidgetItem* it = l->itemAt(vp);
      return it ? l->row(it) : -1;
    }
    return -1;
  }

  // --- trees
  void TreeInsert(intptr_t id, intptr_t parent, Integer index, const String& text) override {
    auto* t = Tree();
    if (!t) return;
    suppress_ = true;
    auto* item = new QTreeWidgetItem();
    item->setText(0, QStr(text));
    item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(id));
    nodes_[id] = item;
    QTreeWidgetItem* p = parent ? nodes_[parent] : nullptr;
    if (p)
      p->insertChild(std::clamp<int>(index, 0, p->childCount()), item);
    else
      t->insertTopLevelItem(std::clamp<int>(index, 0, t->topLevelItemCount()), item);
    suppress_ = false;
  }
  void TreeRemove(intptr_t id) override {
    auto it = nodes_.find(id);
    if (it == nodes_.end()) return;
    // Forgetting the subtree erases the node's own entry too, so keep the item first.
    QTreeWidgetItem* item = it->second;
    suppress_ = true;
    ForgetSubtree(item);
    delete item;
    suppress_ = false;
  }
  void ForgetSubtree(QTreeWidgetItem* item) {
    for (int i = 0; i < item->childCount(); ++i) ForgetSubtree(item->child(i));
    nodes_.erase(static_cast<intptr_t>(item->data(0, Qt::UserRole).toLongLong()));
  }
  void TreeClear() override {
    if (auto* t = Tree()) {
      suppress_ = true;
      t->clear();
      nodes_.clear();
      suppress_ = false;
    }
  }
  void TreeSetText(intptr_t id, const String& text) override {
    auto it = nodes_.find(id);
    if (it != nodes_.end()) it->second->setText(0, QStr(text));
  }
  void TreeSetExpanded(intptr_t id, bool e) override {
    auto it = nodes_.find(id);
    if (it != nodes_.end()) it->second->setExpanded(e);
  }
  void TreeSetSelected(intptr_t id) override {
    auto* t = Tree();
    if (!t) return;
    suppress_ = true;
    auto it = nodes_.find(id);
    t->setCurrentItem(it == nodes_.end() ? nullptr : it->second);
    suppress_ = false;
  }
  intptr_t TreeSelected() const override {
    auto* t = Tree();
    if (!t || !t->currentItem()) return 0;
    return static_cast<intptr_t>(t->currentItem()->data(0, Qt::UserRole).toLongLong());
  }
  intptr_t TreeNodeAt(TPoint p) const override {
    auto* t = Tree();
    if (!t) return 0;
    QTreeWidgetItem* it = t->itemAt(QPoint(p.X, p.Y) - t->viewport()->pos());
    return it ? static_cast<intptr_t>(it->data(0, Qt::UserRole).toLongLong()) : 0;
  }
  void TreeSetOptions(bool showRoot, bool rowSelect, bool hideSelection, bool readOnly) override {
    auto* t = Tree();
    if (!t) return;
    t->setRootIsDecorated(showRoot);
    t->setAllColumnsShowFocus(rowSelect);
    (void)hideSelection;
    t->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : QAbstractItemView::EditKeyPressed);
  }

  void SetLinkText(const String& text) override {
    if (auto* l = qobject_cast<QLabel*>(widget_.data())) l->setText(QStr(text));
  }

  bool painted() const { return adapter_ && adapter_->painted; }
  // What ApplyFont last gave the widget.
  struct TAppliedFont {
    String Name;
    Integer PixelSize;
    TFontStyles Style;
    TColor Color;
    TFontPitch Pitch;
    bool operator==(const TAppliedFont&) const = default;
  };
  std::optional<TAppliedFont> appliedFont_;
  QWidget* widget() const { return widget_; }
  bool suppress_ = false;

 private:
  template <class W>
  W* Make(QWidget* parent = nullptr) {
    auto* w = new W(parent);
    w->control = control_;
    w->impl = this;
    adapter_ = w;
    return w;
  }

  TControl* control_;
  TWidgetKind kind_;
  QPointer<QWidget> widget_;
  QPointer<KOverlay> overlay_;
  QPointer<KShadow> shadow_;
  QPointer<QWidget> owner_;
  Integer border_ = 2, icons_ = 0;
  bool stayOnTop_ = false;
  bool hadOwner_ = false;
  bool dropShadow_ = false;
  TColor color_ = clNone;
  KAdapter* adapter_ = nullptr;
  bool sizeable_ = true;
  // What a combo box not on the screen holds back (see ApplyPending).
  bool pendingEditable_ = false;
  std::optional<QString> pendingEditText_;
  std::map<intptr_t, QTreeWidgetItem*> nodes_;
  int maxLength_ = 32767;  // the length limit for typing (32767: none)
};

void QtWidgetImpl::Create() {
  QWidget* w = nullptr;
  switch (kind_) {
    case wkPaintBox:
    case wkGraphic: {
      auto* k = Make<KWidget<QWidget>>();
      k->painted = true;
      k->setFocusPolicy(Qt::NoFocus);
      if (kind_ == wkPaintBox) k->setAttribute(Qt::WA_OpaquePaintEvent);
      w = k;
      break;
    }
    case wkPopup: {
      auto* k = Make<KWidget<QWidget>>();
      k->painted = true;
      k->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
      k->setAttribute(Qt::WA_ShowWithoutActivating);
      k->setFocusPolicy(Qt::NoFocus);
      w = k;
      break;
    }
    case wkForm: {
      auto* k = Make<KWidget<QWidget>>();
      k->setWindowFlags(Qt::Window);
      k->setFocusPolicy(Qt::NoFocus);
      k->setAutoFillBackground(true);
      w = k;
      break;
    }
    case wkEdit: {
      auto* k = Make<KWidget<QLineEdit>>();
      k->setFocusPolicy(Qt::ClickFocus);
      k->setContextMenuPolicy(Qt::NoContextMenu);
      QObject::connect(k, &QLineEdit::textChanged, k, [this, k](const QString&) {
        ApplyMaxLength(k);
        if (auto* wc = WinOf(control_)) InputNotify(wc, EN_CHANGE);
      });
      w = k;
      break;
    }
    case wkMemo: {
      auto* k = Make<KScroll<QPlainTextEdit>>();
      k->setFocusPolicy(Qt::ClickFocus);
      k->setContextMenuPolicy(Qt::NoContextMenu);
      k->viewport()->setMouseTracking(true);
      QObject::connect(k, &QPlainTextEdit::textChanged, k, [this] {
        if (auto* wc = WinOf(control_)) InputNotify(wc, EN_CHANGE);
      });
      w = k;
      break;
    }
    case wkComboBox: {
      auto* k = Make<KCombo>();
      k->setFocusPolicy(Qt::ClickFocus);
      QObject::connect(k, QOverload<int>::of(&QComboBox::activated), k, [this](int) {
        if (suppress_) return;
        if (auto* wc = WinOf(control_)) InputNotify(wc, CBN_SELCHANGE);
      });
      w = k;
      break;
    }
    case wkListBox: {
      auto* k = Make<KScroll<QListWidget>>();
      k->setFocusPolicy(Qt::ClickFocus);
      k->viewport()->setMouseTracking(true);
      QObject::connect(k, &QListWidget::itemSelectionChanged, k, [this] {
        if (suppress_) return;
        if (auto* wc = WinOf(control_)) InputNotify(wc, LBN_SELCHANGE);
      });
      w = k;
      break;
    }
    case wkTreeView: {
      auto* k = Make<KScroll<QTreeWidget>>();
      k->setFocusPolicy(Qt::ClickFocus);
      k->setHeaderHidden(true);
      k->setColumnCount(1);
      k->viewport()->setMouseTracking(true);
      QObject::connect(k, &QTreeWidget::currentItemChanged, k, [this](QTreeWidgetItem*, QTreeWidgetItem*) {
        if (suppress_) return;
        if (auto* wc = WinOf(control_)) InputNotify(wc, 1);
      });
      w = k;
      break;
    }
    case wkLinkLabel: {
      auto* k = Make<KWidget<QLabel>>();
      k->setTextFormat(Qt::RichText);
      k->setOpenExternalLinks(false);
      k->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
      k->setFocusPolicy(Qt::NoFocus);
      QObject::connect(k, &QLabel::linkActivated, k, [this](const QString& link) {
        if (auto* wc = WinOf(control_)) InputLinkActivated(wc, FromQ(link));
      });
      w = k;
      break;
    }
  }
  w->setMouseTracking(true);
  w->setAttribute(Qt::WA_Hover, false);
  adapter_->stockPaint = kind_ != wkPaintBox && kind_ != wkGraphic && kind_ != wkPopup && kind_ != wkForm;
  widget_ = w;
}

// The stock widget's own handling of a message: the Qt event is rebuilt from it.
void ApplyPendingState(QtWidgetImpl* impl) { impl->ApplyPending(); }

void QtWidgetImpl::DefaultHandler(TMessage& m) {
  if (!widget_ || !adapter_ || painted()) return;
  // The stock widget's own handling of input sees the widget as it is meant to be.
  if ((m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST) || (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST)) {
    ApplyPending();
  }
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const Word vk = static_cast<Word>(m.WParam);
      TShiftState shift = KeyboardShiftState();
      // Keys that type characters act through WM_CHAR.
      if (!QtKeys::CharsOf(vk, shift, vk >= 0x20 && vk < 0x7F ? String(1, Char(vk)) : String()).empty() &&
          (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE ||
           (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) ||
           (vk >= VK_OEM_1 && vk <= VK_OEM_7)))
        return;
      const int key = QtKeys::QtKeyOf(vk);
      if (!key) return;
      Qt::KeyboardModifiers mods = ModsNow();
      if (m.LParam & KF_KEYPAD) mods |= Qt::KeypadModifier;
      QKeyEvent e(QEvent::KeyPress, key, mods);
      adapter_->BaseKeyPress(&e);
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const int key = QtKeys::QtKeyOf(static_cast<Word>(m.WParam));
      if (!key) return;
      QKeyEvent e(QEvent::KeyRelease, key, ModsNow());
      adapter_->BaseKeyRelease(&e);
      return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      const Char ch = static_cast<Char>(m.WParam);
      int key = 0;
      Qt::KeyboardModifiers mods = ModsNow() & ~Qt::ControlModifier;
      QString text(QChar(static_cast<char16_t>(ch)));
      switch (ch) {
        case 8: key = Qt::Key_Backspace; break;
        case 9: key = Qt::Key_Tab; break;
        case 13: key = Qt::Key_Return; break;
        case 10: key = Qt::Key_Return; mods |= Qt::ControlModifier; break;
        case 27: key = Qt::Key_Escape; break;
        case 127: key = Qt::Key_Backspace; mods |= Qt::ControlModifier; break;
        default:
          if (ch >= 1 && ch <= 26) {
            key = Qt::Key_A + (ch - 1);
            mods |= Qt::ControlModifier;
          } else if (ch < 32) {
            return;
          } else {
            key = ch >= 'a' && ch <= 'z' ? Qt::Key_A + (ch - 'a')
                  : ch >= 'A' && ch <= 'Z' ? Qt::Key_A + (ch - 'A')
                                             : static_cast<int>(ch);
          }
      }
      if (m.LParam & KF_KEYPAD) mods |= Qt::KeypadModifier;
      QKeyEvent e(QEvent::KeyPress, key, mods, text);
      adapter_->BaseKeyPress(&e);
      return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
      QEvent::Type type = QEvent::MouseMove;
      Qt::MouseButton button = Qt::NoButton;
      switch (m.Msg) {
        case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
        case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
        case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
        case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
        case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
        case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::RightButton; break;
        case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
        case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
        case WM_MBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::MiddleButton; break;
        default: break;
      }
      const Word keys = static_cast<Word>(m.WParam);
      QPointF local(SmallIntLo(static_cast<uintptr_t>(m.LParam)), SmallIntHi(static_cast<uintptr_t>(m.LParam)));
      QPointF global = widget_->mapToGlobal(local.toPoint());
      Qt::KeyboardModifiers mods;
      if (keys & MK_SHIFT) mods |= Qt::ShiftModifier;
      if (keys & MK_CONTROL) mods |= Qt::ControlModifier;
      QMouseEvent e(type, local, global, button, ButtonsOfKeys(keys), mods);
      adapter_->BaseMouse(&e);
      return;
    }
    case WM_MOUSEWHEEL: {
      const Integer delta = SmallIntHi(m.WParam);
      QPoint global(SmallIntLo(static_cast<uintptr_t>(m.LParam)), SmallIntHi(static_cast<uintptr_t>(m.LParam)));
      QPointF local = widget_->mapFromGlobal(global);
      QWheelEvent e(local, QPointF(global), QPoint(), QPoint(0, delta), ButtonsOfKeys(m.WParamLo()), ModsNow(),
                    Qt::NoScrollPhase, false);
      adapter_->BaseWheel(&e);
      m.Result = 1;
      return;
    }
    default:
      return;
  }
}

}  // namespace

std::unique_ptr<TWidgetImpl> NewWidgetImpl(TControl* Control, TWidgetKind Kind) {
  return std::make_unique<QtWidgetImpl>(Control, Kind);
}

namespace QtInternal {

Word MouseKeysOf(unsigned Buttons, unsigned Modifiers) {
  Word k = 0;
  if (Buttons & Qt::LeftButton) k |= MK_LBUTTON;
  if (Buttons & Qt::RightButton) k |= MK_RBUTTON;
  if (Buttons & Qt::MiddleButton) k |= MK_MBUTTON;
  if (Modifiers & Qt::ShiftModifier) k |= MK_SHIFT;
  if (Modifiers & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}


QWidget* WidgetOf(const TControl* Control) {
  if (!Control) return nullptr;
  auto* impl = static_cast<QtWidgetImpl*>(Control->Impl());
  return impl ? impl->widget() : nullptr;
}

QWidget* ShadowOf(const TControl* Control) {
  auto* impl = Control ? static_cast<QtWidgetImpl*>(Control->Impl()) : nullptr;
  return impl ? impl->Shadow() : nullptr;
}

TControl* ControlOfWidget(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (auto* a = dynamic_cast<KAdapter*>(w)) {
      if (a->control) return a->control;
    }
  }
  return nullptr;
}

void ApplyFont(QWidget* w, const TFont& f) {
  QFont q(QStr(GraphicsBackend::ResolveFontFamily(f.Name(), f.Pitch())));
  q.setPixelSize(std::max<Integer>(1, GraphicsBackend::FontPixelSize(f)));
  TFontStyles s = f.Style();
  q.setBold(s.Contains(fsBold));
  q.setItalic(s.Contains(fsItalic));
  q.setUnderline(s.Contains(fsUnderline));
  q.setStrikeOut(s.Contains(fsStrikeOut));
  w->setFont(q);
  // The font's colour is the text colour of an enabled control only: a disabled one keeps the
  // greyed text that tells the user it takes no input.
  QPalette pal = w->palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(g, QPalette::Text, QColorOf(f.Color()));
    pal.setColor(g, QPalette::WindowText, QColorOf(f.Color()));
    pal.setColor(g, QPalette::ButtonText, QColorOf(f.Color()));
  }
  w->setPalette(pal);
}

}  // namespace QtInternal
