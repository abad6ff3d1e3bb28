#include <gtest/gtest.h>

#include "archive_builder.h"
#include "media/streams.h"
#include "media/zip_archive.h"

namespace kestrelle {
namespace {

using test::BuildZip;
using test::ZipMember;

std::unique_ptr<TZipArchive> OpenBytes(const std::string& bytes) {
  return TZipArchive::Open(std::make_unique<TMemoryStream>(bytes));
}

TEST(ZipArchive, ReadsStoredAndDeflatedMembersByNameIgnoringCase) {
  std::string big(100000, 'k');
  auto archive = OpenBytes(BuildZip({{"Images/A.PNG", "stored bytes", 0},
                                     {"ini/game.ini", big, 8},
                                     {"empty.txt", "", 8},
                                     {"images/a.png", "second entry of the same name", 0}}));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->Entries().size(), 4u);
  // The first entry of a name wins; "\" works like "/".
  EXPECT_EQ(archive->Read("images/a.png"), "stored bytes");
  EXPECT_EQ(archive->Read("IMAGES\\a.Png"), "stored bytes");
  EXPECT_EQ(archive->Read("ini/GAME.ini"), big);
  EXPECT_EQ(archive->Read("empty.txt"), "");
  EXPECT_EQ(archive->Read("ini"), std::nullopt);
  EXPECT_EQ(archive->Read("missing.txt"), std::nullopt);
}

// Archives made to break the reader: each gives "not found" (or no archive), never a crash or a
// huge allocation.
TEST(ZipArchive, RefusesHostileArchives) {
  std::string good = BuildZip({{"a.txt", "hello world", 8}});
  std::string directoryCut = good;
  directoryCut.erase(directoryCut.size() - 22 - 10, 10);  // keeps the end record, loses directory bytes
  struct Case {
    const char* label;
    std::string bytes;
    const char* member;
  } cases[] = {
      {"declared size far beyond the cap", BuildZip({{"a.txt", "hello", 8, 0, 0xFFFFFFF0u}}), "a.txt"},
      {"declared size larger than the data", BuildZip({{"a.txt", "hello", 8, 0, 4000}}), "a.txt"},
      {"declared size smaller than the data", BuildZip({{"a.txt", "hello world", 8, 0, 5}}), "a.txt"},
      {"stored size differs from its length", BuildZip({{"a.txt", "hello", 0, 0, 3}}), "a.txt"},
      {"encrypted entry", BuildZip({{"a.txt", "hello", 0, 1}}), "a.txt"},
      {"unknown method", BuildZip({{"a.txt", "hello", 12}}), "a.txt"},
      {"parent folder in the name", BuildZip({{"../a.txt", "hello", 0}}), "../a.txt"},
      {"parent folder inside the name", BuildZip({{"x/../../a.txt", "hello", 0}}), "x/../../a.txt"},
      {"absolute name", BuildZip({{"/etc/a.txt", "hello", 0}}), "/etc/a.txt"},
      {"truncated central directory", directoryCut, "a.txt"},
      {"end record cut off", good.substr(0, good.size() - 5), "a.txt"},
      {"only the local header", good.substr(0, 40), "a.txt"},
      {"zero-length file", "", "a.txt"},
      {"garbage", std::string(3000, '\x50'), "a.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    auto archive = OpenBytes(c.bytes);
    if (archive) {
      EXPECT_EQ(archive->Read(c.member), std::nullopt);
    }
  }
  // Names that climb out are never matched, under any spelling.
  auto archive = OpenBytes(BuildZip({{"../a.txt", "x", 0}, {"b.txt", "y", 0}}));
  ASSERT_TRUE(archive);
  EXPECT_EQ(archive->Find("a.txt"), -1);
  EXPECT_EQ(archive->Find("..\\a.txt"), -1);
  EXPECT_EQ(archive->Read("b.txt"), "y");
}

TEST(ZipArchive, SafeMemberNames) {
  for (const char* name : {"a.txt", "images/a.png", "a..b/c", "..a", "x/.../y"})
    EXPECT_TRUE(IsSafeMemberName(name)) << name;
  for (const char* name : {"", "..", "../a", "a/../b", "a\\..\\b", "a/..", "/a", "\\a", "C:a", "c:/a"})
    EXPECT_FALSE(IsSafeMemberName(name)) << name;
}

TEST(Streams, BufferedFileStreamReadsAcrossSeeksAndBufferEdges) {
  test::TempFolder folder;
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7);
  folder.Write("f.bin", bytes);
  auto stream = TBufferedFileStream::Open((folder.Path() / "f.bin").string());
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), 5000);
  char chunk[1500];
  ASSERT_EQ(stream->Read(chunk, 10), 10u);
  EXPECT_EQ(std::string(chunk, 10), bytes.substr(0, 10));
  ASSERT_EQ(stream->Read(chunk, 1500), 1500u);  // crosses the 1000-byte buffer
  EXPECT_EQ(std::string(chunk, 1500), bytes.substr(10, 1500));
  EXPECT_EQ(stream->Seek(-20, SeekOrigin::End), 4980);
  ASSERT_EQ(stream->Read(chunk, 100), 20u);
  EXPECT_EQ(std::string(chunk, 20), bytes.substr(4980));
  EXPECT_EQ(stream->Read(chunk, 1), 0u);
  EXPECT_EQ(stream->Seek(999, SeekOrigin::Begin), 999);
  ASSERT_EQ(stream->Read(chunk, 2), 2u);
  EXPECT_EQ(std::string(chunk, 2), bytes.substr(999, 2));
  EXPECT_EQ(stream->Write("x", 1), 0u);
  EXPECT_FALSE(TBufferedFileStream::Open((folder.Path() / "missing").string()));
  EXPECT_FALSE(TBufferedFileStream::Open(folder.Path().string()));
}

}  // namespace
}  // namespace kestrelle
