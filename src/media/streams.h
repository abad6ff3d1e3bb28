#pragma once
// Byte streams the resource reader hands out: a buffered read-only file stream (what archives are
// read through), a memory stream (what archive members are inflated into) and a plain file
// stream for writing.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace kestrelle {

enum class SeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to `count` bytes; returns how many were read (0 at the end or on an error).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes up to `count` bytes; returns how many were written.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  // Moves the position; returns the new position, or -1 when it cannot move there.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t Position() = 0;
  virtual int64_t Size() = 0;
};
using StreamRef = std::unique_ptr<TStream>;

// Reads the rest of the stream from its position; none on a read error.
std::optional<std::string> ReadRestOfStream(TStream& stream);

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Position() override { return static_cast<int64_t>(position_); }
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  const std::string& Bytes() const { return bytes_; }
  std::string TakeBytes() { return std::move(bytes_); }

 private:
  std::string bytes_;
  size_t position_ = 0;
};

// Read-only file stream with a buffer of 1000 bytes; every seek empties the buffer and writing
// does nothing.
class TBufferedFileStream : public TStream {
 public:
  static constexpr size_t kBufferSize = 1000;
  // None when the file cannot be opened for reading.
  static std::unique_ptr<TBufferedFileStream> Open(const std::string& nativePath);
  ~TBufferedFileStream() override;
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void*, size_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Position() override { return position_; }
  int64_t Size() override { return size_; }

 private:
  explicit TBufferedFileStream(int fd, int64_t size) : fd_(fd), size_(size) {}
  int fd_;
  int64_t size_;
  int64_t position_ = 0;  // logical position of the next byte handed out
  char buffer_[kBufferSize];
  size_t bufferStart_ = 0, bufferEnd_ = 0;  // unread bytes of the buffer
};

// A file created (or truncated) for writing.
class TFileWriteStream : public TStream {
 public:
  static std::unique_ptr<TFileWriteStream> Create(const std::string& nativePath);
  ~TFileWriteStream() override;
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Position() override;
  int64_t Size() override;

 private:
  explicit TFileWriteStream(std::FILE* file) : file_(file) {}
  std::FILE* file_;
};

}  // namespace kestrelle
