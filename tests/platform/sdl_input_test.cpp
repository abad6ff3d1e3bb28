// SDL events to window message records, with made-up events (SDL itself is not started).
#include "platform/sdl_input.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kestrelle {
namespace {

SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod = 0, Uint8 repeat = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.mod = mod;
  e.key.repeat = repeat;
  return e;
}

SDL_Event Text(const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.clicks = clicks;
  return e;
}

SDL_Event Window(Uint8 event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = event;
  return e;
}

std::vector<Message> Translate(SdlInputTranslator& t, std::initializer_list<SDL_Event> events) {
  std::vector<Message> out;
  for (const SDL_Event& e : events) t.Translate(e, out);
  return out;
}

constexpr intptr_t kUp = static_cast<intptr_t>(0xC0000001u);

TEST(SdlInput, KeysMakeKeyMessagesAndTextMakesCharactersOfTheCodePage) {
  SdlInputTranslator t;
  // Letters by their upper-case code; repeat sets the previous-state bit.
  EXPECT_EQ(Translate(t, {Key(SDL_KEYDOWN, SDLK_a), Key(SDL_KEYDOWN, SDLK_a, 0, 1), Key(SDL_KEYUP, SDLK_a)}),
            (std::vector<Message>{{WM_KEYDOWN, 'A', 1}, {WM_KEYDOWN, 'A', 0x40000001}, {WM_KEYUP, 'A', kUp}}));
  // Backspace, Tab, Enter and Escape also arrive as characters.
  EXPECT_EQ(Translate(t, {Key(SDL_KEYDOWN, SDLK_BACKSPACE), Key(SDL_KEYDOWN, SDLK_KP_ENTER),
                          Key(SDL_KEYDOWN, SDLK_ESCAPE), Key(SDL_KEYDOWN, SDLK_LEFT)}),
            (std::vector<Message>{{WM_KEYDOWN, VK_BACK, 1},
                                  {WM_CHAR, 8, 1},
                                  {WM_KEYDOWN, VK_RETURN, 1},
                                  {WM_CHAR, 13, 1},
                                  {WM_KEYDOWN, VK_ESCAPE, 1},
                                  {WM_CHAR, 27, 1},
                                  {WM_KEYDOWN, VK_LEFT, 1}}));
  // "é€ж✓": windows-1252 has é and €; the others have no byte and are dropped.
  EXPECT_EQ(Translate(t, {Text("\xC3\xA9\xE2\x82\xAC\xD0\xB6\xE2\x9C\x93")}),
            (std::vector<Message>{{WM_CHAR, 0xE9, 1}, {WM_CHAR, 0x80, 1}}));
}

TEST(SdlInput, AltWithACharacterIsAMenuCommandAndItsTextIsNotTypedToo) {
  SdlInputTranslator t;
  const Uint16 alt = KMOD_LALT;
  std::vector<Message> out =
      Translate(t, {Key(SDL_KEYDOWN, SDLK_LALT, alt), Key(SDL_KEYDOWN, SDLK_f, alt), Text("f"),
                    Key(SDL_KEYDOWN, SDLK_RETURN, alt), Key(SDL_KEYUP, SDLK_LALT, 0), Text("g")});
  EXPECT_EQ(out, (std::vector<Message>{{WM_SYSKEYDOWN, VK_MENU, 1 | kAltContextBit},
                                       {WM_SYSKEYDOWN, 'F', 1 | kAltContextBit},
                                       {WM_SYSCOMMAND, SC_KEYMENU, 'f'},
                                       {WM_SYSKEYDOWN, VK_RETURN, 1 | kAltContextBit},
                                       {WM_SYSCOMMAND, SC_KEYMENU, '\r'},
                                       {WM_SYSKEYUP, VK_MENU, kUp},
                                       {WM_CHAR, 'g', 1}}));
  // AltGr of a keyboard layout types its character.
  out = Translate(t, {Key(SDL_KEYDOWN, SDLK_e, KMOD_RALT | KMOD_MODE), Text("\xE2\x82\xAC")});
  EXPECT_EQ(out, (std::vector<Message>{{WM_KEYDOWN, 'E', 1}, {WM_CHAR, 0x80, 1}}));
}

TEST(SdlInput, MouseButtonsCarryFlagsMappedPointsAndDoubleClicks) {
  SdlInputTranslator t;
  // The window shows the picture at twice its size, 10 pixels from the left.
  t.SetPointMapper([](int wx, int wy, int& px, int& py) {
    px = (wx - 10 >= 0) ? (wx - 10) / 2 : -((11 - wx) / 2);
    py = wy / 2;
  });
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.x = 0;  // left of the picture while dragging: negative
  move.motion.y = 40;
  std::vector<Message> out = Translate(
      t,
      {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 20), move, Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, 20),
       Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 20, 2), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 30, 20, 2),
       Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 30, 20, 3), Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 30, 20)});
  const intptr_t p = MakePointParam(10, 10);
  EXPECT_EQ(out, (std::vector<Message>{{WM_LBUTTONDOWN, MK_LBUTTON, p},
                                       {WM_MOUSEMOVE, MK_LBUTTON, MakePointParam(-5, 20)},
                                       {WM_LBUTTONUP, 0, p},
                                       {WM_LBUTTONDBLCLK, MK_LBUTTON, p},
                                       {WM_LBUTTONUP, 0, p},
                                       {WM_LBUTTONDOWN, MK_LBUTTON, p},  // a third click starts anew
                                       {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, p}}));
  EXPECT_EQ(PointParamX(out[1].lParam), -5);
}

TEST(SdlInput, WindowEventsBecomeFocusActivityAndCloseMessages) {
  SdlInputTranslator t;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  std::vector<Message> out = Translate(
      t, {Window(SDL_WINDOWEVENT_FOCUS_LOST), Window(SDL_WINDOWEVENT_MINIMIZED), Window(SDL_WINDOWEVENT_RESTORED),
          Window(SDL_WINDOWEVENT_FOCUS_GAINED), Window(SDL_WINDOWEVENT_LEAVE), Window(SDL_WINDOWEVENT_ENTER),
          Window(SDL_WINDOWEVENT_CLOSE), quit, Window(SDL_WINDOWEVENT_MOVED)});
  EXPECT_EQ(out, (std::vector<Message>{{WM_KILLFOCUS, 0, 0},
                                       {WM_SYSCOMMAND, SC_MINIMIZE, 0},
                                       {WM_SYSCOMMAND, SC_RESTORE, 0},
                                       {WM_SETFOCUS, 0, 0},
                                       {WM_NCHITTEST, HTNOWHERE, 0},
                                       {WM_NCHITTEST, HTCLIENT, 0},
                                       {WM_CLOSE, 0, 0},
                                       {WM_CLOSE, 0, 0}}));
}

}  // namespace
}  // namespace kestrelle
