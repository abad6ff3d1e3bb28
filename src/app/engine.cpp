#include "app/engine.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/sounds.h"
#include "data/cipher.h"
#include "data/class_registry.h"
#include "data/data_files.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/os_files.h"
#include "data/process_settings.h"
#include "data/random.h"
#include "data/text_encoding.h"
#include "data/user_files.h"
#include "media/reader.h"

namespace kestrelle {

namespace {

bool IsYes(const Variant& value) { return EqualsIgnoreAsciiCase(value.ToString(), "yes"); }

// Milliseconds since midnight, UTC.
uint64_t MillisecondsSinceMidnight() {
  using namespace std::chrono;
  auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return static_cast<uint64_t>(now % (24LL * 60 * 60 * 1000));
}

// Runs one shutdown or start-up step; a failing step does not stop the ones after it.
template <class F>
void Guarded(const char* what, F&& step) {
  try {
    step();
  } catch (const std::exception& e) {
    LogLine(std::string("Engine: ") + what + " failed: " + e.what());
  } catch (...) {
    LogLine(std::string("Engine: ") + what + " failed");
  }
}

std::optional<uint64_t>& StartSeed() {
  static std::optional<uint64_t> seed;
  return seed;
}

EngineFrameTap& FrameTap() {
  static EngineFrameTap tap;
  return tap;
}

EngineSoundTap& SoundTap() {
  static EngineSoundTap tap;
  return tap;
}

constexpr int32_t kDefaultScreenWidth = 640;
constexpr int32_t kDefaultScreenHeight = 480;

constexpr PixelFormat kStandardPixelFormat{{0x00FF0000u, 16, 8}, {0x0000FF00u, 8, 8}, {0x000000FFu, 0, 8}};

}  // namespace

void SetEngineStartSeed(std::optional<uint64_t> seed) { StartSeed() = seed; }

void SetEngineFrameTap(EngineFrameTap tap) { FrameTap() = std::move(tap); }

void SetEngineSoundTap(EngineSoundTap tap) { SoundTap() = std::move(tap); }

TEngine::~TEngine() = default;

void TEngine::Initialize() {
  TAbstractObject::Initialize();
  config_ = CreateParams();
  backSurface_ = CreateSurface();
  pointerOutside_ = false;
  systemCursorWanted_ = true;
  redrawRequested_ = false;
  fullScreen_ = false;
}

uint32_t TEngine::Now() const { return devices_.clock ? devices_.clock->Now() : 0; }

// ---------------------------------------------------------------------------------------------
// Start, run, shut down

void TEngine::WriteDefaultConfiguration() {
  SetConfigValue("ScreenWidth", std::to_string(kDefaultScreenWidth));
  SetConfigValue("ScreenHeight", std::to_string(kDefaultScreenHeight));
  SetConfigValue("ScreenBPP", "0");
  SetConfigValue("FullScreenMode", "no");
  SetConfigValue("WideScreenMode", "no");
  SetConfigValue("ApplicationCaption", Settings().ProductName);
  SetConfigValue("SoundVolume", "70");
  SetConfigValue("MusicVolume", "30");
  SetConfigValue("ShowFPS", "no");
  SetConfigValue("ShowRects", "yes");
}

bool TEngine::Start(const std::string& gameFileName) {
  bool result = false;
  try {
    devices_ = CreateDevices();
    std::error_code error;
    std::filesystem::current_path(os::PathFromUtf8(NativePath(kestrelle::GetAppPath())), error);
    RandomSeed(StartSeed() ? *StartSeed() : MillisecondsSinceMidnight());

    WriteDefaultConfiguration();
    frameInterval_ = kFrameInterval;
    SetFocused(true);

    if (devices_.video && devices_.events && devices_.clock && devices_.video->OpenWindow(Settings().ProductName)) {
      // The window shows the picture in the standard 32-bit layout whatever the desktop uses.
      pixelFormat_ = kStandardPixelFormat;
      desktopBpp_ = 32;
      Guarded("setting the caption", [&] { UpdateCaption(); });
      Guarded("starting audio", [&] { InitAudio(); });
      result = LoadGame(gameFileName);
    } else {
      LogLine("Engine: the window could not be made");
    }
  } catch (const std::exception& e) {
    LogLine(std::string("Engine: start failed: ") + e.what());
    result = false;
  } catch (...) {
    result = false;
  }
  terminated_ = false;
  if (!result) {
    Shutdown();
    return false;
  }
  return true;
}

bool TEngine::LoadGame(const std::string& gameFileName) {
  bool result = false;
  try {
    std::string text = LoadTextFile(gameFileName, Settings().DataFileKey);
    StorageRef root = text.empty() ? nullptr : LoadStorageFromString(text, gameFileName);
    if (!root) {
      LogLine("Engine: cannot read the game definition \"" + gameFileName + "\"");
    } else {
      std::string name = ReadString(root, "name", "");
      std::string type = ReadString(root, "type", "");
      auto object = CreateObjectFromString(type);
      auto game = std::dynamic_pointer_cast<IGame>(object);
      if (!game) {
        LogLine("Engine: the game definition's type \"" + type + "\" is not a registered game class");
      } else {
        if (auto named = std::dynamic_pointer_cast<INamedObject>(object)) named->SetName(name);
        game_ = game;
        if (auto persistent = std::dynamic_pointer_cast<IPersistent>(object)) persistent->LoadFromStorage(root);
        game->StartGame(SelfAs<IEngine>());
        result = true;
      }
    }
  } catch (const std::exception& e) {
    LogLine(std::string("Engine: loading the game failed: ") + e.what());
    result = false;
  } catch (...) {
    result = false;
  }
  Guarded("emptying the storage cache", [] { ClearOuterStorageCache(); });
  return result;
}

void TEngine::Run() {
  SetActive(true);
  ApplySettings();
  try {
    while (!terminated_) LoopStep();
  } catch (const std::exception& e) {
    LogLine(std::string("Engine: the main loop stopped: ") + e.what());
  } catch (...) {
    LogLine("Engine: the main loop stopped on an unknown exception");
  }
}

void TEngine::Shutdown() {
  Guarded("showing the system cursor", [&] { ShowSystemCursor(); });
  if (game_) {
    GameRef game = game_;
    Guarded("ending the game", [&] { game->EndGame(); });
    game_.reset();
  }
  Guarded("unloading resources", [&] { UnloadResources(""); });
  Guarded("freeing audio", [&] { FreeAudio(); });
  deviceReady_ = false;
  Guarded("destroying the window", [&] {
    if (devices_.video && devices_.video->HasWindow()) devices_.video->DestroyWindow();
  });
#ifdef _WIN32
  // The program's own farewell: a web page and a launcher, when the installation has them.
  Guarded("opening the exit files", [&] {
    if (!devices_.shell) return;
    std::string app = kestrelle::GetAppPath();
    std::string exitUrl = JoinPath(app, "exit.url");
    if (FileExists(exitUrl)) devices_.shell->OpenFile(exitUrl);
    std::string launcher = JoinPath(app, "extras\\launcher.exe");
    if (FileExists(launcher)) devices_.shell->OpenFile(launcher);
  });
#endif
}

// ---------------------------------------------------------------------------------------------
// The loop

void TEngine::LoopStep() {
  // Copies, not references: a nested step (resource loading pumps the loop from inside an
  // update) may change the members.
  DeviceSet devices = devices_;
  if (!devices.events || !devices.clock) {
    terminated_ = true;
    return;
  }
  Message message;
  if (devices.events->PollMessage(message)) {
    if (message.message == WM_QUIT) {
      terminated_ = true;
    } else if (devices.video && devices.video->HasWindow()) {
      // Messages for a window that is gone are dropped.
      WindowProc(message);
    }
    return;
  }
  if (!active_) {
    devices.events->WaitMessage();
    return;
  }
  const uint32_t interval = static_cast<uint32_t>(frameInterval_);
  if (focused_) {
    // Unsigned on purpose: when more than the interval has passed, remaining wraps to a huge
    // value and the frame starts at once.
    uint32_t remaining = interval - (devices.clock->Now() - lastFrameTime_);
    if (remaining <= interval) devices.clock->Sleep(remaining);
  } else {
    devices.clock->Sleep(interval);
    if (fullScreen_) return;
  }
  uint32_t now = devices.clock->Now();
  uint32_t elapsed = now - lastFrameTime_;
  if (const EngineFrameTap tap = FrameTap()) {
    elapsed = tap(elapsed);
    now = devices.clock->Now();
  }
  lastFrameTime_ = now;

  ServiceAudio();

  GameRef game = game_;
  if (game && CheckDevice()) {
    UpdateGame(elapsed);
    SurfaceRef surface = backSurface_;
    if (redrawRequested_ && game_ && surface) game_->Draw(surface);
    Present();
    ValidateAll();
  }
}

void TEngine::UpdateGame(uint32_t elapsedMs) {
  GameRef game = game_;
  if (!game) return;
  game->Update(elapsedMs);
  game->AfterUpdate();
}

bool TEngine::CheckDevice() {
  if (!devices_.video) return false;
  switch (devices_.video->CheckDevice()) {
    case DeviceState::Ready:
      deviceReady_ = true;
      return true;
    case DeviceState::Restored:
      // The time spent restoring is not passed to the game.
      deviceReady_ = true;
      lastFrameTime_ = Now();
      return true;
    case DeviceState::NotReady:
      deviceReady_ = false;
      return false;
  }
  return false;
}

void TEngine::Present() {
  if (!devices_.video || !backSurface_) return;
  const uint32_t* pixels = backSurface_->GetScanLine(0);
  if (!pixels) return;
  PictureView picture{pixels, backSurface_->GetWidth() * 4, backSurface_->GetWidth(), backSurface_->GetHeight()};
  std::vector<PixelRect> changed;
  for (const TClippingRect& r : backSurface_->GetDirtyRegion().Items())
    changed.push_back(PixelRect{r.rect.left, r.rect.top, r.rect.right, r.rect.bottom});
  devices_.video->Present(picture, changed);
}

void TEngine::InvalidateRect(const TRect& rect) {
  if (rect.left > width_ || rect.top > height_ || rect.right <= 0 || rect.bottom <= 0) return;
  TRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width_),
                std::min(rect.bottom, height_)};
  // Empty, or inside out (right left of left): nothing to draw.
  if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return;
  if (!backSurface_) return;
  backSurface_->AddDirtyRect(clipped);
  redrawRequested_ = true;
}

