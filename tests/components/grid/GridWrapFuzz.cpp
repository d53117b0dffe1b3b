// Fuzz entry point of word-wrapped painting: the input is a text (UTF-8, after three bytes of
// settings: the DrawText flags, the width, and how often the text is repeated into a long one). It
// is measured and drawn by DrawText with word breaks in a rectangle of that width, and painted in
// a data cell of a string grid and of a column grid as they wrap from the start. Nothing may crash
// or hang, and a long text takes time in proportion to its length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/grid/ExCGrid.h"
#include "components/grid/ExGrid.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"

namespace {

struct TScene {
  TBitmap Surface{320, 240};
  TForm* Form = nullptr;
  TExStringGrid* Grids[2] = {nullptr, nullptr};
};

// The window system's application object (the grids are controls), a picture and two shown grids.
TScene& Scene() {
  static TScene* S = nullptr;
  if (S) return *S;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "grid_wrap_fuzz";
  static char* Argv[] = {Name, nullptr};
  InitializeGuiLayer(Argc, Argv);
  S = new TScene;
  S->Form = new TForm(Application);
  S->Form->SetBounds(0, 0, 700, 300);
  S->Form->AfterConstruction();
  for (int i = 0; i < 2; ++i) {
    TExStringGrid* G = i == 0 ? new TExStringGrid(S->Form) : new TExColumnGrid(S->Form);
    G->SetParent(S->Form);
    G->SetBounds(i * 340, 0, 330, 280);
    G->SetColCount(2);
    G->SetRowCount(2);
    S->Grids[i] = G;
  }
  TestHarness::ShowForm(S->Form);
  return *S;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  TScene& S = Scene();
  const uint8_t Flags = Data[0];
  const Integer Width = static_cast<Integer>(Data[1]) - 8;
  const size_t Repeat = 1 + static_cast<size_t>(Data[2]);
  const String Piece = Utf8ToString(std::string(reinterpret_cast<const char*>(Data) + 3, Size - 3));
  String Text;
  for (size_t i = 0; i < Repeat && Text.size() < (1u << 14); ++i) Text += Piece;

  Cardinal Format = DT_WORDBREAK;
  if (Flags & 1) Format |= DT_NOPREFIX;
  if (Flags & 2) Format |= DT_EXPANDTABS;
  if (Flags & 4) Format |= DT_EDITCONTROL;
  if (Flags & 8) Format |= DT_END_ELLIPSIS;
  if (Flags & 16) Format |= DT_WORD_ELLIPSIS;
  if (Flags & 32) Format |= DT_PATH_ELLIPSIS;
  if (Flags & 64) Format |= DT_CENTER;
  if (Flags & 128) Format |= DT_RIGHT;
  TCanvas* C = S.Surface.Canvas();
  TRect Calc = Rect(4, 4, 4 + Width, 4);
  DrawText(C, Text, Calc, Format | DT_CALCRECT);
  TRect R = Rect(4, 4, 4 + Width, 236);
  DrawText(C, Text, R, Format);

  for (TExStringGrid* G : S.Grids) {
    G->SetColWidths(1, std::max<Integer>(Width, 0));
    G->SetCells(1, 1, Text);
    G->Repaint();
  }
  return 0;
}
