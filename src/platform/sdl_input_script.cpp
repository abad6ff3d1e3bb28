#include "platform/sdl_input_script.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <sstream>

#include "platform/sdl_devices.h"

namespace kestrelle {

bool ParseInputScript(std::string_view text, std::vector<InputScriptStep>& steps, std::string& error) {
  steps.clear();
  std::istringstream in{std::string(text)};
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::istringstream words(raw);
    std::string command;
    if (!(words >> command) || command[0] == '#') continue;
    InputScriptStep step;
    step.line = line;
    auto fail = [&](const std::string& what) {
      error = "line " + std::to_string(line) + ": " + what;
      return false;
    };
    static const struct {
      const char* name;
      InputScriptStep::Kind kind;
    } kPointed[] = {{"move", InputScriptStep::Move},
                    {"down", InputScriptStep::Down},
                    {"up", InputScriptStep::Up},
                    {"click", InputScriptStep::Click}};
    auto pointed =
        std::find_if(std::begin(kPointed), std::end(kPointed), [&](const auto& p) { return command == p.name; });
    if (pointed != std::end(kPointed)) {
      step.kind = pointed->kind;
      if (!(words >> step.x >> step.y)) return fail(command + " needs X and Y");
    } else if (command == "wait") {
      step.kind = InputScriptStep::Wait;
      if (!(words >> step.x) || step.x < 0) return fail("wait needs a number of frames");
    } else if (command == "key" || command == "shot") {
      step.kind = command == "key" ? InputScriptStep::Key : InputScriptStep::Shot;
      if (!(words >> step.text)) return fail(command + " needs a name");
    } else if (command == "char") {
      step.kind = InputScriptStep::Char;
      std::getline(words >> std::ws, step.text);
      if (step.text.empty() || step.text.size() >= sizeof(SDL_TextInputEvent{}.text))
        return fail("char needs a short text");
    } else if (command == "quit") {
      step.kind = InputScriptStep::Quit;
    } else {
      return fail("unknown command \"" + command + "\"");
    }
    std::string extra;
    if (step.kind != InputScriptStep::Char && (words >> extra)) return fail("too many words");
    steps.push_back(std::move(step));
  }
  return true;
}

namespace {

// Plays the script between the frames of the main loop: each time the queue runs dry (the loop is
// about to run a frame, or to wait), the steps up to the next wait are pushed into SDL's queue.
class ScriptedEventSource : public IEventSource {
 public:
  ScriptedEventSource(std::shared_ptr<IEventSource> inner, std::shared_ptr<SdlVideoDevice> video,
                      std::vector<InputScriptStep> steps, InputScriptHooks hooks)
      : inner_(std::move(inner)), video_(std::move(video)), steps_(std::move(steps)), hooks_(std::move(hooks)) {
    video_->KeepPicture(true);
  }

  bool PollMessage(Message& out) override {
    if (!posted_.empty()) {
      out = posted_.front();
      posted_.pop_front();
      return true;
    }
    if (quit_) {
      out = Message{WM_QUIT, 0, 0};
      return true;
    }
    if (inner_->PollMessage(out)) return true;
    if (!Step()) return PollMessage(out);
    return inner_->PollMessage(out);
  }
  void WaitMessage() override {
    if (!posted_.empty() || quit_) return;
    // Nothing to wait for while the script still has input to give.
    if (next_ < steps_.size()) {
      Step();
      return;
    }
    inner_->WaitMessage();
  }
  void Post(const Message& message) override { posted_.push_back(message); }

 private:
  // One frame of the script. False when it ended the run.
  bool Step() {
    // Nothing happens before the window shows a picture.
    if (video_->PresentCount() == 0) return true;
    if (waiting_ > 0) {
      --waiting_;
      return true;
    }
    while (next_ < steps_.size()) {
      const InputScriptStep& step = steps_[next_++];
      switch (step.kind) {
        case InputScriptStep::Wait:
          waiting_ = step.x > 0 ? step.x - 1 : 0;
          return true;
        case InputScriptStep::Move:
          Pointer(step.x, step.y);
          break;
        case InputScriptStep::Down:
        case InputScriptStep::Up:
          Pointer(step.x, step.y);
          Button(step.kind == InputScriptStep::Down);
          break;
        case InputScriptStep::Click:
          Pointer(step.x, step.y);
          Button(true);
          Button(false);
          break;
        case InputScriptStep::Key:
          KeyPress(step.text);
          break;
        case InputScriptStep::Char: {
          SDL_Event event{};
          event.type = SDL_TEXTINPUT;
          event.text.windowID = WindowId();
          std::strncpy(event.text.text, step.text.c_str(), sizeof event.text.text - 1);
          SDL_PushEvent(&event);
          break;
        }
        case InputScriptStep::Shot:
          Shot(step.text);
          break;
        case InputScriptStep::Quit:
          Shot("last");
          quit_ = true;
          return false;
      }
    }
    return true;
  }

  Uint32 WindowId() const { return video_->Window() ? SDL_GetWindowID(video_->Window()) : 0; }

  void Shot(const std::string& name) {
    if (hooks_.shot) hooks_.shot(name, video_->KeptPicture(), video_->KeptWidth(), video_->KeptHeight());
  }

  // The real pointer is moved (so that the SDL mouse state follows), and the motion is sent too.
  void Pointer(int pictureX, int pictureY) {
    video_->PictureToWindow(pictureX, pictureY, x_, y_);
    if (video_->Window()) {
      SDL_WarpMouseInWindow(video_->Window(), x_, y_);
      SDL_PumpEvents();
    }
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowId();
    event.motion.x = x_;
    event.motion.y = y_;
    event.motion.state = buttons_;
    SDL_PushEvent(&event);
  }

  void Button(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowId();
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x_;
    event.button.y = y_;
    buttons_ = down ? SDL_BUTTON_LMASK : 0;
    SDL_PushEvent(&event);
  }

  void KeyPress(const std::string& name) {
    SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
    for (bool down : {true, false}) {
      SDL_Event event{};
      event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.windowID = WindowId();
      event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.sym = key;
      event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
      SDL_PushEvent(&event);
    }
  }

  std::shared_ptr<IEventSource> inner_;
  std::shared_ptr<SdlVideoDevice> video_;
  std::vector<InputScriptStep> steps_;
  InputScriptHooks hooks_;
  size_t next_ = 0;
  int waiting_ = 0;
  int x_ = 0;
  int y_ = 0;
  Uint32 buttons_ = 0;
  bool quit_ = false;
  std::deque<Message> posted_;
};

}  // namespace

void AddSdlInputScript(DeviceSet& devices, std::vector<InputScriptStep> steps, InputScriptHooks hooks) {
  auto video = std::dynamic_pointer_cast<SdlVideoDevice>(devices.video);
  if (!video || !devices.events) return;
  devices.events = std::make_shared<ScriptedEventSource>(devices.events, video, std::move(steps), std::move(hooks));
}

}  // namespace kestrelle
