// Files, folders, file names and the program folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>

#include "platform/rtl/SysUtils.h"

namespace {

std::string Native(const String& Path) { return StringToUtf8(Path); }

// The last error number of a file call of this library (errno is kept by the caller's thread).
thread_local Integer LastError = 0;

TDateTime UnixToDateTime(time_t Secs) {
  tm local{};
  localtime_r(&Secs, &local);
  TDateTime d = 0, t = 0;
  TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                static_cast<Word>(local.tm_mday), d);
  TryEncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                static_cast<Word>(local.tm_sec > 59 ? 59 : local.tm_sec), 0, t);
  return d + t;
}

// The packed DOS date and time (bits: year-1980, month, day | hour, minute, second / 2).
Integer DosDateTime(time_t Secs) {
  tm local{};
  localtime_r(&Secs, &local);
  if (local.tm_year < 80) return (1 << 5 | 1) << 16;  // before 1980: 1980-01-01 00:00
  const unsigned date = ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
  const unsigned time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
  return static_cast<Integer>((date << 16) | time);
}

// Whether the write bit that applies to this user (owner, group or others) is clear. The mode
// bits decide, not the user's privileges, so a protected file reads as read-only for root too.
bool WriteProtected(const struct stat& St) {
  if (St.st_uid == geteuid()) return (St.st_mode & S_IWUSR) == 0;
  bool member = St.st_gid == getegid();
  if (!member) {
    gid_t groups[256];
    const int n = getgroups(256, groups);
    for (int i = 0; i < n && !member; ++i) member = groups[i] == St.st_gid;
  }
  if (member) return (St.st_mode & S_IWGRP) == 0;
  return (St.st_mode & S_IWOTH) == 0;
}

// The fa... attributes of an entry named Name with status St.
Integer AttrOf(const String& Name, const struct stat& St) {
  Integer attr = 0;
  if (S_ISDIR(St.st_mode)) attr |= faDirectory;
  else if (S_ISREG(St.st_mode)) attr |= faArchive;
  else attr |= faSysFile;  // devices, pipes and sockets
  if (WriteProtected(St)) attr |= faReadOnly;
  if (!Name.empty() && Name[0] == u'.' && Name != u"." && Name != u"..") attr |= faHidden;
  return attr;
}

}  // namespace

Integer GetLastError() { return LastError; }

String SysErrorMessage(Integer ErrorCode) {
  char buf[256];
  buf[0] = 0;
  // The GNU strerror_r returns the text (which may or may not be buf).
  const char* text = strerror_r(ErrorCode, buf, sizeof buf);
  return Utf8ToString(text ? text : buf);
}

