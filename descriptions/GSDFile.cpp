#include "descriptions/GSDFile.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "comm/ParGenFile.h"

namespace {

// The fixed text of the file, in the pieces between the values the writer fills in. Each piece is
// a run of whole lines; an empty line of a piece is an empty line of the file.

// The head of the box, up to the maker's contact lines.
const char* const GSD_Head = R"GSD(
;
;********************** EnOcean / PROFIBUS Slave - Converter ************************
;* ================================================================================ *
;*                                                                                  *
;* Vendor:   Tavrel                                                                 *
)GSD";

// The rest of the box and the general keywords, up to the ident number.
const char* const GSD_General = R"GSD(
;*                                                                                  *
;* ================================================================================ *
;*                                                                                  *
;* Function:       EnOcean / PROFIBUS Slave - Converter                             *
;*                                                                                  *
;*                                                                                  *
;* Order Number : GX31A08                                                           *
;*                                                                                  *
;*                                                                                  *
;************************************************************************************


#Profibus_DP


;====================================================================================
;==== Prm-Text-Def-List =============================================================
;====================================================================================

PrmText=1
Text(0)="disable"
Text(1)="enable"
EndPrmText

PrmText  = 2
Text(0)  = "clock up"
Text(1)  = "clock down"
EndPrmText

PrmText  = 3
Text(1)  = "10"
Text(2)  = "20"
Text(3)  = "30"
Text(4)  = "40"
Text(5)  = "50"
EndPrmText


;=====================================================================================
;==== Ext-User-Prm-Data-Def-List =====================================================
;=====================================================================================

ExtUserPrmData=1 "[SlotNumber]"
Unsigned8 0 0-32
EndExtUserPrmData

ExtUserPrmData=2 "Diagnostic Alarm"
Bit(0) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=3 "Process Alarm"
Bit(1) 0 0-1
Prm_Text_Ref=1
EndExtUserPrmData

ExtUserPrmData=4 "Counter mode"
Unsigned8 0 0-1
Prm_Text_Ref=2
EndExtUserPrmData

ExtUserPrmData=5 "Counter timebase (ms)"
Unsigned8 1 1-5
Prm_Text_Ref=3
EndExtUserPrmData

ExtUserPrmData=6 "Counter high-limit"
Unsigned16 65535 0-65535
EndExtUserPrmData

ExtUserPrmData=7 "Counter low-limit"
Unsigned16 0 0-65535
EndExtUserPrmData


;=====================================================================================
;==== General DP Keywords ============================================================
;=====================================================================================

GSD_Revision = 5
Vendor_Name = "Tavrel"
Model_Name = "GX31A08"
Revision = "1.00"
)GSD";

// From the protocol keywords to the modular-station keyword, before the computed lengths.
const char* const GSD_Slave = R"GSD(
Protocol_Ident = 0
Station_Type = 0
FMS_supp = 0
Hardware_Release = "V1.00"
Software_Release = "V1.00"
Redundancy = 0
Repeater_Ctrl_Sig = 2
24V_Pins = 0


;==============================================================================
;==== Supported baudrates =====================================================
;==============================================================================

9.6_supp = 1
19.2_supp = 1
45.45_supp = 1
93.75_supp = 1
187.5_supp = 1
500_supp = 1
1.5M_supp = 1
3M_supp = 1
6M_supp = 1
12M_supp = 1

MaxTsdr_9.6=15
MaxTsdr_19.2=15
MaxTsdr_45.45=15
MaxTsdr_93.75=15
MaxTsdr_187.5=15
MaxTsdr_500=15
MaxTsdr_1.5M=20
MaxTsdr_3M=35
MaxTsdr_6M=50
MaxTsdr_12M=95


;==============================================================================
;==== Slave specific values ===================================================
;==============================================================================

OrderNumber="GX31A08"
Slave_Family = 9@Tavrel@GX31A08
Implementation_Type = "VPC3+"
Info_Text="Tavrel: EnOcean / PROFIBUS Slave - Converter"
Bitmap_Device = "DPV0_1N"
Bitmap_SF="DPV0_1S"

