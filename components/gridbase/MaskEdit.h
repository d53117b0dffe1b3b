// The base of the grid library's one-line editors with an embedded button (the spin edit and the
// edit with button): the class library's edit plus its edit rectangle.
//
// The edit rectangle is the part of the edit that shows the text; the editors narrow it so the
// text stays clear of their button. EM_SETRECT / EM_SETRECTNP set it (LParam: a TRect*; nullptr
// restores the whole client area) and EM_GETRECT reads it (LParam: a TRect* to fill). The edit
// widget of this platform has no text margins, so the rectangle is kept here and read back, but
// the widget still lays its text out over its whole width.
//
// Input masks are not supported.
#pragma once

#include "platform/gui/StdCtrls.h"

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  String ClassName() const override { return u"TCustomMaskEdit"; }

  // The rectangle set last, or the client area when none was set.
  TRect EditRect() const;

  void Dispatch(TMessage& M) override;

 protected:
  // The height of the edit's font: its text cell with the internal leading, as a device context
  // with that font selected reports it.
  Integer FontCellHeight() const;
  // The same for the system font of a screen device context.
  static Integer SystemFontCellHeight();

  bool FHasEditRect = false;
  TRect FEditRect;
};
