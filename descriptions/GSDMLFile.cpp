#include "descriptions/GSDMLFile.h"

#include <utility>

#include "comm/ParGenFile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLChars.h"

namespace {

// The device's PROFINET identity, written as "0x" and four hexadecimal digits.
constexpr Integer GSDML_Vendor_ID = 0x031A;
constexpr Integer GSDML_Device_ID = 0x0A09;

using TAttrs = std::vector<std::pair<String, String>>;

// Escapes a value for an attribute or for element text, leaving out what XML 1.0 cannot carry.
String Xml_Escape(const String& Value) {
  String out;
  for (const Char c : XmlCharsOnly(Value)) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      case u'\'': out += u"&apos;"; break;
      case u'\t': out += u"&#9;"; break;
      case u'\n': out += u"&#10;"; break;
      case u'\r': out += u"&#13;"; break;
      default: out += c; break;
    }
  }
  return out;
}

// Builds the lines of the file: one tag per line, children indented one tab deeper than their
// parent.
class TGSDML_Lines {
 public:
  std::vector<String> Lines;

  void Raw(const String& Text) { Lines.push_back(Indent() + Text); }
  void Comment(const String& Text) { Raw(u"<!--" + Text + u"-->"); }
  void Open(const String& Name, const TAttrs& Attrs = {}) {
    Raw(u"<" + Name + Attributes(Attrs) + u">");
    ++FDepth;
  }
  void Close(const String& Name) {
    --FDepth;
    Raw(u"</" + Name + u">");
  }
  void Empty(const String& Name, const TAttrs& Attrs) { Raw(Empty_Tag(Name, Attrs)); }
  void Text(const String& Name, const String& Value) {
    Raw(u"<" + Name + u">" + Xml_Escape(Value) + u"</" + Name + u">");
  }

  static String Empty_Tag(const String& Name, const TAttrs& Attrs) {
    return u"<" + Name + Attributes(Attrs) + u"/>";
  }
  static String Attributes(const TAttrs& Attrs) {
    String out;
    for (const auto& [name, value] : Attrs) out += u" " + name + u"=\"" + Xml_Escape(value) + u"\"";
    return out;
  }

 private:
  String Indent() const { return String(static_cast<size_t>(FDepth), u'\t'); }
  int FDepth = 0;
};

String Hex4(Integer Value) { return u"0x" + IntToHex(Value, 4); }

