// Lets a test make file writes fail the way a full disk does: while an object of this class lives,
// no file of the process may grow past the given size, and a write past it fails with EFBIG
// instead of ending the process with SIGXFSZ.
#pragma once

#include <sys/resource.h>

#include <csignal>

class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t Bytes) {
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &FOld);
    rlimit limit = FOld;
    limit.rlim_cur = Bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FOld{};
  void (*FOldHandler)(int) = nullptr;
};
