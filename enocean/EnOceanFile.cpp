#include "enocean/EnOceanFile.h"

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

const char16_t* const EnOcean_File_Version = u"1.000";

namespace {

void Write_EEP_List(IXMLNode Parent, const char16_t* Name, const TRorFunTyp_List& List) {
  IXMLNode node = Parent.AddChild(Name);
  for (const auto& eep : List) {
    IXMLNode item = node.AddChild(u"RorgFuncType");
    item.SetAttributes(u"RorgNum", eep->FRorgNum);
    item.SetAttributes(u"FuncNum", eep->FFuncNum);
    item.SetAttributes(u"TypeNum", eep->FTypeNum);
    IXMLNode vars = item.AddChild(u"VariablesList");
    for (const auto& var : eep->VariableList) {
      IXMLNode v = vars.AddChild(u"Variable");
      v.SetAttributes(u"CaseInd", var->FCaseIndex);
      v.SetAttributes(u"Data", var->FData);
      v.SetAttributes(u"BitOffs", var->FBitOffs);
      v.SetAttributes(u"BitSize", var->FBitSize);
      v.SetAttributes(u"Position", var->FPosition);
      v.SetAttributes(u"BitStart", var->FBitStart);
    }
  }
}

// Reads the file into the model, taking every value it can and noting what it cannot.
class TNetwork_Reader {
 public:
  TNetwork_File Result;

  void Read(const TXMLDocument& Doc) {
    IXMLNode root;
    for (IXMLNode node : Doc.ChildNodes()) {
      if (node.NodeType() == ntElement && node.NodeName() == u"EnOcean") {
        root = node;
        break;
      }
    }
    const IXMLNode devices = root ? root.ChildNodes().FindNode(u"DevicesList") : IXMLNode();
    if (!devices) {
      Problem(root ? u"the file has no element \"DevicesList\"" : u"the file has no element \"EnOcean\"", false);
      return;
    }
    for (IXMLNode node : devices.ChildNodes()) {
      if (node.NodeType() != ntElement) continue;
      Result.Devices.push_back(Read_Device(node));
    }
  }

 private:
  TNetwork_File_Problem FAt;  // the place being read: device, list, EEP and variable

  void Problem(const String& Text, bool Image) {
    TNetwork_File_Problem p = FAt;
    p.Text = Text;
    p.Image = Image;
    Result.Problems.push_back(std::move(p));
  }

  String Text(const IXMLNode& Node, const char16_t* Name, bool Image = false) {
    if (Node.HasAttribute(Name)) return Node.Attributes(Name);
    Problem(u"\"" + String(Name) + u"\" is missing; read as empty", Image);
    return String();
  }

  // A number as the device takes it: the low 32 bits of its 64-bit value.
  Integer Number(const IXMLNode& Node, const char16_t* Name, bool Image) {
    if (!Node.HasAttribute(Name)) {
      Problem(u"\"" + String(Name) + u"\" is missing; read as 0", Image);
      return 0;
    }
    const String text = Node.Attributes(Name);
    Int64 value = 0;
    if (!TryStrToInt64(text, value)) {
      Problem(u"\"" + String(Name) + u"\" is \"" + text + u"\", not a number; read as 0", Image);
      return 0;
    }
    const auto low = static_cast<Integer>(static_cast<Cardinal>(static_cast<UInt64>(value) & 0xFFFFFFFFu));
    if (value < INT32_MIN || value > static_cast<Int64>(UINT32_MAX)) {
      Problem(u"\"" + String(Name) + u"\" is \"" + text + u"\", past 32 bits; read as " + IntToStr(low), false);
    }
    return low;
  }

  std::unique_ptr<TDevice_EnOcean> Read_Device(const IXMLNode& Node) {
    const Integer number = FAt.Device + 1;
    FAt = TNetwork_File_Problem();
    FAt.Device = number;
    FAt.Id = Node.Attributes(u"Id");
    auto device = std::make_unique<TDevice_EnOcean>();
    device->FId = Text(Node, u"Id", true);
    device->FSecure_Type = Number(Node, u"Secure_Type", true);
    device->FKey = Text(Node, u"Key");
    device->FRollCode = Text(Node, u"RollCode");
    // The image takes the security numbers only from a device of type 2 (compared unsigned).
    const bool manual = static_cast<Cardinal>(device->FSecure_Type) > 1;
    device->FRollCodeAlg = Number(Node, u"RollCodeAlg", manual);
    device->FRollCodeTx = Number(Node, u"RollCodeTx", manual);
    device->FCMACAlg = Number(Node, u"CMACAlg", manual);
    device->FDataCript = Number(Node, u"DataCript", manual);
    device->FPTM = Number(Node, u"PTM", manual);
    const IXMLNodeList children = Node.ChildNodes();
    if (const IXMLNode list = children.FindNode(u"UnidirectionalList")) {
      Read_EEP_List(list, false, device->UnidirectionalList);
    }
    if (const IXMLNode list = children.FindNode(u"SmartACKList")) {
      Read_EEP_List(list, true, device->SmartACKList);
    }
    return device;
  }

