#include "media/reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "archive_builder.h"
#include "data/data_files.h"
#include "data/process_settings.h"
#include "data/size_limits.h"
#include "data/user_files.h"

namespace kestrelle {
namespace {

using test::BuildZip;
using test::TempFolder;

// A program folder of its own per test, with ".pak" archives and nothing cached.
class ResourceReader : public ::testing::Test {
 protected:
  void SetUp() override {
    savedExtension_ = Settings().ArchiveExtension;
    Settings().ArchiveExtension = ".pak";
    SetAppPath(app_.Path().string());
    FreeCachedResourceReader();
  }
  void TearDown() override {
    FreeCachedResourceReader();
    SetAppPath("");
    Settings().ArchiveExtension = savedExtension_;
  }
  std::optional<std::string> Read(const std::string& path) { return ReadResourceFile(path); }

  TempFolder app_;
  std::string savedExtension_;
};

TEST_F(ResourceReader, LooseFolderWinsOverArchives) {
  app_.Write("data/ini/Kestrelle.ini", "loose");
  app_.Write("data/ini.pak", BuildZip({{"Kestrelle.ini", "from ini.pak"}}));
  app_.Write("data.pak", BuildZip({{"ini/Kestrelle.ini", "from data.pak"}}));
  EXPECT_EQ(Read("data\\ini\\Kestrelle.ini"), "loose");
  EXPECT_EQ(Read("data/ini/Kestrelle.ini"), "loose");
  EXPECT_EQ(Read("DATA\\INI\\kestrelle.INI"), "loose");  // any case, on any file system
  EXPECT_EQ(Read("%apppath%data\\ini\\Kestrelle.ini"), "loose");
  EXPECT_EQ(Read(app_.Path().string() + "/data/ini/Kestrelle.ini"), "loose");  // absolute path
  EXPECT_EQ(Read("data\\ini\\missing.ini"), std::nullopt);
}

TEST_F(ResourceReader, ArchiveStandsInForAMissingFolder) {
  app_.Write("data/readme.txt", "loose");
  app_.Write("data/ini.pak", BuildZip({{"Kestrelle.ini", "from ini.pak"}, {"Sub/Deep.txt", "deep"}}));
  EXPECT_EQ(Read("data\\ini\\Kestrelle.ini"), "from ini.pak");
  EXPECT_EQ(Read("data\\ini\\sub\\deep.txt"), "deep");
  EXPECT_EQ(Read("data\\INI\\KESTRELLE.INI"), "from ini.pak");
  EXPECT_EQ(Read("data\\ini\\missing.ini"), std::nullopt);
  EXPECT_EQ(Read("data\\readme.txt"), "loose");
}

TEST_F(ResourceReader, WalksUpToTheTopArchiveAndStaysInIt) {
  app_.Write("data.pak", BuildZip({{"ini/Kestrelle.ini", "from data.pak"}, {"images/a.png", "png in pak"}}));
  EXPECT_EQ(Read("data\\ini\\Kestrelle.ini"), "from data.pak");
  // Once data.pak delivered, data\ is read from it only, even when a loose file appears.
  app_.Write("data/images/a.png", "loose png");
  EXPECT_EQ(Read("data\\images\\a.png"), "png in pak");
  EXPECT_EQ(Read("data\\images\\b.png"), std::nullopt);
  // Paths outside data\ walk up afresh.
  app_.Write("lang/default.lng", "lng");
  EXPECT_EQ(Read("lang\\default.lng"), "lng");
  EXPECT_EQ(Read("data\\images\\a.png"), "loose png");
}

// Whether data\images\x.png is found in data\images.pak must not depend on what was read before.
TEST_F(ResourceReader, SubFolderArchiveIsFoundInEitherOrder) {
  app_.Write("data/other.txt", "other");
  app_.Write("data/images.pak", BuildZip({{"x.png", "x from images.pak"}}));
  for (bool archiveFirst : {true, false}) {
    SCOPED_TRACE(archiveFirst ? "archive member first" : "loose file first");
    FreeCachedResourceReader();
    if (archiveFirst) {
      EXPECT_EQ(Read("data\\images\\x.png"), "x from images.pak");
    }
    EXPECT_EQ(Read("data\\other.txt"), "other");
    EXPECT_EQ(Read("data\\images\\x.png"), "x from images.pak");
    EXPECT_EQ(Read("data\\other.txt"), "other");
  }
}

TEST_F(ResourceReader, BareNamesResPathsAndBadArchives) {
  app_.Write("users.dat", "users");
  EXPECT_EQ(Read("users.dat"), "users");
  // "res:NAME" is the archive res/NAME in the program folder.
  app_.Write("res/iniresource", BuildZip({{"default.lng", "res lng"}}));
  EXPECT_EQ(Read("res:iniresource/default.lng"), "res lng");
  EXPECT_EQ(Read("RES:IniResource\\Default.lng"), "res lng");
  EXPECT_EQ(Read("res:missing/default.lng"), std::nullopt);
  EXPECT_FALSE(OpenResourceStream("res:iniresource/new.txt", false));
  // A damaged archive is simply not there.
  app_.Write("broken.pak", "PK\x05\x06 this is no archive");
  app_.Write("trunc.pak", BuildZip({{"a.txt", "a"}}).substr(0, 30));
  EXPECT_EQ(Read("broken\\a.txt"), std::nullopt);
  EXPECT_EQ(Read("trunc\\a.txt"), std::nullopt);
  // A member name that climbs out of data.pak is never matched.
  app_.Write("data.pak", BuildZip({{"../secret.txt", "escaped"}, {"ok.txt", "ok"}}));
  EXPECT_EQ(Read("data\\..\\secret.txt"), std::nullopt);
  EXPECT_EQ(Read("data\\ok.txt"), "ok");
}

TEST_F(ResourceReader, DataLayerReadsThroughTheReaderOnceInstalled) {
  app_.Write("data.pak", BuildZip({{"ini/game.ini", "packed"}}));
  EXPECT_EQ(ReadDataFile("data\\ini\\game.ini"), std::nullopt);
  InstallResourceReader();
  EXPECT_EQ(ReadDataFile("data\\ini\\game.ini"), "packed");
  EXPECT_EQ(ReadDataFile("%apppath%data/ini/GAME.ini"), "packed");
  SetDataFileReader(nullptr);
}

// A loose file larger than any file read whole is refused by every road to it (the file is
// sparse: it takes no room on disk).
TEST_F(ResourceReader, LooseFilesAreCappedLikeWholeFileReads) {
  app_.Write("data/big.bin", "");
  std::filesystem::resize_file(app_.Path() / "data" / "big.bin", kLargestReadableFile + 1);
  InstallResourceReader();
  struct Case {
    const char* road;
    std::function<bool()> delivers;
  } cases[] = {
      {"ReadResourceFile", [] { return ReadResourceFile("data\\big.bin").has_value(); }},
      {"OpenResourceStream", [] { return OpenResourceStream("data\\big.bin") != nullptr; }},
      {"ReadDataFile", [] { return ReadDataFile("data\\big.bin").has_value(); }},
  };
  for (const Case& c : cases) EXPECT_FALSE(c.delivers()) << c.road;
  SetDataFileReader(nullptr);
}

TEST_F(ResourceReader, WritingCreatesAPlainFile) {
  app_.Write("Saves/keep.txt", "");
  {
    StreamRef stream = OpenResourceStream("saves\\new.txt", false);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->Write("abc", 3), 3u);
  }
  EXPECT_EQ(Read("Saves\\new.txt"), "abc");
  EXPECT_TRUE(std::filesystem::exists(app_.Path() / "Saves" / "new.txt"));  // into the folder as spelled on disk
  {
    StreamRef stream = OpenResourceStream("saves\\NEW.txt", false);  // truncates the same file
    ASSERT_TRUE(stream);
  }
  EXPECT_EQ(Read("saves\\new.txt"), "");
}

}  // namespace
}  // namespace kestrelle
