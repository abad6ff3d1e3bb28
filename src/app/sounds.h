#pragma once
// What screens and widgets play: small data objects naming a sound or music resource, with the
// volume, pan and music ducking of a sound effect. The engine plays them (IEngine::PlaySound,
// PlayMusic ...); screens and widgets keep them in lists by name.
//
//   <sounds><sound name="sound_show_window" resourcename="whoosh" volume="50" pan="-20"
//                  mutemusic="yes"/></sounds>
//   <musics><music name="music_background" resourcename="theme"/></musics>

#include <memory>
#include <string>

#include "data/object.h"

namespace kestrelle {

class ISound : public virtual IPropertyObject {
 public:
  virtual std::string GetResourceName() = 0;
  // 1..100 scales the resource's master volume; 0 or less plays it at the master volume.
  virtual int32_t GetVolume() = 0;
  virtual void SetVolume(int32_t volume) = 0;
  // -100 (left) .. 100 (right); -101 leaves the channel's pan as it is.
  virtual int32_t GetPan() = 0;
  virtual void SetPan(int32_t pan) = 0;
  // The music is faded out while this effect plays.
  virtual bool GetMuteMusic() = 0;
  virtual void SetMuteMusic(bool mute) = 0;
};

class IMusic : public virtual IPropertyObject {
 public:
  virtual std::string GetResourceName() = 0;
};

class ISoundCollection : public virtual ICollection {
 public:
  // By index (a number) or name (a string); none when absent.
  virtual std::shared_ptr<ISound> Get(const Variant& key) = 0;
  // Keyed by its name; a name already present adds nothing.
  virtual void Add(const std::shared_ptr<ISound>& sound) = 0;
};

class IMusicCollection : public virtual ICollection {
 public:
  virtual std::shared_ptr<IMusic> Get(const Variant& key) = 0;
  virtual void Add(const std::shared_ptr<IMusic>& music) = 0;
};

class TSound : public TPropertyObject, public virtual ISound {
 public:
  static constexpr int32_t kDefaultVolume = -1;
  static constexpr int32_t kKeepPan = -101;

  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;
  // "resourcename", "volume", "pan", "mutemusic" as sounds have always taken them (exact names,
  // decimal or hexadecimal integers, yes/no/true/false/1/0); a value that does not convert is
  // ignored.
  void SetProperty(const std::string& name, const Variant& value) override;

  std::string GetResourceName() override { return resourceName_; }
  void SetResourceName(const std::string& name) { resourceName_ = name; }
  int32_t GetVolume() override { return volume_; }
  void SetVolume(int32_t volume) override { volume_ = volume; }
  int32_t GetPan() override { return pan_; }
  void SetPan(int32_t pan) override { pan_ = pan; }
  bool GetMuteMusic() override { return muteMusic_; }
  void SetMuteMusic(bool mute) override { muteMusic_ = mute; }

 private:
  std::string resourceName_;
  int32_t volume_ = kDefaultVolume;
  int32_t pan_ = kKeepPan;
  bool muteMusic_ = false;
};

class TMusic : public TPropertyObject, public virtual IMusic {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;
  const TPropertyTable& GetPropertyTable() const override;

  std::string GetResourceName() override { return resourceName_; }
  void SetResourceName(const std::string& name) { resourceName_ = name; }

 private:
  std::string resourceName_;
};

// "sounds" of "sound" elements.
class TSoundCollection : public TStaticCreationPersistItemCollection, public virtual ISoundCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  std::shared_ptr<ISound> Get(const Variant& key) override { return ItemAs<ISound>(key); }
  void Add(const std::shared_ptr<ISound>& sound) override { AddItem(sound); }
};

// "musics" of "music" elements.
class TMusicCollection : public TStaticCreationPersistItemCollection, public virtual IMusicCollection {
 public:
  void Initialize() override;
  void AddItem(const InterfaceRef& item) override;
  std::shared_ptr<IMusic> Get(const Variant& key) override { return ItemAs<IMusic>(key); }
  void Add(const std::shared_ptr<IMusic>& music) override { AddItem(music); }
};

// "Sound" and "Music".
void RegisterSoundClasses();

}  // namespace kestrelle
