// Starting another program and waiting for its end with a time limit.
#pragma once

#include <functional>
#include <vector>

#include "platform/rtl/System.h"

enum TProgramStatus {
  psExited,       // the program ended; its exit code is reported
  psTimedOut,     // the time limit passed first; the program keeps running
  psStartFailed   // the program could not be started (missing, not executable, ...)
};

// Starts `program` (a path, or a name looked up in PATH) with the blank-separated `parameters`
// (double quotes group words that hold blanks and are removed), in the current folder. Then, with
// no event processing, it polls every 10 ms through the replaceable Sleep of Clock.h whether the
// program has ended: it returns psExited with the exit code (128 + the signal number when a signal
// ended it) once it has, 10 to 20 ms after its end; psTimedOut once timeoutMs have passed since
// the start on the replaceable tick count; psStartFailed at once when the start failed.
// `showWindow` asks for the program's window to be shown (true) or hidden; a Linux program
// decides this itself, so it is passed on to nothing.
// A program that outlives the time limit is reaped later, when it ends, so it leaves no zombie.
TProgramStatus StartProgram(const String& program, const String& parameters, bool showWindow,
                            Cardinal timeoutMs, Integer& exitCode);

// Replace the process start for tests: the function is called instead with the same arguments.
// An empty function restores the real one; the previous function is returned.
using TStartProgramFunction =
    std::function<TProgramStatus(const String& program, const String& parameters, bool showWindow,
                                 Cardinal timeoutMs, Integer& exitCode)>;
TStartProgramFunction SetStartProgramFunction(TStartProgramFunction f);

// The blank-separated words of a parameter text, as StartProgram passes them on.
std::vector<String> SplitParameters(const String& parameters);
