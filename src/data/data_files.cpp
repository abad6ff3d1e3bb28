#include "data/data_files.h"

#include <filesystem>
#include <mutex>

#include "data/file_system.h"
#include "data/os_files.h"
#include "data/text_encoding.h"
#include "data/user_files.h"

namespace kestrelle {

namespace {
std::mutex& ReaderMutex() {
  static std::mutex mutex;
  return mutex;
}
DataFileReader& InstalledReader() {
  static DataFileReader reader;
  return reader;
}

bool IsResourceName(std::string_view name) {
  return name.size() >= 4 && EqualsIgnoreAsciiCase(name.substr(0, 4), "res:");
}
}  // namespace

std::string DataFilePath(std::string_view name) {
  static constexpr std::string_view kAppPath = "%apppath%";
  std::string expanded;
  std::string upperName = AsciiUpper(name);
  std::string upperKey = AsciiUpper(kAppPath);
  size_t pos = 0;
  while (true) {
    size_t hit = upperName.find(upperKey, pos);
    if (hit == std::string::npos) break;
    expanded.append(name.substr(pos, hit - pos));
    expanded += GetAppPath();
    pos = hit + kAppPath.size();
  }
  expanded.append(name.substr(pos));
  std::string native = NativePath(expanded);
  if (!native.empty() && native.front() == '/') return native;
  return JoinPath(GetAppPath(), native);
}

std::optional<std::string> ReadDataFileFromDisk(const std::string& name) {
  if (IsResourceName(name)) return std::nullopt;
  std::string path = DataFilePath(name);
  if (!FileExists(path)) return std::nullopt;
  return ReadWholeFile(path);
}

std::optional<std::string> ReadDataFile(const std::string& name) {
  DataFileReader reader;
  {
    std::lock_guard lock(ReaderMutex());
    reader = InstalledReader();
  }
  return reader ? reader(name) : ReadDataFileFromDisk(name);
}

bool WriteDataFile(const std::string& name, std::string_view bytes) {
  if (IsResourceName(name)) return false;
  std::string path = DataFilePath(name);
  std::string folder = os::Utf8FromPath(os::PathFromUtf8(path).parent_path());
  if (!folder.empty() && !DirectoryExists(folder) && !CreateDirectories(folder)) return false;
  return WriteFileAtomic(path, bytes);
}

void SetDataFileReader(DataFileReader reader) {
  std::lock_guard lock(ReaderMutex());
  InstalledReader() = std::move(reader);
}

}  // namespace kestrelle
