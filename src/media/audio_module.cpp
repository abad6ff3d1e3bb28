#include "media/audio_module.h"

#include <libopenmpt/libopenmpt.h>

namespace kestrelle {

namespace {

class ModuleStream final : public AudioStream {
 public:
  explicit ModuleStream(openmpt_module* module) : module_(module) {}
  ~ModuleStream() override { openmpt_module_destroy(module_); }
  ModuleStream(const ModuleStream&) = delete;
  ModuleStream& operator=(const ModuleStream&) = delete;

  int Read(float* stereo, int frames) override {
    int written = 0;
    while (written < frames) {
      const std::size_t got = openmpt_module_read_interleaved_float_stereo(
          module_, kMixRate, static_cast<std::size_t>(frames - written), stereo + 2 * written);
      if (got == 0) break;
      written += static_cast<int>(got);
    }
    return written;
  }

  bool Rewind() override {
    openmpt_module_set_position_seconds(module_, 0.0);
    return true;
  }

 private:
  openmpt_module* module_;
};

}  // namespace

std::unique_ptr<AudioStream> OpenModuleStream(std::string_view bytes, bool loop, std::string* error) {
  int code = 0;
  const char* message = nullptr;
  openmpt_module* module =
      openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
                                         openmpt_error_func_ignore, nullptr, &code, &message, nullptr);
  if (!module) {
    if (error) *error = message && *message ? message : "not a tracker module";
    openmpt_free_string(message);
    return nullptr;
  }
  openmpt_free_string(message);
  openmpt_module_set_repeat_count(module, loop ? -1 : 0);
  return std::make_unique<ModuleStream>(module);
}

}  // namespace kestrelle
