#pragma once
// The seam between the mixer and whatever plays its output: the platform layer's sound device
// (its own thread pulls the mixer) or its headless device (pulled by the virtual clock). Nothing
// here knows about a device library.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace kestrelle {

// Held by the main thread while it changes what the pull function reads.
class IAudioLock {
 public:
  virtual ~IAudioLock() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

class IAudioOutput : public IAudioLock {
 public:
  // Fills `frames` stereo frames of interleaved 16-bit samples. A device calls it on its own
  // thread with the output locked (Lock() from the main thread waits for it to return).
  using PullFunction = std::function<void(std::int16_t* interleaved, int frames)>;

  // Starts pulling at `sampleRate` (stereo, 16-bit). False when there is no device: the game
  // then runs silent.
  virtual bool Open(int sampleRate, PullFunction pull) = 0;
  // Stops pulling; after it returns the pull function is not called again.
  virtual void Close() = 0;
};

// An output over a device of the platform layer: anything with Open(rate, channels, pull),
// Close(), Lock() and Unlock(). The device's own pause state (focus) stays with its owner.
template <typename Device>
class AudioDeviceOutput final : public IAudioOutput {
 public:
  explicit AudioDeviceOutput(std::shared_ptr<Device> device) : device_(std::move(device)) {}
  bool Open(int sampleRate, PullFunction pull) override {
    return device_ && device_->Open(sampleRate, 2, std::move(pull));
  }
  void Close() override {
    if (device_) device_->Close();
  }
  void Lock() override {
    if (device_) device_->Lock();
  }
  void Unlock() override {
    if (device_) device_->Unlock();
  }

 private:
  std::shared_ptr<Device> device_;
};

}  // namespace kestrelle
