// The strip's mouse input: the add button, the built-in menu, the empty strip's form moves and
// maximising, double clicks, hints, and dragging tabs within a strip, onto another strip and away.
#include <gtest/gtest.h>

#include <vector>

#include "components/tabs/TabStrip.h"
#include "platform/gui/Menus.h"
#include "tests/components/tabs/TabStripTestUtil.h"

namespace {

using InputTest = TabStripFixture;

std::vector<String> Captions(TPopupMenu& Menu) {
  std::vector<String> Result;
  for (Integer i = 0; i < Menu.Items()->Count(); ++i) Result.push_back(Menu.Items()->Items(i)->Caption());
  return Result;
}

TMenuItem* ItemCaptioned(TPopupMenu& Menu, const String& Caption) {
  for (Integer i = 0; i < Menu.Items()->Count(); ++i)
    if (Menu.Items()->Items(i)->Caption() == Caption) return Menu.Items()->Items(i);
  return nullptr;
}

// --- The add button ------------------------------------------------------------------------------------------

TEST_F(InputTest, AddButtonAddsOnPressAndReleaseOverIt) {
  const TRect R = Strip->AddButtonControl()->ControlRect();
  const TPoint On(R.Left + 15, R.Top + 7);
  struct TCase {
    const char* Name;
    TMouseButton Button;
    TPoint ReleaseAt;
    Integer Added;
  };
  const TCase cases[] = {
      {"left button", mbLeft, On, 1},
      {"right button", mbRight, On, 1},
      {"middle button", mbMiddle, On, 1},
      {"released elsewhere", mbLeft, TPoint(450, 28), 0},
  };
  Strip->Options()->Behaviour()->SetUseBuiltInPopupMenu(false);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    while (Strip->Tabs()->Count() > 0) Strip->Tabs()->DeleteTab(0, true);
    Strip->Redraw();
    const TRect Now = Strip->AddButtonControl()->ControlRect();
    ASSERT_EQ(Now, R);
    Press(On, c.Button);
    Release(c.ReleaseAt, c.Button);
    EXPECT_EQ(Strip->Tabs()->Count(), c.Added);
  }
}

TEST_F(InputTest, AddButtonHandlerCanTakeOver) {
  Strip->OnButtonAddClick = [](TObject*, bool& Handled) { Handled = true; };
  const TRect R = Strip->AddButtonControl()->ControlRect();
  Press(TPoint(R.Left + 15, R.Top + 7));
  Release(TPoint(R.Left + 15, R.Top + 7));
  EXPECT_EQ(Strip->Tabs()->Count(), 0);
}

// --- The built-in menu -----------------------------------------------------------------------------------------

TEST_F(InputTest, RightClickOnATabSelectsItAndOffersItsCommands) {
  AddTab(u"First");
  AddTab(u"");
  Strip->SetActiveTabIndex(1);
  Settle();
  std::vector<String> seen;
  bool checkedFirst = false;
  TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) -> TMenuItem* {
    seen = Captions(Menu);
    checkedFirst = ItemCaptioned(Menu, u"First")->Checked();
    return nullptr;
  });
  Press(InTab(0), mbRight);
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  Release(InTab(0), mbRight);
  EXPECT_EQ(seen, (std::vector<String>{u"New tab", u"-", u"Delete Tab", u"-", u"Pin this tab", u"-", u"First",
                                       u"<No Caption>"}));
  EXPECT_TRUE(checkedFirst);
}

TEST_F(InputTest, RightClickOnTheEmptyStripOffersOnlyNewTabAndTheTabs) {
  AddTab(u"First");
  Settle();
  std::vector<String> seen;
  TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) -> TMenuItem* {
    seen = Captions(Menu);
    return nullptr;
  });
  Press(TPoint(420, 28), mbRight);
  Release(TPoint(420, 28), mbRight);
  EXPECT_EQ(seen, (std::vector<String>{u"New tab", u"-", u"First"}));
}

