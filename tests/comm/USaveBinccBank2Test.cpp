// Bank 2 is checked by a decoder of its own: it follows every link from the header, rebuilds the
// tables, checks that the records tile the file section by section in the documented order, and
// the tests compare what it finds with what the network file says.
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "comm/USaveBincc.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/xml/XMLDoc.h"
#include "tests/comm/CommTestSupport.h"

namespace {

constexpr uint32_t Base = 0x00080000;

struct DVar {
  uint32_t BitSize, BitOffset, Position, Size;
  bool operator==(const DVar&) const = default;
};
struct DCase {
  uint32_t Size, Offset, Id;
  std::vector<DVar> Vars;
  bool operator==(const DCase&) const = default;
};
struct DEep {
  uint32_t Rorg;
  std::vector<DCase> Cases;
  bool operator==(const DEep&) const = default;
};
struct DSec {
  std::string PreSharedKey, PrivateKey;  // 16 bytes each
  uint32_t RollingCode = 0;
  std::vector<uint8_t> Bytes;            // algorithm .. PTM, unused char
  uint16_t UnusedShort = 0;
};
struct DDev {
  uint32_t Id, SecurityOption;
  DSec Sec;
  std::vector<DEep> Uni;
};

class TDecoder {
 public:
  explicit TDecoder(std::string Image) : Img(std::move(Image)), Owner(Img.size(), -1) {}

  uint32_t U32(size_t Ofs) const {
    EXPECT_LE(Ofs + 4, Img.size());
    if (Ofs + 4 > Img.size()) return 0;
    uint32_t V = 0;
    for (int i = 0; i < 4; ++i) V |= static_cast<uint32_t>(static_cast<uint8_t>(Img[Ofs + i])) << (8 * i);
    return V;
  }
  // A link to Count records of Size bytes: the file offset, after checking that the records lie in
  // the file and that no byte is claimed twice.
  size_t Claim(uint32_t Address, uint32_t Count, uint32_t Size, int Section) {
    EXPECT_GE(Address, Base);
    const size_t Ofs = Address - Base;
    EXPECT_LE(Ofs + static_cast<size_t>(Count) * Size, Img.size()) << "link past the end";
    for (size_t i = Ofs; i < Ofs + static_cast<size_t>(Count) * Size && i < Img.size(); ++i) {
      EXPECT_EQ(Owner[i], -1) << "byte " << i << " claimed twice";
      Owner[i] = Section;
    }
    return Ofs;
  }

