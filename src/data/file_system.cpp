#include "data/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace kestrelle {

namespace fs = std::filesystem;

namespace {
std::optional<size_t>& FailureAfter() {
  static std::optional<size_t> failAfter;
  return failAfter;
}
std::string& LogFilePath() {
  static std::string path;
  return path;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  std::string folder = fs::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
}  // namespace

std::string NativePath(std::string_view dataPath) {
  std::string out(dataPath);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string JoinPath(std::string_view folder, std::string_view dataPath) {
  std::string tail = NativePath(dataPath);
  if (!tail.empty() && tail.front() == '/') return tail;  // already absolute
  std::string head = NativePath(folder);
  if (!head.empty() && head.back() != '/') head += '/';
  return head + tail;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool CreateDirectories(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return DirectoryExists(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Only regular files, and only of a plausible size: a data path naming a device or a pipe
  // ("/dev/zero") must not read forever.
  constexpr uintmax_t kLargestFile = uintmax_t{1} << 30;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kLargestFile) {
    if (!ec) LogLine("file too large to read: " + path);
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".tmp-" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t toWrite = bytes.size();
  bool injected = false;
  if (FailureAfter() && *FailureAfter() < toWrite) {
    toWrite = *FailureAfter();
    injected = true;
  }
  bool ok = WriteAll(fd, bytes.data(), toWrite) && !injected && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Keep the previous version: a hard link keeps `path` in place until the rename replaces it.
  if (FileExists(path)) {
    std::string backup = path + ".bak";
    ::unlink(backup.c_str());
    if (::link(path.c_str(), backup.c_str()) != 0) {
      std::error_code ec;
      fs::copy_file(path, backup, fs::copy_options::overwrite_existing, ec);
    }
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

std::string PreserveDamagedFile(const std::string& path) {
  if (!FileExists(path)) return {};
  auto now = std::chrono::system_clock::now();
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
  std::string base = path + ".damaged-" + std::to_string(seconds);
  std::string target = base;
  for (int i = 1; FileExists(target); ++i) target = base + "-" + std::to_string(i);
  std::error_code ec;
  fs::copy_file(path, target, fs::copy_options::none, ec);
  if (ec) return {};
  LogLine("kept damaged file " + path + " as " + target);
  return target;
}

void SetAtomicWriteFailureAfter(std::optional<size_t> bytes) { FailureAfter() = bytes; }

void LogLine(std::string_view text) {
  std::cerr << "kestrelle: " << text << '\n';
  if (!LogFilePath().empty()) {
    std::ofstream out(LogFilePath(), std::ios::app);
    if (out) out << text << '\n';
  }
}

void SetLogFile(const std::string& path) { LogFilePath() = path; }

}  // namespace kestrelle
