#include "data/cipher.h"

namespace kestrelle {

namespace {
constexpr uint32_t kDelta = 0x9E3779B9u;
constexpr int kRounds = 32;

uint32_t LoadLe(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void StoreLe(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t Mix(uint32_t v, uint32_t sum) { return ((v << 4) ^ (v >> 5)) + (v ^ sum); }
}  // namespace

TCipher_Xtea::TCipher_Xtea(std::string_view key) {
  unsigned char bytes[16] = {};
  for (size_t i = 0; i < key.size() && i < 16; ++i) bytes[i] = static_cast<unsigned char>(key[i]);
  for (int i = 0; i < 4; ++i) k_[i] = LoadLe(bytes + 4 * i);
}

void TCipher_Xtea::EncipherBlock(uint32_t& v0, uint32_t& v1) const {
  uint32_t sum = 0;
  for (int round = 0; round < kRounds; ++round) {
    v0 += k_[sum & 3] + Mix(v1, sum);
    sum += kDelta;
    v1 += k_[(sum >> 11) & 3] + Mix(v0, sum);
  }
}

void TCipher_Xtea::DecipherBlock(uint32_t& v0, uint32_t& v1) const {
  uint32_t sum = kDelta * static_cast<uint32_t>(kRounds);
  for (int round = 0; round < kRounds; ++round) {
    v1 -= k_[(sum >> 11) & 3] + Mix(v0, sum);
    sum -= kDelta;
    v0 -= k_[sum & 3] + Mix(v1, sum);
  }
}

std::string TCipher_Xtea::Run(std::string_view bytes, bool encipher) const {
  std::string out(bytes);
  auto* data = reinterpret_cast<unsigned char*>(out.data());
  const size_t blocks = out.size() / 8;
  // The tail is keyed by the last block as it stands enciphered, so both directions agree.
  uint32_t a = k_[0] ^ k_[2] ^ kDelta;
  uint32_t b = k_[1] ^ k_[3] ^ kDelta;
  for (size_t i = 0; i < blocks; ++i) {
    unsigned char* block = data + 8 * i;
    uint32_t v0 = LoadLe(block);
    uint32_t v1 = LoadLe(block + 4);
    if (encipher) {
      EncipherBlock(v0, v1);
      a = v0;
      b = v1;
    } else {
      a = v0;
      b = v1;
      DecipherBlock(v0, v1);
    }
    StoreLe(block, v0);
    StoreLe(block + 4, v1);
  }
  unsigned char pad[8];
  StoreLe(pad, a);
  StoreLe(pad + 4, b);
  for (size_t i = blocks * 8, j = 0; i < out.size(); ++i, ++j) data[i] ^= pad[j];
  return out;
}

std::string TCipher_Xtea::Encipher(std::string_view bytes) const { return Run(bytes, true); }
std::string TCipher_Xtea::Decipher(std::string_view bytes) const { return Run(bytes, false); }

std::string TCipher_Xtea::Process(std::string_view text, int mode, int form) const {
  if (form != kFormRaw && form != kFormHex) return {};
  if (mode == kEncipher) {
    std::string enciphered = Encipher(text);
    return form == kFormHex ? HexEncode(enciphered) : enciphered;
  }
  if (mode == kDecipher) return Decipher(form == kFormHex ? HexDecode(text) : std::string(text));
  return {};
}

std::string HexEncode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
  }
  return out;
}

std::string HexDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 2);
  bool restarted = false;
  int high = -1;
  for (char raw : text) {
    char c = (raw >= 'a' && raw <= 'z') ? static_cast<char>(raw - 'a' + 'A') : raw;
    int nibble = -1;
    if (c >= '0' && c <= '9')
      nibble = c - '0';
    else if (c >= 'A' && c <= 'F')
      nibble = c - 'A' + 10;
    else if ((c == 'X' || c == '$') && !restarted) {
      restarted = true;
      out.clear();
      high = -1;
      continue;
    }
    if (nibble < 0) continue;
    if (high < 0) {
      high = nibble;
    } else {
      out.push_back(static_cast<char>(high << 4 | nibble));
      high = -1;
    }
  }
  return out;
}

std::string EncipherToHex(std::string_view key, std::string_view plain) {
  if (key.empty()) return std::string(plain);
  return TCipher_Xtea(key).Process(plain, TCipher_Xtea::kEncipher, TCipher_Xtea::kFormHex);
}

std::string DecipherFromHex(std::string_view key, std::string_view hex) {
  if (key.empty()) return std::string(hex);
  return TCipher_Xtea(key).Process(hex, TCipher_Xtea::kDecipher, TCipher_Xtea::kFormHex);
}

}  // namespace kestrelle
