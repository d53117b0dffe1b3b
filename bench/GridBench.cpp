// The string grid and the column grid at the sizes users load, measured side by side with Qt's
// model/view (QStandardItemModel, QSortFilterProxyModel, QTableView) on the same data in the same
// run. Prints the ratio table (ours / Qt, medians of the repetitions) and the growth of the
// operations whose cost depends on the row count.
//
//   grid_bench [--grid_rows=N] [--grid_growth=N,N,...] [--grid_only=name,...] [benchmark flags]
//
// --grid_rows sets the size of the ratio table (100000 rows of 10 columns by default),
// --grid_growth the row counts of the growth table (10000,100000,1000000; empty: none),
// --grid_only limits both tables to the named operations.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "components/grid/ExCGrid.h"
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridFilter.h"
#include "components/grid/ExGridSortSettings.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "platform/qt/bench/QtGridPeer.h"
#include "bench/BenchSupport.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int kCols = 10;
constexpr int kNumericCol = 1;  // numbers: the automatic sort
constexpr int kFilterCol = 2;   // 10 % of the texts begin with "K": the filter keeps those
constexpr int kTextCol = 3;     // words: the alphabetic sort
constexpr int kPageWidth = 800;
constexpr int kPageHeight = 600;
constexpr int kSingleRowOps = 1000;
constexpr size_t kLongCellChars = 128 * 1024;  // the word-wrapped cell: 128 K characters of words

// --- The data -------------------------------------------------------------------------------------

struct TRandom {
  uint64_t State = 0x9E3779B97F4A7C15ull;
  uint32_t Next() {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(State >> 33);
  }
};

String Word(TRandom& R, int MinLen, int MaxLen, Char First = 0) {
  const int Len = MinLen + static_cast<int>(R.Next() % static_cast<uint32_t>(MaxLen - MinLen + 1));
  String S;
  for (int i = 0; i < Len; ++i) S += static_cast<Char>(u'a' + R.Next() % 26);
  if (First) S[0] = First;
  return S;
}

// Rows x kCols short texts, row by row; the last cell is the one text the find looks for.
std::vector<String> MakeTexts(int Rows) {
  TRandom R;
  std::vector<String> T;
  T.reserve(static_cast<size_t>(Rows) * kCols);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < kCols; ++c) {
      if (c == 0)
        T.push_back(u"R" + IntToStr(r));
      else if (c == kNumericCol)
        T.push_back(IntToStr(static_cast<Integer>(R.Next() % 1000000)) + u"." + IntToStr(static_cast<Integer>(R.Next() % 100)));
      else if (c == kFilterCol)
        T.push_back(Word(R, 3, 8, r % 10 == 0 ? u'K' : static_cast<Char>(u'a' + R.Next() % 10)));
      else
        T.push_back(Word(R, 3, 9));
    }
  T.back() = u"needle";
  return T;
}

const std::vector<String>& Texts(int Rows) {
  static std::map<int, std::vector<String>> Cache;
  auto It = Cache.find(Rows);
  if (It == Cache.end()) It = Cache.emplace(Rows, MakeTexts(Rows)).first;
  return It->second;
}

