// The level control in a small level screen: the floor it builds, what presses do in play,
// serving and combos, minigame hand-off, the two-phase level end with its results, bonuses and
// tools. Scenarios are plain widgets here; a test finishes one by sending its report.
#include "game/level/control_game_main.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/game_screen_interface.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "data/params.h"
#include "data/xml_escape.h"
#include "game/content/level_def_refs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/level/level_codes.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "records/user_profiles.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

class TFakeProfiles : public TAbstractObject, public virtual IUserProfileCollection {
 public:
  UserProfileRef profile = Create<TUserProfile>();
  int saves = 0;

  int GetCount() const override { return 1; }
  void Delete(const Variant&) override {}
  int IndexOf(const std::string&) const override { return 0; }
  bool Exists(const std::string&) const override { return true; }
  void Clear() override {}
  UserProfileRef GetProfile(const Variant&) const override { return profile; }
  UserProfileRef GetCurrent() const override { return profile; }
  void SetCurrent(const std::string&) override {}
  UserProfileRef GetOrCreate(const std::string&) override { return profile; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  void LoadFromFile() override {}
  bool SaveToFile() override {
    ++saves;
    return true;
  }
};

class TFakeGame : public TAbstractObject, public virtual IGameScreenOwner {
 public:
  std::map<std::string, Variant> settings;
  std::shared_ptr<TFakeProfiles> profiles = Create<TFakeProfiles>();

  void SetOption(const std::string&, const std::string&) override {}
  void SetSetting(const std::string& name, const Variant& value) override { settings[name] = value; }
  Variant GetSetting(const std::string& name) override {
    auto found = settings.find(name);
    return found == settings.end() ? Variant(Null{}) : found->second;
  }
  EngineRef GetEngine() override { return nullptr; }
  GameScreenOwnerRef GetGameOwner() override { return SelfAs<IGameScreenOwner>(); }
  bool ShowScreen(const std::string&, const ParamsRef&) override { return false; }
  bool CloseScreen(const GameScreenRef&, const ParamsRef&) override { return false; }
  GameScreenCollectionRef GetScreens() override { return nullptr; }
  std::shared_ptr<IHighScores> GetHighScores() override { return nullptr; }
  std::shared_ptr<IUserProfileCollection> GetProfiles() override { return profiles; }
  std::shared_ptr<ILevelRecords> GetLevelRecords() override { return nullptr; }
  std::shared_ptr<ICursorCollection> GetCursors() override { return nullptr; }
  void ShowMainScreen() override {}
};

// A widget of the screen that records the commands it gets ("code:type" or "code:order_id").
class TCommandLog : public TVisualGroupWidget {
 public:
  void HandleEvent(int32_t code, const ParamsRef& params) override {
    std::string detail = params ? params->GetValue("type", Variant("")).ToString() : std::string();
    if (params && detail.empty()) detail = params->GetValue("order_id", Variant("")).ToString();
    commands.push_back(std::to_string(code) + ":" + detail);
  }
  std::vector<std::string> commands;
};

// The tool panel: one slot per type, with its "type" and "quantity".
class TFakeTools : public TCommandLog, public virtual IControlTools {
 public:
  std::string GetToolsList() override {
    std::string list;
    for (const WidgetRef& slot : Slots()) list += slot->GetProperty("type").ToString() + ";";
    return list;
  }
  WidgetRef GetTool(const std::string& type) override {
    for (const WidgetRef& slot : Slots())
      if (slot->GetProperty("type").ToString() == type) return slot;
    return nullptr;
  }
  void HandleEvent(int32_t code, const ParamsRef& params) override {
    TCommandLog::HandleEvent(code, params);
    if (code != level_codes::kAddToolUse) return;
    if (WidgetRef slot = GetTool(params->GetValue("type", Variant("")).ToString()))
      slot->SetProperty("quantity", slot->GetProperty("quantity").ToInt() + 1);
  }

 private:
  std::vector<WidgetRef> Slots() {
    std::vector<WidgetRef> slots;
    for (int i = 0; i < widgets_->GetCount(); ++i) slots.push_back(widgets_->GetByIndex(i));
    return slots;
  }
};

std::string Factory(const std::string& name, const std::string& widget) {
  return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widget) + "\"/>";
}

