// The parameter record of bank 1: its layout as data, its defaults, the values taken from
// "ParGen.xml" and the checksum.
#include "comm/ParGenFile.h"
#include "comm/USaveBincc.h"

namespace {

// Shorthands for the layout table: F = separate fields, A = arrays, P = padding.
constexpr TBank1_Field_Row F(Word Ofs, Word Count, Byte Width, Cardinal Def = 0) {
  return {Ofs, Count, 1, Width, false, 1, {Def, 0, 0, 0}};
}
constexpr TBank1_Field_Row F4(Word Ofs, Cardinal D0, Cardinal D1, Cardinal D2, Cardinal D3) {
  return {Ofs, 4, 1, 1, false, 4, {D0, D1, D2, D3}};
}
constexpr TBank1_Field_Row A(Word Ofs, Word Count, Word Elems, Byte Width) {
  return {Ofs, Count, Elems, Width, false, 1, {0, 0, 0, 0}};
}
constexpr TBank1_Field_Row P(Word Ofs, Word Bytes) { return {Ofs, 1, Bytes, 1, true, 1, {0, 0, 0, 0}}; }

const std::vector<TBank1_Field_Row> Layout = {
    F(0x000, 2, 4, 250000),
    F(0x008, 1, 4),
    F(0x00C, 1, 4, 9600),
    F(0x010, 2, 2),
    F(0x014, 5, 4),
    F4(0x028, 192, 168, 2, 205),  // device IP address
    F4(0x02C, 255, 255, 255, 0),  // subnet mask
    F(0x030, 4, 1, 255),          // default gateway
    F(0x034, 1, 2, 10000),
    F(0x036, 2, 2, 10001),
    F(0x03A, 1, 2),
    F(0x03C, 4, 1),
    F(0x040, 4, 4),
    A(0x050, 1, 16, 1),
    F(0x060, 4, 1),
    A(0x064, 1, 4, 1),
    F(0x068, 2, 2),
    F(0x06C, 2, 4),
    F(0x074, 1, 4),  // converter output byte count
    F(0x078, 1, 4),  // converter input byte count
    F(0x07C, 1, 4),
    F(0x080, 1, 1),
    F(0x081, 1, 1),  // PROFIBUS station address
    F(0x082, 2, 1),
    F(0x084, 31, 4),
    F(0x100, 4, 1),
    F(0x104, 2, 4),
    F(0x10C, 2, 2),
    F(0x110, 1, 4),
    A(0x114, 1, 6, 4),
    F(0x12C, 22, 4),
    A(0x184, 3, 4, 1),
    F(0x190, 6, 4),
    F(0x1A8, 12, 1),
    F(0x1B4, 8, 1, 8),
    F(0x1BC, 4, 4),
    F(0x1CC, 10, 2),
    F(0x1E0, 3, 4),
    A(0x1EC, 1, 32, 1),
    F(0x20C, 2, 4),
    A(0x214, 1, 512, 1),
    A(0x414, 1, 8, 4),
    F(0x434, 2, 4),
    F(0x43C, 12, 1),
    F(0x448, 12, 4),
    F(0x478, 2, 2),
    A(0x47C, 1, 32, 1),
    A(0x49C, 1, 64, 1),
    F(0x4DC, 3, 4),
    F(0x4E8, 1, 2),
    F(0x4EA, 2, 1),
    F(0x4EC, 3, 4),
    F(0x4F8, 4, 1),
    F(0x4FC, 4, 4),
    A(0x50C, 2, 4, 1),
    A(0x514, 1, 32, 1),
    F(0x534, 1, 1),
    P(0x535, 1),
    F(0x536, 1, 2),
    F(0x538, 1, 1),
    P(0x539, 3),
    F(0x53C, 2, 4),
    A(0x544, 1, 18, 4),
    A(0x58C, 1, 4, 1),  // DNS server address
    F(0x590, 1, 4),
    F(0x594, 4, 2),
    F(0x59C, 5, 4),
    A(0x5B0, 1, 20, 1),
    A(0x5C4, 2, 16, 1),
    F(0x5E4, 8, 4),
    F(0x604, 1, 4),  // address of the EnOcean tables
    F(0x608, 1, 4),  // 1 after a build
    F(0x60C, 14, 4),
    A(0x644, 1, 47, 4),
    F(0x700, 4, 4),
    A(0x710, 1, 20, 1),  // five groups of four bytes
    A(0x724, 2, 8, 1),
    A(0x734, 1, 2, 4),
    F(0x73C, 1, 4),
    A(0x740, 2, 16, 1),
    F(0x760, 6, 4),
    A(0x778, 1, 128, 1),
    F(0x7F8, 1, 4),
    F(0x7FC, 1, 4),  // checksum
};

void Put(TBank1_Params& Rec, Integer Ofs, Byte Width, Cardinal V) {
  switch (Width) {
    case 1: Rec.Set_Byte(Ofs, static_cast<Byte>(V)); break;
    case 2: Rec.Set_Word(Ofs, static_cast<Word>(V)); break;
    default: Rec.Set_Cardinal(Ofs, V); break;
  }
}

// The four octets of an address: each element's text converted with its own default, kept as the
// low 8 bits.
void Read_Octets(const TParGen_Reader& R, const char16_t* const Names[4], const Byte Defaults[4],
                 TBank1_Params& Rec, Integer Ofs) {
  for (int i = 0; i < 4; ++i) {
    Rec.Set_Byte(Ofs + i, static_cast<Byte>(R.Read_Integer(Names[i], Defaults[i]) & 0xFF));
  }
}

}  // namespace

