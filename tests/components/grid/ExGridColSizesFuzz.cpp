// Fuzz entry point of the grid's INI file of column sizes and positions: the input is the file,
// its section "Grid" read into a grid of a few columns (widths, then positions) and written back.
// Nothing may crash or hang; only the file's own errors may be raised.
#include "ExGridIOFuzzUtil.h"

namespace {

// The positions are read by the grid itself when it is loaded; the fuzz entry point asks directly.
class TFuzzGrid : public TExStringGrid {
 public:
  using TExStringGrid::TExStringGrid;
  using TExStringGrid::LoadColPositions;
  using TExStringGrid::SaveColPositions;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  GridIOFuzz::StartGuiLayer();
  const String Name = GridIOFuzz::ScratchFile(Data, Size, ".ini");
  TFuzzGrid G(nullptr);
  G.SetColCount(6);
  G.HideColumn(4);
  G.ColumnSize()->SetLocation(clIniFile);
  G.ColumnSize()->SetKey(Name);
  G.ColumnSize()->SetSection(u"Grid");
  try {
    G.LoadColSizes();
    G.LoadColPositions();
    G.SaveColSizes();
    G.SaveColPositions();
  } catch (const Exception&) {
  }
  return 0;
}
