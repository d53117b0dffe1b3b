// Look detection from the office suite's settings and the visual-styles scheme, and the office
// theme notifier with its monitor thread.
#include "components/gridbase/ExStyleIF.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "components/gridbase/ExThemeLib.h"
#include "platform/gui/Forms.h"
#include "platform/gui/TestHarness.h"
#include "tests/TempFolder.h"

namespace {

// A stand-in visual-styles library whose current colour scheme is Scheme (nullptr: themes are
// not active).
struct TSchemeLibrary {
  static inline const char16_t* Scheme = nullptr;
  static inline int Loads = 0;
  static inline int Frees = 0;
  static Integer IsThemeActive() { return Scheme ? 1 : 0; }
  static HRESULT GetCurrentThemeName(Char* File, Integer, Char* Color, Integer MaxColor, Char* Size,
                                     Integer) {
    File[0] = 0;
    Size[0] = 0;
    const String S = Scheme ? Scheme : u"";
    const Integer N = Min(Length(S), MaxColor - 1);
    for (Integer I = 0; I < N; ++I) Color[I] = S[I];
    Color[N] = 0;
    return 0;
  }
  static uintptr_t Load(const String&) {
    ++Loads;
    return 0x2000;
  }
  static void* Proc(uintptr_t, const char* Name) {
    if (std::strcmp(Name, "IsThemeActive") == 0) return reinterpret_cast<void*>(&IsThemeActive);
    if (std::strcmp(Name, "GetCurrentThemeName") == 0)
      return reinterpret_cast<void*>(&GetCurrentThemeName);
    return nullptr;
  }
  static void Free(uintptr_t) { ++Frees; }
};
constexpr TThemeLibraryLoader SchemeLoader{&TSchemeLibrary::Load, &TSchemeLibrary::Proc,
                                           &TSchemeLibrary::Free};

// Each test gets a registry of its own.
class RegistryFixture : public testing::Test {
 protected:
  void SetUp() override {
    Scratch = std::make_unique<TTempFolder>("gridctrls_style");
    Folder = Scratch->FsPath();
    SetRegistryFile(Utf8ToString((Folder / "registry.ini").string()));
  }
  void TearDown() override {
    SetThemeLibraryLoader(nullptr);
    TSchemeLibrary::Scheme = nullptr;
    SetRegistryFile(u"");
    Scratch.reset();
  }
  static void CreateKey(const String& Key) {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey(Key, true));
  }
  static void WriteTheme(const String& Key, Integer Value) {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(Reg.OpenKey(Key, true));
    Reg.WriteInteger(u"Theme", Value);
  }
  std::unique_ptr<TTempFolder> Scratch;
  std::filesystem::path Folder;
};

using StyleDetectionTest = RegistryFixture;

// A change source the test signals by hand instead of waiting for the registry.
class TManualChangeSource : public TRegChangeSource {
 public:
  struct TShared {
    std::mutex Lock;
    std::condition_variable Cv;
    int Pending = 0;
    bool Cancelled = false;
    int Arms = 0;
    String ArmedKey;
    bool ArmedSubtree = false;
    Integer ArmedFilter = 0;
    std::atomic<int> Created{0};
    std::atomic<bool> Destroyed{false};
    void Signal() {
      {
        std::lock_guard<std::mutex> G(Lock);
        ++Pending;
      }
      Cv.notify_all();
    }
  };
  explicit TManualChangeSource(std::shared_ptr<TShared> S) : FS(std::move(S)) { ++FS->Created; }
  ~TManualChangeSource() override { FS->Destroyed = true; }
  void Arm(HKEY, const String& Key, bool WatchSubtree, Integer Filter) override {
    std::lock_guard<std::mutex> G(FS->Lock);
    ++FS->Arms;
    FS->ArmedKey = Key;
    FS->ArmedSubtree = WatchSubtree;
    FS->ArmedFilter = Filter;
  }
  bool WaitForChange() override {
    std::unique_lock<std::mutex> G(FS->Lock);
    FS->Cv.wait(G, [&] { return FS->Pending > 0 || FS->Cancelled; });
    if (FS->Cancelled) return false;
    --FS->Pending;
    return true;
  }
  void Cancel() override {
    {
      std::lock_guard<std::mutex> G(FS->Lock);
      FS->Cancelled = true;
    }
    FS->Cv.notify_all();
  }

 private:
  std::shared_ptr<TShared> FS;
};

// A window that records the theme messages it receives.
class TListener : public TWinControl {
 public:
  explicit TListener(TComponent* AOwner) : TWinControl(AOwner) {}
  String ClassName() const override { return u"TListener"; }
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_OFFICETHEMECHANGED) {
      Root.push_back(static_cast<HKEY>(M.WParam));
      Keys.push_back(*reinterpret_cast<const String*>(M.LParam));
    }
    TWinControl::WndProc(M);
  }
  std::vector<HKEY> Root;
  std::vector<String> Keys;
};