const std::vector<TBank1_Field_Row>& Bank1_Field_Table() { return Layout; }

Word TBank1_Params::Get_Word(Integer Ofs) const {
  return static_cast<Word>(Bytes.at(Ofs) | (Bytes.at(Ofs + 1) << 8));
}

Cardinal TBank1_Params::Get_Cardinal(Integer Ofs) const {
  return static_cast<Cardinal>(Bytes.at(Ofs)) | (static_cast<Cardinal>(Bytes.at(Ofs + 1)) << 8) |
         (static_cast<Cardinal>(Bytes.at(Ofs + 2)) << 16) |
         (static_cast<Cardinal>(Bytes.at(Ofs + 3)) << 24);
}

void TBank1_Params::Set_Word(Integer Ofs, Word V) {
  Bytes.at(Ofs) = static_cast<Byte>(V);
  Bytes.at(Ofs + 1) = static_cast<Byte>(V >> 8);
}

void TBank1_Params::Set_Cardinal(Integer Ofs, Cardinal V) {
  for (int i = 0; i < 4; ++i) Bytes.at(Ofs + i) = static_cast<Byte>(V >> (8 * i));
}

void Init_Default_Parameters(TBank1_Params& Param_Rec) {
  Param_Rec.Bytes.fill(0);
  for (const TBank1_Field_Row& Row : Layout) {
    if (Row.Padding) continue;
    const int N = Row.Fields * Row.Elems;
    for (int k = 0; k < N; ++k) {
      const Cardinal V = Row.NDefaults == 1 ? Row.Defaults[0] : Row.Defaults[k];
      Put(Param_Rec, Row.Offset + k * Row.Width, Row.Width, V);
    }
  }
}

void Read_ParGen_XML(TBank1_Params& Param_Rec, const String& File_ParGen) {
  TParGen_Reader R;
  if (R.Load(File_ParGen)) Overlay_ParGen(Param_Rec, R);
}

void Overlay_ParGen(TBank1_Params& Param_Rec, const TParGen_Reader& R) {

  static const char16_t* const IP[4] = {u"Ethernet_IP1", u"Ethernet_IP2", u"Ethernet_IP3",
                                        u"Ethernet_IP4"};
  static const char16_t* const SM[4] = {u"Ethernet_SM1", u"Ethernet_SM2", u"Ethernet_SM3",
                                        u"Ethernet_SM4"};
  static const char16_t* const GAT[4] = {u"Ethernet_GAT1", u"Ethernet_GAT2", u"Ethernet_GAT3",
                                         u"Ethernet_GAT4"};
  static const char16_t* const DNS[4] = {u"Ethernet_DNS1", u"Ethernet_DNS2", u"Ethernet_DNS3",
                                         u"Ethernet_DNS4"};
  static const Byte IP_Def[4] = {192, 168, 0, 10};
  static const Byte SM_Def[4] = {255, 255, 255, 0};
  static const Byte GAT_Def[4] = {192, 168, 0, 1};
  static const Byte DNS_Def[4] = {8, 8, 8, 8};

  Read_Octets(R, IP, IP_Def, Param_Rec, Bank1_Ofs::Ethernet_IP);
  Read_Octets(R, SM, SM_Def, Param_Rec, Bank1_Ofs::Ethernet_SM);
  Read_Octets(R, GAT, GAT_Def, Param_Rec, Bank1_Ofs::Ethernet_GAT);
  // A gateway that is not switched on goes into the image as 255.255.255.255.
  if (!R.Read_Flag(u"Ethernet_EN_GAT")) {
    for (int i = 0; i < 4; ++i) Param_Rec.Set_Byte(Bank1_Ofs::Ethernet_GAT + i, 255);
  }
  Read_Octets(R, DNS, DNS_Def, Param_Rec, Bank1_Ofs::Ethernet_DNS);
  if (!R.Read_Flag(u"Ethernet_EN_DNS")) {
    for (int i = 0; i < 4; ++i) Param_Rec.Set_Byte(Bank1_Ofs::Ethernet_DNS + i, 255);
  }
  Param_Rec.Set_Byte(Bank1_Ofs::Station,
                     static_cast<Byte>(R.Read_Integer(u"PROFIBUS_ID_Device", 1) & 0xFF));
  // The element names say PROFINET; they hold the PROFIBUS byte counts. Input and output lie
  // crossed in the record: the output count comes first.
  const TParGen_Byte_Counts counts = Read_ParGen_Byte_Counts(R, 244);
  Param_Rec.Set_Cardinal(Bank1_Ofs::NB_In, static_cast<Cardinal>(counts.NB_In));
  Param_Rec.Set_Cardinal(Bank1_Ofs::NB_Out, static_cast<Cardinal>(counts.NB_Out));
}

Cardinal Bank1_Checksum(const TBank1_Params& Param_Rec) {
  Cardinal Sum = 0;
  for (Integer i = 0; i < Bank1_Ofs::Checksum; ++i) Sum += Param_Rec.Bytes[i];
  return Sum;
}

Integer Write_Param_Bank(TBank1_Params& Param_Rec, Integer Pos, std::vector<Byte>& Dst) {
  if (Pos < 0 || static_cast<size_t>(Pos) + Bank1_Size > Dst.size()) {
    throw EConfigImageError(u"The parameter record does not fit in its bank.");
  }
  Param_Rec.Set_Cardinal(Bank1_Ofs::Checksum, Bank1_Checksum(Param_Rec));
  std::copy(Param_Rec.Bytes.begin(), Param_Rec.Bytes.end(), Dst.begin() + Pos);
  return Pos + Bank1_Size;
}
