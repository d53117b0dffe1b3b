// Fuzz entry point of the binary cell stream reader: the input is read as a stream into a grid at
// the origin and at a point inside it. Nothing may crash or hang; only the stream's own errors
// (read and conversion errors, broken pictures) may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  for (const TPoint P : {TPoint(0, 0), TPoint(2, 3)}) {
    TExStringGrid* G = GridIOFuzz::NewGrid(true);
    try {
      TStringStream S(Bytes);
      if (P.X == 0)
        G->LoadFromBinStream(&S);
      else
        G->LoadAtPointFromBinStream(P, &S);
      // A grid that took the stream writes it out again.
      TMemoryStream Out;
      G->SaveToBinStream(&Out);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
