// The backend's clipboard on Qt's (in process under the offscreen platform).
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/gui/ClipbrdBackend.h"

namespace {

QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

}  // namespace

namespace ClipbrdBackend {

String Text() { return FromQ(QGuiApplication::clipboard()->text()); }

bool HasFormat(const String& MimeName) {
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  if (!d) return false;
  if (MimeName == u"text/plain") return d->hasText();
  return d->hasFormat(QStr(MimeName));
}

std::vector<Byte> Data(const String& MimeName) {
  const QMimeData* d = QGuiApplication::clipboard()->mimeData();
  if (!d) return {};
  QByteArray b = d->data(QStr(MimeName));
  return std::vector<Byte>(b.begin(), b.end());
}

void SetContent(const std::vector<std::pair<String, std::vector<Byte>>>& Formats, const String* Text) {
  auto* m = new QMimeData;
  if (Text) m->setText(QStr(*Text));
  for (auto& [name, bytes] : Formats)
    m->setData(QStr(name), QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(m);
}

void Clear() { QGuiApplication::clipboard()->clear(); }

}  // namespace ClipbrdBackend