TEST_F(InputTest, MenuCommands) {
  AddTab(u"A");
  AddTab(u"B");
  Settle();
  struct TCase {
    const char* Name;
    String Item;
    std::function<void()> Check;
  };
  TStripTab* B = Strip->Tabs()->Items(1);
  const TCase cases[] = {
      {"pin the pressed tab", u"Pin this tab", [&] { EXPECT_TRUE(B->Pinned()); }},
      {"unpin it again", u"Unpin this tab", [&] { EXPECT_FALSE(B->Pinned()); }},
      {"activate a tab by its entry", u"A", [&] { EXPECT_EQ(Strip->ActiveTab()->Caption(), u"A"); }},
      {"add a tab", u"New tab", [&] { EXPECT_EQ(Strip->Tabs()->Count(), 3); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Settle();
    const TPoint P = InTab(B->Index());
    TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) { return ItemCaptioned(Menu, c.Item); });
    Press(P, mbRight);
    Release(P, mbRight);
    c.Check();
  }
}

// "Delete Tab" closes the pressed tab as its close button does: the owner may keep it.
TEST_F(InputTest, DeleteTabFromTheMenuAsksLikeTheCloseButton) {
  AddTab(u"A");
  AddTab(u"B");
  Settle();
  std::vector<String> asked;
  bool allow = false;
  Strip->OnButtonCloseTabClick = [&](TObject*, TStripTab* Tab, bool& Close) {
    asked.push_back(Tab->Caption());
    Close = allow;
  };
  for (bool a : {false, true}) {
    allow = a;
    Settle();
    const TPoint P = InTab(1);
    TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) { return ItemCaptioned(Menu, u"Delete Tab"); });
    Press(P, mbRight);
    Release(P, mbRight);
    Settle();
  }
  EXPECT_EQ(asked, (std::vector<String>{u"B", u"B"}));
  ASSERT_EQ(Strip->Tabs()->Count(), 1);
  EXPECT_EQ(Strip->Tabs()->Items(0)->Caption(), u"A");
}

// The menu lists hidden tabs too and can make one active. The hidden tab is neither drawn nor hit:
// a click on a visible tab still reaches that tab and brings it back.
TEST_F(InputTest, AHiddenTabMadeActiveFromTheMenuDoesNotCoverTheVisibleTabs) {
  PlainLayout();
  // Wide tabs: the visible tab grows over the place the hidden one had.
  Strip->Options()->Display()->Tabs()->SetMaxWidth(480);
  AddTab(u"Unidirectional");
  AddTab(u"Smart ACK");
  AddTab(u"Remote");
  Settle();
  Strip->Tabs()->Items(2)->SetVisible(false);
  Strip->Tabs()->Items(1)->SetVisible(false);
  Strip->SetActiveTabIndex(0);
  Settle();
  std::vector<String> pages;
  Strip->OnActiveTabChanged = [&](TObject*, TStripTab* T) { pages.push_back(T->Caption()); };
  // A point of the visible tab where the hidden one stood before it was hidden.
  const TRect Shown = Strip->GetTabControl(0)->ControlRectScrolled();
  const TRect Hidden = Strip->GetTabControl(1)->ControlRectScrolled();
  ASSERT_LT(Hidden.Left + 30, Shown.Right - 20);
  const TPoint P(Hidden.Left + 30, (Shown.Top + Shown.Bottom) / 2);
  TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) { return ItemCaptioned(Menu, u"Smart ACK"); });
  Press(P, mbRight);
  Release(P, mbRight);
  Settle();
  EXPECT_EQ(Strip->ActiveTabIndex(), 1);
  std::vector<Integer> drawn;
  Strip->OnBeforeDrawItem = [&](TObject*, TGPGraphics*, const TRect&, TStripTabItemType ItemType, Integer TabIndex,
                                bool&) {
    if (ItemType == itTab) drawn.push_back(TabIndex);
  };
  Strip->Redraw();
  EXPECT_EQ(drawn, std::vector<Integer>{0});
  Strip->OnBeforeDrawItem = nullptr;
  EXPECT_EQ(Strip->HitTest(P, false).TabIndex, 0);
  TestHarness::Click(Strip, P);
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  EXPECT_EQ(pages, (std::vector<String>{u"Smart ACK", u"Unidirectional"}));
}

TEST_F(InputTest, OwnPopupMenuReplacesTheBuiltInOne) {
  TPopupMenu Own(nullptr);
  TMenuItem* Item = new TMenuItem(&Own);
  Item->SetCaption(u"Mine");
  Own.Items()->Add(Item);
  Strip->SetPopupMenu(&Own);
  String shown;
  TestHarness::ExpectPopupMenu([&](TPopupMenu& Menu) -> TMenuItem* {
    shown = Menu.Items()->Items(0)->Caption();
    return nullptr;
  });
  Press(TPoint(420, 28), mbRight);
  Release(TPoint(420, 28), mbRight);
  EXPECT_EQ(shown, u"Mine");
  Strip->SetPopupMenu(nullptr);
}

