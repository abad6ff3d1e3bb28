// The letter-by-letter text reveal and the image sequence on the harness: when each letter fades
// in, the ways a reveal ends (time, a click, command 3) with events 7 and 8, and the steps of a
// sequence by time and by clicks, skipping an image whose file is missing, with event 10 at the end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/controls_fixture.h"
#include "controls/text_reveal_control.h"
#include "platform/messages.h"

namespace kestrelle::testing {
namespace {

// "abc" revealed from 100 ms on, one letter every 50 ms, each fading in over 100 ms.
const char* kRevealXml = R"(
  <widget type="control_text_vizualization" name="reveal" width="200" height="20" startdelaytime="100"
          letterdelaytime="50" visible="yes" mousestop="yes">
    <widgetfactories>
      <widgetfactory name="vizualization_letter"
        widgetstring="&lt;widget type=&quot;text_widget&quot; name=&quot;%name%&quot; anchor_left=&quot;%anchor_left%&quot; anchor_top=&quot;%anchor_top%&quot; width=&quot;%width%&quot; height=&quot;%height%&quot; resourcename=&quot;font12&quot; visible=&quot;yes&quot;/&gt;"/>
      <widgetfactory name="transparent_widget"
        widgetstring="&lt;widget type=&quot;transparent_scenario&quot; name=&quot;%name%&quot; start_trans_level=&quot;0&quot; end_trans_level=&quot;255&quot; timetolive=&quot;100&quot; visible=&quot;yes&quot;/&gt;"/>
    </widgetfactories>
    <widgets>
      <widget type="text_widget" name="story" width="200" height="16" resourcename="font12" text="abc" visible="yes"/>
      <widget type="group_widget" name="letters_group" visible="no"/>
    </widgets>
  </widget>)";

struct RevealHarness {
  WidgetHarness h{kRevealXml};
  RevealHarness() {
    AddFixtureFont(*h.engine);
    h.root->SetOwner(h.screen);  // the texts find their font and lay out their glyphs
  }
  void Start() { h.SetProp("reveal/InitVizualization", Variant(1)); }
  int State() { return static_cast<int>(h.Prop("reveal/visualization_state").ToInt()); }
  int Level(const char* letter) {
    return static_cast<int>(h.Prop(std::string("reveal/letters_group/") + letter + "/transparentlevel").ToInt());
  }
};

TEST(TextReveal, LettersFadeInOneAfterAnother) {
  EnsureControlsRegistered();
  RevealHarness r;
  r.Start();
  EXPECT_EQ(r.State(), TControlTextVizualization::kRevealing);
  EXPECT_FALSE(r.h.Find("reveal/story")->GetVisible());
  EXPECT_TRUE(r.h.Find("reveal/letters_group")->GetVisible());
  // A fade and a letter for each character; the reveal ends after the last start (200 ms) and a
  // letter delay more (250), plus the last fade (100).
  EXPECT_EQ(r.h.Find("reveal/letters_group")->GetWidgets()->GetCount(), 6);
  EXPECT_EQ(r.h.Prop("reveal/letters_group/2/text_utf8").ToString(), "b");
  EXPECT_EQ(r.h.Prop("reveal/visualization_time").ToInt(), 350);
  struct Moment {
    int at;       // ms since the start
    int a, b, c;  // transparency level of each letter
  };
  const Moment moments[] = {
      {90, 0, 0, 0},         // the start delay
      {175, 191, 63, 0},     // "a" 75 ms into its fade, "b" 25 ms, "c" not begun
      {240, 255, 229, 102},  // "a" done and back at its own level
  };
  int now = 0;
  for (const Moment& m : moments) {
    r.h.Frame(m.at - now);
    now = m.at;
    EXPECT_EQ(r.Level("1"), m.a) << m.at;
    EXPECT_EQ(r.Level("2"), m.b) << m.at;
    EXPECT_EQ(r.Level("3"), m.c) << m.at;
  }
  EXPECT_TRUE(EventLog(*r.h.screen).empty());
}

TEST(TextReveal, EndsByTimeByAClickOrByCommandThree) {
  EnsureControlsRegistered();
  struct Case {
    const char* name;
    bool start;
    std::function<void(RevealHarness&)> act;
    int state;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"time runs out only after the end time",
       true,
       [](RevealHarness& r) {
         r.h.Frame(350);
         EXPECT_EQ(r.State(), TControlTextVizualization::kRevealing);
         r.h.Frame(1);
       },
       TControlTextVizualization::kDone,
       {"7:reveal"}},
      {"a click ends it at once, the next one is a click on the text",
       true,
       [](RevealHarness& r) {
         EXPECT_TRUE(r.h.Click(10, 5));
         EXPECT_TRUE(r.h.Click(10, 5));
       },
       TControlTextVizualization::kDone,
       {"7:reveal", "8:reveal"}},
      {"command 3 ends it once",
       true,
       [](RevealHarness& r) {
         r.h.Find("reveal")->HandleEvent(TControlTextVizualization::kCommandFinishReveal, nullptr);
         r.h.Find("reveal")->HandleEvent(TControlTextVizualization::kCommandFinishReveal, nullptr);
       },
       TControlTextVizualization::kDone,
       {"7:reveal"}},
      {"before any reveal neither a click nor command 3 does anything",
       false,
       [](RevealHarness& r) {
         EXPECT_FALSE(r.h.Click(10, 5));
         r.h.Find("reveal")->HandleEvent(TControlTextVizualization::kCommandFinishReveal, nullptr);
       },
       TControlTextVizualization::kIdle,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RevealHarness r;
    if (c.start) r.Start();
    c.act(r);
    EXPECT_EQ(r.State(), c.state);
    EXPECT_EQ(EventLog(*r.h.screen), c.events);
    // Ended or never begun, the text shows as itself and no letter is left.
    EXPECT_TRUE(r.h.Find("reveal/story")->GetVisible());
    EXPECT_EQ(r.h.Find("reveal/letters_group")->GetWidgets()->GetCount(), 0);
  }
}

// An image whose file is not there.
class MissingImage : public test::MemoryImage {
 public:
  bool IsAvailable() override { return false; }
};

TEST(SequenceControl, StepsByTimeAndClicksSkippingMissingImages) {
  EnsureControlsRegistered();
  struct Step {
    int frameMs;  // 0: a click instead
    int current;
    const char* shown;  // the one visible child
    size_t endEvents;   // event 10 so far
  };
  struct Case {
    const char* name;
    int stepDuration;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"by time: the missing second image is passed over at the next update",
       100,
       {{10, 0, "a", 0}, {99, 0, "a", 0}, {1, 1, "", 0}, {10, 2, "c", 0}, {100, 2, "c", 1}, {0, 2, "c", 2}}},
      {"without a step time only clicks step",
       0,
       {{10, 0, "a", 0}, {1000, 0, "a", 0}, {0, 1, "", 0}, {0, 2, "c", 0}, {0, 2, "c", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WidgetHarness h(R"(<widget type="SequenceControl" name="seq" width="40" height="40" visible="yes" mousestop="yes"
                         step_duration_time=")" +
                    std::to_string(c.stepDuration) + R"(">
          <widgets>
            <widget type="image_widget" name="a" resourcename="pic_a" visible="yes"/>
            <widget type="image_widget" name="b" resourcename="pic_b" visible="yes"/>
            <widget type="image_widget" name="c" resourcename="pic_c" visible="yes"/>
          </widgets>
        </widget>)");
    auto solid = [](int32_t, int32_t) { return 0xFF808080u; };
    h.engine->AddResource("pic_a", test::MakeImage(4, 4, solid));
    h.engine->AddResource("pic_b", std::make_shared<MissingImage>());
    h.engine->AddResource("pic_c", test::MakeImage(4, 4, solid));
    // Loaded, every image waits hidden.
    for (const char* child : {"a", "b", "c"}) EXPECT_FALSE(h.Find(std::string("seq/") + child)->GetVisible());
    for (const Step& s : c.steps) {
      if (s.frameMs > 0)
        h.Frame(s.frameMs);
      else
        h.Click(20, 20);
      std::string shown;
      for (const char* child : {"a", "b", "c"})
        if (h.Find(std::string("seq/") + child)->GetVisible()) shown += child;
      EXPECT_EQ(h.Prop("seq/current").ToInt(), s.current) << s.frameMs;
      EXPECT_EQ(shown, s.shown) << s.frameMs;
      EXPECT_EQ(EventLog(*h.screen).size(), s.endEvents) << s.frameMs;
    }
  }
}

}  // namespace
}  // namespace kestrelle::testing
