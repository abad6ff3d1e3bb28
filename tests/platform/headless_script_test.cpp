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

}  // namespace
}  // namespace kestrelle
