#include "platform/qt/bench/QtGridPeer.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

namespace {

QString QStr(const String& S) { return QString::fromUtf16(S.data(), static_cast<qsizetype>(S.size())); }

void AppendCsvField(QString& Line, const QString& T) {
  if (T.contains(u',') || T.contains(u'"')) {
    QString Q = T;
    Q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    Line += u'"' + Q + u'"';
  } else {
    Line += T;
  }
}

// Splits one line at the commas outside quotes; doubled quotes inside quotes are one quote.
QStringList SplitCsvLine(const QString& Line) {
  QStringList Out;
  QString Field;
  bool Quoted = false;
  for (qsizetype i = 0; i < Line.size(); ++i) {
    const QChar Ch = Line[i];
    if (Quoted) {
      if (Ch == u'"') {
        if (i + 1 < Line.size() && Line[i + 1] == u'"') {
          Field += u'"';
          ++i;
        } else {
          Quoted = false;
        }
      } else {
        Field += Ch;
      }
    } else if (Ch == u'"') {
      Quoted = true;
    } else if (Ch == u',') {
      Out << Field;
      Field.clear();
    } else {
      Field += Ch;
    }
  }
  Out << Field;
  return Out;
}

}  // namespace

struct TQtGridPeer::Impl {
  QStandardItemModel Model;
  QSortFilterProxyModel Proxy;
  QTableView View;
  Impl() {
    Proxy.setSourceModel(&Model);
    View.setModel(&Proxy);
  }
};

TQtGridPeer::TQtGridPeer() : impl_(std::make_unique<Impl>()) {}
TQtGridPeer::~TQtGridPeer() = default;

void TQtGridPeer::Show(int Width, int Height) {
  impl_->View.resize(Width, Height);
  impl_->View.show();
  QApplication::processEvents();
}

void TQtGridPeer::Fill(const std::vector<String>& Texts, int Rows, int Cols, int NumericCol) {
  // As a Qt program loads a table: the model is filled on its own and then given to the proxy.
  impl_->Proxy.setSourceModel(nullptr);
  QStandardItemModel& M = impl_->Model;
  M.clear();
  M.setRowCount(Rows);
  M.setColumnCount(Cols);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      const String& T = Texts[static_cast<size_t>(r) * static_cast<size_t>(Cols) + static_cast<size_t>(c)];
      auto* It = new QStandardItem;
      if (c == NumericCol)
        It->setData(QStr(T).toDouble(), Qt::DisplayRole);
      else
        It->setData(QStr(T), Qt::DisplayRole);
      M.setItem(r, c, It);
    }
  impl_->Proxy.setSourceModel(&M);
}

int TQtGridPeer::RowCount() const { return impl_->Proxy.rowCount(); }

bool TQtGridPeer::Find(const String& Text) {
  // A part of a cell's text, whatever the case, and the found cell made current: the test and the
  // step of the grid's search footer.
  const QString T = QStr(Text);
  QStandardItemModel& M = impl_->Model;
  for (int c = 0; c < M.columnCount(); ++c) {
    const QModelIndexList Hit = M.match(M.index(0, c), Qt::DisplayRole, T, 1, Qt::MatchContains);
    if (!Hit.isEmpty()) {
      impl_->View.setCurrentIndex(impl_->Proxy.mapFromSource(Hit.first()));
      return true;
    }
  }
  return false;
}

void TQtGridPeer::CopyAll() {
  QStandardItemModel& M = impl_->Model;
  QString S;
  for (int r = 0; r < M.rowCount(); ++r) {
    for (int c = 0; c < M.columnCount(); ++c) {
      if (c > 0) S += u'\t';
      S += M.item(r, c)->text();
    }
    S += QStringLiteral("\r\n");
  }
  QApplication::clipboard()->setText(S);
}

void TQtGridPeer::WriteCSV(const String& FileName) {
  QFile F(QStr(FileName));
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  QStandardItemModel& M = impl_->Model;
  QString Line;
  QByteArray Out;
  for (int r = 0; r < M.rowCount(); ++r) {
    Line.clear();
    for (int c = 0; c < M.columnCount(); ++c) {
      if (c > 0) Line += u',';
      AppendCsvField(Line, M.item(r, c)->text());
    }
    Line += QStringLiteral("\r\n");
    Out += Line.toUtf8();
  }
  F.write(Out);
}

void TQtGridPeer::ReadCSV(const String& FileName) {
  QFile F(QStr(FileName));
  if (!F.open(QIODevice::ReadOnly)) return;
  const QString All = QString::fromUtf8(F.readAll());
  const QStringList Lines = All.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  impl_->Proxy.setSourceModel(nullptr);
  QStandardItemModel& M = impl_->Model;
  M.clear();
  M.setRowCount(static_cast<int>(Lines.size()));
  for (int r = 0; r < Lines.size(); ++r) {
    const QStringList Fields = SplitCsvLine(Lines[r]);
    if (M.columnCount() < Fields.size()) M.setColumnCount(static_cast<int>(Fields.size()));
    for (int c = 0; c < Fields.size(); ++c) M.setItem(r, c, new QStandardItem(Fields[c]));
  }
  impl_->Proxy.setSourceModel(&M);
}

void TQtGridPeer::Sort(int Col) { impl_->Proxy.sort(Col, Qt::AscendingOrder); }

void TQtGridPeer::Filter(int Col, const String& Wildcard) {
  impl_->Proxy.setFilterKeyColumn(Col);
  impl_->Proxy.setFilterRegularExpression(
      QRegularExpression(QRegularExpression::wildcardToRegularExpression(QStr(Wildcard)),
                         QRegularExpression::CaseInsensitiveOption));
}

void TQtGridPeer::Unfilter() { impl_->Proxy.setFilterRegularExpression(QRegularExpression()); }

void TQtGridPeer::InsertRowAt(int Row) { impl_->Model.insertRow(Row); }

void TQtGridPeer::RemoveRowAt(int Row) { impl_->Model.removeRow(Row); }

void TQtGridPeer::Repaint() { impl_->View.viewport()->repaint(); }