void TEngine::ValidateAll() {
  if (backSurface_) backSurface_->ClearDirty();
  redrawRequested_ = false;
}

void TEngine::SetFocused(bool focused) {
  focused_ = focused;
  if (focused) SetActive(true);
  if (audioLoaded_ && devices_.audio) devices_.audio->SetPaused(!focused);
  if (GameRef game = game_) game->FocusChanged(focused);
}

void TEngine::SetActive(bool active) {
  active_ = active;
  lastFrameTime_ = Now();
}

// ---------------------------------------------------------------------------------------------
// Settings

void TEngine::SetConfigValue(const std::string& name, const Variant& value) {
  if (!config_) return;
  config_->SetValue(name, value);
  if (EqualsIgnoreAsciiCase(name, "MusicVolume")) {
    SetMusicVolume(value);
  } else if (EqualsIgnoreAsciiCase(name, "SoundVolume")) {
    int64_t volume = value.ToInt(soundVolume_);
    soundVolume_ = static_cast<int32_t>(std::clamp<int64_t>(volume, 0, 100));
    audio_.SetSoundVolume(soundVolume_);
  } else if (EqualsIgnoreAsciiCase(name, "ShowFPS")) {
    showFps_ = IsYes(value);
  } else if (EqualsIgnoreAsciiCase(name, "ShowRects")) {
    showRects_ = IsYes(value);
  }
}

