#include "data/text_lists.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(TextLists, SplitKeyValuesCases) {
  struct Case {
    const char* text;
    std::vector<KeyValue> pairs;
  };
  const Case cases[] = {
      {"a=1\\b={x=2\\y=3}\\c", {{"a", "1"}, {"b", "x=2\\y=3"}}},
      {"a = 1", {{"a", "1"}}},
      {"a=", {{"a", ""}}},
      {"v={x}", {{"v", "x"}}},
      {"v={x}{y}", {{"v", "x}{y"}}},
      {"\\\\a=1\\\\", {{"a", "1"}}},
      {"  \t a=1 \n", {{"a", "1"}}},
      {"\\record_table={name=europe\\max_records=3\\record_structure={param=Score\\param=Player}}",
       {{"record_table", "name=europe\\max_records=3\\record_structure={param=Score\\param=Player}"}}},
      {"a={unclosed\\b=2", {{"a", "{unclosed"}, {"b", "2"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitKeyValues(c.text), c.pairs) << c.text;
}

TEST(TextLists, MatchingBraceAndFind) {
  EXPECT_EQ(MatchingBracePos("{a{b}c}d", 0), 6u);
  EXPECT_EQ(MatchingBracePos("x{a{b}", 1), 0u);
  std::string value;
  EXPECT_TRUE(FindKeyValue("file=a.xml\\CryptKey=k1", "cryptkey", value));
  EXPECT_EQ(value, "k1");
  EXPECT_FALSE(FindKeyValue("file=a.xml", "cryptkey", value));
  EXPECT_EQ(value, "");
}

TEST(TextLists, SemicolonLists) {
  EXPECT_EQ(SplitSemicolonList("a;b;;c;"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(JoinSemicolonList({"a", "b"}), "a;b;");
  EXPECT_TRUE(SemicolonListContains(";FullScreenMode;MusicVolume;", "MusicVolume"));
  EXPECT_FALSE(SemicolonListContains(";FullScreenMode;MusicVolume;", "Music"));
}

}  // namespace
}  // namespace kestrelle
