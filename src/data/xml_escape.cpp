#include "data/xml_escape.h"

namespace kestrelle {

namespace {

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\'':
        out += attribute ? "&apos;" : "'";
        break;
      default:
        if (c < 0x20 && (attribute || (c != '\n' && c != '\t'))) {
          out += "&#";
          out += std::to_string(c);
          out += ';';
        } else {
          out += ch;
        }
    }
  }
}

std::string Escaped(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text, attribute);
  return out;
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text) { AppendEscaped(out, text, false); }
std::string EscapeXmlText(std::string_view text) { return Escaped(text, false); }
void AppendXmlAttribute(std::string& out, std::string_view text) { AppendEscaped(out, text, true); }
std::string EscapeXmlAttribute(std::string_view text) { return Escaped(text, true); }

}  // namespace kestrelle
