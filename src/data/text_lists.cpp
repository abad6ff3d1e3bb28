#include "data/text_lists.h"

#include "data/text_encoding.h"

namespace kestrelle {

std::string_view TrimControl(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

size_t MatchingBracePos(std::string_view text, size_t pos) {
  int depth = 0;
  for (size_t i = pos; i < text.size(); ++i) {
    if (text[i] == '{') ++depth;
    else if (text[i] == '}') --depth;
    if (depth == 0) return i;
  }
  return 0;
}

std::vector<std::string> SplitTopLevel(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::string_view rest = TrimControl(text);
  while (!rest.empty()) {
    size_t sep = rest.find(separator);
    if (sep != std::string_view::npos) {
      size_t brace = rest.find('{');
      if (brace != std::string_view::npos && brace < sep) {
        size_t close = MatchingBracePos(rest, brace);
        if (close != 0) sep = rest.find(separator, close + 1);
      }
    }
    std::string_view piece = sep == std::string_view::npos ? rest : rest.substr(0, sep);
    if (!piece.empty()) pieces.emplace_back(piece);
    if (sep == std::string_view::npos) break;
    rest = rest.substr(sep + 1);
  }
  return pieces;
}

std::vector<KeyValue> SplitKeyValues(std::string_view text, char separator, char assign) {
  std::vector<KeyValue> pairs;
  for (const std::string& piece : SplitTopLevel(text, separator)) {
    size_t eq = piece.find(assign);
    if (eq == std::string::npos) continue;
    std::string_view key(piece.data(), eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
    std::string_view value(piece.data() + eq + 1, piece.size() - eq - 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    if (value.size() >= 2 && value.front() == '{' && value.back() == '}') value = value.substr(1, value.size() - 2);
    pairs.emplace_back(std::string(key), std::string(value));
  }
  return pairs;
}

bool FindKeyValue(std::string_view text, std::string_view key, std::string& value, char separator, char assign) {
  for (auto& [k, v] : SplitKeyValues(text, separator, assign)) {
    if (EqualsIgnoreAsciiCase(k, key)) {
      value = v;
      return true;
    }
  }
  value.clear();
  return false;
}

std::vector<std::string> SplitSemicolonList(std::string_view text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t semi = text.find(';', start);
    if (semi == std::string_view::npos) {
      items.emplace_back(text.substr(start));
      break;
    }
    items.emplace_back(text.substr(start, semi - start));
    start = semi + 1;
  }
  return items;
}

std::string JoinSemicolonList(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) {
    out += item;
    out += ';';
  }
  return out;
}

bool SemicolonListContains(std::string_view list, std::string_view entry) {
  std::string haystack = ";" + std::string(list);
  std::string needle = ";" + std::string(entry) + ";";
  return haystack.find(needle) != std::string::npos;
}

}  // namespace kestrelle
