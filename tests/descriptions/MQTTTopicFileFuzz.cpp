// Fuzz entry point of the "MQTT_Set_Topic.xml" reader. Any input either reads or raises the
// document model's error; what it reads writes back to a file that reads to the same rows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "descriptions/MQTTTopicFile.h"
#include "platform/xml/XMLDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TMQTT_Topic_Tables tables;
  try {
    tables = Read_MQTT_Topic_Bytes(bytes);
  } catch (const Exception&) {
    return 0;
  }
  // The kept rows write to the same bytes again once read back.
  const std::string written = MQTT_Topic_Bytes(tables);
  const TMQTT_Topic_Tables back = Read_MQTT_Topic_Bytes(written);
  if (static_cast<Integer>(back.Publish.size()) != MQTT_Topic_Row_Count(tables.Publish) ||
      static_cast<Integer>(back.Subscribe.size()) != MQTT_Topic_Row_Count(tables.Subscribe) ||
      MQTT_Topic_Bytes(back) != written) {
    std::abort();
  }
  return 0;
}
