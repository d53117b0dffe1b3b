// Every file the program writes, and the inputs of the writers that read before they write, met
// the way a full disk or a wrong name meets them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "app/SettingsFile.h"
#include "comm/LanUploaderFile.h"
#include "comm/ParGenFile.h"
#include "comm/USaveBincc.h"
#include "descriptions/BACnetSlaveFile.h"
#include "descriptions/EDEFile.h"
#include "descriptions/GSDFile.h"
#include "descriptions/GSDMLFile.h"
#include "descriptions/MQTTTopicFile.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Catalog.h"
#include "tests/descriptions/DescTestFiles.h"
#include "tests/platform/rtl/FileSizeLimit.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"

using desc_test::Read_Bytes;
using desc_test::TScratch;
using desc_test::Write_Bytes;

namespace {

// The names in a folder, the folders below it included, relative to it.
std::set<std::string> Entries(const String& Folder) {
  std::set<std::string> names;
  const std::filesystem::path root(StringToUtf8(Folder));
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    names.insert(std::filesystem::relative(e.path(), root).string());
  return names;
}

// Every writer of the program, on a disk that takes no more than a few bytes: the write is
// reported (an error, or False where the writer answers so), an old file keeps its content, and a
// file that was not there before is not left behind, empty or cut short.
TEST(FilesOfTheProgram, AWriteThatFailsLeavesTheOldFileOrNoFile) {
  struct Writer {
    const char* name;
    std::vector<std::string> files;  // what it writes, relative to the folder
    // Writes into the folder; true when the writer reported its failure.
    std::function<bool(const String& Folder)> write;
  };
  auto raises = [](const std::function<void()>& f) {
    try {
      f();
    } catch (const std::exception&) {
      return true;
    }
    return false;
  };
  auto in = [](const String& Folder, const char16_t* Name) { return Folder + u"/" + Name; };
  const Writer writers[] = {
      {"settings", {"Lumitor.xml"},
       [&](const String& F) { return raises([&] { Write_Settings_File(in(F, u"Lumitor.xml"), TSettings()); }); }},
      {"communication parameters", {"ParGen.xml"},
       [&](const String& F) {
         return raises([&] { Write_ParGen_File(in(F, u"ParGen.xml"), Default_ParGen_Values()); });
       }},
      {"network", {"EnOcean.xml"},
       [&](const String& F) { return !Save_Configuration(TDevice_EnOcean_List(), in(F, u"EnOcean.xml")); }},
      {"topic tables", {"MQTT_Set_Topic.xml"},
       [&](const String& F) {
         return raises([&] { Write_MQTT_Topic_File(in(F, u"MQTT_Set_Topic.xml"), TMQTT_Topic_Tables()); });
       }},
      {"object tables", {"BACnet_Slave.xml"},
       [&](const String& F) {
         return raises([&] { Write_BACnet_Slave_File(in(F, u"BACnet_Slave.xml"), TBACnet_Slave_Tables()); });
       }},
      {"update tool's parameters", {"Lan_Uploader.xml"},
       [&](const String& F) { return raises([&] { Write_Lan_Uploader_File(F, TLan_Uploader_Params()); }); }},
      {"bank files", {"bin/bank1.bin", "bin/bank2.bin"},
       [&](const String& F) {
         TSaveBincc builder;
         builder.Create_Bin(in(F, u"none.xml"), in(F, u"none.xml"), TCatalog_EnOcean());
         return raises([&] { builder.Save_Bin(F); });
       }},
      {"GSD", {"Device.gsd"}, [&](const String& F) { return raises([&] { Write_GSD_File(in(F, u"Device.gsd"), 8, 8); }); }},
      {"GSDML", {"Device.xml"},
       [&](const String& F) { return raises([&] { Write_GSDML_File(in(F, u"Device.xml"), TProfinet_Param()); }); }},
      {"EDE", {"objects.csv"},
       [&](const String& F) {
         return raises([&] {
           Create_EDE_File(in(F, u"objects.csv"), TEDE_Sources{in(F, u"none.xml"), in(F, u"none.xml"), u"P", 0});
         });
       }},
  };
  for (const Writer& writer : writers) {
    for (const bool existed : {true, false}) {
      SCOPED_TRACE(std::string(writer.name) + (existed ? ", over old files" : ", new files"));
      TScratch dir;
      const String folder = dir.Path("conf");
      std::filesystem::create_directories(StringToUtf8(folder) + "/bin");
      if (existed) {
        for (const std::string& file : writer.files) Write_Bytes(Utf8ToString(StringToUtf8(folder) + "/" + file), "old");
      }
      const std::set<std::string> before = Entries(folder);
      bool reported = false;
      {
        TFileSizeLimit limit(2);
        reported = writer.write(folder);
      }
      EXPECT_TRUE(reported);
      EXPECT_EQ(Entries(folder), before);
      if (existed) {
        for (const std::string& file : writer.files)
          EXPECT_EQ(Read_Bytes(Utf8ToString(StringToUtf8(folder) + "/" + file)), "old") << file;
      }
    }
  }
}

// The writers that read the configuration's files first: something that is no file, or a file far
// too large, at an input's name is no missing file. The export fails with the message that names
// the input, at once, and its target is neither written nor touched.
TEST(FilesOfTheProgram, AnExportWhoseInputIsNoFileFailsAndWritesNothing) {
  struct Input {
    const char* name;
    const char16_t* file;
    Int64 bound;
  };
  const Input inputs[] = {{"parameters", u"ParGen.xml", Max_ParGen_File_Size},
                          {"objects", u"BACnet_Slave.xml", Max_BACnet_Slave_File_Size}};
  struct Export {
    const char* name;
    bool reads_objects;
    std::function<void(const String& Folder, const String& Target)> write;
  };
  auto in = [](const String& Folder, const char16_t* Name) { return Folder + u"/" + Name; };
  const Export exports[] = {
      {"EDE", true,
       [&](const String& F, const String& Target) {
         Create_EDE_File(Target, TEDE_Sources{in(F, u"ParGen.xml"), in(F, u"BACnet_Slave.xml"), u"P", 0});
       }},
      {"GSD", false,
       [&](const String& F, const String& Target) {
         ASSERT_EQ(Check_GSD_ParGen(in(F, u"ParGen.xml")), 0);
         const TGSD_Param param = Read_GSD_Param(in(F, u"ParGen.xml"));
         Write_GSD_File(Target, param.GSD_Input_Len, param.GSD_Output_Len);
       }},
      {"GSDML", false,
       [&](const String& F, const String& Target) {
         Save_GSDML_File(Target, ExtractFileName(Target), in(F, u"ParGen.xml"),
                         [](Integer) { return TOverwrite_Answer::Yes; });
       }},
  };
  const TWatchdog watchdog;
  for (const Export& e : exports) {
    for (const Input& input : inputs) {
      if (!e.reads_objects && input.file != inputs[0].file) continue;
      for (const TNot_A_File_Case& c : Not_A_File_Cases) {
        SCOPED_TRACE(std::string(e.name) + ", " + input.name + " " + c.Name);
        TScratch dir;
        const String folder = dir.Path("conf");
        std::filesystem::create_directories(StringToUtf8(folder));
        Put_Not_A_File(in(folder, input.file), c.Kind, input.bound);
        const String target = dir.Path("target");
        Write_Bytes(target, "old");
        Expect_Not_A_File_Error([&] { e.write(folder, target); }, in(folder, input.file), c);
        EXPECT_EQ(Read_Bytes(target), "old");
      }
    }
  }
}

// The table files: something that is no file, or a file far too large, at the name raises at once
// with the message that names the file; a file that does not fit in memory raises EOutOfMemory
// naming it, and the program goes on.
TEST(FilesOfTheProgram, TheTableFilesRefuseWhatCannotBeReadAsAFile) {
  struct Reader {
    const char16_t* file;
    Int64 bound;
    std::function<void(const String& File)> read;
  };
  const Reader readers[] = {
      {u"MQTT_Set_Topic.xml", Max_MQTT_Topic_File_Size, [](const String& File) { Read_MQTT_Topic_File(File); }},
      {u"BACnet_Slave.xml", Max_BACnet_Slave_File_Size, [](const String& File) { Read_BACnet_Slave_File(File); }},
  };
  const TWatchdog watchdog;
  for (const Reader& reader : readers) {
    for (const TNot_A_File_Case& c : Not_A_File_Cases) {
      SCOPED_TRACE(StringToUtf8(reader.file) + ", " + c.Name);
      TScratch dir;
      const String file = dir.Path(StringToUtf8(reader.file));
      Put_Not_A_File(file, c.Kind, reader.bound);
      Expect_Not_A_File_Error([&] { reader.read(file); }, file, c);
    }
    SCOPED_TRACE(StringToUtf8(reader.file) + ", no memory for it");
    TScratch dir;
    const String file = dir.Path(StringToUtf8(reader.file));
    Put_Sparse_File(file, reader.bound);
    const TRefuse_Large_Allocations refuse(static_cast<size_t>(reader.bound / 2));
    try {
      reader.read(file);
      ADD_FAILURE() << "no exception";
    } catch (const EOutOfMemory& E) {
      EXPECT_EQ(E.Message(), Out_Of_Memory_Message(file));
    }
  }
}

}  // namespace