Freeze_Mode_supp=1
Sync_Mode_supp=1
Fail_Safe=1
Auto_Baud_supp=1
Set_Slave_Add_supp=0

Min_Slave_Intervall=6

Modular_Station=1
)GSD";

// From the diagnosis length to the head of the module list.
const char* const GSD_Tail = R"GSD(
Max_Diag_Data_Len=15

WD_Base_1ms_supp = 1
Publisher_supp = 1

;==============================================================================
;==== User-Prm-Data ===========================================================
;==============================================================================

Max_User_Prm_Data_Len = 12
Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00

;==============================================================================
;==== Modulstatus =============================================================
;==============================================================================

Unit_Diag_Area = 24 - 25
Value(1)= "Slot 1: Module error"
Value(2)= "Slot 1: Wrong module"
Value(3)= "Slot 1: No module"
Unit_Diag_Area_End
Unit_Diag_Area = 26 - 27
Value(1)= "Slot 2: Module error"
Value(2)= "Slot 2: Wrong module"
Value(3)= "Slot 2: No module"
Unit_Diag_Area_End


;==============================================================================
;==== Module-Definition-List ==================================================
;==============================================================================

)GSD";

// The maker's contact lines of the box.
const char* const GSD_Contact[] = {
    "Example Street 1",
    "00000 Example Town",
    "Example Province - Example Country",
    "Tel. : +00 000 0000000",
    "FAX. : +00 000 0000001",
    "eMail: support@tavrel.example",
};

// The device's PROFIBUS ident number, written after "Ident_Number = 0x".
constexpr Integer GSD_Ident_Number = 0x31A8;

// Bytes per module: each module carries at most 64 bytes of one direction.
constexpr Int64 GSD_Module_Bytes = 64;

// The module number is the last configuration byte of a module, so a file numbers at most 255.
constexpr Int64 GSD_Max_Modules = 255;

