// The peer the grid benchmarks measure against: Qt's own model/view on the same data, a
// QStandardItemModel behind a QSortFilterProxyModel shown in a QTableView. Qt-free, so that the
// benchmark programs can include it; the body lives beside it in platform/qt/bench.
#pragma once

#include <memory>
#include <vector>

#include "platform/rtl/System.h"

class TQtGridPeer {
 public:
  TQtGridPeer();
  ~TQtGridPeer();
  TQtGridPeer(const TQtGridPeer&) = delete;
  TQtGridPeer& operator=(const TQtGridPeer&) = delete;

  // Shows the view at this size (the page a repaint paints).
  void Show(int Width, int Height);
  // Rows x Cols texts, row by row (Texts[r * Cols + c]). The texts of column NumericCol are
  // stored as numbers, so that the proxy sorts that column by value (-1: none).
  void Fill(const std::vector<String>& Texts, int Rows, int Cols, int NumericCol = -1);
  int RowCount() const;
  // The first cell whose text holds Text, whatever the case, searched column by column; it becomes
  // the view's current cell.
  bool Find(const String& Text);
  // Every cell as tab-separated lines on the clipboard.
  void CopyAll();
  // Comma-separated lines, written and read in UTF-8 (quotes around texts holding a comma or a quote).
  void WriteCSV(const String& FileName);
  void ReadCSV(const String& FileName);
  // The proxy sorts by the column, ascending.
  void Sort(int Col);
  // The proxy keeps the rows whose text in Col matches the wildcard pattern; Unfilter keeps all.
  void Filter(int Col, const String& Wildcard);
  void Unfilter();
  // One row inserted into (removed from) the source model at Row.
  void InsertRowAt(int Row);
  void RemoveRowAt(int Row);
  // Paints the visible page now.
  void Repaint();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
