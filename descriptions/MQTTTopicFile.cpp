#include "descriptions/MQTTTopicFile.h"

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLChars.h"
#include "platform/xml/XMLDoc.h"

namespace {

const char16_t* const Root_Name = u"MQTT_Set_Topic";
const char16_t* const Publish_Name = u"MQTT_Publish";
const char16_t* const Subscribe_Name = u"MQTT_Subscribe";
const char16_t* const Row_Name = u"row";
const char16_t* const Version_Comment = u"SW_VERSION = 1.000";

// One attribute of a row: its name, the field it fills and whether a row must carry it. The
// tables below list the attributes in the order they are written.
template <class TRow>
struct TAttribute {
  const char16_t* Name;
  String TRow::*Field;
  bool Required;
};

using TPub = TMQTT_Publish_Row;
using TSub = TMQTT_Subscribe_Row;

const TAttribute<TPub> Publish_Attributes[] = {
    {u"Topic", &TPub::Topic, true},          {u"Retained", &TPub::Retained, true},
    {u"QoS", &TPub::QoS, true},              {u"DataType", &TPub::DataType, false},
    {u"Dimension", &TPub::Dimension, false}, {u"Position", &TPub::Position, false},
    {u"IPAddress", &TPub::IPAddress, false}, {u"InputTemplate", &TPub::InputTemplate, false},
    {u"Template", &TPub::Template, false},   {u"OnChange", &TPub::OnChange, false},
    {u"OnCMD", &TPub::OnCMD, false},         {u"OnTimer", &TPub::OnTimer, false},
    {u"Time", &TPub::Time, false},           {u"Mnemonic", &TPub::Mnemonic, true},
};

const TAttribute<TSub> Subscribe_Attributes[] = {
    {u"Topic", &TSub::Topic, true},          {u"Retained", &TSub::Retained, true},
    {u"QoS", &TSub::QoS, true},              {u"DataType", &TSub::DataType, false},
    {u"Dimension", &TSub::Dimension, false}, {u"Position", &TSub::Position, false},
    {u"IPAddress", &TSub::IPAddress, false}, {u"Port", &TSub::Port, false},
    {u"EthType", &TSub::EthType, false},     {u"InputTemplate", &TSub::InputTemplate, false},
    {u"Template", &TSub::Template, false},   {u"Mnemonic", &TSub::Mnemonic, true},
};

template <class TRow, size_t N>
std::vector<TRow> Read_Table(const IXMLNode& Root, const String& Name,
                             const TAttribute<TRow> (&Attributes)[N]) {
  const IXMLNode table = Root.ChildNodes().FindNode(Name);
  if (table.IsNull()) {
    throw EXMLDocError(u"\"MQTT_Set_Topic.xml\" has no element \"" + Name + u"\"");
  }
  std::vector<TRow> rows;
  // Only the row elements are rows: a comment put into a hand-edited file is passed over.
  for (IXMLNode node : table.ChildNodes()) {
    if (node.NodeType() != ntElement || node.NodeName() != Row_Name) continue;
    TRow row;
    for (const TAttribute<TRow>& a : Attributes) {
      if (node.HasAttribute(a.Name)) {
        row.*a.Field = node.Attributes(a.Name);
      } else if (a.Required) {
        throw EXMLDocError(u"The row of \"MQTT_Set_Topic.xml\" has no attribute \"" + String(a.Name) + u"\"");
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

TMQTT_Topic_Tables Read_Document(const TXMLDocument& Doc) {
  const IXMLNode root = Doc.RootElement();
  TMQTT_Topic_Tables tables;
  tables.Publish = Read_Table(root, Publish_Name, Publish_Attributes);
  tables.Subscribe = Read_Table(root, Subscribe_Name, Subscribe_Attributes);
  return tables;
}

template <class TRow>
Integer Row_Count(const std::vector<TRow>& Rows) {
  Integer count = 0;
  for (const TRow& row : Rows) {
    if (Trim(XmlCharsOnly(row.Topic)).empty()) break;
    ++count;
  }
  return count;
}

template <class TRow, size_t N>
void Add_Table(IXMLNode Root, const String& Name, const std::vector<TRow>& Rows,
               const TAttribute<TRow> (&Attributes)[N]) {
  IXMLNode table = Root.AddChild(Name);
  const Integer count = Row_Count(Rows);
  for (Integer i = 0; i < count; ++i) {
    const TRow& row = Rows[static_cast<size_t>(i)];
    IXMLNode node = table.AddChild(Row_Name);
    for (const TAttribute<TRow>& a : Attributes) node.SetAttributes(a.Name, row.*a.Field);
  }
}

void Build_Document(TXMLDocument& Doc, const TMQTT_Topic_Tables& Tables) {
  Doc.SetActive(true);
  Doc.Clear();
  IXMLNode root = Doc.AddChild(Root_Name);
  Doc.ChildNodes().Add(Doc.CreateNode(Version_Comment, ntComment));
  Add_Table(root, Publish_Name, Tables.Publish, Publish_Attributes);
  Add_Table(root, Subscribe_Name, Tables.Subscribe, Subscribe_Attributes);
}

}  // namespace

TMQTT_Topic_Tables Read_MQTT_Topic_File(const String& FileName) {
  return ReadXMLFile(FileName, Max_MQTT_Topic_File_Size, [](TXMLDocument& doc) { return Read_Document(doc); });
}

TMQTT_Topic_Tables Read_MQTT_Topic_Bytes(const std::string& Bytes) {
  TXMLDocument doc;
  doc.LoadFromBytes(Bytes);
  return Read_Document(doc);
}

Integer MQTT_Topic_Row_Count(const std::vector<TMQTT_Publish_Row>& Rows) { return Row_Count(Rows); }
Integer MQTT_Topic_Row_Count(const std::vector<TMQTT_Subscribe_Row>& Rows) { return Row_Count(Rows); }

std::string MQTT_Topic_Bytes(const TMQTT_Topic_Tables& Tables) {
  TXMLDocument doc;
  Build_Document(doc, Tables);
  return doc.SaveToBytes();
}

void Write_MQTT_Topic_File(const String& FileName, const TMQTT_Topic_Tables& Tables) {
  TXMLDocument doc;
  Build_Document(doc, Tables);
  doc.SaveToFile(FileName);
}
