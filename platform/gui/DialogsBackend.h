// The native dialogs of the backend (platform/qt/QtDialogs.cpp). Qt-free.
#pragma once

#include "platform/gui/Dialogs.h"

namespace DialogsBackend {

TModalResult ShowMessageBox(const TMessageBoxRequest& Request);
bool ExecuteFileDialog(TFileDialogRequest& Request);
bool SelectDirectory(const String& Caption, const String& Root, String& Directory);

}  // namespace DialogsBackend
