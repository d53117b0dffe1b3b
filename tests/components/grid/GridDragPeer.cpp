// A small program with one string grid, for scripts/gui-smoke.sh: two of them run side by side on a
// real X server and the script drags cells from one to the other with the real pointer, so the
// drag crosses from one program to another through the window system.
//
//   grid_drag_peer source X Y     a grid at screen (X, Y) whose cells (1, 1) .. (2, 2) hold
//                                 "a1" "b1" / "a2" "b2", selected, as a drag source; it ends 3 s
//                                 after its drag ended (or after 20 s)
//   grid_drag_peer target X Y OUT a grid at (X, Y) that takes drops; after the first drop it writes
//                                 its cells (1, 1) .. (2, 2) to OUT as "a1 b1 a2 b2" and ends (or
//                                 ends after 20 s without writing)
//
// Each grid is 300 x 200 pixels at the window's client origin with cells of 64 x 24 pixels, so
// cell (1, 1) is centred at (X + 96, Y + 36).
#include <cstdio>
#include <cstring>
#include <fstream>

#include "components/grid/ExGrid.h"
#include "components/grid/ExGridDragDrop.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"

namespace {

class TPeerForm : public TForm {
 public:
  TPeerForm() : TForm(Application) {}
  String ClassName() const override { return u"TPeerForm"; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: grid_drag_peer source|target X Y [OUT]\n");
    return 2;
  }
  const bool Source = std::strcmp(argv[1], "source") == 0;
  const Integer X = std::atoi(argv[2]);
  const Integer Y = std::atoi(argv[3]);
  const std::string Out = argc > 4 ? argv[4] : "";
  InitializeGuiLayer(argc, argv);
  Application->Initialize();
  auto* Form = new TPeerForm;
  Form->SetBorderStyle(bsNone);
  Form->SetCaption(Source ? u"grid drag source" : u"grid drag target");
  Form->SetBounds(X, Y, 300, 200);
  Form->AfterConstruction();
  auto* Grid = new TExStringGrid(Form);
  Grid->SetParent(Form);
  Grid->SetBounds(0, 0, 300, 200);
  Grid->SetDefaultColWidth(64);
  Grid->SetDefaultRowHeight(24);
  Grid->SetColCount(4);
  Grid->SetRowCount(5);
  auto* Timeout = new TTimer(Form);
  Timeout->SetInterval(20000);
  Timeout->OnTimer = [](TObject*) { Application->Terminate(); };
  if (Source) {
    Grid->SetCells(1, 1, u"a1");
    Grid->SetCells(2, 1, u"b1");
    Grid->SetCells(1, 2, u"a2");
    Grid->SetCells(2, 2, u"b2");
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    // Plain text and rich text only, as any other program would receive them.
    Grid->Navigation()->SetAllowFmtClipboard(false);
    Grid->DragDropSettings()->SetOleDropSource(true);
    Grid->DragDropSettings()->SetOleDropRTF(true);
    // The program that took the drop may still read the data after the drop: the source ends a
    // little later.
    Grid->OnOleDragStop = [Timeout](TObject*, Integer) {
      Timeout->SetInterval(3000);
      Timeout->SetEnabled(true);
    };
  } else {
    Grid->SetOptions(Grid->Options() << goEditing);
    Grid->DragDropSettings()->SetOleDropTarget(true);
    Grid->OnOleDropped = [Grid, Out](TObject*, TGridRect) {
      std::ofstream F(Out);
      F << StringToUtf8(Grid->Cells(1, 1)) << ' ' << StringToUtf8(Grid->Cells(2, 1)) << ' '
        << StringToUtf8(Grid->Cells(1, 2)) << ' ' << StringToUtf8(Grid->Cells(2, 2)) << '\n';
      Application->Terminate();
    };
  }
  Form->Show();
  Timeout->SetEnabled(true);
  Application->Run();
  FinalizeGuiLayer();
  return 0;
}
