// The splash screens and the quit screen on the real game object: the start sequence with the
// logos and the progress splash, the loading splashes (widget time per item, the unload list,
// the finished look or hiding, rebuilding at each showing) and the close query.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/game.h"
#include "app/resources.h"
#include "app/standard_screens/screen_splash.h"
#include "app/standard_screens/screen_splash_load.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "platform/messages.h"
#include "support/scoped_user_folder.h"
#include "support/widget_harness.h"
#include "widgets/group_widget.h"

namespace kestrelle {
namespace {

// A group that records the widget time it is given and how often it is restarted.
class TTimeLog : public TVisualGroupWidget {
 public:
  std::vector<int32_t> elapsed;
  int restarts = 0;
  void Update(int32_t elapsedMs) override {
    elapsed.push_back(elapsedMs);
    TVisualGroupWidget::Update(elapsedMs);
  }
  void Restart() override {
    ++restarts;
    TVisualGroupWidget::Restart();
  }
};

// A resource that writes "load <name>" and "unload <name>" to a shared log.
class TLoggedResource : public TResource {
 public:
  std::shared_ptr<std::vector<std::string>> log;

 protected:
  void DoLoad() override { log->push_back("load " + GetName()); }
  void DoUnload() override { log->push_back("unload " + GetName()); }
};

// Definitions that record the indexes they were asked to load.
class TDefinitions : public TAbstractObject, public virtual IResourceDefCollection {
 public:
  int count = 0;
  std::vector<int64_t> loaded;
  int GetCount() const override { return count; }
  void Delete(const Variant&) override {}
  int IndexOf(const std::string&) const override { return -1; }
  bool Exists(const std::string&) const override { return false; }
  void Clear() override { count = 0; }
  void LoadDef(const Variant& index) override { loaded.push_back(index.ToInt(-1)); }
};

constexpr const char* kLoadWidgets = R"(<widgets>
  <widget type="time_log" name="progress" visible="yes"/>
  <widget type="time_log" name="image_loaded" visible="no"/>
</widgets>)";

class SplashScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureClassesRegistered();
    if (!ClassRegistry::Instance().IsRegistered("time_log")) RegisterObjectClass<TTimeLog>("time_log");
    engine = std::make_shared<testing::FakeEngine>();
    engine->Initialize();
    for (const char* name : {"a", "b", "c", "d"}) {
      auto resource = Create<TLoggedResource>();
      resource->SetName(name);
      resource->log = resourceLog;
      engine->AddResource(name, resource);
    }
  }
  void TearDown() override {
    if (game) game->EndGame();
  }

  // A game whose first screen, "GS_Base", stays at the bottom of the stack, with the loading
  // splashes, a self-refreshing screen and the quit screen above it.
  void StartScreens() {
    std::string w = kLoadWidgets;
    Start(R"(splashlogosgs="GS_Base")",
          R"(<gamescreen type="GameScreen" name="GS_Base"/>
          <gamescreen type="GameScreenSplashResourceLoad" name="GS_Load"><window>)" +
              w + R"(</window></gamescreen>
          <gamescreen type="GameScreenSplashResourceLoad" name="GS_Load10" TotalUpdates="10"><window>)" +
              w + R"(</window></gamescreen>
          <gamescreen type="GameScreenSplashResourceLoad" name="GS_LoadClose" close_after_load="yes"><window>)" +
              w + R"(<sounds><sound name="sound_hide_window" resourcename="whoosh"/></sounds></window></gamescreen>
          <gamescreen type="GameScreenSplashResourceDefsLoad" name="GS_Defs"><window>)" +
              w + R"(</window></gamescreen>
          <gamescreen type="GameScreenSplashSelfRefresh" name="GS_Refresh"><window><widgets>
            <widget type="group_widget" name="label" extraparams="\text_utf8=defined"/>
          </widgets></window></gamescreen>
          <gamescreen type="GameScreenQuit" name="GS_Quit"><window><widgets>
            <widget type="group_widget" name="button_exit"/>
            <widget type="group_widget" name="button_cancel"/>
          </widgets></window></gamescreen>
          <gamescreen type="GameScreenQueryDialog" name="GS_Above"><window/></gamescreen>)");
  }
  void Start(const std::string& attributes, const std::string& screens, const std::string& extra = {}) {
    game = Create<TGame>();
    StorageRef storage = LoadStorageFromString("<game type=\"Game\" name=\"g\" " + attributes + ">" + extra +
                                               "<gamescreens>" + screens + "</gamescreens></game>");
    ASSERT_TRUE(storage);
    game->LoadFromStorage(storage);
    game->StartGame(engine);
  }

  // One step of the engine loop.
  void Frame(uint32_t ms = 16) {
    game->Update(ms);
    game->AfterUpdate();
  }
  GameScreenRef Screen(const std::string& name) { return game->GetScreens()->Get(Variant(name)); }
  WidgetRef Widget(const std::string& screen, const std::string& name) {
    return Screen(screen)->GetWindowInterface()->FindWidget(name);
  }
  std::shared_ptr<TTimeLog> Log(const std::string& screen, const std::string& name) {
    return std::dynamic_pointer_cast<TTimeLog>(Widget(screen, name));
  }
  void Event(const std::string& screen, const std::string& sender, int32_t code) {
    std::dynamic_pointer_cast<IEventHandler>(Screen(screen))->HandleWidgetEvent(Widget(screen, sender), code, nullptr);
    Frame();
  }
  std::vector<std::string> StackNames() {
    std::vector<std::string> names;
    for (int i = 0; i < game->GetStack()->GetCount(); ++i)
      names.push_back(game->GetStack()->Get(Variant(i))->GetName());
    return names;
  }
  // The resource names of the sounds played.
  std::vector<std::string> SoundsPlayed() {
    std::vector<std::string> names;
    for (const std::string& played : engine->playedSounds) names.push_back(played.substr(0, played.find('@')));
    return names;
  }
  static ParamsRef Params(const std::string& name, const Variant& value) {
    ParamsRef params = CreateParams();
    params->SetValue(name, value);
    return params;
  }

  testing::ScopedUserFolder userFolder{"splash-screens"};  // first: removed after everything else
  std::shared_ptr<testing::FakeEngine> engine;
  std::shared_ptr<TGame> game;
  std::shared_ptr<std::vector<std::string>> resourceLog = std::make_shared<std::vector<std::string>>();
};

