#pragma once
// The sounds a widget keeps under its element ("sounds") and plays through the engine. The
// sound data objects belong to the audio side; these are the widget's only contact with them.

#include <cstdint>
#include <string>

#include "app/widget_interfaces.h"
#include "data/hier_storage.h"

namespace kestrelle {

// The sound collection of the element's "sounds" child; none when there is none.
SoundCollectionRef LoadWidgetSounds(const StorageRef& storage);
void SaveWidgetSounds(const SoundCollectionRef& sounds, const StorageRef& storage);
// Plays the named sound of the collection (with `useValues`, at the given pan and volume for this
// one play); 0 when the collection has no such sound or there is no engine.
AudioHandle PlayWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name,
                            bool useValues, int32_t pan, int32_t volume);
void StopWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name);

}  // namespace kestrelle
