#include "data/process_settings.h"

namespace kestrelle {
ProcessSettings& Settings() {
  static ProcessSettings settings;
  return settings;
}
}  // namespace kestrelle
