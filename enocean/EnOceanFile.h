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

#include "enocean/EnOceanNetwork.h"

// The version written in the comment after the root.
extern const char16_t* const EnOcean_File_Version;

// Writes the whole network to FileName, replacing the file only once the new one is complete.
// False after any error (the folder missing, the file locked, ...); Error, when given, receives the
// reason.
bool Save_Configuration(const TDevice_EnOcean_List& DevList, const String& FileName, String* Error = nullptr);

// Reads FileName into DevList, appending to it; a missing file adds nothing. The reading stops at
// the first error (a missing attribute, a numeric attribute that is not an integer, an EEP without
// `VariablesList`, a file that does not parse): the devices read before it stay, the device being
// read is dropped. False when the reading stopped at an error; Error, when given, receives it.
bool Load_Configuration(TDevice_EnOcean_List& DevList, const String& FileName, String* Error = nullptr);
// The same from the bytes of such a file.
void Load_Configuration_Bytes(TDevice_EnOcean_List& DevList, const std::string& Bytes);
