#include "records/high_scores.h"

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "records/record_files.h"
#include "records/records_settings.h"

namespace kestrelle {

namespace rf = record_files;

namespace {

const std::string kScore = "Score";
const std::string kPlayer = "Player";
const std::string kConst = "Const";

// The process-wide record counter: the first record made in a run is "Record1".
std::string NextRecordName() {
  static uint64_t counter = 0;
  return "Record" + std::to_string(++counter);
}

// A value as the tables read integers; false when it is not one.
bool IntegerOf(const Variant& value, int64_t& out) {
  if (value.IsInteger()) {
    out = value.ToInt();
    return true;
  }
  return value.IsString() && ParseIntOrHex(value.ToString(), out);
}

std::string PlayerOf(const ParamsRef& params) { return params->GetValue(kPlayer, std::string()).ToString(); }
bool IsConst(const ParamsRef& params) { return params->GetValue(kConst, std::string("no")).ToString() == "yes"; }

}  // namespace

int64_t ScoreOf(const ParamsRef& params) {
  int64_t score = 0;
  ParamRef param = params ? params->GetParam(kScore) : nullptr;
  return param && IntegerOf(param->GetValue(), score) ? score : -1;
}

void TRecord::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kRecordElement);
  name_ = NextRecordName();
  params_ = CreateParams();
}

void TRecord::SetParam(const std::string& name, const std::string& value) {
  if (name == "param" && !params_->GetParam(value)) params_->SetValue(value, Variant());
}

void TRecord::LoadProperties(const StorageRef& storage) {
  // The name in the file is ignored. Only the parameters of the record's structure are read;
  // their text gets the language pass (which also undoes the "%%" the writer made of "%").
  KeepInPlayerFile(*this);
  StorageRef params = storage->GetChild(std::string(rf::kParamsElement), 0);
  if (!params) return;
  const std::string element(rf::kParamElement);
  int count = params->GetChildCount(element);
  for (int i = 0; i < count; ++i) {
    StorageRef param = params->GetChild(element, i);
    if (!param) continue;
    std::string name = ReadString(param, "name", "");
    if (params_->GetParam(name)) params_->SetValue(name, TranslateRecordText(param->ReadText().ToString()));
  }
}

void TRecord::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  StorageRef params = storage->AddChild(std::string(rf::kParamsElement));
  if (!params) return;
  for (int i = 0; i < params_->GetCount(); ++i) {
    ParamRef param = params_->GetParam(i);
    if (!param) continue;
    StorageRef element = params->AddChild(std::string(rf::kParamElement));
    if (!element) continue;
    WriteString(element, "name", param->GetName());
    element->WriteText(EscapePercent(param->GetValue().ToString()));
  }
}

int64_t TRecord::GetScore() const { return ScoreOf(params_); }

void TRecordCollection::Add(const RecordRef& record) {
  if (record) items_.Add(record, record->GetName());
}

void TRecordCollection::Move(const RecordRef& record, int position) {
  if (record) items_.Move(record->GetName(), position);
}

void TRecordTable::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kRecordTableElement);
  records_ = Create<TRecordCollection>();
  recordStructure_.clear();
  maxRecords_ = 0;
  lastIndex_ = -1;
}

void TRecordTable::SetParam(const std::string& name, const std::string& value) {
  if (name == "name") {
    name_ = value;
  } else if (name == "record_structure") {
    recordStructure_ = value;
  } else if (name == "max_records") {
    int64_t max = 0;
    maxRecords_ = ParseIntOrHex(value, max) && max >= INT32_MIN && max <= INT32_MAX ? static_cast<int>(max) : 10;
  }
}

void TRecordTable::LoadProperties(const StorageRef& storage) {
  // The table keeps its declared name. Loaded records go through the same add as new scores, so
  // the table comes out sorted and cut to MaxRecords.
  KeepInPlayerFile(*this);
  StorageRef records = storage->GetChild(std::string(rf::kRecordsElement), 0);
  if (records) {
    const std::string element(rf::kRecordElement);
    int count = records->GetChildCount(element);
    for (int i = 0; i < count; ++i) {
      StorageRef child = records->GetChild(element, i);
      if (!child) continue;
      auto record = NewRecord();
      record->LoadFromStorage(child);
      AddRecord(record);
    }
  }
  lastIndex_ = -1;
}

