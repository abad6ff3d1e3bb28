// The client-leave scenario: it plays its own look for its duration, then reports to the level
// control what the control gave it, under its own name, and is gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/class_registry.h"
#include "data/params.h"
#include "support/widget_harness.h"
#include "widgets/group_widget.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// A level control that keeps the reports it gets.
class TReportSink : public TVisualGroupWidget {
 public:
  void HandleEvent(int32_t code, const ParamsRef& params) override {
    std::string text = std::to_string(code);
    for (const char* key : {"name", "scenario_to_finalize", "station_name", "client_was_served", "generate_bonus"})
      text += std::string(" ") + key + "=" + (params ? params->GetValue(key, "-").ToString() : "-");
    reports.push_back(text);
  }
  std::vector<std::string> reports;
};

TEST(ClientLeaveScenario, WalksTheClientOffThenReportsItsParametersAndEnds) {
  testing::EnsureGameClassesRegistered();
  static const bool registered = [] {
    RegisterObjectClass<TReportSink>("test_report_sink");
    return true;
  }();
  (void)registered;
  WidgetHarness h(R"(<widget type="test_report_sink" name="level" visible="yes"><widgets>
      <widget type="group_widget" name="shop_stations" visible="yes"><widgets>
        <widget type="group_widget" name="s1" visible="yes"><widgets>
          <widget type="rect_widget" name="7" anchor_top="0" width="10" height="10" visible="yes"/></widgets></widget>
      </widgets></widget>
      <widget type="group_widget" name="scenario_group" visible="yes"><widgets>
        <widget type="scenario_game_client_leave" name="hide_client_7" duration="500" visible="yes"
            extraparams="\station_name=s1\client_was_served=yes\generate_bonus=no"><widgets>
          <widget type="flash_scenario" name="walk_out" linked_widget_name="../../shop_stations/s1/7"
              properties="anchor_top" value="inc:100" duration="400"/></widgets></widget>
      </widgets></widget></widgets></widget>)");
  auto level = std::dynamic_pointer_cast<TReportSink>(h.Find("level"));
  ASSERT_TRUE(level);
  auto control = std::dynamic_pointer_cast<IWidget>(level);
  h.Find("level/scenario_group/hide_client_7")->SetProperty("control_game", Variant(InterfaceRef(control)));

  h.Frame(10);
  h.Frame(250);
  EXPECT_GT(h.Prop("level/shop_stations/s1/7/anchor_top").ToDouble(), 0) << "the look plays while it waits";
  EXPECT_TRUE(level->reports.empty());
  h.Frame(300);
  h.Frame(10);
  EXPECT_EQ(h.Prop("level/shop_stations/s1/7/anchor_top").ToDouble(), 100);
  ASSERT_EQ(level->reports, std::vector<std::string>{"11 name=hide_client_7 scenario_to_finalize=hide_client_7 "
                                                     "station_name=s1 client_was_served=yes generate_bonus=no"});
  EXPECT_FALSE(h.Find("level/scenario_group/hide_client_7"));
  h.Frame(1000);
  EXPECT_EQ(level->reports.size(), 1u) << "it reports once";
}

}  // namespace
}  // namespace kestrelle