TEST_F(SplashScreens, LoadingGivesItsWindowAFixedShareOfWidgetTimePerItem) {
  StartScreens();
  struct Case {
    const char* screen;
    std::string loadList;
    std::vector<int32_t> shares;
    std::vector<std::string> loaded;
  };
  // 15 items in 10 ms: weight 1, and the last share (10 - 14) would run time backwards.
  std::string many = "x";
  for (int i = 1; i < 15; ++i) many += ";x";
  std::vector<int32_t> manyShares(14, 1);
  manyShares.push_back(0);
  const Case cases[] = {
      // A name that names no resource is skipped but still takes its share.
      {"GS_Load", "a;nosuch;c", {67, 67, 66}, {"load a", "load c"}},
      {"GS_Load", "b", {200}, {"load b"}},
      // 10 / 4 = 2.5 rounds to even.
      {"GS_Load10", "a;b;c;d", {2, 2, 2, 4}, {"load a", "load b", "load c", "load d"}},
      {"GS_Load10", many, manyShares, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loadList);
    resourceLog->clear();
    ASSERT_TRUE(game->ShowScreen(c.screen, Params("load_list", c.loadList)));
    auto progress = Log(c.screen, "progress");
    auto loaded = Log(c.screen, "image_loaded");
    ASSERT_TRUE(progress && loaded);
    for (size_t i = 0; i < c.shares.size() + 2; ++i) Frame(16);
    // The step after the last item gives no time; then the paused bar gets none and the
    // finished image runs on real time.
    EXPECT_EQ(progress->elapsed, c.shares);
    std::vector<int32_t> afterwards = c.shares;
    afterwards.push_back(16);
    EXPECT_EQ(loaded->elapsed, afterwards);
    EXPECT_EQ(*resourceLog, c.loaded);
    Event(c.screen, "image_loaded", 1);
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base"}));
  }
}

TEST_F(SplashScreens, UnloadListGoesFirstAndNamesInBothListsStayLoaded) {
  StartScreens();
  ParamsRef params = Params("load_list", "a;b");
  params->SetValue("unload_list", "a;c;nosuch;B");  // names compare case-sensitively
  ASSERT_TRUE(game->ShowScreen("GS_Load", params));
  Frame();
  EXPECT_EQ(*resourceLog, (std::vector<std::string>{"unload c"}));
  Frame();
  EXPECT_EQ(*resourceLog, (std::vector<std::string>{"unload c", "load b"}));
  // The entry kept loaded still counts for the shares.
  EXPECT_EQ(Log("GS_Load", "progress")->elapsed, (std::vector<int32_t>{100, 100}));
}

