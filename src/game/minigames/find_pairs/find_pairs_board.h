#pragma once
// The rules of Find Pairs: each round scatters pictures that are all different except one that
// occurs twice; finding that pair ends the round, a wrong pair reshuffles the places. The control
// turns the elements into widgets and the outcomes into scenarios and sounds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrelle {

// One round of the minigame's definition.
struct FindPairsRound {
  int32_t places = 0;             // "places": pictures on the board
  bool specificResource = false;  // "specific_resource" = "yes": pictures named one by one
  std::string resourceName;       // "resourcename": a prefix, or the ","-separated names
  int32_t width = 0;              // "width", "height": the picture size
  int32_t height = 0;
  int32_t angleRange = 360;                          // "angle_range": tilts stay within ± (range − 1) degrees
  std::vector<std::pair<double, double>> placeList;  // "x", "y" of each place, used in order
};

// The parameters of one picture widget.
struct FindPairsElement {
  std::string name;  // "1", "2", … and k + "_pair" for the copy of picture k
  std::string resourceName;
  int32_t idx = 0;  // two elements are a pair exactly when their idx are equal
  int32_t angle = 0;
  double left = 0;
  double top = 0;
};

// Draws a round in a fixed order (the pair's position, the specific picture, then per place the
// copy's picture, the tilt and its sign), so a seed always gives the same board. Places beyond
// the place list stay off the board; a specific list too short leaves a picture without image.
std::vector<FindPairsElement> GenerateFindPairsRound(const FindPairsRound& round);

// New places after a wrong pair: for each element in order, its place is swapped with that of a
// random element. Every place stays used exactly once.
void ReshuffleFindPairs(std::vector<FindPairsElement>& elements);

class FindPairsBoard {
 public:
  enum class Outcome {
    kSelected,    // the first picture of a pair is chosen
    kDeselected,  // the chosen picture was clicked again
    kRoundWon,    // the pair is found and another round follows
    kGameWon,     // the pair of the last round is found
    kWrongPair,   // two different pictures: everything hides and is reshuffled
  };

  void Start(int32_t rounds);
  int32_t Round() const { return round_; }
  int32_t Rounds() const { return rounds_; }
  std::optional<size_t> Selected() const { return selected_; }
  // The elements of the current round, as generated.
  void SetElements(std::vector<FindPairsElement> elements);
  const std::vector<FindPairsElement>& Elements() const { return elements_; }
  std::vector<FindPairsElement>& Elements() { return elements_; }

  // A click on element `index`. A found pair moves to the next round (the caller sets it up).
  Outcome Click(size_t index);
  // A click beside every element: true when it cleared a selection.
  bool ClickBeside();

 private:
  int32_t round_ = 1;
  int32_t rounds_ = 0;
  std::optional<size_t> selected_;
  std::vector<FindPairsElement> elements_;
};

}  // namespace kestrelle
