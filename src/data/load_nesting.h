#pragma once
// How deep loading objects from storage may nest. Every object loads its children from inside its
// own LoadFromStorage, so a data file nested deeply enough would use up the stack. Past the limit
// an element is skipped, as an element of an unknown class is, with a developer log line; the
// rest of the document loads on.

#include "data/object.h"

namespace kestrelle {

// Nested object loads; an object and each collection it loads count one each, so one level of a
// widget tree is two. The deepest demo screen nests 10 (game, screens, screen, window and three
// widget levels). A game whose screen nests the full 256, started and run for a few frames, needs
// about 310 KB of stack in a sanitizer (ASan, unoptimised) build and about 120 KB in an optimised
// one: well inside the 8 MB main-thread stack of Linux and the 1 MB of Windows.
inline constexpr int kMaxLoadNesting = 256;

// False, after a developer log line naming the element's file and path, when loading an object
// from `element` would nest deeper than kMaxLoadNesting: the caller skips the element.
bool LoadNestingAllows(const StorageRef& element);

// One nested object load while it lives.
class TLoadNestingLevel {
 public:
  TLoadNestingLevel();
  ~TLoadNestingLevel();
  TLoadNestingLevel(const TLoadNestingLevel&) = delete;
  TLoadNestingLevel& operator=(const TLoadNestingLevel&) = delete;
};

}  // namespace kestrelle
