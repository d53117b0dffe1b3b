// What the edits with a part at their right edge share (the spin edit with its up / down pair, the
// edit with its button): the part, created with the edit, kept at the right edge inside the border
// and left out of the edit rectangle; the window made at construction; a height never below the
// font's need; Cut and Paste refused while the editor is off or the edit read-only.
#pragma once

#include "platform/gui/Mask.h"

template <class TPart>
class TEsgPartEdit : public TCustomMaskEdit {
 public:
  ~TEsgPartEdit() override { FButton = nullptr; }
  void BeforeDestruction() override {
    // The part goes with the edit's children; nothing may reach it once destruction has begun.
    FButton = nullptr;
    TCustomMaskEdit::BeforeDestruction();
  }

  TPart* Button() const { return FButton; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }

  // The least height the edit's font needs.
  virtual Integer MinHeight() const = 0;

  void Dispatch(TMessage& M) override {
    switch (M.Msg) {
      case WM_CUT:
      case WM_PASTE:
        if (!FEditorEnabled || ReadOnly()) return;
        TCustomMaskEdit::Dispatch(M);
        break;
      default: TCustomMaskEdit::Dispatch(M);
    }
  }

 protected:
  // The part, Part_Width x Part_Height until the first layout, with the edit as its focus control.
  TEsgPartEdit(TComponent* AOwner, Integer Part_Width, Integer Part_Height) : TCustomMaskEdit(AOwner) {
    FButton = new TPart(this);
    FButton->SetBounds(0, 0, Part_Width, Part_Height);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
  }
  // The end of the derived edit's construction: the text "0", no caption style, and the window
  // from construction on: its styles, edit rectangle and first layout.
  void Finish_Construction() {
    SetText(u"0");
    FControlStyle &= ~static_cast<uint32_t>(csSetCaption);
    CreateParams();
    CreateWnd();
    Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
  }

  // The window's creation: the styles (the alignment), then the edit rectangle.
  virtual void CreateParams() = 0;
  void CreateWnd() { SetEditRect(); }
  // Narrows the edit rectangle so the text stays clear of the part.
  virtual void SetEditRect() = 0;

  void WMSize(TMessage& M) override {
    TCustomMaskEdit::WMSize(M);
    const Integer mh = MinHeight();
    if (FHeight < mh) {
      SetHeight(mh);
      return;
    }
    if (!FButton) return;
    const Integer k = BorderStyle() == bsNone ? 1 : 5;
    if (Ctl3D())
      FButton->SetBounds(FWidth - FButton->Width() - k, 0, FButton->Width(), FHeight - k);
    else
      FButton->SetBounds(FWidth - FButton->Width(), 1, FButton->Width(), FHeight - 3);
    SetEditRect();
  }

  TPart* FButton = nullptr;
  bool FEditorEnabled = true;
};
