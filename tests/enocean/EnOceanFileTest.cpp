#include "enocean/EnOceanFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "platform/rtl/SysUtils.h"

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
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = fs::temp_directory_path() / ("enocean_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  String Path(const char* name) const { return Utf8ToString((Dir / name).string()); }

  fs::path Dir;
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
  TDevice_EnOcean_List read;
  Load_Configuration(read, Path("EnOcean.xml"));
  EXPECT_TRUE(read.empty());
}

TEST_F(NetworkFile, WriteReadWriteIsStable) {
  const TDevice_EnOcean_List network = Three_Devices();
  ASSERT_TRUE(Save_Configuration(network, Path("first.xml")));
  TDevice_EnOcean_List read;
  Load_Configuration(read, Path("first.xml"));
  Expect_Same_Network(read, network);
  ASSERT_TRUE(Save_Configuration(read, Path("second.xml")));
  EXPECT_EQ(Read_Bytes(Dir / "second.xml"), Read_Bytes(Dir / "first.xml"));
}

TEST_F(NetworkFile, ReadingAppendsToTheList) {
  TDevice_EnOcean_List read = Three_Devices();
  Load_Configuration(read, Utf8ToString(Fixtures + "three_devices.xml"));
  EXPECT_EQ(read.size(), 6u);
}

TEST_F(NetworkFile, FailedWriteReportsFalse) {
  EXPECT_FALSE(Save_Configuration(Three_Devices(), Path("no_such_folder/EnOcean.xml")));
}

TEST_F(NetworkFile, MissingFileAddsNothing) {
  TDevice_EnOcean_List read;
  Load_Configuration(read, Path("EnOcean.xml"));
  EXPECT_TRUE(read.empty());
}

TEST_F(NetworkFile, BadDeviceKeepsTheDevicesBeforeIt) {
  TDevice_EnOcean_List read;
  Load_Configuration(read, Utf8ToString(Fixtures + "bad_device_missing_ptm.xml"));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0]->FId, u"1");
  ASSERT_EQ(read[0]->UnidirectionalList.size(), 1u);
  EXPECT_EQ(read[0]->UnidirectionalList[0]->VariableList[0]->FData, u"R1");
}

TEST(NetworkFileReading, HexValuesAndIndentedFile) {
  TDevice_EnOcean_List read;
  Load_Configuration(read, Utf8ToString(Fixtures + "hex_values.xml"));
  ASSERT_EQ(read.size(), 1u);
  const TDevice_EnOcean& d = *read[0];
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

TEST(NetworkFileReading, FirstErrorEndsTheReading) {
  const std::string good =
      "<Device Id=\"1\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" RollCodeTx=\"0\" CMACAlg=\"0\" "
      "DataCript=\"0\" PTM=\"0\"><UnidirectionalList/><SmartACKList/><Remote/></Device>";
  const std::string head =
      "<Device Id=\"2\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" RollCodeTx=\"0\" CMACAlg=\"0\" "
      "DataCript=\"0\" PTM=\"0\">";
  auto variable = [](const std::string& position) {
    return "<UnidirectionalList><RorgFuncType RorgNum=\"165\" FuncNum=\"2\" TypeNum=\"5\"><VariablesList>"
           "<Variable CaseInd=\"0\" Data=\"T\" BitOffs=\"16\" BitSize=\"8\" Position=\"" +
           position + "\" BitStart=\"0\"/></VariablesList></RorgFuncType></UnidirectionalList></Device>";
  };
  struct Row {
    const char* name;
    std::string devices;
    size_t read;
  };
  const Row rows[] = {
      {"two good devices", good + head + "</Device>", 2},
      {"position in hex", good + head + variable("$0C"), 2},
      {"position not a number", good + head + variable("abc") + good, 1},
      {"empty position", good + head + variable("") + good, 1},
      {"eep without VariablesList",
       good + head + "<UnidirectionalList><RorgFuncType RorgNum=\"1\" FuncNum=\"2\" TypeNum=\"3\"/></UnidirectionalList></Device>",
       1},
      {"variable without Data",
       good + head +
           "<SmartACKList><RorgFuncType RorgNum=\"1\" FuncNum=\"2\" TypeNum=\"3\"><VariablesList><Variable CaseInd=\"0\" "
           "BitOffs=\"0\" BitSize=\"1\" Position=\"0\" BitStart=\"0\"/></VariablesList></RorgFuncType></SmartACKList></Device>",
       1},
      {"comment among the devices", good + "<!--x-->" + good, 1},
      {"device without Key", good + "<Device Id=\"2\" Secure_Type=\"0\"/>", 1},
      {"first device bad", "<Device/>" + good, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TDevice_EnOcean_List read;
    Load_Configuration_Bytes(read, "<EnOcean><DevicesList>" + row.devices + "</DevicesList></EnOcean>");
    EXPECT_EQ(read.size(), row.read);
  }
}

TEST(NetworkFileReading, FilesWithoutANetwork) {
  const char* rows[] = {
      "<EnOcean/>",
      "<Other><DevicesList><Device/></DevicesList></Other>",
      "<EnOcean><DevicesList>",
      "",
  };
  for (const char* bytes : rows) {
    SCOPED_TRACE(bytes);
    TDevice_EnOcean_List read;
    Load_Configuration_Bytes(read, bytes);
    EXPECT_TRUE(read.empty());
  }
}

}  // namespace
