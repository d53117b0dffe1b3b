#include "platform/gui/Dialogs.h"

#include "platform/gui/DialogsBackend.h"
#include "platform/gui/Forms.h"

namespace {

class TNativeDialogService : public TDialogService {
 public:
  TModalResult ShowMessageBox(const TMessageBoxRequest& Request) override {
    return DialogsBackend::ShowMessageBox(Request);
  }
  bool ExecuteFileDialog(TFileDialogRequest& Request) override {
    return DialogsBackend::ExecuteFileDialog(Request);
  }
  bool SelectDirectory(const String& Caption, const String& Root, String& Directory) override {
    return DialogsBackend::SelectDirectory(Caption, Root, Directory);
  }
};

TNativeDialogService gNative;
TDialogService* gService = nullptr;

}  // namespace

TDialogService* DialogService() { return gService ? gService : &gNative; }
void SetDialogService(TDialogService* Service) { gService = Service; }

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
    case mbClose: return mrClose;
  }
  return mrNone;
}

String MsgDlgCaption(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirm";
    case mtCustom: break;
  }
  return Application ? Application->Title() : String();
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx) {
  (void)HelpCtx;
  TMessageBoxRequest r;
  r.Text = Msg;
  r.Caption = MsgDlgCaption(DlgType);
  r.Type = DlgType;
  r.Buttons = Buttons;
  return DialogService()->ShowMessageBox(r);
}

void ShowMessage(const String& Msg) {
  TMessageBoxRequest r;
  r.Text = Msg;
  r.Caption = Application ? Application->Title() : String();
  r.Type = mtCustom;
  r.Buttons = TMsgDlgButtons{mbOK};
  DialogService()->ShowMessageBox(r);
}

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.Save = IsSave();
  r.Title = Title;
  r.InitialDir = InitialDir;
  r.Filter = Filter;
  r.FilterIndex = FilterIndex;
  r.FileName = FileName;
  r.DefaultExt = DefaultExt;
  r.AllowMultiSelect = (Options & ofAllowMultiSelect) != 0;
  r.FileMustExist = (Options & ofFileMustExist) != 0;
  r.OverwritePrompt = (Options & ofOverwritePrompt) != 0;
  if (!DialogService()->ExecuteFileDialog(r)) return false;
  FileName = r.FileName;
  // A default extension goes on a name that has none.
  if (!DefaultExt.empty()) {
    size_t slash = FileName.find_last_of(u"/\\");
    size_t dot = FileName.find_last_of(u'.');
    if (dot == String::npos || (slash != String::npos && dot < slash)) {
      String ext = DefaultExt;
      if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
      FileName += u"." + ext;
    }
  }
  FilterIndex = r.FilterIndex;
  Files = r.Files.empty() ? std::vector<String>{FileName} : r.Files;
  return true;
}

bool SelectDirectory(const String& Caption, const String& Root, String& Directory) {
  return DialogService()->SelectDirectory(Caption, Root, Directory);
}
