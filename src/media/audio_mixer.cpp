#include "media/audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "data/file_system.h"
#include "media/audio_module.h"
#include "media/audio_resample.h"
#include "media/audio_vorbis.h"
#include "media/audio_wav_reader.h"

namespace kestrelle {

namespace {

// Handle layout: bit 31 marks a sample, bits 12..30 the generation (never 0), bits 0..11 the slot.
constexpr std::uint32_t kSampleFlag = 1u << 31;
constexpr int kSlotBits = 12;
constexpr std::uint32_t kSlotMask = (1u << kSlotBits) - 1;
constexpr std::uint32_t kMaxSlots = 1u << kSlotBits;
constexpr std::uint32_t kGenerationMask = (1u << 19) - 1;
constexpr std::uint32_t kNoSlot = ~0u;
constexpr int kBlock = 512;

AudioHandle MakeHandle(bool sample, std::uint32_t slot, std::uint32_t generation) {
  return (sample ? kSampleFlag : 0u) | generation << kSlotBits | slot;
}

std::uint32_t NextGeneration(std::uint32_t generation) { return generation % kGenerationMask + 1; }

std::string Named(std::string_view name) { return name.empty() ? std::string("(unnamed)") : std::string(name); }

}  // namespace

// Holds the output's lock for the lifetime of a change the output thread could see.
class Mixer::Guard {
 public:
  explicit Guard(IAudioOutput* output) : output_(output) {
    if (output_) output_->Lock();
  }
  ~Guard() {
    if (output_) output_->Unlock();
  }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  IAudioOutput* output_;
};

// Decoders and data taken out under the lock and destroyed after it is released.
struct Mixer::Graveyard {
  std::vector<std::unique_ptr<AudioStream>> streams;
  std::vector<std::shared_ptr<const PcmData>> pcm;
};

Mixer::Mixer() : mix_(2 * kBlock), scratch_(2 * kBlock) {}

Mixer::~Mixer() { DisconnectOutput(); }

bool Mixer::ConnectOutput(IAudioOutput& output) {
  DisconnectOutput();
  if (!output.Open(kMixRate, [this](std::int16_t* out, int frames) { Render(out, frames); })) return false;
  output_ = &output;
  return true;
}

void Mixer::DisconnectOutput() {
  if (!output_) return;
  output_->Close();
  output_ = nullptr;
}

Mixer::Voice* Mixer::FindVoice(AudioHandle channel) {
  if (channel == 0 || (channel & kSampleFlag)) return nullptr;
  const std::uint32_t slot = channel & kSlotMask;
  if (slot >= voices_.size()) return nullptr;
  Voice& voice = voices_[slot];
  if (!voice.used || voice.generation != ((channel >> kSlotBits) & kGenerationMask)) return nullptr;
  return &voice;
}

const Mixer::Voice* Mixer::FindVoice(AudioHandle channel) const { return const_cast<Mixer*>(this)->FindVoice(channel); }

Mixer::Sample* Mixer::FindSample(AudioHandle sample) {
  if (!(sample & kSampleFlag)) return nullptr;
  const std::uint32_t slot = sample & kSlotMask;
  if (slot >= samples_.size()) return nullptr;
  Sample& s = samples_[slot];
  if (!s.used || s.generation != ((sample >> kSlotBits) & kGenerationMask)) return nullptr;
  return &s;
}

std::uint32_t Mixer::AllocateVoiceSlot() {
  for (std::uint32_t i = 0; i < voices_.size(); ++i) {
    if (!voices_[i].used) return i;
  }
  if (voices_.size() >= kMaxSlots) return kNoSlot;
  voices_.emplace_back();
  return static_cast<std::uint32_t>(voices_.size() - 1);
}

void Mixer::ResetVoice(Voice& voice) {
  voice.state = ChannelState::Stopped;
  voice.position = 0;
  voice.volume = 1.0;
  voice.pan = 0.0;
  voice.volumeRamp = {};
  voice.panRamp = {};
  voice.stopAtEnd = false;
  voice.order = ++order_;
}

void Mixer::ReleaseVoice(std::uint32_t slot, Graveyard& graveyard) {
  Voice& voice = voices_[slot];
  if (voice.stream) graveyard.streams.push_back(std::move(voice.stream));
  if (voice.pcm) graveyard.pcm.push_back(std::move(voice.pcm));
  voice.used = false;
  voice.music = false;
  voice.state = ChannelState::Stopped;
  voice.generation = NextGeneration(voice.generation);
}

AudioHandle Mixer::LoadMusic(std::string_view bytes, std::string_view name) {
  std::string error;
  std::unique_ptr<AudioStream> stream;
  bool loopHere = false;
  if (LooksLikeOgg(bytes)) {
    stream = OpenVorbisStream(std::make_shared<const std::string>(bytes), &error);
    loopHere = true;
  } else {
    stream = OpenModuleStream(bytes, true, &error);  // the module loops by itself
  }
  if (!stream) {
    LogLine("audio: cannot load music " + Named(name) + ": " + error);
    return 0;
  }
  Graveyard graveyard;
  Guard guard(output_);
  const std::uint32_t slot = AllocateVoiceSlot();
  if (slot == kNoSlot) {
    graveyard.streams.push_back(std::move(stream));
    LogLine("audio: too many channels to load music " + Named(name));
    return 0;
  }
  Voice& voice = voices_[slot];
  voice.used = true;
  voice.music = true;
  voice.stream = std::move(stream);
  voice.pcm.reset();
  voice.loop = loopHere;
  ResetVoice(voice);
  return MakeHandle(false, slot, voice.generation);
}

AudioHandle Mixer::LoadSample(std::string_view bytes, int maxPlaybacks, bool loop, std::string_view name) {
  std::string error;
  Sample loaded;
  if (LooksLikeWav(bytes)) {
    auto wav = DecodeWav(bytes, &error);
    if (wav) {
      if (wav->pcm.Frames() == 0) {
        error = "no samples";
      } else {
        loaded.pcm = std::make_shared<const PcmData>(ResampleLinear(wav->pcm, wav->sampleRate, kMixRate));
      }
    }
  } else if (LooksLikeOgg(bytes)) {
    auto encoded = std::make_shared<const std::string>(bytes);
    if (OpenVorbisStream(encoded, &error)) loaded.encoded = std::move(encoded);
  } else {
    error = "not a WAV or Ogg Vorbis file";
  }
  if (!loaded.pcm && !loaded.encoded) {
    LogLine("audio: cannot load sample " + Named(name) + ": " + error);
    return 0;
  }
  loaded.loop = loop;
  loaded.maxPlaybacks = std::clamp(maxPlaybacks, 1, static_cast<int>(kMaxSlots));
  // Samples are never seen by the output thread: no lock needed.
  std::uint32_t slot = 0;
  while (slot < samples_.size() && samples_[slot].used) ++slot;
  if (slot == samples_.size()) {
    if (slot >= kMaxSlots) {
      LogLine("audio: too many samples to load " + Named(name));
      return 0;
    }
    samples_.emplace_back();
  }
  loaded.generation = samples_[slot].generation;
  loaded.used = true;
  samples_[slot] = std::move(loaded);
  return MakeHandle(true, slot, samples_[slot].generation);
}

AudioHandle Mixer::GetSampleChannel(AudioHandle sampleHandle) {
  Sample* sample = FindSample(sampleHandle);
  if (!sample) return 0;
  const std::uint32_t sampleSlot = sampleHandle & kSlotMask;

  // Reuse one of its channels when it has its maximum: the oldest stopped one, else the oldest.
  std::uint32_t reuse = kNoSlot;
  if (static_cast<int>(sample->voices.size()) >= sample->maxPlaybacks) {
    for (bool stoppedOnly : {true, false}) {
      for (std::uint32_t slot : sample->voices) {
        const Voice& v = voices_[slot];
        if (stoppedOnly && v.state != ChannelState::Stopped) continue;
        if (reuse == kNoSlot || v.order < voices_[reuse].order) reuse = slot;
      }
      if (reuse != kNoSlot) break;
    }
  }

  std::unique_ptr<AudioStream> stream;
  if (reuse == kNoSlot && sample->encoded) {
    std::string error;
    stream = OpenVorbisStream(sample->encoded, &error);
    if (!stream) return 0;
  }

  Guard guard(output_);
  std::uint32_t slot = reuse;
  if (slot == kNoSlot) {
    slot = AllocateVoiceSlot();
    if (slot == kNoSlot) return 0;
    Voice& fresh = voices_[slot];
    fresh.used = true;
    fresh.music = false;
    fresh.sample = sampleSlot;
    fresh.pcm = sample->pcm;
    fresh.stream = std::move(stream);
    fresh.loop = sample->loop;
    sample->voices.push_back(slot);
  } else {
    Voice& reused = voices_[slot];
    reused.generation = NextGeneration(reused.generation);
    if (reused.stream) reused.stream->Rewind();
  }
  Voice& voice = voices_[slot];
  ResetVoice(voice);
  return MakeHandle(false, slot, voice.generation);
}

void Mixer::FreeMusic(AudioHandle music) {
  Graveyard graveyard;
  Guard guard(output_);
  Voice* voice = FindVoice(music);
  if (!voice || !voice->music) return;
  ReleaseVoice(static_cast<std::uint32_t>(voice - voices_.data()), graveyard);
}

void Mixer::FreeSample(AudioHandle sampleHandle) {
  Sample* sample = FindSample(sampleHandle);
  if (!sample) return;
  Graveyard graveyard;
  {
    Guard guard(output_);
    for (std::uint32_t slot : sample->voices) ReleaseVoice(slot, graveyard);
  }
  sample->voices.clear();
  if (sample->pcm) graveyard.pcm.push_back(std::move(sample->pcm));
  sample->encoded.reset();
  sample->used = false;
  sample->generation = NextGeneration(sample->generation);
}

bool Mixer::Play(AudioHandle channel, bool restart) {
  Guard guard(output_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  if (restart) {
    voice->position = 0;
    if (voice->stream && !voice->stream->Rewind()) {
      voice->state = ChannelState::Stopped;
      return false;
    }
  }
  voice->state = ChannelState::Playing;
  return true;
}

namespace {

template <typename V>
void CancelSlides(V& voice) {
  voice.volumeRamp.remaining = 0;
  voice.panRamp.remaining = 0;
  voice.stopAtEnd = false;
}

}  // namespace

bool Mixer::Stop(AudioHandle channel) {
  Guard guard(output_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  voice->state = ChannelState::Stopped;
  CancelSlides(*voice);
  return true;
}

bool Mixer::Pause(AudioHandle channel) {
  Guard guard(output_);
  Voice* voice = FindVoice(channel);
  if (!voice || voice->state != ChannelState::Playing) return false;
  voice->state = ChannelState::Paused;
  return true;
}

bool Mixer::StopSample(AudioHandle sampleHandle) {
  Sample* sample = FindSample(sampleHandle);
  if (!sample) return false;
  Guard guard(output_);
  for (std::uint32_t slot : sample->voices) {
    voices_[slot].state = ChannelState::Stopped;
    CancelSlides(voices_[slot]);
  }
  return true;
}

ChannelState Mixer::IsActive(AudioHandle channel) const {
  Guard guard(output_);
  const Voice* voice = FindVoice(channel);
  return voice ? voice->state : ChannelState::Stopped;
}

bool Mixer::SetAttributes(AudioHandle channel, int volume, int pan) {
  Guard guard(output_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  if (volume >= 0) {
    voice->volume = std::min(volume, 100) / 100.0;
    voice->volumeRamp.remaining = 0;
    voice->stopAtEnd = false;
  }
  if (pan != kKeepPan) {
    voice->pan = std::clamp(pan, -100, 100) / 100.0;
    voice->panRamp.remaining = 0;
  }
  return true;
}

bool Mixer::Slide(AudioHandle channel, int volume, int pan, int timeMs) {
  Guard guard(output_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  const std::int64_t samples =
      timeMs > 0 ? std::max<std::int64_t>(1, (std::int64_t{timeMs} * kMixRate + 500) / 1000) : 0;
  auto start = [samples](Ramp& ramp, double& value, double target) {
    if (samples == 0) {
      value = target;
      ramp.remaining = 0;
      return;
    }
    ramp.target = target;
    ramp.remaining = samples;
    ramp.step = (target - value) / static_cast<double>(samples);
  };
  if (volume >= 0 || volume == kFadeOutAndStop) {
    start(voice->volumeRamp, voice->volume, volume >= 0 ? std::min(volume, 100) / 100.0 : 0.0);
    voice->stopAtEnd = volume == kFadeOutAndStop;
    if (voice->stopAtEnd && samples == 0) {
      voice->state = ChannelState::Stopped;
      voice->stopAtEnd = false;
    }
  }
  if (pan != kKeepPan) start(voice->panRamp, voice->pan, std::clamp(pan, -100, 100) / 100.0);
  return true;
}

bool Mixer::IsSliding(AudioHandle channel) const {
  Guard guard(output_);
  const Voice* voice = FindVoice(channel);
  return voice && (voice->volumeRamp.remaining > 0 || voice->panRamp.remaining > 0);
}

int Mixer::GetVolume(AudioHandle channel) const {
  Guard guard(output_);
  const Voice* voice = FindVoice(channel);
  return voice ? static_cast<int>(std::lround(voice->volume * 100)) : -1;
}

int Mixer::GetPan(AudioHandle channel) const {
  Guard guard(output_);
  const Voice* voice = FindVoice(channel);
  return voice ? static_cast<int>(std::lround(voice->pan * 100)) : kKeepPan;
}

void Mixer::PauseAll() {
  Guard guard(output_);
  pausedAll_ = true;
}

void Mixer::StartAll() {
  Guard guard(output_);
  pausedAll_ = false;
}

void Mixer::SetMasterVolume(int volume) {
  Guard guard(output_);
  masterVolume_ = std::clamp(volume, 0, 100);
}

std::vector<std::int16_t> Mixer::Render(int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(std::max(frames, 0)));
  Render(out.data(), frames);
  return out;
}

void Mixer::Render(std::int16_t* interleaved, int frames) {
  while (frames > 0) {
    const int n = std::min(frames, kBlock);
    RenderBlock(interleaved, n);
    interleaved += 2 * n;
    frames -= n;
  }
}

void Mixer::RenderBlock(std::int16_t* out, int frames) {
  if (pausedAll_) {
    std::fill(out, out + 2 * frames, std::int16_t{0});
    return;
  }
  std::fill(mix_.begin(), mix_.begin() + 2 * frames, 0.0f);
  for (Voice& voice : voices_) {
    if (voice.used && voice.state == ChannelState::Playing) MixVoice(voice, frames);
  }
  const float scale = 32768.0f * static_cast<float>(masterVolume_) / 100.0f;
  for (int i = 0; i < 2 * frames; ++i) {
    const float v = std::clamp(mix_[i] * scale, -32768.0f, 32767.0f);
    out[i] = static_cast<std::int16_t>(std::lrint(v));
  }
}

namespace {

// Balance law: the centre plays both sides at the channel's volume.
inline void Gains(double volume, double pan, float& left, float& right) {
  left = static_cast<float>(pan > 0 ? volume * (1.0 - pan) : volume);
  right = static_cast<float>(pan < 0 ? volume * (1.0 + pan) : volume);
}

}  // namespace

void Mixer::MixVoice(Voice& voice, int frames) {
  int done = 0;
  while (done < frames && voice.state == ChannelState::Playing) {
    std::int64_t want = frames - done;
    if (voice.volumeRamp.remaining > 0) want = std::min(want, voice.volumeRamp.remaining);
    if (voice.panRamp.remaining > 0) want = std::min(want, voice.panRamp.remaining);
    const int got = Fetch(voice, scratch_.data(), static_cast<int>(want));
    float* dst = mix_.data() + 2 * done;
    const float* src = scratch_.data();
    const bool ramping = voice.volumeRamp.remaining > 0 || voice.panRamp.remaining > 0;
    if (!ramping) {
      float left, right;
      Gains(voice.volume, voice.pan, left, right);
      for (int i = 0; i < got; ++i) {
        dst[2 * i] += src[2 * i] * left;
        dst[2 * i + 1] += src[2 * i + 1] * right;
      }
    } else {
      const double dv = voice.volumeRamp.remaining > 0 ? voice.volumeRamp.step : 0.0;
      const double dp = voice.panRamp.remaining > 0 ? voice.panRamp.step : 0.0;
      double volume = voice.volume;
      double pan = voice.pan;
      for (int i = 0; i < got; ++i) {
        volume += dv;
        pan += dp;
        float left, right;
        Gains(volume, pan, left, right);
        dst[2 * i] += src[2 * i] * left;
        dst[2 * i + 1] += src[2 * i + 1] * right;
      }
      bool faded = false;
      for (auto [ramp, value] : {std::pair{&voice.volumeRamp, &voice.volume}, std::pair{&voice.panRamp, &voice.pan}}) {
        if (ramp->remaining <= 0) continue;
        ramp->remaining -= got;
        // Computed from the end point, so long slides do not drift.
        *value = ramp->target - ramp->step * static_cast<double>(ramp->remaining);
        if (ramp->remaining <= 0) {
          ramp->remaining = 0;
          *value = ramp->target;
          if (ramp == &voice.volumeRamp) faded = voice.stopAtEnd;
        }
      }
      if (faded) {
        voice.stopAtEnd = false;
        voice.state = ChannelState::Stopped;
      }
    }
    done += got;
    if (got < want) {
      EndOfSound(voice);
      break;
    }
  }
}

int Mixer::Fetch(Voice& voice, float* stereo, int frames) {
  constexpr float kScale = 1.0f / 32768.0f;
  if (voice.pcm) {
    const PcmData& pcm = *voice.pcm;
    const std::size_t total = pcm.Frames();
    if (total == 0) return 0;
    int got = 0;
    while (got < frames) {
      if (voice.position >= total) {
        if (!voice.loop) break;
        voice.position = 0;
      }
      const int n =
          static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(frames - got), total - voice.position));
      float* dst = stereo + 2 * got;
      if (pcm.channels == 2) {
        const std::int16_t* src = pcm.samples.data() + 2 * voice.position;
        for (int i = 0; i < 2 * n; ++i) dst[i] = src[i] * kScale;
      } else {
        const std::int16_t* src = pcm.samples.data() + voice.position;
        for (int i = 0; i < n; ++i) dst[2 * i] = dst[2 * i + 1] = src[i] * kScale;
      }
      got += n;
      voice.position += static_cast<std::size_t>(n);
    }
    return got;
  }
  if (!voice.stream) return 0;
  int got = voice.stream->Read(stereo, frames);
  while (got < frames && voice.loop) {
    // A stream that gives nothing right after starting again is over, not looping forever.
    if (!voice.stream->Rewind()) break;
    const int more = voice.stream->Read(stereo + 2 * got, frames - got);
    if (more <= 0) break;
    got += more;
  }
  return got;
}

void Mixer::EndOfSound(Voice& voice) {
  voice.state = ChannelState::Stopped;
  voice.position = 0;
  if (voice.stream) voice.stream->Rewind();
  CancelSlides(voice);
}

}  // namespace kestrelle
