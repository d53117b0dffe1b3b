// Dropping on the grid: the drop-target base's choice of formats, the grid's drop target for text,
// columns and files, the drop source, and the drag-and-drop settings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "components/grid/ExGridDragDrop.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "platform/office/Spreadsheet.h"
#include "tests/components/grid/GridSettingsTestUtil.h"
#include "tests/TempFolder.h"

namespace {

using TData = TComPtr<TDataObject>;

TData NewData() {
  RegisterDropFormats();
  return TData(new TDataObject);
}

TData TextData(const String& Text) {
  TData D = NewData();
  D->SetUnicodeText(Text);
  return D;
}

TData ColumnData(Integer Col) {
  TData D = NewData();
  D->SetFormat(DropColumnFormat(), {static_cast<Byte>(Col), 0, 0, 0});
  return D;
}

// A file list with UTF-16 names, as the file manager offers it.
TData FileData(const std::vector<String>& Names) {
  std::vector<Byte> Bytes(20, 0);
  Bytes[0] = 20;
  Bytes[16] = 1;
  for (const String& N : Names) {
    for (char16_t C : N) {
      Bytes.push_back(static_cast<Byte>(C & 0xFF));
      Bytes.push_back(static_cast<Byte>(C >> 8));
    }
    Bytes.insert(Bytes.end(), {0, 0});
  }
  Bytes.insert(Bytes.end(), {0, 0});
  TData D = NewData();
  D->SetFormat(CF_HDROP, Bytes);
  return D;
}

// Both effects a drag from another grid allows.
constexpr DWORD Offered = DROPEFFECT_COPY | DROPEFFECT_MOVE;

}  // namespace

// An editable probe grid whose own drag-and-drop settings registered a drop target.
struct DropTest : GridSettingsFixture {
  TDragDropSettings* DD = nullptr;
  TGridDropTarget* Target = nullptr;
  std::vector<std::string> Log;

