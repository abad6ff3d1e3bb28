#include "data/file_system_security.h"

namespace kestrelle {

void TFileSystemSecurity::ApplyEveryoneAccess(const std::string& path) {
  // Per-user data folders need no access list on this platform: nothing to apply, nothing to
  // remember. A Windows device layer would set the list here and record the path on success.
  (void)path;
}

TFileSystemSecurity& FileSystemSecurity() {
  static TFileSystemSecurity security;
  return security;
}

}  // namespace kestrelle
