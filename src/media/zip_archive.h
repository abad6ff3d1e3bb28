#pragma once
// A ZIP archive read over one of our streams (minizip with our own stream callbacks). Members are
// found by name without regard to ASCII case; only stored and deflated, unencrypted members are
// read, and every size the archive declares is checked before it is trusted.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/streams.h"

namespace kestrelle {

class TZipArchive {
 public:
  // Largest member the reader inflates (a resource of the game is far smaller).
  static constexpr uint64_t kMaxMemberSize = 256ull << 20;

  struct Entry {
    std::string name;   // as stored, "/" separators
    uint64_t size = 0;  // declared uncompressed size
    uint64_t compressedSize = 0;
    int method = 0;
    bool encrypted = false;
    bool safeName = true;  // no "..", no absolute path, no drive
  };

  // None when the stream does not hold a readable ZIP directory.
  static std::unique_ptr<TZipArchive> Open(std::unique_ptr<TStream> stream);
  ~TZipArchive();
  TZipArchive(const TZipArchive&) = delete;
  TZipArchive& operator=(const TZipArchive&) = delete;

  const std::vector<Entry>& Entries() const { return entries_; }
  // Index of the first member of that name ("/" or "\" separators, ASCII case ignored); -1 when
  // there is none or the name is not a safe relative name.
  int Find(const std::string& name) const;
  // The whole member, inflated; none for unsupported, encrypted, oversized or damaged members.
  std::optional<std::string> Read(int index);
  std::optional<std::string> Read(const std::string& name) {
    int index = Find(name);
    return index < 0 ? std::nullopt : Read(index);
  }

 private:
  TZipArchive() = default;
  std::unique_ptr<TStream> stream_;
  void* zip_ = nullptr;  // unzFile
  std::vector<Entry> entries_;
  std::vector<std::pair<uint64_t, uint64_t>> positions_;  // unz64_file_pos per entry
  std::unordered_map<std::string, int> byName_;           // upper-cased name -> first entry
};

// True for a relative member name whose parts are never "..", with no drive or leading separator.
bool IsSafeMemberName(const std::string& name);

}  // namespace kestrelle
