// Small helpers shared by the string grid's plain-text exchanges (delimited and fixed-width text,
// the grid text stream): the block of cells they cover and the progress report that fires only
// when its whole-percent value changes. Internal to components/grid.
#pragma once

#include <cmath>

#include "components/grid/ExGrid.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace exgrid_text {

// The save range (the grid's SaveStartCol .. SaveEndCol, SaveStartRow .. SaveEndRow) in one value.
struct TSaveRange {
  Integer StartCol = 0;
  Integer EndCol = -1;
  Integer StartRow = 0;
  Integer EndRow = -1;
};

inline TSaveRange SaveRangeOf(TExStringGrid* G) {
  return TSaveRange{G->SaveStartCol(), G->SaveEndCol(), G->SaveStartRow(), G->SaveEndRow()};
}

// Fires the grid's OnFileProgress with Part / Whole in whole percent (halves to even), only when
// the value differs from the last one fired; the first report always fires.
class TProgress {
 public:
  explicit TProgress(TExStringGrid* G) : FGrid(G) {}
  void Report(double Part, double Whole) {
    if (!FGrid->OnFileProgress) return;
    const Integer P = Whole > 0 ? static_cast<Integer>(std::nearbyint(Part / Whole * 100.0)) : 100;
    if (P == FLast) return;
    FLast = P;
    FGrid->OnFileProgress(FGrid, static_cast<int16_t>(P));
  }

 private:
  TExStringGrid* FGrid;
  Integer FLast = -1;
};

// A text file written a part at a time: the text given to it is encoded and written whenever a
// part has gathered, so that memory holds one part of the file, not the file. The file is
// replaced only at Commit (see TFileReplacement); a text not committed leaves the old file as it
// was. The encoding's byte-order mark starts the file once, and a UTF-16 pair is never cut.
class TTextFileWriter {
 public:
  TTextFileWriter(const String& FileName, TEncoding Encoding) : FFile(FileName), FEncoding(Encoding) {}
  // The text to add to: after adding, Flush when a part has gathered.
  String& Text() { return FText; }
  void Flush(bool All = false) {
    if (!All && FText.size() < kPart) return;
    size_t N = FText.size();
    // A high surrogate waits for its low one.
    if (!All && N > 0 && FText[N - 1] >= 0xD800 && FText[N - 1] <= 0xDBFF) --N;
    std::string Bytes = TextToBytes(FText.substr(0, N), FEncoding);
    const size_t Mark = FMarked ? PreambleSize() : 0;
    FMarked = true;
    FFile.Write(std::string_view(Bytes).substr(std::min(Mark, Bytes.size())));
    FText.erase(0, N);
  }
  void Commit() {
    Flush(true);
    FFile.Commit();
  }

 private:
  static constexpr size_t kPart = 1 << 16;
  size_t PreambleSize() const {
    switch (FEncoding) {
      case TEncoding::UTF8: return 3;
      case TEncoding::Unicode:
      case TEncoding::BigEndianUnicode: return 2;
      default: return 0;
    }
  }
  TFileReplacement FFile;
  TEncoding FEncoding;
  String FText;
  bool FMarked = false;  // the byte-order mark is written
};

}  // namespace exgrid_text
