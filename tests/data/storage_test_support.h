#pragma once
// A fresh folder per test for the storage, options and parameter tests, set as the program
// folder and the user-data folder; removed afterwards.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/data_files.h"
#include "data/hier_storage.h"
#include "data/user_files.h"

namespace kestrelle::testing_support {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrelle-storage-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    EXPECT_FALSE(path_.empty());
    path_ += "/";
    ::setenv("KESTRELLE_USER_DIR", (path_ + "user").c_str(), 1);
    SetAppPath(path_ + "app");
    std::filesystem::create_directories(path_ + "app");
    ClearOuterStorageCache();
    SetDataFileReader(nullptr);
  }
  ~ScratchFolder() {
    ClearOuterStorageCache();
    SetAppPath("");
    ::unsetenv("KESTRELLE_USER_DIR");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string App() const { return path_ + "app/"; }
  std::string User() const { return path_ + "user/"; }

  static void WriteFile(const std::string& full, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
  }

  // Writes bytes to a path under the program folder (created as needed); returns the full path.
  std::string WriteAppFile(const std::string& relative, const std::string& bytes) const {
    std::string full = App() + relative;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
    return full;
  }

 private:
  std::string path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kestrelle::testing_support