  void Read_EEP_List(const IXMLNode& Node, bool Smart_ACK, TRorFunTyp_List& List) {
    const bool Image = !Smart_ACK;
    FAt.Smart_ACK = Smart_ACK;
    FAt.EEP = 0;
    for (IXMLNode item : Node.ChildNodes()) {
      if (item.NodeType() != ntElement) continue;
      ++FAt.EEP;
      FAt.Variable = 0;
      auto eep = std::make_unique<TRorFunTyp>();
      eep->FRorgNum = Number(item, u"RorgNum", Image);
      eep->FFuncNum = Number(item, u"FuncNum", Image);
      eep->FTypeNum = Number(item, u"TypeNum", Image);
      const IXMLNode vars = item.ChildNodes().FindNode(u"VariablesList");
      if (vars) {
        Read_Variables(vars, Image, *eep);
      } else {
        Problem(u"\"VariablesList\" is missing; read as no variables", Image);
      }
      List.push_back(std::move(eep));
    }
  }

  void Read_Variables(const IXMLNode& Node, bool Image, TRorFunTyp& Eep) {
    for (IXMLNode node : Node.ChildNodes()) {
      if (node.NodeType() != ntElement) continue;
      ++FAt.Variable;
      auto var = std::make_unique<TVarEnOcean>();
      var->FCaseIndex = Number(node, u"CaseInd", false);
      var->FData = Text(node, u"Data");
      var->FBitOffs = Number(node, u"BitOffs", Image);
      var->FBitSize = Number(node, u"BitSize", Image);
      var->FPosition = Number(node, u"Position", Image);
      var->FBitStart = Number(node, u"BitStart", Image);
      Eep.VariableList.push_back(std::move(var));
    }
  }
};

TNetwork_File Read_Document(const TXMLDocument& Doc) {
  TNetwork_Reader reader;
  reader.Read(Doc);
  return std::move(reader.Result);
}

}  // namespace

namespace {

// Builds the whole file in Doc.
void Build_Document(TXMLDocument& Doc, const TDevice_EnOcean_List& DevList) {
  Doc.SetActive(true);
  Doc.Clear();
  IXMLNode root = Doc.AddChild(u"EnOcean");
  Doc.ChildNodes().Add(Doc.CreateNode(u"SW_VERSION = " + String(EnOcean_File_Version), ntComment));
  IXMLNode devices = root.AddChild(u"DevicesList");
  for (const auto& device : DevList) {
    IXMLNode node = devices.AddChild(u"Device");
    node.SetAttributes(u"Id", device->FId);
    node.SetAttributes(u"Secure_Type", device->FSecure_Type);
    node.SetAttributes(u"Key", device->FKey);
    node.SetAttributes(u"RollCode", device->FRollCode);
    node.SetAttributes(u"RollCodeAlg", device->FRollCodeAlg);
    node.SetAttributes(u"RollCodeTx", device->FRollCodeTx);
    node.SetAttributes(u"CMACAlg", device->FCMACAlg);
    node.SetAttributes(u"DataCript", device->FDataCript);
    node.SetAttributes(u"PTM", device->FPTM);
    Write_EEP_List(node, u"UnidirectionalList", device->UnidirectionalList);
    Write_EEP_List(node, u"SmartACKList", device->SmartACKList);
    node.AddChild(u"Remote");
  }
}

}  // namespace

bool Save_Configuration(const TDevice_EnOcean_List& DevList, const String& FileName, String* Error) {
  try {
    TXMLDocument doc;
    Build_Document(doc, DevList);
    doc.SaveToFile(FileName);
    return true;
  } catch (const Exception& E) {
    if (Error) *Error = E.Message();
    return false;
  } catch (const std::exception& E) {
    if (Error) *Error = Utf8ToString(E.what());
    return false;
  }
}

std::string Network_File_Bytes(const TDevice_EnOcean_List& DevList) {
  TXMLDocument doc;
  Build_Document(doc, DevList);
  return doc.SaveToBytes();
}

TNetwork_File Read_Network_File(const String& FileName) {
  if (FileMissing(FileName)) return TNetwork_File();
  return ReadXMLFile(FileName, Max_Network_File_Size, [](TXMLDocument& doc) { return Read_Document(doc); });
}

TNetwork_File Read_Network_Bytes(const std::string& Bytes) {
  TXMLDocument doc;
  doc.LoadFromBytes(Bytes);
  return Read_Document(doc);
}

String Network_Problem_Line(const TNetwork_File_Problem& Problem) {
  if (Problem.Device == 0) return Problem.Text;
  String line = u"device " + IntToStr(Problem.Device) + u" (Id \"" + Problem.Id + u"\")";
  if (Problem.EEP > 0) line += (Problem.Smart_ACK ? u", Smart-ACK EEP " : u", unidirectional EEP ") + IntToStr(Problem.EEP);
  if (Problem.Variable > 0) line += u", variable " + IntToStr(Problem.Variable);
  return line + u": " + Problem.Text;
}

String Network_Problems_Text(const std::vector<TNetwork_File_Problem>& Problems, Integer Max) {
  String text;
  const auto count = static_cast<Integer>(Problems.size());
  for (Integer i = 0; i < count && i < Max; ++i) text += sLineBreak + Network_Problem_Line(Problems[static_cast<size_t>(i)]);
  if (count > Max) text += sLineBreak + u"... and " + IntToStr(count - Max) + u" more";
  return text;
}
