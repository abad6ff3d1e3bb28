#include "platform/sdl_devices.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "data/file_system.h"
#include "data/global_options.h"

namespace kestrelle {

namespace {

void LogSdlError(const char* what) { LogLine(std::string(what) + ": " + SDL_GetError()); }

// Floor division that stays right for negative positions (a drag left of the picture).
int FloorScale(double value) { return static_cast<int>(std::floor(value)); }

// Room kept for a frame whose size the window system does not tell before the window is shown:
// a title bar and thin edges.
constexpr WindowBorders kAssumedBorders{8, 40, 8, 8};

WindowRect FromSdl(const SDL_Rect& r) { return WindowRect{r.x, r.y, r.w, r.h}; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Video

SdlVideoDevice::SdlVideoDevice() {
  store_.load = [] {
    std::string text;
    return GetGlobalOption(kPlacementOption, text) ? text : std::string();
  };
  store_.save = [](const std::string& text) { SetGlobalOption(kPlacementOption, text); };
}

SdlVideoDevice::~SdlVideoDevice() { DestroyWindow(); }

bool SdlVideoDevice::OpenWindow(const std::string& title) {
  if (window_) return true;
  // Closing the window is a request the game may decline; SDL must not quit by itself.
  SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  // Window coordinates in real pixels on Windows too, so that the window can be sized to the
  // display and the picture scaled by the renderer rather than by the system.
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    LogSdlError("Cannot start the video subsystem");
    return false;
  }
  videoInitialized_ = true;
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 64, 64,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window_) {
    LogSdlError("Cannot create the window");
    DestroyWindow();
    return false;
  }
  // Drivers without a display have no usable GL surface: draw in software there.
  const char* driver = SDL_GetCurrentVideoDriver();
  bool displayless = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  if (!displayless) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) {
    LogSdlError("Cannot create a renderer for the window");
    DestroyWindow();
    return false;
  }
  SDL_StartTextInput();
  return true;
}

void SdlVideoDevice::DestroyWindow() {
  if (window_ && modeSet_) {
    if (!mode_.fullScreen) RememberPlacement();
    if (positionSaved_ && store_.save) store_.save(FormatWindowPlacement(savedPlacement_));
  }
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  textureWidth_ = textureHeight_ = 0;
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  ready_ = false;
  modeSet_ = false;
  if (videoInitialized_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  videoInitialized_ = false;
}

bool SdlVideoDevice::EnsureTexture() {
  if (texture_ && !textureLost_ && textureWidth_ == mode_.width && textureHeight_ == mode_.height) return true;
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, mode_.width, mode_.height);
  textureLost_ = false;
  uploadAll_ = true;
  if (!texture_) {
    LogSdlError("Cannot create the picture texture");
    textureWidth_ = textureHeight_ = 0;
    return false;
  }
  textureWidth_ = mode_.width;
  textureHeight_ = mode_.height;
  return true;
}

bool SdlVideoDevice::SetMode(const VideoMode& mode) {
  ready_ = false;
  if (!window_ || mode.width <= 0 || mode.height <= 0) return false;
  // Remember where and how large the window was, to return there.
  if (modeSet_ && !mode_.fullScreen) RememberPlacement();
  mode_ = mode;
  modeSet_ = true;
  bool ok = true;
  if (mode.fullScreen) {
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      LogSdlError("Cannot switch to full screen");
      ok = false;
    }
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    if (!positionSaved_ || placementPictureW_ != mode.width || placementPictureH_ != mode.height) {
      savedPlacement_ = FirstPlacement(mode);
      placementPictureW_ = mode.width;
      placementPictureH_ = mode.height;
      positionSaved_ = true;
    }
    // The player may resize the window down to half the picture; the picture follows.
    SDL_SetWindowResizable(window_, SDL_TRUE);
    int minW = 0;
    int minH = 0;
    WindowSizeForScale(mode.width, mode.height, 1, 2 * Density(), minW, minH);
    SDL_SetWindowMinimumSize(window_, minW, minH);
    SDL_SetWindowSize(window_, savedPlacement_.w, savedPlacement_.h);
    SDL_SetWindowPosition(window_, savedPlacement_.x, savedPlacement_.y);
  }
  SDL_ShowWindow(window_);
  if (ok) ok = EnsureTexture();
  uploadAll_ = true;
  ready_ = ok;
  return ok;
}

double SdlVideoDevice::Density() const {
  int winW = 0;
  int winH = 0;
  int outW = 0;
  int outH = 0;
  if (!window_ || !renderer_) return 1.0;
  SDL_GetWindowSize(window_, &winW, &winH);
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  if (winW <= 0 || outW <= 0) return 1.0;
  return double(outW) / winW;
}

