// Fuzz entry point of the "EnOcean.xml" reader: any bytes read without a crash, and whatever was
// read gives the editor's lines and is released.
#include <cstddef>
#include <cstdint>
#include <string>

#include "enocean/EnOceanFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TDevice_EnOcean_List network;
  Load_Configuration_Bytes(network, std::string(reinterpret_cast<const char*>(data), size));
  for (const auto& device : network) {
    Device_Line_Str(*device);
    for (const auto& eep : device->UnidirectionalList) {
      EEP_Node_Str(*eep);
      for (const auto& var : eep->VariableList) Variable_Node_Str(*var);
    }
  }
  Cancel_Devices_List(network);
  return 0;
}
