// Fuzz entry point of the grid text stream reader: the input is the stream, read into a grid with
// and without the fixed cells and multi-line cells, and written out again. Nothing may crash or
// hang; only the stream's own errors may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  for (int Mode = 0; Mode < 2; ++Mode) {
    TExStringGrid* G = GridIOFuzz::NewGrid(Mode == 0);
    G->SetMultilinecells(Mode == 1);
    try {
      TStringStream S(Bytes);
      G->LoadFromStream(&S);
      TMemoryStream Out;
      G->SaveToStream(&Out);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
