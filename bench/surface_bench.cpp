// Per-frame drawing against references measured in the same run: the normal blend against
// pixman's OVER, opaque copies against memcpy, bilinear scaling against pixman's bilinear
// filter. Items processed are pixels.
//
//   build-bench/bin/surface_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "media/surface.h"

namespace kestrelle {
namespace {

constexpr int kTargetW = 800, kTargetH = 600;

struct Size {
  const char* label;
  int w, h;
};
const Size kSizes[] = {{"800", 800, 600}, {"128", 128, 128}, {"32", 32, 32}};

// Straight-alpha test pictures (0xAARRGGBB words).
uint32_t Pattern(int x, int y) {
  return (static_cast<uint32_t>(x * 7 + y * 3) & 255) | (static_cast<uint32_t>(x * 5 + y * 11) & 255) << 8 |
         (static_cast<uint32_t>(x ^ y) & 255) << 16;
}
// An opaque disc with a soft edge, transparent outside.
uint32_t Sprite(int x, int y, int w, int h) {
  const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) * 0.45;
  const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
  const double edge = std::max(1.0, r * 0.05);
  const double a = std::clamp((r - d) / edge, 0.0, 1.0);
  return Pattern(x, y) | static_cast<uint32_t>(std::lround(a * 255)) << 24;
}
// Every pixel partly transparent.
uint32_t Translucent(int x, int y, int, int) {
  return Pattern(x, y) | static_cast<uint32_t>(40 + (x * 3 + y) % 180) << 24;
}

std::shared_ptr<TSurface> MakeSurface(int w, int h, bool keepAlpha, uint32_t (*pixel)(int, int, int, int)) {
  auto s = Create<TSurface>();
  s->SetSize(w, h);
  s->SetKeepAlpha(keepAlpha);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) *s->GetPixelAddress(x, y) = pixel(x, y, w, h);
  return s;
}
uint32_t Opaque(int x, int y, int, int) { return Pattern(x, y) | 0xFF000000u; }

// A pixman image over a copy of the surface's pixels, premultiplied for a8r8g8b8.
struct PixmanPicture {
  std::vector<uint32_t> bits;
  pixman_image_t* image = nullptr;
  PixmanPicture(const ISurface& s, pixman_format_code_t format) {
    const int w = s.GetWidth(), h = s.GetHeight();
    bits.assign(s.GetScanLine(0), s.GetScanLine(0) + w * h);
    if (format == PIXMAN_a8r8g8b8)
      for (uint32_t& p : bits) {
        const uint32_t a = p >> 24;
        auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
        p = (a << 24) | pre((p >> 16) & 255) << 16 | pre((p >> 8) & 255) << 8 | pre(p & 255);
      }
    image = pixman_image_create_bits(format, w, h, bits.data(), w * 4);
  }
  ~PixmanPicture() { pixman_image_unref(image); }
};

// Where a picture of the given size is drawn on the 800 x 600 target.
int PlaceX(const Size& s) { return s.w == kTargetW ? 0 : 101; }
int PlaceY(const Size& s) { return s.h == kTargetH ? 0 : 67; }

void NormalKestrelle(benchmark::State& state, Size size, uint32_t (*pixel)(int, int, int, int)) {
  auto target = MakeSurface(kTargetW, kTargetH, false, Opaque);
  auto source = MakeSurface(size.w, size.h, true, pixel);
  const TRect from{0, 0, size.w, size.h};
  const TRect to{PlaceX(size), PlaceY(size), PlaceX(size) + size.w, PlaceY(size) + size.h};
  ISurface& t = *target;
  for (auto _ : state) {
    t.Draw(source.get(), from, kBlendNormal, 255, to);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void NormalPixman(benchmark::State& state, Size size, uint32_t (*pixel)(int, int, int, int)) {
  auto target = MakeSurface(kTargetW, kTargetH, false, Opaque);
  auto source = MakeSurface(size.w, size.h, true, pixel);
  PixmanPicture dst(*target, PIXMAN_x8r8g8b8), src(*source, PIXMAN_a8r8g8b8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, nullptr, dst.image, 0, 0, 0, 0, PlaceX(size), PlaceY(size),
                             size.w, size.h);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void CopyKestrelle(benchmark::State& state, Size size) {
  auto target = MakeSurface(kTargetW, kTargetH, false, Opaque);
  auto source = MakeSurface(size.w, size.h, false, Opaque);
  const TRect from{0, 0, size.w, size.h};
  const TRect to{PlaceX(size), PlaceY(size), PlaceX(size) + size.w, PlaceY(size) + size.h};
  ISurface& t = *target;
  for (auto _ : state) {
    t.Draw(source.get(), from, kBlendBltFast, 255, to);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void CopyMemcpy(benchmark::State& state, Size size) {
  auto target = MakeSurface(kTargetW, kTargetH, false, Opaque);
  auto source = MakeSurface(size.w, size.h, false, Opaque);
  uint32_t* dst = target->GetScanLine(0) + PlaceY(size) * kTargetW + PlaceX(size);
  const uint32_t* src = source->GetScanLine(0);
  for (auto _ : state) {
    if (size.w == kTargetW) {
      std::memcpy(dst, src, static_cast<size_t>(size.w) * size.h * 4);
    } else {
      for (int y = 0; y < size.h; ++y) std::memcpy(dst + y * kTargetW, src + y * size.w, size.w * 4);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void ScaleKestrelle(benchmark::State& state, Size size) {
  auto target = MakeSurface(size.w, size.h, false, Opaque);
  auto source = MakeSurface(size.w / 2, size.h / 2, false, Opaque);
  ISurface& t = *target;
  for (auto _ : state) {
    t.RenderScaled(source.get(), 0, 0, 2, 2, true);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void ScalePixman(benchmark::State& state, Size size) {
  auto target = MakeSurface(size.w, size.h, false, Opaque);
  auto source = MakeSurface(size.w / 2, size.h / 2, false, Opaque);
  PixmanPicture dst(*target, PIXMAN_a8r8g8b8), src(*source, PIXMAN_a8r8g8b8);
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(src.image, &transform);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_set_repeat(src.image, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, size.w, size.h);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);
}

void RegisterAll() {
  for (const Size& size : kSizes) {
    const std::string n = size.label;
    benchmark::RegisterBenchmark(("BM_Normal/Kestrelle/Sprite/" + n).c_str(), NormalKestrelle, size, Sprite);
    benchmark::RegisterBenchmark(("BM_Normal/Pixman/Sprite/" + n).c_str(), NormalPixman, size, Sprite);
    benchmark::RegisterBenchmark(("BM_Normal/Kestrelle/Translucent/" + n).c_str(), NormalKestrelle, size, Translucent);
    benchmark::RegisterBenchmark(("BM_Normal/Pixman/Translucent/" + n).c_str(), NormalPixman, size, Translucent);
    benchmark::RegisterBenchmark(("BM_Copy/Kestrelle/" + n).c_str(), CopyKestrelle, size);
    benchmark::RegisterBenchmark(("BM_Copy/Memcpy/" + n).c_str(), CopyMemcpy, size);
    const std::string scaled = std::to_string(size.w / 2) + "to" + n;
    benchmark::RegisterBenchmark(("BM_ScaleBilinear/Kestrelle/" + scaled).c_str(), ScaleKestrelle, size);
    benchmark::RegisterBenchmark(("BM_ScaleBilinear/Pixman/" + scaled).c_str(), ScalePixman, size);
  }
}

}  // namespace
}  // namespace kestrelle

int main(int argc, char** argv) {
  kestrelle::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
