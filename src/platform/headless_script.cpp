#include "platform/headless_script.h"

#include <algorithm>
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
    } else if (command == "clickw") {
      c.kind = ScriptCommand::ClickWidget;
      if (argc != 1) return fail("\"clickw\" needs a widget path");
      c.path = std::string(words[3]);
    } else if (command == "waitw") {
      c.kind = ScriptCommand::WaitWidget;
      int64_t limit = kDefaultWaitLimitMs;
      if (argc < 1 || argc > 2 || (argc == 2 && (!ParseNumber(words[4], limit) || limit < 0 || limit > UINT32_MAX)))
        return fail("\"waitw\" needs a widget path and may take a time limit in ms");
      c.path = std::string(words[3]);
      c.limitMs = static_cast<uint32_t>(limit);
    } else if (command == "expect") {
      c.kind = ScriptCommand::Expect;
      if (argc < 2) return fail("\"expect\" needs a widget path, a property and a value");
      c.path = std::string(words[3]);
      c.property = std::string(words[4]);
      c.text = std::string(RestAfterWords(line, 5));
    } else if (command == "print") {
      c.kind = ScriptCommand::Print;
      if (argc != 2) return fail("\"print\" needs a widget path and a property");
      c.path = std::string(words[3]);
      c.property = std::string(words[4]);
    } else if (command == "expect-sound") {
      c.kind = ScriptCommand::ExpectSound;
      if (argc != 1) return fail("\"expect-sound\" needs a sound or music resource name");
      c.path = std::string(words[3]);
    } else if (command == "show") {
      c.kind = ScriptCommand::ShowScreen;
      if (argc < 1) return fail("\"show\" needs a screen name and may take KEY=VALUE pairs");
      c.path = std::string(words[3]);
      for (size_t i = 4; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        if (eq == std::string_view::npos || eq == 0)
          return fail("\"show\": \"" + std::string(words[i]) + "\" is not KEY=VALUE");
        c.params.emplace_back(std::string(words[i].substr(0, eq)), std::string(words[i].substr(eq + 1)));
      }
    } else {
      return fail("unknown command \"" + std::string(command) + "\"");
    }
    if (!ok) return false;
    commands.push_back(std::move(c));
    if (end == text.size()) break;
  }
  return true;
}

