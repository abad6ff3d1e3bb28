#pragma once
// The SDL back end of the device layer: one window with a renderer (no vsync) and one streaming
// XRGB texture the picture is uploaded into, rectangle by rectangle. The window is sized to the
// player's display and can be resized: the renderer scales the picture into it, letterboxed.

#include <SDL.h>

#include <deque>
#include <functional>
#include <memory>

#include "platform/devices.h"
#include "platform/sdl_input.h"
#include "platform/window_fit.h"

namespace kestrelle {

class SdlVideoDevice : public IVideoDevice {
 public:
  // Where the last windowed placement is kept between runs (the options record by default).
  struct PlacementStore {
    std::function<std::string()> load;
    std::function<void(const std::string&)> save;
  };
  // The option of the options record that holds the placement.
  static constexpr const char* kPlacementOption = "WindowPlacement";

  SdlVideoDevice();
  ~SdlVideoDevice() override;
  void SetPlacementStore(PlacementStore store) { store_ = std::move(store); }

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
  // picture's edges (0 .. width, 0 .. height); in a window they run on past them (over the bars
  // and outside the window), negative to the left and above, for drags captured outside.
  void WindowToPicture(int windowX, int windowY, int& pictureX, int& pictureY) const;
  // Where the picture lands in the renderer's output, in output pixels: letterboxed in a window
  // and in wide-screen full screen, the whole output in stretched full screen.
  SDL_Rect PictureDestination() const;
  // The window's size in points, the renderer's output in pixels and the picture's place in it;
  // false while any of them is empty (no window, no mode).
  bool WindowGeometry(int& winW, int& winH, int& outW, int& outH, SDL_Rect& dst) const;
  // Output pixels per window coordinate (above 1 on a high-density display).
  double Density() const;
  // Draws the current picture into the renderer again and reads the output back (0x00RRGGBB
  // words, bars included), without showing it. For tests and screenshots.
  bool ReadOutput(std::vector<uint32_t>& pixels, int& width, int& height);
  // Called by the event source for SDL's render reset events.
  void OnRenderReset(bool deviceLost);

  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

  // Keeps a copy of the picture as presented (0x00RRGGBB words, width by height), for the
  // checksums of a recorded run. Off by default: it costs a copy of every changed rectangle.
  void KeepPicture(bool keep) { keepPicture_ = keep; }
  const std::vector<uint32_t>& KeptPicture() const { return kept_; }
  int KeptWidth() const { return keptWidth_; }
  int KeptHeight() const { return keptHeight_; }
  // How many pictures have been presented.
  uint64_t PresentCount() const { return presents_; }
  // Picture coordinates to window coordinates (the inverse of WindowToPicture, to the pixel's
  // top left corner).
  void PictureToWindow(int pictureX, int pictureY, int& windowX, int& windowY) const;

 private:
  bool EnsureTexture();
  // Clears the output and draws the picture into it, with the scaling the destination calls for.
  void DrawPicture();
  // The windowed placement to use the first time: the remembered one when it still fits a
  // display, else the largest whole multiple of the picture that fits, centred.
  WindowRect FirstPlacement(const VideoMode& mode);
  WindowBorders Borders() const;
  // Keeps the current windowed placement (not while maximised or minimised).
  void RememberPlacement();

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
  WindowRect savedPlacement_;
  int placementPictureW_ = 0;
  int placementPictureH_ = 0;
  PlacementStore store_;
  bool videoInitialized_ = false;
  bool keepPicture_ = false;
  std::vector<uint32_t> kept_;
  int keptWidth_ = 0;
  int keptHeight_ = 0;
  uint64_t presents_ = 0;
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
