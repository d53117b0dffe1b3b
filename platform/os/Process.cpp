#include "platform/os/Process.h"

#include <mutex>

#include "platform/os/OsChildren.h"

namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}
TStartProgramFunction& Hook() {
  static TStartProgramFunction f;
  return f;
}

TProgramStatus RealStartProgram(const String& program, const String& parameters, bool showWindow,
                                Cardinal timeoutMs, Integer& exitCode) {
  (void)showWindow;  // a Linux program chooses its own window state
  std::vector<std::string> args;
  for (const String& word : SplitParameters(parameters)) args.push_back(StringToUtf8(word));
  int err = 0;
  const pid_t pid = oschildren::Spawn(StringToUtf8(program), args, err);
  if (pid < 0) return psStartFailed;

  int code = -1;
  if (!oschildren::WaitChild(pid, timeoutMs, code)) return psTimedOut;
  exitCode = code;
  return psExited;
}

}  // namespace

std::vector<String> SplitParameters(const String& parameters) {
  std::vector<String> words;
  String word;
  bool inWord = false;
  bool quoted = false;
  for (const char16_t c : parameters) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == u' ' || c == u'\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

TProgramStatus StartProgram(const String& program, const String& parameters, bool showWindow,
                            Cardinal timeoutMs, Integer& exitCode) {
  TStartProgramFunction f;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    f = Hook();
  }
  if (f) return f(program, parameters, showWindow, timeoutMs, exitCode);
  return RealStartProgram(program, parameters, showWindow, timeoutMs, exitCode);
}

TStartProgramFunction SetStartProgramFunction(TStartProgramFunction f) {
  std::lock_guard<std::mutex> lock(HookMutex());
  TStartProgramFunction old = std::move(Hook());
  Hook() = std::move(f);
  return old;
}
