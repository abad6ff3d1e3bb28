// Placeholder definitions of the storage routines until the XML storage lands.
// Every reader answers its default and every writer does nothing.
#include "data/hier_storage.h"

namespace kestrelle {
StorageRef LoadStorageFromFile(const std::string&) { return nullptr; }
StorageRef LoadStorageFromString(const std::string&) { return nullptr; }
StorageRootRef CreateStorage(const std::string&) { return nullptr; }
StorageRef OpenStorage(const std::string&) { return nullptr; }
bool SaveStorage(const StorageRef&, const std::string&) { return false; }
void ClearOuterStorageCache() {}
std::string ReadString(const StorageRef& s, const std::string& n, const std::string& f) {
  return s ? s->ReadValue(n, f).ToString() : f;
}
bool ReadBool(const StorageRef&, const std::string&, bool f) { return f; }
int64_t ReadInt(const StorageRef&, const std::string&, int64_t f) { return f; }
double ReadFloat(const StorageRef&, const std::string&, double f) { return f; }
uint32_t ReadHex(const StorageRef&, const std::string&, uint32_t f) { return f; }
int ReadEnum(const StorageRef&, const std::string&, const std::string&, int f) { return f; }
std::string ReadLocalizedText(const StorageRef&, const std::string&, const std::string& f) { return f; }
void WriteString(const StorageRef& s, const std::string& n, const std::string& v, bool w) {
  if (s && w) s->WriteValue(n, v);
}
void WriteBool(const StorageRef&, const std::string&, bool, bool) {}
void WriteInt(const StorageRef&, const std::string&, int64_t, bool) {}
void WriteFloat(const StorageRef&, const std::string&, double, bool) {}
void WriteHex(const StorageRef&, const std::string&, uint32_t, bool) {}
void WriteEnum(const StorageRef&, const std::string&, int, const std::string&, bool) {}
bool LoadChildObject(const InterfaceRef&, const StorageRef&, const std::string&, int) { return false; }
bool SaveChildObject(const InterfaceRef&, const StorageRef&, const std::string&) { return false; }
InterfaceRef CreateAndLoadChild(ObjectFactory, const StorageRef&, const std::string&, int) { return nullptr; }
InterfaceRef CreateObjectFromStorage(const StorageRef&) { return nullptr; }
InterfaceRef CreateChildObject(const StorageRef&, const std::string&, int) { return nullptr; }
void SaveObject(const InterfaceRef&, const StorageRef&) {}
void SetStorageTranslator(TextTranslator) {}
}  // namespace kestrelle
