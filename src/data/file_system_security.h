#pragma once
// Gives everyone full access to the folders and files the program creates in the shared data
// folder. Only Windows has such access lists; elsewhere it keeps nothing and does nothing.

#include <set>
#include <string>

namespace kestrelle {

class TFileSystemSecurity {
public:
  // Treats each path once; a failing path is tried again on the next call.
  void ApplyEveryoneAccess(const std::string& path);
  bool WasTreated(const std::string& path) const { return treated_.count(path) != 0; }

private:
  std::set<std::string> treated_;
};

TFileSystemSecurity& FileSystemSecurity();
inline void ApplyEveryoneAccess(const std::string& path) { FileSystemSecurity().ApplyEveryoneAccess(path); }

}  // namespace kestrelle
