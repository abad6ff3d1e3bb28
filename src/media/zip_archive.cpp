#include "media/zip_archive.h"

#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>

#include "data/text_encoding.h"

namespace kestrelle {

namespace {

// minizip callbacks over a TStream passed as the opaque pointer.
voidpf ZOpen(voidpf opaque, const void*, int) { return opaque; }
uLong ZRead(voidpf, voidpf stream, void* buf, uLong size) { return static_cast<TStream*>(stream)->Read(buf, size); }
uLong ZWrite(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZTell(voidpf, voidpf stream) {
  int64_t position = static_cast<TStream*>(stream)->Position();
  return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}
long ZSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* s = static_cast<TStream*>(stream);
  if (offset > static_cast<ZPOS64_T>(INT64_MAX)) return -1;
  SeekOrigin o = origin == ZLIB_FILEFUNC_SEEK_SET   ? SeekOrigin::Begin
                 : origin == ZLIB_FILEFUNC_SEEK_CUR ? SeekOrigin::Current
                                                    : SeekOrigin::End;
  return s->Seek(static_cast<int64_t>(offset), o) < 0 ? -1 : 0;
}
int ZClose(voidpf, voidpf) { return 0; }  // the archive owns the stream
int ZError(voidpf, voidpf) { return 0; }

std::string Normalize(const std::string& name) {
  std::string out = AsciiUpper(name);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

// Inflates raw deflate data that must come to exactly `size` bytes and end there.
std::optional<std::string> InflateExactly(const std::string& raw, size_t size) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
  std::string out(size + 1, '\0');  // one spare byte shows data beyond the declared size
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  int status = Z_OK;
  size_t inLeft = raw.size(), outLeft = out.size();
  while (status == Z_OK) {
    // zlib counts in 32 bits: feed it in slices.
    z.avail_in = static_cast<uInt>(std::min<size_t>(inLeft, 1u << 30));
    z.avail_out = static_cast<uInt>(std::min<size_t>(outLeft, 1u << 30));
    uInt inBefore = z.avail_in, outBefore = z.avail_out;
    status = inflate(&z, Z_NO_FLUSH);
    inLeft -= inBefore - z.avail_in;
    outLeft -= outBefore - z.avail_out;
    if (status == Z_OK && inBefore == z.avail_in && outBefore == z.avail_out) break;  // no progress
  }
  inflateEnd(&z);
  if (status != Z_STREAM_END || out.size() - outLeft != size) return std::nullopt;
  out.resize(size);
  return out;
}

}  // namespace

bool IsSafeMemberName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.front() == '\\') return false;
  if (name.size() >= 2 && name[1] == ':') return false;  // drive letter
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

std::unique_ptr<TZipArchive> TZipArchive::Open(std::unique_ptr<TStream> stream) {
  if (!stream) return nullptr;
  std::unique_ptr<TZipArchive> archive(new TZipArchive());
  archive->stream_ = std::move(stream);
  zlib_filefunc64_def functions{};
  functions.zopen64_file = ZOpen;
  functions.zread_file = ZRead;
  functions.zwrite_file = ZWrite;
  functions.ztell64_file = ZTell;
  functions.zseek64_file = ZSeek;
  functions.zclose_file = ZClose;
  functions.zerror_file = ZError;
  functions.opaque = archive->stream_.get();
  unzFile zip = unzOpen2_64("archive", &functions);
  if (!zip) return nullptr;
  archive->zip_ = zip;

  const int64_t archiveSize = archive->stream_->Size();
  int status = unzGoToFirstFile(zip);
  while (status == UNZ_OK) {
    unz_file_info64 info{};
    char name[1024];
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) return nullptr;
    Entry entry;
    entry.name.assign(name, std::min<size_t>(info.size_filename, sizeof name - 1));
    entry.size = info.uncompressed_size;
    entry.compressedSize = info.compressed_size;
    entry.method = static_cast<int>(info.compression_method);
    entry.encrypted = (info.flag & 1) != 0;
    entry.safeName = IsSafeMemberName(entry.name) && entry.name.find('\0') == std::string::npos;
    (void)archiveSize;
    unz64_file_pos position{};
    if (unzGetFilePos64(zip, &position) != UNZ_OK) return nullptr;
    int index = static_cast<int>(archive->entries_.size());
    if (entry.safeName) archive->byName_.emplace(Normalize(entry.name), index);  // the first one wins
    archive->entries_.push_back(std::move(entry));
    archive->positions_.emplace_back(position.pos_in_zip_directory, position.num_of_file);
    status = unzGoToNextFile(zip);
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) return nullptr;  // a damaged central directory
  return archive;
}

TZipArchive::~TZipArchive() {
  if (zip_) unzClose(static_cast<unzFile>(zip_));
}

int TZipArchive::Find(const std::string& name) const {
  if (!IsSafeMemberName(name)) return -1;
  auto it = byName_.find(Normalize(name));
  return it == byName_.end() ? -1 : it->second;
}

std::optional<std::string> TZipArchive::Read(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return std::nullopt;
  const Entry& entry = entries_[index];
  if (entry.encrypted || (entry.method != 0 && entry.method != Z_DEFLATED)) return std::nullopt;
  // Declared sizes are only a claim: bound them by what the archive can hold and by what
  // deflate can expand to (about 1032 to 1) before anything is allocated.
  const int64_t archiveSize = stream_->Size();
  if (entry.size > kMaxMemberSize || archiveSize < 0 || entry.compressedSize > static_cast<uint64_t>(archiveSize))
    return std::nullopt;
  if (entry.method == 0 && entry.size != entry.compressedSize) return std::nullopt;
  if (entry.method == Z_DEFLATED && entry.size > entry.compressedSize * 1040 + 64) return std::nullopt;

  unzFile zip = static_cast<unzFile>(zip_);
  unz64_file_pos position{positions_[index].first, positions_[index].second};
  if (unzGoToFilePos64(zip, &position) != UNZ_OK) return std::nullopt;
  // The member's bytes as stored; inflating is ours, so the result is checked against the
  // declared size both ways.
  int method = 0, level = 0;
  if (unzOpenCurrentFile2(zip, &method, &level, 1) != UNZ_OK) return std::nullopt;
  std::string raw(static_cast<size_t>(entry.compressedSize), '\0');
  size_t done = 0;
  bool failed = false;
  while (done < raw.size()) {
    unsigned chunk = static_cast<unsigned>(std::min<size_t>(raw.size() - done, 1u << 20));
    int n = unzReadCurrentFile(zip, raw.data() + done, chunk);
    if (n <= 0) {
      failed = true;
      break;
    }
    done += static_cast<size_t>(n);
  }
  unzCloseCurrentFile(zip);  // the CRC is not enforced
  if (failed) return std::nullopt;
  if (entry.method == 0) return raw;
  return InflateExactly(raw, static_cast<size_t>(entry.size));
}

}  // namespace kestrelle
