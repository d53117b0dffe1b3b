// Fuzz target of the readers of this folder: the same bytes go to the "ParGen.xml" reader (the
// dialog's values and the parameter record) and to the "EnOcean.xml" reader of the image builder,
// whose list is then serialised when it fits its bank.
#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/ParGenFile.h"
#include "comm/USaveBincc.h"
#include "enocean/UEnOcean_Catalog.h"
#include "tests/comm/CommTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto Catalog = Make_Test_Catalog();
  const std::string Bytes(reinterpret_cast<const char*>(data), size);
  try {
    TParGen_Reader R;
    R.Load_Bytes(Bytes);
    Read_ParGen_Values(R);
    TBank1_Params P;
    Init_Default_Parameters(P);
    Overlay_ParGen(P, R);
  } catch (const Exception&) {
  }
  try {
    const auto List = Read_EnOcean_XML_Bytes(EnOcean_Image_Base, Bytes, *Catalog);
    if (EnOcean_Image_Size(List) <= Bank_Buf_Size) {
      std::vector<Byte> Buf(Bank_Buf_Size);
      Write_EnOcean_Bank(List, 0, Buf);
    }
  } catch (const Exception&) {
  }
  return 0;
}
