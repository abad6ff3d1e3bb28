#include "media/streams.h"

#include <cstring>

#include "data/os_files.h"

namespace kestrelle {

std::optional<std::string> ReadRestOfStream(TStream& stream) {
  std::string out;
  int64_t size = stream.Size(), position = stream.Position();
  if (size > position) out.reserve(static_cast<size_t>(size - position));
  char chunk[16384];
  for (;;) {
    size_t n = stream.Read(chunk, sizeof chunk);
    if (n == 0) break;
    out.append(chunk, n);
  }
  if (stream.Position() < size) return std::nullopt;  // stopped early: a read error
  return out;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (position_ > bytes_.size()) bytes_.resize(position_);
  size_t overlap = std::min(count, bytes_.size() - position_);
  std::memcpy(bytes_.data() + position_, buffer, overlap);
  bytes_.append(static_cast<const char*>(buffer) + overlap, count - overlap);
  position_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? Position() : Size();
  int64_t target = base + offset;
  if (target < 0) return -1;
  position_ = static_cast<size_t>(target);
  return target;
}

std::unique_ptr<TBufferedFileStream> TBufferedFileStream::Open(const std::string& nativePath) {
  int fd = os::OpenForReading(nativePath);
  if (fd < 0) return nullptr;
  std::optional<int64_t> size = os::RegularFileSize(fd);
  if (!size) {
    os::CloseFile(fd);
    return nullptr;
  }
  return std::unique_ptr<TBufferedFileStream>(new TBufferedFileStream(fd, *size));
}

TBufferedFileStream::~TBufferedFileStream() { os::CloseFile(fd_); }

size_t TBufferedFileStream::Read(void* buffer, size_t count) {
  char* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < count) {
    if (bufferStart_ == bufferEnd_) {
      if (count - done >= kBufferSize) {
        // Large reads go straight to the caller's memory.
        int64_t n = os::ReadAt(fd_, out + done, count - done, position_);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
        position_ += n;
        continue;
      }
      int64_t n = os::ReadAt(fd_, buffer_, kBufferSize, position_);
      if (n <= 0) break;
      bufferStart_ = 0;
      bufferEnd_ = static_cast<size_t>(n);
    }
    size_t n = std::min(count - done, bufferEnd_ - bufferStart_);
    std::memcpy(out + done, buffer_ + bufferStart_, n);
    bufferStart_ += n;
    done += n;
    position_ += static_cast<int64_t>(n);
  }
  return done;
}

int64_t TBufferedFileStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : size_;
  int64_t target = base + offset;
  if (target < 0) return -1;
  bufferStart_ = bufferEnd_ = 0;
  position_ = target;
  return target;
}

std::unique_ptr<TFileWriteStream> TFileWriteStream::Create(const std::string& nativePath) {
  std::FILE* file = os::OpenStdioForWriting(nativePath);
  if (!file) return nullptr;
  return std::unique_ptr<TFileWriteStream>(new TFileWriteStream(file));
}

TFileWriteStream::~TFileWriteStream() { std::fclose(file_); }

size_t TFileWriteStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, file_); }

int64_t TFileWriteStream::Seek(int64_t offset, SeekOrigin origin) {
  int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
  if (os::SeekStdio(file_, offset, whence) != 0) return -1;
  return Position();
}

int64_t TFileWriteStream::Position() { return os::TellStdio(file_); }

int64_t TFileWriteStream::Size() {
  int64_t here = Position();
  os::SeekStdio(file_, 0, SEEK_END);
  int64_t end = Position();
  os::SeekStdio(file_, here, SEEK_SET);
  return end;
}

}  // namespace kestrelle
