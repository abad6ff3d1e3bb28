#include "records/user_profiles.h"

#include "data/hier_storage.h"
#include "records/record_files.h"
#include "records/records_settings.h"

namespace kestrelle {

namespace rf = record_files;

void TUserProfile::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kUserProfileElement);
  params_ = CreateParams();
  dataStorage_.clear();
}

void TUserProfile::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  KeepInPlayerFile(*this);
  std::string params(rf::kParamsElement);
  if (storage->GetChildCount(params) > 0) LoadChildObject(params_, storage, params, 0);
  KeepInPlayerFile(params_);
  std::string data(rf::kDataStorageElement);
  if (storage->GetChildCount(data) > 0) dataStorage_ = storage->ReadChildText(data).ToString();
}

void TUserProfile::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(params_, storage, std::string(rf::kParamsElement));
  if (!dataStorage_.empty()) storage->WriteChildText(std::string(rf::kDataStorageElement), dataStorage_);
}

void TUserProfileCollection::Initialize() {
  TPersistItemCollection::Initialize();
  storageName_ = std::string(rf::kUsersRoot);
  itemElementName_ = std::string(rf::kUserProfileElement);
  current_.reset();
}

InterfaceRef TUserProfileCollection::CreateItem(const StorageRef& storage) {
  // Elements of one name (in any letter case) merge into one profile, the later values winning.
  return GetOrCreate(ReadString(storage, "name", ""));
}

void TUserProfileCollection::LoadItems(const StorageRef& storage) {
  outStorage_.clear();
  isTemplate_ = false;
  TPersistItemCollection::LoadItems(storage);
  // Only a name that is there picks a profile: with the attribute absent no profile is current,
  // even one whose name is empty.
  Variant current = storage->ReadValue(std::string(rf::kUsersCurrentAttribute), Variant());
  if (current.IsEmpty())
    current_.reset();
  else
    SetCurrent(current.ToString());
}

void TUserProfileCollection::SaveItems(const StorageRef& storage) {
  TPersistItemCollection::SaveItems(storage);
  if (current_) WriteString(storage, std::string(rf::kUsersCurrentAttribute), current_->GetName());
}

void TUserProfileCollection::Delete(const Variant& key) {
  TPersistItemCollection::Delete(key);
  if (current_) current_ = GetProfile(current_->GetName());
}

void TUserProfileCollection::Clear() {
  TPersistItemCollection::Clear();
  current_.reset();
}

UserProfileRef TUserProfileCollection::GetProfile(const Variant& key) const { return ItemAs<IUserProfile>(key); }

void TUserProfileCollection::SetCurrent(const std::string& name) { current_ = GetProfile(name); }

UserProfileRef TUserProfileCollection::GetOrCreate(const std::string& name) {
  if (UserProfileRef existing = GetProfile(name)) return existing;
  auto profile = Create<TUserProfile>();
  profile->SetName(name);
  items_.Add(profile, name);
  return profile;
}

bool TUserProfileCollection::Rename(const std::string& oldName, const std::string& newName) {
  int index = items_.IndexOf(oldName);
  if (index < 0 || newName.empty()) return false;
  int holder = items_.IndexOf(newName);
  if (holder >= 0 && holder != index) return false;
  InterfaceRef item = *items_.GetAt(index);
  auto profile = std::dynamic_pointer_cast<IUserProfile>(item);
  if (!profile) return false;
  // Re-key in place: the profile keeps its position in the list.
  items_.DeleteAt(index);
  items_.Add(item, newName, index);
  profile->SetName(newName);
  return true;
}

PlayerFileSpec TUserProfileCollection::FileSpec() const {
  const RecordsSettings& settings = RecordSettings();
  return {settings.UsersFileName, settings.UsersKey, std::string(rf::kUsersRoot)};
}

void TUserProfileCollection::LoadFromFile() {
  auto self = SelfAs<TUserProfileCollection>();
  file_.Load(
      FileSpec(), [self](const StorageRef& root) { self->LoadFromStorage(root); }, [self] { self->Clear(); });
}

bool TUserProfileCollection::SaveToFile() {
  auto self = SelfAs<TUserProfileCollection>();
  return file_.Save(FileSpec(), [self](const StorageRef& root) { self->SaveToStorage(root); });
}

}  // namespace kestrelle
