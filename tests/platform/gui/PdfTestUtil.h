// Reads a printed PDF file the way another program does: its pages and page size through pdfinfo,
// its text through pdftotext (poppler-utils, installed by scripts/deps.sh for the tests).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace PdfTest {

inline std::string Run(const std::string& Command) {
  std::string Out;
  if (FILE* P = popen(Command.c_str(), "r")) {
    char Buf[4096];
    size_t N;
    while ((N = fread(Buf, 1, sizeof Buf, P)) > 0) Out.append(Buf, N);
    pclose(P);
  }
  return Out;
}

inline bool ToolsPresent() {
  return std::system("command -v pdfinfo >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") == 0;
}

struct TInfo {
  int Pages = -1;        // -1: not a PDF pdfinfo reads
  double Width = 0;      // the first page, in points
  double Height = 0;
};

inline TInfo Info(const std::string& File) {
  TInfo I;
  const std::string Out = Run("pdfinfo '" + File + "' 2>/dev/null");
  const size_t Pages = Out.find("Pages:");
  if (Pages == std::string::npos) return I;
  I.Pages = std::atoi(Out.c_str() + Pages + 6);
  const size_t Size = Out.find("Page size:");
  if (Size != std::string::npos) std::sscanf(Out.c_str() + Size + 10, " %lf x %lf", &I.Width, &I.Height);
  return I;
}

// The text of every page, as pdftotext lays it out.
inline std::string Text(const std::string& File) { return Run("pdftotext -layout '" + File + "' - 2>/dev/null"); }

}  // namespace PdfTest
