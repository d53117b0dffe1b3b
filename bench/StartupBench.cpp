// The configurator's start: the time from starting the program to the first paint of its main window
// (offscreen, a fresh process each time), the memory of the idle program after start, and the time
// from asking a main-road dialog to show to its first paint.
//
//   startup_bench                                 the figures, with the shipped catalogue and with a
//                                                 1.5 MB one of the published shape
//   startup_bench --child FOLDER [dialogs]        one start of the program with FOLDER as its program
//                                                 folder (used by the figures)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "bench/BenchSupport.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "enocean/UEnOcean_Variable.h"
#include "main/ProgramForms.h"
#include "main/ULumitoreFirmWare.h"
#include "platform/gui/Forms.h"
#include "platform/qt/bench/BenchHooks.h"
#include "platform/rtl/SysUtils.h"

namespace fs = std::filesystem;

namespace {

// The main-road dialogs, in the order a user meets them.
struct TDialog {
  const char* Name;
  TCustomForm* (*Form)();
};
const TDialog kDialogs[] = {
    {"New configuration", [] { return static_cast<TCustomForm*>(FNew_Project); }},
    {"Open configuration", [] { return static_cast<TCustomForm*>(FOpenConf); }},
    {"Set Communication", [] { return static_cast<TCustomForm*>(FParGen); }},
    {"EnOcean network", [] { return static_cast<TCustomForm*>(FEnOcean_SetAccess2); }},
    {"EnOcean device", [] { return static_cast<TCustomForm*>(FEnOcean_Device); }},
    {"EnOcean variable", [] { return static_cast<TCustomForm*>(FEnOcean_Variable); }},
    {"Update device", [] { return static_cast<TCustomForm*>(FBoot); }},
    {"Options", [] { return static_cast<TCustomForm*>(FSoftOptions); }},
    {"About", [] { return static_cast<TCustomForm*>(FAbout); }},
};

// Shows every dialog modally, twice, and prints the time from the call to its first paint; the
// dialog is cancelled as soon as it stands.
void Open_Dialogs() {
  Conf_Name = u"Bench";
  Path_Conf = Path_Join(Path_Projects, Conf_Name);
  Set_Files();
  for (int Round = 0; Round < 2; ++Round) {
    for (const TDialog& D : kDialogs) {
      TCustomForm* Form = D.Form();
      if (!Form) continue;
      if (Form == FBoot) FBoot->Form_Type = Boot_Form_Ethernet;
      const int64_t T0 = bench::Now_Ns();
      int64_t T1 = 0;
      BenchHooks::After_First_Paint(Form, [Form, &T1] {
        T1 = bench::Now_Ns();
        Form->SetModalResult(mrCancel);
      });
      Form->ShowModal();
      std::printf("dialog%d %s|%.3f\n", Round, D.Name, static_cast<double>(T1 - T0) / 1e6);
      std::fflush(stdout);
    }
  }
}

int Child(int argc, char** argv) {
  // A dialog that waits for an answer nobody gives would hang the figures.
  alarm(120);
  const bool Dialogs = argc > 3 && std::strcmp(argv[3], "dialogs") == 0;
  SetProgramFolder(Utf8ToString(argv[2]));
  int Qt_Argc = 1;
  InitializeGuiLayer(Qt_Argc, argv);
  Application->Initialize();
  std::printf("app %lld\n", static_cast<long long>(bench::Now_Ns()));
  Application->SetMainFormOnTaskbar(true);
  Create_Program_Forms();
  std::printf("forms %lld\n", static_cast<long long>(bench::Now_Ns()));
  BenchHooks::After_First_Paint(FLumitoreFirmWare, [Dialogs] {
    std::printf("paint %lld\n", static_cast<long long>(bench::Now_Ns()));
    std::fflush(stdout);
    // The idle program: what it holds once it has stood for a while.
    BenchHooks::After(500, [Dialogs] {
      std::printf("rss %lld\n", static_cast<long long>(bench::Resident_Kb()));
      std::fflush(stdout);
      if (Dialogs) Open_Dialogs();
      std::fflush(stdout);
      _exit(0);
    });
  });
  Application->Run();
  return 1;
}

// A program folder holding the catalogue, with one configuration for the dialogs.
std::string Make_Folder(const std::string& Root, const std::string& Name, const std::string& Catalogue) {
  const fs::path Dir = fs::path(Root) / Name;
  fs::create_directories(Dir / "CAT_EnOcean");
  fs::create_directories(Dir / "PROJECTS" / "Bench" / "bin");
  bench::Write_File((Dir / "CAT_EnOcean" / "eep.xml").string(), Catalogue);
  return Dir.string();
}

struct TStart {
  double App_Ms = 0;    // to the application object
  double Forms_Ms = 0;  // to every form created
  double Paint_Ms = 0;
  double Rss_Mb = 0;
  std::map<std::string, double> Dialog_Ms;
};

TStart Start(const std::string& Folder, bool Dialogs) {
  std::vector<std::string> Args = {bench::Self_Path(), "--child", Folder};
  if (Dialogs) Args.push_back("dialogs");
  const bench::TChildRun Run = bench::Run_Child(Args);
  TStart S;
  size_t P = 0;
  while (P < Run.Output.size()) {
    size_t E = Run.Output.find('\n', P);
    if (E == std::string::npos) E = Run.Output.size();
    const std::string Line = Run.Output.substr(P, E - P);
    P = E + 1;
    if (Line.rfind("app ", 0) == 0) {
      S.App_Ms = static_cast<double>(std::stoll(Line.substr(4)) - Run.Start_Ns) / 1e6;
    } else if (Line.rfind("forms ", 0) == 0) {
      S.Forms_Ms = static_cast<double>(std::stoll(Line.substr(6)) - Run.Start_Ns) / 1e6;
    } else if (Line.rfind("paint ", 0) == 0) {
      S.Paint_Ms = static_cast<double>(std::stoll(Line.substr(6)) - Run.Start_Ns) / 1e6;
    } else if (Line.rfind("rss ", 0) == 0) {
      S.Rss_Mb = static_cast<double>(std::stoll(Line.substr(4))) / 1024;
    } else if (Line.rfind("dialog", 0) == 0) {
      const size_t Bar = Line.find('|');
      S.Dialog_Ms[Line.substr(0, Bar)] = std::stod(Line.substr(Bar + 1));
    }
  }
  return S;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return Child(argc, argv);

  char Root[] = "/tmp/kp_startup_benchXXXXXX";
  if (!mkdtemp(Root)) return 1;
  std::string Shipped_Bytes;
  {
    std::FILE* F = std::fopen(KP_SOURCE_DIR "/data/eep.xml", "rb");
    if (!F) return 1;
    char Buffer[65536];
    size_t Got;
    while ((Got = std::fread(Buffer, 1, sizeof Buffer, F)) > 0) Shipped_Bytes.append(Buffer, Got);
    std::fclose(F);
  }
  const std::string Large_Bytes = bench::Make_Catalogue_Bytes();
  const std::string Folders[2] = {Make_Folder(Root, "shipped", Shipped_Bytes), Make_Folder(Root, "large", Large_Bytes)};
  const char* const Names[2] = {"shipped catalogue", "1.5 MB catalogue"};

  // The two catalogues in turn, after one warm-up start of each.
  const int Runs = 9;
  std::vector<double> App[2], Forms[2], Paint[2], Rss[2];
  for (int I = 0; I < Runs + 1; ++I) {
    for (int C = 0; C < 2; ++C) {
      const TStart S = Start(Folders[C], false);
      if (I == 0) continue;
      App[C].push_back(S.App_Ms);
      Forms[C].push_back(S.Forms_Ms);
      Paint[C].push_back(S.Paint_Ms);
      Rss[C].push_back(S.Rss_Mb);
    }
  }
  for (int C = 0; C < 2; ++C) {
    std::printf("%-18s start to first paint: median %7.1f ms (min %7.1f; application object %6.1f, forms "
                "created %6.1f)   idle memory: median %6.1f MB\n",
                Names[C], bench::Median(Paint[C]), *std::min_element(Paint[C].begin(), Paint[C].end()),
                bench::Median(App[C]), bench::Median(Forms[C]), bench::Median(Rss[C]));
  }

  // The dialogs, with the 1.5 MB catalogue (the lists of the network dialogs are filled from it).
  std::map<std::string, std::vector<double>> Dialog;
  for (int I = 0; I < 5; ++I) {
    const TStart S = Start(Folders[1], true);
    for (const auto& [Name, Ms] : S.Dialog_Ms) Dialog[Name].push_back(Ms);
  }
  for (const TDialog& D : kDialogs) {
    std::printf("dialog %-20s show to first paint: first %7.1f ms, again %7.1f ms (medians)\n", D.Name,
                bench::Median(Dialog[std::string("dialog0 ") + D.Name]),
                bench::Median(Dialog[std::string("dialog1 ") + D.Name]));
  }
  fs::remove_all(Root);
  return 0;
}
