#include "data/os_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "data/file_system.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

class OsFiles : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("kestrelle-os-files-" + std::to_string(os::ProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  fs::path folder_;
};

// The reader's caches trust the kind, size and stamp: a rewritten file must show a new stamp.
TEST_F(OsFiles, QueryFileTellsKindSizeAndStamp) {
  EXPECT_EQ(os::QueryFile(Path("missing")).kind, os::FileKind::Missing);
  EXPECT_EQ(os::QueryFile(Path("missing/deeper")).kind, os::FileKind::Missing);
  EXPECT_EQ(os::QueryFile(folder_.string()).kind, os::FileKind::Folder);
  Write("f", "12345");
  os::FileStatus first = os::QueryFile(Path("f"));
  EXPECT_EQ(first.kind, os::FileKind::File);
  EXPECT_EQ(first.size, 5);
  fs::last_write_time(Path("f"), fs::last_write_time(Path("f")) + std::chrono::milliseconds(1500));
  os::FileStatus second = os::QueryFile(Path("f"));
  EXPECT_NE(std::pair(first.modifiedSec, first.modifiedNsec), std::pair(second.modifiedSec, second.modifiedNsec));
  EXPECT_EQ(os::QueryFile("/dev/null").kind, os::FileKind::Other);
}

TEST_F(OsFiles, RenameReplacesAndReadsAtAnOffset) {
  Write("old", "old");
  Write("new", "new data");
  EXPECT_TRUE(os::RenameReplacing(Path("new"), Path("old")));
  EXPECT_FALSE(FileExists(Path("new")));
  EXPECT_EQ(ReadWholeFile(Path("old")), "new data");
  EXPECT_FALSE(os::RenameReplacing(Path("new"), Path("old")));

  int fd = os::OpenForReading(Path("old"));
  ASSERT_GE(fd, 0);
  EXPECT_EQ(os::RegularFileSize(fd), 8);
  char buffer[8] = {};
  EXPECT_EQ(os::ReadAt(fd, buffer, 3, 4), 3);
  EXPECT_EQ(std::string(buffer, 3), "dat");
  EXPECT_EQ(os::ReadAt(fd, buffer, 8, 8), 0);  // at the end
  EXPECT_EQ(os::ReadAt(fd, buffer, 2, 0), 2);
  EXPECT_EQ(std::string(buffer, 2), "ne");
  EXPECT_TRUE(os::CloseFile(fd));

  int folderFd = os::OpenForReading(folder_.string());
  if (folderFd >= 0) {  // a folder opens here, but it is no regular file
    EXPECT_EQ(os::RegularFileSize(folderFd), std::nullopt);
    os::CloseFile(folderFd);
  }
  EXPECT_LT(os::OpenForReading(Path("missing")), 0);
}

}  // namespace
}  // namespace kestrelle
