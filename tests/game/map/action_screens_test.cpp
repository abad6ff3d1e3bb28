// The owner's life between levels on a real game: the overview draws each track, its bar, the
// recommendation and the money; the action screen lays out its item icons, buys the items and
// does the action; the room shows what the player owns.

#include <gtest/gtest.h>

#include <string>

#include "controls/control_widget.h"
#include "data/xml_escape.h"
#include "game/content/action_defs.h"
#include "game/level/level_game_fixture.h"

namespace kestrelle {
namespace {

std::string Factory(const std::string& name, const std::string& widget) {
  return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widget) + "\"/>";
}

std::string Label(const std::string& name, const std::string& children = {}) {
  return R"(<widget type="rect_widget" name=")" + name + R"(" visible="yes" extraparams="\text="/>)" + children;
}

std::string Button(const std::string& name, int left, const std::string& extra = {}) {
  return R"(<widget type="ButtonControl" name=")" + name + R"(" anchor_left=")" + std::to_string(left) +
         R"(" width="40" height="40" enabled="yes" visible="yes" extraparams=")" + extra + R"("/>)";
}

std::string Group(const std::string& name, const std::string& children, const std::string& extra = {}) {
  return R"(<widget type="group_widget" name=")" + name + R"(" visible="yes" extraparams=")" + extra +
         R"("><widgets>)" + children + "</widgets></widget>";
}

std::string ScreenXml(const std::string& type, const std::string& name, const std::string& window) {
  return R"(<gamescreen type=")" + type + R"(" name=")" + name + R"("><window>)" + window + "</window></gamescreen>";
}

std::string Harness(const std::string& name) { return ScreenXml("harness_screen", name, ""); }

ParamsRef Params(std::initializer_list<std::pair<std::string, std::string>> values) {
  ParamsRef params = CreateParams();
  for (const auto& [name, value] : values) params->SetValue(name, Variant(value));
  return params;
}

template <class Collection>
void Publish(TGame& game, const std::string& setting, const std::string& xml) {
  auto collection = Create<Collection>();
  collection->LoadFromStorage(LoadStorageFromString(xml));
  game.SetSetting(setting, Variant(InterfaceRef(collection)));
}

const std::string kActions = R"(<actions>
  <action name="p1" action_id="personal_1" type="personal" priority="50"
          requirements="a=lamp\b=sofa\c=collaboration_2"/>
  <action name="p2" action_id="personal_2" type="personal" priority="60"/>
  <action name="f1" action_id="fitness_1" type="fitness" priority="20"/>
  <action name="f2" action_id="fitness_2" type="fitness" priority="40"/>
  <action name="e1" action_id="education_1" type="education" priority="30"/>
  <action name="e2" action_id="education_2" type="education" priority="30"/>
  <action name="c1" action_id="careers_1" type="careers" priority="10"/>
  <action name="c2" action_id="careers_2" type="careers" priority="30"/>
  <action name="c6" action_id="careers_6" type="careers" requirements="a=desk"/>
</actions>)";

const std::string kItems = R"(<action_items>
  <action_item name="i1" item_id="lamp" extraparams="type=money\cost=100\factory_name=icon"/>
  <action_item name="i2" item_id="sofa" extraparams="type=money\cost=300\factory_name=icon"/>
  <action_item name="i3" item_id="collaboration_2"
               extraparams="type=logic\paramname=trophy_clients\factory_name=icon"/>
  <action_item name="i4" item_id="desk" extraparams="type=money\cost=50\factory_name=icon"/>
</action_items>)";

class ActionScreens : public testing::LevelGameFixture {
 protected:
  void StartWith(const std::string& screens) {
    StartGame(Harness("GS_Base") + screens);
    Publish<TActionDefCollection>(*game_, "action_defs", kActions);
    Publish<TActionItemDefCollection>(*game_, "action_item_defs", kItems);
  }
  void Open(const std::string& screen, const ParamsRef& params) {
    game_->ShowScreen("GS_Base", nullptr);
    Frames();
    ASSERT_TRUE(game_->ShowScreen(screen, params));
    Frames();
  }
  void Close(const std::string& screen) {
    game_->CloseScreen(Screen(screen), nullptr);
    Frames();
  }
  ParamsRef Answer() { return std::dynamic_pointer_cast<testing::HarnessScreen>(Screen("GS_Base"))->closedResult; }
  bool Shown(const std::string& screen) { return Screen(screen)->IsShown(); }
  std::string Text(const std::string& screen, const std::string& path) {
    return Widget(screen, path)->GetProperty("text").ToString();
  }
};

