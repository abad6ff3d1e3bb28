#include "media/reader_paths.h"

#include <filesystem>
#include <unordered_map>

#include "data/os_files.h"
#include "data/text_encoding.h"

namespace kestrelle {

namespace {

struct Listing {
  int64_t mtimeSec = 0, mtimeNsec = 0;
  std::unordered_map<std::string, std::string> byUpper;  // upper-cased name -> name on disk
};

std::unordered_map<std::string, Listing>& Listings() {
  static std::unordered_map<std::string, Listing> listings;
  return listings;
}

bool StatKind(const std::string& path, PathKind kind) {
  os::FileKind found = os::QueryFile(path).kind;
  return found == (kind == PathKind::File ? os::FileKind::File : os::FileKind::Folder);
}

// The listing of a folder, re-read when the folder's modification time has changed.
const Listing* ListingOf(const std::string& folder) {
  os::FileStatus st = os::QueryFile(folder);
  if (st.kind != os::FileKind::Folder) return nullptr;
  auto& listings = Listings();
  auto it = listings.find(folder);
  if (it != listings.end() && it->second.mtimeSec == st.modifiedSec && it->second.mtimeNsec == st.modifiedNsec)
    return &it->second;
  if (listings.size() > 4096) listings.clear();
  Listing listing;
  listing.mtimeSec = st.modifiedSec;
  listing.mtimeNsec = st.modifiedNsec;
  std::error_code ec;
  for (std::filesystem::directory_iterator dir(os::PathFromUtf8(folder), ec), end; !ec && dir != end;
       dir.increment(ec)) {
    std::string name = os::Utf8FromPath(dir->path().filename());
    listing.byUpper.emplace(AsciiUpper(name), name);
  }
  return &(listings[folder] = std::move(listing));
}

}  // namespace

std::optional<std::string> ResolvePathIgnoringCase(const std::string& nativePath, PathKind kind) {
  if (nativePath.empty()) return std::nullopt;
  if (StatKind(nativePath, kind)) return nativePath;  // the usual case: spelled as on disk
  // Component by component from the root (or from the current folder for a relative path).
  std::string resolved = nativePath.front() == '/' ? "/" : "";
  size_t start = nativePath.front() == '/' ? 1 : 0;
  while (start <= nativePath.size()) {
    size_t end = nativePath.find('/', start);
    if (end == std::string::npos) end = nativePath.size();
    std::string part = nativePath.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::string candidate = resolved + part;
    if (part != "." && part != ".." && os::QueryFile(candidate).kind == os::FileKind::Missing) {
      const Listing* listing = ListingOf(resolved.empty() ? "." : resolved);
      if (!listing) return std::nullopt;
      auto it = listing->byUpper.find(AsciiUpper(part));
      if (it == listing->byUpper.end()) return std::nullopt;
      candidate = resolved + it->second;
    }
    resolved = end < nativePath.size() ? candidate + "/" : candidate;
  }
  if (!resolved.empty() && resolved.back() == '/' && resolved.size() > 1) resolved.pop_back();
  if (!StatKind(resolved, kind)) return std::nullopt;
  return resolved;
}

void ClearFolderListingCache() { Listings().clear(); }

}  // namespace kestrelle