// A press whose release never comes (a dialog opened from a handler took the mouse and the strip's
// form was deactivated): the strip does not stay pressed, so moving the mouse starts no drag and the
// next click is a click.
TEST_F(InputTest, APressCancelledByTheFormEndsThere) {
  AddTab(u"A");
  AddTab(u"B");
  AddTab(u"C");
  Settle();
  Press(InTab(1));
  EXPECT_EQ(Strip->ActiveTabIndex(), 1);
  Strip->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(Strip->HasState(stsMouseDown));
  Move(TPoint(InTab(2).X + 30, InTab(2).Y));
  EXPECT_FALSE(Strip->HasState(stsDragging));
  TestHarness::Click(Strip, InTab(0));
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);

  // A drag that runs when the press is cancelled ends as cancelled and keeps its tab.
  Strip->Options()->DragDrop()->SetDragType(dtWithinContainer);
  const TPoint Start = InTab(0);
  Press(Start);
  Move(TPoint(Start.X + 10, Start.Y), MK_LBUTTON);
  Move(TPoint(Start.X + 200, Start.Y), MK_LBUTTON);
  ASSERT_TRUE(Strip->HasState(stsDragging));
  Strip->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(Strip->HasState(stsDragging));
  EXPECT_EQ(Strip->DragTabObject(), nullptr);
  Settle();
  EXPECT_EQ(Strip->Tabs()->Items(0)->Caption(), u"A");
  EXPECT_EQ(Strip->Tabs()->Count(), 3);
}

// --- The empty strip ---------------------------------------------------------------------------------------------

TEST_F(InputTest, PressOnTheEmptyStripMovesTheFormAndDoesNothingElse) {
  Strip->Options()->Behaviour()->SetBackgroundDragMovesForm(true);
  std::vector<WPARAM> commands;
  Form->SetWindowProc([&](TMessage& M) {
    if (M.Msg == WM_SYSCOMMAND) commands.push_back(M.WParam);
    Form->WndProc(M);
  });
  AddTab(u"A");
  Settle();
  Press(TPoint(450, 28));
  EXPECT_EQ(commands, (std::vector<WPARAM>{0xF012}));
  EXPECT_FALSE(Strip->HasState(stsMouseDown));
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Release(TPoint(450, 28));
  // A press on a tab is a normal press.
  commands.clear();
  Press(InTab(0));
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(Strip->HasState(stsMouseDown));
  Release(InTab(0));
  Form->SetWindowProc(nullptr);
}

TEST_F(InputTest, DoubleClicks) {
  Strip->Options()->Behaviour()->SetBackgroundDblClickMaximiseRestoreForm(true);
  AddTab(u"A");
  Settle();
  std::vector<TStripTab*> clicked;
  Strip->OnTabDblClick = [&](TObject*, TStripTab* T) { clicked.push_back(T); };
  auto DoubleClick = [&](TPoint P) {
    Press(P);
    Release(P);
    TestHarness::SendMouse(Strip, WM_LBUTTONDBLCLK, P, MK_LBUTTON);
    Release(P);
  };
  DoubleClick(TPoint(450, 28));
  EXPECT_EQ(Form->WindowState(), wsMaximized);
  DoubleClick(TPoint(450, 28));
  EXPECT_EQ(Form->WindowState(), wsNormal);
  DoubleClick(InTab(0));
  EXPECT_EQ(clicked, (std::vector<TStripTab*>{Strip->Tabs()->Items(0)}));
  // While a tab moves, double clicks are ignored.
  AddTab(u"B");
  ASSERT_TRUE(Strip->GetTabControl(1)->Moving());
  TestHarness::AdvanceClock(15);
  Strip->AnimationTick(nullptr);
  ASSERT_TRUE(Strip->HasState(stsAnimatingMovement));
  DoubleClick(InTab(0));
  EXPECT_EQ(clicked.size(), 1u);
}

// --- Hints -------------------------------------------------------------------------------------------------------

