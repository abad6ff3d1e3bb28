// Particle systems in a screen tree: emission counts, closed-form motion and colour, births on a
// picture's visible pixels, the function-driven system's slots, and the multi-type tree in
// which a dead parent lingers until its children are gone.

#include <gtest/gtest.h>

#include "memory_resources.h"
#include "support/widget_harness.h"
#include "widgets/function_particle_system.h"
#include "widgets/montecarlo_particle_system.h"
#include "widgets/multi_particle_system.h"
#include "widgets/stochastic_particle_system.h"

namespace kestrelle {
namespace {

using testing::ScriptedRandom;
using testing::WidgetHarness;

std::string Stochastic(const std::string& attributes) {
  return R"(<widget type="stochastic_particle_system" name="ps" visible="yes" )" + attributes +
         R"(><widgets><widget type="image_widget" name="dot" resourcename="white" width="4" height="4"/></widgets></widget>)";
}

// The harness with the 4 x 4 opaque white picture the particles are drawn through.
void AddWhite(WidgetHarness& h) {
  h.engine->AddResource("white", test::MakeImage(4, 4, [](int32_t, int32_t) { return 0xFFFFFFFFu; }));
}

std::shared_ptr<TStochasticParticleSystem> System(const WidgetHarness& h) {
  return std::dynamic_pointer_cast<TStochasticParticleSystem>(h.Find("ps"));
}

TEST(StochasticParticleSystem, EmitsPerFrameWithoutCarryingFractionsOrInFixedSteps) {
  struct Case {
    const char* attributes;
    int32_t frameMs;
    int frames;
    int64_t expected;
  } cases[] = {
      {R"(emission_count="100")", 16, 1, 2},  // Round(1.6)
      {R"(emission_count="100")", 16, 5, 10},
      {R"(emission_count="20")", 16, 10, 0},                  // Round(0.32) every frame
      {R"(emission_count="20" delta_step="50")", 16, 10, 3},  // 160 ms: three 50 ms steps
      {R"(emission_count="20" delta_step="50")", 200, 1, 4},  // one frame, four steps
      {R"(emission_count="1000" delta_step="0")", 3, 1, 3},
  };
  for (const Case& c : cases) {
    WidgetHarness h(Stochastic(std::string(c.attributes) + R"( lifetime_min="99999" lifetime_max="99999")"));
    for (int i = 0; i < c.frames; ++i) h.Frame(c.frameMs);
    EXPECT_EQ(h.Prop("ps/count").ToInt(), c.expected) << c.attributes << " " << c.frameMs << " ms";
  }
}

TEST(StochasticParticleSystem, PositionsAreClosedFormulasOfTheAge) {
  struct Case {
    int32_t direction, speed, gravity, ageMs;
    double x, y;
  } cases[] = {
      {0, 100, 0, 500, 50, 0},           {90, 100, 200, 500, 0, 75},   // 50 along the direction + 25 of fall
      {180, 100, 0, 250, -25, 0},        {0, 0, 1000, 3000, 0, 4500},  // t² × gravity is beyond 32 bits
      {0, 0, -400, 100000, 0, -2000000},
  };
  for (const Case& c : cases) {
    const std::string attributes =
        "spread=\"0\" emission_count=\"1000\" emission_x=\"7\" emission_y=\"-3\" direction=\"" +
        std::to_string(c.direction) + "\" speed_min=\"" + std::to_string(c.speed) + "\" speed_max=\"" +
        std::to_string(c.speed) + "\" gravity_min=\"" + std::to_string(c.gravity) + "\" gravity_max=\"" +
        std::to_string(c.gravity) + "\" lifetime_min=\"999999\" lifetime_max=\"999999\"";
    WidgetHarness h(Stochastic(attributes));
    h.Frame(1);  // one particle, age 0
    h.SetProp("ps/emission_count", 0);
    h.Frame(c.ageMs);
    auto ps = System(h);
    ASSERT_EQ(ps->GetParticleCount(), 1);
    EXPECT_DOUBLE_EQ(ps->ParticleAt(0).x, 7 + c.x) << c.direction << "/" << c.gravity;
    EXPECT_DOUBLE_EQ(ps->ParticleAt(0).y, -3 + c.y) << c.direction << "/" << c.gravity;
  }
}

TEST(StochasticParticleSystem, LivesExactlyItsLifetimeAndFadesBetweenTheColours) {
  WidgetHarness h(Stochastic(R"(emission_count="1000" lifetime_min="100" lifetime_max="100" speed_min="0"
                                speed_max="0" color_start="$FFFFFFFF" color_end="$FF000000")"));
  h.Frame(1);
  h.SetProp("ps/emission_count", 0);
  auto ps = System(h);
  const auto& particle = static_cast<const TStochasticParticle&>(ps->ParticleAt(0));
  EXPECT_EQ(particle.color, 0xFFFFFFFFu);
  h.Frame(50);
  EXPECT_EQ(particle.color, 0xFF7F7F7Fu);  // 255 + Round(-127.5)
  h.Frame(50);
  EXPECT_EQ(ps->GetParticleCount(), 1);  // age 100 is not past 100
  h.Frame(1);
  EXPECT_EQ(ps->GetParticleCount(), 0);
  EXPECT_EQ(ps->GetRect(), TParticleSystem::kNoBounds);
}

TEST(StochasticParticleSystem, ColourBetweenTwoColours) {
  struct Case {
    uint32_t from, to;
    int32_t age, lifetime;
    uint32_t expected;
  } cases[] = {
      {0xFFFFFFFF, 0xFF000000, 0, 1000, 0xFFFFFFFF},
      {0xFFFFFFFF, 0x00000000, 1000, 1000, 0x00000000},
      {0x80FF0000, 0xFF0000FF, 250, 1000, 0xA0BF0040},
      {0xFFFFFFFF, 0x10203040, 5, 0, 0x10203040},  // lifetime 0: the end colour, no division
  };
  for (const Case& c : cases) EXPECT_EQ(ParticleColorAt(c.from, c.to, c.age, c.lifetime), c.expected) << c.age;
}

TEST(StochasticParticleSystem, DrawsItsColourThroughTheChildAndReportsTheParticlesBox) {
  WidgetHarness h(Stochastic(R"(anchor_left="100" anchor_top="50" emission_count="1000" spread="0" speed_min="0"
                                speed_max="0" lifetime_min="9999" lifetime_max="9999" color_start="$FF00FF00"
                                color_end="$FF00FF00")"));
  AddWhite(h);
  h.Frame(1);
  h.SetProp("ps/emission_count", 0);
  h.Frame(10);
  EXPECT_EQ(System(h)->GetRect(), (TRect{100, 50, 104, 54}));
  EXPECT_EQ(h.engine->back->GetPixel(101, 51) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(h.engine->back->GetPixel(105, 51) & 0xFFFFFF, 0u);
}

// A 4 x 1 source whose alphas are 0, 19, 20 and 255.
std::shared_ptr<test::MemoryImage> AlphaStrip() {
  return test::MakeImage(4, 1, [](int32_t x, int32_t) {
    static const uint32_t alphas[] = {0, 19, 20, 255};
    return (alphas[x] << 24) | 0xFFFFFFu;
  });
}

TEST(MonteCarloParticleSystem, IsBornOnPixelsWithAlphaOfAtLeastTwenty) {
  struct Case {
    const char* what;
    std::vector<int32_t> answers;  // bx, by per try, then the alpha variation
    bool born;
    int32_t x;
    uint32_t alpha;
  } cases[] = {
      {"19 is too faint, 20 is enough", {1, 0, 2, 0, 5}, true, 2, 15},
      {"opaque", {3, 0, 0}, true, 3, 255},
      {"eight transparent tries", std::vector<int32_t>(16, 0), false, 0, 0},
  };
  for (const Case& c : cases) {
    WidgetHarness h(R"(<widget type="image_widget" name="src" resourcename="strip" width="4" height="1"
                         anchor_left="30" anchor_top="40"/>
                       <widget type="montecarlo_particle_system" name="mc" emission_count="1000" spread="0"
                         speed_min="0" speed_max="0" lifetime_min="9999" lifetime_max="9999" alfa_variation="10"/>)");
    h.engine->AddResource("strip", AlphaStrip());
    h.Frame(0);
    h.Find("mc")->SetProperty("widget", Variant(h.Find("src")));
    {
      ScriptedRandom random(c.answers);
      h.Frame(1);
      EXPECT_EQ(random.used(), static_cast<int>(c.answers.size())) << c.what;
    }
    auto mc = std::dynamic_pointer_cast<TMonteCarloParticleSystem>(h.Find("mc"));
    ASSERT_EQ(mc->GetParticleCount(), c.born ? 1 : 0) << c.what;
    if (!c.born) continue;
    const auto& p = static_cast<const TStochasticParticle&>(mc->ParticleAt(0));
    EXPECT_EQ(p.startX, 30 + c.x) << c.what;
    EXPECT_EQ(p.startY, 40) << c.what;
    EXPECT_EQ(p.startColor >> 24, c.alpha) << c.what;
  }
  // Without a source widget nothing is born.
  WidgetHarness none(R"(<widget type="montecarlo_particle_system" name="mc" emission_count="1000"/>)");
  none.Frame(10);
  EXPECT_EQ(none.Prop("mc/count").ToInt(), 0);
}

// Particle slots: vector 0 dead, x, y, picture, red, green, blue, alpha; vector 1 age, speed.
// Create gives each particle the speed 10 × index; Update moves it right and kills it after
// "life" ms.
std::string FunctionSystem(const std::string& attributes) {
  return R"(<widget type="function_particle_system" name="fps" visible="yes" )" + attributes + R"(>
  <paramspace><paramdefs>
    <paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/>
    <paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/>
    <paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/>
    <paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/>
    <paramdef name="age" col="1" row="0" static="yes"/><paramdef name="speed" col="1" row="1" static="yes"/>
  </paramdefs></paramspace>
  <function type="function_complex">
    <paramspace><paramdefs>
      <paramdef name="time" col="1" static="yes"/>
      <paramdef name="count" col="2" static="yes" value="100"/><paramdef name="life" col="2" static="yes" value="1000"/>
    </paramdefs></paramspace>
    <functions>
      <function name="Create" type="function_eval">
        <paramspace><paramdefs>
          <paramdef name="age0" col="0" row="0" static="yes"/><paramdef name="speed0" col="0" row="1" static="yes"/>
          <paramdef name="index" col="1" static="yes"/><paramdef name="total_index" col="1" static="yes"/>
        </paramdefs></paramspace>
        <expression>age0 := 0
speed0 := index * 10</expression>
      </function>
      <function name="Update" type="function_eval">
        <paramspace><paramdefs>
          <paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/>
          <paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/>
          <paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/>
          <paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/>
          <paramdef name="age" col="1" row="0" static="yes"/><paramdef name="speed" col="1" row="1" static="yes"/>
          <paramdef name="life" col="2"/>
        </paramdefs></paramspace>
        <expression>dead := age > life
x := 20 + speed * age / 1000
y := 20
image := 0
red := 255
green := 0
blue := 0
alpha := 255</expression>
      </function>
    </functions>
  </function>
  <widgets><widget type="image_widget" name="dot" resourcename="white" width="4" height="4"/></widgets>
</widget>)";
}

TEST(FunctionParticleSystem, InitialBurstContinuousEmissionAndDeathBySlot) {
  struct Case {
    const char* attributes;
    int32_t frameMs;
    int frames;
    int64_t expected;
  } cases[] = {
      {R"(delta_step="-1" init_creation_count="30")", 10, 5, 30},  // the burst once, nothing more
      {R"(delta_step="0")", 16, 5, 8},                             // 100/s carries the fraction: 80 ms → 8
      {R"(delta_step="50")", 16, 10, 15},                          // three 50 ms steps of 5
  };
  for (const Case& c : cases) {
    WidgetHarness h(FunctionSystem(c.attributes));
    for (int i = 0; i < c.frames; ++i) h.Frame(c.frameMs);
    EXPECT_EQ(h.Prop("fps/count").ToInt(), c.expected) << c.attributes;
  }

  // Particles die when the Update function sets the dead slot: "life" is fed by property.
  WidgetHarness h(FunctionSystem(R"(delta_step="-1" init_creation_count="3")"));
  AddWhite(h);
  h.Find("fps")->Invalidate();  // static pictures are taken again
  h.SetProp("fps/life", 100);
  h.Frame(0);
  auto fps = std::dynamic_pointer_cast<TFunctionParticleSystem>(h.Find("fps"));
  ASSERT_EQ(fps->GetParticleCount(), 3);
  h.Frame(100);
  EXPECT_FLOAT_EQ(SlotValue(fps->ParticleAt(2), 0, 1), 22);  // 20 + 20 px/s × 0.1 s
  EXPECT_EQ(fps->GetRect(), (TRect{18, 18, 24, 22}));        // 4 x 4 pictures centred at 20 and 22
  EXPECT_EQ(h.engine->back->GetPixel(20, 20) & 0xFFFFFF, 0xFF0000u);
  h.Frame(1);
  EXPECT_EQ(fps->GetParticleCount(), 0);
}

TEST(FunctionParticleSystem, EventOneCreatesFromParametersAndEventTwoClearsAndRedraws) {
  WidgetHarness h(FunctionSystem(R"(delta_step="-1")"));
  h.Frame(0);
  auto params = Create<TParamCollection>();
  params->SetValue("speed", Variant(int64_t{1000}));
  params->SetValue("unknown", Variant(int64_t{5}));
  h.Find("fps")->HandleEvent(1, params);
  auto fps = std::dynamic_pointer_cast<TFunctionParticleSystem>(h.Find("fps"));
  ASSERT_EQ(fps->GetParticleCount(), 1);
  h.Frame(100);
  EXPECT_FLOAT_EQ(SlotValue(fps->ParticleAt(0), 0, 1), 120);
  const TRect area = fps->GetRect();
  h.engine->ClearInvalidated();
  h.Find("fps")->HandleEvent(2, nullptr);
  EXPECT_EQ(fps->GetParticleCount(), 0);
  EXPECT_EQ(h.engine->InvalidatedBounds(), area);
}

// A particle type whose particles die when their age passes `life`, sit at (x, 20) and show
// picture 0 in opaque white; with `rate` above 0 it has a "Create" function emitting that many per second.
std::string ParticleType(const std::string& name, int life, int rate, int x, const std::string& children) {
  std::string create;
  if (rate > 0)
    create = R"(<function name="Create" type="function_eval"><paramspace><paramdefs>
        <paramdef name="age0" col="0" row="0" static="yes"/>
        <paramdef name="index" col="1" static="yes"/><paramdef name="total_index" col="1" static="yes"/>
        <paramdef name="count" col="2" static="yes" value=")" +
             std::to_string(rate) + R"("/>
      </paramdefs></paramspace><expression>age0 := 0</expression></function>)";
  return R"(<particle_type name=")" + name + R"("><paramspace><paramdefs>
      <paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/>
      <paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/>
      <paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/>
      <paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/>
      <paramdef name="age" col="1" row="0" static="yes"/>
    </paramdefs></paramspace>
    <function type="function_complex"><paramspace><paramdefs><paramdef name="time" col="1" static="yes"/></paramdefs>
      </paramspace><functions>)" +
         create + R"(
      <function name="Update" type="function_eval"><paramspace><paramdefs>
        <paramdef name="dead" col="0" row="0" static="yes"/><paramdef name="x" col="0" row="1" static="yes"/>
        <paramdef name="y" col="0" row="2" static="yes"/><paramdef name="image" col="0" row="3" static="yes"/>
        <paramdef name="red" col="0" row="4" static="yes"/><paramdef name="green" col="0" row="5" static="yes"/>
        <paramdef name="blue" col="0" row="6" static="yes"/><paramdef name="alpha" col="0" row="7" static="yes"/>
        <paramdef name="age" col="1" row="0" static="yes"/>
        <paramdef name="life" col="2" static="yes" value=")" +
         std::to_string(life) + R"("/>
      </paramdefs></paramspace><expression>dead := age > life
x := )" + std::to_string(x) +
         R"(
y := 20
image := 0
red := 255
green := 255
blue := 255
alpha := 255</expression></function></functions></function>)" +
         (children.empty() ? "" : "<particle_types>" + children + "</particle_types>") + "</particle_type>";
}

