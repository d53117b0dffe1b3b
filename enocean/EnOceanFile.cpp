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

// A text attribute that must be there: a missing one ends the reading like a missing number.
String Text_Attribute(const IXMLNode& Node, const char16_t* Name) {
  if (!Node.HasAttribute(Name)) {
    throw EXMLDocError(u"Attribute \"" + String(Name) + u"\" not found");
  }
  return Node.Attributes(Name);
}

void Read_EEP_List(const IXMLNode& Node, TRorFunTyp_List& List) {
  for (IXMLNode item : Node.ChildNodes()) {
    auto eep = std::make_unique<TRorFunTyp>();
    eep->FRorgNum = item.AttributeAsInteger(u"RorgNum");
    eep->FFuncNum = item.AttributeAsInteger(u"FuncNum");
    eep->FTypeNum = item.AttributeAsInteger(u"TypeNum");
    const IXMLNode vars = item.ChildNodes().FindNode(u"VariablesList");
    if (!vars) throw EXMLDocError(u"Node \"VariablesList\" not found");
    for (IXMLNode v : vars.ChildNodes()) {
      auto var = std::make_unique<TVarEnOcean>();
      var->FCaseIndex = v.AttributeAsInteger(u"CaseInd");
      var->FData = Text_Attribute(v, u"Data");
      var->FBitOffs = v.AttributeAsInteger(u"BitOffs");
      var->FBitSize = v.AttributeAsInteger(u"BitSize");
      var->FPosition = v.AttributeAsInteger(u"Position");
      var->FBitStart = v.AttributeAsInteger(u"BitStart");
      eep->VariableList.push_back(std::move(var));
    }
    List.push_back(std::move(eep));
  }
}

void Read_Network(const TXMLDocument& Doc, TDevice_EnOcean_List& DevList) {
  IXMLNode root;
  for (IXMLNode node : Doc.ChildNodes()) {
    if (node.NodeType() == ntElement && node.NodeName() == u"EnOcean") {
      root = node;
      break;
    }
  }
  if (!root) return;
  const IXMLNode devices = root.ChildNodes().FindNode(u"DevicesList");
  if (!devices) return;
  // Every child counts as a device, whatever its name: one without the attributes ends the reading.
  for (IXMLNode node : devices.ChildNodes()) {
    auto device = std::make_unique<TDevice_EnOcean>();
    device->FId = Text_Attribute(node, u"Id");
    device->FSecure_Type = node.AttributeAsInteger(u"Secure_Type");
    device->FKey = Text_Attribute(node, u"Key");
    device->FRollCode = Text_Attribute(node, u"RollCode");
    device->FRollCodeAlg = node.AttributeAsInteger(u"RollCodeAlg");
    device->FRollCodeTx = node.AttributeAsInteger(u"RollCodeTx");
    device->FCMACAlg = node.AttributeAsInteger(u"CMACAlg");
    device->FDataCript = node.AttributeAsInteger(u"DataCript");
    device->FPTM = node.AttributeAsInteger(u"PTM");
    const IXMLNodeList children = node.ChildNodes();
    if (const IXMLNode list = children.FindNode(u"UnidirectionalList")) Read_EEP_List(list, device->UnidirectionalList);
    if (const IXMLNode list = children.FindNode(u"SmartACKList")) Read_EEP_List(list, device->SmartACKList);
    DevList.push_back(std::move(device));
  }
}

}  // namespace

bool Save_Configuration(const TDevice_EnOcean_List& DevList, const String& FileName, String* Error) {
  try {
    TXMLDocument doc;
    doc.SetActive(true);
    doc.Clear();
    IXMLNode root = doc.AddChild(u"EnOcean");
    doc.ChildNodes().Add(doc.CreateNode(u"SW_VERSION = " + String(EnOcean_File_Version), ntComment));
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

bool Load_Configuration(TDevice_EnOcean_List& DevList, const String& FileName, String* Error) {
  if (!FileExists(FileName)) return true;
  try {
    TXMLDocument doc;
    doc.LoadFromFile(FileName);
    Read_Network(doc, DevList);
    return true;
  } catch (const Exception& E) {
    // The devices completed before the error stay.
    if (Error) *Error = E.Message();
  } catch (const std::exception& E) {
    if (Error) *Error = Utf8ToString(E.what());
  }
  return false;
}

void Load_Configuration_Bytes(TDevice_EnOcean_List& DevList, const std::string& Bytes) {
  try {
    TXMLDocument doc;
    doc.LoadFromBytes(Bytes);
    Read_Network(doc, DevList);
  } catch (const std::exception&) {
  }
}