// A scenario stand-in keeping the parameters a test looks at.
std::string Scenario(const std::string& factory, const std::string& name, const std::string& kept = {}) {
  return Factory(factory, "<widget type=\"rect_widget\" name=\"" + name + "\" extraparams=\"" + kept + "\"/>");
}

std::string ControlXml() {
  testing::EnsureGameClassesRegistered();
  const std::string station =
      R"(<widget type="KestrelleShopStation" name="%name%" visible="yes" station_id="%station_id%"
      anchor_left="%anchor_left%" anchor_top="%anchor_top%"><widgets>
      <widget type="rect_widget" name="contour" visible="yes" width="100" height="100"/></widgets></widget>)";
  const std::string item = R"(<widget type="rect_widget" name="%name%" visible="yes" anchor_left="%anchor_left%"
      anchor_top="%anchor_top%" z="%z%" width="%width%" height="%height%"
      extraparams="\item_id=%item_id%\item_desc=%item_desc%\minigame=%minigame%\item_type=%item_type%"/>)";
  const std::string client = R"(<widget type="KestrelleShopClient" name="%name%" visible="yes"
      client_order="%client_order%" extraparams="\client_type=%client_type%\vip=%vip%\heart_0=%heart_0%\heart_1=%heart_1%\heart_2=%heart_2%\heart_3=%heart_3%">
    <widgets><widget type="group_widget" name="order" visible="no"/>
      <widget type="group_widget" name="client_pad" visible="yes"/></widgets></widget>)";
  const std::string line = R"(<widget type="KestrelleOrderItem" name="%name%" state="unsolved" item_id="%item_id%"/>)";
  const std::string label =
      R"(<widget type="rect_widget" name="%name%" width="60" height="20" extraparams="\text=%text%"/>)";
  return R"(<widget type="KestrelleControlGameMain" name="control_game_main" visible="yes" width="1024" height="768">
      <widgetfactories>)" +
         Factory("shop_station", station) + Factory("shop_item", item) + Factory("shop_coin", item) +
         Factory("shop_client", client) + Factory("order_description", line) +
         Factory("client_kid", R"(<widget type="rect_widget" name="kid"/>)") + Factory("add_heart", label) +
         Factory("heart", label) + Factory("heart_off", label) + Factory("combo", label) +
         Factory("bonus",
                 R"(<widget type="rect_widget" name="bonus" extraparams="\type=%type%\start_time=%start_time%"/>)") +
         Factory("button_hints", R"(<widget type="rect_widget" name="button_hints" extraparams="\level=%level%"/>)") +
         Factory("shelf", R"(<widget type="rect_widget" name="shelf"/>)") +
         Factory("wallpaper", R"(<widget type="rect_widget" name="wallpaper"/>)") +
         Scenario("scenario_start", "scenario_start_level", R"(\LevelName=%LevelName%)") +
         Scenario("scenario_show_client", "show_%name%") +
         Scenario(
             "scenario_hide_client", "hide_client_%name%",
             R"(\station_name=%station_name%\client_was_served=%client_was_served%\generate_bonus=%generate_bonus%)") +
         Scenario("scenario_find_item", "find_%item_name%") +
         Factory(
             "scenario_flying_money",
             R"(<widget type="rect_widget" name="%name%" currenttime="%currenttime%" extraparams="\init_x=%init_x%"/>)") +
         Scenario("scenario_flying_coin", "%name%") +
         Scenario("scenario_flying_bonus_heart", "%name%", R"(\end_x=%end_x%)") +
         Scenario("scenario_flying_bonus_hint", "%name%") +
         Scenario("scenario_use_bonus_heart", "%name%", R"(\tooltype=%tooltype%\toolname=%toolname%)") +
         Scenario("scenario_use_bonus_hint", "%name%", R"(\tooltype=%tooltype%\toolname=%toolname%)") +
         Factory("ps_hint", R"(<widget type="rect_widget" name="hint_%name%" anchor_left="%anchor_left%"/>)") +
         Scenario("scenario_end_level", "scenario_end_level") +
         R"(</widgetfactories><widgets>
        <widget type="group_widget" name="shop_stations" visible="yes"/>
        <widget type="group_widget" name="shop_items" visible="yes"/>
        <widget type="group_widget" name="scenario_group" visible="yes"/>
        <widget type="group_widget" name="money_counter" visible="no" extraparams="\animation=no\value=-1">
          <widgets><widget type="rect_widget" name="text" extraparams="\text=x"/></widgets></widget>
        <widget type="rect_widget" name="client_counter" visible="no" extraparams="\client_goal=-1\client_served=-1"/>
        <widget type="rect_widget" name="cross"/>
      </widgets></widget>
      <widget type="rect_widget" name="timer_control" visible="no" extraparams="\level_time=0\timer_current_time=0"/>
      <widget type="group_widget" name="bg_group" visible="yes"/>
      <widget type="rect_widget" name="fade_in"/><widget type="rect_widget" name="fade_out"/>
      <widget type="rect_widget" name="bonus_hint"/>)";
}