// Words of one to ten letters between single blanks, Chars characters in all.
String LongWords(size_t Chars) {
  TRandom R;
  String S;
  S.reserve(Chars + 16);
  while (S.size() < Chars) {
    if (!S.empty()) S += u' ';
    S += Word(R, 1, 10);
  }
  S.resize(Chars);
  return S;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

String CsvFile() { return u"/tmp/grid_bench_" + IntToStr(static_cast<Integer>(getpid())) + u".csv"; }

// --- Our side ---------------------------------------------------------------------------------------

// A shown form with one grid of 800 x 600: one fixed row above the data, no fixed column.
struct TOurs {
  TForm* Form = nullptr;
  TExStringGrid* Grid = nullptr;
  explicit TOurs(bool ColumnGrid = false) {
    Form = new TForm(Application);
    Form->SetBounds(0, 0, kPageWidth + 40, kPageHeight + 40);
    Form->AfterConstruction();
    Grid = ColumnGrid ? new TExColumnGrid(Form) : new TExStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, kPageWidth, kPageHeight);
    TestHarness::ShowForm(Form);
  }
  ~TOurs() { TComponent::Free(Form); }
  TOurs(const TOurs&) = delete;
  TOurs& operator=(const TOurs&) = delete;

  void Fill(int Rows) {
    const std::vector<String>& T = Texts(Rows);
    Grid->SetColCount(kCols);
    Grid->SetFixedCols(0);
    Grid->SetRowCount(Rows + 1);
    for (int c = 0; c < kCols; ++c) Grid->SetCells(c, 0, u"H" + IntToStr(c));
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < kCols; ++c) Grid->SetCells(c, r + 1, T[static_cast<size_t>(r) * kCols + static_cast<size_t>(c)]);
  }
  void Filter() {
    TFilterData* F = Grid->Filter()->Add();
    F->SetColumn(kFilterCol);
    F->SetCondition(u"K*");
    F->SetCaseSensitive(false);
    Grid->SetFilterActive(true);
  }
  void Unfilter() { Grid->SetFilterActive(false); }
  void Sort(int Col, bool Automatic) {
    Grid->SortSettings()->SetAutoFormat(Automatic);
    Grid->Sort(Col, sdAscending);
  }
};

// A shown grid of two rows and two columns whose data cell holds a long text of words, word-wrapped
// as the grids do from the start.
void FillLongCell(TOurs& O) {
  O.Grid->SetColCount(2);
  O.Grid->SetRowCount(2);
  O.Grid->SetCells(1, 1, LongWords(kLongCellChars));
}

// --- Measuring ---------------------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

