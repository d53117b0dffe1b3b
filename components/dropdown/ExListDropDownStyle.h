// The header, line and selection colours the list drop-downs (the multi-column drop-down and the
// grid drop-down) take from a component style, kept in one table so both follow the same colours.
#pragma once

#include "components/dropdown/ExDropDown.h"

namespace ExListDropDownStyle {

// The colours of one component style.
struct TListStyle {
  TNorvStyle Style;
  TColor Top, Bottom;
  bool SetFont;
  TColor Font;
  TSelectionColorStyle Selection;
  TColor SelectionColor;  // with scCustom: SelectionColor and SelectionColorTo
  TColor Line, FixedLine;
  TColor SelectionText;
};

// The colours of AStyle, or nullptr where the style changes nothing beyond the base: tsCustom, and
// the Office 2010 styles unless WithOffice2010.
const TListStyle* FindListStyle(TNorvStyle AStyle, bool WithOffice2010);

// The line colours a selection preset brings (Office 2007, Vista, 7); false for a preset that
// brings none, leaving Line and FixedLine as they are.
bool PresetLineColors(TSelectionColorStyle Value, TColor& Line, TColor& FixedLine);

// Puts the colours of S into the list drop-down D: the header colours and font colour, then the
// selection preset followed by the style's own line colours (so they win over the preset's), or
// for a custom selection the line colours followed by the selection colours.
template <class D>
void ApplyListStyle(D* d, const TListStyle& S) {
  d->SetHeaderColor(S.Top);
  d->SetHeaderColorTo(S.Bottom);
  if (S.SetFont) d->HeaderFont()->SetColor(S.Font);
  if (S.Selection != scCustom) {
    d->SetSelectionColorStyle(S.Selection);
    d->SetLineColor(S.Line);
    d->SetFixedLineColor(S.FixedLine);
  } else {
    d->SetLineColor(S.Line);
    d->SetFixedLineColor(S.FixedLine);
    d->SetSelectionColorStyle(scCustom);
    d->SetSelectionColor(S.SelectionColor);
    d->SetSelectionColorTo(S.SelectionColor);
  }
  d->SetSelectionTextColor(S.SelectionText);
}

}  // namespace ExListDropDownStyle
