// The headless runner's script: parsing, and the messages its commands make in virtual time.
#include "platform/headless_script.h"

#include <gtest/gtest.h>

namespace kestrelle {
namespace {

TEST(HeadlessScript, ParsesCommandsAndNamesTheBadLine) {
  std::vector<ScriptCommand> commands;
  std::string error;
  ASSERT_TRUE(
      ParseHeadlessScript("# comment\r\n\n"
                          "at 0 move 10 -20\n"
                          "at 5 key VK_RETURN\n"
                          "at 5 key 0x41\n"
                          "at 5 key esc\n"
                          "at 7 char Caf\xC3\xA9 au lait\n"
                          "at 8 alt enter\n"
                          "at 9 focus off\n"
                          "at 10 shot main-menu",
                          commands, error))
      << error;
  ASSERT_EQ(commands.size(), 8u);
  EXPECT_EQ(commands[0].kind, ScriptCommand::Move);
  EXPECT_EQ(commands[0].y, -20);
  EXPECT_EQ(commands[0].line, 3);
  EXPECT_EQ(commands[1].key, VK_RETURN);
  EXPECT_EQ(commands[2].key, 'A');
  EXPECT_EQ(commands[3].key, VK_ESCAPE);
  EXPECT_EQ(commands[4].text, "Caf\xC3\xA9 au lait");
  EXPECT_EQ(commands[5].key, '\r');
  EXPECT_FALSE(commands[6].on);
  EXPECT_EQ(commands[7].text, "main-menu");
  EXPECT_EQ(commands[7].at, 10u);

  const std::pair<const char*, const char*> bad[] = {
      {"at 1 move 1", "line 1: \"move\" needs X Y"},
      {"\nat x click 1 2", "line 2: bad time \"x\""},
      {"at -1 quit", "line 1: bad time \"-1\""},
      {"move 1 2", "line 1: expected \"at MS COMMAND\""},
      {"at 1 key NOPE", "line 1: \"key\" needs a virtual key"},
      {"at 1 focus maybe", "line 1: \"focus\" needs on or off"},
      {"at 1 quit now", "line 1: \"quit\" takes no arguments"},
      {"at 1 shot ../x", "line 1: a shot name cannot hold a path"},
      {"# ok\nat 1 fly", "line 2: unknown command \"fly\""},
  };
  for (const auto& [text, message] : bad) {
    EXPECT_FALSE(ParseHeadlessScript(text, commands, error)) << text;
    EXPECT_EQ(error, message);
  }
}

TEST(HeadlessScript, CommandsPostWindowMessagesAtTheirTime) {
  HeadlessDevices devices = MakeHeadlessDevices();
  std::vector<ScriptCommand> commands;
  std::string error;
  ASSERT_TRUE(
      ParseHeadlessScript("at 10 down 5 6\n"
                          "at 10 move 7 8\n"
                          "at 10 up 7 8\n"
                          "at 20 dblclick 1 2\n"
                          "at 30 key ESCAPE\n"
                          "at 30 char \xC3\xA9\xE2\x9C\x93!\n"
                          "at 30 alt f\n"
                          "at 40 minimize\n"
                          "at 40 shot s\n"
                          "at 40 quit\n",
                          commands, error));
  std::vector<std::string> shots;
  ScheduleHeadlessScript(commands, devices, [&](const std::string& name) { shots.push_back(name); });
  Message m;
  EXPECT_FALSE(devices.events->PollMessage(m)) << "nothing before its time";
  std::vector<Message> all;
  for (uint32_t t = 0; t < 50; t += 10) {
    devices.clock->Advance(t == 0 ? 0 : 10);
    while (devices.events->PollMessage(m)) all.push_back(m);
  }
  const intptr_t p1 = MakePointParam(1, 2);
  EXPECT_EQ(all, (std::vector<Message>{
                     {WM_MOUSEMOVE, 0, MakePointParam(5, 6)},
                     {WM_LBUTTONDOWN, MK_LBUTTON, MakePointParam(5, 6)},
                     {WM_MOUSEMOVE, MK_LBUTTON, MakePointParam(7, 8)},
                     {WM_MOUSEMOVE, MK_LBUTTON, MakePointParam(7, 8)},
                     {WM_LBUTTONUP, 0, MakePointParam(7, 8)},
                     {WM_MOUSEMOVE, 0, p1},
                     {WM_LBUTTONDOWN, MK_LBUTTON, p1},
                     {WM_LBUTTONUP, 0, p1},
                     {WM_LBUTTONDBLCLK, MK_LBUTTON, p1},
                     {WM_LBUTTONUP, 0, p1},
                     {WM_KEYDOWN, VK_ESCAPE, 1},
                     {WM_CHAR, VK_ESCAPE, 1},
                     {WM_KEYUP, VK_ESCAPE, static_cast<intptr_t>(0xC0000001u)},
                     {WM_CHAR, 0xE9, 1},  // the check mark has no byte in the code page
                     {WM_CHAR, '!', 1},
                     {WM_SYSCOMMAND, SC_KEYMENU, 'f'},
                     {WM_SYSCOMMAND, SC_MINIMIZE, 0},
                     {WM_QUIT, 0, 0},
                 }));
  EXPECT_EQ(shots, std::vector<std::string>{"s"});
  int x = 0;
  int y = 0;
  devices.video->GetCursorPos(x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
}

TEST(HeadlessScript, WaitingJumpsToTheNextActionAndEndsWhenNothingIsLeft) {
  HeadlessDevices devices = MakeHeadlessDevices();
  devices.events->ScheduleMessage(5000, Message{WM_SETFOCUS, 0, 0});
  devices.events->WaitMessage();
  EXPECT_EQ(devices.clock->Now(), 5000u);
  Message m;
  ASSERT_TRUE(devices.events->PollMessage(m));
  EXPECT_EQ(m.message, WM_SETFOCUS);
  devices.events->WaitMessage();  // nothing can come any more
  ASSERT_TRUE(devices.events->PollMessage(m));
  EXPECT_EQ(m.message, WM_QUIT);
}

TEST(HeadlessScript, ParsesWidgetCommands) {
  std::vector<ScriptCommand> commands;
  std::string error;
  ASSERT_TRUE(
      ParseHeadlessScript("at 1 clickw group/button_ok\n"
                          "at 2 waitw button_ok\n"
                          "at 3 waitw button_ok 250\n"
                          "at 4 expect label text_utf8 Two  words\n"
                          "at 5 expect label text_utf8",
                          commands, error))
      << error;
  ASSERT_EQ(commands.size(), 5u);
  EXPECT_EQ(commands[0].kind, ScriptCommand::ClickWidget);
  EXPECT_EQ(commands[0].path, "group/button_ok");
  EXPECT_EQ(commands[1].limitMs, kDefaultWaitLimitMs);
  EXPECT_EQ(commands[2].limitMs, 250u);
  EXPECT_EQ(commands[3].property, "text_utf8");
  EXPECT_EQ(commands[3].text, "Two  words");
  EXPECT_EQ(commands[4].text, "") << "an empty value expects empty text";

  const std::pair<const char*, const char*> bad[] = {
      {"at 1 clickw", "line 1: \"clickw\" needs a widget path"},
      {"at 1 clickw a b", "line 1: \"clickw\" needs a widget path"},
      {"at 1 waitw a soon", "line 1: \"waitw\" needs a widget path and may take a time limit in ms"},
      {"at 1 expect a", "line 1: \"expect\" needs a widget path, a property and a value"},
  };
  for (const auto& [text, message] : bad) {
    EXPECT_FALSE(ParseHeadlessScript(text, commands, error)) << text;
    EXPECT_EQ(error, message);
  }
}

TEST(HeadlessScript, ParsesShowWithItsParameters) {
  std::vector<ScriptCommand> commands;
  std::string error;
  ASSERT_TRUE(
      ParseHeadlessScript("at 1 show GS_GameMain level=2 replay=no shop_name=ShopGarden\n"
                          "at 2 show GS_MiniMenu\n"
                          "at 3 show GS_X tip= a=b=c",
                          commands, error))
      << error;
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].kind, ScriptCommand::ShowScreen);
  EXPECT_EQ(commands[0].path, "GS_GameMain");
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(commands[0].params, (Pairs{{"level", "2"}, {"replay", "no"}, {"shop_name", "ShopGarden"}}));
  EXPECT_TRUE(commands[1].params.empty());
  EXPECT_EQ(commands[2].params, (Pairs{{"tip", ""}, {"a", "b=c"}})) << "the first \"=\" splits";

