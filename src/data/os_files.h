#pragma once
// The operating system's own calls, for what std::filesystem does not give: descriptors that are
// written and flushed to disk, a file replaced by another in one step, the status of a path with
// its modification time to the nanosecond, the process id, the environment, the program's own
// path, and text in a declared encoding. Everything above this file is the same on every system;
// paths here are UTF-8 everywhere (converted to UTF-16 on Windows).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrelle::os {

// Paths between UTF-8 strings and std::filesystem (whose narrow strings are the ANSI code page
// on Windows).
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);
// "/x" here; also "C:/x", "C:\x" and "//server/x" on Windows.
bool IsAbsolutePath(std::string_view path);

enum class FileKind { Missing, File, Folder, Other };
struct FileStatus {
  FileKind kind = FileKind::Missing;
  int64_t size = 0;
  int64_t modifiedSec = 0, modifiedNsec = 0;
};
// Follows links, as stat does.
FileStatus QueryFile(const std::string& path);

// Descriptors: -1 when the file cannot be opened; never inherited by child processes.
int OpenForReading(const std::string& path);
// Created or truncated, readable by everyone (0644) where the system has such modes.
int CreateForWriting(const std::string& path);
// The size when the descriptor is a regular file.
std::optional<int64_t> RegularFileSize(int fd);
// Up to `size` bytes at `offset`, leaving the descriptor's own position alone where the system
// allows it; -1 on an error. Interrupted calls are retried.
int64_t ReadAt(int fd, void* buffer, size_t size, int64_t offset);
// Everything or false; interrupted calls are retried.
bool WriteAll(int fd, const void* data, size_t size);
// The file's data is on the disk when this returns true.
bool FlushToDisk(int fd);
bool CloseFile(int fd);

bool RemoveFile(const std::string& path);
// Gives `target` the second name `link` (a hard link); false where the file system cannot.
bool LinkFile(const std::string& target, const std::string& link);
// Renames `from` over `to` in one step: `to` is the old file or the new one, never missing.
bool RenameReplacing(const std::string& from, const std::string& to);
// Puts a folder's own entries (a rename just made in it) on the disk, where the system asks for
// that separately.
void FlushFolder(const std::string& folder);

// stdio streams for writing, with 64-bit positions.
std::FILE* OpenStdioForWriting(const std::string& path);
int SeekStdio(std::FILE* file, int64_t offset, int whence);
int64_t TellStdio(std::FILE* file);

int ProcessId();
bool SetEnvironment(const std::string& name, const std::string& value);
// The running program's file, or "" when the system cannot tell.
std::string ExecutablePath();
// The folder where programs keep the user's data ($XDG_DATA_HOME or ~/.local/share here,
// %APPDATA% on Windows), or "" when there is none.
std::string UserDataBase();

// Converts `bytes` in the encoding named by `label` (as an XML declaration names it) to UTF-8
// with the system's converter. False when the system does not know the encoding or the bytes are
// not valid in it.
bool DecodeWithSystem(const std::string& label, std::string_view bytes, std::string& out);

}  // namespace kestrelle::os
