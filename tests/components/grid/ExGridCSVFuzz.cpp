// Fuzz entry point of the delimited-text (CSV) reader: the input is the file, loaded from a stream
// with the delimiter guessed, inserted from the file below rows already there with ";" and the
// line-break escapes of the Java form, and loaded a few lines at a time without its first line.
// Whatever was read is written out again. Nothing may crash or hang; only the reader's own errors
// may be raised.
#include "ExGridIOFuzzUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".csv");
  for (int Mode = 0; Mode < 3; ++Mode) {
    TExStringGrid* G = GridIOFuzz::NewGrid(Mode == 0);
    try {
      if (Mode == 0) {
        TStringStream S(Bytes);
        G->LoadFromCSVStream(&S);
      } else if (Mode == 1) {
        G->SetDelimiter(u';');
        G->SetJavaCSV(true);
        G->SetRowCount(4);
        G->InsertFromCSV(Name);
      } else {
        G->SetLoadFirstRow(false);
        G->SetOemConvert(true);
        G->LoadFromCSV(Name, 2);
      }
      G->SaveToCSV(Name + u".out", Mode == 2);
    } catch (const Exception&) {
    }
    delete G;
  }
  return 0;
}
