// The EnOcean tables of bank 2: reading "EnOcean.xml" into the device list, giving every table its
// device-memory address, and serialising the list.
#include "comm/USaveBincc.h"
#include "enocean/UEnOcean_Catalog.h"
#include "platform/xml/XMLDoc.h"

namespace {

// An attribute as a 32-bit value: a 64-bit conversion of which the low 32 bits are kept. A missing
// attribute or a text that is not an integer raises.
Cardinal Attr_Cardinal(const IXMLNode& Node, const char16_t* Name) {
  return static_cast<Cardinal>(static_cast<UInt64>(Node.AttributeAsInt64(Name)) & 0xFFFFFFFFu);
}

Byte Attr_Byte(const IXMLNode& Node, const char16_t* Name) {
  return static_cast<Byte>(static_cast<UInt64>(Node.AttributeAsInt64(Name)) & 0xFFu);
}

// A catalogue value equals a table value only when it is not negative.
bool Same(Integer Catalog_Value, Cardinal Table_Value) {
  return Catalog_Value >= 0 && static_cast<Cardinal>(Catalog_Value) == Table_Value;
}

// Adds one variable to the EEP: to the first case carrying the variable's selector triple, or to a
// new case when there is none. A variable whose case the catalogue does not hold is skipped.
void Add_Variable(TEnOcean_Eep_Info& Eep, Integer FuncNum, Integer TypeNum, const IXMLNode& Var,
                  const TCatalog_EnOcean& Catalog) {
  const Integer CaseInd = StrToIntDef(Var.Attributes(u"CaseInd"), 0);
  const TCase* Case = Catalog.Get_CaseObj(static_cast<Integer>(Eep.Rorg), FuncNum, TypeNum, CaseInd);
  if (Case == nullptr) return;

  TEnOcean_Var_Info V;
  V.BitSize = Attr_Cardinal(Var, u"BitSize");
  V.BitOffset = Attr_Cardinal(Var, u"BitOffs");
  V.Position = Attr_Cardinal(Var, u"Position");
  V.Size = Attr_Cardinal(Var, u"BitStart");

  for (TEnOcean_Case_Info& C : Eep.CaseTable) {
    if (Same(Case->FCaseIdSize, C.InCaseIdSize) && Same(Case->FCaseIdOffset, C.InCaseIdOffset) &&
        Same(Case->FCaseId, C.InCase)) {
      C.InVarTable.push_back(V);
      C.InVarNum = static_cast<Cardinal>(C.InVarTable.size());
      return;
    }
  }
  TEnOcean_Case_Info C;
  C.InCaseIdSize = static_cast<Cardinal>(Case->FCaseIdSize);
  C.InCaseIdOffset = static_cast<Cardinal>(Case->FCaseIdOffset);
  C.InCase = static_cast<Cardinal>(Case->FCaseId);
  C.InVarTable.push_back(V);
  C.InVarNum = 1;
  Eep.CaseTable.push_back(std::move(C));
  Eep.CaseNum = static_cast<Cardinal>(Eep.CaseTable.size());
}

TEnOcean_ID_Info Read_Device(const IXMLNode& Dev, const TCatalog_EnOcean& Catalog) {
  TEnOcean_ID_Info D;
  D.Id = Attr_Cardinal(Dev, u"Id");
  D.SecurityOption = Attr_Cardinal(Dev, u"Secure_Type");
  TEnOcean_Security_Info& S = D.Security_Info;
  if (D.SecurityOption != 0) {
    if (D.SecurityOption == 1) {
      S.PreSharedKey = Dev.Attributes(u"Key");
    } else {
      S.PrivateKey = Dev.Attributes(u"Key");
    }
  }
  if (D.SecurityOption > 1) {
    S.RollingCode = Attr_Cardinal(Dev, u"RollCode");
    S.RLCAlgorithm = Attr_Byte(Dev, u"RollCodeAlg");
    S.RLCTx = Attr_Byte(Dev, u"RollCodeTx");
    S.MACAlgorithm = Attr_Byte(Dev, u"CMACAlg");
    S.DataEncryption = static_cast<Byte>(
        Map_Data_Encryption(static_cast<Integer>(Attr_Cardinal(Dev, u"DataCript"))));
    S.SenderIsPTM = Attr_Byte(Dev, u"PTM");
  }

  const IXMLNode Uni = Dev.ChildNodes().FindNode(u"UnidirectionalList");
  if (!Uni.IsNull()) {
    for (IXMLNode EepNode : Uni.ChildNodes()) {
      TEnOcean_Eep_Info Eep;
      Eep.Rorg = Attr_Cardinal(EepNode, u"RorgNum");
      const Integer FuncNum = static_cast<Integer>(Attr_Cardinal(EepNode, u"FuncNum"));
      const Integer TypeNum = static_cast<Integer>(Attr_Cardinal(EepNode, u"TypeNum"));
      const IXMLNode Vars = EepNode.ChildNodes().FindNode(u"VariablesList");
      if (Vars.IsNull()) {
        throw EConfigImageError(u"an EEP has no list of variables");
      }
      for (IXMLNode Var : Vars.ChildNodes()) Add_Variable(Eep, FuncNum, TypeNum, Var, Catalog);
      D.UniEepTable.push_back(std::move(Eep));
    }
  }
  D.UniEepNum = static_cast<Cardinal>(D.UniEepTable.size());
  // The Smart-ACK and remote lists of the network file do not go into the image.
  D.SAEepNum = 0;
  return D;
}

std::vector<TEnOcean_ID_Info> Read_Document(Cardinal Base, const TXMLDocument& Doc,
                                            const TCatalog_EnOcean& Catalog) {
  std::vector<TEnOcean_ID_Info> List;
  IXMLNode Root;
  for (IXMLNode Node : Doc.ChildNodes()) {
    if (Node.NodeType() == ntElement && Node.NodeName() == u"EnOcean") {
      Root = Node;
      break;
    }
  }
  if (!Root.IsNull()) {
    const IXMLNode Devices = Root.ChildNodes().FindNode(u"DevicesList");
    if (!Devices.IsNull()) {
      Integer N = 0;
      for (IXMLNode Dev : Devices.ChildNodes()) {
        ++N;
        try {
          List.push_back(Read_Device(Dev, Catalog));
        } catch (const Exception& E) {
          // Name the device, so the user can find it in the network editor.
          throw EConfigImageError(u"Error in the EnOcean network, device " + IntToStr(N) + u" (Id \"" +
                                  Dev.Attributes(u"Id") + u"\"): " + E.Message());
        }
      }
    }
  }
  Assign_EnOcean_Addresses(List, Base);
  return List;
}

// Little-endian output into a buffer whose room was checked before.
struct TWriter {
  std::vector<Byte>& Dst;
  size_t P;
  void U8(Byte V) { Dst[P++] = V; }
  void U16(Word V) {
    U8(static_cast<Byte>(V));
    U8(static_cast<Byte>(V >> 8));
  }
  void U32(Cardinal V) {
    for (int i = 0; i < 4; ++i) U8(static_cast<Byte>(V >> (8 * i)));
  }
  // The first 16 characters of a key, one byte each (the low 8 bits), zero-padded to 16.
  void Key(const String& K) {
    for (size_t i = 0; i < 16; ++i) U8(i < K.size() ? static_cast<Byte>(K[i] & 0xFF) : 0);
  }
};

}  // namespace