TEST_F(InputTest, HintsNameTheTabUnderTheCursor) {
  AddTab(u"Devices");
  AddTab(u"");
  Settle();
  struct TCase {
    const char* Name;
    TPoint At;
    String Text;
    LRESULT Result;
  };
  const TCase cases[] = {
      {"a tab", InTab(0), u"Devices", 0},
      {"a tab without caption", InTab(1), u"<No Caption>", 0},
      {"the empty strip, no hint of its own", TPoint(450, 28), u"", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TPoint Screen = Strip->ClientToScreen(c.At);
    SetCursorPosSource([Screen] { return Screen; });
    THintInfo Info;
    Info.HintControl = Strip;
    const LRESULT R = Strip->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
    EXPECT_EQ(Info.HintStr, c.Text);
    EXPECT_EQ(R, c.Result);
    if (!c.Text.empty()) {
      EXPECT_EQ(Info.HideTimeout, 5000);
    }
  }
  // A handler changes text and time-out.
  Strip->OnShowHint = [](TObject*, const THitTestResult& R, String& Text, Integer& Timeout) {
    Text = u"tab " + IntToStr(R.TabIndex);
    Timeout = 100;
  };
  const TPoint Screen = Strip->ClientToScreen(InTab(1));
  SetCursorPosSource([Screen] { return Screen; });
  THintInfo Info;
  Strip->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info));
  EXPECT_EQ(Info.HintStr, u"tab 1");
  EXPECT_EQ(Info.HideTimeout, 100);
  EXPECT_EQ(Info.CursorRect, Strip->GetTabControl(1)->ControlRectScrolled());
  SetCursorPosSource(nullptr);
}

// --- Dragging ------------------------------------------------------------------------------------------------------

class DragTest : public TabStripFixture {
 protected:
  void SetUp() override {
    TabStripFixture::SetUp();
    // Strips are found under the cursor by their place on the form.
    SetWindowFromPointSource([this](TPoint P) -> HWND {
      for (TTabStrip* S : {Strip, Second}) {
        if (!S) continue;
        const TPoint C = S->ScreenToClient(P);
        if (PtInRect(S->ClientRect(), C)) return S->Handle();
      }
      return 0;
    });
    PlainLayout();
    for (const char16_t* C : {u"A", u"B", u"C"}) AddTab(C);
    Strip->SetActiveTabIndex(0);
    Settle();
  }
  void TearDown() override {
    SetWindowFromPointSource(nullptr);
    TabStripFixture::TearDown();
  }
  void MakeSecond() {
    Second = MakeStrip(Form, 100);
    PlainLayout(Second);
    for (const char16_t* C : {u"X", u"Y"}) AddTab(C, Second);
    Second->SetActiveTabIndex(0);
    Settle(Second);
  }
  // A point of the second strip in the first strip's client coordinates.
  TPoint InSecond(TPoint P) { return Strip->ScreenToClient(Second->ClientToScreen(P)); }
  std::vector<String> CaptionsOf(TTabStrip* S) {
    std::vector<String> Result;
    for (Integer i = 0; i < S->Tabs()->Count(); ++i) Result.push_back(S->Tabs()->Items(i)->Caption());
    return Result;
  }
  // Presses on tab Index and moves the mouse along Path with the button held.
  void DragAlong(Integer Index, const std::vector<TPoint>& Path) {
    const TPoint Start = InTab(Index);
    Move(Start);
    Press(Start);
    for (const TPoint& P : Path) Move(P, MK_LBUTTON);
  }
  TTabStrip* Second = nullptr;
};

TEST_F(DragTest, DraggingWithinTheStripMovesTheTab) {
  std::vector<TTabChangeType> changes;
  Strip->OnChange = [&](TObject*, TStripTab*, TTabChangeType C) { changes.push_back(C); };
  const TPoint Start = InTab(0);
  DragAlong(0, {TPoint(Start.X + 1, Start.Y)});
  EXPECT_FALSE(Strip->HasState(stsDragging)) << "a one-pixel move starts nothing";
  DragAlong(0, {TPoint(Start.X + 2, Start.Y), TPoint(Start.X + 200, Start.Y), TPoint(Start.X + 340, Start.Y)});
  ASSERT_TRUE(Strip->HasState(stsDragging));
  EXPECT_FALSE(Strip->HasState(stsDragStarted));
  EXPECT_EQ(Strip->DragTabObject()->GetDropTabIndex(), 2);
  Release(TPoint(Start.X + 340, Start.Y));
  EXPECT_FALSE(Strip->HasState(stsDragging));
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"B", u"C", u"A"}));
  EXPECT_NE(std::find(changes.begin(), changes.end(), tcMoved), changes.end());
  EXPECT_EQ(Strip->ActiveTabIndex(), 2);
}

