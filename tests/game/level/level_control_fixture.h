#pragma once
// A level control in a small level screen for the control tests: stations, shelf items, a coin,
// clients and scenario stand-ins made from factories, a fake game with one profile, a tool panel
// and a minigame control that log the commands they get. Scenarios are plain widgets; a test
// finishes one by sending its report.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/game_screen_interface.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "data/params.h"
#include "data/xml_escape.h"
#include "game/content/level_def_refs.h"
#include "game/content/shop_defs.h"
#include "game/content/station_defs.h"
#include "game/level/control_game_main.h"
#include "game/level/level_codes.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "records/user_profiles.h"
#include "support/widget_harness.h"

namespace kestrelle::testing {

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

inline std::string Factory(const std::string& name, const std::string& widget) {
  return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widget) + "\"/>";
}

// A scenario stand-in keeping the parameters a test looks at.
inline std::string Scenario(const std::string& factory, const std::string& name, const std::string& kept = {}) {
  return Factory(factory, "<widget type=\"rect_widget\" name=\"" + name + "\" extraparams=\"" + kept + "\"/>");
}

// `controlType`: the registered level control; `screenWidgets`: more widgets of the screen.
inline std::string ControlXml(const std::string& controlType = "KestrelleControlGameMain",
                              const std::string& screenWidgets = {}) {
  EnsureGameClassesRegistered();
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
  return R"(<widget type=")" + controlType + R"(" name="control_game_main" visible="yes" width="1024" height="768">
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
      <widget type="rect_widget" name="bonus_hint"/>)" +
         screenWidgets;
}

// Ordinary items on a shelf row at y 400, one minigame item, one coin.
inline constexpr const char* kLevelFile = R"(<level name="t">
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
  // Stations are named `stationPrefix` + "1", "2" ...
  explicit Level(int stationCount = 2, const std::map<std::string, std::string>& changes = {},
                 const std::string& xml = ControlXml(), std::string stationPrefix = "s")
      : h(xml), prefix(std::move(stationPrefix)) {
    SetDataFileReader([](const std::string& name) -> std::optional<std::string> {
      if (name == "levels/t.xml") return std::string(kLevelFile);
      return std::nullopt;
    });
    std::string stations = "<stations>";
    for (int i = 0; i < stationCount; ++i)
      stations += R"(<station_def name=")" + prefix + std::to_string(i + 1) +
                  R"("><properties><param name="x" value=")" + std::to_string(150 * i) +
                  R"("/></properties></station_def>)";
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
        h.Find("control_game_main/shop_stations/" + prefix + std::to_string(index + 1)));
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

  WidgetHarness h;
  std::string prefix;
  std::shared_ptr<TKestrelleControlGameMain> control =
      std::dynamic_pointer_cast<TKestrelleControlGameMain>(h.Find("control_game_main"));
  std::shared_ptr<TFakeGame> game = Create<TFakeGame>();
  std::shared_ptr<TFakeTools> tools = Create<TFakeTools>();
  std::shared_ptr<TCommandLog> minigame = Create<TCommandLog>();
};

inline constexpr const char* kCapMugPen =
    R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug\item3id=pen\item3desc=Pen)";
inline constexpr const char* kCapMug = R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug)";

}  // namespace kestrelle::testing
