// The persisted options record in the user-data folder.
#include "data/global_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/cipher.h"
#include "data/file_system.h"
#include "data/process_settings.h"
#include "storage_test_support.h"

namespace kestrelle {
namespace {

using testing_support::ReadFileBytes;

class GlobalOptionsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    savedKey_ = Settings().OptionsKey;
    savedName_ = Settings().OptionsFileName;
    Settings().OptionsKey = "qpwmzlrvtn4826hbxkcyga71e";
    Settings().OptionsFileName = "options.dat";
    GlobalOptions().Unload();
    std::filesystem::create_directories(folder_.User());
    file_ = folder_.User() + "options.dat";
  }
  void TearDown() override {
    GlobalOptions().Unload();
    SetAtomicWriteFailureAfter(std::nullopt);
    Settings().OptionsKey = savedKey_;
    Settings().OptionsFileName = savedName_;
  }
  std::string Get(const std::string& name) {
    std::string value = "untouched";
    EXPECT_TRUE(GetGlobalOption(name, value));
    return value;
  }
  std::vector<std::string> DamagedCopies() {
    std::vector<std::string> copies;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.User()))
      if (entry.path().filename().string().rfind("options.dat.damaged-", 0) == 0) copies.push_back(entry.path());
    return copies;
  }

  testing_support::ScratchFolder folder_;
  std::string file_;
  std::string savedKey_, savedName_;
};

TEST_F(GlobalOptionsFile, MissingFileGivesEmptyValuesAndOneSetWritesHex) {
  EXPECT_EQ(Get("MusicVolume"), "");
  EXPECT_FALSE(std::filesystem::exists(file_));

  ASSERT_TRUE(SetGlobalOption("MusicVolume", "30"));
  ASSERT_TRUE(std::filesystem::exists(file_));
  std::string stored = ReadFileBytes(file_);
  EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF\r\n"), std::string::npos) << stored;
  EXPECT_EQ(DecipherFromHex(Settings().OptionsKey, stored), "<options MusicVolume=\"30\"/>");

  // A fresh process reads what was written.
  GlobalOptions().Unload();
  EXPECT_EQ(Get("MusicVolume"), "30");
  ASSERT_TRUE(SetGlobalOption("ShowHints", "no"));
  GlobalOptions().Unload();
  EXPECT_EQ(Get("ShowHints"), "no");
  EXPECT_EQ(Get("MusicVolume"), "30");
  EXPECT_EQ(Get("musicvolume"), "");  // names are case-sensitive
}

TEST_F(GlobalOptionsFile, DamagedFileIsKeptAsideBeforeTheFirstWrite) {
  for (const std::string& damaged : {std::string("not hex at all"), EncipherToHex("wrong key", "<options a=\"1\"/>"),
                                     EncipherToHex(Settings().OptionsKey, "<other a=\"1\"/>")}) {
    for (const auto& copy : DamagedCopies()) std::filesystem::remove(copy);
    GlobalOptions().Unload();
    testing_support::ScratchFolder::WriteFile(file_, damaged);
    EXPECT_EQ(Get("a"), "");
    EXPECT_TRUE(DamagedCopies().empty());  // reading alone changes nothing on disk
    ASSERT_TRUE(SetGlobalOption("a", "2"));
    std::vector<std::string> copies = DamagedCopies();
    ASSERT_EQ(copies.size(), 1u) << damaged;
    EXPECT_EQ(ReadFileBytes(copies[0]), damaged);
    GlobalOptions().Unload();
    EXPECT_EQ(Get("a"), "2");
  }
}

TEST_F(GlobalOptionsFile, SetReportsWhatReallyHappened) {
  EXPECT_FALSE(SetGlobalOption("not a name", "1"));
  EXPECT_FALSE(std::filesystem::exists(file_));
  ASSERT_TRUE(SetGlobalOption("SoundVolume", "70"));
  std::string before = ReadFileBytes(file_);
  SetAtomicWriteFailureAfter(3);
  EXPECT_FALSE(SetGlobalOption("SoundVolume", "10"));
  SetAtomicWriteFailureAfter(std::nullopt);
  EXPECT_EQ(ReadFileBytes(file_), before);  // the old record is intact
  EXPECT_EQ(Get("SoundVolume"), "10");      // and the value is kept for this run
}

TEST_F(GlobalOptionsFile, EmptyKeyStoresPlainText) {
  Settings().OptionsKey = "";
  ASSERT_TRUE(SetGlobalOption("FullScreenMode", "yes"));
  EXPECT_EQ(ReadFileBytes(file_), "<options FullScreenMode=\"yes\"/>\r\n");
  GlobalOptions().Unload();
  EXPECT_EQ(Get("FullScreenMode"), "yes");
}

}  // namespace
}  // namespace kestrelle