  std::vector<DDev> Decode() {
    std::vector<DDev> Devs;
    Claim(Base, 1, 8, 0);
    const uint32_t N = U32(0);
    EXPECT_EQ(U32(4), Base + 8);
    const size_t DevOfs = Claim(U32(4), N, 28, 1);
    // Expected running address of each section, in the order the image is written.
    uint64_t Run = Base + 8 + 28ull * N;
    std::vector<std::vector<uint32_t>> EepLinks(N);
    for (uint32_t d = 0; d < N; ++d) {
      const size_t R = DevOfs + 28 * d;
      DDev D;
      D.Id = U32(R);
      D.SecurityOption = U32(R + 4);
      const uint32_t SecAdd = U32(R + 8);
      EXPECT_EQ(SecAdd, Run) << "security record of device " << d;
      Run += 44;
      const size_t S = Claim(SecAdd, 1, 44, 2);
      D.Sec.PreSharedKey = Img.substr(S, 16);
      D.Sec.PrivateKey = Img.substr(S + 16, 16);
      D.Sec.RollingCode = U32(S + 32);
      for (int i = 36; i < 42; ++i) D.Sec.Bytes.push_back(static_cast<uint8_t>(Img[S + i]));
      D.Sec.UnusedShort = static_cast<uint16_t>(U32(S + 40) >> 16);
      Devs.push_back(D);
    }
    // EEP tables: per device, the unidirectional EEPs with the Smart-ACK address right after them.
    std::vector<std::vector<std::pair<uint32_t, uint32_t>>> CaseLinks(N);
    for (uint32_t d = 0; d < N; ++d) {
      const size_t R = DevOfs + 28 * d;
      const uint32_t UniNum = U32(R + 12), UniAdd = U32(R + 16), SANum = U32(R + 20), SAAdd = U32(R + 24);
      EXPECT_EQ(UniAdd, Run);
      EXPECT_EQ(SANum, 0u);
      EXPECT_EQ(SAAdd, UniAdd + 12 * UniNum);
      Run += 12ull * UniNum;
      const size_t E = Claim(UniAdd, UniNum, 12, 3);
      for (uint32_t e = 0; e < UniNum; ++e) {
        DEep Eep;
        Eep.Rorg = U32(E + 12 * e);
        CaseLinks[d].push_back({U32(E + 12 * e + 4), U32(E + 12 * e + 8)});
        Devs[d].Uni.push_back(Eep);
      }
    }
    // Case tables, then variable tables, in the same order.
    std::vector<std::pair<uint32_t, uint32_t>> VarLinks;
    std::vector<DCase*> CaseOrder;
    for (uint32_t d = 0; d < N; ++d) {
      for (size_t e = 0; e < CaseLinks[d].size(); ++e) {
        const auto [CaseNum, CaseAdd] = CaseLinks[d][e];
        EXPECT_EQ(CaseAdd, Run) << "cases of device " << d << " EEP " << e;
        Run += 40ull * CaseNum;
        const size_t C = Claim(CaseAdd, CaseNum, 40, 4);
        for (uint32_t c = 0; c < CaseNum; ++c) {
          const size_t R = C + 40 * c;
          Devs[d].Uni[e].Cases.push_back({U32(R), U32(R + 4), U32(R + 8), {}});
          VarLinks.push_back({U32(R + 12), U32(R + 16)});
          EXPECT_EQ(U32(R + 20), 0u);
          EXPECT_EQ(U32(R + 24), 0u);
          EXPECT_EQ(U32(R + 28), 0u);
          EXPECT_EQ(U32(R + 32), 0u);                          // no outgoing variables
          EXPECT_EQ(U32(R + 36), U32(R + 16) + 16 * U32(R + 12));  // where they would begin
        }
      }
    }
    for (uint32_t d = 0; d < N; ++d) {
      for (DEep& E : Devs[d].Uni) {
        for (DCase& C : E.Cases) CaseOrder.push_back(&C);
      }
    }
    for (size_t i = 0; i < VarLinks.size(); ++i) {
      const auto [VarNum, VarAdd] = VarLinks[i];
      EXPECT_EQ(VarAdd, Run);
      Run += 16ull * VarNum;
      const size_t V = Claim(VarAdd, VarNum, 16, 5);
      for (uint32_t v = 0; v < VarNum; ++v) {
        const size_t R = V + 16 * v;
        CaseOrder[i]->Vars.push_back({U32(R), U32(R + 4), U32(R + 8), U32(R + 12)});
      }
    }
    EXPECT_EQ(Run, Base + Img.size()) << "the sections do not end with the file";
    for (size_t i = 0; i < Owner.size(); ++i) {
      EXPECT_NE(Owner[i], -1) << "byte " << i << " belongs to no record";
    }
    return Devs;
  }

 private:
  std::string Img;
  std::vector<int> Owner;
};

class Bank2 : public ::testing::Test {
 protected:
  void SetUp() override { Catalog = Make_Test_Catalog(); }

  // Builds the image of a network fixture (no "ParGen.xml").
  std::string Build(const char* Network) {
    B.Create_Bin(Dir.File(u"ParGen.xml"), Fixture(Network), *Catalog);
    return std::string(reinterpret_cast<const char*>(B.Bank2_Buf.data()), B.Bank2_Len);
  }
  std::vector<DDev> Decode(const char* Network) {
    TDecoder D(Build(Network));
    return D.Decode();
  }

