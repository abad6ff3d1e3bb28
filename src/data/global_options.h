#pragma once
// The persisted options record: one document with root "options" whose attributes are the
// options, kept enciphered (hexadecimal text) in the options file of the user-data folder.
// Loaded on first use and written back on every change.

#include <mutex>
#include <string>

#include "data/hier_storage.h"

namespace kestrelle {

class TGlobalOptions {
 public:
  // The value of an option ("" when it was never set); false when it cannot be read.
  bool Get(const std::string& name, std::string& value);
  // Sets an option and writes the record; false when the name is not usable as an option name
  // or the file could not be written (the value is kept in memory either way).
  bool Set(const std::string& name, const std::string& value);
  // Forgets the loaded record; the next use reads the file again.
  void Unload();

 private:
  void Load();
  bool Save();

  std::mutex mutex_;
  StorageRootRef document_;
  // The file existed but could not be read: it is copied aside before the first write replaces it.
  bool damagedOnDisk_ = false;
};

// The process's record.
TGlobalOptions& GlobalOptions();
bool GetGlobalOption(const std::string& name, std::string& value);
bool SetGlobalOption(const std::string& name, const std::string& value);

}  // namespace kestrelle
