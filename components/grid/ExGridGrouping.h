// The look and behaviour of the rows a grouped string grid adds: each group starts with a header
// (node) row and may end with a summary row.
#pragma once

#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

class TGrouping : public TPersistent {
 public:
  TGrouping() = default;
  String ClassName() const override { return u"TGrouping"; }
  // Copies every setting of another TGrouping; any other source is ignored.
  void Assign(TPersistent* Source) override;

  // A click in a column after the first of an expanded group's header row selects the group.
  bool AutoSelectGroup() const { return FAutoSelectGroup; }
  void SetAutoSelectGroup(bool Value) { FAutoSelectGroup = Value; }
  // Toggling a check box in a group header row gives the group's rows the same state.
  bool AutoCheckGroup() const { return FAutoCheckGroup; }
  void SetAutoCheckGroup(bool Value) { FAutoCheckGroup = Value; }
  // The pattern of the row count shown in the header (one integer argument); empty: " (n)".
  const String& GroupCountFormat() const { return FGroupCountFormat; }
  void SetGroupCountFormat(const String& Value) { FGroupCountFormat = Value; }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  TColor HeaderTextColor() const { return FHeaderTextColor; }
  void SetHeaderTextColor(TColor Value) { FHeaderTextColor = Value; }
  bool HeaderUnderline() const { return FHeaderUnderline; }
  void SetHeaderUnderline(bool Value) { FHeaderUnderline = Value; }
  TColor HeaderLineColor() const { return FHeaderLineColor; }
  void SetHeaderLineColor(TColor Value) { FHeaderLineColor = Value; }
  Integer HeaderLineWidth() const { return FHeaderLineWidth; }
  void SetHeaderLineWidth(Integer Value) { FHeaderLineWidth = Value; }
  bool MergeHeader() const { return FMergeHeader; }
  void SetMergeHeader(bool Value) { FMergeHeader = Value; }
  bool MergeSummary() const { return FMergeSummary; }
  void SetMergeSummary(bool Value) { FMergeSummary = Value; }
  bool ShowGroupCount() const { return FShowGroupCount; }
  void SetShowGroupCount(bool Value) { FShowGroupCount = Value; }
  bool Summary() const { return FSummary; }
  void SetSummary(bool Value) { FSummary = Value; }
  TColor SummaryColor() const { return FSummaryColor; }
  void SetSummaryColor(TColor Value) { FSummaryColor = Value; }
  TColor SummaryColorTo() const { return FSummaryColorTo; }
  void SetSummaryColorTo(TColor Value) { FSummaryColorTo = Value; }
  TColor SummaryTextColor() const { return FSummaryTextColor; }
  void SetSummaryTextColor(TColor Value) { FSummaryTextColor = Value; }
  bool SummaryLine() const { return FSummaryLine; }
  void SetSummaryLine(bool Value) { FSummaryLine = Value; }
  TColor SummaryLineColor() const { return FSummaryLineColor; }
  void SetSummaryLineColor(TColor Value) { FSummaryLineColor = Value; }
  Integer SummaryLineWidth() const { return FSummaryLineWidth; }
  void SetSummaryLineWidth(Integer Value) { FSummaryLineWidth = Value; }

  // The header text of a group of Count rows when ShowGroupCount is set: Text followed by
  // GroupCountFormat filled with Count, or by " (" Count ")" when the pattern is empty. Without
  // ShowGroupCount, Text unchanged.
  String GroupHeaderText(const String& Text, Integer Count) const;

 private:
  bool FAutoSelectGroup = false;
  bool FAutoCheckGroup = false;
  String FGroupCountFormat;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderTextColor = clNone;
  bool FHeaderUnderline = false;
  TColor FHeaderLineColor = 0xFF0000;
  Integer FHeaderLineWidth = 2;
  bool FMergeHeader = false;
  bool FMergeSummary = false;
  bool FShowGroupCount = false;
  bool FSummary = false;
  TColor FSummaryColor = clNone;
  TColor FSummaryColorTo = clNone;
  TColor FSummaryTextColor = clNone;
  bool FSummaryLine = false;
  TColor FSummaryLineColor = 0xFF0000;
  Integer FSummaryLineWidth = 2;
};