TEST_F(SplashScreens, FinishedLookWaitsForAClickWhileCloseAfterLoadHidesOnce) {
  StartScreens();
  ASSERT_TRUE(game->ShowScreen("GS_Load", Params("load_list", "a")));
  auto progress = Log("GS_Load", "progress");
  auto loaded = Log("GS_Load", "image_loaded");
  Frame();
  // The item is loaded but the screen has not finished yet: ignored (the frame after it finishes).
  Event("GS_Load", "image_loaded", 1);
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base", "GS_Load"}));
  EXPECT_FALSE(progress->GetVisible());
  EXPECT_TRUE(progress->GetPaused());
  EXPECT_TRUE(loaded->GetVisible());
  EXPECT_FALSE(loaded->GetPaused());
  EXPECT_EQ(loaded->restarts, 1);
  Event("GS_Load", "progress", 1);
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base", "GS_Load"}));
  Event("GS_Load", "image_loaded", 10);  // any event of the finished image closes
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base"}));

  ASSERT_TRUE(game->ShowScreen("GS_LoadClose", Params("load_list", "a;b")));
  Frame();
  Frame();
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base", "GS_LoadClose"}));
  Frame();
  EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base"}));
  EXPECT_EQ(SoundsPlayed(), (std::vector<std::string>{"whoosh"}));
  EXPECT_FALSE(Widget("GS_LoadClose", "image_loaded")->GetVisible());
  EXPECT_EQ(Log("GS_LoadClose", "image_loaded")->restarts, 0);
}

TEST_F(SplashScreens, DefinitionLoadingLoadsEachDefinitionAndLetsThemGo) {
  StartScreens();
  auto definitions = std::make_shared<TDefinitions>();
  definitions->count = 2;
  std::weak_ptr<TDefinitions> watch = definitions;
  ASSERT_TRUE(game->ShowScreen("GS_Defs", Params("resource_defs", Variant(definitions))));
  definitions.reset();
  Frame();
  Frame();
  EXPECT_EQ(watch.lock()->loaded, (std::vector<int64_t>{0, 1}));
  EXPECT_EQ(Log("GS_Defs", "progress")->elapsed, (std::vector<int32_t>{100, 100}));
  Frame();
  EXPECT_TRUE(Widget("GS_Defs", "image_loaded")->GetVisible());
  Event("GS_Defs", "image_loaded", 1);
  EXPECT_TRUE(watch.expired()) << "the screen keeps the definitions after loading them";

  // Anything else than definitions: nothing to load, the finished look at the first update.
  const Variant others[] = {Variant("text"), Variant(42), Variant(CreateParams()), Variant()};
  for (const Variant& other : others) {
    SCOPED_TRACE(other.ToString());
    ASSERT_TRUE(game->ShowScreen("GS_Defs", Params("resource_defs", other)));
    EXPECT_FALSE(Widget("GS_Defs", "image_loaded")->GetVisible());
    Frame();
    EXPECT_TRUE(Widget("GS_Defs", "image_loaded")->GetVisible());
    EXPECT_TRUE(Log("GS_Defs", "progress")->elapsed.empty());
    Event("GS_Defs", "image_loaded", 1);
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Base"}));
  }
}

TEST_F(SplashScreens, SelfRefreshingScreenStartsFromItsDefinitionAtEachLaterShowing) {
  StartScreens();
  WidgetRef label = Widget("GS_Refresh", "label");
  label->SetProperty("text_utf8", "before");
  ASSERT_TRUE(game->ShowScreen("GS_Refresh", nullptr));
  EXPECT_EQ(Widget("GS_Refresh", "label")->GetProperty("text_utf8").ToString(), "before") << "rebuilt at first";
  Widget("GS_Refresh", "label")->SetProperty("text_utf8", "changed");
  game->CloseScreen(Screen("GS_Refresh"), nullptr);
  for (int showing = 2; showing <= 3; ++showing) {
    SCOPED_TRACE(showing);
    ASSERT_TRUE(game->ShowScreen("GS_Refresh", nullptr));
    EXPECT_EQ(Widget("GS_Refresh", "label")->GetProperty("text_utf8").ToString(), "defined");
    EXPECT_EQ(Screen("GS_Refresh")->GetWindowInterface()->GetWidgets()->GetCount(), 1);
    // The rebuilt tree reports to its screen.
    WidgetRef window = Screen("GS_Refresh")->GetWindowWidget();
    EXPECT_EQ(window->GetOwner(), std::dynamic_pointer_cast<IWidgetOwner>(Screen("GS_Refresh")));
    EXPECT_EQ(Widget("GS_Refresh", "label")->GetOwner(), std::dynamic_pointer_cast<IWidgetOwner>(window));
    Widget("GS_Refresh", "label")->SetProperty("text_utf8", "changed");
    game->CloseScreen(Screen("GS_Refresh"), nullptr);
  }
}

