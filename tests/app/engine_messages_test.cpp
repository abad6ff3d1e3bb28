// The engine's window messages, settings, start and shutdown.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace kestrelle::enginetest {
namespace {

using MessagesTest = EngineTest;

TEST_F(MessagesTest, InputReachesTheGameAsTheWindowProcedureSaysWhileActive) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  std::vector<Message> seen;
  engine->SetMessageHook([&](const Message& m) { seen.push_back(m); });
  Post(Message{WM_KEYDOWN, VK_ESCAPE, 1});
  Post(Message{WM_CHAR, 0xE9, 1});
  Post(Message{WM_SYSCOMMAND, SC_KEYMENU, 'f'});
  // A drag captured left of and above the window: negative, not 65535.
  Post(Message{WM_MOUSEMOVE, MK_LBUTTON, MakePointParam(-5, -7)});
  Post(Message{WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, MakePointParam(600, 470)});
  Post(Message{WM_MOUSEWHEEL, 120u << 16, MakePointParam(1, 1)});
  ServeMessages();
  EXPECT_EQ(game().keys,
            (std::vector<GameCall>{{WM_KEYDOWN, VK_ESCAPE, 1}, {WM_CHAR, 0xE9, 1}, {WM_CHAR, 'f', kAltContextBit}}));
  EXPECT_EQ(game().mouse, (std::vector<GameCall>{{WM_MOUSEMOVE, MK_LBUTTON, MakePointParam(-5, -7)},
                                                 {WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, MakePointParam(600, 470)}}));
  EXPECT_EQ(game().lastPoint, (TPoint{600, 470}));
  // The wheel is not a mouse message of the game: the hook sees it; the game's messages it does not.
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].message, WM_MOUSEWHEEL);

  // Inactive: keys and mouse go to default processing; the menu key still reaches the game.
  Post(Message{WM_SYSCOMMAND, SC_MINIMIZE, 0});
  Post(Message{WM_KEYDOWN, 'A', 1});
  Post(Message{WM_LBUTTONDOWN, MK_LBUTTON, 0});
  Post(Message{WM_SYSCOMMAND, SC_KEYMENU, '\r'});
  ServeMessages();
  EXPECT_EQ(game().keys.size(), 4u);
  EXPECT_EQ(game().keys.back(), (GameCall{WM_CHAR, '\r', kAltContextBit}));
  EXPECT_EQ(game().mouse.size(), 2u);
  EXPECT_EQ(seen.size(), 3u);  // the key and the button; system commands bypass the hook
}

TEST_F(MessagesTest, CloseAsksTheGameAndOnlyAnAcceptedCloseEndsTheRun) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  TTestGame::canClose = false;
  Post(Message{WM_CLOSE, 0, 0});
  ServeMessages();
  EXPECT_EQ(game().canCloseQueries, 1);
  EXPECT_TRUE(devices.video->HasWindow());
  EXPECT_TRUE(engine->IsActive());
  RunFrames(2);

  TTestGame::canClose = true;
  auto keep = engine->GetGame();
  devices.events->ScheduleMessage(devices.clock->Now() + 50, Message{WM_CLOSE, 0, 0});
  engine->Run();  // returns once the window is gone
  EXPECT_EQ(game().canCloseQueries, 2);
  EXPECT_FALSE(devices.video->HasWindow());
  EXPECT_TRUE(engine->IsTerminated());
  engine->Shutdown();
  engine->Shutdown();  // a second shutdown does no harm
  EXPECT_EQ(game().endGames, 1);
  EXPECT_EQ(engine->GetGame(), nullptr);
}

TEST_F(MessagesTest, EngineCloseAndShellCallsPostTheirMessages) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  WriteFileAtomic((appDir / "manual.txt").string(), "x");
  engine->RunFile("manual.txt");
  engine->RunFile("missing.txt");
  engine->OpenURL("https://example.org/");
  EXPECT_EQ(devices.shell->Opened(),
            (std::vector<std::string>{"file:" + (appDir / "manual.txt").string(), "url:https://example.org/"}));
  EXPECT_EQ(devices.events->QueuedCount(), 2u);  // two minimise commands
  ServeMessages();
  EXPECT_FALSE(engine->IsActive());

  Post(Message{WM_SYSCOMMAND, SC_RESTORE, 0});
  ServeMessages();
  EXPECT_TRUE(engine->IsActive());
  engine->Close();
  EXPECT_FALSE(engine->IsActive());
  ServeMessages();
  EXPECT_TRUE(engine->IsTerminated());
  // The engine was inactive when its own WM_CLOSE came: the game is not asked again.
  EXPECT_EQ(game().canCloseQueries, 0);
  EXPECT_FALSE(devices.video->HasWindow());
}

