// The tests' temporary folder: each one of its own, also across processes that run at once, and
// gone with everything in it at the end.
#include "tests/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

TEST(TempFolder, EachFolderIsOfItsOwnAndGoesWithEverythingInIt) {
  fs::path first, second;
  {
    TTempFolder a("kp_same_name"), b("kp_same_name");
    first = a.FsPath();
    second = b.FsPath();
    EXPECT_NE(first, second) << "the same prefix gives two folders";
    for (const TTempFolder* t : {&a, &b}) {
      EXPECT_TRUE(fs::is_directory(t->FsPath()));
      EXPECT_EQ(t->FsPath().parent_path(), fs::temp_directory_path());
      EXPECT_EQ(t->FsPath().filename().string().rfind("kp_same_name_", 0), 0u);
      EXPECT_TRUE(fs::is_empty(t->FsPath()));
    }
    EXPECT_EQ(a.File(u"x.txt"), a.Path() + u"/x.txt");
    EXPECT_EQ(a / u"x.txt", a.File("x.txt"));
    EXPECT_EQ(Utf8ToString(a.FsPath("x.txt").string()), a.File(u"x.txt"));
    // Contents a test left behind, a read-only folder among them.
    fs::create_directories(a.FsPath("sub/deeper"));
    std::ofstream(a.FsPath("sub/deeper/file.txt")) << "left behind";
    fs::permissions(a.FsPath("sub/deeper"), fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(a.FsPath("sub"), fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(second));
}

// Two runs of the same suite at once: a process that makes the same folder as this one gets
// another path.
TEST(TempFolder, AnotherProcessAtTheSameTimeGetsAnotherFolder) {
  TTempFolder mine("kp_two_runs");
  int to_parent[2], to_child[2];
  ASSERT_EQ(pipe(to_parent), 0);
  ASSERT_EQ(pipe(to_child), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    {
      TTempFolder theirs("kp_two_runs");
      const std::string path = theirs.FsPath().string();
      (void)!write(to_parent[1], path.data(), path.size());
      close(to_parent[1]);
      char done;
      (void)!read(to_child[0], &done, 1);  // holds the folder until the parent has compared
    }
    _exit(0);
  }
  close(to_parent[1]);
  std::string theirs;
  char buf[256];
  for (ssize_t n; (n = read(to_parent[0], buf, sizeof buf)) > 0;) theirs.append(buf, static_cast<size_t>(n));
  close(to_parent[0]);
  EXPECT_FALSE(theirs.empty());
  EXPECT_NE(theirs, mine.FsPath().string());
  EXPECT_TRUE(fs::is_directory(theirs));
  EXPECT_TRUE(fs::is_directory(mine.FsPath()));
  (void)!write(to_child[1], "x", 1);
  close(to_child[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(fs::exists(theirs)) << "the other process removed its folder at its end";
  EXPECT_TRUE(fs::is_directory(mine.FsPath()));
}

}  // namespace