Integer Map_Data_Encryption(Integer Index) {
  switch (Index) {
    case 1: return 3;
    case 2: return 4;
    default: return 0;
  }
}

std::vector<TEnOcean_ID_Info> Read_EnOcean_XML(Cardinal Base, const String& File_EnOcean,
                                               const TCatalog_EnOcean& Catalog) {
  if (!FileExists(File_EnOcean)) {
    std::vector<TEnOcean_ID_Info> Empty;
    Assign_EnOcean_Addresses(Empty, Base);
    return Empty;
  }
  TXMLDocument Doc;
  Doc.LoadFromFile(File_EnOcean);
  return Read_Document(Base, Doc, Catalog);
}

std::vector<TEnOcean_ID_Info> Read_EnOcean_XML_Bytes(Cardinal Base, const std::string& Bytes,
                                                     const TCatalog_EnOcean& Catalog) {
  TXMLDocument Doc;
  Doc.LoadFromBytes(Bytes);
  return Read_Document(Base, Doc, Catalog);
}

Int64 EnOcean_Image_Size(const std::vector<TEnOcean_ID_Info>& List) {
  Int64 Size = Bank2_Header_Size;
  for (const TEnOcean_ID_Info& D : List) {
    Size += Bank2_Device_Size + Bank2_Security_Size;
    for (const auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (const TEnOcean_Eep_Info& E : *Table) {
        Size += Bank2_Eep_Size;
        for (const TEnOcean_Case_Info& C : E.CaseTable) {
          Size += Bank2_Case_Size +
                  Bank2_Var_Size * static_cast<Int64>(C.InVarTable.size() + C.OutVarTable.size());
        }
      }
    }
  }
  return Size;
}

