// Message boxes and the common file and folder dialogs. Every one goes through the dialog service,
// which a test replaces to script the answers (TestHarness.h); the default service shows the
// backend's native dialogs.
#pragma once

#include <initializer_list>

#include "platform/gui/Component.h"
#include "platform/gui/Controls.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                  mbYesToAll, mbHelp, mbClose };

// A set of buttons.
struct TMsgDlgButtons {
  Word Bits = 0;
  constexpr TMsgDlgButtons() = default;
  constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> list) {
    for (TMsgDlgBtn b : list) Bits |= static_cast<Word>(1u << b);
  }
  constexpr bool Contains(TMsgDlgBtn b) const { return (Bits >> b) & 1u; }
  friend constexpr bool operator==(TMsgDlgButtons, TMsgDlgButtons) = default;
};
constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives (mbOK -> mrOk ...).
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The title a message box of a type shows when the caller gives none ("Warning", "Error",
// "Information", "Confirm"; the application title for mtCustom).
String MsgDlgCaption(TMsgDlgType Type);

// A message box as the service receives it.
struct TMessageBoxRequest {
  String Text;
  String Caption;  // empty: the type's caption
  TMsgDlgType Type = mtCustom;
  TMsgDlgButtons Buttons{mbOK};
};

// A file dialog as the service receives it; the service fills FileName (and FilterIndex) on OK.
struct TFileDialogRequest {
  bool Save = false;
  String Title;
  String InitialDir;
  String Filter;  // "Description|mask;mask|Description|mask"
  Integer FilterIndex = 1;
  String FileName;
  String DefaultExt;
  bool AllowMultiSelect = false;
  bool FileMustExist = false;
  bool OverwritePrompt = false;
  std::vector<String> Files;  // the chosen files (AllowMultiSelect)
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // Returns the modal result of the button chosen (mrCancel, or mrNo where there is no Cancel,
  // when the box is closed without a button).
  virtual TModalResult ShowMessageBox(const TMessageBoxRequest& Request) = 0;
  // True when the user chose a file; the request then holds it.
  virtual bool ExecuteFileDialog(TFileDialogRequest& Request) = 0;
  // True when the user chose a folder; Directory holds it.
  virtual bool SelectDirectory(const String& Caption, const String& Root, String& Directory) = 0;
};

// The service in use (never nullptr). Setting nullptr restores the native one.
TDialogService* DialogService();
void SetDialogService(TDialogService* Service);

// A message box with the type's caption; returns the modal result of the button chosen.
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx = 0);
// A plain box (type mtCustom, no icon) with an OK button and the application's title.
void ShowMessage(const String& Msg);

enum TOpenOptionFlag : uint32_t {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofAllowMultiSelect = 1u << 9,
  ofPathMustExist = 1u << 11,
  ofFileMustExist = 1u << 12,
  ofEnableSizing = 1u << 23,
};
using TOpenOptions = uint32_t;

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  String ClassName() const override { return u"TOpenDialog"; }

  String InitialDir;
  String Filter;
  Integer FilterIndex = 1;
  String FileName;
  String DefaultExt;
  String Title;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  // The files chosen by the last Execute.
  std::vector<String> Files;

  // Shows the dialog; true when the user chose a file (FileName holds it, as chosen: no extension
  // is added unless DefaultExt is set and the name has none).
  virtual bool Execute();

 protected:
  virtual bool IsSave() const { return false; }
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  String ClassName() const override { return u"TSaveDialog"; }

 protected:
  bool IsSave() const override { return true; }
};

// The folder picker: true when a folder was chosen (Directory holds it). Directory is also the
// folder the picker starts in.
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);
