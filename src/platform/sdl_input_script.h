#pragma once
// A scripted windowed run: a small text file of input that the SDL devices play into the real
// window through SDL's own event queue, frame by frame, so that a windowed run can be recorded
// and checked without a person at the keyboard.
//
//   # comment
//   wait FRAMES        let that many frames of the main loop pass
//   move X Y           the pointer to a point of the picture
//   down X Y / up X Y  the left button pressed or released there
//   click X Y          both
//   key NAME           a key pressed and released (an SDL key name: Escape, Return, Backspace)
//   char TEXT          text typed
//   shot NAME          a picture of the screen as last presented
//   quit               a picture named "last", then the end of the run
//
// Everything between two waits happens before the same frame.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/devices.h"

namespace kestrelle {

struct InputScriptStep {
  enum Kind { Wait, Move, Down, Up, Click, Key, Char, Shot, Quit };
  Kind kind = Wait;
  int x = 0;  // Move, Down, Up, Click; Wait: the number of frames
  int y = 0;
  std::string text;  // Key, Char, Shot
  int line = 0;
};

// Parses a whole input script; false with `error` naming the line.
bool ParseInputScript(std::string_view text, std::vector<InputScriptStep>& steps, std::string& error);

struct InputScriptHooks {
  // Told of a shot with the picture as last presented (0x00RRGGBB words).
  std::function<void(const std::string& name, const std::vector<uint32_t>& picture, int width, int height)> shot;
};

// The SDL devices of `devices` (made by CreateSdlDevices, possibly wrapped) with the script
// played into them: the events go into SDL's queue, so that they take the path of real input;
// the end of the script is a quit the program posts itself (not recorded).
void AddSdlInputScript(DeviceSet& devices, std::vector<InputScriptStep> steps, InputScriptHooks hooks);

}  // namespace kestrelle
