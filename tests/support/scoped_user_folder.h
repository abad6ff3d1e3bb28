#pragma once
// A user-data folder of the test process's own, named in $KESTRELLE_USER_DIR while it lives:
// the tests of one executable run in parallel processes, so each needs its own player files.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kestrelle::testing {

class ScopedUserFolder {
 public:
  // An empty folder "kestrelle-<name>-<process id>" under the temporary folder.
  explicit ScopedUserFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / ("kestrelle-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    ::setenv("KESTRELLE_USER_DIR", path_.string().c_str(), 1);
  }
  ~ScopedUserFolder() {
    ::unsetenv("KESTRELLE_USER_DIR");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScopedUserFolder(const ScopedUserFolder&) = delete;
  ScopedUserFolder& operator=(const ScopedUserFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kestrelle::testing
