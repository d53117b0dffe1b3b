// Panels, shapes, images, paint boxes, splitters, link labels, timers and the category panel group.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

// --- Panels ----------------------------------------------------------------------------------------

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* AOwner);
  String ClassName() const override { return u"TCustomPanel"; }

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer v);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool ParentBackground() const { return FParentBackground; }
  void SetParentBackground(bool v) { FParentBackground = v; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v);

 protected:
  void Paint() override;
  TRect AlignRect() const override;

  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  Integer FBevelWidth = 1;
  Integer FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
  bool FParentBackground = true;
  bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  String ClassName() const override { return u"TPanel"; }
};

// --- Shapes, images, paint boxes -------------------------------------------------------------------

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  String ClassName() const override { return u"TShape"; }
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType v);
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }

 protected:
  void Paint() override;
  TShapeType FShape = stRectangle;
  TPen FPen;
  TBrush FBrush;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  String ClassName() const override { return u"TImage"; }
  TPicture* Picture() { return FPicture.get(); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Center() const { return FCenter; }
  void SetCenter(bool v);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);

 protected:
  void Paint() override;
  void PictureChanged();
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* AOwner);
  String ClassName() const override { return u"TPaintBox"; }
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};

// --- Splitters -------------------------------------------------------------------------------------

// Resizes the control aligned next to it (on its alignment side) when dragged, keeping that control
// and the space left beside it at least MinSize.
class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  String ClassName() const override { return u"TSplitter"; }
  Integer MinSize() const { return FMinSize; }
  void SetMinSize(Integer v) { FMinSize = v; }
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  TControl* FindControl() const;
  // The largest size the control being resized may take: the parent's room less the other
  // controls aligned to its edges, less MinSize for what fills the rest.
  Integer MaxSize() const;
  Integer FMinSize = 30;
  Integer FDownPos = -1;
  Integer FStartSize = 0;
  TControl* FTarget = nullptr;
};

// --- Link labels -----------------------------------------------------------------------------------

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const String& Link, TSysLinkType LinkType)>;

// A caption with links written <a href="...">text</a>; a click on a link fires OnLinkClick.
class TLinkLabel : public TWinControl {
 public:
  explicit TLinkLabel(TComponent* AOwner);
  String ClassName() const override { return u"TLinkLabel"; }
  TSysLinkEvent OnLinkClick;
  // A text longer than the control is wide breaks into lines between words.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

 protected:
  void SetTextImpl(const String& v) override;
  void Dispatch(TMessage& M) override;

 private:
  bool FWordWrap = false;
};

// --- Timers ----------------------------------------------------------------------------------------

// Fires OnTimer every Interval ms while Enabled. Enabling it again, or a new interval, starts the
// interval anew.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  String ClassName() const override { return u"TTimer"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal v);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();
  void UpdateTimer();
  bool FEnabled = true;
  Cardinal FInterval = 1000;
  uint64_t FTimer = 0;
};

// --- Category panel group --------------------------------------------------------------------------

class TCategoryPanelGroup;

// The client area of a category panel: the controls placed on a panel live here, below its header.
class TCategoryPanelSurface : public TCustomControl {
 public:
  explicit TCategoryPanelSurface(TComponent* AOwner);
  String ClassName() const override { return u"TCategoryPanelSurface"; }
};

// A collapsible panel with a header (caption, image, chevron) inside a TCategoryPanelGroup.
// Controls given the panel as parent go onto its surface below the header.
class TCategoryPanel : public TCustomControl {
 public:
  explicit TCategoryPanel(TComponent* AOwner);
  String ClassName() const override { return u"TCategoryPanel"; }

  TCategoryPanelGroup* PanelGroup() const;
  void SetPanelGroup(TCategoryPanelGroup* v);
  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool v);
  void Expand() { SetCollapsed(false); }
  void Collapse() { SetCollapsed(true); }
  Integer CollapsedImageIndex() const { return FCollapsedImageIndex; }
  void SetCollapsedImageIndex(Integer v);
  Integer ExpandedImageIndex() const { return FExpandedImageIndex; }
  void SetExpandedImageIndex(Integer v);
  TCategoryPanelSurface* Surface() const { return FSurface; }
  // The height when expanded (Height reads the header height while collapsed).
  Integer ExpandedHeight() const { return FExpandedHeight; }

  TNotifyEvent OnExpand;
  TNotifyEvent OnCollapse;

  void InsertControl(TControl* C) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 protected:
  void Paint() override;
  void Dispatch(TMessage& M) override;
  void BoundsChanged() override;
  Integer HeaderHeight() const;
  TCategoryPanelSurface* FSurface = nullptr;
  bool FCollapsed = false;
  bool FHotChevron = false;
  Integer FExpandedHeight = 200;
  Integer FCollapsedImageIndex = -1;
  Integer FExpandedImageIndex = -1;
  bool FPlacing = false;
  friend class TCategoryPanelGroup;
};

// A vertical stack of category panels in order of their Top, with a vertical scroll bar when they
// do not fit. WM_VSCROLL (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION,
// SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL) scrolls it.
class TCategoryPanelGroup : public TCustomControl {
 public:
  explicit TCategoryPanelGroup(TComponent* AOwner);
  ~TCategoryPanelGroup() override;
  String ClassName() const override { return u"TCategoryPanelGroup"; }

  Integer HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer v);
  TFont* HeaderFont() { return &FHeaderFont; }
  TColor GradientBaseColor() const { return FGradientBaseColor; }
  void SetGradientBaseColor(TColor v);
  TColor GradientColor() const { return FGradientColor; }
  void SetGradientColor(TColor v);
  TColor ChevronColor() const { return FChevronColor; }
  void SetChevronColor(TColor v);
  TColor ChevronHotColor() const { return FChevronHotColor; }
  void SetChevronHotColor(TColor v);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v);
  bool VertScrollTracking() const { return FTracking; }
  void SetVertScrollTracking(bool v) { FTracking = v; }
  // The scroll position in pixels and its line step.
  Integer ScrollPos() const { return FScrollPos; }
  Integer ScrollLine() const { return FScrollLine; }
  void SetScrollLine(Integer v) { FScrollLine = v; }
  // The height of all visible panels stacked.
  Integer ContentHeight() const;
  Integer PanelCount() const;
  TCategoryPanel* Panels(Integer Index) const;
  void CollapseAll();
  void ExpandAll();
  // Stacks the panels again (after a panel's height, visibility or order changed).
  void ArrangePanels();
  bool ScrollBarVisible() const;

  void InsertControl(TControl* C) override;
  void RemoveControl(TControl* C) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& M) override;
  void BoundsChanged() override;
  void Paint() override;
  void ScrollTo(Integer Pos);
  std::vector<TCategoryPanel*> OrderedPanels() const;

  Integer FHeaderHeight = 24;
  TFont FHeaderFont;
  TColor FGradientBaseColor = clBtnFace;
  TColor FGradientColor = clBtnShadow;
  TColor FChevronColor = clBlack;
  TColor FChevronHotColor = clGray;
  TImageList* FImages = nullptr;
  bool FTracking = false;
  Integer FScrollPos = 0;
  Integer FScrollLine = 8;
  bool FArranging = false;
  class TGroupScrollBar;
  TGroupScrollBar* FScrollBar = nullptr;
  friend class TCategoryPanel;
};