void Add_Device_Access_Point(TGSDML_Lines& X, const TProfinet_Param& Param) {
  X.Open(u"DeviceAccessPointList");
  X.Open(u"DeviceAccessPointItem", {{u"PNIO_Version", u"V2.3"},
                                    {u"RequiredSchemaVersion", u"V2.25"},
                                    {u"ID", u"IDD_1"},
                                    {u"PhysicalSlots", u"0..4"},
                                    {u"ModuleIdentNumber", u"0x00000001"},
                                    {u"MinDeviceInterval", u"64"},
                                    {u"ImplementationType", Param.Profinet_Station_Name},
                                    {u"DNS_CompatibleName", Param.Profinet_Station_Name},
                                    {u"FixedInSlots", u"0"},
                                    {u"ObjectUUID_LocalIndex", u"1"},
                                    {u"MultipleWriteSupported", u"true"},
                                    {u"MaxSupportedRecordSize", u"8192"},
                                    {u"ParameterizationSpeedupSupported", u"true"},
                                    {u"PowerOnToCommReady", u"350"},
                                    {u"DeviceAccessSupported", u"true"},
                                    {u"SharedDeviceSupported", u"true"},
                                    {u"CheckDeviceID_Allowed", u"false"},
                                    {u"NameOfStationNotTransferable", u"true"}});
  X.Open(u"ModuleInfo");
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_DAP1"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_DAP1"}});
  X.Empty(u"VendorName", {{u"Value", u"Tavrel"}});
  X.Empty(u"OrderNumber", {{u"Value", u"GX31A09"}});
  X.Close(u"ModuleInfo");
  X.Open(u"SubslotList");
  X.Empty(u"SubslotItem", {{u"SubslotNumber", u"0"}, {u"TextId", u"IDT_SUBSLOT_1"}});
  X.Empty(u"SubslotItem", {{u"SubslotNumber", u"32768"}, {u"TextId", u"IDT_SUBSLOT_Interface"}});
  X.Empty(u"SubslotItem", {{u"SubslotNumber", u"32769"}, {u"TextId", u"IDT_SUBSLOT_Port1"}});
  X.Empty(u"SubslotItem", {{u"SubslotNumber", u"32770"}, {u"TextId", u"IDT_SUBSLOT_Port2"}});
  X.Close(u"SubslotList");
  X.Empty(u"IOConfigData",
          {{u"MaxInputLength", u"1440"}, {u"MaxOutputLength", u"1440"}, {u"MaxDataLength", u"2880"}});
  X.Open(u"UseableModules");
  X.Empty(u"ModuleItemRef", {{u"ModuleItemTarget", u"IDM_1"}, {u"FixedInSlots", u"1"}});
  X.Close(u"UseableModules");
  X.Open(u"VirtualSubmoduleList");
  X.Open(u"VirtualSubmoduleItem", {{u"ID", u"IDS_V1"}, {u"SubmoduleIdentNumber", u"0x00000000"}});
  X.Empty(u"IOData", {{u"IOPS_Length", u"1"}, {u"IOCS_Length", u"1"}});
  X.Open(u"ModuleInfo");
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_VS1"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_VS1"}});
  X.Close(u"ModuleInfo");
  X.Close(u"VirtualSubmoduleItem");
  X.Close(u"VirtualSubmoduleList");
  X.Open(u"SystemDefinedSubmoduleList");
  X.Open(u"InterfaceSubmoduleItem", {{u"ID", u"IDS_I"},
                                     {u"SubmoduleIdentNumber", u"0x00000001"},
                                     {u"SubslotNumber", u"32768"},
                                     {u"TextId", u"IDT_NAME_IS"},
                                     {u"SupportedRT_Classes", u"RT_CLASS_1"},
                                     {u"SupportedProtocols", u"SNMP;LLDP"},
                                     {u"SupportedMibs", u"MIB2"}});
  X.Open(u"ApplicationRelations");
  X.Empty(u"TimingProperties",
          {{u"SendClock", u"32"}, {u"ReductionRatio", u"1 2 4 8 16 32 64 128 256 512"}});
  X.Close(u"ApplicationRelations");
  X.Close(u"InterfaceSubmoduleItem");
  X.Empty(u"PortSubmoduleItem", {{u"ID", u"IDS_P1"},
                                 {u"SubmoduleIdentNumber", u"0x00000002"},
                                 {u"SubslotNumber", u"32769"},
                                 {u"TextId", u"IDT_NAME_PS1"},
                                 {u"MaxPortRxDelay", u"350"},
                                 {u"MaxPortTxDelay", u"160"}});
  X.Empty(u"PortSubmoduleItem", {{u"ID", u"IDS_P2"},
                                 {u"SubmoduleIdentNumber", u"0x00000002"},
                                 {u"SubslotNumber", u"32770"},
                                 {u"TextId", u"IDT_NAME_PS2"},
                                 {u"MaxPortRxDelay", u"350"},
                                 {u"MaxPortTxDelay", u"160"}});
  X.Close(u"SystemDefinedSubmoduleList");
  X.Comment(u" This element tells the engineering tool that the DAP supports fieldbus integration "
            u"(slot clusters). ");
  X.Comment(TGSDML_Lines::Empty_Tag(u"FieldbusIntegrationSlots",
                                    {{u"MaxSupported", u"127"}, {u"Range", u"100..9999"}}));
  X.Close(u"DeviceAccessPointItem");
  X.Close(u"DeviceAccessPointList");
}

