#include "platform/os/Shell.h"

#include <mutex>

#include "platform/os/OsChildren.h"

namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}
TShellOpenFunction& Hook() {
  static TShellOpenFunction f;
  return f;
}

// How long the opener is given to report that nothing opens the target. A desktop's opener hands
// the target over and ends at once; the fallback of a desktop without one may run the browser it
// found in the foreground, which then keeps running.
constexpr unsigned kOpenerVerdictMs = 2000;

bool RealShellOpen(const String& urlOrFile) {
  if (urlOrFile.empty()) return false;
  int err = 0;
  // The target goes as one argument, never through a shell, so no character in it is special.
  const pid_t pid = oschildren::Spawn("xdg-open", {StringToUtf8(urlOrFile)}, err);
  if (pid < 0) return false;
  int exitCode = 0;
  // Ended with an error: no program for the target, or the target is missing.
  if (oschildren::WaitChild(pid, kOpenerVerdictMs, exitCode)) return exitCode == 0;
  return true;
}

}  // namespace

bool ShellOpen(const String& urlOrFile) {
  TShellOpenFunction f;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    f = Hook();
  }
  return f ? f(urlOrFile) : RealShellOpen(urlOrFile);
}

TShellOpenFunction SetShellOpenFunction(TShellOpenFunction f) {
  std::lock_guard<std::mutex> lock(HookMutex());
  TShellOpenFunction old = std::move(Hook());
  Hook() = std::move(f);
  return old;
}
