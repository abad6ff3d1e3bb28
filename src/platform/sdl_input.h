#pragma once
// SDL events to window message records. Kept apart from the window so that the mapping can be
// tested with made-up events.

#include <SDL.h>

#include <functional>
#include <vector>

#include "platform/messages.h"

namespace kestrelle {

// Virtual key code of an SDL key; 0 for keys without one.
uint32_t VirtualKeyFromSdl(SDL_Keycode key);

class SdlInputTranslator {
 public:
  // Maps a window position (SDL window coordinates) to picture coordinates.
  using PointMapper = std::function<void(int windowX, int windowY, int& pictureX, int& pictureY)>;

  void SetPointMapper(PointMapper mapper) { mapper_ = std::move(mapper); }

  // Appends the messages one event makes (often none, sometimes several).
  void Translate(const SDL_Event& event, std::vector<Message>& out);

 private:
  void TranslateKey(const SDL_KeyboardEvent& key, std::vector<Message>& out);
  void TranslateText(const char* text, std::vector<Message>& out);
  void TranslateWindow(const SDL_WindowEvent& window, std::vector<Message>& out);
  intptr_t PointParam(int windowX, int windowY) const;
  uintptr_t KeyFlags() const;

  PointMapper mapper_;
  uint32_t buttons_ = 0;  // MK_LBUTTON | MK_RBUTTON | MK_MBUTTON currently down
  uint16_t modifiers_ = 0;
  // A key with Alt became a menu character; the text event SDL sends for the same key press
  // must not arrive as a second, plain character.
  bool swallowText_ = false;
};

}  // namespace kestrelle
