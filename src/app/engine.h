#pragma once
// The engine: the one object between the machine and the game. It owns the window (through the
// device layer), the presentation of the back surface, the timed main loop, the configuration
// values, the loaded resources and the audio, and drives the game through IGame.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/engine_audio.h"
#include "app/engine_control.h"
#include "app/engine_interface.h"
#include "app/game_interface.h"
#include "app/resources.h"
#include "data/keyed_list.h"
#include "data/params.h"
#include "platform/devices.h"

namespace kestrelle {

// A fixed seed for the random generator at Start instead of the time of day (reproducible runs
// of the headless runner); none restores the time of day.
void SetEngineStartSeed(std::optional<uint64_t> seed);

// Told of every frame's elapsed time as the loop measured it, before the game is updated; the
// time it returns is the one the frame uses (a recording passes it on, a replay gives the
// recorded one). The clock may be moved on by the tap. None: the measured time is used.
using EngineFrameTap = std::function<uint32_t(uint32_t measuredMs)>;
void SetEngineFrameTap(EngineFrameTap tap);

// Told of every sound or music resource that starts playing, by the resource's name as the sound
// or music asked for it (the headless runner's "expect-sound"). None: nobody is told.
using EngineSoundTap = std::function<void(const std::string& resourceName)>;
void SetEngineSoundTap(EngineSoundTap tap);

class TEngine : public TAbstractObject,
                public virtual IResourceOwner,
                public virtual IEngine,
                public virtual IEngineControl {
 public:
  static constexpr int32_t kFrameInterval = 10;

  TEngine() = default;
  ~TEngine() override;

  void Initialize() override;

  // IEngineControl
  bool Start(const std::string& gameFileName) override;
  void Run() override;
  void Shutdown() override;

  // IResourceOwner
  StreamRef OpenStream(const std::string& fileName) override;
  PixelFormat GetPixelFormat() override { return pixelFormat_; }
  uint32_t ColorToPixel(uint32_t colour) override;
  AudioHandle LoadMusic(const std::string& fileName) override;
  void FreeMusic(AudioHandle handle) override;
  AudioHandle LoadSample(const std::string& fileName, int maxPlaybacks, bool loop) override;
  AudioHandle LoadSampleChannel(const std::string& fileName, AudioHandle& sample) override;
  void FreeSample(AudioHandle handle) override;
  ResourceRef GetResource(const std::string& name) override;

  // IEngine
  std::string GetAppPath() override;
  std::string GetUserDataPath() override;
  void SaveUserTextFile(const std::string& text, const std::string& fileName) override;
  void SaveAppTextFile(const std::string& text, const std::string& fileName) override;
  void SetConfigValue(const std::string& name, const Variant& value) override;
  Variant GetConfigValue(const std::string& name) override;
  void ApplySettings() override;
  std::string LoadTextFile(const std::string& fileName, const std::string& key) override;
  void LoadResources(const StorageRef& storage, const std::string& group, bool pump) override;
  void LoadResourceFile(const std::string& fileName, const std::string& group, bool pump) override;
  void UnloadResources(const std::string& group) override;
  void RemoveResource(const std::string& name) override;
  TPoint GetCursorPos() override;
  void SetCursorPos(const TPoint& point) override;
  void HideSystemCursor() override { SetSystemCursorWanted(false); }
  void ShowSystemCursor() override { SetSystemCursorWanted(true); }
  void PlayMusic(const std::shared_ptr<IMusic>& music) override;
  void StopMusic(const std::shared_ptr<IMusic>& music) override;
  AudioHandle PlaySound(const std::shared_ptr<ISound>& sound) override;
  void StopSound(const std::shared_ptr<ISound>& sound) override;
  void StopAllSounds() override;
  bool IsChannelActive(AudioHandle channel) override {
    return audio_.GetMixer().IsActive(channel) == ChannelState::Playing;
  }
  void SetMusicVolume(const Variant& value) override;
  void Close() override;
  void RunFile(const std::string& fileName) override;
  void OpenURL(const std::string& address) override;
  SurfaceRef CreateSurface() override;
  std::shared_ptr<IGame> GetGame() override { return game_; }
  void InvalidateRect(const TRect& rect) override;
  void ValidateAll() override;
  IVideoDevice* GetWindowHandle() override { return devices_.video.get(); }
  void SetMessageHook(MessageHook hook) override { hook_ = std::move(hook); }
  void ClearMessageHook() override { hook_ = nullptr; }
  void UpdateGame(uint32_t elapsedMs) override;

  // One pass of the main loop: one message, or one frame, or one wait. Re-entrant: resource
  // loading runs it from inside a game update.
  void LoopStep();
  // The window procedure: handles one message; the result is the message's result.
  intptr_t WindowProc(const Message& message);

  void SetFocused(bool focused);
  void SetActive(bool active);

  // State, for the tests and the diagnostics.
  bool IsActive() const { return active_; }
  bool IsFocused() const { return focused_; }
  bool IsTerminated() const { return terminated_; }
  bool IsDeviceReady() const { return deviceReady_; }
  bool IsFullScreen() const { return fullScreen_; }
  bool IsWideScreen() const { return wideScreen_; }
  bool IsRedrawRequested() const { return redrawRequested_; }
  bool IsPointerOutside() const { return pointerOutside_; }
  bool IsSystemCursorWanted() const { return systemCursorWanted_; }
  bool GetShowFPS() const { return showFps_; }
  bool GetShowRects() const { return showRects_; }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  int32_t GetBPP() const { return bpp_; }
  int32_t GetMusicVolume() const { return musicVolume_; }
  int32_t GetSoundVolume() const { return soundVolume_; }
  uint32_t GetLastFrameTime() const { return lastFrameTime_; }
  const std::string& GetCaption() const { return caption_; }
  const SurfaceRef& GetBackSurface() const { return backSurface_; }
  const ParamsRef& GetConfiguration() const { return config_; }
  const DeviceSet& GetDevices() const { return devices_; }

 private:
  bool LoadGame(const std::string& gameFileName);
  void WriteDefaultConfiguration();
  void UpdateCaption();
  bool SetDisplayMode();
  void RestoreSurfaces();
  bool CheckDevice();
  void Present();
  void ServiceAudio();
  void InitAudio();
  void FreeAudio();
  void SetSystemCursorWanted(bool wanted);
  void SetPointerOutside(bool outside);
  void ApplyCursorVisibility(bool visible);
  intptr_t DefaultProcessing(const Message& message);
  intptr_t DefaultWindowProc(const Message& message);
  void DestroyWindow();
  void PostMinimize();
  uint32_t Now() const;

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bpp_ = 0;
  int32_t desktopBpp_ = 32;
  bool wideScreen_ = false;
  bool fullScreen_ = false;
  std::string caption_;  // windows-1252, as last set
  GameRef game_;
  SurfaceRef backSurface_;
  PixelFormat pixelFormat_;
  DeviceSet devices_;
  MessageHook hook_;
  // Loaded resources by name.
  std::shared_ptr<TResourceCollection> resources_ = Create<TResourceCollection>();
  ParamsRef config_;
  bool active_ = false;
  bool deviceReady_ = false;
  bool audioLoaded_ = false;
  bool showFps_ = false;
  bool showRects_ = false;
  bool redrawRequested_ = false;
  int32_t musicVolume_ = 0;
  int32_t soundVolume_ = 0;
  EngineAudio audio_;
  bool terminated_ = false;
  int32_t frameInterval_ = kFrameInterval;
  uint32_t lastFrameTime_ = 0;
  bool focused_ = false;
  bool pointerOutside_ = false;
  bool systemCursorWanted_ = true;
};

}  // namespace kestrelle