namespace {

// One run of a script: what its commands share while they are played.
struct ScriptRun {
  std::vector<ScriptCommand> commands;
  std::shared_ptr<HeadlessClock> clock;
  std::shared_ptr<HeadlessVideo> video;
  ScriptHooks hooks;
  // Buttons held down between commands, for the MK_* flags of later messages.
  uintptr_t buttons = 0;
  bool failed = false;
};

// How often a waiting command looks again: one frame of the engine.
constexpr uint32_t kWaitPollMs = 10;

void FailRun(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c, const std::string& message) {
  run.failed = true;
  if (run.hooks.fail) run.hooks.fail("line " + std::to_string(c.line) + ": " + message);
  events.PostQuit(0);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void PostPointer(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c, int x, int y) {
  auto post = [&](uint32_t message, uintptr_t flags) { events.Post(Message{message, flags, MakePointParam(x, y)}); };
  auto moveTo = [&] {
    run.video->SetPointer(x, y);
    post(WM_MOUSEMOVE, run.buttons);
  };
  switch (c.kind) {
    case ScriptCommand::Move:
      moveTo();
      break;
    case ScriptCommand::Down:
      moveTo();
      run.buttons |= MK_LBUTTON;
      post(WM_LBUTTONDOWN, run.buttons);
      break;
    case ScriptCommand::Up:
      moveTo();
      run.buttons &= ~MK_LBUTTON;
      post(WM_LBUTTONUP, run.buttons);
      break;
    case ScriptCommand::Click:
    case ScriptCommand::ClickWidget:
      moveTo();
      post(WM_LBUTTONDOWN, run.buttons | MK_LBUTTON);
      post(WM_LBUTTONUP, run.buttons & ~MK_LBUTTON);
      break;
    case ScriptCommand::RightClick:
      moveTo();
      post(WM_RBUTTONDOWN, run.buttons | MK_RBUTTON);
      post(WM_RBUTTONUP, run.buttons & ~MK_RBUTTON);
      break;
    case ScriptCommand::DoubleClick:
      moveTo();
      post(WM_LBUTTONDOWN, run.buttons | MK_LBUTTON);
      post(WM_LBUTTONUP, run.buttons & ~MK_LBUTTON);
      post(WM_LBUTTONDBLCLK, run.buttons | MK_LBUTTON);
      post(WM_LBUTTONUP, run.buttons & ~MK_LBUTTON);
      break;
    default:
      break;
  }
}

void ClickWidget(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c) {
  ScriptWidgetProbe* widgets = run.hooks.widgets.get();
  int x = 0;
  int y = 0;
  if (!widgets || !widgets->Exists(c.path))
    return FailRun(run, events, c, "clickw " + c.path + ": no such widget on the top screen");
  if (!widgets->IsShown(c.path)) return FailRun(run, events, c, "clickw " + c.path + ": the widget is not visible");
  if (!widgets->Centre(c.path, x, y)) return FailRun(run, events, c, "clickw " + c.path + ": the widget has no place");
  PostPointer(run, events, c, x, y);
}

void Expect(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c) {
  ScriptWidgetProbe* widgets = run.hooks.widgets.get();
  const std::string what = "expect " + c.path + " " + c.property;
  if (!widgets || !widgets->Exists(c.path)) return FailRun(run, events, c, what + ": no such widget on the top screen");
  std::string value;
  std::string error;
  if (!widgets->Property(c.path, c.property, value, error)) return FailRun(run, events, c, what + ": " + error);
  if (value != c.text) FailRun(run, events, c, what + ": expected " + Quoted(c.text) + ", found " + Quoted(value));
}

void Print(ScriptRun& run, const ScriptCommand& c) {
  ScriptWidgetProbe* widgets = run.hooks.widgets.get();
  std::string line = "print " + c.path + " " + c.property;
  std::string value;
  std::string error;
  if (!widgets || !widgets->Exists(c.path))
    line += ": no such widget on the top screen";
  else if (!widgets->Property(c.path, c.property, value, error))
    line += ": " + error;
  else
    line += " = " + value;
  if (run.hooks.print) run.hooks.print(line);
}

void ExpectSound(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c) {
  const uint32_t now = run.clock->Now();
  const std::optional<uint32_t> started = run.hooks.soundStarted ? run.hooks.soundStarted(c.path) : std::nullopt;
  if (!started)
    return FailRun(run, events, c, "expect-sound " + c.path + ": no sound or music of that name has started");
  if (*started > now || now - *started > kExpectSoundWindowMs)
    FailRun(run, events, c,
            "expect-sound " + c.path + ": it last started at " + std::to_string(*started) + " ms, not within " +
                std::to_string(kExpectSoundWindowMs) + " ms before " + std::to_string(now) + " ms");
}

void ShowScreen(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c) {
  ScriptWidgetProbe* widgets = run.hooks.widgets.get();
  std::string error = "screens cannot be opened here";
  if (!widgets || !widgets->ShowScreen(c.path, c.params, error))
    FailRun(run, events, c, "show " + c.path + ": " + error);
}

void Perform(ScriptRun& run, HeadlessEventSource& events, const ScriptCommand& c) {
  switch (c.kind) {
    case ScriptCommand::Key:
      events.Post(Message{WM_KEYDOWN, c.key, 1});
      if (c.key == VK_BACK || c.key == VK_TAB || c.key == VK_RETURN || c.key == VK_ESCAPE)
        events.Post(Message{WM_CHAR, c.key, 1});
      events.Post(Message{WM_KEYUP, c.key, static_cast<intptr_t>(0xC0000001u)});
      break;
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
      run.video->SetMinimized(false);
      events.Post(Message{WM_SYSCOMMAND, SC_RESTORE, 0});
      break;
    case ScriptCommand::Close:
      events.Post(Message{WM_CLOSE, 0, 0});
      break;
    case ScriptCommand::Shot:
      if (run.hooks.shot) run.hooks.shot(c.text);
      break;
    case ScriptCommand::Quit:
      events.PostQuit(0);
      break;
    case ScriptCommand::ClickWidget:
      ClickWidget(run, events, c);
      break;
    case ScriptCommand::Expect:
      Expect(run, events, c);
      break;
    case ScriptCommand::ExpectSound:
      ExpectSound(run, events, c);
      break;
    case ScriptCommand::ShowScreen:
      ShowScreen(run, events, c);
      break;
    case ScriptCommand::Print:
      Print(run, c);
      break;
    default:
      PostPointer(run, events, c, c.x, c.y);
      break;
  }
}

void ScheduleFrom(const std::shared_ptr<ScriptRun>& run, HeadlessEventSource& events, size_t first, uint64_t delay);

// The wait of command `index`, begun at `at`: looks once a frame until the widget is shown or the
// time limit has passed.
void PollWait(const std::shared_ptr<ScriptRun>& run, HeadlessEventSource& events, size_t index, uint64_t at,
              uint64_t delay) {
  if (run->failed) return;
  const ScriptCommand& wait = run->commands[index];
  const uint32_t now = run->clock->Now();
  ScriptWidgetProbe* widgets = run->hooks.widgets.get();
  if (widgets && widgets->IsShown(wait.path)) {
    ScheduleFrom(run, events, index + 1, delay + (now - at));
    return;
  }
  if (now >= at + wait.limitMs) {
    const char* why = widgets && widgets->Exists(wait.path) ? "is not visible" : "does not exist";
    FailRun(*run, events, wait,
            "waitw " + wait.path + ": after " + std::to_string(wait.limitMs) + " ms the widget " + why);
    return;
  }
  events.Schedule(now + kWaitPollMs,
                  [run, index, at, delay](HeadlessEventSource& source) { PollWait(run, source, index, at, delay); });
}

// Schedules the commands from `first` on, each `delay` ms after its own time, up to the first
// wait: the commands after a wait are scheduled when it ends, moved by the time it waited.
void ScheduleFrom(const std::shared_ptr<ScriptRun>& run, HeadlessEventSource& events, size_t first, uint64_t delay) {
  for (size_t i = first; i < run->commands.size(); ++i) {
    const ScriptCommand& c = run->commands[i];
    const uint64_t at = std::min<uint64_t>(c.at + delay, UINT32_MAX);
    if (c.kind != ScriptCommand::WaitWidget) {
      events.Schedule(static_cast<uint32_t>(at), [run, i](HeadlessEventSource& source) {
        if (!run->failed) Perform(*run, source, run->commands[i]);
      });
      continue;
    }
    events.Schedule(static_cast<uint32_t>(at),
                    [run, i, at, delay](HeadlessEventSource& source) { PollWait(run, source, i, at, delay); });
    return;
  }
}

}  // namespace

void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            ScriptHooks hooks) {
  auto run = std::make_shared<ScriptRun>();
  run->commands = commands;
  run->clock = devices.clock;
  run->video = devices.video;
  run->hooks = std::move(hooks);
  ScheduleFrom(run, *devices.events, 0, 0);
}

void ScheduleHeadlessScript(const std::vector<ScriptCommand>& commands, const HeadlessDevices& devices,
                            std::function<void(const std::string& name)> shot) {
  ScriptHooks hooks;
  hooks.shot = std::move(shot);
  ScheduleHeadlessScript(commands, devices, std::move(hooks));
}

}  // namespace kestrelle
