#include "platform/headless_script.h"

#include <charconv>
#include <memory>

#include "data/text_encoding.h"

namespace kestrelle {

namespace {

struct KeyName {
  const char* name;
  uint32_t key;
};

constexpr KeyName kKeyNames[] = {
    {"BACK", VK_BACK},     {"BACKSPACE", VK_BACK},  {"TAB", VK_TAB},       {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN},
    {"SHIFT", VK_SHIFT},   {"CONTROL", VK_CONTROL}, {"CTRL", VK_CONTROL},  {"MENU", VK_MENU},     {"ALT", VK_MENU},
    {"PAUSE", VK_PAUSE},   {"ESCAPE", VK_ESCAPE},   {"ESC", VK_ESCAPE},    {"SPACE", VK_SPACE},   {"PRIOR", VK_PRIOR},
    {"PAGEUP", VK_PRIOR},  {"NEXT", VK_NEXT},       {"PAGEDOWN", VK_NEXT}, {"END", VK_END},       {"HOME", VK_HOME},
    {"LEFT", VK_LEFT},     {"UP", VK_UP},           {"RIGHT", VK_RIGHT},   {"DOWN", VK_DOWN},     {"INSERT", VK_INSERT},
    {"DELETE", VK_DELETE}, {"F1", VK_F1},           {"F2", VK_F1 + 1},     {"F3", VK_F1 + 2},     {"F4", VK_F1 + 3},
    {"F5", VK_F1 + 4},     {"F6", VK_F1 + 5},       {"F7", VK_F1 + 6},     {"F8", VK_F1 + 7},     {"F9", VK_F1 + 8},
    {"F10", VK_F1 + 9},    {"F11", VK_F1 + 10},     {"F12", VK_F12},
};

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool ParseNumber(std::string_view text, int64_t& value) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// The rest of the line after the first `count` words and the one blank after them.
std::string_view RestAfterWords(std::string_view line, int count) {
  size_t i = 0;
  for (int n = 0; n < count; ++n) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
  }
  if (i < line.size()) ++i;  // the one separating blank
  return line.substr(std::min(i, line.size()));
}

}  // namespace

bool ParseVirtualKey(std::string_view text, uint32_t& key) {
  if (text.empty()) return false;
  int64_t number = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    auto [end, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), number, 16);
    if (ec != std::errc() || end != text.data() + text.size() || number <= 0 || number > 0xFE) return false;
    key = static_cast<uint32_t>(number);
    return true;
  }
  if (text.size() > 1 && ParseNumber(text, number)) {
    if (number <= 0 || number > 0xFE) return false;
    key = static_cast<uint32_t>(number);
    return true;
  }
  if (text.size() == 1) {
    char c = text[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      key = static_cast<uint32_t>(c);
      return true;
    }
    return false;
  }
  std::string upper = AsciiUpper(text);
  std::string_view name = upper;
  if (name.substr(0, 3) == "VK_") name.remove_prefix(3);
  for (const KeyName& k : kKeyNames) {
    if (name == k.name) {
      key = k.key;
      return true;
    }
  }
  return false;
}

bool ParseHeadlessScript(std::string_view text, std::vector<ScriptCommand>& commands, std::string& error) {
  commands.clear();
  int lineNumber = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> words = SplitWords(line);
    if (words.empty() || words[0].front() == '#') {
      if (end == text.size()) break;
      continue;
    }
    auto fail = [&](const std::string& message) {
      error = "line " + std::to_string(lineNumber) + ": " + message;
      return false;
    };
    int64_t at = 0;
    if (words.size() < 3 || words[0] != "at") return fail("expected \"at MS COMMAND\"");
    if (!ParseNumber(words[1], at) || at < 0 || at > UINT32_MAX)
      return fail("bad time \"" + std::string(words[1]) + "\"");
    ScriptCommand c;
    c.at = static_cast<uint32_t>(at);
    c.line = lineNumber;
    std::string_view command = words[2];
    size_t argc = words.size() - 3;
    auto point = [&](ScriptCommand::Kind kind) {
      int64_t x = 0;
      int64_t y = 0;
      if (argc != 2 || !ParseNumber(words[3], x) || !ParseNumber(words[4], y) || x < -32768 || x > 32767 ||
          y < -32768 || y > 32767)
        return fail("\"" + std::string(command) + "\" needs X Y");
      c.kind = kind;
      c.x = static_cast<int>(x);
      c.y = static_cast<int>(y);
      return true;
    };
    auto bare = [&](ScriptCommand::Kind kind) {
      if (argc != 0) return fail("\"" + std::string(command) + "\" takes no arguments");
      c.kind = kind;
      return true;
    };
    bool ok = true;
    if (command == "move")
      ok = point(ScriptCommand::Move);
    else if (command == "click")
      ok = point(ScriptCommand::Click);
    else if (command == "rclick")
      ok = point(ScriptCommand::RightClick);
    else if (command == "dblclick")
      ok = point(ScriptCommand::DoubleClick);
    else if (command == "down")
      ok = point(ScriptCommand::Down);
    else if (command == "up")
      ok = point(ScriptCommand::Up);
    else if (command == "key") {
      c.kind = ScriptCommand::Key;
      if (argc != 1 || !ParseVirtualKey(words[3], c.key)) return fail("\"key\" needs a virtual key");
    } else if (command == "char") {
      c.kind = ScriptCommand::Char;
      c.text = std::string(RestAfterWords(line, 3));
      if (c.text.empty()) return fail("\"char\" needs text");
    } else if (command == "alt") {
      c.kind = ScriptCommand::Alt;
      if (argc != 1) return fail("\"alt\" needs one character");
      std::string_view a = words[3];
      if (a.size() == 1)
        c.key = static_cast<unsigned char>(a[0]);
      else if (EqualsIgnoreAsciiCase(a, "enter") || EqualsIgnoreAsciiCase(a, "return"))
        c.key = '\r';
      else
        return fail("\"alt\" needs one character");
    } else if (command == "focus") {
      c.kind = ScriptCommand::Focus;
      if (argc != 1 || (words[3] != "on" && words[3] != "off")) return fail("\"focus\" needs on or off");
      c.on = words[3] == "on";
    } else if (command == "minimize")
      ok = bare(ScriptCommand::Minimize);
    else if (command == "restore")
      ok = bare(ScriptCommand::Restore);
    else if (command == "close")
      ok = bare(ScriptCommand::Close);
    else if (command == "quit")
      ok = bare(ScriptCommand::Quit);
    else if (command == "shot") {
      c.kind = ScriptCommand::Shot;
      if (argc != 1) return fail("\"shot\" needs a name");
      c.text = std::string(words[3]);
      if (c.text.find_first_of("/\\") != std::string::npos || c.text == "." || c.text == "..")
        return fail("a shot name cannot hold a path");
    } else {
      return fail("unknown command \"" + std::string(command) + "\"");
    }
    if (!ok) return false;
    commands.push_back(std::move(c));
    if (end == text.size()) break;
  }
  return true;
}

