// Fuzz entry point of the "BACnet_Slave.xml" reader. Any input either reads or raises the
// document model's error; what it reads writes back to a file that reads to the same rows, less the
// characters XML cannot carry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "descriptions/BACnetSlaveFile.h"
#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"

namespace {

bool Same_Rows(const std::vector<TBACnet_Slave_Row>& A, const std::vector<TBACnet_Slave_Row>& B,
               Integer Count) {
  if (static_cast<Integer>(B.size()) != Count) return false;
  for (Integer i = 0; i < Count; ++i) {
    const TBACnet_Slave_Row& a = A[static_cast<size_t>(i)];
    const TBACnet_Slave_Row& b = B[static_cast<size_t>(i)];
    if (XmlCharsOnly(a.Data_Type) != b.Data_Type || XmlCharsOnly(a.Eng_Unit) != b.Eng_Unit ||
        XmlCharsOnly(a.Position) != b.Position || XmlCharsOnly(a.Bit) != b.Bit ||
        XmlCharsOnly(a.Length) != b.Length || XmlCharsOnly(a.Swap) != b.Swap ||
        XmlCharsOnly(a.Mnemonic) != b.Mnemonic) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TBACnet_Slave_Tables tables;
  try {
    tables = Read_BACnet_Slave_Bytes(bytes);
  } catch (const Exception&) {
    return 0;
  }
  const TBACnet_Slave_Tables back = Read_BACnet_Slave_Bytes(BACnet_Slave_Bytes(tables));
  if (!Same_Rows(tables.In_Read, back.In_Read, BACnet_Slave_Row_Count(tables.In_Read)) ||
      !Same_Rows(tables.In_Write, back.In_Write, BACnet_Slave_Row_Count(tables.In_Write))) {
    std::abort();
  }
  return 0;
}
