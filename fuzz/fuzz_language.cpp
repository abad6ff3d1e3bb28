// Arbitrary bytes as a language file, then texts translated with its strings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "media/language.h"

using namespace kestrelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  TMultiLanguages table;
  table.SetVariable("user", "Ann");
  table.LoadLanguageText(bytes);
  // The file's own text as a text to translate, and every key it names.
  table.Translate(bytes, true);
  table.Translate(bytes, false);
  for (size_t at = bytes.find('%'); at != std::string::npos; at = bytes.find('%', at + 1)) {
    size_t end = bytes.find('%', at + 1);
    if (end == std::string::npos) break;
    table.Translate(bytes.substr(at, end - at + 1), true);
  }
  return 0;
}
