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

bool RealShellOpen(const String& urlOrFile) {
  if (urlOrFile.empty()) return false;
  int err = 0;
  // The target goes as one argument, never through a shell, so no character in it is special.
  const pid_t pid = oschildren::Spawn("xdg-open", {StringToUtf8(urlOrFile)}, err);
  if (pid < 0) return false;
  oschildren::Adopt(pid);
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
