#include "enocean/EnOceanFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"
#include "tests/platform/xml/XmllintCheck.h"
#include "tests/TempFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string Fixtures = KP_FIXTURES_DIR "/enocean/network/";

std::string Read_Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A folder of its own for each test's files.
class NetworkFile : public ::testing::Test {
 protected:
  String Path(const char* name) const { return Folder.File(name); }

  TTempFolder Folder{"enocean"};
  const fs::path Dir = Folder.FsPath();
};

TRorFunTyp* Add_EEP(TRorFunTyp_List& list, Integer rorg, Integer func, Integer type) {
  auto eep = std::make_unique<TRorFunTyp>();
  eep->FRorgNum = rorg;
  eep->FFuncNum = func;
  eep->FTypeNum = type;
  list.push_back(std::move(eep));
  return list.back().get();
}

void Add_Var(TRorFunTyp& eep, Integer caseInd, const String& data, Integer offs, Integer size, Integer position,
             Integer bitStart) {
  auto var = std::make_unique<TVarEnOcean>();
  var->FCaseIndex = caseInd;
  var->FData = data;
  var->FBitOffs = offs;
  var->FBitSize = size;
  var->FPosition = position;
  var->FBitStart = bitStart;
  eep.VariableList.push_back(std::move(var));
}

// The network of the golden file three_devices.xml.
TDevice_EnOcean_List Three_Devices() {
  TDevice_EnOcean_List list;
  auto d1 = std::make_unique<TDevice_EnOcean>();
  d1->FId = u"0x0180A1B2";
  TRorFunTyp* temp = Add_EEP(d1->UnidirectionalList, 0xA5, 2, 5);
  Add_Var(*temp, 0, u"Temp °C", 16, 8, 10, 0);
  Add_Var(*temp, 1, u"LRN Bit", 28, 1, 11, 7);
  Add_Var(*Add_EEP(d1->SmartACKList, 0xD2, 1, 0x12), 1, u"Output value", 17, 7, 20, 3);
  list.push_back(std::move(d1));

  auto d2 = std::make_unique<TDevice_EnOcean>();
  d2->FId = u" 12";
  d2->FSecure_Type = 2;
  d2->FKey = u"K&y<\"1\">";
  d2->FRollCode = u"$FF";
  d2->FRollCodeAlg = 1;
  d2->FRollCodeTx = 1;
  d2->FCMACAlg = 2;
  d2->FDataCript = 1;
  d2->FPTM = 1;
  Add_EEP(d2->UnidirectionalList, 0xF6, 2, 1);
  list.push_back(std::move(d2));

  auto d3 = std::make_unique<TDevice_EnOcean>();
  Add_EEP(d3->UnidirectionalList, 0xA5, 2, -1);
  list.push_back(std::move(d3));
  return list;
}

void Expect_Same_EEPs(const TRorFunTyp_List& a, const TRorFunTyp_List& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i]->FRorgNum, b[i]->FRorgNum);
    EXPECT_EQ(a[i]->FFuncNum, b[i]->FFuncNum);
    EXPECT_EQ(a[i]->FTypeNum, b[i]->FTypeNum);
    ASSERT_EQ(a[i]->VariableList.size(), b[i]->VariableList.size());
    for (size_t v = 0; v < a[i]->VariableList.size(); ++v) {
      const TVarEnOcean& x = *a[i]->VariableList[v];
      const TVarEnOcean& y = *b[i]->VariableList[v];
      EXPECT_EQ(x.FCaseIndex, y.FCaseIndex);
      EXPECT_EQ(x.FData, y.FData);
      EXPECT_EQ(x.FBitOffs, y.FBitOffs);
      EXPECT_EQ(x.FBitSize, y.FBitSize);
      EXPECT_EQ(x.FPosition, y.FPosition);
      EXPECT_EQ(x.FBitStart, y.FBitStart);
    }
  }
}

void Expect_Same_Network(const TDevice_EnOcean_List& a, const TDevice_EnOcean_List& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE("device " + std::to_string(i));
    const TDevice_EnOcean& x = *a[i];
    const TDevice_EnOcean& y = *b[i];
    EXPECT_EQ(x.FId, y.FId);
    EXPECT_EQ(x.FSecure_Type, y.FSecure_Type);
    EXPECT_EQ(x.FKey, y.FKey);
    EXPECT_EQ(x.FRollCode, y.FRollCode);
    EXPECT_EQ(x.FRollCodeAlg, y.FRollCodeAlg);
    EXPECT_EQ(x.FRollCodeTx, y.FRollCodeTx);
    EXPECT_EQ(x.FCMACAlg, y.FCMACAlg);
    EXPECT_EQ(x.FDataCript, y.FDataCript);
    EXPECT_EQ(x.FPTM, y.FPTM);
    Expect_Same_EEPs(x.UnidirectionalList, y.UnidirectionalList);
    Expect_Same_EEPs(x.SmartACKList, y.SmartACKList);
  }
}

