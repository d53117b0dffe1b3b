#include "comm/LanUploaderFile.h"

#include <vector>

#include "platform/xml/XMLDoc.h"

namespace {

// The values that differ between the write operations and between the two layouts.
struct TOperation {
  String FileName;
  const char16_t* Start_Address;
  const char16_t* Bank_Type;
  const char16_t* Write_CSS;
  const char16_t* Address_CSS;
  const char16_t* Command_CSS;
  bool Internal_Data;  // the four Ope_*W*I*D elements are written
  const char16_t* WID_Address;
  const char16_t* WID_Command;
};

void Add_Value(IXMLNode Parent, const char16_t* Name, const String& Value) {
  Parent.AddChild(Name).SetText(Value);
}

void Add_Operation(IXMLNode Operations, const TOperation& Op, bool Read_Back, bool Last) {
  IXMLNode O = Operations.AddChild(u"Operation");
  Add_Value(O, u"Ope_Protection_Enabled", u"");
  Add_Value(O, u"Ope_GoToBoot_Before", u"0");
  Add_Value(O, u"Ope_GoToApp_Before", u"0");
  Add_Value(O, u"Ope_IP_Address", u"");
  Add_Value(O, u"Ope_Port", u"2008");
  Add_Value(O, u"Ope_Port_Sec", u"2007");
  Add_Value(O, u"Ope_Erase_Memory", u"0");
  Add_Value(O, u"Ope_FileName", Op.FileName);
  Add_Value(O, u"Ope_Start_Address", Op.Start_Address);
  Add_Value(O, u"Ope_Memory_Type", u"0");
  Add_Value(O, u"Ope_Bank_Type", Op.Bank_Type);
  Add_Value(O, u"Ope_Read_Back", Read_Back ? u"1" : u"0");
  Add_Value(O, u"Ope_Write_CSS", Op.Write_CSS);
  Add_Value(O, u"Ope_Address_CSS", Op.Address_CSS);
  Add_Value(O, u"Ope_Command_CSS", Op.Command_CSS);
  if (Op.Internal_Data) {
    Add_Value(O, u"Ope_Write_Internal_Data", u"0");
    Add_Value(O, u"Ope_WID_Address", Op.WID_Address);
    Add_Value(O, u"Ope_WID_Command", Op.WID_Command);
    Add_Value(O, u"Ope_WID_Data", u"0x00, 0x00, 0x00, 0x01");
  }
  // After the last file the device goes back to its application.
  Add_Value(O, u"Ope_GoToApp_After", Last ? u"1" : u"0");
}

void Fill_Document(TXMLDocument& Doc, const TLan_Uploader_Params& P) {
  const bool Older = P.Layout == luOlder;
  Doc.SetActive(true);
  Doc.Clear();
  IXMLNode Root = Doc.AddChild(u"Lan_Uploader");
  Add_Value(Root, u"Version", u"1000");
  Add_Value(Root, u"Title", Older ? u"Tavrel - Lan Uploader" : u"Tavrel - KP31A08 Lan Uploader");
  Add_Value(Root, u"IP_Address_Dev", P.IP_Address);
  Add_Value(Root, u"Application_Port", Older ? u"5000" : u"10000");
  Add_Value(Root, u"Boot_Port", u"2008");
  Add_Value(Root, u"Boot_Port_Sec", u"2007");
  Add_Value(Root, u"Address_Protection", Older ? u"0x78000" : u"0x07800");
  Add_Value(Root.AddChild(u"Protections"), u"Protection", Older ? u"0x1E9" : u"0x2F4");
  IXMLNode Operations = Root.AddChild(u"Operations");

  const String Bin = P.Path_Conf + PathDelim + u"bin" + PathDelim;
  const TOperation Firmware =
      Older ? TOperation{P.Path_Master + PathDelim + u"Sim31A10.sim", u"0x8000", u"1", u"1",
                         u"0x78100", u"0x0B", false, u"", u""}
            : TOperation{P.Path_Master + PathDelim + u"Sim31A08.sim", u"0x8000", u"1", u"1",
                         u"0x07A00", u"0x02", true, u"0x07810", u"0x02"};
  const TOperation Bank1 =
      Older ? TOperation{Bin + u"bank1.bin", u"0x68000", u"2", u"0", u"0x50100", u"0x0B", true,
                         u"0x78200", u"0x0B"}
            : TOperation{Bin + u"bank1.bin", u"0x07000", u"2", u"0", u"0x07A00", u"0x02", true,
                         u"0x07810", u"0x02"};
  const TOperation Bank2 =
      Older ? TOperation{Bin + u"bank2.bin", u"0x50000", u"2", u"0", u"0x50100", u"0x0B", true,
                         u"0x78200", u"0x0B"}
            : TOperation{Bin + u"bank2.bin", u"0x80000", u"2", u"0", u"0x07A00", u"0x02", true,
                         u"0x07810", u"0x02"};

  std::vector<const TOperation*> List;
  if (P.Update_Option == 0 || P.Update_Option == 1) List.push_back(&Firmware);
  if (P.Update_Option == 0 || P.Update_Option == 2) {
    List.push_back(&Bank1);
    List.push_back(&Bank2);
  }
  for (size_t i = 0; i < List.size(); ++i) {
    Add_Operation(Operations, *List[i], P.Read_Back, i + 1 == List.size());
  }
}

}  // namespace

std::string Lan_Uploader_File_Bytes(const TLan_Uploader_Params& Params) {
  TXMLDocument Doc;
  Fill_Document(Doc, Params);
  return Doc.SaveToBytes();
}

void Write_Lan_Uploader_File(const String& Path_Program, const TLan_Uploader_Params& Params) {
  TXMLDocument Doc;
  Fill_Document(Doc, Params);
  Doc.SaveToFile(Path_Program + PathDelim + Lan_Uploader_File_Name);
}

String Update_Options(const String& s_opt, Integer Update_Option, bool Read_Back) {
  switch (Update_Option) {
    case 0: return s_opt + (Read_Back ? u"FW FR PW PR " : u"FW NO PW NO ");
    case 1: return s_opt + (Read_Back ? u"FW FR NO NO " : u"FW NO NO NO ");
    case 2: return s_opt + (Read_Back ? u"NO NO PW PR " : u"NO NO PW NO ");
    default: return s_opt;
  }
}