Int64 Assign_EnOcean_Addresses(std::vector<TEnOcean_ID_Info>& List, Cardinal Base) {
  // The counts always describe the tables they count.
  for (TEnOcean_ID_Info& D : List) {
    D.UniEepNum = static_cast<Cardinal>(D.UniEepTable.size());
    D.SAEepNum = static_cast<Cardinal>(D.SAEepTable.size());
    for (auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (TEnOcean_Eep_Info& E : *Table) {
        E.CaseNum = static_cast<Cardinal>(E.CaseTable.size());
        for (TEnOcean_Case_Info& C : E.CaseTable) {
          C.InVarNum = static_cast<Cardinal>(C.InVarTable.size());
          C.OutVarNum = static_cast<Cardinal>(C.OutVarTable.size());
        }
      }
    }
  }

  // The running address follows the order in which the sections are written.
  Int64 A = static_cast<Int64>(Base) + Bank2_Header_Size + Bank2_Device_Size * static_cast<Int64>(List.size());
  for (TEnOcean_ID_Info& D : List) {
    D.SecAdd = static_cast<Cardinal>(A);
    A += Bank2_Security_Size;
  }
  for (TEnOcean_ID_Info& D : List) {
    D.UniEepAdd = static_cast<Cardinal>(A);
    A += Bank2_Eep_Size * static_cast<Int64>(D.UniEepNum);
    D.SAEepAdd = static_cast<Cardinal>(A);
    A += Bank2_Eep_Size * static_cast<Int64>(D.SAEepNum);
  }
  for (TEnOcean_ID_Info& D : List) {
    for (auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (TEnOcean_Eep_Info& E : *Table) {
        E.CaseAdd = static_cast<Cardinal>(A);
        A += Bank2_Case_Size * static_cast<Int64>(E.CaseNum);
      }
    }
  }
  for (TEnOcean_ID_Info& D : List) {
    for (auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (TEnOcean_Eep_Info& E : *Table) {
        for (TEnOcean_Case_Info& C : E.CaseTable) {
          C.InVarAdd = static_cast<Cardinal>(A);
          C.OutVarAdd = static_cast<Cardinal>(A + Bank2_Var_Size * static_cast<Int64>(C.InVarNum));
          A += Bank2_Var_Size * static_cast<Int64>(C.InVarNum + static_cast<Int64>(C.OutVarNum));
        }
      }
    }
  }
  return A - Base;
}

Integer Write_EnOcean_Bank(const std::vector<TEnOcean_ID_Info>& List, Integer Pos,
                           std::vector<Byte>& Dst) {
  const Int64 Size = EnOcean_Image_Size(List);
  if (Pos < 0 || Pos + Size > static_cast<Int64>(Dst.size())) {
    throw EConfigImageError(u"The EnOcean network needs " + IntToStr(Size) +
                            u" bytes in the configuration image, more than the " +
                            IntToStr(static_cast<Int64>(Dst.size())) + u" bytes it can hold.");
  }
  TWriter W{Dst, static_cast<size_t>(Pos)};

  W.U32(static_cast<Cardinal>(List.size()));
  W.U32(EnOcean_Image_Base + Bank2_Header_Size);
  for (const TEnOcean_ID_Info& D : List) {
    W.U32(D.Id);
    W.U32(D.SecurityOption);
    W.U32(D.SecAdd);
    W.U32(D.UniEepNum);
    W.U32(D.UniEepAdd);
    W.U32(D.SAEepNum);
    W.U32(D.SAEepAdd);
  }
  for (const TEnOcean_ID_Info& D : List) {
    const TEnOcean_Security_Info& S = D.Security_Info;
    W.Key(S.PreSharedKey);
    W.Key(S.PrivateKey);
    W.U32(S.RollingCode);
    W.U8(S.RLCAlgorithm);
    W.U8(S.RLCTx);
    W.U8(S.MACAlgorithm);
    W.U8(S.DataEncryption);
    W.U8(S.SenderIsPTM);
    W.U8(S.UnusedChar);
    W.U16(S.UnusedShort);
  }
  for (const TEnOcean_ID_Info& D : List) {
    for (const auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (const TEnOcean_Eep_Info& E : *Table) {
        W.U32(E.Rorg);
        W.U32(E.CaseNum);
        W.U32(E.CaseAdd);
      }
    }
  }
  for (const TEnOcean_ID_Info& D : List) {
    for (const auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (const TEnOcean_Eep_Info& E : *Table) {
        for (const TEnOcean_Case_Info& C : E.CaseTable) {
          W.U32(C.InCaseIdSize);
          W.U32(C.InCaseIdOffset);
          W.U32(C.InCase);
          W.U32(C.InVarNum);
          W.U32(C.InVarAdd);
          W.U32(C.OutCaseIdSize);
          W.U32(C.OutCaseIdOffset);
          W.U32(C.OutCase);
          W.U32(C.OutVarNum);
          W.U32(C.OutVarAdd);
        }
      }
    }
  }
  for (const TEnOcean_ID_Info& D : List) {
    for (const auto* Table : {&D.UniEepTable, &D.SAEepTable}) {
      for (const TEnOcean_Eep_Info& E : *Table) {
        for (const TEnOcean_Case_Info& C : E.CaseTable) {
          for (const auto* Vars : {&C.InVarTable, &C.OutVarTable}) {
            for (const TEnOcean_Var_Info& V : *Vars) {
              W.U32(V.BitSize);
              W.U32(V.BitOffset);
              W.U32(V.Position);
              W.U32(V.Size);
            }
          }
        }
      }
    }
  }
  return static_cast<Integer>(W.P);
}
