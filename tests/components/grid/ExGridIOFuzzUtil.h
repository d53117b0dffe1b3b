// Shared set-up of the grid readers' fuzz entry points: the window system's application object
// (the grid is a control) and a fresh grid for each input, with the input written to a scratch file
// for the readers that take a file name.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "tests/TempFolder.h"

namespace GridIOFuzz {

inline void StartGuiLayer() {
  static bool Started = false;
  if (Started) return;
  Started = true;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "exgrid_io_fuzz";
  static char* Argv[] = {Name, nullptr};
  InitializeGuiLayer(Argc, Argv);
}

// The input as a file of its own; the path as the grid's text.
inline String ScratchFile(const uint8_t* Data, size_t Size, const char* Extension) {
  static const TTempFolder Folder("exgrid_io_fuzz");
  const std::filesystem::path P = Folder.FsPath(std::string("input") + Extension);
  std::ofstream Out(P, std::ios::binary | std::ios::trunc);
  Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  return Utf8ToString(P.string());
}

// A grid of the usual shape for one input; freed by the caller.
inline TExStringGrid* NewGrid(bool SaveFixedCells) {
  auto* G = new TExStringGrid(nullptr);
  G->SetSaveFixedCells(SaveFixedCells);
  return G;
}

}  // namespace GridIOFuzz
