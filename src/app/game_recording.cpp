#include "app/game_recording.h"

#include <chrono>

#include "app/engine.h"

namespace kestrelle {

GameRecorder::~GameRecorder() {
  if (!open_) return;
  SetEngineFrameTap(nullptr);
  SetEngineStartSeed(std::nullopt);
  writer_->Close();
}

bool GameRecorder::Open(const std::string& path, uint64_t seed) {
  if (!writer_->Open(path, seed)) return false;
  open_ = true;
  SetEngineStartSeed(seed);
  std::weak_ptr<RecordingWriter> writer = writer_;
  SetEngineFrameTap([writer](uint32_t measured) {
    if (auto w = writer.lock()) w->Frame(measured);
    return measured;
  });
  return true;
}

DeviceSet GameRecorder::Wrap(DeviceSet devices) const {
  std::weak_ptr<TopScreenProbe> probe = probe_;
  devices.events = std::make_shared<RecordingEventSource>(devices.events, writer_, [probe] {
    auto p = probe.lock();
    return p ? p->TopScreenName() : std::string();
  });
  return devices;
}

uint64_t SeedFromTimeOfDay() {
  using namespace std::chrono;
  auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return static_cast<uint64_t>(now % (24LL * 60 * 60 * 1000));
}

}  // namespace kestrelle
