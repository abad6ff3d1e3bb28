#pragma once
// The text cipher of enciphered data and player files: 64-bit blocks of an XTEA-style round
// function (the key word is added and v xor sum replaces XTEA's (v + mix) xor (sum + key), so it
// does not interoperate with textbook XTEA), blocks enciphered independently, and a tail shorter
// than a block xor-ed with the last cipher block. Output has the length of the input; its text
// form is upper-case hexadecimal.

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrelle {

class TCipher_Xtea {
 public:
  enum Mode { kEncipher = 0, kDecipher = 1 };
  enum Form { kFormRaw = 1, kFormHex = 16 };

  // Key words are the key's first 16 bytes, little-endian; missing bytes count as 0.
  explicit TCipher_Xtea(std::string_view key);

  // kEncipher: encipher, then encode in `form`. kDecipher: decode from `form`, then decipher.
  // An unknown mode or form gives "".
  std::string Process(std::string_view text, int mode, int form) const;

  std::string Encipher(std::string_view bytes) const;
  std::string Decipher(std::string_view bytes) const;

  void EncipherBlock(uint32_t& v0, uint32_t& v1) const;
  void DecipherBlock(uint32_t& v0, uint32_t& v1) const;

 private:
  std::string Run(std::string_view bytes, bool encipher) const;
  uint32_t k_[4] = {0, 0, 0, 0};
};

// Two upper-case hexadecimal digits a byte, high nibble first.
std::string HexEncode(std::string_view bytes);
// Hexadecimal text to bytes: digits in either case, two a byte; the first "x" or "$" restarts
// the output (so "0x" and "$" prefixes are ignored); every other character is skipped; a final
// odd digit is dropped.
std::string HexDecode(std::string_view text);

// The forms the program stores: hexadecimal text of the enciphered bytes, and back.
// An empty key leaves the bytes as they are (no hex form either).
std::string EncipherToHex(std::string_view key, std::string_view plain);
std::string DecipherFromHex(std::string_view key, std::string_view hex);

}  // namespace kestrelle
