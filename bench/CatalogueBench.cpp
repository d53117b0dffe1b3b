// The EEP catalogue load against pugixml's bare parse of the same bytes: each in a fresh process
// (the whole process timed, and the load inside it), and warm (the same process loading again).
//
//   catalogue_bench            the figures, then the Google Benchmark table of the warm loads
//   catalogue_bench --child ours|pugixml memory|file FILE     one load in this process (used by the
//                              figures: prints the load's own time in nanoseconds)
//   catalogue_bench --write FILE   writes the generated catalogue (to profile a load of it)
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

#include "bench/BenchSupport.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/rtl/System.h"
#include "platform/xml/XMLDoc.h"

namespace {

std::string Read_All(const std::string& Path) {
  std::string Bytes;
  if (std::FILE* F = std::fopen(Path.c_str(), "rb")) {
    char Buffer[65536];
    size_t Got;
    while ((Got = std::fread(Buffer, 1, sizeof Buffer, F)) > 0) Bytes.append(Buffer, Got);
    std::fclose(F);
  }
  return Bytes;
}

size_t Load_Ours_Bytes(const std::string& Bytes) {
  TCatalog_EnOcean Cat;
  Cat.Read_Cat_EnOcean_Bytes(Bytes);
  return Cat.List_Rorg.size();
}

size_t Load_Ours_File(const std::string& Path) {
  TCatalog_EnOcean Cat;
  Cat.Read_Cat_EnOcean_XML(Utf8ToString(Path));
  return Cat.List_Rorg.size();
}

size_t Parse_Pugixml_Bytes(const std::string& Bytes) {
  pugi::xml_document Doc;
  return Doc.load_buffer(Bytes.data(), Bytes.size()) ? 1 : 0;
}

size_t Parse_Pugixml_File(const std::string& Path) {
  pugi::xml_document Doc;
  return Doc.load_file(Path.c_str()) ? 1 : 0;
}

int Child(const std::string& Who, const std::string& From, const std::string& Path) {
  const bool Ours = Who == "ours";
  std::string Bytes;
  if (From == "memory") Bytes = Read_All(Path);
  const int64_t T0 = bench::Now_Ns();
  size_t R;
  if (From == "memory") {
    R = Ours ? Load_Ours_Bytes(Bytes) : Parse_Pugixml_Bytes(Bytes);
  } else {
    R = Ours ? Load_Ours_File(Path) : Parse_Pugixml_File(Path);
  }
  const int64_t T1 = bench::Now_Ns();
  std::printf("%lld %zu\n", static_cast<long long>(T1 - T0), R);
  std::fflush(stdout);
  // Leave without tearing down: the peer leaves the same way, so both processes end alike.
  _exit(R ? 0 : 1);
}

std::string gBytes;
std::string gPath;

void BM_Catalogue_Ours_Memory(benchmark::State& S) {
  for (auto _ : S) benchmark::DoNotOptimize(Load_Ours_Bytes(gBytes));
  S.SetBytesProcessed(static_cast<int64_t>(S.iterations()) * static_cast<int64_t>(gBytes.size()));
}
// The document load alone (decoding, parse and checks), without reading the catalogue out of it.
void BM_Catalogue_Document_Memory(benchmark::State& S) {
  for (auto _ : S) {
    TXMLDocument Doc;
    Doc.LoadFromBytes(gBytes, 850);
    benchmark::DoNotOptimize(Doc.Active());
  }
}
void BM_Catalogue_Pugixml_Memory(benchmark::State& S) {
  for (auto _ : S) benchmark::DoNotOptimize(Parse_Pugixml_Bytes(gBytes));
  S.SetBytesProcessed(static_cast<int64_t>(S.iterations()) * static_cast<int64_t>(gBytes.size()));
}
void BM_Catalogue_Ours_File(benchmark::State& S) {
  for (auto _ : S) benchmark::DoNotOptimize(Load_Ours_File(gPath));
}
void BM_Catalogue_Pugixml_File(benchmark::State& S) {
  for (auto _ : S) benchmark::DoNotOptimize(Parse_Pugixml_File(gPath));
}
BENCHMARK(BM_Catalogue_Ours_Memory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogue_Document_Memory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogue_Pugixml_Memory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogue_Ours_File)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogue_Pugixml_File)->Unit(benchmark::kMillisecond);

