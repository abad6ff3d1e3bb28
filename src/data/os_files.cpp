#include "data/os_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "data/text_encoding.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrelle::os {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::wstring Wide(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

// Names of encodings (compared without case, '-', '_', '.' and ':') and their Windows code pages.
struct CodePageName {
  std::string_view name;
  UINT codePage;
};
constexpr CodePageName kCodePages[] = {
    {"windows1250", 1250}, {"cp1250", 1250},      {"windows1251", 1251}, {"cp1251", 1251},      {"windows1252", 1252},
    {"cp1252", 1252},      {"windows1253", 1253}, {"cp1253", 1253},      {"windows1254", 1254}, {"cp1254", 1254},
    {"windows1255", 1255}, {"cp1255", 1255},      {"windows1256", 1256}, {"cp1256", 1256},      {"windows1257", 1257},
    {"cp1257", 1257},      {"windows1258", 1258}, {"cp1258", 1258},      {"windows874", 874},   {"tis620", 874},
    {"iso88591", 28591},   {"latin1", 28591},     {"iso88592", 28592},   {"latin2", 28592},     {"iso88593", 28593},
    {"iso88594", 28594},   {"iso88595", 28595},   {"iso88596", 28596},   {"iso88597", 28597},   {"iso88598", 28598},
    {"iso88599", 28599},   {"latin5", 28599},     {"iso885913", 28603},  {"iso885915", 28605},  {"latin9", 28605},
    {"koi8r", 20866},      {"koi8u", 21866},      {"ibm437", 437},       {"cp437", 437},        {"ibm850", 850},
    {"cp850", 850},        {"ibm852", 852},       {"cp852", 852},        {"ibm866", 866},       {"cp866", 866},
    {"shiftjis", 932},     {"sjis", 932},         {"windows31j", 932},   {"cp932", 932},        {"eucjp", 20932},
    {"gb2312", 936},       {"gbk", 936},          {"cp936", 936},        {"gb18030", 54936},    {"big5", 950},
    {"cp950", 950},        {"euckr", 949},        {"cp949", 949},        {"macintosh", 10000},  {"usascii", 20127},
    {"ascii", 20127},
};

std::string FoldedLabel(std::string_view label) {
  std::string out;
  for (char c : label)
    if (c != '-' && c != '_' && c != '.' && c != ':') out += c;
  return AsciiLower(out);
}

}  // namespace

