#include "data/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "data/process_settings.h"
#include "data/user_files.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
  TempFolder() {
    path_ = fs::temp_directory_path() / ("kestrelle-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string Path(const std::string& name = {}) const { return (path_ / name).string(); }

private:
  static inline int counter_ = 0;
  fs::path path_;
};

TEST(AtomicWrite, KeepsThePreviousFileAsBackup) {
  TempFolder folder;
  std::string file = folder.Path("users.dat");
  ASSERT_TRUE(WriteFileAtomic(file, "first"));
  ASSERT_TRUE(WriteFileAtomic(file, "second"));
  EXPECT_EQ(*ReadWholeFile(file), "second");
  EXPECT_EQ(*ReadWholeFile(file + ".bak"), "first");
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFileIntact) {
  TempFolder folder;
  std::string file = folder.Path("options.dat");
  ASSERT_TRUE(WriteFileAtomic(file, "good old content"));
  SetAtomicWriteFailureAfter(4);
  EXPECT_FALSE(WriteFileAtomic(file, "new content that never lands"));
  SetAtomicWriteFailureAfter(std::nullopt);
  EXPECT_EQ(*ReadWholeFile(file), "good old content");
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  // A folder that does not exist: false, nothing created.
  EXPECT_FALSE(WriteFileAtomic(folder.Path("missing/x.dat"), "x"));
}

TEST(AtomicWrite, DamagedFilesAreCopiedAsideNeverOverwritten) {
  TempFolder folder;
  std::string file = folder.Path("users.dat");
  ASSERT_TRUE(WriteFileAtomic(file, "garbage"));
  std::string first = PreserveDamagedFile(file);
  std::string second = PreserveDamagedFile(file);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(*ReadWholeFile(first), "garbage");
  EXPECT_EQ(PreserveDamagedFile(folder.Path("absent")), "");
}

TEST(UserFiles, UserDataPathLevelsAndFallback) {
  TempFolder folder;
  unsetenv("KESTRELLE_USER_DIR");
  setenv("XDG_DATA_HOME", folder.Path("share").c_str(), 1);
  EXPECT_EQ(GetUserDataPath(), folder.Path("share") + "/Halvenor/Kestrelle/");
  EXPECT_TRUE(DirectoryExists(folder.Path("share/Halvenor/Kestrelle")));

  // The maker level cannot be created (a file is in the way): the base folder itself.
  setenv("XDG_DATA_HOME", folder.Path("blocked").c_str(), 1);
  fs::create_directories(folder.Path("blocked"));
  ASSERT_TRUE(WriteFileAtomic(folder.Path("blocked/Halvenor"), "in the way"));
  EXPECT_EQ(GetUserDataPath(), folder.Path("blocked") + "/");

  setenv("KESTRELLE_USER_DIR", folder.Path("override").c_str(), 1);
  EXPECT_EQ(GetUserDataPath(), folder.Path("override") + "/");
  unsetenv("KESTRELLE_USER_DIR");
  unsetenv("XDG_DATA_HOME");
}

TEST(UserFiles, TextFilesAreWrittenAsCrLfLines) {
  TempFolder folder;
  setenv("KESTRELLE_USER_DIR", folder.Path().c_str(), 1);
  EXPECT_EQ(LoadUserTextFile("absent.txt"), "");
  ASSERT_TRUE(SaveUserTextFile("a\nb\r\nc", "t.txt"));
  EXPECT_EQ(LoadUserTextFile("t.txt"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(ToCrLfLines("x\r\n"), "x\r\n");
  EXPECT_EQ(ToCrLfLines(""), "\r\n");
  unsetenv("KESTRELLE_USER_DIR");
}

TEST(FileSystem, OnlyRegularFilesAreRead) {
  EXPECT_FALSE(ReadWholeFile("/dev/zero"));  // would never end
  EXPECT_FALSE(ReadWholeFile("/tmp"));
  TempFolder folder;
  ASSERT_TRUE(WriteFileAtomic(folder.Path("f"), std::string("a\0b", 3)));
  EXPECT_EQ(*ReadWholeFile(folder.Path("f")), std::string("a\0b", 3));
}

TEST(FileSystem, DataPathsUseBackslashes) {
  EXPECT_EQ(NativePath("data\\ini\\x.ini"), "data/ini/x.ini");
  EXPECT_EQ(JoinPath("/game/", "data\\x"), "/game/data/x");
  EXPECT_EQ(JoinPath("/game", "data\\x"), "/game/data/x");
  EXPECT_EQ(JoinPath("/game/", "/abs/x"), "/abs/x");  // never prefixed
}

}  // namespace
}  // namespace kestrelle
