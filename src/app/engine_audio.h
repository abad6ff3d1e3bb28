#pragma once
// The engine's sound: the mixer and its device, loading sounds and music through the resource
// reader, the music stack (a new music fades the current one out and itself in over 2 s; stopping
// it fades back to the one below, which resumes where it was), and the ducking of the music
// while effects that ask for it play. Looking up resources and choosing a group's member are the
// caller's; here everything is by handle.
//
// Music entries on the stack are the resources' handles: a tracker module's handle is its own
// channel, and an Ogg Vorbis music's handle is the channel of its looping sample. Either way the
// handle is what StopMusic compares and what is faded and played.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "media/audio_mixer.h"
#include "platform/devices.h"

namespace kestrelle {

class EngineAudio {
 public:
  static constexpr int kFadeTime = 2000;
  static constexpr int kDuckTime = 100;

  EngineAudio();
  ~EngineAudio();
  EngineAudio(const EngineAudio&) = delete;
  EngineAudio& operator=(const EngineAudio&) = delete;

  // Opens the device; without one audio stays off and every operation below does nothing. The
  // device starts paused unless `focused`.
  bool Start(const std::shared_ptr<IAudioDevice>& device, bool focused);
  void Shutdown();
  bool IsLoaded() const { return loaded_; }
  // Focus gained: output runs; lost: output pauses.
  void SetFocused(bool focused);

  AudioHandle LoadMusic(const std::string& fileName);
  AudioHandle LoadSample(const std::string& fileName, int maxPlaybacks, bool loop);
  // A looping sample with one playback and its channel (the channel is the result).
  AudioHandle LoadSampleChannel(const std::string& fileName, AudioHandle& sample);
  AudioHandle LoadMusicData(std::string_view bytes, std::string_view name);
  AudioHandle LoadSampleData(std::string_view bytes, std::string_view name, int maxPlaybacks, bool loop);
  void FreeMusic(AudioHandle handle);
  void FreeSample(AudioHandle handle);

  void PlayMusic(AudioHandle handle);
  // Only the music on top of the stack stops.
  void StopMusic(AudioHandle handle);
  // volume: 1..100 (more acts as 100) scales `masterVolume`, 0 or less plays at `masterVolume`;
  // then the sound volume scales it. pan -100..100 or -101 (keep). Returns the channel, 0 when nothing plays.
  AudioHandle PlaySound(AudioHandle sample, int masterVolume, int volume, int pan, bool muteMusic);
  void StopSound(AudioHandle sample);
  void StopAllSounds(const std::vector<AudioHandle>& samples);
  // Every frame: effects that muted the music and have finished leave the list; when the last
  // has gone the music comes back.
  void Service();

  // Kept as given; voices get it clamped to 0..100. The top music changes at once.
  void SetMusicVolume(int32_t volume);
  // Clamped to 0..100; later effects only.
  void SetSoundVolume(int32_t volume);
  int32_t GetMusicVolume() const { return musicVolume_; }
  int32_t GetSoundVolume() const { return soundVolume_; }

  const std::vector<AudioHandle>& GetMusicStack() const { return musicStack_; }
  const std::vector<AudioHandle>& GetDuckingList() const { return ducking_; }
  Mixer& GetMixer() { return mixer_; }

 private:
  int MusicVoiceVolume() const;
  void DuckMusic(int timeMs);
  void RestoreMusic(int timeMs);

  Mixer mixer_;
  std::shared_ptr<IAudioDevice> device_;
  std::unique_ptr<AudioDeviceOutput<IAudioDevice>> output_;
  bool loaded_ = false;
  std::vector<AudioHandle> musicStack_;
  std::vector<AudioHandle> ducking_;
  int32_t musicVolume_ = 100;
  int32_t soundVolume_ = 100;
};

}  // namespace kestrelle
