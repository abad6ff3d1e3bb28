#include "app/sounds.h"

#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/numbers.h"

namespace kestrelle {
namespace {

// An integer property value; false when it does not convert.
bool ToInt32(const Variant& value, int32_t& out) {
  int64_t parsed = 0;
  if (value.IsInteger() || value.IsBool())
    parsed = value.ToInt();
  else if (value.IsReal())
    parsed = RealToInt(value.ToDouble());
  else if (!value.IsString() || !ParseIntOrHex(value.ToString(), parsed))
    return false;
  if (parsed < INT32_MIN || parsed > INT32_MAX) return false;
  out = static_cast<int32_t>(parsed);
  return true;
}

bool ToBoolWord(const Variant& value, bool& out) {
  if (value.IsBool() || value.IsInteger()) {
    out = value.ToBool();
    return true;
  }
  if (!value.IsString()) return false;
  const std::string text = value.ToString();
  if (text == "yes" || text == "true" || text == "1")
    out = true;
  else if (text == "no" || text == "false" || text == "0")
    out = false;
  else
    return false;
  return true;
}

}  // namespace

const TPropertyTable& TSound::GetPropertyTable() const {
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("resourcename", &TSound::resourceName_),
          Property("volume", &TSound::volume_, kDefaultVolume).Int32Only().SavedIfNotDefault(),
          Property("pan", &TSound::pan_, kKeepPan).Int32Only().SavedIfNotDefault(),
          Property("mutemusic", &TSound::muteMusic_).SavedIfNotDefault(),
      });
  return table;
}

void TSound::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "sound";
}

void TSound::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPropertyObject::AssignTo(dest);
  if (auto sound = std::dynamic_pointer_cast<TSound>(dest)) {
    sound->resourceName_ = resourceName_;
    sound->volume_ = volume_;
    sound->pan_ = pan_;
    sound->muteMusic_ = muteMusic_;
  }
}

void TSound::SetProperty(const std::string& name, const Variant& value) {
  if (name == "resourcename")
    resourceName_ = value.ToString();
  else if (name == "volume")
    ToInt32(value, volume_);
  else if (name == "pan")
    ToInt32(value, pan_);
  else if (name == "mutemusic")
    ToBoolWord(value, muteMusic_);
}

const TPropertyTable& TMusic::GetPropertyTable() const {
  static const TPropertyTable table(TPropertyObject::GetPropertyTable(),
                                    {
                                        Property("resourcename", &TMusic::resourceName_),
                                    });
  return table;
}

void TMusic::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "music";
}

void TMusic::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TPropertyObject::AssignTo(dest);
  if (auto music = std::dynamic_pointer_cast<TMusic>(dest)) music->resourceName_ = resourceName_;
}

void TSoundCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "sounds";
  itemElementName_ = "sound";
  itemClass_ = MakeObject<TSound>;
}

void TSoundCollection::AddItem(const InterfaceRef& item) {
  if (auto sound = std::dynamic_pointer_cast<ISound>(item)) items_.Add(sound, sound->GetName());
}

void TMusicCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = "musics";
  itemElementName_ = "music";
  itemClass_ = MakeObject<TMusic>;
}

void TMusicCollection::AddItem(const InterfaceRef& item) {
  if (auto music = std::dynamic_pointer_cast<IMusic>(item)) items_.Add(music, music->GetName());
}

void RegisterSoundClasses() {
  RegisterObjectClass<TSound>("Sound");
  RegisterObjectClass<TMusic>("Music");
}

}  // namespace kestrelle
