#include "data/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "data/number_format.h"
#include "data/random.h"
#include "data/text_encoding.h"

namespace kestrelle {
namespace {

TEST(Numbers, RoundingAndDivision) {
  const std::pair<double, int64_t> rounds[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}};
  for (auto [in, out] : rounds) EXPECT_EQ(RoundHalfEven(in), out) << in;
  EXPECT_EQ(DivTrunc(-7, 2), -3);
  EXPECT_EQ(ModTrunc(-7, 2), -1);
  EXPECT_EQ(RealToInt(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RealToInt(1e300), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(RealToInt(-1e300), std::numeric_limits<int64_t>::min());
}

TEST(Numbers, IntegerAndRealText) {
  int64_t i = 0;
  EXPECT_TRUE(ParseIntOrHex("$FF", i) && i == 255);
  EXPECT_TRUE(ParseIntOrHex("x10", i) && i == 16);
  EXPECT_TRUE(ParseIntOrHex("0x10", i) && i == 16);
  EXPECT_TRUE(ParseIntOrHex(" -12 ", i) && i == -12);
  EXPECT_FALSE(ParseIntOrHex("12a", i));
  EXPECT_FALSE(ParseInt("$FF", i));
  double d = 0;
  EXPECT_TRUE(ParseRealDot("1.5", d) && d == 1.5);
  EXPECT_FALSE(ParseRealDot("1,5", d));
  EXPECT_EQ(FormatReal(0.25), "0.25");
  EXPECT_EQ(FormatReal(0.1), "0.1");
}

TEST(Numbers, FormatThousandsCases) {
  SetThousandsSeparatorSource([] { return std::string(","); });
  const std::pair<int64_t, const char*> cases[] = {{0, "0"},
                                                   {999, "999"},
                                                   {1000, "1,000"},
                                                   {-1234567, "-1,234,567"},
                                                   {100000, "100,000"},
                                                   {std::numeric_limits<int64_t>::min(), "-9,223,372,036,854,775,808"}};
  for (auto [value, text] : cases) EXPECT_EQ(FormatThousands(value), text) << value;
  SetThousandsSeparatorSource(nullptr);
  EXPECT_EQ(FormatThousands(1234), "1234");
}

// The words for the special reals are no numbers the data can mean.
TEST(Numbers, StrToFloatDotGivesTheDefaultForNanAndInfinity) {
  for (const char* text : {"nan", "NAN", "-nan", "inf", "-inf", "+inf", "Infinity", " nan "})
    EXPECT_EQ(StrToFloatDot(text, 7), 7) << text;
}

// The decimal point of the C locale must not matter: build a comma locale and switch to it.
TEST(Numbers, StrToFloatDotIgnoresACommaLocale) {
  auto dir = std::filesystem::temp_directory_path() / "kestrelle-locale";
  std::filesystem::create_directories(dir);
  std::string command = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "localedef not available";
  setenv("LOCPATH", dir.c_str(), 1);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "comma locale could not be set";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  EXPECT_EQ(StrToFloatDot("2.5", 0), 2.5);
  EXPECT_EQ(StrToFloatDot("abc", 7), 7);
  EXPECT_EQ(StrToFloatDot("", 3), 3);
  EXPECT_EQ(StrToFloatDot("2,5", 1), 1);
  EXPECT_EQ(FormatReal(2.5), "2.5");
  std::setlocale(LC_ALL, "C");
}

TEST(RandomNumbers, SeededAndInjectable) {
  RandomSeed(42);
  std::vector<int> first;
  for (int i = 0; i < 8; ++i) first.push_back(Random(100));
  RandomSeed(42);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Random(100), first[i]);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-5), 0);
  RandomGenerator generator(7);
  for (int i = 0; i < 1000; ++i) {
    int v = generator.Below(3);
    ASSERT_TRUE(v >= 0 && v < 3);
  }
  SetRandomSource([](int32_t n) { return n - 1; });
  EXPECT_EQ(Random(10), 9);
  SetRandomSource(nullptr);
}

TEST(TextEncoding, Conversions) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE9\x9F"), "\xE2\x82\xAC\xC3\xA9\xC5\xB8");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC3\xA9\xE4\xB8\xAD"), "\x80\xE9?");
  EXPECT_EQ(Utf8ToUtf16("a\xF0\x9F\x98\x80").size(), 3u);
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a\xF0\x9F\x98\x80\xC3\xA9")), "a\xF0\x9F\x98\x80\xC3\xA9");
  // Malformed input: every byte decodes to something and the loop ends.
  EXPECT_EQ(Utf8ToCodePoints("\xC3").size(), 1u);
  EXPECT_EQ(Utf8ToCodePoints("\xE2\x82"), (std::u32string{0xFFFD, 0xFFFD}));
  EXPECT_EQ(Utf8ToCodePoints("\xC0\xAF"), (std::u32string{0xFFFD, 0xFFFD}));
}

}  // namespace
}  // namespace kestrelle