// Ordinary items on a shelf row at y 400, one minigame item, one coin.
constexpr const char* kLevelFile = R"(<level name="t">
  <client_probability><properties><param name="kid" value="1"/></properties></client_probability>
  <shop_items>
    <item name="cap" extraparams="item_id=cap\item_desc=Cap\x=300\y=400\z=1\w=40\h=40"/>
    <item name="mug" extraparams="item_id=mug\item_desc=Mug\x=360\y=400\z=1\w=40\h=40"/>
    <item name="pen" extraparams="item_id=pen\item_desc=Pen\x=420\y=400\z=1\w=40\h=40"/>
    <item name="cap_box" extraparams="item_id=cap\item_desc=Cap\x=310\y=410\z=5\w=20\h=20"/>
    <item name="seeds" extraparams="item_id=seeds\item_desc=Seeds\x=480\y=400\z=1\w=40\h=40\minigame=pairs"/>
    <item name="wall" extraparams="item_id=wall\x=0\y=600\w=1000\h=100\item_type=interier"/>
  </shop_items>
  <coins><item name="coin1" extraparams="item_id=coin1\x=600\y=400\w=20\h=20\item_type=coin"/></coins>
</level>)";

struct Level {
  explicit Level(int stationCount = 2, const std::map<std::string, std::string>& changes = {}) {
    SetDataFileReader([](const std::string& name) -> std::optional<std::string> {
      if (name == "levels/t.xml") return std::string(kLevelFile);
      return std::nullopt;
    });
    std::string stations = "<stations>";
    for (int i = 0; i < stationCount; ++i)
      stations += R"(<station_def name="s)" + std::to_string(i + 1) + R"("><properties><param name="x" value=")" +
                  std::to_string(150 * i) + R"("/></properties></station_def>)";
    stations += "</stations>";
    auto stationDefs = Create<TStationDefCollection>();
    stationDefs->LoadFromStorage(LoadStorageFromString(stations));
    std::map<std::string, std::string> values = {{"filename", "levels/t.xml"},
                                                 {"DisplayName", "Day six"},
                                                 {"client_goal", "2"},
                                                 {"expert_time", "30"},
                                                 {"patience_rate", "10"},
                                                 {"money_3", "40"},
                                                 {"money_2", "30"},
                                                 {"bonus_time", "8"},
                                                 {"Heart_1", "1"},
                                                 {"Hint_1", "0"},
                                                 {"expert_time_bonus", "100"},
                                                 {"expert_patience_bonus", "50"}};
    for (const auto& [name, value] : changes) values[name] = value;
    std::string level = R"(<levels><level level="6"><properties>)";
    for (const auto& [name, value] : values) level += "<param name=\"" + name + "\" value=\"" + value + "\"/>";
    auto refs = Create<TLevelDefRefCollection>();
    refs->LoadFromStorage(LoadStorageFromString(level + "</properties></level></levels>"));
    auto shops = Create<TShopDefCollection>();
    shops->LoadFromStorage(LoadStorageFromString(R"(<shop_defs><shop_def name="ShopGarden"
        extraparams="first_level=1\last_level=8"><shop_objects>
        <shop_object name="a" factory_name="wallpaper" item_type="bg"/><shop_object name="b" factory_name="shelf"/>
        </shop_objects></shop_def></shop_defs>)"));
    game->settings = {{"station_defs", Variant(stationDefs)},
                      {"level_def_refs", Variant(refs)},
                      {"shop_defs", Variant(shops)},
                      {"TrophyParamExpertTime", Variant(int64_t{1})}};
    h.screen->owner = game;

    tools->SetName("control_tools");
    tools->SetAnchorLeft(700);
    for (const char* type : {"Heart_1", "Hint_1", "Heart_3"}) {
      WidgetRef slot = WidgetHarness::Make(std::string(R"(<widget type="rect_widget" name=")") + type +
                                           R"(" anchor_left="10" extraparams="\type=)" + type + R"(\quantity=2"/>)");
      tools->GetWidgets()->Add(slot);
    }
    h.root->GetWidgets()->Add(tools);
    minigame->SetName("control_minigame_pairs");
    h.root->GetWidgets()->Add(minigame);
  }
  ~Level() { SetDataFileReader({}); }

  void Command(int32_t code, std::initializer_list<std::pair<const char*, const char*>> values = {}) {
    ParamsRef params = CreateParams();
    for (const auto& [name, value] : values) params->SetValue(name, value);
    control->HandleEvent(code, params);
  }
  // The scenario stand-in at that path reports its end with its parameters, and goes.
  void Finish(const std::string& path, std::initializer_list<std::pair<const char*, const char*>> extra = {}) {
    auto scenario = std::dynamic_pointer_cast<TAbstractWidget>(h.Find("control_game_main/scenario_group/" + path));
    ASSERT_TRUE(scenario) << path;
    ParamsRef params = CopyParams(scenario->GetExtraParams());
    params->SetValue("name", scenario->GetName());
    params->SetValue("scenario_to_finalize", scenario->GetName());
    for (const auto& [name, value] : extra) params->SetValue(name, value);
    scenario->SetDead(true);
    control->HandleEvent(level_codes::kScenarioFinished, params);
  }
  // Set up and playing, without the client manager (the tests seat their own clients).
  void Play(const char* replay = "no") {
    Command(level_codes::kStartLevel, {{"level", "6"}, {"replay", replay}, {"shop_name", "ShopGarden"}});
    control->GetClientManager()->Release();
    Finish("scenario_start_level");
    h.screen->events.clear();
  }
  std::shared_ptr<TShopClient> Seat(int station, const std::string& name, const std::string& order,
                                    const char* vip = "no") {
    ParamsRef params = CreateParams();
    params->SetValue("name", name);
    params->SetValue("client_type", "kid");
    params->SetValue("client_order", order);
    params->SetValue("vip", vip);
    auto client = std::dynamic_pointer_cast<TShopClient>(control->CreateWidget("shop_client", params));
    auto seat = Station(station);
    client->SetOwner(std::dynamic_pointer_cast<IWidgetOwner>(seat));
    client->InitOrder(6, 0);
    seat->SetClient(client);
    client->SetProperty("patience_rate", 10);
    client->SetProperty("client_hearts", 3);
    return client;
  }
  ShopStationRef Station(int index) {
    return std::dynamic_pointer_cast<IShopStation>(
        h.Find("control_game_main/shop_stations/s" + std::to_string(index + 1)));
  }
  std::string Prop(const std::string& path) { return h.Prop("control_game_main/" + path).ToString(); }
  bool Has(const std::string& path) { return h.Find("control_game_main/" + path) != nullptr; }
  std::vector<int32_t> Notifications() {
    std::vector<int32_t> codes;
    for (const auto& event : h.screen->events) codes.push_back(event.code);
    return codes;
  }
  ParamsRef LastNotification() { return h.screen->events.empty() ? nullptr : h.screen->events.back().params; }
  ParamsRef Profile() { return game->profiles->profile->GetParams(); }

  WidgetHarness h{ControlXml()};
  std::shared_ptr<TKestrelleControlGameMain> control =
      std::dynamic_pointer_cast<TKestrelleControlGameMain>(h.Find("control_game_main"));
  std::shared_ptr<TFakeGame> game = Create<TFakeGame>();
  std::shared_ptr<TFakeTools> tools = Create<TFakeTools>();
  std::shared_ptr<TCommandLog> minigame = Create<TCommandLog>();
};

