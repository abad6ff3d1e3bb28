// cat: a data path read through the resource reader, exactly as the game reads it from its
// program folder (loose folders, ".pak" archives standing in for them, any letter case).
#include <cstdio>

#include "data/process_settings.h"
#include "data/user_files.h"
#include "media/reader.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

int RunCat(const Args& args) {
  std::string appDir, path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--app-dir" && i + 1 < args.size()) {
      appDir = args[++i];
    } else if (path.empty()) {
      path = args[i];
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) return Fail("usage: kestrelle-data cat [--app-dir DIR] PATH");
  if (!appDir.empty()) SetAppPath(appDir);
  Settings().ArchiveExtension = ".pak";  // as the game's start-up sets it
  std::optional<std::string> bytes = ReadResourceFile(path);
  if (!bytes) {
    std::fprintf(stderr, "kestrelle-data: no stream for %s\n", path.c_str());
    return 1;
  }
  return WriteAllOutput(*bytes) ? 0 : 1;
}

}  // namespace kestrelle::data_tool
