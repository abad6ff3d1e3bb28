#include "platform/sdl_input.h"

#include "data/text_encoding.h"

namespace kestrelle {

uint32_t VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint32_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint32_t>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<uint32_t>(key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_CLEAR:
      return VK_CLEAR;
    case SDLK_RETURN:
      return VK_RETURN;
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_LSHIFT:
      return VK_SHIFT;
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
      return VK_CONTROL;
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
      return VK_MENU;
    case SDLK_RALT:
      return VK_MENU;
    case SDLK_PAUSE:
      return VK_PAUSE;
    case SDLK_CAPSLOCK:
      return VK_CAPITAL;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_END:
      return VK_END;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_PRINTSCREEN:
      return VK_SNAPSHOT;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_LGUI:
      return VK_LWIN;
    case SDLK_RGUI:
      return VK_RWIN;
    case SDLK_APPLICATION:
      return VK_APPS;
    case SDLK_KP_0:
      return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDLK_KP_PLUS:
      return VK_ADD;
    case SDLK_KP_MINUS:
      return VK_SUBTRACT;
    case SDLK_KP_PERIOD:
      return VK_DECIMAL;
    case SDLK_KP_DIVIDE:
      return VK_DIVIDE;
    case SDLK_NUMLOCKCLEAR:
      return VK_NUMLOCK;
    case SDLK_SCROLLLOCK:
      return VK_SCROLL;
    case SDLK_SEMICOLON:
      return VK_OEM_1;
    case SDLK_EQUALS:
      return VK_OEM_PLUS;
    case SDLK_COMMA:
      return VK_OEM_COMMA;
    case SDLK_MINUS:
      return VK_OEM_MINUS;
    case SDLK_PERIOD:
      return VK_OEM_PERIOD;
    case SDLK_SLASH:
      return VK_OEM_2;
    case SDLK_BACKQUOTE:
      return VK_OEM_3;
    case SDLK_LEFTBRACKET:
      return VK_OEM_4;
    case SDLK_BACKSLASH:
      return VK_OEM_5;
    case SDLK_RIGHTBRACKET:
      return VK_OEM_6;
    case SDLK_QUOTE:
      return VK_OEM_7;
    default:
      return 0;
  }
}

namespace {

// Characters Windows makes from keys rather than from text: these arrive as WM_CHAR too.
int ControlCharacterOf(SDL_Keycode key) {
  switch (key) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return 13;
    case SDLK_ESCAPE:
      return 27;
    default:
      return -1;
  }
}

// Alt as a menu key: left Alt, or right Alt when it is not the AltGr of a keyboard layout.
bool IsMenuAlt(uint16_t mod) {
  if (mod & KMOD_CTRL) return false;
  if (mod & KMOD_LALT) return true;
  return (mod & KMOD_RALT) && !(mod & KMOD_MODE);
}

// The character a key press with Alt sends as a menu command; -1 for none.
int MenuCharacterOf(const SDL_Keysym& keysym) {
  if (keysym.sym == SDLK_RETURN || keysym.sym == SDLK_KP_ENTER) return '\r';
  if (keysym.sym >= 0x21 && keysym.sym <= 0x7E) {
    int c = keysym.sym;
    if ((keysym.mod & KMOD_SHIFT) && c >= 'a' && c <= 'z') c -= 'a' - 'A';
    return c;
  }
  return -1;
}

}  // namespace

intptr_t SdlInputTranslator::PointParam(int windowX, int windowY) const {
  int x = windowX;
  int y = windowY;
  if (mapper_) mapper_(windowX, windowY, x, y);
  return MakePointParam(x, y);
}

uintptr_t SdlInputTranslator::KeyFlags() const {
  uintptr_t flags = buttons_;
  if (modifiers_ & KMOD_SHIFT) flags |= MK_SHIFT;
  if (modifiers_ & KMOD_CTRL) flags |= MK_CONTROL;
  return flags;
}