constexpr const char* kCapMugPen = R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug\item3id=pen\item3desc=Pen)";
constexpr const char* kCapMug = R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug)";

TEST(ControlGameMain, SetUpBuildsTheFloorAndPlayBeginsWhenTheStartScenarioReports) {
  // A rate of 0 counts as 1 second per heart.
  Level level(2, {{"patience_rate", "0"}});
  level.control->SetCounter(kCoinsPickedUp, 7);
  level.Command(level_codes::kStartLevel, {{"level", "6"}, {"shop_name", "ShopGarden"}});
  EXPECT_EQ(level.control->GetCounter(kCoinsPickedUp), 0);
  EXPECT_EQ(level.control->GetState(), kLevelStateSetUp);
  EXPECT_EQ(level.Prop("shop_stations/s2/anchor_left"), "150");
  EXPECT_EQ(level.h.Prop("control_game_main/shop_stations/s2/currenttime").ToInt(), -2000);
  EXPECT_EQ(level.Prop("shop_stations/s1/station_id"), "0");
  EXPECT_EQ(level.Prop("shop_items/mug/item_desc"), "Mug");
  EXPECT_EQ(level.Prop("shop_items/coin1/item_desc"), "");
  EXPECT_TRUE(level.Has("shop_items/shelf"));
  EXPECT_TRUE(level.h.Find("bg_group/wallpaper"));
  EXPECT_EQ(level.Prop("scenario_group/scenario_start_level/LevelName"), "%ShopGarden% Day six");
  EXPECT_EQ(level.h.Prop("timer_control/level_time").ToInt(), 30000);
  EXPECT_EQ(level.control->GetCounter(kExpertTimeLeftMs), 30000);
  EXPECT_EQ(level.Prop("client_counter/client_goal"), "2");
  EXPECT_EQ(level.Prop("money_counter/text/text"), "0");
  EXPECT_EQ(level.h.Prop("button_hints/level").ToString(), "6");
  // One tool owned (the Hint a new player has), one slot: no choosing.
  ASSERT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kChooseToolsBeforeLevel});
  EXPECT_EQ(level.LastNotification()->GetValue("profile_tools", Variant("")).ToString(), "Hint_1;");

  // Nothing comes and nothing is clicked before play begins.
  level.h.Frame(2500);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_FALSE(level.h.Click(100, 50));
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  level.h.Frame(10);
  ShopClientRef first = level.Station(0)->GetClient();
  ASSERT_TRUE(first);
  EXPECT_TRUE(level.Station(1)->GetClient());
  EXPECT_NEAR(first->GetProperty("client_patience").ToDouble(), 3, 0.05);
  EXPECT_TRUE(level.Has("scenario_group/show_" + first->GetName()));
  EXPECT_EQ(level.control->GetCounter(kExpertTimeLeftMs), 29990);

  // A restart builds the same floor afresh, with the old scenarios gone.
  level.Command(level_codes::kRestartLevel);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_FALSE(level.Has("scenario_group/show_" + first->GetName()));
  EXPECT_EQ(level.control->GetState(), kLevelStateSetUp);
}

