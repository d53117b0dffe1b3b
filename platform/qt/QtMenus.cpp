// The backend's popup menu.
#include <QAction>
#include <QMenu>
#include <map>

#include "platform/gui/MenusBackend.h"

namespace {

QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

void Fill(QMenu* q, TMenuItem* item, std::map<QAction*, TMenuItem*>& map) {
  for (Integer i = 0; i < item->Count(); ++i) {
    TMenuItem* m = item->Items(i);
    if (!m->Visible()) continue;
    if (m->IsLine()) {
      q->addSeparator();
      continue;
    }
    if (m->Count() > 0) {
      QMenu* sub = q->addMenu(QStr(m->Caption()));
      sub->setEnabled(m->Enabled());
      Fill(sub, m, map);
      continue;
    }
    QAction* a = q->addAction(QStr(m->Caption()));
    a->setEnabled(m->Enabled());
    a->setCheckable(m->Checked());
    a->setChecked(m->Checked());
    map[a] = m;
  }
}

}  // namespace

namespace MenusBackend {

TMenuItem* ExecPopup(TPopupMenu* Menu, TPoint ScreenPos) {
  QMenu q;
  std::map<QAction*, TMenuItem*> map;
  Fill(&q, Menu->Items(), map);
  QAction* a = q.exec(QPoint(ScreenPos.X, ScreenPos.Y));
  auto it = map.find(a);
  return it == map.end() ? nullptr : it->second;
}

}  // namespace MenusBackend