void Add_Module_List(TGSDML_Lines& X, const TProfinet_Param& Param) {
  X.Open(u"ModuleList");
  X.Comment(u" The \"normal\" module carrying the FAP. ");
  X.Open(u"ModuleItem", {{u"ID", u"IDM_1"}, {u"ModuleIdentNumber", u"0x00000001"}});
  X.Open(u"ModuleInfo");
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_M1"}});
  X.Empty(u"OrderNumber", {{u"Value", u"12345-0040-M"}});
  X.Close(u"ModuleInfo");
  X.Open(u"VirtualSubmoduleList");
  // The submodule has an ID of its own: the module item already carries "IDM_1", and every ID of
  // the file names one element.
  X.Open(u"VirtualSubmoduleItem", {{u"ID", u"IDSM_1"}, {u"SubmoduleIdentNumber", u"0x00000001"}});
  X.Open(u"IOData", {{u"IOPS_Length", u"1"}, {u"IOCS_Length", u"1"}});
  X.Raw(u"<Input>" +
        TGSDML_Lines::Empty_Tag(u"DataItem", {{u"DataType", u"OctetString"},
                                              {u"Length", IntToStr(Param.Profinet_Input_Len)},
                                              {u"TextId", u"IDT_Input_1"}}) +
        u"</Input>");
  X.Raw(u"<Output>" +
        TGSDML_Lines::Empty_Tag(u"DataItem", {{u"DataType", u"OctetString"},
                                              {u"Length", IntToStr(Param.Profinet_Output_Len)},
                                              {u"TextId", u"IDT_Output_1"}}) +
        u"</Output>");
  X.Close(u"IOData");
  X.Open(u"RecordDataList");
  X.Open(u"ParameterRecordDataItem", {{u"Index", u"128"}, {u"Length", u"2"}});
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_IDT_REF_channel"}});
  X.Empty(u"Const", {{u"ByteOffset", u"0"}, {u"Data", u"0x00,0x00"}});
  X.Empty(u"Ref", {{u"TextId", u"IDT_REF_reaction_to_cpu_stop"},
                   {u"Visible", u"true"},
                   {u"DataType", u"BitArea"},
                   {u"ByteOffset", u"0"},
                   {u"BitOffset", u"0"},
                   {u"BitLength", u"2"},
                   {u"DefaultValue", u"2"},
                   {u"AllowedValues", u"0..2"},
                   {u"ValueItemTarget", u"IDV_reaction_to_cpu_stop"},
                   {u"ID", u"IDT_REF_reaction_to_cpu_stop"}});
  X.Open(u"MenuList");
  X.Open(u"MenuItem", {{u"ID", u"IDT_NAME_M1_IDT_REF_channel"}});
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_IDT_REF_channel"}});
  X.Empty(u"MenuRef", {{u"MenuTarget", u"IDT_NAME_M1_Base_Parameters"}});
  X.Close(u"MenuItem");
  X.Open(u"MenuItem", {{u"ID", u"IDT_NAME_M1_Base_Parameters"}});
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_Base_Parameters"}});
  X.Empty(u"ParameterRef", {{u"ParameterTarget", u"IDT_REF_reaction_to_cpu_stop"}});
  X.Close(u"MenuItem");
  X.Close(u"MenuList");
  X.Close(u"ParameterRecordDataItem");
  X.Close(u"RecordDataList");
  X.Open(u"ModuleInfo");
  X.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_M1"}});
  X.Close(u"ModuleInfo");
  X.Close(u"VirtualSubmoduleItem");
  X.Close(u"VirtualSubmoduleList");
  X.Close(u"ModuleItem");
  X.Close(u"ModuleList");
}

