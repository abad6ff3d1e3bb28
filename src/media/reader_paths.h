#pragma once
// Data paths compare without regard to ASCII case, as on the platform the data was made for. On a
// case-sensitive file system each component of a path is matched against the folder's listing
// (listings are cached and re-read when the folder changes).

#include <optional>
#include <string>

namespace kestrelle {

enum class PathKind { File, Folder };

// The actual name on disk of a native absolute path of that kind, or none when no such entry
// exists under any spelling.
std::optional<std::string> ResolvePathIgnoringCase(const std::string& nativePath, PathKind kind);
// Forgets the cached folder listings.
void ClearFolderListingCache();

}  // namespace kestrelle
