#include "game/map/execute_command.h"

#include "data/numbers.h"
#include "data/text_lists.h"

namespace kestrelle {

bool IsExecuteCommand(const std::string& next) { return next.rfind("execute_command", 0) == 0; }

int32_t ExecuteCommandCode(const std::string& next) {
  const size_t colon = next.find(':');
  const std::string number = colon == std::string::npos ? next : next.substr(colon + 1);
  int64_t code = 0;
  if (!ParseInt(number, code) || code < INT32_MIN || code > INT32_MAX) return kNoCommand;
  return static_cast<int32_t>(code);
}

ParamsRef CommandParams(const std::string& pairs) {
  if (pairs.empty()) return nullptr;
  ParamsRef params = CreateParams();
  for (auto [key, value] : SplitKeyValues(pairs)) {
    for (char& c : key)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (params->GetParam(Variant(key))) continue;
    params->SetValue(key, Variant(value));
  }
  return params;
}

}  // namespace kestrelle
