#include "tests/comm/CommTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "enocean/UEnOcean_Catalog.h"

namespace {

std::unique_ptr<TCase> Make_Case(const String& Title, Integer Size, Integer Offset, Integer Id) {
  auto C = std::make_unique<TCase>();
  C->FTitle = Title;
  C->FCaseIdSize = Size;
  C->FCaseIdOffset = Offset;
  C->FCaseId = Id;
  return C;
}

// Adds RORG / FUNC / TYPE with the given cases.
void Add_Type(TCatalog_EnOcean& Cat, Integer Rorg, Integer Func, Integer Type,
              std::vector<std::unique_ptr<TCase>> Cases) {
  auto T = std::make_unique<TType>();
  T->FNumber = Type;
  for (auto& C : Cases) {
    T->Case_SL.push_back(C->FTitle);
    T->List_Case.push_back(std::move(C));
  }
  auto F = std::make_unique<TFunc>();
  F->FNumber = Func;
  F->Type_SL.push_back(u"type");
  F->List_Type.push_back(std::move(T));
  auto R = std::make_unique<TRorg>();
  R->FNumber = Rorg;
  R->Func_SL.push_back(u"func");
  R->List_Func.push_back(std::move(F));
  Cat.Rorg_SL.push_back(u"rorg");
  Cat.List_Rorg.push_back(std::move(R));
}

}  // namespace

std::unique_ptr<TCatalog_EnOcean> Make_Test_Catalog() {
  auto Cat = std::make_unique<TCatalog_EnOcean>();
  std::vector<std::unique_ptr<TCase>> D2;
  D2.push_back(Make_Case(u"A", 4, 4, 0));
  D2.push_back(Make_Case(u"B", 4, 4, 1));
  D2.push_back(Make_Case(u"A again", 4, 4, 0));
  D2.push_back(Make_Case(u"negative", -1, 0, 0));
  Add_Type(*Cat, 0xD2, 1, 1, std::move(D2));
  std::vector<std::unique_ptr<TCase>> A5;
  A5.push_back(Make_Case(u"only", 0, 0, 0));
  Add_Type(*Cat, 0xA5, 2, 5, std::move(A5));
  std::vector<std::unique_ptr<TCase>> F6;
  F6.push_back(Make_Case(u"rocker", 0, 0, 12));
  Add_Type(*Cat, 0xF6, 2, 1, std::move(F6));
  return Cat;
}

String Fixture(const std::string& RelativePath) {
  return Utf8ToString(std::string(KP_FIXTURES_DIR) + "/comm/" + RelativePath);
}

std::string Fixture_Bytes(const std::string& RelativePath) { return File_Bytes(Fixture(RelativePath)); }

std::string File_Bytes(const String& FileName) {
  std::ifstream In(StringToUtf8(FileName), std::ios::binary);
  if (!In) throw std::runtime_error("cannot read " + StringToUtf8(FileName));
  return std::string((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}

void Write_Bytes(const String& FileName, const std::string& Bytes) {
  std::ofstream Out(StringToUtf8(FileName), std::ios::binary | std::ios::trunc);
  Out << Bytes;
}