TEST_F(MessagesTest, SystemCursorShowsWhenWantedOrWhenThePointerIsOutside) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  EXPECT_TRUE(devices.video->CursorVisible());
  engine->HideSystemCursor();
  EXPECT_FALSE(devices.video->CursorVisible());
  Post(Message{WM_NCHITTEST, HTNOWHERE, 0});  // over the frame or outside
  ServeMessages();
  EXPECT_TRUE(engine->IsPointerOutside());
  EXPECT_TRUE(devices.video->CursorVisible());
  engine->ShowSystemCursor();
  engine->HideSystemCursor();
  EXPECT_TRUE(devices.video->CursorVisible()) << "still outside";
  Post(Message{WM_NCHITTEST, HTCLIENT, 0});
  ServeMessages();
  EXPECT_FALSE(devices.video->CursorVisible());
  // Full screen has no outside.
  engine->SetConfigValue("FullScreenMode", "yes");
  engine->ApplySettings();
  Post(Message{WM_NCHITTEST, HTNOWHERE, 0});
  ServeMessages();
  EXPECT_FALSE(engine->IsPointerOutside());
  engine->Shutdown();
  EXPECT_TRUE(engine->IsSystemCursorWanted());
}

// A size that is not a positive number, given before the first application, is the default
// size: the window gets a mode, frames run and a close is served.
TEST_F(MessagesTest, BadScreenSizesAtTheFirstApplicationFallBackToTheDefault) {
  struct Case {
    const char* width;
    const char* height;
    VideoMode expected;
  } cases[] = {
      {"800px", "600", {640, 600, false, false}},
      {"0", "0", {640, 480, false, false}},
      {"-5", "abc", {640, 480, false, false}},
      {"1024", "", {1024, 480, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    ASSERT_TRUE(StartEngine());
    engine->SetConfigValue("ScreenWidth", c.width);
    engine->SetConfigValue("ScreenHeight", c.height);
    BeginRun();
    EXPECT_EQ(devices.video->Mode(), c.expected);
    EXPECT_EQ(engine->GetBackSurface()->GetWidth(), c.expected.width);
    EXPECT_EQ(engine->GetBackSurface()->GetHeight(), c.expected.height);
    RunFrames(1);
    EXPECT_EQ(game().elapsed.size(), 1u);
    Post(Message{WM_CLOSE, 0, 0});
    ServeMessages();
    EXPECT_FALSE(devices.video->HasWindow());
    engine->Shutdown();
    engine.reset();
  }
}

TEST_F(MessagesTest, ApplySettingsKeepsBadSizesAndTakesWideScreenOnlyInFullScreen) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  EXPECT_EQ(devices.video->Mode(), (VideoMode{640, 480, false, false}));
  EXPECT_EQ(engine->GetCaption(), "Kestrelle");
  for (const char* bad : {"abc", "-5", "0", ""}) {
    engine->SetConfigValue("ScreenWidth", bad);
    engine->ApplySettings();
    EXPECT_EQ(engine->GetWidth(), 640) << bad;
  }
  EXPECT_EQ(devices.video->ModeSetCount(), 1);

  engine->SetConfigValue("ScreenWidth", "800");
  engine->SetConfigValue("ScreenHeight", "600");
  engine->ApplySettings();
  EXPECT_EQ(devices.video->Mode(), (VideoMode{800, 600, false, false}));
  EXPECT_EQ(engine->GetBackSurface()->GetWidth(), 800);
  EXPECT_EQ(engine->GetBackSurface()->GetDirtyRegion().Get(0), (TRect{0, 0, 800, 600}));

  engine->SetConfigValue("WideScreenMode", "yes");
  engine->ApplySettings();
  EXPECT_FALSE(engine->IsWideScreen());
  EXPECT_EQ(devices.video->ModeSetCount(), 2);
  engine->SetConfigValue("FullScreenMode", "YES");
  engine->ApplySettings();
  EXPECT_EQ(devices.video->Mode(), (VideoMode{800, 600, true, true}));
  engine->SetConfigValue("FullScreenMode", "no");
  engine->ApplySettings();
  EXPECT_EQ(devices.video->Mode(), (VideoMode{800, 600, false, false}));

  engine->SetConfigValue("ApplicationCaption", "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x9C\x93");  // "Café € ✓"
  engine->ApplySettings();
  EXPECT_EQ(devices.video->Caption(), "Caf\xC3\xA9 \xE2\x82\xAC ?");  // as the ANSI code page shows it
}

TEST_F(MessagesTest, ConfigurationDefaultsAndImmediateSideEffects) {
  ASSERT_TRUE(StartEngine());
  const std::pair<const char*, const char*> defaults[] = {
      {"ScreenWidth", "640"},   {"ScreenHeight", "480"},  {"ScreenBPP", "0"},
      {"FullScreenMode", "no"}, {"WideScreenMode", "no"}, {"ApplicationCaption", "Kestrelle"},
      {"SoundVolume", "70"},    {"MusicVolume", "30"},    {"ShowFPS", "no"},
      {"ShowRects", "yes"},
  };
  for (const auto& [name, value] : defaults) EXPECT_EQ(engine->GetConfigValue(name), Variant(value)) << name;
  EXPECT_TRUE(engine->GetConfigValue("NoSuchValue").IsNull());
  EXPECT_TRUE(engine->GetShowRects());

  engine->SetConfigValue("SoundVolume", "150");
  engine->SetConfigValue("MusicVolume", "120");
  engine->SetConfigValue("ShowFPS", "Yes");
  EXPECT_EQ(engine->GetSoundVolume(), 100);
  EXPECT_EQ(engine->GetMusicVolume(), 120);  // used as given
  EXPECT_TRUE(engine->GetShowFPS());
  engine->SetConfigValue("MusicVolume", "loud");
  EXPECT_EQ(engine->GetMusicVolume(), 120);  // does not convert: ignored
}

TEST_F(MessagesTest, StartFailsQuietlyAndShutsDown) {
  // No game definition.
  std::filesystem::remove(appDir / "data" / "ini" / "Kestrelle.ini");
  EXPECT_FALSE(StartEngine());
  EXPECT_FALSE(devices.video->HasWindow());
  engine->Shutdown();

  // A registered class that is not a game, and an unknown class.
  for (const char* type : {"surface", "NoSuchClass"}) {
    MakeAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                  std::string("<game type=\"") + type + "\" name=\"g\"/>");
    EXPECT_FALSE(StartEngine()) << type;
  }

  // No window.
  MakeAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                "<game type=\"TestGame\" name=\"g\"/>");
  devices = MakeHeadlessDevices();
  devices.video->FailWindowCreation(true);
  HeadlessDevices d = devices;
  SetDeviceFactory([d] { return d.AsSet(); });
  engine = std::dynamic_pointer_cast<TEngine>(CreateObjectFromString(kEngineClassName));
  EXPECT_FALSE(engine->Start(Settings().GameFileName));
  EXPECT_EQ(TTestGame::last, nullptr);

  // A display mode that cannot be set: no frames, but messages are still served.
  devices.video->FailWindowCreation(false);
  devices.video->FailModeSet(true);
  ASSERT_TRUE(engine->Start(Settings().GameFileName));
  BeginRun();
  Post(Message{WM_KEYDOWN, 'A', 1});
  for (int i = 0; i < 10; ++i) engine->LoopStep();
  EXPECT_TRUE(game().elapsed.empty());
  EXPECT_EQ(game().keys.size(), 1u);
  EXPECT_EQ(engine->ColorToPixel(0x123456), 0u);
}

