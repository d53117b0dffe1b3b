// The visual-styles bindings: empty on this system, bound through a stand-in library when one is
// there, loaded once, freed, and refusing a library that lacks a function.
#include "components/gridbase/ExThemeLib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "components/gridbase/ATXPVS.h"
#include "components/gridbase/ExXPVS.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A stand-in visual-styles library: every function is found (at a distinct address) unless it is
// named as missing; IsThemeActive answers 1.
struct TFakeLibrary {
  static inline int Loads = 0;
  static inline int Frees = 0;
  static inline uintptr_t Handle = 0x1000;
  static inline const char* Missing = nullptr;
  static inline char Slots[ThemeApiProcCount] = {};

  static Integer IsThemeActive() { return 1; }

  static uintptr_t Load(const String& FileName) {
    EXPECT_EQ(FileName, u"UXTHEME.DLL");
    ++Loads;
    return Handle;
  }
  static void* Proc(uintptr_t, const char* Name) {
    if (Missing && std::strcmp(Name, Missing) == 0) return nullptr;
    if (std::strcmp(Name, "IsThemeActive") == 0) return reinterpret_cast<void*>(&IsThemeActive);
    for (Integer I = 0; I < ThemeApiProcCount; ++I)
      if (std::strcmp(Name, ThemeApiProcName(I)) == 0) return &Slots[I];
    return nullptr;
  }
  static void Free(uintptr_t) { ++Frees; }
  static void* Expected(Integer I) {
    if (std::strcmp(ThemeApiProcName(I), "IsThemeActive") == 0)
      return reinterpret_cast<void*>(&IsThemeActive);
    return &Slots[I];
  }
};

constexpr TThemeLibraryLoader FakeLoader{&TFakeLibrary::Load, &TFakeLibrary::Proc,
                                         &TFakeLibrary::Free};

class ThemeBindingTest : public testing::Test {
 protected:
  void SetUp() override {
    TFakeLibrary::Loads = TFakeLibrary::Frees = 0;
    TFakeLibrary::Handle = 0x1000;
    TFakeLibrary::Missing = nullptr;
  }
  void TearDown() override {
    FreeThemeApi();
    FreeDropDownThemeApi();
    SetThemeLibraryLoader(Old);
  }
  void UseFakeLibrary() { Old = SetThemeLibraryLoader(&FakeLoader); }
  const TThemeLibraryLoader* Old = ThemeLibraryLoader();
};

}  // namespace

TEST_F(ThemeBindingTest, OnThisSystemBothBindingsStayEmptyAndAnswerNotThemed) {
  for (TThemeApi* Api : {&ThemeApi, &DropDownThemeApi}) {
    EXPECT_FALSE(Api->Loaded);
    for (Integer I = 0; I < ThemeApiProcCount; ++I)
      EXPECT_FALSE(Api->Proc(I)->Bound()) << ThemeApiProcName(I);
    // Callers that do not test IsThemeActive first still get "not themed", never a crash.
    EXPECT_EQ(Api->IsThemeActive(), 0);
    EXPECT_EQ(Api->OpenThemeData(0, u"button"), 0u);
    const TRect R(0, 0, 10, 10);
    EXPECT_EQ(Api->DrawThemeBackground(0, nullptr, 1, 1, &R, nullptr), THEMEAPI_E_NOTBOUND);
    EXPECT_EQ(Api->CloseThemeData(0), THEMEAPI_E_NOTBOUND);
    Char Name[8] = {};
    EXPECT_EQ(Api->GetCurrentThemeName(Name, 8, Name, 8, Name, 8), THEMEAPI_E_NOTBOUND);
  }
  // Loading again finds nothing either.
  LoadThemeApi();
  EXPECT_FALSE(ThemeApi.Loaded);
}

TEST_F(ThemeBindingTest, APresentLibraryBindsAllFunctionsInBothBindingsToTheSameAddresses) {
  UseFakeLibrary();
  LoadThemeApi();
  LoadDropDownThemeApi();
  ASSERT_TRUE(ThemeApi.Loaded);
  ASSERT_TRUE(DropDownThemeApi.Loaded);
  for (Integer I = 0; I < ThemeApiProcCount; ++I) {
    EXPECT_EQ(ThemeApi.Proc(I)->Raw(), TFakeLibrary::Expected(I)) << ThemeApiProcName(I);
    EXPECT_EQ(DropDownThemeApi.Proc(I)->Raw(), ThemeApi.Proc(I)->Raw()) << ThemeApiProcName(I);
  }
  EXPECT_EQ(ThemeApi.IsThemeActive(), 1);
  EXPECT_EQ(TFakeLibrary::Loads, 2);

  // A second load of a loaded binding does not load the library again.
  LoadThemeApi();
  LoadDropDownThemeApi();
  EXPECT_EQ(TFakeLibrary::Loads, 2);

  FreeThemeApi();
  EXPECT_FALSE(ThemeApi.Loaded);
  EXPECT_EQ(TFakeLibrary::Frees, 1);
  EXPECT_EQ(ThemeApi.IsThemeActive(), 0);
  EXPECT_TRUE(DropDownThemeApi.Loaded);
  FreeThemeApi();
  EXPECT_EQ(TFakeLibrary::Frees, 1);
}

TEST_F(ThemeBindingTest, AHandleBelow32CountsAsNoLibrary) {
  UseFakeLibrary();
  TFakeLibrary::Handle = 31;
  LoadThemeApi();
  EXPECT_FALSE(ThemeApi.Loaded);
  EXPECT_FALSE(ThemeApi.OpenThemeData.Bound());
  FreeThemeApi();
  EXPECT_EQ(TFakeLibrary::Frees, 0);
}

TEST_F(ThemeBindingTest, ALibraryWithoutOneOfTheFunctionsFailsAnAssertion) {
  UseFakeLibrary();
  TFakeLibrary::Missing = "GetThemeSysFont";
  TThemeApi Api;
  try {
    LoadThemeBinding(Api, "ExXPVS");
    FAIL() << "no assertion failure";
  } catch (const EAssertionFailed& E) {
    EXPECT_EQ(Pos(u"Assertion failure (ExXPVS, line ", E.Message()), 1) << StringToUtf8(E.Message());
  }
  // The functions looked up before the missing one were bound; the missing one was not.
  EXPECT_TRUE(Api.GetThemeSysColor.Bound());
  EXPECT_FALSE(Api.GetThemeSysFont.Bound());
  FreeThemeBinding(Api);
}

TEST_F(ThemeBindingTest, ModuleStartAndStopAreCounted) {
  UseFakeLibrary();
  TThemeApi Api;
  StartThemeBinding(Api, "ATXPVS");
  StartThemeBinding(Api, "ATXPVS");
  EXPECT_TRUE(Api.Loaded);
  EXPECT_EQ(TFakeLibrary::Loads, 1);
  StopThemeBinding(Api);
  EXPECT_TRUE(Api.Loaded);
  StopThemeBinding(Api);
  EXPECT_FALSE(Api.Loaded);
  EXPECT_EQ(TFakeLibrary::Frees, 1);
}
