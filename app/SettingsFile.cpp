#include "app/SettingsFile.h"

#include "app/UComon.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

const String Settings_File_Name = u"Lumitor.xml";

namespace {

// The text of the leaf Child inside the root's element Parent. Raises when either is missing or
// the leaf is not a text element; the caller turns that into the value's default.
String Leaf_Text(const IXMLNode& Parent, const String& Child) {
  if (Parent.IsNull()) throw EXMLDocError(u"Missing element");
  return Parent.ChildNodes()[Child].Text();
}

// Each value is read in a step of its own, so a broken part costs only that value.
template <typename F>
void Guarded(F&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

namespace {

// Reads the values of a loaded document, each in a step of its own.
TSettings Read_Settings(const TXMLDocument& xml) {
  TSettings s;
  const IXMLNode root = xml.DocumentElement();
  auto child = [&root](const String& name) { return root.ChildNodes().FindNode(name); };

  Guarded([&] { s.Conf_Name = Leaf_Text(child(u"lastproj"), u"projectname"); });
  Guarded([&] { s.Last_IP_Address = Leaf_Text(child(u"lastipadd"), u"ipaddress"); });
  Guarded([&] { s.Language_Name = Leaf_Text(child(u"lastlang"), u"language"); });

  IXMLNode internet;
  Guarded([&] { internet = child(u"lastinternet"); });
  Guarded([&] { s.Opt_Enable_Internet = Leaf_Text(internet, u"enable_internet") == u"1"; });
  Guarded([&] { s.Opt_Enable_Update = Leaf_Text(internet, u"enable_update") == u"1"; });
  Guarded([&] { s.Opt_Jump_Field_Tables = Leaf_Text(internet, u"enable_jump_field_tables") == u"1"; });
  Guarded([&] { s.Opt_Double_Click_Auto_Size = Leaf_Text(internet, u"Double_Click_Auto_Size") == u"1"; });
  return s;
}

}  // namespace

TSettings Read_Settings_File(const String& FileName, String* Error) {
  if (FileMissing(FileName)) return TSettings();
  std::string bytes;
  try {
    bytes = ReadRegularFile(FileName, Max_Settings_File_Size);
  } catch (const Exception& e) {
    if (Error) *Error = e.Message();
    return TSettings();
  }
  // A file that is not XML at all counts as a missing one.
  return Read_Settings_Bytes(bytes);
}

TSettings Read_Settings_Bytes(const std::string& Bytes) {
  TXMLDocument xml;
  try {
    xml.LoadFromBytes(Bytes);
  } catch (const std::exception&) {
    return TSettings();
  }
  return Read_Settings(xml);
}

void Write_Settings_File(const String& FileName, const TSettings& Settings) {
  auto flag = [](bool on) { return on ? String(u"1") : String(u"0"); };

  TXMLDocument xml;
  xml.SetActive(true);
  xml.Clear();
  IXMLNode root = xml.AddChild(u"Conf_Settings");
  root.AddChild(u"lastproj").AddChild(u"projectname").SetText(Settings.Conf_Name);
  root.AddChild(u"lastipadd").AddChild(u"ipaddress").SetText(Settings.Last_IP_Address);
  root.AddChild(u"lastlang").AddChild(u"language").SetText(Settings.Language_Name);
  IXMLNode internet = root.AddChild(u"lastinternet");
  internet.AddChild(u"enable_internet").SetText(flag(Settings.Opt_Enable_Internet));
  internet.AddChild(u"enable_update").SetText(flag(Settings.Opt_Enable_Update));
  internet.AddChild(u"enable_jump_field_tables").SetText(flag(Settings.Opt_Jump_Field_Tables));
  internet.AddChild(u"Double_Click_Auto_Size").SetText(flag(Settings.Opt_Double_Click_Auto_Size));
  xml.SaveToFile(FileName);
}

TSettings Current_Settings() {
  TSettings s;
  s.Conf_Name = Conf_Name;
  s.Last_IP_Address = Last_IP_Address;
  s.Language_Name = Language_Name;
  s.Opt_Enable_Internet = Opt_Enable_Internet;
  s.Opt_Enable_Update = Opt_Enable_Update;
  s.Opt_Jump_Field_Tables = Opt_Jump_Field_Tables;
  s.Opt_Double_Click_Auto_Size = Opt_Double_Click_Auto_Size;
  return s;
}

void Apply_Settings(const TSettings& Settings) {
  Conf_Name = Settings.Conf_Name;
  Last_IP_Address = Settings.Last_IP_Address;
  Language_Name = Settings.Language_Name;
  Opt_Enable_Internet = Settings.Opt_Enable_Internet;
  Opt_Enable_Update = Settings.Opt_Enable_Update;
  Opt_Jump_Field_Tables = Settings.Opt_Jump_Field_Tables;
  Opt_Double_Click_Auto_Size = Settings.Opt_Double_Click_Auto_Size;
}

void Save_Setting() { Write_Settings_File(Path_Join(Path_Program, Settings_File_Name), Current_Settings()); }
