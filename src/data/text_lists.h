#pragma once
// The string routines of creation strings and pair-lists ("key=value\key={nested\pairs}"),
// and ";"-lists (each entry followed by ";").

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrelle {

using KeyValue = std::pair<std::string, std::string>;

// Position of the brace that closes the group opened at or after `pos`; 0 when it never closes.
size_t MatchingBracePos(std::string_view text, size_t pos);
std::vector<std::string> SplitTopLevel(std::string_view text, char separator = '\\');
std::vector<KeyValue> SplitKeyValues(std::string_view text, char separator = '\\', char assign = '=');
// First pair whose key equals `key` ignoring ASCII case.
bool FindKeyValue(std::string_view text, std::string_view key, std::string& value, char separator = '\\',
                  char assign = '=');

// ";"-lists: "a;b;c;" <-> {a, b, c}; an entry test looks for ";entry;" in ";" + list.
std::vector<std::string> SplitSemicolonList(std::string_view text);
std::string JoinSemicolonList(const std::vector<std::string>& items);
bool SemicolonListContains(std::string_view list, std::string_view entry);

// Trims blanks and control characters (bytes <= ' ') at both ends.
std::string_view TrimControl(std::string_view text);

}  // namespace kestrelle
