// The string grid's rich edit: its hidden converter and measuring control for rich-text cells and
// its in-place rich-text editor. The platform's rich edit keeps plain text; the character offset
// of the selection (sub- and superscript) is kept by this control.
#pragma once

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Messages.h"

class TExStringGrid;

class TExRichEdit : public TRichEdit {
 public:
  // AOwner must be the grid; any other owner raises the platform's invalid-cast error.
  explicit TExRichEdit(TComponent* AOwner);
  String ClassName() const override { return u"TExRichEdit"; }

  TExStringGrid* Grid() const { return FGrid; }
  // The window made again.
  void ReCreate();

  // Character offset of the selection in twips: -40 subscript, 40 superscript, 0 normal.
  void SelSubscript() { SetSelOffset(-40); }
  void SelSuperscript() { SetSelOffset(40); }
  void SelNormal() { SetSelOffset(0); }
  bool IsSelSubscript() const { return FSelOffset == -40; }
  bool IsSelSuperscript() const { return FSelOffset == 40; }
  bool IsSelNormal() const { return FSelOffset == 0; }
  void SetSelOffset(Integer Value) { FSelOffset = Value; }

  // Set while the grid loads the in-place editor: no row growth meanwhile.
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  bool Locked() const { return FLocked; }

  // The size the content last asked for.
  Integer ReqWidth() const { return FReqWidth; }
  Integer ReqHeight() const { return FReqHeight; }
  // The content asks for Width x Height: stored, and the in-place editor of a grid that sizes rows
  // while typing grows its row.
  void RequestResize(Integer Width, Integer Height);

  void KeyDown(Word& Key, TShiftState Shift) override;

 protected:
  void WMGetDlgCode(TMessage& M) override;
  void WMKillFocus(TMessage& M) override;
  void Change() override;

 private:
  TExStringGrid* FGrid;
  Integer FReqHeight = 0;
  Integer FReqWidth = 0;
  bool FLocked = false;
  Integer FSelOffset = 0;
};