TEST_F(NetworkFile, WritesTheGoldenFile) {
  const TDevice_EnOcean_List network = Three_Devices();
  ASSERT_TRUE(Save_Configuration(network, Path("EnOcean.xml")));
  EXPECT_EQ(Read_Bytes(Dir / "EnOcean.xml"), Read_Bytes(Fixtures + "three_devices.xml"));
}

TEST_F(NetworkFile, EmptyNetworkWritesAnEmptyDevicesList) {
  ASSERT_TRUE(Save_Configuration(TDevice_EnOcean_List(), Path("EnOcean.xml")));
  EXPECT_EQ(Read_Bytes(Dir / "EnOcean.xml"), Read_Bytes(Fixtures + "empty_network.xml"));
  const TNetwork_File read = Read_Network_File(Path("EnOcean.xml"));
  EXPECT_TRUE(read.Devices.empty());
  EXPECT_TRUE(read.Read_Whole());
}

TEST_F(NetworkFile, WriteReadWriteIsStable) {
  const TDevice_EnOcean_List network = Three_Devices();
  ASSERT_TRUE(Save_Configuration(network, Path("first.xml")));
  const TNetwork_File read = Read_Network_File(Path("first.xml"));
  EXPECT_TRUE(read.Read_Whole());
  Expect_Same_Network(read.Devices, network);
  ASSERT_TRUE(Save_Configuration(read.Devices, Path("second.xml")));
  EXPECT_EQ(Read_Bytes(Dir / "second.xml"), Read_Bytes(Dir / "first.xml"));
  EXPECT_EQ(Network_File_Bytes(network), Read_Bytes(Dir / "first.xml"));
}

TEST_F(NetworkFile, FailedWriteReportsFalse) {
  EXPECT_FALSE(Save_Configuration(Three_Devices(), Path("no_such_folder/EnOcean.xml")));
}

TEST_F(NetworkFile, MissingFileIsAnEmptyNetworkReadWhole) {
  const TNetwork_File read = Read_Network_File(Path("EnOcean.xml"));
  EXPECT_TRUE(read.Devices.empty());
  EXPECT_TRUE(read.Read_Whole());
}

// Something that is no file, or a file far too large, at the network file's name is no missing
// file: reading raises at once with the message that names the file. A file that does not fit in
// memory raises EOutOfMemory naming it; the program goes on.
TEST_F(NetworkFile, WhatCannotBeReadAsAFileRaisesByName) {
  const String file = Path("EnOcean.xml");
  const TWatchdog watchdog;
  for (const TNot_A_File_Case& c : Not_A_File_Cases) {
    SCOPED_TRACE(c.Name);
    Put_Not_A_File(file, c.Kind, Max_Network_File_Size);
    Expect_Not_A_File_Error([&] { Read_Network_File(file); }, file, c);
    fs::remove_all(Dir / "EnOcean.xml");
  }
  Put_Sparse_File(file, Max_Network_File_Size);
  const TRefuse_Large_Allocations refuse(Max_Network_File_Size / 2);
  try {
    Read_Network_File(file);
    ADD_FAILURE() << "no exception";
  } catch (const EOutOfMemory& e) {
    EXPECT_EQ(e.Message(), Out_Of_Memory_Message(file));
  }
}

// A control character in a typed text cannot stand in the file; it is left out so that other tools
// read the file, and the rest of the text is kept.
TEST_F(NetworkFile, ControlCharactersAreLeftOutOfTheWrittenFile) {
  TDevice_EnOcean_List network;
  network.push_back(std::make_unique<TDevice_EnOcean>());
  network[0]->FId = u"12\x01";
  network[0]->FKey = u"K\x1B" u"1";
  ASSERT_TRUE(Save_Configuration(network, Path("EnOcean.xml")));
  EXPECT_TRUE(Xmllint_Accepts(Path("EnOcean.xml")));
  const TNetwork_File read = Read_Network_File(Path("EnOcean.xml"));
  ASSERT_EQ(read.Devices.size(), 1u);
  EXPECT_EQ(read.Devices[0]->FId, u"12");
  EXPECT_EQ(read.Devices[0]->FKey, u"K1");
}

