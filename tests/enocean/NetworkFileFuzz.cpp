// Fuzz entry point of the "EnOcean.xml" reader: any bytes either raise the document's error or read,
// with what could not be read reported; whatever was read gives the editor's lines, and written back
// it reads whole, as the same network, and writes the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "enocean/EnOceanFile.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TNetwork_File network;
  try {
    network = Read_Network_Bytes(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const Exception&) {
    return 0;
  }
  Network_Problems_Text(network.Problems);
  for (const auto& device : network.Devices) {
    Device_Line_Str(*device);
    for (const auto& eep : device->UnidirectionalList) {
      EEP_Node_Str(*eep);
      for (const auto& var : eep->VariableList) Variable_Node_Str(*var);
    }
  }
  const std::string written = Network_File_Bytes(network.Devices);
  const TNetwork_File again = Read_Network_Bytes(written);
  if (!again.Read_Whole() || again.Devices.size() != network.Devices.size()) std::abort();
  if (Network_File_Bytes(again.Devices) != written) std::abort();
  return 0;
}