void TRecordTable::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  StorageRef records = storage->AddChild(std::string(rf::kRecordsElement));
  if (!records) return;
  for (int i = 0; i < records_->GetCount(); ++i)
    if (auto record = std::dynamic_pointer_cast<TRecord>(records_->Get(i)))
      record->SaveToStorage(records->AddChild(std::string(rf::kRecordElement)));
}

bool TRecordTable::IsHighScore(int64_t score) const {
  if (score <= 0) return false;
  int count = records_->GetCount();
  if (count < maxRecords_) return true;
  // A table with no room and no records has no lowest score to beat.
  RecordRef last = records_->Get(count - 1);
  if (!last) return false;
  ParamRef lowest = last->GetParams()->GetParam(kScore);
  if (!lowest) return false;
  int64_t value = 0;
  if (!IntegerOf(lowest->GetValue(), value)) value = 0;
  return value < score;
}

std::shared_ptr<TRecord> TRecordTable::NewRecord() const { return Create<TRecord>(recordStructure_); }

void TRecordTable::AddRecord(const std::shared_ptr<TRecord>& record) {
  records_->Add(record);
  Sort();
  lastIndex_ = records_->IndexOf(record->GetName());
  while (records_->GetCount() > std::max(maxRecords_, 0)) records_->Items().DeleteAt(records_->GetCount() - 1);
  if (lastIndex_ >= records_->GetCount()) lastIndex_ = -1;  // the record itself was cut
}

bool TRecordTable::Sort() {
  int n = records_->GetCount();
  bool unordered = false;
  for (int i = 0; i + 1 < n && !unordered; ++i)
    unordered = records_->Get(i)->GetScore() < records_->Get(i + 1)->GetScore();
  if (!unordered) return false;
  // Repeatedly take the best of the records not yet placed to the end. Among equal scores the
  // first record wins when it is one of them, otherwise the last one: so a new record that ties
  // with older ones ends up after them.
  for (int k = n - 1; k >= 0; --k) {
    RecordRef best = records_->Get(0);
    for (int i = k; i >= 1; --i) {
      RecordRef candidate = records_->Get(i);
      if (best->GetScore() < candidate->GetScore()) best = candidate;
    }
    records_->Move(best, n - 1);
  }
  return true;
}

bool TRecordTable::AddScoreQuietly(const ParamsRef& params, RecordRef* out) {
  int64_t score = ScoreOf(params);
  if (score <= 0 || !IsHighScore(score)) return false;
  auto record = NewRecord();
  ParamsRef values = record->GetParams();
  for (int i = 0; i < values->GetCount(); ++i) {
    ParamRef value = values->GetParam(i);
    if (ParamRef given = value ? params->GetParam(value->GetName()) : nullptr) value->SetValue(given->GetValue());
  }
  AddRecord(record);
  if (out) *out = record;
  return true;
}

bool TRecordTable::AddScore(const ParamsRef& params, RecordRef* record) {
  if (!params || !AddScoreQuietly(params, record)) return false;
  Changed();
  return true;
}

bool TRecordTable::AddPlayerScore(const ParamsRef& params, RecordRef* record) {
  if (!params) return false;
  std::string player = PlayerOf(params);
  for (int i = 0; i < records_->GetCount(); ++i) {
    ParamsRef values = records_->Get(i)->GetParams();
    if (!IsConst(values) && PlayerOf(values) == player) return false;
  }
  return AddScore(params, record);
}

bool TRecordTable::SubmitScore(const ParamsRef& params) {
  if (!params) return false;
  if (!IsHighScore(ScoreOf(params))) return false;
  std::string player = PlayerOf(params);
  for (int i = 0; i < records_->GetCount(); ++i) {
    RecordRef record = records_->Get(i);
    ParamsRef values = record->GetParams();
    if (IsConst(values) || PlayerOf(values) != player) continue;
    // The player's record takes the new values, even a lower score.
    for (int j = 0; j < values->GetCount(); ++j) {
      ParamRef value = values->GetParam(j);
      if (ParamRef given = value ? params->GetParam(value->GetName()) : nullptr) value->SetValue(given->GetValue());
    }
    bool reordered = Sort();
    lastIndex_ = records_->IndexOf(record->GetName());
    Changed();
    return reordered;
  }
  AddScoreQuietly(params, nullptr);
  Changed();
  return true;
}

