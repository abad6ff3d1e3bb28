// Arbitrary bytes as a resource archive: open, list, and read every member.
#include <cstddef>
#include <cstdint>
#include <string>

#include "media/streams.h"
#include "media/zip_archive.h"

using namespace kestrelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto archive =
      TZipArchive::Open(std::make_unique<TMemoryStream>(std::string(reinterpret_cast<const char*>(data), size)));
  if (!archive) return 0;
  const auto& entries = archive->Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    std::optional<std::string> bytes = archive->Read(static_cast<int>(i));
    // What is delivered is exactly the declared size, and never more than the cap.
    if (bytes && (bytes->size() != entries[i].size || bytes->size() > TZipArchive::kMaxMemberSize)) __builtin_trap();
    int found = archive->Find(entries[i].name);
    if (found >= 0 && !IsSafeMemberName(entries[found].name)) __builtin_trap();
  }
  return 0;
}
