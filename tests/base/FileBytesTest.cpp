// The atomic replacement shared by every file the system rewrites. The profile store's
// tests cover the failure paths through it; these cover what callers of its own rely on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "base/FileBytes.h"
#include "support/TempDir.h"

namespace {

TEST(FileBytes, NewFileGetsTheUmaskMode) {
  TempDir dir;
  mode_t old = ::umask(027);
  int result = ReplaceFileAtomically(dir.File("new.dat"), "abc");
  ::umask(old);
  ASSERT_EQ(result, 0);
  struct stat info;
  ASSERT_EQ(::stat(dir.File("new.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(dir.File("new.dat"), bytes), 0);
  EXPECT_EQ(bytes, "abc");
}

TEST(FileBytes, DanglingLinkCreatesItsTarget) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0755), 0);
  ASSERT_EQ(::symlink("sub/real.dat", dir.File("link.dat").c_str()), 0);
  ASSERT_EQ(ReplaceFileAtomically(dir.File("link.dat"), "x"), 0);
  EXPECT_EQ(TempDir::Read(dir.File("sub/real.dat")), "x");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.dat")));
}

TEST(FileBytes, FailuresGiveTheirErrno) {
  TempDir dir;
  std::string bytes = "kept";
  ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0755), 0);
  EXPECT_EQ(ReplaceFileAtomically(dir.File("folder"), "x"), EISDIR);
  EXPECT_EQ(ReplaceFileAtomically(dir.File("missing/x.dat"), "x"), ENOENT);
  EXPECT_EQ(ReplaceFileAtomically("", "x"), ENOENT);
  EXPECT_EQ(ReadFileBytes(dir.File("missing.dat"), bytes), ENOENT);
  EXPECT_EQ(ReadFileBytes(dir.File("folder"), bytes), EISDIR);
  EXPECT_EQ(bytes, "kept");
  ASSERT_EQ(::symlink("loop.dat", dir.File("loop.dat").c_str()), 0);
  EXPECT_EQ(ReplaceFileAtomically(dir.File("loop.dat"), "x"), ELOOP);
}

}  // namespace
