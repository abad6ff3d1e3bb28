#pragma once
// High-score tables: named tables of at most MaxRecords records each, kept in descending order of
// score, in "highscores.dat". Only tables declared by the creation parameters exist
// ("\record_table={name=europe\max_records=3\record_structure={param=Score\param=Player}}").
// Every successful add or submit is written to the file at once.

#include <functional>
#include <memory>
#include <string>

#include "data/object.h"
#include "data/params.h"
#include "records/player_file.h"

namespace kestrelle {

class IRecord : public virtual INamedObject {
 public:
  virtual ParamsRef GetParams() = 0;
  // "Score" as an integer; -1 when missing or not an integer.
  virtual int64_t GetScore() const = 0;
};
using RecordRef = std::shared_ptr<IRecord>;

class IRecordCollection : public virtual ICollection {
 public:
  virtual RecordRef Get(const Variant& key) const = 0;
  virtual void Add(const RecordRef& record) = 0;
  // Takes the record out and inserts it at the position.
  virtual void Move(const RecordRef& record, int position) = 0;
};
using RecordsRef = std::shared_ptr<IRecordCollection>;

class IRecordTable : public virtual INamedObject {
 public:
  virtual RecordsRef GetRecords() = 0;
  // The record added or updated last (the one a display highlights); -1 when none.
  virtual int GetLastIndex() const = 0;
  virtual void ResetLastIndex() = 0;
  virtual bool IsHighScore(int64_t score) const = 0;
  virtual bool AddScore(const ParamsRef& params, RecordRef* record) = 0;
  // As AddScore, but a player who already has a record (not a constant one) enters no second.
  virtual bool AddPlayerScore(const ParamsRef& params, RecordRef* record) = 0;
  // Replaces the player's record (even with a lower score) or adds one.
  virtual bool SubmitScore(const ParamsRef& params) = 0;
  virtual void Clear() = 0;
};
using RecordTableRef = std::shared_ptr<IRecordTable>;

class IRecordTableCollection : public virtual ICollection {
 public:
  virtual RecordTableRef Get(const Variant& key) const = 0;
  virtual void Add(const RecordTableRef& table) = 0;
};
using RecordTablesRef = std::shared_ptr<IRecordTableCollection>;

class IHighScores : public virtual IInterface {
 public:
  virtual RecordTablesRef GetTables() = 0;
  // The per-table operations do nothing (false) for a table that is not declared.
  virtual bool IsHighScore(int64_t score, const std::string& table) = 0;
  virtual bool AddScore(const ParamsRef& params, const std::string& table, RecordRef* record) = 0;
  virtual bool AddPlayerScore(const ParamsRef& params, const std::string& table, RecordRef* record) = 0;
  virtual bool SubmitScore(const ParamsRef& params, const std::string& table) = 0;
  virtual void ClearAll() = 0;
  virtual void ResetLastIndices() = 0;
  // The user-data folder's file, else the program folder's; with `programFolderOnly` always the
  // program folder's (and changes are then not written at once).
  virtual void LoadFromFile(bool programFolderOnly) = 0;
  virtual bool SaveToFile() = 0;
};
using HighScoresRef = std::shared_ptr<IHighScores>;

class TRecord : public TPersistObject, public virtual IRecord {
 public:
  void Initialize() override;
  // "param=Score\param=Player": one empty parameter per key "param", in order.
  void SetParam(const std::string& name, const std::string& value) override;
  // A record keeps the name it was made with.
  void SetName(const std::string& name) override {}
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  ParamsRef GetParams() override { return params_; }
  int64_t GetScore() const override;

 private:
  ParamsRef params_;
};

class TRecordCollection : public TCollection, public virtual IRecordCollection {
 public:
  RecordRef Get(const Variant& key) const override { return ItemAs<IRecord>(key); }
  void Add(const RecordRef& record) override;
  void Move(const RecordRef& record, int position) override;
};

class TRecordTable : public TPersistObject, public virtual IRecordTable {
 public:
  void Initialize() override;
  void SetParam(const std::string& name, const std::string& value) override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  RecordsRef GetRecords() override { return records_; }
  int GetLastIndex() const override { return lastIndex_; }
  void ResetLastIndex() override { lastIndex_ = -1; }
  bool IsHighScore(int64_t score) const override;
  bool AddScore(const ParamsRef& params, RecordRef* record) override;
  bool AddPlayerScore(const ParamsRef& params, RecordRef* record) override;
  bool SubmitScore(const ParamsRef& params) override;
  void Clear() override;

  int GetMaxRecords() const { return maxRecords_; }
  const std::string& GetRecordStructure() const { return recordStructure_; }
  // Called after every successful add or submit (the owner saves its file then).
  void SetChangedHook(std::function<void()> hook) { changed_ = std::move(hook); }

 private:
  std::shared_ptr<TRecord> NewRecord() const;
  // Appends, sorts, remembers the record's index and cuts the table to MaxRecords.
  void AddRecord(const std::shared_ptr<TRecord>& record);
  bool Sort();
  bool AddScoreQuietly(const ParamsRef& params, RecordRef* record);
  void Changed() {
    if (changed_) changed_();
  }

  std::shared_ptr<TRecordCollection> records_;
  std::string recordStructure_;
  int maxRecords_ = 0;
  int lastIndex_ = -1;
  std::function<void()> changed_;
};

class TRecordTableCollection : public TCollection, public virtual IRecordTableCollection {
 public:
  RecordTableRef Get(const Variant& key) const override { return ItemAs<IRecordTable>(key); }
  void Add(const RecordTableRef& table) override;
};

class THighScores : public TPersistObject, public virtual IHighScores {
 public:
  void Initialize() override;
  void SetParam(const std::string& name, const std::string& value) override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;

  RecordTablesRef GetTables() override { return tables_; }
  bool IsHighScore(int64_t score, const std::string& table) override;
  bool AddScore(const ParamsRef& params, const std::string& table, RecordRef* record) override;
  bool AddPlayerScore(const ParamsRef& params, const std::string& table, RecordRef* record) override;
  bool SubmitScore(const ParamsRef& params, const std::string& table) override;
  void ClearAll() override;
  void ResetLastIndices() override;
  void LoadFromFile(bool programFolderOnly) override;
  bool SaveToFile() override;

 private:
  std::shared_ptr<TRecordTable> Table(const std::string& name) const;
  PlayerFileSpec FileSpec() const;
  void TableChanged();

  std::shared_ptr<TRecordTableCollection> tables_;
  PlayerFile file_;
  bool attached_ = false;  // loaded from the user's file: changes are saved at once
};

// A new high-score object with the tables of RecordSettings().HighScoreTables.
std::shared_ptr<THighScores> CreateHighScores();
// "Score" of a parameter collection as the tables read it: -1 when missing or not an integer.
int64_t ScoreOf(const ParamsRef& params);

}  // namespace kestrelle