template <class F>
double Seconds(F&& Step) {
  const auto t0 = Clock::now();
  Step();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Runs Setup (not timed) and Step (timed) once per iteration.
void Run(benchmark::State& State, const std::function<void(std::function<void(std::function<void()>)>)>& Body) {
  for (auto _ : State) {
    double T = 0;
    Body([&](std::function<void()> Step) { T = Seconds(Step); });
    State.SetIterationTime(T);
    TestHarness::ProcessEvents();
  }
}

// The operations, each with our step and (for the ratio table) Qt's.
struct TBenchOp {
  const char* Name;
  const char* Caption;
  std::function<void(benchmark::State&, int Rows)> Ours;
  std::function<void(benchmark::State&, int Rows)> Qt;  // empty: ours only
  bool Growth = false;
};

using TOursStep = std::function<void(TOurs& O, int Rows)>;
using TQtStep = std::function<void(TQtGridPeer& Q, int Rows)>;

// Our step (timed) on a shown grid filled with Rows rows, after Prepare (not timed).
std::function<void(benchmark::State&, int)> OnOurs(TOursStep Step, TOursStep Prepare = {}, bool ColumnGrid = false) {
  return [=](benchmark::State& S, int Rows) {
    Run(S, [&](auto Time) {
      TOurs O(ColumnGrid);
      O.Fill(Rows);
      if (Prepare) Prepare(O, Rows);
      Time([&] { Step(O, Rows); });
    });
  };
}

// Qt's step (timed) on a shown view of a model filled with Rows rows, after Prepare (not timed).
std::function<void(benchmark::State&, int)> OnQt(TQtStep Step, TQtStep Prepare = {}, int NumericCol = -1) {
  return [=](benchmark::State& S, int Rows) {
    Run(S, [&](auto Time) {
      TQtGridPeer Q;
      Q.Show(kPageWidth, kPageHeight);
      Q.Fill(Texts(Rows), Rows, kCols, NumericCol);
      if (Prepare) Prepare(Q, Rows);
      Time([&] { Step(Q, Rows); });
    });
  };
}

// The CSV file the reads read, written once by our writer.
void WriteCsvFile(int Rows) {
  TOurs O;
  O.Fill(Rows);
  O.Grid->SaveToCSV(CsvFile(), true);
}

std::vector<TBenchOp> Operations() {
  std::vector<TBenchOp> Ops;
  Ops.push_back({"fill", "fill (cells written, grid shown)",
                 [](benchmark::State& S, int Rows) {
                   Run(S, [&](auto Time) {
                     TOurs O;
                     const size_t Before = HeapInUse();
                     Time([&] { O.Fill(Rows); });
                     S.counters["bytes_per_cell"] =
                         static_cast<double>(HeapInUse() - Before) / (static_cast<double>(Rows) * kCols);
                   });
                 },
                 [](benchmark::State& S, int Rows) {
                   Run(S, [&](auto Time) {
                     TQtGridPeer Q;
                     Q.Show(kPageWidth, kPageHeight);
                     const size_t Before = HeapInUse();
                     Time([&] { Q.Fill(Texts(Rows), Rows, kCols, kNumericCol); });
                     S.counters["bytes_per_cell"] =
                         static_cast<double>(HeapInUse() - Before) / (static_cast<double>(Rows) * kCols);
                   });
                 },
                 true});
  // As the search footer finds with its default settings: a part of the text, any case, column by
  // column, the found cell made current.
  Ops.push_back({"find", "find a text",
                 OnOurs([](TOurs& O, int) { benchmark::DoNotOptimize(O.Grid->FindFirst(u"needle", {TExStringGrid::fnAutoGoto})); }),
                 OnQt([](TQtGridPeer& Q, int) { benchmark::DoNotOptimize(Q.Find(u"needle")); })});
  Ops.push_back({"copy", "copy all cells to the clipboard", OnOurs([](TOurs& O, int) { O.Grid->CopyToClipBoard(); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.CopyAll(); })});
  Ops.push_back({"csv_read", "CSV read (fills the grid)",
                 [](benchmark::State& S, int Rows) {
                   WriteCsvFile(Rows);
                   Run(S, [&](auto Time) {
                     TOurs O;
                     Time([&] { O.Grid->LoadFromCSV(CsvFile()); });
                   });
                 },
                 [](benchmark::State& S, int Rows) {
                   WriteCsvFile(Rows);
                   Run(S, [&](auto Time) {
                     TQtGridPeer Q;
                     Q.Show(kPageWidth, kPageHeight);
                     Time([&] { Q.ReadCSV(CsvFile()); });
                   });
                 }});
  Ops.push_back({"sort_alpha", "sort a column, alphabetic", OnOurs([](TOurs& O, int) { O.Sort(kTextCol, false); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.Sort(kTextCol); }), true});
  Ops.push_back({"sort_auto", "sort a column, automatic (numbers)", OnOurs([](TOurs& O, int) { O.Sort(kNumericCol, true); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.Sort(kNumericCol); }, {}, kNumericCol), true});
  Ops.push_back({"sort_column_grid", "sort a column of the column grid",
                 OnOurs([](TOurs& O, int) { O.Sort(kTextCol, false); }, {}, true),
                 OnQt([](TQtGridPeer& Q, int) { Q.Sort(kTextCol); }), true});
  Ops.push_back({"filter", "filter keeping 10 %", OnOurs([](TOurs& O, int) { O.Filter(); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.Filter(kFilterCol, u"K*"); }), true});
  Ops.push_back({"unfilter", "removing that filter",
                 OnOurs([](TOurs& O, int) { O.Unfilter(); }, [](TOurs& O, int) { O.Filter(); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.Unfilter(); }, [](TQtGridPeer& Q, int) { Q.Filter(kFilterCol, u"K*"); }),
                 true});
  Ops.push_back({"insert_rows", "1000 single-row inserts in the middle",
                 OnOurs([](TOurs& O, int Rows) {
                   for (int i = 0; i < kSingleRowOps; ++i) O.Grid->InsertRows(Rows / 2, 1);
                 }),
                 OnQt([](TQtGridPeer& Q, int Rows) {
                   for (int i = 0; i < kSingleRowOps; ++i) Q.InsertRowAt(Rows / 2);
                 }),
                 true});
  Ops.push_back({"remove_rows", "1000 single-row removes in the middle",
                 OnOurs([](TOurs& O, int Rows) {
                   for (int i = 0; i < kSingleRowOps; ++i) O.Grid->RemoveRows(Rows / 2, 1);
                 }),
                 OnQt([](TQtGridPeer& Q, int Rows) {
                   for (int i = 0; i < kSingleRowOps; ++i) Q.RemoveRowAt(Rows / 2);
                 }),
                 true});
  Ops.push_back({"csv_write", "CSV write", OnOurs([](TOurs& O, int) { O.Grid->SaveToCSV(CsvFile(), true); }),
                 OnQt([](TQtGridPeer& Q, int) { Q.WriteCSV(CsvFile()); })});
  // The paint of a page whose one data cell holds 128 K characters of words, wrapped to the cell's
  // width (each paint lays the text out again); Qt's view wraps the same text in its item (a
  // QTextLayout of the whole text). A first paint, not timed, leaves the fonts' caches as a shown
  // page has them.
  auto LongCellQt = [](benchmark::State& S, int) {
    Run(S, [&](auto Time) {
      TQtGridPeer Q;
      Q.Show(kPageWidth, kPageHeight);
      Q.Fill({u"H0", u"H1", u"", LongWords(kLongCellChars)}, 2, 2);
      Q.Repaint();
      Time([&] { Q.Repaint(); });
    });
  };
  auto LongCellOurs = [](bool ColumnGrid) {
    return [ColumnGrid](benchmark::State& S, int) {
      Run(S, [&](auto Time) {
        TOurs O(ColumnGrid);
        FillLongCell(O);
        O.Grid->Repaint();
        Time([&] { O.Grid->Repaint(); });
      });
    };
  };
  Ops.push_back({"wrap_paint", "paint of a word-wrapped 128 K cell", LongCellOurs(false), LongCellQt});
  Ops.push_back({"wrap_paint_column_grid", "the same in the column grid", LongCellOurs(true), LongCellQt});
  // Ten repaints of the page, after a first one that lays it out.
  Ops.push_back({"repaint", "full repaint of one 800 x 600 page (x10)",
                 OnOurs([](TOurs& O, int) {
                   for (int i = 0; i < 10; ++i) O.Grid->Repaint();
                 }, [](TOurs& O, int) { O.Grid->Repaint(); }),
                 OnQt([](TQtGridPeer& Q, int) {
                   for (int i = 0; i < 10; ++i) Q.Repaint();
                 }, [](TQtGridPeer& Q, int) { Q.Repaint(); })});
  return Ops;
}

// --- The tables ---------------------------------------------------------------------------------------

// Keeps every repetition's time and counters while the console shows them as usual.
class TCollector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::vector<double>> Times;     // seconds per repetition
  std::map<std::string, std::vector<double>> Counters;  // bytes per cell per repetition
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& R : Runs) {
      if (R.run_type != Run::RT_Iteration || R.error_occurred) continue;
      const std::string Name = R.run_name.function_name;
      Times[Name].push_back(R.real_accumulated_time / static_cast<double>(R.iterations));
      auto C = R.counters.find("bytes_per_cell");
      if (C != R.counters.end()) Counters[Name].push_back(C->second.value);
    }
    ConsoleReporter::ReportRuns(Runs);
  }
};