fs::path PathFromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8FromPath(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

bool IsAbsolutePath(std::string_view path) {
  if (path.empty()) return false;
  if (path.front() == '/' || path.front() == '\\') return true;
  bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
               path[1] == ':' && (path[2] == '/' || path[2] == '\\');
  return drive;
}

FileStatus QueryFile(const std::string& path) {
  FileStatus status;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return status;
  status.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder
                : (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)  ? FileKind::Other
                                                                   : FileKind::File;
  status.size = static_cast<int64_t>((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
  // 100-nanosecond ticks since 1601, made seconds and nanoseconds since 1970.
  int64_t ticks =
      static_cast<int64_t>((uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime) -
      116444736000000000;
  status.modifiedSec = ticks / 10000000;
  status.modifiedNsec = ticks % 10000000 * 100;
  return status;
}

int OpenForReading(const std::string& path) { return _wopen(Wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT); }

int CreateForWriting(const std::string& path) {
  return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

std::optional<int64_t> RegularFileSize(int fd) {
  struct _stat64 st {};
  if (_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return std::nullopt;
  return static_cast<int64_t>(st.st_size);
}

// No positional read here: the stream owns its descriptor, so seeking first is the same.
int64_t ReadAt(int fd, void* buffer, size_t size, int64_t offset) {
  if (_lseeki64(fd, offset, SEEK_SET) < 0) return -1;
  unsigned count = static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30));
  return _read(fd, buffer, count);
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    unsigned chunk = static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30));
    int n = _write(fd, bytes, chunk);
    if (n < 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// _commit is FlushFileBuffers on the descriptor's handle.
bool FlushToDisk(int fd) { return _commit(fd) == 0; }

bool CloseFile(int fd) { return _close(fd) == 0; }

bool RemoveFile(const std::string& path) { return _wunlink(Wide(path).c_str()) == 0; }

bool LinkFile(const std::string& target, const std::string& link) {
  return CreateHardLinkW(Wide(link).c_str(), Wide(target).c_str(), nullptr) != 0;
}

// Write-through: the move is on the disk when the call returns.
bool RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The write-through move has already put the folder's entries on the disk.
void FlushFolder(const std::string&) {}

std::FILE* OpenStdioForWriting(const std::string& path) { return _wfopen(Wide(path).c_str(), L"wb"); }

int SeekStdio(std::FILE* file, int64_t offset, int whence) { return _fseeki64(file, offset, whence); }

int64_t TellStdio(std::FILE* file) { return _ftelli64(file); }

int ProcessId() { return _getpid(); }

bool SetEnvironment(const std::string& name, const std::string& value) {
  return _putenv_s(name.c_str(), value.c_str()) == 0;
}

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(buffer.data(), n);
    if (buffer.size() > 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string UserDataBase() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return {};
  return Narrow(appData, std::wcslen(appData));
}

bool DecodeWithSystem(const std::string& label, std::string_view bytes, std::string& out) {
  // UTF-16 needs no entry: a declaration readable as ASCII is never in it (see xml_storage.cpp).
  std::string folded = FoldedLabel(label);
  UINT codePage = 0;
  for (const CodePageName& entry : kCodePages)
    if (entry.name == folded) codePage = entry.codePage;
  if (codePage == 0 || bytes.size() > INT_MAX) return false;
  out.clear();
  if (bytes.empty()) return true;
  int length = static_cast<int>(bytes.size());
  int wide = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (wide <= 0) return false;
  std::wstring units(static_cast<size_t>(wide), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, units.data(), wide) != wide)
    return false;
  out = Narrow(units.data(), units.size());
  return true;
}

#else  // POSIX

fs::path PathFromUtf8(const std::string& utf8) { return fs::path(utf8); }

std::string Utf8FromPath(const fs::path& path) { return path.string(); }

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path.front() == '/'; }

FileStatus QueryFile(const std::string& path) {
  FileStatus status;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return status;
  status.kind = S_ISREG(st.st_mode) ? FileKind::File : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
  status.size = static_cast<int64_t>(st.st_size);
  status.modifiedSec = static_cast<int64_t>(st.st_mtim.tv_sec);
  status.modifiedNsec = static_cast<int64_t>(st.st_mtim.tv_nsec);
  return status;
}

int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int CreateForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

std::optional<int64_t> RegularFileSize(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<int64_t>(st.st_size);
}

int64_t ReadAt(int fd, void* buffer, size_t size, int64_t offset) {
  for (;;) {
    ssize_t n = ::pread(fd, buffer, size, offset);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool FlushToDisk(int fd) { return ::fsync(fd) == 0; }

bool CloseFile(int fd) { return ::close(fd) == 0; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool LinkFile(const std::string& target, const std::string& link) { return ::link(target.c_str(), link.c_str()) == 0; }

bool RenameReplacing(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

void FlushFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

std::FILE* OpenStdioForWriting(const std::string& path) { return std::fopen(path.c_str(), "wb"); }

int SeekStdio(std::FILE* file, int64_t offset, int whence) { return fseeko(file, offset, whence); }

int64_t TellStdio(std::FILE* file) { return static_cast<int64_t>(ftello(file)); }

int ProcessId() { return static_cast<int>(::getpid()); }

bool SetEnvironment(const std::string& name, const std::string& value) {
  return ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

std::string ExecutablePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::string UserDataBase() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return {};
}

bool DecodeWithSystem(const std::string& label, std::string_view bytes, std::string& out) {
  iconv_t cd = iconv_open("UTF-8", label.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.assign(bytes.size() * 3 + 64, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  size_t produced = 0;
  bool ok = true;
  bool flushed = false;
  while (ok && !flushed) {
    char* outPtr = out.data() + produced;
    size_t outLeft = out.size() - produced;
    // Once the input is used up, one more call writes any pending shift sequence.
    bool flushing = inLeft == 0;
    size_t result =
        flushing ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft) : iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    produced = out.size() - outLeft;
    if (result == static_cast<size_t>(-1)) {
      if (errno == E2BIG)
        out.resize(out.size() * 2);
      else
        ok = false;
    } else if (flushing) {
      flushed = true;
    }
  }
  iconv_close(cd);
  out.resize(ok ? produced : 0);
  return ok;
}

#endif

}  // namespace kestrelle::os
