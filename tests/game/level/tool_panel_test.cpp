// The tool panel on a level screen: slots filled from the chosen tools and the player's stored
// uses, one-time tool tips, uses gained and stored back, and clicks that reach the level control
// only for a slot with a tool and uses left.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/level/control_tools.h"
#include "game/level/level_codes.h"
#include "level_game_fixture.h"
#include "platform/messages.h"

namespace kestrelle {
namespace {

// The level control as the panel sees it: the commands it receives.
class TRecordingLevelControl : public TVisualGroupWidget, public virtual IControlGameMain {
 public:
  void HandleEvent(int32_t code, const ParamsRef& params) override {
    commands.push_back(std::to_string(code) + " " + params->GetValue("name", "").ToString() + " " +
                       params->GetValue("type", "").ToString());
  }
  std::string GetOrderedItems() override { return {}; }
  ParamsRef ComputeResults() override { return nullptr; }
  void ClientLeft(const ShopStationRef&) override {}

  std::vector<std::string> commands;
};

std::string SlotXml(const std::string& name, int left) {
  std::string look;
  for (const char* child : {"normal", "disabled", "selected", "locked"})
    look += std::string(R"(<widget type="rect_widget" name=")") + child +
            R"(" width="40" height="40" extraparams="\resourcename="/>)";
  return R"(<widget type="KestrelleGameTool" name=")" + name + R"(" visible="yes" anchor_left=")" +
         std::to_string(left) + R"("><widgets>)" + look +
         R"(<widget type="rect_widget" name="quantity" extraparams="\text="/>
            <widget type="rect_widget" name="quantity_shadow" extraparams="\text="/></widgets></widget>)";
}

class ToolPanel : public testing::LevelGameFixture {
 protected:
  void SetUp() override {
    StartGame(R"(<gamescreen type="GameScreen" name="GS_Level"><window><widgets>
        <widget type="KestrelleControlTools" name="control_tools" visible="yes" mousestop="yes"
                anchor_left="100" anchor_top="500" width="200" height="40"><widgets>)" +
              SlotXml("slot_0", 0) + SlotXml("slot_1", 60) + SlotXml("slot_2", 120) +
              R"(</widgets></widget></widgets></window></gamescreen>)");
    game_->ShowScreen("GS_Level", nullptr);
    // Attached after the panel: the panel finds it when it needs it.
    level_ = Create<TRecordingLevelControl>();
    level_->SetName("control_game_main");
    Screen("GS_Level")->GetWindowWidget()->GetWidgets()->Add(level_);
    Frames();
    panel_ = std::dynamic_pointer_cast<TKestrelleControlTools>(Widget("GS_Level", "control_tools"));
    ASSERT_TRUE(panel_);
  }

  void SetUpSlots(int64_t level, const std::string& selected) {
    ParamsRef params = CreateParams();
    params->SetValue("level", Variant(level));
    params->SetValue("selected_tools", Variant(selected));
    panel_->HandleEvent(level_codes::kSetUpToolSlots, params);
  }
  Variant Slot(const std::string& path) { return panel_->GetProperty(path); }
  void Mouse(uint32_t message, int32_t x, int32_t y) {
    engine_->cursor = TPoint{x, y};
    Screen("GS_Level")->MouseEvent(message, TPoint{x, y}, 0);
  }

  std::shared_ptr<TRecordingLevelControl> level_;
  std::shared_ptr<TKestrelleControlTools> panel_;
};

TEST_F(ToolPanel, SlotsTakeTheChosenToolsWithTheirStoredUsesAndTheRestAreLocked) {
  SetProfile("tool_cnt_Hint_1", "0");  // ran out last time
  SetProfile("tool_cnt_Ice_1", "5");
  SetProfile("show_tool_tipHint_1", "yes");  // already explained
  SetUpSlots(3, "Hint_1;Ice_1;");

  EXPECT_EQ(Slot("slot_0/type").ToString(), "Hint_1");
  EXPECT_EQ(Slot("slot_0/quantity").ToInt(), 2);
  EXPECT_EQ(Slot("slot_0/quantity/text").ToString(), "2");
  EXPECT_EQ(Slot("slot_0/quantity_shadow/text").ToString(), "2");
  EXPECT_EQ(Slot("slot_0/normal/resourcename").ToString(), "img_GameToolHint_1");
  EXPECT_EQ(Slot("slot_0/selected/resourcename").ToString(), "img_GameToolHint_1");
  EXPECT_EQ(Slot("slot_0/disabled/resourcename").ToString(), "img_GameDisabledToolHint_1");
  EXPECT_TRUE(Slot("slot_0/normal/visible").ToBool());
  EXPECT_FALSE(Slot("slot_0/disabled/visible").ToBool());
  EXPECT_FALSE(Slot("slot_0/locked/visible").ToBool());
  EXPECT_FALSE(Slot("slot_0/selected/visible").ToBool());
  EXPECT_EQ(Slot("slot_1/quantity").ToInt(), 5);
  EXPECT_EQ(Slot("slot_2/type").ToString(), "Locked");
  EXPECT_TRUE(Slot("slot_2/locked/visible").ToBool());
  EXPECT_EQ(panel_->GetToolsList(), "Hint_1;Ice_1;");
  EXPECT_EQ(panel_->GetProperty("tools_list").ToString(), "Hint_1;Ice_1;");
  EXPECT_EQ(panel_->GetTool("Ice_1"), Widget("GS_Level", "control_tools/slot_1"));
  EXPECT_EQ(panel_->GetTool("Heart_1"), nullptr);

  // Only the tool not explained yet raises its tip, once; the profiles are on disk.
  EXPECT_EQ(ProfileText("show_tool_tip"), "Ice_1");
  EXPECT_EQ(ProfileText("show_tool_tipIce_1"), "yes");
  EXPECT_TRUE(std::filesystem::exists(userFolder_.Path() / "users.dat"));
  SetUpSlots(4, "Hint_1;Ice_1;");
  EXPECT_EQ(ProfileText("show_tool_tip"), "");
}

