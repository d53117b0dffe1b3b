#include "platform/qt/bench/BenchHooks.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include "platform/qt/QtInternal.h"

namespace {

// Watches one widget for its first paint event; the call waits for the next turn of the event loop,
// by which time the whole window (the widget and its children) has been drawn.
class KFirstPaint : public QObject {
 public:
  KFirstPaint(QWidget* Widget, std::function<void()> Then) : QObject(Widget), then_(std::move(Then)) {}

 protected:
  bool eventFilter(QObject* Watched, QEvent* E) override {
    if (E->type() == QEvent::Paint && !fired_) {
      fired_ = true;
      Watched->removeEventFilter(this);
      std::function<void()> Then = std::move(then_);
      QTimer::singleShot(0, [Then] { Then(); });
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> then_;
  bool fired_ = false;
};

}  // namespace

namespace BenchHooks {

void After_First_Paint(TWinControl* Form, std::function<void()> Then) {
  QWidget* W = QtInternal::WidgetOf(Form);
  if (!W) return;
  W->installEventFilter(new KFirstPaint(W, std::move(Then)));
}

void After(int Ms, std::function<void()> Then) { QTimer::singleShot(Ms, [Then] { Then(); }); }

}  // namespace BenchHooks