// --- The overview ---------------------------------------------------------------------------

std::string Track(const std::string& track, int top, const std::string& maxValue) {
  const std::string buttons = Button("1", 0, "\\res=" + track + "1") + Button("2", 50, "\\res=" + track + "2") +
                              Label("completed") + Label("recommend");
  return R"(<widget type="group_widget" name="buttons_)" + track + R"(" visible="yes" anchor_top=")" +
         std::to_string(top) + R"("><widgets>)" + buttons + "</widgets></widget>" +
         R"(<widget type="AnimatedBarControl" name="bar_)" + track + R"(" width="100" height="5" visible="yes"
             max_value=")" +
         maxValue + R"(" maxincrementaldurationtime="1000"><widgets>
             <widget type="ProgressBarControl" name="bar" width="100" height="5" visible="yes"/></widgets></widget>)";
}

std::string OverviewScreen() {
  return ScreenXml("KestrelleGameScreenActions", "GS_Actions",
                   "<widgets>" + Track("personal", 0, "2") + Track("fitness", 100, "2") + Track("education", 200, "2") +
                       Track("careers", 300, "0") + Label("money") + Label("popup") + Button("button_close", 700) +
                       "</widgets>") +
         Harness("GS_Action") + Harness("GS_NewAction") + Harness("GS_ActionsTutorial");
}

TEST_F(ActionScreens, OverviewDrawsTracksBarsAndTheRecommendation) {
  StartWith(OverviewScreen());
  SetProfile("actions_personal_level", "2");  // finished
  SetProfile("actions_fitness_level", "1");   // next: fitness_2, priority 40
  SetProfile("actions_careers_level", "1");   // next: careers_2, priority 30, after education in order
  SetProfile("total_money", "1234");
  Open("GS_Actions", Params({{"show_new_action", "yes"}}));

  auto visible = [&](const std::string& path) { return Widget("GS_Actions", path)->GetVisible(); };
  const struct {
    const char* track;
    bool first, second, completed, recommend;
  } tracks[] = {{"personal", false, false, true, false},
                {"fitness", false, true, false, false},
                {"education", true, false, false, true},
                {"careers", false, true, false, false}};
  for (const auto& t : tracks) {
    SCOPED_TRACE(t.track);
    const std::string group = std::string("buttons_") + t.track + "/";
    EXPECT_EQ(visible(group + "1"), t.first);
    EXPECT_EQ(visible(group + "2"), t.second);
    EXPECT_EQ(visible(group + "completed"), t.completed);
    EXPECT_EQ(visible(group + "recommend"), t.recommend);
  }
  // The bars stand at their values at once; a bar without a maximum stays empty.
  auto bar = [&](const std::string& track, const char* property) {
    return Widget("GS_Actions", "bar_" + track)->GetProperty(property).ToInt();
  };
  EXPECT_EQ(bar("personal", "current_value"), 100);
  EXPECT_EQ(bar("fitness", "current_value"), 50);
  EXPECT_EQ(bar("careers", "value"), 0);
  EXPECT_EQ(Widget("GS_Actions", "bar_careers/bar")->GetProperty("position").ToDouble(), 0.0);
  EXPECT_EQ(Text("GS_Actions", "money"), "1234");

  // Asked to announce a new action, and seen for the first time: both open, once.
  EXPECT_TRUE(Shown("GS_NewAction"));
  EXPECT_TRUE(Shown("GS_ActionsTutorial"));
  EXPECT_EQ(ProfileText("show_actions_tutorial"), "yes");
  Close("GS_ActionsTutorial");
  Close("GS_NewAction");

  // The visible button under the pointer is described; a hidden one is not.
  engine_->cursor = TPoint{60, 110};  // fitness "2"
  Frames();
  EXPECT_TRUE(visible("popup"));
  EXPECT_EQ(Text("GS_Actions", "popup"), "%desc_fitness2%");
  engine_->cursor = TPoint{10, 110};  // fitness "1", hidden
  Frames();
  EXPECT_FALSE(visible("popup"));

  // An action done on the action screen: the track moves on and its bar runs up.
  ASSERT_TRUE(game_->ShowScreen("GS_Action", nullptr));
  Frames();
  SetProfile("actions_fitness_level", "2");
  Close("GS_Action");
  EXPECT_TRUE(visible("buttons_fitness/completed"));
  EXPECT_FALSE(visible("buttons_fitness/2"));
  EXPECT_EQ(bar("fitness", "value"), 100);
  EXPECT_LT(bar("fitness", "current_value"), 100);
  for (int i = 0; i < 40; ++i) Frames();
  EXPECT_EQ(bar("fitness", "current_value"), 100);

  Event("GS_Actions", "button_close", kEventButtonClicked);
  EXPECT_FALSE(Shown("GS_Actions"));
  ASSERT_TRUE(Answer());
  EXPECT_EQ(Answer()->GetValue("continue_play", "").ToString(), "yes");

  // Shown again without parameters: nothing opens on top and the answer is "no".
  Open("GS_Actions", nullptr);
  EXPECT_FALSE(Shown("GS_NewAction"));
  EXPECT_FALSE(Shown("GS_ActionsTutorial"));
  Event("GS_Actions", "button_close", kEventButtonClicked);
  EXPECT_EQ(Answer()->GetValue("continue_play", "").ToString(), "no");
}

