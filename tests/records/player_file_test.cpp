// Damaged, missing and half-written player files: the player's data is never lost.
#include "records/player_file.h"

#include "records/high_scores.h"
#include "records/level_records.h"
#include "records/record_files.h"
#include "records/user_profiles.h"
#include "records_fixture.h"

namespace kestrelle::testing {
namespace {

namespace rf = record_files;

// One of the three player files, driven as the game drives it.
struct Kind {
  std::string file;
  std::string key;
  // Loads the file into a fresh object, adds one entry named `add` (saved as the game saves it)
  // unless `add` is empty, and returns the entries loaded, joined by ",".
  std::function<std::string(const std::string& add)> loadAndAdd;
};

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ",") + item;
  return out;
}

std::vector<Kind> Kinds() {
  Kind users{std::string(rf::kUsersFileName), std::string(rf::kUsersKey), [](const std::string& add) {
               auto profiles = Create<TUserProfileCollection>();
               profiles->LoadFromFile();
               std::vector<std::string> names;
               for (int i = 0; i < profiles->GetCount(); ++i) names.push_back(profiles->GetProfile(i)->GetName());
               if (!add.empty()) {
                 profiles->GetOrCreate(add);
                 profiles->SaveToFile();
               }
               return Join(names);
             }};
  Kind records{std::string(rf::kLevelRecordsFileName), std::string(rf::kLevelRecordsKey), [](const std::string& add) {
                 auto records = Create<TLevelRecords>("\\level_record_table={name=a}");
                 records->LoadFromFile();
                 auto table = records->GetTables()->GetTable("a");
                 std::vector<std::string> names;
                 int count = table->GetRecords()->GetCount();
                 for (int level = 1; level <= count; ++level)
                   if (auto record = table->GetRecord(level)) names.push_back(record->GetString("who", "", false));
                 if (!add.empty()) records->GetOrCreateRecord("a", count + 1, CreateParams("who=" + add));
                 return Join(names);
               }};
  Kind scores{std::string(rf::kHighScoresFileName), std::string(rf::kHighScoresKey), [](const std::string& add) {
                auto scores = Create<THighScores>(
                    "\\record_table={name=t\\max_records=10\\record_structure={"
                    "param=Score\\param=Player}}");
                scores->LoadFromFile(false);
                auto records = scores->GetTables()->Get("t")->GetRecords();
                std::vector<std::string> names;
                for (int i = 0; i < records->GetCount(); ++i)
                  names.push_back(records->Get(i)->GetParams()->GetValue("Player", "").ToString());
                if (!add.empty()) {
                  auto params = CreateParams();
                  params->SetValue("Score", std::to_string(100 - records->GetCount()));
                  params->SetValue("Player", add);
                  scores->AddScore(params, "t", nullptr);
                }
                return Join(names);
              }};
  return {users, records, scores};
}

struct Damage {
  const char* what;
  std::function<std::string(const std::string& good, const Kind& kind)> make;
};

std::vector<Damage> Damages() {
  return {
      {"truncated", [](const std::string& good, const Kind&) { return good.substr(0, good.size() / 2); }},
      {"garbage", [](const std::string&, const Kind&) { return std::string("\x01\xff junk \x00\x7f<?xml", 16); }},
      {"empty", [](const std::string&, const Kind&) { return std::string(); }},
      {"wrong key",
       [](const std::string& good, const Kind& kind) {
         return EncipherPlayerText(DecipherPlayerText(good, kind.key), "a different key entirely");
       }},
      {"wrong root",
       [](const std::string&, const Kind& kind) { return EncipherPlayerText("<options Music=\"30\"/>", kind.key); }},
  };
}

class PlayerFiles : public RecordsTest {
 protected:
  void ClearUserDir() {
    for (const auto& entry : std::filesystem::directory_iterator(UserDir())) std::filesystem::remove(entry.path());
  }
  std::string OnlyDamagedCopy(const Kind& kind) {
    auto copies = UserFilesStartingWith(kind.file + ".damaged-");
    EXPECT_EQ(copies.size(), 1u);
    return copies.empty() ? std::string() : Bytes(UserFile(copies.front()));
  }
};

TEST_F(PlayerFiles, DamagedFileIsKeptAsideBeforeTheNextSave) {
  for (const Kind& kind : Kinds()) {
    for (const Damage& damage : Damages()) {
      SCOPED_TRACE(kind.file + ", " + damage.what);
      ClearUserDir();
      kind.loadAndAdd("Ann");
      std::string path = UserFile(kind.file);
      std::string damaged = damage.make(Bytes(path), kind);
      Put(path, damaged);

      EXPECT_EQ(kind.loadAndAdd(""), "") << "nothing readable";
      EXPECT_EQ(Bytes(path), damaged) << "loading alone writes nothing";
      EXPECT_TRUE(UserFilesStartingWith(kind.file + ".damaged-").empty());

      EXPECT_EQ(kind.loadAndAdd("Bob"), "");
      EXPECT_EQ(OnlyDamagedCopy(kind), damaged) << "the original bytes are kept";
      EXPECT_EQ(kind.loadAndAdd("Cy"), "Bob") << "the new file is good";
      EXPECT_EQ(UserFilesStartingWith(kind.file + ".damaged-").size(), 1u) << "a good file is not copied aside";
    }
  }
}

