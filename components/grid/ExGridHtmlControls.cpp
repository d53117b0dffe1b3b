// Form controls written as CONTROL tags inside an HTML cell: an edit or combo editor laid over
// the drawn control, whose value goes back into the tag's VALUE when the editor is left.
#include "components/grid/ExGrid.h"
#include "components/grid/ExGridEditors.h"
#include "components/grid/ExGridGraphics.h"
#include "components/grid/ExGridLook.h"
#include "components/gridbase/EsgHTMLE.h"
#include "platform/rtl/SysUtils.h"

void TExStringGrid::EditHtmlControl(Integer ACol, Integer ARow, const String& ID) {
  const Integer rc = DisplayToRealCol(ACol);
  const String text = GetCellEx(rc, ARow);
  const String id = NextHtmlControlID(text, ID);
  if (id.empty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  TRect r = CellRect(ACol, ARow);
  OffsetRect(r, FXYOffset.X + 1, FXYOffset.Y + 1);
  // A check box drawn before the text pushes the controls to the right.
  if (TCellGraphic* g = GetCellGraphic(rc, ARow)) {
    const TCellType t = g->CellType();
    if ((t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctTriStateCheckBox) && FControlLook)
      OffsetRect(r, FControlLook->CheckSize(), 0);
  }
  // The renderer measures the control: with HitTestOnly and the control's ID given, that control
  // counts as hit and its rectangle, type and value come back.
  String anchor, plain, focused, title, value, type;
  String hitID = id;
  Integer maxWidth = 0, height = 0, anchors = 0, anchorIndex = -1;
  TRect anchorRect, controlRect;
  Canvas()->Font()->Assign(Font());
  DrawHtmlText(Canvas(), text, r, nullptr, r.Left, r.Top, -1, -1, 1, true, false, false, false, true, false, true, false,
               1.0, FURLColor, clNone, clNone, 0x808080, anchor, plain, focused, title, maxWidth, height, anchors,
               anchorIndex, anchorRect, controlRect, hitID, value, type, FImageCache, FContainer, Handle(),
               bdHtmlLeftToRight);
  ShowHtmlControlEditor(text, type, ARow, ACol, controlRect, value, id);
}

void TExStringGrid::ShowHtmlControlEditor(const String& CellText, const String& CtrlType, Integer ARow, Integer ACol,
                                          TRect CtrlRect, const String& CtrlValue, const String& CtrlID) {
  const String type = UpperCase(CtrlType);
  if (type == u"EDIT" || type == u"PASSWORD" || type == u"MASK") {
    if (!FEditControl) return;
    FCtrlXY = TPoint(ACol, ARow);
    FCtrlID = CtrlID;
    FCtrlType = type;
    FCtrlEditing = true;
    TControlEdit* e = FEditControl;
    e->SetWidth(0);
    e->SetPasswordChar(type == u"PASSWORD" ? u'*' : Char(0));
    e->SetEditMask(type == u"MASK" ? GetHtmlControlProp(CellText, CtrlID) : String());
    e->OnExit = [this](TObject* Sender) { HtmlControlExit(Sender); };
    e->SetText(CtrlValue);
    e->SetBorderStyle(bsNone);
    e->SetBounds(CtrlRect.Left + 1, CtrlRect.Top + 8, CtrlRect.Right - CtrlRect.Left - 4, 14);
    e->SetMaxLength(GetHtmlControlMaxLen(CellText, CtrlID));
    e->SetParent(this);
    e->SetVisible(true);
    e->BringToFront();
    if (e->CanFocus()) e->SetFocus();
    return;
  }
  if (type == u"COMBO") {
    if (!FComboControl) return;
    FCtrlXY = TPoint(ACol, ARow);
    FCtrlID = CtrlID;
    FCtrlType = type;
    FCtrlEditing = true;
    TControlCombo* c = FComboControl;
    c->SetIsWinXP(FIsWinXP);
    c->SetWidth(0);
    c->SetFlat(false);
    c->SetBounds(CtrlRect.Left - 1, CtrlRect.Top + 4, CtrlRect.Right - CtrlRect.Left, c->Height());
    c->OnSelect = [this](TObject* Sender) { HtmlControlComboSelect(Sender); };
    c->SetParent(this);
    bool edit = true;
    Integer dropCount = 8;
    TStringList values;
    if (OnControlComboList) OnControlComboList(this, ARow, ACol, CtrlID, type, CtrlValue, &values, edit, dropCount);
    c->SetStyle(edit ? csDropDown : csDropDownList);
    c->Items()->Assign(&values);
    const Integer i = c->Items()->IndexOf(CtrlValue);
    if (i >= 0) c->SetItemIndex(i);
    if (edit) c->SetText(CtrlValue);
    c->SetDropDownCount(dropCount);
    c->OnExit = [this](TObject* Sender) { HtmlControlExit(Sender); };
    c->SetMaxLength(GetHtmlControlMaxLen(CellText, CtrlID));
    c->SetVisible(true);
    c->SetDroppedDown(true);
    if (c->CanFocus()) c->SetFocus();
  }
}

void TExStringGrid::HtmlControlExit(TObject* Sender) {
  (void)Sender;
  if (!FCtrlEditing) return;
  FCtrlEditing = false;
  const Integer rc = DisplayToRealCol(FCtrlXY.X);
  String cell = GetCellEx(rc, FCtrlXY.Y);
  String value;
  if (FCtrlType == u"COMBO") {
    value = FComboControl->Text();
    // A pick list left without a choice keeps the tag's value, also one that is not among its
    // items (the list cannot show such a value, and its empty text must not replace it).
    if (FComboControl->Style() == csDropDownList && FComboControl->ItemIndex() < 0) {
      String old;
      if (GetHtmlControlValue(cell, FCtrlID, old)) value = old;
    }
    SetHtmlControlValue(cell, FCtrlID, value);
    SetCellEx(rc, FCtrlXY.Y, cell);
    FComboControl->SetVisible(false);
  } else {
    value = FEditControl->Text();
    SetHtmlControlValue(cell, FCtrlID, value);
    SetCellEx(rc, FCtrlXY.Y, cell);
    FEditControl->SetVisible(false);
  }
  if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
  FCtrlType.clear();
}

void TExStringGrid::HtmlControlComboSelect(TObject* Sender) {
  (void)Sender;
  if (!OnControlComboSelect || !FComboControl) return;
  const Integer i = FComboControl->ItemIndex();
  OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, i, FCtrlID, i >= 0 ? FComboControl->Items()->Strings(i) : String());
}