TEST_F(ToolPanel, TheIntroductionAndTheGuidedLevelRaiseNoTip) {
  for (int64_t level : {0, 99}) {
    SCOPED_TRACE(level);
    SetProfile("show_tool_tip", "Hint_1");
    SetUpSlots(level, "Heart_2;");
    EXPECT_EQ(ProfileText("show_tool_tip"), "");
    EXPECT_EQ(ProfileText("show_tool_tipHeart_2"), "(none)");
    EXPECT_EQ(Slot("slot_0/quantity").ToInt(), 2);
    EXPECT_EQ(panel_->GetToolsList(), "Heart_2;");
  }
}

TEST_F(ToolPanel, BonusesAddUsesAndTheUsesGoBackToTheProfile) {
  SetProfile("tool_cnt_Ice_1", "5");
  SetUpSlots(3, "Hint_1;Ice_1;");
  ParamsRef bonus = CreateParams();
  bonus->SetValue("type", Variant("Ice_1"));
  panel_->HandleEvent(level_codes::kAddToolUse, bonus);
  bonus->SetValue("type", Variant("Heart_1"));  // not on the panel: nothing
  panel_->HandleEvent(level_codes::kAddToolUse, bonus);
  EXPECT_EQ(Slot("slot_1/quantity").ToInt(), 6);
  EXPECT_EQ(Slot("slot_1/quantity/text").ToString(), "6");

  panel_->SetProperty("slot_0/quantity", Variant(int64_t{-1}));
  EXPECT_TRUE(Slot("slot_0/disabled/visible").ToBool());
  EXPECT_FALSE(Slot("slot_0/normal/visible").ToBool());
  panel_->HandleEvent(level_codes::kStoreToolUses, nullptr);
  EXPECT_EQ(ProfileText("tool_cnt_Hint_1"), "0");
  EXPECT_EQ(ProfileText("tool_cnt_Ice_1"), "6");
  EXPECT_EQ(ProfileText("tool_cnt_Locked"), "(none)");
}

TEST_F(ToolPanel, AClickUsesTheToolUnderItOnlyWhenItHasUsesAndIsNotLocked) {
  SetUpSlots(3, "Hint_1;Ice_1;");
  Mouse(WM_LBUTTONDOWN, 170, 510);  // slot_1
  Mouse(WM_LBUTTONUP, 170, 510);
  EXPECT_EQ(level_->commands, (std::vector<std::string>{"14 slot_1 Ice_1"}));

  level_->commands.clear();
  Mouse(WM_LBUTTONDOWN, 230, 510);  // slot_2, locked
  Mouse(WM_LBUTTONDOWN, 150, 510);  // between two slots
  panel_->SetProperty("slot_0/quantity", Variant(int64_t{0}));
  Mouse(WM_LBUTTONDOWN, 110, 510);  // slot_0, used up
  Mouse(WM_RBUTTONDOWN, 170, 510);
  EXPECT_TRUE(level_->commands.empty());
}

TEST_F(ToolPanel, TheSlotUnderTheMouseIsHighlighted) {
  SetUpSlots(3, "Hint_1;Ice_1;");
  Mouse(WM_MOUSEMOVE, 170, 510);
  EXPECT_TRUE(Slot("slot_1/highlight").ToBool());
  EXPECT_TRUE(Slot("slot_1/selected/visible").ToBool());
  Mouse(WM_MOUSEMOVE, 110, 510);
  EXPECT_FALSE(Slot("slot_1/highlight").ToBool());
  EXPECT_FALSE(Slot("slot_1/selected/visible").ToBool());
  EXPECT_TRUE(Slot("slot_0/highlight").ToBool());
  // Leaving the panel takes the highlight away at the next frame.
  engine_->cursor = TPoint{10, 10};
  Frames();
  EXPECT_FALSE(Slot("slot_0/highlight").ToBool());
  // A new set-up starts without highlight.
  Mouse(WM_MOUSEMOVE, 110, 510);
  SetUpSlots(3, "Hint_1;");
  EXPECT_FALSE(Slot("slot_0/highlight").ToBool());
}

}  // namespace
}  // namespace kestrelle
