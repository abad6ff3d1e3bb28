#pragma once
// The "execute_command" ending of a scene: "execute_command:17" sends command 17, with the
// parameters of a pair list, to a control.

#include <cstdint>
#include <string>

#include "data/params.h"

namespace kestrelle {

inline constexpr int32_t kNoCommand = -1;

bool IsExecuteCommand(const std::string& next);
// The decimal number after the first ":" (the whole text without one); kNoCommand when it is no
// number.
int32_t ExecuteCommandCode(const std::string& next);
// One parameter per pair ("key=value" entries separated by "\"), keys in upper case, values as
// text; a key met again adds nothing. None for an empty list.
ParamsRef CommandParams(const std::string& pairs);

}  // namespace kestrelle
