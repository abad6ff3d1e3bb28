#pragma once
// The seam between the mixer and whatever plays its output. The platform layer implements an
// output over the sound device (the device's own thread pulls the mixer); the headless output
// is pulled by the virtual clock. Nothing here knows about a device library.

#include <cstdint>
#include <functional>

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

}  // namespace kestrelle