Variant TEngine::GetConfigValue(const std::string& name) {
  if (!config_) return Null{};
  return config_->GetValue(name, Null{});
}

void TEngine::ApplySettings() {
  bool modeChanged = false;
  bool sizeChanged = false;
  bool wideChanged = false;
  // A size that is not a positive number keeps the current one; before there is one, the
  // default (a window without a mode would never show and never run a frame).
  auto readSize = [&](const char* name, int32_t defaultSize, int32_t& field) {
    try {
      Variant text = GetConfigValue(name);
      int64_t value = text.ToInt(0);
      if (value <= 0 || value > INT32_MAX) {
        LogLine(std::string("Engine: ") + name + " \"" + text.ToString() + "\" is not a size in pixels");
        if (field > 0) return;
        value = defaultSize;
      }
      if (value != field) {
        field = static_cast<int32_t>(value);
        modeChanged = sizeChanged = true;
      }
    } catch (...) {
    }
  };
  readSize("ScreenWidth", kDefaultScreenWidth, width_);
  readSize("ScreenHeight", kDefaultScreenHeight, height_);
  bool full = IsYes(GetConfigValue("FullScreenMode"));
  if (full != fullScreen_) {
    fullScreen_ = full;
    modeChanged = true;
  }
  // Taken over only in full screen; a change while windowed waits for the next switch.
  bool wide = IsYes(GetConfigValue("WideScreenMode"));
  if (wide != wideScreen_ && fullScreen_) {
    wideScreen_ = wide;
    modeChanged = wideChanged = true;
  }
  try {
    int64_t bpp = GetConfigValue("ScreenBPP").ToInt(0);
    if (bpp != bpp_) {
      bpp_ = static_cast<int32_t>(bpp);
      if (fullScreen_) modeChanged = true;
    }
  } catch (...) {
  }
  if (modeChanged && width_ > 0 && height_ > 0) {
    SetDisplayMode();
    RestoreSurfaces();
  }
  if (sizeChanged && backSurface_) {
    backSurface_->SetSize(width_, height_);
    // The new surface is blank: all of it must be drawn again.
    InvalidateRect(TRect{0, 0, width_, height_});
  }
  Guarded("setting the caption", [&] { UpdateCaption(); });
}

