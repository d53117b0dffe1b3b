#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "tests/platform/rtl/FileSizeLimit.h"
#include "tests/platform/rtl/NotAFile.h"
#include "tests/platform/rtl/RefuseLargeAllocations.h"
#include "tests/platform/rtl/TempFolder.h"

namespace {

// Every match of a search: name -> attributes.
std::map<String, Integer> FindAll(const String& Path, Integer Attr) {
  std::map<String, Integer> found;
  TSearchRec sr;
  if (FindFirst(Path, Attr, sr) == 0) {
    do {
      found[sr.Name] = sr.Attr;
    } while (FindNext(sr) == 0);
    FindClose(sr);
  }
  return found;
}

std::set<String> Names(const std::map<String, Integer>& Found) {
  std::set<String> out;
  for (const auto& [name, attr] : Found) out.insert(name);
  return out;
}

}  // namespace

TEST(FilesTest, FindFirstFiltersByAttributeAndMask) {
  TTempFolder tmp;
  WriteFileBytes(tmp / u"a.lng", "a");
  WriteFileBytes(tmp / u"B.LNG", "bb");
  WriteFileBytes(tmp / u"ro.lng", "r");
  chmod(StringToUtf8(tmp / u"ro.lng").c_str(), 0444);
  WriteFileBytes(tmp / u".hidden.lng", "h");
  WriteFileBytes(tmp / u"other.txt", "o");
  ASSERT_TRUE(CreateDir(tmp / u"sub.lng"));

  struct Row {
    const char* name;
    String mask;
    Integer attr;
    std::set<String> found;
  };
  const Row rows[] = {
      {"plain files only", u"*.lng", 0, {u"a.lng", u"B.LNG", u"ro.lng"}},
      {"read-only and archive do not filter", u"*.lng", faReadOnly | faArchive, {u"a.lng", u"B.LNG", u"ro.lng"}},
      {"hidden asked for", u"*.lng", faHidden, {u"a.lng", u"B.LNG", u"ro.lng", u".hidden.lng"}},
      {"folders asked for", u"*.lng", faDirectory, {u"a.lng", u"B.LNG", u"ro.lng", u"sub.lng"}},
      {"everything", u"*.lng", faAnyFile, {u"a.lng", u"B.LNG", u"ro.lng", u".hidden.lng", u"sub.lng"}},
      {"mask ignores case", u"*.LnG", 0, {u"a.lng", u"B.LNG", u"ro.lng"}},
      {"question mark is one character", u"?.lng", 0, {u"a.lng", u"B.LNG"}},
      {"exact name", u"other.txt", 0, {u"other.txt"}},
      {"no match", u"*.xyz", faAnyFile, {}},
      {"dot folders come with folders", u"*", faDirectory,
       {u".", u"..", u"a.lng", u"B.LNG", u"ro.lng", u"other.txt", u"sub.lng"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(Names(FindAll(tmp / r.mask, r.attr)), r.found);
  }

  const auto all = FindAll(tmp / u"*", faAnyFile);
  EXPECT_EQ(all.at(u"a.lng"), faArchive);
  EXPECT_EQ(all.at(u"ro.lng"), faArchive | faReadOnly);
  EXPECT_EQ(all.at(u".hidden.lng"), faArchive | faHidden);
  EXPECT_EQ(all.at(u"sub.lng"), faDirectory);
  EXPECT_EQ(all.at(u".."), faDirectory);  // the dot entries are not hidden

  TSearchRec sr;
  ASSERT_EQ(FindFirst(tmp / u"B.*", 0, sr), 0);
  EXPECT_EQ(sr.Size, 2);
  EXPECT_GT(sr.TimeStamp, EncodeDate(2000, 1, 1));
  EXPECT_NE(sr.Time, 0);
  EXPECT_NE(FindNext(sr), 0);
  FindClose(sr);
  FindClose(sr);  // a second close does nothing

  EXPECT_NE(FindFirst(tmp / u"missing/*", faAnyFile, sr), 0);
  EXPECT_EQ(sr.FindHandle, nullptr);
}

TEST(FilesTest, FoldersAndFiles) {
  TTempFolder tmp;
  const String deep = tmp / u"one/two/three";
  EXPECT_FALSE(CreateDir(deep));  // one level only
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep + u"/"));  // already there
  EXPECT_FALSE(CreateDir(deep));
  EXPECT_FALSE(FileExists(deep));

  const String file = deep + u"/f.bin";
  WriteFileBytes(file, std::string("\0\1\2", 3));
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSize(file), 3);
  EXPECT_EQ(FileSize(deep), -1);
  EXPECT_EQ(ReadFileBytes(file), std::string("\0\1\2", 3));
  TDateTime age;
  EXPECT_TRUE(FileAge(file, age));
  EXPECT_FALSE(FileAge(deep + u"/none", age));
  EXPECT_EQ(FileGetAttr(file), faArchive);
  EXPECT_EQ(FileGetAttr(deep + u"/none"), -1);

  EXPECT_FALSE(RemoveDir(deep));  // not empty
  const String other = deep + u"/g.bin";
  WriteFileBytes(other, "x");
  EXPECT_FALSE(RenameFile(file, other));  // an existing target stays
  EXPECT_EQ(ReadFileBytes(other), "x");
  EXPECT_TRUE(DeleteFile(other));
  EXPECT_TRUE(RenameFile(file, other));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(deep));  // a folder is no file
  EXPECT_TRUE(DeleteFile(other));
  EXPECT_FALSE(DeleteFile(other));
  EXPECT_TRUE(RemoveDir(deep));
  EXPECT_FALSE(DirectoryExists(deep));

  EXPECT_THROW(ReadFileBytes(tmp / u"none"), EFOpenError);
  EXPECT_THROW(WriteFileBytes(tmp / u"no/such/file", "x"), EFCreateError);
}

