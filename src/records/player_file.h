#pragma once
// Loading and saving one enciphered player file (profiles, level records, high scores) so that a
// player's progress is never lost:
// - a file that exists but cannot be read, deciphered or parsed, or whose loading fails part-way,
//   is copied aside (".damaged-<time>") before anything is written over it, and logged;
// - a clean ".bak" is loaded in its place when there is one;
// - every write goes through the atomic writer, so a failed write leaves the old file intact.

#include <functional>
#include <string>

#include "data/hier_storage.h"
#include "data/object.h"

namespace kestrelle {

struct PlayerFileSpec {
  std::string fileName;  // in the user-data folder, e.g. "users.dat"
  std::string key;       // the cipher key; empty keeps the file as plain XML text
  std::string rootName;  // the root element every good file has
};

enum class PlayerFileSource {
  None,     // nothing was loaded
  User,     // the user-data folder's file
  Backup,   // the user-data folder's ".bak" copy
  Program,  // the program folder's copy
};

enum class ProgramCopy {
  Never,     // only the user-data folder
  Fallback,  // the program folder's file when the user-data folder has none
  Only,      // only the program folder's file
};

class PlayerFile {
 public:
  using Loader = std::function<void(const StorageRef& root)>;
  using Saver = std::function<void(const StorageRef& root)>;
  using Resetter = std::function<void()>;

  // Loads the best readable copy into the object through `load`. `reset` empties the object
  // again when a load that failed part-way is replaced by the backup's.
  PlayerFileSource Load(const PlayerFileSpec& fileSpec, const Loader& load, const Resetter& reset,
                        ProgramCopy programCopy = ProgramCopy::Never);

  // Writes the document `save` fills into the user-data folder; false when nothing was written.
  // A damaged file found by Load is copied aside first; when that copy cannot be made, the file
  // is not overwritten.
  bool Save(const PlayerFileSpec& fileSpec, const Saver& save);

  // The last Load found the user file damaged and it has not been copied aside yet.
  bool HasUnsavedDamage() const { return damaged_; }

 private:
  bool damaged_ = false;        // the user file is damaged and not yet copied aside
  bool damagedBackup_ = false;  // so is its ".bak"
  bool backupLoaded_ = false;   // the ".bak" was loaded in its place
};

// A player file keeps every object in it: an "_outstorage" or "template" attribute read from a
// player file is dropped, or the next save would write the object into whatever file it names.
void KeepInPlayerFile(TPersistObject& object);
void KeepInPlayerFile(const std::shared_ptr<IInterface>& collection);

// The deciphered text of a player file's bytes (hex form), or the bytes when the key is empty.
std::string DecipherPlayerText(const std::string& bytes, const std::string& key);
// The bytes a player file holds for a document text.
std::string EncipherPlayerText(const std::string& text, const std::string& key);

}  // namespace kestrelle
