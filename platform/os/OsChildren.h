// Internal to platform/os: starting child processes and reaping the ones nobody waits for.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace oschildren {

// Starts the program (looked up in PATH when it holds no "/") with the arguments (argv[0] is the
// program itself and is added here). Returns the pid, or -1 with the reason in err.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int& err);

// Waits for the child's end, polling every 10 ms through the replaceable Sleep of Clock.h: true
// once it has ended, with its exit code (128 + the signal number when a signal ended it, -1 when
// unknown), 10 to 20 ms after its end; false once timeoutMs have passed on the replaceable tick
// count, the child then being adopted and left running.
bool WaitChild(pid_t pid, unsigned timeoutMs, int& exitCode);

// Hands a child over to be reaped when it ends; reaps the ones that have ended meanwhile.
void Adopt(pid_t pid);
// Reaps the adopted children that have ended.
void ReapAdopted();

}  // namespace oschildren
