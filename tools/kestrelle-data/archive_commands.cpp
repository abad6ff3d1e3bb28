// pack / unpack: resource archives (ZIP files with deflated members and "/" names) as the
// resource reader reads them.
#include <minizip/zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "data/file_system.h"
#include "data/os_files.h"
#include "media/streams.h"
#include "media/zip_archive.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

namespace fs = std::filesystem;

namespace {

int Error(const std::string& text) {
  std::fprintf(stderr, "kestrelle-data: %s\n", text.c_str());
  return 1;
}

// Every regular file under the folder, as "/"-separated names relative to it, sorted so the
// same folder always packs to the same archive.
bool ListFiles(const fs::path& folder, const fs::path& skip, std::vector<std::string>& names) {
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::follow_directory_symlink, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    if (fs::equivalent(it->path(), skip, ec)) continue;  // the archive being written
    std::string name;                                    // UTF-8 with "/" on every system
    for (const fs::path& part : it->path().lexically_relative(folder))
      name += (name.empty() ? "" : "/") + os::Utf8FromPath(part);
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return !ec;
}

int Pack(const fs::path& folder, const fs::path& out) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return Error("not a folder: " + folder.string());
  std::vector<std::string> names;
  if (!ListFiles(folder, out, names)) return Error("could not list the folder " + folder.string());
  fs::path temporary = out;
  temporary += ".part";
  zipFile zip = zipOpen64(temporary.string().c_str(), APPEND_STATUS_CREATE);
  if (!zip) return Error("could not create " + out.string());
  bool ok = true;
  std::string failure;
  for (const std::string& name : names) {
    std::optional<std::string> bytes = ReadWholeFile(os::Utf8FromPath(folder / os::PathFromUtf8(name)));
    if (!bytes || bytes->size() >= 0xFFFFFFFFu) {
      ok = false;
      failure = "could not read " + (folder / name).string();
      break;
    }
    zip_fileinfo info{};
    info.tmz_date.tm_year = 1980;  // a fixed date: the same folder packs to the same bytes
    info.tmz_date.tm_mday = 1;
    if (zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, Z_BEST_COMPRESSION,
                              0) != ZIP_OK ||
        zipWriteInFileInZip(zip, bytes->data(), static_cast<unsigned>(bytes->size())) != ZIP_OK ||
        zipCloseFileInZip(zip) != ZIP_OK) {
      ok = false;
      failure = "could not write " + name + " to " + out.string();
      break;
    }
  }
  if (zipClose(zip, nullptr) != ZIP_OK && ok) {
    ok = false;
    failure = "could not finish " + out.string();
  }
  // The finished archive replaces an earlier one in one step (fs::rename may refuse to on Windows).
  bool renamed = ok && os::RenameReplacing(os::Utf8FromPath(temporary), os::Utf8FromPath(out));
  if (!renamed) {
    fs::remove(temporary, ec);
    return Error(ok ? "could not write " + out.string() : failure);
  }
  return 0;
}

// True when `path` lies inside `root` once links are followed.
bool Inside(const fs::path& root, const fs::path& path) {
  std::error_code ec;
  fs::path canonicalRoot = fs::weakly_canonical(root, ec);
  fs::path canonicalPath = fs::weakly_canonical(path, ec);
  if (ec) return false;
  auto [rootEnd, pathIt] =
      std::mismatch(canonicalRoot.begin(), canonicalRoot.end(), canonicalPath.begin(), canonicalPath.end());
  return rootEnd == canonicalRoot.end() && pathIt != canonicalPath.end();
}

int Unpack(const fs::path& archivePath, const std::optional<fs::path>& outDir) {
  std::unique_ptr<TZipArchive> archive = TZipArchive::Open(TBufferedFileStream::Open(os::Utf8FromPath(archivePath)));
  if (!archive) return Error("not a readable archive: " + archivePath.string());
  const auto& entries = archive->Entries();
  if (!outDir) {
    for (const TZipArchive::Entry& entry : entries)
      std::printf("%s %llu\n", entry.name.c_str(), (unsigned long long)entry.size);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::error_code ec;
  fs::create_directories(*outDir, ec);
  if (!fs::is_directory(*outDir, ec)) return Error("could not create the folder " + outDir->string());
  int status = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const TZipArchive::Entry& entry = entries[i];
    std::string name = entry.name;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!name.empty() && name.back() == '/') continue;  // a folder entry
    if (!entry.safeName) {
      status = Error("skipped a member whose name leaves the folder: " + entry.name);
      continue;
    }
    fs::path target = *outDir / fs::path(name);
    if (!Inside(*outDir, target)) {
      status = Error("skipped a member that would be written outside the folder: " + entry.name);
      continue;
    }
    fs::create_directories(target.parent_path(), ec);
    std::optional<std::string> bytes = archive->Read(static_cast<int>(i));
    if (!bytes) {
      status = Error("could not read the member " + entry.name);
      continue;
    }
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    if (!file) status = Error("could not write " + target.string());
  }
  return status;
}

}  // namespace

int RunPack(const Args& args) {
  if (args.size() != 2) return Fail("usage: kestrelle-data pack FOLDER OUT.pak");
  return Pack(args[0], args[1]);
}

int RunUnpack(const Args& args) {
  if (args.empty() || args.size() > 2) return Fail("usage: kestrelle-data unpack ARCHIVE [OUTDIR]");
  return Unpack(args[0], args.size() == 2 ? std::optional<fs::path>(args[1]) : std::nullopt);
}

}  // namespace kestrelle::data_tool