TEST(FilesTest, FileNameParts) {
  struct Row {
    String name, path, dir, file, ext;
  };
  const Row rows[] = {
      {u"/a/b/c.txt", u"/a/b/", u"/a/b", u"c.txt", u".txt"},
      {u"c.tar.gz", u"", u"", u"c.tar.gz", u".gz"},
      {u"/a.d/noext", u"/a.d/", u"/a.d", u"noext", u""},
      {u"/root.txt", u"/", u"/", u"root.txt", u".txt"},
      {u"/a/b/", u"/a/b/", u"/a/b", u"", u""},
      {u".profile", u"", u"", u".profile", u".profile"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(StringToUtf8(r.name));
    EXPECT_EQ(ExtractFilePath(r.name), r.path);
    EXPECT_EQ(ExtractFileDir(r.name), r.dir);
    EXPECT_EQ(ExtractFileName(r.name), r.file);
    EXPECT_EQ(ExtractFileExt(r.name), r.ext);
  }
  EXPECT_EQ(ChangeFileExt(u"/a.d/file.gsd", u".bak"), u"/a.d/file.bak");
  EXPECT_EQ(ChangeFileExt(u"/a.d/file", u".gsd"), u"/a.d/file.gsd");
  EXPECT_EQ(ChangeFileExt(u"file.gsd", u""), u"file");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"/");
  EXPECT_EQ(ExpandFileName(u"/a/./b/../c//d"), u"/a/c/d");
  EXPECT_EQ(ExpandFileName(u"/.."), u"/");
  EXPECT_EQ(ExpandFileName(u"x/y"), IncludeTrailingPathDelimiter(GetCurrentDir()) + u"x/y");
  EXPECT_TRUE(MatchesMask(u"Data.XML", u"*.xml"));
  EXPECT_TRUE(MatchesMask(u"abc", u"a*b*c"));
  EXPECT_FALSE(MatchesMask(u"abc", u"a*d"));
  EXPECT_TRUE(MatchesMask(u"", u"*"));
  EXPECT_TRUE(MatchesMask(u"README", u"*.*"));  // ".*" also stands for no extension
  EXPECT_TRUE(MatchesMask(u"readme", u"README.*"));
  EXPECT_FALSE(MatchesMask(u"README", u"*.txt"));
}

TEST(FilesTest, ProgramFolder) {
  // By default the executable's folder (a build folder is writable).
  SetProgramFolder(u"");
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  ASSERT_GT(n, 0);
  EXPECT_EQ(ProgramFolder(), ExtractFileDir(Utf8ToString(std::string_view(buf, static_cast<size_t>(n)))));
  EXPECT_EQ(ProgramName(), u"rtl_tests");

  TTempFolder tmp;
  SetProgramFolder(tmp.Path() + u"/");
  EXPECT_EQ(ProgramFolder(), tmp.Path());
  SetProgramFolder(u"");
  SetProgramName(u"Configurator");
  EXPECT_EQ(ProgramName(), u"Configurator");
  SetProgramName(u"");
}

