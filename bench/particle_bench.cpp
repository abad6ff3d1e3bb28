// Particles drawn every frame, against a reference measured in the same run: a stochastic system
// with about 2,000 live particles of a 16 x 16 soft disc (born and dying all the time, so the
// particle pool is in use) against 2,000 pixman OVER blits of a 16 x 16 picture at the same
// places; the drawing alone is measured too. Items processed are particles. The counter "allocs_per_frame" counts the
// calls of operator new made by the system's update and draw once it has reached its steady state.
//
//   build-bench/bin/particle_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "support/widget_harness.h"
#include "widgets/memory_resources.h"
#include "widgets/stochastic_particle_system.h"

// The replaced operator new takes its memory from malloc, so its deletes free it; GCC's check
// cannot see the pairing once the operators are inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

std::atomic<bool> g_counting{false};
std::atomic<int64_t> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kestrelle {
namespace {

constexpr int kParticles = 2000;
constexpr int kSize = 16;
constexpr int kFrameMs = 10;

// A soft white disc, transparent outside.
uint32_t Disc(int32_t x, int32_t y) {
  const double d = std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0);
  const double a = std::clamp((kSize * 0.45 - d) / 1.5, 0.0, 1.0);
  return 0x00FFFFFFu | static_cast<uint32_t>(std::lround(a * 255)) << 24;
}

// Particles live exactly 1 s and 2,000 are born per second: 2,000 to 2,020 are alive.
struct ParticleScene {
  testing::WidgetHarness harness{R"(<widget type="stochastic_particle_system" name="ps" visible="yes"
      emission_x="392" emission_y="292" emission_radius="40" emission_count="2000" speed_min="20" speed_max="250"
      lifetime_min="1000" lifetime_max="1000" color_start="$FFFFC040" color_end="$FF4080FF" alfa_end="64">
      <widgets><widget type="image_widget" name="disc" resourcename="disc" width="16" height="16"/></widgets>
    </widget>)"};
  WidgetRef system;
  ParticleScene() {
    harness.engine->AddResource("disc", test::MakeImage(kSize, kSize, Disc));
    system = harness.Find("ps");
    system->Invalidate();
    for (int i = 0; i < 150; ++i) Frame();  // 1.5 s: the population and the pool are full
  }
  void Frame() {
    system->Update(kFrameMs);
    system->Draw(harness.engine->back, 0, 0);
  }
  int32_t Count() { return static_cast<int32_t>(system->GetProperty("count").ToInt()); }
};

void ParticlesKestrelle(benchmark::State& state) {
  ParticleScene scene;
  int64_t frames = 0, particles = 0;
  g_allocations = 0;
  for (auto _ : state) {
    g_counting = true;
    scene.Frame();
    g_counting = false;
    particles += scene.Count();
    ++frames;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(particles);
  state.counters["particles"] = static_cast<double>(particles) / static_cast<double>(frames);
  state.counters["allocs_per_frame"] = static_cast<double>(g_allocations.load()) / static_cast<double>(frames);
}

// The drawing alone, of one steady frame's particles.
void ParticlesKestrelleDrawOnly(benchmark::State& state) {
  ParticleScene scene;
  g_allocations = 0;
  for (auto _ : state) {
    g_counting = true;
    scene.system->Draw(scene.harness.engine->back, 0, 0);
    g_counting = false;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * scene.Count());
  state.counters["particles"] = scene.Count();
  state.counters["allocs_per_frame"] =
      static_cast<double>(g_allocations.load()) / static_cast<double>(state.iterations());
}

// The same number of 16 x 16 OVER blits, at the places the particles of a frame have.
void ParticlesPixman(benchmark::State& state) {
  std::vector<uint32_t> target(800 * 600, 0xFF202838u), sprite(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const uint32_t p = Disc(x, y), a = p >> 24;
      sprite[y * kSize + x] = a << 24 | a << 16 | a << 8 | a;  // premultiplied white
    }
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_x8r8g8b8, 800, 600, target.data(), 800 * 4);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSize, kSize, sprite.data(), kSize * 4);
  std::vector<std::pair<int, int>> places;
  for (int i = 0; i < kParticles; ++i) {
    const double angle = i * 2.399963, r = 40 + (i * 37 % 250);
    places.emplace_back(392 + static_cast<int>(std::cos(angle) * r), 292 + static_cast<int>(std::sin(angle) * r));
  }
  for (auto _ : state) {
    for (auto [x, y] : places)
      pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, x, y, kSize, kSize);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kParticles);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

BENCHMARK(ParticlesKestrelle)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParticlesKestrelleDrawOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParticlesPixman)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrelle

BENCHMARK_MAIN();