TEST_F(DragTest, ReleasingWhereItStartedChangesNothing) {
  Integer ends = 0;
  Strip->OnTabDragEnd = [&](TObject*, Integer, Integer, bool Cancelled) {
    EXPECT_FALSE(Cancelled);
    ++ends;
  };
  const TRect Before = EndRect(1);
  const TPoint Start = InTab(1);
  DragAlong(1, {TPoint(Start.X + 5, Start.Y), TPoint(Start.X, Start.Y + 1)});
  ASSERT_TRUE(Strip->HasState(stsDragging));
  Release(TPoint(Start.X, Start.Y + 1));
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"A", u"B", u"C"}));
  // The strip is both the dock and the source.
  EXPECT_EQ(ends, 2);
  Settle();
  EXPECT_EQ(Strip->GetTabControl(1)->ControlRect(), Before);
}

TEST_F(DragTest, TheDraggedTabIsDeletedEvenWhenItCouldNotBecomeActive) {
  Strip->OnActiveTabChanging = [](TObject*, TStripTab*, TStripTab*, bool& Allow) { Allow = false; };
  const TPoint Start = InTab(1);
  DragAlong(1, {TPoint(Start.X + 10, Start.Y), TPoint(Start.X, 400)});
  ASSERT_TRUE(Strip->HasState(stsDragging));
  EXPECT_EQ(Strip->ActiveTabIndex(), 0);
  Release(TPoint(Start.X, 400));
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"A", u"C"}));
}

TEST_F(DragTest, EscapeCancelsTheDragAndTheTabSlidesBack) {
  const TRect Before = EndRect(0);
  const TPoint Start = InTab(0);
  DragAlong(0, {TPoint(Start.X + 10, Start.Y), TPoint(Start.X + 340, Start.Y)});
  ASSERT_TRUE(Strip->HasState(stsDragging));
  bool cancelled = false;
  Strip->OnTabDragEnd = [&](TObject*, Integer, Integer, bool C) { cancelled = C; };
  TestHarness::SendKeyStroke(Strip, VK_ESCAPE, TShiftState(), u"");
  EXPECT_FALSE(Strip->HasState(stsDragging));
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"A", u"B", u"C"}));
  Settle();
  EXPECT_EQ(Strip->GetTabControl(0)->ControlRect(), Before);
}

TEST_F(DragTest, DroppingOnAnotherStripMovesTheTabThere) {
  MakeSecond();
  Strip->Tabs()->Items(0)->SetModified(true);
  Strip->Tabs()->Items(0)->SetTag(42);
  TStripTab* dropped = nullptr;
  Second->OnTabDragDropped = [&](TObject*, const TDragTabObjectPtr&, TStripTab* T) { dropped = T; };
  const TPoint Start = InTab(0);
  // Between X and Y of the second strip.
  const TRect Y = Second->GetTabControl(1)->ControlRectScrolled();
  const TPoint Target = InSecond(TPoint(Y.Left + 30, 15));
  DragAlong(0, {TPoint(Start.X + 10, Start.Y), Target});
  ASSERT_TRUE(Second->IsDragging());
  EXPECT_EQ(Strip->DragTabObject()->GetDockControl(), static_cast<IStripTabDockControl*>(Second));
  EXPECT_EQ(Strip->DragTabObject()->GetDragOverType(), dotRemoteContainer);
  Release(Target);
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"B", u"C"}));
  EXPECT_EQ(CaptionsOf(Second), (std::vector<String>{u"X", u"A", u"Y"}));
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(dropped, Second->Tabs()->Items(1));
  EXPECT_TRUE(dropped->Active());
  EXPECT_TRUE(dropped->Modified());
  EXPECT_EQ(dropped->Tag(), 42);
  EXPECT_FALSE(Second->IsDragging());
}

TEST_F(DragTest, ACancelledDragOverAnotherStripKeepsTheTab) {
  MakeSecond();
  bool sawCancelled = false;
  Second->OnTabDragDrop = [&](TObject*, Integer, Integer, const TDragTabObjectPtr&, bool Cancelled,
                              TTabDropOptions& Options) {
    sawCancelled = Cancelled;
    EXPECT_TRUE(Options.Contains(tdDeleteDraggedTab));
  };
  const TPoint Start = InTab(0);
  const TPoint Target = InSecond(TPoint(100, 15));
  DragAlong(0, {TPoint(Start.X + 10, Start.Y), Target});
  ASSERT_TRUE(Second->IsDragging());
  TestHarness::SendKeyStroke(Strip, VK_ESCAPE, TShiftState(), u"");
  EXPECT_TRUE(sawCancelled);
  EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"A", u"B", u"C"}));
  EXPECT_EQ(CaptionsOf(Second), (std::vector<String>{u"X", u"Y"}));
}

