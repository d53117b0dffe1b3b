// The component model: ownership, names, notifications, loading and the class registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Component.h"

namespace {

// Writes "<name> freed" into a shared log when it goes, and records what it is told.
class TLogged : public TComponent {
 public:
  TLogged(TComponent* owner, std::string tag, std::vector<std::string>* log)
      : TComponent(owner), Tag_(std::move(tag)), Log(log) {}
  ~TLogged() override { Log->push_back(Tag_ + " freed" + (Destroying ? " (destroying)" : "")); }
  void BeforeDestruction() override {
    Destroying = HasState(csDestroying);
    TComponent::BeforeDestruction();
    Destroying = HasState(csDestroying);
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove) {
      auto* l = dynamic_cast<TLogged*>(c);
      Log->push_back(Tag_ + " told " + (l ? l->Tag_ : "?") + " goes");
      if (c == Watched) Watched = nullptr;
    }
  }
  void Loaded() override {
    TComponent::Loaded();
    Log->push_back(Tag_ + " loaded");
  }
  std::string Tag_;
  std::vector<std::string>* Log;
  TComponent* Watched = nullptr;
  bool Destroying = false;
};

TEST(Component, OwnerFreesOwnedComponentsNewestFirst) {
  std::vector<std::string> log;
  auto* owner = new TLogged(nullptr, "owner", &log);
  new TLogged(owner, "a", &log);
  new TLogged(owner, "b", &log);
  new TLogged(owner, "c", &log);
  EXPECT_EQ(owner->ComponentCount(), 3);
  TComponent::Free(owner);
  std::vector<std::string> freed;
  for (auto& l : log)
    if (l.find("freed") != std::string::npos) freed.push_back(l);
  ASSERT_EQ(freed.size(), 4u);
  EXPECT_EQ(freed[0], "c freed (destroying)");
  EXPECT_EQ(freed[1], "b freed (destroying)");
  EXPECT_EQ(freed[2], "a freed (destroying)");
  EXPECT_EQ(freed[3], "owner freed (destroying)");
}

TEST(Component, FreeingAnOwnedComponentTakesItOffTheOwnersList) {
  std::vector<std::string> log;
  TLogged owner(nullptr, "owner", &log);
  auto* a = new TLogged(&owner, "a", &log);
  new TLogged(&owner, "b", &log);
  TComponent::Free(a);
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(static_cast<TLogged*>(owner.Components(0))->Tag_, "b");
  EXPECT_THROW(owner.Components(1), EListError);
  EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(Component, FreeNotificationReachesAComponentOfAnotherOwner) {
  std::vector<std::string> log;
  TLogged form1(nullptr, "form1", &log);
  TLogged form2(nullptr, "form2", &log);
  auto* menu = new TLogged(&form1, "menu", &log);
  auto* user = new TLogged(&form2, "user", &log);
  user->Watched = menu;
  menu->FreeNotification(user);
  TComponent::Free(menu);
  EXPECT_EQ(user->Watched, nullptr);
  // Freeing the user later must not reach the freed menu.
  TComponent::Free(user);
}

TEST(Component, NamesAreIdentifiersAndUniqueAmongSiblings) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName(u"Btn_OK");
  EXPECT_EQ(owner.FindComponent(u"btn_ok"), a);
  EXPECT_THROW(b->SetName(u"BTN_OK"), EComponentError);
  EXPECT_THROW(b->SetName(u"1abc"), EComponentError);
  EXPECT_THROW(b->SetName(u"a b"), EComponentError);
  b->SetName(u"Btn_Cancel");
  EXPECT_EQ(owner.FindComponent(u"Btn_Cancel"), b);
  EXPECT_EQ(owner.FindComponent(u"missing"), nullptr);
  b->SetName(u"");
  EXPECT_EQ(owner.FindComponent(u"Btn_Cancel"), nullptr);
}

TEST(Component, EndLoadingCallsLoadedOwnerFirstAndOnce) {
  std::vector<std::string> log;
  TLogged owner(nullptr, "owner", &log);
  owner.BeginLoading();
  auto* a = new TLogged(&owner, "a", &log);
  a->BeginLoading();
  EXPECT_TRUE(a->HasState(csLoading));
  owner.EndLoading();
  owner.EndLoading();
  EXPECT_FALSE(a->HasState(csLoading));
  std::vector<std::string> loaded;
  for (auto& l : log)
    if (l.find("loaded") != std::string::npos) loaded.push_back(l);
  EXPECT_EQ(loaded, (std::vector<std::string>{"owner loaded", "a loaded"}));
}

TEST(Component, ClassRegistryCreatesByName) {
  RegisterClass(u"TRegistryProbe", [](TComponent* o) { return new TComponent(o); });
  TComponent owner(nullptr);
  TComponentFactory f = FindClass(u"tregistryprobe");
  ASSERT_TRUE(f);
  TComponent* c = f(&owner);
  EXPECT_EQ(c->Owner(), &owner);
  EXPECT_FALSE(GetClass(u"TNoSuchClass"));
  try {
    FindClass(u"TNoSuchClass");
    FAIL() << "no exception";
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), u"Class TNoSuchClass not found");
  }
}

}  // namespace
