#include "app/engine_audio.h"

#include <algorithm>

#include "data/file_system.h"
#include "media/reader.h"

namespace kestrelle {

EngineAudio::EngineAudio() = default;

EngineAudio::~EngineAudio() { Shutdown(); }

bool EngineAudio::Start(const std::shared_ptr<IAudioDevice>& device, bool focused) {
  Shutdown();
  if (!device) return false;
  auto output = std::make_unique<AudioDeviceOutput<IAudioDevice>>(device);
  if (!mixer_.ConnectOutput(*output)) return false;
  device_ = device;
  output_ = std::move(output);
  loaded_ = true;
  device_->SetPaused(!focused);
  return true;
}

void EngineAudio::Shutdown() {
  mixer_.DisconnectOutput();
  output_.reset();
  device_.reset();
  loaded_ = false;
  musicStack_.clear();
  ducking_.clear();
}

void EngineAudio::SetFocused(bool focused) {
  if (loaded_) device_->SetPaused(!focused);
}

AudioHandle EngineAudio::LoadMusic(const std::string& fileName) {
  if (!loaded_) return 0;
  const auto bytes = ReadResourceFile(fileName);
  if (!bytes) {
    LogLine("audio: cannot read music " + fileName);
    return 0;
  }
  return LoadMusicData(*bytes, fileName);
}

AudioHandle EngineAudio::LoadSample(const std::string& fileName, int maxPlaybacks, bool loop) {
  if (!loaded_) return 0;
  const auto bytes = ReadResourceFile(fileName);
  if (!bytes) {
    LogLine("audio: cannot read sample " + fileName);
    return 0;
  }
  return LoadSampleData(*bytes, fileName, maxPlaybacks, loop);
}

AudioHandle EngineAudio::LoadSampleChannel(const std::string& fileName, AudioHandle& sample) {
  sample = LoadSample(fileName, 1, true);
  return sample != 0 ? mixer_.GetSampleChannel(sample) : 0;
}

AudioHandle EngineAudio::LoadMusicData(std::string_view bytes, std::string_view name) {
  return loaded_ ? mixer_.LoadMusic(bytes, name) : 0;
}

AudioHandle EngineAudio::LoadSampleData(std::string_view bytes, std::string_view name, int maxPlaybacks, bool loop) {
  return loaded_ ? mixer_.LoadSample(bytes, maxPlaybacks, loop, name) : 0;
}

void EngineAudio::FreeMusic(AudioHandle handle) {
  if (loaded_) mixer_.FreeMusic(handle);
}

void EngineAudio::FreeSample(AudioHandle handle) {
  if (loaded_) mixer_.FreeSample(handle);
}

// The music volume as a voice takes it: the stored value may lie outside 0..100 (it comes from
// the options as given), and a negative volume would mean "keep" or "fade out and stop" to a
// slide.
int EngineAudio::MusicVoiceVolume() const { return std::clamp(musicVolume_, 0, 100); }

void EngineAudio::PlayMusic(AudioHandle handle) {
  if (!loaded_ || handle == 0) return;
  if (!musicStack_.empty()) mixer_.Slide(musicStack_.back(), kFadeOutAndStop, kKeepPan, kFadeTime);
  // The same music again starts over (Stop also drops the fade-out just set on it).
  if (mixer_.IsActive(handle) != ChannelState::Stopped) mixer_.Stop(handle);
  musicStack_.push_back(handle);
  mixer_.SetAttributes(handle, 0, kKeepPan);
  mixer_.Slide(handle, MusicVoiceVolume(), kKeepPan, kFadeTime);
  mixer_.Play(handle, true);
}

void EngineAudio::StopMusic(AudioHandle handle) {
  if (!loaded_ || handle == 0 || musicStack_.empty() || musicStack_.back() != handle) return;
  mixer_.Slide(handle, kFadeOutAndStop, kKeepPan, kFadeTime);
  musicStack_.pop_back();
  if (musicStack_.empty()) return;
  const AudioHandle below = musicStack_.back();
  mixer_.SetAttributes(below, 0, kKeepPan);
  if (musicVolume_ > 0) mixer_.Slide(below, MusicVoiceVolume(), kKeepPan, kFadeTime);
  mixer_.Play(below, false);
}

AudioHandle EngineAudio::PlaySound(AudioHandle sample, int masterVolume, int volume, int pan, bool muteMusic) {
  if (!loaded_ || sample == 0) return 0;
  const AudioHandle channel = mixer_.GetSampleChannel(sample);
  if (channel == 0) return 0;
  // The effect's own volume comes from data and may be any number: above 100 it plays as 100.
  const int master = std::clamp(masterVolume, 0, 100);
  int level = volume > 0 ? std::min(volume, 100) * master / 100 : master;
  level = level * soundVolume_ / 100;
  mixer_.SetAttributes(channel, std::clamp(level, 0, 100), pan);
  mixer_.Play(channel, true);
  if (muteMusic) {
    ducking_.push_back(channel);
    DuckMusic(-1);
  }
  return channel;
}

void EngineAudio::StopSound(AudioHandle sample) {
  if (loaded_ && sample != 0) mixer_.StopSample(sample);
  Service();
}

void EngineAudio::StopAllSounds(const std::vector<AudioHandle>& samples) {
  if (loaded_) {
    for (AudioHandle sample : samples) mixer_.StopSample(sample);
  }
  Service();
}

void EngineAudio::Service() {
  if (ducking_.empty()) return;
  for (std::size_t i = ducking_.size(); i-- > 0;) {
    if (mixer_.IsActive(ducking_[i]) == ChannelState::Stopped) ducking_.erase(ducking_.begin() + static_cast<long>(i));
  }
  if (ducking_.empty()) RestoreMusic(-1);
}

void EngineAudio::DuckMusic(int timeMs) {
  if (musicStack_.empty()) return;
  const AudioHandle top = musicStack_.back();
  if (timeMs < 0) timeMs = kDuckTime;
  if (timeMs == 0) {
    mixer_.Pause(top);
  } else {
    mixer_.Slide(top, 0, kKeepPan, timeMs);
  }
}

void EngineAudio::RestoreMusic(int timeMs) {
  if (musicStack_.empty()) return;
  const AudioHandle top = musicStack_.back();
  if (timeMs < 0) timeMs = kDuckTime;
  if (timeMs == 0) {
    mixer_.Play(top, false);
  } else {
    mixer_.Slide(top, MusicVoiceVolume(), kKeepPan, timeMs);
  }
}

void EngineAudio::SetMusicVolume(int32_t volume) {
  musicVolume_ = volume;
  if (loaded_ && !musicStack_.empty()) mixer_.SetAttributes(musicStack_.back(), MusicVoiceVolume(), kKeepPan);
}

void EngineAudio::SetSoundVolume(int32_t volume) { soundVolume_ = std::clamp(volume, 0, 100); }

}  // namespace kestrelle
