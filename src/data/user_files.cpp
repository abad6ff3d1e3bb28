#include "data/user_files.h"

#include <cstdlib>
#include <filesystem>

#include "data/file_system.h"
#include "data/os_files.h"
#include "data/process_settings.h"

namespace kestrelle {

namespace {
std::string& AppPathOverride() {
  static std::string path;
  return path;
}

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ExecutableFolder() {
  std::string exe = os::ExecutablePath();
  std::error_code ec;
  if (exe.empty()) return WithSlash(os::Utf8FromPath(std::filesystem::current_path(ec)));
  return WithSlash(os::Utf8FromPath(os::PathFromUtf8(exe).parent_path()));
}

// Makes one level of folder; true when it exists afterwards.
bool MakeLevel(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directory(os::PathFromUtf8(path), ec);
  return DirectoryExists(path);
}
}  // namespace

std::string GetAppPath() {
  if (!AppPathOverride().empty()) return AppPathOverride();
  return ExecutableFolder();
}

void SetAppPath(const std::string& folder) { AppPathOverride() = folder.empty() ? std::string() : WithSlash(folder); }

std::string GetUserDataPath() {
  if (const char* overrideDir = std::getenv("KESTRELLE_USER_DIR"); overrideDir && *overrideDir) {
    CreateDirectories(overrideDir);
    if (DirectoryExists(overrideDir)) return WithSlash(overrideDir);
    return GetAppPath();
  }
  std::string base = os::UserDataBase();
  if (base.empty() || !CreateDirectories(base)) return GetAppPath();
  std::string result = WithSlash(base);
  std::string maker = result + Settings().MakerName;
  if (MakeLevel(maker)) {
    std::string product = maker + "/" + Settings().ProductName;
    if (MakeLevel(product)) result = product + "/";
  }
  return result;
}

std::string LoadUserTextFile(const std::string& fileName) {
  auto text = ReadWholeFile(JoinPath(GetUserDataPath(), fileName));
  return text ? *text : std::string();
}

std::string ToCrLfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) out += "\r\n";
  return out;
}

bool SaveUserTextFile(const std::string& text, const std::string& fileName) {
  return WriteFileAtomic(JoinPath(GetUserDataPath(), fileName), ToCrLfLines(text));
}

bool SaveAppTextFile(const std::string& text, const std::string& fileName) {
  return WriteFileAtomic(JoinPath(GetAppPath(), fileName), ToCrLfLines(text));
}

}  // namespace kestrelle
