#pragma once
// A fresh user-data folder and program folder per test, and helpers to look at the player files.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/file_system.h"
#include "data/user_files.h"
#include "records/player_file.h"
#include "records/records_settings.h"

namespace kestrelle::testing {

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "kestrelle-records-XXXXXX").string();
    root_ = mkdtemp(pattern.data()) ? pattern : std::string();
    ASSERT_FALSE(root_.empty());
    fs::create_directories(UserDir());
    fs::create_directories(AppDir());
    setenv("KESTRELLE_USER_DIR", UserDir().c_str(), 1);
    SetAppPath(AppDir());
    RecordSettings() = ProductRecordsSettings();
    SetAtomicWriteFailureAfter(std::nullopt);
  }
  void TearDown() override {
    SetAtomicWriteFailureAfter(std::nullopt);
    RecordSettings() = ProductRecordsSettings();
    SetAppPath("");
    unsetenv("KESTRELLE_USER_DIR");
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  std::string UserDir() const { return root_ + "/user/"; }
  std::string AppDir() const { return root_ + "/app/"; }
  std::string UserFile(const std::string& name) const { return UserDir() + name; }

  static std::string Bytes(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    return bytes ? *bytes : std::string();
  }
  // Writes the bytes as they are (no backup made), as another program or a damaged disk would.
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
  }
  // The XML text of a player file.
  static std::string Plain(const std::string& path, const std::string& key) {
    return DecipherPlayerText(Bytes(path), key);
  }
  // Names in the user-data folder starting with `prefix`, sorted.
  std::vector<std::string> UserFilesStartingWith(const std::string& prefix) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(UserDir())) {
      std::string name = entry.path().filename().string();
      if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string root_;
};

}  // namespace kestrelle::testing
