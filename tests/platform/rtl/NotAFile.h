// What a test puts at a file's name in place of a file a reader can take: a folder, a pipe, a
// device (a link to /dev/zero, which never ends), or a file one byte larger than the reader's bound
// (sparse, so it costs no disk). Every reader must refuse each with a message that names the file
// and says what stands there, at once: it must neither wait for the pipe's writer nor read the
// device for ever.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/rtl/System.h"

enum class TNot_A_File { Folder, Pipe, Device, Too_Large };

struct TNot_A_File_Case {
  const char* Name;
  TNot_A_File Kind;
  const char16_t* Says;  // what the message says of it
};

inline constexpr TNot_A_File_Case Not_A_File_Cases[] = {
    {"a folder", TNot_A_File::Folder, u"It is a folder, not a file."},
    {"a pipe", TNot_A_File::Pipe, u"It is a pipe, not a file."},
    {"a device", TNot_A_File::Device, u"It is a device, not a file."},
    {"a file too large", TNot_A_File::Too_Large, u"It is too large: "},
};

// True when Message is the one a reader gives for Case at File: it names the file and says what
// stands there.
inline bool Says_Not_A_File(const String& Message, const String& File, const TNot_A_File_Case& Case) {
  return Message.rfind(u"Cannot open file \"" + File + u"\". " + Case.Says, 0) == 0;
}

// Expects Read to raise E with the message a reader gives for Case at File.
template <class E = Exception, class TRead>
void Expect_Not_A_File_Error(TRead Read, const String& File, const TNot_A_File_Case& Case) {
  try {
    Read();
    ADD_FAILURE() << "no exception";
  } catch (const E& e) {
    EXPECT_TRUE(Says_Not_A_File(e.Message(), File, Case)) << StringToUtf8(e.Message());
  }
}

// The message of a file that does not fit in memory.
inline String Out_Of_Memory_Message(const String& File) {
  return u"Not enough memory to read file \"" + File + u"\".";
}

// A file of Size bytes that takes no disk (a hole): big enough to try a reader's bound or its
// memory, cheap to make.
inline void Put_Sparse_File(const std::filesystem::path& Path, Int64 Size) {
  const int fd = open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const bool made = fd >= 0 && ftruncate(fd, static_cast<off_t>(Size)) == 0;
  if (fd >= 0) close(fd);
  if (!made) throw std::runtime_error("cannot make " + Path.string());
}

inline void Put_Sparse_File(const String& Path, Int64 Size) {
  Put_Sparse_File(std::filesystem::path(StringToUtf8(Path)), Size);
}

// Makes Kind at Path; Max_Size is the bound of the reader under test.
inline void Put_Not_A_File(const std::filesystem::path& Path, TNot_A_File Kind, Int64 Max_Size) {
  std::filesystem::remove_all(Path);
  bool made = false;
  switch (Kind) {
    case TNot_A_File::Folder:
      made = std::filesystem::create_directory(Path);
      break;
    case TNot_A_File::Pipe:
      made = mkfifo(Path.c_str(), 0600) == 0;
      break;
    case TNot_A_File::Device:
      made = symlink("/dev/zero", Path.c_str()) == 0;
      break;
    case TNot_A_File::Too_Large:
      Put_Sparse_File(Path, Max_Size + 1);
      made = true;
      break;
  }
  if (!made) throw std::runtime_error("cannot make " + Path.string());
}

inline void Put_Not_A_File(const String& Path, TNot_A_File Kind, Int64 Max_Size) {
  Put_Not_A_File(std::filesystem::path(StringToUtf8(Path)), Kind, Max_Size);
}

// While it lives, a reader that waits on a pipe or reads a device for ever ends the test process
// (SIGALRM) instead of holding up the run until its time-out.
class TWatchdog {
 public:
  TWatchdog() { alarm(20); }
  ~TWatchdog() { alarm(0); }
  TWatchdog(const TWatchdog&) = delete;
  TWatchdog& operator=(const TWatchdog&) = delete;
};
