#pragma once
// Recording a run of the game (`kestrelle --record FILE`, `kestrelle-headless --record FILE`):
// the seed, every frame's elapsed time and every device message, with the screen on top when it
// was taken, written as the game runs (format: docs/recording-format.md).

#include <cstdint>
#include <memory>
#include <string>

#include "app/engine_interface.h"
#include "app/top_screen_probe.h"
#include "platform/devices.h"
#include "platform/input_recording.h"

namespace kestrelle {

class GameRecorder {
 public:
  GameRecorder() = default;
  GameRecorder(const GameRecorder&) = delete;
  GameRecorder& operator=(const GameRecorder&) = delete;
  // Removes the engine hooks and closes the file.
  ~GameRecorder();

  // Makes the file, writes the seed, makes it the engine's start seed and taps the engine's
  // frames. False when the file cannot be made.
  bool Open(const std::string& path, uint64_t seed);
  // The same devices with the messages recorded on their way to the engine.
  DeviceSet Wrap(DeviceSet devices) const;
  // The engine whose top screen is named with each message.
  void SetEngine(const EngineRef& engine) { probe_->SetEngine(engine); }
  // A picture taken between frames, so that a replay takes it at the same place.
  void Shot(const std::string& name) { writer_->Shot(name); }
  uint64_t Frames() const { return writer_->Frames(); }

 private:
  std::shared_ptr<RecordingWriter> writer_ = std::make_shared<RecordingWriter>();
  std::shared_ptr<TopScreenProbe> probe_ = std::make_shared<TopScreenProbe>();
  bool open_ = false;
};

// A seed from the time of day, for a recorded run that was given none.
uint64_t SeedFromTimeOfDay();

}  // namespace kestrelle
