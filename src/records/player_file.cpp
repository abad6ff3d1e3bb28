#include "records/player_file.h"

#include <exception>
#include <optional>

#include "data/cipher.h"
#include "data/data_files.h"
#include "data/file_system.h"
#include "data/os_files.h"
#include "data/user_files.h"

namespace kestrelle {

namespace {

struct Attempt {
  StorageRef root;
  std::string problem;  // empty when `root` is a usable document
};

Attempt Parse(const std::optional<std::string>& bytes, const PlayerFileSpec& fileSpec) {
  Attempt attempt;
  if (!bytes) {
    attempt.problem = "the file cannot be read";
    return attempt;
  }
  try {
    attempt.root = LoadStorageFromString(DecipherPlayerText(*bytes, fileSpec.key));
  } catch (const std::exception& e) {
    attempt.root = nullptr;
    attempt.problem = std::string("reading it failed: ") + e.what();
    return attempt;
  } catch (...) {
    attempt.root = nullptr;
    attempt.problem = "reading it failed";
    return attempt;
  }
  if (!attempt.root) {
    attempt.problem = "it is not a readable document (damaged, or enciphered with another key)";
  } else if (std::string name = attempt.root->GetNodeName(); name != fileSpec.rootName) {
    attempt.problem = "its root element is \"" + name + "\", not \"" + fileSpec.rootName + "\"";
    attempt.root = nullptr;
  }
  return attempt;
}

// Runs the object's loader; false (and the reason) when it failed part-way.
bool LoadInto(const StorageRef& root, const PlayerFile::Loader& load, std::string& problem) {
  try {
    load(root);
    return true;
  } catch (const std::exception& e) {
    problem = std::string("loading it failed part-way: ") + e.what();
  } catch (...) {
    problem = "loading it failed part-way";
  }
  return false;
}

}  // namespace

void KeepInPlayerFile(TPersistObject& object) {
  object.SetOutStorage("");
  object.SetTemplate(false);
}

void KeepInPlayerFile(const std::shared_ptr<IInterface>& collection) {
  if (auto persist = std::dynamic_pointer_cast<TPersistCollection>(collection)) persist->SetOutStorage("");
}

std::string DecipherPlayerText(const std::string& bytes, const std::string& key) { return DecipherFromHex(key, bytes); }

std::string EncipherPlayerText(const std::string& text, const std::string& key) { return EncipherToHex(key, text); }

PlayerFileSource PlayerFile::Load(const PlayerFileSpec& fileSpec, const Loader& load, const Resetter& reset,
                                  ProgramCopy programCopy) {
  damaged_ = false;
  damagedBackup_ = false;
  backupLoaded_ = false;
  try {
    const std::string& name = fileSpec.fileName;
    if (programCopy != ProgramCopy::Only) {
      std::string userPath = JoinPath(GetUserDataPath(), name);
      std::string backupPath = userPath + ".bak";
      bool userExists = FileExists(userPath);
      bool partial = false;  // the object holds part of a damaged file
      if (userExists) {
        Attempt user = Parse(ReadWholeFile(userPath), fileSpec);
        if (user.root) {
          if (LoadInto(user.root, load, user.problem)) return PlayerFileSource::User;
          partial = true;
        }
        damaged_ = true;
        LogLine(userPath + ": " + user.problem + "; the file is kept aside before it is next written");
      }
      if (FileExists(backupPath)) {
        Attempt backup = Parse(ReadWholeFile(backupPath), fileSpec);
        if (backup.root) {
          if (partial && reset) reset();
          if (LoadInto(backup.root, load, backup.problem)) {
            backupLoaded_ = true;
            LogLine(userPath + ": loaded the backup " + name + ".bak" +
                    (userExists ? " in place of the damaged file" : " because the file is missing"));
            return PlayerFileSource::Backup;
          }
          partial = true;
        }
        damagedBackup_ = true;
        LogLine(backupPath + ": " + backup.problem);
      }
      if (userExists) return partial ? PlayerFileSource::User : PlayerFileSource::None;
      if (partial) return PlayerFileSource::Backup;
      if (programCopy == ProgramCopy::Never) return PlayerFileSource::None;
    }
    std::string programPath = JoinPath(GetAppPath(), name);
    std::optional<std::string> programBytes = ReadDataFile(programPath);
    if (!programBytes) return PlayerFileSource::None;
    Attempt program = Parse(programBytes, fileSpec);
    if (program.root && LoadInto(program.root, load, program.problem)) return PlayerFileSource::Program;
    LogLine(programPath + ": " + program.problem);
    return program.root ? PlayerFileSource::Program : PlayerFileSource::None;
  } catch (...) {
    // Nothing about a player file may stop the game.
    return PlayerFileSource::None;
  }
}

bool PlayerFile::Save(const PlayerFileSpec& fileSpec, const Saver& save) {
  try {
    StorageRootRef document = CreateStorage(fileSpec.rootName);
    StorageRef root = document ? document->GetRoot() : nullptr;
    if (!root) {
      LogLine(fileSpec.fileName + ": no document could be made; nothing written");
      return false;
    }
    save(root);
    std::string bytes = EncipherPlayerText(document->SaveToString(), fileSpec.key);

    std::string userPath = JoinPath(GetUserDataPath(), fileSpec.fileName);
    std::string backupPath = userPath + ".bak";
    if (damaged_ && FileExists(userPath)) {
      if (PreserveDamagedFile(userPath).empty()) {
        LogLine(userPath + ": the damaged file could not be copied aside, so it is not overwritten");
        return false;
      }
      damaged_ = false;
      // With the damaged file kept aside, removing it stops the writer from turning it into the
      // backup in place of the clean one that was loaded.
      if (backupLoaded_) os::RemoveFile(userPath);
    }
    if (damagedBackup_ && FileExists(backupPath) && PreserveDamagedFile(backupPath).empty()) {
      LogLine(backupPath + ": the damaged backup could not be copied aside, so nothing is written");
      return false;
    }
    damaged_ = false;  // a damaged file that is gone needs no copy
    damagedBackup_ = false;
    if (!SaveUserTextFile(bytes, fileSpec.fileName)) {
      LogLine(userPath + ": could not be written; the previous file is left as it was");
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    LogLine(fileSpec.fileName + ": saving failed: " + e.what());
  } catch (...) {
    LogLine(fileSpec.fileName + ": saving failed");
  }
  return false;
}

}  // namespace kestrelle
