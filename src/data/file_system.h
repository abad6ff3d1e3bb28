#pragma once
// The one place where data paths ("\" separators, as the data files write them) become paths of
// this machine, and where files are read and written. Every write of a file the player cares
// about goes through WriteFileAtomic.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrelle {

// "data\ini\x.ini" -> "data/ini/x.ini" on this platform. Absolute paths stay absolute.
std::string NativePath(std::string_view dataPath);
// Joins a folder (with or without trailing separator) and a data path.
std::string JoinPath(std::string_view folder, std::string_view dataPath);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and its parents.
bool CreateDirectories(const std::string& path);

std::optional<std::string> ReadWholeFile(const std::string& path);

// Temporary file in the same folder, written, flushed and fsynced, then renamed over `path`.
// The previous file is kept as `path` + ".bak". On any failure the old file is left untouched
// and false is returned.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// Copies a file that could not be read to `path` + ".damaged-<time>" (never overwriting an
// earlier copy) and returns the new name, or "" when nothing was copied.
std::string PreserveDamagedFile(const std::string& path);

// Test hook: when set, WriteFileAtomic writes at most this many bytes of the temporary file and
// then fails, as a full disk or a crash would.
void SetAtomicWriteFailureAfter(std::optional<size_t> bytes);

// One line to the developer log (stderr, and "kestrelle.log" in the user-data folder when set).
void LogLine(std::string_view text);
void SetLogFile(const std::string& path);

}  // namespace kestrelle
