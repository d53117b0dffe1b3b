// The network file "EnOcean.xml": the whole EnOcean network of a configuration.
//
// <EnOcean><DevicesList>
//   <Device Id Secure_Type Key RollCode RollCodeAlg RollCodeTx CMACAlg DataCript PTM>
//     <UnidirectionalList> <RorgFuncType RorgNum FuncNum TypeNum> <VariablesList>
//         <Variable CaseInd Data BitOffs BitSize Position BitStart/> ...
//     <SmartACKList> (the same form) <Remote/>
// </DevicesList></EnOcean><!--SW_VERSION = 1.000-->
//
// Every list element is written even when empty; integers are written in decimal; the ID, key and
// rolling code are kept as typed. UTF-8, no declaration, no indentation.
#pragma once

#include <string>
#include <vector>

#include "enocean/EnOceanNetwork.h"

// The largest network file read: far more devices, EEPs and variables than the configuration
// image can hold.
constexpr Int64 Max_Network_File_Size = 16 * 1024 * 1024;

// The version written in the comment after the root.
extern const char16_t* const EnOcean_File_Version;

// Writes the whole network to FileName, replacing the file only once the new one is complete.
// False after any error (the folder missing, the file locked, ...); Error, when given, receives the
// reason.
bool Save_Configuration(const TDevice_EnOcean_List& DevList, const String& FileName, String* Error = nullptr);
// The bytes Save_Configuration writes.
std::string Network_File_Bytes(const TDevice_EnOcean_List& DevList);

// What reading the file found that it could not take as it stands.
struct TNetwork_File_Problem {
  Integer Device = 0;  // the device's place among the file's devices, from 1; 0 for the file itself
  String Id;           // the device's Id as it stands in the file
  bool Smart_ACK = false;  // the EEP is in the Smart-ACK list, not the unidirectional one
  Integer EEP = 0;       // the EEP's place in its list, from 1; 0 for a value of the device
  Integer Variable = 0;  // the variable's place in its EEP, from 1; 0 for a value of the EEP
  String Text;         // what could not be read, and what was taken in its place
  bool Image = false;  // the configuration image needs that value: no image is built from the file
};

// A network read from the file, with what could not be read of it.
struct TNetwork_File {
  TDevice_EnOcean_List Devices;
  std::vector<TNetwork_File_Problem> Problems;
  // True when the file was taken as it stands: writing the network back loses nothing of it.
  bool Read_Whole() const { return Problems.empty(); }
};

// Reads the network file the one way that both network editors and the configuration-image builder
// take it, so what an editor shows is what the device gets.
// - The root is the top-level element `EnOcean` and the network its child `DevicesList`; a file
//   without them holds no network (a problem, not one for the image).
// - Every element in `DevicesList` is a device, whatever its name; comments are not devices. So are
//   the elements in `UnidirectionalList`, `SmartACKList` and `VariablesList` EEPs and variables.
// - Numbers are decimal, or hexadecimal after "$" or "0x", converted to 64 bits of which the low 32
//   are kept, as the device takes them (a value past 32 bits is reported).
// - Nothing is dropped: a value that is missing or not a number is taken as 0 (a text as empty, a
//   missing `VariablesList` as no variables) and reported, and the reading goes on with the next
//   value. `CaseInd` that is not a number reads as 0, and a security value that the device's type
//   does not use may be missing, as the image takes them; they are reported all the same.
// - The image needs the device's Id and Secure_Type, for a device of security type 2 its five
//   security numbers, and the numbers of the unidirectional EEPs and their variables; a problem
//   with any of them, or a `VariablesList` missing there, is marked Image (the image builder lets a
//   variable pass whose case the catalogue does not hold, since it skips that variable). The image
//   does not carry the Smart-ACK EEPs.
// A missing file gives an empty network, read whole. A file that is not well-formed XML raises the
// XML document's error, and so does a name that stands for no regular file (a folder, a pipe, a
// device) or a file larger than Max_Network_File_Size; a file that does not fit in memory raises
// EOutOfMemory. Each message names the file.
TNetwork_File Read_Network_File(const String& FileName);
// The same from the bytes of such a file.
TNetwork_File Read_Network_Bytes(const std::string& Bytes);

// One problem as a line of text: "device 3 (Id "5"), unidirectional EEP 1, variable 2: ..."; a
// problem of the file itself is its text alone.
String Network_Problem_Line(const TNetwork_File_Problem& Problem);
// The problems as lines, the first Max of them, then how many more there are.
String Network_Problems_Text(const std::vector<TNetwork_File_Problem>& Problems, Integer Max = 10);
