#pragma once
// The SDL back end of the device layer: one window with a renderer (no vsync) and one streaming
// XRGB texture the picture is uploaded into, rectangle by rectangle.

#include <SDL.h>

#include <deque>
#include <memory>

#include "platform/devices.h"
#include "platform/sdl_input.h"

namespace kestrelle {

class SdlVideoDevice : public IVideoDevice {
 public:
  ~SdlVideoDevice() override;

  bool OpenWindow(const std::string& title) override;
  void DestroyWindow() override;
  bool HasWindow() const override { return window_ != nullptr; }
  bool SetMode(const VideoMode& mode) override;
  void SetCaption(const std::string& utf8) override;
  DeviceState CheckDevice() override;
  void Present(const PictureView& picture, const std::vector<PixelRect>& changed) override;
  bool GetCursorPos(int& x, int& y) override;
  void SetCursorPos(int x, int y) override;
  void ShowCursor(bool visible) override;
  void Minimize() override;
  void GetDesktopSize(int& width, int& height) override;

  // Window coordinates to picture coordinates (rounded down). In full screen they stop at the
  // picture's edges (0 .. width, 0 .. height); in a window they run on past them, negative to
  // the left and above, for drags captured outside the window.
  void WindowToPicture(int windowX, int windowY, int& pictureX, int& pictureY) const;
  // Where the picture lands in the renderer's output, in output pixels.
  SDL_Rect PictureDestination() const;
  // Draws the current picture into the renderer again and reads the output back (0x00RRGGBB
  // words, bars included), without showing it. For tests and screenshots.
  bool ReadOutput(std::vector<uint32_t>& pixels, int& width, int& height);
  // Called by the event source for SDL's render reset events.
  void OnRenderReset(bool deviceLost);

  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

 private:
  bool EnsureTexture();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  VideoMode mode_;
  bool modeSet_ = false;
  bool ready_ = false;
  bool uploadAll_ = true;
  bool resetPending_ = false;
  bool textureLost_ = false;
  bool positionSaved_ = false;
  int savedX_ = 0;
  int savedY_ = 0;
  bool videoInitialized_ = false;
};

class SdlEventSource : public IEventSource {
 public:
  explicit SdlEventSource(std::shared_ptr<SdlVideoDevice> video);
  bool PollMessage(Message& out) override;
  void WaitMessage() override;
  void Post(const Message& message) override { queue_.push_back(message); }
  // Translates one SDL event into the queue (also used by tests to feed made-up events).
  void Feed(const SDL_Event& event);

 private:
  std::shared_ptr<SdlVideoDevice> video_;
  SdlInputTranslator translator_;
  std::deque<Message> queue_;
  std::vector<Message> scratch_;
};

class SdlClock : public IClock {
 public:
  uint32_t Now() override { return SDL_GetTicks(); }
  void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }
};

class SdlShell : public IShell {
 public:
  bool OpenURL(const std::string& address) override;
  bool OpenFile(const std::string& path) override;
};

class SdlAudioDevice : public IAudioDevice {
 public:
  ~SdlAudioDevice() override;
  bool Open(int rate, int channels, PullCallback callback) override;
  void Close() override;
  bool IsOpen() const override { return device_ != 0; }
  void SetPaused(bool paused) override;
  void Lock() override;
  void Unlock() override;

 private:
  static void Trampoline(void* self, Uint8* stream, int length);
  SDL_AudioDeviceID device_ = 0;
  int channels_ = 2;
  PullCallback callback_;
};

// "file:///path" with the characters a URL cannot hold percent-encoded.
std::string FileUrlFromPath(const std::string& absolutePath);

}  // namespace kestrelle