class ThemeNotifierTest : public RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Shared = std::make_shared<TManualChangeSource::TShared>();
    std::shared_ptr<TManualChangeSource::TShared> S = Shared;
    OldFactory = SetRegChangeSourceFactory([S] { return std::make_unique<TManualChangeSource>(S); });
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 200, 100);
    Form->AfterConstruction();
  }
  void TearDown() override {
    TComponent::Free(Form);
    // A stopped monitor thread frees itself; wait until it has, so nothing outlives the test
    // (also a thread stopped before it came to arm its source).
    if (Shared->Created > 0) {
      EXPECT_TRUE(TestHarness::WaitUntil([&] { return Shared->Destroyed.load(); }));
    }
    SetRegChangeSourceFactory(OldFactory);
    RegistryFixture::TearDown();
  }
  std::shared_ptr<TManualChangeSource::TShared> Shared;
  TRegChangeSourceFactory OldFactory;
  TForm* Form = nullptr;
};

}  // namespace

TEST_F(StyleDetectionTest, DefaultFontAndSystemGeneration) {
  EXPECT_TRUE(IsVistaOrLater());
  EXPECT_EQ(GetDefaultUIFontName(), u"Segoe UI");
}

TEST_F(StyleDetectionTest, OfficeVersionFollowsTheNewestSettingsKey) {
  EXPECT_EQ(DetectOfficeVersion(), 0);
  CreateKey(OfficeGeneralKey11);
  EXPECT_EQ(DetectOfficeVersion(), 0);
  CreateKey(OfficeGeneralKey12);
  EXPECT_EQ(DetectOfficeVersion(), 1);
  CreateKey(OfficeGeneralKey14);
  EXPECT_EQ(DetectOfficeVersion(), 2);
}

TEST_F(StyleDetectionTest, OfficeThemeFromTheSettingsThenFromTheColourScheme) {
  constexpr Integer Absent = -1000;  // no "Theme" value
  constexpr Integer NoKey = -2000;   // not even the key
  struct Case {
    const char* Name;
    Integer Theme14, Theme12;
    const char16_t* Scheme;
    TOfficeTheme Expected;
  };
  const Case Cases[] = {
      {"2010 silver whatever 12.0 holds", 2, 3, nullptr, ot2010Silver},
      {"2010 blue", 1, NoKey, nullptr, ot2010Blue},
      {"2010 black", 3, NoKey, nullptr, ot2010Black},
      {"unknown 14.0 value gives 2003 blue without looking at 12.0", 0, 3, nullptr, ot2003Blue},
      {"14.0 key without value goes on to 12.0", Absent, 3, nullptr, ot2007Black},
      {"2007 blue", NoKey, 1, nullptr, ot2007Blue},
      {"2007 silver", NoKey, 2, nullptr, ot2007Silver},
      {"unknown 12.0 value gives 2003 blue", NoKey, 7, u"Metallic", ot2003Blue},
      {"no office and no visual styles", NoKey, NoKey, nullptr, ot2003Classic},
      {"no office, blue scheme", NoKey, Absent, u"NormalColor", ot2003Blue},
      {"no office, olive scheme", NoKey, NoKey, u"HomeStead", ot2003Olive},
      {"no office, silver scheme", NoKey, NoKey, u"Metallic", ot2003Silver},
      {"no office, other scheme", NoKey, NoKey, u"Aero", ot2003Classic},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    {
      TRegistry Reg;
      Reg.SetRootKey(HKEY_CURRENT_USER);
      Reg.DeleteKey(u"Software");
    }
    if (C.Theme14 == Absent) CreateKey(OfficeCommonKey14);
    if (C.Theme14 > Absent) WriteTheme(OfficeCommonKey14, C.Theme14);
    if (C.Theme12 == Absent) CreateKey(OfficeCommonKey12);
    if (C.Theme12 > Absent) WriteTheme(OfficeCommonKey12, C.Theme12);
    TSchemeLibrary::Scheme = C.Scheme;
    SetThemeLibraryLoader(C.Scheme ? &SchemeLoader : nullptr);
    EXPECT_EQ(DetectOfficeTheme(), C.Expected);
  }
}

TEST_F(StyleDetectionTest, TheSchemeLookupUnloadsTheLibraryEachTime) {
  TSchemeLibrary::Loads = TSchemeLibrary::Frees = 0;
  TSchemeLibrary::Scheme = u"NormalColor";
  SetThemeLibraryLoader(&SchemeLoader);
  EXPECT_EQ(DetectXPColorScheme(), 1);
  TSchemeLibrary::Scheme = nullptr;  // themes switched off
  EXPECT_EQ(DetectXPColorScheme(), 0);
  EXPECT_EQ(TSchemeLibrary::Loads, 2);
  EXPECT_EQ(TSchemeLibrary::Frees, 2);
}

TEST_F(StyleDetectionTest, HandleListKeepsWindowHandles) {
  THandleList L;
  L.Add(7);
  L.Add(9);
  L.Insert(0, 3);
  EXPECT_EQ(L.Count(), 3);
  EXPECT_EQ(L.GetInteger(0), 3);
  EXPECT_TRUE(L.HasValue(9));
  L.DeleteValue(7);
  L.DeleteValue(42);  // absent: nothing happens
  EXPECT_EQ(L.Count(), 2);
  L.SetInteger(1, 11);
  EXPECT_EQ(L.GetInteger(1), 11);
  EXPECT_FALSE(L.HasValue(9));
}