TEST(ControlGameMain, PressesGoToStationsThenTheTopItemElseTheyAreWrong) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", kCapMugPen);
  auto b = level.Seat(1, "b", kCapMug);
  a->Activate();

  // An idle client's station takes over the order display.
  EXPECT_TRUE(level.h.Click(160, 50));
  EXPECT_EQ(a->GetState(), "idle");
  EXPECT_EQ(b->GetState(), "active");

  // The small box lies over the cap (greater z) and is the same item id; the wall is scenery.
  level.h.Click(315, 415);
  EXPECT_TRUE(level.Has("scenario_group/find_cap_box"));
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);
  level.h.Click(500, 650);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "483");
  EXPECT_EQ(level.Prop("cross/anchor_top"), "635");
  // The pen is only on the idle client's order: wrong. So is the cap again (struck through).
  level.h.Click(430, 410);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "413");
  level.h.Click(305, 405);
  EXPECT_EQ(level.Prop("cross/anchor_left"), "288");
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 0);

  // The mug completes b's order; the waiting client at the station before it takes over.
  level.h.Click(370, 410);
  EXPECT_EQ(b->GetState(), "money");
  EXPECT_EQ(a->GetState(), "active");
}

TEST(ControlGameMain, ServingPaysByHeartsAndFindsInARowPayCombos) {
  Level level(2, {{"client_goal", "3"}});
  level.Play();
  auto a = level.Seat(0, "a", kCapMugPen);
  auto b = level.Seat(1, "b", kCapMug);
  a->Activate();

  level.h.Click(310, 405);  // cap: a first find, no combo
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 0);
  level.h.Click(370, 410);  // mug: two in a row
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 3);
  EXPECT_EQ(level.Prop("a_2/text"), "%combo2%");
  EXPECT_EQ(level.Prop("a_2/anchor_left"), "350");
  EXPECT_EQ(level.Prop("money_counter/value"), "3");
  level.h.Click(430, 410);  // pen: three in a row, and a's order is complete
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 8);
  EXPECT_EQ(level.Prop("a_3/text"), "%combo3%");
  EXPECT_EQ(a->GetState(), "money");
  EXPECT_EQ(b->GetState(), "active");
  level.h.Click(310, 405);  // a find for b restarts the count
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 8);

  // Serving a with two hearts: money_2, the client counter, eight money pieces a tenth apart.
  a->SetProperty("client_hearts", 2);
  level.h.Click(50, 50);
  EXPECT_EQ(level.control->GetCounter(kClientsServed), 1);
  EXPECT_EQ(level.Prop("client_counter/client_served"), "1");
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 38);
  EXPECT_EQ(level.control->GetCounter(kHeartsOfFinishedClients), 2);
  EXPECT_EQ(level.Prop("scenario_group/hide_client_a/generate_bonus"), "no");
  EXPECT_EQ(level.Prop("scenario_group/a_7/init_x"), "95");
  EXPECT_EQ(level.h.Prop("control_game_main/scenario_group/a_7/currenttime").ToInt(), -700);
  EXPECT_EQ(a->GetState(), "");

  // The client goes when its scenario ends; the station keeps its outline and closes a while.
  level.Finish("hide_client_a");
  level.h.Frame(10);
  EXPECT_FALSE(level.Station(0)->GetClient());
  EXPECT_TRUE(level.Has("shop_stations/s1/contour"));
  EXPECT_EQ(level.Prop("shop_stations/s1/state"), "empty");
  ASSERT_EQ(level.control->GetClientHistory().size(), 1u);
  EXPECT_TRUE(level.control->GetClientHistory()[0].served);
}

