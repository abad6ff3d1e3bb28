#pragma once
// The rules of Stamp: pieces know where they lie in the finished picture and which pieces border
// them. A piece put down within 10 pixels of its place relative to a neighbour pulls that
// neighbour's group to it, and the two groups share one list of names ("links").

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrelle {

// The names of a links text ("a,b,"), empty pieces dropped, each name once, in order.
std::vector<std::string> LinkNames(const std::string& links);
// The same names joined, each followed by ",".
std::string NormalizeLinks(const std::string& links);

struct StampPiece {
  std::string name;
  double left = 0;  // the piece's anchor now
  double top = 0;
  double stampX = 0;  // its place in the finished picture
  double stampY = 0;
};

// Where neighbour `q` must slide so that it borders `p` as in the picture, when `p` lies closer
// than 10 pixels to its place relative to `q` (q's offset rounded, halves to even); none otherwise.
std::optional<std::pair<double, double>> StampJoinTarget(const StampPiece& p, const StampPiece& q);

// The links of every piece by name; after `moved` has slid to `carried`, every piece of either
// group holds the names of both.
void MergeStampLinks(std::map<std::string, std::string>& links, const std::string& carried, const std::string& moved);

// The picture is whole when some piece's group holds every piece present.
bool IsStampSolved(const std::map<std::string, std::string>& links);

}  // namespace kestrelle