// The values the configuration image has always taken (low 32 bits, a case index that is not a
// number as 0, a security value an unsecured device does not use left out) are read the same way,
// so no device is lost; each is reported, since writing the network back changes them.
TEST(NetworkFileReading, ValuesTheImageTakesAreReadAndReported) {
  const TNetwork_File read = Read_Network_File(Utf8ToString(Fixtures + "values_the_image_takes.xml"));
  ASSERT_EQ(read.Devices.size(), 4u);
  EXPECT_EQ(read.Devices[0]->FSecure_Type, 2);
  EXPECT_EQ(read.Devices[0]->FDataCript, 2);
  const TRorFunTyp& eep = *read.Devices[1]->UnidirectionalList.at(0);
  ASSERT_EQ(eep.VariableList.size(), 2u);
  EXPECT_EQ(eep.VariableList[0]->FPosition, 1215752191);  // 99999999999 mod 2^32
  EXPECT_EQ(eep.VariableList[1]->FCaseIndex, 0);
  EXPECT_EQ(eep.VariableList[1]->FData, u"R2");
  EXPECT_EQ(read.Devices[2]->FPTM, 0);
  EXPECT_EQ(read.Devices[3]->FId, u"4");

  EXPECT_FALSE(read.Read_Whole());
  std::vector<String> lines;
  for (const TNetwork_File_Problem& p : read.Problems) {
    EXPECT_FALSE(p.Image);
    lines.push_back(Network_Problem_Line(p));
  }
  EXPECT_EQ(lines, (std::vector<String>{
                       u"device 1 (Id \"1\"): \"Secure_Type\" is \"4294967298\", past 32 bits; read as 2",
                       u"device 2 (Id \"2\"), unidirectional EEP 1, variable 1: \"Position\" is \"99999999999\", "
                       u"past 32 bits; read as 1215752191",
                       u"device 2 (Id \"2\"), unidirectional EEP 1, variable 2: \"CaseInd\" is \"abc\", not a "
                       u"number; read as 0",
                       u"device 3 (Id \"3\"): \"PTM\" is missing; read as 0",
                   }));
}

TEST(NetworkFileReading, HexValuesAndIndentedFile) {
  const TNetwork_File read = Read_Network_File(Utf8ToString(Fixtures + "hex_values.xml"));
  EXPECT_TRUE(read.Read_Whole());
  ASSERT_EQ(read.Devices.size(), 1u);
  const TDevice_EnOcean& d = *read.Devices[0];
  EXPECT_EQ(d.FId, u"$0180A1B2");  // text as it stands
  EXPECT_EQ(d.FSecure_Type, 1);
  EXPECT_EQ(d.FKey, u"00112233");
  EXPECT_EQ(d.FRollCode, u"");
  ASSERT_EQ(d.UnidirectionalList.size(), 1u);
  EXPECT_EQ(d.UnidirectionalList[0]->FRorgNum, 165);
  EXPECT_EQ(d.UnidirectionalList[0]->FFuncNum, 2);
  EXPECT_EQ(d.UnidirectionalList[0]->VariableList[0]->FPosition, 12);
  EXPECT_EQ(d.UnidirectionalList[0]->VariableList[0]->FBitStart, 2);
  EXPECT_TRUE(d.SmartACKList.empty());
}

