#pragma once
// The game's mixer: 44.1 kHz stereo, float mixing, 16-bit output.
//
// Handles: 0 is "none". A handle names either a loaded sample or a channel; a music is its own
// channel. Every handle carries a generation, so a handle whose sample or channel was freed, or
// whose channel was handed to a newer playback, is stale: operations on it do nothing and report
// false (or Stopped).
//
// The operations follow the usual handle-based sound library calls one to one:
//   load music from memory        LoadMusic          -> music handle (its channel)
//   load sample from memory       LoadSample         -> sample handle (max playbacks, loop)
//   get a channel of a sample     GetSampleChannel   -> channel handle
//   play (restart or resume)      Play
//   stop (position kept)          Stop, StopSample (every playback of a sample)
//   pause                         Pause
//   is active                     IsActive
//   set volume and pan            SetAttributes      (kKeepVolume / kKeepPan keep them)
//   slide volume and pan          Slide              (kFadeOutAndStop: fade to 0, then Stop)
//   free                          FreeMusic, FreeSample
//   global pause / start          PauseAll, StartAll
//   master volume                 SetMasterVolume
//
// Volumes are 0..100 on a linear amplitude scale; pans -100 (left) .. 100 (right) with a balance
// law (the centre plays both sides at full level; panning turns the other side down). Slides and
// fades move the gain by a constant step every sample (no steps per block, so no zipper noise).
//
// Threads: every operation except Render is called from the main thread. When an output is
// connected, operations lock it around their changes; Render runs on the output's thread with
// the output locked. Decoding of newly loaded data happens outside the lock.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "media/audio_output.h"
#include "media/audio_stream.h"

namespace kestrelle {

using AudioHandle = std::uint32_t;

enum class ChannelState { Stopped = 0, Playing = 1, Paused = 3 };

inline constexpr int kKeepVolume = -1;
inline constexpr int kFadeOutAndStop = -2;
inline constexpr int kKeepPan = -101;

class Mixer {
 public:
  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Opens the output pulling this mixer; false (and a silent game) when there is no device.
  bool ConnectOutput(IAudioOutput& output);
  void DisconnectOutput();

  // A tracker module (looping, restarting at its restart position), or an Ogg Vorbis stream
  // (looping, decoded while it plays). The handle is the music's channel. 0 when the bytes do
  // not decode (a log line says why, naming `name`).
  AudioHandle LoadMusic(std::string_view bytes, std::string_view name = {});
  // A WAV (8/16-bit PCM, mono or stereo, resampled to the mixing rate at load) or an Ogg Vorbis
  // file (each playback decodes it while it plays). At most `maxPlaybacks` (at least 1) of its
  // channels exist at once. 0 when the bytes do not decode.
  AudioHandle LoadSample(std::string_view bytes, int maxPlaybacks, bool loop, std::string_view name = {});
  // A stopped channel of the sample at volume 100 and the centre. When the sample already has
  // its maximum of channels, the oldest stopped one is reused, else the one handed out longest
  // ago; either way the earlier handle to it becomes stale. 0 for a bad sample handle.
  AudioHandle GetSampleChannel(AudioHandle sample);
  void FreeMusic(AudioHandle music);
  // Frees the sample and all its channels.
  void FreeSample(AudioHandle sample);

  // restart: from the beginning; otherwise from where the channel stopped or paused.
  bool Play(AudioHandle channel, bool restart);
  // Stops and keeps the position (a later Play without restart resumes); cancels slides.
  bool Stop(AudioHandle channel);
  // Pauses a playing channel; its slides wait with it.
  bool Pause(AudioHandle channel);
  bool StopSample(AudioHandle sample);
  // A channel whose sound came to its end is Stopped and back at the beginning.
  ChannelState IsActive(AudioHandle channel) const;

  // volume 0..100 or kKeepVolume; pan -100..100 or kKeepPan. Setting an attribute cancels its
  // slide (a pending stop at the end of a fade too).
  bool SetAttributes(AudioHandle channel, int volume, int pan);
  // Moves volume and pan linearly to the targets over `timeMs` of playing time. volume:
  // 0..100, kFadeOutAndStop, or kKeepVolume (its running slide goes on); pan: -100..100 or
  // kKeepPan. A new slide of an attribute replaces the old one from the current value. A time of
  // 0 or less applies the targets at once.
  bool Slide(AudioHandle channel, int volume, int pan, int timeMs);
  bool IsSliding(AudioHandle channel) const;
  // Current volume 0..100 and pan -100..100 (rounded); -1 / kKeepPan for a bad handle.
  int GetVolume(AudioHandle channel) const;
  int GetPan(AudioHandle channel) const;

  // Silences the whole output; nothing advances until StartAll.
  void PauseAll();
  void StartAll();
  bool IsPausedAll() const { return pausedAll_; }
  // Scales everything, 0..100.
  void SetMasterVolume(int volume);
  int GetMasterVolume() const { return masterVolume_; }

  // Mixes the next `frames` stereo frames into `interleaved`.
  void Render(std::int16_t* interleaved, int frames);
  std::vector<std::int16_t> Render(int frames);

 private:
  struct Ramp {
    double target = 0;
    double step = 0;
    std::int64_t remaining = 0;
  };
  struct Voice {
    std::uint32_t generation = 1;
    bool used = false;
    bool music = false;
    std::uint32_t sample = 0;  // slot of the owning sample (sample channels)
    ChannelState state = ChannelState::Stopped;
    std::shared_ptr<const PcmData> pcm;
    std::size_t position = 0;
    std::unique_ptr<AudioStream> stream;
    bool loop = false;
    double volume = 1.0;
    double pan = 0.0;
    Ramp volumeRamp;
    Ramp panRamp;
    bool stopAtEnd = false;
    std::uint64_t order = 0;
  };
  struct Sample {
    std::uint32_t generation = 1;
    bool used = false;
    std::shared_ptr<const PcmData> pcm;
    std::shared_ptr<const std::string> encoded;
    bool loop = false;
    int maxPlaybacks = 1;
    std::vector<std::uint32_t> voices;
  };
  class Guard;
  struct Graveyard;

  Voice* FindVoice(AudioHandle channel);
  const Voice* FindVoice(AudioHandle channel) const;
  Sample* FindSample(AudioHandle sample);
  std::uint32_t AllocateVoiceSlot();  // under the lock; returns kNoSlot when full
  void ReleaseVoice(std::uint32_t slot, Graveyard& graveyard);
  void ResetVoice(Voice& voice);
  void RenderBlock(std::int16_t* out, int frames);
  void MixVoice(Voice& voice, int frames);
  int Fetch(Voice& voice, float* stereo, int frames);
  void EndOfSound(Voice& voice);

  IAudioOutput* output_ = nullptr;
  std::vector<Voice> voices_;
  std::vector<Sample> samples_;
  std::uint64_t order_ = 0;
  bool pausedAll_ = false;
  int masterVolume_ = 100;
  std::vector<float> mix_;
  std::vector<float> scratch_;
};

}  // namespace kestrelle
