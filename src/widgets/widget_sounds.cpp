#include "widgets/widget_sounds.h"

#include "app/sounds.h"

namespace kestrelle {

SoundCollectionRef LoadWidgetSounds(const StorageRef& storage) {
  return std::dynamic_pointer_cast<ISoundCollection>(
      CreateAndLoadChild(MakeObject<TSoundCollection>, storage, "sounds", 0));
}

void SaveWidgetSounds(const SoundCollectionRef& sounds, const StorageRef& storage) {
  if (sounds) SaveChildObject(sounds, storage, "sounds");
}

AudioHandle PlayWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name,
                            bool useValues, int32_t pan, int32_t volume) {
  if (!engine || !sounds) return 0;
  std::shared_ptr<ISound> sound = sounds->Get(Variant(name));
  if (!sound) return 0;
  if (!useValues) return engine->PlaySound(sound);
  // This one play uses the given pan and volume; the sound keeps its own for the next.
  const int32_t oldPan = sound->GetPan();
  const int32_t oldVolume = sound->GetVolume();
  sound->SetPan(pan);
  sound->SetVolume(volume);
  AudioHandle channel = 0;
  try {
    channel = engine->PlaySound(sound);
  } catch (...) {
    sound->SetPan(oldPan);
    sound->SetVolume(oldVolume);
    throw;
  }
  sound->SetPan(oldPan);
  sound->SetVolume(oldVolume);
  return channel;
}

void StopWidgetSound(const EngineRef& engine, const SoundCollectionRef& sounds, const std::string& name) {
  if (!engine || !sounds) return;
  if (std::shared_ptr<ISound> sound = sounds->Get(Variant(name))) engine->StopSound(sound);
}

}  // namespace kestrelle
