// Opening a web address or a file with the desktop's program for it.
#pragma once

#include <functional>

#include "platform/rtl/System.h"

// Hands the URL or file to the desktop's opener (xdg-open) and returns at once, without waiting
// for it. True when the opener could be started; whether the desktop then shows the target is
// not known here.
bool ShellOpen(const String& urlOrFile);

// Replace the opener for tests. An empty function restores xdg-open; the previous one is returned.
using TShellOpenFunction = std::function<bool(const String& urlOrFile)>;
TShellOpenFunction SetShellOpenFunction(TShellOpenFunction f);
