// Arbitrary player files: the first byte picks the file (profiles, level records, high scores),
// the rest is its document text, written enciphered into the user-data folder and loaded as the
// game loads it. Whatever loads must obey the tables' rules and survive a save and a reload
// unchanged.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "data/hier_storage.h"
#include "data/user_files.h"
#include "records/high_scores.h"
#include "records/level_records.h"
#include "records/player_file.h"
#include "records/records_settings.h"
#include "records/user_profiles.h"

using namespace kestrelle;

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void PutFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(GetUserDataPath() + name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Saves an object into a document, parses the text again and loads a second object from it.
template <class T, class Make>
std::shared_ptr<T> RoundTrip(const std::shared_ptr<T>& object, const std::string& root, Make make) {
  StorageRootRef document = CreateStorage(root);
  object->SaveToStorage(document->GetRoot());
  StorageRef again = LoadStorageFromString(document->SaveToString());
  Check(again != nullptr);  // what the game writes, it must read
  auto copy = make();
  copy->LoadFromStorage(again);
  return copy;
}

std::string Describe(TUserProfileCollection& profiles) {
  std::string out = profiles.GetCurrent() ? "current=" + profiles.GetCurrent()->GetName() + ";" : ";";
  for (int i = 0; i < profiles.GetCount(); ++i) {
    auto profile = profiles.GetProfile(i);
    out += profile->GetName() + "{" + profile->GetDataStorage() + "}";
    auto params = profile->GetParams();
    for (int j = 0; j < params->GetCount(); ++j)
      out += params->GetParam(j)->GetName() + "=" + params->GetParam(j)->GetValue().ToString() + ";";
  }
  return out;
}

std::string Describe(TLevelRecords& records) {
  std::string out;
  auto tables = records.GetTables();
  for (int i = 0; i < tables->GetCount(); ++i) {
    auto table = tables->ItemAs<TLevelRecordTable>(i);
    auto items = table->GetRecords();
    for (int j = 0; j < items->GetCount(); ++j) {
      auto record = items->ItemAs<ILevelRecord>(j);
      out += table->GetName() + "/" + record->GetName() + ":";
      auto params = record->GetParams();
      for (int k = 0; k < params->GetCount(); ++k)
        out += params->GetParam(k)->GetName() + "=" + params->GetParam(k)->GetValue().ToString() + ";";
    }
  }
  return out;
}

std::string Describe(THighScores& scores) {
  std::string out;
  auto tables = scores.GetTables();
  for (int i = 0; i < tables->GetCount(); ++i) {
    auto table = std::dynamic_pointer_cast<TRecordTable>(tables->Get(i));
    auto records = table->GetRecords();
    Check(records->GetCount() <= std::max(table->GetMaxRecords(), 0));
    Check(table->GetLastIndex() == -1);
    for (int j = 0; j < records->GetCount(); ++j) {
      auto record = records->Get(j);
      if (j > 0) Check(records->Get(j - 1)->GetScore() >= record->GetScore());
      auto params = record->GetParams();
      for (int k = 0; k < params->GetCount(); ++k) out += params->GetParam(k)->GetValue().ToString() + "|";
      out += ";";
    }
    out += "/";
  }
  return out;
}

constexpr const char* kLevelTables = "\\level_record_table={name=a}\\level_record_table={name=b}";
const std::string kScoreTables = std::string(RecordSettings().HighScoreTables) +
                                 "\\record_table={name=c\\max_records=4\\record_structure={param=Score\\param="
                                 "Player\\param=Const}}";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static std::string folder = "/tmp/kestrelle-fuzz-records-XXXXXX";
  if (!mkdtemp(folder.data())) abort();
  setenv("KESTRELLE_USER_DIR", folder.c_str(), 1);
  SetAppPath(folder + "/no-program-folder");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const RecordsSettings& settings = RecordSettings();
  switch (data[0] % 3) {
    case 0: {
      PutFile(settings.UsersFileName, EncipherPlayerText(text, settings.UsersKey));
      auto profiles = Create<TUserProfileCollection>();
      profiles->LoadFromFile();
      if (auto current = profiles->GetCurrent()) Check(profiles->GetProfile(current->GetName()) == current);
      auto copy = RoundTrip(profiles, "userprofiles", [] { return Create<TUserProfileCollection>(); });
      Check(Describe(*copy) == Describe(*profiles));
      break;
    }
    case 1: {
      PutFile(settings.LevelRecordsFileName, EncipherPlayerText(text, settings.LevelRecordsKey));
      auto records = Create<TLevelRecords>(kLevelTables);
      records->LoadFromFile();
      auto copy = RoundTrip(records, "highscores", [] { return Create<TLevelRecords>(kLevelTables); });
      Check(Describe(*copy) == Describe(*records));
      break;
    }
    default: {
      PutFile(settings.HighScoresFileName, EncipherPlayerText(text, settings.HighScoresKey));
      auto scores = Create<THighScores>(kScoreTables);
      scores->LoadFromFile(false);
      std::string loaded = Describe(*scores);
      auto copy = RoundTrip(scores, "highscores", [] { return Create<THighScores>(kScoreTables); });
      Check(Describe(*copy) == loaded);
      break;
    }
  }
  return 0;
}