// --- The action screen ----------------------------------------------------------------------

// The action screen's sounds: "buy" and "done".
std::string Sounds() {
  return R"(<sounds><sound name="sound_buy_item" resourcename="buy"/>
            <sound name="sound_execute_action" resourcename="done"/></sounds>)";
}

std::string ActionScreen() {
  const std::string icon =
      R"(<widget type="ButtonControl" name="%name%" width="40" height="40" enabled="yes" visible="yes"/>)";
  const std::string popup = Group("popup",
                                  Label("title_trophy") + Label("count") + Label("cost") + Label("click_to_buy_text") +
                                      Label("not_enough_money_text"),
                                  "\\text=");
  return ScreenXml("KestrelleGameScreenAction", "GS_Action",
                   "<widgetfactories>" + Factory("icon", icon) + "</widgetfactories><widgets>" +
                       Group("action_items", "", R"(\startX3=100\shift3=10\startX1=300\shift1=0)") +
                       Label("action_image", "") + Label("action_text") + Label("money") + popup +
                       Button("button_execute", 600) + Button("button_close", 700) + "</widgets>" + Sounds()) +
         Harness("GS_ActionResult") + Harness("GS_GameFinal");
}

TEST_F(ActionScreens, ActionIconsShowWhatIsStillMissingAndExecuteOnceAllIsOwned) {
  StartWith(ActionScreen());
  game_->SetSetting("TrophyParamClientsServed", Variant(100));
  SetProfile("item_exists_lamp", "yes");
  SetProfile("clients_served", "40");
  SetProfile("total_money", "250");
  Open("GS_Action", Params({{"action_id", "personal_1"}}));

  auto icon = [&](const std::string& id) { return Widget("GS_Action", "action_items/" + id); };
  EXPECT_EQ(Text("GS_Action", "action_text"), "%personal_1%");
  EXPECT_EQ(Text("GS_Action", "money"), "250");
  const struct {
    const char* id;
    double left;
    bool enabled;
  } icons[] = {{"lamp", 100, false}, {"sofa", 150, true}, {"collaboration_2", 200, true}};
  for (const auto& i : icons) {
    SCOPED_TRACE(i.id);
    ASSERT_TRUE(icon(i.id));
    EXPECT_EQ(icon(i.id)->GetAnchorLeft(), i.left);
    EXPECT_EQ(icon(i.id)->GetEnabled(), i.enabled);
  }
  EXPECT_FALSE(Widget("GS_Action", "button_execute")->GetEnabled());

  // Under the pointer: an earned item counts what its achievement still lacks, a bought one its
  // price and whether the money reaches.
  auto shows = [&](const std::string& child) { return Widget("GS_Action", "popup/" + child)->GetVisible(); };
  engine_->cursor = TPoint{210, 10};
  Frames();
  EXPECT_EQ(Text("GS_Action", "popup"), "%item_desc_collaboration_2%");
  EXPECT_TRUE(shows("title_trophy"));
  EXPECT_EQ(Text("GS_Action", "popup/count"), "60");
  EXPECT_FALSE(shows("cost"));
  engine_->cursor = TPoint{160, 10};
  Frames();
  EXPECT_EQ(Text("GS_Action", "popup/cost"), "300");
  EXPECT_FALSE(shows("title_trophy"));
  EXPECT_TRUE(shows("not_enough_money_text"));
  EXPECT_FALSE(shows("click_to_buy_text"));

  // Everything owned: the action can be done, once.
  SetProfile("item_exists_sofa", "yes");
  SetProfile("trophy_clients", "yes");
  Close("GS_Action");
  Open("GS_Action", Params({{"action_id", "personal_1"}}));
  EXPECT_FALSE(icon("sofa")->GetEnabled());
  EXPECT_FALSE(icon("collaboration_2")->GetEnabled());
  ASSERT_TRUE(Widget("GS_Action", "button_execute")->GetEnabled());
  Event("GS_Action", "button_execute", kEventButtonClicked);
  EXPECT_EQ(ProfileText("actions_personal_level"), "1");
  EXPECT_EQ(ProfileText("action_done_personal_1"), "yes");
  EXPECT_EQ(engine_->playedSounds.back(), "done@-101/-1");
  EXPECT_TRUE(Shown("GS_ActionResult"));
  EXPECT_FALSE(Widget("GS_Action", "button_execute")->GetEnabled());

  // The result closes, and the action screen with it.
  Close("GS_ActionResult");
  EXPECT_FALSE(Shown("GS_Action"));
}