bool TEngine::SetDisplayMode() {
  if (!devices_.video) return deviceReady_ = false;
  VideoMode mode{width_, height_, fullScreen_, fullScreen_ && wideScreen_};
  deviceReady_ = devices_.video->SetMode(mode);
  if (!deviceReady_) LogLine("Engine: the display mode could not be set");
  return deviceReady_;
}

void TEngine::RestoreSurfaces() {
  // The time spent switching is not passed to the game.
  lastFrameTime_ = Now();
}

void TEngine::UpdateCaption() {
  std::string caption = Utf8ToCp1252(GetConfigValue("ApplicationCaption").ToString());
  if (caption == caption_) return;
  caption_ = caption;
  if (devices_.video) devices_.video->SetCaption(Cp1252ToUtf8(caption_));
}

uint32_t TEngine::ColorToPixel(uint32_t colour) {
  if (!deviceReady_) return 0;
  auto channel = [](uint32_t value, const PixelChannel& c) -> uint32_t {
    if (c.bits == 0 || c.bits > 8) return 0;
    return (value >> (8 - c.bits)) << c.shift;
  };
  return channel((colour >> 16) & 0xFF, pixelFormat_.red) | channel((colour >> 8) & 0xFF, pixelFormat_.green) |
         channel(colour & 0xFF, pixelFormat_.blue);
}

// ---------------------------------------------------------------------------------------------
// Window messages

