#include "data/keyed_list.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(KeyedList, KeysCompareIgnoringAsciiCaseAndKeepInsertionOrder) {
  TKeyedList<int> list;
  ASSERT_NE(list.Add(1, "Alpha"), nullptr);
  EXPECT_EQ(list.Add(2, "ALPHA"), nullptr);  // same key, first one stays
  ASSERT_NE(list.Add(3, "beta"), nullptr);
  ASSERT_NE(list.Add(0, "first", 0), nullptr);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(*list.GetAt(0), 0);
  EXPECT_EQ(*list.Get("alpha"), 1);
  EXPECT_EQ(list.IndexOf("BETA"), 2);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  EXPECT_EQ(list.GetAt(3), nullptr);
  EXPECT_EQ(list.GetAt(-1), nullptr);
  // Non-ASCII letters are not folded.
  ASSERT_NE(list.Add(4, "\xC3\xA9t\xC3\xA9"), nullptr);
  EXPECT_FALSE(list.Exists("\xC3\x89T\xC3\x89"));
}

TEST(KeyedList, KeysSharingACrcStayApart) {
  // Two different keys with the same CRC-32 of their upper-cased text.
  ASSERT_EQ(Crc32("PLUMLESS"), Crc32("BUCKEROO"));
  TKeyedList<std::string> list;
  ASSERT_NE(list.Add("p", "plumless"), nullptr);
  ASSERT_NE(list.Add("b", "buckeroo"), nullptr);
  EXPECT_EQ(*list.Get("PLUMLESS"), "p");
  EXPECT_EQ(*list.Get("Buckeroo"), "b");
  list.Delete("plumless");
  EXPECT_TRUE(list.Exists("buckeroo"));
}

TEST(KeyedList, InvalidPositionAddsNothingAndMissingDeleteRaises) {
  TKeyedList<int> list;
  EXPECT_EQ(list.Add(1, "a", 1), nullptr);
  EXPECT_EQ(list.Add(1, "a", -2), nullptr);
  EXPECT_EQ(list.Count(), 0);
  try {
    list.Delete("missing");
    FAIL() << "no error raised";
  } catch (const ListError& e) {
    EXPECT_STREQ(e.what(), "Hash not found.");
  }
  list.DeleteAt(5);  // outside: nothing happens
}

TEST(KeyedList, GeneratedKeysFollowTheLastKey) {
  TKeyedList<int> fresh;
  fresh.Add(0, "", -1, true);
  fresh.Add(1, "", -1, true);
  fresh.Add(2, "", -1, true);
  EXPECT_EQ(fresh.KeyAt(0), "!");
  EXPECT_EQ(fresh.KeyAt(1), "\"");
  EXPECT_EQ(fresh.KeyAt(2), "#");

  TKeyedList<int> afterZ;
  afterZ.Add(0, "Z");
  afterZ.Add(1, "", -1, true);
  EXPECT_EQ(afterZ.KeyAt(1), "Z!");

  TKeyedList<int> explicitKeys;
  explicitKeys.Add(0, "b");
  explicitKeys.Add(1, "a");  // not greater than "b": the last key stays "b"
  explicitKeys.Add(2, "", -1, true);
  EXPECT_EQ(explicitKeys.KeyAt(2), "c");
}

TEST(KeyedList, MoveReinsertsAtTheTarget) {
  TKeyedList<int> list;
  for (int i = 0; i < 4; ++i) list.Add(i, std::string(1, static_cast<char>('a' + i)));
  ASSERT_TRUE(list.Move("a", 3));
  EXPECT_EQ(list.KeyAt(3), "a");
  ASSERT_TRUE(list.MoveBefore("d", "b"));
  EXPECT_EQ(list.KeyAt(0), "d");
  EXPECT_EQ(list.KeyAt(1), "b");
  EXPECT_FALSE(list.Move("zz", 0));
}

}  // namespace
}  // namespace kestrelle
