// Transform widgets per frame against the comparable pixman operation measured in the same run:
// a full-screen bilinear zoom against pixman's bilinear scale, an 800 x 600 widget turned by
// 30 degrees against pixman's bilinear rotation, the glow of a 64 x 64 contour against
// pixman's 7 x 7 convolution of the same picture, and an 800 x 600 widget with a wedge cut out
// against pixman's masked composite of the same picture through a mask of that wedge. Each Kestrelle frame re-renders
// the buffer (as when the child changes every frame) and draws it onto an 800 x 600 screen. The ratios (Kestrelle CPU
// time / pixman CPU time) are printed after the table.
//
//   build-bench/bin/transform_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/surface.h"
#include "support/widget_harness.h"
#include "widgets/transform_widget.h"

namespace kestrelle {
namespace {

uint32_t Pattern(int x, int y) {
  return 0xFF000000u | (static_cast<uint32_t>(x * 7 + y * 3) & 255) |
         (static_cast<uint32_t>(x * 5 + y * 11) & 255) << 8 | (static_cast<uint32_t>(x ^ y) & 255) << 16;
}
// An opaque disc filling most of the picture, transparent around it.
uint32_t Disc(int x, int y, int w, int h) {
  const double d = std::hypot(x + 0.5 - w / 2.0, y + 0.5 - h / 2.0);
  return d < std::min(w, h) * 0.42 ? Pattern(x, y) : 0u;
}

std::shared_ptr<TSurface> MakeSurface(int w, int h, bool disc) {
  auto s = Create<TSurface>();
  s->SetKeepAlpha(true);
  s->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) *s->GetPixelAddress(x, y) = disc ? Disc(x, y, w, h) : Pattern(x, y);
  return s;
}

// A screen holding one transform widget of `type` around a surface widget showing `picture`.
struct Scene {
  testing::WidgetHarness harness;
  std::shared_ptr<TTransformWidget> widget;
  Scene(const std::string& type, const std::string& attributes, const SurfaceRef& picture)
      : harness("<widget type=\"" + type + "\" name=\"t\" visible=\"yes\" " + attributes +
                "><widgets><widget type=\"surface_widget\" name=\"pic\" visible=\"yes\"/></widgets></widget>") {
    harness.SetProp("t/pic/surface", Variant(InterfaceRef(picture)));
    widget = std::dynamic_pointer_cast<TTransformWidget>(harness.Find("t"));
    harness.Frame(0);
  }
  void FrameOn(ISurface& target) {
    widget->Repaint();
    target.Clear();
    widget->Draw(harness.engine->back, 0, 0);
  }
};

struct PixmanPicture {
  std::vector<uint32_t> bits;
  pixman_image_t* image = nullptr;
  PixmanPicture(const ISurface& s) : bits(s.GetScanLine(0), s.GetScanLine(0) + s.GetWidth() * s.GetHeight()) {
    image = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.GetWidth(), s.GetHeight(), bits.data(), s.GetWidth() * 4);
  }
  PixmanPicture(int w, int h) : bits(static_cast<size_t>(w) * h) {
    image = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, bits.data(), w * 4);
  }
  ~PixmanPicture() { pixman_image_unref(image); }
};

void ZoomKestrelle(benchmark::State& state) {
  Scene scene("zoom_widget", "zoom=\"1.25\" smooth=\"yes\"", MakeSurface(640, 480, false));
  for (auto _ : state) scene.FrameOn(*scene.harness.engine->back);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

void ZoomPixman(benchmark::State& state) {
  PixmanPicture src(*MakeSurface(640, 480, false)), dst(800, 600);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.8), pixman_double_to_fixed(0.8));
  pixman_image_set_transform(src.image, &t);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, 800, 600);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