TEST_F(ActionScreens, BuyingTheLastMissingItemDoesTheActionAtOnce) {
  StartWith(ActionScreen());
  SetProfile("actions_careers_level", "5");
  SetProfile("item_exists_lamp", "yes");
  SetProfile("trophy_clients", "yes");
  const struct {
    const char* action;
    const char* item;
    int64_t cost;
    const char* opens;
  } cases[] = {{"personal_1", "sofa", 300, "GS_ActionResult"}, {"careers_6", "desk", 50, "GS_GameFinal"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    engine_->playedSounds.clear();
    SetProfile("total_money", std::to_string(c.cost - 1));
    Open("GS_Action", Params({{"action_id", c.action}}));
    const std::string icon = std::string("action_items/") + c.item;

    // Too little money: nothing is bought.
    Event("GS_Action", icon, kEventButtonClicked);
    EXPECT_EQ(ProfileText(std::string("item_exists_") + c.item), "(none)");
    EXPECT_EQ(ProfileText("total_money"), std::to_string(c.cost - 1));
    EXPECT_TRUE(engine_->playedSounds.empty());
    EXPECT_TRUE(Widget("GS_Action", icon)->GetEnabled());
    EXPECT_FALSE(Shown(c.opens));

    SetProfile("total_money", std::to_string(c.cost + 7));
    Event("GS_Action", icon, kEventButtonClicked);
    EXPECT_EQ(ProfileText(std::string("item_exists_") + c.item), "yes");
    EXPECT_EQ(ProfileText("total_money"), "7");
    EXPECT_EQ(Text("GS_Action", "money"), "7");
    EXPECT_EQ(ProfileText(std::string("action_done_") + c.action), "yes");
    EXPECT_EQ(engine_->playedSounds, (std::vector<std::string>{"buy@-101/-1", "done@-101/-1"}));
    EXPECT_TRUE(Shown(c.opens));
    Close(c.opens);
    EXPECT_FALSE(Shown("GS_Action"));
  }
  EXPECT_EQ(ProfileText("game_completed"), "yes");
  EXPECT_EQ(ProfileText("actions_careers_level"), "6");
}

TEST_F(ActionScreens, ItemDescriptionOffersToBuyWhatTheMoneyPays) {
  StartWith(
      ScreenXml("KestrelleGameScreenItemDesc", "GS_ItemDesc",
                "<widgets>" + Label("desc") + Button("button_buy", 0) + Label("warning") + "</widgets>" + Sounds()));
  SetProfile("total_money", "150");
  const struct {
    const char* item;
    bool buy, buyEnabled, warning;
  } cases[] = {{"sofa", true, false, true}, {"collaboration_2", false, false, false}, {"lamp", true, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Open("GS_ItemDesc", Params({{"item_id", c.item}}));
    EXPECT_EQ(Text("GS_ItemDesc", "desc"), std::string("%item_desc_") + c.item + "%");
    EXPECT_EQ(Widget("GS_ItemDesc", "button_buy")->GetVisible(), c.buy);
    EXPECT_EQ(Widget("GS_ItemDesc", "button_buy")->GetEnabled(), c.buyEnabled);
    EXPECT_EQ(Widget("GS_ItemDesc", "warning")->GetVisible(), c.warning);
    if (c.buyEnabled) break;
    Close("GS_ItemDesc");
  }
  // The lamp is still shown: buying it pays once.
  Event("GS_ItemDesc", "button_buy", kEventButtonClicked);
  EXPECT_EQ(ProfileText("total_money"), "50");
  EXPECT_EQ(ProfileText("item_exists_lamp"), "yes");
  EXPECT_EQ(engine_->playedSounds, (std::vector<std::string>{"buy@-101/-1"}));
  EXPECT_FALSE(Widget("GS_ItemDesc", "button_buy")->GetEnabled());
}

TEST_F(ActionScreens, ResultShowsWhatTheActionBrought) {
  const std::string icon = R"(<widget type="rect_widget" name="%name%" visible="yes"/>)";
  StartWith(ScreenXml("KestrelleGameScreenActionResult", "GS_ActionResult",
                      "<widgetfactories>" + Factory("icon_heart", icon) + Factory("icon_slot", icon) +
                          "</widgetfactories><widgets>" + Label("text") +
                          R"(<widget type="image_widget" name="image" visible="yes"/>)" + Group("icons", "") +
                          Label("money") + "</widgets>"));
  Publish<TActionDefCollection>(*game_, "action_defs", R"(<actions><action name="f2" action_id="fitness_2"
      extraparams="result_text=%res_fitness_2%\result_image=img_fitness\result_icons=icon_heart, icon_slot"/>
      </actions>)");
  SetProfile("total_money", "70");
  Open("GS_ActionResult", Params({{"action_id", "fitness_2"}}));
  EXPECT_EQ(Text("GS_ActionResult", "text"), "%res_fitness_2%");
  EXPECT_EQ(Widget("GS_ActionResult", "image")->GetProperty("resourcename").ToString(), "img_fitness");
  EXPECT_EQ(Widget("GS_ActionResult", "icons")->GetWidgets()->GetCount(), 2);
  EXPECT_TRUE(Widget("GS_ActionResult", "icons/icon_slot"));
  EXPECT_EQ(Text("GS_ActionResult", "money"), "70");
}

// --- The room -------------------------------------------------------------------------------

TEST_F(ActionScreens, RoomShowsOwnedItemsAndTheOthersOff) {
  const std::string item = R"(<widget type="Control" name="%name%" anchor_left="%anchor_left%"
      anchor_top="%anchor_top%" width="%width%" height="%height%" z="%z%" visible="yes" extraparams="\res=%resourcename%">
      <widgets><widget type="rect_widget" name="off" visible="no"/></widgets></widget>)";
  StartWith(ScreenXml("KestrelleGameScreenRoom", "GS_Room",
                      "<widgetfactories>" + Factory("item", item) + "</widgetfactories><widgets>" + Group("items", "") +
                          Label("popup") + "</widgets>"));
  Publish<TRoomItemDefCollection>(*game_, "room_item_defs", R"(<room_items>
      <room_item name="sofa" extraparams="type=money\x=10\y=20\w=100\h=50\res=img_sofa\z=3"/>
      <room_item name="lamp" extraparams="type=money\x=200\y=20\w=30\h=80\res=img_lamp"/>
      <room_item name="cup" extraparams="type=logic\paramname=trophy_clients\x=300\y=20\w=20\h=20"/>
      <room_item name="medal" extraparams="type=logic\paramname=trophy_time\x=400\y=20\w=20\h=20"/>
    </room_items>)");
  SetProfile("item_exists_sofa", "yes");
  SetProfile("trophy_clients", "1");  // earned: anything but "no"
  SetProfile("trophy_time", "no");
  Open("GS_Room", nullptr);

  const struct {
    const char* name;
    bool off;
  } items[] = {{"sofa", false}, {"lamp", true}, {"cup", false}, {"medal", true}};
  for (const auto& i : items) {
    SCOPED_TRACE(i.name);
    ASSERT_TRUE(Widget("GS_Room", std::string("items/") + i.name));
    EXPECT_EQ(Widget("GS_Room", std::string("items/") + i.name + "/off")->GetVisible(), i.off);
  }
  WidgetRef sofa = Widget("GS_Room", "items/sofa");
  EXPECT_EQ(sofa->GetAnchorLeft(), 10);
  EXPECT_EQ(sofa->GetAnchorTop(), 20);
  EXPECT_EQ(sofa->GetWidth(), 100);
  EXPECT_EQ(sofa->GetZ(), 3);
  EXPECT_EQ(sofa->GetProperty("res").ToString(), "img_sofa");

  const struct {
    TPoint pointer;
    const char* popup;  // "" when hidden
  } hovers[] = {{{50, 40}, "%desc_sofa%"}, {{210, 40}, "%desc_not_available%"}, {{150, 40}, ""}};
  for (const auto& h : hovers) {
    SCOPED_TRACE(h.popup);
    engine_->cursor = h.pointer;
    Frames();
    EXPECT_EQ(Widget("GS_Room", "popup")->GetVisible(), *h.popup != 0);
    if (*h.popup != 0) {
      EXPECT_EQ(Text("GS_Room", "popup"), h.popup);
    }
  }
}

}  // namespace
}  // namespace kestrelle