void TRecordTable::Clear() {
  lastIndex_ = -1;
  records_->Clear();
}

void TRecordTableCollection::Add(const RecordTableRef& table) {
  if (table) items_.Add(table, table->GetName());
}

void THighScores::Initialize() {
  TPersistObject::Initialize();
  storageName_ = std::string(rf::kHighScoresRoot);
  tables_ = Create<TRecordTableCollection>();
  attached_ = false;
}

void THighScores::SetParam(const std::string& name, const std::string& value) {
  if (name != "record_table") return;
  auto table = Create<TRecordTable>(value);
  if (tables_->Exists(table->GetName())) return;
  tables_->Add(table);
  std::weak_ptr<THighScores> owner = SelfAs<THighScores>();
  table->SetChangedHook([owner] {
    if (auto self = owner.lock()) self->TableChanged();
  });
}

void THighScores::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  KeepInPlayerFile(*this);
  StorageRef tables = storage->GetChild(std::string(rf::kRecordTablesElement), 0);
  if (!tables) return;
  const std::string element(rf::kRecordTableElement);
  int count = tables->GetChildCount(element);
  for (int i = 0; i < count; ++i) {
    StorageRef child = tables->GetChild(element, i);
    if (!child) continue;
    if (auto table = Table(ReadString(child, "name", ""))) table->LoadFromStorage(child);
  }
}

void THighScores::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  StorageRef tables = storage->AddChild(std::string(rf::kRecordTablesElement));
  if (!tables) return;
  for (int i = 0; i < tables_->GetCount(); ++i)
    if (auto table = std::dynamic_pointer_cast<TRecordTable>(tables_->Get(i)))
      table->SaveToStorage(tables->AddChild(std::string(rf::kRecordTableElement)));
}

std::shared_ptr<TRecordTable> THighScores::Table(const std::string& name) const {
  return std::dynamic_pointer_cast<TRecordTable>(tables_->Get(name));
}

bool THighScores::IsHighScore(int64_t score, const std::string& table) {
  auto found = Table(table);
  return found && found->IsHighScore(score);
}

bool THighScores::AddScore(const ParamsRef& params, const std::string& table, RecordRef* record) {
  auto found = Table(table);
  return found && found->AddScore(params, record);
}

bool THighScores::AddPlayerScore(const ParamsRef& params, const std::string& table, RecordRef* record) {
  auto found = Table(table);
  return found && found->AddPlayerScore(params, record);
}

bool THighScores::SubmitScore(const ParamsRef& params, const std::string& table) {
  auto found = Table(table);
  return found && found->SubmitScore(params);
}

void THighScores::ClearAll() {
  for (int i = 0; i < tables_->GetCount(); ++i)
    if (auto table = tables_->Get(i)) table->Clear();
}

void THighScores::ResetLastIndices() {
  for (int i = 0; i < tables_->GetCount(); ++i)
    if (auto table = tables_->Get(i)) table->ResetLastIndex();
}

PlayerFileSpec THighScores::FileSpec() const {
  const RecordsSettings& settings = RecordSettings();
  return {settings.HighScoresFileName, settings.HighScoresKey, std::string(rf::kHighScoresRoot)};
}

void THighScores::LoadFromFile(bool programFolderOnly) {
  auto self = SelfAs<THighScores>();
  file_.Load(
      FileSpec(), [self](const StorageRef& root) { self->LoadFromStorage(root); }, [self] { self->ClearAll(); },
      programFolderOnly ? ProgramCopy::Only : ProgramCopy::Fallback);
  // Scores loaded from the program folder alone must not replace the player's file unasked.
  attached_ = !programFolderOnly;
}

bool THighScores::SaveToFile() {
  auto self = SelfAs<THighScores>();
  return file_.Save(FileSpec(), [self](const StorageRef& root) { self->SaveToStorage(root); });
}

void THighScores::TableChanged() {
  // Nothing else saves the scores, so each change is written at once; before the file has been
  // read, a write would replace the player's scores with this one.
  if (attached_) SaveToFile();
}

std::shared_ptr<THighScores> CreateHighScores() { return Create<THighScores>(RecordSettings().HighScoreTables); }

}  // namespace kestrelle