TEST_F(ThemeNotifierTest, WithoutOfficeSettingsThereIsNoWindowNorThread) {
  auto* N = new TThemeNotifier(Form);
  EXPECT_EQ(N->Notifier(), nullptr);
  EXPECT_EQ(N->RegMonitorThread, nullptr);
  N->RegisterWindow(Form->Handle());  // does nothing, and does not fail
  N->UnRegisterWindow(Form->Handle());
  EXPECT_EQ(Shared->Arms, 0);
}

TEST_F(ThemeNotifierTest, AChangeOfTheWatchedKeyReachesTheNotifierAndTheRegisteredWindows) {
  CreateKey(OfficeGeneralKey14);
  auto* Listener = new TListener(Form);
  Listener->SetParent(Form);
  int Changes = 0;
  auto* N = new TThemeNotifier(Form);
  N->OnOfficeThemeChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, N);
    ++Changes;
  };
  ASSERT_NE(N->Notifier(), nullptr);
  ASSERT_NE(N->RegMonitorThread, nullptr);
  EXPECT_FALSE(N->Notifier()->Visible());
  EXPECT_EQ(N->RegMonitorThread->FKey, OfficeCommonKey14);
  EXPECT_EQ(N->RegMonitorThread->Filter(), 4);

  N->RegisterWindow(Listener->Handle());
  N->RegisterWindow(Listener->Handle());  // registered once only
  EXPECT_EQ(N->RegMonitorThread->WindowCount(), 1);
  ASSERT_TRUE(TestHarness::WaitUntil([&] { return Shared->Arms == 1; }));
  EXPECT_EQ(Shared->ArmedKey, OfficeCommonKey14);
  EXPECT_TRUE(Shared->ArmedSubtree);  // the subtree is always watched

  Shared->Signal();
  ASSERT_TRUE(TestHarness::WaitUntil([&] { return Listener->Keys.size() == 1; }));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Listener->Root[0], HKEY_CURRENT_USER);
  EXPECT_EQ(Listener->Keys[0], OfficeCommonKey14);
  // The notification is asked for again after each change.
  ASSERT_TRUE(TestHarness::WaitUntil([&] { return Shared->Arms == 2; }));

  N->UnRegisterWindow(Listener->Handle());
  Shared->Signal();
  ASSERT_TRUE(TestHarness::WaitUntil([&] { return Changes == 2; }));
  EXPECT_EQ(Listener->Keys.size(), 1u);
  TComponent::Free(N);
}

TEST_F(ThemeNotifierTest, OfficeTwelveWatchesItsOwnKey) {
  CreateKey(OfficeGeneralKey12);
  auto* N = new TThemeNotifier(Form);
  ASSERT_NE(N->RegMonitorThread, nullptr);
  EXPECT_EQ(N->RegMonitorThread->FKey, OfficeCommonKey12);
}

TEST_F(ThemeNotifierTest, TheSingletonIsCreatedOnceAndForgottenWithItsOwner) {
  TThemeNotifier* A = GetThemeNotifier(Form);
  EXPECT_EQ(GetThemeNotifier(Form), A);
  TComponent::Free(A);
  TThemeNotifier* B = GetThemeNotifier(Form);
  EXPECT_NE(B, nullptr);
  TComponent::Free(B);
}

TEST_F(ThemeNotifierTest, AKeyThatCannotBeOpenedEndsTheMonitorThreadWithItsError) {
  auto* T = new TRegMonitorThread();
  T->FKey = u"Software\\Nowhere";
  T->Resume();
  T->WaitFor();
  ASSERT_TRUE(T->FatalException());
  try {
    std::rethrow_exception(T->FatalException());
  } catch (const ERegistryException& E) {
    EXPECT_EQ(E.Message(), u"Unable to open registry key Software\\Nowhere");
  }
  delete T;
}

TEST_F(ThemeNotifierTest, AMonitorThreadThatEndsOnItsOwnIsForgottenByTheNotifier) {
  CreateKey(OfficeGeneralKey14);
  // The key disappears between the version check and the thread's start: the factory, which runs
  // while the thread is made, points the registry at an empty store.
  const String Empty = Utf8ToString((Folder / "empty.ini").string());
  std::shared_ptr<TManualChangeSource::TShared> S = Shared;
  SetRegChangeSourceFactory([S, Empty] {
    SetRegistryFile(Empty);
    return std::make_unique<TManualChangeSource>(S);
  });
  auto* N = new TThemeNotifier(Form);
  ASSERT_TRUE(TestHarness::WaitUntil([&] { return N->RegMonitorThread == nullptr; }));
  EXPECT_TRUE(TestHarness::WaitUntil([&] { return Shared->Destroyed.load(); }));
  // Registration after the thread's end does nothing, and does not touch the freed thread.
  N->RegisterWindow(Form->Handle());
  N->UnRegisterWindow(Form->Handle());
  TComponent::Free(N);
  EXPECT_EQ(Shared->Arms, 0);
}
