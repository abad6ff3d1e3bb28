#include "widgets/widget_sounds.h"

namespace kestrelle {

// The sound data objects (sound, volume, pan, music muting) are not part of the program yet: a
// widget keeps no sounds and plays none until they are.

SoundCollectionRef LoadWidgetSounds(const StorageRef& storage) { return nullptr; }

void SaveWidgetSounds(const SoundCollectionRef& sounds, const StorageRef& storage) {}

AudioHandle PlayWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name,
                            bool useValues, int32_t pan, int32_t volume) {
  return 0;
}

void StopWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name) {}

}  // namespace kestrelle