TEST(ControlGameMain, ALeavingClientCountsOnceAndTheNextOneTakesOver) {
  Level level(3);
  level.Play();
  auto a = level.Seat(0, "a", kCapMug);
  auto b = level.Seat(1, "b", kCapMug);
  auto c = level.Seat(2, "c", kCapMug);
  b->Activate();
  b->SetProperty("client_hearts", -1);  // a minigame lost at 0 hearts
  level.h.Frame(10);
  level.h.Frame(10);  // still at the station, still below 0: not counted again
  EXPECT_EQ(level.control->GetCounter(kClientsLost), 1);
  ASSERT_EQ(level.control->GetClientHistory().size(), 1u);
  EXPECT_FALSE(level.control->GetClientHistory()[0].served);
  EXPECT_EQ(level.Prop("scenario_group/hide_client_b/client_was_served"), "no");
  EXPECT_EQ(c->GetState(), "active");  // the station after the one left first
  EXPECT_EQ(a->GetState(), "idle");
}

TEST(ControlGameMain, MinigameItemsAreHandedToTheirControlAndPlayResumesAfter) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", R"(\item1id=cap\item1desc=Cap\item2id=seeds\item2desc=Seeds)");
  a->Activate();
  level.h.Click(490, 410);
  EXPECT_EQ(level.minigame->commands, std::vector<std::string>{"20:seeds"});
  EXPECT_EQ(level.control->GetState(), kLevelStateMinigame);
  EXPECT_EQ(level.control->GetCounter(kMinigamesStarted), 1);
  level.h.Click(310, 405);  // no presses while the minigame runs
  EXPECT_EQ(level.control->GetCounter(kCorrectItemClicks), 1);

  // A lost minigame costs a heart and still solves the line.
  level.Command(level_codes::kMinigameFinished, {{"order_id", "seeds"}, {"completed", "no"}});
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  EXPECT_EQ(a->GetProperty("client_hearts").ToInt(), 2);
  EXPECT_EQ(level.control->GetCounter(kMinigamesLost), 1);
  EXPECT_EQ(a->GetOrderItemIds(true), "cap;");

  // Without the minigame's control the level plays on.
  level.minigame->SetDead(true);
  level.h.root->GetWidgets()->RemoveDead();
  auto b = level.Seat(1, "b", R"(\item1id=seeds\item1desc=Seeds\item2id=mug\item2desc=Mug)");
  a->Deactivate();
  b->Activate();
  level.h.Click(490, 410);
  EXPECT_EQ(level.control->GetState(), kLevelStatePlaying);
  EXPECT_EQ(level.control->GetCounter(kMinigamesStarted), 1);
}

