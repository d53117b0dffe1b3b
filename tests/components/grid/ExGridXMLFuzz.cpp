// Fuzz entry point of the XML import: the input is the file, read record by record and level by
// level, with and without field names. Nothing may crash or hang; only the import's own errors may
// be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".xml");
  for (int Mode = 0; Mode < 4; ++Mode) {
    TExStringGrid* G = GridIOFuzz::NewGrid(Mode < 2);
    try {
      G->LoadFromXML(Name, Mode % 2 == 1, Mode == 0);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
