// Shared helpers of the comm tests: a small EEP catalogue built in code, fixture paths, a
// temporary folder per test.
#pragma once

#include <memory>
#include <string>

#include "platform/rtl/System.h"
#include "tests/TempFolder.h"

class TCatalog_EnOcean;

// RORG 0xD2 (210) FUNC 1 TYPE 1 with four cases:
//   0 "A"        selector size 4, offset 4, value 0
//   1 "B"        selector size 4, offset 4, value 1
//   2 "A again"  the same selector as case 0
//   3 "negative" selector size -1 (a negative catalogue value), offset 0, value 0
// RORG 0xA5 (165) FUNC 2 TYPE 5 with one case 0, 0, 0.
// RORG 0xF6 (246) FUNC 2 TYPE 1 with one case of value 12.
std::unique_ptr<TCatalog_EnOcean> Make_Test_Catalog();

// A file of tests/fixtures/comm.
String Fixture(const std::string& RelativePath);
std::string Fixture_Bytes(const std::string& RelativePath);
std::string File_Bytes(const String& FileName);
void Write_Bytes(const String& FileName, const std::string& Bytes);