intptr_t TEngine::WindowProc(const Message& m) {
  switch (m.message) {
    case WM_DESTROY:
      if (devices_.events) devices_.events->PostQuit(0);
      return 0;
    case WM_SETFOCUS:
      SetFocused(true);
      return DefaultProcessing(m);
    case WM_KILLFOCUS:
      SetFocused(false);
      return DefaultProcessing(m);
    case WM_CLOSE:
      if (GameRef game = game_; active_ && game) {
        if (!game->CanClose()) return 0;  // the window stays; the game asks its own question
        Close();
      }
      return DefaultProcessing(m);
    case WM_NCHITTEST: {
      if (fullScreen_) return DefaultProcessing(m);
      intptr_t result = DefaultWindowProc(m);
      SetPointerOutside(static_cast<uintptr_t>(result) != HTCLIENT);
      return result;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (GameRef game = game_; active_ && game) return game->KeyEvent(m.message, m.wParam, m.lParam) ? 0 : 1;
      return DefaultProcessing(m);
    case WM_SYSCOMMAND: {
      uintptr_t command = m.wParam & 0xFFF0;
      if (command == SC_KEYMENU) {
        // The menu key's character arrives as a character with the Alt bit.
        if (GameRef game = game_)
          if (game->KeyEvent(WM_CHAR, static_cast<uintptr_t>(m.lParam), kAltContextBit)) return 0;
        return DefaultWindowProc(m);
      }
      if (command == SC_MINIMIZE) {
        SetActive(false);
      } else {
        SetActive(focused_ || !fullScreen_);
      }
      return DefaultWindowProc(m);
    }
    default:
      if (IsMouseMessage(m.message)) {
        if (GameRef game = game_; active_ && game) {
          TPoint point{PointParamX(m.lParam), PointParamY(m.lParam)};
          return game->MouseEvent(m.message, point, static_cast<uint32_t>(m.wParam)) ? 0 : 1;
        }
      }
      return DefaultProcessing(m);
  }
}

intptr_t TEngine::DefaultProcessing(const Message& m) {
  if (hook_) {
    MessageHook hook = hook_;
    hook(m);
  }
  return DefaultWindowProc(m);
}

intptr_t TEngine::DefaultWindowProc(const Message& m) {
  switch (m.message) {
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_NCHITTEST:
      return static_cast<intptr_t>(m.wParam);  // the device's hit result
    case WM_SYSCOMMAND:
      switch (m.wParam & 0xFFF0) {
        case SC_MINIMIZE:
          if (devices_.video) devices_.video->Minimize();
          return 0;
        case SC_CLOSE:
          return WindowProc(Message{WM_CLOSE, 0, 0});
        default:
          return 0;
      }
    default:
      return 0;
  }
}

void TEngine::DestroyWindow() {
  if (!devices_.video || !devices_.video->HasWindow()) return;
  deviceReady_ = false;
  devices_.video->DestroyWindow();
  WindowProc(Message{WM_DESTROY, 0, 0});
}

// ---------------------------------------------------------------------------------------------
// Pointer

TPoint TEngine::GetCursorPos() {
  TPoint point;
  if (devices_.video) devices_.video->GetCursorPos(point.x, point.y);
  return point;
}

void TEngine::SetCursorPos(const TPoint& point) {
  if (devices_.video) devices_.video->SetCursorPos(point.x, point.y);
}

// The system pointer shows when it is wanted or when it is outside the picture.
void TEngine::SetSystemCursorWanted(bool wanted) {
  if (wanted == systemCursorWanted_) return;
  systemCursorWanted_ = wanted;
  if (!pointerOutside_) ApplyCursorVisibility(wanted);
}

void TEngine::SetPointerOutside(bool outside) {
  if (outside == pointerOutside_) return;
  pointerOutside_ = outside;
  if (!systemCursorWanted_) ApplyCursorVisibility(outside);
}

void TEngine::ApplyCursorVisibility(bool visible) {
  if (devices_.video) devices_.video->ShowCursor(visible);
}

// ---------------------------------------------------------------------------------------------
// Shell, files, surfaces

void TEngine::Close() {
  if (devices_.events) devices_.events->Post(Message{WM_CLOSE, 0, 0});
  active_ = false;
}

void TEngine::PostMinimize() {
  if (devices_.events) devices_.events->Post(Message{WM_SYSCOMMAND, SC_MINIMIZE, 0});
}

void TEngine::RunFile(const std::string& fileName) {
  std::string path = DataFilePath(fileName);
  if (!FileExists(path)) return;
  if (devices_.shell) devices_.shell->OpenFile(path);
  PostMinimize();
}

void TEngine::OpenURL(const std::string& address) {
  if (devices_.shell) devices_.shell->OpenURL(address);
  PostMinimize();
}

SurfaceRef TEngine::CreateSurface() {
  if (auto surface = CreateObjectAs<ISurface>("surface")) return surface;
  return Create<TSurface>();
}

std::string TEngine::GetAppPath() { return kestrelle::GetAppPath(); }
std::string TEngine::GetUserDataPath() { return kestrelle::GetUserDataPath(); }
void TEngine::SaveUserTextFile(const std::string& text, const std::string& fileName) {
  kestrelle::SaveUserTextFile(text, fileName);
}
void TEngine::SaveAppTextFile(const std::string& text, const std::string& fileName) {
  kestrelle::SaveAppTextFile(text, fileName);
}

std::string TEngine::LoadTextFile(const std::string& fileName, const std::string& key) {
  try {
    std::optional<std::string> data = ReadDataFile(fileName);
    if (!data) return {};
    if (key.empty()) return *data;
    return DecipherFromHex(key, *data);
  } catch (...) {
    return {};
  }
}

StreamRef TEngine::OpenStream(const std::string& fileName) {
  try {
    return OpenResourceStream(fileName, true);
  } catch (...) {
    return nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// Resources (loading and the resource kinds are in app/resources.cpp).

void TEngine::LoadResources(const StorageRef& storage, const std::string& group, bool pump) {
  std::function<void()> step;
  if (pump) step = [this] { LoopStep(); };
  LoadResourceElements(*resources_, storage, group, SelfAs<IResourceOwner>(), step);
}

void TEngine::LoadResourceFile(const std::string& fileName, const std::string& group, bool pump) {
  try {
    StorageRef root = LoadStorageFromString(LoadTextFile(fileName, Settings().DataFileKey), fileName);
    if (root) LoadResources(root, group, pump);
  } catch (...) {
    // A damaged resource file loads what it loaded so far and reports nothing.
  }
}

void TEngine::UnloadResources(const std::string& group) { resources_->UnloadGroup(group); }

ResourceRef TEngine::GetResource(const std::string& name) { return resources_->GetResource(name); }

void TEngine::RemoveResource(const std::string& name) {
  if (resources_->Exists(name)) resources_->Delete(name);
}

// ---------------------------------------------------------------------------------------------
// Audio: the mixer, its device, the music stack and the ducking are in EngineAudio. Without a
// device audio is not loaded and the game runs silent. Playing looks up the resource, lets a
// group choose its member, and hands the handle to audio_; stopping uses the member chosen last
// and never loads a resource that is still waiting for its first use.

void TEngine::InitAudio() {
  audioLoaded_ = audio_.Start(devices_.audio, focused_);
  audio_.SetMusicVolume(musicVolume_);
  audio_.SetSoundVolume(soundVolume_);
}

void TEngine::FreeAudio() {
  audio_.Shutdown();
  audioLoaded_ = false;
}

void TEngine::ServiceAudio() { audio_.Service(); }

AudioHandle TEngine::LoadMusic(const std::string& fileName) { return audio_.LoadMusic(fileName); }
void TEngine::FreeMusic(AudioHandle handle) { audio_.FreeMusic(handle); }
AudioHandle TEngine::LoadSample(const std::string& fileName, int maxPlaybacks, bool loop) {
  return audio_.LoadSample(fileName, maxPlaybacks, loop);
}
AudioHandle TEngine::LoadSampleChannel(const std::string& fileName, AudioHandle& sample) {
  return audio_.LoadSampleChannel(fileName, sample);
}
void TEngine::FreeSample(AudioHandle handle) { audio_.FreeSample(handle); }
namespace {

// The handle a stop compares or stops: that of a group's current member; 0 for a resource that
// has not been loaded (asking a pending resource for its handle would load it).
template <class Resource>
AudioHandle LoadedHandle(const std::shared_ptr<Resource>& resource) {
  if (!resource) return 0;
  if (auto group = std::dynamic_pointer_cast<TGroupResource>(resource))
    return LoadedHandle(std::dynamic_pointer_cast<Resource>(group->GetCurrentMember()));
  if (auto plain = std::dynamic_pointer_cast<TResource>(resource); plain && plain->IsPending()) return 0;
  return resource->GetHandle();
}

}  // namespace

// An "ogg" music's handle is already the channel of its looping sample, so both formats stack
// their handle: StopMusic finds it on top, and fades and plays reach the playing channel.
void TEngine::PlayMusic(const std::shared_ptr<IMusic>& music) {
  if (!music || !audioLoaded_) return;
  auto resource = std::dynamic_pointer_cast<IMusicResource>(GetResource(music->GetResourceName()));
  if (!resource) return;
  resource->Choose();
  const AudioHandle handle = resource->GetHandle();
  if (handle == 0) return;
  audio_.PlayMusic(handle);
  if (SoundTap()) SoundTap()(music->GetResourceName());
}

void TEngine::StopMusic(const std::shared_ptr<IMusic>& music) {
  if (!music || !audioLoaded_) return;
  auto resource = std::dynamic_pointer_cast<IMusicResource>(GetResource(music->GetResourceName()));
  // No Choose here: a group stops the member its last play chose.
  const AudioHandle handle = LoadedHandle(resource);
  if (handle != 0) audio_.StopMusic(handle);
}

AudioHandle TEngine::PlaySound(const std::shared_ptr<ISound>& sound) {
  if (!sound) return 0;
  auto resource = std::dynamic_pointer_cast<ISoundResource>(GetResource(sound->GetResourceName()));
  if (!resource) return 0;
  resource->Choose();
  const AudioHandle handle = audioLoaded_ ? resource->GetHandle() : 0;
  if (handle == 0) return 0;
  const AudioHandle channel =
      audio_.PlaySound(handle, resource->GetMasterVolume(), sound->GetVolume(), sound->GetPan(), sound->GetMuteMusic());
  if (channel != 0 && SoundTap()) SoundTap()(sound->GetResourceName());
  return channel;
}

void TEngine::StopSound(const std::shared_ptr<ISound>& sound) {
  if (!sound) return;
  auto resource = std::dynamic_pointer_cast<ISoundResource>(GetResource(sound->GetResourceName()));
  const AudioHandle handle = audioLoaded_ ? LoadedHandle(resource) : 0;
  // With nothing to stop this is still the bookkeeping: finished muting effects give the music back.
  audio_.StopSound(handle);
}

void TEngine::StopAllSounds() {
  std::vector<AudioHandle> samples;
  if (audioLoaded_) {
    for (int i = 0, count = resources_->GetCount(); i < count; ++i) {
      auto resource = std::dynamic_pointer_cast<ISoundResource>(resources_->GetResourceAt(i));
      if (AudioHandle handle = LoadedHandle(resource)) samples.push_back(handle);
    }
  }
  audio_.StopAllSounds(samples);
}

void TEngine::SetMusicVolume(const Variant& value) {
  int64_t volume = 0;
  // A value that does not convert is ignored.
  if (value.IsNumber()) {
    volume = value.ToInt();
  } else {
    std::string text = value.ToString();
    double real = 0;
    if (!ParseRealDot(text, real)) return;
    volume = value.ToInt();
  }
  musicVolume_ = static_cast<int32_t>(std::clamp<int64_t>(volume, INT32_MIN, INT32_MAX));
  audio_.SetMusicVolume(musicVolume_);
}

}  // namespace kestrelle
