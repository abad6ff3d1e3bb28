#pragma once
// Scripts of the headless runner: one command a line, "at MS COMMAND ARGS", MS being virtual
// milliseconds since the start. Lines starting with "#" and blank lines are skipped.
//
//   move X Y      pointer to X, Y (picture coordinates)
//   click X Y     left button down and up there;  rclick X Y  the same with the right button
//   dblclick X Y  a double click (down, up, double-click message, up)
//   down X Y      left button down there;  up X Y  left button up there
//   key VK        key down and up (a number, 0x.. hex, a name such as ESCAPE or VK_RETURN, or
//                 one letter or digit)
//   char TEXT     the rest of the line typed as characters
//   alt C         Alt with a character (C one character, or ENTER)
//   focus on|off  the window gains or loses the keyboard focus
//   minimize, restore, close
//   shot NAME     a picture of the screen
//   quit          ends the run at once (no close question)

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless_devices.h"

namespace kestrelle {

struct ScriptCommand {
  enum Kind {
    Move,
    Click,
    RightClick,
    DoubleClick,
    Down,
    Up,
    Key,
    Char,
    Alt,
    Focus,
    Minimize,
    Restore,
    Close,
    Shot,
    Quit
  };
  uint32_t at = 0;
  Kind kind = Move;
  int x = 0;
  int y = 0;
  uint32_t key = 0;  // Key: the virtual key; Alt: the character
  std::string text;  // Char: the text (UTF-8); Shot: the name
  bool on = false;   // Focus
  int line = 0;
};

// Parses a whole script. On an error returns false with `error` naming the line
// ("line 3: unknown command \"jump\"").
bool ParseHeadlessScript(std::string_view text, std::vector<ScriptCommand>& commands, std::string& error);

// A virtual key by number or name; false when unknown.
bool ParseVirtualKey(std::string_view text, uint32_t& key);

// Schedules the commands on the headless devices. `shot` is called with the name for "shot".
void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            std::function<void(const std::string& name)> shot);

}  // namespace kestrelle