// Every writer of whole files: when the new content cannot be written completely (here: a file
// size limit standing in for a full disk), the old file keeps its content, and a file that did not
// exist before is not left behind empty or cut short; nothing else is left in the folder either.
TEST(FilesTest, FailedWriteKeepsTheOldFileAndLeavesNoNewOne) {
  const std::string big(4096, 'x');
  struct Row {
    const char* name;
    std::function<void(const String& File)> write;
  };
  const Row rows[] = {
      {"WriteFileBytes", [&](const String& File) { WriteFileBytes(File, big); }},
      {"TStringList.SaveToFile",
       [&](const String& File) {
         TStringList list;
         list.Add(Utf8ToString(big));
         list.SaveToFile(File);
       }},
      {"TMemoryStream.SaveToFile",
       [&](const String& File) {
         TMemoryStream stream;
         stream.WriteBuffer(big);
         stream.SaveToFile(File);
       }},
      {"TFileReplacement",
       [&](const String& File) {
         TFileReplacement replacement(File);
         for (int i = 0; i < 4; ++i) replacement.Write(big);
         replacement.Commit();
       }},
  };
  for (const Row& row : rows) {
    for (const bool existed : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (existed ? ", over an old file" : ", a new file"));
      TTempFolder tmp;
      const String file = tmp / u"ParGen.xml";
      if (existed) WriteFileBytes(file, "old content\r\n");
      try {
        TFileSizeLimit limit(256);
        row.write(file);
        ADD_FAILURE() << "no exception";
      } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message().rfind(u"Cannot write file \"" + file + u"\". ", 0), 0u)
            << StringToUtf8(e.Message());
      }
      std::set<std::string> entries;
      for (const auto& e : std::filesystem::directory_iterator(StringToUtf8(tmp.Path())))
        entries.insert(e.path().filename().string());
      if (existed) {
        EXPECT_EQ(ReadFileBytes(file), "old content\r\n");
        EXPECT_EQ(entries, std::set<std::string>{"ParGen.xml"});
      } else {
        EXPECT_EQ(entries, std::set<std::string>{});
      }
    }
  }
}

// Only nothing at a name is a missing file: a folder, a pipe or a file there is not.
TEST(FilesTest, FileMissingOnlyWhereNothingStands) {
  TTempFolder tmp;
  WriteFileBytes(tmp / u"file", "x");
  ASSERT_TRUE(CreateDir(tmp / u"folder"));
  ASSERT_EQ(mkfifo(StringToUtf8(tmp / u"pipe").c_str(), 0600), 0);
  ASSERT_EQ(symlink("nowhere", StringToUtf8(tmp / u"link").c_str()), 0);
  const struct {
    const char16_t* name;
    bool missing;
  } rows[] = {
      {u"none", true},          {u"no/such/file", true}, {u"file/below", true}, {u"link", true},
      {u"file", false},         {u"folder", false},      {u"pipe", false},
  };
  for (const auto& row : rows) EXPECT_EQ(FileMissing(tmp / row.name), row.missing) << StringToUtf8(row.name);
}

// Every whole-file reader of the library refuses what is no regular file (and the bounded one a
// larger file) with a message that names the file and says what stands there, at once: it neither
// waits for a pipe's writer nor reads a device for ever. A file at the bound is read.
TEST(FilesTest, ReadersRefuseWhatIsNoFile) {
  constexpr Int64 Bound = 4096;
  struct Reader {
    const char* name;
    bool bounded;
    std::function<void(const String& File)> read;
  };
  const Reader readers[] = {
      {"ReadRegularFile", true, [](const String& File) { ReadRegularFile(File, Bound); }},
      {"ReadFileBytes", false, [](const String& File) { ReadFileBytes(File); }},
      {"TFileStream", false, [](const String& File) { TFileStream stream(File, fmOpenRead | fmShareDenyWrite); }},
      {"TStringList.LoadFromFile", false,
       [](const String& File) {
         TStringList list;
         list.LoadFromFile(File);
       }},
      {"TMemoryStream.LoadFromFile", false,
       [](const String& File) {
         TMemoryStream stream;
         stream.LoadFromFile(File);
       }},
  };
  const TWatchdog watchdog;
  for (const Reader& reader : readers) {
    for (const TNot_A_File_Case& c : Not_A_File_Cases) {
      if (c.Kind == TNot_A_File::Too_Large && !reader.bounded) continue;
      SCOPED_TRACE(std::string(reader.name) + ", " + c.Name);
      TTempFolder tmp;
      const String file = tmp / u"eep.xml";
      Put_Not_A_File(file, c.Kind, Bound);
      Expect_Not_A_File_Error<EFOpenError>([&] { reader.read(file); }, file, c);
    }
  }
  TTempFolder tmp;
  WriteFileBytes(tmp / u"eep.xml", std::string(Bound, 'x'));
  EXPECT_EQ(ReadRegularFile(tmp / u"eep.xml", Bound).size(), static_cast<size_t>(Bound));
  EXPECT_THROW(ReadRegularFile(tmp / u"none.xml", Bound), EFOpenError);
}

