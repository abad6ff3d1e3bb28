#include "records/level_records.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "records/record_files.h"
#include "records/records_settings.h"

namespace kestrelle {

namespace rf = record_files;

void TLevelRecord::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kLevelRecordElement);
  params_ = CreateParams();
}

void TLevelRecord::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  KeepInPlayerFile(*this);
  LoadChildObject(params_, storage, std::string(rf::kParamsElement), 0);
  KeepInPlayerFile(params_);
}

void TLevelRecord::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(params_, storage, std::string(rf::kParamsElement));
}

void TLevelRecord::SetInt(const std::string& name, int64_t value) { params_->SetValue(name, std::to_string(value)); }

void TLevelRecord::SetString(const std::string& name, const std::string& value) { params_->SetValue(name, value); }

int64_t TLevelRecord::GetInt(const std::string& name, int64_t fallback, bool create) {
  ParamRef param = params_->GetParam(name);
  if (!param) {
    if (create) SetInt(name, fallback);
    return fallback;
  }
  Variant value = param->GetValue();
  if (value.IsInteger()) return value.ToInt();
  int64_t out = 0;
  return value.IsString() && ParseIntOrHex(value.ToString(), out) ? out : fallback;
}

std::string TLevelRecord::GetString(const std::string& name, const std::string& fallback, bool create) {
  ParamRef param = params_->GetParam(name);
  if (!param) {
    if (create) SetString(name, fallback);
    return fallback;
  }
  return param->GetValue().ToString();
}

int TLevelRecord::GetLevelNumber() const {
  int64_t number = 0;
  if (!ParseInt(name_, number) || number < INT32_MIN || number > INT32_MAX) return -1;
  return static_cast<int>(number);
}

void TLevelRecordCollection::Initialize() {
  TStaticCreationPersistItemCollection::Initialize();
  storageName_ = std::string(rf::kLevelRecordsElement);
  itemElementName_ = std::string(rf::kLevelRecordElement);
  itemClass_ = &MakeObject<TLevelRecord>;
}

void TLevelRecordCollection::LoadItems(const StorageRef& storage) {
  outStorage_.clear();
  isTemplate_ = false;
  TStaticCreationPersistItemCollection::LoadItems(storage);
}

void TLevelRecordCollection::AddItem(const InterfaceRef& item) {
  if (auto record = std::dynamic_pointer_cast<ILevelRecord>(item)) items_.Add(item, record->GetName());
}

void TLevelRecordTable::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kLevelRecordTableElement);
  records_ = Create<TLevelRecordCollection>();
}

void TLevelRecordTable::SetParam(const std::string& name, const std::string& value) {
  if (name == "name") name_ = value;
}

void TLevelRecordTable::LoadProperties(const StorageRef& storage) {
  // The declared name stays: the file's may differ in letter case only.
  std::string declared = name_;
  TPersistObject::LoadProperties(storage);
  name_ = declared;
  KeepInPlayerFile(*this);
  LoadChildObject(records_, storage, std::string(rf::kLevelRecordsElement), 0);
}

void TLevelRecordTable::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(records_, storage, std::string(rf::kLevelRecordsElement));
}

LevelRecordRef TLevelRecordTable::GetRecord(int level) const {
  return records_->ItemAs<ILevelRecord>(std::to_string(level));
}

LevelRecordRef TLevelRecordTable::GetOrCreateRecord(int level, const ParamsRef& values) {
  std::string name = std::to_string(level);
  LevelRecordRef record = records_->ItemAs<ILevelRecord>(name);
  if (!record) {
    auto created = Create<TLevelRecord>();
    created->SetName(name);
    records_->Items().Add(created, name);
    record = created;
  }
  if (values) {
    ParamsRef params = record->GetParams();
    for (int i = 0; i < values->GetCount(); ++i) {
      ParamRef value = values->GetParam(i);
      if (value && !value->GetName().empty()) params->SetValue(value->GetName(), value->GetValue());
    }
  }
  if (changed_) changed_();
  return record;
}

void TLevelRecordTableCollection::Initialize() {
  TPersistItemCollection::Initialize();
  storageName_ = std::string(rf::kLevelRecordTablesElement);
  itemElementName_ = std::string(rf::kLevelRecordTableElement);
}

void TLevelRecordTableCollection::LoadItems(const StorageRef& storage) {
  outStorage_.clear();
  isTemplate_ = false;
  TPersistItemCollection::LoadItems(storage);
}

InterfaceRef TLevelRecordTableCollection::CreateItem(const StorageRef& storage) {
  return GetTable(ReadString(storage, "name", ""));
}

bool TLevelRecordTableCollection::Declare(const std::shared_ptr<TLevelRecordTable>& table) {
  return table && items_.Add(table, table->GetName()) != nullptr;
}

void TLevelRecords::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kLevelRecordsRoot);
  tables_ = Create<TLevelRecordTableCollection>();
  attached_ = false;
}

void TLevelRecords::SetParam(const std::string& name, const std::string& value) {
  if (name != "level_record_table") return;
  auto table = Create<TLevelRecordTable>(value);
  if (!tables_->Declare(table)) return;
  std::weak_ptr<TLevelRecords> owner = SelfAs<TLevelRecords>();
  table->SetChangedHook([owner] {
    if (auto self = owner.lock()) self->TableChanged();
  });
}

void TLevelRecords::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  KeepInPlayerFile(*this);
  LoadChildObject(tables_, storage, std::string(rf::kLevelRecordTablesElement), 0);
}

void TLevelRecords::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  SaveChildObject(tables_, storage, std::string(rf::kLevelRecordTablesElement));
}

LevelRecordRef TLevelRecords::GetOrCreateRecord(const std::string& table, int level, const ParamsRef& values) {
  auto found = tables_->GetTable(table);
  return found ? found->GetOrCreateRecord(level, values) : nullptr;
}

PlayerFileSpec TLevelRecords::FileSpec() const {
  const RecordsSettings& settings = RecordSettings();
  return {settings.LevelRecordsFileName, settings.LevelRecordsKey, std::string(rf::kLevelRecordsRoot)};
}

void TLevelRecords::LoadFromFile() {
  auto self = SelfAs<TLevelRecords>();
  auto reset = [self] {
    for (const auto& entry : self->tables_->Items())
      if (auto table = std::dynamic_pointer_cast<TLevelRecordTable>(entry.item)) table->GetRecords()->Clear();
  };
  file_.Load(
      FileSpec(), [self](const StorageRef& root) { self->LoadFromStorage(root); }, reset, ProgramCopy::Fallback);
  attached_ = true;
}

bool TLevelRecords::SaveToFile() {
  auto self = SelfAs<TLevelRecords>();
  return file_.Save(FileSpec(), [self](const StorageRef& root) { self->SaveToStorage(root); });
}

void TLevelRecords::TableChanged() {
  // Nothing else saves level records, so every change is written at once; before the file has
  // been read, a write would replace the player's records with this one change.
  if (attached_) SaveToFile();
}

}  // namespace kestrelle
