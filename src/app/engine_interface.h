#pragma once
// What the game, its screens and widgets ask of the engine (IEngine), and what resources ask of
// it (IResourceOwner).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/hier_storage.h"
#include "data/object.h"
#include "data/variant.h"
#include "media/geometry.h"
#include "media/streams.h"
#include "media/surface.h"
#include "platform/messages.h"

namespace kestrelle {

class IGame;
class IVideoDevice;
// Declared by the resources and the sound data objects.
class IResource;
class IMusic;
class ISound;
using ResourceRef = std::shared_ptr<IResource>;

// Handles of loaded samples, music and playing channels; 0 is none.
using AudioHandle = uint32_t;

// Layout of one colour channel of the display's pixels.
struct PixelChannel {
  uint32_t mask = 0;
  uint8_t shift = 0;
  uint8_t bits = 0;
  friend bool operator==(const PixelChannel&, const PixelChannel&) = default;
};
struct PixelFormat {
  PixelChannel red;
  PixelChannel green;
  PixelChannel blue;
  friend bool operator==(const PixelFormat&, const PixelFormat&) = default;
};

// Sees the window messages the engine does not consume.
using MessageHook = std::function<void(const Message& message)>;

class IResourceOwner : public virtual IInterface {
 public:
  // The file through the resource reader; none on any error.
  virtual StreamRef OpenStream(const std::string& fileName) = 0;
  virtual PixelFormat GetPixelFormat() = 0;
  // Device pixel of a colour 0x00RRGGBB; 0 while the device is not ready.
  virtual uint32_t ColorToPixel(uint32_t colour) = 0;
  virtual AudioHandle LoadMusic(const std::string& fileName) = 0;
  virtual void FreeMusic(AudioHandle handle) = 0;
  virtual AudioHandle LoadSample(const std::string& fileName, int maxPlaybacks, bool loop) = 0;
  // A one-playback sample and a channel of it (0 when the sample could not be loaded).
  virtual AudioHandle LoadSampleChannel(const std::string& fileName, AudioHandle& sample) = 0;
  virtual void FreeSample(AudioHandle handle) = 0;
  virtual ResourceRef GetResource(const std::string& name) = 0;
};

class IEngine : public virtual IInterface {
 public:
  virtual std::string GetAppPath() = 0;
  virtual std::string GetUserDataPath() = 0;
  virtual void SaveUserTextFile(const std::string& text, const std::string& fileName) = 0;
  virtual void SaveAppTextFile(const std::string& text, const std::string& fileName) = 0;
  // Stores a configuration value; "MusicVolume", "SoundVolume", "ShowFPS" and "ShowRects" take
  // effect at once, everything else at the next ApplySettings.
  virtual void SetConfigValue(const std::string& name, const Variant& value) = 0;
  // The stored value; Null when there is no such name.
  virtual Variant GetConfigValue(const std::string& name) = 0;
  // Display settings (size, full screen, wide screen, depth), then the caption.
  virtual void ApplySettings() = 0;
  // The file's text through the resource reader, deciphered (hexadecimal form) when `key` is not
  // empty; "" on any error.
  virtual std::string LoadTextFile(const std::string& fileName, const std::string& key) = 0;
  virtual void LoadResources(const StorageRef& storage, const std::string& group, bool pump) = 0;
  virtual void LoadResourceFile(const std::string& fileName, const std::string& group, bool pump) = 0;
  // Every resource of the group; all of them for an empty group.
  virtual void UnloadResources(const std::string& group) = 0;
  virtual ResourceRef GetResource(const std::string& name) = 0;
  virtual void RemoveResource(const std::string& name) = 0;
  // Pointer position in picture coordinates.
  virtual TPoint GetCursorPos() = 0;
  virtual void SetCursorPos(const TPoint& point) = 0;
  virtual void HideSystemCursor() = 0;
  virtual void ShowSystemCursor() = 0;
  virtual void PlayMusic(const std::shared_ptr<IMusic>& music) = 0;
  virtual void StopMusic(const std::shared_ptr<IMusic>& music) = 0;
  virtual AudioHandle PlaySound(const std::shared_ptr<ISound>& sound) = 0;
  virtual void StopSound(const std::shared_ptr<ISound>& sound) = 0;
  virtual void StopAllSounds() = 0;
  // The channel of a sound started by PlaySound is still playing.
  virtual bool IsChannelActive(AudioHandle channel) { return false; }
  virtual void SetMusicVolume(const Variant& value) = 0;
  // Asks the window to close (WM_CLOSE) and stops making frames.
  virtual void Close() = 0;
  // Opens an existing file with the desktop's program for it, then minimises the window.
  virtual void RunFile(const std::string& fileName) = 0;
  virtual void OpenURL(const std::string& address) = 0;
  virtual SurfaceRef CreateSurface() = 0;
  virtual std::shared_ptr<IGame> GetGame() = 0;
  // Adds the part of the rectangle inside the picture to what is drawn next frame.
  virtual void InvalidateRect(const TRect& rect) = 0;
  virtual void ValidateAll() = 0;
  virtual IVideoDevice* GetWindowHandle() = 0;
  virtual void SetMessageHook(MessageHook hook) = 0;
  virtual void ClearMessageHook() = 0;
  // Game Update, then game AfterUpdate.
  virtual void UpdateGame(uint32_t elapsedMs) = 0;
};
using EngineRef = std::shared_ptr<IEngine>;

}  // namespace kestrelle
