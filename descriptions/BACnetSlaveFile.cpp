#include "descriptions/BACnetSlaveFile.h"

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"

namespace {

const char16_t* const Root_Name = u"BACnet_to_Modbus";
const char16_t* const Read_Name = u"BACnet_in_Read";
const char16_t* const Write_Name = u"BACnet_in_Write";
const char16_t* const Row_Name = u"row";
const char16_t* const Version_Comment = u"SW_VERSION = 1.000";

// The text of a row's attribute; a missing one raises when it is required, else reads as empty.
String Row_Attribute(const IXMLNode& Row, const String& Name, bool Required) {
  if (!Row.HasAttribute(Name)) {
    if (!Required) return String();
    throw EXMLDocError(u"The row of \"BACnet_Slave.xml\" has no attribute \"" + Name + u"\"");
  }
  return Row.Attributes(Name);
}

std::vector<TBACnet_Slave_Row> Read_Table(const IXMLNode& Root, const String& Name,
                                          TBACnet_Slave_Required Need) {
  const bool all = Need == TBACnet_Slave_Required::All_Columns;
  const IXMLNode table = Root.ChildNodes().FindNode(Name);
  if (table.IsNull()) {
    throw EXMLDocError(u"\"BACnet_Slave.xml\" has no element \"" + Name + u"\"");
  }
  std::vector<TBACnet_Slave_Row> rows;
  // Only the row elements are rows: a comment put into a hand-edited file is passed over.
  for (IXMLNode node : table.ChildNodes()) {
    if (node.NodeType() != ntElement || node.NodeName() != Row_Name) continue;
    TBACnet_Slave_Row row;
    row.Data_Type = Row_Attribute(node, u"Data_Type", true);
    row.Eng_Unit = Row_Attribute(node, u"Eng_Unit", true);
    row.Position = Row_Attribute(node, u"Position", all);
    row.Bit = Row_Attribute(node, u"Bit", all);
    row.Length = Row_Attribute(node, u"Length", all);
    if (node.HasAttribute(u"Swap")) row.Swap = node.Attributes(u"Swap");
    row.Mnemonic = Row_Attribute(node, u"Mnemonic", true);
    rows.push_back(std::move(row));
  }
  return rows;
}

TBACnet_Slave_Tables Read_Document(const TXMLDocument& Doc, TBACnet_Slave_Required Need) {
  const IXMLNode root = Doc.RootElement();
  TBACnet_Slave_Tables tables;
  tables.In_Read = Read_Table(root, Read_Name, Need);
  tables.In_Write = Read_Table(root, Write_Name, Need);
  return tables;
}

void Add_Table(IXMLNode Root, const String& Name, const std::vector<TBACnet_Slave_Row>& Rows) {
  IXMLNode table = Root.AddChild(Name);
  const Integer count = BACnet_Slave_Row_Count(Rows);
  for (Integer i = 0; i < count; ++i) {
    const TBACnet_Slave_Row& row = Rows[static_cast<size_t>(i)];
    IXMLNode node = table.AddChild(Row_Name);
    node.SetAttributes(u"Data_Type", row.Data_Type);
    node.SetAttributes(u"Eng_Unit", row.Eng_Unit);
    node.SetAttributes(u"Position", row.Position);
    node.SetAttributes(u"Bit", row.Bit);
    node.SetAttributes(u"Length", row.Length);
    node.SetAttributes(u"Swap", row.Swap);
    node.SetAttributes(u"Mnemonic", row.Mnemonic);
  }
}

void Build_Document(TXMLDocument& Doc, const TBACnet_Slave_Tables& Tables) {
  Doc.SetActive(true);
  Doc.Clear();
  IXMLNode root = Doc.AddChild(Root_Name);
  Doc.ChildNodes().Add(Doc.CreateNode(Version_Comment, ntComment));
  Add_Table(root, Read_Name, Tables.In_Read);
  Add_Table(root, Write_Name, Tables.In_Write);
}

}  // namespace

TBACnet_Slave_Tables Read_BACnet_Slave_File(const String& FileName,
                                            TBACnet_Slave_Required Required) {
  return ReadXMLFile(FileName, Max_BACnet_Slave_File_Size,
                     [&](TXMLDocument& doc) { return Read_Document(doc, Required); });
}

TBACnet_Slave_Tables Read_BACnet_Slave_Bytes(const std::string& Bytes,
                                             TBACnet_Slave_Required Required) {
  TXMLDocument doc;
  doc.LoadFromBytes(Bytes);
  return Read_Document(doc, Required);
}

Integer BACnet_Slave_Row_Count(const std::vector<TBACnet_Slave_Row>& Rows) {
  Integer count = 0;
  for (const TBACnet_Slave_Row& row : Rows) {
    if (Trim(XmlCharsOnly(row.Data_Type)).empty()) break;
    ++count;
  }
  return count;
}

std::string BACnet_Slave_Bytes(const TBACnet_Slave_Tables& Tables) {
  TXMLDocument doc;
  Build_Document(doc, Tables);
  return doc.SaveToBytes();
}

void Write_BACnet_Slave_File(const String& FileName, const TBACnet_Slave_Tables& Tables) {
  TXMLDocument doc;
  Build_Document(doc, Tables);
  doc.SaveToFile(FileName);
}
