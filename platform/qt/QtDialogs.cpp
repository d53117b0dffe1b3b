// The native message boxes and file and folder dialogs.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/gui/DialogsBackend.h"
#include "platform/gui/Forms.h"

namespace {

QString QStr(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
String FromQ(const QString& s) {
  return String(reinterpret_cast<const Char*>(s.utf16()), static_cast<size_t>(s.size()));
}

// "Text files|*.txt;*.log|All|*.*" -> "Text files (*.txt *.log);;All (*.*)"
QString QtFilter(const String& filter, int index, QString* selected) {
  QStringList parts = QStr(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i];
    QString masks = parts[i + 1];
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    QString entry = desc.contains(QLatin1Char('(')) && desc.endsWith(QLatin1Char(')'))
                        ? desc
                        : desc + QStringLiteral(" (") + masks + QStringLiteral(")");
    out << entry;
    if (selected && i / 2 + 1 == index) *selected = entry;
  }
  return out.join(QStringLiteral(";;"));
}

}  // namespace

namespace DialogsBackend {

TModalResult ShowMessageBox(const TMessageBoxRequest& r) {
  QMessageBox box;
  box.setText(QStr(r.Text));
  box.setWindowTitle(QStr(r.Caption.empty() ? MsgDlgCaption(r.Type) : r.Caption));
  switch (r.Type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    case mtCustom: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct B { TMsgDlgBtn btn; QMessageBox::StandardButton qb; };
  const B map[] = {{mbYes, QMessageBox::Yes},       {mbNo, QMessageBox::No},
                   {mbOK, QMessageBox::Ok},         {mbCancel, QMessageBox::Cancel},
                   {mbAbort, QMessageBox::Abort},   {mbRetry, QMessageBox::Retry},
                   {mbIgnore, QMessageBox::Ignore}, {mbAll, QMessageBox::YesToAll},
                   {mbNoToAll, QMessageBox::NoToAll}, {mbYesToAll, QMessageBox::YesToAll},
                   {mbHelp, QMessageBox::Help},     {mbClose, QMessageBox::Close}};
  QMessageBox::StandardButtons set;
  for (const B& b : map)
    if (r.Buttons.Contains(b.btn)) set |= b.qb;
  if (!set) set = QMessageBox::Ok;
  box.setStandardButtons(set);
  int res = box.exec();
  for (const B& b : map)
    if (res == b.qb && r.Buttons.Contains(b.btn)) return ModalResultOf(b.btn);
  if (r.Buttons.Contains(mbCancel)) return mrCancel;
  if (r.Buttons.Contains(mbNo)) return mrNo;
  return mrOk;
}

bool ExecuteFileDialog(TFileDialogRequest& r) {
  QString selected;
  QString filter = QtFilter(r.Filter, r.FilterIndex, &selected);
  QString start = QStr(r.InitialDir);
  if (!r.FileName.empty()) start = start.isEmpty() ? QStr(r.FileName) : start + QLatin1Char('/') + QStr(r.FileName);
  QFileDialog::Options opts;
  if (!r.OverwritePrompt) opts |= QFileDialog::DontConfirmOverwrite;
  QString title = QStr(r.Title);
  if (r.Save) {
    QString f = QFileDialog::getSaveFileName(nullptr, title, start, filter, &selected, opts);
    if (f.isEmpty()) return false;
    r.FileName = FromQ(f);
    return true;
  }
  if (r.AllowMultiSelect) {
    QStringList fs = QFileDialog::getOpenFileNames(nullptr, title, start, filter, &selected, opts);
    if (fs.isEmpty()) return false;
    r.Files.clear();
    for (const QString& f : fs) r.Files.push_back(FromQ(f));
    r.FileName = r.Files.front();
    return true;
  }
  QString f = QFileDialog::getOpenFileName(nullptr, title, start, filter, &selected, opts);
  if (f.isEmpty()) return false;
  r.FileName = FromQ(f);
  return true;
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
  QString start = QStr(Directory.empty() ? Root : Directory);
  QString d = QFileDialog::getExistingDirectory(nullptr, QStr(Caption), start);
  if (d.isEmpty()) return false;
  Directory = FromQ(d);
  return true;
}

}  // namespace DialogsBackend