TEST(ControlGameMain, TheLevelEndsInTwoPhasesAndItsResultsCountNothingTwice) {
  Level level;
  level.Play();
  auto a = level.Seat(0, "a", kCapMug);
  auto b = level.Seat(1, "b", kCapMug);
  // A bonus waiting at the end is taken, silently.
  a->Activate();
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  level.h.Click(50, 50);
  b->Activate();
  level.Finish("hide_client_a");
  level.control->GenerateBonus(level.Station(0));
  ASSERT_EQ(level.Prop("shop_stations/s1/state"), "bonus");
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  level.h.Click(200, 50);

  // First phase: the bonus collected, the tool uses stored, the end scenario started.
  EXPECT_EQ(level.control->GetState(), kLevelStateEnded);
  EXPECT_EQ(level.Prop("shop_stations/s1/state"), "empty");
  EXPECT_EQ(level.control->GetCounter(kBonusesCollected), 1);
  EXPECT_EQ(level.tools->commands, (std::vector<std::string>{"16:Heart_1", "19:"}));
  EXPECT_TRUE(level.Notifications().empty());
  level.Finish("scenario_end_level");

  // Second phase: the results, with the expert time reached for the first time.
  ASSERT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kShowResultsWithAward});
  ParamsRef results = level.LastNotification();
  auto value = [](const ParamsRef& params, const char* name) { return params->GetValue(name, Variant("")).ToString(); };
  EXPECT_EQ(value(results, "level_completed"), "yes");
  EXPECT_EQ(value(results, "money_earned"), "86");
  EXPECT_EQ(value(results, "expert_patience"), "yes");
  EXPECT_EQ(value(results, "TrophyExpertTime"), "yes");
  EXPECT_EQ(value(results, "total_money_earned"), "236");
  EXPECT_EQ(level.Profile()->GetValue("expert_time_levels_cnt", Variant("")).ToString(), "1");

  ParamsRef again = level.control->ComputeResults();
  EXPECT_EQ(value(again, "total_money_earned"), "236");
  EXPECT_EQ(value(again, "show_award_screen"), "no");
  EXPECT_EQ(level.Profile()->GetValue("expert_time_levels_cnt", Variant("")).ToString(), "1");
  EXPECT_EQ(level.Profile()->GetValue("expert_patience_levels_cnt", Variant("")).ToString(), "1");
}

TEST(ControlGameMain, AReplayKeepsToolUsesAndStillBooksAnExpertLevelOnce) {
  Level level(2, {{"client_goal", "1"}});
  level.Play("yes");
  auto a = level.Seat(0, "a", kCapMug, "yes");
  a->Activate();
  level.h.Click(310, 405);
  level.h.Click(370, 410);
  // The last client is a full-hearted VIP: its bonus comes and goes at once, with its flight.
  level.h.Click(50, 50);
  EXPECT_EQ(level.control->GetCounter(kBonusesGenerated), 1);
  EXPECT_EQ(level.control->GetCounter(kBonusesCollected), 1);
  EXPECT_EQ(level.control->GetCounter(kHeartBonusesCollected), 1);
  EXPECT_EQ(level.Prop("scenario_group/s1_Heart_1/end_x"), "740");
  EXPECT_EQ(level.Prop("scenario_group/hide_client_a/generate_bonus"), "no");
  EXPECT_EQ(level.tools->commands, std::vector<std::string>{"16:Heart_1"});  // no 19 on a replay
  level.Finish("scenario_end_level");
  ParamsRef results = level.LastNotification();
  ASSERT_TRUE(results);
  EXPECT_EQ(results->GetValue("expert_time", Variant("")).ToString(), "yes");
  EXPECT_EQ(level.Profile()->GetValue("level_expert_time_6", Variant("")).ToString(), "yes");
}

