// The grid's office exports at growing sizes: the document export (a table of every cell) beside
// the workbook export of the same grid, which builds a tree of the same size and packs it alike.
// Prints each time and its growth from the previous size (x2 rows should take about x2 time).
//
//   office_bench [--office_rows=N,N,...] [benchmark flags]
//
// --office_rows sets the row counts (5000,10000,20000 rows of 5 columns by default).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "bench/BenchSupport.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int kCols = 5;

String OutFile(const char* Ext) {
  return u"/tmp/office_bench_" + IntToStr(static_cast<Integer>(getpid())) + Utf8ToString(Ext);
}

// A grid of Rows x kCols short texts (one fixed row above them), on a form that is not shown.
struct TGridHolder {
  TForm* Form = nullptr;
  TExStringGrid* Grid = nullptr;
  explicit TGridHolder(int Rows) {
    Form = new TForm(Application);
    Form->AfterConstruction();
    Grid = new TExStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(kCols);
    Grid->SetFixedCols(0);
    Grid->SetRowCount(Rows + 1);
    for (int c = 0; c < kCols; ++c) Grid->SetCells(c, 0, u"H" + IntToStr(c));
    for (int r = 1; r <= Rows; ++r)
      for (int c = 0; c < kCols; ++c) Grid->SetCells(c, r, u"r" + IntToStr(r) + u"c" + IntToStr(c));
  }
  ~TGridHolder() { TComponent::Free(Form); }
  TGridHolder(const TGridHolder&) = delete;
  TGridHolder& operator=(const TGridHolder&) = delete;
};

struct TBenchOp {
  const char* Name;
  const char* Caption;
  void (*Step)(TExStringGrid* Grid);
};

const TBenchOp Ops[] = {
    {"doc", "SaveToDOC (table of every cell)", [](TExStringGrid* G) { G->SaveToDOC(OutFile(".docx")); }},
    {"xls", "SaveToXLS (same cells, for scale)", [](TExStringGrid* G) { G->SaveToXLS(OutFile(".xlsx")); }},
};

std::string Name(const char* Op, int Rows) { return std::string(Op) + "/" + std::to_string(Rows); }

class TCollector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::vector<double>> Times;
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& R : Runs)
      if (R.run_type == Run::RT_Iteration && !R.error_occurred)
        Times[R.run_name.function_name].push_back(R.real_accumulated_time / static_cast<double>(R.iterations));
    ConsoleReporter::ReportRuns(Runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> Sizes{5000, 10000, 20000};
  std::vector<char*> Args{argv[0]};
  static char Reps[] = "--benchmark_repetitions=3";
  Args.push_back(Reps);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--office_rows=", 14) == 0)
      Sizes = bench::ParseSizes(argv[i] + 14);
    else
      Args.push_back(argv[i]);
  }
  int ArgCount = static_cast<int>(Args.size());
  Args.push_back(nullptr);

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int QtArgc = 1;
  InitializeGuiLayer(QtArgc, argv);

  for (const TBenchOp& Op : Ops)
    for (int N : Sizes) {
      auto Step = Op.Step;
      benchmark::RegisterBenchmark(Name(Op.Name, N).c_str(),
                                   [Step, N](benchmark::State& S) {
                                     for (auto _ : S) {
                                       TGridHolder H(N);
                                       const auto t0 = std::chrono::steady_clock::now();
                                       Step(H.Grid);
                                       S.SetIterationTime(
                                           std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
                                     }
                                   })
          ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
    }

  benchmark::Initialize(&ArgCount, Args.data());
  TCollector Collector;
  benchmark::RunSpecifiedBenchmarks(&Collector);
  std::remove(StringToUtf8(OutFile(".docx")).c_str());
  std::remove(StringToUtf8(OutFile(".xlsx")).c_str());

  std::sort(Sizes.begin(), Sizes.end());
  std::printf("\nExports of rows x %d columns, ms (x: time / time at the previous size; medians)\n%-36s", kCols,
              "operation");
  for (int N : Sizes) std::printf(" %10d %6s", N, "x");
  std::printf("\n");
  for (const TBenchOp& Op : Ops) {
    std::printf("%-36s", Op.Caption);
    bench::PrintGrowthRow(Sizes, [&](int N) { return Collector.Times[Name(Op.Name, N)]; });
  }
  benchmark::Shutdown();
  FinalizeGuiLayer();
  return 0;
}
