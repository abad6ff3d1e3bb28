#include "data/global_options.h"

#include "data/cipher.h"
#include "data/file_system.h"
#include "data/process_settings.h"
#include "data/user_files.h"

namespace kestrelle {

namespace {
constexpr const char* kRootName = "options";
}

void TGlobalOptions::Load() {
  if (document_) return;
  const std::string& fileName = Settings().OptionsFileName;
  std::string text = LoadUserTextFile(fileName);
  if (!text.empty()) {
    std::string plain = DecipherFromHex(Settings().OptionsKey, text);
    StorageRootRef loaded = CreateStorage(kRootName);
    StorageRef root = loaded && loaded->LoadFromString(plain) ? loaded->GetRoot() : nullptr;
    if (root && root->GetNodeName() == kRootName) {
      document_ = loaded;
      return;
    }
    damagedOnDisk_ = true;
    LogLine("options: " + fileName + " could not be read; starting with empty options");
  }
  document_ = CreateStorage(kRootName);
}

bool TGlobalOptions::Save() {
  std::string plain = document_->SaveToString();
  std::string text = EncipherToHex(Settings().OptionsKey, plain);
  const std::string& fileName = Settings().OptionsFileName;
  if (damagedOnDisk_) {
    PreserveDamagedFile(JoinPath(GetUserDataPath(), fileName));
    damagedOnDisk_ = false;
  }
  if (!SaveUserTextFile(text, fileName)) {
    LogLine("options: could not write " + fileName);
    return false;
  }
  return true;
}

bool TGlobalOptions::Get(const std::string& name, std::string& value) {
  std::lock_guard lock(mutex_);
  value.clear();
  try {
    Load();
    value = ReadString(document_->GetRoot(), name, "");
    return true;
  } catch (...) {
    return false;
  }
}

bool TGlobalOptions::Set(const std::string& name, const std::string& value) {
  std::lock_guard lock(mutex_);
  try {
    Load();
    if (!IsValidXmlName(name)) {
      LogLine("options: \"" + name + "\" cannot be an option name");
      return false;
    }
    WriteString(document_->GetRoot(), name, value);
    return Save();
  } catch (...) {
    return false;
  }
}

void TGlobalOptions::Unload() {
  std::lock_guard lock(mutex_);
  document_.reset();
  damagedOnDisk_ = false;
}

TGlobalOptions& GlobalOptions() {
  static TGlobalOptions options;
  return options;
}

bool GetGlobalOption(const std::string& name, std::string& value) { return GlobalOptions().Get(name, value); }
bool SetGlobalOption(const std::string& name, const std::string& value) { return GlobalOptions().Set(name, value); }

}  // namespace kestrelle