TEST(ControlGameMain, AToolWithManyTargetsAppliesOnce) {
  Level level(5);
  level.Play();
  std::vector<std::shared_ptr<TShopClient>> clients;
  for (int i = 0; i < 5; ++i) clients.push_back(level.Seat(i, "c" + std::to_string(i), kCapMug));
  for (auto& client : clients) client->SetProperty("client_hearts", 1);
  level.Command(level_codes::kUseTool, {{"type", "Heart_3"}, {"name", "Heart_3"}});
  EXPECT_TRUE(level.Has("scenario_group/Heart_3_Heart_3idx0"));
  EXPECT_TRUE(level.Has("scenario_group/Heart_3_Heart_3idx4"));
  EXPECT_EQ(level.h.Prop("control_tools/Heart_3/quantity").ToInt(), 1);
  EXPECT_EQ(clients[0]->GetProperty("client_hearts").ToInt(), 1);  // the effect waits for the flight

  // The first and the fifth flight both report: one heart each, not two.
  level.Finish("Heart_3_Heart_3idx0", {{"name", "Heart_3"}, {"type", "Heart_3"}, {"scenario_to_finalize", "use_tool"}});
  level.Finish("Heart_3_Heart_3idx4", {{"name", "Heart_3"}, {"type", "Heart_3"}, {"scenario_to_finalize", "use_tool"}});
  for (auto& client : clients) EXPECT_EQ(client->GetProperty("client_hearts").ToInt(), 2);

  // Hint_1 shows the line drawn at the start, or the last unsolved one once that is found.
  clients[0]->Activate();
  testing::ScriptedRandom random({0});
  level.Command(level_codes::kUseTool, {{"type", "Hint_1"}, {"name", "Hint_1"}});
  level.h.Click(310, 405);  // the cap is found meanwhile
  level.Finish("Hint_1_Hint_1", {{"name", "Hint_1"}, {"type", "Hint_1"}, {"scenario_to_finalize", "use_tool"}});
  EXPECT_TRUE(level.Has("scenario_group/hint_mug"));
  EXPECT_EQ(level.Prop("scenario_group/hint_mug/anchor_left"), "380");
}

TEST(ControlGameMain, CoinsAndHintsShowOncePerProfile) {
  Level level;
  level.Play();
  // Level 6: the coin hint opens once at the start (no tool tip pending).
  EXPECT_EQ(level.Profile()->GetValue("show_coin_hint", Variant("")).ToString(), "yes");
  level.Command(level_codes::kRestartLevel);
  level.Finish("scenario_start_level");
  EXPECT_EQ(level.Notifications(), std::vector<int32_t>{level_codes::kChooseToolsBeforeLevel});

  level.h.Click(605, 405);
  EXPECT_EQ(level.control->GetCounter(kCoinsPickedUp), 1);
  EXPECT_EQ(level.control->GetCounter(kMoneyEarned), 10);
  EXPECT_TRUE(level.Has("scenario_group/coin1_7"));
  EXPECT_EQ(level.Prop("coin1_coin/text"), "%coin_bonus%");

  // The first bonus of a profile from level 5 on restarts the hint; its report opens the screen.
  level.control->GenerateBonus(level.Station(1));
  EXPECT_EQ(level.Profile()->GetValue("show_bonus_hint", Variant("")).ToString(), "yes");
  level.Command(level_codes::kScenarioFinished, {{"scenario_to_finalize", "bonus_hint"}});
  ASSERT_EQ(level.Notifications().back(), level_codes::kShowBonusHint);
  EXPECT_EQ(level.LastNotification()->GetValue("init_y", Variant("")).ToString(), "0");
}

}  // namespace
}  // namespace kestrelle