// Nothing that can be read is dropped: a value that is missing or not a number is taken as 0 and
// reported, and every later value and device is read. Image says whether the configuration image
// needs the value.
TEST(NetworkFileReading, WhatCannotBeReadIsReportedAndTheRestKept) {
  const std::string good =
      "<Device Id=\"1\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" RollCodeTx=\"0\" CMACAlg=\"0\" "
      "DataCript=\"0\" PTM=\"0\"><UnidirectionalList/><SmartACKList/><Remote/></Device>";
  const std::string head =
      "<Device Id=\"2\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" RollCodeTx=\"0\" CMACAlg=\"0\" "
      "DataCript=\"0\" PTM=\"0\">";
  auto variable = [](const std::string& list, const std::string& position) {
    return "<" + list + "><RorgFuncType RorgNum=\"165\" FuncNum=\"2\" TypeNum=\"5\"><VariablesList>"
           "<Variable CaseInd=\"0\" Data=\"T\" BitOffs=\"16\" BitSize=\"8\" Position=\"" +
           position + "\" BitStart=\"0\"/></VariablesList></RorgFuncType></" + list + "></Device>";
  };
  struct Row {
    const char* name;
    std::string devices;
    size_t read;
    const char16_t* problem;  // the first problem's line, nullptr for none
    bool image;
  };
  const Row rows[] = {
      {"two good devices", good + head + "</Device>", 2, nullptr, false},
      {"position in hex", good + head + variable("UnidirectionalList", "$0C"), 2, nullptr, false},
      {"position not a number", good + head + variable("UnidirectionalList", "abc") + good, 3,
       u"device 2 (Id \"2\"), unidirectional EEP 1, variable 1: \"Position\" is \"abc\", not a number; read as 0",
       true},
      {"empty position in a Smart-ACK EEP", good + head + variable("SmartACKList", "") + good, 3,
       u"device 2 (Id \"2\"), Smart-ACK EEP 1, variable 1: \"Position\" is \"\", not a number; read as 0", false},
      {"eep without VariablesList",
       good + head + "<UnidirectionalList><RorgFuncType RorgNum=\"1\" FuncNum=\"2\" TypeNum=\"3\"/></UnidirectionalList></Device>",
       2, u"device 2 (Id \"2\"), unidirectional EEP 1: \"VariablesList\" is missing; read as no variables", true},
      {"comment among the devices", good + "<!--x-->" + good, 2, nullptr, false},
      {"device without Key", good + "<Device Id=\"2\" Secure_Type=\"0\" RollCode=\"\" RollCodeAlg=\"0\" "
       "RollCodeTx=\"0\" CMACAlg=\"0\" DataCript=\"0\" PTM=\"0\"/>", 2,
       u"device 2 (Id \"2\"): \"Key\" is missing; read as empty", false},
      {"manual security without CMACAlg", good + "<Device Id=\"2\" Secure_Type=\"2\" Key=\"\" RollCode=\"1\" "
       "RollCodeAlg=\"0\" RollCodeTx=\"0\" DataCript=\"0\" PTM=\"0\"/>", 2,
       u"device 2 (Id \"2\"): \"CMACAlg\" is missing; read as 0", true},
      {"first device bad", "<Device/>" + good, 2, u"device 1 (Id \"\"): \"Id\" is missing; read as empty", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TNetwork_File read = Read_Network_Bytes("<EnOcean><DevicesList>" + row.devices + "</DevicesList></EnOcean>");
    EXPECT_EQ(read.Devices.size(), row.read);
    if (!row.problem) {
      EXPECT_TRUE(read.Read_Whole());
      continue;
    }
    ASSERT_FALSE(read.Problems.empty());
    EXPECT_EQ(Network_Problem_Line(read.Problems[0]), row.problem);
    EXPECT_EQ(read.Problems[0].Image, row.image);
  }
}

TEST(NetworkFileReading, FilesWithoutANetwork) {
  const std::pair<const char*, const char16_t*> rows[] = {
      {"<EnOcean/>", u"the file has no element \"DevicesList\""},
      {"<Other><DevicesList><Device/></DevicesList></Other>", u"the file has no element \"EnOcean\""},
  };
  for (const auto& [bytes, problem] : rows) {
    SCOPED_TRACE(bytes);
    const TNetwork_File read = Read_Network_Bytes(bytes);
    EXPECT_TRUE(read.Devices.empty());
    ASSERT_EQ(read.Problems.size(), 1u);
    EXPECT_EQ(Network_Problem_Line(read.Problems[0]), problem);
    EXPECT_FALSE(read.Problems[0].Image);
  }
  EXPECT_THROW(Read_Network_Bytes("<EnOcean><DevicesList>"), EXMLDocError);
  EXPECT_THROW(Read_Network_Bytes(""), EXMLDocError);
}

// A character XML cannot carry makes the file malformed, as it stands or as a reference: read, the
// key "a", U+0001, "b", U+0001, "c" would be written back as "abc" without a word.
TEST(NetworkFileReading, ACharacterXmlCannotCarryMakesTheFileMalformed) {
  EXPECT_THROW(Read_Network_File(Utf8ToString(Fixtures + "key_with_control_characters.xml")), EXMLDocError);
  std::string raw = Read_Bytes(Fixtures + "key_with_control_characters.xml");
  raw.replace(raw.find("&#1;"), 4, "\x01");
  EXPECT_THROW(Read_Network_Bytes(raw), EXMLDocError);
}

// Many problems are listed up to a number, then counted.
TEST(NetworkFileReading, TheProblemsTextListsTheFirstOnes) {
  std::vector<TNetwork_File_Problem> problems;
  for (Integer i = 1; i <= 4; ++i) {
    problems.emplace_back();
    problems.back().Device = i;
    problems.back().Id = u"x";
    problems.back().Text = u"bad";
  }
  EXPECT_EQ(Network_Problems_Text(problems, 2),
            u"\r\ndevice 1 (Id \"x\"): bad\r\ndevice 2 (Id \"x\"): bad\r\n... and 2 more");
}

}  // namespace