WindowBorders SdlVideoDevice::Borders() const {
  WindowBorders b;
  if (window_ && SDL_GetWindowBordersSize(window_, &b.top, &b.left, &b.bottom, &b.right) == 0 &&
      b.top + b.left + b.bottom + b.right > 0)
    return b;
  return kAssumedBorders;
}

WindowRect SdlVideoDevice::FirstPlacement(const VideoMode& mode) {
  WindowBorders borders = Borders();
  double density = Density();
  int minW = 0;
  int minH = 0;
  WindowSizeForScale(mode.width, mode.height, 1, 2 * density, minW, minH);
  if (store_.load) {
    if (std::optional<WindowRect> kept = ParseWindowPlacement(store_.load())) {
      for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(d, &usable) == 0 && PlacementFits(*kept, borders, FromSdl(usable), minW, minH))
          return *kept;
      }
    }
  }
  int display = SDL_GetWindowDisplayIndex(window_);
  SDL_Rect usable{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
    usable = SDL_Rect{0, 0, mode.width, mode.height};
  int scale = ChooseWindowScale(mode.width, mode.height, usable.w, usable.h, density, borders);
  WindowRect r;
  WindowSizeForScale(mode.width, mode.height, scale, density, r.w, r.h);
  // Centred in the usable area, frame included.
  r.x = usable.x + borders.left + (usable.w - borders.left - borders.right - r.w) / 2;
  r.y = usable.y + borders.top + (usable.h - borders.top - borders.bottom - r.h) / 2;
  return r;
}

void SdlVideoDevice::RememberPlacement() {
  if (!window_ || (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED)) != 0) return;
  WindowRect r;
  SDL_GetWindowPosition(window_, &r.x, &r.y);
  SDL_GetWindowSize(window_, &r.w, &r.h);
  if (r.w > 0 && r.h > 0) savedPlacement_ = r;
}

void SdlVideoDevice::SetCaption(const std::string& utf8) {
  if (window_) SDL_SetWindowTitle(window_, utf8.c_str());
}

void SdlVideoDevice::OnRenderReset(bool deviceLost) {
  resetPending_ = true;
  if (deviceLost) textureLost_ = true;
}

DeviceState SdlVideoDevice::CheckDevice() {
  if (!window_ || !renderer_ || !modeSet_) return DeviceState::NotReady;
  if (resetPending_) {
    resetPending_ = false;
    ready_ = EnsureTexture();
    uploadAll_ = true;
    return ready_ ? DeviceState::Restored : DeviceState::NotReady;
  }
  if (!ready_) {
    // A mode that failed is retried quietly; nothing is drawn until it works.
    return DeviceState::NotReady;
  }
  return DeviceState::Ready;
}

SDL_Rect SdlVideoDevice::PictureDestination() const {
  int outW = 0;
  int outH = 0;
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  if (outW <= 0 || outH <= 0 || mode_.width <= 0 || mode_.height <= 0) return SDL_Rect{0, 0, outW, outH};
  if (mode_.fullScreen && !mode_.wideScreen) return SDL_Rect{0, 0, outW, outH};
  // Keep the proportions: the largest picture that fits, centred, with bars on two sides.
  WindowRect r = LetterboxRect(mode_.width, mode_.height, outW, outH);
  return SDL_Rect{r.x, r.y, r.w, r.h};
}

bool SdlVideoDevice::WindowGeometry(int& winW, int& winH, int& outW, int& outH, SDL_Rect& dst) const {
  if (!window_ || !renderer_ || mode_.width <= 0 || mode_.height <= 0) return false;
  SDL_GetWindowSize(window_, &winW, &winH);
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  dst = PictureDestination();
  return winW > 0 && winH > 0 && outW > 0 && outH > 0 && dst.w > 0 && dst.h > 0;
}

void SdlVideoDevice::WindowToPicture(int windowX, int windowY, int& pictureX, int& pictureY) const {
  pictureX = windowX;
  pictureY = windowY;
  int winW = 0, winH = 0, outW = 0, outH = 0;
  SDL_Rect dst{};
  if (!WindowGeometry(winW, winH, outW, outH, dst)) return;
  // Window points to output pixels (more of them on a high-density screen), then into the
  // picture's rectangle.
  double ox = (windowX + 0.5) * outW / winW;
  double oy = (windowY + 0.5) * outH / winH;
  OutputToPicture(FromSdl(dst), mode_.width, mode_.height, ox, oy, pictureX, pictureY);
  if (mode_.fullScreen) {
    // The bars are not part of the picture: the cursor and the mouse messages stop at its edges.
    pictureX = std::clamp(pictureX, 0, mode_.width);
    pictureY = std::clamp(pictureY, 0, mode_.height);
  }
}

