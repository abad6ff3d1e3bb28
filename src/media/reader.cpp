#include "media/reader.h"

#include <list>
#include <set>

#include "data/data_files.h"
#include "data/file_system.h"
#include "data/os_files.h"
#include "data/process_settings.h"
#include "data/size_limits.h"
#include "data/text_encoding.h"
#include "data/user_files.h"
#include "media/reader_paths.h"
#include "media/zip_archive.h"

namespace kestrelle {

namespace {

// Archives opened recently, so that alternating between a loose folder and an archive does not
// read the archive's central directory again each time. Keyed by the file on disk and its stamp.
struct OpenArchive {
  std::string path;
  int64_t size = 0, mtimeSec = 0, mtimeNsec = 0;
  std::shared_ptr<TZipArchive> archive;
};
constexpr size_t kOpenArchiveLimit = 4;

std::list<OpenArchive>& OpenArchives() {
  static std::list<OpenArchive> archives;
  return archives;
}

std::unique_ptr<TResourceReader>& CachedReader() {
  static std::unique_ptr<TResourceReader> reader;
  return reader;
}

// Logs once per archive that exists but cannot be read.
void ReportBadArchive(const std::string& path) {
  static std::set<std::string> reported;
  if (reported.insert(path).second) LogLine("resource archive is not a readable ZIP file: " + path);
}

std::shared_ptr<TZipArchive> OpenArchiveFile(const std::string& nativePath) {
  os::FileStatus st = os::QueryFile(nativePath);
  if (st.kind != os::FileKind::File) return nullptr;
  auto& archives = OpenArchives();
  for (auto it = archives.begin(); it != archives.end(); ++it) {
    if (it->path == nativePath && it->size == st.size && it->mtimeSec == st.modifiedSec &&
        it->mtimeNsec == st.modifiedNsec) {
      archives.splice(archives.begin(), archives, it);
      return it->archive;
    }
  }
  std::shared_ptr<TZipArchive> archive = TZipArchive::Open(TBufferedFileStream::Open(nativePath));
  if (!archive) {
    ReportBadArchive(nativePath);
    return nullptr;
  }
  archives.remove_if([&](const OpenArchive& a) { return a.path == nativePath; });
  archives.push_front({nativePath, st.size, st.modifiedSec, st.modifiedNsec, archive});
  if (archives.size() > kOpenArchiveLimit) archives.pop_back();
  return archive;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreAsciiCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

bool IsResPath(const std::string& path) { return StartsWithIgnoringCase(path, "res:"); }

std::string ToBackslashes(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string AppFolderBackslashed() {
  std::string app = ToBackslashes(GetAppPath());
  if (app.empty() || app.back() != '\\') app += '\\';
  return app;
}

// Length of the root of an absolute "\" path ("\" or "C:\"), 0 for a relative one.
size_t AbsoluteRootLength(const std::string& path) {
  if (!path.empty() && path[0] == '\\') return 1;
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') return 3;
  return 0;
}

// Steps 1 and 3 of the lookup, then the path made absolute; `rootLength` is how far the walk-up
// may cut it.
std::string AbsoluteDataPath(const std::string& path, size_t& rootLength) {
  std::string p = ToBackslashes(path);
  for (size_t from = 0, at; (at = AsciiUpper(p).find("%APPPATH%", from)) != std::string::npos;) {
    std::string app = AppFolderBackslashed();
    p.replace(at, 9, app);
    from = at + app.size();
  }
  if (p.find('\\') == std::string::npos) p = ".\\" + p;
  if (IsResPath(p)) {
    rootLength = 4;
    return p;
  }
  if (size_t root = AbsoluteRootLength(p)) {
    rootLength = root;
    return p;
  }
  std::string app = AppFolderBackslashed();
  rootLength = app.size();
  return app + p;
}

StreamRef OpenForWriting(const std::string& path) {
  size_t rootLength = 0;
  std::string full = AbsoluteDataPath(path, rootLength);
  if (IsResPath(full)) return nullptr;
  std::string native = NativePath(full);
  std::string folder = native.substr(0, native.rfind('/'));
  std::string name = native.substr(native.rfind('/') + 1);
  if (auto existing = ResolvePathIgnoringCase(native, PathKind::File)) return TFileWriteStream::Create(*existing);
  if (auto resolved = ResolvePathIgnoringCase(folder.empty() ? "/" : folder, PathKind::Folder))
    return TFileWriteStream::Create(*resolved + "/" + name);
  return TFileWriteStream::Create(native);
}

StreamRef Lookup(const std::string& path) {
  size_t rootLength = 0;
  const std::string full = AbsoluteDataPath(path, rootLength);
  auto& cached = CachedReader();
  if (cached && StartsWithIgnoringCase(full, cached->BasePath() + "\\")) {
    StreamRef stream = cached->Deliver(full.substr(cached->BasePath().size() + 1));
    if (stream || cached->GetMode() == TResourceReader::kArchive) return stream;
    // A folder that lacks the file: an archive deeper down may stand in for a missing sub-folder.
  }
  std::string rest;
  std::string candidate = full;
  for (;;) {
    size_t cut = candidate.rfind('\\');
    if (cut == std::string::npos || cut < rootLength) return nullptr;
    std::string part = candidate.substr(cut + 1);
    rest = rest.empty() ? part : part + "\\" + rest;
    candidate.resize(cut);
    if (candidate.size() < rootLength) return nullptr;
    auto reader = std::make_unique<TResourceReader>(candidate);
    if (reader->GetMode() == TResourceReader::kUnusable) continue;
    if (StreamRef stream = reader->Deliver(rest)) {
      cached = std::move(reader);
      return stream;
    }
  }
}

}  // namespace

TResourceReader::TResourceReader(std::string basePath) : base_(std::move(basePath)) {
  while (!base_.empty() && base_.back() == '\\') base_.pop_back();
  if (IsResPath(base_)) {
    // A resource of the program: the file res/NAME in the program folder.
    std::string name = base_.substr(4);
    if (name.empty() || name.find_first_of("\\/") != std::string::npos || name == "." || name == "..") return;
    if (auto file = ResolvePathIgnoringCase(NativePath(GetAppPath()) + "res/" + name, PathKind::File)) {
      archive_ = OpenArchiveFile(*file);
      if (archive_) mode_ = kArchive;
    }
    return;
  }
  const std::string native = NativePath(base_);
  if (auto folder = ResolvePathIgnoringCase(native, PathKind::Folder)) {
    folder_ = *folder;
    mode_ = kFolder;
    return;
  }
  std::optional<std::string> file = ResolvePathIgnoringCase(native, PathKind::File);
  if (!file) file = ResolvePathIgnoringCase(native + Settings().ArchiveExtension, PathKind::File);
  if (!file) return;
  archive_ = OpenArchiveFile(*file);
  if (archive_) mode_ = kArchive;
}

TResourceReader::~TResourceReader() = default;

StreamRef TResourceReader::Deliver(const std::string& member) {
  if (mode_ == kFolder) {
    auto file = ResolvePathIgnoringCase(folder_ + "/" + NativePath(member), PathKind::File);
    if (!file) return nullptr;
    auto stream = TBufferedFileStream::Open(*file);
    // Capped like every other whole-file read: a loose file is read whole by its users.
    if (stream && static_cast<uint64_t>(stream->Size()) > kLargestReadableFile) {
      LogLine("file too large to read: " + *file);
      return nullptr;
    }
    return stream;
  }
  if (mode_ == kArchive) {
    std::string name = ToBackslashes(member);
    for (char& c : name)
      if (c == '\\') c = '/';
    std::optional<std::string> bytes = archive_->Read(name);
    if (!bytes) return nullptr;
    return std::make_unique<TMemoryStream>(std::move(*bytes));
  }
  return nullptr;
}

StreamRef OpenResourceStream(const std::string& path, bool forReading) {
  try {
    if (!forReading) return OpenForWriting(path);
    return Lookup(path);
  } catch (...) {
    return nullptr;
  }
}

std::optional<std::string> ReadResourceFile(const std::string& path) {
  try {
    StreamRef stream = OpenResourceStream(path);
    if (!stream) return std::nullopt;
    return ReadRestOfStream(*stream);
  } catch (...) {
    return std::nullopt;
  }
}

bool ReadResourceText(const std::string& path, std::string& text) {
  std::optional<std::string> bytes = ReadResourceFile(path);
  text = bytes ? std::move(*bytes) : std::string();
  return bytes.has_value();
}

void FreeCachedResourceReader() {
  CachedReader().reset();
  OpenArchives().clear();
  ClearFolderListingCache();
}

std::string CachedResourceReaderBase() { return CachedReader() ? CachedReader()->BasePath() : std::string(); }

void InstallResourceReader() {
  SetDataFileReader([](const std::string& name) { return ReadResourceFile(name); });
}

}  // namespace kestrelle
