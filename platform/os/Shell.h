// Opening a web address or a file with the desktop's program for it.
#pragma once

#include <functional>

#include "platform/rtl/System.h"

// Hands the URL or file to the desktop's opener (xdg-open). False when the opener is missing or
// reports within two seconds that it could not open the target (no program for it, a missing
// file); true when it handed the target over, or still runs after those two seconds (a browser it
// started in the foreground).
bool ShellOpen(const String& urlOrFile);

// Replace the opener for tests. An empty function restores xdg-open; the previous one is returned.
using TShellOpenFunction = std::function<bool(const String& urlOrFile)>;
TShellOpenFunction SetShellOpenFunction(TShellOpenFunction f);
