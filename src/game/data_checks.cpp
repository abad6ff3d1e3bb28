#include "game/data_checks.h"

namespace kestrelle {

namespace {
std::vector<std::pair<std::string, DataCheck>>& Checks() {
  static std::vector<std::pair<std::string, DataCheck>> checks;
  return checks;
}
}  // namespace

void AddDataCheck(const std::string& name, DataCheck check) {
  for (auto& [existing, function] : Checks()) {
    if (existing == name) {
      function = std::move(check);
      return;
    }
  }
  Checks().emplace_back(name, std::move(check));
}

const std::vector<std::pair<std::string, DataCheck>>& DataChecks() { return Checks(); }

}  // namespace kestrelle