TEST_F(PlayerFiles, CleanBackupIsLoadedInPlaceOfADamagedFileAndStaysTheBackup) {
  for (const Kind& kind : Kinds()) {
    for (const Damage& damage : Damages()) {
      SCOPED_TRACE(kind.file + ", " + damage.what);
      ClearUserDir();
      kind.loadAndAdd("Ann");
      kind.loadAndAdd("Bob");  // the file holds Ann and Bob; its backup Ann
      std::string path = UserFile(kind.file);
      std::string backup = Bytes(path + ".bak");
      std::string damaged = damage.make(Bytes(path), kind);
      Put(path, damaged);

      EXPECT_EQ(kind.loadAndAdd("Cy"), "Ann");
      EXPECT_EQ(OnlyDamagedCopy(kind), damaged);
      EXPECT_EQ(Bytes(path + ".bak"), backup) << "the clean backup is not replaced by the damaged file";
      EXPECT_EQ(kind.loadAndAdd(""), "Ann,Cy");
    }
  }
}

TEST_F(PlayerFiles, MissingFileWithABackupLoadsTheBackup) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.file);
    ClearUserDir();
    kind.loadAndAdd("Ann");
    kind.loadAndAdd("Bob");
    std::filesystem::remove(UserFile(kind.file));
    EXPECT_EQ(kind.loadAndAdd("Cy"), "Ann");
    EXPECT_EQ(kind.loadAndAdd(""), "Ann,Cy");
  }
}

TEST_F(PlayerFiles, WriteThatFailsHalfWayLeavesThePreviousFileReadable) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.file);
    ClearUserDir();
    kind.loadAndAdd("Ann");
    std::string before = Bytes(UserFile(kind.file));

    SetAtomicWriteFailureAfter(10);
    kind.loadAndAdd("Bob");
    SetAtomicWriteFailureAfter(std::nullopt);

    EXPECT_EQ(Bytes(UserFile(kind.file)), before);
    EXPECT_EQ(kind.loadAndAdd(""), "Ann");
    EXPECT_EQ(UserFilesStartingWith(kind.file + ".tmp").size(), 0u) << "no temporary file is left behind";
    EXPECT_TRUE(UserFilesStartingWith(kind.file + ".damaged-").empty());
  }
}

TEST_F(PlayerFiles, LoadThatFailsPartWayCountsAsDamage) {
  const PlayerFileSpec fileSpec{"p.dat", "some key for tests", "root"};
  std::vector<std::string> loaded;
  auto throwing = [&](const StorageRef& root) {
    loaded.push_back(ReadString(root, "v", ""));
    if (loaded.back() == "bad") throw std::runtime_error("bad value");
  };
  auto write = [&](const std::string& v) {
    PlayerFile file;
    return file.Save(fileSpec, [&](const StorageRef& root) { WriteString(root, "v", v); });
  };
  ASSERT_TRUE(write("good"));
  ASSERT_TRUE(write("bad"));  // the backup holds "good"
  std::string bad = Bytes(UserFile("p.dat"));

  PlayerFile file;
  int resets = 0;
  EXPECT_EQ(file.Load(fileSpec, throwing, [&] { ++resets; }), PlayerFileSource::Backup);
  EXPECT_EQ(loaded, (std::vector<std::string>{"bad", "good"}));
  EXPECT_EQ(resets, 1) << "the part loaded from the damaged file is dropped before the backup loads";
  EXPECT_TRUE(file.HasUnsavedDamage());
  ASSERT_TRUE(file.Save(fileSpec, [](const StorageRef& root) { WriteString(root, "v", "new"); }));
  EXPECT_FALSE(file.HasUnsavedDamage());
  auto copies = UserFilesStartingWith("p.dat.damaged-");
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(Bytes(UserFile(copies[0])), bad);
}

TEST_F(PlayerFiles, OuterStorageNamedInAPlayerFileIsNeverWritten) {
  // Every element may name an outer file; saving would then write the object there instead.
  std::string elsewhere = root_ + "/elsewhere/";
  std::filesystem::create_directories(elsewhere);
  auto out = [&](const std::string& name) { return " _outstorage=\"file=" + elsewhere + name + "\" template=\"no\""; };
  struct Case {
    Kind kind;
    std::string xml;
    std::string expected;
  };
  auto kinds = Kinds();
  const Case cases[] = {
      {kinds[0],
       "<userprofiles" + out("a.xml") + "><userprofile name=\"Ann\"" + out("b.xml") + "><params" + out("c.xml") +
           "><param name=\"a\" value=\"1\"/></params></userprofile></userprofiles>",
       "Ann"},
      {kinds[1],
       "<highscores" + out("a.xml") + "><levelrecordtables" + out("b.xml") + "><levelrecordtable name=\"a\"" +
           out("c.xml") + "><levelrecords" + out("d.xml") + "><levelrecord name=\"1\"" + out("e.xml") + "><params" +
           out("f.xml") +
           "><param name=\"who\" value=\"Ann\"/></params></levelrecord></levelrecords></levelrecordtable>"
           "</levelrecordtables></highscores>",
       "Ann"},
      {kinds[2],
       "<highscores" + out("a.xml") + "><recordtables><recordtable name=\"t\"" + out("b.xml") + "><records><record" +
           out("c.xml") +
           "><params><param name=\"Score\">200</param><param name=\"Player\">Ann</param></params></record>"
           "</records></recordtable></recordtables></highscores>",
       "Ann"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind.file);
    ClearUserDir();
    Put(UserFile(c.kind.file), EncipherPlayerText(c.xml, c.kind.key));
    EXPECT_EQ(c.kind.loadAndAdd("Bob"), c.expected);
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere)) << "nothing is written outside the player file";
    EXPECT_EQ(c.kind.loadAndAdd(""), c.expected + ",Bob");
    EXPECT_EQ(Plain(UserFile(c.kind.file), c.kind.key).find("_outstorage"), std::string::npos);
  }
}

}  // namespace
}  // namespace kestrelle::testing