TEST(MultiParticleSystem, ADeadParentLingersWithoutEmittingUntilItsChildrenAreGone) {
  // One parent (life 50 ms) spawned by event 1; its children are emitted while it lives. Frames
  // of 10 ms: the parent's dead slot turns on in frame 6 (age 60).
  struct Case {
    int childRate;
    int childLife;
    int frame;
    int64_t parents;
    int64_t particles;  // parents and children
  } cases[] = {
      {0, 20, 5, 1, 1},     {0, 20, 6, 0, 0},       // no children: removed as it dies
      {100, 20, 5, 1, 4},                           // one child per frame, each lives 3 frames
      {100, 20, 6, 1, 3},   {100, 20, 7, 1, 2},     // dead: no new children, still there
      {100, 20, 8, 0, 0},                           // its last child gone, it goes too
      {100, 1000, 6, 1, 6}, {100, 1000, 60, 1, 6},  // five children and a lingering parent
  };
  for (const Case& c : cases) {
    WidgetHarness h(R"(<widget type="multi_particle_system" name="mps" visible="yes">
      <widgets><widget type="image_widget" name="dot" resourcename="white" width="4" height="4"/></widgets>
      <particle_types>)" +
                    ParticleType("parent", 50, 0, 10, ParticleType("child", c.childLife, c.childRate, 30, "")) +
                    "</particle_types></widget>");
    h.Frame(0);
    h.Find("mps")->HandleEvent(1, nullptr);
    auto mps = std::dynamic_pointer_cast<TMultiParticleSystem>(h.Find("mps"));
    ASSERT_TRUE(mps);
    for (int i = 0; i < c.frame; ++i) h.Frame(10);
    const std::string at = "rate " + std::to_string(c.childRate) + " life " + std::to_string(c.childLife) + " frame " +
                           std::to_string(c.frame);
    EXPECT_EQ(static_cast<int64_t>(mps->GetRootParticle().children.size()), c.parents) << at;
    EXPECT_EQ(h.Prop("mps/count").ToInt(), c.particles) << at;
  }
}

