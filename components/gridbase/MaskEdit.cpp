#include "components/gridbase/MaskEdit.h"

TRect TCustomMaskEdit::EditRect() const { return FHasEditRect ? FEditRect : ClientRect(); }

void TCustomMaskEdit::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case EM_SETRECT:
    case EM_SETRECTNP: {
      const auto* r = reinterpret_cast<const TRect*>(M.LParam);
      FHasEditRect = r != nullptr;
      if (r) FEditRect = *r;
      if (M.Msg == EM_SETRECT) Invalidate();
      break;
    }
    case EM_GETRECT:
      if (auto* r = reinterpret_cast<TRect*>(M.LParam)) *r = EditRect();
      break;
    default: TCustomEdit::Dispatch(M);
  }
}

Integer TCustomMaskEdit::FontCellHeight() const {
  TCanvas measure;
  measure.Font()->Assign(Font());
  return measure.TextHeight(u"0");
}

Integer TCustomMaskEdit::SystemFontCellHeight() {
  TCanvas measure;
  return measure.TextHeight(u"0");
}
