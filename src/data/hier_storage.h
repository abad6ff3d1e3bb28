#pragma once
// Hierarchical storage: one XML element with attributes (named string values), ordered named
// children and text. Values cross the interface as UTF-8 strings in Variants. Every data and
// player file is read and written through this interface.

#include <memory>
#include <string>
#include <string_view>

#include "data/object.h"
#include "data/variant.h"

namespace kestrelle {

class IHierStorage : public virtual IInterface {
 public:
  virtual std::string GetNodeName() = 0;
  virtual int GetValueCount() = 0;
  virtual std::string GetValueName(int index) = 0;
  virtual Variant ReadValueByIndex(int index, const Variant& fallback) = 0;
  // The attribute, else `fallback`. With an outer storage, a result equal to `fallback` (as text)
  // is asked of the outer storage instead; with no fallback given (an Empty variant) only an
  // absent attribute is, so an attribute present in this element always wins over the outer one.
  virtual Variant ReadValue(const std::string& name, const Variant& fallback) = 0;
  virtual void WriteValueByIndex(int index, const Variant& value) = 0;
  // Values are stored as valid UTF-8 (malformed bytes and NUL become U+FFFD); a name that is not
  // an XML name is refused (nothing written), so a saved document always reads back.
  virtual void WriteValue(const std::string& name, const Variant& value) = 0;
  virtual void DeleteValue(const std::string& name) = 0;
  // Null when `name` is not an XML name.
  virtual StorageRef AddChild(const std::string& name) = 0;
  virtual int GetChildCount(const std::string& name) = 0;
  virtual StorageRef GetChild(const std::string& name, int index) = 0;
  virtual StorageRef GetNodeByPath(const std::string& path) = 0;
  virtual Variant ReadText() = 0;
  virtual void WriteText(const Variant& value) = 0;
  virtual Variant ReadChildText(const std::string& name) = 0;
  virtual void WriteChildText(const std::string& name, const Variant& value) = 0;
  virtual void AppendCopy(const StorageRef& storage) = 0;
  virtual void RemoveChild(const StorageRef& storage) = 0;
  // The element as XML text. (Kept UTF-8 like every other string of the program.)
  virtual Variant GetXML() = 0;
  virtual Variant ReadContent() = 0;
  virtual void WriteContent(const Variant& value) = 0;
  virtual Variant ReadChildContent(const std::string& name) = 0;
  virtual void WriteChildContent(const std::string& name, const Variant& value) = 0;
  virtual StorageRef FindNode(const std::string& path, const std::string& listName) = 0;
};

class IHierStorageRoot : public virtual IInterface {
 public:
  virtual bool CreateNew(const std::string& rootName) = 0;
  virtual bool LoadFromFile(const std::string& fileName) = 0;
  virtual bool LoadFromString(const std::string& text) = 0;
  virtual bool LoadObject(const InterfaceRef& object) = 0;
  virtual bool SaveToFile(const std::string& fileName) = 0;
  virtual std::string SaveToString() = 0;
  virtual bool SaveObject(const InterfaceRef& object) = 0;
  virtual StorageRef GetRoot() = 0;
};
using StorageRootRef = std::shared_ptr<IHierStorageRoot>;

// Storage routines (file names go through the resource file system).
StorageRef LoadStorageFromFile(const std::string& fileName);
// `sourceName` names where the text came from (a file name) in developer log lines.
StorageRef LoadStorageFromString(const std::string& text, const std::string& sourceName = {});
StorageRootRef CreateStorage(const std::string& rootName);
// The outer storage a "file=...\cryptkey=..." storage description names (cached per file name), or null.
StorageRef OpenStorage(const std::string& storageSpec);
// The file a "file=...\\cryptkey=..." storage description names; empty without one.
std::string OuterStorageFile(const std::string& storageSpec);
// Writes a storage to the file a storage description names; false when nothing could be written.
bool SaveStorage(const StorageRef& storage, const std::string& storageSpec);
void ClearOuterStorageCache();
// Where an element is, for developer log lines: its document's source and its element path
// ("data/ini/game.ini: /game/gamescreens/gamescreen[name=GS_Main]/window").
std::string DescribeStorageElement(const StorageRef& storage);

// File bytes to the UTF-8 text the parser reads: a UTF-8 byte-order mark is skipped; a declaration
// naming another encoding is decoded by it (the windows-1252 family and unknown names by
// windows-1252); everything else is UTF-8. Malformed UTF-8 and NUL bytes become U+FFFD.
std::string DecodeDocumentBytes(std::string_view bytes);
// Element and attribute names the storage accepts: an XML name (letters, digits, ".-_:" and any
// non-ASCII character, not starting with a digit, "." or "-").
bool IsValidXmlName(std::string_view name);

// Typed accessors. Readers take a default, answered when the attribute is absent (here and in the
// outer storages) or is not of the reader's form; writers do nothing when `write` is false or the
// storage is null. Reals are written in the shortest form that reads back to the same double.
std::string ReadString(const StorageRef& storage, const std::string& name, const std::string& fallback = {});
bool ReadBool(const StorageRef& storage, const std::string& name, bool fallback);
int64_t ReadInt(const StorageRef& storage, const std::string& name, int64_t fallback);
double ReadFloat(const StorageRef& storage, const std::string& name, double fallback);
uint32_t ReadHex(const StorageRef& storage, const std::string& name, uint32_t fallback);
// Index of the value in the "/"-separated word list (case-sensitive, empty words kept).
int ReadEnum(const StorageRef& storage, const std::string& name, const std::string& words, int fallback);
// The string passed through the language table ("%key%" texts).
std::string ReadLocalizedText(const StorageRef& storage, const std::string& name, const std::string& fallback = {});

void WriteString(const StorageRef& storage, const std::string& name, const std::string& value, bool write = true);
void WriteBool(const StorageRef& storage, const std::string& name, bool value, bool write = true);
void WriteInt(const StorageRef& storage, const std::string& name, int64_t value, bool write = true);
void WriteFloat(const StorageRef& storage, const std::string& name, double value, bool write = true);
void WriteHex(const StorageRef& storage, const std::string& name, uint32_t value, bool write = true);
void WriteEnum(const StorageRef& storage, const std::string& name, int index, const std::string& words,
               bool write = true);

// Object routines.
bool LoadChildObject(const InterfaceRef& object, const StorageRef& storage, const std::string& name, int index);
bool SaveChildObject(const InterfaceRef& object, const StorageRef& storage, const std::string& name);
using ObjectFactory = std::shared_ptr<TAbstractObject> (*)();
InterfaceRef CreateAndLoadChild(ObjectFactory factory, const StorageRef& storage, const std::string& name, int index);
InterfaceRef CreateObjectFromStorage(const StorageRef& storage);
InterfaceRef CreateChildObject(const StorageRef& storage, const std::string& name, int index);
void SaveObject(const InterfaceRef& object, const StorageRef& storage);

// The language pass ReadLocalizedText applies; installed by the language table, identity until then.
using TextTranslator = std::string (*)(const std::string& text);
void SetStorageTranslator(TextTranslator translator);

}  // namespace kestrelle
