// Fuzz entry point of the fixed-width text reader: the input is the file, cut at a fixed set of
// character boundaries, trimmed and untrimmed, whole and a few lines at a time; what was read is
// written out again. Nothing may crash or hang; only the reader's own errors may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".txt");
  for (int Mode = 0; Mode < 2; ++Mode) {
    TExStringGrid* G = GridIOFuzz::NewGrid(Mode == 0);
    TIntList Positions(0, 0);
    for (Integer P : {12, 1, 5, 30, 31}) Positions.Add(P);
    try {
      G->LoadFromFixed(Name, &Positions, Mode == 0, Mode == 0 ? -1 : 3);
      G->SaveToFixed(Name + u".out", &Positions);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
