#include "bench/BenchSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/rtl/CodePages.h"

extern char** environ;

namespace bench {

namespace {

// Titles with letters outside ASCII, as the published catalogue has (degrees, umlauts, accents).
const char* const kWords[] = {"Température", "Humidité", "Größe", "Gerät", "Schalter", "Fühler",
                              "Lüftung", "Wärmezähler", "Débit", "Présence", "Luftqualität",
                              "Zählerstand", "Sécurité", "Stellantrieb", "Beleuchtung", "Fenstergriff"};
const char* const kUnits[] = {"°C", "%", "lx", "µg/m³", "W", "kWh", "m³/h", "ppm"};

std::string Hex2(int N) {
  char b[8];
  std::snprintf(b, sizeof b, "0x%02X", N);
  return b;
}

void Line(std::string& Out, int Depth, const std::string& Text) {
  Out.append(static_cast<size_t>(Depth) * 2, ' ');
  Out += Text;
  Out += "\r\n";
}

void Leaf(std::string& Out, int Depth, const char* Name, const std::string& Value) {
  Line(Out, Depth, std::string("<") + Name + ">" + Value + "</" + Name + ">");
}

// One data field: about 800 bytes on average, as in the published file.
void Data_Field(std::string& Out, int Depth, int N, int Offs, int Size) {
  const std::string Word = kWords[N % 16];
  Line(Out, Depth, "<datafield>");
  if (N % 29 == 7) {
    Line(Out, Depth + 1, "<reserved />");
    Leaf(Out, Depth + 1, "bitoffs", std::to_string(Offs));
    Leaf(Out, Depth + 1, "bitsize", std::to_string(Size));
    Line(Out, Depth, "</datafield>");
    return;
  }
  Leaf(Out, Depth + 1, "data", Word + " " + std::to_string(N % 7));
  Leaf(Out, Depth + 1, "shortcut", "S" + std::to_string(N % 97));
  Leaf(Out, Depth + 1, "description", Word + " (" + kUnits[N % 8] + "), linear, gemessen über den Bereich");
  Leaf(Out, Depth + 1, "info", "Wert " + std::to_string(N));
  Leaf(Out, Depth + 1, "bitoffs", std::to_string(Offs));
  Leaf(Out, Depth + 1, "bitsize", std::to_string(Size));
  if (N % 2 == 0) {
    Line(Out, Depth + 1, "<enum>");
    for (int I = 0; I < 5; ++I) {
      Line(Out, Depth + 2, "<item>");
      Leaf(Out, Depth + 3, "value", std::to_string(I));
      Leaf(Out, Depth + 3, "description", std::string(kWords[(N + I) % 16]) + " Zustand " + std::to_string(I));
      Line(Out, Depth + 2, "</item>");
    }
    Line(Out, Depth + 1, "</enum>");
  } else {
    Line(Out, Depth + 1, "<range>");
    Leaf(Out, Depth + 2, "min", "0");
    Leaf(Out, Depth + 2, "max", std::to_string((1 << std::min(Size, 16)) - 1));
    Line(Out, Depth + 1, "</range>");
    Line(Out, Depth + 1, "<scale>");
    Leaf(Out, Depth + 2, "min", "-40.0");
    Leaf(Out, Depth + 2, "max", "+60.0");
    Line(Out, Depth + 1, "</scale>");
    Leaf(Out, Depth + 1, "unit", kUnits[N % 8]);
  }
  Line(Out, Depth, "</datafield>");
}

}  // namespace

std::string Make_Catalogue_Bytes() {
  // FUNCs per RORG, then TYPEs per FUNC and cases per TYPE spread so that the totals are those of the
  // published catalogue: 39 FUNC, 213 TYPE, 244 cases.
  const int Rorgs[4] = {0xF6, 0xD5, 0xA5, 0xD2};
  const int Funcs[4] = {4, 1, 20, 14};
  std::string Out;
  Out.reserve(1700000);
  Line(Out, 0, "<!-- EEP catalogue made by the benchmarks: the shape of the published one -->");
  Line(Out, 0, "<eep>");
  Line(Out, 1, "<profile>");
  int Func_Count = 0, Type_Count = 0, Case_Count = 0, Field = 0;
  for (int R = 0; R < 4; ++R) {
    Line(Out, 2, "<rorg>");
    Leaf(Out, 3, "number", Hex2(Rorgs[R]));
    Leaf(Out, 3, "title", std::string(kWords[R]) + " Telegramm");
    for (int F = 0; F < Funcs[R]; ++F, ++Func_Count) {
      Line(Out, 3, "<func>");
      Leaf(Out, 4, "number", Hex2(F + 1));
      Leaf(Out, 4, "title", std::string(kWords[(Func_Count + 3) % 16]) + " und " + kWords[Func_Count % 16]);
      const int Types = Func_Count < 18 ? 6 : 5;
      for (int T = 0; T < Types; ++T, ++Type_Count) {
        Line(Out, 4, "<type>");
        Leaf(Out, 5, "number", Hex2(T + 1));
        Leaf(Out, 5, "title", std::string(kWords[Type_Count % 16]) + ", Bereich " + std::to_string(T) + " °C");
        const int Cases = Type_Count < 31 ? 2 : 1;
        for (int C = 0; C < Cases; ++C, ++Case_Count) {
          Line(Out, 5, "<case>");
          Leaf(Out, 6, "title", "Fall " + std::to_string(C + 1) + ": " + kWords[Case_Count % 16]);
          const int Fields = 7 + (Case_Count % 8 < 3 ? 1 : 0);
          int Offs = 0;
          for (int D = 0; D < Fields; ++D, ++Field) {
            const int Size = 1 + (Field % 8);
            Data_Field(Out, 6, Field, Offs, Size);
            Offs += Size;
          }
          if (Rorgs[R] == 0xF6) {
            Line(Out, 6, "<condition>");
            Line(Out, 7, "<statusfield>");
            Leaf(Out, 8, "value", "1");
            Leaf(Out, 8, "bitoffs", std::to_string(2 + C));
            Leaf(Out, 8, "bitsize", "1");
            Line(Out, 7, "</statusfield>");
            Line(Out, 6, "</condition>");
          } else if (Rorgs[R] == 0xD2) {
            Line(Out, 6, "<condition>");
            Line(Out, 7, "<datafield>");
            Leaf(Out, 8, "value", std::to_string(C));
            Leaf(Out, 8, "bitoffs", "4");
            Leaf(Out, 8, "bitsize", "4");
            Line(Out, 7, "</datafield>");
            Line(Out, 6, "</condition>");
          }
          Line(Out, 5, "</case>");
        }
        Line(Out, 4, "</type>");
      }
      Line(Out, 3, "</func>");
    }
    Line(Out, 2, "</rorg>");
  }
  Line(Out, 1, "</profile>");
  Line(Out, 0, "</eep>");
  return StringToAnsi(Utf8ToString(Out), 850);
}

bool Write_File(const std::string& Path, const std::string& Bytes) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  return static_cast<bool>(Out);
}