TEST_F(MessagesTest, TheGameIsNamedLoadedAndStarted) {
  ASSERT_TRUE(StartEngine());
  auto named = std::dynamic_pointer_cast<INamedObject>(engine->GetGame());
  ASSERT_TRUE(named);
  EXPECT_EQ(named->GetName(), "fixture");
  EXPECT_EQ(game().engine.get(), static_cast<IEngine*>(engine.get()));
  EXPECT_EQ(game().focusChanges, std::vector<bool>{});  // focus was set before the game existed
  BeginRun();
  EXPECT_EQ(engine->ColorToPixel(0x123456), 0x123456u);
}

TEST_F(MessagesTest, LoadTextFileDeciphersWithAKeyAndGivesNothingOnErrors) {
  ASSERT_TRUE(StartEngine());
  WriteFileAtomic((appDir / "data" / "plain.txt").string(), "plain text");
  WriteFileAtomic((appDir / "data" / "secret.txt").string(), EncipherToHex("k3y", "<a b=\"1\"/>"));
  EXPECT_EQ(engine->LoadTextFile("data\\plain.txt", ""), "plain text");
  EXPECT_EQ(engine->LoadTextFile("data\\secret.txt", "k3y"), "<a b=\"1\"/>");
  EXPECT_EQ(engine->LoadTextFile("data\\missing.txt", ""), "");
  EXPECT_EQ(engine->LoadTextFile("data\\missing.txt", "k3y"), "");
}

}  // namespace
}  // namespace kestrelle::enginetest
