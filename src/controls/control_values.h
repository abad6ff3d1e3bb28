#pragma once
// Small helpers shared by the controls: property names compare ignoring ASCII case; text that a
// text widget must show as it stands.

#include <string>

#include "data/text_encoding.h"
#include "media/language.h"

namespace kestrelle {

inline bool PropIs(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

// A text widget passes what it is given through the language table; text typed or stored by the
// player ("50%", a name between percent signs) gets every "%" doubled so that it comes back as
// it was. Without a table the widget takes the text unchanged, and so does this.
inline std::string LiteralText(const std::string& text) {
  if (!LanguageTable() || text.find('%') == std::string::npos) return text;
  std::string out;
  out.reserve(text.size() + 4);
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

}  // namespace kestrelle