// The start sequence: logos, then the progress splash while the resource files load, then the
// main screen at once or after a click on the wait button.
TEST_F(SplashScreens, ProgressSplashCountsTheLoadingAndGoesOnToTheMainScreen) {
  struct Case {
    const char* type;
    const char* waitButton;
    bool waits;
  };
  const Case cases[] = {
      {"GameScreenSplashProgress", "", false},
      {"GameScreenSplashProgress", "button_none", false},
      {"GameScreenSplashProgress", "button_go", true},
      // The plain splash neither counts nor changes its look, nor unloads anything.
      {"GameScreenSplash", "button_go", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + c.waitButton);
    const bool progress = std::string(c.type) == "GameScreenSplashProgress";
    if (game) game->EndGame();
    engine = std::make_shared<testing::FakeEngine>();
    engine->Initialize();
    Start(R"(splashlogosgs="GS_Logos" splashgs="GS_Splash" maings="GS_Main")",
          R"(<gamescreen type="GameScreenSplashLogos" name="GS_Logos"><window><widgets>
            <widget type="group_widget" name="logo"/>
          </widgets></window></gamescreen>
          <gamescreen type=")" +
              std::string(c.type) + R"(" name="GS_Splash" TotalUpdates="4" wait_button_name=")" + c.waitButton +
              R"("><window><widgets>
            <widget type="group_widget" name="image_loading" visible="yes"><widgets>
              <widget type="group_widget" name="progress" extraparams="\position=0"/>
            </widgets></widget>
            <widget type="time_log" name="image_loaded" visible="no"/>
            <widget type="group_widget" name="button_go" visible="no"/>
          </widgets><sounds><sound name="sound_effect" resourcename="fanfare"/></sounds></window></gamescreen>
          <gamescreen type="GameScreen" name="GS_Main"/>)",
          R"(<resourcefiles><resourcefile name="late" filename="late.res" loadmode="asynch"/></resourcefiles>)");

    Event("GS_Logos", "logo", 1);
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Logos"}));
    Event("GS_Logos", "logo", 10);  // the last image has been shown
    EXPECT_TRUE(StackNames().empty());

    std::vector<double> positions;
    // An unnamed widget's event while loading is no click on a wait button.
    WidgetRef unnamed = testing::WidgetHarness::Make(R"(<widget type="group_widget"/>)");
    engine->onLoadResourceFile = [&](const std::string&, bool) {
      std::dynamic_pointer_cast<IEventHandler>(Screen("GS_Splash"))->HandleWidgetEvent(unnamed, 10, nullptr);
      for (int i = 0; i < 3; ++i) {
        Frame(10);
        positions.push_back(Widget("GS_Splash", "image_loading/progress")->GetProperty("position").ToDouble());
      }
    };
    Frame();  // loading starts
    EXPECT_EQ(positions, progress ? (std::vector<double>{0.25, 0.5, 0.75}) : (std::vector<double>{0, 0, 0}));
    if (!c.waits) {
      EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
      EXPECT_TRUE(engine->unloadedGroups.empty());
      continue;
    }
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Splash"}));
    EXPECT_EQ(Widget("GS_Splash", "button_go")->GetVisible(), progress);
    EXPECT_EQ(Widget("GS_Splash", "image_loading")->GetVisible(), !progress);
    EXPECT_EQ(Widget("GS_Splash", "image_loaded")->GetVisible(), progress);
    EXPECT_EQ(Log("GS_Splash", "image_loaded")->restarts, progress ? 1 : 0);
    EXPECT_EQ(SoundsPlayed(), progress ? (std::vector<std::string>{"fanfare"}) : (std::vector<std::string>{}));
    if (progress) {
      Frame();
      EXPECT_EQ(Widget("GS_Splash", "image_loading/progress")->GetProperty("position").ToDouble(), 0.75)
          << "the count stops once loaded";
    }
    EXPECT_TRUE(engine->unloadedGroups.empty());
    Event("GS_Splash", "button_go", 1);
    EXPECT_EQ(StackNames(), (std::vector<std::string>{"GS_Main"}));
    EXPECT_EQ(engine->unloadedGroups,
              progress ? (std::vector<std::string>{"splash", "splash2"}) : (std::vector<std::string>{}));
  }
}

