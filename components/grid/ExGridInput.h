// The small windows of the string grid's mouse input: the header-like drag image of a column or
// row move (THeaderDragButton), the never-activated window holding a snapshot of cells while they
// are dragged (TNoActiveForm), and the thin scroll indicator of the Metro scroll-bar look
// (TScrollControl).
#pragma once

#include "components/gridbase/ExGridTypes.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/System.h"

class TExStringGrid;

// A button drawn like the grid's top-left header cell with a caption, shown at the pointer while a
// column or row is dragged. It is a popup window: Left and Top are screen coordinates.
class THeaderDragButton : public TCustomControl {
 public:
  explicit THeaderDragButton(TComponent* AOwner);
  String ClassName() const override { return u"THeaderDragButton"; }

  TExStringGrid* Grid() const { return FGrid; }
  void SetGrid(TExStringGrid* Value) { FGrid = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }

 protected:
  // The owning grid's cell painter draws cell (0, 0) over the whole button, then the caption:
  // centred on one line with an end ellipsis, or through the mini-HTML renderer when it holds "</".
  void Paint() override;

 private:
  TExStringGrid* FGrid = nullptr;
  String FCaption;
  bool FFlat = false;
};

// A borderless window that never takes the activation or the focus, showing one picture: the
// snapshot of the dragged cells. Left and Top are screen coordinates.
class TNoActiveForm : public TCustomControl {
 public:
  explicit TNoActiveForm(TComponent* AOwner);
  ~TNoActiveForm() override;
  String ClassName() const override { return u"TNoActiveForm"; }

  TBitmap* Image() { return &FImage; }
  // The opacity the window shows with (255 opaque), applied when it is shown.
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
  // Shows the window on top of the others without activating it.
  void ShowNoActivate();

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;

 private:
  TBitmap FImage;
  Byte FAlphaBlendValue = 255;
};

enum TScrollDirection : Byte { sdVertical, sdHorizontal };

// The thin scroll indicator of ScrollType ssMetro: a bar ScrollWidth thick along the right (or
// bottom) edge of the grid, showing where the visible rows (columns) lie. A press before or after
// the thumb pages, a drag on the thumb scrolls. It works only as a child of a TExStringGrid. Its
// Color (0x00C0C0C0 at start) is the colour of the thumb.
class TScrollControl : public TCustomControl {
 public:
  explicit TScrollControl(TComponent* AOwner);
  String ClassName() const override { return u"TScrollControl"; }

  Integer ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }

  // The thumb along the control: its start and length in pixels; false when everything fits (no
  // thumb shows).
  bool ThumbGeometry(Integer& Pos, Integer& Length);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

 private:
  TExStringGrid* GridParent() const;

  Integer FScrollWidth = 4;
  bool FDownOnScroller = false;
  Integer FDownPos = 0;
  Integer FDownRow = 0;
  TScrollDirection FDirection = sdVertical;
};
