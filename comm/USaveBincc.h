// The configuration image builder: turns the saved configuration files into the two bank files
// that the update tool writes into the converter's flash memory.
//
//  - "bank1.bin": the 2048-byte parameter record, built from the record's defaults and "ParGen.xml".
//  - "bank2.bin": the EnOcean tables (devices, security records, EEPs, cases, variables) as linked
//    records, built from "EnOcean.xml" and the EEP catalogue. Every link is an absolute address in
//    the device's memory: the image's base address plus the record's offset in the file.
//
// Everything is little-endian and written byte by byte. The builder takes its files and folders as
// parameters; it keeps no process-wide state.
#pragma once

#include <array>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

class TCatalog_EnOcean;
class TParGen_Reader;
struct TNetwork_File;

// Raised when the image cannot be built or written; Message() is the text shown to the user.
KP_DECLARE_EXCEPTION(EConfigImageError, Exception)

// Sizes and addresses of the image.
constexpr Integer Bank1_Size = 2048;              // the parameter record, checksum included
constexpr Integer Bank_Buf_Size = 0x20000;        // capacity of each bank: 131072 bytes
constexpr Cardinal EnOcean_Image_Base = 0x00080000; // where the device keeps the EnOcean tables

// Offsets of the parameter record's fields that a build sets.
namespace Bank1_Ofs {
constexpr Integer Ethernet_IP = 0x028;      // 4 bytes, octet 1 first
constexpr Integer Ethernet_SM = 0x02C;      // 4 bytes
constexpr Integer Ethernet_GAT = 0x030;     // 4 bytes, 255 each when the gateway is disabled
constexpr Integer NB_Out = 0x074;           // 32-bit: the converter's output byte count
constexpr Integer NB_In = 0x078;            // 32-bit: the converter's input byte count
constexpr Integer Station = 0x081;          // byte: the PROFIBUS station address
constexpr Integer Ethernet_DNS = 0x58C;     // 4 bytes, 255 each when DNS is disabled
constexpr Integer EnOcean_Address = 0x604;  // 32-bit: address of the EnOcean tables
constexpr Integer EnOcean_Present = 0x608;  // 32-bit: 1 after a build
constexpr Integer Checksum = 0x7FC;         // 32-bit byte sum of 0x000..0x7FB
}  // namespace Bank1_Ofs

// One row of the parameter record's layout: Fields consecutive fields from Offset, each of Elems
// elements of Width bytes (a plain field has one element, an array several). A padding row holds
// no field and is never written. The defaults are one value for every element of the row, or one
// value per element (NDefaults = Fields x Elems, at most 4).
struct TBank1_Field_Row {
  Word Offset;
  Word Fields;
  Word Elems;
  Byte Width;
  bool Padding;
  Byte NDefaults;
  std::array<Cardinal, 4> Defaults;
};

// The layout of the parameter record, in offset order; the rows tile the 2048 bytes.
const std::vector<TBank1_Field_Row>& Bank1_Field_Table();

// The parameter record `TBank1_Params`: 2048 bytes, little-endian.
struct TBank1_Params {
  std::array<Byte, Bank1_Size> Bytes{};

  Byte Get_Byte(Integer Ofs) const { return Bytes.at(Ofs); }
  Word Get_Word(Integer Ofs) const;
  Cardinal Get_Cardinal(Integer Ofs) const;
  void Set_Byte(Integer Ofs, Byte V) { Bytes.at(Ofs) = V; }
  void Set_Word(Integer Ofs, Word V);
  void Set_Cardinal(Integer Ofs, Cardinal V);
};

// Gives every field of the record its default; padding bytes become 0.
void Init_Default_Parameters(TBank1_Params& Param_Rec);

// Overlays the values of "ParGen.xml" on the record. A missing file leaves the defaults. Each value
// is read on its own: a missing element or a text that is not an integer gives that value's
// default. A disabled gateway or DNS server goes in as 255.255.255.255. A file that is not
// well-formed XML raises the XML document's error.
void Read_ParGen_XML(TBank1_Params& Param_Rec, const String& File_ParGen);
// The same from a loaded file.
void Overlay_ParGen(TBank1_Params& Param_Rec, const TParGen_Reader& Reader);

// The unsigned byte sum of 0x000..0x7FB, modulo 2^32.
Cardinal Bank1_Checksum(const TBank1_Params& Param_Rec);

// Stores the checksum at 0x7FC and copies the 2048 bytes into Dst from Pos; returns Pos + 2048.
// Raises EConfigImageError when Dst has no room for them.
Integer Write_Param_Bank(TBank1_Params& Param_Rec, Integer Pos, std::vector<Byte>& Dst);

// ---- The EnOcean tables ----

// One variable of a case: where its data field lies in the telegram and where it goes in the
// converter's data area. Size carries the variable's start bit.
struct TEnOcean_Var_Info {
  Cardinal BitSize = 0;
  Cardinal BitOffset = 0;
  Cardinal Position = 0;
  Cardinal Size = 0;
};

// One case of an EEP: the case selector in the telegram and the case's variables. The outgoing
// half stays empty in this converter.
struct TEnOcean_Case_Info {
  Cardinal InCaseIdSize = 0;
  Cardinal InCaseIdOffset = 0;
  Cardinal InCase = 0;
  Cardinal InVarNum = 0;
  std::vector<TEnOcean_Var_Info> InVarTable;
  Cardinal InVarAdd = 0;
  Cardinal OutCaseIdSize = 0;
  Cardinal OutCaseIdOffset = 0;
  Cardinal OutCase = 0;
  Cardinal OutVarNum = 0;
  std::vector<TEnOcean_Var_Info> OutVarTable;
  Cardinal OutVarAdd = 0;
};

