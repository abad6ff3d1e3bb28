#include "game/minigames/stamp/stamp_rules.h"

#include <algorithm>
#include <cmath>

#include "data/numbers.h"
#include "data/text_lists.h"

namespace kestrelle {

std::vector<std::string> LinkNames(const std::string& links) {
  std::vector<std::string> names;
  for (std::string& name : SplitTopLevel(links, ','))
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
  return names;
}

std::string NormalizeLinks(const std::string& links) {
  std::string joined;
  for (const std::string& name : LinkNames(links)) joined += name + ",";
  return joined;
}

std::optional<std::pair<double, double>> StampJoinTarget(const StampPiece& p, const StampPiece& q) {
  const auto offsetX = static_cast<double>(RoundHalfEven(q.left - q.stampX));
  const auto offsetY = static_cast<double>(RoundHalfEven(q.top - q.stampY));
  const double dx = p.stampX + offsetX - p.left;
  const double dy = p.stampY + offsetY - p.top;
  if (std::sqrt(dx * dx + dy * dy) >= 10) return std::nullopt;
  return std::pair{q.stampX + (p.left - p.stampX), q.stampY + (p.top - p.stampY)};
}

void MergeStampLinks(std::map<std::string, std::string>& links, const std::string& carried, const std::string& moved) {
  std::string& a = links[carried];
  std::string& b = links[moved];
  a = NormalizeLinks(a + b);
  b = NormalizeLinks(b + a);
  // Each side's group takes the union, so a chain joined piece by piece ends with one list.
  const auto spread = [&links](const std::string& self, const std::string& joined) {
    for (const std::string& name : LinkNames(links[self])) {
      if (name == self) continue;
      std::string& member = links[name];
      member = NormalizeLinks(member + joined);
    }
  };
  spread(carried, NormalizeLinks(links[carried] + links[moved]));
  spread(moved, NormalizeLinks(links[moved] + links[carried]));
}

bool IsStampSolved(const std::map<std::string, std::string>& links) {
  return std::any_of(links.begin(), links.end(),
                     [&links](const auto& entry) { return LinkNames(entry.second).size() == links.size(); });
}

}  // namespace kestrelle