void Add_Value_And_Category_Lists(TGSDML_Lines& X) {
  X.Open(u"ValueList");
  X.Open(u"ValueItem", {{u"ID", u"IDV_reaction_to_cpu_stop"}});
  X.Open(u"Assignments");
  X.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_set_substitude_values"}, {u"Content", u"0"}});
  X.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_values_will_hold"}, {u"Content", u"1"}});
  X.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_continue_counting"}, {u"Content", u"2"}});
  X.Close(u"Assignments");
  X.Close(u"ValueItem");
  X.Close(u"ValueList");
  X.Open(u"CategoryList");
  X.Open(u"CategoryItem", {{u"ID", u"IDC_DI"}, {u"TextId", u"IDT_CATEGORY_DI"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_DI"}});
  X.Close(u"CategoryItem");
  X.Open(u"CategoryItem", {{u"ID", u"IDC_DO"}, {u"TextId", u"IDT_CATEGORY_DO"}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_DO"}});
  X.Close(u"CategoryItem");
  X.Close(u"CategoryList");
}

// The external texts, in the order of the list. The last three are written Value first.
void Add_External_Texts(TGSDML_Lines& X) {
  static const std::pair<const char16_t*, const char16_t*> texts[] = {
      {u"IDT_INFO_Device", u"Tavrel Gateways"},
      {u"IDT_NAME_DAP1", u"ENOCEANDevice"},
      {u"IDT_INFO_DAP1", u"Profinet ENOCEAN Adapter"},
      {u"IDT_SUBSLOT_1", u"Subslot 1"},
      {u"IDT_SUBSLOT_Interface", u"Interface"},
      {u"IDT_SUBSLOT_Port1", u"Port 1"},
      {u"IDT_SUBSLOT_Port2", u"Port 2"},
      {u"IDT_RECORD_NAME_Head", u"Parameters of head module"},
      {u"IDT_REF_Power", u"Percent power"},
      {u"IDT_NAME_VS1", u"Submodule V1"},
      {u"IDT_INFO_VS1", u"Description of submodule V1"},
      {u"IDT_NAME_IS", u"I"},
      {u"IDT_NAME_PS1", u"P1"},
      {u"IDT_NAME_PS2", u"P2"},
      {u"IDT_NAME_M1", u"Module"},
      {u"IDT_INFO_M1", u"device ENOCEAN"},
      {u"IDT_NAME_FAP", u"FAP for ENOCEAN"},
      {u"IDT_INFO_FAP", u"Description of FAP for ENOCEAN"},
      {u"IDT_RECORD_NAME_SlotCluster", u"Parameters of the FAP"},
      {u"IDT_REF_SlotClusterBegin", u"Beginning of slot cluster"},
      {u"IDT_NAME_M_PB1", u"ENOCEAN Device "},
      {u"IDT_INFO_M_PB1", u"Description of ENOCEAN"},
      {u"IDT_NAME_S_PB1", u"Module of a ENOCEAN"},
      {u"IDT_INFO_S_PB1", u"Description of module of a ENOCEAN"},
      {u"IDT_PB_Input", u"Digital input ENOCEANCLIENT"},
      {u"IDT_PB_InputBit0", u"Digital input bit ENOCEAN"},
      {u"IDT_NAME_S1", u"Submodule 1"},
      {u"IDT_INFO_S1", u"Description of submodule 1"},
      {u"IDT_Input_1", u"Input byte"},
      {u"IDT_Output_1", u"Output word"},
      {u"IDT_CATEGORY_DI", u"Digital Input"},
      {u"IDT_INFO_DI", u"Description of digital input"},
      {u"IDT_CATEGORY_DO", u"Digital output"},
      {u"IDT_INFO_DO", u"Description of digital output"},
      {u"IDT_NAME_M1_IDT_REF_channel", u"Canale x"},
      {u"IDT_REF_reaction_to_cpu_stop", u"Reaction to CPU STOP"},
      {u"IDT_NAME_M1_Base_Parameters", u"Base Parameters"},
      {u"IDT_ASSIGN_do_set_substitude_values", u"Output substitute value"},
      {u"IDT_ASSIGN_do_values_will_hold", u"Keep last value"},
      {u"IDT_ASSIGN_do_continue_counting", u"Continue operation"},
  };
  constexpr size_t count = sizeof(texts) / sizeof(texts[0]);
  X.Open(u"ExternalTextList");
  X.Open(u"PrimaryLanguage");
  for (size_t i = 0; i < count; ++i) {
    const auto& [id, value] = texts[i];
    if (i + 3 < count) {
      X.Empty(u"Text", {{u"TextId", id}, {u"Value", value}});
    } else {
      X.Empty(u"Text", {{u"Value", value}, {u"TextId", id}});
    }
  }
  X.Close(u"PrimaryLanguage");
  X.Close(u"ExternalTextList");
}

}  // namespace

TProfinet_Param Read_Profinet_Param(const String& File_ParGen) {
  TProfinet_Param param;
  TParGen_Reader reader;
  if (reader.Load(File_ParGen)) {
    // The element names speak from the converter's side: its output bytes are the controller's
    // inputs.
    const TParGen_Byte_Counts counts = Read_ParGen_Byte_Counts(reader, 1438);
    param.Profinet_Output_Len = counts.NB_In;
    param.Profinet_Input_Len = counts.NB_Out;
    param.Profinet_Station_Name = reader.Read_Text(u"PROFINET_NAME_STA", param.Profinet_Station_Name);
  }
  if (Trim(param.Profinet_Station_Name).empty()) param.Profinet_Station_Name = u"SERIAL";
  return param;
}

std::vector<String> Make_GSDML_Lines(const TProfinet_Param& Param) {
  TGSDML_Lines X;
  X.Raw(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  X.Comment(u" A fieldbus integration example. ");
  X.Open(u"ISO15745Profile",
         {{u"xmlns", u"http://www.profibus.com/GSDML/2003/11/DeviceProfile"},
          {u"xmlns:xsi", u"http://www.w3.org/2001/XMLSchema-instance"},
          {u"xsi:schemaLocation", u"http://www.profibus.com/GSDML/2003/11/DeviceProfile "
                                  u"..\\xsd\\GSDML-DeviceProfile-v2.31.xsd"}});
  X.Open(u"ProfileHeader");
  X.Text(u"ProfileIdentification", u"PROFINET Device Profile");
  X.Text(u"ProfileRevision", u"1.00");
  X.Text(u"ProfileName", u"Device Profile for PROFINET Devices");
  X.Text(u"ProfileSource", u"PROFIBUS Nutzerorganisation e. V. (PNO)");
  X.Text(u"ProfileClassID", u"Device");
  X.Open(u"ISO15745Reference");
  X.Text(u"ISO15745Part", u"4");
  X.Text(u"ISO15745Edition", u"1");
  X.Text(u"ProfileTechnology", u"GSDML");
  X.Close(u"ISO15745Reference");
  X.Close(u"ProfileHeader");
  X.Open(u"ProfileBody");
  X.Open(u"DeviceIdentity", {{u"VendorID", Hex4(GSDML_Vendor_ID)}, {u"DeviceID", Hex4(GSDML_Device_ID)}});
  X.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_Device"}});
  X.Empty(u"VendorName", {{u"Value", u"Tavrel"}});
  X.Close(u"DeviceIdentity");
  X.Open(u"DeviceFunction");
  X.Empty(u"Family", {{u"MainFamily", u"Gateway"}, {u"ProductFamily", u"GX31A09"}});
  X.Close(u"DeviceFunction");
  X.Open(u"ApplicationProcess");
  Add_Device_Access_Point(X, Param);
  Add_Module_List(X, Param);
  Add_Value_And_Category_Lists(X);
  Add_External_Texts(X);
  X.Close(u"ApplicationProcess");
  X.Close(u"ProfileBody");
  X.Close(u"ISO15745Profile");
  return X.Lines;
}

void Write_GSDML_File(const String& FileName, const TProfinet_Param& Param) {
  Save_Text_Lines(FileName, Make_GSDML_Lines(Param), TText_Encoding::Utf8_Bom);
}

String GSDML_Target_Path(const String& Chosen, const String& Name) {
  const String folder = ExtractFileDir(Chosen);
  if (folder.empty()) return Name;
  return IncludeTrailingPathDelimiter(folder) + Name;
}

bool Save_GSDML_File(const String& Chosen, const String& Name, const String& File_ParGen,
                     const TConfirm_Overwrite& Confirm_Overwrite) {
  const String target = GSDML_Target_Path(Chosen, Name);
  if (!Overwrite_Allowed(target, Text_GSDML_Overwrite, Confirm_Overwrite)) return false;
  Write_GSDML_File(target, Read_Profinet_Param(File_ParGen));
  return true;
}
