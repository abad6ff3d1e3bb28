#include "data/file_system.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "data/os_files.h"
#include "data/size_limits.h"

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

// The rename that replaced a file is on the disk only once its folder is.
void SyncFolderOf(const std::string& path) {
  std::string folder = os::Utf8FromPath(os::PathFromUtf8(path).parent_path());
  if (folder.empty()) folder = ".";
  os::FlushFolder(folder);
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
  if (os::IsAbsolutePath(tail)) return tail;
  std::string head = NativePath(folder);
  if (!head.empty() && head.back() != '/') head += '/';
  return head + tail;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(os::PathFromUtf8(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(os::PathFromUtf8(path), ec);
}

bool CreateDirectories(const std::string& path) {
  std::error_code ec;
  fs::create_directories(os::PathFromUtf8(path), ec);
  return DirectoryExists(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Only regular files, and only of a plausible size: a data path naming a device or a pipe
  // ("/dev/zero") must not read forever.
  std::error_code ec;
  if (!fs::is_regular_file(os::PathFromUtf8(path), ec)) return std::nullopt;
  uintmax_t size = fs::file_size(os::PathFromUtf8(path), ec);
  if (ec || size > kLargestReadableFile) {
    if (!ec) LogLine("file too large to read: " + path);
    return std::nullopt;
  }
  std::ifstream in(os::PathFromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".tmp-" + std::to_string(os::ProcessId());
  int fd = os::CreateForWriting(temp);
  if (fd < 0) return false;
  size_t toWrite = bytes.size();
  bool injected = false;
  if (FailureAfter() && *FailureAfter() < toWrite) {
    toWrite = *FailureAfter();
    injected = true;
  }
  bool ok = os::WriteAll(fd, bytes.data(), toWrite) && !injected && os::FlushToDisk(fd);
  ok = os::CloseFile(fd) && ok;
  if (!ok) {
    os::RemoveFile(temp);
    return false;
  }
  // Keep the previous version: a hard link keeps `path` in place until the rename replaces it.
  if (FileExists(path)) {
    std::string backup = path + ".bak";
    os::RemoveFile(backup);
    if (!os::LinkFile(path, backup)) {
      std::error_code ec;
      fs::copy_file(os::PathFromUtf8(path), os::PathFromUtf8(backup), fs::copy_options::overwrite_existing, ec);
    }
  }
  if (!os::RenameReplacing(temp, path)) {
    os::RemoveFile(temp);
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
  fs::copy_file(os::PathFromUtf8(path), os::PathFromUtf8(target), fs::copy_options::none, ec);
  if (ec) return {};
  LogLine("kept damaged file " + path + " as " + target);
  return target;
}

void SetAtomicWriteFailureAfter(std::optional<size_t> bytes) { FailureAfter() = bytes; }

void LogLine(std::string_view text) {
  std::cerr << "kestrelle: " << text << '\n';
  if (!LogFilePath().empty()) {
    std::ofstream out(os::PathFromUtf8(LogFilePath()), std::ios::app);
    if (out) out << text << '\n';
  }
}

void SetLogFile(const std::string& path) { LogFilePath() = path; }

}  // namespace kestrelle