  void SetUp() override {
    GridSettingsFixture::SetUp();
    Grid->SetOptions(Grid->Options() << goEditing);
    DD = new TDragDropSettings(Grid);
    DD->SetOleDropTarget(true);
    Target = DD->DropTarget();
    Grid->OnOleDrop = [this](TObject*, Integer R, Integer C, const String& Data, bool&) {
      Log.push_back("drop " + std::to_string(R) + "," + std::to_string(C) + " " + Narrow(Data));
    };
    Grid->OnOleDropped = [this](TObject*, TGridRect S) {
      Log.push_back("dropped " + std::to_string(S.Left) + "," + std::to_string(S.Top) + "-" +
                    std::to_string(S.Right) + "," + std::to_string(S.Bottom));
    };
  }
  void TearDown() override {
    delete DD;
    GridSettingsFixture::TearDown();
  }
  // The screen point in the middle of a cell.
  TPoint At(Integer C, Integer R) {
    const TRect Cell = Grid->CellRect(C, R);
    return Grid->ClientToScreen(TPoint{(Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2});
  }
  DWORD DropAt(const TData& D, TPoint P, DWORD Keys = 0) {
    DWORD Effect = Offered;
    Target->DragEnter(D.Get(), Keys, P, &Effect);
    Effect = Offered;
    Target->DragOver(Keys, P, &Effect);
    Effect = Offered;
    Target->Drop(D.Get(), Keys, P, &Effect);
    return Effect;
  }
};

TEST_F(DropTest, TheSettingsRegisterAndRevokeTheTarget) {
  ASSERT_NE(Target, nullptr);
  EXPECT_TRUE(DD->DropTargetAssigned());
  EXPECT_EQ(RegisteredDropTarget(Grid->Handle()), Target);
  EXPECT_EQ(Target->Settings(), DD);
  DD->SetOleAcceptText(false);
  DD->UpdateDropTargetAccept();
  EXPECT_FALSE(Target->AcceptText());
  DD->SetOleDropTarget(false);
  EXPECT_EQ(RegisteredDropTarget(Grid->Handle()), nullptr);
  EXPECT_FALSE(DD->DropTargetAssigned());

  TDragDropSettings Copy(nullptr);
  DD->SetOleInsertRows(true);
  DD->SetOleDropRTF(true);
  EXPECT_TRUE(RTFDropAllowed());
  SetRTFDropAllowed(false);
  Copy.Assign(DD);
  EXPECT_TRUE(Copy.OleInsertRows());
  EXPECT_TRUE(Copy.OleDropRTF());
  EXPECT_FALSE(RTFDropAllowed());  // Assign leaves the program-wide switch alone
  EXPECT_EQ(Copy.DropTarget(), nullptr);
}

TEST_F(DropTest, TextInsertedAsRowsFillsAndSelectsTheDroppedBlock) {
  DD->SetOleInsertRows(true);
  const Integer Rows = Grid->RowCount();
  const DWORD Effect = DropAt(TextData(u"a\tb\tc\r\nd\te\tf"), At(2, 5));
  EXPECT_EQ(Effect, DROPEFFECT_MOVE);
  EXPECT_EQ(Grid->RowCount(), Rows + 2);
  const char* Expected[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
  for (Integer r = 0; r < 2; ++r)
    for (Integer c = 0; c < 3; ++c) EXPECT_EQ(Narrow(Grid->Cells(2 + c, 5 + r)), Expected[r][c]);
  EXPECT_EQ(Narrow(Grid->Cells(2, 7)), "");
  const TGridRect S = Grid->Selection();
  EXPECT_EQ(S.Left, 2);
  EXPECT_EQ(S.Top, 5);
  EXPECT_EQ(S.Right, 4);
  EXPECT_EQ(S.Bottom, 6);
  EXPECT_EQ(Log, (std::vector<std::string>{"drop 5,2 a\tb\tc\r\nd\te\tf", "dropped 2,5-4,6"}));
}

TEST_F(DropTest, TextBelowTheLastRowAppendsRowsWithWholeRowDrops) {
  DD->SetOleInsertRows(true);
  DD->SetOleEntireRows(true);
  DD->SetOleAppendRows(true);
  Grid->SetCells(1, 9, u"last");
  const Integer Rows = Grid->RowCount();
  const TRect Last = Grid->CellRect(1, Rows - 1);
  ASSERT_LT(Last.Bottom + 10, Grid->ClientHeight());
  const TPoint Below = Grid->ClientToScreen(TPoint{Last.Left + 5, Last.Bottom + 10});
  DropAt(TextData(u"x\ty"), Below);
  EXPECT_EQ(Grid->RowCount(), Rows + 1);
  EXPECT_EQ(Narrow(Grid->Cells(1, Rows - 1)), "last");
  EXPECT_EQ(Narrow(Grid->Cells(1, Rows)), "x");
  EXPECT_EQ(Narrow(Grid->Cells(2, Rows)), "y");
}

TEST_F(DropTest, ADropTheApplicationRefusesChangesNothing) {
  Grid->OnOleDrop = [](TObject*, Integer, Integer, const String&, bool& Allow) { Allow = false; };
  DropAt(TextData(u"z"), At(1, 2));
  EXPECT_EQ(Narrow(Grid->Cells(1, 2)), "");
  Grid->SetOptions(Grid->Options() >> goEditing);
  Grid->OnOleDrop = nullptr;
  DropAt(TextData(u"z"), At(1, 2));  // a grid that cannot be edited takes no text
  EXPECT_EQ(Narrow(Grid->Cells(1, 2)), "");
}

TEST_F(DropTest, ColumnsAreTakenOnlyOverTheHeaderOfNormalColumns) {
  Target->SetAcceptCols(true);
  const TData Col = ColumnData(1);
  struct Case {
    const char* Name;
    Integer C, R;
    DWORD Effect;
  } Cases[] = {
      {"normal row", 2, 3, DROPEFFECT_NONE},
      {"fixed row of the fixed column", 0, 0, DROPEFFECT_NONE},
      {"fixed row of a normal column", 3, 0, DROPEFFECT_MOVE},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    DWORD Effect = Offered;
    Target->DragEnter(Col.Get(), 0, At(C.C, C.R), &Effect);
    Effect = Offered;
    Target->DragOver(0, At(C.C, C.R), &Effect);
    EXPECT_EQ(Effect, C.Effect);
    Target->DragLeave();
  }
  DWORD Effect = Offered;
  Target->SetAcceptCols(false);
  Target->DragEnter(Col.Get(), 0, At(3, 0), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);  // the target does not take columns
}

TEST_F(DropTest, AColumnDroppedOnAnotherHeaderMovesThereWithReordering) {
  Target->SetAcceptCols(true);
  DD->SetOleColumnReorder(true);
  for (Integer c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, u"H" + IntToStr(c));
  std::vector<std::string> Cols;
  Grid->OnOleDropCol = [&](TObject*, Integer R, Integer C, Integer From) {
    Cols.push_back(std::to_string(R) + "," + std::to_string(C) + "<" + std::to_string(From));
  };
  DropAt(ColumnData(1), At(3, 0));
  EXPECT_EQ(Cols, (std::vector<std::string>{"0,3<1"}));
  EXPECT_EQ(Narrow(Grid->Cells(Grid->RealColIndex(3), 0)), "H1");
}

TEST_F(DropTest, AColumnAnnouncedFromAListBoxShowsAgainWhereItIsDropped) {
  Target->SetAcceptCols(true);
  for (Integer c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, u"H" + IntToStr(c));
  Grid->HideColumn(3);
  auto* List = new TListBox(Form);
  List->SetParent(Form);
  List->Items()->Add(u"first");
  List->Items()->Add(u"H3");
  std::vector<std::string> Cols;
  Grid->OnOleDropCol = [&](TObject*, Integer R, Integer C, Integer From) {
    Cols.push_back(std::to_string(R) + "," + std::to_string(C) + "<" + std::to_string(From));
  };
  const Integer Shown = Grid->ColCount();
  Grid->OleColumnDragStart(3, 1, List);
  DropAt(ColumnData(3), At(1, 0));
  // The entry leaves the list, the column is shown again and stands where it was dropped.
  ASSERT_EQ(List->Items()->Count(), 1);
  EXPECT_EQ(Narrow(List->Items()->Strings(0)), "first");
  EXPECT_FALSE(Grid->IsHiddenColumn(3));
  EXPECT_EQ(Grid->ColCount(), Shown + 1);
  EXPECT_EQ(Narrow(Grid->Cells(Grid->RealColIndex(1), 0)), "H3");
  EXPECT_EQ(Cols, (std::vector<std::string>{"0,1<3"}));
  // The announcement holds for one drop: the next column dropped is an ordinary one.
  DropAt(ColumnData(2), At(1, 0));
  EXPECT_EQ(List->Items()->Count(), 1);

  // A list box freed before the drop is forgotten: the column still comes back.
  ASSERT_EQ(Narrow(Grid->Cells(4, 0)), "H4");
  Grid->HideColumn(4);
  Grid->OleColumnDragStart(4, 0, List);
  TComponent::Free(List);
  DropAt(ColumnData(4), At(0, 0));
  EXPECT_FALSE(Grid->IsHiddenColumn(4));
  EXPECT_EQ(Narrow(Grid->Cells(Grid->RealColIndex(0), 0)), "H4");
}

TEST_F(DropTest, OneCsvFileIsAskedForTwiceThenLoadedAndSeveralFilesAreIgnored) {
  const TTempFolder Folder("griddrop");
  const std::string Path = Folder.FsPath("griddrop.csv").string();
  std::ofstream(Path, std::ios::binary) << "p,q\r\nr,s\r\n";
  const String Csv = Utf8ToString(Path);
  Grid->OnOleDropFile = [this](TObject*, Integer R, Integer C, const String& Name, bool&) {
    Log.push_back("file " + std::to_string(R) + "," + std::to_string(C) + " " + Narrow(Name));
  };
  EXPECT_EQ(DropAt(FileData({Csv}), At(1, 1)), DROPEFFECT_MOVE);
  EXPECT_EQ(Log, (std::vector<std::string>{"file 1,1 " + Path, "drop -1,-1 " + Path}));
  // The file fills the grid from its first cell on, the fixed cells included.
  EXPECT_EQ(Narrow(Grid->Cells(0, 0)), "p");
  EXPECT_EQ(Narrow(Grid->Cells(1, 1)), "s");

  Log.clear();
  DropAt(FileData({u"/tmp/a.csv", u"/tmp/b.csv"}), At(1, 1));
  EXPECT_TRUE(Log.empty());
  DropAt(FileData({u"/tmp/notes.txt"}), At(1, 1));
  EXPECT_EQ(Log, (std::vector<std::string>{"file 1,1 /tmp/notes.txt"}));
}

TEST_F(DropTest, OneWorkbookIsAskedForTwiceThenLoaded) {
  const TTempFolder Folder("griddrop");
  const std::string Path = Folder.FsPath("griddrop.xlsx").string();
  {
    auto App = TSheetApplication::Create();
    TWorkbook* Book = App->Workbooks().Add();
    TOleArray A(1, 2);
    A.Set(1, 1, TOleValue::OfText(u"x"));
    A.Set(1, 2, TOleValue::OfNumber(2));
    Book->Sheets(1)->Range(u"A1:B1").SetValues(A);
    Book->SaveAs(Utf8ToString(Path));
    App->Quit();
  }
  Grid->OnOleDropFile = [this](TObject*, Integer R, Integer C, const String& Name, bool&) {
    Log.push_back("file " + std::to_string(R) + "," + std::to_string(C) + " " + Narrow(Name));
  };
  DropAt(FileData({Utf8ToString(Path)}), At(1, 1));
  EXPECT_EQ(Log, (std::vector<std::string>{"file 1,1 " + Path, "drop -1,-1 " + Path}));
  EXPECT_EQ(Grid->ColCount(), 2);
  EXPECT_EQ(Grid->RowCount(), 1);
  EXPECT_EQ(Narrow(Grid->Cells(0, 0)), "x");
  EXPECT_EQ(Narrow(Grid->Cells(1, 0)), "2");
}

// Drops from other programs come through the window system as MIME data, the way a file manager,
// an editor or a browser offers it; the grid's settings decide what it takes.
TEST_F(DropTest, DropsFromOtherProgramsAreTakenAsTheirSettingsAllow) {
  const TTempFolder Folder("griddrop");
  const std::string Path = Folder.FsPath("griddrop_other.csv").string();
  std::ofstream(Path, std::ios::binary) << "p;q\r\nr;s\r\n";
  const std::string FileUrl = "file://" + Path;
  using TParts = TestHarness::TMimeParts;
  struct Case {
    const char* Name;
    TParts Parts;
    std::function<void()> Setting;
    DWORD Allowed;
    DWORD Effect;                                // the effect the grid takes
    std::vector<std::pair<TPoint, std::string>> Cells;  // (column, row) and the text expected there
  };
  const Case Cases[] = {
      {"an editor's text fills the cells from the drop cell on",
       {{u"text/plain;charset=utf-8", "a\tb\r\nc\td"}}, nullptr, Offered, DROPEFFECT_MOVE,
       {{{2, 3}, "a"}, {{3, 3}, "b"}, {{2, 4}, "c"}, {{3, 4}, "d"}}},
      {"a program that allows only a copy gets a copy", {{u"text/plain", "only copy"}}, nullptr,
       DROPEFFECT_COPY, DROPEFFECT_COPY, {{{2, 3}, "only copy"}}},
      {"a text file from the file manager is read as CSV, its names are no text",
       {{u"text/uri-list", FileUrl + "\r\n"}, {u"text/plain", FileUrl}}, nullptr, Offered, DROPEFFECT_MOVE,
       {{{0, 0}, "p"}, {{1, 1}, "s"}, {{2, 3}, ""}}},
      {"a browser's link lands in the cell under the drop",
       {{u"text/uri-list", "https://example.org/page\r\n"}, {u"text/plain", "https://example.org/page"}}, nullptr,
       Offered, DROPEFFECT_MOVE, {{{2, 3}, "https://example.org/page"}}},
      {"a link alone: the link stands for the text", {{u"text/uri-list", "https://example.org/x\r\n"}},
       nullptr, Offered, DROPEFFECT_MOVE, {{{2, 3}, "https://example.org/x"}}},
      {"rich text, when the grid takes it", {{u"text/rtf", "{\\rtf1 rich}"}, {u"text/plain", "rich"}},
       [this] { DD->SetOleDropRTF(true); }, Offered, DROPEFFECT_MOVE, {{{2, 3}, "{\\rtf1 rich}"}}},
      {"no text when the grid takes none", {{u"text/plain", "refused"}},
       [this] { DD->SetOleAcceptText(false); }, Offered, DROPEFFECT_NONE, {{{2, 3}, ""}}},
      {"no files when the grid takes none", {{u"text/uri-list", FileUrl + "\r\n"}},
       [this] { DD->SetOleAcceptFiles(false); }, Offered, DROPEFFECT_NONE, {{{0, 0}, ""}}},
      {"a link still comes as its text when the grid takes no links",
       {{u"text/uri-list", "https://example.org/y\r\n"}}, [this] { DD->SetOleAcceptURLs(false); }, Offered,
       DROPEFFECT_MOVE, {{{2, 3}, "https://example.org/y"}}},
      {"no links when the grid takes neither links nor text", {{u"text/uri-list", "https://example.org/z\r\n"}},
       [this] {
         DD->SetOleAcceptURLs(false);
         DD->SetOleAcceptText(false);
       },
       Offered, DROPEFFECT_NONE, {{{2, 3}, ""}}},
      {"an image alone is nothing the grid takes", {{u"image/png", "\x89PNG"}}, nullptr, Offered,
       DROPEFFECT_NONE, {{{2, 3}, ""}}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetColCount(5);
    Grid->SetRowCount(10);
    for (Integer r = 0; r < Grid->RowCount(); ++r)
      for (Integer c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, r, u"");
    DD->SetOleAcceptText(true);
    DD->SetOleAcceptFiles(true);
    DD->SetOleAcceptURLs(true);
    DD->SetOleDropRTF(false);
    if (C.Setting) C.Setting();
    DD->UpdateDropTargetAccept();
    const TRect Cell = Grid->CellRect(2, 3);
    const TPoint P((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2);
    EXPECT_EQ(TestHarness::DropFromOtherProgram(Grid, P, C.Parts, C.Allowed), C.Effect);
    for (const auto& [At, Text] : C.Cells) EXPECT_EQ(Narrow(Grid->Cells(At.X, At.Y)), Text) << At.X << "," << At.Y;
  }
  SetRTFDropAllowed(false);
}

TEST_F(DropTest, ADragOfAnotherProgramThatLeavesChangesNothingAndCtrlCopies) {
  const TRect Cell = Grid->CellRect(2, 3);
  const TPoint P((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2);
  EXPECT_EQ(TestHarness::DropFromOtherProgram(Grid, P, {{u"text/plain", "passing"}}, Offered, TShiftState(), false),
            DROPEFFECT_MOVE);
  EXPECT_EQ(Narrow(Grid->Cells(2, 3)), "");
  EXPECT_TRUE(Log.empty());
  // Ctrl held asks for a copy.
  EXPECT_EQ(TestHarness::DropFromOtherProgram(Grid, P, {{u"text/plain", "copied"}}, Offered, TShiftState(ssCtrl)),
            DROPEFFECT_COPY);
  EXPECT_EQ(Narrow(Grid->Cells(2, 3)), "copied");
  // A grid whose target is revoked takes nothing from other programs either.
  DD->SetOleDropTarget(false);
  EXPECT_EQ(TestHarness::DropFromOtherProgram(Grid, P, {{u"text/plain", "late"}}), DROPEFFECT_NONE);
  EXPECT_EQ(Narrow(Grid->Cells(2, 3)), "copied");
}

TEST_F(DropTest, TheBaseTakesOnlyTheFormatsItAccepts) {
  const TData Rtf = NewData();
  const char Body[] = "{\\rtf1 x}";
  Rtf->SetFormat(DropRTFFormat(), std::vector<Byte>(Body, Body + sizeof Body));
  DWORD Effect = Offered;
  SetRTFDropAllowed(false);
  Target->DragEnter(Rtf.Get(), 0, At(1, 1), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  SetRTFDropAllowed(true);
  Effect = Offered;
  Target->DragEnter(Rtf.Get(), MK_CONTROL, At(1, 1), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_COPY);
  EXPECT_TRUE(Target->DropFormats().Contains(dfRTF));
  Target->DragLeave();
  SetRTFDropAllowed(false);

  Target->SetAcceptText(false);
  Effect = Offered;
  Target->DragEnter(TextData(u"t").Get(), 0, At(1, 1), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  // Over the fixed row, text is refused.
  Target->SetAcceptText(true);
  const TData Text = TextData(u"t");
  Effect = Offered;
  Target->DragEnter(Text.Get(), 0, At(2, 0), &Effect);
  Effect = Offered;
  Target->DragOver(0, At(2, 0), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_NONE);
  Effect = Offered;
  Target->DragOver(0, At(2, 2), &Effect);
  EXPECT_EQ(Effect, DROPEFFECT_MOVE);
}

TEST_F(DropTest, TheSourceKeepsTheLastCopyOrMoveAndEndsOnReleaseOrEscape) {
  TComPtr<TGridDropSource> Keep(new TGridDropSource(Grid));
  TGridDropSource& Source = *Keep.Get();
  EXPECT_EQ(Source.LastEffect(), 0);
  Source.GiveFeedback(DROPEFFECT_MOVE);
  Source.GiveFeedback(DROPEFFECT_NONE);
  EXPECT_EQ(Source.LastEffect(), 2);
  Source.GiveFeedback(DROPEFFECT_COPY);
  EXPECT_EQ(Source.LastEffect(), 1);

  auto* Image = new TPanel(Form);
  Image->SetParent(Form);
  Image->SetBounds(0, 0, 30, 20);
  Source.SetDragImage(Image);
  SetCursorPosSource([] { return TPoint{100, 80}; });
  EXPECT_EQ(Source.QueryContinueDrag(false, MK_LBUTTON), S_OK);
  EXPECT_EQ(Image->Left(), 104);
  EXPECT_EQ(Image->Top(), 84);
  EXPECT_EQ(Source.QueryContinueDrag(false, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(Source.DragImage(), nullptr);  // freed when the drag ended
  EXPECT_EQ(Source.QueryContinueDrag(true, MK_LBUTTON), DRAGDROP_S_CANCEL);
  SetCursorPosSource(nullptr);
}
