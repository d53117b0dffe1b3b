// Fuzz entry point of the grid text file reader: the input is the file, read with and without the
// fixed cells and multi-line cells. Nothing may crash or hang; only the file's own errors may be
// raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".txt");
  for (int Mode = 0; Mode < 2; ++Mode) {
    TExStringGrid* G = GridIOFuzz::NewGrid(Mode == 0);
    G->SetMultilinecells(Mode == 1);
    try {
      G->LoadFromFile(Name);
      G->SaveToFile(Name + u".out", Mode == 1);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