int64_t Now_Ns() {
  timespec T;
  clock_gettime(CLOCK_MONOTONIC, &T);
  return static_cast<int64_t>(T.tv_sec) * 1000000000 + T.tv_nsec;
}

TChildRun Run_Child(const std::vector<std::string>& Args) {
  TChildRun Run;
  int Pipe[2];
  if (pipe(Pipe) != 0) return Run;
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
  posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
  std::vector<char*> Argv;
  for (const std::string& A : Args) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  pid_t Pid = 0;
  Run.Start_Ns = Now_Ns();
  const int Err = posix_spawn(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  close(Pipe[1]);
  if (Err != 0) {
    close(Pipe[0]);
    return Run;
  }
  char Buffer[4096];
  ssize_t Got;
  while ((Got = read(Pipe[0], Buffer, sizeof Buffer)) > 0) Run.Output.append(Buffer, static_cast<size_t>(Got));
  close(Pipe[0]);
  int Status = 0;
  waitpid(Pid, &Status, 0);
  Run.Wall_Ns = Now_Ns() - Run.Start_Ns;
  Run.Exit_Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return Run;
}

std::string Self_Path() {
  char Buffer[4096];
  const ssize_t N = readlink("/proc/self/exe", Buffer, sizeof Buffer - 1);
  return N > 0 ? std::string(Buffer, static_cast<size_t>(N)) : std::string();
}

int64_t Resident_Kb() {
  std::ifstream In("/proc/self/status");
  std::string Line_;
  while (std::getline(In, Line_)) {
    if (Line_.rfind("VmRSS:", 0) == 0) return std::stoll(Line_.substr(6));
  }
  return 0;
}

double Median(std::vector<double> Values) {
  if (Values.empty()) return 0;
  std::sort(Values.begin(), Values.end());
  const size_t N = Values.size();
  return N % 2 ? Values[N / 2] : (Values[N / 2 - 1] + Values[N / 2]) / 2;
}

std::vector<int> ParseSizes(const char* Text) {
  std::vector<int> Sizes;
  while (*Text) {
    char* End = nullptr;
    const long N = std::strtol(Text, &End, 10);
    if (End == Text) break;
    if (N > 0) Sizes.push_back(static_cast<int>(N));
    Text = *End == ',' ? End + 1 : End;
  }
  return Sizes;
}

void PrintGrowthRow(const std::vector<int>& Sizes, const std::function<std::vector<double>(int)>& TimesAt) {
  double Prev = 0;
  for (int N : Sizes) {
    const double T = Median(TimesAt(N)) * 1000;
    if (Prev > 0)
      std::printf(" %10.2f %6.1f", T, T / Prev);
    else
      std::printf(" %10.2f %6s", T, "");
    Prev = T;
  }
  std::printf("\n");
}

}  // namespace bench
