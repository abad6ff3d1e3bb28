#pragma once
// The players' profiles: one named profile per player, each an open set of named text values
// (the game's progress) and a free text, with one profile current. All live in "users.dat".

#include <memory>
#include <string>

#include "data/object.h"
#include "data/params.h"
#include "records/player_file.h"

namespace kestrelle {

class IUserProfile : public virtual INamedObject {
 public:
  virtual ParamsRef GetParams() = 0;
  virtual std::string GetDataStorage() const = 0;
  virtual void SetDataStorage(const std::string& text) = 0;
};
using UserProfileRef = std::shared_ptr<IUserProfile>;

class IUserProfileCollection : public virtual ICollection {
 public:
  // `key` holds an index or a name (names compare ignoring ASCII case).
  virtual UserProfileRef GetProfile(const Variant& key) const = 0;
  virtual UserProfileRef GetCurrent() const = 0;
  // The profile of that name becomes current; none when there is no such profile.
  virtual void SetCurrent(const std::string& name) = 0;
  // The profile of that name, created and added when there is none.
  virtual UserProfileRef GetOrCreate(const std::string& name) = 0;
  // Gives a profile a new name. Refused (false) for an empty name and for a name another
  // profile already has: two profiles under one name would merge into one when read back.
  virtual bool Rename(const std::string& oldName, const std::string& newName) = 0;
  // Reads the user-data folder's file; a missing or damaged file leaves no profiles.
  virtual void LoadFromFile() = 0;
  // Writes every profile; false when nothing was written.
  virtual bool SaveToFile() = 0;
};
using UserProfilesRef = std::shared_ptr<IUserProfileCollection>;

class TUserProfile : public TPersistObject, public virtual IUserProfile {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  ParamsRef GetParams() override { return params_; }
  std::string GetDataStorage() const override { return dataStorage_; }
  void SetDataStorage(const std::string& text) override { dataStorage_ = text; }

 private:
  ParamsRef params_;
  std::string dataStorage_;
};

class TUserProfileCollection : public TPersistItemCollection, public virtual IUserProfileCollection {
 public:
  void Initialize() override;
  InterfaceRef CreateItem(const StorageRef& storage) override;
  void AddItem(const InterfaceRef& item) override {}
  void LoadItems(const StorageRef& storage) override;
  void SaveItems(const StorageRef& storage) override;
  void Delete(const Variant& key) override;
  void Clear() override;

  UserProfileRef GetProfile(const Variant& key) const override;
  UserProfileRef GetCurrent() const override { return current_; }
  void SetCurrent(const std::string& name) override;
  UserProfileRef GetOrCreate(const std::string& name) override;
  bool Rename(const std::string& oldName, const std::string& newName) override;
  void LoadFromFile() override;
  bool SaveToFile() override;

 private:
  PlayerFileSpec FileSpec() const;

  UserProfileRef current_;
  PlayerFile file_;
};

}  // namespace kestrelle