// Appends the lines of a fixed piece. The piece starts with the line break after the literal's
// opening and ends with the one before its closing; both belong to the literal, not to the file.
void Add_Piece(std::vector<String>& Lines, const char* Piece) {
  std::string text(Piece);
  text = text.substr(1, text.size() - 2);
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    Lines.push_back(AsciiToString(text.substr(start, end == std::string::npos ? end : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

// One line of the box: ";*", 11 blanks and the text, padded with blanks to 84 characters and
// closed with "*".
String Box_Line(const char* Text) {
  String line = u";*" + StringOfChar(u' ', 11) + AsciiToString(Text);
  if (Length(line) < 84) line += StringOfChar(u' ', 84 - Length(line));
  return line + u"*";
}

String Dec(Int64 Value) { return AsciiToString(std::to_string(Value)); }

// "0x" and two upper-case hexadecimal digits.
String Hex_Byte(Int64 Value) { return u"0x" + IntToHex(Value, 2); }

// The number of 64-byte modules that carry Byte_Count bytes; none for a count of 0 or less.
Int64 Module_Count(Integer Byte_Count) {
  if (Byte_Count <= 0) return 0;
  return (static_cast<Int64>(Byte_Count) + GSD_Module_Bytes - 1) / GSD_Module_Bytes;
}

// The module lines of one direction, numbered on from Number.
void Add_Modules(std::vector<String>& Lines, Integer Byte_Count, bool Input, Int64& Number) {
  const Int64 count = Module_Count(Byte_Count);
  for (Int64 i = 0; i < count; ++i) {
    const Int64 bytes =
        (i < count - 1) ? GSD_Module_Bytes : Byte_Count - GSD_Module_Bytes * (count - 1);
    const String k = Dec(Number);
    Lines.push_back(u"Module=\"" + String(Input ? u"DI" : u"DO") + u"  (PORT" + k + u")    \" " +
                    Hex_Byte(Input ? 0x42 : 0x82) + u"," + Hex_Byte(bytes - 1) + u"," +
                    Hex_Byte(0) + u"," + Hex_Byte(Number));
    Lines.push_back(k);
    Lines.push_back(u"EndModule");
    ++Number;
  }
}

}  // namespace

Integer Check_GSD_ParGen(const String& File_ParGen) {
  return FileMissing(File_ParGen) ? Text_GSD_No_ParGen : 0;
}

TGSD_Param Read_GSD_Param(const String& File_ParGen) {
  TParGen_Reader reader;
  reader.Load_File(File_ParGen);
  TGSD_Param param;
  // The element names speak from the converter's side: its output bytes are the master's inputs.
  const TParGen_Byte_Counts counts = Read_ParGen_Byte_Counts(reader, 0);
  param.GSD_Output_Len = counts.NB_In;
  param.GSD_Input_Len = counts.NB_Out;
  return param;
}

String GSD_File_Name(const String& Chosen) {
  if (Length(Chosen) >= 4 && SameText(Copy(Chosen, Length(Chosen) - 3, 4), u".gsd")) return Chosen;
  return Chosen + u".gsd";
}

std::vector<String> Make_GSD_Lines(Integer GSD_Input_Len, Integer GSD_Output_Len) {
  const Int64 max_module = Module_Count(GSD_Input_Len) + Module_Count(GSD_Output_Len);
  const Int64 max_data_len = static_cast<Int64>(GSD_Input_Len) + GSD_Output_Len;
  // Counts this large can only come from a hand-edited "ParGen.xml": their modules could not be
  // numbered, and building millions of lines would exhaust the memory.
  if (max_module > GSD_Max_Modules) {
    throw EConvertError(u"The byte counts " + Dec(GSD_Input_Len) + u" and " + Dec(GSD_Output_Len) +
                        u" need " + Dec(max_module) + u" modules; a GSD file holds at most " +
                        Dec(GSD_Max_Modules) + u".");
  }

  std::vector<String> lines;
  Add_Piece(lines, GSD_Head);
  for (const char* contact : GSD_Contact) lines.push_back(Box_Line(contact));
  Add_Piece(lines, GSD_General);
  lines.push_back(u"Ident_Number = 0x" + IntToHex(GSD_Ident_Number, 4));
  Add_Piece(lines, GSD_Slave);
  lines.push_back(u"Max_Module=" + Dec(max_module));
  lines.push_back(u"Modul_Offset=1");
  lines.push_back(u"Max_Input_Len=" + Dec(GSD_Input_Len));
  lines.push_back(u"Max_Output_Len=" + Dec(GSD_Output_Len));
  lines.push_back(u"Max_Data_Len=" + Dec(max_data_len));
  Add_Piece(lines, GSD_Tail);

  // Input modules first, then output modules, numbered on across both directions.
  Int64 number = 1;
  Add_Modules(lines, GSD_Input_Len, true, number);
  Add_Modules(lines, GSD_Output_Len, false, number);

  lines.insert(lines.end(), 3, String());
  lines.push_back(u"SlotDefinition");
  for (Int64 k = 1; k <= max_module; ++k) {
    lines.push_back(u"Slot(" + Dec(k) + u") = \"Slot " + Dec(k) + u"\" " + Dec(k) + u" " + Dec(k));
  }
  lines.push_back(u"EndSlotDefinition");
  lines.insert(lines.end(), 4, String());
  return lines;
}

void Write_GSD_File(const String& FileName, Integer GSD_Input_Len, Integer GSD_Output_Len) {
  Save_Text_Lines(FileName, Make_GSD_Lines(GSD_Input_Len, GSD_Output_Len), TText_Encoding::Ansi);
}

bool Save_GSD_File(const String& Chosen, const TGSD_Param& Param,
                   const TConfirm_Overwrite& Confirm_Overwrite) {
  const String file_name = GSD_File_Name(Chosen);
  if (!Overwrite_Allowed(file_name, Text_GSD_Overwrite, Confirm_Overwrite)) return false;
  Write_GSD_File(file_name, Param.GSD_Input_Len, Param.GSD_Output_Len);
  return true;
}
