// Arbitrary text deciphered from the hexadecimal form; enciphering the result must give back the
// hexadecimal text of the decoded bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/cipher.h"

using namespace kestrelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TCipher_Xtea cipher("qpwmzlrvtn4826hbxkcyga71e");
  std::string plain = cipher.Process(text, TCipher_Xtea::kDecipher, TCipher_Xtea::kFormHex);
  if (plain.size() != HexDecode(text).size()) __builtin_trap();
  if (cipher.Process(plain, TCipher_Xtea::kEncipher, TCipher_Xtea::kFormHex) != HexEncode(HexDecode(text)))
    __builtin_trap();
  return 0;
}
