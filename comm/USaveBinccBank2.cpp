// The EnOcean tables of bank 2: reading "EnOcean.xml" into the device list, giving every table its
// device-memory address, and serialising the list.
#include "comm/USaveBincc.h"
#include "enocean/EnOceanFile.h"
#include "enocean/UEnOcean_Catalog.h"

namespace {

// A value of the network as the device takes it: the low 32 bits (8 bits for a byte field).
Cardinal Low32(Integer Value) { return static_cast<Cardinal>(Value); }
Byte Low8(Integer Value) { return static_cast<Byte>(static_cast<Cardinal>(Value) & 0xFFu); }

// A number the network keeps as typed text (the Id, the rolling code), converted as the file's
// numbers are; a text that is not a number raises EConvertError.
Cardinal Text_Cardinal(const String& Text) {
  return static_cast<Cardinal>(static_cast<UInt64>(StrToInt64(Text)) & 0xFFFFFFFFu);
}

// A catalogue value equals a table value only when it is not negative.
bool Same(Integer Catalog_Value, Cardinal Table_Value) {
  return Catalog_Value >= 0 && static_cast<Cardinal>(Catalog_Value) == Table_Value;
}

// Adds one variable to the EEP: to the first case carrying the variable's selector triple, or to a
// new case when there is none. A variable whose case the catalogue does not hold is skipped.
void Add_Variable(TEnOcean_Eep_Info& Eep, Integer FuncNum, Integer TypeNum, const TVarEnOcean& Var,
                  const TCatalog_EnOcean& Catalog) {
  const TCase* Case = Catalog.Get_CaseObj(static_cast<Integer>(Eep.Rorg), FuncNum, TypeNum, Var.FCaseIndex);
  if (Case == nullptr) return;

  TEnOcean_Var_Info V;
  V.BitSize = Low32(Var.FBitSize);
  V.BitOffset = Low32(Var.FBitOffs);
  V.Position = Low32(Var.FPosition);
  V.Size = Low32(Var.FBitStart);

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

TEnOcean_ID_Info Image_Device(const TDevice_EnOcean& Dev, const TCatalog_EnOcean& Catalog) {
  TEnOcean_ID_Info D;
  D.Id = Text_Cardinal(Dev.FId);
  D.SecurityOption = Low32(Dev.FSecure_Type);
  TEnOcean_Security_Info& S = D.Security_Info;
  if (D.SecurityOption == 1) S.PreSharedKey = Dev.FKey;
  if (D.SecurityOption > 1) {
    S.PrivateKey = Dev.FKey;
    S.RollingCode = Text_Cardinal(Dev.FRollCode);
    S.RLCAlgorithm = Low8(Dev.FRollCodeAlg);
    S.RLCTx = Low8(Dev.FRollCodeTx);
    S.MACAlgorithm = Low8(Dev.FCMACAlg);
    S.DataEncryption = static_cast<Byte>(Map_Data_Encryption(Dev.FDataCript));
    S.SenderIsPTM = Low8(Dev.FPTM);
  }
  for (const auto& Eep_Node : Dev.UnidirectionalList) {
    TEnOcean_Eep_Info Eep;
    Eep.Rorg = Low32(Eep_Node->FRorgNum);
    for (const auto& Var : Eep_Node->VariableList) {
      Add_Variable(Eep, Eep_Node->FFuncNum, Eep_Node->FTypeNum, *Var, Catalog);
    }
    D.UniEepTable.push_back(std::move(Eep));
  }
  D.UniEepNum = static_cast<Cardinal>(D.UniEepTable.size());
  // The Smart-ACK and remote lists of the network file do not go into the image.
  D.SAEepNum = 0;
  return D;
}

// Whether the image needs the value a problem names. A variable whose case the catalogue does not
// hold is skipped by the image, so nothing of it is needed.
bool Image_Needs(const TNetwork_File& Network, const TNetwork_File_Problem& P, const TCatalog_EnOcean& Catalog) {
  if (!P.Image) return false;
  if (P.Device < 1 || P.EEP < 1 || P.Variable < 1) return true;
  const TRorFunTyp& Eep = *Network.Devices.at(static_cast<size_t>(P.Device - 1))
                               ->UnidirectionalList.at(static_cast<size_t>(P.EEP - 1));
  const TVarEnOcean& Var = *Eep.VariableList.at(static_cast<size_t>(P.Variable - 1));
  return Catalog.Get_CaseObj(Eep.FRorgNum, Eep.FFuncNum, Eep.FTypeNum, Var.FCaseIndex) != nullptr;
}

[[noreturn]] void Network_Error(const String& Line) {
  throw EConfigImageError(u"Error in the EnOcean network, " + Line);
}

}  // namespace

std::vector<TEnOcean_ID_Info> EnOcean_Image_Tables(Cardinal Base, const TNetwork_File& Network,
                                                   const TCatalog_EnOcean& Catalog) {
  // A value the image needs that the file did not hold as a number: nothing is built from it.
  for (const TNetwork_File_Problem& P : Network.Problems) {
    if (Image_Needs(Network, P, Catalog)) Network_Error(Network_Problem_Line(P));
  }
  std::vector<TEnOcean_ID_Info> List;
  Integer N = 0;
  for (const auto& Dev : Network.Devices) {
    ++N;
    try {
      List.push_back(Image_Device(*Dev, Catalog));
    } catch (const EConvertError& E) {
      // Name the device, so the user can find it in the network editor.
      TNetwork_File_Problem P;
      P.Device = N;
      P.Id = Dev->FId;
      P.Text = E.Message();
      Network_Error(Network_Problem_Line(P));
    }
  }
  Assign_EnOcean_Addresses(List, Base);
  return List;
}

namespace {

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
  return EnOcean_Image_Tables(Base, Read_Network_File(File_EnOcean), Catalog);
}

std::vector<TEnOcean_ID_Info> Read_EnOcean_XML_Bytes(Cardinal Base, const std::string& Bytes,
                                                     const TCatalog_EnOcean& Catalog) {
  return EnOcean_Image_Tables(Base, Read_Network_Bytes(Bytes), Catalog);
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
