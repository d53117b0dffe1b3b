// A stand-in strip for the model tests: it owns a tab list, options and look and feel like the real
// strip, records every change report, and can veto activations.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "components/tabs/TabStripClasses.h"

class TFakeTabStrip : public TComponent, public ITabStrip {
 public:
  struct TReport {
    TStripTab* Tab;
    TTabChangeType Change;
    friend bool operator==(const TReport&, const TReport&) = default;
  };

  TFakeTabStrip() : TComponent(nullptr) {
    FLookAndFeel = std::make_unique<TTabStripLookAndFeel>(this);
    FOptions = std::make_unique<TOptions>(this);
    FTabs = std::make_unique<TTabStripList>(this);
    Reports.clear();
  }
  ~TFakeTabStrip() override {
    // The tabs go first, while the strip still answers their reports.
    FTabs.reset();
  }
  String ClassName() const override { return u"TFakeTabStrip"; }

  TTabStripList* Tabs() { return FTabs.get(); }

  // Adds a tab with a caption; the reports of the addition stay recorded.
  TStripTab* AddTab(const String& Caption) {
    TStripTab* tab = FTabs->Add();
    tab->SetCaption(Caption);
    return tab;
  }

  std::vector<TReport> Reports;
  // Asked before a tab becomes active; sets Allow.
  std::function<void(TStripTab* OldTab, TStripTab* NewTab, bool& Allow)> OnChanging;
  // Called with every report, after it was recorded.
  std::function<void(TStripTab* Tab, TTabChangeType Change)> OnReport;

  // ITabStrip
  Integer GetLastPinnedIndex() override {
    Integer result = -1;
    for (Integer i = 0; i < FTabs->Count() && FTabs->Items(i)->Pinned(); ++i) result = i;
    return result;
  }
  TStripTab* GetActiveTabItem() override { return FTabs ? FTabs->ActiveTab() : nullptr; }
  TStripTabPolygonsPtr GetPreviousTabPolygons(Integer) override { return nullptr; }
  void DoOnBeforeDrawItem(TGPGraphics*, const TRect&, TStripTabItemType, Integer, bool&) override {}
  void DoOnAfterDrawItem(TGPGraphics*, const TRect&, TStripTabItemType, Integer) override {}
  void DoOnGetControlPolygons(TBaseTabStripControl*, const TRect&, TStripTabItemType, TTabOrientation,
                              TStripTabPolygonsPtr&) override {}
  void DoOnDebugLog(const String&, const std::vector<TVarRec>&) override {}
  void DoOnActiveTabChanging(TStripTab* OldTab, TStripTab* NewTab, bool& Allow) override {
    if (OnChanging) OnChanging(OldTab, NewTab, Allow);
  }
  void TabChanged(TStripTab* Tab, TTabChangeType ChangeType) override {
    Reports.push_back({Tab, ChangeType});
    if (OnReport) OnReport(Tab, ChangeType);
  }
  TRect ScrollRect(const TRect& R) override { return R; }
  TRect BidiScrollRect(const TRect& R) override { return R; }
  TRect BidiRect(const TRect& R) override { return R; }
  TBiDiMode GetBiDiMode() override { return bdLeftToRight; }
  void Invalidate() override {}
  TComponentState GetComponentState() override { return ComponentState(); }
  bool IsDragging() override { return false; }
  TTabStripLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  TOptions* GetOptions() override { return FOptions.get(); }
  TImageList* GetImages() override { return nullptr; }
  TImageList* GetImagesOverlay() override { return nullptr; }
  TImageList* GetImagesSpinnerDownload() override { return nullptr; }
  TImageList* GetImagesSpinnerUpload() override { return nullptr; }

 private:
  std::unique_ptr<TTabStripLookAndFeel> FLookAndFeel;
  std::unique_ptr<TOptions> FOptions;
  std::unique_ptr<TTabStripList> FTabs;
};
