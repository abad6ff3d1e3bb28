#pragma once
// The largest blocks that data may make the program allocate, whatever it asks for: a request
// beyond them is refused with a log line instead of exhausting memory.

#include <cstdint>

namespace kestrelle {

// A file read whole (plain reads and the resource reader's loose files alike).
inline constexpr uint64_t kLargestReadableFile = uint64_t{1} << 30;

// The pixels of one picture: a drawing surface, or the picture a display device keeps.
inline constexpr uint64_t kLargestPictureBytes = INT32_MAX;

}  // namespace kestrelle
