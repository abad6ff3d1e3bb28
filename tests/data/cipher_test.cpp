// The text cipher: known answers worked out independently from the cipher's description, the
// identity of enciphering then deciphering, and the hexadecimal text form.
#include "data/cipher.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace kestrelle {
namespace {

constexpr const char* kKey = "qpwmzlrvtn4826hbxkcyga71e";  // 25 characters: only the first 16 count

std::string Pattern(size_t n) {
  std::string bytes(n, '\0');
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  return bytes;
}

TEST(TextCipher, KnownAnswers) {
  const struct {
    size_t length;
    const char* hex;
  } cases[] = {
      {0, ""},
      {1, "BF"},  // tail only: keyed by the key words
      {7, "BF6D65D3EE0500"},
      {8, "2034F697AA0057B4"},    // one block
      {9, "2034F697AA0057B41B"},  // tail keyed by the enciphered block
  };
  TCipher_Xtea cipher(kKey);
  for (const auto& c : cases) {
    EXPECT_EQ(cipher.Process(Pattern(c.length), TCipher_Xtea::kEncipher, TCipher_Xtea::kFormHex), c.hex) << c.length;
    EXPECT_EQ(cipher.Process(c.hex, TCipher_Xtea::kDecipher, TCipher_Xtea::kFormHex), Pattern(c.length)) << c.length;
  }
  std::ifstream in(KESTRELLE_SOURCE_DIR "/tests/data/fixtures/cipher_1000.hex");
  std::string expected;
  std::getline(in, expected);
  ASSERT_EQ(expected.size(), 2000u);
  EXPECT_EQ(EncipherToHex(kKey, Pattern(1000)), expected);
  EXPECT_EQ(DecipherFromHex(kKey, expected), Pattern(1000));

  // Keys shorter than 16 bytes are padded with zero bytes; bytes after the 16th do not count.
  EXPECT_EQ(EncipherToHex("abc", "Kestrelle"), "A05C212ADB63BD26C5");
  EXPECT_EQ(EncipherToHex("0123456789abcdefXYZ", "Kestrelle"), "020D5388CA274E4F67");
  EXPECT_EQ(EncipherToHex("0123456789abcdef", "Kestrelle"), "020D5388CA274E4F67");
}

TEST(TextCipher, DecipherUndoesEncipherForEveryLength) {
  for (const char* key : {kKey, "k", "\xFF\xFE\xFD\xFC\xFB\xFA\xF9\xF8\xF7\xF6\xF5\xF4\xF3\xF2\xF1\xF0"}) {
    TCipher_Xtea cipher(key);
    for (size_t n = 0; n <= 40; ++n) {
      std::string plain = Pattern(n);
      std::string raw = cipher.Encipher(plain);
      ASSERT_EQ(raw.size(), n);
      if (n > 0) {
        EXPECT_NE(raw, plain);
      }
      EXPECT_EQ(cipher.Decipher(raw), plain) << n;
      EXPECT_EQ(cipher.Process(cipher.Process(plain, 0, 16), 1, 16), plain) << n;
      EXPECT_EQ(cipher.Process(cipher.Process(plain, 0, 1), 1, 1), plain) << n;
    }
  }
  // The block function alone.
  TCipher_Xtea cipher(kKey);
  uint32_t v0 = 0x01234567, v1 = 0x89ABCDEF;
  cipher.EncipherBlock(v0, v1);
  cipher.DecipherBlock(v0, v1);
  EXPECT_EQ(v0, 0x01234567u);
  EXPECT_EQ(v1, 0x89ABCDEFu);
}

TEST(TextCipher, UnknownModeOrFormGivesNothing) {
  TCipher_Xtea cipher(kKey);
  EXPECT_EQ(cipher.Process("abc", 0, 2), "");
  EXPECT_EQ(cipher.Process("abc", 2, 16), "");
  // An empty key stores the text as it is.
  EXPECT_EQ(EncipherToHex("", "<options/>"), "<options/>");
  EXPECT_EQ(DecipherFromHex("", "<options/>"), "<options/>");
}

TEST(TextCipher, HexadecimalForm) {
  EXPECT_EQ(HexEncode(""), "");
  EXPECT_EQ(HexEncode(std::string("\x00\x0F\xA5\xFF", 4)), "000FA5FF");
  const struct {
    const char* text;
    std::string bytes;
  } cases[] = {
      {"4142", "AB"},         {"0x4142", "AB"},  // "0x" prefix
      {"$4142", "AB"},                           // "$" prefix
      {"41 42\r\n43", "ABC"},                    // blanks and line breaks skipped
      {"414", "A"},                              // a final odd digit is dropped
      {"6a6B", "jk"},                            // either case
      {"41x42", "B"},                            // the first "x" restarts the output
      {"4x1x42", "\x14"},                        // only the first: later ones are skipped like punctuation
      {"4$142", "\x14"},                         // a pending half byte is dropped at the restart
      {"zz-41-", "A"},        {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HexDecode(c.text), c.bytes) << c.text;
}

}  // namespace
}  // namespace kestrelle
