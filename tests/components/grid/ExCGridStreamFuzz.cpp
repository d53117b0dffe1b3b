// Fuzz entry point of the reader of the column grid's component stream: any input either raises
// one of the library's errors or reads, and what was read writes to bytes that read again and
// write to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/grid/ExCGridStream.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TStreamComponent C;
  try {
    TMemoryStream In;
    In.WriteBuffer(std::string_view(reinterpret_cast<const char*>(Data), Size));
    In.SetPosition(0);
    C = ReadComponentStream(&In);
  } catch (const Exception&) {
    return 0;
  }
  TMemoryStream First;
  WriteComponentStream(&First, C);
  First.SetPosition(0);
  const TStreamComponent Again = ReadComponentStream(&First);
  TMemoryStream Second;
  WriteComponentStream(&Second, Again);
  if (First.Bytes() != Second.Bytes()) std::abort();
  return 0;
}
