// The particle effects the shop game makes by factory name ("ps_find" ...) and a revealed curve,
// from the demo's game definition (the showcase screen's window): each is made, run and drawn,
// and a picture of each is written to the test picture folder (particles-<name>.png).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "controls/curve_widget.h"
#include "data/class_registry.h"
#include "media/png_writer.h"
#include "support/widget_harness.h"
#include "widgets/group_widget.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// The showcase screen's window element, as text.
std::string ShowcaseWindow() {
  std::ifstream in(std::string(KESTRELLE_SOURCE_DIR) + "/content/ini/Kestrelle.ini", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  const std::string ini = text.str();
  const size_t screen = ini.find("name=\"GS_ParticleShowcase\"");
  const size_t begin = screen == std::string::npos ? screen : ini.find("<window", screen);
  const size_t end = begin == std::string::npos ? begin : ini.find("</window>", begin);
  return end == std::string::npos ? std::string() : ini.substr(begin, end + 9 - begin);
}

// Pixels of the rectangle that differ from the backdrop colour.
int ChangedPixels(const ISurface& back, const TRect& r) {
  int changed = 0;
  for (int64_t y = std::max<int64_t>(r.top, 0); y < std::min<int64_t>(r.bottom, back.GetHeight()); ++y)
    for (int64_t x = std::max<int64_t>(r.left, 0); x < std::min<int64_t>(r.right, back.GetWidth()); ++x)
      if ((back.GetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y)) & 0xFFFFFF) != 0x202838) ++changed;
  return changed;
}

class ParticleShowcase : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureControlsRegistered();
    window_ = ShowcaseWindow();
    ASSERT_FALSE(window_.empty()) << "no showcase screen in content/ini/Kestrelle.ini";
  }
  std::string window_;
};

TEST_F(ParticleShowcase, EveryFactoryOfTheShopGameMakesAVisibleEffect) {
  struct Case {
    const char* factory;
    const char* type;
    int32_t x, y;
  } cases[] = {
      {"ps_find", "stochastic_particle_system", 400, 300},
      {"ps_hint", "montecarlo_particle_system", 0, 0},
      {"ps_flying_money", "function_particle_system", 400, 400},
      {"ps_flying_bonus", "function_particle_system", 400, 300},
      {"ps_statlevel", "multi_particle_system", 400, 350},
      {"ps_selecteddiff", "stochastic_particle_system", 400, 300},
  };
  for (const Case& c : cases) {
    WidgetHarness h(window_);
    h.Find("curve")->SetVisible(false);
    auto window = std::dynamic_pointer_cast<TGroupWidget>(h.root);
    ASSERT_TRUE(window);
    ParamsRef params = CreateParams();
    params->SetValue("name", c.factory);
    params->SetValue("anchor_left", c.x);
    params->SetValue("anchor_top", c.y);
    WidgetRef effect = window->CreateWidget(c.factory, params);
    ASSERT_TRUE(effect) << c.factory;
    EXPECT_TRUE(ClassRegistry::Instance().Find(c.type)) << c.type;
    window->GetWidgets()->Add(effect);
    if (std::string(c.factory) == "ps_hint")
      effect->SetProperty("widget", Variant(InterfaceRef(h.Find("hint_target"))));
    for (int i = 0; i < 30; ++i) h.Frame(20);
    EXPECT_GT(effect->GetProperty("count").ToInt(), 0) << c.factory;
    EXPECT_GT(ChangedPixels(*h.engine->back, effect->GetRect()), 20) << c.factory;
    WriteSurfacePng(*h.engine->back, testing::TestOutputFolder() / ("particles-" + std::string(c.factory) + ".png"));
  }
}

TEST_F(ParticleShowcase, TheCurveIsRevealedOverItsDrawTime) {
  WidgetHarness h(window_);
  h.Frame(0);
  h.Frame(750);
  WriteSurfacePng(*h.engine->back, testing::TestOutputFolder() / "particles-curve-half.png");
  const int half = ChangedPixels(*h.engine->back, TRect{0, 200, 800, 600});
  for (int i = 0; i < 8; ++i) h.Frame(100);
  WriteSurfacePng(*h.engine->back, testing::TestOutputFolder() / "particles-curve.png");
  const int full = ChangedPixels(*h.engine->back, TRect{0, 200, 800, 600});
  EXPECT_GT(half, 100);
  EXPECT_GT(full, half + 100);
}

}  // namespace
}  // namespace kestrelle