TEST_F(DragTest, DroppingOnNothingDeletesTheTabUnlessAHandlerKeepsIt) {
  struct TCase {
    const char* Name;
    bool Keep;
    std::vector<String> Left;
  };
  const TCase cases[] = {
      {"deleted", false, {u"B", u"C"}},
      {"kept by the handler", true, {u"A", u"B", u"C"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip->OnTabDragDrop = [&](TObject*, Integer, Integer, const TDragTabObjectPtr&, bool, TTabDropOptions& O) {
      if (c.Keep) O.Exclude(tdDeleteDraggedTab);
    };
    Integer images = 0;
    Strip->OnAfterDragImageCreated = [&](TObject*) { ++images; };
    const TPoint Start = InTab(0);
    const TPoint Away(Start.X, 400);
    DragAlong(0, {TPoint(Start.X + 10, Start.Y), Away});
    ASSERT_TRUE(Strip->HasState(stsDragging));
    EXPECT_EQ(Strip->DragTabObject()->GetDockControl(), nullptr);
    // The drag image follows the cursor while no strip takes the tab.
    EXPECT_EQ(images, 1);
    TCustomForm* Image = Strip->DragTabObject()->GetDragForm();
    ASSERT_NE(Image, nullptr);
    EXPECT_TRUE(Image->Visible());
    Release(Away);
    EXPECT_EQ(CaptionsOf(Strip), c.Left);
    if (c.Keep) break;
    // Put the deleted tab back for the next case.
    TStripTab* A = Strip->Tabs()->Add();
    A->SetCaption(u"A");
    Strip->Tabs()->Move(A->Index(), 0);
    Strip->SetActiveTabIndex(0);
    Settle();
  }
}

// A drop handler that deletes the dragged tab itself: the drag ends without touching the tab again
// and the other tabs stay.
TEST_F(DragTest, ADropHandlerMayDeleteTheDraggedTabItself) {
  struct TCase {
    const char* Name;
    Integer ReleaseY;  // on the strip, or below it on nothing
  };
  const TCase cases[] = {
      {"dropped on its own strip", 15},
      {"dropped on nothing", 400},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Strip->OnTabDragDrop = [&](TObject*, Integer, Integer, const TDragTabObjectPtr& D, bool, TTabDropOptions&) {
      Strip->Tabs()->DeleteTab(D->GetDragTab()->Index(), true);
    };
    const TPoint Start = InTab(0);
    const TPoint End(Start.X + 200, c.ReleaseY);
    DragAlong(0, {TPoint(Start.X + 10, Start.Y), End});
    ASSERT_TRUE(Strip->HasState(stsDragging));
    Release(End);
    EXPECT_FALSE(Strip->HasState(stsDragging));
    EXPECT_EQ(CaptionsOf(Strip), (std::vector<String>{u"B", u"C"}));
    Settle();
    Strip->OnTabDragDrop = nullptr;
    // Put the deleted tab back for the next case.
    TStripTab* A = Strip->Tabs()->Add();
    A->SetCaption(u"A");
    Strip->Tabs()->Move(A->Index(), 0);
    Strip->SetActiveTabIndex(0);
    Settle();
  }
}

TEST_F(DragTest, HandlersCanRefuseTheStart) {
  Strip->OnTabDragStart = [](TObject*, TStripTab*, bool& Allow) { Allow = false; };
  const TPoint Start = InTab(0);
  DragAlong(0, {TPoint(Start.X + 20, Start.Y)});
  EXPECT_FALSE(Strip->HasState(stsDragging));
  EXPECT_EQ(Strip->DragTabObject(), nullptr);
  Release(TPoint(Start.X + 20, Start.Y));
  Strip->OnTabDragStart = nullptr;
  Strip->Options()->DragDrop()->SetDragType(dtNone);
  DragAlong(0, {TPoint(Start.X + 20, Start.Y)});
  EXPECT_FALSE(Strip->HasState(stsDragging));
  Release(TPoint(Start.X + 20, Start.Y));
}

}  // namespace
