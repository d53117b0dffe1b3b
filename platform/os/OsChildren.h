// Internal to platform/os: starting child processes and reaping the ones nobody waits for.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace oschildren {

// Starts the program (looked up in PATH when it holds no "/") with the arguments (argv[0] is the
// program itself and is added here). Returns the pid, or -1 with the reason in err.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int& err);

// Hands a child over to be reaped when it ends; reaps the ones that have ended meanwhile.
void Adopt(pid_t pid);
// Reaps the adopted children that have ended.
void ReapAdopted();

}  // namespace oschildren
