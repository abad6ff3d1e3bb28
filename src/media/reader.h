#pragma once
// The resource reader: every data file is opened by its data path through OpenResourceStream.
//
// A data path uses "\" (or "/") separators and ignores ASCII case. A relative path is taken from
// the program folder (GetAppPath). Any folder of the path may be replaced by a ZIP archive of the
// same name with Settings().ArchiveExtension (".pak"): data\images\a.png is read from the folder
// data\images, else from data\images.pak as a.png, else from data.pak as images/a.png. An existing
// folder always wins over an archive beside it.
//
// "res:NAME\member" names a member of the archive NAME among the program's own resources. This
// program carries no resources inside its executable: the resource NAME is the file "res/NAME" in
// the program folder, read as a ZIP archive.
//
// One reader is cached: the last one that delivered a file. When it is an archive, its answer for
// paths under it is final (once a file came from data.pak, data\... stays in data.pak); when it is
// a folder that lacks the file, the lookup walks up as if nothing were cached, so an archive
// standing in for a sub-folder is found whatever was read before.

#include <optional>
#include <string>

#include "media/streams.h"

namespace kestrelle {

class TZipArchive;

class TResourceReader {
 public:
  enum Mode { kUnusable = 0, kFolder = 1, kArchive = 2 };
  // Opens the base (an absolute data path with "\" separators, or "res:NAME").
  explicit TResourceReader(std::string basePath);
  ~TResourceReader();
  Mode GetMode() const { return mode_; }
  const std::string& BasePath() const { return base_; }
  // The member ("\" separators) as a stream, or none.
  StreamRef Deliver(const std::string& member);

 private:
  std::string base_;
  Mode mode_ = kUnusable;
  std::string folder_;  // mode 1: the folder on disk
  std::shared_ptr<TZipArchive> archive_;
};

// The stream of a data path, or none. Not for reading: the file is created (or truncated) for
// writing; "res:" paths then give none. Never throws.
StreamRef OpenResourceStream(const std::string& path, bool forReading = true);
// The whole content of the path's stream; empty when it cannot be opened or read.
bool ReadResourceText(const std::string& path, std::string& text);
std::optional<std::string> ReadResourceFile(const std::string& path);

// Frees the cached reader and the open archives (at exit, and between tests).
void FreeCachedResourceReader();
// Base path of the cached reader and its mode ("" and 0 when there is none).
std::string CachedResourceReaderBase();

// Routes the data layer's ReadDataFile through OpenResourceStream.
void InstallResourceReader();

}  // namespace kestrelle
