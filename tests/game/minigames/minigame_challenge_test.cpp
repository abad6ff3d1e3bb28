// The in-level minigame challenge: command 20 sets up the order and the client, the first click
// on an item is judged once, and the result reaches the level control as command 21.

#include "game/minigames/minigame_challenge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "platform/messages.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

// Stands in for the level control: keeps the commands it is sent.
class RecordingLevelControl : public TControlGameWidget {
 public:
  std::vector<std::string> received;  // "code:completed:order_id"

 protected:
  void Command(int32_t code, const ParamsRef& params) override {
    received.push_back(std::to_string(code) + ":" + params->GetValue("completed", Variant()).ToString() + ":" +
                       params->GetValue("order_id", Variant()).ToString());
  }
};

std::string Factory(const std::string& name, const std::string& widget) {
  std::string escaped;
  for (char c : widget) {
    if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"')
      escaped += "&quot;";
    else
      escaped += c;
  }
  return R"(<widgetfactory name=")" + name + R"(" widgetstring=")" + escaped + R"("/>)";
}

// Items "rose" (0..50), "bread" above it with a higher z (40..90) and "cake" after both, lower
// (40..90 too): a press at 45 is on all three and judges "bread".
std::string Challenge(bool withScenarios) {
  std::string factories =
      Factory("text_order", R"(<widget type="text_widget" name="wanted" text="%text%"/>)") +
      Factory("client_girl", R"(<widget type="rect_widget" name="girl" width="5" height="5"/>)") +
      Factory("circle_2", R"(<widget type="rect_widget" name="circle" width="5" height="5"/>)") +
      Factory("heart",
              R"(<widget type="rect_widget" name="%name%" anchor_left="%anchor_left%" anchor_top="%anchor_top%" )"
              R"(width="5" height="5" extraparams="\animationtime=300"/>)");
  if (withScenarios) {
    factories += Factory("scenario_minigame_completed",
                         R"(<widget type="scenario_minigame_success" name="scenario_minigame_success" visible="yes">)"
                         R"(<widgets><widget type="rect_widget" name="smile" visible="no"/></widgets></widget>)");
    factories += Factory("scenario_minigame_failed",
                         R"(<widget type="scenario_minigame_failed" name="scenario_minigame_failed" visible="yes">)"
                         R"(<widgets><widget type="rect_widget" name="smile" visible="no"/></widgets></widget>)");
  }
  return R"(<widget type="KestrelleControlMiniGame" name="control_minigame_cake" visible="no" extraparams="\type=text">
    <widgetfactories>)" +
         factories + R"(</widgetfactories>
    <widgets>
      <widget type="group_widget" name="scenario_group" visible="yes"/>
      <widget type="group_widget" name="client" visible="yes"/>
      <widget type="group_widget" name="order" visible="yes"/>
      <widget type="group_widget" name="items" visible="yes"><widgets>
        <widget type="rect_widget" name="rose" width="50" height="50" visible="yes"
            extraparams="\item_id=rose"/>
        <widget type="rect_widget" name="bread" anchor_left="40" anchor_top="40" width="50" height="50" z="5"
            visible="yes" extraparams="\item_id=bread"/>
        <widget type="rect_widget" name="cake" anchor_left="40" anchor_top="40" width="50" height="50"
            visible="yes" extraparams="\item_id=cake"/>
      </widgets></widget>
    </widgets>
  </widget>)";
}

TEST(MinigameChallenge, TheFirstClickIsJudgedOnceAndReportedToTheLevel) {
  testing::EnsureGameClassesRegistered();
  struct Case {
    const char* what;
    bool withScenarios;
    int32_t wanted;  // index drawn among the items, kept in z order
    const char* report;
    const char* scenario;  // none: reported at the click
    int32_t lasts;         // ms: the last heart's 300 + 700, less 300 for the smile of a success
  };
  const Case cases[] = {
      {"right item, success scenario", true, 2, "21:yes:line_3", "scenario_minigame_success", 700},
      {"wrong item, failed scenario", true, 1, "21:no:line_3", "scenario_minigame_failed", 1000},
      {"no scenario factory: reported at once", false, 0, "21:no:line_3", nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::WidgetHarness h(Challenge(c.withScenarios));
    auto level = Create<RecordingLevelControl>();
    level->SetName("control_game_main");
    h.root->GetWidgets()->Add(level);
    auto challenge = std::dynamic_pointer_cast<TKestrelleControlMiniGame>(h.Find("control_minigame_cake"));
    ASSERT_TRUE(challenge);

    ParamsRef order = CreateParams();
    order->SetValue("client_type", Variant("girl"));
    order->SetValue("client_hearts", Variant("2"));
    order->SetValue("order_id", Variant("line_3"));
    {
      testing::ScriptedRandom random({c.wanted});
      challenge->HandleEvent(20, order);
    }
    const char* items[] = {"rose", "cake", "bread"};
    EXPECT_EQ(challenge->GetOrderedItemId(), items[c.wanted]);
    EXPECT_EQ(h.Prop("control_minigame_cake/order/wanted/text").ToString(),
              std::string("%order_") + items[c.wanted] + "%");
    EXPECT_TRUE(h.Find("control_minigame_cake/client/girl"));
    EXPECT_TRUE(h.Find("control_minigame_cake/client/circle"));
    EXPECT_TRUE(challenge->GetVisible());

    challenge->MouseEvent(WM_LBUTTONDOWN, TPoint{45, 45}, 0);  // judges "bread"
    EXPECT_TRUE(challenge->GetAnswered());
    challenge->MouseEvent(WM_LBUTTONDOWN, TPoint{10, 10}, 0);  // "rose": ignored
    if (c.scenario) {
      EXPECT_TRUE(level->received.empty());
      h.Frame(20);
      const std::string scenario = std::string("control_minigame_cake/scenario_group/") + c.scenario;
      ASSERT_TRUE(h.Find(scenario + "/10"));  // ten hearts in a ring, and the smile shown
      EXPECT_EQ(h.Find(scenario + "/1")->GetAnchorLeft(), 475);
      EXPECT_EQ(h.Find(scenario + "/1")->GetAnchorTop(), 550);
      EXPECT_TRUE(h.Find(scenario + "/smile")->GetVisible());
      int32_t elapsed = 20;
      while (level->received.empty() && elapsed < 3000) {
        h.Frame(20);
        elapsed += 20;
      }
      EXPECT_GE(elapsed, c.lasts);
      EXPECT_LE(elapsed, c.lasts + 60);
    }
    EXPECT_EQ(level->received, (std::vector<std::string>{c.report}));
    EXPECT_FALSE(challenge->GetVisible());
    for (int i = 0; i < 10; ++i) h.Frame(20);
    EXPECT_EQ(level->received.size(), 1u) << "reported once";
  }
}

}  // namespace
}  // namespace kestrelle