// The bar is the child named "progress" among the children (GetWidgets) of
// "image_loading", so a wrapper (a decorator has no children collection) drives no bar; its
// position is count / TotalUpdates, only a total of 0 being guarded (a full bar).
TEST_F(SplashScreens, ProgressSplashDrivesTheChildNamedProgressOfTheLoadingImage) {
  struct Case {
    const char* what;
    std::string loading;  // the element "image_loading"
    const char* bar;      // the path of the bar in the window
    int totalUpdates;
    std::vector<double> positions;
  };
  auto group = [](const char* child) {
    return std::string(R"(<widget type="group_widget" name="image_loading" visible="yes"><widgets>
        <widget type="group_widget" name=")") +
           child + R"(" extraparams="\position=0"/></widgets></widget>)";
  };
  auto replicator = [](const char* child) {
    return std::string(R"(<widget type="replicator_widget" name="image_loading" visible="yes"><widgets>
        <widget type="group_widget" name=")") +
           child + R"(" extraparams="\position=0"/></widgets></widget>)";
  };
  const Case cases[] = {
      {"a group's child \"progress\"", group("progress"), "image_loading/progress", 4, {0.25, 0.5, 0.75}},
      {"a group without \"progress\"", group("bar"), "image_loading/bar", 4, {0, 0, 0}},
      {"a wrapper's only child", replicator("bar"), "image_loading/bar", 4, {0, 0, 0}},
      {"a wrapper's child named \"progress\"", replicator("progress"), "image_loading/progress", 4, {0, 0, 0}},
      {"TotalUpdates 0: a full bar", group("progress"), "image_loading/progress", 0, {1, 1, 1}},
      {"a negative TotalUpdates: an empty bar", group("progress"), "image_loading/progress", -4, {-0.25, -0.5, -0.75}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (game) game->EndGame();
    Start(R"(splashlogosgs="GS_Base")", R"(<gamescreen type="GameScreen" name="GS_Base"/>
          <gamescreen type="GameScreenSplashProgress" name="GS_Splash" TotalUpdates=")" +
                                            std::to_string(c.totalUpdates) + R"("><window><widgets>)" + c.loading +
                                            R"(</widgets></window></gamescreen>)");
    ASSERT_TRUE(game->ShowScreen("GS_Splash", nullptr));
    auto splash = std::dynamic_pointer_cast<TGameScreenSplashProgress>(Screen("GS_Splash"));
    ASSERT_TRUE(splash);
    WidgetRef bar = Widget("GS_Splash", c.bar);
    ASSERT_TRUE(bar);
    std::vector<double> positions;
    for (int i = 0; i < 3; ++i) {
      Frame(10);
      positions.push_back(bar->GetProperty("position").ToDouble());
    }
    EXPECT_EQ(positions, c.positions);
    const bool driven = c.positions.back() != 0;
    EXPECT_EQ(splash->GetCount(), driven ? 3 : 0);
  }
}

class QuitScreen : public SplashScreens {};

TEST_F(QuitScreen, ExitClosesTheEngineAndCancelClosesTheQuery) {
  StartScreens();
  struct Case {
    const char* action;
    int closeRequests;
    bool staysOpen;
  };
  const Case cases[] = {
      {"button_exit", 1, true}, {"button_cancel", 0, false}, {"button_exit code 2", 0, true},
      {"escape", 0, true},      {"slave closed", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    engine->closeRequests = 0;
    ASSERT_TRUE(game->ShowScreen("GS_Quit", nullptr));
    const std::string action = c.action;
    if (action == "escape") {
      EXPECT_FALSE(Screen("GS_Quit")->KeyEvent(WM_KEYDOWN, 27, 0));
    } else if (action == "slave closed") {
      ASSERT_TRUE(game->ShowScreen("GS_Above", nullptr));
      game->CloseScreen(Screen("GS_Above"), nullptr);
    } else if (action == "button_exit code 2") {
      Event("GS_Quit", "button_exit", 2);
    } else {
      Event("GS_Quit", action, 1);
    }
    Frame();
    EXPECT_EQ(engine->closeRequests, c.closeRequests);
    EXPECT_EQ(StackNames().back(), c.staysOpen ? "GS_Quit" : "GS_Base");
    if (c.staysOpen) game->CloseScreen(Screen("GS_Quit"), nullptr);
  }
}

}  // namespace
}  // namespace kestrelle
