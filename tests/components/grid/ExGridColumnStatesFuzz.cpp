// Fuzz entry point of the column-state string: the input (UTF-8) is applied to a grid of a few
// columns, one of them hidden, and the grid's states are turned into a string again. Nothing may
// crash or hang; only the conversion error of an entry that is not a number may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Value = Utf8ToString(std::string(reinterpret_cast<const char*>(Data), Size));
  TExStringGrid* G = GridIOFuzz::NewGrid(false);
  G->SetColCount(5);
  G->HideColumn(2);
  try {
    G->StringToColumnStates(Value);
    G->StringToColumnStates(G->ColumnStatesToString());
  } catch (const Exception&) {
  }
  delete G;
  return 0;
}
