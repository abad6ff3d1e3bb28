#pragma once
// The device layer: what the engine needs from the machine, behind small interfaces, so that the
// same engine runs on a real window (SDL) or on the headless back end of the runner and the
// tests. Nothing above this layer sees SDL.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace kestrelle {

// A 32-bit picture in memory: pixels 0x00RRGGBB in little-endian words (bytes blue, green, red,
// ignored), `pitch` bytes from one row to the next.
struct PictureView {
  const uint32_t* pixels = nullptr;
  int pitch = 0;
  int width = 0;
  int height = 0;
};

// Left, top, right, bottom; right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct VideoMode {
  int width = 0;
  int height = 0;
  bool fullScreen = false;
  // Full screen only: keep the picture's proportions with bars; otherwise it is stretched.
  bool wideScreen = false;
  friend bool operator==(const VideoMode&, const VideoMode&) = default;
};

enum class DeviceState {
  Ready,     // present as usual
  Restored,  // the device was reset and is usable again; the picture is uploaded whole next time
  NotReady,  // no mode set, or the device cannot be used now
};

// The window and the presentation of the picture.
class IVideoDevice {
 public:
  virtual ~IVideoDevice() = default;
  // Makes the (hidden) window. False when no window can be made.
  virtual bool OpenWindow(const std::string& title) = 0;
  virtual void DestroyWindow() = 0;
  virtual bool HasWindow() const = 0;
  // Sets the window up for the mode and shows it. The windowed position is centred the first
  // time and kept across mode switches. False leaves the device not ready.
  virtual bool SetMode(const VideoMode& mode) = 0;
  virtual void SetCaption(const std::string& utf8) = 0;
  // Called before every frame.
  virtual DeviceState CheckDevice() = 0;
  // Uploads the given rectangles of the picture (everything after a mode change or a reset)
  // and shows the picture. Does nothing without a window or while not ready.
  virtual void Present(const PictureView& picture, const std::vector<PixelRect>& changed) = 0;
  // Pointer position in picture coordinates; false when unknown.
  virtual bool GetCursorPos(int& x, int& y) = 0;
  virtual void SetCursorPos(int x, int y) = 0;
  virtual void ShowCursor(bool visible) = 0;
  virtual void Minimize() = 0;
  // Size of the desktop the window is on.
  virtual void GetDesktopSize(int& width, int& height) = 0;
};

// The message queue of the window.
class IEventSource {
 public:
  virtual ~IEventSource() = default;
  // Takes the next message, if any.
  virtual bool PollMessage(Message& out) = 0;
  // Blocks until a message is waiting.
  virtual void WaitMessage() = 0;
  // Appends a message to the queue.
  virtual void Post(const Message& message) = 0;
  // Appends WM_QUIT.
  void PostQuit(int exitCode = 0) { Post(Message{WM_QUIT, static_cast<uintptr_t>(exitCode), 0}); }
};

// The millisecond timer and the sleep of the frame loop.
class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since some start; wraps around after 49.7 days like any 32-bit timer.
  virtual uint32_t Now() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

// Opening files and web addresses with the desktop's programs.
class IShell {
 public:
  virtual ~IShell() = default;
  virtual bool OpenURL(const std::string& address) = 0;
  virtual bool OpenFile(const std::string& path) = 0;
};

// Sound output pulling interleaved signed 16-bit frames from a mixer callback.
class IAudioDevice {
 public:
  // Fills `frames` frames of `channels` interleaved samples.
  using PullCallback = std::function<void(int16_t* samples, int frames)>;
  virtual ~IAudioDevice() = default;
  // Starts paused. False when there is no audio device.
  virtual bool Open(int rate, int channels, PullCallback callback) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void SetPaused(bool paused) = 0;
  // Held around changes to state the callback reads (the callback may run on another thread).
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
};

struct DeviceSet {
  std::shared_ptr<IVideoDevice> video;
  std::shared_ptr<IEventSource> events;
  std::shared_ptr<IClock> clock;
  std::shared_ptr<IShell> shell;
  std::shared_ptr<IAudioDevice> audio;
};

// The process-wide choice of devices: `main` leaves the SDL default, the headless runner and the
// tests install their own. The engine asks for a set when it starts.
using DeviceFactory = std::function<DeviceSet()>;
void SetDeviceFactory(DeviceFactory factory);
// A new device set from the installed factory (the SDL devices when none is installed).
DeviceSet CreateDevices();
DeviceSet CreateSdlDevices();

}  // namespace kestrelle
