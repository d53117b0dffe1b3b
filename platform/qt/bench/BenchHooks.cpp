#include "platform/qt/bench/BenchHooks.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include "platform/qt/QtInternal.h"

namespace {

// Watches the application for the first paint event of a widget in one window (the window itself,
// or a child that covers it); the call waits for the next turn of the event loop, by which time the
// whole window has been drawn.
class KFirstPaint : public QObject {
 public:
  KFirstPaint(QWidget* Window, std::function<void()> Then) : window_(Window), then_(std::move(Then)) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* E) override {
    if (E->type() == QEvent::Paint && !fired_ && Watched->isWidgetType() &&
        static_cast<QWidget*>(Watched)->window() == window_) {
      fired_ = true;
      qApp->removeEventFilter(this);
      std::function<void()> Then = std::move(then_);
      QTimer::singleShot(0, [Then] { Then(); });
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> then_;
  bool fired_ = false;
};

}  // namespace

namespace BenchHooks {

void After_First_Paint(TWinControl* Form, std::function<void()> Then) {
  QWidget* W = QtInternal::WidgetOf(Form);
  if (!W) return;
  qApp->installEventFilter(new KFirstPaint(W->window(), std::move(Then)));
}

void After(int Ms, std::function<void()> Then) { QTimer::singleShot(Ms, [Then] { Then(); }); }

}  // namespace BenchHooks
