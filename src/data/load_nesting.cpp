#include "data/load_nesting.h"

#include <string>

#include "data/file_system.h"
#include "data/hier_storage.h"

namespace kestrelle {

namespace {
thread_local int t_loadNesting = 0;
}  // namespace

bool LoadNestingAllows(const StorageRef& element) {
  if (t_loadNesting < kMaxLoadNesting) return true;
  LogLine("storage: " + DescribeStorageElement(element) + ": objects nest deeper than " +
          std::to_string(kMaxLoadNesting) + " levels here; element skipped");
  return false;
}

TLoadNestingLevel::TLoadNestingLevel() { ++t_loadNesting; }
TLoadNestingLevel::~TLoadNestingLevel() { --t_loadNesting; }

}  // namespace kestrelle
