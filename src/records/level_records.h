#pragma once
// Per-level results (any named values) in named tables, one record per level number, kept in
// "records.dat". Tables exist only when declared by the creation parameters
// ("\level_record_table={name=a}\level_record_table={name=b}"); a file fills declared tables only.

#include <functional>
#include <memory>
#include <string>

#include "data/object.h"
#include "data/params.h"
#include "records/player_file.h"

namespace kestrelle {

class ILevelRecord : public virtual INamedObject {
 public:
  virtual void SetInt(const std::string& name, int64_t value) = 0;
  virtual void SetString(const std::string& name, const std::string& value) = 0;
  // The value as an integer; `fallback` when it is not one. A missing value gives `fallback`
  // and, with `create`, is added holding it.
  virtual int64_t GetInt(const std::string& name, int64_t fallback, bool create) = 0;
  virtual std::string GetString(const std::string& name, const std::string& fallback, bool create) = 0;
  // The name as a level number; -1 when it is not one.
  virtual int GetLevelNumber() const = 0;
  virtual ParamsRef GetParams() = 0;
};
using LevelRecordRef = std::shared_ptr<ILevelRecord>;

class ILevelRecordTable : public virtual INamedObject {
 public:
  virtual LevelRecordRef GetRecord(int level) const = 0;
  // The record of that level, added when missing; then every value of `values` with a name is
  // copied into it.
  virtual LevelRecordRef GetOrCreateRecord(int level, const ParamsRef& values) = 0;
};
using LevelRecordTableRef = std::shared_ptr<ILevelRecordTable>;

class TLevelRecordTableCollection;

class ILevelRecords : public virtual IInterface {
 public:
  virtual std::shared_ptr<TLevelRecordTableCollection> GetTables() = 0;
  // Nothing (null) when no table of that name is declared.
  virtual LevelRecordRef GetOrCreateRecord(const std::string& table, int level, const ParamsRef& values) = 0;
  // The user-data folder's file, else the program folder's.
  virtual void LoadFromFile() = 0;
  virtual bool SaveToFile() = 0;
};
using LevelRecordsRef = std::shared_ptr<ILevelRecords>;

class TLevelRecord : public TPersistObject, public virtual ILevelRecord {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  void SetInt(const std::string& name, int64_t value) override;
  void SetString(const std::string& name, const std::string& value) override;
  int64_t GetInt(const std::string& name, int64_t fallback, bool create) override;
  std::string GetString(const std::string& name, const std::string& fallback, bool create) override;
  int GetLevelNumber() const override;
  ParamsRef GetParams() override { return params_; }

 private:
  ParamsRef params_;
};

class TLevelRecordCollection : public TStaticCreationPersistItemCollection {
 public:
  void Initialize() override;
  void LoadItems(const StorageRef& storage) override;
  // Keyed by the record's name; a second record of a level is not added.
  void AddItem(const InterfaceRef& item) override;
};

class TLevelRecordTable : public TPersistObject, public virtual ILevelRecordTable {
 public:
  void Initialize() override;
  void SetParam(const std::string& name, const std::string& value) override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  LevelRecordRef GetRecord(int level) const override;
  LevelRecordRef GetOrCreateRecord(int level, const ParamsRef& values) override;

  std::shared_ptr<TLevelRecordCollection> GetRecords() const { return records_; }
  // Called after every GetOrCreateRecord (the owner saves its file then).
  void SetChangedHook(std::function<void()> hook) { changed_ = std::move(hook); }

 private:
  std::shared_ptr<TLevelRecordCollection> records_;
  std::function<void()> changed_;
};

class TLevelRecordTableCollection : public TPersistItemCollection {
 public:
  void Initialize() override;
  void LoadItems(const StorageRef& storage) override;
  // The declared table of the element's name, or nothing: undeclared tables are skipped.
  InterfaceRef CreateItem(const StorageRef& storage) override;
  void AddItem(const InterfaceRef& item) override {}

  std::shared_ptr<TLevelRecordTable> GetTable(const std::string& name) const { return ItemAs<TLevelRecordTable>(name); }
  // Declares a table; false when one of that name exists.
  bool Declare(const std::shared_ptr<TLevelRecordTable>& table);
};

class TLevelRecords : public TPersistObject, public virtual ILevelRecords {
 public:
  void Initialize() override;
  void SetParam(const std::string& name, const std::string& value) override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  std::shared_ptr<TLevelRecordTableCollection> GetTables() override { return tables_; }
  LevelRecordRef GetOrCreateRecord(const std::string& table, int level, const ParamsRef& values) override;
  void LoadFromFile() override;
  bool SaveToFile() override;

 private:
  PlayerFileSpec FileSpec() const;
  void TableChanged();

  std::shared_ptr<TLevelRecordTableCollection> tables_;
  PlayerFile file_;
  bool attached_ = false;  // loaded from the user's file: changes are saved at once
};

}  // namespace kestrelle
