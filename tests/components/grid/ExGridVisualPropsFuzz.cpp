// Fuzz entry point of the visual-properties reader: the input is the file, loaded into a grid and
// saved again. Nothing may crash or hang; only the reader's own errors (the file, a value that is
// not a number) may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".txt");
  TExStringGrid* G = GridIOFuzz::NewGrid(false);
  try {
    G->LoadVisualProps(Name);
    G->SaveVisualProps(Name + u".out");
  } catch (const Exception&) {
  }
  delete G;
  return 0;
}