// One EEP of a device.
struct TEnOcean_Eep_Info {
  Cardinal Rorg = 0;
  Cardinal CaseNum = 0;
  std::vector<TEnOcean_Case_Info> CaseTable;
  Cardinal CaseAdd = 0;
};

// The security settings of a device; the keys are stored as their characters, 16 bytes each.
struct TEnOcean_Security_Info {
  String PreSharedKey;
  String PrivateKey;
  Cardinal RollingCode = 0;
  Byte RLCAlgorithm = 0;
  Byte RLCTx = 0;
  Byte MACAlgorithm = 0;
  Byte DataEncryption = 0;
  Byte SenderIsPTM = 0;
  Byte UnusedChar = 0;
  Word UnusedShort = 0;
};

// One device of the network.
struct TEnOcean_ID_Info {
  Cardinal Id = 0;
  Cardinal SecurityOption = 0;  // 0 unsecure, 1 pre-shared key, 2 manual setting
  TEnOcean_Security_Info Security_Info;
  Cardinal SecAdd = 0;
  Cardinal UniEepNum = 0;
  std::vector<TEnOcean_Eep_Info> UniEepTable;
  Cardinal UniEepAdd = 0;
  Cardinal SAEepNum = 0;  // Smart-ACK EEPs: none in this converter
  std::vector<TEnOcean_Eep_Info> SAEepTable;
  Cardinal SAEepAdd = 0;
};

// Record sizes of "bank2.bin".
constexpr Integer Bank2_Header_Size = 8;
constexpr Integer Bank2_Device_Size = 28;
constexpr Integer Bank2_Security_Size = 44;
constexpr Integer Bank2_Eep_Size = 12;
constexpr Integer Bank2_Case_Size = 40;
constexpr Integer Bank2_Var_Size = 16;

// The image code of the network file's data-encryption index: 1 -> 3 (VAES), 2 -> 4 (AES-CBC),
// anything else -> 0.
Integer Map_Data_Encryption(Integer Index);

// The EnOcean tables of a network read from "EnOcean.xml" (enocean/EnOceanFile.h, the reading the
// network editors share), every table with its address counting from Base. A network file that did
// not hold a value the image needs raises EConfigImageError naming the device and the value; so
// does an Id or, for a device of security type 2, a rolling code that is not a number. A variable
// whose case the catalogue does not hold is skipped.
std::vector<TEnOcean_ID_Info> EnOcean_Image_Tables(Cardinal Base, const TNetwork_File& Network,
                                                   const TCatalog_EnOcean& Catalog);
// Reads "EnOcean.xml" and makes its tables: a missing file, root `EnOcean` or `DevicesList` gives
// an empty list; a malformed file raises the XML document's error.
std::vector<TEnOcean_ID_Info> Read_EnOcean_XML(Cardinal Base, const String& File_EnOcean,
                                               const TCatalog_EnOcean& Catalog);
// The same from the bytes of such a file (the fuzz target uses it).
std::vector<TEnOcean_ID_Info> Read_EnOcean_XML_Bytes(Cardinal Base, const std::string& Bytes,
                                                     const TCatalog_EnOcean& Catalog);

// Gives every table of the list its address counting from Base, in the order the tables are
// written, and returns the size of the image in bytes.
Int64 Assign_EnOcean_Addresses(std::vector<TEnOcean_ID_Info>& List, Cardinal Base);

// The size of the image of the list: 8 + 72 per device + 12 per EEP + 40 per case + 16 per variable.
Int64 EnOcean_Image_Size(const std::vector<TEnOcean_ID_Info>& List);

// Serialises the list into Dst from Pos and returns the position after the last byte. Raises
// EConfigImageError, writing nothing, when the image does not fit in Dst.
Integer Write_EnOcean_Bank(const std::vector<TEnOcean_ID_Info>& List, Integer Pos,
                           std::vector<Byte>& Dst);

// ---- The builder ----

// Builds both banks and writes them. The main window's Update Device step calls Create_Bin and then
// Save_Bin; an error in either ends the step before the update dialog opens.
class TSaveBincc {
 public:
  TSaveBincc();

  // Builds both banks from the configuration files and the catalogue. On an error nothing of the
  // new build is kept and Save_Bin refuses to write.
  void Create_Bin(const String& File_ParGen, const String& File_EnOcean,
                  const TCatalog_EnOcean& Catalog);
  // Writes both bank files (Save_Bin_Files).
  void Save_Bin(const String& Path_Conf) const;
  // Writes "bin/bank1.bin" and "bin/bank2.bin" in Path_Conf. Each file is written to a temporary
  // file in the same folder first and renamed over the old one only when both were written
  // completely, so no half-written bank file is ever left behind. Raises EConfigImageError.
  void Save_Bin_Files(const String& Path_Conf) const;

  // The whole build: defaults, "ParGen.xml", the EnOcean tables, then both banks.
  void Build_Configuration_Image(const String& File_ParGen, const String& File_EnOcean,
                                 const TCatalog_EnOcean& Catalog);

  TBank1_Params Param_Rec;
  std::vector<TEnOcean_ID_Info> EnOcean_ID_List;
  std::vector<Byte> Bank1_Buf;
  std::vector<Byte> Bank2_Buf;
  Integer Bank1_Len = 0;
  Integer Bank2_Len = 0;

 private:
  bool FBuilt = false;
};
