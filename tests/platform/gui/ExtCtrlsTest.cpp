// Timers, panels with alignment and anchors, the category panel group, pages, trees, link labels.
#include <gtest/gtest.h>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ControlsBackend.h"
#include "platform/gui/ExtCtrls.h"

#include <cstdio>
#include "platform/gui/TestHarness.h"
#include "tests/platform/gui/GuiTestUtil.h"

namespace {

struct FakeClock : ::testing::Test {
  void SetUp() override { TestHarness::UseFakeClock(true); }
  void TearDown() override { TestHarness::UseFakeClock(false); }
};

TEST_F(FakeClock, ATimerReEnabledStartsItsIntervalAnew) {
  TTimer t(nullptr);
  t.SetInterval(1000);
  Integer ticks = 0;
  t.OnTimer = [&](TObject*) { ++ticks; };
  TestHarness::AdvanceClock(900);
  t.SetEnabled(false);
  t.SetEnabled(true);
  TestHarness::AdvanceClock(999);
  EXPECT_EQ(ticks, 0) << "the old interval did not carry over";
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(ticks, 1);
  TestHarness::AdvanceClock(3000);
  EXPECT_EQ(ticks, 4);
}

TEST_F(FakeClock, ATimerStopsWhenDisabledOrFreedAndANewIntervalRestartsIt) {
  Integer ticks = 0;
  auto* t = new TTimer(nullptr);
  t->SetInterval(60000);
  t->OnTimer = [&](TObject*) { ++ticks; };
  t->SetEnabled(false);
  TestHarness::AdvanceClock(120000);
  EXPECT_EQ(ticks, 0);
  t->SetEnabled(true);
  TestHarness::AdvanceClock(50000);
  t->SetInterval(7200000);
  TestHarness::AdvanceClock(7199999);
  EXPECT_EQ(ticks, 0);
  TestHarness::AdvanceClock(1);
  EXPECT_EQ(ticks, 1);
  TComponent::Free(t);
  TestHarness::AdvanceClock(10000000);
  EXPECT_EQ(ticks, 1);
}

TEST(ExtCtrls, AlignedPanelsShareTheClientAreaAndAnchoredButtonsFollowTheRightEdge) {
  FormHolder f;
  f->SetClientWidth(300);
  f->SetClientHeight(200);
  auto* title = new TPanel(f.Form);
  title->SetParent(f.Form);
  title->SetHeight(69);
  title->SetAlign(alTop);
  auto* buttons = new TPanel(f.Form);
  buttons->SetParent(f.Form);
  buttons->SetHeight(40);
  buttons->SetAlign(alBottom);
  auto* body = new TPanel(f.Form);
  body->SetParent(f.Form);
  body->SetAlign(alClient);
  auto* ok = new TPanel(f.Form);
  ok->SetParent(buttons);
  ok->SetBounds(180, 6, 110, 28);
  ok->SetAnchors(akTop | akRight);
  EXPECT_EQ(title->BoundsRect(), Rect(0, 0, 300, 69));
  EXPECT_EQ(buttons->BoundsRect(), Rect(0, 160, 300, 200));
  EXPECT_EQ(body->BoundsRect(), Rect(0, 69, 300, 160));
  f->SetClientWidth(460);
  EXPECT_EQ(buttons->Width(), 460);
  EXPECT_EQ(ok->Left(), 340) << "10 pixels from the right edge as before";
  EXPECT_EQ(body->BoundsRect(), Rect(0, 69, 460, 160));
}

struct CategoryGroup : ::testing::Test {
  FormHolder f;
  TCategoryPanelGroup* cpg = nullptr;
  TCategoryPanel* profibus = nullptr;
  TCategoryPanel* ethernet = nullptr;
  void SetUp() override {
    cpg = new TCategoryPanelGroup(f.Form);
    cpg->SetParent(f.Form);
    cpg->SetBounds(0, 0, 300, 200);
    cpg->SetHeaderHeight(30);
    ethernet = AddPanel(u"2. Ethernet", 500);
    profibus = AddPanel(u"1. PROFIBUS", 150);
    profibus->SetTop(0);
    ethernet->SetTop(profibus->Top() + profibus->Height());
  }
  TCategoryPanel* AddPanel(const String& caption, Integer height) {
    auto* p = new TCategoryPanel(f.Form);
    p->SetPanelGroup(cpg);
    p->SetCaption(caption);
    p->SetHeight(height);
    return p;
  }
};

TEST_F(CategoryGroup, PanelsStackInOrderOfTheirTopAndControlsSitBelowTheHeader) {
  EXPECT_EQ(cpg->Panels(0), profibus);
  EXPECT_EQ(profibus->Top(), 0);
  EXPECT_EQ(ethernet->Top(), 150);
  EXPECT_EQ(cpg->ContentHeight(), 650);
  EXPECT_TRUE(cpg->ScrollBarVisible());
  EXPECT_EQ(profibus->Width(), 300 - GetSystemMetrics(SM_CXVSCROLL));
  auto* e = new TPanel(f.Form);
  e->SetParent(profibus);
  e->SetBounds(191, 8, 238, 21);
  EXPECT_EQ(e->Parent(), profibus->Surface());
  EXPECT_EQ(profibus->Surface()->Top(), 30);
  EXPECT_EQ(e->ClientToScreen(TPoint(0, 0)).Y - profibus->ClientToScreen(TPoint(0, 0)).Y, 30 + 8);
}

TEST_F(CategoryGroup, VerticalScrollMessagesMoveThePanelsByLines) {
  const Integer line = cpg->ScrollLine();
  cpg->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  cpg->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_EQ(cpg->ScrollPos(), line);
  EXPECT_EQ(profibus->Top(), -line);
  cpg->Perform(WM_VSCROLL, SB_LINEUP, 0);
  cpg->Perform(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(cpg->ScrollPos(), 0) << "no scrolling above the top";
  cpg->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(cpg->ScrollPos(), 650 - 200);
  cpg->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(cpg->ScrollPos(), 450) << "nor below the bottom";
}

TEST_F(CategoryGroup, CollapsingAPanelLeavesItsHeaderAndMovesTheOthersUp) {
  profibus->SetCollapsed(true);
  EXPECT_EQ(profibus->Height(), 30);
  EXPECT_EQ(ethernet->Top(), 30);
  EXPECT_FALSE(profibus->Surface()->Visible());
  profibus->SetCollapsed(false);
  EXPECT_EQ(profibus->Height(), 150);
  ethernet->SetVisible(false);
  cpg->ArrangePanels();
  EXPECT_FALSE(cpg->ScrollBarVisible());
}

TEST(ExtCtrls, PageControlShowsTheActivePageAndHidesPagesWhoseTabIsHidden) {
  FormHolder f;
  auto* pc = new TPageControl(f.Form);
  pc->SetParent(f.Form);
  auto* a = new TTabSheet(f.Form);
  a->SetPageControl(pc);
  a->SetCaption(u"General");
  auto* b = new TTabSheet(f.Form);
  b->SetPageControl(pc);
  b->SetCaption(u"Publish");
  Integer changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePage(), a);
  pc->SetActivePage(b);
  EXPECT_TRUE(b->Visible());
  EXPECT_FALSE(a->Visible());
  EXPECT_EQ(changes, 0) << "no OnChange for a page chosen in code";
  b->SetTabVisible(false);
  EXPECT_EQ(pc->ActivePage(), a);
  EXPECT_EQ(b->TabIndex(), -1);
  b->SetTabVisible(true);
  TestHarness::ShowForm(f.Form);
  TRect tab = pc->TabRect(1);
  TestHarness::Click(pc, TPoint(tab.Left + 3, tab.Top + 3));
  EXPECT_EQ(pc->ActivePage(), b);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(pc->Pages(2), EListError);
}

TEST(ExtCtrls, TreeNodesByIndexAndTheListIndexError) {
  FormHolder f;
  auto* tv = new TTreeView(f.Form);
  tv->SetParent(f.Form);
  EXPECT_THROW(tv->Items()->Item(0), EListError) << "no root yet";
  TTreeNode* root = tv->Items()->Add(nullptr, u"Devices");
  TTreeNode* d1 = tv->Items()->AddChild(root, u"Device 1");
  TTreeNode* d2 = tv->Items()->AddChild(root, u"Device 2");
  tv->Items()->AddChild(d1, u"EEP A5-02-05");
  EXPECT_EQ(tv->Items()->Count(), 4);
  EXPECT_EQ(tv->Items()->Item(0)->Item(1), d2);
  EXPECT_EQ(d2->Index(), 1);
  EXPECT_EQ(d2->Parent(), root);
  EXPECT_EQ(d1->Item(0)->Level(), 2);
  EXPECT_THROW(root->Item(2), EListError);
  std::vector<String> seen;
  tv->OnChange = [&](TObject*, TTreeNode* n) { seen.push_back(n ? n->Text() : u"none"); };
  tv->SetSelected(d2);
  d2->Delete();
  EXPECT_EQ(tv->Selected(), nullptr);
  EXPECT_EQ(root->Count(), 1);
  tv->FullExpand();
  EXPECT_TRUE(d1->Expanded());
  tv->Items()->Clear();
  EXPECT_EQ(tv->Items()->Count(), 0);
  EXPECT_EQ(seen, (std::vector<String>{u"Device 2"}));
}

TEST(ExtCtrls, LinkLabelReportsTheLinkClicked) {
  FormHolder f;
  auto* ll = new TLinkLabel(f.Form);
  ll->SetParent(f.Form);
  ll->SetCaption(u"New version: <a href=\"https://example.invalid/download\">1.003</a>");
  String link;
  ll->OnLinkClick = [&](TObject*, const String& l, TSysLinkType) { link = l; };
  InputLinkActivated(ll, u"https://example.invalid/download");
  EXPECT_EQ(link, u"https://example.invalid/download");
}

// A click on the link's text reaches OnLinkClick with the link's address; text outside the link
// shows as written, markup characters included.
TEST(ExtCtrls, AClickOnTheLinkTextFiresOnLinkClick) {
  FormHolder f;
  auto* ll = new TLinkLabel(f.Form);
  ll->SetParent(f.Form);
  ll->SetBounds(10, 10, 300, 20);
  ll->SetCaption(u"<a href=\"https://example.invalid/d.asp#X\">Click Here</a>");
  std::vector<String> links;
  ll->OnLinkClick = [&](TObject*, const String& l, TSysLinkType t) {
    links.push_back(l);
    EXPECT_EQ(t, sltURL);
  };
  TestHarness::ShowForm(f.Form);
  TestHarness::Click(ll, TPoint(4, 8));
  TestHarness::ProcessEvents();
  EXPECT_EQ(links, (std::vector<String>{u"https://example.invalid/d.asp#X"}));
  EXPECT_EQ(ll->Caption(), u"<a href=\"https://example.invalid/d.asp#X\">Click Here</a>");
}

// Only the link tags are markup: any other text of the caption shows as written, so a plain-text
// caption with markup characters is as wide as its characters.
TEST(ExtCtrls, ALinkLabelShowsTextOutsideItsLinksAsWritten) {
  FormHolder f;
  f->SetColor(clWhite);
  auto* ll = new TLinkLabel(f.Form);
  ll->SetParent(f.Form);
  ll->SetBounds(10, 10, 120, 20);
  TestHarness::ShowForm(f.Form);
  // The rightmost column holding ink.
  auto inkRight = [&](const String& caption) {
    ll->SetCaption(caption);
    TestHarness::ProcessEvents();
    for (Integer x = ll->Width() - 1; x >= 0; --x)
      for (Integer y = 0; y < ll->Height(); ++y)
        if (TestHarness::Pixel(ll, x, y) != clWhite) return x;
    return -1;
  };
  const Integer plain = inkRight(u"ab");
  ASSERT_GT(plain, 0);
  EXPECT_LE(inkRight(u"<a href=\"https://example.invalid/\">ab</a>"), plain + 2)
      << "the link's tags do not show";
  EXPECT_GT(inkRight(u"a<b>b</b>"), plain + 12) << "other tags show as text";
  EXPECT_GT(inkRight(u"a&lt;b"), plain + 12) << "entities show as written";
  EXPECT_GT(inkRight(u"a          b"), plain + 12) << "blanks are not folded together";
}

// An image shows its bitmap at its natural size, or stretched over the whole control, and hears
// clicks; a shape with a clear brush draws only its one-pixel outline, the form showing inside.
TEST(ExtCtrls, ImagesShowTheirBitmapNaturalOrStretchedAndShapesOnlyTheirOutline) {
  FormHolder f;
  const TColor back = static_cast<TColor>(0x00EDF7F8);
  f->SetColor(back);
  auto* img = new TImage(f.Form);
  img->SetParent(f.Form);
  img->SetBounds(10, 10, 40, 40);
  img->Picture()->LoadFromFile(
      Utf8ToString(std::string(KP_FIXTURES_DIR) + "/platform/gui/graphics/rgbw-2x2-24bit.bmp"));
  Integer clicks = 0;
  img->OnClick = [&](TObject*) { ++clicks; };
  auto* shape = new TShape(f.Form);
  shape->SetParent(f.Form);
  shape->SetBounds(60, 10, 30, 20);
  shape->Pen()->SetColor(clSilver);
  shape->Brush()->SetStyle(bsClear);
  TestHarness::ShowForm(f.Form);

  struct Probe {
    const char* Name;
    TControl* Control;
    Integer X, Y;
    TColor Want;
  };
  auto check = [](const std::vector<Probe>& probes) {
    for (const Probe& p : probes)
      EXPECT_EQ(TestHarness::Pixel(p.Control, p.X, p.Y), p.Want) << p.Name;
  };
  check({{"natural top left", img, 0, 0, clRed},
         {"natural top right", img, 1, 0, clLime},
         {"natural bottom left", img, 0, 1, clBlue},
         {"natural bottom right", img, 1, 1, clWhite},
         {"beside the bitmap", img, 5, 5, back},
         {"shape corner", shape, 0, 0, clSilver},
         {"shape far corner", shape, 29, 19, clSilver},
         {"shape top edge", shape, 15, 0, clSilver},
         {"shape right edge", shape, 29, 10, clSilver},
         {"inside the shape", shape, 1, 1, back},
         {"shape middle", shape, 15, 10, back}});
  img->SetStretch(true);
  TestHarness::ProcessEvents();
  check({{"stretched top left", img, 5, 5, clRed},
         {"stretched top right", img, 34, 5, clLime},
         {"stretched bottom left", img, 5, 34, clBlue},
         {"stretched bottom right", img, 39, 39, clWhite}});
  TestHarness::Click(img);
  EXPECT_EQ(clicks, 1);
}

// A splitter between a left panel and a client panel: a drag resizes the left panel, which keeps
// at least MinSize and leaves at least MinSize to the client panel; OnMoved follows the release.
TEST(ExtCtrls, ASplitterDragResizesItsNeighbourWithinTheRoomThereIs) {
  struct Row {
    const char* Name;
    Integer DragBy;
    Integer WantLeft;
  };
  const Row rows[] = {
      {"wider", 50, 150},
      {"narrower", -40, 60},
      {"not below MinSize", -90, 30},
      {"not past the room left to the client", 500, 400 - 3 - 30},
  };
  for (const Row& r : rows) {
    FormHolder f;
    f->SetClientWidth(400);
    f->SetClientHeight(200);
    auto* left = new TPanel(f.Form);
    left->SetParent(f.Form);
    left->SetBounds(0, 0, 100, 200);
    left->SetAlign(alLeft);
    auto* split = new TSplitter(f.Form);
    split->SetParent(f.Form);
    split->SetBounds(100, 0, 3, 200);
    split->SetAlign(alLeft);
    auto* client = new TPanel(f.Form);
    client->SetParent(f.Form);
    client->SetAlign(alClient);
    Integer moved = 0;
    split->OnMoved = [&](TObject*) { ++moved; };
    TestHarness::ShowForm(f.Form);
    ASSERT_EQ(split->Left(), 100) << r.Name;
    TestHarness::MouseDown(split, mbLeft, TPoint(1, 50));
    TestHarness::MouseMove(split, TPoint(1 + r.DragBy, 50), TShiftState(ssLeft));
    TestHarness::MouseUp(split, mbLeft, TPoint(1 + r.DragBy, 50));
    EXPECT_EQ(left->Width(), r.WantLeft) << r.Name;
    EXPECT_EQ(split->Left(), r.WantLeft) << r.Name;
    EXPECT_EQ(client->Width(), 400 - 3 - r.WantLeft) << r.Name;
    EXPECT_EQ(moved, 1) << r.Name;
  }
}

TEST(ExtCtrls, RichEditLinesJoinWithCrLf) {
  FormHolder f;
  auto* re = new TRichEdit(f.Form);
  re->SetParent(f.Form);
  re->Lines()->Add(u"{");
  re->Lines()->Add(u"  \"value\": 1");
  re->Lines()->Add(u"}");
  EXPECT_EQ(re->Text(), u"{\r\n  \"value\": 1\r\n}");
  EXPECT_EQ(re->ClassName(), u"TRichEdit");
}

}  // namespace
