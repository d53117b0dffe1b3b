// Drag and drop through Qt, so drags reach other programs and theirs reach us: a drag of the
// window system over a window that takes drops becomes the layer's drag input, and the layer's
// drags run as Qt drags with the data as MIME types.
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "platform/gui/DragDropBackend.h"
#include "platform/gui/FormsBackend.h"
#include "platform/qt/QtInternal.h"

namespace {

QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

QtInternal::TDragRunner gRunner;

}  // namespace

namespace QtInternal {

TDragPayload PayloadOfMime(const QMimeData* Mime) {
  TDragPayload P;
  if (!Mime) return P;
  P.HasText = Mime->hasText();
  if (P.HasText) {
    P.Text = FromQ(Mime->text());
  } else {
    // Text offered only with its character set named ("text/plain;charset=utf-8").
    for (const QString& F : Mime->formats()) {
      if (!F.startsWith(QLatin1String("text/plain;"), Qt::CaseInsensitive)) continue;
      const int At = F.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
      const QByteArray Charset = At < 0 ? QByteArray("UTF-8") : F.mid(At + 8).trimmed().toLatin1();
      QStringDecoder Decoder(Charset.constData());
      if (!Decoder.isValid()) continue;
      const QString T = Decoder(Mime->data(F));
      P.HasText = true;
      P.Text = FromQ(T);
      break;
    }
  }
  for (const QUrl& U : Mime->urls()) {
    P.Urls.push_back(FromQ(U.toString()));
    if (U.isLocalFile()) P.LocalFiles.push_back(FromQ(U.toLocalFile()));
  }
  for (const QString& F : Mime->formats()) {
    const QByteArray B = Mime->data(F);
    P.Parts.emplace_back(FromQ(F), std::vector<Byte>(B.begin(), B.end()));
  }
  return P;
}

QMimeData* MimeOfPayload(const TDragPayload& Payload) {
  auto* M = new QMimeData;
  for (const auto& [Type, Bytes] : Payload.Parts)
    M->setData(QStr(Type), QByteArray(reinterpret_cast<const char*>(Bytes.data()), static_cast<qsizetype>(Bytes.size())));
  QList<QUrl> Urls;
  for (const String& F : Payload.LocalFiles) Urls.push_back(QUrl::fromLocalFile(QStr(F)));
  for (const String& U : Payload.Urls) Urls.push_back(QUrl(QStr(U)));
  if (!Urls.isEmpty()) M->setUrls(Urls);
  if (Payload.HasText) M->setText(QStr(Payload.Text));
  return M;
}

void SetDragRunner(TDragRunner Runner) { gRunner = std::move(Runner); }

}  // namespace QtInternal

namespace {

// The keys of a drag: the mouse keys and Alt.
DWORD DragKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
  DWORD K = QtInternal::MouseKeysOf(static_cast<unsigned>(Buttons.toInt()), static_cast<unsigned>(Modifiers.toInt()));
  if (Modifiers & Qt::AltModifier) K |= MK_ALT;
  return K;
}

}  // namespace

namespace QtInternal {

bool HandleDragEvent(TWinControl* Control, QEvent* e, int OriginX, int OriginY) {
  if (!Control || !HasDropTarget(Control)) return false;
  const QPoint Origin(OriginX, OriginY);
  switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* de = static_cast<QDropEvent*>(e);
      const QPoint p = de->position().toPoint() + Origin;
      const DWORD Keys = DragKeys(de->buttons(), de->modifiers());
      const auto Allowed = static_cast<DWORD>(de->possibleActions().toInt()) &
                           (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
      DWORD E = DROPEFFECT_NONE;
      if (e->type() == QEvent::DragEnter) {
        InputDragEnter(Control, PayloadOfMime(de->mimeData()), TPoint(p.x(), p.y()), Keys, Allowed);
        // The enter is always taken, so the moves and the leave that follow reach the target,
        // which decides on each move (and Qt sends a move at once).
        de->setDropAction(Qt::IgnoreAction);
        de->accept();
        return true;
      }
      if (e->type() == QEvent::DragMove)
        E = InputDragOver(Control, TPoint(p.x(), p.y()), Keys, Allowed);
      else
        E = InputDrop(Control, PayloadOfMime(de->mimeData()), TPoint(p.x(), p.y()), Keys, Allowed);
      if (E == DROPEFFECT_NONE) {
        de->setDropAction(Qt::IgnoreAction);
        de->ignore();
      } else {
        de->setDropAction(E & DROPEFFECT_MOVE ? Qt::MoveAction : E & DROPEFFECT_COPY ? Qt::CopyAction : Qt::LinkAction);
        de->accept();
      }
      return true;
    }
    case QEvent::DragLeave:
      InputDragLeave(Control);
      e->accept();
      return true;
    default:
      return false;
  }
}

}  // namespace QtInternal

namespace DragDropBackend {

void SetAcceptDrops(TWinControl* Control, bool Accept) {
  if (QWidget* w = QtInternal::WidgetOf(Control)) w->setAcceptDrops(Accept);
}

bool SystemDrag() { return gRunner || FormsBackend::HasRealDisplay(); }

DWORD RunDrag(const TDragPayload& Payload, DWORD OkEffects, const std::function<bool()>& Tick,
              const std::function<void(DWORD)>& Feedback) {
  QMimeData* Mime = QtInternal::MimeOfPayload(Payload);
  if (gRunner) {
    // A test stands in for the window system and the program the data goes to.
    std::unique_ptr<QMimeData> Own(Mime);
    return gRunner(Own.get(), OkEffects, Tick, Feedback);
  }
  QWidget* SourceWidget = QApplication::widgetAt(QCursor::pos());
  if (!SourceWidget) SourceWidget = QApplication::activeWindow();
  // Qt keeps the drag (and its data, which the receiving program may still ask for after the drop)
  // and deletes it when the window system is done with it.
  auto* Drag = new QDrag(SourceWidget ? static_cast<QObject*>(SourceWidget) : qApp);
  Drag->setMimeData(Mime);
  const QMetaObject::Connection Changed = QObject::connect(
      Drag, &QDrag::actionChanged, [&Feedback](Qt::DropAction A) { Feedback(static_cast<DWORD>(A) & 7u); });
  // The source moves its drag image and may end the drag while the window system runs it.
  QTimer Ticker;
  Ticker.setInterval(30);
  QObject::connect(&Ticker, &QTimer::timeout, [&Tick] {
    if (!Tick()) QDrag::cancel();
  });
  Ticker.start();
  Qt::DropActions Actions;
  if (OkEffects & DROPEFFECT_COPY) Actions |= Qt::CopyAction;
  if (OkEffects & DROPEFFECT_MOVE) Actions |= Qt::MoveAction;
  if (OkEffects & DROPEFFECT_LINK) Actions |= Qt::LinkAction;
  const Qt::DropAction Result = Drag->exec(Actions, Qt::CopyAction);
  Ticker.stop();
  QObject::disconnect(Changed);
  return static_cast<DWORD>(Result) & 7u;
}

}  // namespace DragDropBackend