void SdlInputTranslator::Translate(const SDL_Event& event, std::vector<Message>& out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, out);
      break;
    case SDL_TEXTINPUT:
      if (swallowText_) {
        swallowText_ = false;
        break;
      }
      TranslateText(event.text.text, out);
      break;
    case SDL_MOUSEMOTION:
      out.push_back(Message{WM_MOUSEMOVE, KeyFlags(), PointParam(event.motion.x, event.motion.y)});
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const SDL_MouseButtonEvent& b = event.button;
      uint32_t down = 0;
      uint32_t flag = 0;
      switch (b.button) {
        case SDL_BUTTON_LEFT:
          down = WM_LBUTTONDOWN, flag = MK_LBUTTON;
          break;
        case SDL_BUTTON_RIGHT:
          down = WM_RBUTTONDOWN, flag = MK_RBUTTON;
          break;
        case SDL_BUTTON_MIDDLE:
          down = WM_MBUTTONDOWN, flag = MK_MBUTTON;
          break;
        default:
          return;
      }
      uint32_t message;
      if (event.type == SDL_MOUSEBUTTONDOWN) {
        buttons_ |= flag;
        // Every second click of a series is a double click; the third starts a new pair.
        message = (b.clicks >= 2 && b.clicks % 2 == 0) ? down + 2 : down;
      } else {
        buttons_ &= ~flag;
        message = down + 1;
      }
      out.push_back(Message{message, KeyFlags(), PointParam(b.x, b.y)});
      break;
    }
    case SDL_MOUSEWHEEL: {
      int delta = event.wheel.y * 120;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
      uintptr_t w = (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | KeyFlags();
      int x = 0;
      int y = 0;
      SDL_GetMouseState(&x, &y);
      out.push_back(Message{WM_MOUSEWHEEL, w, PointParam(x, y)});
      break;
    }
    case SDL_WINDOWEVENT:
      TranslateWindow(event.window, out);
      break;
    case SDL_QUIT:
      // Only a request from outside (a signal, the session ending): the window's close button
      // arrives as a window event.
      out.push_back(Message{WM_CLOSE, 0, 0});
      break;
    default:
      break;
  }
}

void SdlInputTranslator::TranslateKey(const SDL_KeyboardEvent& key, std::vector<Message>& out) {
  modifiers_ = key.keysym.mod;
  swallowText_ = false;
  uint32_t vk = VirtualKeyFromSdl(key.keysym.sym);
  bool down = key.type == SDL_KEYDOWN;
  bool alt = IsMenuAlt(key.keysym.mod);
  intptr_t lParam = 1;  // repeat count
  if (key.repeat || !down) lParam |= intptr_t{1} << 30;
  if (!down) lParam |= static_cast<intptr_t>(uintptr_t{1} << 31);
  if (alt) lParam |= kAltContextBit;

  if (alt || vk == VK_MENU) {
    // With Alt down keys are system keys; a character key becomes a menu command.
    if (vk != 0) out.push_back(Message{down ? WM_SYSKEYDOWN : WM_SYSKEYUP, vk, lParam});
    if (down && alt) {
      int c = MenuCharacterOf(key.keysym);
      if (c >= 0) {
        out.push_back(Message{WM_SYSCOMMAND, SC_KEYMENU, c});
        swallowText_ = true;
      }
    }
    return;
  }
  if (vk != 0) out.push_back(Message{down ? WM_KEYDOWN : WM_KEYUP, vk, lParam});
  if (down && !(key.keysym.mod & KMOD_CTRL)) {
    int c = ControlCharacterOf(key.keysym.sym);
    if (c >= 0) out.push_back(Message{WM_CHAR, static_cast<uintptr_t>(c), lParam});
  }
}

void SdlInputTranslator::TranslateText(const char* text, std::vector<Message>& out) {
  std::string_view view(text);
  size_t pos = 0;
  while (pos < view.size()) {
    char32_t cp = DecodeUtf8(view, pos);
    int byte = CodePointToCp1252(cp);
    // Characters the code page has no byte for cannot be typed into the game.
    if (byte < 0x20 || byte == 0x7F) continue;
    out.push_back(Message{WM_CHAR, static_cast<uintptr_t>(byte), 1});
  }
}

void SdlInputTranslator::TranslateWindow(const SDL_WindowEvent& window, std::vector<Message>& out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.push_back(Message{WM_SETFOCUS, 0, 0});
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Buttons released outside the window will not be reported.
      buttons_ = 0;
      out.push_back(Message{WM_KILLFOCUS, 0, 0});
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      out.push_back(Message{WM_SYSCOMMAND, SC_MINIMIZE, 0});
      break;
    case SDL_WINDOWEVENT_RESTORED:
      out.push_back(Message{WM_SYSCOMMAND, SC_RESTORE, 0});
      break;
    case SDL_WINDOWEVENT_CLOSE:
      out.push_back(Message{WM_CLOSE, 0, 0});
      break;
    case SDL_WINDOWEVENT_ENTER:
      out.push_back(Message{WM_NCHITTEST, HTCLIENT, 0});
      break;
    case SDL_WINDOWEVENT_LEAVE:
      out.push_back(Message{WM_NCHITTEST, HTNOWHERE, 0});
      break;
    default:
      break;
  }
}

}  // namespace kestrelle
