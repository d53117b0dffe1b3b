#include "comm/ParGenFile.h"

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

namespace {

const char16_t* const IP_Names[4] = {u"Ethernet_IP1", u"Ethernet_IP2", u"Ethernet_IP3",
                                     u"Ethernet_IP4"};
const char16_t* const SM_Names[4] = {u"Ethernet_SM1", u"Ethernet_SM2", u"Ethernet_SM3",
                                     u"Ethernet_SM4"};
const char16_t* const GAT_Names[4] = {u"Ethernet_GAT1", u"Ethernet_GAT2", u"Ethernet_GAT3",
                                      u"Ethernet_GAT4"};
const char16_t* const DNS_Names[4] = {u"Ethernet_DNS1", u"Ethernet_DNS2", u"Ethernet_DNS3",
                                      u"Ethernet_DNS4"};

void Read_Octets(const TParGen_Reader& R, const char16_t* const Names[4],
                 std::array<String, 4>& Octets) {
  for (int i = 0; i < 4; ++i) Octets[i] = R.Read_Text(Names[i], Octets[i]);
}

void Add_Value(IXMLNode& Root, const String& Name, const String& Value) {
  Root.AddChild(Name).SetText(Value);
}

void Add_Octets(IXMLNode& Root, const char16_t* const Names[4], const std::array<String, 4>& Octets) {
  for (int i = 0; i < 4; ++i) Add_Value(Root, Names[i], Octets[i]);
}

// Builds the whole document in Doc, replacing what it held.
void Fill_Document(TXMLDocument& Doc, const TParGen_Values& V) {
  Doc.SetActive(true);
  Doc.Clear();
  IXMLNode Root = Doc.AddChild(u"Par_Gen");
  Doc.ChildNodes().Add(Doc.CreateNode(ParGen_Version_Comment, ntComment));
  Add_Octets(Root, IP_Names, V.Ethernet_IP);
  Add_Octets(Root, SM_Names, V.Ethernet_SM);
  Add_Octets(Root, GAT_Names, V.Ethernet_GAT);
  Add_Value(Root, u"Ethernet_EN_GAT", V.Ethernet_EN_GAT ? u"1" : u"0");
  Add_Octets(Root, DNS_Names, V.Ethernet_DNS);
  Add_Value(Root, u"Ethernet_EN_DNS", V.Ethernet_EN_DNS ? u"1" : u"0");
  Add_Value(Root, u"PROFIBUS_ID_Device", V.PROFIBUS_ID_Device);
  Add_Value(Root, ParGen_NB_In_Name, V.PROFINET_NB_IN);
  Add_Value(Root, ParGen_NB_Out_Name, V.PROFINET_NB_OUT);
}

}  // namespace

TParGen_Reader::TParGen_Reader() : FDoc(std::make_unique<TXMLDocument>()) {}
TParGen_Reader::~TParGen_Reader() = default;

bool TParGen_Reader::Load(const String& FileName) {
  FLoaded = false;
  if (FileMissing(FileName)) return false;
  Load_File(FileName);
  return true;
}

void TParGen_Reader::Load_File(const String& FileName) {
  FLoaded = false;
  FDoc->LoadFromFile(FileName, 0, Max_ParGen_File_Size);
  FLoaded = true;
}

void TParGen_Reader::Load_Bytes(const std::string& Bytes) {
  FLoaded = false;
  FDoc->LoadFromBytes(Bytes);
  FLoaded = true;
}

bool TParGen_Reader::Has(const String& Name) const {
  if (!FLoaded) return false;
  try {
    return !FDoc->RootElement().ChildNodes().FindNode(Name).IsNull();
  } catch (const Exception&) {
    return false;
  }
}

String TParGen_Reader::Read_Text(const String& Name, const String& Default) const {
  if (!FLoaded) return Default;
  try {
    const IXMLNode Node = FDoc->RootElement().ChildNodes().FindNode(Name);
    if (Node.IsNull()) return Default;
    return Node.Text();
  } catch (const Exception&) {
    return Default;
  }
}

Integer TParGen_Reader::Read_Integer(const String& Name, Integer Default) const {
  if (!FLoaded) return Default;
  try {
    const IXMLNode Node = FDoc->RootElement().ChildNodes().FindNode(Name);
    if (Node.IsNull()) return Default;
    return DecStrToIntDef(Node.Text(), Default);
  } catch (const Exception&) {
    return Default;
  }
}

bool TParGen_Reader::Read_Flag(const String& Name) const {
  return Read_Text(Name, String()) == u"1";
}

TParGen_Byte_Counts Read_ParGen_Byte_Counts(const TParGen_Reader& Reader, Integer Default) {
  TParGen_Byte_Counts counts;
  counts.NB_In = Reader.Read_Integer(ParGen_NB_In_Name, Default);
  counts.NB_Out = Reader.Read_Integer(ParGen_NB_Out_Name, Default);
  return counts;
}

TParGen_Values Default_ParGen_Values() {
  TParGen_Values V;
  V.Ethernet_IP = {u"192", u"168", u"0", u"10"};
  V.Ethernet_SM = {u"255", u"255", u"255", u"0"};
  V.Ethernet_GAT = {u"192", u"168", u"0", u"1"};
  V.Ethernet_EN_GAT = false;
  V.Ethernet_DNS = {u"8", u"8", u"8", u"8"};
  V.Ethernet_EN_DNS = false;
  V.PROFIBUS_ID_Device = u"10";
  V.PROFINET_NB_IN = u"244";
  V.PROFINET_NB_OUT = u"244";
  return V;
}

TParGen_Values Read_ParGen_Values(const TParGen_Reader& R) {
  TParGen_Values V = Default_ParGen_Values();
  Read_Octets(R, IP_Names, V.Ethernet_IP);
  Read_Octets(R, SM_Names, V.Ethernet_SM);
  Read_Octets(R, GAT_Names, V.Ethernet_GAT);
  V.Ethernet_EN_GAT = R.Read_Flag(u"Ethernet_EN_GAT");
  Read_Octets(R, DNS_Names, V.Ethernet_DNS);
  V.Ethernet_EN_DNS = R.Read_Flag(u"Ethernet_EN_DNS");
  V.PROFIBUS_ID_Device = R.Read_Text(u"PROFIBUS_ID_Device", V.PROFIBUS_ID_Device);
  V.PROFINET_NB_IN = R.Read_Text(ParGen_NB_In_Name, V.PROFINET_NB_IN);
  V.PROFINET_NB_OUT = R.Read_Text(ParGen_NB_Out_Name, V.PROFINET_NB_OUT);
  return V;
}

TParGen_Values Read_ParGen_File(const String& FileName) {
  TParGen_Reader R;
  if (!R.Load(FileName)) return Default_ParGen_Values();
  return Read_ParGen_Values(R);
}

std::string ParGen_File_Bytes(const TParGen_Values& Values) {
  TXMLDocument Doc;
  Fill_Document(Doc, Values);
  return Doc.SaveToBytes();
}

void Write_ParGen_File(const String& FileName, const TParGen_Values& Values) {
  TXMLDocument Doc;
  Fill_Document(Doc, Values);
  Doc.SaveToFile(FileName);
}