void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            std::function<void(const std::string& name)> shot) {
  // Buttons held down between commands, for the MK_* flags of later messages.
  auto buttons = std::make_shared<uintptr_t>(0);
  std::shared_ptr<HeadlessVideo> video = devices.video;
  auto shotFunction = std::make_shared<std::function<void(const std::string&)>>(std::move(shot));
  for (const ScriptCommand& c : commands) {
    devices.events->Schedule(c.at, [c, buttons, video, shotFunction](HeadlessEventSource& events) {
      auto post = [&](uint32_t message, uintptr_t flags) {
        events.Post(Message{message, flags, MakePointParam(c.x, c.y)});
      };
      auto moveTo = [&] {
        video->SetPointer(c.x, c.y);
        post(WM_MOUSEMOVE, *buttons);
      };
      switch (c.kind) {
        case ScriptCommand::Move:
          moveTo();
          break;
        case ScriptCommand::Down:
          moveTo();
          *buttons |= MK_LBUTTON;
          post(WM_LBUTTONDOWN, *buttons);
          break;
        case ScriptCommand::Up:
          moveTo();
          *buttons &= ~MK_LBUTTON;
          post(WM_LBUTTONUP, *buttons);
          break;
        case ScriptCommand::Click:
          moveTo();
          post(WM_LBUTTONDOWN, *buttons | MK_LBUTTON);
          post(WM_LBUTTONUP, *buttons & ~MK_LBUTTON);
          break;
        case ScriptCommand::RightClick:
          moveTo();
          post(WM_RBUTTONDOWN, *buttons | MK_RBUTTON);
          post(WM_RBUTTONUP, *buttons & ~MK_RBUTTON);
          break;
        case ScriptCommand::DoubleClick:
          moveTo();
          post(WM_LBUTTONDOWN, *buttons | MK_LBUTTON);
          post(WM_LBUTTONUP, *buttons & ~MK_LBUTTON);
          post(WM_LBUTTONDBLCLK, *buttons | MK_LBUTTON);
          post(WM_LBUTTONUP, *buttons & ~MK_LBUTTON);
          break;
        case ScriptCommand::Key: {
          events.Post(Message{WM_KEYDOWN, c.key, 1});
          if (c.key == VK_BACK || c.key == VK_TAB || c.key == VK_RETURN || c.key == VK_ESCAPE)
            events.Post(Message{WM_CHAR, c.key, 1});
          events.Post(Message{WM_KEYUP, c.key, static_cast<intptr_t>(0xC0000001u)});
          break;
        }
        case ScriptCommand::Char: {
          size_t pos = 0;
          while (pos < c.text.size()) {
            int byte = CodePointToCp1252(DecodeUtf8(c.text, pos));
            if (byte >= 0x20 && byte != 0x7F) events.Post(Message{WM_CHAR, static_cast<uintptr_t>(byte), 1});
          }
          break;
        }
        case ScriptCommand::Alt:
          events.Post(Message{WM_SYSCOMMAND, SC_KEYMENU, static_cast<intptr_t>(c.key)});
          break;
        case ScriptCommand::Focus:
          events.Post(Message{c.on ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0});
          break;
        case ScriptCommand::Minimize:
          events.Post(Message{WM_SYSCOMMAND, SC_MINIMIZE, 0});
          break;
        case ScriptCommand::Restore:
          video->SetMinimized(false);
          events.Post(Message{WM_SYSCOMMAND, SC_RESTORE, 0});
          break;
        case ScriptCommand::Close:
          events.Post(Message{WM_CLOSE, 0, 0});
          break;
        case ScriptCommand::Shot:
          if (*shotFunction) (*shotFunction)(c.text);
          break;
        case ScriptCommand::Quit:
          events.PostQuit(0);
          break;
      }
    });
  }
}

}  // namespace kestrelle