void RotateKestrelle(benchmark::State& state) {
  Scene scene("rotate_widget",
              "angle=\"30\" smooth=\"yes\" centerx=\"400\" centery=\"300\" anchor_left=\"400\" "
              "anchor_top=\"300\"",
              MakeSurface(800, 600, false));
  for (auto _ : state) scene.FrameOn(*scene.harness.engine->back);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

void RotatePixman(benchmark::State& state) {
  PixmanPicture src(*MakeSurface(800, 600, false));
  const int side = 1001;
  PixmanPicture dst(side, side);
  pixman_transform_t t;
  pixman_transform_init_identity(&t);
  pixman_transform_translate(&t, nullptr, pixman_int_to_fixed(-side / 2), pixman_int_to_fixed(-side / 2));
  pixman_transform_rotate(&t, nullptr, pixman_double_to_fixed(std::cos(M_PI / 6)),
                          pixman_double_to_fixed(-std::sin(M_PI / 6)));
  pixman_transform_translate(&t, nullptr, pixman_int_to_fixed(400), pixman_int_to_fixed(300));
  pixman_image_set_transform(src.image, &t);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, side, side);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

void ContourKestrelle(benchmark::State& state) {
  Scene scene("contour_widget", "contourthickness=\"3\" contourcolor=\"$C0F7C948\"", MakeSurface(64, 64, true));
  for (auto _ : state) scene.FrameOn(*scene.harness.engine->back);
  state.SetItemsProcessed(state.iterations() * 70 * 70);
}

void ContourPixman(benchmark::State& state) {
  PixmanPicture src(*MakeSurface(64, 64, true)), dst(70, 70);
  std::vector<pixman_fixed_t> kernel = {pixman_int_to_fixed(7), pixman_int_to_fixed(7)};
  for (int i = 0; i < 49; ++i) kernel.push_back(pixman_double_to_fixed(1.0 / 49));
  pixman_image_set_filter(src.image, PIXMAN_FILTER_CONVOLUTION, kernel.data(), static_cast<int>(kernel.size()));
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, -3, -3, 0, 0, 0, 0, 70, 70);
  state.SetItemsProcessed(state.iterations() * 70 * 70);
}

void CutSectorKestrelle(benchmark::State& state) {
  Scene scene("cutsector_widget", "centerx=\"400\" centery=\"300\" startangle=\"-30\" endangle=\"200\"",
              MakeSurface(800, 600, false));
  for (auto _ : state) scene.FrameOn(*scene.harness.engine->back);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}

// The picture through an 800 x 600 mask of the same wedge, in one masked composite.
void CutSectorPixman(benchmark::State& state) {
  PixmanPicture src(*MakeSurface(800, 600, false)), dst(800, 600);
  std::vector<uint8_t> maskBits(800 * 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const double a = std::atan2(y - 300.0, x - 400.0) * 180.0 / M_PI;
      maskBits[static_cast<size_t>(y) * 800 + x] = a >= -30 && a < 200 ? 0 : 255;
    }
  pixman_image_t* mask =
      pixman_image_create_bits(PIXMAN_a8, 800, 600, reinterpret_cast<uint32_t*>(maskBits.data()), 800);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, src.image, mask, dst.image, 0, 0, 0, 0, 0, 0, 800, 600);
  state.SetItemsProcessed(state.iterations() * 800 * 600);
  pixman_image_unref(mask);
}

// Collects the mean time per iteration of every run and prints Kestrelle / pixman per pair.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      // CPU time: the machine may be shared, and a frame has one core to itself.
      times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
      units_[run.run_name.function_name] = benchmark::GetTimeUnitString(run.time_unit);
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const char* pair : {"BM_Zoom800", "BM_Rotate800", "BM_Contour64", "BM_CutSector800"}) {
      const std::string ours = std::string(pair) + "/Kestrelle", theirs = std::string(pair) + "/Pixman";
      if (times_.count(ours) && times_.count(theirs) && times_[theirs] > 0)
        std::printf("%-14s Kestrelle / pixman = %.2f (Kestrelle %.3f %s per frame)\n", pair,
                    times_[ours] / times_[theirs], times_[ours], units_[ours].c_str());
    }
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, std::string> units_;
};

}  // namespace
}  // namespace kestrelle

int main(int argc, char** argv) {
  using namespace kestrelle;
  benchmark::RegisterBenchmark("BM_Zoom800/Kestrelle", ZoomKestrelle)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Zoom800/Pixman", ZoomPixman)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Rotate800/Kestrelle", RotateKestrelle)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Rotate800/Pixman", RotatePixman)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Contour64/Kestrelle", ContourKestrelle)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_Contour64/Pixman", ContourPixman)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_CutSector800/Kestrelle", CutSectorKestrelle)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_CutSector800/Pixman", CutSectorPixman)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
