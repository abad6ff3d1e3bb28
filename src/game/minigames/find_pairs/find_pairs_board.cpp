#include "game/minigames/find_pairs/find_pairs_board.h"

#include <utility>

#include "data/random.h"

namespace kestrelle {
namespace {

std::vector<std::string> SplitNames(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    names.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return names;
    start = comma + 1;
  }
}

std::string NameAt(const std::vector<std::string>& names, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < names.size() ? names[static_cast<size_t>(index)] : std::string();
}

}  // namespace

std::vector<FindPairsElement> GenerateFindPairsRound(const FindPairsRound& round) {
  std::vector<FindPairsElement> elements;
  const int32_t places = round.places;
  const int32_t pairIndex = Random(places) + 1;
  std::vector<std::string> names;
  int32_t specific = 0;
  if (round.specificResource) {
    names = SplitNames(round.resourceName);
    specific = Random(static_cast<int32_t>(names.size()));
  }
  int32_t single = 1;
  int32_t listPosition = 0;
  for (int32_t i = 1; i <= places; ++i) {
    FindPairsElement element;
    if (i == pairIndex) {
      const int32_t copied = Random(places - 1) + 1;
      element.name = std::to_string(copied) + "_pair";
      element.resourceName =
          round.specificResource ? NameAt(names, specific) : round.resourceName + std::to_string(copied);
      element.idx = round.specificResource ? specific + 1 : copied;
    } else {
      element.name = std::to_string(single);
      element.idx = single;
      element.resourceName =
          round.specificResource ? NameAt(names, listPosition) : round.resourceName + std::to_string(single);
      ++single;
      ++listPosition;
    }
    const int32_t tilt = Random(round.angleRange);
    element.angle = Random(2) == 0 ? tilt : -tilt;
    if (static_cast<size_t>(i - 1) >= round.placeList.size()) continue;
    element.left = round.placeList[static_cast<size_t>(i - 1)].first;
    element.top = round.placeList[static_cast<size_t>(i - 1)].second;
    elements.push_back(std::move(element));
  }
  return elements;
}

void ReshuffleFindPairs(std::vector<FindPairsElement>& elements) {
  const auto count = static_cast<int32_t>(elements.size());
  for (size_t i = 0; i < elements.size(); ++i) {
    FindPairsElement& other = elements[static_cast<size_t>(Random(count))];
    std::swap(elements[i].left, other.left);
    std::swap(elements[i].top, other.top);
  }
}

void FindPairsBoard::Start(int32_t rounds) {
  round_ = 1;
  rounds_ = rounds;
  selected_.reset();
  elements_.clear();
}

void FindPairsBoard::SetElements(std::vector<FindPairsElement> elements) {
  elements_ = std::move(elements);
  selected_.reset();
}

FindPairsBoard::Outcome FindPairsBoard::Click(size_t index) {
  if (!selected_ || *selected_ >= elements_.size() || index >= elements_.size()) {
    selected_ = index;
    return Outcome::kSelected;
  }
  const size_t first = *selected_;
  selected_.reset();
  if (first == index) return Outcome::kDeselected;
  if (elements_[first].idx != elements_[index].idx) return Outcome::kWrongPair;
  // A definition without rounds ends at its first pair.
  if (round_ >= rounds_) return Outcome::kGameWon;
  ++round_;
  return Outcome::kRoundWon;
}

bool FindPairsBoard::ClickBeside() {
  const bool had = selected_.has_value();
  selected_.reset();
  return had;
}

}  // namespace kestrelle
