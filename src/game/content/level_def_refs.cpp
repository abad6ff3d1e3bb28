#include "game/content/level_def_refs.h"

#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"

namespace kestrelle {

void TLevelDef::Initialize() {
  TParamsPropertyObject::Initialize();
  storageName_ = "level";
}

void TLevelDef::CopyParams(const ParamsRef& source) {
  if (!source || !params_) return;
  for (int i = 0; i < source->GetCount(); ++i)
    if (ParamRef param = source->GetParam(i)) params_->SetValue(param->GetName(), param->GetValue());
}

const TPropertyTable& TLevelDefRef::GetPropertyTable() const {
  static const TPropertyTable table(
      TParamsPropertyObject::GetPropertyTable(),
      {
          Property("level", &TLevelDefRef::GetNumber, &TLevelDefRef::SetNumber).KeepWhenMissing(),
      });
  return table;
}

int64_t TLevelDefRef::GetNumber() const {
  int64_t number = 0;
  return ParseInt(name_, number) ? number : 0;
}

std::string TLevelDefRef::ParamText(const std::string& name) const {
  return params_ ? params_->GetValue(name, std::string()).ToString() : std::string();
}

LevelDefRef TLevelDefRef::LoadLevelDef() const {
  const std::string where = "level " + name_ + ": ";
  const std::string filename = GetFilename();
  if (filename.empty()) {
    LogLine(where + "no \"filename\" parameter names the level file");
    return nullptr;
  }
  StorageRef root = LoadStorageFromFile(filename);
  if (!root) {
    LogLine(where + "level file \"" + filename + "\" not found or not readable");
    return nullptr;
  }
  const std::string type = ReadString(root, "type", "KestrelleLevelDef");
  auto levelDef = std::dynamic_pointer_cast<ILevelDef>(CreateObjectFromString(type));
  if (!levelDef) {
    LogLine(where + "level file \"" + filename + "\" names \"" + type + "\", which is not a level definition class");
    return nullptr;
  }
  levelDef->LoadFromStorage(root);
  levelDef->CopyParams(params_);
  return levelDef;
}

std::shared_ptr<TLevelDefRef> TLevelDefRefCollection::FindByNumber(int64_t level) const {
  return GetItemByName(std::to_string(level));
}

LevelDefRef TLevelDefRefCollection::LoadLevelDef(int64_t level) const {
  std::shared_ptr<TLevelDefRef> ref = FindByNumber(level);
  return ref ? ref->LoadLevelDef() : nullptr;
}

std::string TLevelDefRefCollection::GetDisplayName(int64_t level) const {
  std::shared_ptr<TLevelDefRef> ref = FindByNumber(level);
  return ref ? ref->GetDisplayName() : std::string();
}

int64_t TLevelDefRefCollection::FindLevelByMinigame(const std::string& minigame) const {
  std::shared_ptr<TLevelDefRef> ref = FindByProperty("minigame", minigame);
  return ref ? ref->GetNumber() : -1;
}

}  // namespace kestrelle