  TTempFolder Dir;
  std::unique_ptr<TCatalog_EnOcean> Catalog;
  TSaveBincc B;
};

TEST_F(Bank2, OneUnsecuredDeviceIsTheEightyByteImage) {
  EXPECT_EQ(Build("enocean/single_device.xml"), Fixture_Bytes("bank2/single_device.bin"));
  const auto Devs = Decode("enocean/single_device.xml");
  ASSERT_EQ(Devs.size(), 1u);
  EXPECT_EQ(Devs[0].Id, 1u);
}

TEST_F(Bank2, NoNetworkGivesTheHeaderAlone) {
  const std::string Header("\x00\x00\x00\x00\x08\x00\x08\x00", 8);
  struct TRow {
    const char* Name;
    const char* File;
  };
  for (const TRow& Row : {TRow{"no file", "enocean/none.xml"}, TRow{"no EnOcean root", "enocean/no_root.xml"},
                          TRow{"no DevicesList", "enocean/no_devices_list.xml"}}) {
    SCOPED_TRACE(Row.Name);
    EXPECT_EQ(Build(Row.File), Header);
  }
  // The root is found by its name, wherever it stands among the top-level nodes.
  EXPECT_EQ(Decode("enocean/root_after_comment.xml").size(), 1u);
}

TEST_F(Bank2, VariablesAreGroupedByTheirCaseSelector) {
  const auto Devs = Decode("enocean/grouping.xml");
  ASSERT_EQ(Devs.size(), 2u);
  EXPECT_EQ(Devs[0].Id, 0xFFFFFFFFu);
  // Device 1: variables listed as case A, B, A (and A again by default) give two cases, A holding
  // the first, third and fifth; the variable whose case the catalogue lacks is skipped; the EEP
  // without variables keeps its record with no cases; the Smart-ACK list is not part of the image.
  const std::vector<DEep> Dev1 = {
      {210,
       {{4, 4, 0, {{8, 16, 0, 0}, {1, 31, 2, 2}, {2, 3, 4, 5}}},
        {4, 4, 1, {{7, 17, 1, 1}}}}},
      {165, {}},
  };
  EXPECT_EQ(Devs[0].Uni, Dev1);
  // Device 2: a negative catalogue value never matches, so each such variable opens a case of its
  // own; the 0xF6 case carries its selector value; "$0C" is read as 12.
  const std::vector<DEep> Dev2 = {
      {210, {{0xFFFFFFFFu, 0, 0, {{8, 8, 10, 0}}}, {0xFFFFFFFFu, 0, 0, {{8, 0, 11, 0}}}}},
      {246, {{0, 0, 12, {{1, 0, 12, 7}}}}},
  };
  EXPECT_EQ(Devs[1].Uni, Dev2);
}

TEST_F(Bank2, SecurityRecords) {
  const auto Devs = Decode("enocean/security.xml");
  ASSERT_EQ(Devs.size(), 5u);
  const std::string Zero(16, '\0');
  const auto Key = [](const std::string& K) { return K + std::string(16 - K.size(), '\0'); };

  // Pre-shared key: the key goes to the first field, nothing else is read.
  EXPECT_EQ(Devs[0].SecurityOption, 1u);
  EXPECT_EQ(Devs[0].Sec.PreSharedKey, Key("abc"));
  EXPECT_EQ(Devs[0].Sec.PrivateKey, Zero);
  EXPECT_EQ(Devs[0].Sec.RollingCode, 0u);
  EXPECT_EQ(Devs[0].Sec.Bytes, std::vector<uint8_t>(6, 0));

  // Manual setting: the key goes to the second field, with the rolling code and the indexes;
  // data encryption 1 is written as 3.
  EXPECT_EQ(Devs[1].Sec.PreSharedKey, Zero);
  EXPECT_EQ(Devs[1].Sec.PrivateKey, Key("abc"));
  EXPECT_EQ(Devs[1].Sec.RollingCode, 255u);
  EXPECT_EQ(Devs[1].Sec.Bytes, (std::vector<uint8_t>{2, 1, 1, 3, 1, 0}));
  EXPECT_EQ(Devs[1].Sec.UnusedShort, 0);

  // A longer key keeps its first 16 characters; data encryption 2 is written as 4.
  EXPECT_EQ(Devs[2].Sec.PrivateKey, "0123456789ABCDEF");
  EXPECT_EQ(Devs[2].Sec.RollingCode, 70000u);
  EXPECT_EQ(Devs[2].Sec.Bytes, (std::vector<uint8_t>{1, 0, 2, 4, 0, 0}));

  // Each character gives its low 8 bits; an unknown encryption index gives 0.
  EXPECT_EQ(Devs[3].Sec.PrivateKey, Key("\xE9\xAC"));
  EXPECT_EQ(Devs[3].Sec.Bytes[3], 0);

  // An unsecured device stores no key and no settings.
  EXPECT_EQ(Devs[4].Sec.PreSharedKey, Zero);
  EXPECT_EQ(Devs[4].Sec.PrivateKey, Zero);
  EXPECT_EQ(Devs[4].Sec.Bytes, std::vector<uint8_t>(6, 0));
}

// The security type is compared as an unsigned number: -1 is neither unsecured nor a pre-shared
// key, so the key goes to the private-key field and the manual settings are read.
TEST_F(Bank2, TheSecurityTypeIsComparedUnsigned) {
  const String Network = Dir.File(u"EnOcean.xml");
  Write_Bytes(Network,
              "<EnOcean><DevicesList><Device Id=\"9\" Secure_Type=\"-1\" Key=\"k\" RollCode=\"5\" "
              "RollCodeAlg=\"1\" RollCodeTx=\"1\" CMACAlg=\"2\" DataCript=\"2\" PTM=\"1\"/></DevicesList>"
              "</EnOcean>");
  B.Create_Bin(Dir.File(u"ParGen.xml"), Network, *Catalog);
  TDecoder D(std::string(reinterpret_cast<const char*>(B.Bank2_Buf.data()), B.Bank2_Len));
  const auto Devs = D.Decode();
  ASSERT_EQ(Devs.size(), 1u);
  EXPECT_EQ(Devs[0].SecurityOption, 0xFFFFFFFFu);
  EXPECT_EQ(Devs[0].Sec.PreSharedKey, std::string(16, '\0'));
  EXPECT_EQ(Devs[0].Sec.PrivateKey, "k" + std::string(15, '\0'));
  EXPECT_EQ(Devs[0].Sec.RollingCode, 5u);
  EXPECT_EQ(Devs[0].Sec.Bytes, (std::vector<uint8_t>{1, 1, 2, 4, 1, 0}));
}

TEST(Bank2Map, DataEncryption) {
  EXPECT_EQ(Map_Data_Encryption(0), 0);
  EXPECT_EQ(Map_Data_Encryption(1), 3);
  EXPECT_EQ(Map_Data_Encryption(2), 4);
  EXPECT_EQ(Map_Data_Encryption(3), 0);
  EXPECT_EQ(Map_Data_Encryption(-1), 0);
}

// A bad network file ends the build with a message naming the device, and nothing can be saved.
TEST_F(Bank2, ConversionErrorsNameTheDeviceAndWriteNothing) {
  struct TRow {
    const char* Name;
    const char* File;
    const char16_t* Device;  // nullptr: the XML document's own error
  };
  const std::vector<TRow> Rows = {
      {"empty rolling code", "enocean/err_rollcode_empty.xml", u"device 2 (Id \"77\")"},
      {"missing Id", "enocean/err_missing_id.xml", u"device 1 (Id \"\")"},
      {"EEP without VariablesList", "enocean/err_no_variables_list.xml", u"device 1 (Id \"5\")"},
      {"RORG not a number", "enocean/err_bad_rorg.xml", u"device 1 (Id \"5\")"},
      {"malformed file", "enocean/malformed.xml", nullptr},
      {"key holding a character XML cannot carry", "enocean/err_key_control_character.xml", nullptr},
  };
  std::filesystem::create_directory(StringToUtf8(Dir.File(u"bin")));
  for (const TRow& Row : Rows) {
    SCOPED_TRACE(Row.Name);
    TSaveBincc Fresh;
    try {
      Fresh.Create_Bin(Dir.File(u"ParGen.xml"), Fixture(Row.File), *Catalog);
      ADD_FAILURE() << "no error";
    } catch (const EConfigImageError& E) {
      ASSERT_NE(Row.Device, nullptr) << E.what();
      EXPECT_NE(E.Message().find(Row.Device), String::npos) << E.what();
    } catch (const EXMLDocError& E) {
      EXPECT_EQ(Row.Device, nullptr) << E.what();
    }
    EXPECT_THROW(Fresh.Save_Bin(Dir.Path()), EConfigImageError);
    EXPECT_FALSE(std::filesystem::exists(StringToUtf8(Dir.File(u"bin/bank1.bin"))));
    EXPECT_FALSE(std::filesystem::exists(StringToUtf8(Dir.File(u"bin/bank2.bin"))));
  }
}

// The image takes the network as the network editors read it: a comment among the devices is no
// device, and values the editors report but keep (past 32 bits, a case index that is not a number, a
// security value an unsecured device does not use) are no reason to refuse the build.
TEST_F(Bank2, TheImageTakesTheNetworkTheEditorsRead) {
  const auto Commented = Read_EnOcean_XML(EnOcean_Image_Base, Fixture("enocean/comment_in_list.xml"), *Catalog);
  EXPECT_EQ(Commented.size(), 1u);
  const auto List =
      Read_EnOcean_XML(EnOcean_Image_Base, Fixture("../enocean/network/values_the_image_takes.xml"), *Catalog);
  ASSERT_EQ(List.size(), 4u);
  EXPECT_EQ(List[0].SecurityOption, 2u);
  EXPECT_EQ(List[0].Security_Info.PrivateKey, u"K");
  EXPECT_EQ(List[0].Security_Info.DataEncryption, 4);
  EXPECT_EQ(List[3].Id, 4u);
}

// A network file of one device with one EEP whose variables all fall into one case.
std::string Network_With_Variables(int Count) {
  std::string S =
      "<EnOcean><DevicesList><Device Id=\"1\" Secure_Type=\"0\" Key=\"\" RollCode=\"\" RollCodeAlg=\"0\" "
      "RollCodeTx=\"0\" CMACAlg=\"0\" DataCript=\"0\" PTM=\"0\"><UnidirectionalList><RorgFuncType "
      "RorgNum=\"165\" FuncNum=\"2\" TypeNum=\"5\"><VariablesList>";
  for (int i = 0; i < Count; ++i) {
    S += "<Variable CaseInd=\"0\" Data=\"v\" BitOffs=\"0\" BitSize=\"1\" Position=\"" + std::to_string(i) +
         "\" BitStart=\"0\"/>";
  }
  return S + "</VariablesList></RorgFuncType></UnidirectionalList></Device></DevicesList></EnOcean>";
}

TEST_F(Bank2, ANetworkTooLargeForItsBankIsRefused) {
  std::filesystem::create_directory(StringToUtf8(Dir.File(u"bin")));
  const String Network = Dir.File(u"EnOcean.xml");
  // 8 + 72 + 12 + 40 + 16 x 8183 = 131060 bytes fit; one variable more needs 131076.
  Write_Bytes(Network, Network_With_Variables(8183));
  B.Create_Bin(Dir.File(u"ParGen.xml"), Network, *Catalog);
  EXPECT_EQ(B.Bank2_Len, 131060);

  Write_Bytes(Network, Network_With_Variables(8184));
  TSaveBincc Big;
  try {
    Big.Create_Bin(Dir.File(u"ParGen.xml"), Network, *Catalog);
    FAIL() << "no error";
  } catch (const EConfigImageError& E) {
    EXPECT_NE(E.Message().find(u"131076"), String::npos) << E.what();
  }
  EXPECT_THROW(Big.Save_Bin(Dir.Path()), EConfigImageError);
  EXPECT_FALSE(std::filesystem::exists(StringToUtf8(Dir.File(u"bin/bank2.bin"))));
}

TEST(Bank2Write, NeverWritesPastItsBuffer) {
  std::vector<TEnOcean_ID_Info> List(3);
  Assign_EnOcean_Addresses(List, Base);
  std::vector<Byte> Small(8 + 72 * 3 - 1, 0xAB);
  EXPECT_THROW(Write_EnOcean_Bank(List, 0, Small), EConfigImageError);
  EXPECT_EQ(Small.back(), 0xAB);
  std::vector<Byte> Fits(8 + 72 * 3, 0);
  EXPECT_EQ(Write_EnOcean_Bank(List, 0, Fits), 8 + 72 * 3);
}

}  // namespace
