// Fuzz entry point of the print-settings reader: the input is the INI file, its section "Print"
// loaded into a grid's print settings and saved again. Nothing may crash or hang; only the file's
// own errors may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".ini");
  TExStringGrid* G = GridIOFuzz::NewGrid(false);
  try {
    G->LoadPrintSettings(Name, u"Print");
    G->SavePrintSettings(Name, u"Print");
  } catch (const Exception&) {
  }
  delete G;
  return 0;
}
