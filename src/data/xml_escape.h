// Escaping text for XML written by hand: what the parser reads back is exactly the text given.
#pragma once

#include <string>
#include <string_view>

namespace kestrelle {

// Element text: "&", "<" and ">" as entities; control characters other than line feed and tab
// as character references (a raw carriage return would be read as a line break).
void AppendXmlText(std::string& out, std::string_view text);
std::string EscapeXmlText(std::string_view text);

// Attribute values in either kind of quotes: as element text, and also '"' and "'" as entities
// and line feeds and tabs as character references (the parser turns raw ones into spaces).
void AppendXmlAttribute(std::string& out, std::string_view text);
std::string EscapeXmlAttribute(std::string_view text);

}  // namespace kestrelle