TEST(MultiParticleSystem, DrawsChildrenOverParentsAndEventTwoClears) {
  WidgetHarness h(R"(<widget type="multi_particle_system" name="mps" visible="yes" anchor_left="100" anchor_top="100">
      <widgets><widget type="image_widget" name="dot" resourcename="white" width="4" height="4"/></widgets>
      <particle_types>)" +
                  ParticleType("parent", 1000, 0, 10, ParticleType("child", 1000, 100, 30, "")) +
                  ParticleType("other", 1000, 0, 50, "") + "</particle_types></widget>");
  AddWhite(h);
  h.Find("mps")->Invalidate();  // static pictures are taken again
  h.Frame(0);
  auto params = Create<TParamCollection>();
  params->SetValue("particle_type", Variant(std::string("other")));
  h.Find("mps")->HandleEvent(1, params);   // a named type
  h.Find("mps")->HandleEvent(1, nullptr);  // the first type
  h.Frame(10);
  auto mps = std::dynamic_pointer_cast<TMultiParticleSystem>(h.Find("mps"));
  EXPECT_EQ(h.Prop("mps/count").ToInt(), 3);
  // Pictures centred on x = 50 (other), 10 (parent) and 30 (its child), y = 20.
  EXPECT_EQ(mps->GetRect(), (TRect{108, 118, 152, 122}));
  for (int x : {110, 130, 150}) EXPECT_EQ(h.engine->back->GetPixel(x, 120) & 0xFFFFFF, 0xFFFFFFu) << x;
  const TRect area = mps->GetRect();
  h.engine->ClearInvalidated();
  h.Find("mps")->HandleEvent(2, nullptr);
  EXPECT_EQ(h.Prop("mps/count").ToInt(), 0);
  EXPECT_EQ(h.engine->InvalidatedBounds(), area);
}

}  // namespace
}  // namespace kestrelle
