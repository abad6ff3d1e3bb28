// Mixing cost: one iteration renders one second of 44.1 kHz stereo in 1024-frame pulls (as the
// device does), so the reported CPU time is the CPU time per second of audio. The reference is a
// bare loop that sums the same 32 sources into float and converts to 16-bit, with no gains,
// pans, ramps or bookkeeping, measured in the same run.
//
//   build-audio-bench/bin/audio_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "media/audio_mixer.h"
#include "media/audio_wav_writer.h"

namespace kestrelle {
namespace {

constexpr int kVoices = 32;
constexpr int kPull = 1024;
constexpr int kSourceFrames = 44100 / 2;  // half a second, looping

std::vector<std::int16_t> Tone(int index, int channels) {
  std::vector<std::int16_t> pcm(static_cast<std::size_t>(kSourceFrames) * channels);
  const double hz = 220.0 + 37.0 * index;
  for (int i = 0; i < kSourceFrames; ++i) {
    for (int c = 0; c < channels; ++c) {
      pcm[static_cast<std::size_t>(i) * channels + c] =
          static_cast<std::int16_t>(std::lrint(3000 * std::sin(2 * std::numbers::pi * hz * (i + 50 * c) / 44100)));
    }
  }
  return pcm;
}

// Half the voices mono, half stereo, at assorted volumes and pans.
void Start32(Mixer& mixer, bool sliding) {
  for (int v = 0; v < kVoices; ++v) {
    const int channels = v % 2 + 1;
    const auto pcm = Tone(v, channels);
    const AudioHandle sample =
        mixer.LoadSample(EncodeWav16(pcm.data(), kSourceFrames, channels, 44100), 1, true, "bench");
    const AudioHandle channel = mixer.GetSampleChannel(sample);
    mixer.SetAttributes(channel, 40 + v, -90 + 6 * v);
    if (sliding) mixer.Slide(channel, 100 - v, 90 - 6 * v, 1000000);  // still sliding at the end
    mixer.Play(channel, true);
  }
}

void RenderOneSecond(Mixer& mixer, std::vector<std::int16_t>& out) {
  for (int done = 0; done < 44100; done += kPull) {
    mixer.Render(out.data(), std::min(kPull, 44100 - done));
  }
}

void BM_Mixer32Voices(benchmark::State& state) {
  Mixer mixer;
  Start32(mixer, false);
  std::vector<std::int16_t> out(2 * kPull);
  for (auto _ : state) {
    RenderOneSecond(mixer, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 44100);
}
BENCHMARK(BM_Mixer32Voices)->Unit(benchmark::kMillisecond);

void BM_Mixer32VoicesSliding(benchmark::State& state) {
  Mixer mixer;
  Start32(mixer, true);
  std::vector<std::int16_t> out(2 * kPull);
  for (auto _ : state) {
    RenderOneSecond(mixer, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 44100);
}
BENCHMARK(BM_Mixer32VoicesSliding)->Unit(benchmark::kMillisecond);

void BM_Reference32Sum(benchmark::State& state) {
  std::vector<std::vector<std::int16_t>> sources;
  for (int v = 0; v < kVoices; ++v) sources.push_back(Tone(v, v % 2 + 1));
  std::vector<float> mix(2 * kPull);
  std::vector<std::int16_t> out(2 * kPull);
  std::size_t position = 0;
  for (auto _ : state) {
    for (int done = 0; done < 44100; done += kPull) {
      const int n = std::min(kPull, 44100 - done);
      std::fill(mix.begin(), mix.begin() + 2 * n, 0.0f);
      for (const auto& src : sources) {
        const bool stereo = src.size() > static_cast<std::size_t>(kSourceFrames);
        for (int i = 0; i < n; ++i) {
          const std::size_t at = (position + static_cast<std::size_t>(i)) % kSourceFrames;
          mix[2 * i] += stereo ? src[2 * at] : src[at];
          mix[2 * i + 1] += stereo ? src[2 * at + 1] : src[at];
        }
      }
      for (int i = 0; i < 2 * n; ++i) out[i] = static_cast<std::int16_t>(std::clamp(mix[i], -32768.0f, 32767.0f));
      position += static_cast<std::size_t>(n);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * 44100);
}
BENCHMARK(BM_Reference32Sum)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrelle

BENCHMARK_MAIN();