  const std::pair<const char*, const char*> bad[] = {
      {"at 1 show", "line 1: \"show\" needs a screen name and may take KEY=VALUE pairs"},
      {"at 1 show GS_A level", "line 1: \"show\": \"level\" is not KEY=VALUE"},
      {"at 1 show GS_A =2", "line 1: \"show\": \"=2\" is not KEY=VALUE"},
  };
  for (const auto& [text, message] : bad) {
    EXPECT_FALSE(ParseHeadlessScript(text, commands, error)) << text;
    EXPECT_EQ(error, message);
  }
}

// A screen of two widgets: "panel" (visible) holding "button" (shown from `buttonAt` on), with
// the button's centre at (50, 60) and its "caption" property "OK".
class FakeWidgets : public ScriptWidgetProbe {
 public:
  FakeWidgets(std::shared_ptr<HeadlessClock> clock, uint32_t buttonAt)
      : clock_(std::move(clock)), buttonAt_(buttonAt) {}
  bool Exists(const std::string& path) override { return path == "panel" || path == "panel/button"; }
  bool IsShown(const std::string& path) override {
    return path == "panel" || (path == "panel/button" && clock_->Now() >= buttonAt_);
  }
  bool Centre(const std::string& path, int& x, int& y) override {
    x = 50;
    y = 60;
    return Exists(path);
  }
  bool Property(const std::string& path, const std::string& name, std::string& value, std::string& error) override {
    if (name != "caption") {
      error = "the widget has no such property";
      return false;
    }
    value = "OK";
    return true;
  }
  // Only "GS_Menu" opens; the parameters of each opening are kept.
  bool ShowScreen(const std::string& name, const std::vector<std::pair<std::string, std::string>>& params,
                  std::string& error) override {
    if (name != "GS_Menu") {
      error = "the game has no screen of that name";
      return false;
    }
    shown.push_back(params);
    return true;
  }
  std::vector<std::vector<std::pair<std::string, std::string>>> shown;

