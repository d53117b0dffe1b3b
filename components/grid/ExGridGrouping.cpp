#include "components/grid/ExGridGrouping.h"

#include "platform/rtl/SysUtils.h"

void TGrouping::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TGrouping*>(Source);
  if (!S) return;
  FAutoSelectGroup = S->FAutoSelectGroup;
  FAutoCheckGroup = S->FAutoCheckGroup;
  FGroupCountFormat = S->FGroupCountFormat;
  FHeaderColor = S->FHeaderColor;
  FHeaderColorTo = S->FHeaderColorTo;
  FHeaderTextColor = S->FHeaderTextColor;
  FHeaderUnderline = S->FHeaderUnderline;
  FHeaderLineColor = S->FHeaderLineColor;
  FHeaderLineWidth = S->FHeaderLineWidth;
  FMergeHeader = S->FMergeHeader;
  FMergeSummary = S->FMergeSummary;
  FShowGroupCount = S->FShowGroupCount;
  FSummary = S->FSummary;
  FSummaryColor = S->FSummaryColor;
  FSummaryColorTo = S->FSummaryColorTo;
  FSummaryTextColor = S->FSummaryTextColor;
  FSummaryLine = S->FSummaryLine;
  FSummaryLineColor = S->FSummaryLineColor;
  FSummaryLineWidth = S->FSummaryLineWidth;
}

String TGrouping::GroupHeaderText(const String& Text, Integer Count) const {
  if (!FShowGroupCount) return Text;
  if (!FGroupCountFormat.empty()) {
    // The pattern comes from the application; one that does not take an integer must not make
    // every repaint of the header fail, so it falls back to the plain count.
    try {
      return Text + Format(FGroupCountFormat, Count);
    } catch (const EConvertError&) {
    }
  }
  return Text + u" (" + IntToStr(Count) + u")";
}
