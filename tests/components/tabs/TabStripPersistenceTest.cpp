// Saving and loading the option and look-and-feel trees in the textual component format.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>

#include "components/tabs/TabStripClasses.h"
#include "components/tabs/TabStripUtils.h"
#include "tests/components/tabs/FakeTabStrip.h"
#include "tests/TempFolder.h"
#include "tests/platform/rtl/FileSizeLimit.h"

namespace {

std::string Fixture(const std::string& Name) {
  std::ifstream in(std::string(KP_FIXTURES_DIR) + "/components/tabs/" + Name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string OptionsText(TOptions* Options) {
  TStringStream stream;
  SaveTabStripOptions(Options, &stream);
  return stream.DataString();
}

std::string LookAndFeelText(TTabStripLookAndFeel* LookAndFeel) {
  TStringStream stream;
  SaveTabStripLookAndFeel(LookAndFeel, &stream);
  return stream.DataString();
}

void LoadOptionsText(TOptions* Options, const std::string& Text) {
  TStringStream stream(Text);
  LoadTabStripOptions(Options, &stream);
}

class PersistenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultTabStripOptions(Strip.GetOptions());
    SetDefaultTabStripLookAndFeel(Strip.GetLookAndFeel());
    Strip.Reports.clear();
  }
  TOptions* Options() { return Strip.GetOptions(); }
  // A file in the test's own folder.
  String TempFile(const char* Name) const { return Folder.File(Name); }
  TFakeTabStrip Strip;
  TTempFolder Folder{"tabs_options"};
};

TEST_F(PersistenceTest, DefaultOptionsAreWrittenPropertyByProperty) {
  EXPECT_EQ(OptionsText(Options()), Fixture("default-options.txt"));
}

TEST_F(PersistenceTest, DefaultLookAndFeelIsWrittenPropertyByProperty) {
  EXPECT_EQ(LookAndFeelText(Strip.GetLookAndFeel()), Fixture("default-lookandfeel.txt"));
}

TEST_F(PersistenceTest, CodeRenderingIsOneStatementPerStoredProperty) {
  const String code = TabStripOptionsToCode(Options());
  TStringList lines;
  lines.SetText(code);
  EXPECT_EQ(lines.Count(), 121);  // the text's lines without the header and "end"
  EXPECT_EQ(lines[0], u"TabStrip1.Options.Display.CloseButton.Offsets.Vertical := 6;");
  EXPECT_NE(code.find(u"\r\nTabStrip1.Options.Display.Tabs.TabOverlap := 15;\r\n"), String::npos);
  EXPECT_NE(code.find(u"TabStrip1.Options.DragDrop.DragControlImageResizeFactor := 0.500000000000000000;"),
            String::npos);
  EXPECT_EQ(code.substr(code.size() - 2), u"\r\n");
  const String lookAndFeel = TabStripLookAndFeelToCode(Strip.GetLookAndFeel());
  EXPECT_NE(lookAndFeel.find(u"TabStrip1.LookAndFeel.Tabs.DefaultFont.Name := 'Segoe UI';\r\n"), String::npos);
}

TEST_F(PersistenceTest, CodeOfShortTextsAndOfNestedObjects) {
  TTabsOptions wrapper(nullptr);
  EXPECT_EQ(ComponentToCode(&wrapper, u"P"), u"");  // header and end only
  TTabStripOffsets offsets(nullptr);
  offsets.SetVertical(20);
  wrapper.SetOptions(&offsets);
  EXPECT_EQ(ComponentToCode(&wrapper, u"P"), u"P.Options.Vertical := 20;\r\nP.Options.Horizontal := 0;\r\n");
}

TEST_F(PersistenceTest, SavedFileLoadedIntoAnotherStripGivesTheSameOptions) {
  TTabStripOptions* tabs = Options()->Display()->Tabs();
  tabs->SetTabOverlap(-4);
  tabs->SetTextTrimType(tttEllipsisPath);
  Options()->DragDrop()->SetDragCursor(crHandPoint);
  Options()->DragDrop()->SetDragControlImageResizeFactor(0.125);
  Options()->Animation()->SetDefaultStyleAnimationTimeMS(4000000000u);
  Options()->Scrolling()->SetEnabled(false);

  const String file = TempFile("tabs-options.txt");
  {
    TStringList garbage;
    garbage.Add(u"something else, longer than nothing");
    garbage.SaveToFile(file);
  }
  SaveTabStripOptionsToFile(Options(), file);

  TFakeTabStrip other;
  SetDefaultTabStripOptions(other.GetOptions());
  other.Reports.clear();
  LoadTabStripOptionsFromFile(other.GetOptions(), file);
  EXPECT_EQ(OptionsText(other.GetOptions()), OptionsText(Options()));
  EXPECT_EQ(other.GetOptions()->DragDrop()->DragCursor(), crHandPoint);
  EXPECT_EQ(other.GetOptions()->Display()->Tabs()->TabOverlap(), -4);
  // The values arrive as ordinary writes.
  EXPECT_FALSE(other.Reports.empty());
}

// Saving to a file name on a disk that cannot take the text (a full disk) keeps an old file as it
// was and leaves no new one, nothing else in the folder, and the failure reaches the caller.
TEST_F(PersistenceTest, SaveThatCannotFinishKeepsTheOldFileAndLeavesNoNewOne) {
  struct Writer {
    const char* Name;
    std::function<void(const String& File)> Save;
  };
  const Writer Writers[] = {
      {"options", [&](const String& F) { SaveTabStripOptionsToFile(Options(), F); }},
      {"look and feel", [&](const String& F) { SaveTabStripLookAndFeelToFile(Strip.GetLookAndFeel(), F); }},
  };
  for (const Writer& W : Writers) {
    for (const bool Existed : {true, false}) {
      SCOPED_TRACE(std::string(W.Name) + (Existed ? ", over an old file" : ", a new file"));
      const TTempFolder Dir("tabs_save");
      const String F = Dir.File("saved.txt");
      if (Existed) std::ofstream(Dir.FsPath("saved.txt"), std::ios::binary) << "old content";
      {
        const TFileSizeLimit Limit(64);
        EXPECT_THROW(W.Save(F), EWriteError);
      }
      std::set<std::string> Entries;
      for (const auto& E : std::filesystem::directory_iterator(Dir.FsPath())) Entries.insert(E.path().filename().string());
      if (Existed) {
        std::ifstream In(Dir.FsPath("saved.txt"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(In), {}), "old content");
        EXPECT_EQ(Entries, std::set<std::string>{"saved.txt"});
      } else {
        EXPECT_EQ(Entries, std::set<std::string>{});
      }
    }
  }
}

TEST_F(PersistenceTest, LookAndFeelRoundTripKeepsStringsColoursAndReals) {
  TTabStripLookAndFeel* lf = Strip.GetLookAndFeel();
  lf->Tabs()->DefaultFont()->SetName(u"It's \u00C9t\u00E9");
  lf->Tabs()->Hot()->Style()->SetStartColor(clBtnFace);
  lf->Tabs()->Hot()->Style()->SetStopColor(0x010203);
  lf->Tabs()->BaseLine()->SetThickness(0.3f);
  lf->Tabs()->BaseLine()->SetAlpha(-5);
  const std::string text = LookAndFeelText(lf);
  EXPECT_NE(text.find("Tabs.DefaultFont.Name = 'It''s '#201't'#233\r\n"), std::string::npos);
  EXPECT_NE(text.find("Tabs.Hot.Style.StartColor = clBtnFace\r\n"), std::string::npos);
  EXPECT_NE(text.find("Tabs.Hot.Style.StopColor = 66051\r\n"), std::string::npos);
  EXPECT_NE(text.find("Tabs.BaseLine.Thickness = 0.300000011920929000\r\n"), std::string::npos);

  TFakeTabStrip other;
  TStringStream in(text);
  LoadTabStripLookAndFeel(other.GetLookAndFeel(), &in);
  EXPECT_EQ(LookAndFeelText(other.GetLookAndFeel()), text);
  EXPECT_EQ(other.GetLookAndFeel()->Tabs()->DefaultFont()->Name(), u"It's \u00C9t\u00E9");
  EXPECT_FLOAT_EQ(other.GetLookAndFeel()->Tabs()->BaseLine()->Thickness(), 0.3f);
}

// Load, save, load, save gives the same text: a real that 18 decimals cannot carry (an outline of
// 2e-11 pixels) is written in the shortest form that reads back as the same value.
TEST_F(PersistenceTest, SaveLoadSaveGivesTheSameText) {
  TFakeTabStrip first;
  TStringStream in(Fixture("tiny-outline-size-roundtrip.txt"));
  LoadTabStripLookAndFeel(first.GetLookAndFeel(), &in);
  EXPECT_FLOAT_EQ(first.GetLookAndFeel()->TabsContainer()->OutlineSize(), 2e-11f);
  const std::string text = LookAndFeelText(first.GetLookAndFeel());
  EXPECT_NE(text.find("TabsContainer.OutlineSize = 2e-11\r\n"), std::string::npos);
  TFakeTabStrip second;
  TStringStream again(text);
  LoadTabStripLookAndFeel(second.GetLookAndFeel(), &again);
  EXPECT_EQ(LookAndFeelText(second.GetLookAndFeel()), text);

  Options()->DragDrop()->SetDragControlImageResizeFactor(0.1 + 0.2);
  const std::string options = OptionsText(Options());
  EXPECT_NE(options.find("DragControlImageResizeFactor = 0.30000000000000004\r\n"), std::string::npos);
  TFakeTabStrip third;
  LoadOptionsText(third.GetOptions(), options);
  EXPECT_EQ(OptionsText(third.GetOptions()), options);
}

TEST_F(PersistenceTest, ReadingAcceptsTheFormatsVariants) {
  LoadOptionsText(Options(),
                  "OBJECT Saved: TTabsOptions\n"
                  "  options.display.tabs.taboverlap = $10\n"
                  "  Options.Display.Tabs.TextAlignmentHorizontal = TACENTER\n"
                  "  Options.DragDrop.DragFormBorderColor = -1\n"
                  "  Options.DragDrop.DragCursor = -21\n"
                  "  Options.DragDrop.DragControlImageResizeFactor = 2\n"
                  "  Options.Scrolling.Enabled = false\n"
                  "END\n");
  TTabStripOptions* tabs = Options()->Display()->Tabs();
  EXPECT_EQ(tabs->TabOverlap(), 16);
  EXPECT_EQ(tabs->TextAlignmentHorizontal(), taCenter);
  EXPECT_EQ(Options()->DragDrop()->DragFormBorderColor(), -1);
  EXPECT_EQ(Options()->DragDrop()->DragCursor(), crHandPoint);
  EXPECT_EQ(Options()->DragDrop()->DragControlImageResizeFactor(), 2.0);
  EXPECT_FALSE(Options()->Scrolling()->Enabled());

  TStringStream in(std::string("object TTabsLookAndFeel\r\n"
                               "  LookAndFeel.Tabs.DefaultFont.Name = 'Deja' +\r\n"
                               "    'Vu'#32'Sans'\r\n"
                               "  LookAndFeel.TabsContainer.StartColor = $FF00000F\r\n"
                               "end\r\n"));
  LoadTabStripLookAndFeel(Strip.GetLookAndFeel(), &in);
  EXPECT_EQ(Strip.GetLookAndFeel()->Tabs()->DefaultFont()->Name(), u"DejaVu Sans");
  EXPECT_EQ(Strip.GetLookAndFeel()->TabsContainer()->StartColor(), clBtnFace);
}

TEST_F(PersistenceTest, BadTextsRaiseAndKeepWhatWasReadBefore) {
  struct TCase {
    const char* Name;
    const char* Text;
    bool ParseError;      // EParserError (nothing written) or EReadError (earlier lines written)
  };
  const std::string good = "  Options.Display.Tabs.TabOverlap = 3\n";
  const TCase cases[] = {
      {"no end", "  Options.Scrolling.ScrollStep = 2\n", true},
      {"no value", "  Options.Scrolling.ScrollStep =\nend\n", true},
      {"unterminated string", "  Options.Scrolling.ScrollStep = 'x\nend\n", true},
      {"nested object", "  object X: TFoo\n  end\nend\n", true},
      {"set value", "  Options.Scrolling.ScrollStep = [a]\nend\n", true},
      {"text after end", "end\nmore\n", true},
      {"unknown property", "  Options.Display.Tabs.Nothing = 1\nend\n", false},
      {"unknown branch", "  Options.Nowhere.TabOverlap = 1\nend\n", false},
      {"path through a value", "  Options.Display.Tabs.TabOverlap.X = 1\nend\n", false},
      {"object given a value", "  Options.Display = 1\nend\n", false},
      {"Boolean given a number", "  Options.Scrolling.Enabled = 1\nend\n", false},
      {"byte out of range", "  Options.DragDrop.DragOutsideImageAlpha = 256\nend\n", false},
      {"unknown enumeration value", "  Options.Display.Tabs.Orientation = toLeft\nend\n", false},
      {"integer too large", "  Options.Scrolling.ScrollStep = 2147483648\nend\n", false},
      {"number given a string", "  Options.Scrolling.ScrollStep = '2'\nend\n", false},
      {"real beyond the number range", "  Options.DragDrop.DragControlImageResizeFactor = 1e999\nend\n", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeTabStrip strip;
    TTabStripOptions* tabs = strip.GetOptions()->Display()->Tabs();
    const std::string text = "object TTabsOptions\n" + good + c.Text;
    if (c.ParseError) {
      EXPECT_THROW(LoadOptionsText(strip.GetOptions(), text), EParserError);
      EXPECT_EQ(tabs->TabOverlap(), 15);
    } else {
      EXPECT_THROW(LoadOptionsText(strip.GetOptions(), text), EReadError);
      EXPECT_EQ(tabs->TabOverlap(), 3);
    }
  }
}

// A saved text cannot give the strip sizes, periods or factors it cannot work with: such a value is
// refused like any invalid one, and the option keeps its value; values at the ends of a range load.
TEST_F(PersistenceTest, ValuesOutsideTheirRangeAreRefused) {
  struct TCase {
    const char* Name;
    const char* Line;
  };
  const TCase options[] = {
      {"negative minimum tab width", "Options.Display.Tabs.MinWidth = -100"},
      {"negative maximum tab width", "Options.Display.Tabs.MaxWidth = -50"},
      {"tab width past the screen", "Options.Display.Tabs.MaxWidth = 10001"},
      {"negative button height", "Options.Display.CloseButton.Height = -1"},
      {"glow period 0", "Options.Display.TabModifiedGlow.AnimationPeriodMS = 0"},
      {"timer interval 0", "Options.Animation.AnimationTimerInterval = 0"},
      {"negative animation time", "Options.Animation.MovementAnimations.TabMove.AnimationTimeMS = -1"},
      {"scroll step 0", "Options.Scrolling.ScrollStep = 0"},
      {"drag image 100 times larger", "Options.DragDrop.DragControlImageResizeFactor = 100"},
  };
  for (const TCase& c : options) {
    SCOPED_TRACE(c.Name);
    TFakeTabStrip strip;
    SetDefaultTabStripOptions(strip.GetOptions());
    const std::string before = OptionsText(strip.GetOptions());
    EXPECT_THROW(LoadOptionsText(strip.GetOptions(), std::string("object TTabsOptions\n  ") + c.Line + "\nend\n"),
                 EReadError);
    EXPECT_EQ(OptionsText(strip.GetOptions()), before);
  }
  const TCase looks[] = {
      {"font size 0", "LookAndFeel.Tabs.DefaultFont.Size = 0"},
      {"negative pen", "LookAndFeel.Tabs.BaseLine.Thickness = -1.5"},
      {"negative outline", "LookAndFeel.TabsContainer.OutlineSize = -1"},
  };
  for (const TCase& c : looks) {
    SCOPED_TRACE(c.Name);
    const std::string before = LookAndFeelText(Strip.GetLookAndFeel());
    TStringStream in(std::string("object TTabsLookAndFeel\n  ") + c.Line + "\nend\n");
    EXPECT_THROW(LoadTabStripLookAndFeel(Strip.GetLookAndFeel(), &in), EReadError);
    EXPECT_EQ(LookAndFeelText(Strip.GetLookAndFeel()), before);
  }
  LoadOptionsText(Options(),
                  "object TTabsOptions\n  Options.Display.Tabs.MinWidth = 0\n"
                  "  Options.Display.Tabs.MaxWidth = 10000\n  Options.Display.Tabs.TabOverlap = -10000\nend\n");
  EXPECT_EQ(Options()->Display()->Tabs()->MinWidth(), 0);
  EXPECT_EQ(Options()->Display()->Tabs()->MaxWidth(), 10000);
}

TEST_F(PersistenceTest, ASingleValueBeyondItsRangeIsRefused) {
  TStringStream in(std::string("object TTabsLookAndFeel\n"
                               "  LookAndFeel.Tabs.BaseLine.Thickness = 1e300\n"
                               "end\n"));
  EXPECT_THROW(LoadTabStripLookAndFeel(Strip.GetLookAndFeel(), &in), EReadError);
  EXPECT_FLOAT_EQ(Strip.GetLookAndFeel()->Tabs()->BaseLine()->Thickness(), 1.0f);
}

TEST_F(PersistenceTest, ErrorsNameTheLineAndTheProperty) {
  try {
    LoadOptionsText(Options(), "object TTabsOptions\n  Options.Display.Tabs.TabOverlap 3\nend\n");
    FAIL() << "no error";
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), u"'=' expected on line 2");
  }
  try {
    LoadOptionsText(Options(), "object TTabsOptions\n  Options.Display.Tabs.Nothing = 1\nend\n");
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(),
              u"Error reading TTabsOptions.Options.Display.Tabs.Nothing: Property Nothing does not exist");
  }
}

TEST_F(PersistenceTest, MissingFileRaisesTheOpenError) {
  EXPECT_THROW(LoadTabStripOptionsFromFile(Options(), TempFile("no-such-options.txt")), EFOpenError);
}

}  // namespace