 private:
  std::shared_ptr<HeadlessClock> clock_;
  uint32_t buttonAt_;
};

struct WidgetScriptRun {
  std::vector<Message> messages;  // with the time each was taken
  std::vector<uint32_t> times;
  std::vector<std::string> failures;
  std::vector<std::string> printed;
  std::shared_ptr<FakeWidgets> widgets;
};

// Plays a script against FakeWidgets frame by frame (10 ms) until the quit message or 3 s.
WidgetScriptRun PlayWidgetScript(const std::string& script, uint32_t buttonAt) {
  HeadlessDevices devices = MakeHeadlessDevices();
  std::vector<ScriptCommand> commands;
  std::string error;
  EXPECT_TRUE(ParseHeadlessScript(script, commands, error)) << error;
  WidgetScriptRun run;
  ScriptHooks hooks;
  run.widgets = std::make_shared<FakeWidgets>(devices.clock, buttonAt);
  hooks.widgets = run.widgets;
  hooks.fail = [&run](const std::string& message) { run.failures.push_back(message); };
  hooks.print = [&run](const std::string& line) { run.printed.push_back(line); };
  ScheduleHeadlessScript(commands, devices, std::move(hooks));
  Message m;
  for (int frame = 0; frame < 300; ++frame) {
    while (devices.events->PollMessage(m)) {
      run.messages.push_back(m);
      run.times.push_back(devices.clock->Now());
      if (m.message == WM_QUIT) return run;
    }
    devices.clock->Advance(10);
  }
  return run;
}

TEST(HeadlessScript, WidgetCommandsFindWaitForAndCheckWidgets) {
  // The button appears at 730 ms: the wait begun at 100 ends then, and the later commands move
  // by the 630 ms waited.
  WidgetScriptRun run = PlayWidgetScript(
      "at 100 waitw panel/button 1000\n"
      "at 200 clickw panel/button\n"
      "at 300 expect panel/button caption OK\n"
      "at 350 show GS_Menu level=2\n"
      "at 400 quit",
      730);
  EXPECT_TRUE(run.failures.empty()) << run.failures.front();
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(run.widgets->shown, std::vector<Pairs>{(Pairs{{"level", "2"}})});
  const intptr_t centre = MakePointParam(50, 60);
  ASSERT_EQ(run.messages, (std::vector<Message>{{WM_MOUSEMOVE, 0, centre},
                                                {WM_LBUTTONDOWN, MK_LBUTTON, centre},
                                                {WM_LBUTTONUP, 0, centre},
                                                {WM_QUIT, 0, 0}}));
  EXPECT_EQ(run.times[0], 830u);
  EXPECT_EQ(run.times[3], 1030u);

  // Each check that does not hold names its line and ends the run at once.
  const std::pair<const char*, const char*> failing[] = {
      {"at 0 waitw panel/button 500\nat 900 quit",
       "line 1: waitw panel/button: after 500 ms the widget is not visible"},
      {"at 0 waitw panel/lid 50", "line 1: waitw panel/lid: after 50 ms the widget does not exist"},
      {"at 0 clickw panel/button", "line 1: clickw panel/button: the widget is not visible"},
      {"\nat 0 clickw nothing", "line 2: clickw nothing: no such widget on the top screen"},
      {"at 0 expect panel caption Cancel", "line 1: expect panel caption: expected \"Cancel\", found \"OK\""},
      {"at 0 expect panel colour red", "line 1: expect panel colour: the widget has no such property"},
      {"at 0 show GS_Nowhere", "line 1: show GS_Nowhere: the game has no screen of that name"},
  };
  for (const auto& [script, message] : failing) {
    WidgetScriptRun failed = PlayWidgetScript(script, 1000);
    ASSERT_EQ(failed.failures, std::vector<std::string>{message}) << script;
    ASSERT_FALSE(failed.messages.empty());
    EXPECT_EQ(failed.messages.back().message, WM_QUIT) << script;
    EXPECT_EQ(failed.messages.size(), 1u) << "nothing else is played after a failure: " << script;
  }
}

TEST(HeadlessScript, PrintWritesAPropertyAndNeverFails) {
  const WidgetScriptRun run = PlayWidgetScript(
      "at 0 print panel caption\nat 0 print panel colour\nat 0 print nowhere caption\nat 10 quit\n", 1000);
  EXPECT_TRUE(run.failures.empty());
  EXPECT_EQ(run.printed,
            (std::vector<std::string>{"print panel caption = OK", "print panel colour: the widget has no such property",
                                      "print nowhere caption: no such widget on the top screen"}));
  std::vector<ScriptCommand> commands;
  std::string error;
  EXPECT_FALSE(ParseHeadlessScript("at 0 print panel", commands, error));
  EXPECT_EQ(error, "line 1: \"print\" needs a widget path and a property");
}

TEST(HeadlessScript, ExpectSoundLooksBackOneSecondOfVirtualTime) {
  std::vector<ScriptCommand> commands;
  std::string error;
  for (const char* bad : {"at 1 expect-sound", "at 1 expect-sound snd_a snd_b"}) {
    EXPECT_FALSE(ParseHeadlessScript(bad, commands, error)) << bad;
    EXPECT_EQ(error, "line 1: \"expect-sound\" needs a sound or music resource name");
  }

  // "snd_click" started at 500 ms; "mus_menu" never did.
  struct Case {
    const char* script;
    const char* failure;  // none: it holds
  };
  const Case cases[] = {
      {"at 500 expect-sound snd_click", nullptr},
      {"at 1500 expect-sound SND_Click", nullptr},
      {"at 1510 expect-sound snd_click",
       "line 1: expect-sound snd_click: it last started at 500 ms, not within 1000 ms before 1510 ms"},
      {"at 600 expect-sound mus_menu", "line 1: expect-sound mus_menu: no sound or music of that name has started"},
  };
  for (const Case& c : cases) {
    HeadlessDevices devices = MakeHeadlessDevices();
    ASSERT_TRUE(ParseHeadlessScript(c.script, commands, error)) << error;
    std::vector<std::string> failures;
    ScriptHooks hooks;
    hooks.fail = [&failures](const std::string& message) { failures.push_back(message); };
    hooks.soundStarted = [](const std::string& name) -> std::optional<uint32_t> {
      if (name == "snd_click" || name == "SND_Click") return 500;
      return std::nullopt;
    };
    ScheduleHeadlessScript(commands, devices, std::move(hooks));
    Message m;
    bool quit = false;
    for (int frame = 0; frame < 200 && !quit; ++frame) {
      while (devices.events->PollMessage(m)) quit = quit || m.message == WM_QUIT;
      devices.clock->Advance(10);
    }
    if (c.failure)
      EXPECT_EQ(failures, std::vector<std::string>{c.failure}) << c.script;
    else
      EXPECT_TRUE(failures.empty()) << c.script << ": " << failures.front();
    EXPECT_EQ(quit, c.failure != nullptr) << "a failed check ends the run: " << c.script;
  }
}

}  // namespace
}  // namespace kestrelle
