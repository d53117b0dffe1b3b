// Shared by the tests of the office exchange: a scratch folder and an independent reader. The files
// the layer writes are checked with readers Debian ships (python3-openpyxl, python3-docx), so a
// test shows that other programs read them, not only our own reader.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/rtl/SysUtils.h"
#include "tests/TempFolder.h"

namespace OfficeTest {

// Runs a Python script with the arguments (each quoted) and gives its standard output; the test
// fails when the script fails.
inline std::string RunPython(const std::string& Script, const std::vector<std::string>& Args = {}) {
  const TTempFolder Folder("office_py");
  const std::filesystem::path File = Folder.FsPath("script.py");
  if (FILE* F = std::fopen(File.c_str(), "wb")) {
    std::fwrite(Script.data(), 1, Script.size(), F);
    std::fclose(F);
  }
  std::string Cmd = "/usr/bin/python3 '" + File.string() + "'";
  for (const std::string& A : Args) Cmd += " '" + A + "'";
  Cmd += " 2>&1";
  std::string Out;
  FILE* P = ::popen(Cmd.c_str(), "r");
  if (!P) {
    ADD_FAILURE() << "/usr/bin/python3 cannot be started";
    return Out;
  }
  char Buf[4096];
  size_t N;
  while ((N = std::fread(Buf, 1, sizeof Buf, P)) > 0) Out.append(Buf, N);
  const int Status = ::pclose(P);
  EXPECT_EQ(Status, 0) << Out;
  return Out;
}

// Writes at Path a workbook of three sheets: the worksheet "Data" (1 and 2 in A1:A2), the chart
// sheet "Chart" drawing them and the worksheet "More" ("x" in A1).
inline void MakeWorkbookWithAChartSheet(const std::string& Path) {
  RunPython(R"PY(
import sys, openpyxl
from openpyxl.chart import BarChart, Reference
b = openpyxl.Workbook()
ws = b.active
ws.title = "Data"
ws.append([1]); ws.append([2])
chart = BarChart()
chart.add_data(Reference(ws, min_col=1, min_row=1, max_row=2))
b.create_chartsheet("Chart").add_chart(chart)
b.create_sheet("More")["A1"] = "x"
b.save(sys.argv[1])
)PY",
            {Path});
}

// A scratch folder that goes with the test.
class TScratch {
 public:
  std::string Path(const std::string& Name) const { return FFolder.FsPath(Name).string(); }
  String File(const std::string& Name) const { return FFolder.File(Name); }

 private:
  TTempFolder FFolder{"office"};
};

inline std::string Narrow(const String& S) { return StringToUtf8(S); }

inline std::string FixturePath(const std::string& Name) {
  return std::string(KP_FIXTURES_DIR) + "/platform/office/" + Name;
}

}  // namespace OfficeTest