// A file that does not fit in memory is an error that names it, like any other file that cannot be
// read; the program goes on.
TEST(FilesTest, FileThatDoesNotFitInMemoryIsAnError) {
  TTempFolder tmp;
  const String file = tmp / u"eep.xml";
  Put_Sparse_File(file, 8 << 20);
  const TRefuse_Large_Allocations refuse(1 << 20);
  try {
    ReadRegularFile(file, 16 << 20);
    ADD_FAILURE() << "no exception";
  } catch (const EOutOfMemory& e) {
    EXPECT_EQ(e.Message(), Out_Of_Memory_Message(file));
  }
  std::string bytes = "x";
  EXPECT_FALSE(ReadRegularFileBytes(file, 16 << 20, bytes));
  EXPECT_EQ(bytes, "");
}

// Writing never waits for a pipe's reader: a pipe without one is refused at once.
TEST(FilesTest, WritersDoNotWaitForAPipe) {
  TTempFolder tmp;
  const String pipe = tmp / u"Lumitor.xml";
  ASSERT_EQ(mkfifo(StringToUtf8(pipe).c_str(), 0600), 0);
  const TWatchdog watchdog;
  EXPECT_THROW(WriteFileBytes(pipe, "<a/>"), EFCreateError);
  EXPECT_THROW(TFileStream(pipe, fmOpenWrite), EFOpenError);
}

// A replaced file keeps its permissions; a file reached through a link is written where the link
// points, and the link stays a link.
TEST(FilesTest, ReplacedFileKeepsPermissionsAndLinks) {
  TTempFolder tmp;
  const String file = tmp / u"bank1.bin";
  WriteFileBytes(file, "old");
  ASSERT_EQ(chmod(StringToUtf8(file).c_str(), 0640), 0);
  WriteFileBytes(file, "new content");
  EXPECT_EQ(ReadFileBytes(file), "new content");
  struct stat st{};
  ASSERT_EQ(stat(StringToUtf8(file).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // The group too, where the file can be given another group than ours at all.
  const gid_t other = getegid() == 65534 ? 0 : 65534;
  if (chown(StringToUtf8(file).c_str(), static_cast<uid_t>(-1), other) == 0) {
    WriteFileBytes(file, "newer content");
    ASSERT_EQ(stat(StringToUtf8(file).c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, other);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  }

  const String link = tmp / u"link.bin";
  ASSERT_EQ(symlink(StringToUtf8(file).c_str(), StringToUtf8(link).c_str()), 0);
  WriteFileBytes(link, "through the link");
  EXPECT_EQ(ReadFileBytes(file), "through the link");
  ASSERT_EQ(lstat(StringToUtf8(link).c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

// A file replaced piece by piece takes the pieces only at Commit: abandoned before, it keeps its old
// content (a new file is not left behind); committed, it holds the pieces in order. A file, a new
// file and a file reached through a link, the link staying a link and the file its permissions.
TEST(FilesTest, FileReplacedPieceByPiece) {
  TTempFolder tmp;
  const String file = tmp / u"data.csv";
  const String link = tmp / u"link.csv";
  const String fresh = tmp / u"new.csv";
  WriteFileBytes(file, "old");
  ASSERT_EQ(chmod(StringToUtf8(file).c_str(), 0640), 0);
  ASSERT_EQ(symlink(StringToUtf8(file).c_str(), StringToUtf8(link).c_str()), 0);
  const struct {
    const char* name;
    String target;
    String read;  // where the content lands
  } rows[] = {{"file", file, file}, {"link", link, file}, {"new file", fresh, fresh}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const bool existed = std::filesystem::exists(StringToUtf8(row.read));
    const std::string before = existed ? ReadFileBytes(row.read) : std::string();
    {
      TFileReplacement replacement(row.target);
      replacement.Write("abandoned ");
      replacement.Write("content");
    }
    EXPECT_EQ(std::filesystem::exists(StringToUtf8(row.read)), existed);
    if (existed) {
      EXPECT_EQ(ReadFileBytes(row.read), before);
    }
    {
      TFileReplacement replacement(row.target);
      replacement.Write("first, ");
      replacement.Write(std::string(100000, 'x'));
      replacement.Write(", last");
      replacement.Commit();
    }
    EXPECT_EQ(ReadFileBytes(row.read), "first, " + std::string(100000, 'x') + ", last");
  }
  struct stat st{};
  ASSERT_EQ(lstat(StringToUtf8(link).c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(stat(StringToUtf8(file).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  std::set<std::string> entries;
  for (const auto& e : std::filesystem::directory_iterator(StringToUtf8(tmp.Path())))
    entries.insert(e.path().filename().string());
  EXPECT_EQ(entries, (std::set<std::string>{"data.csv", "link.csv", "new.csv"}));
}