bool FileExists(const String& FileName) {
  struct stat st{};
  return !FileName.empty() && stat(Native(FileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& Directory) {
  struct stat st{};
  return !Directory.empty() && stat(Native(Directory).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const String& Dir) {
  if (Dir.empty()) return false;
  if (mkdir(Native(Dir).c_str(), 0777) == 0) return true;
  LastError = errno;
  return false;
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) return false;
  const String d = ExcludeTrailingPathDelimiter(ExpandFileName(Dir));
  if (d.empty() || DirectoryExists(d)) return true;
  const String parent = ExtractFileDir(d);
  if (parent != d && !ForceDirectories(parent)) return false;
  return CreateDir(d) || DirectoryExists(d);
}

bool RemoveDir(const String& Dir) {
  if (rmdir(Native(Dir).c_str()) == 0) return true;
  LastError = errno;
  return false;
}

bool DeleteFile(const String& FileName) {
  if (DirectoryExists(FileName)) return false;
  if (unlink(Native(FileName).c_str()) == 0) return true;
  LastError = errno;
  return false;
}

bool RenameFile(const String& OldName, const String& NewName) {
  // The classic rename does not replace an existing target.
  struct stat st{};
  if (lstat(Native(NewName).c_str(), &st) == 0) {
    LastError = EEXIST;
    return false;
  }
  if (rename(Native(OldName).c_str(), Native(NewName).c_str()) == 0) return true;
  LastError = errno;
  return false;
}

String GetCurrentDir() {
  std::unique_ptr<char, decltype(&free)> cwd(getcwd(nullptr, 0), &free);
  return cwd ? Utf8ToString(cwd.get()) : String();
}

bool SetCurrentDir(const String& Dir) { return chdir(Native(Dir).c_str()) == 0; }

bool FileAge(const String& FileName, TDateTime& FileDateTime) {
  struct stat st{};
  if (stat(Native(FileName).c_str(), &st) != 0) return false;
  FileDateTime = UnixToDateTime(st.st_mtime);
  return true;
}

Int64 FileSize(const String& FileName) {
  struct stat st{};
  if (stat(Native(FileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<Int64>(st.st_size);
}

Integer FileGetAttr(const String& FileName) {
  const std::string path = Native(FileName);
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) return -1;
  return AttrOf(ExtractFileName(ExcludeTrailingPathDelimiter(FileName)), st);
}

// ---------------------------------------------------------------------------------------------
// Masks and searching

namespace {

// Iterative wildcard match with one back-tracking point for the last '*'.
bool WildcardMatch(const String& name, const String& mask) {
  size_t n = 0, m = 0, starM = String::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == u'*') {
      starM = m++;
      starN = n;
    } else if (starM != String::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesMask(const String& FileName, const String& Mask) {
  const String name = AnsiUpperCase(FileName);
  const String mask = AnsiUpperCase(Mask);
  if (WildcardMatch(name, mask)) return true;
  // "name.*" also stands for "name" without an extension.
  return mask.size() >= 2 && mask.compare(mask.size() - 2, 2, u".*") == 0 && name.find(u'.') == String::npos &&
         WildcardMatch(name, mask.substr(0, mask.size() - 2));
}

namespace {

struct TFindData {
  DIR* Dir = nullptr;
  std::string Folder;  // with a trailing '/'
  String Mask;
};

// Reads entries until one matches the mask and the attribute filter.
Integer FindMatching(TSearchRec& Rec) {
  auto* fd = static_cast<TFindData*>(Rec.FindHandle);
  if (!fd || !fd->Dir) return ENOENT;
  while (dirent* e = readdir(fd->Dir)) {
    const String name = Utf8ToString(e->d_name);
    if (!MatchesMask(name, fd->Mask)) continue;
    const std::string full = fd->Folder + e->d_name;
    struct stat st{};
    if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) continue;
    const Integer attr = AttrOf(name, st);
    if ((attr & Rec.ExcludeAttr) != 0) continue;
    Rec.Name = name;
    Rec.Attr = attr;
    Rec.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<Int64>(st.st_size);
    Rec.Time = DosDateTime(st.st_mtime);
    Rec.TimeStamp = UnixToDateTime(st.st_mtime);
    return 0;
  }
  return ENOENT;
}

}  // namespace

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& Rec) {
  FindClose(Rec);
  // Folders, hidden and system files are found only when asked for.
  Rec.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  String folder = ExtractFilePath(Path);
  auto* fd = new TFindData;
  fd->Mask = ExtractFileName(Path);
  fd->Folder = Native(folder.empty() ? String(u"./") : folder);
  fd->Dir = opendir(fd->Folder.c_str());
  if (!fd->Dir) {
    const Integer err = errno;
    delete fd;
    LastError = err;
    return err;
  }
  Rec.FindHandle = fd;
  const Integer r = FindMatching(Rec);
  if (r != 0) FindClose(Rec);
  return r;
}

Integer FindNext(TSearchRec& Rec) { return FindMatching(Rec); }

void FindClose(TSearchRec& Rec) {
  auto* fd = static_cast<TFindData*>(Rec.FindHandle);
  if (!fd) return;
  if (fd->Dir) closedir(fd->Dir);
  delete fd;
  Rec.FindHandle = nullptr;
}

// ---------------------------------------------------------------------------------------------
// File names

String ExtractFilePath(const String& FileName) {
  return FileName.substr(0, static_cast<size_t>(LastDelimiter(String(1, PathDelim), FileName)));
}

String ExtractFileDir(const String& FileName) {
  const Integer i = LastDelimiter(String(1, PathDelim), FileName);
  if (i == 0) return String();
  if (i == 1) return String(1, PathDelim);  // the root keeps its delimiter
  return FileName.substr(0, static_cast<size_t>(i - 1));
}

String ExtractFileName(const String& FileName) {
  return FileName.substr(static_cast<size_t>(LastDelimiter(String(1, PathDelim), FileName)));
}

String ExtractFileExt(const String& FileName) {
  const Integer i = LastDelimiter(String(u".") + PathDelim, FileName);
  if (i > 0 && FileName[i - 1] == u'.') return FileName.substr(static_cast<size_t>(i - 1));
  return String();
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  Integer i = LastDelimiter(String(u".") + PathDelim, FileName);
  if (i == 0 || FileName[i - 1] != u'.') i = Length(FileName) + 1;
  return FileName.substr(0, static_cast<size_t>(i - 1)) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && S.back() == PathDelim) return S;
  return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  if (S.size() > 1 && S.back() == PathDelim) return S.substr(0, S.size() - 1);
  return S;
}

String ExpandFileName(const String& FileName) {
  String path = FileName;
  if (path.empty() || path[0] != PathDelim) path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
  // Resolves "." and ".." by name and collapses repeated delimiters.
  std::vector<String> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find(PathDelim, i);
    if (j == String::npos) j = path.size();
    const String part = path.substr(i, j - i);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  String out;
  for (const auto& p : parts) out += PathDelim + p;
  if (out.empty()) out = String(1, PathDelim);
  if (FileName.size() > 1 && FileName.back() == PathDelim && out.size() > 1) out += PathDelim;
  return out;
}

// ---------------------------------------------------------------------------------------------
// The program folder

namespace {

std::mutex& FolderMutex() {
  static std::mutex m;
  return m;
}
String& FolderOverride() {
  static String s;
  return s;
}
String& NameOverride() {
  static String s;
  return s;
}

String ExecutablePath() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return String();
  return Utf8ToString(std::string_view(buf, static_cast<size_t>(n)));
}

String HomeFolder() {
  const char* home = getenv("HOME");
  return home && *home ? ExcludeTrailingPathDelimiter(Utf8ToString(home)) : String(u"/tmp");
}

}  // namespace

String ProgramName() {
  {
    std::lock_guard<std::mutex> lock(FolderMutex());
    if (!NameOverride().empty()) return NameOverride();
  }
  const String exe = ExtractFileName(ExecutablePath());
  const String name = ChangeFileExt(exe, String());
  return name.empty() ? String(u"program") : name;
}

void SetProgramName(const String& Name) {
  std::lock_guard<std::mutex> lock(FolderMutex());
  NameOverride() = Name;
}

void SetProgramFolder(const String& Folder) {
  std::lock_guard<std::mutex> lock(FolderMutex());
  FolderOverride() = ExcludeTrailingPathDelimiter(Folder);
}

String UserConfigFolder() {
  const char* xdg = getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return ExcludeTrailingPathDelimiter(Utf8ToString(xdg));
  return HomeFolder() + u"/.config";
}

String ProgramFolder() {
  {
    std::lock_guard<std::mutex> lock(FolderMutex());
    if (!FolderOverride().empty()) return FolderOverride();
  }
  const String exeDir = ExtractFileDir(ExecutablePath());
  if (!exeDir.empty() && access(Native(exeDir).c_str(), W_OK) == 0) return exeDir;
  // Only absolute XDG paths count; a relative one is ignored as the XDG rules say.
  const char* xdg = getenv("XDG_DATA_HOME");
  const String base = (xdg && *xdg == '/') ? ExcludeTrailingPathDelimiter(Utf8ToString(xdg))
                                           : HomeFolder() + u"/.local/share";
  const String folder = base + PathDelim + ProgramName();
  ForceDirectories(folder);
  return folder;
}

// ---------------------------------------------------------------------------------------------
// Raw file bytes

namespace {

// How reading a whole file ended.
enum class TReadEnd { Done, CannotOpen, NotAFile, TooLarge, CannotRead };

struct TReadOutcome {
  TReadEnd End = TReadEnd::Done;
  int Error = 0;    // the system's error number (CannotOpen, CannotRead)
  mode_t Mode = 0;  // what stands at the name (NotAFile)
  Int64 Size = 0;   // the size found (TooLarge)
};

// Closes a descriptor when it goes out of scope, also when an allocation fails while reading.
class TDescriptor {
 public:
  explicit TDescriptor(int Fd) : FFd(Fd) {}
  ~TDescriptor() {
    if (FFd >= 0) close(FFd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return FFd; }

 private:
  int FFd;
};

// Opens a regular file for reading. What stands at the name is looked at before it is opened, so
// a device is never opened, and what was opened is looked at again. The open does not wait, so a
// pipe put there in between is refused too. -1 with Out telling why.
int OpenRegular(const std::string& Path, TReadOutcome& Out, struct stat& St) {
  if (stat(Path.c_str(), &St) == 0 && !S_ISREG(St.st_mode)) {
    Out.End = TReadEnd::NotAFile;
    Out.Mode = St.st_mode;
    return -1;
  }
  const int fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    Out.End = TReadEnd::CannotOpen;
    Out.Error = errno;
    return -1;
  }
  if (fstat(fd, &St) != 0) {
    Out.End = TReadEnd::CannotOpen;
    Out.Error = errno;
    close(fd);
    return -1;
  }
  if (!S_ISREG(St.st_mode)) {
    Out.End = TReadEnd::NotAFile;
    Out.Mode = St.st_mode;
    close(fd);
    return -1;
  }
  return fd;
}

// Reads the whole regular file into Bytes (emptied first). Raises std::bad_alloc when the content
// does not fit in memory.
TReadOutcome ReadRegular(const std::string& Path, Int64 MaxSize, std::string& Bytes) {
  Bytes.clear();
  TReadOutcome out;
  struct stat st{};
  const TDescriptor fd(OpenRegular(Path, out, st));
  if (fd.Get() < 0) return out;
  if (static_cast<Int64>(st.st_size) > MaxSize) {
    out.End = TReadEnd::TooLarge;
    out.Size = static_cast<Int64>(st.st_size);
    return out;
  }
  // Room for the whole file at once, so a large file is not copied over and over as it grows.
  Bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  while (true) {
    const ssize_t n = read(fd.Get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      out.End = TReadEnd::CannotRead;
      out.Error = errno;
      break;
    }
    if (n == 0) break;
    Bytes.append(buf, static_cast<size_t>(n));
    // A file that grows while it is read is cut off at the limit, never read past it.
    if (static_cast<Int64>(Bytes.size()) > MaxSize) {
      out.End = TReadEnd::TooLarge;
      out.Size = static_cast<Int64>(Bytes.size());
      break;
    }
  }
  if (out.End != TReadEnd::Done) Bytes.clear();
  return out;
}

// What stands at a name that is no regular file, as the end of a message.
String NotAFileReason(mode_t Mode) {
  if (S_ISDIR(Mode)) return u"It is a folder, not a file.";
  if (S_ISFIFO(Mode)) return u"It is a pipe, not a file.";
  if (S_ISSOCK(Mode)) return u"It is a socket, not a file.";
  return u"It is a device, not a file.";
}

[[noreturn]] void RaiseReadFailure(const String& FileName, const TReadOutcome& Out, Int64 MaxSize) {
  const String open = u"Cannot open file \"" + FileName + u"\". ";
  switch (Out.End) {
    case TReadEnd::NotAFile:
      throw EFOpenError(open + NotAFileReason(Out.Mode));
    case TReadEnd::TooLarge:
      throw EFOpenError(open + u"It is too large: " + IntToStr(Out.Size) + u" bytes, where at most " +
                        IntToStr(MaxSize) + u" are read.");
    case TReadEnd::CannotRead:
      throw EReadError(u"Cannot read file \"" + FileName + u"\". " + SysErrorMessage(Out.Error));
    case TReadEnd::CannotOpen:
    case TReadEnd::Done:
      break;
  }
  throw EFOpenError(open + SysErrorMessage(Out.Error));
}

}  // namespace

bool FileMissing(const String& FileName) {
  struct stat st{};
  if (stat(Native(FileName).c_str(), &st) == 0) return false;
  return errno == ENOENT || errno == ENOTDIR;
}

int OpenRegularFile(const String& FileName) {
  TReadOutcome out;
  struct stat st{};
  const int fd = OpenRegular(Native(FileName), out, st);
  if (fd < 0) RaiseReadFailure(FileName, out, 0);
  return fd;
}

std::string ReadRegularFile(const String& FileName, Int64 MaxSize) {
  std::string bytes;
  TReadOutcome out;
  try {
    out = ReadRegular(Native(FileName), MaxSize, bytes);
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryReading(FileName);
  } catch (const std::length_error&) {
    // Larger than a string can ever hold.
    throw OutOfMemoryReading(FileName);
  }
  if (out.End != TReadEnd::Done) RaiseReadFailure(FileName, out, MaxSize);
  return bytes;
}

std::string ReadFileBytes(const String& FileName) {
  return ReadRegularFile(FileName, std::numeric_limits<Int64>::max());
}

EOutOfMemory OutOfMemoryReading(const String& FileName) {
  return EOutOfMemory(u"Not enough memory to read file \"" + FileName + u"\".");
}

bool IsRegularFileUpTo(const String& FileName, Int64 MaxSize) {
  struct stat st{};
  return stat(Native(FileName).c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxSize;
}

bool ReadRegularFileBytes(const String& FileName, Int64 MaxSize, std::string& Bytes) {
  try {
    return ReadRegular(Native(FileName), MaxSize, Bytes).End == TReadEnd::Done;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  Bytes.clear();
  return false;
}

namespace {

// Writes all of Bytes to fd; 0 or the error number.
int WriteAll(int fd, std::string_view Bytes) {
  size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = write(fd, Bytes.data() + done, Bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Writes the file in place, creating it when missing. The open does not wait, so a pipe without a
// reader is refused rather than waited for; the writes then wait as usual. A file that this call
// created is removed again when its content cannot be written, so a full disk leaves no empty or
// partial new file behind.
TFileWriteResult WriteInPlace(const std::string& Path, std::string_view Bytes, Integer& Error) {
  constexpr int Flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  bool created = false;
  int fd = open(Path.c_str(), Flags | O_TRUNC);
  if (fd < 0 && errno == ENOENT) {
    fd = open(Path.c_str(), Flags | O_CREAT | O_EXCL, 0666);
    created = fd >= 0;
    // A link that leads nowhere: the file it names is made where it points.
    if (fd < 0 && errno == EEXIST) fd = open(Path.c_str(), Flags | O_CREAT | O_TRUNC, 0666);
  }
  if (fd < 0) {
    Error = errno;
    return fwCannotCreate;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  int err = WriteAll(fd, Bytes);
  if (close(fd) != 0 && err == 0) err = errno;
  if (err != 0 && created) unlink(Path.c_str());
  Error = err;
  return err == 0 ? fwDone : fwCannotWrite;
}

// How a file's new content reaches it: through a file beside it that takes its place once complete
// (Temp), or written into the file itself (InPlace).
struct TReplacement {
  std::string Path;
  bool InPlace = true;
  bool Existed = false;  // a file (or link) of that name was there
  std::string Temp;
  int TempFd = -1;
};

// Chooses the way for Path and opens the file beside it. fwCannotCreate (with the error number)
// for a file the user may not write.
TFileWriteResult PrepareReplacement(const std::string& Path, TReplacement& R, Integer& Error) {
  Error = 0;
  R.Path = Path;
  struct stat st{};
  R.Existed = lstat(Path.c_str(), &st) == 0;
  // A new file has nothing to lose; a link, a device, a file with several names or one owned by
  // someone else keeps its identity only when written in place.
  if (!R.Existed || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_uid != geteuid()) return fwDone;
  // A file the user may not write stays as it is, even where its folder would let it be replaced.
  if (access(Path.c_str(), W_OK) != 0) {
    Error = errno;
    return fwCannotCreate;
  }
  // The new content goes to a file beside the old one, which it replaces only once it is complete,
  // so a failed write (a full disk) leaves the old file untouched.
  const size_t slash = Path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : Path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? Path : Path.substr(slash + 1);
  std::string temp = folder + "." + name + ".XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  // A folder that takes no new file: the old way is the only one left.
  if (fd < 0) return fwDone;
  // The new file takes the old one's group and permissions; where the group cannot be kept, the
  // file is written in place rather than handed to another group.
  struct stat made{};
  if (fstat(fd, &made) != 0 || (made.st_gid != st.st_gid && fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0)) {
    close(fd);
    unlink(temp.c_str());
    return fwDone;
  }
  fchmod(fd, st.st_mode & 07777);
  R.InPlace = false;
  R.Temp = temp;
  R.TempFd = fd;
  return fwDone;
}

// Ends a replacement through the file beside: after WriteError (0 when all was written) the file
// is closed and takes the old one's place, or is removed.
TFileWriteResult FinishReplacement(TReplacement& R, int WriteError, Integer& Error) {
  int err = WriteError;
  if (close(R.TempFd) != 0 && err == 0) err = errno;
  R.TempFd = -1;
  if (err == 0 && rename(R.Temp.c_str(), R.Path.c_str()) != 0) err = errno;
  if (err != 0) {
    unlink(R.Temp.c_str());
    Error = err;
    return fwCannotWrite;
  }
  return fwDone;
}

[[noreturn]] void RaiseWriteResult(const String& FileName, TFileWriteResult Result, Integer Error) {
  if (Result == fwCannotCreate)
    throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + SysErrorMessage(Error));
  throw EWriteError(u"Cannot write file \"" + FileName + u"\". " + SysErrorMessage(Error));
}

// An unnamed file for content on its way to a file written in place; -1 when none can be made.
int OpenSpool() {
  const char* dir = getenv("TMPDIR");
  for (const char* d : {dir, "/tmp"}) {
    if (!d || !*d) continue;
    const int fd = open(d, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
  }
  return -1;
}

}  // namespace

TFileWriteResult ReplaceFileBytes(const String& FileName, std::string_view Bytes, Integer& Error) {
  TReplacement R;
  const TFileWriteResult Prepared = PrepareReplacement(Native(FileName), R, Error);
  if (Prepared != fwDone) return Prepared;
  if (R.InPlace) return WriteInPlace(R.Path, Bytes, Error);
  return FinishReplacement(R, WriteAll(R.TempFd, Bytes), Error);
}

// --- TFileReplacement ---------------------------------------------------------------------------------

struct TFileReplacement::TState {
  TReplacement R;
  int NewFd = -1;        // a new file, written directly; removed unless committed
  int SpoolFd = -1;      // content gathered for an existing file written in place
  std::string Gathered;  // the same where no spool file could be made
  bool Done = false;
};

TFileReplacement::TFileReplacement(const String& FileName) : FFileName(FileName), FState(std::make_unique<TState>()) {
  Integer Error = 0;
  TReplacement& R = FState->R;
  const TFileWriteResult Prepared = PrepareReplacement(Native(FileName), R, Error);
  if (Prepared != fwDone) RaiseWriteResult(FileName, Prepared, Error);
  if (!R.InPlace) return;
  if (!R.Existed) {
    FState->NewFd = open(R.Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FState->NewFd < 0) RaiseWriteResult(FileName, fwCannotCreate, errno);
    return;
  }
  FState->SpoolFd = OpenSpool();
}

TFileReplacement::~TFileReplacement() {
  if (FState->Done) return;
  if (FState->R.TempFd >= 0) {
    close(FState->R.TempFd);
    unlink(FState->R.Temp.c_str());
  }
  if (FState->NewFd >= 0) {
    close(FState->NewFd);
    unlink(FState->R.Path.c_str());
  }
  if (FState->SpoolFd >= 0) close(FState->SpoolFd);
}

void TFileReplacement::Write(std::string_view Bytes) {
  if (FState->Done || Bytes.empty()) return;
  const int fd = !FState->R.InPlace ? FState->R.TempFd : FState->R.Existed ? FState->SpoolFd : FState->NewFd;
  if (fd < 0) {
    FState->Gathered.append(Bytes);
    return;
  }
  const int err = WriteAll(fd, Bytes);
  if (err != 0) RaiseWriteResult(FFileName, fwCannotWrite, err);
}

void TFileReplacement::Commit() {
  if (FState->Done) return;
  FState->Done = true;
  Integer Error = 0;
  TFileWriteResult Result = fwDone;
  if (!FState->R.InPlace) {
    Result = FinishReplacement(FState->R, 0, Error);
  } else if (!FState->R.Existed) {
    const int err = close(FState->NewFd) != 0 ? errno : 0;
    FState->NewFd = -1;
    if (err != 0) {
      unlink(FState->R.Path.c_str());
      Error = err;
      Result = fwCannotWrite;
    }
  } else if (FState->SpoolFd < 0) {
    Result = WriteInPlace(FState->R.Path, FState->Gathered, Error);
    FState->Gathered.clear();
  } else {
    // The gathered content copied into the file, a block at a time.
    const int In = FState->SpoolFd;
    FState->SpoolFd = -1;
    const int Out = open(FState->R.Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (Out < 0) {
      Error = errno;
      Result = fwCannotCreate;
    } else {
      int err = lseek(In, 0, SEEK_SET) < 0 ? errno : 0;
      char Buffer[65536];
      while (err == 0) {
        const ssize_t n = read(In, Buffer, sizeof Buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        if (n <= 0) break;
        err = WriteAll(Out, std::string_view(Buffer, static_cast<size_t>(n)));
      }
      if (close(Out) != 0 && err == 0) err = errno;
      Error = err;
      Result = err == 0 ? fwDone : fwCannotWrite;
    }
    close(In);
  }
  if (Result != fwDone) RaiseWriteResult(FFileName, Result, Error);
}

void WriteFileBytes(const String& FileName, std::string_view Bytes) {
  Integer err = 0;
  const TFileWriteResult Result = ReplaceFileBytes(FileName, Bytes, err);
  if (Result != fwDone) RaiseWriteResult(FileName, Result, err);
}
