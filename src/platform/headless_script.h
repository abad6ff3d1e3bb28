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
//
// Widget commands name a widget of the top screen by its path ("group/button_ok"), so that a
// script survives a change of layout. A check that does not hold fails the run at once.
//   clickw PATH                  a click at the centre of the widget (it must be shown)
//   waitw PATH [MS]              waits until the widget exists and it and its parents are
//                                visible, at most MS (default 5000); the later commands move
//                                by the time waited
//   expect PATH PROPERTY VALUE   the widget's property, as text, is VALUE (the rest of the line);
//                                PATH "setting:NAME" reads the game setting NAME ("count", "value")
//                                and "answer:SCREEN" the parameters of the answer SCREEN gave when
//                                it last closed
//
//   expect-sound NAME            a sound or music resource named NAME (any letter case) started
//                                within the last second of virtual time
//   print PATH PROPERTY          writes "print PATH PROPERTY = VALUE" to the runner's output (or
//                                why it cannot); never fails the run, for writing scripts
//
//   show SCREEN [KEY=VALUE ...]  opens the game screen SCREEN on top of the current one, with
//                                the pairs as its show parameters (text values; a value holds no
//                                blank and may be empty); fails when the game cannot open it (no
//                                such screen, or it is already open). A recording does not hold
//                                it: a replay of the run needs the same script.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
    Quit,
    ClickWidget,
    WaitWidget,
    Expect,
    ExpectSound,
    Print,
    ShowScreen
  };
  uint32_t at = 0;
  Kind kind = Move;
  int x = 0;
  int y = 0;
  uint32_t key = 0;  // Key: the virtual key; Alt: the character
  std::string text;  // Char: the text (UTF-8); Shot: the name; Expect: the value
  bool on = false;   // Focus
  int line = 0;
  std::string path;      // widget commands; ExpectSound: the resource name; ShowScreen: the screen
  std::string property;  // Expect, Print
  uint32_t limitMs = 0;  // WaitWidget
  std::vector<std::pair<std::string, std::string>> params;  // ShowScreen, in the order given
};

inline constexpr uint32_t kDefaultWaitLimitMs = 5000;

// What the widget commands ask of the program the script drives, about the top screen.
class ScriptWidgetProbe {
 public:
  virtual ~ScriptWidgetProbe() = default;
  virtual bool Exists(const std::string& path) = 0;
  // It exists and it and every widget above it, up to the screen's window, are visible.
  virtual bool IsShown(const std::string& path) = 0;
  // The centre of the widget in picture coordinates.
  virtual bool Centre(const std::string& path, int& x, int& y) = 0;
  // The property's value as text; false with `error` saying why when it cannot be read.
  virtual bool Property(const std::string& path, const std::string& name, std::string& value, std::string& error) = 0;
  // Opens a game screen on top of the current one with these show parameters; false with
  // `error` saying why when it cannot.
  virtual bool ShowScreen(const std::string& name, const std::vector<std::pair<std::string, std::string>>& params,
                          std::string& error) {
    error = "screens cannot be opened here";
    return false;
  }
};

// What a running script reports to and asks of its runner.
struct ScriptHooks {
  std::function<void(const std::string& name)> shot;
  std::shared_ptr<ScriptWidgetProbe> widgets;
  // A widget command did not hold ("line 7: expect ..."); the run is ended after it.
  std::function<void(const std::string& message)> fail;
  // The virtual time at which a sound or music resource of this name last started; none when it
  // never did. Without it every "expect-sound" fails.
  std::function<std::optional<uint32_t>(const std::string& name)> soundStarted;
  // Where "print" writes its line; without it the line is dropped.
  std::function<void(const std::string& line)> print;
};

// How far back "expect-sound" looks.
inline constexpr uint32_t kExpectSoundWindowMs = 1000;

// Parses a whole script. On an error returns false with `error` naming the line
// ("line 3: unknown command \"jump\"").
bool ParseHeadlessScript(std::string_view text, std::vector<ScriptCommand>& commands, std::string& error);

// A virtual key by number or name; false when unknown.
bool ParseVirtualKey(std::string_view text, uint32_t& key);

// Schedules the commands on the headless devices. `shot` is called with the name for "shot".
void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            std::function<void(const std::string& name)> shot);
void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            ScriptHooks hooks);

}  // namespace kestrelle
