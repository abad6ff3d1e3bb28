#pragma once
// Builds ZIP archives byte by byte for tests, with every header field under the test's control
// (so damaged and hostile archives can be made as easily as good ones).

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle::test {

struct ZipMember {
  ZipMember(std::string memberName, std::string memberData, uint16_t memberMethod = 8, uint16_t memberFlags = 0,
            std::optional<uint32_t> memberDeclaredSize = std::nullopt)
      : name(std::move(memberName)),
        data(std::move(memberData)),
        method(memberMethod),
        flags(memberFlags),
        declaredSize(memberDeclaredSize) {}
  std::string name;
  std::string data;
  uint16_t method = 8;  // 0 stored, 8 deflated, anything else written as stored bytes
  uint16_t flags = 0;
  std::optional<uint32_t> declaredSize;  // overrides the uncompressed size in both headers
};

inline std::string DeflateRaw(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

inline void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

inline std::string BuildZip(const std::vector<ZipMember>& members) {
  std::string out, directory;
  for (const ZipMember& m : members) {
    std::string payload = m.method == 8 ? DeflateRaw(m.data) : m.data;
    uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size())));
    uint32_t size = m.declaredSize.value_or(static_cast<uint32_t>(m.data.size()));
    uint32_t offset = static_cast<uint32_t>(out.size());
    auto common = [&](std::string& s) {
      Put16(s, 20);  // version needed
      Put16(s, m.flags);
      Put16(s, m.method);
      Put32(s, 0);  // time and date
      Put32(s, crc);
      Put32(s, static_cast<uint32_t>(payload.size()));
      Put32(s, size);
      Put16(s, static_cast<uint32_t>(m.name.size()));
      Put16(s, 0);  // extra field
    };
    Put32(out, 0x04034b50);
    common(out);
    out += m.name;
    out += payload;
    Put32(directory, 0x02014b50);
    Put16(directory, 20);  // version made by
    common(directory);
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += m.name;
  }
  uint32_t directoryOffset = static_cast<uint32_t>(out.size());
  out += directory;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(members.size()));
  Put16(out, static_cast<uint32_t>(members.size()));
  Put32(out, static_cast<uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh temporary folder, removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrelle-media-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& relative, const std::string& bytes) const { WriteBytes(path_ / relative, bytes); }

 private:
  std::filesystem::path path_;
};

}  // namespace kestrelle::test