void SdlVideoDevice::PictureToWindow(int pictureX, int pictureY, int& windowX, int& windowY) const {
  windowX = pictureX;
  windowY = pictureY;
  int winW = 0, winH = 0, outW = 0, outH = 0;
  SDL_Rect dst{};
  if (!WindowGeometry(winW, winH, outW, outH, dst)) return;
  // The middle of the picture's pixel, in output pixels, then in window points.
  double ox = dst.x + (pictureX + 0.5) * dst.w / mode_.width;
  double oy = dst.y + (pictureY + 0.5) * dst.h / mode_.height;
  windowX = static_cast<int>(std::floor(ox * winW / outW));
  windowY = static_cast<int>(std::floor(oy * winH / outH));
}

void SdlVideoDevice::Present(const PictureView& picture, const std::vector<PixelRect>& changed) {
  if (!window_ || !renderer_ || !ready_ || !texture_ || !picture.pixels) return;
  int w = std::min(picture.width, textureWidth_);
  int h = std::min(picture.height, textureHeight_);
  ++presents_;
  if (keepPicture_) {
    // The whole picture each time: it is what a recorded run's checksums are taken of.
    if (keptWidth_ != picture.width || keptHeight_ != picture.height) {
      keptWidth_ = picture.width;
      keptHeight_ = picture.height;
      kept_.assign(size_t(keptWidth_) * size_t(keptHeight_), 0);
    }
    for (int y = 0; y < keptHeight_; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(picture.pixels) +
                                                          ptrdiff_t(y) * picture.pitch);
      uint32_t* target = kept_.data() + size_t(y) * size_t(keptWidth_);
      for (int x = 0; x < keptWidth_; ++x) target[x] = row[x] & 0x00FFFFFFu;
    }
  }
  auto upload = [&](PixelRect r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, w);
    r.bottom = std::min(r.bottom, h);
    if (r.right <= r.left || r.bottom <= r.top) return;
    SDL_Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
    const auto* first =
        reinterpret_cast<const uint8_t*>(picture.pixels) + ptrdiff_t(r.top) * picture.pitch + ptrdiff_t(r.left) * 4;
    SDL_UpdateTexture(texture_, &area, first, picture.pitch);
  };
  if (uploadAll_) {
    upload(PixelRect{0, 0, w, h});
    uploadAll_ = false;
  } else {
    for (const PixelRect& r : changed) upload(r);
  }
  DrawPicture();
  SDL_RenderPresent(renderer_);
}

void SdlVideoDevice::DrawPicture() {
  SDL_Rect dst = PictureDestination();
  // Sharp, repeated pixels at whole multiples in a window; smooth otherwise, and always in full
  // screen.
  SDL_ScaleMode wanted = !mode_.fullScreen && IsWholeMultiple(mode_.width, mode_.height, FromSdl(dst))
                             ? SDL_ScaleModeNearest
                             : SDL_ScaleModeLinear;
  SDL_ScaleMode current = SDL_ScaleModeNearest;
  if (SDL_GetTextureScaleMode(texture_, &current) != 0 || current != wanted) SDL_SetTextureScaleMode(texture_, wanted);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
}

bool SdlVideoDevice::ReadOutput(std::vector<uint32_t>& pixels, int& width, int& height) {
  width = height = 0;
  if (!renderer_ || !texture_) return false;
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0 || width <= 0 || height <= 0) return false;
  DrawPicture();
  pixels.assign(size_t(width) * size_t(height), 0);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4) != 0) {
    LogSdlError("Cannot read the window's picture");
    return false;
  }
  return true;
}

bool SdlVideoDevice::GetCursorPos(int& x, int& y) {
  if (!window_) return false;
  int wx = 0;
  int wy = 0;
  if (SDL_GetMouseFocus() == window_) {
    SDL_GetMouseState(&wx, &wy);
  } else {
    int gx = 0;
    int gy = 0;
    int winX = 0;
    int winY = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(window_, &winX, &winY);
    wx = gx - winX;
    wy = gy - winY;
  }
  WindowToPicture(wx, wy, x, y);
  return true;
}

