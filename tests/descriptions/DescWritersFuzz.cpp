// Fuzz entry point of the description writers. The same bytes are read as "ParGen.xml" by the
// GSD, GSDML and EDE readers and as "BACnet_Slave.xml" by the EDE export. Whatever a file holds,
// the writers must give an ASCII GSD, a well-formed GSDML file and EDE lines of exactly seven
// columns; any other outcome aborts.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "descriptions/EDEFile.h"
#include "descriptions/GSDFile.h"
#include "descriptions/GSDMLFile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/TempFolder.h"

namespace {

// The readers of "ParGen.xml" take a file name, so the input goes through a file in a folder of
// this process, removed when the process ends.
String Input_File(const std::string& Bytes) {
  static const TTempFolder folder("kp_descriptions_fuzz");
  std::ofstream out(folder.FsPath("input.xml"), std::ios::binary | std::ios::trunc);
  out << Bytes;
  out.close();
  return folder.File("input.xml");
}

void Check_GSD(const String& File) {
  TGSD_Param param;
  try {
    param = Read_GSD_Param(File);
  } catch (const Exception&) {
    return;
  }
  std::vector<String> lines;
  try {
    lines = Make_GSD_Lines(param.GSD_Input_Len, param.GSD_Output_Len);
  } catch (const EConvertError&) {
    return;  // counts that need more modules than a file can number
  }
  for (const String& line : lines) {
    for (Char c : line) {
      if (c < u' ' || c > u'~') std::abort();
    }
  }
}

void Check_GSDML(const String& File) {
  TProfinet_Param param;
  try {
    param = Read_Profinet_Param(File);
  } catch (const Exception&) {
    return;
  }
  // The parser of the document model lets some faults pass (a "<" inside an attribute value), so
  // the lines are checked as well: every line stands between "<" and ">" with as many of one as of
  // the other, and every "&" starts an entity the writer uses.
  static const String entities[] = {u"&amp;", u"&lt;", u"&gt;", u"&quot;",
                                    u"&apos;", u"&#9;", u"&#10;", u"&#13;"};
  String text;
  for (const String& line : Make_GSDML_Lines(param)) {
    const String tag = Trim(line);
    if (tag.empty() || tag.front() != u'<' || tag.back() != u'>') std::abort();
    Integer balance = 0;
    for (size_t i = 0; i < tag.size(); ++i) {
      if (tag[i] == u'<') ++balance;
      if (tag[i] == u'>') --balance;
      if (tag[i] == u'&') {
        bool known = false;
        for (const String& entity : entities) known = known || tag.compare(i, entity.size(), entity) == 0;
        if (!known) std::abort();
      }
    }
    if (balance != 0) std::abort();
    text += line + u"\r\n";
  }
  TXMLDocument doc;
  try {
    doc.LoadFromBytes(StringToUtf8(text));
  } catch (const Exception&) {
    std::abort();
  }
}

Integer Semicolons(const String& Line) {
  Integer count = 0;
  for (Char c : Line) {
    if (c == u';') ++count;
    if (c == u'\r' || c == u'\n') std::abort();
  }
  return count;
}

void Check_EDE_Lines(const String& Conf_Name, const TEDE_Object_List& Objects) {
  const std::vector<String> lines = Make_EDE_Lines(Conf_Name, u"00:00:00 01/01/2024", Objects);
  if (lines.size() != 7 + Objects.size()) std::abort();
  if (Semicolons(lines[0]) != 7) std::abort();
  for (size_t i = 7; i < lines.size(); ++i) {
    if (Semicolons(lines[i]) != 7) std::abort();
  }
}

void Check_EDE(const String& File, const std::string& Bytes) {
  // The device values of the file, written as the device instance, a name, a unit and the
  // configuration's name.
  TEDE_Device_Param device;
  try {
    device = Read_BACnet_Device_Param(File);
  } catch (const Exception&) {
  }
  TBACnet_Slave_Tables tables;
  TBACnet_Slave_Row row;
  row.Data_Type = u"Analog Input";
  row.Eng_Unit = device.EDE_Device_Instance;
  row.Mnemonic = device.EDE_Device_Instance;
  tables.In_Read.push_back(row);
  Check_EDE_Lines(device.EDE_Device_Instance, Make_EDE_Objects(tables, device).EDE_Object_List);

  // The same bytes as the object file.
  try {
    tables = Read_BACnet_Slave_Bytes(Bytes, TBACnet_Slave_Required::EDE_Columns);
  } catch (const Exception&) {
    return;
  }
  const TEDE_Objects objects = Make_EDE_Objects(tables, device);
  if (objects.EDE_Object_List.size() + objects.Skipped.size() !=
      tables.In_Read.size() + tables.In_Write.size()) {
    std::abort();
  }
  Check_EDE_Lines(u"Plant1", objects.EDE_Object_List);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const String file = Input_File(bytes);
  Check_GSD(file);
  Check_GSDML(file);
  Check_EDE(file, bytes);
  return 0;
}
