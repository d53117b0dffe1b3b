// Internal to platform/office: what a workbook keeps of the package it was read from, so that
// writing it back changes only what was written and keeps every other part as it was.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/office/OfficePackage.h"
#include "platform/office/Spreadsheet.h"

struct TWorkbook::TImpl {
  bool FromPackage = false;
  office::TPackage Package;
  std::string WorkbookPart;  // "xl/workbook.xml"
  pugi::xml_document Workbook;
  std::string WorkbookRelsPart;  // "xl/_rels/workbook.xml.rels"
  pugi::xml_document WorkbookRels;
  pugi::xml_document ContentTypes;
  // The parsed sheet parts, by part name.
  std::map<std::string, std::unique_ptr<pugi::xml_document>> SheetDocs;
};
