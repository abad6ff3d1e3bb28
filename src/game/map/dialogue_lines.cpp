#include "game/map/dialogue_lines.h"

namespace kestrelle {

std::optional<BubbleButtons> ButtonsForLine(const std::string& type, const std::string& nextLine) {
  if (type == "single") return BubbleButtons{false, false, !nextLine.empty(), nextLine.empty()};
  if (type == "dual") return BubbleButtons{true, true, false, false};
  return std::nullopt;
}

std::string FollowingLineKey(const std::string& button) {
  if (button == "button_next") return "next_line";
  if (button == "button_yes") return "next_line_yes";
  if (button == "button_no") return "next_line_no";
  return {};
}

}  // namespace kestrelle
