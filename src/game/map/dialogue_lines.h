#pragma once
// The rules of a conversation line: which buttons its bubble shows, and which key of the line
// names the line that follows a button.

#include <optional>
#include <string>

namespace kestrelle {

struct BubbleButtons {
  bool yes = false;
  bool no = false;
  bool next = false;
  bool close = false;
  bool operator==(const BubbleButtons&) const = default;
};

// "single": next when a following line is named, else close; "dual": yes and no. Any other type
// leaves the buttons as they are (nullopt).
std::optional<BubbleButtons> ButtonsForLine(const std::string& type, const std::string& nextLine);

// The line key that names the line after a button: "next_line", "next_line_yes" or
// "next_line_no"; empty for any other button.
std::string FollowingLineKey(const std::string& button);

}  // namespace kestrelle