// The fresh-process figures: the two programs in turn, A B A B, medians of each and of the pairwise
// ratios (so a drift of the machine's speed does not tilt the comparison).
void Fresh_Process(const std::string& From, int Runs) {
  const std::string Self = bench::Self_Path();
  std::vector<double> Ours_Wall, Peer_Wall, Ours_Load, Peer_Load, Wall_Ratio, Load_Ratio;
  for (int I = 0; I < Runs + 1; ++I) {
    const bench::TChildRun A = bench::Run_Child({Self, "--child", "ours", From, gPath});
    const bench::TChildRun B = bench::Run_Child({Self, "--child", "pugixml", From, gPath});
    if (I == 0) continue;  // warm-up: the page cache and the dynamic loader's caches
    const double A_Load = std::stod(A.Output) / 1e6, B_Load = std::stod(B.Output) / 1e6;
    Ours_Wall.push_back(static_cast<double>(A.Wall_Ns) / 1e6);
    Peer_Wall.push_back(static_cast<double>(B.Wall_Ns) / 1e6);
    Ours_Load.push_back(A_Load);
    Peer_Load.push_back(B_Load);
    Wall_Ratio.push_back(Ours_Wall.back() / Peer_Wall.back());
    Load_Ratio.push_back(A_Load / B_Load);
  }
  std::printf("fresh process, from %-6s  load: ours %7.2f ms  pugixml %7.2f ms  ratio %5.2fx   "
              "whole process: ours %7.2f ms  pugixml %7.2f ms  ratio %5.2fx\n",
              From.c_str(), bench::Median(Ours_Load), bench::Median(Peer_Load), bench::Median(Load_Ratio),
              bench::Median(Ours_Wall), bench::Median(Peer_Wall), bench::Median(Wall_Ratio));
}

// The warm figure: both loads in this process, in turn, after a warm-up. The load is timed, not
// the release of what it made (the catalogue lives until the program ends).
void Warm(int Runs) {
  std::vector<double> Ours, Peer, Ratio;
  for (int I = 0; I < Runs + 3; ++I) {
    auto Cat = std::make_unique<TCatalog_EnOcean>();
    auto Doc = std::make_unique<pugi::xml_document>();
    const int64_t T0 = bench::Now_Ns();
    Cat->Read_Cat_EnOcean_Bytes(gBytes);
    const int64_t T1 = bench::Now_Ns();
    Doc->load_buffer(gBytes.data(), gBytes.size());
    const int64_t T2 = bench::Now_Ns();
    Cat.reset();
    Doc.reset();
    if (I < 3) continue;
    Ours.push_back(static_cast<double>(T1 - T0) / 1e6);
    Peer.push_back(static_cast<double>(T2 - T1) / 1e6);
    Ratio.push_back(Ours.back() / Peer.back());
  }
  std::printf("warm,          from memory  load: ours %7.2f ms  pugixml %7.2f ms  ratio %5.2fx\n",
              bench::Median(Ours), bench::Median(Peer), bench::Median(Ratio));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--child") == 0) return Child(argv[2], argv[3], argv[4]);
  if (argc == 3 && std::strcmp(argv[1], "--write") == 0) return bench::Write_File(argv[2], bench::Make_Catalogue_Bytes()) ? 0 : 1;

  gBytes = bench::Make_Catalogue_Bytes();
  char Dir[] = "/tmp/kp_catalogue_benchXXXXXX";
  if (!mkdtemp(Dir)) return 1;
  gPath = std::string(Dir) + "/eep.xml";
  if (!bench::Write_File(gPath, gBytes)) return 1;
  {
    TCatalog_EnOcean Cat;
    Cat.Read_Cat_EnOcean_Bytes(gBytes);
    size_t Funcs = 0, Types = 0, Cases = 0, Fields = 0;
    for (auto& R : Cat.List_Rorg)
      for (auto& F : R->List_Func) {
        ++Funcs;
        for (auto& T : F->List_Type) {
          ++Types;
          for (auto& C : T->List_Case) {
            ++Cases;
            Fields += C->List_DataField.size();
          }
        }
      }
    std::printf("catalogue: %zu bytes, code page 850, %zu RORG, %zu FUNC, %zu TYPE, %zu cases, %zu data fields\n",
                gBytes.size(), Cat.List_Rorg.size(), Funcs, Types, Cases, Fields);
  }
  Fresh_Process("memory", 15);
  Fresh_Process("file", 15);
  Warm(30);
  std::fflush(stdout);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  unlink(gPath.c_str());
  rmdir(Dir);
  return 0;
}
