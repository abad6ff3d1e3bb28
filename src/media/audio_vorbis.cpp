#include "media/audio_vorbis.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "media/audio_resample.h"

namespace kestrelle {

namespace {

struct MemoryFile {
  std::shared_ptr<const std::string> bytes;
  std::size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  if (size == 0) return 0;
  const std::size_t left = file->bytes->size() - file->pos;
  const std::size_t items = std::min(count, left / size);
  std::memcpy(ptr, file->bytes->data() + file->pos, items * size);
  file->pos += items * size;
  return items;
}

int MemSeek(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(source);
  const auto size = static_cast<ogg_int64_t>(file->bytes->size());
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR)
    base = static_cast<ogg_int64_t>(file->pos);
  else if (whence == SEEK_END)
    base = size;
  else if (whence != SEEK_SET)
    return -1;
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > size) return -1;
  file->pos = static_cast<std::size_t>(target);
  return 0;
}

long MemTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->pos); }

class VorbisStream final : public AudioStream {
 public:
  explicit VorbisStream(std::shared_ptr<const std::string> bytes) { file_.bytes = std::move(bytes); }
  ~VorbisStream() override {
    if (open_) ov_clear(&vf_);
  }

  // Returns the stream's rate, or 0 with `error` set.
  int Open(std::string* error) {
    const ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
    if (ov_open_callbacks(&file_, &vf_, nullptr, 0, callbacks) != 0) {
      if (error) *error = "not a readable Ogg Vorbis stream";
      return 0;
    }
    open_ = true;
    const vorbis_info* info = ov_info(&vf_, -1);
    if (!info || info->channels < 1 || info->channels > 2) {
      if (error) *error = "only mono and stereo Vorbis streams are supported";
      return 0;
    }
    if (info->rate < 1000 || info->rate > 384000) {
      if (error) *error = "implausible sample rate";
      return 0;
    }
    return static_cast<int>(info->rate);
  }

  int Read(float* stereo, int frames) override {
    int written = 0;
    int failures = 0;
    while (written < frames && !ended_) {
      float** pcm = nullptr;
      int section = 0;
      const long got = ov_read_float(&vf_, &pcm, frames - written, &section);
      if (got == 0) {
        ended_ = true;
      } else if (got < 0) {
        // A hole in the data is skipped; anything else, or holes without end, ends the stream.
        if (got != OV_HOLE || ++failures > 8) ended_ = true;
      } else {
        const vorbis_info* info = ov_info(&vf_, section);
        const int channels = info ? info->channels : 0;
        for (long i = 0; i < got; ++i) {
          const float left = channels >= 1 ? pcm[0][i] : 0.0f;
          const float right = channels >= 2 ? pcm[1][i] : left;
          stereo[2 * (written + i)] = left;
          stereo[2 * (written + i) + 1] = right;
        }
        written += static_cast<int>(got);
      }
    }
    return written;
  }

  bool Rewind() override {
    ended_ = false;
    return ov_raw_seek(&vf_, 0) == 0;
  }

 private:
  MemoryFile file_;
  OggVorbis_File vf_{};
  bool open_ = false;
  bool ended_ = false;
};

}  // namespace

bool LooksLikeOgg(std::string_view bytes) { return bytes.size() >= 4 && bytes.substr(0, 4) == "OggS"; }

std::unique_ptr<AudioStream> OpenVorbisStream(std::shared_ptr<const std::string> bytes, std::string* error) {
  if (!bytes) return nullptr;
  auto stream = std::make_unique<VorbisStream>(std::move(bytes));
  const int rate = stream->Open(error);
  if (rate == 0) return nullptr;
  return MakeResamplingStream(std::move(stream), rate, kMixRate);
}

}  // namespace kestrelle