std::string Name(const char* Table, const char* Op, const std::string& Side) {
  return std::string(Table) + "/" + Op + "/" + Side;
}

}  // namespace

int main(int argc, char** argv) {
  int Rows = 100000;
  std::vector<int> Growth{10000, 100000, 1000000};
  std::set<std::string> Only;
  // Our own flags leave argv before Google Benchmark reads it; repetitions interleave by default.
  std::vector<char*> Args{argv[0]};
  static char Reps[] = "--benchmark_repetitions=3";
  static char Interleave[] = "--benchmark_enable_random_interleaving=true";
  Args.push_back(Reps);
  Args.push_back(Interleave);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--grid_rows=", 12) == 0)
      Rows = std::atoi(argv[i] + 12);
    else if (std::strncmp(argv[i], "--grid_growth=", 14) == 0)
      Growth = bench::ParseSizes(argv[i] + 14);
    else if (std::strncmp(argv[i], "--grid_only=", 12) == 0) {
      std::string L = argv[i] + 12;
      size_t p = 0;
      while (p <= L.size()) {
        const size_t q = std::min(L.find(',', p), L.size());
        if (q > p) Only.insert(L.substr(p, q - p));
        p = q + 1;
      }
    } else {
      Args.push_back(argv[i]);
    }
  }
  int ArgCount = static_cast<int>(Args.size());
  Args.push_back(nullptr);

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int QtArgc = 1;
  InitializeGuiLayer(QtArgc, argv);

  const std::vector<TBenchOp> Ops = Operations();
  auto Wanted = [&](const TBenchOp& Op) { return Only.empty() || Only.count(Op.Name) > 0; };
  for (const TBenchOp& Op : Ops) {
    if (!Wanted(Op)) continue;
    auto Ours = Op.Ours;
    benchmark::RegisterBenchmark(Name("table", Op.Name, "ours").c_str(), [Ours, Rows](benchmark::State& S) { Ours(S, Rows); })
        ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
    if (Op.Qt) {
      auto Qt = Op.Qt;
      benchmark::RegisterBenchmark(Name("table", Op.Name, "qt").c_str(), [Qt, Rows](benchmark::State& S) { Qt(S, Rows); })
          ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
    }
    if (!Op.Growth) continue;
    for (int N : Growth) {
      if (N == Rows) continue;  // the table's own run gives that point
      benchmark::RegisterBenchmark(Name("growth", Op.Name, std::to_string(N)).c_str(), [Ours, N](benchmark::State& S) { Ours(S, N); })
          ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
    }
  }

  benchmark::Initialize(&ArgCount, Args.data());
  TCollector Collector;
  benchmark::RunSpecifiedBenchmarks(&Collector);
  std::remove(StringToUtf8(CsvFile()).c_str());

  std::printf("\nGrid at %d rows x %d columns, ours / Qt (medians of the repetitions)\n", Rows, kCols);
  std::printf("%-42s %12s %12s %9s\n", "operation", "ours ms", "Qt ms", "ours/Qt");
  for (const TBenchOp& Op : Ops) {
    if (!Wanted(Op) || !Op.Qt) continue;
    const double O = bench::Median(Collector.Times[Name("table", Op.Name, "ours")]) * 1000;
    const double Q = bench::Median(Collector.Times[Name("table", Op.Name, "qt")]) * 1000;
    std::printf("%-42s %12.2f %12.2f %9.2f\n", Op.Caption, O, Q, Q > 0 ? O / Q : 0.0);
    if (std::strcmp(Op.Name, "fill") == 0) {
      const double OB = bench::Median(Collector.Counters[Name("table", Op.Name, "ours")]);
      const double QB = bench::Median(Collector.Counters[Name("table", Op.Name, "qt")]);
      std::printf("%-42s %10.0f B %10.0f B %9.2f\n", "memory per cell", OB, QB, QB > 0 ? OB / QB : 0.0);
    }
  }

  std::vector<int> Sizes = Growth;
  if (std::find(Sizes.begin(), Sizes.end(), Rows) == Sizes.end()) Sizes.push_back(Rows);
  std::sort(Sizes.begin(), Sizes.end());
  if (Sizes.size() > 1) {
    std::printf("\nGrowth of ours, ms (x: time / time at the previous size)\n%-42s", "operation");
    for (int N : Sizes) std::printf(" %10d %6s", N, "x");
    std::printf("\n");
    for (const TBenchOp& Op : Ops) {
      if (!Wanted(Op) || !Op.Growth) continue;
      std::printf("%-42s", Op.Caption);
      bench::PrintGrowthRow(Sizes, [&](int N) {
        return Collector.Times[N == Rows ? Name("table", Op.Name, "ours") : Name("growth", Op.Name, std::to_string(N))];
      });
    }
  }
  benchmark::Shutdown();
  FinalizeGuiLayer();
  return 0;
}