void SdlVideoDevice::SetCursorPos(int x, int y) {
  if (!window_ || mode_.width <= 0 || mode_.height <= 0) return;
  int winW = 0;
  int winH = 0;
  int outW = 0;
  int outH = 0;
  SDL_GetWindowSize(window_, &winW, &winH);
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  if (winW <= 0 || winH <= 0 || outW <= 0 || outH <= 0) return;
  double ox = 0;
  double oy = 0;
  PictureToOutput(FromSdl(PictureDestination()), mode_.width, mode_.height, x, y, ox, oy);
  SDL_WarpMouseInWindow(window_, FloorScale(ox * winW / outW), FloorScale(oy * winH / outH));
}

void SdlVideoDevice::ShowCursor(bool visible) {
  if (videoInitialized_) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlVideoDevice::Minimize() {
  if (window_) SDL_MinimizeWindow(window_);
}

void SdlVideoDevice::GetDesktopSize(int& width, int& height) {
  width = height = 0;
  int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0) {
    width = mode.w;
    height = mode.h;
  }
}

// ---------------------------------------------------------------------------------------------
// Events

SdlEventSource::SdlEventSource(std::shared_ptr<SdlVideoDevice> video) : video_(std::move(video)) {
  std::weak_ptr<SdlVideoDevice> weak = video_;
  translator_.SetPointMapper([weak](int wx, int wy, int& px, int& py) {
    px = wx;
    py = wy;
    if (auto v = weak.lock()) v->WindowToPicture(wx, wy, px, py);
  });
}

void SdlEventSource::Feed(const SDL_Event& event) {
  if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET) {
    if (video_) video_->OnRenderReset(event.type == SDL_RENDER_DEVICE_RESET);
    return;
  }
  scratch_.clear();
  translator_.Translate(event, scratch_);
  queue_.insert(queue_.end(), scratch_.begin(), scratch_.end());
}

bool SdlEventSource::PollMessage(Message& out) {
  if (queue_.empty() && SDL_WasInit(SDL_INIT_VIDEO)) {
    SDL_Event event;
    while (queue_.empty() && SDL_PollEvent(&event)) Feed(event);
  }
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void SdlEventSource::WaitMessage() {
  while (queue_.empty()) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
      SDL_Delay(10);  // no window: nothing will ever arrive; do not spin
      return;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, 100)) Feed(event);
  }
}

// ---------------------------------------------------------------------------------------------
// Shell

std::string FileUrlFromPath(const std::string& absolutePath) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : absolutePath) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 std::strchr("/-_.~", c) != nullptr;
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

bool SdlShell::OpenURL(const std::string& address) { return SDL_OpenURL(address.c_str()) == 0; }

bool SdlShell::OpenFile(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return false;
  return SDL_OpenURL(FileUrlFromPath(absolute.generic_string()).c_str()) == 0;
}

// ---------------------------------------------------------------------------------------------
// Audio

SdlAudioDevice::~SdlAudioDevice() { Close(); }

void SdlAudioDevice::Trampoline(void* self, Uint8* stream, int length) {
  auto* output = static_cast<SdlAudioDevice*>(self);
  int frameBytes = output->channels_ * 2;
  if (output->callback_) {
    output->callback_(reinterpret_cast<int16_t*>(stream), length / frameBytes);
  } else {
    std::memset(stream, 0, static_cast<size_t>(length));
  }
}

bool SdlAudioDevice::Open(int rate, int channels, PullCallback callback) {
  Close();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    LogSdlError("Cannot start the audio subsystem");
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = static_cast<Uint8>(channels);
  want.samples = 1024;
  want.callback = &SdlAudioDevice::Trampoline;
  want.userdata = this;
  SDL_AudioSpec have{};
  channels_ = channels;
  callback_ = std::move(callback);
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    LogSdlError("Cannot open the audio device");
    callback_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

void SdlAudioDevice::Close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  callback_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::SetPaused(bool paused) {
  if (device_) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void SdlAudioDevice::Lock() {
  if (device_) SDL_LockAudioDevice(device_);
}

void SdlAudioDevice::Unlock() {
  if (device_) SDL_UnlockAudioDevice(device_);
}

// ---------------------------------------------------------------------------------------------
// The set

DeviceSet CreateSdlDevices() {
  DeviceSet set;
  auto video = std::make_shared<SdlVideoDevice>();
  set.video = video;
  set.events = std::make_shared<SdlEventSource>(video);
  set.clock = std::make_shared<SdlClock>();
  set.shell = std::make_shared<SdlShell>();
  set.audio = std::make_shared<SdlAudioDevice>();
  return set;
}

}  // namespace kestrelle
